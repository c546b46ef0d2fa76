// The Target and Shadow tabs of the target tab control: their lists, their changes and the
// refreshes the host asks for after it changed the tracked object itself.
#include "featureui/panes/TargetTabCtrl.h"

#include "featureui/panes/TargetTabItems.h"
#include "features/GridWaypoint.h"
#include "features/GridWaypointList.h"
#include "features/TrackObject.h"
#include "features/TrackingPoint.h"
#include "foundation/FilePath.h"
#include "foundation/Geometry.h"
#include "outside/panes/PropertyGridInteger.h"
#include "outside/panes/PropertyGridItems.h"
#include "outside/panes/units/AngleDouble.h"

#include <vector>

using namespace targettabs;

namespace
{
// Places of the items in their grids: top-level group, then item.
enum TARGET_GROUP
{
    TG_TARGET = 0,
    TG_ALIGNMENT = 1,
    TG_HEADING = 3
};
enum SHADOW_GROUP
{
    SG_ALIGNMENT = 1,
    SG_CRP = 2
};
// Within "Target": file, waypoint, easting, northing; within "Alignment": true, grid,
// convergence; within "Heading Tolerance": heading, minimum, maximum; within "Common Reference
// Point": type, offset, x, y, easting, northing.
constexpr int kTargetEasting = 2;
constexpr int kTrue = 0;
constexpr int kGrid = 1;
constexpr int kConvergence = 2;
constexpr int kMinimum = 1;
constexpr int kMaximum = 2;
constexpr int kCrpEasting = 4;
constexpr int kMaxRings = 25;

const char kRadial[] = "Radial";
const char kBox[] = "Box";

bool IsOn(const CMFCPropertyGridProperty* item)
{
    return item->GetValue().boolVal != 0;
}

COLORREF ColourOf(const CMFCPropertyGridProperty* item)
{
    return static_cast<const CMFCPropertyGridPrimaryColourProperty*>(item)->GetColour();
}

CMFCPropertyGridProperty* Colour(const char* name, COLORREF colour, LPCTSTR descr, DWORD_PTR id)
{
    return new CMFCPropertyGridPrimaryColourProperty(name, colour, 28, descr, id);
}

CMFCPropertyGridProperty* Switch(const char* name, bool on, LPCTSTR descr, DWORD_PTR id)
{
    return new CMFCPropertyGridBool(name, on, descr, id);
}

CMFCPropertyGridDouble* Locked(CMFCPropertyGridDouble* item)
{
    item->SetLock(true);
    return item;
}

CMFCPropertyGridProperty* Choice(const char* name, const CString& value, LPCTSTR descr, DWORD_PTR id)
{
    auto* item = new CMFCPropertyGridProperty(name, COleVariant(value), descr, id);
    item->AllowEdit(FALSE);
    return item;
}

double Radians(double degrees)
{
    return degrees / kDegreesPerRadian;
}
} // namespace

void CMFCTargetTabCtrl::ComputeZoneLimits(double gridAlignment, double tolerance, double& start, double& stop)
{
    start = gridAlignment - tolerance;
    if (start < 0.0)
        start += 360.0;
    stop = gridAlignment + tolerance;
    if (stop > 360.0)
        stop -= 360.0;
}

void CMFCTargetTabCtrl::FillWaypointFiles(CMFCPropertyGridProperty* pItem) const
{
    pItem->RemoveAllOptions();
    for (INT_PTR i = 0; m_pWaypointList && i < m_pWaypointList->GetSize(); ++i)
        pItem->AddOption(GetFileTitleFromPath(m_pWaypointList->GetAt(i)->m_FilePath), FALSE);
    pItem->SetValue(COleVariant(GetFileTitleFromPath(m_pTrackObject->GetTargetWaypointFileName())));
}

void CMFCTargetTabCtrl::FillWaypoints(CMFCPropertyGridProperty* pItem) const
{
    pItem->RemoveAllOptions();
    const int file = m_pTrackObject->m_WaypointFileIndex;
    if (m_pWaypointList && file >= 0 && file < m_pWaypointList->GetSize() && m_pWaypointList->GetAt(file))
    {
        const CGridWaypoint* points = m_pWaypointList->GetAt(file);
        for (INT_PTR i = 0; i < points->GetSize(); ++i)
            pItem->AddOption(points->GetAt(i).Name, FALSE);
    }
    const CString name = m_pTrackObject->m_TargetWaypoint.Name;
    pItem->SetValue(COleVariant(name.IsEmpty() ? CString("n/a") : name));
}

void CMFCTargetTabCtrl::FillPointTypes(CMFCPropertyGridProperty* pItem) const
{
    pItem->RemoveAllOptions();
    std::vector<int> types;
    if (m_pBarge)
    {
        types = {TP_COMMON_REFERENCE_POINT, TP_ANTENNA, TP_OFFSET, TP_LEG, TP_CRANE, TP_TRANSDUCER};
        const CTrackingPointArray* refs = m_pTrackObject->GetTrackingPointArray(TP_REF_SYSTEM);
        if (refs && refs->GetSize() > 0)
            types.push_back(TP_REF_SYSTEM);
        types.push_back(TP_CLUMP_WEIGHT);
    }
    else
        types = {TP_COMMON_REFERENCE_POINT, TP_ANTENNA, TP_OFFSET, TP_REFLECTOR, TP_BEACON};
    for (int type : types)
        pItem->AddOption(TrackingPointTypeName(type), FALSE);
    pItem->SetValue(COleVariant(m_pTrackObject->GetTrackingPointTypeName()));
}

void CMFCTargetTabCtrl::FillPoints(CMFCPropertyGridProperty* pItem) const
{
    pItem->RemoveAllOptions();
    const int type = m_pTrackObject->m_TrkPtType;
    const CTrackingPointArray* points =
        type != TP_COMMON_REFERENCE_POINT ? m_pTrackObject->GetTrackingPointArray(type) : nullptr;
    for (INT_PTR i = 0; points && i < points->GetSize(); ++i)
        pItem->AddOption(points->GetAt(i)->Name, FALSE);
    // The item picks among the type's points, so it names the selected one even while the
    // vessel, without a heading, tracks its primary antenna instead.
    pItem->SetValue(COleVariant(m_pTrackObject->CTrackObject::GetTrackingPointName()));
}

const TrackingPointDef* CMFCTargetTabCtrl::SelectedPoint() const
{
    const int type = m_pTrackObject->m_TrkPtType;
    if (type == TP_COMMON_REFERENCE_POINT)
        return nullptr;
    return m_pTrackObject->GetTrackingPoint(type, m_pTrackObject->m_TrkPtNo);
}

void CMFCTargetTabCtrl::InitTargetPropList()
{
    CMyMFCPropertyGridCtrl& grid = m_wndTargetPropList;
    if (!grid.GetSafeHwnd() || !m_pTrackObject)
        return;
    BeginList(grid);
    const CTrackObject& t = *m_pTrackObject;
    const TargetPlotOptionsDef& o = t.m_PlotOptions;

    auto* target = new CMFCPropertyGridProperty("Target");
    auto* file = Choice("File Name", CString(), "Select the Waypoint File", ITEM_WAYPOINT_FILE);
    FillWaypointFiles(file);
    target->AddSubItem(file);
    auto* waypoint = Choice("Waypoint", CString(), nullptr, ITEM_WAYPOINT);
    FillWaypoints(waypoint);
    target->AddSubItem(waypoint);
    target->AddSubItem(Locked(new CMFCPropertyGridDouble("Easting", t.m_TargetWaypoint.Easting, "%10.2lfE")));
    target->AddSubItem(Locked(new CMFCPropertyGridDouble("Northing", t.m_TargetWaypoint.Northing, "%10.2lfN")));
    grid.AddProperty(target);

    auto* alignment = new CMFCPropertyGridProperty("Alignment");
    alignment->AddSubItem(new CMFCPropertyGridAngleDouble("True", t.m_TargetHeading, kTrueMode,
                                                          "True Alignment of Shadow in Degrees", ITEM_TRUE_ALIGNMENT));
    alignment->AddSubItem(Locked(new CMFCPropertyGridAngleDouble("Grid", Radians(t.m_GridHeading), kGridMode)));
    alignment->AddSubItem(Locked(new CMFCPropertyGridAngleDouble("Convergence", t.m_Convergence, kSignedMode)));
    grid.AddProperty(alignment);

    auto* position = new CMFCPropertyGridProperty("Position Tolerance");
    auto* type = Choice("Type", o.ShapeBox ? kBox : kRadial, "Select the type of tolerance shape to use",
                        ITEM_TOLERANCE_TYPE);
    type->AddOption(kRadial, FALSE);
    type->AddOption(kBox, FALSE);
    position->AddSubItem(type);
    position->AddSubItem(Switch("Display", o.DrawRings, "Determine whether to display Range Rings", ITEM_DRAW_RINGS));
    auto* boxX = new CMFCPropertyGridDouble("X", o.BoxSizeX, "%6.2lf", "Box +/- Tolerance in X axis ", ITEM_BOX_X);
    auto* boxY = new CMFCPropertyGridDouble("Y", o.BoxSizeY, "%6.2lf", nullptr, ITEM_BOX_Y);
    boxX->Show(o.ShapeBox);
    boxY->Show(o.ShapeBox);
    position->AddSubItem(boxX);
    position->AddSubItem(boxY);
    auto* rings = new CMFCPropertyGridInteger("Number of Rings", o.NoRings, "Number of Range rings to display",
                                              ITEM_RINGS);
    rings->EnableSpinControl(TRUE, 0, kMaxRings);
    position->AddSubItem(rings);
    auto* ringSize = new CMFCPropertyGridDouble("Ring Size", o.RadiusMetres, "%4.0lfm", "Ring size in metres",
                                                ITEM_RING_SIZE);
    ringSize->Show(!o.ShapeBox);
    position->AddSubItem(ringSize);
    position->AddSubItem(
        Colour("Ring Colour", o.RingColour, "Specifies the pen color of the range rings", ITEM_RING_COLOUR));
    auto* cardinals = new CMFCPropertyGridProperty("Cardinal Points Labels");
    cardinals->AddSubItem(
        Switch("Show", o.DisplayLabels, "Label Cardinal points around the range rings", ITEM_LABEL_CARDINALS));
    cardinals->AddSubItem(Colour("Colour", o.CardinalColour, nullptr, ITEM_CARDINAL_COLOUR));
    position->AddSubItem(cardinals);
    auto* ringLabels = new CMFCPropertyGridProperty("Range Rings Labels");
    ringLabels->AddSubItem(Switch("Show", o.LabelRings, "Label the range rings", ITEM_LABEL_RINGS));
    ringLabels->AddSubItem(
        Colour("Colour", o.TextColour, "Specifies the pen color of the range rings Label", ITEM_RING_LABEL_COLOUR));
    position->AddSubItem(ringLabels);
    grid.AddProperty(position);

    auto* heading = new CMFCPropertyGridProperty("Heading Tolerance");
    heading->AddSubItem(new CMFCPropertyGridDouble("Heading", t.m_HeadingTolerance, "%6.2lf", "Heading +/- Tolerance ",
                                                   ITEM_HEADING_TOLERANCE));
    heading->AddSubItem(new CMFCPropertyGridAngleDouble("Minimum", Radians(o.StartZoneLine), kGridMode));
    heading->AddSubItem(new CMFCPropertyGridAngleDouble("Maximum", Radians(o.StopZoneLine), kGridMode));
    heading->AddSubItem(
        Switch("Display", o.DrawZoneLines, "Determine whether to display zone Lines", ITEM_DRAW_ZONE));
    heading->AddSubItem(Colour("Zone Colour", o.ZoneLineColour, nullptr, ITEM_ZONE_COLOUR));
    grid.AddProperty(heading);

    auto* rotation = new CMFCPropertyGridProperty("Rotation Tolerance");
    rotation->AddSubItem(
        new CMFCPropertyGridDouble("Pitch", t.m_PitchTolerance, "%6.2lf", "Pitch +/- Tolerance ", ITEM_PITCH));
    rotation->AddSubItem(
        new CMFCPropertyGridDouble("Roll", t.m_RollTolerance, "%6.2lf", "Roll +/- Tolerance ", ITEM_ROLL));
    grid.AddProperty(rotation);
    auto* vertical = new CMFCPropertyGridProperty("Vertical Tolerance");
    vertical->AddSubItem(
        new CMFCPropertyGridDouble("Depth", t.m_DepthTolerance, "%6.2lf", "Depth +/- Tolerance ", ITEM_DEPTH));
    grid.AddProperty(vertical);
    SetTabColours();
}

void CMFCTargetTabCtrl::InitShadowPropList()
{
    CMyMFCPropertyGridCtrl& grid = m_wndShadowPropList;
    if (!grid.GetSafeHwnd() || !m_pTrackObject)
        return;
    BeginList(grid);
    const CTrackObject& t = *m_pTrackObject;

    auto* shadow = new CMFCPropertyGridProperty("Shadow");
    shadow->AddSubItem(
        Switch("Show", t.m_bShowOutline, "Determine whether to display the outline", ITEM_SHOW_OUTLINE));
    grid.AddProperty(shadow);

    auto* alignment = new CMFCPropertyGridProperty("Alignment");
    alignment->AddSubItem(new CMFCPropertyGridAngleDouble(
        "True", t.m_TargetHeading, kTrueMode, "True Alignment of Shadow in Degrees", ITEM_SHADOW_TRUE_ALIGNMENT));
    alignment->AddSubItem(Locked(new CMFCPropertyGridAngleDouble("Grid", Radians(t.m_GridHeading), kGridMode)));
    alignment->AddSubItem(Locked(new CMFCPropertyGridAngleDouble("Convergence", t.m_Convergence, kSignedMode)));
    grid.AddProperty(alignment);

    auto* crp = new CMFCPropertyGridProperty("Common Reference Point");
    auto* type = Choice("Type", CString(), "Select the type offset to track", ITEM_POINT_TYPE);
    FillPointTypes(type);
    crp->AddSubItem(type);
    auto* point = Choice("Offset", CString(), "Select Offset Point", ITEM_POINT);
    FillPoints(point);
    crp->AddSubItem(point);
    const TrackingPointDef* selected = SelectedPoint();
    crp->AddSubItem(Locked(new CMFCPropertyGridDouble("X", selected ? selected->X : 0.0, "%+8.3lfm",
                                                      "Offset X from Outline CRP to Tracking Point", ITEM_POINT_X)));
    crp->AddSubItem(Locked(new CMFCPropertyGridDouble("Y", selected ? selected->Y : 0.0, "%+8.3lfm",
                                                      "Offset Y from Outline CRP to Tracking Point", ITEM_POINT_Y)));
    crp->AddSubItem(Locked(new CMFCPropertyGridDouble("Easting", t.m_TargetPosition.x, "%10.2lfE")));
    crp->AddSubItem(Locked(new CMFCPropertyGridDouble("Northing", t.m_TargetPosition.y, "%10.2lfN")));
    grid.AddProperty(crp);

    auto* shape = new CMFCPropertyGridProperty("Shape");
    shape->AddSubItem(Colour("Colour", t.m_OutlineColour, "Colour of outline (Except DXF file)", ITEM_OUTLINE_COLOUR));
    shape->AddSubItem(new CMFCPropertyGridLineThicknessProperty(static_cast<short>(t.m_OutlineSize), t.m_OutlineColour,
                                                                ITEM_OUTLINE_THICKNESS));
    shape->AddSubItem(new CMFCPropertyGridFillStyleProperty(static_cast<short>(t.m_OutlineFill), t.m_OutlineColour,
                                                            ITEM_OUTLINE_FILL));
    grid.AddProperty(shape);
}

void CMFCTargetTabCtrl::ShowAlignment(CMyMFCPropertyGridCtrl& grid, bool withTrue)
{
    const int group = &grid == &m_wndTargetPropList ? static_cast<int>(TG_ALIGNMENT) : static_cast<int>(SG_ALIGNMENT);
    if (withTrue)
        SetDouble(grid, group, kTrue, m_pTrackObject->m_TargetHeading);
    SetDouble(grid, group, kGrid, Radians(m_pTrackObject->m_GridHeading));
    SetDouble(grid, group, kConvergence, m_pTrackObject->m_Convergence);
}

void CMFCTargetTabCtrl::ShowZoneLimits()
{
    TargetPlotOptionsDef& o = m_pTrackObject->m_PlotOptions;
    ComputeZoneLimits(m_pTrackObject->m_GridHeading, m_pTrackObject->m_HeadingTolerance, o.StartZoneLine,
                      o.StopZoneLine);
    SetDouble(m_wndTargetPropList, TG_HEADING, kMinimum, Radians(o.StartZoneLine));
    SetDouble(m_wndTargetPropList, TG_HEADING, kMaximum, Radians(o.StopZoneLine));
}

void CMFCTargetTabCtrl::ShowPointOffsets()
{
    const TrackingPointDef* point = SelectedPoint();
    SetDouble(m_wndShadowPropList, SG_CRP, 2, point ? point->X : 0.0);
    SetDouble(m_wndShadowPropList, SG_CRP, 3, point ? point->Y : 0.0);
}

void CMFCTargetTabCtrl::ShowTargetWaypoint()
{
    SetDouble(m_wndTargetPropList, TG_TARGET, kTargetEasting, m_pTrackObject->m_TargetWaypoint.Easting);
    SetDouble(m_wndTargetPropList, TG_TARGET, kTargetEasting + 1, m_pTrackObject->m_TargetWaypoint.Northing);
}

void CMFCTargetTabCtrl::UpdateWaypoint()
{
    if (!m_pTrackObject)
        return;
    ShowAlignment(m_wndShadowPropList, true);
    if (CMFCPropertyGridProperty* file = m_wndTargetPropList.FindItemByData(ITEM_WAYPOINT_FILE))
        FillWaypointFiles(file);
    if (CMFCPropertyGridProperty* waypoint = m_wndTargetPropList.FindItemByData(ITEM_WAYPOINT))
        FillWaypoints(waypoint);
    ShowTargetWaypoint();
    UpdateCrp();
}

void CMFCTargetTabCtrl::UpdateCrp()
{
    if (!m_pTrackObject)
        return;
    CTrackObject& t = *m_pTrackObject;
    const GridWaypointDef& waypoint = t.m_TargetWaypoint;
    if (const TrackingPointDef* point = SelectedPoint())
        RotateOffset(waypoint.Easting, waypoint.Northing, -point->X, -point->Y, t.m_SinHeading, t.m_CosHeading,
                     &t.m_TargetPosition.x, &t.m_TargetPosition.y);
    else
        t.m_TargetPosition = tagXY{waypoint.Easting, waypoint.Northing};
    SetDouble(m_wndShadowPropList, SG_CRP, kCrpEasting, t.m_TargetPosition.x);
    SetDouble(m_wndShadowPropList, SG_CRP, kCrpEasting + 1, t.m_TargetPosition.y);
}

void CMFCTargetTabCtrl::UpdateVessel()
{
    if (!m_pTrackObject)
        return;
    if (CMFCPropertyGridProperty* type = m_wndShadowPropList.FindItemByData(ITEM_POINT_TYPE))
        type->SetValue(COleVariant(m_pTrackObject->GetTrackingPointTypeName()));
    if (CMFCPropertyGridProperty* point = m_wndShadowPropList.FindItemByData(ITEM_POINT))
        FillPoints(point);
    ShowPointOffsets();
    UpdateCrp();
    SaveTrackObject();
}

void CMFCTargetTabCtrl::OnTargetChanged(CMFCPropertyGridProperty* item)
{
    CTrackObject& t = *m_pTrackObject;
    TargetPlotOptionsDef& o = t.m_PlotOptions;
    const COleVariant& value = item->GetValue();
    switch (item->GetData())
    {
    case ITEM_WAYPOINT_FILE:
    {
        const int option = ChosenOption(item);
        if (option >= 0 && option != t.m_WaypointFileIndex)
        {
            t.SetTargetWaypoint(option, -1);
            if (CMFCPropertyGridProperty* waypoint = m_wndTargetPropList.FindItemByData(ITEM_WAYPOINT))
                FillWaypoints(waypoint);
            ShowTargetWaypoint();
            UpdateCrp();
        }
        break;
    }
    case ITEM_WAYPOINT:
    {
        const int option = ChosenOption(item);
        if (option >= 0)
            t.SetTargetWaypoint(t.m_WaypointFileIndex, option);
        ShowAlignment(m_wndShadowPropList, false);
        ShowAlignment(m_wndTargetPropList, false);
        ShowTargetWaypoint();
        UpdateCrp();
        break;
    }
    case ITEM_TRUE_ALIGNMENT:
        if (value.dblVal != t.m_TargetHeading)
            t.SetTargetHeading(value.dblVal);
        t.ComputeTargetOutline();
        ShowAlignment(m_wndShadowPropList, true);
        ShowAlignment(m_wndTargetPropList, false);
        UpdateCrp();
        ShowZoneLimits();
        break;
    case ITEM_DRAW_RINGS: o.DrawRings = IsOn(item); break;
    case ITEM_TOLERANCE_TYPE:
    {
        o.ShapeBox = value.ToText() != kRadial;
        m_wndTargetPropList.FindItemByData(ITEM_BOX_X)->Show(o.ShapeBox);
        m_wndTargetPropList.FindItemByData(ITEM_BOX_Y)->Show(o.ShapeBox);
        m_wndTargetPropList.FindItemByData(ITEM_RING_SIZE)->Show(!o.ShapeBox);
        break;
    }
    case ITEM_BOX_X:
    case ITEM_BOX_Y:
    {
        double& size = item->GetData() == ITEM_BOX_X ? o.BoxSizeX : o.BoxSizeY;
        if (value.dblVal != size)
            size = value.dblVal;
        t.ComputeTargetOutline();
        break;
    }
    case ITEM_RINGS:
    {
        // The spin offers 0 to 25 and all of it is kept; a count outside is refused and the
        // item shows the kept one again.
        const int rings = static_cast<int>(value.lVal);
        if (rings >= 0 && rings <= kMaxRings)
            o.NoRings = rings;
        else
            static_cast<CMFCPropertyGridInteger*>(item)->SetInteger(o.NoRings);
        break;
    }
    case ITEM_RING_SIZE: o.RadiusMetres = value.dblVal; break;
    case ITEM_RING_COLOUR: o.RingColour = ColourOf(item); break;
    case ITEM_HEADING_TOLERANCE:
        t.m_HeadingTolerance = value.dblVal;
        ShowZoneLimits();
        break;
    case ITEM_DRAW_ZONE: o.DrawZoneLines = IsOn(item); break;
    case ITEM_ZONE_COLOUR: o.ZoneLineColour = ColourOf(item); break;
    case ITEM_PITCH: t.m_PitchTolerance = value.dblVal; break;
    case ITEM_ROLL: t.m_RollTolerance = value.dblVal; break;
    case ITEM_DEPTH: t.m_DepthTolerance = value.dblVal; break;
    case ITEM_LABEL_CARDINALS: o.DisplayLabels = IsOn(item); break;
    case ITEM_CARDINAL_COLOUR: o.CardinalColour = ColourOf(item); break;
    case ITEM_LABEL_RINGS: o.LabelRings = IsOn(item); break;
    case ITEM_RING_LABEL_COLOUR: o.TextColour = ColourOf(item); break;
    default: break;
    }
}

void CMFCTargetTabCtrl::OnShadowChanged(CMFCPropertyGridProperty* item)
{
    CTrackObject& t = *m_pTrackObject;
    const COleVariant& value = item->GetValue();
    switch (item->GetData())
    {
    case ITEM_SHOW_OUTLINE: t.m_bShowOutline = IsOn(item); break;
    case ITEM_SHADOW_TRUE_ALIGNMENT:
        if (value.dblVal != t.m_TargetHeading)
            t.SetTargetHeading(value.dblVal);
        ShowAlignment(m_wndTargetPropList, true);
        ShowAlignment(m_wndShadowPropList, false);
        UpdateCrp();
        break;
    case ITEM_POINT_TYPE:
    {
        const CString text = value.ToText();
        for (int type = 0; type <= TP_BEACON; ++type)
            if (text == TrackingPointTypeName(type))
            {
                t.m_TrkPtType = type;
                break;
            }
        if (CMFCPropertyGridProperty* point = m_wndShadowPropList.FindItemByData(ITEM_POINT))
            FillPoints(point);
        ShowPointOffsets();
        UpdateCrp();
        break;
    }
    case ITEM_POINT:
    {
        const int option = ChosenOption(item);
        if (option >= 0)
            t.m_TrkPtNo = option;
        ShowPointOffsets();
        UpdateCrp();
        break;
    }
    case ITEM_OUTLINE_COLOUR:
        t.m_OutlineColour = ColourOf(item);
        for (DWORD_PTR id : {ITEM_OUTLINE_THICKNESS, ITEM_OUTLINE_FILL})
            if (auto* sample = dynamic_cast<CMFCPropertyGridSampleProperty*>(m_wndShadowPropList.FindItemByData(id)))
                sample->SetColour(t.m_OutlineColour);
        break;
    case ITEM_OUTLINE_THICKNESS:
        t.m_OutlineSize = static_cast<CMFCPropertyGridLineThicknessProperty*>(item)->GetThickness();
        break;
    case ITEM_OUTLINE_FILL: t.m_OutlineFill = static_cast<CMFCPropertyGridFillStyleProperty*>(item)->GetFillStyle(); break;
    default: break;
    }
}

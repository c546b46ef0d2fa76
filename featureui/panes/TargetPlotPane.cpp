#include "featureui/panes/TargetPlotPane.h"

#include "featureui/panes/FeaturePaneResources.h"
#include "featureui/panes/PaneGrid.h"
#include "features/RedrawChart.h"
#include "features/TargetPlot.h"
#include "foundation/ConfigFile.h"
#include "geodesy/Projection.h"
#include "outside/panes/PropertyGridInteger.h"
#include "outside/panes/PropertyGridItems.h"
#include "outside/panes/units/AngleDouble.h"
#include "outside/panes/units/AngleProperty.h"
#include "foundation/AngleFormat.h"
#include "platform/ui/Resources.h"

#include <cmath>

namespace
{
constexpr int kMaxRings = 25;
constexpr int kTrueBearingMode = 0;
constexpr double kRadiansPerDegree = 0.017453292519943;

bool IsOn(const CMFCPropertyGridProperty* item)
{
    return item->GetValue().boolVal != 0;
}

COLORREF ColourOf(const CMFCPropertyGridProperty* item)
{
    return static_cast<const CMFCPropertyGridPrimaryColourProperty*>(item)->GetColour();
}

CMFCPropertyGridProperty* Choice(const char* name, const char* value, const char* const* options, LPCTSTR descr,
                                 DWORD_PTR id)
{
    auto* item = new CMFCPropertyGridProperty(name, COleVariant(value), descr, id);
    item->AddOption(options[0], FALSE);
    item->AddOption(options[1], FALSE);
    item->AllowEdit(FALSE);
    return item;
}

CMFCPropertyGridProperty* Colour(const char* name, COLORREF colour, LPCTSTR descr, DWORD_PTR id)
{
    return new CMFCPropertyGridPrimaryColourProperty(name, colour, 28, descr, id);
}
} // namespace

const char* const CTargetPlotPane::m_UnitsTxt[2] = {"Metres", "Nautical Miles"};
const char* const CTargetPlotPane::m_ModeTxt[2] = {"Fixed", "Vessel"};
const char* const CTargetPlotPane::m_OrientationTxt[2] = {"North Up", "Vessel Up"};

// CMyDockablePane keeps no run-time class of its own.
IMPLEMENT_DYNAMIC(CTargetPlotPane, CDockablePane)

BEGIN_MESSAGE_MAP(CTargetPlotPane, CPropertyGridPane)
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, &CTargetPlotPane::OnPropertyChanged)
END_MESSAGE_MAP()

BOOL CTargetPlotPane::Create(CWnd* pOwner, int nID, CTargetPlot* pTargetPlot, bool* pVesselMode,
                             CProjection* pProjection)
{
    RegisterFeaturePaneStrings();
    CString title;
    AfxLoadString(IDS_TARGET_PLOT_WINDOW, title);
    if (!CMyDockablePane::Create(pOwner, nID, title))
        return FALSE;
    m_pTargetPlot = pTargetPlot;
    m_pVesselMode = pVesselMode;
    m_pProjection = pProjection;
    InitPropList();
    AdjustLayout();
    return TRUE;
}

void CTargetPlotPane::InitPropList()
{
    if (m_wndPropList.GetSafeHwnd() == nullptr || m_pTargetPlot == nullptr)
        return;
    m_wndPropList.RemoveAll();
    m_pOrientation = nullptr;
    m_pHeadingMode = nullptr;
    CreatePropListFont(m_fntPropList);
    m_wndPropList.SetFont(&m_fntPropList);
    ApplyGreyGridScheme(m_wndPropList);
    m_wndPropList.MarkModifiedProperties(TRUE, TRUE);
    const CTargetPlot& plot = *m_pTargetPlot;

    auto* location = new CMFCPropertyGridProperty("Location");
    if (m_pVesselMode != nullptr)
        location->AddSubItem(Choice("Mode", m_ModeTxt[*m_pVesselMode ? 1 : 0], m_ModeTxt,
                                    "Position of target based on a fixed position or the vessel position", ITEM_MODE));
    location->AddSubItem(new CMFCPropertyGridAngleProperty("Latitude", plot.m_Latitude, ANGLE_LATITUDE,
                                                           "Latitude of the centre of the target rings", ITEM_LATITUDE));
    location->AddSubItem(new CMFCPropertyGridAngleProperty(
        "Longitude", plot.m_Longitude, ANGLE_LONGITUDE, "Longitude of the centre of the target rings", ITEM_LONGITUDE));
    m_wndPropList.AddProperty(location);

    auto* drawing = new CMFCPropertyGridProperty("Drawing");
    drawing->AddSubItem(
        new CMFCPropertyGridBool("Display", plot.DrawRings, "Determine whether to display Range Rings", ITEM_DRAW_RINGS));
    if (m_pVesselMode != nullptr)
    {
        m_pHeadingMode = Choice("Heading Mode", m_OrientationTxt[plot.NorthUp ? 0 : 1], m_OrientationTxt,
                                "Orientation of the Target Plot", ITEM_HEADING_MODE);
        drawing->AddSubItem(m_pHeadingMode);
        m_pOrientation = new CMFCPropertyGridAngleInteger("Orientation", plot.m_Orientation,
                                                          "Orientation of the Target Plot", ITEM_ORIENTATION);
        drawing->AddSubItem(m_pOrientation);
    }
    m_wndPropList.AddProperty(drawing);

    auto* rings = new CMFCPropertyGridProperty("Rings");
    rings->AddSubItem(
        Choice("Units", m_UnitsTxt[plot.NauticalMiles ? 1 : 0], m_UnitsTxt, "Units for the range rings", ITEM_UNITS));
    auto* count = new CMFCPropertyGridInteger("Number of Rings", plot.NoRings, "Number of Range rings to display",
                                              ITEM_RINGS);
    count->EnableSpinControl(TRUE, 0, kMaxRings);
    rings->AddSubItem(count);
    auto* metres =
        new CMFCPropertyGridDouble("Ring Size", plot.RadiusMetres, "%4.0lfm", "Ring size in metres", ITEM_RING_SIZE_METRES);
    auto* miles = new CMFCPropertyGridDouble("Ring Size", plot.RadiusNM, "%7.3lfNm", "Ring size in nautical miles",
                                             ITEM_RING_SIZE_NM);
    metres->Show(!plot.NauticalMiles);
    miles->Show(plot.NauticalMiles);
    rings->AddSubItem(metres);
    rings->AddSubItem(miles);
    rings->AddSubItem(
        Colour("Ring Colour", plot.RingColour, "Specifies the pen color of the range rings", ITEM_RING_COLOUR));
    m_wndPropList.AddProperty(rings);

    auto* zone = new CMFCPropertyGridProperty("Zone Lines");
    zone->AddSubItem(
        new CMFCPropertyGridBool("Display", plot.DrawZoneLines, "Determine whether to display zone Lines", ITEM_DRAW_ZONE));
    zone->AddSubItem(new CMFCPropertyGridAngleDouble("Start Bearing", plot.StartZoneLine, kTrueBearingMode,
                                                     "Start bearing of zone", ITEM_START_BEARING));
    zone->AddSubItem(new CMFCPropertyGridAngleDouble("Stop Bearing", plot.StopZoneLine, kTrueBearingMode,
                                                     "Stop bearing of zone", ITEM_STOP_BEARING));
    zone->AddSubItem(Colour("Zone Colour", plot.ZoneLineColour, nullptr, ITEM_ZONE_COLOUR));
    m_wndPropList.AddProperty(zone);

    auto* labels = new CMFCPropertyGridProperty("Labels");
    auto* cardinals = new CMFCPropertyGridProperty("Cardinal Points");
    cardinals->AddSubItem(new CMFCPropertyGridBool("Show", plot.DisplayLabels,
                                                   "Label Cardinal points around the range rings", ITEM_LABEL_CARDINALS));
    cardinals->AddSubItem(Colour("Colour", plot.CardinalColour, nullptr, ITEM_CARDINAL_COLOUR));
    labels->AddSubItem(cardinals);
    auto* ringLabels = new CMFCPropertyGridProperty("Range Rings");
    ringLabels->AddSubItem(new CMFCPropertyGridBool("Show", plot.LabelRings, "Label the range rings", ITEM_LABEL_RINGS));
    ringLabels->AddSubItem(
        Colour("Colour", plot.TextColour, "Specifies the pen color of the range rings Label", ITEM_RING_LABEL_COLOUR));
    labels->AddSubItem(ringLabels);
    m_wndPropList.AddProperty(labels);
}

void CTargetPlotPane::StoreZoneBearing(CMFCPropertyGridProperty* item, double& bearing)
{
    const double value = item->GetValue().dblVal;
    if (value >= 0.0 && value <= 360.0)
        bearing = value == 360.0 ? 0.0 : value;
    // What the item shows is what is kept.
    static_cast<CMFCPropertyGridAngleDouble*>(item)->SetAngle(bearing);
}

bool CTargetPlotPane::StoreChange(CMFCPropertyGridProperty* item)
{
    CTargetPlot& plot = *m_pTargetPlot;
    const COleVariant& value = item->GetValue();
    switch (item->GetData())
    {
    case ITEM_MODE:
        if (m_pVesselMode != nullptr)
            *m_pVesselMode = value.ToText() != m_ModeTxt[0];
        break;
    case ITEM_LATITUDE: plot.SetLatitude(value.dblVal); return true;
    case ITEM_LONGITUDE:
        if (value.dblVal != plot.m_Longitude)
        {
            plot.m_Longitude = value.dblVal;
            plot.m_bChanged = true;
        }
        return true;
    case ITEM_DRAW_RINGS: plot.DrawRings = IsOn(item); break;
    case ITEM_HEADING_MODE:
        if (value.ToText() == m_OrientationTxt[0])
        {
            plot.NorthUp = true;
            if (plot.m_Orientation != 0)
            {
                plot.m_Orientation = 0;
                plot.m_SinOrientation = 0.0;
                plot.m_CosOrientation = 1.0;
            }
            if (m_pOrientation != nullptr)
                static_cast<CMFCPropertyGridAngleInteger*>(m_pOrientation)->SetDegrees(plot.m_Orientation);
        }
        else
            plot.NorthUp = false;
        break;
    case ITEM_ORIENTATION:
    {
        const int degrees = static_cast<CMFCPropertyGridAngleInteger*>(item)->GetDegrees();
        if (degrees != plot.m_Orientation)
        {
            plot.m_Orientation = degrees;
            const bool level = plot.NorthUp || degrees == 0;
            plot.m_SinOrientation = level ? 0.0 : std::sin(degrees * kRadiansPerDegree);
            plot.m_CosOrientation = level ? 1.0 : std::cos(degrees * kRadiansPerDegree);
        }
        if (m_pHeadingMode != nullptr)
            m_pHeadingMode->SetValue(COleVariant(m_OrientationTxt[plot.m_Orientation == 0 ? 0 : 1]));
        break;
    }
    case ITEM_UNITS:
    {
        plot.NauticalMiles = value.ToText() != m_UnitsTxt[0];
        m_wndPropList.FindItemByData(ITEM_RING_SIZE_METRES)->Show(!plot.NauticalMiles);
        m_wndPropList.FindItemByData(ITEM_RING_SIZE_NM)->Show(plot.NauticalMiles);
        break;
    }
    case ITEM_RINGS:
    {
        // All the spin offers is kept; a count outside it puts the kept one back.
        const int rings = static_cast<int>(value.lVal);
        if (rings >= 0 && rings <= kMaxRings)
            plot.NoRings = rings;
        else
            static_cast<CMFCPropertyGridInteger*>(item)->SetInteger(plot.NoRings);
        break;
    }
    case ITEM_RING_SIZE_METRES: plot.RadiusMetres = value.dblVal; break;
    case ITEM_RING_SIZE_NM: plot.RadiusNM = value.dblVal; break;
    case ITEM_RING_COLOUR: plot.RingColour = ColourOf(item); break;
    case ITEM_DRAW_ZONE: plot.DrawZoneLines = IsOn(item); break;
    case ITEM_START_BEARING: StoreZoneBearing(item, plot.StartZoneLine); break;
    case ITEM_STOP_BEARING: StoreZoneBearing(item, plot.StopZoneLine); break;
    case ITEM_ZONE_COLOUR: plot.ZoneLineColour = ColourOf(item); break;
    case ITEM_LABEL_CARDINALS: plot.DisplayLabels = IsOn(item); break;
    case ITEM_CARDINAL_COLOUR: plot.CardinalColour = ColourOf(item); break;
    case ITEM_LABEL_RINGS: plot.LabelRings = IsOn(item); break;
    case ITEM_RING_LABEL_COLOUR: plot.TextColour = ColourOf(item); break;
    default: break;
    }
    return false;
}

void CTargetPlotPane::SaveSettings() const
{
    const CTargetPlot& plot = *m_pTargetPlot;
    CConfigFile::WriteSettingsFile("Target Plot", [&plot](CConfigFile& file) {
        file.WriteDouble("Latitude", plot.m_Latitude, 16);
        file.WriteDouble("Longitude", plot.m_Longitude, 16);
        file.WriteInt("Orientation", plot.m_Orientation);
        plot.SaveSettings(file);
    });
}

void CTargetPlotPane::MoveChartToCentre() const
{
    tagXY centre{};
    if (m_pProjection == nullptr ||
        !m_pProjection->GeographicToGrid(m_pTargetPlot->m_Latitude, m_pTargetPlot->m_Longitude, &centre.x, &centre.y))
    {
        // Without grid metres for the centre the chart cannot go there; it is only redrawn.
        RedrawChart(m_pOwner);
        return;
    }
    MoveChartToPoint(m_pOwner, centre);
}

LRESULT CTargetPlotPane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    if (item == nullptr || m_pTargetPlot == nullptr)
        return 0;
    const bool moved = StoreChange(item);
    SaveSettings();
    if (moved)
        MoveChartToCentre();
    else
        RedrawChart(m_pOwner);
    return 0;
}

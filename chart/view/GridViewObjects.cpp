// The chart view's drawing of the moving objects: the vessel and the template with their
// targets, trails, outlines and tracking points, anchors and tugs, laser fixes, training
// objects and a transit fix.
#include "chart/view/GridView.h"

#include "chart/objects/AnchorPattern.h"
#include "chart/plot/RangeRings.h"
#include "chart/objects/Tugs.h"
#include "chart/objects/VesselPoints.h"
#include "features/Barge.h"
#include "features/Template.h"
#include "foundation/SelectedObjects.h"
#include "geodesy/Gps.h"

#include <cfloat>
#include <cmath>

namespace
{
constexpr double kDegree = M_PI / 180.0;
constexpr int kAnchorCell = 16;
constexpr int kTouchdownCell = 4;

bool IsZero(const tagXY& p)
{
    return p.x == 0.0 && p.y == 0.0;
}

// A laser reading whose values are known.
bool HasValidValues(const CLaser* laser)
{
    return laser != nullptr && laser->HasReading && laser->Latest.Range != DBL_MAX && laser->Latest.Range != -1.0 &&
           laser->Latest.Prism.x != DBL_MAX && laser->Latest.Prism.y != DBL_MAX;
}
} // namespace

void CGridView::DrawPoint(const TrackingPointDef& point, const tagXY& position, const char* label)
{
    DrawSymbol(position, 0, static_cast<short>(point.GetSymbol()), 0, point.GetColour(), point.GetColour(),
               static_cast<SYMBOL_SIZE>(point.GetSymbolSize()), label, LABEL_MODE_NAME,
               m_bDeclutter ? LABEL_POS_NONE : static_cast<LABEL_POSITION>(point.GetLabelPosition()));
}

void CGridView::DrawOutlineByMode(CTrackObject& object, const tagXY& position, double heading, bool shadow)
{
    switch (object.m_OutlineMode)
    {
    case 2: m_Plot.DrawVesselShape(heading, position, &object.m_Outline); break;
    case 1:
    case 3:
    case 4:
        m_Plot.DrawVesselOutline(position.x, position.y, object.m_OutlineShape,
                                 shadow ? object.GetShadowPen() : object.GetOutlinePen(), heading);
        break;
    default: break;
    }
}

void CGridView::DrawTarget(CTrackObject* object)
{
    if (object == nullptr)
        return;
    const TargetPlotOptionsDef& options = object->m_PlotOptions;
    if (options.DrawRings)
    {
        if (options.ShapeBox)
        {
            CPen pen(PS_SOLID, 1, m_Plot.DisplayColour(options.RingColour));
            SelectedObjects selected(m_Plot, &pen, nullptr);
            for (int i = 0; i < 4; ++i)
                m_Plot.DrawLineXY(object->m_BoxCorner[i], object->m_BoxCorner[(i + 1) % 4]);
        }
        else
        {
            const POINT centre = m_Plot.GridToScreenPoint(object->m_Position.x, object->m_Position.y);
            const double angle = m_Plot.northUp ? 0.0 : m_Plot.angleOffset + m_Plot.orientation;
            DrawRangeRings(&m_Plot, centre.x, centre.y, angle, options, m_Plot.pixelsPerMetre);
        }
    }
    if (object->m_bTargetDisplay)
    {
        tagXY target{0.0, 0.0};
        object->GetTargetPosition(target);
        DrawOutlineByMode(*object, target, object->m_GridHeading, true);
    }
}

void CGridView::DrawTrail(bool enabled, bool shown, COLORREF colour, CTrail* trail)
{
    if (!enabled || !shown || trail == nullptr)
        return;
    CBrush brush(m_Plot.DisplayColour(colour));
    CPen pen(PS_SOLID, 1, m_Plot.DisplayColour(colour));
    SelectedObjects selected(m_Plot, &pen, &brush);
    for (INT_PTR i = 0; i < trail->GetSize(); ++i)
    {
        int x = 0, y = 0;
        if (!m_Plot.IsOutside(trail->GetAt(i).x, trail->GetAt(i).y, &x, &y))
            m_Plot.Ellipse(x - 2, y - 2, x + 2, y + 2);
    }
}

void CGridView::DrawVelocityVector(CXYArray* points, CPen* pen, bool ticks, POINT offset)
{
    if (points == nullptr || points->GetSize() < 2)
        return;
    SelectedObjects selected(m_Plot, pen, nullptr);
    m_Plot.DrawLineXY(points->GetAt(0), points->GetAt(points->GetSize() - 1));
    for (INT_PTR i = 1; ticks && i + 1 < points->GetSize(); ++i)
    {
        int x = 0, y = 0;
        if (m_Plot.IsOutside(points->GetAt(i).x, points->GetAt(i).y, &x, &y))
            continue;
        m_Plot.MoveTo(x + offset.x, y + offset.y);
        m_Plot.LineTo(x - offset.x, y - offset.y);
    }
}

void CGridView::DrawObject(ObjectDef* object, COLORREF colour)
{
    int x = 0, y = 0;
    if (object == nullptr || IsZero(object->Position) || m_Plot.IsOutside(object->Position.x, object->Position.y, &x, &y))
        return;
    m_Plot.DrawOrientedTriangle(CMyDC::PenStyleAndWidth(tagPen{PS_SOLID, 1, colour, -1}), -1, colour, x, y,
                                object->Heading * kDegree);
}

void CGridView::DrawAnchorCell(int cell, int x, int y)
{
    // Five quarters of a 16-pixel cell: a 20-pixel square about its centre.
    m_Plot.DrawBitmapSymbol(&m_Bitmaps[0], cell, 4, x, y, kAnchorCell, kAnchorCell, kAnchorCell / 2, kAnchorCell / 2);
}

void CGridView::DrawAnchor(tagPen* pen, int status, const char* label, double easting, double northing, double radius)
{
    int x = 0, y = 0;
    if (m_Plot.IsOutside(easting, northing, &x, &y))
        return;
    if (status >= 1 && status <= 3)
        DrawAnchorCell(status - 1, x, y);
    if (label != nullptr && *label != '\0')
        m_Plot.DrawLabel(label, 16, LABEL_POS_BOTTOM, x, y);
    if (pen != nullptr && radius > 0.0)
    {
        CPen circle(pen->nStyle, pen->nThickness, m_Plot.DisplayColour(pen->Colour));
        SelectedObjects selected(m_Plot, &circle, &m_Plot.hollowBrush);
        m_Plot.DrawArc(easting, northing, radius, 0.0, 2.0 * M_PI, 1);
    }
}

void CGridView::DrawAnchors(CAnchorPattern* anchors)
{
    if (anchors == nullptr)
        return;
    CPen cablePen(anchors->m_CablePen.nStyle, anchors->m_CablePen.nThickness,
                  m_Plot.DisplayColour(anchors->m_CablePen.Colour));
    for (INT_PTR i = 0; i < anchors->GetSize(); ++i)
    {
        AnchorPatternDef& anchor = anchors->ElementAt(i);
        if (!anchor.Active || anchor.Status < 1 || anchor.Status > 3)
            continue;
        tagPen& style = anchors->m_StatusPens[anchor.Status - 1];
        CPen statusPen(style.nStyle, style.nThickness, m_Plot.DisplayColour(style.Colour));
        {
            SelectedObjects selected(m_Plot, &statusPen, nullptr);
            if (IsZero(anchor.Position) || anchor.Status == ANCHOR_STATUS_ON_DECK)
            {
                if (!IsZero(anchor.VesselSide))
                    m_Plot.DrawLineXY(anchor.Fairlead, anchor.VesselSide);
                if (anchor.Status == ANCHOR_STATUS_ON_DECK && anchor.Cable.GetSize() >= 2)
                {
                    SelectedObjects cable(m_Plot, &cablePen, nullptr);
                    m_Plot.DrawLineXY(anchor.Cable[0], anchor.Cable[1]);
                }
            }
            else
            {
                m_Plot.DrawLineXY(anchor.VesselSide, anchor.Position);
                {
                    SelectedObjects cable(m_Plot, &cablePen, nullptr);
                    for (INT_PTR p = 1; p < anchor.Cable.GetSize(); ++p)
                        m_Plot.DrawLineXY(anchor.Cable[p - 1], anchor.Cable[p]);
                }
                DrawVectorSymbol(anchor.Position, VECTOR_CIRCLE, 0x0000FF, SYMBOL_MEDIUM, "", LABEL_MODE_NONE,
                                 LABEL_POS_NONE);
            }
        }
        for (INT_PTR t = 0; t < anchor.Touchdown.GetSize(); ++t)
        {
            int x = 0, y = 0;
            if (!m_Plot.IsOutside(anchor.Touchdown[t].x, anchor.Touchdown[t].y, &x, &y))
                DrawAnchorCell(kTouchdownCell, x, y);
        }
        DrawAnchor(&style, anchor.Status, anchor.Name, anchor.Position.x, anchor.Position.y, anchor.Radius);
    }
}

void CGridView::DrawTugs(CTugs* tugs)
{
    if (tugs == nullptr)
        return;
    for (TugDef& tug : tugs->m_Tugs)
    {
        int x = 0, y = 0;
        if (!tug.Active || !tug.Shown || m_Plot.IsOutside(tug.Position.x, tug.Position.y, &x, &y))
            continue;
        DrawTrail(tug.EnableTrail, tug.ShowTrail, tug.TrailColour, &tug.Trail);
        m_Plot.DrawVectorSymbol(VECTOR_FILLED_CIRCLE, tug.Colour, 0xFFFFFF, 16, x, y);
        if (tug.Label && !tug.Name.IsEmpty())
            m_Plot.DrawLabel(tug.Name, 16, LABEL_POS_BOTTOM, x, y);
    }
}

void CGridView::DrawLaser()
{
    if (m_pVessel == nullptr || m_pLasers == nullptr)
        return;
    for (INT_PTR i = 0; i < m_pVessel->m_RefSystems.GetSize() && i < m_pLasers->GetSize(); ++i)
    {
        const TrackingPointDef* refSystem = m_pVessel->m_RefSystems.GetPoint(i);
        const CLaser* laser = m_pLasers->GetAt(i);
        if (refSystem == nullptr || laser == nullptr || !laser->HasReading)
            continue;
        const TrackingPointDef* offset = nullptr;
        if (laser->Mode == 1)
        {
            offset = m_pVessel->m_Offsets.GetPoint(laser->OffsetIndex);
            if (offset == nullptr || !offset->IsEnabled())
                continue;
        }
        else if (laser->Mode != 0)
            continue;

        const LaserReadingDef& reading = laser->Latest;
        const TrackingPointDef* reflector =
            m_pTemplate != nullptr && offset != nullptr ? m_pTemplate->m_Reflectors.GetPoint(reading.TargetNumber - 1)
                                                        : nullptr;
        const tagXY from = offset != nullptr ? offset->Position : laser->Position;
        if (!IsZero(reading.Prism))
        {
            CPen pen(PS_DASHDOT, 1, m_Plot.DisplayColour(offset != nullptr ? offset->GetColour() : 0xFFFFFF));
            SelectedObjects selected(m_Plot, &pen, nullptr);
            m_Plot.DrawLineXY(from, reading.Prism);
            if (reading.Valid && reading.Range > 0.0)
            {
                CString label;
                label.Format("Prism %d", reading.TargetNumber);
                if (reflector != nullptr)
                    DrawPoint(*reflector, reading.Prism, reflector->Name);
                else
                    DrawPoint(*refSystem, reading.Prism, label);
            }
        }
        DrawPoint(*refSystem, from, refSystem->Name);
    }
}

void CGridView::DrawTransitFix(TransitFixDef* fix)
{
    if (fix == nullptr)
        return;
    const int n = fix->TransitCount == 3 ? 3 : 4;
    static const int kPairs3[3][2] = {{0, 3}, {1, 4}, {2, 5}};
    static const int kPairs4[4][2] = {{0, 5}, {1, 4}, {2, 7}, {3, 6}};
    const COLORREF oldText = m_Plot.GetTextColor();
    const int oldBk = m_Plot.GetBkMode();
    {
        CPen grey(PS_SOLID, 1, m_Plot.DisplayColour(0xC0C0C0));
        SelectedObjects selected(m_Plot, &grey, nullptr);
        for (int i = 0; i < n; ++i)
        {
            const tagXY& a = fix->TransitPoints[n == 3 ? kPairs3[i][0] : kPairs4[i][0]];
            const tagXY& b = fix->TransitPoints[n == 3 ? kPairs3[i][1] : kPairs4[i][1]];
            if (a.x != 0.0 && a.y != 0.0 && b.x != 0.0 && b.y != 0.0)
                m_Plot.DrawLineXY(a, b);
        }
    }
    auto label = [&](const tagXY& p, const CString& text, COLORREF colour) {
        int x = 0, y = 0;
        if (IsZero(p) || m_Plot.IsOutside(p.x, p.y, &x, &y))
            return;
        m_Plot.SetTextColor(colour);
        m_Plot.DrawLabel(text, 8, LABEL_POS_TOP, x, y);
    };
    for (int i = 0; i < 2 * n; ++i)
    {
        CString text;
        text.Format("%d", i + 1);
        label(fix->TransitPoints[i], text, 0x00FFFF);
    }
    for (int i = 0; i < n; ++i)
    {
        CString text;
        text.Format("%c", 'A' + i);
        label(fix->Marks[i], text, 0xFFFF00);
    }
    if (!IsZero(fix->FixPosition))
    {
        if (fix->Radius != 0.0)
        {
            CPen dotted(PS_DOT, 1, m_Plot.DisplayColour(0xFF00FF));
            SelectedObjects selected(m_Plot, &dotted, &m_Plot.hollowBrush);
            m_Plot.DrawArc(fix->FixPosition.x, fix->FixPosition.y, std::fabs(fix->Radius), 0.0, 2.0 * M_PI, 1);
        }
        int x = 0, y = 0;
        if (!m_Plot.IsOutside(fix->FixPosition.x, fix->FixPosition.y, &x, &y))
        {
            CPen solid(PS_SOLID, 1, m_Plot.DisplayColour(0xFF00FF));
            SelectedObjects selected(m_Plot, &solid, nullptr);
            m_Plot.MoveTo(x - 5, y);
            m_Plot.LineTo(x + 6, y);
            m_Plot.MoveTo(x, y - 5);
            m_Plot.LineTo(x, y + 6);
        }
    }
    m_Plot.SetTextColor(oldText);
    m_Plot.SetBkMode(oldBk);
}

void CGridView::DrawVesselLayers()
{
    CBarge* vessel = m_pVessel;
    if (vessel == nullptr)
        return;
    const bool heading = vessel->HasHeading();
    DrawTrail(vessel->m_bEnableTrail, vessel->m_bShowTrail, vessel->m_TrailColour, &vessel->m_Trail);

    if (heading)
    {
        tagXY reference = vessel->m_Position;
        const int active = vessel->SelectActiveGps(m_pVesselGps);
        const TrackingPointDef* antenna = vessel->m_Antennas.GetPoint(active);
        if (m_pVesselGps != nullptr && antenna != nullptr && active < m_pVesselGps->GetSize() &&
            IsReceiverValid(m_pVesselGps->GetAt(active)))
            reference = ReferenceFrom(ReceiverPosition(*m_pVesselGps->GetAt(active)), *antenna, vessel->m_Heading);
        DrawOutlineByMode(*vessel, reference, vessel->m_Heading, false);
    }

    for (INT_PTR i = 0; m_pVesselGps != nullptr && i < m_pVesselGps->GetSize(); ++i)
    {
        const TrackingPointDef* antenna = vessel->m_Antennas.GetPoint(i);
        const CGps* gps = m_pVesselGps->GetAt(i);
        if (antenna == nullptr || !IsReceiverValid(gps) || !antenna->IsEnabled())
            continue;
        if (heading)
        {
            CString label;
            label.Format("CRP %d", static_cast<int>(i) + 1);
            DrawPoint(*antenna, ReferenceFrom(ReceiverPosition(*gps), *antenna, vessel->m_Heading), label);
            const TrackingCompanionDef& companion = antenna->Companion;
            if (companion.Enabled)
                DrawSymbol(companion.Position, 0, companion.Symbol, 0, companion.Colour, companion.Colour,
                           static_cast<SYMBOL_SIZE>(companion.Size), companion.Label, LABEL_MODE_NAME,
                           m_bDeclutter ? LABEL_POS_NONE : static_cast<LABEL_POSITION>(companion.LabelPosition));
        }
        DrawPoint(*antenna, ReceiverPosition(*gps), antenna->Name);
    }

    for (INT_PTR i = 0; i < vessel->m_Cranes.GetSize(); ++i)
    {
        const TrackingPointDef* crane = vessel->m_Cranes.GetPoint(i);
        if (crane == nullptr || !crane->IsEnabled())
            continue;
        CPen pen(PS_SOLID, 1, m_Plot.DisplayColour(crane->GetColour()));
        SelectedObjects selected(m_Plot, &pen, &m_Plot.hollowBrush);
        if (heading)
        {
            DrawPoint(*crane, crane->Position, crane->Name);
            if (crane->GetRadius() > 0.0)
                m_Plot.DrawArc(crane->Position.x, crane->Position.y, crane->GetRadius(), 0.0, 2.0 * M_PI, 1);
        }
        const CGps* gps = m_pCraneGps != nullptr && i < m_pCraneGps->GetSize() ? m_pCraneGps->GetAt(i) : nullptr;
        if (IsReceiverValid(gps))
        {
            if (heading)
                m_Plot.DrawLineXY(crane->Position, ReceiverPosition(*gps));
            DrawPoint(*crane, ReceiverPosition(*gps), crane->Name);
        }
    }

    if (!heading)
        return;
    for (INT_PTR i = 0; i < vessel->m_ClumpWeights.GetSize() && i < vessel->m_DroppedClumpWeights.GetSize(); ++i)
    {
        const TrackingPointDef* weight = vessel->m_ClumpWeights.GetPoint(i);
        const DroppedClumpWeightDef& dropped = vessel->m_DroppedClumpWeights[i];
        if (weight == nullptr || !weight->IsEnabled() || dropped.Flag != 1)
            continue;
        const tagXY at{dropped.Easting, dropped.Northing};
        CPen pen(PS_SOLID, 1, m_Plot.DisplayColour(weight->GetColour()));
        SelectedObjects selected(m_Plot, &pen, nullptr);
        m_Plot.DrawLineXY(weight->Position, at);
        DrawPoint(*weight, at, weight->Name);
    }
    for (const CTrackingPointArray* points : {&vessel->m_Legs, &vessel->m_Offsets})
        for (INT_PTR i = 0; i < points->GetSize(); ++i)
            if (const TrackingPointDef* point = points->GetPoint(i); point != nullptr && point->IsEnabled())
                DrawPoint(*point, point->Position, point->Name);
    DrawAnchors(m_pAnchorPattern);
    DrawTugs(m_pTugs);
    if (m_pTemplate == nullptr && m_pLasers != nullptr)
    {
        for (INT_PTR i = 1; i < vessel->m_RefSystems.GetSize() && i < m_pLasers->GetSize(); ++i)
        {
            const TrackingPointDef* refSystem = vessel->m_RefSystems.GetPoint(i);
            const CLaser* laser = m_pLasers->GetAt(i);
            if (refSystem != nullptr && HasValidValues(laser))
                DrawPoint(*refSystem, laser->Latest.Prism, refSystem->Name);
        }
    }
}

void CGridView::DrawTemplateLayers()
{
    CTemplate* object = m_pTemplate;
    if (object == nullptr)
        return;
    DrawTrail(object->m_bEnableTrail, object->m_bShowTrail, object->m_TrailColour, &object->m_Trail);
    DrawOutlineByMode(*object, object->GetSelectedPosition(), object->HasHeading() ? object->m_Heading : 0.0, false);
    for (INT_PTR i = 0; m_pTemplateGps != nullptr && i < m_pTemplateGps->GetSize(); ++i)
    {
        const TrackingPointDef* antenna = object->m_Antennas.GetPoint(i);
        const CGps* gps = m_pTemplateGps->GetAt(i);
        if (antenna == nullptr || !IsReceiverValid(gps) || !antenna->IsEnabled())
            continue;
        DrawPoint(*antenna, antenna->Position, "CRP");
        DrawPoint(*antenna, ReceiverPosition(*gps), antenna->Name);
    }
    for (INT_PTR i = 0; i < object->m_Offsets.GetSize(); ++i)
        if (const TrackingPointDef* point = object->m_Offsets.GetPoint(i); point != nullptr && point->IsEnabled())
            DrawPoint(*point, point->Position, point->Name);
    for (INT_PTR i = 0; m_pLasers != nullptr && i < object->m_Reflectors.GetSize(); ++i)
    {
        bool tracked = false;
        for (INT_PTR l = 0; l < m_pLasers->GetSize() && !tracked; ++l)
        {
            const CLaser* laser = m_pLasers->GetAt(l);
            tracked = laser != nullptr && laser->m_Active == 1 && laser->HasReading && laser->Latest.TargetNumber - 1 == i;
        }
        if (tracked)
            DrawPoint(*object->m_Reflectors[i], object->m_Reflectors[i]->Position, object->m_Reflectors[i]->Name);
    }
    for (INT_PTR i = 0; i < object->m_Beacons.GetSize(); ++i)
        if (const TrackingPointDef* beacon = object->m_Beacons.GetPoint(i); beacon != nullptr && beacon->IsEnabled())
            DrawPoint(*beacon, beacon->Position, beacon->Name);
}

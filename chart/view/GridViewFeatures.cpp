// The chart view's drawing of the survey features: waypoints with their rings, routes and
// pipelines with their corridors, the curved lines of design routes and route position lists,
// sail lines, boundaries, structures, the pipe route with its KP labels and the terrain
// model's coverage.
#include "chart/view/GridView.h"

#include "chart/plot/GridPolyline.h"
#include "features/Barge.h"
#include "features/BoundaryList.h"
#include "features/DesignRouteList.h"
#include "features/Dtm.h"
#include "features/GridWaypointList.h"
#include "features/PipelineList.h"
#include "features/RouteList.h"
#include "features/RplList.h"
#include "features/SailLineList.h"
#include "features/StructureList.h"
#include "foundation/SelectedObjects.h"

#include <cfloat>
#include <cmath>
#include <new>

namespace
{
constexpr double kFullCircle = 2.0 * M_PI;
constexpr double kDegreesPerRadian = 57.2957795131;

// A pen of the context's display colour for `colour`, selected while it lives.
class ScopedPen
{
public:
    ScopedPen(CGridPlot& plot, int style, int width, COLORREF colour)
        : m_Pen(style, width, plot.DisplayColour(colour)), m_Selected(plot, &m_Pen, nullptr)
    {
    }

private:
    CPen m_Pen;
    SelectedObjects m_Selected;
};

// One row of a curved line: the point, and when it has a fitted turn, the arc that rounds it
// off from the tangent-in point to the tangent-out point.
struct CurveRowDef
{
    tagXY Point;
    bool HasArc;
    tagXY Centre;
    double Radius;
    tagXY In;
    tagXY Out;
    double StartAngle; // radians, bearing from the centre to In
    double EndAngle;   // ... to Out
    int Direction;     // +1 clockwise, -1 anticlockwise
};

// Each row after the first: a straight from where the row before left off (its tangent-out
// point when it has an arc, else its point) to this row's point, or, for an inner row with an
// arc, to its tangent-in point followed by the arc.
template <class Row> void DrawCurvedLine(CGridPlot& plot, int count, Row row)
{
    for (int i = 1; i < count; ++i)
    {
        const CurveRowDef before = row(i - 1);
        const CurveRowDef here = row(i);
        const tagXY start = before.HasArc ? before.Out : before.Point;
        if (!here.HasArc || i == count - 1)
        {
            plot.DrawLineXY(start, here.Point);
            continue;
        }
        plot.DrawLineXY(start, here.In);
        // An anticlockwise turn is the clockwise arc from its end back to its start: the
        // plot's reverse direction would also draw the chord across the turn.
        if (here.Direction >= 0)
            plot.DrawArc(here.Centre.x, here.Centre.y, here.Radius, here.StartAngle, here.EndAngle, 1);
        else
            plot.DrawArc(here.Centre.x, here.Centre.y, here.Radius, here.EndAngle, here.StartAngle, 1);
    }
}

// A polygon's points gathered where they may fail to be allocated; false when they could not be.
template <class Fill> bool GatherPoints(std::vector<tagXY>& points, size_t count, Fill fill)
{
    try
    {
        points.reserve(count);
        fill(points);
        return true;
    }
    catch (const std::bad_alloc&)
    {
        points.clear();
        return false;
    }
}
} // namespace

void CGridView::DrawCorridor(const std::vector<tagXY>& port, const std::vector<tagXY>& starboard,
                             const tagPen& style)
{
    std::vector<tagXY> outline;
    const bool gathered = GatherPoints(outline, port.size() + starboard.size() + 1, [&](std::vector<tagXY>& points) {
        points.insert(points.end(), port.begin(), port.end());
        points.insert(points.end(), starboard.rbegin(), starboard.rend());
        if (!port.empty())
            points.push_back(port.front());
    });
    // Without the polygon's buffer only the edges are drawn.
    if (gathered && outline.size() >= 3)
        m_Plot.DrawClippedPolygon(outline.data(), static_cast<int>(outline.size()), style);
    ScopedPen pen(m_Plot, PS_SOLID, 1, style.Colour);
    for (const std::vector<tagXY>* edge : {&port, &starboard})
    {
        CGridPolyline line(m_Plot);
        for (const tagXY& point : *edge)
            line.Add(point);
    }
}

void CGridView::DrawWaypoints(CGridWaypointList* list)
{
    if (list == nullptr)
        return;
    for (INT_PTR f = 0; f < list->GetSize(); ++f)
    {
        const CGridWaypoint* file = list->GetAt(f);
        if (file == nullptr || !file->m_Use)
            continue;
        ScopedPen pen(m_Plot, PS_SOLID, 1, file->m_RingColour);
        for (INT_PTR i = 0; i < file->GetSize(); ++i)
        {
            const GridWaypointDef& waypoint = file->GetAt(i);
            if (file->m_DrawRings)
            {
                if (waypoint.Radius > 0.0)
                    m_Plot.DrawArc(waypoint.Easting, waypoint.Northing, waypoint.Radius, 0.0, kFullCircle, 1);
                for (int ring = 1; ring <= file->m_NoRings; ++ring)
                    m_Plot.DrawArc(waypoint.Easting, waypoint.Northing, ring * file->m_RingSizeMetres, 0.0,
                                   kFullCircle, 1);
            }
            const tagXY position{waypoint.Easting, waypoint.Northing};
            if (m_EditMode == EDIT_WAYPOINTS)
                DrawEditMark(position, IsPicked(FEATURE_WAYPOINT, static_cast<int>(f), static_cast<int>(i)),
                             waypoint.Name);
            else
                DrawVectorSymbol(position, file->m_Symbol, file->m_Colour, file->m_Size, waypoint.Name,
                                 file->m_LabelMode, file->m_LabelPosition);
        }
    }
}

void CGridView::DrawRoutes(CRouteList* list, bool labels)
{
    if (list == nullptr)
        return;
    for (INT_PTR f = 0; f < list->GetSize(); ++f)
    {
        CRoute* route = list->GetAt(f);
        if (route == nullptr || !route->m_Status)
            continue;
        const int count = static_cast<int>(route->GetSize());
        if (route->m_DisplayCorridor && (route->m_PortWidth > 0.0 || route->m_StarboardWidth > 0.0))
        {
            std::vector<tagXY> port, starboard;
            const bool gathered = GatherPoints(port, count, [&](std::vector<tagXY>&) {
                starboard.reserve(count);
                for (int i = 0; i < count; ++i)
                {
                    port.push_back(route->GetAt(i).PortCorridor);
                    starboard.push_back(route->GetAt(i).StarboardCorridor);
                }
            });
            if (gathered)
                DrawCorridor(port, starboard,
                             tagPen{route->m_Pen.nStyle, route->m_Pen.nThickness,
                                    static_cast<uint32_t>(route->m_CorridorColour), route->m_CorridorFill});
        }
        {
            ScopedPen pen(m_Plot, PS_SOLID, route->m_Pen.nThickness, route->m_Pen.Colour);
            CGridPolyline line(m_Plot);
            for (int i = 0; i < count; ++i)
                line.Add(route->GetAt(i).Position);
        }
        for (int i = 0; labels && i < count; ++i)
        {
            const RouteDef& point = route->GetAt(i);
            CString text;
            if (m_EditMode == EDIT_ROUTES)
            {
                text.Format("%s-%d", (LPCSTR)route->m_Title, i + 1);
                DrawEditMark(point.Position, IsPicked(FEATURE_ROUTE, static_cast<int>(f), i), text);
                continue;
            }
            if (point.Name.IsEmpty())
                text.Format("%d", i + 1);
            else
                text = point.Name;
            DrawVectorSymbol(point.Position, static_cast<short>(route->m_VectorSymbol), route->m_Pen.Colour,
                             route->m_SymbolSize, text, route->m_LabelMode, route->m_LabelPosition);
        }
        for (int i = 0; route->m_ShowLegLabel && i + 1 < count; ++i)
        {
            const RouteDef& from = route->GetAt(i);
            const RouteDef& to = route->GetAt(i + 1);
            int x = 0, y = 0;
            if (m_Plot.IsOutside((from.Position.x + to.Position.x) / 2.0, (from.Position.y + to.Position.y) / 2.0,
                                 &x, &y))
                continue;
            CString text;
            text.Format("%.1lfm\n%.1lf\260G", from.Leg.Length, from.Leg.Bearing * kDegreesPerRadian);
            m_Plot.DrawLabel(text, 0, LABEL_POS_CENTRE, x, y);
        }
    }
}

void CGridView::DrawDesignRoutes(CDesignRouteList* list)
{
    if (list == nullptr)
        return;
    for (INT_PTR f = 0; f < list->GetSize(); ++f)
    {
        CDesignRoute* route = list->GetAt(f);
        if (route == nullptr || !route->m_Status)
            continue;
        const int count = static_cast<int>(route->GetSize());
        {
            ScopedPen pen(m_Plot, PS_SOLID, route->m_Pen.nThickness, route->m_Pen.Colour);
            if (m_EditMode == EDIT_DESIGN_ROUTES)
            {
                CGridPolyline line(m_Plot);
                for (int i = 0; i < count; ++i)
                    line.Add(route->GetAt(i).Position);
            }
            // A turn that did not fit keeps its radius but has no arc: it is a sharp corner.
            DrawCurvedLine(m_Plot, count, [route](int i) {
                const RouteDef& r = route->GetAt(i);
                return CurveRowDef{r.Position, r.TurnRadius > 0.0 && r.TurnDirection != 0, r.TurnCentre,
                                   r.TurnRadius, r.TurnStart, r.TurnEnd, r.TurnStartAngle, r.TurnEndAngle,
                                   r.TurnDirection};
            });
        }
        for (int i = 0; m_EditMode == EDIT_DESIGN_ROUTES && i < count; ++i)
        {
            CString text;
            if (i == 0)
                text.Format("%s - Start", (LPCSTR)route->m_Title);
            else if (i == count - 1)
                text.Format("%s - End", (LPCSTR)route->m_Title);
            else
                text.Format("%s - IP%d", (LPCSTR)route->m_Title, i);
            DrawEditMark(route->GetAt(i).Position, IsPicked(FEATURE_DESIGN_ROUTE, static_cast<int>(f), i), text,
                         VECTOR_QUARTERED_CIRCLE);
        }
    }
}

void CGridView::DrawRPLs(CRPLList* list)
{
    if (list == nullptr)
        return;
    for (INT_PTR f = 0; f < list->GetSize(); ++f)
    {
        CRPL* rpl = list->GetAt(f);
        if (rpl == nullptr || !rpl->m_Use)
            continue;
        ScopedPen pen(m_Plot, PS_SOLID, rpl->m_PipelinePen.nThickness, rpl->m_PipelinePen.Colour);
        DrawCurvedLine(m_Plot, static_cast<int>(rpl->GetSize()), [rpl](int i) {
            const RPLDef& r = rpl->GetAt(i);
            return CurveRowDef{tagXY{r.Easting, r.Northing},
                               r.Radius != 0.0 && r.TurnSide != 0,
                               tagXY{r.CentreE, r.CentreN},
                               std::fabs(r.Radius),
                               tagXY{r.ArcStartE, r.ArcStartN},
                               tagXY{r.ArcEndE, r.ArcEndN},
                               r.StartBearing,
                               r.EndBearing,
                               r.TurnSide};
        });
    }
}

void CGridView::DrawSailLine(CSailLineList* list, CBarge* vessel)
{
    if (list == nullptr)
        return;
    auto isZero = [](const tagXY& p) { return p.x == 0.0 && p.y == 0.0; };
    for (INT_PTR f = 0; f < list->GetSize(); ++f)
    {
        const CSailLine* file = list->GetAt(f);
        if (file == nullptr || !file->m_Status)
            continue;
        ScopedPen pen(m_Plot, PS_SOLID, file->m_Pen.nThickness, file->m_Pen.Colour);
        for (INT_PTR i = 0; i < file->GetSize(); ++i)
        {
            const SailLineDef& line = file->GetAt(i);
            if ((line.Start.x == line.End.x && line.Start.y == line.End.y) || isZero(line.Start) || isZero(line.End))
                continue;
            m_Plot.DrawLineXY(line.Start, line.End);
        }
    }

    if (vessel != nullptr && vessel->m_pSailLineList != nullptr && vessel->m_SailLineFileIndex >= 0 &&
        vessel->m_SailLineFileIndex < vessel->m_pSailLineList->GetSize())
    {
        const CSailLine* file = vessel->m_pSailLineList->GetAt(vessel->m_SailLineFileIndex);
        ScopedPen pen(m_Plot, PS_SOLID, file ? file->m_Pen.nThickness : 1, vessel->m_SailLineColour);
        m_Plot.DrawLineXY(vessel->m_TargetSailLine.Start, vessel->m_TargetSailLine.End);
    }

    if (m_EditMode != EDIT_SAIL_LINES)
        return;
    if (list->m_EditFileIndex < 0 || list->m_EditFileIndex >= list->GetSize())
    {
        list->m_EditFileIndex = -1;
        return;
    }
    const int f = list->m_EditFileIndex;
    const CSailLine* file = list->GetAt(f);
    for (INT_PTR i = 0; file != nullptr && i < file->GetSize(); ++i)
    {
        const SailLineDef& line = file->GetAt(i);
        const int number = static_cast<int>(i) + 1;
        CString text;
        text.Format("SOL %d", number);
        DrawEditMark(line.Start, IsPicked(FEATURE_SAIL_LINE, f, static_cast<int>(i), 0), text);
        text.Format("EOL %d", number);
        DrawEditMark(line.End, IsPicked(FEATURE_SAIL_LINE, f, static_cast<int>(i), 1), text);
    }
}

void CGridView::DrawBoundary(CBoundaryList* list)
{
    if (list == nullptr)
        return;
    for (INT_PTR f = 0; f < list->GetSize(); ++f)
    {
        const CBoundary* boundary = list->GetAt(f);
        if (boundary == nullptr || !boundary->m_Status)
            continue;
        if (boundary->GetVertexBuffer() != nullptr)
            m_Plot.DrawClippedPolygon(boundary->GetVertexBuffer(), boundary->GetVertexCount(), boundary->m_Pen);
        for (INT_PTR i = 0; m_EditMode == EDIT_BOUNDARIES && i < boundary->GetSize(); ++i)
        {
            CString text;
            text.Format("%d", static_cast<int>(i) + 1);
            DrawEditMark(boundary->GetAt(i), IsPicked(FEATURE_BOUNDARY, static_cast<int>(f), static_cast<int>(i)),
                         text);
        }
    }
}

void CGridView::DrawStructures(CStructureList* list)
{
    if (list == nullptr)
        return;
    for (INT_PTR f = 0; f < list->GetSize(); ++f)
    {
        const CStructure* file = list->GetAt(f);
        if (file == nullptr || !file->m_Status)
            continue;
        for (INT_PTR i = 0; i < file->GetSize(); ++i)
        {
            const StructureDef& structure = file->GetAt(i);
            const int fileIndex = static_cast<int>(f), index = static_cast<int>(i);
            CStructureShape* shape = structure.Show ? list->FindShape(fileIndex, index) : nullptr;
            if (shape != nullptr)
            {
                shape->m_Scale = list->GetShapeScale(fileIndex, index);
                // The shape turns only for a positive rotation: a heading given below 0 (or
                // beyond a turn) is brought into 0..360 first so that it is not drawn unturned.
                double heading = std::fmod(structure.Heading, 360.0);
                if (heading < 0.0)
                    heading += 360.0;
                m_Plot.DrawVesselShape(heading, structure.Position, shape);
            }
            if (m_EditMode == EDIT_STRUCTURES)
                DrawEditMark(structure.Position, IsPicked(FEATURE_STRUCTURE, fileIndex, index), structure.Name);
        }
    }
}

void CGridView::DrawPipelines(CPipelineList* list)
{
    if (list == nullptr)
        return;
    for (INT_PTR f = 0; f < list->GetSize(); ++f)
    {
        CPipeline* pipeline = list->GetAt(f);
        if (pipeline == nullptr || !pipeline->m_Use)
            continue;
        const int count = static_cast<int>(pipeline->GetSize());
        if (pipeline->m_DisplayCorridor && (pipeline->m_PortCorridor > 0.0 || pipeline->m_StarboardCorridor > 0.0))
        {
            std::vector<tagXY> port, starboard;
            const bool gathered = GatherPoints(port, count, [&](std::vector<tagXY>&) {
                starboard.reserve(count);
                for (int i = 0; i < count; ++i)
                {
                    port.push_back(pipeline->GetAt(i).PortCorridor);
                    starboard.push_back(pipeline->GetAt(i).StarboardCorridor);
                }
            });
            if (gathered)
                DrawCorridor(port, starboard, pipeline->m_CorridorPen);
        }
        ScopedPen pen(m_Plot, PS_SOLID, pipeline->m_PipelinePen.nThickness, pipeline->m_PipelinePen.Colour);
        CGridPolyline line(m_Plot);
        for (int i = 0; i < count; ++i)
            line.Add(pipeline->GetAt(i).Easting, pipeline->GetAt(i).Northing);
    }
}

void CGridView::DrawPipeRoute(CPipeline* pipeline)
{
    if (pipeline == nullptr || !pipeline->m_Use)
        return;
    {
        ScopedPen pen(m_Plot, PS_SOLID, pipeline->m_PipelinePen.nThickness, pipeline->m_PipelinePen.Colour);
        CGridPolyline line(m_Plot);
        for (INT_PTR i = 0; i < pipeline->GetSize(); ++i)
            line.Add(pipeline->GetAt(i).Easting, pipeline->GetAt(i).Northing);
    }
    if (pipeline->m_KPListing.IsEmpty())
        return;
    CFont font;
    font.CreatePointFont(80, "Verdana");
    CFont* oldFont = m_Plot.SelectObject(&font);
    const COLORREF oldColour = m_Plot.SetTextColor(0xFFFFFF);
    const UINT oldAlign = m_Plot.SetTextAlign(TA_LEFT | TA_TOP);
    ScopedPen pen(m_Plot, PS_SOLID, 1, 0xFFFFFF);
    for (INT_PTR i = 0; i < pipeline->m_KPListing.GetSize(); ++i)
    {
        const KPListingDef& label = pipeline->m_KPListing.GetAt(i);
        int x = 0, y = 0;
        if (m_Plot.IsOutside(label.Easting, label.Northing, &x, &y))
            continue;
        m_Plot.MoveTo(x, y);
        m_Plot.LineTo(x + label.OffsetX, y + label.OffsetY);
        m_Plot.TextOut(x + label.OffsetX + label.OffsetY, y + label.OffsetY, label.Label);
    }
    m_Plot.SetTextAlign(oldAlign);
    m_Plot.SetTextColor(oldColour);
    m_Plot.SelectObject(oldFont);
}

void CGridView::DrawDtm(CDtm* dtm)
{
    if (dtm == nullptr || !dtm->m_bDisplayCoverage)
        return;
    const double cell = dtm->m_Header.CellSize;
    for (int grid = 0; grid < 3; ++grid)
    {
        const double* extent = dtm->m_Header.Extent[grid];
        const double minE = extent[0], minN = extent[1], maxE = extent[2], maxN = extent[3];
        if (dtm->m_FileName[grid].IsEmpty() || !(minE < maxE && minN < maxN) || maxE == DBL_MAX || maxN == DBL_MAX)
            continue;
        const tagXY corners[4] = {{minE, minN}, {maxE, minN}, {maxE, maxN}, {minE, maxN}};
        m_Plot.DrawClippedPolygon(corners, 4, dtm->m_Pen[grid]);

        // Samples at least ten cells and about ten pixels apart; none without depths or a
        // scale.
        if (!(cell > 0.0) || dtm->m_pCells == nullptr || !(m_Plot.pixelsPerMetre > 0.0))
            continue;
        const double tenPixels = 10.0 / m_Plot.pixelsPerMetre;
        const double step = 10.0 * cell > tenPixels ? 10.0 * cell : cell * std::ceil(tenPixels / cell);
        ScopedPen pen(m_Plot, PS_SOLID, 1, dtm->m_Pen[grid].Colour);
        // Only the samples that can fall within the plot are looked at.
        const double fromE = minE + step * std::max(0.0, std::floor((m_Plot.plotMinE - minE) / step));
        const double fromN = minN + step * std::max(0.0, std::floor((m_Plot.plotMinN - minN) / step));
        for (double e = fromE; e < maxE && e <= m_Plot.plotMaxE; e += step)
        {
            for (double n = fromN; n < maxN && n <= m_Plot.plotMaxN; n += step)
            {
                int x = 0, y = 0;
                if (m_Plot.IsOutside(e, n, &x, &y) || dtm->GetDepth(e, n) == DBL_MAX)
                    continue;
                m_Plot.MoveTo(x - 1, y);
                m_Plot.LineTo(x + 2, y);
                m_Plot.MoveTo(x, y - 1);
                m_Plot.LineTo(x, y + 2);
            }
        }
    }
}

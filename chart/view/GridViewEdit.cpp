// Live editing with the left button: grabbing, adding and dragging the points of the edit
// mode's features, the divider, the bearing lines, and panning by drag. Changes are made in
// place in the host's lists, without the host's mutex: the host's threads leave the lists
// alone meanwhile.
#include "chart/view/GridView.h"

#include "chart/view/ChartexaStatusBar.h"
#include "chart/objects/Divider.h"
#include "chart/objects/EblList.h"
#include "features/Barge.h"
#include "features/BoundaryList.h"
#include "features/DesignRouteList.h"
#include "features/FeatureWriters.h"
#include "features/GridWaypointList.h"
#include "features/LegGeometry.h"
#include "features/RouteList.h"
#include "features/SailLineList.h"
#include "features/StructureList.h"
#include "features/Template.h"
#include "foundation/WindowMessages.h"
#include "outside/alpha/DataView.h"
#include "platform/core/WinApp.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace
{
constexpr int kShortEblPixels = 20;

void Post(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CCmdTarget* main = AfxGetMainWnd())
        ::PostMessage(main->GetSafeHwnd(), message, wParam, lParam);
}

void PostRedraw()
{
    Post(UM_REDRAW_VECTOR_DISPLAY, 0, 0);
}

template <class List> auto* FileAt(List* list, int file)
{
    return list != nullptr && file >= 0 && file < list->GetSize() ? list->GetAt(file) : nullptr;
}

template <class Array> bool InRange(const Array* array, INT_PTR index)
{
    return array != nullptr && index >= 0 && index < array->GetSize();
}

bool AtZero(double e, double n)
{
    return e == 0.0 && n == 0.0;
}

// The list's edit file, where a new point goes (null, the list's edit file reset to -1, when it
// names no file), and in `reuse` the edit point when it lies at exactly 0, 0 and is taken over
// by the new one, else -1 for an appended point. An edit point out of range is reset to -1.
template <class List, class Position>
auto* EditTarget(List* list, int* reuse, Position position)
{
    *reuse = -1;
    auto* file = FileAt(list, list != nullptr ? list->m_EditFileIndex : -1);
    if (list == nullptr)
        return file;
    if (file == nullptr)
    {
        list->m_EditFileIndex = -1;
        return file;
    }
    if (!InRange(file, list->m_EditPointIndex))
        list->m_EditPointIndex = -1;
    else
    {
        const tagXY at = position(file->GetAt(list->m_EditPointIndex));
        if (AtZero(at.x, at.y))
            *reuse = list->m_EditPointIndex;
    }
    return file;
}

void ComputeSailLineLeg(SailLineDef& line)
{
    ComputeLegGeometry(line.Start.x, line.Start.y, line.End.x, line.End.y, &line.Leg);
}
} // namespace

bool CGridView::ShowCursorPosition(CPoint point, double* e, double* n)
{
    if (!m_Plot.ScreenToGrid(point.x, point.y, e, n))
    {
        ClearCursorCoords();
        return false;
    }
    if (m_pStatusBar != nullptr)
        m_pStatusBar->DisplayGrid(*e, *n);
    if (m_pDataView != nullptr)
        m_pDataView->UpdateGridPosition(*e, *n);
    return true;
}

void CGridView::SetPickState(const CFeature& feature)
{
    m_PickType = static_cast<int16_t>(feature.Type);
    m_PickFileIndex = feature.FileIndex;
    m_PickPointIndex = feature.PointIndex;
    m_PickSubIndex = feature.SubIndex;
    m_PickTitle = feature.Title;
    m_PickName = feature.Name;
    m_PickMenuText = feature.MenuText;
    m_PickItem = feature.Item;
    m_bPickMoved = false;
}

void CGridView::ResetPickState()
{
    SetPickState(CFeature());
    m_PickType = FEATURE_NONE;
}

void CGridView::OnLButtonDown(UINT nFlags, CPoint point)
{
    double e = 0.0, n = 0.0;
    if (ShowCursorPosition(point, &e, &n))
    {
        SetFocus();
        m_Plot.lastMouseX = point.x;
        m_Plot.lastMouseY = point.y;
        const bool shift = (nFlags & MK_LBUTTON) && (nFlags & MK_SHIFT);
        const bool control = (nFlags & MK_LBUTTON) && (nFlags & MK_CONTROL);
        if (m_pDivider != nullptr && (shift || control))
        {
            if (control && !shift && m_pVessel != nullptr)
            {
                m_pDivider->startE = m_pVessel->m_DividerStart.x;
                m_pDivider->startN = m_pVessel->m_DividerStart.y;
                m_pDivider->visible = 1;
                m_pDivider->singleArrow = 1;
            }
            m_pDivider->SetPoint(e, n);
            PostRedraw();
        }
        else
        {
            // Something grabbed takes the drag's moves; the release must not pan the chart by
            // the distance it was dragged.
            bool grabbed = false;
            if (m_EditMode == EDIT_EBL && m_pEBLList != nullptr)
            {
                grabbed = GrabEbl(point, e, n);
                if (!grabbed)
                {
                    NewEbl(point, e, n);
                    grabbed = true;
                }
            }
            else if (m_EditMode >= EDIT_WAYPOINTS && m_EditMode <= EDIT_STRUCTURES)
            {
                m_PickedFeatures.RemoveAll();
                grabbed = GrabFeature(point);
                if (!grabbed)
                {
                    AddFeature(e, n);
                    grabbed = m_PickType > FEATURE_NONE;
                }
            }
            else if (m_EditMode == EDIT_NONE)
            {
                m_PickedFeatures.RemoveAll();
                Click(point, true);
            }
            if (m_EditMode != EDIT_SAIL_LINES)
            {
                m_Plot.StartDrag(this, nFlags, point.x, point.y);
                if (grabbed)
                    m_Plot.panning = false;
            }
        }
    }
    CView::OnLButtonDown(nFlags, point);
}

bool CGridView::GrabFeature(CPoint point)
{
    bool hit = false;
    switch (m_EditMode)
    {
    case EDIT_WAYPOINTS: hit = PointOnWaypoint(point); break;
    case EDIT_ROUTES: hit = PointOnRoute(point); break;
    case EDIT_DESIGN_ROUTES: hit = PointOnRPL(point); break;
    case EDIT_SAIL_LINES: hit = PointOnSailLine(point); break;
    case EDIT_BOUNDARIES: hit = PointOnBoundary(point); break;
    case EDIT_STRUCTURES: hit = PointOnStructure(point); break;
    default: break;
    }
    CFeature chosen;
    if (!hit || !SelectFeature(&chosen))
        return false;
    const int file = chosen.FileIndex, index = chosen.PointIndex;
    switch (chosen.Type)
    {
    case FEATURE_WAYPOINT:
        if (CGridWaypointList* list = m_pWaypointList)
            list->SetEditPoint(file, index, list->GetSize(), [list](int f) {
                const CGridWaypoint* w = FileAt(list, f);
                return w != nullptr ? w->GetSize() : INT_PTR(0);
            });
        break;
    case FEATURE_ROUTE:
        if (m_pRouteList != nullptr)
            m_pRouteList->SetEditPoint(file, index);
        break;
    case FEATURE_DESIGN_ROUTE:
        if (m_pDesignRouteList != nullptr)
            m_pDesignRouteList->SetEditPoint(file, index);
        break;
    case FEATURE_SAIL_LINE:
        if (m_pSailLineList != nullptr)
        {
            m_pSailLineList->SetEditPoint(file, index);
            m_pSailLineList->m_EditSubIndex = chosen.SubIndex;
        }
        break;
    case FEATURE_BOUNDARY:
        if (m_pBoundaryList != nullptr)
            m_pBoundaryList->SetEditPoint(file, index);
        break;
    case FEATURE_STRUCTURE:
        if (m_pStructureList != nullptr)
            m_pStructureList->SetEditPoint(file, index);
        break;
    default: break;
    }
    SetPickState(chosen);
    if (chosen.Type == FEATURE_STRUCTURE)
        Post(UM_FEATURE_UPDATE, FEATURE_STRUCTURE, 0);
    PostRedraw();
    return true;
}

void CGridView::AddFeature(double e, double n)
{
    if (!std::isfinite(e) || !std::isfinite(n) || std::fabs(e) == DBL_MAX || std::fabs(n) == DBL_MAX)
        e = n = 0.0;
    int type = FEATURE_NONE;
    CString name;
    int reuse = -1;
    switch (m_EditMode)
    {
    case EDIT_WAYPOINTS: {
        CGridWaypoint* file = EditTarget(m_pWaypointList, &reuse, [](const GridWaypointDef& w) {
            return tagXY{w.Easting, w.Northing};
        });
        if (file == nullptr)
            return;
        if (reuse >= 0)
        {
            file->ElementAt(reuse).Easting = e;
            file->ElementAt(reuse).Northing = n;
        }
        else
        {
            name.Format("Wpt%d", static_cast<int>(file->GetSize()) + 1);
            reuse = static_cast<int>(file->Add(GridWaypointDef{e, n, 0.0, name, 0.0}));
        }
        m_pWaypointList->m_EditPointIndex = reuse;
        SaveWaypointFile(file);
        type = FEATURE_WAYPOINT;
        break;
    }
    case EDIT_ROUTES:
    case EDIT_DESIGN_ROUTES: {
        const bool design = m_EditMode == EDIT_DESIGN_ROUTES;
        auto position = [](const RouteDef& p) { return p.Position; };
        CDesignRoute* designRoute = design ? EditTarget(m_pDesignRouteList, &reuse, position) : nullptr;
        CRoute* route = design ? designRoute : EditTarget(m_pRouteList, &reuse, position);
        if (route == nullptr)
            return;
        RouteDef record;
        if (reuse >= 0)
            record = route->GetAt(reuse);
        else
            record.Name.Format(design ? "IP%d" : "Wpt%d", static_cast<int>(route->GetSize()) + 1);
        record.Position = tagXY{e, n};
        if (designRoute != nullptr && reuse >= 0)
            designRoute->SetIntersectionPoint(reuse, record);
        else if (designRoute != nullptr)
            designRoute->AppendIntersectionPoint(record);
        else if (reuse >= 0)
            route->SetPoint(reuse, record);
        else
            route->AppendPoint(record);
        if (reuse < 0)
            reuse = static_cast<int>(route->GetSize() - 1);
        if (designRoute != nullptr)
        {
            m_pDesignRouteList->m_EditPointIndex = reuse;
            SaveDesignRouteFile(designRoute);
        }
        else
        {
            m_pRouteList->m_EditPointIndex = reuse;
            SaveRouteFile(route);
        }
        type = design ? FEATURE_DESIGN_ROUTE : FEATURE_ROUTE;
        break;
    }
    case EDIT_SAIL_LINES: {
        CSailLine* file = EditTarget(m_pSailLineList, &reuse, [](const SailLineDef& l) { return l.Start; });
        if (file == nullptr)
            return;
        SailLineDef line{};
        line.Start = tagXY{e, n};
        ComputeSailLineLeg(line);
        // The end of the line just placed follows the mouse, whichever line that is.
        if (reuse >= 0)
            file->SetAt(reuse, line);
        else
            reuse = static_cast<int>(file->Add(line));
        m_pSailLineList->m_EditPointIndex = reuse;
        m_pSailLineList->m_EditSubIndex = 1;
        CFeature picked;
        picked.Set(FEATURE_SAIL_LINE, m_pSailLineList->m_EditFileIndex, file->m_FilePath, reuse, "", 0, 1);
        SetPickState(picked);
        SaveSailLineFile(file);
        type = FEATURE_SAIL_LINE;
        break;
    }
    case EDIT_BOUNDARIES: {
        CBoundary* boundary = EditTarget(m_pBoundaryList, &reuse, [](const tagXY& v) { return v; });
        if (boundary == nullptr)
            return;
        if (reuse >= 0)
            boundary->SetAt(reuse, tagXY{e, n});
        else
            reuse = static_cast<int>(boundary->Add(tagXY{e, n}));
        m_pBoundaryList->m_EditPointIndex = reuse;
        boundary->BuildVertexBuffer();
        SaveBoundaryFile(boundary);
        type = FEATURE_BOUNDARY;
        break;
    }
    case EDIT_STRUCTURES: {
        CStructureList* list = m_pStructureList;
        CStructure* file = EditTarget(list, &reuse, [](const StructureDef& s) { return s.Position; });
        if (file == nullptr)
            return;
        if (reuse >= 0)
            file->ElementAt(reuse).Position = tagXY{e, n};
        else
        {
            StructureDef record;
            record.Name.Format("Structure %d", static_cast<int>(file->GetSize()) + 1);
            record.Position = tagXY{e, n};
            if (!list->m_Shapes.IsEmpty())
            {
                if (const CStructureShape* shape = list->m_Shapes.GetHead())
                {
                    record.ShapeIndex = 1;
                    record.Shape = shape->GetName();
                    record.Length = std::max(shape->GetWidth(), shape->GetHeight());
                }
            }
            reuse = static_cast<int>(file->Add(record));
        }
        list->m_EditPointIndex = reuse;
        SaveStructureFile(file);
        type = FEATURE_STRUCTURE;
        break;
    }
    default: return;
    }
    Post(UM_ADD_FEATURE, type, 0);
    PostRedraw();
}

bool CGridView::GrabEbl(CPoint point, double e, double n)
{
    CEBLList& list = *m_pEBLList;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
    {
        CEBL* line = list[i];
        if (line == nullptr)
            continue;
        int end = 0;
        if (IsUnderCursor(line->startX, line->startY, point))
        {
            line->startX = e;
            line->startY = n;
            end = 1;
        }
        else if (IsUnderCursor(line->endX, line->endY, point))
        {
            line->endX = e;
            line->endY = n;
            end = 2;
        }
        if (end != 0)
        {
            line->Update();
            list.editEnd = end;
            list.current = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

void CGridView::NewEbl(CPoint point, double e, double n)
{
    CEBLList& list = *m_pEBLList;
    auto line = std::make_unique<CEBL>();
    line->Reset(list.spheroid, &list.gridMode, &list.greatCircle);
    OFFSET_TYPE type = OFFSET_CRP;
    int index = -1;
    line->startX = e;
    line->startY = n;
    if (PointOnVessel(point, &type, &index))
    {
        // The line keeps the vessel point it starts at, for the host to follow.
        line->fixedStart = 1;
        line->tag1 = type;
        line->tag2 = index;
    }
    else
        line->Update();
    line->endX = e;
    line->endY = n;
    line->Update();
    list.Add(line.release());
    list.editEnd = 2;
    list.current = static_cast<int>(list.GetSize() - 1);
}

void CGridView::OnMouseMove(UINT nFlags, CPoint point)
{
    double e = 0.0, n = 0.0;
    if (ShowCursorPosition(point, &e, &n))
    {
        const bool button = (nFlags & MK_LBUTTON) != 0;
        if (m_pDivider != nullptr && button && (nFlags & (MK_SHIFT | MK_CONTROL)))
        {
            m_pDivider->SetPoint(e, n);
            PostRedraw();
        }
        else if (m_pEBLList != nullptr && m_pEBLList->current >= 0 && m_pEBLList->current < m_pEBLList->GetSize())
        {
            OFFSET_TYPE type = OFFSET_CRP;
            int index = -1;
            CEBL* line = m_pEBLList->GetAt(m_pEBLList->current);
            if (line != nullptr && PointOnVessel(point, &type, &index))
            {
                line->fixedStart = 1;
                line->tag1 = type;
                line->tag2 = index;
                line->startX = e;
                line->startY = n;
                line->Update();
                m_pEBLList->editEnd = 2;
            }
            else
                m_pEBLList->MovePoint(e, n);
            PostRedraw();
        }
        else if (m_PickType > FEATURE_NONE)
        {
            if (MovePickedFeature(e, n))
            {
                m_bPickMoved = true;
                PostRedraw();
                Post(UM_UPDATE_FEATURE_POSITION, static_cast<WPARAM>(m_PickType), 0);
            }
        }
        else if (button)
            m_Plot.DragMove(point);
    }
    CView::OnMouseMove(nFlags, point);
}

bool CGridView::MovePickedFeature(double e, double n)
{
    const int file = m_PickFileIndex, index = m_PickPointIndex;
    switch (m_PickType)
    {
    case FEATURE_WAYPOINT: {
        CGridWaypoint* waypoints = FileAt(m_pWaypointList, file);
        if (!InRange(waypoints, index))
            return false;
        waypoints->ElementAt(index).Easting = e;
        waypoints->ElementAt(index).Northing = n;
        for (CTrackObject* object : {static_cast<CTrackObject*>(m_pVessel), static_cast<CTrackObject*>(m_pTemplate)})
            if (object != nullptr && object->m_WaypointFileIndex == file && object->m_WaypointNo == index)
            {
                object->SetTargetWaypoint(file, index);
                tagXY target{};
                object->GetTargetPosition(target);
            }
        return true;
    }
    case FEATURE_SAIL_LINE: {
        CSailLine* lines = FileAt(m_pSailLineList, file);
        if (!InRange(lines, index) || (m_PickSubIndex != 0 && m_PickSubIndex != 1))
            return false;
        SailLineDef& line = lines->ElementAt(index);
        (m_PickSubIndex == 0 ? line.Start : line.End) = tagXY{e, n};
        ComputeSailLineLeg(line);
        return true;
    }
    case FEATURE_ROUTE:
    case FEATURE_DESIGN_ROUTE: {
        // A design route's arcs and KPs wait for the release: only the legs follow the drag.
        CRoute* route = m_PickType == FEATURE_ROUTE ? static_cast<CRoute*>(FileAt(m_pRouteList, file))
                                                    : FileAt(m_pDesignRouteList, file);
        if (!InRange(route, index))
            return false;
        RouteDef record = route->GetAt(index);
        record.Position = tagXY{e, n};
        return route->CRoute::SetPoint(index, record);
    }
    case FEATURE_BOUNDARY: {
        CBoundary* boundary = FileAt(m_pBoundaryList, file);
        if (!InRange(boundary, index))
            return false;
        boundary->SetAt(index, tagXY{e, n});
        boundary->BuildVertexBuffer();
        return true;
    }
    case FEATURE_STRUCTURE: {
        CStructure* structures = FileAt(m_pStructureList, file);
        if (!InRange(structures, index))
            return false;
        structures->ElementAt(index).Position = tagXY{e, n};
        return true;
    }
    default: return false;
    }
}

void CGridView::SavePickedFile()
{
    const int file = m_PickFileIndex;
    switch (m_PickType)
    {
    case FEATURE_WAYPOINT:
        if (const CGridWaypoint* waypoints = FileAt(m_pWaypointList, file))
            SaveWaypointFile(waypoints);
        break;
    case FEATURE_SAIL_LINE:
        if (CSailLine* lines = FileAt(m_pSailLineList, file))
            SaveSailLineFile(lines);
        break;
    case FEATURE_ROUTE:
        if (CRoute* route = FileAt(m_pRouteList, file))
            SaveRouteFile(route);
        break;
    case FEATURE_DESIGN_ROUTE:
        if (CDesignRoute* route = FileAt(m_pDesignRouteList, file))
        {
            route->Recompute();
            SaveDesignRouteFile(route);
        }
        break;
    case FEATURE_BOUNDARY:
        if (const CBoundary* boundary = FileAt(m_pBoundaryList, file))
            SaveBoundaryFile(boundary);
        break;
    case FEATURE_STRUCTURE:
        if (const CStructure* structures = FileAt(m_pStructureList, file))
            SaveStructureFile(structures);
        break;
    default: break;
    }
}

void CGridView::DropUndrawnSailLine()
{
    CSailLine* lines = FileAt(m_pSailLineList, m_PickFileIndex);
    if (m_PickType != FEATURE_SAIL_LINE || !InRange(lines, m_PickPointIndex))
        return;
    const SailLineDef& line = lines->GetAt(m_PickPointIndex);
    if (!AtZero(line.End.x, line.End.y))
        return;
    lines->RemoveAt(m_PickPointIndex);
    if (m_pSailLineList->m_EditPointIndex >= lines->GetSize())
        m_pSailLineList->m_EditPointIndex = -1;
    // The press saved the half line: without this it would come back at the next load.
    SaveSailLineFile(lines);
    Post(UM_ADD_FEATURE, FEATURE_SAIL_LINE, 0);
    PostRedraw();
}

void CGridView::DropShortEbl()
{
    if (m_pEBLList == nullptr || m_pEBLList->IsEmpty())
        return;
    const INT_PTR last = m_pEBLList->GetSize() - 1;
    const CEBL* line = m_pEBLList->GetAt(last);
    if (line == nullptr)
        return;
    const POINT a = m_Plot.GridToScreenPoint(line->startX, line->startY);
    const POINT b = m_Plot.GridToScreenPoint(line->endX, line->endY);
    if (std::abs(a.x - b.x) < kShortEblPixels && std::abs(a.y - b.y) < kShortEblPixels)
        m_pEBLList->DeleteLine(last);
}

void CGridView::OnLButtonUp(UINT nFlags, CPoint point)
{
    double e = 0.0, n = 0.0;
    if (m_EditMode == EDIT_EBL && m_pEBLList != nullptr && m_pEBLList->current >= 0 &&
        m_pEBLList->current < m_pEBLList->GetSize() && m_Plot.ScreenToGrid(point.x, point.y, &e, &n))
    {
        m_pEBLList->MovePoint(e, n);
        m_pEBLList->current = -1;
        // The short line goes before the save, so that it does not come back at the next load.
        DropShortEbl();
        m_pEBLList->Save();
    }
    if (m_PickType > FEATURE_NONE)
    {
        if (m_bPickMoved)
            SavePickedFile();
        else
            DropUndrawnSailLine();
        ResetPickState();
    }
    m_Plot.DragPan(point);
    // The next drag starts its own pan: moves in mode 4 or over a grabbed point never pan.
    m_Plot.panning = false;
    if (m_pMutex != nullptr)
        Redraw();
    CView::OnLButtonUp(nFlags, point);
}

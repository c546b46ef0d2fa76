// The chart's right-button menus: a bearing line's look, the point editor for waypoints, sail
// lines, route points, boundary vertices and structures, inserts on route legs and boundary
// edges, deleting a design-route point, the vessel's declutter and the empty chart's display
// settings; and the owner-drawn items those menus hold.
#include "chart/view/GridView.h"

#include "chart/objects/EblList.h"
#include "featureui/dialogs/EditPointDlg.h"
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
#include "foundation/FilePath.h"
#include "foundation/PopupMenu.h"
#include "foundation/WindowMessages.h"
#include "platform/core/WinApp.h"
#include "platform/ui/ColorDialog.h"

#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace
{
constexpr COLORREF kMenuBackground = 0xD6D6D6;
constexpr COLORREF kSelectedBackground = 0xFF9933;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr UINT kTitleId = 10000;
constexpr UINT kColourId = 20000;
constexpr UINT kLineStyleId = 30000;
constexpr int kLineStyles = 5;
// Waypoints of the tracking menu are numbered from here through a table, so that no file's
// points reach another file's ids or the fixed commands.
constexpr UINT kFirstWaypointId = 100000;
const char* const kLineStyleNames[kLineStyles] = {"Solid", "Dash", "Dot", "Dash Dot", "Dash Dot Dot"};

void Post(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CCmdTarget* main = AfxGetMainWnd())
        ::PostMessage(main->GetSafeHwnd(), message, wParam, lParam);
}

// An owner-drawn title; the item data is the text, which must outlive the menu.
void AppendTitle(CMenu& menu, const char* text)
{
    menu.AppendMenu(MF_OWNERDRAW, kTitleId, text);
}

template <class List> auto* FileAt(List* list, int file)
{
    return list != nullptr && file >= 0 && file < list->GetSize() ? list->GetAt(file) : nullptr;
}

template <class Array> bool InRange(const Array* array, INT_PTR index)
{
    return array != nullptr && index >= 0 && index < array->GetSize();
}

// Waypoint files whose data order has a height column, and those with a radius.
bool OffersHeight(int order)
{
    return order == 0 || order == 1 || order == 4 || order == 7 || order == 9;
}

bool OffersRadius(int order)
{
    return order >= 6 && order <= 9;
}
} // namespace

UINT CGridView::TrackMenu(CMenu& menu, CPoint point)
{
    CPoint screen = point;
    if (GetSafeHwnd() != nullptr)
        ClientToScreen(&screen);
    return static_cast<UINT>(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, this));
}

void CGridView::OnRButtonDown(UINT nFlags, CPoint point)
{
    m_Plot.lastMouseX = point.x;
    m_Plot.lastMouseY = point.y;
    m_PickedFeatures.RemoveAll();
    // The kinds under the cursor in the order they are looked for: the first kind hit gets
    // the click, whether or not a feature is then chosen from the menu of several.
    using Hit = bool (CGridView::*)(CPoint);
    using Act = void (CGridView::*)(const CFeature&, CPoint);
    static const std::pair<Hit, Act> kSteps[] = {
        {&CGridView::PointOnWaypoint, &CGridView::EditWaypoint},
        {&CGridView::PointOnSailLine, &CGridView::EditSailLine},
        {&CGridView::PointOnRoute, &CGridView::EditRoutePoint},
        {&CGridView::PointOnRouteLeg, &CGridView::InsertRoutePoint},
        {&CGridView::PointOnRPL, &CGridView::DeleteDesignRoutePoint},
        {&CGridView::PointOnBoundary, &CGridView::EditBoundaryVertex},
        {&CGridView::PointOnBoundaryLeg, &CGridView::InsertBoundaryVertex},
        {&CGridView::PointOnStructure, &CGridView::EditStructure},
    };
    const int ebl = PointOnEbl(point);
    bool handled = ebl >= 0;
    if (handled)
        EblMenu(ebl, point);
    for (const auto& step : kSteps)
    {
        if (handled || !(this->*step.first)(point))
            continue;
        handled = true;
        CFeature chosen;
        if (SelectFeature(&chosen))
            (this->*step.second)(chosen, point);
    }
    if (!handled && PointOnVessel(point))
        DeclutterMenu(point);
    else if (!handled)
        ChartMenu(point);
    CView::OnRButtonDown(nFlags, point);
}

void CGridView::OnRButtonUp(UINT nFlags, CPoint point)
{
    CView::OnRButtonUp(nFlags, point);
}

void CGridView::EblMenu(int index, CPoint point)
{
    CEBLList* list = m_pEBLList;
    CEBL* line = list != nullptr && index < list->GetSize() ? list->GetAt(index) : nullptr;
    if (line == nullptr)
        return;
    CPopupMenu menu(kMenuBackground);
    if (menu.CreatePopupMenu())
    {
        AppendTitle(menu, "EBL");
        menu.AppendMenu(MF_STRING | (line->showLabel ? MF_CHECKED : MF_UNCHECKED), 1, "Label");
        menu.AppendMenu(MF_STRING | (line->labelShowsBearing ? MF_CHECKED : MF_UNCHECKED), 2, "Reverse Bearing");
        menu.AppendMenu(MF_OWNERDRAW, kColourId, reinterpret_cast<LPCTSTR>(static_cast<ULONG_PTR>(line->colour)));
        AppendTitle(menu, "  Line Style");
        for (int style = 0; style < kLineStyles; ++style)
            menu.AppendMenu(MF_OWNERDRAW, kLineStyleId + style, reinterpret_cast<LPCTSTR>(static_cast<ULONG_PTR>(style)));
        if (m_EditMode == EDIT_EBL)
        {
            menu.AppendMenu(MF_SEPARATOR);
            menu.AppendMenu(MF_STRING, 5, "Delete");
        }
        const UINT id = TrackMenu(menu, point);
        bool command = true;
        if (id == 1)
            line->showLabel = line->showLabel ? 0 : 1;
        else if (id == 2)
            line->labelShowsBearing = line->labelShowsBearing ? 0 : 1;
        else if (id == kColourId)
        {
            CMFCColorDialog dialog(line->colour, 0, this);
            if (dialog.DoModal() == IDOK)
                line->colour = dialog.GetColor();
        }
        else if (id >= kLineStyleId && id < kLineStyleId + kLineStyles)
            line->penStyle = static_cast<int16_t>(id - kLineStyleId);
        else if (id == 5 && m_EditMode == EDIT_EBL)
            list->DeleteLine(index);
        else
            command = false;
        if (command)
            Post(UM_REDRAW_VECTOR_DISPLAY, 0, 0);
    }
    list->Save();
}

void CGridView::EditWaypoint(const CFeature& chosen, CPoint)
{
    CGridWaypoint* file = FileAt(m_pWaypointList, chosen.FileIndex);
    if (!InRange(file, chosen.PointIndex))
        return;
    GridWaypointDef waypoint = file->GetAt(chosen.PointIndex);
    tagXY position{waypoint.Easting, waypoint.Northing};
    const int order = file->m_DataOrder;
    if (EditPoint("Edit Waypoint", waypoint.Name, true, &position, OffersHeight(order) ? &waypoint.Height : nullptr,
                  OffersRadius(order) ? &waypoint.Radius : nullptr))
    {
        waypoint.Easting = position.x;
        waypoint.Northing = position.y;
        file->SetAt(chosen.PointIndex, waypoint);
    }
    else
        file->RemoveAt(chosen.PointIndex);
    SaveWaypointFile(file);
    Post(UM_FEATURE_UPDATE, FEATURE_WAYPOINT, 0);
}

void CGridView::EditSailLine(const CFeature& chosen, CPoint)
{
    CSailLine* file = FileAt(m_pSailLineList, chosen.FileIndex);
    if (!InRange(file, chosen.PointIndex) || (chosen.SubIndex != 0 && chosen.SubIndex != 1))
        return;
    SailLineDef& line = file->ElementAt(chosen.PointIndex);
    const bool start = chosen.SubIndex == 0;
    CString name;
    name.Format(start ? "SOL %d" : "EOL %d", chosen.PointIndex + 1);
    tagXY position = start ? line.Start : line.End;
    if (EditPoint("Edit Sail Line", name, false, &position, nullptr, nullptr))
    {
        (start ? line.Start : line.End) = position;
        ComputeLegGeometry(line.Start.x, line.Start.y, line.End.x, line.End.y, &line.Leg);
    }
    else
        file->RemoveAt(chosen.PointIndex);
    SaveSailLineFile(file);
    Post(UM_FEATURE_UPDATE, FEATURE_SAIL_LINE, 0);
}

void CGridView::EditRoutePoint(const CFeature& chosen, CPoint)
{
    CRoute* route = FileAt(m_pRouteList, chosen.FileIndex);
    if (!InRange(route, chosen.PointIndex))
        return;
    RouteDef record = route->GetAt(chosen.PointIndex);
    tagXY position = record.Position;
    if (EditPoint("Edit Route Waypoint", record.Name, true, &position, nullptr, nullptr))
    {
        record.Position = position;
        route->SetPoint(chosen.PointIndex, record);
    }
    else
    {
        route->RemoveAt(chosen.PointIndex);
        route->ComputeLegs();
    }
    route->ComputeCorridor();
    SaveRouteFile(route);
    Post(UM_FEATURE_UPDATE, FEATURE_ROUTE, 0);
}

bool CGridView::ConfirmMenu(const char* title, const char* command, CPoint point)
{
    CPopupMenu menu(kMenuBackground);
    if (!menu.CreatePopupMenu())
        return false;
    AppendTitle(menu, title);
    menu.AppendMenu(MF_STRING, 1, command);
    return TrackMenu(menu, point) == 1;
}

void CGridView::InsertRoutePoint(const CFeature& chosen, CPoint point)
{
    CRoute* route = FileAt(m_pRouteList, chosen.FileIndex);
    double e = 0.0, n = 0.0;
    if (!InRange(route, chosen.PointIndex) || !m_Plot.ScreenToGrid(point.x, point.y, &e, &n) ||
        !ConfirmMenu("ROUTE", "Insert", point))
        return;
    RouteDef record = route->GetAt(chosen.PointIndex);
    record.Position = tagXY{e, n};
    route->InsertAt(chosen.PointIndex, record);
    route->ComputeLegs();
    route->ComputeCorridor();
    // Saved as every other edit is: an insert only in memory is lost at the next load.
    SaveRouteFile(route);
    Post(UM_FEATURE_UPDATE, FEATURE_ROUTE, 0);
}

void CGridView::DeleteDesignRoutePoint(const CFeature& chosen, CPoint point)
{
    CDesignRoute* route = FileAt(m_pDesignRouteList, chosen.FileIndex);
    if (!InRange(route, chosen.PointIndex) || !ConfirmMenu("RPL", "Delete", point))
        return;
    route->RemoveIntersectionPoint(chosen.PointIndex);
    SaveDesignRouteFile(route);
    Post(UM_FEATURE_UPDATE, FEATURE_DESIGN_ROUTE, 0);
}

void CGridView::EditBoundaryVertex(const CFeature& chosen, CPoint)
{
    CBoundary* boundary = FileAt(m_pBoundaryList, chosen.FileIndex);
    if (!InRange(boundary, chosen.PointIndex))
        return;
    CString name;
    name.Format("%d", chosen.PointIndex + 1);
    tagXY position = boundary->GetAt(chosen.PointIndex);
    if (EditPoint("Edit Boundary Point", name, false, &position, nullptr, nullptr))
        boundary->SetAt(chosen.PointIndex, position);
    else
        boundary->RemoveAt(chosen.PointIndex);
    boundary->BuildVertexBuffer();
    SaveBoundaryFile(boundary);
    Post(UM_FEATURE_UPDATE, FEATURE_BOUNDARY, 0);
}

void CGridView::InsertBoundaryVertex(const CFeature& chosen, CPoint point)
{
    CBoundary* boundary = FileAt(m_pBoundaryList, chosen.FileIndex);
    double e = 0.0, n = 0.0;
    if (!InRange(boundary, chosen.PointIndex) || !m_Plot.ScreenToGrid(point.x, point.y, &e, &n) ||
        !ConfirmMenu("BOUNDARY", "Insert", point))
        return;
    boundary->InsertAt(chosen.PointIndex, tagXY{e, n});
    boundary->BuildVertexBuffer();
    SaveBoundaryFile(boundary);
    Post(UM_FEATURE_UPDATE, FEATURE_BOUNDARY, 0);
}

void CGridView::EditStructure(const CFeature& chosen, CPoint)
{
    CStructure* file = FileAt(m_pStructureList, chosen.FileIndex);
    if (!InRange(file, chosen.PointIndex))
        return;
    StructureDef structure = file->GetAt(chosen.PointIndex);
    tagXY position = structure.Position;
    if (EditPoint("Edit Structure", structure.Name, false, &position, nullptr, nullptr))
    {
        structure.Position = position;
        file->SetAt(chosen.PointIndex, structure);
    }
    else
        file->RemoveAt(chosen.PointIndex);
    SaveStructureFile(file);
    Post(UM_FEATURE_UPDATE, FEATURE_STRUCTURE, 0);
}

void CGridView::DeclutterMenu(CPoint point)
{
    CPopupMenu menu(kMenuBackground);
    if (!menu.CreatePopupMenu())
        return;
    AppendTitle(menu, "  Declutter");
    menu.AppendMenu(MF_STRING | (m_bDeclutter ? MF_CHECKED : MF_UNCHECKED), 1, "    ON");
    menu.AppendMenu(MF_STRING | (m_bDeclutter ? MF_UNCHECKED : MF_CHECKED), 2, "    OFF");
    const UINT id = TrackMenu(menu, point);
    if (id != 1 && id != 2)
        return;
    m_bDeclutter = id == 1;
    // Kept with the vessel's display settings, so that the next start shows it the same.
    if (m_pVessel != nullptr)
    {
        m_pVessel->m_bDeclutter = m_bDeclutter;
        m_pVessel->Save();
    }
    if (m_pMutex != nullptr)
        Redraw();
}

void CGridView::ChartMenu(CPoint point)
{
    if (m_bRemote)
    {
        Post(UM_REDRAW_VECTOR_DISPLAY, 0, 0);
        return;
    }
    auto check = [](bool on) { return MF_STRING | (on ? MF_CHECKED : MF_UNCHECKED); };
    CPopupMenu menu(kMenuBackground);
    if (!menu.CreatePopupMenu())
        return;
    static const char* const kTicks[] = {"No Grid Ticks", "Pixels", "Grid Ticks", "Grid Lines"};
    for (int i = 0; i < 4; ++i)
        menu.AppendMenu(check(m_Plot.tickMode == i), 1 + i, kTicks[i]);

    // Sub-menus live until the menu is tracked; the waypoint ids map to (file, point).
    std::vector<std::unique_ptr<CPopupMenu>> subMenus;
    std::vector<CString> titles;
    std::map<UINT, std::pair<int, int>> waypointIds;
    auto newSubMenu = [&subMenus]() -> CPopupMenu* {
        subMenus.push_back(std::make_unique<CPopupMenu>(kMenuBackground));
        return subMenus.back()->CreatePopupMenu() ? subMenus.back().get() : nullptr;
    };
    if (m_pVessel != nullptr || m_pTemplate != nullptr)
    {
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(check(m_Plot.trackMode == TRACK_NONE), 11, "Tracking Off");
        CPopupMenu* objects = newSubMenu();
        if (objects != nullptr)
        {
            objects->AppendMenu(check(m_Plot.trackObject == 0), 100, "None");
            CString text;
            text.Format("Vessel - %s", m_pVessel != nullptr ? static_cast<LPCSTR>(m_pVessel->GetTrackingPointName()) : "n/a");
            objects->AppendMenu(check(m_Plot.trackObject == TRACK_VESSEL), 101, text);
            if (m_pTemplate != nullptr)
            {
                text.Format("Template - %s", static_cast<LPCSTR>(m_pTemplate->GetTrackingPointName()));
                objects->AppendMenu(check(m_Plot.trackObject == TRACK_TEMPLATE), 102, text);
            }
            CPopupMenu* waypoints = newSubMenu();
            const INT_PTR files = m_pWaypointList != nullptr ? m_pWaypointList->GetSize() : 0;
            titles.reserve(static_cast<size_t>(files));
            for (INT_PTR f = 0; waypoints != nullptr && f < files; ++f)
            {
                const CGridWaypoint* file = m_pWaypointList->GetAt(f);
                CPopupMenu* points = file != nullptr ? newSubMenu() : nullptr;
                if (points == nullptr)
                    continue;
                titles.push_back(GetFileTitleFromPath(file->m_FilePath));
                AppendTitle(*points, titles.back());
                for (INT_PTR i = 0; i < file->GetSize(); ++i)
                {
                    const UINT id = kFirstWaypointId + static_cast<UINT>(waypointIds.size());
                    waypointIds[id] = {static_cast<int>(f), static_cast<int>(i)};
                    const bool tracked = m_Plot.trackObject == TRACK_WAYPOINT && m_Plot.trackWaypointFile == f &&
                                         m_Plot.trackWaypointIndex == i;
                    points->AppendMenu(check(tracked), id, file->GetAt(i).Name);
                }
                waypoints->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(points->GetSafeHmenu()), titles.back());
            }
            if (waypoints != nullptr)
                objects->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(waypoints->GetSafeHmenu()), "Waypoints");
            menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(objects->GetSafeHmenu()), "Tracking Object");
        }
        if (m_pVessel != nullptr)
        {
            menu.AppendMenu(check(m_Plot.trackMode == TRACK_CENTRE), 12, "Centre on Vessel");
            menu.AppendMenu(check(m_Plot.trackMode == TRACK_RECENTRE), 13, "Refresh to Centre");
            menu.AppendMenu(check(m_Plot.trackMode == TRACK_SHIFT), 14, "Keep Vessel on Screen");
        }
    }
    if (m_pVessel != nullptr)
    {
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(check(m_Plot.northUp), 21, "North Up");
        menu.AppendMenu(check(!m_Plot.northUp && m_Plot.angleOffset != 180), 22, "Bow Up");
        menu.AppendMenu(check(!m_Plot.northUp && m_Plot.angleOffset == 180), 23, "Stern Up");
        menu.AppendMenu(MF_SEPARATOR);
    }
    menu.AppendMenu(MF_STRING, 31, "Centre on Cursor");
    menu.AppendMenu(MF_STRING, 32, "Zoom In");
    menu.AppendMenu(MF_STRING, 33, "Zoom Out");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(check(m_Plot.showNorthArrow), 41, "North Arrow");

    const UINT id = TrackMenu(menu, point);
    const bool tracking = m_pVessel != nullptr || m_pTemplate != nullptr;
    if (id >= 1 && id <= 4)
        m_Plot.tickMode = static_cast<int>(id) - 1;
    else if (tracking && (id == 11 || (m_pVessel != nullptr && id >= 12 && id <= 14)))
    {
        m_Plot.trackMode = static_cast<int>(id) - 11;
        if (id == 14)
            Invalidate(FALSE);
    }
    else if (tracking && id >= 100 && id <= 102)
        m_Plot.trackObject = static_cast<int>(id) - 100;
    else if (waypointIds.count(id) != 0)
    {
        m_Plot.trackObject = TRACK_WAYPOINT;
        m_Plot.trackWaypointFile = waypointIds[id].first;
        m_Plot.trackWaypointIndex = waypointIds[id].second;
    }
    else if (m_pVessel != nullptr && id == 21)
        SetNorthUp(true);
    else if (m_pVessel != nullptr && (id == 22 || id == 23))
        SetBowUp(id == 22);
    else if (id == 31)
        m_Plot.CentreAt(point.x, point.y);
    else if (id == 32)
        m_Plot.ZoomInAt(point);
    else if (id == 33)
        m_Plot.ZoomOutAt(point);
    else if (id == 41)
        m_Plot.showNorthArrow = !m_Plot.showNorthArrow;
    else
        return;
    m_Plot.SaveSettings();
    Post(UM_REDRAW_VECTOR_DISPLAY, 0, 0);
}

void CGridView::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    // Room for the longest label beside its swatch.
    if (lpMeasureItemStruct != nullptr && lpMeasureItemStruct->CtlType == ODT_MENU)
        lpMeasureItemStruct->itemWidth = std::max<UINT>(lpMeasureItemStruct->itemWidth, 150);
    CView::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

void CGridView::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct != nullptr && lpDrawItemStruct->CtlType == ODT_MENU)
    {
        CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
        const CRect item(lpDrawItemStruct->rcItem);
        const UINT id = lpDrawItemStruct->itemID;
        const ULONG_PTR data = lpDrawItemStruct->itemData;
        if (dc != nullptr && id == kTitleId)
            CPopupMenu::DrawHeading(lpDrawItemStruct);
        else if (dc != nullptr && id == kColourId)
        {
            DrawMenuItemBackground(dc, lpDrawItemStruct, "Colour");
            CRect swatch(item.right - item.Height(), item.top, item.right, item.bottom);
            swatch.DeflateRect(1, 1);
            dc->FillSolidRect(swatch, static_cast<COLORREF>(data));
        }
        else if (dc != nullptr && id >= kLineStyleId && id < kLineStyleId + kLineStyles && data < kLineStyles)
        {
            DrawMenuItemBackground(dc, lpDrawItemStruct, kLineStyleNames[data]);
            CRect swatch(item.right - 2 * item.Height(), item.top, item.right, item.bottom);
            swatch.DeflateRect(1, 1);
            CPen pen;
            pen.CreatePen(static_cast<int>(data), 1, COLORREF(0x000000));
            CPen* old = dc->SelectObject(&pen);
            dc->SetBkMode(TRANSPARENT);
            const int y = swatch.top + swatch.Height() / 2;
            dc->MoveTo(swatch.left, y);
            dc->LineTo(swatch.right, y);
            dc->SelectObject(old);
        }
    }
    CView::OnDrawItem(nIDCtl, lpDrawItemStruct);
}

void CGridView::DrawMenuItemBackground(CDC* dc, const DRAWITEMSTRUCT* item, const char* text)
{
    CRect area(item->rcItem);
    area.InflateRect(0, 2);
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    dc->FillSolidRect(area, selected ? kSelectedBackground : kMenuBackground);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(selected ? kWhite : 0x000000);
    CRect textArea(item->rcItem);
    textArea.left += static_cast<int>(1.25 * textArea.Height());
    dc->DrawText(text != nullptr && *text != '\0' ? text : "Colour", textArea, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

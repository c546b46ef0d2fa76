#include "featureui/views/FeatureView.h"

#include "features/BoundaryList.h"
#include "features/DesignRouteList.h"
#include "features/GridWaypointList.h"
#include "features/PipelineList.h"
#include "features/RouteList.h"
#include "features/StructureList.h"
#include "foundation/FilePath.h"
#include "foundation/MyListCtrl.h"
#include "foundation/PopupMenu.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/HeaderCtrl.h"
#include "platform/ui/MessageBox.h"

#include <cstdlib>
#include <initializer_list>
#include <type_traits>

IMPLEMENT_DYNCREATE(CFeatureView, CMyListView)

BEGIN_MESSAGE_MAP(CFeatureView, CMyListView)
ON_NOTIFY_REFLECT(NM_CLICK, &CFeatureView::OnNMClick)
ON_NOTIFY_REFLECT(NM_RCLICK, &CFeatureView::OnNMRClick)
END_MESSAGE_MAP()

const char* const CFeatureView::m_SymbolSizeTxt[] = {"No Symbol", "Very Small", "Small", "Medium",
                                                     "Large",     "Very Large", nullptr};
const char* const CFeatureView::m_LabelPositionTxt[] = {"None",  "Top",    "Bottom", "Left",
                                                        "Right", "Centre", nullptr};
const char* const CFeatureView::m_LabelModeTxt[] = {"None",        "Name", "Position", "Name + Position",
                                                    "Description", nullptr};

namespace
{
constexpr COLORREF kMenuBackground = 0xD6D6D6;
constexpr double kDegPerRadian = 57.2957795131;

struct COLUMN
{
    const char* heading;
    int width;
};

const COLUMN kWaypointColumns[] = {
    {"Wpt", 50},       {"Name", 200},      {"Easting", 200},     {"Northing", 200},    {"Symbol Type", 200},
    {"Colour", 200},   {"Style", 200},     {"Size", 200},        {"Label Mode", 200},  {"Position", 200},
    {"No Rings", 200}, {"Ring Size", 200}, {"Ring Colour", 200}, {"Description", 200}, {"Attachment", 200}};
const COLUMN kRouteColumns[] = {
    {"Wpt", 50}, {"Easting", 200}, {"Northing", 200}, {"Range", 200}, {"Bearing", 200}};
const COLUMN kDesignRouteColumns[] = {
    {"ID", 50}, {"K.P.", 100}, {"Easting", 200}, {"Northing", 200}, {"Radius", 100}};
const COLUMN kBoundaryColumns[] = {{"Pt", 50}, {"Easting", 200}, {"Northing", 200}};
const COLUMN kStructureColumns[] = {
    {"No.", 50}, {"Name", 200}, {"Easting", 200}, {"Northing", 200}, {"Heading", 200}};

CString Number(int value)
{
    CString text;
    text.Format("%d", value);
    return text;
}

CString Coordinate(double value)
{
    CString text;
    text.Format("%.3lf", value);
    return text;
}

// Appends a row: the first text as the item, the others as its sub-items.
void AddRow(CListCtrl& list, std::initializer_list<CString> cells)
{
    const int row = list.InsertItem(list.GetItemCount(), *cells.begin());
    int column = 1;
    for (auto cell = cells.begin() + 1; cell != cells.end(); ++cell, ++column)
        if (!cell->IsEmpty())
            list.SetItemText(row, column, *cell);
}

void FillWaypointRows(CListCtrl& list, const CGridWaypoint& file)
{
    for (INT_PTR i = 0; i < file.GetSize(); ++i)
    {
        const GridWaypointDef& point = file.GetAt(i);
        AddRow(list, {Number(static_cast<int>(i) + 1), point.Name, Coordinate(point.Easting),
                      Coordinate(point.Northing)});
    }
}

// A row for every point and, between two points, one for the leg that joins them.
void FillRouteRows(CListCtrl& list, const CRoute& route)
{
    for (INT_PTR i = 0; i < route.GetSize(); ++i)
    {
        const RouteDef& point = route.GetAt(i);
        AddRow(list,
               {Number(static_cast<int>(i) + 1), Coordinate(point.Position.x), Coordinate(point.Position.y)});
        if (i + 1 == route.GetSize())
            break;
        CString range, bearing;
        range.Format("%.2lfm", point.Leg.Length);
        bearing.Format("%06.2lf\xB0G", point.Leg.Bearing * kDegPerRadian);
        AddRow(list, {CString(), CString(), CString(), range, bearing});
    }
}

// "Start", then per later point either its own row ("IP <i>", "End" for the last) or, where
// it has a radius, the turn's first tangent point, the intersection point with the radius and
// the second tangent point.
void FillDesignRouteRows(CListCtrl& list, const CDesignRoute& route)
{
    const INT_PTR count = route.GetSize();
    for (INT_PTR i = 0; i < count; ++i)
    {
        const RouteDef& point = route.GetAt(i);
        const int n = static_cast<int>(i);
        CString label;
        if (i == 0 || point.TurnRadius == 0.0)
        {
            if (i == 0)
                label = "Start";
            else if (i + 1 == count)
                label = "End";
            else
                label.Format("IP %d", n);
            AddRow(list,
                   {label, Coordinate(point.Kp), Coordinate(point.Position.x), Coordinate(point.Position.y)});
            continue;
        }
        label.Format("TP %d", 2 * n - 1);
        AddRow(list, {label, Coordinate(point.TurnStartKp), Coordinate(point.TurnStart.x),
                      Coordinate(point.TurnStart.y)});
        CString radius;
        radius.Format("%.0lf", point.TurnRadius);
        label.Format("IP %d", n);
        AddRow(list, {label, CString(), Coordinate(point.Position.x), Coordinate(point.Position.y), radius});
        label.Format("TP %d", 2 * n);
        AddRow(list, {label, Coordinate(point.TurnEndKp), Coordinate(point.TurnEnd.x),
                      Coordinate(point.TurnEnd.y)});
    }
}

void FillBoundaryRows(CListCtrl& list, const CBoundary& boundary)
{
    for (INT_PTR i = 0; i < boundary.GetSize(); ++i)
        AddRow(list, {Number(static_cast<int>(i) + 1), Coordinate(boundary.GetAt(i).x),
                      Coordinate(boundary.GetAt(i).y)});
}

void FillStructureRows(CListCtrl& list, const CStructure& structures)
{
    for (INT_PTR i = 0; i < structures.GetSize(); ++i)
    {
        const StructureDef& structure = structures.GetAt(i);
        AddRow(list, {Number(static_cast<int>(i) + 1), structure.Name, Coordinate(structure.Position.x),
                      Coordinate(structure.Position.y)});
    }
}

// The file of `list` at its edit file index; null when the index is out of range.
template <class TList> auto EditFile(const TList* list)
{
    using TFile = std::decay_t<decltype(list->GetAt(0))>;
    if (list == nullptr || list->m_EditFileIndex < 0 || list->m_EditFileIndex >= list->GetSize())
        return TFile(nullptr);
    return TFile(list->GetAt(list->m_EditFileIndex));
}
} // namespace

CFeatureView::CFeatureView() = default;

CFeatureView::~CFeatureView() = default;

CFeatureList* CFeatureView::CurrentList(INT_PTR* pFileCount) const
{
    auto pick = [pFileCount](auto* list) -> CFeatureList* {
        if (pFileCount != nullptr)
            *pFileCount = list != nullptr ? list->GetSize() : 0;
        return list;
    };
    switch (GetFeatureType())
    {
    case FEATURE_WAYPOINT:
        return pick(m_pWaypointList);
    case FEATURE_ROUTE:
        return pick(m_pRouteList);
    case FEATURE_DESIGN_ROUTE:
        return pick(m_pDesignRouteList);
    case FEATURE_BOUNDARY:
        return pick(m_pBoundaryList);
    case FEATURE_STRUCTURE:
        return pick(m_pStructureList);
    default:
        return pick(static_cast<CBoundaryList*>(nullptr));
    }
}

void CFeatureView::SetFeatureType(FEATURE_TYPES type)
{
    m_EditState.m_Editing = type;
    CListCtrl& list = GetListCtrl();
    list.DeleteAllItems();
    for (CHeaderCtrl* header = list.GetHeaderCtrl(); header != nullptr && header->GetItemCount() > 0;)
        if (!list.DeleteColumn(0))
            break;

    const COLUMN* first = nullptr;
    size_t count = 0;
    auto use = [&](const auto& columns) {
        first = columns;
        count = sizeof columns / sizeof columns[0];
    };
    if (CurrentList() != nullptr)
        switch (type)
        {
        case FEATURE_WAYPOINT:
            use(kWaypointColumns);
            break;
        case FEATURE_ROUTE:
            use(kRouteColumns);
            break;
        case FEATURE_DESIGN_ROUTE:
            use(kDesignRouteColumns);
            break;
        case FEATURE_BOUNDARY:
            use(kBoundaryColumns);
            break;
        case FEATURE_STRUCTURE:
            use(kStructureColumns);
            break;
        default:
            break;
        }
    for (size_t i = 0; i < count; ++i)
        list.InsertColumn(static_cast<int>(i), first[i].heading, LVCFMT_CENTER, first[i].width);
    Update();
}

CString CFeatureView::FillRows()
{
    CListCtrl& list = GetListCtrl();
    switch (GetFeatureType())
    {
    case FEATURE_WAYPOINT:
        if (const CGridWaypoint* file = EditFile(m_pWaypointList))
        {
            FillWaypointRows(list, *file);
            return GetFileTitleFromPath(file->m_FilePath);
        }
        break;
    case FEATURE_ROUTE:
        if (const CRoute* route = EditFile(m_pRouteList))
        {
            FillRouteRows(list, *route);
            return route->m_Title;
        }
        break;
    case FEATURE_DESIGN_ROUTE:
        if (const CDesignRoute* route = EditFile(m_pDesignRouteList))
        {
            FillDesignRouteRows(list, *route);
            return route->m_Title;
        }
        break;
    case FEATURE_BOUNDARY:
        if (const CBoundary* boundary = EditFile(m_pBoundaryList))
        {
            FillBoundaryRows(list, *boundary);
            return boundary->m_Title;
        }
        break;
    case FEATURE_STRUCTURE:
        if (const CStructure* structures = EditFile(m_pStructureList))
        {
            FillStructureRows(list, *structures);
            return structures->m_Title;
        }
        break;
    default:
        break;
    }
    return CString();
}

void CFeatureView::Update()
{
    CListCtrl& list = GetListCtrl();
    list.DeleteAllItems();
    const CString name = FillRows();
    AutoSizeColumns(&list, false);
    m_bFillWidth = false;

    const int type = GetFeatureType();
    CString title;
    title.Format("%s - %s", type >= 0 && type < FEATURE_TYPE_COUNT ? FeatureTypeTxt[type] : "",
                 name.GetString());
    if (CFrameWnd* frame = GetParentFrame())
        frame->SetWindowText(title);
}

int CFeatureView::DesignRoutePointOfRow(int row) const
{
    const CListCtrl& list = GetListCtrl();
    if (row == 0)
        return 0;
    if (row == list.GetItemCount() - 1)
    {
        const CDesignRoute* route = EditFile(m_pDesignRouteList);
        return route != nullptr ? static_cast<int>(route->GetSize()) - 1 : -1;
    }
    const CString label = list.GetItemText(row, 0);
    if (label.Left(2) != "IP")
        return -1;
    return std::atoi(label.Mid(2));
}

void CFeatureView::OnNMClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const int row = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->iItem;
    if (row == -1)
        return;
    m_EditState.m_EditPointIndex = -1;
    INT_PTR files = 0;
    CFeatureList* list = CurrentList(&files);
    if (list == nullptr)
        return;
    if (list->m_EditFileIndex >= files)
        list->m_EditFileIndex = -1;
    const int file = list->m_EditFileIndex;
    m_EditState.m_EditFileIndex = static_cast<int16_t>(file);

    switch (GetFeatureType())
    {
    case FEATURE_WAYPOINT: {
        m_EditState.m_EditPointIndex = row;
        // A file that is no longer there leaves nothing selected: pointing the list at a file
        // it does not hold would send the chart's editing to a missing file.
        list->m_EditPointIndex = -1;
        const CGridWaypoint* waypoints = EditFile(m_pWaypointList);
        if (waypoints == nullptr)
            break;
        list->m_EditPointIndex = row < waypoints->GetSize() ? row : 0;
        break;
    }
    case FEATURE_ROUTE:
        // Odd rows are legs, which select nothing.
        if (row % 2 != 0)
            break;
        m_EditState.m_EditPointIndex = row / 2;
        m_pRouteList->SetEditPoint(file, row / 2);
        break;
    case FEATURE_DESIGN_ROUTE: {
        const int point = DesignRoutePointOfRow(row);
        if (point < 0)
            break;
        m_EditState.m_EditPointIndex = point;
        m_pDesignRouteList->SetEditPoint(file, point);
        break;
    }
    case FEATURE_BOUNDARY:
        m_EditState.m_EditPointIndex = row;
        m_pBoundaryList->SetEditPoint(file, row);
        break;
    case FEATURE_STRUCTURE:
        m_EditState.m_EditPointIndex = row;
        m_pStructureList->SetEditPoint(file, row);
        break;
    default:
        break;
    }
}

void CFeatureView::OnNMRClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CPopupMenu menu(kMenuBackground);
    if (!menu.CreatePopupMenu())
        return;
    // The heading is drawn by CMyListView::OnDrawItem from its item data.
    menu.AppendMenu(MF_OWNERDRAW, ID_FEATUREVIEW_TITLE, "Export Data");
    menu.AppendMenu(MF_STRING, ID_FEATUREVIEW_SAVE_CSV, "Save to CSV");
    menu.AppendMenu(MF_STRING, ID_FEATUREVIEW_SAVE_EXCEL, "Save to Excel");
    menu.AppendMenu(MF_STRING, ID_FEATUREVIEW_PRINT, "Print");
    if (GetFeatureType() == FEATURE_DESIGN_ROUTE && m_pDesignRouteList != nullptr)
    {
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, ID_FEATUREVIEW_COORDINATE_LISTING, "Co-ordinate Listing");
    }
    CPoint point;
    GetCursorPos(&point);
    const UINT command =
        static_cast<UINT>(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, this));
    switch (command)
    {
    case ID_FEATUREVIEW_SAVE_CSV:
        SaveToCsv();
        break;
    case ID_FEATUREVIEW_SAVE_EXCEL:
        SaveToExcel();
        break;
    case ID_FEATUREVIEW_PRINT:
        Print();
        break;
    case ID_FEATUREVIEW_COORDINATE_LISTING:
        ExportCoordinateList();
        break;
    default:
        break;
    }
}

void CFeatureView::ExportCoordinateList()
{
    if (GetFeatureType() != FEATURE_DESIGN_ROUTE)
        return;
    const CDesignRoute* route = EditFile(m_pDesignRouteList);
    if (route == nullptr)
        return;
    // A listing that could not be written is said so, not announced as made.
    if (CRouteList::ExportCoordinateList(route))
        AfxMessageBox("Coordinate List Created");
    else
        AfxMessageBox("Error Creating Coordinate List");
}

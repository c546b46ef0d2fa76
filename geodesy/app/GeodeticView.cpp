#include "geodesy/app/GeodeticView.h"

#include "foundation/PopupMenu.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/FrameWnd.h"

#include <QHeaderView>
#include <QObject>
#include <QWidget>

IMPLEMENT_DYNCREATE(CGeodeticView, CMyListView)
BEGIN_MESSAGE_MAP(CGeodeticView, CMyListView)
ON_NOTIFY_REFLECT(NM_RCLICK, &CGeodeticView::OnRightClick)
END_MESSAGE_MAP()

namespace
{
const COLORREF kDayBack = RGB(214, 214, 214);
const COLORREF kDayText = RGB(0, 0, 0);
const COLORREF kNightBack = RGB(0, 0, 0);
const COLORREF kNightText = RGB(192, 192, 192);

void AddTitle(CMenu& menu, const char* title)
{
    menu.AppendMenu(MF_OWNERDRAW | MF_DISABLED, IDM_SHEET_TITLE, title);
}
} // namespace

CGeodeticView::CGeodeticView() = default;

CGeodeticView::~CGeodeticView() = default;

BOOL CGeodeticView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= LVS_REPORT;
    return CMyListView::PreCreateWindow(cs);
}

void CGeodeticView::OnInitialUpdate()
{
    CMyListView::OnInitialUpdate();
    HookHeader();
}

void CGeodeticView::HookHeader()
{
    QWidget* widget = GetListCtrl().GetWidget();
    QHeaderView* header = nullptr;
    if (widget)
        for (QHeaderView* h : widget->findChildren<QHeaderView*>())
            if (h->orientation() == Qt::Horizontal)
                header = h;
    if (!header || header->contextMenuPolicy() == Qt::CustomContextMenu)
        return;
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(header, &QWidget::customContextMenuRequested, header, [this, header](const QPoint& at) {
        const int column = header->logicalIndexAt(at);
        if (column < 0)
            return;
        const QPoint global = header->mapToGlobal(at);
        OnHeadingMenu(column, CPoint(global.x(), global.y()));
    });
}

void CGeodeticView::SetGeodeticObjects(CDatum* datum, CProjection* projection, CSpheroid* spheroid)
{
    m_Sheet.m_pDatum = datum;
    m_Sheet.m_pProjection = projection;
    m_Sheet.m_pSpheroid = spheroid;
}

void CGeodeticView::SetNightMode(bool night)
{
    CListCtrl& list = GetListCtrl();
    list.SetBkColor(night ? kNightBack : kDayBack);
    list.SetTextBkColor(night ? kNightBack : kDayBack);
    list.SetTextColor(night ? kNightText : kDayText);
    list.Invalidate();
}

bool CGeodeticView::LoadCoordinateFile()
{
    CFileDialog dialog(TRUE, "csv", nullptr, OFN_HIDEREADONLY | OFN_EXPLORER,
                       "Co-ordinate Files (*.csv)|*.csv|Text Files (*.txt)|*.txt|All Files (*.*)|*.*||",
                       this);
    dialog.m_ofn.lpstrTitle = "Co-ordinate Files";
    if (dialog.DoModal() != IDOK)
        return false;
    LoadCoordinateFile(dialog.GetPathName());
    return true;
}

void CGeodeticView::LoadCoordinateFile(const char* path)
{
    m_DataFilePath = path;
    const int slash = m_DataFilePath.ReverseFind('\\');
    m_ExportFolder = m_DataFilePath.Left(slash + 1);
    m_DefaultName = m_DataFilePath.Mid(slash + 1);
    const int dot = m_DefaultName.ReverseFind('.');
    if (dot > 0)
        m_DefaultName = m_DefaultName.Left(dot);
    // The columns keep the kinds the user gave them last time: their headings come back.
    LoadCsv(m_DataFilePath);
    ApplyHeadings();
}

void CGeodeticView::OnRightClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* activate = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR);
    CPoint at(activate->ptAction.x, activate->ptAction.y);
    GetListCtrl().ClientToScreen(&at);
    OnBodyMenu(at);
    *pResult = 0;
}

void CGeodeticView::OnHeadingMenu(int column, CPoint screen)
{
    CListCtrl& list = GetListCtrl();
    CPopupMenu menu(kDayBack);
    if (!menu.CreatePopupMenu())
        return;
    AddTitle(menu, "Text");
    menu.AppendMenu(MF_STRING, COLUMN_LABEL, GetColumnMenuLabel(COLUMN_LABEL));
    AddTitle(menu, "Input Grid");
    menu.AppendMenu(MF_STRING, COLUMN_EASTING, GetColumnMenuLabel(COLUMN_EASTING));
    menu.AppendMenu(MF_STRING, COLUMN_NORTHING, GetColumnMenuLabel(COLUMN_NORTHING));
    AddTitle(menu, "Input Latitude");
    for (int kind = COLUMN_LAT_DMS; kind <= COLUMN_LAT_NMEA; ++kind)
        menu.AppendMenu(MF_STRING, kind, GetColumnMenuLabel(kind));
    AddTitle(menu, "Input Longitude");
    for (int kind = COLUMN_LON_DMS; kind <= COLUMN_LON_NMEA; ++kind)
        menu.AppendMenu(MF_STRING, kind, GetColumnMenuLabel(kind));
    AddTitle(menu, "Input Elevation");
    menu.AppendMenu(MF_STRING, COLUMN_HEIGHT, GetColumnMenuLabel(COLUMN_HEIGHT));
    AddTitle(menu, "Header Assignments");
    menu.AppendMenu(MF_STRING, IDM_HEADING_CLEAR, "Clear");
    if (list.GetItemCount() > 0)
    {
        AddTitle(menu, "Columns");
        menu.AppendMenu(MF_STRING, IDM_HEADING_DELETE_COLUMN, "Delete");
        menu.AppendMenu(MF_STRING, IDM_HEADING_INSERT_COLUMN, "Insert");
    }
    const UINT command =
        (UINT)menu.TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, screen.x, screen.y, this);
    DoHeadingCommand(column, command);
}

void CGeodeticView::DoHeadingCommand(int column, UINT command)
{
    CListCtrl& list = GetListCtrl();
    if (command < (UINT)COLUMN_KINDS)
        m_Sheet.SetColumnKind(list, column, (int)command);
    else if (command == IDM_HEADING_CLEAR)
        m_Sheet.ClearHeading(list, column);
    else if (command == IDM_HEADING_DELETE_COLUMN)
        m_Sheet.DeleteColumn(list, column);
    else if (command == IDM_HEADING_INSERT_COLUMN)
        m_Sheet.InsertColumn(list, column);
}

void CGeodeticView::OnBodyMenu(CPoint screen)
{
    CListCtrl& list = GetListCtrl();
    CPopupMenu menu(kDayBack);
    if (!menu.CreatePopupMenu())
        return;
    AddTitle(menu, "Import Data");
    menu.AppendMenu(MF_STRING, IDM_SHEET_LOAD_CSV, "Load CSV File");

    const bool grid = m_Sheet.HasGridInput();
    const bool geographical = m_Sheet.HasGeographicalInput();
    if (grid || geographical)
    {
        AddTitle(menu, "Co-ordinate Conversation");
        if (grid)
            menu.AppendMenu(MF_STRING, CONVERT_GRID_TO_GEOGRAPHICALS, "Grid to Geographicals");
        if (geographical)
            menu.AppendMenu(MF_STRING, CONVERT_GEOGRAPHICALS_TO_GRID, "Geographicals to Grid");
    }
    const bool gridShift = grid && m_Sheet.DatumProjectionDiffers();
    const bool geographicalShift = geographical && m_Sheet.m_pDatum != nullptr;
    if (gridShift || geographicalShift)
    {
        AddTitle(menu, "Datum Shift");
        if (gridShift)
            for (int conversion : {CONVERT_DATUM_GRID_FORWARD, CONVERT_DATUM_GRID_REVERSE})
                menu.AppendMenu(MF_STRING, conversion, m_Sheet.GetConversionLabel(conversion));
        if (geographicalShift)
            for (int conversion : {CONVERT_DATUM_GEOG_FORWARD, CONVERT_DATUM_GEOG_REVERSE})
                menu.AppendMenu(MF_STRING, conversion, m_Sheet.GetConversionLabel(conversion));
    }
    if (list.GetItemCount() > 0)
    {
        const int selected = list.GetSelectedCount();
        if (selected > 0)
        {
            AddTitle(menu, "Remove Data");
            menu.AppendMenu(MF_STRING, IDM_SHEET_DELETE_ROWS,
                            selected == 1 ? "Delete Row" : "Delete Selected Rows");
        }
        AddTitle(menu, "Export Data");
        menu.AppendMenu(MF_STRING, IDM_SHEET_SAVE_CSV, "Save to CSV");
        menu.AppendMenu(MF_STRING, IDM_SHEET_SAVE_EXCEL, "Save to Excel");
        menu.AppendMenu(MF_STRING, IDM_SHEET_PRINT, "Print");
    }
    const UINT command =
        (UINT)menu.TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, screen.x, screen.y, this);
    DoBodyCommand(command);
}

void CGeodeticView::DoBodyCommand(UINT command)
{
    CListCtrl& list = GetListCtrl();
    switch (command)
    {
    case IDM_SHEET_LOAD_CSV:
        LoadCoordinateFile();
        break;
    case CONVERT_GRID_TO_GEOGRAPHICALS:
    case CONVERT_GEOGRAPHICALS_TO_GRID:
    case CONVERT_DATUM_GRID_FORWARD:
    case CONVERT_DATUM_GRID_REVERSE:
    case CONVERT_DATUM_GEOG_FORWARD:
    case CONVERT_DATUM_GEOG_REVERSE:
        m_Sheet.Convert(list, (int)command);
        break;
    case IDM_SHEET_DELETE_ROWS:
        m_Sheet.DeleteSelectedRows(list);
        break;
    case IDM_SHEET_SAVE_CSV:
        SaveToCsv();
        break;
    case IDM_SHEET_SAVE_EXCEL:
        SaveToExcel();
        break;
    case IDM_SHEET_PRINT:
        Print();
        break;
    default:
        break;
    }
}

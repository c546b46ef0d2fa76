#include "geodetic/GeodeticView.h"

#include "foundation/Folders.h"
#include "foundation/MyListCtrl.h"
#include "geodetic/CellCheck.h"
#include "foundation/PopupMenu.h"
#include "geodetic/MainFrame.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/FrameWnd.h"

#include <QHeaderView>
#include <QObject>
#include <QWidget>

IMPLEMENT_DYNCREATE(CGeodeticView, CMyListView)
BEGIN_MESSAGE_MAP(CGeodeticView, CMyListView)
ON_NOTIFY_REFLECT(NM_RCLICK, &CGeodeticView::OnRightClick)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CGeodeticView::OnCustomDraw)
ON_NOTIFY_REFLECT(LVN_ENDLABELEDIT, &CGeodeticView::OnEndLabelEdit)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

namespace
{
const COLORREF kDayBack = RGB(214, 214, 214);
const COLORREF kDayText = RGB(0, 0, 0);
const COLORREF kNightBack = RGB(0, 0, 0);
const COLORREF kNightText = RGB(192, 192, 192);
// A refused cell: dark red on pink by day, light red on dark red by night.
const COLORREF kDayRefusedBack = RGB(255, 176, 176);
const COLORREF kDayRefusedText = RGB(128, 0, 0);
const COLORREF kNightRefusedBack = RGB(96, 0, 0);
const COLORREF kNightRefusedText = RGB(255, 160, 160);

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
    m_bNight = night;
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
    // Co-ordinate files live in the data folder: the dialog starts there.
    CString folder;
    if (FindMyDataFolder(folder, nullptr))
        dialog.m_ofn.lpstrInitialDir = folder;
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
    m_Sheet.ClearProblems();
    LoadCsv(m_DataFilePath);
    if (TakeHeadingLine())
        RescanHeadings();
    ApplyHeadings();
    ShowProblems();
}

bool CGeodeticView::TakeHeadingLine()
{
    // A file the sheet saved starts with its headings: that line names the columns and is no
    // row of data. It is told by holding the heading of a column kind or of a conversion's
    // output and no number.
    CListCtrl& list = GetListCtrl();
    if (list.GetItemCount() == 0)
        return false;
    const int columns = GetColumnCount(list);
    bool named = false;
    for (int c = 0; c < columns; ++c)
    {
        const CString text = list.GetItemText(0, c);
        double number = 0.0;
        if (CCellCheck::ReadWholeNumber(text, number))
            return false;
        for (int kind = 0; kind < COLUMN_KINDS && !named; ++kind)
            named = text.CompareNoCase(GetColumnHeading(kind)) == 0;
        for (int output = 0; output < OUTPUT_COLUMNS && !named; ++output)
            named = text == GetOutputHeading(output);
    }
    if (!named)
        return false;
    for (int c = 0; c < columns; ++c)
        SetHeadingText(list, c, list.GetItemText(0, c));
    list.DeleteItem(0);
    return true;
}

void CGeodeticView::OnLButtonDown(UINT nFlags, CPoint point)
{
    CListCtrl& list = GetListCtrl();
    int item = -1, column = -1;
    const bool onCell = HitTestListCell(list, point, item, column);
    // A click on the one selected row, as with any label, edits the cell clicked.
    const bool wasCurrent = onCell && list.GetSelectedCount() == 1 &&
                            (list.GetItemState(item, LVIS_SELECTED | LVIS_FOCUSED) ==
                             (LVIS_SELECTED | LVIS_FOCUSED));
    CMyListView::OnLButtonDown(nFlags, point);
    if (!onCell)
        return;
    m_nEditColumn = column;
    if (wasCurrent && !(nFlags & (MK_SHIFT | MK_CONTROL)))
        EditCell(item, column);
}

void CGeodeticView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    int item = -1, column = -1;
    if (HitTestListCell(GetListCtrl(), point, item, column) && !(nFlags & (MK_SHIFT | MK_CONTROL)))
    {
        m_nEditColumn = column;
        EditCell(item, column);
        return;
    }
    CMyListView::OnLButtonDblClk(nFlags, point);
}

void CGeodeticView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_F2)
    {
        const int item = GetListCtrl().GetNextItem(-1, LVNI_FOCUSED);
        if (item >= 0)
            EditCell(item, m_nEditColumn);
        return;
    }
    CMyListView::OnKeyDown(nChar, nRepCnt, nFlags);
}

bool CGeodeticView::EditCell(int item, int column)
{
    CListCtrl& list = GetListCtrl();
    if (item < 0 || item >= list.GetItemCount() || column < 0 || column >= GetColumnCount(list))
        return false;
    if (m_CellEdit.GetSafeHwnd())
        return false;
    m_CellEdit.Setup(item, column, "", list.GetItemText(item, column));
    return m_CellEdit.Create(CMyListCtrl::EDIT_STYLE | WS_CHILD | WS_BORDER, GetListCellRect(list, column, item),
                             &list, 0) != FALSE;
}

void CGeodeticView::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* info = reinterpret_cast<NMLVDISPINFO*>(pNMHDR);
    *pResult = 0;
    CListCtrl& list = GetListCtrl();
    const int row = info->item.iItem;
    const int column = info->item.iSubItem;
    if (row < 0 || row >= list.GetItemCount() || !info->item.pszText)
        return;
    const CString before = list.GetItemText(row, column);
    list.SetItemText(row, column, info->item.pszText);
    if (before != info->item.pszText && m_Sheet.IsInputColumn(column) && m_Sheet.RecomputeRow(list, row))
    {
        AutoSizeColumns(&list, false);
        ShowProblems();
    }
}

void CGeodeticView::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* cd = SubItemPrePaint(pNMHDR, pResult);
    if (!cd)
        return;
    if (m_Sheet.IsMarked(static_cast<int>(cd->nmcd.dwItemSpec), cd->iSubItem))
    {
        cd->clrTextBk = m_bNight ? kNightRefusedBack : kDayRefusedBack;
        cd->clrText = m_bNight ? kNightRefusedText : kDayRefusedText;
    }
}

void CGeodeticView::ShowProblems()
{
    GetListCtrl().Invalidate();
    auto* frame = dynamic_cast<CMainFrame*>(GetParentFrame());
    if (frame && frame->m_wndStatusBar.GetSafeHwnd())
        frame->m_wndStatusBar.SetPaneText(0, m_Sheet.DescribeProblems());
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
    const auto kind = [&menu](int first, int last) {
        for (int k = first; k <= last; ++k)
            menu.AppendMenu(MF_STRING, IDM_HEADING_KIND + k, GetColumnMenuLabel(k));
    };
    AddTitle(menu, "Text");
    kind(COLUMN_LABEL, COLUMN_LABEL);
    AddTitle(menu, "Input Grid");
    kind(COLUMN_EASTING, COLUMN_NORTHING);
    AddTitle(menu, "Input Latitude");
    kind(COLUMN_LAT_DMS, COLUMN_LAT_NMEA);
    AddTitle(menu, "Input Longitude");
    kind(COLUMN_LON_DMS, COLUMN_LON_NMEA);
    AddTitle(menu, "Input Elevation");
    kind(COLUMN_HEIGHT, COLUMN_HEIGHT);
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
    if (command >= (UINT)IDM_HEADING_KIND && command < (UINT)(IDM_HEADING_KIND + COLUMN_KINDS))
        m_Sheet.SetColumnKind(list, column, (int)(command - IDM_HEADING_KIND));
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
        ShowProblems();
        break;
    case IDM_SHEET_DELETE_ROWS:
        m_Sheet.DeleteSelectedRows(list);
        ShowProblems();
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

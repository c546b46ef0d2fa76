#include "foundation/MyListView.h"

#include "foundation/ConfigFile.h"
#include "foundation/CsvParser.h"
#include "foundation/FilePath.h"
#include "foundation/ListOutput.h"
#include "foundation/MyListCtrl.h"
#include "foundation/PopupMenu.h"
#include "foundation/TextFunctions.h"
#include "platform/core/StdioFile.h"
#include "platform/ui/Dc.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/HeaderCtrl.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/WindowDc.h"

#include <algorithm>
#include <cstring>
#include <memory>

IMPLEMENT_DYNCREATE(CMyListView, CListView)

BEGIN_MESSAGE_MAP(CMyListView, CListView)
ON_WM_SIZE()
ON_NOTIFY_REFLECT(NM_RCLICK, &CMyListView::OnRClick)
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

namespace
{
constexpr COLORREF kBackground = 0xD6D6D6;
constexpr COLORREF kTitleBand = 0x404040;
// "Save to Excel" writes an Office Open XML workbook.
constexpr const char* kWorkbookExtension = "XLSX";

} // namespace

CMyListView::CMyListView() = default;

CMyListView::~CMyListView() = default;

void CMyListView::OnInitialUpdate()
{
    CListView::OnInitialUpdate();
    CListCtrl& list = GetListCtrl();
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES |
                          LVS_EX_FULLROWSELECT);
    list.SetBkColor(kBackground);
    list.SetTextBkColor(kBackground);
    list.SetTextColor(RGB(0, 0, 0));
    Invalidate();
}

void CMyListView::OnSize(UINT nType, int cx, int cy)
{
    CListView::OnSize(nType, cx, cy);
    AutoSizeColumns(&GetListCtrl(), m_bFillWidth);
}

void CMyListView::OnRClick(NMHDR*, LRESULT* pResult)
{
    CPoint point;
    GetCursorPos(&point);
    ShowContextMenu(point);
    if (pResult)
        *pResult = 0;
}

void CMyListView::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    // A title is as wide as its text with a margin of a line's height either side, so that a
    // title longer than the menu's items widens the menu instead of being cut.
    if (lpMeasureItemStruct && lpMeasureItemStruct->CtlType == ODT_MENU && lpMeasureItemStruct->itemID >= 100)
        if (const char* text = reinterpret_cast<const char*>(lpMeasureItemStruct->itemData))
        {
            CClientDC dc(this);
            const CSize size = dc.GetTextExtent(text, static_cast<int>(std::strlen(text)));
            lpMeasureItemStruct->itemWidth =
                std::max<UINT>(lpMeasureItemStruct->itemWidth, static_cast<UINT>(size.cx + 2 * size.cy));
            return;
        }
    CListView::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

void CMyListView::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct && lpDrawItemStruct->CtlType == ODT_MENU && lpDrawItemStruct->itemID >= 100)
    {
        CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
        if (pDC)
        {
            CRect band(lpDrawItemStruct->rcItem);
            pDC->FillSolidRect(&band, kTitleBand);
            const char* text = reinterpret_cast<const char*>(lpDrawItemStruct->itemData);
            if (text)
            {
                const int oldMode = pDC->SetBkMode(TRANSPARENT);
                const COLORREF oldColour = pDC->SetTextColor(RGB(255, 255, 255));
                pDC->DrawText(text, -1, &band, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
                pDC->SetTextColor(oldColour);
                pDC->SetBkMode(oldMode);
            }
        }
    }
    CListView::OnDrawItem(nIDCtl, lpDrawItemStruct);
}

void CMyListView::ShowContextMenu(CPoint screenPoint)
{
    CListCtrl& list = GetListCtrl();
    CPopupMenu menu(kBackground);
    if (!menu.CreatePopupMenu())
        return;
    // Title items are drawn by OnDrawItem from their item data.
    menu.AppendMenu(MF_OWNERDRAW, ID_LISTVIEW_TITLE, "Import Data");
    menu.AppendMenu(MF_STRING, ID_LISTVIEW_LOAD_CSV, "Load CSV File");
    const int rows = list.GetItemCount();
    const int selected = static_cast<int>(list.GetSelectedCount());
    if (rows > 0 && selected > 0)
    {
        menu.AppendMenu(MF_OWNERDRAW, ID_LISTVIEW_TITLE, "Remove Data");
        menu.AppendMenu(MF_STRING, ID_LISTVIEW_DELETE_ROWS,
                        selected == 1 ? "Delete Row" : "Delete Selected Rows");
    }
    if (rows > 0)
    {
        menu.AppendMenu(MF_OWNERDRAW, ID_LISTVIEW_TITLE, "Export Data");
        menu.AppendMenu(MF_STRING, ID_LISTVIEW_SAVE_CSV, "Save to CSV");
        menu.AppendMenu(MF_STRING, ID_LISTVIEW_SAVE_EXCEL, "Save to Excel");
        menu.AppendMenu(MF_STRING, ID_LISTVIEW_PRINT, "Print");
    }
    const UINT command = static_cast<UINT>(
        menu.TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, this));
    switch (command)
    {
    case ID_LISTVIEW_LOAD_CSV:
        ImportCsv();
        break;
    case ID_LISTVIEW_DELETE_ROWS:
        DeleteSelectedRows();
        break;
    case ID_LISTVIEW_SAVE_CSV:
        SaveToCsv();
        break;
    case ID_LISTVIEW_SAVE_EXCEL:
        SaveToExcel();
        break;
    case ID_LISTVIEW_PRINT:
        Print();
        break;
    default:
        break;
    }
}

void CMyListView::DeleteSelectedRows()
{
    CListCtrl& list = GetListCtrl();
    std::vector<int> rows;
    POSITION pos = list.GetFirstSelectedItemPosition();
    while (pos)
        rows.push_back(list.GetNextSelectedItem(pos));
    std::sort(rows.begin(), rows.end());
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        list.DeleteItem(*it);
}

CString CMyListView::ExportFileName(const char* extension) const
{
    CString name;
    if (!m_ExportName.IsEmpty())
        name.Format("%s%s.%s", m_ExportFolder.GetString(), m_ExportName.GetString(), extension);
    else
        name.Format("%s_%s.%s", m_ExportFolder.GetString(), m_DefaultName.GetString(), extension);
    return name;
}

CString CMyListView::SavedMessage(const char* extension) const
{
    CString message;
    if (!m_ExportName.IsEmpty())
        message.Format("%s.%s\n saved in \n%s", m_ExportName.GetString(), extension,
                       m_ExportFolder.GetString());
    else
        message.Format("_%s.%s\n saved in \n%s", m_DefaultName.GetString(), extension,
                       m_ExportFolder.GetString());
    return message;
}

bool CMyListView::SaveToCsv()
{
    if (!WriteListCsv(GetListCtrl(), ExportFileName("CSV"), true))
    {
        AfxMessageBox("Error Opening CSV File");
        return false;
    }
    // The message names the file as it was written: the name is told in the file's own case.
    AfxMessageBox(SavedMessage("CSV"));
    return true;
}

int CMyListView::GetExcelColumns(CExcelColumn& columns)
{
    return GetListExcelColumns(GetListCtrl(), columns);
}

bool CMyListView::SaveToExcel()
{
    // The workbook is an Office Open XML package: its name says so (".XLSX"), so that a
    // spreadsheet program or a file manager takes it for what it is.
    CString sheet = m_ExportName;
    if (sheet.IsEmpty())
    {
        sheet = m_DefaultName;
        if (!sheet.IsEmpty() && sheet[0] == '_')
            sheet = sheet.Mid(1);
    }
    CString error;
    if (!WriteListWorkbook(GetListCtrl(), ExportFileName(kWorkbookExtension), sheet, &error))
    {
        CString message = "Error Opening EXCEL File";
        if (!error.IsEmpty())
            message += "\n" + error;
        AfxMessageBox(message);
        return false;
    }
    AfxMessageBox(SavedMessage(kWorkbookExtension));
    return true;
}

bool CMyListView::ChooseCsvFile()
{
    CFileDialog dialog(TRUE, "csv", nullptr, OFN_HIDEREADONLY | OFN_EXPLORER,
                       "CSV Files (*.csv)|*.csv|Text Files (*.txt)|*.txt|All Files (*.*)|*.*||", this);
    dialog.m_ofn.lpstrTitle = "Data File";
    if (dialog.DoModal() != IDOK)
        return false;
    m_DataFilePath = dialog.GetPathName();
    m_ExportFolder = dialog.GetFolderPath() + "\\";
    m_DefaultName = dialog.GetFileTitle();
    if (!m_SettingsName.IsEmpty())
    {
        CConfigFile memo;
        const CString memoName = memo.GetSettingsFileName(m_SettingsName);
        if (memo.Open(memoName,
                      CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText))
        {
            try
            {
                memo.WriteString(m_DataFilePath);
                memo.Close();
            }
            catch (CException* e)
            {
                e->Delete();
                memo.Abort();
            }
        }
    }
    return true;
}

bool CMyListView::ImportCsv()
{
    if (!ChooseCsvFile())
        return false;
    LoadCsv(nullptr);
    return true;
}

void CMyListView::LoadCsv(const char* path)
{
    CListCtrl& list = GetListCtrl();
    const CString filePath = path ? CString(path) : m_DataFilePath;
    list.DeleteAllItems();
    for (int c = ListColumnCount(list) - 1; c >= 0; --c)
        list.DeleteColumn(c);
    m_Headings.RemoveAll();

    if (CFrameWnd* frame = GetParentFrame())
        frame->SetWindowText(filePath);
    CStdioFile file;
    if (!file.Open(filePath, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return;
    int r = 0;
    bool firstLine = true;
    CString line;
    try
    {
        while (file.ReadString(line))
        {
            const std::vector<CString> tokens = SplitCsvLine(line);
            const bool headingLine = firstLine && m_bFirstLineHoldsHeadings;
            firstLine = false;
            // A blank line holds no row: counting it would shift every later row's cells.
            if (tokens.empty() && !headingLine)
                continue;
            for (size_t i = 0; i < tokens.size(); ++i)
            {
                const int c = static_cast<int>(i);
                const CString& token = tokens[i];
                if (headingLine)
                    list.InsertColumn(c, token, LVCFMT_CENTER, 50);
                else
                {
                    if (c >= ListColumnCount(list))
                        list.InsertColumn(c, "", LVCFMT_CENTER, 50);
                    if (r < list.GetItemCount())
                        list.SetItemText(r, c, token);
                    else
                        list.InsertItem(r, token);
                }
                if (r == 0)
                    m_Headings.Add(token);
            }
            if (!headingLine)
                ++r;
        }
    }
    catch (CException* e)
    {
        e->Delete();
    }
    AutoSizeColumns(&list, m_bFillWidth);
    file.Close();
}

bool CMyListView::Print()
{
    const CString title = m_ExportName.IsEmpty() ? m_DefaultName : m_ExportName;
    const ListPrintStyle style; // headings in weight 500, rows in 300, the font fitted
    return PrintListWithDialog(GetListCtrl(), this, title, style, m_LastPrintLayout);
}

bool CMyListView::PrintOnDC(CDC* pDC, const CString& title, int copies, bool collate, int fromPage,
                            int toPage)
{
    const ListPrintStyle style;
    return PrintListOnDC(GetListCtrl(), pDC, title, copies, collate, fromPage, toPage, style,
                         m_LastPrintLayout);
}

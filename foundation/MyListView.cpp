#include "foundation/MyListView.h"

#include "foundation/ConfigFile.h"
#include "foundation/CsvParser.h"
#include "foundation/FilePath.h"
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

int HeaderCount(CListCtrl& list)
{
    CHeaderCtrl* header = list.GetHeaderCtrl();
    return header ? header->GetItemCount() : 0;
}

// A column's heading (whole: the fixed buffers of old cut long headings short) and format.
CString ColumnHeading(CListCtrl& list, int column, int* format = nullptr)
{
    char buffer[4096] = {0};
    LVCOLUMN lvc{};
    lvc.mask = LVCF_TEXT | LVCF_FMT;
    lvc.pszText = buffer;
    lvc.cchTextMax = static_cast<int>(sizeof buffer);
    if (column < 0 || column >= HeaderCount(list) || !list.GetColumn(column, &lvc))
        return CString();
    if (format)
        *format = lvc.fmt;
    return CString(buffer);
}

// One cell of a CSV line. A line break inside a cell becomes a blank, so each row stays one
// line. A cell holding the separator or a double quote is written in double quotes with its
// quotes doubled, so that it reads back as one cell; every other cell is written as it is.
CString CsvCell(CString text)
{
    text.Remove('\r');
    text.Replace('\n', ' ');
    if (text.FindOneOf(",\"") >= 0)
    {
        text.Replace("\"", "\"\"");
        text = "\"" + text + "\"";
    }
    return text;
}

// A quoted field whose text holds doubled quotes ("say ""hi"""), at the start of the rest of
// a line: taken with each pair made one quote, together with what follows it up to and with
// the next separator. False (nothing taken) for anything else, which the tokenizer reads.
bool TakeQuotedFieldWithQuotes(CString& rest, CString& field)
{
    int i = 0;
    const int n = rest.GetLength();
    while (i < n && rest[i] == ' ')
        ++i;
    if (i >= n || rest[i] != '"')
        return false;
    CString text;
    bool doubled = false;
    int j = i + 1;
    for (; j < n; ++j)
    {
        if (rest[j] == '"')
        {
            if (j + 1 < n && rest[j + 1] == '"')
            {
                text += '"';
                ++j;
                doubled = true;
                continue;
            }
            break;
        }
        text += rest[j];
    }
    if (!doubled)
        return false;
    CString after = j < n ? rest.Mid(j + 1) : CString();
    const int separator = after.Find(',');
    after = separator < 0 ? CString() : after.Mid(separator + 1);
    after.TrimRight(' ');
    field = text;
    rest = after;
    return true;
}

// The fields of one line of a CSV file.
std::vector<CString> SplitCsvLine(const CString& line)
{
    std::vector<CString> tokens;
    CCsvParser parser;
    parser.SetLine(line);
    while (!parser.GetLine().IsEmpty())
    {
        CString rest = parser.GetLine();
        CString token;
        if (TakeQuotedFieldWithQuotes(rest, token))
            // The blank keeps a rest that starts with '$' from being taken for a sentence.
            parser.SetLine(rest.IsEmpty() ? rest : " " + rest);
        else if (!parser.GetString(token))
            break;
        tokens.push_back(token);
    }
    return tokens;
}

UINT DrawAlignment(int format)
{
    switch (format & LVCFMT_JUSTIFYMASK)
    {
    case LVCFMT_RIGHT:
        return DT_RIGHT;
    case LVCFMT_CENTER:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

int MillimetresToPixels(int resolution, double millimetres)
{
    return static_cast<int>(resolution * millimetres / 25.4);
}

bool MakePrintFont(CFont& font, CDC* pDC, int points, int weight)
{
    const int height = points * pDC->GetDeviceCaps(LOGPIXELSY) / 72;
    return font.CreateFont(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                           CLIP_STROKE_PRECIS, DRAFT_QUALITY, FF_SWISS, "Tahoma") != FALSE;
}

CSize MeasureText(CDC* pDC, const CString& text)
{
    CRect r(0, 0, 0, 0);
    pDC->DrawText(text, &r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP);
    return CSize(r.Width(), r.Height());
}
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
    CListCtrl& list = GetListCtrl();
    const CString fileName = ExportFileName("CSV");
    // Written beside the target and put in its place whole (CConfigFile's writing).
    CConfigFile file;
    if (!file.Open(fileName, CFile::modeCreate | CFile::modeReadWrite | CFile::typeText))
    {
        AfxMessageBox("Error Opening CSV File");
        return false;
    }
    try
    {
        const int columns = HeaderCount(list);
        CString line;
        for (int c = 0; c < columns; ++c)
        {
            if (c > 0)
                line += ',';
            line += CsvCell(ColumnHeading(list, c));
        }
        file.WriteString(line + "\n");
        for (int r = 0; r < list.GetItemCount(); ++r)
        {
            line.Empty();
            for (int c = 0; c < columns; ++c)
            {
                if (c > 0)
                    line += ',';
                line += CsvCell(list.GetItemText(r, c));
            }
            file.WriteString(line + "\n");
        }
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
        AfxMessageBox("Error Opening CSV File");
        return false;
    }
    // The message names the file as it was written: the name is told in the file's own case.
    AfxMessageBox(SavedMessage("CSV"));
    return true;
}

int CMyListView::GetExcelColumns(CExcelColumn& columns)
{
    CListCtrl& list = GetListCtrl();
    columns.RemoveAll();
    const int count = HeaderCount(list);
    const int rows = list.GetItemCount();
    for (int i = 0; i < count; ++i)
    {
        ExcelColumnDef def;
        def.Heading = ColumnHeading(list, i);
        if (def.Heading.IsEmpty())
            def.Heading = ExcelCellName(i);
        bool numeric = rows > 0;
        for (int r = 0; r < rows && numeric; ++r)
            numeric = IsNumericText(list.GetItemText(r, i));
        def.Numeric = numeric ? 1 : 0;
        columns.Add(def);
    }
    return count;
}

bool CMyListView::SaveToExcel()
{
    CListCtrl& list = GetListCtrl();
    CExcelColumn columns;
    GetExcelColumns(columns);
    // The system's exports keep the ".XLS" name; the workbook inside is .xlsx, which
    // spreadsheet programs open by its content.
    const CString fileName = ExportFileName("XLS");
    CString sheet = m_ExportName;
    if (sheet.IsEmpty())
    {
        sheet = m_DefaultName;
        if (!sheet.IsEmpty() && sheet[0] == '_')
            sheet = sheet.Mid(1);
    }
    try
    {
        CExcelWriter writer;
        if (!writer.CreateExcelTable(fileName, sheet, columns))
        {
            AfxMessageBox("Error Opening EXCEL File");
            return false;
        }
        const int count = static_cast<int>(columns.GetSize());
        for (int r = 0; r < list.GetItemCount(); ++r)
        {
            for (int c = 0; c < count; ++c)
            {
                CString value = list.GetItemText(r, c);
                value.Replace('\n', ' ');
                columns[c].Value = value;
            }
            writer.InsertExcelRow(columns);
        }
        if (writer.m_RecordSet.IsOpen())
            writer.m_RecordSet.Close();
        writer.m_Database.Close();
    }
    catch (CDBException* e)
    {
        // The workbook is written whole or not at all: a failed statement leaves nothing.
        CString message = "Error Opening EXCEL File";
        if (!e->m_strError.IsEmpty())
            message += "\n" + e->m_strError;
        e->Delete();
        columns.RemoveAll();
        AfxMessageBox(message);
        return false;
    }
    columns.RemoveAll();
    AfxMessageBox(SavedMessage("XLS"));
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
    for (int c = HeaderCount(list) - 1; c >= 0; --c)
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
                    if (c >= HeaderCount(list))
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
    CListCtrl& list = GetListCtrl();
    if (list.GetItemCount() <= 0)
        return false;
    CPrintDialog dialog(FALSE, PD_NOSELECTION | PD_NOPAGENUMS | PD_RETURNDC, this);
    if (dialog.DoModal() != IDOK)
        return false;
    HDC hdc = dialog.GetPrinterDC();
    if (!hdc)
        return false;
    CDC dc;
    dc.Attach(hdc);
    const int copies = dialog.GetCopies();
    const bool collate = copies > 1 && dialog.PrintCollate();
    const CString title = m_ExportName.IsEmpty() ? m_DefaultName : m_ExportName;
    const bool printed = PrintOnDC(&dc, title, copies, collate, dialog.GetFromPage(), dialog.GetToPage());
    dc.DeleteDC();
    return printed;
}

bool CMyListView::PrintOnDC(CDC* pDC, const CString& title, int copies, bool collate, int fromPage,
                            int toPage)
{
    CListCtrl& list = GetListCtrl();
    ListPrintLayout& layout = m_LastPrintLayout;
    layout = ListPrintLayout();
    const int columns = HeaderCount(list);
    const int rows = list.GetItemCount();
    if (!pDC || columns <= 0 || rows <= 0)
        return false;
    if (copies < 1)
        copies = 1;

    // Page frame.
    const int horz = pDC->GetDeviceCaps(HORZRES);
    const int vert = pDC->GetDeviceCaps(VERTRES);
    const int dpiX = pDC->GetDeviceCaps(LOGPIXELSX);
    const int dpiY = pDC->GetDeviceCaps(LOGPIXELSY);
    const int L = std::min(horz, vert) / 20 + MillimetresToPixels(dpiX, 0.3);
    const int T = std::min(horz, vert) / 20 + MillimetresToPixels(dpiY, 0.3);
    const int W = horz - 2 * L;
    const int H = vert - 2 * T;
    layout.left = L;
    layout.top = T;
    layout.width = W;
    layout.height = H;
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetTextAlign(TA_LEFT | TA_TOP);
    DOCINFO info{};
    info.cbSize = sizeof info;
    info.lpszDocName = title;
    if (pDC->StartDoc(&info) <= 0)
        return false;

    // Texts: headings on one line each, and every cell.
    std::vector<CString> headings(static_cast<size_t>(columns));
    std::vector<int> formats(static_cast<size_t>(columns), LVCFMT_LEFT);
    for (int c = 0; c < columns; ++c)
    {
        headings[static_cast<size_t>(c)] = ColumnHeading(list, c, &formats[static_cast<size_t>(c)]);
        headings[static_cast<size_t>(c)].Remove('\r');
        headings[static_cast<size_t>(c)].Replace('\n', ' ');
    }
    auto cellText = [&list](int r, int c) {
        CString text = list.GetItemText(r, c);
        text.Remove('\r');
        text.Replace('\n', ' ');
        return text;
    };

    // The widest text of every column, measured at 12 points.
    std::vector<CString> widest(static_cast<size_t>(columns));
    CString sample;
    {
        CFont measure;
        MakePrintFont(measure, pDC, 12, 500);
        CFont* old = pDC->SelectObject(&measure);
        for (int c = 0; c < columns; ++c)
        {
            CString best = headings[static_cast<size_t>(c)];
            int bestWidth = MeasureText(pDC, best).cx;
            for (int r = 0; r < rows; ++r)
            {
                const CString text = cellText(r, c);
                const int w = MeasureText(pDC, text).cx;
                if (w > bestWidth)
                {
                    bestWidth = w;
                    best = text;
                }
            }
            widest[static_cast<size_t>(c)] = best;
            sample += "  " + best + "  ";
        }
        pDC->SelectObject(old);
    }

    // The largest size from 12 points down at which the sample line fits the width.
    int points = 12;
    for (;; --points)
    {
        CFont trial;
        MakePrintFont(trial, pDC, points, 500);
        CFont* old = pDC->SelectObject(&trial);
        const int width = MeasureText(pDC, sample).cx;
        pDC->SelectObject(old);
        layout.fitting.emplace_back(points, width);
        if (width <= W || points <= 3)
            break;
    }
    layout.pointSize = points;

    CFont headingFont, normalFont, rowFont;
    MakePrintFont(headingFont, pDC, points, 600);
    MakePrintFont(normalFont, pDC, points, 500);
    MakePrintFont(rowFont, pDC, points, 300);
    CFont* oldFont = pDC->SelectObject(&normalFont);
    const int m = MeasureText(pDC, "  ").cx;
    const int h = std::max(1, MeasureText(pDC, sample).cy);
    std::vector<int> c(static_cast<size_t>(columns));
    for (int i = 0; i < columns; ++i)
        c[static_cast<size_t>(i)] = MeasureText(pDC, widest[static_cast<size_t>(i)]).cx;
    layout.margin = m;
    layout.rowHeight = h;
    layout.columnWidths = c;
    int R = L + m;
    for (int i = 0; i < columns; ++i)
        R += c[static_cast<size_t>(i)] + 2 * m;
    R -= m;
    layout.right = R;

    CPen thickVertical(PS_SOLID, MillimetresToPixels(dpiX, 0.3), RGB(0, 0, 0));
    CPen thickHorizontal(PS_SOLID, MillimetresToPixels(dpiY, 0.3), RGB(0, 0, 0));
    CPen thin(PS_SOLID, MillimetresToPixels(dpiX, 0.065), RGB(0, 0, 0));
    CPen* oldPen = pDC->SelectObject(&thin);
    CGdiObject* oldBrush = pDC->SelectStockObject(NULL_BRUSH);

    // Pages: each holds at least one row, then more while y stays above H - 1.5h.
    for (int r = 0; r < rows;)
    {
        const int first = r;
        int y = T + 2 * h + h / 2;
        do
        {
            ++r;
            y += h;
        } while (r < rows && y < H - h - h / 2);
        layout.pages.emplace_back(first, r);
    }
    const bool gridLines = (list.GetExtendedStyle() & LVS_EX_GRIDLINES) != 0;

    auto drawRow = [&](int y, CFont* font, auto textOf) {
        pDC->SelectObject(font);
        int x = L + m;
        for (int i = 0; i < columns; ++i)
        {
            CRect cell(x, y, x + c[static_cast<size_t>(i)], y + h);
            pDC->DrawText(textOf(i), &cell,
                          DrawAlignment(formats[static_cast<size_t>(i)]) | DT_SINGLELINE | DT_EXPANDTABS |
                              DT_NOCLIP | DT_TOP);
            x += c[static_cast<size_t>(i)] + 2 * m;
        }
    };

    // Returns 1 printed, 0 a failed end of page (stop after it), -1 a failed start.
    auto printPage = [&](size_t pageIndex) -> int {
        const std::pair<int, int> page = layout.pages[pageIndex];
        if (pDC->StartPage() <= 0)
            return -1;
        layout.printedPages.push_back(static_cast<int>(pageIndex) + 1);
        drawRow(T + h / 2, &normalFont, [&](int i) { return headings[static_cast<size_t>(i)]; });
        pDC->SelectObject(&thickHorizontal);
        pDC->MoveTo(L, T + 2 * h);
        pDC->LineTo(R, T + 2 * h);
        int y = T + 2 * h + h / 2;
        for (int r = page.first; r < page.second; ++r)
        {
            drawRow(y, &rowFont, [&](int i) { return cellText(r, i); });
            y += h;
        }
        const int B = y + h / 2;
        pDC->SelectObject(&thickVertical);
        pDC->MoveTo(L, T);
        pDC->LineTo(L, B);
        pDC->MoveTo(R, T);
        pDC->LineTo(R, B);
        pDC->SelectObject(&thickHorizontal);
        pDC->MoveTo(L, T);
        pDC->LineTo(R, T);
        pDC->MoveTo(L, B);
        pDC->LineTo(R, B);
        pDC->SelectObject(&thin);
        int x = L;
        for (int i = 0; i + 1 < columns; ++i)
        {
            x += c[static_cast<size_t>(i)] + 2 * m;
            pDC->MoveTo(x, T);
            pDC->LineTo(x, B);
        }
        if (gridLines)
        {
            for (int gy = T + 3 * h + h / 24 + h / 2; B - gy > h; gy += h)
            {
                pDC->MoveTo(L, gy);
                pDC->LineTo(R, gy);
            }
        }
        return pDC->EndPage() > 0 ? 1 : 0;
    };

    const size_t pageCount = layout.pages.size();
    auto wanted = [&](size_t pageIndex) {
        const int number = static_cast<int>(pageIndex) + 1;
        return fromPage <= 0 || toPage <= 0 || (number >= fromPage && number <= toPage);
    };
    // The order pages go to the printer: collated, the whole document once per copy;
    // otherwise each page its number of copies before the next.
    std::vector<size_t> order;
    if (collate)
    {
        for (int copy = 0; copy < copies; ++copy)
            for (size_t p = 0; p < pageCount; ++p)
                if (wanted(p))
                    order.push_back(p);
    }
    else
    {
        for (size_t p = 0; p < pageCount; ++p)
            if (wanted(p))
                for (int copy = 0; copy < copies; ++copy)
                    order.push_back(p);
    }

    bool result = true;
    for (size_t p : order)
    {
        const int printed = printPage(p);
        if (printed < 0)
        {
            result = false;
            break;
        }
        if (printed == 0)
        {
            result = false;
            break;
        }
    }
    pDC->SelectObject(oldFont);
    pDC->SelectObject(oldPen);
    if (oldBrush)
        pDC->SelectObject(oldBrush);
    if (pDC->EndDoc() <= 0)
        result = false;
    return result;
}

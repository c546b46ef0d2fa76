#include "foundation/ListOutput.h"

#include "foundation/ConfigFile.h"
#include "foundation/TextFunctions.h"
#include "platform/ui/Dc.h"
#include "platform/ui/HeaderCtrl.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/PrintDialog.h"

#include <algorithm>

namespace
{
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

int ListColumnCount(CListCtrl& list)
{
    CHeaderCtrl* header = list.GetHeaderCtrl();
    return header ? header->GetItemCount() : 0;
}

CString ListColumnHeading(CListCtrl& list, int column, int* format)
{
    char buffer[4096] = {0};
    LVCOLUMN lvc{};
    lvc.mask = LVCF_TEXT | LVCF_FMT;
    lvc.pszText = buffer;
    lvc.cchTextMax = static_cast<int>(sizeof buffer);
    if (column < 0 || column >= ListColumnCount(list) || !list.GetColumn(column, &lvc))
        return CString();
    if (format)
        *format = lvc.fmt;
    return CString(buffer);
}

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

bool WriteListCsv(CListCtrl& list, const char* path, bool headingLine)
{
    // Written beside the target and put in its place whole (CConfigFile's writing).
    CConfigFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeReadWrite | CFile::typeText))
        return false;
    try
    {
        const int columns = ListColumnCount(list);
        CString line;
        if (headingLine)
        {
            for (int c = 0; c < columns; ++c)
            {
                if (c > 0)
                    line += ',';
                line += CsvCell(ListColumnHeading(list, c));
            }
            file.WriteString(line + "\n");
        }
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
        return false;
    }
    return true;
}

int GetListExcelColumns(CListCtrl& list, CExcelColumn& columns)
{
    columns.RemoveAll();
    const int count = ListColumnCount(list);
    const int rows = list.GetItemCount();
    for (int i = 0; i < count; ++i)
    {
        ExcelColumnDef def;
        def.Heading = ListColumnHeading(list, i);
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

bool WriteListWorkbook(CListCtrl& list, const char* path, const char* table, CString* error)
{
    CExcelColumn columns;
    GetListExcelColumns(list, columns);
    try
    {
        CExcelWriter writer;
        if (!writer.CreateExcelTable(path, table, columns))
        {
            if (error)
                error->Empty();
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
        if (error)
            *error = e->m_strError;
        e->Delete();
        return false;
    }
    return true;
}

bool PrintListOnDC(CListCtrl& list, CDC* pDC, const CString& title, int copies, bool collate, int fromPage,
                   int toPage, const ListPrintStyle& style, ListPrintLayout& layout)
{
    layout = ListPrintLayout();
    const int columns = ListColumnCount(list);
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
    const int titles = style.titleLines ? static_cast<int>(style.titleLines->GetSize()) : 0;
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
        headings[static_cast<size_t>(c)] = ListColumnHeading(list, c, &formats[static_cast<size_t>(c)]);
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

    // The largest size from 12 points down at which the sample line fits the width (or 12
    // points, the columns then scaled to the width).
    int points = 12;
    for (;; --points)
    {
        CFont trial;
        MakePrintFont(trial, pDC, points, 500);
        CFont* old = pDC->SelectObject(&trial);
        const int width = MeasureText(pDC, sample).cx;
        pDC->SelectObject(old);
        layout.fitting.emplace_back(points, width);
        if (!style.fitFont || width <= W || points <= 3)
            break;
    }
    layout.pointSize = points;

    CFont titleFont, headingFont, normalFont, rowFont;
    MakePrintFont(titleFont, pDC, points, style.titleWeight);
    MakePrintFont(headingFont, pDC, points, style.headingWeight);
    MakePrintFont(normalFont, pDC, points, 500);
    MakePrintFont(rowFont, pDC, points, style.rowWeight);
    CFont* oldFont = pDC->SelectObject(&normalFont);
    const int m = MeasureText(pDC, "  ").cx;
    const int h = std::max(1, MeasureText(pDC, sample).cy);
    std::vector<int> c(static_cast<size_t>(columns));
    long long total = 0;
    for (int i = 0; i < columns; ++i)
    {
        c[static_cast<size_t>(i)] = MeasureText(pDC, widest[static_cast<size_t>(i)]).cx;
        total += c[static_cast<size_t>(i)];
    }
    const long long room = static_cast<long long>(W) - 2LL * m * columns;
    if (!style.fitFont && total > 0 && room > 0)
        for (int& width : c)
            width = static_cast<int>(width * room / total);
    layout.margin = m;
    layout.rowHeight = h;
    layout.columnWidths = c;
    // The table starts below the title lines.
    const int top = T + titles * h;
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
        int y = top + 2 * h + h / 2;
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
        for (int t = 0; t < titles; ++t)
        {
            pDC->SelectObject(&titleFont);
            CRect line(L, T + t * h, L + W, T + (t + 1) * h);
            pDC->DrawText(style.titleLines->GetAt(t), &line, DT_LEFT | DT_SINGLELINE | DT_NOCLIP | DT_TOP);
        }
        drawRow(top + h / 2, &headingFont, [&](int i) { return headings[static_cast<size_t>(i)]; });
        pDC->SelectObject(&thickHorizontal);
        pDC->MoveTo(L, top + 2 * h);
        pDC->LineTo(R, top + 2 * h);
        int y = top + 2 * h + h / 2;
        for (int r = page.first; r < page.second; ++r)
        {
            drawRow(y, &rowFont, [&](int i) { return cellText(r, i); });
            y += h;
        }
        const int B = y + h / 2;
        pDC->SelectObject(&thickVertical);
        pDC->MoveTo(L, top);
        pDC->LineTo(L, B);
        pDC->MoveTo(R, top);
        pDC->LineTo(R, B);
        pDC->SelectObject(&thickHorizontal);
        pDC->MoveTo(L, top);
        pDC->LineTo(R, top);
        pDC->MoveTo(L, B);
        pDC->LineTo(R, B);
        pDC->SelectObject(&thin);
        int x = L;
        for (int i = 0; i + 1 < columns; ++i)
        {
            x += c[static_cast<size_t>(i)] + 2 * m;
            pDC->MoveTo(x, top);
            pDC->LineTo(x, B);
        }
        if (gridLines)
        {
            for (int gy = top + 3 * h + h / 24 + h / 2; B - gy > h; gy += h)
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

bool PrintListWithDialog(CListCtrl& list, CWnd* parent, const CString& title, const ListPrintStyle& style,
                         ListPrintLayout& layout)
{
    if (list.GetItemCount() <= 0)
        return false;
    CPrintDialog dialog(FALSE, PD_NOSELECTION | PD_NOPAGENUMS | PD_RETURNDC, parent);
    if (dialog.DoModal() != IDOK)
        return false;
    HDC hdc = dialog.GetPrinterDC();
    if (!hdc)
        return false;
    CDC dc;
    dc.Attach(hdc);
    const int copies = dialog.GetCopies();
    const bool collate = copies > 1 && dialog.PrintCollate();
    const bool printed = PrintListOnDC(list, &dc, title, copies, collate, dialog.GetFromPage(),
                                       dialog.GetToPage(), style, layout);
    dc.DeleteDC();
    return printed;
}

#include "acoustic/engine/ColourPropertyGridCtrl.h"

#include "foundation/PopupMenu.h"
#include "outside/notifex/Notifex.h"
#include "platform/ui/Dc.h"
#include "platform/ui/Font.h"
#include "platform/ui/GdiObject.h"
#include "platform/ui/PrintDialog.h"

#include <algorithm>
#include <memory>

IMPLEMENT_DYNAMIC(CMFCColourPropertyGridCtrl, CMFCPropertyGridCtrl)

BEGIN_MESSAGE_MAP(CMFCColourPropertyGridCtrl, CMFCPropertyGridCtrl)
    ON_WM_RBUTTONUP()
END_MESSAGE_MAP()

namespace
{
const char kTitle[] = "TITLE";
const char kSixBlanks[] = "      ";
const UINT kMeasure = DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP;
const UINT kDraw = DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP;

CSize Measure(CDC* dc, const CString& text)
{
    CRect r(0, 0, 0, 0);
    dc->DrawText(text, &r, kMeasure);
    return CSize(r.Width(), r.Height());
}

// The largest font from 12 points down to 3 at which `text` is no wider than `width`; 3 points
// when none is. The font is left selected in `dc`.
void FitFont(CDC* dc, CFont& font, const CString& text, int width)
{
    const int dpiY = dc->GetDeviceCaps(LOGPIXELSY);
    for (int points = 12; points >= 3; --points)
    {
        font.DeleteObject();
        font.CreateFont(dpiY * points / 72, 0, 0, 0, 600, FALSE, FALSE, FALSE, 0, 4, 2, 1, 0x20, "Tahoma");
        dc->SelectObject(&font);
        if (Measure(dc, text).cx <= width)
            return;
    }
}

int RuleWidth(int dotsPerInch)
{
    return static_cast<int>(dotsPerInch * 0.3 / 25.4);
}
} // namespace

CMFCColourPropertyGridCtrl::CMFCColourPropertyGridCtrl() = default;

void CMFCColourPropertyGridCtrl::SetCustomColours(int)
{
    if (m_DarkScheme == 1)
        SetCustomColors(0x000000, 0xC0C0C0, 0x555555, 0xEBEBEB, 0x555555, 0xC0C0C0, 0x555555);
    else
        SetCustomColors(0xD6D6D6, 0x000000, 0x555555, 0xEBEBEB, 0x555555, 0xEBEBEB, 0x555555);
    m_ColoursSet = 1;
    if (GetSafeHwnd())
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE);
}

void CMFCColourPropertyGridCtrl::OnRButtonUp(UINT nFlags, CPoint point)
{
    {
        CPopupMenu menu(0xD6D6D6);
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING, kPrintCommand, "Print");
        POINT at{};
        GetCursorPos(&at);
        const UINT command =
            static_cast<UINT>(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, this));
        if (command == kPrintCommand)
            Print(m_pPrintHeader);
    }
    CMFCPropertyGridCtrl::OnRButtonUp(nFlags, point);
}

void CMFCColourPropertyGridCtrl::CollectPrintRows(HDC hDC, CMFCPropertyGridProperty* pProp)
{
    // Hidden properties are not part of what the grid shows, so they are not part of its record.
    if (pProp == nullptr || !pProp->IsVisible())
        return;
    CDC* dc = CDC::FromHandle(hDC);
    m_PrintNames.Add(kTitle);
    m_PrintValues.Add(pProp->GetName());
    for (int i = 0; i < pProp->GetSubItemsCount(); ++i)
    {
        CMFCPropertyGridProperty* sub = pProp->GetSubItem(i);
        if (!sub->IsVisible())
            continue;
        if (sub->GetSubItemsCount() > 0)
        {
            CollectPrintRows(hDC, sub);
            continue;
        }
        const CString name = sub->GetName();
        const int nameWidth = Measure(dc, name).cx;
        if (nameWidth > m_WidestNameWidth)
        {
            m_WidestNameWidth = nameWidth;
            m_WidestName = name;
        }
        const CString value = sub->FormatProperty();
        if (value == "*** error ***")
        {
            m_PrintNames.Add(kTitle);
            m_PrintValues.Add(name);
            continue;
        }
        m_PrintNames.Add(name);
        const int valueWidth = Measure(dc, value).cx;
        if (valueWidth > m_WidestValueWidth)
        {
            m_WidestValueWidth = valueWidth;
            m_WidestValue = value;
        }
        m_PrintValues.Add(value);
    }
    m_WidestLine = m_WidestName + kSixBlanks + m_WidestValue;
}

int CMFCColourPropertyGridCtrl::PrintHeaderBox(HDC hDC, RECT area, CStringArray* pHeader)
{
    CDC* dc = CDC::FromHandle(hDC);
    CStringArray lines;
    CString widest;
    int widestWidth = -1;
    for (INT_PTR i = 0; i < pHeader->GetSize(); ++i)
    {
        CString line = pHeader->GetAt(i);
        line.Replace('\\', ' ');
        lines.Add(line);
        const int width = Measure(dc, line).cx;
        if (width > widestWidth)
        {
            widestWidth = width;
            widest = line;
        }
    }
    CFont font;
    CFont* oldFont = dc->GetCurrentFont();
    FitFont(dc, font, CString(kSixBlanks) + widest + kSixBlanks, dc->GetDeviceCaps(HORZRES));
    const int blanks = Measure(dc, kSixBlanks).cx;
    const CSize widestSize = Measure(dc, widest);
    const int lineHeight = std::max<int>(1, Measure(dc, CString(kSixBlanks) + widest + kSixBlanks).cy);
    int y = area.top + lineHeight / 2;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i, y += lineHeight)
    {
        CRect r(area.left + blanks, y, area.left + blanks + widestSize.cx, y + lineHeight);
        dc->DrawText(lines[i], &r, kDraw | DT_LEFT);
    }
    const int right = area.left + 2 * blanks + widestSize.cx;
    const int bottom = y + lineHeight / 2;
    CPen sides(PS_SOLID, RuleWidth(dc->GetDeviceCaps(LOGPIXELSX)), RGB(0, 0, 0));
    CPen topBottom(PS_SOLID, RuleWidth(dc->GetDeviceCaps(LOGPIXELSY)), RGB(0, 0, 0));
    CPen* oldPen = dc->SelectObject(&topBottom);
    dc->MoveTo(area.left, area.top);
    dc->LineTo(right, area.top);
    dc->MoveTo(area.left, bottom);
    dc->LineTo(right, bottom);
    dc->SelectObject(&sides);
    dc->MoveTo(area.left, area.top);
    dc->LineTo(area.left, bottom);
    dc->MoveTo(right, area.top);
    dc->LineTo(right, bottom);
    dc->SelectObject(oldPen);
    if (oldFont)
        dc->SelectObject(oldFont);
    return bottom + lineHeight;
}

void CMFCColourPropertyGridCtrl::Print(CStringArray* pHeader)
{
    CPrintDialog dialog(FALSE, PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION);
    if (dialog.DoModal() != IDOK || dialog.GetPrinterDC() == nullptr)
        return;
    CDC dc;
    dc.Attach(dialog.GetPrinterDC());
    CString docName;
    if (CWnd* parent = GetParent())
        parent->GetWindowText(docName);
    if (dc.StartDoc(docName) <= 0)
    {
        dc.DeleteDC();
        ErrorMessage("The grid could not be printed: the printer or its output file could not be opened.", this);
        return;
    }

    const int pageWidth = dc.GetDeviceCaps(HORZRES);
    const int pageHeight = dc.GetDeviceCaps(VERTRES);
    const int dpiX = dc.GetDeviceCaps(LOGPIXELSX);
    const int dpiY = dc.GetDeviceCaps(LOGPIXELSY);
    const int base = std::min(pageWidth, pageHeight) / 20;
    const int side = base + RuleWidth(dpiX);
    const int top = base + RuleWidth(dpiY);
    const CRect area(side, top, pageWidth - side, pageHeight - top);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.SetBkMode(TRANSPARENT);

    m_WidestNameWidth = 0;
    m_WidestValueWidth = 0;
    m_WidestLine.Empty();
    m_WidestName.Empty();
    m_WidestValue.Empty();
    m_PrintNames.RemoveAll();
    m_PrintValues.RemoveAll();
    for (int i = 0; i < GetPropertyCount(); ++i)
        CollectPrintRows(dc.GetSafeHdc(), GetProperty(i));

    CFont font;
    FitFont(&dc, font, m_WidestLine, area.Width());
    const CSize widest = Measure(&dc, m_WidestLine);
    const int lineHeight = std::max<int>(1, widest.cy);
    const int gap = lineHeight / 4;
    CPen horizontal(PS_SOLID, RuleWidth(dpiX), RGB(0, 0, 0));
    CPen vertical(PS_SOLID, RuleWidth(dpiY), RGB(0, 0, 0));
    dc.SelectStockObject(NULL_BRUSH);

    const int tableLeft = area.left + (area.Width() - widest.cx) / 2;
    const int tableRight = tableLeft + widest.cx;
    const int ruleLeft = tableLeft - 50;
    const int ruleRight = tableRight + 50;
    auto rule = [&](CPen& pen, int x1, int y1, int x2, int y2) {
        dc.SelectObject(&pen);
        dc.MoveTo(x1, y1);
        dc.LineTo(x2, y2);
    };

    const bool header = pHeader != nullptr && pHeader->GetSize() > 0;
    bool failed = false;
    for (int copy = 0; copy < dialog.GetCopies() && !failed; ++copy)
    {
        failed = dc.StartPage() <= 0;
        int y = header && !failed ? PrintHeaderBox(dc.GetSafeHdc(), area, pHeader) : area.top;
        bool firstOnPage = true;
        for (INT_PTR row = 0; row < m_PrintNames.GetSize() && !failed; ++row)
        {
            int bottom = y + lineHeight + 2 * gap;
            // A table longer than the page goes on over further pages rather than off its foot.
            if (bottom > area.bottom && !firstOnPage)
            {
                failed = dc.EndPage() <= 0 || dc.StartPage() <= 0;
                y = area.top;
                bottom = y + lineHeight + 2 * gap;
                firstOnPage = true;
            }
            rule(vertical, ruleLeft, y, ruleLeft, bottom);
            rule(vertical, ruleRight, y, ruleRight, bottom);
            CRect text(tableLeft, y + gap, tableRight, y + gap + lineHeight);
            const bool title = m_PrintNames[row] == kTitle;
            if (title || firstOnPage)
                rule(horizontal, ruleLeft, y, ruleRight, y);
            if (title)
            {
                dc.DrawText(m_PrintValues[row], &text, kDraw | DT_CENTER);
            }
            else
            {
                dc.DrawText(m_PrintNames[row], &text, kDraw | DT_LEFT);
                dc.DrawText(m_PrintValues[row], &text, kDraw | DT_RIGHT);
            }
            rule(horizontal, ruleLeft, bottom, ruleRight, bottom);
            y = bottom;
            firstOnPage = false;
        }
        if (!failed)
            failed = dc.EndPage() <= 0;
    }
    if (failed)
        dc.AbortDoc();
    else
        failed = dc.EndDoc() <= 0;
    m_PrintNames.RemoveAll();
    m_PrintValues.RemoveAll();
    dc.DeleteDC();
    if (failed)
        ErrorMessage("The grid could not be printed: the printout could not be written whole.", this);
}

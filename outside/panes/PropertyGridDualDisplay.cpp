#include "outside/panes/PropertyGridDualDisplay.h"

#include "outside/panes/PropertyGridColours.h"
#include "platform/ui/Dc.h"
#include "platform/ui/ImageList.h"

#include <algorithm>
#include <cmath>
#include <cstring>

CString FormatOneValue(const CString& strFormat, double dValue, const CString& strText)
{
    // Find the one conversion; "%%" is a percent sign, not a conversion.
    int conversions = 0;
    char kind = 0;
    for (int i = 0; i < strFormat.GetLength(); ++i)
    {
        if (strFormat[i] != '%')
            continue;
        if (i + 1 < strFormat.GetLength() && strFormat[i + 1] == '%')
        {
            ++i;
            continue;
        }
        int j = i + 1;
        while (j < strFormat.GetLength() && std::strchr("+- #0123456789.lhL", strFormat[j]) != nullptr)
            ++j;
        kind = j < strFormat.GetLength() ? strFormat[j] : 0;
        ++conversions;
        i = j;
    }
    CString text;
    if (conversions != 1 || kind == 0)
        return strFormat;
    if (kind == 'd' || kind == 'i')
    {
        // A format for a whole number takes the rounded value; "%ld" takes a long.
        const long whole = std::isfinite(dValue) ? std::lround(dValue) : 0;
        if (strFormat.Find("ld") >= 0 || strFormat.Find("li") >= 0)
            text.Format(strFormat, whole);
        else
            text.Format(strFormat, static_cast<int>(whole));
    }
    else if (kind == 's')
        text.Format(strFormat, static_cast<LPCSTR>(strText));
    else if (std::strchr("fFeEgGaA", kind) != nullptr)
        text.Format(strFormat, dValue);
    else
        text = strFormat;
    return text;
}

CMFCPropertyGridDualDisplay::CMFCPropertyGridDualDisplay(const CString& strName1, double dValue1,
                                                         LPCTSTR lpszFormat1, LPCTSTR lpszUnit1,
                                                         const CString& strName2, double dValue2,
                                                         LPCTSTR lpszFormat2, LPCTSTR lpszUnit2, LPCTSTR lpszDescr,
                                                         DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName1, COleVariant(""), lpszDescr, dwData), m_bDual(true)
{
    m_part[0].name = strName1;
    m_part[0].value = dValue1;
    m_part[0].format = lpszFormat1 ? lpszFormat1 : "%.3lf";
    m_part[0].unit = lpszUnit1 ? lpszUnit1 : "";
    m_part[1].name = strName2;
    m_part[1].value = dValue2;
    m_part[1].format = lpszFormat2 ? lpszFormat2 : "%.3lf";
    m_part[1].unit = lpszUnit2 ? lpszUnit2 : "";
    AllowEdit(FALSE);
    m_strName = m_part[0].name;
    m_strShown = ComposeText();
    m_varValue = COleVariant(m_strShown);
}

CMFCPropertyGridDualDisplay::CMFCPropertyGridDualDisplay(const CString& strName, double dValue, LPCTSTR lpszFormat,
                                                         LPCTSTR lpszUnit, LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(""), lpszDescr, dwData), m_bDual(false)
{
    m_part[0].name = strName;
    m_part[0].value = dValue;
    m_part[0].format = lpszFormat ? lpszFormat : "%.3lf";
    m_part[0].unit = lpszUnit ? lpszUnit : "";
    AllowEdit(FALSE);
    m_strShown = ComposeText();
    m_varValue = COleVariant(m_strShown);
}

void CMFCPropertyGridDualDisplay::Refresh()
{
    // The value kept is the text shown, so that the grid's "modified" mark follows the display.
    m_strShown = ComposeText();
    m_varValue = COleVariant(m_strShown);
    Redraw();
}

void CMFCPropertyGridDualDisplay::SetValue(double dValue1)
{
    m_part[0].value = dValue1;
    Refresh();
}

void CMFCPropertyGridDualDisplay::SetValue(double dValue1, double dValue2)
{
    m_part[0].value = dValue1;
    m_part[1].value = dValue2;
    Refresh();
}

void CMFCPropertyGridDualDisplay::SetText(int nValue, const CString& strText)
{
    m_part[Index(nValue)].text = strText;
    Refresh();
}

void CMFCPropertyGridDualDisplay::SetName(LPCTSTR lpszName1, LPCTSTR lpszName2)
{
    m_part[0].name = lpszName1 ? lpszName1 : "";
    m_part[1].name = lpszName2 ? lpszName2 : "";
    CMFCPropertyGridProperty::SetName(m_part[0].name);
    Refresh();
}

void CMFCPropertyGridDualDisplay::SetInUse(int nValue, bool bInUse)
{
    m_part[Index(nValue)].inUse = bInUse;
    Refresh();
}

void CMFCPropertyGridDualDisplay::SetInLimits(int nValue, bool bInLimits)
{
    m_part[Index(nValue)].inLimits = bInLimits;
    Refresh();
}

void CMFCPropertyGridDualDisplay::SetImageList(CImageList* pImages)
{
    m_pImages = pImages;
    Redraw();
}

CString CMFCPropertyGridDualDisplay::GetValueText(int nValue) const
{
    const PART& part = m_part[Index(nValue)];
    if (!part.inUse)
        return CString();
    return FormatOneValue(part.format, part.value, part.text) + part.unit;
}

CString CMFCPropertyGridDualDisplay::ComposeText() const
{
    if (!m_bDual)
        return GetValueText(1);
    return GetValueText(1) + " | " + m_part[1].name + " " + GetValueText(2);
}

CString CMFCPropertyGridDualDisplay::FormatProperty()
{
    return m_strShown;
}

BOOL CMFCPropertyGridDualDisplay::OnEdit(LPPOINT)
{
    return FALSE;
}

namespace
{
// Room around a value inside its part of the cell, each side (pixels).
constexpr int kInset = 5;
// Between the second name and its value.
constexpr int kNameGap = 4;
} // namespace

CMFCPropertyGridDualDisplay::LAYOUT CMFCPropertyGridDualDisplay::Layout(CDC* pDC, const CRect& rect) const
{
    LAYOUT layout;
    int picture[2] = {0, 0};
    for (int i = 0; i < 2; ++i)
    {
        layout.value[i] = GetValueText(i + 1);
        CRect image;
        if (m_pImages != nullptr && i < m_pImages->GetImageCount() && m_pImages->GetImageInfo(i, &image))
            picture[i] = image.Width() + 2;
    }
    layout.part[0] = rect;
    if (!m_bDual)
        return layout;
    const int width = rect.Width();
    auto valueWidth = [&](int i) { return pDC->GetTextExtent(layout.value[i]).cx + 2 * kInset + picture[i]; };
    const int nameWidth = pDC->GetTextExtent(m_part[1].name).cx + kNameGap;
    int need1 = valueWidth(0), need2 = valueWidth(1);
    // Halves while each holds what it shows; otherwise the bar moves as little from the middle
    // as lets both values show whole, the blanks that a format's width puts before a number
    // giving up their room first, then the second name. Values and units stay readable in a
    // narrow dock.
    if (need1 + nameWidth + need2 > width)
    {
        for (CString& value : layout.value)
            value.TrimLeft(' ');
        need1 = valueWidth(0);
        need2 = valueWidth(1);
    }
    const int room = width - need1 - need2;
    layout.nameWidth = std::max(0, std::min(nameWidth, room) - kNameGap);
    const int second = need2 + (layout.nameWidth > 0 ? layout.nameWidth + kNameGap : 0);
    int divider = width / 2;
    if (room >= 0)
        divider = std::clamp(divider, need1, width - second);
    else if (need1 + need2 > 0)
        divider = static_cast<int>(static_cast<long long>(width) * need1 / (need1 + need2));
    layout.part[0].right = rect.left + divider;
    layout.part[1] = rect;
    layout.part[1].left = layout.part[0].right;
    return layout;
}

void CMFCPropertyGridDualDisplay::OnDrawValue(CDC* pDC, CRect rect)
{
    // Value one fills the cell alone, or the left part with the second name and value in the
    // right part, a bar between them.
    const LAYOUT layout = Layout(pDC, rect);
    COLORREF back = 0xFFFFFF, text = 0, groupBack = 0, groupText = 0, descBack = 0, descText = 0, line = 0;
    if (GetGrid() != nullptr)
        GetGrid()->GetCustomColors(back, text, groupBack, groupText, descBack, descText, line);
    pDC->SetBkMode(TRANSPARENT);
    for (int i = 0; i < (m_bDual ? 2 : 1); ++i)
    {
        CRect r = layout.part[i];
        r.DeflateRect(3, 0);
        if (i == 1)
        {
            pDC->FillSolidRect(layout.part[1].left, rect.top, 1, rect.Height(), line == back ? text : line);
            pDC->SetTextColor(text);
            if (layout.nameWidth > 0)
            {
                CRect nameRect(r.left, r.top, r.left + layout.nameWidth, r.bottom);
                pDC->DrawText(m_part[1].name, &nameRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
                r.left = nameRect.right + kNameGap;
            }
        }
        if (m_pImages != nullptr && i < m_pImages->GetImageCount())
        {
            CRect image;
            m_pImages->GetImageInfo(i, &image);
            m_pImages->Draw(pDC, i, CPoint(r.left, r.top + (r.Height() - image.Height()) / 2), ILD_NORMAL);
            r.left += image.Width() + 2;
        }
        const bool warn = m_part[i].inUse && !m_part[i].inLimits;
        if (warn)
            pDC->FillSolidRect(&r, PANES_WARNING_BACK);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(warn ? PANES_WARNING_TEXT : text);
        CRect t = r;
        t.DeflateRect(2, 0);
        pDC->DrawText(layout.value[i], &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
}

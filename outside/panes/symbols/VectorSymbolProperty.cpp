#include "outside/panes/symbols/VectorSymbolProperty.h"

#include "foundation/MyDC.h"

#include <algorithm>

namespace
{
const char* const kSymbolNames[26] = {
    "None",           "Block",          "Plus",         "Cross",          "Star",
    "Filled Square",  "Square",         "Filled Circle", "Circle",        "Filled Triangle",
    "Triangle",       "Filled Diamond", "Diamond",      "Vertical Line",  "Horizontal Line",
    "Quartered Circle", "Split Diamond", "Plus Square", "Plus Ring",      "Ticked Line",
    "Anchor",         "Crossed Square", "Post",         "Ring Frame",     "Arrow",
    "Gate"};
} // namespace

CMFCPropertyGridVectorSymbolProperty::CMFCPropertyGridVectorSymbolProperty(const CString& strName, short nSymbol,
                                                                           int nSampleSize, LPCTSTR lpszDescr,
                                                                           DWORD_PTR dwData, COLORREF colour)
    : CMFCPropertyGridProperty(strName, COleVariant(nSymbol), lpszDescr, dwData),
      m_nSampleSize(nSampleSize > 0 ? nSampleSize : 13), m_colour(colour)
{
    for (const char* name : kSymbolNames)
        AddOption(name);
    AllowEdit(FALSE);
}

LPCTSTR CMFCPropertyGridVectorSymbolProperty::GetSymbolName(int nSymbol)
{
    return nSymbol >= 0 && nSymbol < 26 ? kSymbolNames[nSymbol] : nullptr;
}

void CMFCPropertyGridVectorSymbolProperty::SetSymbol(short nSymbol)
{
    SetValue(COleVariant(nSymbol));
}

void CMFCPropertyGridVectorSymbolProperty::SetColour(COLORREF colour)
{
    m_colour = colour;
    Redraw();
}

CString CMFCPropertyGridVectorSymbolProperty::FormatProperty()
{
    const int symbol = GetSymbol();
    if (symbol >= 0 && symbol < 26)
        return kSymbolNames[symbol];
    CString text;
    text.Format("%d", symbol);
    return text;
}

BOOL CMFCPropertyGridVectorSymbolProperty::TextToVar(const CString& strText)
{
    for (int i = 0; i < 26; ++i)
        if (strText.CompareNoCase(kSymbolNames[i]) == 0)
        {
            m_varValue = COleVariant(static_cast<short>(i));
            return TRUE;
        }
    return FALSE;
}

void CMFCPropertyGridVectorSymbolProperty::OnDrawValue(CDC* pDC, CRect rect)
{
    pDC->FillSolidRect(rect, RGB(255, 255, 255));
    CMyDC dc;
    if (!dc.Attach(pDC->GetSafeHdc()))
        return;
    dc.SetBkColor(RGB(255, 255, 255));
    // The sample fits the row whatever size was asked for.
    const int size = std::min(m_nSampleSize, std::min(rect.Width(), rect.Height()) - 2);
    const CPoint centre = rect.CenterPoint();
    dc.DrawVectorSymbol(GetSymbol(), m_colour, m_colour, size, centre.x, centre.y);
    dc.Detach();
}

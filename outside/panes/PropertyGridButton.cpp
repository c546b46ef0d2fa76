#include "outside/panes/PropertyGridButton.h"

#include "outside/panes/ButtonFace.h"
#include "outside/panes/PropertyGridColours.h"

CMFCPropertyGridButton::CMFCPropertyGridButton(const CString& strName, const CString& strText, LPCTSTR lpszDescr,
                                               DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(strText), lpszDescr, dwData), m_strText(strText),
      m_colour(PANES_BUTTON_FACE)
{
    AllowEdit(FALSE);
}

void CMFCPropertyGridButton::SetText(const CString& strText)
{
    m_strText = strText;
    CMFCPropertyGridProperty::SetValue(COleVariant(strText));
}

void CMFCPropertyGridButton::SetColour(COLORREF colour)
{
    m_colour = colour;
    Redraw();
}

void CMFCPropertyGridButton::Press()
{
    if (m_pWndList && IsEnabled())
        m_pWndList->OnPropertyChanged(this);
}

CString CMFCPropertyGridButton::FormatProperty()
{
    return m_strText;
}

void CMFCPropertyGridButton::OnDrawValue(CDC* pDC, CRect rect)
{
    DrawButtonFace(pDC, rect, m_colour, m_strText);
}

BOOL CMFCPropertyGridButton::OnClickValue(UINT uiMsg, CPoint)
{
    if (uiMsg != WM_LBUTTONDOWN)
        return FALSE;
    Press();
    return TRUE;
}

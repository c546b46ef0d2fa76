#include "outside/panes/PropertyGridDualButton.h"

#include "outside/panes/ButtonFace.h"
#include "outside/panes/PropertyGridColours.h"

CMFCPropertyGridDualButton::CMFCPropertyGridDualButton(const CString& strName, const CString& strButton1,
                                                       const CString& strButton2, LPCTSTR lpszDescr,
                                                       DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(""), lpszDescr, dwData), m_strButton{strButton1, strButton2},
      m_colour{PANES_BUTTON_FACE, PANES_BUTTON_FACE}
{
    ResetOptions();
    AllowEdit(FALSE);
}

void CMFCPropertyGridDualButton::ResetOptions()
{
    RemoveAllOptions();
    AddOption(m_strButton[0], FALSE);
    if (m_bShowTwo)
        AddOption(m_strButton[1], FALSE);
}

void CMFCPropertyGridDualButton::SetShowTwo(bool bShow)
{
    m_bShowTwo = bShow;
    ResetOptions();
    Redraw();
}

void CMFCPropertyGridDualButton::SetColourOne(COLORREF colour)
{
    m_colour[0] = colour;
    Redraw();
}

void CMFCPropertyGridDualButton::SetColourTwo(COLORREF colour)
{
    m_colour[1] = colour;
    Redraw();
}

void CMFCPropertyGridDualButton::SetNameOne(const CString& strName)
{
    m_strButton[0] = strName;
    ResetOptions();
    Redraw();
}

void CMFCPropertyGridDualButton::OnDrawValue(CDC* pDC, CRect rect)
{
    if (!m_bShowTwo)
    {
        DrawButtonFace(pDC, rect, m_colour[0], m_strButton[0]);
        return;
    }
    CRect one = rect, two = rect;
    one.right = rect.left + rect.Width() / 2;
    two.left = one.right;
    DrawButtonFace(pDC, one, m_colour[0], m_strButton[0]);
    DrawButtonFace(pDC, two, m_colour[1], m_strButton[1]);
}

BOOL CMFCPropertyGridDualButton::OnClickValue(UINT uiMsg, CPoint point)
{
    if (uiMsg != WM_LBUTTONDOWN || !IsEnabled())
        return FALSE;
    const CRect cell = m_pWndList ? m_pWndList->GetShownValueRect(this) : CRect();
    const bool second = m_bShowTwo && point.x >= cell.Width() / 2;
    return PressButton(second ? 2 : 1);
}

BOOL CMFCPropertyGridDualButton::PressButton(int nButton)
{
    if (nButton != 1 && !(nButton == 2 && m_bShowTwo))
        return FALSE;
    m_nPressed = nButton;
    Redraw();
    if (m_pWndList)
        m_pWndList->OnPropertyChanged(this);
    return TRUE;
}

CString CMFCPropertyGridDualButton::FormatProperty()
{
    return m_bShowTwo ? m_strButton[0] + " | " + m_strButton[1] : m_strButton[0];
}

BOOL CMFCPropertyGridDualButton::TextToVar(const CString& strText)
{
    for (int i = 0; i < (m_bShowTwo ? 2 : 1); ++i)
        if (strText == m_strButton[i])
        {
            m_nPressed = i + 1;
            return TRUE;
        }
    return FALSE;
}

BOOL CMFCPropertyGridDualButton::OnUpdateValue()
{
    // A press is an event, not a value: the same button twice is two presses.
    if (!TextToVar(m_strEditText))
        return FALSE;
    return PressButton(m_nPressed);
}

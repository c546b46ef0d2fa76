#include "outside/panes/PropertyGridDualButton.h"

CMFCPropertyGridDualButton::CMFCPropertyGridDualButton(const CString& strName, const CString& strButton1,
                                                       const CString& strButton2, LPCTSTR lpszDescr,
                                                       DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(""), lpszDescr, dwData), m_strButton{strButton1, strButton2}
{
    AddOption(strButton1);
    AddOption(strButton2);
    AllowEdit(FALSE);
}

BOOL CMFCPropertyGridDualButton::PressButton(int nButton)
{
    if (nButton != 1 && nButton != 2)
        return FALSE;
    m_nPressed = nButton;
    Redraw();
    if (m_pWndList)
        m_pWndList->OnPropertyChanged(this);
    return TRUE;
}

CString CMFCPropertyGridDualButton::FormatProperty()
{
    return m_strButton[0] + " | " + m_strButton[1];
}

BOOL CMFCPropertyGridDualButton::TextToVar(const CString& strText)
{
    for (int i = 0; i < 2; ++i)
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

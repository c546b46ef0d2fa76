#include "foundation/ColourDialogEx.h"

IMPLEMENT_DYNAMIC(CColourDialogEx, CDialogEx)

BEGIN_MESSAGE_MAP(CColourDialogEx, CDialogEx)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CColourDialogEx::CColourDialogEx(UINT nIDTemplate, CWnd* pParentWnd) : CDialogEx(nIDTemplate, pParentWnd)
{
    SetNightMode(FALSE);
}

void CColourDialogEx::SetNightMode(BOOL bNight)
{
    m_bNight = bNight;
    m_BackgroundColour = bNight ? kNightBackground : kDayBackground;
    m_TextColour = bNight ? kNightText : kDayText;
    m_BackgroundBrush.DeleteObject();
    m_BackgroundBrush.CreateSolidBrush(m_BackgroundColour);
    if (GetSafeHwnd())
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HBRUSH CColourDialogEx::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    switch (nCtlColor)
    {
    case CTLCOLOR_DLG:
    case CTLCOLOR_BTN:
        return static_cast<HBRUSH>(m_BackgroundBrush.GetSafeHandle());
    case CTLCOLOR_STATIC:
        if (pDC)
        {
            pDC->SetTextColor(m_TextColour);
            pDC->SetBkColor(m_BackgroundColour);
        }
        return static_cast<HBRUSH>(m_BackgroundBrush.GetSafeHandle());
    default:
        return CDialogEx::OnCtlColor(pDC, pWnd, nCtlColor);
    }
}

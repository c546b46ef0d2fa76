#include "foundation/PropertyGridPane.h"

#include "foundation/GridLook.h"

#ifndef WM_SETTINGCHANGE
#define WM_SETTINGCHANGE 0x001A
#endif

BEGIN_MESSAGE_MAP(CPropertyGridPane, CMyDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_MESSAGE(WM_SETTINGCHANGE, &CPropertyGridPane::OnSettingChange)
END_MESSAGE_MAP()

CPropertyGridPane::~CPropertyGridPane()
{
    m_wndPropList.DestroyWindow();
    m_fntPropList.DeleteObject();
}

int CPropertyGridPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMyDockablePane::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndPropList.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, m_nGridId))
        return -1;
    return 0;
}

void CPropertyGridPane::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr || m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_wndPropList.SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPropertyGridPane::OnSize(UINT nType, int cx, int cy)
{
    CMyDockablePane::OnSize(nType, cx, cy);
    AdjustLayout();
}

void CPropertyGridPane::OnSetFocus(CWnd* pOldWnd)
{
    CMyDockablePane::OnSetFocus(pOldWnd);
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.SetFocus();
}

LRESULT CPropertyGridPane::OnSettingChange(WPARAM, LPARAM)
{
    Default();
    SetPropListFont();
    return 0;
}

void CPropertyGridPane::SetPropListFont()
{
    CreatePropListFont(m_fntPropList);
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.SetFont(&m_fntPropList);
}

void CPropertyGridPane::SetNightMode(bool bNight)
{
    m_wndPropList.SetNightMode(bNight);
    m_wndPropList.SetColourScheme(m_wndPropList.GetColourScheme());
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.Invalidate();
}

#include "rov/RovGridPane.h"

#include "foundation/GridLook.h"

#ifndef WM_SETTINGCHANGE
#define WM_SETTINGCHANGE 0x001A
#endif

namespace
{
// The grid's control id inside the pane.
const UINT kGridId = 2;
} // namespace

BEGIN_MESSAGE_MAP(CRovGridPane, CMyDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_MESSAGE(WM_SETTINGCHANGE, &CRovGridPane::OnSettingChange)
END_MESSAGE_MAP()

CRovGridPane::~CRovGridPane()
{
    m_wndPropList.DestroyWindow();
    m_fntPropList.DeleteObject();
}

int CRovGridPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMyDockablePane::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndPropList.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, kGridId))
        return -1;
    return 0;
}

void CRovGridPane::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr || m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_wndPropList.SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE);
}

void CRovGridPane::OnSize(UINT nType, int cx, int cy)
{
    CMyDockablePane::OnSize(nType, cx, cy);
    AdjustLayout();
}

void CRovGridPane::OnSetFocus(CWnd* pOldWnd)
{
    CMyDockablePane::OnSetFocus(pOldWnd);
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.SetFocus();
}

LRESULT CRovGridPane::OnSettingChange(WPARAM, LPARAM)
{
    Default();
    SetPropListFont();
    return 0;
}

void CRovGridPane::SetPropListFont()
{
    CreateMessageFacePropListFont(m_fntPropList);
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.SetFont(&m_fntPropList);
}

void CRovGridPane::ClearPropList()
{
    m_wndPropList.RemoveAll();
    SetPropListFont();
    ApplyGreyGridScheme(m_wndPropList);
    m_wndPropList.MarkModifiedProperties(TRUE, TRUE);
}

void CRovGridPane::SetDaylightMode()
{
    SetNightMode(false);
}

void CRovGridPane::SetNightMode(bool bNight)
{
    m_wndPropList.SetNightMode(bNight);
    m_wndPropList.SetColourScheme(m_wndPropList.GetColourScheme());
}

void CRovGridPane::SetVSDotNetLook(int bSet)
{
    m_wndPropList.SetVSDotNetLook(bSet != 0);
    m_wndPropList.SetGroupNameFullWidth(bSet != 0);
}

void CRovGridPane::SetTimeout(bool bTimeout)
{
    if (m_wndPropList.GetSafeHwnd() == nullptr || bTimeout == m_bTimeout)
        return;
    m_wndPropList.SetColourScheme(bTimeout ? TIMEOUT_SCHEME : NORMAL_SCHEME);
    m_bTimeout = bTimeout;
}

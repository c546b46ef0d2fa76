#include "featureui/panes/TargetPane.h"

#include "features/Barge.h"
#include "features/Template.h"

IMPLEMENT_DYNAMIC(CTargetPane, CDockablePane)

BEGIN_MESSAGE_MAP(CTargetPane, CMyDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_MESSAGE(WM_SETTINGCHANGE, &CTargetPane::OnSettingChange)
ON_REGISTERED_MESSAGE(AFX_WM_CHANGE_ACTIVE_TAB, &CTargetPane::OnActiveTabChanged)
END_MESSAGE_MAP()

BOOL CTargetPane::Create(CWnd* pOwner, int nID, CBarge* pBarge)
{
    if (!CMyDockablePane::Create(pOwner, nID, "TARGET for Vessel"))
        return FALSE;
    m_wndTabs.m_pBarge = pBarge;
    m_wndTabs.m_pTemplate = nullptr;
    m_wndTabs.m_pTrackObject = pBarge;
    m_wndTabs.m_pWaypointList = pBarge ? pBarge->m_pWaypointList : nullptr;
    m_wndTabs.m_pSailLineList = pBarge ? pBarge->m_pSailLineList : nullptr;
    return Finish(pOwner);
}

BOOL CTargetPane::Create(CWnd* pOwner, int nID, CTemplate* pTemplate)
{
    if (!CMyDockablePane::Create(pOwner, nID, "TARGET for Template"))
        return FALSE;
    m_wndTabs.m_pBarge = nullptr;
    m_wndTabs.m_pTemplate = pTemplate;
    m_wndTabs.m_pTrackObject = pTemplate;
    m_wndTabs.m_pWaypointList = pTemplate ? pTemplate->m_pWaypointList : nullptr;
    m_wndTabs.m_pSailLineList = nullptr;
    return Finish(pOwner);
}

BOOL CTargetPane::Finish(CWnd* pOwner)
{
    m_wndTabs.CreateTabs(pOwner);
    AdjustLayout();
    return TRUE;
}

int CTargetPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMyDockablePane::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_wndTabs.m_pOwner = this;
    const CRect empty(0, 0, 0, 0);
    if (!m_wndTabs.Create(CMFCTabCtrl::STYLE_3D_ONENOTE, empty, this, 1, CMFCTabCtrl::LOCATION_TOP, FALSE))
        return -1;
    m_wndTabs.EnableAutoColor(TRUE);
    m_wndTabs.SetActiveTabBoldFont(TRUE);
    return 0;
}

void CTargetPane::AdjustLayout()
{
    if (!GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    m_wndTabs.SetWindowPos(nullptr, 0, 0, client.Width(), client.Height(),
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndTabs.AdjustLayout();
}

void CTargetPane::OnSize(UINT nType, int cx, int cy)
{
    CMyDockablePane::OnSize(nType, cx, cy);
    AdjustLayout();
}

void CTargetPane::OnSetFocus(CWnd* pOldWnd)
{
    CMyDockablePane::OnSetFocus(pOldWnd);
    if (m_wndTabs.GetSafeHwnd())
        m_wndTabs.SetFocus();
}

LRESULT CTargetPane::OnSettingChange(WPARAM, LPARAM)
{
    Default();
    m_wndTabs.SetPropListFont();
    return 0;
}

void CTargetPane::SetNightMode(bool bNight)
{
    m_wndTabs.m_bNight = bNight;
    m_wndTabs.SetTabColours();
}

LRESULT CTargetPane::OnActiveTabChanged(WPARAM, LPARAM)
{
    m_wndTabs.SetTabColours();
    m_wndTabs.AdjustLayout();
    return 0;
}

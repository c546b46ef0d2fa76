#include "zuduzuro/ui/PicturePane.h"

#include "foundation/GridLook.h"

#ifndef WM_SETTINGCHANGE
#define WM_SETTINGCHANGE 0x001A
#endif

IMPLEMENT_DYNAMIC(CPicturePane, CDockablePane)

BEGIN_MESSAGE_MAP(CPicturePane, CMyDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_MESSAGE(WM_SETTINGCHANGE, &CPicturePane::OnSettingChange)
END_MESSAGE_MAP()

CPicturePane::~CPicturePane()
{
    m_Font.DeleteObject();
}

void CPicturePane::SetView(CWnd* pView)
{
    m_pView = pView;
    AdjustLayout();
}

int CPicturePane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMyDockablePane::OnCreate(lpCreateStruct) == -1)
        return -1;
    MakeMessageFont(m_Font);
    AdjustLayout();
    return 0;
}

void CPicturePane::OnSize(UINT nType, int cx, int cy)
{
    CMyDockablePane::OnSize(nType, cx, cy);
    AdjustLayout();
}

void CPicturePane::OnSetFocus(CWnd* pOldWnd)
{
    CMyDockablePane::OnSetFocus(pOldWnd);
    if (m_pView != nullptr && m_pView->GetSafeHwnd() != nullptr)
        m_pView->SetFocus();
}

LRESULT CPicturePane::OnSettingChange(WPARAM, LPARAM)
{
    Default();
    MakeMessageFont(m_Font);
    return 0;
}

void CPicturePane::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr || m_pView == nullptr || m_pView->GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_pView->SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                          SWP_NOZORDER | SWP_NOACTIVATE);
}

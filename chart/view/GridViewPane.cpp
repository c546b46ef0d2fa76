#include "chart/view/GridViewPane.h"

#include "chart/view/GridView.h"

IMPLEMENT_DYNAMIC(CGridViewPane, CDockablePane)

BEGIN_MESSAGE_MAP(CGridViewPane, CMyDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

BOOL CGridViewPane::Create(CWnd* parent, int id, CChartexaStatusBar* bar)
{
    m_pParent = parent;
    m_pStatusBar = bar;
    if (!CMyDockablePane::Create(parent, id, CString("Grid View Pane")))
        return FALSE;
    AdjustLayout();
    return TRUE;
}

int CGridViewPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMyDockablePane::OnCreate(lpCreateStruct) == -1)
        return -1;
    auto* view = new CGridView;
    if (!view->Create(this, m_pStatusBar))
    {
        // A view whose window was never made is not deleted by the window's end.
        delete view;
        return -1;
    }
    m_pView = view;
    m_pView->ReadSettings("Grid View Pane");
    m_pView->SetShowTools(false);
    return 0;
}

void CGridViewPane::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr || m_pView == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_pView->SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                          SWP_NOACTIVATE | SWP_NOZORDER);
    m_pView->Invalidate();
}

void CGridViewPane::OnSize(UINT nType, int cx, int cy)
{
    CMyDockablePane::OnSize(nType, cx, cy);
    AdjustLayout();
}

void CGridViewPane::OnSetFocus(CWnd* pOldWnd)
{
    CMyDockablePane::OnSetFocus(pOldWnd);
    if (m_pView != nullptr)
        m_pView->SetFocus();
}

void CGridViewPane::Update()
{
    if (m_pView != nullptr)
        m_pView->Invalidate();
}

void CGridViewPane::SetDaylightMode()
{
    if (m_pView != nullptr)
        m_pView->SetDaylightMode();
}

void CGridViewPane::SetNightMode(bool night)
{
    if (m_pView != nullptr)
        m_pView->SetNightMode(night);
}

bool CGridViewPane::GetNightMode() const
{
    return m_pView != nullptr && m_pView->GetNightMode();
}

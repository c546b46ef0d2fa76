#include "chart/GridViewPane.h"

#include "chart/GridView.h"

// The pane base keeps no run-time class of its own, so the chain goes straight to the docking pane.
IMPLEMENT_DYNAMIC(CGridViewPane, CDockablePane)

BEGIN_MESSAGE_MAP(CGridViewPane, CMyDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CGridViewPane::~CGridViewPane()
{
    delete m_pView;
}

BOOL CGridViewPane::Create(CWnd* parent, int id, CChartexaStatusBar* bar)
{
    m_pParent = parent;
    m_pStatusBar = bar;
    if (!CMyDockablePane::Create(parent, id, "Grid View Pane"))
        return 0;
    AdjustLayout();
    return 1;
}

CGridView* CGridViewPane::MakeView()
{
    return new CGridView;
}

int CGridViewPane::OnCreate(LPCREATESTRUCT createStruct)
{
    if (CMyDockablePane::OnCreate(createStruct) == -1)
        return -1;
    m_pView = MakeView();
    if (!m_pView->Create(this, m_pStatusBar))
    {
        // Nothing half-made stays behind: the pane's creation fails as a whole.
        delete m_pView;
        m_pView = nullptr;
        return -1;
    }
    m_pView->ReadSettings("Grid View Pane");
    m_pView->SetShowTools(false);
    return 0;
}

void CGridViewPane::AdjustLayout()
{
    if (!GetSafeHwnd() || !m_pView || !m_pView->GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(client);
    m_pView->SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                          SWP_NOACTIVATE | SWP_NOZORDER);
    m_pView->Invalidate();
}

void CGridViewPane::OnSize(UINT type, int cx, int cy)
{
    CMyDockablePane::OnSize(type, cx, cy);
    AdjustLayout();
}

void CGridViewPane::OnSetFocus(CWnd* oldWnd)
{
    CMyDockablePane::OnSetFocus(oldWnd);
    if (m_pView && m_pView->GetSafeHwnd())
        m_pView->SetFocus();
}

void CGridViewPane::Update()
{
    if (m_pView && m_pView->GetSafeHwnd())
        m_pView->Invalidate();
}

void CGridViewPane::SetDaylightMode()
{
    if (m_pView)
        m_pView->SetDaylightMode();
}

void CGridViewPane::SetNightMode(bool night)
{
    if (m_pView)
        m_pView->SetNightMode(night);
}

bool CGridViewPane::GetNightMode() const
{
    return m_pView ? m_pView->GetNightMode() : false;
}

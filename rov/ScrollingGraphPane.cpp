#include "rov/ScrollingGraphPane.h"

#include "rov/ScrollingAreaGraph.h"

BEGIN_MESSAGE_MAP(CScrollingGraphPane, CMyDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CScrollingGraphPane::CScrollingGraphPane() = default;

CScrollingGraphPane::~CScrollingGraphPane()
{
    // While this class is still whole, so that OnDestroy lets the graph go.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

int CScrollingGraphPane::Create(CWnd* pOwner, const char* name, int nID)
{
    if (!CMyDockablePane::Create(pOwner, nID, CString(name != nullptr ? name : "")))
        return 0;
    AdjustLayout();
    return 1;
}

int CScrollingGraphPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMyDockablePane::OnCreate(lpCreateStruct) == -1)
        return -1;
    auto* graph = new CScrollingAreaGraph;
    if (!graph->Create(this, m_strTitle, m_nID))
    {
        // Never a window, so nothing deletes it but us.
        delete graph;
        return -1;
    }
    m_pGraph = graph;
    return 0;
}

void CScrollingGraphPane::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr || m_pGraph == nullptr || m_pGraph->GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_pGraph->SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE);
    m_pGraph->Invalidate();
}

void CScrollingGraphPane::OnSize(UINT nType, int cx, int cy)
{
    CMyDockablePane::OnSize(nType, cx, cy);
    AdjustLayout();
}

void CScrollingGraphPane::OnSetFocus(CWnd* pOldWnd)
{
    CMyDockablePane::OnSetFocus(pOldWnd);
    if (m_pGraph != nullptr && m_pGraph->GetSafeHwnd() != nullptr)
        m_pGraph->SetFocus();
}

void CScrollingGraphPane::OnDestroy()
{
    // The graph deletes itself with its window; the pointer must not outlive it.
    if (m_pGraph != nullptr && m_pGraph->GetSafeHwnd() != nullptr)
        m_pGraph->DestroyWindow();
    m_pGraph = nullptr;
    CMyDockablePane::OnDestroy();
}

void CScrollingGraphPane::Update(const char* name1, double value1, const char* name2, double value2)
{
    if (m_pGraph != nullptr)
        m_pGraph->AddValues(name1, value1, name2, value2);
}

void CScrollingGraphPane::SetDaylightMode()
{
    SetNightMode(false);
}

void CScrollingGraphPane::SetNightMode(bool bNight)
{
    if (m_pGraph != nullptr)
        m_pGraph->SetColourMode(bNight);
}

void CScrollingGraphPane::SetTimeout(bool bTimeout)
{
    m_bTimeout = bTimeout;
}

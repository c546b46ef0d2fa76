#include "rov/ScanningProfilerPane.h"

#include "foundation/WindowMessages.h"
#include "platform/ui/Resources.h"
#include "rov/RovLibrary.h"
#include "rov/ScanView.h"
#include "survey/records/Tritech.h"

BEGIN_MESSAGE_MAP(CScanningProfilerPane, CMyDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SHOWWINDOW()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CScanningProfilerPane::~CScanningProfilerPane()
{
    // While this class is still whole, so that OnDestroy lets the views go.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

int CScanningProfilerPane::Create(CWnd* pOwner, int nID, CTritech* pProfiler)
{
    CString title;
    AfxLoadString(IDS_ROV_SCANNING_PROFILER_PANE, title);
    const BOOL created = CMyDockablePane::Create(pOwner, nID, title);
    if (created)
    {
        m_pProfiler = pProfiler;
        if (CScanView* view = LiveView(1))
            view->SetData(pProfiler);
        if (CScanView* view = LiveView(2))
            view->SetData(pProfiler != nullptr ? pProfiler + 1 : nullptr);
        AdjustLayout();
    }
    return created;
}

int CScanningProfilerPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMyDockablePane::OnCreate(lpCreateStruct) == -1)
        return -1;
    const LPCTSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS);
    for (CScanView** slot : {&m_pView1, &m_pView2})
    {
        auto* view = static_cast<CScanView*>(RUNTIME_CLASS(CScanView)->CreateObject());
        // A view that fails to be made deletes itself, as a view does when its window goes.
        if (view == nullptr || !view->Create(windowClass, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, VIEW_ID))
            return -1;
        *slot = view;
    }
    return 0;
}

void CScanningProfilerPane::OnDestroy()
{
    CMyDockablePane::OnDestroy();
    // The views go with the pane's window, deleting themselves.
    m_pView1 = m_pView2 = nullptr;
}

CScanView* CScanningProfilerPane::LiveView(int head) const
{
    CScanView* view = GetView(head);
    return view != nullptr && view->GetSafeHwnd() != nullptr ? view : nullptr;
}

void CScanningProfilerPane::AdjustLayout()
{
    CScanView* view1 = LiveView(1);
    CScanView* view2 = LiveView(2);
    if (GetSafeHwnd() == nullptr || view1 == nullptr || view2 == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    int w = client.Width(), h = client.Height();
    const bool active1 = m_pProfiler != nullptr && m_pProfiler[0].m_Active;
    const bool active2 = m_pProfiler != nullptr && m_pProfiler[1].m_Active;
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (!active1 && !active2)
    {
        view1->SetWindowPos(nullptr, client.left, client.top, w, h, flags);
        view1->ShowWindow(SW_SHOW);
        view2->ShowWindow(SW_HIDE);
        return;
    }
    const bool sideBySide = active1 && active2 && w > h;
    if (active1 && active2)
    {
        if (sideBySide)
            w /= 2;
        else
            h /= 2;
    }
    CPoint place2 = client.TopLeft();
    if (active1)
    {
        view1->SetWindowPos(nullptr, client.left, client.top, w, h, flags);
        view1->ShowWindow(SW_SHOW);
        view1->Invalidate();
        place2 = sideBySide ? CPoint(client.left + w, client.top) : CPoint(client.left, client.top + h);
    }
    else
        view1->ShowWindow(SW_HIDE);
    if (active2)
    {
        view2->SetWindowPos(nullptr, place2.x, place2.y, w, h, flags);
        view2->ShowWindow(SW_SHOW);
        view2->Invalidate();
    }
    else
        view2->ShowWindow(SW_HIDE);
}

void CScanningProfilerPane::PostPaneAdjust()
{
    if (CWnd* parent = GetParent())
        ::PostMessage(parent->GetSafeHwnd(), UM_PANE_ADJUST, 0, 0);
}

void CScanningProfilerPane::OnSize(UINT nType, int cx, int cy)
{
    CMyDockablePane::OnSize(nType, cx, cy);
    AdjustLayout();
    for (int head : {1, 2})
        if (CScanView* view = LiveView(head))
            view->Invalidate();
    PostPaneAdjust();
}

void CScanningProfilerPane::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CMyDockablePane::OnShowWindow(bShow, nStatus);
    if (!bShow)
        PostPaneAdjust();
}

void CScanningProfilerPane::Update(int head)
{
    if (CScanView* view = LiveView(head))
        view->Invalidate(TRUE);
}

void CScanningProfilerPane::SetTimeout(int head, bool bTimeout)
{
    if (CScanView* view = GetView(head))
    {
        view->SetTimeout(bTimeout);
        // A silent head sends no update to repaint with, so the change shows now.
        if (view->GetSafeHwnd() != nullptr)
            view->Invalidate();
    }
}

void CScanningProfilerPane::SetDaylightMode()
{
    SetNightMode(false);
}

void CScanningProfilerPane::SetNightMode(bool bNight)
{
    for (int head : {1, 2})
        if (CScanView* view = LiveView(head))
            view->SetNightMode(bNight);
}

// Out of line, so that the library exports them with the class.
CScanningProfilerPane::CScanningProfilerPane() = default;

#include "platform/ui/MdiFrameWnd.h"

#include "platform/ui/View.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

IMPLEMENT_DYNCREATE(CMDIFrameWndEx, CFrameWndEx)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWndEx, CMDIChildWnd)

namespace
{
// The window ids of document windows.
constexpr UINT kFirstChildId = 0xFF00;

CMDIChildWnd* ChildOfSubWindow(QMdiSubWindow* sub)
{
    return sub ? DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromWidget(sub->widget())) : nullptr;
}
} // namespace

// ---------------------------------------------------------------------------------------
// CMDIFrameWndEx
// ---------------------------------------------------------------------------------------

CMDIFrameWndEx::CMDIFrameWndEx() = default;

BOOL CMDIFrameWndEx::OnCreateClient(LPCREATESTRUCT, CCreateContext*)
{
    QMainWindow* window = GetMainWindow();
    if (!window)
        return FALSE;
    m_pMdiArea = new QMdiArea(window);
    window->setCentralWidget(m_pMdiArea);
    const HWND self = m_hWnd;
    QObject::connect(m_pMdiArea, &QMdiArea::subWindowActivated, [self](QMdiSubWindow* sub) {
        if (auto* frame = DYNAMIC_DOWNCAST(CMDIFrameWndEx, CWnd::FromHandle(self)))
            frame->ChildActivated(ChildOfSubWindow(sub));
    });
    return TRUE;
}

void CMDIFrameWndEx::RecalcLayout(BOOL bNotify)
{
    CFrameWndEx::RecalcLayout(bNotify);
}

CMDIChildWnd* CMDIFrameWndEx::MDIGetActive(BOOL* pbMaximized) const
{
    auto* child = DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandle(m_hActiveChild));
    if (pbMaximized)
    {
        QWidget* sub = child && child->GetWidget() ? child->GetWidget()->parentWidget() : nullptr;
        *pbMaximized = sub && sub->isMaximized();
    }
    return child;
}

void CMDIFrameWndEx::ChildActivated(CMDIChildWnd* pChild)
{
    const HWND next = pChild ? pChild->GetSafeHwnd() : nullptr;
    const HWND previous = m_hActiveChild;
    if (next == previous)
        return;
    m_hActiveChild = next;
    const auto wParam = reinterpret_cast<WPARAM>(previous);
    const auto lParam = reinterpret_cast<LPARAM>(next);
    if (previous && ::IsWindow(previous))
        ::SendMessage(previous, WM_MDIACTIVATE, wParam, lParam);
    if (next)
        ::SendMessage(next, WM_MDIACTIVATE, wParam, lParam);
    if (CWnd* still = CWnd::FromHandle(m_hWnd); still == this)
        OnUpdateFrameTitle(TRUE);
}

void CMDIFrameWndEx::MDIActivate(CWnd* pWndActivate)
{
    auto* child = DYNAMIC_DOWNCAST(CMDIChildWnd, pWndActivate);
    if (!child || !m_pMdiArea || !child->GetWidget())
        return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(child->GetWidget()->parentWidget()))
        m_pMdiArea->setActiveSubWindow(sub);
    // The area tells only when it has the focus: the frame knows at once either way.
    ChildActivated(child);
}

void CMDIFrameWndEx::MDINext()
{
    if (m_pMdiArea)
        m_pMdiArea->activateNextSubWindow();
    ChildActivated(m_pMdiArea ? ChildOfSubWindow(m_pMdiArea->activeSubWindow()) : nullptr);
}

void CMDIFrameWndEx::MDICascade()
{
    if (m_pMdiArea)
        m_pMdiArea->cascadeSubWindows();
}

void CMDIFrameWndEx::MDITile(int)
{
    if (m_pMdiArea)
        m_pMdiArea->tileSubWindows();
}

void CMDIFrameWndEx::MDIMaximize(CWnd* pWnd)
{
    if (pWnd && pWnd->GetWidget())
        if (QWidget* sub = pWnd->GetWidget()->parentWidget())
            sub->showMaximized();
}

CFrameWnd* CMDIFrameWndEx::GetActiveFrame()
{
    CMDIChildWnd* child = MDIGetActive();
    return child ? static_cast<CFrameWnd*>(child) : this;
}

CDocument* CMDIFrameWndEx::GetActiveDocument()
{
    CMDIChildWnd* child = MDIGetActive();
    return child ? child->GetActiveDocument() : nullptr;
}

BOOL CMDIFrameWndEx::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CMDIChildWnd* child = MDIGetActive(); child && child->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWndEx::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---------------------------------------------------------------------------------------
// CMDIChildWnd
// ---------------------------------------------------------------------------------------

CMDIChildWnd::CMDIChildWnd() = default;

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
ON_WM_MDIACTIVATE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace
{
CMDIFrameWndEx* MainMdiFrame(CWnd* pParent)
{
    return DYNAMIC_DOWNCAST(CMDIFrameWndEx, pParent ? pParent : AfxGetMainCWnd());
}

UINT NextChildId(CMDIFrameWndEx* frame)
{
    UINT id = kFirstChildId;
    if (QMdiArea* area = frame->GetMdiArea())
        id += static_cast<UINT>(area->subWindowList().size());
    return id;
}
} // namespace

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWndEx* pParentWnd, CCreateContext* pContext)
{
    CMDIFrameWndEx* frame = MainMdiFrame(pParentWnd);
    if (!frame || !frame->GetMdiArea())
    {
        PostNcDestroy();
        return FALSE;
    }
    m_nIDChild = NextChildId(frame);
    if (!CFrameWnd::Create(lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, frame, nullptr, 0,
                           pContext))
        return FALSE;
    JoinArea();
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext)
{
    CMDIFrameWndEx* frame = MainMdiFrame(pParentWnd);
    if (!frame || !frame->GetMdiArea())
    {
        PostNcDestroy();
        return FALSE;
    }
    m_nIDChild = NextChildId(frame);
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle | WS_CHILD, frame, pContext))
        return FALSE;
    JoinArea();
    return TRUE;
}

void CMDIChildWnd::JoinArea()
{
    CMDIFrameWndEx* frame = GetMDIFrame();
    QWidget* w = GetWidget();
    if (!frame || !frame->GetMdiArea() || !w)
        return;
    const bool shown = !w->isHidden();
    QMdiSubWindow* sub = frame->GetMdiArea()->addSubWindow(w);
    CString caption;
    GetWindowText(caption);
    sub->setWindowTitle(caption.ToQString());
    if (shown)
        sub->show();
}

CMDIFrameWndEx* CMDIChildWnd::GetMDIFrame() const
{
    for (CWnd* p = GetParent(); p; p = p->GetParent())
        if (auto* frame = DYNAMIC_DOWNCAST(CMDIFrameWndEx, p))
            return frame;
    return nullptr;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    if (QWidget* w = GetWidget())
        if (QWidget* sub = w->parentWidget(); qobject_cast<QMdiSubWindow*>(sub))
            sub->show();
    ShowWindow(nCmdShow == -1 ? SW_SHOW : nCmdShow);
    MDIActivate();
}

void CMDIChildWnd::MDIActivate()
{
    if (CMDIFrameWndEx* frame = GetMDIFrame())
        frame->MDIActivate(this);
}

void CMDIChildWnd::MDIDestroy()
{
    DestroyWindow();
}

void CMDIChildWnd::MDIMaximize()
{
    if (CMDIFrameWndEx* frame = GetMDIFrame())
        frame->MDIMaximize(this);
}

void CMDIChildWnd::MDIRestore()
{
    if (QWidget* w = GetWidget())
        if (QWidget* sub = w->parentWidget())
            sub->showNormal();
}

void CMDIChildWnd::OnMDIActivate(BOOL, CWnd*, CWnd*) {}

void CMDIChildWnd::OnDestroy()
{
    if (QWidget* w = GetWidget())
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget()))
        {
            sub->hide();
            sub->deleteLater();
        }
    CMDIFrameWndEx* frame = GetMDIFrame();
    CFrameWnd::OnDestroy();
    if (frame && frame->m_hActiveChild == m_hWnd)
        frame->ChildActivated(nullptr);
}

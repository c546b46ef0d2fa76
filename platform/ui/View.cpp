#include "platform/ui/View.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/WindowDc.h"
#include "platform/ui/WndPrivate.h"

#include <QWidget>

#include <algorithm>

IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CCtrlView, CView)
IMPLEMENT_DYNAMIC(CScrollView, CView)
IMPLEMENT_DYNAMIC(CFormView, CView)

// ---------------------------------------------------------------------------------------
// CView
// ---------------------------------------------------------------------------------------

CView::CView() = default;

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

BEGIN_MESSAGE_MAP(CView, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_MOUSEACTIVATE()
ON_MESSAGE(WM_INITIALUPDATE, &CView::OnInitialUpdateMessage)
END_MESSAGE_MAP()

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS;
    return CWnd::PreCreateWindow(cs);
}

int CView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    auto* context = lpCreateStruct ? static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams) : nullptr;
    if (context && context->m_pCurrentDoc)
        context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    if (CFrameWnd* frame = GetParentFrame(); frame && frame->GetActiveView() == this)
        frame->SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

void CView::PostNcDestroy()
{
    delete this;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    if (GetSafeHwnd())
        Invalidate(TRUE);
}

void CView::OnDraw(CDC*) {}

void CView::OnPrepareDC(CDC*, CPrintInfo*) {}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*)
{
    if (!bActivate || pActivateView != this || !GetSafeHwnd())
        return;
    QWidget* w = GetWidget();
    if (w->window()->isActiveWindow())
        SetFocus();
    else
    {
        // The window's focus to come: Qt gives it to this widget when the window activates,
        // rather than to the first pane's control in the tab chain.
        if (w->focusPolicy() == Qt::NoFocus && !w->focusProxy())
            w->setFocusPolicy(Qt::ClickFocus);
        w->setFocus(Qt::OtherFocusReason);
    }
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    const int answer = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (answer == MA_NOACTIVATE || answer == MA_NOACTIVATEANDEAT)
        return answer;
    CFrameWnd* frame = GetParentFrame();
    if (frame && GetParent() == frame && frame->GetActiveView() != this)
        frame->SetActiveView(this);
    CWnd* focus = GetFocus();
    if (focus != this && !IsChild(focus))
        SetFocus();
    return answer;
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CView::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // A view paints through OnDraw unless its class answers WM_PAINT itself; control views
    // leave painting to their control.
    if (message == WM_PAINT && FindMessageEntry(WM_PAINT) == nullptr && !IsKindOf(RUNTIME_CLASS(CCtrlView)))
    {
        CPaintDC dc(this);
        OnPrepareDC(&dc);
        OnDraw(&dc);
        if (pResult)
            *pResult = 0;
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

// ---------------------------------------------------------------------------------------
// CCtrlView
// ---------------------------------------------------------------------------------------

CCtrlView::CCtrlView(LPCTSTR lpszClass, DWORD dwStyle)
    : m_strClass(lpszClass ? lpszClass : ""), m_dwDefaultStyle(dwStyle)
{
}

BOOL CCtrlView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.lpszClass = m_strClass;
    cs.style |= m_dwDefaultStyle;
    return CView::PreCreateWindow(cs);
}

void CCtrlView::OnDraw(CDC*) {}

// ---------------------------------------------------------------------------------------
// CScrollView
// ---------------------------------------------------------------------------------------

const SIZE CScrollView::sizeDefault = {0, 0};

CScrollView::CScrollView() = default;

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalLog = CSize(std::max<LONG>(0, sizeTotal.cx), std::max<LONG>(0, sizeTotal.cy));
    m_pageDev =
        CSize(sizePage.cx ? sizePage.cx : m_totalLog.cx / 10, sizePage.cy ? sizePage.cy : m_totalLog.cy / 10);
    m_lineDev =
        CSize(sizeLine.cx ? sizeLine.cx : m_pageDev.cx / 10, sizeLine.cy ? sizeLine.cy : m_pageDev.cy / 10);
    if (GetSafeHwnd())
    {
        SetScrollRange(SB_HORZ, 0, m_totalLog.cx, FALSE);
        SetScrollRange(SB_VERT, 0, m_totalLog.cy, FALSE);
    }
    ScrollToPosition(m_scroll);
}

CPoint CScrollView::GetScrollPosition() const
{
    return m_scroll;
}

void CScrollView::ScrollToPosition(POINT pt)
{
    CRect client(0, 0, 0, 0);
    if (GetSafeHwnd())
        GetClientRect(&client);
    const LONG maxX = std::max<LONG>(0, m_totalLog.cx - client.Width());
    const LONG maxY = std::max<LONG>(0, m_totalLog.cy - client.Height());
    const CPoint next(std::clamp<LONG>(pt.x, 0, maxX), std::clamp<LONG>(pt.y, 0, maxY));
    if (next == m_scroll)
        return;
    m_scroll = next;
    if (GetSafeHwnd())
    {
        SetScrollPos(SB_HORZ, m_scroll.x, FALSE);
        SetScrollPos(SB_VERT, m_scroll.y, FALSE);
        Invalidate(TRUE);
    }
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC)
        pDC->SetViewportOrg(-m_scroll.x, -m_scroll.y);
    CView::OnPrepareDC(pDC, pInfo);
}

// ---------------------------------------------------------------------------------------
// CFormView
// ---------------------------------------------------------------------------------------

CFormView::CFormView(UINT nIDTemplate) : m_nIDHelp(nIDTemplate) {}

BEGIN_MESSAGE_MAP(CFormView, CView)
ON_WM_CREATE()
END_MESSAGE_MAP()

int CFormView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    const DLGTEMPLATE_TABLE* t = AfxFindDialogTemplate(m_nIDHelp);
    if (!t)
        return -1;
    const CSize units = AfxDialogBaseUnits(t->fontFace && *t->fontFace ? t->fontFace : "MS Shell Dlg",
                                           t->pointSize > 0 ? t->pointSize : 8);
    for (int i = 0; i < t->itemCount; ++i)
    {
        const DLGITEM_TABLE& item = t->items[i];
        CRect r(item.x, item.y, item.x + item.cx, item.y + item.cy);
        AfxMapDialogRect(&r, units);
        auto* w = new CWnd;
        WndAccess::SetLayerOwned(w);
        w->CreateEx(item.exStyle, AfxDialogItemClass(item), item.text ? item.text : "",
                    AfxDialogItemStyle(item), r, this, static_cast<UINT>(item.id), nullptr);
    }
    return 0;
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CView::OnInitialUpdate();
}

void CFormView::OnDraw(CDC*) {}

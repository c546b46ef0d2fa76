// CView and its kinds: a child window of a frame that shows a document. CView draws through
// OnDraw; CCtrlView is a view whose window is a control (CListView: the list control in report
// view); CScrollView scrolls a drawing larger than the window; CFormView holds a dialog
// template's controls.
#pragma once

#include "platform/ui/Wnd.h"

class CDocument;
class CFrameWnd;
class CPrintInfo;

// The frame sends this to its children once the document is set up (OnInitialUpdate).
#define WM_INITIALUPDATE 0x0364
// Sent on idle to the main frame and its children: command items bring their state up to date.
#define WM_IDLEUPDATECMDUI 0x0363
// The window style of a frame's view.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

class PLATFORM_API CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    CView();
    // Leaves the document.
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    // Once, when the frame is first shown with its document: OnUpdate by default.
    virtual void OnInitialUpdate();
    // The document changed: repaint by default.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    // Draws the view; the device context is prepared by OnPrepareDC.
    virtual void OnDraw(CDC* pDC);
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    // The view made active takes the keyboard focus (at once when its top-level window is
    // active, else when that window becomes active).
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

    // The view first, then its document.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    // Views are made by the frame with new and go with their window.
    void PostNcDestroy() override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    // A click in the view gives it the keys: the frame's own view becomes the frame's active
    // view; a view inside a pane takes the focus and leaves the frame's active view as it is.
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    CDocument* m_pDocument = nullptr;

private:
    friend class CDocument;
};

// A view whose window is a control of the named window class.
class PLATFORM_API CCtrlView : public CView
{
    DECLARE_DYNAMIC(CCtrlView)
public:
    CCtrlView(LPCTSTR lpszClass, DWORD dwStyle);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The control draws itself.
    void OnDraw(CDC* pDC) override;

protected:
    CString m_strClass;
    DWORD m_dwDefaultStyle;
};

// A view whose drawing is larger than its window: sizes in logical units of MM_TEXT (pixels)
// and a scroll position that moves the drawing's origin.
class PLATFORM_API CScrollView : public CView
{
    DECLARE_DYNAMIC(CScrollView)
public:
    CScrollView();
    static const SIZE sizeDefault;

    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CSize GetTotalSize() const { return m_totalLog; }
    CPoint GetScrollPosition() const;
    // Clamped to the drawing.
    void ScrollToPosition(POINT pt);
    int GetMapMode() const { return m_nMapMode; }
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;

protected:
    int m_nMapMode = 0;
    CSize m_totalLog{0, 0};
    CSize m_pageDev{0, 0};
    CSize m_lineDev{0, 0};
    CPoint m_scroll{0, 0};
};

// A view holding the controls of a dialog template; its data exchange is the dialog's.
class PLATFORM_API CFormView : public CView
{
    DECLARE_DYNAMIC(CFormView)
public:
    explicit CFormView(UINT nIDTemplate);
    UINT GetTemplateId() const { return m_nIDHelp; }
    // Fills the controls from the members (UpdateData(FALSE)).
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

    UINT m_nIDHelp;
};

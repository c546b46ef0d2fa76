// Frames of the multiple-document interface: CMDIFrameWnd(Ex), a main frame whose centre is
// an area of document windows (a QMdiArea), and CMDIChildWnd(Ex), a frame with its own view
// that lives in that area. Commands go to the active child frame (its view, its document,
// the child) before the main frame and the application.
#pragma once

#include "platform/ui/FrameWnd.h"

class QMdiArea;
class CMDIChildWnd;

// void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd), sent to the
// child frame being activated and to the one losing activation.
// clang-format off
#define ON_WM_MDIACTIVATE()                                                                                  \
    AFX_WND_ENTRY_(WM_MDIACTIVATE, 0,                                                                        \
                   void (ThisClass::*pfn_)(BOOL, CWnd*, CWnd*) = &ThisClass::OnMDIActivate;                  \
                   CWnd* losing_ = CWnd::FromHandle(reinterpret_cast<HWND>(wParam_));                        \
                   CWnd* gaining_ = CWnd::FromHandle(reinterpret_cast<HWND>(lParam_));                       \
                   (self_->*pfn_)(gaining_ == self_, gaining_, losing_); return 0;)
// clang-format on

class PLATFORM_API CMDIFrameWndEx : public CFrameWndEx
{
    DECLARE_DYNCREATE(CMDIFrameWndEx)
public:
    CMDIFrameWndEx();

    // The active child frame, or null; *pbMaximized tells whether it fills the area.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDINext();
    void MDICascade();
    void MDITile(int nType = 0);
    void MDIMaximize(CWnd* pWnd);
    CFrameWnd* GetActiveFrame() override;
    // The active child's view and document.
    CDocument* GetActiveDocument() override;
    // The area of document windows.
    QMdiArea* GetMdiArea() const { return m_pMdiArea; }

    // The active child frame first, then this frame and the application.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;

protected:
    // Makes the area of document windows; an MDI frame has no view of its own.
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

    QMdiArea* m_pMdiArea = nullptr;
    HWND m_hActiveChild = nullptr;

private:
    friend class CMDIChildWnd;
    void ChildActivated(CMDIChildWnd* pChild);
};

class PLATFORM_API CMDIChildWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();

    // A document window in pParentWnd's area (the main frame when null), with a view of the
    // context's class. FALSE when it cannot be made (the object is deleted then).
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                CMDIFrameWndEx* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;

    CMDIFrameWndEx* GetMDIFrame() const;
    void MDIActivate();
    void MDIDestroy();
    void MDIMaximize();
    void MDIRestore();
    void ActivateFrame(int nCmdShow = -1) override;

protected:
    void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    // The document window in the area goes with the frame.
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    friend class CMDIFrameWndEx;
    // Puts the frame's window into the main frame's area.
    void JoinArea();
};

class PLATFORM_API CMDIChildWndEx : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CMDIChildWndEx)
public:
    CMDIChildWndEx() = default;
};

// CDockablePane: a titled pane that docks in a frame and that the user shows, hides and closes;
// whether it is shown is kept in the application profile under "Workspace\BasePane-<id>"
// ("IsVisible"), so that the next start restores the layout.
//
// The pane's window is its client area: a QDockWidget around it draws the title bar and the
// close box (which hides the pane) and sits in one of the frame's dock areas. So the pane's
// children, painting, sizes and client coordinates all start below the title bar. Show and
// hide a pane with ShowPane (it acts on the dock).
#pragma once

#include "platform/ui/BasePane.h"

class QDockWidget;

// How a pane joins another: as a tab beside it (the only way the layer knows).
enum AFX_DOCK_METHOD
{
    DM_UNKNOWN,
    DM_MOUSE,
    DM_DBL_CLICK,
    DM_SHOW,
    DM_RECT,
    DM_STANDARD
};

class PLATFORM_API CDockablePane : public CPane
{
    DECLARE_DYNAMIC(CDockablePane)
public:
    CDockablePane();
    ~CDockablePane() override;

    // A child pane of the parent with the caption; in a frame it docks on the side of its
    // style (CBRS_LEFT...), elsewhere it sits at `rect`. A stored "IsVisible" of the id (0 or 1)
    // decides whether it shows, else WS_VISIBLE. FALSE when the window cannot be made.
    virtual BOOL Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper, UINT nID,
                        DWORD dwStyle, DWORD dwTabbedStyle = AFX_CBRS_REGULAR_TABS,
                        DWORD dwControlBarStyle = AFX_DEFAULT_DOCKING_PANE_STYLE,
                        CCreateContext* pContext = nullptr);

    // Shows or hides the pane; `bDelay` and `bActivate` are accepted (the change is immediate).
    void ShowPane(BOOL bShow, BOOL bDelay, BOOL bActivate) override;
    BOOL IsVisible() const override;
    // The side (CBRS_ALIGN_*) the pane docks on in its frame: the side of its window style when
    // that side is enabled, else the first enabled side, else the right.
    DWORD GetDockSide() const;
    // The close box: hides the pane.
    void ClosePane() { ShowPane(FALSE, FALSE, FALSE); }
    CString GetTitle() const { return m_strCaption; }

    // The profile section of a pane id: "Workspace\BasePane-<id>".
    static CString GetProfileSection(UINT nID);
    // Writes "IsVisible" of this pane: 1 while it is part of the layout (in front of its tab
    // group or behind another's tab), 0 once closed. FALSE without an application or on a
    // write failure.
    BOOL SaveState();
    // The stored "IsVisible" of a pane id: 1, 0, or -1 when never stored.
    static int GetStoredVisibility(UINT nID);

    // The dock around the pane's window; null without a window.
    QDockWidget* GetDockWidget() const { return m_pDock; }
    // Puts this pane in a tab beside `pTabControlBarAttachTo`, in the same dock area of the
    // same frame; `bSetActive` brings this tab to the front, else the other stays in front.
    // Null is returned through `ppTabbedControlBar` (the layer has no tab-group object).
    // FALSE when either pane has no dock in a frame.
    BOOL AttachToTabWnd(CDockablePane* pTabControlBarAttachTo, AFX_DOCK_METHOD dockMethod, BOOL bSetActive = TRUE,
                        CDockablePane** ppTabbedControlBar = nullptr);
    // Floats the pane in its own small window at the rectangle (screen coordinates).
    void FloatPane(const RECT& rectFloat);
    BOOL IsDocked() const override;

protected:
    void OnNcDestroy();
    DECLARE_MESSAGE_MAP()

private:
    QDockWidget* m_pDock = nullptr;
    CString m_strCaption;
};

// The Qt dock area (Qt::DockWidgetArea) of a CBRS_ALIGN_* side.
PLATFORM_API int DockAreaOfSide(DWORD side);

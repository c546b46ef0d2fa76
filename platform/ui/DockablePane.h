// CDockablePane: a titled pane that docks in a frame and that the user shows, hides and closes;
// whether it is shown is kept in the application profile under "Workspace\BasePane-<id>"
// ("IsVisible"), so that the next start restores the layout.
#pragma once

#include "platform/ui/FrameStyles.h"
#include "platform/ui/Wnd.h"

class QDockWidget;

class PLATFORM_API CDockablePane : public CWnd
{
    DECLARE_DYNAMIC(CDockablePane)
public:
    CDockablePane();
    ~CDockablePane() override;

    // A child pane of the parent with the caption; styles are accepted as given (docking sides
    // and tabs are left to the window manager). A stored "IsVisible" of the id (0 or 1) decides
    // whether it shows. FALSE when the window cannot be made.
    virtual BOOL Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper, UINT nID,
                        DWORD dwStyle, DWORD dwTabbedStyle = AFX_CBRS_REGULAR_TABS,
                        DWORD dwControlBarStyle = AFX_DEFAULT_DOCKING_PANE_STYLE,
                        CCreateContext* pContext = nullptr);

    // Shows or hides the pane; `bDelay` and `bActivate` are accepted (the change is immediate).
    virtual void ShowPane(BOOL bShow, BOOL bDelay, BOOL bActivate);
    virtual BOOL IsVisible() const;
    BOOL IsAutoHideMode() const { return FALSE; }
    void EnableDocking(DWORD dwAlignment) { m_dwDockAlignment = dwAlignment; }
    DWORD GetEnabledAlignment() const { return m_dwDockAlignment; }
    DWORD GetControlBarStyle() const { return m_dwControlBarStyle; }
    // The close box: hides the pane.
    void ClosePane() { ShowPane(FALSE, FALSE, FALSE); }
    CString GetTitle() const { return m_strCaption; }

    // The profile section of a pane id: "Workspace\BasePane-<id>".
    static CString GetProfileSection(UINT nID);
    // Writes "IsVisible" (1 or 0) of this pane. FALSE without an application or on a write failure.
    BOOL SaveState();
    // The stored "IsVisible" of a pane id: 1, 0, or -1 when never stored.
    static int GetStoredVisibility(UINT nID);

    // The container the pane's own windows live in.
    QDockWidget* GetDockWidget() const { return m_pDock; }

private:
    QDockWidget* m_pDock = nullptr;
    CString m_strCaption;
    DWORD m_dwDockAlignment = 0;
    DWORD m_dwControlBarStyle = 0;
};

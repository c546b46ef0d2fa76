// CBasePane / CPane: what docking panes, toolbars and the menu bar share: the sides they may
// dock on, their pane style, and showing and hiding them as the frame's layout does.
#pragma once

#include "platform/ui/FrameStyles.h"
#include "platform/ui/Wnd.h"

class PLATFORM_API CBasePane : public CWnd
{
    DECLARE_DYNAMIC(CBasePane)
public:
    CBasePane() = default;

    // The sides (CBRS_ALIGN_*) the pane may dock on. The virtuals are out of line for the
    // reason given at CWnd::IsFrameWnd.
    virtual void EnableDocking(DWORD dwAlignment);
    DWORD GetEnabledAlignment() const { return m_dwDockAlignment; }
    // CBRS_* bits of the pane; kept for the pane's own code.
    virtual void SetPaneStyle(DWORD dwNewStyle);
    virtual DWORD GetPaneStyle() const;
    // Shows or hides the pane at once (`bDelay` and `bActivate` are accepted).
    virtual void ShowPane(BOOL bShow, BOOL bDelay, BOOL bActivate);
    virtual BOOL IsVisible() const;
    virtual BOOL IsAutoHideMode() const;
    virtual BOOL IsDocked() const;
    // Accepted: the layout is the frame's.
    void SetControlBarStyle(DWORD dwNewStyle) { m_dwControlBarStyle = dwNewStyle; }
    DWORD GetControlBarStyle() const { return m_dwControlBarStyle; }

protected:
    DWORD m_dwDockAlignment = 0;
    DWORD m_dwPaneStyle = 0;
    DWORD m_dwControlBarStyle = 0;
};

class PLATFORM_API CPane : public CBasePane
{
    DECLARE_DYNAMIC(CPane)
public:
    CPane() = default;
};

// CNavHostApp: the application object of the host navigation program's stand-in: it sets up
// the framework, makes the main frame (no document: the chart and the panes are the frame's)
// and hands over to the frame's start-up.
#pragma once

#include "platform/ui/WinAppEx.h"

class CMainFrame;

class CNavHostApp : public CWinAppEx
{
public:
    CNavHostApp();

    BOOL InitInstance() override;

    // The main frame once InitInstance made it; null before.
    CMainFrame* GetMainFrame() const;
};

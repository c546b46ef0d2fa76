// CGeodeticApp: the application object of the Geodetic program: start-up of the single
// document (spreadsheet view in the main frame), then the frame's post-start routine.
#pragma once

#include "platform/ui/WinAppEx.h"

class CMainFrame;

class CGeodeticApp : public CWinAppEx
{
public:
    CGeodeticApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // The main frame once InitInstance made it; null before or after.
    CMainFrame* GetMainFrame() const;
};

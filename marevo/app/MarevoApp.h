// CMarevoApp: the Marevo program's application object. It sets up the framework, makes the
// single document with its main frame and chart view, gives the panes the year the frame
// loaded, shows the frame and tells the user what of the year's data could not be loaded.
#pragma once

#include "platform/ui/WinAppEx.h"

class CMainFrame;

class CMarevoApp : public CWinAppEx
{
public:
    CMarevoApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // The main frame once InitInstance made it; null before.
    CMainFrame* GetMainFrame() const;

protected:
    // The framework's OLE start, overridden by a test that needs it to fail.
    virtual BOOL InitialiseOle();

    void OnAppAbout();
    DECLARE_MESSAGE_MAP()
};

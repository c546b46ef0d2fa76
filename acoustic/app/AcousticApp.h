// CAcousticApp: the Acoustic program's application object. It sets up the framework, makes the
// single document with its main frame and plan view, shows the frame and hands over to the
// frame's post-start set-up.
#pragma once

#include "platform/ui/WinAppEx.h"

class CMainFrame;

class CAcousticApp : public CWinAppEx
{
public:
    CAcousticApp();

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

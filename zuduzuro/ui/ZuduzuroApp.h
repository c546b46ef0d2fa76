// CZuduzuroApp: the anchor-cable program's application object. It lets only one copy run for
// the user (a second start brings the running copy forward and ends), sets up the framework,
// makes the single document with its frame and side view, and hands over to the frame's
// post-start sequence.
#pragma once

#include "platform/ui/WinAppEx.h"

class CMainFrame;

// The single-instance lock's name and the message a second start identifies the first by.
#define ZUDUZURO_INSTANCE_NAME "Vuzuvavi - Vivevuzodi Diradozo"
#define ZUDUZURO_IDENTIFY_MESSAGE "UWM_PROGRAM_IDENTIFY_WINDOW-{2BE91B39-FD34-4099-9730-7FAB57083200}"

class CZuduzuroApp : public CWinAppEx
{
public:
    CZuduzuroApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // The main frame once InitInstance made it; null before or after.
    CMainFrame* GetMainFrame() const;
    // Closes the single-instance lock once; later calls do nothing.
    void ReleaseInstanceLock();
    bool HoldsInstanceLock() const { return m_hMutex != nullptr; }

private:
    HANDLE m_hMutex = nullptr;
};

// The registered identify message, registered at program load.
extern const UINT UWM_PROGRAM_IDENTIFY_WINDOW;

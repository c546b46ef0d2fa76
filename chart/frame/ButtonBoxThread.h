// CButtonBoxThread: polls the operator's button box (a joystick device) ten times a second
// and posts UM_BUTTON_BOX to its owner window whenever the set of pressed buttons changes.
#pragma once

#include "platform/core/WinThread.h"
#include "platform/io/Joystick.h"

#include <atomic>

class CWnd;

class CButtonBoxThread : public CWinThread
{
    DECLARE_DYNCREATE(CButtonBoxThread)

public:
    // How long the thread waits between polls (ms).
    static constexpr DWORD kPollMs = 100;

    // Reads the joystick id from "Button Box" (0 when missing or not 0 or 1). The object is
    // not deleted when the thread ends: its creator stops it (Stop), waits and deletes it.
    CButtonBoxThread();

    BOOL InitInstance() override { return TRUE; }
    // Polls until stopped; 0.
    int Run() override;
    // Sets the stop flag and cuts the pause short.
    void Stop();

    // Members, in this order. The owner is set before the thread is resumed.
    CWnd* m_pOwner = nullptr;
    std::atomic<int32_t> m_bStop{0};
    int16_t m_nJoystickId = 0;
    JOYINFOEX m_JoyInfo{};
    DWORD m_LastButtons = 0xFFFFFFFF;

private:
    CEvent m_Wake;
};

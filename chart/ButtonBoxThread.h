// CButtonBoxThread: polls the operator's button box (a joystick device) ten times a second and
// posts UM_BUTTON_BOX (wParam the button mask, lParam the joystick id) to its owner whenever
// the set of pressed buttons changes. The joystick id is the first line of "Button Box".
#pragma once

#include "chart/ChartexaApi.h"
#include "platform/core/WinThread.h"
#include "platform/io/Joystick.h"

#include <atomic>
#include <cstdint>

class CWnd;

class CHARTEXA_API CButtonBoxThread : public CWinThread
{
    DECLARE_DYNCREATE(CButtonBoxThread)

public:
    // Owner null, running, the device state for the buttons, no mask posted yet; the id from
    // "Button Box" (0 when missing or outside 0..1).
    CButtonBoxThread();
    ~CButtonBoxThread() override = default;

    BOOL InitInstance() override { return TRUE; }
    // Polls until the stop flag is set; 0.
    int Run() override;

    // The window told of changes (the main window when null); set before the thread resumes.
    CWnd* m_pOwner = nullptr;
    std::atomic<int32_t> m_Stop{0};
    int16_t m_JoystickId = 0;
    JOYINFOEX m_State{};
    uint32_t m_LastButtons = 0xFFFFFFFFu;
};

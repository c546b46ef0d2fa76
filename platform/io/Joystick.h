// The multimedia joystick poll over the Linux joystick device: joyGetPosEx fills the button
// mask of joystick `id` (/dev/input/js<id>) from the button events read since the last poll.
// Tests put a provider of their own in its place.
#pragma once

#include "platform/core/WinTypes.h"

#include <functional>

using MMRESULT = UINT;

#define JOYERR_NOERROR 0u
#define JOYERR_PARMS 165u
#define JOYERR_UNPLUGGED 167u
#define JOY_RETURNBUTTONS 0x00000080u

struct JOYINFOEX
{
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwXpos;
    DWORD dwYpos;
    DWORD dwZpos;
    DWORD dwRpos;
    DWORD dwUpos;
    DWORD dwVpos;
    DWORD dwButtons; // bit n set: button n + 1 pressed
    DWORD dwButtonNumber;
    DWORD dwPOV;
    DWORD dwReserved1;
    DWORD dwReserved2;
};
static_assert(sizeof(JOYINFOEX) == 52, "the device state is 13 32-bit fields");

// JOYERR_NOERROR with the buttons filled when JOY_RETURNBUTTONS is asked for;
// JOYERR_UNPLUGGED when the device cannot be opened or read; JOYERR_PARMS for a null record.
PLATFORM_API MMRESULT joyGetPosEx(UINT uJoyID, JOYINFOEX* pji);

// Tests: every poll goes to `provider` until it is cleared with an empty function.
using JoystickProvider = std::function<MMRESULT(UINT, JOYINFOEX*)>;
PLATFORM_API void SetJoystickProvider(JoystickProvider provider);

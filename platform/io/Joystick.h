// The multimedia joystick poll over the Linux joystick device ("/dev/input/js<id>"): the
// position of its axes and the mask of its pressed buttons as of the last event the device
// gave. Tests put a provider of their own in place of the devices.
#pragma once

#include "platform/core/WinTypes.h"

#include <functional>

using MMRESULT = UINT;

#define JOYERR_NOERROR 0u
#define JOYERR_PARMS 165u
#define JOYERR_UNPLUGGED 167u

#define JOYSTICKID1 0u
#define JOYSTICKID2 1u

#define JOY_RETURNX 0x00000001u
#define JOY_RETURNY 0x00000002u
#define JOY_RETURNZ 0x00000004u
#define JOY_RETURNR 0x00000008u
#define JOY_RETURNU 0x00000010u
#define JOY_RETURNV 0x00000020u
#define JOY_RETURNPOV 0x00000040u
#define JOY_RETURNBUTTONS 0x00000080u
#define JOY_RETURNALL 0x000000FFu
#define JOY_POVCENTERED 0xFFFFu

// Axes run 0..65535 with the centre at 32768; bit n of the buttons is button n + 1.
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
    DWORD dwButtons;
    DWORD dwButtonNumber;
    DWORD dwPOV;
    DWORD dwReserved1;
    DWORD dwReserved2;
};
static_assert(sizeof(JOYINFOEX) == 52, "JOYINFOEX is 13 double words");
using LPJOYINFOEX = JOYINFOEX*;

// Fills what dwFlags asks for. JOYERR_PARMS for an id above 15, a null pointer or a size
// field other than sizeof(JOYINFOEX); JOYERR_UNPLUGGED when the device is missing or gone
// (it is opened again at the next poll). Safe from any thread.
PLATFORM_API MMRESULT joyGetPosEx(UINT uJoyID, LPJOYINFOEX pji);

// Answers joyGetPosEx in place of the devices (after its own checks of the arguments); an
// empty function brings the devices back.
using JOYSTICK_PROVIDER = std::function<MMRESULT(UINT uJoyID, JOYINFOEX* pji)>;
PLATFORM_API void AfxSetJoystickProvider(JOYSTICK_PROVIDER provider);

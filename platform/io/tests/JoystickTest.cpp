// The joystick poll: its checks of the arguments, a device that is not there, and a provider
// that answers in place of the devices.
#include "platform/io/Joystick.h"

#include <gtest/gtest.h>

TEST(Joystick, BadArgumentsAndMissingDevices)
{
    JOYINFOEX info{};
    info.dwSize = sizeof info;
    info.dwFlags = JOY_RETURNBUTTONS;
    EXPECT_EQ(joyGetPosEx(16, &info), JOYERR_PARMS);
    EXPECT_EQ(joyGetPosEx(0, nullptr), JOYERR_PARMS);
    JOYINFOEX small = info;
    small.dwSize = 40;
    EXPECT_EQ(joyGetPosEx(0, &small), JOYERR_PARMS);
    // No machine that runs the tests has fifteen joysticks.
    EXPECT_EQ(joyGetPosEx(15, &info), JOYERR_UNPLUGGED);
}

TEST(Joystick, AProviderAnswersInPlaceOfTheDevices)
{
    UINT asked = 99;
    AfxSetJoystickProvider([&asked](UINT id, JOYINFOEX* info) {
        asked = id;
        info->dwButtons = 0x5;
        return static_cast<MMRESULT>(JOYERR_NOERROR);
    });
    JOYINFOEX info{};
    info.dwSize = sizeof info;
    info.dwFlags = JOY_RETURNBUTTONS;
    EXPECT_EQ(joyGetPosEx(1, &info), JOYERR_NOERROR);
    EXPECT_EQ(asked, 1u);
    EXPECT_EQ(info.dwButtons, 0x5u);
    EXPECT_EQ(joyGetPosEx(17, &info), JOYERR_PARMS); // the arguments are checked first
    AfxSetJoystickProvider(nullptr);
    EXPECT_EQ(joyGetPosEx(15, &info), JOYERR_UNPLUGGED);
}

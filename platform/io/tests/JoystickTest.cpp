// The joystick poll: a device that is not there, a null record, and a provider put in its place.
#include "platform/io/Joystick.h"

#include <gtest/gtest.h>

TEST(Joystick, MissingDeviceNullRecordAndProvider)
{
    JOYINFOEX state{};
    state.dwSize = sizeof state;
    state.dwFlags = JOY_RETURNBUTTONS;
    EXPECT_EQ(joyGetPosEx(31, &state), JOYERR_UNPLUGGED);
    EXPECT_EQ(joyGetPosEx(0, nullptr), JOYERR_PARMS);

    SetJoystickProvider([](UINT id, JOYINFOEX* s) {
        s->dwButtons = id + 5;
        return JOYERR_NOERROR;
    });
    EXPECT_EQ(joyGetPosEx(31, &state), JOYERR_NOERROR);
    EXPECT_EQ(state.dwButtons, 36u);
    SetJoystickProvider(nullptr);
    EXPECT_EQ(joyGetPosEx(31, &state), JOYERR_UNPLUGGED);
}

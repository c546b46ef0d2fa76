#include "platform/io/Joystick.h"

#include <fcntl.h>
#include <linux/joystick.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <mutex>

namespace
{
constexpr UINT kMaxJoysticks = 16;
constexpr int kAxes = 6;

// What the device has told so far; the kernel sends events only on changes.
struct JoystickState
{
    int fd = -1;
    DWORD buttons = 0;
    DWORD axes[kAxes] = {32768, 32768, 32768, 32768, 32768, 32768};
};

std::mutex& Lock()
{
    static std::mutex lock;
    return lock;
}

JoystickState* States()
{
    static JoystickState states[kMaxJoysticks];
    return states;
}

JOYSTICK_PROVIDER& Provider()
{
    static JOYSTICK_PROVIDER provider;
    return provider;
}

void Close(JoystickState& state)
{
    if (state.fd >= 0)
        ::close(state.fd);
    state = JoystickState();
}

// Reads every waiting event; false when the device is missing or was unplugged.
bool Refresh(UINT id, JoystickState& state)
{
    if (state.fd < 0)
    {
        char path[32];
        std::snprintf(path, sizeof path, "/dev/input/js%u", id);
        state.fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (state.fd < 0)
            return false;
    }
    for (;;)
    {
        js_event event{};
        const ssize_t got = ::read(state.fd, &event, sizeof event);
        if (got == static_cast<ssize_t>(sizeof event))
        {
            const unsigned type = event.type & ~JS_EVENT_INIT;
            if (type == JS_EVENT_BUTTON && event.number < 32)
            {
                const DWORD bit = 1u << event.number;
                state.buttons = event.value ? (state.buttons | bit) : (state.buttons & ~bit);
            }
            else if (type == JS_EVENT_AXIS && event.number < kAxes)
                state.axes[event.number] = static_cast<DWORD>(event.value + 32768);
            continue;
        }
        if (got < 0 && (errno == EAGAIN || errno == EINTR))
            return true;
        // A short read or an error (ENODEV once unplugged): start afresh at the next poll.
        Close(state);
        return false;
    }
}

DWORD CountBits(DWORD mask)
{
    DWORD count = 0;
    for (; mask; mask &= mask - 1)
        ++count;
    return count;
}
} // namespace

void AfxSetJoystickProvider(JOYSTICK_PROVIDER provider)
{
    std::lock_guard<std::mutex> guard(Lock());
    Provider() = std::move(provider);
}

MMRESULT joyGetPosEx(UINT uJoyID, LPJOYINFOEX pji)
{
    if (uJoyID >= kMaxJoysticks || !pji || pji->dwSize != sizeof(JOYINFOEX))
        return JOYERR_PARMS;
    std::lock_guard<std::mutex> guard(Lock());
    if (Provider())
        return Provider()(uJoyID, pji);
    JoystickState& state = States()[uJoyID];
    if (!Refresh(uJoyID, state))
        return JOYERR_UNPLUGGED;
    const DWORD flags = pji->dwFlags;
    DWORD* const axes[kAxes] = {&pji->dwXpos, &pji->dwYpos, &pji->dwZpos,
                                &pji->dwRpos, &pji->dwUpos, &pji->dwVpos};
    for (int i = 0; i < kAxes; ++i)
        if (flags & (JOY_RETURNX << i))
            *axes[i] = state.axes[i];
    if (flags & JOY_RETURNPOV)
        pji->dwPOV = JOY_POVCENTERED;
    if (flags & JOY_RETURNBUTTONS)
    {
        pji->dwButtons = state.buttons;
        pji->dwButtonNumber = CountBits(state.buttons);
    }
    return JOYERR_NOERROR;
}

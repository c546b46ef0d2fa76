#include "platform/io/Joystick.h"

#include <QByteArray>

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <unistd.h>

namespace
{
// The kernel's joystick event (linux/joystick.h).
struct JsEvent
{
    uint32_t time;
    int16_t value;
    uint8_t type;
    uint8_t number;
};
constexpr uint8_t kButtonEvent = 0x01;
constexpr uint8_t kInitialState = 0x80;

struct Device
{
    int fd = -1;
    DWORD buttons = 0;
};

std::mutex& Lock()
{
    static std::mutex mutex;
    return mutex;
}
JoystickProvider& Provider()
{
    static JoystickProvider provider;
    return provider;
}
std::map<UINT, Device>& Devices()
{
    static std::map<UINT, Device> devices;
    return devices;
}

// Reads every event waiting; false when the device is gone.
bool Drain(Device& device)
{
    JsEvent event{};
    for (;;)
    {
        const ssize_t got = ::read(device.fd, &event, sizeof event);
        if (got == static_cast<ssize_t>(sizeof event))
        {
            if ((event.type & ~kInitialState) == kButtonEvent && event.number < 32)
            {
                const DWORD bit = DWORD(1) << event.number;
                device.buttons = event.value ? (device.buttons | bit) : (device.buttons & ~bit);
            }
            continue;
        }
        return got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
}
} // namespace

void SetJoystickProvider(JoystickProvider provider)
{
    std::lock_guard<std::mutex> guard(Lock());
    Provider() = std::move(provider);
}

MMRESULT joyGetPosEx(UINT uJoyID, JOYINFOEX* pji)
{
    if (pji == nullptr)
        return JOYERR_PARMS;
    JoystickProvider provider;
    {
        std::lock_guard<std::mutex> guard(Lock());
        provider = Provider();
    }
    if (provider)
        return provider(uJoyID, pji);

    std::lock_guard<std::mutex> guard(Lock());
    Device& device = Devices()[uJoyID];
    if (device.fd < 0)
    {
        const QByteArray path = "/dev/input/js" + QByteArray::number(uJoyID);
        device.fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        device.buttons = 0;
        if (device.fd < 0)
            return JOYERR_UNPLUGGED;
    }
    if (!Drain(device))
    {
        // Unplugged: the next poll opens it afresh.
        ::close(device.fd);
        device.fd = -1;
        return JOYERR_UNPLUGGED;
    }
    if (pji->dwFlags & JOY_RETURNBUTTONS)
        pji->dwButtons = device.buttons;
    return JOYERR_NOERROR;
}

#include "platform/ui/Monitor.h"

#include "platform/ui/Wnd.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <climits>
#include <mutex>

namespace
{
std::mutex& TestMonitorLock()
{
    static std::mutex lock;
    return lock;
}

std::vector<TEST_MONITOR>& TestMonitors()
{
    static std::vector<TEST_MONITOR> monitors;
    return monitors;
}

RECT RectOf(const QRect& r)
{
    return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// The monitors now: the test's list, else the screens.
std::vector<TEST_MONITOR> Monitors()
{
    {
        std::lock_guard<std::mutex> guard(TestMonitorLock());
        if (!TestMonitors().empty())
            return TestMonitors();
    }
    std::vector<TEST_MONITOR> monitors;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (const QScreen* screen : QGuiApplication::screens())
        monitors.push_back({RectOf(screen->geometry()), RectOf(screen->availableGeometry()), screen == primary});
    return monitors;
}

// Handles are positions in the list counted from 1, so that none is null.
HMONITOR HandleOf(size_t index)
{
    return reinterpret_cast<HMONITOR>(static_cast<uintptr_t>(index + 1));
}

long long Overlap(const RECT& a, const RECT& b)
{
    const long long w = std::min(a.right, b.right) - std::max(a.left, b.left);
    const long long h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// Squared distance between two rectangles (0 when they touch or overlap).
long long Gap(const RECT& a, const RECT& b)
{
    const long long dx = std::max<long long>({0, static_cast<long long>(b.left) - a.right,
                                              static_cast<long long>(a.left) - b.right});
    const long long dy = std::max<long long>({0, static_cast<long long>(b.top) - a.bottom,
                                              static_cast<long long>(a.top) - b.bottom});
    return dx * dx + dy * dy;
}
} // namespace

void AfxSetTestMonitors(const std::vector<TEST_MONITOR>& monitors)
{
    std::lock_guard<std::mutex> guard(TestMonitorLock());
    TestMonitors() = monitors;
}

BOOL EnumDisplayMonitors(HDC hdc, LPCRECT, MONITORENUMPROC lpfnEnum, LPARAM dwData)
{
    const std::vector<TEST_MONITOR> monitors = Monitors();
    if (monitors.empty() || !lpfnEnum)
        return FALSE;
    for (size_t i = 0; i < monitors.size(); ++i)
    {
        RECT r = monitors[i].monitor;
        if (!lpfnEnum(HandleOf(i), hdc, &r, dwData))
            return FALSE;
    }
    return TRUE;
}

namespace
{
// The monitor `area` overlaps most; with none overlapped, by the flags.
HMONITOR MonitorFromArea(const std::vector<TEST_MONITOR>& monitors, RECT area, DWORD dwFlags)
{
    // A window of no size (not yet placed, or shrunk past nothing) lies where its corner is.
    if (area.right <= area.left)
        area.right = area.left + 1;
    if (area.bottom <= area.top)
        area.bottom = area.top + 1;
    size_t best = monitors.size();
    long long most = 0;
    for (size_t i = 0; i < monitors.size(); ++i)
        if (const long long overlap = Overlap(area, monitors[i].monitor); overlap > most)
        {
            most = overlap;
            best = i;
        }
    if (best < monitors.size())
        return HandleOf(best);
    if (dwFlags == MONITOR_DEFAULTTOPRIMARY)
    {
        const auto primary =
            std::find_if(monitors.begin(), monitors.end(), [](const TEST_MONITOR& m) { return m.primary; });
        return HandleOf(primary == monitors.end() ? 0 : static_cast<size_t>(primary - monitors.begin()));
    }
    if (dwFlags != MONITOR_DEFAULTTONEAREST)
        return nullptr;
    long long nearest = LLONG_MAX;
    for (size_t i = 0; i < monitors.size(); ++i)
        if (const long long gap = Gap(area, monitors[i].monitor); gap < nearest)
        {
            nearest = gap;
            best = i;
        }
    return HandleOf(best);
}
} // namespace

HMONITOR MonitorFromWindow(HWND hwnd, DWORD dwFlags)
{
    const std::vector<TEST_MONITOR> monitors = Monitors();
    RECT window{0, 0, 0, 0};
    if (monitors.empty() || !hwnd || !::GetWindowRect(hwnd, &window))
        return nullptr;
    return MonitorFromArea(monitors, window, dwFlags);
}

HMONITOR MonitorFromPoint(POINT pt, DWORD dwFlags)
{
    const std::vector<TEST_MONITOR> monitors = Monitors();
    if (monitors.empty())
        return nullptr;
    return MonitorFromArea(monitors, RECT{pt.x, pt.y, pt.x + 1, pt.y + 1}, dwFlags);
}

BOOL GetMonitorInfo(HMONITOR hMonitor, LPMONITORINFO lpmi)
{
    if (!lpmi || lpmi->cbSize < sizeof(MONITORINFO))
        return FALSE;
    const std::vector<TEST_MONITOR> monitors = Monitors();
    const uintptr_t handle = reinterpret_cast<uintptr_t>(hMonitor);
    if (handle == 0 || handle > monitors.size())
        return FALSE;
    const TEST_MONITOR& m = monitors[handle - 1];
    lpmi->rcMonitor = m.monitor;
    lpmi->rcWork = m.work;
    lpmi->dwFlags = m.primary ? MONITORINFOF_PRIMARY : 0;
    return TRUE;
}

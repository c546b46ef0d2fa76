// The monitor functions over a test's list of monitors: enumeration order, the monitor of a
// window (most overlap, then nearest), the rectangles and primary flag, and the screen size
// that follows the primary monitor.
#include "platform/core/WinApp.h"
#include "platform/ui/Monitor.h"
#include "platform/ui/Wnd.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
BOOL Collect(HMONITOR monitor, HDC, LPRECT rect, LPARAM data)
{
    reinterpret_cast<std::vector<std::pair<HMONITOR, RECT>>*>(data)->push_back({monitor, *rect});
    return TRUE;
}

BOOL StopAtFirst(HMONITOR, HDC, LPRECT, LPARAM data)
{
    ++*reinterpret_cast<int*>(data);
    return FALSE;
}

bool Same(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
} // namespace

TEST(Monitor, TestMonitorsStandInForTheScreens)
{
    CWinApp app("MonitorTest");
    const std::vector<TEST_MONITOR> monitors = {{{1600, 0, 2880, 1024}, {1600, 0, 2880, 990}, false},
                                                {{0, 0, 1600, 900}, {0, 30, 1600, 900}, true}};
    AfxSetTestMonitors(monitors);

    std::vector<std::pair<HMONITOR, RECT>> seen;
    EXPECT_TRUE(EnumDisplayMonitors(nullptr, nullptr, &Collect, reinterpret_cast<LPARAM>(&seen)));
    ASSERT_EQ(seen.size(), 2u);
    for (size_t i = 0; i < seen.size(); ++i)
    {
        EXPECT_TRUE(Same(seen[i].second, monitors[i].monitor)) << i;
        MONITORINFO info{sizeof(MONITORINFO), {}, {}, 0};
        ASSERT_TRUE(GetMonitorInfo(seen[i].first, &info));
        EXPECT_TRUE(Same(info.rcMonitor, monitors[i].monitor)) << i;
        EXPECT_TRUE(Same(info.rcWork, monitors[i].work)) << i;
        EXPECT_EQ(info.dwFlags, monitors[i].primary ? MONITORINFOF_PRIMARY : 0u) << i;
    }
    int calls = 0;
    EXPECT_FALSE(EnumDisplayMonitors(nullptr, nullptr, &StopAtFirst, reinterpret_cast<LPARAM>(&calls)));
    EXPECT_EQ(calls, 1);
    MONITORINFO small{sizeof(MONITORINFO) - 4, {}, {}, 0};
    EXPECT_FALSE(GetMonitorInfo(seen[0].first, &small));
    MONITORINFO info{sizeof(MONITORINFO), {}, {}, 0};
    EXPECT_FALSE(GetMonitorInfo(nullptr, &info));

    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "W", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 300, 300),
                                nullptr, 0));
    const struct
    {
        CRect place;
        size_t monitor; // index in the list; 2 for none
        DWORD flags;
    } cases[] = {{CRect(100, 100, 300, 300), 1, MONITOR_DEFAULTTONEAREST},
                 {CRect(1500, 100, 1900, 300), 0, MONITOR_DEFAULTTONEAREST}, // more of it on the right
                 {CRect(3000, 2000, 3100, 2100), 0, MONITOR_DEFAULTTONEAREST},
                 {CRect(3000, 2000, 3100, 2100), 1, MONITOR_DEFAULTTOPRIMARY},
                 {CRect(3000, 2000, 3100, 2100), 2, MONITOR_DEFAULTTONULL}};
    for (const auto& c : cases)
    {
        window.MoveWindow(c.place);
        const HMONITOR found = MonitorFromWindow(window.GetSafeHwnd(), c.flags);
        if (c.monitor == 2)
            EXPECT_EQ(found, nullptr);
        else
            EXPECT_EQ(found, seen[c.monitor].first) << c.place.left;
    }
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1600);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 900);

    AfxSetTestMonitors({});
    seen.clear();
    EXPECT_TRUE(EnumDisplayMonitors(nullptr, nullptr, &Collect, reinterpret_cast<LPARAM>(&seen)));
    EXPECT_FALSE(seen.empty());
}

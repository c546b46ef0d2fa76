#include "chart/frame/GridFrameMonitors.h"

#include "platform/ui/Monitor.h"

#include <vector>

namespace
{
BOOL CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    reinterpret_cast<std::vector<HMONITOR>*>(data)->push_back(monitor);
    return TRUE;
}

// Primary first, then the others in enumeration order.
std::vector<HMONITOR> NumberedMonitors()
{
    std::vector<HMONITOR> all;
    EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&all));
    std::vector<HMONITOR> numbered(1, nullptr);
    for (HMONITOR monitor : all)
    {
        MONITORINFO info{sizeof(MONITORINFO), {}, {}, 0};
        if (!GetMonitorInfo(monitor, &info))
            continue;
        if (info.dwFlags & MONITORINFOF_PRIMARY)
            numbered[0] = monitor;
        else
            numbered.push_back(monitor);
    }
    if (numbered[0] == nullptr)
        numbered.erase(numbered.begin());
    return numbered;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
} // namespace

int MonitorOfWindow(const CWnd* wnd)
{
    HMONITOR nearest = MonitorFromWindow(wnd ? wnd->GetSafeHwnd() : nullptr, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{sizeof(MONITORINFO), {}, {}, 0};
    if (!GetMonitorInfo(nearest, &info) || (info.dwFlags & MONITORINFOF_PRIMARY))
        return 0;
    const std::vector<HMONITOR> numbered = NumberedMonitors();
    for (size_t i = 1; i < numbered.size(); ++i)
    {
        MONITORINFO other{sizeof(MONITORINFO), {}, {}, 0};
        if (GetMonitorInfo(numbered[i], &other) && SameRect(other.rcMonitor, info.rcMonitor))
            return static_cast<int>(i);
    }
    return 0;
}

bool GetMonitorRect(int number, CRect& rect, bool work)
{
    const std::vector<HMONITOR> numbered = NumberedMonitors();
    MONITORINFO info{sizeof(MONITORINFO), {}, {}, 0};
    if (number < 0 || number >= static_cast<int>(numbered.size()) || !GetMonitorInfo(numbered[number], &info))
        return false;
    rect = work ? info.rcWork : info.rcMonitor;
    return true;
}

CRect PlaceOnWorkArea(CRect window, const CRect& fromWork, const CRect& toWork)
{
    window.OffsetRect(toWork.left - fromWork.left, toWork.top - fromWork.top);
    if (window.Width() > toWork.Width())
        window.right = window.left + toWork.Width();
    if (window.Height() > toWork.Height())
        window.bottom = window.top + toWork.Height();
    if (window.right > toWork.right)
        window.OffsetRect(toWork.right - window.right, 0);
    if (window.left < toWork.left)
        window.OffsetRect(toWork.left - window.left, 0);
    if (window.bottom > toWork.bottom)
        window.OffsetRect(0, toWork.bottom - window.bottom);
    if (window.top < toWork.top)
        window.OffsetRect(0, toWork.top - window.top);
    return window;
}

void MoveToMonitor(CWnd* wnd, int from, int to)
{
    const int count = static_cast<int>(NumberedMonitors().size());
    if (count <= 1 || from < 0 || to < 0 || from >= count || to >= count || from == to)
        return;
    CRect fromWork, toWork;
    if (!GetMonitorRect(from, fromWork, true) || !GetMonitorRect(to, toWork, true))
        return;
    CRect window;
    wnd->GetWindowRect(window);
    wnd->MoveWindow(PlaceOnWorkArea(window, fromWork, toWork), TRUE);
}

void FillMonitor(CWnd* wnd)
{
    CRect full;
    if (GetMonitorRect(MonitorOfWindow(wnd), full, false))
        wnd->MoveWindow(full, TRUE);
}

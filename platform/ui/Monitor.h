// Display monitors as the system's monitor functions give them: each screen with its full
// rectangle, its work area (less the panels the desktop keeps) and whether it is the primary
// one, in virtual-screen coordinates. Tests put a list of their own in place of the screens.
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/ui/Gdi.h"

#include <vector>

struct HMONITOR__;
using HMONITOR = HMONITOR__*;

#define MONITOR_DEFAULTTONULL 0x00000000u
#define MONITOR_DEFAULTTOPRIMARY 0x00000001u
#define MONITOR_DEFAULTTONEAREST 0x00000002u
#define MONITORINFOF_PRIMARY 0x00000001u

struct MONITORINFO
{
    DWORD cbSize;
    RECT rcMonitor;
    RECT rcWork;
    DWORD dwFlags;
};
using LPMONITORINFO = MONITORINFO*;

// Called for each monitor with its handle, the device context given (null) and its rectangle;
// FALSE stops the enumeration.
using MONITORENUMPROC = BOOL (*)(HMONITOR hMonitor, HDC hdc, LPRECT lprcMonitor, LPARAM dwData);

// Every monitor in order (device contexts and clipping are not used: always the whole
// desktop). FALSE when the callback stopped it or there is no monitor.
PLATFORM_API BOOL EnumDisplayMonitors(HDC hdc, LPCRECT lprcClip, MONITORENUMPROC lpfnEnum, LPARAM dwData);
// The monitor the window overlaps most; with none overlapped, the nearest
// (MONITOR_DEFAULTTONEAREST), the primary (MONITOR_DEFAULTTOPRIMARY) or null.
PLATFORM_API HMONITOR MonitorFromWindow(HWND hwnd, DWORD dwFlags);
// The monitor holding the point; with none, as MonitorFromWindow. The primary monitor holds
// (0, 0).
PLATFORM_API HMONITOR MonitorFromPoint(POINT pt, DWORD dwFlags);
// FALSE for an unknown handle or a size field smaller than MONITORINFO.
PLATFORM_API BOOL GetMonitorInfo(HMONITOR hMonitor, LPMONITORINFO lpmi);
#define GetMonitorInfoA GetMonitorInfo

// A monitor a test stands in for a screen.
struct TEST_MONITOR
{
    RECT monitor;
    RECT work;
    bool primary;
};
// Replaces the screens with `monitors`, in enumeration order; an empty list brings the real
// screens back.
PLATFORM_API void AfxSetTestMonitors(const std::vector<TEST_MONITOR>& monitors);

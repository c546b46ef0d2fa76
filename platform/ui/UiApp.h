// The application object of programs with windows: a Qt widgets application, made by
// AfxInitProcess (and so by AfxWinMain) once this layer is linked in. Its event loop is the
// user-interface thread's message pump; the program ends through PostQuitMessage (which the
// main window's destruction calls), never because Qt closed its last window.
//
// Where no display exists (no DISPLAY or WAYLAND_DISPLAY and no QT_QPA_PLATFORM set), the
// application runs on Qt's offscreen platform, so a program started headless still runs.
#pragma once

#include "platform/core/WinTypes.h"

class QCoreApplication;

// The factory AfxInitProcess uses; installed when the platform library loads.
PLATFORM_API QCoreApplication* AfxCreateWidgetsApplication(int& argc, char** argv);

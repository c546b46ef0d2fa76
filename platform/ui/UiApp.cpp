#include "platform/ui/UiApp.h"

#include "platform/core/WinApp.h"

#include <QApplication>

QCoreApplication* AfxCreateWidgetsApplication(int& argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    auto* app = new QApplication(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return app;
}

namespace
{
// The core's factory variable is initialised before this (it comes first in the library's
// link order), so the widgets factory set here stays.
struct WidgetsApplicationInstaller
{
    WidgetsApplicationInstaller() { AfxSetApplicationFactory(&AfxCreateWidgetsApplication); }
};
const WidgetsApplicationInstaller g_installer;
} // namespace

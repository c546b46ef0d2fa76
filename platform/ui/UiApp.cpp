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
// Set before main; the core makes its factory variable on first use, whatever the order of the
// library's static initializers.
struct WidgetsApplicationInstaller
{
    WidgetsApplicationInstaller() { AfxSetApplicationFactory(&AfxCreateWidgetsApplication); }
};
const WidgetsApplicationInstaller g_installer;
} // namespace

// A program that starts as the suite's programs do (AfxWinMain, which makes Qt's application
// object), for tests that need a process of their own: it prints what the C library makes of
// numbers once the program runs, and the locale Qt took from the environment.
#include "platform/core/WinApp.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace
{
class CStartProbeApp : public CWinApp
{
public:
    CStartProbeApp() : CWinApp("StartProbe") {}
    BOOL InitInstance() override
    {
        char formatted[32];
        std::snprintf(formatted, sizeof formatted, "%.1f", 1.5);
        std::printf("numeric=%s\n", std::setlocale(LC_NUMERIC, nullptr));
        std::printf("formatted=%s\n", formatted);
        std::printf("parsed=%.2f\n", std::atof("2.5"));
        std::printf("monetary=%s\n", std::setlocale(LC_MONETARY, nullptr));
        std::printf("command=%s\n", static_cast<const char*>(m_lpCmdLine));
        std::fflush(stdout);
        return FALSE;
    }
    int ExitInstance() override { return 0; }
};

CStartProbeApp theApp;
} // namespace

int main(int argc, char** argv)
{
    return AfxWinMain(argc, argv);
}

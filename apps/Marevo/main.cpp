// The Marevo program: the application object and the process entry. Without a display the
// window layer runs on Qt's offscreen platform.
//
// With MAREVO_TEST_MODE set, no message box waits for a person: each is answered at once
// (cancelled) and its text written to standard error.
#include "marevo/app/MarevoApp.h"
#include "platform/ui/ModalHook.h"

#include <cstdio>
#include <cstdlib>

CMarevoApp theApp;

int main(int argc, char** argv)
{
    if (std::getenv("MAREVO_TEST_MODE"))
        ModalHook::Enable([](const CString& message) { std::fprintf(stderr, "%s\n", (LPCSTR)message); });
    return AfxWinMain(argc, argv);
}

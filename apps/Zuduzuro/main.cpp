// The anchor-cable program: the application object and the process entry. Without a display
// the window layer runs on Qt's offscreen platform.
//
// With ZUDUZURO_TEST_MODE set, no message box waits for a person: each is answered at once
// (cancelled) and its text written to standard error, so that a test can run two real copies
// of the program and read what each showed.
#include "platform/ui/ModalHook.h"
#include "zuduzuro/ui/ZuduzuroApp.h"

#include <cstdio>
#include <cstdlib>

CZuduzuroApp theApp;

int main(int argc, char** argv)
{
    if (std::getenv("ZUDUZURO_TEST_MODE"))
        ModalHook::Enable([](const CString& message) { std::fprintf(stderr, "%s\n", (LPCSTR)message); });
    return AfxWinMain(argc, argv);
}

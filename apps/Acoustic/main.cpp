// The Acoustic program: the application object and the process entry. Without a display the
// window layer runs on Qt's offscreen platform.
//
// With ACOUSTIC_TEST_MODE set, no message box waits for a person: each is answered at once
// (cancelled) and its text written to standard error.
#include "acoustic/app/AcousticApp.h"
#include "platform/ui/ModalHook.h"

#include <cstdio>
#include <cstdlib>

CAcousticApp theApp;

int main(int argc, char** argv)
{
    if (std::getenv("ACOUSTIC_TEST_MODE"))
        ModalHook::Enable([](const CString& message) { std::fprintf(stderr, "%s\n", (LPCSTR)message); });
    return AfxWinMain(argc, argv);
}

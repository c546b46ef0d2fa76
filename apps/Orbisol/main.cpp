// The solar observation program: the application object and the process entry. Without a
// display the window layer runs on Qt's offscreen platform.
#include "orbisol/ui/OrbisolApp.h"

COrbisolApp theApp;

int main(int argc, char** argv)
{
    return AfxWinMain(argc, argv);
}

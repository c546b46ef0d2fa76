// The Geodetic program: the application object and the process entry. Without a display the
// window layer runs on Qt's offscreen platform.
#include "geodetic/GeodeticApp.h"

CGeodeticApp theApp;

int main(int argc, char** argv)
{
    return AfxWinMain(argc, argv);
}

// NavHost: the stand-in for the host navigation program that loads the chart and feature-pane
// libraries. Without a display the window layer runs on Qt's offscreen platform.
#include "navhost/NavHostApp.h"

CNavHostApp theApp;

int main(int argc, char** argv)
{
    return AfxWinMain(argc, argv);
}

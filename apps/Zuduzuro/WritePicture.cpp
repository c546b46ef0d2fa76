// Build step of the anchor-cable program: writes its "Vertical Offset.bmp", the picture pane's
// diagram, beside the program, where the program looks for it at start.
#include "zuduzuro/ui/ZuduzuroResources.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s <picture file>\n", argv[0]);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    return VerticalOffsetPicture().save(QString::fromLocal8Bit(argv[1]), "BMP") ? 0 : 1;
}

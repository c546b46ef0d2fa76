// The solar program's pictures, drawn rather than stored: the reference object, the sun seen
// against the left and the right limb, and the program's own mark.
#include "orbisol/ui/OrbisolPictures.h"

#include "orbisol/ui/OrbisolResources.h"
#include "platform/ui/Resources.h"

#include <QImage>
#include <QPainter>

namespace
{
constexpr int kSize = 16;

QImage Blank()
{
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(QColor(0x55, 0x55, 0x55));
    return image;
}

// A survey target on a pole: the R.O.
QImage ReferenceObject()
{
    QImage image = Blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xE0, 0xE0, 0xE0), 1.5));
    p.drawLine(QPointF(8, 9), QPointF(8, 15.5));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 5.5), 5, 5);
    p.setBrush(QColor(0xD0, 0x20, 0x20));
    p.drawEllipse(QPointF(8, 5.5), 2, 2);
    return image;
}

// The sun's disc with the cross hair touching the limb on one side.
QImage Sun(bool left)
{
    QImage image = Blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xC0, 0x80, 0x00), 1));
    p.setBrush(QColor(0xFF, 0xD0, 0x20));
    p.drawEllipse(QPointF(8, 8), 5.5, 5.5);
    p.setPen(QPen(Qt::white, 1.5));
    const double x = left ? 2.5 : 13.5;
    p.drawLine(QPointF(x, 0.5), QPointF(x, 15.5));
    p.drawLine(QPointF(0.5, 8), QPointF(15.5, 8));
    return image;
}

QImage SunLeft()
{
    return Sun(true);
}

QImage SunRight()
{
    return Sun(false);
}

// The sun over a theodolite's tripod.
QImage Program()
{
    QImage image = Blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xD0, 0x20));
    p.drawEllipse(QPointF(11.5, 4), 3.5, 3.5);
    p.setBrush(QColor(0x30, 0x70, 0xD0));
    p.drawRect(QRectF(3, 5, 6, 4));
    p.setPen(QPen(QColor(0xE0, 0xE0, 0xE0), 1.2));
    p.drawLine(QPointF(6, 9), QPointF(2, 15.5));
    p.drawLine(QPointF(6, 9), QPointF(6, 15.5));
    p.drawLine(QPointF(6, 9), QPointF(10, 15.5));
    return image;
}

const BITMAP_ENTRY kPictures[] = {
    {IDB_ORBISOL_RO, nullptr, &ReferenceObject},
    {IDB_ORBISOL_SUN_LEFT, nullptr, &SunLeft},
    {IDB_ORBISOL_SUN_RIGHT, nullptr, &SunRight},
    {IDB_ORBISOL_PROGRAM, nullptr, &Program},
};
} // namespace

void RegisterOrbisolPictures()
{
    static const bool registered = [] {
        AfxRegisterBitmaps("Orbisol", kPictures, sizeof kPictures / sizeof kPictures[0]);
        return true;
    }();
    (void)registered;
}

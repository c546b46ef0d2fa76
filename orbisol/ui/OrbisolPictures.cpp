// The solar program's pictures, drawn rather than stored: the reference object, the sun seen
// against the left and the right limb, the program's own mark, the plot's icons of the sun and
// the R.O., and the About page's banner.
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

// The plot's icons: 32 x 32 on a transparent background, so the rose shows around them.
QImage Clear32()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// The sun: a yellow disc with eight rays.
QImage SunIcon()
{
    QImage image = Clear32();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xE0, 0x90, 0x00), 2));
    for (int ray = 0; ray < 8; ++ray)
    {
        p.save();
        p.translate(16, 16);
        p.rotate(45.0 * ray);
        p.drawLine(QPointF(0, 10), QPointF(0, 15));
        p.restore();
    }
    p.setPen(QPen(QColor(0xC0, 0x70, 0x00), 1));
    p.setBrush(QColor(0xFF, 0xD0, 0x20));
    p.drawEllipse(QPointF(16, 16), 8, 8);
    return image;
}

// The R.O.: a red and white target on a pole.
QImage ROIcon()
{
    QImage image = Clear32();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 2));
    p.drawLine(QPointF(16, 20), QPointF(16, 31));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 11), 10, 10);
    p.setBrush(QColor(0xD0, 0x20, 0x20));
    p.drawEllipse(QPointF(16, 11), 6, 6);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 11), 2, 2);
    return image;
}

// The About page's banner: the sun low over the sea, a theodolite sighting it.
QImage AboutBanner()
{
    QImage image(400, 72, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 52);
    sky.setColorAt(0, QColor(0x1E, 0x3C, 0x78));
    sky.setColorAt(1, QColor(0xF0, 0xA0, 0x50));
    p.fillRect(0, 0, 400, 52, sky);
    p.fillRect(0, 52, 400, 20, QColor(0x20, 0x50, 0x80));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xD8, 0x40));
    p.drawEllipse(QPointF(300, 40), 16, 16);
    p.setPen(QPen(Qt::white, 1.5, Qt::DashLine));
    p.drawLine(QPointF(60, 50), QPointF(300, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x20, 0x20));
    p.drawRect(QRectF(52, 44, 14, 10));
    p.setPen(Qt::white);
    QFont font("Tahoma", 20, QFont::Bold);
    p.setFont(font);
    p.drawText(QRectF(90, 4, 200, 40), Qt::AlignLeft | Qt::AlignVCenter, "Orbisol");
    return image;
}

const BITMAP_ENTRY kPictures[] = {
    {IDI_ORBISOL_SUN, nullptr, &SunIcon},
    {IDI_ORBISOL_RO, nullptr, &ROIcon},
    {IDB_ORBISOL_ABOUT, nullptr, &AboutBanner},
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

#include "zuduzuro/ui/PaneResources.h"

#include "platform/ui/Resources.h"

#include <QPainter>
#include <QPainterPath>

namespace
{
// A small anchor: ring, shank, stock and flukes, in the colour given.
void DrawAnchor(QPainter& p, int left, const QColor& colour)
{
    p.setPen(QPen(colour, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(left + 8.0, 3.0), 1.8, 1.8);
    p.drawLine(QPointF(left + 8.0, 5.0), QPointF(left + 8.0, 14.0));
    p.drawLine(QPointF(left + 5.0, 6.5), QPointF(left + 11.0, 6.5));
    QPainterPath flukes;
    flukes.moveTo(left + 2.5, 10.0);
    flukes.quadTo(left + 3.5, 14.5, left + 8.0, 14.5);
    flukes.quadTo(left + 12.5, 14.5, left + 13.5, 10.0);
    p.drawPath(flukes);
}

QImage DrawStatusStrip()
{
    QImage strip(kStatusImageSize * kStatusImageCount, kStatusImageSize, QImage::Format_RGB32);
    strip.fill(Qt::white);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Racked: grey, on its rack (a bar under it).
    DrawAnchor(p, 0, QColor(0x70, 0x70, 0x70));
    p.fillRect(QRectF(1, 15, 14, 1), QColor(0x70, 0x70, 0x70));
    // Live: orange, hanging from a line.
    DrawAnchor(p, 16, QColor(0xE0, 0x70, 0x00));
    // On Bottom: dark green, on a seabed line.
    DrawAnchor(p, 32, QColor(0x00, 0x80, 0x00));
    p.fillRect(QRectF(32, 15, 16, 1), QColor(0x80, 0x50, 0x20));
    // Planned: blue, dashed.
    p.setPen(QPen(QColor(0x00, 0x40, 0xE0), 1.6, Qt::DashLine));
    p.drawEllipse(QPointF(56.0, 8.0), 6.0, 6.0);
    p.drawLine(QPointF(52.0, 8.0), QPointF(60.0, 8.0));
    p.drawLine(QPointF(56.0, 4.0), QPointF(56.0, 12.0));
    return strip;
}

const BITMAP_ENTRY kPictures[] = {{IDB_ANCHOR_STATUS, nullptr, &DrawStatusStrip}};
} // namespace

QImage AnchorStatusStrip()
{
    return DrawStatusStrip();
}

void RegisterPaneResources()
{
    static const bool registered = [] {
        AfxRegisterBitmaps("Zuduzuro Panes", kPictures, sizeof kPictures / sizeof kPictures[0]);
        return true;
    }();
    (void)registered;
}

#include "zuduzuro/ui/ZuduzuroResources.h"

#include "platform/ui/Dc.h"
#include "platform/ui/GdiObject.h"

#include <QPainter>
#include <QPixmap>
#include <QPainterPath>

namespace
{
// Draws one symbol into its cell twice: in colour on black in the top row, and in black on
// white in the mask row below.
template <class DRAW> void Cell(QPainter& painter, int left, DRAW draw)
{
    for (bool isMask : {false, true})
    {
        painter.save();
        painter.translate(left, isMask ? 32 : 0);
        draw(painter, isMask);
        painter.restore();
    }
}

QColor Or(bool isMask, const QColor& colour)
{
    return isMask ? QColor(Qt::black) : colour;
}

void Anchor(QPainter& p, bool isMask, const QColor& colour)
{
    p.setPen(QPen(Or(isMask, colour), 3));
    p.setBrush(Qt::NoBrush);
    p.drawLine(16, 4, 16, 27);       // shank
    p.drawLine(9, 8, 23, 8);         // stock
    p.drawEllipse(QPoint(16, 3), 2, 2);
    QPainterPath crown;
    crown.moveTo(5, 18);
    crown.quadTo(8, 28, 16, 28);
    crown.quadTo(24, 28, 27, 18);
    p.drawPath(crown);
    p.drawLine(5, 18, 3, 21);
    p.drawLine(27, 18, 29, 21);
}

void Buoy(QPainter& p, bool isMask, const QColor& body, const QColor& band)
{
    p.setPen(QPen(Or(isMask, Qt::black), 1));
    p.setBrush(Or(isMask, body));
    p.drawEllipse(QRect(6, 10, 20, 20));
    p.setBrush(Or(isMask, band));
    p.drawRect(QRect(6, 18, 20, 4));
    p.setPen(QPen(Or(isMask, Qt::black), 2));
    p.drawLine(16, 2, 16, 10); // the mast
}
} // namespace

namespace
{
QImage DrawSymbolStrip()
{
    QImage strip(kSymbolStripWidth, kSymbolStripHeight, QImage::Format_RGB32);
    strip.fill(Qt::white);
    {
        QPainter black(&strip);
        black.fillRect(QRect(0, 0, kSymbolStripWidth, 32), Qt::black);
    }
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing, false);
    Cell(painter, SYMBOL_ANCHOR, [](QPainter& p, bool m) { Anchor(p, m, QColor(0, 0, 0x80)); });
    Cell(painter, SYMBOL_BUOY, [](QPainter& p, bool m) { Buoy(p, m, QColor(0xFF, 0xFF, 0), QColor(0xFF, 0, 0)); });
    Cell(painter, SYMBOL_LIVE_ANCHOR, [](QPainter& p, bool m) { Anchor(p, m, QColor(0xFF, 0x80, 0)); });
    Cell(painter, SYMBOL_SECOND, [](QPainter& p, bool m) {
        // A marker flag standing over the anchor.
        p.setPen(QPen(Or(m, Qt::black), 2));
        p.drawLine(10, 4, 10, 31);
        p.setBrush(Or(m, QColor(0xFF, 0, 0)));
        p.setPen(QPen(Or(m, QColor(0xFF, 0, 0)), 1));
        p.drawPolygon(QPolygon({QPoint(11, 4), QPoint(27, 10), QPoint(11, 16)}));
    });
    Cell(painter, SYMBOL_FLAGGED_BUOY,
         [](QPainter& p, bool m) { Buoy(p, m, QColor(0xFF, 0x80, 0), QColor(0xFF, 0xFF, 0xFF)); });
    return strip;
}
} // namespace

QImage SymbolStripImage()
{
    // Drawn once, as a resource is built once: every paint of the side view loads it.
    static const QImage strip = DrawSymbolStrip();
    return strip;
}

QIcon ZuduzuroIcon()
{
    const QImage strip = SymbolStripImage();
    QImage anchor = strip.copy(SYMBOL_ANCHOR, 0, 32, 32).convertToFormat(QImage::Format_ARGB32);
    const QImage mask = strip.copy(SYMBOL_ANCHOR, 32, 32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (qGray(mask.pixel(x, y)) > 127)
                anchor.setPixel(x, y, qRgba(0, 0, 0, 0));
    QIcon icon;
    for (int size : {32, 64, 128})
        icon.addPixmap(QPixmap::fromImage(anchor.scaled(size, size, Qt::KeepAspectRatio, Qt::FastTransformation)));
    return icon;
}

namespace
{
bool LoadStripBitmap(CBitmap& bitmap, CDC* dc, const QImage& strip)
{
    CDC memory;
    memory.CreateCompatibleDC(dc);
    if (!bitmap.CreateCompatibleBitmap(&memory, strip.width(), strip.height()))
        return false;
    CBitmap* old = memory.SelectObject(&bitmap);
    if (QPainter* painter = memory.GetPainter())
        painter->drawImage(0, 0, strip);
    memory.SelectObject(old);
    return true;
}
} // namespace

bool LoadSymbolStrip(CBitmap& bitmap, CDC* dc)
{
    return LoadStripBitmap(bitmap, dc, SymbolStripImage());
}

bool LoadKeyedSymbolStrip(CBitmap& bitmap, CDC* dc)
{
    const QImage strip = SymbolStripImage();
    QImage keyed = strip.copy(0, 0, kSymbolStripWidth, 32);
    const QRgb key = qRgb(GetRValue(kSymbolKey), GetGValue(kSymbolKey), GetBValue(kSymbolKey));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < kSymbolStripWidth; ++x)
            if (qGray(strip.pixel(x, y + 32)) > 127)
                keyed.setPixel(x, y, key);
    return LoadStripBitmap(bitmap, dc, keyed);
}

QImage VerticalOffsetPicture()
{
    QImage picture(320, 200, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Water.
    p.fillRect(QRect(0, 120, 320, 80), QColor(0x80, 0xC0, 0xFF));
    p.setPen(QPen(QColor(0, 0, 0x80), 2));
    p.drawLine(0, 120, 320, 120);
    // The barge, its deck above the water.
    p.setBrush(QColor(0x80, 0x80, 0x80));
    p.setPen(QPen(Qt::black, 1));
    p.drawPolygon(QPolygon({QPoint(40, 90), QPoint(240, 90), QPoint(225, 140), QPoint(55, 140)}));
    // The fairlead and its height over the water line.
    p.setBrush(QColor(0xFF, 0, 0));
    p.drawEllipse(QPoint(235, 95), 5, 5);
    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    p.drawLine(235, 95, 300, 95);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(290, 95, 290, 120);
    p.drawLine(285, 100, 290, 95);
    p.drawLine(295, 100, 290, 95);
    p.drawLine(285, 115, 290, 120);
    p.drawLine(295, 115, 290, 120);
    p.setFont(QFont("DejaVu Sans", 9));
    p.drawText(QPoint(40, 30), "Vertical Offset");
    p.drawText(QPoint(245, 86), "Fairlead");
    p.drawText(QPoint(20, 135), "Water line");
    return picture;
}

QImage CatenaryPicture()
{
    QImage picture(320, 160, QImage::Format_RGB32);
    picture.fill(QColor(0xC8, 0xE6, 0xFF));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Sea, seabed and the barge on the surface.
    p.fillRect(QRect(0, 40, 320, 120), QColor(0x40, 0x80, 0xC0));
    QPainterPath seabed;
    seabed.moveTo(0, 150);
    seabed.cubicTo(80, 140, 200, 132, 320, 128);
    seabed.lineTo(320, 160);
    seabed.lineTo(0, 160);
    p.fillPath(seabed, QColor(0xC0, 0xA0, 0x60));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(0x70, 0x70, 0x70));
    p.drawPolygon(QPolygon({QPoint(10, 30), QPoint(90, 30), QPoint(82, 46), QPoint(18, 46)}));
    // The cable: from the fairlead down in a catenary to the anchor on the seabed.
    QPainterPath cable;
    cable.moveTo(88, 38);
    cable.cubicTo(130, 120, 200, 131, 280, 129);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xFF, 0xFF, 0), 2));
    p.drawPath(cable);
    p.setPen(QPen(QColor(0, 0, 0x80), 3));
    p.drawLine(280, 118, 280, 130);
    p.drawLine(273, 130, 287, 130);
    return picture;
}

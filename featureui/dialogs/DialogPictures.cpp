#include "featureui/dialogs/DialogPictures.h"

#include "featureui/dialogs/GpxWindFarmResources.h"
#include "featureui/dialogs/ShapeFileSelectorResources.h"
#include "platform/ui/Resources.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>

namespace
{
constexpr int kFrame = 16;

// A turbine seen from ahead: tower, nacelle and three blades, white where nothing is drawn so
// that the image list's mask leaves the row's colour there.
void DrawTurbine(QPainter& p, int left, const QColor& blades)
{
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.drawLine(left + 8, 8, left + 8, 15);
    p.drawLine(left + 6, 15, left + 10, 15);
    p.setPen(QPen(blades, 2));
    p.drawLine(left + 8, 7, left + 8, 1);
    p.drawLine(left + 8, 7, left + 3, 10);
    p.drawLine(left + 8, 7, left + 13, 10);
    p.fillRect(left + 7, 6, 3, 3, QColor(0x20, 0x20, 0x20));
}

// Four frames: a turbine in service, one with a light, one out of service and a substation.
QImage TurbineStrip()
{
    QImage image(4 * kFrame, kFrame, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    DrawTurbine(p, 0, QColor(0x60, 0x60, 0x60));
    DrawTurbine(p, kFrame, QColor(0xE0, 0xB0, 0x00));
    DrawTurbine(p, 2 * kFrame, QColor(0xD0, 0x20, 0x20));
    p.fillRect(3 * kFrame + 3, 5, 10, 8, QColor(0x20, 0x60, 0xC0));
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawRect(3 * kFrame + 3, 5, 9, 7);
    p.drawLine(3 * kFrame + 8, 13, 3 * kFrame + 8, 15);
    return image;
}

// A shape: a filled outline with its vertices marked.
QImage ShapeSymbol()
{
    QImage image(kFrame, kFrame, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    const QPolygon outline({QPoint(2, 12), QPoint(5, 3), QPoint(12, 2), QPoint(14, 9), QPoint(8, 14)});
    p.setPen(QPen(QColor(0x00, 0x50, 0x90), 1));
    p.setBrush(QColor(0x80, 0xC0, 0x80));
    p.drawPolygon(outline);
    for (const QPoint& vertex : outline)
        p.fillRect(vertex.x() - 1, vertex.y() - 1, 2, 2, QColor(0x90, 0x00, 0x00));
    return image;
}

const BITMAP_ENTRY kPictures[] = {
    {IDB_WIND_TURBINES, nullptr, &TurbineStrip},
    {IDB_SHAPE_FILES, nullptr, &ShapeSymbol},
};
} // namespace

void RegisterDialogPictures()
{
    static const bool registered = [] {
        AfxRegisterBitmaps("Tolvar Dialog Pictures", kPictures, sizeof kPictures / sizeof kPictures[0]);
        return true;
    }();
    (void)registered;
}

#include "geodetic/GeodeticIcon.h"

#include "outside/gps/SatellitePane.h"
#include "platform/ui/Dc.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <iterator>

namespace
{
// The sky plot as the constellation pane draws it, with a fixed set of satellites.
class CIconSky : public CSatellitePane
{
public:
    CIconSky()
    {
        const SatelliteDef sky[] = {
            {3, 70, 40, 45, 1}, {6, 35, 120, 40, 1}, {12, 50, 215, 44, 1}, {19, 25, 290, 38, 1}, {25, 15, 20, 30, 0}};
        m_Satellites.assign(std::begin(sky), std::end(sky));
    }
};
} // namespace

QIcon GeodeticIcon()
{
    QIcon icon;
    CIconSky sky;
    for (int size : {48, 64, 128, 256})
    {
        QImage image(size, size, QImage::Format_RGB32);
        {
            QPainter painter(&image);
            CDC dc;
            if (dc.Attach(&painter))
                sky.Draw(&dc, CRect(0, 0, size, size));
        }
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

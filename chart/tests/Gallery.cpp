#include "Gallery.h"

#include "platform/ui/Colour.h"

#include <QDir>

#ifndef SUITE_VISUAL_DIR
#define SUITE_VISUAL_DIR "visual/chart"
#endif

GalleryCanvas::GalleryCanvas(CDC& dc, int width_, int height_, COLORREF ground)
    : width(width_), height(height_), m_Dc(dc)
{
    m_Dc.CreateCompatibleDC(nullptr);
    m_Bitmap.CreateCompatibleBitmap(&m_Dc, width, height);
    m_Previous = m_Dc.SelectObject(&m_Bitmap);
    m_Dc.FillSolidRect(0, 0, width, height, ground);
}

GalleryCanvas::~GalleryCanvas()
{
    if (m_Previous)
        m_Dc.SelectObject(m_Previous);
}

QImage GalleryCanvas::Image() const
{
    return m_Bitmap.ToImage();
}

COLORREF GalleryCanvas::At(int x, int y) const
{
    const QImage image = Image();
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return CLR_INVALID;
    return ColorRefFromQRgb(image.pixel(x, y));
}

QString GalleryCanvas::PathOf(const char* name)
{
    return QString(SUITE_VISUAL_DIR) + "/" + name + ".png";
}

bool GalleryCanvas::Save(const char* name) const
{
    return QDir().mkpath(SUITE_VISUAL_DIR) && Image().save(PathOf(name), "PNG");
}

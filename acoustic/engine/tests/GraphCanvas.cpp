#include "acoustic/engine/tests/GraphCanvas.h"

#include "acoustic/engine/GraphLabelFormat.h"
#include "platform/ui/Colour.h"

#include <QDir>

#ifndef SUITE_VISUAL_DIR
#define SUITE_VISUAL_DIR "visual/acoustic"
#endif

GraphCanvas::GraphCanvas(int width, int height, COLORREF ground)
{
    dc.CreateCompatibleDC(nullptr);
    m_Bitmap.CreateCompatibleBitmap(&dc, width, height);
    m_OldBitmap = dc.SelectObject(&m_Bitmap);
    dc.FillSolidRect(0, 0, width, height, ground);
    CGraphLabelFormat defaults;
    font.CreateFontIndirect(&CGraphLabelFormat::defaultLabelFont);
    m_OldFont = dc.SelectObject(&font);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    a = tm.tmAveCharWidth;
    h = tm.tmHeight;
}

GraphCanvas::~GraphCanvas()
{
    if (m_OldFont)
        dc.SelectObject(m_OldFont);
    if (m_OldBitmap)
        dc.SelectObject(m_OldBitmap);
}

QImage GraphCanvas::Image() const
{
    return m_Bitmap.ToImage();
}

COLORREF GraphCanvas::At(int x, int y) const
{
    const QImage image = Image();
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return CLR_INVALID;
    return ColorRefFromQRgb(image.pixel(x, y));
}

int GraphCanvas::Count(const QRect& box, COLORREF colour) const
{
    const QImage image = Image();
    int n = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (image.rect().contains(x, y) && ColorRefFromQRgb(image.pixel(x, y)) == colour)
                ++n;
    return n;
}

int GraphCanvas::CountOther(const QRect& box, COLORREF colour) const
{
    const QImage image = Image();
    int n = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (image.rect().contains(x, y) && ColorRefFromQRgb(image.pixel(x, y)) != colour)
                ++n;
    return n;
}

QRect GraphCanvas::Bounds(COLORREF colour) const
{
    const QImage image = Image();
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (ColorRefFromQRgb(image.pixel(x, y)) == colour)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

bool GraphCanvas::Save(const char* name) const
{
    return QDir().mkpath(SUITE_VISUAL_DIR) &&
           Image().save(QString(SUITE_VISUAL_DIR) + "/" + name + ".png", "PNG");
}

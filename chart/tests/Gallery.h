// The chart gallery: canned scenes drawn through the platform's drawing context on a bitmap of
// fixed size (no antialiasing), each written as a PNG under the build folder (visual/chart/)
// for a person to look at, and checked by probing pixels at positions the test computes.
#pragma once

#include "platform/ui/Dc.h"
#include "platform/ui/GdiObject.h"

#include <QImage>
#include <QString>

class GalleryCanvas
{
public:
    // Selects a width × height bitmap filled with `ground` into `dc` (a context not yet made).
    GalleryCanvas(CDC& dc, int width, int height, COLORREF ground);
    ~GalleryCanvas();
    GalleryCanvas(const GalleryCanvas&) = delete;
    GalleryCanvas& operator=(const GalleryCanvas&) = delete;

    // The picture drawn so far, and its pixel at (x, y) as a colour (CLR_INVALID outside).
    QImage Image() const;
    COLORREF At(int x, int y) const;
    // Writes the picture as visual/chart/<name>.png; true when the file was written.
    bool Save(const char* name) const;
    static QString PathOf(const char* name);

    const int width;
    const int height;

private:
    CDC& m_Dc;
    CBitmap m_Bitmap;
    CBitmap* m_Previous = nullptr;
};

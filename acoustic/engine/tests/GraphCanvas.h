// A bitmap to draw graphs on: a memory context with a fixed font (the graph engine's default
// label font), its measured character width and line height, and pixel probes.
#pragma once

#include "platform/ui/Dc.h"
#include "platform/ui/GdiObject.h"

#include <QImage>
#include <QRect>

class GraphCanvas
{
public:
    GraphCanvas(int width, int height, COLORREF ground = 0xFFFFFF);
    ~GraphCanvas();
    GraphCanvas(const GraphCanvas&) = delete;
    GraphCanvas& operator=(const GraphCanvas&) = delete;

    QImage Image() const;
    // The pixel at (x, y); CLR_INVALID outside the bitmap.
    COLORREF At(int x, int y) const;
    // Pixels of `colour` within the rectangle (right and bottom excluded).
    int Count(const QRect& box, COLORREF colour) const;
    // Pixels other than `colour` within the rectangle.
    int CountOther(const QRect& box, COLORREF colour) const;
    // The bounds of the pixels of `colour` (empty when there are none).
    QRect Bounds(COLORREF colour) const;
    // Writes visual/acoustic/<name>.png under the build folder.
    bool Save(const char* name) const;

    CDC dc;
    CFont font;
    int a = 0; // average character width
    int h = 0; // line height

private:
    CBitmap m_Bitmap;
    CBitmap* m_OldBitmap = nullptr;
    CFont* m_OldFont = nullptr;
};

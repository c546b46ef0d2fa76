// A memory context on a white bitmap, and ways to read back what was drawn.
#pragma once

#include "platform/ui/Dc.h"

#include <QImage>

#include <string>

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

struct Canvas
{
    CDC dc;
    CBitmap bitmap;
    CBitmap* previous = nullptr;

    Canvas(int width, int height, COLORREF fill = kWhite)
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, width, height);
        previous = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, fill);
        dc.SetBkColor(kWhite);
    }
    ~Canvas()
    {
        if (previous)
            dc.SelectObject(previous);
    }

    COLORREF At(int x, int y) const { return dc.GetPixel(x, y); }

    // One character a pixel: '#' black, '.' white, 'o' anything else.
    std::string Row(int y, int x0, int x1) const
    {
        std::string row;
        for (int x = x0; x <= x1; ++x)
        {
            const COLORREF c = At(x, y);
            row += c == kBlack ? '#' : (c == kWhite ? '.' : 'o');
        }
        return row;
    }
    std::string Column(int x, int y0, int y1) const
    {
        std::string column;
        for (int y = y0; y <= y1; ++y)
        {
            const COLORREF c = At(x, y);
            column += c == kBlack ? '#' : (c == kWhite ? '.' : 'o');
        }
        return column;
    }

    // The smallest rectangle holding every pixel of the colour (empty when there is none).
    CRect BoundsOf(COLORREF colour) const
    {
        const QImage image = bitmap.ToImage();
        int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) ==
                    (qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour)) & 0xFFFFFF))
                {
                    left = std::min(left, x);
                    top = std::min(top, y);
                    right = std::max(right, x + 1);
                    bottom = std::max(bottom, y + 1);
                }
        return left == INT_MAX ? CRect() : CRect(left, top, right, bottom);
    }
    // The bounds of everything that is not white.
    CRect Ink() const
    {
        const QImage image = bitmap.ToImage();
        int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                {
                    left = std::min(left, x);
                    top = std::min(top, y);
                    right = std::max(right, x + 1);
                    bottom = std::max(bottom, y + 1);
                }
        return left == INT_MAX ? CRect() : CRect(left, top, right, bottom);
    }
    int Count(COLORREF colour) const
    {
        const QImage image = bitmap.ToImage();
        const QRgb want = qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour)) & 0xFFFFFF;
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += (image.pixel(x, y) & 0xFFFFFF) == want;
        return n;
    }
};

// A picture in many colours, so that raster operations that go wrong show.
inline void PaintGradient(CDC& dc, int width, int height)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            dc.SetPixel(x, y, RGB(x * 255 / width, y * 255 / height, (x * y) % 256));
}

// A CMyDC drawing on a bitmap of one colour, shared by the drawing context's tests.
#pragma once

#include "foundation/MyDC.h"

#include <QImage>

#include <algorithm>
#include <climits>

namespace
{
const COLORREF kWhite = 0xFFFFFF;
const COLORREF kBlack = 0x000000;
const COLORREF kSilver = 0xC0C0C0;

// A CMyDC drawing on a bitmap of one colour, which is also its background colour.
struct Sheet
{
    CMyDC dc;
    CBitmap bitmap;
    CBitmap* previous = nullptr;

    Sheet(int width, int height, COLORREF ground = kSilver)
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, width, height);
        previous = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, ground);
        dc.backgroundColour = ground;
    }
    ~Sheet()
    {
        if (previous)
            dc.SelectObject(previous);
    }

    COLORREF At(int x, int y) const { return dc.GetPixel(x, y); }
    QImage Image() const { return bitmap.ToImage(); }

    // The smallest rectangle holding every pixel of the colour; empty when there is none.
    CRect BoundsOf(COLORREF colour) const
    {
        const QImage image = Image();
        const QRgb want = qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour)) & 0xFFFFFF;
        int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) == want)
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
        const QImage image = Image();
        const QRgb want = qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour)) & 0xFFFFFF;
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += (image.pixel(x, y) & 0xFFFFFF) == want;
        return n;
    }
};

} // namespace

// A chart view whose plot draws on a gallery canvas of 640 × 480 at 1:5000 (0.8 pixels a
// metre on a 4-pixels-a-millimetre screen), the grid origin at the centre and no grid drawn,
// with probes that read the picture once each.
#pragma once

#include "Gallery.h"

#include "chart/view/GridView.h"
#include "platform/ui/Colour.h"

#include <gtest/gtest.h>

#include <memory>

namespace ViewGallery
{
constexpr COLORREF kGround = 0x402010;
constexpr COLORREF kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF;
constexpr COLORREF kLabelBox = 0xE7FFFF;
constexpr double kOriginE = 1000.0, kOriginN = 2000.0;

// A chart view whose plot draws on a 640 × 480 canvas at 1:5000 (0.8 pixels a metre), the
// grid origin at the centre and no grid drawn.
class ViewGalleryFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CDC::SetScreenSize(1000, 800);
        CDC::SetPixelsPerMillimetre(4.0);
        view = std::make_unique<CGridView>();
        CGridPlot& plot = *view->GetPlot();
        plot.scaleIndex = 14;
        plot.tickMode = TICK_NONE;
        plot.originE = kOriginE;
        plot.originN = kOriginN;
        NewCanvas();
        plot.DrawGrid(CRect(0, 0, 640, 480));
        NewCanvas(); // without the scale text
    }
    void TearDown() override
    {
        canvas.reset();
        view.reset();
        CGridView::SetEditMode(EDIT_NONE);
        CDC::SetPixelsPerMillimetre(0.0);
        CDC::SetScreenSize(0, 0);
    }
    void NewCanvas()
    {
        canvas.reset();
        view->GetPlot()->DeleteDC();
        canvas = std::make_unique<GalleryCanvas>(*view->GetPlot(), 640, 480, kGround);
        view->GetPlot()->backgroundColour = kGround;
    }
    // The screen point of a grid point given from the origin (metres).
    POINT At(double dE, double dN) const { return view->GetPlot()->GridToScreenPoint(kOriginE + dE, kOriginN + dN); }
    // The probes read one copy of the picture each.
    static COLORREF Pixel(const QImage& image, int x, int y)
    {
        return image.valid(x, y) ? ColorRefFromQRgb(image.pixel(x, y)) : CLR_INVALID;
    }
    bool Near(POINT p, COLORREF colour, int reach = 1) const
    {
        const QImage image = canvas->Image();
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
                if (Pixel(image, p.x + dx, p.y + dy) == colour)
                    return true;
        return false;
    }
    bool Drawn(POINT p, int reach = 1) const
    {
        const QImage image = canvas->Image();
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
                if (Pixel(image, p.x + dx, p.y + dy) != kGround)
                    return true;
        return false;
    }
    // Pixels of `colour` within the rectangle.
    int Count(const CRect& area, COLORREF colour) const
    {
        const QImage image = canvas->Image();
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                n += Pixel(image, x, y) == colour;
        return n;
    }
    int CountAll(COLORREF colour) const { return Count(CRect(0, 0, 640, 480), colour); }

    std::unique_ptr<CGridView> view;
    std::unique_ptr<GalleryCanvas> canvas;
};

// Lists in these scenes hold objects of the test, never deleted by the lists.
template <class List> struct Borrowed
{
    List list;
    ~Borrowed() { list.RemoveAll(); }
};
} // namespace

// A chart plot drawing on a gallery canvas at an injected device resolution: 1000 pixels
// across 250 mm, so 4000 device pixels per metre and, at scale index 16 (1:10 000), 0.4
// pixels per grid metre.
#pragma once

#include "Gallery.h"

#include "chart/plot/GridPlot.h"
#include "platform/ui/Colour.h"

#include <gtest/gtest.h>

#include <memory>

class PlotFixture : public ::testing::Test
{
protected:
    static constexpr COLORREF kGround = 0x402010;

    void SetUp() override
    {
        CDC::SetScreenSize(1000, 800);
        CDC::SetPixelsPerMillimetre(4.0);
        plot = std::make_unique<CGridPlot>();
        canvas = std::make_unique<GalleryCanvas>(*plot, 640, 480, kGround);
        plot->backgroundColour = kGround;
    }
    // A fresh picture for the next scene.
    void NewCanvas()
    {
        canvas.reset();
        plot->DeleteDC();
        canvas = std::make_unique<GalleryCanvas>(*plot, 640, 480, kGround);
    }
    // A plot of that scale, without ticks, centred on (e, n), on a fresh picture that holds
    // nothing of the frame but the ground.
    void PlaceFrame(int scale, double e, double n)
    {
        plot->scaleIndex = scale;
        plot->tickMode = TICK_NONE;
        plot->originE = e;
        plot->originN = n;
        plot->DrawGrid(plotRect);
        NewCanvas();
    }
    // Whether a pixel of `colour` lies within `reach` pixels of p: a line's pixels may fall
    // either side of the exact point.
    static bool NearColour(const QImage& image, POINT p, COLORREF colour, int reach = 1)
    {
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
                if (image.valid(p.x + dx, p.y + dy) && ColorRefFromQRgb(image.pixel(p.x + dx, p.y + dy)) == colour)
                    return true;
        return false;
    }
    void TearDown() override
    {
        canvas.reset();
        plot.reset();
        CDC::SetPixelsPerMillimetre(0.0);
        CDC::SetScreenSize(0, 0);
    }

    std::unique_ptr<CGridPlot> plot;
    std::unique_ptr<GalleryCanvas> canvas;
    const CRect plotRect{0, 0, 640, 480};
};

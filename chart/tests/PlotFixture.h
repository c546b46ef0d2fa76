// A chart plot drawing on a gallery canvas at an injected device resolution: 1000 pixels
// across 250 mm, so 4000 device pixels per metre and, at scale index 16 (1:10 000), 0.4
// pixels per grid metre.
#pragma once

#include "Gallery.h"

#include "chart/GridPlot.h"

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

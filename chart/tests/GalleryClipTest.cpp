// Gallery scene "clip": polygons cut to a view rectangle and filled, as the chart fills areas.
// Inside the view every probed pixel of a polygon has its fill; outside it, the ground.
#include "Gallery.h"

#include "platform/ui/Colour.h"

#include "chart/geometry/ClipPolygon.h"
#include "chart/geometry/PointInPolygon.h"

#include <gtest/gtest.h>

#include <QFile>

#include <cfloat>
#include <cmath>
#include <vector>

namespace
{
constexpr COLORREF kGround = 0xFFFFFF;
constexpr COLORREF kViewFrame = 0x808080;

struct Area
{
    std::vector<tagXY> outline;
    COLORREF fill;
};

// Fills each piece of a clip result in `colour`, outline included.
void FillPieces(CDC& dc, const tagXY* points, int count, COLORREF colour)
{
    CBrush brush(colour);
    CPen pen(PS_SOLID, 1, colour);
    CBrush* oldBrush = dc.SelectObject(&brush);
    CPen* oldPen = dc.SelectObject(&pen);
    std::vector<POINT> piece;
    for (int i = 0; i < count; ++i)
    {
        if (points[i].x == DBL_MAX)
        {
            dc.Polygon(piece.data(), static_cast<int>(piece.size()));
            piece.clear();
            continue;
        }
        piece.push_back({static_cast<LONG>(std::lround(points[i].x)), static_cast<LONG>(std::lround(points[i].y))});
    }
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

// Distance from (x, y) to the nearest edge of a closed outline.
double DistanceToOutline(double x, double y, const std::vector<tagXY>& outline)
{
    double best = DBL_MAX;
    for (size_t i = 0; i < outline.size(); ++i)
    {
        const tagXY& a = outline[i];
        const tagXY& b = outline[(i + 1) % outline.size()];
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double length2 = dx * dx + dy * dy;
        double t = length2 > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / length2 : 0.0;
        t = std::fmax(0.0, std::fmin(1.0, t));
        best = std::fmin(best, std::hypot(x - (a.x + t * dx), y - (a.y + t * dy)));
    }
    return best;
}

// Clips and fills the areas inside the view (given as the chart gives it, five points) on a
// framed canvas, saves the scene, and probes it: inside the view every pixel of an area (two
// pixels clear of its outline and the view's) has its fill, outside the view the ground.
void ExpectSceneFillsOnlyTheVisibleParts(const char* scene, const std::vector<tagXY>& view,
                                         const std::vector<Area>& areas, int leastFilled, int leastUntouched)
{
    const std::vector<tagXY> viewOutline(view.begin(), view.end() - 1);
    CDC dc;
    GalleryCanvas canvas(dc, 320, 240, kGround);
    CBrush frame(kViewFrame);
    const CRect viewRect(static_cast<int>(view[0].x) - 1, static_cast<int>(view[0].y) - 1,
                         static_cast<int>(view[2].x) + 2, static_cast<int>(view[2].y) + 2);
    dc.FrameRect(&viewRect, &frame);
    for (const Area& area : areas)
    {
        tagXY* pieces = nullptr;
        int count = 0;
        ASSERT_EQ(ClipPolygon(view.data(), 5, area.outline.data(), static_cast<int>(area.outline.size()), &pieces,
                              &count, 0.001),
                  1);
        FillPieces(dc, pieces, count, area.fill);
        FreeClipResult(&pieces);
    }
    ASSERT_TRUE(canvas.Save(scene));
    ASSERT_TRUE(QFile::exists(GalleryCanvas::PathOf(scene)));

    const QImage image = canvas.Image();
    auto at = [&image](int x, int y) { return ColorRefFromQRgb(image.pixel(x, y)); };
    int filled = 0, untouched = 0;
    for (const Area& area : areas)
        for (int y = 2; y < canvas.height - 2; y += 3)
            for (int x = 2; x < canvas.width - 2; x += 3)
            {
                // Pixels at least two away from both outlines, whose side is then certain.
                const double cx = x + 0.5, cy = y + 0.5;
                if (!PointInPolygon(cx, cy, area.outline.data(), static_cast<int>(area.outline.size())) ||
                    DistanceToOutline(cx, cy, area.outline) < 2.0 || DistanceToOutline(cx, cy, viewOutline) < 3.0)
                    continue;
                if (PointInPolygon(cx, cy, viewOutline.data(), 4))
                {
                    EXPECT_EQ(at(x, y), area.fill) << scene << " " << x << ", " << y;
                    ++filled;
                }
                else
                {
                    EXPECT_EQ(at(x, y), kGround) << scene << " " << x << ", " << y;
                    ++untouched;
                }
            }
    EXPECT_GT(filled, leastFilled) << scene;
    EXPECT_GT(untouched, leastUntouched) << scene;
}
} // namespace

TEST(Gallery, ClipSceneFillsOnlyTheVisibleParts)
{
    const double left = 60, top = 40, right = 260, bottom = 200;
    const std::vector<tagXY> view = {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
    // A comb over the top edge (three pieces), a star over the right-hand corner, a triangle
    // wholly inside and a square wholly outside.
    const std::vector<Area> areas = {
        {{{80, 10}, {180, 10}, {180, 90}, {160, 90}, {160, 25}, {145, 25}, {145, 90}, {125, 90}, {125, 25},
          {110, 25}, {110, 90}, {80, 90}},
         0x0000C0},
        {{{300, 150}, {250, 180}, {230, 230}, {215, 170}, {180, 150}, {225, 140}, {240, 95}, {255, 140}}, 0xC00000},
        {{{80, 120}, {140, 110}, {100, 185}}, 0x008000},
        {{{270, 20}, {310, 20}, {310, 60}, {270, 60}}, 0x00A0A0},
    };
    ExpectSceneFillsOnlyTheVisibleParts("clip", view, areas, 500, 300);
}

TEST(Gallery, ClipSceneOfAreasOnTheViewEdges)
{
    // Areas that meet the view's edges exactly: a triangle whose base runs along the bottom
    // edge past the corner and whose apex stands on the top edge; a U whose notch reaches down to the bottom edge from outside (two pieces); a
    // square touching the left edge from outside along a run of it; a diamond touching the
    // top edge from outside at one point.
    const double left = 60, top = 40, right = 260, bottom = 200;
    const std::vector<tagXY> view = {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
    const std::vector<Area> areas = {
        {{{20, bottom}, {130, bottom}, {75, top}}, 0x0000C0},
        {{{150, 230}, {250, 230}, {250, 150}, {215, 150}, {215, bottom}, {185, bottom}, {185, 150}, {150, 150}},
         0x008000},
        {{{10, 60}, {left, 60}, {left, 100}, {10, 100}}, 0x00A0A0},
        {{{200, 5}, {215, 20}, {200, top}, {185, 20}}, 0xC00000},
    };
    ExpectSceneFillsOnlyTheVisibleParts("clip-edges", view, areas, 400, 100);
}

// Gallery scenes of the chart plot: the grid in each tick mode, turned and north-up, its
// labels, the north arrow, and grid-space polygons and arcs. Pixels are probed where the
// plot's own transform puts the grid.
#include "PlotFixture.h"

#include "platform/ui/Colour.h"

#include <cmath>
#include <functional>
#include <vector>

namespace
{
constexpr COLORREF kGridColour = 0x00FF00;
constexpr COLORREF kWhite = 0xFFFFFF;

class GalleryGrid : public PlotFixture
{
protected:
    void Draw(int tickMode, bool northUp, int orientation, int angleOffset)
    {
        plot->scaleIndex = 16; // 500 m spacing, 0.4 px/m
        plot->originE = 1100.0;
        plot->originN = 2150.0;
        plot->tickMode = tickMode;
        plot->northUp = northUp;
        plot->angleOffset = angleOffset;
        plot->SetOrientation(orientation);
        plot->DrawGrid(plotRect);
        image = canvas->Image();
    }
    COLORREF At(int x, int y) const { return ColorRefFromQRgb(image.pixel(x, y)); }
    // Whether a pixel of `colour` lies within `reach` pixels of (x, y): a line's pixels may
    // fall either side of the exact point.
    bool Near(double x, double y, COLORREF colour, int reach = 1) const
    {
        const int cx = static_cast<int>(std::lround(x)), cy = static_cast<int>(std::lround(y));
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
                if (At(cx + dx, cy + dy) == colour)
                    return true;
        return false;
    }
    // The screen points of every grid intersection at least `margin` pixels inside the plot.
    std::vector<POINT> GridPoints(int margin) const
    {
        std::vector<POINT> points;
        const double s = CGridPlot::spacingTable[plot->scaleIndex];
        for (double e = std::floor(plot->gridMinE / s) * s; e <= plot->gridMaxE + s; e += s)
            for (double n = std::floor(plot->gridMinN / s) * s; n <= plot->gridMaxN + s; n += s)
            {
                const POINT p = plot->GridToScreenPoint(e, n);
                if (p.x >= margin && p.x < 640 - margin && p.y >= margin && p.y < 480 - margin)
                    points.push_back(p);
            }
        return points;
    }
    // Pixels drawn in the label strip along the left edge that no cross explains.
    int LabelPixels() const
    {
        const std::vector<POINT> crosses = GridPoints(-20);
        int count = 0;
        for (int y = 30; y < 400; ++y)
            for (int x = 0; x < 60; ++x)
            {
                bool byCross = false;
                for (const POINT& c : crosses)
                    byCross = byCross || (std::abs(c.x - x) <= 12 && std::abs(c.y - y) <= 12);
                // Text is drawn smoothed: any pixel off the ground counts.
                count += !byCross && At(x, y) != kGround;
            }
        return count;
    }

    QImage image;
};
} // namespace

TEST_F(GalleryGrid, LinesLieOnMultiplesOfTheSpacing)
{
    Draw(TICK_LINES, true, 0, 0);
    ASSERT_TRUE(canvas->Save("grid-lines"));
    int probes = 0;
    for (double e = 0.0; e <= 3000.0; e += 500.0)
    {
        const int x = plot->GridToScreenPoint(e, 0.0).x;
        if (x < 80 || x >= 630)
            continue; // the northing labels
        for (int y : {60, 170, 230, 330})
        {
            EXPECT_EQ(At(x, y), kGridColour) << "E " << e << " at " << x << ", " << y;
            EXPECT_EQ(At(x + 100, y), kGround) << "half a spacing east of E " << e;
            ++probes;
        }
    }
    for (double n = 1000.0; n <= 3500.0; n += 500.0)
    {
        const int y = plot->GridToScreenPoint(0.0, n).y;
        if (y < 20 || y >= 380)
            continue; // the scale text and the easting labels
        for (int x : {120, 350, 610})
        {
            EXPECT_EQ(At(x, y), kGridColour) << "N " << n << " at " << x << ", " << y;
            EXPECT_EQ(At(x, y + 50), kGround) << "a quarter spacing south of N " << n;
            ++probes;
        }
    }
    EXPECT_GE(probes, 12);
}

TEST_F(GalleryGrid, TurnedCrossesEndAtTheTurnedPixels)
{
    Draw(TICK_CROSSES, false, 30, 0);
    ASSERT_TRUE(canvas->Save("grid-turned-30"));
    const double n = std::sin(30.0 * M_PI / 180.0), c = std::cos(30.0 * M_PI / 180.0);
    const std::vector<POINT> points = GridPoints(20);
    ASSERT_GE(points.size(), 3u);
    for (const POINT& p : points)
    {
        // The long stroke towards grid north, 7 pixels out, and the short stroke across it.
        EXPECT_TRUE(Near(p.x - 7 * n, p.y - 7 * c, kGridColour)) << p.x << ", " << p.y;
        EXPECT_TRUE(Near(p.x + 3 * c, p.y - 3 * n, kGridColour)) << p.x << ", " << p.y;
        // Where an unturned cross would have its stroke there is ground.
        EXPECT_EQ(At(p.x, p.y - 8), kGround) << p.x << ", " << p.y;
    }
}

TEST_F(GalleryGrid, LabelsOnlyNorthUpAndNeverWithoutTicks)
{
    Draw(TICK_CROSSES, true, 0, 0);
    ASSERT_TRUE(canvas->Save("grid-labels"));
    EXPECT_GT(LabelPixels(), 20);

    NewCanvas();
    Draw(TICK_NONE, true, 0, 0);
    EXPECT_EQ(LabelPixels(), 0);

    NewCanvas();
    Draw(TICK_CROSSES, false, 30, 0);
    EXPECT_EQ(LabelPixels(), 0);
}

TEST_F(GalleryGrid, AngleOffset180TurnsCrossesAndTheNorthArrow)
{
    // The same scene without the offset first: strokes and arrow point up.
    struct Case
    {
        const char* name;
        int angleOffset;
        int up; // −1 when the long stroke and the arrow point up the screen, +1 down
    };
    for (const Case c : {Case{"north-arrow", 0, -1}, Case{"north-arrow-180", 180, 1}})
    {
        NewCanvas();
        Draw(TICK_CROSSES, true, 0, c.angleOffset);
        plot->DrawNorthArrow(560, 90);
        image = canvas->Image();
        ASSERT_TRUE(canvas->Save(c.name));
        for (const POINT& p : GridPoints(20))
        {
            EXPECT_EQ(At(p.x, p.y - 7 * c.up), kGround) << c.name << " " << p.x << ", " << p.y;
            EXPECT_EQ(At(p.x, p.y + 7 * c.up), kGridColour) << c.name << " " << p.x << ", " << p.y;
        }
        // The shaft runs 50 pixels to the tail; 5 pixels beyond the tip there is nothing.
        EXPECT_EQ(At(560, 90 - 40 * c.up), kWhite) << c.name;
        EXPECT_EQ(At(560, 90 + 30 * c.up), kGround) << c.name;
        // The right half of the head is filled white, the left half is open.
        EXPECT_EQ(At(560 - 4 * c.up, 90 + 8 * c.up), kWhite) << c.name;
        EXPECT_EQ(At(560 + 4 * c.up, 90 + 8 * c.up), kGround) << c.name;
    }
}

TEST_F(GalleryGrid, PolygonsAndArcsInGridSpace)
{
    Draw(TICK_NONE, true, 0, 0);
    // A square from well off the left of the view into it, filled solid red; a circle of
    // 250 m about the centre.
    const tagXY square[] = {{-5000.0, 1900.0}, {1000.0, 1900.0}, {1000.0, 2400.0}, {-5000.0, 2400.0}};
    plot->DrawClippedPolygon(square, 4, tagPen{PS_SOLID, 1, 0x0000FF, -1});
    CPen pen(PS_SOLID, 1, kWhite);
    CPen* old = plot->SelectObject(&pen);
    plot->DrawArc(1100.0, 2150.0, 250.0, 0.0, 2.0 * M_PI, 1);
    plot->SelectObject(old);
    image = canvas->Image();
    ASSERT_TRUE(canvas->Save("grid-shapes"));

    // Inside the square's visible part: its fill; right of it: ground.
    const POINT inside = plot->GridToScreenPoint(500.0, 2150.0);
    EXPECT_EQ(At(inside.x, inside.y), 0x0000FF);
    EXPECT_EQ(At(2, inside.y), 0x0000FF);
    const POINT beyond = plot->GridToScreenPoint(1050.0, 2150.0);
    EXPECT_EQ(At(beyond.x, beyond.y), kGround);
    // The circle passes 100 pixels from the centre at every bearing (its chords lie within a
    // pixel of it, and truncation adds one more); 90 pixels out on the right there is ground.
    for (int degrees = 0; degrees < 360; degrees += 30)
    {
        const double b = degrees * M_PI / 180.0;
        EXPECT_TRUE(Near(320 + 100 * std::sin(b), 240 - 100 * std::cos(b), kWhite, 2)) << degrees;
        if (degrees <= 150)
        {
            EXPECT_EQ(At(320 + static_cast<int>(90 * std::sin(b)), 240 - static_cast<int>(90 * std::cos(b))), kGround)
                << degrees;
        }
    }
}

TEST_F(GalleryGrid, DotsAtAFifthOfTheSpacingAndStyledPolygons)
{
    Draw(TICK_DOTS, true, 0, 0);
    // Dots every 200 m (80 pixels) from the first grid line below the view on each axis;
    // half-way between two, ground.
    const double firstE = std::floor(plot->gridMinE / 500.0) * 500.0;
    const double firstN = std::floor(plot->gridMinN / 500.0) * 500.0;
    int dots = 0;
    for (double e = firstE; e <= plot->gridMaxE; e += 200.0)
        for (double n = firstN; n <= plot->gridMaxN; n += 200.0)
        {
            const POINT p = plot->GridToScreenPoint(e, n);
            if (p.x < 70 || p.x >= 590 || p.y < 20 || p.y >= 380)
                continue; // clear of the labels and the scale text
            EXPECT_EQ(At(p.x, p.y), kGridColour) << e << ", " << n;
            EXPECT_EQ(At(p.x + 40, p.y), kGround) << e << ", " << n;
            ++dots;
        }
    EXPECT_GE(dots, 20);

    // A hatched square (outline and cross-hatch in the colour) and an outline-only triangle
    // in a colour equal to the ground, which is drawn inverted.
    const POINT square[] = {{400, 300}, {500, 300}, {500, 400}, {400, 400}};
    plot->DrawPolygonStyled(square, 4, PS_SOLID | (1 << 16), 0x0000FF, HS_CROSS);
    const POINT triangle[] = {{100, 420}, {200, 420}, {150, 360}};
    plot->DrawPolygonStyled(triangle, 3, PS_SOLID | (1 << 16), kGround, -2);
    image = canvas->Image();
    ASSERT_TRUE(canvas->Save("grid-dots-and-styles"));
    EXPECT_EQ(At(450, 300), 0x0000FF); // the outline
    int hatched = 0, ground = 0;
    for (int y = 310; y < 390; ++y)
    {
        hatched += At(450, y) == 0x0000FF;
        ground += At(450, y) == kGround;
    }
    EXPECT_GT(hatched, 5);
    EXPECT_GT(ground, 40);
    EXPECT_EQ(At(150, 420), 0xFFFFFF - kGround);
    EXPECT_EQ(At(150, 400), kGround); // hollow
}

TEST_F(GalleryGrid, ClosedArcAndBrushFilledPolygon)
{
    Draw(TICK_NONE, true, 0, 0);
    CPen pen(PS_SOLID, 1, kWhite);
    CPen* old = plot->SelectObject(&pen);
    // Direction −1 from bearing 0 to 90 degrees: the arc runs clockwise from 90 round to 360,
    // and a chord closes it from north back to east.
    plot->DrawArc(1100.0, 2150.0, 250.0, 0.0, M_PI / 2.0, -1);
    plot->SelectObject(old);
    // A triangle reaching far off the top, filled by a brush of its own.
    CBrush yellow(0x00FFFF);
    const tagXY triangle[] = {{1400.0, 1600.0}, {1700.0, 1600.0}, {1550.0, 90000.0}};
    plot->DrawClippedPolygon(triangle, 3, tagPen{PS_SOLID, 1, 0x00FFFF, -2}, &yellow);
    image = canvas->Image();
    ASSERT_TRUE(canvas->Save("grid-arc-and-brush"));

    auto onCircle = [](int degrees, double radius) {
        const double b = degrees * M_PI / 180.0;
        return std::make_pair(320 + radius * std::sin(b), 240 - radius * std::cos(b));
    };
    for (int degrees : {100, 180, 270, 350})
    {
        const auto p = onCircle(degrees, 100);
        EXPECT_TRUE(Near(p.first, p.second, kWhite, 2)) << degrees;
    }
    // The north-east quarter is the chord, not the arc.
    const auto arcMiddle = onCircle(45, 100);
    EXPECT_FALSE(Near(arcMiddle.first, arcMiddle.second, kWhite, 2));
    EXPECT_TRUE(Near(320 + 50, 240 - 50, kWhite, 1));
    // The triangle's visible part, up to the top of the view.
    const POINT base = plot->GridToScreenPoint(1550.0, 1700.0);
    EXPECT_EQ(At(base.x, base.y), 0x00FFFF);
    EXPECT_EQ(At(base.x, 5), 0x00FFFF);
    EXPECT_EQ(At(base.x + 70, base.y), kGround);
}

// AIS targets on the chart: classification, the hull and triangle outlines, the label text,
// the store's identifiers, and a gallery scene of targets drawn with their labels and heading
// lines.
#include "Gallery.h"

#include "chart/objects/Ais.h"
#include "platform/ui/Colour.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
AisTargetDef Target(char letter, double speed, BYTE moored = 0, BYTE anchored = 0, BYTE lowSpeed = 0,
                    BYTE flagged = 0)
{
    AisTargetDef t;
    t.classLetter = letter;
    t.speed = speed;
    t.mooredFlag = moored;
    t.anchoredFlag = anchored;
    t.lowSpeedMode = lowSpeed;
    t.flagged = flagged;
    return t;
}

void SetHeading(AisTargetDef& t, double degrees)
{
    t.heading = degrees * M_PI / 180.0;
    t.sinHeading = std::sin(t.heading);
    t.cosHeading = std::cos(t.heading);
}
} // namespace

TEST(Ais, CategoryAndTypeTextByClassAndState)
{
    const struct
    {
        AisTargetDef target;
        int category;
        const char* type;
    } cases[] = {
        {Target('A', 5.0), AIS_CLASS_A, "A"},
        {Target('B', 5.0), AIS_CLASS_B, "B"},
        {Target('A', 5.0, 0, 0, 0, 1), AIS_FLAGGED, "A"},
        {Target('A', 0.1, 0, 0, 0, 1), AIS_FLAGGED, "A"},          // flagged wins over stopped
        {Target('A', 0.1), AIS_STOPPED, "A"},                      // below 0.2
        {Target('A', 0.3), AIS_CLASS_A, "A"},                      // 0.3 moves unless in low-speed mode
        {Target('A', 0.3, 0, 0, 1), AIS_STOPPED, "A"},             // below 0.5 in low-speed mode
        {Target('B', 0.6, 0, 0, 1), AIS_CLASS_B, "B"},             //
        {Target('A', 0.6, 0, 1), AIS_ANCHORED, "A"},               //
        {Target('A', 0.6, 0, 1, 1), AIS_CLASS_A, "A"},             // anchored counts only outside low-speed mode
        {Target('A', 0.6, 1), AIS_MOORED, "A"},                    //
        {Target('A', 0.6, 1, 1), AIS_ANCHORED, "A"},               // anchored before moored
        {Target('N', 0.0), AIS_ATON, "AtoN"},                      //
        {Target('S', 90.0), AIS_SAR, "SAR"},                       //
        {Target('X', 0.0), AIS_BASE_STATION, "Base"},              //
        {Target('Q', 3.0), AIS_UNKNOWN, "kept"},                   // other letters keep their text
    };
    for (auto c : cases)
    {
        c.target.typeText = "kept";
        c.target.category = 7;
        CAis::ClassifyTarget(c.target);
        EXPECT_EQ(c.target.category, c.category) << c.target.classLetter << " " << c.target.speed;
        EXPECT_STREQ(c.target.typeText, c.type) << c.target.classLetter;
    }
}

TEST(Ais, HullTriangleOrNothing)
{
    CAis ais;
    AisTargetDef t = Target('A', 5.0);
    t.E = 1000.0;
    t.N = 2000.0;
    t.toBow = 60;
    t.toStern = 40;
    t.toPort = 10;
    t.toStarboard = 10;
    SetHeading(t, 45.0);
    POINT points[18];
    int count = 0;
    ASSERT_TRUE(ais.BuildTargetShape(t, 300, 200, points, &count, 1.0));
    ASSERT_EQ(count, 18);
    // l 60, h 40, g 10, f 10: o 10, r 3. The offsets (x to starboard, y forward) of the hull,
    // bow first, turned by 45 degrees about (300, 200).
    const double s = std::sin(M_PI / 4.0), c = std::cos(M_PI / 4.0);
    auto turned = [&](int px, int py) {
        return POINT{300 + static_cast<int>(py * s + px * c), 200 - static_cast<int>(py * c - px * s)};
    };
    const int r = 3;
    const POINT offsets[18] = {
        {0, 60}, {10, 50}, {10, -37},
        {10 + static_cast<int>(std::sin(105 * M_PI / 180) * r) - r, r + static_cast<int>(std::cos(105 * M_PI / 180) * r) - 40},
        {10 + static_cast<int>(std::sin(120 * M_PI / 180) * r) - r, r + static_cast<int>(std::cos(120 * M_PI / 180) * r) - 40},
        {10 + static_cast<int>(std::sin(135 * M_PI / 180) * r) - r, r + static_cast<int>(std::cos(135 * M_PI / 180) * r) - 40},
        {10 + static_cast<int>(std::sin(150 * M_PI / 180) * r) - r, r + static_cast<int>(std::cos(150 * M_PI / 180) * r) - 40},
        {10 + static_cast<int>(std::sin(165 * M_PI / 180) * r) - r, r + static_cast<int>(std::cos(165 * M_PI / 180) * r) - 40},
        {7, -40}, {-7, -40},
        {r - static_cast<int>(std::sin(165 * M_PI / 180) * r) - 10, r + static_cast<int>(std::cos(165 * M_PI / 180) * r) - 40},
        {r - static_cast<int>(std::sin(150 * M_PI / 180) * r) - 10, r + static_cast<int>(std::cos(150 * M_PI / 180) * r) - 40},
        {r - static_cast<int>(std::sin(135 * M_PI / 180) * r) - 10, r + static_cast<int>(std::cos(135 * M_PI / 180) * r) - 40},
        {r - static_cast<int>(std::sin(120 * M_PI / 180) * r) - 10, r + static_cast<int>(std::cos(120 * M_PI / 180) * r) - 40},
        {r - static_cast<int>(std::sin(105 * M_PI / 180) * r) - 10, r + static_cast<int>(std::cos(105 * M_PI / 180) * r) - 40},
        {-10, -37}, {-10, 50}, {0, 60}};
    for (int i = 0; i < 18; ++i)
    {
        const POINT e = turned(offsets[i].x, offsets[i].y);
        EXPECT_EQ(points[i].x, e.x) << i;
        EXPECT_EQ(points[i].y, e.y) << i;
    }
    EXPECT_EQ(points[0].x, 342);
    EXPECT_EQ(points[0].y, 158);

    // Under 10 pixels long or 6 wide: the triangle, closed, not turned at heading 0.
    SetHeading(t, 0.0);
    t.heading = 0.0;
    for (double ppm : {0.09, 0.2})
    {
        t.toPort = ppm == 0.2 ? 1 : 10;
        t.toStarboard = ppm == 0.2 ? 1 : 10;
        ASSERT_TRUE(ais.BuildTargetShape(t, 300, 200, points, &count, ppm)) << ppm;
        ASSERT_EQ(count, 4) << ppm;
        EXPECT_EQ(points[0].x, 300);
        EXPECT_EQ(points[0].y, 191);
        EXPECT_EQ(points[1].x, 305);
        EXPECT_EQ(points[1].y, 209);
        EXPECT_EQ(points[3].y, points[0].y);
    }
    ais.largeSymbols = 1;
    ais.scaledOutlines = 0;
    t.toPort = t.toStarboard = 10;
    ASSERT_TRUE(ais.BuildTargetShape(t, 300, 200, points, &count, 1.0));
    EXPECT_EQ(count, 4);
    EXPECT_EQ(points[0].y, 182);

    // No heading: the course orients it; neither, or no position: nothing.
    t.heading = -1.0;
    t.course = M_PI / 2.0;
    t.sinCourse = 1.0;
    t.cosCourse = 0.0;
    ASSERT_TRUE(ais.BuildTargetShape(t, 300, 200, points, &count, 1.0));
    EXPECT_EQ(points[0].x, 318);
    EXPECT_EQ(points[0].y, 200);
    t.course = -1.0;
    EXPECT_FALSE(ais.BuildTargetShape(t, 300, 200, points, &count, 1.0));
    t.course = 0.5;
    t.E = DBL_MAX;
    EXPECT_FALSE(ais.BuildTargetShape(t, 300, 200, points, &count, 1.0));
}

TEST(Ais, LabelLinesByOption)
{
    CAis ais;
    AisTargetDef t = Target('A', 1.0);
    t.name = "n/a";
    t.id = "235012345";
    EXPECT_STREQ(ais.LabelText(t), "235012345");
    t.name = "SEA HAWK";
    t.line2[0] = "12.3kn";
    t.line2[1] = "045";
    t.line3[0] = "n/a";
    t.line3[1] = "x";
    t.line4Text = "Bound for Leith";
    ais.labelLine2 = ais.labelLine3 = ais.labelLine4 = 1;
    EXPECT_STREQ(ais.LabelText(t), "SEA HAWK\n12.3kn  045\nBound for Leith");
    t.line3[0] = "CPA 0.2";
    t.line4Text = "n/a";
    EXPECT_STREQ(ais.LabelText(t), "SEA HAWK\n12.3kn  045\nCPA 0.2  x");
    ais.labelLine2 = ais.labelLine3 = ais.labelLine4 = 0;
    t.classLetter = 'X';
    EXPECT_STREQ(ais.LabelText(t), "Base Station\n235012345");
    ais.labelName = 0;
    EXPECT_STREQ(ais.LabelText(t), "");
}

TEST(Ais, TargetsKeepTheirIdentifiers)
{
    CAis ais;
    const uint32_t a = ais.AddTarget(Target('A', 1.0));
    const uint32_t b = ais.AddTarget(Target('B', 2.0));
    EXPECT_NE(a, b);
    ASSERT_NE(ais.FindTarget(b), nullptr);
    EXPECT_EQ(ais.FindTarget(b)->classLetter, 'B');
    EXPECT_TRUE(ais.RemoveTarget(a));
    EXPECT_FALSE(ais.RemoveTarget(a));
    EXPECT_EQ(ais.FindTarget(a), nullptr);
    const uint32_t c = ais.AddTarget(Target('A', 3.0));
    EXPECT_NE(c, a); // never reused
    EXPECT_EQ(ais.GetCount(), 2);

    // A category outside 0..9 selects no brush.
    CDC dc;
    GalleryCanvas canvas(dc, 10, 10, 0);
    AisTargetDef t = Target('A', 1.0);
    t.category = 10;
    EXPECT_EQ(ais.SelectCategoryBrush(&dc, t), nullptr);
    t.category = -1;
    EXPECT_EQ(ais.SelectCategoryBrush(&dc, t), nullptr);
}

TEST(Ais, GalleryHullLabelAndHeadingLine)
{
    constexpr COLORREF kGround = 0x402010;
    CDC dc;
    GalleryCanvas canvas(dc, 640, 480, kGround);
    CAis ais;
    ais.showTurnIndicator = 1;

    // A class A hull 100 × 20 m at 2 pixels a metre heading east, turning to starboard.
    AisTargetDef hull = Target('A', 8.0);
    hull.E = hull.N = 0.0;
    hull.toBow = 60;
    hull.toStern = 40;
    hull.toPort = hull.toStarboard = 10;
    hull.name = "n/a";
    hull.id = "235000001";
    hull.rateOfTurn = 5.0;
    SetHeading(hull, 90.0);
    CAis::ClassifyTarget(hull);
    ais.DrawTarget(&dc, 200, 200, hull, 2.0);

    // A base station: no heading, a circle and two label lines.
    AisTargetDef base = Target('X', 0.0);
    base.E = base.N = 0.0;
    base.id = "002320001";
    CAis::ClassifyTarget(base);
    ais.DrawTarget(&dc, 450, 200, base, 2.0);
    ASSERT_TRUE(canvas.Save("ais-targets"));

    // Inside the hull, ahead of the cross: the class A brush's colour.
    EXPECT_EQ(canvas.At(250, 200), 0x00FF00u);
    EXPECT_EQ(canvas.At(200, 150), kGround); // the hull is only 20 m wide
    // The heading line runs east from the centre to x + 18; the turn stroke goes south from its
    // end (starboard of east).
    EXPECT_EQ(canvas.At(215, 200), 0xFFFFFFu);
    EXPECT_EQ(canvas.At(218, 203), 0xFFFFFFu);
    EXPECT_NE(canvas.At(218, 197), 0xFFFFFFu);
    // The label box below the point, and the base station's taller one (two lines).
    auto boxRows = [&](int x, int from) {
        int rows = 0;
        for (int y = from; y < from + 60; ++y)
            rows += canvas.At(x, y) == 0xE7FFFFu;
        return rows;
    };
    const int hullRows = boxRows(200, 210);
    const int baseRows = boxRows(450, 210);
    EXPECT_GT(hullRows, 5);
    EXPECT_GT(baseRows, hullRows + 5);
    EXPECT_EQ(canvas.At(450, 200), 0xFF00FFu); // the base station's circle
}

// The attitude picture as a pilot reads it, probed at positions worked out from the view's
// size: sky and ground on the right sides of the horizon whichever way up, the rose ringing a
// smaller indicator once there is a heading, the rose's letters and heading marker, the depth
// scale's labels against the centre line, the silent sensor's background, and the read-outs in
// the corners, due north included. Values the host cannot mean leave their part out.
#include "platform/ui/Colour.h"
#include "platform/ui/Dc.h"
#include "rov/PitchRollView.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace
{
const CPitchRollView::Colours& kDayColours = CPitchRollView::DAY_COLOURS;
const CPitchRollView::Colours& kNightColours = CPitchRollView::NIGHT_COLOURS;
const double kNotANumber = std::numeric_limits<double>::quiet_NaN();
const double kInfinity = std::numeric_limits<double>::infinity();

QImage Picture(CPitchRollView& view, int width = 200, int height = 200)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, width, height);
    CBitmap* old = dc.SelectObject(&bitmap);
    view.Draw(&dc, CRect(0, 0, width, height));
    dc.SelectObject(old);
    return bitmap.ToImage();
}

COLORREF At(const QImage& image, int x, int y)
{
    return ColorRefFromQRgb(image.pixel(x, y));
}

int CountIn(const QImage& image, const CRect& box, COLORREF colour)
{
    int n = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            n += At(image, x, y) == colour ? 1 : 0;
    return n;
}

std::string HexOf(COLORREF c)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(c));
    return text;
}

TEST(PitchRollView, GroundLiesOnItsSideOfTheHorizonWhicheverWayUp)
{
    // 200 x 200 and no heading: the indicator is the circle of radius 100 about (100, 100).
    struct Case
    {
        double pitch, roll;
        bool groundBelow;
    };
    const std::vector<Case> cases = {
        {0, 0, true},      {30, 0, true},      {60, 0, true},    {-25, 0, true},   {0, 30, true},
        {0, -30, true},    {10, 60, true},     {0, 180, false},  {0, 150, false},  {0, -150, false},
        {20, -170, false}, {-20, 200, false},
    };
    for (const Case& k : cases)
    {
        CPitchRollView view;
        view.SetPitchRoll(k.pitch, k.roll);
        const QImage image = Picture(view);
        POINT p1{}, p2{};
        CPitchRollView::CalculateHorizon({100, 100}, 100.0, k.pitch, k.roll, &p1, &p2);
        // A column clear of the aircraft symbol's upright.
        const int x = 90;
        const int lineY = p1.y + (p2.y - p1.y) * (x - p1.x) / (p2.x - p1.x);
        const COLORREF below = k.groundBelow ? kDayColours.Ground : kDayColours.Sky;
        const COLORREF above = k.groundBelow ? kDayColours.Sky : kDayColours.Ground;
        EXPECT_EQ(HexOf(At(image, x, lineY + 12)), HexOf(below)) << k.pitch << " " << k.roll;
        EXPECT_EQ(HexOf(At(image, x, lineY - 12)), HexOf(above)) << k.pitch << " " << k.roll;
        // Off the centre column too, where the ends of the horizon meet the corners.
        EXPECT_EQ(HexOf(At(image, 100, k.groundBelow ? 190 : 10)), HexOf(kDayColours.Ground)) << k.pitch << " " << k.roll;
    }
}

TEST(PitchRollView, StraightUpIsAllGroundAndStraightDownAllSky)
{
    struct Case
    {
        double pitch;
        COLORREF colour;
    };
    for (const Case& k : {Case{90, kDayColours.Ground}, Case{-90, kDayColours.Sky}})
    {
        CPitchRollView view;
        view.SetPitchRoll(k.pitch, 0.0);
        const QImage image = Picture(view);
        for (const POINT& p : {POINT{100, 8}, POINT{100, 192}, POINT{8, 100}, POINT{192, 100}})
            EXPECT_EQ(HexOf(At(image, p.x, p.y)), HexOf(k.colour)) << k.pitch << " at " << p.x << "," << p.y;
    }
}

TEST(PitchRollView, GroundPolygonTakesTheCornersOnTheGroundSide)
{
    const CRect square(0, 0, 200, 200);
    struct Case
    {
        POINT p1, p2;
        POINT corners[3];
    };
    const POINT lt{0, 0}, lb{0, 200}, rt{200, 0}, rb{200, 200};
    const std::vector<Case> cases = {
        {{200, 120}, {0, 80}, {lt, lb, rb}},  // right end lower: upright, rolled right
        {{200, 80}, {0, 120}, {lb, rb, rt}},  // right end higher: upright, rolled left
        {{0, 80}, {200, 120}, {rb, rt, lt}},  // inverted, the left end higher
        {{0, 120}, {200, 80}, {rt, lt, lb}},  // inverted, the left end lower
        {{0, 100}, {200, 100}, {rt, lt, lb}}, // inverted and level
    };
    for (const Case& k : cases)
    {
        POINT polygon[5];
        CPitchRollView::GroundPolygon(square, k.p1, k.p2, polygon);
        for (int i = 0; i < 3; ++i)
        {
            EXPECT_EQ(polygon[i].x, k.corners[i].x) << k.p1.x << "," << k.p1.y << " corner " << i;
            EXPECT_EQ(polygon[i].y, k.corners[i].y) << k.p1.x << "," << k.p1.y << " corner " << i;
        }
        EXPECT_EQ(polygon[3].x, k.p1.x);
        EXPECT_EQ(polygon[4].y, k.p2.y);
    }
}

TEST(PitchRollView, IndicatorFillsTheSquareUntilAHeadingRingsItWithTheRose)
{
    CPitchRollView view;
    view.SetPitchRoll(0.0, 0.0);
    QImage image = Picture(view);
    EXPECT_EQ(HexOf(At(image, 100, 3)), HexOf(kDayColours.Sky));
    EXPECT_EQ(HexOf(At(image, 100, 196)), HexOf(kDayColours.Ground));
    EXPECT_EQ(HexOf(At(image, 3, 3)), HexOf(kDayColours.Background)) << "outside the circle";
    EXPECT_EQ(CountIn(image, CRect(0, 0, 200, 200), kDayColours.Rose), 0) << "no rose without a heading";

    // 70 % of 200: the indicator is the circle of radius 70 about the centre.
    view.SetTrueHeading(45.0);
    image = Picture(view);
    EXPECT_EQ(HexOf(At(image, 100, 33)), HexOf(kDayColours.Sky));
    EXPECT_EQ(HexOf(At(image, 100, 167)), HexOf(kDayColours.Ground));
    EXPECT_NE(HexOf(At(image, 100, 27)), HexOf(kDayColours.Sky));
    EXPECT_NE(HexOf(At(image, 100, 173)), HexOf(kDayColours.Ground));
    EXPECT_EQ(HexOf(At(image, 100, 8)), HexOf(kDayColours.Rose)) << "the rose's disc";
    EXPECT_EQ(HexOf(At(image, 3, 3)), HexOf(kDayColours.Background));
}

TEST(PitchRollView, RoseLettersTurnWithTheHeadingOnlyWhenAskedAndTheMarkerShowsIt)
{
    // The rose's labels sit on the circle of radius 81 about (100, 100) (the rose square less
    // 19 on each side); the marker (radius 2) on the same circle.
    const CRect top(92, 12, 108, 26);        // 0°: "N" when the rose stands still
    const CRect northWest(36, 36, 48, 48);   // -45°: "N" when the rose turns by a heading of 45
    struct Case
    {
        bool rotate;
        bool night;
        int topLetters;
        int northWestLetters;
        POINT marker;
    };
    const std::vector<Case> cases = {
        {false, false, 1, 0, {157, 42}},
        {true, false, 0, 1, {100, 19}},
        {false, true, 1, 0, {157, 42}},
    };
    for (const Case& k : cases)
    {
        CPitchRollView view;
        view.SetNightMode(k.night);
        view.SetRotateRose(k.rotate);
        view.SetTrueHeading(45.0);
        const QImage image = Picture(view);
        const CPitchRollView::Colours& colours = k.night ? kNightColours : kDayColours;
        EXPECT_EQ(CountIn(image, top, colours.RoseText) > 3, k.topLetters == 1) << k.rotate << k.night;
        EXPECT_EQ(CountIn(image, northWest, colours.RoseText) > 3, k.northWestLetters == 1) << k.rotate << k.night;
        EXPECT_EQ(HexOf(At(image, k.marker.x, k.marker.y)), HexOf(k.night ? 0x000080 : 0x0000FF)) << k.rotate << k.night;
        // The inner disc takes the background colour, not the indicator's.
        EXPECT_EQ(HexOf(At(image, 100, 100)), HexOf(colours.Background));
    }
}

TEST(PitchRollView, DepthSitsOnTheCentreLineBetweenItsTens)
{
    CPitchRollView view;
    view.SetDepth(23.4);
    const QImage image = Picture(view);
    // 10 pixels a metre: "20" 34 pixels above the centre line (y 100), "30" 66 below, each with
    // a 10-pixel line on either side of its 50-pixel label box (x 75..125).
    for (int labelY : {66, 166})
    {
        EXPECT_EQ(HexOf(At(image, 70, labelY)), HexOf(kDayColours.Tick)) << labelY;
        EXPECT_EQ(HexOf(At(image, 130, labelY)), HexOf(kDayColours.Tick)) << labelY;
        EXPECT_EQ(HexOf(At(image, 70, labelY - 1)), HexOf(kDayColours.Rose)) << labelY;
        EXPECT_EQ(HexOf(At(image, 70, labelY + 1)), HexOf(kDayColours.Rose)) << labelY;
        EXPECT_GT(CountIn(image, CRect(80, labelY - 8, 120, labelY + 8), kDayColours.RoseText), 10) << labelY;
    }
    EXPECT_EQ(HexOf(At(image, 60, 100)), HexOf(kDayColours.Symbol)) << "the centre line";
    EXPECT_EQ(HexOf(At(image, 52, 76)), HexOf(kDayColours.Tick)) << "the tick of 21 m on the band's edge";
    EXPECT_EQ(HexOf(At(image, 52, 5)), HexOf(kDayColours.Background)) << "the band is clipped to the circle";
    EXPECT_EQ(HexOf(At(image, 30, 100)), HexOf(kDayColours.Background)) << "outside the band";
}

TEST(PitchRollView, SilentSensorPaintsTheTimeOutBackground)
{
    struct Case
    {
        bool night, timedOut;
        COLORREF background;
    };
    for (const Case& k : {Case{false, false, 0xD6D6D6}, Case{false, true, 0x0000FF}, Case{true, false, 0x000000},
                          Case{true, true, 0x000080}})
    {
        CPitchRollView view;
        view.SetNightMode(k.night);
        view.SetTimeout(k.timedOut);
        view.SetPitchRoll(0.0, 0.0);
        const QImage image = Picture(view);
        EXPECT_EQ(HexOf(At(image, 1, 1)), HexOf(k.background)) << k.night << k.timedOut;
        EXPECT_EQ(HexOf(At(image, 100, 3)), HexOf(k.night ? kNightColours.Sky : kDayColours.Sky)) << k.night << k.timedOut;
    }
}

TEST(PitchRollView, CornerTextsShowWheneverTextIsOnDueNorthIncluded)
{
    // 300 x 200: the rose square is (50, 0, 250, 200); each corner box is 79 x 30.
    const CRect gyro(5, 0, 84, 30), pitch(5, 170, 84, 200), roll(216, 170, 295, 200);
    struct Case
    {
        bool text;
        double heading;
    };
    for (const Case& k : {Case{true, 0.0}, Case{true, 123.45}, Case{true, PITCH_ROLL_NO_VALUE}, Case{false, 0.0}})
    {
        CPitchRollView view;
        view.SetDisplayText(k.text);
        view.SetTrueHeading(k.heading);
        view.SetPitchRoll(1.5, -2.0);
        const QImage image = Picture(view, 300, 200);
        for (const CRect& box : {gyro, pitch, roll})
            EXPECT_EQ(CountIn(image, box, kDayColours.Text) > 20, k.text) << k.heading << " box at " << box.left << "," << box.top;
    }
}

TEST(PitchRollView, ReadOutsAreFormattedByKindAndMissingValuesAskedFor)
{
    struct Case
    {
        double value;
        int kind;
        const char* text;
    };
    const std::vector<Case> cases = {
        {0.0, 4, "  0.00\xB0"},        {359.996, 4, "360.00\xB0"},    {45.5, 4, " 45.50\xB0"},
        {1.5, 3, "+01.50\xB0"},        {-2.0, 2, "-02.00\xB0"},       {0.0, 3, "+00.00\xB0"},
        {-12.346, 3, "-12.35\xB0"},    {PITCH_ROLL_NO_VALUE, 4, "??????\xB0"},
        {PITCH_ROLL_NO_VALUE, 2, "??????\xB0"}, {kNotANumber, 3, "??????\xB0"}, {kInfinity, 4, "??????\xB0"},
    };
    for (const Case& k : cases)
        EXPECT_EQ(std::string(CPitchRollView::ValueText(k.value, k.kind)), k.text) << k.value << " kind " << k.kind;
}

TEST(PitchRollView, ValuesThatAreNoNumbersAreMissing)
{
    CPitchRollView view;
    view.SetPitchRoll(kNotANumber, 5.0);
    view.SetTrueHeading(kInfinity);
    view.SetDepth(-kInfinity);
    EXPECT_EQ(view.GetPitch(), PITCH_ROLL_NO_VALUE);
    EXPECT_EQ(view.GetRoll(), 5.0);
    EXPECT_EQ(view.GetTrueHeading(), PITCH_ROLL_NO_VALUE);
    EXPECT_EQ(view.GetDepth(), PITCH_ROLL_NO_VALUE);
    QImage image = Picture(view);
    EXPECT_EQ(CountIn(image, CRect(0, 0, 200, 200), kDayColours.Background), 200 * 200) << "nothing but the background";

    // Finite but far beyond any angle or depth a sensor gives: drawn, and drawing stays defined.
    view.SetPitchRoll(1e300, -1e300);
    view.SetTrueHeading(1e300);
    view.SetDepth(1e300);
    view.SetRotateRose(true);
    image = Picture(view);
    EXPECT_EQ(HexOf(At(image, 100, 8)), HexOf(kDayColours.Rose));
}

} // namespace

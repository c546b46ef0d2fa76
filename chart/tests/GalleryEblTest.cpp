// Gallery scenes of the electronic bearing lines and the divider on the chart plot: lines,
// arrow heads and label boxes probed where the plot puts the ends.
#include "PlotFixture.h"

#include "chart/objects/Divider.h"
#include "chart/objects/EblList.h"
#include "platform/ui/Colour.h"

#include <cmath>
#include <limits>

namespace
{
constexpr double kOriginE = 1000.0, kOriginN = 2000.0;
constexpr COLORREF kLabelFill = 0xE7FFFF;
constexpr COLORREF kRed = 0x0000FF, kGreen = 0x00FF00, kMagenta = 0xFF00FF, kWhite = 0xFFFFFF;
const double kDeg = M_PI / 180.0;

enum Side
{
    ABOVE,
    BELOW,
    LEFT,
    RIGHT
};

class GalleryEbl : public PlotFixture
{
protected:
    void SetUp() override
    {
        PlotFixture::SetUp();
        PlaceFrame(11, kOriginE, kOriginN); // 1:1000, 4 pixels a metre
        list.gridMode = 1;
    }

    // A line of the list from the plot's origin `length` metres on `degrees`, or from
    // `length` metres behind it when `free` (its label then sits on the origin).
    CEBL* AddLine(double degrees, double length, COLORREF colour, bool fixedStart)
    {
        auto* line = new CEBL;
        line->Reset(nullptr, &list.gridMode, &list.greatCircle);
        const double b = degrees * kDeg;
        const double back = fixedStart ? 0.0 : length;
        line->startX = kOriginE - back * std::sin(b);
        line->startY = kOriginN - back * std::cos(b);
        line->endX = kOriginE + length * std::sin(b);
        line->endY = kOriginN + length * std::cos(b);
        line->fixedStart = fixedStart ? 1 : 0;
        line->colour = colour;
        line->Update();
        list.Add(line);
        return line;
    }

    void Draw(const char* name, bool training = false)
    {
        plot->DrawEBLs(&list, training);
        image = canvas->Image();
        ASSERT_TRUE(canvas->Save(name));
    }

    POINT Screen(double e, double n) const { return plot->GridToScreenPoint(e, n); }
    // The screen point `back` pixels behind p against `bearing` and `side` pixels to its right.
    static POINT Behind(POINT p, double bearing, double back, double side)
    {
        const double s = std::sin(bearing), c = std::cos(bearing);
        return POINT{static_cast<LONG>(std::lround(p.x - back * s + side * c)),
                     static_cast<LONG>(std::lround(p.y + back * c + side * s))};
    }
    // An arrow head with its tip at p along `bearing`: its body lies beside the line's axis,
    // where a one-pixel line does not reach.
    bool ArrowAt(POINT p, double bearing, COLORREF colour) const
    {
        return Near(Behind(p, bearing, 16, 3), colour) && Near(Behind(p, bearing, 16, -3), colour);
    }
    bool Near(POINT p, COLORREF colour, int reach = 1) const { return NearColour(image, p, colour, reach); }
    int Count(const CRect& window, COLORREF colour) const
    {
        int n = 0;
        for (int y = window.top; y < window.bottom; ++y)
            for (int x = window.left; x < window.right; ++x)
                n += image.valid(x, y) && ColorRefFromQRgb(image.pixel(x, y)) == colour;
        return n;
    }
    // The pixels of label fill on one side of p, beyond the label offset.
    int LabelFillOn(POINT p, Side side) const
    {
        switch (side)
        {
        case ABOVE:
            return Count(CRect(p.x - 12, p.y - 40, p.x + 12, p.y - 14), kLabelFill);
        case BELOW:
            return Count(CRect(p.x - 12, p.y + 14, p.x + 12, p.y + 40), kLabelFill);
        case LEFT:
            return Count(CRect(p.x - 50, p.y - 6, p.x - 14, p.y + 6), kLabelFill);
        default:
            return Count(CRect(p.x + 14, p.y - 6, p.x + 50, p.y + 6), kLabelFill);
        }
    }
    // The one side of p with a label box; -1 for none or more than one.
    int LabelSide(POINT p) const
    {
        int found = -1;
        for (Side side : {ABOVE, BELOW, LEFT, RIGHT})
            if (LabelFillOn(p, side) > 30)
            {
                if (found != -1)
                    return -1;
                found = side;
            }
        return found;
    }
    int CountAll(COLORREF colour) const { return Count(CRect(0, 0, image.width(), image.height()), colour); }

    CEBLList list;
    QImage image;
};
} // namespace

TEST_F(GalleryEbl, FixedStartLineHasItsArrowAndItsLabelOnTheSideItPoints)
{
    struct Case
    {
        double degrees;
        Side side;
    } cases[] = {{30, ABOVE}, {100, RIGHT}, {200, BELOW}, {300, LEFT}};
    for (const Case& c : cases)
        AddLine(c.degrees, 40.0, kRed, true);
    Draw("ebl-fixed-quadrants");
    for (int i = 0; i < 4; ++i)
    {
        SCOPED_TRACE(cases[i].degrees);
        const CEBL& line = *list.GetAt(i);
        const POINT end = Screen(line.endX, line.endY);
        EXPECT_TRUE(ArrowAt(end, line.bearing, kRed));
        EXPECT_EQ(LabelSide(end), cases[i].side);
        // The line itself, half way out; no arrow at the fixed start.
        const POINT start = Screen(line.startX, line.startY);
        EXPECT_TRUE(Near(POINT{(start.x + end.x) / 2, (start.y + end.y) / 2}, kRed));
        EXPECT_FALSE(ArrowAt(start, line.bearing + M_PI, kRed));
    }
}

TEST_F(GalleryEbl, FixedStartLineWithoutArrowOrLabel)
{
    CEBL* line = AddLine(100, 40.0, kRed, true);
    line->arrowEnd = 0;
    line->endSymbol = VECTOR_FILLED_SQUARE;
    line->showLabel = 0;
    Draw("ebl-fixed-symbol");
    const POINT end = Screen(line->endX, line->endY);
    // The end symbol, filled, 32 pixels across, reaching ahead of the end where no arrow head
    // would.
    EXPECT_TRUE(Near(POINT{end.x + 10, end.y - 10}, kRed, 0));
    EXPECT_TRUE(Near(POINT{end.x + 10, end.y + 10}, kRed, 0));
    EXPECT_EQ(CountAll(kLabelFill), 0);
}

TEST_F(GalleryEbl, FreeLineHasTwoArrowsAndItsLabelBelowItsMiddle)
{
    CEBL* line = AddLine(90, 40.0, kRed, false);
    line->labelShowsBearing = 0;
    Draw("ebl-free");
    const POINT start = Screen(line->startX, line->startY);
    const POINT end = Screen(line->endX, line->endY);
    EXPECT_TRUE(ArrowAt(end, line->bearing, kRed));
    EXPECT_TRUE(ArrowAt(start, line->bearing + M_PI, kRed));
    const POINT middle = Screen(kOriginE, kOriginN);
    EXPECT_TRUE(Near(middle, kRed));
    EXPECT_EQ(LabelSide(middle), BELOW);
    EXPECT_EQ(LabelSide(end), -1);
}

TEST_F(GalleryEbl, ShortLineIsOneSymbolWithoutLabel)
{
    // 4.5 metres is 18 pixels each way: short. A line reaching 20 pixels in one direction
    // is drawn whole.
    CEBL* shortLine = AddLine(45, 4.5 * std::sqrt(2.0), kRed, true);
    CEBL* longLine = AddLine(0, 5.0, kGreen, true);
    longLine->startX -= 40.0;
    longLine->endX -= 40.0;
    longLine->Update();
    Draw("ebl-short");
    const POINT start = Screen(shortLine->startX, shortLine->startY);
    // The diagonal cross of 32 pixels at the start.
    EXPECT_TRUE(Near(POINT{start.x - 12, start.y - 12}, kRed));
    EXPECT_TRUE(Near(POINT{start.x - 12, start.y + 12}, kRed));
    // The 20-pixel line has its arrow and its label.
    const POINT end = Screen(longLine->endX, longLine->endY);
    EXPECT_TRUE(ArrowAt(end, 0.0, kGreen));
    EXPECT_EQ(LabelSide(end), ABOVE);
    EXPECT_EQ(LabelSide(start), -1);
}

TEST_F(GalleryEbl, TrainingKeepsOnlyFixedStartLines)
{
    CEBL* fixed = AddLine(100, 40.0, kRed, true);
    AddLine(200, 50.0, kGreen, false);
    CEBL* freeShort = AddLine(300, 2.0, kMagenta, false);
    freeShort->startX += 60.0;
    freeShort->endX += 60.0;
    freeShort->Update();
    Draw("ebl-training", true);
    const POINT end = Screen(fixed->endX, fixed->endY);
    EXPECT_TRUE(ArrowAt(end, fixed->bearing, kRed));
    EXPECT_EQ(LabelSide(end), RIGHT);
    // The free line leaves no pixel, its label neither; the short one keeps its symbol.
    EXPECT_EQ(CountAll(kGreen), 0);
    EXPECT_EQ(LabelSide(Screen(kOriginE, kOriginN)), -1);
    const POINT shortStart = Screen(freeShort->startX, freeShort->startY);
    EXPECT_TRUE(Near(POINT{shortStart.x + 12, shortStart.y + 12}, kMagenta));
}

TEST_F(GalleryEbl, LineWithAMissingEndDrawsNothing)
{
    CEBL* line = AddLine(45, 40.0, kRed, false);
    line->endY = std::numeric_limits<double>::quiet_NaN();
    line->Update();
    AddLine(135, 40.0, kGreen, true)->startX = 1e300 * 1e300;
    plot->DrawEBLs(nullptr, false);
    Draw("ebl-missing");
    EXPECT_EQ(CountAll(kRed), 0);
    EXPECT_EQ(CountAll(kGreen), 0);
    EXPECT_EQ(CountAll(kLabelFill), 0);
}

TEST_F(GalleryEbl, DividerWithOneArrowAndWithTwo)
{
    CDivider divider;
    plot->DrawDivider(&divider); // not shown yet
    divider.SetPoint(kOriginE - 30.0, kOriginN - 10.0);
    divider.SetPoint(kOriginE + 30.0, kOriginN + 10.0);
    divider.singleArrow = 1;
    plot->DrawDivider(&divider);
    image = canvas->Image();
    ASSERT_TRUE(canvas->Save("divider-single"));
    const POINT start = Screen(divider.startE, divider.startN);
    const POINT end = Screen(divider.endE, divider.endN);
    const POINT middle = Screen(kOriginE, kOriginN);
    EXPECT_TRUE(Near(middle, kWhite));
    EXPECT_TRUE(ArrowAt(end, divider.bearing, kWhite));
    EXPECT_FALSE(ArrowAt(start, divider.bearing + M_PI, kWhite));
    EXPECT_EQ(LabelSide(end), RIGHT); // bearing 71.6 degrees
    EXPECT_EQ(LabelSide(middle), -1);

    NewCanvas();
    divider.singleArrow = 0;
    plot->DrawDivider(&divider);
    image = canvas->Image();
    ASSERT_TRUE(canvas->Save("divider-double"));
    EXPECT_TRUE(ArrowAt(end, divider.bearing, kWhite));
    EXPECT_TRUE(ArrowAt(start, divider.bearing + M_PI, kWhite));
    EXPECT_EQ(LabelSide(middle), BELOW);
    EXPECT_EQ(LabelSide(end), -1);

    // Drawn out less than 20 pixels: the small cross at the start.
    NewCanvas();
    divider.SetPoint(divider.startE + 4.0, divider.startN + 4.0);
    plot->DrawDivider(&divider);
    image = canvas->Image();
    ASSERT_TRUE(canvas->Save("divider-short"));
    EXPECT_TRUE(Near(POINT{start.x - 12, start.y + 12}, kWhite));
    EXPECT_EQ(CountAll(kLabelFill), 0);

    // Hidden by its host, it draws nothing.
    NewCanvas();
    divider.SetPoint(divider.startE + 40.0, divider.startN);
    divider.visible = 0;
    plot->DrawDivider(&divider);
    image = canvas->Image();
    EXPECT_EQ(CountAll(kWhite), 0);
}

TEST_F(GalleryEbl, DividerOnWhiteGroundIsBlack)
{
    canvas.reset();
    plot->DeleteDC();
    canvas = std::make_unique<GalleryCanvas>(*plot, 640, 480, kWhite);
    plot->backgroundColour = kWhite;
    CDivider divider;
    divider.SetPoint(kOriginE, kOriginN);
    divider.SetPoint(kOriginE, kOriginN + 30.0);
    plot->DrawDivider(&divider);
    image = canvas->Image();
    ASSERT_TRUE(canvas->Save("divider-white-ground"));
    const POINT end = Screen(divider.endE, divider.endN);
    EXPECT_TRUE(ArrowAt(end, 0.0, 0x000000));
    EXPECT_TRUE(ArrowAt(Screen(kOriginE, kOriginN), M_PI, 0x000000));
}

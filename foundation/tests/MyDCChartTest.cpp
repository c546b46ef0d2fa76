// The chart's drawers of the drawing context: masked bitmap symbols, outlines, arrow heads,
// oriented triangles, turned boxes and texts, checked on the pixels they must and must not set.
#include "foundation/MyDC.h"
#include "foundation/tests/MyDCSheet.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace
{
const COLORREF kGreen = 0x00FF00;
const COLORREF kOrange = 0x0080FF;
const COLORREF kFrame0 = 0xFF00FF;

// A two-frame symbol strip, 12 × 10 pixels a frame: frame 1 shows an orange 6 × 4 block whose
// top-left corner is (3, 3) of the frame, its image elsewhere is noise that the mask hides;
// frame 0 is all magenta.
QImage SymbolStrip()
{
    const int w = 12, h = 10;
    QImage strip(2 * w, 2 * h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            const bool opaque = x >= 3 && x < 9 && y >= 3 && y < 7;
            strip.setPixel(x, y, qRgb(255, 0, 255));
            strip.setPixel(x, y + h, opaque ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
            const QRgb noise = qRgb((37 * x + 11 * y) & 0xFF, (91 * y + 5 * x) & 0xFF, (13 * x * y + 7) & 0xFF);
            strip.setPixel(w + x, y, opaque ? qRgb(255, 128, 0) : noise);
            strip.setPixel(w + x, y + h, opaque ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    return strip;
}

// A ground that differs at every pixel, so that a pixel changed by a blit shows.
void PaintGround(Sheet& sheet, int width, int height)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            sheet.dc.SetPixel(x, y, RGB((x * 7) & 0xFF, (y * 5) & 0xFF, (x * y) & 0x7F));
}

int CountDifferent(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += (a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF);
    return n;
}
} // namespace

TEST(MyDCBitmapSymbol, MaskedFrameLeavesTheGroundExactlyAtEverySize)
{
    CBitmap strip;
    ASSERT_TRUE(strip.CreateFromImage(SymbolStrip()));
    struct Case
    {
        int sizeCode;
        int num, den; // the scale of the code
    } cases[] = {{1, 1, 2}, {2, 3, 4}, {3, 1, 1}, {4, 5, 4}, {5, 3, 2}};
    for (const Case& c : cases)
    {
        Sheet sheet(60, 60);
        PaintGround(sheet, 60, 60);
        const QImage before = sheet.Image();
        // Hot spot at the block's middle, (6, 5) of the frame, put on (30, 30).
        sheet.dc.DrawBitmapSymbol(&strip, 1, c.sizeCode, 30, 30, 12, 10, 6, 5);
        const QImage after = sheet.Image();
        const int left = 30 - 6 * c.num / c.den, top = 30 - 5 * c.num / c.den;
        const int width = 12 * c.num / c.den, height = 10 * c.num / c.den;
        int orange = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x)
            {
                const QRgb was = before.pixel(x, y) & 0xFFFFFF, now = after.pixel(x, y) & 0xFFFFFF;
                if (now == was)
                    continue;
                // Anything that changed is the block's own colour, inside the frame's place.
                ASSERT_EQ(now, qRgb(255, 128, 0) & 0xFFFFFFu) << "size " << c.sizeCode << " at " << x << ", " << y;
                EXPECT_TRUE(x >= left && x < left + width && y >= top && y < top + height)
                    << "size " << c.sizeCode << " at " << x << ", " << y;
                ++orange;
            }
        // The block, scaled: 6 × 4 pixels at full size.
        const double expected = 24.0 * c.num * c.num / (c.den * c.den);
        EXPECT_NEAR(orange, expected, expected * 0.5 + 2) << "size " << c.sizeCode;
        EXPECT_EQ(sheet.At(30, 30), kOrange) << "the hot spot lies on the block, size " << c.sizeCode;
    }
}

TEST(MyDCBitmapSymbol, NoSizeNoStripOrUnknownResourceDrawNothing)
{
    CBitmap strip;
    ASSERT_TRUE(strip.CreateFromImage(SymbolStrip()));
    CBitmap unknown;
    EXPECT_FALSE(unknown.LoadBitmap(64999));
    EXPECT_EQ(unknown.GetSafeHandle(), nullptr);
    Sheet sheet(60, 60);
    PaintGround(sheet, 60, 60);
    const QImage before = sheet.Image();
    sheet.dc.DrawBitmapSymbol(&strip, 1, 0, 30, 30, 12, 10, 6, 5);
    sheet.dc.DrawBitmapSymbol(&strip, 1, 6, 30, 30, 12, 10, 6, 5);
    sheet.dc.DrawBitmapSymbol(&unknown, 0, 3, 30, 30, 12, 10, 6, 5);
    sheet.dc.DrawBitmapSymbol(nullptr, 0, 3, 30, 30, 12, 10, 6, 5);
    EXPECT_EQ(CountDifferent(before, sheet.Image()), 0);
}

namespace
{
const double kPixelsPerMetre = 2.0;

OutlinePointDef Point(int penDown, double x, double y)
{
    return OutlinePointDef{penDown, x, y};
}

// A square of side 20 m about the reference point, then a line 10 m forward from 15 m to
// starboard, then a lone point; drawn about (50, 50) at 2 pixels a metre, unturned.
const OutlinePointDef kTwoFigures[] = {Point(0, -10, -10), Point(1, 10, -10), Point(1, 10, 10), Point(1, -10, 10),
                                       Point(0, 15, 0),    Point(1, 15, 10),  Point(0, -15, 20)};

tagPen Style(COLORREF colour, int fill)
{
    return tagPen{PS_SOLID, 1, colour, static_cast<int16_t>(fill)};
}
} // namespace

TEST(MyDCOutline, FillsFiguresByTheStyle)
{
    struct Case
    {
        const char* name;
        int fill;
        bool inside;    // the square's middle is coloured
        bool leftEdge;  // the square's closing (left) edge is drawn
        bool hatched;   // the inside has both colour and ground
    } cases[] = {{"solid", -1, true, true, false},
                 {"outline only: one path, a move at each new figure", -2, false, false, false},
                 {"hatch", HS_CROSS, false, true, true}};
    for (const Case& c : cases)
    {
        Sheet sheet(100, 100);
        sheet.dc.DrawOutline(kTwoFigures, 7, Style(kGreen, c.fill), 50, 50, kPixelsPerMetre, 0.0);
        EXPECT_EQ(sheet.At(50, 50) == kGreen, c.inside) << c.name;
        EXPECT_EQ(sheet.At(30, 50) == kGreen, c.leftEdge) << c.name;
        EXPECT_EQ(sheet.At(70, 50), kGreen) << c.name << ": right edge";
        EXPECT_EQ(sheet.At(80, 40), kGreen) << c.name << ": the two-point figure is a line";
        EXPECT_EQ(sheet.At(79, 40), kSilver) << c.name;
        EXPECT_EQ(sheet.At(20, 10), kSilver) << c.name << ": the lone point";
        if (c.hatched)
        {
            int colour = 0, ground = 0;
            for (int y = 34; y < 66; ++y)
                for (int x = 34; x < 66; ++x)
                {
                    const COLORREF at = sheet.At(x, y);
                    colour += at == kGreen;
                    ground += at == kSilver;
                }
            EXPECT_GT(colour, 20) << c.name;
            EXPECT_GT(ground, 200) << c.name;
        }
    }
}

TEST(MyDCOutline, FirstFigureOfTwoPointsIsALineAndOfOnePointNothing)
{
    const OutlinePointDef line[] = {Point(0, 0, 0), Point(1, 0, 10)};
    Sheet sheet(100, 100);
    sheet.dc.DrawOutline(line, 2, Style(kGreen, -1), 50, 50, kPixelsPerMetre, 0.0);
    EXPECT_EQ(sheet.At(50, 40), kGreen);
    EXPECT_EQ(sheet.At(50, 31), kGreen);

    const OutlinePointDef lone[] = {Point(0, 0, 0)};
    Sheet empty(100, 100);
    empty.dc.DrawOutline(lone, 1, Style(kGreen, -1), 50, 50, kPixelsPerMetre, 0.0);
    empty.dc.DrawOutline(line, 0, Style(kGreen, -1), 50, 50, kPixelsPerMetre, 0.0);
    empty.dc.DrawOutline(nullptr, 2, Style(kGreen, -1), 50, 50, kPixelsPerMetre, 0.0);
    EXPECT_EQ(empty.Count(kSilver), 100 * 100);
}

TEST(MyDCOutline, HeadingTurnsTheFigureClockwise)
{
    // 10 m forward: up the screen unturned, to the right at heading 90°, down at 180°.
    const OutlinePointDef line[] = {Point(0, 0, 0), Point(1, 0, 10)};
    struct Case
    {
        double degrees;
        int x, y; // a pixel half way along
    } cases[] = {{0, 50, 40}, {90, 60, 50}, {180, 50, 60}, {270, 40, 50}};
    for (const Case& c : cases)
    {
        Sheet sheet(100, 100);
        sheet.dc.DrawOutline(line, 2, Style(kGreen, -2), 50, 50, kPixelsPerMetre, c.degrees * M_PI / 180.0);
        EXPECT_EQ(sheet.At(c.x, c.y), kGreen) << c.degrees;
        EXPECT_EQ(sheet.Count(kGreen), 20) << c.degrees;
    }
}

TEST(MyDCOutline, ColourRuleOfTheDisplay)
{
    const OutlinePointDef line[] = {Point(0, 0, 0), Point(1, 0, 10)};
    Sheet ground(100, 100);
    ground.dc.DrawOutline(line, 2, Style(kSilver, -1), 50, 50, kPixelsPerMetre, 0.0);
    EXPECT_EQ(ground.At(50, 40), kWhite - kSilver) << "a colour equal to the background is inverted";
    Sheet mono(100, 100);
    mono.dc.monochrome = true;
    mono.dc.DrawOutline(kTwoFigures, 7, Style(kGreen, -1), 50, 50, kPixelsPerMetre, 0.0);
    EXPECT_EQ(mono.At(50, 50), kBlack);
    EXPECT_EQ(mono.Count(kGreen), 0);
}

TEST(MyDCArrows, ArrowHeadPointsAlongTheBearingTurnedByTheDisplay)
{
    // Bearing east: the base lies 24 pixels west of the tip; turning the display by 90°
    // anticlockwise turns the head with it, its base then 24 pixels below.
    struct Case
    {
        const char* name;
        double rotation;
        POINT inside[2];
        POINT outside[2];
    } cases[] = {{"unturned", 0.0, {{40, 50}, {28, 50}}, {{52, 50}, {40, 40}}},
                 {"display turned 90", M_PI / 2, {{50, 60}, {50, 72}}, {{50, 48}, {40, 60}}}};
    for (const Case& c : cases)
    {
        Sheet sheet(100, 100);
        sheet.dc.DrawArrowHead(50, 50, kGreen, std::sin(c.rotation), std::cos(c.rotation), M_PI / 2);
        for (const POINT& p : c.inside)
            EXPECT_EQ(sheet.At(p.x, p.y), kGreen) << c.name << " " << p.x << ", " << p.y;
        for (const POINT& p : c.outside)
            EXPECT_EQ(sheet.At(p.x, p.y), kSilver) << c.name << " " << p.x << ", " << p.y;
    }
}

TEST(MyDCArrows, OrientedTriangleAndTurnedBox)
{
    // Turned 90° clockwise the triangle's tip points right.
    Sheet sheet(100, 100);
    sheet.dc.DrawOrientedTriangle(PS_SOLID | (1 << 16), -1, kGreen, 50, 50, M_PI / 2);
    EXPECT_EQ(sheet.At(58, 50), kGreen);
    EXPECT_EQ(sheet.At(42, 50), kGreen);
    EXPECT_EQ(sheet.At(50, 40), kSilver);
    EXPECT_GT(sheet.Count(kWhite), 40) << "outlined white on a coloured ground";
    Sheet white(100, 100, kWhite);
    white.dc.DrawOrientedTriangle(PS_SOLID | (1 << 16), -1, kGreen, 50, 50, 0.0);
    EXPECT_EQ(white.At(50, 45), kGreen);
    EXPECT_GT(white.Count(kBlack), 40) << "outlined black on a white ground";

    // Each offset lands within a pixel of the exact turn (the drawer truncates).
    for (double degrees : {0.0, 30.0, 90.0, 180.0, 245.0})
    {
        const double a = degrees * M_PI / 180.0;
        POINT box[4] = {{10, 0}, {10, 5}, {-10, 5}, {-10, 0}};
        const POINT given[4] = {box[0], box[1], box[2], box[3]};
        CMyDC::TurnBox(box, a, 100, 200);
        for (int i = 0; i < 4; ++i)
        {
            const double x = 100 + given[i].x * std::cos(a) + given[i].y * std::sin(a);
            const double y = 200 - (given[i].y * std::cos(a) - given[i].x * std::sin(a));
            EXPECT_NEAR(box[i].x, x, 1.0) << degrees << " corner " << i;
            EXPECT_NEAR(box[i].y, y, 1.0) << degrees << " corner " << i;
        }
    }
    POINT unturned[4] = {{1, 2}, {3, 4}, {5, 6}, {7, 8}};
    CMyDC::TurnBox(unturned, 0.0, 10, 20);
    EXPECT_EQ(unturned[1].x, 13);
    EXPECT_EQ(unturned[1].y, 16);
}

namespace
{
// The box of every pixel that is no longer the ground.
CRect Drawn(const Sheet& sheet, COLORREF ground)
{
    const QImage image = sheet.Image();
    CRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != (qRgb(GetRValue(ground), GetGValue(ground), GetBValue(ground)) & 0xFFFFFF))
            {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box.left == INT_MAX ? CRect() : box;
}
} // namespace

TEST(MyDCText, ShapeTextStandsOnItsJustification)
{
    enum Side
    {
        LEFT_OF,  // the text lies to the left of the anchor
        RIGHT_OF, // to its right
        ABOUT     // on both sides
    };
    struct Case
    {
        int code;
        Side side;
        bool above; // the text lies above the anchor (on its baseline), else below (top)
    } cases[] = {{0, RIGHT_OF, true},  {256, RIGHT_OF, true}, {768, RIGHT_OF, true}, {1, ABOUT, true},
                 {257, ABOUT, true},   {2, LEFT_OF, true},    {258, LEFT_OF, true},  {512, RIGHT_OF, true},
                 {514, LEFT_OF, false}, {769, ABOUT, false},  {770, LEFT_OF, false}, {3, ABOUT, false}};
    for (const Case& c : cases)
    {
        Sheet sheet(200, 100);
        sheet.dc.DrawShapeText("Ab", kGreen, 24, 0, c.code, 100, 50, 0.0);
        const CRect box = Drawn(sheet, kSilver);
        ASSERT_FALSE(box.IsRectEmpty()) << c.code;
        switch (c.side)
        {
        case RIGHT_OF:
            EXPECT_GE(box.left, 99) << c.code;
            break;
        case LEFT_OF:
            EXPECT_LE(box.right, 101) << c.code;
            break;
        case ABOUT:
            EXPECT_LT(box.left, 95) << c.code;
            EXPECT_GT(box.right, 105) << c.code;
            break;
        }
        if (c.above)
            EXPECT_LE(box.bottom, 51) << c.code;
        else
            EXPECT_GE(box.top, 49) << c.code;
    }
    Sheet none(200, 100);
    none.dc.DrawShapeText("Ab", kGreen, 24, 0, 0xFFFF, 100, 50, 0.0);
    EXPECT_TRUE(Drawn(none, kSilver).IsRectEmpty());
}

TEST(MyDCText, ShapeTextTurnsByItsRotation)
{
    Sheet level(200, 200), upright(200, 200);
    level.dc.DrawShapeText("Abcdef", kGreen, 20, 0, 0, 100, 100, 0.0);
    upright.dc.DrawShapeText("Abcdef", kGreen, 20, 0, 0, 100, 100, 90.0);
    const CRect a = Drawn(level, kSilver), b = Drawn(upright, kSilver);
    EXPECT_GT(a.Width(), a.Height());
    EXPECT_GT(b.Height(), b.Width());
    EXPECT_LE(b.bottom, 101) << "turned anticlockwise, the text runs up from the anchor";
}

TEST(MyDCText, CircledTextSitsInAFilledCircle)
{
    Sheet sheet(100, 100);
    CBrush yellow(0x00FFFF);
    sheet.dc.SetTextColor(kBlack);
    sheet.dc.DrawCircledText(50, 50, "7", &yellow);
    const int r = sheet.dc.GetTextExtent("8", 1).cx;
    ASSERT_GT(r, 3);
    EXPECT_EQ(sheet.At(50 - r + 2, 50), 0x00FFFFu);
    EXPECT_EQ(sheet.At(50 + r + 2, 50), kSilver);
    EXPECT_GT(sheet.Count(kBlack), 5) << "the text and the outline";
}

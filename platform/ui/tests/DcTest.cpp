// Drawing on a memory context: lines, shapes, raster operations, brushes, clipping, mapping
// and saved states, checked on pixels.
#include "platform/core/SysColor.h"
#include "platform/ui/Colour.h"
#include "platform/ui/Dc.h"
#include "platform/ui/tests/Canvas.h"

#include <gtest/gtest.h>

TEST(DcLines, LineLeavesOutItsLastPixel)
{
    Canvas c(16, 16);
    c.dc.MoveTo(2, 3);
    EXPECT_TRUE(c.dc.LineTo(9, 3));
    EXPECT_EQ(c.Row(3, 0, 10), "..#######..");
    c.dc.MoveTo(12, 12);
    c.dc.LineTo(12, 5);
    EXPECT_EQ(c.Column(12, 4, 13), "..#######.");
    // The current position moved to the end; a line of no length draws nothing.
    EXPECT_EQ(c.dc.GetCurrentPosition(), CPoint(12, 5));
    c.dc.MoveTo(1, 14);
    c.dc.LineTo(1, 14);
    EXPECT_EQ(c.At(1, 14), kWhite);
}

TEST(DcLines, MoveToReturnsThePreviousPosition)
{
    Canvas c(4, 4);
    c.dc.MoveTo(3, 2);
    EXPECT_EQ(c.dc.MoveTo(1, 1), CPoint(3, 2));
}

TEST(DcLines, PolylineDrawsEveryVertexOnce)
{
    // Drawn in XOR, a pixel drawn twice would come back white.
    Canvas c(12, 12);
    c.dc.SetROP2(R2_XORPEN);
    CPen white(PS_SOLID, 1, kWhite);
    c.dc.SelectObject(&white);
    const POINT square[] = {{1, 1}, {9, 1}, {9, 8}, {1, 8}, {1, 1}};
    EXPECT_TRUE(c.dc.Polyline(square, 5));
    EXPECT_EQ(c.Row(1, 0, 10), ".#########.");
    EXPECT_EQ(c.Row(8, 0, 10), ".#########.");
    EXPECT_EQ(c.Column(1, 0, 9), ".########.");
    EXPECT_EQ(c.Column(9, 0, 9), ".########.");
    EXPECT_FALSE(c.dc.Polyline(square, 1));
}

TEST(DcLines, DashedPenLeavesGapsThatOpaqueModeFills)
{
    Canvas c(40, 4);
    CPen dash(PS_DASH, 1, kBlack);
    c.dc.SelectObject(&dash);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.MoveTo(0, 1);
    c.dc.LineTo(40, 1);
    const std::string transparent = c.Row(1, 0, 39);
    EXPECT_NE(transparent.find('#'), std::string::npos);
    EXPECT_NE(transparent.find('.'), std::string::npos);

    c.dc.SetBkMode(OPAQUE);
    c.dc.SetBkColor(kRed);
    c.dc.MoveTo(0, 2);
    c.dc.LineTo(40, 2);
    const std::string opaque = c.Row(2, 0, 39);
    EXPECT_EQ(opaque.find('.'), std::string::npos);
    EXPECT_NE(opaque.find('o'), std::string::npos);
}

TEST(DcLines, ThinLinesAreTheSamePixelsHoweverTheyAreClipped)
{
    // Unclipped, or clipped to one rectangle, one-pixel lines are written straight into the
    // bitmap; clipped to a region of two rectangles they go through the painter's points. Both
    // ways set the same pixels, in copy and exclusive-or modes, solid and dotted, opaque gaps
    // included; nothing lands outside the clip.
    const POINT zigzag[] = {{-30, 5}, {37, 61}, {12, 3}, {70, 44}, {70, 44}, {2, 70}, {55, -9}, {90, 33}};
    for (const int rop : {R2_COPYPEN, R2_XORPEN})
        for (const int style : {PS_SOLID, PS_DOT})
        {
            Canvas whole(72, 72, kBlue), strip(72, 72, kBlue), parts(72, 72, kBlue);
            CRgn twoRects;
            twoRects.CreateRectRgn(0, 0, 72, 30);
            CRgn lower;
            lower.CreateRectRgn(10, 40, 60, 72);
            twoRects.CombineRgn(&twoRects, &lower, RGN_OR);
            parts.dc.SelectClipRgn(&twoRects);
            strip.dc.IntersectClipRect(0, 0, 72, 30);
            for (Canvas* c : {&whole, &strip, &parts})
            {
                CPen pen(style, 1, RGB(200, 120, 40));
                c->dc.SelectObject(&pen);
                c->dc.SetROP2(rop);
                c->dc.SetBkMode(OPAQUE);
                c->dc.SetBkColor(kGreen);
                EXPECT_TRUE(c->dc.Polyline(zigzag, 8));
                c->dc.SelectStockObject(BLACK_PEN);
            }
            // Read back unclipped.
            strip.dc.SelectClipRgn(nullptr);
            parts.dc.SelectClipRgn(nullptr);
            int drawn = 0;
            for (int y = 0; y < 72; ++y)
                for (int x = 0; x < 72; ++x)
                {
                    const bool inStrip = y < 30, inParts = inStrip || (x >= 10 && x < 60 && y >= 40);
                    const COLORREF own = whole.At(x, y);
                    drawn += own != kBlue;
                    EXPECT_EQ(strip.At(x, y), inStrip ? own : kBlue) << x << "," << y << " " << rop << " " << style;
                    EXPECT_EQ(parts.At(x, y), inParts ? own : kBlue) << x << "," << y << " " << rop << " " << style;
                }
            EXPECT_GT(drawn, 200) << rop << " " << style;
        }
}

TEST(DcLines, WidePenIsWide)
{
    Canvas c(20, 20);
    CPen wide(PS_SOLID, 5, kBlack);
    c.dc.SelectObject(&wide);
    c.dc.MoveTo(3, 10);
    c.dc.LineTo(16, 10);
    for (int y = 8; y <= 12; ++y)
        EXPECT_EQ(c.At(10, y), kBlack) << y;
    EXPECT_EQ(c.At(10, 5), kWhite);
}

TEST(DcShapes, RectangleCoversLeftToRightMinusOne)
{
    Canvas c(12, 10);
    CBrush grey(RGB(128, 128, 128));
    c.dc.SelectObject(&grey);
    EXPECT_TRUE(c.dc.Rectangle(2, 2, 8, 6));
    EXPECT_EQ(c.Row(1, 0, 9), "..........");
    EXPECT_EQ(c.Row(2, 0, 9), "..######..");
    EXPECT_EQ(c.Row(3, 0, 9), "..#oooo#..");
    EXPECT_EQ(c.Row(4, 0, 9), "..#oooo#..");
    EXPECT_EQ(c.Row(5, 0, 9), "..######..");
    EXPECT_EQ(c.Row(6, 0, 9), "..........");
    EXPECT_EQ(c.At(4, 3), RGB(128, 128, 128));
}

TEST(DcShapes, RectangleWithoutPenFillsOnePixelLess)
{
    Canvas c(12, 10);
    c.dc.SelectStockObject(NULL_PEN);
    c.dc.SelectStockObject(BLACK_BRUSH);
    c.dc.Rectangle(2, 2, 8, 6);
    EXPECT_EQ(c.Row(2, 0, 9), "..#####...");
    EXPECT_EQ(c.Row(4, 0, 9), "..#####...");
    EXPECT_EQ(c.Row(5, 0, 9), "..........");
}

TEST(DcShapes, WidePensCentreOnTheEdgeUnlessInsideTheFrame)
{
    Canvas inside(30, 30);
    CPen frame(PS_INSIDEFRAME, 4, kBlack);
    inside.dc.SelectObject(&frame);
    inside.dc.Rectangle(5, 5, 25, 25);
    EXPECT_EQ(inside.Ink(), CRect(5, 5, 25, 25));
    EXPECT_EQ(inside.At(8, 15), kBlack);
    EXPECT_EQ(inside.At(9, 15), kWhite);

    Canvas centred(30, 30);
    CPen solid(PS_SOLID, 4, kBlack);
    centred.dc.SelectObject(&solid);
    centred.dc.Rectangle(5, 5, 25, 25);
    EXPECT_LT(centred.Ink().left, 5);
    EXPECT_GT(centred.Ink().right, 25);
}

TEST(DcShapes, MonochromeBitmapsTakeOnlyBlackAndWhite)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap mono;
    mono.CreateBitmap(10, 10, 1, 1, nullptr);
    CBitmap* old = dc.SelectObject(&mono);
    CBrush white(kWhite), red(kRed);
    const CRect all(0, 0, 10, 10);
    dc.FillRect(&all, &white);
    const CRect part(0, 0, 5, 5);
    dc.FillRect(&part, &red);
    EXPECT_EQ(dc.GetPixel(2, 2), kBlack);
    EXPECT_EQ(dc.GetPixel(7, 7), kWhite);
    dc.SelectObject(old);
}

TEST(DcShapes, HollowBrushLeavesTheInside)
{
    Canvas c(12, 10, kRed);
    c.dc.SelectStockObject(HOLLOW_BRUSH);
    c.dc.Rectangle(1, 1, 9, 8);
    EXPECT_EQ(c.At(1, 1), kBlack);
    EXPECT_EQ(c.At(4, 4), kRed);

    LOGBRUSH hollow{BS_HOLLOW, 0, 0};
    CBrush brush;
    ASSERT_TRUE(brush.CreateBrushIndirect(&hollow));
    c.dc.SelectObject(&brush);
    c.dc.Ellipse(1, 1, 9, 8);
    EXPECT_EQ(c.At(4, 4), kRed);
}

TEST(DcShapes, EllipseStaysInsideItsRectangle)
{
    Canvas c(30, 20);
    c.dc.SelectStockObject(BLACK_BRUSH);
    c.dc.Ellipse(5, 4, 25, 16);
    EXPECT_EQ(c.Ink(), CRect(5, 4, 25, 16));
    EXPECT_EQ(c.At(15, 10), kBlack);
    EXPECT_EQ(c.At(5, 4), kWhite);
}

TEST(DcShapes, PieFollowsTheArcDirection)
{
    // From the radial through the right to the radial through the top.
    Canvas c(41, 41);
    c.dc.SelectStockObject(BLACK_BRUSH);
    c.dc.SelectStockObject(NULL_PEN);
    c.dc.Pie(0, 0, 41, 41, 40, 20, 20, 0);
    EXPECT_EQ(c.At(28, 12), kBlack); // upper right
    EXPECT_EQ(c.At(12, 12), kWhite);
    EXPECT_EQ(c.At(28, 28), kWhite);

    Canvas d(41, 41);
    d.dc.SelectStockObject(BLACK_BRUSH);
    d.dc.SelectStockObject(NULL_PEN);
    EXPECT_EQ(d.dc.SetArcDirection(AD_CLOCKWISE), AD_COUNTERCLOCKWISE);
    d.dc.Pie(0, 0, 41, 41, 40, 20, 20, 0);
    EXPECT_EQ(d.At(28, 12), kWhite);
    EXPECT_EQ(d.At(12, 12), kBlack);
    EXPECT_EQ(d.At(28, 28), kBlack);
}

TEST(DcShapes, ArcAndChord)
{
    Canvas c(41, 41);
    c.dc.Arc(0, 0, 41, 41, 40, 20, 0, 20); // the upper half of the circle
    EXPECT_EQ(c.BoundsOf(kBlack).top, 0);
    EXPECT_LE(c.BoundsOf(kBlack).bottom, 22);

    Canvas d(41, 41);
    d.dc.SelectStockObject(BLACK_BRUSH);
    d.dc.Chord(0, 0, 41, 41, 40, 20, 0, 20);
    EXPECT_EQ(d.At(20, 10), kBlack);
    EXPECT_EQ(d.At(20, 30), kWhite);
}

TEST(DcShapes, PolygonFillModes)
{
    // A five-pointed star: its centre is inside with winding, outside with alternate filling.
    const POINT star[] = {{20, 2}, {31, 36}, {2, 14}, {38, 14}, {9, 36}};
    Canvas c(40, 40);
    c.dc.SelectStockObject(BLACK_BRUSH);
    c.dc.SelectStockObject(NULL_PEN);
    EXPECT_EQ(c.dc.GetPolyFillMode(), ALTERNATE);
    c.dc.Polygon(star, 5);
    EXPECT_EQ(c.At(20, 20), kWhite);
    EXPECT_EQ(c.At(20, 8), kBlack);

    c.dc.SetPolyFillMode(WINDING);
    c.dc.Polygon(star, 5);
    EXPECT_EQ(c.At(20, 20), kBlack);
}

TEST(DcShapes, PolyPolygonCutsAHole)
{
    const POINT points[] = {{0, 0}, {20, 0}, {20, 20}, {0, 20}, {5, 5}, {15, 5}, {15, 15}, {5, 15}};
    const int counts[] = {4, 4};
    Canvas c(21, 21);
    c.dc.SelectStockObject(BLACK_BRUSH);
    c.dc.SelectStockObject(NULL_PEN);
    c.dc.PolyPolygon(points, counts, 2);
    EXPECT_EQ(c.At(2, 2), kBlack);
    EXPECT_EQ(c.At(10, 10), kWhite);
}

TEST(DcShapes, RoundRectKeepsItsCornersOut)
{
    Canvas c(30, 30);
    c.dc.SelectStockObject(BLACK_BRUSH);
    c.dc.RoundRect(0, 0, 30, 30, 16, 16);
    EXPECT_EQ(c.At(0, 0), kWhite);
    EXPECT_EQ(c.At(15, 0), kBlack);
    EXPECT_EQ(c.At(15, 15), kBlack);
}

// A figure drawn twice with an inverting ROP2 leaves the picture as it was.
TEST(DcRop2, RubberBandsDrawnTwiceRestoreThePicture)
{
    for (int rop : {R2_XORPEN, R2_NOTXORPEN, R2_NOT})
    {
        Canvas c(40, 30);
        PaintGradient(c.dc, 40, 30);
        const QImage before = c.bitmap.ToImage();
        CPen pen(PS_SOLID, 1, RGB(200, 60, 10));
        c.dc.SelectObject(&pen);
        c.dc.SelectStockObject(NULL_BRUSH);
        c.dc.SetROP2(rop);
        for (int pass = 0; pass < 2; ++pass)
        {
            c.dc.Rectangle(3, 4, 30, 25);
            c.dc.MoveTo(0, 0);
            c.dc.LineTo(39, 29);
            c.dc.Ellipse(10, 5, 35, 20);
            const POINT band[] = {{2, 2}, {20, 3}, {25, 27}, {2, 2}};
            c.dc.Polyline(band, 4);
        }
        EXPECT_TRUE(c.bitmap.ToImage() == before) << "ROP2 " << rop;
    }
}

TEST(DcRop2, PenAndDestinationCombineAsTheCodeSays)
{
    const COLORREF pen = RGB(0xF0, 0x0F, 0x33), dst = RGB(0x3C, 0x3C, 0xAA);
    struct Case
    {
        int rop;
        COLORREF expected;
    };
    const Case cases[] = {
        {R2_COPYPEN, pen},
        {R2_BLACK, RGB(0, 0, 0)},
        {R2_WHITE, RGB(255, 255, 255)},
        {R2_NOP, dst},
        {R2_NOT, ~dst & 0xFFFFFF},
        {R2_XORPEN, (pen ^ dst) & 0xFFFFFF},
        {R2_NOTXORPEN, ~(pen ^ dst) & 0xFFFFFF},
        {R2_MASKPEN, pen & dst},
        {R2_MERGEPEN, pen | dst},
        {R2_NOTCOPYPEN, ~pen & 0xFFFFFF},
        {R2_MASKNOTPEN, ~pen & dst},
        {R2_MERGEPENNOT, (pen | ~dst) & 0xFFFFFF},
    };
    for (const Case& k : cases)
    {
        Canvas c(4, 4, dst);
        CPen p(PS_SOLID, 1, pen);
        c.dc.SelectObject(&p);
        c.dc.SetROP2(k.rop);
        c.dc.MoveTo(0, 1);
        c.dc.LineTo(3, 1);
        EXPECT_EQ(c.At(1, 1), k.expected) << "ROP2 " << k.rop;
    }
}

TEST(DcBrushes, HatchOverTransparentAndOpaqueBackgrounds)
{
    Canvas c(16, 16, kBlue);
    CBrush hatch(HS_HORIZONTAL, kBlack);
    c.dc.SelectObject(&hatch);
    c.dc.SelectStockObject(NULL_PEN);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.Rectangle(0, 0, 17, 17);
    EXPECT_GT(c.Count(kBlack), 0);
    EXPECT_GT(c.Count(kBlue), 0);
    EXPECT_EQ(c.Count(kRed), 0);

    c.dc.SetBkMode(OPAQUE);
    c.dc.SetBkColor(kRed);
    c.dc.Rectangle(0, 0, 17, 17);
    EXPECT_EQ(c.Count(kBlue), 0);
    EXPECT_EQ(c.Count(kBlack) + c.Count(kRed), 16 * 16);
    // Horizontal hatching: whole rows of the colour.
    const CRect rows = c.BoundsOf(kBlack);
    EXPECT_EQ(rows.Width(), 16);
    EXPECT_EQ(c.Count(kBlack) % 16, 0);
}

TEST(DcBrushes, HatchDirections)
{
    // Forward diagonals fall to the right, backward ones rise.
    auto slope = [](int hatch) {
        Canvas c(16, 16);
        CBrush brush(hatch, kBlack);
        CRect all(0, 0, 16, 16);
        c.dc.SetBkMode(TRANSPARENT);
        c.dc.FillRect(&all, &brush);
        for (int x = 0; x < 15; ++x)
            if (c.At(x, 4) == kBlack)
                return c.At(x + 1, 5) == kBlack ? 1 : (x > 0 && c.At(x - 1, 5) == kBlack ? -1 : 0);
        return 0;
    };
    EXPECT_EQ(slope(HS_FDIAGONAL), 1);
    EXPECT_EQ(slope(HS_BDIAGONAL), -1);
}

TEST(DcBrushes, MonochromePatternTakesTextAndBackgroundColours)
{
    const BYTE bits[] = {0xAA, 0x00, 0x55, 0x00}; // a 8 x 2 checker, rows padded to 16 bits
    CBitmap checker;
    ASSERT_TRUE(checker.CreateBitmap(8, 2, 1, 1, bits));
    CBrush brush(&checker);
    Canvas c(8, 4);
    c.dc.SetTextColor(kRed);
    c.dc.SetBkColor(kBlue);
    const CRect all(0, 0, 8, 4);
    c.dc.FillRect(&all, &brush);
    EXPECT_EQ(c.At(0, 0), kBlue); // a set bit
    EXPECT_EQ(c.At(1, 0), kRed);
    EXPECT_EQ(c.At(0, 1), kRed);
    EXPECT_EQ(c.At(0, 2), kBlue); // the pattern repeats
}

TEST(DcBrushes, BadHatchAndPenStylesAreRefused)
{
    CBrush brush;
    EXPECT_FALSE(brush.CreateHatchBrush(6, kBlack));
    EXPECT_EQ(brush.m_hObject, nullptr);
    CPen pen;
    EXPECT_FALSE(pen.CreatePen(42, 1, kBlack));
}

TEST(DcRects, FillFrameInvertAndSolid)
{
    Canvas c(12, 12);
    CBrush black(kBlack);
    const CRect r(2, 2, 7, 6);
    c.dc.FrameRect(&r, &black);
    EXPECT_EQ(c.Row(2, 0, 8), "..#####..");
    EXPECT_EQ(c.Row(3, 0, 8), "..#...#..");
    EXPECT_EQ(c.Row(5, 0, 8), "..#####..");

    c.dc.InvertRect(&r);
    EXPECT_EQ(c.Row(3, 0, 8), "...###...");

    c.dc.FillRect(&r, &black);
    EXPECT_EQ(c.Row(4, 0, 8), "..#####..");

    c.dc.FillSolidRect(CRect(0, 8, 3, 10), kRed);
    EXPECT_EQ(c.At(2, 9), kRed);
    EXPECT_EQ(c.At(3, 9), kWhite);
    // The framework's FillSolidRect leaves the background colour set.
    EXPECT_EQ(c.dc.GetBkColor(), kRed);
}

TEST(DcRects, Draw3dRectAndDrawEdge)
{
    Canvas c(20, 20);
    c.dc.Draw3dRect(CRect(1, 1, 6, 6), kRed, kBlue);
    EXPECT_EQ(c.At(1, 1), kRed);
    EXPECT_EQ(c.At(4, 1), kRed);
    EXPECT_EQ(c.At(5, 1), kBlue); // top-right corner belongs to the bottom-right colour
    EXPECT_EQ(c.At(5, 5), kBlue);
    EXPECT_EQ(c.At(1, 5), kBlue);
    EXPECT_EQ(c.At(3, 3), kWhite);

    CRect edge(8, 8, 18, 18);
    EXPECT_TRUE(c.dc.DrawEdge(&edge, EDGE_RAISED, BF_RECT | BF_ADJUST | BF_MIDDLE));
    EXPECT_EQ(c.At(8, 8), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(c.At(9, 9), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(c.At(17, 17), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(c.At(16, 16), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c.At(12, 12), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(edge, CRect(10, 10, 16, 16));

    CRect sunken(0, 10, 6, 16);
    c.dc.DrawEdge(&sunken, EDGE_SUNKEN, BF_RECT);
    EXPECT_EQ(c.At(0, 10), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c.At(5, 15), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST(DcRects, FrameControls)
{
    Canvas c(40, 20);
    CRect push(0, 0, 20, 20);
    EXPECT_TRUE(c.dc.DrawFrameControl(&push, DFC_BUTTON, DFCS_BUTTONPUSH));
    EXPECT_EQ(c.At(10, 10), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(c.At(19, 19), GetSysColor(COLOR_3DDKSHADOW));
    CRect pushed(0, 0, 20, 20);
    c.dc.DrawFrameControl(&pushed, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
    EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_3DDKSHADOW));

    CRect check(20, 0, 40, 20);
    EXPECT_TRUE(c.dc.DrawFrameControl(&check, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
    CRect marks(20, 0, 40, 20);
    int ink = 0;
    for (int y = marks.top; y < marks.bottom; ++y)
        for (int x = marks.left + 2; x < marks.left + 11; ++x)
            ink += c.At(x, y) == GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_GT(ink, 5);
    EXPECT_FALSE(c.dc.DrawFrameControl(&check, DFC_CAPTION, 0));
}

TEST(DcRects, FocusRectTwiceLeavesNoTrace)
{
    Canvas c(30, 20);
    PaintGradient(c.dc, 30, 20);
    const QImage before = c.bitmap.ToImage();
    const CRect r(3, 3, 25, 15);
    c.dc.DrawFocusRect(&r);
    EXPECT_FALSE(c.bitmap.ToImage() == before);
    // Dotted: neighbouring frame pixels differ in whether they changed.
    const QImage once = c.bitmap.ToImage();
    EXPECT_NE(once.pixel(3, 3) == before.pixel(3, 3), once.pixel(4, 3) == before.pixel(4, 3));
    c.dc.DrawFocusRect(&r);
    EXPECT_TRUE(c.bitmap.ToImage() == before);
}

TEST(DcPixels, SetAndGet)
{
    Canvas c(5, 5);
    EXPECT_EQ(c.dc.SetPixel(2, 3, RGB(10, 20, 30)), RGB(10, 20, 30));
    EXPECT_EQ(c.dc.GetPixel(2, 3), RGB(10, 20, 30));
    EXPECT_EQ(c.dc.GetPixel(5, 0), CLR_INVALID);
    EXPECT_EQ(c.dc.GetPixel(-1, 0), CLR_INVALID);
    EXPECT_EQ(c.dc.SetPixel(7, 7, kBlack), CLR_INVALID);
}

// Pixels set one at a time are written into the bitmap directly; every change of the clip, the
// mapping or the saved state between two of them must still decide where the next one lands.
TEST(DcPixels, EachPixelFollowsTheClipInForceWhenItIsSet)
{
    Canvas c(20, 20);
    c.dc.SaveDC();
    struct Step
    {
        const char* change;
        void (*apply)(CDC&);
        CPoint inside, outside; // logical
        CPoint insideDevice, outsideDevice; // the outside one may lie off the bitmap
    };
    const Step steps[] = {
        {"intersect", [](CDC& dc) { dc.IntersectClipRect(5, 5, 10, 10); }, {5, 5}, {4, 4}, {5, 5}, {4, 4}},
        {"offset", [](CDC& dc) { dc.OffsetClipRgn(5, 5); }, {14, 14}, {9, 9}, {14, 14}, {9, 9}},
        {"exclude a hole", [](CDC& dc) { dc.ExcludeClipRect(11, 11, 13, 13); }, {10, 10}, {12, 12}, {10, 10}, {12, 12}},
        {"restore", [](CDC& dc) { dc.RestoreDC(-1); }, {0, 0}, {20, 3}, {0, 0}, {20, 3}},
        {"viewport", [](CDC& dc) { dc.SetViewportOrg(3, 3); dc.IntersectClipRect(0, 0, 5, 5); },
         {0, 0}, {5, 5}, {3, 3}, {8, 8}},
        {"none", [](CDC& dc) { dc.SelectClipRgn(nullptr); }, {5, 5}, {17, 17}, {8, 8}, {19, 19}},
    };
    COLORREF colour = RGB(200, 0, 0);
    for (const Step& step : steps)
    {
        SCOPED_TRACE(step.change);
        colour += 1;
        const QImage before = c.bitmap.ToImage();
        step.apply(c.dc);
        EXPECT_EQ(c.dc.SetPixel(step.inside, colour), colour);
        EXPECT_EQ(c.dc.GetPixel(step.inside), colour);
        const bool beyond = !QRect(0, 0, 20, 20).contains(step.outsideDevice.x, step.outsideDevice.y);
        EXPECT_EQ(c.dc.SetPixel(step.outside, colour), CLR_INVALID);
        const QImage after = c.bitmap.ToImage();
        EXPECT_EQ(ColorRefFromQRgb(after.pixel(step.insideDevice.x, step.insideDevice.y)), colour);
        if (!beyond)
        {
            EXPECT_EQ(after.pixel(step.outsideDevice.x, step.outsideDevice.y),
                      before.pixel(step.outsideDevice.x, step.outsideDevice.y));
        }
    }
}

TEST(DcPixels, PixelsAndOtherDrawingLandInTheOrderDrawn)
{
    Canvas c(8, 8);
    c.dc.SetPixel(2, 2, kRed);
    c.dc.FillSolidRect(0, 0, 4, 4, kGreen);
    EXPECT_EQ(c.At(2, 2), kGreen);
    c.dc.SetPixel(2, 2, kBlue);
    EXPECT_EQ(c.At(2, 2), kBlue);
    c.dc.MoveTo(0, 2);
    c.dc.LineTo(8, 2);
    EXPECT_EQ(c.Row(2, 0, 7), "########");
    c.dc.SetPixel(3, 2, kRed);
    // A copy taken now holds every pixel set so far.
    Canvas copy(8, 8);
    copy.dc.BitBlt(0, 0, 8, 8, &c.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(copy.Row(2, 0, 7), "###o####");
    EXPECT_EQ(copy.At(3, 2), kRed);

    // On a monochrome bitmap a pixel is white only for white.
    CDC mono;
    mono.CreateCompatibleDC(nullptr);
    CBitmap bits;
    bits.CreateBitmap(4, 1, 1, 1, nullptr);
    CBitmap* old = mono.SelectObject(&bits);
    EXPECT_EQ(mono.SetPixel(0, 0, kRed), kBlack);
    EXPECT_EQ(mono.SetPixel(1, 0, kWhite), kWhite);
    EXPECT_EQ(mono.GetPixel(0, 0), kBlack);
    EXPECT_EQ(mono.GetPixel(1, 0), kWhite);
    mono.SelectObject(old);
}

TEST(DcClip, IntersectExcludeAndRemove)
{
    Canvas c(20, 20);
    CBrush black(kBlack);
    EXPECT_EQ(c.dc.IntersectClipRect(5, 5, 10, 10), SIMPLEREGION);
    CRect box;
    EXPECT_EQ(c.dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(5, 5, 10, 10));
    const CRect all(0, 0, 20, 20);
    c.dc.FillRect(&all, &black);
    EXPECT_EQ(c.Ink(), CRect(5, 5, 10, 10));
    EXPECT_TRUE(c.dc.PtVisible(9, 9));
    EXPECT_FALSE(c.dc.PtVisible(10, 9));
    EXPECT_EQ(c.dc.GetPixel(2, 2), CLR_INVALID);

    EXPECT_EQ(c.dc.ExcludeClipRect(5, 5, 7, 10), SIMPLEREGION);
    c.dc.SelectClipRgn(nullptr);
    EXPECT_EQ(c.dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(0, 0, 20, 20));

    CRgn region;
    region.CreateRectRgn(0, 0, 3, 3);
    EXPECT_EQ(c.dc.SelectClipRgn(&region), SIMPLEREGION);
    CBrush red(kRed);
    c.dc.FillRect(&all, &red);
    EXPECT_EQ(c.BoundsOf(kRed), CRect(0, 0, 3, 3));
    EXPECT_EQ(c.dc.IntersectClipRect(10, 10, 12, 12), NULLREGION);
}

TEST(DcClip, ClippingStaysInDeviceUnits)
{
    Canvas c(20, 20);
    c.dc.IntersectClipRect(0, 0, 10, 10);
    c.dc.SetViewportOrg(5, 5);
    CBrush black(kBlack);
    const CRect r(0, 0, 10, 10);
    c.dc.FillRect(&r, &black);
    EXPECT_EQ(c.Ink(), CRect(5, 5, 10, 10));
    CRect box;
    c.dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(-5, -5, 5, 5));
}

TEST(DcMapping, OriginsMoveTheDrawing)
{
    Canvas c(20, 20);
    CBrush black(kBlack);
    c.dc.SetViewportOrg(4, 3);
    c.dc.SetWindowOrg(1, 1);
    const CRect r(1, 1, 3, 3);
    c.dc.FillRect(&r, &black);
    EXPECT_EQ(c.Ink(), CRect(4, 3, 6, 5));
    EXPECT_EQ(c.dc.OffsetViewportOrg(1, 1), CPoint(4, 3));
    POINT p{1, 1};
    c.dc.LPtoDP(&p);
    EXPECT_EQ(p.x, 5);
    EXPECT_EQ(p.y, 4);
    c.dc.DPtoLP(&p);
    EXPECT_EQ(p.x, 1);
    EXPECT_EQ(p.y, 1);
}

TEST(DcMapping, AnisotropicScalesAndMetricModesTurnYUp)
{
    Canvas c(40, 40);
    EXPECT_EQ(c.dc.SetMapMode(MM_ANISOTROPIC), MM_TEXT);
    c.dc.SetWindowExt(10, 10);
    c.dc.SetViewportExt(20, 40);
    CBrush black(kBlack);
    const CRect r(1, 1, 3, 2);
    c.dc.FillRect(&r, &black);
    EXPECT_EQ(c.Ink(), CRect(2, 4, 6, 8));

    // Extents only count in the scalable modes.
    c.dc.SetMapMode(MM_TEXT);
    EXPECT_EQ(c.dc.GetWindowExt(), CSize(1, 1));
    c.dc.SetWindowExt(5, 5);
    EXPECT_EQ(c.dc.GetWindowExt(), CSize(1, 1));

    CDC::SetLogPixels(254);
    c.dc.SetMapMode(MM_LOMETRIC); // 0.1 mm: 254 per inch, so one unit a pixel here
    POINT p{100, 100};
    c.dc.LPtoDP(&p);
    EXPECT_EQ(p.x, 100);
    EXPECT_EQ(p.y, -100);
    CDC::SetLogPixels(0);

    c.dc.SetMapMode(MM_ISOTROPIC);
    c.dc.SetWindowExt(10, 10);
    c.dc.SetViewportExt(20, 40);
    EXPECT_EQ(c.dc.GetViewportExt(), CSize(20, 20));
}

TEST(DcState, SaveAndRestore)
{
    Canvas c(10, 10);
    CPen red(PS_SOLID, 1, kRed);
    const int level = c.dc.SaveDC();
    EXPECT_EQ(level, 1);
    c.dc.SelectObject(&red);
    c.dc.SetTextColor(kBlue);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.SetViewportOrg(3, 3);
    c.dc.IntersectClipRect(0, 0, 2, 2);
    EXPECT_EQ(c.dc.SaveDC(), 2);
    c.dc.SetTextColor(kGreen);

    EXPECT_TRUE(c.dc.RestoreDC(-1));
    EXPECT_EQ(c.dc.GetTextColor(), kBlue);
    EXPECT_TRUE(c.dc.RestoreDC(level));
    EXPECT_EQ(c.dc.GetTextColor(), kBlack);
    EXPECT_EQ(c.dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(c.dc.GetViewportOrg(), CPoint(0, 0));
    EXPECT_EQ(c.dc.GetCurrentPen()->m_hObject, ::GetStockObject(BLACK_PEN));
    CRect box;
    c.dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 10, 10));
    // Nothing is left to restore.
    EXPECT_FALSE(c.dc.RestoreDC(-1));
    EXPECT_FALSE(c.dc.RestoreDC(5));
}

TEST(DcState, RestoreBringsBackTheBitmap)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap first, second;
    first.CreateCompatibleBitmap(&dc, 4, 4);
    second.CreateCompatibleBitmap(&dc, 4, 4);
    dc.SelectObject(&first);
    dc.SaveDC();
    dc.SelectObject(&second);
    dc.SetPixel(1, 1, kRed);
    dc.RestoreDC(-1);
    dc.SetPixel(2, 2, kGreen);
    EXPECT_EQ(ColorRefFromQRgb(first.ToImage().pixel(2, 2)), kGreen);
    EXPECT_EQ(ColorRefFromQRgb(second.ToImage().pixel(1, 1)), kRed);
    EXPECT_EQ(ColorRefFromQRgb(second.ToImage().pixel(2, 2)), kBlack);
}

TEST(DcObjects, SelectObjectReturnsWhatItReplaced)
{
    Canvas c(4, 4);
    CPen red(PS_SOLID, 1, kRed), blue(PS_SOLID, 1, kBlue);
    CPen* original = c.dc.SelectObject(&red);
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(original->m_hObject, ::GetStockObject(BLACK_PEN));
    EXPECT_EQ(c.dc.SelectObject(&blue), &red);
    EXPECT_EQ(c.dc.SelectObject(original), &blue);

    CBrush brush(kGreen);
    CBrush* oldBrush = c.dc.SelectObject(&brush);
    EXPECT_EQ(oldBrush->m_hObject, ::GetStockObject(WHITE_BRUSH));
    CGdiObject* stock = c.dc.SelectStockObject(BLACK_BRUSH);
    EXPECT_EQ(stock, &brush);

    CFont font;
    font.CreatePointFont(100, "Arial");
    CFont* oldFont = c.dc.SelectObject(&font);
    EXPECT_EQ(oldFont->m_hObject, ::GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(c.dc.GetCurrentFont(), &font);
    c.dc.SelectObject(oldFont);

    // The bitmap the canvas replaced is the memory context's own 1 x 1 monochrome one.
    BITMAP bm{};
    ASSERT_NE(c.previous, nullptr);
    c.previous->GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
}

TEST(DcObjects, ABitmapLivesInOneContextAtATime)
{
    CDC a, b;
    a.CreateCompatibleDC(nullptr);
    b.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&a, 8, 8);
    CBitmap* old = a.SelectObject(&bitmap);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(b.SelectObject(&bitmap), nullptr);
    a.SelectObject(old);
    EXPECT_NE(b.SelectObject(&bitmap), nullptr);
}

TEST(DcObjects, AnObjectDeletedWhileSelectedStaysUsableUntilReplaced)
{
    Canvas c(10, 10);
    CPen* original = nullptr;
    {
        CPen red(PS_SOLID, 1, kRed);
        original = c.dc.SelectObject(&red);
    } // the pen's object is gone, its handle still selected
    c.dc.MoveTo(0, 5);
    c.dc.LineTo(9, 5);
    EXPECT_EQ(c.At(4, 5), kRed);
    CPen* replaced = c.dc.SelectObject(original);
    ASSERT_NE(replaced, nullptr);
    // Its handle was freed with the selection.
    EXPECT_EQ(replaced->m_hObject, nullptr);
    CGdiObject::DeleteTempMap();
}

TEST(DcObjects, DcPenAndBrushTakeTheContextColours)
{
    Canvas c(10, 10);
    c.dc.SelectStockObject(DC_BRUSH);
    c.dc.SelectStockObject(DC_PEN);
    c.dc.SetDCBrushColor(kGreen);
    c.dc.SetDCPenColor(kBlue);
    c.dc.Rectangle(0, 0, 10, 10);
    EXPECT_EQ(c.At(0, 0), kBlue);
    EXPECT_EQ(c.At(5, 5), kGreen);
}

TEST(DcObjects, TemporaryContextsForHandles)
{
    Canvas c(4, 4);
    CDC* same = CDC::FromHandle(c.dc.GetSafeHdc());
    EXPECT_EQ(same, &c.dc);
    HDC raw = ::CreateCompatibleDC(nullptr);
    CDC* temporary = CDC::FromHandle(raw);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(CDC::FromHandle(raw), temporary);
    EXPECT_TRUE(::DeleteDC(raw));
    // The temporary outlives its handle safely until the idle clean-up.
    EXPECT_EQ(temporary->m_hDC, nullptr);
    EXPECT_EQ(temporary->GetPixel(0, 0), CLR_INVALID);
    CDC::DeleteTempMap();
    EXPECT_EQ(CDC::FromHandle(nullptr), nullptr);
}

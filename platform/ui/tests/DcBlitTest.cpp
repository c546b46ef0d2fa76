// Blits between memory contexts: copies, masked sprites, monochrome conversions, every kind
// of raster operation, stretching and mirroring.
#include "platform/ui/Colour.h"
#include "platform/ui/Dc.h"
#include "platform/ui/Resources.h"
#include "platform/ui/tests/Canvas.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
// A memory context holding a monochrome bitmap.
struct MonoCanvas
{
    CDC dc;
    CBitmap bitmap;
    CBitmap* previous = nullptr;
    MonoCanvas(int width, int height)
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateBitmap(width, height, 1, 1, nullptr);
        previous = dc.SelectObject(&bitmap);
    }
    ~MonoCanvas() { dc.SelectObject(previous); }
};
} // namespace

TEST(DcBlit, CopyAndOverlappingScroll)
{
    Canvas source(20, 20);
    PaintGradient(source.dc, 20, 20);
    Canvas target(30, 30);
    EXPECT_TRUE(target.dc.BitBlt(5, 6, 10, 10, &source.dc, 3, 4, SRCCOPY));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(target.At(5 + x, 6 + y), source.At(3 + x, 4 + y));
    EXPECT_EQ(target.At(4, 6), kWhite);
    EXPECT_EQ(target.At(15, 6), kWhite);

    // Within one bitmap, the copy reads the picture as it was before.
    const QImage before = source.bitmap.ToImage();
    source.dc.BitBlt(0, 2, 20, 18, &source.dc, 0, 0, SRCCOPY);
    for (int y = 2; y < 20; ++y)
        ASSERT_EQ(source.At(7, y), ColorRefFromQRgb(before.pixel(7, y - 2)));

    // A whole picture (as a double-buffered view copies it) lands whole in another context, and
    // read from itself it still reads the picture as it was before.
    Canvas screen(20, 20);
    EXPECT_TRUE(screen.dc.BitBlt(0, 0, 20, 20, &source.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(screen.bitmap.ToImage(), source.bitmap.ToImage());
    const QImage whole = source.bitmap.ToImage();
    source.dc.BitBlt(0, 3, 20, 20, &source.dc, 0, 0, SRCCOPY);
    for (int y = 3; y < 20; ++y)
        ASSERT_EQ(source.At(9, y), ColorRefFromQRgb(whole.pixel(9, y - 3))) << y;
}

TEST(DcBlit, MaskedSpriteShowsOnlyTheSprite)
{
    // The classic transparent sprite: destination XOR sprite, AND mask, XOR sprite again.
    Canvas sprite(16, 16, kBlack);
    sprite.dc.SelectStockObject(NULL_PEN);
    CBrush red(kRed);
    sprite.dc.SelectObject(&red);
    sprite.dc.Ellipse(2, 2, 14, 14);

    // The mask: white where the sprite has its transparent colour (black), black elsewhere.
    MonoCanvas mask(16, 16);
    sprite.dc.SetBkColor(kBlack);
    mask.dc.BitBlt(0, 0, 16, 16, &sprite.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(mask.dc.GetPixel(0, 0), kWhite);
    EXPECT_EQ(mask.dc.GetPixel(8, 8), kBlack);

    Canvas scene(24, 24);
    PaintGradient(scene.dc, 24, 24);
    const QImage before = scene.bitmap.ToImage();
    scene.dc.SetTextColor(kBlack);
    scene.dc.SetBkColor(kWhite);
    scene.dc.BitBlt(4, 4, 16, 16, &sprite.dc, 0, 0, SRCINVERT);
    scene.dc.BitBlt(4, 4, 16, 16, &mask.dc, 0, 0, SRCAND);
    scene.dc.BitBlt(4, 4, 16, 16, &sprite.dc, 0, 0, SRCINVERT);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x)
        {
            const bool inSprite = x >= 4 && x < 20 && y >= 4 && y < 20 && sprite.At(x - 4, y - 4) == kRed;
            const COLORREF expected = inSprite ? kRed : ColorRefFromQRgb(before.pixel(x, y));
            ASSERT_EQ(scene.At(x, y), expected) << x << "," << y;
        }
}

TEST(DcBlit, MonochromeSourceTakesTextAndBackgroundColours)
{
    const BYTE bits[] = {0xF0, 0x00, 0x0F, 0x00}; // two rows of 8 pixels, padded to 16 bits
    CBitmap pattern;
    ASSERT_TRUE(pattern.CreateBitmap(8, 2, 1, 1, bits));
    CDC mono;
    mono.CreateCompatibleDC(nullptr);
    CBitmap* old = mono.SelectObject(&pattern);

    Canvas c(8, 2);
    c.dc.SetTextColor(kRed); // for 0 bits
    c.dc.SetBkColor(kBlue);  // for 1 bits
    c.dc.BitBlt(0, 0, 8, 2, &mono, 0, 0, SRCCOPY);
    EXPECT_EQ(c.At(0, 0), kBlue);
    EXPECT_EQ(c.At(4, 0), kRed);
    EXPECT_EQ(c.At(0, 1), kRed);
    EXPECT_EQ(c.At(7, 1), kBlue);
    mono.SelectObject(old);
}

TEST(DcBlit, EveryRasterOperationCombinesAsItsCodeSays)
{
    const COLORREF S = RGB(0xC3, 0x5A, 0x0F), D = RGB(0x99, 0xF0, 0x33), P = RGB(0x6C, 0x0F, 0xF5);
    using Rule = std::function<COLORREF(COLORREF, COLORREF, COLORREF)>;
    struct Case
    {
        DWORD rop;
        Rule rule;
    };
    const Case cases[] = {
        {SRCCOPY, [](COLORREF s, COLORREF, COLORREF) { return s; }},
        {SRCPAINT, [](COLORREF s, COLORREF d, COLORREF) { return s | d; }},
        {SRCAND, [](COLORREF s, COLORREF d, COLORREF) { return s & d; }},
        {SRCINVERT, [](COLORREF s, COLORREF d, COLORREF) { return s ^ d; }},
        {SRCERASE, [](COLORREF s, COLORREF d, COLORREF) { return s & ~d; }},
        {NOTSRCCOPY, [](COLORREF s, COLORREF, COLORREF) { return ~s; }},
        {NOTSRCERASE, [](COLORREF s, COLORREF d, COLORREF) { return ~(s | d); }},
        {MERGECOPY, [](COLORREF s, COLORREF, COLORREF p) { return p & s; }},
        {MERGEPAINT, [](COLORREF s, COLORREF d, COLORREF) { return ~s | d; }},
        {PATCOPY, [](COLORREF, COLORREF, COLORREF p) { return p; }},
        {PATPAINT, [](COLORREF s, COLORREF d, COLORREF p) { return p | ~s | d; }},
        {PATINVERT, [](COLORREF, COLORREF d, COLORREF p) { return p ^ d; }},
        {DSTINVERT, [](COLORREF, COLORREF d, COLORREF) { return ~d; }},
        {BLACKNESS, [](COLORREF, COLORREF, COLORREF) { return COLORREF(0); }},
        {WHITENESS, [](COLORREF, COLORREF, COLORREF) { return COLORREF(0xFFFFFF); }},
        {0x00E20746, [](COLORREF s, COLORREF d, COLORREF p) { return (p & s) | (d & ~s); }}, // DSPDxax
    };
    Canvas source(4, 4, S);
    for (const Case& k : cases)
    {
        Canvas target(4, 4, D);
        CBrush brush(P);
        target.dc.SelectObject(&brush);
        EXPECT_TRUE(target.dc.BitBlt(1, 1, 2, 2, &source.dc, 0, 0, k.rop));
        EXPECT_EQ(target.At(1, 1), k.rule(S, D, P) & 0xFFFFFF) << std::hex << k.rop;
        EXPECT_EQ(target.At(0, 0), D) << std::hex << k.rop;
        EXPECT_EQ(target.At(3, 3), D) << std::hex << k.rop;
    }
}

TEST(DcBlit, PatternOperationsNeedNoSource)
{
    Canvas c(6, 6, kRed);
    CBrush blue(kBlue);
    c.dc.SelectObject(&blue);
    EXPECT_TRUE(c.dc.PatBlt(1, 1, 2, 2, PATCOPY));
    EXPECT_EQ(c.At(1, 1), kBlue);
    EXPECT_TRUE(c.dc.PatBlt(0, 0, 6, 6, PATINVERT));
    EXPECT_TRUE(c.dc.PatBlt(0, 0, 6, 6, PATINVERT));
    EXPECT_EQ(c.At(1, 1), kBlue);
    EXPECT_EQ(c.At(4, 4), kRed);
    // A source operation without a source does nothing.
    EXPECT_FALSE(c.dc.PatBlt(0, 0, 6, 6, SRCCOPY));
    EXPECT_FALSE(c.dc.BitBlt(0, 0, 6, 6, nullptr, 0, 0, SRCCOPY));
    EXPECT_EQ(c.At(4, 4), kRed);
}

TEST(DcBlit, StretchAndMirror)
{
    Canvas source(2, 2);
    source.dc.SetPixel(0, 0, kRed);
    source.dc.SetPixel(1, 0, kGreen);
    source.dc.SetPixel(0, 1, kBlue);
    source.dc.SetPixel(1, 1, kBlack);
    Canvas big(4, 4);
    EXPECT_TRUE(big.dc.StretchBlt(0, 0, 4, 4, &source.dc, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(big.At(1, 1), kRed);
    EXPECT_EQ(big.At(2, 1), kGreen);
    EXPECT_EQ(big.At(1, 2), kBlue);
    EXPECT_EQ(big.At(3, 3), kBlack);

    // A negative extent runs back from the pixel the origin names.
    Canvas mirrored(2, 2);
    mirrored.dc.StretchBlt(1, 0, -2, 2, &source.dc, 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(mirrored.At(1, 0), kRed);
    EXPECT_EQ(mirrored.At(0, 0), kGreen);
    EXPECT_EQ(mirrored.At(0, 1), kBlack);
}

TEST(DcBlit, TransparentBltSkipsTheKeyColour)
{
    Canvas source(4, 1);
    source.dc.SetPixel(0, 0, kRed);
    source.dc.SetPixel(1, 0, kGreen);
    source.dc.SetPixel(2, 0, kRed);
    source.dc.SetPixel(3, 0, kBlue);
    Canvas target(4, 1, kBlack);
    EXPECT_TRUE(target.dc.TransparentBlt(0, 0, 4, 1, &source.dc, 0, 0, 4, 1, kRed));
    EXPECT_EQ(target.Row(0, 0, 3), "#o#o");
    EXPECT_EQ(target.At(1, 0), kGreen);
}

namespace
{
// A 4 x 4 picture: a red 2 x 2 square in the middle of a transparent border.
QImage SquareIcon()
{
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 1; y < 3; ++y)
        for (int x = 1; x < 3; ++x)
            image.setPixel(x, y, qRgb(255, 0, 0));
    return image;
}
const BITMAP_ENTRY kIcons[] = {{7301, nullptr, &SquareIcon}};
} // namespace

TEST(DcBlit, DrawIconKeepsWhatLiesUnderItsTransparentPixels)
{
    AfxRegisterBitmaps("DcBlitIcons", kIcons, 1);
    Canvas target(10, 10, kBlack);
    target.dc.SetViewportOrg(2, 3);
    EXPECT_TRUE(target.dc.DrawIcon(1, 1, 7301));
    EXPECT_EQ(target.BoundsOf(kRed), CRect(4, 5, 6, 7));
    EXPECT_EQ(target.Count(kRed), 4);
    EXPECT_EQ(target.Count(kBlack), 96);
    EXPECT_FALSE(target.dc.DrawIcon(0, 0, 7302));
    AfxUnregisterBitmaps("DcBlitIcons");
}

TEST(DcBlit, BlitsFollowTheMappingOfBothContexts)
{
    Canvas source(10, 10);
    source.dc.SetPixel(5, 5, kRed);
    source.dc.SetWindowOrg(-5, -5);
    Canvas target(10, 10);
    target.dc.SetViewportOrg(2, 3);
    target.dc.BitBlt(0, 0, 1, 1, &source.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(target.BoundsOf(kRed), CRect(2, 3, 3, 4));
    EXPECT_EQ(target.Count(kRed), 1);
}

TEST(DcBlit, ClippingLimitsBlits)
{
    Canvas source(10, 10, kRed);
    Canvas target(10, 10);
    target.dc.IntersectClipRect(2, 2, 4, 4);
    target.dc.BitBlt(0, 0, 10, 10, &source.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(target.BoundsOf(kRed), CRect(2, 2, 4, 4));
    // The same through the pixel-by-pixel path.
    CBrush blue(kBlue);
    target.dc.SelectObject(&blue);
    target.dc.BitBlt(0, 0, 10, 10, &source.dc, 0, 0, MERGECOPY);
    EXPECT_EQ(target.Ink(), CRect(2, 2, 4, 4));
}

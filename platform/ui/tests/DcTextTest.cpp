// Text on a memory context: colours, backgrounds, alignment, DrawText formats, rotated and
// mapped fonts, metrics.
#include "platform/ui/Dc.h"
#include "platform/ui/Font.h"
#include "platform/ui/tests/Canvas.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// A canvas with a 20-pixel sans-serif font selected.
struct TextCanvas : Canvas
{
    CFont font;
    CFont* oldFont = nullptr;
    TextCanvas(int width, int height, int fontHeight = -20, LONG escapement = 0) : Canvas(width, height)
    {
        font.CreateFont(fontHeight, 0, escapement, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                        "Arial");
        oldFont = dc.SelectObject(&font);
    }
    ~TextCanvas() { dc.SelectObject(oldFont); }
};
} // namespace

TEST(DcText, TextColourAndOpaqueBackground)
{
    TextCanvas c(200, 60);
    c.dc.SetTextColor(kRed);
    c.dc.SetBkColor(kBlue);
    const CSize extent = c.dc.GetTextExtent("Hello");
    ASSERT_GT(extent.cx, 20);
    ASSERT_GT(extent.cy, 15);
    EXPECT_TRUE(c.dc.TextOut(10, 10, "Hello", 5));
    // The background fills exactly the text cell; the text lies inside it.
    EXPECT_EQ(c.Ink(), CRect(10, 10, 10 + extent.cx, 10 + extent.cy));
    EXPECT_GT(c.Count(kRed), 20);
    EXPECT_GT(c.Count(kBlue), 100);

    TextCanvas t(200, 60);
    t.dc.SetTextColor(kRed);
    t.dc.SetBkColor(kBlue);
    t.dc.SetBkMode(TRANSPARENT);
    t.dc.TextOut(10, 10, CString("Hello"));
    EXPECT_EQ(t.Count(kBlue), 0);
    EXPECT_GT(t.Count(kRed), 20);
    const CRect ink = t.Ink();
    EXPECT_GE(ink.left, 10);
    EXPECT_GE(ink.top, 10);
    EXPECT_LE(ink.right, 10 + extent.cx + 1);
    EXPECT_LE(ink.bottom, 10 + extent.cy);
}

TEST(DcText, AlignmentPlacesTheCell)
{
    TextCanvas probe(10, 10);
    const CSize e = probe.dc.GetTextExtent("Align");
    TEXTMETRIC tm{};
    probe.dc.GetTextMetrics(&tm);
    const int x = 150, y = 60;
    struct Case
    {
        UINT align;
        CRect cell;
    };
    const Case cases[] = {
        {TA_LEFT | TA_TOP, CRect(x, y, x + e.cx, y + e.cy)},
        {TA_RIGHT | TA_TOP, CRect(x - e.cx, y, x, y + e.cy)},
        {TA_CENTER | TA_TOP, CRect(x - e.cx / 2, y, x - e.cx / 2 + e.cx, y + e.cy)},
        {TA_LEFT | TA_BOTTOM, CRect(x, y - e.cy, x + e.cx, y)},
        {TA_LEFT | TA_BASELINE, CRect(x, y - tm.tmAscent, x + e.cx, y - tm.tmAscent + e.cy)},
    };
    for (const Case& k : cases)
    {
        TextCanvas c(300, 120);
        c.dc.SetBkColor(kBlue);
        EXPECT_EQ(c.dc.SetTextAlign(k.align), static_cast<UINT>(TA_LEFT | TA_TOP));
        c.dc.TextOut(x, y, "Align", 5);
        EXPECT_EQ(c.Ink(), k.cell) << "alignment " << k.align;
    }
}

TEST(DcText, UpdateCurrentPositionRunsOn)
{
    TextCanvas c(300, 60);
    c.dc.SetBkColor(kBlue);
    c.dc.SetTextAlign(TA_UPDATECP);
    c.dc.MoveTo(10, 5);
    c.dc.TextOut(0, 0, "ab", 2);
    const CSize e = c.dc.GetTextExtent("ab", 2);
    EXPECT_EQ(c.dc.GetCurrentPosition(), CPoint(10 + e.cx, 5));
    c.dc.TextOut(0, 0, "cd", 2);
    EXPECT_EQ(c.Ink().left, 10);
    EXPECT_EQ(c.Ink().right, 10 + e.cx + c.dc.GetTextExtent("cd", 2).cx);
}

TEST(DcText, ExtTextOutOpaqueClippedAndSpaced)
{
    TextCanvas c(200, 60);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.SetBkColor(kGreen);
    const CRect box(5, 5, 40, 30);
    c.dc.ExtTextOut(10, 8, ETO_OPAQUE | ETO_CLIPPED, &box, "Wide text here", 14, nullptr);
    // The rectangle is filled whatever the mode, and nothing falls outside it.
    EXPECT_EQ(c.Ink(), box);
    EXPECT_EQ(c.At(6, 6), kGreen);

    TextCanvas s(200, 60);
    s.dc.SetBkMode(TRANSPARENT);
    const int spacing[] = {30, 30, 30};
    s.dc.ExtTextOut(10, 10, 0, nullptr, "III", 3, spacing);
    EXPECT_GE(s.Ink().Width(), 60);

    // With no text, the opaque rectangle alone (how the framework fills solid rectangles).
    TextCanvas f(50, 50);
    f.dc.SetBkColor(kRed);
    const CRect fill(1, 2, 4, 6);
    EXPECT_TRUE(f.dc.ExtTextOut(0, 0, ETO_OPAQUE, &fill, nullptr, 0, nullptr));
    EXPECT_EQ(f.BoundsOf(kRed), fill);
}

TEST(DcDrawText, CalcRectMeasures)
{
    TextCanvas c(10, 10);
    TEXTMETRIC tm{};
    c.dc.GetTextMetrics(&tm);
    const CSize e = c.dc.GetTextExtent("Measure me");
    CRect r(5, 7, 5, 7);
    EXPECT_EQ(c.dc.DrawText("Measure me", -1, &r, DT_CALCRECT | DT_SINGLELINE), e.cy);
    EXPECT_EQ(r, CRect(5, 7, 5 + e.cx, 7 + e.cy));
    EXPECT_EQ(c.Ink(), CRect()); // nothing drawn

    CRect two(0, 0, 0, 0);
    EXPECT_EQ(c.dc.DrawText("first\r\nsecond", -1, &two, DT_CALCRECT), 2 * tm.tmHeight);
    EXPECT_EQ(two.Width(), c.dc.GetTextExtent("second").cx);

    CRect wrapped(0, 0, 3 * c.dc.GetTextExtent("word").cx, 0);
    const int height =
        c.dc.DrawText("word word word word word word", -1, &wrapped, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GE(height, 2 * tm.tmHeight);
    EXPECT_EQ(height % tm.tmHeight, 0);
    EXPECT_LE(wrapped.Width(), 3 * c.dc.GetTextExtent("word").cx);

    CRect empty(3, 3, 3, 3);
    EXPECT_EQ(c.dc.DrawText("", -1, &empty, DT_CALCRECT), 0);
}

TEST(DcDrawText, PrefixesAreTakenOutUnlessNoPrefix)
{
    TextCanvas c(10, 10);
    CRect r;
    c.dc.DrawText("&Save", -1, &r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.Width(), c.dc.GetTextExtent("Save").cx);
    r.SetRectEmpty();
    c.dc.DrawText("&Save", -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(r.Width(), c.dc.GetTextExtent("&Save").cx);
    r.SetRectEmpty();
    c.dc.DrawText("A&&B", -1, &r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.Width(), c.dc.GetTextExtent("A&B").cx);
}

TEST(DcDrawText, AlignmentInTheRectangle)
{
    TextCanvas probe(10, 10);
    const CSize e = probe.dc.GetTextExtent("Mid");
    const CRect box(0, 0, 200, 60);
    struct Case
    {
        UINT format;
        CRect cell;
        int result;
    };
    const Case cases[] = {
        {DT_LEFT | DT_TOP | DT_SINGLELINE, CRect(0, 0, e.cx, e.cy), e.cy},
        {DT_CENTER | DT_VCENTER | DT_SINGLELINE,
         CRect((200 - e.cx) / 2, (60 - e.cy) / 2, (200 - e.cx) / 2 + e.cx, (60 - e.cy) / 2 + e.cy),
         (60 - e.cy) / 2 + e.cy},
        {DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, CRect(200 - e.cx, 60 - e.cy, 200, 60), 60},
    };
    for (const Case& k : cases)
    {
        TextCanvas c(200, 60);
        c.dc.SetBkColor(kBlue);
        CRect r = box;
        EXPECT_EQ(c.dc.DrawText("Mid", -1, &r, k.format), k.result) << k.format;
        EXPECT_EQ(c.Ink(), k.cell) << k.format;
    }
}

TEST(DcDrawText, ClipsToTheRectangleAndShortensWithEllipsis)
{
    const char* text = "A long line of text that will not fit";
    TextCanvas c(300, 40);
    c.dc.SetBkMode(TRANSPARENT);
    CRect narrow(10, 5, 60, 35);
    c.dc.DrawText(text, -1, &narrow, DT_SINGLELINE);
    EXPECT_LE(c.Ink().right, 60);

    TextCanvas n(300, 40);
    n.dc.SetBkMode(TRANSPARENT);
    CRect loose(10, 5, 60, 35);
    n.dc.DrawText(text, -1, &loose, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(n.Ink().right, 100);

    TextCanvas e(300, 40);
    e.dc.SetBkColor(kBlue);
    CRect shortened(10, 5, 80, 35);
    e.dc.DrawText(text, -1, &shortened, DT_SINGLELINE | DT_NOCLIP | DT_END_ELLIPSIS);
    EXPECT_LE(e.Ink().right, 80);
    EXPECT_GT(e.Ink().right, 50);
    CRect measured(10, 5, 80, 35);
    e.dc.DrawText(text, -1, &measured, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_GT(measured.Width(), 20);
    EXPECT_LE(measured.Width(), 70);
}

TEST(DcText, EscapementTurnsTextCounterClockwise)
{
    // Turned a quarter counter-clockwise, the text runs up from its reference point and its
    // cell lies to the right.
    TextCanvas flat(200, 200);
    const CSize e = flat.dc.GetTextExtent("Rotated");
    TextCanvas c(200, 200, -20, 900);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.TextOut(100, 150, "Rotated", 7);
    const CRect ink = c.Ink();
    EXPECT_GT(ink.Height(), ink.Width());
    EXPECT_GE(ink.left, 99);
    EXPECT_LE(ink.right, 101 + e.cy);
    EXPECT_LE(ink.bottom, 151);
    EXPECT_GE(ink.top, 149 - e.cx);

    TextCanvas u(200, 200, -20, 1800);
    u.dc.SetBkMode(TRANSPARENT);
    u.dc.TextOut(100, 100, "Upside", 6);
    EXPECT_LE(u.Ink().right, 101);
    EXPECT_LE(u.Ink().bottom, 101);
}

TEST(DcFonts, HeightsWeightsAndMetrics)
{
    TextCanvas em(10, 10, -20);
    TEXTMETRIC tm{};
    ASSERT_TRUE(em.dc.GetTextMetrics(&tm));
    // A negative height is the character height: the cell less its internal leading.
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 20);
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_GT(tm.tmAveCharWidth, 0);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
    EXPECT_EQ(tm.tmWeight, FW_NORMAL);

    TextCanvas cell(10, 10, 30);
    cell.dc.GetTextMetrics(&tm);
    EXPECT_NEAR(tm.tmHeight, 30, 1);

    Canvas c(10, 10);
    CFont bold;
    bold.CreateFont(-20, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Tahoma");
    CFont* old = c.dc.SelectObject(&bold);
    c.dc.GetTextMetrics(&tm);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
    EXPECT_EQ(tm.tmItalic, 1);
    CString face;
    c.dc.GetTextFace(face);
    EXPECT_EQ(face, "Tahoma");
    c.dc.SelectObject(old);

    // A new context draws with the bold system font.
    c.dc.GetTextMetrics(&tm);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
}

TEST(DcFonts, MetricsReportThePitchOfTheFontThatDraws)
{
    // The pitch bit is set for variable pitch, the Windows way round, and follows the font that
    // draws: a missing monospaced face draws with a fixed-pitch font, and an installed face
    // keeps its own pitch whatever the bits asked for.
    const std::string tooLong(LF_FACESIZE + 8, 'x');
    struct Case
    {
        const char* face;
        BYTE pitchAndFamily;
        bool fixed;
    };
    const Case cases[] = {
        {"Courier New", 0, true},
        {"Courier", 0, true},
        {"Arial", FIXED_PITCH | FF_MODERN, false},
        {"MS Serif", 0, false},
        {"DejaVu Sans Mono", VARIABLE_PITCH | FF_SWISS, true},
        {"", FIXED_PITCH | FF_MODERN, true},
        {tooLong.c_str(), FF_ROMAN, false},
        {nullptr, 0, false},
    };
    for (const Case& k : cases)
    {
        const char* name = k.face ? k.face : "(null)";
        Canvas c(120, 40);
        CFont font;
        ASSERT_TRUE(font.CreateFont(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    k.pitchAndFamily, k.face));
        CFont* old = c.dc.SelectObject(&font);
        TEXTMETRIC tm{};
        ASSERT_TRUE(c.dc.GetTextMetrics(&tm));
        EXPECT_EQ((tm.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0, k.fixed) << name;
        EXPECT_EQ(c.dc.GetTextExtent("iii").cx == c.dc.GetTextExtent("WWW").cx, k.fixed) << name;
        // Whatever the name, the text is drawn.
        c.dc.SetBkMode(TRANSPARENT);
        c.dc.TextOut(2, 2, "Text", 4);
        EXPECT_GT(c.Ink().Width(), 15) << name;
        c.dc.SelectObject(old);
    }
}

TEST(DcFonts, PointFontsUseTheVerticalResolution)
{
    CDC::SetLogPixels(120);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, "Arial"));
    LOGFONT lf{};
    font.GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, -17); // 10 points at 120 dots per inch
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    CDC::SetLogPixels(0);

    const LOGFONT back = LogFontFromQFont(QFontFromLogFont(lf));
    EXPECT_EQ(back.lfHeight, -17);
}

TEST(DcText, TabsExpandToTheStops)
{
    TextCanvas c(300, 40);
    const int stops[] = {50};
    const CSize e = c.dc.GetTabbedTextExtent("a\tb", 3, 1, stops);
    EXPECT_EQ(e.cx, 50 + c.dc.GetTextExtent("b").cx);
    c.dc.SetBkColor(kBlue);
    const CSize drawn = c.dc.TabbedTextOut(10, 5, "a\tb", 3, 1, stops, 10);
    EXPECT_EQ(drawn.cx, e.cx);
    EXPECT_EQ(c.Ink().right, 10 + e.cx);

    int widths[3] = {};
    ASSERT_TRUE(c.dc.GetCharWidth('A', 'C', widths));
    EXPECT_EQ(widths[0], c.dc.GetTextExtent("A").cx);
}

TEST(DcText, MappedFontsScaleWithTheMapping)
{
    TextCanvas c(300, 200);
    const CSize plain = c.dc.GetTextExtent("Scale");
    c.dc.SetMapMode(MM_ANISOTROPIC);
    c.dc.SetWindowExt(1, 1);
    c.dc.SetViewportExt(2, 2);
    // Logical sizes stay; the text draws twice as large.
    EXPECT_NEAR(c.dc.GetTextExtent("Scale").cx, plain.cx, 2);
    c.dc.SetBkColor(kBlue);
    c.dc.TextOut(5, 5, "Scale", 5);
    EXPECT_NEAR(c.Ink().Width(), 2 * plain.cx, 4);
    EXPECT_EQ(c.Ink().left, 10);
}

// The drawing context: its preset objects, the 25 vector symbols checked on the pixels that
// define them at two sizes, the colour rules, and the framed labels.
#include "foundation/MyDC.h"
#include "foundation/tests/MyDCSheet.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace
{
const COLORREF kRed = 0x0000FF;
const COLORREF kBlue = 0xFF0000;
const COLORREF kPaleYellow = 0xE7FFFF;

// What a probe expects at its pixel.
enum Expect
{
    COLOUR,      // the first colour
    COLOUR2,     // the second colour
    GROUND,      // the white ground of symbols 15 and 16
    EMPTY,       // nothing drawn: the background
    NEAR_COLOUR, // the colour somewhere in the 3 x 3 pixels about the point (curves)
    NEAR_COLOUR2 // the second colour the same way
};

struct Probe
{
    int dx, dy;
    Expect expect;
};

// The pixels that define each symbol, as offsets from its centre for a size s (h = s / 2,
// q = s / 4), taken from its geometry: centres, extremities, fills, and points that must stay
// empty.
std::vector<Probe> ProbesOf(int symbol, int s)
{
    const int h = s / 2, q = s / 4;
    switch (symbol)
    {
    case 1: // filled square of side s, no outline
        return {{0, 0, COLOUR},     {-h, -h, COLOUR},  {h - 1, h - 1, COLOUR}, {-h, h - 1, COLOUR},
                {-h - 2, 0, EMPTY}, {h + 1, 0, EMPTY}, {0, -h - 2, EMPTY},     {0, h + 1, EMPTY}};
    case 2: // plus, arms h
        return {{0, 0, COLOUR},     {-h + 1, 0, COLOUR},   {h - 2, 0, COLOUR}, {0, -h + 1, COLOUR},
                {0, h - 2, COLOUR}, {h / 2, h / 2, EMPTY}, {-h - 3, 0, EMPTY}, {0, h + 3, EMPTY}};
    case 3: // X with corners at ±h
        return {{0, 0, COLOUR},          {-h + 2, -h + 2, COLOUR}, {h - 2, h - 2, COLOUR},
                {h - 2, -h + 2, COLOUR}, {-h + 2, h - 2, COLOUR},  {0, -h + 2, EMPTY},
                {-h + 2, 0, EMPTY},      {-h - 3, -h - 3, EMPTY}};
    case 4: // plus and X
        return {{-h + 1, 0, COLOUR},    {0, h - 2, COLOUR},    {-h + 2, -h + 2, COLOUR},
                {h - 2, h - 2, COLOUR}, {h - 1, h / 2, EMPTY}, {-h / 2, h - 1, EMPTY}};
    case 5:  // square filled with the colour, outlined with the second colour
    case 11: // diamond, the same way
    {
        std::vector<Probe> probes = {{0, 0, COLOUR},  {-h, 0, COLOUR2},   {h, 0, COLOUR2},  {0, -h, COLOUR2},
                                     {0, h, COLOUR2}, {-h - 3, 0, EMPTY}, {h + 3, 0, EMPTY}};
        if (symbol == 5)
            probes.push_back({-h + 3, -h + 3, COLOUR});
        else
            probes.push_back({-h + 1, -h + 1, EMPTY});
        return probes;
    }
    case 6:  // square outline in the colour
    case 12: // diamond outline
    {
        std::vector<Probe> probes = {{0, 0, EMPTY},   {-h, 0, COLOUR}, {h, 0, COLOUR},
                                     {0, -h, COLOUR}, {0, h, COLOUR},  {h + 3, 0, EMPTY}};
        if (symbol == 6)
            probes.push_back({-h + 3, -h + 3, EMPTY});
        else
            probes.push_back({-h + 1, -h + 1, EMPTY});
        return probes;
    }
    case 7: // circle of diameter s filled with the colour, outlined with the second colour
        return {{0, 0, COLOUR},      {h / 2, h / 2, COLOUR}, {0, -h, COLOUR2},        {-h, 0, COLOUR2},
                {0, h - 1, COLOUR2}, {h - 1, 0, COLOUR2},    {-h + 1, -h + 1, EMPTY}, {h + 2, 0, EMPTY}};
    case 8: // circle outline
        return {{0, 0, EMPTY},      {h / 2, h / 2, EMPTY}, {0, -h, COLOUR},         {-h, 0, COLOUR},
                {0, h - 1, COLOUR}, {h - 1, 0, COLOUR},    {-h + 1, -h + 1, EMPTY}, {h + 2, 0, EMPTY}};
    case 9: // triangle up: apex (0, -h), base corners (±h, h)
        return {{0, q, COLOUR},      {0, -h, COLOUR2},        {0, h, COLOUR2},        {-h + 1, h, COLOUR2},
                {h - 1, h, COLOUR2}, {-h + 1, -h + 1, EMPTY}, {h - 1, -h + 1, EMPTY}, {0, h + 3, EMPTY}};
    case 10:
        return {{0, q, EMPTY},      {0, -h, COLOUR},         {0, h, COLOUR},         {-h + 1, h, COLOUR},
                {h - 1, h, COLOUR}, {-h + 1, -h + 1, EMPTY}, {h - 1, -h + 1, EMPTY}, {0, h + 3, EMPTY}};
    case 13: // vertical stroke
        return {{0, 0, COLOUR}, {0, -h + 1, COLOUR}, {0, h - 2, COLOUR}, {-3, 0, EMPTY},
                {3, 0, EMPTY},  {0, -h - 3, EMPTY},  {0, h + 2, EMPTY}};
    case 14: // horizontal stroke
        return {{0, 0, COLOUR}, {-h + 1, 0, COLOUR}, {h - 2, 0, COLOUR}, {0, -3, EMPTY},
                {0, 3, EMPTY},  {-h - 3, 0, EMPTY},  {h + 2, 0, EMPTY}};
    case 15: // circle on a white ground with its top and bottom quarters in the colour
        return {{0, h / 2, COLOUR}, {0, -h / 2, COLOUR}, {h / 2, 0, GROUND},     {-h / 2, 0, GROUND},
                {0, -h, COLOUR},    {-h, 0, COLOUR},     {-h + 1, -h + 1, EMPTY}};
    case 16: // diamond on a white ground, upper-left and lower-right quarters in the colour
        return {{-h / 3, -h / 3, COLOUR}, {h / 3, h / 3, COLOUR}, {h / 3, -h / 3, GROUND},
                {-h / 3, h / 3, GROUND},  {0, -h, COLOUR},        {h, 0, COLOUR},
                {-h + 1, -h + 1, EMPTY}};
    case 17: // plus with a small square outline, half side q
        return {{-h + 1, 0, COLOUR},    {0, h - 2, COLOUR},   {-q, -q / 2 - 1, COLOUR},
                {q, q / 2 + 1, COLOUR}, {-q / 2, -q, COLOUR}, {q / 2, -q / 2, EMPTY},
                {h - 1, h - 1, EMPTY}};
    case 18: // plus with a ring of diameter s / 2
        return {{-h + 1, 0, COLOUR},
                {0, h - 2, COLOUR},
                {h - 1, h - 1, EMPTY},
                {-h + 2, -h + 2, EMPTY},
                {q * 7 / 10, q * 7 / 10, NEAR_COLOUR},
                {-q * 7 / 10, -q * 7 / 10, NEAR_COLOUR},
                {q / 3, -q / 3 - 1, EMPTY}};
    case 19: // horizontal stroke, ticks at ±q of ±q, a central tick of ±3s/8
        return {{-h + 1, 0, COLOUR}, {h - 2, 0, COLOUR},          {-q, -q + 1, COLOUR},
                {q, q - 2, COLOUR},  {0, -3 * s / 8 + 1, COLOUR}, {0, 3 * s / 8 - 2, COLOUR},
                {-q, -q - 3, EMPTY}, {0, -3 * s / 8 - 3, EMPTY},  {0, h, EMPTY}};
    case 20: // anchor: stock at y, shank to y + s, arms from (±h, h) to the foot
        return {{-h + 1, 0, COLOUR},    {h - 2, 0, COLOUR},          {0, -h + 1, COLOUR},
                {0, s - 2, COLOUR},     {-h / 2, 3 * h / 2, COLOUR}, {h / 2, 3 * h / 2, COLOUR},
                {-h + 1, s - 2, EMPTY}, {0, s + 3, EMPTY},           {-h - 3, 0, EMPTY}};
    case 21: // square outline with both diagonals
        return {{0, 0, COLOUR},         {-h, 0, COLOUR},         {h, 0, COLOUR},    {0, -h, COLOUR},
                {h / 2, h / 2, COLOUR}, {-h / 2, h / 2, COLOUR}, {h / 2, 0, EMPTY}, {h + 3, 0, EMPTY}};
    case 22: // bar from y - s to y, ±q wide, with a tail to y + q
        return {{0, -s / 2, COLOUR},    {-q, -s / 2, COLOUR2},   {q, -s / 2, COLOUR2}, {0, -s, COLOUR2},
                {0, q / 2 + 1, COLOUR}, {-h + 1, -s / 2, EMPTY}, {0, -s - 3, EMPTY},   {0, q + 3, EMPTY}};
    case 23: // ring with a frame to its left, reaching x - s
        return {{0, -h, COLOUR},         {h - 1, 0, COLOUR}, {-3 * h / 2, -h, COLOUR}, {-s, 0, COLOUR},
                {-3 * h / 2, h, COLOUR}, {0, 0, EMPTY},      {-3 * h / 2, 0, EMPTY},   {-s - 3, 0, EMPTY}};
    case 24: // arrow: stem to the tip at 2s/3, head strokes, second-colour stroke from the top
        return {{0, -s / 3, COLOUR},     {-h / 2, -s / 2, COLOUR},
                {h / 2, -s / 2, COLOUR}, {-s / 24, -5 * s / 6, NEAR_COLOUR2},
                {0, 3, EMPTY},           {h - 1, -1, EMPTY},
                {-h, -s + 1, EMPTY}};
    case 25: // two posts h high standing on y, joined by three rails
        return {{-3 * s / 8, -s / 4, COLOUR},
                {3 * s / 8, -s / 4, COLOUR},
                {-h, -h / 2, COLOUR2},
                {h, -h / 2, COLOUR2},
                {0, -h, COLOUR},
                {0, -h / 2, COLOUR},
                {0, 0, COLOUR},
                {0, -3 * h / 4, EMPTY},
                {0, -h / 4, EMPTY},
                {0, 3, EMPTY}};
    default:
        return {};
    }
}

const char* ExpectName(Expect e)
{
    switch (e)
    {
    case COLOUR:
        return "colour";
    case COLOUR2:
        return "second colour";
    case GROUND:
        return "ground";
    case EMPTY:
        return "background";
    case NEAR_COLOUR:
        return "colour nearby";
    default:
        return "second colour nearby";
    }
}

// Draws `symbol` in red with a blue second colour on silver and checks its probes.
void CheckSymbol(int symbol, int size)
{
    SCOPED_TRACE("symbol " + std::to_string(symbol) + " size " + std::to_string(size));
    const int cx = 2 * size, cy = 2 * size;
    Sheet sheet(4 * size, 4 * size);
    sheet.dc.DrawVectorSymbol(symbol, kRed, kBlue, size, cx, cy);
    for (const Probe& p : ProbesOf(symbol, size))
    {
        const COLORREF got = sheet.At(cx + p.dx, cy + p.dy);
        const std::string where = "at (" + std::to_string(p.dx) + ", " + std::to_string(p.dy) +
                                  ") expected " + ExpectName(p.expect);
        switch (p.expect)
        {
        case COLOUR:
            EXPECT_EQ(got, kRed) << where;
            break;
        case COLOUR2:
            EXPECT_EQ(got, kBlue) << where;
            break;
        case GROUND:
            EXPECT_EQ(got, kWhite) << where;
            break;
        case EMPTY:
            EXPECT_EQ(got, kSilver) << where;
            break;
        case NEAR_COLOUR:
        case NEAR_COLOUR2: {
            const COLORREF want = p.expect == NEAR_COLOUR ? kRed : kBlue;
            bool found = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    found |= sheet.At(cx + p.dx + dx, cy + p.dy + dy) == want;
            EXPECT_TRUE(found) << where;
            break;
        }
        }
    }
}

// The label box and its text, drawn on white with a fresh context.
struct LabelMeasure
{
    int w, t;
};

LabelMeasure Measure(CMyDC& dc, const char* text)
{
    CFont font;
    EXPECT_TRUE(font.CreatePointFont(80, "Tahoma", &dc));
    CFont* old = dc.SelectObject(&font);
    CRect r(0, 0, 0, 0);
    dc.DrawText(text, -1, &r, DT_CALCRECT | DT_NOPREFIX | DT_CENTER);
    dc.SelectObject(old);
    return {r.Width(), r.Height()};
}
} // namespace

TEST(MyDCObjects, FontsPensBrushesAndTables)
{
    CMyDC dc;
    LOGFONT large{}, small{};
    ASSERT_GT(dc.largeFont.GetLogFont(&large), 0);
    ASSERT_GT(dc.smallFont.GetLogFont(&small), 0);
    EXPECT_STREQ(large.lfFaceName, "Tahoma");
    EXPECT_EQ(large.lfHeight, 36);
    EXPECT_EQ(large.lfWeight, FW_BOLD);
    EXPECT_EQ(large.lfPitchAndFamily & 0xF0, FF_SWISS);
    EXPECT_STREQ(small.lfFaceName, "Verdana");
    EXPECT_EQ(small.lfHeight, 16);
    EXPECT_EQ(small.lfWeight, FW_BOLD);

    struct BrushCase
    {
        CBrush* brush;
        UINT style;
        COLORREF colour;
    } brushes[] = {{&dc.hollowBrush, BS_NULL, 0},         {&dc.blackBrush, BS_SOLID, kBlack},
                   {&dc.whiteBrush, BS_SOLID, kWhite},    {&dc.redBrush, BS_SOLID, 0x0000FF},
                   {&dc.yellowBrush, BS_SOLID, 0x00FFFF}, {&dc.paleYellowBrush, BS_SOLID, kPaleYellow}};
    for (const BrushCase& c : brushes)
    {
        LOGBRUSH lb{};
        ASSERT_GT(c.brush->GetLogBrush(&lb), 0);
        EXPECT_EQ(lb.lbStyle, c.style);
        if (c.style == BS_SOLID)
        {
            EXPECT_EQ(lb.lbColor, c.colour);
        }
    }
    struct PenCase
    {
        CPen* pen;
        int width;
        COLORREF colour;
    } pens[] = {{&dc.blackPen, 1, kBlack},
                {&dc.whitePen, 1, kWhite},
                {&dc.redPen, 1, 0x0000FF},
                {&dc.greyPen, 2, 0x555555}};
    for (const PenCase& c : pens)
    {
        LOGPEN lp{};
        ASSERT_GT(c.pen->GetLogPen(&lp), 0);
        EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_SOLID));
        EXPECT_EQ(lp.lopnWidth.x, c.width);
        EXPECT_EQ(lp.lopnColor, c.colour);
    }

    EXPECT_FALSE(dc.monochrome);
    EXPECT_EQ(dc.rect, CRect(0, 0, 0, 0));
    EXPECT_EQ(dc.devicePixelsPerMetre, 0.0);
    // Exact where a whole turn meets no turn.
    EXPECT_EQ(dc.sinTable[0], 0.0);
    EXPECT_EQ(dc.cosTable[0], 1.0);
    EXPECT_EQ(dc.sinTable[360], dc.sinTable[0]);
    EXPECT_EQ(dc.cosTable[360], dc.cosTable[0]);
    EXPECT_NEAR(dc.sinTable[30], 0.5, 1e-12);
    EXPECT_NEAR(dc.cosTable[60], 0.5, 1e-12);
    EXPECT_NEAR(dc.sinTable[90], 1.0, 1e-12);
    EXPECT_NEAR(dc.cosTable[180], -1.0, 1e-12);
    EXPECT_NEAR(dc.sinTable[270], -1.0, 1e-12);
}

TEST(MyDCSymbols, EverySymbolHasItsGeometryAtTwoSizes)
{
    for (int size : {16, 40})
        for (int symbol = 1; symbol <= VECTOR_SYMBOL_COUNT; ++symbol)
            CheckSymbol(symbol, size);
}

TEST(MyDCSymbols, SymbolsOutsideTheRangeDrawNothing)
{
    for (int symbol : {-1, 0, 26, 100})
    {
        Sheet sheet(64, 64);
        sheet.dc.DrawVectorSymbol(symbol, kRed, kBlue, 32, 32, 32);
        EXPECT_EQ(sheet.Count(kSilver), 64 * 64) << symbol;
    }
}

TEST(MyDCSymbols, LeavesTheContextAsItFoundIt)
{
    Sheet sheet(64, 64);
    CPen pen(PS_SOLID, 1, kBlack);
    CBrush brush(kWhite);
    sheet.dc.SelectObject(&pen);
    sheet.dc.SelectObject(&brush);
    sheet.dc.SetBkMode(OPAQUE);
    for (int symbol = 1; symbol <= VECTOR_SYMBOL_COUNT; ++symbol)
        sheet.dc.DrawVectorSymbol(symbol, kRed, kBlue, 20, 32, 32);
    sheet.dc.DrawLabel("Label", 5, LABEL_POS_TOP, 32, 32);
    EXPECT_EQ(sheet.dc.GetCurrentPen()->GetSafeHandle(), pen.GetSafeHandle());
    EXPECT_EQ(sheet.dc.GetCurrentBrush()->GetSafeHandle(), brush.GetSafeHandle());
    EXPECT_EQ(sheet.dc.GetBkMode(), OPAQUE);
}

TEST(MyDCColours, BackgroundColouredSymbolIsDrawnInverse)
{
    // On a red background a red symbol would vanish: it is drawn in 0xFFFFFF - red.
    const COLORREF inverse = 0xFFFFFF - kRed;
    Sheet sheet(64, 64, kRed);
    sheet.dc.DrawVectorSymbol(VECTOR_FILLED_CIRCLE, kRed, kRed, 32, 32, 32);
    EXPECT_EQ(sheet.At(32, 32), inverse);
    EXPECT_EQ(sheet.At(32, 16), inverse); // outline
    // Only the colour that matches the background is inverted.
    sheet.dc.DrawVectorSymbol(VECTOR_FILLED_SQUARE, kBlue, kRed, 16, 10, 10);
    EXPECT_EQ(sheet.At(10, 10), kBlue);
    EXPECT_EQ(sheet.At(2, 10), inverse);
    EXPECT_EQ(sheet.dc.DisplayColour(kBlue), kBlue);
}

TEST(MyDCColours, MonochromeDrawsBothColoursBlack)
{
    Sheet sheet(96, 96, kWhite);
    sheet.dc.monochrome = true;
    sheet.dc.DrawVectorSymbol(VECTOR_FILLED_SQUARE, kRed, kBlue, 32, 24, 24);
    EXPECT_EQ(sheet.At(24, 24), kBlack);
    EXPECT_EQ(sheet.At(8, 24), kBlack);
    sheet.dc.DrawVectorSymbol(VECTOR_ARROW, kRed, kBlue, 36, 70, 70);
    EXPECT_EQ(sheet.Count(kRed) + sheet.Count(kBlue), 0);
    // Black stays black in monochrome even on a black-background device.
    sheet.dc.backgroundColour = kBlack;
    EXPECT_EQ(sheet.dc.DisplayColour(kBlack), kBlack);
}

TEST(MyDCColours, WhiteSymbolsGetABlackGround)
{
    for (int symbol : {VECTOR_QUARTERED_CIRCLE, VECTOR_SPLIT_DIAMOND})
    {
        Sheet sheet(64, 64);
        sheet.dc.DrawVectorSymbol(symbol, kWhite, kWhite, 32, 32, 32);
        // The ground quarter right of the centre and above or level with it.
        const int x = 32 + 5, y = symbol == VECTOR_QUARTERED_CIRCLE ? 32 : 32 - 5;
        EXPECT_EQ(sheet.At(x, y), kBlack) << symbol;
        EXPECT_EQ(sheet.At(32, symbol == VECTOR_QUARTERED_CIRCLE ? 40 : 37), kWhite) << symbol;
    }
}

TEST(MyDCPrimitives, OutlineFlagLeavesTheInsideEmpty)
{
    using Drawer = void (CMyDC::*)(COLORREF, COLORREF, int, bool, int, int);
    const Drawer drawers[] = {&CMyDC::DrawSquare, &CMyDC::DrawCircle, &CMyDC::DrawTriangle,
                              &CMyDC::DrawDiamond, &CMyDC::DrawBar};
    for (Drawer draw : drawers)
    {
        Sheet filled(80, 80), outline(80, 80);
        (filled.dc.*draw)(kRed, kBlue, 32, false, 40, 44);
        (outline.dc.*draw)(kRed, kBlue, 32, true, 40, 44);
        const int insideY = draw == &CMyDC::DrawBar ? 44 - 16 : 44 + 4;
        EXPECT_EQ(filled.At(40, insideY), kRed);
        EXPECT_EQ(outline.At(40, insideY), kSilver);
        EXPECT_GT(outline.Count(kRed), 0);
        EXPECT_EQ(outline.Count(kBlue), 0); // an outline is drawn in the first colour only
    }
}

TEST(MyDCSymbols, SheetOfAllSymbolsForReview)
{
    // Two rows a size: each symbol at 16 and at 40 pixels, its number labelled below it.
    const int cell = 110, columns = 13;
    const int rows = 2 * ((VECTOR_SYMBOL_COUNT + columns - 1) / columns);
    Sheet sheet(columns * cell, rows * cell, kWhite);
    int row = 0;
    for (int size : {16, 40})
    {
        for (int symbol = 1; symbol <= VECTOR_SYMBOL_COUNT; ++symbol)
        {
            const int column = (symbol - 1) % columns;
            const int r = row + (symbol - 1) / columns;
            const int x = column * cell + cell / 2, y = r * cell + cell / 2 - 10;
            sheet.dc.DrawVectorSymbol(symbol, kRed, kBlue, size, x, y);
            CString number;
            number.Format("%d", symbol);
            sheet.dc.DrawLabel(number, size + 4, LABEL_POS_BOTTOM, x, y);
        }
        row += (VECTOR_SYMBOL_COUNT + columns - 1) / columns;
    }
    const QString folder = QStringLiteral(SUITE_BINARY_DIR "/visual");
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(sheet.Image().save(folder + "/symbols.png", "PNG"));
    EXPECT_GT(sheet.Count(kRed), 0);
}

TEST(MyDCLabels, PositionCodeZeroAndEmptyTextDrawNothing)
{
    Sheet sheet(120, 60, kWhite);
    sheet.dc.DrawLabel("Name", 5, LABEL_POS_NONE, 60, 30);
    sheet.dc.DrawLabel("", 5, LABEL_POS_TOP, 60, 30);
    sheet.dc.DrawLabel(nullptr, 5, LABEL_POS_TOP, 60, 30);
    EXPECT_EQ(sheet.Count(kWhite), 120 * 60);
}

TEST(MyDCLabels, BoxStandsOnTheSideOfItsPositionCode)
{
    const int x = 150, y = 80, d = 7;
    struct Case
    {
        int position;
        std::function<CRect(int w, int t)> box;
    } cases[] = {
        {LABEL_POS_TOP,
         [&](int w, int t) { return CRect(x - w / 2 - 5, y - t - d - 1, x + w / 2 + 5, y - d + 1); }},
        {LABEL_POS_BOTTOM,
         [&](int w, int t) { return CRect(x - w / 2 - 5, y + d - 1, x + w / 2 + 5, y + d + 1 + t); }},
        {LABEL_POS_LEFT,
         [&](int w, int t) { return CRect(x - w - d - 1, y - t / 2 - 1, x - d - 1, y + t / 2 + 1); }},
        {LABEL_POS_RIGHT,
         [&](int w, int t) { return CRect(x + d + 1, y - t / 2 - 1, x + d + 1 + w, y + t / 2 + 1); }},
        {LABEL_POS_CENTRE,
         [&](int w, int t) { return CRect(x - w / 2 - 5, y - t / 2 - 1, x + w / 2 + 5, y + t / 2 + 1); }},
        {9, [&](int w, int t) { return CRect(x - w / 2 - 5, y - t / 2 - 1, x + w / 2 + 5, y + t / 2 + 1); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.position);
        Sheet sheet(300, 160, kWhite);
        const LabelMeasure m = Measure(sheet.dc, "Wpt 12");
        ASSERT_GT(m.w, 0);
        ASSERT_GT(m.t, 0);
        sheet.dc.DrawLabel("Wpt 12", d, c.position, x, y);
        const CRect box = c.box(m.w, m.t);
        EXPECT_EQ(CMyDC::LabelBox(m.w, m.t, d, c.position, x, y), box);
        // The black frame (and the black text inside it) fills exactly the box; the pale
        // yellow lies one pixel inside it.
        EXPECT_EQ(sheet.BoundsOf(kBlack), box);
        CRect inside(box);
        inside.DeflateRect(1, 1);
        EXPECT_EQ(sheet.BoundsOf(kPaleYellow), inside);
        // Text: black pixels away from the frame.
        int text = 0;
        for (int py = box.top + 2; py < box.bottom - 2; ++py)
            for (int px = box.left + 2; px < box.right - 2; ++px)
                text += sheet.At(px, py) == kBlack;
        EXPECT_GT(text, 0);
    }
}

TEST(MyDCLabels, MonochromeLabelHasNoFill)
{
    Sheet sheet(200, 80, kWhite);
    sheet.dc.monochrome = true;
    sheet.dc.DrawLabel("Obstruction", 5, LABEL_POS_RIGHT, 20, 40);
    EXPECT_EQ(sheet.Count(kPaleYellow), 0);
    EXPECT_FALSE(sheet.BoundsOf(kBlack).IsRectEmpty());
}

TEST(MyDCLabels, AmpersandIsWrittenAsAndBetweenBlanks)
{
    struct Case
    {
        const char* given;
        const char* shown;
    } cases[] = {{"A&B", "A and B"}, {"A & B", "A and B"}, {"Pipe  crossing", "Pipe crossing"}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.given);
        Sheet given(240, 60, kWhite), shown(240, 60, kWhite);
        given.dc.DrawLabel(c.given, 4, LABEL_POS_CENTRE, 120, 30);
        shown.dc.DrawLabel(c.shown, 4, LABEL_POS_CENTRE, 120, 30);
        EXPECT_TRUE(given.Image() == shown.Image());
        const LabelMeasure m = Measure(shown.dc, c.shown);
        EXPECT_EQ(shown.BoundsOf(kBlack).Width(), 2 * (m.w / 2 + 5));
    }
}

TEST(MyDCLabels, RestoresTextColourModeAndFont)
{
    Sheet sheet(200, 80, kWhite);
    sheet.dc.SetTextColor(kRed);
    sheet.dc.SetBkMode(OPAQUE);
    sheet.dc.SelectObject(&sheet.dc.smallFont);
    sheet.dc.DrawLabel("Label", 3, LABEL_POS_LEFT, 150, 40);
    EXPECT_EQ(sheet.dc.GetTextColor(), kRed);
    EXPECT_EQ(sheet.dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(sheet.dc.GetCurrentFont()->GetSafeHandle(), sheet.dc.smallFont.GetSafeHandle());
}

TEST(MyDCLabels, SeveralLinesGetABoxThatHoldsThemAll)
{
    Sheet one(200, 120, kWhite), two(200, 120, kWhite);
    one.dc.DrawLabel("1250.0m", 5, LABEL_POS_BOTTOM, 100, 20);
    two.dc.DrawLabel("1250.0m\n045.0", 5, LABEL_POS_BOTTOM, 100, 20);
    const CRect a = one.BoundsOf(kBlack), b = two.BoundsOf(kBlack);
    EXPECT_EQ(b.top, a.top);
    EXPECT_GE(b.Height() - 2, 2 * (a.Height() - 2) - 1);
}

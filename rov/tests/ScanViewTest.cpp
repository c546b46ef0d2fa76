// One sonar head drawn as the pilot sees it, probed at positions the test works out from the
// view's size by the lattice's own rules: the divisions each range is drawn with, the three
// point styles, the points that must not show (invalid, outside, not a number, too far to be a
// pixel), the pipe circle hanging from its point, the colours of day, night and silence, and a
// range that gives no scale.
#include "platform/ui/Colour.h"
#include "platform/ui/Dc.h"
#include "rov/ScanView.h"
#include "survey/records/Tritech.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace
{
const int kWidth = 400;
const int kHeight = 300;
const double kNotANumber = std::numeric_limits<double>::quiet_NaN();
const double kInfinity = std::numeric_limits<double>::infinity();

// The lattice as the test reckons it for a view of kWidth x kHeight with n divisions and a
// range in metres.
struct Lattice
{
    int n, cell, ox, oy, left, right, top, bottom;
    double scale;

    Lattice(int divisions, int range)
    {
        n = divisions;
        const int l = 40, t = 20, r = kWidth - 40, b = kHeight - 40;
        cell = std::min((b - t) / (n + 1), (r - l) / (2 * n));
        ox = l + (r - l) / 2;
        oy = t + cell;
        left = ox - n * cell;
        right = ox + n * cell;
        top = t;
        bottom = oy + n * cell;
        scale = range > 0 ? double(n * cell) / range : 0.0;
    }
    int X(double across) const { return int(ox + across * scale); }
    int Y(double down) const { return int(oy + down * scale); }
};

struct ScanViewFixture : ::testing::Test
{
    CScanView view;
    CTritech head;
    std::vector<CTritechProfile> profiles = std::vector<CTritechProfile>(3);
    std::vector<std::vector<TritechPointDef>> points = std::vector<std::vector<TritechPointDef>>(3);

    void SetUp() override
    {
        head.m_Active = 1;
        head.m_Range = 10;
        for (CTritechProfile& p : profiles)
            p.m_PointCount = 0;
    }
    // Profile i drawn in `style` through `pts` (across, down, valid).
    void Profile(int i, int style, const std::vector<TritechPointDef>& pts)
    {
        points[i] = pts;
        profiles[i].m_pPoints = points[i].data();
        profiles[i].m_PointCount = static_cast<int32_t>(points[i].size());
        profiles[i].m_DrawStyle = style;
        profiles[i].m_UseColour1 = 1;
        if (head.m_Profiles.Find(&profiles[i]) == nullptr)
            head.m_Profiles.AddTail(&profiles[i]);
        view.SetData(&head);
    }
    QImage Picture()
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&dc, kWidth, kHeight);
        CBitmap* old = dc.SelectObject(&bitmap);
        view.Draw(&dc, CRect(0, 0, kWidth, kHeight));
        dc.SelectObject(old);
        return bitmap.ToImage();
    }
    COLORREF Colour(int i) const { return profiles[i].m_Colour1; }
};

TritechPointDef Point(double across, double down, int valid = 1)
{
    TritechPointDef p;
    p.Across = across;
    p.Down = down;
    p.Valid = valid;
    return p;
}

COLORREF PixelAt(const QImage& image, int x, int y)
{
    return ColorRefFromQRgb(image.pixel(x, y));
}

int CountOf(const QImage& image, COLORREF colour, const QRect& box = QRect(0, 0, kWidth, kHeight))
{
    int n = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            n += PixelAt(image, x, y) == colour ? 1 : 0;
    return n;
}

TEST(ScanViewRange, DivisionsFollowTheSonarsRangesAndStayForAnyOther)
{
    CScanView view;
    EXPECT_EQ(view.GetDivisions(), 4);
    struct Case
    {
        int range;
        bool known;
        int divisions; // after the call, from 4 or from the case before
    };
    const Case cases[] = {{500, true, 5}, {400, true, 4}, {300, true, 3}, {200, true, 4}, {100, true, 4},
                          {50, true, 5},  {45, true, 5},  {40, true, 4},  {35, true, 7},  {30, true, 6},
                          {25, true, 5},  {20, true, 4},  {15, true, 3},  {10, true, 5},  {5, true, 5},
                          {4, true, 4},   {3, true, 3},   {2, true, 2},   {35, true, 7},  {60, false, 7},
                          {1, false, 7},  {0, false, 7},  {-10, false, 7}, {501, false, 7}, {1000, false, 7}};
    for (const Case& c : cases)
    {
        EXPECT_EQ(view.SetRange(c.range), c.known) << c.range;
        EXPECT_EQ(view.GetDivisions(), c.divisions) << c.range;
    }
}

TEST_F(ScanViewFixture, TheLatticeLiesWhereItsRulesPutItWithALineAndLabelsPerDivision)
{
    for (int range : {35, 10})
    {
        head.m_Range = range;
        view.SetData(&head);
        const QImage picture = Picture();
        const int n = range == 35 ? 7 : 5;
        const Lattice l(n, range);
        EXPECT_EQ(view.GetDivisions(), n);
        EXPECT_EQ(view.GetLatticeRect(), CRect(l.left, l.top, l.right, l.bottom)) << range;
        EXPECT_EQ(view.GetOrigin(), CPoint(l.ox, l.oy));
        EXPECT_DOUBLE_EQ(view.GetPixelsPerMetre(), l.scale);

        const COLORREF lines = CScanView::DAY_COLOURS[CScanView::LATTICE_LINES];
        const COLORREF labels = CScanView::DAY_COLOURS[CScanView::LABELS];
        EXPECT_EQ(PixelAt(picture, 2, 2), CScanView::DAY_COLOURS[CScanView::BACKGROUND]);
        EXPECT_EQ(PixelAt(picture, l.ox + l.cell / 2, l.oy + l.cell / 2), CScanView::DAY_COLOURS[CScanView::LATTICE_AREA]);
        // 2n + 1 vertical lines reach 10 pixels below the lattice, each with its label under it;
        // n + 1 horizontal lines reach 10 pixels beyond each side, labelled on both.
        for (int k = -n; k <= n; ++k)
        {
            const int x = l.ox + k * l.cell;
            EXPECT_EQ(PixelAt(picture, x, l.bottom + 5), lines) << range << " vertical " << k;
            EXPECT_GT(CountOf(picture, labels, QRect(x - l.cell / 2, l.bottom + 10, l.cell, 16)), 0)
                << range << " label under " << k;
        }
        EXPECT_NE(PixelAt(picture, l.ox + l.cell / 2, l.bottom + 5), lines);
        for (int k = 0; k <= n; ++k)
        {
            const int y = l.oy + k * l.cell;
            EXPECT_EQ(PixelAt(picture, l.left - 5, y), lines) << range << " horizontal " << k;
            EXPECT_EQ(PixelAt(picture, l.right + 5, y), lines);
            EXPECT_GT(CountOf(picture, labels, QRect(0, y - 6, l.left - 10, 12)), 0) << range << " left label " << k;
            EXPECT_GT(CountOf(picture, labels, QRect(l.right + 11, y - 6, kWidth - l.right - 11, 12)), 0);
        }
        // The head's cell above the origin has its sides and top but no lines inside.
        EXPECT_EQ(PixelAt(picture, l.left, l.top + 3), lines);
        EXPECT_EQ(PixelAt(picture, l.right, l.top + 3), lines);
        EXPECT_EQ(PixelAt(picture, l.ox + l.cell / 2, l.top), lines);
    }
}

TEST_F(ScanViewFixture, EachStyleDrawsItsPointsWhereTheyLie)
{
    // Range 10 on 400 x 300: five divisions, 16 pixels a metre.
    Profile(0, PROFILE_STYLE_PIXEL, {Point(-3.0, 2.0), Point(-2.5, 2.5)});
    Profile(1, PROFILE_STYLE_SQUARE, {Point(1.0, 4.0)});
    Profile(2, PROFILE_STYLE_LINE, {Point(2.0, 6.0), Point(4.0, 6.0), Point(4.0, 8.0)});
    const QImage picture = Picture();
    const Lattice l(5, 10);
    ASSERT_DOUBLE_EQ(l.scale, 16.0);

    EXPECT_EQ(PixelAt(picture, l.X(-3.0), l.Y(2.0)), Colour(0));
    EXPECT_EQ(PixelAt(picture, l.X(-2.5), l.Y(2.5)), Colour(0));
    EXPECT_EQ(CountOf(picture, Colour(0), QRect(l.X(-3.0) - 3, l.Y(2.0) - 3, 7, 7)), 1) << "a single pixel";

    const int sx = l.X(1.0), sy = l.Y(4.0);
    EXPECT_EQ(CountOf(picture, Colour(1), QRect(sx - 3, sy - 3, 7, 7)), 49) << "a filled 7 x 7 square";
    EXPECT_EQ(CountOf(picture, Colour(1), QRect(sx - 4, sy - 4, 9, 9)), 49);

    // The line runs across, then down.
    for (double across : {2.5, 3.0, 3.5})
        EXPECT_EQ(PixelAt(picture, l.X(across), l.Y(6.0)), Colour(2)) << across;
    EXPECT_EQ(PixelAt(picture, l.X(4.0), l.Y(7.0)), Colour(2));
    EXPECT_NE(PixelAt(picture, l.X(3.0), l.Y(7.0)), Colour(2)) << "no closing line";

    // The second colour when the first is not to be used.
    profiles[1].m_UseColour1 = 0;
    EXPECT_EQ(PixelAt(Picture(), sx, sy), profiles[1].m_Colour2);
    profiles[1].m_Visible = 0;
    EXPECT_EQ(CountOf(Picture(), profiles[1].m_Colour2), 0) << "a hidden profile";
}

// The host's numbers may be anything: these run under AddressSanitizer too.
using ScanViewBadInput = ScanViewFixture;

TEST_F(ScanViewBadInput, InvalidOutsideAndUnplaceablePointsAreLeftOutAndTheLineStartsAtTheFirstDrawn)
{
    const double far = 1.0e300;
    Profile(0, PROFILE_STYLE_LINE,
            {Point(-4.0, 2.0, 0), Point(-20.0, 3.0), Point(kNotANumber, 3.0), Point(kInfinity, 3.0), Point(-2.0, far),
             Point(-2.0, 4.0), Point(2.0, 4.0), Point(4.0, 9.0, 2), Point(4.0, -far)});
    Profile(1, PROFILE_STYLE_SQUARE, {Point(0.0, 11.0), Point(-3.0, 5.0, 0), Point(-far, 1.0), Point(3.0, kNotANumber)});
    const QImage picture = Picture();
    const Lattice l(5, 10);
    // Only the segment between the two valid points inside the lattice shows.
    EXPECT_EQ(PixelAt(picture, l.X(0.0), l.Y(4.0)), Colour(0));
    const int drawn = CountOf(picture, Colour(0));
    EXPECT_GE(drawn, l.X(2.0) - l.X(-2.0));
    EXPECT_LE(drawn, l.X(2.0) - l.X(-2.0) + 1);
    EXPECT_NE(PixelAt(picture, l.X(-2.0) - 1, l.Y(4.0)), Colour(0));
    EXPECT_EQ(CountOf(picture, Colour(1)), 0) << "below the lattice, invalid, or beyond any pixel";
}

TEST_F(ScanViewFixture, PointsOnTheLatticesEdgesAreDrawn)
{
    // At range 10 the lattice spans 10 m each side and from one cell (2 m) above the head to
    // 10 m below it.
    Profile(0, PROFILE_STYLE_PIXEL, {Point(-10.0, -2.0), Point(10.0, 10.0), Point(10.1, 5.0), Point(0.0, -2.1)});
    const QImage picture = Picture();
    const Lattice l(5, 10);
    EXPECT_EQ(PixelAt(picture, l.left, l.top), Colour(0));
    EXPECT_EQ(PixelAt(picture, l.right, l.bottom), Colour(0));
    EXPECT_EQ(CountOf(picture, Colour(0)), 2);
}

TEST_F(ScanViewBadInput, AProfileWithABadCountOrNoPointsDrawsNothing)
{
    Profile(0, PROFILE_STYLE_SQUARE, {Point(0.0, 3.0)});
    profiles[0].m_PointCount = -5;
    EXPECT_EQ(CountOf(Picture(), Colour(0)), 0);
    profiles[0].m_PointCount = 1;
    profiles[0].m_pPoints = nullptr;
    EXPECT_EQ(CountOf(Picture(), Colour(0)), 0);
}

TEST_F(ScanViewBadInput, ARangeWithoutScaleShowsTheLatticeAlone)
{
    Profile(0, PROFILE_STYLE_SQUARE, {Point(0.0, 0.0), Point(1.0, 1.0)});
    head.m_PipePresent = 1;
    head.m_PipeAcross = 0.0;
    head.m_PipeDown = 2.0;
    head.m_PipeSize = 1000;
    head.m_PipeSizeUnit = 1;
    for (int range : {0, -10})
    {
        head.m_Range = range;
        const QImage picture = Picture();
        const Lattice l(view.GetDivisions(), range);
        EXPECT_EQ(view.GetPixelsPerMetre(), 0.0);
        EXPECT_EQ(PixelAt(picture, l.ox + l.cell / 2, l.oy + l.cell / 2), CScanView::DAY_COLOURS[CScanView::LATTICE_AREA]);
        EXPECT_EQ(PixelAt(picture, l.ox, l.bottom + 5), CScanView::DAY_COLOURS[CScanView::LATTICE_LINES]);
        EXPECT_EQ(CountOf(picture, Colour(0)), 0) << range;
        EXPECT_EQ(CountOf(picture, CScanView::DAY_COLOURS[CScanView::PIPE]), 0) << range;
    }
    head.m_Range = 10;
    EXPECT_GT(CountOf(Picture(), Colour(0)), 0) << "a valid range places them again";
}

TEST_F(ScanViewFixture, ThePipeHangsFromItsPointAtItsSize)
{
    view.SetData(&head);
    const Lattice l(5, 10);
    const COLORREF pipe = CScanView::DAY_COLOURS[CScanView::PIPE];
    struct Case
    {
        int size, unit;
        double metres;
    };
    // 36 inches is three feet; 1 500 mm is 1.5 m.
    for (const Case& c : {Case{36, 0, 0.9144}, Case{1500, 1, 1.5}, Case{800, 7, 0.8}})
    {
        head.m_PipePresent = 1;
        head.m_PipeAcross = -1.0;
        head.m_PipeDown = 3.0;
        head.m_PipeSize = c.size;
        head.m_PipeSizeUnit = c.unit;
        const QImage picture = Picture();
        const int x = l.X(-1.0), y = l.Y(3.0);
        const int r = int(l.scale * c.metres);
        EXPECT_NE(PixelAt(picture, x, y - 1), pipe) << c.size << ": nothing above the point";
        EXPECT_EQ(PixelAt(picture, x, y + 1), pipe) << c.size << ": the top touches it";
        EXPECT_EQ(PixelAt(picture, x, y + r), pipe);
        EXPECT_EQ(PixelAt(picture, x - r + 2, y + r), pipe);
        EXPECT_EQ(PixelAt(picture, x + r - 2, y + r), pipe);
        EXPECT_NE(PixelAt(picture, x - r - 2, y + r), pipe) << c.size;
        EXPECT_NE(PixelAt(picture, x + r + 2, y + r), pipe);
        EXPECT_EQ(PixelAt(picture, x, y + 2 * r - 2), pipe);
        EXPECT_NE(PixelAt(picture, x, y + 2 * r + 2), pipe);
    }
}

TEST_F(ScanViewBadInput, NoPipeWithoutSizeDepthOrAPlaceInsideTheLattice)
{
    const COLORREF pipe = CScanView::DAY_COLOURS[CScanView::PIPE];
    struct Case
    {
        const char* what;
        BYTE present;
        double across, down;
        int size;
    };
    const Case cases[] = {
        {"no pipe flag", 0, 0.0, 3.0, 500},   {"size 0", 1, 0.0, 3.0, 0},
        {"negative size", 1, 0.0, 3.0, -500}, {"at the head's depth", 1, 0.0, 0.0, 500},
        {"above the head", 1, 0.0, -0.5, 500}, {"on the side", 1, 10.0, 3.0, 500},
        {"at the bottom", 1, 0.0, 10.0, 500}, {"not a number", 1, kNotANumber, 3.0, 500},
        {"too deep to place", 1, 0.0, 1.0e300, 500}, {"infinite", 1, 0.0, kInfinity, 500},
    };
    for (const Case& c : cases)
    {
        head.m_PipePresent = c.present;
        head.m_PipeAcross = c.across;
        head.m_PipeDown = c.down;
        head.m_PipeSize = c.size;
        head.m_PipeSizeUnit = 1;
        view.SetData(&head);
        EXPECT_EQ(CountOf(Picture(), pipe), 0) << c.what;
    }
    head.m_PipeDown = 3.0;
    head.m_PipeAcross = 0.0;
    // 2 147 483 647 inches at 80 pixels a metre: a radius beyond any pixel count.
    head.m_Range = 2;
    head.m_PipeSize = 2147483647;
    head.m_PipeSizeUnit = 0;
    EXPECT_EQ(CountOf(Picture(), pipe), 0);
}

TEST_F(ScanViewFixture, NightAndDayRecolourTheHostsProfilesByTheirPlaceInTheList)
{
    for (int i = 0; i < 3; ++i)
        Profile(i, PROFILE_STYLE_PIXEL, {});
    for (CTritechProfile& p : profiles)
        p.m_Colour1 = p.m_Colour2 = 0x123456;
    view.SetNightMode(true);
    EXPECT_EQ(profiles[0].m_Colour1, 0x0000FFu);
    EXPECT_EQ(profiles[1].m_Colour1, 0x00FF00u);
    EXPECT_EQ(profiles[2].m_Colour1, 0x0000FFu);
    for (const CTritechProfile& p : profiles)
        EXPECT_EQ(p.m_Colour2, 0xFF00FFu);
    view.SetDaylightMode();
    EXPECT_EQ(profiles[0].m_Colour1, 0x8080FFu);
    EXPECT_EQ(profiles[1].m_Colour1, 0x80FF80u);
    EXPECT_EQ(profiles[2].m_Colour1, 0x8080FFu);
    for (const CTritechProfile& p : profiles)
        EXPECT_EQ(p.m_Colour2, 0xFF80FFu);
    // A new head takes the colours of the mode in force.
    view.SetNightMode(true);
    CTritech other;
    CTritechProfile fresh;
    other.m_Profiles.AddTail(nullptr);
    other.m_Profiles.AddTail(&fresh);
    view.SetData(&other);
    EXPECT_EQ(fresh.m_Colour1, 0x00FF00u) << "the second place, after an empty one";
}

TEST_F(ScanViewFixture, BackgroundsByHeadSilenceAndNight)
{
    const Lattice l(5, 10);
    struct Case
    {
        const char* what;
        bool hasHead, active, timeout, night;
        COLORREF corner, lattice;
    };
    const Case cases[] = {
        {"no head", false, true, false, false, 0x000000, 0x000000},
        {"inactive", true, false, false, false, 0x555555, 0x555555},
        {"day", true, true, false, false, 0x555555, 0x808080},
        {"night", true, true, false, true, 0x555555, 0x000000},
        {"silent day", true, true, true, false, 0x0000FF, 0x808080},
        {"silent night", true, true, true, true, 0x000080, 0x000000},
    };
    for (const Case& c : cases)
    {
        head.m_Active = c.active ? 1 : 0;
        view.SetData(c.hasHead ? &head : nullptr);
        view.SetTimeout(c.timeout);
        view.SetNightMode(c.night);
        const QImage picture = Picture();
        EXPECT_EQ(PixelAt(picture, 2, 2), c.corner) << c.what;
        EXPECT_EQ(PixelAt(picture, l.ox + 5, l.oy + 5), c.lattice) << c.what;
    }
    view.SetNightMode(true);
    EXPECT_EQ(view.GetColour(CScanView::PIPE), 0x008080u);
    EXPECT_EQ(view.GetColour(CScanView::LATTICE_LINES), 0x808080u);
    view.SetDaylightMode();
    EXPECT_EQ(view.GetColour(CScanView::PIPE), 0x00FFFFu);
}

TEST_F(ScanViewFixture, AViewTooSmallForALatticeDrawsItsBackgroundOnly)
{
    Profile(0, PROFILE_STYLE_SQUARE, {Point(0.0, 1.0)});
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, 60, 50);
    CBitmap* old = dc.SelectObject(&bitmap);
    view.Draw(&dc, CRect(0, 0, 60, 50));
    dc.SelectObject(old);
    const QImage picture = bitmap.ToImage();
    EXPECT_EQ(CountOf(picture, CScanView::DAY_COLOURS[CScanView::BACKGROUND], QRect(0, 0, 60, 50)), 60 * 50);
    EXPECT_TRUE(view.GetLatticeRect().IsRectEmpty());
}
} // namespace

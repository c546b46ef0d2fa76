// The plan view as a user has it: an 800 x 480 child of a host window that is the main window,
// at 20 pixels a metre (1:200 on a 4-pixels-a-millimetre screen), centred on (500000, 6000000),
// without grid marks. Each calibration drawn from a small set made here, probed at positions
// worked out from the plot's extent and the client rectangle; bad records, ring caps, the
// mouse, wheel, keys and the frame's mutex.
#include "acoustic/app/AcousticView.h"
#include "acoustic/app/PlanDrawing.h"
#include "acoustic/engine/Boxin.h"
#include "acoustic/engine/GridOnGrid.h"
#include "acoustic/engine/Network.h"
#include "acoustic/engine/TransitFix.h"
#include "acoustic/engine/UsblCalibration.h"
#include "chart/view/ChartexaStatusBar.h"
#include "platform/core/WinApp.h"
#include "platform/ui/Colour.h"
#include "platform/ui/Cursor.h"
#include "testsupport/EventPump.h"
#include "testsupport/RecordingOwner.h"
#include "testsupport/UserInput.h"
#include "testsupport/ViewKeys.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <functional>
#include <limits>
#include <thread>

namespace
{
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kYellow = 0x00FFFF;
constexpr COLORREF kCyan = 0xFFFF00;
constexpr COLORREF kMagenta = 0xFF00FF;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kSilver = 0xC0C0C0;
constexpr COLORREF kOlive = 0x008080;
constexpr COLORREF kBlue = 0xFF0000;

constexpr int kWidth = 800;
constexpr int kHeight = 480;
constexpr double kE0 = 500000.0;
constexpr double kN0 = 6000000.0;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class AcousticViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CDC::SetScreenSize(1000, 800);
        CDC::SetPixelsPerMillimetre(4.0);
        ASSERT_TRUE(owner.CreateOwner(kWidth + 40, kHeight + 80));
        owner.SetAsMainWindow(true);
        view = new CAcousticView;
        ASSERT_TRUE(view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, kWidth, kHeight), &owner, 1));
        Plot().scaleIndex = 7;
        Plot().tickMode = TICK_NONE;
        Plot().SetCentre(kE0, kN0);
        Pump();
    }
    void TearDown() override
    {
        owner.SetAsMainWindow(false);
        CDC::SetPixelsPerMillimetre(0.0);
        CDC::SetScreenSize(0, 0);
    }

    CCalibrationPlot& Plot() { return view->GetPlot(); }
    // What the user sees once the view has drawn itself.
    QImage Painted()
    {
        view->Redraw();
        return view->GetWidget()->grab().toImage();
    }
    QImage PaintedIn(int mode)
    {
        view->SetMode(mode);
        return Painted();
    }
    // Where a grid point (metres from the centre) lies on the client area, from the plot's
    // extent after a draw: a proportion of the client rectangle.
    QPoint At(double dE, double dN)
    {
        const CCalibrationPlot& p = Plot();
        const double x = (kE0 + dE - p.plotMinE) / (p.plotMaxE - p.plotMinE) * kWidth;
        const double y = (p.plotMaxN - (kN0 + dN)) / (p.plotMaxN - p.plotMinN) * kHeight;
        return QPoint(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
    }
    static COLORREF Pixel(const QImage& image, QPoint p)
    {
        return image.rect().contains(p) ? ColorRefFromQRgb(image.pixel(p)) : CLR_INVALID;
    }
    // Whether `colour` shows within `radius` pixels of p.
    static bool Near(const QImage& image, QPoint p, COLORREF colour, int radius = 1)
    {
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                if (Pixel(image, p + QPoint(dx, dy)) == colour)
                    return true;
        return false;
    }
    // Pixels of `colour` inside the rectangle.
    static int Count(const QImage& image, const QRect& area, COLORREF colour)
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += Pixel(image, QPoint(x, y)) == colour ? 1 : 0;
        return n;
    }
    // Pixels inside the rectangle within a shade of `colour` (each channel within 0x60): the
    // smoothed edges and thin strokes of text.
    static int CountText(const QImage& image, const QRect& area, COLORREF colour)
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
            {
                const COLORREF c = Pixel(image, QPoint(x, y));
                bool close = c != CLR_INVALID;
                for (int shift = 0; shift <= 16 && close; shift += 8)
                    close = std::abs(static_cast<int>((c >> shift) & 0xFF) - static_cast<int>((colour >> shift) & 0xFF)) <= 0x60;
                n += close ? 1 : 0;
            }
        return n;
    }
    // Separate runs of `colour` met walking `steps` pixels from p (excluded) by (dx, dy).
    static int Runs(const QImage& image, QPoint p, int dx, int dy, int steps, COLORREF colour)
    {
        int runs = 0;
        bool inRun = false;
        for (int i = 1; i <= steps; ++i)
        {
            const bool here = Pixel(image, p + QPoint(i * dx, i * dy)) == colour;
            runs += here && !inRun ? 1 : 0;
            inRun = here;
        }
        return runs;
    }

    CWinApp app{"AcousticViewTest"};
    CRecordingOwner owner;
    CAcousticView* view = nullptr; // a child of the owner, which destroys it
};

BoxinDef BoxinRecord(double transducerE, double transducerN, double pointE, double pointN, COLORREF colour,
                     BYTE used = 1)
{
    BoxinDef r{};
    r.TransducerEasting = kE0 + transducerE;
    r.TransducerNorthing = kN0 + transducerN;
    r.DerivedEasting = kE0 + pointE;
    r.DerivedNorthing = kN0 + pointN;
    r.Colour = colour;
    r.Used = used;
    return r;
}

UsblCalibrationDef UsblRecord(double transducerE, double transducerN, double pointE, double pointN, COLORREF colour,
                              BYTE used = 1)
{
    UsblCalibrationDef r{};
    r.TransducerEasting = kE0 + transducerE;
    r.TransducerNorthing = kN0 + transducerN;
    r.ObservedEasting = kE0 + pointE;
    r.ObservedNorthing = kN0 + pointN;
    r.Colour = colour;
    r.Used = used;
    return r;
}

CNetworkStation ViewStation(const char* name, int type, double dE, double dN)
{
    CNetworkStation s;
    s.m_Name = name;
    s.m_Status = type;
    s.m_GivenE = kE0 + dE;
    s.m_GivenN = kN0 + dN;
    return s;
}
} // namespace

TEST_F(AcousticViewTest, GridOnGridSquaresCirclesAndNumbers)
{
    CGridOnGrid pairs;
    pairs.RemoveAll();
    // System A is system B shifted by (-3, +2) metres; the solution shifts it back less 1 m in
    // easting, so that every circle stands 1 m west of its square.
    pairs.Add({kE0 + 2.0 - 3.0, kN0 + 4.0 + 2.0, kE0 + 2.0, kN0 + 4.0});
    pairs.Add({kE0 - 6.0 - 3.0, kN0 - 5.0 + 2.0, kE0 - 6.0, kN0 - 5.0});
    pairs.m_dE = 2.0;
    pairs.m_dN = -2.0;
    pairs.m_A = pairs.m_D = 1.0;
    pairs.m_B = pairs.m_C = 0.0;
    view->SetGridOnGrid(&pairs);
    const QImage image = PaintedIn(VIEW_GRID_ON_GRID);

    for (const QPoint& b : {At(2.0, 4.0), At(-6.0, -5.0)})
    {
        EXPECT_EQ(Pixel(image, b), kYellow);
        EXPECT_EQ(Pixel(image, b + QPoint(2, -2)), kYellow);
        EXPECT_EQ(Pixel(image, b + QPoint(6, 0)), kBlack) << "a square of half-size 3";
    }
    for (const QPoint& a : {At(1.0, 4.0), At(-7.0, -5.0)})
        EXPECT_EQ(Pixel(image, a), kCyan);
    // The numbers in white, centred under their points: a text height below, not beside.
    for (const QPoint& b : {At(2.0, 4.0), At(-6.0, -5.0)})
    {
        EXPECT_GT(CountText(image, QRect(b.x() - 6, b.y() + 4, 13, 18), kWhite), 3);
        EXPECT_EQ(CountText(image, QRect(b.x() - 6, b.y() - 20, 13, 16), kWhite), 0);
    }
    // "1" is narrower than "2".
    EXPECT_LT(CountText(image, QRect(At(2.0, 4.0).x() - 8, At(2.0, 4.0).y() + 4, 17, 18), kWhite),
              CountText(image, QRect(At(-6.0, -5.0).x() - 8, At(-6.0, -5.0).y() + 4, 17, 18), kWhite));
}

TEST_F(AcousticViewTest, BoxinRingsErrorCircleAndCrossByState)
{
    CBoxin boxin;
    boxin.RemoveAll();
    boxin.m_TransponderEasting = kE0;
    boxin.m_TransponderNorthing = kN0;
    boxin.m_DerivedEasting = kE0 + 1.0;
    boxin.m_DerivedNorthing = kN0 + 1.0;
    boxin.m_UseRangeRings = true;
    boxin.m_RangeRingRadius = 2.0;
    boxin.m_MaxRange = 7.0;
    boxin.m_MeanPositionError = 3.0;
    boxin.Add(BoxinRecord(-5.0, 6.0, -4.0, 5.0, kMagenta));
    boxin.Add(BoxinRecord(5.0, -6.0, 4.0, -5.0, kBlue));
    boxin.Add(BoxinRecord(-5.0, -6.0, -4.0, -5.0, kCyan, 0)); // not used
    view->SetBoxin(&boxin);

    struct Case
    {
        int state;
        double centreE, centreN;
        int rings; // 5 ring radii while entered; out to the largest range once computed
        bool errorCircle;
    } cases[] = {{0, 0.0, 0.0, 5, false}, {1, 1.0, 1.0, 3, true}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.state);
        boxin.m_Converged = c.state;
        const QImage image = PaintedIn(VIEW_BOXIN);
        const QPoint centre = At(c.centreE, c.centreN);
        // Rings every 40 pixels, counted along a line going down-left of the centre, where
        // nothing else is drawn.
        EXPECT_EQ(Runs(image, centre, 0, 1, 230, kOlive), c.rings);
        EXPECT_TRUE(Near(image, centre + QPoint(0, 40), kOlive));
        EXPECT_TRUE(Near(image, centre + QPoint(0, 40 * c.rings), kOlive));
        EXPECT_FALSE(Near(image, centre + QPoint(0, 40 * (c.rings + 1)), kOlive, 2));
        // The error circle of 3 m (60 pixels) round the computed position, state 1 only.
        const QPoint computed = At(1.0, 1.0);
        EXPECT_EQ(Near(image, computed + QPoint(-60, 0), kRed), c.errorCircle);
        EXPECT_EQ(Count(image, image.rect(), kRed) > 0, c.errorCircle);
        // The white cross, 20 pixels each side of the ring centre.
        // (A line stops short of its end point: 40 pixels from x - 20.)
        for (const QPoint& arm : {QPoint(19, 0), QPoint(-20, 0), QPoint(0, -20), QPoint(0, 19), QPoint(5, 0)})
            EXPECT_EQ(Pixel(image, centre + arm), kWhite);
        EXPECT_NE(Pixel(image, centre + QPoint(21, 0)), kWhite);
        EXPECT_NE(Pixel(image, centre + QPoint(-21, 0)), kWhite);
        // Used records only: transducers in silver, computed points in their quadrant colour.
        EXPECT_EQ(Pixel(image, At(-5.0, 6.0)), kSilver);
        EXPECT_EQ(Pixel(image, At(5.0, -6.0)), kSilver);
        EXPECT_EQ(Pixel(image, At(-4.0, 5.0)), kMagenta);
        EXPECT_EQ(Pixel(image, At(4.0, -5.0)), kBlue);
        EXPECT_FALSE(Near(image, At(-5.0, -6.0), kSilver, 3));
        EXPECT_FALSE(Near(image, At(-4.0, -5.0), kCyan, 2));
    }

    // Rings off: none; a ring radius above the extent: none.
    boxin.m_UseRangeRings = false;
    EXPECT_EQ(Count(PaintedIn(VIEW_BOXIN), QRect(0, 0, kWidth, kHeight), kOlive), 0);
    boxin.m_UseRangeRings = true;
    boxin.m_RangeRingRadius = 8.0;
    EXPECT_EQ(Count(PaintedIn(VIEW_BOXIN), QRect(0, 0, kWidth, kHeight), kOlive), 0);
}

TEST_F(AcousticViewTest, UsblRingsReachTheFarthestRecordAndTheMeanDistanceCircle)
{
    CUsblCalibration usbl;
    usbl.RemoveAll();
    usbl.m_TransponderEasting = kE0;
    usbl.m_TransponderNorthing = kN0;
    usbl.m_UseRangeRings = true;
    usbl.m_RangeRingRadius = 2.5; // 50 pixels
    usbl.Add(UsblRecord(6.0, 3.0, 1.0, 0.5, kYellow));     // 6.7 m out: rings to 7.5 m
    usbl.Add(UsblRecord(-3.0, 4.0, -0.5, 0.5, kMagenta));
    usbl.Add(UsblRecord(-9.0, -9.0, -1.0, -1.0, kCyan, 0)); // not used, so it sets no ring
    view->SetUsblCalibration(&usbl);

    QImage image = PaintedIn(VIEW_USBL_CALIBRATION);
    QPoint centre = At(0.0, 0.0);
    EXPECT_EQ(Runs(image, centre, 0, 1, 230, kOlive), 3);
    EXPECT_TRUE(Near(image, centre + QPoint(0, 150), kOlive));
    EXPECT_EQ(Pixel(image, At(6.0, 3.0)), kSilver);
    EXPECT_EQ(Pixel(image, At(1.0, 0.5)), kYellow);
    EXPECT_EQ(Pixel(image, At(-0.5, 0.5)), kMagenta);
    EXPECT_FALSE(Near(image, At(-9.0, -9.0), kSilver, 3));
    EXPECT_EQ(Pixel(image, centre + QPoint(-20, 0)), kWhite);
    EXPECT_EQ(Count(image, image.rect(), kRed), 0) << "no mean distance yet";

    // Solved: the pattern moves to the solved transponder, with the circle of the mean distance.
    usbl.m_Passes = 3;
    usbl.m_SolvedEasting = kE0 + 1.0;
    usbl.m_SolvedNorthing = kN0 - 1.0;
    usbl.m_MeanDistance = 2.0; // 40 pixels
    image = PaintedIn(VIEW_USBL_CALIBRATION);
    centre = At(1.0, -1.0);
    EXPECT_EQ(Pixel(image, centre + QPoint(-20, 0)), kWhite);
    EXPECT_TRUE(Near(image, centre + QPoint(0, 40), kRed));
    EXPECT_TRUE(Near(image, centre + QPoint(0, 50), kOlive));

    // Twelve rings out to a record 17 m away are held to ten; counted along a row just below
    // the cross's arm.
    usbl.Add(UsblRecord(1.0, -18.0, 1.0, -18.0, kYellow));
    usbl.m_RangeRingRadius = 1.5; // 30 pixels
    image = PaintedIn(VIEW_USBL_CALIBRATION);
    EXPECT_EQ(Runs(image, centre + QPoint(0, 1), 1, 0, 395, kOlive), 10);
    EXPECT_TRUE(Near(image, centre + QPoint(300, 0), kOlive));
}

TEST_F(AcousticViewTest, NetworkLinksArrowsAndStationSymbols)
{
    CNetwork network;
    network.AddStation(ViewStation("WEST", STATION_FREE, -8.0, 0.0));
    network.AddStation(ViewStation("EAST", STATION_FIXED, 8.0, 0.0));
    network.AddStation(ViewStation("NORTH", STATION_FREE_WITH_POSITION, 0.0, 8.0));
    network.AddStation(ViewStation("SOUTH", STATION_NOT_IN_USE, 0.0, -8.0));
    auto at = [&network](int from, int to) -> NetworkObservationDef& { return network[from][to]; };
    // WEST-EAST: ranges both ways. WEST-NORTH: a range one way, a bearing at NORTH.
    // EAST-NORTH: bearings only, at EAST. A range in use but not above 0 counts for nothing.
    at(0, 1).UseRange = 1;
    at(0, 1).ObservedRange = 16.0;
    at(1, 0).UseRange = 1;
    at(1, 0).ObservedRange = 16.0;
    at(0, 2).UseRange = 1;
    at(0, 2).ObservedRange = 11.3;
    at(2, 0).UseBearing = 1;
    at(1, 2).UseBearing = 1;
    at(2, 1).UseRange = 1;
    at(2, 1).ObservedRange = 0.0;
    view->SetNetwork(&network);
    const QImage image = PaintedIn(VIEW_NETWORK);

    const QPoint west = At(-8.0, 0.0), east = At(8.0, 0.0), north = At(0.0, 8.0), south = At(0.0, -8.0);
    // Two directions: two pixels of yellow across the line.
    const QPoint middle = (west + east) / 2;
    EXPECT_EQ(Pixel(image, middle), kYellow);
    EXPECT_TRUE(Pixel(image, middle + QPoint(0, 1)) == kYellow || Pixel(image, middle + QPoint(0, -1)) == kYellow);
    // One direction: green, two pixels wide, away from the arrow at NORTH.
    const QPoint onWestNorth = west + (north - west) / 4;
    EXPECT_TRUE(Near(image, onWestNorth, kGreen));
    EXPECT_GE(Count(image, QRect(onWestNorth - QPoint(2, 2), QSize(5, 5)), kGreen), 6);
    // Bearings only: dashed cyan, gaps and dashes along the line.
    int cyan = 0, ground = 0;
    for (int i = 20; i <= 80; ++i)
    {
        const QPointF p = QPointF(east) + (QPointF(north) - QPointF(east)) * (i / 100.0);
        const COLORREF c = Pixel(image, p.toPoint());
        cyan += Near(image, p.toPoint(), kCyan, 0) ? 1 : 0;
        ground += c == kBlack ? 1 : 0;
    }
    EXPECT_GT(cyan, 10);
    EXPECT_GT(ground, 5);
    // The arrows: at NORTH towards WEST over the green line, at EAST towards NORTH; 40 pixels
    // long, the line's own colour again beyond them.
    const double toWest = std::hypot(west.x() - north.x(), west.y() - north.y());
    const QPointF step = (QPointF(west) - QPointF(north)) / toWest;
    EXPECT_TRUE(Near(image, (QPointF(north) + step * 12.0).toPoint(), kCyan));
    EXPECT_FALSE(Near(image, (QPointF(north) + step * 60.0).toPoint(), kCyan, 2));
    EXPECT_TRUE(Near(image, (QPointF(north) + step * 60.0).toPoint(), kGreen));
    // Symbols by type with the name to the right; an unused station not at all.
    EXPECT_GT(Count(image, QRect(west - QPoint(7, 7), QSize(15, 15)), kCyan), 8);
    EXPECT_GT(Count(image, QRect(east - QPoint(7, 7), QSize(15, 15)), kMagenta), 8);
    EXPECT_GT(Count(image, QRect(north - QPoint(7, 7), QSize(15, 15)), kRed), 8);
    for (const QPoint& s : {west, east, north})
        EXPECT_GT(CountText(image, QRect(s + QPoint(8, -8), QSize(40, 16)), kWhite), 10);
    EXPECT_EQ(CountText(image, QRect(south - QPoint(10, 10), QSize(60, 20)), kWhite), 0);
    EXPECT_EQ(Count(image, QRect(south - QPoint(10, 10), QSize(20, 20)), kBlack), 400);
}

TEST_F(AcousticViewTest, TransitFixLegsLabelsCircleAndDottedCross)
{
    CTransitFix fix;
    // Points on a ring of 8 m about the centre, every 45 degrees from north; the fixes near it.
    const double r = 8.0;
    for (int i = 0; i < 8; ++i)
        fix.m_Points[i] = {kE0 + r * std::sin(i * M_PI / 4.0), kN0 + r * std::cos(i * M_PI / 4.0)};
    for (int i = 0; i < 4; ++i)
        fix.m_Intersections[i] = {kE0 + 1.0 + i, kN0 - 2.0};
    fix.m_Centre = {kE0 + 0.5, kN0 + 0.5};
    fix.m_Radius = 3.0; // 60 pixels
    view->SetTransitFix(&fix);
    auto point = [&](int n) { return At(fix.m_Points[n - 1].x - kE0, fix.m_Points[n - 1].y - kN0); };
    auto silverBetween = [&](const QImage& image, int a, int b) {
        // A quarter of the way along the leg, away from labels and the circle.
        const QPointF p = QPointF(point(a)) + (QPointF(point(b)) - QPointF(point(a))) * 0.2;
        return Near(image, p.toPoint(), kSilver);
    };

    struct Case
    {
        int legs;
        std::vector<std::pair<int, int>> drawn, notDrawn;
    } cases[] = {{3, {{1, 4}, {2, 5}, {3, 6}}, {{1, 6}, {4, 7}}}, {4, {{1, 6}, {2, 5}, {3, 8}, {4, 7}}, {{1, 4}, {3, 6}}}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.legs);
        fix.m_NumberOfLegs = c.legs;
        fix.m_NumberOfPoints = 2 * c.legs;
        const QImage image = PaintedIn(VIEW_TRANSIT_FIX);
        for (const auto& leg : c.drawn)
            EXPECT_TRUE(silverBetween(image, leg.first, leg.second)) << leg.first << "-" << leg.second;
        for (const auto& leg : c.notDrawn)
            EXPECT_FALSE(silverBetween(image, leg.first, leg.second)) << leg.first << "-" << leg.second;
        // Twice the legs numbered in white; the others not.
        for (int n = 1; n <= 8; ++n)
            EXPECT_EQ(CountText(image, QRect(point(n) + QPoint(-6, 4), QSize(13, 16)), kWhite) > 0, n <= 2 * c.legs) << n;
        // One letter per leg in cyan.
        for (int i = 0; i < 4; ++i)
        {
            const QPoint p = At(1.0 + i, -2.0);
            EXPECT_EQ(CountText(image, QRect(p + QPoint(-6, 4), QSize(13, 16)), kCyan) > 0, i < c.legs) << i;
        }
        // The circle of the radius and the dotted cross, 5 pixels each side, on the centre.
        const QPoint centre = At(0.5, 0.5);
        EXPECT_TRUE(Near(image, centre + QPoint(0, -60), kMagenta));
        EXPECT_TRUE(Near(image, centre + QPoint(60, 0), kMagenta));
        const int crossed = Count(image, QRect(centre - QPoint(5, 0), QSize(11, 1)), kMagenta);
        EXPECT_GT(crossed, 2);
        EXPECT_LT(crossed, 11) << "dotted";
        EXPECT_EQ(Count(image, QRect(centre + QPoint(7, -3), QSize(6, 7)), kMagenta), 0);
    }

    // A point with a zero coordinate is missing: its leg and label go; a centre at zero draws
    // no circle or cross.
    fix.m_Points[0].x = 0.0;
    fix.m_Centre = {0.0, kN0};
    const QImage image = PaintedIn(VIEW_TRANSIT_FIX);
    EXPECT_FALSE(silverBetween(image, 1, 6));
    EXPECT_TRUE(silverBetween(image, 2, 5));
    EXPECT_EQ(Count(image, image.rect(), kMagenta), 0);
}

// Records whose coordinates are NaN, infinite or far off leave the picture as the others draw
// it alone: nothing at the edge of the pixel range, no line to there.
TEST_F(AcousticViewTest, RecordsNotFiniteOrFarOffAreSkipped)
{
    const double bad[][2] = {{kNaN, kN0}, {kE0, kNaN}, {kInf, kN0}, {kE0, -kInf}, {1e300, -1e300}};

    CGridOnGrid pairs;
    pairs.RemoveAll();
    pairs.Add({kE0 + 1.0, kN0 + 1.0, kE0 + 1.0, kN0 + 1.0});
    pairs.m_A = pairs.m_D = 1.0;
    CNetwork network;
    network.AddStation(ViewStation("A", STATION_FIXED, -5.0, 0.0));
    network.AddStation(ViewStation("B", STATION_FREE, 5.0, 2.0));
    CBoxin boxin;
    boxin.RemoveAll();
    boxin.m_TransponderEasting = kE0;
    boxin.m_TransponderNorthing = kN0;
    boxin.m_UseRangeRings = true;
    boxin.m_RangeRingRadius = 2.0;
    boxin.Add(BoxinRecord(3.0, 3.0, 2.0, 2.0, kYellow));
    CUsblCalibration usbl;
    usbl.RemoveAll();
    usbl.m_TransponderEasting = kE0;
    usbl.m_TransponderNorthing = kN0;
    usbl.m_UseRangeRings = true;
    usbl.m_RangeRingRadius = 2.0;
    usbl.Add(UsblRecord(3.0, 3.0, 2.0, 2.0, kYellow));
    CTransitFix fix;
    fix.m_NumberOfLegs = 4; // points 7 and 8 missing until a case puts a bad one there
    for (int i = 0; i < 6; ++i)
        fix.m_Points[i] = {kE0 + 6.0 * std::sin(i * M_PI / 3.0), kN0 + 6.0 * std::cos(i * M_PI / 3.0)};
    fix.m_Centre = {kE0 + 0.5, kN0 + 0.5};
    fix.m_Radius = 2.0;
    view->SetGridOnGrid(&pairs);
    view->SetNetwork(&network);
    view->SetBoxin(&boxin);
    view->SetUsblCalibration(&usbl);
    view->SetTransitFix(&fix);

    struct Case
    {
        const char* what;
        int mode;
        std::function<void(double, double)> addBad;
    } cases[] = {
        {"grid on grid", VIEW_GRID_ON_GRID, [&](double e, double n) { pairs.Add({e, n, e, n}); }},
        {"network", VIEW_NETWORK,
         [&](double e, double n) {
             CNetworkStation s = ViewStation("X", STATION_FREE, 0.0, 0.0);
             s.m_GivenE = e;
             s.m_GivenN = n;
             const INT_PTR added = network.AddStation(s);
             for (INT_PTR i = 0; i < added; ++i)
             {
                 network[i][added].UseRange = 1;
                 network[i][added].ObservedRange = 10.0;
                 network[i][added].UseBearing = 1;
                 network[added][i].UseBearing = 1;
             }
         }},
        {"Boxin", VIEW_BOXIN,
         [&](double e, double n) { boxin.Add(BoxinRecord(e - kE0, n - kN0, e - kE0, n - kN0, kYellow)); }},
        {"USBL", VIEW_USBL_CALIBRATION,
         [&](double e, double n) { usbl.Add(UsblRecord(e - kE0, n - kN0, e - kE0, n - kN0, kYellow)); }},
        {"transit fix", VIEW_TRANSIT_FIX,
         [&](double e, double n) {
             fix.m_Points[6] = {e, n};
             fix.m_Points[7] = {e, n};
             fix.m_Intersections[3] = {e, n};
         }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        for (const auto& b : bad)
        {
            const QImage alone = PaintedIn(c.mode);
            c.addBad(b[0], b[1]);
            const QImage mixed = PaintedIn(c.mode);
            EXPECT_TRUE(mixed == alone) << b[0] << ", " << b[1];
        }
    }
    // Boxin's and the USBL's rings and crosses do not follow a centre that is no number.
    boxin.m_TransponderEasting = kNaN;
    usbl.m_TransponderNorthing = kInf;
    for (int mode : {int(VIEW_BOXIN), int(VIEW_USBL_CALIBRATION)})
    {
        const QImage image = PaintedIn(mode);
        EXPECT_EQ(Count(image, image.rect(), kOlive), 0) << mode;
        EXPECT_EQ(Count(image, image.rect(), kWhite), 0) << mode;
    }
}

TEST_F(AcousticViewTest, WithoutDataOrModeOnlyTheGroundAndScale)
{
    CGridOnGrid pairs;
    pairs.Add({kE0, kN0, kE0, kN0});
    CBoxin boxin;
    boxin.Add(BoxinRecord(0.0, 0.0, 0.0, 0.0, kYellow));
    const QImage none = PaintedIn(0);
    // The ground and the plot's scale text, nothing else.
    EXPECT_EQ(Pixel(none, QPoint(kWidth / 2, kHeight / 2)), kBlack);
    const int ground = Count(none, none.rect(), kBlack);
    EXPECT_GT(ground, kWidth * kHeight - 600);
    EXPECT_GT(Count(none, QRect(60, 0, 100, 20), kGreen), 10) << "the scale";

    view->SetGridOnGrid(&pairs);
    view->SetBoxin(&boxin);
    // Modes whose object is not set, and modes that are none of the five.
    for (int mode : {int(VIEW_NETWORK), int(VIEW_USBL_CALIBRATION), int(VIEW_TRANSIT_FIX), 6, -1, 99})
        EXPECT_TRUE(PaintedIn(mode) == none) << mode;
    EXPECT_FALSE(PaintedIn(VIEW_GRID_ON_GRID) == none);
    EXPECT_FALSE(PaintedIn(VIEW_BOXIN) == none);
}

TEST_F(AcousticViewTest, RangeRingsAreCappedAndNeverUnderTwoPixels)
{
    CBoxin boxin;
    boxin.RemoveAll();
    boxin.m_Converged = 1;
    boxin.m_DerivedEasting = kE0;
    boxin.m_DerivedNorthing = kN0;
    boxin.m_UseRangeRings = true;
    boxin.m_MaxRange = 5000.0;
    view->SetBoxin(&boxin);

    // Rings 3 pixels apart against a 5 km extent: the first hundred, the last at 300 pixels,
    // and not the 101st at 303 (rings drawn as chords lie up to a pixel inside the circle).
    boxin.m_RangeRingRadius = 0.15;
    QImage image = PaintedIn(VIEW_BOXIN);
    const QPoint centre = At(0.0, 0.0);
    EXPECT_GT(Runs(image, centre + QPoint(0, 1), 1, 0, 395, kOlive), 90);
    EXPECT_TRUE(Near(image, centre + QPoint(299, 1), kOlive, 1));
    EXPECT_EQ(Count(image, QRect(centre.x() + 302, centre.y() - 2, 90, 5), kOlive), 0);

    // A millimetre against 5 km: millions of rings by the spacing; a hundred from 2 pixels
    // out (0.1 m), so none reaches 8 pixels, and the draw is over at once.
    boxin.m_RangeRingRadius = 0.001;
    const auto start = std::chrono::steady_clock::now();
    image = PaintedIn(VIEW_BOXIN);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(ms, 1000);
    EXPECT_GT(Count(image, QRect(centre - QPoint(6, 6), QSize(13, 13)), kOlive), 0);
    EXPECT_EQ(Count(image, QRect(centre + QPoint(8, -2), QSize(20, 5)), kOlive), 0);

    // The rule itself: spacing, extent, smallest radius, the shown distances, the cap.
    struct Case
    {
        double spacing, extent, minRadius, nearest, farthest;
        int most, first, count;
    } rules[] = {
        {0.001, 5000.0, 0.1, 0.0, 1e4, 100, 100, 100}, // the cap, from 2 pixels out
        {2.0, 10.0, 0.1, 0.0, 1e4, 100, 1, 5},        // r .. 5r within the extent
        {2.0, 9.9, 0.1, 0.0, 1e4, 100, 1, 4},
        {1.0, 100.0, 0.1, 50.5, 60.0, 100, 51, 10},  // only those crossing what is shown
        {1.0, 100.0, 0.1, 150.0, 160.0, 100, 0, 0},  // all beyond the extent
        {2.5, 7.5, 0.1, 0.0, 1e4, 10, 1, 3},
        {0.15, 5000.0, 0.1, 0.0, 1e4, 10, 1, 10},   // the USBL's ten
        {0.0, 10.0, 0.1, 0.0, 1e4, 100, 0, 0},      // no spacing
        {-1.0, 10.0, 0.1, 0.0, 1e4, 100, 0, 0},
        {12.0, 10.0, 0.1, 0.0, 1e4, 100, 0, 0},     // a spacing above the extent
        {kNaN, 10.0, 0.1, 0.0, 1e4, 100, 0, 0},
        {1.0, kNaN, 0.1, 0.0, 1e4, 100, 0, 0},
        {1.0, kInf, 0.1, 0.0, 1e4, 100, 1, 100},
        {1e-300, 1.0, 0.1, 0.0, 1e4, 100, 0, 0},     // beyond counting: none
    };
    for (const Case& c : rules)
    {
        const CPlanDrawing::RingSpan span =
            CPlanDrawing::RangeRings(c.spacing, c.extent, c.minRadius, c.nearest, c.farthest, c.most);
        EXPECT_EQ(span.count, c.count) << c.spacing << " " << c.extent << " " << c.nearest;
        if (c.count > 0)
        {
            EXPECT_EQ(span.first, c.first) << c.spacing << " " << c.extent << " " << c.nearest;
        }
    }
}

TEST_F(AcousticViewTest, MouseShowsTheGridPositionAndDragsByTheKeysHeld)
{
    CChartexaStatusBar bar;
    ASSERT_EQ(bar.Create(&owner), 1);
    view->SetStatusBar(&bar);
    auto readOut = [&bar] { return std::make_pair(CString(bar.GetPaneText(2)), CString(bar.GetPaneText(4))); };

    // A press that lands outside the plot converts to nothing: the read-outs are cleared.
    Painted();
    bar.DisplayGrid(1.0, 2.0);
    UserInput::PressClient(view, -30, 50);
    EXPECT_EQ(readOut(), std::make_pair(CString(""), CString("")));
    EXPECT_FALSE(Plot().panning);
    UserInput::ReleaseClient(view, -30, 50);

    struct Case
    {
        const char* what;
        Qt::KeyboardModifiers keys;
        LPCSTR cursor;
        bool pans;
    } cases[] = {{"Shift", Qt::ShiftModifier, IDC_ARROW, false},
                 {"Ctrl", Qt::ControlModifier, IDC_CROSS, false},
                 {"neither", Qt::NoModifier, IDC_HAND, true}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        Plot().SetCentre(kE0, kN0);
        Painted();
        const CCalibrationPlot& p = Plot();
        const double e = p.plotMinE + (p.plotMaxE - p.plotMinE) * 200.0 / kWidth;
        const double n = p.plotMaxN - (p.plotMaxN - p.plotMinN) * 100.0 / kHeight;
        UserInput::PressClient(view, 200, 100, c.keys);
        CString text;
        text.Format("%.3lf", e);
        EXPECT_EQ(readOut().first, text);
        text.Format("%.3lf", n);
        EXPECT_EQ(readOut().second, text);
        EXPECT_EQ(view->GetLastPoint(), CPoint(200, 100));
        EXPECT_EQ(view->GetDragStartPoint(), CPoint(200, 100));
        EXPECT_EQ(GetCursor(), LoadCursor(nullptr, c.cursor));
        EXPECT_EQ(Plot().panning, c.pans);
        EXPECT_EQ(CWnd::GetFocus(), view);

        // Dragging 40 pixels right and 20 down moves the plot 2 m west and 1 m north when
        // panning; the read-out follows the mouse.
        UserInput::DragClient(view, 240, 120, c.keys);
        EXPECT_DOUBLE_EQ(Plot().originE, c.pans ? kE0 - 2.0 : kE0);
        EXPECT_DOUBLE_EQ(Plot().originN, c.pans ? kN0 + 1.0 : kN0);
        EXPECT_EQ(GetCursor(), LoadCursor(nullptr, c.cursor));
        Painted();
        const double movedE = Plot().plotMinE + (Plot().plotMaxE - Plot().plotMinE) * 240.0 / kWidth;
        UserInput::DragClient(view, 240, 120, c.keys);
        text.Format("%.3lf", movedE);
        EXPECT_EQ(readOut().first, text);

        // Past the edge of the view, with the button still held: nothing to show.
        UserInput::DragClient(view, -30, 50, c.keys);
        EXPECT_EQ(readOut(), std::make_pair(CString(""), CString("")));

        UserInput::ReleaseClient(view, 240, 120, c.keys);
        EXPECT_FALSE(Plot().panning);
        EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
        const double e0 = Plot().originE;
        UserInput::DragClient(view, 300, 200);
        EXPECT_EQ(Plot().originE, e0) << "no drag once released";
    }
    // The click gave the view the focus, which it told the main window with itself as wParam.
    bool told = false;
    for (const POSTED_MESSAGE& m : owner.Messages())
        told = told || (m.name == "UM_SET_FOCUS" && m.wParam == reinterpret_cast<WPARAM>(view) && m.lParam == 0);
    EXPECT_TRUE(told);
}

TEST_F(AcousticViewTest, WheelStepsTheScaleEverySixNotchesWithinItsLimits)
{
    ASSERT_EQ(CAcousticView::GetWheelCount(), 0);
    Painted();
    Plot().scaleIndex = 10;
    UserInput::Wheel(view, 5);
    EXPECT_EQ(Plot().scaleIndex, 10);
    EXPECT_EQ(CAcousticView::GetWheelCount(), 5);
    UserInput::Wheel(view, 1);
    EXPECT_EQ(Plot().scaleIndex, 9) << "away from the user zooms in";
    EXPECT_EQ(CAcousticView::GetWheelCount(), 0);
    UserInput::Wheel(view, 6);
    EXPECT_EQ(Plot().scaleIndex, 8);
    UserInput::Wheel(view, -6);
    EXPECT_EQ(Plot().scaleIndex, 9);
    UserInput::Wheel(view, 3);
    UserInput::Wheel(view, -3);
    EXPECT_EQ(CAcousticView::GetWheelCount(), 0);
    EXPECT_EQ(Plot().scaleIndex, 9);

    // At the limits the scale holds and the counter starts again.
    Plot().scaleIndex = 1;
    UserInput::Wheel(view, 6);
    EXPECT_EQ(Plot().scaleIndex, 1);
    EXPECT_EQ(CAcousticView::GetWheelCount(), 0);
    Plot().scaleIndex = 29;
    UserInput::Wheel(view, -6);
    EXPECT_EQ(Plot().scaleIndex, 29);
    EXPECT_EQ(CAcousticView::GetWheelCount(), 0);
    // The step is drawn at once: the scale text reads the new scale.
    Plot().scaleIndex = 8;
    UserInput::Wheel(view, 6);
    EXPECT_EQ(Plot().scaleIndex, 7);
    EXPECT_DOUBLE_EQ(Plot().pixelsPerMetre, 20.0);
}

TEST_F(AcousticViewTest, EachKeyPressActsOnce)
{
    Painted();
    const auto scale = [this] { return Plot().scaleIndex; };
    int expected = 0;
    const auto zoom = [&](const char* what, int key, unsigned int modifiers, int by) {
        return VIEW_KEY_CASE{what, key, modifiers, [&, by] {
                                 Plot().scaleIndex = 10;
                                 expected = 10 + by;
                             },
                             [&] { return scale() == expected; }};
    };
    double e = 0.0, n = 0.0;
    const auto pan = [&](const char* what, int key, double dE, double dN) {
        return VIEW_KEY_CASE{what, key, Qt::NoModifier, [&, dE, dN] {
                                 Plot().scaleIndex = 10;
                                 Plot().SetCentre(kE0, kN0);
                                 e = kE0 + dE * CGridPlot::spacingTable[10];
                                 n = kN0 + dN * CGridPlot::spacingTable[10];
                             },
                             [&] { return Plot().originE == e && Plot().originN == n && scale() == 10; }};
    };
    const auto nothing = [&](const char* what, int key, unsigned int modifiers) {
        return VIEW_KEY_CASE{what, key, modifiers, [&] {
                                 Plot().scaleIndex = 10;
                                 Plot().SetCentre(kE0, kN0);
                                 Plot().northUp = true;
                             },
                             [&] { return scale() == 10 && Plot().originE == kE0 && Plot().originN == kN0 &&
                                          Plot().northUp; }};
    };
    std::vector<VIEW_KEY_CASE> cases = {
        zoom("I zooms in one step", Qt::Key_I, Qt::NoModifier, -1),
        zoom("Shift+I zooms in one step", Qt::Key_I, Qt::ShiftModifier, -1),
        zoom("O zooms out one step", Qt::Key_O, Qt::NoModifier, +1),
        zoom("Page Up zooms in", Qt::Key_PageUp, Qt::NoModifier, -1),
        zoom("Page Down zooms out", Qt::Key_PageDown, Qt::NoModifier, +1),
        zoom("+ zooms in", Qt::Key_Plus, Qt::ShiftModifier, -1),
        zoom("- zooms out", Qt::Key_Minus, Qt::NoModifier, +1),
        zoom("keypad + zooms in one step", Qt::Key_Plus, Qt::KeypadModifier, -1),
        zoom("keypad - zooms out one step", Qt::Key_Minus, Qt::KeypadModifier, +1),
        pan("Right pans east", Qt::Key_Right, 1.0, 0.0),
        pan("Up pans north", Qt::Key_Up, 0.0, 1.0),
        pan("Left pans west", Qt::Key_Left, -1.0, 0.0),
        pan("Down pans south", Qt::Key_Down, 0.0, -1.0),
        // Characters whose codes are those of keys the plot knows: '#' is End, '!' Page Up,
        // 'k' keypad +, '%' Left.
        nothing("# turns nothing", Qt::Key_NumberSign, Qt::ShiftModifier),
        nothing("! zooms nothing", Qt::Key_Exclam, Qt::ShiftModifier),
        nothing("k zooms nothing", Qt::Key_K, Qt::NoModifier),
        nothing("% pans nothing", Qt::Key_Percent, Qt::ShiftModifier),
    };
    cases.push_back({"End turns north up off", Qt::Key_End, Qt::NoModifier, [&] { Plot().northUp = true; },
                     [&] { return !Plot().northUp; }});
    cases.push_back({"Home centres on the grid origin", Qt::Key_Home, Qt::NoModifier, {},
                     [&] { return Plot().originE == 0.0 && Plot().originN == 0.0; }});
    ExpectViewKeys(view, POINT{100, 100}, {}, cases);
}

TEST_F(AcousticViewTest, DrawingWaitsForTheFrameMutex)
{
    CMutex mutex;
    view->SetMutex(&mutex);
    CBoxin boxin;
    boxin.RemoveAll();
    boxin.m_TransponderEasting = kE0;
    boxin.m_TransponderNorthing = kN0;
    view->SetBoxin(&boxin);
    view->SetMode(VIEW_BOXIN);

    std::atomic<bool> held{false}, released{false};
    std::thread reader([&] {
        CSingleLock lock(&mutex, TRUE);
        held = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        // What the reader changes while it holds the lock is what the draw shows.
        boxin.m_TransponderEasting = kE0 + 5.0;
        released = true;
        lock.Unlock();
    });
    while (!held)
        std::this_thread::yield();
    const auto start = std::chrono::steady_clock::now();
    const QImage image = Painted();
    const auto waited =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    reader.join();
    EXPECT_TRUE(released);
    EXPECT_GE(waited, 200);
    EXPECT_EQ(Pixel(image, At(5.0, 0.0) + QPoint(-20, 0)), kWhite);
    EXPECT_NE(Pixel(image, At(0.0, 0.0) + QPoint(-20, 0)), kWhite);
    // And again with the lock free: no wait, and the view's own thread may hold it already.
    {
        CSingleLock own(&mutex, TRUE);
        Painted();
    }
    EXPECT_TRUE(mutex.Lock(0));
    mutex.Unlock();
}

// The calibration program's plan view: its settings file, its keys through the window's key
// messages, arcs, arrow heads, circled labels and its own symbol shapes, drawn offscreen.
#include "acoustic/engine/CalibrationPlot.h"
#include "acoustic/engine/tests/GraphCanvas.h"

#include "foundation/CalibrationSymbols.h"
#include "platform/ui/Colour.h"
#include "platform/ui/WindowDc.h"
#include "testsupport/EventPump.h"
#include "testsupport/TempDrives.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <QFile>
#include <QKeyEvent>
#include <QPainter>

#include <chrono>
#include <cmath>
#include <limits>
#include <memory>

namespace
{
const COLORREF kGround = 0x402010;
const COLORREF kRed = 0x0000FF;
const COLORREF kGreen = 0x00FF00;

QString SettingsPath()
{
    const CString windows = CConfigFile().GetSettingsFileName(CCalibrationPlot::kSettingsName);
    return TempDrives::Current()->DriveC() + "/" + QString(windows.Mid(3).GetString()).replace('\\', '/');
}

QByteArray SettingsBytes()
{
    QFile file(SettingsPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteSettings(const QByteArray& bytes)
{
    QFile file(SettingsPath());
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A plot on a 640 x 480 bitmap at 4000 device pixels per metre: at scale index 7 (1:200),
// 20 pixels per grid metre.
struct CalibrationPlotTest : ::testing::Test
{
    std::unique_ptr<CCalibrationPlot> plot;
    CBitmap bitmap;
    CBitmap* oldBitmap = nullptr;
    const CRect plotRect{0, 0, 640, 480};

    void SetUp() override
    {
        CDC::SetScreenSize(1000, 800);
        CDC::SetPixelsPerMillimetre(4.0);
        plot = std::make_unique<CCalibrationPlot>();
        plot->CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(plot.get(), 640, 480);
        oldBitmap = plot->SelectObject(&bitmap);
        plot->backgroundColour = kGround;
        Clear();
    }
    void TearDown() override
    {
        plot->SelectObject(oldBitmap);
        plot.reset();
        CDC::SetPixelsPerMillimetre(0.0);
        CDC::SetScreenSize(0, 0);
    }
    void Clear() { plot->FillSolidRect(0, 0, 640, 480, kGround); }
    COLORREF At(int x, int y) const
    {
        const QImage image = bitmap.ToImage();
        return image.rect().contains(x, y) ? ColorRefFromQRgb(image.pixel(x, y)) : CLR_INVALID;
    }
    // The grid drawn without marks, so that only what a test draws differs from the ground.
    void Frame()
    {
        plot->tickMode = TICK_NONE;
        plot->DrawGrid(plotRect);
        Clear();
    }
};

// A window that hands its key messages to the plot, and counts its paints and erases.
class KeyWindow : public CWnd
{
public:
    explicit KeyWindow(CCalibrationPlot& plot) : m_Plot(plot) {}
    void OnKeyDown(UINT nChar, UINT, UINT) { m_Plot.OnKeyDown(this, nChar); }
    void OnPaint()
    {
        CPaintDC dc(this);
        ++paints;
    }
    BOOL OnEraseBkgnd(CDC*)
    {
        ++erases;
        return TRUE;
    }
    int paints = 0;
    int erases = 0;
    DECLARE_MESSAGE_MAP()

private:
    CCalibrationPlot& m_Plot;
};
BEGIN_MESSAGE_MAP(KeyWindow, CWnd)
ON_WM_KEYDOWN()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()
} // namespace

TEST_F(CalibrationPlotTest, SettingsFileLinesAndDefaults)
{
    // No file: the defaults, north up.
    plot->scaleIndex = 20;
    plot->northUp = false;
    plot->LoadSettings();
    EXPECT_EQ(plot->tickMode, 2);
    EXPECT_EQ(plot->scaleIndex, 7);
    EXPECT_TRUE(plot->northUp);
    EXPECT_EQ(plot->orientation, 0);
    EXPECT_EQ(plot->angleOffset, 0);
    EXPECT_EQ(plot->originE, 0.0);
    EXPECT_EQ(plot->originN, 0.0);
    EXPECT_EQ(plot->trackMode, 0);
    EXPECT_EQ(plot->trackObject, 1);
    EXPECT_TRUE(plot->showNorthArrow);
    EXPECT_EQ(plot->sinRot, 0.0);

    plot->tickMode = 3;
    plot->scaleIndex = 22;
    plot->northUp = false;
    plot->orientation = 45;
    plot->angleOffset = -5;
    plot->originE = 452123.4567;
    plot->originN = 6231000.25;
    plot->trackMode = 2;
    plot->trackObject = 3;
    plot->showNorthArrow = false;
    ASSERT_TRUE(plot->SaveSettings());
    EXPECT_TRUE(SettingsPath().endsWith("/Grid_Plot.INI"));
    // Ten lines: the chart's own plot file has two tracked-waypoint lines more.
    EXPECT_EQ(SettingsBytes(),
              QByteArray("Tick Mode = 3\r\nScale Index = 22\r\nNorth Up = 0\r\nOrientation = 45\r\n"
                         "Angle Offset = -5\r\nCentre Easting = 452123.457\r\n"
                         "Centre Northing = 6231000.250\r\nTrack Mode = 2\r\nTrack Object = 3\r\n"
                         "Show North Arrow = 0\r\n"));
    CCalibrationPlot back;
    back.LoadSettings();
    EXPECT_EQ(back.tickMode, 3);
    EXPECT_EQ(back.scaleIndex, 22);
    EXPECT_FALSE(back.northUp);
    EXPECT_EQ(back.orientation, 45);
    EXPECT_EQ(back.angleOffset, -5);
    EXPECT_DOUBLE_EQ(back.originE, 452123.457);
    EXPECT_DOUBLE_EQ(back.originN, 6231000.25);
    EXPECT_EQ(back.trackMode, 2);
    EXPECT_EQ(back.trackObject, 3);
    EXPECT_FALSE(back.showNorthArrow);
    EXPECT_NEAR(back.sinRot, std::sin(40 * M_PI / 180), 1e-12); // the orientation applied
}

// The settings reader under AddressSanitizer with UBSan too.
using CalibrationPlotBadInput = CalibrationPlotTest;

TEST_F(CalibrationPlotBadInput, SettingsFromADamagedFile)
{
    struct Case
    {
        const char* name;
        QByteArray bytes;
        int scaleIndex;
        double e, n;
        int trackObject;
    } cases[] = {
        {"index 0", "Tick Mode = 1\r\nScale Index = 0\r\n", 7, 0, 0, 1},
        {"index 30", "Tick Mode = 1\r\nScale Index = 30\r\n", 7, 0, 0, 1},
        {"index 29", "Tick Mode = 1\r\nScale Index = 29\r\n", 29, 0, 0, 1},
        {"not finite",
         "Tick Mode = 1\r\nScale Index = 5\r\nNorth Up = 1\r\nOrientation = 0\r\nAngle Offset = 0\r\n"
         "Centre Easting = nan\r\nCentre Northing = inf\r\nTrack Mode = 0\r\nTrack Object = 2\r\n",
         5, 0, 0, 2},
        {"short",
         "Tick Mode = 1\r\nScale Index = 9\r\nNorth Up = 1\r\nOrientation = 0\r\nAngle Offset = 0\r\n"
         "Centre Easting = 12.5\r\n",
         9, 12.5, 0, 1},
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(WriteSettings(c.bytes));
        plot->originE = plot->originN = 99.0;
        plot->trackObject = 7;
        plot->LoadSettings();
        EXPECT_EQ(plot->tickMode, 1) << c.name;
        EXPECT_EQ(plot->scaleIndex, c.scaleIndex) << c.name;
        EXPECT_EQ(plot->originE, c.e) << c.name;
        EXPECT_EQ(plot->originN, c.n) << c.name;
        EXPECT_EQ(plot->trackObject, c.trackObject) << c.name;
        EXPECT_TRUE(plot->showNorthArrow) << c.name;
    }
}

// An angle offset of any integer turns the view as its value within one turn would, and an
// orientation no view has is none: no sum of the two overflows, here or in the drawing.
TEST_F(CalibrationPlotBadInput, AnglesOfAnyIntegerTurnTheViewWithinOneTurn)
{
    struct Case
    {
        const char* orientation;
        const char* offset;
        int heldOrientation, heldOffset;
        double turn; // degrees; NAN: not turned
    } cases[] = {
        {"20", "2147483647", 20, 127, 147.0},
        {"20", "-2147483647", 20, -127, -107.0},
        {"2147483647", "90", 0, 90, NAN},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.offset);
        ASSERT_TRUE(WriteSettings(QByteArray("Tick Mode = 1\r\nScale Index = 9\r\nNorth Up = 0\r\nOrientation = ") +
                                  c.orientation + "\r\nAngle Offset = " + c.offset + "\r\n"));
        plot->LoadSettings();
        EXPECT_EQ(plot->orientation, c.heldOrientation);
        EXPECT_EQ(plot->angleOffset, c.heldOffset);
        const double turn = std::isnan(c.turn) ? 0.0 : c.turn * M_PI / 180.0;
        EXPECT_NEAR(plot->sinRot, std::sin(turn), 1e-12);
        EXPECT_NEAR(plot->cosRot, std::cos(turn), 1e-12);
    }
}

TEST_F(CalibrationPlotTest, SetCentreTellsAChange)
{
    EXPECT_FALSE(plot->SetCentre(0.0, 0.0));
    EXPECT_TRUE(plot->SetCentre(0.0, 1e-300));
    EXPECT_FALSE(plot->SetCentre(0.0, 1e-300));
    EXPECT_TRUE(plot->SetCentre(5.0, 1e-300));
    EXPECT_EQ(plot->originE, 5.0);
}

TEST_F(CalibrationPlotTest, KeysThroughTheWindow)
{
    KeyWindow window(*plot);
    ASSERT_TRUE(window.CreateEx(0, nullptr, "Plan", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200),
                                nullptr, 0));
    Pump();
    // A key message; true when the window was repainted, and never erased.
    auto press = [&](UINT key) {
        window.paints = window.erases = 0;
        window.SendMessage(WM_KEYDOWN, key, 0);
        PumpUntil([&] { return window.paints > 0; }, 1000);
        EXPECT_EQ(window.erases, 0) << "key " << key;
        return window.paints > 0;
    };
    struct Case
    {
        UINT key;
        int step;
    } zooms[] = {{33, -1}, {43, -1}, {73, -1}, {105, -1}, {107, -1},
                 {34, 1},  {45, 1},  {79, 1},  {109, 1},  {111, 1}};
    for (const Case& c : zooms)
    {
        plot->scaleIndex = 10;
        plot->originE = 100.0;
        EXPECT_TRUE(press(c.key)) << c.key;
        EXPECT_EQ(plot->scaleIndex, 10 + c.step) << c.key;
        EXPECT_EQ(plot->originE, 100.0) << c.key;
        // Never beyond 1 and 29.
        plot->scaleIndex = c.step < 0 ? 1 : 29;
        EXPECT_TRUE(press(c.key)) << c.key;
        EXPECT_EQ(plot->scaleIndex, c.step < 0 ? 1 : 29) << c.key;
    }
    // The keyboard's own Page Up arrives as key 33.
    plot->scaleIndex = 10;
    QKeyEvent pageUp(QEvent::KeyPress, Qt::Key_PageUp, Qt::NoModifier);
    QApplication::sendEvent(window.GetWidget(), &pageUp);
    EXPECT_EQ(plot->scaleIndex, 9);
    // Other keys do nothing.
    plot->scaleIndex = 10;
    window.SendMessage(WM_KEYDOWN, 65, 0);
    EXPECT_EQ(plot->scaleIndex, 10);

    // North up, 1:200: Right moves the centre one 10 m grid interval east.
    plot->scaleIndex = 7;
    plot->SetCentre(1000.0, 2000.0);
    EXPECT_TRUE(press(39));
    EXPECT_EQ(plot->originE, 1010.0);
    EXPECT_EQ(plot->originN, 2000.0);
    EXPECT_TRUE(press(37));
    EXPECT_TRUE(press(38));
    EXPECT_EQ(plot->originE, 1000.0);
    EXPECT_EQ(plot->originN, 2010.0);
    EXPECT_TRUE(press(40));
    EXPECT_EQ(plot->originN, 2000.0);

    // Heading 30 up: Up moves the view along the screen's up, which is grid bearing 30.
    EXPECT_TRUE(press(35));
    EXPECT_FALSE(plot->northUp);
    plot->SetOrientation(30);
    plot->DrawGrid(plotRect);
    const POINT before = plot->GridToScreenPoint(1000.0, 2000.0);
    EXPECT_TRUE(press(38));
    EXPECT_NEAR(plot->originE, 1000.0 + 10.0 * std::sin(M_PI / 6), 1e-9);
    EXPECT_NEAR(plot->originN, 2000.0 + 10.0 * std::cos(M_PI / 6), 1e-9);
    plot->DrawGrid(plotRect);
    const POINT after = plot->GridToScreenPoint(1000.0, 2000.0);
    EXPECT_NEAR(after.x, before.x, 1);
    EXPECT_NEAR(after.y, before.y + 200, 1); // 10 m at 20 px/m, straight down the screen

    // End again: north up, and the display turned back.
    EXPECT_TRUE(press(35));
    EXPECT_TRUE(plot->northUp);
    EXPECT_EQ(plot->sinRot, 0.0);
    EXPECT_TRUE(press(36));
    EXPECT_EQ(plot->originE, 0.0);
    EXPECT_EQ(plot->originN, 0.0);
    window.DestroyWindow();
}

TEST_F(CalibrationPlotTest, ArcChordsStayWithinAPixel)
{
    CPen pen(PS_SOLID, 1, kRed);
    CPen* old = plot->SelectObject(&pen);
    for (int index : {1, 4, 7, 12, 16, 20, 24, 29})
        for (double radius : {1.0, 7.5, 100.0, 2500.0, 50000.0})
        {
            plot->scaleIndex = index;
            plot->SetCentre(0.0, 0.0);
            Frame();
            const double ppm = plot->pixelsPerMetre;
            // The chords: the middle of each lies within a pixel of the circle, and one chord
            // fewer would not.
            for (double sweep : {2.0 * M_PI, 0.5})
            {
                const int n = plot->ArcChordCount(radius, sweep);
                if (radius * ppm <= 0.5)
                {
                    EXPECT_EQ(n, 0) << radius << " at " << index;
                    continue;
                }
                ASSERT_GT(n, 0) << radius << " at " << index;
                const double sag = radius * (1.0 - std::cos(sweep / n / 2.0)) * ppm;
                EXPECT_LE(sag, 1.0 + 1e-9) << radius << " at " << index;
                if (n > 1 && n < CCalibrationPlot::kMaxChords)
                {
                    EXPECT_GT(radius * (1.0 - std::cos(sweep / (n - 1) / 2.0)) * ppm, 1.0 - 1e-9)
                        << radius << " at " << index;
                }
            }
            // Drawn: every pixel within a pixel of the circle, give or take the truncation of
            // each end to whole pixels; nothing outside the plot.
            plot->DrawChordArc(radius, 0.0, 2.0 * M_PI, 0.0, 0.0);
            const QImage image = bitmap.ToImage();
            int drawn = 0;
            for (int y = 0; y < 480; ++y)
                for (int x = 0; x < 640; ++x)
                    if (ColorRefFromQRgb(image.pixel(x, y)) == kRed)
                    {
                        ++drawn;
                        const double d = std::hypot(x - 320.0, y - 240.0);
                        ASSERT_NEAR(d, radius * ppm, 1.0 + std::sqrt(2.0) + 0.5)
                            << "radius " << radius << " index " << index << " at " << x << "," << y;
                    }
            const double r = radius * ppm;
            if (r >= 2.0 && r < 399.0)
            {
                EXPECT_GT(drawn, 0) << "radius " << radius << " index " << index;
            }
            if (r > 402.0)
            {
                EXPECT_EQ(drawn, 0) << "radius " << radius << " index " << index;
            }
        }
    plot->SelectObject(old);
}

TEST_F(CalibrationPlotTest, ArcBadInputReturnsAtOnce)
{
    CPen pen(PS_SOLID, 1, kRed);
    CPen* old = plot->SelectObject(&pen);
    plot->scaleIndex = 7;
    Frame();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const auto start = std::chrono::steady_clock::now();
    plot->DrawChordArc(10.0, 1e16, 1e16 + 3.0, 0.0, 0.0); // bearing + step == bearing
    plot->DrawChordArc(1e9, 0.0, 2.0 * M_PI, 0.0, 0.0);   // far beyond the view
    plot->DrawChordArc(1e12, 1e16, 1e16 + 6.0, 0.0, 0.0); // both
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    Clear();
    for (double bad : {nan, inf, -inf})
    {
        plot->DrawChordArc(bad, 0.0, 1.0, 0.0, 0.0);
        plot->DrawChordArc(5.0, bad, 1.0, 0.0, 0.0);
        plot->DrawChordArc(5.0, 0.0, bad, 0.0, 0.0);
    }
    plot->DrawChordArc(0.0, 0.0, 1.0, 0.0, 0.0);
    plot->DrawChordArc(-5.0, 0.0, 1.0, 0.0, 0.0);
    const double ppm = plot->pixelsPerMetre;
    plot->pixelsPerMetre = nan;
    plot->DrawChordArc(5.0, 0.0, 1.0, 0.0, 0.0);
    plot->pixelsPerMetre = ppm;
    const QImage image = bitmap.ToImage();
    int drawn = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            drawn += ColorRefFromQRgb(image.pixel(x, y)) == kRed;
    EXPECT_EQ(drawn, 0);
    // An arc from 350 degrees through north to 80: the short way round.
    auto redNear = [&](int x, int y) {
        int n = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                n += At(x + dx, y + dy) == kRed;
        return n > 0;
    };
    plot->DrawChordArc(10.0, 350.0 * M_PI / 180.0, 80.0 * M_PI / 180.0, 0.0, 0.0);
    EXPECT_TRUE(redNear(320, 240 - 200));      // north
    EXPECT_TRUE(redNear(320 + 197, 240 - 35)); // 80 degrees
    EXPECT_FALSE(redNear(320, 240 + 200));     // south is not on it
    EXPECT_FALSE(redNear(320 - 200, 240));     // nor west
    // 300 px: cut where it leaves the plot's top, 180 px either side of the middle.
    plot->DrawChordArc(15.0, 0.0, 2.0 * M_PI, 0.0, 0.0);
    EXPECT_TRUE(redNear(140, 2));
    EXPECT_TRUE(redNear(500, 2));
    plot->SelectObject(old);
}

TEST_F(CalibrationPlotTest, ArrowHeadCorners)
{
    Frame();
    plot->SelectStockObject(NULL_PEN);
    struct Case
    {
        double bearing, rotation;
    } cases[] = {{0.0, 0.0}, {M_PI / 2, 0.0}, {0.0, M_PI / 6}, {M_PI / 4, M_PI / 6}};
    for (const Case& c : cases)
    {
        Clear();
        const double s = std::sin(c.rotation);
        const double k = std::cos(c.rotation);
        plot->ArrowHead(320, 240, c.bearing, s, k);
        // The corners, turned as the test works them out: 18 back, 6 either side.
        for (double side : {1.0, -1.0})
        {
            const double e = -18.0 * std::sin(c.bearing) + side * 6.0 * std::cos(c.bearing);
            const double n = -18.0 * std::cos(c.bearing) - side * 6.0 * std::sin(c.bearing);
            const double dx = e * k - n * s;
            const double dy = e * s + n * k;
            // A point just inside the corner, towards the middle of the base.
            const double mx = -18.0 * std::sin(c.bearing);
            const double my = -18.0 * std::cos(c.bearing);
            const double bx = mx * k - my * s;
            const double by = mx * s + my * k;
            const int px = static_cast<int>(std::lround(320 + dx + (bx - dx) * 0.25 + (0 - dx) * 0.1));
            const int py = static_cast<int>(std::lround(240 - (dy + (by - dy) * 0.25 + (0 - dy) * 0.1)));
            EXPECT_EQ(At(px, py), 0xFFFF00u) << c.bearing << " " << c.rotation << " side " << side;
        }
        // Beyond the tip nothing.
        const int tx = static_cast<int>(320 + 4 * std::sin(c.bearing + c.rotation));
        const int ty = static_cast<int>(240 - 4 * std::cos(c.bearing + c.rotation));
        EXPECT_EQ(At(tx, ty), kGround);
    }
    // A cyan background makes the head red; a monochrome device black.
    Clear();
    plot->backgroundColour = 0xFFFF00;
    plot->ArrowHead(320, 240, 0.0, 0.0, 1.0);
    EXPECT_EQ(At(320, 250), kRed);
    plot->monochrome = true;
    plot->ArrowHead(320, 240, 0.0, 0.0, 1.0);
    EXPECT_EQ(At(320, 250), 0u);
}

TEST_F(CalibrationPlotTest, CircledTextIsCentred)
{
    Frame();
    CFont font;
    font.CreatePointFont(100, "Tahoma", plot.get());
    CPen pen(PS_SOLID, 1, kGreen);
    CPen* oldPen = plot->SelectObject(&pen);
    plot->SelectObject(&plot->hollowBrush);
    plot->SetTextColor(kRed);
    CFont* before = plot->GetCurrentFont();
    plot->CircledText(320, 240, "12", &font);
    EXPECT_EQ(plot->GetCurrentFont(), before);
    // The circle's radius is the width of "8".
    CFont* previous = plot->SelectObject(&font);
    const int r = plot->GetTextExtent("8", 1).cx;
    plot->SelectObject(previous);
    EXPECT_EQ(At(320 - r, 240), kGreen);
    EXPECT_EQ(At(320, 240 - r), kGreen);
    // The text's ink is centred on the point.
    const QImage image = bitmap.ToImage();
    QRect ink;
    for (int y = 200; y < 280; ++y)
        for (int x = 280; x < 360; ++x)
            if (ColorRefFromQRgb(image.pixel(x, y)) == kRed)
                ink |= QRect(x, y, 1, 1);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.center().x(), 320, 2);
    EXPECT_NEAR(ink.center().y(), 240, 4);
    plot->SelectObject(oldPen);
}

TEST_F(CalibrationPlotTest, SymbolShapes)
{
    Frame();
    // An outline square of size 10 at (100, 100): the closed polyline through its corners in a
    // 1-pixel pen of the fill colour, over what lies beneath.
    DrawCalibrationSquare(*plot, kRed, kGreen, 10, true, 100, 100);
    for (int i = 95; i < 105; ++i)
    {
        EXPECT_EQ(At(i, 95), kRed) << i;
        EXPECT_EQ(At(105, i), kRed) << i;
        EXPECT_EQ(At(i + 1, 105), kRed) << i;
        EXPECT_EQ(At(95, i + 1), kRed) << i;
    }
    EXPECT_EQ(At(100, 100), kGround); // no centre mark
    EXPECT_EQ(At(100, 96), kGround);  // one pixel wide
    EXPECT_EQ(At(100, 94), kGround);
    // A circle of size 7 at (50, 50) fills the box (47, 47)-(53, 53), its outline 1 pixel.
    DrawCalibrationCircle(*plot, kRed, kGreen, 7, false, 50, 50);
    EXPECT_EQ(At(47, 50), kGreen);
    EXPECT_EQ(At(52, 50), kGreen);
    EXPECT_EQ(At(50, 50), kRed);
    EXPECT_EQ(At(48, 50), kRed);
    EXPECT_EQ(At(46, 50), kGround);
    EXPECT_EQ(At(53, 50), kGround);
    // Filled triangle and diamond: outline colour on the edge, fill inside, apex up.
    DrawCalibrationTriangle(*plot, kRed, kGreen, 20, false, 200, 200);
    EXPECT_EQ(At(200, 190), kGreen);
    EXPECT_EQ(At(200, 202), kRed);
    EXPECT_EQ(At(200, 188), kGround);
    DrawCalibrationDiamond(*plot, kRed, kGreen, 20, true, 300, 200);
    EXPECT_EQ(At(300, 190), kRed);
    EXPECT_EQ(At(305, 195), kRed);
    EXPECT_EQ(At(300, 200), kGround);
    // Filled circles of black or white take the context's own brushes.
    const unsigned long long brushes = GdiObjectsMade(OBJ_BRUSH);
    DrawCalibrationCircle(*plot, 0x000000, kGreen, 9, false, 400, 100);
    DrawCalibrationCircle(*plot, 0xFFFFFF, kGreen, 9, false, 420, 100);
    EXPECT_EQ(GdiObjectsMade(OBJ_BRUSH), brushes);
    EXPECT_EQ(At(400, 100), 0u);
    EXPECT_EQ(At(420, 100), 0xFFFFFFu);
    DrawCalibrationCircle(*plot, kRed, kGreen, 9, false, 440, 100);
    EXPECT_EQ(GdiObjectsMade(OBJ_BRUSH), brushes + 1);
    // The context's pen, brush and background mode come back.
    CPen* pen = plot->GetCurrentPen();
    CBrush* brush = plot->GetCurrentBrush();
    const int mode = plot->GetBkMode();
    DrawCalibrationDiamond(*plot, kRed, kGreen, 20, false, 300, 300);
    EXPECT_EQ(plot->GetCurrentPen(), pen);
    EXPECT_EQ(plot->GetCurrentBrush(), brush);
    EXPECT_EQ(plot->GetBkMode(), mode);
}

TEST_F(CalibrationPlotTest, VectorSymbolsInEitherStyle)
{
    // Symbols 5 to 12 are the calibration shapes on a context in that style, and the common
    // shapes on any other.
    Frame();
    auto picture = [&](auto draw) {
        Clear();
        draw();
        return bitmap.ToImage();
    };
    for (int symbol = 5; symbol <= 12; ++symbol)
    {
        plot->calibrationSymbols = true;
        const QImage styled = picture([&] { plot->DrawVectorSymbol(symbol, kRed, kGreen, 20, 100, 100); });
        plot->calibrationSymbols = false;
        const QImage shape =
            picture([&] { DrawCalibrationSymbol(*plot, symbol, kRed, kGreen, 20, 100, 100); });
        const QImage common = picture([&] { plot->DrawVectorSymbol(symbol, kRed, kGreen, 20, 100, 100); });
        EXPECT_EQ(styled, shape) << symbol;
        EXPECT_NE(styled, common) << symbol;
        EXPECT_NE(styled, picture([] {})) << symbol;
    }
    // The others draw as they always do.
    for (int symbol : {1, 2, 4, 13, 20, 25})
    {
        plot->calibrationSymbols = true;
        const QImage styled = picture([&] { plot->DrawVectorSymbol(symbol, kRed, kGreen, 20, 100, 100); });
        plot->calibrationSymbols = false;
        EXPECT_EQ(styled, picture([&] { plot->DrawVectorSymbol(symbol, kRed, kGreen, 20, 100, 100); }))
            << symbol;
    }
    plot->calibrationSymbols = true;
    Clear();
    for (int symbol = 5; symbol <= 12; ++symbol)
        plot->DrawVectorSymbol(symbol, kRed, kGreen, 24, 40 + 70 * (symbol - 5), 240);
    EXPECT_TRUE(bitmap.ToImage().save(QString(SUITE_VISUAL_DIR) + "/calibration-symbols.png"));
}

TEST_F(CalibrationPlotTest, PlanViewPicture)
{
    plot->scaleIndex = 14; // 1:5000, 0.8 pixels a metre
    plot->tickMode = TICK_CROSSES;
    plot->SetCentre(500.0, 500.0);
    plot->DrawGrid(plotRect);
    CPen pen(PS_SOLID, 1, 0xFFFFFF);
    CPen* oldPen = plot->SelectObject(&pen);
    plot->SelectObject(&plot->hollowBrush);
    plot->DrawChordArc(80.0, 0.0, 2.0 * M_PI, 500.0, 500.0);
    plot->DrawChordArc(150.0, 5.5, 1.2, 500.0, 500.0);
    plot->DrawChordArc(400.0, 0.0, 2.0 * M_PI, 400.0, 450.0);
    CFont font;
    font.CreatePointFont(90, "Tahoma", plot.get());
    plot->SetTextColor(0xFFFFFF);
    const double stations[][2] = {{430, 560}, {580, 540}, {520, 410}, {450, 440}};
    for (int i = 0; i < 4; ++i)
    {
        const POINT p = plot->GridToScreenPoint(stations[i][0], stations[i][1]);
        CString label;
        label.Format("%d", i + 1);
        plot->CircledText(p.x, p.y, label, &font);
    }
    for (int symbol = 5; symbol <= 12; ++symbol)
        plot->DrawVectorSymbol(symbol, 0x00FFFF, 0x0000FF, 14, 60 + 40 * (symbol - 5), 440);
    const POINT tip = plot->GridToScreenPoint(560, 470);
    plot->ArrowHead(tip.x, tip.y, 2.3, plot->sinRot, plot->cosRot);
    plot->SelectObject(oldPen);
    EXPECT_TRUE(bitmap.ToImage().save(QString(SUITE_VISUAL_DIR) + "/calibration-plan-view.png"));
    EXPECT_NE(At(60, 440), kGround);
}

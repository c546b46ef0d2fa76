// The chart plot's coordinate frame, settings file, keys, drags and tracking.
#include "PlotFixture.h"

#include "foundation/ConfigFile.h"
#include "platform/ui/Cursor.h"
#include "testsupport/TempDrives.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QWidget>

#include <cmath>

namespace
{
// The Linux path of a settings file of that name ("C:\\..." under the test's drive C:).
QString PlotSettingsPath(const char* name)
{
    const CString windows = CConfigFile().GetSettingsFileName(name);
    return TempDrives::Current()->DriveC() + "/" + QString(windows.Mid(3).GetString()).replace('\\', '/');
}

QByteArray PlotSettingsBytes(const char* name)
{
    QFile file(PlotSettingsPath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WritePlotSettings(const char* name, const QByteArray& bytes)
{
    QFile file(PlotSettingsPath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
} // namespace

TEST_F(PlotFixture, ScreenAndGridRoundTripAtEveryScale)
{
    // Before the first DrawGrid there is no scale: nothing converts.
    double e = 1, n = 1;
    EXPECT_FALSE(plot->ScreenToGrid(320, 240, &e, &n));
    EXPECT_EQ(e, 0.0);
    EXPECT_EQ(n, 0.0);

    plot->originE = 452000.0;
    plot->originN = 6231000.0;
    struct Frame
    {
        bool northUp;
        int orientation, angleOffset;
    };
    for (const Frame frame : {Frame{true, 0, 0}, Frame{false, 30, 0}, Frame{false, 200, 45}})
    {
        plot->northUp = frame.northUp;
        plot->angleOffset = frame.angleOffset;
        plot->SetOrientation(frame.orientation);
        for (int index = 0; index < CGridPlot::kScales; ++index)
        {
            plot->scaleIndex = index;
            plot->tickMode = TICK_NONE;
            plot->DrawGrid(plotRect);
            EXPECT_DOUBLE_EQ(plot->pixelsPerMetre, 4000.0 / CGridPlot::scaleTable[index]);
            for (const CPoint p : {CPoint(0, 0), CPoint(639, 1), CPoint(320, 240), CPoint(17, 463), CPoint(640, 480)})
            {
                ASSERT_TRUE(plot->ScreenToGrid(p.x, p.y, &e, &n)) << index;
                int x = 0, y = 0;
                plot->GridToScreen(e, n, &x, &y);
                EXPECT_LE(std::abs(x - p.x), 1) << "scale " << index << " rotation " << frame.orientation;
                EXPECT_LE(std::abs(y - p.y), 1) << "scale " << index << " rotation " << frame.orientation;
            }
            EXPECT_FALSE(plot->ScreenToGrid(-1, 240, &e, &n));
            EXPECT_FALSE(plot->ScreenToGrid(320, 481, &e, &n));
            EXPECT_EQ(e, 0.0);
        }
    }
}

TEST_F(PlotFixture, GridToScreenTurnsWithTheDisplay)
{
    plot->scaleIndex = 16; // 0.4 px/m
    plot->originE = 1000.0;
    plot->originN = 2000.0;
    plot->DrawGrid(plotRect);
    // North-up: 100 m north is 40 pixels up.
    EXPECT_EQ(plot->GridToScreenPoint(1000.0, 2100.0).y, 240 - 40);
    // Heading 90 (east up): north points left.
    plot->northUp = false;
    plot->SetOrientation(90);
    const POINT north = plot->GridToScreenPoint(1000.0, 2100.0);
    EXPECT_NEAR(north.x, 320 - 40, 1);
    EXPECT_NEAR(north.y, 240, 1);
    // An orientation beyond 359 leaves the orientation and turns nothing.
    plot->SetOrientation(400);
    EXPECT_EQ(plot->orientation, 90);
    EXPECT_EQ(plot->GridToScreenPoint(1000.0, 2100.0).y, 240 - 40);
    // North-up with an angle offset of 180: positions stay, crosses turn.
    plot->northUp = true;
    plot->angleOffset = 180;
    plot->SetOrientation(0);
    EXPECT_EQ(plot->cosRot, -1.0);
    EXPECT_EQ(plot->GridToScreenPoint(1000.0, 2100.0).y, 240 - 40);
}

TEST_F(PlotFixture, SettingsRoundTripByteForByte)
{
    plot->LoadSettings("Grid View Pane");
    EXPECT_EQ(plot->scaleIndex, 15); // no file
    EXPECT_EQ(plot->tickMode, TICK_CROSSES);
    EXPECT_TRUE(plot->showNorthArrow);
    plot->tickMode = TICK_LINES;
    plot->scaleIndex = 22;
    plot->northUp = false;
    plot->orientation = 45;
    plot->angleOffset = -5;
    plot->originE = 452123.4567;
    plot->originN = 6231000.25;
    plot->trackMode = TRACK_SHIFT;
    plot->trackObject = TRACK_WAYPOINT;
    plot->trackWaypointFile = 2;
    plot->trackWaypointIndex = 17;
    plot->showNorthArrow = false;
    plot->SaveSettings();
    const QByteArray written = PlotSettingsBytes("Grid View Pane");
    EXPECT_EQ(written, QByteArray("Tick Mode = 3\r\nScale Index = 22\r\nNorth Up = 0\r\nOrientation = 45\r\n"
                                  "Angle Offset = -5\r\nCentre Easting = 452123.457\r\n"
                                  "Centre Northing = 6231000.250\r\nTrack Mode = 3\r\nTrack Object = 3\r\n"
                                  "Track Waypoint File = 2\r\nTrack Waypoint Index = 17\r\n"
                                  "Show North Arrow = 0\r\n"));

    // Read back by another plot, which saves the same bytes when it is destroyed.
    {
        CGridPlot again;
        again.LoadSettings("Grid View Pane");
        EXPECT_EQ(again.trackWaypointIndex, 17);
        EXPECT_FALSE(again.showNorthArrow);
        EXPECT_FALSE(again.northUp);
        EXPECT_NEAR(again.sinRot, std::sin(40.0 * M_PI / 180.0), 1e-12);
        ASSERT_TRUE(QFile::remove(PlotSettingsPath("Grid View Pane")));
    }
    EXPECT_EQ(PlotSettingsBytes("Grid View Pane"), written);
}

// The settings reader under AddressSanitizer with UBSan too.
using GridPlotBadInput = PlotFixture;

TEST_F(GridPlotBadInput, OldShortAndDamagedSettingsFiles)
{
    struct Case
    {
        const char* name;
        const char* text;
        int scaleIndex, tickMode, trackObject, waypointFile;
        bool northArrow;
    };
    const Case cases[] = {
        {"ten lines", "Tick Mode = 1\r\nScale Index = 9\r\nNorth Up = 1\r\nOrientation = 0\r\nAngle Offset = 0\r\n"
                      "Centre Easting = 1.000\r\nCentre Northing = 2.000\r\nTrack Mode = 0\r\nTrack Object = 2\r\n"
                      "Show North Arrow = 0\r\n",
         9, 1, 2, 0, false},
        {"index 0", "Tick Mode = 2\r\nScale Index = 0\r\n", 15, 2, 1, 0, true},
        {"index 31", "Tick Mode = 2\r\nScale Index = 31\r\n", 15, 2, 1, 0, true},
        {"no scale line", "Tick Mode = 0\r\n", 15, 0, 1, 0, true},
        {"no numbers", "Tick Mode = lines\r\nScale Index = \r\nNorth Up = 1\r\nOrientation = 0\r\nAngle Offset = 0\r\n"
                       "Centre Easting = x\r\nCentre Northing = 2\r\nTrack Mode = 0\r\nTrack Object = ?\r\n",
         15, 2, 1, 0, true},
        {"no equals", "Tick Mode 3\r\nScale Index = 12\r\n", 12, 2, 1, 0, true},
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(WritePlotSettings("Old Plot", c.text)) << c.name;
        CGridPlot loaded;
        loaded.LoadSettings("Old Plot");
        EXPECT_EQ(loaded.scaleIndex, c.scaleIndex) << c.name;
        EXPECT_EQ(loaded.tickMode, c.tickMode) << c.name;
        EXPECT_EQ(loaded.trackObject, c.trackObject) << c.name;
        EXPECT_EQ(loaded.trackWaypointFile, c.waypointFile) << c.name;
        EXPECT_EQ(loaded.showNorthArrow, c.northArrow) << c.name;
        loaded.settingsName.Empty(); // keep the case's file as it is
    }
}

// An angle offset or orientation of any integer a file can hold turns the frame as its value
// within one turn would, with no sum overflowing: whole turns of the offset are dropped, and an
// orientation no frame has is none.
TEST_F(GridPlotBadInput, AnglesOfAnyIntegerTurnTheFrameWithinOneTurn)
{
    struct Case
    {
        const char* orientation;
        const char* offset;
        int heldOrientation, heldOffset;
        double turn; // degrees the frame turns; NAN: not at all
    } cases[] = {
        {"10", "2147483647", 10, 127, 137.0},
        {"10", "-2147483648", 10, -128, -118.0},
        {"359", "-359", 359, -359, 0.0},
        {"45", "-5", 45, -5, 40.0},
        {"2147483647", "5", 0, 5, NAN},
        {"-5", "720", 0, 0, NAN},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.offset);
        const QByteArray text = QByteArray("Tick Mode = 2\r\nScale Index = 16\r\nNorth Up = 0\r\nOrientation = ") +
                                c.orientation + "\r\nAngle Offset = " + c.offset + "\r\n";
        ASSERT_TRUE(WritePlotSettings("Turned Plot", text));
        CGridPlot loaded;
        loaded.LoadSettings("Turned Plot");
        EXPECT_EQ(loaded.orientation, c.heldOrientation);
        EXPECT_EQ(loaded.angleOffset, c.heldOffset);
        const double turn = std::isnan(c.turn) ? 0.0 : c.turn * M_PI / 180.0;
        EXPECT_NEAR(loaded.sinRot, std::sin(turn), 1e-12);
        EXPECT_NEAR(loaded.cosRot, std::cos(turn), 1e-12);
        loaded.settingsName.Empty(); // keep the case's file as it is
    }
}

TEST_F(PlotFixture, UnwritableSettingsLeaveTheOldFile)
{
    plot->LoadSettings("Locked Plot");
    plot->SaveSettings();
    const QByteArray before = PlotSettingsBytes("Locked Plot");
    ASSERT_FALSE(before.isEmpty());
    // The new file is written beside the old one first; a folder in its way stops that.
    const QString path = PlotSettingsPath("Locked Plot");
    ASSERT_TRUE(QDir().mkpath(path + ".new~"));
    plot->scaleIndex = 3;
    plot->SaveSettings();
    EXPECT_EQ(PlotSettingsBytes("Locked Plot"), before);
    QDir(path + ".new~").removeRecursively();
}

namespace
{
// A window that hands its key presses to the plot, as the chart view does: both the key
// itself and the character it sends, so a key that also types a character ('i', '+') must
// still act once.
class KeyWindow : public CWnd
{
public:
    explicit KeyWindow(CGridPlot& plot) : m_Plot(plot) {}
    void OnKeyDown(UINT nChar, UINT, UINT) { m_Plot.OnKeyDown(this, nChar); }
    void OnChar(UINT nChar, UINT, UINT) { m_Plot.OnKeyDown(this, nChar); }
    DECLARE_MESSAGE_MAP()

private:
    CGridPlot& m_Plot;
};
BEGIN_MESSAGE_MAP(KeyWindow, CWnd)
ON_WM_KEYDOWN()
ON_WM_CHAR()
END_MESSAGE_MAP()

void Press(QWidget* widget, int key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
}
} // namespace

TEST_F(PlotFixture, OnePressZoomsOneStep)
{
    KeyWindow window(*plot);
    ASSERT_TRUE(window.CreateEx(0, nullptr, "Keys", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    struct Case
    {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* text;
        int step;
    };
    const Case cases[] = {
        {"I", Qt::Key_I, Qt::NoModifier, "i", -1},
        {"Page Up", Qt::Key_PageUp, Qt::NoModifier, "", -1},
        {"pad +", Qt::Key_Plus, Qt::KeypadModifier, "+", -1},
        {"main +", Qt::Key_Plus, Qt::ShiftModifier, "+", -1},
        {"O", Qt::Key_O, Qt::NoModifier, "o", +1},
        {"Page Down", Qt::Key_PageDown, Qt::NoModifier, "", +1},
        {"pad -", Qt::Key_Minus, Qt::KeypadModifier, "-", +1},
        {"main -", Qt::Key_Minus, Qt::NoModifier, "-", +1},
        {"pad 9", Qt::Key_9, Qt::KeypadModifier, "9", 0},
        {"Insert", Qt::Key_Insert, Qt::NoModifier, "", 0},
    };
    for (const Case& c : cases)
    {
        plot->scaleIndex = 15;
        Press(window.GetWidget(), c.key, c.modifiers, c.text);
        EXPECT_EQ(plot->scaleIndex, 15 + c.step) << c.name;
    }
    // The limits: zoom in stops at 1, zoom out at 29.
    plot->scaleIndex = 1;
    plot->OnKeyDown(&window, VK_PRIOR);
    EXPECT_EQ(plot->scaleIndex, 1);
    plot->scaleIndex = 29;
    plot->OnKeyDown(&window, VK_NEXT);
    EXPECT_EQ(plot->scaleIndex, 29);
}

TEST_F(PlotFixture, KeysMoveAndTurnTheFrame)
{
    plot->scaleIndex = 16; // 500 m spacing
    plot->originE = 1000.0;
    plot->originN = 2000.0;
    plot->OnKeyDown(nullptr, VK_LEFT);
    EXPECT_EQ(plot->originE, 500.0);
    plot->OnKeyDown(nullptr, VK_UP);
    EXPECT_EQ(plot->originN, 2500.0);
    plot->Pan(PAN_DOWN_RIGHT);
    EXPECT_EQ(plot->originE, 1000.0);
    EXPECT_EQ(plot->originN, 2000.0);
    plot->Pan(9);
    EXPECT_EQ(plot->originE, 1000.0);
    // Heading 90: "up" on the screen is east.
    plot->northUp = false;
    plot->SetOrientation(90);
    plot->Pan(PAN_UP);
    EXPECT_NEAR(plot->originE, 1500.0, 1e-9);
    EXPECT_NEAR(plot->originN, 2000.0, 1e-9);
    plot->OnKeyDown(nullptr, VK_END);
    EXPECT_TRUE(plot->northUp);
    EXPECT_EQ(plot->sinRot, 0.0);
    plot->OnKeyDown(nullptr, VK_HOME);
    EXPECT_EQ(plot->originE, 0.0);
    EXPECT_EQ(plot->originN, 0.0);
}

TEST_F(PlotFixture, DragsSetTheCursorAndPlainDragsPan)
{
    plot->scaleIndex = 16; // 0.4 px/m
    plot->originE = 1000.0;
    plot->originN = 2000.0;
    plot->DrawGrid(plotRect);
    struct Case
    {
        UINT flags;
        LPCSTR cursor;
        bool panning;
    };
    for (const Case c : {Case{MK_SHIFT, IDC_ARROW, false}, Case{MK_CONTROL, IDC_CROSS, false}, Case{0, IDC_HAND, true}})
    {
        plot->StartDrag(nullptr, c.flags | MK_LBUTTON, 300, 200);
        EXPECT_EQ(GetCursor(), LoadCursor(nullptr, c.cursor)) << c.flags;
        EXPECT_EQ(plot->cursor, LoadCursor(nullptr, c.cursor)) << c.flags;
        EXPECT_EQ(plot->panning, c.panning) << c.flags;
    }
    EXPECT_DOUBLE_EQ(plot->dragStartE, 1000.0 - 20 / 0.4);
    EXPECT_DOUBLE_EQ(plot->dragStartN, 2000.0 + 40 / 0.4);
    // The hand drag: 40 pixels right and 20 up moves the centre 100 m west and 50 m south, so
    // the chart follows the mouse.
    plot->DragMove(CPoint(340, 180));
    EXPECT_DOUBLE_EQ(plot->originE, 900.0);
    EXPECT_DOUBLE_EQ(plot->originN, 1950.0);
    // Off the plot nothing moves.
    plot->DragMove(CPoint(700, 180));
    EXPECT_DOUBLE_EQ(plot->originE, 900.0);
    // A cross drag only follows the mouse.
    plot->StartDrag(nullptr, MK_CONTROL, 300, 200);
    plot->DragMove(CPoint(340, 180));
    EXPECT_DOUBLE_EQ(plot->originE, 900.0);
    EXPECT_NE(plot->lastGridE, 0.0);
    // Centring and zooming at a point.
    EXPECT_TRUE(plot->CentreAt(420, 240));
    EXPECT_DOUBLE_EQ(plot->originE, 900.0 + 100 / 0.4);
    EXPECT_FALSE(plot->CentreAt(-5, 240));
    plot->ZoomInAt(CPoint(320, 140));
    EXPECT_EQ(plot->scaleIndex, 15);
    EXPECT_DOUBLE_EQ(plot->originN, 1950.0 + 100 / 0.4);
    plot->ZoomOutAt(CPoint(700, 140));
    EXPECT_EQ(plot->scaleIndex, 15);
}

TEST_F(PlotFixture, TheChartFollowsTheMouseAtEveryOrientationAndOffset)
{
    // The grid point under the mouse when the drag starts is under it again when it ends,
    // north-up or turned, whatever the angle offset: at north-up with an offset of 180 the
    // positions are not turned (only the crosses and the north arrow are), so neither is the
    // drag's step.
    plot->scaleIndex = 16; // 0.4 px/m
    for (const bool northUp : {true, false})
        for (const int offset : {0, 90, 180, 270, -45})
            for (const int orientation : {0, 30, 200})
            {
                plot->originE = 1000.0;
                plot->originN = 2000.0;
                plot->northUp = northUp;
                plot->angleOffset = offset;
                plot->SetOrientation(orientation);
                plot->DrawGrid(plotRect);
                double e = 0.0, n = 0.0;
                ASSERT_TRUE(plot->ScreenToGrid(300, 200, &e, &n));
                plot->StartDrag(nullptr, MK_LBUTTON, 300, 200);
                plot->DragMove(CPoint(340, 180));
                plot->DragMove(CPoint(352, 233));
                const POINT now = plot->GridToScreenPoint(e, n);
                EXPECT_NEAR(now.x, 352, 1) << northUp << " " << offset << " " << orientation;
                EXPECT_NEAR(now.y, 233, 1) << northUp << " " << offset << " " << orientation;
            }
}

TEST_F(PlotFixture, TrackPositionByMode)
{
    // Before any DrawGrid there is no scale: mode 3 does nothing.
    plot->originE = 1000.0;
    plot->originN = 2000.0;
    plot->trackMode = TRACK_SHIFT;
    plot->TrackPosition(5000.0, 5000.0);
    EXPECT_EQ(plot->originE, 1000.0);

    // 0.4 px/m on 600 × 300 pixels: 1500 m by 750 m about the centre (300, 150).
    plot->scaleIndex = 16;
    struct Case
    {
        int mode;
        double e, n;
        double originE, originN;
    };
    const Case cases[] = {
        {TRACK_NONE, 5000, 5000, 1000, 2000},
        {TRACK_CENTRE, 1100, 2000, 1100, 2000},
        {TRACK_RECENTRE, 1100, 2000, 1000, 2000}, // still in view
        {TRACK_RECENTRE, 2000, 2000, 2000, 2000},
        {TRACK_SHIFT, 1100, 2000, 1000, 2000},
        {TRACK_SHIFT, 2000, 2000, 2500, 2000},  // off the right: a third of the width to its east
        {TRACK_SHIFT, 1000, 2500, 1000, 2750},  // off the top: a third of the height to its north
        {TRACK_SHIFT, 0, 1000, -500, 750},      // off the bottom left
    };
    for (const Case& c : cases)
    {
        plot->originE = 1000.0;
        plot->originN = 2000.0;
        plot->DrawGrid(CRect(0, 0, 600, 300));
        plot->trackMode = c.mode;
        plot->TrackPosition(c.e, c.n);
        EXPECT_DOUBLE_EQ(plot->originE, c.originE) << c.mode << " " << c.e << ", " << c.n;
        EXPECT_DOUBLE_EQ(plot->originN, c.originN) << c.mode << " " << c.e << ", " << c.n;
    }
    // An unplaced plot goes to the first position whatever the mode.
    plot->originE = plot->originN = 0.0;
    plot->trackMode = TRACK_NONE;
    plot->TrackPosition(7.0, 8.0);
    EXPECT_EQ(plot->originE, 7.0);
    EXPECT_EQ(plot->originN, 8.0);
}

TEST_F(PlotFixture, ClippedLinesAndTheNearLineTest)
{
    plot->scaleIndex = 16;
    plot->originE = 1000.0;
    plot->originN = 2000.0;
    plot->DrawGrid(plotRect);
    RECT ends{};
    // Far beyond the view on both sides: cut to the plotted extent.
    ASSERT_TRUE(plot->ClipLineToScreen(&ends, -1e9, 2000.0, 1e9, 2000.0));
    EXPECT_EQ(ends.left, 0);
    EXPECT_EQ(ends.right, 640);
    EXPECT_EQ(ends.top, 240);
    // Wholly outside; and inside but shorter than a pixel.
    EXPECT_FALSE(plot->ClipLineToScreen(&ends, 0.0, 0.0, 10.0, 10.0));
    EXPECT_FALSE(plot->ClipLineToScreen(&ends, 1000.0, 2000.0, 1000.5, 2000.5));

    tagNearLine test{{-1e9, 2000.0}, {1e9, 2000.0}, {100.0, 250.0}, 10};
    EXPECT_TRUE(plot->IsNearLine(test));
    test.Point = {100.0, 260.0};
    EXPECT_FALSE(plot->IsNearLine(test));
    test.Start = {0.0, 0.0};
    test.End = {10.0, 0.0};
    test.Point = {0.0, 0.0};
    EXPECT_FALSE(plot->IsNearLine(test));
}

TEST_F(PlotFixture, ExtentTestAndDeviceScale)
{
    plot->scaleIndex = 16;
    plot->originE = 1000.0;
    plot->originN = 2000.0;
    plot->DrawGrid(plotRect);
    // 640 × 480 pixels at 0.4 px/m: 1600 m by 1200 m.
    EXPECT_DOUBLE_EQ(plot->plotMinE, 200.0);
    EXPECT_DOUBLE_EQ(plot->plotMaxE, 1800.0);
    EXPECT_DOUBLE_EQ(plot->plotMinN, 1400.0);
    EXPECT_DOUBLE_EQ(plot->plotMaxN, 2600.0);
    int x = -1, y = -1;
    EXPECT_FALSE(plot->IsOutside(1100.0, 2100.0, &x, &y));
    EXPECT_EQ(x, 360);
    EXPECT_EQ(y, 200);
    EXPECT_TRUE(plot->IsOutside(1900.0, 2100.0, &x, &y));
    EXPECT_FALSE(plot->IsOutside(1800.0, 2600.0, nullptr, nullptr));

    // A context with no device reports no size: 0, and not kept, every time it is asked.
    CMyDC bare;
    for (int ask = 0; ask < 2; ++ask)
    {
        EXPECT_EQ(bare.GetDevicePixelsPerMetre(), 0.0);
        EXPECT_EQ(bare.devicePixelsPerMetre, 0.0);
    }
    EXPECT_EQ(plot->GetDevicePixelsPerMetre(), 4000.0);
}

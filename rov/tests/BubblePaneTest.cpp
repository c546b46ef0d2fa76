// The tilt bubble as a surveyor levelling a template sees it, docked in the test host's frame:
// the rings by day and night, the bubble where the tilt puts it (wrapping every five degrees),
// the trail behind it, the heading line, the second MRU's bubble and labels, probed on the
// frame's picture at positions worked out here from the tilt; the context menu as a user opens
// it, the source each update is taken from, the settings file it writes and reads back, and
// values from the host that are not numbers.
#include "foundation/ConfigFile.h"
#include "platform/core/Path.h"
#include "platform/core/WinApp.h"
#include "platform/ui/Colour.h"
#include "platform/ui/ModalHook.h"
#include "rov/BubblePane.h"
#include "rov/BubbleView.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/UserInput.h"
#include "testsupport/host/TestHost.h"

#include <QFile>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace
{
const CBubbleView::Colours& kDay = CBubbleView::DAY_COLOURS;
const CBubbleView::Colours& kNight = CBubbleView::NIGHT_COLOURS;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

std::string Hex(COLORREF c)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(c));
    return text;
}

QString SettingsFile()
{
    CConfigFile names;
    return LinuxPathFromWindows(names.GetSettingsFileName("Bubble View"));
}

void WriteSettings(const QByteArray& bytes)
{
    QFile f(SettingsFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray SettingsBytes()
{
    QFile f(SettingsFile());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(no file)");
}

// The target as the user sees it: its centre, outer radius, ring spacing and dot radius,
// taken from the size of the view, and the picture of the view inside the frame.
struct Target
{
    QImage seen;
    int cx = 0, cy = 0, R = 0, step = 0, d = 0;

    COLORREF At(int x, int y) const { return ColorRefFromQRgb(seen.pixel(x, y)); }
    COLORREF At(QPoint p) const { return At(p.x(), p.y()); }
    // Where a point `rings` rings out at `bearing` degrees clockwise from north lies.
    QPoint Out(double rings, double bearing) const
    {
        const double b = bearing * M_PI / 180.0;
        return QPoint(static_cast<int>(cx + std::sin(b) * step * rings), static_cast<int>(cy - std::cos(b) * step * rings));
    }
    // Pixels of `colour` within `radius` of `p`.
    int CountNear(QPoint p, int radius, COLORREF colour) const
    {
        int n = 0;
        for (int y = p.y() - radius; y <= p.y() + radius; ++y)
            for (int x = p.x() - radius; x <= p.x() + radius; ++x)
                if ((x - p.x()) * (x - p.x()) + (y - p.y()) * (y - p.y()) <= radius * radius && seen.valid(x, y))
                    n += At(x, y) == colour ? 1 : 0;
        return n;
    }
    // Pixels inside a bubble at `p` (clear of its outline) that are not its fill: its label.
    int LabelPixels(QPoint p, COLORREF fill) const
    {
        const int r = d - 3;
        return Inside(r) - CountNear(p, r, fill);
    }
    // Pixels of the disc of radius r, as CountNear walks them.
    static int Inside(int r)
    {
        int n = 0;
        for (int y = -r; y <= r; ++y)
            for (int x = -r; x <= r; ++x)
                n += x * x + y * y <= r * r ? 1 : 0;
        return n;
    }
};

COLORREF Ring(const CBubbleView::Colours& c, int k)
{
    return RGB(c.RingRed, 100 + 30 * k, 0);
}

struct BubblePaneFixture : ::testing::Test
{
    CWinApp app{"BubblePaneTest"};
    CTestHost host;
    CBubblePane pane;

    void SetUp() override { ASSERT_TRUE(host.CreateHost(1000, 900)); }

    void Dock(bool vesselOnly)
    {
        ASSERT_TRUE(host.Dock(pane, 4401, vesselOnly));
        // Room for dots and labels of some size.
        pane.SetWindowPos(nullptr, 0, 0, 720, 720, SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
        ASSERT_NE(pane.GetView(), nullptr);
    }
    CBubbleView& View() { return *pane.GetView(); }

    Target Seen()
    {
        View().Invalidate();
        Pump();
        Target t;
        const QImage frame = FrameProbe::GrabWindow(&host);
        const QRect area = FrameProbe::PaneRect(pane.GetView());
        EXPECT_FALSE(area.isEmpty()) << "the view shows in the frame";
        t.seen = frame.copy(area);
        t.cx = t.seen.width() / 2;
        t.cy = t.seen.height() / 2;
        t.R = std::min(t.seen.width(), t.seen.height()) / 2;
        t.step = t.R / 5;
        t.d = t.R / 40;
        EXPECT_GE(t.d, 6) << "a target large enough to probe its dots";
        return t;
    }

    void Vessel(double heading, double pitch, double roll, double tilt, double tiltHeading)
    {
        pane.UpdateVessel(heading, pitch, roll, tilt, tiltHeading);
        Pump();
    }
};

struct BubblePane : BubblePaneFixture
{
    void SetUp() override
    {
        BubblePaneFixture::SetUp();
        Dock(false);
    }
};

TEST_F(BubblePane, DockedInTheHostsFrameWithRingsByDayAndNight)
{
    EXPECT_EQ(std::string(pane.m_strTitle), "Motion Reference Unit");
    EXPECT_FALSE(View().IsVesselOnly());
    FrameProbe::ExpectFrameAsUserSeesIt(&host, {{"Bubble", &pane}}, {},
                                        QString(SUITE_VISUAL_DIR) + "/bubble_pane.png");
    for (bool night : {false, true})
    {
        if (night)
            host.Night(pane);
        else
            host.Day(pane);
        EXPECT_EQ(pane.GetNightMode(), night);
        const CBubbleView::Colours& c = night ? kNight : kDay;
        const Target t = Seen();
        // Halfway across each ring, off the cross-hair, the bubble and the texts.
        for (int k = 0; k < 5; ++k)
        {
            const double rings = 5 - k - 0.5;
            EXPECT_EQ(Hex(t.At(t.Out(rings, 225.0))), Hex(Ring(c, k))) << "ring " << k << (night ? " night" : " day");
        }
        EXPECT_EQ(Hex(t.At(t.cx, t.cy + t.step * 3 / 2)), Hex(CBubbleView::RING_PEN)) << "the cross-hair";
        EXPECT_EQ(Hex(t.At(3, t.seen.height() - 3)), Hex(c.Background));
    }
}

TEST_F(BubblePane, BubbleSitsWhereTheTiltPutsItWrappingEveryFiveDegrees)
{
    const struct
    {
        double tilt, tiltHeading, rings;
    } cases[] = {
        {1.0, 90.0, 1.0},
        {4.9, 200.0, 4.9},
        {6.5, 45.0, 1.5},
        {12.0, 300.0, 2.0},
    };
    for (const auto& c : cases)
    {
        Vessel(0.0, 0.0, 0.0, c.tilt, c.tiltHeading);
        const Target t = Seen();
        const QPoint p = t.Out(c.rings, c.tiltHeading);
        SCOPED_TRACE(std::to_string(c.tilt) + " at " + std::to_string(c.tiltHeading));
        EXPECT_EQ(Hex(t.At(p)), Hex(kDay.Bubble));
        EXPECT_GT(t.CountNear(p, t.d - 2, kDay.Bubble), 50);
        // Not at the position it would have without the wrap.
        if (c.tilt >= 5.0)
        {
            EXPECT_EQ(t.CountNear(t.Out(c.tilt, c.tiltHeading), t.d - 2, kDay.Bubble), 0);
        }
    }
    // The text keeps the true tilt.
    CString left[3], right[3];
    View().FormatTexts(left, right);
    EXPECT_EQ(std::string(right[1]), "Tilt Angle :  12.00\xB0");
}

TEST_F(BubblePane, TrailShowsWhereTheBubbleHasBeenNewestFirst)
{
    const double bearings[] = {0.0, 60.0, 120.0, 180.0};
    for (double b : bearings)
        Vessel(0.0, 0.0, 0.0, 3.0, b);
    const CArray<BUBBLE_TILT>& trail = View().GetTrail();
    ASSERT_EQ(trail.GetSize(), 4);
    EXPECT_EQ(trail[0].heading, 180.0);
    EXPECT_EQ(trail[3].heading, 0.0);

    Target t = Seen();
    // The older positions show a dot; the newest is under the bubble.
    for (double b : {0.0, 60.0, 120.0})
        EXPECT_GT(t.CountNear(t.Out(3.0, b), t.d / 2 - 2, kDay.TrailDot), 0) << b;
    EXPECT_EQ(Hex(t.At(t.Out(3.0, 180.0))), Hex(kDay.Bubble));

    // Hidden through the menu's Show, which leaves the trail as it is.
    ModalHook::AnswerMenu(CBubbleView::MENU_SHOW_TRAIL);
    UserInput::RightClickClient(&View(), 40, 300);
    Pump();
    EXPECT_FALSE(View().IsTrailShown());
    EXPECT_EQ(View().GetTrail().GetSize(), 4);
    t = Seen();
    EXPECT_EQ(t.CountNear(t.Out(3.0, 60.0), t.d / 2, kDay.TrailDot), 0);
}

TEST_F(BubblePane, TheThousandAndFirstUpdateDropsTheOldestEntry)
{
    for (int i = 0; i <= 1000; ++i)
        pane.UpdateVessel(0.0, 0.0, 0.0, i * 0.001, 10.0);
    const CArray<BUBBLE_TILT>& trail = View().GetTrail();
    ASSERT_EQ(trail.GetSize(), 1000);
    EXPECT_DOUBLE_EQ(trail[0].angle, 1.0);
    EXPECT_DOUBLE_EQ(trail[999].angle, 0.001) << "the first update's entry is the one gone";
}

TEST_F(BubblePane, HeadingLineAtItsHeadingHiddenAtMinusOneNorthAtFirst)
{
    // The initial heading 0 draws the line to the north, over the cross-hair.
    Target t = Seen();
    EXPECT_EQ(Hex(t.At(t.Out(4.5, 0.0))), Hex(kDay.HeadingLine)) << "north at first";

    Vessel(120.0, 0.0, 0.0, 2.0, 300.0);
    t = Seen();
    EXPECT_EQ(Hex(t.At(t.Out(4.5, 120.0))), Hex(kDay.HeadingLine));
    EXPECT_EQ(Hex(t.At(t.Out(4.5, 0.0))), Hex(CBubbleView::RING_PEN)) << "no longer north";

    Vessel(-1.0, 0.0, 0.0, 2.0, 300.0);
    t = Seen();
    EXPECT_EQ(Hex(t.At(t.Out(4.5, 120.0))), Hex(Ring(kDay, 0))) << "no heading, no line";
    EXPECT_EQ(t.CountNear(QPoint(t.cx, t.cy), t.R, kDay.HeadingLine), 0);
}

TEST_F(BubblePane, SecondMruShowsItsBubbleAndBothLabels)
{
    Vessel(0.0, 0.0, 0.0, 2.0, 90.0);
    Target t = Seen();
    const QPoint first = t.Out(2.0, 90.0), second = t.Out(3.0, 250.0);
    // Without a second MRU the bubble carries no label.
    EXPECT_EQ(t.LabelPixels(first, kDay.Bubble), 0);
    EXPECT_EQ(t.CountNear(second, t.d - 3, kDay.Bubble), 0);

    pane.UpdateTemplate2ndMRU(3.0, 250.0);
    t = Seen();
    EXPECT_GT(t.CountNear(second, t.d - 3, kDay.Bubble), 20) << "the second bubble";
    EXPECT_GT(t.LabelPixels(first, kDay.Bubble), 5) << "label 1";
    EXPECT_GT(t.LabelPixels(second, kDay.Bubble), 5) << "label 2";

    host.Night(pane);
    t = Seen();
    EXPECT_GT(t.LabelPixels(second, kNight.Bubble), 5) << "label 2 by night";
    // The light night label stands out of the dark bubble.
    int light = 0;
    for (int y = second.y() - t.d; y <= second.y() + t.d; ++y)
        for (int x = second.x() - t.d; x <= second.x() + t.d; ++x)
            light += qGray(t.seen.pixel(x, y)) > 128 ? 1 : 0;
    EXPECT_GT(light, 3);
}

TEST_F(BubblePane, TextsShowTheValuesWithTheDegreeSign)
{
    Vessel(12.345, -1.5, 2.25, 3.0, 271.0);
    CString left[3], right[3];
    View().FormatTexts(left, right);
    const std::vector<std::string> expected = {"Gyro    12.35\xB0",   "Pitch:  -1.50\xB0",    "Roll  :  +2.25\xB0",
                                               "Vessel MRU",          "Tilt Angle :   3.00\xB0", "Heading : 271.00\xB0"};
    EXPECT_EQ((std::vector<std::string>{std::string(left[0]), std::string(left[1]), std::string(left[2]),
                                        std::string(right[0]), std::string(right[1]), std::string(right[2])}),
              expected);
    EXPECT_TRUE(right[2].ToQString().endsWith(QChar(0x00B0))) << "the byte shows as the degree sign";
    // Drawn in the top corners, in the text colour.
    const Target t = Seen();
    int leftPixels = 0, rightPixels = 0;
    const int rows = t.seen.height() / 10;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < t.seen.width() / 4; ++x)
        {
            leftPixels += t.At(x, y) == kDay.Text ? 1 : 0;
            rightPixels += t.At(t.seen.width() - 1 - x, y) == kDay.Text ? 1 : 0;
        }
    EXPECT_GT(leftPixels, 100);
    EXPECT_GT(rightPixels, 100);
}

// ---- The context menu ----

struct BubbleMenu : BubblePane
{
    // Right-clicks the view, reads the menu as shown and chooses `id` in it.
    MENU_SEEN Choose(UINT id)
    {
        MENU_SEEN seen;
        ModalHook::AnswerMenuShown([&seen, id](QWidget* widget) {
            seen = ReadShownMenu(widget);
            return id;
        });
        UserInput::RightClickClient(&View(), 50, 300);
        Pump();
        return seen;
    }
};

TEST_F(BubbleMenu, ItemsWithTheirChecksAndHeadings)
{
    const MENU_SEEN seen = Choose(0);
    EXPECT_EQ(seen.items, (std::vector<std::string>{"#", "Vessel *", "Template", "#", "Show *", "Clear"}));
    EXPECT_GE(seen.headingRows, 2 * 12) << "two headings drawn dark grey";
    EXPECT_EQ(Choose(CBubbleView::MENU_TEMPLATE).items,
              (std::vector<std::string>{"#", "Vessel *", "Template", "#", "Show *", "Clear"}));
    EXPECT_EQ(Choose(0).items, (std::vector<std::string>{"#", "Vessel", "Template *", "#", "Show *", "Clear"}));
}

TEST_F(BubbleMenu, EachChoiceClearsTheValuesKeepsTheHeadingAndIsSaved)
{
    const struct
    {
        UINT id;
        bool followTemplate, showTrail;
    } steps[] = {
        {0, false, true}, // dismissed: still cleared and written
        {CBubbleView::MENU_TEMPLATE, true, true},
        {CBubbleView::MENU_SHOW_TRAIL, true, false},
        {CBubbleView::MENU_CLEAR_TRAIL, true, false},
        {CBubbleView::MENU_VESSEL, false, false},
        {CBubbleView::MENU_SHOW_TRAIL, false, true},
    };
    for (const auto& step : steps)
    {
        SCOPED_TRACE("item " + std::to_string(step.id));
        // Whichever source the view follows now feeds it a full set of values.
        pane.UpdateVessel(33.0, 1.0, 2.0, 3.0, 40.0);
        pane.UpdateTemplate(33.0, 1.0, 2.0, 3.0, 40.0);
        pane.UpdateTemplate2ndMRU(1.0, 100.0);
        Choose(step.id);
        CBubbleView& v = View();
        EXPECT_EQ(v.IsTemplate(), step.followTemplate);
        EXPECT_EQ(v.IsTrailShown(), step.showTrail);
        EXPECT_EQ(v.GetHeading(), 33.0) << "the heading stays";
        EXPECT_EQ((std::vector<double>{v.GetPitch(), v.GetRoll(), v.GetTiltAngle(), v.GetTiltHeading(),
                                       v.Get2ndTiltAngle(), v.Get2ndTiltHeading()}),
                  (std::vector<double>{0.0, 0.0, 0.0, 0.0, -1.0, -1.0}));
        EXPECT_EQ(v.GetTrail().GetSize() == 0, step.id == CBubbleView::MENU_CLEAR_TRAIL) << "the trail stays unless cleared";
        EXPECT_EQ(SettingsBytes(), QByteArray("Template = ") + (step.followTemplate ? "1" : "0") + "\r\nShow Trail = " +
                                       (step.showTrail ? "1" : "0") + "\r\n");
    }
    // The second MRU's bubble is gone from the picture.
    const Target t = Seen();
    EXPECT_EQ(t.CountNear(t.Out(1.0, 100.0), t.d - 2, kDay.Bubble), 0);
}

TEST_F(BubblePane, UpdatesAreTakenFromTheSourceTheViewFollows)
{
    pane.UpdateTemplate(10.0, 1.0, 1.0, 1.0, 10.0);
    EXPECT_EQ(View().GetTrail().GetSize(), 0) << "the vessel is followed";
    pane.UpdateVessel(20.0, 2.0, 2.0, 2.0, 20.0);
    EXPECT_EQ(View().GetHeading(), 20.0);

    ModalHook::AnswerMenu(CBubbleView::MENU_TEMPLATE);
    UserInput::RightClickClient(&View(), 40, 300);
    Pump();
    ASSERT_TRUE(View().IsTemplate());
    pane.UpdateVessel(30.0, 3.0, 3.0, 3.0, 30.0);
    EXPECT_EQ(View().GetHeading(), 20.0) << "the vessel is no longer followed";
    pane.UpdateTemplate(40.0, 4.0, 4.0, 4.0, 40.0);
    EXPECT_EQ(View().GetTiltHeading(), 40.0);
    // The view's own methods follow the same rule.
    View().UpdateVessel(50.0, 5.0, 5.0, 5.0, 50.0);
    EXPECT_EQ(View().GetHeading(), 40.0);
    View().UpdateTemplate(60.0, 1.0, 1.0, 1.0, 60.0);
    EXPECT_EQ(View().GetHeading(), 60.0);
    CString left[3], right[3];
    View().FormatTexts(left, right);
    EXPECT_EQ(std::string(right[0]), "Template MRU");
    EXPECT_EQ(View().GetTrail().GetSize(), 3);
}

TEST_F(BubblePane, TiltsThatAreNotNumbersAreNoUpdate)
{
    Vessel(10.0, 1.0, 2.0, 2.0, 45.0);
    const QImage before = Seen().seen;
    const struct
    {
        double tilt, tiltHeading;
    } cases[] = {{kNaN, 45.0}, {2.0, kNaN}, {kInf, 0.0}, {1.0, -kInf}};
    for (const auto& c : cases)
    {
        Vessel(99.0, 9.0, 9.0, c.tilt, c.tiltHeading);
        EXPECT_EQ(View().GetTrail().GetSize(), 1) << c.tilt << " " << c.tiltHeading;
        EXPECT_EQ(View().GetHeading(), 10.0);
        EXPECT_EQ(View().GetTiltAngle(), 2.0);
        pane.UpdateTemplate2ndMRU(c.tilt, c.tiltHeading);
        EXPECT_EQ(View().Get2ndTiltAngle(), -1.0);
    }
    EXPECT_EQ(Seen().seen, before) << "the picture is as it was";
    // A heading that is not a number draws no line and breaks nothing else.
    Vessel(kNaN, 1.0, 2.0, 2.5, 45.0);
    const Target t = Seen();
    EXPECT_EQ(Hex(t.At(t.Out(2.5, 45.0))), Hex(kDay.Bubble));
    EXPECT_EQ(t.CountNear(QPoint(t.cx, t.cy), t.R, kDay.HeadingLine), 0);
}

// ---- Vessel-only and the settings file ----

TEST_F(BubblePaneFixture, VesselOnlyOffersNoMenuYetRewritesTheSettingsWithTemplateOff)
{
    // Left on the template and without a trail by another pane.
    WriteSettings("Template = 1\r\nShow Trail = 0\r\n");
    Dock(true);
    EXPECT_TRUE(View().IsVesselOnly());
    EXPECT_FALSE(View().IsTemplate()) << "a vessel-only view follows the vessel whatever the file says";
    EXPECT_FALSE(View().IsTrailShown());
    Vessel(5.0, 0.0, 0.0, 1.0, 90.0);
    EXPECT_EQ(View().GetHeading(), 5.0);

    UserInput::RightClickClient(&View(), 50, 300);
    Pump();
    EXPECT_TRUE(ModalHook::Shown().empty()) << "no menu";
    EXPECT_EQ(SettingsBytes(), QByteArray("Template = 0\r\nShow Trail = 0\r\n"));
    EXPECT_EQ(View().GetTiltAngle(), 1.0) << "nothing is cleared without a menu";
}

TEST_F(BubblePaneFixture, SettingsReadAtConstructionWithDefaultsForWhatIsMissingOrDamaged)
{
    const struct
    {
        QByteArray bytes;
        bool followTemplate, showTrail;
        const char* reported; // the line named in the one message, or null
    } cases[] = {
        {"(no file)", false, true, nullptr},
        {"", false, true, nullptr},
        {"Template = 1\r\nShow Trail = 0\r\n", true, false, nullptr},
        {"Template = 1\n", true, true, nullptr},
        {"Template = 2\r\nShow Trail = 0\r\n", false, false, "line 1"},
        {"Template = 1\r\nShow Trail\r\n", true, true, "line 2"},
        {"Template = 1\r\n" + QByteArray(200 * 1024, 'x') + "\r\n", true, true, "line 2"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.bytes.left(40).toStdString());
        ModalHook::Reset();
        QFile::remove(SettingsFile());
        if (c.bytes != "(no file)")
            WriteSettings(c.bytes);
        if (c.reported)
            ModalHook::AnswerMessageBox(IDOK);
        CBubbleView view;
        EXPECT_EQ(view.IsTemplate(), c.followTemplate);
        EXPECT_EQ(view.IsTrailShown(), c.showTrail);
        EXPECT_TRUE(view.IsVesselOnly()) << "until created otherwise";
        ASSERT_EQ(ModalHook::Shown().size(), c.reported ? 1u : 0u);
        if (c.reported)
        {
            const std::string text(ModalHook::Shown()[0].text);
            EXPECT_NE(text.find(std::string(CConfigFile().GetSettingsFileName("Bubble View"))), std::string::npos) << text;
            EXPECT_NE(text.find(c.reported), std::string::npos) << text;
            EXPECT_LT(text.size(), 400u);
        }
    }
}

TEST_F(BubblePaneFixture, AHugeLineIsSkippedNotHeld)
{
    // "Template = 1" and then a line of 64 MB (sparse on the disc), a thousand times the longest
    // line read; a 1 GB line goes the same way, only slower.
    WriteSettings("Template = 1\r\n");
    QFile file(SettingsFile());
    ASSERT_TRUE(file.resize(qint64(64) << 20));
    ModalHook::AnswerMessageBox(IDOK);
    CBubbleView view;
    EXPECT_TRUE(view.IsTemplate());
    EXPECT_TRUE(view.IsTrailShown()) << "the damaged line takes its default";
    ASSERT_EQ(ModalHook::Shown().size(), 1u);
    EXPECT_NE(std::string(ModalHook::Shown()[0].text).find("line 2"), std::string::npos);
    EXPECT_LT(ModalHook::Shown()[0].text.GetLength(), 400);
}

TEST(BubblePaneUnmade, EveryCallIsHarmlessBeforeCreation)
{
    CBubblePane pane;
    pane.UpdateVessel(1.0, 1.0, 1.0, 1.0, 1.0);
    pane.UpdateTemplate(1.0, 1.0, 1.0, 1.0, 1.0);
    pane.UpdateTemplate2ndMRU(1.0, 1.0);
    pane.SetNightMode(true);
    pane.SetDaylightMode();
    EXPECT_EQ(pane.GetView(), nullptr);
    EXPECT_FALSE(pane.GetNightMode());
}
} // namespace

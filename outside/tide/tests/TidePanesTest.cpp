// The tide panes over the year's fixture data, each docked in a stand-in frame and looked at as
// a user sees it, with the port and day chosen through Qt's events.
#include "TideFileWriter.h"

#include "foundation/ConfigFile.h"
#include "foundation/WindowMessages.h"
#include "marevo/Clearance.h"
#include "marevo/CoTidalChart.h"
#include "marevo/NP159.h"
#include "marevo/StandardPortList.h"
#include "marevo/TidalDiamond.h"
#include "marevo/TideCalendar.h"
#include "marevo/TimeZone.h"
#include "outside/tide/HarmonicConstantsPane.h"
#include "outside/tide/MoonPane.h"
#include "outside/tide/TidalDiamondPane.h"
#include "outside/tide/TideCurvePane.h"
#include "outside/tide/TidePortPane.h"
#include "outside/tide/TideText.h"
#include "outside/tide/TurningPointPane.h"
#include "outside/tide/TurningPointRows.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/ExternalTools.h"
#include "platform/core/WinApp.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/RecordingOwner.h"
#include "testsupport/ScopedTimeZone.h"
#include "testsupport/TempDrives.h"
#include "testsupport/UserInput.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QImage>

#include <cmath>
#include <functional>
#include <memory>
#include <string>

namespace
{
constexpr int kPaneYear = 2024;

CString TempTideFolder()
{
    TideFolder();
    return "C:\\MyData\\Tides\\";
}

QString VisualPath(const char* name)
{
    QDir().mkpath(SUITE_VISUAL_DIR);
    return QString(SUITE_VISUAL_DIR) + "/" + name;
}

QComboBox* PaneComboOf(CComboBox& combo)
{
    QWidget* widget = combo.GetWidget();
    auto* box = qobject_cast<QComboBox*>(widget);
    return box != nullptr ? box : widget->findChild<QComboBox*>();
}

std::vector<std::string> Row(CListCtrl& list, int row, int columns)
{
    std::vector<std::string> cells;
    for (int c = 0; c < columns; ++c)
        cells.push_back(list.GetItemText(row, c).GetString());
    return cells;
}

// The year's data as the program holds it, read from the fixture files; the diamonds come
// from a small file of the test's own, linked to the fixture's standard ports.
struct TideData
{
    CNP159 data;
    CStandardPortList ports;
    CTidalDiamond diamonds;
    CTimeZone zone;
    CClearance clearance;
    CCoTidalChart chart;

    void Load()
    {
        data.LoadFromFolder(StageTideFixtures(), kPaneYear);
        ASSERT_GT(data.m_TidalFactors.GetSize(), 0);
        ASSERT_TRUE(ports.LoadFromFolder(StageTideFixtures(), kPaneYear));
        WriteTideFile("TidalDiamond.TDD",
                      DiamondRecord(7, 1, 0, 13320, 0, 0.77, -0.12, 0, 3,
                                    {{-20, 45, 30, 14}, {0, 90, 40, 20}, {20, 200, 25, 12}}) +
                          DiamondRecord(8, 0, 0, 99, 0, 0.78, -0.11, 0, 1, {{0, 10, 20, 10}}));
        ASSERT_TRUE(diamonds.LoadFromFolder(TempTideFolder()));
        diamonds.Link(ports);
        clearance.m_bClearance = true;
        clearance.m_dValue[0] = 1.5;
        clearance.m_dValue[1] = 0.4;
        clearance.m_dValue[2] = 0.1;
        zone.m_nZone = CTimeZone::ZONE_PORT;
        zone.m_nDecimals = 2;
    }
};

struct TidePanes : ::testing::Test
{
    CWinApp app{"TidePanesTest"};
    CRecordingOwner owner;
    TideData tide;

    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateOwner(760, 640));
        tide.Load();
    }
    void Show(CDockablePane& pane)
    {
        pane.ShowPane(TRUE, FALSE, FALSE);
        Pump();
    }
};
} // namespace

TEST_F(TidePanes, EachPaneShowsTheYearInsideItsFrameByDayAndNight)
{
    struct Case
    {
        const char* name;
        std::function<CMyDockablePane*(CWnd*)> make;
        std::function<void(bool)> night; // empty for the curve pane, which has none
    };
    CTidePortPane port;
    CMoonPane moon;
    CHarmonicConstantsPane factors;
    CTurningPointPane turning;
    CTidalDiamondPane diamond;
    CTideCurvePane curve;
    const std::vector<Case> cases = {
        {"tide_port",
         [&](CWnd* o) {
             EXPECT_TRUE(port.Create(o, 32902, &tide.data, &tide.ports, &tide.zone, &tide.clearance, &tide.chart));
             port.SetPortIndex(0);
             return &port;
         },
         [&](bool n) { port.SetNightMode(n); }},
        {"moon",
         [&](CWnd* o) {
             EXPECT_TRUE(moon.Create(o, 32909, &tide.data.m_MoonPhases, kPaneYear));
             return &moon;
         },
         [&](bool n) { moon.SetNightMode(n); }},
        {"harmonic_constants",
         [&](CWnd* o) {
             EXPECT_TRUE(factors.Create(o, 32910, &tide.data.m_TidalFactors, kPaneYear));
             return &factors;
         },
         [&](bool n) { factors.SetNightMode(n); }},
        {"turning_points",
         [&](CWnd* o) {
             EXPECT_TRUE(turning.Create(o, 32785, &tide.ports, kPaneYear));
             return &turning;
         },
         [&](bool n) { turning.SetNightMode(n); }},
        {"tidal_diamonds",
         [&](CWnd* o) {
             EXPECT_TRUE(diamond.Create(o, 32783, &tide.diamonds));
             return &diamond;
         },
         [&](bool n) { diamond.SetNightMode(n); }},
        {"tide_curve",
         [&](CWnd* o) {
             EXPECT_TRUE(curve.Create(o, 32792, &tide.data, &tide.ports, &tide.zone, &tide.clearance));
             curve.SetPortIndex(0);
             curve.SetDay(10);
             return &curve;
         },
         {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CRecordingOwner frame;
        ASSERT_TRUE(frame.CreateOwner(760, 640, c.name));
        owner.ShowWindow(SW_HIDE);
        CMyDockablePane* pane = c.make(&frame);
        Show(*pane);
        FrameProbe::ExpectFrameAsUserSeesIt(&frame, {{c.name, pane}}, {},
                                            VisualPath((std::string(c.name) + "_day.png").c_str()));
        if (c.night)
        {
            c.night(true);
            Pump();
            FrameProbe::ExpectFrameAsUserSeesIt(&frame, {{c.name, pane}}, {},
                                                VisualPath((std::string(c.name) + "_night.png").c_str()));
        }
        pane->ShowPane(FALSE, FALSE, FALSE);
        frame.ShowWindow(SW_HIDE);
        Pump();
    }
}

TEST_F(TidePanes, PortChosenInTheGridPostsItsIndexOnce)
{
    CTidePortPane pane;
    ASSERT_TRUE(pane.Create(&owner, 32902, &tide.data, &tide.ports, &tide.zone, &tide.clearance, &tide.chart));
    Show(pane);
    ASSERT_GE(tide.data.m_pPorts->GetSize(), 2);
    owner.Clear();
    const CTidalPort* second = tide.data.m_pPorts->GetAt(1);
    const QString text = QString("%1 %2").arg(second->m_strNumber.GetString(), second->m_strName.GetString());
    ASSERT_TRUE(UserInput::PickInGrid(pane.GetPropertyGrid(), "Port", text));
    EXPECT_EQ(owner.Messages(), (std::vector<POSTED_MESSAGE>{{"UM_NP159_TIDE_CURVE", 0, 1}}));
    // The frame's answer shows that port.
    pane.SetPortIndex(1);
    EXPECT_EQ(tide.data.m_nCurrentPort, 1);
    EXPECT_EQ(CString(pane.GetPropertyGrid().FindItemByData(CTidePortPane::ITEM_PORT)->GetValue().bstrVal),
              CString(text.toLatin1().constData()));
}

TEST_F(TidePanes, MoonAndFactorRowsAreTheFixtureRecords)
{
    CMoonPane moon;
    ASSERT_TRUE(moon.Create(&owner, 32909, &tide.data.m_MoonPhases, kPaneYear));
    std::vector<std::vector<std::string>> expected;
    const char* const names[4] = {"New moon", "First quarter", "Full moon", "Last quarter"};
    for (INT_PTR i = 0; i < tide.data.m_MoonPhases.GetSize(); ++i)
        for (int p = 0; p < 4; ++p)
        {
            const MoonPhaseTime& t = tide.data.m_MoonPhases[i].Phase[p];
            if (t.nYear != kPaneYear)
                continue;
            char date[16], clock[8];
            std::snprintf(date, sizeof date, "%02d/%02d/%04d", t.nDay, t.nMonth, t.nYear);
            std::snprintf(clock, sizeof clock, "%02d:%02d", t.nHour, t.nMinute);
            expected.push_back({names[p], date, clock});
        }
    ASSERT_FALSE(expected.empty());
    ASSERT_EQ(moon.GetList().GetItemCount(), static_cast<int>(expected.size()));
    for (size_t r = 0; r < expected.size(); ++r)
        EXPECT_EQ(Row(moon.GetList(), static_cast<int>(r), 3), expected[r]) << r;
    // Another year's phases are not this year's.
    moon.SetYear(kPaneYear + 5);
    EXPECT_EQ(moon.GetList().GetItemCount(), 0);

    CHarmonicConstantsPane factors;
    ASSERT_TRUE(factors.Create(&owner, 32910, &tide.data.m_TidalFactors, kPaneYear));
    ASSERT_EQ(factors.GetList().GetItemCount(), tide.data.m_TidalFactors.GetSize());
    const TidalFactorDef& first = tide.data.m_TidalFactors[0];
    std::vector<std::string> day1{"01/01/2024"};
    for (const TidalFactorPair& pair : first.Constituent)
    {
        char a[32], f[32];
        std::snprintf(a, sizeof a, "%.2f", pair.dArgument);
        std::snprintf(f, sizeof f, "%.4f", pair.dFactor);
        day1.push_back(a);
        day1.push_back(f);
    }
    EXPECT_EQ(Row(factors.GetList(), 0, 9), day1);
}

TEST_F(TidePanes, TurningPointsOfADayInLocalTimeUnderTwoZones)
{
    for (const char* zoneName : {"UTC", "America/New_York"})
    {
        SCOPED_TRACE(zoneName);
        ScopedTimeZone zone(zoneName);
        CTurningPointPane pane;
        ASSERT_TRUE(pane.Create(&owner, 32785, &tide.ports, kPaneYear));
        const CStandardPort* port = tide.ports[0];
        // 15 March as the port's days hold it, shown row by row in the process's zone.
        std::vector<std::vector<std::string>> expected;
        for (const CTurningPoint* day : *port)
            for (const TurningPointDef* point : *day)
            {
                const time_t t = static_cast<time_t>(point->nTime);
                struct tm local
                {
                };
                localtime_r(&t, &local);
                if (local.tm_mon != 2 || local.tm_mday != 15)
                    continue;
                double height = 0;
                ASSERT_TRUE(TurningPointHeight(*point, &height));
                char date[16], clock[8], h[16];
                std::strftime(date, sizeof date, "%d/%m/%Y", &local);
                std::strftime(clock, sizeof clock, "%H:%M", &local);
                std::snprintf(h, sizeof h, "%.2f", height);
                expected.push_back({date, clock, h});
            }
        ASSERT_GE(expected.size(), 3u);
        std::vector<std::vector<std::string>> shown;
        std::vector<std::string> kinds;
        for (int r = 0; r < pane.GetList().GetItemCount(); ++r)
            if (pane.GetList().GetItemText(r, 0) == CString(expected[0][0].c_str()))
            {
                shown.push_back(Row(pane.GetList(), r, 3));
                kinds.push_back(pane.GetList().GetItemText(r, 3).GetString());
            }
        EXPECT_EQ(shown, expected);
        // Highs and lows alternate through a semi-diurnal day.
        for (size_t i = 1; i < kinds.size(); ++i)
            EXPECT_NE(kinds[i], kinds[i - 1]) << i;
        for (const std::string& kind : kinds)
            EXPECT_TRUE(kind == "High" || kind == "Low") << kind;
    }
}

TEST_F(TidePanes, CurvePeaksLieAtTheirTimesAndTheClearanceLineAtItsHeight)
{
    CTideCurvePane pane;
    ASSERT_TRUE(pane.Create(&owner, 32792, &tide.data, &tide.ports, &tide.zone, &tide.clearance));
    pane.SetPortIndex(0);
    pane.SetDay(40);
    Show(pane);
    double low = 0, high = 0;
    ASSERT_TRUE(pane.HeightSpan(&low, &high));
    // The day's highest point of the port's curve, found here from the curve itself: the
    // curve's topmost pixels sit in its column.
    const CTidalPort* port = tide.data.GetCurrentPort();
    ASSERT_NE(port, nullptr);
    const double dayStart = tide.data.m_dStart + 40 * 86400.0;
    double topTime = -1, topHeight = -1e9;
    for (INT_PTR i = 0; i < port->m_Curve.GetSize(); ++i)
    {
        const TideDataDef& s = port->m_Curve[i];
        if (s.dTime >= dayStart && s.dTime <= dayStart + 86400.0 && s.dHeight > topHeight)
        {
            topHeight = s.dHeight;
            topTime = s.dTime - dayStart;
        }
    }
    ASSERT_GE(topTime, 0);
    QImage image = pane.GetGraph().GetWidget()->grab().toImage();
    image.save(VisualPath("tide_curve_probe.png"));
    const QColor curveColour(GetRValue(CTideCurvePane::kCurveColour), GetGValue(CTideCurvePane::kCurveColour),
                             GetBValue(CTideCurvePane::kCurveColour));
    // The middle of the topmost row of curve pixels: the crest is flat over a few columns.
    int topY = -1, first = -1, last = -1;
    for (int y = 0; y < image.height() && topY < 0; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == curveColour)
            {
                topY = y;
                first = first < 0 ? x : first;
                last = x;
            }
    ASSERT_GE(topY, 0);
    EXPECT_NEAR((first + last) / 2.0, pane.TimeToX(topTime), 2.0);
    EXPECT_NEAR(topY, pane.HeightToY(topHeight, low, high), 2);
    double clearance = 0;
    ASSERT_TRUE(pane.ClearanceHeight(&clearance));
    EXPECT_DOUBLE_EQ(clearance, 2.0);
    const int lineY = pane.HeightToY(clearance, low, high);
    const QColor red(GetRValue(CTideCurvePane::kClearanceColour), GetGValue(CTideCurvePane::kClearanceColour),
                     GetBValue(CTideCurvePane::kClearanceColour));
    int redPixels = 0;
    for (int x = pane.PlotRect().left; x < pane.PlotRect().right; ++x)
        redPixels += image.pixelColor(x, lineY) == red;
    EXPECT_GT(redPixels, pane.PlotRect().Width() / 4);

    // A day changed through the chooser with a key posts -1.
    owner.Clear();
    QComboBox* box = PaneComboOf(pane.GetDayChooser());
    ASSERT_NE(box, nullptr);
    box->setFocus();
    Pump();
    UserInput::Key(Qt::Key_Down);
    Pump();
    EXPECT_EQ(pane.GetDay(), 41);
    EXPECT_EQ(owner.Messages(), (std::vector<POSTED_MESSAGE>{{"UM_NP159_TIDE_CURVE", 0, -1}}));
}

TEST_F(TidePanes, DiamondShowsItsRowsAndItsReference)
{
    CTidalDiamondPane pane;
    ASSERT_TRUE(pane.Create(&owner, 32783, &tide.diamonds));
    ASSERT_EQ(tide.diamonds.GetSize(), 2);
    EXPECT_STREQ(tide.diamonds[0]->strName.GetString(), "007A");
    EXPECT_EQ(Row(pane.GetList(), 1, 4), (std::vector<std::string>{"0.0", "090", "2.0", "1.0"}));
    EXPECT_NE(pane.GetCaption().Find("Bar Harbor"), -1) << pane.GetCaption().GetString();
    pane.SetDiamond(1);
    EXPECT_NE(pane.GetCaption().Find("not linked"), -1) << pane.GetCaption().GetString();
}

TEST(TidePanesBadInput, EmptyDataAndNullPointersShowEmptyPanes)
{
    CWinApp app{"TidePanesEmpty"};
    CRecordingOwner owner;
    ASSERT_TRUE(owner.CreateOwner(640, 480));
    CNP159 empty;
    CStandardPortList noPorts;
    CTidalDiamond noDiamonds;
    for (int round = 0; round < 2; ++round)
    {
        const bool nulls = round == 1;
        SCOPED_TRACE(nulls ? "null pointers" : "empty data");
        CTidePortPane port;
        CMoonPane moon;
        CHarmonicConstantsPane factors;
        CTurningPointPane turning;
        CTidalDiamondPane diamond;
        CTideCurvePane curve;
        ASSERT_TRUE(port.Create(&owner, 32902, nulls ? nullptr : &empty, nulls ? nullptr : &noPorts, nullptr, nullptr,
                                nullptr));
        ASSERT_TRUE(moon.Create(&owner, 32909, nulls ? nullptr : &empty.m_MoonPhases, 0));
        ASSERT_TRUE(factors.Create(&owner, 32910, nulls ? nullptr : &empty.m_TidalFactors, 0));
        ASSERT_TRUE(turning.Create(&owner, 32785, nulls ? nullptr : &noPorts, 0));
        ASSERT_TRUE(diamond.Create(&owner, 32783, nulls ? nullptr : &noDiamonds));
        ASSERT_TRUE(curve.Create(&owner, 32792, nulls ? nullptr : &empty, nullptr, nullptr, nullptr));
        port.SetPortIndex(5);
        turning.SetPort(3);
        diamond.SetDiamond(-2);
        curve.SetPortIndex(9);
        curve.SetDay(400);
        moon.SetYear(2024);
        factors.SetYear(2024);
        curve.ShowPane(TRUE, FALSE, FALSE);
        Pump();
        EXPECT_EQ(moon.GetList().GetItemCount(), 0);
        EXPECT_EQ(factors.GetList().GetItemCount(), 0);
        EXPECT_EQ(turning.GetList().GetItemCount(), 0);
        EXPECT_EQ(diamond.GetList().GetItemCount(), 0);
        EXPECT_EQ(port.GetPropertyGrid().GetPropertyCount(), 1);
        EXPECT_TRUE(curve.DaySamples().empty());
        // "No data" is drawn, so the graph is not blank.
        curve.GetGraph().MoveWindow(CRect(0, 0, 300, 200));
        const QImage graph = curve.GetGraph().GetWidget()->grab().toImage();
        EXPECT_GT(FrameProbe::ContentPixels(graph, graph.rect()), 0);
    }
}

TEST(TideText, NonFiniteValuesAndDamagedBytesShowEmpty)
{
    EXPECT_TRUE(TideNumberText(std::nan(""), 2).IsEmpty());
    EXPECT_TRUE(TideNumberText(INFINITY, 2).IsEmpty());
    EXPECT_STREQ(TideNumberText(-1.005, 1).GetString(), "-1.0");
    EXPECT_TRUE(TideDateText(2023, 2, 29).IsEmpty());
    EXPECT_TRUE(TideDayOfYearText(2023, 365).IsEmpty());
    EXPECT_STREQ(TideDayOfYearText(2024, 365).GetString(), "31/12/2024");
    EXPECT_TRUE(TideClockText(24, 0).IsEmpty());
    TurningPointDef point{};
    const double height = 3.25;
    std::memcpy(point.Kept, &height, 8); // little-endian machine, as the files are
    double read = 0;
    EXPECT_TRUE(TurningPointHeight(point, &read));
    EXPECT_EQ(read, 3.25);
    std::memset(point.Kept, 0xFF, 8);
    EXPECT_FALSE(TurningPointHeight(point, &read));
    EXPECT_STREQ(TideAngleText(-0.5 * M_PI / 180.0, true).GetString(), "00 30.000S");
    EXPECT_TRUE(TideAngleText(1.7976931348623157e308, true).IsEmpty());
}

TEST_F(TidePanes, PrintedTableHoldsEachDaysHighsAndLowsPageByPage)
{
    const QByteArray probe = PdfText(QString());
    CTidePortPane pane;
    ASSERT_TRUE(pane.Create(&owner, 32902, &tide.data, &tide.ports, &tide.zone, &tide.clearance, &tide.chart));
    pane.SetPortIndex(0);
    const CStandardPort* standard = tide.ports.FindNumber(tide.data.GetCurrentPort()->m_strNumber);
    ASSERT_NE(standard, nullptr);
    PRINT_DIALOG_ANSWER print;
    print.outputFile = "C:\\table.pdf";
    ModalHook::AnswerPrintDialog(print);
    const int pages = pane.Print();
    ASSERT_GT(pages, 1);
    const QByteArray text = PdfText(TempDrives::Current()->OnC("table.pdf"));
    if (text.isNull())
        GTEST_SKIP() << "pdftotext (poppler-utils) is missing";
    // pdftotext ends every page with a form feed; every page starts with its heading.
    EXPECT_EQ(text.count('\f'), pages);
    EXPECT_EQ(text.simplified().count("Tide Table Bar Harbor (13320) 2024 Times -0500"), pages) << text.left(300).constData();
    // 15 March in the port's zone (UT-5), as the turning points hold it.
    QByteArray expected = "15/03/2024";
    for (const TurningPointRow& row : TurningPointRowsOf(*standard))
    {
        const time_t t = static_cast<time_t>(row.pPoint->nTime - 5 * 3600);
        struct tm f
        {
        };
        gmtime_r(&t, &f);
        if (f.tm_mon != 2 || f.tm_mday != 15)
            continue;
        char entry[32];
        std::snprintf(entry, sizeof entry, " %02d:%02d %s %.2f", f.tm_hour, f.tm_min, row.nKind > 0 ? "H" : "L",
                      row.dHeight);
        expected += entry;
    }
    EXPECT_TRUE(text.simplified().contains(expected)) << expected.constData();
    // A current port with no standard port of its number prints nothing.
    tide.data.GetCurrentPort()->m_strNumber = "99999";
    EXPECT_EQ(pane.Print(), 0);
}

TEST_F(TidePanes, CurveOfAnM2OnlyPortPeaksWhereItsPhaseComesRound)
{
    // A port with M2 alone, its argument advancing 695.6 degrees a day: on 2 January the
    // height is 2 + 1.5 cos(54.4 - 695.6 H / 24) metres, highest at H = (54.4 + 360 k) / 28.9833.
    TidalFactorDef days[3] = {};
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < CONSTITUENT_COUNT; ++k)
            days[i].Constituent[k] = {k == CONSTITUENT_M2 ? 10.0 + 24.4 * i : 0.0, 1.0};
    WriteTideFile("TAF24.DAT", FactorRecord(days[0]) + FactorRecord(days[1]) + FactorRecord(days[2]));
    WriteTideFile("Part324.DAT",
                  PortRecord({"00042", "M2 Only", "", 50.0, -1.0, {2.0, 20.0, 1.5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0}));
    CNP159 data;
    data.LoadFromFolder(TempTideFolder(), kPaneYear);
    ASSERT_EQ(data.m_TidalFactors.GetSize(), 3);
    CTideCurvePane pane;
    ASSERT_TRUE(pane.Create(&owner, 32792, &data, nullptr, &tide.zone, nullptr));
    pane.SetPortIndex(0);
    pane.SetDay(1);
    Show(pane);
    const double rate = 695.6 / 24.0;
    const double crests[2] = {54.4 / rate * 3600.0, (54.4 + 360.0) / rate * 3600.0};
    const QImage image = pane.GetGraph().GetWidget()->grab().toImage();
    image.save(VisualPath("tide_curve_m2.png"));
    const QColor curveColour(GetRValue(CTideCurvePane::kCurveColour), GetGValue(CTideCurvePane::kCurveColour),
                             GetBValue(CTideCurvePane::kCurveColour));
    // The topmost row of curve pixels holds both crests; each run's middle is its column.
    int topY = -1;
    std::vector<std::pair<int, int>> runs;
    for (int y = 0; y < image.height() && topY < 0; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == curveColour)
            {
                topY = y;
                if (!runs.empty() && runs.back().second >= x - 1)
                    runs.back().second = x;
                else
                    runs.push_back({x, x});
            }
    ASSERT_EQ(runs.size(), 2u);
    for (int i = 0; i < 2; ++i)
        EXPECT_NEAR((runs[i].first + runs[i].second) / 2.0, pane.TimeToX(crests[i]), 2.0) << i;
    double low = 0, high = 0;
    ASSERT_TRUE(pane.HeightSpan(&low, &high));
    EXPECT_NEAR(high, 3.5, 1e-3);
    EXPECT_NEAR(low, 0.5, 1e-3);
}

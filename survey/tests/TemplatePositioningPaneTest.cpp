// The template positioning pane docked in the test host over a template with three receivers,
// two MRUs and two total stations (and over shorter lists): which groups and rows it builds,
// how it moves an unusable primary CRP source and saves the template, the two lists chosen as a
// surveyor chooses them, which group each update writes and highlights, and the comparison
// rows' ranges, bearings and heading differences.
#include "survey/TemplatePositioningPane.h"

#include "features/Template.h"
#include "foundation/XYArray.h"
#include "outside/panes/GroupProperty.h"
#include "outside/panes/PropertyGridDualDisplay.h"
#include "platform/core/Path.h"
#include "platform/core/WinApp.h"
#include "survey/groups/GpsGroupGridProperty.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/UserInput.h"
#include "testsupport/host/TestHost.h"

#include <gtest/gtest.h>

#include <QFile>

#include <cmath>
#include <list>
#include <string>
#include <vector>

namespace
{
using Names = std::vector<std::string>;

// Bytes as a string, so that a failure prints the file as text.
std::string ReadBytes(const char* windowsPath)
{
    QFile file(LinuxPathFromWindows(windowsPath));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "(no file)";
}

const char kSaved[] = "C:\\MyData\\Vessel\\Manifold.TPL";

// The template file as the writer makes it for the fixture's template, with `primary` as its
// primary CRP source and `mru` as its primary MRU.
std::string ExpectedTemplateFile(int primary, int mru)
{
    QFile file(SUITE_SOURCE_DIR "/survey/tests/data/Manifold.TPL");
    if (!file.open(QIODevice::ReadOnly))
        return "(no fixture)";
    QByteArray bytes = file.readAll();
    bytes.replace("Primary GPS = 0\r\n", QByteArray("Primary GPS = ") + QByteArray::number(primary) + "\r\n");
    bytes.replace("Primary MRU = 0\r\n", QByteArray("Primary MRU = ") + QByteArray::number(mru) + "\r\n");
    return bytes.toStdString();
}

std::string Text(const CString& s)
{
    return std::string(static_cast<const char*>(s));
}

struct TemplatePaneFixture : ::testing::Test
{
    CWinApp app{"TemplatePositioningPaneTest"};
    CTestHost host;
    CTemplate tpl;
    CArray<CGps*, CGps*> receivers;
    CArray<CMru*, CMru*> mrus;
    CArray<CLaser*, CLaser*> lasers;
    std::list<CTemplatePositioningPane> panes;
    int nextId = 41190;

    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost(700, 1400));
        tpl.m_Name = "Manifold";
        const char* const antennas[3] = {"TGPS 1", "TGPS 2", "TGPS 3"};
        for (int i = 0; i < 3; ++i)
        {
            TrackingPointDef antenna;
            antenna.Name = antennas[i];
            antenna.X = -4.0 + 4.0 * i;
            antenna.Y = 4.0;
            antenna.SetEnabled(true);
            tpl.m_Antennas.AddPoint(antenna);
        }
        for (const char* name : {"Prism A", "Prism B"})
        {
            TrackingPointDef reflector;
            reflector.Name = name;
            reflector.SetEnabled(true);
            tpl.m_Reflectors.AddPoint(reflector);
        }
        CHostRecords& r = host.m_Records;
        for (CGps& gps : r.m_Gps)
        {
            gps.m_Active = 1;
            gps.m_FixMode = 2;
            gps.Restart();
            receivers.Add(&gps);
        }
        for (int i = 1; i <= 2; ++i)
        {
            r.m_Mru[i].m_Active = 1;
            mrus.Add(&r.m_Mru[i]);
        }
        for (int i = 0; i < 2; ++i)
        {
            CLaser& laser = r.m_Lasers[i];
            laser.m_Active = 1;
            LaserObservationDef& o = laser.m_Observations[0];
            o.Reflector = 2 - i;
            o.SlopeRange = 61.2346 + i;
            o.HorizontalAngle = 123.45678;
            o.VerticalAngle = -8.5;
            o.Easting = 500123.4564;
            o.Northing = 6000456.7891;
            lasers.Add(&laser);
        }
        // The CRP by source, each 10 m from the first in its own direction.
        const tagXY positions[5] = {{1000.0, 2000.0}, {1000.0, 2010.0}, {1010.0, 2000.0}, {1000.0, 1990.0}, {990.0, 2000.0}};
        std::copy(std::begin(positions), std::end(positions), tpl.m_Positions);
    }

    void SetActive(bool gps1, bool gps2, bool ts1, bool ts2)
    {
        CHostRecords& r = host.m_Records;
        r.m_Gps[0].m_Active = gps1;
        r.m_Gps[1].m_Active = gps2;
        r.m_Lasers[0].m_Active = ts1;
        r.m_Lasers[1].m_Active = ts2;
    }

    // Each case looks at its own pane alone, as the only one shown.
    void HideEarlierPanes()
    {
        for (CTemplatePositioningPane& earlier : panes)
            earlier.ShowPane(FALSE, FALSE, FALSE);
    }

    CTemplatePositioningPane& Dock()
    {
        HideEarlierPanes();
        panes.emplace_back();
        CTemplatePositioningPane& pane = panes.back();
        EXPECT_TRUE(host.Dock(pane, nextId++, &tpl, &receivers, &mrus, nullptr, &lasers));
        host.Clear();
        return pane;
    }
};

CMFCPropertyGridProperty* Group(CTemplatePositioningPane& pane, const char* name)
{
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    for (int i = 0; i < grid.GetPropertyCount(); ++i)
        if (Text(grid.GetProperty(i)->GetName()) == name)
            return grid.GetProperty(i);
    return nullptr;
}

// The rows of a group: "name" for a one-name row, "left|right" for a two-value row.
Names RowNames(const CMFCPropertyGridProperty* group)
{
    Names names;
    for (int i = 0; group != nullptr && i < group->GetSubItemsCount(); ++i)
    {
        const CMFCPropertyGridProperty* row = group->GetSubItem(i);
        const auto* dual = dynamic_cast<const CMFCPropertyGridDualDisplay*>(row);
        names.push_back(dual != nullptr && dual->IsDual() ? Text(dual->GetPartName(1)) + "|" + Text(dual->GetPartName(2))
                                                          : Text(row->GetName()));
    }
    return names;
}

CMFCPropertyGridDualDisplay* DualRow(CMFCPropertyGridProperty* group, int row)
{
    return group != nullptr ? dynamic_cast<CMFCPropertyGridDualDisplay*>(group->GetSubItem(row)) : nullptr;
}

// What a two-value row shows: "value1 | value2", each as formatted with its unit.
std::string Shown(const CMFCPropertyGridDualDisplay* row)
{
    if (row == nullptr)
        return "(no row)";
    return Text(row->GetValueText(1)) + " | " + Text(row->GetValueText(2));
}

TEST_F(TemplatePaneFixture, GroupsAndRowsFollowTheActiveTotalStations)
{
    struct Case
    {
        bool ts1, ts2;
        Names groups, comparisons, headings, crpOptions;
    };
    const Names gpsAndMru = {"TGPS 1", "TGPS 2", "TGPS 3", "Comparison GPS1/GPS2", "Gyro / MRU One", "Gyro / MRU Two",
                             "MRU / GYRO Comparison"};
    const auto with = [&gpsAndMru](Names more) {
        Names all = gpsAndMru;
        all.insert(all.end(), more.begin(), more.end());
        return all;
    };
    const Names baseline = {"Reflector Baseline Comparision", "Measured", "Observed", "Difference"};
    const Case cases[] = {
        {true, true,
         with({"Total Station One", "Total Station Two", "CRP Comparision", "Heading Comparision"}),
         {"GPS2|10.00m", "TS1|10.00m", "TS2|10.00m", "TS1|10.00m"},
         {"GPS|Diff", "TS|Diff", baseline[0], baseline[1], baseline[2], baseline[3]},
         {"GPS1 - Gyro", "GPS2 - Gyro", "TS1 - Gyro", "TS2 - Gyro", "TS1 - TS2"}},
        {false, true,
         with({"Total Station Two", "CRP Comparision", "Heading Comparision"}),
         {"GPS2|10.00m", "TS2|10.00m"},
         {"GPS|Diff"},
         {"GPS1 - Gyro", "GPS2 - Gyro", "TS2 - Gyro"}},
        {false, false,
         with({"CRP Comparision", "Heading Comparision"}),
         {"GPS2|10.00m"},
         {"GPS|Diff"},
         {"GPS1 - Gyro", "GPS2 - Gyro"}},
    };
    for (const Case& c : cases)
    {
        SetActive(true, true, c.ts1, c.ts2);
        tpl.m_PrimaryGps = CTemplatePositioningPane::CRP_GPS1;
        CTemplatePositioningPane& pane = Dock();
        const std::string when = std::string("TS1 ") + (c.ts1 ? "on" : "off") + ", TS2 " + (c.ts2 ? "on" : "off");
        EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), c.groups) << when;
        Names crpRows = {"Primary CRP", "Primary MRU", "Easting|Northing"};
        crpRows.insert(crpRows.end(), c.comparisons.begin(), c.comparisons.end());
        EXPECT_EQ(RowNames(pane.GetCrpGroup()), crpRows) << when;
        EXPECT_EQ(RowNames(pane.GetHeadingGroup()), c.headings) << when;
        EXPECT_EQ(GridItemOptions(pane.GetCrpGroup()->GetSubItem(0)), c.crpOptions) << when;
        EXPECT_EQ(GridItemOptions(pane.GetCrpGroup()->GetSubItem(1)), (Names{"Gyro / MRU One", "Gyro / MRU Two"})) << when;
        EXPECT_EQ(Text(pane.GetCrpGroup()->GetSubItem(0)->GetValue().ToText()), "GPS1 - Gyro") << when;
        EXPECT_EQ(Text(pane.GetCrpGroup()->GetSubItem(0)->GetDescription()), "Select ") << when;
        EXPECT_EQ(Text(pane.GetCrpGroup()->GetSubItem(1)->GetDescription()), "Select Primary MRU / Gyro") << when;
    }
}

TEST_F(TemplatePaneFixture, TotalStationRowsShowTheFirstObservationInTheirFormats)
{
    CTemplatePositioningPane& pane = Dock();
    host.m_Records.m_Lasers[1].m_Observations[0].Reflector = 3; // the template has two reflectors
    pane.UpdateTotalStation(0);
    pane.UpdateTotalStation(1);
    CMFCPropertyGridProperty* one = pane.GetTotalStationGroup(0);
    CMFCPropertyGridProperty* two = pane.GetTotalStationGroup(1);
    EXPECT_EQ(RowNames(one), (Names{"Target|SR", "HA|VA", "Easting|Northing"}));
    EXPECT_EQ(Shown(DualRow(one, 0)), "Prism B |     61.235m");
    EXPECT_EQ(Shown(DualRow(one, 1)), "  123.4568\xB0 |    -8.5000\xB0");
    EXPECT_EQ(Shown(DualRow(one, 2)), "  500123.456E |  6000456.789N");
    EXPECT_EQ(Shown(DualRow(two, 0)), "? |     62.235m");

    // A reading that is no number shows empty, never "nan".
    host.m_Records.m_Lasers[0].m_Observations[0].SlopeRange = NAN;
    host.m_Records.m_Lasers[0].m_Observations[0].Easting = INFINITY;
    pane.UpdateTotalStation(0);
    EXPECT_EQ(Shown(DualRow(one, 0)), "Prism B | ");
    EXPECT_EQ(Shown(DualRow(one, 2)), " |  6000456.789N");
}

TEST_F(TemplatePaneFixture, AnUnusablePrimarySourceMovesToTheFirstActiveAndTheTemplateIsSaved)
{
    struct Case
    {
        bool gps1, gps2, ts1, ts2;
        int before, after;
        bool saved;
    };
    const Case cases[] = {
        {true, true, true, true, 4, 4, false},
        {true, true, true, true, 2, 2, false},
        {false, true, true, true, 0, 1, true},
        {false, false, true, true, 1, 2, true},
        {false, false, false, true, 4, 3, true},
        {true, true, true, false, 4, 0, true},   // the pair needs both stations
        {false, false, true, false, 3, 2, true},
        {true, true, true, true, 7, 0, true},    // no such source
        {false, false, false, false, 3, 3, false}, // nothing to move to
    };
    for (const Case& c : cases)
    {
        QFile::remove(LinuxPathFromWindows(kSaved));
        SetActive(c.gps1, c.gps2, c.ts1, c.ts2);
        tpl.m_PrimaryGps = c.before;
        tpl.m_PrimaryMru = 0;
        CTemplatePositioningPane& pane = Dock();
        const std::string when = "source " + std::to_string(c.before) + " with GPS " + std::to_string(c.gps1) +
                                 std::to_string(c.gps2) + ", TS " + std::to_string(c.ts1) + std::to_string(c.ts2);
        EXPECT_EQ(tpl.m_PrimaryGps, c.after) << when;
        EXPECT_EQ(ReadBytes(kSaved), c.saved ? ExpectedTemplateFile(c.after, 0) : std::string("(no file)")) << when;
        if (c.after < CTemplatePositioningPane::CRP_SOURCE_COUNT)
        {
            EXPECT_EQ(Text(pane.GetCrpGroup()->GetSubItem(0)->GetValue().ToText()), CTemplatePositioningPane::m_CrpOption[c.after])
                << when;
        }
    }
}

TEST_F(TemplatePaneFixture, EachCrpOptionChosenSelectsItsOwnSourceAndOnlyTellsTheHost)
{
    struct Case
    {
        bool totalStations;
        const char* option;
        int source;
        std::vector<int> compared;
    };
    const Case cases[] = {
        {true, "GPS2 - Gyro", 1, {0, 2, 3, 4}},
        {true, "TS1 - Gyro", 2, {0, 1, 3, 4}},
        {true, "TS2 - Gyro", 3, {0, 1, 2, 4}},
        {true, "TS1 - TS2", 4, {0, 1, 2, 3, 4}},
        {true, "GPS1 - Gyro", 0, {1, 2, 3, 4}},
        {false, "GPS2 - Gyro", 1, {0}},
    };
    for (const Case& c : cases)
    {
        SetActive(true, true, c.totalStations, c.totalStations);
        tpl.m_PrimaryGps = c.source == 0 ? 1 : 0;
        CTemplatePositioningPane& pane = Dock();
        ASSERT_TRUE(UserInput::PickInGrid(pane.GetPropertyGrid(), "Primary CRP", c.option)) << c.option;
        EXPECT_EQ(tpl.m_PrimaryGps, c.source) << c.option;
        EXPECT_EQ(host.Messages(), (std::vector<POSTED_MESSAGE>{{"UM_TEMPLATE_CRP_UPDATE", 0, 0}})) << c.option;
        EXPECT_EQ(ReadBytes(kSaved), std::string("(no file)")) << c.option;
        EXPECT_EQ(pane.GetComparisonSources(), c.compared) << c.option;
        host.Clear();
    }
}

TEST_F(TemplatePaneFixture, ChoosingMruTwoSavesTheTemplateAndTellsTheHostOnce)
{
    CTemplatePositioningPane& pane = Dock();
    ASSERT_TRUE(UserInput::PickInGrid(pane.GetPropertyGrid(), "Primary MRU", "Gyro / MRU Two"));
    EXPECT_EQ(tpl.m_PrimaryMru, 1);
    EXPECT_EQ(host.Messages(), (std::vector<POSTED_MESSAGE>{{"UM_TEMPLATE_UPDATE", 0, 0}}));
    EXPECT_EQ(ReadBytes(kSaved), ExpectedTemplateFile(0, 1));
}

TEST_F(TemplatePaneFixture, ATextThatIsNoOptionChangesNothing)
{
    CTemplatePositioningPane& pane = Dock();
    for (DWORD_PTR id : {CTemplatePositioningPane::DATA_PRIMARY_CRP, CTemplatePositioningPane::DATA_PRIMARY_MRU})
        ASSERT_TRUE(NotifyGridChange(pane.GetPropertyGrid(), id, COleVariant(CString("GPS3 - Gyro"))));
    EXPECT_EQ(tpl.m_PrimaryGps, 0);
    EXPECT_EQ(tpl.m_PrimaryMru, 0);
    EXPECT_TRUE(host.Messages().empty());
    EXPECT_EQ(ReadBytes(kSaved), std::string("(no file)"));
}

TEST_F(TemplatePaneFixture, OnlyThePrimaryReceiverSourceMarksAGpsGroup)
{
    struct Case
    {
        int source;
        Names names;
    };
    const Case cases[] = {
        {0, {"TGPS 1 PRIMARY", "TGPS 2", "TGPS 3"}},
        {1, {"TGPS 1", "TGPS 2 PRIMARY", "TGPS 3"}},
        {2, {"TGPS 1", "TGPS 2", "TGPS 3"}}, // a total station marks no receiver, not the third
        {4, {"TGPS 1", "TGPS 2", "TGPS 3"}},
    };
    for (const Case& c : cases)
    {
        tpl.m_PrimaryGps = c.source;
        CTemplatePositioningPane& pane = Dock();
        pane.UpdateGps(1);
        Names names;
        for (int i = 0; i < pane.GetGpsGroupCount(); ++i)
            names.push_back(Text(pane.GetGpsGroup(i)->GetName()));
        EXPECT_EQ(names, c.names) << "source " << c.source;
    }
}

TEST_F(TemplatePaneFixture, EachUpdateHighlightsOnlyItsOwnGroupWhereverItStands)
{
    struct Case
    {
        bool ts1;
        const char* update;
        int index;
        const char* group;
    };
    const Case cases[] = {
        {true, "gps", 1, "TGPS 2"},
        {true, "mru", 0, "Gyro / MRU One"},
        {true, "mru", 1, "Gyro / MRU Two"},
        {true, "ts", 0, "Total Station One"},
        {true, "ts", 1, "Total Station Two"},
        {false, "ts", 1, "Total Station Two"},
        {false, "ts", 0, nullptr}, // not built: nothing to highlight
    };
    for (const Case& c : cases)
    {
        SetActive(true, true, c.ts1, true);
        CTemplatePositioningPane& pane = Dock();
        const std::string update = c.update;
        if (update == "gps")
            pane.UpdateGps(c.index);
        else if (update == "mru")
            pane.UpdateMru(c.index);
        else
            pane.UpdateTotalStation(c.index);
        Names highlighted;
        CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
        for (int i = 0; i < grid.GetPropertyCount(); ++i)
            if (auto* group = dynamic_cast<CMFCGroupPropertyGridProperty*>(grid.GetProperty(i)); group && group->IsHighlighted())
                highlighted.push_back(Text(group->GetName()));
        EXPECT_EQ(highlighted, c.group ? Names{c.group} : Names{}) << update << " " << c.index << " TS1 " << c.ts1;
    }
}

TEST_F(TemplatePaneFixture, ComparisonRowsGiveRangeAndBearingFromThePrimarySource)
{
    CTemplatePositioningPane& pane = Dock();
    pane.UpdateQC();
    const std::vector<CMFCPropertyGridDualDisplay*>& rows = pane.GetComparisonRows();
    ASSERT_EQ(rows.size(), 4u);
    const char* const expected[4][2] = {{"GPS2|10.00m", "GYRO |   0.00\xB0"},
                                        {"TS1|10.00m", "GYRO |  90.00\xB0"},
                                        {"TS2|10.00m", "GYRO | 180.00\xB0"},
                                        {"TS1|10.00m", "TS2 | 270.00\xB0"}};
    for (size_t i = 0; i < rows.size(); ++i)
    {
        EXPECT_EQ(Text(rows[i]->GetPartName(1)) + "|" + Text(rows[i]->GetPartName(2)), expected[i][0]) << i;
        EXPECT_EQ(Shown(rows[i]), expected[i][1]) << i;
    }
    EXPECT_EQ(Shown(DualRow(pane.GetCrpGroup(), 2)), "    1000.000E |     2000.000N");

    // A source whose CRP is no number gives no range or bearing; the primary's own gives none at all.
    tpl.m_Positions[2] = tagXY{NAN, 2000.0};
    pane.UpdateQC();
    EXPECT_EQ(Text(rows[1]->GetPartName(2)), "");
    EXPECT_EQ(Shown(rows[1]), "GYRO | ");
    tpl.m_Positions[0] = tagXY{INFINITY, 2000.0};
    pane.UpdateQC();
    EXPECT_EQ(Shown(DualRow(pane.GetCrpGroup(), 2)), " |     2000.000N");
    for (CMFCPropertyGridDualDisplay* row : rows)
        EXPECT_EQ(Text(row->GetPartName(2)), "") << Text(row->GetPartName(1));
}

TEST_F(TemplatePaneFixture, ThePairAsPrimaryKeepsItsRowAsBuilt)
{
    tpl.m_PrimaryGps = CTemplatePositioningPane::CRP_TS_PAIR;
    CTemplatePositioningPane& pane = Dock();
    const std::vector<CMFCPropertyGridDualDisplay*>& rows = pane.GetComparisonRows();
    ASSERT_EQ(pane.GetComparisonSources(), (std::vector<int>{0, 1, 2, 3, 4}));
    CMFCPropertyGridDualDisplay* pair = rows.back();
    const std::string builtName = Text(pair->GetPartName(1)) + "|" + Text(pair->GetPartName(2));
    const std::string builtValues = Shown(pair);
    EXPECT_EQ(builtName, "TS1|0.00m");
    EXPECT_EQ(builtValues, "TS2 |   0.00\xB0");

    tpl.m_Positions[4] = tagXY{995.0, 2005.0};
    tpl.m_Positions[0] = tagXY{995.0, 2015.0};
    pane.UpdateQC();
    EXPECT_EQ(Text(pair->GetPartName(1)) + "|" + Text(pair->GetPartName(2)), builtName);
    EXPECT_EQ(Shown(pair), builtValues);
    EXPECT_EQ(Text(rows[0]->GetPartName(2)), "10.00m"); // the others follow the pair's new CRP
}

TEST_F(TemplatePaneFixture, HeadingDifferencesTakeTheShortWayAcrossNorth)
{
    struct Case
    {
        double gps, ts, primaryMru, mruOne, mruTwo;
        const char *gpsRow, *tsRow, *mruDiff;
    };
    const Case cases[] = {
        {359.0, 1.0, 1.0, 1.0, 359.0, "359.00\xB0T |   -2.00\xB0", "  1.00\xB0T |   +0.00\xB0", "  -2.0\xB0"},
        {1.0, 358.5, 359.0, 359.0, 2.0, "  1.00\xB0T |   +2.00\xB0", "358.50\xB0T |   -0.50\xB0", "  +3.0\xB0"},
        {90.0, 180.0, 100.0, 100.0, 100.0, " 90.00\xB0T |  -10.00\xB0", "180.00\xB0T |  +80.00\xB0", "  +0.0\xB0"},
    };
    CTemplatePositioningPane& pane = Dock();
    CMFCPropertyGridProperty* headings = pane.GetHeadingGroup();
    for (const Case& c : cases)
    {
        tpl.m_GpsHeading = c.gps;
        tpl.m_TotalStationHeading = c.ts;
        tpl.m_PrimaryMru = 0;
        mrus[0]->m_Heading = c.mruOne;
        mrus[1]->m_Heading = c.mruTwo;
        ASSERT_EQ(c.primaryMru, c.mruOne);
        tpl.m_BaselineMeasured = 10.0;
        tpl.m_BaselineObserved = 10.0126;
        tpl.m_BaselineDifference = 0.0126;
        pane.UpdateMru(1);
        EXPECT_EQ(Shown(DualRow(headings, 0)), c.gpsRow) << c.gps;
        EXPECT_EQ(Shown(DualRow(headings, 1)), c.tsRow) << c.ts;
        EXPECT_EQ(Text(pane.GetPropertyGrid().GetShownValue(Group(pane, "MRU / GYRO Comparison")->GetSubItem(0))),
                  c.mruDiff);
        EXPECT_EQ(Text(pane.GetPropertyGrid().GetShownValue(headings->GetSubItem(5))), "   0.013m");
    }
}

TEST_F(TemplatePaneFixture, ShortListsAndMissingObservationsBuildOnlyWhatExists)
{
    struct Case
    {
        int receivers, mrus, lasers, primaryMru;
        Names groups;
    };
    const Case cases[] = {
        {1, 1, 1, 1,
         {"TGPS 1", "Comparison GPS1/GPS2", "Gyro / MRU One", "MRU / GYRO Comparison", "Total Station One", "CRP Comparision",
          "Heading Comparision"}},
        {0, 0, 0, 5, {"Comparison GPS1/GPS2", "MRU / GYRO Comparison", "CRP Comparision", "Heading Comparision"}},
        {3, 2, 2, -1,
         {"TGPS 1", "TGPS 2", "TGPS 3", "Comparison GPS1/GPS2", "Gyro / MRU One", "Gyro / MRU Two", "MRU / GYRO Comparison",
          "Total Station One", "Total Station Two", "CRP Comparision", "Heading Comparision"}},
    };
    CLaser silent; // a station that has observed nothing yet
    silent.m_Active = 1;
    for (const Case& c : cases)
    {
        CArray<CGps*, CGps*> someReceivers;
        CArray<CMru*, CMru*> someMrus;
        CArray<CLaser*, CLaser*> someLasers;
        for (int i = 0; i < c.receivers; ++i)
            someReceivers.Add(receivers[i]);
        for (int i = 0; i < c.mrus; ++i)
            someMrus.Add(mrus[i]);
        for (int i = 0; i < c.lasers; ++i)
            someLasers.Add(i == 1 ? &silent : lasers[i]);
        tpl.m_PrimaryGps = 1;
        tpl.m_PrimaryMru = c.primaryMru;
        HideEarlierPanes();
        panes.emplace_back();
        CTemplatePositioningPane& pane = panes.back();
        ASSERT_TRUE(host.Dock(pane, nextId++, &tpl, &someReceivers, &someMrus, nullptr, &someLasers));
        const std::string when = std::to_string(c.receivers) + " receivers";
        EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), c.groups) << when;
        EXPECT_NO_THROW({
            for (int i = -1; i <= 3; ++i)
            {
                pane.UpdateGps(i);
                pane.UpdateMru(i);
                pane.UpdateTotalStation(i);
            }
            pane.UpdatePrimaryMru();
            pane.UpdateCrp();
            pane.UpdateQC();
        }) << when;
        // Only the MRUs that exist are offered.
        EXPECT_EQ(GridItemOptions(pane.GetCrpGroup()->GetSubItem(1)).size(), static_cast<size_t>(c.mrus)) << when;
        if (CMFCPropertyGridProperty* two = pane.GetTotalStationGroup(1))
        {
            EXPECT_EQ(Shown(DualRow(two, 0)), " | ") << when;
        }
    }
}

TEST_F(TemplatePaneFixture, DockedInTheHostItShowsItsGrid)
{
    CTemplatePositioningPane& pane = Dock();
    pane.UpdateGps(0);
    pane.UpdateTotalStation(0);
    EXPECT_TRUE(pane.IsKindOf(RUNTIME_CLASS(CTemplatePositioningPane)));
    EXPECT_STREQ(CTemplatePositioningPane::GetThisClass()->m_lpszClassName, "CTemplatePositioningPane");
    FrameProbe::ExpectFrameAsUserSeesIt(&host, {{"Template Positioning", &pane}});
}
} // namespace

// The target QC pane over a tracked object, with a gyro and one MRU or with two MRUs: its
// groups, which tolerance rows a box target shows, each judgement read from the row and seen
// as the warning colour on the screen, the attitude format, what a missing record or reading
// does, and the pane docked in the host.
#include "features/Barge.h"
#include "outside/panes/GroupProperty.h"
#include "outside/panes/PropertyGridColours.h"
#include "outside/panes/units/ToleranceProperty.h"
#include "platform/core/WinApp.h"
#include "survey/TargetQCPane.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/UserInput.h"
#include "testsupport/host/TestHost.h"

#include <gtest/gtest.h>

#include <QDir>

#include <cfloat>
#include <cmath>
#include <functional>
#include <list>
#include <string>
#include <vector>

namespace
{
struct TargetQCFixture : ::testing::Test
{
    CWinApp app{"TargetQCPaneTest"};
    CTestHost host;
    CBarge object;
    std::list<CTargetQCPane> panes;
    int nextId = 4801;

    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost(700, 900));
        object.m_TrkPtPosition = tagXY{500123.456, 6200789.012};
        object.m_TargetHeading = 1.0;
        object.m_HeadingTolerance = 3.0;
        object.m_PitchTolerance = 1.0;
        object.m_RollTolerance = 2.0;
        object.m_PlotOptions.RadiusMetres = 10.0;
        object.m_PlotOptions.RadiusNM = 0.01;
        object.m_PlotOptions.BoxSizeX = 5.0;
        object.m_PlotOptions.BoxSizeY = 5.0;
        for (CMru& mru : host.m_Records.m_Mru)
        {
            mru.m_Active = 1;
            mru.m_GridHeading = 2.0;
            mru.m_Pitch = 0.5;
            mru.m_Roll = -0.5;
        }
        host.m_Records.m_Gyro.m_GridHeading = 0.5;
    }

    CTargetQCPane& Dock(bool gyro, bool mru = true)
    {
        CHostRecords& r = host.m_Records;
        panes.emplace_back();
        CTargetQCPane& pane = panes.back();
        EXPECT_TRUE(pane.Create("Template QC", &host, nextId++, &object, gyro ? &r.m_Gyro : nullptr,
                                mru ? &r.m_Mru[0] : nullptr));
        pane.ShowPane(TRUE, FALSE, FALSE);
        Pump();
        return pane;
    }
};

CMFCPropertyGridTolerance* Row(CTargetQCPane& pane, int group, int row)
{
    CMFCGroupPropertyGridProperty* g = pane.GetGroup(group);
    return g != nullptr ? dynamic_cast<CMFCPropertyGridTolerance*>(g->GetSubItem(row)) : nullptr;
}

std::vector<std::string> RowNames(CMFCPropertyGridProperty* group)
{
    std::vector<std::string> names;
    for (int i = 0; group != nullptr && i < group->GetSubItemsCount(); ++i)
        names.emplace_back(group->GetSubItem(i)->GetName());
    return names;
}

bool Shows(CTargetQCPane& pane, const CMFCPropertyGridProperty* item)
{
    return SeeGridItem(pane.GetPropertyGrid(), item).visible;
}

TEST_F(TargetQCFixture, GroupsFollowWhetherThereIsAGyro)
{
    CTargetQCPane& withGyro = Dock(true);
    EXPECT_EQ(GridGroupNames(withGyro.GetPropertyGrid()),
              (std::vector<std::string>{"Tracking Point", "Tolerance", "Heading", "MRU"}));
    EXPECT_EQ(RowNames(withGyro.GetGroup(CTargetQCPane::GROUP_HEADING)), std::vector<std::string>{"Gyro"});
    EXPECT_EQ(RowNames(withGyro.GetGroup(CTargetQCPane::GROUP_MRU_ONE)),
              (std::vector<std::string>{"Pitch", "Roll"}));
    EXPECT_EQ(withGyro.GetGroup(CTargetQCPane::GROUP_MRU_TWO), nullptr);

    CTargetQCPane& twoMrus = Dock(false);
    EXPECT_EQ(GridGroupNames(twoMrus.GetPropertyGrid()),
              (std::vector<std::string>{"Tracking Point", "Tolerance", "Heading", "MRU One", "MRU Two"}));
    EXPECT_EQ(RowNames(twoMrus.GetGroup(CTargetQCPane::GROUP_HEADING)),
              (std::vector<std::string>{"Gyro 1", "Gyro 2"}));
    EXPECT_EQ(RowNames(twoMrus.GetGroup(CTargetQCPane::GROUP_TRACKING_POINT)),
              (std::vector<std::string>{"Name", "Easting", "Northing"}));
    EXPECT_EQ(RowNames(twoMrus.GetGroup(CTargetQCPane::GROUP_TOLERANCE)),
              (std::vector<std::string>{"Range", "Position X", "Position Y"}));

    // Nothing can be edited, nothing is described and no row carries an id.
    for (CTargetQCPane* pane : {&withGyro, &twoMrus})
    {
        EXPECT_FALSE(pane->GetPropertyGrid().IsDescriptionArea());
        for (int g = 0; g < CTargetQCPane::GROUPS; ++g)
            for (int i = 0; pane->GetGroup(g) != nullptr && i < pane->GetGroup(g)->GetSubItemsCount(); ++i)
            {
                CMFCPropertyGridProperty* item = pane->GetGroup(g)->GetSubItem(i);
                const GRID_ITEM_SEEN seen = SeeGridItem(pane->GetPropertyGrid(), item);
                EXPECT_FALSE(seen.editable) << item->GetName();
                EXPECT_EQ(seen.data, 0u) << item->GetName();
                EXPECT_TRUE(CString(item->GetDescription()).IsEmpty()) << item->GetName();
            }
    }
    EXPECT_EQ(UserInput::OpenGridEditor(twoMrus.GetPropertyGrid(), "Tracking Point/Name"), nullptr);
}

// The updates a pane does not have leave every row as it was.
TEST_F(TargetQCFixture, UpdatesOfWhatThePaneLacksDoNothing)
{
    CTargetQCPane& withGyro = Dock(true);
    CTargetQCPane& twoMrus = Dock(false);
    host.m_Records.m_Mru[1].m_Pitch = 9.0;
    host.m_Records.m_Gyro.m_GridHeading = 90.0;
    withGyro.UpdateMru(1);
    withGyro.UpdateMru(2);
    withGyro.UpdateMru(-1);
    twoMrus.UpdateGyro();
    twoMrus.UpdateMru(2);
    Pump();
    EXPECT_EQ(SeeGridItem(withGyro.GetPropertyGrid(), Row(withGyro, CTargetQCPane::GROUP_MRU_ONE, 0)).value,
              "+0.50\u00B0");
    EXPECT_TRUE(Row(withGyro, CTargetQCPane::GROUP_MRU_ONE, 0)->IsWithin());
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(SeeGridItem(twoMrus.GetPropertyGrid(), Row(twoMrus, CTargetQCPane::GROUP_HEADING, i)).value,
                  "  2.00\u00B0G");

    // With the gyro, MRU one's update judges pitch and roll but leaves the gyro's heading.
    withGyro.UpdateMru(0);
    twoMrus.UpdateMru(1);
    Pump();
    EXPECT_EQ(SeeGridItem(withGyro.GetPropertyGrid(), Row(withGyro, CTargetQCPane::GROUP_HEADING, 0)).value,
              "  0.50\u00B0G");
    EXPECT_EQ(SeeGridItem(twoMrus.GetPropertyGrid(), Row(twoMrus, CTargetQCPane::GROUP_MRU_TWO, 0)).value,
              "+9.00\u00B0");
    EXPECT_FALSE(Row(twoMrus, CTargetQCPane::GROUP_MRU_TWO, 0)->IsWithin());
    EXPECT_TRUE(Row(twoMrus, CTargetQCPane::GROUP_MRU_ONE, 0)->IsWithin()) << "MRU one was not updated";
}

TEST_F(TargetQCFixture, BoxTargetShowsTheOffsetsInsteadOfTheRange)
{
    object.m_TargetRange = 3.0;
    object.m_PositionX = -1.25;
    object.m_PositionY = 2.5;
    CTargetQCPane& pane = Dock(true);
    CMFCPropertyGridTolerance* range = Row(pane, CTargetQCPane::GROUP_TOLERANCE, 0);
    CMFCPropertyGridTolerance* x = Row(pane, CTargetQCPane::GROUP_TOLERANCE, 1);
    CMFCPropertyGridTolerance* y = Row(pane, CTargetQCPane::GROUP_TOLERANCE, 2);
    EXPECT_TRUE(Shows(pane, range));
    EXPECT_FALSE(Shows(pane, x));
    EXPECT_FALSE(Shows(pane, y));

    object.m_PlotOptions.ShapeBox = true;
    pane.Update("CRP");
    Pump();
    EXPECT_FALSE(Shows(pane, range));
    EXPECT_TRUE(Shows(pane, x));
    EXPECT_TRUE(Shows(pane, y));
    EXPECT_EQ(SeeGridItem(pane.GetPropertyGrid(), x).value, "  -1.250m");
    EXPECT_EQ(SeeGridItem(pane.GetPropertyGrid(), y).value, "  +2.500m");

    // Built with the box already set, the rows start the box's way.
    CTargetQCPane& boxed = Dock(false);
    EXPECT_FALSE(Shows(boxed, Row(boxed, CTargetQCPane::GROUP_TOLERANCE, 0)));
    EXPECT_TRUE(Shows(boxed, Row(boxed, CTargetQCPane::GROUP_TOLERANCE, 1)));

    object.m_PlotOptions.ShapeBox = false;
    pane.Update("CRP");
    Pump();
    EXPECT_TRUE(Shows(pane, range));
    EXPECT_FALSE(Shows(pane, x));
}

TEST_F(TargetQCFixture, TolerancesJudgedAsTheUserSeesThem)
{
    CTargetQCPane& gyroPane = Dock(true);
    CTargetQCPane& mruPane = Dock(false);
    const QColor warning = ColourOfRef(PANES_WARNING_BACK);
    CMru& mru = host.m_Records.m_Mru[0];
    CGyro& gyro = host.m_Records.m_Gyro;
    const double nan = std::nan("");
    const struct
    {
        const char* what;
        std::function<void()> set;
        CTargetQCPane* pane;
        int group, row;
        bool within;
        const char* shown;
    } cases[] = {
        {"range 10 m in a 10 m ring", [&] { object.m_TargetRange = 10.0; }, &gyroPane,
         CTargetQCPane::GROUP_TOLERANCE, 0, true, "  10.000m"},
        {"range 10.1 m in a 10 m ring", [&] { object.m_TargetRange = 10.1; }, &gyroPane,
         CTargetQCPane::GROUP_TOLERANCE, 0, false, "  10.100m"},
        // 0.01 NM is 18.52 m: the range in metres is judged against it in metres.
        {"range 10 m in a 0.01 NM ring",
         [&] {
             object.m_PlotOptions.NauticalMiles = true;
             object.m_TargetRange = 10.0;
         },
         &gyroPane, CTargetQCPane::GROUP_TOLERANCE, 0, true, "  10.000m"},
        {"range 20 m in a 0.01 NM ring", [&] { object.m_TargetRange = 20.0; }, &gyroPane,
         CTargetQCPane::GROUP_TOLERANCE, 0, false, "  20.000m"},
        {"no range", [&] { object.m_TargetRange = nan; }, &gyroPane, CTargetQCPane::GROUP_TOLERANCE, 0, false,
         ""},
        {"X 4.9 in a 5 m box",
         [&] {
             object.m_PlotOptions.ShapeBox = true;
             object.m_PositionX = 4.9;
             object.m_PositionY = 0.0;
         },
         &gyroPane, CTargetQCPane::GROUP_TOLERANCE, 1, true, "  +4.900m"},
        {"X -5.1 in a 5 m box", [&] { object.m_PositionX = -5.1; }, &gyroPane, CTargetQCPane::GROUP_TOLERANCE,
         1, false, "  -5.100m"},
        {"Y 5.5 in a 6 by 5 m box",
         [&] {
             object.m_PlotOptions.BoxSizeX = 6.0;
             object.m_PositionY = 5.5;
         },
         &gyroPane, CTargetQCPane::GROUP_TOLERANCE, 2, false, "  +5.500m"},
        {"gyro 359 wanted 1 within 3", [&] { gyro.m_GridHeading = 359.0; }, &gyroPane,
         CTargetQCPane::GROUP_HEADING, 0, true, "359.00\u00B0G"},
        {"gyro 5 wanted 1 within 3", [&] { gyro.m_GridHeading = 5.0; }, &gyroPane,
         CTargetQCPane::GROUP_HEADING, 0, false, "  5.00\u00B0G"},
        {"MRU one heading 359", [&] { mru.m_GridHeading = 359.0; }, &mruPane, CTargetQCPane::GROUP_HEADING, 0,
         true, "359.00\u00B0G"},
        {"pitch -1.5 against 1", [&] { mru.m_Pitch = -1.5; }, &gyroPane, CTargetQCPane::GROUP_MRU_ONE, 0,
         false, "-1.50\u00B0"},
        {"roll -1.5 against 2", [&] { mru.m_Roll = -1.5; }, &gyroPane, CTargetQCPane::GROUP_MRU_ONE, 1, true,
         "-1.50\u00B0"},
        {"no pitch", [&] { mru.m_Pitch = DBL_MAX; }, &mruPane, CTargetQCPane::GROUP_MRU_ONE, 0, false, ""},
        {"pitch 0.99 against 1", [&] { mru.m_Pitch = 0.99; }, &mruPane, CTargetQCPane::GROUP_MRU_ONE, 0, true,
         "+0.99\u00B0"},
    };
    for (const auto& c : cases)
    {
        c.set();
        for (CTargetQCPane* pane : {&gyroPane, &mruPane})
        {
            pane->Update("CRP - GPS1");
            pane->UpdateGyro();
            pane->UpdateMru(0);
            pane->UpdateMru(1);
            // The two share the host's one dock: the pane of the case is the one on the screen.
            pane->ShowPane(pane == c.pane, FALSE, FALSE);
        }
        Pump();
        ASSERT_FALSE(FrameProbe::PaneRect(c.pane).isEmpty()) << c.what;
        CMFCPropertyGridTolerance* row = Row(*c.pane, c.group, c.row);
        ASSERT_NE(row, nullptr) << c.what;
        EXPECT_EQ(row->IsWithin(), c.within) << c.what;
        CMyMFCPropertyGridCtrl& grid = c.pane->GetPropertyGrid();
        EXPECT_EQ(SeeGridItem(grid, row).value, c.shown) << c.what;
        if (c.within)
            EXPECT_EQ(GridItemValuePixels(grid, row, warning), 0) << c.what;
        else
            EXPECT_GT(GridItemValuePixels(grid, row, warning), 100) << c.what;
    }
    CMyMFCPropertyGridCtrl& grid = gyroPane.GetPropertyGrid();
    EXPECT_EQ(SeeGridItem(grid, gyroPane.GetGroup(0)->GetSubItem(0)).value, "CRP - GPS1");
    EXPECT_EQ(SeeGridItem(grid, gyroPane.GetGroup(0)->GetSubItem(1)).value, "500123.46m");
}

// A host that hands no MRU records gets the groups without values, and its MRU updates do
// nothing rather than read through the missing pointer.
TEST_F(TargetQCFixture, WithoutMruRecordsTheRowsStayEmpty)
{
    for (bool gyro : {true, false})
    {
        CTargetQCPane& pane = Dock(gyro, false);
        pane.UpdateMru(0);
        pane.UpdateMru(1);
        pane.Update("CRP");
        Pump();
        CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
        EXPECT_EQ(SeeGridItem(grid, Row(pane, CTargetQCPane::GROUP_MRU_ONE, 0)).value, "") << gyro;
        EXPECT_EQ(SeeGridItem(grid, Row(pane, CTargetQCPane::GROUP_MRU_ONE, 1)).value, "") << gyro;
        if (!gyro)
        {
            EXPECT_EQ(SeeGridItem(grid, Row(pane, CTargetQCPane::GROUP_HEADING, 1)).value, "");
        }
        EXPECT_EQ(SeeGridItem(grid, Row(pane, CTargetQCPane::GROUP_TOLERANCE, 0)).value, "   0.000m") << gyro;
    }
}

// Without a tracked object the rows stay empty and no update reads through the missing pointer.
TEST_F(TargetQCFixture, WithoutAnObjectNothingIsRead)
{
    CTargetQCPane pane;
    ASSERT_TRUE(pane.Create("Template QC", &host, 4899, nullptr, &host.m_Records.m_Gyro, host.m_Records.m_Mru));
    pane.Update("CRP");
    pane.UpdateGyro();
    pane.UpdateMru(0);
    Pump();
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    EXPECT_EQ(SeeGridItem(grid, pane.GetGroup(CTargetQCPane::GROUP_TRACKING_POINT)->GetSubItem(0)).value, "");
    EXPECT_EQ(SeeGridItem(grid, pane.GetGroup(CTargetQCPane::GROUP_TRACKING_POINT)->GetSubItem(1)).value, "");
    EXPECT_EQ(SeeGridItem(grid, Row(pane, CTargetQCPane::GROUP_TOLERANCE, 0)).value, "");
    EXPECT_TRUE(SeeGridItem(grid, Row(pane, CTargetQCPane::GROUP_TOLERANCE, 0)).visible);
}

TEST_F(TargetQCFixture, DockedInTheHost)
{
    object.m_TargetRange = 4.0;
    CTargetQCPane& pane = Dock(false);
    host.m_Records.m_Mru[1].m_Roll = 3.5;
    pane.Update("CRP");
    pane.UpdateMru(0);
    pane.UpdateMru(1);
    Pump();
    const QString folder = QString(SUITE_VISUAL_DIR);
    QDir().mkpath(folder);
    FrameProbe::ExpectFrameAsUserSeesIt(&host, {{"Template QC", &pane}}, {}, folder + "/target-qc.png");
}
} // namespace

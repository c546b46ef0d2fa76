// The device groups as a survey pane shows them: their rows, what each Update takes from the
// host's records, the quality limits in the warning colour, the records' no-value markers shown
// empty, and a grid holding one of each group as a user sees it docked in the host.
#include "outside/panes/PropertyGridColours.h"
#include "outside/panes/PropertyGridDualDisplay.h"
#include "platform/core/WinApp.h"
#include "survey/SurveyPane.h"
#include "survey/groups/CRPComparisonGroupGridProperty.h"
#include "survey/groups/DeviceValueDouble.h"
#include "survey/groups/GpsGroupGridProperty.h"
#include "survey/groups/GpsHeadingGroupPropertyGrid.h"
#include "survey/groups/GyroGroupGridProperty.h"
#include "survey/groups/HeadingComparisonGroupGridProperty.h"
#include "survey/groups/MruGroupGridProperty.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/host/TestHost.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QEvent>
#include <QTreeWidget>

#include <cfloat>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace
{
// A pane of the survey base whose grid holds the groups its builder makes, rebuilt with it.
class CGroupsPane : public CSurveyPane
{
public:
    using Builder = std::function<std::vector<CMFCPropertyGridProperty*>()>;

    int Create(CWnd* pParent, int nID, Builder build)
    {
        return CreatePane(pParent, nID, "Devices", [this, build] { m_Build = build; });
    }
    void InitPropList() override
    {
        BeginPropList();
        if (m_Build)
            for (CMFCPropertyGridProperty* group : m_Build())
                m_wndPropList.AddProperty(group);
        m_wndPropList.ExpandAll();
    }

private:
    Builder m_Build;
};

// Counts the paints a widget receives.
class CPaintCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return QObject::eventFilter(watched, event);
    }
};

// The value text of a row as the grid shows it, in UTF-8 ("°" for the degree byte).
std::string Shown(CMFCPropertyGridCtrl& grid, const CMFCPropertyGridProperty* item)
{
    return SeeGridItem(grid, item).value.toStdString();
}

std::string NameShown(CMFCPropertyGridCtrl& grid, const CMFCPropertyGridProperty* item)
{
    return SeeGridItem(grid, item).name.toStdString();
}

bool RowShown(CMFCPropertyGridCtrl& grid, const CMFCPropertyGridProperty* item)
{
    return SeeGridItem(grid, item).visible;
}

CMFCPropertyGridDualDisplay* DualRow(const CMFCPropertyGridProperty* group, int row)
{
    return dynamic_cast<CMFCPropertyGridDualDisplay*>(group->GetSubItem(row));
}

// A receiver that reports everything, in numbers whose text is exact.
void FillReceiver(CGps& gps)
{
    gps.m_Active = 1;
    gps.m_Wgs84Latitude = 54.5 * M_PI / 180.0;
    gps.m_Wgs84Longitude = 3.25 * M_PI / 180.0;
    gps.m_Wgs84Height = 12.25;
    gps.m_FixMode = 2;
    gps.m_AntennaEasting = 452000.125;
    gps.m_AntennaNorthing = 6231000.5;
    gps.m_SatellitesUsed = 9;
    gps.m_Hdop = 0.75;
    gps.m_GsaReceived = 1;
    gps.m_Pdop = 1.5;
    gps.m_Vdop = 1.25;
    gps.m_GstReceived = 1;
    gps.m_GnssSystem = "GPS";
    gps.m_GstRms = 0.5;
    gps.m_ErrorEllipse[0] = 1.5;
    gps.m_ErrorEllipse[1] = 0.75;
    gps.m_ErrorEllipse[2] = 30.5;
    gps.m_ErrorEllipse[3] = 120.5;
    gps.m_PositionErrors[0] = 0.5;  // east
    gps.m_PositionErrors[1] = 0.25; // north
    gps.m_PositionErrors[2] = 1.25; // up
    gps.m_SpeedOverGround = 2.5;
    gps.m_Course = 45.25;
}

struct DeviceGroupsFixture : ::testing::Test
{
    CWinApp app{"DeviceGroupsTest"};
    CTestHost host;
    CGroupsPane pane;

    void SetUp() override { ASSERT_TRUE(host.CreateHost(900, 900)); }

    // Docks the pane holding `build`'s groups; its grid.
    CMFCPropertyGridCtrl& Dock(CGroupsPane::Builder build, int id = 4401)
    {
        EXPECT_TRUE(host.Dock(pane, id, build));
        return pane.GetPropertyGrid();
    }
    template <class Group> Group* Only()
    {
        return dynamic_cast<Group*>(pane.GetPropertyGrid().GetProperty(0));
    }
};

struct RowSeen
{
    int row;
    const char* name;
    const char* value; // null: not checked (the position's notation is the user's)
    bool shown;
};

void ExpectRows(CMFCPropertyGridCtrl& grid, const CMFCPropertyGridProperty* group, const std::vector<RowSeen>& rows,
                const char* when)
{
    ASSERT_EQ(group->GetSubItemsCount(), static_cast<int>(rows.size())) << when;
    for (const RowSeen& r : rows)
    {
        const CMFCPropertyGridProperty* item = group->GetSubItem(r.row);
        EXPECT_EQ(NameShown(grid, item), r.name) << when << " row " << r.row;
        if (r.value != nullptr)
        {
            EXPECT_EQ(Shown(grid, item), r.value) << when << " row " << r.row;
        }
        EXPECT_EQ(RowShown(grid, item), r.shown) << when << " row " << r.row;
        EXPECT_FALSE(SeeGridItem(grid, item).editable) << when << " row " << r.row;
    }
}

TEST_F(DeviceGroupsFixture, GpsRowsShowTheReceiverInTheirFormatsAndStartHidden)
{
    CGps& gps = host.m_Records.m_Gps[0];
    FillReceiver(gps);
    CMFCPropertyGridCtrl& grid = Dock([&] { return std::vector<CMFCPropertyGridProperty*>{new CMFCGpsGroupGridProperty("DGPS 1", &gps, 0)}; });
    auto* group = Only<CMFCGpsGroupGridProperty>();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->GetPosition(), 0);
    EXPECT_EQ(NameShown(grid, group), "DGPS 1");

    // Before its first update only rows 0 to 3 show.
    std::vector<RowSeen> rows = {
        {0, "Latitude", nullptr, true},
        {1, "Height", "   0.00m. | Fix Mode No Fix", true},
        {2, "Easting", "       0.000E | Northing        0.000N", true},
        {3, "Satellites", "0 | Hdop    0.00", true},
        {4, "Pdop", nullptr, false},
        {5, "Constallation", "", false},
        {6, "RMS", nullptr, false},
        {7, "Error Ellipse", "", false},
        {8, "Max", nullptr, false},
        {9, "", nullptr, false},
        {10, "Standard Deviation", "", false},
        {11, "Latitude", nullptr, false},
        {12, "Height", nullptr, false},
        {13, "Course", "Speed", false},
        {14, "SOG", nullptr, false},
    };
    ExpectRows(grid, group, rows, "as built");

    group->Update();
    group->ShowSogCog(1);
    Pump();
    rows = {
        {0, "Latitude", nullptr, true},
        {1, "Height", "  12.25m. | Fix Mode 3D Fix", true},
        {2, "Easting", "  452000.125E | Northing  6231000.500N", true},
        {3, "Satellites", "9 | Hdop    0.75", true},
        {4, "Pdop", "   1.50 | Vdop    1.25", true},
        {5, "Constallation GPS", "", true},
        {6, "RMS", "   0.50", true},
        {7, "Error Ellipse", "", true},
        {8, "Max", "   1.50 | Min    0.75", true},
        {9, "", " 30.50° |  120.50°", true},
        {10, "Standard Deviation", "", true},
        {11, "Latitude", "   0.25m | Longitude    0.50m", true},
        {12, "Height", "   1.25", true},
        {13, "Course", "Speed", true},
        {14, "SOG", "  2.5Knts | COG  45.25°T", true},
    };
    ExpectRows(grid, group, rows, "after an update");
    EXPECT_FALSE(Shown(grid, group->GetSubItem(0)).empty());

    // The run-time class names the group.
    EXPECT_STREQ(group->GetRuntimeClass()->m_lpszClassName, "CMFCGpsGroupGridProperty");
    EXPECT_EQ(CMFCGpsGroupGridProperty::GetThisClass(), group->GetRuntimeClass());
    EXPECT_TRUE(group->IsKindOf(RUNTIME_CLASS(CObject)));
}

TEST_F(DeviceGroupsFixture, GpsOptionalRowsFollowWhatTheReceiverReports)
{
    CGps& gps = host.m_Records.m_Gps[0];
    FillReceiver(gps);
    CMFCPropertyGridCtrl& grid = Dock([&] { return std::vector<CMFCPropertyGridProperty*>{new CMFCGpsGroupGridProperty("GPS", &gps, 3)}; });
    auto* group = Only<CMFCGpsGroupGridProperty>();
    ASSERT_NE(group, nullptr);
    using R = CMFCGpsGroupGridProperty;
    auto shownRows = [&] {
        std::string seen;
        for (int row = 0; row < R::ROW_COUNT; ++row)
            seen += RowShown(grid, group->GetSubItem(row)) ? '1' : '0';
        return seen;
    };
    const struct
    {
        BYTE gsa, gst;
        int sogCog;
        const char* shown;
    } cases[] = {
        {1, 1, 0, "111111111111100"},
        {0, 1, 0, "111101111111100"},
        {1, 0, 0, "111110000000000"},
        {0, 0, 1, "111100000000011"},
        {1, 1, 1, "111111111111111"},
    };
    for (const auto& c : cases)
    {
        gps.m_GsaReceived = c.gsa;
        gps.m_GstReceived = c.gst;
        group->ShowSogCog(c.sogCog);
        group->Update();
        Pump();
        EXPECT_EQ(shownRows(), c.shown) << int(c.gsa) << int(c.gst) << c.sogCog;
    }

    // Speed and course are filled while hidden, and show as they are once shown.
    group->ShowSogCog(0);
    gps.m_SpeedOverGround = 7.25;
    gps.m_Course = 300.5;
    group->Update();
    group->ShowSogCog(1);
    Pump();
    EXPECT_EQ(Shown(grid, group->GetSubItem(R::ROW_SOG_COG)), "  7.2Knts | COG 300.50°T");
    // A sentence without speed leaves the receiver's -1: no speed, shown empty.
    gps.m_SpeedOverGround = -1.0;
    group->Update();
    Pump();
    EXPECT_EQ(Shown(grid, group->GetSubItem(R::ROW_SOG_COG)), " | COG 300.50°T");

    // The title follows the constellation the statistics came from.
    gps.m_GnssSystem = "GLONASS";
    group->Update();
    Pump();
    EXPECT_EQ(NameShown(grid, group->GetSubItem(R::ROW_CONSTELLATION)), "Constallation GLONASS");
}

TEST_F(DeviceGroupsFixture, GpsFixModeNames)
{
    CGps& gps = host.m_Records.m_Gps[0];
    CMFCPropertyGridCtrl& grid = Dock([&] { return std::vector<CMFCPropertyGridProperty*>{new CMFCGpsGroupGridProperty("GPS", &gps, 0)}; });
    auto* group = Only<CMFCGpsGroupGridProperty>();
    ASSERT_NE(group, nullptr);
    const struct
    {
        int32_t mode;
        const char* shown;
    } cases[] = {{0, "No Fix"}, {1, "2D Fix"}, {2, "3D Fix"}, {3, "No Fix"}, {7, "No Fix"}, {-1, "No Fix"}, {2, "3D Fix"}};
    for (const auto& c : cases)
    {
        gps.m_FixMode = c.mode;
        group->Update();
        Pump();
        EXPECT_EQ(Shown(grid, group->GetSubItem(1)), std::string("   0.00m. | Fix Mode ") + c.shown) << c.mode;
    }
}

TEST_F(DeviceGroupsFixture, GpsQualityLimitsMarkTheValuesOutside)
{
    CGps& gps = host.m_Records.m_Gps[0];
    FillReceiver(gps);
    CMFCPropertyGridCtrl& grid = Dock([&] { return std::vector<CMFCPropertyGridProperty*>{new CMFCGpsGroupGridProperty("GPS", &gps, 0)}; });
    auto* group = Only<CMFCGpsGroupGridProperty>();
    ASSERT_NE(group, nullptr);
    CMFCPropertyGridDualDisplay* quality = DualRow(group, CMFCGpsGroupGridProperty::ROW_QUALITY);
    ASSERT_NE(quality, nullptr);
    const QColor warning = ColourOfRef(PANES_WARNING_BACK);

    const struct
    {
        int32_t minimum;
        int32_t satellites;
        double maximum;
        double hdop;
        bool satellitesWithin, hdopWithin;
    } cases[] = {
        {4, 5, 2.5, 2.4, true, true},    {4, 4, 2.5, 2.5, true, false},  {4, 3, 2.5, 2.6, false, false},
        {0, 0, 0.0, 99.0, true, true},   {0, 3, 2.5, 1.0, true, true},   {12, 11, 0.0, 5.0, false, true},
        {-1, 0, -2.0, 5.0, true, true},
    };
    for (const auto& c : cases)
    {
        gps.m_MinimumSatellites = c.minimum;
        gps.m_SatellitesUsed = c.satellites;
        gps.m_MaximumDop = c.maximum;
        gps.m_Hdop = c.hdop;
        group->Update();
        Pump();
        EXPECT_EQ(quality->IsInLimits(1), c.satellitesWithin) << c.minimum << " " << c.satellites;
        EXPECT_EQ(quality->IsInLimits(2), c.hdopWithin) << c.maximum << " " << c.hdop;
        // A value outside its limit shows on red; the row shows no red while both are within.
        const int red = GridItemValuePixels(grid, quality, warning);
        EXPECT_EQ(red > 0, !c.satellitesWithin || !c.hdopWithin) << c.minimum << " " << c.satellites << " " << c.hdop;
    }

    // The user raises the minimum while the count stays: the text is the same, the colour is
    // not, and the row is painted again on the screen.
    gps.m_MinimumSatellites = 4;
    gps.m_SatellitesUsed = 4;
    group->Update();
    Pump();
    QWidget* viewport = grid.GetWidget()->findChild<QTreeWidget*>()->viewport();
    CPaintCounter paints;
    viewport->installEventFilter(&paints);
    gps.m_MinimumSatellites = 5;
    group->Update();
    Pump();
    viewport->removeEventFilter(&paints);
    EXPECT_FALSE(quality->IsInLimits(1));
    EXPECT_GT(paints.count, 0);
}

TEST_F(DeviceGroupsFixture, ValuesThatAreNoValuesShowEmptyAndAreNeverWithin)
{
    CGps& gps = host.m_Records.m_Gps[0];
    FillReceiver(gps);
    gps.m_MaximumDop = 2.5;
    CMru& mru = host.m_Records.m_Mru[0];
    mru.m_Active = 1;
    CGyro& gyro = host.m_Records.m_Gyro;
    gyro.m_Active = 1;
    gyro.m_TrueHeading = 10.0;
    CMFCPropertyGridCtrl& grid = Dock([&] {
        return std::vector<CMFCPropertyGridProperty*>{new CMFCGpsGroupGridProperty("GPS", &gps, 0),
                                                      new CMFCMruGroupGridProperty("Motion Reference Unit", &mru, 1),
                                                      new CMFCHeadingComparisonGroupGridProperty(&gyro, &mru),
                                                      new CMFCGpsHeadingGroupPropertyGrid()};
    });
    auto* group = dynamic_cast<CMFCGpsGroupGridProperty*>(grid.GetProperty(0));
    auto* mruGroup = dynamic_cast<CMFCMruGroupGridProperty*>(grid.GetProperty(1));
    auto* comparison = dynamic_cast<CMFCHeadingComparisonGroupGridProperty*>(grid.GetProperty(2));
    auto* gpsHeading = dynamic_cast<CMFCGpsHeadingGroupPropertyGrid*>(grid.GetProperty(3));
    ASSERT_TRUE(group && mruGroup && comparison && gpsHeading);

    gps.m_Hdop = NAN;
    gps.m_Wgs84Height = INFINITY;
    gps.m_AntennaNorthing = DBL_MAX;
    gps.m_Wgs84Latitude = NAN;
    group->Update();
    Pump();
    CMFCPropertyGridDualDisplay* quality = DualRow(group, CMFCGpsGroupGridProperty::ROW_QUALITY);
    EXPECT_FALSE(quality->IsInLimits(2));
    EXPECT_EQ(Shown(grid, quality), "9 | Hdop ");
    EXPECT_EQ(Shown(grid, group->GetSubItem(1)), " | Fix Mode 3D Fix");
    EXPECT_EQ(Shown(grid, group->GetSubItem(2)), "  452000.125E | Northing ");
    // Empty, not warned: there is nothing to read on red.
    EXPECT_EQ(GridItemValuePixels(grid, quality, ColourOfRef(PANES_WARNING_BACK)), 0);
    // With the HDOP check off, a missing HDOP is still not within.
    gps.m_MaximumDop = 0.0;
    group->Update();
    EXPECT_FALSE(quality->IsInLimits(2));
    // A value again: shown and judged.
    gps.m_Hdop = 1.0;
    gps.m_Wgs84Height = 3.5;
    group->Update();
    Pump();
    EXPECT_TRUE(quality->IsInLimits(2));
    EXPECT_EQ(Shown(grid, group->GetSubItem(1)), "   3.50m. | Fix Mode 3D Fix");

    // The MRU marks a missing heading, pitch and roll with the largest double.
    mru.m_Heading = DBL_MAX;
    mru.m_GridHeading = DBL_MAX - 0.8;
    mru.m_Convergence = 0.8;
    mru.m_Pitch = DBL_MAX;
    mru.m_Roll = 1.5;
    EXPECT_FALSE(mruGroup->Update());
    comparison->Update();
    gpsHeading->Update("A", "B", NAN);
    Pump();
    EXPECT_EQ(Shown(grid, mruGroup->GetSubItem(0)), " |  False");
    EXPECT_EQ(Shown(grid, mruGroup->GetSubItem(1)), " | Conv.   +0.80°");
    EXPECT_EQ(Shown(grid, mruGroup->GetSubItem(2)), " | Roll  +1.50°");
    EXPECT_EQ(Shown(grid, comparison->GetDifferenceRow()), "  +0.0°");
    EXPECT_EQ(comparison->GetDifferenceRow()->GetDouble(), 0.0);
    EXPECT_EQ(Shown(grid, gpsHeading->GetHeadingRow()), "");
    // No row of the grid grew a number hundreds of digits wide.
    for (int g = 0; g < grid.GetPropertyCount(); ++g)
        for (int row = 0; row < grid.GetProperty(g)->GetSubItemsCount(); ++row)
            EXPECT_LT(Shown(grid, grid.GetProperty(g)->GetSubItem(row)).size(), 60u) << g << " " << row;
}

TEST_F(DeviceGroupsFixture, GpsHeadingNamesTheAntennaPair)
{
    CMFCPropertyGridCtrl& grid = Dock([] { return std::vector<CMFCPropertyGridProperty*>{new CMFCGpsHeadingGroupPropertyGrid()}; });
    auto* group = Only<CMFCGpsHeadingGroupPropertyGrid>();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(NameShown(grid, group), "GPS Heading");
    ExpectRows(grid, group, {{0, "Gps Heading", "  0.00°T", true}}, "as built");
    group->Update("DGPS 1", "DGPS 2", 123.455);
    Pump();
    ExpectRows(grid, group, {{0, "DGPS 1/DGPS 2", "123.45°T", true}}, "after an update");
    // A reading is no edit: it does not show as modified (bold).
    EXPECT_FALSE(group->GetHeadingRow()->IsModified());
    group->Update(nullptr, "Aft", 5.0);
    group->ClearReading();
    Pump();
    ExpectRows(grid, group, {{0, "/Aft", "  0.00°T", true}}, "cleared");
}

TEST_F(DeviceGroupsFixture, GyroShowsOnlyWhileActiveWithItsRateOfTurnWhenReported)
{
    CGyro& gyro = host.m_Records.m_Gyro;
    gyro.m_Active = 0;
    gyro.m_TrueHeading = 45.5;
    gyro.m_GridHeading = 44.75;
    gyro.m_Convergence = 0.75;
    gyro.m_RateOfTurn = -12.5;
    gyro.m_RateOfTurnValid = 1;
    CMFCPropertyGridCtrl& grid = Dock([&] { return std::vector<CMFCPropertyGridProperty*>{new CMFCGyroGroupGridProperty(&gyro, 2)}; });
    auto* group = Only<CMFCGyroGroupGridProperty>();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(NameShown(grid, group), "Gyro");
    EXPECT_EQ(group->GetPosition(), 2);
    const std::vector<RowSeen> built = {{0, "Heading", "  0.00°T |  False", true},
                                        {1, "", "  0.00°G | Conv.   +0.00°", true},
                                        {2, "Rate of Turn", "  +0.00°/min", false}};
    ExpectRows(grid, group, built, "as built");
    group->Update(true);
    Pump();
    ExpectRows(grid, group, built, "inactive");

    gyro.m_Active = 1;
    group->Update(true);
    Pump();
    ExpectRows(grid, group,
               {{0, "Heading", " 45.50°T |  True", true},
                {1, "", " 44.75°G | Conv.   +0.75°", true},
                {2, "Rate of Turn", " -12.50°/min", true}},
               "active");
    gyro.m_RateOfTurnValid = 0;
    group->Update(false);
    Pump();
    EXPECT_FALSE(RowShown(grid, group->GetSubItem(2)));
    EXPECT_EQ(Shown(grid, group->GetSubItem(0)), " 45.50°T |  False");

    // SetUse changes the flag whether the gyro is active or not.
    gyro.m_Active = 0;
    gyro.m_TrueHeading = 46.0;
    group->SetUse(true);
    Pump();
    EXPECT_EQ(Shown(grid, group->GetSubItem(0)), " 46.00°T |  True");
}

TEST_F(DeviceGroupsFixture, MruShowsOnlyWhileActiveAndAlwaysAnswersFalse)
{
    CMru& mru = host.m_Records.m_Mru[0];
    mru.m_Active = 0;
    mru.m_Heading = 90.25;
    mru.m_GridHeading = 89.5;
    mru.m_Convergence = -0.75;
    mru.m_Pitch = -1.5;
    mru.m_Roll = 2.25;
    mru.m_TiltAngle = 2.75;
    mru.m_TiltHeading = 123.5;
    mru.m_UseHeading = 1;
    CMFCPropertyGridCtrl& grid = Dock([&] { return std::vector<CMFCPropertyGridProperty*>{new CMFCMruGroupGridProperty("Motion Reference Unit", &mru, 1)}; });
    auto* group = Only<CMFCMruGroupGridProperty>();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(NameShown(grid, group), "Motion Reference Unit");
    EXPECT_FALSE(group->Update());
    Pump();
    EXPECT_EQ(Shown(grid, group->GetSubItem(0)), "  0.00°T |  False");

    mru.m_Active = 1;
    EXPECT_FALSE(group->Update());
    Pump();
    ExpectRows(grid, group,
               {{0, "Heading", " 90.25°T |  True", true},
                {1, "", " 89.50°G | Conv.   -0.75°", true},
                {2, "Pitch", " -1.50° | Roll  +2.25°", true},
                {3, "Tilt", "", true},
                {4, "Angle", "  2.75° | Heading 123.50°", true}},
               "active");
    // The use flag is "greater than 0", whatever else the host keeps in the word.
    for (int32_t use : {0, -1, 256, 1})
    {
        mru.m_UseHeading = use;
        group->Update();
        Pump();
        EXPECT_EQ(Shown(grid, group->GetSubItem(0)), use > 0 ? " 90.25°T |  True" : " 90.25°T |  False") << use;
    }
}

TEST_F(DeviceGroupsFixture, HeadingComparisonTakesTheShortWayAcrossNorth)
{
    CGyro& gyro = host.m_Records.m_Gyro;
    CMru& mru = host.m_Records.m_Mru[0];
    gyro.m_Active = 0;
    mru.m_Active = 0;
    gyro.m_TrueHeading = 359.0;
    mru.m_Heading = 1.0;
    CMFCPropertyGridCtrl& grid = Dock([&] { return std::vector<CMFCPropertyGridProperty*>{new CMFCHeadingComparisonGroupGridProperty(&gyro, &mru)}; });
    auto* group = Only<CMFCHeadingComparisonGroupGridProperty>();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(NameShown(grid, group), "Heading Comparison");
    // Built showing the difference as it is, though neither is active.
    ExpectRows(grid, group, {{0, "Gyro - MRU", "  -2.0°", true}}, "as built");

    const struct
    {
        double gyroHeading, mruHeading;
        BYTE gyroActive, mruActive;
        double shown;
    } cases[] = {
        {359.0, 1.0, 1, 1, -2.0},  {1.0, 359.0, 1, 1, 2.0},   {10.0, 4.5, 1, 1, 5.5},   {180.0, 0.0, 1, 1, 180.0},
        {359.0, 1.0, 0, 1, 0.0},   {359.0, 1.0, 1, 0, 0.0},   {359.0, -1.0, 1, 1, 0.0}, {370.0, 5.0, 1, 1, 5.0},
        {359.0, DBL_MAX, 1, 1, 0.0}, {NAN, 1.0, 1, 1, 0.0},
    };
    for (const auto& c : cases)
    {
        gyro.m_TrueHeading = c.gyroHeading;
        mru.m_Heading = c.mruHeading;
        gyro.m_Active = c.gyroActive;
        mru.m_Active = c.mruActive;
        group->Update();
        EXPECT_DOUBLE_EQ(group->GetDifferenceRow()->GetDouble(), c.shown)
            << c.gyroHeading << " " << c.mruHeading << " " << int(c.gyroActive) << int(c.mruActive);
    }
}

TEST_F(DeviceGroupsFixture, CrpComparisonGivesDifferencesRangeAndBearing)
{
    CMFCPropertyGridCtrl& grid = Dock([] { return std::vector<CMFCPropertyGridProperty*>{new CMFCCRPComparisonGroupGridProperty("Comparison GPS1/GPS2")}; });
    auto* group = Only<CMFCCRPComparisonGroupGridProperty>();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(NameShown(grid, group), "Comparison GPS1/GPS2");
    const struct
    {
        tagXY a, b;
        const char* difference;
        const char* rangeBearing;
    } cases[] = {
        {{100.0, 100.0}, {100.0, 200.0}, "       0.000E | dNng      100.000N", " 100.000m | Bearing   0.00°"},
        {{100.0, 100.0}, {130.0, 60.0}, "      30.000E | dNng      -40.000N", "  50.000m | Bearing 143.13°"},
        {{0.0, 0.0}, {-1.0, 0.0}, "      -1.000E | dNng        0.000N", "   1.000m | Bearing 270.00°"},
        {{5.0, 5.0}, {5.0, 5.0}, "       0.000E | dNng        0.000N", "   0.000m | Bearing   0.00°"},
        {{NAN, 5.0}, {5.0, 5.0}, " | dNng ", " | Bearing "},
    };
    for (const auto& c : cases)
    {
        group->Update("DGPS 1", c.a, "DGPS 2", c.b);
        Pump();
        EXPECT_EQ(Shown(grid, group->GetSubItem(0)), c.difference) << c.b.x << " " << c.b.y;
        EXPECT_EQ(Shown(grid, group->GetSubItem(1)), c.rangeBearing) << c.b.x << " " << c.b.y;
    }
    EXPECT_EQ(NameShown(grid, group), "Comparison DGPS 1/DGPS 2");
    EXPECT_EQ(NameShown(grid, group->GetSubItem(0)), "dEng");
    EXPECT_EQ(NameShown(grid, group->GetSubItem(1)), "Range");

    group->Update("A", tagXY{0.0, 0.0}, "B", tagXY{3.0, 4.0});
    group->ClearReadings();
    Pump();
    EXPECT_EQ(Shown(grid, group->GetSubItem(0)), "       0.000E | dNng        0.000N");
    EXPECT_EQ(Shown(grid, group->GetSubItem(1)), "   0.000m | Bearing   0.00°");
}

TEST_F(DeviceGroupsFixture, NullDevicesGiveGroupsWithoutRows)
{
    CGyro& gyro = host.m_Records.m_Gyro;
    CMru& mru = host.m_Records.m_Mru[0];
    CMFCGpsGroupGridProperty gps("GPS", nullptr, 0);
    CMFCGyroGroupGridProperty gyroGroup(nullptr, 1);
    CMFCMruGroupGridProperty mruGroup("Motion Reference Unit", nullptr, 2);
    CMFCHeadingComparisonGroupGridProperty noGyro(nullptr, &mru);
    CMFCHeadingComparisonGroupGridProperty noMru(&gyro, nullptr);
    for (CMFCPropertyGridProperty* group : std::vector<CMFCPropertyGridProperty*>{&gps, &gyroGroup, &mruGroup, &noGyro, &noMru})
        EXPECT_EQ(group->GetSubItemsCount(), 0) << group->GetName();
    // Their updates do nothing, and do not fail.
    gps.Update();
    gps.ShowSogCog(1);
    gyroGroup.Update(true);
    gyroGroup.SetUse(true);
    EXPECT_FALSE(mruGroup.Update());
    noGyro.Update();
    noMru.Update();
    EXPECT_EQ(gps.GetSubItemsCount(), 0);
}

TEST_F(DeviceGroupsFixture, OneOfEachGroupDockedInTheHostByDayAndNight)
{
    CHostRecords& r = host.m_Records;
    FillReceiver(r.m_Gps[0]);
    r.m_Gps[0].m_MinimumSatellites = 10; // nine in view: out of limits, on red
    r.m_Gyro.m_Active = 1;
    r.m_Gyro.m_TrueHeading = 359.0;
    r.m_Mru[0].m_Active = 1;
    r.m_Mru[0].m_Heading = 1.0;
    CMFCPropertyGridCtrl& grid = Dock([&r] {
        auto* gps = new CMFCGpsGroupGridProperty("DGPS 1", &r.m_Gps[0], 0);
        gps->Update();
        auto* heading = new CMFCGpsHeadingGroupPropertyGrid();
        heading->Update("DGPS 1", "DGPS 2", 45.0);
        auto* gyro = new CMFCGyroGroupGridProperty(&r.m_Gyro, 2);
        gyro->Update(true);
        auto* mru = new CMFCMruGroupGridProperty("Motion Reference Unit", &r.m_Mru[0], 3);
        mru->Update();
        auto* crp = new CMFCCRPComparisonGroupGridProperty("Comparison");
        crp->Update("DGPS 1", tagXY{100.0, 100.0}, "DGPS 2", tagXY{100.0, 200.0});
        return std::vector<CMFCPropertyGridProperty*>{gps, heading, gyro, new CMFCHeadingComparisonGroupGridProperty(&r.m_Gyro, &r.m_Mru[0]), mru, crp};
    });
    EXPECT_EQ(GridGroupNames(grid), (std::vector<std::string>{"DGPS 1", "GPS Heading", "Gyro", "Heading Comparison",
                                                              "Motion Reference Unit", "Comparison DGPS 1/DGPS 2"}));
    const QString folder = QString(SUITE_VISUAL_DIR);
    QDir().mkpath(folder);
    FrameProbe::ExpectFrameAsUserSeesIt(&host, {{"Devices", &pane}}, {}, folder + "/device-groups-day.png");
    const FrameProbe::GridRowsSeen rows = FrameProbe::ReadGridRows(FrameProbe::GrabWindow(&host), &pane);
    EXPECT_GE(rows.wholeRows, 12);
    EXPECT_TRUE(rows.cutNames.empty()) << rows.cutNames.front();
    auto* gps = dynamic_cast<CMFCGpsGroupGridProperty*>(grid.GetProperty(0));
    ASSERT_NE(gps, nullptr);
    EXPECT_GT(GridItemValuePixels(grid, gps->GetSubItem(CMFCGpsGroupGridProperty::ROW_QUALITY), ColourOfRef(PANES_WARNING_BACK)), 0);

    host.Night(pane);
    FrameProbe::ExpectFrameAsUserSeesIt(&host, {{"Devices", &pane}}, {}, folder + "/device-groups-night.png");
    EXPECT_GT(GridItemValuePixels(grid, gps->GetSubItem(CMFCGpsGroupGridProperty::ROW_QUALITY), ColourOfRef(PANES_WARNING_BACK)), 0);
}
} // namespace

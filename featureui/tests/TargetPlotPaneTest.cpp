// The target plot pane inside a host frame: its lists with and without the vessel flag, each
// edit kept in the record and the "Target Plot" file, and the chart moved to a new centre in
// the host's grid.
#include "featureui/panes/TargetPlotPane.h"
#include "featureui/tests/PaneTestFiles.h"
#include "features/RedrawChart.h"
#include "features/TargetPlot.h"
#include "foundation/AngleFormat.h"
#include "foundation/ConfigFile.h"
#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"
#include "outside/panes/PropertyGridInteger.h"
#include "outside/panes/units/AngleDouble.h"
#include "outside/panes/units/AngleProperty.h"
#include "platform/core/WinApp.h"
#include "testsupport/EventPump.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/RecordingOwner.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace
{
const Messages kRedrawPair{kRedraw, kRedrawVector};

Strings SubItemNames(CMyMFCPropertyGridCtrl& grid, int group)
{
    Strings names;
    CMFCPropertyGridProperty* g = grid.GetProperty(group);
    for (int i = 0; i < g->GetSubItemsCount(); ++i)
        names.emplace_back(g->GetSubItem(i)->GetName());
    return names;
}

struct TargetPlotPaneFixture : ::testing::Test
{
    CWinApp app{"TargetPlotPaneTest"};
    CRecordingOwner owner;
    CTargetPlot plot;
    bool vesselMode = false;
    CSpheroid spheroid; // WGS 84
    CProjection projection;
    CTargetPlotPane pane;

    void SetUp() override
    {
        projection.SetSpheroid(&spheroid);
        ASSERT_TRUE(projection.SetZone(31, 0, 0));
        ASSERT_TRUE(owner.CreateOwner());
        ASSERT_TRUE(pane.Create(&owner, 33140, &plot, &vesselMode, &projection));
        pane.ShowPane(TRUE, FALSE, FALSE);
        Pump();
        owner.Clear();
    }

    CMyMFCPropertyGridCtrl& Grid() { return pane.GetPropertyGrid(); }
    Messages Change(DWORD_PTR id, const COleVariant& value)
    {
        owner.Clear();
        EXPECT_TRUE(NotifyGridChange(Grid(), id, value));
        return owner.Messages();
    }
    static QByteArray SettingsBytes(const char* name) { return ReadBytes(SettingsFile(name)); }
};
} // namespace

TEST_F(TargetPlotPaneFixture, ListsWithAndWithoutTheVesselFlag)
{
    EXPECT_EQ(pane.GetTitle(), "Target Plot Window");
    EXPECT_EQ(GridGroupNames(Grid()), (Strings{"Location", "Drawing", "Rings", "Zone Lines", "Labels"}));
    EXPECT_EQ(SubItemNames(Grid(), 0), (Strings{"Mode", "Latitude", "Longitude"}));
    EXPECT_EQ(SubItemNames(Grid(), 1), (Strings{"Display", "Heading Mode", "Orientation"}));
    EXPECT_EQ(SubItemNames(Grid(), 2), (Strings{"Units", "Number of Rings", "Ring Size", "Ring Size", "Ring Colour"}));
    EXPECT_STREQ(CTargetPlotPane::m_UnitsTxt[1], "Nautical Miles");
    EXPECT_STREQ(CTargetPlotPane::m_ModeTxt[1], "Vessel");
    EXPECT_STREQ(CTargetPlotPane::m_OrientationTxt[1], "Vessel Up");

    CTargetPlotPane fixed;
    ASSERT_TRUE(fixed.Create(&owner, 33141, &plot, nullptr));
    EXPECT_EQ(SubItemNames(fixed.GetPropertyGrid(), 0), (Strings{"Latitude", "Longitude"}));
    EXPECT_EQ(SubItemNames(fixed.GetPropertyGrid(), 1), (Strings{"Display"}));

    EXPECT_EQ(Change(CTargetPlotPane::ITEM_MODE, COleVariant("Vessel")), kRedrawPair);
    EXPECT_TRUE(vesselMode);
    Change(CTargetPlotPane::ITEM_MODE, COleVariant("Fixed"));
    EXPECT_FALSE(vesselMode);
}

TEST_F(TargetPlotPaneFixture, ANewCentreMovesTheChartToItsGridPosition)
{
    plot.m_Longitude = 0.05;
    EXPECT_EQ(Change(CTargetPlotPane::ITEM_LATITUDE, COleVariant(0.9)).size(), 2u);
    EXPECT_DOUBLE_EQ(plot.m_Latitude, 0.9);
    EXPECT_TRUE(plot.m_bChanged);
    double easting = 0;
    double northing = 0;
    ASSERT_TRUE(projection.GeographicToGrid(0.9, 0.05, &easting, &northing));
    const WPARAM point = reinterpret_cast<WPARAM>(GetChartPoint());
    EXPECT_EQ(owner.Messages(), (Messages{{"UM_REDRAW_CHART", point, 0}, {"UM_REDRAW_VECTOR_DISPLAY", point, 0}}));
    EXPECT_NEAR(GetChartPoint()->x, easting, 1e-3);
    EXPECT_NEAR(GetChartPoint()->y, northing, 1e-3);

    plot.m_bChanged = false;
    Change(CTargetPlotPane::ITEM_LONGITUDE, COleVariant(0.06));
    EXPECT_TRUE(plot.m_bChanged);
    ASSERT_TRUE(projection.GeographicToGrid(0.9, 0.06, &easting, &northing));
    EXPECT_NEAR(GetChartPoint()->x, easting, 1e-3);

    // A latitude typed in the user's notation reads back through the item.
    const CString typed = FormatAngle(0.7, ANGLE_LATITUDE, ANGLE_FORMAT_PREFERENCE);
    EXPECT_TRUE(EditGridItem(Grid(), CTargetPlotPane::ITEM_LATITUDE, typed));
    EXPECT_NEAR(plot.m_Latitude, 0.7, 1e-7);
    EXPECT_FALSE(EditGridItem(Grid(), CTargetPlotPane::ITEM_LATITUDE, "north"));
    EXPECT_NEAR(plot.m_Latitude, 0.7, 1e-7);

    // Without the host's projection there is no grid position to go to: only a redraw.
    CTargetPlotPane unprojected;
    ASSERT_TRUE(unprojected.Create(&owner, 33142, &plot, nullptr));
    owner.Clear();
    ASSERT_TRUE(NotifyGridChange(unprojected.GetPropertyGrid(), CTargetPlotPane::ITEM_LATITUDE, COleVariant(0.8)));
    EXPECT_EQ(owner.Messages(), kRedrawPair);
    EXPECT_DOUBLE_EQ(plot.m_Latitude, 0.8);
}

TEST_F(TargetPlotPaneFixture, TheSettingsFileHoldsTheCentreThenTheOptions)
{
    plot.m_Longitude = -0.0123456789012345;
    plot.m_Orientation = 30;
    EXPECT_EQ(Change(CTargetPlotPane::ITEM_RING_COLOUR, COleVariant(0x00FF00L)), kRedrawPair);
    EXPECT_EQ(plot.RingColour, 0x00FF00u);
    // The options block as the record writes it.
    ASSERT_TRUE(CConfigFile::WriteSettingsFile("Options Reference", [this](CConfigFile& f) { plot.SaveSettings(f); }));
    const QByteArray expected = QByteArray("Latitude = 0.0000000000000000\r\n"
                                           "Longitude = -0.0123456789012345\r\n"
                                           "Orientation = 30\r\n") +
                                SettingsBytes("Options Reference");
    EXPECT_EQ(SettingsBytes("Target Plot"), expected);
}

TEST_F(TargetPlotPaneFixture, ASettingsFileThatCannotBeWrittenIsSkipped)
{
    // A folder where the file should be: nothing can be written there.
    const QString path = LinuxPathFromWindows(SettingsFile("Target Plot"));
    QFile::remove(path);
    ASSERT_TRUE(QDir().mkpath(path));
    EXPECT_EQ(Change(CTargetPlotPane::ITEM_DRAW_RINGS, COleVariant(false)), kRedrawPair);
    EXPECT_FALSE(plot.DrawRings);
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST_F(TargetPlotPaneFixture, EditsKeptAndRefused)
{
    // Zone bearings: 360 is kept as 0; beyond a turn nothing is kept and the item shows the
    // kept bearing again.
    Change(CTargetPlotPane::ITEM_STOP_BEARING, COleVariant(120.0));
    EXPECT_DOUBLE_EQ(plot.StopZoneLine, 120.0);
    Change(CTargetPlotPane::ITEM_STOP_BEARING, COleVariant(360.0));
    EXPECT_DOUBLE_EQ(plot.StopZoneLine, 0.0);
    Change(CTargetPlotPane::ITEM_STOP_BEARING, COleVariant(120.0));
    EXPECT_EQ(Change(CTargetPlotPane::ITEM_STOP_BEARING, COleVariant(361.0)), kRedrawPair);
    EXPECT_DOUBLE_EQ(plot.StopZoneLine, 120.0);
    auto* stop = dynamic_cast<CMFCPropertyGridAngleDouble*>(FindGridItem(Grid(), CTargetPlotPane::ITEM_STOP_BEARING));
    ASSERT_NE(stop, nullptr);
    EXPECT_DOUBLE_EQ(stop->GetAngle(), 120.0);
    Change(CTargetPlotPane::ITEM_START_BEARING, COleVariant(-5.0));
    EXPECT_DOUBLE_EQ(plot.StartZoneLine, 0.0);

    // Rings: all the spin offers is kept.
    auto* rings = static_cast<CMFCPropertyGridInteger*>(FindGridItem(Grid(), CTargetPlotPane::ITEM_RINGS));
    Change(CTargetPlotPane::ITEM_RINGS, COleVariant(25L));
    EXPECT_EQ(plot.NoRings, 25);
    Change(CTargetPlotPane::ITEM_RINGS, COleVariant(26L));
    EXPECT_EQ(plot.NoRings, 25);
    EXPECT_EQ(rings->GetInteger(), 25);

    // Units: the ring size of the other unit is hidden.
    auto* metres = FindGridItem(Grid(), CTargetPlotPane::ITEM_RING_SIZE_METRES);
    auto* miles = FindGridItem(Grid(), CTargetPlotPane::ITEM_RING_SIZE_NM);
    EXPECT_TRUE(metres->IsVisible());
    EXPECT_FALSE(miles->IsVisible());
    Change(CTargetPlotPane::ITEM_UNITS, COleVariant("Nautical Miles"));
    EXPECT_TRUE(plot.NauticalMiles);
    EXPECT_FALSE(metres->IsVisible());
    EXPECT_TRUE(miles->IsVisible());
    Change(CTargetPlotPane::ITEM_RING_SIZE_NM, COleVariant(0.25));
    EXPECT_DOUBLE_EQ(plot.RadiusNM, 0.25);

    // Orientation and heading mode.
    plot.NorthUp = false;
    Change(CTargetPlotPane::ITEM_ORIENTATION, COleVariant(30L));
    EXPECT_EQ(plot.m_Orientation, 30);
    EXPECT_NEAR(plot.m_SinOrientation, 0.5, 1e-12);
    EXPECT_EQ(FindGridItem(Grid(), CTargetPlotPane::ITEM_HEADING_MODE)->GetValue().ToText(), "Vessel Up");
    Change(CTargetPlotPane::ITEM_HEADING_MODE, COleVariant("North Up"));
    EXPECT_TRUE(plot.NorthUp);
    EXPECT_EQ(plot.m_Orientation, 0);
    EXPECT_DOUBLE_EQ(plot.m_CosOrientation, 1.0);
    EXPECT_EQ(static_cast<CMFCPropertyGridAngleInteger*>(FindGridItem(Grid(), CTargetPlotPane::ITEM_ORIENTATION))
                  ->GetDegrees(),
              0);

    // Switches and colours.
    Change(CTargetPlotPane::ITEM_DRAW_ZONE, COleVariant(true));
    Change(CTargetPlotPane::ITEM_LABEL_RINGS, COleVariant(false));
    Change(CTargetPlotPane::ITEM_CARDINAL_COLOUR, COleVariant(0x0000FFL));
    EXPECT_TRUE(plot.DrawZoneLines);
    EXPECT_FALSE(plot.LabelRings);
    EXPECT_EQ(plot.CardinalColour, 0x0000FFu);

    // Day and night: the grey scheme.
    pane.SetNightMode(true);
    EXPECT_TRUE(pane.GetNightMode());
    COLORREF c[7];
    Grid().GetCustomColors(c[0], c[1], c[2], c[3], c[4], c[5], c[6]);
    EXPECT_EQ(c[0], 0x000000u);
    EXPECT_EQ(c[1], 0xC0C0C0u);
    pane.SetDaylightMode();
    Grid().GetCustomColors(c[0], c[1], c[2], c[3], c[4], c[5], c[6]);
    EXPECT_EQ(c[0], 0xD6D6D6u);
}

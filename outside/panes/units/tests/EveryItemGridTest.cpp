// A pane's grid holding one of every item, docked in a host frame as the programs dock their
// panes: it shows only that frame, its rows are drawn, and in the grey and the red schemes,
// by day and by night, the warning, button and highlight colours are where they belong, with
// their bytes the right way round. The pictures are saved for a person to look at.
#include "outside/panes/GroupProperty.h"
#include "outside/panes/MyMFCPropertyGridCtrl.h"
#include "outside/panes/PropertyGridButton.h"
#include "outside/panes/PropertyGridColours.h"
#include "outside/panes/PropertyGridDualButton.h"
#include "outside/panes/PropertyGridDualDisplay.h"
#include "outside/panes/PropertyGridInteger.h"
#include "outside/panes/PropertyGridItems.h"
#include "outside/panes/PropertyGridScrollbar.h"
#include "outside/panes/PropertyGridSelectFile.h"
#include "outside/panes/units/AngleDouble.h"
#include "outside/panes/units/AngleProperty.h"
#include "outside/panes/units/LatLonDisplay.h"
#include "outside/panes/units/MetricProperty.h"
#include "outside/panes/units/PressureModeProperty.h"
#include "outside/panes/units/TemperatureProperty.h"
#include "outside/panes/units/TensionProperty.h"
#include "outside/panes/units/ToleranceProperty.h"

#include "foundation/AngleFormat.h"
#include "foundation/MyDockablePane.h"
#include "platform/core/WinApp.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/RecordingOwner.h"

#include <QDir>
#include <gtest/gtest.h>

namespace
{
constexpr double kDeg = 0.017453292519943;

// A pane that is nothing but a grid, as most of the device panes are.
class CEveryItemPane : public CMyDockablePane
{
public:
    CMyMFCPropertyGridCtrl m_grid;
    CMFCGroupPropertyGridProperty* m_pDevice = nullptr;
    CMFCPropertyGridTolerance* m_pRange = nullptr;
    CMFCPropertyGridButton* m_pButton = nullptr;
    CMFCPropertyGridDualButton* m_pPlay = nullptr;

    BOOL Build()
    {
        CRect client;
        GetClientRect(&client);
        if (!m_grid.Create(WS_CHILD | WS_VISIBLE, client, this, 2))
            return FALSE;
        m_grid.EnableDescriptionArea();
        m_grid.SetVSDotNetLook();

        m_pDevice = new CMFCGroupPropertyGridProperty("Transponder : Alpha", 0);
        m_pButton = new CMFCPropertyGridButton("Transponder : Alpha", "Monitor", "Activate Transponder ", 1);
        m_pDevice->AddSubItem(m_pButton);
        m_pDevice->AddSubItem(new CMFCPropertyGridDualDisplay("Easting", 512345.678, "%12.3lf", "E", "Northing",
                                                              6123456.789, "%12.3lf", "N"));
        m_pDevice->AddSubItem(new CMFCPropertyGridDualDisplay("RMS", 0.42, "%7.2lf", "m"));
        m_pDevice->AddSubItem(new CMFCPropertyGridLatLonDisplay(57.25 * kDeg, -2.125 * kDeg));
        auto* interval = new CMFCPropertyGridInteger("Timeout Interval", 5, "Seconds of silence", 4);
        interval->SetUnitStr(" s");
        m_pDevice->AddSubItem(interval);
        m_grid.AddProperty(m_pDevice);

        auto* quality = new CMFCGroupPropertyGridProperty("Tolerance", 1);
        m_pRange = new CMFCPropertyGridTolerance("Range", 0.0, "%8.3lfm");
        m_pRange->SetValue(10.1, 10.0);
        quality->AddSubItem(m_pRange);
        auto* gyro = new CMFCPropertyGridTolerance("Gyro", 0.0, "%6.2lf\xB0G");
        gyro->SetAngle(359.0, 1.0, 3.0);
        quality->AddSubItem(gyro);
        quality->AddSubItem(new CMFCPropertyGridScrollbar("1", 80, 100, false));
        m_grid.AddProperty(quality);

        auto* entry = new CMFCPropertyGridProperty("Location");
        entry->AddSubItem(new CMFCPropertyGridAngleProperty("Latitude", 51.5 * kDeg, ANGLE_LATITUDE, "Enter Latitude", 5));
        entry->AddSubItem(new CMFCPropertyGridAngleDouble("Direction", 45.0, 2, "Enter Direction", 6));
        entry->AddSubItem(new CMFCPropertyGridMetricProperty("Depth", 61.25, METRIC_COORDINATE, 0, "Water depth", 7));
        entry->AddSubItem(new CMFCPropertyGridDouble("Salinity", 35.0, "%8.2lf ppt", "Enter Salinity", 8));
        entry->AddSubItem(new CMFCPropertyGridBool("Use", true, "In use", 9));
        entry->AddSubItem(new CMFCPropertyGridTitleProperty("Measured", "Observed"));
        entry->AddSubItem(new CMFCPropertyGridPressureModeProperty(10));
        entry->AddSubItem(new CMFCPropertyGridTemperatureModeProperty(0, 11));
        entry->AddSubItem(new CMFCPropertyGridTemperatureProperty("Temperature", 12.5, 0, "Water", 12));
        entry->AddSubItem(new CMFCPropertyGridSelectFileProperty("Name", "", "C:\\Fixes\\",
                                                                 "Transit Fix Files(*.tfx)|*.tfx||", "Select", 13));
        m_pPlay = new CMFCPropertyGridDualButton("Play", "Start", "Stop", "Start / Stop", 14);
        m_pPlay->SetColourOne(0xCCFFCC);
        m_pPlay->SetColourTwo(0xCC99FF);
        entry->AddSubItem(m_pPlay);
        m_grid.AddProperty(entry);
        m_grid.AddProperty(new CMFCPropertyGridTitleProperty("No Files Selected"));
        return TRUE;
    }
};
} // namespace

TEST(EveryItemGrid, DockedInAFrameItShowsEveryRowInBothSchemesByDayAndNight)
{
    CWinApp app{"EveryItemGridTest"};
    ASSERT_TRUE(SaveGeographicalsSettings(ANGLE_FORMAT_DM, 2, 'N', 'E'));
    ASSERT_TRUE(SaveAngleSettings(ANGLE_FORMAT_DEGREES, 1));
    CRecordingOwner owner;
    ASSERT_TRUE(owner.CreateOwner(520, 900));
    CEveryItemPane pane;
    ASSERT_TRUE(pane.Create(&owner, 33200, "Items"));
    pane.ShowPane(TRUE, FALSE, FALSE);
    Pump();
    ASSERT_TRUE(pane.Build());
    CRect client;
    pane.GetClientRect(&client);
    pane.m_grid.MoveWindow(client);
    pane.m_grid.SetColourScheme(1);
    ASSERT_TRUE(pane.m_pDevice->Trigger());
    Pump();
    QDir().mkpath(SUITE_VISUAL_DIR);
    FrameProbe::ExpectFrameAsUserSeesIt(&owner, {{"Items", &pane}}, {},
                                        QString(SUITE_VISUAL_DIR) + "/every_item_scheme1_day.png");
    const FrameProbe::GridRowsSeen rows = FrameProbe::ReadGridRows(FrameProbe::GrabWindow(&owner), &pane);
    EXPECT_GE(rows.wholeRows, 20);
    EXPECT_TRUE(rows.cutNames.empty()) << rows.cutNames.front();

    CMyMFCPropertyGridCtrl& grid = pane.m_grid;
    for (int scheme : {1, 5})
        for (bool night : {false, true})
        {
            SCOPED_TRACE(testing::Message() << "scheme " << scheme << (night ? " night" : " day"));
            grid.SetNightMode(night);
            ASSERT_TRUE(grid.SetColourScheme(scheme));
            Pump();
            const QImage picture = FrameProbe::GrabWindow(&owner);
            ASSERT_TRUE(picture.save(QString(SUITE_VISUAL_DIR) + QString("/every_item_scheme%1_%2.png")
                                                                     .arg(scheme)
                                                                     .arg(night ? "night" : "day")));
            EXPECT_GT(FrameProbe::ContentPixels(picture, FrameProbe::PaneRect(&pane)), 1000);
            EXPECT_GT(GridItemValuePixels(grid, pane.m_pRange, ColourOfRef(PANES_WARNING_BACK)), 100);
            EXPECT_GT(GridItemValuePixels(grid, pane.m_pButton, ColourOfRef(0xEBEBEB)), 200);
            EXPECT_GT(GridItemValuePixels(grid, pane.m_pPlay, ColourOfRef(0xCCFFCC)), 100);
            // The highlight's COLORREF 0x99FFFF is red FF, green FF, blue 99; read backwards it
            // would be a pale blue that no item draws.
            EXPECT_GT(GridItemNamePixels(grid, pane.m_pDevice, QColor(0xFF, 0xFF, 0x99)), 100);
            EXPECT_EQ(GridItemNamePixels(grid, pane.m_pDevice, QColor(0x99, 0xFF, 0xFF)), 0);
        }
}

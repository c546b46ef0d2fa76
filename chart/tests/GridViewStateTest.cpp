// The chart view's state: zoom and pan limits, orientation modes, colours, the edit-mode check,
// clump weights, the vanes it feeds and saves, its bitmaps and its library's resources.
#include "chart/ChartexaLibrary.h"
#include "chart/view/GridView.h"
#include "features/Barge.h"
#include "features/BoundaryList.h"
#include "features/DesignRouteList.h"
#include "features/GridWaypointList.h"
#include "features/RouteList.h"
#include "features/SailLineList.h"
#include "features/StructureList.h"
#include "foundation/ConfigFile.h"
#include "platform/core/Path.h"
#include "platform/ui/Resources.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

#include <cmath>

namespace
{
QByteArray StateSettingsBytes(const char* name)
{
    QFile file(LinuxPathFromWindows(CConfigFile().GetSettingsFileName(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteSettings(const char* name, const QByteArray& bytes)
{
    QFile file(LinuxPathFromWindows(CConfigFile().GetSettingsFileName(name)));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A picture of one colour standing for a host's symbol bitmap.
QImage Swatch()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(QColor(10, 20, 30));
    return image;
}

const BITMAP_ENTRY kHostSymbols[] = {
    {12004, nullptr, &Swatch}, {12007, nullptr, &Swatch}, {12010, nullptr, &Swatch}, {12013, nullptr, &Swatch},
    {12000, nullptr, &Swatch}, {12016, nullptr, &Swatch}, {12018, nullptr, &Swatch}, {12020, nullptr, &Swatch},
    {12023, nullptr, &Swatch}, {12001, nullptr, &Swatch}};
} // namespace

TEST(GridViewState, ZoomKeepsTheIndexWithinOneToTwentyNine)
{
    const struct
    {
        int start;
        bool in;
        int expected;
    } cases[] = {{1, true, 1}, {2, true, 1}, {30, true, 29}, {29, false, 29}, {28, false, 29},
                 {0, false, 1},  {15, true, 14}, {15, false, 16}};
    CGridView view;
    for (const auto& c : cases)
    {
        view.GetPlot()->scaleIndex = c.start;
        c.in ? view.ZoomIn() : view.ZoomOut();
        EXPECT_EQ(view.GetPlot()->scaleIndex, c.expected) << c.start << (c.in ? " in" : " out");
    }

    // 30 is reached only from the settings file; from there zoom in gives 29, zoom out nothing.
    ASSERT_TRUE(WriteSettings("Scaled", "Tick Mode = 2\r\nScale Index = 30\r\n"));
    view.ReadSettings("Scaled");
    EXPECT_EQ(view.GetPlot()->scaleIndex, 30);
    view.ZoomOut();
    EXPECT_EQ(view.GetPlot()->scaleIndex, 30);
    view.ZoomIn();
    EXPECT_EQ(view.GetPlot()->scaleIndex, 29);
}

TEST(GridViewState, NoSettingsFileGivesThePlotsDefaults)
{
    CGridView view;
    view.GetPlot()->scaleIndex = 3;
    view.GetPlot()->northUp = false;
    view.ReadSettings("Never Written");
    EXPECT_EQ(view.GetPlot()->scaleIndex, 15);
    EXPECT_TRUE(view.GetNorthUp());
    EXPECT_EQ(view.GetTickMode(), TICK_CROSSES);
    EXPECT_EQ(view.GetTrackObject(), TRACK_VESSEL);
}

TEST(GridViewState, PanMovesOneGridSpacingTurnedByTheDisplayAngle)
{
    const double unit[9][2] = {{0, 0}, {-1, 0}, {0, 1}, {1, 0}, {0, -1}, {-1, 1}, {1, 1}, {-1, -1}, {1, -1}};
    const double a = 30.0 * 0.017453292519943;
    const double sa = std::sin(a), ca = std::cos(a);
    CGridView view;
    CGridPlot& plot = *view.GetPlot();
    for (int index : {0, 1, 2, 3, 16})
    {
        const double s = CGridPlot::spacingTable[index];
        for (bool northUp : {true, false})
        {
            plot.scaleIndex = index;
            plot.northUp = northUp;
            plot.SetOrientation(30);
            for (int direction = 0; direction <= 9; ++direction)
            {
                plot.originE = 1000.0;
                plot.originN = 2000.0;
                view.PanScreen(static_cast<PANNING_DIRECTIONS>(direction));
                double dE = 0.0, dN = 0.0;
                if (direction >= 1 && direction <= 8)
                {
                    dE = unit[direction][0] * s;
                    dN = unit[direction][1] * s;
                    if (!northUp)
                    {
                        const double e = ca * dE + sa * dN;
                        dN = ca * dN - sa * dE;
                        dE = e;
                    }
                }
                SCOPED_TRACE(testing::Message() << "index " << index << " north-up " << northUp << " direction "
                                                << direction);
                EXPECT_NEAR(plot.originE, 1000.0 + dE, 1e-9);
                EXPECT_NEAR(plot.originN, 2000.0 + dN, 1e-9);
            }
        }
    }
    // At the first four scales the step is one metre.
    plot.northUp = true;
    plot.originE = 0.0;
    for (int index = 0; index <= 3; ++index)
    {
        plot.scaleIndex = index;
        view.PanScreen(PAN_RIGHT);
    }
    EXPECT_EQ(plot.originE, 4.0);
}

TEST(GridViewState, NorthUpBowUpAndSternUp)
{
    CGridView view;
    view.SetBowUp(false);
    EXPECT_FALSE(view.GetNorthUp());
    EXPECT_FALSE(view.GetBowUp());
    EXPECT_EQ(view.GetPlot()->angleOffset, 180);
    view.SetNorthUp(true);
    EXPECT_TRUE(view.GetBowUp());
    EXPECT_EQ(view.GetPlot()->angleOffset, 0);
    view.SetBowUp(true);
    EXPECT_FALSE(view.GetNorthUp());
    EXPECT_TRUE(view.GetBowUp());
    // North-up off keeps the offset it had.
    view.SetBowUp(false);
    view.SetNorthUp(false);
    EXPECT_FALSE(view.GetBowUp());

    view.SetCentre(tagXY{452000.0, 6231000.0});
    EXPECT_EQ(view.GetPlot()->originE, 452000.0);
    EXPECT_EQ(view.GetPlot()->originN, 6231000.0);
    view.CentreScreen();
    EXPECT_EQ(view.GetPlot()->originE, 0.0);
    EXPECT_EQ(view.GetPlot()->originN, 0.0);
}

TEST(GridViewState, ColoursByDayNightAndBackground)
{
    CGridView view;
    view.SetNightMode(true);
    EXPECT_TRUE(view.GetNightMode());
    EXPECT_EQ(view.GetPlot()->gridColour, 0x004000u);
    EXPECT_EQ(view.GetPlot()->backgroundColour, 0u);
    view.SetDaylightMode();
    EXPECT_FALSE(view.GetNightMode());
    EXPECT_EQ(view.GetPlot()->gridColour, 0x00FF00u);

    // The colour is kept as the saved one too, which each paint goes back to.
    view.SetBackgroundColour(0x203040);
    EXPECT_EQ(view.GetPlot()->backgroundColour, 0x203040u);
    EXPECT_EQ(view.GetPlot()->savedBackgroundColour, 0x203040u);
}

TEST(GridViewState, EditModeIsValidOnlyWithSomethingToEdit)
{
    CGridView view;
    EXPECT_TRUE(view.ValidateEditMode(EDIT_NONE));
    EXPECT_TRUE(view.ValidateEditMode(EDIT_EBL)); // no bearing-line list needed
    EXPECT_FALSE(view.ValidateEditMode(static_cast<LIVE_EDIT_MODE>(8)));
    for (int mode = 1; mode <= 6; ++mode)
        EXPECT_FALSE(view.ValidateEditMode(static_cast<LIVE_EDIT_MODE>(mode))) << "no list, mode " << mode;

    CGridWaypointList waypoints;
    CRouteList routes;
    CDesignRouteList designRoutes;
    CSailLineList sailLines;
    CBoundaryList boundaries;
    CStructureList structures;
    view.SetWaypointList(&waypoints);
    view.SetRouteList(&routes);
    view.SetDesignRouteList(&designRoutes);
    view.SetSailLineList(&sailLines);
    view.SetBoundaryList(&boundaries);
    view.SetStructureList(&structures);
    for (int mode = 1; mode <= 6; ++mode)
        EXPECT_FALSE(view.ValidateEditMode(static_cast<LIVE_EDIT_MODE>(mode))) << "empty list, mode " << mode;

    // One file in each list, one at a time: only the mode of that list becomes valid.
    auto only = [&](int valid) {
        for (int mode = 1; mode <= 6; ++mode)
            EXPECT_EQ(view.ValidateEditMode(static_cast<LIVE_EDIT_MODE>(mode)), mode == valid)
                << "file in list " << valid << ", mode " << mode;
    };
    auto withOneFile = [&](auto& list, auto* file, int valid) {
        list.Add(file);
        only(valid);
        list.RemoveAll();
    };
    CGridWaypoint waypointFile;
    CRoute route;
    CDesignRoute designRoute;
    CSailLine sailLine;
    CBoundary boundary;
    CStructure structure;
    withOneFile(waypoints, &waypointFile, EDIT_WAYPOINTS);
    withOneFile(routes, &route, EDIT_ROUTES);
    withOneFile(designRoutes, &designRoute, EDIT_DESIGN_ROUTES);
    withOneFile(sailLines, &sailLine, EDIT_SAIL_LINES);
    withOneFile(boundaries, &boundary, EDIT_BOUNDARIES);
    withOneFile(structures, &structure, EDIT_STRUCTURES);

    // The mode is one value for every view.
    CGridView other;
    CGridView::SetEditMode(EDIT_BOUNDARIES);
    EXPECT_EQ(other.GetEditMode(), EDIT_BOUNDARIES);
    CGridView::SetEditMode(EDIT_NONE);
}

TEST(GridViewState, ClumpWeightsDropAndPickUp)
{
    CGridView view;
    view.SetClumpWeight(0, true); // no vessel: nothing

    CBarge vessel;
    TrackingPointDef weight;
    weight.Name = "CW 1";
    vessel.m_ClumpWeights.AddPoint(weight);
    vessel.m_ClumpWeights.AddPoint(weight);
    vessel.m_ClumpWeights[0]->Position = tagXY{100.0, 200.0};
    vessel.m_ClumpWeights[1]->Position = tagXY{300.0, 400.0};
    // Two records for three weights' worth of indices: the record array bounds a drop too.
    vessel.m_DroppedClumpWeights.Add(DroppedClumpWeightDef{0.0, 0.0, 0});
    vessel.m_DroppedClumpWeights.Add(DroppedClumpWeightDef{0.0, 0.0, 0});
    view.SetVessel(&vessel, nullptr);

    view.SetClumpWeight(1, false); // never dropped: its zero position and flag 0 stay
    EXPECT_EQ(vessel.m_DroppedClumpWeights[1].Easting, 0.0);
    EXPECT_EQ(vessel.m_DroppedClumpWeights[1].Flag, 0);

    view.SetClumpWeight(0, true);
    EXPECT_EQ(vessel.m_DroppedClumpWeights[0].Easting, 100.0);
    EXPECT_EQ(vessel.m_DroppedClumpWeights[0].Northing, 200.0);
    EXPECT_EQ(vessel.m_DroppedClumpWeights[0].Flag, 1);

    // Picking it up keeps where it lay.
    vessel.m_ClumpWeights[0]->Position = tagXY{150.0, 250.0};
    view.SetClumpWeight(0, false);
    EXPECT_EQ(vessel.m_DroppedClumpWeights[0].Easting, 100.0);
    EXPECT_EQ(vessel.m_DroppedClumpWeights[0].Flag, 0);

    for (int index : {-1, 2, 5})
    {
        view.SetClumpWeight(index, true);
        view.SetClumpWeight(index, false);
    }
    // A record with no clump weight of its index is not dropped.
    vessel.m_ClumpWeights.DeleteAll();
    view.SetClumpWeight(1, true);
    EXPECT_EQ(vessel.m_DroppedClumpWeights[1].Flag, 0);
    EXPECT_EQ(vessel.m_DroppedClumpWeights.GetSize(), 2);
}

TEST(GridViewState, VanesAreFedAndSavedThroughTheView)
{
    CGridView view;
    ASSERT_EQ(view.m_Vanes.GetSize(), 2);
    EXPECT_STREQ(view.m_Vanes[0].name, "Current");
    EXPECT_EQ(view.m_Vanes[0].colour, 0xFFFF00u);
    EXPECT_STREQ(view.m_Vanes[1].name, "Wind");
    EXPECT_EQ(view.m_Vanes[1].colour, 0xFF00FFu);

    view.UpdateVane(1, 270.0, 12.5);
    EXPECT_TRUE(view.GetVaneStatus(1));
    EXPECT_EQ(view.m_Vanes[1].direction, 270.0);
    EXPECT_EQ(view.m_Vanes[1].speed, 12.5);
    EXPECT_EQ(view.m_Vanes[1].valid, 1);

    view.SetVaneStatus(0, true);
    EXPECT_EQ(StateSettingsBytes("Vane"), QByteArray("Current = 1\r\nWind = 1\r\n"));
    view.ToggleStatus(1);
    EXPECT_FALSE(view.GetVaneStatus(1));
    EXPECT_EQ(view.m_Vanes[1].valid, 0);
    EXPECT_EQ(StateSettingsBytes("Vane"), QByteArray("Current = 1\r\nWind = 0\r\n"));

    // An index outside the list, negative or beyond, changes nothing and raises nothing.
    for (int index : {-1, -7, 2, 9})
    {
        view.UpdateVane(index, 1.0, 1.0);
        view.SetVaneStatus(index, false);
        view.ToggleStatus(index);
        EXPECT_FALSE(view.GetVaneStatus(index));
    }
    EXPECT_EQ(StateSettingsBytes("Vane"), QByteArray("Current = 1\r\nWind = 0\r\n"));
    EXPECT_TRUE(view.GetVaneStatus(0));

    // A new view reads which vanes show.
    CGridView again;
    EXPECT_TRUE(again.GetVaneStatus(0));
    EXPECT_FALSE(again.GetVaneStatus(1));
}

TEST(GridViewState, AnchorStripFromTheLibrarySymbolsFromTheHost)
{
    {
        // No host supplies the symbols: only the anchor strip loads.
        CGridView view;
        EXPECT_NE(view.GetBitmap(0).GetSafeHandle(), nullptr);
        for (int i = 1; i < CGridView::kBitmaps; ++i)
            EXPECT_EQ(view.GetBitmap(i).GetSafeHandle(), nullptr) << i;
    }

    AfxRegisterBitmaps("SymbolHost", kHostSymbols, 10);
    {
        CGridView view;
        for (int i = 0; i < CGridView::kBitmaps; ++i)
            EXPECT_NE(view.GetBitmap(i).GetSafeHandle(), nullptr) << i;
        EXPECT_EQ(view.GetBitmap(5).ToImage().pixelColor(1, 1), QColor(10, 20, 30));

        // The strip: five 16-pixel cells, pictures over masks; a cell's corner is clear (black
        // picture, white mask) and its anchor's shank shows (coloured picture, black mask).
        const QImage strip = view.GetBitmap(0).ToImage();
        ASSERT_EQ(strip.width(), 80);
        ASSERT_EQ(strip.height(), 32);
        for (int cell = 0; cell < 5; ++cell)
        {
            const int x = cell * 16;
            EXPECT_EQ(strip.pixelColor(x, 0), QColor(Qt::black)) << cell;
            EXPECT_EQ(strip.pixelColor(x, 16), QColor(Qt::white)) << cell;
            EXPECT_NE(strip.pixelColor(x + 8, 8), QColor(Qt::black)) << cell;
            EXPECT_EQ(strip.pixelColor(x + 8, 24), QColor(Qt::black)) << cell;
        }
        EXPECT_EQ(strip.pixelColor(8, 10), QColor(255, 255, 0)); // status 1
        EXPECT_EQ(strip.pixelColor(40, 10), QColor(255, 0, 0));  // status 3
    }
    AfxUnregisterBitmaps("SymbolHost");
}

TEST(GridViewState, CreatedDynamicallyWithNothingHandedIn)
{
    CObject* object = RUNTIME_CLASS(CGridView)->CreateObject();
    ASSERT_NE(object, nullptr);
    CGridView* view = DYNAMIC_DOWNCAST(CGridView, object);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->m_pMutex, nullptr);
    EXPECT_EQ(view->m_pVessel, nullptr);
    EXPECT_EQ(view->m_pStatusBar, nullptr);
    EXPECT_EQ(view->m_pDataView, nullptr);
    EXPECT_TRUE(view->m_bShowTools);
    EXPECT_FALSE(view->m_bCapture || view->m_bDeclutter || view->m_bPainting || view->m_bRemote ||
                 view->m_bTraining);
    EXPECT_EQ(view->m_PickFileIndex, -1);
    EXPECT_EQ(view->m_PickPointIndex, -1);

    // Setters store, and only store.
    CBarge vessel;
    CGpsArray receivers;
    CMutex mutex;
    int data = 0;
    view->SetVessel(&vessel, &receivers);
    view->SetMutex(&mutex);
    view->SetTrainingData(nullptr, true);
    view->SetCustomDraw(&data, [](CGridPlot*, CGridView*, void*) {});
    EXPECT_EQ(view->m_pVessel, &vessel);
    EXPECT_EQ(view->m_pVesselGps, &receivers);
    EXPECT_EQ(view->m_pMutex, &mutex);
    EXPECT_TRUE(view->m_bTraining);
    EXPECT_EQ(view->m_pCustomDrawData, &data);
    EXPECT_NE(view->m_pCustomDraw, nullptr);
    delete object;
}

TEST(ChartexaLibrary, EntryJoinsAndLeavesTheChain)
{
    QImage strip;
    EXPECT_TRUE(ChartexaLibraryEntry(DLL_PROCESS_ATTACH));
    EXPECT_TRUE(AfxLoadBitmapImage(IDB_ANCHOR_STRIP, strip, CHARTEXA_MODULE));
    CString text;
    EXPECT_TRUE(AfxLoadString(12301, text, CHARTEXA_MODULE));
    EXPECT_STREQ(text, " Eng: ");
    EXPECT_TRUE(ChartexaLibraryEntry(DLL_THREAD_ATTACH));

    EXPECT_TRUE(ChartexaLibraryEntry(DLL_PROCESS_DETACH));
    EXPECT_FALSE(AfxIsStringTableRegistered(CHARTEXA_MODULE));
    EXPECT_FALSE(AfxLoadBitmapImage(IDB_ANCHOR_STRIP, strip));
    // A view made afterwards brings the resources back.
    CGridView view;
    EXPECT_NE(view.GetBitmap(0).GetSafeHandle(), nullptr);
    EXPECT_TRUE(AfxIsStringTableRegistered(CHARTEXA_MODULE));
}

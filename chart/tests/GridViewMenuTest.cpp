// The chart's right-button menus through a user's right clicks on a view in its frame, the
// menus and the point editor answered through the modal hook: points edited, deleted and
// inserted and their files read back, the bearing line's menu and its owner-drawn items, the
// tracking menu of a large waypoint file, and the empty chart's menu.
#include "ChartWindowFixture.h"

#include "chart/objects/EblList.h"
#include "featureui/dialogs/EditPointDlg.h"
#include "features/Barge.h"
#include "features/BoundaryList.h"
#include "features/GridWaypointList.h"
#include "features/RouteList.h"
#include "features/Template.h"
#include "foundation/ConfigFile.h"
#include "foundation/Folders.h"
#include "platform/core/Path.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/UserInput.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

class GridViewMenu : public ChartWindow::ChartEditFixture
{
protected:
    void RightClick(POINT p) { UserInput::RightClickClient(view, p.x, p.y); }
    // A bearing line across the origin, 400 m long, in the list.
    static CEBL* AddLine(CEBLList& lines)
    {
        auto* line = new CEBL;
        line->Reset(nullptr, &lines.gridMode, &lines.greatCircle);
        line->startX = ChartWindow::kOriginE - 200.0;
        line->startY = ChartWindow::kOriginN;
        line->endX = ChartWindow::kOriginE + 200.0;
        line->endY = ChartWindow::kOriginN;
        line->Update();
        lines.Add(line);
        return line;
    }
    // The point editor answered: texts typed into fields, then a button.
    static void AnswerEditor(std::vector<std::pair<int, const char*>> texts, UINT button)
    {
        ModalHook::AnswerDialog(IDD_EDIT_POINT, [texts, button](CDialog* d) {
            for (const auto& t : texts)
                d->SetDlgItemText(t.first, t.second);
            d->SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
            return static_cast<INT_PTR>(IDCANCEL);
        });
    }
    static QByteArray FileBytes(const CString& path)
    {
        QFile f(LinuxPathFromWindows(path));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static CString LastMenu()
    {
        for (auto it = ModalHook::Shown().rbegin(); it != ModalHook::Shown().rend(); ++it)
            if (it->kind == MODAL_RECORD::Menu)
                return it->text;
        return CString();
    }
};

const POSTED_MESSAGE kRedraw{"UM_REDRAW_VECTOR_DISPLAY", 0, 0};
POSTED_MESSAGE Updated(int type)
{
    return {"UM_FEATURE_UPDATE", static_cast<WPARAM>(type), 0};
}
} // namespace

TEST_F(GridViewMenu, WaypointsAreEditedOrDeletedAndTheirFileWritten)
{
    auto* file = new CGridWaypoint;
    file->m_FilePath = PathOf("Targets.txt");
    file->m_DataOrder = 9; // name, height and radius
    file->Add(GridWaypointDef{ChartWindow::kOriginE, ChartWindow::kOriginN, 1.0, "Buoy", 5.0});
    file->Add(GridWaypointDef{ChartWindow::kOriginE + 200.0, ChartWindow::kOriginN, 0.0, "Wreck", 0.0});
    CGridWaypointList list;
    list.Add(file);
    view->SetWaypointList(&list);

    AnswerEditor({{IDC_EDIT_POINT_LABEL, "Buoy 2"},
                  {IDC_EDIT_POINT_EASTING, "1010.5"},
                  {IDC_EDIT_POINT_HEIGHT, "-3.5"},
                  {IDC_EDIT_POINT_RADIUS, ""}},
                 IDOK);
    RightClick(At(0, 0));
    EXPECT_EQ(Posted(), ChartWindow::Messages{Updated(FEATURE_WAYPOINT)});
    {
        CGridWaypoint read;
        ASSERT_TRUE(read.Load(file->m_FilePath));
        ASSERT_EQ(read.GetSize(), 2);
        EXPECT_EQ(std::string(read[0].Name), "Buoy 2");
        EXPECT_EQ(read[0].Easting, 1010.5);
        EXPECT_EQ(read[0].Northing, ChartWindow::kOriginN);
        EXPECT_EQ(read[0].Height, -3.5);
        EXPECT_EQ(read[0].Radius, 0.0);
    }

    AnswerEditor({}, IDC_EDIT_POINT_DELETE);
    RightClick(At(200, 0));
    EXPECT_EQ(Posted(), ChartWindow::Messages{Updated(FEATURE_WAYPOINT)});
    CGridWaypoint read;
    ASSERT_TRUE(read.Load(file->m_FilePath));
    ASSERT_EQ(read.GetSize(), 1);
    EXPECT_EQ(std::string(read[0].Name), "Buoy 2");

    // Cancel keeps the point, and the file is written as it stands.
    AnswerEditor({{IDC_EDIT_POINT_EASTING, "1.0"}}, IDCANCEL);
    RightClick(At(10.5, 0));
    EXPECT_EQ(file->GetAt(0).Easting, 1010.5);
    EXPECT_EQ(ModalHook::PendingAnswers(), 0u);
}

TEST_F(GridViewMenu, InsertsOnARouteLegAndABoundaryEdgeAreSaved)
{
    auto* route = new CRoute;
    route->LoadStatus(PathOf("Lay.rte"));
    RouteDef a, b;
    a.Position = tagXY{ChartWindow::kOriginE - 200.0, ChartWindow::kOriginN};
    a.Name = "A";
    b.Position = tagXY{ChartWindow::kOriginE + 200.0, ChartWindow::kOriginN};
    b.Name = "B";
    route->AppendPoint(a);
    route->AppendPoint(b);
    CRouteList routes;
    routes.Add(route);
    view->SetRouteList(&routes);

    ModalHook::AnswerMenu(0); // dismissed: nothing changes
    RightClick(At(0, 0));
    EXPECT_EQ(route->GetSize(), 2);
    EXPECT_TRUE(Posted().empty());

    ModalHook::AnswerMenu(1);
    RightClick(At(0, 0));
    EXPECT_EQ(Posted(), ChartWindow::Messages{Updated(FEATURE_ROUTE)});
    {
        CRoute read;
        ASSERT_TRUE(read.Load(route->m_FilePath));
        ASSERT_EQ(read.GetSize(), 3);
        EXPECT_NEAR(read[1].Position.x, ChartWindow::kOriginE, 1.0);
        EXPECT_NEAR(read[0].Leg.Length, 200.0, 1.0);
    }

    auto* boundary = new CBoundary;
    boundary->LoadStatus(PathOf("Site.bnd"));
    boundary->Add(tagXY{ChartWindow::kOriginE - 100.0, ChartWindow::kOriginN + 150.0});
    boundary->Add(tagXY{ChartWindow::kOriginE + 100.0, ChartWindow::kOriginN + 150.0});
    CBoundaryList boundaries;
    boundaries.Add(boundary);
    view->SetBoundaryList(&boundaries);
    ModalHook::AnswerMenu(1);
    RightClick(At(0, 150));
    EXPECT_EQ(Posted(), ChartWindow::Messages{Updated(FEATURE_BOUNDARY)});
    CBoundary read;
    ASSERT_TRUE(read.Load(boundary->m_FilePath));
    ASSERT_EQ(read.GetSize(), 3);
    EXPECT_NEAR(read[1].x, ChartWindow::kOriginE, 1.0);
    EXPECT_NEAR(read[1].y, ChartWindow::kOriginN + 150.0, 1.0);
}

TEST_F(GridViewMenu, BearingLineMenuSetsColourAndStyleAndAlwaysSavesTheList)
{
    CEBLList lines;
    CEBL* line = AddLine(lines);
    view->SetEBL(&lines);
    const CString saved = CConfigFile().GetSettingsFileName("EBL_GRID");

    ModalHook::AnswerMenu(0);
    RightClick(At(0, 0));
    EXPECT_TRUE(QFile::exists(LinuxPathFromWindows(saved))); // saved even when dismissed
    EXPECT_TRUE(Posted().empty());
    EXPECT_EQ(LastMenu().Find("Delete"), -1); // not outside mode 7
    EXPECT_NE(LastMenu().Find("Reverse Bearing"), -1);

    ModalHook::AnswerMenu(20000);
    ModalHook::AnswerColourDialog(0x123456);
    RightClick(At(0, 0));
    EXPECT_EQ(line->colour, 0x123456u);
    EXPECT_EQ(Posted(), ChartWindow::Messages{kRedraw});
    EXPECT_NE(FileBytes(saved).indexOf(QByteArray::number(0x123456)), -1);

    ModalHook::AnswerMenu(20000);
    ModalHook::CancelColourDialog();
    RightClick(At(0, 0));
    EXPECT_EQ(line->colour, 0x123456u);

    ModalHook::AnswerMenu(30002);
    RightClick(At(0, 0));
    EXPECT_EQ(line->penStyle, 2);
    ModalHook::AnswerMenu(1);
    RightClick(At(0, 0));
    EXPECT_EQ(line->showLabel, 0);

    CGridView::SetEditMode(EDIT_EBL);
    ModalHook::AnswerMenu(5);
    RightClick(At(0, 0));
    EXPECT_NE(LastMenu().Find("Delete"), -1);
    EXPECT_EQ(lines.GetSize(), 0);
}

TEST_F(GridViewMenu, OwnerDrawnItemsShowTheColourAndTheLineSample)
{
    CEBLList lines;
    AddLine(lines)->colour = 0x00FF00;
    view->SetEBL(&lines);
    QImage shown;
    ModalHook::AnswerMenuShown([&shown](QWidget* menu) {
        shown = menu->grab().toImage();
        return 0u;
    });
    RightClick(At(0, 0));
    ASSERT_FALSE(shown.isNull()) << "the menu did not show";
    int swatch = 0, title = 0, black = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
        {
            const QColor c = shown.pixelColor(x, y);
            swatch += c == QColor(0, 255, 0);
            title += c == QColor(0x40, 0x40, 0x40);
            black += c == QColor(0, 0, 0) && x > shown.width() / 2;
        }
    EXPECT_GT(swatch, 40);                   // the colour's square
    EXPECT_GT(title, 2 * shown.width());     // the two title bands
    EXPECT_GT(black, 5 * 10);                // five line samples at the right end
}

TEST_F(GridViewMenu, TrackingAWaypointOfALargeFileNamesThatFileAndPoint)
{
    CGridWaypointList list;
    for (int f = 0; f < 2; ++f)
    {
        auto* file = new CGridWaypoint;
        file->m_FilePath = PathOf(f == 0 ? "Small.txt" : "Large.txt");
        for (int i = 0; i < (f == 0 ? 3 : 1200); ++i)
        {
            CString name;
            name.Format("F%d P%d", f, i);
            file->Add(GridWaypointDef{ChartWindow::kOriginE + 5000.0, ChartWindow::kOriginN, 0.0, name, 0.0});
        }
        list.Add(file);
    }
    view->SetWaypointList(&list);
    CBarge vessel;
    vessel.m_Position = tagXY{ChartWindow::kOriginE + 9000.0, ChartWindow::kOriginN};
    view->SetVessel(&vessel, nullptr);
    ModalHook::AnswerMenuShown([](QWidget* menu) {
        for (QMenu* sub : menu->findChildren<QMenu*>())
            for (QAction* action : sub->actions())
                if (action->text() == "F1 P1100")
                    return action->data().toUInt();
        return 0u;
    });
    RightClick(At(0, 0));
    EXPECT_EQ(view->GetPlot()->trackObject, TRACK_WAYPOINT);
    EXPECT_EQ(view->GetPlot()->trackWaypointFile, 1);
    EXPECT_EQ(view->GetPlot()->trackWaypointIndex, 1100);
    EXPECT_EQ(Posted(), ChartWindow::Messages{kRedraw});
}

TEST_F(GridViewMenu, EmptyChartMenuByWhatIsSet)
{
    // A remote view shows nothing and asks for a redraw.
    view->m_bRemote = true;
    const size_t before = ModalHook::Shown().size();
    RightClick(At(0, 0));
    EXPECT_EQ(ModalHook::Shown().size(), before);
    EXPECT_EQ(Posted(), ChartWindow::Messages{kRedraw});
    view->m_bRemote = false;

    // A template without a vessel: tracking off and the tracking object, no orientation.
    CTemplate object;
    view->SetTemplate(&object, nullptr);
    ModalHook::AnswerMenu(3);
    RightClick(At(0, 0));
    const CString items = LastMenu();
    EXPECT_NE(items.Find("Tracking Off"), -1);
    EXPECT_NE(items.Find("Tracking Object"), -1);
    EXPECT_NE(items.Find("Template - "), -1);
    EXPECT_EQ(items.Find("Centre on Vessel"), -1);
    EXPECT_EQ(items.Find("North Up"), -1);
    EXPECT_EQ(view->GetPlot()->tickMode, TICK_CROSSES);
    EXPECT_EQ(Posted(), ChartWindow::Messages{kRedraw});

    // Zoom in at the cursor centres there one step closer.
    const POINT p = At(100, -50);
    ModalHook::AnswerMenu(32);
    const int scale = view->GetPlot()->scaleIndex;
    RightClick(p);
    EXPECT_EQ(view->GetPlot()->scaleIndex, scale - 1);
    EXPECT_NEAR(view->GetPlot()->originE, ChartWindow::kOriginE + 100.0, 1.5);
    EXPECT_EQ(Posted(), ChartWindow::Messages{kRedraw});

    ModalHook::AnswerMenu(0);
    RightClick(At(0, 0));
    EXPECT_TRUE(Posted().empty());
}

TEST_F(GridViewMenu, DeclutterChoiceIsKeptWithTheVesselsDisplaySettings)
{
    CBarge vessel;
    vessel.m_Name = "Workboat";
    vessel.m_Heading = 0.0;
    TrackingPointDef leg;
    leg.Name = "Leg 1";
    leg.SetEnabled(true);
    leg.Position = tagXY{ChartWindow::kOriginE + 50.0, ChartWindow::kOriginN + 40.0};
    vessel.m_Legs.AddPoint(leg);
    view->SetVessel(&vessel, nullptr);
    ASSERT_FALSE(view->m_bDeclutter);

    struct Step
    {
        UINT item;
        bool declutter;
    };
    for (const Step step : {Step{1, true}, Step{2, false}, Step{1, true}})
    {
        ModalHook::AnswerMenu(step.item);
        RightClick(At(50, 40));
        EXPECT_NE(LastMenu().Find("    ON"), -1);
        EXPECT_NE(LastMenu().Find("    OFF"), -1);
        EXPECT_EQ(view->m_bDeclutter, step.declutter) << step.item;
        // The vessel's file holds the choice; a view handed the vessel read from it takes it up.
        CBarge read;
        read.m_Name = "Workboat";
        ASSERT_TRUE(read.Load()) << step.item;
        EXPECT_EQ(read.m_bDeclutter, step.declutter) << step.item;
        view->SetDeclutter(!step.declutter);
        view->SetVessel(&read, nullptr);
        EXPECT_EQ(view->m_bDeclutter, step.declutter) << step.item;
        view->SetVessel(&vessel, nullptr);
    }
    // A dismissed menu keeps the choice and writes nothing.
    const CString file = "C:\\MyData\\Vessel\\Workboat.VSL";
    const QByteArray before = FileBytes(file);
    ModalHook::AnswerMenu(0);
    RightClick(At(50, 40));
    EXPECT_TRUE(view->m_bDeclutter);
    EXPECT_EQ(FileBytes(file), before);
}

// Live editing with the left button, through the mouse events a user makes on a chart view in
// its frame: points added and dragged in each edit mode and their files read back, the
// messages posted to the main window in order, the choice menu, sail lines drawn out or
// dropped, bearing lines, the divider, panning and the cursor read-out.
#include "ChartWindowFixture.h"

#include "chart/view/ChartexaStatusBar.h"
#include "chart/objects/Divider.h"
#include "chart/objects/EblList.h"
#include "chart/view/GridView.h"
#include "features/Barge.h"
#include "outside/alpha/DataView.h"
#include "features/BoundaryList.h"
#include "features/DesignRouteList.h"
#include "features/GridWaypointList.h"
#include "features/RouteList.h"
#include "features/SailLineList.h"
#include "features/StructureList.h"
#include "foundation/ConfigFile.h"
#include "foundation/Folders.h"
#include "platform/core/Path.h"
#include "platform/core/WinApp.h"
#include "platform/ui/Colour.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/RecordingOwner.h"
#include "testsupport/UserInput.h"

#include <QDir>
#include <QFile>
#include <QWidget>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

class GridViewEdit : public ChartWindow::ChartEditFixture
{
protected:
    // Where a press at `p` puts a point.
    tagXY Grid(POINT p) const
    {
        tagXY g{};
        EXPECT_TRUE(view->GetPlot()->ScreenToGrid(p.x, p.y, &g.x, &g.y));
        return g;
    }
    // A press at `from`, moves to the points between and at `to`, a release at `to`.
    void Drag(POINT from, POINT to, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        UserInput::PressClient(view, from.x, from.y, keys);
        if (from.x != to.x || from.y != to.y)
        {
            UserInput::DragClient(view, (from.x + to.x) / 2, (from.y + to.y) / 2, keys);
            UserInput::DragClient(view, to.x, to.y, keys);
        }
        UserInput::ReleaseClient(view, to.x, to.y, keys);
    }
    void Click(POINT p) { Drag(p, p); }
    static POINT Off(POINT p, int dx, int dy) { return POINT{p.x + dx, p.y + dy}; }
    static bool Near(const QImage& image, POINT p, COLORREF colour, int reach = 2)
    {
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
                if (image.valid(p.x + dx, p.y + dy) && ColorRefFromQRgb(image.pixel(p.x + dx, p.y + dy)) == colour)
                    return true;
        return false;
    }
};

const POSTED_MESSAGE kRedraw{"UM_REDRAW_VECTOR_DISPLAY", 0, 0};
POSTED_MESSAGE Added(int type)
{
    return {"UM_ADD_FEATURE", static_cast<WPARAM>(type), 0};
}
POSTED_MESSAGE Moved(int type)
{
    return {"UM_UPDATE_FEATURE_POSITION", static_cast<WPARAM>(type), 0};
}
} // namespace

TEST_F(GridViewEdit, WaypointsAreAddedDraggedAndSavedWithTheVesselTargetFollowing)
{
    auto* file = new CGridWaypoint;
    file->m_FilePath = PathOf("Targets.txt");
    file->m_Use = true;
    file->Add(GridWaypointDef{ChartWindow::kOriginE + 100.0, ChartWindow::kOriginN, 0.0, "Buoy", 0.0});
    CGridWaypointList list;
    list.Add(file);
    list.m_EditFileIndex = 0;
    view->SetWaypointList(&list);
    CBarge vessel;
    vessel.m_pWaypointList = &list;
    vessel.SetTargetWaypoint(0, 0);
    view->SetVessel(&vessel, nullptr);
    CGridView::SetEditMode(EDIT_WAYPOINTS);
    Posted();

    // A press on empty chart adds "Wpt2" at the cursor and writes the file at once.
    const POINT empty = At(-100, 50);
    Click(empty);
    EXPECT_EQ(Posted(), (ChartWindow::Messages{Added(FEATURE_WAYPOINT), kRedraw}));
    {
        CGridWaypoint read;
        ASSERT_TRUE(read.Load(file->m_FilePath));
        ASSERT_EQ(read.GetSize(), 2);
        EXPECT_EQ(read[1].Easting, Grid(empty).x);
        EXPECT_EQ(read[1].Northing, Grid(empty).y);
        EXPECT_EQ(list.m_EditPointIndex, 1);
    }

    // A drag of the first waypoint moves it, keeps its name, moves the vessel's target and
    // writes the file at the release.
    const POINT to = At(150, -60);
    Drag(At(100, 0), to);
    const ChartWindow::Messages expected{kRedraw, kRedraw, Moved(FEATURE_WAYPOINT), kRedraw, Moved(FEATURE_WAYPOINT)};
    EXPECT_EQ(Posted(), expected);
    EXPECT_EQ(list.m_EditPointIndex, 0);
    EXPECT_EQ(view->m_PickType, FEATURE_NONE);
    EXPECT_EQ(vessel.m_TargetWaypoint.Easting, Grid(to).x);
    EXPECT_EQ(vessel.m_TargetPosition.y, Grid(to).y);
    CGridWaypoint read;
    ASSERT_TRUE(read.Load(file->m_FilePath));
    ASSERT_EQ(read.GetSize(), 2);
    EXPECT_EQ(read[0].Easting, Grid(to).x);
    EXPECT_EQ(read[0].Northing, Grid(to).y);
    EXPECT_EQ(std::string(read[0].Name), "Buoy");
    // The chart the user sees shows the edit mark at the new place and nothing at the old.
    const QImage image = Painted();
    EXPECT_TRUE(Near(image, to, 0xFFFFFF));
    EXPECT_FALSE(Near(image, At(100, 0), 0xFFFFFF, 3));
    // The chart did not pan while the waypoint was dragged.
    EXPECT_EQ(view->GetPlot()->originE, ChartWindow::kOriginE);
    EXPECT_EQ(view->GetPlot()->originN, ChartWindow::kOriginN);
}

TEST_F(GridViewEdit, TwoWaypointsUnderTheCursorAskWhichAndADismissedMenuAddsOne)
{
    auto* file = new CGridWaypoint;
    file->m_FilePath = PathOf("Pair.txt");
    file->Add(GridWaypointDef{ChartWindow::kOriginE, ChartWindow::kOriginN, 0.0, "A", 0.0});
    file->Add(GridWaypointDef{ChartWindow::kOriginE + 20.0, ChartWindow::kOriginN, 0.0, "B", 0.0});
    CGridWaypointList list;
    list.Add(file);
    list.m_EditFileIndex = 0;
    view->SetWaypointList(&list);
    CGridView::SetEditMode(EDIT_WAYPOINTS);

    const POINT between = At(10, 0);
    ModalHook::AnswerMenu(2); // "B"
    Drag(between, At(10, 40));
    EXPECT_EQ(file->GetAt(1).Northing, Grid(At(10, 40)).y);
    EXPECT_EQ(file->GetAt(0).Northing, ChartWindow::kOriginN);
    EXPECT_EQ(file->GetSize(), 2);

    file->ElementAt(1).Northing = ChartWindow::kOriginN; // both under the cursor again
    Posted();
    ModalHook::AnswerMenu(0);
    Click(Off(At(0, 0), 4, 0));
    ASSERT_EQ(file->GetSize(), 3);
    EXPECT_STREQ(file->GetAt(2).Name, "Wpt3");
    EXPECT_EQ(file->GetAt(2).Easting, Grid(Off(At(0, 0), 4, 0)).x);
    EXPECT_EQ(Posted(), (ChartWindow::Messages{Added(FEATURE_WAYPOINT), kRedraw}));
}

TEST_F(GridViewEdit, WithoutAnEditFileNothingIsAddedAndAPointAtZeroIsReplaced)
{
    auto* file = new CGridWaypoint;
    file->m_FilePath = PathOf("Zero.txt");
    CGridWaypointList list;
    list.Add(file);
    view->SetWaypointList(&list);
    CGridView::SetEditMode(EDIT_WAYPOINTS);
    Posted();
    for (int bad : {-1, 1, 7})
    {
        list.m_EditFileIndex = static_cast<int16_t>(bad);
        Click(At(0, 0));
        EXPECT_EQ(file->GetSize(), 0) << bad;
        EXPECT_EQ(list.m_EditFileIndex, -1);
    }
    EXPECT_TRUE(Posted().empty());
    EXPECT_FALSE(QFile::exists(LinuxPathFromWindows(file->m_FilePath)));

    // The grid origin under the cursor: the point lies at exactly 0, 0, and the next press
    // puts it where the user meant.
    view->GetPlot()->originE = view->GetPlot()->originN = 0.0;
    Painted();
    list.m_EditFileIndex = 0;
    const POINT zero = view->GetPlot()->GridToScreenPoint(0.0, 0.0);
    ASSERT_EQ(Grid(zero).x, 0.0);
    ASSERT_EQ(Grid(zero).y, 0.0);
    Click(zero);
    ASSERT_EQ(file->GetSize(), 1);
    EXPECT_EQ(file->GetAt(0).Easting, 0.0);
    const POINT next = Off(zero, 120, -80);
    Click(next);
    ASSERT_EQ(file->GetSize(), 1);
    EXPECT_EQ(file->GetAt(0).Easting, Grid(next).x);
    EXPECT_EQ(file->GetAt(0).Northing, Grid(next).y);
    EXPECT_STREQ(file->GetAt(0).Name, "Wpt1");
}

TEST_F(GridViewEdit, RoutePointsKeepTheirLegsAndDesignRoutesTheirArcs)
{
    auto* route = new CRoute;
    route->LoadStatus(PathOf("Lay.rte"));
    RouteDef a, b;
    a.Position = tagXY{ChartWindow::kOriginE - 100.0, ChartWindow::kOriginN};
    a.Name = "Start";
    b.Position = tagXY{ChartWindow::kOriginE + 100.0, ChartWindow::kOriginN};
    b.Name = "End";
    route->AppendPoint(a);
    route->AppendPoint(b);
    CRouteList routes;
    routes.Add(route);
    routes.m_EditFileIndex = 0;
    view->SetRouteList(&routes);
    CGridView::SetEditMode(EDIT_ROUTES);
    Posted();

    const POINT added = At(100, 100);
    Click(added);
    ASSERT_EQ(route->GetSize(), 3);
    EXPECT_STREQ(route->GetAt(2).Name, "Wpt3");
    EXPECT_NEAR(route->GetAt(1).Leg.Length, 100.0, 1.5); // the former last point's leg to it
    const POINT to = At(100, -100);
    Drag(At(100, 0), to);
    EXPECT_EQ(Posted(), (ChartWindow::Messages{Added(FEATURE_ROUTE), kRedraw, kRedraw, kRedraw, Moved(FEATURE_ROUTE), kRedraw,
                                  Moved(FEATURE_ROUTE)}));
    {
        CRoute read;
        ASSERT_TRUE(read.Load(route->m_FilePath));
        ASSERT_EQ(read.GetSize(), 3);
        EXPECT_EQ(read[1].Position.y, Grid(to).y);
        EXPECT_NEAR(read[0].Leg.Length, std::hypot(Grid(to).x - a.Position.x, Grid(to).y - a.Position.y), 1e-3);
        EXPECT_EQ(read[2].Position.x, Grid(added).x);
    }
    // In memory the legs into and out of the dragged point followed it.
    EXPECT_NEAR(route->GetAt(0).Leg.Length, std::hypot(Grid(to).x - a.Position.x, Grid(to).y - a.Position.y), 1e-6);
    EXPECT_NEAR(route->GetAt(1).Leg.Length, std::hypot(Grid(added).x - Grid(to).x, Grid(added).y - Grid(to).y), 1e-6);

    auto* design = new CDesignRoute;
    design->LoadStatus(PathOf("Design.rpl"));
    RouteDef ip;
    ip.Position = tagXY{ChartWindow::kOriginE - 200.0, ChartWindow::kOriginN - 100.0};
    design->AppendIntersectionPoint(ip);
    ip.Position = tagXY{ChartWindow::kOriginE, ChartWindow::kOriginN};
    ip.TurnRadius = 50.0;
    design->AppendIntersectionPoint(ip);
    CDesignRouteList designs;
    designs.Add(design);
    designs.m_EditFileIndex = 0;
    view->SetDesignRouteList(&designs);
    CGridView::SetEditMode(EDIT_DESIGN_ROUTES);
    Click(At(200, -100));
    ASSERT_EQ(design->GetSize(), 3);
    EXPECT_STREQ(design->GetAt(2).Name, "IP3");
    EXPECT_NE(design->GetAt(1).TurnDirection, 0); // recomputed: the turn now has an arc
    const double kpBefore = design->GetAt(2).Kp;
    Drag(At(-200, -100), At(-300, -100));
    EXPECT_GT(design->GetAt(2).Kp, kpBefore); // arcs and KPs follow at the release
    CDesignRoute read;
    ASSERT_TRUE(read.Load(design->m_FilePath));
    ASSERT_EQ(read.GetSize(), 3);
    EXPECT_EQ(read[0].Position.x, Grid(At(-300, -100)).x);
    EXPECT_EQ(read[1].TurnRadius, 50.0);
    EXPECT_EQ(read[2].Position.y, Grid(At(200, -100)).y);
    designs.RemoveAll();
    delete design;
}

TEST_F(GridViewEdit, SailLinesAreDrawnOutOrDroppedAndModeFourNeverPans)
{
    auto* file = new CSailLine;
    file->LoadStatus(PathOf("Lines.sln"));
    SailLineDef first{};
    first.Start = tagXY{ChartWindow::kOriginE - 150.0, ChartWindow::kOriginN + 100.0};
    first.End = tagXY{ChartWindow::kOriginE + 150.0, ChartWindow::kOriginN + 100.0};
    file->Add(first);
    CSailLineList list;
    list.Add(file);
    list.m_EditFileIndex = 0;
    view->SetSailLineList(&list);
    CGridView::SetEditMode(EDIT_SAIL_LINES);
    Posted();

    const POINT start = At(-100, -50), end = At(100, -120);
    Drag(start, end);
    EXPECT_EQ(Posted(), (ChartWindow::Messages{Added(FEATURE_SAIL_LINE), kRedraw, kRedraw, Moved(FEATURE_SAIL_LINE), kRedraw,
                                  Moved(FEATURE_SAIL_LINE)}));
    EXPECT_EQ(view->GetPlot()->originE, ChartWindow::kOriginE); // mode 4 never pans
    EXPECT_EQ(view->GetPlot()->originN, ChartWindow::kOriginN);
    {
        CSailLine read;
        ASSERT_TRUE(read.Load(file->m_FilePath));
        ASSERT_EQ(read.GetSize(), 2);
        EXPECT_EQ(read[1].Start.x, Grid(start).x);
        EXPECT_EQ(read[1].Start.y, Grid(start).y);
        EXPECT_EQ(read[1].End.x, Grid(end).x);
        EXPECT_EQ(read[1].End.y, Grid(end).y);
    }

    // A press and a release without a move: the half line goes from memory and from the file.
    Click(At(-50, -150));
    EXPECT_EQ(Posted(), (ChartWindow::Messages{Added(FEATURE_SAIL_LINE), kRedraw, Added(FEATURE_SAIL_LINE), kRedraw}));
    EXPECT_EQ(file->GetSize(), 2);
    {
        CSailLine read;
        ASSERT_TRUE(read.Load(file->m_FilePath));
        EXPECT_EQ(read.GetSize(), 2);
    }

    // The end of the first line is grabbed and dragged.
    const POINT moved = At(150, 150);
    Drag(At(150, 100), moved);
    EXPECT_EQ(file->GetAt(0).End.y, Grid(moved).y);
    EXPECT_EQ(file->GetAt(0).Start.y, ChartWindow::kOriginN + 100.0);
    EXPECT_EQ(list.m_EditSubIndex, 1);
    EXPECT_EQ(view->GetPlot()->originE, ChartWindow::kOriginE);
}

TEST_F(GridViewEdit, BoundaryVerticesAndStructures)
{
    auto* boundary = new CBoundary;
    boundary->LoadStatus(PathOf("Site.bnd"));
    boundary->Add(tagXY{ChartWindow::kOriginE, ChartWindow::kOriginN});
    CBoundaryList boundaries;
    boundaries.Add(boundary);
    boundaries.m_EditFileIndex = 0;
    view->SetBoundaryList(&boundaries);
    CGridView::SetEditMode(EDIT_BOUNDARIES);
    Posted();
    Click(At(100, 0));
    Drag(At(0, 0), At(-100, 50));
    EXPECT_EQ(Posted(), (ChartWindow::Messages{Added(FEATURE_BOUNDARY), kRedraw, kRedraw, kRedraw, Moved(FEATURE_BOUNDARY), kRedraw,
                                  Moved(FEATURE_BOUNDARY)}));
    {
        CBoundary read;
        ASSERT_TRUE(read.Load(boundary->m_FilePath));
        ASSERT_EQ(read.GetSize(), 2);
        EXPECT_EQ(read[0].x, Grid(At(-100, 50)).x);
        EXPECT_EQ(read[1].y, Grid(At(100, 0)).y);
    }

    auto* structures = new CStructure;
    structures->LoadStatus(PathOf("Structures.dat"));
    StructureDef jacket;
    jacket.Name = "Jacket";
    jacket.Position = tagXY{ChartWindow::kOriginE, ChartWindow::kOriginN + 100.0};
    structures->Add(jacket);
    CStructureList list;
    list.Add(structures);
    list.m_EditFileIndex = 0;
    auto* shape = new CStructureShape;
    shape->m_FilePath = "C:\\Shapes\\Monopile.dxf";
    shape->m_MaxX = 12.0;
    shape->m_MaxY = 30.0;
    list.m_Shapes.AddTail(shape);
    view->SetStructureList(&list);
    CGridView::SetEditMode(EDIT_STRUCTURES);
    Posted();
    Click(At(-150, -100));
    ASSERT_EQ(structures->GetSize(), 2);
    EXPECT_STREQ(structures->GetAt(1).Name, "Structure 2");
    EXPECT_STREQ(structures->GetAt(1).Shape, "Monopile");
    EXPECT_EQ(structures->GetAt(1).Length, 30.0);
    EXPECT_EQ(Posted(), (ChartWindow::Messages{Added(FEATURE_STRUCTURE), kRedraw}));
    Drag(At(0, 100), At(50, 150));
    EXPECT_EQ(Posted(), (ChartWindow::Messages{{"UM_FEATURE_UPDATE", FEATURE_STRUCTURE, 0}, kRedraw, kRedraw,
                                  Moved(FEATURE_STRUCTURE), kRedraw, Moved(FEATURE_STRUCTURE)}));
    CStructure read;
    ASSERT_TRUE(read.Load(structures->m_FilePath));
    ASSERT_EQ(read.GetSize(), 2);
    EXPECT_STREQ(read[0].Name, "Jacket");
    EXPECT_EQ(read[0].Position.x, Grid(At(50, 150)).x);
    EXPECT_STREQ(read[1].Name, "Structure 2");

    // A grab that is released where it was pressed writes nothing.
    const QByteArray before = [&] {
        QFile f(LinuxPathFromWindows(structures->m_FilePath));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    QFile::remove(LinuxPathFromWindows(structures->m_FilePath));
    Click(At(50, 150));
    EXPECT_FALSE(QFile::exists(LinuxPathFromWindows(structures->m_FilePath)));
    EXPECT_FALSE(before.isEmpty());
}

TEST_F(GridViewEdit, AFailedSaveKeepsTheOldFileAndTheChangeInMemory)
{
    auto* file = new CGridWaypoint;
    file->m_FilePath = PathOf("Locked.txt");
    file->Add(GridWaypointDef{ChartWindow::kOriginE, ChartWindow::kOriginN, 0.0, "W", 0.0});
    CGridWaypointList list;
    list.Add(file);
    list.m_EditFileIndex = 0;
    view->SetWaypointList(&list);
    CGridView::SetEditMode(EDIT_WAYPOINTS);
    QFile old(LinuxPathFromWindows(file->m_FilePath));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old\r\n");
    old.close();
    // The rewrite's temporary file cannot be made where a folder stands.
    ASSERT_TRUE(QDir().mkpath(LinuxPathFromWindows(file->m_FilePath + ".new~")));
    const POINT to = At(60, 60);
    Drag(At(0, 0), to);
    EXPECT_EQ(file->GetAt(0).Easting, Grid(to).x);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old\r\n"));
}

TEST_F(GridViewEdit, BearingLinesAreDrawnOutGrabbedAndShortOnesDropped)
{
    CEBLList lines;
    view->SetEBL(&lines);
    CGridView::SetEditMode(EDIT_EBL);
    Posted();

    Drag(At(0, 0), Off(At(0, 0), 19, -19));
    EXPECT_EQ(lines.GetSize(), 0);
    EXPECT_EQ(lines.current, -1);

    const POINT a = At(-100, 0), b = At(100, 20);
    Drag(a, b);
    ASSERT_EQ(lines.GetSize(), 1);
    EXPECT_EQ(lines.current, -1);
    EXPECT_EQ(lines[0]->startX, Grid(a).x);
    EXPECT_EQ(lines[0]->endX, Grid(b).x);
    EXPECT_EQ(lines[0]->endY, Grid(b).y);
    EXPECT_NEAR(lines[0]->distance, std::hypot(Grid(b).x - Grid(a).x, Grid(b).y - Grid(a).y), 1e-6);
    EXPECT_EQ(view->GetPlot()->originE, ChartWindow::kOriginE); // drawing a line does not pan
    const ChartWindow::Messages posted = Posted();
    ASSERT_FALSE(posted.empty());
    EXPECT_EQ(posted.back(), kRedraw);
    // Saved in the settings folder by its grid flag.
    {
        QFile saved(LinuxPathFromWindows(CConfigFile().GetSettingsFileName("EBL_GRID")));
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        const QList<QByteArray> rows = saved.readAll().split('\n');
        ASSERT_GE(rows.size(), 5);
        EXPECT_TRUE(rows[4].startsWith(QByteArray::number(Grid(a).x, 'f', 3)));
        EXPECT_EQ(rows.size(), 6); // one line: the short one never reached the file
    }

    // Its start is grabbed and moved; the end stays.
    const POINT c = At(-100, -80);
    Drag(Off(a, 5, 5), c);
    ASSERT_EQ(lines.GetSize(), 1);
    EXPECT_EQ(lines[0]->startY, Grid(c).y);
    EXPECT_EQ(lines[0]->endX, Grid(b).x);

    const QImage image = Painted();
    EXPECT_TRUE(Near(image, At(0, -30), 0xFFFFFF, 3)); // half way along the line as it is now
}

TEST_F(GridViewEdit, PlainDragPansShiftAndControlPlaceTheDivider)
{
    const POINT from = At(0, 0);
    Drag(from, Off(from, 40, -24));
    EXPECT_NEAR(view->GetPlot()->originE, ChartWindow::kOriginE - 50.0, 1e-9);
    EXPECT_NEAR(view->GetPlot()->originN, ChartWindow::kOriginN - 30.0, 1e-9);
    Painted();

    CDivider divider;
    view->SetDivider(&divider);
    const double e0 = view->GetPlot()->originE;
    const POINT a = At(-100, 0), b = At(50, 80);
    const tagXY ga = Grid(a), gb = Grid(b);
    Drag(a, b, Qt::ShiftModifier);
    EXPECT_EQ(view->GetPlot()->originE, e0); // the divider never pans
    EXPECT_TRUE(divider.visible);
    EXPECT_EQ(divider.startE, ga.x);
    EXPECT_EQ(divider.endN, gb.y);
    EXPECT_NEAR(divider.distance, std::hypot(gb.x - ga.x, gb.y - ga.y), 1e-6);

    // With control it starts at the vessel.
    CDivider fromVessel;
    view->SetDivider(&fromVessel);
    CBarge vessel;
    vessel.m_DividerStart = tagXY{ChartWindow::kOriginE + 5.0, ChartWindow::kOriginN + 6.0};
    view->SetVessel(&vessel, nullptr);
    Drag(a, b, Qt::ControlModifier);
    EXPECT_EQ(fromVessel.startE, ChartWindow::kOriginE + 5.0);
    EXPECT_EQ(fromVessel.startN, ChartWindow::kOriginN + 6.0);
    EXPECT_EQ(fromVessel.endE, gb.x);
    EXPECT_TRUE(fromVessel.singleArrow);
}

TEST_F(GridViewEdit, CursorReadOutFollowsTheMouseAndIsClearedOutside)
{
    CChartexaStatusBar bar;
    ASSERT_EQ(bar.Create(&owner), 1);
    view->SetStatusBar(&bar);
    view->MoveWindow(0, 0, 640, 400);
    Painted();
    const POINT p = At(25, -40);
    UserInput::HoverClient(view, p.x, p.y);
    CString e, n;
    e.Format("%.3lf", Grid(p).x);
    n.Format("%.3lf", Grid(p).y);
    EXPECT_STREQ(bar.GetPaneText(2), e);
    EXPECT_STREQ(bar.GetPaneText(4), n);
    UserInput::HoverClient(view, 700, 200); // beyond the plot
    EXPECT_STREQ(bar.GetPaneText(2), "");
    EXPECT_STREQ(bar.GetPaneText(4), "");
}

// The cursor over the plot shows in the view's data box, and leaving the plot clears it.
TEST_F(GridViewEdit, TheCursorShowsInTheDataBoxAndLeavingThePlotClearsIt)
{
    CDataView box;
    ASSERT_TRUE(box.Create(&owner));
    box.SetBoxType(BOX_CURSOR_POSITION);
    view->m_pDataView = &box;
    const POINT p = At(10.0, 20.0);
    UserInput::HoverClient(view, p.x, p.y);
    const tagXY g = Grid(p);
    CString expected;
    expected.Format("E %.2lf", g.x);
    bool shown = false;
    for (int line = 0; line < CDataView::kLines; ++line)
        shown = shown || box.GetValueText(line) == expected;
    EXPECT_TRUE(shown) << box.GetValueText(0).GetString() << " | " << box.GetValueText(1).GetString();
    view->ClearCursorCoords();
    for (int line = 0; line < CDataView::kLines; ++line)
        EXPECT_TRUE(box.GetValueText(line).IsEmpty()) << line;
    view->m_pDataView = nullptr;
}

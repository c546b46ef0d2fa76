// The feature list view as a host makes it (dynamic creation in a frame): the table of each
// feature type, the frame's title, clicks on rows through the list's own mouse handling, and
// the export menu answered through the modal hook with what it wrote, printed and said.
#include "featureui/views/FeatureView.h"
#include "features/BoundaryList.h"
#include "features/DesignRouteList.h"
#include "features/GridWaypointList.h"
#include "features/PipelineList.h"
#include "features/RouteList.h"
#include "features/StructureList.h"
#include "platform/core/Path.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/ExternalTools.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/UserInput.h"
#include "featureui/tests/PaneTestFiles.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Strings = std::vector<std::string>;
using Rows = std::vector<Strings>;

CString WriteFile(const char* name, const QByteArray& text)
{
    QDir().mkpath(LinuxPathFromWindows("C:\\Data"));
    const CString path = CString("C:\\Data\\") + name;
    QFile file(LinuxPathFromWindows(path));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return path;
}

struct FeatureViewFixture : ::testing::Test
{
    CFrameWnd* frame = nullptr;
    CFeatureView* view = nullptr;
    CGridWaypointList waypoints;
    CRouteList routes;
    CDesignRouteList designRoutes;
    CBoundaryList boundaries;
    CPipelineList pipelines;
    CStructureList structures;

    void SetUp() override
    {
        frame = new CFrameWnd;
        ASSERT_TRUE(
            frame->Create(nullptr, "Features", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 500)));
        // As a host's document template makes it: by its run-time class alone.
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CFeatureView);
        view = dynamic_cast<CFeatureView*>(frame->CreateView(&context));
        ASSERT_NE(view, nullptr);
        frame->InitialUpdateFrame(nullptr, TRUE);
        frame->ShowWindow(SW_SHOW);
        Pump();
    }

    void TearDown() override
    {
        if (frame != nullptr)
            frame->DestroyWindow(); // the frame and its view delete themselves
        Pump();
    }

    CListCtrl& List() { return view->GetListCtrl(); }

    CString Title() const
    {
        CString title;
        frame->GetWindowText(title);
        return title;
    }

    // A click on the first cell of the row, as a user's mouse gives it.
    void ClickRow(int row)
    {
        List().EnsureVisible(row, FALSE);
        Pump();
        UserInput::ClickCell(List(), row, 0);
        Pump();
    }

    // A right click inside the table; the menu answered with `command`.
    void RightClickAndChoose(UINT command)
    {
        ModalHook::AnswerMenu(command);
        UserInput::RightClickClient(view, 40, 40);
        Pump();
    }

    // A boundary file "C:\Data\<name>.csv" of the lines, shown as the list's edit file.
    void ShowBoundary(const char* name, const QByteArray& lines)
    {
        ASSERT_TRUE(boundaries.AddFile(WriteFile((CString(name) + ".csv").GetString(), lines)));
        boundaries.SetEditPoint(static_cast<int>(boundaries.GetSize()) - 1, -1);
        view->SetBoundaryFiles(&boundaries);
        view->SetFeatureType(FEATURE_BOUNDARY);
    }

    // A design route "C:\Data\<name>.csv" of easting, northing, radius lines, loaded and made
    // the list's edit file.
    void AddDesignRoute(const char* name, const QByteArray& lines)
    {
        ASSERT_TRUE(designRoutes.AddFile(WriteFile((CString(name) + ".csv").GetString(), lines)));
        designRoutes.SetEditPoint(static_cast<int>(designRoutes.GetSize()) - 1, -1);
    }
};
} // namespace

TEST_F(FeatureViewFixture, AWaypointTableNeedsItsListAndOtherTypesShowNothing)
{
    view->SetFeatureType(FEATURE_WAYPOINT);
    EXPECT_EQ(TableHeadings(List()), Strings());
    EXPECT_EQ(Title(), "Waypoint - ");

    auto* file = new CGridWaypoint;
    file->m_FilePath = "C:\\Data\\Wrecks.txt";
    file->Add(GridWaypointDef{450000.5, 6120000.25, 0.0, "Wreck A", 0.0});
    file->Add(GridWaypointDef{450100.0, 6120100.0, 12.0, "Wreck B", 5.0});
    waypoints.Add(file);
    waypoints.m_EditFileIndex = 0;
    view->SetWaypointFiles(&waypoints);
    EXPECT_EQ(List().GetItemCount(), 0) << "setting a list shows nothing by itself";
    view->SetFeatureType(FEATURE_WAYPOINT);
    EXPECT_EQ(TableHeadings(List()), (Strings{"Wpt", "Name", "Easting", "Northing", "Symbol Type", "Colour",
                                              "Style", "Size", "Label Mode", "Position", "No Rings",
                                              "Ring Size", "Ring Colour", "Description", "Attachment"}));
    const Rows cells = TableCells(List());
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(Strings(cells[0].begin(), cells[0].begin() + 5),
              (Strings{"1", "Wreck A", "450000.500", "6120000.250", ""}));
    EXPECT_EQ(cells[1][1], "Wreck B");
    EXPECT_EQ(Title(), "Waypoint - Wrecks");

    // A click on a waypoint makes it the list's edit point.
    ClickRow(1);
    EXPECT_EQ(waypoints.m_EditFileIndex, 0);
    EXPECT_EQ(waypoints.m_EditPointIndex, 1);
    EXPECT_EQ(view->GetClickedPoint(), 1);

    // What a user sees: the rows drawn in the frame.
    const QImage image = FrameProbe::GrabWindow(frame);
    EXPECT_GT(FrameProbe::ContentPixels(image, FrameProbe::PaneRect(view)), 100);
    EXPECT_EQ(FrameProbe::StrayTopLevels(frame), Strings());

    // The host took the file away before the view was updated: a click on its old row
    // points the list at no file rather than at one it no longer holds.
    waypoints.ClearList();
    ClickRow(0);
    EXPECT_EQ(waypoints.m_EditFileIndex, -1);
    EXPECT_EQ(waypoints.m_EditPointIndex, -1);
    view->Update();
    EXPECT_EQ(List().GetItemCount(), 0);

    // Sail lines and pipelines have no table, whatever lists are set.
    view->SetPipelineFiles(&pipelines);
    for (FEATURE_TYPES type : {FEATURE_SAIL_LINE, FEATURE_PIPELINE, FEATURE_NONE})
    {
        view->SetFeatureType(type);
        EXPECT_EQ(TableHeadings(List()), Strings()) << type;
        EXPECT_EQ(List().GetItemCount(), 0) << type;
        EXPECT_EQ(Title(), CString(FeatureTypeTxt[type]) + " - ");
    }
}

TEST_F(FeatureViewFixture, ARouteAlternatesPointsAndLegsAndOnlyPointRowsSelect)
{
    ASSERT_TRUE(routes.AddFile(WriteFile("Survey Line.csv", "1000,2000\r\n1000,2100\r\n1100,2000\r\n")));
    routes.SetEditPoint(0, 0);
    view->SetRouteFiles(&routes);
    view->SetFeatureType(FEATURE_ROUTE);
    EXPECT_EQ(TableHeadings(List()), (Strings{"Wpt", "Easting", "Northing", "Range", "Bearing"}));
    EXPECT_EQ(TableCells(List()), (Rows{{"1", "1000.000", "2000.000", "", ""},
                                        {"", "", "", "100.00m", "000.00\xB0G"},
                                        {"2", "1000.000", "2100.000", "", ""},
                                        {"", "", "", "141.42m", "135.00\xB0G"},
                                        {"3", "1100.000", "2000.000", "", ""}}));
    EXPECT_EQ(Title(), "Route - Survey Line");

    ClickRow(3); // a leg
    EXPECT_EQ(routes.m_EditFileIndex, 0);
    EXPECT_EQ(routes.m_EditPointIndex, 0);
    ClickRow(4);
    EXPECT_EQ(routes.m_EditPointIndex, 2);
    EXPECT_EQ(view->GetClickedFile(), 0);
    EXPECT_EQ(view->GetClickedPoint(), 2);

    // No file at the edit index: no rows, and the title ends after the hyphen.
    routes.m_EditFileIndex = -1;
    view->Update();
    EXPECT_EQ(List().GetItemCount(), 0);
    EXPECT_EQ(Title(), "Route - ");
    routes.m_EditFileIndex = 5;
    view->Update();
    EXPECT_EQ(List().GetItemCount(), 0);
}

TEST_F(FeatureViewFixture, ADesignRouteListsTangentAndIntersectionPoints)
{
    // North 1000 m, a 90 degree turn to the east of radius 200 m, then east 1000 m.
    AddDesignRoute("Export", "5000,0,0\r\n5000,1000,0\r\n5000,2000,200\r\n6000,2000,0\r\n");
    view->SetDesignRouteFiles(&designRoutes);
    view->SetFeatureType(FEATURE_DESIGN_ROUTE);
    EXPECT_EQ(TableHeadings(List()), (Strings{"ID", "K.P.", "Easting", "Northing", "Radius"}));
    // The arc begins 200 m before the corner (KP 1.800) and is a quarter circle, 314.159 m.
    EXPECT_EQ(TableCells(List()), (Rows{{"Start", "0.000", "5000.000", "0.000", ""},
                                        {"IP 1", "1.000", "5000.000", "1000.000", ""},
                                        {"TP 3", "1.800", "5000.000", "1800.000", ""},
                                        {"IP 2", "", "5000.000", "2000.000", "200"},
                                        {"TP 4", "2.114", "5200.000", "2000.000", ""},
                                        {"End", "2.914", "6000.000", "2000.000", ""}}));
    EXPECT_EQ(Title(), "Design Route - Export");

    const struct
    {
        int row;
        int point; // the list's edit point afterwards
    } clicks[] = {{3, 2}, {2, 2}, {0, 0}, {1, 1}, {4, 1}, {5, 3}};
    for (const auto& click : clicks)
    {
        ClickRow(click.row);
        EXPECT_EQ(designRoutes.m_EditFileIndex, 0) << "row " << click.row;
        EXPECT_EQ(designRoutes.m_EditPointIndex, click.point) << "row " << click.row;
    }

    // A radius on the last point: the table ends in a tangent-point row, whose click still
    // selects the last point.
    AddDesignRoute("Hooked", "0,0,0\r\n0,1000,0\r\n500,1000,50\r\n");
    view->Update();
    const Rows cells = TableCells(List());
    ASSERT_EQ(cells.size(), 5u);
    EXPECT_EQ(cells[2][0], "TP 3");
    EXPECT_EQ(cells[3], (Strings{"IP 2", "", "500.000", "1000.000", "50"}));
    EXPECT_EQ(cells[4][0], "TP 4");
    ClickRow(4);
    EXPECT_EQ(designRoutes.m_EditFileIndex, 1);
    EXPECT_EQ(designRoutes.m_EditPointIndex, 2);
}

TEST_F(FeatureViewFixture, BoundariesAndStructuresListTheirPointsAndSelectThem)
{
    ShowBoundary("Zone", "10,20\r\n30,40\r\n50,60\r\n");
    EXPECT_EQ(TableHeadings(List()), (Strings{"Pt", "Easting", "Northing"}));
    EXPECT_EQ(TableCells(List()),
              (Rows{{"1", "10.000", "20.000"}, {"2", "30.000", "40.000"}, {"3", "50.000", "60.000"}}));
    EXPECT_EQ(Title(), "Boundary - Zone");
    ClickRow(2);
    EXPECT_EQ(boundaries.m_EditPointIndex, 2);

    auto* rigs = new CStructure;
    rigs->LoadStatus("C:\\Data\\Rigs.txt");
    StructureDef jacket;
    jacket.Name = "Alpha";
    jacket.Position = tagXY{5000.0, 7000.125};
    jacket.Heading = 45.0;
    rigs->Add(jacket);
    structures.Add(rigs);
    structures.SetEditPoint(0, -1);
    view->SetStructureFiles(&structures);
    view->SetFeatureType(FEATURE_STRUCTURE);
    EXPECT_EQ(TableHeadings(List()), (Strings{"No.", "Name", "Easting", "Northing", "Heading"}));
    EXPECT_EQ(TableCells(List()), (Rows{{"1", "Alpha", "5000.000", "7000.125", ""}}));
    EXPECT_EQ(Title(), "Structure - Rigs");
    ClickRow(0);
    EXPECT_EQ(structures.m_EditFileIndex, 0);
    EXPECT_EQ(structures.m_EditPointIndex, 0);
}

TEST_F(FeatureViewFixture, TheExportMenuSavesPrintsAndListsCoordinates)
{
    ShowBoundary("Zone", "10,20\r\n30,40\r\n");
    QDir().mkpath(LinuxPathFromWindows("C:\\Out"));
    view->m_ExportFolder = "C:\\Out\\";
    view->m_ExportName = "Zone";

    ModalHook::AnswerMessageBox(IDOK);
    RightClickAndChoose(ID_FEATUREVIEW_SAVE_CSV);
    const std::vector<MODAL_RECORD>& shown = ModalHook::Shown();
    ASSERT_GE(shown.size(), 2u);
    const MODAL_RECORD& menu = shown[shown.size() - 2];
    EXPECT_EQ(menu.kind, MODAL_RECORD::Menu);
    EXPECT_FALSE(menu.text.Find("Co-ordinate Listing") >= 0) << "only design routes list coordinates";
    EXPECT_TRUE(menu.text.Find("Save to CSV\nSave to Excel\nPrint") >= 0) << menu.text.GetString();
    EXPECT_EQ(shown.back().text, "Zone.CSV\n saved in \nC:\\Out\\");
    EXPECT_EQ(ReadBytes("C:\\Out\\Zone.CSV"),
              QByteArray("Pt,Easting,Northing\r\n1,10.000,20.000\r\n2,30.000,40.000\r\n"));

    // A folder that is not there: the export says so and leaves nothing behind.
    view->m_ExportFolder = "C:\\Missing\\";
    ModalHook::AnswerMessageBox(IDOK);
    RightClickAndChoose(ID_FEATUREVIEW_SAVE_CSV);
    EXPECT_EQ(ModalHook::Shown().back().text, "Error Opening CSV File");
    EXPECT_FALSE(QDir(LinuxPathFromWindows("C:\\Missing")).exists());

    // Printed to a PDF: the headings and every row.
    ASSERT_TRUE(routes.AddFile(WriteFile("Long Line.csv", [] {
        QByteArray lines;
        for (int i = 0; i < 60; ++i)
            lines += QByteArray::number(400000 + 10 * i) + "," + QByteArray::number(6000000 + 7 * i) + "\r\n";
        return lines;
    }())));
    routes.SetEditPoint(0, -1);
    view->SetRouteFiles(&routes);
    view->SetFeatureType(FEATURE_ROUTE);
    PRINT_DIALOG_ANSWER print;
    print.outputFile = "C:\\Out\\route.pdf";
    ModalHook::AnswerPrintDialog(print);
    RightClickAndChoose(ID_FEATUREVIEW_PRINT);
    ASSERT_TRUE(QFile::exists(LinuxPathFromWindows(print.outputFile)));
    const QByteArray text = PdfText(LinuxPathFromWindows(print.outputFile));
    if (!text.isNull())
    {
        EXPECT_GE(text.count("Northing"), 1);
        EXPECT_TRUE(text.contains("Bearing"));
        for (int i = 0; i < 60; ++i)
            EXPECT_TRUE(text.contains(QByteArray::number(6000000 + 7 * i) + ".000")) << "point " << i + 1;
        EXPECT_EQ(text.count("12.21m"), 59) << "every leg";
    }

    // A design route's coordinate listing, written and announced.
    AddDesignRoute("Export", "0,0,0\r\n0,1000,0\r\n0,2000,200\r\n1000,2000,0\r\n");
    view->SetDesignRouteFiles(&designRoutes);
    view->SetFeatureType(FEATURE_DESIGN_ROUTE);
    const CString listing = designRoutes.GetAt(0)->GetCoordinateListFileName();
    ModalHook::AnswerMessageBox(IDOK);
    RightClickAndChoose(ID_FEATUREVIEW_COORDINATE_LISTING);
    EXPECT_TRUE(ModalHook::Shown()[ModalHook::Shown().size() - 2].text.Find("\nCo-ordinate Listing") >= 0);
    EXPECT_EQ(ModalHook::Shown().back().kind, MODAL_RECORD::MessageBox);
    EXPECT_EQ(ModalHook::Shown().back().text, "Coordinate List Created");
    const QByteArray coordinates = ReadBytes(listing);
    EXPECT_TRUE(coordinates.startsWith("0.000, 0.000")) << coordinates.left(40).constData();
    EXPECT_TRUE(coordinates.contains("1000.000, 2000.000")) << "the last point";

    // A route too short to list: said so, nothing written.
    AddDesignRoute("Stub", "0,0,0\r\n");
    const CString stub = designRoutes.GetAt(1)->GetCoordinateListFileName();
    view->Update();
    ModalHook::AnswerMessageBox(IDOK);
    RightClickAndChoose(ID_FEATUREVIEW_COORDINATE_LISTING);
    EXPECT_EQ(ModalHook::Shown().back().text, "Error Creating Coordinate List");
    EXPECT_FALSE(QFile::exists(LinuxPathFromWindows(stub)));
    EXPECT_EQ(ModalHook::PendingAnswers(), 0u);
}

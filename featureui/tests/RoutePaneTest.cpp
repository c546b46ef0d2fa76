// The route pane inside a host frame: each property change with the files it writes and what
// the host hears, the samples recoloured on the screen, the waypoint table, and routes added
// and removed through the buttons.
#include "featureui/panes/FeaturePaneResources.h"
#include "featureui/panes/RoutePane.h"
#include "featureui/tests/PaneTestFiles.h"
#include "features/RouteList.h"
#include "outside/panes/PropertyGridItems.h"
#include "outside/panes/symbols/VectorSymbolProperty.h"
#include "platform/core/WinApp.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/RecordingOwner.h"
#include "testsupport/UserInput.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace
{
const POSTED_MESSAGE kRoutesChanged{"UM_FEATURE_UPDATE", 3, 0};

// The files a route keeps beside it, by a short name: "DRW" drawing options, "COR" corridor,
// "ORDER" data order, "STATUS" status companion, "ROUTE" the route file itself.
std::vector<std::pair<std::string, CString>> RouteFiles(const CRoute& route)
{
    return {{"DRW", CDrawingOptions::GetFileName(CRoute::GetRoutesFolder(), route.m_Title)},
            {"COR", CCorridor::GetFileName(route.m_Title)},
            {"ORDER", CFeatureCommon::GetDataOrderFileName(route.m_FilePath)},
            {"STATUS", route.GetStatusFileName()},
            {"ROUTE", route.m_FilePath}};
}

struct RoutePaneFixture : ::testing::Test
{
    CWinApp app{"RoutePaneTest"};
    CRecordingOwner owner;
    CRouteList list;
    CRoutePane pane;
    // South 1000 m, then east 500 m.
    CString survey = WriteDataFile("survey.csv", "1000,2000\r\n1000,1000\r\n1500,1000\r\n");
    CString tie = WriteDataFile("tie.csv", "3000,4000\r\n3100,4000\r\n");

    void SetUp() override
    {
        list.m_ListName = "Routes";
        ASSERT_TRUE(owner.CreateOwner());
    }

    void Start(std::vector<CString> files)
    {
        for (const CString& path : files)
            ASSERT_TRUE(list.AddFile(path));
        ASSERT_TRUE(pane.Create(&owner, 33110, &list));
        ASSERT_NE(pane.GetAddButton(), nullptr);
        pane.ShowPane(TRUE, FALSE, FALSE);
        Pump();
        owner.Clear();
    }

    Messages Click(UINT nID, CWnd* button) { return PressButton(pane, owner, nID, button); }
};
} // namespace

TEST_F(RoutePaneFixture, EachChangeWritesItsFilesAndIsAnnouncedOnlyWhenItChangesSomething)
{
    struct Case
    {
        const char* what;
        DWORD_PTR id;
        COleVariant value;
        std::set<std::string> written;
        bool drawn;   // the redraw pair posted
        bool changed; // the list's changed flag set
    };
    const std::set<std::string> routeSave{"ROUTE", "ORDER", "STATUS", "DRW"};
    const std::vector<Case> cases = {
        {"display off", CRoutePane::ITEM_DISPLAY, COleVariant(false), {"DRW", "STATUS"}, true, true},
        {"display off again", CRoutePane::ITEM_DISPLAY, COleVariant(false), {}, false, false},
        {"line colour", CRoutePane::ITEM_LINE_COLOUR, COleVariant(static_cast<long>(0x00FF00)), {"DRW"}, true, true},
        {"line colour again", CRoutePane::ITEM_LINE_COLOUR, COleVariant(static_cast<long>(0x00FF00)), {}, false,
         false},
        {"line thickness", CRoutePane::ITEM_LINE_THICKNESS, COleVariant(static_cast<short>(3)), {"DRW"}, true, true},
        {"symbol", CRoutePane::ITEM_SYMBOL, COleVariant(static_cast<short>(7)), {"DRW"}, true, true},
        {"symbol size", CRoutePane::ITEM_SYMBOL_SIZE, COleVariant(static_cast<long>(4)), {"DRW"}, true, true},
        {"corridor on", CRoutePane::ITEM_CORRIDOR_DISPLAY, COleVariant(true), {"COR"}, true, false},
        {"corridor on again", CRoutePane::ITEM_CORRIDOR_DISPLAY, COleVariant(true), {"COR"}, true, false},
        {"port width", CRoutePane::ITEM_PORT_WIDTH, COleVariant(25.0), {"COR"}, true, true},
        {"port width again", CRoutePane::ITEM_PORT_WIDTH, COleVariant(25.0), {}, false, false},
        {"starboard width", CRoutePane::ITEM_STARBOARD_WIDTH, COleVariant(40.0), {"COR"}, true, true},
        {"corridor fill", CRoutePane::ITEM_CORRIDOR_FILL_STYLE, COleVariant(static_cast<short>(-1)), {"COR"}, true,
         true},
        {"corridor colour", CRoutePane::ITEM_CORRIDOR_COLOUR, COleVariant(static_cast<long>(0x0000FF)), {"COR"}, true,
         true},
        {"label mode", CRoutePane::ITEM_LABEL_MODE, COleVariant(static_cast<long>(2)), routeSave, true, true},
        {"label mode again", CRoutePane::ITEM_LABEL_MODE, COleVariant(static_cast<long>(2)), routeSave, true, true},
        {"label position", CRoutePane::ITEM_LABEL_POSITION, COleVariant(static_cast<long>(3)), routeSave, true, true},
        {"range and bearing", CRoutePane::ITEM_RANGE_BEARING, COleVariant(true), routeSave, true, true},
    };
    Start({survey});
    CRoute& route = *list.GetAt(0);
    const std::vector<std::pair<std::string, CString>> files = RouteFiles(route);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        for (const auto& file : files)
            QFile::remove(LinuxPathFromWindows(file.second));
        list.m_Changed = 0;
        owner.Clear();
        ASSERT_TRUE(NotifyGridChange(pane.GetPropertyGrid(), c.id, c.value));
        std::set<std::string> written;
        for (const auto& file : files)
            if (QFile::exists(LinuxPathFromWindows(file.second)))
                written.insert(file.first);
        EXPECT_EQ(written, c.written);
        EXPECT_EQ(owner.Messages(), c.drawn ? (Messages{kRedraw, kRedrawVector}) : Messages{});
        EXPECT_EQ(list.m_Changed != 0, c.changed);
    }
    EXPECT_FALSE(route.m_Status);
    EXPECT_EQ(route.m_Pen.Colour, 0x00FF00u);
    EXPECT_EQ(route.m_VectorSymbol, 7);
    EXPECT_TRUE(route.m_DisplayCorridor);
    EXPECT_DOUBLE_EQ(route.m_StarboardWidth, 40.0);
    EXPECT_EQ(route.m_CorridorFill, -1);
    EXPECT_EQ(route.m_LabelMode, 2);
    EXPECT_EQ(route.m_LabelPosition, 3);
    EXPECT_TRUE(route.m_ShowLegLabel);
    // The corridor followed the widths: 25 m to port of the first leg, which runs south.
    EXPECT_DOUBLE_EQ(route.GetAt(0).PortCorridor.x, 1025.0);
    // The route file was written back as it was read.
    EXPECT_EQ(ReadBytes(survey), QByteArray("1000.000, 2000.000\r\n1000.000, 1000.000\r\n1500.000, 1000.000\r\n"));

    // The display flag and the labels survive a reload.
    CRouteList next;
    ASSERT_TRUE(next.AddFile(survey));
    EXPECT_FALSE(next.GetAt(0)->m_Status);
    EXPECT_EQ(next.GetAt(0)->m_LabelMode, 2);
    EXPECT_EQ(next.GetAt(0)->m_LabelPosition, 3);
    EXPECT_TRUE(next.GetAt(0)->m_ShowLegLabel);
}

TEST_F(RoutePaneFixture, TheLineColourRecoloursTheSymbolAndTheLineTheCorridorColourOnlyItsFill)
{
    Start({survey});
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    ASSERT_TRUE(EditGridItem(grid, CRoutePane::ITEM_SYMBOL, CMFCPropertyGridVectorSymbolProperty::GetSymbolName(1)));
    ASSERT_TRUE(EditGridItem(grid, CRoutePane::ITEM_LINE_THICKNESS, "3"));
    ASSERT_TRUE(EditGridItem(grid, CRoutePane::ITEM_CORRIDOR_FILL_STYLE, "Solid"));
    ASSERT_TRUE(EditGridItem(grid, CRoutePane::ITEM_LINE_COLOUR, "Green"));
    const QColor green(0, 255, 0);
    EXPECT_GT(GridValuePixels(grid, "Type", green), 5);
    EXPECT_GT(GridValuePixels(grid, "Line Thickness", green), 5);
    EXPECT_EQ(GridValuePixels(grid, "Fill Style", green), 0);

    ASSERT_TRUE(EditGridItem(grid, CRoutePane::ITEM_CORRIDOR_COLOUR, "Red"));
    const QColor red(255, 0, 0);
    EXPECT_GT(GridValuePixels(grid, "Fill Style", red), 5);
    EXPECT_EQ(GridValuePixels(grid, "Type", red), 0);
    EXPECT_EQ(GridValuePixels(grid, "Line Thickness", red), 0);
}

TEST_F(RoutePaneFixture, TheTableNamesTheWaypointsAndShowsEachLeg)
{
    CFeatureCommon::SaveDataOrderFile(tie, ROUTE_NAME_ENG_NNG);
    const CString named = WriteDataFile("named.csv", "KP 50%d,3000,4000\r\nEnd %s,3100,4000\r\n");
    CFeatureCommon::SaveDataOrderFile(named, ROUTE_NAME_ENG_NNG);
    Start({survey, named});
    pane.GetFileCombo()->SetCurSel(0);
    pane.OnRouteCombo();
    EXPECT_EQ(TableHeadings(pane.GetTable()), (Strings{"Name", "Easting", "Northing", "Range", "Bearing"}));
    EXPECT_EQ(TableCells(pane.GetTable()),
              (std::vector<Strings>{{"WPT 1", "1000.000", "2000.000", "1000.00m", "180.0\xB0"},
                                    {"WPT 2", "1000.000", "1000.000", "500.00m", "90.0\xB0"},
                                    {"WPT 3", "1500.000", "1000.000", "0.00m", "0.0\xB0"}}));
    // The names are the route's own.
    EXPECT_EQ(list.GetAt(0)->GetAt(2).Name, "WPT 3");

    pane.GetFileCombo()->SetCurSel(1);
    pane.OnRouteCombo();
    EXPECT_EQ(TableCells(pane.GetTable())[0][0], "KP 50%d");
    EXPECT_EQ(TableCells(pane.GetTable())[1][0], "End %s");

    // A data order read again: the companion, the table, the host told to recompute.
    owner.Clear();
    ASSERT_TRUE(EditGridItem(pane.GetPropertyGrid(), CRoutePane::ITEM_DATA_ORDER, "Easting, Northing"));
    EXPECT_EQ(owner.Messages(), (Messages{kRedraw, kRedrawVector, kRecompute}));
    EXPECT_TRUE(ReadBytes(CFeatureCommon::GetDataOrderFileName(named)).startsWith("Data Order = 0\r\n"));
    // A text that is no data order: only the redraw and the recompute message.
    owner.Clear();
    ASSERT_TRUE(NotifyGridChange(pane.GetPropertyGrid(), CRoutePane::ITEM_DATA_ORDER, COleVariant("Name only")));
    EXPECT_EQ(owner.Messages(), (Messages{kRedraw, kRedrawVector, kRecompute}));
    EXPECT_EQ(list.GetAt(1)->m_DataOrder, ROUTE_ENG_NNG);

    // A row click centres the chart on the waypoint.
    pane.GetFileCombo()->SetCurSel(0);
    pane.OnRouteCombo();
    CRect row;
    ASSERT_TRUE(pane.GetTable().GetItemRect(2, &row, LVIR_BOUNDS));
    owner.Clear();
    UserInput::ClickClient(&pane.GetTable(), row.left + 5, row.CenterPoint().y);
    EXPECT_EQ(owner.Messages().size(), 2u);
}

TEST_F(RoutePaneFixture, RoutesAddedAndRemovedTellTheHostTheirKind)
{
    Start({});
    EXPECT_EQ(pane.GetTitle(), "Route Properties");
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), (Strings{"No Files Selected"}));
    CString twin = survey;
    twin.MakeUpper();
    const CString notes = WriteDataFile("notes.csv", "not a route\r\n");
    ModalHook::AnswerFileDialog({survey, twin, notes, tie});
    ModalHook::AnswerMessageBox(IDOK);
    EXPECT_EQ(Click(IDC_ADD_ROUTE_FILE, pane.GetAddButton()),
              (Messages{kRedraw, kRedrawVector, kRecompute, kRoutesChanged}));
    // The file that is there but no route is refused with a word, and left as it was.
    EXPECT_EQ(ModalHook::Shown()[0].caption, "Route Files ....");
    EXPECT_EQ(ModalHook::Shown().back().text, "Unable to read C:\\Data\\notes.csv");
    EXPECT_EQ(ReadBytes(notes), QByteArray("not a route\r\n"));
    ASSERT_EQ(list.GetSize(), 2);
    EXPECT_EQ(list.GetAt(1)->m_FilePath, tie);
    EXPECT_EQ(pane.GetFileCombo()->GetCurSel(), 1);
    EXPECT_EQ(list.m_EditFileIndex, 1);
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), (Strings{"Properties", "Line", "Symbol", "Corridor", "Label"}));
    EXPECT_EQ(ReadBytes(SettingsFile("Routes", "FLS")), QByteArray("[Route]\r\nC:\\Data\\survey.csv\r\nC:\\Data\\tie.csv\r\n"));

    // What the user sees: one window, the grid and the table inside it.
    EXPECT_EQ(FrameProbe::StrayTopLevels(&owner), std::vector<std::string>());
    const QImage frame = FrameProbe::GrabWindow(&owner);
    const QRect gridRect = FrameProbe::PaneRect(&pane.GetPropertyGrid());
    ASSERT_TRUE(frame.rect().contains(gridRect.center()));
    EXPECT_GT(FrameProbe::ContentPixels(frame, gridRect), 50);

    EXPECT_EQ(Click(IDC_REMOVE_ROUTE_FILE, pane.GetRemoveButton()), (Messages{kRoutesChanged, kRedraw, kRedrawVector}));
    ASSERT_EQ(list.GetSize(), 1);
    EXPECT_EQ(list.m_EditFileIndex, 0);
    EXPECT_EQ(ReadBytes(SettingsFile("Routes", "FLS")), QByteArray("[Route]\r\nC:\\Data\\survey.csv\r\n"));

    // The dialog returns no name.
    ModalHook::AnswerFileDialog({" "});
    ModalHook::AnswerMessageBox(IDOK);
    EXPECT_TRUE(Click(IDC_ADD_ROUTE_FILE, pane.GetAddButton()).empty());
    EXPECT_EQ(ModalHook::Shown().back().text, "Requires a file name");
    EXPECT_EQ(list.GetSize(), 1);
}

// The route position list pane inside a host frame: its own file dialog, the route table point
// by point, property changes with the "_RPL" companion and what the host hears, and the one
// file that the grid, the table and every change follow.
#include "featureui/panes/FeaturePaneResources.h"
#include "featureui/panes/RplPane.h"
#include "featureui/tests/PaneTestFiles.h"
#include "features/RplList.h"
#include "outside/panes/PropertyGridItems.h"
#include "platform/core/WinApp.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/RecordingOwner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
CString Companion(const CRPL& rpl)
{
    return SettingsFile(rpl.GetSettingsName());
}

struct RplPaneFixture : ::testing::Test
{
    CWinApp app{"RplPaneTest"};
    CRecordingOwner owner;
    CRPLList list;
    CRPLPane pane;
    // Vertices (easting, northing, radius): north 1000 m, a 200 m turn to starboard, east.
    CString turn = WriteDataFile("turn.csv", "1000,1000,0\r\n1000,2000,200\r\n2000,2000,0\r\n");
    CString straight = WriteDataFile("straight.csv", "5000,5000,0\r\n5000,6000,0\r\n");
    CString single = WriteDataFile("single.csv", "7000,7000,0\r\n");

    void SetUp() override { ASSERT_TRUE(owner.CreateOwner()); }

    void Start()
    {
        ASSERT_TRUE(pane.Create(&owner, 33130, &list));
        ASSERT_NE(pane.GetAddButton(), nullptr);
        pane.ShowPane(TRUE, FALSE, FALSE);
        Pump();
        owner.Clear();
    }
    Messages Click(UINT nID, CWnd* button) { return PressButton(pane, owner, nID, button); }
    Messages Add(std::vector<CString> paths)
    {
        ModalHook::AnswerFileDialog(std::move(paths));
        return Click(IDC_ADD_RPL_FILE, pane.GetAddButton());
    }
    void ChooseFile(int index) { ChooseComboEntry(pane, pane.GetFileCombo(), IDC_RPL_COMBO, index); }
    Strings Labels()
    {
        Strings labels;
        for (const Strings& row : TableCells(pane.GetRplTable()))
            labels.push_back(row[0]);
        return labels;
    }
};
} // namespace

TEST_F(RplPaneFixture, TheTableListsTheRoutePointByPoint)
{
    Start();
    EXPECT_EQ(pane.GetTitle(), "RPL");
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), (Strings{"No Files Selected"}));
    EXPECT_EQ(Add({turn}), (Messages{kRedraw, kRedrawVector, kRecompute}));
    const MODAL_RECORD& dialog = ModalHook::Shown().back();
    EXPECT_EQ(dialog.caption, "RPL Files....");
    EXPECT_EQ(dialog.text, "RPL Files (*.csv)|*.csv|Evia RLX Files (*.rlx)|*.rlx|Text Files (*.txt)|*.txt|All Files (*.*)|*.*||");
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), (Strings{"Properties", "Line", "Corridor", "Anchor Cable Alarm"}));
    EXPECT_EQ(TableHeadings(pane.GetRplTable()),
              (Strings{"Point", "KP (km)", "Easting (m)", "Northing (m)", "Radius (m)", "Direction"}));
    EXPECT_EQ(Labels(), (Strings{"Start", "TP 1", "IP 1", "CP 1", "TP 2", "End"}));
    const auto cells = TableCells(pane.GetRplTable());
    const RPLDef& vertex = list.GetAt(0)->GetAt(1);
    EXPECT_EQ(cells[0], (Strings{"Start", "0.000", "1000.00", "1000.00", "", ""}));
    EXPECT_EQ(cells[2], (Strings{"IP 1", "", "1000.00", "2000.00", "", ""}));
    EXPECT_EQ(cells[3][4], "200");
    EXPECT_EQ(cells[3][5], "Clockwise");
    CString kp;
    kp.Format("%.3lf", vertex.KPArcEnd);
    EXPECT_EQ(cells[4][1], kp.GetString());

    Add({straight, single});
    ChooseFile(1);
    EXPECT_EQ(Labels(), (Strings{"Start", "End"}));
    ChooseFile(2);
    EXPECT_EQ(Labels(), (Strings{"Start"}));
    EXPECT_EQ(TableCells(pane.GetRplTable())[0], (Strings{"Start", "0.000", "7000.00", "7000.00", "", ""}));

    // The table: grey rows under the dark header by day, black at night.
    EXPECT_EQ(pane.GetRplTable().GetExtendedStyle() & 0x23u, 0x23u);
    EXPECT_EQ(pane.GetRplTable().GetBkColor(), 0xD6D6D6u);
    pane.SetNightMode(true);
    EXPECT_EQ(pane.GetRplTable().GetBkColor(), 0x000000u);
    EXPECT_EQ(pane.GetRplTable().GetTextColor(), 0xC0C0C0u);
    pane.SetDaylightMode();
    EXPECT_EQ(pane.GetRplTable().GetBkColor(), 0xD6D6D6u);

    // What the user sees: one window, the table's rows inside it.
    EXPECT_EQ(FrameProbe::StrayTopLevels(&owner), std::vector<std::string>());
    const QImage frame = FrameProbe::GrabWindow(&owner);
    const QRect table = FrameProbe::PaneRect(&pane.GetRplTable());
    ASSERT_TRUE(frame.rect().contains(table.center()));
    EXPECT_GT(FrameProbe::ContentPixels(frame, table), 20);
}

TEST_F(RplPaneFixture, EveryChangeIsSavedAndTheAlarmValuesOnlyRecompute)
{
    Start();
    Add({turn});
    struct Case
    {
        const char* what;
        DWORD_PTR id;
        COleVariant value;
        const char* line; // in the "_RPL" companion afterwards
        Messages posted;
    };
    const Messages redraw{kRedraw, kRedrawVector};
    const std::vector<Case> cases = {
        {"display", CRPLPane::ITEM_DISPLAY, COleVariant(false), "Use = 0\r\n", redraw},
        {"diameter", CRPLPane::ITEM_DIAMETER, COleVariant(static_cast<short>(24)), "Diameter = 24\r\n", {kRecompute}},
        {"line colour", CRPLPane::ITEM_LINE_COLOUR, COleVariant(static_cast<long>(0x00FF00)), "Pipeline Pen = 65280, ",
         redraw},
        {"corridor display", CRPLPane::ITEM_CORRIDOR_DISPLAY, COleVariant(true), "Display Corridor = 1\r\n", redraw},
        {"port width", CRPLPane::ITEM_PORT_WIDTH, COleVariant(30.0), "Port Corridor = 30.000\r\n", redraw},
        {"starboard width", CRPLPane::ITEM_STARBOARD_WIDTH, COleVariant(35.0), "Stdb Corridor = 35.000\r\n", redraw},
        {"clearance", CRPLPane::ITEM_CLEARANCE, COleVariant(50.0), "Clearance = 50.000\r\n", {kRecompute}},
        {"tolerance", CRPLPane::ITEM_TOLERANCE, COleVariant(5.0), "Tolerance = 5.000\r\n", {kRecompute}},
    };
    const CString companion = Companion(*list.GetAt(0));
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        owner.Clear();
        ASSERT_TRUE(NotifyGridChange(pane.GetPropertyGrid(), c.id, c.value));
        EXPECT_EQ(owner.Messages(), c.posted);
        EXPECT_TRUE(ReadBytes(companion).contains(c.line)) << ReadBytes(companion).constData();
    }
    // A value set to what it is still writes the companion.
    QFile::remove(LinuxPathFromWindows(companion));
    ASSERT_TRUE(NotifyGridChange(pane.GetPropertyGrid(), CRPLPane::ITEM_TOLERANCE, COleVariant(5.0)));
    EXPECT_TRUE(ReadBytes(companion).contains("Tolerance = 5.000\r\n"));

    // The corridor colour redraws and recolours the fill sample; the alarm values are never
    // locked.
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    ASSERT_TRUE(EditGridItem(grid, CRPLPane::ITEM_CORRIDOR_FILL_STYLE, "Solid"));
    owner.Clear();
    ASSERT_TRUE(EditGridItem(grid, CRPLPane::ITEM_CORRIDOR_COLOUR, "Red"));
    EXPECT_EQ(owner.Messages(), redraw);
    EXPECT_GT(GridValuePixels(grid, "Fill Style", QColor(255, 0, 0)), 5);
    ASSERT_TRUE(CMFCPropertyGridPasswordProperty::SetPassword("rpl"));
    pane.InitPropList();
    EXPECT_TRUE(EditGridItem(grid, CRPLPane::ITEM_CLEARANCE, "60"));
    EXPECT_DOUBLE_EQ(list.GetAt(0)->m_Clearance, 60.0);
}

TEST_F(RplPaneFixture, GridTableAndChangesFollowOneFile)
{
    Start();
    // Two files added: the grid shows the last one chosen, and so do the table and the combo.
    Add({straight, turn});
    ASSERT_EQ(list.GetSize(), 2);
    EXPECT_EQ(pane.GetGridFileName(), turn);
    EXPECT_EQ(pane.GetCurrentFile(), 1);
    EXPECT_EQ(pane.GetFileCombo()->GetCurSel(), 1);
    EXPECT_EQ(Labels().size(), 6u);
    ASSERT_TRUE(NotifyGridChange(pane.GetPropertyGrid(), CRPLPane::ITEM_DIAMETER, COleVariant(static_cast<short>(12))));
    EXPECT_EQ(list.GetAt(1)->m_Diameter, 12);
    EXPECT_NE(list.GetAt(0)->m_Diameter, 12);

    // The combo refilled: the first file everywhere.
    pane.SetupComboBox();
    EXPECT_EQ(pane.GetGridFileName(), straight);
    EXPECT_EQ(Labels(), (Strings{"Start", "End"}));
    ASSERT_TRUE(NotifyGridChange(pane.GetPropertyGrid(), CRPLPane::ITEM_DIAMETER, COleVariant(static_cast<short>(30))));
    EXPECT_EQ(list.GetAt(0)->m_Diameter, 30);
    EXPECT_EQ(list.GetAt(1)->m_Diameter, 12);

    ChooseFile(1);
    EXPECT_EQ(pane.GetGridFileName(), turn);
    EXPECT_EQ(Labels().size(), 6u);

    // Removing the file shown: the first file again; removing the last: nothing shown.
    EXPECT_EQ(Click(IDC_REMOVE_RPL_FILE, pane.GetRemoveButton()), (Messages{kRedraw, kRedrawVector, kRecompute}));
    ASSERT_EQ(list.GetSize(), 1);
    EXPECT_EQ(ReadBytes(SettingsFile("RPLs", "FLS")), QByteArray("[RPLs]\r\nC:\\Data\\straight.csv\r\n"));
    EXPECT_EQ(pane.GetCurrentFile(), 0);
    EXPECT_EQ(Labels(), (Strings{"Start", "End"}));
    Click(IDC_REMOVE_RPL_FILE, pane.GetRemoveButton());
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), (Strings{"No Files Selected"}));
    EXPECT_TRUE(TableHeadings(pane.GetRplTable()).empty());
    EXPECT_TRUE(Click(IDC_REMOVE_RPL_FILE, pane.GetRemoveButton()).empty());
}

TEST_F(RplPaneFixture, BadInputChangesNothing)
{
    Start();
    Add({turn});
    // A cancelled dialog.
    ModalHook::CancelFileDialog();
    EXPECT_TRUE(Click(IDC_ADD_RPL_FILE, pane.GetAddButton()).empty());
    // A file that fails to load is dropped; the list and its file list stay as they were.
    const QByteArray fileList = ReadBytes(SettingsFile("RPLs", "FLS"));
    const CString broken = WriteDataFile("broken.csv", "no route here\r\n");
    CString twin = turn;
    twin.MakeUpper();
    Add({broken, twin});
    ASSERT_EQ(list.GetSize(), 1);
    EXPECT_EQ(ReadBytes(SettingsFile("RPLs", "FLS")), fileList);
    EXPECT_EQ(pane.GetCurrentFile(), 0);

    // The host emptied the list behind the pane's back: nothing reaches past its end.
    list.DeleteAll();
    owner.Clear();
    EXPECT_TRUE(NotifyGridChange(pane.GetPropertyGrid(), CRPLPane::ITEM_CLEARANCE, COleVariant(9.0)));
    EXPECT_TRUE(owner.Messages().empty());
    EXPECT_TRUE(Click(IDC_REMOVE_RPL_FILE, pane.GetRemoveButton()).empty());
    ChooseFile(0);
    pane.UpdateAllPositions();
    EXPECT_EQ(pane.GetRplTable().GetItemCount(), 0);
}

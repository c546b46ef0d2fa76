// The grid waypoint pane inside a host frame, as the anchor-cable program makes it (its
// obstruction pane, alarm flag set) and as other hosts do: the password lock of the alarm
// values, every property change with the companion file it writes and what the host hears,
// data orders, and files added and removed.
#include "featureui/panes/FeaturePaneResources.h"
#include "featureui/panes/GridWaypointPane.h"
#include "features/GridWaypointList.h"
#include "foundation/ConfigFile.h"
#include "outside/panes/PropertyGridItems.h"
#include "outside/panes/symbols/VectorSymbolProperty.h"
#include "platform/core/Path.h"
#include "platform/core/WinApp.h"
#include "platform/ui/ModalHook.h"
#include "featureui/tests/PaneTestFiles.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/UserInput.h"
#include "testsupport/RecordingOwner.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
const POSTED_MESSAGE kWaypointsChanged{"UM_FEATURE_UPDATE", 1, 0};

CString Companion(const CGridWaypoint& waypoints)
{
    return SettingsFile(waypoints.GetSettingsName());
}

struct GridWaypointPaneFixture : ::testing::Test
{
    CWinApp app{"GridWaypointPaneTest"};
    CRecordingOwner owner;
    CGridWaypointList list;
    CGridWaypointPane pane;
    // Easting, northing, height, name: the default column order.
    CString wrecks = WriteDataFile("wrecks.csv", "1000.5,2000.25,-12,Wreck A\r\n1100,2100,-15,Wreck B\r\n");
    CString buoys = WriteDataFile("buoys.csv", "500,600,0,B1\r\n");

    void SetUp() override { ASSERT_TRUE(owner.CreateOwner()); }

    // As the anchor-cable program does: its frame, 33050, "Obstructions", the alarm flag.
    void Start(bool bAlarm, std::vector<CString> files = {})
    {
        for (const CString& path : files)
        {
            auto* waypoints = new CGridWaypoint;
            ASSERT_TRUE(waypoints->Load(path));
            list.Add(waypoints);
        }
        ASSERT_TRUE(pane.Create(&owner, 33050, "Obstructions", &list, bAlarm));
        ASSERT_NE(pane.GetAddButton(), nullptr);
        pane.SetupComboBox();
        pane.ShowPane(TRUE, FALSE, FALSE);
        owner.Clear();
    }

    CMFCPropertyGridProperty* Item(DWORD_PTR id) { return FindGridItem(pane.GetPropertyGrid(), id); }
    bool Locked(DWORD_PTR id)
    {
        auto* item = dynamic_cast<CMFCPropertyGridDouble*>(Item(id));
        return item != nullptr && item->IsLocked();
    }
    // Sets the item's value and lets the grid tell the pane, as an edit ending does.
    Messages Change(DWORD_PTR id, const COleVariant& value)
    {
        owner.Clear();
        EXPECT_TRUE(NotifyGridChange(pane.GetPropertyGrid(), id, value)) << "item " << id;
        return owner.Messages();
    }
    Messages AddFiles(std::vector<CString> paths)
    {
        owner.Clear();
        ModalHook::AnswerFileDialog(std::move(paths));
        pane.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ADD_MARKER_FILE, BN_CLICKED),
                         reinterpret_cast<LPARAM>(pane.GetAddButton()->GetSafeHwnd()));
        return owner.Messages();
    }
    void ChooseFile(int index) { ChooseComboEntry(pane, pane.GetFileCombo(), IDC_MARKER_COMBO, index); }
};
} // namespace

TEST_F(GridWaypointPaneFixture, ClearanceAndToleranceStayLockedUntilThePasswordIsGiven)
{
    ASSERT_TRUE(CMFCPropertyGridPasswordProperty::SetPassword("anchor"));
    Start(true, {wrecks, buoys});
    EXPECT_EQ(pane.GetTitle(), "Obstructions");
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), (Strings{"Properties", "Waypoint", "Anchor Cable Alarm"}));
    EXPECT_EQ(Item(CGridWaypointPane::ITEM_RINGS_DISPLAY), nullptr);
    ASSERT_NE(Item(CGridWaypointPane::ITEM_PASSWORD), nullptr);

    // One window on the screen; the pane's grid is grey inside it, the waypoints listed below.
    Pump();
    EXPECT_EQ(FrameProbe::StrayTopLevels(&owner), std::vector<std::string>());
    const QImage frame = FrameProbe::GrabWindow(&owner);
    const QRect gridRect = FrameProbe::PaneRect(&pane.GetPropertyGrid());
    ASSERT_TRUE(frame.rect().contains(gridRect.center()));
    int grey = 0;
    for (int y = gridRect.top(); y < gridRect.bottom(); y += 3)
        grey += frame.pixelColor(gridRect.right() - 6, y) == QColor(0xD6, 0xD6, 0xD6) ? 1 : 0;
    EXPECT_GT(grey, 5);
    EXPECT_EQ(TableCells(pane.GetTable()).size(), 2u);

    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    EXPECT_TRUE(Locked(CGridWaypointPane::ITEM_CLEARANCE));
    EXPECT_TRUE(Locked(CGridWaypointPane::ITEM_TOLERANCE));
    EXPECT_FALSE(EditGridItem(grid, CGridWaypointPane::ITEM_CLEARANCE, "30"));

    EditGridItem(grid, CGridWaypointPane::ITEM_PASSWORD, "Anchor"); // wrong
    EXPECT_TRUE(Locked(CGridWaypointPane::ITEM_CLEARANCE));
    EXPECT_TRUE(Locked(CGridWaypointPane::ITEM_TOLERANCE));

    EditGridItem(grid, CGridWaypointPane::ITEM_PASSWORD, "anchor");
    EXPECT_FALSE(Locked(CGridWaypointPane::ITEM_CLEARANCE));
    EXPECT_FALSE(Locked(CGridWaypointPane::ITEM_TOLERANCE));
    EXPECT_TRUE(EditGridItem(grid, CGridWaypointPane::ITEM_CLEARANCE, "30"));
    EXPECT_DOUBLE_EQ(list.GetAt(0)->m_Clearance, 30.0);

    // The end of the ten minutes locks them again.
    pane.SendMessage(WM_TIMER, CGridWaypointPane::UNLOCK_TIMER, 0);
    EXPECT_TRUE(Locked(CGridWaypointPane::ITEM_CLEARANCE));
    EXPECT_TRUE(Locked(CGridWaypointPane::ITEM_TOLERANCE));

    // So does choosing another file before then.
    EditGridItem(grid, CGridWaypointPane::ITEM_PASSWORD, "anchor");
    ASSERT_FALSE(Locked(CGridWaypointPane::ITEM_TOLERANCE));
    ChooseFile(1);
    EXPECT_TRUE(Locked(CGridWaypointPane::ITEM_CLEARANCE));
    EXPECT_TRUE(Locked(CGridWaypointPane::ITEM_TOLERANCE));
    pane.SendMessage(WM_TIMER, CGridWaypointPane::UNLOCK_TIMER, 0);
}

TEST_F(GridWaypointPaneFixture, WithoutAPasswordOrAnAlarmThereIsNoLock)
{
    Start(true, {wrecks});
    EXPECT_FALSE(Locked(CGridWaypointPane::ITEM_CLEARANCE));
    EXPECT_FALSE(Locked(CGridWaypointPane::ITEM_TOLERANCE));
    EXPECT_EQ(Item(CGridWaypointPane::ITEM_PASSWORD), nullptr);
    EXPECT_TRUE(EditGridItem(pane.GetPropertyGrid(), CGridWaypointPane::ITEM_TOLERANCE, "12.5"));

    CGridWaypointPane plain;
    ASSERT_TRUE(CMFCPropertyGridPasswordProperty::SetPassword("anchor"));
    ASSERT_TRUE(plain.Create(&owner, 33051, "Waypoints", &list, false));
    EXPECT_EQ(GridGroupNames(plain.GetPropertyGrid()), (Strings{"Properties", "Waypoint", "Rings"}));
    EXPECT_EQ(FindGridItem(plain.GetPropertyGrid(), CGridWaypointPane::ITEM_CLEARANCE), nullptr);
    EXPECT_EQ(FindGridItem(plain.GetPropertyGrid(), CGridWaypointPane::ITEM_PASSWORD), nullptr);
}

TEST_F(GridWaypointPaneFixture, EachChangeIsSavedToTheCompanionAndAnnounced)
{
    struct Case
    {
        const char* what;
        bool alarm; // which pane shows the item
        DWORD_PTR id;
        COleVariant value;
        const char* line; // in the companion afterwards
        Messages posted;
    };
    const Messages redraw{kRedraw, kRedrawVector};
    const std::vector<Case> cases = {
        {"display", true, CGridWaypointPane::ITEM_DISPLAY, COleVariant(false), "Use = 0\r\n", redraw},
        {"display, the same again", true, CGridWaypointPane::ITEM_DISPLAY, COleVariant(false), "Use = 0\r\n", redraw},
        {"symbol", true, CGridWaypointPane::ITEM_SYMBOL, COleVariant(static_cast<short>(7)), "Symbol = 7\r\n",
         redraw},
        {"colour", true, CGridWaypointPane::ITEM_COLOUR, COleVariant(static_cast<long>(0x0000FF)),
         "Colour = 255\r\n", redraw},
        {"symbol size", true, CGridWaypointPane::ITEM_SYMBOL_SIZE, COleVariant(static_cast<long>(4)), "Size = 4\r\n",
         redraw},
        {"label mode", true, CGridWaypointPane::ITEM_LABEL_MODE, COleVariant(static_cast<long>(2)),
         "Label Mode = 2\r\n", redraw},
        {"label position", true, CGridWaypointPane::ITEM_LABEL_POSITION, COleVariant(static_cast<long>(3)),
         "Label Position = 3\r\n", redraw},
        {"clearance", true, CGridWaypointPane::ITEM_CLEARANCE, COleVariant(30.0), "Clearance = 30.000\r\n",
         {kRecompute}},
        {"tolerance", true, CGridWaypointPane::ITEM_TOLERANCE, COleVariant(12.5), "Tolerance = 12.500\r\n",
         {kRecompute, kRedraw, kRedrawVector}},
        {"tolerance circle", true, CGridWaypointPane::ITEM_DRAW_TOLERANCE_CIRCLE, COleVariant(true),
         "Draw Rings = 1\r\n", redraw},
        {"rings display", false, CGridWaypointPane::ITEM_RINGS_DISPLAY, COleVariant(false), "Draw Rings = 0\r\n",
         redraw},
        {"number of rings", false, CGridWaypointPane::ITEM_NUMBER_OF_RINGS, COleVariant(static_cast<long>(5)),
         "No Rings = 5\r\n", redraw},
        {"ring size", false, CGridWaypointPane::ITEM_RING_SIZE, COleVariant(250.0),
         "Tolerance = 0.000\r\n", redraw},
        {"ring colour", false, CGridWaypointPane::ITEM_RING_COLOUR, COleVariant(static_cast<long>(0x00FF00)),
         "Ring Colour = 65280\r\n", redraw},
    };
    Start(true, {wrecks});
    CGridWaypointPane plain;
    ASSERT_TRUE(plain.Create(&owner, 33051, "Waypoints", &list, false));
    const CString companion = Companion(*list.GetAt(0));
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CMyMFCPropertyGridCtrl& grid = c.alarm ? pane.GetPropertyGrid() : plain.GetPropertyGrid();
        owner.Clear();
        ASSERT_TRUE(NotifyGridChange(grid, c.id, c.value));
        EXPECT_EQ(owner.Messages(), c.posted);
        EXPECT_TRUE(ReadBytes(companion).contains(c.line)) << ReadBytes(companion).constData();
    }
    const CGridWaypoint& waypoints = *list.GetAt(0);
    EXPECT_FALSE(waypoints.m_Use);
    EXPECT_EQ(waypoints.m_Symbol, 7);
    EXPECT_EQ(waypoints.m_Colour, 0x0000FFu);
    EXPECT_EQ(waypoints.m_Size, SYMBOL_LARGE);
    EXPECT_DOUBLE_EQ(waypoints.m_Clearance, 30.0);
    EXPECT_DOUBLE_EQ(waypoints.m_RingSizeMetres, 250.0);
    EXPECT_DOUBLE_EQ(waypoints.m_Tolerance, 0.0); // the ring size reset it
    EXPECT_EQ(waypoints.m_NoRings, 5);
    // The symbol's sample took the new colour.
    auto* symbol = dynamic_cast<CMFCPropertyGridVectorSymbolProperty*>(Item(CGridWaypointPane::ITEM_SYMBOL));
    ASSERT_NE(symbol, nullptr);
    EXPECT_EQ(symbol->GetColour(), 0x0000FFu);
}

TEST_F(GridWaypointPaneFixture, ADataOrderReloadsTheFileInItsColumns)
{
    const CString named = WriteDataFile("named.csv", "W1,1000,2000,5\r\nW2,1010,2020,7.5\r\n");
    Start(false, {wrecks, named});
    ChooseFile(1);
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    EXPECT_TRUE(EditGridItem(grid, CGridWaypointPane::ITEM_DATA_ORDER, "Eng, Nng, Ht, Radius"));
    EXPECT_EQ(TableHeadings(pane.GetTable()), (Strings{"Name", "Easting", "Northing", "Ht", "Radius"}));

    owner.Clear();
    EXPECT_TRUE(EditGridItem(grid, CGridWaypointPane::ITEM_DATA_ORDER, "Name, Eng, Nng, Radius"));
    EXPECT_EQ(owner.Messages(), (Messages{kRedraw, kRedrawVector, kRecompute}));
    EXPECT_EQ(list.GetAt(1)->m_DataOrder, 8);
    EXPECT_TRUE(ReadBytes(Companion(*list.GetAt(1))).startsWith("Data Order = 8\r\n"));
    EXPECT_EQ(TableHeadings(pane.GetTable()), (Strings{"Name", "Easting", "Northing", "Radius"}));
    EXPECT_EQ(TableCells(pane.GetTable()),
              (std::vector<Strings>{{"W1", "1000.000", "2000.000", "5.000"}, {"W2", "1010.000", "2020.000", "7.500"}}));

    // A text that is no data order changes nothing, and the host still hears of it.
    EXPECT_EQ(Change(CGridWaypointPane::ITEM_DATA_ORDER, COleVariant("Eng, Nng, Depth")),
              (Messages{kRedraw, kRedrawVector, kRecompute}));
    EXPECT_EQ(list.GetAt(1)->m_DataOrder, 8);
    EXPECT_EQ(list.GetAt(1)->GetSize(), 2);

    // The other file keeps its order and its height column.
    ChooseFile(0);
    EXPECT_EQ(TableHeadings(pane.GetTable()), (Strings{"Name", "Easting", "Northing", "Ht"}));
    EXPECT_EQ(TableCells(pane.GetTable())[0], (Strings{"Wreck A", "1000.500", "2000.250", "-12.000"}));
}

TEST_F(GridWaypointPaneFixture, FilesAreAddedOnceAndRemovedWithTheHostTold)
{
    Start(true);
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), (Strings{"No Files Selected"}));
    EXPECT_EQ(list.m_EditFileIndex, -1);

    CString twin = wrecks;
    twin.MakeUpper();
    const CString unreadable = "C:\\Data\\nothing.csv";
    EXPECT_EQ(AddFiles({wrecks, unreadable, twin, buoys}),
              (Messages{kRedraw, kRedrawVector, kRecompute, kWaypointsChanged}));
    EXPECT_EQ(ModalHook::Shown().back().caption, "Waypoint Files ....");
    ASSERT_EQ(list.GetSize(), 2);
    EXPECT_EQ(list.GetAt(0)->m_FilePath, wrecks);
    EXPECT_EQ(list.GetAt(1)->m_FilePath, buoys);
    EXPECT_EQ(ReadBytes(SettingsFile("GRID_Waypoints", "FLS")),
              QByteArray("[GRID Waypoints]\r\nC:\\Data\\wrecks.csv\r\nC:\\Data\\buoys.csv\r\n"));
    // Every file now serves the anchor-cable program, and says so in its companion.
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
    {
        EXPECT_TRUE(list.GetAt(i)->m_ZuduzuroMode);
        EXPECT_TRUE(ReadBytes(Companion(*list.GetAt(i))).contains("Zuduzuro Mode = 1\r\n"));
    }
    EXPECT_EQ(pane.GetFileCombo()->GetCurSel(), 1);
    EXPECT_EQ(list.m_EditFileIndex, 1);
    EXPECT_EQ(TableCells(pane.GetTable()), (std::vector<Strings>{{"B1", "500.000", "600.000", "0.000"}}));

    // A row clicked centres the chart on that waypoint.
    CRect row;
    ChooseFile(0);
    ASSERT_TRUE(pane.GetTable().GetItemRect(1, &row, LVIR_BOUNDS));
    owner.Clear();
    UserInput::ClickClient(&pane.GetTable(), row.left + 5, row.CenterPoint().y);
    EXPECT_EQ(owner.Messages().size(), 2u);

    owner.Clear();
    pane.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_REMOVE_MARKER_FILE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(pane.GetRemoveButton()->GetSafeHwnd()));
    EXPECT_EQ(owner.Messages(), (Messages{kRedraw, kRedrawVector, kRecompute, kWaypointsChanged}));
    ASSERT_EQ(list.GetSize(), 1);
    EXPECT_EQ(list.GetAt(0)->m_FilePath, buoys);
    EXPECT_EQ(list.m_EditFileIndex, 0);
    EXPECT_EQ(ReadBytes(SettingsFile("GRID_Waypoints", "FLS")),
              QByteArray("[GRID Waypoints]\r\nC:\\Data\\buoys.csv\r\n"));
}

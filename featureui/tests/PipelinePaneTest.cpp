// The pipeline pane inside a host frame, as the anchor-cable program makes it (alarm flag set)
// and as other hosts do: every property change with the settings companion it writes and what
// the host hears, the password lock of the alarm values, the table by data order, and files
// added and removed.
#include "featureui/panes/FeaturePaneResources.h"
#include "featureui/panes/PipelinePane.h"
#include "features/PipelineList.h"
#include "features/RedrawChart.h"
#include "foundation/ConfigFile.h"
#include "outside/panes/PropertyGridItems.h"
#include "platform/core/Path.h"
#include "platform/core/WinApp.h"
#include "platform/ui/ModalHook.h"
#include "featureui/tests/PaneTestFiles.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/RecordingOwner.h"
#include "testsupport/UserInput.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{

CString Companion(const CPipeline& pipeline)
{
    return SettingsFile(pipeline.GetSettingsName());
}

struct PipelinePaneFixture : ::testing::Test
{
    CWinApp app{"PipelinePaneTest"};
    CRecordingOwner owner;
    CPipelineList list;
    CPipelinePane pane;
    // East 1000 m, then north 500 m: bearings of π/2 and 0.
    CString export1 = WriteDataFile("export1.csv", "1000,2000\r\n2000,2000\r\n2000,2500\r\n");
    // KP first.
    CString kpFirst = WriteDataFile("kpfirst.csv", "0.5,500,600\r\n0.6,500,700\r\n");

    void SetUp() override { ASSERT_TRUE(owner.CreateOwner()); }

    // As the anchor-cable program does: its frame, 32939, its list, the alarm flag.
    void Start(bool bAlarm, std::vector<CString> files = {})
    {
        for (const CString& path : files)
        {
            auto* pipeline = new CPipeline;
            ASSERT_TRUE(pipeline->Load(path));
            list.Add(pipeline);
        }
        ASSERT_TRUE(pane.Create(&owner, 32939, &list, bAlarm));
        ASSERT_NE(pane.GetAddButton(), nullptr);
        pane.SetupComboBox();
        pane.ShowPane(TRUE, FALSE, FALSE);
        Pump();
        owner.Clear();
    }

    bool Locked(DWORD_PTR id)
    {
        auto* item = dynamic_cast<CMFCPropertyGridDouble*>(FindGridItem(pane.GetPropertyGrid(), id));
        return item != nullptr && item->IsLocked();
    }
    Messages Click(UINT nID, CWnd* button) { return PressButton(pane, owner, nID, button); }
    void ChooseFile(int index) { ChooseComboEntry(pane, pane.GetFileCombo(), IDC_PIPELINE_COMBO, index); }
};
} // namespace

TEST_F(PipelinePaneFixture, EachChangeIsStoredSavedAndAnnounced)
{
    struct Case
    {
        const char* what;
        DWORD_PTR id;
        COleVariant value;
        const char* line; // in the "_PIPELINE" companion afterwards
        Messages posted;
    };
    const Messages redraw{kRedraw, kRedrawVector};
    const std::vector<Case> cases = {
        {"display", CPipelinePane::ITEM_DISPLAY, COleVariant(false), "Use = 0\r\n", redraw},
        {"display, the same again", CPipelinePane::ITEM_DISPLAY, COleVariant(false), "Use = 0\r\n", redraw},
        {"diameter", CPipelinePane::ITEM_DIAMETER, COleVariant(static_cast<short>(36)), "Diameter = 36\r\n",
         {kRecompute}},
        {"line colour", CPipelinePane::ITEM_LINE_COLOUR, COleVariant(static_cast<long>(0x00FF00)),
         "Pipeline Pen = 65280, ", redraw},
        {"line thickness", CPipelinePane::ITEM_LINE_THICKNESS, COleVariant(static_cast<short>(4)),
         "Pipeline Pen = 65280, 0, 4, ", redraw},
        {"corridor display", CPipelinePane::ITEM_CORRIDOR_DISPLAY, COleVariant(true), "Display Corridor = 1\r\n",
         redraw},
        {"port width", CPipelinePane::ITEM_PORT_WIDTH, COleVariant(25.0), "Port Corridor = 25.000\r\n", redraw},
        {"starboard width", CPipelinePane::ITEM_STARBOARD_WIDTH, COleVariant(40.0), "Stdb Corridor = 40.000\r\n",
         redraw},
        {"corridor fill", CPipelinePane::ITEM_CORRIDOR_FILL_STYLE, COleVariant(static_cast<short>(-1)),
         ", -1\r\nClearance", redraw},
        {"corridor colour", CPipelinePane::ITEM_CORRIDOR_COLOUR, COleVariant(static_cast<long>(0x0000FF)),
         "Corridor Pen = 255, ", redraw},
        {"clearance", CPipelinePane::ITEM_CLEARANCE, COleVariant(30.0), "Clearance = 30.000\r\n", {kRecompute}},
        {"tolerance", CPipelinePane::ITEM_TOLERANCE, COleVariant(7.5), "Tolerance = 7.500\r\n", {kRecompute}},
    };
    Start(true, {export1});
    const CString companion = Companion(*list.GetAt(0));
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        owner.Clear();
        ASSERT_TRUE(NotifyGridChange(pane.GetPropertyGrid(), c.id, c.value));
        EXPECT_EQ(owner.Messages(), c.posted);
        EXPECT_TRUE(ReadBytes(companion).contains(c.line)) << ReadBytes(companion).constData();
    }
    const CPipeline& pipeline = *list.GetAt(0);
    EXPECT_FALSE(pipeline.m_Use);
    EXPECT_EQ(pipeline.m_Diameter, 36);
    EXPECT_EQ(pipeline.m_PipelinePen.Colour, 0x00FF00u);
    EXPECT_EQ(pipeline.m_PipelinePen.nThickness, 4);
    EXPECT_EQ(pipeline.m_CorridorPen.nFill, -1);
    EXPECT_DOUBLE_EQ(pipeline.m_Clearance, 30.0);
    EXPECT_DOUBLE_EQ(pipeline.m_Tolerance, 7.5);
    // The corridor followed the widths before the chart heard of them: 25 m to port, 40 m to
    // starboard of the first leg, which runs east.
    EXPECT_DOUBLE_EQ(pipeline.GetAt(0).PortCorridor.y, 2025.0);
    EXPECT_DOUBLE_EQ(pipeline.GetAt(0).StarboardCorridor.y, 1960.0);
}

TEST_F(PipelinePaneFixture, ColoursReachTheSamplesOfTheirGroup)
{
    Start(false, {export1});
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    ASSERT_TRUE(EditGridItem(grid, CPipelinePane::ITEM_CORRIDOR_FILL_STYLE, "Solid"));
    ASSERT_TRUE(EditGridItem(grid, CPipelinePane::ITEM_LINE_THICKNESS, "3"));
    ASSERT_TRUE(EditGridItem(grid, CPipelinePane::ITEM_LINE_COLOUR, "Green"));
    EXPECT_GT(GridValuePixels(grid, "Line Thickness", QColor(0, 255, 0)), 5);
    EXPECT_EQ(GridValuePixels(grid, "Fill Style", QColor(0, 255, 0)), 0);
    ASSERT_TRUE(EditGridItem(grid, CPipelinePane::ITEM_CORRIDOR_COLOUR, "Red"));
    EXPECT_GT(GridValuePixels(grid, "Fill Style", QColor(255, 0, 0)), 5);
    EXPECT_EQ(GridValuePixels(grid, "Line Thickness", QColor(255, 0, 0)), 0);
}

TEST_F(PipelinePaneFixture, TheAlarmValuesLockAgainAfterTheMinute)
{
    ASSERT_TRUE(CMFCPropertyGridPasswordProperty::SetPassword("pipe"));
    Start(true, {export1, kpFirst});
    EXPECT_EQ(pane.GetTitle(), "Pipeline Properties");
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()),
              (Strings{"Properties", "Line", "Corridor", "Anchor Cable Alarm", "Password"}));
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    EXPECT_TRUE(Locked(CPipelinePane::ITEM_CLEARANCE));
    EXPECT_FALSE(EditGridItem(grid, CPipelinePane::ITEM_CLEARANCE, "30"));

    EditGridItem(grid, CPipelinePane::ITEM_PASSWORD, "Pipe"); // wrong
    EXPECT_TRUE(Locked(CPipelinePane::ITEM_CLEARANCE));
    EXPECT_TRUE(Locked(CPipelinePane::ITEM_TOLERANCE));
    EditGridItem(grid, CPipelinePane::ITEM_PASSWORD, "pipe");
    EXPECT_FALSE(Locked(CPipelinePane::ITEM_CLEARANCE));
    EXPECT_FALSE(Locked(CPipelinePane::ITEM_TOLERANCE));
    owner.Clear();
    EXPECT_TRUE(EditGridItem(grid, CPipelinePane::ITEM_TOLERANCE, "12.5"));
    EXPECT_EQ(owner.Messages(), (Messages{kRecompute}));
    EXPECT_DOUBLE_EQ(list.GetAt(0)->m_Tolerance, 12.5);

    pane.SendMessage(WM_TIMER, CPipelinePane::UNLOCK_TIMER, 0);
    EXPECT_TRUE(Locked(CPipelinePane::ITEM_CLEARANCE));
    EXPECT_TRUE(Locked(CPipelinePane::ITEM_TOLERANCE));

    // Another file chosen before the minute is out: locked at once.
    EditGridItem(grid, CPipelinePane::ITEM_PASSWORD, "pipe");
    ChooseFile(1);
    EXPECT_TRUE(Locked(CPipelinePane::ITEM_TOLERANCE));
    pane.SendMessage(WM_TIMER, CPipelinePane::UNLOCK_TIMER, 0);

    // Without the alarm flag: three groups, no lock.
    CPipelinePane plain;
    ASSERT_TRUE(plain.Create(&owner, 32940, &list, false));
    EXPECT_EQ(GridGroupNames(plain.GetPropertyGrid()), (Strings{"Properties", "Line", "Corridor"}));
    EXPECT_EQ(FindGridItem(plain.GetPropertyGrid(), CPipelinePane::ITEM_PASSWORD), nullptr);
}

TEST_F(PipelinePaneFixture, TheTableFollowsTheDataOrder)
{
    Start(true, {export1, kpFirst});
    EXPECT_EQ(TableHeadings(pane.GetTable()), (Strings{"Easting", "Northing", "Range", "Bearing"}));
    const auto cells = TableCells(pane.GetTable());
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[0], (Strings{"1000.000", "2000.000", "1000.00m", "90.0\xB0"}));
    EXPECT_EQ(cells[1], (Strings{"2000.000", "2000.000", "500.00m", "0.0\xB0"}));

    // The second file, read again KP first.
    ChooseFile(1);
    owner.Clear();
    EXPECT_TRUE(EditGridItem(pane.GetPropertyGrid(), CPipelinePane::ITEM_DATA_ORDER, "KP, Easting, Northing"));
    EXPECT_EQ(owner.Messages(), (Messages{kRedraw, kRedrawVector, kRecompute}));
    EXPECT_TRUE(ReadBytes(Companion(*list.GetAt(1))).startsWith("Data Order = 1\r\n"));
    EXPECT_EQ(TableHeadings(pane.GetTable()), (Strings{"K.P.", "Easting", "Northing", "Range", "Bearing"}));
    EXPECT_EQ(TableCells(pane.GetTable())[0], (Strings{"0.500000", "500.000", "600.000", "100.00m", "0.0\xB0"}));

    // A text that is no data order: only the redraw and the recompute message.
    owner.Clear();
    EXPECT_TRUE(NotifyGridChange(pane.GetPropertyGrid(), CPipelinePane::ITEM_DATA_ORDER, COleVariant("KP only")));
    EXPECT_EQ(owner.Messages(), (Messages{kRedraw, kRedrawVector, kRecompute}));
    EXPECT_EQ(list.GetAt(1)->m_DataOrder, 1);

    // A row click centres the chart on the point.
    CRect row;
    ASSERT_TRUE(pane.GetTable().GetItemRect(1, &row, LVIR_BOUNDS));
    owner.Clear();
    UserInput::ClickClient(&pane.GetTable(), row.left + 5, row.CenterPoint().y);
    ASSERT_EQ(owner.Messages().size(), 2u);
    EXPECT_DOUBLE_EQ(GetChartPoint()->y, 700.0);
}

TEST_F(PipelinePaneFixture, FilesAreAddedOnceAndRemovedWithTheHostTold)
{
    Start(true);
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), (Strings{"No Files Selected"}));
    CString twin = export1;
    twin.MakeUpper();
    const CString unreadable = "C:\\Data\\nothing.csv";
    ModalHook::AnswerFileDialog({export1, unreadable, twin, kpFirst});
    EXPECT_EQ(Click(IDC_ADD_PIPELINE_FILE, pane.GetAddButton()), (Messages{kRedraw, kRedrawVector, kRecompute}));
    EXPECT_EQ(ModalHook::Shown().back().caption, "Pipeline Files ....");
    ASSERT_EQ(list.GetSize(), 2);
    EXPECT_EQ(list.GetAt(1)->m_FilePath, kpFirst);
    EXPECT_EQ(ReadBytes(SettingsFile("Pipelines", "FLS")),
              QByteArray("[Pipelines]\r\nC:\\Data\\export1.csv\r\nC:\\Data\\kpfirst.csv\r\n"));
    EXPECT_EQ(pane.GetFileCombo()->GetCurSel(), 1);

    // What the user sees: one window, the grid grey inside it, the newest file listed.
    EXPECT_EQ(FrameProbe::StrayTopLevels(&owner), std::vector<std::string>());
    const QImage frame = FrameProbe::GrabWindow(&owner);
    const QRect gridRect = FrameProbe::PaneRect(&pane.GetPropertyGrid());
    ASSERT_TRUE(frame.rect().contains(gridRect.center()));
    EXPECT_GT(FrameProbe::ContentPixels(frame, gridRect), 50);
    EXPECT_EQ(TableCells(pane.GetTable()).size(), 2u);

    EXPECT_EQ(Click(IDC_REMOVE_PIPELINE_FILE, pane.GetRemoveButton()),
              (Messages{kRedraw, kRedrawVector, kRecompute}));
    ASSERT_EQ(list.GetSize(), 1);
    EXPECT_EQ(pane.GetFileCombo()->GetCurSel(), 0);
    EXPECT_EQ(ReadBytes(SettingsFile("Pipelines", "FLS")),
              QByteArray("[Pipelines]\r\nC:\\Data\\export1.csv\r\n"));
    Click(IDC_REMOVE_PIPELINE_FILE, pane.GetRemoveButton());
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), (Strings{"No Files Selected"}));
    EXPECT_TRUE(TableHeadings(pane.GetTable()).empty());
    EXPECT_TRUE(Click(IDC_REMOVE_PIPELINE_FILE, pane.GetRemoveButton()).empty());

    // A cancelled dialog or no name: nothing changes.
    ModalHook::CancelFileDialog();
    EXPECT_TRUE(Click(IDC_ADD_PIPELINE_FILE, pane.GetAddButton()).empty());
    ModalHook::AnswerFileDialog({" "});
    ModalHook::AnswerMessageBox(IDOK);
    EXPECT_TRUE(Click(IDC_ADD_PIPELINE_FILE, pane.GetAddButton()).empty());
    EXPECT_EQ(ModalHook::Shown().back().text, "Requires a file name");
    EXPECT_EQ(list.GetSize(), 0);
}

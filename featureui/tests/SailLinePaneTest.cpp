// The sail-line pane inside a host frame: files added (new, unreadable, twins) and removed,
// properties changed with what is saved and heard, the line table, and a row click.
#include "featureui/panes/FeaturePaneResources.h"
#include "featureui/panes/SailLinePane.h"
#include "featureui/tests/PaneTestFiles.h"
#include "features/RedrawChart.h"
#include "foundation/WindowMessages.h"
#include "features/Route.h"
#include "features/SailLineList.h"
#include "outside/panes/PropertyGridItems.h"
#include "platform/core/WinApp.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/RecordingOwner.h"
#include "testsupport/UserInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
const POSTED_MESSAGE kSailLinesChanged{"UM_FEATURE_UPDATE", 2, 0};

struct SailLinePaneFixture : ::testing::Test
{
    CWinApp app{"SailLinePaneTest"};
    CRecordingOwner owner;
    CSailLineList list;
    CSailLinePane pane;
    // One line east 1234.5 m, one north.
    CString plan = WriteDataFile("plan.csv", "1000,2000,2234.5,2000\r\n1000,3000,1000,4000\r\n");

    void SetUp() override
    {
        list.m_ListName = "SailLines";
        ASSERT_TRUE(owner.CreateOwner());
        ASSERT_TRUE(pane.Create(&owner, 33120, &list));
        ASSERT_NE(pane.GetAddButton(), nullptr);
        pane.ShowPane(TRUE, FALSE, FALSE);
        Pump();
        owner.Clear();
    }

    Messages Click(UINT nID, CWnd* button) { return PressButton(pane, owner, nID, button); }
    Messages Add(std::vector<CString> paths)
    {
        ModalHook::AnswerFileDialog(std::move(paths));
        return Click(IDC_ADD_SAIL_LINE_FILE, pane.GetAddButton());
    }
};
} // namespace

TEST_F(SailLinePaneFixture, FilesAreAddedNewOnceAndNeverOverAnUnreadableOne)
{
    EXPECT_EQ(pane.GetTitle(), "Sail Line Properties");
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), (Strings{"No Files Selected"}));

    // A file that is there but holds no line (text, a folder of that name): warned about, not
    // added, its bytes untouched.
    const QByteArray text = "These are notes, not lines\r\n";
    const CString notes = WriteDataFile("notes.csv", text);
    QDir().mkpath(LinuxPathFromWindows("C:\\Data\\folder.csv"));
    const CString fresh = "C:\\Data\\fresh.csv";
    CString twin = plan;
    twin.MakeUpper();
    ModalHook::AnswerMessageBox(IDOK);
    ModalHook::AnswerMessageBox(IDOK);
    EXPECT_EQ(Add({plan, notes, twin, "C:\\Data\\folder.csv", fresh}),
              (Messages{kRedraw, kRedrawVector, kRecompute, kSailLinesChanged}));
    EXPECT_EQ(ModalHook::Shown()[0].caption, "SailLine Files ....");
    EXPECT_EQ(ModalHook::Shown()[1].text, "Unable to read C:\\Data\\notes.csv");
    EXPECT_EQ(ModalHook::Shown()[2].text, "Unable to read C:\\Data\\folder.csv");
    EXPECT_EQ(ReadBytes(notes), text);
    ASSERT_EQ(list.GetSize(), 2);
    EXPECT_EQ(list.GetAt(0)->m_FilePath, plan);
    // A path that does not exist yet: a new file of that name with one line of zeros.
    EXPECT_EQ(list.GetAt(1)->m_FilePath, fresh);
    EXPECT_EQ(TableCells(pane.GetTable()),
              (std::vector<Strings>{{"1", "0.000", "0.000", "0.000", "0.000", "0.00m", "0.0\xB0"}}));
    EXPECT_EQ(pane.GetFileCombo()->GetCurSel(), 1);
    EXPECT_EQ(list.m_EditFileIndex, 1);
    EXPECT_EQ(ReadBytes(SettingsFile("SailLines", "FLS")),
              QByteArray("[SailLine]\r\nC:\\Data\\plan.csv\r\nC:\\Data\\fresh.csv\r\n"));

    // Removed: the file before becomes current; the last one gone leaves no columns.
    EXPECT_EQ(Click(IDC_REMOVE_SAIL_LINE_FILE, pane.GetRemoveButton()),
              (Messages{kSailLinesChanged, kRedraw, kRedrawVector}));
    EXPECT_EQ(list.m_EditFileIndex, 0);
    EXPECT_EQ(list.m_EditPointIndex, 0);
    Click(IDC_REMOVE_SAIL_LINE_FILE, pane.GetRemoveButton());
    EXPECT_EQ(list.GetSize(), 0);
    EXPECT_EQ(pane.GetFileCombo()->GetCount(), 0);
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), (Strings{"No Files Selected"}));
    EXPECT_TRUE(TableHeadings(pane.GetTable()).empty());
    EXPECT_EQ(list.m_EditFileIndex, -1);

    // The dialog returns no name.
    ModalHook::AnswerMessageBox(IDOK);
    EXPECT_TRUE(Add({" "}).empty());
    EXPECT_EQ(ModalHook::Shown().back().text, "Requires a file name");
}

TEST_F(SailLinePaneFixture, TheTableShowsEachLineAndAClickCentresTheChartOnIt)
{
    Add({plan});
    EXPECT_EQ(TableHeadings(pane.GetTable()),
              (Strings{"Line No", "SOL Eng", "SOL Nng", "EOL Eng", "EOL Nng", "Range", "Bearing"}));
    EXPECT_EQ(TableCells(pane.GetTable()),
              (std::vector<Strings>{{"1", "1000.000", "2000.000", "2234.500", "2000.000", "1234.50m", "90.0\xB0"},
                                    {"2", "1000.000", "3000.000", "1000.000", "4000.000", "1000.00m", "0.0\xB0"}}));

    // What the user sees: the grid and the table inside one window.
    EXPECT_EQ(FrameProbe::StrayTopLevels(&owner), std::vector<std::string>());
    const QImage frame = FrameProbe::GrabWindow(&owner);
    const QRect table = FrameProbe::PaneRect(&pane.GetTable());
    ASSERT_TRUE(frame.rect().contains(table.center()));
    EXPECT_GT(FrameProbe::ContentPixels(frame, table), 50);

    CRect row;
    ASSERT_TRUE(pane.GetTable().GetItemRect(0, &row, LVIR_BOUNDS));
    owner.Clear();
    UserInput::ClickClient(&pane.GetTable(), row.left + 5, row.CenterPoint().y);
    const WPARAM point = reinterpret_cast<WPARAM>(GetChartPoint());
    EXPECT_EQ(owner.Messages(), (Messages{{"UM_REDRAW_CHART", point, 0}, {"UM_REDRAW_VECTOR_DISPLAY", point, 0}}));
    EXPECT_DOUBLE_EQ(GetChartPoint()->x, 1617.25);
    EXPECT_DOUBLE_EQ(GetChartPoint()->y, 2000.0);
}

TEST_F(SailLinePaneFixture, PropertiesAreSavedWhenTheyChangeAndDisplaySurvivesAReload)
{
    Add({plan});
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    const CString drawing = CDrawingOptions::GetFileName(CRoute::GetRoutesFolder(), list.GetAt(0)->m_Title);

    owner.Clear();
    ASSERT_TRUE(EditGridItem(grid, CSailLinePane::ITEM_LINE_THICKNESS, "3"));
    ASSERT_TRUE(EditGridItem(grid, CSailLinePane::ITEM_COLOUR, "Green"));
    EXPECT_EQ(owner.Messages(), (Messages{kRedraw, kRedrawVector, kRedraw, kRedrawVector}));
    EXPECT_EQ(list.m_Changed, 1);
    EXPECT_GT(GridValuePixels(grid, "Line Thickness", QColor(0, 255, 0)), 5);

    // The same colour again: nothing saved, nothing heard.
    const QByteArray saved = ReadBytes(drawing);
    ASSERT_TRUE(saved.contains("65280"));
    {
        QFile file(LinuxPathFromWindows(drawing));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("marker");
    }
    owner.Clear();
    ASSERT_TRUE(NotifyGridChange(grid, CSailLinePane::ITEM_COLOUR, COleVariant(static_cast<long>(0x00FF00))));
    EXPECT_TRUE(owner.Messages().empty());
    EXPECT_EQ(ReadBytes(drawing), QByteArray("marker"));
    {
        QFile file(LinuxPathFromWindows(drawing));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(saved);
    }

    // The data order is applied even unchanged, and only heard of.
    ASSERT_TRUE(
        NotifyGridChange(grid, CSailLinePane::ITEM_DATA_ORDER, COleVariant("SOL Eng, SOL Nng, EOL Eng, EOL Nng")));
    EXPECT_EQ(owner.Messages(), (Messages{kRedraw, kRedrawVector, kRecompute}));
    EXPECT_TRUE(ReadBytes(CFeatureCommon::GetDataOrderFileName(plan)).startsWith("Data Order = 0\r\n"));

    owner.Clear();
    ASSERT_TRUE(NotifyGridChange(grid, CSailLinePane::ITEM_DISPLAY, COleVariant(false)));
    EXPECT_EQ(owner.Messages(), (Messages{kRedraw, kRedrawVector}));
    CSailLine reloaded;
    ASSERT_TRUE(reloaded.Load(plan));
    EXPECT_FALSE(reloaded.m_Status);
    EXPECT_EQ(reloaded.m_Pen.Colour, 0x00FF00u);
    EXPECT_EQ(reloaded.m_Pen.nThickness, 3);
}

// The host emptied the list behind the pane's back: the combo box still names a file the list
// no longer holds. Nothing the user does then reaches past the list's end.
TEST_F(SailLinePaneFixture, AComboOutOfStepWithTheListDoesNothing)
{
    Add({plan});
    list.DeleteAll();
    ASSERT_EQ(pane.GetFileCombo()->GetCount(), 1);
    owner.Clear();
    EXPECT_TRUE(NotifyGridChange(pane.GetPropertyGrid(), CSailLinePane::ITEM_DISPLAY, COleVariant(false)));
    pane.SendMessage(UM_SELECT_FEATURE, 0, 0);
    EXPECT_TRUE(Click(IDC_REMOVE_SAIL_LINE_FILE, pane.GetRemoveButton()).empty());
    pane.OnSailLineCombo();
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), (Strings{"No Files Selected"}));
}

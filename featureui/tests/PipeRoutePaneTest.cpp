// The pipe route pane inside a host frame: a route file selected, cancelled and cleared through
// its buttons, its properties changed through the grid, and what the pane shows, what lands in
// the settings files and what the host hears after each.
#include "featureui/panes/PipeRoutePane.h"
#include "features/Pipeline.h"
#include "foundation/ConfigFile.h"
#include "outside/panes/PropertyGridItems.h"
#include "platform/core/Path.h"
#include "platform/core/WinApp.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/RecordingOwner.h"
#include "testsupport/UserInput.h"
#include "featureui/tests/PaneTestFiles.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Messages = std::vector<POSTED_MESSAGE>;
using Strings = std::vector<std::string>;
using Rows = std::vector<Strings>;
const POSTED_MESSAGE kRedraw{"UM_REDRAW_CHART", 0, 0};
const POSTED_MESSAGE kRedrawVector{"UM_REDRAW_VECTOR_DISPLAY", 0, 0};
const Messages kRedrawPair{kRedraw, kRedrawVector};

CString WriteFile(const char* name, const QByteArray& text)
{
    QDir().mkpath(LinuxPathFromWindows("C:\\Data"));
    const CString path = CString("C:\\Data\\") + name;
    QFile file(LinuxPathFromWindows(path));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return path;
}

// The KP column of the table.
Strings KpColumn(const CListCtrl& table)
{
    Strings kps;
    for (const Strings& row : TableCells(table))
        kps.push_back(row.at(0));
    return kps;
}

struct PipeRoutePaneFixture : ::testing::Test
{
    CWinApp app{"PipeRoutePaneTest"};
    CRecordingOwner owner;
    CPipeline pipeline;
    CPipeRoutePane pane;
    CString route; // easting, northing and a KP column that data order 0 leaves unread

    void SetUp() override
    {
        route = WriteFile("route.csv", "1000.0,2000.0,5.5\r\n1100.0,2000.0,5.4\r\n1100.0,2100.0,5.3\r\n");
        ASSERT_TRUE(owner.CreateOwner());
    }

    void Start()
    {
        ASSERT_TRUE(pane.Create(&owner, 33120, &pipeline));
        ASSERT_NE(pane.GetClearButton(), nullptr);
        pane.ShowPane(TRUE, FALSE, FALSE);
        Pump();
        owner.Clear();
    }

    Messages Change(DWORD_PTR id, const COleVariant& value)
    {
        owner.Clear();
        EXPECT_TRUE(NotifyGridChange(pane.GetPropertyGrid(), id, value)) << "item " << id;
        return owner.Messages();
    }

    Messages Click(CColourButton* button)
    {
        owner.Clear();
        button->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        button->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        return owner.Messages();
    }

    // The item with the data word; the file name by its place, as the groups share its word 0.
    CMFCPropertyGridProperty* Item(DWORD_PTR id)
    {
        CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
        if (id != CPipeRoutePane::ITEM_FILE_NAME)
            return FindGridItem(grid, id);
        return grid.GetPropertyCount() > 0 ? grid.GetProperty(0)->GetSubItem(0) : nullptr;
    }

    CString Shown(DWORD_PTR id)
    {
        const CMFCPropertyGridProperty* item = Item(id);
        return item != nullptr ? pane.GetPropertyGrid().GetShownValue(item) : CString("(no item)");
    }

    bool ShownVisible(DWORD_PTR id)
    {
        const CMFCPropertyGridProperty* item = FindGridItem(pane.GetPropertyGrid(), id);
        return item != nullptr && pane.GetPropertyGrid().IsShownVisible(item);
    }
};
} // namespace

TEST_F(PipeRoutePaneFixture, ALoadedRouteShowsItsGridAndEveryPointInTheFrame)
{
    ASSERT_TRUE(pipeline.Load(route));
    Start();
    EXPECT_EQ(pane.GetTitle(), "Pipe Route");
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()),
              (Strings{"Pipe Route File", "Properties", "Line", "K.P."}));
    EXPECT_EQ(Shown(CPipeRoutePane::ITEM_FILE_NAME), "route");
    EXPECT_EQ(Shown(CPipeRoutePane::ITEM_DATA_ORDER), "Easting, Northing");
    EXPECT_TRUE(ShownVisible(CPipeRoutePane::ITEM_START_KP));
    EXPECT_TRUE(ShownVisible(CPipeRoutePane::ITEM_INCREASING_KP));

    EXPECT_EQ(TableHeadings(pane.GetTable()), (Strings{"K.P.", "Easting", "Northing", "Range", "Bearing"}));
    EXPECT_EQ(TableCells(pane.GetTable()), (Rows{{"0.000000", "1000.000", "2000.000", "100.00m", "90.0\xB0"},
                                                 {"0.100000", "1100.000", "2000.000", "100.00m", "0.0\xB0"},
                                                 {"0.200000", "1100.000", "2100.000", "0.00m", "0.0\xB0"}}));

    // What a user sees: one window; Select on the left and Clear on the right above the grid,
    // the grid 20 rows tall and the table with its rows below it.
    Pump();
    EXPECT_EQ(FrameProbe::StrayTopLevels(&owner), Strings());
    const QImage frame = FrameProbe::GrabWindow(&owner);
    const QRect select = FrameProbe::PaneRect(pane.GetSelectButton());
    const QRect clear = FrameProbe::PaneRect(pane.GetClearButton());
    const QRect grid = FrameProbe::PaneRect(&pane.GetPropertyGrid());
    const QRect table = FrameProbe::PaneRect(&pane.GetTable());
    ASSERT_FALSE(select.isEmpty());
    ASSERT_FALSE(table.isEmpty()) << "the table is hidden";
    EXPECT_EQ(select.height(), 30);
    EXPECT_EQ(select.top(), clear.top());
    EXPECT_LT(select.right(), clear.left());
    EXPECT_EQ(grid.top(), select.bottom() + 1);
    EXPECT_EQ(grid.height(), CPipeRoutePane::GRID_ROWS * pane.GetPropertyGrid().GetRowHeight());
    EXPECT_EQ(table.top(), grid.bottom() + 1);
    EXPECT_GT(FrameProbe::ContentPixels(frame, select), 20) << "the button's caption";
    EXPECT_GT(FrameProbe::ContentPixels(frame, table), 50) << "the table's rows";
    EXPECT_EQ(frame.pixelColor(table.bottomRight() - QPoint(4, 4)), QColor(0xD6, 0xD6, 0xD6));
}

TEST_F(PipeRoutePaneFixture, AnEmptyPipelineShowsTheColumnsWithoutRows)
{
    Start();
    EXPECT_EQ(Shown(CPipeRoutePane::ITEM_FILE_NAME), "");
    EXPECT_EQ(TableHeadings(pane.GetTable()), (Strings{"K.P.", "Easting", "Northing", "Range", "Bearing"}));
    EXPECT_EQ(pane.GetTable().GetItemCount(), 0);
}

TEST_F(PipeRoutePaneFixture, DataOrdersWithAKpColumnHideTheKpNumberingWithoutRebuildingTheGrid)
{
    ASSERT_TRUE(pipeline.Load(route));
    Start();
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    const CMFCPropertyGridProperty* startKp = FindGridItem(grid, CPipeRoutePane::ITEM_START_KP);
    const CMFCPropertyGridProperty* increasing = FindGridItem(grid, CPipeRoutePane::ITEM_INCREASING_KP);

    // The user drops the list down in the grid and picks the order.
    auto* tree = grid.GetWidget()->findChild<QTreeWidget*>();
    ASSERT_NE(tree, nullptr);
    const QList<QTreeWidgetItem*> rows =
        tree->findItems("Data Order", Qt::MatchExactly | Qt::MatchRecursive, 0);
    ASSERT_EQ(rows.size(), 1);
    tree->scrollToItem(rows.front());
    Pump();
    const QRect row = tree->visualItemRect(rows.front());
    const QPoint value(tree->header()->sectionPosition(1) + 20, row.center().y());
    const QPoint inGrid = tree->viewport()->mapTo(grid.GetWidget(), value);
    UserInput::ClickClient(&grid, inGrid.x(), inGrid.y(), true);
    Pump();
    QComboBox* combo = tree->viewport()->findChild<QComboBox*>();
    ASSERT_NE(combo, nullptr) << "no drop-down opened on the data order";
    owner.Clear();
    // The pick applies as it is made: no Enter, no click on another row.
    ASSERT_TRUE(UserInput::PickFromDropDown(combo, "Easting, Northing, KP"));
    Pump();
    EXPECT_EQ(owner.Messages(), kRedrawPair);

    EXPECT_EQ(pipeline.m_DataOrder, PIPELINE_EASTING_NORTHING_KP);
    EXPECT_TRUE(ReadBytes(SettingsFile("route_PIPELINE")).startsWith("Data Order = 2\r\n"));
    EXPECT_EQ(KpColumn(pane.GetTable()), (Strings{"5.500000", "5.400000", "5.300000"}))
        << "the file's own KPs";
    EXPECT_FALSE(ShownVisible(CPipeRoutePane::ITEM_START_KP));
    EXPECT_FALSE(ShownVisible(CPipeRoutePane::ITEM_INCREASING_KP));
    EXPECT_TRUE(ShownVisible(CPipeRoutePane::ITEM_LABEL_KPS));

    // "KP, Easting, Northing" reads the first column as the KP.
    ASSERT_TRUE(EditGridItem(grid, CPipeRoutePane::ITEM_DATA_ORDER, "KP, Easting, Northing"));
    EXPECT_EQ(TableCells(pane.GetTable()).at(0),
              (Strings{"1000.000000", "2000.000", "5.500", "0.10m", "180.0\xB0"}));
    EXPECT_FALSE(ShownVisible(CPipeRoutePane::ITEM_START_KP));

    // Back to numbered KPs: the same items show again.
    ASSERT_TRUE(EditGridItem(grid, CPipeRoutePane::ITEM_DATA_ORDER, "Easting, Northing"));
    EXPECT_EQ(FindGridItem(grid, CPipeRoutePane::ITEM_START_KP), startKp);
    EXPECT_EQ(FindGridItem(grid, CPipeRoutePane::ITEM_INCREASING_KP), increasing);
    EXPECT_TRUE(ShownVisible(CPipeRoutePane::ITEM_START_KP));
    EXPECT_TRUE(ShownVisible(CPipeRoutePane::ITEM_INCREASING_KP));
    EXPECT_EQ(KpColumn(pane.GetTable()), (Strings{"0.000000", "0.100000", "0.200000"}));
}

TEST_F(PipeRoutePaneFixture, EachPropertyIsStoredSavedAndRedrawn)
{
    ASSERT_TRUE(pipeline.Load(route));
    Start();
    const CString settings = SettingsFile("route_PIPELINE");
    struct Case
    {
        const char* what;
        DWORD_PTR id;
        COleVariant value;
        const char* line; // a line the settings file holds afterwards
        Strings kps;      // the KP column afterwards
    };
    const Strings numbered{"0.000000", "0.100000", "0.200000"};
    const std::vector<Case> cases = {
        {"display off", CPipeRoutePane::ITEM_DISPLAY, COleVariant(false), "Use = 0\r\n", numbered},
        {"colour", CPipeRoutePane::ITEM_COLOUR, COleVariant(static_cast<long>(0x00FF00)),
         "Pipeline Pen = 65280, ", numbered},
        {"thickness", CPipeRoutePane::ITEM_LINE_THICKNESS, COleVariant(static_cast<short>(4)),
         "Pipeline Pen = 65280, 0, 4, ", numbered},
        {"start KP",
         CPipeRoutePane::ITEM_START_KP,
         COleVariant(10.0),
         "Start KP = 10.000\r\n",
         {"10.000000", "10.100000", "10.200000"}},
        {"decreasing KPs",
         CPipeRoutePane::ITEM_INCREASING_KP,
         COleVariant(false),
         "Increasing KPs = 0\r\n",
         {"10.000000", "9.900000", "9.800000"}},
        {"KP interval",
         CPipeRoutePane::ITEM_KP_INTERVAL,
         COleVariant(0.05),
         "KP Interval = 0.050\r\n",
         {"10.000000", "9.900000", "9.800000"}},
        {"label KPs off",
         CPipeRoutePane::ITEM_LABEL_KPS,
         COleVariant(false),
         "Label KPs = 0\r\n",
         {"10.000000", "9.900000", "9.800000"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Change(c.id, c.value), kRedrawPair);
        const QByteArray written = ReadBytes(settings);
        EXPECT_TRUE(written.contains(c.line)) << written.constData();
        EXPECT_EQ(KpColumn(pane.GetTable()), c.kps);
    }
    EXPECT_FALSE(pipeline.m_Use);
    EXPECT_EQ(pipeline.m_PipelinePen.Colour, 0x00FF00u);
    EXPECT_EQ(pipeline.m_PipelinePen.nThickness, 4);
    EXPECT_EQ(static_cast<CMFCPropertyGridSampleProperty*>(
                  FindGridItem(pane.GetPropertyGrid(), CPipeRoutePane::ITEM_LINE_THICKNESS))
                  ->GetColour(),
              0x00FF00u)
        << "the thickness sample follows the colour";
    EXPECT_EQ(pipeline.m_KPListing.GetSize(), 0);

    // Labels on again: the listing is built every 50 m along the 200 m line.
    EXPECT_EQ(Change(CPipeRoutePane::ITEM_LABEL_KPS, COleVariant(true)), kRedrawPair);
    EXPECT_GE(pipeline.m_KPListing.GetSize(), 3);

    // The file name is shown only: its change does nothing.
    CMFCPropertyGridProperty* name = Item(CPipeRoutePane::ITEM_FILE_NAME);
    ASSERT_NE(name, nullptr);
    EXPECT_STREQ(name->GetName(), "File Name");
    EXPECT_FALSE(name->IsAllowEdit());
    owner.Clear();
    name->SetValue(COleVariant("other"));
    pane.GetPropertyGrid().OnPropertyChanged(name);
    EXPECT_EQ(owner.Messages(), Messages());
    EXPECT_EQ(pipeline.m_FilePath, route);
}

TEST_F(PipeRoutePaneFixture, IncreasingKpReversesTheKpColumnOfAFileWithoutKps)
{
    pipeline.Load(route);
    pipeline.m_StartKP = 0.2;
    pipeline.ComputeKps();
    Start();
    EXPECT_EQ(KpColumn(pane.GetTable()), (Strings{"0.200000", "0.300000", "0.400000"}));
    EXPECT_EQ(Change(CPipeRoutePane::ITEM_INCREASING_KP, COleVariant(false)), kRedrawPair);
    EXPECT_EQ(KpColumn(pane.GetTable()), (Strings{"0.200000", "0.100000", "0.000000"}));
}

TEST_F(PipeRoutePaneFixture, SelectLoadsTheChosenFileAndACancelStillSavesAndRefreshes)
{
    ASSERT_TRUE(pipeline.Load(route));
    Start();
    const CString active = SettingsFile("Active Pipeline");
    QFile::remove(LinuxPathFromWindows(active));

    ModalHook::CancelFileDialog();
    EXPECT_EQ(Click(pane.GetSelectButton()), kRedrawPair);
    const MODAL_RECORD& dialog = ModalHook::Shown().back();
    EXPECT_EQ(dialog.kind, MODAL_RECORD::FileDialog);
    EXPECT_EQ(dialog.caption, "Pipe Route");
    EXPECT_EQ(
        dialog.text,
        "CSV Files (*.csv)|*.csv|Text Files (*.txt)|*.txt|Data Files (*.dat)|*.dat|All Files (*.*)|*.*||");
    EXPECT_TRUE(dialog.open);
    EXPECT_EQ(dialog.flags & (OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ALLOWMULTISELECT),
              OFN_HIDEREADONLY | OFN_EXPLORER);
    EXPECT_EQ(ReadBytes(active), QByteArray("Path = C:\\Data\\route.csv\r\n"));
    EXPECT_EQ(pane.GetTable().GetItemCount(), 3);

    // A chosen name is trimmed before it is loaded.
    const CString other = WriteFile("other.txt", "0,0\r\n500000.0,6000000.0\r\n500000.0,6000050.0\r\n");
    ModalHook::AnswerFileDialog({" " + other + " "});
    EXPECT_EQ(Click(pane.GetSelectButton()), kRedrawPair);
    EXPECT_EQ(pipeline.m_FilePath, other);
    EXPECT_EQ(Shown(CPipeRoutePane::ITEM_FILE_NAME), "other");
    EXPECT_EQ(TableCells(pane.GetTable()),
              (Rows{{"0.000000", "500000.000", "6000000.000", "50.00m", "0.0\xB0"},
                    {"0.050000", "500000.000", "6000050.000", "0.00m", "0.0\xB0"}}));
    EXPECT_EQ(ReadBytes(active), QByteArray("Path = C:\\Data\\other.txt\r\n"));

    // A file that cannot be read: the pane shows what the load left, a name and no points.
    ModalHook::AnswerFileDialog({"C:\\Data\\missing.csv"});
    EXPECT_EQ(Click(pane.GetSelectButton()), kRedrawPair);
    EXPECT_EQ(Shown(CPipeRoutePane::ITEM_FILE_NAME), "missing");
    EXPECT_EQ(pane.GetTable().GetItemCount(), 0);
    EXPECT_EQ(FrameProbe::StrayTopLevels(&owner), Strings());
}

TEST_F(PipeRoutePaneFixture, ClearEmptiesThePipelineAndTheActivePath)
{
    ASSERT_TRUE(pipeline.Load(route));
    pipeline.m_LabelKPs = true;
    pipeline.m_KPInterval = 0.1;
    pipeline.BuildKpListing();
    ASSERT_GT(pipeline.m_KPListing.GetSize(), 0);
    Start();
    EXPECT_EQ(Click(pane.GetClearButton()), kRedrawPair);
    EXPECT_TRUE(pipeline.m_FilePath.IsEmpty());
    EXPECT_EQ(pipeline.GetSize(), 0);
    EXPECT_EQ(pipeline.m_KPListing.GetSize(), 0);
    EXPECT_EQ(ReadBytes(SettingsFile("Active Pipeline")), QByteArray("Path = \r\n"));
    EXPECT_EQ(Shown(CPipeRoutePane::ITEM_FILE_NAME), "");
    EXPECT_EQ(pane.GetTable().GetItemCount(), 0);
    EXPECT_EQ(TableHeadings(pane.GetTable()).size(), 5u);
}

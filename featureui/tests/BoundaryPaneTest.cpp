// The boundary pane as a user drives it inside a host frame: files added through the file
// dialog, properties changed through the grid, rows clicked, files removed; checked by what
// the host receives, what lands in the feature files and what the pane shows.
#include "featureui/panes/BoundaryPane.h"
#include "featureui/panes/FeaturePaneResources.h"
#include "features/BoundaryList.h"
#include "foundation/ConfigFile.h"
#include "outside/panes/PropertyGridItems.h"
#include "platform/core/Path.h"
#include "platform/core/WinApp.h"
#include "platform/ui/ModalHook.h"
#include "featureui/tests/PaneTestFiles.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/UserInput.h"
#include "testsupport/RecordingOwner.h"

#include "features/RedrawChart.h"
#include "foundation/WindowMessages.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// A boundary file "C:\Data\<name>.csv" of the points; its Windows path.
CString WriteBoundary(const char* name, const std::vector<std::pair<double, double>>& points)
{
    QDir().mkpath(LinuxPathFromWindows("C:\\Data"));
    const CString path = CString("C:\\Data\\") + name + ".csv";
    QFile file(LinuxPathFromWindows(path));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    for (const auto& p : points)
        file.write(QByteArray::number(p.first, 'f', 3) + "," + QByteArray::number(p.second, 'f', 3) + "\r\n");
    return path;
}

struct BoundaryPaneFixture : ::testing::Test
{
    CWinApp app{"BoundaryPaneTest"};
    CRecordingOwner owner;
    CBoundaryList list;
    CBoundaryPane pane;
    CString a, b, c;

    void SetUp() override
    {
        list.m_ListName = "Boundary";
        a = WriteBoundary("a", {{1000.5, 2000.25}, {1100, 2000}, {1100, 2100}});
        b = WriteBoundary("b", {{500, 600}, {510, 600}, {510, 610}, {500, 610}});
        c = WriteBoundary("c", {{7000.125, 8000.5}, {7100, 8000}, {7100, 8100}});
        ASSERT_TRUE(owner.CreateOwner());
    }

    void Start(CWnd* pOwner)
    {
        ASSERT_TRUE(pane.Create(pOwner, 33101, &list));
        ASSERT_NE(pane.GetAddButton(), nullptr);
        pane.ShowPane(TRUE, FALSE, FALSE);
        Pump();
        owner.Clear();
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
        pane.GetAddButton()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        pane.GetAddButton()->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        return owner.Messages();
    }

    CString ComboText() const
    {
        CString text;
        if (pane.GetFileCombo()->GetCurSel() >= 0)
            pane.GetFileCombo()->GetLBText(pane.GetFileCombo()->GetCurSel(), text);
        return text;
    }
};
} // namespace

TEST_F(BoundaryPaneFixture, AddingThreeFilesSelectsTheLastAndListsEachFileOnce)
{
    ASSERT_TRUE(list.AddFile(a));
    Start(&owner);
    EXPECT_EQ(pane.GetTitle(), "Boundary Properties");
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), (std::vector<std::string>{"Properties", "Area"}));

    CString twin = a;
    twin.MakeUpper();
    const Messages posted = AddFiles({b, twin, c});
    EXPECT_EQ(posted, (Messages{kRedraw, kRedrawVector, kRecompute}));

    const MODAL_RECORD& dialog = ModalHook::Shown().back();
    EXPECT_EQ(dialog.kind, MODAL_RECORD::FileDialog);
    EXPECT_EQ(dialog.caption, "Boundary Files ....");
    EXPECT_EQ(dialog.flags & 0x80204u, 0x80204u);

    ASSERT_EQ(list.GetSize(), 3);
    EXPECT_EQ(pane.GetFileCombo()->GetCount(), 3);
    EXPECT_EQ(ComboText(), "c");
    EXPECT_EQ(list.m_EditFileIndex, 2);
    EXPECT_EQ(ReadBytes(SettingsFile("Boundary", "FLS")),
              QByteArray("[Boundary]\r\nC:\\Data\\a.csv\r\nC:\\Data\\b.csv\r\nC:\\Data\\c.csv\r\n"));

    // The table shows the new file's points, each column its own coordinate.
    EXPECT_EQ(TableHeadings(pane.GetTable()), (std::vector<std::string>{"No", "Easting", "Northing"}));
    const auto cells = TableCells(pane.GetTable());
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[0], (std::vector<std::string>{"1", "7000.125", "8000.500"}));
    EXPECT_EQ(cells[2], (std::vector<std::string>{"3", "7100.000", "8100.000"}));

    // What a user sees: one window, the pane docked in it with a grey grid and a grey table.
    Pump();
    EXPECT_EQ(FrameProbe::StrayTopLevels(&owner), std::vector<std::string>());
    const QImage frame = FrameProbe::GrabWindow(&owner);
    const QRect grid = FrameProbe::PaneRect(&pane.GetPropertyGrid());
    const QRect table = FrameProbe::PaneRect(&pane.GetTable());
    ASSERT_TRUE(frame.rect().contains(grid.center()));
    ASSERT_TRUE(pane.GetTable().IsWindowVisible());
    ASSERT_TRUE(frame.rect().contains(table.bottomRight() - QPoint(4, 4)));
    EXPECT_EQ(frame.pixelColor(table.bottomRight() - QPoint(4, 4)), QColor(0xD6, 0xD6, 0xD6));
    int grey = 0;
    for (int y = grid.top(); y < grid.bottom(); y += 3)
        grey += frame.pixelColor(grid.right() - 6, y) == QColor(0xD6, 0xD6, 0xD6) ? 1 : 0;
    EXPECT_GT(grey, 5);
}

TEST_F(BoundaryPaneFixture, WithoutAnOwnerTheMainWindowIsTold)
{
    // A pane needs a parent window to exist at all; what is null here is the owner its
    // messages are meant for, so they go to the main window found when posting.
    owner.SetAsMainWindow(true);
    Start(&owner);
    pane.m_pOwner = nullptr;
    EXPECT_EQ(AddFiles({a}), (Messages{kRedraw, kRedrawVector, kRecompute}));
    EXPECT_EQ(Change(CBoundaryPane::ITEM_HIGHLIGHT, COleVariant(true)), (Messages{kRecompute}));
    owner.SetAsMainWindow(false);
}

TEST_F(BoundaryPaneFixture, EachPropertyIsStoredSavedAndAnnounced)
{
    ASSERT_TRUE(list.AddFile(a));
    ASSERT_TRUE(list.AddFile(b));
    list.GetAt(0)->m_Highlight = true;
    Start(&owner);
    const CString drawing = CDrawingOptions::GetFileName(CBoundary::GetBoundariesFolder(), "a");
    const CString status = "C:\\Data\\a.INI";

    struct Case
    {
        const char* what;
        DWORD_PTR id;
        COleVariant value;
        Messages posted;
        bool changed;    // the list's changed flag afterwards
        CString file;    // the file that must hold `line` afterwards
        const char* line;
    };
    const std::vector<Case> cases = {
        {"display off, highlighted", CBoundaryPane::ITEM_DISPLAY, COleVariant(false),
         {kRedraw, kRedrawVector, kRecompute}, true, status, "Status = 0\r\nHighlight = 1\r\n"},
        {"display on again", CBoundaryPane::ITEM_DISPLAY, COleVariant(true), {kRedraw, kRedrawVector, kRecompute},
         true, status,
         "Status = 1\r\nHighlight = 1\r\n"},
        {"highlight off", CBoundaryPane::ITEM_HIGHLIGHT, COleVariant(false), {kRecompute}, false, status,
         "Status = 1\r\nHighlight = 0\r\n"},
        {"display off, not highlighted", CBoundaryPane::ITEM_DISPLAY, COleVariant(false), {kRedraw, kRedrawVector},
         true, status, "Status = 0\r\n"},
        {"colour", CBoundaryPane::ITEM_COLOUR, COleVariant(static_cast<long>(0x0000FF)), {kRedraw, kRedrawVector},
         true, drawing, "Colour = 255\r\n"},
        {"the same colour again", CBoundaryPane::ITEM_COLOUR, COleVariant(static_cast<long>(0x0000FF)), {}, false,
         drawing, "Colour = 255\r\n"},
        {"solid fill", CBoundaryPane::ITEM_FILL_STYLE, COleVariant(static_cast<short>(-1)), {kRedraw, kRedrawVector},
         true, drawing, "Fill = -1\r\n"},
        {"thickness", CBoundaryPane::ITEM_LINE_THICKNESS, COleVariant(static_cast<short>(3)),
         {kRedraw, kRedrawVector}, true, drawing, "Line Thickness = 3\r\n"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        list.m_Changed = 0;
        EXPECT_EQ(Change(c.id, c.value), c.posted);
        EXPECT_EQ(list.m_Changed != 0, c.changed);
        EXPECT_TRUE(ReadBytes(c.file).contains(c.line)) << ReadBytes(c.file).constData();
    }
    const CBoundary* boundary = list.GetAt(0);
    EXPECT_FALSE(boundary->m_Status);
    EXPECT_FALSE(boundary->m_Highlight);
    EXPECT_EQ(boundary->m_Pen.Colour, 0x0000FFu);
    EXPECT_EQ(boundary->m_Pen.nFill, -1);
    EXPECT_EQ(boundary->m_Pen.nThickness, 3);
    // The other file was not touched.
    EXPECT_TRUE(list.GetAt(1)->m_Status);
    EXPECT_TRUE(ReadBytes(CDrawingOptions::GetFileName(CBoundary::GetBoundariesFolder(), "b")).isEmpty());

    // Display off survives the next load of the list.
    CBoundaryList next;
    ASSERT_TRUE(next.AddFile(a));
    EXPECT_FALSE(next.GetAt(0)->m_Status);
    EXPECT_EQ(next.GetAt(0)->m_Pen.Colour, 0x0000FFu);
}

TEST_F(BoundaryPaneFixture, AColourChangeRepaintsTheSamplesBesideIt)
{
    ASSERT_TRUE(list.AddFile(a));
    Start(&owner);
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    ASSERT_TRUE(EditGridItem(grid, CBoundaryPane::ITEM_FILL_STYLE, "Solid"));
    const CMFCPropertyGridProperty* fill = FindGridItem(grid, CBoundaryPane::ITEM_FILL_STYLE);
    ASSERT_TRUE(EditGridItem(grid, CBoundaryPane::ITEM_COLOUR, "Green"));
    EXPECT_EQ(FindGridItem(grid, CBoundaryPane::ITEM_FILL_STYLE), fill); // not rebuilt

    // The fill-style row of the rendered grid shows the new colour in its value column.
    EXPECT_GT(GridValuePixels(grid, "Fill Style", QColor(0, 255, 0)), 5);
}

TEST_F(BoundaryPaneFixture, RemovingTheCurrentFileMovesToTheOneBefore)
{
    ASSERT_TRUE(list.AddFile(a));
    ASSERT_TRUE(list.AddFile(b));
    ASSERT_TRUE(list.AddFile(c));
    Start(&owner);
    pane.GetFileCombo()->SetCurSel(2);
    pane.SetupComboBox();
    ASSERT_EQ(list.m_EditFileIndex, 2);

    pane.GetRemoveButton()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    pane.GetRemoveButton()->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(owner.Messages(), (Messages{kRedraw, kRedrawVector, kRecompute}));
    ASSERT_EQ(list.GetSize(), 2);
    EXPECT_EQ(ComboText(), "b");
    EXPECT_EQ(list.m_EditFileIndex, 1);
    EXPECT_EQ(ReadBytes(SettingsFile("Boundary", "FLS")), QByteArray("[Boundary]\r\nC:\\Data\\a.csv\r\nC:\\Data\\b.csv\r\n"));

    // The first file removed: the next one becomes the first and the current one.
    pane.GetFileCombo()->SetCurSel(0);
    pane.OnRemove();
    ASSERT_EQ(list.GetSize(), 1);
    EXPECT_EQ(ComboText(), "b");
    EXPECT_EQ(list.m_EditFileIndex, 0);

    pane.OnRemove();
    EXPECT_EQ(list.GetSize(), 0);
    EXPECT_EQ(list.m_EditFileIndex, -1);
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), (std::vector<std::string>{"No Files Selected"}));
    EXPECT_EQ(pane.GetTable().GetItemCount(), 0);
    owner.Clear();
    pane.OnRemove(); // nothing left: nothing happens
    EXPECT_TRUE(owner.Messages().empty());
}

TEST_F(BoundaryPaneFixture, LayoutNightModeAndRowClicks)
{
    ASSERT_TRUE(list.AddFile(b));
    Start(&owner);

    // A pane too short for the table hides it.
    pane.SetWindowPos(nullptr, 0, 0, 300, 120, SWP_NOZORDER | SWP_NOMOVE);
    pane.AdjustLayout();
    EXPECT_FALSE(pane.GetTable().IsWindowVisible());
    pane.SetWindowPos(nullptr, 0, 0, 300, 900, SWP_NOZORDER | SWP_NOMOVE);
    pane.AdjustLayout();
    EXPECT_TRUE(pane.GetTable().IsWindowVisible());

    // Night twice keeps the grey scheme; the grid and the table turn black.
    pane.SetNightMode(true);
    pane.SetNightMode(true);
    EXPECT_TRUE(pane.GetNightMode());
    EXPECT_EQ(pane.GetPropertyGrid().GetColourScheme(), 1);
    COLORREF back, text, groupBack, groupText, descBack, descText, line;
    pane.GetPropertyGrid().GetCustomColors(back, text, groupBack, groupText, descBack, descText, line);
    EXPECT_EQ(back, 0x000000u);
    EXPECT_EQ(text, 0xC0C0C0u);
    EXPECT_EQ(pane.GetTable().GetBkColor(), 0x000000u);
    pane.SetDaylightMode();
    pane.GetPropertyGrid().GetCustomColors(back, text, groupBack, groupText, descBack, descText, line);
    EXPECT_EQ(back, 0xD6D6D6u);
    EXPECT_EQ(pane.GetTable().GetBkColor(), 0xD6D6D6u);

    // A click on a row centres the chart on its point; on no row, nothing.
    CRect rowRect;
    ASSERT_TRUE(pane.GetTable().GetItemRect(1, &rowRect, LVIR_BOUNDS));
    owner.Clear();
    UserInput::ClickClient(&pane.GetTable(), rowRect.left + 5, rowRect.CenterPoint().y);
    const WPARAM point = reinterpret_cast<WPARAM>(GetChartPoint());
    EXPECT_EQ(owner.Messages(), (Messages{{"UM_REDRAW_CHART", point, 0}, {"UM_REDRAW_VECTOR_DISPLAY", point, 0}}));
    EXPECT_DOUBLE_EQ(GetChartPoint()->x, 510.0);
    EXPECT_DOUBLE_EQ(GetChartPoint()->y, 600.0);

    CRect client;
    pane.GetTable().GetClientRect(&client);
    owner.Clear();
    UserInput::ClickClient(&pane.GetTable(), 10, client.bottom - 3);
    pane.SendMessage(UM_SELECT_FEATURE, 0, 4); // a stale point index
    EXPECT_TRUE(owner.Messages().empty());
}

TEST_F(BoundaryPaneFixture, BadInputChangesNothing)
{
    ASSERT_TRUE(list.AddFile(a));
    Start(&owner);

    // The dialog returns no name.
    ModalHook::AnswerMessageBox(IDOK);
    EXPECT_TRUE(AddFiles({"   "}).empty());
    EXPECT_EQ(ModalHook::Shown().back().kind, MODAL_RECORD::MessageBox);
    EXPECT_EQ(ModalHook::Shown().back().text, "Requires a file name");
    EXPECT_EQ(list.GetSize(), 1);

    // A cancelled dialog.
    ModalHook::CancelFileDialog();
    pane.OnAdd();
    EXPECT_TRUE(owner.Messages().empty());

    // A file that cannot be read: the list decides; the pane shows what the list holds and
    // tells the host.
    EXPECT_EQ(AddFiles({"C:\\Data\\missing.csv", b}), (Messages{kRedraw, kRedrawVector, kRecompute}));
    EXPECT_EQ(pane.GetFileCombo()->GetCount(), list.GetSize());
    EXPECT_EQ(ComboText(), "b");

    // No file chosen in the combo box: a change is neither stored nor announced.
    CMFCPropertyGridProperty* display = FindGridItem(pane.GetPropertyGrid(), CBoundaryPane::ITEM_DISPLAY);
    pane.GetFileCombo()->SetCurSel(-1);
    owner.Clear();
    display->SetValue(COleVariant(false));
    pane.GetPropertyGrid().OnPropertyChanged(display);
    EXPECT_TRUE(owner.Messages().empty());
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        EXPECT_TRUE(list.GetAt(i)->m_Status);
}

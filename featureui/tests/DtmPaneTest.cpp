// The terrain model's pane inside a host frame: files chosen into the three slots through the
// file dialog and cleared again, the model loaded behind its real progress dialogs, the pens
// styled through the grid, and what the host hears of each.
#include "featureui/panes/DtmPane.h"
#include "featureui/loaders/DtmResources.h"
#include "featureui/panes/FeaturePaneResources.h"
#include "features/Dtm.h"
#include "foundation/ConfigFile.h"
#include "outside/panes/PropertyGridItems.h"
#include "platform/core/Path.h"
#include "platform/core/WinApp.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ModalHook.h"
#include "featureui/tests/PaneTestFiles.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/RecordingOwner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
const POSTED_MESSAGE kUpdateDtm{"UM_UPDATE_DTM", 0, 0};

enum BUTTON
{
    ADD_1,
    CLEAR_1,
    ADD_2,
    CLEAR_2,
    ADD_3,
    CLEAR_3,
    LOAD
};

// An XYZ file of columns x rows points 2 m apart from (500000, 6000000), depths 10.25 to 59.25 m
// written negative.
CString WriteXyz(const char* name, int columns, int rows)
{
    const CString windowsPath = CString("C:\\Survey\\") + name;
    const QString path = LinuxPathFromWindows(windowsPath);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QByteArray text;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            text += QByteArray::number(500000 + 2 * c) + "," + QByteArray::number(6000000 + 2 * r) + ",-" +
                    QByteArray::number(10 + (r + c) % 50) + ".25\n";
    f.write(text);
    return windowsPath;
}

CString DtmSettings()
{
    return SettingsFile("DTM");
}

struct DtmPaneFixture : ::testing::Test
{
    CWinApp app{"DtmPaneTest"};
    CRecordingOwner owner;
    CDtm dtm;
    CDtmPane pane;
    CString one = WriteXyz("one.xyz", 20, 10);
    CString two = WriteXyz("two.xyz", 4, 4);
    CString three = WriteXyz("three.xyz", 3, 3);

    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateOwner());
        // As the anchor-cable program does: Create with its frame and its model, then InitPropList.
        ASSERT_TRUE(pane.Create(&owner, 33067, &dtm));
        pane.InitPropList();
        pane.ShowPane(TRUE, FALSE, FALSE);
        Pump();
        owner.Clear();
    }

    Messages Press(BUTTON button)
    {
        owner.Clear();
        CColourButton* pressed = pane.GetButton(button);
        pressed->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        pressed->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        return owner.Messages();
    }
    Messages Choose(BUTTON button, const CString& path)
    {
        ModalHook::AnswerFileDialog({path});
        return Press(button);
    }
    Strings Names() const { return {dtm.m_FileName[0].GetString(), dtm.m_FileName[1].GetString(), dtm.m_FileName[2].GetString()}; }
    CMFCPropertyGridProperty* Group(const char* name)
    {
        CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
        for (int i = 0; i < grid.GetPropertyCount(); ++i)
            if (CString(grid.GetProperty(i)->GetName()) == name)
                return grid.GetProperty(i);
        return nullptr;
    }
    // The shown values of a group's items, in order.
    Strings Shown(const char* group)
    {
        Strings values;
        if (CMFCPropertyGridProperty* g = Group(group))
            for (int i = 0; i < g->GetSubItemsCount(); ++i)
                values.emplace_back(pane.GetPropertyGrid().GetShownValue(g->GetSubItem(i)).GetString());
        return values;
    }
    void AnswerLoad()
    {
        ModalHook::AnswerDialog(IDD_IMPORT_DTM, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
        ModalHook::AnswerDialog(IDD_DTM_DEPTHS, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
    }
};

CString Format(const char* format, double value)
{
    CString text;
    text.Format(format, value);
    return text;
}
} // namespace

TEST_F(DtmPaneFixture, FilesGoIntoTheFirstFreeSlotAndMoveDownWhenCleared)
{
    EXPECT_EQ(pane.GetTitle(), "DTM Properties");
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), (Strings{"Properties"}));

    // "Add DTM 3" with no file yet fills slot one.
    EXPECT_EQ(Choose(ADD_3, one), (Messages{kUpdateDtm}));
    const MODAL_RECORD& dialog = ModalHook::Shown().back();
    EXPECT_EQ(dialog.caption, "DTM Three (XYZ Format)");
    EXPECT_EQ(dialog.flags, 0x80004u);
    EXPECT_EQ(Names(), (Strings{one.GetString(), "", ""}));
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), (Strings{"Properties", "DTM File"}));
    // Not stamped by a load yet: its name only.
    EXPECT_EQ(Shown("DTM File"), (Strings{"one"}));

    EXPECT_EQ(Choose(ADD_2, two), (Messages{kUpdateDtm}));
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), (Strings{"Properties", "DTM One File", "DTM TWO File"}));
    EXPECT_EQ(Choose(ADD_3, three), (Messages{kUpdateDtm}));
    EXPECT_EQ(Names(), (Strings{one.GetString(), two.GetString(), three.GetString()}));
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()),
              (Strings{"Properties", "DTM One File", "DTM TWO File", "DTM THREE File"}));
    EXPECT_TRUE(ReadBytes(DtmSettings())
                    .startsWith("Dtm One File Name = C:\\Survey\\one.xyz\r\nDtm Two File Name = C:\\Survey\\two.xyz\r\n"
                                "Dtm Three File Name = C:\\Survey\\three.xyz\r\nDisplay Coverage = 0\r\n"));

    // A file already in slot one or two, a cancelled dialog, no name: nothing changes.
    const QByteArray saved = ReadBytes(DtmSettings());
    EXPECT_TRUE(Choose(ADD_2, one).empty());
    EXPECT_TRUE(Choose(ADD_3, two).empty());
    EXPECT_TRUE(Choose(ADD_1, one).empty());
    ModalHook::CancelFileDialog();
    EXPECT_TRUE(Press(ADD_1).empty());
    EXPECT_TRUE(Choose(ADD_1, "").empty());
    EXPECT_EQ(Names(), (Strings{one.GetString(), two.GetString(), three.GetString()}));
    EXPECT_EQ(ReadBytes(DtmSettings()), saved);

    // "Clear DTM 1": the former second and third remain.
    EXPECT_EQ(Press(CLEAR_1), (Messages{kUpdateDtm}));
    EXPECT_EQ(Names(), (Strings{two.GetString(), three.GetString(), ""}));
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), (Strings{"Properties", "DTM One File", "DTM TWO File"}));
    EXPECT_TRUE(Press(CLEAR_3).empty()); // an empty slot
    EXPECT_EQ(Press(CLEAR_2), (Messages{kUpdateDtm}));
    EXPECT_EQ(Names(), (Strings{two.GetString(), "", ""}));
    // "Add DTM 1" replaces slot one.
    EXPECT_EQ(Choose(ADD_1, one), (Messages{kUpdateDtm}));
    EXPECT_EQ(Names(), (Strings{one.GetString(), "", ""}));
}

TEST_F(DtmPaneFixture, LoadDtmsShowsTheModelAndTellsTheOwner)
{
    Choose(ADD_1, one);
    AnswerLoad();
    EXPECT_EQ(Press(LOAD), (Messages{kRedraw, kRedrawVector, kUpdateDtm}));
    ASSERT_NE(dtm.m_pCells, nullptr);
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()),
              (Strings{"Properties", "DTM File", "Easting", "Northing", "Depth"}));
    // Stamped now: size, date and the pen follow the name.
    const Strings file = Shown("DTM File");
    ASSERT_EQ(file.size(), 6u);
    EXPECT_EQ(file[1], dtm.m_SizeText[0].GetString());
    EXPECT_EQ(file[2], dtm.m_DateText[0].GetString());
    EXPECT_EQ(Shown("Easting"), (Strings{Format("%12.3lf", dtm.m_MinEasting).GetString(),
                                         Format("%12.3lf", dtm.m_MaxEasting).GetString(),
                                         Format("%12.3lf", dtm.m_MaxEasting - dtm.m_MinEasting).GetString(), "20",
                                         Format("%12.3lf", dtm.m_Header.CellSize).GetString()}));
    EXPECT_EQ(Shown("Northing")[3], "10");
    EXPECT_DOUBLE_EQ(dtm.m_MinNorthing, 6000000.0);
    EXPECT_EQ(Shown("Northing")[0], Format("%12.3lf", 6000000.0).GetString());
    EXPECT_EQ(Shown("Depth"), (Strings{Format("%6.1lf", dtm.m_MinDepth).GetString(),
                                       Format("%6.1lf", dtm.m_MaxDepth).GetString()}));

    // What the user sees: the pane inside the frame, its grid showing the model.
    EXPECT_EQ(FrameProbe::StrayTopLevels(&owner), std::vector<std::string>());
    const QImage frame = FrameProbe::GrabWindow(&owner);
    const QRect gridRect = FrameProbe::PaneRect(&pane.GetPropertyGrid());
    ASSERT_TRUE(frame.rect().contains(gridRect.center()));
    EXPECT_GT(FrameProbe::ContentPixels(frame, gridRect), 50);
    // "Load DTMs" green, "Clear DTM 1" red, beside and below "Add DTM 1".
    const QRect load = FrameProbe::PaneRect(pane.GetButton(LOAD));
    const QRect clear = FrameProbe::PaneRect(pane.GetButton(CLEAR_1));
    EXPECT_EQ(frame.pixelColor(load.left() + 4, load.center().y()), QColor(0, 128, 0));
    EXPECT_EQ(frame.pixelColor(clear.left() + 4, clear.top() + 4), QColor(128, 0, 0));
    EXPECT_GT(clear.top(), FrameProbe::PaneRect(pane.GetButton(ADD_1)).top());

    // A changed file list discards the grid; a quit load then shows no stale extents.
    Choose(ADD_2, two);
    EXPECT_EQ(dtm.m_pCells, nullptr);
    ModalHook::AnswerDialog(IDD_IMPORT_DTM, [](CDialog* dlg) {
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
        return IDCANCEL;
    });
    EXPECT_EQ(Press(LOAD), (Messages{kRedraw, kRedrawVector, kUpdateDtm}));
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), (Strings{"Properties", "DTM One File", "DTM TWO File"}));
}

TEST_F(DtmPaneFixture, PenChangesAreSavedAndDrawnUnlessTheySetTheSameValue)
{
    Choose(ADD_1, one);
    AnswerLoad();
    Press(LOAD);
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    const COLORREF colour = dtm.m_Pen[0].Colour;
    QFile::remove(LinuxPathFromWindows(DtmSettings()));

    // The same colour again: neither saved nor drawn.
    owner.Clear();
    ASSERT_TRUE(NotifyGridChange(grid, CDtmPane::ITEM_PEN_COLOUR, COleVariant(static_cast<long>(colour))));
    EXPECT_TRUE(owner.Messages().empty());
    EXPECT_FALSE(QFile::exists(LinuxPathFromWindows(DtmSettings())));

    ASSERT_TRUE(EditGridItem(grid, CDtmPane::ITEM_PEN_FILL, "Solid"));
    owner.Clear();
    ASSERT_TRUE(EditGridItem(grid, CDtmPane::ITEM_PEN_COLOUR, "Red"));
    EXPECT_EQ(owner.Messages(), (Messages{kRedraw, kRedrawVector}));
    EXPECT_EQ(dtm.m_Pen[0].Colour, 0x0000FFu);
    EXPECT_TRUE(ReadBytes(DtmSettings()).contains("Dtm One Pen = 255, "));
    EXPECT_GT(GridValuePixels(grid, "Fill Style", QColor(255, 0, 0)), 5);

    owner.Clear();
    ASSERT_TRUE(EditGridItem(grid, CDtmPane::ITEM_PEN_WIDTH, "3"));
    EXPECT_EQ(owner.Messages(), (Messages{kRedraw, kRedrawVector}));
    EXPECT_TRUE(ReadBytes(DtmSettings()).contains("Dtm One Pen = 255, 0, 3, -1\r\n"));
    ASSERT_TRUE(NotifyGridChange(grid, CDtmPane::ITEM_DISPLAY_COVERAGE, COleVariant(true)));
    EXPECT_TRUE(dtm.m_bDisplayCoverage);
    EXPECT_TRUE(ReadBytes(DtmSettings()).contains("Display Coverage = 1\r\n"));
}

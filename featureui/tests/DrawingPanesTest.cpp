// The digitised-data and DXF panes inside a host frame: drawings added through the dialog and
// loaded behind their progress dialogs while the host's mutex is held (and released on every
// way out), the display switches with the files they write, and drawings removed.
#include "featureui/panes/DigPane.h"
#include "featureui/panes/DxfPane.h"
#include "featureui/panes/FeaturePaneResources.h"
#include "featureui/loaders/LoadDig.h"
#include "featureui/loaders/LoadDxf.h"
#include "featureui/tests/PaneTestFiles.h"
#include "features/DigList.h"
#include "features/DxfList.h"
#include "features/tests/FeatureTestFiles.h"
#include "outside/panes/PropertyGridItems.h"
#include "platform/core/Sync.h"
#include "platform/core/WinApp.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/RecordingOwner.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace
{
const POSTED_MESSAGE kVectorDisplay{"UM_REDRAW_VECTOR_DISPLAY", 0, 0};

// A copy of the small drawing of the feature tests as "C:\Data\<name>.dxf".
CString WriteDrawing(const char* name)
{
    return WriteDataFile((std::string(name) + ".dxf").c_str(), featuretest::Fixture("dig_tiny.dxf"));
}

// Whether another thread gets the mutex within a second.
bool FreeForOthers(CMutex& mutex)
{
    bool taken = false;
    std::thread other([&] {
        CSingleLock lock(&mutex);
        taken = lock.Lock(1000) != FALSE;
    });
    other.join();
    return taken;
}

template <class TPane, class TList> struct DrawingPaneFixture : ::testing::Test
{
    CWinApp app{"DrawingPanesTest"};
    CRecordingOwner owner;
    CMutex mutex;
    TList list;
    TPane pane;

    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateOwner());
        ASSERT_TRUE(pane.Create(&owner, 33140, &list, &mutex));
        ASSERT_NE(pane.GetAddButton(), nullptr);
        pane.ShowPane(TRUE, FALSE, FALSE);
        Pump();
        owner.Clear();
    }
    Messages Click(UINT nID, CWnd* button) { return PressButton(pane, owner, nID, button); }
};

struct DigPaneFixture : DrawingPaneFixture<CDigPane, CDigList>
{
    // The file chosen in the dialog, loaded by the real loader.
    Messages Add(const CString& path)
    {
        ModalHook::AnswerFileDialog({path});
        ModalHook::AnswerDialogOf<CLoadDig>([](CLoadDig*) { return MODALHOOK_RUN_LOOP; });
        return Click(IDC_ADD_DIG_FILE, pane.GetAddButton());
    }
};

struct DxfPaneFixture : DrawingPaneFixture<CDxfPane, CDxfList>
{
    Messages Add(const CString& path)
    {
        ModalHook::AnswerFileDialog({path});
        ModalHook::AnswerDialogOf<CLoadDxf>([](CLoadDxf*) { return MODALHOOK_RUN_LOOP; });
        return Click(IDC_ADD_DXF_FILE, pane.GetAddButton());
    }
};
} // namespace

TEST_F(DigPaneFixture, ADrawingIsAddedOnceUnderTheMutexAndTheMutexIsFreeAfterwards)
{
    EXPECT_EQ(pane.GetTitle(), "Digitized Data Properties");
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), (Strings{"No Files Selected"}));
    const CString coast = WriteDrawing("coast");
    EXPECT_EQ(Add(coast), (Messages{kVectorDisplay}));
    const MODAL_RECORD& dialog = ModalHook::Shown()[0];
    EXPECT_EQ(dialog.flags, 0x81004u);
    EXPECT_EQ(dialog.text, "DXF Files (*.dxf)|*.dxf|CSV Files (*.csv)|*.csv|DIG Files (*.dig)|*.dig||");
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_GT(list.GetHead()->GetSize(), 0);
    EXPECT_EQ(pane.GetSelection(), 0);
    EXPECT_EQ(pane.GetCurrentFileTitle(), "coast");
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), (Strings{"Properties", "Extents"}));
    CString shown =
        pane.GetPropertyGrid().GetShownValue(pane.GetPropertyGrid().GetProperty(1)->GetSubItem(0));
    CString expected;
    expected.Format("%10.2lfE", list.GetHead()->m_MinEasting);
    EXPECT_EQ(shown, expected);
    EXPECT_TRUE(FreeForOthers(mutex));
    EXPECT_EQ(ReadBytes(SettingsFile("Dig List")).count("coast.dxf"), 1);

    // What the user sees: the grid fills the pane below the combo box, inside the frame.
    EXPECT_EQ(FrameProbe::StrayTopLevels(&owner), std::vector<std::string>());
    const QImage frame = FrameProbe::GrabWindow(&owner);
    const QRect grid = FrameProbe::PaneRect(&pane.GetPropertyGrid());
    const QRect whole = FrameProbe::PaneRect(&pane);
    ASSERT_TRUE(frame.rect().contains(grid.center()));
    EXPECT_GT(FrameProbe::ContentPixels(frame, grid), 50);
    EXPECT_GE(grid.bottom(), whole.bottom() - 2);

    // A DIG file itself (here the cache the drawing gave): read as it stands.
    const QByteArray cache = ReadBytes(list.GetHead()->GetCacheFileName());
    const CString chart = WriteDataFile("chart.DIG", cache);
    EXPECT_EQ(Add(chart), (Messages{kVectorDisplay}));
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetTail()->GetSize(), (cache.size() - 16) / 18);
    EXPECT_EQ(pane.GetFileCombo()->GetCount(), 2);
    EXPECT_EQ(ReadBytes(chart), cache);
    EXPECT_TRUE(FreeForOthers(mutex));

    // A twin of a loaded path: refused, nothing posted, the mutex free again.
    CString twin = coast;
    twin.MakeUpper();
    ModalHook::AnswerFileDialog({twin});
    EXPECT_TRUE(Click(IDC_ADD_DIG_FILE, pane.GetAddButton()).empty());
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_TRUE(FreeForOthers(mutex));

    // No name: the warning, nothing locked; a quit load: the pane shows what the list holds.
    ModalHook::AnswerFileDialog({" "});
    ModalHook::AnswerMessageBox(IDOK);
    EXPECT_TRUE(Click(IDC_ADD_DIG_FILE, pane.GetAddButton()).empty());
    EXPECT_EQ(ModalHook::Shown().back().text, "Requires a file name");
    EXPECT_TRUE(FreeForOthers(mutex));
    ModalHook::AnswerFileDialog({WriteDrawing("quit")});
    ModalHook::AnswerDialogOf<CLoadDig>([](CLoadDig* dlg) {
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
        return IDCANCEL;
    });
    EXPECT_EQ(Click(IDC_ADD_DIG_FILE, pane.GetAddButton()), (Messages{kVectorDisplay}));
    EXPECT_EQ(pane.GetFileCombo()->GetCount(), list.GetCount());
    EXPECT_TRUE(FreeForOthers(mutex));
}

TEST_F(DigPaneFixture, DisplayRewritesOnlyTheCachesFirstByteWholeOrNotAtAll)
{
    Add(WriteDrawing("coast"));
    CDig& dig = *list.GetHead();
    const CString cache = dig.GetCacheFileName();
    const QByteArray before = ReadBytes(cache);
    ASSERT_GT(before.size(), 16 + 18);
    ASSERT_EQ(before[0], 1);

    owner.Clear();
    ASSERT_TRUE(NotifyGridChange(pane.GetPropertyGrid(), CDigPane::ITEM_DISPLAY, COleVariant(false)));
    EXPECT_EQ(owner.Messages(), (Messages{kVectorDisplay}));
    const QByteArray off = ReadBytes(cache);
    ASSERT_EQ(off.size(), before.size());
    EXPECT_EQ(off[0], 0);
    EXPECT_EQ(off.mid(1, 15), before.mid(1, 15));
    EXPECT_EQ(off.mid(16), before.mid(16));
    // The same value again: nothing.
    owner.Clear();
    ASSERT_TRUE(NotifyGridChange(pane.GetPropertyGrid(), CDigPane::ITEM_DISPLAY, COleVariant(false)));
    EXPECT_TRUE(owner.Messages().empty());

    ASSERT_TRUE(NotifyGridChange(pane.GetPropertyGrid(), CDigPane::ITEM_DISPLAY, COleVariant(true)));
    EXPECT_EQ(ReadBytes(cache), before);

    // A cache that cannot be written keeps its old bytes; the host still hears of the change.
    QDir().mkpath(LinuxPathFromWindows(cache + ".part"));
    owner.Clear();
    ASSERT_TRUE(NotifyGridChange(pane.GetPropertyGrid(), CDigPane::ITEM_DISPLAY, COleVariant(false)));
    EXPECT_EQ(owner.Messages(), (Messages{kVectorDisplay}));
    EXPECT_EQ(ReadBytes(cache), before);
    EXPECT_FALSE(dig.IsShown());
    EXPECT_TRUE(FreeForOthers(mutex));
}

TEST_F(DigPaneFixture, RemovedDrawingsAreFreedAndTitlesSelectDrawings)
{
    Add(WriteDrawing("alpha"));
    Add(WriteDrawing("bravo"));
    ASSERT_EQ(list.GetCount(), 2);
    // Added drawings leave the selection where it was.
    EXPECT_EQ(pane.GetSelection(), 0);

    pane.SetUseFile("BRAVO");
    EXPECT_EQ(pane.GetSelection(), 1);
    EXPECT_EQ(pane.GetFileCombo()->GetCurSel(), 1);
    EXPECT_EQ(pane.GetCurrentFileTitle(), "BRAVO");
    pane.SetUseFile("charlie");
    EXPECT_EQ(pane.GetSelection(), 0);
    EXPECT_EQ(pane.GetFileCombo()->GetCurSel(), 0);

    // Choosing in the combo box rebuilds the grid for that drawing.
    ChooseComboEntry(pane, pane.GetFileCombo(), IDC_DIG_COMBO, 1);
    EXPECT_EQ(pane.GetCurrentFileTitle(), "bravo");

    // The freed drawings are the sanitizer's to check.
    EXPECT_EQ(Click(IDC_REMOVE_DIG_FILE, pane.GetRemoveButton()), (Messages{kVectorDisplay}));
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(pane.GetSelection(), 0);
    EXPECT_EQ(pane.GetCurrentFileTitle(), "alpha");
    EXPECT_EQ(Click(IDC_REMOVE_DIG_FILE, pane.GetRemoveButton()), (Messages{kVectorDisplay}));
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()), (Strings{"No Files Selected"}));
    EXPECT_TRUE(Click(IDC_REMOVE_DIG_FILE, pane.GetRemoveButton()).empty());
    EXPECT_TRUE(FreeForOthers(mutex));
}

TEST_F(DxfPaneFixture, ShowLabelsIsKeptInTheDisplaySettingsAndAnnouncedOnce)
{
    EXPECT_EQ(pane.GetTitle(), "DXF Properties");
    const CString site = WriteDrawing("site");
    EXPECT_EQ(Add(site), (Messages{kVectorDisplay}));
    EXPECT_EQ(ModalHook::Shown()[0].text, "DXF Files (*.dxf)|*.dxf||");
    ASSERT_EQ(list.GetCount(), 1);
    CDxf& dxf = *list.GetHead();
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    ASSERT_NE(FindGridItem(grid, CDxfPane::ITEM_SHOW_LABELS), nullptr);
    CString shown = grid.GetShownValue(grid.GetProperty(1)->GetSubItem(3));
    CString expected;
    expected.Format("%10.2lfN ", dxf.m_HeaderMax.y);
    EXPECT_EQ(shown, expected);

    const CString settings = dxf.GetDisplaySettingsFileName();
    QFile::remove(LinuxPathFromWindows(settings));
    owner.Clear();
    ASSERT_TRUE(NotifyGridChange(grid, CDxfPane::ITEM_SHOW_LABELS, COleVariant(false)));
    EXPECT_EQ(owner.Messages(), (Messages{kVectorDisplay}));
    EXPECT_EQ(ReadBytes(settings), QByteArray("Use = 1\r\nShow Text = 0\r\nScale = 1.000\r\n"));
    QFile::remove(LinuxPathFromWindows(settings));
    owner.Clear();
    ASSERT_TRUE(NotifyGridChange(grid, CDxfPane::ITEM_SHOW_LABELS, COleVariant(false)));
    EXPECT_TRUE(owner.Messages().empty());
    EXPECT_FALSE(QFile::exists(LinuxPathFromWindows(settings)));

    ASSERT_TRUE(NotifyGridChange(grid, CDxfPane::ITEM_DISPLAY, COleVariant(false)));
    EXPECT_EQ(ReadBytes(settings), QByteArray("Use = 0\r\nShow Text = 0\r\nScale = 1.000\r\n"));

    // A twin of the loaded path: nothing added, nothing posted, the mutex free.
    CString twin = site;
    twin.MakeUpper();
    ModalHook::AnswerFileDialog({twin});
    EXPECT_TRUE(Click(IDC_ADD_DXF_FILE, pane.GetAddButton()).empty());
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_TRUE(FreeForOthers(mutex));

    EXPECT_EQ(Click(IDC_REMOVE_DXF_FILE, pane.GetRemoveButton()), (Messages{kVectorDisplay}));
    EXPECT_EQ(GridGroupNames(grid), (Strings{"No Files Selected"}));
}

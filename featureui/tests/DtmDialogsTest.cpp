#include "featureui/DtmDepths.h"
#include "featureui/DtmResources.h"
#include "featureui/ImportDtm.h"
#include "featureui/LoadDtm.h"
#include "featureui/LoadDtmDlg.h"
#include "features/Dtm.h"
#include "platform/core/Path.h"
#include "platform/ui/ModalHook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <gtest/gtest.h>

#include <vector>

namespace
{
void WriteXyz(const char* windowsPath, int columns, int rows)
{
    const QString path = LinuxPathFromWindows(windowsPath);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QByteArray text;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            text += QByteArray::number(500000 + 2 * c) + "," + QByteArray::number(6000000 + 2 * r) + "," +
                    QByteArray::number(10 + (r + c) % 50) + ".25\n";
    f.write(text);
}

bool CacheExists(const char* windowsPath)
{
    return QFileInfo::exists(LinuxPathFromWindows(windowsPath));
}

// Runs the dialog's loop, keeping the caption the dialog gave itself.
ModalHook::DialogAnswer RunKeepingCaption(std::vector<CString>* captions)
{
    return [captions](CDialog* dlg) {
        CString caption;
        dlg->GetWindowText(caption);
        captions->push_back(caption);
        return MODALHOOK_RUN_LOOP;
    };
}

// Presses "Quit" at once.
INT_PTR Quit(CDialog* dlg)
{
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
    return IDCANCEL;
}
} // namespace

TEST(DtmDialogs, LoadDtmRebuildsThenReadsTheCache)
{
    WriteXyz("C:\\Survey\\one.xyz", 20, 10);
    WriteXyz("C:\\Survey\\two.xyz", 5, 5);
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\Survey\\one.xyz";
    dtm.m_FileName[1] = "C:\\Survey\\two.xyz";
    std::vector<CString> captions;
    ModalHook::AnswerDialog(IDD_IMPORT_DTM, RunKeepingCaption(&captions));
    ModalHook::AnswerDialog(IDD_DTM_DEPTHS, RunKeepingCaption(&captions));
    EXPECT_TRUE(LoadDtm(&dtm));
    ASSERT_EQ(ModalHook::Shown().size(), 2u);
    EXPECT_EQ(ModalHook::Shown()[0].id, static_cast<UINT>(IDD_IMPORT_DTM));
    ASSERT_EQ(captions.size(), 2u);
    EXPECT_EQ(captions[0], "Computing DTM one & two Extents");
    EXPECT_EQ(captions[1], "Making Depths Array fo one and two");
    EXPECT_EQ(ModalHook::Shown()[1].result, IDOK);
    EXPECT_TRUE(CacheExists("C:\\Survey\\Combined.DTM"));
    EXPECT_EQ(dtm.m_Header.Columns, 20);
    EXPECT_DOUBLE_EQ(dtm.GetDepth(500002, 6000000), 11.25);
    EXPECT_FALSE(dtm.m_SizeText[0].IsEmpty());

    dtm.Unload();
    ModalHook::AnswerDialog(IDD_LOAD_DTM, RunKeepingCaption(&captions));
    EXPECT_TRUE(LoadDtm(&dtm));
    ASSERT_EQ(ModalHook::Shown().size(), 3u);
    EXPECT_EQ(captions.back(), "Loading DTM one & two.........");
    EXPECT_DOUBLE_EQ(dtm.GetDepth(500002, 6000000), 11.25);
}

TEST(DtmDialogs, QuittingTheExtentsDialogEndsTheLoad)
{
    WriteXyz("C:\\Survey\\one.xyz", 300, 300);
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\Survey\\one.xyz";
    CString caption;
    ModalHook::AnswerDialog(IDD_IMPORT_DTM, [&caption](CDialog* dlg) {
        dlg->GetWindowText(caption);
        return Quit(dlg);
    });
    EXPECT_FALSE(LoadDtm(&dtm));
    ASSERT_EQ(ModalHook::Shown().size(), 1u);
    EXPECT_EQ(caption, "Computing DTM one Extents");
    EXPECT_EQ(ModalHook::Shown()[0].result, IDCANCEL);
    EXPECT_FALSE(CacheExists("C:\\Survey\\one.DTM"));
}

// Each dialog quit while its worker runs: the worker still writes the dialog's counters until
// it notices the stop, which must happen before the dialog (on this stack frame) is gone.
TEST(DtmDialogsStress, QuitMidRunLeavesNoCacheAndNoDanglingWorker)
{
    WriteXyz("C:\\Survey\\big.xyz", 400, 400);
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\Survey\\big.xyz";
    ModalHook::AnswerDialog(IDD_IMPORT_DTM, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
    ModalHook::AnswerDialog(IDD_DTM_DEPTHS, Quit);
    EXPECT_FALSE(LoadDtm(&dtm));
    EXPECT_FALSE(CacheExists("C:\\Survey\\big.DTM"));
    EXPECT_TRUE(dtm.NeedsRebuild());

    dtm.Unload();
    ModalHook::AnswerDialog(IDD_IMPORT_DTM, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
    ModalHook::AnswerDialog(IDD_DTM_DEPTHS, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
    ASSERT_TRUE(LoadDtm(&dtm));
    for (int i = 0; i < 5; ++i)
    {
        dtm.Unload();
        ModalHook::AnswerDialog(IDD_LOAD_DTM, Quit);
        EXPECT_FALSE(LoadDtm(&dtm));
    }
    EXPECT_EQ(ModalHook::Shown().back().result, IDCANCEL);
}

// The depths dialog polled far faster than its own timer while the worker fills the grid: it
// shows the cell of the point just read, and keeps nothing in the model, whose last column and
// row belong to whoever else looks depths up meanwhile.
TEST(DtmDialogsStress, TheDepthsDialogShowsItsOwnCellAndWritesNothingInTheModel)
{
    WriteXyz("C:\\Survey\\big.xyz", 400, 400);
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\Survey\\big.xyz";
    // A sanitizer slows the worker many times over.
    ModalHook::SetLoopTimeout(120000);
    ModalHook::AnswerDialog(IDD_IMPORT_DTM, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
    QTimer poll;
    int shown = 0;
    int outside = 0;
    bool kept = true;
    ModalHook::AnswerDialog(IDD_DTM_DEPTHS, [&](CDialog* dlg) {
        // The extents pass has reset them; the grid pass never touches them.
        dtm.m_LastColumn = 12345;
        dtm.m_LastRow = 54321;
        QObject::connect(&poll, &QTimer::timeout, [&, dlg] {
            dlg->SendMessage(WM_TIMER, 1, 0);
            CString x, y;
            dlg->GetDlgItemText(IDC_DTM_X, x);
            dlg->GetDlgItemText(IDC_DTM_Y, y);
            if (!x.IsEmpty() && (atoi(x) < 0 || atoi(x) >= 400))
                ++outside;
            if (!y.IsEmpty() && (atoi(y) < 0 || atoi(y) >= 400))
                ++outside;
            kept = kept && dtm.m_LastColumn == 12345 && dtm.m_LastRow == 54321;
            shown += x.IsEmpty() ? 0 : 1;
        });
        poll.start(0);
        return MODALHOOK_RUN_LOOP;
    });
    EXPECT_TRUE(LoadDtm(&dtm));
    poll.stop();
    EXPECT_GT(shown, 0);
    EXPECT_EQ(outside, 0);
    EXPECT_TRUE(kept);
}

// The extents dialog shows what the worker has found, from the copy the worker keeps for it:
// at the end, the model's own extents and grid size.
TEST(DtmDialogs, TheExtentsDialogShowsTheExtentsFound)
{
    WriteXyz("C:\\Survey\\one.xyz", 30, 20);
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\Survey\\one.xyz";
    ModalHook::AnswerDialog(IDD_IMPORT_DTM, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
    CImportDtm dialog;
    dialog.m_pDtm = &dtm;
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_Extents.Columns.load(), dtm.m_Header.Columns);
    EXPECT_EQ(dialog.m_Extents.Rows.load(), dtm.m_Header.Rows);
    EXPECT_EQ(dialog.m_Extents.MinEasting.load(), dtm.m_MinEasting);
    EXPECT_EQ(dialog.m_Extents.MaxNorthing.load(), dtm.m_MaxNorthing);
    EXPECT_EQ(dialog.m_Extents.MaxDepth.load(), dtm.m_MaxDepth);
    EXPECT_DOUBLE_EQ(dialog.m_Extents.MinEasting.load(), 500000.0);
    EXPECT_DOUBLE_EQ(dialog.m_Extents.MaxNorthing.load(), 6000038.0);
    EXPECT_GE(dtm.m_Header.Columns, 30);
}

TEST(DtmDialogs, ProgressTextsOfTheCacheDialog)
{
    WriteXyz("C:\\Survey\\one.xyz", 30, 30);
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\Survey\\one.xyz";
    ModalHook::AnswerDialog(IDD_IMPORT_DTM, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
    ModalHook::AnswerDialog(IDD_DTM_DEPTHS, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
    ASSERT_TRUE(LoadDtm(&dtm));
    dtm.Unload();
    ASSERT_FALSE(dtm.NeedsRebuild());
    ModalHook::AnswerDialog(IDD_LOAD_DTM, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
    CLoadDtmDlg dialog;
    dialog.m_pDtm = &dtm;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_BytesTotal.load(), 1072 + 30 * 30 * 4);
    EXPECT_EQ(dialog.m_BytesDone.load(), 1072 + 30 * 30 * 4);
}

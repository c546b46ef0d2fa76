#include "featureui/loaders/DtmDepths.h"
#include "featureui/loaders/DtmResources.h"
#include "featureui/loaders/ImportDtm.h"
#include "featureui/loaders/LoadDtm.h"
#include "featureui/loaders/LoadDtmDlg.h"
#include "features/Dtm.h"
#include "platform/core/Path.h"
#include "platform/ui/ModalHook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>

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

// "Load DTMs" on a model that is loaded already: the grid is read again, not lost.
TEST(DtmDialogs, LoadingALoadedModelAgainKeepsItsGrid)
{
    WriteXyz("C:\\Survey\\one.xyz", 20, 10);
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\Survey\\one.xyz";
    ModalHook::AnswerDialog(IDD_IMPORT_DTM, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
    ModalHook::AnswerDialog(IDD_DTM_DEPTHS, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
    ASSERT_TRUE(LoadDtm(&dtm));
    for (int again = 0; again < 2; ++again)
    {
        ModalHook::AnswerDialog(IDD_LOAD_DTM, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
        EXPECT_TRUE(LoadDtm(&dtm)) << again;
        EXPECT_NE(dtm.m_pCells, nullptr) << again;
        EXPECT_EQ(dtm.m_Header.Columns, 20) << again;
        EXPECT_DOUBLE_EQ(dtm.GetDepth(500002, 6000000), 11.25) << again;
    }
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

// The extents dialog's tick shows what the worker has found while the worker goes on measuring:
// it reads the worker's published copy, never the model under measurement, so the figures it
// shows only ever grow towards the final grid (and ThreadSanitizer sees no race).
TEST(DtmDialogsStress, ExtentsShownWhileTheWorkerMeasuresOnlyGrowToTheGrid)
{
    const int columns = 400, rows = 400;
    WriteXyz("C:\\Survey\\big.xyz", columns, rows);
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\Survey\\big.xyz";
    std::vector<int> shownColumns;
    std::vector<double> shownMaxEasting;
    QTimer ticker;
    ModalHook::AnswerDialog(IDD_IMPORT_DTM, [&](CDialog* dlg) {
        // Ticks as fast as the event loop turns, far more often than the dialog's own timer.
        QObject::connect(&ticker, &QTimer::timeout, [&, dlg] {
            dlg->SendMessage(WM_TIMER, 1);
            CString text;
            dlg->GetDlgItemText(IDC_DTM_MAX_X, text);
            shownColumns.push_back(std::atoi(text));
            dlg->GetDlgItemText(IDC_DTM_MAX_ENG, text);
            shownMaxEasting.push_back(std::atof(text));
        });
        ticker.start(0);
        return MODALHOOK_RUN_LOOP;
    });
    CImportDtm dialog;
    dialog.m_pDtm = &dtm;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ticker.stop();
    ASSERT_FALSE(shownColumns.empty());
    for (size_t i = 1; i < shownColumns.size(); ++i)
    {
        ASSERT_GE(shownColumns[i], shownColumns[i - 1]) << i;
        if (shownMaxEasting[i - 1] < 1e300)
        {
            ASSERT_GE(shownMaxEasting[i], shownMaxEasting[i - 1]) << i;
        }
    }
    EXPECT_LE(shownColumns.back(), dtm.m_Header.Columns);
    EXPECT_EQ(dtm.m_Header.Columns, columns);
    const DtmExtentsShownDef last = dialog.m_Extents.Get();
    EXPECT_EQ(last.Columns, dtm.m_Header.Columns);
    EXPECT_EQ(last.Rows, dtm.m_Header.Rows);
    EXPECT_EQ(last.MaxEasting, 500000 + 2 * (columns - 1));
    EXPECT_EQ(last.MinNorthing, 6000000);
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

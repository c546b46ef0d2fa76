#include "featureui/loaders/LoadDig.h"
#include "featureui/loaders/LoadDxf.h"
#include "featureui/loaders/LoadFileResources.h"
#include "features/Dig.h"
#include "features/DigList.h"
#include "features/DxfList.h"
#include "features/tests/FeatureTestFiles.h"
#include "platform/ui/ModalHook.h"
#include "platform/ui/ProgressCtrl.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace featuretest;

namespace
{
const char kTinyDxf[] = "C:\\MyData\\Tiny\\dig_tiny.dxf";
const char kTinyDig[] = "C:\\MyData\\Tiny\\dig_tiny.DIG";

CString StatusText(CDialog* dlg)
{
    CString text;
    dlg->GetDlgItemText(IDC_LOAD_STATUS, text);
    return text;
}

CString Caption(CDialog* dlg)
{
    CString text;
    dlg->GetWindowText(text);
    return text;
}

int BarPosition(CDialog* dlg)
{
    return static_cast<CProgressCtrl*>(dlg->GetDlgItem(IDC_LOAD_PROGRESS))->GetPos();
}

// Waits (without delivering the worker's end message) until `done` or ten seconds have passed.
template <class Done> bool WaitUntil(Done done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 10000)
        QThread::usleep(100);
    return done();
}

// A drawing of `count` lines inside the extents it names.
QByteArray LargeDrawing(int count)
{
    QByteArray text(
        "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$EXTMIN\r\n 10\r\n0\r\n 20\r\n0\r\n  9\r\n$EXTMAX\r\n"
        " 10\r\n1000000\r\n 20\r\n1000000\r\n  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n");
    char buffer[160];
    for (int i = 0; i < count; ++i)
    {
        std::snprintf(buffer, sizeof(buffer),
                      "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n%d\r\n 20\r\n%d\r\n 11\r\n%d\r\n 21\r\n%d\r\n",
                      i + 1, i + 2, i + 3, i + 4);
        text += buffer;
    }
    return text + "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
}
} // namespace

TEST(LoadDig, LoadsTheDrawingBehindItsDialog)
{
    WriteBytes(kTinyDxf, Fixture("dig_tiny.dxf"));
    CDigList list;
    CDig* dig = list.AddFile(kTinyDxf);
    ASSERT_NE(dig, nullptr);
    CString caption, status;
    ModalHook::AnswerDialogOf<CLoadDig>([&](CLoadDig* dlg) {
        caption = Caption(dlg);
        status = StatusText(dlg);
        return MODALHOOK_RUN_LOOP;
    });
    CLoadDig dialog;
    dialog.SetDig(list.GetTail());
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(caption, "Loading DIG dig_tiny.........");
    EXPECT_EQ(status, "0 Bytes of 0 Bytes");
    ASSERT_EQ(ModalHook::Shown().size(), 1u);
    EXPECT_EQ(ModalHook::Shown()[0].id, static_cast<UINT>(IDD_LOAD_FILE));
    EXPECT_EQ(dig->GetSize(), Fixture("dig_tiny.points").size() / 18);
    EXPECT_EQ(dialog.m_BytesRead.load(), dialog.m_BytesToRead.load());
    EXPECT_TRUE(Exists(kTinyDig));
}

TEST(LoadDig, EmptyCacheShowsNothingReadAndEndsWithOk)
{
    WriteBytes("C:\\MyData\\empty.csv", "");
    WriteBytes("C:\\MyData\\empty.DIG", "");
    CDig dig;
    dig.m_FileName = "C:\\MyData\\empty.csv";
    CString status;
    int position = -1;
    ModalHook::AnswerDialogOf<CLoadDig>([&](CLoadDig* dlg) {
        EXPECT_TRUE(
            WaitUntil([&] { return dlg->m_BytesToRead.load() == 0 && dlg->m_BytesRead.load() == 0; }));
        dlg->SendMessage(WM_TIMER, 1, 0);
        status = StatusText(dlg);
        position = BarPosition(dlg);
        return MODALHOOK_RUN_LOOP;
    });
    CLoadDig dialog;
    dialog.SetDig(&dig);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(status, "Copied 0 bytes of 0");
    EXPECT_EQ(position, 0);
    EXPECT_TRUE(dig.IsEmpty());
}

TEST(LoadDig, ProgressShowsBytesReadOfTheTotal)
{
    // 2 000 000 points: the status line must count bytes past what 32-bit arithmetic holds
    // when scaled by 1000.
    const int kPoints = 2000000;
    std::vector<BinaryDigDef> points(kPoints, BinaryDigDef{1.0, 2.0, 3});
    WriteBytes("C:\\MyData\\many.csv", "x");
    FileStampDef stamp;
    ASSERT_TRUE(StampFile("C:\\MyData\\many.csv", stamp));
    WriteBytes("C:\\MyData\\many.DIG",
               QByteArray(reinterpret_cast<const char*>(&stamp), 16) +
                   QByteArray(reinterpret_cast<const char*>(points.data()), kPoints * 18));
    CDig dig;
    dig.m_FileName = "C:\\MyData\\many.csv";
    CString status;
    int position = -1;
    ModalHook::AnswerDialogOf<CLoadDig>([&](CLoadDig* dlg) {
        WaitUntil([&] {
            return dlg->m_BytesRead.load() == dlg->m_BytesToRead.load() && dlg->m_BytesToRead.load();
        });
        dlg->SendMessage(WM_TIMER, 1, 0);
        status = StatusText(dlg);
        position = BarPosition(dlg);
        return MODALHOOK_RUN_LOOP;
    });
    CLoadDig dialog;
    dialog.SetDig(&dig);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(status, "Copied 36000016 bytes of 36000016");
    EXPECT_EQ(position, 1000);
    EXPECT_EQ(dig.GetSize(), kPoints);
}

TEST(LoadDxf, ReadsTheDrawingAndItsCacheBehindItsDialog)
{
    WriteBytes(kTinyDxf, Fixture("dig_tiny.dxf"));
    CDxfList list;
    ASSERT_NE(list.AddFile(kTinyDxf), nullptr);
    CString caption, quit;
    ModalHook::AnswerDialogOf<CLoadDxf>([&](CLoadDxf* dlg) {
        caption = Caption(dlg);
        dlg->GetDlgItemText(IDCANCEL, quit);
        return MODALHOOK_RUN_LOOP;
    });
    CLoadDxf dialog;
    dialog.SetDxf(list.GetTail());
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(caption, "Loading DXF dig_tiny.........");
    EXPECT_EQ(quit, "Quit");
    EXPECT_EQ(list.GetTail()->m_Entities.GetCount(), 8);
    EXPECT_EQ(ReadBytes(kTinyDig).mid(16), Fixture("dig_tiny.points"));
}

TEST(LoadDxf, MissingFileStillEndsWithOk)
{
    CDxf dxf;
    dxf.m_FileName = "C:\\MyData\\none.dxf";
    ModalHook::AnswerDialogOf<CLoadDxf>([](CLoadDxf*) { return MODALHOOK_RUN_LOOP; });
    CLoadDxf dialog;
    dialog.SetDxf(&dxf);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(dxf.m_Entities.IsEmpty());
    EXPECT_FALSE(Exists("C:\\MyData\\none.DIG"));
}

// "Quit" while the worker reads: DoModal gives IDCANCEL only once the worker has ended, so the
// drawing and the dialog can go at once (run under AddressSanitizer in the sanitizer build).
TEST(LoadDrawingStress, QuitWhileTheWorkerReads)
{
    WriteBytes("C:\\MyData\\large.dxf", LargeDrawing(300000));
    int quit = 0;
    for (const ULONGLONG quitAfter : {0ull, 1ull, 2000000ull})
    {
        auto* dxf = new CDxf;
        dxf->m_FileName = "C:\\MyData\\large.dxf";
        ModalHook::AnswerDialogOf<CLoadDxf>([&](CLoadDxf* dlg) {
            if (quitAfter > 0)
                WaitUntil([&] { return dlg->m_BytesRead.load() >= quitAfter; });
            if (dlg->ContinueModal())
                dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
            return IDOK; // not used: the dialog has ended
        });
        INT_PTR result = 0;
        {
            CLoadDxf dialog;
            dialog.SetDxf(dxf);
            result = dialog.DoModal();
        }
        const INT_PTR entities = dxf->m_Entities.GetCount();
        delete dxf;
        QCoreApplication::processEvents();
        if (result == IDCANCEL)
        {
            ++quit;
            EXPECT_LT(entities, 300000);
            EXPECT_FALSE(Exists("C:\\MyData\\large.DIG")) << "a stopped read writes no cache";
        }
        else
        {
            EXPECT_EQ(entities, 300000);
        }
        QFile::remove(LinuxPathFromWindows("C:\\MyData\\large.DIG"));
    }
    EXPECT_GT(quit, 0);

    // The same for a digitised drawing in its record loop.
    const int kPoints = 3000000;
    std::vector<BinaryDigDef> points(kPoints, BinaryDigDef{1.0, 2.0, 3});
    WriteBytes("C:\\MyData\\big.csv", "x");
    WriteBytes("C:\\MyData\\big.DIG", QByteArray(reinterpret_cast<const char*>(points.data()), kPoints * 18));
    points.clear();
    auto* dig = new CDig;
    dig->m_FileName = "C:\\MyData\\big.csv";
    ModalHook::AnswerDialogOf<CLoadDig>([&](CLoadDig* dlg) {
        WaitUntil([&] { return dlg->m_BytesRead.load() > 0; });
        if (dlg->ContinueModal())
            dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
        return IDOK;
    });
    INT_PTR result = 0;
    {
        CLoadDig dialog;
        dialog.SetDig(dig);
        result = dialog.DoModal();
    }
    const INT_PTR read = dig->GetSize();
    EXPECT_FALSE(dig->m_bBusy) << "the worker is done with the drawing";
    delete dig;
    QCoreApplication::processEvents();
    if (result == IDCANCEL)
        EXPECT_LT(read, kPoints);
    else
        EXPECT_EQ(read, kPoints);
}

#include "featureui/loaders/LoadShape.h"
#include "featureui/loaders/LoadFileResources.h"
#include "features/Shape.h"
#include "features/ShapeFileList.h"
#include "features/tests/ShapeTestFiles.h"
#include "foundation/Folders.h"
#include "platform/ui/ModalHook.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>

using namespace shapetest;

namespace
{
const char kPoints[] = "C:\\MyData\\Shapes\\Points.shp";

void WritePoints(const char* windowsPath, int count)
{
    CString base(windowsPath);
    base.Replace(".shp", "");
    WriteManyPoints(base, count);
    WriteTable(base, {{"NAME", FTString, 10, 0}});
}

// Delivers the dialog's messages and timers until `done` or five seconds have passed.
template <class Done> bool PumpUntil(Done done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

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
} // namespace

TEST(LoadShape, LoadsBehindItsDialogAndAppendsTheShape)
{
    WritePoints(kPoints, 3);
    CShapeFileList list;
    CString caption;
    ModalHook::AnswerDialogOf<CLoadShape>([&caption](CLoadShape* dlg) {
        caption = Caption(dlg);
        return MODALHOOK_RUN_LOOP;
    });
    EXPECT_TRUE(LoadShapeFile(kPoints, &list));
    EXPECT_EQ(caption, "Loading Shape File Points.........");
    ASSERT_EQ(list.GetSize(), 1);
    EXPECT_TRUE(list.m_bChanged);
    EXPECT_EQ(list[0]->m_FilePath, kPoints);
    EXPECT_EQ(list[0]->m_Title, "Points");
    EXPECT_EQ(list[0]->GetCount(), 3);
    ASSERT_EQ(ModalHook::Shown().size(), 1u);
    EXPECT_EQ(ModalHook::Shown()[0].id, static_cast<UINT>(IDD_LOAD_FILE));
    EXPECT_EQ(ModalHook::Shown()[0].result, IDOK);
}

TEST(LoadShape, ShapefileThatDoesNotOpenLeavesTheListAlone)
{
    CShapeFileList list;
    ModalHook::AnswerDialogOf<CLoadShape>([](CLoadShape*) { return MODALHOOK_RUN_LOOP; });
    EXPECT_FALSE(LoadShapeFile("C:\\MyData\\Shapes\\Missing.shp", &list));
    EXPECT_EQ(list.GetSize(), 0);
    EXPECT_FALSE(list.m_bChanged);
    ASSERT_EQ(ModalHook::Shown().size(), 1u);
    EXPECT_EQ(ModalHook::Shown()[0].result, IDCANCEL);
}

TEST(LoadShape, ProgressShowsEntitiesReadOfTheCount)
{
    // More entities than a 16-bit range holds: the bar still spans them all.
    const int total = 150000;
    WritePoints(kPoints, total);
    CShapeFileList list;
    CString text;
    int lower = -1, upper = -1, position = -1;
    ModalHook::AnswerDialogOf<CLoadShape>([&](CLoadShape* dlg) {
        EXPECT_EQ(StatusText(dlg), "0 Bytes of 0 Bytes");
        // Ticks by hand, without delivering the worker's end message, until the count is known
        // and reading has begun.
        QElapsedTimer timer;
        timer.start();
        while ((StatusText(dlg).Left(7) != "Copied " || atoi(StatusText(dlg).Mid(7)) < 1) &&
               timer.elapsed() < 5000)
        {
            dlg->SendMessage(WM_TIMER, 1, 0);
            QThread::msleep(1);
        }
        text = StatusText(dlg);
        CProgressCtrl* bar = static_cast<CProgressCtrl*>(dlg->GetDlgItem(IDC_LOAD_PROGRESS));
        bar->GetRange(lower, upper);
        position = bar->GetPos();
        return MODALHOOK_RUN_LOOP;
    });
    EXPECT_TRUE(LoadShapeFile(kPoints, &list));
    EXPECT_TRUE(text.Left(7) == "Copied " && text.Right(19) == " of 150000 Entities") << text.GetString();
    EXPECT_EQ(position, atoi(text.Mid(7)));
    EXPECT_EQ(lower, 1);
    EXPECT_EQ(upper, total);
    ASSERT_EQ(list.GetSize(), 1);
    EXPECT_EQ(list[0]->GetCount(), total);
}

TEST(LoadShape, AddShapeFileRecordsANewFileOnly)
{
    WritePoints(kPoints, 2);
    CShapeFileList list;
    list.m_ListName = "Shape Files";
    ModalHook::AnswerDialogOf<CLoadShape>([](CLoadShape*) { return MODALHOOK_RUN_LOOP; });
    EXPECT_TRUE(AddShapeFile(kPoints, &list));
    ASSERT_EQ(list.m_FileNames.GetSize(), 1);
    EXPECT_EQ(list.m_FileNames[0], kPoints);
    EXPECT_EQ(ReadFile(GetSettingsFolder() + "Shape_Files.FLS"),
              QByteArray("[Shape Files]\r\nC:\\MyData\\Shapes\\Points.shp\r\n"));

    // The same file under another letter case: refused before any dialog opens.
    EXPECT_FALSE(AddShapeFile("c:\\mydata\\SHAPES\\points.SHP", &list));
    EXPECT_EQ(ModalHook::Shown().size(), 1u);
    EXPECT_EQ(list.GetSize(), 1);
    EXPECT_EQ(list.m_FileNames.GetSize(), 1);

    // A file that does not load is not recorded.
    ModalHook::AnswerDialogOf<CLoadShape>([](CLoadShape*) { return MODALHOOK_RUN_LOOP; });
    EXPECT_FALSE(AddShapeFile("C:\\MyData\\Shapes\\Missing.shp", &list));
    EXPECT_EQ(list.m_FileNames.GetSize(), 1);
    EXPECT_EQ(list.GetSize(), 1);
}

TEST(LoadShape, LoadShapeFilesLoadsEveryListedFileInOrder)
{
    WritePoints("C:\\MyData\\A.shp", 1);
    WritePoints("C:\\MyData\\B.shp", 2);
    CShapeFileList list;
    list.m_FileNames.Add("C:\\MyData\\B.shp");
    list.m_FileNames.Add("C:\\MyData\\Missing.shp");
    list.m_FileNames.Add("C:\\MyData\\A.shp");
    for (int i = 0; i < 3; ++i)
        ModalHook::AnswerDialogOf<CLoadShape>([](CLoadShape*) { return MODALHOOK_RUN_LOOP; });
    LoadShapeFiles(&list);
    ASSERT_EQ(list.GetSize(), 2);
    EXPECT_EQ(list[0]->m_Title, "B");
    EXPECT_EQ(list[1]->m_Title, "A");
    EXPECT_EQ(ModalHook::Shown().size(), 3u);
}

// Quitting while the worker reads: the dialog ends at once with IDCANCEL, LoadShapeFile
// deletes the shape, and nothing of the dialog or the shape is touched afterwards (run under
// AddressSanitizer in the sanitizer build).
TEST(LoadShapeStress, QuitDuringALargeLoad)
{
    const int total = 200000;
    WritePoints(kPoints, total);
    int quit = 0;
    for (int quitAfter : {0, 1, 5000, 60000})
    {
        CShapeFileList list;
        ModalHook::AnswerDialogOf<CLoadShape>([&](CLoadShape* dlg) {
            if (quitAfter > 0)
                PumpUntil([&] {
                    const CString text = StatusText(dlg);
                    return text.Left(7) == "Copied " && atoi(text.Mid(7)) >= quitAfter;
                });
            // "Quit", unless the worker has ended the dialog already.
            if (dlg->ContinueModal())
                dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
            return IDOK; // not used: the dialog has ended
        });
        QElapsedTimer timer;
        timer.start();
        const bool loaded = LoadShapeFile(kPoints, &list);
        EXPECT_LT(timer.elapsed(), 60000);
        // On a busy machine the worker may read the whole file before "Quit" is seen; then
        // the shape is whole and kept.
        EXPECT_EQ(list.GetSize(), loaded ? 1 : 0) << quitAfter;
        if (loaded)
            EXPECT_EQ(list[0]->GetCount(), total);
        else
            ++quit;
        EXPECT_EQ(ModalHook::Shown().back().result, loaded ? IDOK : IDCANCEL);
        // Whatever the worker still posted goes nowhere.
        QCoreApplication::processEvents();
    }
    EXPECT_GT(quit, 0);
}

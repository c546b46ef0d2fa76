#include "featureui/dialogs/PipelineDlg.h"
#include "featureui/dialogs/ShapeFileSelectorResources.h"
#include "foundation/ConfigFile.h"
#include "foundation/ExcelColumnComboBox.h"
#include "foundation/Geometry.h"
#include "platform/core/Path.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "featureui/tests/PaneTestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace
{
void WriteText(const char* windowsPath, const QByteArray& text)
{
    const QString path = LinuxPathFromWindows(windowsPath);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

// The last message box shown.
const MODAL_RECORD* LastMessageBox()
{
    const auto& shown = ModalHook::Shown();
    for (auto it = shown.rbegin(); it != shown.rend(); ++it)
        if (it->kind == MODAL_RECORD::MessageBox)
            return &*it;
    return nullptr;
}

CString Text(CDialog* dlg, int id)
{
    CString text;
    dlg->GetDlgItem(id)->GetWindowText(text);
    return text;
}

// Chooses the listing through "Select File", sets the tolerance and thins, answering the
// closing message box.
INT_PTR ThinWith(CDialog* dlg, const char* path, const char* tolerance)
{
    ModalHook::AnswerFileDialog({path});
    Press(dlg, IDC_PIPELINE_SELECT_FILE);
    dlg->GetDlgItem(IDC_PIPELINE_TOLERANCE)->SetWindowText(tolerance);
    ModalHook::AnswerMessageBox(IDOK);
    Press(dlg, IDC_PIPELINE_THIN);
    return IDOK;
}

// Runs the dialog with one answer.
void RunPipelineDialog(const ModalHook::DialogAnswer& answer)
{
    ModalHook::AnswerDialog(IDD_PIPELINE, answer);
    CPipelineDlg dlg;
    dlg.DoModal();
}

QByteArray Listing(const std::vector<std::pair<double, double>>& points)
{
    QByteArray text;
    double kp = 0.0;
    for (const auto& p : points)
    {
        text += QByteArray::number(kp, 'f', 3) + "," + QByteArray::number(p.first, 'f', 3) + "," +
                QByteArray::number(p.second, 'f', 3) + ",-42.5\r\n";
        kp += 0.1;
    }
    return text;
}
} // namespace

TEST(PipelineThinning, CollinearPointsKeepTheEndsAndAnOffsetEqualToTheToleranceStaysOut)
{
    const struct
    {
        const char* name;
        std::vector<std::pair<double, double>> points;
        const char* tolerance;
        QByteArray expected;
        const char* used;
    } cases[] = {
        {"three on one line",
         {{1000, 2000}, {1050, 2050}, {1100, 2100}},
         "1.00",
         "0.000,1000.000,2000.000,-42.5\r\n0.200,1100.000,2100.000,-42.5\r\n1100.000,2100.000, END",
         "2 (66.7%)"},
        {"offset exactly the tolerance",
         {{0, 0}, {50, 2}, {100, 0}},
         "2.00",
         "0.000,0.000,0.000,-42.5\r\n0.200,100.000,0.000,-42.5\r\n100.000,0.000, END",
         "2 (66.7%)"},
        {"offset just past it",
         {{0, 0}, {50, 2.01}, {100, 0}},
         "2.00",
         "0.000,0.000,0.000,-42.5\r\n0.100,50.000,2.010,-42.5\r\n0.200,100.000,0.000,-42.5\r\n100.000,0.000, END",
         "3 (100.0%)"},
        {"a tolerance of 0 works as 1",
         {{0, 0}, {50, 0.9}, {100, 0}},
         "0.00",
         "0.000,0.000,0.000,-42.5\r\n0.200,100.000,0.000,-42.5\r\n100.000,0.000, END",
         "2 (66.7%)"},
        {"a negative tolerance as its size",
         {{0, 0}, {50, 2.5}, {100, 0}},
         "-3.00",
         "0.000,0.000,0.000,-42.5\r\n0.200,100.000,0.000,-42.5\r\n100.000,0.000, END",
         "2 (66.7%)"},
        {"a single record", {{7, 8}}, "1.00", "0.000,7.000,8.000,-42.5\r\n7.000,8.000, END", "1 (100.0%)"},
    };
    for (const auto& c : cases)
    {
        WriteText("C:\\Lay\\route.csv", Listing(c.points));
        RunPipelineDialog([&c](CDialog* dlg) {
            ThinWith(dlg, "C:\\Lay\\route.csv", c.tolerance);
            CString total;
            total.Format("%d", static_cast<int>(c.points.size()));
            EXPECT_STREQ(Text(dlg, IDC_PIPELINE_TOTAL), total) << c.name;
            EXPECT_STREQ(Text(dlg, IDC_PIPELINE_USED), c.used) << c.name;
            EXPECT_FALSE(dlg->GetDlgItem(IDC_PIPELINE_PROGRESS)->IsWindowVisible());
            return IDOK;
        });
        EXPECT_EQ(ReadBytes("C:\\Lay\\route_thinned.csv"), c.expected) << c.name;
    }
    const MODAL_RECORD* box = LastMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_STREQ(box->caption, "Pipeline Data");
    EXPECT_STREQ(box->text, "Thined data file written to\nC:\\Lay\\route_thinned.csv");
}

TEST(PipelineThinning, EveryDroppedPointLiesWithinTheToleranceOfTheLegThatSpansIt)
{
    std::mt19937 random(20261211);
    std::normal_distribution<double> wander(0.0, 1.5);
    for (int run = 0; run < 5; ++run)
    {
        std::vector<std::pair<double, double>> points;
        double e = 500000.0, n = 6000000.0, heading = 0.3;
        for (int i = 0; i < 400; ++i)
        {
            heading += wander(random) * 0.02;
            e += 5.0 * std::sin(heading) + wander(random) * 0.3;
            n += 5.0 * std::cos(heading) + wander(random) * 0.3;
            points.emplace_back(std::round(e * 1000.0) / 1000.0, std::round(n * 1000.0) / 1000.0);
        }
        WriteText("C:\\Lay\\random.csv", Listing(points));
        RunPipelineDialog([](CDialog* dlg) { return ThinWith(dlg, "C:\\Lay\\random.csv", "1.50"); });

        // The kept points, by their KP (0.1 km a point).
        const QList<QByteArray> lines = ReadBytes("C:\\Lay\\random_thinned.csv").split('\n');
        ASSERT_GE(lines.size(), 3);
        std::vector<size_t> kept;
        for (int i = 0; i + 1 < lines.size(); ++i)
            kept.push_back(static_cast<size_t>(std::lround(lines[i].split(',')[0].toDouble() * 10.0)));
        ASSERT_EQ(kept.front(), 0u);
        ASSERT_EQ(kept.back(), points.size() - 1);
        EXPECT_LT(kept.size(), points.size() / 2) << "a gentle line thins";
        for (size_t k = 0; k + 1 < kept.size(); ++k)
            for (size_t i = kept[k] + 1; i < kept[k + 1]; ++i)
            {
                double kp, along, across = 0.0, toEnd;
                OffsetFromLine(points[i].first, points[i].second, points[kept[k]].first, points[kept[k]].second,
                               points[kept[k + 1]].first, points[kept[k + 1]].second, &kp, &along, &across,
                               &toEnd);
                EXPECT_LE(std::fabs(across), 1.5) << "run " << run << " point " << i;
            }
    }
}

TEST(PipelineThinning, AFailedRunLeavesThePreviousFileWholeAndNoHalfMadeOne)
{
    WriteText("C:\\Lay\\route.csv", Listing({{0, 0}, {50, 5}, {100, 0}}));
    WriteText("C:\\Lay\\route_thinned.csv", "previous run\n");
    // The input gone by the time the user thins: nothing is written.
    RunPipelineDialog([](CDialog* dlg) {
        ModalHook::AnswerFileDialog({"C:\\Lay\\route.csv"});
        Press(dlg, IDC_PIPELINE_SELECT_FILE);
        QFile::remove(LinuxPathFromWindows("C:\\Lay\\route.csv"));
        Press(dlg, IDC_PIPELINE_THIN);
        return IDOK;
    });
    EXPECT_EQ(ReadBytes("C:\\Lay\\route_thinned.csv"), "previous run\n");

    // An output that cannot be put in place: the user is told, and the input and the folder
    // are as they were.
    WriteText("C:\\Lay\\blocked.csv", Listing({{0, 0}, {100, 0}}));
    ASSERT_TRUE(QDir().mkpath(LinuxPathFromWindows("C:\\Lay\\blocked_thinned.csv")));
    RunPipelineDialog([](CDialog* dlg) {
        ModalHook::AnswerFileDialog({"C:\\Lay\\blocked.csv"});
        Press(dlg, IDC_PIPELINE_SELECT_FILE);
        ModalHook::AnswerMessageBox(IDOK);
        Press(dlg, IDC_PIPELINE_THIN);
        const MODAL_RECORD* box = LastMessageBox();
        EXPECT_TRUE(box && box->text == "The thinned pipeline file could not be written.");
        return IDOK;
    });
    EXPECT_TRUE(QFileInfo(LinuxPathFromWindows("C:\\Lay\\blocked_thinned.csv")).isDir());
    EXPECT_EQ(QDir(LinuxPathFromWindows("C:\\Lay")).entryList(QDir::Files).size(), 2);
}

TEST(PipelineImport, SelectFileShowsTheSampleAndKeepsTheSettings)
{
    WriteText("C:\\Lay\\survey.txt", "Header line\n12.5,612345.678,5812345.123,-31.2\n");
    RunPipelineDialog([](CDialog* dlg) {
        ModalHook::AnswerFileDialog({"C:\\Lay\\survey.txt"});
        Press(dlg, IDC_PIPELINE_SELECT_FILE);
        EXPECT_STREQ(Text(dlg, IDC_PIPELINE_FOLDER), "C:\\Lay\\");
        EXPECT_STREQ(Text(dlg, IDC_PIPELINE_FILE_NAME), "survey.txt");
        EXPECT_STREQ(Text(dlg, IDC_PIPELINE_SAMPLE_KP), "Header line");

        auto* skip = static_cast<CComboBox*>(dlg->GetDlgItem(IDC_PIPELINE_SKIP_LINES));
        EXPECT_EQ(skip->GetCount(), 21);
        skip->SetCurSel(1);
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PIPELINE_SKIP_LINES, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(skip->GetSafeHwnd()));
        EXPECT_STREQ(Text(dlg, IDC_PIPELINE_SAMPLE_KP), "12.5");
        EXPECT_STREQ(Text(dlg, IDC_PIPELINE_SAMPLE_EASTING), "612345.678");
        EXPECT_STREQ(Text(dlg, IDC_PIPELINE_SAMPLE_NORTHING), "5812345.123");
        EXPECT_STREQ(Text(dlg, IDC_PIPELINE_SAMPLE_DEPTH), "-31.2");
        EXPECT_STREQ(Text(dlg, IDC_PIPELINE_USED), "0 (0.0%)");

        // The sample boxes stand out on their pale yellow, as the user sees them.
        dlg->ShowWindow(SW_SHOW);
        PumpFor(20);
        const QImage shot = dlg->GetWidget()->grab().toImage();
        CRect box;
        dlg->GetDlgItem(IDC_PIPELINE_SAMPLE_DEPTH)->GetWindowRect(&box);
        dlg->ScreenToClient(&box);
        const QRgb corner = shot.pixel(box.left + 2, box.top + 2);
        EXPECT_EQ(qRed(corner), 0xFF);
        EXPECT_EQ(qGreen(corner), 0xFF);
        EXPECT_EQ(qBlue(corner), 0x99);

        // "Skip" on the depth column: the field is left out, its column kept for coming back.
        auto* depth = static_cast<CExcelColumnComboBox*>(dlg->GetDlgItem(IDC_PIPELINE_DEPTH));
        depth->SetCurSel(0);
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PIPELINE_DEPTH, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(depth->GetSafeHwnd()));
        EXPECT_STREQ(Text(dlg, IDC_PIPELINE_SAMPLE_DEPTH), "n/a");
        Press(dlg, IDOK);
        return IDCANCEL;
    });
    CListCtrlImport import;
    for (const char* field : {"KP", "Easting", "Northing", "Depth"})
        import.AddField(field);
    import.LoadSettings();
    EXPECT_STREQ(import.m_FullPath, "C:\\Lay\\survey.txt");
    EXPECT_EQ(import.m_SkipNoLines, 1);
    EXPECT_EQ(import[3].Column, -2 - 3);
    EXPECT_EQ(import[1].Column, 1);

    // An empty listing: the first box says so and the others keep what they showed.
    WriteText("C:\\Lay\\survey.txt", "Header line\n");
    RunPipelineDialog([](CDialog* dlg) {
        EXPECT_STREQ(Text(dlg, IDC_PIPELINE_SAMPLE_KP), "n/a");
        EXPECT_STREQ(Text(dlg, IDC_PIPELINE_SAMPLE_EASTING), "");
        return IDCANCEL;
    });
}

TEST(PipelineImport, ThinnedNameKeepsFolderTitleAndExtension)
{
    EXPECT_STREQ(CPipelineDlg::ThinnedFileName("C:\\Lay\\route.csv"), "C:\\Lay\\route_thinned.csv");
    EXPECT_STREQ(CPipelineDlg::ThinnedFileName("C:\\Lay\\v1.2\\route"), "C:\\Lay\\v1.2\\route_thinned.");
}

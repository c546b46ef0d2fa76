// CListCtrlImport::ImportCsv of a 50 000-row, 8-column observation file into a list (redraw
// off, the columns fitted once after), beside the same texts put into the list directly: what
// reading, splitting and mapping the file adds to the list's own cost.

#include "foundation/ListCtrlImport.h"
#include "foundation/MyListCtrl.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

namespace
{
const int kRows = 50000;
const int kColumns = 8;

struct Bench
{
    QTemporaryDir folder;
    CWnd owner;
    CMyListCtrl list;
    CListCtrlImport import;
    std::vector<std::vector<CString>> cells;

    Bench()
    {
        // Drive C: is the temporary folder, so the file has a Windows path like any other.
        qputenv("SUITE_DRIVE_C", folder.path().toUtf8());
        owner.CreateEx(0, nullptr, "Bench", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 400), nullptr, 0);
        list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 780, 380), &owner, 100);
        QFile file(folder.path() + "/ranges.csv");
        file.open(QIODevice::WriteOnly);
        for (int c = 0; c < kColumns; ++c)
        {
            CString heading;
            heading.Format("Column %d", c + 1);
            list.InsertColumn(c, heading, LVCFMT_LEFT, 60);
            import.AddField(heading);
            import.SetColumn(c, c);
        }
        char text[64];
        for (int r = 0; r < kRows; ++r)
        {
            std::vector<CString> row;
            QByteArray line;
            for (int c = 0; c < kColumns; ++c)
            {
                if (c == 0)
                    std::snprintf(text, sizeof text, "STN%05d", r);
                else
                    std::snprintf(text, sizeof text, "%.3f", r * 1.25 + c * 1000.0);
                row.emplace_back(text);
                if (c > 0)
                    line += ',';
                line += text;
            }
            line += "\r\n";
            file.write(line);
            cells.push_back(row);
        }
        file.close();
        import.m_FullPath = "C:\\ranges.csv";
    }
};

Bench& Shared()
{
    static Bench* bench = new Bench;
    return *bench;
}

void ImportCsv(benchmark::State& state)
{
    Bench& b = Shared();
    for (auto _ : state)
    {
        b.list.SetRedraw(FALSE);
        if (!b.import.ImportCsv(b.list) || b.list.GetItemCount() != kRows)
            state.SkipWithError("the import did not read every row");
        b.list.AutoSizeColumns();
    }
}

void FillDirectly(benchmark::State& state)
{
    Bench& b = Shared();
    for (auto _ : state)
    {
        b.list.SetRedraw(FALSE);
        b.list.DeleteAllItems();
        for (int r = 0; r < kRows; ++r)
        {
            const std::vector<CString>& row = b.cells[static_cast<size_t>(r)];
            b.list.InsertItem(r, row[0]);
            b.list.SetItemData(r, static_cast<DWORD_PTR>(r));
            for (int c = 1; c < kColumns; ++c)
                b.list.SetItemText(r, c, row[static_cast<size_t>(c)]);
            b.list.SetItem(r, 0, LVIF_IMAGE, nullptr, 1, 0, 0, 0);
        }
        b.list.AutoSizeColumns();
    }
}

BENCHMARK(ImportCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(FillDirectly)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

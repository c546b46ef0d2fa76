// Terrain model speed: the full rebuild (extent pass, grid pass, cache write) and the cache
// load of a 5-million-point regular XYZ file, beside gdal_translate -of GTiff on the same file
// when GDAL is installed. Times are wall-clock (the rebuild reads on several threads), and
// bytes_per_second is the text (140 MB) rebuilt or the cache (20 MB) loaded a second.
#include "features/Dtm.h"
#include "features/LoadDtmThread.h"
#include "platform/core/Path.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
const int kColumns = 2500;
const int kRows = 2000; // 5 million points

struct Fixture
{
    QTemporaryDir dir;
    std::string xyz;
    CString windowsXyz;

    Fixture()
    {
        xyz = QDir(dir.path()).filePath("bench.xyz").toStdString();
        FILE* f = std::fopen(xyz.c_str(), "w");
        // Rows written from north to south, as survey grids usually are and as GDAL's XYZ
        // reader wants them.
        for (int r = kRows - 1; r >= 0; --r)
            for (int c = 0; c < kColumns; ++c)
                std::fprintf(f, "%.2f %.2f %.3f\n", 450000.0 + 5.0 * c, 6200000.0 + 5.0 * r,
                             20.0 + ((r * 7 + c * 13) % 1000) * 0.017);
        std::fclose(f);
        windowsXyz = WindowsPathFromLinux(QString::fromStdString(xyz));
    }
};

Fixture& Data()
{
    static Fixture fixture;
    return fixture;
}

void Run(CDtm& dtm, int mode)
{
    CLoadDtmThread worker;
    worker.m_pDtm = &dtm;
    worker.m_nMode = mode;
    if (mode == 0)
        worker.ReadCache();
    else if (mode == 1)
        worker.ComputeExtents();
    else
        worker.MakeGrid();
}

void BM_DtmRebuild(benchmark::State& state)
{
    Fixture& data = Data();
    for (auto _ : state)
    {
        CDtm dtm;
        dtm.m_FileName[0] = data.windowsXyz;
        Run(dtm, 1);
        Run(dtm, 2);
        if (!dtm.m_pCells)
            state.SkipWithError("no grid");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * QFileInfo(QString::fromStdString(data.xyz)).size());
}
BENCHMARK(BM_DtmRebuild)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_DtmCacheLoad(benchmark::State& state)
{
    Fixture& data = Data();
    CDtm dtm;
    dtm.m_FileName[0] = data.windowsXyz;
    Run(dtm, 1);
    Run(dtm, 2);
    int64_t bytes = 0;
    for (auto _ : state)
    {
        dtm.Unload();
        if (dtm.NeedsRebuild())
        {
            state.SkipWithError("cache not current");
            break;
        }
        Run(dtm, 0);
        bytes += DTM_HEADER_SIZE + int64_t(dtm.m_Header.Columns) * dtm.m_Header.Rows * 4;
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_DtmCacheLoad)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GdalTranslateGTiff(benchmark::State& state)
{
    if (std::system("command -v gdal_translate > /dev/null 2>&1") != 0)
    {
        state.SkipWithError("GDAL is not installed");
        for (auto _ : state)
        {
        }
        return;
    }
    Fixture& data = Data();
    const std::string command =
        "gdal_translate -q -of GTiff '" + data.xyz + "' '" + data.xyz + ".tif' > /dev/null 2>&1";
    for (auto _ : state)
    {
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("gdal_translate failed");
    }
}
BENCHMARK(BM_GdalTranslateGTiff)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

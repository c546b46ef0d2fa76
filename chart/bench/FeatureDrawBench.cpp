// The chart view's drawing of a 100 000-point pipeline with its corridor, and of a terrain
// model's coverage, on a 1920 × 1080 bitmap, beside QPainter::drawPolyline of the pipeline's
// own screen points in the same run.
#include "chart/GridView.h"
#include "features/Dtm.h"
#include "features/PipelineList.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

namespace
{
constexpr int kWidth = 1920, kHeight = 1080;
constexpr int kPoints = 100000;
constexpr double kOriginE = 500000.0, kOriginN = 6000000.0;

// A view at 1:5000 (0.8 pixels a metre on a 4-pixels-a-millimetre screen) drawing on a
// bitmap of the benchmark's size, its scale and extents set by one grid drawing.
struct Scene
{
    CGridView view;
    CBitmap bitmap;
    CBitmap* previous = nullptr;

    Scene()
    {
        CDC::SetScreenSize(1000, 800);
        CDC::SetPixelsPerMillimetre(4.0);
        CGridPlot& plot = *view.GetPlot();
        plot.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&plot, kWidth, kHeight);
        previous = plot.SelectObject(&bitmap);
        plot.scaleIndex = 14;
        plot.tickMode = TICK_NONE;
        plot.originE = kOriginE;
        plot.originN = kOriginN;
        plot.DrawGrid(CRect(0, 0, kWidth, kHeight));
    }
    ~Scene() { view.GetPlot()->SelectObject(previous); }
};

// A pipeline that waves across the view, 2000 m long, 300 m either side of the centre, with
// a corridor of 25 m each side.
std::unique_ptr<CPipeline> WavyPipeline()
{
    auto pipeline = std::make_unique<CPipeline>();
    pipeline->m_Use = true;
    pipeline->m_DisplayCorridor = true;
    pipeline->m_PortCorridor = 25.0;
    pipeline->m_StarboardCorridor = 25.0;
    pipeline->m_CorridorPen = tagPen{0, 1, 0x008000, -2};
    pipeline->m_PipelinePen = tagPen{0, 1, 0x0000FF, -2};
    for (int i = 0; i < kPoints; ++i)
    {
        const double t = static_cast<double>(i) / (kPoints - 1);
        PipelineDef point{};
        point.Easting = kOriginE - 1000.0 + 2000.0 * t;
        point.Northing = kOriginN + 300.0 * std::sin(t * 40.0 * M_PI);
        point.PortCorridor = tagXY{point.Easting, point.Northing + 25.0};
        point.StarboardCorridor = tagXY{point.Easting, point.Northing - 25.0};
        pipeline->Add(point);
    }
    return pipeline;
}

void BM_DrawPipelines(benchmark::State& state)
{
    Scene scene;
    std::unique_ptr<CPipeline> pipeline = WavyPipeline();
    // Argument 1 with the corridor (its polygon and both edges), 0 the line alone.
    pipeline->m_DisplayCorridor = state.range(0) != 0;
    CPipelineList list;
    list.Add(pipeline.get());
    for (auto _ : state)
        scene.view.DrawPipelines(&list);
    list.RemoveAll();
}
BENCHMARK(BM_DrawPipelines)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_QtDrawPolyline(benchmark::State& state)
{
    Scene scene;
    std::unique_ptr<CPipeline> pipeline = WavyPipeline();
    std::vector<QPoint> points;
    for (INT_PTR i = 0; i < pipeline->GetSize(); ++i)
    {
        const POINT p = scene.view.GetPlot()->GridToScreenPoint(pipeline->GetAt(i).Easting, pipeline->GetAt(i).Northing);
        points.emplace_back(p.x, p.y);
    }
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (auto _ : state)
    {
        QPainter painter(&image);
        painter.setPen(QPen(Qt::red, 1));
        painter.drawPolyline(points.data(), static_cast<int>(points.size()));
    }
}
BENCHMARK(BM_QtDrawPolyline)->Unit(benchmark::kMillisecond);

void BM_DrawDtm(benchmark::State& state)
{
    Scene scene;
    // 2400 × 1400 m of 2 m cells covering the view, every node known.
    CDtm dtm;
    dtm.m_bDisplayCoverage = true;
    dtm.m_FileName[0] = "C:\\terrain.xyz";
    dtm.m_Pen[0] = tagPen{0, 1, 0x00FF00, -2};
    dtm.m_Header.EastingMin = kOriginE - 1200.0;
    dtm.m_Header.NorthingMin = kOriginN - 700.0;
    dtm.m_Header.CellSize = 2.0;
    dtm.m_Header.Columns = 1201;
    dtm.m_Header.Rows = 701;
    if (!dtm.AllocateGrid())
    {
        state.SkipWithError("no terrain grid");
        return;
    }
    for (int i = 0; i < 1201 * 701; ++i)
        dtm.m_pCells[i] = 2500;
    double* extent = dtm.m_Header.Extent[0];
    extent[0] = kOriginE - 1200.0, extent[1] = kOriginN - 700.0, extent[2] = kOriginE + 1200.0;
    extent[3] = kOriginN + 700.0;
    for (auto _ : state)
        scene.view.DrawDtm(&dtm);
}
BENCHMARK(BM_DrawDtm)->Unit(benchmark::kMillisecond);
} // namespace
// The view's fonts need the application object that Qt's font database lives in.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The chart view's drawing of a 100 000-point pipeline with its corridor, and of a terrain
// model's coverage, on a 1920 × 1080 bitmap, beside QPainter::drawPolyline of the pipeline's
// own screen points in the same run.
#include "chart/view/GridView.h"
#include "features/Dig.h"
#include "features/DigList.h"
#include "features/Dtm.h"
#include "platform/ui/FrameWnd.h"
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
// A whole paint: a 1 000 000-point DIG (lines of 1000 points in three colours) and the
// pipeline with its corridor, into a 1920 × 1080 window, beside QPainter drawing the same
// screen points as polylines with the same pens.
struct PaintScene
{
    CFrameWnd* frame = new CFrameWnd;
    CGridView* view = new CGridView;
    CMutex mutex;
    CDig dig;
    CDigList digs;
    std::unique_ptr<CPipeline> pipeline = WavyPipeline();
    CPipelineList pipelines;
    bool made = false;

    PaintScene()
    {
        CDC::SetScreenSize(1000, 800);
        CDC::SetPixelsPerMillimetre(4.0);
        made = frame->Create(nullptr, "Paint") && view->Create(frame, static_cast<CChartexaStatusBar*>(nullptr));
        if (!made)
            return;
        view->MoveWindow(0, 0, kWidth, kHeight);
        view->SetMutex(&mutex);
        CGridPlot& plot = *view->GetPlot();
        plot.scaleIndex = 14;
        plot.tickMode = TICK_NONE;
        plot.trackObject = 0;
        plot.originE = kOriginE;
        plot.originN = kOriginN;
        dig.SetShown(true);
        dig.SetSize(1000000);
        for (int i = 0; i < 1000000; ++i)
        {
            const int lineNo = i / 1000, k = i % 1000;
            const int16_t code = static_cast<int16_t>(2 + lineNo % 3);
            dig.ElementAt(i) = BinaryDigDef{kOriginE - 1100.0 + 2.2 * k, kOriginN - 650.0 + 1.3 * lineNo + 20.0 * std::sin(k * 0.05),
                                            static_cast<int16_t>(k == 0 ? -code : code)};
        }
        digs.AddTail(&dig);
        view->SetDigList(&digs);
        pipelines.Add(pipeline.get());
        view->SetPipelineList(&pipelines);
        CDC* dc = view->GetDC();
        view->OnDraw(dc); // the scale for the feature layers
        view->ReleaseDC(dc);
    }
    ~PaintScene()
    {
        digs.RemoveAll();
        pipelines.RemoveAll();
        if (made)
            frame->DestroyWindow();
    }
};

void BM_Paint(benchmark::State& state)
{
    PaintScene scene;
    if (!scene.made)
    {
        state.SkipWithError("no window");
        return;
    }
    CDC* dc = scene.view->GetDC();
    for (auto _ : state)
        scene.view->OnDraw(dc);
    scene.view->ReleaseDC(dc);
}
BENCHMARK(BM_Paint)->Unit(benchmark::kMillisecond);

void BM_QtPaintPolylines(benchmark::State& state)
{
    PaintScene scene;
    const CGridPlot& plot = *scene.view->GetPlot();
    // The same screen points: the DIG's lines, the corridor's outline, edges and the line.
    std::vector<std::vector<QPoint>> lines;
    std::vector<QColor> colours;
    for (int lineNo = 0; lineNo < 1000; ++lineNo)
    {
        std::vector<QPoint> points;
        for (int k = 0; k < 1000; ++k)
        {
            const BinaryDigDef& p = scene.dig.GetAt(lineNo * 1000 + k);
            const POINT s = plot.GridToScreenPoint(p.x, p.y);
            points.emplace_back(s.x, s.y);
        }
        lines.push_back(std::move(points));
        colours.push_back(lineNo % 3 == 0 ? Qt::red : lineNo % 3 == 1 ? Qt::yellow : Qt::green);
    }
    std::vector<QPoint> port, starboard, centre;
    for (INT_PTR i = 0; i < scene.pipeline->GetSize(); ++i)
    {
        const PipelineDef& p = scene.pipeline->GetAt(i);
        const POINT a = plot.GridToScreenPoint(p.PortCorridor.x, p.PortCorridor.y);
        const POINT b = plot.GridToScreenPoint(p.StarboardCorridor.x, p.StarboardCorridor.y);
        const POINT c = plot.GridToScreenPoint(p.Easting, p.Northing);
        port.emplace_back(a.x, a.y);
        starboard.emplace_back(b.x, b.y);
        centre.emplace_back(c.x, c.y);
    }
    std::vector<QPoint> outline = port;
    outline.insert(outline.end(), starboard.rbegin(), starboard.rend());
    outline.push_back(port.front());
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state)
    {
        image.fill(Qt::black);
        QPainter painter(&image);
        for (size_t i = 0; i < lines.size(); ++i)
        {
            painter.setPen(QPen(colours[i], 1));
            painter.drawPolyline(lines[i].data(), static_cast<int>(lines[i].size()));
        }
        painter.setPen(QPen(QColor(0, 128, 0), 1));
        painter.drawPolyline(outline.data(), static_cast<int>(outline.size()));
        painter.drawPolyline(port.data(), static_cast<int>(port.size()));
        painter.drawPolyline(starboard.data(), static_cast<int>(starboard.size()));
        painter.setPen(QPen(Qt::red, 1));
        painter.drawPolyline(centre.data(), static_cast<int>(centre.size()));
    }
}
BENCHMARK(BM_QtPaintPolylines)->Unit(benchmark::kMillisecond);

// The view's fonts need the application object that Qt's font database lives in.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

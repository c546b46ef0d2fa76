// The polygon clipper on a 100 000-vertex outline that crosses the view rectangle 1000 times,
// beside Qt's polygon intersection of the same outline and rectangle in the same run.
#include "chart/geometry/ClipPolygon.h"

#include <QPolygonF>
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace
{
constexpr double kLeft = 0.0, kTop = 0.0, kRight = 1000.0, kBottom = 800.0;
constexpr int kVertices = 100000;
constexpr int kCrossings = 1000;

// A band across the view whose upper side waves over the view's top edge: 500 waves, each
// leaving and entering once. The lower side is two vertices inside the view.
std::vector<tagXY> WavyBand()
{
    std::vector<tagXY> outline;
    const int wave = kVertices - 2;
    for (int i = 0; i < wave; ++i)
    {
        const double t = (i + 0.5) / wave;
        const double x = kLeft - 50.0 + t * (kRight - kLeft + 100.0);
        outline.push_back({x, kTop + 20.0 * std::sin(t * M_PI * kCrossings / 2.0 * 2.0 + 0.3)});
    }
    outline.push_back({kRight + 50.0, kBottom - 100.0});
    outline.push_back({kLeft - 50.0, kBottom - 100.0});
    return outline;
}

const std::vector<tagXY> kView = {{kLeft, kTop}, {kRight, kTop}, {kRight, kBottom}, {kLeft, kBottom}, {kLeft, kTop}};

void BM_ClipPolygon(benchmark::State& state)
{
    const std::vector<tagXY> outline = WavyBand();
    int pieces = 0;
    for (auto _ : state)
    {
        tagXY* result = nullptr;
        int count = 0;
        if (ClipPolygon(kView.data(), 5, outline.data(), static_cast<int>(outline.size()), &result, &count, 0.001) != 1)
            state.SkipWithError("ClipPolygon failed");
        pieces = 0;
        for (int i = 0; i < count; ++i)
            pieces += result[i].x == DBL_MAX;
        benchmark::DoNotOptimize(result);
        FreeClipResult(&result);
    }
    state.counters["pieces"] = pieces;
}
BENCHMARK(BM_ClipPolygon)->Unit(benchmark::kMillisecond);

void BM_QtIntersected(benchmark::State& state)
{
    const std::vector<tagXY> outline = WavyBand();
    QPolygonF subject;
    for (const tagXY& p : outline)
        subject << QPointF(p.x, p.y);
    const QPolygonF view(QRectF(kLeft, kTop, kRight - kLeft, kBottom - kTop));
    for (auto _ : state)
    {
        QPolygonF result = subject.intersected(view);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_QtIntersected)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();

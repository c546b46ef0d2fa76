// The polygon clipper beside Qt's polygon intersection of the same outline and view rectangle,
// in the same run, on each of these outlines (the benchmark's argument):
//   0  a band of 100 000 vertices whose upper side waves over the view's top edge 1000 times
//   1  a star of 20 000 vertices whose 400 spikes reach out over all four edges
//   2  a circle of 20 000 vertices wholly inside the view
//   3  a circle of 20 000 vertices round the whole view
//   4  a comb of 10 000 teeth over the top edge, its tips and roots snapped onto the view's
//      edges, with runs along the bottom edge
//   5  a triangle along the bottom edge (three vertices): what a call itself costs
#include "chart/geometry/ClipPolygon.h"

#include <QPolygonF>
#include <benchmark/benchmark.h>

#include <cfloat>
#include <cmath>
#include <vector>

namespace
{
constexpr double kLeft = 0.0, kTop = 0.0, kRight = 1000.0, kBottom = 800.0;

std::vector<tagXY> WavyBand()
{
    constexpr int kVertices = 100000, kCrossings = 1000;
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

std::vector<tagXY> Circle(double radius, int vertices, double spike = 0.0, int spikes = 1)
{
    std::vector<tagXY> outline;
    for (int i = 0; i < vertices; ++i)
    {
        const double a = 2.0 * M_PI * i / vertices;
        const double r = radius + spike * std::cos(a * spikes);
        outline.push_back({500.0 + r * std::cos(a), 400.0 + r * std::sin(a)});
    }
    return outline;
}

std::vector<tagXY> SnappedComb()
{
    std::vector<tagXY> outline;
    constexpr int kTeeth = 10000;
    const double width = (kRight - kLeft) / kTeeth;
    for (int i = 0; i < kTeeth; ++i)
    {
        const double x = kLeft + i * width;
        outline.push_back({x, kTop + 300.0});
        outline.push_back({x + width / 2, i % 2 ? kTop : kTop - 40.0});
    }
    outline.push_back({kRight, kTop + 300.0});
    outline.push_back({kRight, kBottom});
    outline.push_back({kRight - 250.0, kBottom});
    outline.push_back({kLeft + 250.0, kBottom});
    outline.push_back({kLeft, kBottom});
    return outline;
}

std::vector<tagXY> Outline(int which)
{
    switch (which)
    {
    case 0: return WavyBand();
    case 1: return Circle(450.0, 20000, 250.0, 400);
    case 2: return Circle(300.0, 20000);
    case 3: return Circle(1000.0, 20000);
    case 4: return SnappedComb();
    default: return {{1500.0, kTop}, {700.0, kBottom}, {-100.0, kTop}};
    }
}

const std::vector<tagXY> kView = {{kLeft, kTop}, {kRight, kTop}, {kRight, kBottom}, {kLeft, kBottom}, {kLeft, kTop}};

void BM_ClipPolygon(benchmark::State& state)
{
    const std::vector<tagXY> outline = Outline(static_cast<int>(state.range(0)));
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
BENCHMARK(BM_ClipPolygon)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

void BM_QtIntersected(benchmark::State& state)
{
    const std::vector<tagXY> outline = Outline(static_cast<int>(state.range(0)));
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
BENCHMARK(BM_QtIntersected)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);
} // namespace

BENCHMARK_MAIN();

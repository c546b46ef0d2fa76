// CGraph::Draw at 1920 x 1080 on a memory bitmap: a line series of 100 000 points and a
// histogram of 500 bars, each beside the same segments or rectangles drawn straight through
// QPainter on an image of the same size (the floor that the graph's own work adds to).

#include "acoustic/engine/Graph.h"

#include "platform/ui/Dc.h"
#include "platform/ui/GdiObject.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <random>
#include <vector>

namespace
{
const int kWidth = 1920;
const int kHeight = 1080;

// A random walk of n points, x 0 .. n - 1.
CXYArray Walk(int n)
{
    std::mt19937 random(42u);
    std::normal_distribution<double> step(0.0, 1.0);
    CXYArray data;
    data.SetSize(n);
    double y = 0.0;
    for (int i = 0; i < n; ++i)
    {
        y += step(random);
        data[i] = tagXY{static_cast<double>(i), y};
    }
    return data;
}

struct Scene
{
    CGraph graph;
    CXYArray data;
    CDC dc;
    CBitmap bitmap;

    Scene(int mode, CXYArray points) : data(std::move(points))
    {
        graph.mode = mode;
        auto* x = new CGraphAxis;
        auto* y = new CGraphAxis;
        y->vertical = 1;
        x->position = 1;
        x->autoStep = y->autoStep = 1;
        x->min = x->max = y->min = y->max = 0.0; // ranges from the data
        graph.horizontalAxes.AddTail(x);
        graph.verticalAxes.AddTail(y);
        CGraphSeries* s = graph.AddSeries(&data);
        s->horizontalAxis = x;
        s->verticalAxis = y;
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, kWidth, kHeight);
        dc.SelectObject(&bitmap);
        Draw();
    }
    void Draw() { graph.Draw(&dc, CRect(0, 0, kWidth, kHeight)); }
};

// The pixel points of the scene's series, as the graph computes them.
std::vector<QPoint> Pixels(const Scene& scene)
{
    const CGraphSeries* s = static_cast<const CGraphSeries*>(scene.graph.seriesList.GetHead());
    const CRect p = scene.graph.plotArea;
    std::vector<QPoint> points;
    for (INT_PTR i = 0; i < scene.data.GetSize(); ++i)
    {
        const tagXY& v = scene.data[i];
        points.emplace_back(
            static_cast<int>(p.left + (v.x - s->horizontalAxis->min) * s->horizontalAxis->scale),
            static_cast<int>(p.bottom - (v.y - s->verticalAxis->min) * s->verticalAxis->scale));
    }
    return points;
}

void GraphLines(benchmark::State& state)
{
    Scene scene(GRAPH_LINES, Walk(100000));
    for (auto _ : state)
        scene.Draw();
}

void PainterLines(benchmark::State& state)
{
    Scene scene(GRAPH_LINES, Walk(100000));
    const std::vector<QPoint> points = Pixels(scene);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state)
    {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::white);
        painter.setPen(QPen(QColor(0, 0, 255), 1));
        for (size_t i = 1; i < points.size(); ++i)
            painter.drawLine(points[i - 1], points[i]);
    }
}

CXYArray Histogram(int bars)
{
    CXYArray data;
    for (int i = 0; i < bars; ++i)
        data.Add(
            tagXY{static_cast<double>(i), 100.0 * std::exp(-std::pow((i - bars / 2.0) / (bars / 6.0), 2))});
    return data;
}

void GraphBars(benchmark::State& state)
{
    Scene scene(GRAPH_BARS, Histogram(500));
    for (auto _ : state)
        scene.Draw();
}

void PainterBars(benchmark::State& state)
{
    Scene scene(GRAPH_BARS, Histogram(500));
    const std::vector<QPoint> points = Pixels(scene);
    const CRect p = scene.graph.plotArea;
    const int width = std::max(1, (p.Width() - 4 * 500) / 500);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state)
    {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::white);
        painter.setPen(QPen(Qt::black, 1));
        for (const QPoint& top : points)
        {
            const QRect bar(top.x() + 2, top.y(), width, p.bottom - top.y());
            painter.fillRect(bar, QColor(0, 0, 255));
            painter.drawLine(bar.topLeft(), bar.bottomLeft());
            painter.drawLine(bar.topLeft(), bar.topRight());
            painter.drawLine(bar.topRight(), bar.bottomRight());
        }
    }
}

BENCHMARK(GraphLines)->Unit(benchmark::kMillisecond);
BENCHMARK(PainterLines)->Unit(benchmark::kMillisecond);
BENCHMARK(GraphBars)->Unit(benchmark::kMillisecond);
BENCHMARK(PainterBars)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

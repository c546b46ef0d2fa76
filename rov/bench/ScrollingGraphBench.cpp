// A full scrolling graph painted as the host repaints it on every sample: 4 096 samples of
// depth and seabed in echo-sounder mode, 1920 pixels wide, beside the same columns and bands
// drawn straight through QPainter::drawLines on an image of the same size (the floor that the
// graph's own work adds to).

#include "platform/ui/Dc.h"
#include "platform/ui/GdiObject.h"
#include "rov/ScrollingAreaGraph.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QLine>
#include <QPainter>

#include <cmath>
#include <vector>

namespace
{
const int kWidth = 1920;
const int kHeight = 480;

QColor Qt(COLORREF c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

struct Scene
{
    CScrollingAreaGraph graph;
    CDC dc;
    CBitmap bitmap;

    Scene()
    {
        graph.m_bZeroMode = false;
        graph.m_bDepthPlusAltitude = true;
        for (int i = 0; i < CScrollingAreaGraph::MAX_SAMPLES; ++i)
            graph.AddValues("Depth", 300.0 + 6.0 * std::sin(i / 300.0) + 1.5 * std::sin(i / 37.0), "Altitude",
                            3.0 + 2.5 * std::sin(i / 90.0));
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, kWidth, kHeight);
        dc.SelectObject(&bitmap);
        dc.SetBkMode(TRANSPARENT);
        Draw();
    }
    void Draw() { graph.Draw(&dc, CRect(0, 0, kWidth, kHeight)); }
};

void GraphEchoSounder(benchmark::State& state)
{
    Scene scene;
    for (auto _ : state)
        scene.Draw();
}

// The columns and bands the graph draws, by colour, as its last drawing placed them.
void PainterColumns(benchmark::State& state)
{
    Scene scene;
    const CScrollingAreaGraph& g = scene.graph;
    const CRect r = g.GetDrawRect();
    std::vector<QLine> columns, beyond, otherwise;
    for (int i = 0; i < r.Width() && i < g.m_Trace1.GetSize(); ++i)
    {
        const int x = g.SampleToX(i);
        const int y1 = g.ValueToY(g.m_Trace1[i]);
        const int y2 = g.ValueToY(g.m_Trace2[i]);
        columns.emplace_back(x, r.bottom, x, y1);
        (g.m_Trace2[i] > g.m_Trace1[i] ? beyond : otherwise).emplace_back(x, y1, x, y2);
    }
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state)
    {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::black);
        painter.fillRect(QRect(r.left - 2, r.top - 2, r.Width() + 4, r.Height() + 4), Qt(g.m_Colours[1]));
        painter.setPen(QPen(Qt(g.m_Colours[CScrollingAreaGraph::TRACE1]), 0));
        painter.drawLines(columns.data(), static_cast<int>(columns.size()));
        painter.setPen(QPen(Qt(g.m_Colours[CScrollingAreaGraph::BAND_BEYOND]), 0));
        painter.drawLines(beyond.data(), static_cast<int>(beyond.size()));
        painter.setPen(QPen(Qt(g.m_Colours[CScrollingAreaGraph::BAND_OTHERWISE]), 0));
        painter.drawLines(otherwise.data(), static_cast<int>(otherwise.size()));
    }
}

BENCHMARK(GraphEchoSounder)->Unit(benchmark::kMillisecond);
BENCHMARK(PainterColumns)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

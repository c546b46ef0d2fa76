// One sonar head repainted as the host repaints it on every scan: two profiles of 2 000 points
// each (one as single pixels, one as a joined line) and the pipe on the lattice of an 800 x 600
// view, beside the same picture (lattice, lines, labels, points, line, pipe) drawn straight
// through QPainter onto the screen's image with no off-screen copy: the floor that the view's
// own work adds to.

#include "platform/ui/Dc.h"
#include "platform/ui/GdiObject.h"
#include "rov/ScanView.h"
#include "survey/records/Tritech.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QLine>
#include <QPoint>
#include <QString>

#include <cmath>
#include <utility>
#include <vector>

namespace
{
const int kWidth = 800;
const int kHeight = 600;
const int kPoints = 2000;

QColor Qt(COLORREF c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

struct Scene
{
    CTritech head;
    CTritechProfile profiles[2];
    std::vector<TritechPointDef> points[2];
    CScanView view;
    // The view paints as into a window: a context on a painter over the screen's image.
    QImage screen{kWidth, kHeight, QImage::Format_RGB32};
    QPainter painter{&screen};
    CDC dc;

    Scene()
    {
        head.m_Active = 1;
        head.m_Range = 10;
        head.m_PipePresent = 1;
        head.m_PipeAcross = 0.5;
        head.m_PipeDown = 3.8;
        head.m_PipeSize = 24;
        for (int p = 0; p < 2; ++p)
        {
            points[p].resize(kPoints);
            for (int i = 0; i < kPoints; ++i)
            {
                TritechPointDef& point = points[p][i];
                point.Across = -9.0 + 18.0 * i / (kPoints - 1);
                point.Down = 4.0 + p * 0.5 + 0.3 * std::sin(point.Across * 2.0);
                point.Valid = 1;
            }
            profiles[p].m_pPoints = points[p].data();
            profiles[p].m_PointCount = kPoints;
            profiles[p].m_DrawStyle = p == 0 ? PROFILE_STYLE_PIXEL : PROFILE_STYLE_LINE;
            head.m_Profiles.AddTail(&profiles[p]);
        }
        view.SetData(&head);
        dc.Attach(&painter);
        Draw();
    }
    void Draw() { view.Draw(&dc, CRect(0, 0, kWidth, kHeight)); }
};

void ScanViewHead(benchmark::State& state)
{
    Scene scene;
    for (auto _ : state)
        scene.Draw();
}

// Where the time goes: the off-screen canvas alone (an inactive head), the lattice without
// profiles, each profile alone.
void ScanViewParts(benchmark::State& state)
{
    Scene scene;
    const int part = static_cast<int>(state.range(0));
    scene.head.m_Active = part == 0 ? 0 : 1;
    scene.profiles[0].m_Visible = part == 2;
    scene.profiles[1].m_Visible = part == 3;
    scene.head.m_PipePresent = 0;
    for (auto _ : state)
        scene.Draw();
}

// The same picture straight onto the screen's image, with no off-screen copy: the lattice with
// its lines and labels, the points, the line and the pipe, placed where the view put them.
void PainterHead(benchmark::State& state)
{
    Scene scene;
    const CScanView& v = scene.view;
    const CRect l = v.GetLatticeRect();
    const int n = v.GetDivisions(), cell = v.GetCell();
    const CPoint o = v.GetOrigin();
    std::vector<QLine> lines = {QLine(l.left, l.top, l.left, l.bottom), QLine(l.right, l.top, l.right, l.bottom),
                                QLine(l.left, l.top, l.right, l.top)};
    std::vector<std::pair<QPoint, QString>> labels;
    for (int k = 0; k <= n; ++k)
    {
        const QString text = QString::number(10 / n * k);
        lines.emplace_back(o.x - k * cell, o.y, o.x - k * cell, l.bottom + 10);
        lines.emplace_back(o.x + k * cell, o.y, o.x + k * cell, l.bottom + 10);
        lines.emplace_back(l.left - 10, o.y + k * cell, l.right + 10, o.y + k * cell);
        labels.emplace_back(QPoint(o.x - k * cell, l.bottom + 22), text);
        labels.emplace_back(QPoint(o.x + k * cell, l.bottom + 22), text);
        labels.emplace_back(QPoint(l.left - 24, o.y + k * cell + 4), text);
        labels.emplace_back(QPoint(l.right + 14, o.y + k * cell + 4), text);
    }
    std::vector<QPoint> pixels, line;
    for (int p = 0; p < 2; ++p)
        for (const TritechPointDef& point : scene.points[p])
        {
            POINT s{};
            if (v.ToScreen(point.Across, point.Down, &s))
                (p == 0 ? pixels : line).emplace_back(s.x, s.y);
        }
    POINT pipe{};
    v.ToScreen(0.5, 3.8, &pipe);
    const int r = static_cast<int>(v.GetPixelsPerMetre() * 24 / 12.0 * 0.3048);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state)
    {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt(v.GetColour(CScanView::BACKGROUND)));
        painter.fillRect(QRect(l.left, l.top, l.Width(), l.Height()), Qt(v.GetColour(CScanView::LATTICE_AREA)));
        painter.setPen(QPen(Qt(v.GetColour(CScanView::LATTICE_LINES)), 0));
        painter.drawLines(lines.data(), static_cast<int>(lines.size()));
        painter.setPen(Qt(v.GetColour(CScanView::LABELS)));
        for (const auto& [at, text] : labels)
            painter.drawText(at, text);
        painter.setPen(QPen(Qt(scene.profiles[0].m_Colour1), 0));
        painter.drawPoints(pixels.data(), static_cast<int>(pixels.size()));
        painter.setPen(QPen(Qt(scene.profiles[1].m_Colour1), 0));
        painter.drawPolyline(line.data(), static_cast<int>(line.size()));
        painter.setPen(Qt(v.GetColour(CScanView::PIPE)));
        painter.setBrush(Qt(v.GetColour(CScanView::PIPE)));
        painter.drawEllipse(QRect(pipe.x - r, pipe.y, 2 * r, 2 * r));
    }
}

BENCHMARK(ScanViewHead)->Unit(benchmark::kMillisecond);
BENCHMARK(ScanViewParts)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(PainterHead)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

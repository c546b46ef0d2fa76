// One sonar head repainted as the host repaints it on every scan: two profiles of 2 000 points
// each (one as single pixels, one as a joined line) and the pipe on the lattice of an 800 x 600
// view, beside the same points drawn straight through QPainter on an image of the same size
// (the floor that the view's own work adds to).

#include "platform/ui/Dc.h"
#include "platform/ui/GdiObject.h"
#include "rov/ScanView.h"
#include "survey/records/Tritech.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPoint>

#include <cmath>
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
    CDC dc;
    CBitmap bitmap;

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
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, kWidth, kHeight);
        dc.SelectObject(&bitmap);
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

// The same lattice area, points, line and pipe, placed where the view's last drawing put them.
void PainterHead(benchmark::State& state)
{
    Scene scene;
    const CScanView& v = scene.view;
    const CRect l = v.GetLatticeRect();
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

// Cost of one paint of the side view, beside the same polygons and lines drawn straight
// through QPainter onto an image of the same size.
//
//     build/zuduzuro/zuduzuro_side_view_bench
//
// "SideViewPaint/<width>": CZuduzuroView::Render at 1920 x 1080 and 3840 x 2160 over a seabed of
// 40000 points with its cable, 10 crossings and 5 buoys. "QPainterSamePicture/<width>": the
// seabed polygon, the cable polyline and the crossings' outlines, all 40000 points of each,
// filled and stroked with QPainter alone.
#include "zuduzuro/Anchor.h"
#include "zuduzuro/ui/ZuduzuroView.h"

#include "platform/core/Sync.h"
#include "platform/ui/Dc.h"
#include "platform/ui/GdiObject.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace
{
const double kE = 500000.0, kN = 6000000.0;

// An anchor 10 km out over a rolling seabed of 40000 points, its cable laid over it, with 10
// pipeline crossings and 5 buoys.
void MakeAnchor(CAnchor& a)
{
    a.m_Name = "Bench";
    a.m_Status = ANCHOR_ON_BOTTOM;
    a.m_Range = 10000.0;
    a.m_Tension = 80.0;
    a.m_FairleadLevel = 8.0;
    for (int i = 0; i < 40000; ++i)
    {
        const double range = i * 0.3;
        const double depth = 120.0 + 20.0 * std::sin(range / 700.0);
        a.m_SeabedProfile.AddPointAtRange(kE + range, kN, depth, range, i % 2000 < 1000 ? 1 : 0);
        const double cable = range < 2000.0 ? depth * range / 2000.0 : depth;
        a.m_CableProfile.AddPointAtRange(kE + range, kN, cable, range, range < 2000.0 ? 0 : 1);
    }
    for (int i = 0; i < 10; ++i)
    {
        ObstructionDef c{};
        c.nKind = i % 2;
        c.Distance = 800.0 + 1000.0 * i;
        c.SeabedDepth = a.m_SeabedProfile.GetDepthAtRange(c.Distance);
        c.Reach = 8.0;
        c.Height = 1.0;
        c.HeightWithClearance = 6.0;
        a.m_Crossings.Add(c);
    }
    a.m_BuoysInUse = 5;
    for (int b = 0; b < 5; ++b)
    {
        a.m_Buoys[b].bUseBuoy = true;
        a.m_Buoys[b].DistanceFromFairlead = 9000.0 - 1500.0 * b;
        a.m_Buoys[b].PennantWireLength = 25.0;
    }
}

void BM_SideViewPaint(benchmark::State& state)
{
    const int width = static_cast<int>(state.range(0)), height = width * 9 / 16;
    CAnchor anchor;
    MakeAnchor(anchor);
    CMutex lock;
    CZuduzuroView* view = new CZuduzuroView; // a view without a window is never deleted by one
    view->SetData(&anchor, 3.0, &lock, nullptr);
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&memory, width, height);
    CBitmap* old = memory.SelectObject(&bitmap);
    for (auto _ : state)
        view->Render(&memory, CRect(0, 0, width, height));
    memory.SelectObject(old);
    delete view;
}
BENCHMARK(BM_SideViewPaint)->Arg(1920)->Arg(3840)->Unit(benchmark::kMillisecond);

void BM_QPainterSamePicture(benchmark::State& state)
{
    const int width = static_cast<int>(state.range(0)), height = width * 9 / 16;
    CAnchor anchor;
    MakeAnchor(anchor);
    const double h = (width - 60.0) / 10500.0, v = (height - 60.0) / 141.0;
    QPolygonF seabed, cable;
    seabed << QPointF(60, height - 40);
    for (INT_PTR i = 0; i < anchor.m_SeabedProfile.GetSize(); ++i)
    {
        seabed << QPointF(60 + anchor.m_SeabedProfile[i].Range * h, 20 + anchor.m_SeabedProfile[i].Depth * v);
        cable << QPointF(60 + anchor.m_CableProfile[i].Range * h, 20 + anchor.m_CableProfile[i].Depth * v);
    }
    seabed << QPointF(60 + 12000 * h, height - 40);
    QImage image(width, height, QImage::Format_RGB32);
    for (auto _ : state)
    {
        QPainter p(&image);
        p.fillRect(image.rect(), QColor(0, 0, 255));
        p.fillRect(QRect(60, 0, width - 60, 20), QColor(0, 255, 255));
        p.setPen(QPen(QColor(128, 128, 0), 1));
        p.setBrush(QBrush(QColor(255, 128, 0), Qt::DiagCrossPattern));
        p.drawPolygon(seabed);
        p.setPen(QPen(QColor(255, 255, 0), 2));
        p.drawPolyline(cable);
        p.setBrush(QBrush(QColor(0, 255, 0), Qt::DiagCrossPattern));
        for (INT_PTR i = 0; i < anchor.m_Crossings.GetSize(); ++i)
        {
            const ObstructionDef& c = anchor.m_Crossings[i];
            p.drawEllipse(QPointF(60 + c.Distance * h, 20 + c.SeabedDepth * v), c.Reach * h, c.Reach * v);
        }
        p.end();
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_QPainterSamePicture)->Arg(1920)->Arg(3840)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The unit settings are looked for on drive C:; a temporary one keeps the user's untouched.
    QTemporaryDir drive;
    qputenv("SUITE_DRIVE_C", drive.path().toUtf8());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

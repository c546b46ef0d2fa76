// One full GPS group update (fifteen rows shown: position, fix, grid, quality, DOPs, the
// statistics and speed and course), the hot path of every survey pane at a receiver's rate,
// beside the same texts formatted and set straight into a plain Qt tree of fifteen rows (the
// floor that the grid's own work adds to). Both see new values at every update.

#include "geodesy/Gps.h"
#include "outside/panes/MyMFCPropertyGridCtrl.h"
#include "platform/core/WinApp.h"
#include "survey/groups/GpsGroupGridProperty.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTreeWidget>

#include <cmath>
#include <cstdio>
#include <vector>

namespace
{
// The receiver's values at step i: every row's text changes from one step to the next.
void Step(CGps& gps, int i)
{
    const double s = std::sin(i * 0.01);
    gps.m_Active = 1;
    gps.m_Wgs84Latitude = (54.5 + 1e-5 * s) * M_PI / 180.0;
    gps.m_Wgs84Longitude = (3.25 + 1e-5 * s) * M_PI / 180.0;
    gps.m_Wgs84Height = 45.0 + s;
    gps.m_FixMode = 2;
    gps.m_AntennaEasting = 452000.0 + 10.0 * s;
    gps.m_AntennaNorthing = 6231000.0 + 10.0 * s;
    gps.m_SatellitesUsed = 8 + i % 5;
    gps.m_Hdop = 0.9 + 0.3 * s;
    gps.m_GsaReceived = 1;
    gps.m_Pdop = 1.5 + 0.3 * s;
    gps.m_Vdop = 1.2 + 0.3 * s;
    gps.m_GstReceived = 1;
    gps.m_GnssSystem = "GPS";
    gps.m_GstRms = 0.5 + 0.1 * s;
    gps.m_ErrorEllipse[0] = 1.5 + 0.1 * s;
    gps.m_ErrorEllipse[1] = 0.7 + 0.1 * s;
    gps.m_ErrorEllipse[2] = 30.0 + s;
    gps.m_ErrorEllipse[3] = 120.0 + s;
    gps.m_PositionErrors[0] = 0.5 + 0.1 * s;
    gps.m_PositionErrors[1] = 0.3 + 0.1 * s;
    gps.m_PositionErrors[2] = 1.2 + 0.1 * s;
    gps.m_SpeedOverGround = 2.5 + s;
    gps.m_Course = 45.0 + s;
    gps.m_MinimumSatellites = 10;
    gps.m_MaximumDop = 1.0;
}

void GpsGroupUpdate(benchmark::State& state)
{
    CWinApp app("GpsGroupBench");
    CMyMFCPropertyGridCtrl grid;
    grid.Create(WS_VISIBLE, CRect(0, 0, 420, 600), nullptr, 1);
    CGps gps;
    Step(gps, 0);
    auto* group = new CMFCGpsGroupGridProperty("DGPS 1", &gps, 0);
    grid.AddProperty(group);
    group->ShowSogCog(1);
    group->Update();
    int i = 0;
    for (auto _ : state)
    {
        Step(gps, ++i);
        group->Update();
    }
}

// The fifteen texts of the rows as the group shows them, formatted the same way.
void Texts(const CGps& gps, std::vector<QString>& texts)
{
    char a[64], b[64];
    auto dual = [&](int row, const char* f1, double v1, const char* u1, const char* name2, const char* f2, double v2,
                    const char* u2) {
        std::snprintf(a, sizeof a, f1, v1);
        std::snprintf(b, sizeof b, f2, v2);
        texts[row] = QString::asprintf("%s%s | %s %s%s", a, u1, name2, b, u2);
    };
    std::snprintf(a, sizeof a, "%.5f", gps.m_Wgs84Latitude * 180.0 / M_PI);
    std::snprintf(b, sizeof b, "%.5f", gps.m_Wgs84Longitude * 180.0 / M_PI);
    texts[0] = QString::asprintf("%s | Longitude %s", a, b);
    std::snprintf(a, sizeof a, "%7.2lf", gps.m_Wgs84Height);
    texts[1] = QString::asprintf("%sm. | Fix Mode %s", a, "3D Fix");
    dual(2, "%12.3lf", gps.m_AntennaEasting, "E", "Northing", "%12.3lf", gps.m_AntennaNorthing, "N");
    std::snprintf(a, sizeof a, "%d", static_cast<int>(gps.m_SatellitesUsed));
    std::snprintf(b, sizeof b, "%7.2lf", gps.m_Hdop);
    texts[3] = QString::asprintf("%s | Hdop %s", a, b);
    dual(4, "%7.2lf", gps.m_Pdop, "", "Vdop", "%7.2lf", gps.m_Vdop, "");
    texts[5] = QString::asprintf("Constallation %s", static_cast<LPCSTR>(gps.m_GnssSystem));
    texts[6] = QString::asprintf("%7.2lf", gps.m_GstRms);
    texts[7] = QStringLiteral("Error Ellipse");
    dual(8, "%7.2lf", gps.m_ErrorEllipse[0], "", "Min", "%7.2lf", gps.m_ErrorEllipse[1], "");
    dual(9, "%6.2lf", gps.m_ErrorEllipse[2], "\u00B0", "", "%6.2lf", gps.m_ErrorEllipse[3], "\u00B0");
    texts[10] = QStringLiteral("Standard Deviation");
    dual(11, "%7.2lf", gps.m_PositionErrors[1], "m", "Longitude", "%7.2lf", gps.m_PositionErrors[0], "m");
    texts[12] = QString::asprintf("%7.2lf", gps.m_PositionErrors[2]);
    texts[13] = QStringLiteral("Speed");
    dual(14, "%5.1lf", gps.m_SpeedOverGround, "Knts", "COG", "%6.2lf", gps.m_Course, "\u00B0T");
}

void PlainTreeTexts(benchmark::State& state)
{
    QTreeWidget tree;
    tree.setColumnCount(2);
    tree.resize(420, 600);
    auto* group = new QTreeWidgetItem(&tree, QStringList{"DGPS 1"});
    std::vector<QTreeWidgetItem*> rows;
    for (int row = 0; row < CMFCGpsGroupGridProperty::ROW_COUNT; ++row)
        rows.push_back(new QTreeWidgetItem(group, QStringList{QString::number(row), QString()}));
    tree.expandAll();
    tree.show();
    CGps gps;
    std::vector<QString> texts(rows.size());
    int i = 0;
    for (auto _ : state)
    {
        Step(gps, ++i);
        Texts(gps, texts);
        for (size_t row = 0; row < rows.size(); ++row)
            rows[row]->setText(1, texts[row]);
    }
}

BENCHMARK(GpsGroupUpdate)->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainTreeTexts)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

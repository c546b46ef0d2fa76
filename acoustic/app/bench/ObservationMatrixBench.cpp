// The observation matrix refilled as after every edit, for networks of 50, 100 and 200
// stations with every observation used (200 stations: 1 000 rows by 402 columns), beside a
// plain Qt item model filled with the same texts: the floor that the list's own work adds to.

#include "acoustic/app/panes/NetworkObservationsListCtrl.h"
#include "acoustic/engine/Network.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/ImageList.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStandardItemModel>

#include <memory>

namespace
{
CNetwork MakeNetwork(int stations)
{
    CNetwork network;
    for (int i = 0; i < stations; ++i)
    {
        CNetworkStation s;
        s.m_Name.Format("S%03d", i);
        s.m_Status = i < 3 ? STATION_FIXED : STATION_FREE;
        s.m_GivenE = 500000.0 + 37.0 * (i % 17);
        s.m_GivenN = 6000000.0 + 41.0 * (i / 17);
        network.AddStation(s);
    }
    network.ComputeObservations();
    for (int i = 0; i < stations; ++i)
        for (int j = 0; j < stations; ++j)
            if (i != j)
            {
                NetworkObservationDef& o = network.ElementAt(i).ElementAt(j);
                o.ObservedRange = o.ComputedRange + 0.01 * j;
                o.UseRange = 1;
                o.ObservedBearing = o.ComputedBearing + 0.001 * j;
                o.UseBearing = 1;
            }
    network.ComputeObservations();
    // Adjusted: five rows a station, the residuals shown too.
    network.m_Result = 1;
    return network;
}

CString Number(double value)
{
    CString text;
    text.Format("%.2lf", value);
    return text;
}

void ListFill(benchmark::State& state)
{
    CNetwork network = MakeNetwork(static_cast<int>(state.range(0)));
    CFrameWnd host;
    host.Create(nullptr, "Host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1200, 800));
    CImageList icons;
    CNetworkObservationsListCtrl list;
    list.SetData(&host, &network, &icons);
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 1200, 800), &host, 1);
    for (auto _ : state)
    {
        list.Fill();
        benchmark::DoNotOptimize(list.GetItemCount());
    }
    state.counters["rows"] = list.GetItemCount();
}

// The same headings, row labels, diagonal and values, set item by item into a model.
void ModelFill(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    CNetwork network = MakeNetwork(count);
    QStandardItemModel model;
    for (auto _ : state)
    {
        model.clear();
        const int rows = 5 * count;
        model.setColumnCount(2 + 2 * count);
        model.setRowCount(rows);
        for (int s = 0; s < count; ++s)
        {
            const QString name = QString::fromLatin1(network.GetAt(s).m_Name.GetString());
            model.setHorizontalHeaderItem(2 * s + 2, new QStandardItem(name + "\nRange"));
            model.setHorizontalHeaderItem(2 * s + 3, new QStandardItem(name + "\nBearing"));
            model.setItem(5 * s, 1, new QStandardItem("Observed"));
            model.setItem(5 * s + 1, 0, new QStandardItem(name));
            model.setItem(5 * s + 1, 1, new QStandardItem("Computed"));
            model.setItem(5 * s + 2, 1, new QStandardItem("O-C"));
            model.setItem(5 * s + 3, 1, new QStandardItem("Residual"));
            model.setItem(5 * s + 1, 2 * s + 2, new QStandardItem("-+-"));
            model.setItem(5 * s + 1, 2 * s + 3, new QStandardItem("-+-"));
        }
        for (int i = 0; i < count; ++i)
            for (int j = 0; j < count; ++j)
            {
                if (i == j)
                    continue;
                const NetworkObservationDef& o = network.GetAt(i).GetAt(j);
                const double values[2][4] = {
                    {o.ObservedRange, o.ComputedRange, o.RangeDifference, o.RangeResidual},
                    {o.ObservedBearing, o.ComputedBearing, o.BearingDifference, o.BearingResidual}};
                for (int k = 0; k < 2; ++k)
                    for (int r = 0; r < 4; ++r)
                        model.setItem(5 * i + r, 2 * j + 2 + k,
                                      new QStandardItem(QString::fromLatin1(Number(values[k][r]).GetString())));
            }
        benchmark::DoNotOptimize(model.rowCount());
    }
}

BENCHMARK(ListFill)->Arg(50)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(ModelFill)->Arg(50)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Synthetic seabed networks for the network tests: true positions, observations computed from
// them, and starting positions moved away from the truth.
#pragma once

#include "acoustic/engine/Network.h"

#include <cmath>
#include <random>
#include <vector>

struct TruePosition
{
    double e, n, z;
};

inline double TrueSlant(const TruePosition& a, const TruePosition& b)
{
    return std::sqrt((b.e - a.e) * (b.e - a.e) + (b.n - a.n) * (b.n - a.n) + (b.z - a.z) * (b.z - a.z));
}

// Grid bearing from a to b in degrees, [0, 360).
inline double TrueBearing(const TruePosition& a, const TruePosition& b)
{
    double d = std::atan2(b.e - a.e, b.n - a.n) * 180.0 / M_PI;
    return d < 0.0 ? d + 360.0 : d;
}

// A network at `truth` with the given statuses; free stations (status 1) start `offset`
// metres (in a random direction) from their true positions. The given position of a station
// with a position observation is its true one. Every pair observes its range and, when
// `bearings`, its bearing in both directions.
inline CNetwork MakeExactNetwork(const std::vector<TruePosition>& truth, const std::vector<int>& status,
                                 double offset, bool bearings, unsigned seed = 5)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> turn(0.0, 2.0 * M_PI);
    CNetwork network;
    for (size_t i = 0; i < truth.size(); ++i)
    {
        CNetworkStation s;
        s.m_Name.Format("T%d", int(i) + 1);
        s.m_Status = status[i];
        const bool moves = status[i] == STATION_FREE;
        const double a = turn(random);
        s.m_GivenE = truth[i].e + (moves ? offset * std::sin(a) : 0.0);
        s.m_GivenN = truth[i].n + (moves ? offset * std::cos(a) : 0.0);
        s.m_GivenDepth = truth[i].z;
        network.AddStation(s);
    }
    for (size_t i = 0; i < truth.size(); ++i)
    {
        for (size_t j = 0; j < truth.size(); ++j)
        {
            if (i == j)
                continue;
            NetworkObservationDef& o = network.ElementAt(INT_PTR(i)).ElementAt(INT_PTR(j));
            o.ObservedRange = TrueSlant(truth[i], truth[j]);
            o.UseRange = 1;
            o.RangeSE = 0.2;
            if (bearings)
            {
                o.ObservedBearing = TrueBearing(truth[i], truth[j]);
                o.UseBearing = 1;
                o.BearingSE = 20.0;
            }
        }
    }
    return network;
}

// Stations scattered over a few hundred metres of seabed at depths 480 to 560 m.
inline std::vector<TruePosition> ScatteredStations(int count, unsigned seed = 3)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> e(0.0, 600.0), n(0.0, 600.0), z(480.0, 560.0);
    std::vector<TruePosition> truth;
    for (int i = 0; i < count; ++i)
        truth.push_back({431000.0 + e(random), 6712000.0 + n(random), z(random)});
    return truth;
}

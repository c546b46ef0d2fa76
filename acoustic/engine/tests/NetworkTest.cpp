#include "acoustic/engine/Network.h"
#include "acoustic/engine/NetworkFile.h"
#include "acoustic/engine/tests/FixtureLines.h"
#include "acoustic/engine/tests/NetworkTestSupport.h"
#include "platform/core/Exception.h"
#include "testsupport/TempDrives.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

namespace
{
void ExpectAtTruth(const CNetwork& network, const std::vector<TruePosition>& truth, double tolerance)
{
    for (INT_PTR i = 0; i < network.GetSize(); ++i)
    {
        const CNetworkStation& s = network[i];
        if (!s.IsInUse())
            continue;
        EXPECT_NEAR(s.m_AdjustedE, truth[size_t(i)].e, tolerance) << "station " << i;
        EXPECT_NEAR(s.m_AdjustedN, truth[size_t(i)].n, tolerance) << "station " << i;
        EXPECT_EQ(s.m_AdjustedDepth, s.m_GivenDepth);
    }
}

// Every used observation's residual is its computed minus its observed value at the adjusted
// positions: a residual stored on the wrong observation fails this.
void ExpectResidualsOnTheirObservations(const CNetwork& network, double rangeTolerance,
                                        double bearingTolerance)
{
    for (INT_PTR i = 0; i < network.GetSize(); ++i)
    {
        for (INT_PTR j = 0; j < network.GetSize(); ++j)
        {
            if (i == j)
                continue;
            const NetworkObservationDef& o = network[i][j];
            if (!network.IsPairUsed(i, j))
            {
                EXPECT_EQ(o.RangeResidual, 0.0);
                EXPECT_EQ(o.BearingResidual, 0.0);
                continue;
            }
            const CNetworkStation& a = network[i];
            const CNetworkStation& b = network[j];
            const TruePosition pa{a.m_AdjustedE, a.m_AdjustedN, a.m_AdjustedDepth};
            const TruePosition pb{b.m_AdjustedE, b.m_AdjustedN, b.m_AdjustedDepth};
            if (CNetwork::UsesRange(o))
                EXPECT_NEAR(o.RangeResidual, TrueSlant(pa, pb) - o.ObservedRange, rangeTolerance)
                    << i << "-" << j;
            else
                EXPECT_EQ(o.RangeResidual, 0.0) << i << "-" << j;
            if (CNetwork::UsesBearing(o))
            {
                double d = TrueBearing(pa, pb) - std::fmod(o.ObservedBearing + 720.0, 360.0);
                if (d > 180.0)
                    d -= 360.0;
                if (d < -180.0)
                    d += 360.0;
                EXPECT_NEAR(o.BearingResidual, d * M_PI / 180.0, bearingTolerance) << i << "-" << j;
            }
            else
            {
                EXPECT_EQ(o.BearingResidual, 0.0) << i << "-" << j;
            }
        }
    }
}
} // namespace

TEST(NetworkModel, AddAndRemoveStationsKeepTheObservationArraysSquare)
{
    CNetwork network;
    CNetworkStation a;
    a.m_Name = "A";
    a.m_Status = STATION_FIXED;
    EXPECT_EQ(network.AddStation(a), 0);
    CNetworkStation b;
    b.m_Name = "B";
    b.m_Status = STATION_FREE;
    network.AddStation(b);
    network.ElementAt(0).ElementAt(1).ObservedRange = 100.0;
    network.ElementAt(1).ElementAt(0).RangeSE = -3.0; // not above 0: becomes 1.0 on the next add
    CNetworkStation c;
    c.m_Name = "C";
    network.AddStation(c);
    ASSERT_EQ(network.GetSize(), 3);
    for (INT_PTR i = 0; i < 3; ++i)
    {
        EXPECT_EQ(network[i].GetSize(), 3);
        for (INT_PTR j = 0; j < 3; ++j)
        {
            EXPECT_EQ(network[i][j].RangeSE, 1.0);
            EXPECT_EQ(network[i][j].BearingSE, 1.0);
        }
    }
    network.ElementAt(0).ElementAt(2).ObservedRange = 200.0;
    network.ElementAt(2).ElementAt(1).ObservedBearing = 45.0;

    // Removing B moves C down, and every station loses its record for B.
    network.RemoveStation(1);
    ASSERT_EQ(network.GetSize(), 2);
    EXPECT_EQ(network[1].m_Name, "C");
    EXPECT_EQ(network[0].GetSize(), 2);
    EXPECT_EQ(network[1].GetSize(), 2);
    EXPECT_EQ(network[0][1].ObservedRange, 200.0);
    EXPECT_EQ(network[1][0].ObservedBearing, 0.0);

    EXPECT_THROW(
        try { network.RemoveStation(5); } catch (CException* e) {
            e->Delete();
            throw 1;
        },
        int);

    // A copy carries name, status, numbers and observations.
    CNetworkStation copy;
    copy.Copy(network[0]);
    EXPECT_EQ(copy.m_Name, "A");
    EXPECT_EQ(copy.m_Status, STATION_FIXED);
    EXPECT_EQ(copy.GetSize(), 2);
    EXPECT_EQ(copy[1].ObservedRange, 200.0);
}

TEST(NetworkModel, CentreOfTheStationsInUse)
{
    CNetwork network;
    double e = -1, n = -1;
    network.GetCentre(e, n);
    EXPECT_EQ(e, 0.0);
    EXPECT_EQ(n, 0.0);
    struct S
    {
        int status;
        double e, n;
    };
    for (const S& s : {S{1, 100, 500}, S{2, 300, 900}, S{0, 5000, 5000}, S{1, 0, 7000}, S{3, 200, 700}})
    {
        CNetworkStation station;
        station.m_Status = s.status;
        station.m_GivenE = s.e;
        station.m_GivenN = s.n;
        network.AddStation(station);
    }
    network.GetCentre(e, n);
    EXPECT_EQ(e, 200.0);
    EXPECT_EQ(n, 700.0);
}

TEST(NetworkModel, ComputedObservationsInBothDirections)
{
    CNetwork network;
    CNetworkStation a, b;
    a.m_Status = b.m_Status = STATION_FREE;
    // b lies at a bearing of 200 degrees from a, 30 m deeper.
    const double bearing = 200.0 * M_PI / 180.0;
    a.m_GivenE = 1000.0;
    a.m_GivenN = 2000.0;
    a.m_GivenDepth = 100.0;
    b.m_GivenE = 1000.0 + 400.0 * std::sin(bearing);
    b.m_GivenN = 2000.0 + 400.0 * std::cos(bearing);
    b.m_GivenDepth = 130.0;
    network.AddStation(a);
    network.AddStation(b);
    NetworkObservationDef& ab = network.ElementAt(0).ElementAt(1);
    ab.ObservedRange = 402.0;
    ab.ObservedBearing = 200.5;
    NetworkObservationDef& ba = network.ElementAt(1).ElementAt(0);
    ba.ObservedBearing = 359.9;
    network.ComputeObservations();

    const double slant = std::sqrt(400.0 * 400.0 + 30.0 * 30.0);
    EXPECT_NEAR(ab.ComputedRange, slant, 1e-9);
    EXPECT_NEAR(ab.RangeDifference, 402.0 - slant, 1e-9);
    EXPECT_NEAR(ab.ComputedBearing, 200.0, 1e-9);
    EXPECT_NEAR(ab.BearingDifference, 0.5, 1e-9);
    EXPECT_NEAR(ba.ComputedBearing, 20.0, 1e-9);
    EXPECT_EQ(ba.RangeDifference, 0.0); // no range observed that way
    EXPECT_NEAR(ba.BearingDifference, 339.9 - 360.0, 1e-9);

    // Across north: 359.9 observed against 0.1 computed is -0.2.
    network.ElementAt(1).m_GivenE = 1000.0 + 400.0 * std::sin(0.1 * M_PI / 180.0);
    network.ElementAt(1).m_GivenN = 2000.0 + 400.0 * std::cos(0.1 * M_PI / 180.0);
    ab.ObservedBearing = 359.9;
    network.ComputeObservations();
    EXPECT_NEAR(ab.BearingDifference, -0.2, 1e-9);
}

TEST(NetworkAdjust, ExactNetworksReturnToTheTruth)
{
    const std::vector<TruePosition> truth = ScatteredStations(7);
    struct Case
    {
        std::vector<int> status;
        bool bearings;
        const char* what;
    };
    const Case cases[] = {
        {{2, 1, 1, 1, 1, 1, 1}, true, "one fixed station, ranges and bearings"},
        {{2, 2, 1, 1, 1, 1, 1}, false, "two fixed stations, ranges only"},
        {{2, 2, 1, 1, 1, 1, 1}, true, "two fixed stations, ranges and bearings"},
        {{1, 1, 2, 1, 0, 1, 2}, false, "fixed stations and one not in use between free ones"},
        {{3, 3, 3, 1, 1, 1, 1}, false, "no fixed station, three position stations"},
    };
    for (const Case& c : cases)
    {
        CNetwork network = MakeExactNetwork(truth, c.status, 4.0, c.bearings);
        ASSERT_EQ(network.Adjust(), 1) << c.what;
        EXPECT_EQ(network.m_Result, 1);
        EXPECT_GE(network.m_PassCount, 2) << c.what;
        EXPECT_LT(network.m_PassCount, 20) << c.what;
        ExpectAtTruth(network, truth, 1e-6);
        ExpectResidualsOnTheirObservations(network, 1e-9, 1e-10);
        for (INT_PTR i = 0; i < network.GetSize(); ++i)
        {
            for (INT_PTR j = 0; j < network.GetSize(); ++j)
            {
                EXPECT_LT(std::fabs(network[i][j].RangeResidual), 1e-6) << c.what;
                EXPECT_LT(std::fabs(network[i][j].BearingResidual), 1e-9) << c.what;
            }
            if (network[i].IsFixed())
            {
                EXPECT_EQ(network[i].m_AdjustedE, network[i].m_GivenE);
                EXPECT_EQ(network[i].m_SemiMajor, 0.0);
            }
        }
        EXPECT_LT(network.m_StandardErrorUnitWeight, 1e-6) << c.what;
    }
}

TEST(NetworkAdjust, CountsLinksAndRows)
{
    const std::vector<TruePosition> truth = ScatteredStations(5);
    // Stations 0 and 1 fixed, 2 free, 3 not in use, 4 free with a position observation.
    CNetwork network = MakeExactNetwork(truth, {2, 2, 1, 0, 3}, 2.0, true);
    network.ElementAt(4).m_PositionSE = 0.5;
    // A bearing with a negative standard error is not used, in counts, rows or residuals.
    network.ElementAt(2).ElementAt(4).BearingSE = -1.0;
    ASSERT_EQ(network.Adjust(), 1);
    // Pairs used: 0-2, 0-4, 1-2, 1-4, 2-4 (0-1 both fixed, 3 not in use): 5 pairs, two ways,
    // range and bearing each, less the one bearing.
    EXPECT_EQ(network.m_ObservationCount, 5 * 2 * 2 - 1);
    EXPECT_EQ(network.m_AdjustedStationCount, 2);
    EXPECT_EQ(network.m_PositionStationCount, 1);
    EXPECT_EQ(network.m_RowCount, network.m_ObservationCount + 2);
    EXPECT_EQ(network[0].m_LinkCount, 4);
    EXPECT_EQ(network[2].m_LinkCount, 6); // the bearing 2-4 still links the other way
    EXPECT_EQ(network[3].m_LinkCount, 0);
    EXPECT_EQ(network[2][4].BearingResidual, 0.0);
    ExpectResidualsOnTheirObservations(network, 1e-9, 1e-10);

    // A position standard error of 0 gives no position rows.
    network.ElementAt(4).m_PositionSE = 0.0;
    ASSERT_EQ(network.Adjust(), 1);
    EXPECT_EQ(network.m_RowCount, network.m_ObservationCount);
}

TEST(NetworkAdjust, AllFixedStationsStayAndSucceedInOnePass)
{
    const std::vector<TruePosition> truth = ScatteredStations(4);
    CNetwork network = MakeExactNetwork(truth, {2, 2, 2, 2}, 0.0, true);
    network.ElementAt(1).m_GivenE += 3.0; // observations disagree: still nothing moves
    ASSERT_EQ(network.Adjust(), 1);
    EXPECT_EQ(network.m_PassCount, 1);
    EXPECT_EQ(network.m_ObservationCount, 0);
    EXPECT_EQ(network.m_RowCount, 0);
    for (INT_PTR i = 0; i < network.GetSize(); ++i)
    {
        EXPECT_EQ(network[i].m_AdjustedE, network[i].m_GivenE);
        EXPECT_EQ(network[i].m_AdjustedN, network[i].m_GivenN);
    }
}

TEST(NetworkAdjust, NetworksThatDoNotFixEveryStationFail)
{
    const std::vector<TruePosition> truth = ScatteredStations(5);
    // A free station with no observation at all.
    CNetwork lonely = MakeExactNetwork(truth, {2, 2, 1, 1, 1}, 2.0, true);
    for (INT_PTR j = 0; j < lonely.GetSize(); ++j)
    {
        lonely.ElementAt(4).ElementAt(j).UseRange = lonely.ElementAt(4).ElementAt(j).UseBearing = 0;
        lonely.ElementAt(j).ElementAt(4).UseRange = lonely.ElementAt(j).ElementAt(4).UseBearing = 0;
    }
    EXPECT_EQ(lonely.Adjust(), 0);
    EXPECT_EQ(lonely.m_Result, 0);
    EXPECT_EQ(lonely[4].m_AdjustedE, lonely[4].m_GivenE);

    // Ranges alone with nothing fixed: the network may shift and turn as a whole.
    CNetwork floating = MakeExactNetwork(truth, {1, 1, 1, 1, 1}, 2.0, false);
    EXPECT_EQ(floating.Adjust(), 0);
}

TEST(NetworkAdjust, ObservationsBetweenFixedStationsAreNeitherCountedNorUsed)
{
    const std::vector<TruePosition> truth = ScatteredStations(4);
    CNetwork network = MakeExactNetwork(truth, {2, 2, 1, 1}, 3.0, false);
    // A wild range between the fixed stations changes nothing.
    network.ElementAt(0).ElementAt(1).ObservedRange += 50.0;
    network.ElementAt(1).ElementAt(0).ObservedRange -= 50.0;
    ASSERT_EQ(network.Adjust(), 1);
    EXPECT_EQ(network.m_ObservationCount, 10);
    ExpectAtTruth(network, truth, 1e-6);
    EXPECT_EQ(network[0][1].RangeResidual, 0.0);
}

TEST(NetworkAdjust, BearingsAcrossNorthAndOutsideTheCircle)
{
    // Station 1 lies almost due north of station 0: observed bearings on either side of 0.
    std::vector<TruePosition> truth = {
        {1000, 1000, 50}, {1000.5, 1400, 60}, {1300, 1200, 55}, {700, 1250, 52}};
    CNetwork network = MakeExactNetwork(truth, {2, 1, 2, 1}, 3.0, true);
    // The same directions given as negative or beyond 360 degrees are still those directions.
    NetworkObservationDef& north = network.ElementAt(3).ElementAt(1);
    north.ObservedBearing -= 360.0;
    network.ElementAt(1).ElementAt(2).ObservedBearing += 360.0;
    ASSERT_EQ(network.Adjust(), 1);
    ExpectAtTruth(network, truth, 1e-6);
    ExpectResidualsOnTheirObservations(network, 1e-9, 1e-10);
}

TEST(NetworkAdjust, VarianceFactorAndEllipses)
{
    // Two fixed stations and two free ones, ranges only with noise: 10 ranges for 4 unknowns,
    // so the factor is sum / 6.
    const std::vector<TruePosition> truth = {{0, 0, 100}, {800, 0, 100}, {300, 500, 100}, {500, -450, 100}};
    CNetwork network = MakeExactNetwork(truth, {2, 2, 1, 1}, 2.0, false);
    const double noise[] = {0.12, -0.05, 0.08, -0.11, 0.03, 0.07, -0.09, 0.02, 0.1, -0.04, 0.06, -0.02};
    int k = 0;
    for (INT_PTR i = 0; i < 4; ++i)
        for (INT_PTR j = 0; j < 4; ++j)
            if (i != j)
                network.ElementAt(i).ElementAt(j).ObservedRange += noise[k++];
    ASSERT_EQ(network.Adjust(), 1);
    ASSERT_EQ(network.m_ObservationCount, 10);
    ASSERT_TRUE(network.HasVarianceFactor());
    EXPECT_EQ(network.m_Redundancy, 6);
    EXPECT_DOUBLE_EQ(network.m_VarianceFactor, network.m_SumWeightedSquares / 6.0);
    EXPECT_DOUBLE_EQ(network.m_StandardErrorUnitWeight, std::sqrt(network.m_VarianceFactor));
    // The sum is that of the residuals, not of the misclosures the passes started from.
    double sum = 0.0;
    for (INT_PTR i = 0; i < 4; ++i)
        for (INT_PTR j = 0; j < 4; ++j)
            if (i != j && network.IsPairUsed(i, j))
                sum += std::pow(network[i][j].RangeResidual / network[i][j].RangeSE, 2);
    EXPECT_NEAR(network.m_SumWeightedSquares, sum, 1e-12 * sum);

    for (INT_PTR i : {INT_PTR(2), INT_PTR(3)})
    {
        const CNetworkStation& s = network[i];
        EXPECT_EQ(s.m_ResidualCount, 3);
        double v2 = 0.0, w2 = 0.0;
        for (INT_PTR j = 0; j < 4; ++j)
        {
            v2 += s[j].RangeResidual * s[j].RangeResidual;
            w2 += std::pow(s[j].RangeResidual / s[j].RangeSE, 2);
        }
        EXPECT_NEAR(s.m_SumSquaredResiduals, v2, 1e-12);
        EXPECT_NEAR(s.m_ResidualRMS, std::sqrt(v2 / 2.0), 1e-12);
        EXPECT_NEAR(s.m_ScaleFactor, std::sqrt(w2 / 2.0), 1e-12);
        EXPECT_GT(s.m_SemiMajor, 0.0);
        EXPECT_GE(s.m_SemiMajor, s.m_SemiMinor);
        EXPECT_NEAR(s.m_Orientation90, std::fmod(s.m_Orientation + 90.0, 360.0), 1e-9);
    }
}

TEST(NetworkAdjust, VarianceFactorCountsEveryRowAgainstEveryUnknown)
{
    // Three ranges and the given position of one of the two free stations: 5 rows for 4
    // unknowns, a redundancy of 1. The position rows' residuals are in the sum too.
    const std::vector<TruePosition> truth = {{0, 0, 0}, {300, 0, 0}, {0, 300, 0}};
    CNetwork network = MakeExactNetwork(truth, {2, 3, 1}, 1.0, false);
    for (INT_PTR i = 0; i < 3; ++i)
        for (INT_PTR j = 0; j < 3; ++j)
            network.ElementAt(i).ElementAt(j).UseRange = 0;
    network.ElementAt(0).ElementAt(1).UseRange = 1;
    network.ElementAt(0).ElementAt(2).UseRange = 1;
    network.ElementAt(1).ElementAt(2).UseRange = 1;
    network.ElementAt(1).ElementAt(2).ObservedRange += 0.3;
    network.ElementAt(1).m_GivenE = 301.0;
    network.ElementAt(1).m_PositionSE = 0.5;
    ASSERT_EQ(network.Adjust(), 1);
    ASSERT_EQ(network.m_ObservationCount, 3);
    ASSERT_EQ(network.m_RowCount, 5);
    EXPECT_EQ(network.m_Redundancy, 1);
    ASSERT_TRUE(network.HasVarianceFactor());
    const CNetworkStation& held = network[1];
    double sum = std::pow((held.m_AdjustedE - held.m_GivenE) / 0.5, 2) +
                 std::pow((held.m_AdjustedN - held.m_GivenN) / 0.5, 2);
    for (INT_PTR j : {INT_PTR(1), INT_PTR(2)})
        sum += std::pow(network[0][j].RangeResidual / 0.2, 2);
    sum += std::pow(network[1][2].RangeResidual / 0.2, 2);
    EXPECT_GT(std::pow((held.m_AdjustedE - held.m_GivenE) / 0.5, 2), 0.01 * sum) << "the position rows count";
    EXPECT_NEAR(network.m_SumWeightedSquares, sum, 1e-9 * sum);
    EXPECT_DOUBLE_EQ(network.m_VarianceFactor, network.m_SumWeightedSquares);
    EXPECT_DOUBLE_EQ(network.m_StandardErrorUnitWeight, std::sqrt(network.m_VarianceFactor));
    EXPECT_TRUE(network.DescribeVarianceFactor().Find("redundancy 1") >= 0) << network.DescribeVarianceFactor();

    // A free station fixed by its given position alone: two rows for its two unknowns, however
    // many observations are counted elsewhere. Nothing is checked and no factor is given.
    const std::vector<TruePosition> pair = {{0, 0, 0}, {300, 0, 0}, {0, 300, 0}, {200, 200, 0}};
    CNetwork exact = MakeExactNetwork(pair, {2, 2, 1, 3}, 1.0, false);
    for (INT_PTR i = 0; i < 4; ++i)
        for (INT_PTR j = 0; j < 4; ++j)
            exact.ElementAt(i).ElementAt(j).UseRange = (i < 2 && j == 2) ? 1 : 0;
    exact.ElementAt(3).m_GivenE += 0.4;
    ASSERT_EQ(exact.Adjust(), 1);
    EXPECT_EQ(exact.m_RowCount, 4);
    EXPECT_EQ(exact.m_Redundancy, 0);
    EXPECT_FALSE(exact.HasVarianceFactor());
    EXPECT_EQ(exact.m_VarianceFactor, 0.0);
    EXPECT_EQ(exact.m_StandardErrorUnitWeight, 0.0);
    EXPECT_TRUE(exact.DescribeVarianceFactor().Find("no redundancy") >= 0) << exact.DescribeVarianceFactor();

    // Fewer rows than unknowns: the solve fails, and there is no factor either.
    const std::vector<TruePosition> star = {{0, 0, 0}, {300, 0, 0}, {0, 300, 0}, {-300, 0, 0}};
    CNetwork bare = MakeExactNetwork(star, {2, 1, 1, 1}, 1.0, false);
    for (INT_PTR i = 0; i < 4; ++i)
        for (INT_PTR j = 0; j < 4; ++j)
            bare.ElementAt(i).ElementAt(j).UseRange = i == 0 ? 1 : 0;
    EXPECT_EQ(bare.Adjust(), 0);
    ASSERT_EQ(bare.m_ObservationCount, 3);
    EXPECT_FALSE(bare.HasVarianceFactor());
    EXPECT_EQ(bare.m_VarianceFactor, 0.0);
    EXPECT_EQ(bare.m_StandardErrorUnitWeight, 0.0);
    EXPECT_TRUE(bare.DescribeVarianceFactor().Find("not solved") >= 0) << bare.DescribeVarianceFactor();
}

namespace
{
struct Expected
{
    int index;
    double e, n;
};

// The solution's rows, unknowns and variance factor (< 0 for "none").
struct ExpectedVariance
{
    int rows = -1, unknowns = -1;
    double factor = -1.0;
};

ExpectedVariance ReadExpectedVariance(const std::string& name)
{
    ExpectedVariance expected;
    ForEachFixtureLine((name + ".variance.txt").c_str(), [&expected](const std::string& key, std::istringstream& in) {
        if (key == "rows")
            in >> expected.rows;
        else if (key == "unknowns")
            in >> expected.unknowns;
        else if (key == "variance_factor" && !(in >> expected.factor))
            expected.factor = -1.0;
    });
    return expected;
}

std::vector<Expected> ReadExpected(const std::string& path)
{
    std::vector<Expected> rows;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
    {
        if (line.empty() || line[0] == '#')
            continue;
        Expected row{};
        char comma = 0;
        std::istringstream fields(line);
        fields >> row.index >> comma >> row.e >> comma >> row.n;
        rows.push_back(row);
    }
    return rows;
}
} // namespace

// Noisy networks against an independent least-squares solution (SciPy; see
// tests/data/make_network_fixtures.py): the adjusted positions agree within 0.1 mm, and the
// variance factor is the solution's reduced chi-square, or none where rows do not exceed
// unknowns.
TEST(NetworkAdjust, NoisyNetworksAgreeWithAnIndependentSolution)
{
    CString folder;
    ASSERT_TRUE(GetNetworkFolder(folder));
    for (const char* name : {"noisy_ranges_bearings", "noisy_ranges", "noisy_deep", "variance_nine", "no_redundancy"})
    {
        const std::string source = std::string(SUITE_SOURCE_DIR) + "/acoustic/engine/tests/data/" + name;
        const QString target =
            TempDrives::Current()->OnC(QString("MyData/Calibration/Network Adjustment/%1.NET").arg(name));
        QFile::remove(target);
        ASSERT_TRUE(QFile::copy(QString::fromStdString(source + ".NET"), target)) << name;
        const std::vector<Expected> expected = ReadExpected(source + ".expected.csv");
        ASSERT_FALSE(expected.empty()) << name;

        CNetwork network;
        ASSERT_TRUE(network.Load(name)) << name;
        EXPECT_TRUE(network.GetLoadMessages().IsEmpty()) << name;
        ASSERT_EQ(network.Adjust(), 1) << name;
        int inUse = 0;
        for (INT_PTR i = 0; i < network.GetSize(); ++i)
            inUse += network[i].IsInUse() ? 1 : 0;
        EXPECT_EQ(size_t(inUse), expected.size()) << name;
        for (const Expected& row : expected)
        {
            ASSERT_LT(row.index, network.GetSize());
            EXPECT_NEAR(network[row.index].m_AdjustedE, row.e, 1e-4) << name << " station " << row.index;
            EXPECT_NEAR(network[row.index].m_AdjustedN, row.n, 1e-4) << name << " station " << row.index;
        }
        ExpectResidualsOnTheirObservations(network, 1e-6, 1e-9);

        const ExpectedVariance variance = ReadExpectedVariance(name);
        EXPECT_EQ(network.m_RowCount, variance.rows) << name;
        EXPECT_EQ(network.m_Redundancy, variance.rows - variance.unknowns) << name;
        if (variance.factor < 0.0)
        {
            EXPECT_FALSE(network.HasVarianceFactor()) << name;
            EXPECT_EQ(network.m_VarianceFactor, 0.0) << name;
            EXPECT_EQ(network.m_StandardErrorUnitWeight, 0.0) << name;
        }
        else
        {
            EXPECT_TRUE(network.HasVarianceFactor()) << name;
            EXPECT_NEAR(network.m_VarianceFactor, variance.factor, 1e-6) << name;
        }
    }
}

TEST(NetworkAdjust, RangesThatCannotMeetDoNotReportSuccess)
{
    // Two ranges of 30 m from stations 100 m apart: no point fits, and the best fit lies on
    // the line between them, where the ranges cannot place a station across it.
    CNetwork network;
    const double places[3][2] = {{1000.0, 1000.0}, {1100.0, 1000.0}, {1050.0, 1010.0}};
    for (int i = 0; i < 3; ++i)
    {
        CNetworkStation s;
        s.m_Status = i < 2 ? STATION_FIXED : STATION_FREE;
        s.m_GivenE = places[i][0];
        s.m_GivenN = places[i][1];
        network.AddStation(s);
    }
    for (int i = 0; i < 2; ++i)
    {
        NetworkObservationDef& o = network.ElementAt(i).ElementAt(2);
        o.ObservedRange = 30.0;
        o.UseRange = 1;
    }
    EXPECT_EQ(network.Adjust(), 0);
    EXPECT_EQ(network.m_Result, 0);
    EXPECT_TRUE(std::isfinite(network[2].m_AdjustedE));
    EXPECT_TRUE(std::isfinite(network[2].m_AdjustedN));
}

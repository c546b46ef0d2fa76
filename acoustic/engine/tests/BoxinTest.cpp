#include "acoustic/engine/Boxin.h"
#include "acoustic/engine/tests/FixtureLines.h"
#include "acoustic/engine/tests/SettingsFiles.h"
#include "foundation/Report.h"

#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/TempDrives.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include <cmath>
#include <string>
#include <vector>

namespace
{
const double kPi = 3.14159265358979323846;
const double kDegree = kPi / 180.0;

// The site of the synthetic box-ins.
const double kE0 = 431250.0, kN0 = 6652310.0, kD0 = 85.0;

BoxinDef Record(double e, double n, double heading, double value, double depth = 0.0)
{
    BoxinDef r{};
    r.VesselEasting = e;
    r.VesselNorthing = n;
    r.Heading = heading;
    r.ObservedValue = value;
    r.Depth = depth;
    r.Used = 1;
    return r;
}

// 36 vessel positions on a 150 m circle around (kE0, kN0), sailed clockwise (the heading the
// tangent), with the transducer 2 m to starboard and 5 m aft, and the exact slant range from
// each transducer to the transponder at kD0, given as the range mode wants it (two-way travel
// times at 1500 m/s).
void FillCircle(CBoxin& boxin, int rangeMode)
{
    boxin.RemoveAll();
    boxin.m_OffsetX = 2.0;
    boxin.m_OffsetY = -5.0;
    boxin.m_RangeMode = rangeMode;
    boxin.m_TwoWayTravelTime = true;
    boxin.m_UsedSpeed = boxin.m_ActualSpeed = 1500.0;
    for (int i = 0; i < 36; ++i)
    {
        const double a = i * 10.0 * kDegree;
        const double e = kE0 + 150.0 * std::sin(a), n = kN0 + 150.0 * std::cos(a);
        const double heading = std::fmod(i * 10.0 + 90.0, 360.0);
        const double h = heading * kDegree;
        const double te = e + 2.0 * std::cos(h) - 5.0 * std::sin(h);
        const double tn = n - 2.0 * std::sin(h) - 5.0 * std::cos(h);
        const double range = std::sqrt((te - kE0) * (te - kE0) + (tn - kN0) * (tn - kN0) + kD0 * kD0);
        const double value = rangeMode == BOXIN_RANGE_METRES            ? range
                             : rangeMode == BOXIN_TRAVEL_TIME_SECONDS ? 2.0 * range / 1500.0
                                                                      : 2000.0 * range / 1500.0;
        boxin.Add(Record(e, n, heading, value));
    }
    boxin.m_TransponderEasting = kE0 + 25.0;
    boxin.m_TransponderNorthing = kN0 - 30.0;
    boxin.m_TransponderDepth = kD0;
}

// Every residual of a clean box-in is nil.
void ExpectCleanResiduals(const CBoxin& boxin)
{
    for (INT_PTR i = 0; i < boxin.GetSize(); ++i)
    {
        SCOPED_TRACE(testing::Message() << "record " << i);
        EXPECT_NEAR(boxin[i].RangeError, 0.0, 1e-6);
        EXPECT_NEAR(boxin[i].ScaleError, 1.0, 1e-9);
        EXPECT_NEAR(boxin[i].PositionError, 0.0, 1e-5);
    }
    EXPECT_NEAR(boxin.m_MeanRangeError, 0.0, 1e-6);
    EXPECT_NEAR(boxin.m_MeanScaleError, 1.0, 1e-9);
    EXPECT_EQ(boxin.m_Count, boxin.GetSize());
}



struct Utm
{
    CSpheroid spheroid; // WGS84
    CProjection projection;
    Utm(int zone, bool south)
    {
        projection.SetSpheroid(&spheroid);
        EXPECT_TRUE(projection.SetZone(zone, 0, south ? 1 : 0));
    }
};
} // namespace

TEST(BoxinSolve, CircleReturnsTheTransponderInEveryRangeMode)
{
    for (int mode : {BOXIN_RANGE_METRES, BOXIN_TRAVEL_TIME_SECONDS, BOXIN_TRAVEL_TIME_MILLISECONDS})
    {
        SCOPED_TRACE(testing::Message() << "range mode " << mode);
        CBoxin boxin;
        FillCircle(boxin, mode);
        ASSERT_TRUE(boxin.Compute());
        EXPECT_EQ(boxin.m_Converged, 1);
        EXPECT_LT(boxin.m_Passes, CBoxin::kMaxPasses);
        EXPECT_NEAR(boxin.m_DerivedEasting, kE0, 1e-3);
        EXPECT_NEAR(boxin.m_DerivedNorthing, kN0, 1e-3);
        EXPECT_EQ(boxin.m_DerivedDepth, kD0);
        ExpectCleanResiduals(boxin);
    }
}

// Solving the depth pass by pass from the trial depth again keeps only the last pass's
// correction; the depth estimate is carried instead, so the true depth comes back.
TEST(BoxinSolve, DepthUnknownCarriedFromPassToPassReturnsTheTrueDepth)
{
    CBoxin boxin;
    FillCircle(boxin, BOXIN_RANGE_METRES);
    boxin.m_ComputedDepth = true;
    boxin.m_TransponderDepth = 60.0;
    ASSERT_TRUE(boxin.Compute());
    EXPECT_NEAR(boxin.m_DerivedEasting, kE0, 1e-3);
    EXPECT_NEAR(boxin.m_DerivedNorthing, kN0, 1e-3);
    EXPECT_NEAR(boxin.m_DerivedDepth, kD0, 1e-3);
    ExpectCleanResiduals(boxin);
}

// Three exact ranges (depth 0) from three known points: the two circle differences are two
// lines that cross at the transponder.
TEST(BoxinSolve, ThreeExactRangesMatchClosedFormTrilateration)
{
    const double p[3][2] = {{500100.0, 6100020.0}, {500480.0, 6100310.0}, {500150.0, 6100590.0}};
    const double target[2] = {500260.5, 6100255.25};
    CBoxin boxin;
    for (const auto& q : p)
        boxin.Add(Record(q[0], q[1], 0.0, std::hypot(q[0] - target[0], q[1] - target[1])));
    boxin.m_TransponderEasting = 500300.0;
    boxin.m_TransponderNorthing = 6100300.0;
    ASSERT_TRUE(boxin.Compute());

    // |X - Pi|^2 - |X - P0|^2 = ri^2 - r0^2 is linear in X (coordinates taken from P0).
    double a[2][2], b[2];
    const double r0 = boxin[0].ObservedValue;
    for (int i = 1; i < 3; ++i)
    {
        const double x = p[i][0] - p[0][0], y = p[i][1] - p[0][1], ri = boxin[i].ObservedValue;
        a[i - 1][0] = 2.0 * x;
        a[i - 1][1] = 2.0 * y;
        b[i - 1] = r0 * r0 - ri * ri + x * x + y * y;
    }
    const double det = a[0][0] * a[1][1] - a[0][1] * a[1][0];
    const double e = p[0][0] + (b[0] * a[1][1] - a[0][1] * b[1]) / det;
    const double n = p[0][1] + (a[0][0] * b[1] - b[0] * a[1][0]) / det;
    EXPECT_NEAR(e, target[0], 1e-6);
    EXPECT_NEAR(boxin.m_DerivedEasting, e, 1e-4);
    EXPECT_NEAR(boxin.m_DerivedNorthing, n, 1e-4);
}

// Noisy box-ins: the Gauss-Newton solution is the least-squares one scipy finds, and so are
// the mean residuals.
TEST(BoxinSolve, NoisyBoxInsAgreeWithScipyLeastSquares)
{
    std::unique_ptr<CBoxin> boxin;
    int cases = 0;
    std::string name;
    const int lines = ForEachFixtureLine("boxin_scipy.txt", [&](const std::string& kind, std::istringstream& in) {
        if (kind == "case")
        {
            int computedDepth = 0;
            boxin = std::make_unique<CBoxin>();
            in >> name >> computedDepth >> boxin->m_TransponderEasting >> boxin->m_TransponderNorthing >>
                boxin->m_TransponderDepth >> boxin->m_OffsetX >> boxin->m_OffsetY;
            boxin->m_ComputedDepth = computedDepth != 0;
        }
        else if (kind == "rec")
        {
            BoxinDef r = Record(0, 0, 0, 0);
            in >> r.VesselEasting >> r.VesselNorthing >> r.Heading >> r.ObservedValue >> r.Depth;
            boxin->Add(r);
        }
        else if (kind == "want")
        {
            SCOPED_TRACE(name);
            double e, n, d, position, range, scale;
            in >> e >> n >> d >> position >> range >> scale;
            ASSERT_TRUE(boxin->Compute());
            EXPECT_NEAR(boxin->m_DerivedEasting, e, 1e-4);
            EXPECT_NEAR(boxin->m_DerivedNorthing, n, 1e-4);
            EXPECT_NEAR(boxin->m_DerivedDepth, d, 1e-4);
            EXPECT_NEAR(boxin->m_MeanPositionError, position, 1e-5);
            EXPECT_NEAR(boxin->m_MeanRangeError, range, 1e-6);
            EXPECT_NEAR(boxin->m_MeanScaleError, scale, 1e-8);
            ++cases;
        }
    });
    EXPECT_GT(lines, 100);
    EXPECT_EQ(cases, 4);
}

// Convergence and grid scale factor at the trial position come from the projection, as
// GeographicLib gives them for UTM; the grid reduction of a range uses that scale.
TEST(BoxinProjection, ConvergenceAndScaleAgreeWithGeoConvert)
{
    int points = 0;
    ForEachFixtureLine("boxin_utm.txt", [&points](const std::string&, std::istringstream& in) {
        int zone = 0;
        std::string hemisphere;
        double lat, lon, e, n, gamma, k;
        in >> zone >> hemisphere >> lat >> lon >> e >> n >> gamma >> k;
        SCOPED_TRACE(testing::Message() << zone << hemisphere << " " << lat << ", " << lon);
        Utm utm(zone, hemisphere == "s");

        CBoxin boxin;
        boxin.m_TransponderEasting = e;
        boxin.m_TransponderNorthing = n;
        boxin.SetProjection(&utm.projection);
        EXPECT_NEAR(boxin.m_TransponderLatitude / kDegree, lat, 1e-9);
        EXPECT_NEAR(boxin.m_TransponderLongitude / kDegree, lon, 1e-9);
        EXPECT_NEAR(boxin.m_Convergence / kDegree * 3600.0, gamma * 3600.0, 0.01);
        EXPECT_NEAR(boxin.m_GridScaleFactor, k, 1e-9);

        CBoxin back;
        back.SetProjection(&utm.projection);
        back.SetTransponderLatitude(lat * kDegree);
        back.SetTransponderLongitude(lon * kDegree);
        EXPECT_NEAR(back.m_TransponderEasting, e, 1e-3);
        EXPECT_NEAR(back.m_TransponderNorthing, n, 1e-3);
        EXPECT_NEAR(back.m_GridScaleFactor, k, 1e-9);

        // Easting and northing typed in turn: the geographic position and grid terms follow.
        CBoxin typed;
        typed.SetProjection(&utm.projection);
        typed.SetTransponderEasting(e);
        typed.SetTransponderNorthing(n);
        EXPECT_NEAR(typed.m_TransponderLatitude / kDegree, lat, 1e-9);
        EXPECT_NEAR(typed.m_TransponderLongitude / kDegree, lon, 1e-9);
        EXPECT_NEAR(typed.m_Convergence / kDegree * 3600.0, gamma * 3600.0, 0.01);
        EXPECT_NEAR(typed.m_GridScaleFactor, k, 1e-9);

        // 1200 m slant with 900 m of depth: only the horizontal part takes the scale.
        const BoxinDef r = Record(e + 100.0, n, 0.0, 1200.0, 900.0);
        double reduced = 0.0;
        ASSERT_TRUE(boxin.GridSlantRange(r, 900.0, &reduced));
        EXPECT_NEAR(reduced, std::sqrt((1200.0 * 1200.0 - 900.0 * 900.0) * k * k + 900.0 * 900.0), 1e-6);
        ++points;
    });
    EXPECT_EQ(points, 8);
}

TEST(BoxinProjection, ZeroScaleBecomesOne)
{
    CBoxin boxin;
    EXPECT_EQ(boxin.m_GridScaleFactor, 1.0);
    CSpheroid spheroid;
    CProjection broken;
    broken.SetSpheroid(&spheroid);
    ASSERT_TRUE(broken.SetZone(31, 0, 0));
    broken.SetParameters(0.0, 3.0 * kDegree, 500000.0, 0.0, 0.0); // a scale of 0 converts nothing
    boxin.m_TransponderEasting = 531984.0;
    boxin.m_TransponderNorthing = 6094905.0;
    boxin.SetProjection(&broken);
    EXPECT_EQ(boxin.m_GridScaleFactor, 1.0);
    EXPECT_EQ(boxin.GetProjection(), &broken);
}

// Range conversion by range mode, with and without the corrections.
TEST(BoxinRanges, ObservedSlantRangeByModeAndCorrections)
{
    struct Row
    {
        const char* what;
        int mode;
        bool apply;
        bool twoWay;
        double used, actual, correction, turnAround, value, want;
    };
    const Row rows[] = {
        {"metres as observed", 0, false, true, 1485, 1500, 3, 0, 812.5, 812.5},
        {"metres less the correction", 0, true, true, 1500, 1500, 3, 0, 812.5, 809.5},
        {"metres rescaled to the actual speed", 0, true, true, 1500, 1485, 3, 0, 1000, 987.0},
        {"no used speed: only the correction", 0, true, true, 0, 1485, 3, 0, 1000, 997.0},
        {"two-way seconds", 1, false, true, 1485, 1500, 0, 0, 1.0, 750.0},
        {"one-way seconds", 1, false, false, 1485, 1500, 0, 0, 1.0, 1500.0},
        {"1000 ms two-way at 1500 m/s", 2, false, true, 1485, 1500, 0, 0, 1000, 750.0},
        {"seconds less the turn-around", 1, true, true, 1485, 1500, 9, 0.004, 1.004, 750.0},
        // The turn-around time is in seconds whatever the range mode.
        {"milliseconds less the turn-around", 2, true, true, 1485, 1500, 9, 0.004, 1004, 750.0},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        CBoxin boxin;
        boxin.m_RangeMode = row.mode;
        boxin.m_ApplyCorrections = row.apply;
        boxin.m_TwoWayTravelTime = row.twoWay;
        boxin.m_UsedSpeed = row.used;
        boxin.m_ActualSpeed = row.actual;
        boxin.m_RangeCorrection = row.correction;
        boxin.m_TurnAroundTime = row.turnAround;
        EXPECT_NEAR(boxin.ObservedSlantRange(Record(1, 1, 0, row.value)), row.want, 1e-9);
    }
}

TEST(BoxinRanges, GridReductionScalesOnlyTheHorizontalPart)
{
    CBoxin boxin;
    const BoxinDef r = Record(1, 1, 0, 500.0);
    double reduced = 0.0;
    ASSERT_TRUE(boxin.GridSlantRange(r, 300.0, &reduced));
    EXPECT_EQ(reduced, 500.0) << "k = 1 leaves the range as it is";
    boxin.m_GridScaleFactor = 0.9996;
    ASSERT_TRUE(boxin.GridSlantRange(r, 300.0, &reduced));
    EXPECT_NEAR(reduced, std::sqrt(400.0 * 400.0 * 0.9996 * 0.9996 + 300.0 * 300.0), 1e-9);
    ASSERT_TRUE(boxin.GridSlantRange(r, 500.0, &reduced));
    EXPECT_EQ(reduced, 500.0) << "a straight-down range has no horizontal part to scale";
    EXPECT_FALSE(boxin.GridSlantRange(r, 500.5, &reduced)) << "a depth beyond the range";
    EXPECT_FALSE(boxin.GridSlantRange(r, -500.5, &reduced));
}

// An observation whose depth exceeds its range would bring a NaN into the residuals, the
// statistics and the histogram range: it is left out and counted instead.
TEST(BoxinRanges, DepthBeyondTheRangeIsLeftOutAndCounted)
{
    CBoxin clean;
    FillCircle(clean, BOXIN_RANGE_METRES);
    ASSERT_TRUE(clean.Compute());
    EXPECT_EQ(clean.m_ShortRangeCount, 0);

    CBoxin boxin;
    FillCircle(boxin, BOXIN_RANGE_METRES);
    boxin.Add(Record(kE0 + 40.0, kN0 + 40.0, 0.0, 120.0, 150.0));
    ASSERT_TRUE(boxin.Compute());
    EXPECT_EQ(boxin.m_ShortRangeCount, 1);
    EXPECT_EQ(boxin.m_Count, 36);
    EXPECT_EQ(boxin.m_DerivedEasting, clean.m_DerivedEasting);
    EXPECT_EQ(boxin.m_DerivedNorthing, clean.m_DerivedNorthing);
    for (double v : {boxin.m_MeanPositionError, boxin.m_MeanRangeError, boxin.m_MeanScaleError,
                     boxin.m_MinResidual, boxin.m_MaxResidual})
        EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(boxin[36].RangeError, 0.0) << "no residual for a range that has none";
}

// Records without a position, not in use, or with no observed value take no part in the
// transducer positions, the solution or the statistics.
TEST(BoxinRecords, UnusableRecordsTakeNoPartAnywhere)
{
    CBoxin clean;
    FillCircle(clean, BOXIN_RANGE_METRES);
    ASSERT_TRUE(clean.Compute());

    CBoxin boxin;
    FillCircle(boxin, BOXIN_RANGE_METRES);
    BoxinDef noPosition = Record(0.0, 0.0, 0.0, 60.0);
    BoxinDef notUsed = Record(kE0 + 10.0, kN0, 0.0, 500.0);
    notUsed.Used = 0;
    BoxinDef zeroValue = Record(kE0 - 10.0, kN0, 0.0, 0.0);
    BoxinDef negativeValue = Record(kE0, kN0 - 10.0, 0.0, -90.0);
    for (BoxinDef r : {noPosition, notUsed, zeroValue, negativeValue})
    {
        r.TransducerEasting = r.TransducerNorthing = -7.0;
        r.RangeError = r.ScaleError = r.PositionError = -7.0;
        boxin.InsertAt(3, r);
    }
    ASSERT_TRUE(boxin.Compute());
    EXPECT_EQ(boxin.m_DerivedEasting, clean.m_DerivedEasting);
    EXPECT_EQ(boxin.m_DerivedNorthing, clean.m_DerivedNorthing);
    EXPECT_EQ(boxin.m_Count, 36);
    EXPECT_EQ(boxin.m_MeanRangeError, clean.m_MeanRangeError);
    EXPECT_EQ(boxin.m_MeanPositionError, clean.m_MeanPositionError);
    for (int i = 3; i < 7; ++i)
    {
        EXPECT_EQ(boxin[i].TransducerEasting, -7.0);
        EXPECT_EQ(boxin[i].TransducerNorthing, -7.0);
        EXPECT_EQ(boxin[i].RangeError, -7.0);
        EXPECT_EQ(boxin[i].ScaleError, -7.0);
        EXPECT_EQ(boxin[i].PositionError, -7.0);
    }
    EXPECT_EQ(boxin.ComputeResidual(5), 0) << "the used flag comes back";

    EXPECT_TRUE(RaisesInvalidArgument([&] { boxin.ComputeResidual(boxin.GetSize()); }));
}

// Three ranges that no point fits: Gauss-Newton jumps by a steady 34 m from pass to pass. A
// steady jump is not a settled solution: 21 passes, not converged, the trial position kept.
TEST(BoxinSolve, OscillatingSolutionIsNotConvergedAndKeepsTheTrial)
{
    CBoxin boxin;
    boxin.Add(Record(500068.0, 6000045.0, 0.0, 41.0));
    boxin.Add(Record(499973.0, 5999990.0, 0.0, 57.0));
    boxin.Add(Record(499974.0, 5999922.0, 0.0, 64.0));
    boxin.m_TransponderEasting = 499963.0;
    boxin.m_TransponderNorthing = 6000015.0;
    boxin.m_DerivedEasting = 1.0;
    EXPECT_FALSE(boxin.Compute());
    EXPECT_EQ(boxin.m_Converged, 0);
    EXPECT_EQ(boxin.m_Passes, CBoxin::kMaxPasses);
    EXPECT_EQ(boxin.m_DerivedEasting, 499963.0);
    EXPECT_EQ(boxin.m_DerivedNorthing, 6000015.0);
    EXPECT_EQ(boxin.m_DerivedDepth, 0.0);
}

// A pass that cannot be solved is a failure, never a zero correction that "converges" on the
// trial position.
TEST(BoxinSolve, UnsolvablePassesFailAndKeepTheTrial)
{
    struct Row
    {
        const char* what;
        bool depth;
        double trialDepth;
        std::vector<BoxinDef> records;
    };
    std::vector<Row> rows = {
        {"no records", false, 0.0, {}},
        {"every record unusable", false, 0.0, {Record(0, 0, 0, 50.0), Record(kE0, kN0 + 50, 0, -1.0)}},
        {"one record for two unknowns", false, 0.0, {Record(kE0 + 60.0, kN0, 0, 104.0)}},
        {"two records for three unknowns", true, kD0,
         {Record(kE0 + 60.0, kN0, 0, 104.0), Record(kE0, kN0 + 60.0, 0, 104.0)}},
        {"every record at one place", false, 0.0,
         {Record(kE0 + 60.0, kN0, 0, 104.0), Record(kE0 + 60.0, kN0, 90, 103.0), Record(kE0 + 60.0, kN0, 180, 105.0)}},
        {"on one line through the estimate", false, 0.0,
         {Record(kE0 + 60.0, kN0, 0, 60.0), Record(kE0 + 120.0, kN0, 0, 120.0), Record(kE0 - 90.0, kN0, 0, 90.0)}},
    };
    // At a depth of 0 a range does not change with the depth: nothing moves it from there.
    CBoxin circle;
    FillCircle(circle, BOXIN_RANGE_METRES);
    rows.push_back({"the depth unknown from a trial depth of 0", true, 0.0, {}});
    for (INT_PTR i = 0; i < circle.GetSize(); ++i)
        rows.back().records.push_back(circle[i]);
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        CBoxin boxin;
        for (const BoxinDef& r : row.records)
            boxin.Add(r);
        boxin.m_ComputedDepth = row.depth;
        boxin.m_TransponderEasting = kE0;
        boxin.m_TransponderNorthing = kN0;
        boxin.m_TransponderDepth = row.trialDepth;
        EXPECT_FALSE(boxin.Compute());
        EXPECT_EQ(boxin.m_Converged, 0);
        EXPECT_EQ(boxin.m_DerivedEasting, kE0);
        EXPECT_EQ(boxin.m_DerivedNorthing, kN0);
        EXPECT_EQ(boxin.m_DerivedDepth, row.trialDepth);
    }
}

TEST(BoxinTransducer, OffsetsTurnedByHeadingGyroAndConvergence)
{
    struct Row
    {
        double x, y;
        bool useOffsets;
        double wantE, wantN; // from the vessel
    };
    // Heading 80 + gyro 12 - convergence 2 = 90 degrees: starboard is grid south, forward east.
    const Row rows[] = {
        {0.0, 0.0, true, 0.0, 0.0},
        {0.0, 5.0, false, 0.0, 0.0}, // a Y offset alone waits for UseOffsets
        {0.0, 5.0, true, 5.0, 0.0},
        {2.0, 0.0, false, 0.0, -2.0}, // an X offset is always applied
        {2.0, -5.0, false, -5.0, -2.0},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(testing::Message() << row.x << ", " << row.y << (row.useOffsets ? " with" : " without"));
        CBoxin boxin;
        boxin.m_OffsetX = row.x;
        boxin.m_OffsetY = row.y;
        boxin.m_UseOffsets = row.useOffsets;
        boxin.m_GyroCorrection = 12.0;
        boxin.m_Convergence = 2.0 * kDegree;
        boxin.Add(Record(1000.0, 2000.0, 80.0, 100.0));
        boxin.ComputeTransducerPositions();
        EXPECT_NEAR(boxin[0].TransducerEasting - 1000.0, row.wantE, 1e-9);
        EXPECT_NEAR(boxin[0].TransducerNorthing - 2000.0, row.wantN, 1e-9);
    }
}

TEST(BoxinGating, MarksObservationsByRangeError)
{
    CBoxin boxin;
    FillCircle(boxin, BOXIN_RANGE_METRES);
    boxin[5].ObservedValue += 3.0;
    boxin[9].ObservedValue -= 0.5;
    boxin.Add(Record(kE0 + 40.0, kN0, 0.0, 50.0, 150.0)); // depth beyond its range
    boxin.ComputeTransducerPositions();
    boxin[11].Used = 0; // gated out before: a good range brings it back
    boxin.m_DerivedEasting = kE0;
    boxin.m_DerivedNorthing = kN0;
    boxin.m_DerivedDepth = kD0;

    boxin.m_ApplyGating = true;
    boxin.m_MaxRangeError = 1.0;
    boxin.ApplyGating();
    for (INT_PTR i = 0; i < boxin.GetSize(); ++i)
        EXPECT_EQ(boxin[i].Used, (i == 5 || i == 36) ? 0 : 1) << "record " << i;

    boxin.m_MaxRangeError = 0.0;
    boxin.ApplyGating();
    for (INT_PTR i = 0; i < boxin.GetSize(); ++i)
        EXPECT_EQ(boxin[i].Used, 1) << "a limit of 0 gates nothing: record " << i;

    boxin[5].Used = 0;
    boxin.m_MaxRangeError = 1.0;
    boxin.m_ApplyGating = false;
    boxin.ApplyGating();
    EXPECT_EQ(boxin[5].Used, 1) << "gating off";
}

TEST(BoxinStatistics, ResidualRangeRoundsOutwardAndMeansTakeUsableRecords)
{
    struct Row
    {
        const char* what;
        std::vector<double> errors;
        double min, max;
    };
    const Row rows[] = {
        {"floor and ceiling", {0.4, -0.3, 1.2, 2.7}, -1.0, 3.0},
        {"all positive", {2.2, 1.5}, 1.0, 3.0},
        {"whole metres stay", {-2.0, 1.0}, -2.0, 1.0},
        {"a first error of 0 is kept in the range", {0.0, 2.5}, 0.0, 3.0},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        CBoxin boxin;
        double sum = 0.0;
        for (double e : row.errors)
        {
            BoxinDef r = Record(kE0 + 100.0, kN0, 0.0, 130.0);
            r.RangeError = e;
            r.ScaleError = 1.0 + e / 100.0;
            r.PositionError = std::fabs(e) * 2.0;
            boxin.Add(r);
            sum += e;
        }
        BoxinDef unused = Record(kE0 + 100.0, kN0, 0.0, 130.0);
        unused.Used = 0;
        unused.RangeError = 40.0;
        boxin.Add(unused);
        boxin.ComputeStatistics();
        EXPECT_EQ(boxin.m_MinResidual, row.min);
        EXPECT_EQ(boxin.m_MaxResidual, row.max);
        const double n = static_cast<double>(row.errors.size());
        EXPECT_EQ(boxin.m_Count, static_cast<int>(row.errors.size()));
        EXPECT_NEAR(boxin.m_MeanRangeError, sum / n, 1e-12);
        EXPECT_NEAR(boxin.m_MeanScaleError, 1.0 + sum / n / 100.0, 1e-12);
    }

    CBoxin none;
    none.m_MeanRangeError = 0.25;
    none.ComputeStatistics();
    EXPECT_EQ(none.m_Count, 0);
    EXPECT_EQ(none.m_MeanRangeError, 0.25) << "no samples leave the means";
}

TEST(BoxinColours, QuadrantOfTheBearing)
{
    const struct
    {
        double bearing;
        COLORREF colour;
    } rows[] = {{0.0, 0x00FFFF},    {44.999, 0x00FFFF}, {45.0, 0xFFFF00},  {134.9, 0xFFFF00},
                {135.0, 0xFF0000},  {224.9, 0xFF0000},  {225.0, 0xFF00FF}, {314.9, 0xFF00FF},
                {315.0, 0x00FFFF},  {359.9, 0x00FFFF},  {-10.0, 0x00FFFF}, {-60.0, 0xFF00FF},
                {460.0, 0xFFFF00}};
    for (const auto& row : rows)
        EXPECT_EQ(ObservationQuadrantColour(row.bearing), row.colour) << row.bearing;

    // A residual colours the observation by its bearing to the solved position.
    CBoxin boxin;
    FillCircle(boxin, BOXIN_RANGE_METRES);
    ASSERT_TRUE(boxin.Compute());
    EXPECT_EQ(boxin[0].Colour, 0xFF0000u) << "north of the transponder, looking south";
    EXPECT_EQ(boxin[9].Colour, 0xFF00FFu) << "east of it, looking west";
    EXPECT_EQ(boxin[18].Colour, 0x00FFFFu);
    EXPECT_EQ(boxin[27].Colour, 0xFFFF00u);
}

TEST(BoxinReport, GoldenText)
{
    CBoxin boxin;
    FillCircle(boxin, BOXIN_RANGE_METRES);
    ASSERT_TRUE(boxin.Compute());
    // Set after the solution, whose transducers and ranges are on the grid already.
    boxin.m_GyroCorrection = -0.25;
    boxin.m_Convergence = 0.4095794654370 * kDegree;
    boxin.m_GridScaleFactor = 0.999612549676102;
    boxin.m_MeanPositionError = 0.1234;
    boxin.m_MeanRangeError = -0.047;
    boxin.m_MeanScaleError = 0.99987;

    CReport report;
    report.m_OutputMode = CReport::OUTPUT_FILE;
    report.m_OpenMode = CReport::OPEN_WRITE;
    ModalHook::AnswerFileDialog({CString("C:\\boxin.txt")});
    ASSERT_TRUE(boxin.PrintReport(report, "11 Dec 2026 @ 01:02:03"));

    QFile f(TempDrives::Current()->OnC("boxin.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    const char* lines[] = {
        "11 Dec 2026 @ 01:02:03",
        "",
        "Estimated Easting               431275.00",
        "Estimated Northing              6652280.00",
        "Estimated Depth                 85.00",
        "Gyro Correction (Deg)           -0.250",
        "Convergence (Deg)               +0.410",
        "Grid Scale Factor               0.99961255",
        "",
        "Total Number of Samples Use     36",
        "",
        "Position Error   0.12",
        "",
        "Range Error      -0.05",
        "Scale Error      1.00",
        "",
        "Derived Easting                 431250.00",
        "Derived Northing                6652310.00",
        "Derived Depth                   85.00",
    };
    QByteArray want;
    for (const char* line : lines)
        want += *line ? QByteArray(CReport::kIndent, ' ') + line + "\r\n" : QByteArray("\r\n");
    EXPECT_EQ(text.left(want.size()), want);
    EXPECT_TRUE(text.mid(want.size()).trimmed().isEmpty());

    // Without a stamp the first line is the date and time of now.
    CReport now;
    now.m_OutputMode = CReport::OUTPUT_FILE;
    now.m_OpenMode = CReport::OPEN_WRITE;
    ModalHook::AnswerFileDialog({CString("C:\\now.txt")});
    ASSERT_TRUE(boxin.PrintReport(now));
    QFile nowFile(TempDrives::Current()->OnC("now.txt"));
    ASSERT_TRUE(nowFile.open(QIODevice::ReadOnly));
    const QString first = QString::fromLatin1(nowFile.readLine());
    EXPECT_TRUE(QRegularExpression("^    \\d\\d [A-Z][a-z]{2} \\d{4} @ \\d\\d:\\d\\d:\\d\\d\\r\\n$").match(first).hasMatch())
        << first.toStdString();

    // A cancelled dialog writes nothing.
    ModalHook::CancelFileDialog();
    CReport cancelled;
    cancelled.m_OutputMode = CReport::OUTPUT_FILE;
    EXPECT_FALSE(boxin.PrintReport(cancelled, "now"));
}

TEST(BoxinSettings, GoldenBytesDefaultsAndDamagedValues)
{
    {
        CBoxin boxin;
        EXPECT_EQ(boxin.m_RangeMode, 0);
        EXPECT_TRUE(boxin.m_TwoWayTravelTime);
        EXPECT_EQ(boxin.m_UsedSpeed, 1485.0);
        EXPECT_EQ(boxin.m_ActualSpeed, 1485.0);
        EXPECT_EQ(boxin.m_RangeRingRadius, 25.0);
        EXPECT_EQ(boxin.m_GridScaleFactor, 1.0);
        EXPECT_FALSE(boxin.m_ApplyCorrections);
        EXPECT_FALSE(boxin.m_UseOffsets);
        boxin.m_OffsetX = 2.0;
        boxin.m_OffsetY = -5.25;
        boxin.m_RangeMode = 2;
        boxin.m_ApplyGating = true;
        boxin.m_MaxRangeError = 1.5;
        boxin.m_GyroCorrection = -0.125;
        boxin.m_ComputedDepth = true;
        boxin.m_RangeCorrection = 0.75;
        boxin.m_TurnAroundTime = 0.004;
        boxin.m_TwoWayTravelTime = false;
        boxin.m_UsedSpeed = 1500.0;
        boxin.m_ActualSpeed = 1492.5;
        boxin.m_UseRangeRings = true;
        boxin.m_RangeRingRadius = 50.0;
        boxin.m_TransponderEasting = 431250.125;
        boxin.m_TransponderNorthing = 6652310.5;
        boxin.m_TransponderLatitude = 1.0;
        boxin.m_TransponderLongitude = -0.0625;
        boxin.m_TransponderDepth = 85.25;
        ASSERT_TRUE(boxin.SaveSettings());
    }
    const QByteArray golden = "Offset X = 2.000\r\nOffset Y = -5.250\r\nRange Mode = 2\r\nApply Gating = 1\r\n"
                              "Max Range Error = 1.500\r\nGyro Correction = -0.125\r\nComputed Depth = 1\r\n"
                              "Range Correction = 0.750\r\nTurn Around Time = 0.004\r\nTwo Way Travel Time = 0\r\n"
                              "Used Speed = 1500.000\r\nActual Speed = 1492.500\r\nUse Range Rings = 1\r\n"
                              "Range Ring Radius = 50.000\r\nTransponder Easting = 431250.125\r\n"
                              "Transponder Northing = 6652310.500\r\n"
                              "Transponder Latitude = 1.0000000000000000\r\n"
                              "Transponder Longitude = -0.0625000000000000\r\n"
                              "Transponder Depth = 85.250\r\n";
    EXPECT_EQ(SettingsBytes("Boxin"), golden);
    CBoxin back;
    EXPECT_EQ(back.m_OffsetY, -5.25);
    EXPECT_EQ(back.m_RangeMode, 2);
    EXPECT_TRUE(back.m_ComputedDepth);
    EXPECT_EQ(back.m_TurnAroundTime, 0.004);
    EXPECT_FALSE(back.m_TwoWayTravelTime);
    EXPECT_EQ(back.m_ActualSpeed, 1492.5);
    EXPECT_EQ(back.m_TransponderLongitude, -0.0625);
    EXPECT_EQ(back.m_TransponderDepth, 85.25);
    ASSERT_TRUE(back.SaveSettings());
    EXPECT_EQ(SettingsBytes("Boxin"), golden) << "read back in place, written again the same";

    // Unusable values take their defaults; the lines after them stay in their places.
    WriteSettings("Boxin", "Offset X = nan\r\nOffset Y = inf\r\nRange Mode = 7\r\nApply Gating = 1\r\n"
                           "Max Range Error = 2\r\nGyro Correction = x\r\nComputed Depth\r\n"
                           "Range Correction = 1e999\r\nTurn Around Time = 0.5\r\n");
    CBoxin damaged;
    EXPECT_EQ(damaged.m_OffsetX, 0.0);
    EXPECT_EQ(damaged.m_OffsetY, 0.0);
    EXPECT_EQ(damaged.m_RangeMode, 0);
    EXPECT_TRUE(damaged.m_ApplyGating);
    EXPECT_EQ(damaged.m_MaxRangeError, 2.0);
    EXPECT_EQ(damaged.m_GyroCorrection, 0.0);
    EXPECT_FALSE(damaged.m_ComputedDepth);
    EXPECT_EQ(damaged.m_RangeCorrection, 0.0);
    EXPECT_EQ(damaged.m_TurnAroundTime, 0.5);
    EXPECT_TRUE(damaged.m_TwoWayTravelTime);
    EXPECT_EQ(damaged.m_UsedSpeed, 1485.0);
    EXPECT_EQ(damaged.m_RangeRingRadius, 25.0);
}

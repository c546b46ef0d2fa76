#include "acoustic/engine/UsblCalibration.h"
#include "acoustic/engine/tests/FixtureLines.h"
#include "acoustic/engine/tests/SettingsFiles.h"


#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace
{
const double kDegreeRad = 3.14159265358979323846 / 180.0;

UsblCalibrationDef Reading(double e, double n, double heading, double x, double y, double z)
{
    UsblCalibrationDef r{};
    r.VesselEasting = e;
    r.VesselNorthing = n;
    r.Heading = heading;
    r.X = x;
    r.Y = y;
    r.Z = z;
    r.Used = 1;
    return r;
}

UsblCalibrationDef Fix(double e, double n, double fixE, double fixN, double fixDepth)
{
    UsblCalibrationDef r = Reading(e, n, 0.0, 0.0, 0.0, 0.0);
    r.FixEasting = fixE;
    r.FixNorthing = fixN;
    r.FixDepth = fixDepth;
    return r;
}

struct UsblExpected
{
    double e, n, heading, pitch, roll, scale, rangeError;
};

// One case of usbl_calibration.txt: the calibration with its settings and readings, what it
// should find and how closely.
struct UsblCase
{
    std::string name;
    std::unique_ptr<CUsblCalibration> usbl;
    UsblExpected want{}, tol{};
};

std::vector<UsblCase> ReadCases(const char* fixture = "usbl_calibration.txt")
{
    std::vector<UsblCase> cases;
    ForEachFixtureLine(fixture, [&cases](const std::string& kind, std::istringstream& in) {
        if (kind == "case")
        {
            cases.emplace_back();
            UsblCase& c = cases.back();
            c.usbl = std::make_unique<CUsblCalibration>();
            CUsblCalibration& u = *c.usbl;
            in >> c.name >> u.m_GyroCorrection >> u.m_OffsetX >> u.m_OffsetY >> u.m_UsedSpeed >> u.m_ActualSpeed >>
                u.m_TransponderEasting >> u.m_TransponderNorthing >> u.m_TransponderDepth;
            u.m_RawDataMode = true;
            u.m_ComputeRangeError = true;
            u.m_ComputeScaleFactor = true;
            u.m_ComputePitchRoll = true;
            return;
        }
        UsblCase& c = cases.back();
        if (kind == "obs")
        {
            UsblCalibrationDef r = Reading(0, 0, 0, 0, 0, 0);
            in >> r.VesselEasting >> r.VesselNorthing >> r.TransducerDepth >> r.Heading >> r.Pitch >> r.Roll >> r.X >>
                r.Y >> r.Z;
            c.usbl->Add(r);
        }
        else
        {
            UsblExpected& x = kind == "want" ? c.want : c.tol;
            in >> x.e >> x.n >> x.heading >> x.pitch >> x.roll >> x.scale >> x.rangeError;
        }
    });
    return cases;
}

// The whole calibration as the program runs it: transducers, the transponder with the heading
// correction, the scale and range error, then pitch and roll.
void Calibrate(CUsblCalibration& u)
{
    u.ComputeTransducerPositions();
    ASSERT_TRUE(u.ComputeTransponderPosition());
    ASSERT_TRUE(u.ComputeScaleFactor());
    ASSERT_TRUE(u.ComputePitchRollCorrection());
}

void ExpectFound(const CUsblCalibration& u, const UsblExpected& want, const UsblExpected& tol)
{
    const UsblCorrectionsDef& c = u.m_ComputedCorrections;
    EXPECT_NEAR(u.m_SolvedEasting, want.e, tol.e);
    EXPECT_NEAR(u.m_SolvedNorthing, want.n, tol.n);
    EXPECT_NEAR(c.Heading, want.heading, tol.heading);
    EXPECT_NEAR(c.Pitch, want.pitch, tol.pitch);
    EXPECT_NEAR(c.Roll, want.roll, tol.roll);
    EXPECT_NEAR(c.Scale, want.scale, tol.scale);
    EXPECT_NEAR(c.RangeError, want.rangeError, tol.rangeError);
}


} // namespace

// Readings made forward (scipy's rotations) from a transponder with a misaligned USBL head:
// heading 1.5, pitch 0.3, roll -0.2 degrees, scale 1.002 and 0.1 m of range error. The staged
// calibration finds them all, and with them every reading lands on the transponder.
TEST(UsblCalibration, RecoversTheMisalignmentFromExactReadings)
{
    std::vector<UsblCase> cases = ReadCases();
    ASSERT_EQ(cases.size(), 2u);
    UsblCase& exact = cases[0];
    ASSERT_EQ(exact.name, "exact");
    CUsblCalibration& u = *exact.usbl;
    ASSERT_EQ(u.GetSize(), 200);
    Calibrate(u);
    ExpectFound(u, exact.want, exact.tol);
    EXPECT_LT(u.m_Passes, CUsblCalibration::kMaxPasses);

    u.m_CorrectionSelector = USBL_CORRECTIONS_COMPUTED;
    double worst = 0.0;
    for (INT_PTR i = 0; i < u.GetSize(); ++i)
    {
        u.ComputeObservation(i);
        worst = std::max(worst, std::hypot(u[i].ObservedEasting - exact.want.e, u[i].ObservedNorthing - exact.want.n));
    }
    EXPECT_LT(worst, 0.01) << "metres off the transponder at worst";
}

// Noisy readings: the staged Gauss-Newton, line fit and attitude solve agree with one joint
// least-squares solution of every unknown (scipy) within the spread the noise gives.
TEST(UsblCalibration, StagedSolutionAgreesWithJointLeastSquares)
{
    std::vector<UsblCase> cases = ReadCases();
    ASSERT_EQ(cases.size(), 2u);
    UsblCase& noisy = cases[1];
    ASSERT_EQ(noisy.name, "noisy");
    Calibrate(*noisy.usbl);
    ExpectFound(*noisy.usbl, noisy.want, noisy.tol);
}

// Three passes with the vessel trimmed, listed, pitching and rolling (-4 to 3.5 degrees): each
// reading is brought level before its bearing is taken, so the heading correction comes out
// within 0.05 degree of the truth (taken as level, the same readings gave 1.359 for 1.5).
TEST(UsblCalibration, LevelsEveryReadingBeforeTakingItsBearing)
{
    std::vector<UsblCase> cases = ReadCases("usbl_attitude.txt");
    ASSERT_EQ(cases.size(), 2u);
    UsblCase& moving = cases[0];
    ASSERT_EQ(moving.name, "attitude");
    ASSERT_EQ(moving.usbl->GetSize(), 180);
    Calibrate(*moving.usbl);
    ExpectFound(*moving.usbl, moving.want, moving.tol);
}

// Readings of a level vessel solve exactly as they did before the bearings were levelled: these
// are the results the engine gave then, to the last bit, for the level passes and both cases of
// the misaligned head.
TEST(UsblCalibration, LevelReadingsGiveTheResultsTheyGaveBefore)
{
    const struct
    {
        const char* fixture;
        const char* name;
        UsblExpected before;
    } rows[] = {
        {"usbl_attitude.txt",
         "level",
         {431249.99999968649, 6652310.0000002347, 1.4654118207477509, 0.26879807093597724, -0.20163393191827461,
          1.0020000008595638, 0.099999800127989147}},
        {"usbl_calibration.txt",
         "exact",
         {431250.00000128819, 6652309.9999990361, 1.5010349995424879, 0.2999637767766315, -0.19997413481379905,
          1.0019999999124636, 0.099999991130971466}},
        {"usbl_calibration.txt",
         "noisy",
         {431250.00440605235, 6652310.0055431202, 1.4994233469682183, 0.30163761620288609, -0.19970189806269009,
          1.0019170942354503, 0.12112929301474651}},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.name);
        std::vector<UsblCase> cases = ReadCases(row.fixture);
        auto found =
            std::find_if(cases.begin(), cases.end(), [&row](const UsblCase& c) { return c.name == row.name; });
        ASSERT_NE(found, cases.end());
        CUsblCalibration& u = *found->usbl;
        Calibrate(u);
        const UsblCorrectionsDef& c = u.m_ComputedCorrections;
        EXPECT_EQ(u.m_SolvedEasting, row.before.e);
        EXPECT_EQ(u.m_SolvedNorthing, row.before.n);
        EXPECT_EQ(c.Heading, row.before.heading);
        EXPECT_EQ(c.Pitch, row.before.pitch);
        EXPECT_EQ(c.Roll, row.before.roll);
        EXPECT_EQ(c.Scale, row.before.scale);
        EXPECT_EQ(c.RangeError, row.before.rangeError);
    }
}

// Fix mode: the observed position is the transducer plus (distance x scale + range error)
// along (bearing + heading correction + gyro correction), with the selector's corrections.
TEST(UsblObservation, FixModeLaysTheCorrectedDistanceAlongTheCorrectedBearing)
{
    struct Row
    {
        const char* what;
        int selector;
        double heading, scale, rangeError; // the corrections the selector should apply
    };
    const Row rows[] = {
        {"no corrections", USBL_CORRECTIONS_NONE, 0.0, 1.0, 0.0},
        {"entered", USBL_CORRECTIONS_ENTERED, 2.0, 1.01, 0.3},
        {"computed", USBL_CORRECTIONS_COMPUTED, -1.25, 0.995, -0.2},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        CUsblCalibration u;
        u.m_RawDataMode = false;
        u.m_GyroCorrection = 0.5;
        u.m_EnteredCorrections = {2.0, 0.4, 0.3, 1.01, 0.3};
        u.m_ComputedCorrections = {-1.25, -0.1, 0.2, 0.995, -0.2};
        u.m_CorrectionSelector = row.selector;
        // Transducer at the vessel (no offsets); the fix 300 m away on a bearing of 30 degrees.
        const double e = 500000.0, n = 6000000.0;
        const double b = 30.0 * kDegreeRad;
        u.Add(Fix(e, n, e + 300.0 * std::sin(b), n + 300.0 * std::cos(b), 87.5));
        u.ComputeObservation(0);
        const double d = 300.0 * row.scale + row.rangeError;
        const double b2 = (30.0 + row.heading + 0.5) * kDegreeRad;
        EXPECT_NEAR(u[0].ObservedEasting, e + d * std::sin(b2), 1e-6);
        EXPECT_NEAR(u[0].ObservedNorthing, n + d * std::cos(b2), 1e-6);
        EXPECT_EQ(u[0].ObservedDepth, 87.5);
        EXPECT_EQ(u[0].Colour, 0x00FFFFu);
    }

    // A missing vessel position or fix is skipped and keeps what it had.
    CUsblCalibration u;
    u.m_RawDataMode = false;
    u.Add(Fix(0.0, 0.0, 500100.0, 6000100.0, 80.0));
    u.Add(Fix(500000.0, 6000000.0, 0.0, 0.0, 80.0));
    for (INT_PTR i = 0; i < 2; ++i)
    {
        u[i].ObservedEasting = -9.0;
        u.ComputeObservation(i);
        EXPECT_EQ(u[i].ObservedEasting, -9.0);
    }
}

// Raw mode, one reading at a time: the signs of roll and pitch, the selector, the speed ratio
// and the grid scale.
TEST(UsblObservation, RawReadingTurnedByRollPitchAndHeading)
{
    struct Row
    {
        const char* what;
        double heading, pitch, roll, x, y, z;
        double wantE, wantN, wantDepth; // from the transducer
    };
    const Row rows[] = {
        {"level, forward on an easterly heading", 90.0, 0.0, 0.0, 0.0, 30.0, 40.0, 30.0, 0.0, 40.0},
        {"level, starboard on a northerly heading", 0.0, 0.0, 0.0, 30.0, 0.0, 40.0, 30.0, 0.0, 40.0},
        // Rolled 45 degrees to starboard, a reading down and to starboard is straight down.
        {"rolled starboard down", 0.0, 0.0, 45.0, 10.0, 0.0, 10.0, 0.0, 0.0, std::sqrt(200.0)},
        // Bow up 45 degrees, a reading forward and down is level and forward.
        {"bow up", 0.0, 45.0, 0.0, 0.0, 10.0, 10.0, 0.0, std::sqrt(200.0), 0.0},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        CUsblCalibration u;
        UsblCalibrationDef r = Reading(500000.0, 6000000.0, row.heading, row.x, row.y, row.z);
        r.Pitch = row.pitch;
        r.Roll = row.roll;
        u.Add(r);
        u.ComputeObservation(0);
        EXPECT_NEAR(u[0].ObservedEasting - 500000.0, row.wantE, 1e-9);
        EXPECT_NEAR(u[0].ObservedNorthing - 6000000.0, row.wantN, 1e-9);
        EXPECT_NEAR(u[0].ObservedDepth, row.wantDepth, 1e-9);
    }

    // Selector 0: the entered and computed sets are not touched, scale 1. With the entered set
    // the scale and range error stretch the horizontal part by its share of the range, the
    // grid scale stretches it again, and the heading correction turns it.
    CUsblCalibration u;
    u.m_EnteredCorrections = {90.0, 0.0, 0.0, 1.01, 5.0};
    u.m_ComputedCorrections = {45.0, 3.0, 3.0, 0.5, 9.0};
    u.m_GridScaleFactor = 0.9996;
    u.m_UsedSpeed = 1500.0;
    u.m_ActualSpeed = 1530.0; // ratio 1.02
    u.Add(Reading(500000.0, 6000000.0, 0.0, 0.0, 30.0, 40.0));
    u.ComputeObservation(0);
    EXPECT_NEAR(u[0].ObservedEasting, 500000.0, 1e-9);
    EXPECT_NEAR(u[0].ObservedNorthing, 6000000.0 + 30.0 * 1.02 * 0.9996, 1e-9);
    EXPECT_NEAR(u[0].ObservedDepth, 40.0 * 1.02, 1e-9);
    u.m_CorrectionSelector = USBL_CORRECTIONS_ENTERED;
    u.ComputeObservation(0);
    const double length = 50.0 * 1.02;
    EXPECT_NEAR(u[0].ObservedEasting, 500000.0 + 30.0 * 1.02 * (1.01 + 5.0 / length) * 0.9996, 1e-9);
    EXPECT_NEAR(u[0].ObservedNorthing, 6000000.0, 1e-9);
    EXPECT_NEAR(u[0].ObservedDepth, 40.0 * 1.02, 1e-9) << "the vertical part is not scaled";

    // No speed at all leaves a vector of no length: it gets no scale or range error.
    u.m_ActualSpeed = 0.0;
    u.ComputeObservation(0);
    EXPECT_EQ(u[0].ObservedEasting, 500000.0);
    EXPECT_EQ(u[0].ObservedNorthing, 6000000.0);
    EXPECT_EQ(u[0].ObservedDepth, 0.0);
}

TEST(UsblObservation, MissingReadingsKeepTheirResultsAndColoursFollowTheSigns)
{
    CUsblCalibration u;
    u.Add(Reading(500000.0, 6000000.0, 0.0, 0.0, 0.0, 50.0)); // X and Y both 0
    u.Add(Reading(500000.0, 6000000.0, 0.0, 10.0, 5.0, 0.0)); // Z 0
    UsblCalibrationDef unused = Reading(500000.0, 6000000.0, 0.0, 10.0, 5.0, 50.0);
    unused.Used = 0;
    u.Add(unused);
    for (INT_PTR i = 0; i < 3; ++i)
    {
        u[i].ObservedEasting = u[i].ObservedNorthing = u[i].ObservedDepth = -5.0;
        u[i].Colour = 7;
        u.ComputeObservation(i);
        EXPECT_EQ(u[i].ObservedEasting, -5.0) << i;
        EXPECT_EQ(u[i].ObservedDepth, -5.0) << i;
        EXPECT_EQ(u[i].Colour, 7u) << i;
    }

    const struct
    {
        double x, y;
        COLORREF colour;
    } rows[] = {{0.0, 4.0, 0x00FFFF}, {3.0, 0.0, 0x00FFFF}, {3.0, -4.0, 0xFFFF00}, {-3.0, -4.0, 0xFF00FF},
                {-3.0, 4.0, 0xFF0000}, {-3.0, 0.0, 0xFF0000}};
    for (const auto& row : rows)
    {
        CUsblCalibration c;
        c.Add(Reading(500000.0, 6000000.0, 0.0, row.x, row.y, 50.0));
        c.ComputeObservation(0);
        EXPECT_EQ(c[0].Colour, row.colour) << row.x << ", " << row.y;
    }

    EXPECT_TRUE(RaisesInvalidArgument([&] { u.ComputeObservation(3); }));
}

// A pass that cannot be solved is a failure: the trial position and the heading correction
// stay as they were.
TEST(UsblSolve, UnsolvablePassesFailAndKeepTheTrial)
{
    struct Row
    {
        const char* what;
        std::vector<UsblCalibrationDef> readings;
    };
    UsblCalibrationDef unused = Reading(500050.0, 6000000.0, 0.0, 0.0, 50.0, 80.0);
    unused.Used = 0;
    const std::vector<Row> rows = {
        {"no readings", {}},
        {"none in use or with offsets", {unused, Reading(500000.0, 6000050.0, 0.0, 0.0, 0.0, 80.0)}},
        {"every reading from one place and heading",
         {Reading(500050.0, 6000000.0, 270.0, 0.0, 50.0, 80.0), Reading(500050.0, 6000000.0, 270.0, 0.0, 50.0, 80.0),
          Reading(500050.0, 6000000.0, 270.0, 0.0, 50.0, 80.0)}},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        CUsblCalibration u;
        for (const UsblCalibrationDef& r : row.readings)
            u.Add(r);
        u.m_TransponderEasting = 500000.0;
        u.m_TransponderNorthing = 6000000.0;
        u.m_TransponderDepth = 80.0;
        u.m_ComputeDepth = true;
        u.m_ComputedCorrections.Heading = 0.7;
        u.ComputeTransducerPositions();
        EXPECT_FALSE(u.ComputeTransponderPosition());
        EXPECT_EQ(u.m_SolvedEasting, 500000.0);
        EXPECT_EQ(u.m_SolvedNorthing, 6000000.0);
        EXPECT_EQ(u.m_SolvedDepth, 80.0);
        EXPECT_EQ(u.m_ComputedCorrections.Heading, 0.7);
    }
}

TEST(UsblScale, OptionsChooseTheFitTheMeanDifferenceOrTheMeanRatio)
{
    // The transponder 100 m down under the transducers; USBL ranges short of the true ones as
    // true = 1.004 s + 0.5 at the actual speed (ratio 1490 / 1500).
    const double ratio = 1490.0 / 1500.0;
    auto make = [ratio](bool rangeError, bool scale) {
        auto u = std::make_unique<CUsblCalibration>();
        u->m_UsedSpeed = 1500.0;
        u->m_ActualSpeed = 1490.0;
        u->m_ComputeRangeError = rangeError;
        u->m_ComputeScaleFactor = scale;
        u->m_SolvedEasting = 500000.0;
        u->m_SolvedNorthing = 6000000.0;
        u->m_SolvedDepth = 100.0;
        for (double h : {0.0, 50.0, 120.0, 300.0})
        {
            const double truth = std::hypot(h, 100.0);
            const double s = (truth - 0.5) / 1.004 / ratio;
            UsblCalibrationDef r = Reading(500000.0 + h, 6000000.0, 0.0, 0.0, 0.0, s);
            r.TransducerEasting = r.VesselEasting;
            r.TransducerNorthing = r.VesselNorthing;
            u->Add(r);
        }
        return u;
    };

    auto both = make(true, true);
    ASSERT_TRUE(both->ComputeScaleFactor());
    EXPECT_NEAR(both->m_ComputedCorrections.Scale, 1.004, 1e-12);
    EXPECT_NEAR(both->m_ComputedCorrections.RangeError, 0.5, 1e-9) << "metres, as the solution adds it";

    // With one option the other stays neutral; the ratio is true over USBL range, the factor
    // that corrects the USBL as the fit's slope does.
    auto scaleOnly = make(false, true);
    ASSERT_TRUE(scaleOnly->ComputeScaleFactor());
    EXPECT_EQ(scaleOnly->m_ComputedCorrections.RangeError, 0.0);
    EXPECT_GT(scaleOnly->m_ComputedCorrections.Scale, 1.004);
    EXPECT_LT(scaleOnly->m_ComputedCorrections.Scale, 1.004 + 0.5 / 100.0);
    auto rangeOnly = make(true, false);
    ASSERT_TRUE(rangeOnly->ComputeScaleFactor());
    EXPECT_EQ(rangeOnly->m_ComputedCorrections.Scale, 1.0);
    double mean = 0.0;
    for (INT_PTR i = 0; i < rangeOnly->GetSize(); ++i)
    {
        const double truth = std::hypot(i == 0 ? 0.0 : (i == 1 ? 50.0 : (i == 2 ? 120.0 : 300.0)), 100.0);
        mean += truth - (truth - 0.5) / 1.004;
    }
    EXPECT_NEAR(rangeOnly->m_ComputedCorrections.RangeError, mean / 4.0, 1e-9);

    auto neither = make(false, false);
    neither->m_ComputedCorrections.Scale = 3.0;
    EXPECT_FALSE(neither->ComputeScaleFactor());
    EXPECT_EQ(neither->m_ComputedCorrections.Scale, 1.0);
    auto noDepth = make(true, true);
    noDepth->m_SolvedDepth = 0.0;
    EXPECT_FALSE(noDepth->ComputeScaleFactor());
    EXPECT_EQ(noDepth->m_ComputedCorrections.Scale, 1.0);

    // Every range the same: no line to fit.
    auto flat = make(true, true);
    for (INT_PTR i = 0; i < flat->GetSize(); ++i)
        flat->ElementAt(i) = flat->GetAt(0);
    EXPECT_FALSE(flat->ComputeScaleFactor());
    EXPECT_EQ(flat->m_ComputedCorrections.Scale, 1.0);
    EXPECT_EQ(flat->m_ComputedCorrections.RangeError, 0.0);
}

// Pitch and roll that nothing fixes give no correction and say so, instead of dividing by 0.
TEST(UsblPitchRoll, UnsolvableAttitudeGivesZeroAndFails)
{
    CUsblCalibration none;
    none.m_SolvedDepth = 100.0;
    none.m_ComputedCorrections.Pitch = 2.0;
    EXPECT_FALSE(none.ComputePitchRollCorrection()) << "no readings";
    EXPECT_EQ(none.m_ComputedCorrections.Pitch, 0.0);

    // The transponder level with the transducer, abeam: pitching turns that vector about
    // itself, so no reading can show a pitch.
    CUsblCalibration abeam;
    abeam.m_SolvedEasting = 500100.0;
    abeam.m_SolvedNorthing = 6000000.0;
    abeam.m_SolvedDepth = 10.0;
    for (int i = 0; i < 3; ++i)
    {
        UsblCalibrationDef r = Reading(500000.0, 6000000.0, 0.0, 100.0, 0.0, 0.5);
        r.TransducerEasting = 500000.0;
        r.TransducerNorthing = 6000000.0;
        r.TransducerDepth = 10.0;
        abeam.Add(r);
    }
    abeam.m_ComputedCorrections.Roll = 2.0;
    EXPECT_FALSE(abeam.ComputePitchRollCorrection());
    EXPECT_EQ(abeam.m_ComputedCorrections.Pitch, 0.0);
    EXPECT_EQ(abeam.m_ComputedCorrections.Roll, 0.0);

    CUsblCalibration notAsked;
    notAsked.m_ComputePitchRoll = false;
    notAsked.m_SolvedDepth = 100.0;
    EXPECT_FALSE(notAsked.ComputePitchRollCorrection());
}

TEST(UsblSettings, GoldenBytesWithTheRepeatedAndMisspeltKeys)
{
    {
        CUsblCalibration u;
        EXPECT_TRUE(u.m_RawDataMode);
        EXPECT_EQ(u.m_EnteredCorrections.Scale, 1.0);
        EXPECT_TRUE(u.m_ComputePitchRoll);
        EXPECT_TRUE(u.m_ComputeScaleFactor);
        EXPECT_FALSE(u.m_ComputeRangeError);
        EXPECT_TRUE(u.m_UseRangeRings);
        EXPECT_EQ(u.m_RangeRingRadius, 100.0);
        EXPECT_EQ(u.GetSpeedRatio(), 1.0);
        EXPECT_EQ(u.m_CorrectionSelector, USBL_CORRECTIONS_NONE);
        u.m_RawDataMode = false;
        u.m_OffsetX = 1.25;
        u.m_OffsetY = -3.5;
        u.m_GyroCorrection = 0.75;
        u.m_MinDistance = 20.0;
        u.m_MaxDistance = 600.0;
        u.m_MaxRangeError = 2.5;
        u.m_MaxDepthVariation = 4.0;
        u.m_EnteredCorrections = {1.5, 0.3, -0.2, 1.002, 0.1};
        u.m_UsedSpeed = 1500.0;
        u.m_ActualSpeed = 1490.0;
        u.m_ComputeDepth = true;
        u.m_ComputePitchRoll = false;
        u.m_ComputeRangeError = true;
        u.m_ComputeScaleFactor = false;
        u.m_TransponderEasting = 431250.5;
        u.m_TransponderNorthing = 6652310.25;
        u.m_TransponderDepth = 95.0;
        u.m_UseRangeRings = false;
        u.m_RangeRingRadius = 50.0;
        ASSERT_TRUE(u.SaveSettings());
    }
    const QByteArray golden =
        "Raw Data Mode = 0\r\nOffset X = 1.250\r\nOffset Y = -3.500\r\nGyro Correction = 0.750\r\n"
        "Min Distance = 20.000\r\nMax Distance = 600.000\r\nMax Range Error = 2.500\r\n"
        "Max Depth Variation = 4.000\r\nGyro Correction = 1.500\r\nPitch Correction = 0.300\r\n"
        "Roll Correction = -0.200\r\nScale Error = 1.002\r\nRange Error = 0.100\r\nUsed Speed = 1500.000\r\n"
        "Actual Speed = 1490.000\r\nCompute Depth = 1\r\nCompute Pitch and Roll = 0\r\nCompute Ramge Error = 1\r\n"
        "Compute Scale Factor = 0\r\nTransponder Easting = 431250.500\r\nTransponder Northing = 6652310.250\r\n"
        "Transponder Depth = 95.000\r\nUse Range Rings = 0\r\nRange Ring Radius = 50.000\r\n";
    EXPECT_EQ(SettingsBytes("USBL Calibration"), golden);

    CUsblCalibration back;
    EXPECT_FALSE(back.m_RawDataMode);
    EXPECT_EQ(back.m_GyroCorrection, 0.75) << "the first of the two keys";
    EXPECT_EQ(back.m_EnteredCorrections.Heading, 1.5) << "the second";
    EXPECT_EQ(back.m_EnteredCorrections.Roll, -0.2);
    EXPECT_EQ(back.m_EnteredCorrections.Scale, 1.002);
    EXPECT_TRUE(back.m_ComputeRangeError) << "read from the misspelt key";
    EXPECT_FALSE(back.m_ComputeScaleFactor);
    EXPECT_EQ(back.m_TransponderDepth, 95.0);
    EXPECT_EQ(back.m_RangeRingRadius, 50.0);
    EXPECT_NEAR(back.GetSpeedRatio(), 1490.0 / 1500.0, 1e-15);
    ASSERT_TRUE(back.SaveSettings());
    EXPECT_EQ(SettingsBytes("USBL Calibration"), golden);

    // Unusable values take their defaults; a used speed of 0 gives a ratio of 1.
    WriteSettings("USBL Calibration", "Raw Data Mode = x\r\nOffset X = nan\r\nOffset Y = 2\r\nGyro Correction = inf\r\n"
                                      "Min Distance = 1\r\nMax Distance = 2\r\nMax Range Error = 3\r\n"
                                      "Max Depth Variation = 4\r\nGyro Correction = 1\r\nPitch Correction = -inf\r\n"
                                      "Roll Correction = 0\r\nScale Error = nan\r\nRange Error = 0\r\n"
                                      "Used Speed = 0\r\n");
    CUsblCalibration damaged;
    EXPECT_TRUE(damaged.m_RawDataMode);
    EXPECT_EQ(damaged.m_OffsetX, 0.0);
    EXPECT_EQ(damaged.m_OffsetY, 2.0);
    EXPECT_EQ(damaged.m_GyroCorrection, 0.0);
    EXPECT_EQ(damaged.m_MaxDepthVariation, 4.0);
    EXPECT_EQ(damaged.m_EnteredCorrections.Heading, 1.0);
    EXPECT_EQ(damaged.m_EnteredCorrections.Pitch, 0.0);
    EXPECT_EQ(damaged.m_EnteredCorrections.Scale, 1.0);
    EXPECT_EQ(damaged.m_UsedSpeed, 0.0);
    EXPECT_EQ(damaged.GetSpeedRatio(), 1.0);
    EXPECT_EQ(damaged.m_ActualSpeed, 1485.0);
    EXPECT_TRUE(damaged.m_ComputeScaleFactor);
    EXPECT_EQ(damaged.m_RangeRingRadius, 100.0);
}

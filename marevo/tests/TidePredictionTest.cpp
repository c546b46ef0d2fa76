// The tide curve against an independent four-constituent sum, its physical periods, and the
// cases where a day or an instant is at the edge: the last day of a year, a Table VI day in
// the year before, a shallow-water term where the M2/S2 vector lies on an axis, and the local
// calendar of the Table VI instant on days the clocks change.
#include "TideCurveSamples.h"
#include "TideFileWriter.h"

#include "marevo/NP159.h"
#include "marevo/TideCalendar.h"
#include "marevo/TidePredictor.h"
#include "foundation/DateTime.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{
constexpr double kPi = 3.14159265358979323846;
const double kStart[CONSTITUENT_COUNT] = {112.18, 0.0, 351.34, 120.25};
const double kPhase[CONSTITUENT_COUNT] = {97.5, 130.0, 210.0, 15.0};
const double kAmplitude[CONSTITUENT_COUNT] = {1.6, 0.45, 0.12, 0.09};

double Speed(int k)
{
    return CTidePredictor::kMeanDailyAdvance[k] / 24.0; // degrees per hour
}

} // namespace

TEST(TideCurve, EverySampleIsTheFourConstituentSum)
{
    CArray<TidalFactorDef> factors;
    MakeFactors(factors, 366, kStart, 0.05);
    const CArray<int64_t> phases;
    CTidalPort port;
    SetHarmonics(port, 1.7, kPhase, kAmplitude);
    CTidePredictor(factors, phases).ComputeCurve(port, 2023, TideYearStart(2023), TideYearEnd(2023));
    ASSERT_EQ(port.m_Curve.GetSize(), 525600);

    double worst = 0.0;
    for (int i = 0; i < 525600; ++i)
    {
        const int n = i / 1440;
        const double hour = (i % 1440) / 60.0;
        // Unwrapped phase from the start of the year, reduced exactly before the cosine.
        double sum = 1.7;
        for (int k = 0; k < CONSTITUENT_COUNT; ++k)
        {
            const double f = factors[n].Constituent[k].dFactor;
            const double fNext = factors[n + 1].Constituent[k].dFactor;
            const double theta = std::fmod(kPhase[k] + kStart[k] - Speed(k) * (24.0 * n + hour), 360.0);
            sum += ((fNext - f) * hour / 24.0 + f) * kAmplitude[k] * std::cos(theta * kPi / 180.0);
        }
        worst = std::max(worst, std::fabs(port.m_Curve[i].dHeight - sum));
        EXPECT_EQ(port.m_Curve[i].dTime, static_cast<double>(TideYearStart(2023) + 60LL * i));
    }
    EXPECT_LT(worst, 1e-9);
}

TEST(TideCurve, SingleConstituentsKeepTheirPeriodsAndAmplitudes)
{
    CNP159 data;
    data.LoadFromFolder(StageTideFixtures(), 2024);
    ASSERT_EQ(data.m_TidalFactors.GetSize(), 367);
    const double m2Factor = data.m_TidalFactors[0].Constituent[CONSTITUENT_M2].dFactor;
    struct Case
    {
        const char* label;
        double m2, s2;
        double period; // minutes between successive high waters
        double amplitude;
    } cases[] = {
        {"M2 only: 12 h 25 min", 1.0, 0.0, 745.2, m2Factor},
        {"S2 only: 12 h 00 min", 0.0, 1.0, 720.0, 1.0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        const double g[CONSTITUENT_COUNT] = {40.0, 250.0, 0.0, 0.0};
        const double h[CONSTITUENT_COUNT] = {c.m2, c.s2, 0.0, 0.0};
        CTidalPort port;
        SetHarmonics(port, 0.0, g, h);
        CTidePredictor(data.m_TidalFactors, data.m_PhaseInstants)
            .ComputeCurve(port, 2024, TideYearStart(2024), TideYearEnd(2024));
        double previous = -1.0;
        int highs = 0;
        for (const TurningPoint& p : TurningPoints(port.m_Curve))
        {
            if (!p.bHigh)
                continue;
            EXPECT_NEAR(p.dHeight, c.amplitude, 1e-4);
            if (previous >= 0.0)
            {
                EXPECT_NEAR(p.dMinute - previous, c.period, 1.0) << p.dMinute;
            }
            previous = p.dMinute;
            ++highs;
        }
        EXPECT_NEAR(highs, 366 * 1440 / c.period, 1.0);
    }
}

TEST(TideCurve, SpringsAndNeapsFollowEachOtherEvery14Point77Days)
{
    CNP159 data;
    data.LoadFromFolder(StageTideFixtures(), 2024);
    const double g[CONSTITUENT_COUNT] = {40.0, 250.0, 0.0, 0.0};
    const double h[CONSTITUENT_COUNT] = {1.0, 0.5, 0.0, 0.0};
    CTidalPort port;
    SetHarmonics(port, 0.0, g, h);
    CTidePredictor(data.m_TidalFactors, data.m_PhaseInstants)
        .ComputeCurve(port, 2024, TideYearStart(2024), TideYearEnd(2024));
    std::vector<TurningPoint> highs;
    for (const TurningPoint& p : TurningPoints(port.m_Curve))
        if (p.bHigh)
            highs.push_back(p);
    std::vector<double> springs; // days of the highest high waters
    for (size_t i = 1; i + 1 < highs.size(); ++i)
        if (highs[i].dHeight > highs[i - 1].dHeight && highs[i].dHeight >= highs[i + 1].dHeight)
            springs.push_back(highs[i].dMinute / 1440.0);
    ASSERT_GE(springs.size(), 20u);
    EXPECT_NEAR((springs.back() - springs.front()) / (springs.size() - 1), 14.77, 0.03);
}

TEST(TideCurve, DailyAdvancesOfTheFixtureUnwrapToTheConstituentSpeeds)
{
    CNP159 data;
    data.LoadFromFolder(StageTideFixtures(), 2024);
    ASSERT_EQ(data.m_TidalFactors.GetSize(), 367);
    const double expected[CONSTITUENT_COUNT] = {695.6, 720.0, 361.0, 334.6};
    for (int n = 0; n + 1 < 367; ++n)
        for (int k = 0; k < CONSTITUENT_COUNT; ++k)
            EXPECT_NEAR(CTidePredictor::DailyAdvance(k, data.m_TidalFactors[n].Constituent[k].dArgument,
                                                     data.m_TidalFactors[n + 1].Constituent[k].dArgument),
                        expected[k], 0.05)
                << n << " " << k;
}

TEST(TideCurve, ShallowWaterTermsStayFiniteWhereTheVectorLiesOnAnAxis)
{
    // M2 alone at 00:00 of day 1 puts X = R sin(theta) and Y = R cos(theta) on an axis for
    // theta = 0, 90, 180 and 270 degrees; R = X / sin(phi) would give 0/0 or 0 there.
    CArray<TidalFactorDef> factors;
    const double start[CONSTITUENT_COUNT] = {0.0, 0.0, 0.0, 0.0};
    MakeFactors(factors, 2, start, 0.0);
    const CArray<int64_t> phases;
    for (double theta : {0.0, 90.0, 180.0, 270.0})
    {
        SCOPED_TRACE(theta);
        const double g[CONSTITUENT_COUNT] = {theta, 0.0, 0.0, 0.0};
        const double h[CONSTITUENT_COUNT] = {1.5, 0.0, 0.0, 0.0};
        CTidalPort port;
        SetHarmonics(port, 0.0, g, h);
        port.m_dConstants[CONSTANT_F4] = 30.0;
        port.m_dConstants[CONSTANT_F4_FACTOR] = 0.1;
        port.m_dConstants[CONSTANT_F6] = 60.0;
        port.m_dConstants[CONSTANT_F6_FACTOR] = 0.05;
        const double x = 1.5 * std::sin(theta * kPi / 180.0);
        const double y = 1.5 * std::cos(theta * kPi / 180.0);
        const double r = std::hypot(x, y);
        double phi = std::atan2(x, y);
        if (phi < 0)
            phi += 2 * kPi;
        const double expected = y + 0.1 * r * r * std::cos(2 * phi + kPi / 6) + 0.05 * r * r * r * std::cos(3 * phi + kPi / 3);
        EXPECT_NEAR(CTidePredictor(factors, phases).Predict(port, 2023, 1, 1, 0.0), expected, 1e-12);
    }
}

TEST(TideCurve, LastDayOfTheYearIsPredictedWithOrWithoutTheExtraRecord)
{
    const CArray<int64_t> phases;
    CTidalPort port;
    SetHarmonics(port, 1.0, kPhase, kAmplitude);
    CArray<TidalFactorDef> withExtra;
    MakeFactors(withExtra, 366, kStart, 0.0);
    CArray<TidalFactorDef> withoutExtra;
    MakeFactors(withoutExtra, 365, kStart, 0.0);

    CTidalPort other = port;
    CTidePredictor(withExtra, phases).ComputeCurve(port, 2023, TideYearStart(2023), TideYearEnd(2023));
    CTidePredictor(withoutExtra, phases).ComputeCurve(other, 2023, TideYearStart(2023), TideYearEnd(2023));
    ASSERT_EQ(other.m_Curve.GetSize(), 525600);
    EXPECT_EQ(other.m_Curve[525599].dTime, static_cast<double>(TideYearEnd(2023) - 60));
    double worst = 0.0;
    bool anyTide = false;
    for (int i = 364 * 1440; i < 525600; ++i)
    {
        worst = std::max(worst, std::fabs(port.m_Curve[i].dHeight - other.m_Curve[i].dHeight));
        anyTide = anyTide || std::fabs(other.m_Curve[i].dHeight - 1.0) > 0.5;
    }
    EXPECT_TRUE(anyTide);
    EXPECT_LT(worst, 1e-9);
    // A day past the factors predicts nothing.
    EXPECT_EQ(CTidePredictor(withoutExtra, phases).Predict(port, 2023, 366, 12, 0.0), 0.0);
}

TEST(TideCurve, TableVIDayBeforeJanuaryTakesTheGregorianLengthOfTheYearBefore)
{
    ScopedTimeZone utc("UTC");
    // 2100 is not a leap year: with a day offset of 3, 1 January 2101 looks up 29 December 2100.
    CArray<int64_t> phases;
    phases.Add(TideTimeOfDay(363, 2100, 0)); // a spring phase at 00:00 on 29 December 2100
    phases.Add(TideTimeOfDay(10, 2101, 0));
    CArray<TidalFactorDef> factors;
    MakeFactors(factors, 10, kStart, 0.0);
    CTidalPort port;
    const double none[CONSTITUENT_COUNT] = {0, 0, 0, 0};
    SetHarmonics(port, 0.0, none, none);
    port.m_TableVI.bPresent = true;
    port.m_TableVI.nDayOffset = 3;
    for (int b = 0; b < 8; ++b)
        port.m_TableVI.dValue[1 + b] = b; // the correction tells the whole days from springs
    const CTidePredictor predictor(factors, phases);
    EXPECT_EQ(predictor.Predict(port, 2101, 1, 1, 0.0), 0.0);
    EXPECT_EQ(predictor.Predict(port, 2101, 2, 1, 0.0), 1.0);
    EXPECT_EQ(predictor.Predict(port, 2101, 4, 1, 12.0), 3.0); // 1 January 2101 at noon
    predictor.ComputeCurve(port, 2101, TideYearStart(2101), TideYearStart(2101) + 4 * 86400);
    EXPECT_EQ(port.m_Curve[0].dHeight, 0.0);
    EXPECT_EQ(port.m_Curve[1440].dHeight, 1.0);
}

TEST(TideCurve, HourlyCalendarConversionsEqualOneAMinuteOnClockChangeDays)
{
    for (const char* zone : {"UTC", "Europe/Berlin", "Australia/Lord_Howe"})
    {
        SCOPED_TRACE(zone);
        ScopedTimeZone local(zone);
        CNP159 data;
        data.LoadFromFolder(StageTideFixtures(), 2024);
        ASSERT_FALSE(data.m_PhaseInstants.IsEmpty());
        // Phases just around the clock changes too, so that the days from springs step within
        // an hour that the clock also jumps.
        CArray<int64_t> phases;
        for (int64_t instant : data.m_PhaseInstants)
            phases.Add(instant);
        for (int day : {91, 92, 301, 302})
            for (int second : {3540, 7230, 9000})
                phases.Add(TideTimeOfDay(day - 1, 2024, second));
        std::sort(phases.begin(), phases.end());
        CTidalPort port;
        SetHarmonics(port, 0.0, kPhase, kAmplitude);
        port.m_TableVI.bPresent = true;
        port.m_TableVI.nDayOffset = 1;
        for (int b = 0; b < 9; ++b)
            port.m_TableVI.dValue[b] = 10.0 * b;
        const CTidePredictor predictor(data.m_TidalFactors, phases);
        predictor.ComputeCurve(port, 2024, TideYearStart(2024), TideYearEnd(2024));
        int differ = 0;
        for (int i = 0; i < port.m_Curve.GetSize(); ++i)
        {
            const int day = i / 1440 + 1;
            int month = 0;
            MonthDayOfYear(2024, day, &month, nullptr);
            if (port.m_Curve[i].dHeight != predictor.Predict(port, 2024, day, month, (i % 1440) / 60.0))
                ++differ;
        }
        EXPECT_EQ(differ, 0);
    }
}

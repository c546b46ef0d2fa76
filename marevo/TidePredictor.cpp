#include "marevo/TidePredictor.h"

#include "foundation/DateTime.h"
#include "marevo/TideCalendar.h"

#include <algorithm>
#include <cmath>

namespace
{
// Degrees to radians, as the tide tables' own computation converts them.
constexpr double kRadPerDegree = 0.017453292519943;

// Where the raising of a daily advance stops, per constituent (degrees).
constexpr double kAdvanceFloor[CONSTITUENT_COUNT] = {600.0, 600.0, 300.0, 300.0};

// Phase lag and amplitude constants of each constituent.
constexpr int kPhaseConstant[CONSTITUENT_COUNT] = {CONSTANT_M2_G, CONSTANT_S2_G, CONSTANT_K1_G, CONSTANT_O1_G};
constexpr int kAmplitudeConstant[CONSTITUENT_COUNT] = {CONSTANT_M2_H, CONSTANT_S2_H, CONSTANT_K1_H, CONSTANT_O1_H};
} // namespace

// Speeds of M2, S2, K1 and O1 (degrees per mean solar hour) times 24.
const double CTidePredictor::kMeanDailyAdvance[CONSTITUENT_COUNT] = {28.9841042 * 24, 30.0 * 24, 15.0410686 * 24,
                                                                     13.9430356 * 24};

struct CTidePredictor::DayTerms
{
    double dTheta[CONSTITUENT_COUNT];   // g + A, degrees in [0, 360) for sane data
    double dAdvance[CONSTITUENT_COUNT]; // degrees a day
    double dFactor[CONSTITUENT_COUNT];  // today's f
    double dFactorStep[CONSTITUENT_COUNT]; // tomorrow's f - today's
    double dAmplitude[CONSTITUENT_COUNT];
    double dF4Factor, dF4Cos, dF4Sin;
    double dF6Factor, dF6Cos, dF6Sin;
    double dSeasonal;
};

CTidePredictor::CTidePredictor(const CArray<TidalFactorDef>& factors, const CArray<int64_t>& phaseInstants)
    : m_Factors(factors), m_PhaseInstants(phaseInstants),
      m_bPhasesSorted(std::is_sorted(phaseInstants.begin(), phaseInstants.end()))
{
}

double CTidePredictor::DailyAdvance(int constituent, double today, double tomorrow)
{
    double advance = today - tomorrow;
    // Arguments of sound files lie within a turn or two; reducing first keeps the raising
    // below short for any finite value.
    if (!(std::fabs(advance) < 3600.0))
        advance = std::fmod(advance, 360.0);
    while (advance <= kAdvanceFloor[constituent])
        advance += 360.0;
    return advance;
}

bool CTidePredictor::MakeDayTerms(const CTidalPort& port, int day, int month, DayTerms& terms) const
{
    const INT_PTR count = m_Factors.GetSize();
    if (day < 1 || day > count)
        return false;
    const TidalFactorDef& today = m_Factors.GetData()[day - 1];
    const bool haveTomorrow = day < count;
    const int m = std::clamp(month, 1, 12) - 1;
    for (int k = 0; k < CONSTITUENT_COUNT; ++k)
    {
        const double a = today.Constituent[k].dArgument;
        const double f = today.Constituent[k].dFactor;
        // Without tomorrow's record (the last day of a file that lacks the extra day) the
        // argument runs on at the constituent's mean rate and the factor stays.
        const double aNext = haveTomorrow ? m_Factors.GetData()[day].Constituent[k].dArgument
                                          : a - kMeanDailyAdvance[k];
        const double fNext = haveTomorrow ? m_Factors.GetData()[day].Constituent[k].dFactor : f;
        if (f == 0.0 || fNext == 0.0)
            return false;
        double g = port.m_dConstants[kPhaseConstant[k]];
        double h = port.m_dConstants[kAmplitudeConstant[k]];
        if (k == CONSTITUENT_M2 || k == CONSTITUENT_S2)
        {
            const TideMonthTable& phases = port.m_Monthly[k == CONSTITUENT_M2 ? MONTHLY_M2_G : MONTHLY_S2_G];
            const TideMonthTable& amplitudes = port.m_Monthly[k == CONSTITUENT_M2 ? MONTHLY_M2_H : MONTHLY_S2_H];
            if (phases.bPresent)
                g = phases.dValue[m];
            if (amplitudes.bPresent)
                h = amplitudes.dValue[m];
        }
        double theta = g + a;
        if (theta >= 360.0)
            theta -= 360.0;
        terms.dTheta[k] = theta;
        terms.dAdvance[k] = DailyAdvance(k, a, aNext);
        terms.dFactor[k] = f;
        terms.dFactorStep[k] = fNext - f;
        terms.dAmplitude[k] = h;
    }
    const double f4 = port.m_dConstants[CONSTANT_F4] * kRadPerDegree;
    const double f6 = port.m_dConstants[CONSTANT_F6] * kRadPerDegree;
    terms.dF4Factor = port.m_dConstants[CONSTANT_F4_FACTOR];
    terms.dF4Cos = std::cos(f4);
    terms.dF4Sin = std::sin(f4);
    terms.dF6Factor = port.m_dConstants[CONSTANT_F6_FACTOR];
    terms.dF6Cos = std::cos(f6);
    terms.dF6Sin = std::sin(f6);
    terms.dSeasonal = port.m_Seasonal.bPresent ? port.m_Seasonal.dValue[m] : 0.0;
    return true;
}

double CTidePredictor::HarmonicHeight(const DayTerms& terms, double hour)
{
    double cosine[CONSTITUENT_COUNT];
    double sine[2];
    double range[CONSTITUENT_COUNT];
    for (int k = 0; k < CONSTITUENT_COUNT; ++k)
    {
        double theta = terms.dTheta[k] - terms.dAdvance[k] * hour / 24.0;
        if (theta < 0.0)
            theta += 360.0;
        theta *= kRadPerDegree;
        cosine[k] = std::cos(theta);
        if (k < 2)
            sine[k] = std::sin(theta);
        range[k] = (terms.dFactorStep[k] * hour / 24.0 + terms.dFactor[k]) * terms.dAmplitude[k];
    }
    const double x = range[CONSTITUENT_M2] * sine[0] + range[CONSTITUENT_S2] * sine[1];
    const double y = range[CONSTITUENT_M2] * cosine[CONSTITUENT_M2] + range[CONSTITUENT_S2] * cosine[CONSTITUENT_S2];
    double height = range[CONSTITUENT_K1] * cosine[CONSTITUENT_K1] + range[CONSTITUENT_O1] * cosine[CONSTITUENT_O1] + y;
    // With R = hypot(X, Y) and phi = atan2(X, Y), R^n cos(n phi + F) is the real part of
    // (Y + iX)^n e^(iF): powers of one complex number, which stay exact where X or Y is 0.
    if (terms.dF4Factor != 0.0 || terms.dF6Factor != 0.0)
    {
        const double re2 = y * y - x * x;
        const double im2 = 2.0 * x * y;
        height += terms.dF4Factor * (re2 * terms.dF4Cos - im2 * terms.dF4Sin);
        const double re3 = re2 * y - im2 * x;
        const double im3 = re2 * x + im2 * y;
        height += terms.dF6Factor * (re3 * terms.dF6Cos - im3 * terms.dF6Sin);
    }
    return height + terms.dSeasonal;
}

void CTidePredictor::TableVIDay(const CTidalPort& port, int year, int day, int* tableDay, int* tableYear)
{
    // A stored offset of any size moves the day at most a few years.
    int64_t n = static_cast<int64_t>(day) - std::clamp(port.m_TableVI.nDayOffset, -3000, 3000);
    int y = year;
    if (n < 1)
    {
        --y;
        n += DaysInGregorianYear(y);
    }
    *tableDay = static_cast<int>(n);
    *tableYear = y;
}

int CTidePredictor::SpringDays(int64_t instant, int64_t* spring) const
{
    int64_t even = kNoInstant;
    int64_t odd = 0;
    int days = 0;
    if (instant != kNoInstant &&
        FindMoonInterval(m_PhaseInstants.GetData(), static_cast<int>(m_PhaseInstants.GetSize()), m_bPhasesSorted,
                         instant, &even, &odd))
    {
        const int64_t apart = instant >= even ? instant - even : even - instant;
        days = static_cast<int>(std::min<int64_t>(apart / 86400, 7));
    }
    else
        even = kNoInstant;
    if (spring)
        *spring = even;
    return days;
}

double CTidePredictor::Predict(const CTidalPort& port, int year, int day, int month, double hour) const
{
    DayTerms terms;
    if (!MakeDayTerms(port, day, month, terms))
        return 0.0;
    double correction = port.m_dConstants[CONSTANT_TABLE_VI_DEFAULT];
    if (port.m_TableVI.bPresent)
    {
        int tableDay = 0;
        int tableYear = 0;
        TableVIDay(port, year, day, &tableDay, &tableYear);
        const int seconds = static_cast<int>(std::lround(hour * 3600.0));
        correction = port.m_TableVI.dValue[1 + SpringDays(TideTimeOfDay(tableDay, tableYear, seconds), nullptr)];
    }
    return HarmonicHeight(terms, hour) + correction;
}

void CTidePredictor::ComputeCurve(CTidalPort& port, int year, int64_t start, int64_t end) const
{
    constexpr int kStep = 60;
    const int64_t samples = std::max<int64_t>(0, (end - start) / kStep);
    port.m_Curve.SetSize(static_cast<INT_PTR>(samples));
    TideDataDef* out = port.m_Curve.GetData();
    DayTerms terms;
    bool dayPredicts = false;
    int tableDay = 0;
    int tableYear = 0;
    // The local clock runs steadily through a day, or an hour, unless it is changed, which the
    // next day's, or hour's, start shows; and the whole days to the nearest spring phase change
    // at most once within an hour, which its first and last minute show. So a steady day takes
    // one calendar conversion and a steady hour one correction; the rest is worked out minute
    // by minute, with the same results.
    int64_t dayStart = kNoInstant;
    int64_t nextDayStart = kNoInstant;
    int nextDay = 0;
    int nextYear = 0;
    bool dayIsSteady = false;
    int64_t hourStart = kNoInstant;
    bool clockIsSteady = false;
    bool springIsSteady = false;
    double hourCorrection = 0.0;
    for (int64_t i = 0; i < samples; ++i)
    {
        const int64_t s = i * kStep;
        const int dayIndex = static_cast<int>(s / 86400);
        const int secondOfDay = static_cast<int>(s - static_cast<int64_t>(dayIndex) * 86400);
        const int day = dayIndex + 1;
        if (secondOfDay == 0)
        {
            int month = 0;
            MonthDayOfYear(year, day, &month, nullptr);
            dayPredicts = MakeDayTerms(port, day, month, terms);
            if (port.m_TableVI.bPresent)
            {
                TableVIDay(port, year, day, &tableDay, &tableYear);
                // Each day's start is the day before's end.
                dayStart = (tableDay == nextDay && tableYear == nextYear) ? nextDayStart
                                                                           : TideTimeOfDay(tableDay, tableYear, 0);
                nextDay = tableDay + 1;
                nextYear = tableYear;
                if (nextDay > DaysInGregorianYear(nextYear))
                {
                    nextDay = 1;
                    ++nextYear;
                }
                nextDayStart = TideTimeOfDay(nextDay, nextYear, 0);
                dayIsSteady = dayStart != kNoInstant && nextDayStart == dayStart + 86400;
            }
        }
        const double hour = secondOfDay / 3600.0;
        double height = 0.0;
        if (dayPredicts)
        {
            double correction = port.m_dConstants[CONSTANT_TABLE_VI_DEFAULT];
            if (port.m_TableVI.bPresent)
            {
                if (secondOfDay % 3600 == 0)
                {
                    hourStart = dayStart + secondOfDay;
                    clockIsSteady = dayIsSteady;
                    if (!dayIsSteady)
                    {
                        const int next = secondOfDay + 3600;
                        hourStart = TideTimeOfDay(tableDay, tableYear, secondOfDay);
                        clockIsSteady = hourStart != kNoInstant &&
                                        TideTimeOfDay(tableDay + next / 86400, tableYear, next % 86400) == hourStart + 3600;
                    }
                    int64_t firstSpring = 0;
                    int64_t lastSpring = 0;
                    const int firstDays = SpringDays(hourStart, &firstSpring);
                    const int lastDays = SpringDays(hourStart + 3600 - kStep, &lastSpring);
                    springIsSteady = clockIsSteady && firstDays == lastDays && firstSpring == lastSpring;
                    hourCorrection = port.m_TableVI.dValue[1 + firstDays];
                }
                if (springIsSteady)
                    correction = hourCorrection;
                else
                {
                    const int64_t instant = clockIsSteady ? hourStart + secondOfDay % 3600
                                                          : TideTimeOfDay(tableDay, tableYear, secondOfDay);
                    correction = port.m_TableVI.dValue[1 + SpringDays(instant, nullptr)];
                }
            }
            height = HarmonicHeight(terms, hour) + correction;
        }
        out[i].dTime = static_cast<double>(start + s);
        out[i].dHeight = height;
    }
}

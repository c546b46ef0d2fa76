// CTidePredictor: heights of tide at a port by the simplified harmonic method over four
// constituents (M2, S2, K1, O1), with the shallow-water, seasonal and spring-neap (Table VI)
// corrections; after the Admiralty's simplified harmonic method of tidal prediction.
//
// Times are the hour of a day of the year, in the time of the daily arguments of the "TAF"
// file. Heights are metres above the port's datum.
#pragma once

#include "marevo/TidalPort.h"
#include "marevo/TideRecords.h"
#include "platform/core/Array.h"

#include <cstdint>

class CTidePredictor
{
public:
    // The data set's daily factors and moon-phase instants; both stay the caller's and must
    // not change while this object is used.
    CTidePredictor(const CArray<TidalFactorDef>& factors, const CArray<int64_t>& phaseInstants);

    // Mean daily advance of each constituent's argument (degrees a day): 24 x its speed.
    static const double kMeanDailyAdvance[CONSTITUENT_COUNT];

    // The daily advance of a constituent's argument from today's A to tomorrow's (degrees):
    // A - A', raised by 360 until it exceeds 600 for M2 and S2, 300 for K1 and O1.
    static double DailyAdvance(int constituent, double today, double tomorrow);

    // The height at `hour` (0 <= hour < 24) of day `day` (1-based) and month `month` (1..12) of
    // `year`. 0 without the day's factors or when a factor of the day is 0.
    double Predict(const CTidalPort& port, int year, int day, int month, double hour) const;

    // Fills the port's curve with one sample a minute from `start` up to, not including, `end`
    // (seconds on the data set's count, at 00:00 of 1 January of `year` and of the next year).
    void ComputeCurve(CTidalPort& port, int year, int64_t start, int64_t end) const;

private:
    struct DayTerms;
    // Terms of a day that do not change within it; false when the day predicts 0.
    bool MakeDayTerms(const CTidalPort& port, int day, int month, DayTerms& terms) const;
    // The four-constituent height with shallow-water terms, before Table VI and seasonal terms.
    static double HarmonicHeight(const DayTerms& terms, double hour);
    // Whole days (0..7) between a local instant (seconds since 1970) and the spring phase (the
    // even-position instant) of the moon interval that holds it, 0 outside every interval;
    // *spring is that phase, kNoInstant without one.
    int SpringDays(int64_t instant, int64_t* spring) const;
    // Day and year of the Table VI instant of `day` of `year`.
    static void TableVIDay(const CTidalPort& port, int year, int day, int* tableDay, int* tableYear);

    const CArray<TidalFactorDef>& m_Factors;
    const CArray<int64_t>& m_PhaseInstants;
    bool m_bPhasesSorted;
};

// Running statistics: count, mean, standard deviation, sum, minimum and maximum of a stream of
// values, updated one value at a time (grid-on-grid fits, residual summaries).
#pragma once

struct RunningStatisticsDef
{
    int Started;              // 0 until the first value; a record with Started 0 is reset by the next value
    int Count;                // values taken
    double Mean;              // Sum / Count
    double StandardDeviation; // sample standard deviation (n - 1); 0 until two values
    double Sum;
    double SumOfSquares;
    double Minimum;
    double Maximum;
};

// Adds `value` (any real) to the record. A record not started, or with a count of 0, is reset
// first (sum 0, minimum = maximum = value). From the second value on the standard deviation is
// sqrt((sum of squares - count * mean^2) / (count - 1)), taken as 0 where rounding makes the
// quantity under the root negative (nearly equal values).
void UpdateRunningStatistics(double value, RunningStatisticsDef& record);

#include "acoustic/engine/RunningStatistics.h"

#include <cmath>

void UpdateRunningStatistics(double value, RunningStatisticsDef& record)
{
    if (!record.Started || record.Count == 0)
    {
        record.Count = 0;
        record.Mean = 0.0;
        record.StandardDeviation = 0.0;
        record.Sum = 0.0;
        record.SumOfSquares = 0.0;
        record.Minimum = value;
        record.Maximum = value;
        record.Started = 1;
    }
    record.Count += 1;
    record.Sum += value;
    record.SumOfSquares += value * value;
    const double n = record.Count;
    record.Mean = record.Sum / n;
    if (record.Count > 1)
    {
        const double variance = (record.SumOfSquares - n * record.Mean * record.Mean) / (n - 1.0);
        record.StandardDeviation = variance > 0.0 ? std::sqrt(variance) : 0.0;
    }
    if (value < record.Minimum)
        record.Minimum = value;
    if (value > record.Maximum)
        record.Maximum = value;
}

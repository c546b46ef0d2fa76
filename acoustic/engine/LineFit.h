// CLineFit: the least-squares straight line y = slope x + intercept through points added one
// at a time (USBL scale factor, grid-on-grid line fits).
#pragma once

class CLineFit
{
public:
    CLineFit() = default;

    // Takes one point (any units; x and y each in their own).
    void Add(double x, double y);
    // Points taken since the last solve.
    int GetCount() const { return m_Count; }

    // Fits the points: LSQ_EMPTY when none were added; otherwise the status of the 2 x 2 square
    // solve (LSQ_SINGULAR when every x is the same, slope and intercept then untouched).
    // `correlation` (may be null) receives Pearson's r of the points, 0 when x or y does not
    // vary. The points are forgotten after every solve.
    int Solve(double* slope, double* intercept, double* correlation = nullptr);

private:
    int m_Count = 0;
    double m_SumXX = 0.0;
    double m_SumX = 0.0;
    double m_SumXY = 0.0;
    double m_SumY = 0.0;
    double m_SumYY = 0.0;
};

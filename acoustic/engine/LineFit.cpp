#include "acoustic/engine/LineFit.h"

#include "acoustic/engine/LeastSquares.h"

#include <cmath>

void CLineFit::Add(double x, double y)
{
    m_SumXX += x * x;
    m_SumX += x;
    m_Count += 1;
    m_SumXY += x * y;
    m_SumY += y;
    m_SumYY += y * y;
}

int CLineFit::Solve(double* slope, double* intercept, double* correlation)
{
    if (m_Count == 0)
        return LSQ_EMPTY;
    const double n = m_Count;
    const double normal[4] = {m_SumXX, m_SumX, m_SumX, n};
    const double rhs[2] = {m_SumXY, m_SumY};
    double solution[2] = {0.0, 0.0};
    const int status = SolveSquare(2, normal, rhs, nullptr, solution);
    if (status == LSQ_OK)
    {
        if (slope)
            *slope = solution[0];
        if (intercept)
            *intercept = solution[1];
    }
    if (correlation)
    {
        const double spread = (m_SumYY - m_SumY * m_SumY / n) * (m_SumXX - m_SumX * m_SumX / n);
        // No spread in x or y leaves r undefined: 0 says "no correlation" without a NaN.
        *correlation = spread > 0.0 ? (m_SumXY - m_SumX * m_SumY / n) / std::sqrt(spread) : 0.0;
    }
    *this = CLineFit();
    return status;
}

#include "acoustic/engine/PositionSolve.h"

#include "acoustic/engine/LeastSquares.h"

#include <cmath>
#include <utility>

CPositionSolve::CPositionSolve(int flags)
{
    m_Unknowns = 2;
    m_DepthColumn = -1;
    m_OrientationColumn = -1;
    if (flags & POSITION_SOLVE_DEPTH)
        m_DepthColumn = m_Unknowns++;
    if (flags & POSITION_SOLVE_ORIENTATION)
        m_OrientationColumn = m_Unknowns++;
    Clear();
}

void CPositionSolve::Clear()
{
    for (double& v : m_Normal)
        v = 0.0;
    for (int k = 0; k < kMax; ++k)
    {
        m_Rhs[k] = 0.0;
        m_Solution[k] = 0.0;
    }
}

void CPositionSolve::AddRange(double e1, double n1, double z1, double e2, double n2, double z2, double range)
{
    const double dE = e1 - e2, dN = n1 - n2, dZ = z1 - z2;
    const double d2 = dE * dE + dN * dN + dZ * dZ;
    if (d2 == 0.0)
        return;
    const double d = std::sqrt(d2);
    const double l = d - range;
    double* N = m_Normal;
    N[0 * kMax + 0] += dE * dE / d2;
    N[0 * kMax + 1] += dE * dN / d2;
    N[1 * kMax + 1] += dN * dN / d2;
    m_Rhs[0] += l * dE / d;
    m_Rhs[1] += l * dN / d;
    if (m_DepthColumn >= 0)
    {
        const int k = m_DepthColumn;
        N[0 * kMax + k] += dZ * dE / d2;
        N[1 * kMax + k] += dZ * dN / d2;
        N[k * kMax + k] += dZ * dZ / d2;
        m_Rhs[k] += l * dZ / d;
    }
}

void CPositionSolve::AddBearing(double e1, double n1, double z1, double e2, double n2, double z2,
                                double bearing, double offset)
{
    (void)z1;
    (void)z2;
    const double dE = e1 - e2, dN = n1 - n2;
    // A bearing is a horizontal angle: its change with the position goes with the horizontal
    // distance. The slant distance would shrink the row by (h/d)^2 and, under a deep point,
    // make each pass overshoot by the inverse of that.
    const double h2 = dE * dE + dN * dN;
    if (h2 == 0.0)
        return;
    double az = std::atan2(dE, dN);
    if (az < 0.0)
        az += 2.0 * M_PI;
    double w = az - bearing;
    if (w > M_PI)
        w -= 2.0 * M_PI;
    else if (w < -M_PI)
        w += 2.0 * M_PI;
    w -= offset;
    const double h4 = h2 * h2;
    double* N = m_Normal;
    N[0 * kMax + 0] += dN * dN / h4;
    N[0 * kMax + 1] -= dE * dN / h4;
    N[1 * kMax + 1] += dE * dE / h4;
    m_Rhs[0] += w * dN / h2;
    m_Rhs[1] -= w * dE / h2;
    if (m_OrientationColumn >= 0)
    {
        const int k = m_OrientationColumn;
        N[0 * kMax + k] += dN / h2;
        N[1 * kMax + k] -= dE / h2;
        N[k * kMax + k] += 1.0;
        m_Rhs[k] += w;
    }
}

int CPositionSolve::Solve()
{
    for (int r = 1; r < m_Unknowns; ++r)
        for (int c = 0; c < r; ++c)
            m_Normal[r * kMax + c] = m_Normal[c * kMax + r];
    double packed[kMax * kMax];
    for (int r = 0; r < m_Unknowns; ++r)
        for (int c = 0; c < m_Unknowns; ++c)
            packed[r * m_Unknowns + c] = m_Normal[r * kMax + c];
    double solution[kMax] = {0.0, 0.0, 0.0, 0.0};
    const int status = SolveSquare(m_Unknowns, packed, m_Rhs, nullptr, solution);
    for (int k = 0; k < kMax; ++k)
        m_Solution[k] = status == LSQ_OK ? solution[k] : 0.0;
    return status;
}

bool CPositionSolve::IsDegenerate() const
{
    // Determinant by elimination with partial pivoting on a copy; the diagonal product of a
    // positive semi-definite matrix bounds it (Hadamard), so the ratio lies in [0, 1].
    double a[kMax * kMax];
    const int n = m_Unknowns;
    double diagonal = 1.0;
    for (int r = 0; r < n; ++r)
    {
        for (int c = 0; c < n; ++c)
            a[r * n + c] = m_Normal[(r <= c ? r : c) * kMax + (r <= c ? c : r)];
        if (!(a[r * n + r] > 0.0))
            return true;
        diagonal *= a[r * n + r];
    }
    double determinant = 1.0;
    for (int k = 0; k < n; ++k)
    {
        int pivot = k;
        for (int r = k + 1; r < n; ++r)
            if (std::fabs(a[r * n + k]) > std::fabs(a[pivot * n + k]))
                pivot = r;
        if (a[pivot * n + k] == 0.0)
            return true;
        if (pivot != k)
        {
            for (int c = 0; c < n; ++c)
                std::swap(a[k * n + c], a[pivot * n + c]);
            determinant = -determinant;
        }
        determinant *= a[k * n + k];
        for (int r = k + 1; r < n; ++r)
        {
            const double f = a[r * n + k] / a[k * n + k];
            for (int c = k; c < n; ++c)
                a[r * n + c] -= f * a[k * n + c];
        }
    }
    return !(determinant / diagonal >= 1e-10);
}

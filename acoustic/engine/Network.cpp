#include "acoustic/engine/Network.h"

#include "acoustic/engine/LeastSquares.h"
#include "acoustic/engine/NumberHelpers.h"
#include "foundation/Geometry.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <new>
#include <vector>

namespace
{
const int kMaxPasses = 21;
// Corrections below this (metres) end the iteration.
const double kConverged = 0.0001;
// A Cholesky pivot at or below this fraction of its diagonal element is rounding noise: the
// normal matrix is singular (a datum defect or an unobserved station), not merely weak.
const double kSingularPivot = 1e-10;
const double kDegToRad = M_PI / 180.0;
const double kArcSecToRad = M_PI / 180.0 / 3600.0;

enum ROW_KIND
{
    ROW_RANGE,
    ROW_BEARING,
    ROW_POSITION
};

// One row of the design matrix. A range or bearing row touches at most the two plan
// coordinates of two stations, a position row one coordinate: the matrix is kept by rows of
// at most four non-zeros, never as a dense rows x columns block.
struct Row
{
    int kind;
    int from; // observing station (the station of a position row)
    int to;
    int count;
    int column[4];
    double value[4];
    double misclosure;
    double standardError;

    void Add(int col, double v)
    {
        column[count] = col;
        value[count] = v;
        ++count;
    }
};

double Wrap360(double degrees)
{
    double d = std::fmod(degrees, 360.0);
    if (d < 0.0)
        d += 360.0;
    return d;
}

// Cholesky factor of the symmetric n x n matrix `a` (row-major, lower triangle used) into the
// lower triangle of `l`. False when a pivot is not clearly positive.
bool Cholesky(int n, const std::vector<double>& a, std::vector<double>& l)
{
    for (int j = 0; j < n; ++j)
    {
        const double* lj = &l[size_t(j) * n];
        for (int i = j; i < n; ++i)
        {
            double* li = &l[size_t(i) * n];
            double sum = a[size_t(i) * n + j];
            for (int k = 0; k < j; ++k)
                sum -= li[k] * lj[k];
            if (i == j)
            {
                const double diagonal = a[size_t(j) * n + j];
                if (!(diagonal > 0.0) || !(sum > kSingularPivot * diagonal))
                    return false;
                li[j] = std::sqrt(sum);
            }
            else
            {
                li[j] = sum / lj[j];
            }
        }
    }
    return true;
}

// x from L L' x = u.
void CholeskySolve(int n, const std::vector<double>& l, const std::vector<double>& u, std::vector<double>& x)
{
    for (int i = 0; i < n; ++i)
    {
        double sum = u[i];
        const double* li = &l[size_t(i) * n];
        for (int k = 0; k < i; ++k)
            sum -= li[k] * x[k];
        x[i] = sum / li[i];
    }
    for (int i = n - 1; i >= 0; --i)
    {
        double sum = x[i];
        for (int k = i + 1; k < n; ++k)
            sum -= l[size_t(k) * n + i] * x[k];
        x[i] = sum / l[size_t(i) * n + i];
    }
}

// Columns of L^-1, each stored as a row of `w`, so that an element of the inverse of the
// normal matrix, Q(a, b) = sum over k of L^-1(k, a) L^-1(k, b), is a contiguous dot product.
void InvertFactor(int n, const std::vector<double>& l, std::vector<double>& w)
{
    for (int c = 0; c < n; ++c)
    {
        double* wc = &w[size_t(c) * n];
        for (int i = 0; i < c; ++i)
            wc[i] = 0.0;
        for (int i = c; i < n; ++i)
        {
            const double* li = &l[size_t(i) * n];
            double sum = i == c ? 1.0 : 0.0;
            for (int k = c; k < i; ++k)
                sum -= li[k] * wc[k];
            wc[i] = sum / li[i];
        }
    }
}

double InverseElement(int n, const std::vector<double>& w, int a, int b)
{
    const double* wa = &w[size_t(a) * n];
    const double* wb = &w[size_t(b) * n];
    double sum = 0.0;
    for (int k = a > b ? a : b; k < n; ++k)
        sum += wa[k] * wb[k];
    return sum;
}
} // namespace

// ---------------------------------------------------------------------------------------
// Model
// ---------------------------------------------------------------------------------------

void CNetwork::GetCentre(double& easting, double& northing) const
{
    bool any = false;
    double minE = 0.0, maxE = 0.0, minN = 0.0, maxN = 0.0;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        const CNetworkStation& s = GetAt(i);
        if (!s.IsInUse() || s.m_GivenE == 0.0 || s.m_GivenN == 0.0)
            continue;
        if (!any)
        {
            minE = maxE = s.m_GivenE;
            minN = maxN = s.m_GivenN;
            any = true;
            continue;
        }
        minE = std::min(minE, s.m_GivenE);
        maxE = std::max(maxE, s.m_GivenE);
        minN = std::min(minN, s.m_GivenN);
        maxN = std::max(maxN, s.m_GivenN);
    }
    easting = any ? (minE + maxE) / 2.0 : 0.0;
    northing = any ? (minN + maxN) / 2.0 : 0.0;
}

INT_PTR CNetwork::AddStation(const CNetworkStation& station)
{
    CNetworkStation copy;
    copy.Copy(station);
    const INT_PTR index = Add(copy);
    const INT_PTR count = GetSize();
    for (INT_PTR i = 0; i < count; ++i)
    {
        CNetworkStation& s = ElementAt(i);
        s.SetSize(count);
        for (INT_PTR j = 0; j < count; ++j)
        {
            NetworkObservationDef& o = s.ElementAt(j);
            if (!(o.RangeSE > 0.0))
                o.RangeSE = 1.0;
            if (!(o.BearingSE > 0.0))
                o.BearingSE = 1.0;
        }
    }
    return index;
}

void CNetwork::RemoveStation(INT_PTR index)
{
    if (index < 0 || index >= GetSize())
        AfxThrowInvalidArgException();
    RemoveAt(index);
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        CNetworkStation& s = ElementAt(i);
        if (index < s.GetSize())
            s.RemoveAt(index);
    }
}

bool CNetwork::IsPairUsed(INT_PTR i, INT_PTR j) const
{
    const CNetworkStation& a = GetAt(i);
    const CNetworkStation& b = GetAt(j);
    return a.IsInUse() && b.IsInUse() && !(a.IsFixed() && b.IsFixed());
}

bool CNetwork::UsesRange(const NetworkObservationDef& o)
{
    return o.UseRange == 1 && o.ObservedRange > 0.0 && o.ObservedRange < DBL_MAX && o.RangeSE > 0.0;
}

bool CNetwork::UsesBearing(const NetworkObservationDef& o)
{
    return o.UseBearing == 1 && std::isfinite(o.ObservedBearing) && o.ObservedBearing < DBL_MAX &&
           o.ObservedBearing > -DBL_MAX && o.BearingSE > 0.0;
}

void CNetwork::ComputeObservations()
{
    const INT_PTR count = GetSize();
    for (INT_PTR i = 0; i < count; ++i)
    {
        for (INT_PTR j = i + 1; j < count; ++j)
        {
            CNetworkStation& a = ElementAt(i);
            CNetworkStation& b = ElementAt(j);
            double bearing = 0.0, horizontal = 0.0;
            ComputeRangeBearing(a.m_GivenE, a.m_GivenN, b.m_GivenE, b.m_GivenN, &bearing, &horizontal);
            // Ranges are observed as slant ranges (the adjustment treats them so): the
            // computed range they are compared with is slant too.
            const double dZ = b.m_GivenDepth - a.m_GivenDepth;
            const double slant = std::sqrt(horizontal * horizontal + dZ * dZ);
            double forward = bearing * (180.0 / M_PI);
            if (forward >= 360.0)
                forward -= 360.0;
            double reverse = forward + 180.0;
            if (reverse >= 360.0)
                reverse -= 360.0;
            auto fill = [slant](NetworkObservationDef& o, double computedBearing) {
                o.ComputedRange = slant;
                o.RangeDifference = o.ObservedRange > 0.0 ? o.ObservedRange - slant : 0.0;
                o.ComputedBearing = computedBearing;
                double difference = o.ObservedBearing - computedBearing;
                if (difference > 180.0)
                    difference -= 360.0;
                else if (difference < -180.0)
                    difference += 360.0;
                o.BearingDifference = difference;
            };
            if (j < a.GetSize())
                fill(a.ElementAt(j), forward);
            if (i < b.GetSize())
                fill(b.ElementAt(i), reverse);
        }
    }
}

// ---------------------------------------------------------------------------------------
// Adjustment
// ---------------------------------------------------------------------------------------

bool CNetwork::HasVarianceFactor() const
{
    return m_Solved && m_Redundancy > 0;
}

CString CNetwork::DescribeVarianceFactor() const
{
    CString text;
    if (HasVarianceFactor())
        text.Format("Variance Factor %.3f, Standard Error of Unit Weight %.3f (%d rows, %d unknowns, redundancy %d)",
                    m_VarianceFactor, m_StandardErrorUnitWeight, m_RowCount, 2 * m_AdjustedStationCount,
                    m_Redundancy);
    else if (m_Solved)
        text.Format("No Variance Factor: %d rows for %d unknowns leave no redundancy, so the observations "
                    "cannot check the network",
                    m_RowCount, 2 * m_AdjustedStationCount);
    else
        text = "No Variance Factor: the adjustment was not solved";
    return text;
}

// The a-posteriori variance factor of a least-squares adjustment, v'Wv / (n - u) (Mikhail 1976,
// Observations and Least Squares): the weighted squares of the residuals of every row, given
// positions included, over rows less unknowns. Leaving rows out of the sum, or counting stations
// instead of unknowns, makes it neither the reduced chi-square nor unbiased.
void CNetwork::SetVarianceFactor(double sumWeightedSquares)
{
    m_SumWeightedSquares = sumWeightedSquares;
    m_VarianceFactor = 0.0;
    m_StandardErrorUnitWeight = 0.0;
    if (HasVarianceFactor())
    {
        m_VarianceFactor = sumWeightedSquares / m_Redundancy;
        m_StandardErrorUnitWeight = std::sqrt(m_VarianceFactor);
    }
}

BYTE CNetwork::Adjust()
{
    m_Result = 0;
    m_ObservationCount = 0;
    m_PositionStationCount = 0;
    m_AdjustedStationCount = 0;
    m_RowCount = 0;
    m_Redundancy = 0;
    m_PassCount = 0;
    m_Solved = false;
    m_SumWeightedSquares = 0.0;
    m_VarianceFactor = 0.0;
    m_StandardErrorUnitWeight = 0.0;

    const INT_PTR total = GetSize();
    int m = 0;
    for (INT_PTR i = 0; i < total; ++i)
    {
        CNetworkStation& s = ElementAt(i);
        s.m_AdjustedE = s.m_GivenE;
        s.m_AdjustedN = s.m_GivenN;
        s.m_AdjustedDepth = s.m_GivenDepth;
        s.m_LinkCount = 0;
        s.m_SemiMajor = s.m_SemiMinor = s.m_Orientation = s.m_Orientation90 = 0.0;
        s.m_SumSquaredResiduals = s.m_ScaleFactor = s.m_ResidualRMS = 0.0;
        s.m_ResidualCount = 0;
        // Residuals of an earlier run must not stand beside observations this run leaves out.
        for (INT_PTR j = 0; j < s.GetSize(); ++j)
        {
            s.ElementAt(j).RangeResidual = 0.0;
            s.ElementAt(j).BearingResidual = 0.0;
        }
        if (s.IsInUse())
            m = int(i) + 1;
    }

    // Parameters: the easting and northing corrections of the free stations only. Fixed
    // stations and stations not in use get no columns, so the normal matrix has no empty
    // rows and columns to make it singular.
    std::vector<int> columnOf(size_t(m), -1);
    for (int i = 0; i < m; ++i)
    {
        const CNetworkStation& s = GetAt(i);
        if (!s.IsInUse())
            continue;
        if (s.m_Status == STATION_FREE_WITH_POSITION)
            ++m_PositionStationCount;
        if (!s.IsFixed())
            columnOf[size_t(i)] = 2 * m_AdjustedStationCount++;
    }
    const int n = 2 * m_AdjustedStationCount;

    auto observation = [this](int i, int j) -> const NetworkObservationDef* {
        const CNetworkStation& s = GetAt(i);
        return j < s.GetSize() ? &s.GetAt(j) : nullptr;
    };

    for (int i = 0; i < m; ++i)
    {
        if (!GetAt(i).IsInUse())
            continue;
        for (int j = 0; j < m; ++j)
        {
            if (j == i || !IsPairUsed(i, j))
                continue;
            const NetworkObservationDef* o = observation(i, j);
            if (!o)
                continue;
            m_ObservationCount += UsesRange(*o) ? 1 : 0;
            m_ObservationCount += UsesBearing(*o) ? 1 : 0;
        }
    }
    for (int i = 0; i < m; ++i)
    {
        for (int j = i + 1; j < m; ++j)
        {
            if (!IsPairUsed(i, j))
                continue;
            const NetworkObservationDef* ij = observation(i, j);
            const NetworkObservationDef* ji = observation(j, i);
            const bool range = (ij && UsesRange(*ij)) || (ji && UsesRange(*ji));
            const bool bearing = (ij && UsesBearing(*ij)) || (ji && UsesBearing(*ji));
            const int links = (range ? 1 : 0) + (bearing ? 1 : 0);
            ElementAt(i).m_LinkCount += links;
            ElementAt(j).m_LinkCount += links;
        }
    }

    std::vector<Row> rows;
    std::vector<double> normal, factor, inverse, rhs, x, residuals;
    try
    {
        rows.reserve(size_t(m_ObservationCount) + 2 * size_t(m_PositionStationCount));
        normal.resize(size_t(n) * n);
        factor.resize(size_t(n) * n);
        inverse.resize(size_t(n) * n);
        rhs.resize(size_t(n));
        x.resize(size_t(n));
    }
    catch (const std::bad_alloc&)
    {
        return m_Result = 0;
    }

    bool converged = false;
    bool solved = false;
    bool singular = false;
    while (true)
    {
        rows.clear();
        for (int i = 0; i < m; ++i)
        {
            const CNetworkStation& from = GetAt(i);
            if (!from.IsInUse())
                continue;
            for (int j = 0; j < m; ++j)
            {
                if (j == i || !IsPairUsed(i, j))
                    continue;
                const NetworkObservationDef* o = observation(i, j);
                if (!o)
                    continue;
                const CNetworkStation& to = GetAt(j);
                const double dE = to.m_AdjustedE - from.m_AdjustedE;
                const double dN = to.m_AdjustedN - from.m_AdjustedN;
                const double dZ = to.m_AdjustedDepth - from.m_AdjustedDepth;
                const double h2 = dE * dE + dN * dN;
                const double slant = std::sqrt(h2 + dZ * dZ);
                const int ci = columnOf[size_t(i)], cj = columnOf[size_t(j)];
                // Two stations at one place give a range or bearing no direction: no row.
                if (UsesRange(*o) && slant > 0.0)
                {
                    Row row{ROW_RANGE, i, j, 0, {}, {}, o->ObservedRange - slant, o->RangeSE};
                    const double uE = dE / slant, uN = dN / slant;
                    if (ci >= 0)
                    {
                        row.Add(ci, -uE);
                        row.Add(ci + 1, -uN);
                    }
                    if (cj >= 0)
                    {
                        row.Add(cj, uE);
                        row.Add(cj + 1, uN);
                    }
                    rows.push_back(row);
                }
                if (UsesBearing(*o) && h2 > 0.0)
                {
                    double az = std::atan2(dE, dN);
                    if (az < 0.0)
                        az += 2.0 * M_PI;
                    const double observed = Wrap360(o->ObservedBearing) * kDegToRad;
                    const double misclosure = AngleDifference(observed, az, ANGLE_UNITS_RADIANS);
                    Row row{ROW_BEARING, i, j, 0, {}, {}, misclosure, o->BearingSE * kArcSecToRad};
                    // A bearing is a horizontal angle: its derivatives go with the horizontal
                    // distance, whatever the depths of the two stations.
                    if (ci >= 0)
                    {
                        row.Add(ci, -dN / h2);
                        row.Add(ci + 1, dE / h2);
                    }
                    if (cj >= 0)
                    {
                        row.Add(cj, dN / h2);
                        row.Add(cj + 1, -dE / h2);
                    }
                    rows.push_back(row);
                }
            }
        }
        for (int i = 0; i < m; ++i)
        {
            const CNetworkStation& s = GetAt(i);
            if (s.m_Status != STATION_FREE_WITH_POSITION || !(s.m_PositionSE > 0.0))
                continue;
            const int c = columnOf[size_t(i)];
            Row east{ROW_POSITION, i, i, 0, {}, {}, s.m_GivenE - s.m_AdjustedE, s.m_PositionSE};
            east.Add(c, 1.0);
            rows.push_back(east);
            Row north{ROW_POSITION, i, i, 0, {}, {}, s.m_GivenN - s.m_AdjustedN, s.m_PositionSE};
            north.Add(c + 1, 1.0);
            rows.push_back(north);
        }
        m_RowCount = int(rows.size());
        m_Redundancy = m_RowCount - n;

        ++m_PassCount;
        if (n == 0)
        {
            // Nothing is free to move: the given positions are the result.
            converged = true;
            m_Solved = true;
            break;
        }

        std::fill(normal.begin(), normal.end(), 0.0);
        std::fill(rhs.begin(), rhs.end(), 0.0);
        for (const Row& row : rows)
        {
            const double weight = 1.0 / (row.standardError * row.standardError);
            for (int p = 0; p < row.count; ++p)
            {
                const double wa = weight * row.value[p];
                double* line = &normal[size_t(row.column[p]) * n];
                for (int q = 0; q < row.count; ++q)
                    line[row.column[q]] += wa * row.value[q];
                rhs[size_t(row.column[p])] += wa * row.misclosure;
            }
        }
        if (!Cholesky(n, normal, factor))
        {
            singular = true;
            break;
        }
        CholeskySolve(n, factor, rhs, x);
        InvertFactor(n, factor, inverse);
        solved = true;

        converged = true;
        for (int i = 0; i < m; ++i)
        {
            const int c = columnOf[size_t(i)];
            if (c < 0)
                continue;
            const double xE = x[size_t(c)], xN = x[size_t(c) + 1];
            if (xE == 0.0 && xN == 0.0)
                continue;
            CNetworkStation& s = ElementAt(i);
            s.m_AdjustedE += xE;
            s.m_AdjustedN += xN;
            const double qEE = InverseElement(n, inverse, c, c);
            const double qEN = InverseElement(n, inverse, c, c + 1);
            const double qNN = InverseElement(n, inverse, c + 1, c + 1);
            ComputeErrorEllipse(qEE, qEN, qEN, qNN, &s.m_SemiMajor, &s.m_SemiMinor, &s.m_Orientation,
                                &s.m_Orientation90);
            if (std::sqrt(xE * xE + xN * xN) > kConverged)
                converged = false;
        }
        if (converged || m_PassCount >= kMaxPasses)
            break;
    }

    if (solved && !singular)
    {
        // Residuals of the last solve, row by row: each row names its own observation, so a
        // residual cannot land on an observation other than the one that made the row.
        std::vector<double> weightedSum(size_t(m), 0.0);
        double sum = 0.0;
        for (const Row& row : rows)
        {
            double v = -row.misclosure;
            for (int p = 0; p < row.count; ++p)
                v += row.value[p] * x[size_t(row.column[p])];
            sum += v * v / (row.standardError * row.standardError);
            if (row.kind == ROW_RANGE)
            {
                CNetworkStation& s = ElementAt(row.from);
                s.ElementAt(row.to).RangeResidual = v;
                s.m_SumSquaredResiduals += v * v;
                if (row.standardError > 0.0)
                    weightedSum[size_t(row.from)] += v * v / (row.standardError * row.standardError);
                s.m_ResidualCount += 1;
            }
            else if (row.kind == ROW_BEARING)
            {
                ElementAt(row.from).ElementAt(row.to).BearingResidual = v;
            }
        }
        for (int i = 0; i < m; ++i)
        {
            CNetworkStation& s = ElementAt(i);
            if (s.m_ResidualCount <= 1)
                continue;
            const double dof = s.m_ResidualCount - 1.0;
            s.m_ResidualRMS = std::sqrt(s.m_SumSquaredResiduals / dof);
            s.m_ScaleFactor = std::sqrt(weightedSum[size_t(i)] / dof);
            s.m_SemiMajor *= s.m_ScaleFactor;
            s.m_SemiMinor *= s.m_ScaleFactor;
        }
        // The statistics describe the result: the residuals of the last solve, not the
        // misclosures it started from.
        m_Solved = true;
        SetVarianceFactor(sum);
    }

    m_Result = (converged && !singular && m_PassCount < kMaxPasses - 1) ? 1 : 0;
    return m_Result;
}

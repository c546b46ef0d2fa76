#include "acoustic/engine/GridOnGrid.h"

#include "acoustic/engine/LeastSquares.h"
#include "acoustic/engine/LineFit.h"
#include "foundation/ConfigFile.h"

#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <vector>

namespace
{
const char* const kGridOnGridSettingsName = "Grid On Grid";
const double kDegreesPerRadian = 57.2957795131;
const double kTwoPi = 6.28318530717958647692;
// A normal matrix whose determinant is this small against the product of its diagonal is
// taken as singular: the points do not fix the model, and a solution from it would be noise.
const double kSingularRatio = 1e-12;

struct Centroid
{
    double x = 0, y = 0, e = 0, n = 0;
};

Centroid CentroidOf(const std::vector<GridOnGridDef>& pairs)
{
    Centroid c;
    for (const GridOnGridDef& p : pairs)
    {
        c.x += p.EastingA;
        c.y += p.NorthingA;
        c.e += p.EastingB;
        c.n += p.NorthingB;
    }
    const double count = static_cast<double>(pairs.size());
    c.x /= count;
    c.y /= count;
    c.e /= count;
    c.n /= count;
    return c;
}

// The 2 x 2 block (sxx, sxy; sxy, syy) of a normal matrix is too near singular to solve.
bool NearlySingular(double sxx, double sxy, double syy)
{
    return !(sxx > 0.0) || !(syy > 0.0) || (sxx * syy - sxy * sxy) <= kSingularRatio * sxx * syy;
}

double WrapRadians(double r)
{
    r = std::fmod(r, kTwoPi);
    return r < 0.0 ? r + kTwoPi : r;
}

CString Line(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    CString text;
    text.FormatV(format, args);
    va_end(args);
    return text;
}

int ParseSetting(CConfigFile& file, int defaultValue)
{
    CString line, value;
    if (!file.ReadString(line) || !CConfigFile::ValueAfterEquals(line, value))
        return defaultValue;
    value.Trim();
    char* end = nullptr;
    const long v = std::strtol(value, &end, 10);
    return (end == value.GetString() || *end != '\0') ? defaultValue : static_cast<int>(v);
}
// The parameters one solve produces, taken into the object only when the solve succeeds.
struct Solution
{
    double dE = 0, dN = 0, R = 0, SinR = 0, CosR = 0, SF1 = 1, SF2 = 1, A = 0, B = 0, C = 0, D = 0;
    RunningStatisticsDef StatsE{}, StatsN{};

    // Rotation and scale of E = q X + p Y, N = -p X + q Y. The scale is the length of (p, q),
    // which is p / sin R wherever sin R is not 0 and stays right at 0 and 180 degrees.
    void FromRotation(double p, double q)
    {
        const double r = WrapRadians(std::atan2(p, q));
        SinR = std::sin(r);
        CosR = std::cos(r);
        SF1 = SF2 = std::hypot(p, q);
        A = D = q;
        B = p;
        C = -p;
        R = r * kDegreesPerRadian;
    }
    // Rotation and axis scales of a general matrix (A, B; C, D): R = atan2(B, A), and each
    // scale the length of its row, which is A / cos R (C / cos atan2(D, C)) wherever the
    // cosine is not 0.
    void FromMatrix()
    {
        const double r = WrapRadians(std::atan2(B, A));
        SinR = std::sin(r);
        CosR = std::cos(r);
        SF1 = std::hypot(A, B);
        SF2 = std::hypot(C, D);
        R = r * kDegreesPerRadian;
    }
};

void Take(CGridOnGrid& g, const Solution& s)
{
    g.m_dE = s.dE;
    g.m_dN = s.dN;
    g.m_R = s.R;
    g.m_SinR = s.SinR;
    g.m_CosR = s.CosR;
    g.m_SF1 = s.SF1;
    g.m_SF2 = s.SF2;
    g.m_A = s.A;
    g.m_B = s.B;
    g.m_C = s.C;
    g.m_D = s.D;
    g.m_StatsE = s.StatsE;
    g.m_StatsN = s.StatsN;
}
} // namespace

CGridOnGrid::CGridOnGrid()
{
    LoadSettings();
    Take(*this, Solution());
}

void CGridOnGrid::LoadSettings()
{
    m_ScaleMode = GRID_SCALE_PER_AXIS;
    m_Rotation = 1;
    m_Shift = 1;
    CConfigFile::ReadSettingsFile(kGridOnGridSettingsName, [this](CConfigFile& file) {
        m_ScaleMode = ParseSetting(file, GRID_SCALE_PER_AXIS);
        m_Rotation = static_cast<unsigned char>(ParseSetting(file, 1));
        m_Shift = static_cast<unsigned char>(ParseSetting(file, 1));
    });
}

bool CGridOnGrid::SaveSettings() const
{
    return CConfigFile::WriteSettingsFile(kGridOnGridSettingsName, [this](CConfigFile& file) {
        file.WriteInt("Scale Mode", m_ScaleMode);
        file.WriteInt("Rotation", m_Rotation);
        file.WriteInt("Shift", m_Shift);
    });
}

namespace
{
// Similarity: E = dE + q X + p Y, N = dN - p X + q Y, at least 4 pairs. The normal equations
// are formed about the centroid (the same solution, without the loss of digits that sums of
// squared grid coordinates bring).
bool SolveSimilarity(const std::vector<GridOnGridDef>& pairs, Solution& s)
{
    if (pairs.size() < 4)
        return false;
    const Centroid c = CentroidOf(pairs);
    double spread = 0, size = 0, rhsP = 0, rhsQ = 0;
    for (const GridOnGridDef& p : pairs)
    {
        const double x = p.EastingA - c.x, y = p.NorthingA - c.y, e = p.EastingB - c.e, n = p.NorthingB - c.n;
        spread += x * x + y * y;
        size += p.EastingA * p.EastingA + p.NorthingA * p.NorthingA;
        rhsP += e * y - n * x;
        rhsQ += n * y + e * x;
    }
    if (!(spread > kSingularRatio * kSingularRatio * size))
        return false;
    const double count = static_cast<double>(pairs.size());
    const double normal[16] = {count, 0, 0, 0, 0, count, 0, 0, 0, 0, spread, 0, 0, 0, 0, spread};
    const double rhs[4] = {0, 0, rhsP, rhsQ};
    double x[4] = {0, 0, 0, 0};
    if (SolveSquare(4, normal, rhs, nullptr, x) != LSQ_OK)
        return false;
    const double p = x[2], q = x[3];
    s.FromRotation(p, q);
    s.dE = c.e + x[0] - q * c.x - p * c.y;
    s.dN = c.n + x[1] + p * c.x - q * c.y;
    return true;
}

// Scaled rotation through the origin: E = q X + p Y, N = -p X + q Y, at least 2 pairs.
bool SolveScaledRotation(const std::vector<GridOnGridDef>& pairs, Solution& s)
{
    if (pairs.size() < 2)
        return false;
    double size = 0, rhsP = 0, rhsQ = 0;
    for (const GridOnGridDef& p : pairs)
    {
        size += p.EastingA * p.EastingA + p.NorthingA * p.NorthingA;
        rhsP += p.EastingB * p.NorthingA - p.NorthingB * p.EastingA;
        rhsQ += p.NorthingB * p.NorthingA + p.EastingB * p.EastingA;
    }
    const double normal[4] = {size, 0, 0, size};
    const double rhs[2] = {rhsP, rhsQ};
    double x[2] = {0, 0};
    if (!(size > 0.0) || SolveSquare(2, normal, rhs, nullptr, x) != LSQ_OK)
        return false;
    s.FromRotation(x[0], x[1]);
    s.dE = s.dN = 0.0;
    return true;
}

// Ratio scale: E / X and N / Y (both to the easting record with one scale factor). A
// coordinate of 0 in system A has no ratio and adds nothing.
bool SolveRatio(const std::vector<GridOnGridDef>& pairs, bool single, Solution& s)
{
    s.StatsE = RunningStatisticsDef{};
    s.StatsN = RunningStatisticsDef{};
    for (const GridOnGridDef& p : pairs)
    {
        if (p.EastingA != 0.0)
            UpdateRunningStatistics(p.EastingB / p.EastingA, s.StatsE);
        if (p.NorthingA != 0.0)
            UpdateRunningStatistics(p.NorthingB / p.NorthingA, single ? s.StatsE : s.StatsN);
    }
    if (s.StatsE.Count == 0 || (!single && s.StatsN.Count == 0))
        return false;
    s.SF1 = s.StatsE.Mean;
    s.SF2 = single ? s.SF1 : s.StatsN.Mean;
    s.A = s.SF1;
    s.D = s.SF2;
    s.B = s.C = 0.0;
    s.dE = s.dN = s.R = s.SinR = s.CosR = 0.0;
    return true;
}

// One axis's line fit (b on a) about the centroid; false when every a is the same.
bool FitAxis(const std::vector<GridOnGridDef>& pairs, bool easting, double* slope, double* intercept,
             double* correlation)
{
    double meanA = 0, meanB = 0, first = easting ? pairs[0].EastingA : pairs[0].NorthingA;
    bool varies = false;
    for (const GridOnGridDef& p : pairs)
    {
        const double a = easting ? p.EastingA : p.NorthingA;
        varies = varies || a != first;
        meanA += a;
        meanB += easting ? p.EastingB : p.NorthingB;
    }
    if (!varies)
        return false;
    meanA /= static_cast<double>(pairs.size());
    meanB /= static_cast<double>(pairs.size());
    CLineFit fit;
    for (const GridOnGridDef& p : pairs)
        fit.Add((easting ? p.EastingA : p.NorthingA) - meanA, (easting ? p.EastingB : p.NorthingB) - meanB);
    double centredIntercept = 0;
    if (fit.Solve(slope, &centredIntercept, correlation) != LSQ_OK || !std::isfinite(*slope) ||
        !std::isfinite(*correlation))
        return false;
    *intercept = meanB + centredIntercept - *slope * meanA;
    return true;
}

// Line fits: E on X and N on Y.
bool SolveLineFits(const std::vector<GridOnGridDef>& pairs, Solution& s)
{
    if (pairs.size() < 2)
        return false;
    double rE = 0, rN = 0;
    if (!FitAxis(pairs, true, &s.SF1, &s.dE, &rE) || !FitAxis(pairs, false, &s.SF2, &s.dN, &rN))
        return false;
    s.StatsE = RunningStatisticsDef{};
    s.StatsN = RunningStatisticsDef{};
    s.StatsE.StandardDeviation = rE;
    s.StatsN.StandardDeviation = rN;
    s.A = s.SF1;
    s.D = s.SF2;
    s.B = s.C = 0.0;
    s.R = s.SinR = s.CosR = 0.0;
    return true;
}

// Linear through the origin: E = A X + B Y, N = C X + D Y, at least 2 pairs.
bool SolveLinear(const std::vector<GridOnGridDef>& pairs, Solution& s)
{
    if (pairs.size() < 2)
        return false;
    double sxx = 0, sxy = 0, syy = 0, sex = 0, sey = 0, snx = 0, sny = 0;
    for (const GridOnGridDef& p : pairs)
    {
        const double x = p.EastingA, y = p.NorthingA;
        sxx += x * x;
        sxy += x * y;
        syy += y * y;
        sex += p.EastingB * x;
        sey += p.EastingB * y;
        snx += p.NorthingB * x;
        sny += p.NorthingB * y;
    }
    if (NearlySingular(sxx, sxy, syy))
        return false;
    const double normal[4] = {sxx, sxy, sxy, syy};
    const double rhsE[2] = {sex, sey}, rhsN[2] = {snx, sny};
    double ab[2] = {0, 0}, cd[2] = {0, 0};
    if (SolveSquare(2, normal, rhsE, nullptr, ab) != LSQ_OK ||
        SolveSquare(2, normal, rhsN, nullptr, cd) != LSQ_OK)
        return false;
    s.A = ab[0];
    s.B = ab[1];
    s.C = cd[0];
    s.D = cd[1];
    s.FromMatrix();
    s.dE = s.dN = 0.0;
    return true;
}

// Affine: E = dE + A X + B Y, N = dN + C X + D Y, at least 3 pairs, about the centroid.
bool SolveAffine(const std::vector<GridOnGridDef>& pairs, Solution& s)
{
    if (pairs.size() < 3)
        return false;
    const Centroid c = CentroidOf(pairs);
    double sxx = 0, sxy = 0, syy = 0, sex = 0, sey = 0, snx = 0, sny = 0;
    for (const GridOnGridDef& p : pairs)
    {
        const double x = p.EastingA - c.x, y = p.NorthingA - c.y, e = p.EastingB - c.e, n = p.NorthingB - c.n;
        sxx += x * x;
        sxy += x * y;
        syy += y * y;
        sex += e * x;
        sey += e * y;
        snx += n * x;
        sny += n * y;
    }
    if (NearlySingular(sxx, sxy, syy))
        return false;
    const double count = static_cast<double>(pairs.size());
    const double normal[9] = {count, 0, 0, 0, sxx, sxy, 0, sxy, syy};
    const double rhsE[3] = {0, sex, sey}, rhsN[3] = {0, snx, sny};
    double e[3] = {0, 0, 0}, n[3] = {0, 0, 0};
    if (SolveSquare(3, normal, rhsE, nullptr, e) != LSQ_OK ||
        SolveSquare(3, normal, rhsN, nullptr, n) != LSQ_OK)
        return false;
    s.A = e[1];
    s.B = e[2];
    s.C = n[1];
    s.D = n[2];
    s.dE = c.e + e[0] - s.A * c.x - s.B * c.y;
    s.dN = c.n + n[0] - s.C * c.x - s.D * c.y;
    s.FromMatrix();
    return true;
}
} // namespace

bool CGridOnGrid::Compute()
{
    if (m_ScaleMode < GRID_SCALE_NONE || m_ScaleMode > GRID_SCALE_PER_AXIS)
        return false;
    std::vector<GridOnGridDef> pairs;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        const GridOnGridDef& p = GetAt(i);
        if (p.EastingA != 0.0 || p.NorthingA != 0.0 || p.EastingB != 0.0 || p.NorthingB != 0.0)
            pairs.push_back(p);
    }
    const bool rotation = m_Rotation != 0;
    const bool shift = m_Shift != 0;
    Solution s;
    bool solved = false;
    switch (m_ScaleMode)
    {
    case GRID_SCALE_NONE:
        if (!rotation && !shift)
        {
            solved = true; // identity: the cleared solution
        }
        else if (!rotation)
        {
            for (const GridOnGridDef& p : pairs)
            {
                UpdateRunningStatistics(p.EastingB - p.EastingA, s.StatsE);
                UpdateRunningStatistics(p.NorthingB - p.NorthingA, s.StatsN);
            }
            solved = !pairs.empty();
            s.dE = s.StatsE.Mean;
            s.dN = s.StatsN.Mean;
            s.A = s.D = 1.0;
        }
        else if ((solved = SolveSimilarity(pairs, s)))
        {
            s.SF1 = s.SF2 = 1.0;
            s.A = s.D = s.CosR;
            s.B = s.SinR;
            s.C = -s.SinR;
            if (!shift)
                s.dE = s.dN = 0.0;
        }
        break;
    case GRID_SCALE_SINGLE:
        if (!rotation && !shift)
            solved = SolveRatio(pairs, true, s);
        else if (rotation && !shift)
            solved = SolveScaledRotation(pairs, s);
        else if (rotation)
            solved = SolveSimilarity(pairs, s);
        else if ((solved = SolveLineFits(pairs, s)))
        {
            s.SF1 = s.SF2 = s.A = s.D = (s.SF1 + s.SF2) / 2.0;
            s.StatsE.StandardDeviation = (s.StatsE.StandardDeviation + s.StatsN.StandardDeviation) / 2.0;
        }
        break;
    default:
        if (!rotation && !shift)
            solved = SolveRatio(pairs, false, s);
        else if (rotation && !shift)
            solved = SolveLinear(pairs, s);
        else if (!rotation)
            solved = SolveLineFits(pairs, s);
        else
            solved = SolveAffine(pairs, s);
        break;
    }
    if (solved)
        Take(*this, s);
    return solved;
}

void CGridOnGrid::GetReport(CStringArray& lines) const
{
    lines.RemoveAll();
    if (m_ScaleMode < GRID_SCALE_NONE || m_ScaleMode > GRID_SCALE_PER_AXIS)
        return;
    const bool rotation = m_Rotation != 0;
    const bool shift = m_Shift != 0;
    auto add = [&lines](const CString& text) { lines.Add(text); };
    auto origin = [&]() {
        add(Line("Origin Easting  %10.2lf", m_dE));
        add(Line("Origin Northing %10.2lf", m_dN));
    };
    auto sinCos = [&]() {
        add(Line("sin(R) = %.8lf", m_SinR));
        add(Line("cos(R) = %.8lf", m_CosR));
    };
    auto matrix = [&]() {
        add(Line("A = %.8lf", m_A));
        add(Line("B = %.8lf", m_B));
        add(Line("C = %.8lf", m_C));
        add(Line("D = %.8lf", m_D));
    };
    if (m_ScaleMode == GRID_SCALE_NONE)
    {
        if (rotation && shift)
        {
            add("Easting   = dE + cos(R) * X + sin(R) * Y");
            add("Northing  = dN - sin(R) * X + cos(R) * Y");
            add("");
            origin();
            add("");
            add(Line("Rotation = %03.5lf", m_R));
            sinCos();
        }
        else if (shift)
        {
            add("Easting   = dE + X");
            add("Northing  = dN + Y");
            add("");
            add(Line("Origin Easting  %10.2lf  S.E. %.3lf", m_dE, m_StatsE.StandardDeviation));
            add(Line("Origin Northing %10.2lf  S.E. %.3lf", m_dN, m_StatsN.StandardDeviation));
        }
        else if (rotation)
        {
            add("Easting   = cos(R) * X + sin(R) * Y");
            add("Northing  = - sin(R) * X + cos(R) * Y");
            add("");
            add(Line("Rotation (R) = %03.5lf", m_R));
            sinCos();
        }
        else
        {
            add("Easting   = X");
            add("Northing  = Y");
            add("");
        }
    }
    else if (m_ScaleMode == GRID_SCALE_SINGLE)
    {
        if (!rotation && !shift)
        {
            add("Easting   = SF * X");
            add("Northing  = SF * Y");
            add("");
            add(Line("Scale Factor %.8lf  S.E. %.8lf", m_SF1, m_StatsE.StandardDeviation));
        }
        else if (rotation && !shift)
        {
            add("Easting   = SF * (cos(R) * X + sin(R) * Y)");
            add("Northing  = SF * (-sin(R) * X + cos(R) * Y)");
            add("");
            add(Line("Scale Factor %.8lf", m_SF1));
            add("");
            add(Line("Rotation = %03.5lf", m_R));
            sinCos();
        }
        else if (rotation)
        {
            add("Easting   = dE + SF * (cos(R) * X + sin(R) * Y)");
            add("Northing  = dN + SF * (-sin(R) * X + cos(R) * Y)");
            add("");
            origin();
            add("");
            add(Line("Scale Factor = %.8lf", m_SF1));
            add("");
            add(Line("Rotation (R) = %03.5lf", m_R));
            sinCos();
        }
        else
        {
            add("Easting   = dE + SF * X");
            add("Northing  = dN + SF * Y");
            add("");
            origin();
            add("");
            add(Line("Scale Factor = %.8lf  S.E. %.8lf", m_SF1, m_StatsE.StandardDeviation));
        }
    }
    else
    {
        if (rotation && shift)
        {
            add("Easting   = dE + A * X + B * Y");
            add("Northing  = dN + C * X + D * Y");
            add("");
            origin();
            add("");
            matrix();
        }
        else if (shift)
        {
            add("Easting   = dE + SF1 * X");
            add("Northing  = dN + SF2 * Y");
            add("");
            origin();
            add("");
            add(Line("SF (Eng) = %.8lf  Confidence %.1lf%c", m_SF1, m_StatsE.StandardDeviation * 100.0, '%'));
            add(Line("SF (Nng) = %.8lf  Confidence %.1lf%c", m_SF2, m_StatsN.StandardDeviation * 100.0, '%'));
        }
        else if (rotation)
        {
            add("Easting   = A * X + B * Y");
            add("Northing  = C * X + D * Y");
            add("");
            matrix();
        }
        else
        {
            add("Easting   = SF1 * X");
            add("Northing  = SF2 * Y");
            add("");
            add(Line("SF (Eng) = %.8lf  S.E. %.8lf", m_SF1, m_StatsE.StandardDeviation));
            add(Line("SF (Nng) = %.8lf  S.E. %.8lf", m_SF2, m_StatsN.StandardDeviation));
        }
    }
}

// CPositionSolve: the normal equations of one Gauss-Newton pass that fixes a point from ranges
// and bearings observed between it and known points (Boxin, USBL calibration, transit fixes).
//
// Each observation joins a known first point (E1, N1, Z1) and the point being solved, the
// second point (E2, N2, Z2), at its current estimate. The unknowns, in order: the corrections
// to E2 and N2 (metres), to Z2 when the depth is solved, and to a bearing orientation offset
// (radians) when that is solved. Coordinates in metres, depth positive down; bearings in
// radians clockwise from grid north. Every observation has unit weight.
#pragma once

enum POSITION_SOLVE_FLAGS
{
    POSITION_SOLVE_DEPTH = 2,      // solve the depth of the second point too
    POSITION_SOLVE_ORIENTATION = 4 // solve a constant offset added to every observed bearing
};

class CPositionSolve
{
public:
    // Flags: POSITION_SOLVE_DEPTH and/or POSITION_SOLVE_ORIENTATION. Starts cleared.
    explicit CPositionSolve(int flags = 0);

    // 2, plus 1 with the depth, plus 1 with the orientation.
    int GetUnknowns() const { return m_Unknowns; }
    // Column of the orientation unknown (3 with the depth, else 2); -1 when not solved.
    int GetOrientationColumn() const { return m_OrientationColumn; }

    // Zeroes the normal equations and the solution for the next pass.
    void Clear();

    // A slant range `range` (metres) from the first point to the second. Ignored when the two
    // points coincide (the range has no direction there).
    void AddRange(double e1, double n1, double z1, double e2, double n2, double z2, double range);
    // The grid bearing `bearing` (radians) from the second point to the first, observed with a
    // fixed `offset` (radians) still to be taken off. Its partial derivatives are those of a
    // horizontal angle: the depths do not enter. Ignored when the points lie on one vertical.
    void AddBearing(double e1, double n1, double z1, double e2, double n2, double z2, double bearing,
                    double offset = 0.0);

    // Mirrors the accumulated upper triangle and solves. LSQ_OK, or LSQ_SINGULAR (solution
    // left at 0) when the observations do not fix the unknowns.
    int Solve();
    // After Solve: true when the observations fix the unknowns only through rounding (the
    // normal matrix's determinant below 1e-10 of the product of its diagonal, a measure that
    // the units of the unknowns do not change), or not at all. Ranges from one place, or
    // ranges and bearings along one line, give such a matrix without an exact zero pivot.
    bool IsDegenerate() const;
    // Correction k (0-based, see above) of the last solve.
    double GetSolution(int k) const { return (k >= 0 && k < m_Unknowns) ? m_Solution[k] : 0.0; }
    // Element (row, column) of the normal matrix; the upper triangle until Solve mirrors it.
    double GetNormal(int row, int column) const { return m_Normal[row * kMax + column]; }
    double GetRightSide(int k) const { return m_Rhs[k]; }

private:
    static const int kMax = 4;

    int m_Unknowns;
    int m_DepthColumn;
    int m_OrientationColumn;
    double m_Normal[kMax * kMax];
    double m_Rhs[kMax];
    double m_Solution[kMax];
};

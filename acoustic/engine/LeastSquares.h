// Dense linear solves and weighted least squares for the calibration computations, with the
// 95 % error ellipse of a solved position.
//
// Matrices are row-major arrays of doubles: n x n for normal matrices, rows x columns for
// design matrices. Nothing throws: every routine returns a status (LSQ_STATUS). Work buffers
// are allocated on entry and freed before the routine returns.
#pragma once

// Status codes of the engine's numeric routines.
enum LSQ_STATUS
{
    LSQ_OK = 0,       // solved
    LSQ_EMPTY = 1,    // nothing to solve (a line fit with no points)
    LSQ_SINGULAR = 2, // a pivot of exactly 0: no solution, outputs untouched
    LSQ_NO_MEMORY = 3 // a work buffer could not be allocated: no solution, outputs untouched
};

// Solves normal * solution = rhs for an n x n matrix (n >= 1).
// For n = 2 the inverse is written in closed form from the determinant; otherwise the matrix
// is inverted by Gauss-Jordan elimination with full pivoting (largest remaining element of
// the rows and columns not yet used). A pivot of exactly 0 gives LSQ_SINGULAR and leaves
// `solution` untouched. `inverse` (n x n, may be null) receives the inverse, which for a normal
// matrix is the cofactor matrix; it may not alias `normal`. `solution` may alias `rhs`.
int SolveSquare(int n, const double* normal, const double* rhs, double* inverse, double* solution);

// Weighted least squares: the corrections x minimising sum of w_i (A_i x - L_i)^2 with
// w_i = 1 / s_i^2 (every weight 1 when `standardErrors` is null).
// design: rows x cols; misclosures: rows; standardErrors: rows (each > 0) or null;
// cofactor: cols x cols, receives (A' W A)^-1 (may be null); solution: cols;
// residuals: rows, receives v = A x - L (may be null).
// Returns the status of the square solve of the normal equations, or LSQ_NO_MEMORY when the
// normal equations cannot be allocated (outputs then untouched).
int WeightedLeastSquares(const double* design, const double* misclosures, const double* standardErrors,
                         double* cofactor, double* solution, double* residuals, int rows, int cols);

// The 95 % error ellipse of a plan position from the 2 x 2 block of its cofactor matrix
// (easting-easting, easting-northing, northing-easting, northing-northing; square metres).
// semiMajor, semiMinor: metres, 2.447 standard deviations along the principal axes (the
// two-dimensional 95 % factor); the minor axis is 0 when rounding makes its variance negative.
// orientation: direction of the major axis, degrees in [0, 180] turning from grid east towards
// grid north (half the atan2 of 2 qEN and qEE - qNN; 0 for a circle); orientation90: that
// plus 90, in [0, 360). Any output may be null.
void ComputeErrorEllipse(double qEE, double qEN, double qNE, double qNN, double* semiMajor, double* semiMinor,
                         double* orientation, double* orientation90);

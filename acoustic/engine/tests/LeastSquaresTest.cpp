#include "acoustic/engine/LeastSquares.h"
#include "acoustic/engine/LineFit.h"
#include "acoustic/engine/PositionSolve.h"
#include "acoustic/engine/RunningStatistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#if defined(SUITE_HAVE_LAPACK)
extern "C"
{
    void dgesv_(const int* n, const int* nrhs, double* a, const int* lda, int* ipiv, double* b,
                const int* ldb, int* info);
    void dgels_(const char* trans, const int* m, const int* n, const int* nrhs, double* a, const int* lda,
                double* b, const int* ldb, double* work, const int* lwork, int* info);
}
#endif

namespace
{
// A random matrix made well conditioned by a dominant diagonal.
std::vector<double> RandomSystem(int n, std::mt19937& random)
{
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::vector<double> a(size_t(n) * n);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            a[size_t(r) * n + c] = u(random) + (r == c ? n + 1.0 : 0.0);
    return a;
}

std::vector<double> RandomVector(int n, std::mt19937& random, double scale = 1.0)
{
    std::uniform_real_distribution<double> u(-scale, scale);
    std::vector<double> v(static_cast<size_t>(n));
    for (double& x : v)
        x = u(random);
    return v;
}
} // namespace

TEST(SquareSolve, SingularSystemsFailAndLeaveTheSolution)
{
    const double singular2[4] = {1.0, 2.0, 2.0, 4.0};
    const double rhs2[2] = {1.0, 2.0};
    double x2[2] = {7.0, 7.0};
    EXPECT_EQ(SolveSquare(2, singular2, rhs2, nullptr, x2), LSQ_SINGULAR);
    EXPECT_EQ(x2[0], 7.0);
    EXPECT_EQ(x2[1], 7.0);

    // A zero row (a parameter nothing observes) gives a pivot of exactly 0.
    const double zeroRow[9] = {4, 1, 0, 1, 3, 0, 0, 0, 0};
    const double rhs3[3] = {1, 2, 3};
    double x3[3] = {7, 7, 7};
    double inverse[9];
    EXPECT_EQ(SolveSquare(3, zeroRow, rhs3, inverse, x3), LSQ_SINGULAR);
    EXPECT_EQ(x3[0], 7.0);

    // Rank 2 of 3, the elimination exact in binary (second row = half the first).
    const double dependent[9] = {2, 4, 6, 1, 2, 3, 3, 1, 2};
    EXPECT_EQ(SolveSquare(3, dependent, rhs3, nullptr, x3), LSQ_SINGULAR);
}

TEST(SquareSolve, InverseAndSolutionOfSmallSystems)
{
    std::mt19937 random(7);
    for (int n : {1, 2, 3, 6})
    {
        const std::vector<double> a = RandomSystem(n, random);
        const std::vector<double> b = RandomVector(n, random);
        std::vector<double> x(static_cast<size_t>(n)), inverse(size_t(n) * n);
        ASSERT_EQ(SolveSquare(n, a.data(), b.data(), inverse.data(), x.data()), LSQ_OK) << n;
        for (int r = 0; r < n; ++r)
        {
            double ax = 0.0;
            for (int c = 0; c < n; ++c)
            {
                ax += a[size_t(r) * n + c] * x[size_t(c)];
                double product = 0.0;
                for (int k = 0; k < n; ++k)
                    product += a[size_t(r) * n + k] * inverse[size_t(k) * n + c];
                EXPECT_NEAR(product, r == c ? 1.0 : 0.0, 1e-12) << n << " " << r << "," << c;
            }
            EXPECT_NEAR(ax, b[size_t(r)], 1e-12);
        }
    }
    // The solution may overwrite the right side.
    const double a[4] = {2, 0, 0, 4};
    double b[2] = {2, 8};
    ASSERT_EQ(SolveSquare(2, a, b, nullptr, b), LSQ_OK);
    EXPECT_DOUBLE_EQ(b[0], 1.0);
    EXPECT_DOUBLE_EQ(b[1], 2.0);
}

TEST(SquareSolve, LargeRegularSystemIsNotTakenForSingular)
{
    // Pivots of 1e-3 multiply to far below the smallest double: only a zero pivot is singular.
    const int n = 150;
    std::vector<double> a(size_t(n) * n, 0.0), b(size_t(n), 1e-3), x(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        a[size_t(i) * n + i] = 1e-3;
    ASSERT_EQ(SolveSquare(n, a.data(), b.data(), nullptr, x.data()), LSQ_OK);
    EXPECT_NEAR(x[0], 1.0, 1e-12);
    EXPECT_NEAR(x[size_t(n) - 1], 1.0, 1e-12);
}

TEST(WeightedLeastSquares, ZeroColumnFailsAndMemoryFailureIsReported)
{
    // Parameter 2 appears in no row: the normal matrix has a zero row.
    const double design[6] = {1, 0, 0, 0, 1, 0};
    const double l[2] = {1, 2};
    double x[3] = {5, 5, 5};
    EXPECT_EQ(WeightedLeastSquares(design, l, nullptr, nullptr, x, nullptr, 2, 3), LSQ_SINGULAR);
    EXPECT_EQ(x[0], 5.0);

    // Normal equations that no memory can hold: failure, not success with nothing done.
    const double one[1] = {1.0};
    double big[1] = {5.0};
    EXPECT_EQ(WeightedLeastSquares(one, one, nullptr, nullptr, big, nullptr, 0, 1 << 30), LSQ_NO_MEMORY);
    EXPECT_EQ(big[0], 5.0);
}

TEST(WeightedLeastSquares, ResidualsAreOrthogonalToTheWeightedColumns)
{
    std::mt19937 random(11);
    const int rows = 30, cols = 4;
    const std::vector<double> a = RandomVector(rows * cols, random, 3.0);
    const std::vector<double> l = RandomVector(rows, random, 2.0);
    std::vector<double> s(static_cast<size_t>(rows));
    for (int i = 0; i < rows; ++i)
        s[size_t(i)] = 0.5 + (i % 5) * 0.3;
    std::vector<double> x(cols), v(rows), q(cols * cols);
    ASSERT_EQ(WeightedLeastSquares(a.data(), l.data(), s.data(), q.data(), x.data(), v.data(), rows, cols),
              LSQ_OK);
    for (int c = 0; c < cols; ++c)
    {
        double dot = 0.0;
        for (int i = 0; i < rows; ++i)
        {
            EXPECT_NEAR(
                v[size_t(i)],
                [&] {
                    double ax = 0.0;
                    for (int k = 0; k < cols; ++k)
                        ax += a[size_t(i) * cols + k] * x[size_t(k)];
                    return ax - l[size_t(i)];
                }(),
                1e-12);
            dot += a[size_t(i) * cols + c] * v[size_t(i)] / (s[size_t(i)] * s[size_t(i)]);
        }
        EXPECT_NEAR(dot, 0.0, 1e-10) << c;
    }
    // Unit weights when no standard errors are given: the same as all ones.
    std::vector<double> ones(size_t(rows), 1.0), x1(cols), x2(cols);
    ASSERT_EQ(WeightedLeastSquares(a.data(), l.data(), nullptr, nullptr, x1.data(), nullptr, rows, cols),
              LSQ_OK);
    ASSERT_EQ(WeightedLeastSquares(a.data(), l.data(), ones.data(), nullptr, x2.data(), nullptr, rows, cols),
              LSQ_OK);
    for (int c = 0; c < cols; ++c)
        EXPECT_DOUBLE_EQ(x1[size_t(c)], x2[size_t(c)]);
}

#if defined(SUITE_HAVE_LAPACK)
TEST(SquareSolve, AgreesWithLapackOnRandomSystems)
{
    std::mt19937 random(2024);
    for (int n : {1, 2, 3, 4, 7, 12, 40, 90})
    {
        for (int trial = 0; trial < 5; ++trial)
        {
            const std::vector<double> a = RandomSystem(n, random);
            const std::vector<double> b = RandomVector(n, random, 100.0);
            std::vector<double> x(static_cast<size_t>(n)), inverse(size_t(n) * n);
            ASSERT_EQ(SolveSquare(n, a.data(), b.data(), inverse.data(), x.data()), LSQ_OK);

            // LAPACK is column-major: hand it the transpose, then solve A X = [b | I].
            std::vector<double> at(size_t(n) * n), rhs(size_t(n) * (n + 1), 0.0);
            for (int r = 0; r < n; ++r)
                for (int c = 0; c < n; ++c)
                    at[size_t(c) * n + r] = a[size_t(r) * n + c];
            for (int r = 0; r < n; ++r)
            {
                rhs[size_t(r)] = b[size_t(r)];
                rhs[size_t(n) * (r + 1) + r] = 1.0;
            }
            std::vector<int> pivots(static_cast<size_t>(n));
            const int nrhs = n + 1;
            int info = -1;
            dgesv_(&n, &nrhs, at.data(), &n, pivots.data(), rhs.data(), &n, &info);
            ASSERT_EQ(info, 0);
            for (int r = 0; r < n; ++r)
            {
                EXPECT_NEAR(x[size_t(r)], rhs[size_t(r)], 1e-11 * (1.0 + std::fabs(rhs[size_t(r)]))) << n;
                for (int c = 0; c < n; ++c)
                    EXPECT_NEAR(inverse[size_t(r) * n + c], rhs[size_t(n) * (c + 1) + r], 1e-13) << n;
            }
        }
    }
}

TEST(WeightedLeastSquares, AgreesWithLapackOnRandomSystems)
{
    std::mt19937 random(99);
    struct Shape
    {
        int rows, cols;
    };
    for (const Shape& shape : {Shape{3, 2}, Shape{10, 3}, Shape{50, 6}, Shape{200, 20}})
    {
        const int rows = shape.rows, cols = shape.cols;
        const std::vector<double> a = RandomVector(rows * cols, random, 5.0);
        const std::vector<double> l = RandomVector(rows, random, 10.0);
        std::vector<double> s(static_cast<size_t>(rows));
        std::uniform_real_distribution<double> se(0.1, 3.0);
        for (double& e : s)
            e = se(random);
        std::vector<double> x(cols), q(size_t(cols) * cols);
        ASSERT_EQ(WeightedLeastSquares(a.data(), l.data(), s.data(), q.data(), x.data(), nullptr, rows, cols),
                  LSQ_OK);

        // Weighted rows (each divided by its standard error) solved by LAPACK's QR.
        std::vector<double> aw(size_t(rows) * cols), lw(static_cast<size_t>(rows));
        for (int i = 0; i < rows; ++i)
        {
            for (int c = 0; c < cols; ++c)
                aw[size_t(c) * rows + i] = a[size_t(i) * cols + c] / s[size_t(i)];
            lw[size_t(i)] = l[size_t(i)] / s[size_t(i)];
        }
        const int nrhs = 1;
        int lwork = -1, info = -1;
        double query = 0.0;
        dgels_("N", &rows, &cols, &nrhs, aw.data(), &rows, lw.data(), &rows, &query, &lwork, &info);
        lwork = int(query);
        std::vector<double> work(static_cast<size_t>(lwork));
        dgels_("N", &rows, &cols, &nrhs, aw.data(), &rows, lw.data(), &rows, work.data(), &lwork, &info);
        ASSERT_EQ(info, 0);
        for (int c = 0; c < cols; ++c)
            EXPECT_NEAR(x[size_t(c)], lw[size_t(c)], 1e-10 * (1.0 + std::fabs(lw[size_t(c)]))) << rows;

        // The cofactor matrix is the inverse of A'WA: (A'WA) Q = I.
        for (int r = 0; r < cols; ++r)
        {
            for (int c = 0; c < cols; ++c)
            {
                double product = 0.0;
                for (int k = 0; k < cols; ++k)
                {
                    double n = 0.0;
                    for (int i = 0; i < rows; ++i)
                        n +=
                            a[size_t(i) * cols + r] * a[size_t(i) * cols + k] / (s[size_t(i)] * s[size_t(i)]);
                    product += n * q[size_t(k) * cols + c];
                }
                EXPECT_NEAR(product, r == c ? 1.0 : 0.0, 1e-10);
            }
        }
    }
}
#else
TEST(SquareSolve, AgreesWithLapackOnRandomSystems)
{
    GTEST_SKIP() << "LAPACK is not installed";
}
#endif

TEST(ErrorEllipse, AxesAndOrientation)
{
    struct Case
    {
        double qEE, qEN, qNN;
        double major, minor, orientation, orientation90;
    };
    const double k = 2.447;
    const Case cases[] = {
        {4.0, 0.0, 4.0, k * 2.0, k * 2.0, 0.0, 90.0},                        // a circle
        {9.0, 0.0, 1.0, k * 3.0, k * 1.0, 0.0, 90.0},                        // long along grid east
        {1.0, 0.0, 9.0, k * 3.0, k * 1.0, 90.0, 180.0},                      // long along grid north
        {2.0, 1.0, 2.0, k * std::sqrt(3.0), k * 1.0, 45.0, 135.0},           // tilted
        {2.0, -1.0, 2.0, k * std::sqrt(3.0), k * 1.0, 135.0, 225.0},         // tilted the other way
        {1.0, 1.0, 1.0, k * std::sqrt(2.0), 0.0, 45.0, 135.0},               // degenerate: minor 0
        {1.0, 1.0 + 1e-9, 1.0, k * std::sqrt(2.0 + 1e-9), 0.0, 45.0, 135.0}, // rounding below 0: clamped
    };
    for (const Case& c : cases)
    {
        double major = -1, minor = -1, orientation = -1, orientation90 = -1;
        ComputeErrorEllipse(c.qEE, c.qEN, c.qEN, c.qNN, &major, &minor, &orientation, &orientation90);
        EXPECT_NEAR(major, c.major, 1e-9) << c.qEE << " " << c.qEN << " " << c.qNN;
        EXPECT_NEAR(minor, c.minor, 1e-9);
        EXPECT_NEAR(orientation, c.orientation, 1e-9);
        EXPECT_NEAR(orientation90, c.orientation90, 1e-9);
    }
    ComputeErrorEllipse(1, 0, 0, 1, nullptr, nullptr, nullptr, nullptr);
}

TEST(RunningStatistics, MeanDeviationAndRange)
{
    RunningStatisticsDef s{};
    UpdateRunningStatistics(5.0, s);
    EXPECT_EQ(s.Count, 1);
    EXPECT_EQ(s.Mean, 5.0);
    EXPECT_EQ(s.StandardDeviation, 0.0);
    EXPECT_EQ(s.Minimum, 5.0);
    EXPECT_EQ(s.Maximum, 5.0);

    // The sample deviation of 1 and 3 is sqrt(2).
    RunningStatisticsDef two{};
    UpdateRunningStatistics(1.0, two);
    UpdateRunningStatistics(3.0, two);
    EXPECT_NEAR(two.StandardDeviation, std::sqrt(2.0), 1e-12);
    EXPECT_EQ(two.Minimum, 1.0);
    EXPECT_EQ(two.Maximum, 3.0);
    EXPECT_EQ(two.Sum, 4.0);
    EXPECT_EQ(two.SumOfSquares, 10.0);

    RunningStatisticsDef more{};
    for (double v : {2.0, 4.0, 4.0, 4.0, 5.0, 5.0, 7.0, 9.0})
        UpdateRunningStatistics(v, more);
    EXPECT_NEAR(more.Mean, 5.0, 1e-12);
    EXPECT_NEAR(more.StandardDeviation, std::sqrt(32.0 / 7.0), 1e-12);

    // Nearly equal large values: rounding must not give a NaN or a negative deviation.
    RunningStatisticsDef flat{};
    for (int i = 0; i < 10; ++i)
        UpdateRunningStatistics(6543210.123456789, flat);
    EXPECT_GE(flat.StandardDeviation, 0.0);
    EXPECT_LT(flat.StandardDeviation, 1e-6);

    // A record whose count was cleared starts again from the next value.
    more.Count = 0;
    UpdateRunningStatistics(-1.0, more);
    EXPECT_EQ(more.Count, 1);
    EXPECT_EQ(more.Sum, -1.0);
    EXPECT_EQ(more.Minimum, -1.0);
    EXPECT_EQ(more.Maximum, -1.0);
}

TEST(LineFit, SlopeInterceptAndCorrelation)
{
    CLineFit fit;
    double slope = 0, intercept = 0, r = 0;
    EXPECT_EQ(fit.Solve(&slope, &intercept, &r), LSQ_EMPTY);

    for (double x : {1.0, 2.0, 3.0, 4.0, 5.0})
        fit.Add(x, 2.5 * x - 1.0);
    ASSERT_EQ(fit.Solve(&slope, &intercept, &r), LSQ_OK);
    EXPECT_NEAR(slope, 2.5, 1e-12);
    EXPECT_NEAR(intercept, -1.0, 1e-12);
    EXPECT_NEAR(r, 1.0, 1e-12);
    // Emptied by the solve.
    EXPECT_EQ(fit.GetCount(), 0);
    EXPECT_EQ(fit.Solve(&slope, &intercept), LSQ_EMPTY);

    // Scattered points: the textbook least-squares line.
    const double xs[] = {1, 2, 3, 4}, ys[] = {2, 1, 4, 3};
    for (int i = 0; i < 4; ++i)
        fit.Add(xs[i], ys[i]);
    ASSERT_EQ(fit.Solve(&slope, &intercept, &r), LSQ_OK);
    EXPECT_NEAR(slope, 0.6, 1e-12);
    EXPECT_NEAR(intercept, 1.0, 1e-12);
    EXPECT_NEAR(r, 0.6, 1e-12);

    // Every x the same: no line; y constant: r 0 rather than a NaN.
    slope = intercept = 42;
    for (int i = 0; i < 3; ++i)
        fit.Add(2.0, i);
    EXPECT_EQ(fit.Solve(&slope, &intercept, &r), LSQ_SINGULAR);
    EXPECT_EQ(slope, 42);
    for (int i = 0; i < 3; ++i)
        fit.Add(i, 7.0);
    ASSERT_EQ(fit.Solve(&slope, &intercept, &r), LSQ_OK);
    EXPECT_NEAR(slope, 0.0, 1e-12);
    EXPECT_EQ(r, 0.0);
}

namespace
{
struct Point3
{
    double e, n, z;
};

double Bearing(const Point3& from, const Point3& to)
{
    double b = std::atan2(to.e - from.e, to.n - from.n);
    return b < 0 ? b + 2 * M_PI : b;
}

double Slant(const Point3& a, const Point3& b)
{
    return std::sqrt((a.e - b.e) * (a.e - b.e) + (a.n - b.n) * (a.n - b.n) + (a.z - b.z) * (a.z - b.z));
}
} // namespace

TEST(PositionSolve, RangesFixAPointAndItsDepth)
{
    const Point3 known[] = {{0, 0, 0}, {500, 0, 0}, {0, 500, 0}, {500, 500, 0}, {250, -100, 0}};
    const Point3 truth{180.0, 320.0, 95.0};
    for (int flags : {0, int(POSITION_SOLVE_DEPTH)})
    {
        Point3 estimate{170.0, 335.0, flags ? 60.0 : truth.z};
        CPositionSolve solve(flags);
        EXPECT_EQ(solve.GetUnknowns(), flags ? 3 : 2);
        int passes = 0;
        for (; passes < 20; ++passes)
        {
            solve.Clear();
            for (const Point3& p : known)
                solve.AddRange(p.e, p.n, p.z, estimate.e, estimate.n, estimate.z, Slant(p, truth));
            ASSERT_EQ(solve.Solve(), LSQ_OK);
            estimate.e += solve.GetSolution(0);
            estimate.n += solve.GetSolution(1);
            if (flags)
                estimate.z += solve.GetSolution(2);
            if (std::hypot(solve.GetSolution(0), solve.GetSolution(1)) < 1e-9)
                break;
        }
        EXPECT_LT(passes, 10);
        EXPECT_NEAR(estimate.e, truth.e, 1e-7);
        EXPECT_NEAR(estimate.n, truth.n, 1e-7);
        EXPECT_NEAR(estimate.z, truth.z, 1e-6);
        // The normal matrix is mirrored by the solve.
        EXPECT_EQ(solve.GetNormal(1, 0), solve.GetNormal(0, 1));
    }
}

TEST(PositionSolve, BearingsUnderADeepPointAndAnOrientationOffset)
{
    // Bearings from the unknown point back to surface points 100 m away, the point 1000 m
    // down: the rows must behave as horizontal angles or each pass overshoots a hundredfold.
    const Point3 known[] = {{0, 100, 0}, {100, 0, 0}, {-80, -60, 0}, {60, 90, 0}};
    const Point3 truth{5.0, -3.0, 1000.0};
    const double offset = 0.02; // radians the bearings are observed short by
    CPositionSolve solve(POSITION_SOLVE_ORIENTATION);
    ASSERT_EQ(solve.GetOrientationColumn(), 2);
    Point3 estimate{-6.0, 8.0, truth.z};
    double orientation = 0.0;
    int passes = 0;
    for (; passes < 20; ++passes)
    {
        solve.Clear();
        for (const Point3& p : known)
        {
            double observed = Bearing(truth, p) - offset;
            if (observed < 0)
                observed += 2 * M_PI;
            solve.AddBearing(p.e, p.n, p.z, estimate.e, estimate.n, estimate.z, observed, orientation);
            solve.AddRange(p.e, p.n, p.z, estimate.e, estimate.n, estimate.z, Slant(p, truth));
        }
        ASSERT_EQ(solve.Solve(), LSQ_OK);
        estimate.e += solve.GetSolution(0);
        estimate.n += solve.GetSolution(1);
        orientation += solve.GetSolution(2);
        if (std::hypot(solve.GetSolution(0), solve.GetSolution(1)) < 1e-10)
            break;
    }
    EXPECT_LT(passes, 8);
    EXPECT_NEAR(estimate.e, truth.e, 1e-6);
    EXPECT_NEAR(estimate.n, truth.n, 1e-6);
    EXPECT_NEAR(orientation, offset, 1e-9);

    // Bearing-only fix across north: observed 359.9 degrees against a computed 0.1 takes the
    // short way round.
    CPositionSolve across;
    across.AddBearing(0, 100, 0, -0.1745, 0, 0, 359.9 * M_PI / 180.0);
    EXPECT_LT(std::fabs(across.GetRightSide(0)), 0.01);
}

TEST(PositionSolve, CoincidentPointsAddNothingAndLeaveTheSystemSingular)
{
    CPositionSolve solve(POSITION_SOLVE_DEPTH);
    solve.AddRange(1, 2, 3, 1, 2, 3, 10.0);
    solve.AddBearing(1, 2, 0, 1, 2, 50, 1.0);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(solve.GetNormal(r, c), 0.0);
    EXPECT_EQ(solve.Solve(), LSQ_SINGULAR);
    EXPECT_EQ(solve.GetSolution(0), 0.0);
}

// Observations that fix the unknowns only through rounding leave a normal matrix whose solve
// "succeeds" with a meaningless answer; the units of the unknowns (metres against radians)
// must not decide which matrices count as such.
TEST(PositionSolve, NearlySingularSystemsAreDegenerate)
{
    const Point3 spread[] = {{0, 0, 0}, {500, 0, 0}, {0, 500, 0}, {500, 500, 0}};
    const Point3 estimate{180.0, 320.0, 95.0};
    CPositionSolve good(POSITION_SOLVE_DEPTH | POSITION_SOLVE_ORIENTATION);
    for (const Point3& p : spread)
    {
        good.AddRange(p.e, p.n, p.z, estimate.e, estimate.n, estimate.z, 400.0);
        good.AddBearing(p.e, p.n, p.z, estimate.e, estimate.n, estimate.z, 1.0);
    }
    ASSERT_EQ(good.Solve(), LSQ_OK);
    EXPECT_FALSE(good.IsDegenerate());

    // Ranges from one place, three times over with micrometre differences: the solve
    // finds a pivot that is not exactly 0, the measure does not.
    CPositionSolve onePlace;
    for (double jitter : {0.0, 1e-6, -2e-6})
        onePlace.AddRange(430.0 + jitter, 270.0 - jitter, 0.0, estimate.e, estimate.n, 0.0, 200.0);
    EXPECT_EQ(onePlace.Solve(), LSQ_OK);
    EXPECT_TRUE(onePlace.IsDegenerate());

    CPositionSolve none;
    EXPECT_EQ(none.Solve(), LSQ_SINGULAR);
    EXPECT_TRUE(none.IsDegenerate());
}

#include "acoustic/engine/LeastSquares.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace
{
// malloc rather than new: a size that cannot be had must come back as null (a failure the
// caller reports), never as an exception through code that promises not to throw.
double* AllocDoubles(size_t count)
{
    if (count == 0 || count > SIZE_MAX / sizeof(double))
        return nullptr;
    return static_cast<double*>(std::malloc(count * sizeof(double)));
}

// Gauss-Jordan inversion in place with full pivoting. Singularity is judged pivot by pivot,
// not by the running product of the pivots: that product underflows to 0 (or overflows) for
// large, perfectly regular systems.
int InvertInPlace(int n, double* a, int* work)
{
    int* used = work;
    int* rowOf = work + n;
    int* colOf = work + 2 * n;
    for (int i = 0; i < n; ++i)
        used[i] = 0;
    for (int step = 0; step < n; ++step)
    {
        double largest = -1.0;
        int pivotRow = -1, pivotCol = -1;
        for (int r = 0; r < n; ++r)
        {
            if (used[r])
                continue;
            const double* row = a + static_cast<size_t>(r) * n;
            for (int c = 0; c < n; ++c)
            {
                if (!used[c] && std::fabs(row[c]) > largest)
                {
                    largest = std::fabs(row[c]);
                    pivotRow = r;
                    pivotCol = c;
                }
            }
        }
        // A NaN anywhere leaves no comparable pivot: as singular as a zero.
        if (pivotRow < 0 || !(largest > 0.0))
            return LSQ_SINGULAR;
        used[pivotCol] = 1;
        double* pivotLine = a + static_cast<size_t>(pivotCol) * n;
        if (pivotRow != pivotCol)
        {
            double* other = a + static_cast<size_t>(pivotRow) * n;
            for (int c = 0; c < n; ++c)
                std::swap(other[c], pivotLine[c]);
        }
        rowOf[step] = pivotRow;
        colOf[step] = pivotCol;
        const double inverse = 1.0 / pivotLine[pivotCol];
        pivotLine[pivotCol] = 1.0;
        for (int c = 0; c < n; ++c)
            pivotLine[c] *= inverse;
        for (int r = 0; r < n; ++r)
        {
            if (r == pivotCol)
                continue;
            double* row = a + static_cast<size_t>(r) * n;
            const double factor = row[pivotCol];
            if (factor == 0.0)
                continue;
            row[pivotCol] = 0.0;
            for (int c = 0; c < n; ++c)
                row[c] -= factor * pivotLine[c];
        }
    }
    // Undo the column interchanges, last first.
    for (int step = n - 1; step >= 0; --step)
    {
        if (rowOf[step] == colOf[step])
            continue;
        for (int r = 0; r < n; ++r)
        {
            double* row = a + static_cast<size_t>(r) * n;
            std::swap(row[rowOf[step]], row[colOf[step]]);
        }
    }
    return LSQ_OK;
}
} // namespace

int SolveSquare(int n, const double* normal, const double* rhs, double* inverse, double* solution)
{
    if (n < 1 || !normal || !rhs || !solution)
        return LSQ_SINGULAR;
    const size_t cells = static_cast<size_t>(n) * static_cast<size_t>(n);
    double* work = inverse;
    if (!work)
    {
        work = AllocDoubles(cells);
        if (!work)
            return LSQ_NO_MEMORY;
    }
    int status = LSQ_OK;
    if (n == 2)
    {
        const double det = normal[0] * normal[3] - normal[1] * normal[2];
        if (det == 0.0 || std::isnan(det))
        {
            status = LSQ_SINGULAR;
        }
        else
        {
            const double a = normal[0], b = normal[1], c = normal[2], d = normal[3];
            work[0] = d / det;
            work[1] = -b / det;
            work[2] = -c / det;
            work[3] = a / det;
        }
    }
    else
    {
        int* pivots = static_cast<int*>(std::malloc(3 * static_cast<size_t>(n) * sizeof(int)));
        if (!pivots)
        {
            status = LSQ_NO_MEMORY;
        }
        else
        {
            // The caller's matrix stays as it was when the elimination fails part way.
            double* scratch = inverse ? AllocDoubles(cells) : work;
            if (!scratch)
            {
                status = LSQ_NO_MEMORY;
            }
            else
            {
                std::memcpy(scratch, normal, cells * sizeof(double));
                status = InvertInPlace(n, scratch, pivots);
                if (status == LSQ_OK && scratch != work)
                    std::memcpy(work, scratch, cells * sizeof(double));
                if (scratch != work)
                    std::free(scratch);
            }
            std::free(pivots);
        }
    }
    if (status == LSQ_OK)
    {
        // Through a temporary so that `solution` may be the caller's right side.
        double* x = AllocDoubles(static_cast<size_t>(n));
        if (!x)
        {
            status = LSQ_NO_MEMORY;
        }
        else
        {
            for (int r = 0; r < n; ++r)
            {
                const double* row = work + static_cast<size_t>(r) * n;
                double sum = 0.0;
                for (int c = 0; c < n; ++c)
                    sum += row[c] * rhs[c];
                x[r] = sum;
            }
            std::memcpy(solution, x, static_cast<size_t>(n) * sizeof(double));
            std::free(x);
        }
    }
    if (work != inverse)
        std::free(work);
    return status;
}

int WeightedLeastSquares(const double* design, const double* misclosures, const double* standardErrors,
                         double* cofactor, double* solution, double* residuals, int rows, int cols)
{
    if (cols < 1 || rows < 0 || !design || !misclosures || !solution)
        return LSQ_SINGULAR;
    const size_t n = static_cast<size_t>(cols);
    if (n > SIZE_MAX / sizeof(double) / n)
        return LSQ_NO_MEMORY;
    double* normal = AllocDoubles(n * n);
    double* rhs = AllocDoubles(n);
    if (!normal || !rhs)
    {
        std::free(normal);
        std::free(rhs);
        return LSQ_NO_MEMORY;
    }
    std::memset(normal, 0, n * n * sizeof(double));
    std::memset(rhs, 0, n * sizeof(double));
    for (int i = 0; i < rows; ++i)
    {
        const double* a = design + static_cast<size_t>(i) * n;
        double weight = 1.0;
        if (standardErrors)
            weight = 1.0 / (standardErrors[i] * standardErrors[i]);
        for (size_t r = 0; r < n; ++r)
        {
            if (a[r] == 0.0)
                continue;
            const double wa = weight * a[r];
            double* line = normal + r * n;
            for (size_t c = 0; c < n; ++c)
                line[c] += wa * a[c];
            rhs[r] += wa * misclosures[i];
        }
    }
    double* x = AllocDoubles(n);
    int status = x ? SolveSquare(cols, normal, rhs, cofactor, x) : LSQ_NO_MEMORY;
    if (status == LSQ_OK)
    {
        std::memcpy(solution, x, n * sizeof(double));
        if (residuals)
        {
            for (int i = 0; i < rows; ++i)
            {
                const double* a = design + static_cast<size_t>(i) * n;
                double sum = 0.0;
                for (size_t c = 0; c < n; ++c)
                    sum += a[c] * x[c];
                residuals[i] = sum - misclosures[i];
            }
        }
    }
    std::free(x);
    std::free(normal);
    std::free(rhs);
    return status;
}

void ComputeErrorEllipse(double qEE, double qEN, double qNE, double qNN, double* semiMajor, double* semiMinor,
                         double* orientation, double* orientation90)
{
    (void)qNE; // a cofactor matrix is symmetric: the upper element stands for both
    // Semi-axes at 95 % in two dimensions: sqrt(chi-square(2 dof, 0.95)) = 2.447.
    const double k95 = 2.447;
    const double root = std::sqrt((qNN - qEE) * (qNN - qEE) + 4.0 * qEN * qEN);
    double angle = std::atan2(2.0 * qEN, qEE - qNN) * (180.0 / M_PI);
    if (angle < 0.0)
        angle += 360.0;
    angle *= 0.5;
    double angle90 = angle + 90.0;
    if (angle90 >= 360.0)
        angle90 -= 360.0;
    const double major = (qEE + qNN + root) / 2.0;
    const double minor = (qEE + qNN - root) / 2.0;
    if (semiMajor)
        *semiMajor = major > 0.0 ? k95 * std::sqrt(major) : 0.0;
    if (semiMinor)
        *semiMinor = minor > 0.0 ? k95 * std::sqrt(minor) : 0.0;
    if (orientation)
        *orientation = angle;
    if (orientation90)
        *orientation90 = angle90;
}

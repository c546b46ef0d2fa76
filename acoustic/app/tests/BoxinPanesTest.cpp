// The Boxin observation rows and residual histogram: rows read into records (a row with a cell
// that is not a number kept, unticked and unused), the heading and depth flags from the
// columns mapped, and the histogram's range, bin width and counts, bounded for any residuals.
#include "acoustic/app/panes/BoxinHistogramBins.h"
#include "acoustic/app/panes/BoxinRows.h"
#include "acoustic/engine/Boxin.h"
#include "foundation/ListCtrlImport.h"
#include "platform/core/Exception.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace
{
void Define(CListCtrlImport& import, std::vector<int> columns)
{
    import.RemoveAll();
    for (size_t i = 0; i < columns.size(); ++i)
    {
        import.AddField("Field");
        import.SetColumn(static_cast<int>(i), columns[i]);
    }
}
} // namespace

TEST(BoxinHistogram, RangeWidthAndBinsFollowTheResiduals)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case
    {
        double min, max;
        std::vector<double> residuals;
        double xMin, xMax, width;
        int bins;
        std::vector<double> counts; // of the first bins
        double yMax;
    } cases[] = {
        {-4, 5, {-4, -4, 0, 0.5, 5}, -5, 5, 1, 11, {0, 2, 0, 0, 0, 2, 0, 0, 0, 0, 1}, 2},
        {-60, 20, {-60, -55, 19}, -60, 20, 10, 9, {2, 0, 0, 0, 0, 0, 0, 1, 0}, 2},
        {0, 0, {0, 0, 0}, 0, 1, 1, 2, {3, 0}, 3},
        {0, 0, {}, 0, 1, 1, 2, {0, 0}, 1},
        // A span of 60: ten wide; of 50: one wide.
        {-30, 30, {29}, -30, 30, 10, 7, {0, 0, 0, 0, 0, 1, 0}, 1},
        {-25, 25, {}, -25, 25, 1, 51, {}, 1},
        // Beyond 100 bins the width steps along 1-2-5.
        {-1000, 1000, {-1000, 999}, -1000, 1000, 50, 41, {1}, 1},
        {-1e9, 1e9, {-1e9, 0, 1e9, nan, inf}, -1e9, 1e9, 5e7, 41, {1}, 1},
        // Limits that are not numbers: the smallest histogram, nothing counted from them.
        {nan, inf, {nan, 0.5}, 0, 1, 1, 2, {1, 0}, 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.min << " .. " << c.max);
        const BOXIN_HISTOGRAM h = BinResiduals(c.min, c.max, c.residuals);
        EXPECT_EQ(h.xMin, c.xMin);
        EXPECT_EQ(h.xMax, c.xMax);
        EXPECT_EQ(h.width, c.width);
        ASSERT_EQ(h.points.GetSize(), c.bins);
        EXPECT_LE(h.points.GetSize(), BOXIN_HISTOGRAM_MAX_BINS);
        EXPECT_EQ(h.points[0].x, c.xMin);
        EXPECT_EQ(h.points[c.bins - 1].x, c.xMin + (c.bins - 1) * c.width);
        for (size_t i = 0; i < c.counts.size(); ++i)
            EXPECT_EQ(h.points[static_cast<int>(i)].y, c.counts[i]) << "bin " << i;
        EXPECT_EQ(h.yMax, c.yMax);
    }
}

TEST(BoxinRows, RowsBecomeRecordsAndBadCellsAreKeptUnused)
{
    // Easting, northing, depth and range mapped (no gyro): list columns 0 to 3.
    CListCtrlImport import;
    Define(import, {0, 1, -1, 4, 6});
    const std::vector<std::vector<CString>> rows = {
        {"Easting", "Northing", "Depth", "Range"}, // a heading row left in the file
        {" 500100.5 ", "6000000", "98.5", "120.25"},
        {"500000", "600O100", "98", "130"}, // a typo
        {"499900", "6000000", "99", "+1.25e2"},
        {"500000", "5999900", "", "110"},
        {"500000", "5999900", "97", "nan"},
        // Only the first 39 characters of a cell are read.
        {"500000.00000000000000000000000000000000001", "5999900", "97", "110"},
    };
    const auto cell = [&rows](int row, int column) { return rows[static_cast<size_t>(row)][static_cast<size_t>(column)]; };
    CBoxin boxin;
    boxin.m_UseOffsets = true;
    boxin.m_ComputedDepth = false;
    std::vector<bool> used;
    EXPECT_EQ(ConvertBoxinRows(boxin, import, static_cast<int>(rows.size()), cell, used), 4);
    EXPECT_EQ(used, (std::vector<bool>{false, true, false, true, false, false, true}));
    ASSERT_EQ(boxin.GetSize(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(boxin[i].Used, used[static_cast<size_t>(i)] ? 1 : 0) << i;
    EXPECT_EQ(boxin[1].VesselEasting, 500100.5);
    EXPECT_EQ(boxin[1].VesselNorthing, 6000000.0);
    EXPECT_EQ(boxin[1].Depth, 98.5);
    EXPECT_EQ(boxin[1].ObservedValue, 120.25);
    EXPECT_EQ(boxin[1].Heading, 0.0);
    EXPECT_EQ(boxin[3].ObservedValue, 125.0);
    EXPECT_EQ(boxin[6].VesselEasting, 500000.0);
    EXPECT_EQ(boxin[0].VesselEasting, 0.0) << "nothing read from a heading";
    EXPECT_FALSE(boxin.m_UseOffsets) << "no gyro column";
    EXPECT_TRUE(boxin.m_DepthAvailable);
    EXPECT_TRUE(boxin.m_ComputedDepth);

    // The gyro mapped, the depth not: list columns 0 to 3 are easting, northing, gyro, range.
    Define(import, {0, 1, 2, -3, 3});
    const std::vector<std::vector<CString>> withGyro = {{"1", "2", "45.5", "100"}};
    EXPECT_EQ(ConvertBoxinRows(boxin, import, 1,
                               [&withGyro](int, int column) { return withGyro[0][static_cast<size_t>(column)]; },
                               used),
              0);
    EXPECT_EQ(boxin[0].Heading, 45.5);
    EXPECT_EQ(boxin[0].ObservedValue, 100.0);
    EXPECT_TRUE(boxin.m_UseOffsets);
    EXPECT_FALSE(boxin.m_DepthAvailable);
    EXPECT_TRUE(boxin.m_ComputedDepth) << "left as it was";
}

TEST(BoxinRows, AShortDefinitionRaisesAndLargeListsConvertQuickly)
{
    CListCtrlImport import;
    Define(import, {0, 1, 2, 3});
    CBoxin boxin;
    std::vector<bool> used;
    bool raised = false;
    try
    {
        ConvertBoxinRows(boxin, import, 1, [](int, int) { return CString("1"); }, used);
    }
    catch (CException* e)
    {
        raised = e->IsKindOf(RUNTIME_CLASS(CInvalidArgException));
        e->Delete();
    }
    EXPECT_TRUE(raised);

    Define(import, {0, 1, 2, 3, 4});
    const CString cells[5] = {"500000.25", "6000000.75", "123.4", "98.0", "150.125"};
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(ConvertBoxinRows(boxin, import, 100000, [&cells](int, int column) { return cells[column]; }, used), 0);
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_EQ(boxin.GetSize(), 100000);
}

// The Boxin observation rows and residual histogram: rows read into records (a row with a cell
// that is not a number kept, unticked and unused), the heading and depth flags from the
// columns mapped, and the histogram's range, bin width and counts, bounded for any residuals.
#include "acoustic/app/panes/BoxinHistogramBins.h"
#include "acoustic/app/panes/BoxinHistogramPane.h"
#include "acoustic/app/panes/BoxinListCtrl.h"
#include "acoustic/app/panes/HistogramView.h"
#include "acoustic/app/panes/BoxinRows.h"
#include "acoustic/engine/Boxin.h"
#include "foundation/ListCtrlImport.h"
#include "platform/core/Exception.h"
#include "testsupport/EventPump.h"
#include "testsupport/RecordingOwner.h"
#include "testsupport/UserInput.h"
#include "foundation/WindowMessages.h"
#include "platform/ui/HeaderCtrl.h"

#include <QDir>
#include <QElapsedTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#ifndef SUITE_VISUAL_DIR
#define SUITE_VISUAL_DIR "visual/acoustic"
#endif

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

TEST(HistogramView, StepsFollowTheSelectorAndTheLargestCount)
{
    struct Case
    {
        bool x;       // the X axis by the selector, else the Y axis by the Y maximum
        double value; // selector or Y maximum
        double minor, major;
    } cases[] = {
        {false, 10.0, 1.0, 1.0}, {false, 100.0, 1.0, 10.0}, {false, 101.0, 10.0, 50.0}, {false, 1.0, 1.0, 1.0},
        {true, 1.0, 10.0, 10.0},  {true, 0.5, 1.0, 1.0},     {true, 10.0, 10.0, 10.0},  {true, 5e7, 5e7, 5e7},
    };
    for (const Case& c : cases)
    {
        double minor = 0.0, major = 0.0;
        if (c.x)
            CHistogramView::XSteps(c.value, &minor, &major);
        else
            CHistogramView::YSteps(c.value, &minor, &major);
        EXPECT_EQ(minor, c.minor) << (c.x ? "x " : "y ") << c.value;
        EXPECT_EQ(major, c.major) << (c.x ? "x " : "y ") << c.value;
    }
    CHistogramView defaults;
    EXPECT_EQ(defaults.m_XMinimum, -5.0);
    EXPECT_EQ(defaults.m_XMaximum, 5.0);
    EXPECT_EQ(defaults.m_YMaximum, 1.0);
    EXPECT_EQ(defaults.m_XStep, 1.0);
}

// The pane bins every record's residual into its view; the view draws the bars in the
// series colour on white.
TEST(HistogramView, ThePaneFillsTheViewAndTheViewDrawsTheBars)
{
    CBoxin boxin;
    const double residuals[] = {-3.2, -0.4, 0.2, 0.7, 1.1, 4.9, 1e9};
    for (double r : residuals)
    {
        BoxinDef record{};
        record.RangeError = r;
        record.Used = r < 100.0 ? 1 : 0;
        boxin.Add(record);
    }
    boxin.m_MinResidual = -4.0;
    boxin.m_MaxResidual = 5.0;
    CBoxinHistogramPane pane;
    pane.m_pBoxin = &boxin;
    pane.UpdateHistogram();
    CHistogramView& view = pane.GetView();
    EXPECT_EQ(view.m_XMinimum, -5.0);
    EXPECT_EQ(view.m_XMaximum, 5.0);
    EXPECT_EQ(view.m_XStep, 1.0);
    EXPECT_EQ(view.m_YMaximum, 2.0);
    ASSERT_EQ(view.m_Points.GetSize(), 11);
    EXPECT_EQ(view.m_Points[5].y, 2.0); // 0.2 and 0.7
    EXPECT_EQ(view.m_Points[1].y, 1.0); // -3.2
    EXPECT_EQ(view.m_Points[4].y, 1.0); // -0.4, truncated towards zero from -5

    CRecordingOwner owner;
    ASSERT_TRUE(owner.CreateOwner(500, 400));
    ASSERT_TRUE(view.Create(&owner));
    view.MoveWindow(0, 0, 400, 300);
    view.Invalidate();
    PumpFor(20);
    const QImage shown = view.GetWidget()->grab().toImage();
    QDir().mkpath(SUITE_VISUAL_DIR);
    shown.save(QString(SUITE_VISUAL_DIR) + "/boxin-histogram.png");
    int white = 0, bars = 0, lower = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
        {
            const QRgb p = shown.pixel(x, y) & 0xFFFFFF;
            white += p == 0xFFFFFF;
            const bool bar = p == (qRgb(0, 255, 255) & 0xFFFFFF);
            bars += bar;
            lower += bar && y > shown.height() / 2;
        }
    EXPECT_GT(white, shown.width() * shown.height() / 3) << "white background";
    EXPECT_GT(bars, 200) << "the bars in the series colour";
    EXPECT_GT(lower, bars * 2 / 3) << "the bars stand on the X axis below";
    view.DestroyWindow();
}

// The list: columns for the mapped fields with the observation headed by its unit; rows that do
// not read unticked; a click on a row posts its vessel position to the owner.
TEST(BoxinList, ColumnsChecksAndAClickedRowsPosition)
{
    CRecordingOwner owner;
    ASSERT_TRUE(owner.CreateOwner(600, 400));
    CBoxin boxin;
    CBoxinListCtrl list;
    list.SetData(&owner, &boxin);
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 580, 380), &owner, 1));
    CListCtrlImport import;
    Define(import, {0, 1, -1, -2, 2});
    const char* labels[] = {"Vessel\nEasting", "Vessel\nNorthing", "Gyro\nHeading", "Water\nDepth", "Observed\nRange"};
    for (int i = 0; i < 5; ++i)
        import.ElementAt(i).FieldName = labels[i];

    struct Heading
    {
        int mode;
        bool twoWay;
        const char* text;
    } headings[] = {{0, true, "Range\nMetres"},
                    {1, false, "One-Way\nSeconds"},
                    {1, true, "Two-Way\nSeconds"},
                    {2, false, "One-Way\nMilliseconds"},
                    {2, true, "Two-Way\nMilliseconds"}};
    for (const Heading& h : headings)
    {
        boxin.m_RangeMode = h.mode;
        boxin.m_TwoWayTravelTime = h.twoWay;
        list.SetupColumns(import);
        ASSERT_EQ(list.GetHeaderCtrl()->GetItemCount(), 3);
        char text[64] = {};
        HDITEM item{};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        list.GetHeaderCtrl()->GetItem(0, &item);
        EXPECT_STREQ(text, "Vessel\nEasting");
        list.GetHeaderCtrl()->GetItem(2, &item);
        EXPECT_STREQ(text, h.text);
    }

    const char* rows[][3] = {{"E", "N", "R"}, {"500010", "6000020", "101.5"}, {"500030", "6000040", "1O2"}};
    for (int r = 0; r < 3; ++r)
    {
        list.InsertItem(r, rows[r][0]);
        for (int c = 1; c < 3; ++c)
            list.SetItemText(r, c, rows[r][c]);
    }
    EXPECT_EQ(list.ConvertRows(import), 2);
    EXPECT_FALSE(list.GetCheck(0));
    EXPECT_TRUE(list.GetCheck(1));
    EXPECT_FALSE(list.GetCheck(2));
    ASSERT_EQ(boxin.GetSize(), 3);
    EXPECT_EQ(boxin[1].ObservedValue, 101.5);

    owner.Clear();
    UserInput::ClickCell(list, 2, 1);
    PumpFor(10);
    const std::vector<POSTED_MESSAGE>& posted = owner.Messages();
    ASSERT_FALSE(posted.empty());
    EXPECT_EQ(posted.back().name, "UM_REDRAW_VECTOR_DISPLAY");
    EXPECT_EQ(posted.back().wParam, reinterpret_cast<WPARAM>(&list.GetPoint()));
    EXPECT_EQ(list.GetPoint().x, 500030.0);
    EXPECT_EQ(list.GetPoint().y, 6000040.0);
    list.DestroyWindow();
}

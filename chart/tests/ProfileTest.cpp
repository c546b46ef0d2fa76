// The seabed profile: its record and copying, adding points, range look-ups, and the lines
// built from a terrain model or as a straight slope.
#include "chart/geometry/Profile.h"

#include "features/Dtm.h"
#include "features/LoadDtmThread.h"
#include "features/tests/FeatureTestFiles.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

using namespace featuretest;

namespace
{
// A terrain of `columns` x `rows` nodes from (0, 0) at `cell` m, every node at `depth` m except
// those `hole` marks.
void MakeGrid(CDtm& dtm, int32_t columns, int32_t rows, double cell, double depth,
              bool (*hole)(int32_t column, int32_t row) = nullptr)
{
    dtm.Unload();
    dtm.m_Header.EastingMin = 0.0;
    dtm.m_Header.NorthingMin = 0.0;
    dtm.m_Header.CellSize = cell;
    dtm.m_Header.Columns = columns;
    dtm.m_Header.Rows = rows;
    ASSERT_TRUE(dtm.AllocateGrid());
    for (int32_t r = 0; r < rows; ++r)
        for (int32_t c = 0; c < columns; ++c)
            dtm.m_pCells[r * columns + c] = hole && hole(c, r) ? DTM_NO_DEPTH : static_cast<int32_t>(depth * 100);
}


// Loads a terrain as the program does: the extents and grid passes write the cache, and a
// fresh model reads that cache.
void LoadThroughCache(const char* xyzPath, CDtm& dtm)
{
    CDtm built;
    built.m_FileName[0] = xyzPath;
    for (int mode : {1, 2})
    {
        CLoadDtmThread worker;
        worker.m_pDtm = &built;
        worker.m_nMode = mode;
        if (mode == 1)
            worker.ComputeExtents();
        else
            worker.MakeGrid();
    }
    dtm.m_FileName[0] = xyzPath;
    ASSERT_FALSE(dtm.NeedsRebuild());
    CLoadDtmThread reader;
    reader.m_pDtm = &dtm;
    reader.m_nMode = 0;
    reader.ReadCache();
    ASSERT_NE(dtm.m_pCells, nullptr);
}
} // namespace

TEST(Profile, AddsPointsOnlyBeyondTheLastRangeAndKeepsTheDeepest)
{
    CProfile profile;
    EXPECT_EQ(profile.m_Factor, 1.0);
    profile.AddPoint(0, DBL_MAX, 100.0, 200.0);
    EXPECT_EQ(profile.m_MaxDepth, 0.0);
    profile.AddPoint(1, 12.0, 103.0, 204.0); // 5 m on
    profile.AddPoint(1, 40.0, 100.0, 203.0); // 3 m: behind the last, dropped
    profile.AddPoint(1, 10.0, 106.0, 208.0);
    profile.AddPoint(1, DBL_MAX, 109.0, 212.0);
    ASSERT_EQ(profile.GetSize(), 4);
    EXPECT_DOUBLE_EQ(profile[1].Range, 5.0);
    EXPECT_DOUBLE_EQ(profile[3].Range, 15.0);
    EXPECT_EQ(profile[1].Flag, 1);
    EXPECT_EQ(profile.m_MaxDepth, 12.0);
    EXPECT_EQ(profile.m_StartE, 100.0);
    EXPECT_EQ(profile.m_StartDepth, DBL_MAX);
    EXPECT_EQ(profile.m_LastE, 109.0);
    EXPECT_EQ(profile.m_LastDepth, DBL_MAX);

    CProfile copy;
    copy.AddPoint(0, 1.0, 0.0, 0.0);
    copy = profile;
    EXPECT_EQ(copy.GetSize(), 4);
    EXPECT_EQ(copy[2].Depth, 10.0);
    EXPECT_EQ(copy.m_MaxDepth, 12.0);
    EXPECT_EQ(copy.m_LastN, 212.0);
    const CProfile constructed(profile);
    EXPECT_EQ(constructed.GetSize(), 4);
}

TEST(Profile, RangeLookUps)
{
    CProfile profile;
    EXPECT_EQ(profile.GetIndexAtRange(0.0), -1);
    EXPECT_EQ(profile.GetSegmentAtRange(0.0), 0);
    EXPECT_EQ(profile.GetDepthAtRange(0.0), 0.0);
    profile.AddPointAtRange(0, 0, 10.0, 0.0, 1);
    EXPECT_EQ(profile.GetDepthAtRange(0.0), 0.0); // one point is no profile
    profile.AddPointAtRange(0, 0, 20.0, 10.0, 1);
    profile.AddPointAtRange(0, 0, 15.0, 30.0, 1);
    profile.AddPointAtRange(0, 0, DBL_MAX, 40.0, 0);

    struct Case
    {
        double range;
        INT_PTR index, segment;
        double depth;
    } cases[] = {
        {-1.0, 1, 0, 0.0},       // before the profile
        {0.0, 1, 0, 10.0},       //
        {5.0, 1, 0, 15.0},       //
        {10.0, 1, 0, 20.0},      // on a point: the segment that ends there
        {20.0, 2, 1, 17.5},      //
        {30.0, 2, 1, 15.0},      //
        {35.0, 3, 2, DBL_MAX},   // toward a point without a depth
        {40.0, 3, 2, DBL_MAX},   //
        {40.5, -1, 0, 0.0},      // beyond the end
        {std::nan(""), -1, 0, 0.0},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(profile.GetIndexAtRange(c.range), c.index) << c.range;
        EXPECT_EQ(profile.GetSegmentAtRange(c.range), c.segment) << c.range;
        EXPECT_EQ(profile.GetDepthAtRange(c.range), c.depth) << c.range;
    }
}

TEST(Profile, DepthAtRangeAgreesWithAScanOnALongProfile)
{
    CProfile profile;
    for (int i = 0; i < 80000; ++i)
        profile.AddPointAtRange(i, 0, 50.0 + std::sin(i * 0.01) * 10.0, i * 0.25, 1);
    for (double range : {0.0, 0.1, 1234.56, 9999.75, 19999.5, 19999.75})
    {
        INT_PTR i = 1;
        while (profile[i].Range < range)
            ++i;
        const ProDataDef& a = profile[i - 1];
        const ProDataDef& b = profile[i];
        EXPECT_DOUBLE_EQ(profile.GetDepthAtRange(range),
                         a.Depth + (b.Depth - a.Depth) * (range - a.Range) / (b.Range - a.Range))
            << range;
    }
}

TEST(Profile, StraightSlopes)
{
    struct Case
    {
        double endE, endN;
        INT_PTR points;
    } cases[] = {
        {3.0, 0.0, 2},         // shorter than 5 m: one step
        {0.0, 12.0, 3},        // floor(12 / 5) = 2 steps
        {10000.0, 0.0, 501},   // 2000 steps capped at 500
        {0.0, 0.0, 1},         // no length: the end falls on the start
    };
    for (const Case& c : cases)
    {
        CProfile profile;
        EXPECT_TRUE(profile.BuildStraight(c.endE, c.endN, 30.0, 0.0, 0.0, 10.0));
        ASSERT_EQ(profile.GetSize(), c.points) << c.endE << " " << c.endN;
        EXPECT_EQ(profile.m_MaxDepth, 30.0);
        EXPECT_EQ(profile[0].Depth, 10.0);
        EXPECT_EQ(profile[0].Flag, 0);
        if (c.points > 1)
        {
            EXPECT_EQ(profile[c.points - 1].Depth, 30.0);
            EXPECT_DOUBLE_EQ(profile[c.points - 1].Range, std::hypot(c.endE, c.endN));
            EXPECT_DOUBLE_EQ(profile.GetDepthAtRange(profile.m_Length / 2), 20.0);
        }
    }
    CProfile level;
    level.BuildStraight(100.0, 0.0, 5.0, 0.0, 0.0, 25.0);
    EXPECT_EQ(level.m_MaxDepth, 25.0); // the deeper end is the reference whichever it is
}

TEST(Profile, StraightLineOfNoFiniteLengthGivesItsTwoEnds)
{
    const double inf = std::numeric_limits<double>::infinity();
    CProfile profile;
    EXPECT_TRUE(profile.BuildStraight(inf, 0.0, 30.0, 0.0, 0.0, 10.0));
    ASSERT_EQ(profile.GetSize(), 2);
    EXPECT_EQ(profile[0].Depth, 10.0);
    EXPECT_EQ(profile[1].Depth, 30.0);
    EXPECT_TRUE(profile.BuildStraight(std::nan(""), 0.0, 30.0, 0.0, 0.0, 10.0));
    EXPECT_EQ(profile.GetSize(), 2);
}

TEST(Profile, FromTerrainEdgeCases)
{
    CDtm dtm;
    MakeGrid(dtm, 101, 3, 10.0, 25.0, [](int32_t c, int32_t) { return c < 30 || c > 60; });

    // Shorter than a cell: start and end only.
    CProfile shortLine;
    shortLine.BuildFromDtm(&dtm, 400.0, 10.0, 404.0, 13.0, 0.0);
    ASSERT_EQ(shortLine.GetSize(), 2);
    EXPECT_EQ(shortLine[1].Flag, 1);
    EXPECT_DOUBLE_EQ(shortLine[1].Range, 5.0);

    // Depths only in the middle: the leading points take the first depth, the trailing ones the
    // last; only the sampled ones carry the terrain flag.
    CProfile profile;
    profile.BuildFromDtm(&dtm, 0.0, 10.0, 1000.0, 10.0, 2.0);
    ASSERT_EQ(profile.GetSize(), 101);
    for (INT_PTR i = 0; i < profile.GetSize(); ++i)
    {
        EXPECT_EQ(profile[i].Depth, 27.0) << i;
        // A cell with one known corner counts: the sample at 290 m takes the corner at 300 m.
        EXPECT_EQ(profile[i].Flag, (i >= 29 && i <= 60) ? 1 : 0) << i;
    }
    EXPECT_EQ(profile.m_StartDepth, 27.0);
    EXPECT_EQ(profile.m_MaxDepth, 27.0);

    // The same line again is not rebuilt: a point changed by hand stays.
    profile[5].Depth = 99.0;
    profile.BuildFromDtm(&dtm, 0.0, 10.0, 1000.0, 10.0, 2.0);
    EXPECT_EQ(profile[5].Depth, 99.0);
    // A changed offset, or a line moved by any amount, is sampled again.
    profile.BuildFromDtm(&dtm, 0.0, 10.0, 1000.0, 10.0, 1.0);
    EXPECT_EQ(profile[5].Depth, 26.0);
    profile[5].Depth = 99.0;
    profile.BuildFromDtm(&dtm, 0.0, 10.0, 1000.0, 10.000001, 1.0);
    EXPECT_EQ(profile[5].Depth, 26.0);

    // No terrain at all: two points without depths.
    CProfile none;
    none.BuildFromDtm(nullptr, 0.0, 0.0, 100.0, 0.0, 0.0);
    ASSERT_EQ(none.GetSize(), 2);
    EXPECT_EQ(none[0].Depth, DBL_MAX);
    EXPECT_EQ(none[1].Depth, DBL_MAX);
}

TEST(Profile, ReloadedTerrainIsSampledAgain)
{
    CDtm dtm;
    MakeGrid(dtm, 11, 11, 10.0, 25.0);
    CProfile profile;
    profile.BuildFromDtm(&dtm, 0.0, 0.0, 100.0, 100.0, 0.0);
    EXPECT_EQ(profile[3].Depth, 25.0);

    MakeGrid(dtm, 11, 11, 10.0, 40.0); // loaded anew
    profile.BuildFromDtm(&dtm, 0.0, 0.0, 100.0, 100.0, 0.0);
    EXPECT_EQ(profile[3].Depth, 40.0);

    dtm.Unload();
    profile.BuildFromDtm(&dtm, 0.0, 0.0, 100.0, 100.0, 0.0);
    ASSERT_EQ(profile.GetSize(), 2);
    EXPECT_EQ(profile[1].Depth, DBL_MAX);

    // Another terrain of the same make is another terrain.
    CDtm other;
    MakeGrid(dtm, 11, 11, 10.0, 40.0);
    MakeGrid(other, 11, 11, 10.0, 55.0);
    profile.BuildFromDtm(&dtm, 0.0, 0.0, 100.0, 100.0, 0.0);
    profile.BuildFromDtm(&other, 0.0, 0.0, 100.0, 100.0, 0.0);
    EXPECT_EQ(profile[3].Depth, 55.0);
}

TEST(Profile, CellSizeThatMakesNoSenseIsNoTerrain)
{
    const double cells[] = {0.0, -5.0, std::nan(""), std::numeric_limits<double>::infinity()};
    for (double cell : cells)
    {
        CDtm dtm;
        MakeGrid(dtm, 11, 11, 10.0, 25.0);
        dtm.m_Header.CellSize = cell; // a damaged cache header
        CProfile profile;
        EXPECT_TRUE(profile.BuildFromDtm(&dtm, 0.0, 0.0, 100.0, 0.0, 0.0));
        ASSERT_EQ(profile.GetSize(), 2) << cell;
        EXPECT_EQ(profile[0].Depth, DBL_MAX) << cell;
        EXPECT_FALSE(dtm.HasDepthAt(50.0, 50.0)) << cell;
        EXPECT_EQ(dtm.GetDepth(50.0, 50.0), DBL_MAX) << cell;
    }
}

TEST(Profile, TinyCellSizeIsCappedInSamples)
{
    CDtm dtm;
    MakeGrid(dtm, 3, 3, 10.0, 25.0);
    dtm.m_Header.CellSize = 1e-9; // the grid now spans 2e-9 m; every sample but the first is off it
    CProfile profile;
    profile.BuildFromDtm(&dtm, 0.0, 0.0, 20000.0, 0.0, 0.0);
    EXPECT_LE(profile.GetSize(), CProfile::kMaxSamples + 2);
    EXPECT_GE(profile.GetSize(), CProfile::kMaxSamples);

    // The longest profile the program builds keeps every cell.
    CDtm fine;
    MakeGrid(fine, 3, 3, 0.25, 25.0);
    CProfile longest;
    longest.BuildFromDtm(&fine, 0.0, 0.0, 20000.0, 0.0, 0.0);
    EXPECT_EQ(longest.GetSize(), 80001);
    EXPECT_DOUBLE_EQ(longest[40000].Range, 10000.0);
}

TEST(Profile, InterpolatedAcrossAGapAndOffTheTerrain)
{
    CDtm dtm;
    // Depths from column 10 to 40 except a gap from 20 to 30.
    MakeGrid(dtm, 51, 3, 10.0, 30.0, [](int32_t c, int32_t) { return c < 10 || (c > 20 && c < 30) || c > 40; });
    ProfileEndDef end{1000.0, 10.0, 50.0, 0, 1.0};
    CProfile profile;
    EXPECT_TRUE(profile.BuildFromDtmInterpolated(&dtm, end, 0.0, 10.0));
    ASSERT_EQ(profile.GetSize(), 101);
    // Leading points take the first depth found.
    EXPECT_EQ(profile[0].Depth, 31.0);
    EXPECT_EQ(profile[9].Depth, 31.0);
    // Inside the gap: linear from the last terrain depth (at 200 m) toward the end at 50 m; the
    // sample at 290 m has a corner at 300 m again. Past the grid's end (500 m) the same from
    // the last terrain depth at 400 m.
    EXPECT_EQ(profile[20].Depth, 31.0);
    EXPECT_DOUBLE_EQ(profile[25].Depth, 31.0 + (50.0 - 31.0) * (250.0 - 200.0) / (1000.0 - 200.0));
    EXPECT_EQ(profile[29].Depth, 31.0);
    EXPECT_EQ(profile[35].Depth, 31.0);
    EXPECT_DOUBLE_EQ(profile[60].Depth, 31.0 + (50.0 - 31.0) * (600.0 - 400.0) / (1000.0 - 400.0));
    EXPECT_EQ(profile[100].Depth, 50.0);
    for (INT_PTR i = 0; i < profile.GetSize(); ++i)
        EXPECT_EQ(profile[i].Flag, 0) << i;
    EXPECT_EQ(profile.m_MaxDepth, 50.0);

    // With no terrain depth at all, the end's depth is the first found.
    CProfile flat;
    flat.BuildFromDtmInterpolated(nullptr, end, 0.0, 10.0);
    ASSERT_EQ(flat.GetSize(), 2);
    EXPECT_EQ(flat[0].Depth, 50.0);

    // The same line is not rebuilt; another end depth is.
    profile[50].Depth = 99.0;
    profile.BuildFromDtmInterpolated(&dtm, end, 0.0, 10.0);
    EXPECT_EQ(profile[50].Depth, 99.0);
    end.Depth = 60.0;
    profile.BuildFromDtmInterpolated(&dtm, end, 0.0, 10.0);
    EXPECT_EQ(profile[100].Depth, 60.0);
}

// 50 lines across a small terrain with holes, loaded through the loader and its cache, against
// depths from scipy (chart/tests/data/profile_generate_fixtures.py).
TEST(Profile, SamplesTheTerrainAsAnIndependentBilinearInterpolation)
{
    std::ifstream xyz(SUITE_SOURCE_DIR "/chart/tests/data/profile_terrain.xyz", std::ios::binary);
    ASSERT_TRUE(xyz.good());
    std::stringstream text;
    text << xyz.rdbuf();
    WriteBytes("C:\\Terrain\\holes.xyz", QByteArray::fromStdString(text.str()));
    CDtm dtm;
    LoadThroughCache("C:\\Terrain\\holes.xyz", dtm);
    ASSERT_EQ(dtm.m_Header.Columns, 14);
    ASSERT_EQ(dtm.m_Header.Rows, 11);

    std::ifstream in(SUITE_SOURCE_DIR "/chart/tests/data/profile_lines.txt");
    ASSERT_TRUE(in.good());
    std::string line;
    int lines = 0, sampled = 0;
    while (std::getline(in, line))
    {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream head(line);
        double se, sn, ee, en, offset;
        int count;
        ASSERT_TRUE(head >> se >> sn >> ee >> en >> offset >> count);
        CProfile profile;
        profile.BuildFromDtm(&dtm, se, sn, ee, en, offset);
        ++lines;
        ASSERT_EQ(profile.GetSize(), count) << line;
        for (int i = 0; i < count; ++i)
        {
            ASSERT_TRUE(std::getline(in, line));
            std::istringstream row(line);
            double range;
            std::string depth;
            int flag;
            ASSERT_TRUE(row >> range >> depth >> flag);
            EXPECT_NEAR(profile[i].Range, range, 1e-6) << "line " << lines << " point " << i;
            if (depth == "none")
                EXPECT_EQ(profile[i].Depth, DBL_MAX) << "line " << lines << " point " << i;
            else
                EXPECT_NEAR(profile[i].Depth, std::stod(depth), 1e-6) << "line " << lines << " point " << i;
            EXPECT_EQ(profile[i].Flag, flag) << "line " << lines << " point " << i;
            sampled += flag;
        }
    }
    EXPECT_EQ(lines, 50);
    EXPECT_GT(sampled, 200);
}

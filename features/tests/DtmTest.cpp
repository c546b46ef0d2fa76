#include "features/Dtm.h"
#include "features/LoadDtmThread.h"
#include "features/tests/FeatureTestFiles.h"
#include "platform/core/Path.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utime.h>

using namespace featuretest;

namespace
{
// Runs one mode of the worker on the calling thread, as its thread would.
void RunMode(CDtm& dtm, int mode, bool stopped = false)
{
    CLoadDtmThread worker;
    worker.m_pDtm = &dtm;
    worker.m_nMode = mode;
    worker.m_bStop = stopped;
    if (mode == 0)
        worker.ReadCache();
    else if (mode == 1)
        worker.ComputeExtents();
    else
        worker.MakeGrid();
}

// A rebuild as LoadDtm runs it, on a model unloaded first as its pane does.
void Build(CDtm& dtm)
{
    dtm.Unload();
    RunMode(dtm, 1);
    RunMode(dtm, 2);
}

void SetWriteTime(const char* windowsPath, time_t when)
{
    utimbuf times{when, when};
    ASSERT_EQ(::utime(LinuxPathBytesFromWindows(windowsPath).constData(), &times), 0);
}

int32_t CellAt(CDtm& dtm, double e, double n)
{
    const int32_t index = dtm.GetCellIndex(e, n);
    return index < 0 ? -1 : dtm.m_pCells[index];
}

template <class T> T At(const QByteArray& bytes, int offset)
{
    T value;
    std::memcpy(&value, bytes.constData() + offset, sizeof(T));
    return value;
}
} // namespace

TEST(Dtm, ParsesXyzLinesWithCommasAsBlanks)
{
    struct Case
    {
        const char* line;
        bool ok;
        double e, n, d;
    } cases[] = {
        {"100.5, 200.25, -12.3\n", true, 100.5, 200.25, -12.3},
        {"  1 2 3 trailing words\r\n", true, 1, 2, 3},
        {"1,,2,,3", true, 1, 2, 3},
        {"+1 -2 3e2", true, 1, -2, 300},
        {"0x10 1 2", true, 16, 1, 2},
        {"1 2\n", false, 0, 0, 0},
        {"Easting Northing Depth\n", false, 0, 0, 0},
        {"\n", false, 0, 0, 0},
    };
    for (const Case& c : cases)
    {
        double e = 0, n = 0, d = 0;
        EXPECT_EQ(ParseXyzLine(c.line, e, n, d), c.ok) << c.line;
        if (c.ok)
        {
            EXPECT_DOUBLE_EQ(e, c.e) << c.line;
            EXPECT_DOUBLE_EQ(n, c.n) << c.line;
            EXPECT_DOUBLE_EQ(d, c.d) << c.line;
        }
    }
}

TEST(Dtm, CacheBytesOfATinyGrid)
{
    WriteBytes("C:\\Survey\\tiny.xyz", "0,0,1.5\n10,0,-2.25\n0,10,0\nnot a point\n10,10,3.999\n");
    SetWriteTime("C:\\Survey\\tiny.xyz", 1262304000 + 3 * 3600 + 4 * 60 + 6); // 2010-01-01 03:04:06 UTC
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\Survey\\tiny.xyz";
    Build(dtm);

    const QByteArray bytes = ReadBytes("C:\\Survey\\tiny.DTM");
    ASSERT_EQ(bytes.size(), 1072 + 4 * 4);
    EXPECT_EQ(bytes.left(8), QByteArray("DTM\0" "1001", 8));
    EXPECT_EQ(At<double>(bytes, 8), 0.0);
    EXPECT_EQ(At<double>(bytes, 16), 0.0);
    EXPECT_EQ(At<double>(bytes, 24), 10.0);
    EXPECT_EQ(At<int32_t>(bytes, 32), 2);
    EXPECT_EQ(At<int32_t>(bytes, 36), 2);
    EXPECT_EQ(At<double>(bytes, 40), -2.25);
    EXPECT_EQ(At<double>(bytes, 48), 3.999);
    // Stamp of DTM One: valid flag left 0, DOS time, DOS date, length.
    EXPECT_EQ(At<uint8_t>(bytes, 56), 0);
    EXPECT_EQ(At<uint16_t>(bytes, 58), (3 << 11) | (4 << 5) | 3);
    EXPECT_EQ(At<uint16_t>(bytes, 60), (30 << 9) | (1 << 5) | 1);
    EXPECT_EQ(At<uint64_t>(bytes, 64), 50u);
    EXPECT_EQ(At<double>(bytes, 104), 0.0);
    EXPECT_EQ(At<double>(bytes, 120), 10.0);
    // The depth-0 point still widened the grid but not the file's extent in northing.
    EXPECT_EQ(At<double>(bytes, 128), 10.0);
    EXPECT_EQ(bytes.mid(72, 1072 - 72), QByteArray(1072 - 72, '\0').replace(104 - 72, 32, bytes.mid(104, 32)));
    const int32_t cells[4] = {150, 225, INT_MAX, 399};
    EXPECT_EQ(bytes.mid(1072), QByteArray(reinterpret_cast<const char*>(cells), sizeof(cells)));

    CDtm reread;
    reread.m_FileName[0] = dtm.m_FileName[0];
    EXPECT_FALSE(reread.NeedsRebuild());
    EXPECT_EQ(reread.m_SizeText[0], "50b");
    EXPECT_EQ(reread.m_TimeText[0], "03:04:06");
    EXPECT_EQ(reread.m_DateText[0], "01 Jan 2010");
    EXPECT_EQ(reread.m_MaxEasting, 10.0);
    RunMode(reread, 0);
    ASSERT_NE(reread.m_pCells, nullptr);
    EXPECT_EQ(std::memcmp(reread.m_pCells, cells, sizeof(cells)), 0);
    EXPECT_DOUBLE_EQ(reread.GetDepth(10, 0), 2.25);
    // The upper-left node has no depth; of the two known corners 10 m away the first answers.
    EXPECT_DOUBLE_EQ(reread.GetDepth(0, 10), 1.5);
}

TEST(Dtm, ExtentPassFollowsDepthsAndZeroDepths)
{
    CDtm dtm;
    EXPECT_TRUE(dtm.AddExtentPoint(100.5, 200.25, -12.3));
    EXPECT_EQ(dtm.m_Header.DepthMin, -12.3);
    EXPECT_EQ(dtm.m_Header.DepthMax, -12.3);
    // No depth: refused, yet its position widens the grid and narrows the cell size.
    EXPECT_FALSE(dtm.AddExtentPoint(101.5, 200.75, DBL_MAX));
    EXPECT_EQ(dtm.m_MaxEasting, 101.5);
    EXPECT_EQ(dtm.m_Header.CellSize, 0.5);
    EXPECT_EQ(dtm.m_Header.DepthMax, -12.3);
    EXPECT_FALSE(dtm.AddExtentPoint(DBL_MAX, 0, 1));
    EXPECT_EQ(dtm.m_MinNorthing, 200.25);
}

TEST(Dtm, RegularGridsMatchGdalsXyzReading)
{
    // gdalinfo features/tests/data/dtm_regular.xyz: "Size is 4, 3", "Pixel Size = (5,5)".
    WriteBytes("C:\\Survey\\dtm_regular.xyz", Fixture("dtm_regular.xyz"));
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\Survey\\dtm_regular.xyz";
    Build(dtm);
    EXPECT_EQ(dtm.m_Header.CellSize, 5.0);
    EXPECT_EQ(dtm.m_Header.Columns, 4);
    EXPECT_EQ(dtm.m_Header.Rows, 3);
    EXPECT_EQ(CellAt(dtm, 115, 210), 1275);
    EXPECT_EQ(CellAt(dtm, 100, 200), 1000);
    EXPECT_EQ(dtm.GetColumn(115), 3);
    EXPECT_EQ(dtm.GetColumn(120), -2);
    EXPECT_EQ(dtm.GetColumn(99.9), -1);
    EXPECT_EQ(dtm.m_LastColumn, -1);
    EXPECT_EQ(dtm.GetRow(214.9), 2);
    EXPECT_EQ(dtm.GetCellIndex(99, 205), -1);
    EXPECT_EQ(dtm.m_LastColumn, -1);
}

TEST(Dtm, RectangularSpacingKeepsEveryPoint)
{
    // Rows 2 m apart of points 5 m apart: the cell size drops to 2 m only once the second row
    // is read, after the columns had first been counted at 5 m.
    QByteArray text;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 6; ++c)
            text += QByteArray::number(1000 + 5 * c) + " " + QByteArray::number(5000 + 2 * r) + " " +
                    QByteArray::number(r * 10 + c + 1) + "\n";
    WriteBytes("C:\\Survey\\rect.xyz", text);
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\Survey\\rect.xyz";
    Build(dtm);
    EXPECT_EQ(dtm.m_Header.CellSize, 2.0);
    EXPECT_EQ(dtm.m_Header.Columns, 13);
    EXPECT_EQ(dtm.m_Header.Rows, 4);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 6; ++c)
            EXPECT_EQ(CellAt(dtm, 1000 + 5 * c, 5000 + 2 * r), (r * 10 + c + 1) * 100) << r << "," << c;
}

TEST(Dtm, ANarrowSourceGivesNoGridAndNoCache)
{
    WriteBytes("C:\\Survey\\line.xyz", "5 1 1\n5 2 1\n5 3 1\n");
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\Survey\\line.xyz";
    Build(dtm);
    EXPECT_EQ(dtm.m_Header.Columns, 0);
    EXPECT_EQ(dtm.m_pCells, nullptr);
    EXPECT_FALSE(Exists("C:\\Survey\\line.DTM"));
    EXPECT_TRUE(dtm.NeedsRebuild());
}

TEST(Dtm, LaterFilesWinAndMissingFilesAreSkipped)
{
    WriteBytes("C:\\Survey\\one.xyz", "0 0 1\n10 10 2\n");
    WriteBytes("C:\\Survey\\three.xyz", "0 0 7\n");
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\Survey\\one.xyz";
    dtm.m_FileName[1] = "C:\\Survey\\missing.xyz";
    dtm.m_FileName[2] = "C:\\Survey\\three.xyz";
    Build(dtm);
    EXPECT_EQ(CellAt(dtm, 0, 0), 700);
    EXPECT_TRUE(Exists("C:\\Survey\\Triple.DTM"));
    EXPECT_EQ(dtm.m_Header.Stamp[1].Length, 0u);
    // A missing DTM Two always counts as changed.
    EXPECT_TRUE(dtm.NeedsRebuild());
}

TEST(Dtm, CacheNames)
{
    struct Case
    {
        const char* one;
        const char* two;
        const char* three;
        const char* cache;
    } cases[] = {
        {"C:\\A\\survey.xyz", "", "", "C:\\A\\survey.DTM"},
        {"C:\\A\\survey.v2.xyz", "", "", "C:\\A\\survey.v2.DTM"},
        {"C:\\A\\survey", "", "", "C:\\A\\survey.DTM"},
        {"C:\\A\\one.xyz", "C:\\B\\two.xyz", "", "C:\\A\\Combined.DTM"},
        {"C:\\A\\one.xyz", "C:\\B\\two.xyz", "C:\\B\\three.xyz", "C:\\A\\Triple.DTM"},
    };
    for (const Case& c : cases)
    {
        CDtm dtm;
        dtm.m_FileName[0] = c.one;
        dtm.m_FileName[1] = c.two;
        dtm.m_FileName[2] = c.three;
        EXPECT_EQ(dtm.GetCacheFileName(), c.cache) << c.one;
    }
}

TEST(Dtm, StalenessFollowsTheNamedSources)
{
    WriteBytes("C:\\S\\one.xyz", "0 0 1\n10 10 2\n");
    WriteBytes("C:\\S\\two.xyz", "5 5 3\n");
    WriteBytes("C:\\S\\three.xyz", "5 5 4\n");
    SetWriteTime("C:\\S\\one.xyz", 1500000000);
    SetWriteTime("C:\\S\\two.xyz", 1500000000);
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\S\\one.xyz";
    dtm.m_FileName[1] = "C:\\S\\two.xyz";
    Build(dtm);
    EXPECT_FALSE(dtm.NeedsRebuild());
    // DTM Three is not part of the model: its changes do not count.
    SetWriteTime("C:\\S\\three.xyz", 1600000000);
    EXPECT_FALSE(dtm.NeedsRebuild());
    SetWriteTime("C:\\S\\two.xyz", 1500000010);
    EXPECT_TRUE(dtm.IsSourceChanged(1));
    EXPECT_FALSE(dtm.IsSourceChanged(0));
    EXPECT_TRUE(dtm.NeedsRebuild());

    // A wrong magic does not matter while the stamps match.
    Build(dtm);
    QByteArray bytes = ReadBytes("C:\\S\\Combined.DTM");
    ASSERT_GT(bytes.size(), 1072);
    bytes[0] = 'X';
    WriteBytes("C:\\S\\Combined.DTM", bytes);
    EXPECT_FALSE(dtm.NeedsRebuild());
}

TEST(Dtm, DamagedCacheHeadersAreRefusedBeforeAllocating)
{
    WriteBytes("C:\\S\\one.xyz", "0 0 1\n10 10 2\n");
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\S\\one.xyz";
    Build(dtm);
    const QByteArray good = ReadBytes("C:\\S\\one.DTM");
    struct Case
    {
        int32_t columns, rows;
    } cases[] = {{100000, 100000}, {65536, 65536}, {-1, 2}, {0, 5}, {3, 2}};
    for (const Case& c : cases)
    {
        QByteArray bad = good;
        std::memcpy(bad.data() + 32, &c.columns, 4);
        std::memcpy(bad.data() + 36, &c.rows, 4);
        WriteBytes("C:\\S\\one.DTM", bad);
        CDtm reader;
        reader.m_FileName[0] = dtm.m_FileName[0];
        EXPECT_FALSE(reader.ReadCacheHeader()) << c.columns << " x " << c.rows;
        EXPECT_TRUE(reader.NeedsRebuild());
    }
    WriteBytes("C:\\S\\one.DTM", good.left(1072 + 8));
    EXPECT_TRUE(dtm.NeedsRebuild());
}

TEST(Dtm, GridsTooFineToHoldAreRefused)
{
    WriteBytes("C:\\S\\fine.xyz", "0 0 1\n0.000001 0.000001 1\n10000 10000 2\n");
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\S\\fine.xyz";
    RunMode(dtm, 1);
    EXPECT_EQ(dtm.m_Header.Columns, 0);
    EXPECT_FALSE(dtm.m_strRefusal.IsEmpty());
    RunMode(dtm, 2);
    EXPECT_EQ(dtm.m_pCells, nullptr);
    EXPECT_FALSE(Exists("C:\\S\\fine.DTM"));
}

TEST(Dtm, StoppedRunsWriteNoCacheAndReadPartly)
{
    QByteArray text;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            text += QByteArray::number(c) + " " + QByteArray::number(r) + " 1\n";
    WriteBytes("C:\\S\\g.xyz", text);
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\S\\g.xyz";
    Build(dtm);
    ASSERT_TRUE(Exists("C:\\S\\g.DTM"));

    // A stopped build leaves the cache that was there as it was.
    const QByteArray before = ReadBytes("C:\\S\\g.DTM");
    dtm.Unload();
    RunMode(dtm, 1);
    RunMode(dtm, 2, true);
    EXPECT_EQ(ReadBytes("C:\\S\\g.DTM"), before);
    EXPECT_FALSE(Exists("C:\\S\\g.DTM.part"));

    // A stopped cache read ends after its first block of rows, and what it did not reach holds
    // no depth. A row wider than a block makes the block that one row.
    const int32_t wide = static_cast<int32_t>(CLoadDtmThread::kCacheBlockBytes / 4) + 1;
    WriteBytes("C:\\S\\g.xyz", "0 0 1\n1 0 1\n" + QByteArray::number(wide - 1) + " 0 1\n0 1 1\n0 2 1\n");
    Build(dtm);
    CDtm reader;
    reader.m_FileName[0] = dtm.m_FileName[0];
    ASSERT_FALSE(reader.NeedsRebuild());
    ASSERT_EQ(reader.m_Header.Columns, wide);
    ASSERT_EQ(reader.m_Header.Rows, 3);
    RunMode(reader, 0, true);
    ASSERT_NE(reader.m_pCells, nullptr);
    for (int32_t column : {0, 1, wide - 1})
        EXPECT_EQ(reader.m_pCells[column], 100) << column;
    EXPECT_EQ(reader.m_pCells[2], INT_MAX);
    for (int64_t i = wide; i < 3 * int64_t(wide); ++i)
        ASSERT_EQ(reader.m_pCells[i], INT_MAX) << i;
    // Not stopped, it reads them all.
    RunMode(reader, 0);
    EXPECT_EQ(reader.m_pCells[wide], 100);
    EXPECT_EQ(reader.m_pCells[2 * int64_t(wide)], 100);
}

TEST(Dtm, FileTexts)
{
    struct Case
    {
        uint64_t length;
        const char* size;
    } cases[] = {{0, "0b"}, {512, "512b"}, {1024, "1Kb"}, {1536, "1.5Kb"}, {1048576, "1Mb"}, {uint64_t(1) << 40, ""}};
    for (const Case& c : cases)
    {
        CDtm dtm;
        dtm.m_Header.Stamp[0].Length = c.length;
        dtm.MakeFileTexts(0);
        EXPECT_EQ(dtm.m_SizeText[0], c.size) << c.length;
    }
    CDtm dtm;
    dtm.m_Header.Stamp[1].DosDate = (44 << 9) | (0 << 5) | 9;
    dtm.m_Header.Stamp[1].DosTime = (23 << 11) | (59 << 5) | 29;
    dtm.MakeFileTexts(1);
    EXPECT_EQ(dtm.m_DateText[1], "09 Jan 2024");
    EXPECT_EQ(dtm.m_TimeText[1], "23:59:58");
}

TEST(Dtm, SettingsFile)
{
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\S\\a,b.xyz";
    dtm.m_bDisplayCoverage = true;
    dtm.m_Pen[1] = tagPen{2, 3, 0x00FF00, -2};
    dtm.SaveSettings();
    const QByteArray text = ReadBytes(InSettings("DTM.INI"));
    EXPECT_TRUE(text.startsWith("Dtm One File Name = C:\\S\\a")) << text.constData();
    EXPECT_TRUE(text.contains("Dtm Two File Name = \r\nDtm Three File Name = \r\nDisplay Coverage = 1\r\n"))
        << text.constData();
    EXPECT_TRUE(text.contains("Dtm Two Pen = 65280, 2, 3, -2\r\n")) << text.constData();

    // A new model reads back what the writer wrote, and writes the same bytes again.
    CDtm reread;
    EXPECT_EQ(reread.m_FileName[0], "C:\\S\\a,b.xyz");
    EXPECT_EQ(reread.m_FileName[1], "");
    EXPECT_TRUE(reread.m_bDisplayCoverage);
    for (int i = 0; i < 3; ++i)
    {
        const tagPen &a = reread.m_Pen[i], &b = dtm.m_Pen[i];
        EXPECT_TRUE(a.nStyle == b.nStyle && a.nThickness == b.nThickness && a.Colour == b.Colour && a.nFill == b.nFill)
            << i;
    }
    reread.SaveSettings();
    EXPECT_EQ(ReadBytes(InSettings("DTM.INI")), text);
}

TEST(Dtm, SettingsDefaults)
{
    struct Pen
    {
        int style, thickness;
        uint32_t colour;
        int fill;
    };
    auto expectPens = [](const CDtm& dtm, const Pen (&pens)[3], const char* what) {
        for (int i = 0; i < 3; ++i)
        {
            EXPECT_EQ(dtm.m_Pen[i].nStyle, pens[i].style) << what << i;
            EXPECT_EQ(dtm.m_Pen[i].nThickness, pens[i].thickness) << what << i;
            EXPECT_EQ(dtm.m_Pen[i].Colour, pens[i].colour) << what << i;
            EXPECT_EQ(dtm.m_Pen[i].nFill, pens[i].fill) << what << i;
        }
    };
    {
        CDtm none; // no settings file
        EXPECT_FALSE(none.m_bDisplayCoverage);
        EXPECT_EQ(none.m_pCells, nullptr);
        expectPens(none, {{0, 2, 0xFF00FF, -2}, {0, 2, 0xFFFF00, -2}, {0, 2, 0xFF0000, -2}}, "no file ");
    }
    // A short file with a damaged coverage line and a pen without its last fields.
    WriteBytes(InSettings("DTM.INI"), "Dtm One File Name = C:\\a.xyz\r\nDtm Two File Name\r\nDtm Three File Name = \r\n"
                                      "Display Coverage = yes\r\nDtm One Pen = 255, 1\r\n");
    CDtm shortFile;
    EXPECT_EQ(shortFile.m_FileName[0], "C:\\a.xyz");
    EXPECT_EQ(shortFile.m_FileName[1], "");
    EXPECT_FALSE(shortFile.m_bDisplayCoverage);
    expectPens(shortFile, {{1, 1, 255, 0}, {0, 1, 0xC0C0C0, 0}, {0, 1, 0xC0C0C0, 0}}, "short file ");
}

TEST(Dtm, DepthAtCornersOfTheCells)
{
    // Nodes 10 m apart from (0, 0), 3 x 3, depths in cm; the centre-right node has none.
    WriteBytes("C:\\Survey\\corners.xyz", "0,0,10\n10,0,20\n20,0,30\n0,10,12\n10,10,22\n20,10,0\n0,20,14\n10,20,24\n20,20,34\n");
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\Survey\\corners.xyz";
    Build(dtm);
    ASSERT_NE(dtm.m_pCells, nullptr);
    struct Case
    {
        double e, n;
        double depth; // DBL_MAX: none
        bool has;
    } cases[] = {
        {0, 0, 10, true},             // a node
        {5, 5, 16, true},             // bilinear: (10 + 20 + 12 + 22) / 4
        {2.5, 7.5, 14.0, true},       //
        {10, 10, 22, true},           // a node shared by four cells
        {14, 3, 20, true},            // a corner missing: the nearest known one (10, 0)
        {16, 7, 22, true},            // nearest known (10, 10), not an interpolation
        {15, 5, 20, true},            // a tie of (10, 0) and (10, 10): the first in order
        {20, 20, 34, true},           // the upper-right corner of the grid: from the last cell
        {20, 15, 34, true},           // the last column: the cell before; (20, 10) has no depth
        {12, 20, 24, true},           // the last row
        {20.001, 5, DBL_MAX, false},  // off the grid
        {-0.001, 5, DBL_MAX, false},  //
        {5, 20.5, DBL_MAX, false},    //
    };
    for (const Case& c : cases)
    {
        EXPECT_DOUBLE_EQ(dtm.GetDepth(c.e, c.n), c.depth) << c.e << " " << c.n;
        EXPECT_EQ(dtm.HasDepthAt(c.e, c.n), c.has) << c.e << " " << c.n;
    }

    // Without cells loaded the grid answers 0 everywhere on it, and has a depth there.
    std::free(dtm.m_pCells);
    dtm.m_pCells = nullptr;
    EXPECT_EQ(dtm.GetDepth(5, 5), 0.0);
    EXPECT_TRUE(dtm.HasDepthAt(5, 5));
    EXPECT_FALSE(dtm.HasDepthAt(25, 5));

    // A cell whose corners all lack depths has none.
    CDtm holes;
    holes.m_FileName[0] = "C:\\Survey\\holes.xyz";
    WriteBytes("C:\\Survey\\holes.xyz", "0,0,10\n10,0,0\n20,0,0\n30,0,0\n0,10,0\n10,10,0\n20,10,0\n30,10,5\n");
    Build(holes);
    EXPECT_EQ(holes.GetDepth(15, 5), DBL_MAX);
    EXPECT_FALSE(holes.HasDepthAt(15, 5));
    EXPECT_TRUE(holes.HasDepthAt(25, 5));
}

TEST(Dtm, LoadsAndUnloadsAreCounted)
{
    WriteBytes("C:\\Survey\\count.xyz", "0,0,10\n10,0,20\n0,10,12\n10,10,22\n");
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\Survey\\count.xyz";
    uint32_t seen = dtm.m_LoadCount;
    Build(dtm);
    EXPECT_NE(dtm.m_LoadCount, seen);
    seen = dtm.m_LoadCount;
    dtm.Unload();
    EXPECT_NE(dtm.m_LoadCount, seen);
    seen = dtm.m_LoadCount;
    ASSERT_FALSE(dtm.NeedsRebuild());
    RunMode(dtm, 0);
    EXPECT_NE(dtm.m_LoadCount, seen);
}

// A cache is the only copy of a grid once its source is gone; it goes only when a rebuild has
// made its replacement.
TEST(DtmBadInput, AValidCacheOutlivesAMissingOrUnreadableSource)
{
    WriteBytes("C:\\Survey\\keep.xyz", "0,0,1.5\n10,0,-2.25\n0,10,4\n10,10,3.999\n");
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\Survey\\keep.xyz";
    Build(dtm);
    const QByteArray cache = ReadBytes("C:\\Survey\\keep.DTM");
    ASSERT_EQ(cache.size(), 1072 + 4 * 4);

    // Source gone: the cache serves, and the user is told.
    ASSERT_TRUE(QFile::remove(LinuxPathFromWindows("C:\\Survey\\keep.xyz")));
    CDtm reader;
    reader.m_FileName[0] = dtm.m_FileName[0];
    EXPECT_FALSE(reader.NeedsRebuild());
    EXPECT_NE(reader.m_strNotice.Find("keep.xyz"), -1) << (LPCSTR)reader.m_strNotice;
    RunMode(reader, 0);
    ASSERT_NE(reader.m_pCells, nullptr);
    EXPECT_EQ(CellAt(reader, 10, 10), 399);
    // A rebuild tried all the same makes no grid and leaves the cache be.
    Build(reader);
    EXPECT_EQ(ReadBytes("C:\\Survey\\keep.DTM"), cache);

    // A source whose first line reads as "nan": refused with its line, the cache kept.
    WriteBytes("C:\\Survey\\keep.xyz", Fixture("bad_dtm_nan.xyz"));
    CDtm rebuilt;
    rebuilt.m_FileName[0] = dtm.m_FileName[0];
    EXPECT_TRUE(rebuilt.NeedsRebuild());
    EXPECT_TRUE(rebuilt.m_strNotice.IsEmpty());
    rebuilt.Unload();
    RunMode(rebuilt, 1);
    EXPECT_NE(rebuilt.m_strRefusal.Find("keep.xyz, line 1:"), -1) << (LPCSTR)rebuilt.m_strRefusal;
    RunMode(rebuilt, 2);
    EXPECT_EQ(rebuilt.m_pCells, nullptr);
    EXPECT_EQ(ReadBytes("C:\\Survey\\keep.DTM"), cache);
}

// The depths dialog's timer keeps the last column and row it looked up while the grid is
// filled on another thread: the fill leaves them to it.
TEST(DtmBadInput, FillingTheGridLeavesTheLastColumnAndRowToTheDialog)
{
    WriteBytes("C:\\Survey\\own.xyz", "0,0,1\n10,0,2\n0,10,3\n10,10,4\n");
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\Survey\\own.xyz";
    dtm.Unload();
    RunMode(dtm, 1);
    dtm.m_LastColumn = 77;
    dtm.m_LastRow = 78;
    RunMode(dtm, 2);
    ASSERT_NE(dtm.m_pCells, nullptr);
    EXPECT_EQ(dtm.m_LastColumn, 77);
    EXPECT_EQ(dtm.m_LastRow, 78);
    EXPECT_EQ(dtm.CellIndexOf(10, 10), 3);
    EXPECT_EQ(dtm.ColumnOf(25), -2);
    EXPECT_EQ(dtm.RowOf(-1), -1);
}

// Coordinates no grid can hold make a refusal, not an overflowing cell count.
TEST(DtmBadInput, HugeCoordinatesAreRefusedAsTooLarge)
{
    WriteBytes("C:\\Survey\\huge.xyz", Fixture("bad_dtm_huge.xyz"));
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\Survey\\huge.xyz";
    dtm.Unload();
    RunMode(dtm, 1);
    EXPECT_EQ(dtm.m_Header.Columns, 0);
    EXPECT_NE(dtm.m_strRefusal.Find("too large"), -1) << (LPCSTR)dtm.m_strRefusal;
}

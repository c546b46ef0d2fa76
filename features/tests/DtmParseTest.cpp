// How XYZ sources are read: numbers exactly as the standard conversion gives them, lines in
// pieces of at most 1023 characters, and every point of a file that spans many buffer fills.
#include "features/Dtm.h"
#include "features/LoadDtmThread.h"
#include "features/tests/FeatureTestFiles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <charconv>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace featuretest;

namespace
{
struct Progress
{
    std::atomic<int64_t> total{0};
    std::atomic<int64_t> done{0};
};

// Runs the extent pass and the grid pass on the calling thread, as the loader's thread would,
// reading the sources in `ranges` (CLoadDtmThread::m_nRanges).
void Build(CDtm& dtm, Progress* extent = nullptr, Progress* grid = nullptr, int ranges = 0)
{
    dtm.Unload();
    CLoadDtmThread first;
    first.m_pDtm = &dtm;
    first.m_nRanges = ranges;
    if (extent)
    {
        first.m_pBytesTotal = &extent->total;
        first.m_pBytesDone = &extent->done;
    }
    first.ComputeExtents();
    CLoadDtmThread second;
    second.m_pDtm = &dtm;
    second.m_nRanges = ranges;
    if (grid)
    {
        second.m_pBytesTotal = &grid->total;
        second.m_pBytesDone = &grid->done;
    }
    second.MakeGrid();
}

int32_t CellAt(CDtm& dtm, double e, double n)
{
    const int32_t index = dtm.GetCellIndex(e, n);
    return index < 0 || !dtm.m_pCells ? -1 : dtm.m_pCells[index];
}

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof(double)) == 0;
}

QByteArray Blanks(int count)
{
    return QByteArray(count, ' ');
}
} // namespace

TEST(DtmParse, NumbersReadExactlyAsTheStandardConversion)
{
    // Random decimal texts of every length around the limits of a quick reading (19 digits,
    // 2^53), with and without exponents: each must come out bit for bit as from_chars reads it.
    std::mt19937_64 random(20240611);
    auto digits = [&random](int count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += static_cast<char>('0' + random() % 10);
        return text;
    };
    std::vector<std::string> tokens = {"9007199254740992",
                                       "9007199254740993",
                                       "-9007199254740993",
                                       "0.1",
                                       "-0",
                                       "-0.0",
                                       "5.",
                                       ".5",
                                       "-.5",
                                       "1234567890123456789",
                                       "12345678901234567890",
                                       "0.30000000000000004",
                                       "00000000000000000000001.5",
                                       "0.0000000000000000000001",
                                       "0.00000000000000000000001",
                                       "450000.00",
                                       "6209995.00",
                                       "36.881"};
    for (int i = 0; i < 20000; ++i)
    {
        std::string token = (random() % 3 == 0) ? "-" : "";
        const int whole = static_cast<int>(random() % 22);
        token += digits(whole);
        if (whole == 0 || random() % 2)
            token += "." + digits(static_cast<int>(random() % 26) + (whole == 0 ? 1 : 0));
        if (random() % 5 == 0)
            token += std::string(random() % 2 ? "e" : "E") + (random() % 2 ? "-" : "") +
                     std::to_string(random() % 200);
        tokens.push_back(token);
    }
    for (size_t i = 0; i + 2 < tokens.size(); i += 3)
    {
        const std::string line = tokens[i] + " " + tokens[i + 1] + ",\t" + tokens[i + 2] + "\r\n";
        double expected[3];
        for (int k = 0; k < 3; ++k)
        {
            const std::string& token = tokens[i + k];
            const auto result = std::from_chars(token.data(), token.data() + token.size(), expected[k]);
            ASSERT_TRUE(result.ec == std::errc() && result.ptr == token.data() + token.size()) << token;
        }
        double e = 0, n = 0, d = 0;
        ASSERT_TRUE(ParseXyzLine(line.c_str(), e, n, d)) << line;
        EXPECT_TRUE(SameBits(e, expected[0])) << line;
        EXPECT_TRUE(SameBits(n, expected[1])) << line;
        EXPECT_TRUE(SameBits(d, expected[2])) << line;
    }
}

TEST(DtmParse, LineFormsAQuickReadingCouldMisjudge)
{
    struct Case
    {
        const char* line;
        bool ok;
        double e, n, d;
    } cases[] = {
        {".5 -.5 5.", true, 0.5, -0.5, 5},
        // A second point ends the first number and begins the next.
        {"1.2.3 4", true, 1.2, 0.3, 4},
        {"1e3 2E-1 +3e+0", true, 1000, 0.2, 3},
        {"\t\v\f1\r2\r3", true, 1, 2, 3},
        {"1 2 3", true, 1, 2, 3},
        {"1 2 3 4 5", true, 1, 2, 3},
        {"1 2 3abc", true, 1, 2, 3},
        {"7x 1 2", false, 0, 0, 0},
        {"1e5x 2 3", false, 0, 0, 0},
        {"1 - 2 3", false, 0, 0, 0},
        {". 1 2 3", false, 0, 0, 0},
        {"1 2 ,, ", false, 0, 0, 0},
        {"1 2", false, 0, 0, 0},
        {"", false, 0, 0, 0},
        {" \r\n", false, 0, 0, 0},
    };
    for (const Case& c : cases)
    {
        double e = 0, n = 0, d = 0;
        EXPECT_EQ(ParseXyzLine(c.line, e, n, d), c.ok) << c.line;
        if (c.ok)
        {
            EXPECT_EQ(e, c.e) << c.line;
            EXPECT_EQ(n, c.n) << c.line;
            EXPECT_EQ(d, c.d) << c.line;
        }
    }
    double e = 1, n = 1, d = 1;
    ASSERT_TRUE(ParseXyzLine("-0 -0.0 0", e, n, d));
    EXPECT_TRUE(std::signbit(e) && std::signbit(n) && !std::signbit(d));
}

TEST(DtmParse, SourceFormsGridEveryPoint)
{
    // Each source holds the corners (0,0,1.5) (10,0,2.5) (0,10,3.5) (10,10,4.5) among other
    // lines; the grid must be 2 x 2 at 10 m with exactly those depths.
    const QByteArray pieceEnd = Blanks(1023 - 7);
    static const char withNul[] = "0 0 1.5\n10 0 2.5\n10 0\0 9.5\n0 10 3.5\n10 10 4.5\n";
    struct Case
    {
        const char* name;
        QByteArray text;
    } cases[] = {
        {"plain", "0 0 1.5\n10 0 2.5\n0 10 3.5\n10 10 4.5\n"},
        {"CR LF and no final newline", "0 0 1.5\r\n10 0 2.5\r\n0 10 3.5\r\n10 10 4.5"},
        {"no final newline after a blank", "0 0 1.5\n10 0 2.5\n0 10 3.5\n10 10 4.5 "},
        {"exponents and plus signs", "0e0 0E+0 15e-1\n1e1 +0 2.5E0\n+0 1.0e+1 +3.5\n10 1e1 0.45e1\n"},
        {"hexadecimal", "0x0 0 1.5\n0xA 0 2.5\n0 0xa 3.5\n0XA 0xA 4.5\n"},
        {"header, blank lines, two numbers, remarks",
         "Easting,Northing,Depth\n\n0,0,1.5\n10\t0\t2.5\n5 5\n \t\r\n0, 10, 3.5, remark\n10,,10,,4.5\n"},
        {"a NUL ends its line", QByteArray(withNul, sizeof(withNul) - 1)},
        // A line of more than 1023 characters goes on as a line of its own.
        {"a long line's second piece",
         "0 0 1.5" + pieceEnd + "10 0 2.5\n0 10 3.5" + Blanks(2000) + "\n10 10 4.5\n"},
        // The first piece ends inside "9.5": it reads 9, and the rest (".5") is no point.
        {"a piece ends inside a number",
         "0 0 1.5\n10 0 2.5\n0 10 3.5\n10 10 4.5\n" + Blanks(1023 - 7) + "10 10 9.5\n"},
        {"a piece ends after two numbers",
         "0 0 1.5\n10 0 2.5\n0 10 3.5\n10 10 4.5\n" + Blanks(1019) + "10 0 9.5\n"},
    };
    for (const Case& c : cases)
    {
        WriteBytes("C:\\Parse\\corners.xyz", c.text);
        CDtm dtm;
        dtm.m_FileName[0] = "C:\\Parse\\corners.xyz";
        Build(dtm);
        ASSERT_NE(dtm.m_pCells, nullptr) << c.name;
        EXPECT_EQ(dtm.m_Header.CellSize, 10.0) << c.name;
        EXPECT_EQ(dtm.m_Header.Columns, 2) << c.name;
        EXPECT_EQ(dtm.m_Header.Rows, 2) << c.name;
        const bool splitNumber = std::strcmp(c.name, "a piece ends inside a number") == 0;
        EXPECT_EQ(CellAt(dtm, 0, 0), 150) << c.name;
        EXPECT_EQ(CellAt(dtm, 10, 0), 250) << c.name;
        EXPECT_EQ(CellAt(dtm, 0, 10), 350) << c.name;
        EXPECT_EQ(CellAt(dtm, 10, 10), splitNumber ? 900 : 450) << c.name;
    }
}

TEST(DtmParse, LargeSourcesKeepEveryPointAcrossBufferFills)
{
    // A 300 x 200 grid written north to south in mixed forms, with noise lines and long blank
    // lines that move the line starts across the reader's buffer ends; more than 2 MB.
    const int columns = 300, rows = 200;
    std::mt19937 random(7);
    auto depthOf = [](int c, int r) { return 1.0 + ((c * 7 + r * 13) % 400) * 0.25; };
    auto number = [&random](double value) {
        char text[64];
        switch (random() % 5)
        {
        case 0:
            std::snprintf(text, sizeof(text), "%.2f", value);
            break;
        case 1:
            std::snprintf(text, sizeof(text), "%e", value);
            break;
        case 2:
            std::snprintf(text, sizeof(text), "+%.3f", value);
            break;
        case 3:
            std::snprintf(text, sizeof(text), "%.0fe-2", value * 100.0);
            break;
        default:
            std::snprintf(text, sizeof(text), "%g", value);
            break;
        }
        return QByteArray(text);
    };
    const char* separators[] = {" ", ",", "\t", ", ", "  ", " ,"};
    const char* noise[] = {"\n", "Easting Northing Depth\n", "12 34\n", "  \r\n", "#,remark,\n"};
    QByteArray text;
    for (int r = rows - 1; r >= 0; --r)
    {
        for (int c = 0; c < columns; ++c)
        {
            const int kind = static_cast<int>(random() % 40);
            if (kind == 0)
                text += noise[random() % 5];
            else if (kind == 1)
                text += Blanks(900 + static_cast<int>(random() % 400)) + "\n";
            text += number(1000.0 + 5 * c) + separators[random() % 6] + number(2000.0 + 5 * r) +
                    separators[random() % 6] + number(depthOf(c, r));
            text += (random() % 2) ? "\r\n" : "\n";
        }
    }
    text.chop(1); // no final newline
    ASSERT_GT(text.size(), 2 << 20);
    WriteBytes("C:\\Parse\\large.xyz", text);

    CDtm dtm;
    dtm.m_FileName[0] = "C:\\Parse\\large.xyz";
    Progress extent, grid;
    Build(dtm, &extent, &grid);
    ASSERT_NE(dtm.m_pCells, nullptr);
    EXPECT_EQ(dtm.m_Header.CellSize, 5.0);
    EXPECT_EQ(dtm.m_Header.Columns, columns);
    EXPECT_EQ(dtm.m_Header.Rows, rows);
    EXPECT_EQ(dtm.m_Header.Extent[0][0], 1000.0);
    EXPECT_EQ(dtm.m_Header.Extent[0][1], 2000.0);
    EXPECT_EQ(dtm.m_Header.Extent[0][2], 1000.0 + 5 * (columns - 1));
    EXPECT_EQ(dtm.m_Header.Extent[0][3], 2000.0 + 5 * (rows - 1));
    int wrong = 0;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            if (dtm.m_pCells[r * columns + c] != static_cast<int32_t>(depthOf(c, r) * 100.0) && wrong++ < 5)
                ADD_FAILURE() << "cell " << c << "," << r << ": " << dtm.m_pCells[r * columns + c];
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(extent.total.load(), text.size());
    EXPECT_EQ(extent.done.load(), text.size());
    EXPECT_EQ(grid.total.load(), text.size());
    EXPECT_EQ(grid.done.load(), text.size());
}

TEST(DtmParse, DepthsNoCellCanHoldAreNoDepth)
{
    WriteBytes("C:\\Parse\\deep.xyz", "0 0 1.5\n10 0 -30000\n0 10 1e300\n10 10 21474836.46\n");
    CDtm dtm;
    dtm.m_FileName[0] = "C:\\Parse\\deep.xyz";
    Build(dtm);
    ASSERT_NE(dtm.m_pCells, nullptr);
    EXPECT_EQ(CellAt(dtm, 0, 0), 150);
    EXPECT_EQ(CellAt(dtm, 10, 0), 3000000);
    EXPECT_EQ(CellAt(dtm, 0, 10), DTM_NO_DEPTH);
    EXPECT_EQ(CellAt(dtm, 10, 10), 2147483646);
}

// Sources read in ranges side by side must give the very model, byte for byte, that reading
// them in order gives: extents, cell size, depths, file extents, cells, refusals and their line
// numbers; also where the ranges' own course cannot decide (a model with no grid, a co-ordinate
// of DBL_MAX) or a cell is reached from two ranges.
TEST(DtmParse, RangesSideBySideGiveTheModelOfTheReadingInOrder)
{
    std::mt19937 random(11);
    auto grid = [&random](int columns, int rows, int noiseEvery) {
        QByteArray text;
        for (int r = rows - 1; r >= 0; --r)
            for (int c = 0; c < columns; ++c)
            {
                if (noiseEvery && random() % noiseEvery == 0)
                    text += (random() % 2) ? QByteArray(1500, ' ') + "\n" : QByteArray("Easting Northing Depth\r\n");
                text += QByteArray::number(1000.0 + 2.5 * c, 'f', 2) + ((random() % 2) ? "," : " ") +
                        QByteArray::number(2000.0 + 2.5 * r, 'f', 2) + " " +
                        QByteArray::number(((c * 7 + r * 13) % 300) * 0.125, 'f', 3) + ((random() % 2) ? "\r\n" : "\n");
            }
        return text;
    };
    const QByteArray regular = grid(60, 40, 25);
    const int middle = regular.indexOf('\n', regular.size() / 2) + 1;
    struct Case
    {
        const char* name;
        QByteArray one, two;
    } cases[] = {
        {"regular grid with noise, long and zero-depth lines", regular, {}},
        {"a point that is not a number", regular.left(middle) + "1000 2000 nan\n" + regular.mid(middle), {}},
        {"a cell reached from both ends", "1000 2000 7\n" + regular + "1000 2000 9\n", {}},
        {"one row only: no grid", "0 5 1\n10 5 2\n20 5 3\n30 5 4\n40 5 5\n50 5 6\n", {}},
        {"a co-ordinate of DBL_MAX", regular + "1.7976931348623157e308 2000 1\n", {}},
        {"a second source over the first", regular, grid(30, 20, 0)},
        {"no final newline", regular + "1000 2000 4.25", {}},
    };
    // The model after each pass, read in `ranges`.
    struct Model
    {
        DtmHeaderDef header;
        double working[6];
        CString refusal;
        std::vector<int32_t> cells;
    };
    auto build = [](const Case& c, int ranges) {
        CDtm dtm;
        dtm.m_FileName[0] = "C:\\Parse\\one.xyz";
        if (!c.two.isEmpty())
            dtm.m_FileName[1] = "C:\\Parse\\two.xyz";
        dtm.Unload();
        CLoadDtmThread first;
        first.m_pDtm = &dtm;
        first.m_nRanges = ranges;
        first.ComputeExtents();
        Model model;
        model.header = dtm.m_Header;
        const double working[6] = {dtm.m_MinEasting, dtm.m_MaxEasting, dtm.m_MinNorthing,
                                   dtm.m_MaxNorthing, dtm.m_MinDepth,  dtm.m_MaxDepth};
        std::copy(working, working + 6, model.working);
        model.refusal = dtm.m_strRefusal;
        CLoadDtmThread second;
        second.m_pDtm = &dtm;
        second.m_nRanges = ranges;
        second.MakeGrid();
        if (dtm.m_pCells)
            model.cells.assign(dtm.m_pCells, dtm.m_pCells + int64_t(dtm.m_Header.Columns) * dtm.m_Header.Rows);
        return model;
    };
    for (const Case& c : cases)
    {
        WriteBytes("C:\\Parse\\one.xyz", c.one);
        if (!c.two.isEmpty())
            WriteBytes("C:\\Parse\\two.xyz", c.two);
        const Model inOrder = build(c, -1);
        if (std::strcmp(c.name, "a point that is not a number") == 0)
        {
            EXPECT_NE(inOrder.refusal.Find(", line 1"), -1) << (LPCSTR)inOrder.refusal;
        }
        for (int ranges : {1, 2, 3, 7})
        {
            const Model side = build(c, ranges);
            const std::string where = std::string(c.name) + ", " + std::to_string(ranges) + " ranges";
            EXPECT_EQ(std::memcmp(&side.header, &inOrder.header, sizeof(DtmHeaderDef)), 0) << where;
            EXPECT_EQ(std::memcmp(side.working, inOrder.working, sizeof(side.working)), 0) << where;
            EXPECT_EQ(side.refusal, inOrder.refusal) << where;
            EXPECT_EQ(side.cells, inOrder.cells) << where;
        }
    }
}

// Sail lines: reading SOL/EOL lines with their legs, the data-order file, drawing options, and
// the sail-line list (file list, new files, the edit selection with its end).
#include "features/SailLine.h"
#include "features/SailLineList.h"
#include "features/tests/FeatureTestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

using namespace featuretest;

namespace
{
const char kPlan[] = "C:\\MyData\\Lines\\Sail Plan.csv";
const char kDataOrderFile[] = "Sail_Plan_DATA_ORDER.INI";

QByteArray Lines(const std::vector<const char*>& lines)
{
    QByteArray bytes;
    for (const char* line : lines)
        bytes += QByteArray(line) + "\r\n";
    return bytes;
}
} // namespace

TEST(SailLine, ReadsLinesWithTheirLegs)
{
    WriteBytes(kPlan, Fixture("sail_lines.csv"));
    CSailLine s;
    EXPECT_TRUE(s.Load(kPlan));
    // Kept: the first and the last; skipped: the header, an EOL at (0, 0), three numbers only
    // and the blank line.
    ASSERT_EQ(s.GetSize(), 2);

    const SailLineDef& north = s[0];
    EXPECT_EQ(north.Start.x, 1000.0);
    EXPECT_EQ(north.Start.y, 2000.0);
    EXPECT_EQ(north.End.x, 1000.0);
    EXPECT_EQ(north.End.y, 3000.0);
    EXPECT_DOUBLE_EQ(north.Leg.Length, 1000.0);
    EXPECT_EQ(north.Leg.Bearing, 0.0);
    EXPECT_DOUBLE_EQ(north.Leg.ReverseBearing, M_PI);
    EXPECT_EQ(north.Value[0], 0.0);
    EXPECT_EQ(north.Leg.Running, 0.0);

    const SailLineDef& southEast = s[1];
    EXPECT_DOUBLE_EQ(southEast.Leg.Length, 500.0 * std::sqrt(2.0));
    EXPECT_DOUBLE_EQ(southEast.Leg.Bearing, 0.75 * M_PI);
    EXPECT_NEAR(southEast.Leg.SinBearing, std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(southEast.Leg.CosBearing, -std::sqrt(0.5), 1e-12);
    EXPECT_DOUBLE_EQ(southEast.Leg.ReverseBearing, 1.75 * M_PI);
}

TEST(SailLine, SolAtTheOriginIsSkippedToo)
{
    WriteBytes(kPlan, Lines({"0, 0, 100, 100", "10, 20, 30, 40", "?, 20, 30, 40"}));
    CSailLine s;
    EXPECT_TRUE(s.Load(kPlan));
    ASSERT_EQ(s.GetSize(), 1);
    EXPECT_EQ(s[0].Start.x, 10.0);
}

TEST(SailLine, DataOrderFileIsGoldenAndAnUnknownOrderStillReads)
{
    CSailLine s;
    s.LoadStatus(kPlan);
    s.SaveDataOrder();
    EXPECT_EQ(ReadBytes(InSettings(kDataOrderFile)), Fixture("sail_Sail_Plan_DATA_ORDER.INI"));

    // No column order but 0 exists: the lines are read in it rather than all skipped.
    WriteBytes(InSettings(kDataOrderFile), Lines({"Data Order = 3"}));
    WriteBytes(kPlan, Lines({"10, 20, 30, 40"}));
    CSailLine other;
    EXPECT_TRUE(other.Load(kPlan));
    EXPECT_EQ(other.m_DataOrder, SAIL_SOL_EOL);
    EXPECT_EQ(other.GetSize(), 1);
}

TEST(SailLine, MissingFileStillReadsTheDrawingOptions)
{
    WriteBytes("C:\\MyData\\Routes\\Sail Plan.DRW", Fixture("drw_golden.DRW"));
    CSailLine s;
    EXPECT_FALSE(s.Load(kPlan));
    EXPECT_EQ(s.GetSize(), 0);
    EXPECT_EQ(s.m_VectorSymbol, VECTOR_ANCHOR);
    EXPECT_EQ(std::string(s.m_Title), "Sail Plan");

    s.m_Pen.Colour = 0x00FF00;
    s.SaveDrawingOptions();
    CDrawingOptions read;
    EXPECT_TRUE(read.Load("C:\\MyData\\Routes\\", "Sail Plan"));
    EXPECT_EQ(read.m_Pen.Colour, 0x00FF00u);
}

TEST(SailLine, AddEmptyLineAppendsZeros)
{
    CSailLine s;
    s.AddEmptyLine();
    ASSERT_EQ(s.GetSize(), 1);
    const SailLineDef zero = {};
    EXPECT_EQ(std::memcmp(&s[0], &zero, sizeof zero), 0);
}

TEST(SailLineList, AddFileAndTheFileList)
{
    CSailLineList list;
    list.m_ListName = "SailLines";
    EXPECT_TRUE(list.AddFile(kPlan)); // missing: started with one empty line
    ASSERT_EQ(list.GetSize(), 1);
    EXPECT_EQ(list[0]->GetSize(), 1);
    EXPECT_EQ(list[0]->GetAt(0).Start.x, 0.0);
    EXPECT_EQ(ReadBytes(InSettings("SailLines.FLS")), Fixture("sail_SailLines.FLS"));

    EXPECT_FALSE(list.AddFile("C:\\MYDATA\\LINES\\sail plan.CSV"));
    EXPECT_EQ(list.GetSize(), 1);
    EXPECT_NE(list.GetSailLine(0, 0), nullptr);
    EXPECT_EQ(list.GetSailLine(0, 1), nullptr);
    EXPECT_EQ(list.GetSailLine(1, 0), nullptr);
}

TEST(SailLineList, SetEditPointKeepsTheEditedEnd)
{
    CSailLineList list;
    WriteBytes(kPlan, Lines({"1, 2, 3, 4", "5, 6, 7, 8", "9, 10, 11, 12"}));
    ASSERT_TRUE(list.AddFile(kPlan));

    list.SetEditPoint(0, 2);
    list.m_EditSubIndex = 1; // the end of line is being edited
    list.m_EditText[1] = "typed";
    list.SetEditPoint(-1, 1);
    EXPECT_EQ(list.m_EditFileIndex, 0);
    EXPECT_EQ(list.m_EditPointIndex, 1);
    EXPECT_EQ(list.m_EditSubIndex, 1);
    EXPECT_TRUE(list.m_EditText[1].IsEmpty());

    // A line beyond the file's three: the file stays, the line and the end go.
    list.SetEditPoint(-1, 5);
    EXPECT_EQ(list.m_EditFileIndex, 0);
    EXPECT_EQ(list.m_EditPointIndex, -1);
    EXPECT_EQ(list.m_EditSubIndex, -1);

    list.SetEditPoint(3, 0);
    EXPECT_EQ(list.m_EditFileIndex, -1);
    EXPECT_EQ(list.m_EditPointIndex, -1);
}

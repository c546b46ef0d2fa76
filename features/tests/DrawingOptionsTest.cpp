// Drawing options and their "DRW" file: defaults, the golden file both ways, short and damaged
// files, and files that cannot be written.
#include "features/DrawingOptions.h"
#include "features/tests/FeatureTestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace featuretest;

namespace
{
const char kFolder[] = "C:\\MyData\\Routes\\";
const char kName[] = "Line 1";
const char kFile[] = "C:\\MyData\\Routes\\Line 1.DRW";

void ExpectDefaults(const CDrawingOptions& o)
{
    EXPECT_EQ(o.m_VectorSymbol, 5);
    EXPECT_EQ(o.m_SymbolSize, SYMBOL_MEDIUM);
    EXPECT_EQ(o.m_Pen.nStyle, 0);
    EXPECT_EQ(o.m_Pen.nThickness, 1);
    EXPECT_EQ(o.m_Pen.Colour, 0xFF0000u);
    EXPECT_EQ(o.m_Pen.nFill, 4);
    EXPECT_EQ(o.m_LabelMode, LABEL_MODE_NAME);
    EXPECT_EQ(o.m_LabelPosition, LABEL_POS_BOTTOM);
    EXPECT_FALSE(o.m_ShowLegLabel);
}

// The options of the golden file drw_golden.DRW.
CDrawingOptions GoldenOptions()
{
    CDrawingOptions o;
    o.m_VectorSymbol = VECTOR_ANCHOR;
    o.m_SymbolSize = SYMBOL_VERY_LARGE;
    o.m_Pen = {2, 3, 0x0000FF, -2};
    o.m_LabelMode = LABEL_MODE_NAME_POSITION;
    o.m_LabelPosition = LABEL_POS_RIGHT;
    o.m_ShowLegLabel = true;
    o.m_Text = "not stored";
    return o;
}
} // namespace

TEST(DrawingOptions, ConstructorGivesTheDefaults)
{
    CDrawingOptions o;
    ExpectDefaults(o);
    EXPECT_TRUE(o.m_Text.IsEmpty());
}

TEST(DrawingOptions, WriterMatchesTheGoldenFile)
{
    ASSERT_TRUE(CreateFolderPath(kFolder));
    GoldenOptions().Save(kFolder, kName);
    EXPECT_EQ(ReadBytes(kFile), Fixture("drw_golden.DRW"));
}

TEST(DrawingOptions, ReaderTakesTheGoldenFileInOrder)
{
    WriteBytes(kFile, Fixture("drw_golden.DRW"));
    CDrawingOptions o;
    EXPECT_TRUE(o.Load(kFolder, kName));
    const CDrawingOptions want = GoldenOptions();
    EXPECT_EQ(o.m_VectorSymbol, want.m_VectorSymbol);
    EXPECT_EQ(o.m_SymbolSize, want.m_SymbolSize);
    EXPECT_EQ(o.m_Pen.nStyle, want.m_Pen.nStyle);
    EXPECT_EQ(o.m_Pen.nThickness, want.m_Pen.nThickness);
    EXPECT_EQ(o.m_Pen.Colour, want.m_Pen.Colour); // 255 is pure red
    EXPECT_EQ(o.m_Pen.nFill, -2);                 // a negative 16-bit value keeps its sign
    EXPECT_EQ(o.m_LabelMode, want.m_LabelMode);
    EXPECT_EQ(o.m_LabelPosition, want.m_LabelPosition);
    EXPECT_TRUE(o.m_ShowLegLabel);
    EXPECT_TRUE(o.m_Text.IsEmpty());
}

TEST(DrawingOptions, MissingFileGivesDefaultsAndFalse)
{
    CDrawingOptions o = GoldenOptions();
    EXPECT_FALSE(o.Load(kFolder, "Nowhere"));
    ExpectDefaults(o);
    EXPECT_FALSE(Exists("C:\\MyData\\Routes\\Nowhere.DRW"));
}

TEST(DrawingOptions, ShortFileGivesDefaultsForTheMissingLines)
{
    WriteBytes(kFile, Fixture("drw_three_lines.DRW"));
    CDrawingOptions o = GoldenOptions();
    EXPECT_TRUE(o.Load(kFolder, kName));
    EXPECT_EQ(o.m_VectorSymbol, 7);
    EXPECT_EQ(o.m_SymbolSize, SYMBOL_VERY_SMALL);
    EXPECT_EQ(o.m_Pen.Colour, 255u);
    EXPECT_EQ(o.m_Pen.nThickness, 1);
    EXPECT_EQ(o.m_Pen.nFill, 4);
    EXPECT_EQ(o.m_Pen.nStyle, 0);
    EXPECT_EQ(o.m_LabelMode, LABEL_MODE_NAME);
    EXPECT_EQ(o.m_LabelPosition, LABEL_POS_BOTTOM);
    EXPECT_FALSE(o.m_ShowLegLabel);
}

TEST(DrawingOptions, ValuesAreTakenByPositionNotByKey)
{
    // The keys are wrong and one line has no '=': that option keeps its default and the
    // lines after it are still read in turn. Integers keep their low 16 bits.
    WriteBytes(kFile, "Colour = 12\r\n"
                      "Symbol Size\r\n"
                      "Vector Symbol = 16777215\r\n"
                      "Line Thickness = 70000\r\n"
                      "Fill = 6\r\n"
                      "Pen Style = 1\r\n"
                      "Label Mode = 0\r\n"
                      "Label Position = 3\r\n"
                      "Show Leg Label = 2\r\n");
    CDrawingOptions o;
    EXPECT_TRUE(o.Load(kFolder, kName));
    EXPECT_EQ(o.m_VectorSymbol, 12);
    EXPECT_EQ(o.m_SymbolSize, SYMBOL_MEDIUM);
    EXPECT_EQ(o.m_Pen.Colour, 16777215u);
    EXPECT_EQ(o.m_Pen.nThickness, static_cast<int16_t>(70000 & 0xFFFF));
    EXPECT_EQ(o.m_Pen.nFill, 6);
    EXPECT_EQ(o.m_Pen.nStyle, 1);
    EXPECT_EQ(o.m_LabelMode, LABEL_MODE_NONE);
    EXPECT_EQ(o.m_LabelPosition, LABEL_POS_LEFT);
    // A stored 2 reads as true and is written back as 1.
    EXPECT_TRUE(o.m_ShowLegLabel);
    o.Save(kFolder, kName);
    EXPECT_TRUE(ReadBytes(kFile).endsWith("Show Leg Label = 1\r\n"));
}

TEST(DrawingOptions, SaveWithoutAFolderIsSkippedSilently)
{
    GoldenOptions().Save("C:\\No Such Folder\\", kName);
    EXPECT_FALSE(Exists("C:\\No Such Folder\\Line 1.DRW"));
}

TEST(DrawingOptions, SaveThenLoadRoundTrips)
{
    ASSERT_TRUE(CreateFolderPath(kFolder));
    CDrawingOptions saved = GoldenOptions();
    saved.m_Pen.Colour = 0xFFFFFFFFu; // the largest COLORREF survives the double it is read as
    saved.m_Pen.nStyle = -1;
    saved.Save(kFolder, kName);
    CDrawingOptions loaded;
    ASSERT_TRUE(loaded.Load(kFolder, kName));
    EXPECT_EQ(loaded.m_Pen.Colour, 0xFFFFFFFFu);
    EXPECT_EQ(loaded.m_Pen.nStyle, -1);
    EXPECT_EQ(loaded.m_VectorSymbol, saved.m_VectorSymbol);
    EXPECT_EQ(loaded.m_LabelPosition, saved.m_LabelPosition);
}

TEST(DrawingOptions, ColourFromSettingKeepsOnlyMeaningfulNumbers)
{
    EXPECT_EQ(ColourFromSetting(255.0, 7), 255u);
    EXPECT_EQ(ColourFromSetting(255.9, 7), 255u);
    EXPECT_EQ(ColourFromSetting(-1.0, 7), 0xFFFFFFFFu);
    EXPECT_EQ(ColourFromSetting(4294967296.0 + 5.0, 7), 5u);
    EXPECT_EQ(ColourFromSetting(std::numeric_limits<double>::quiet_NaN(), 7), 7u);
    EXPECT_EQ(ColourFromSetting(1e300, 7), 7u);
    EXPECT_EQ(ColourFromSetting(HUGE_VAL, 7), 7u);
}

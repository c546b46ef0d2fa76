// Damaged anchor, cable-type and barge files, each a small fixture of
// data/make_bad_settings_files.py: what an editor may do to a file (blank lines, CR line ends,
// byte-order marks, UTF-16) loads as the file meant; a file that does not match is refused whole,
// named with its line, and never written over; a value no anchor spread holds is told with its
// file, line and key while the rest loads.
#include "zuduzuro/Anchor.h"
#include "zuduzuro/BargeData.h"
#include "zuduzuro/CableWeight.h"
#include "zuduzuro/tests/SettingsFiles.h"

#include <QList>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace settingsfiles;

namespace
{
// The golden anchor file with lines replaced (1-based).
QByteArray GoldenWith(const std::vector<std::pair<int, QByteArray>>& changes)
{
    QList<QByteArray> lines = Fixture("anchor_fixture.ANK").split('\n');
    for (const auto& change : changes)
        lines[change.first - 1] = change.second + "\r";
    return lines.join('\n');
}

// Whether every sentence names the file and holds each of the pieces, in the order given.
::testing::AssertionResult Tells(const CStringArray& sentences,
                                 const std::vector<std::vector<std::string>>& want)
{
    if (sentences.GetSize() != static_cast<INT_PTR>(want.size()))
        return ::testing::AssertionFailure()
               << sentences.GetSize() << " sentences, " << want.size() << " expected";
    for (size_t i = 0; i < want.size(); ++i)
    {
        const std::string text(sentences[static_cast<INT_PTR>(i)].GetString());
        size_t from = 0;
        for (const std::string& piece : want[i])
        {
            from = text.find(piece, from);
            if (from == std::string::npos)
                return ::testing::AssertionFailure() << "\"" << piece << "\" missing from: " << text;
        }
    }
    return ::testing::AssertionSuccess();
}

struct AnchorFixtureCase
{
    const char* fixture;
    const char* name; // the name the file holds; null: the golden one
};
} // namespace

// One extra blank first line once moved 52 of the 76 values into the wrong fields, CR line ends
// 58, UTF-16 all of them; the next step of the tension then wrote the shifted values back. Each
// now loads as the golden file does: saved again it gives the golden bytes.
TEST(AnchorFileBadInput, LineEndsBlankLinesAndEncodingsLoadAsTheFileMeant)
{
    const AnchorFixtureCase cases[] = {
        {"bad_anchor_blank_lines.ANK", nullptr},
        {"bad_anchor_cr.ANK", nullptr},
        {"bad_anchor_utf8_bom.ANK", "Anker S\xFC"
                                    "d"},
        {"bad_anchor_utf16le.ANK", "Anker S\xFC"
                                   "d"},
        {"bad_anchor_utf16be.ANK", "Anker S\xFC"
                                   "d"},
    };
    CCableWeight table;
    FillTable(table);
    for (const AnchorFixtureCase& c : cases)
    {
        SCOPED_TRACE(c.fixture);
        WriteBytes(AnchorFilePath(), Fixture(c.fixture));
        CAnchor anchor;
        anchor.LoadAtStart(table);
        EXPECT_FALSE(anchor.IsFileRefused());
        EXPECT_EQ(anchor.GetLoadProblems().GetSize(), 0) << anchor.GetLoadProblems()[0].GetString();
        EXPECT_EQ(anchor.m_Tension, 85.5);
        EXPECT_EQ(anchor.m_Buoys[2].Cable.UpperLength, 150.0);
        EXPECT_EQ(anchor.m_AnalogueOffset, -0.5) << "the last line too";
        ASSERT_TRUE(anchor.Save());
        QByteArray golden = Fixture("anchor_fixture.ANK");
        if (c.name != nullptr)
        {
            EXPECT_STREQ(anchor.m_Name, c.name);
            golden = GoldenWith(
                {{4, QByteArray("--------------------- Anchor ") + c.name + " --------------------"},
                 {7, QByteArray("Name = ") + c.name}});
        }
        EXPECT_EQ(ReadBytes(AnchorFilePath()), golden);
    }
}

struct RefusedCase
{
    const char* fixture;
    const char* where; // how the refusal names the place, after the file's path
};

// A file that does not match is refused with the file and line, the anchor keeps its reset
// values, and no save writes over the file.
TEST(AnchorFileBadInput, FileThatDoesNotMatchIsRefusedWithItsLineAndKept)
{
    const RefusedCase cases[] = {
        {"bad_anchor_utf16_no_bom.ANK", " holds NUL bytes"},
        {"bad_anchor_swapped.ANK",
         ", line 24: \"Tension\" was expected, the line reads \"Anchor Easting = 501000.000\""},
        {"bad_anchor_missing_line.ANK",
         ", line 27: \"Tolerance\" was expected, the line reads \"Planned Easting = 501010.000\""},
        {"bad_anchor_extra_line.ANK", ", line 84: \"Spare = 1\" follows the file's last line"},
    };
    CCableWeight table;
    FillTable(table);
    for (const RefusedCase& c : cases)
    {
        SCOPED_TRACE(c.fixture);
        const QByteArray bytes = Fixture(c.fixture);
        WriteBytes(AnchorFilePath(), bytes);
        CAnchor anchor;
        anchor.LoadAtStart(table);
        EXPECT_TRUE(anchor.IsFileRefused());
        EXPECT_TRUE(anchor.m_Use) << "the anchor takes part on its reset values";
        EXPECT_EQ(anchor.m_WaterDepth, 0.0);
        EXPECT_EQ(anchor.m_Status, ANCHOR_RACKED);
        EXPECT_TRUE(anchor.m_Name.IsEmpty());
        ASSERT_TRUE(Tells(anchor.GetLoadProblems(), {{std::string(anchor.GetFilePath()) + c.where,
                                                      "not loaded", "left as it stands"}}));

        // Whatever the user then changes, the file stays as it was.
        anchor.m_Tension = 12.0;
        EXPECT_FALSE(anchor.Save());
        EXPECT_TRUE(anchor.SaveUnlessRefused()) << "withheld on purpose, not failed";
        EXPECT_EQ(ReadBytes(AnchorFilePath()), bytes);
    }
}

// A ground chain of 1e308 m once put the touchdown at -7.6e307 m, without a word. Values no anchor
// spread holds are now not taken and each is told with its file, line and key; the rest loads.
TEST(AnchorFileBadInput, ValuesNoSpreadHoldsAreToldWithFileLineAndKey)
{
    CCableWeight table;
    FillTable(table);
    WriteBytes(AnchorFilePath(), Fixture("bad_anchor_absurd.ANK"));
    CAnchor anchor;
    anchor.LoadAtStart(table);
    EXPECT_FALSE(anchor.IsFileRefused());
    const std::string file(anchor.GetFilePath());
    EXPECT_TRUE(Tells(anchor.GetLoadProblems(),
                      {
                          {file + ", line 5, \"Status\": 9 is not from 0 to 3; 0 is used instead."},
                          {file + ", line 16, \"Ground Chain Length\": 1e308 is not from 0 to 100000"},
                          {file + ", line 20, \"Upper Cable Type\": 70000 is not from -32768 to 32767"},
                          {file + ", line 24, \"Tension\": -5.000 is not from 0 to 10000"},
                          {file + ", line 38, \"Anchor Weight\": 1e15 is not from 0 to 10000"},
                          {file + ", line 52, \"Lower Length\": -3.000 is not from 0 to 100000"},
                      }));
    EXPECT_EQ(anchor.m_Status, ANCHOR_RACKED);
    EXPECT_EQ(anchor.m_GroundChain.GroundChainLength, 0.0);
    EXPECT_EQ(anchor.m_Cable.nUpperCableType, 0);
    EXPECT_EQ(anchor.m_Cable.UpperWeight, 21.93);
    EXPECT_EQ(anchor.m_Tension, 0.0);
    EXPECT_EQ(anchor.m_AnchorWeight, 0.0);
    EXPECT_EQ(anchor.m_Buoys[1].Cable.LowerLength, 0.0);
    // The rest as the golden file has it.
    EXPECT_EQ(anchor.m_GroundChain.GroundChainWeight, 80.0);
    EXPECT_EQ(anchor.m_Cable.LowerLength, 800.0);
    EXPECT_EQ(anchor.m_AnchorEasting, 501000.0);
    EXPECT_EQ(anchor.m_Buoys[1].Cable.UpperLength, 100.0);
    EXPECT_EQ(anchor.m_AnalogueSlope, 1.25);
}

// A cable type that the table does not hold is told and weighs the default; its index stays.
TEST(AnchorFileBadInput, CableTypeBeyondTheTableIsTold)
{
    CCableWeight table; // the two built-in types only
    WriteBytes(AnchorFilePath(), GoldenWith({{18, "Lower Cable Type = 2"}}));
    CAnchor anchor;
    anchor.LoadAtStart(table);
    EXPECT_FALSE(anchor.IsFileRefused());
    EXPECT_EQ(anchor.m_Cable.nLowerCableType, 2);
    EXPECT_EQ(anchor.m_Cable.LowerWeight, 21.93);
    const CString told = anchor.GetFilePath() +
                         ", line 18, \"Lower Cable Type\": 2 names no cable type of the "
                         "table, which holds 2; it weighs 21.93 kg/m until it does.";
    bool found = false;
    for (INT_PTR i = 0; i < anchor.GetLoadProblems().GetSize(); ++i)
        found = found || anchor.GetLoadProblems()[i] == told;
    EXPECT_TRUE(found);
}

// A type named with a leading '[' or an '=' ended the section at the next
// start, with every row after it; the anchor's types then pointed past the table and hung the
// chain by 21.93 kg/m instead of 140. Every name now comes back as it was, and the file still
// keeps the settings format's rule that no row begins with '[' or holds '='.
TEST(CableWeightBadInput, NamesComeBackWhateverTheyHold)
{
    const char* const names[] = {
        "[Spare]",
        "Stud chain = 76mm",
        " leading blank",
        "\ttab first",
        "\"quoted\" first",
        "trailing blank ",
        "",
        "=",
        "[",
        "Wire, 6\r\nstrand",
        "\xAB"
        "CR>\xBB typed",
        "\xAB"
        "EQUALS>\xBB and \xAB"
        "MARK>\xBB typed",
        "\xAB"
        "C1A>\xBB typed",
        "guillemets \xAB"
        "A\xBB and \xAB"
        "ok>\xBB",
        "ctrl \x1A"
        "Z and \x01",
    };
    CCableWeight table;
    table.m_Temperature = 10.0;
    table.m_Salinity = 35.0;
    for (const char* name : names)
        table.Add(CableWeightDef{name, 0, 1, 0.0, 140.0, CString()});
    ASSERT_TRUE(table.Save());

    const QByteArray bytes = ReadBytes(SettingsFilePath("Cable Weight"));
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_GE(lines.size(), 4);
    for (int i = 3; i < lines.size(); ++i)
    {
        EXPECT_FALSE(lines[i].startsWith('[')) << lines[i].toStdString();
        EXPECT_FALSE(lines[i].contains('=')) << lines[i].toStdString();
        EXPECT_FALSE(lines[i].contains('\x1A')) << "a Ctrl-Z would end the text";
    }

    CCableWeight back;
    EXPECT_EQ(back.GetLoadProblems().GetSize(), 0);
    ASSERT_EQ(back.GetSize(), table.GetSize());
    for (INT_PTR i = CCableWeight::kBuiltInTypes; i < back.GetSize(); ++i)
    {
        EXPECT_STREQ(back[i].Name, table[i].Name) << i;
        EXPECT_EQ(back[i].WeightInWater, 140.0) << i;
    }
    ASSERT_TRUE(back.Save());
    EXPECT_EQ(ReadBytes(SettingsFilePath("Cable Weight")), bytes) << "written again, byte for byte";

    // The anchor's chain on the last row hangs by its own weight.
    CAnchor anchor;
    anchor.m_Cable.nLowerCableType = static_cast<int16_t>(back.GetSize() - 1);
    anchor.UpdateCableWeights(back);
    EXPECT_EQ(anchor.m_Cable.LowerWeight, 140.0);
}

// Rows that the older writer left raw, beginning with '[' or holding '=', are read as the rows
// they are, and written back in the escaped form.
TEST(CableWeightBadInput, RowsTheOlderWriterLeftRawComeBack)
{
    WriteBytes(SettingsFilePath("Cable Weight"), Fixture("bad_cable_old_names.INI"));
    CCableWeight table;
    EXPECT_EQ(table.GetLoadProblems().GetSize(), 0);
    ASSERT_EQ(table.GetSize(), 5);
    EXPECT_STREQ(table[3].Name, "[Spare]");
    EXPECT_EQ(table[3].WeightInWater, 5.0);
    EXPECT_STREQ(table[4].Name, "Stud chain = 76mm");
    EXPECT_EQ(table[4].WeightInWater, 140.0);
    ASSERT_TRUE(table.Save());
    EXPECT_TRUE(ReadBytes(SettingsFilePath("Cable Weight"))
                    .endsWith("\r\n\xAB"
                              "BRACKET>\xBBSpare], 0, 1, 5.000\r\n"
                              "Stud chain \xAB"
                              "EQUALS>\xBB 76mm, 0, 1, 140.000\r\n"));
    EXPECT_EQ(CCableWeight().GetSize(), 5);
}

// A weight of -3.7e15 kg/m once reached the catenary. Rows no anchor cable can be keep their
// place, weigh nothing and are told with the file, line and type; the file keeps them as they
// stood.
TEST(CableWeightBadInput, RowsNoCableCanBeAreToldAndKeepTheirPlace)
{
    const QByteArray bytes = Fixture("bad_cable_absurd.INI");
    WriteBytes(SettingsFilePath("Cable Weight"), bytes);
    CCableWeight table;
    const std::string file(CConfigFile().GetSettingsFileName("Cable Weight"));
    EXPECT_TRUE(
        Tells(table.GetLoadProblems(),
              {
                  {file + ", line 4, cable type \"Wire\": its weight in water of -3.7e+15 kg/m is not "
                          "from 0 to 2000 kg/m",
                   "kept as it stands"},
                  {file + ", line 5, cable type \"Huge\": its diameter of 5000 mm is above 1000 mm"},
                  {file + ", line 6, cable type \"Floats\": its weight in water of -31.", "kg/m"},
              }));
    ASSERT_EQ(table.GetSize(), 6);
    for (INT_PTR i = 2; i <= 4; ++i)
        EXPECT_EQ(table[i].WeightInWater, 0.0) << i;
    EXPECT_STREQ(table[5].Name, "Chain");
    EXPECT_EQ(table[5].WeightInWater, 140.0);
    const CArray<int, int>& damaged = table.GetDamagedLines();
    ASSERT_EQ(damaged.GetSize(), 3);
    EXPECT_EQ(damaged[0], 4);
    EXPECT_EQ(damaged[2], 6);
    ASSERT_TRUE(table.Save());
    EXPECT_EQ(ReadBytes(SettingsFilePath("Cable Weight")), bytes);
}

// CR line ends once read as one line: the sea water went wrong and every type vanished.
TEST(CableWeightBadInput, CarriageReturnLineEndsAreRead)
{
    WriteBytes(SettingsFilePath("Cable Weight"), Fixture("bad_cable_cr.INI"));
    CCableWeight table;
    EXPECT_EQ(table.GetLoadProblems().GetSize(), 0);
    EXPECT_EQ(table.m_Salinity, 35.0);
    ASSERT_EQ(table.GetSize(), 4);
    EXPECT_STREQ(table[3].Name, "Chain");
    EXPECT_EQ(table[3].WeightInWater, 140.0);
}

// A heading of 1e308 degrees and a negative draft were taken as they stood.
TEST(BargeDataBadInput, ValuesNoBargeHasAreToldWithFileLineAndKey)
{
    WriteBytes(SettingsFilePath("Barge"), Fixture("bad_barge_absurd.INI"));
    CBargeData barge;
    const std::string file(CConfigFile().GetSettingsFileName("Barge"));
    EXPECT_TRUE(Tells(barge.GetLoadProblems(),
                      {
                          {file + ", line 3, \"Heading\": 1e308 is not from -360 to 360; 0 is used instead."},
                          {file + ", line 4, \"Offset X\": 1e12 is not from -10000 to 10000"},
                          {file + ", line 6, \"Draft\": -4.000 is not from 0 to 10000"},
                      }));
    EXPECT_EQ(barge.m_Heading, 0.0);
    EXPECT_EQ(barge.m_CosHeading, 1.0);
    EXPECT_EQ(barge.m_OffsetX, 0.0);
    EXPECT_EQ(barge.m_Draft, 0.0);
    EXPECT_EQ(barge.m_Easting, 1000.0);
    EXPECT_EQ(barge.m_OffsetY, 2.0);
    EXPECT_EQ(barge.m_WaterLineToZero, 4.5);
    EXPECT_EQ(barge.m_CrpNorthing, 4998.0);
}

// Saved as UTF-16 by an editor, the file once read as seven zeros.
TEST(BargeDataBadInput, Utf16FileIsRead)
{
    WriteBytes(SettingsFilePath("Barge"), Fixture("bad_barge_utf16le.INI"));
    CBargeData barge;
    EXPECT_EQ(barge.GetLoadProblems().GetSize(), 0);
    EXPECT_EQ(barge.m_Easting, 1000.0);
    EXPECT_EQ(barge.m_Northing, 5000.0);
    EXPECT_EQ(barge.m_Heading, 90.0);
    EXPECT_EQ(barge.m_WaterLineToZero, 4.5);
}

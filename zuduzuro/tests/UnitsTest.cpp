// The program's units, folders and settings lines, each against files written in the test's own
// drive C:.
#include "zuduzuro/AnchorFolders.h"
#include "zuduzuro/SettingsLines.h"
#include "zuduzuro/SettingsText.h"
#include "zuduzuro/Units.h"

#include "foundation/ConfigFile.h"
#include "platform/core/StdioFile.h"
#include "testsupport/TempDrives.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <vector>

namespace
{
// Writes a settings file of the program (text mode: CR LF line ends).
void WriteSettingsFile(const char* name, const char* text)
{
    CConfigFile config;
    const CString path = config.GetSettingsFileName(name);
    CStdioFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeText));
    file.WriteString(text);
    file.Close();
}

// A Windows path's file, written raw.
void WriteRaw(const QString& linuxPath, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(linuxPath).path());
    QFile f(linuxPath);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

CString DistanceName(int mode, int subUnit)
{
    CString name("junk");
    GetDistanceUnitName(name, mode, 0, subUnit);
    return name;
}
} // namespace

TEST(Units, TablesHoldTheRowsThisProgramUses)
{
    EXPECT_STREQ(g_TensionUnits[0].szShortName, "Tons");
    EXPECT_STREQ(g_TensionUnits[1].szUnitName, "Kips/Sq. Inch");
    EXPECT_STREQ(g_TensionUnits[2].szGroup, "Kiilonewtons");
    EXPECT_DOUBLE_EQ(g_TensionUnits[1].Factor, 2.2046226218487757);
    EXPECT_DOUBLE_EQ(g_TensionUnits[2].Factor, 9.80665);
    EXPECT_STREQ(g_MetricUnits[0].szShortName, " m");
    EXPECT_DOUBLE_EQ(g_FeetUnits[0].Factor, 0.3048);
    EXPECT_EQ(sizeof(UnitDef::szGroup), 24u);
    EXPECT_EQ(sizeof(UnitDef::szUnitName), 21u);
    EXPECT_EQ(sizeof(UnitDef::szShortName), 11u);
}

TEST(Units, MissingSettingsMeanMetresAndTonnes)
{
    int table = 9, sub = 2;
    EXPECT_EQ(ReadUnitsMode(table, sub), 0);
    EXPECT_EQ(table, 0);
    EXPECT_EQ(sub, 2);
    EXPECT_DOUBLE_EQ(ToDistanceUnits(100.0), 100.0);
    EXPECT_EQ(ReadTensionMode(), 0);
}

TEST(Units, DistanceConversionAndNameFollowUnitsMode)
{
    struct Case
    {
        const char* file;
        double expected; // 100 m in the user's unit
        const char* name;
    };
    const Case cases[] = {
        {"Distance Mode = 0\nSpare = 5\nImperial Units = 0\n", 100.0, " m"},
        {"Distance Mode = 1\nSpare = 0\nImperial Units = 0\n", 100.0 / 0.3048, "Ft."},
        {"Distance Mode = 1\nSpare = 0\nImperial Units = 1\n", 100.0 / (0.3048 * 3.0), "Yds"},
        {"Distance Mode = 1\nSpare = 0\nImperial Units = 2\n", 100.0 / (0.3048 * 0.66), "Lnk"},
        {"Distance Mode = 1\nSpare = 0\nImperial Units = 3\n", 100.0 / (0.3048 * 66.0), "Chn"},
        {"Distance Mode = 1\nSpare = 0\nImperial Units = 7\n", 100.0 / 0.3048, ""},
        {"Distance Mode = 4\n", 100.0, ""},
        {"damaged\n", 100.0, " m"},
    };
    for (const Case& c : cases)
    {
        WriteSettingsFile("Units Mode", c.file);
        EXPECT_DOUBLE_EQ(ToDistanceUnits(100.0), c.expected) << c.file;
        int table = 0, sub = 0;
        const int mode = ReadUnitsMode(table, sub);
        EXPECT_EQ(DistanceName(mode, sub), c.name) << c.file;
    }
}

TEST(Units, ThirdLineOfZeroKeepsTheCallersSubUnit)
{
    WriteSettingsFile("Units Mode", "Distance Mode = 1\nSpare = 0\nImperial Units = 0\n");
    int table = 5, sub = 3;
    EXPECT_EQ(ReadUnitsMode(table, sub), 1);
    EXPECT_EQ(table, 0);
    EXPECT_EQ(sub, 3);
}

TEST(Units, TensionModeSelectsTheTensionRow)
{
    WriteSettingsFile("Tension Mode", "Tension Units = 2\n");
    EXPECT_EQ(ReadTensionMode(), 2);
    EXPECT_DOUBLE_EQ(ToTensionUnits(10.0, 2), 98.0665);
    EXPECT_EQ(GetTensionUnitName(2), "kN");
    EXPECT_DOUBLE_EQ(ToTensionUnits(10.0, 1), 22.046226218487757);
    EXPECT_EQ(GetTensionUnitName(1), "Kips");

    // No '=', or a row the table does not have: tonnes.
    WriteSettingsFile("Tension Mode", "Tension Units 2\n");
    EXPECT_EQ(ReadTensionMode(), 0);
    WriteSettingsFile("Tension Mode", "Tension Units = 9\n");
    EXPECT_EQ(ReadTensionMode(), 0);
    EXPECT_DOUBLE_EQ(ToTensionUnits(10.0, 9), 10.0);
    EXPECT_EQ(GetTensionUnitName(-1), "Tons");
}

TEST(AnchorFolders, IndexFileNamesTheDataFolderWithOrWithoutItsBackslash)
{
    TempDrives& drives = *TempDrives::Current();
    for (const char* line : {"C:\\Survey Data\r\nsecond line\r\n", "  C:\\Survey Data\\  \r\n"})
    {
        WriteRaw(drives.OnC("MyDrives/MyData.INI"), line);
        CString path;
        ASSERT_TRUE(GetMyDrivesDataFolder(path)) << line;
        EXPECT_EQ(path, "C:\\Survey Data\\Anchors\\") << line;
        EXPECT_TRUE(QDir(drives.OnC("Survey Data/Anchors")).exists());
        ASSERT_TRUE(GetAnchorFolder(path));
        EXPECT_EQ(path, "C:\\Survey Data\\Anchors\\");
    }
}

TEST(AnchorFolders, WithoutAnIndexTheDriveSearchGivesTheAnchorFolder)
{
    TempDrives& drives = *TempDrives::Current();
    CString path;
    EXPECT_FALSE(GetMyDrivesDataFolder(path));
    // The index's folder is made on the way.
    EXPECT_TRUE(QDir(drives.OnC("MyDrives")).exists());
    ASSERT_TRUE(GetAnchorFolder(path));
    EXPECT_EQ(path, "C:\\MyData\\Anchors\\");
    EXPECT_TRUE(QDir(drives.OnC("MyData/Anchors")).exists());

    // An empty first line counts as no index.
    WriteRaw(drives.OnC("MyDrives/MyData.INI"), "   \r\nC:\\Elsewhere\r\n");
    EXPECT_FALSE(GetMyDrivesDataFolder(path));
    ASSERT_TRUE(GetAnchorFolder(path));
    EXPECT_EQ(path, "C:\\MyData\\Anchors\\");

    CString settings;
    GetSettingsFolder(settings);
    EXPECT_EQ(settings, GetSettingsFolder());
}

TEST(SettingsLines, NameLineKeepsCarriageReturnsLineFeedsAndCommas)
{
    const CString path("C:\\lines.INI");
    {
        CConfigFile file;
        ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeText));
        WriteName(file, "North, anchor\r\nspare");
        file.WriteString("No value here\n");
        file.Close();
    }
    QFile raw(TempDrives::Current()->OnC("lines.INI"));
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_EQ(raw.readAll(), QByteArray("Name = North\xAB"
                                        "COMMA\xBB anchor\xAB"
                                        "CR\xBB\xAB"
                                        "LF\xBBspare\r\nNo value here\r\n"));

    CSettingsText text;
    ASSERT_EQ(text.Read(path), CSettingsText::TEXT_READ);
    CSettingsLines in(path, text.GetLines(), CSettingsLines::KEYS_CHECKED);
    CString name;
    ASSERT_TRUE(in.Text("Name", name));
    EXPECT_EQ(name, "North, anchor\r\nspare");
    name = "kept";
    EXPECT_FALSE(in.Text("Name", name)) << "a line without '=' holds no key";
    EXPECT_EQ(name, "kept");
    EXPECT_EQ(in.GetMismatch(),
              "C:\\lines.INI, line 2: \"Name\" was expected, the line reads \"No value here\".");
}

// Every line end an editor may leave, the byte-order marks, and what is no text at all.
TEST(SettingsText, LineEndsAndByteOrderMarks)
{
    const struct
    {
        QByteArray bytes;
        std::vector<CString> lines;
    } cases[] = {
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"a\r\r\nb\n\n", {"a", "", "b", ""}},
        {"", {}},
        {"\xEF\xBB\xBFS\xC3\xBC"
         "d\r\n",
         {"S\xFC"
          "d"}},
        {QByteArray("\xFF\xFEx\0\r\0\xAC \n\0", 10), {"x", "\x80"}},
        {QByteArray("\xFE\xFF\0x\0\r\0y", 8), {"x", "y"}},
        {"a\r\nb\x1A"
         "c\r\n",
         {"a", "b"}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        WriteRaw(TempDrives::Current()->OnC("text.INI"), c.bytes);
        CSettingsText text;
        ASSERT_EQ(text.Read("C:\\text.INI"), CSettingsText::TEXT_READ);
        ASSERT_EQ(text.GetLines().GetSize(), static_cast<INT_PTR>(c.lines.size()));
        for (size_t i = 0; i < c.lines.size(); ++i)
            EXPECT_EQ(text.GetLines()[static_cast<INT_PTR>(i)], c.lines[i]) << i;
    }

    CSettingsText text;
    EXPECT_EQ(text.Read("C:\\absent.INI"), CSettingsText::TEXT_MISSING);
    EXPECT_EQ(text.Read("C:\\no folder\\absent.INI"), CSettingsText::TEXT_MISSING);
    EXPECT_TRUE(text.GetRefusal().IsEmpty());
    WriteRaw(TempDrives::Current()->OnC("nul.INI"), QByteArray("a\0b", 3));
    EXPECT_EQ(text.Read("C:\\nul.INI"), CSettingsText::TEXT_REFUSED);
    EXPECT_EQ(text.GetRefusal(), "C:\\nul.INI holds NUL bytes: it is no text file of this program.");
    EXPECT_EQ(text.GetLines().GetSize(), 0);
    WriteRaw(TempDrives::Current()->OnC("big.INI"), QByteArray(CSettingsText::kMaxBytes + 1, 'x'));
    EXPECT_EQ(text.Read("C:\\big.INI"), CSettingsText::TEXT_REFUSED);
    ASSERT_TRUE(QDir().mkpath(TempDrives::Current()->OnC("folder.INI")));
    EXPECT_EQ(text.Read("C:\\folder.INI"), CSettingsText::TEXT_REFUSED);
    EXPECT_EQ(text.GetRefusal(), "C:\\folder.INI could not be opened.");
}

// Keys checked: blank lines passed over, keys in any case, values out of range told and not
// taken, and after the first line out of its place nothing more is taken.
TEST(SettingsLines, KeysCheckedValuesInRange)
{
    CStringArray lines;
    for (const char* line : {"", "  ", "depth=12.5", "Count = 1e3", "Flag = yes", "---- Buoy 2 ----",
                             "Text =  two", "Big = 99999999999", "Stray = 1", "Late = 4"})
        lines.Add(line);
    CSettingsLines in("C:\\f.INI", lines, CSettingsLines::KEYS_CHECKED);
    double depth = 0.0;
    EXPECT_TRUE(in.Number("Depth", 0.0, 100.0, depth));
    EXPECT_EQ(depth, 12.5);
    int count = 7;
    EXPECT_TRUE(in.Integer("Count", 0, 10, count));
    EXPECT_EQ(count, 1) << "the leading-number rule of the stored files";
    bool flag = true;
    EXPECT_FALSE(in.Flag("Flag", flag));
    EXPECT_TRUE(flag);
    EXPECT_TRUE(in.Header("Buoy 2"));
    CString text;
    EXPECT_TRUE(in.Text("Text", text));
    EXPECT_EQ(text, " two") << "one leading blank only is dropped";
    int big = 3;
    EXPECT_FALSE(in.Integer("Big", 0, 10, big));
    EXPECT_EQ(big, 3);
    EXPECT_FALSE(in.Mismatched());
    EXPECT_FALSE(in.Number("Missing", 0.0, 1.0, depth));
    EXPECT_EQ(in.GetMismatch(), "C:\\f.INI, line 9: \"Missing\" was expected, the line reads \"Stray = 1\".");
    EXPECT_FALSE(in.Number("Late", 0.0, 10.0, depth)) << "nothing after a mismatch";
    EXPECT_EQ(depth, 12.5);
    EXPECT_FALSE(in.AtEnd());

    const CStringArray& told = in.GetProblems();
    ASSERT_EQ(told.GetSize(), 2);
    EXPECT_EQ(told[0], "C:\\f.INI, line 5, \"Flag\": yes is no number; 1 is used instead.");
    EXPECT_EQ(told[1], "C:\\f.INI, line 8, \"Big\": 99999999999 is not from 0 to 10; 3 is used instead.");
}

// Range ends, headers that carry a name, the end of the file, and keys ignored.
TEST(SettingsLines, RangeEndsHeadersAndTheEnd)
{
    CStringArray lines;
    for (const char* line :
         {"A = 10000", "B = -10000", "C = 0", "--- Anchor North = 1 ---", "...Buoy 12...", "D = 5", ""})
        lines.Add(line);
    CSettingsLines in("C:\\f.INI", lines, CSettingsLines::KEYS_CHECKED);
    double value = 1.0;
    EXPECT_FALSE(in.Number("A", 0.0, 10000.0, value, CSettingsLines::BELOW_HIGH));
    EXPECT_FALSE(in.Number("B", -10000.0, 10000.0, value, CSettingsLines::NEITHER_END));
    EXPECT_TRUE(in.Number("C", 0.0, 10000.0, value, CSettingsLines::BELOW_HIGH));
    EXPECT_TRUE(in.Header("Anchor", true));
    EXPECT_FALSE(in.Header("Buoy 1", true)) << "words, not letters";
    EXPECT_EQ(in.GetProblems()[0],
              "C:\\f.INI, line 1, \"A\": 10000 is not from 0 to below 10000; 1 is used instead.");
    EXPECT_EQ(in.GetProblems()[1],
              "C:\\f.INI, line 2, \"B\": -10000 is not between -10000 and 10000; 1 is used "
              "instead.");

    CSettingsLines end("C:\\f.INI", lines, CSettingsLines::KEYS_CHECKED);
    for (const char* key : {"A", "B", "C"})
        end.Number(key, -1e6, 1e6, value);
    end.Header("Anchor", true);
    end.Header("Buoy 12");
    EXPECT_TRUE(end.Number("D", 0.0, 10.0, value));
    EXPECT_TRUE(end.AtEnd()) << "a blank last line is no line";
    EXPECT_FALSE(end.Number("E", 0.0, 10.0, value));
    EXPECT_EQ(end.GetMismatch(), "C:\\f.INI, line 8: the file ends where \"E\" was expected.");

    // Keys ignored: the next line whatever its key; a missing line or '=' is nothing, silently.
    CSettingsLines positional("C:\\f.INI", lines, CSettingsLines::KEYS_IGNORED);
    value = 1.0;
    EXPECT_TRUE(positional.Number("X", 0.0, 1e6, value));
    EXPECT_EQ(value, 10000.0);
    EXPECT_FALSE(positional.Number("Y", 0.0, 1e6, value)) << "out of range, told";
    EXPECT_TRUE(positional.Number("Z", 0.0, 1e6, value));
    EXPECT_TRUE(positional.Header("anything"));
    EXPECT_FALSE(positional.Number("W", 0.0, 1e6, value)) << "a header line has no '='";
    EXPECT_EQ(positional.GetProblems().GetSize(), 1);
    EXPECT_TRUE(positional.AtEnd());
}

// The program's units, folders and settings lines, each against files written in the test's own
// drive C:.
#include "zuduzuro/AnchorFolders.h"
#include "zuduzuro/SettingsLines.h"
#include "zuduzuro/Units.h"

#include "foundation/ConfigFile.h"
#include "platform/core/StdioFile.h"
#include "testsupport/TempDrives.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

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

    CConfigFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeRead | CFile::typeText));
    CString text;
    ReadValue(file, text);
    EXPECT_EQ(text, "North, anchor\r\nspare");
    text = "junk";
    ReadValue(file, text); // a line without '='
    EXPECT_EQ(text, "");
    text = "junk";
    ReadValue(file, text); // the end of the file
    EXPECT_EQ(text, "");
}

TEST(SettingsLines, SectionStopsAtTheNextKeyOrSectionAndLeavesItForTheNextReader)
{
    WriteRaw(TempDrives::Current()->OnC("lists.FLS"), "[Pipelines]\r\nC:\\a.pl\r\nC:\\b c.pl\r\n"
                                                      "[GRID Waypoints\r\nC:\\w.gwp\r\n"
                                                      "Count = 7\r\n"
                                                      "[Tail]\r\n");
    CConfigFile file;
    ASSERT_TRUE(file.Open("C:\\lists.FLS", CFile::modeRead | CFile::typeText));
    CString name;
    CStringArray lines;
    ASSERT_TRUE(ReadSection(file, name, lines));
    EXPECT_EQ(name, "Pipelines");
    ASSERT_EQ(lines.GetSize(), 2);
    EXPECT_EQ(lines[0], "C:\\a.pl");
    EXPECT_EQ(lines[1], "C:\\b c.pl");

    // No closing bracket: the rest of the line is the name.
    lines.RemoveAll();
    ASSERT_TRUE(ReadSection(file, name, lines));
    EXPECT_EQ(name, "GRID Waypoints");
    ASSERT_EQ(lines.GetSize(), 1);

    // A key line is no section: the file stays put for the positional reader.
    name = "kept";
    lines.RemoveAll();
    EXPECT_FALSE(ReadSection(file, name, lines));
    EXPECT_EQ(name, "kept");
    EXPECT_EQ(lines.GetSize(), 0);
    EXPECT_EQ(file.ReadInt(0), 7);

    ASSERT_TRUE(ReadSection(file, name, lines));
    EXPECT_EQ(name, "Tail");
    EXPECT_EQ(lines.GetSize(), 0);
    EXPECT_FALSE(ReadSection(file, name, lines)); // at the end
}

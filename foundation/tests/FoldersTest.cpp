#include "foundation/FileList.h"
#include "foundation/FilePath.h"
#include "foundation/Folders.h"
#include "platform/core/FileApi.h"
#include "testsupport/TempDrives.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace
{
bool LinuxDirExists(const QString& path)
{
    return QDir(path).exists();
}

void Touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}
} // namespace

TEST(Folders, CreateFolderPathMakesEveryLevel)
{
    EXPECT_FALSE(CreateFolderPath("C:\\"));
    EXPECT_FALSE(CreateFolderPath("C:"));
    EXPECT_FALSE(CreateFolderPath("NoColonHere\\x"));
    EXPECT_TRUE(CreateFolderPath("C:\\A\\B\\C"));
    EXPECT_TRUE(LinuxDirExists(TempDrives::Current()->OnC("A/B/C")));
    EXPECT_TRUE(CreateFolderPath("C:\\A\\B\\C\\")); // existing levels count as success
}

TEST(Folders, SettingsFolderIsNamedAfterTheProgram)
{
    const char* argv[] = {"/opt/suite/bin/Geodetic", "--flag", "Z:\\data\\file.csv"};
    AfxSetCommandLine(3, const_cast<char**>(argv));
    EXPECT_EQ(GetSettingsFolder(), "C:\\MySettings\\Geodetic\\");
    EXPECT_TRUE(LinuxDirExists(TempDrives::Current()->OnC("MySettings/Geodetic")));
}

TEST(Folders, DataFolderPrefersCThenFixedDrives)
{
    TempDrives& drives = *TempDrives::Current();
    CString path;
    // Nowhere yet, no D: or E: drive: made on C:, with the sub-folder asked for.
    ASSERT_TRUE(GetMyDataFolder(path, "Vessel"));
    EXPECT_EQ(path, "C:\\MyData\\Vessel\\");
    EXPECT_TRUE(LinuxDirExists(drives.OnC("MyData/Vessel")));
    ASSERT_TRUE(GetMyDataFolder(path, nullptr));
    EXPECT_EQ(path, "C:\\MyData\\");

    // A fixed D: with MyData wins over making one on C: for a name not on C:.
    const QString d = drives.AddDrive('D');
    QDir().mkpath(d + "/MyOther");
    ASSERT_TRUE(FindFolderOnDrives("MyOther", path));
    EXPECT_EQ(path, "D:\\MyOther\\");
    // Missing everywhere: made on the fixed D:, never on an absent E:.
    ASSERT_TRUE(FindFolderOnDrives("Fresh", path));
    EXPECT_EQ(path, "D:\\Fresh\\");
    EXPECT_TRUE(LinuxDirExists(d + "/Fresh"));
}

TEST(Folders, RemovableDrivesAreNeverUsed)
{
    TempDrives& drives = *TempDrives::Current();
    const QString d = drives.AddDrive('D');
    const QString e = drives.AddDrive('E');
    QDir().mkpath(d + "/Portable");
    setenv("SUITE_DRIVE_D_TYPE", "removable", 1);
    setenv("SUITE_DRIVE_E_TYPE", "cdrom", 1);
    CString path;
    ASSERT_TRUE(FindFolderOnDrives("Portable", path));
    EXPECT_EQ(path, "C:\\Portable\\");
    QDir().mkpath(d + "/MyData");
    ASSERT_TRUE(GetMyDataFolder(path, nullptr));
    EXPECT_EQ(path, "C:\\MyData\\");
    EXPECT_FALSE(LinuxDirExists(e + "/MyData"));
    unsetenv("SUITE_DRIVE_D_TYPE");
    unsetenv("SUITE_DRIVE_E_TYPE");
}

TEST(Folders, RedirectFileNamesTheDataFolder)
{
    CString path;
    EXPECT_FALSE(GetMyDrivesDataFolder(path, "Global")); // no redirect file
    Touch(TempDrives::Current()->OnC("MyDrives/MyData.INI"));
    EXPECT_FALSE(GetMyDrivesDataFolder(path, "Global")); // empty first line
    QFile f(TempDrives::Current()->OnC("MyDrives/MyData.INI"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("  C:\\Survey Data  \r\nignored\r\n");
    f.close();
    ASSERT_TRUE(GetMyDrivesDataFolder(path, "Global"));
    EXPECT_EQ(path, "C:\\Survey Data\\Global\\");
    EXPECT_TRUE(LinuxDirExists(TempDrives::Current()->OnC("Survey Data/Global")));
}

TEST(Folders, DataFolderOfAnyName)
{
    TempDrives& drives = *TempDrives::Current();
    CString path;
    const QString d = drives.AddDrive('D');
    QDir().mkpath(d + "/Logs");
    ASSERT_TRUE(GetDataFolder(path, "Logs", nullptr));
    EXPECT_EQ(path, "D:\\Logs\\");
    ASSERT_TRUE(GetDataFolder(path, "Logs", "Grabs"));
    EXPECT_EQ(path, "D:\\Logs\\Grabs\\");
    EXPECT_TRUE(LinuxDirExists(d + "/Logs/Grabs"));
    // Found on C: first once it is there.
    QDir().mkpath(drives.OnC("Logs"));
    ASSERT_TRUE(GetDataFolder(path, "Logs", nullptr));
    EXPECT_EQ(path, "C:\\Logs\\");
}

TEST(Folders, YearFolderFollowsUtc)
{
    struct Case
    {
        WORD year, month;
        bool yearOnly;
        const char* folder;
    };
    const Case cases[] = {
        {2026, 12, false, "2026\\December\\"},
        {2027, 1, false, "2027\\January\\"},
        {2027, 1, true, "2027\\"},
        {987, 5, false, " 987\\May\\"},
    };
    for (const Case& c : cases)
    {
        SYSTEMTIME utc{};
        utc.wYear = c.year;
        utc.wMonth = c.month;
        utc.wDay = 1;
        EXPECT_EQ(FormatYearFolder(utc, c.yearOnly), c.folder) << c.folder;
    }
    // Fourteen hours ahead of UTC, the local date is a day on for most of the day; the folder
    // still follows UTC.
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    setenv("TZ", "Etc/GMT-14", 1);
    tzset();
    SYSTEMTIME before{}, after{};
    GetSystemTime(&before);
    const CString folder = GetYearFolder(false);
    GetSystemTime(&after);
    if (old)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
    EXPECT_TRUE(folder == FormatYearFolder(before, false) || folder == FormatYearFolder(after, false)) << folder;
}

TEST(Folders, LogFolderUnderTheDataDrivesOrWhereLogsIniSends)
{
    SYSTEMTIME utc{};
    GetSystemTime(&utc);
    const CString year = FormatYearFolder(utc, true);
    const CString month = FormatYearFolder(utc, false);

    CString expected;
    expected.Format("C:\\Logs\\%sLogs\\", year.GetString());
    EXPECT_EQ(GetLogFolder(true), expected);
    EXPECT_TRUE(LinuxDirExists(TempDrives::Current()->OnC(QString("Logs/%1/Logs").arg(utc.wYear))));

    QFile f(TempDrives::Current()->OnC("MyDrives/Logs.INI"));
    QDir().mkpath(TempDrives::Current()->OnC("MyDrives"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(" C:\\Ship Logs \r\n");
    f.close();
    expected.Format("C:\\Ship Logs\\%sLogs\\", month.GetString());
    EXPECT_EQ(GetLogFolder(false), expected);
    EXPECT_TRUE(CString(GetLogFolder(true)).Find("C:\\Ship Logs\\") == 0);
}

TEST(FilePaths, SplitAndTitles)
{
    struct Case
    {
        const char* path;
        const char* folder;
        const char* title;
        const char* ext;
    };
    const Case cases[] = {
        {"C:\\Data\\route.rte", "C:\\Data\\", "route", "rte"},
        {"\"C:\\My Data\\a.b.c\"", "C:\\My Data\\", "a.b", "c"},
        {"C:\\Data\\noext", "C:\\Data\\", "noext", ""},
        {"plain.txt", "", "plain", "txt"},
        {"C:\\dir.v2\\file", "C:\\dir.v2\\", "file", ""},
    };
    for (const Case& c : cases)
    {
        CString folder, title, ext;
        SplitFilePath(c.path, folder, title, ext);
        EXPECT_EQ(folder, c.folder) << c.path;
        EXPECT_EQ(title, c.title) << c.path;
        EXPECT_EQ(ext, c.ext) << c.path;
    }
    EXPECT_EQ(GetFilePathFolder("C:\\a\\b.txt"), "C:\\a\\");
    EXPECT_EQ(GetFilePathFolder("\\b.txt"), "");
    EXPECT_EQ(GetFileTitleFromPath("C:\\a\\ name .txt"), "name");
    EXPECT_EQ(GetFileTitleFromPath("\"C:\\My Data\\route.rte\""), "route");
    EXPECT_EQ(ChangeFileExtension("DRW", "C:\\a\\route.rte"), "C:\\a\\route.DRW");
    EXPECT_EQ(ChangeFileExtension("DRW", "C:\\a\\route"), "C:\\a\\route.DRW");
}

TEST(FileLists, AddFindsExactDuplicatesAndTracksTheFolder)
{
    CFileList list;
    EXPECT_EQ(list.Add("C:\\A\\one.shp"), 0);
    EXPECT_EQ(list.Add("C:\\B\\two.shp"), 1);
    EXPECT_EQ(list.m_Folder, "C:\\B\\");
    EXPECT_EQ(list.Add("C:\\A\\one.shp"), 0);
    EXPECT_EQ(list.m_Folder, "C:\\B\\"); // unchanged by a duplicate
    EXPECT_EQ(list.Add("C:\\A\\ONE.shp"), 2); // case matters
    EXPECT_EQ(list.GetFolder(0), "C:\\A");
    EXPECT_EQ(list.GetFileName(1), "two.shp");
    EXPECT_THROW(list.GetFolder(3), CException*);
    EXPECT_THROW(list.GetFileName(-1), CException*);
}

TEST(FileLists, FindShapeFilesSearchesSubFoldersInAnyCase)
{
    const TempDrives& drives = *TempDrives::Current();
    Touch(drives.OnC("Shapes/a.shp"));
    Touch(drives.OnC("Shapes/a.shx"));
    Touch(drives.OnC("Shapes/deep/er/B.SHP"));
    Touch(drives.OnC("Shapes/deep/c.Shp"));
    Touch(drives.OnC("Shapes/deep/notshp.txt"));
    CStringArray found;
    EXPECT_EQ(FindShapeFiles("C:\\Shapes", &found), 3);
    QStringList names;
    for (INT_PTR i = 0; i < found.GetSize(); ++i)
        names << found[i].ToQString();
    names.sort();
    EXPECT_EQ(names, QStringList({"C:\\Shapes\\a.shp", "C:\\Shapes\\deep\\c.Shp", "C:\\Shapes\\deep\\er\\B.SHP"}));
}

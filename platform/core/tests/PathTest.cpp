#include "platform/core/File.h"
#include "platform/core/FileFind.h"
#include "platform/core/Path.h"

#include "testsupport/TempDrives.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>

// Readable QString values in failure messages.
static void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace
{
// Restores the current directory when a test changes it.
struct CurrentDirectory
{
    CurrentDirectory() : saved(QDir::currentPath()) {}
    ~CurrentDirectory() { QDir::setCurrent(saved); }
    QString saved;
};
} // namespace

TEST(DriveMapping, DrivesComeFromTheEnvironment)
{
    TempDrives& drives = *TempDrives::Current();
    const QString c = drives.DriveC();

    struct Case
    {
        const char* windows;
        QString onDisk;
    };
    const Case unset[] = {
        {"C:\\MyData\\a.txt", c + "/MyData/a.txt"},
        {"c:/MyData/a.txt", c + "/MyData/a.txt"},
        {"C:\\MySettings\\", c + "/MySettings/"},
        {"C:\\", c + "/"},
        {"C:\\..\\..\\x", c + "/x"}, // never above the drive's root
        {"C:\\a\\.\\b\\..\\c", c + "/a/c"},
        {"Z:\\etc\\hostname", "/etc/hostname"},
        {"\\etc\\hostname", "/etc/hostname"},
        {"D:\\MyData", QString()},
        {"E:\\", QString()},
        {"Q:\\x", QString()},
        {"\\\\server\\share\\x", QString()},
        {"", QString()},
    };
    for (const Case& k : unset)
        EXPECT_EQ(LinuxPathFromWindows(k.windows), k.onDisk) << k.windows;

    const QString d = drives.AddDrive('D');
    const QString e = drives.AddDrive('E');
    EXPECT_EQ(LinuxPathFromWindows("D:\\MyData"), d + "/MyData");
    EXPECT_EQ(LinuxPathFromWindows("e:\\x\\y.ini"), e + "/x/y.ini");
    EXPECT_EQ(DriveFolder('d'), d);

    // C: falls back to the home folder.
    unsetenv("SUITE_DRIVE_C");
    EXPECT_EQ(DriveFolder('C'), QDir::homePath());
    setenv("SUITE_DRIVE_C", c.toUtf8().constData(), 1);
}

TEST(DriveMapping, LinuxPathsBackToWindows)
{
    TempDrives& drives = *TempDrives::Current();
    const QString d = drives.AddDrive('D');
    struct Case
    {
        QString onDisk;
        const char* windows;
    };
    const Case cases[] = {
        {drives.DriveC() + "/MyData/a.csv", "C:\\MyData\\a.csv"},
        {drives.DriveC(), "C:\\"},
        {drives.DriveC() + "/Logs/", "C:\\Logs\\"},
        {d + "/x", "D:\\x"},
        {"/data/a.csv", "Z:\\data\\a.csv"},
        {"/", "Z:\\"},
    };
    for (const Case& k : cases)
        EXPECT_EQ(WindowsPathFromLinux(k.onDisk), k.windows) << k.windows;

    CurrentDirectory keep;
    QDir().mkpath(drives.DriveC() + "/Work");
    QDir::setCurrent(drives.DriveC() + "/Work");
    EXPECT_EQ(WindowsPathFromLinux("sub/f.txt"), "C:\\Work\\sub\\f.txt");
    EXPECT_EQ(LinuxPathFromWindows("..\\f.txt"), drives.DriveC() + "/f.txt");
    EXPECT_EQ(FullWindowsPath("sub\\.\\f.txt"), "C:\\Work\\sub\\f.txt");
    EXPECT_EQ(DriveLetterOf("f.txt"), 'C');
}

TEST(DriveMapping, FullWindowsPath)
{
    const char* cases[][2] = {
        {"c:/a/./b/../c\\", "C:\\a\\c\\"}, {"C:\\\\MyData\\\\x.txt", "C:\\MyData\\x.txt"}, {"C:\\..", "C:\\"},
        {"\\tmp\\x", "Z:\\tmp\\x"},        {"\\\\server\\share", "\\\\server\\share"},
    };
    for (const auto& k : cases)
        EXPECT_EQ(FullWindowsPath(k[0]), k[1]) << k[0];
}

TEST(DriveMapping, LetterCaseFoundWhenUnique)
{
    const QString c = TempDrives::Current()->DriveC();
    QDir().mkpath(c + "/MyData/Routes");
    QFile f(c + "/MyData/Routes/Line1.RTE");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    EXPECT_EQ(LinuxPathFromWindows("C:\\MYDATA\\routes\\line1.rte"), c + "/MyData/Routes/Line1.RTE");
    // New components are created as written below the folders that exist.
    EXPECT_EQ(LinuxPathFromWindows("C:\\mydata\\NewFolder\\New.txt"), c + "/MyData/NewFolder/New.txt");

    CFile out;
    ASSERT_TRUE(out.Open("C:\\mydata\\ROUTES\\Made.txt", CFile::modeCreate | CFile::modeWrite));
    out.Close();
    EXPECT_TRUE(QFile::exists(c + "/MyData/Routes/Made.txt"));
}

TEST(DriveMapping, AmbiguousCaseIsNotGuessed)
{
    const QString c = TempDrives::Current()->DriveC();
    QDir().mkpath(c + "/Data");
    QDir().mkpath(c + "/DATA");
    // An exact spelling is always taken; otherwise two candidates leave the name as written.
    EXPECT_EQ(LinuxPathFromWindows("C:\\DATA\\f.txt"), c + "/DATA/f.txt");
    EXPECT_EQ(LinuxPathFromWindows("C:\\data\\f.txt"), c + "/data/f.txt");
    CFile f;
    EXPECT_FALSE(f.Open("C:\\data\\f.txt", CFile::modeCreate | CFile::modeWrite));
}

TEST(DriveMapping, Windows1252NamesOnDisk)
{
    // The system names files in Windows-1252; on disk they are Unicode names.
    CFile f;
    ASSERT_TRUE(f.Open("C:\\Caf\xE9 \xB0.txt", CFile::modeCreate | CFile::modeWrite));
    f.Close();
    EXPECT_TRUE(QFile::exists(TempDrives::Current()->DriveC() + QString::fromUtf8("/Café °.txt")));

    CFileFind finder;
    ASSERT_TRUE(finder.FindFile("C:\\CAF\xC9*.txt"));
    finder.FindNextFile();
    EXPECT_EQ(finder.GetFileName(), "Caf\xE9 \xB0.txt");
}

// A path value of two megabytes (a damaged settings line) maps in time that grows with its length.
TEST(DriveMappingBadInput, HugePathMapsInLinearTime)
{
    std::string path = "C:\\";
    while (path.size() < 2000000)
        path += "folder\\";
    path += "name.txt";
    QElapsedTimer timer;
    timer.start();
    const QString linux = LinuxPathFromWindows(path.c_str());
    const CString full = FullWindowsPath(path.c_str());
    EXPECT_LT(timer.elapsed(), 10000); // quadratic work takes minutes here
    EXPECT_TRUE(linux.endsWith(QLatin1String("/folder/folder/name.txt")));
    EXPECT_EQ(full.GetLength(), static_cast<int>(path.size()));
}

#include "platform/core/FileApi.h"
#include "platform/core/Path.h"

#include "testsupport/TempDrives.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include <sys/stat.h>
#include <utime.h>

namespace
{
QString OnC(const char* relative)
{
    return TempDrives::Current()->OnC(relative);
}

void PutRaw(const QString& linuxPath, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(linuxPath).path());
    QFile f(linuxPath);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray Raw(const QString& linuxPath)
{
    QFile f(linuxPath);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

FILETIME Utc(int year, int month, int day, int hour, int minute, int second)
{
    struct tm t = {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return FileTimeFromUnix(timegm(&t));
}
} // namespace

TEST(FileApiFolders, CreateAndRemoveDirectoryErrors)
{
    EXPECT_TRUE(CreateDirectoryA("C:\\MySettings\\", nullptr));
    EXPECT_TRUE(QFileInfo(OnC("MySettings")).isDir());

    struct Case
    {
        const char* path;
        DWORD error;
    };
    const Case failures[] = {
        {"C:\\MySettings\\", ERROR_ALREADY_EXISTS},
        {"c:\\mysettings", ERROR_ALREADY_EXISTS},
        {"C:\\No\\Such\\", ERROR_PATH_NOT_FOUND},
        {"D:\\MyData\\", ERROR_PATH_NOT_FOUND},
    };
    for (const Case& k : failures)
    {
        SetLastError(0);
        EXPECT_FALSE(CreateDirectoryA(k.path, nullptr)) << k.path;
        EXPECT_EQ(GetLastError(), k.error) << k.path;
    }

    PutRaw(OnC("MySettings/Geodetic/a.ini"), "x");
    EXPECT_FALSE(RemoveDirectoryA("C:\\MySettings"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
    EXPECT_TRUE(DeleteFileA("C:\\MySettings\\Geodetic\\A.INI"));
    EXPECT_TRUE(RemoveDirectoryA("C:\\MySettings\\Geodetic\\"));
    EXPECT_FALSE(QFileInfo::exists(OnC("MySettings/Geodetic")));

    // _access on folders and files, with a trailing separator as the settings code uses it.
    EXPECT_EQ(_access("C:\\MySettings\\", 0), 0);
    EXPECT_EQ(_access("C:\\MySettings\\", 6), 0);
    EXPECT_EQ(_access("C:\\Nothing\\", 0), -1);
    EXPECT_EQ(errno, ENOENT);
}

TEST(FileApiFiles, AttributesDeleteCopyMove)
{
    PutRaw(OnC("src.txt"), "source");
    PutRaw(OnC(".hidden"), "h");
    QDir().mkpath(OnC("Dir"));

    EXPECT_EQ(GetFileAttributesA("C:\\src.txt"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetFileAttributesA("C:\\Dir"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributesA("C:\\.hidden"), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(GetFileAttributesA("C:\\none"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesA("C:\\none\\x"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

    // Read-only: kept from writing and deleting, even for the super-user.
    ASSERT_TRUE(SetFileAttributesA("C:\\src.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributesA("C:\\src.txt"), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(_access("C:\\src.txt", 4), 0);
    EXPECT_EQ(_access("C:\\src.txt", 2), -1);
    EXPECT_FALSE(DeleteFileA("C:\\src.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(DeleteFileA("C:\\Dir"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

    // Copy keeps contents, time and the read-only attribute.
    struct utimbuf old = {1000000000, 1000000000};
    ::utime(QFile::encodeName(OnC("src.txt")).constData(), &old);
    ASSERT_TRUE(CopyFileA("C:\\SRC.TXT", "C:\\Dir\\copy.txt", TRUE));
    EXPECT_EQ(Raw(OnC("Dir/copy.txt")), QByteArray("source"));
    EXPECT_EQ(QFileInfo(OnC("Dir/copy.txt")).lastModified().toSecsSinceEpoch(), 1000000000);
    EXPECT_EQ(GetFileAttributesA("C:\\Dir\\copy.txt"), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(CopyFileA("C:\\src.txt", "C:\\Dir\\copy.txt", TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_FALSE(CopyFileA("C:\\src.txt", "C:\\Dir\\copy.txt", FALSE)); // read-only target
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(CopyFileA("C:\\gone.txt", "C:\\x.txt", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(QDir(OnC("Dir")).entryList(QDir::Files | QDir::Hidden).size(), 1); // no temporary left

    ASSERT_TRUE(SetFileAttributesA("C:\\src.txt", FILE_ATTRIBUTE_NORMAL));
    PutRaw(OnC("other.txt"), "other");
    EXPECT_TRUE(CopyFileA("C:\\other.txt", "C:\\src.txt", FALSE));
    EXPECT_EQ(Raw(OnC("src.txt")), QByteArray("other"));

    // Move refuses an existing target, but renames to another letter case.
    EXPECT_FALSE(MoveFileA("C:\\src.txt", "C:\\other.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_TRUE(MoveFileA("C:\\src.txt", "C:\\SRC.txt"));
    EXPECT_TRUE(QFileInfo::exists(OnC("SRC.txt")));
    EXPECT_FALSE(QFileInfo::exists(OnC("src.txt")));
    EXPECT_TRUE(MoveFileExA("C:\\SRC.txt", "C:\\other.txt", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(Raw(OnC("other.txt")), QByteArray("other"));
    EXPECT_FALSE(QFileInfo::exists(OnC("SRC.txt")));
}

TEST(FileApiDrives, GetDriveType)
{
    TempDrives& drives = *TempDrives::Current();
    struct Case
    {
        const char* root;
        UINT type;
    };
    const Case unset[] = {
        {"C:\\", DRIVE_FIXED},
        {"c:", DRIVE_FIXED},
        {"Z:\\", DRIVE_FIXED},
        {"D:\\", DRIVE_NO_ROOT_DIR},
        {"E:\\", DRIVE_NO_ROOT_DIR},
        {"Q:\\", DRIVE_NO_ROOT_DIR},
        {"C:\\Windows\\", DRIVE_NO_ROOT_DIR},
    };
    for (const Case& k : unset)
        EXPECT_EQ(GetDriveTypeA(k.root), k.type) << k.root;

    drives.AddDrive('D');
    drives.AddDrive('E');
    EXPECT_EQ(GetDriveTypeA("D:\\"), DRIVE_FIXED);
    EXPECT_EQ(GetDriveTypeA("e:\\"), DRIVE_FIXED);
    setenv("SUITE_DRIVE_E_TYPE", "removable", 1);
    EXPECT_EQ(GetDriveTypeA("E:\\"), DRIVE_REMOVABLE);
    unsetenv("SUITE_DRIVE_E_TYPE");
    // A drive whose folder is gone has no root.
    setenv("SUITE_DRIVE_D", (drives.Root() + "/gone").toUtf8().constData(), 1);
    EXPECT_EQ(GetDriveTypeA("D:\\"), DRIVE_NO_ROOT_DIR);
}

TEST(FileApiPaths, SplitPathS)
{
    struct Case
    {
        const char* path;
        const char* drive;
        const char* dir;
        const char* fname;
        const char* ext;
    };
    const Case cases[] = {
        {"C:\\MyData\\Routes\\Line 1.rte", "C:", "\\MyData\\Routes\\", "Line 1", ".rte"},
        {"Z:\\work\\build\\apps\\Geodetic", "Z:", "\\work\\build\\apps\\", "Geodetic", ""},
        {"\"Z:\\a b\\Geo.exe\" -x", "", "\"Z:\\a b\\", "Geo", ".exe\" -x"},
        {"a.b.c", "", "", "a.b", ".c"},
        {"dir/sub.d/name", "", "dir/sub.d/", "name", ""},
        {"C:name.txt", "C:", "", "name", ".txt"},
        {".profile", "", "", "", ".profile"},
        {"", "", "", "", ""},
    };
    for (const Case& k : cases)
    {
        char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
        ASSERT_EQ(_splitpath_s(k.path, drive, dir, fname, ext), 0) << k.path;
        EXPECT_STREQ(drive, k.drive) << k.path;
        EXPECT_STREQ(dir, k.dir) << k.path;
        EXPECT_STREQ(fname, k.fname) << k.path;
        EXPECT_STREQ(ext, k.ext) << k.path;
    }

    // Parts not wanted are skipped; a part too long empties every buffer.
    char fname[8] = "junk", ext[5] = "junk";
    EXPECT_EQ(_splitpath_s("C:\\x\\title.shp", nullptr, 0, nullptr, 0, fname, 8, ext, 5), 0);
    EXPECT_STREQ(fname, "title");
    EXPECT_EQ(_splitpath_s("C:\\x\\longtitle.shp", nullptr, 0, nullptr, 0, fname, 8, ext, 5), ERANGE);
    EXPECT_STREQ(fname, "");
    EXPECT_STREQ(ext, "");
    EXPECT_EQ(_splitpath_s(nullptr, nullptr, 0, nullptr, 0, fname, 8, ext, 5), EINVAL);
    EXPECT_EQ(_splitpath_s("a", nullptr, 3, nullptr, 0, fname, 8, ext, 5), EINVAL);

    char path[_MAX_PATH];
    _makepath(path, "C", "\\MyData", "Line", "rte");
    EXPECT_STREQ(path, "C:\\MyData\\Line.rte");
    EXPECT_EQ(_makepath_s(path, sizeof path, "D:", "\\x\\", "y", ".z"), 0);
    EXPECT_STREQ(path, "D:\\x\\y.z");
    char small[4];
    EXPECT_EQ(_makepath_s(small, sizeof small, "C:", "\\a\\", "b", nullptr), ERANGE);
}

TEST(FileApiTimes, FileTimeToDosDateTime)
{
    struct Case
    {
        FILETIME time;
        BOOL ok;
        WORD date;
        WORD dosTime;
    };
    const Case cases[] = {
        {Utc(1980, 1, 1, 0, 0, 0), TRUE, 0x0021, 0x0000},
        {Utc(2024, 2, 29, 13, 45, 59), TRUE, static_cast<WORD>((44 << 9) | (2 << 5) | 29),
         static_cast<WORD>((13 << 11) | (45 << 5) | 29)},
        {Utc(2107, 12, 31, 23, 59, 58), TRUE, static_cast<WORD>((127 << 9) | (12 << 5) | 31),
         static_cast<WORD>((23 << 11) | (59 << 5) | 29)},
        {Utc(1979, 12, 31, 23, 59, 59), FALSE, 0, 0},
        {Utc(2108, 1, 1, 0, 0, 0), FALSE, 0, 0},
    };
    for (const Case& k : cases)
    {
        WORD date = 0, time = 0;
        EXPECT_EQ(FileTimeToDosDateTime(&k.time, &date, &time), k.ok);
        if (!k.ok)
        {
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
            continue;
        }
        EXPECT_EQ(date, k.date);
        EXPECT_EQ(time, k.dosTime);
        FILETIME back;
        ASSERT_TRUE(DosDateTimeToFileTime(date, time, &back));
        EXPECT_LE(UnixFromFileTime(k.time) - UnixFromFileTime(back), 1);
    }
    // The FILETIME epoch: 1970 is 116444736000000000 ticks after 1601.
    const FILETIME epoch = FileTimeFromUnix(0);
    EXPECT_EQ((static_cast<uint64_t>(epoch.dwHighDateTime) << 32) | epoch.dwLowDateTime,
              116444736000000000ull);
}

TEST(FileApiProgram, CommandLineModuleAndFolders)
{
    char module[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, module, MAX_PATH);
    ASSERT_GT(n, 3u);
    EXPECT_EQ(std::strlen(module), n);
    EXPECT_EQ(module[1], ':');
    EXPECT_EQ(LinuxPathFromWindows(module), QCoreApplication::applicationFilePath());
    char tiny[5];
    EXPECT_EQ(GetModuleFileNameA(nullptr, tiny, 5), 5u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::strlen(tiny), 4u);

    // By default the program part is the running executable.
    EXPECT_EQ(std::string(GetCommandLineA()).rfind("\"" + std::string(module) + "\"", 0), 0u);

    char arg0[] = "Z:\\work\\build\\apps\\Geodetic";
    char arg1[] = "C:\\My Data\\x.ini";
    char arg2[] = "-v";
    char* argv[] = {arg0, arg1, arg2};
    AfxSetCommandLine(3, argv);
    EXPECT_STREQ(GetCommandLineA(), "\"Z:\\work\\build\\apps\\Geodetic\" \"C:\\My Data\\x.ini\" -v");

    char documents[MAX_PATH];
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, documents), S_OK);
    EXPECT_STREQ(documents, "C:\\Documents");
    EXPECT_TRUE(QFileInfo(OnC("Documents")).isDir());
    char appData[MAX_PATH];
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, appData), S_OK);
    EXPECT_EQ(LinuxPathFromWindows(appData), QString::fromUtf8(std::getenv("XDG_CONFIG_HOME")));
    EXPECT_EQ(SHGetFolderPathA(nullptr, 0x7F, nullptr, 0, appData), E_INVALIDARG);
}

TEST(FileApiStreams, TextModeStreamsFoldLineEnds)
{
    FILE* out = nullptr;
    ASSERT_EQ(fopen_s(&out, "C:\\Structures.txt", "w"), 0);
    std::fprintf(out, "%s\n%d\n", "Name", 7);
    std::fclose(out);
    EXPECT_EQ(Raw(OnC("Structures.txt")), QByteArray("Name\r\n7\r\n"));

    FILE* in = _fsopen("C:\\STRUCTURES.TXT", "rt", _SH_DENYWR);
    ASSERT_NE(in, nullptr);
    char line[32];
    ASSERT_NE(std::fgets(line, sizeof line, in), nullptr);
    EXPECT_STREQ(line, "Name\n");
    EXPECT_EQ(std::ftell(in), 6); // positions are those of the file
    ASSERT_NE(std::fgets(line, sizeof line, in), nullptr);
    EXPECT_STREQ(line, "7\n");
    EXPECT_EQ(std::fgets(line, sizeof line, in), nullptr);
    std::fseek(in, 0, SEEK_SET);
    EXPECT_EQ(std::fgetc(in), 'N');
    std::fclose(in);

    FILE* bin = nullptr;
    ASSERT_EQ(fopen_s(&bin, "C:\\Structures.txt", "rb"), 0);
    ASSERT_EQ(std::fread(line, 1, 6, bin), 6u);
    EXPECT_EQ(std::string(line, 6), "Name\r\n");
    std::fclose(bin);

    FILE* none = nullptr;
    EXPECT_EQ(fopen_s(&none, "C:\\missing\\x.txt", "r"), ENOENT);
    EXPECT_EQ(none, nullptr);
}

TEST(FileApiErrors, LastErrorIsPerThread)
{
    SetLastError(ERROR_ACCESS_DENIED);
    DWORD other = 1;
    std::thread t([&] {
        SetLastError(ERROR_FILE_NOT_FOUND);
        other = GetLastError();
    });
    t.join();
    EXPECT_EQ(other, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

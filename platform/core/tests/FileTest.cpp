#include "platform/core/File.h"
#include "platform/core/FileApi.h"
#include "platform/core/FileFind.h"
#include "platform/core/MemFile.h"
#include "platform/core/StdioFile.h"

#include "testsupport/TempDrives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace
{
QByteArray Raw(const QString& linuxPath)
{
    QFile f(linuxPath);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

void PutRaw(const QString& linuxPath, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(linuxPath).path());
    QFile f(linuxPath);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QString OnC(const char* relative)
{
    return TempDrives::Current()->OnC(relative);
}

// The cause of the CFileException that `body` throws, or -1.
int FileCause(const std::function<void()>& body, LONG* osError = nullptr)
{
    try
    {
        body();
    }
    catch (CFileException* e)
    {
        const int cause = e->m_cause;
        if (osError)
            *osError = e->m_lOsError;
        e->Delete();
        return cause;
    }
    return -1;
}
} // namespace

// ---------------------------------------------------------------------------------------
// CFile
// ---------------------------------------------------------------------------------------

TEST(CFileTest, BinaryWriteReadSeekAndLength)
{
    CFile f;
    ASSERT_TRUE(f.Open("C:\\Data\\..\\raw.bin", 0x9001)); // create, write, binary
    EXPECT_EQ(f.GetFilePath(), "C:\\raw.bin");
    EXPECT_EQ(f.GetFileName(), "raw.bin");
    EXPECT_EQ(f.GetFileTitle(), "raw");
    f.Write("ab\ncd\r\n", 7);
    EXPECT_EQ(f.GetLength(), 7u);
    f.Close();
    EXPECT_EQ(Raw(OnC("raw.bin")), QByteArray("ab\ncd\r\n"));

    ASSERT_TRUE(f.Open("C:\\RAW.BIN", CFile::modeReadWrite | CFile::shareDenyNone));
    EXPECT_EQ(f.Seek(-3, CFile::end), 4u);
    char buf[8] = {0};
    EXPECT_EQ(f.Read(buf, 8), 3u);
    EXPECT_EQ(std::string(buf, 3), "d\r\n");
    f.SeekToBegin();
    f.Write("AB", 2);
    EXPECT_EQ(f.GetPosition(), 2u);
    f.SetLength(4);
    EXPECT_EQ(f.SeekToEnd(), 4u);
    EXPECT_EQ(FileCause([&] { f.Seek(-5, CFile::current); }), CFileException::badSeek);
    f.Close();
    EXPECT_EQ(Raw(OnC("raw.bin")), QByteArray("AB\nc"));

    // modeNoTruncate keeps the contents; modeCreate alone empties the file.
    ASSERT_TRUE(f.Open("C:\\raw.bin", CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite));
    EXPECT_EQ(f.GetLength(), 4u);
    f.Close();
    ASSERT_TRUE(f.Open("C:\\raw.bin", CFile::modeCreate | CFile::modeWrite));
    EXPECT_EQ(f.GetLength(), 0u);
}

TEST(CFileTest, OpenFailuresReportCauseAndWindowsError)
{
    PutRaw(OnC("locked.txt"), "x");
    ::chmod(QFile::encodeName(OnC("locked.txt")).constData(), 0444);
    QDir().mkpath(OnC("Folder"));

    struct Case
    {
        const char* path;
        UINT flags;
        int cause;
        LONG osError;
    };
    const Case cases[] = {
        {"C:\\missing.txt", CFile::modeRead, CFileException::fileNotFound, ERROR_FILE_NOT_FOUND},
        {"C:\\NoFolder\\a.txt", CFile::modeCreate | CFile::modeWrite, CFileException::badPath,
         ERROR_PATH_NOT_FOUND},
        {"D:\\a.txt", CFile::modeCreate | CFile::modeWrite, CFileException::badPath, ERROR_PATH_NOT_FOUND},
        {"", CFile::modeRead, CFileException::badPath, ERROR_PATH_NOT_FOUND},
        {"C:\\Folder", CFile::modeRead, CFileException::accessDenied, ERROR_ACCESS_DENIED},
        {"C:\\locked.txt", CFile::modeWrite, CFileException::accessDenied, ERROR_ACCESS_DENIED},
        {"C:\\locked.txt", CFile::modeCreate | CFile::modeWrite, CFileException::accessDenied,
         ERROR_ACCESS_DENIED},
    };
    for (const Case& c : cases)
    {
        CFile f;
        CFileException error;
        EXPECT_FALSE(f.Open(c.path, c.flags, &error)) << c.path;
        EXPECT_EQ(error.m_cause, c.cause) << c.path;
        EXPECT_EQ(error.m_lOsError, c.osError) << c.path;
        EXPECT_EQ(error.m_strFileName, c.path);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(c.osError)) << c.path;
        EXPECT_EQ(f.m_hFile, CFile::hFileNull);
    }
    EXPECT_EQ(Raw(OnC("locked.txt")), QByteArray("x"));

    // The constructor throws instead, and a read-only handle refuses writes.
    EXPECT_EQ(FileCause([] { CFile f("C:\\missing.txt", CFile::modeRead); }), CFileException::fileNotFound);
    CFile reader("C:\\locked.txt", CFile::modeRead);
    EXPECT_EQ(FileCause([&] { reader.Write("y", 1); }), CFileException::accessDenied);
}

TEST(CFileTest, StatusRemoveAndRename)
{
    PutRaw(OnC("a.txt"), "12345");
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus("c:\\A.TXT", status));
    EXPECT_EQ(status.m_size, 5u);
    EXPECT_STREQ(status.m_szFullName, "C:\\A.TXT");
    EXPECT_EQ(status.m_attribute, 0);
    EXPECT_LE(std::llabs(static_cast<long long>(status.m_mtime.GetTime() - time(nullptr))), 5);
    EXPECT_FALSE(CFile::GetStatus("C:\\none.txt", status));

    CFile::Rename("C:\\a.txt", "C:\\b.txt");
    EXPECT_TRUE(QFile::exists(OnC("b.txt")));
    LONG os = 0;
    EXPECT_EQ(FileCause([] { CFile::Rename("C:\\a.txt", "C:\\c.txt"); }, &os), CFileException::fileNotFound);
    EXPECT_EQ(os, ERROR_FILE_NOT_FOUND);
    CFile::Remove("C:\\b.txt");
    EXPECT_FALSE(QFile::exists(OnC("b.txt")));
    EXPECT_EQ(FileCause([] { CFile::Remove("C:\\b.txt"); }), CFileException::fileNotFound);
}

// ---------------------------------------------------------------------------------------
// CStdioFile
// ---------------------------------------------------------------------------------------

TEST(CStdioFileTest, TextModeWritesCrLf)
{
    CStdioFile f;
    ASSERT_TRUE(f.Open("C:\\Angle_Settings.INI", 0x5021)); // create, write, deny write, text
    f.WriteString("[Angles]\n");
    f.WriteString("Format = 2\n");
    f.WriteString("Tail without newline");
    f.Close();
    EXPECT_EQ(Raw(OnC("Angle_Settings.INI")), QByteArray("[Angles]\r\nFormat = 2\r\nTail without newline"));
}

TEST(CStdioFileTest, TextModeReadsCrLfAndLf)
{
    PutRaw(OnC("mixed.txt"), QByteArray("dos\r\nunix\n\r\nlone\rcr\nlast"));
    CStdioFile f;
    ASSERT_TRUE(f.Open("C:\\mixed.txt", 0x4020)); // read, deny write, text
    const char* want[] = {"dos", "unix", "", "lone\rcr", "last"};
    CString line("junk");
    for (const char* w : want)
    {
        ASSERT_TRUE(f.ReadString(line));
        EXPECT_EQ(line, w);
    }
    EXPECT_FALSE(f.ReadString(line));
    EXPECT_EQ(line, "");
    EXPECT_FALSE(f.ReadString(line));

    // The buffer form keeps the "\n" and stops at the buffer's size.
    f.SeekToBegin();
    char buffer[8];
    EXPECT_STREQ(f.ReadString(buffer, 8), "dos\n");
    EXPECT_STREQ(f.ReadString(buffer, 3), "un");
    EXPECT_STREQ(f.ReadString(buffer, 8), "ix\n");
    f.Seek(-4, CFile::end);
    EXPECT_STREQ(f.ReadString(buffer, 8), "last");
    EXPECT_EQ(f.ReadString(buffer, 8), nullptr);
}

TEST(CStdioFileTest, LongLinesAndCtrlZ)
{
    const QByteArray longLine(100000, 'k');
    PutRaw(OnC("long.txt"), longLine + "\r\nafter\r\n\x1A"
                                       "garbage\r\n");
    CStdioFile f("C:\\long.txt", CFile::modeRead | CFile::typeText);
    CString line;
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_EQ(line.GetLength(), 100000);
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, "after");
    // Ctrl-Z ends a text file.
    EXPECT_FALSE(f.ReadString(line));
    EXPECT_FALSE(f.ReadString(line));
}

TEST(CStdioFileTest, BinaryModePassesBytesUnchanged)
{
    CStdioFile out("C:\\bin.txt", 0x9001);
    out.WriteString("a\nb\r\n");
    out.Close();
    EXPECT_EQ(Raw(OnC("bin.txt")), QByteArray("a\nb\r\n"));

    CStdioFile in("C:\\bin.txt", CFile::modeRead | CFile::typeBinary);
    CString line;
    ASSERT_TRUE(in.ReadString(line));
    EXPECT_EQ(line, "a");
    ASSERT_TRUE(in.ReadString(line));
    EXPECT_EQ(line, "b\r");
    EXPECT_FALSE(in.ReadString(line));
}

TEST(CStdioFileTest, NoTruncateAppends)
{
    PutRaw(OnC("log.txt"), "one\r\n");
    {
        CStdioFile f("C:\\log.txt",
                     CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite | CFile::typeText);
        f.WriteString("two\n");
    }
    EXPECT_EQ(Raw(OnC("log.txt")), QByteArray("one\r\ntwo\r\n"));
    CStdioFile missing;
    EXPECT_FALSE(missing.Open("C:\\nothing.txt", 0x4020));
    EXPECT_EQ(FileCause([&] { missing.WriteString("x"); }), CFileException::invalidFile);
}

// ---------------------------------------------------------------------------------------
// CMemFile
// ---------------------------------------------------------------------------------------

TEST(CMemFileTest, GrowsSeeksAndDetaches)
{
    CMemFile f(16);
    f.Write("hello", 5);
    f.Seek(10, CFile::begin);
    f.Write("!", 1);
    EXPECT_EQ(f.GetLength(), 11u);
    f.SeekToBegin();
    char buf[11];
    EXPECT_EQ(f.Read(buf, 11), 11u);
    EXPECT_EQ(std::string(buf, 11), std::string("hello\0\0\0\0\0!", 11));
    EXPECT_EQ(f.Read(buf, 1), 0u);
    EXPECT_EQ(FileCause([&] { f.Seek(-1, CFile::begin); }), CFileException::badSeek);

    f.SetLength(3);
    EXPECT_EQ(f.GetPosition(), 3u);
    BYTE* detached = f.Detach();
    ASSERT_NE(detached, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(detached), 3), "hel");
    std::free(detached);
    EXPECT_EQ(f.GetLength(), 0u);
}

TEST(CMemFileTest, FixedBufferDoesNotGrow)
{
    BYTE storage[4] = {'a', 'b', 'c', 'd'};
    CMemFile f(storage, 4);
    EXPECT_EQ(f.GetLength(), 4u);
    f.Write("XY", 2);
    EXPECT_EQ(storage[1], 'Y');
    f.SeekToEnd();
    bool memory = false;
    try
    {
        f.Write("Z", 1);
    }
    catch (CMemoryException* e)
    {
        memory = true;
        e->Delete();
    }
    EXPECT_TRUE(memory);
}

// ---------------------------------------------------------------------------------------
// CFileFind
// ---------------------------------------------------------------------------------------

TEST(CFileFindTest, ListsInCaseInsensitiveNameOrder)
{
    for (const char* name : {"b.shp", "A.SHP", "c.Shp", "a.dbf", "_first.shp", "Z.txt"})
        PutRaw(OnC((std::string("Maps/") + name).c_str()), "12");
    QDir().mkpath(OnC("Maps/sub.shp"));

    CFileFind finder;
    std::vector<std::string> names;
    BOOL more = finder.FindFile("C:\\maps\\*.SHP");
    while (more)
    {
        more = finder.FindNextFile();
        names.push_back(finder.GetFileName().GetString());
        EXPECT_EQ(finder.GetFilePath(), "C:\\maps\\" + finder.GetFileName());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"_first.shp", "A.SHP", "b.shp", "c.Shp", "sub.shp"}));
    EXPECT_TRUE(finder.IsDirectory());
    EXPECT_EQ(finder.GetFileTitle(), "sub");

    // "*.*" lists the dots first in a folder that is not a drive's root.
    ASSERT_TRUE(finder.FindFile("C:\\Maps\\*.*"));
    finder.FindNextFile();
    EXPECT_TRUE(finder.IsDots());
    EXPECT_EQ(finder.GetFileName(), ".");
    finder.FindNextFile();
    EXPECT_EQ(finder.GetFileName(), "..");
    finder.FindNextFile();
    EXPECT_EQ(finder.GetFileName(), "_first.shp");
    EXPECT_FALSE(finder.IsDots());
    EXPECT_EQ(finder.GetLength(), 2u);
    FILETIME ft;
    ASSERT_TRUE(finder.GetLastWriteTime(&ft));
    EXPECT_LE(std::llabs(static_cast<long long>(UnixFromFileTime(ft) - time(nullptr))), 5);

    ASSERT_TRUE(finder.FindFile("C:\\*.*"));
    finder.FindNextFile();
    EXPECT_EQ(finder.GetFileName(), "Maps");
}

TEST(CFileFindTest, MissingFolderOrNoMatch)
{
    CFileFind finder;
    EXPECT_FALSE(finder.FindFile("C:\\Nowhere\\*.*"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(finder.FindFile("E:\\*.*"));
    EXPECT_FALSE(finder.FindFile("C:\\*.xyz"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(finder.FindNextFile());
}

TEST(CFileFindTest, WindowsWildcards)
{
    struct Case
    {
        const char* name;
        const char* pattern;
        bool match;
    };
    const Case cases[] = {
        {"Route.txt", "*.*", true},
        {"README", "*.*", true},
        {"README", "readme.*", true},
        {"a.b.c", "*.c", true},
        {"a.b.c", "a.*", true},
        {"abc", "a?c", true},
        {"ac", "a?c", false},
        {"abc", "*.", true},
        {"abc.txt", "*.", false},
        {"SURVEY.SHP", "*.shp", true},
        {"survey.shpx", "*.shp", false},
        {"x.shp", "*shp", true},
        {"Caf\xE9.txt", "CAF\xC9*", true},
        {".", "*.*", true},
        {"..", "*", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CFileFind::MatchesPattern(c.name, c.pattern), c.match) << c.name << " ~ " << c.pattern;
}

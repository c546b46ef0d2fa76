#include "foundation/ConfigFile.h"
#include "foundation/Folders.h"
#include "platform/core/Exception.h"
#include "platform/core/Path.h"
#include "testsupport/TempDrives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace
{
QByteArray ReadFileBytes(const QString& linuxPath)
{
    QFile f(linuxPath);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << linuxPath.toStdString();
    return f.readAll();
}

const UINT kCreateText = CFile::modeCreate | CFile::modeWrite | CFile::typeText;
} // namespace

TEST(ConfigFileWhole, SettingsFileIsWrittenInTheSettingsFolder)
{
    ASSERT_TRUE(CConfigFile::WriteSettingsFile("Whole Test", [](CConfigFile& file) {
        file.WriteInt("Type", 3);
        file.WriteBool("Enable", false);
    }));
    const QString path = LinuxPathFromWindows(CConfigFile().GetSettingsFileName("Whole Test"));
    EXPECT_EQ(ReadFileBytes(path), QByteArray("Type = 3\r\nEnable = 0\r\n"));
    EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files), QStringList({"Whole_Test.INI"}));
}

TEST(ConfigFileWhole, FailedWriteKeepsTheOldFileAndLeavesNoTemporary)
{
    ASSERT_TRUE(CConfigFile::WriteWhole("C:\\Kept.INI", kCreateText,
                                        [](CConfigFile& file) { file.WriteInt("Old", 1); }));
    const bool written = CConfigFile::WriteWhole("C:\\Kept.INI", kCreateText, [](CConfigFile& file) {
        file.WriteInt("New", 2);
        AfxThrowFileException(CFileException::diskFull, 28, "C:\\Kept.INI");
    });
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadFileBytes(TempDrives::Current()->OnC("Kept.INI")), QByteArray("Old = 1\r\n"));
    EXPECT_EQ(QDir(TempDrives::Current()->DriveC()).entryList(QDir::Files), QStringList({"Kept.INI"}));
}

// The data fails to reach the disk only when the file is closed (a file-size limit stands in
// for a full disk): the old file stays and no temporary is left beside it.
TEST(ConfigFileBadInput, FailedFlushOnCloseLeavesNoTemporary)
{
    ASSERT_TRUE(CConfigFile::WriteWhole("C:\\Kept.INI", kCreateText,
                                        [](CConfigFile& file) { file.WriteInt("Old", 1); }));
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = before;
    tiny.rlim_cur = 4;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const bool written = CConfigFile::WriteWhole("C:\\Kept.INI", kCreateText, [](CConfigFile& file) {
        file.WriteText("Longer than the limit", "and buffered until the close");
    });
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadFileBytes(TempDrives::Current()->OnC("Kept.INI")), QByteArray("Old = 1\r\n"));
    EXPECT_EQ(QDir(TempDrives::Current()->DriveC()).entryList(QDir::Files), QStringList({"Kept.INI"}));
}

TEST(ConfigFileWhole, FileThatCannotOpenIsNotWritten)
{
    bool called = false;
    EXPECT_FALSE(CConfigFile::WriteWhole("C:\\No Such Folder\\x.INI", kCreateText,
                                         [&](CConfigFile&) { called = true; }));
    EXPECT_FALSE(called);
}

TEST(ConfigFileWhole, ReadingStopsQuietlyAtAFaultAndKeepsWhatWasRead)
{
    ASSERT_TRUE(CConfigFile::WriteSettingsFile("Read Test", [](CConfigFile& file) {
        file.WriteInt("First", 7);
        file.WriteInt("Second", 8);
    }));
    int first = 0, second = 0;
    EXPECT_TRUE(CConfigFile::ReadSettingsFile("Read Test", [&](CConfigFile& file) {
        first = file.ReadInt(-1);
        AfxThrowArchiveException(CArchiveException::badIndex);
        second = file.ReadInt(-1);
    }));
    EXPECT_EQ(first, 7);
    EXPECT_EQ(second, 0);
    // The file is let go: it can be written anew at once.
    EXPECT_TRUE(
        CConfigFile::WriteSettingsFile("Read Test", [](CConfigFile& file) { file.WriteInt("First", 1); }));

    bool called = false;
    EXPECT_FALSE(CConfigFile::ReadSettingsFile("Never Written", [&](CConfigFile&) { called = true; }));
    EXPECT_FALSE(called);
}

#include "foundation/ConfigFile.h"
#include "foundation/Folders.h"
#include "testsupport/TempDrives.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace
{
QByteArray ReadBytes(const QString& linuxPath)
{
    QFile f(linuxPath);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << linuxPath.toStdString();
    return f.readAll();
}

void WriteBytes(const QString& linuxPath, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(linuxPath).path());
    QFile f(linuxPath);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

const tagPen kDefaultPen = {7, 8, 0x123456, 9};
} // namespace

TEST(ConfigFileNames, SettingsFileNameTurnsBlanksAndDefaultsTheExtension)
{
    CConfigFile file;
    const CString folder = GetSettingsFolder();
    EXPECT_EQ(file.GetSettingsFileName("Angle Settings"), folder + "Angle_Settings.INI");
    EXPECT_EQ(file.GetSettingsFileName("Angle Settings", ""), folder + "Angle_Settings.INI");
    EXPECT_EQ(file.GetSettingsFileName("COM Array", "FLS"), folder + "COM_Array.FLS");
    EXPECT_EQ(CConfigFile::MakeFileName("C:\\Data\\", "My Route", nullptr), "C:\\Data\\My Route.INI");
    EXPECT_EQ(CConfigFile::MakeFileName(nullptr, "Route", "DRW"), "Route.DRW");
}

TEST(ConfigFileNames, AbsentPathRaisesInvalidArgument)
{
    CConfigFile file;
    EXPECT_THROW(file.SetFilePath(""), CException*);
    EXPECT_THROW(file.SetFilePath(nullptr), CException*);
}

TEST(ConfigFileValues, EveryKindRoundTripsInWriterOrder)
{
    const tagPen pen = {2, 3, 0xFF0000, -2};
    CStringArray files;
    files.Add("C:\\MyData\\a.shp");
    files.Add("C:\\MyData\\b c.shp");
    {
        CConfigFile out;
        ASSERT_TRUE(out.Open(out.GetSettingsFileName("All Kinds"), 0x5021));
        out.WriteInt("Int", -42);
        out.WriteUnsigned("Colour", 0xFFFFFFFFu);
        out.WriteBool("Flag", true);
        out.WriteBool("Other Flag", false);
        out.WriteDouble("Latitude", 0.123456789012345678, 16);
        out.WriteDouble("Short", 2.5, 0);
        out.WritePen("Pen", pen);
        out.WriteText("Text", "a,b\r\nc = d");
        out.WriteText("Empty", "");
        out.WriteInt("Small", -300);
        out.WriteChar("Format", 'D');
        out.WriteSection("Files", files);
        out.Close();
    }
    CConfigFile in;
    ASSERT_TRUE(in.OpenForRead("All Kinds"));
    EXPECT_EQ(in.ReadInt(0), -42);
    EXPECT_EQ(static_cast<unsigned>(in.ReadInt(0)), 0xFFFFFFFFu);
    EXPECT_TRUE(in.ReadBool(false));
    EXPECT_FALSE(in.ReadBool(true));
    EXPECT_DOUBLE_EQ(in.ReadDouble(0), 0.123456789012345678);
    EXPECT_DOUBLE_EQ(in.ReadDouble(0), 2.0); // "%.0lf" rounds half to even
    const tagPen back = in.ReadPen(kDefaultPen);
    EXPECT_EQ(back.Colour, pen.Colour);
    EXPECT_EQ(back.nStyle, pen.nStyle);
    EXPECT_EQ(back.nThickness, pen.nThickness);
    EXPECT_EQ(back.nFill, pen.nFill);
    EXPECT_EQ(in.ReadText("x"), "a,b\r\nc = d");
    EXPECT_EQ(in.ReadText("x"), "");
    EXPECT_EQ(in.ReadShort(0), -300);
    EXPECT_EQ(in.ReadChar('x'), 'D');
    CString line;
    ASSERT_TRUE(in.ReadString(line));
    EXPECT_EQ(line, "[Files]");
    ASSERT_TRUE(in.ReadString(line));
    EXPECT_EQ(line, "C:\\MyData\\a.shp");
    ASSERT_TRUE(in.ReadString(line));
    EXPECT_EQ(line, "C:\\MyData\\b c.shp");
    // Past the end every reader gives its default.
    EXPECT_EQ(in.ReadInt(77), 77);
    EXPECT_EQ(in.ReadText("dflt"), "dflt");
    EXPECT_EQ(in.ReadChar('q'), 'q');
    EXPECT_DOUBLE_EQ(in.ReadDouble(1.5), 1.5);
    EXPECT_TRUE(in.ReadBool(true));
}

TEST(ConfigFileValues, BytesOnDiskAreTextModeWithEscapes)
{
    CConfigFile out;
    ASSERT_TRUE(out.OpenForWrite("C:\\", "Escapes", "txt"));
    out.WriteText("Name", "1,\r\n");
    out.WritePen("Pen", {1, 2, 255, 3});
    out.Close();
    EXPECT_EQ(ReadBytes(TempDrives::Current()->OnC("Escapes.txt")),
              QByteArray("Name = 1\xAB"
                         "COMMA\xBB\xAB"
                         "CR\xBB\xAB"
                         "LF\xBB\r\nPen = 255, 1, 2, 3\r\n"));
}

TEST(ConfigFileValues, PositionalReadersOnHandWrittenLines)
{
    WriteBytes(TempDrives::Current()->OnC("Hand.INI"),
               "A =  two blanks\r\n"             // one blank removed, one kept
               "B = \xAB"
               "CR\xBB"
               "x\n"                             // an escape written by hand, LF line end
               "no equals sign here\r\n"         // consumed, default returned
               "C = 255\r\n"                     // colour only
               "D = 255, 1\r\n"                  // colour and first field
               "E = 4294967296.7, 1, 2, 3\r\n"   // colour wraps to 32 bits
               "F =   z\r\n"                     // leading blanks before a char
               "G =\r\n");                       // nothing after '='
    CConfigFile in;
    ASSERT_TRUE(in.Open("C:\\Hand.INI", 0x4020));
    EXPECT_EQ(in.ReadText(), " two blanks");
    EXPECT_EQ(in.ReadText(), "\rx");
    EXPECT_EQ(in.ReadInt(-9), -9);
    tagPen p = in.ReadPen(kDefaultPen);
    EXPECT_EQ(p.Colour, 255u);
    EXPECT_EQ(p.nStyle, 7);
    EXPECT_EQ(p.nThickness, 8);
    EXPECT_EQ(p.nFill, 9);
    p = in.ReadPen(kDefaultPen);
    EXPECT_EQ(p.Colour, 255u);
    EXPECT_EQ(p.nStyle, 1);
    EXPECT_EQ(p.nThickness, 8);
    p = in.ReadPen(kDefaultPen);
    EXPECT_EQ(p.Colour, 0u);
    EXPECT_EQ(p.nFill, 3);
    EXPECT_EQ(in.ReadChar('d'), 'z');
    EXPECT_EQ(in.ReadChar('d'), 'd');
}

TEST(ConfigFileValues, MissingFileFailsToOpen)
{
    CConfigFile in;
    EXPECT_FALSE(in.OpenForRead("Never Written"));
}

TEST(ConfigFileValues, RewriteReplacesTheFileOnlyWhenClosed)
{
    const QString path = TempDrives::Current()->OnC("Whole.INI");
    WriteBytes(path, "Old = 1\r\n");
    {
        CConfigFile out;
        ASSERT_TRUE(out.OpenForWrite("C:\\", "Whole"));
        out.WriteInt("New", 2);
        // Until Close the old file stands whole.
        EXPECT_EQ(ReadBytes(path), QByteArray("Old = 1\r\n"));
        out.Abort();
    }
    EXPECT_EQ(ReadBytes(path), QByteArray("Old = 1\r\n"));
    {
        CConfigFile out;
        ASSERT_TRUE(out.OpenForWrite("C:\\", "Whole"));
        out.WriteInt("New", 2);
    } // closed by the destructor
    EXPECT_EQ(ReadBytes(path), QByteArray("New = 2\r\n"));
    EXPECT_EQ(QDir(TempDrives::Current()->DriveC()).entryList(QDir::Files), QStringList({"Whole.INI"}));
}

// Pen colours that are not numbers or beyond 64 bits keep the default rather than being
// converted.
TEST(ConfigFileBadInput, PenValuesOutOfRangeKeepTheDefault)
{
    QFile fixture(SUITE_SOURCE_DIR "/foundation/tests/data/bad_pen_settings.INI");
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    WriteBytes(TempDrives::Current()->OnC("Pens.INI"), fixture.readAll());
    CConfigFile in;
    ASSERT_TRUE(in.Open("C:\\Pens.INI", 0x4020));
    tagPen p = in.ReadPen(kDefaultPen);
    EXPECT_EQ(p.Colour, kDefaultPen.Colour);
    EXPECT_EQ(p.nStyle, 1);
    EXPECT_EQ(p.nFill, 2);
    p = in.ReadPen(kDefaultPen);
    EXPECT_EQ(p.Colour, kDefaultPen.Colour);
    EXPECT_EQ(p.nFill, 4);
    p = in.ReadPen(kDefaultPen);
    EXPECT_EQ(p.Colour, kDefaultPen.Colour);
}

TEST(ConfigFileValues, IntOr600AndTheOutlineFileLine)
{
    WriteBytes(TempDrives::Current()->OnC("Counts.INI"),
               "A = 12.9\r\n"     // truncated
               "B = -3.7\r\n"     // toward zero
               "no equals sign\r\n"
               "C = 1e20\r\n"     // beyond int
               "D = words\r\n");  // no number reads as 0
    CConfigFile in;
    ASSERT_TRUE(in.Open("C:\\Counts.INI", 0x4020));
    EXPECT_EQ(in.ReadIntOr600(), 12);
    EXPECT_EQ(in.ReadIntOr600(), -3);
    EXPECT_EQ(in.ReadIntOr600(), 600);
    EXPECT_EQ(in.ReadIntOr600(), 600);
    EXPECT_EQ(in.ReadIntOr600(), 0);
    EXPECT_EQ(in.ReadIntOr600(), 600); // no line left
    in.Close();

    CConfigFile out;
    ASSERT_TRUE(out.OpenForWrite("C:\\", "Outline", "txt"));
    out.WriteOutlineFile("C:\\Vessels\\a,b\r\n.vsl");
    out.Close();
    EXPECT_EQ(ReadBytes(TempDrives::Current()->OnC("Outline.txt")),
              QByteArray("Outline File = C:\\Vessels\\a\xAB"
                         "COMMA\xBB"
                         "b\xAB"
                         "CR\xBB\xAB"
                         "LF\xBB.vsl\r\n"));
}

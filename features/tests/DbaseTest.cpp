#include "features/Dbase.h"
#include "features/tests/ShapeTestFiles.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace shapetest;

namespace
{
// Overwrites the 11 name bytes of field descriptor `field` of a ".dbf" at a Windows path.
void PatchFieldName(const char* windowsPath, int field, const char (&name)[12])
{
    QFile f(LinuxPathFromWindows(windowsPath));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.seek(32 + 32 * field));
    ASSERT_EQ(f.write(name, 11), 11);
}

QStringList Names(const CDbase& table)
{
    QStringList names;
    for (INT_PTR i = 0; i < table.m_FieldNames.GetSize(); ++i)
        names << table.m_FieldNames[i].GetString();
    return names;
}
} // namespace

TEST(Dbase, SetFileSplitsThePath)
{
    struct
    {
        const char* path;
        const char* base;
        const char* title;
    } cases[] = {
        {"C:\\MyData\\Shapes\\Cables.shp", "C:\\MyData\\Shapes\\Cables", "Cables"},
        {"C:\\MyData\\Survey.v2.SHP", "C:\\MyData\\Survey.v2", "Survey.v2"},
        {"Cables.shp", "Cables", "Cables"},
        {"D:\\Cables", "D:\\Cables", "Cables"},
    };
    for (const auto& c : cases)
    {
        CDbase table;
        table.SetFile(c.path);
        EXPECT_EQ(table.m_BasePath, c.base) << c.path;
        EXPECT_EQ(table.m_Title, c.title) << c.path;
    }
}

TEST(Dbase, ReadsColumnNamesInFieldOrder)
{
    WriteTable("C:\\MyData\\Shapes\\Cables", {{"NAME", FTString, 20, 0},
                                              {"TEXTSTRING", FTString, 40, 0},
                                              {"DEPTH", FTDouble, 10, 2},
                                              {"textstring", FTString, 10, 0}});
    CDbase table;
    table.m_FieldNames.Add("stale");
    table.SetFile("C:\\MyData\\Shapes\\Cables.shp");
    ASSERT_TRUE(table.ReadFieldNames());
    EXPECT_EQ(Names(table), QStringList({"NAME", "TEXTSTRING", "DEPTH", "textstring"}));
    EXPECT_EQ(table.FindFieldName("TEXTSTRING"), 1);
    EXPECT_EQ(table.FindFieldName("textstring"), 3);
    EXPECT_EQ(table.FindFieldName("Depth"), -1);

    // A title with a dot of its own, and a table whose extension is in capitals.
    WriteTable("C:\\MyData\\Survey.v2", {{"ID", FTInteger, 6, 0}});
    QFile::rename(LinuxPathFromWindows("C:\\MyData\\Survey.v2.dbf"),
                  LinuxPathFromWindows("C:\\MyData") + "/Survey.v2.DBF");
    CDbase dotted;
    dotted.SetFile("C:\\MyData\\Survey.v2.shp");
    ASSERT_TRUE(dotted.ReadFieldNames());
    EXPECT_EQ(Names(dotted), QStringList({"ID"}));
}

TEST(Dbase, MissingTableLeavesNoNames)
{
    CDbase table;
    table.m_FieldNames.Add("stale");
    table.SetFile("C:\\MyData\\Nowhere.shp");
    EXPECT_FALSE(table.ReadFieldNames());
    EXPECT_EQ(table.m_FieldNames.GetSize(), 0);

    // Not a table at all.
    WriteTable("C:\\MyData\\Broken", {{"A", FTString, 4, 0}});
    QFile f(LinuxPathFromWindows("C:\\MyData\\Broken.dbf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("not a table");
    f.close();
    table.SetFile("C:\\MyData\\Broken.shp");
    EXPECT_FALSE(table.ReadFieldNames());
    EXPECT_EQ(table.m_FieldNames.GetSize(), 0);
}

TEST(Dbase, FieldNamesLoseTrailingBlanksButNeverTheFirstCharacter)
{
    // As the table stores them: 11 bytes, padded with NUL bytes or blanks.
    struct
    {
        char bytes[12];
        const char* name;
    } cases[] = {
        {"DEPTH\0\0\0\0\0\0", "DEPTH"}, {"DEPTH      ", "DEPTH"}, {"A B        ", "A B"},
        {"KP  \0\0\0\0\0\0\0", "KP"},   {"           ", " "},     {"TEXTSTRINGX", "TEXTSTRINGX"},
        {" LEAD      ", " LEAD"},
    };
    for (const auto& c : cases)
    {
        char descriptor[32] = {};
        std::memcpy(descriptor, c.bytes, 11);
        descriptor[11] = 'C'; // the field type follows the name
        EXPECT_EQ(CDbase::FieldNameFromDescriptor(descriptor), c.name) << c.name;
    }

    // The same through a real table whose names were padded with blanks.
    WriteTable("C:\\MyData\\Padded", {{"DEPTH", FTDouble, 10, 2}, {"X", FTString, 4, 0}});
    PatchFieldName("C:\\MyData\\Padded.dbf", 0, "DEPTH      ");
    PatchFieldName("C:\\MyData\\Padded.dbf", 1, "           ");
    CDbase table;
    table.SetFile("C:\\MyData\\Padded.shp");
    ASSERT_TRUE(table.ReadFieldNames());
    EXPECT_EQ(Names(table), QStringList({"DEPTH", " "}));
}

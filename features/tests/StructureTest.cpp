#include "features/Structure.h"
#include "features/StructureList.h"
#include "features/tests/FeatureTestFiles.h"

#include <gtest/gtest.h>

#include <vector>

using namespace featuretest;

namespace
{
const char kTwo[] = "C:\\MyData\\Structures\\Field Two.dat";

// A structure file made of `lines`, each ended by CR LF.
QByteArray StructureLines(const std::vector<const char*>& lines)
{
    QByteArray bytes;
    for (const char* line : lines)
        bytes += QByteArray(line) + "\r\n";
    return bytes;
}

// One block of eight lines with the given name line and heading line.
std::vector<const char*> Block(const char* nameLine, const char* headingLine = "HEADING 10.0")
{
    return {"STRUCTURE 1",      nameLine,      "SHAPE Jacket", "SHOW 1",
            "100.000E 200.000", "HEIGHT 1.00", headingLine,    "LENGTH 5.00"};
}

std::vector<const char*> Join(std::vector<std::vector<const char*>> blocks, bool separators = true)
{
    std::vector<const char*> lines;
    for (size_t i = 0; i < blocks.size(); ++i)
    {
        if (i > 0 && separators)
            lines.push_back("");
        lines.insert(lines.end(), blocks[i].begin(), blocks[i].end());
    }
    return lines;
}

CStructureShape* NewShape(const char* path, double minX, double minY, double maxX, double maxY)
{
    CStructureShape* shape = new CStructureShape;
    shape->m_FilePath = path;
    shape->m_MinX = minX;
    shape->m_MinY = minY;
    shape->m_MaxX = maxX;
    shape->m_MaxY = maxY;
    return shape;
}

// A list holding one file whose structures have the given shape indices and shape names, and
// the shapes "Jacket" (10 × 25) and "Wellhead" (4 × 2).
void MakeShapedList(CStructureList& list, const std::vector<std::pair<int, const char*>>& records)
{
    list.m_Shapes.AddTail(NewShape("C:\\MyData\\Shapes\\Jacket.dxf", -5.0, 0.0, 5.0, 25.0));
    list.m_Shapes.AddTail(NewShape("C:\\MyData\\Shapes\\Wellhead.DXF", 0.0, 0.0, 4.0, 2.0));
    CStructure* set = new CStructure;
    for (const auto& r : records)
    {
        StructureDef s;
        s.ShapeIndex = r.first;
        s.Shape = r.second;
        s.Length = 50.0;
        set->Add(s);
    }
    list.Add(set);
}
} // namespace

TEST(Structure, FileRoundTripIsByteForByte)
{
    WriteBytes(kTwo, Fixture("struct_two.dat"));
    CStructure set;
    ASSERT_TRUE(set.Load(kTwo));
    EXPECT_EQ(set.m_Title, "Field Two");
    ASSERT_EQ(set.GetSize(), 2);

    const StructureDef& a = set[0];
    EXPECT_EQ(a.ShapeIndex, 2);
    EXPECT_EQ(a.Name, "Platform Alpha");
    EXPECT_EQ(a.Shape, "Jacket");
    EXPECT_TRUE(a.Show);
    EXPECT_DOUBLE_EQ(a.Position.x, 452123.456);
    EXPECT_DOUBLE_EQ(a.Position.y, 6231987.654);
    EXPECT_DOUBLE_EQ(a.Height, 35.5);
    EXPECT_DOUBLE_EQ(a.Heading, 45.0);
    EXPECT_DOUBLE_EQ(a.Length, 60.0);

    const StructureDef& b = set[1];
    EXPECT_EQ(b.ShapeIndex, 0);
    EXPECT_EQ(b.Name, "Structure 2");
    EXPECT_TRUE(b.Shape.IsEmpty());
    EXPECT_FALSE(b.Show);
    EXPECT_DOUBLE_EQ(b.Position.x, -12.3); // the easting stops at the letter E
    EXPECT_DOUBLE_EQ(b.Position.y, -0.5);
    EXPECT_DOUBLE_EQ(b.Heading, 360.0); // the top of the range is kept

    const char copy[] = "C:\\MyData\\Structures\\Copy.dat";
    set.LoadStatus(copy);
    ASSERT_TRUE(set.Save());
    EXPECT_EQ(ReadBytes(copy), Fixture("struct_two.dat"));
}

TEST(Structure, WrittenRecordsReadBackAtTheFilesPrecision)
{
    ASSERT_TRUE(CreateFolderPath("C:\\MyData\\"));
    CStructure set;
    set.LoadStatus("C:\\MyData\\Written.dat");
    StructureDef s;
    s.ShapeIndex = 3;
    s.Name = "Riser Base";
    s.Shape = "Manifold";
    s.Show = false;
    s.Position = {345678.12345, 5432109.87654};
    s.Height = 12.345;
    s.Heading = 123.456;
    s.Length = 7.891;
    s.Work[0] = 99.0; // working values are not stored
    set.Add(s);
    set.Add(StructureDef());
    ASSERT_TRUE(set.Save());

    CStructure back;
    ASSERT_TRUE(back.Load("C:\\MyData\\Written.dat"));
    ASSERT_EQ(back.GetSize(), 2);
    EXPECT_EQ(back[0].ShapeIndex, 3);
    EXPECT_EQ(back[0].Name, "Riser Base");
    EXPECT_EQ(back[0].Shape, "Manifold");
    EXPECT_FALSE(back[0].Show);
    EXPECT_DOUBLE_EQ(back[0].Position.x, 345678.123);
    EXPECT_DOUBLE_EQ(back[0].Position.y, 5432109.877);
    EXPECT_DOUBLE_EQ(back[0].Height, 12.35);
    EXPECT_DOUBLE_EQ(back[0].Heading, 123.5);
    EXPECT_DOUBLE_EQ(back[0].Length, 7.89);
    EXPECT_EQ(back[0].Work[0], 0.0);
    EXPECT_EQ(back[1].Name, "Structure 2"); // an empty name is named by its place
    EXPECT_TRUE(back[1].Show);
}

TEST(Structure, ReaderCases)
{
    struct Case
    {
        const char* what;
        std::vector<const char*> lines;
        std::vector<const char*> names; // of the structures read
        double firstHeading;
    };
    const std::vector<Case> cases = {
        {"first line is not a block", Join({{"# structures"}, Block("NAME A")}, false), {}, 0.0},
        {"blanks around the name", {Block("NAME   Spaced Out  ")}, {"Spaced Out"}, 10.0},
        {"name line without a blank", Join({Block("NAME A"), Block("NAME")}), {"A", "Structure 2"}, 10.0},
        {"heading above 360", {Block("NAME A", "HEADING 400.0")}, {"A"}, 0.0},
        {"heading below 0", {Block("NAME A", "HEADING -5.0")}, {"A"}, 0.0},
        {"heading of 360", {Block("NAME A", "HEADING 360.0")}, {"A"}, 360.0},
        {"block cut short", Join({Block("NAME A"), {"STRUCTURE 1", "NAME B", "SHAPE X"}}), {"A"}, 10.0},
        // A hand-edited file that lost the empty line between blocks keeps all its structures.
        {"no empty line between blocks",
         Join({Block("NAME A"), Block("NAME B"), Block("NAME C")}, false),
         {"A", "B", "C"},
         10.0},
        // Default names are renumbered by place; a user's name that starts with the word is kept.
        {"default and user names",
         Join({Block("NAME Structure 7"), Block("NAME Structure A"), Block("NAME Structure"),
               Block("NAME Structures"), Block("NAME Structure 12b")}),
         {"Structure 1", "Structure A", "Structure 3", "Structures", "Structure 12b"},
         10.0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        WriteBytes("C:\\MyData\\Case.dat", StructureLines(c.lines));
        CStructure set;
        EXPECT_EQ(set.Load("C:\\MyData\\Case.dat"), !c.names.empty());
        ASSERT_EQ(set.GetSize(), static_cast<INT_PTR>(c.names.size()));
        for (size_t i = 0; i < c.names.size(); ++i)
            EXPECT_EQ(set[static_cast<INT_PTR>(i)].Name, c.names[i]);
        if (!c.names.empty())
        {
            EXPECT_EQ(set[0].Heading, c.firstHeading);
        }
    }
}

TEST(Structure, UserNamesSurviveASaveAndReload)
{
    ASSERT_TRUE(CreateFolderPath("C:\\MyData\\"));
    CStructure set;
    set.LoadStatus("C:\\MyData\\Names.dat");
    for (const char* name : {"Structure A", "Structure 9", "Structure B"})
    {
        StructureDef s;
        s.Name = name;
        set.Add(s);
    }
    ASSERT_TRUE(set.Save());
    CStructure back;
    ASSERT_TRUE(back.Load("C:\\MyData\\Names.dat"));
    ASSERT_EQ(back.GetSize(), 3);
    EXPECT_EQ(back[0].Name, "Structure A");
    EXPECT_EQ(back[1].Name, "Structure 2");
    EXPECT_EQ(back[2].Name, "Structure B");
}

TEST(Structure, MakeStructureName)
{
    struct Case
    {
        const char* name;
        int index;
        const char* made;
    };
    const std::vector<Case> cases = {
        {"", 0, "Structure 1"},
        {nullptr, 4, "Structure 5"},
        {"Structure", 2, "Structure 3"},
        {"Structure 1", 6, "Structure 7"},
        {"Structure 042", 0, "Structure 1"},
        {"Structure A", 3, "Structure A"},
        {"Structure 2b", 0, "Structure 2b"},
        {"Structure ", 0, "Structure "},
        {"Structures", 0, "Structures"},
        {"structure 3", 0, "structure 3"},
        {"Structure  3", 0, "Structure  3"},
        {"Jacket 3", 0, "Jacket 3"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name ? c.name : "(null)");
        EXPECT_EQ(CStructureList::MakeStructureName(c.name, c.index), c.made);
    }
}

TEST(Structure, NullPathReadsTheDefaultFile)
{
    WriteBytes("C:\\MyData\\Structures\\StructureConfig.dat", StructureLines(Block("NAME Default Set")));
    CStructure set;
    ASSERT_TRUE(set.Load(nullptr));
    EXPECT_EQ(set.m_FilePath, "C:\\MyData\\Structures\\StructureConfig.dat");
    EXPECT_EQ(set.m_Title, "StructureConfig");
    ASSERT_EQ(set.GetSize(), 1);
    EXPECT_EQ(set[0].Name, "Default Set");

    // The redirect file of "MyDrives" names another data folder, which is looked at first.
    WriteBytes("C:\\MyDrives\\MyData.INI", "C:\\Survey Data\r\n");
    EXPECT_EQ(CStructure::GetDefaultFilePath(), "C:\\Survey Data\\Structures\\StructureConfig.dat");
    EXPECT_FALSE(set.Load(nullptr));
    EXPECT_EQ(set.GetSize(), 0);
}

TEST(Structure, SaveThatCannotWriteLeavesNothing)
{
    CStructure set;
    set.Add(StructureDef());
    EXPECT_FALSE(set.Save()); // no path
    set.LoadStatus("C:\\No Such Folder\\Set.dat");
    EXPECT_FALSE(set.Save());
    EXPECT_FALSE(Exists("C:\\No Such Folder\\Set.dat"));
}

TEST(StructureList, AddFileGivesAMissingFileOneDefaultStructure)
{
    CStructureList list;
    list.m_ListName = "Structure Files";
    list.m_Shapes.AddTail(NewShape("C:\\Shapes\\Jacket.dxf", -5.0, 0.0, 5.0, 25.0));

    WriteBytes(kTwo, Fixture("struct_two.dat"));
    EXPECT_TRUE(list.AddFile("C:\\MyData\\Missing.dat"));
    EXPECT_TRUE(list.AddFile(kTwo));
    EXPECT_FALSE(list.AddFile(kTwo)); // loaded already
    EXPECT_FALSE(list.AddFile(""));
    ASSERT_EQ(list.GetSize(), 2);

    const CStructure& added = *list[0];
    ASSERT_EQ(added.GetSize(), 1);
    EXPECT_EQ(added[0].Name, "Structure 1");
    EXPECT_TRUE(added[0].Show);
    EXPECT_EQ(added[0].ShapeIndex, 1);
    EXPECT_EQ(added[0].Shape, "Jacket");
    EXPECT_EQ(added[0].Length, 25.0);
    EXPECT_EQ(added[0].Position.x, 0.0);
    EXPECT_EQ(list[1]->GetSize(), 2);

    // Each add saved the edit indices and the file list.
    EXPECT_EQ(ReadBytes(InSettings("Structure_Files.FLS")),
              QByteArray("[Structure]\r\nC:\\MyData\\Missing.dat\r\n") + kTwo + "\r\n");
    EXPECT_EQ(ReadBytes(InSettings("Structure_Files.INI")),
              QByteArray("Edit File Index = -1\r\nEdit Point Index = -1\r\n"));
    CStringArray paths;
    ASSERT_TRUE(list.LoadFileList(paths));
    ASSERT_EQ(paths.GetSize(), 2);
    EXPECT_EQ(paths[1], kTwo);
}

TEST(StructureList, EditSelectionNamesAFileAndWritesIt)
{
    CStructureList list;
    WriteBytes(kTwo, Fixture("struct_two.dat"));
    list.AddFile(kTwo);
    EXPECT_TRUE(list.GetEditFileName().IsEmpty());
    EXPECT_FALSE(list.Save());

    list.SetEditPoint(0, 5); // no sixth structure
    EXPECT_EQ(list.m_EditFileIndex, 0);
    EXPECT_EQ(list.m_EditPointIndex, -1);
    list.SetEditPoint(-1, 1);
    EXPECT_EQ(list.m_EditPointIndex, 1);
    EXPECT_EQ(list.GetEditFileName(), kTwo);

    (*list[0])[1].Height = 4.25;
    ASSERT_TRUE(list.Save());
    CStructure back;
    ASSERT_TRUE(back.Load(kTwo));
    EXPECT_EQ(back[1].Height, 4.25);

    list.SetEditPoint(3, 0);
    EXPECT_EQ(list.m_EditFileIndex, -1);
    EXPECT_TRUE(list.GetEditFileName().IsEmpty());
}

TEST(StructureList, FindShapeByIndexThenName)
{
    struct Case
    {
        int shapeIndex;
        const char* shapeName;
        const char* found; // file title of the shape found; null for none
    };
    const std::vector<Case> cases = {
        {2, "Wellhead", "Wellhead"}, // the index and the name agree
        {1, "Wellhead", "Wellhead"}, // the name wins over the index
        {3, "Jacket", "Jacket"},     // an index past the list: by name
        {3, "Manifold", nullptr},    // past the list and no such name
        {2, "Manifold", "Wellhead"}, // no such name: the index
        {0, "Manifold", nullptr},
        {1, "jacket", "Jacket"}, // names are compared with their case: the index decides
        {0, "jacket", nullptr},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.shapeIndex << " " << c.shapeName);
        CStructureList list;
        MakeShapedList(list, {{c.shapeIndex, c.shapeName}});
        const CStructureShape* shape = list.FindShape(0, 0);
        if (!c.found)
        {
            EXPECT_EQ(shape, nullptr);
            continue;
        }
        ASSERT_NE(shape, nullptr);
        EXPECT_EQ(shape->GetName(), c.found);
    }
}

TEST(StructureList, ShapeSizeAndScale)
{
    CStructureList list;
    MakeShapedList(list, {{1, "Jacket"}, {2, "Wellhead"}, {0, "Manifold"}});
    double w = -1.0, h = -1.0;
    list.GetShapeSize(0, 0, &w, &h);
    EXPECT_EQ(w, 10.0);
    EXPECT_EQ(h, 25.0);
    EXPECT_EQ(list.GetShapeScale(0, 0), 2.0); // length 50 over the larger extent 25
    EXPECT_EQ(list.GetShapeScale(0, 1), 12.5);

    // No shape, or indices out of range: no size and scale 1.
    for (const auto& at : std::vector<std::pair<int, int>>{{0, 2}, {0, 3}, {1, 0}, {-1, 0}, {0, -1}})
    {
        SCOPED_TRACE(testing::Message() << at.first << ", " << at.second);
        list.GetShapeSize(at.first, at.second, &w, &h);
        EXPECT_EQ(w, 0.0);
        EXPECT_EQ(h, 0.0);
        EXPECT_EQ(list.GetShapeScale(at.first, at.second), 1.0);
    }

    // A flat shape has no extent to scale.
    list.m_Shapes.GetHead()->m_MaxY = 0.0;
    list.m_Shapes.GetHead()->m_MinX = list.m_Shapes.GetHead()->m_MaxX;
    EXPECT_EQ(list.GetShapeScale(0, 0), 1.0);
}

TEST(StructureList, SetDefaultShapeOnlyFillsAnEmptyShape)
{
    CStructureList list;
    StructureDef record;
    list.SetDefaultShape(record); // no shapes yet
    EXPECT_EQ(record.ShapeIndex, 0);
    EXPECT_TRUE(record.Shape.IsEmpty());

    list.m_Shapes.AddTail(NewShape("C:\\Shapes\\Wellhead.dxf", 0.0, 0.0, 4.0, 2.0));
    list.SetDefaultShape(record);
    EXPECT_EQ(record.ShapeIndex, 1);
    EXPECT_EQ(record.Shape, "Wellhead");
    EXPECT_EQ(record.Length, 4.0);

    StructureDef named;
    named.Shape = "Jacket";
    named.Length = 7.0;
    list.SetDefaultShape(named);
    EXPECT_EQ(named.ShapeIndex, 0);
    EXPECT_EQ(named.Shape, "Jacket");
    EXPECT_EQ(named.Length, 7.0);
}

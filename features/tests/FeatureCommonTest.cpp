#include "features/FeatureCommon.h"
#include "features/FeatureList.h"
#include "features/tests/FeatureTestFiles.h"
#include "platform/core/FileApi.h"

#include <gtest/gtest.h>

#include <vector>

using namespace featuretest;

namespace
{
// Runs a test body in another current folder and goes back afterwards.
class CurrentFolder
{
public:
    explicit CurrentFolder(const char* windowsPath)
    {
        char buffer[1024] = {};
        GetCurrentDirectoryA(sizeof buffer, buffer);
        m_previous = buffer;
        EXPECT_TRUE(SetCurrentDirectoryA(windowsPath));
    }
    ~CurrentFolder() { SetCurrentDirectoryA(m_previous); }

private:
    CString m_previous;
};
} // namespace

TEST(FeatureStatus, PathSplitsIntoFolderAndTitle)
{
    CFeatureCommon feature;
    feature.LoadStatus("\"C:\\MyData\\Routes\\North Leg.v2.rte\"");
    EXPECT_EQ(feature.m_FilePath, "\"C:\\MyData\\Routes\\North Leg.v2.rte\"");
    EXPECT_EQ(feature.m_Folder, "C:\\MyData\\Routes\\");
    EXPECT_EQ(feature.m_Title, "North Leg.v2");
    EXPECT_EQ(feature.GetStatusFileName(), "C:\\MyData\\Routes\\North Leg.v2.INI");
}

TEST(FeatureStatus, SaveWritesTheTwoLinesBesideTheFile)
{
    CFeatureCommon feature;
    feature.LoadStatus("C:\\MyData\\Boundary A.bnd");
    WriteBytes("C:\\MyData\\Boundary A.bnd", "1,2\r\n");
    feature.m_Status = false;
    feature.m_Highlight = true;
    feature.SaveStatus();
    EXPECT_EQ(ReadBytes("C:\\MyData\\Boundary A.INI"), QByteArray("Status = 0\r\nHighlight = 1\r\n"));

    CFeatureCommon again;
    again.LoadStatus("C:\\MyData\\Boundary A.bnd");
    EXPECT_FALSE(again.m_Status);
    EXPECT_TRUE(again.m_Highlight);
}

TEST(FeatureStatus, CompanionContentsGiveStatusAndHighlight)
{
    struct Case
    {
        const char* contents; // null: no companion
        bool status;
        bool highlight;
    };
    const std::vector<Case> cases = {
        {nullptr, true, false},
        {"", true, false},
        {"Status = 0\r\n", false, false},
        {"Status = 0\r\nHighlight = 1\r\n", false, true},
        {"Status = 7\r\nHighlight = 0\r\n", true, false},
        {"Status\r\nHighlight = 1\r\n", true, true}, // a line without '=' takes the default
        {"Visible = 0\nShown = 1\n", false, true},   // keys are not compared
    };
    for (const Case& c : cases)
    {
        DeleteFileA("C:\\MyData\\S.INI");
        if (c.contents)
            WriteBytes("C:\\MyData\\S.INI", c.contents);
        CFeatureCommon feature;
        feature.m_Status = !c.status;
        feature.m_Highlight = !c.highlight;
        feature.LoadStatus("C:\\MyData\\S.sln");
        EXPECT_EQ(feature.m_Status, c.status) << (c.contents ? c.contents : "(none)");
        EXPECT_EQ(feature.m_Highlight, c.highlight) << (c.contents ? c.contents : "(none)");
    }
}

TEST(FeatureStatus, PathWithoutFolderUsesTheCurrentFolder)
{
    CreateFolderPath("C:\\Work\\");
    CurrentFolder here("C:\\Work");
    WriteBytes("C:\\Work\\Lone.INI", "Status = 0\r\n");
    CFeatureCommon feature;
    feature.LoadStatus("Lone.str");
    EXPECT_TRUE(feature.m_Folder.IsEmpty());
    EXPECT_EQ(feature.m_Title, "Lone");
    EXPECT_FALSE(feature.m_Status);
    EXPECT_FALSE(feature.m_Highlight);
}

TEST(FeatureStatus, NoPathEmptiesTheNamesAndWritesNothing)
{
    CreateFolderPath("C:\\Work\\");
    CurrentFolder here("C:\\Work");
    CFeatureCommon feature;
    feature.LoadStatus("C:\\MyData\\x.bnd");
    feature.m_Status = false;
    feature.LoadStatus(nullptr);
    EXPECT_TRUE(feature.m_FilePath.IsEmpty());
    EXPECT_TRUE(feature.m_Folder.IsEmpty());
    EXPECT_TRUE(feature.m_Title.IsEmpty());
    EXPECT_TRUE(feature.m_Status);
    feature.SaveStatus();
    EXPECT_TRUE(QDir(LinuxPathFromWindows("C:\\Work")).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST(FeatureEditState, ConstructorLeavesTheStateAtRest)
{
    CFeatureList list;
    EXPECT_TRUE(list.m_ListName.IsEmpty());
    EXPECT_EQ(list.m_Editing, 0);
    EXPECT_EQ(list.m_EditFileIndex, -1);
    EXPECT_EQ(list.m_EditPointIndex, -1);
    EXPECT_EQ(list.m_EditSubIndex, -1);
    for (const CString& text : list.m_EditText)
        EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(list.m_Changed, 0);
}

TEST(FeatureEditState, SetEditPointSelectsOnlyWhatExists)
{
    const std::vector<INT_PTR> points = {3, 5, 0}; // three files
    const auto pointCount = [&](int file) { return points[static_cast<size_t>(file)]; };
    struct Case
    {
        int currentFile, currentPoint; // before the call
        int file, point;               // arguments
        int wantFile, wantPoint;
    };
    const std::vector<Case> cases = {
        {-1, -1, 1, 4, 1, 4},   // in range
        {-1, -1, 5, 0, -1, -1}, // file out of range: nothing selected
        {0, 1, 5, 0, -1, -1},   // ... whatever was selected before
        {-1, -1, 1, 5, 1, -1},  // point out of range
        {-1, -1, 2, 0, 2, -1},  // a file without points
        {1, 2, -1, -1, 1, 2},   // re-select the current file and point
        {1, 2, -1, 3, 1, 3},    // current file, new point
        {1, 2, 0, -1, 0, 2},    // new file, current point (in range there)
        {1, 4, 0, -1, 0, -1},   // new file, current point out of range there
    };
    for (const Case& c : cases)
    {
        CFeatureList list;
        list.m_ListName = "Boundaries";
        list.m_EditFileIndex = static_cast<int16_t>(c.currentFile);
        list.m_EditPointIndex = c.currentPoint;
        list.m_Editing = 1;
        list.m_EditSubIndex = 2;
        list.m_EditText[0] = "1000.00";
        list.m_EditText[2] = "x";
        list.m_Changed = 1;
        list.SetEditPoint(c.file, c.point, static_cast<INT_PTR>(points.size()), pointCount);
        SCOPED_TRACE(testing::Message() << "current " << c.currentFile << "," << c.currentPoint << " call "
                                        << c.file << "," << c.point);
        EXPECT_EQ(list.m_EditFileIndex, c.wantFile);
        EXPECT_EQ(list.m_EditPointIndex, c.wantPoint);
        EXPECT_EQ(list.m_Editing, 0);
        EXPECT_EQ(list.m_EditSubIndex, -1);
        EXPECT_TRUE(list.m_EditText[0].IsEmpty());
        EXPECT_TRUE(list.m_EditText[2].IsEmpty());
        EXPECT_EQ(list.m_Changed, 1); // a pane's change outlives the selection
        EXPECT_EQ(list.m_ListName, "Boundaries");
    }
}

TEST(FeatureEditState, EditIndicesFileGoldenAndBack)
{
    CFeatureList list;
    list.m_ListName = "Boundary List";
    list.m_EditFileIndex = -1;
    list.m_EditPointIndex = 1234567;
    ASSERT_TRUE(list.SaveEditIndices());
    EXPECT_EQ(ReadBytes(InSettings("Boundary_List.INI")),
              QByteArray("Edit File Index = -1\r\nEdit Point Index = 1234567\r\n"));

    list.m_EditFileIndex = 2;
    ASSERT_TRUE(list.SaveEditIndices());
    CFeatureList back;
    back.m_ListName = "Boundary List";
    ASSERT_TRUE(back.LoadEditIndices());
    EXPECT_EQ(back.m_EditFileIndex, 2);
    EXPECT_EQ(back.m_EditPointIndex, 1234567);
}

TEST(FeatureFileList, GoldenFileAndNamesEmptied)
{
    CFeatureList list;
    list.m_ListName = "Route List";
    CStringArray names;
    names.Add("C:\\MyData\\a.rte");
    names.Add("D:\\Survey Data\\b c.rte");
    ASSERT_TRUE(list.SaveFileList("Route", names));
    EXPECT_EQ(names.GetSize(), 0);
    EXPECT_EQ(ReadBytes(InSettings("Route_List.FLS")),
              QByteArray("[Route]\r\nC:\\MyData\\a.rte\r\nD:\\Survey Data\\b c.rte\r\n"));

    CStringArray back;
    ASSERT_TRUE(list.LoadFileList(back));
    ASSERT_EQ(back.GetSize(), 2);
    EXPECT_EQ(back[0], "C:\\MyData\\a.rte");
    EXPECT_EQ(back[1], "D:\\Survey Data\\b c.rte");
}

TEST(FeatureFileList, EmptyArrayStillWritesTheSection)
{
    CFeatureList list;
    list.m_ListName = "Structures";
    CStringArray names;
    EXPECT_TRUE(list.SaveFileList("Structure", names));
    EXPECT_EQ(ReadBytes(InSettings("Structures.FLS")), QByteArray("[Structure]\r\n"));
    CStringArray back;
    EXPECT_TRUE(list.LoadFileList(back));
    EXPECT_EQ(back.GetSize(), 0);
}

TEST(FeatureFileList, ReaderStopsAtTheNextSectionOrSetting)
{
    const CString file = InSettings("Mixed.FLS");
    WriteBytes(file, "[Anything]\r\nC:\\a.bnd\r\n\r\nC:\\b.bnd\nLast Index = 3\r\nC:\\c.bnd\r\n");
    CStringArray names;
    names.Add("kept");
    ASSERT_TRUE(CFeatureList::ReadFileList(file, names));
    ASSERT_EQ(names.GetSize(), 3);
    EXPECT_EQ(names[1], "C:\\a.bnd");
    EXPECT_EQ(names[2], "C:\\b.bnd");

    WriteBytes(file, "[One]\r\nC:\\a.bnd\r\n[Two]\r\nC:\\b.bnd\r\n");
    CStringArray second;
    ASSERT_TRUE(CFeatureList::ReadFileList(file, second));
    ASSERT_EQ(second.GetSize(), 1);
    EXPECT_EQ(second[0], "C:\\a.bnd");

    CStringArray none;
    EXPECT_FALSE(CFeatureList::ReadFileList(InSettings("Missing.FLS"), none));
}

TEST(FeatureFileList, UnwritableOrUnnamedListReportsFalse)
{
    // A folder in the way of the file's name: nothing can replace it.
    CFeatureList blocked;
    blocked.m_ListName = "Blocked";
    ASSERT_TRUE(CreateFolderPath(InSettings("Blocked.FLS\\")));
    CStringArray names;
    names.Add("C:\\new.sln");
    EXPECT_FALSE(blocked.SaveFileList("SailLine", names));
    EXPECT_EQ(names.GetSize(), 0);
    EXPECT_FALSE(Exists(InSettings("Blocked.FLS.new~")));

    // Without a name the list has no files of its own to write.
    CFeatureList unnamed;
    names.Add("C:\\new.sln");
    EXPECT_FALSE(unnamed.SaveFileList("SailLine", names));
    EXPECT_EQ(names.GetSize(), 0);
    EXPECT_FALSE(unnamed.SaveEditIndices());
    EXPECT_FALSE(Exists(InSettings(".FLS")));
    EXPECT_FALSE(Exists(InSettings(".INI")));
}

#include "features/ShapeFileList.h"
#include "features/tests/FeatureTestFiles.h"

#include <gtest/gtest.h>

TEST(ShapeFileList, FindsLoadedShapesWithoutRegardToCase)
{
    CShapeFileList list;
    CShape* cables = new CShape;
    cables->m_FilePath = "C:\\MyData\\Shapes\\Cables.shp";
    list.Add(cables);
    CShape* wrecks = new CShape;
    wrecks->m_FilePath = "C:\\MyData\\Shapes\\WRECKS.SHP";
    list.Add(wrecks);

    EXPECT_EQ(list.FindShape("C:\\MyData\\Shapes\\Cables.shp"), 0);
    EXPECT_EQ(list.FindShape("c:\\mydata\\shapes\\CABLES.SHP"), 0);
    EXPECT_EQ(list.FindShape("C:\\MyData\\Shapes\\Wrecks.shp"), 1);
    EXPECT_EQ(list.FindShape("C:\\MyData\\Other\\Cables.shp"), -1);
    EXPECT_EQ(list.FindShape("C:\\MyData\\Shapes\\Cables"), -1);
    EXPECT_EQ(list.FindShape(nullptr), -1);

    list.DeleteAll();
    EXPECT_EQ(list.GetSize(), 0);
}

TEST(ShapeFileList, FileListRoundTrip)
{
    CShapeFileList list;
    EXPECT_FALSE(list.SaveFileList()); // no name, no file
    list.m_ListName = "Shape Files";
    list.m_FileNames.Add("C:\\MyData\\Shapes\\Cables.shp");
    list.m_FileNames.Add("D:\\Charts\\Wrecks.shp");
    ASSERT_TRUE(list.SaveFileList());
    EXPECT_EQ(list.m_FileNames.GetSize(), 2); // the list keeps its names
    EXPECT_EQ(featuretest::ReadBytes(featuretest::InSettings("Shape_Files.FLS")),
              QByteArray("[Shape Files]\r\nC:\\MyData\\Shapes\\Cables.shp\r\nD:\\Charts\\Wrecks.shp\r\n"));

    CShapeFileList back;
    back.m_ListName = "Shape Files";
    ASSERT_TRUE(back.LoadFileList());
    ASSERT_EQ(back.m_FileNames.GetSize(), 2);
    EXPECT_EQ(back.m_FileNames[1], "D:\\Charts\\Wrecks.shp");
    EXPECT_EQ(back.m_FileNames.m_Folder, "D:\\Charts\\");
}

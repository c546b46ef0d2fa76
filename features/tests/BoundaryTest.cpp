// Boundaries: reading the point file, the vertex buffer, the drawing options and status beside
// it, and the boundary list (new files, repeated paths, the file list, the edit point).
#include "features/Boundary.h"
#include "features/BoundaryList.h"
#include "features/tests/FeatureTestFiles.h"

#include <gtest/gtest.h>

#include <vector>

using namespace featuretest;

namespace
{
const char kSite[] = "C:\\MyData\\Site\\Site.txt";

QByteArray Lines(const std::vector<const char*>& lines)
{
    QByteArray bytes;
    for (const char* line : lines)
        bytes += QByteArray(line) + "\r\n";
    return bytes;
}

void ExpectPoints(const CBoundary& b, const std::vector<tagXY>& points)
{
    ASSERT_EQ(b.GetSize(), static_cast<INT_PTR>(points.size()));
    for (size_t i = 0; i < points.size(); ++i)
    {
        EXPECT_EQ(b[static_cast<INT_PTR>(i)].x, points[i].x) << i;
        EXPECT_EQ(b[static_cast<INT_PTR>(i)].y, points[i].y) << i;
    }
}

void ExpectBufferMatchesPoints(const CBoundary& b)
{
    ASSERT_EQ(b.GetVertexCount(), b.GetSize());
    ASSERT_NE(b.GetVertexBuffer(), nullptr);
    for (int i = 0; i < b.GetVertexCount(); ++i)
    {
        EXPECT_EQ(b.GetVertexBuffer()[i].x, b[i].x);
        EXPECT_EQ(b.GetVertexBuffer()[i].y, b[i].y);
    }
}
} // namespace

TEST(Boundary, ReadsNumberPairsWhateverSeparatesThem)
{
    // Four lines of which two are points.
    WriteBytes(kSite, Lines({"100,200", "0,0", "x", "300 400"}));
    CBoundary two;
    EXPECT_TRUE(two.Load(kSite));
    ExpectPoints(two, {{100, 200}, {300, 400}});

    WriteBytes(kSite, Fixture("bnd_site.txt"));
    CBoundary b;
    EXPECT_TRUE(b.Load(kSite));
    ExpectPoints(b, {{100, 200}, {300, 400}, {452100.5, 6231200.25}, {452300, 6231400}});
    ExpectBufferMatchesPoints(b);
    EXPECT_EQ(std::string(b.m_Title), "Site");
    EXPECT_TRUE(b.m_Status);
    EXPECT_FALSE(b.m_Highlight);
}

TEST(Boundary, VertexBufferNeedsThreePoints)
{
    WriteBytes(kSite, Lines({"10, 20", "30, 40"}));
    CBoundary b;
    ASSERT_TRUE(b.Load(kSite));
    EXPECT_EQ(b.GetVertexBuffer(), nullptr);
    EXPECT_EQ(b.GetVertexCount(), 0);

    b.Add(tagXY{50, 60});
    b.BuildVertexBuffer();
    EXPECT_EQ(b.GetVertexCount(), 3);
    ExpectBufferMatchesPoints(b);

    b.RemoveAt(0);
    b.BuildVertexBuffer();
    EXPECT_EQ(b.GetVertexBuffer(), nullptr);
}

TEST(Boundary, StatusAndDrawingOptionsAreReadBesideThePoints)
{
    WriteBytes(kSite, Lines({"10, 20"}));
    WriteBytes("C:\\MyData\\Site\\Site.INI", Lines({"Status = 0"}));
    WriteBytes("C:\\MyData\\Boundaries\\Site.DRW", Fixture("drw_golden.DRW"));
    CBoundary b;
    ASSERT_TRUE(b.Load(kSite));
    EXPECT_FALSE(b.m_Status);
    EXPECT_FALSE(b.m_Highlight);
    EXPECT_EQ(b.m_VectorSymbol, VECTOR_ANCHOR);
    EXPECT_EQ(b.m_Pen.Colour, 255u);

    b.m_Pen.Colour = 0x123456;
    b.SaveDrawingOptions();
    CDrawingOptions read;
    EXPECT_TRUE(read.Load("C:\\MyData\\Boundaries\\", "Site"));
    EXPECT_EQ(read.m_Pen.Colour, 0x123456u);
}

TEST(Boundary, MissingFileGivesNoPointsButTheDrawingOptions)
{
    CBoundary b;
    EXPECT_FALSE(b.Load("C:\\MyData\\Site\\Nothing.txt"));
    EXPECT_EQ(b.GetSize(), 0);
    EXPECT_EQ(b.GetVertexBuffer(), nullptr);
    EXPECT_EQ(b.m_Pen.Colour, 0xFF0000u);
}

TEST(BoundaryList, NewFileBecomesOnePointAtTheOrigin)
{
    CBoundaryList list;
    list.m_ListName = "Boundaries";
    EXPECT_TRUE(list.AddFile(kSite));
    ASSERT_EQ(list.GetSize(), 1);
    const CBoundary& b = *list[0];
    ExpectPoints(b, {{0, 0}});
    EXPECT_EQ(b.GetVertexBuffer(), nullptr);
    EXPECT_TRUE(b.m_Status);
    EXPECT_FALSE(b.m_Highlight);
    EXPECT_EQ(b.m_VectorSymbol, 5);
    EXPECT_EQ(b.m_Pen.Colour, 0xFF0000u);
    EXPECT_EQ(std::string(b.m_FilePath), kSite);
    EXPECT_EQ(ReadBytes(InSettings("Boundaries.FLS")), Fixture("bnd_Boundaries.FLS"));
    EXPECT_EQ(ReadBytes(InSettings("Boundaries.INI")),
              Lines({"Edit File Index = -1", "Edit Point Index = -1"}));
}

TEST(BoundaryList, SamePathInAnyCaseIsNotAddedTwice)
{
    CBoundaryList list;
    list.m_ListName = "Boundaries";
    WriteBytes(kSite, Fixture("bnd_site.txt"));
    ASSERT_TRUE(list.AddFile(kSite));
    list[0]->Add(tagXY{1, 1});
    QFile::remove(LinuxPathFromWindows(InSettings("Boundaries.FLS")));

    EXPECT_FALSE(list.AddFile("c:\\MYDATA\\site\\SITE.TXT"));
    EXPECT_FALSE(list.AddFile(nullptr));
    ASSERT_EQ(list.GetSize(), 1);
    EXPECT_EQ(list[0]->GetSize(), 5);
    EXPECT_FALSE(Exists(InSettings("Boundaries.FLS")));
}

TEST(BoundaryList, SetEditPoint)
{
    CBoundaryList list;
    WriteBytes(kSite, Fixture("bnd_site.txt"));
    for (const char* path : {kSite, "C:\\B.txt", "C:\\C.txt"})
        ASSERT_TRUE(list.AddFile(path));

    list.SetEditPoint(0, 3);
    list.m_EditText[0] = "typed";
    list.SetEditPoint(-1, -1); // the same selection, the rest of the state cleared
    EXPECT_EQ(list.m_EditFileIndex, 0);
    EXPECT_EQ(list.m_EditPointIndex, 3);
    EXPECT_TRUE(list.m_EditText[0].IsEmpty());

    list.SetEditPoint(-1, 4); // beyond the four points
    EXPECT_EQ(list.m_EditFileIndex, 0);
    EXPECT_EQ(list.m_EditPointIndex, -1);

    list.SetEditPoint(5, 0);
    EXPECT_EQ(list.m_EditFileIndex, -1);
    EXPECT_EQ(list.m_EditPointIndex, -1);
    EXPECT_EQ(list.m_EditSubIndex, -1);
}

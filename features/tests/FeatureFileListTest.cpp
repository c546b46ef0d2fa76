// The pipeline and grid-waypoint lists' "FLS" file lists: loading them, keeping the paths that
// do not load, and when the lists write them back.
#include "features/GridWaypointList.h"
#include "features/PipelineList.h"
#include "features/tests/FeatureTestFiles.h"

#include <gtest/gtest.h>

using namespace featuretest;

namespace
{
// What differs between the two lists: their file list, its section line, and a feature file
// each of them loads.
template <class LIST> struct ListTraits;
template <> struct ListTraits<CPipelineList>
{
    using Element = CPipeline;
    static const char* File() { return "Pipelines.FLS"; }
    static QByteArray Section() { return "[Pipelines]\r\n"; }
    static const char* Content() { return "1000.0, 2000.0\r\n1100.0, 2100.0\r\n"; }
    static CString PathOf(const CPipeline* p) { return p->m_FilePath; }
};
template <> struct ListTraits<CGridWaypointList>
{
    using Element = CGridWaypoint;
    static const char* File() { return "GRID_Waypoints.FLS"; }
    static QByteArray Section() { return "[GRID Waypoints]\r\n"; }
    static const char* Content() { return "1000,2000,1,Wreck\r\n"; }
    static CString PathOf(const CGridWaypoint* w) { return w->m_FilePath; }
};

const char kFirst[] = "C:\\MyData\\Features\\first line.txt";
const char kSecond[] = "C:\\MyData\\Features\\second.txt";
// Drive D: is not there in these tests: a data drive not mounted at start-up.
const char kUnmounted[] = "D:\\Survey\\unmounted.txt";

template <class LIST> class FeatureFileList : public ::testing::Test
{
protected:
    using Traits = ListTraits<LIST>;
    void WriteList(const QByteArray& lines) { WriteBytes(InSettings(Traits::File()), Traits::Section() + lines); }
    QByteArray ListBytes() { return ReadBytes(InSettings(Traits::File())); }
    void WriteFeatures()
    {
        WriteBytes(kFirst, Traits::Content());
        WriteBytes(kSecond, Traits::Content());
    }
};

using Lists = ::testing::Types<CPipelineList, CGridWaypointList>;
TYPED_TEST_SUITE(FeatureFileList, Lists);
} // namespace

TYPED_TEST(FeatureFileList, LoadsInOrderAndKeepsThePathsThatFail)
{
    using Traits = ListTraits<TypeParam>;
    this->WriteFeatures();
    this->WriteList(QByteArray(kSecond) + "\r\n" + kUnmounted + "\r\n" + kFirst + "\r\n");
    {
        TypeParam list;
        EXPECT_TRUE(list.LoadFileList());
        ASSERT_EQ(list.GetSize(), 2);
        EXPECT_EQ(Traits::PathOf(list[0]), kSecond);
        EXPECT_EQ(Traits::PathOf(list[1]), kFirst);
        ASSERT_EQ(list.GetFailedPaths().GetSize(), 1);
        EXPECT_EQ(list.GetFailedPaths()[0], kUnmounted);
        // Written back: the loaded files in order, then the one that failed.
        const QByteArray rewritten = Traits::Section() + kSecond + "\r\n" + kFirst + "\r\n" + kUnmounted + "\r\n";
        EXPECT_EQ(this->ListBytes(), rewritten);

        // Loading again starts from an empty list.
        EXPECT_TRUE(list.LoadFileList());
        EXPECT_EQ(list.GetSize(), 2);

        // A pane removes a file: the failed path stays listed.
        delete list[0];
        list.RemoveAt(0);
        EXPECT_TRUE(list.SaveFileList());
        EXPECT_EQ(this->ListBytes(), Traits::Section() + kFirst + "\r\n" + kUnmounted + "\r\n");

        // The user loads the failed file once its drive is there: it is listed once.
        auto* again = new typename Traits::Element;
        again->m_FilePath = kUnmounted;
        list.Add(again);
        EXPECT_TRUE(list.SaveFileList());
        EXPECT_EQ(this->ListBytes(), Traits::Section() + kFirst + "\r\n" + kUnmounted + "\r\n");
        delete list[1];
        list.RemoveAt(1);
    }
    // Destruction rewrites from the elements present.
    EXPECT_EQ(this->ListBytes(), Traits::Section() + kFirst + "\r\n" + kUnmounted + "\r\n");
}

TYPED_TEST(FeatureFileList, EveryPathFailingKeepsTheFileList)
{
    const QByteArray lines = QByteArray(kUnmounted) + "\r\nC:\\MyData\\gone.txt\r\n";
    this->WriteList(lines);
    {
        TypeParam list;
        EXPECT_FALSE(list.LoadFileList());
        EXPECT_EQ(list.GetSize(), 0);
        EXPECT_EQ(list.GetFailedPaths().GetSize(), 2);
        EXPECT_EQ(this->ListBytes(), ListTraits<TypeParam>::Section() + lines);
    }
    EXPECT_EQ(this->ListBytes(), ListTraits<TypeParam>::Section() + lines);
}

TYPED_TEST(FeatureFileList, EmptySectionIsFalseAndRewritten)
{
    WriteBytes(InSettings(ListTraits<TypeParam>::File()), ListTraits<TypeParam>::Section() + "\r\n");
    TypeParam list;
    EXPECT_FALSE(list.LoadFileList());
    EXPECT_EQ(this->ListBytes(), ListTraits<TypeParam>::Section());
}

TYPED_TEST(FeatureFileList, AListThatNeverLoadedWritesNothing)
{
    {
        TypeParam list; // no file list at all
        EXPECT_FALSE(list.LoadFileList());
    }
    EXPECT_FALSE(Exists(InSettings(ListTraits<TypeParam>::File())));

    // A list that was never loaded leaves the user's file alone when it goes.
    this->WriteList(QByteArray(kFirst) + "\r\n");
    {
        TypeParam list;
    }
    EXPECT_EQ(this->ListBytes(), ListTraits<TypeParam>::Section() + kFirst + "\r\n");
}

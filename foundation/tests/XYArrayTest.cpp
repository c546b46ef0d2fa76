#include "foundation/XYArray.h"

#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <vector>

namespace
{
std::vector<BYTE> Store(CXYArray& points)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        points.Serialize(ar);
        ar.Close();
    }
    const BYTE* bytes = file.GetBuffer();
    return std::vector<BYTE>(bytes, bytes + file.GetLength());
}

// Loads `bytes` into `points`; the archive exception's cause, or -1 when none was raised.
int Load(std::vector<BYTE> bytes, CXYArray& points)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    try
    {
        points.Serialize(ar);
    }
    catch (CArchiveException* e)
    {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

std::vector<BYTE> Le(double v)
{
    BYTE b[8];
    std::memcpy(b, &v, 8);
    return std::vector<BYTE>(b, b + 8);
}

void Append(std::vector<BYTE>& to, const std::vector<BYTE>& more)
{
    to.insert(to.end(), more.begin(), more.end());
}
} // namespace

TEST(XYArray, SetSizeFollowsTheFrameworkGrowthRule)
{
    struct Step
    {
        INT_PTR count, growBy, wantCapacity;
    };
    // One array taken through a sequence of sizes; capacities as the framework allocates.
    const Step steps[] = {
        {10, -1, 10},   // first allocation: max(count, step 0)
        {11, -1, 14},   // beyond capacity: capacity + max(4, count/8)
        {14, -1, 14},   // within capacity
        {3, -1, 14},    // shrinking keeps the buffer
        {0, -1, 0},     // count 0 frees it
        {5, 16, 16},    // first allocation with a step: max(count, step)
        {17, -1, 32},   // capacity + step
        {40, -1, 48},   // capacity + step, though the count needs less
        {49, 0, 53},    // step 0 again: the count before growing, 40/8 = 5
        {54, -1, 59},   // 49/8 = 6
        {100, -1, 100}, // the count, when it needs more than capacity + step
    };
    CXYArray points;
    for (const Step& s : steps)
    {
        points.SetSize(s.count, s.growBy);
        EXPECT_EQ(points.GetSize(), s.count);
        EXPECT_EQ(points.GetAllocSize(), s.wantCapacity) << "SetSize(" << s.count << ", " << s.growBy << ")";
    }

    CXYArray big;
    big.SetSize(8000);
    big.SetSize(8001);
    EXPECT_EQ(big.GetAllocSize(), 9000); // 8000/8
    big.SetSize(9000);
    big.SetSize(20000);
    EXPECT_EQ(big.GetAllocSize(), 20000);
    big.SetSize(20001);
    EXPECT_EQ(big.GetAllocSize(), 22500); // 20000/8: growth stays geometric
}

TEST(XYArray, GrowingZeroFillsAndKeepsPoints)
{
    CXYArray points;
    points.SetSize(2);
    points[0] = {1.0, 2.0};
    points[1] = {3.0, 4.0};
    points.SetSize(1);
    points.SetSize(3); // within capacity: the old second point must not come back
    EXPECT_EQ(points[0].x, 1.0);
    EXPECT_EQ(points[1].x, 0.0);
    EXPECT_EQ(points[1].y, 0.0);
    points.SetSize(100); // reallocates
    EXPECT_EQ(points[0].y, 2.0);
    EXPECT_EQ(points[99].x, 0.0);

    bool threw = false;
    try
    {
        points.SetSize(-1);
    }
    catch (CInvalidArgException* e)
    {
        threw = true;
        e->Delete();
    }
    EXPECT_TRUE(threw);
    EXPECT_EQ(points.GetSize(), 100);
}

TEST(XYArray, ArchiveFormIsCountThenRawLittleEndianPoints)
{
    CXYArray points;
    points.Add({1.5, -2.25});
    points.Add({DBL_MAX, 0.0});

    std::vector<BYTE> want = {0x02, 0x00};
    Append(want, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x3F}); // 1.5
    Append(want, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0xC0}); // -2.25
    Append(want, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xEF, 0x7F}); // DBL_MAX
    Append(want, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00});
    EXPECT_EQ(Store(points), want);

    CXYArray back;
    back.Add({9.0, 9.0});
    EXPECT_EQ(Load(want, back), -1);
    ASSERT_EQ(back.GetSize(), 2);
    EXPECT_EQ(back[0].x, 1.5);
    EXPECT_EQ(back[0].y, -2.25);
    EXPECT_EQ(back[1].x, DBL_MAX);

    // An empty array is the count alone, and loads back empty over a filled one.
    CXYArray empty;
    EXPECT_EQ(Store(empty), (std::vector<BYTE>{0x00, 0x00}));
    EXPECT_EQ(Load({0x00, 0x00}, back), -1);
    EXPECT_EQ(back.GetSize(), 0);
}

TEST(XYArray, LargeArraysUseTheLongCount)
{
    CXYArray points;
    points.SetSize(70000);
    for (INT_PTR i = 0; i < points.GetSize(); ++i)
        points[i] = {static_cast<double>(i), -static_cast<double>(i) / 3.0};
    const std::vector<BYTE> bytes = Store(points);
    ASSERT_EQ(bytes.size(), 6u + 70000u * 16u);
    EXPECT_EQ(std::vector<BYTE>(bytes.begin(), bytes.begin() + 6),
              (std::vector<BYTE>{0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}));

    CXYArray back;
    EXPECT_EQ(Load(bytes, back), -1);
    ASSERT_EQ(back.GetSize(), 70000);
    EXPECT_EQ(back[69999].x, 69999.0);
    EXPECT_EQ(back[12345].y, -12345.0 / 3.0);
}

TEST(XYArray, ShortLoadRaisesEndOfFileAndKeepsThePoints)
{
    std::vector<BYTE> three = {0x03, 0x00};
    for (double v : {1.0, 2.0, 3.0, 4.0, 5.0}) // two and a half points
        Append(three, Le(v));
    // A damaged long count: 4 294 967 280 points announced, one given.
    std::vector<BYTE> huge = {0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF};
    Append(huge, Le(1.0));
    Append(huge, Le(2.0));

    for (const auto& bytes : {three, huge, std::vector<BYTE>{0x01}})
    {
        CXYArray points;
        points.Add({7.0, 8.0});
        EXPECT_EQ(Load(bytes, points), CArchiveException::endOfFile);
        ASSERT_EQ(points.GetSize(), 1);
        EXPECT_EQ(points[0].x, 7.0);
        EXPECT_EQ(points[0].y, 8.0);
    }
}

#include "geodesy/RingBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>
#include <string>

namespace
{
std::string Unread(const CRingBuffer& b)
{
    CString s;
    b.CopyOut(s);
    return std::string(s.GetString(), static_cast<size_t>(s.GetLength()));
}

std::string Bytes(int n, int seed = 0)
{
    std::string s(static_cast<size_t>(n), '\0');
    for (int i = 0; i < n; ++i)
        s[static_cast<size_t>(i)] = static_cast<char>('!' + (i + seed) % 90);
    return s;
}

TEST(RingBuffer, WritingMoreThanTheCapacityKeepsTheFirstBytes)
{
    CRingBuffer b;
    ASSERT_TRUE(b.Allocate(0));
    EXPECT_EQ(b.GetCapacity(), 4096);
    const std::string data = Bytes(5000);
    b.Write(data.data(), 5000);
    EXPECT_EQ(b.GetCount(), 4096);
    EXPECT_EQ(Unread(b), data.substr(0, 4096));
}

TEST(RingBuffer, NewBytesOverrunTheOldestUnread)
{
    CRingBuffer b;
    b.Allocate(10);
    b.Write("abcdefgh", 8);
    b.Write("123456", 6);
    EXPECT_EQ(b.GetCount(), 10);
    EXPECT_EQ(Unread(b), "efgh123456");
    // Full after an overrun is not empty: the next write still loses only the oldest.
    b.Write("X", 1);
    EXPECT_EQ(Unread(b), "fgh123456X");
}

TEST(RingBuffer, RecordSplitAcrossTheEndComesOutWhole)
{
    CRingBuffer b;
    b.Allocate(16);
    b.Write("abcdefghij\n", 11);
    b.Write("0123", 4);
    CString line;
    ASSERT_EQ(b.ReadTo(line, '\n'), 11);
    b.Write("456789\n", 7); // runs past the end of the storage and on at index 0
    int first = 0;
    EXPECT_EQ(b.GetCount(&first), 11);
    EXPECT_EQ(first, 5);
    char raw[17];
    EXPECT_EQ(b.ReadTo(raw, '\n', 0), 11);
    EXPECT_STREQ(raw, "0123456789\n");
    EXPECT_EQ(b.GetCount(), 0);
}

TEST(RingBuffer, ALineIsTakenOnlyOnceItsDelimiterArrives)
{
    CRingBuffer b;
    b.Allocate(0);
    b.Write("abc");
    CString line = "stale";
    EXPECT_EQ(b.ReadTo(line, '\n'), 0);
    EXPECT_TRUE(line.IsEmpty());
    EXPECT_EQ(b.GetCount(), 3);
    b.Write("\r\n");
    EXPECT_EQ(b.ReadTo(line, '\n'), 5);
    EXPECT_EQ(line, "abc\r\n");
    EXPECT_EQ(b.GetCount(), 0);
}

TEST(RingBuffer, ASingleByteIsCountedAndRead)
{
    CRingBuffer b;
    b.Allocate(8);
    EXPECT_EQ(b.GetCount(), 0);
    b.Write("\n", 1);
    EXPECT_EQ(b.GetCount(), 1);
    EXPECT_EQ(b.GetFree(), 7);
    CString line;
    EXPECT_EQ(b.ReadTo(line, '\n'), 1);
    EXPECT_EQ(line, "\n");
    EXPECT_EQ(b.ReadTo(line, '\n'), 0);
}

TEST(RingBuffer, ReadingEverythingStartsTheNextWriteAtTheBeginning)
{
    CRingBuffer b;
    b.Allocate(8);
    b.Write("abcde\n", 6);
    CString line;
    b.ReadTo(line, '\n');
    b.Write("12345678", 8); // a whole buffer's worth fits without wrapping, so nothing is lost
    int first = 0;
    EXPECT_EQ(b.GetCount(&first), 8);
    EXPECT_EQ(first, 8);
    EXPECT_EQ(Unread(b), "12345678");
}

TEST(RingBuffer, MaximumLengthPeekAndFixedSizeRecords)
{
    CRingBuffer b;
    b.Allocate(64);
    b.Write("$GPGGA,long,record*00\r\nnext\n");
    CString line;
    // A record longer than the maximum gives its end and is consumed whole.
    EXPECT_EQ(b.ReadTo(line, '\n', 6), 6);
    EXPECT_EQ(line, "d*00\r\n");
    // Peeking leaves it for the next read.
    EXPECT_EQ(b.ReadTo(line, '\n', 0, true), 5);
    EXPECT_EQ(line, "next\n");
    EXPECT_EQ(b.GetCount(), 5);
    // Delimiter 0: a fixed number of bytes.
    EXPECT_EQ(b.ReadTo(line, '\0', 3), 3);
    EXPECT_EQ(line, "nex");
    EXPECT_EQ(b.ReadTo(line, '\0', 100), 2); // above the capacity means the capacity
    EXPECT_EQ(line, "t\n");
    EXPECT_EQ(b.ReadTo(line, '\0', 0), 0);
}

TEST(RingBuffer, CopyOutConsumeAndStorage)
{
    CRingBuffer b;
    EXPECT_FALSE(b.IsAllocated());
    char dest[16] = "xxxx";
    EXPECT_EQ(b.ReadTo(dest, '\n', 0), 0);
    EXPECT_STREQ(dest, "");
    b.Write("ab\0cd", 5); // no storage yet: the default is allocated; bytes pass as they are
    EXPECT_EQ(b.GetCapacity(), CRingBuffer::DEFAULT_CAPACITY);
    EXPECT_EQ(b.CopyOut(dest), 5);
    EXPECT_EQ(std::string(dest, 6), std::string("ab\0cd\0", 6));
    EXPECT_EQ(b.GetCount(), 5); // not consumed
    b.Consume(2, true);         // a peek consumes nothing
    EXPECT_EQ(b.GetCount(), 5);
    b.Consume(2);
    EXPECT_EQ(Unread(b), std::string("\0cd", 3));
    b.Consume(100); // never more than there is
    EXPECT_EQ(b.GetCount(), 0);
    b.Write("", 0); // nothing to write
    EXPECT_EQ(b.GetCount(), 0);
    b.Write("xyz");
    b.Reset();
    EXPECT_EQ(b.GetCount(), 0);
    EXPECT_TRUE(b.IsAllocated());
    b.Free();
    EXPECT_EQ(b.GetCapacity(), 0);
    EXPECT_EQ(b.GetCount(), 0);
}

// Against a plain queue of the same capacity, under many writes and reads of random sizes
// that wrap and overrun.
TEST(RingBuffer, BehavesLikeABoundedQueue)
{
    std::mt19937 random(12345);
    for (int capacity : {1, 2, 7, 64})
    {
        SCOPED_TRACE(capacity);
        CRingBuffer b;
        b.Allocate(capacity);
        std::deque<char> model;
        for (int step = 0; step < 20000; ++step)
        {
            const int action = static_cast<int>(random() % 3);
            if (action == 0)
            {
                const int n = 1 + static_cast<int>(random() % (2 * capacity + 2));
                std::string data(static_cast<size_t>(n), '\0');
                for (char& c : data)
                    c = "ab\n"[random() % 3];
                b.Write(data.data(), n);
                for (int i = 0; i < std::min(n, capacity); ++i)
                    model.push_back(data[static_cast<size_t>(i)]);
                while (static_cast<int>(model.size()) > capacity)
                    model.pop_front();
            }
            else if (action == 1)
            {
                CString line;
                const int got = b.ReadTo(line, '\n');
                auto it = std::find(model.begin(), model.end(), '\n');
                if (it == model.end())
                {
                    ASSERT_EQ(got, 0);
                }
                else
                {
                    const std::string expected(model.begin(), it + 1);
                    ASSERT_EQ(std::string(line.GetString(), static_cast<size_t>(got)), expected);
                    model.erase(model.begin(), it + 1);
                }
            }
            else
            {
                const int n = static_cast<int>(random() % (capacity + 1));
                b.Consume(n);
                model.erase(model.begin(),
                            model.begin() + std::min<size_t>(static_cast<size_t>(n), model.size()));
            }
            ASSERT_EQ(b.GetCount(), static_cast<int>(model.size()));
            ASSERT_EQ(Unread(b), std::string(model.begin(), model.end()));
        }
    }
}
} // namespace

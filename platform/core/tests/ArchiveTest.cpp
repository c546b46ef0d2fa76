#include "platform/core/Archive.h"
#include "platform/core/Array.h"
#include "platform/core/File.h"
#include "platform/core/MemFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<BYTE>;

// Everything a storing archive wrote through `body`.
Bytes Stored(const std::function<void(CArchive&)>& body)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        body(ar);
        ar.Close();
    }
    return Bytes(file.GetBuffer(), file.GetBuffer() + file.GetLength());
}

// A memory file holding `bytes`, positioned at the start.
struct Loaded
{
    explicit Loaded(const Bytes& bytes)
    {
        if (!bytes.empty())
            file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.SeekToBegin();
    }
    CMemFile file;
};

Bytes Prefix(std::initializer_list<int> head)
{
    Bytes b;
    for (int v : head)
        b.push_back(static_cast<BYTE>(v));
    return b;
}

struct XY
{
    double x;
    double y;
};

int ArchiveCause(const std::function<void()>& body)
{
    try
    {
        body();
    }
    catch (CArchiveException* e)
    {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}
} // namespace

TEST(CArchiveEncoding, CountBytes)
{
    struct Case
    {
        DWORD_PTR count;
        Bytes bytes;
    };
    const Case cases[] = {
        {0, Prefix({0x00, 0x00})},
        {1, Prefix({0x01, 0x00})},
        {0xFFFE, Prefix({0xFE, 0xFF})},
        {0xFFFF, Prefix({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00})},
        {70000, Prefix({0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(Stored([&](CArchive& ar) { ar.WriteCount(c.count); }), c.bytes) << c.count;
        Loaded in(c.bytes);
        CArchive ar(&in.file, CArchive::load);
        EXPECT_EQ(ar.ReadCount(), c.count);
    }
}

TEST(CArchiveEncoding, StringLengthPrefixes)
{
    struct Case
    {
        size_t length;
        Bytes prefix;
    };
    const Case cases[] = {
        {0, Prefix({0x00})},
        {3, Prefix({0x03})},
        {254, Prefix({0xFE})},
        {255, Prefix({0xFF, 0xFF, 0x00})},
        {0xFFFD, Prefix({0xFF, 0xFD, 0xFF})},
        {0xFFFE, Prefix({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {70000, Prefix({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const Case& c : cases)
    {
        std::string text(c.length, 'q');
        if (c.length > 0)
            text[c.length - 1] = '\xB0'; // the degree sign stays one byte
        const CString s(text);
        Bytes want = c.prefix;
        want.insert(want.end(), text.begin(), text.end());
        EXPECT_EQ(Stored([&](CArchive& ar) { ar << s; }), want) << c.length;

        Loaded in(want);
        CArchive ar(&in.file, CArchive::load);
        CString back("old");
        ar >> back;
        EXPECT_EQ(back, s) << c.length;
        EXPECT_TRUE(ar.IsBufferEmpty());
    }
}

TEST(CArchiveEncoding, ScalarsAreLittleEndian)
{
    const Bytes bytes = Stored([](CArchive& ar) {
        ar << static_cast<BYTE>(0xAB) << static_cast<WORD>(0x1234) << static_cast<short>(-2)
           << static_cast<LONG>(-2) << static_cast<DWORD>(0x01020304u) << 1.0f << 1.0 << true << 'z'
           << static_cast<LONGLONG>(-3) << static_cast<ULONGLONG>(0x0102030405060708ull);
    });
    const Bytes want = Prefix({0xAB,                                             // BYTE
                               0x34, 0x12,                                       // WORD
                               0xFE, 0xFF,                                       // short
                               0xFE, 0xFF, 0xFF, 0xFF,                           // LONG
                               0x04, 0x03, 0x02, 0x01,                           // DWORD
                               0x00, 0x00, 0x80, 0x3F,                           // float 1
                               0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F,   // double 1
                               0x01,                                             // bool
                               'z',                                              // char
                               0xFD, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,   // LONGLONG
                               0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01}); // ULONGLONG
    EXPECT_EQ(bytes, want);

    Loaded in(bytes);
    CArchive ar(&in.file, CArchive::load);
    BYTE b;
    WORD w;
    short sh;
    LONG l;
    DWORD d;
    float f;
    double db;
    bool flag;
    char ch;
    LONGLONG ll;
    ULONGLONG ull;
    ar >> b >> w >> sh >> l >> d >> f >> db >> flag >> ch >> ll >> ull;
    EXPECT_EQ(b, 0xAB);
    EXPECT_EQ(w, 0x1234);
    EXPECT_EQ(sh, -2);
    EXPECT_EQ(l, -2);
    EXPECT_EQ(d, 0x01020304u);
    EXPECT_EQ(f, 1.0f);
    EXPECT_EQ(db, 1.0);
    EXPECT_TRUE(flag);
    EXPECT_EQ(ch, 'z');
    EXPECT_EQ(ll, -3);
    EXPECT_EQ(ull, 0x0102030405060708ull);
}

TEST(CArchiveEncoding, UnicodeMarkedStringLoadsAsWindows1252)
{
    // 0xFF 0xFFFE marks UTF-16 text; the length that follows counts characters.
    const Bytes bytes = Prefix({0xFF, 0xFE, 0xFF, 0x03, 'a', 0x00, 0xE9, 0x00, 0xAC, 0x20});
    Loaded in(bytes);
    CArchive ar(&in.file, CArchive::load);
    CString s;
    ar >> s;
    EXPECT_EQ(s, "a\xE9\x80"); // e-acute and the euro sign in Windows-1252
}

TEST(CArchiveSerialize, PointArrayRoundTripOnDisk)
{
    CArray<XY, const XY&> points;
    for (int i = 0; i < 70000; ++i)
        points.Add(XY{i * 0.5, -i * 0.25});
    {
        CFile file("C:\\points.bin", CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        CArchive ar(&file, CArchive::store);
        points.Serialize(ar);
        ar.Close();
        file.Close();
    }
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus("C:\\points.bin", status));
    EXPECT_EQ(status.m_size, 6u + 70000u * 16u);

    CArray<XY, const XY&> back;
    back.Add(XY{9, 9});
    CFile file("C:\\points.bin", CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    back.Serialize(ar);
    ASSERT_EQ(back.GetSize(), 70000);
    EXPECT_EQ(back[69999].x, 69999 * 0.5);
    EXPECT_EQ(back[69999].y, -69999 * 0.25);
    EXPECT_EQ(std::memcmp(back.GetData(), points.GetData(), 70000 * sizeof(XY)), 0);
}

TEST(CArchiveSerialize, EmptyArrayStoresOnlyTheCount)
{
    CArray<XY, const XY&> none;
    const Bytes bytes = Stored([&](CArchive& ar) { none.Serialize(ar); });
    EXPECT_EQ(bytes, Prefix({0x00, 0x00}));
    CArray<XY, const XY&> back;
    back.Add(XY{1, 2});
    Loaded in(bytes);
    CArchive ar(&in.file, CArchive::load);
    back.Serialize(ar);
    EXPECT_EQ(back.GetSize(), 0);
}

TEST(CArchiveSerialize, ShortLoadsRaiseEndOfFile)
{
    CArray<XY, const XY&> three;
    three.Add(XY{1, 2});
    three.Add(XY{3, 4});
    three.Add(XY{5, 6});
    const Bytes whole = Stored([&](CArchive& ar) { three.Serialize(ar); });

    Bytes cut(whole.begin(), whole.end() - 1);                 // last element one byte short
    Bytes huge = Prefix({0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF}); // ~4 billion elements, no data
    Bytes countOnly = Prefix({0x05});                          // half a count
    for (const Bytes* bytes : {&cut, &huge, &countOnly})
    {
        Loaded in(*bytes);
        CArchive ar(&in.file, CArchive::load);
        CArray<XY, const XY&> back;
        EXPECT_EQ(ArchiveCause([&] { back.Serialize(ar); }), CArchiveException::endOfFile) << bytes->size();
    }

    // A string longer than what follows it.
    Loaded in(Prefix({0x05, 'a', 'b'}));
    CArchive ar(&in.file, CArchive::load);
    CString s;
    EXPECT_EQ(ArchiveCause([&] { ar >> s; }), CArchiveException::endOfFile);
}

TEST(CArchiveSerialize, StringArrayRoundTrip)
{
    CStringArray names;
    names.Add("Route 1");
    names.Add("");
    names.Add(CString(std::string(300, 'x')));
    const Bytes bytes = Stored([&](CArchive& ar) { names.Serialize(ar); });
    EXPECT_EQ(bytes.size(), 2u + (1 + 7) + 1 + (3 + 300));
    CStringArray back;
    Loaded in(bytes);
    CArchive ar(&in.file, CArchive::load);
    back.Serialize(ar);
    ASSERT_EQ(back.GetSize(), 3);
    EXPECT_EQ(back[0], "Route 1");
    EXPECT_EQ(back[1], "");
    EXPECT_EQ(back[2].GetLength(), 300);
}

TEST(CArchiveUse, WrongDirectionThrows)
{
    CMemFile file;
    CArchive loading(&file, CArchive::load);
    EXPECT_EQ(ArchiveCause([&] { loading << 1; }), CArchiveException::readOnly);
    loading.Abort();

    CArchive storing(&file, CArchive::store);
    int v;
    EXPECT_EQ(ArchiveCause([&] { storing >> v; }), CArchiveException::writeOnly);
}

TEST(CArchiveUse, CloseHandsBackBytesReadAhead)
{
    CFile out("C:\\data.bin", CFile::modeCreate | CFile::modeWrite);
    const char text[] = "0123456789";
    out.Write(text, 10);
    out.Close();

    CFile in("C:\\data.bin", CFile::modeRead);
    {
        CArchive ar(&in, CArchive::load);
        WORD w;
        ar >> w;
        ar.Close();
    }
    EXPECT_EQ(in.GetPosition(), 2u);
    char rest[8] = {0};
    EXPECT_EQ(in.Read(rest, 8), 8u);
    EXPECT_EQ(std::string(rest, 8), "23456789");
}

TEST(CArchiveUse, StoringArchiveFlushesOnDestruction)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << static_cast<DWORD>(7);
    }
    EXPECT_EQ(file.GetLength(), 4u);
}

TEST(CArchiveUse, TextLines)
{
    const Bytes bytes = Stored([](CArchive& ar) {
        ar.WriteString("first\r\n");
        ar.WriteString("second\n");
        ar.WriteString("last");
    });
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "first\r\nsecond\nlast");

    Loaded in(bytes);
    CArchive ar(&in.file, CArchive::load);
    CString line;
    EXPECT_TRUE(ar.ReadString(line));
    EXPECT_EQ(line, "first");
    char buffer[16];
    EXPECT_STREQ(ar.ReadString(buffer, 15), "second\n");
    EXPECT_TRUE(ar.ReadString(line));
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(ar.ReadString(line));
    EXPECT_EQ(ar.ReadString(buffer, 15), nullptr);
}

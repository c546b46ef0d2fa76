#include "platform/core/Array.h"
#include "platform/core/List.h"
#include "platform/core/String.h"

#include <QString>
#include <gtest/gtest.h>

TEST(CStringFormat, PrintfSemantics)
{
    struct Case
    {
        CString got;
        const char* want;
    };
    CString a, b, c, d, e, f, g;
    a.Format("%.*lf", 3, 2.0 / 3.0);
    b.Format("%0*.*lf", 9, 2, -3.14159);
    c.Format("%+06.2lf", 1.5);
    d.Format("%.2X", 0x7);
    e.Format("%c%u|%ld", 'A', 4000000000u, -123456789012L);
    f.Format("%s = %d\n", "Key", -4);
    g.Format("%-5s|%5s", "ab", "cd");
    const Case cases[] = {{a, "0.667"},   {b, "-00003.14"},      {c, "+01.50"},        {d, "07"},
                          {e, "A4000000000|-123456789012"}, {f, "Key = -4\n"}, {g, "ab   |   cd"}};
    for (const Case& k : cases)
        EXPECT_STREQ(k.got, k.want);

    CString long_text;
    long_text.Format("%s", std::string(1000, 'x').c_str());
    long_text.AppendFormat("%d", 7);
    EXPECT_EQ(long_text.GetLength(), 1001);
    EXPECT_EQ(long_text.Right(2), "x7");
}

TEST(CStringEdit, TrimFindReplaceTokenize)
{
    CString s("  a,b,,c  ");
    s.Trim();
    EXPECT_EQ(s, "a,b,,c");
    EXPECT_EQ(s.Find(','), 1);
    EXPECT_EQ(s.Find(",,"), 3);
    EXPECT_EQ(s.ReverseFind(','), 4);
    EXPECT_EQ(s.Left(3), "a,b");
    EXPECT_EQ(s.Mid(2), "b,,c");
    EXPECT_EQ(s.Mid(2, 100), "b,,c");
    EXPECT_EQ(s.Mid(50), "");
    EXPECT_EQ(s.Right(1), "c");

    int pos = 0;
    CStringArray tokens;
    for (CString t = s.Tokenize(",", pos); pos != -1; t = s.Tokenize(",", pos))
        tokens.Add(t);
    ASSERT_EQ(tokens.GetSize(), 3);
    EXPECT_EQ(tokens[2], "c");

    CString r("a\rb\rc");
    EXPECT_EQ(r.Replace("\r", "<CR>"), 2);
    EXPECT_EQ(r, "a<CR>b<CR>c");
    EXPECT_EQ(r.Remove('<'), 2);
    EXPECT_EQ(CString("Shp").CompareNoCase("SHP"), 0);
    EXPECT_EQ(CString("abc").MakeUpper(), "ABC");
    CString x("xxabxx");
    EXPECT_EQ(x.Trim('x'), "ab");
}

TEST(CStringBuffer, GetBufferReleaseBuffer)
{
    CString s;
    char* p = s.GetBuffer(10);
    std::snprintf(p, 11, "%s", "abc");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 3);
    EXPECT_EQ(s, "abc");
    s.GetBuffer(10);
    s.ReleaseBuffer(2);
    EXPECT_EQ(s, "ab");
}

TEST(CStringCodePage, DegreeSignAndEuroRoundTrip)
{
    const CString bytes("51\xB0 30' \x80");
    const QString text = bytes.ToQString();
    EXPECT_EQ(text, QString::fromUtf8("51° 30' €"));
    EXPECT_EQ(CString::FromQString(text), bytes);
}

TEST(CArrayGrowth, FrameworkRule)
{
    CArray<double, double> a;
    a.SetSize(10);
    EXPECT_EQ(a.GetAllocSize(), 10);
    a.Add(1.0);
    EXPECT_EQ(a.GetAllocSize(), 14);
    EXPECT_EQ(a[10], 1.0);
    EXPECT_EQ(a[3], 0.0);
    a.SetSize(100);
    EXPECT_EQ(a.GetAllocSize(), 100);
    a.SetSize(101); // step = 100/8 = 12
    EXPECT_EQ(a.GetAllocSize(), 112);
    a.SetSize(0);
    EXPECT_EQ(a.GetAllocSize(), 0);
    a.SetSize(3, 16); // a first allocation takes max(count, step)
    EXPECT_EQ(a.GetAllocSize(), 16);
}

// A route of a hundred thousand points added one by one: the capacity grows by an eighth each
// time, so the copies stay linear; a step the caller gave still holds.
TEST(CArrayGrowthBadInput, LargeArraysGrowGeometrically)
{
    CArray<double, double> a;
    int reallocations = 0;
    INT_PTR capacity = 0;
    for (int i = 0; i < 100000; ++i)
    {
        a.Add(i);
        if (a.GetAllocSize() != capacity)
        {
            capacity = a.GetAllocSize();
            ++reallocations;
        }
    }
    EXPECT_LT(reallocations, 100);
    EXPECT_EQ(a[99999], 99999.0);

    CArray<double, double> stepped;
    stepped.SetSize(0, 10);
    for (int i = 0; i < 25; ++i)
        stepped.Add(i);
    EXPECT_EQ(stepped.GetAllocSize(), 30);
}

TEST(CArrayGrowth, BadIndexThrowsInvalidArg)
{
    CArray<int, int> a;
    a.Add(5);
    bool caught = false;
    try
    {
        a.GetAt(1);
    }
    catch (CException* e)
    {
        caught = e->IsKindOf(RUNTIME_CLASS(CInvalidArgException));
        e->Delete();
    }
    EXPECT_TRUE(caught);
    EXPECT_THROW(a.SetSize(-1), CException*);
    EXPECT_THROW(a.RemoveAt(0, 2), CException*);
    a.InsertAt(0, 4);
    a.InsertAt(5, 9); // past the end: grows with zeros
    ASSERT_EQ(a.GetSize(), 6);
    EXPECT_EQ(a[0], 4);
    EXPECT_EQ(a[1], 5);
    EXPECT_EQ(a[3], 0);
    EXPECT_EQ(a[5], 9);
}

TEST(CListWalk, PositionsInOrder)
{
    CStringList list;
    list.AddTail("b");
    list.AddHead("a");
    POSITION c = list.AddTail("c");
    list.InsertBefore(c, "bb");
    CString joined;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        joined += list.GetNext(pos);
    EXPECT_EQ(joined, "abbbc");
    list.RemoveAt(list.Find("bb"));
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetTail(), "c");
    EXPECT_EQ(list.RemoveHead(), "a");
}

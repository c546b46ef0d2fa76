// The in-place editors: the angle template typed character by character, and the text
// editor's character filter, paste check and end-of-edit notification on a real list.
#include "foundation/AngleFormat.h"
#include "foundation/InPlaceAngleEdit.h"
#include "foundation/InPlaceEdit.h"

#include <gtest/gtest.h>

namespace
{
// Types the characters one after the other from the caret at `caret`, as the window does.
CString TypeAll(const AngleTemplate& t, CString text, int caret, const char* keys)
{
    for (const char* k = keys; *k; ++k)
    {
        int next = caret;
        t.Type(text, caret, caret, static_cast<unsigned char>(*k), next);
        caret = next;
    }
    return text;
}

int DegreeDigitsOf(const CString& text)
{
    int n = 0;
    while (n < text.GetLength() && text[n] >= '0' && text[n] <= '9')
        ++n;
    return n;
}
} // namespace

TEST(AngleTemplate, DegreeLimitZeroesTheRestAndBiggerDigitsAreRefused)
{
    const AngleTemplate lon = AngleTemplate::For(ANGLE_LONGITUDE, ANGLE_FORMAT_DMS);
    ASSERT_EQ(lon.limit, CString("18"));
    ASSERT_EQ(lon.templ.GetLength(), lon.zero.GetLength());
    ASSERT_EQ(DegreeDigitsOf(lon.templ), 3);
    CString start = lon.zero;
    start.SetAt(3, start[3]); // a text in the template's shape
    for (int i = 4; i < start.GetLength(); ++i)
        if (start[i] >= '0' && start[i] <= '9')
            start.SetAt(i, '5');

    // "18" at the first two degree positions reaches 180 and zeroes every later digit.
    const CString reached = TypeAll(lon, start, 0, "18");
    EXPECT_EQ(reached.Left(3), CString("180"));
    for (int i = 3; i < reached.GetLength(); ++i)
        if (reached[i] >= '0' && reached[i] <= '9')
        {
            EXPECT_EQ(reached[i], '0') << (LPCSTR)reached;
        }

    // "19" is refused at the second digit; "09" is accepted.
    EXPECT_EQ(TypeAll(lon, start, 0, "19").Left(2), CString("10"));
    EXPECT_EQ(TypeAll(lon, start, 0, "09").Left(2), CString("09"));

    const AngleTemplate lat = AngleTemplate::For(ANGLE_LATITUDE, ANGLE_FORMAT_DMS);
    ASSERT_EQ(lat.limit, CString("9"));
    const CString ninety = TypeAll(lat, lat.zero, 0, "9");
    EXPECT_EQ(ninety.Left(2), CString("90"));
}

TEST(AngleTemplate, HemisphereLettersBelongToTheirKind)
{
    const AngleTemplate lon = AngleTemplate::For(ANGLE_LONGITUDE, ANGLE_FORMAT_DMS);
    const int n = lon.templ.GetLength();
    CString text = lon.zero;
    int caret = -1;
    EXPECT_TRUE(lon.Type(text, 2, 2, 'w', caret));
    EXPECT_EQ(text[n - 1], 'W');
    EXPECT_EQ(caret, n);
    CString same = lon.zero;
    EXPECT_FALSE(lon.Type(same, 2, 2, 'n', caret));
    EXPECT_EQ(same, lon.zero);

    // Backspace at the hemisphere position restores the kind's default letter.
    struct Case
    {
        int type;
        char other;
        char restored;
    };
    for (const Case c : {Case{ANGLE_LATITUDE, 'S', 'N'}, Case{ANGLE_LONGITUDE, 'W', 'E'}})
    {
        const AngleTemplate t = AngleTemplate::For(c.type, ANGLE_FORMAT_DMS);
        const int len = t.templ.GetLength();
        CString s = t.zero;
        s.SetAt(len - 1, c.other);
        int at = -1;
        EXPECT_TRUE(t.Type(s, len, len, 8, at));
        EXPECT_EQ(s[len - 1], c.restored);
        EXPECT_EQ(at, len - 1);
    }
}

TEST(AngleTemplate, SelectAllStartsFromZeroAndSeparatorsMoveTheCaret)
{
    const AngleTemplate lat = AngleTemplate::For(ANGLE_LATITUDE, ANGLE_FORMAT_DMS);
    const int n = lat.templ.GetLength();
    CString text = lat.zero;
    text.SetAt(0, '5');
    int caret = -1;
    // Everything selected: typing starts over from the zero text.
    EXPECT_TRUE(lat.Type(text, 0, n, '4', caret));
    EXPECT_EQ(text.Left(2), CString("40"));
    EXPECT_EQ(caret, 1);
    // A refused key (a letter of no meaning) changes nothing, and Enter is ignored.
    CString before = text;
    EXPECT_FALSE(lat.Type(text, 1, 1, 'x', caret));
    EXPECT_FALSE(lat.Type(text, 1, 1, '\r', caret));
    EXPECT_EQ(text, before);
    // '\'' jumps past the minutes' sign to the seconds' first digit.
    const int quote = lat.templ.Find('\'');
    ASSERT_GT(quote, 0);
    EXPECT_FALSE(lat.Type(text, 0, 0, '\'', caret));
    EXPECT_GT(caret, quote);
    EXPECT_TRUE(lat.templ[caret] >= '0' && lat.templ[caret] <= '9');
    // Backspace over a separator clears the digit before it.
    CString back = TypeAll(lat, lat.zero, 0, "4530");
    int at = -1;
    EXPECT_TRUE(lat.Type(back, caret, caret, 8, at));
    EXPECT_LT(at, quote);
}

TEST(InPlaceEdit, CharacterSetsAndPastes)
{
    EXPECT_TRUE(CInPlaceEdit::AllAllowed("12.5", "0123456789.+-"));
    EXPECT_FALSE(CInPlaceEdit::AllAllowed("12a", "0123456789.+-"));
    EXPECT_TRUE(CInPlaceEdit::AllAllowed("", "0123456789.+-"));
}

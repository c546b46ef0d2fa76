// Retagging and routing of received lines, and the version text.
#include "foundation/NmeaChecksum.h"
#include "geodesy/Gps.h"
#include "geodetic/ReceivedLines.h"
#include "geodetic/VersionText.h"

#include <gtest/gtest.h>

namespace
{
// "$<body>*hh\r\n" with the right checksum.
CString Sentence(const char* body)
{
    CString text;
    text.Format("$%s%s\r\n", body, (LPCSTR)FormatNmeaChecksum(ComputeNmeaChecksum(body)));
    return text;
}

const char* const kGgaLine = "GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,";
} // namespace

TEST(PortTag, TwoDigitsForPortsToNinetyNineElseDigitAndLetter)
{
    const struct
    {
        UINT port;
        const char* tag;
    } cases[] = {{1, "01"},   {7, "07"},    {99, "99"},    {1234, "1I"}, {5000, "5A"},
                 {100, "0A"}, {2025, "2Z"}, {10026, "0A"}, {0, "0A"}};
    for (const auto& c : cases)
        EXPECT_STREQ(FormatPortTag(c.port), c.tag) << c.port;
}

TEST(RetagSentence, ReplacesTalkerAndRedoesChecksum)
{
    const struct
    {
        UINT port;
        const char* talker;
    } cases[] = {{7, "07"}, {1234, "1I"}, {5000, "5A"}};
    for (const auto& c : cases)
    {
        CString line = Sentence(kGgaLine);
        ASSERT_TRUE(RetagSentence(line, c.port, true));
        CString body = kGgaLine;
        body.SetAt(0, c.talker[0]);
        body.SetAt(1, c.talker[1]);
        EXPECT_STREQ(line, Sentence(body)) << c.port;
        EXPECT_TRUE(IsNmeaChecksumGood(line));
    }
}

TEST(RetagSentence, LeavesBadChecksumUnknownAndShortLinesAlone)
{
    CString bad;
    bad.Format("$%s%s\r\n", kGgaLine, (LPCSTR)FormatNmeaChecksum(ComputeNmeaChecksum(kGgaLine) ^ 1));
    ASSERT_FALSE(IsNmeaChecksumGood(bad));
    CString line = bad;
    EXPECT_FALSE(RetagSentence(line, 7, true));
    EXPECT_STREQ(line, bad);

    // With verification off the same line is retagged and gets a good checksum.
    EXPECT_TRUE(RetagSentence(line, 7, false));
    EXPECT_EQ(line.Left(3), CString("$07"));
    EXPECT_TRUE(IsNmeaChecksumGood(line));

    for (const char* text : {"$GPXYZ,1,2*00\r\n", "hello\r\n", "", "$", "GPGGA,1*00"})
    {
        CString same = text;
        EXPECT_FALSE(RetagSentence(same, 7, false)) << text;
        EXPECT_STREQ(same, text);
    }
}

TEST(RetagSentence, SentenceWithoutChecksumGetsOneBeforeItsLineEnd)
{
    CString line = "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K\r\n";
    ASSERT_TRUE(RetagSentence(line, 12, false));
    EXPECT_STREQ(line, Sentence("12VTG,054.7,T,034.4,M,005.5,N,010.2,K"));
}

TEST(PrepareReceivedLines, TypeTextRetaggingAndRoutes)
{
    CStringArray lines;
    lines.Add("$PTNL,GGK,102939.00,051910,5000.97323841,N,00827.62010742,E,5,09,1.9,EHT150.790,M*73\r\n");
    lines.Add(Sentence("GPVTG,054.7,T,034.4,M,005.5,N,010.2,K"));
    lines.Add(Sentence(kGgaLine));
    lines.Add(Sentence("GPGST,024603.00,3.2,6.6,4.7,47.3,5.8,5.6,22.0"));
    lines.Add(Sentence("HEHDT,274.07,T"));
    lines.Add("plain text\r\n");
    CArray<ReceivedLineDef, const ReceivedLineDef&> prepared;
    PrepareReceivedLines(7, lines, true, prepared);
    ASSERT_EQ(prepared.GetSize(), lines.GetSize());

    // GGK is not retagged but is a position; the type text is empty until a GPS type arrives.
    EXPECT_STREQ(prepared[0].Text, lines[0]);
    EXPECT_STREQ(prepared[0].Type, "");
    EXPECT_EQ(prepared[0].Route, ROUTE_POSITION);
    // VTG: retagged, shown, not decoded.
    EXPECT_STREQ(prepared[1].Text, Sentence("07VTG,054.7,T,034.4,M,005.5,N,010.2,K"));
    EXPECT_STREQ(prepared[1].Type, "GPS");
    EXPECT_EQ(prepared[1].Route, ROUTE_SHOW_ONLY);
    EXPECT_EQ(prepared[2].Text.Left(6), CString("$07GGA"));
    EXPECT_EQ(prepared[2].Route, ROUTE_POSITION);
    // GST is decoded but keeps its talker; the type text stays "GPS" for the rest of the message.
    EXPECT_STREQ(prepared[3].Text, lines[3]);
    EXPECT_EQ(prepared[3].Route, ROUTE_QUALITY);
    for (int i = 3; i < 6; ++i)
        EXPECT_STREQ(prepared[i].Type, "GPS") << i;
    EXPECT_EQ(prepared[4].Route, ROUTE_SHOW_ONLY);
    EXPECT_EQ(prepared[5].Route, ROUTE_SHOW_ONLY);
}

TEST(ReceivedRoute, OnlyDollarLinesAndProprietaryGgk)
{
    EXPECT_EQ(GetReceivedRoute("$GPGGK,1,2"), ROUTE_SHOW_ONLY);
    EXPECT_EQ(GetReceivedRoute("GPGGA,1"), ROUTE_SHOW_ONLY);
    EXPECT_EQ(GetReceivedRoute(nullptr), ROUTE_SHOW_ONLY);
    EXPECT_EQ(GetReceivedRoute("$GNRMC,1"), ROUTE_POSITION);
    EXPECT_EQ(GetReceivedRoute("$GPGLL,1"), ROUTE_POSITION);
    EXPECT_EQ(GetReceivedRoute("$GPZDA,1"), ROUTE_QUALITY);
    EXPECT_EQ(GetReceivedRoute("$GPGSV,1"), ROUTE_QUALITY);
}

TEST(VersionText, FileMajorThenTheBuildDate)
{
    // This build's text has four numbers, the year after 2000.
    int major = 0, year = 0, month = 0, day = 0;
    ASSERT_EQ(std::sscanf(GetVersionText(), "%d.%d.%d.%d", &major, &year, &month, &day), 4);
    EXPECT_EQ(major, 1);
    EXPECT_GE(year, 24);
    EXPECT_TRUE(month >= 1 && month <= 12);
    EXPECT_TRUE(day >= 1 && day <= 31);
}

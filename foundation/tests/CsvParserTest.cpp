#include "foundation/CsvParser.h"

#include "testsupport/ResourceProbe.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

TEST(CsvParser, BuildsRecordsAndReadsThemBack)
{
    CCsvParser out;
    out.AddInt(1);
    out.AddDouble(2.5, 2);
    EXPECT_STREQ(out.AddString("a,b"), "1, 2.50, a\xAB"
                                       "COMMA>\xBB"
                                       "b");
    const CString record = out.GetRecord();
    EXPECT_STREQ(record, "1, 2.50, a\xAB"
                         "COMMA>\xBB"
                         "b\r\n");

    CCsvParser in;
    in.SetLine(record);
    CString token, text;
    EXPECT_TRUE(in.GetNumberToken(token));
    EXPECT_STREQ(token, "1");
    EXPECT_EQ(in.GetDouble(), 2.5);
    EXPECT_TRUE(in.GetString(text));
    EXPECT_STREQ(text, "a,b");
    EXPECT_FALSE(in.IsEnd());
    EXPECT_FALSE(in.GetString(text));
    EXPECT_TRUE(in.IsEnd());
    EXPECT_EQ(in.GetDouble(), DBL_MAX);

    // The other builders, quoting, and an empty line that gets no CR LF.
    CCsvParser more;
    more.AddShort(-32768);
    more.AddLong(-2147483649L);
    more.AddBool(true);
    more.AddBool(false);
    EXPECT_STREQ(more.AddString("x y", true), "-32768, -2147483649, 1, 0, \"x y\"");
    CCsvParser nothing;
    EXPECT_STREQ(nothing.GetRecord(), "");
}

TEST(CsvParser, BuildsChecksummedSentences)
{
    // The well-known fix sentence and its published checksum.
    CCsvParser fix;
    fix.SetLine("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
    EXPECT_STREQ(fix.AddChecksum(), "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n");

    // Single-precision values with a chosen number of decimals, characters as text fields
    // (a separator escaped), and a checksum with a letter digit in upper case.
    CCsvParser out;
    out.SetLine("$TEST");
    out.AddFloat(0.03f, 3);
    out.AddFloat(-12.25f, 1);
    out.AddFloat(7.0f, 0);
    out.AddChar('T');
    EXPECT_STREQ(out.AddChar(','), "$TEST, 0.030, -12.2, 7, T, \xAB"
                                   "COMMA>\xBB");
    const CString sentence = out.AddChecksum();
    ASSERT_GE(sentence.GetLength(), 5);
    EXPECT_STREQ(sentence.Right(2), "\r\n");
    int sum = 0;
    for (int i = 1; i < sentence.GetLength() - 5; ++i)
        sum ^= static_cast<unsigned char>(sentence[i]);
    char expected[8];
    std::snprintf(expected, sizeof expected, "*%02X\r\n", sum);
    EXPECT_STREQ(sentence.Right(5), expected);
    CCsvParser in;
    in.SetLine(sentence);
    EXPECT_TRUE(in.IsChecksumValid());

    // An empty line gets neither checksum nor line end; a first character field has no separator.
    CCsvParser empty;
    EXPECT_STREQ(empty.AddChecksum(), "");
    EXPECT_STREQ(empty.AddChar('A'), "A");
}

TEST(CsvParser, TextFieldsKeepLineBreaksAndSeparators)
{
    const char* texts[] = {"line one\r\nline two", "a\rb\nc", "comma, and \"quote\" inside", "", "  padded"};
    for (bool quoted : {false, true})
    {
        CCsvParser out;
        out.AddInt(7);
        for (const char* t : texts)
            out.AddString(t, quoted);
        const CString record = out.GetRecord();
        EXPECT_EQ(record.Find('\n'), record.GetLength() - 1) << "a record is one line";

        CCsvParser in;
        in.SetLine(record);
        EXPECT_EQ(in.GetDouble(), 7.0);
        EXPECT_STREQ(in.GetString(), "line one\r\nline two");
        EXPECT_STREQ(in.GetString(), "a\rb\nc");
        if (!quoted) // a double quote inside a quoted field ends it: no escape exists for it
            EXPECT_STREQ(in.GetString(), "comma, and \"quote\" inside");
        else
            in.GetString();
        EXPECT_STREQ(in.GetString(), "");
        EXPECT_STREQ(in.GetString(), quoted ? "  padded" : "padded");
    }

    // An empty first field is one blank, so the field after it keeps its place.
    CCsvParser out;
    EXPECT_STREQ(out.AddString(""), " ");
    EXPECT_STREQ(out.AddInt(5), " , 5");
    CCsvParser in;
    in.SetLine(out.GetRecord());
    EXPECT_EQ(in.GetFieldCount(), 2);
    EXPECT_STREQ(in.GetString(), "");
    EXPECT_EQ(in.GetDouble(), 5.0);
}

TEST(CsvParser, NumberTokens)
{
    struct Case
    {
        const char* line;
        std::vector<double> want; // DBL_MAX: no value
    };
    const double no = DBL_MAX;
    const Case cases[] = {
        {"1,2,3", {1, 2, 3, no}},
        {" 1 , ?, ,4", {1, no, no, 4, no}}, // '?' and an empty field both mean "no value"
        {"1,,3", {1, no, 3}},
        {"12.5m,7", {12.5, 7}},                 // units after a number are passed over
        {"KP 1.25, -3e2, +4", {1.25, -300, 4}}, // and labels before one
        {"1 2 3", {1, 2, 3}},                   // blanks part numbers too
        {"", {no, no}},
    };
    for (const Case& c : cases)
    {
        CCsvParser p;
        p.SetLine(c.line);
        for (size_t i = 0; i < c.want.size(); ++i)
            EXPECT_EQ(p.GetDouble(), c.want[i]) << "'" << c.line << "' #" << i;
    }

    CCsvParser p;
    p.SetLine("5");
    CString token("junk");
    EXPECT_TRUE(p.GetNumberToken(token));
    EXPECT_STREQ(token, "5");
    EXPECT_FALSE(p.GetNumberToken(token));
    EXPECT_STREQ(token, "");
    EXPECT_TRUE(p.IsEnd());
    p.SetLine("6");
    EXPECT_FALSE(p.IsEnd());
}

TEST(CsvParser, QuotedFields)
{
    struct Case
    {
        const char* line;
        const char* first;
        double second;
    };
    const Case cases[] = {
        {"\"abc\"xyz,5", "abc", 5}, // text after the closing quote is not part of the field
        {"\"a,b\", 6", "a,b", 6},   // a separator inside quotes belongs to the field
        {"  \"spaced\"  ,  7  ", "spaced", 7},
        {"plain text , 8", "plain text ", 8},
        {"\"unclosed, 9", "unclosed, 9", DBL_MAX},
    };
    for (const Case& c : cases)
    {
        CCsvParser p;
        p.SetLine(c.line);
        EXPECT_STREQ(p.GetString(), c.first) << c.line;
        EXPECT_EQ(p.GetDouble(), c.second) << c.line;
    }
}

TEST(CsvParser, SetLineChecksNmeaSentences)
{
    struct Case
    {
        const char* text;
        bool valid;
        const char* line;
    };
    const Case cases[] = {
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n", true,
         "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"},
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*48", false,
         "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"},
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47 ", false,
         "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47 "}, // no '*' third from the end
        {"$GPMWV", false, "$GPMWV"},                                            // a bare header is kept
        {"GPGGA,1*47", false, "GPGGA,1*47"},                                    // no '$': not a sentence
        {"a\rb\nc\r\n", false, "abc"},
        {"$*00", true, "$"},
    };
    for (const Case& c : cases)
    {
        CCsvParser p;
        p.SetLine("$*00"); // a valid sentence first, so each line must set the flag afresh
        p.SetLine(c.text);
        EXPECT_EQ(p.IsChecksumValid(), c.valid) << c.text;
        EXPECT_STREQ(p.GetLine(), c.line) << c.text;
    }
}

TEST(CsvParser, FieldCountAndFolding)
{
    struct Count
    {
        const char* line;
        int want;
    };
    for (const Count& c : {Count{"", 0}, Count{"one", 1}, Count{"a,,b", 3}, Count{"a,b,", 3}, Count{",", 2}})
    {
        CCsvParser p;
        p.SetLine(c.line);
        EXPECT_EQ(p.GetFieldCount(), c.want) << c.line;
    }

    struct Fold
    {
        const char* line;
        const char* want;
    };
    const Fold folds[] = {
        {"1   2 3", "1,2,3"},          {"a\t\tb\t", "a,,b,"}, // one comma per tab: empty fields kept
        {"1,2 3\t4", "1,2 3\t4"},                             // a line with a comma is left alone
        {"   1.5   2.5  ", "1.5,2.5"},                        // column-aligned: the edges open no empty field
        {"single", "single"},          {"", ""},
    };
    for (const Fold& f : folds)
    {
        CCsvParser p;
        p.SetSeparator(';'); // the replacement is a comma whatever the separator
        p.SetLine(f.line);
        EXPECT_STREQ(p.FoldToSeparator(), f.want) << f.line;
        EXPECT_STREQ(p.GetLine(), f.want);
    }
}

TEST(CsvParser, OtherSeparators)
{
    CCsvParser out;
    out.SetSeparator(';');
    out.AddInt(1);
    EXPECT_STREQ(out.AddString("a;b,c"), "1; a\xAB"
                                         "COMMA>\xBB"
                                         "b,c");

    CCsvParser in;
    in.SetSeparator(';');
    in.SetLine(out.GetRecord());
    EXPECT_EQ(in.GetDouble(), 1.0);
    EXPECT_STREQ(in.GetString(), "a;b,c");

    // Tab-separated lines keep their empty fields: a tab separator is not a blank.
    CCsvParser tabs;
    tabs.SetSeparator('\t');
    tabs.SetLine("1\t\t3\t text \t");
    EXPECT_EQ(tabs.GetFieldCount(), 5);
    EXPECT_EQ(tabs.GetDouble(), 1.0);
    EXPECT_EQ(tabs.GetDouble(), DBL_MAX);
    EXPECT_EQ(tabs.GetDouble(), 3.0);
    EXPECT_STREQ(tabs.GetString(), "text ");
}

TEST(CsvParser, GetIntReadsTheLeadingInteger)
{
    CCsvParser parser;
    parser.SetLine(
        "12, -7, +3, 4.9, ?, , 2147483647, -2147483648, 2147483648, 99999999999999999999, -2147483649");
    EXPECT_EQ(parser.GetInt(), 12);
    EXPECT_EQ(parser.GetInt(), -7);
    EXPECT_EQ(parser.GetInt(), 3);
    EXPECT_EQ(parser.GetInt(), 4); // the leading integer of a number
    EXPECT_EQ(parser.GetInt(), INT_MAX) << "a question mark is no value";
    EXPECT_EQ(parser.GetInt(), INT_MAX) << "an empty field is no value";
    EXPECT_EQ(parser.GetInt(), INT_MAX);
    EXPECT_EQ(parser.GetInt(), INT_MIN);
    // Beyond 32 bits: no value, rather than a wrapped number.
    EXPECT_EQ(parser.GetInt(), INT_MAX);
    EXPECT_EQ(parser.GetInt(), INT_MAX);
    EXPECT_EQ(parser.GetInt(), INT_MAX);
    EXPECT_EQ(parser.GetInt(), INT_MAX) << "the end of the line";

    parser.SetLine("e5, -.5");
    EXPECT_EQ(parser.GetInt(), 0) << "a token that starts with neither sign nor digit";
    EXPECT_EQ(parser.GetInt(), 0);
}

// A line of a megabyte is taken apart within a second of processor time and 100 MB, however it
// is made: reading moves along the line instead of copying what is left of it for every field.
TEST(CsvLineBounds, MegabyteLinesTakeASecondAnd100MegabytesAtMost)
{
    const size_t kMegabyte = 1024 * 1024;
    // A line of copies of `piece` a megabyte long, and how many copies that takes.
    auto repeat = [kMegabyte](const std::string& piece) {
        std::string line;
        while (line.size() < kMegabyte)
            line += piece;
        return line;
    };
    auto copies = [kMegabyte](const std::string& piece) { return (kMegabyte + piece.size() - 1) / piece.size(); };
    struct Case
    {
        const char* name;
        std::string line;
        std::function<size_t(const CString&)> read; // the fields (or numbers) it gave
        size_t fields;
    };
    auto split = [](const CString& line) { return SplitCsvLine(line).size(); };
    auto numbers = [](const CString& line) {
        CCsvParser p;
        p.SetLine(line);
        size_t n = 0;
        while (p.GetDouble() != DBL_MAX)
            ++n;
        return n;
    };
    const std::string quoted = "\"a,\"\"b\"\"\",";
    const Case cases[] = {
        {"short fields", repeat("7,"), split, copies("7,")},
        {"quoted fields", repeat(quoted), split, copies(quoted)},
        {"blanks between", repeat("1 ,   "), split, copies("1 ,   ")},
        {"one field", repeat("x"), split, 1},
        {"one unclosed quoted field", "\"" + repeat("y"), split, 1},
        {"numbers", repeat("12.5, "), numbers, copies("12.5, ")},
    };
    for (const Case& c : cases)
    {
        const CString line(c.line);
        size_t fields = 0;
        const ResourceUse use = MeasureResources([&] { fields = c.read(line); }, 1.0);
        EXPECT_EQ(fields, c.fields) << c.name;
        EXPECT_LT(use.cpuSeconds, 1.0) << c.name;
        EXPECT_LT(use.peakMegabytes, 100.0) << c.name;
    }
}

// The one version text of the programs: each program's rule over its block and build date.
#include "outside/kadenta/ProgramVersion.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace
{
const PROGRAM_VERSION_BLOCK kVersionBlock = {"Test", "Test.exe", "Maker", "Test Product", {3, 4, 5, 6}, {7, 0, 0, 0}, false};
const PROGRAM_VERSION_RULE kFileMajor = {false, false, nullptr};
const PROGRAM_VERSION_RULE kProductMajor = {true, false, nullptr};
const PROGRAM_VERSION_RULE kTwoDigits = {true, true, nullptr};
const PROGRAM_VERSION_RULE kBeta = {false, false, "b"};
} // namespace

TEST(ProgramVersion, EachRuleOverTheBlockAndTheBuildDate)
{
    const struct
    {
        const PROGRAM_VERSION_BLOCK* block;
        const PROGRAM_VERSION_RULE* rule;
        const char* date;
        const char* text;
    } cases[] = {
        {&kVersionBlock, &kFileMajor, "Oct 15 2021", "3.21.10.15"},
        {&kVersionBlock, &kProductMajor, "Oct 15 2021", "7.21.10.15"},
        {nullptr, &kProductMajor, "Oct 15 2021", "0.21.10.15"}, // no version block
        {&kVersionBlock, &kProductMajor, "Jan  5 2026", "7.26.1.5"},   // the compiler pads a one-digit day
        {&kVersionBlock, &kTwoDigits, "Jan  5 2026", "7.26.01.05"},
        {nullptr, &kTwoDigits, "Dec 31 2099", "0.99.12.31"},
        {&kVersionBlock, &kBeta, "Jan  5 2009", "3.9.1.5b "},
        {&kVersionBlock, &kProductMajor, "not a date", "7.0.0.0"},
        {&kVersionBlock, &kProductMajor, nullptr, nullptr}, // this build's own date
    };
    for (const auto& c : cases)
    {
        const CString text = GetProgramVersion(c.block, *c.rule, c.date);
        if (c.text)
        {
            EXPECT_STREQ(text, c.text) << (c.date ? c.date : "");
            continue;
        }
        int major = 0, year = 0, month = 0, day = 0;
        ASSERT_EQ(std::sscanf(text, "%d.%d.%d.%d", &major, &year, &month, &day), 4) << (LPCSTR)text;
        EXPECT_EQ(major, 7);
        EXPECT_GE(year, 24);
        EXPECT_TRUE(month >= 1 && month <= 12);
        EXPECT_TRUE(day >= 1 && day <= 31);
    }
}

TEST(ProgramVersion, FileVersionTextMarksAPreRelease)
{
    EXPECT_STREQ(GetFileVersionText(&kVersionBlock), "3.4.5.6");
    PROGRAM_VERSION_BLOCK beta = kVersionBlock;
    beta.preRelease = true;
    EXPECT_STREQ(GetFileVersionText(&beta), "3.4.5.6 (BETA)");
    EXPECT_STREQ(GetFileVersionText(nullptr), "");
}

TEST(ProgramVersion, StringValuesAreFoundThroughTheLanguageFallback)
{
    const PROGRAM_VERSION_STRING strings[] = {{"CompanyName", "Maker"}, {"Telephone", "+44 1224 000000"},
                                              {"Comments", nullptr}, {nullptr, nullptr}};
    PROGRAM_VERSION_BLOCK block = kBlock;
    block.strings = strings;
    const struct
    {
        WORD language;
        const char* key;
        const char* value;
    } cases[] = {
        {0x0809, "CompanyName", "Maker"},
        {0x0409, "Telephone", "+44 1224 000000"}, // the last language tried
        {0x0400, "CompanyName", "Maker"},         // the first
        {0x0809, "WebURL", ""},                   // not in the table
        {0x0809, "Comments", ""},                 // in it without a value
        {0x0809, "companyname", ""},              // keys are matched exactly
        {0x0407, "CompanyName", ""},              // a table in no language of the fallback
    };
    for (const auto& c : cases)
    {
        block.language = c.language;
        EXPECT_STREQ(QueryVersionString(&block, c.key), c.value) << c.language << " " << c.key;
    }
    EXPECT_STREQ(QueryVersionString(&kBlock, "CompanyName"), ""); // a block without a table
    EXPECT_STREQ(QueryVersionString(nullptr, "CompanyName"), "");
}

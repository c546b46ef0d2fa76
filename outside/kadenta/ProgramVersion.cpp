#include "outside/kadenta/ProgramVersion.h"

#include <cstdio>
#include <cstring>

// A reproducible build passes its date in the compiler's form; otherwise the compiler's own.
#ifndef KADENTA_BUILD_DATE
#define KADENTA_BUILD_DATE __DATE__
#endif

bool ReadBuildDate(const char* buildDate, int& year, int& month, int& day)
{
    static const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char name[16] = {};
    year = 2000;
    month = 0;
    day = 0;
    if (!buildDate || std::sscanf(buildDate, "%15s %d %d", name, &day, &year) != 3)
    {
        year = 2000;
        day = 0;
        return false;
    }
    for (int i = 0; i < 12 && month == 0; ++i)
        if (std::strstr(name, kMonths[i]))
            month = i + 1;
    return true;
}

CString FormatVersionText(int major, int year, int month, int day, const PROGRAM_VERSION_RULE& rule)
{
    CString text;
    if (rule.twoDigitDate)
        text.Format("%d.%02d.%02d.%02d", major, year - 2000, month, day);
    else
        text.Format("%d.%d.%d.%d", major, year - 2000, month, day);
    if (rule.suffix && *rule.suffix)
    {
        text += rule.suffix;
        text += ' ';
    }
    return text;
}

CString GetProgramVersion(const PROGRAM_VERSION_BLOCK* block, const PROGRAM_VERSION_RULE& rule,
                          const char* buildDate)
{
    int major = 0;
    if (block)
        major = rule.productMajor ? block->productVersion[0] : block->fileVersion[0];
    int year = 0, month = 0, day = 0;
    ReadBuildDate(buildDate ? buildDate : GetBuildDate(), year, month, day);
    return FormatVersionText(major, year, month, day, rule);
}

CString GetFileVersionText(const PROGRAM_VERSION_BLOCK* block)
{
    CString text;
    if (!block)
        return text;
    text.Format("%d.%d.%d.%d", block->fileVersion[0], block->fileVersion[1], block->fileVersion[2],
                block->fileVersion[3]);
    if (block->preRelease)
        text += " (BETA)";
    return text;
}

CString QueryVersionString(const PROGRAM_VERSION_BLOCK* block, const char* key)
{
    CString value;
    if (!block || !block->strings || !key)
        return value;
    CString tableName;
    tableName.Format("\\StringFileInfo\\%04x%04x\\", block->language, 0x04B0);
    for (WORD language : {WORD(0x0400), WORD(0x0800), WORD(0x0809), WORD(0x0409)})
    {
        CString path;
        path.Format("\\StringFileInfo\\%04x%04x\\%s", language, 0x04B0, key);
        if (path.Left(tableName.GetLength()) != tableName)
            continue;
        for (const PROGRAM_VERSION_STRING* entry = block->strings; entry->key; ++entry)
            if (path.Mid(tableName.GetLength()) == entry->key)
                return CString(entry->value ? entry->value : "");
        return value;
    }
    return value;
}

namespace
{
const PROGRAM_VERSION_BLOCK* gRunningBlock = nullptr;
PROGRAM_VERSION_RULE gRunningRule = {false, false, nullptr};
} // namespace

void SetRunningProgramVersion(const PROGRAM_VERSION_BLOCK* block, const PROGRAM_VERSION_RULE& rule)
{
    gRunningBlock = block;
    gRunningRule = rule;
}

const PROGRAM_VERSION_BLOCK* GetRunningProgramBlock()
{
    return gRunningBlock;
}

CString GetRunningProgramVersion()
{
    return GetProgramVersion(gRunningBlock, gRunningRule);
}

const char* GetBuildDate()
{
    return KADENTA_BUILD_DATE;
}

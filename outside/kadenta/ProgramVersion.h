// The programs' version text: one routine for every program, fed with the program's own
// version block (the values a version resource would give; there are no version resources
// here) and the date the program was built.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

// One value of a version block's string table ("CompanyAddress", "Telephone", ...).
struct PROGRAM_VERSION_STRING
{
    const char* key;
    const char* value;
};

// A program's version block. The four-part versions are most significant first.
struct PROGRAM_VERSION_BLOCK
{
    const char* fileDescription;
    const char* internalName;
    const char* companyName;
    const char* productName;
    WORD fileVersion[4];
    WORD productVersion[4];
    bool preRelease; // the fixed file flags mark a pre-release
    // The string table's language (0x0809 United Kingdom English) and its values, ended by a
    // null key; a block without one answers every string query empty.
    WORD language = 0x0809;
    const PROGRAM_VERSION_STRING* strings = nullptr;
};

// Which major number leads a program's version text and how the date parts are written.
struct PROGRAM_VERSION_RULE
{
    bool productMajor;   // the product version's major (else the file version's)
    bool twoDigitDate;   // "%d.%02d.%02d.%02d" (else "%d.%d.%d.%d")
    const char* suffix;  // a build suffix ("b" for a beta): "%d.%d.%d.%d%s " when given
};

// Year, month (1..12) and day of a build date in the compiler's form "Oct 15 2021" (the month
// is the first of "Jan" .. "Dec" found in its name). False, with year 2000, month 0 and day 0,
// for a text that is not of that form; month 0 when no month name is found.
bool ReadBuildDate(const char* buildDate, int& year, int& month, int& day);

// "major.(year - 2000).month.day" by the rule's digits and suffix; `year` is the full year.
CString FormatVersionText(int major, int year, int month, int day, const PROGRAM_VERSION_RULE& rule);

// The version text of a program built on `buildDate` (null: the build date of this build, the
// reproducible one when the build fixed it). Without a block the major number is 0.
CString GetProgramVersion(const PROGRAM_VERSION_BLOCK* block, const PROGRAM_VERSION_RULE& rule,
                          const char* buildDate = nullptr);

// The block's file version "%d.%d.%d.%d", with " (BETA)" for a pre-release; empty without a
// block.
CString GetFileVersionText(const PROGRAM_VERSION_BLOCK* block);

// The value of `key` in the block's string table, looked up as a version resource is read:
// "\\StringFileInfo\\<language><code page 04b0>\\<key>" for the languages 0x0400, 0x0800, 0x0809
// and 0x0409 in this order until one answers. A block here holds only one string table, so
// the fallback has only that one to find: it is found when its language is one of the four.
// Empty without a block, without a table in one of those languages, or without the key.
CString QueryVersionString(const PROGRAM_VERSION_BLOCK* block, const char* key);

// The running program's block and rule, as its own version resource would be found: set once
// at start-up by the program; what the library's windows show (the splash) when they are not
// handed a version. Without one, a null block and the plain file-major rule.
void SetRunningProgramVersion(const PROGRAM_VERSION_BLOCK* block, const PROGRAM_VERSION_RULE& rule);
const PROGRAM_VERSION_BLOCK* GetRunningProgramBlock();
// GetProgramVersion of the running program's block and rule.
CString GetRunningProgramVersion();

// The compiler's date text of this build ("Mmm dd yyyy").
const char* GetBuildDate();

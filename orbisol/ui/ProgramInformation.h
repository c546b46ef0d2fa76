// What the solar program knows of itself: where it was started from, its version block's
// file version and string values, and the version text shown to the user. Gathered once per
// run; the About page reads it.
#pragma once

#include "outside/kadenta/ProgramVersion.h"
#include "platform/core/String.h"

struct PROGRAM_INFORMATION
{
    CString strModuleFolder; // drive and folder of the program file, with its trailing '\\'
    CString strModuleTitle;  // the program file's name without folder and extension
    CString strVersion;      // the file version "%d.%d.%d.%d", " (BETA)" for a pre-release
    CString strProductName;
    CString strCompanyName;
    CString strCompanyAddress;
    CString strWebAddress;
    CString strWebURL;
    CString strEmailAddress;
    CString strEmailURL;
    CString strTelephone;
    CString strLegalCopyright;
    CString strComments;
    CString strSpecialBuild;
};

// Fills `info` from the program file's (Windows) path and its version block. Without a block
// the version text and every string value are empty.
void ReadProgramInformation(const char* modulePath, const PROGRAM_VERSION_BLOCK* block, PROGRAM_INFORMATION& info);

// The running program's information, gathered on the first call (skipped after that once the
// product name and the file title are known).
const PROGRAM_INFORMATION& GetProgramInformation();

// The version text the user sees, "%d.%02d.%02d.%02d": the product version's major, then the
// build date's year - 2000, month and day (`buildDate` in the compiler's "Oct 18 2021" form;
// null: this build's own date). Major 0 without a block.
CString FormatOrbisolVersion(const PROGRAM_VERSION_BLOCK* block, const char* buildDate = nullptr);

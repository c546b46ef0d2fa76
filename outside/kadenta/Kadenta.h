// The programs' about box: the program's name, its version text and the company that keeps
// the program's settings, shown modally (through the modal hook in tests).
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

// Template and item ids of the about box.
enum
{
    IDD_KADENTA_ABOUT = 29201,
    IDC_KADENTA_PROGRAM = 29202,
    IDC_KADENTA_VERSION = 29203,
    IDC_KADENTA_COMPANY = 29204
};

// Shows the about box for the version text (e.g. "1.25.12.10") until the user closes it, or,
// with bAutoClose, until it closes itself after a few seconds as a start-up notice does.
// The program name is the application's name; the company line is the application's
// registry key (left out when it has none). Returns how the box ended (IDOK, IDCANCEL).
INT_PTR DisplayAboutBox(const char* version, bool bAutoClose);

// The texts the box shows, for the version text: "<program>", "Version <version>" and the
// company line.
void GetAboutBoxTexts(const char* version, CString& program, CString& versionLine, CString& company);

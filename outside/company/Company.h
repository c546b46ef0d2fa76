// Run-time loading of the company's contact-details library: the library is looked up by
// name when the user asks for the contact details, so that a program runs the same with or
// without it.
#pragma once

#include "platform/core/String.h"

// The library the loader opens: $SUITE_COMPANY_LIBRARY when set (a Linux path or a bare name
// the dynamic loader searches for), else "libCompany.so" beside the program when it is there,
// else the bare name "libCompany.so" for the loader's own search path.
CString GetCompanyLibraryName();

// Opens the library, looks up its export "DisplayContactDetails" (no arguments, no result),
// calls it, and closes the library again. True when the function ran; false, with nothing
// shown, when the library or its export is missing.
bool DisplayCompanyContactDetails();

// The suite's message boxes: errors, warnings, information and yes/no questions, each shown
// over the message-box layer (so tests answer them through the modal hook).
#pragma once

#include "platform/core/WinTypes.h"

class CWnd;

// The style's icon and button bits (MB_*) are used when it has any; otherwise each call's own
// icon (error, warning, information, question) and buttons (OK, or Yes/No) apply. The caption is
// the application's name. Each returns the button chosen (IDOK, IDYES = 6, IDNO = 7, ...).
PLATFORM_API int ErrorMessage(const char* text, CWnd* pParent = nullptr, unsigned style = 0x300010);
PLATFORM_API int WarningMessage(const char* text, CWnd* pParent = nullptr, unsigned style = 0x300030);
PLATFORM_API int InformationBox(const char* caption, const char* text, CWnd* pParent = nullptr,
                                unsigned style = 0x300040);
PLATFORM_API int InformationBox(const char* text, CWnd* pParent = nullptr, unsigned style = 0x300040);
PLATFORM_API int GetYN(const char* text, CWnd* pParent = nullptr, unsigned style = 0x300020);

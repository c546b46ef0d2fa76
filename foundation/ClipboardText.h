// The clipboard's text, for the edit controls that check a paste before they let it in.
#pragma once

#include "platform/core/String.h"

// The clipboard's CF_TEXT (Windows-1252); empty when there is none or the clipboard is busy.
CString GetClipboardText(HWND owner = nullptr);

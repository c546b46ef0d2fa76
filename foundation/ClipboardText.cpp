#include "foundation/ClipboardText.h"

#include "platform/ui/Clipboard.h"

CString GetClipboardText(HWND owner)
{
    CString text;
    if (!OpenClipboard(owner))
        return text;
    if (HANDLE data = GetClipboardData(CF_TEXT))
    {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data)))
        {
            text = bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

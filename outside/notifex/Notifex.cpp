#include "outside/notifex/Notifex.h"

#include "platform/ui/MessageBox.h"
#include "platform/ui/Wnd.h"

namespace
{
// The high bits of the callers' styles (0x300000) are the box's own placement flags; only the
// icon and button bits are the message-box layer's.
int Show(const char* text, const char* caption, CWnd* pParent, unsigned style, UINT icon, UINT buttons)
{
    UINT type = style & (MB_ICONMASK | MB_TYPEMASK | MB_DEFMASK);
    if ((type & MB_ICONMASK) == 0)
        type |= icon;
    if ((style & MB_TYPEMASK) == 0)
        type |= buttons;
    HWND hWnd = pParent ? pParent->GetSafeHwnd() : nullptr;
    return MessageBox(hWnd, text ? text : "", caption, type);
}
} // namespace

int ErrorMessage(const char* text, CWnd* pParent, unsigned style)
{
    return Show(text, nullptr, pParent, style, MB_ICONERROR, MB_OK);
}

int WarningMessage(const char* text, CWnd* pParent, unsigned style)
{
    return Show(text, nullptr, pParent, style, MB_ICONWARNING, MB_OK);
}

int InformationBox(const char* caption, const char* text, CWnd* pParent, unsigned style)
{
    return Show(text, caption, pParent, style, MB_ICONINFORMATION, MB_OK);
}

int InformationBox(const char* text, CWnd* pParent, unsigned style)
{
    return Show(text, nullptr, pParent, style, MB_ICONINFORMATION, MB_OK);
}

int GetYN(const char* text, CWnd* pParent, unsigned style)
{
    // A question always offers Yes and No: the callers act only on Yes (6).
    return Show(text, nullptr, pParent, (style & ~MB_TYPEMASK) | MB_YESNO, MB_ICONQUESTION, MB_YESNO);
}

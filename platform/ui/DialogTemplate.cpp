#include "platform/ui/DialogTemplate.h"

#include "platform/ui/Dc.h"
#include "platform/ui/Font.h"

#include <map>

namespace
{
std::map<UINT, const DLGTEMPLATE_TABLE*>& Templates()
{
    static auto* templates = new std::map<UINT, const DLGTEMPLATE_TABLE*>;
    return *templates;
}

int MulDivRound(int value, int numerator, int denominator)
{
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}
} // namespace

void AfxRegisterDialogTemplate(const DLGTEMPLATE_TABLE* pTemplate)
{
    if (pTemplate)
        Templates()[pTemplate->id] = pTemplate;
}

const DLGTEMPLATE_TABLE* AfxFindDialogTemplate(UINT nIDTemplate)
{
    auto it = Templates().find(nIDTemplate);
    return it == Templates().end() ? nullptr : it->second;
}

const char* AfxDialogItemClass(const DLGITEM_TABLE& item)
{
    switch (item.kind)
    {
    case DLGI_LTEXT:
    case DLGI_CTEXT:
    case DLGI_RTEXT:
        return WC_STATIC;
    case DLGI_PUSHBUTTON:
    case DLGI_DEFPUSHBUTTON:
    case DLGI_CHECKBOX:
    case DLGI_AUTOCHECKBOX:
    case DLGI_RADIOBUTTON:
    case DLGI_AUTORADIOBUTTON:
    case DLGI_GROUPBOX:
        return WC_BUTTON;
    case DLGI_EDITTEXT:
        return WC_EDIT;
    case DLGI_COMBOBOX:
        return WC_COMBOBOX;
    case DLGI_LISTBOX:
        return WC_LISTBOX;
    case DLGI_PROGRESS:
        return PROGRESS_CLASS;
    case DLGI_SLIDER:
        return TRACKBAR_CLASS;
    case DLGI_SPIN:
        return UPDOWN_CLASS;
    case DLGI_CONTROL:
    default:
        return item.className ? item.className : WC_STATIC;
    }
}

DWORD AfxDialogItemStyle(const DLGITEM_TABLE& item)
{
    DWORD base = 0;
    switch (item.kind)
    {
    case DLGI_LTEXT:
        base = SS_LEFT | WS_GROUP;
        break;
    case DLGI_CTEXT:
        base = SS_CENTER | WS_GROUP;
        break;
    case DLGI_RTEXT:
        base = SS_RIGHT | WS_GROUP;
        break;
    case DLGI_PUSHBUTTON:
        base = BS_PUSHBUTTON | WS_TABSTOP;
        break;
    case DLGI_DEFPUSHBUTTON:
        base = BS_DEFPUSHBUTTON | WS_TABSTOP;
        break;
    case DLGI_CHECKBOX:
        base = BS_CHECKBOX | WS_TABSTOP;
        break;
    case DLGI_AUTOCHECKBOX:
        base = BS_AUTOCHECKBOX | WS_TABSTOP;
        break;
    case DLGI_RADIOBUTTON:
        base = BS_RADIOBUTTON;
        break;
    case DLGI_AUTORADIOBUTTON:
        base = BS_AUTORADIOBUTTON;
        break;
    case DLGI_GROUPBOX:
        base = BS_GROUPBOX;
        break;
    case DLGI_EDITTEXT:
        base = ES_LEFT | WS_BORDER | WS_TABSTOP;
        break;
    case DLGI_COMBOBOX:
        base = WS_TABSTOP;
        if ((item.style & 0x3u) == 0)
            base |= CBS_SIMPLE;
        break;
    case DLGI_LISTBOX:
        base = LBS_NOTIFY | WS_BORDER;
        break;
    case DLGI_PROGRESS:
        base = WS_BORDER;
        break;
    case DLGI_SLIDER:
        base = WS_TABSTOP;
        break;
    case DLGI_SPIN:
    case DLGI_CONTROL:
    default:
        break;
    }
    return base | item.style | WS_CHILD | WS_VISIBLE;
}

CSize AfxDialogBaseUnits(const char* fontFace, int pointSize)
{
    CDC dc;
    if (!dc.CreateDC("DISPLAY", nullptr, nullptr, nullptr))
        return CSize(6, 13);
    CFont font;
    if (!font.CreatePointFont((pointSize > 0 ? pointSize : 8) * 10,
                              fontFace && *fontFace ? fontFace : "MS Shell Dlg", &dc))
        return CSize(6, 13);
    CFont* old = dc.SelectObject(&font);
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const CSize extent = dc.GetTextExtent(kAlphabet, 52);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(old);
    // The average width of the alphabet, rounded, as Windows measures a dialog font.
    const int cx = (extent.cx / 26 + 1) / 2;
    return CSize(cx > 0 ? cx : 6, tm.tmHeight > 0 ? tm.tmHeight : 13);
}

void AfxMapDialogRect(LPRECT lpRect, CSize baseUnits)
{
    if (!lpRect)
        return;
    lpRect->left = MulDivRound(lpRect->left, baseUnits.cx, 4);
    lpRect->right = MulDivRound(lpRect->right, baseUnits.cx, 4);
    lpRect->top = MulDivRound(lpRect->top, baseUnits.cy, 8);
    lpRect->bottom = MulDivRound(lpRect->bottom, baseUnits.cy, 8);
}

// Dialog templates as C++ tables, in place of resource scripts: the dialog (id, caption, font,
// size in dialog units, style) and its items (kind, id, text, rectangle in dialog units,
// style), registered by id so that CDialog(IDD_...) finds them.
//
//     static const DLGITEM_TABLE kOptionsItems[] = {
//         {DLGI_LTEXT, IDC_STATIC, "Name:", 7, 9, 40, 8},
//         {DLGI_EDITTEXT, IDC_NAME, "", 50, 7, 100, 14, ES_AUTOHSCROLL},
//         {DLGI_DEFPUSHBUTTON, IDOK, "OK", 50, 30, 50, 14},
//         {DLGI_PUSHBUTTON, IDCANCEL, "Cancel", 104, 30, 50, 14},
//     };
//     static const DLGTEMPLATE_TABLE kOptions = {IDD_OPTIONS, "Options", "MS Shell Dlg", 8,
//         0, 0, 160, 50, DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
//         kOptionsItems, AFX_DLGITEM_COUNT(kOptionsItems)};
//     static CDialogTemplateRegistrar registerOptions(&kOptions);
//
// Each kind brings the window class and the styles a resource script gives it (a push
// button has BS_PUSHBUTTON | WS_TABSTOP, an edit WS_BORDER | WS_TABSTOP...); the item's style
// is added to them, and every item is WS_CHILD | WS_VISIBLE. DLGI_CONTROL takes the class
// name and the whole style from the item.
//
// Dialog units: a horizontal unit is a quarter of the dialog font's average character width,
// a vertical unit an eighth of its height, so a dialog keeps its proportions with whatever
// installed font stands for the one it names.
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/ui/WndMessages.h"

// Dialog styles.
#define DS_ABSALIGN 0x01u
#define DS_SYSMODAL 0x02u
#define DS_3DLOOK 0x04u
#define DS_FIXEDSYS 0x08u
#define DS_NOFAILCREATE 0x10u
#define DS_LOCALEDIT 0x20u
#define DS_SETFONT 0x40u
#define DS_MODALFRAME 0x80u
#define DS_NOIDLEMSG 0x100u
#define DS_SETFOREGROUND 0x200u
#define DS_CONTROL 0x400u
#define DS_CENTER 0x800u
#define DS_CENTERMOUSE 0x1000u
#define DS_CONTEXTHELP 0x2000u
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)

// The id of items that nothing refers to.
#define IDC_STATIC (-1)

enum DLGITEM_KIND
{
    DLGI_LTEXT,
    DLGI_CTEXT,
    DLGI_RTEXT,
    DLGI_PUSHBUTTON,
    DLGI_DEFPUSHBUTTON,
    DLGI_CHECKBOX,
    DLGI_AUTOCHECKBOX,
    DLGI_RADIOBUTTON,
    DLGI_AUTORADIOBUTTON,
    DLGI_GROUPBOX,
    DLGI_EDITTEXT,
    DLGI_COMBOBOX,
    DLGI_LISTBOX,
    DLGI_PROGRESS,
    DLGI_SLIDER,
    DLGI_SPIN,
    DLGI_CONTROL // any window class, by name
};

struct DLGITEM_TABLE
{
    DLGITEM_KIND kind;
    int id;
    const char* text;
    int x;
    int y;
    int cx;
    int cy;
    DWORD style = 0;
    DWORD exStyle = 0;
    const char* className = nullptr; // DLGI_CONTROL only
};

struct DLGTEMPLATE_TABLE
{
    UINT id;
    const char* caption;
    const char* fontFace; // null: "MS Shell Dlg"
    int pointSize;        // 0: 8
    int x;
    int y;
    int cx;
    int cy;
    DWORD style;
    DWORD exStyle;
    const DLGITEM_TABLE* items;
    int itemCount;
};

#define AFX_DLGITEM_COUNT(items) static_cast<int>(sizeof(items) / sizeof((items)[0]))

// Registers a template (kept by pointer: a static table). A later one of the same id
// replaces it.
PLATFORM_API void AfxRegisterDialogTemplate(const DLGTEMPLATE_TABLE* pTemplate);
// The template of an id; null when none is registered.
PLATFORM_API const DLGTEMPLATE_TABLE* AfxFindDialogTemplate(UINT nIDTemplate);

struct CDialogTemplateRegistrar
{
    explicit CDialogTemplateRegistrar(const DLGTEMPLATE_TABLE* pTemplate)
    {
        AfxRegisterDialogTemplate(pTemplate);
    }
};

// The window class and the full style of an item.
PLATFORM_API const char* AfxDialogItemClass(const DLGITEM_TABLE& item);
PLATFORM_API DWORD AfxDialogItemStyle(const DLGITEM_TABLE& item);
// The dialog base units of a font: cx the average character width, cy the character height,
// in pixels (what 4 horizontal and 8 vertical dialog units come to).
PLATFORM_API CSize AfxDialogBaseUnits(const char* fontFace, int pointSize);
// Converts a rectangle from dialog units to pixels with the base units.
PLATFORM_API void AfxMapDialogRect(LPRECT lpRect, CSize baseUnits);

// What the geodesy editors share: telling the program that the geodetic settings changed, and
// the dialog of the editors that choose from two lists (projection type and zone, datum method
// and transformation).
#pragma once

#include "platform/core/String.h"
#include "outside/terralin/TerralinResources.h"
#include "platform/ui/DialogTemplate.h"

#include <array>

class CButton;
class CComboBox;
class CDataExchange;
class CWnd;

// Posts UM_GEODETIC_UPDATE to the application's main window (to `fallback` when there is
// none), so the program reloads the settings the editor saved.
void PostGeodeticUpdate(CWnd* fallback);

// A list with its label, an entry list under it, an option box, three lines of details and
// OK/Cancel. The lists start at `fieldX` and are `fieldWidth` wide; the labels fill the room
// left of them (dialog units).
using ChoiceDialogItems = std::array<DLGITEM_TABLE, 10>;
constexpr ChoiceDialogItems MakeChoiceDialogItems(const char* listLabel, const char* entryLabel,
                                                  const char* optionText, int fieldX, int fieldWidth)
{
    const int right = fieldX + fieldWidth;
    const int detailsWidth = right - 7;
    return {{
        {DLGI_LTEXT, IDC_STATIC, listLabel, 7, 9, fieldX - 10, 8},
        {DLGI_COMBOBOX, IDC_TERRALIN_LIST, "", fieldX, 7, fieldWidth, 150,
         CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
        {DLGI_LTEXT, IDC_STATIC, entryLabel, 7, 27, fieldX - 10, 8},
        {DLGI_COMBOBOX, IDC_TERRALIN_ENTRY, "", fieldX, 25, fieldWidth, 150,
         CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
        {DLGI_AUTOCHECKBOX, IDC_TERRALIN_OPTION, optionText, fieldX, 43, 150, 10, WS_TABSTOP},
        {DLGI_LTEXT, IDC_TERRALIN_DETAILS_1, "", 7, 60, detailsWidth, 8},
        {DLGI_LTEXT, IDC_TERRALIN_DETAILS_2, "", 7, 72, detailsWidth, 8},
        {DLGI_LTEXT, IDC_TERRALIN_DETAILS_3, "", 7, 84, detailsWidth, 8},
        {DLGI_DEFPUSHBUTTON, IDOK, "OK", right - 104, 102, 50, 14, WS_GROUP},
        {DLGI_PUSHBUTTON, IDCANCEL, "Cancel", right - 50, 102, 50, 14},
    }};
}

// The modal dialog round those items, as wide as they need.
constexpr DLGTEMPLATE_TABLE MakeChoiceDialogTemplate(UINT id, const char* caption,
                                                     const ChoiceDialogItems& items)
{
    const DLGITEM_TABLE& list = items[1];
    return {id,
            caption,
            "MS Shell Dlg",
            8,
            0,
            0,
            list.x + list.cx + 7,
            123,
            DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
            0,
            items.data(),
            static_cast<int>(items.size())};
}

// Ties the choice dialog's list, entry list and option box to their controls.
void ExchangeChoiceControls(CDataExchange* pDX, CComboBox& list, CComboBox& entry, CButton& option);
// Shows the three lines of details.
void ShowChoiceDetails(CWnd& dialog, const CString& line1, const CString& line2, const CString& line3);

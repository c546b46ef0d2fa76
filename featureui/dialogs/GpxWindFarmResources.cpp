#include "featureui/dialogs/GpxWindFarmResources.h"

#include "platform/ui/ComboBox.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/Wnd.h"

namespace
{
const DWORD kStyle = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
const DWORD kColourCombo = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
const DWORD kList = LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | WS_BORDER | WS_TABSTOP;

const DLGITEM_TABLE kGpxTracksItems[] = {
    {DLGI_CONTROL, IDC_GPX_TRACK_COLOUR, "", 7, 7, 113, 313, kColourCombo, 0, WC_COMBOBOXEX},
    {DLGI_AUTOCHECKBOX, IDC_GPX_SHOW_DOTS, "Show Dots", 126, 7, 54, 12},
    {DLGI_CONTROL, IDC_LIST1, "", 7, 24, 173, 220, kList, 0, WC_LISTVIEW},
    {DLGI_PUSHBUTTON, IDC_GPX_SELECT_ALL, "Select ALL", 7, 251, 50, 14},
    {DLGI_DEFPUSHBUTTON, IDOK, "OK", 130, 251, 50, 14},
};
const DLGTEMPLATE_TABLE kGpxTracks = {IDD_GPX_TRACKS, "GPX Tracks Display", "MS Shell Dlg", 8, 0, 0, 187, 272,
                                      kStyle, 0, kGpxTracksItems, AFX_DLGITEM_COUNT(kGpxTracksItems)};

const DLGITEM_TABLE kGpxTracksDisplayItems[] = {
    {DLGI_LTEXT, IDC_STATIC, "Track", 146, 9, 20, 8},
    {DLGI_COMBOBOX, IDC_GPX_TRACK_SELECT, "", 168, 7, 131, 120, CBS_DROPDOWNLIST | WS_VSCROLL},
    {DLGI_CONTROL, IDC_LIST1, "", 7, 24, 431, 126, kList, 0, WC_LISTVIEW},
    {DLGI_DEFPUSHBUTTON, IDOK, "OK", 389, 154, 50, 14},
};
const DLGTEMPLATE_TABLE kGpxTracksDisplay = {IDD_GPX_TRACKS_DISPLAY, "Dialog", "MS Shell Dlg", 8, 0, 0, 445, 176,
                                             kStyle, 0, kGpxTracksDisplayItems,
                                             AFX_DLGITEM_COUNT(kGpxTracksDisplayItems)};

const DLGITEM_TABLE kTurbinesItems[] = {
    {DLGI_CONTROL, IDC_LIST1, "", 7, 7, 545, 203, kList, 0, WC_LISTVIEW},
    {DLGI_LTEXT, IDC_STATIC, "Remarks", 7, 214, 60, 8},
    {DLGI_EDITTEXT, IDC_WIND_FARM_REMARKS, "", 7, 224, 545, 37, ES_MULTILINE | ES_READONLY | WS_VSCROLL},
    {DLGI_DEFPUSHBUTTON, IDOK, "OK", 502, 264, 50, 14},
};
const DLGTEMPLATE_TABLE kTurbines = {IDD_WIND_FARM_TURBINES, "Wind Farm Name", "MS Shell Dlg", 8, 0, 0, 559, 285,
                                     kStyle, 0, kTurbinesItems, AFX_DLGITEM_COUNT(kTurbinesItems)};

const DLGITEM_TABLE kWindFarmItems[] = {
    {DLGI_GROUPBOX, IDC_STATIC, "Wind Farm", 3, 5, 134, 71},
    {DLGI_AUTOCHECKBOX, IDC_WIND_FARM_DISPLAY_BOUNDARY, "Display Boundary", 10, 18, 120, 10},
    {DLGI_CONTROL, IDC_WIND_FARM_BOUNDARY_COLOUR, "", 10, 34, 120, 200, kColourCombo, 0, WC_COMBOBOXEX},
    {DLGI_AUTOCHECKBOX, IDC_WIND_FARM_LABEL_NAME, "Label Name", 10, 58, 120, 10},
    {DLGI_GROUPBOX, IDC_STATIC, "Turbines", 142, 5, 134, 71},
    {DLGI_AUTOCHECKBOX, IDC_WIND_FARM_DISPLAY_TURBINES, "Display Turbines", 149, 18, 120, 10},
    {DLGI_CONTROL, IDC_WIND_FARM_TURBINE_COLOUR, "", 149, 34, 120, 200, kColourCombo, 0, WC_COMBOBOXEX},
    {DLGI_AUTOCHECKBOX, IDC_WIND_FARM_LABEL_TURBINE, "Label Turbine", 149, 58, 120, 10},
    {DLGI_DEFPUSHBUTTON, IDOK, "OK", 176, 82, 50, 14},
    {DLGI_PUSHBUTTON, IDCANCEL, "Cancel", 226, 82, 50, 14},
};
const DLGTEMPLATE_TABLE kWindFarm = {IDD_WIND_FARM, "Wind Farm", "MS Shell Dlg", 8, 0, 0, 283, 103,
                                     kStyle, 0, kWindFarmItems, AFX_DLGITEM_COUNT(kWindFarmItems)};

const DLGITEM_TABLE kFindWindFarmItems[] = {
    {DLGI_LISTBOX, IDC_LIST1, "", 7, 7, 135, 180, LBS_SORT | LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP},
    {DLGI_DEFPUSHBUTTON, IDOK, "Find", 7, 194, 50, 14},
    {DLGI_PUSHBUTTON, IDCANCEL, "Cancel", 92, 194, 50, 14},
};
const DLGTEMPLATE_TABLE kFindWindFarm = {IDD_FIND_WIND_FARM, "Find Wind Farm", "MS Shell Dlg", 8, 0, 0, 149, 215,
                                         kStyle, 0, kFindWindFarmItems, AFX_DLGITEM_COUNT(kFindWindFarmItems)};
} // namespace

void RegisterGpxWindFarmTemplates()
{
    static const bool registered = [] {
        AfxRegisterDialogTemplate(&kGpxTracks);
        AfxRegisterDialogTemplate(&kGpxTracksDisplay);
        AfxRegisterDialogTemplate(&kTurbines);
        AfxRegisterDialogTemplate(&kWindFarm);
        AfxRegisterDialogTemplate(&kFindWindFarm);
        return true;
    }();
    (void)registered;
}

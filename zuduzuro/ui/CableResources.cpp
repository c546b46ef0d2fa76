#include "zuduzuro/ui/CableResources.h"

#include "platform/ui/DialogTemplate.h"

namespace
{
constexpr DWORD kStyle = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kDropList = 0x0003 | WS_VSCROLL; // CBS_DROPDOWNLIST
constexpr DWORD kReadOnly = 0x0800;              // ES_READONLY

const DLGITEM_TABLE kSetupItems[] = {
    {DLGI_LTEXT, IDC_STATIC, "Cable Type", 7, 9, 60, 8},
    {DLGI_EDITTEXT, IDC_CABLE_NAME, "", 72, 7, 120, 14, ES_AUTOHSCROLL},
    {DLGI_LTEXT, IDC_STATIC, "Input Mode", 7, 27, 60, 8},
    {DLGI_COMBOBOX, IDC_CABLE_INPUT_MODE, "", 72, 25, 60, 60, kDropList},
    {DLGI_LTEXT, IDC_STATIC, "Diameter", 7, 45, 60, 8},
    {DLGI_EDITTEXT, IDC_CABLE_DIAMETER, "", 72, 43, 60, 14, ES_AUTOHSCROLL},
    {DLGI_LTEXT, IDC_STATIC, "Weight In Air", 7, 63, 60, 8},
    {DLGI_EDITTEXT, IDC_CABLE_WEIGHT_IN_AIR, "", 72, 61, 60, 14, ES_AUTOHSCROLL},
    {DLGI_LTEXT, IDC_STATIC, "Weight In Water", 7, 81, 60, 8},
    {DLGI_EDITTEXT, IDC_CABLE_WEIGHT_IN_WATER, "", 72, 79, 60, 14, ES_AUTOHSCROLL},
    {DLGI_DEFPUSHBUTTON, IDOK, "OK", 88, 101, 50, 14},
    {DLGI_PUSHBUTTON, IDCANCEL, "Cancel", 142, 101, 50, 14},
};
const DLGTEMPLATE_TABLE kSetup = {IDD_CABLE_WEIGHT_SETUP, "Edit Anchor Cable", "MS Shell Dlg", 8, 0, 0, 199, 122,
                                  kStyle, 0, kSetupItems, AFX_DLGITEM_COUNT(kSetupItems)};

const DLGITEM_TABLE kCalculatorItems[] = {
    {DLGI_LTEXT, IDC_STATIC, "Diameter", 7, 9, 80, 8},
    {DLGI_EDITTEXT, IDC_CALC_DIAMETER, "", 92, 7, 70, 14, ES_AUTOHSCROLL},
    {DLGI_LTEXT, IDC_STATIC, "Weight In Air", 7, 27, 80, 8},
    {DLGI_EDITTEXT, IDC_CALC_WEIGHT_IN_AIR, "", 92, 25, 70, 14, ES_AUTOHSCROLL},
    {DLGI_LTEXT, IDC_STATIC, "Temperature", 7, 45, 80, 8},
    {DLGI_EDITTEXT, IDC_CALC_TEMPERATURE, "", 92, 43, 70, 14, ES_AUTOHSCROLL},
    {DLGI_LTEXT, IDC_STATIC, "Salinity", 7, 63, 80, 8},
    {DLGI_EDITTEXT, IDC_CALC_SALINITY, "", 92, 61, 70, 14, ES_AUTOHSCROLL},
    {DLGI_LTEXT, IDC_STATIC, "Cable Density", 7, 85, 80, 8},
    {DLGI_EDITTEXT, IDC_CALC_CABLE_DENSITY, "", 92, 83, 70, 14, kReadOnly},
    {DLGI_LTEXT, IDC_STATIC, "Fresh Water Density", 7, 103, 80, 8},
    {DLGI_EDITTEXT, IDC_CALC_FRESH_DENSITY, "", 92, 101, 70, 14, kReadOnly},
    {DLGI_LTEXT, IDC_STATIC, "Sea Water Density", 7, 121, 80, 8},
    {DLGI_EDITTEXT, IDC_CALC_SEA_DENSITY, "", 92, 119, 70, 14, kReadOnly},
    {DLGI_LTEXT, IDC_STATIC, "Weight In Fresh Water", 7, 139, 80, 8},
    {DLGI_EDITTEXT, IDC_CALC_FRESH_WEIGHT, "", 92, 137, 70, 14, kReadOnly},
    {DLGI_LTEXT, IDC_STATIC, "Weight In Sea Water", 7, 157, 80, 8},
    {DLGI_EDITTEXT, IDC_CALC_SEA_WEIGHT, "", 92, 155, 70, 14, kReadOnly},
    {DLGI_DEFPUSHBUTTON, IDOK, "OK", 112, 177, 50, 14},
};
const DLGTEMPLATE_TABLE kCalculator = {IDD_CABLE_WEIGHT_CALCULATOR,
                                       "Cable Weight Calculator",
                                       "MS Shell Dlg",
                                       8,
                                       0,
                                       0,
                                       169,
                                       198,
                                       kStyle,
                                       0,
                                       kCalculatorItems,
                                       AFX_DLGITEM_COUNT(kCalculatorItems)};
} // namespace

void RegisterCableTemplates()
{
    static const bool registered = [] {
        AfxRegisterDialogTemplate(&kSetup);
        AfxRegisterDialogTemplate(&kCalculator);
        return true;
    }();
    (void)registered;
}

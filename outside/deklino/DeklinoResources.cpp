#include "outside/deklino/DeklinoResources.h"

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Wnd.h"

namespace
{
const DWORD kDialogStyle = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;

// Position and date on top, then each quantity with its annual change, then the model and
// any warning.
const DLGITEM_TABLE kDeklinoItems[] = {
    {DLGI_LTEXT, IDC_STATIC, "Latitude", 7, 9, 56, 8},
    {DLGI_EDITTEXT, IDC_MV_LATITUDE, "", 66, 7, 100, 14, ES_AUTOHSCROLL},
    {DLGI_LTEXT, IDC_STATIC, "Longitude", 7, 27, 56, 8},
    {DLGI_EDITTEXT, IDC_MV_LONGITUDE, "", 66, 25, 100, 14, ES_AUTOHSCROLL},
    {DLGI_LTEXT, IDC_STATIC, "Height (m)", 7, 45, 56, 8},
    {DLGI_EDITTEXT, IDC_MV_HEIGHT, "", 66, 43, 100, 14, ES_AUTOHSCROLL},
    {DLGI_LTEXT, IDC_STATIC, "Date", 7, 63, 56, 8},
    {DLGI_EDITTEXT, IDC_MV_DATE, "", 66, 61, 100, 14, ES_AUTOHSCROLL},
    {DLGI_LTEXT, IDC_STATIC, "e.g. 10 Dec 2026 or 2026.94", 172, 63, 125, 8},
    {DLGI_DEFPUSHBUTTON, IDC_MV_CALCULATE, "Calculate", 247, 7, 50, 14},

    {DLGI_GROUPBOX, IDC_STATIC, "Magnetic Field", 7, 82, 290, 132},
    {DLGI_LTEXT, IDC_STATIC, "Annual Change", 200, 93, 90, 8},
    {DLGI_LTEXT, IDC_STATIC, "Declination", 14, 105, 80, 8},
    {DLGI_LTEXT, IDC_MV_DECLINATION, "", 96, 105, 100, 8},
    {DLGI_LTEXT, IDC_MV_DECLINATION_RATE, "", 200, 105, 90, 8},
    {DLGI_LTEXT, IDC_STATIC, "Inclination", 14, 117, 80, 8},
    {DLGI_LTEXT, IDC_MV_INCLINATION, "", 96, 117, 100, 8},
    {DLGI_LTEXT, IDC_MV_INCLINATION_RATE, "", 200, 117, 90, 8},
    {DLGI_LTEXT, IDC_STATIC, "Horizontal Intensity", 14, 129, 80, 8},
    {DLGI_LTEXT, IDC_MV_HORIZONTAL, "", 96, 129, 100, 8},
    {DLGI_LTEXT, IDC_MV_HORIZONTAL_RATE, "", 200, 129, 90, 8},
    {DLGI_LTEXT, IDC_STATIC, "Total Intensity", 14, 141, 80, 8},
    {DLGI_LTEXT, IDC_MV_TOTAL, "", 96, 141, 100, 8},
    {DLGI_LTEXT, IDC_MV_TOTAL_RATE, "", 200, 141, 90, 8},
    {DLGI_LTEXT, IDC_STATIC, "North Component", 14, 153, 80, 8},
    {DLGI_LTEXT, IDC_MV_NORTH, "", 96, 153, 100, 8},
    {DLGI_LTEXT, IDC_MV_NORTH_RATE, "", 200, 153, 90, 8},
    {DLGI_LTEXT, IDC_STATIC, "East Component", 14, 165, 80, 8},
    {DLGI_LTEXT, IDC_MV_EAST, "", 96, 165, 100, 8},
    {DLGI_LTEXT, IDC_MV_EAST_RATE, "", 200, 165, 90, 8},
    {DLGI_LTEXT, IDC_STATIC, "Down Component", 14, 177, 80, 8},
    {DLGI_LTEXT, IDC_MV_DOWN, "", 96, 177, 100, 8},
    {DLGI_LTEXT, IDC_MV_DOWN_RATE, "", 200, 177, 90, 8},
    {DLGI_LTEXT, IDC_STATIC, "Grid Variation", 14, 189, 80, 8},
    {DLGI_LTEXT, IDC_MV_GRID_VARIATION, "", 96, 189, 100, 8},
    {DLGI_LTEXT, IDC_MV_GRID, "", 200, 189, 90, 8},

    {DLGI_LTEXT, IDC_MV_MODEL, "", 7, 220, 290, 8},
    {DLGI_LTEXT, IDC_MV_WARNING, "", 7, 232, 290, 26},
    {DLGI_PUSHBUTTON, IDCANCEL, "Close", 247, 262, 50, 14},
};
const DLGTEMPLATE_TABLE kDeklino = {IDD_DEKLINO,
                                    "Magnetic Variation",
                                    "MS Shell Dlg",
                                    8,
                                    0,
                                    0,
                                    304,
                                    283,
                                    kDialogStyle,
                                    0,
                                    kDeklinoItems,
                                    AFX_DLGITEM_COUNT(kDeklinoItems)};

const DLGITEM_TABLE kSplashItems[] = {
    {DLGI_CTEXT, IDC_SPLASH_TITLE, "Magnetic Variation", 7, 7, 226, 14},
    {DLGI_CTEXT, IDC_SPLASH_MODEL, "", 7, 28, 226, 8},
    {DLGI_CTEXT, IDC_SPLASH_VALIDITY, "", 7, 40, 226, 8},
    {DLGI_CTEXT, IDC_SPLASH_SOURCE, "", 7, 52, 226, 8},
    {DLGI_CTEXT, IDC_SPLASH_WARNING, "", 7, 68, 226, 26},
};
const DLGTEMPLATE_TABLE kSplash = {IDD_MAGVAR_SPLASH,
                                   "Magnetic Variation",
                                   "MS Shell Dlg",
                                   8,
                                   0,
                                   0,
                                   240,
                                   100,
                                   DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_BORDER,
                                   0,
                                   kSplashItems,
                                   AFX_DLGITEM_COUNT(kSplashItems)};
} // namespace

void RegisterDeklinoTemplates()
{
    static const bool registered = [] {
        AfxRegisterDialogTemplate(&kDeklino);
        AfxRegisterDialogTemplate(&kSplash);
        return true;
    }();
    (void)registered;
}

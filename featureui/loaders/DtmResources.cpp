#include "featureui/loaders/DtmResources.h"

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Wnd.h"

namespace
{
const DWORD kStyle = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;

const DLGITEM_TABLE kLoadDtmItems[] = {
    {DLGI_CTEXT, IDC_DTM_STATUS, "0 Bytes of 0 Bytes", 7, 7, 224, 8},
    {DLGI_PROGRESS, IDC_DTM_LOAD_PROGRESS, "", 7, 21, 168, 14},
    {DLGI_PUSHBUTTON, IDCANCEL, "Quit", 181, 21, 50, 14},
};
const DLGTEMPLATE_TABLE kLoadDtm = {IDD_LOAD_DTM, "Loading DTM.........", "MS Shell Dlg", 8, 0, 0, 238, 42,
                                   kStyle, 0, kLoadDtmItems, AFX_DLGITEM_COUNT(kLoadDtmItems)};

// Easting on the left, northing on the right: a label and its value on each line.
const DLGITEM_TABLE kImportDtmItems[] = {
    {DLGI_LTEXT, IDC_STATIC, "Min Eng", 7, 7, 40, 8},
    {DLGI_LTEXT, IDC_DTM_MIN_ENG, "", 48, 7, 55, 8},
    {DLGI_LTEXT, IDC_STATIC, "Min Nng", 110, 7, 40, 8},
    {DLGI_LTEXT, IDC_DTM_MIN_NNG, "", 151, 7, 55, 8},
    {DLGI_LTEXT, IDC_STATIC, "Max Eng", 7, 21, 40, 8},
    {DLGI_LTEXT, IDC_DTM_MAX_ENG, "", 48, 21, 55, 8},
    {DLGI_LTEXT, IDC_STATIC, "Max Nng", 110, 21, 40, 8},
    {DLGI_LTEXT, IDC_DTM_MAX_NNG, "", 151, 21, 55, 8},
    {DLGI_LTEXT, IDC_STATIC, "Step", 7, 35, 40, 8},
    {DLGI_LTEXT, IDC_DTM_STEP_E, "", 48, 35, 55, 8},
    {DLGI_LTEXT, IDC_STATIC, "Step", 110, 35, 40, 8},
    {DLGI_LTEXT, IDC_DTM_STEP_N, "", 151, 35, 55, 8},
    {DLGI_LTEXT, IDC_STATIC, "dE", 7, 49, 40, 8},
    {DLGI_LTEXT, IDC_DTM_DE, "", 48, 49, 55, 8},
    {DLGI_LTEXT, IDC_STATIC, "dN", 110, 49, 40, 8},
    {DLGI_LTEXT, IDC_DTM_DN, "", 151, 49, 55, 8},
    {DLGI_LTEXT, IDC_STATIC, "Max X", 7, 63, 40, 8},
    {DLGI_LTEXT, IDC_DTM_MAX_X, "", 48, 63, 55, 8},
    {DLGI_LTEXT, IDC_STATIC, "Max Y", 110, 63, 40, 8},
    {DLGI_LTEXT, IDC_DTM_MAX_Y, "", 151, 63, 55, 8},
    {DLGI_LTEXT, IDC_STATIC, "Min Depth", 7, 77, 40, 8},
    {DLGI_LTEXT, IDC_DTM_MIN_DEPTH, "", 48, 77, 55, 8},
    {DLGI_LTEXT, IDC_STATIC, "Max Depth", 110, 77, 40, 8},
    {DLGI_LTEXT, IDC_DTM_MAX_DEPTH, "", 151, 77, 55, 8},
    {DLGI_PROGRESS, IDC_DTM_PROGRESS, "", 7, 95, 200, 10},
    {DLGI_PUSHBUTTON, IDCANCEL, "Quit", 82, 110, 50, 14},
};
const DLGTEMPLATE_TABLE kImportDtm = {IDD_IMPORT_DTM, "Computing DTM Extents", "MS Shell Dlg", 8, 0, 0, 214, 131,
                                     kStyle, 0, kImportDtmItems, AFX_DLGITEM_COUNT(kImportDtmItems)};

const DLGITEM_TABLE kDtmDepthsItems[] = {
    {DLGI_LTEXT, IDC_STATIC, "X", 7, 7, 10, 8},
    {DLGI_LTEXT, IDC_DTM_X, "", 18, 7, 50, 8},
    {DLGI_LTEXT, IDC_STATIC, "Y", 75, 7, 10, 8},
    {DLGI_LTEXT, IDC_DTM_Y, "", 86, 7, 50, 8},
    {DLGI_LTEXT, IDC_STATIC, "Depth", 143, 7, 25, 8},
    {DLGI_LTEXT, IDC_DTM_DEPTH, "", 169, 7, 67, 8},
    {DLGI_PROGRESS, IDC_DTM_PROGRESS, "", 7, 22, 173, 14},
    {DLGI_PUSHBUTTON, IDCANCEL, "Quit", 186, 22, 50, 14},
};
const DLGTEMPLATE_TABLE kDtmDepths = {IDD_DTM_DEPTHS, "Making Depth Array", "MS Shell Dlg", 8, 0, 0, 243, 43,
                                     kStyle, 0, kDtmDepthsItems, AFX_DLGITEM_COUNT(kDtmDepthsItems)};
} // namespace

void RegisterDtmTemplates()
{
    static const bool registered = [] {
        AfxRegisterDialogTemplate(&kLoadDtm);
        AfxRegisterDialogTemplate(&kImportDtm);
        AfxRegisterDialogTemplate(&kDtmDepths);
        return true;
    }();
    (void)registered;
}

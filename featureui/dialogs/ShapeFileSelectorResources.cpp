#include "featureui/dialogs/ShapeFileSelectorResources.h"

#include "platform/ui/ComboBox.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/Wnd.h"

namespace
{
const DWORD kStyle = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

const DLGITEM_TABLE kSelectorItems[] = {
    {DLGI_PUSHBUTTON, IDC_SHAPE_FOLDER_BUTTON, "Folder", 7, 7, 50, 14},
    {DLGI_LTEXT, IDC_SHAPE_FOLDER, "", 63, 9, 295, 12, SS_SUNKEN},
    {DLGI_CONTROL, IDC_SHAPE_LIST, "", 7, 26, 351, 147,
     LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | WS_BORDER | WS_TABSTOP, 0, WC_LISTVIEW},
    {DLGI_LTEXT, IDC_STATIC, "File Name", 7, 180, 40, 12},
    {DLGI_LTEXT, IDC_SHAPE_SELECTION, "", 50, 178, 308, 12, SS_SUNKEN},
    {DLGI_PUSHBUTTON, IDC_SHAPE_SELECT_ALL, "Select All", 7, 196, 50, 14},
    {DLGI_PUSHBUTTON, IDC_SHAPE_REMOVE_ALL, "Remove All", 61, 196, 50, 14},
    {DLGI_PUSHBUTTON, IDCANCEL, "Cancel", 254, 196, 50, 14},
    {DLGI_DEFPUSHBUTTON, IDOK, "OK", 308, 196, 50, 14},
};
const DLGTEMPLATE_TABLE kSelector = {IDD_SHAPE_FILE_SELECTOR, "ShapeFileSelector", "MS Shell Dlg", 8, 0, 0, 365, 217,
                                     kStyle, 0, kSelectorItems, AFX_DLGITEM_COUNT(kSelectorItems)};

const DWORD kColumnCombo = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
const DWORD kSample = SS_CENTER | SS_SUNKEN;
const DLGITEM_TABLE kPipelineItems[] = {
    {DLGI_PUSHBUTTON, IDC_PIPELINE_SELECT_FILE, "Select File", 7, 14, 50, 14},
    {DLGI_LTEXT, IDC_PIPELINE_FOLDER, "", 63, 7, 243, 12, SS_SUNKEN},
    {DLGI_LTEXT, IDC_PIPELINE_FILE_NAME, "", 63, 23, 243, 12, SS_SUNKEN},
    {DLGI_GROUPBOX, IDC_STATIC, "Columns", 7, 42, 299, 67},
    {DLGI_LTEXT, IDC_STATIC, "Skip number of lines", 104, 50, 68, 12},
    {DLGI_COMBOBOX, IDC_PIPELINE_SKIP_LINES, "", 182, 50, 27, 270, kColumnCombo},
    {DLGI_LTEXT, IDC_PIPELINE_KP_LABEL, "KP", 13, 67, 14, 12},
    {DLGI_COMBOBOX, IDC_PIPELINE_KP, "", 33, 67, 38, 135, kColumnCombo},
    {DLGI_LTEXT, IDC_PIPELINE_EASTING_LABEL, "Easting", 77, 67, 28, 12},
    {DLGI_COMBOBOX, IDC_PIPELINE_EASTING, "", 111, 67, 38, 135, kColumnCombo},
    {DLGI_LTEXT, IDC_PIPELINE_NORTHING_LABEL, "Northing", 155, 67, 31, 12},
    {DLGI_COMBOBOX, IDC_PIPELINE_NORTHING, "", 192, 67, 38, 151, kColumnCombo},
    {DLGI_LTEXT, IDC_PIPELINE_DEPTH_LABEL, "Depth", 236, 67, 21, 12},
    {DLGI_COMBOBOX, IDC_PIPELINE_DEPTH, "", 263, 67, 38, 135, kColumnCombo},
    {DLGI_CTEXT, IDC_PIPELINE_SAMPLE_KP, "", 17, 86, 54, 12, kSample},
    {DLGI_CTEXT, IDC_PIPELINE_SAMPLE_EASTING, "", 95, 86, 54, 12, kSample},
    {DLGI_CTEXT, IDC_PIPELINE_SAMPLE_NORTHING, "", 176, 86, 54, 12, kSample},
    {DLGI_CTEXT, IDC_PIPELINE_SAMPLE_DEPTH, "", 245, 86, 54, 12, kSample},
    {DLGI_GROUPBOX, IDC_STATIC, "Operation", 7, 111, 299, 31},
    {DLGI_LTEXT, IDC_STATIC, "Tolerance", 116, 123, 40, 12},
    {DLGI_EDITTEXT, IDC_PIPELINE_TOLERANCE, "", 163, 123, 34, 12, ES_AUTOHSCROLL},
    {DLGI_LTEXT, IDC_STATIC, "Total number of points", 42, 150, 72, 12},
    {DLGI_LTEXT, IDC_PIPELINE_TOTAL, "0", 122, 150, 38, 12},
    {DLGI_LTEXT, IDC_STATIC, "Points Used", 168, 150, 43, 12},
    {DLGI_LTEXT, IDC_PIPELINE_USED, "0  (0%)", 219, 150, 52, 12},
    {DLGI_PROGRESS, IDC_PIPELINE_PROGRESS, "", 7, 174, 299, 10},
    {DLGI_PUSHBUTTON, IDC_PIPELINE_THIN, "Thin Data", 7, 189, 50, 14},
    {DLGI_DEFPUSHBUTTON, IDOK, "OK", 256, 189, 50, 14},
};
const DLGTEMPLATE_TABLE kPipeline = {IDD_PIPELINE, "Pipeline", "MS Sans Serif", 8, 0, 0, 313, 210,
                                     kStyle, 0, kPipelineItems, AFX_DLGITEM_COUNT(kPipelineItems)};
} // namespace

void RegisterShapeFileTemplates()
{
    static const bool registered = [] {
        AfxRegisterDialogTemplate(&kSelector);
        AfxRegisterDialogTemplate(&kPipeline);
        return true;
    }();
    (void)registered;
}

#include "featureui/loaders/LoadFileResources.h"

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Wnd.h"

namespace
{
const DLGITEM_TABLE kLoadFileItems[] = {
    {DLGI_CTEXT, IDC_LOAD_STATUS, "0 Bytes of 0 Bytes", 7, 7, 244, 8},
    {DLGI_PROGRESS, IDC_LOAD_PROGRESS, "", 7, 20, 188, 14},
    {DLGI_PUSHBUTTON, IDCANCEL, "Quit", 201, 20, 50, 14},
};
const DLGTEMPLATE_TABLE kLoadFile = {IDD_LOAD_FILE,
                                     "Loading DXF........",
                                     "MS Shell Dlg",
                                     8,
                                     0,
                                     0,
                                     258,
                                     41,
                                     DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION |
                                         WS_SYSMENU,
                                     0,
                                     kLoadFileItems,
                                     AFX_DLGITEM_COUNT(kLoadFileItems)};
} // namespace

void RegisterLoadFileTemplate()
{
    static const bool registered = [] {
        AfxRegisterDialogTemplate(&kLoadFile);
        return true;
    }();
    (void)registered;
}

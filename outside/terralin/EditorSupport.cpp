#include "outside/terralin/EditorSupport.h"

#include "foundation/WindowMessages.h"
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Wnd.h"

void PostGeodeticUpdate(CWnd* fallback)
{
    CWnd* target = AfxGetMainCWnd();
    if (target == nullptr || target->GetSafeHwnd() == nullptr)
        target = fallback;
    if (target != nullptr && target->GetSafeHwnd() != nullptr)
        target->PostMessage(UM_GEODETIC_UPDATE, 0, 0);
}

void ExchangeChoiceControls(CDataExchange* pDX, CComboBox& list, CComboBox& entry, CButton& option)
{
    DDX_Control(pDX, IDC_TERRALIN_LIST, list);
    DDX_Control(pDX, IDC_TERRALIN_ENTRY, entry);
    DDX_Control(pDX, IDC_TERRALIN_OPTION, option);
}

void ShowChoiceDetails(CWnd& dialog, const CString& line1, const CString& line2, const CString& line3)
{
    dialog.SetDlgItemText(IDC_TERRALIN_DETAILS_1, line1);
    dialog.SetDlgItemText(IDC_TERRALIN_DETAILS_2, line2);
    dialog.SetDlgItemText(IDC_TERRALIN_DETAILS_3, line3);
}

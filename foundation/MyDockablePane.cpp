#include "foundation/MyDockablePane.h"

#include "platform/ui/Resources.h"

namespace
{
constexpr DWORD kPaneStyle = 0x56004140; // child, visible, clip siblings/children, CBRS_RIGHT | CBRS_FLOAT_MULTI
const char* const kModule = "Tolvar";
// The library's own table joins the chain on attach; its entries are added by the panes'
// resource files as they arrive.
const STRINGTABLE_ENTRY kNoStrings[] = {{0, ""}};
} // namespace

BOOL CMyDockablePane::Create(CWnd* pParent, int nID, const CString& strTitle)
{
    m_pOwner = pParent;
    m_nID = nID;
    m_strTitle = strTitle;
    if (!CDockablePane::Create(strTitle, pParent, CRect(0, 0, 200, 200), TRUE, static_cast<UINT>(nID), kPaneStyle,
                               AFX_CBRS_REGULAR_TABS, AFX_DEFAULT_DOCKING_PANE_STYLE))
        return FALSE;
    if (GetStoredVisibility(static_cast<UINT>(nID)) == -1)
        ShowPane(FALSE, FALSE, FALSE);
    return TRUE;
}

void SetColourScheme(CMyMFCPropertyGridCtrl* pGrid, int nScheme)
{
    if (pGrid != nullptr)
        pGrid->SetColourScheme(nScheme);
}

BOOL TolvarLibraryEntry(DWORD dwReason)
{
    switch (dwReason)
    {
    case DLL_PROCESS_ATTACH:
        if (!AfxIsStringTableRegistered(kModule))
            AfxRegisterStringTable(kModule, kNoStrings, 0);
        return AfxIsStringTableRegistered(kModule) ? TRUE : FALSE;
    case DLL_PROCESS_DETACH: AfxUnregisterStringTable(kModule); return TRUE;
    default: return TRUE;
    }
}

#include "featureui/dialogs/SelectFeatureFiles.h"

#include "outside/notifex/Notifex.h"
#include "platform/ui/FileDialog.h"

namespace
{
const char* const kDefaultFilter =
    "CSV Files (*.csv)|*.csv|Text Files (*.txt)|*.txt|Data Files (*.dat)|*.dat|All Files (*.*)|*.*||";
} // namespace

bool SelectFeatureFiles(CWnd* pOwner, CString kind, CStringArray* pNames, const char* lpszFilter)
{
    if (pNames == nullptr)
        return false;
    pNames->RemoveAll();
    CFileDialog dialog(TRUE, nullptr, "", OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY,
                       lpszFilter != nullptr ? lpszFilter : kDefaultFilter, pOwner, 0, TRUE);
    const CString title = kind + " Files ....";
    dialog.m_ofn.lpstrTitle = title;
    if (dialog.DoModal() != IDOK)
        return false;
    for (POSITION pos = dialog.GetStartPosition(); pos != nullptr;)
    {
        CString path = dialog.GetNextPathName(pos);
        path.Trim();
        if (!path.IsEmpty())
            pNames->Add(path);
    }
    if (pNames->GetSize() == 0)
    {
        WarningMessage("Requires a file name", nullptr, 0x300030);
        return false;
    }
    return true;
}

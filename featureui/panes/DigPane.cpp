#include "featureui/panes/DigPane.h"

#include "featureui/panes/FeaturePaneResources.h"
#include "featureui/loaders/LoadDig.h"
#include "foundation/FilePath.h"

namespace
{
const FEATURE_PANE_LAYOUT kLayout = {IDC_DIG_COMBO, IDC_ADD_DIG_FILE, IDC_REMOVE_DIG_FILE, 0, 0};
const DRAWING_PANE_TEXTS kTexts = {
    IDS_DIG_PROPERTIES, "DXF Files (*.dxf)|*.dxf|CSV Files (*.csv)|*.csv|DIG Files (*.dig)|*.dig||",
    "Determine whether to display DIG File", "%10.2lfN"};
} // namespace

IMPLEMENT_DYNAMIC(CDigPane, CDrawingPane)

CDigPane::CDigPane() : CDrawingPaneOf(kLayout, kTexts) {}

CDigPane::~CDigPane() = default;

BOOL CDigPane::Create(CWnd* pOwner, int nID, CDigList* pDigList, CMutex* pMutex)
{
    m_pList = pDigList;
    return CreateDrawingPane(pOwner, nID, pMutex);
}

DRAWING_DETAILS CDigPane::GetDetails(int nDrawing) const
{
    const CDig& dig = *m_pList->GetAtIndex(nDrawing);
    return {dig.IsShown(),     dig.m_SizeText,   dig.m_DateText,   dig.m_MinEasting,
            dig.m_MinNorthing, dig.m_MaxEasting, dig.m_MaxNorthing};
}

void CDigPane::LoadLastDrawing()
{
    CLoadDig dialog(nullptr);
    dialog.SetDig(m_pList->GetTail());
    dialog.DoModal();
}

bool CDigPane::StoreSwitch(int nDrawing, DWORD_PTR id, bool bOn)
{
    CDig* dig = m_pList->GetAtIndex(nDrawing);
    if (id != ITEM_DISPLAY || dig == nullptr || dig->IsShown() == bOn)
        return false;
    dig->SetShown(bOn);
    // The flag is the cache's first byte: the cache is written again, whole or not at all. One
    // that cannot be written keeps its old bytes; the drawing in memory has the new flag.
    CString folder, title, extension;
    SplitFilePath(dig->m_FileName, folder, title, extension);
    dig->WriteCache(folder, title);
    return true;
}

#include "featureui/panes/DxfPane.h"

#include "featureui/panes/FeaturePaneResources.h"
#include "featureui/loaders/LoadDxf.h"
#include "outside/panes/PropertyGridItems.h"

namespace
{
const FEATURE_PANE_LAYOUT kLayout = {IDC_DXF_COMBO, IDC_ADD_DXF_FILE, IDC_REMOVE_DXF_FILE, 0, 0};
const DRAWING_PANE_TEXTS kTexts = {IDS_DXF_PROPERTIES, "DXF Files (*.dxf)|*.dxf||",
                                   "Determine whether to display DXF File", "%10.2lfN "};
} // namespace

IMPLEMENT_DYNAMIC(CDxfPane, CDrawingPane)

CDxfPane::CDxfPane() : CDrawingPaneOf(kLayout, kTexts) {}

CDxfPane::~CDxfPane() = default;

BOOL CDxfPane::Create(CWnd* pOwner, int nID, CDxfList* pDxfList, CMutex* pMutex)
{
    m_pList = pDxfList;
    return CreateDrawingPane(pOwner, nID, pMutex);
}

DRAWING_DETAILS CDxfPane::GetDetails(int nDrawing) const
{
    const CDxf& dxf = *m_pList->GetAtIndex(nDrawing);
    return {dxf.m_bUse,        dxf.m_SizeText,    dxf.m_DateText,   dxf.m_HeaderMin.x,
            dxf.m_HeaderMin.y, dxf.m_HeaderMax.x, dxf.m_HeaderMax.y};
}

void CDxfPane::LoadLastDrawing()
{
    CLoadDxf dialog(nullptr);
    dialog.SetDxf(m_pList->GetTail());
    dialog.DoModal();
}

void CDxfPane::AddOwnProperties(CMFCPropertyGridProperty* pGroup, int nDrawing)
{
    pGroup->AddSubItem(new CMFCPropertyGridBool("Show Labels", m_pList->GetAtIndex(nDrawing)->m_bShowText,
                                                "Determine whether to display Text", ITEM_SHOW_LABELS));
}

bool CDxfPane::StoreSwitch(int nDrawing, DWORD_PTR id, bool bOn)
{
    CDxf* dxf = m_pList->GetAtIndex(nDrawing);
    if (dxf == nullptr || (id != ITEM_DISPLAY && id != ITEM_SHOW_LABELS))
        return false;
    bool& flag = id == ITEM_DISPLAY ? dxf->m_bUse : dxf->m_bShowText;
    if (flag == bOn)
        return false;
    flag = bOn;
    dxf->SaveDisplaySettings();
    return true;
}

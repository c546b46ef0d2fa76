#include "featureui/panes/BoundaryPane.h"

#include "featureui/panes/FeaturePaneResources.h"
#include "featureui/panes/PaneGrid.h"
#include "featureui/dialogs/SelectFeatureFiles.h"
#include "features/BoundaryList.h"
#include "foundation/MyListCtrl.h"
#include "foundation/WindowMessages.h"
#include "outside/panes/PropertyGridItems.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Resources.h"

namespace
{
const FEATURE_PANE_LAYOUT kLayout = {IDC_BOUNDARY_COMBO, IDC_ADD_BOUNDARY_FILE, IDC_REMOVE_BOUNDARY_FILE,
                                     IDC_BOUNDARY_LIST, 16};
} // namespace

IMPLEMENT_DYNAMIC(CBoundaryPane, CFeaturePane)

CBoundaryPane::CBoundaryPane() : CFeaturePaneOf(kLayout) {}

CBoundaryPane::~CBoundaryPane() = default;

BOOL CBoundaryPane::Create(CWnd* pOwner, int nID, CBoundaryList* pBoundaryList)
{
    m_pList = pBoundaryList;
    CString title;
    AfxLoadString(IDS_BOUNDARY_PROPERTIES, title);
    return CreatePane(pOwner, nID, title);
}

void CBoundaryPane::MakeCurrentFile(int nFile)
{
    MakeEditFileCurrent(nFile);
}

void CBoundaryPane::SetupComboBox()
{
    SetupComboWithEditSelection();
}

void CBoundaryPane::InitPropList()
{
    BeginPropList();
    const int file = GetSelectedFile();
    if (file < 0)
    {
        ShowNoFiles();
        return;
    }
    m_wndPropList.RemoveAll();
    const CBoundary* boundary = m_pList->GetAt(file);

    auto* properties = new CMFCPropertyGridProperty("Properties");
    properties->AddSubItem(new CMFCPropertyGridProperty("Display", COleVariant(boundary->m_Status),
                                                        "Determine whether to display Boundary File", ITEM_DISPLAY));
    auto* order = new CMFCPropertyGridProperty("Data Order", COleVariant("Eng, Nng"),
                                               "Order of data within Boundary File", 0);
    order->AllowEdit(FALSE);
    properties->AddSubItem(order);
    properties->AddSubItem(new CMFCPropertyGridProperty("Highlight", COleVariant(boundary->m_Highlight),
                                                        "Show on Cross Profile", ITEM_HIGHLIGHT));
    m_wndPropList.AddProperty(properties, TRUE, TRUE);

    const COLORREF colour = boundary->m_Pen.Colour;
    auto* area = new CMFCPropertyGridProperty("Area");
    area->AddSubItem(new CMFCPropertyGridPrimaryColourProperty("Colour", colour, 28,
                                                               "Specifies the pen color of the symbols", ITEM_COLOUR));
    area->AddSubItem(new CMFCPropertyGridFillStyleProperty(boundary->m_Pen.nFill, colour, ITEM_FILL_STYLE));
    area->AddSubItem(
        new CMFCPropertyGridLineThicknessProperty(boundary->m_Pen.nThickness, colour, ITEM_LINE_THICKNESS));
    m_wndPropList.AddProperty(area, TRUE, TRUE);
}

void CBoundaryPane::CreateTable()
{
    ClearTable();
    m_wndList.AddColumn("No");
    m_wndList.AddColumn("Easting");
    m_wndList.AddColumn("Northing");
    UpdateAllPositions();
}

void CBoundaryPane::UpdateAllPositions()
{
    m_wndList.DeleteAllItems();
    const int file = GetSelectedFile();
    if (file < 0)
        return;
    const CBoundary* boundary = m_pList->GetAt(file);
    for (INT_PTR i = 0; i < boundary->GetSize(); ++i)
    {
        const int row = static_cast<int>(i);
        CString text;
        text.Format("%d", row + 1);
        m_wndList.InsertItem(row, text);
        text.Format("%.3lf", boundary->GetAt(i).x);
        m_wndList.SetItemText(row, 1, text);
        text.Format("%.3lf", boundary->GetAt(i).y);
        m_wndList.SetItemText(row, 2, text);
    }
    AutoSizeColumns(&m_wndList, false);
}

void CBoundaryPane::OnBoundaryCombo()
{
    InitPropList();
    CreateTable();
    AdjustLayout();
}

LRESULT CBoundaryPane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    const int file = GetSelectedFile();
    if (item == nullptr || file < 0)
        return 0;
    CBoundary* boundary = m_pList->GetAt(file);
    switch (item->GetData())
    {
    case ITEM_DISPLAY:
        if (!StoreDisplay(boundary, IsOn(item)))
            break;
        RedrawOwnerChart();
        if (boundary->m_Highlight)
            PostToOwner(UM_RECOMPUTE_ZUDUZURO_DATA);
        break;
    case ITEM_HIGHLIGHT:
        if (IsOn(item) == boundary->m_Highlight)
            break;
        boundary->m_Highlight = IsOn(item);
        boundary->SaveDrawingOptions();
        boundary->SaveStatus();
        PostToOwner(UM_RECOMPUTE_ZUDUZURO_DATA);
        break;
    case ITEM_COLOUR:
    {
        const COLORREF colour = static_cast<CMFCPropertyGridPrimaryColourProperty*>(item)->GetColour();
        if (!StoreDrawingOption(boundary, boundary->m_Pen.Colour, colour))
            break;
        // The samples beside the colour show it at once, without rebuilding the grid.
        RecolourSamples(item->GetParent(), colour);
        RedrawOwnerChart();
        break;
    }
    case ITEM_FILL_STYLE:
        if (StoreDrawingOption(boundary, boundary->m_Pen.nFill,
                               static_cast<CMFCPropertyGridFillStyleProperty*>(item)->GetFillStyle()))
            RedrawOwnerChart();
        break;
    case ITEM_LINE_THICKNESS:
        if (StoreDrawingOption(boundary, boundary->m_Pen.nThickness,
                               static_cast<CMFCPropertyGridLineThicknessProperty*>(item)->GetThickness()))
            RedrawOwnerChart();
        break;
    default: break;
    }
    return 0;
}

void CBoundaryPane::OnAdd()
{
    if (m_pList == nullptr)
        return;
    CStringArray names;
    if (!SelectFeatureFiles(this, "Boundary", &names, nullptr))
        return;
    // The list refuses a path it holds already, whatever its letter case.
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
        if (!m_pList->AddFile(names[i]) && !m_pList->m_strRefusal.IsEmpty())
            AfxMessageBox(m_pList->m_strRefusal, MB_OK | MB_ICONEXCLAMATION);

    ShowAddedFiles();
    m_pList->SaveFileList();
    RedrawOwnerChart();
    PostToOwner(UM_RECOMPUTE_ZUDUZURO_DATA);
}

void CBoundaryPane::OnRemove()
{
    const int file = DeleteSelectedFile();
    if (file < 0)
        return;
    FollowRemovedFile(file);
    m_pList->SaveFileList();

    ShowRemainingFiles(file);
    m_pList->SaveFileList();
    RedrawOwnerChart();
    PostToOwner(UM_RECOMPUTE_ZUDUZURO_DATA);
}

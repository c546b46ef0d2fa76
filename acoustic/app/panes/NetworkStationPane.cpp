#include "acoustic/app/panes/NetworkStationPane.h"

#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/panes/FramePane.h"
#include "acoustic/engine/Network.h"
#include "foundation/GridLook.h"
#include "outside/panes/PropertyGridInteger.h"
#include "outside/panes/PropertyGridItems.h"

#include <QDockWidget>

#include <algorithm>

IMPLEMENT_DYNAMIC(CNetworkStationPane, CDockablePane)

BEGIN_MESSAGE_MAP(CNetworkStationPane, CDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

namespace
{
constexpr UINT kChildId = 1;
constexpr int kGridRows = 5;
constexpr int kShownRows = 4;
} // namespace

CNetworkStationPane::CNetworkStationPane()
{
    LoadStationIcons(m_StationIcons);
}

BOOL CNetworkStationPane::Create(CWnd* pFrame, CNetwork* pNetwork, CNetworkSaveGuard* pSaveGuard)
{
    m_pOwner = pFrame;
    m_pNetwork = pNetwork;
    m_pSaveGuard = pSaveGuard;
    if (!CreateFramePane(*this, pFrame, "Network Station", ID_ACOUSTIC_NETWORK_STATIONS))
        return FALSE;
    // Stacked with the other panes of the column, the pane keeps room for the figures, the
    // list's headings and a few stations.
    if (QDockWidget* dock = GetDockWidget())
        dock->setMinimumHeight((kGridRows + kShownRows + 3) * m_wndPropList.GetRowHeight());
    return TRUE;
}

int CNetworkStationPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDockablePane::OnCreate(lpCreateStruct) == -1)
        return -1;
    const CRect empty(0, 0, 0, 0);
    m_List.SetData(m_pOwner, m_pNetwork, m_pSaveGuard);
    m_List.UseIcons(&m_StationIcons);
    if (m_List.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, empty, this, kChildId))
    {
        CreatePropListFont(m_ListFont);
        m_List.SetFont(&m_ListFont);
        m_List.Fill();
    }
    if (!m_wndPropList.Create(WS_CHILD | WS_VISIBLE, empty, this, kChildId))
        return -1;
    InitPropList();
    AdjustLayout();
    return 0;
}

void CNetworkStationPane::SetPropListFont()
{
    CreatePropListFont(m_fntPropList);
    m_wndPropList.SetFont(&m_fntPropList);
}

void CNetworkStationPane::InitPropList()
{
    if (m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    SetPropListFont();
    m_wndPropList.RemoveAll();
    m_wndPropList.EnableHeaderCtrl(FALSE, "Property", "Value");
    m_wndPropList.EnableDescriptionArea(FALSE);
    m_wndPropList.SetVSDotNetLook(TRUE);
    // The white scheme.
    m_wndPropList.SetCustomColors(0xFFFFFF, 0x000000, 0xEBEBEB, 0x555555, 0xEBEBEB, 0x000000, 0xEBEBEB);

    const CNetwork empty;
    const CNetwork& network = m_pNetwork ? *m_pNetwork : empty;
    auto* group = new CMFCPropertyGridProperty("Trial Position");
    CMFCPropertyGridProperty* items[] = {
        new CMFCPropertyGridInteger("Iterations", network.m_PassCount),
        new CMFCPropertyGridDouble("Sigma Zero", network.m_StandardErrorUnitWeight, "%8.2lf"),
        new CMFCPropertyGridInteger("Observations", network.m_ObservationCount),
        new CMFCPropertyGridInteger("Unknowns", 2 * network.m_AdjustedStationCount)};
    for (CMFCPropertyGridProperty* item : items)
    {
        item->AllowEdit(FALSE);
        group->AddSubItem(item);
    }
    group->Expand(TRUE);
    m_wndPropList.AddProperty(group);
}

void CNetworkStationPane::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    const bool adjusted = m_pNetwork != nullptr && m_pNetwork->m_Result != 0 && m_wndPropList.GetSafeHwnd();
    int top = client.top;
    if (m_wndPropList.GetSafeHwnd() != nullptr)
    {
        const int gridHeight = adjusted ? kGridRows * m_wndPropList.GetRowHeight() : 0;
        m_wndPropList.SetWindowPos(nullptr, client.left, client.top, client.Width(), gridHeight, flags);
        m_wndPropList.ShowWindow(adjusted ? SW_SHOW : SW_HIDE);
        top += gridHeight;
    }
    if (m_List.GetSafeHwnd() != nullptr)
        m_List.SetWindowPos(nullptr, client.left, top, client.Width(), std::max(0, client.bottom - top), flags);
}

void CNetworkStationPane::OnSize(UINT nType, int cx, int cy)
{
    CDockablePane::OnSize(nType, cx, cy);
    AdjustLayout();
}

#include "acoustic/app/panes/ObservationsPane.h"

#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/panes/FramePane.h"
#include "foundation/GridLook.h"

#include <QDockWidget>

IMPLEMENT_DYNAMIC(CObservationsPane, CDockablePane)

BEGIN_MESSAGE_MAP(CObservationsPane, CDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_MESSAGE(WM_SETTINGCHANGE, &CObservationsPane::OnSettingChange)
END_MESSAGE_MAP()

namespace
{
constexpr int kShownHeight = 220;
} // namespace

CObservationsPane::CObservationsPane()
{
    LoadStationIcons(m_StationIcons);
}

BOOL CObservationsPane::Create(CWnd* pFrame, CNetwork* pNetwork)
{
    m_pOwner = pFrame;
    m_pNetwork = pNetwork;
    if (!CreateFramePane(*this, pFrame, "Network Observations", ID_ACOUSTIC_NETWORK_LAYOUT))
        return FALSE;
    // Stacked with the other panes of the column, the pane keeps room for the headings and the
    // rows of a few stations.
    if (QDockWidget* dock = GetDockWidget())
        dock->setMinimumHeight(kShownHeight);
    return TRUE;
}

int CObservationsPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDockablePane::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_List.SetData(m_pOwner, m_pNetwork, &m_StationIcons);
    if (!m_List.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 0, 0), this, 1))
        return -1;
    CreatePropListFont(m_Font);
    m_List.SetFont(&m_Font);
    m_List.Fill();
    AdjustLayout();
    return 0;
}

void CObservationsPane::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr || m_List.GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_List.SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                        SWP_NOZORDER | SWP_NOACTIVATE);
}

void CObservationsPane::OnSize(UINT nType, int cx, int cy)
{
    CDockablePane::OnSize(nType, cx, cy);
    AdjustLayout();
}

void CObservationsPane::OnSetFocus(CWnd* pOldWnd)
{
    CDockablePane::OnSetFocus(pOldWnd);
    if (m_List.GetSafeHwnd() != nullptr)
        m_List.SetFocus();
}

LRESULT CObservationsPane::OnSettingChange(WPARAM, LPARAM)
{
    Default();
    CreatePropListFont(m_Font);
    if (m_List.GetSafeHwnd() != nullptr)
        m_List.SetFont(&m_Font);
    return 0;
}

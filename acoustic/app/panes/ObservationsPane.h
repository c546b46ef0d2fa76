// CObservationsPane: the matrix of the network's observations between its stations.
#pragma once

#include "acoustic/app/panes/NetworkObservationsListCtrl.h"
#include "platform/ui/DockablePane.h"
#include "platform/ui/Font.h"
#include "platform/ui/ImageList.h"

class CNetwork;

class CObservationsPane : public CDockablePane
{
    DECLARE_DYNAMIC(CObservationsPane)
public:
    CObservationsPane();
    // A pane of the frame showing the network
    // (the frame owns it and outlives the pane).
    BOOL Create(CWnd* pFrame, CNetwork* pNetwork);
    using CDockablePane::Create;

    CNetworkObservationsListCtrl& GetList() { return m_List; }
    // The list's day or night colours (see CNetworkObservationsListCtrl::SetNightMode).
    void SetNightMode(bool bNight) { m_List.SetNightMode(bNight); }

    CNetwork* m_pNetwork = nullptr;
    CWnd* m_pOwner = nullptr;
    // The station icons of the list.
    CImageList m_StationIcons;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void AdjustLayout();

    CNetworkObservationsListCtrl m_List;
    CFont m_Font;
};

// CNetworkStationPane: the stations of the network, their positions and types, in a list; while
// the network is adjusted, a strip above it gives the adjustment's figures.
//
// How the network's fields carry what the pane shows:
//  - station type: m_Status (0 "Unused", 1 "Float", 2 "Fixed", 3 "Boxed" =
//    STATION_FREE_WITH_POSITION); height: m_GivenDepth; weight ("Std. Err." in the list):
//    m_PositionSE, 1.0 for a new station;
//  - computed easting, northing, height: m_AdjustedE, m_AdjustedN, m_AdjustedDepth; number of
//    observations: m_LinkCount; error ellipse maximum, minimum, bearing: m_SemiMajor,
//    m_SemiMinor, m_Orientation;
//  - a station's "Standard Error" is its residual RMS (m_ResidualRMS): the adjustment keeps no
//    other standard error per station;
//  - the network: adjusted flag m_Result, "Observations" m_ObservationCount, "Iterations"
//    m_PassCount, "Sigma Zero" m_StandardErrorUnitWeight, and "Unknowns" twice the adjusted
//    stations (m_AdjustedStationCount), as each has an easting and a northing unknown.
#pragma once

#include "acoustic/app/panes/NetworkStationListCtrl.h"
#include "acoustic/engine/ColourPropertyGridCtrl.h"
#include "platform/ui/DockablePane.h"
#include "platform/ui/Font.h"
#include "platform/ui/ImageList.h"

class CNetwork;
class CNetworkSaveGuard;

class CNetworkStationPane : public CDockablePane
{
    DECLARE_DYNAMIC(CNetworkStationPane)
public:
    CNetworkStationPane();
    // A pane of the frame showing the network (the frame owns it and outlives the pane);
    // pSaveGuard keeps a network file that did not load whole from being saved over unasked.
    BOOL Create(CWnd* pFrame, CNetwork* pNetwork, CNetworkSaveGuard* pSaveGuard = nullptr);
    using CDockablePane::Create;

    // The adjustment's figures, read-only, in the white scheme.
    void InitPropList();
    // The grid strip of five rows above the list while the network is adjusted, else the
    // list alone.
    void AdjustLayout();
    void SetPropListFont();

    CNetworkStationListCtrl& GetList() { return m_List; }
    CMFCColourPropertyGridCtrl& GetPropertyGrid() { return m_wndPropList; }

    CNetwork* m_pNetwork = nullptr;
    CWnd* m_pOwner = nullptr;
    // The station icons of the list.
    CImageList m_StationIcons;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    CMFCColourPropertyGridCtrl m_wndPropList;
    CNetworkStationListCtrl m_List;
    CFont m_fntPropList;
    CFont m_ListFont;
    CNetworkSaveGuard* m_pSaveGuard = nullptr;
};

// CNetworkStationListCtrl: the list of the network's seabed stations, one row each with its
// type icon, name, given position and, while the network is adjusted, what the adjustment made
// of it. A click shows the station on the plan; a double click edits a station (below the rows:
// adds one), Insert adds and Delete removes the selected stations. Every change is saved into
// the network file at once, leaves the network un-adjusted and is posted to the owner as
// UM_UPDATE_STATION with the station's position.
#pragma once

#include "acoustic/app/panes/NetworkSaveGuard.h"
#include "foundation/MyListCtrl.h"
#include "foundation/XYArray.h"
#include "platform/ui/ImageList.h"

class CNetwork;
class CNetworkStation;

class CNetworkStationListCtrl : public CMyListCtrl
{
    DECLARE_DYNAMIC(CNetworkStationListCtrl)
public:
    CNetworkStationListCtrl();

    // The owner told of changes (the main frame), the network edited and what guards its
    // file (null: a plain save); none owned. Set before the window is made.
    void SetData(CWnd* pOwner, CNetwork* pNetwork, CNetworkSaveGuard* pSaveGuard = nullptr);
    // The station icons the rows show (the owner's, outliving the list); without them the list
    // loads its own.
    void UseIcons(CImageList* pIcons) { m_pIcons = pIcons; }

    // Columns and rows from the network: 7 columns, 14 while it is adjusted; none without a
    // network.
    void Fill();
    // Writes one row; a row one past the last is added.
    void ShowStation(int nRow);
    // Posts UM_REDRAW_VECTOR_DISPLAY to the owner with the station's position; nothing for an
    // index outside the network.
    void SelectStation(int nIndex);

    // The edit of a row (-1: a new station), the insertion and the deletion of the selected
    // rows, as the double click, Insert and Delete run them.
    void EditStation(int nRow);
    void InsertStation();
    void DeleteSelectedStations();

    // The position posted with the messages (easting, northing); it outlives each post.
    const tagXY& GetPosition() const { return m_Position; }

    static constexpr int BASIC_COLUMNS = 7;
    static constexpr int ALL_COLUMNS = 14;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

private:
    // The station dialog on `station`; true on OK.
    bool RunDialog(CNetworkStation& station, int nIndex);
    // What follows every change: observations recomputed, the file saved, the adjusted flag
    // cleared, UM_UPDATE_STATION posted.
    void NetworkChanged();
    void PostToOwner(UINT message);

    CWnd* m_pOwner = nullptr;
    CNetwork* m_pNetwork = nullptr;
    CNetworkSaveGuard* m_pSaveGuard = nullptr;
    CNetworkSaveGuard m_PlainSave;
    CImageList m_Icons;
    CImageList* m_pIcons = nullptr;
    tagXY m_Position{};
};

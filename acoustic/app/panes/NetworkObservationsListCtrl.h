// CNetworkObservationsListCtrl: every observation of the network in one matrix, stations down
// and stations across. Each station has an "Observed", a "Computed" (with its name and type
// icon) and an "O-C" row, a "Residual" row while the network is adjusted, and an empty row;
// each station across has a range and a bearing column. A cell holds a value only where the
// observation is used.
#pragma once

#include "foundation/MyListCtrl.h"

class CImageList;
class CNetwork;

class CNetworkObservationsListCtrl : public CMyListCtrl
{
    DECLARE_DYNAMIC(CNetworkObservationsListCtrl)
public:
    // The owner, the network shown and the station icons (none owned; set before the window is
    // made).
    void SetData(CWnd* pOwner, CNetwork* pNetwork, CImageList* pIcons);

    // Rebuilds the columns and rows from the network.
    void Fill();

    // Night: 0xC0C0C0 on black; day: black on 0xD6D6D6; the header dark grey in both. Given
    // before the window is made, it is the colours the list starts in; afterwards the list is
    // recoloured at once.
    void SetNightMode(bool bNight);
    bool GetNightMode() const { return m_bNight; }

    // Rows per station: 4, or 5 while the network is adjusted.
    int RowsPerStation() const;

    // The images of the rows without a station icon.
    static constexpr int IMAGE_NEUTRAL = 4;
    static constexpr int IMAGE_RESIDUAL = 5;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnReflectedNotify(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void ApplyColours();
    // The columns hold these headings, in this order.
    bool HasHeadings(const CStringArray& headings) const;

    CWnd* m_pOwner = nullptr;
    CNetwork* m_pNetwork = nullptr;
    CImageList* m_pIcons = nullptr;
};

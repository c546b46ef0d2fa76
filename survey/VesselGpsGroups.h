// CVesselGpsGroups: the GNSS part of the vessel panes (vessel navigation, leg pinning): one
// receiver group per antenna of the vessel that has a receiver, the GPS heading and the pairwise
// comparisons 1/2, 1/3 and 2/3, and the rules both panes keep for them: the primary receiver
// marked in its group's name, a silent receiver (by its own limit) losing its last fix and
// clearing the heading and every comparison it takes part in, and each group shown only while
// its receivers are active.
//
// Each group's grid position is recorded as it is added, so a pane lays out any number of
// antennas without shifting what follows, and every antenna index the vessel names (primary,
// heading pair) is checked against the groups built before it is used.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <vector>

class CBarge;
class CGps;
class CMFCCRPComparisonGroupGridProperty;
class CMFCGpsGroupGridProperty;
class CMFCGpsHeadingGroupPropertyGrid;
class CMFCPropertyGridProperty;
class CMyMFCPropertyGridCtrl;

class CVesselGpsGroups
{
public:
    // The receiver pairs of the comparisons 1/2, 1/3 and 2/3, in grid order.
    static constexpr int COMPARISON_PAIRS[3][2] = {{0, 1}, {0, 2}, {1, 2}};
    static constexpr int MAX_COMPARISONS = 3;

    // Forgets every group (the grid owns them) and takes the pane's vessel and receivers.
    void Reset(CMyMFCPropertyGridCtrl* pGrid, CBarge* pVessel, CArray<CGps*, CGps*>* pReceivers);

    // One group per antenna that has a receiver, named after the antenna, at the next positions.
    void AddGpsGroups();
    // The GPS heading group and the first `count` comparisons (at most three).
    void AddHeadingAndComparisons(int count);

    // Each GPS group shown while its receiver is active; the heading while the first two are
    // and `showHeading`; each comparison while both of its receivers are and `showComparisons`.
    void Show(bool showHeading, bool showComparisons);
    // GPS group i shown or hidden; an index without a group is ignored.
    void ShowGpsGroup(int i, bool show);

    // Receiver `index` gave data: every group renamed with the primary marked, that group
    // refreshed and highlighted, the heading and the comparisons recomputed or cleared.
    void Update(int index);
    // Group i marked silent; an index without a group is ignored.
    void Timeout(int i);

    int GetGpsCount() const { return static_cast<int>(m_Gps.size()); }
    CMFCGpsGroupGridProperty* GetGpsGroup(int i) const;
    // -1 for a group not built.
    int GetFirstGpsPosition() const;
    int GetHeadingPosition() const { return m_nHeadingPosition; }
    int GetFirstComparisonPosition() const { return m_nFirstComparisonPosition; }
    int GetComparisonCount() const { return m_nComparisons; }

    CGps* Receiver(int i) const;
    bool ReceiverActive(int i) const;
    CString AntennaName(int i) const;

private:
    // An antenna with a group whose receiver is active.
    bool GroupActive(int i) const;
    // True for a receiver that fell silent by its own limit (or is missing); such a receiver
    // loses its last fix.
    bool ReceiverSilent(int i) const;
    void UpdateHeading();
    void UpdateComparisons();
    int Add(CMFCPropertyGridProperty* pGroup);

    CMyMFCPropertyGridCtrl* m_pGrid = nullptr;
    CBarge* m_pVessel = nullptr;
    CArray<CGps*, CGps*>* m_pReceivers = nullptr;
    std::vector<CMFCGpsGroupGridProperty*> m_Gps; // owned by the grid
    CMFCGpsHeadingGroupPropertyGrid* m_pHeading = nullptr;
    CMFCCRPComparisonGroupGridProperty* m_pComparison[MAX_COMPARISONS] = {};
    int m_nHeadingPosition = -1;
    int m_nFirstComparisonPosition = -1;
    int m_nComparisons = 0;
};

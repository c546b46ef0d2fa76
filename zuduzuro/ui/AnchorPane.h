// CAnchorPane: the pane in which the user describes the program's one anchor: its status,
// where it lies, its cable (ground chain, one or two cable types, up to five buoys with pennant
// wires) and how a Live anchor hangs from its tug. Every edit changes the anchor in place,
// recomputes it, saves the anchor file and posts UM_UPDATE_ZUDUZURO_DATA to the owner. Items
// that do not apply to the status and cable make-up are hidden, never removed.
#pragma once

#include "zuduzuro/ui/PropertyPane.h"

#include <cstdint>

class CAnchor;
class CCableWeight;
class CMFCPropertyGridCableWeightProperty;

class CAnchorPane : public CPropertyPane
{
    DECLARE_DYNAMIC(CAnchorPane)
public:
    CAnchorPane() = default;
    ~CAnchorPane() override;

    // What the pane shows and edits, not owned; set before Create.
    void SetData(CAnchor* pAnchor, CCableWeight* pCableWeights);

    void InitPropList() override;
    // Shows, hides and names the items for the anchor's status and cable make-up.
    void UpdateLayout();
    // Refreshes the "Anchor" group and the pickup group from the anchor.
    void UpdateValues();
    // Refreshes the status item only.
    void UpdateStatus();
    // "Depth at Anchor" shows the anchor's depth, locked while it is the terrain's.
    void UpdateDepthAtAnchor();
    // The first buoy's pennant-wire item shows the anchor's length.
    void UpdateFirstPennant();
    // Every cable-type item takes its stored type again and its options from the table.
    void UpdateCableWeights();
    // Shows the "Anchor Pickup" group for a Live anchor, its items by pennant mode.
    void UpdatePickupGroup();

    // 1 when the last status change went from not Live to Live, 2 from Live to not Live, else 0.
    int GetStatusChange() const { return m_nStatusChange; }

    // AFX_WM_PROPERTY_CHANGED: lParam the changed item. 0.
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()

private:
    CMFCPropertyGridCableWeightProperty* CableItem(int group, int sub, int subSub = -1, int subSubSub = -1,
                                                   int fifth = -1) const;
    // The table's weight in water of a type (21.93 for a type it does not hold).
    double TypeWeight(int type) const;
    // Both twins of a cable type get the index (0 when above 0 and not below a twin's options).
    void SetTwinTypes(CMFCPropertyGridCableWeightProperty* single, CMFCPropertyGridCableWeightProperty* lower,
                      int16_t type);
    // The length items of the buoys in use that hold no length yet show as missing.
    void MarkMissingLengths();
    // The value when the range rule keeps it, else 0 with a message saying so.
    double RangeChecked(double value, bool ok, const char* rule);
    // Every metric item with the id (an item and its twin) shows the value.
    void SetMetricItems(DWORD_PTR id, double metres);
    // Update layout, compute, save, post.
    void CommonTail(bool layout);

    CAnchor* m_pAnchor = nullptr;
    CCableWeight* m_pCableWeights = nullptr;
    int m_nStatusChange = 0;
    bool m_bSaveFailureTold = false;
};

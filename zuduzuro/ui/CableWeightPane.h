// CCableWeightPane: the "Cable Weight Setup" pane: the sea water's temperature and salinity
// above the table of cable types. A change of the sea water weighs every type entered in air
// afresh, saves the table, pushes the weights into the anchor and tells the owner.
#pragma once

#include "zuduzuro/ui/CableWeightListCtrl.h"
#include "zuduzuro/ui/PropertyPane.h"

class CAnchor;
class CCableWeight;

class CCableWeightPane : public CPropertyPane
{
    DECLARE_DYNAMIC(CCableWeightPane)
public:
    CCableWeightPane() = default;
    ~CCableWeightPane() override;

    // What the pane shows and edits, not owned; set before Create.
    void SetData(CAnchor* pAnchor, CCableWeight* pTable);

    void InitPropList() override;
    CCableWeightListCtrl& GetList() { return m_List; }
    // The grid's names and every column of the cable types whole.
    int GetFittingWidth() override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // AFX_WM_PROPERTY_CHANGED: lParam the changed item. 0.
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam);

protected:
    void AdjustLayout() override;
    DECLARE_MESSAGE_MAP()

private:
    void UpdateSeaWater();

    CCableWeightListCtrl m_List;
    CAnchor* m_pAnchor = nullptr;
    CCableWeight* m_pTable = nullptr;
};

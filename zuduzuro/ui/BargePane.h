// CBargePane: the pane where the user places the barge (GPS antenna position, its offset from
// the common reference point, grid heading, draft and water line) and the fairlead on it, and
// reads back the CRP, the fairlead position, the water depth below the fairlead and the winch
// tension. Edits change the barge record and the anchor in place, save them and tell the owner
// (UM_FAIRLEAD_UPDATE or UM_UPDATE_ZUDUZURO_DATA).
#pragma once

#include "zuduzuro/ui/PropertyPane.h"

class CAnchor;
class CBargeData;

class CBargePane : public CPropertyPane
{
    DECLARE_DYNAMIC(CBargePane)
public:
    CBargePane() = default;
    ~CBargePane() override;

    // What the pane shows and edits, not owned; set before Create.
    void SetData(CBargeData* pBarge, CAnchor* pAnchor);

    void InitPropList() override;
    // The CRP and the fairlead from the barge and the anchor's offsets, shown; then
    // UM_FAIRLEAD_UPDATE to the owner.
    void UpdatePositions();
    // The water depth below the fairlead and the winch tension, as the anchor now holds them.
    void UpdateAnchorValues();

    // AFX_WM_PROPERTY_CHANGED: lParam the changed item. 0.
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()

private:
    void SaveBarge();
    void SaveAnchor();

    CBargeData* m_pBarge = nullptr;
    CAnchor* m_pAnchor = nullptr;
    bool m_bBargeFailureTold = false;
    bool m_bAnchorFailureTold = false;
};

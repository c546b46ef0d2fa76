// CCableWeightSetupDlg: "Edit Anchor Cable", where the user names a cable type and gives its
// weight either in air (with its diameter, the weight in sea water then worked out from the
// table's temperature and salinity) or directly in water.
#pragma once

#include "zuduzuro/EditInt.h"

#include "foundation/ColourDialogEx.h"
#include "foundation/EditDouble.h"
#include "platform/ui/ComboBox.h"

struct CableWeightDef;
class CCableWeight;

class CCableWeightSetupDlg : public CColourDialogEx
{
    DECLARE_DYNAMIC(CCableWeightSetupDlg)
public:
    // pType: the type edited, changed only on OK; pTable: the sea water it is weighed in.
    CCableWeightSetupDlg(CableWeightDef* pType, const CCableWeight* pTable, CWnd* pParent = nullptr);

    CEditInt& GetDiameterEdit() { return m_Diameter; }
    CEditDouble& GetWeightInAirEdit() { return m_WeightInAir; }
    CEditDouble& GetWeightInWaterEdit() { return m_WeightInWater; }
    CComboBox& GetModeCombo() { return m_Mode; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    // The drop list's choice: which values are typed and which worked out.
    void OnModeChange();
    // The diameter or the weight in air left after a change: the weight in water again.
    void OnWeightKillFocus();
    DECLARE_MESSAGE_MAP()

private:
    bool InWater();
    void ApplyInputMode();
    void ShowWeightInWater();

    CableWeightDef* m_pType;
    const CCableWeight* m_pTable;
    CEditInt m_Diameter;
    CEditDouble m_WeightInAir;
    CEditDouble m_WeightInWater;
    CComboBox m_Mode;
};

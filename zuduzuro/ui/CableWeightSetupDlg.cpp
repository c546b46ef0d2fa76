#include "zuduzuro/ui/CableWeightSetupDlg.h"

#include "zuduzuro/ui/CableResources.h"

#include "zuduzuro/CableWeight.h"

#include "outside/notifex/Notifex.h"

#include <cmath>

IMPLEMENT_DYNAMIC(CCableWeightSetupDlg, CColourDialogEx)

BEGIN_MESSAGE_MAP(CCableWeightSetupDlg, CColourDialogEx)
ON_CBN_SELCHANGE(IDC_CABLE_INPUT_MODE, &CCableWeightSetupDlg::OnModeChange)
ON_EN_KILLFOCUS(IDC_CABLE_DIAMETER, &CCableWeightSetupDlg::OnWeightKillFocus)
ON_EN_KILLFOCUS(IDC_CABLE_WEIGHT_IN_AIR, &CCableWeightSetupDlg::OnWeightKillFocus)
END_MESSAGE_MAP()

namespace
{
constexpr int kAir = 0;
constexpr int kWater = 1;
} // namespace

CCableWeightSetupDlg::CCableWeightSetupDlg(CableWeightDef* pType, const CCableWeight* pTable, CWnd* pParent)
    : CColourDialogEx(IDD_CABLE_WEIGHT_SETUP, pParent), m_pType(pType), m_pTable(pTable)
{
    RegisterCableTemplates();
}

void CCableWeightSetupDlg::DoDataExchange(CDataExchange* pDX)
{
    CColourDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CABLE_DIAMETER, m_Diameter);
    DDX_Control(pDX, IDC_CABLE_WEIGHT_IN_AIR, m_WeightInAir);
    DDX_Control(pDX, IDC_CABLE_WEIGHT_IN_WATER, m_WeightInWater);
    DDX_Control(pDX, IDC_CABLE_INPUT_MODE, m_Mode);
}

BOOL CCableWeightSetupDlg::OnInitDialog()
{
    CColourDialogEx::OnInitDialog();
    m_Mode.AddString("AIR");
    m_Mode.AddString("WATER");
    m_Diameter.SetUnits("mm.");
    m_WeightInAir.SetUnits("Kg/m");
    m_WeightInWater.SetUnits("Kg/m");
    m_WeightInAir.SetFormat(2, 6, 3);
    m_WeightInWater.SetFormat(2, 6, 3);
    SetDlgItemText(IDC_CABLE_NAME, m_pType->Name);
    m_Mode.SetCurSel(m_pType->nWeightInWater != 0 ? kWater : kAir);
    m_Diameter.SetValue(m_pType->nDiameter);
    m_WeightInAir.SetValue(m_pType->WeightInAir);
    m_WeightInWater.SetValue(m_pType->WeightInWater);
    ApplyInputMode();
    return TRUE;
}

bool CCableWeightSetupDlg::InWater()
{
    return m_Mode.GetCurSel() == kWater;
}

void CCableWeightSetupDlg::ShowWeightInWater()
{
    m_WeightInWater.SetValue(WeightInSeawater(m_Diameter.GetIntValue(), m_WeightInAir.GetValue(),
                                              m_pTable->m_Temperature, m_pTable->m_Salinity));
}

void CCableWeightSetupDlg::ApplyInputMode()
{
    const bool water = InWater();
    m_Diameter.SetEnabled(water ? FALSE : TRUE);
    m_Diameter.SetReadOnly(water ? TRUE : FALSE);
    m_WeightInAir.SetEnabled(water ? FALSE : TRUE);
    m_WeightInAir.SetReadOnly(water ? TRUE : FALSE);
    m_WeightInWater.SetEnabled(TRUE);
    m_WeightInWater.SetReadOnly(water ? FALSE : TRUE);
    if (!water)
        ShowWeightInWater();
}

void CCableWeightSetupDlg::OnModeChange()
{
    ApplyInputMode();
}

void CCableWeightSetupDlg::OnWeightKillFocus()
{
    if (!InWater())
        ShowWeightInWater();
}

void CCableWeightSetupDlg::OnOK()
{
    CString name;
    GetDlgItemText(IDC_CABLE_NAME, name);
    const bool water = InWater();
    const int diameter = m_Diameter.GetIntValue();
    if (name.IsEmpty() || (diameter <= 0 && !water))
    {
        ErrorMessage(diameter == 0 ? "Diameter is Zero" : "Give a name to the cable");
        return;
    }
    const double weightInAir = m_WeightInAir.GetValue();
    if (!water && !(weightInAir >= 0.0 && std::isfinite(weightInAir)))
    {
        ErrorMessage("The weight in air must be a number of 0 or more");
        return;
    }
    CableWeightDef type = *m_pType;
    type.Name = name;
    type.nWeightInWater = water ? 1 : 0;
    if (water)
        type.WeightInWater = m_WeightInWater.GetValue();
    else
    {
        type.nDiameter = diameter;
        type.WeightInAir = weightInAir;
        type.WeightInWater =
            WeightInSeawater(diameter, weightInAir, m_pTable->m_Temperature, m_pTable->m_Salinity);
    }
    // What the next start would refuse is refused now, while the user can still mend it.
    const CString why = CCableWeight::CheckType(type);
    if (!why.IsEmpty())
    {
        ErrorMessage("No anchor cable can be this type: " + why + ".");
        return;
    }
    type.DamagedText.Empty();
    *m_pType = type;
    CColourDialogEx::OnOK();
}

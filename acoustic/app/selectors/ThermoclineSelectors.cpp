#include "acoustic/app/selectors/ThermoclineSelectors.h"

#include "acoustic/engine/SpeedOfSoundInWater.h"
#include "foundation/PressureMode.h"

namespace
{
int Check(bool checked)
{
    return checked ? BST_CHECKED : BST_UNCHECKED;
}
} // namespace

IMPLEMENT_DYNAMIC(CThermoclineSelector, CColumnSelector)
IMPLEMENT_DYNAMIC(CThermoclineCsvSelector, CThermoclineSelector)
IMPLEMENT_DYNAMIC(CThermoclineExcelSelector, CThermoclineSelector)

BEGIN_MESSAGE_MAP(CThermoclineSelector, CColumnSelector)
ON_BN_CLICKED(IDC_THERMOCLINE_SALINITY, &CThermoclineSelector::OnSalinity)
ON_BN_CLICKED(IDC_THERMOCLINE_CONDUCTIVITY, &CThermoclineSelector::OnConductivity)
ON_BN_CLICKED(IDC_THERMOCLINE_DEPTH, &CThermoclineSelector::OnDepth)
ON_BN_CLICKED(IDC_THERMOCLINE_PRESSURE_BAR, &CThermoclineSelector::OnPressureBar)
ON_BN_CLICKED(IDC_THERMOCLINE_PRESSURE_KG, &CThermoclineSelector::OnPressureKg)
END_MESSAGE_MAP()

CThermoclineSelector::CThermoclineSelector(UINT nIDTemplate, int listKind, const char* filter, CWnd* pParent)
    : CColumnSelector(nIDTemplate, COLUMN_SELECTOR_LOOK{3, listKind, "Velocity Profile", filter}, pParent)
{
}

CThermoclineCsvSelector::CThermoclineCsvSelector(CWnd* pParent)
    : CThermoclineSelector(IDD_THERMOCLINE_CSV_SELECTOR, EXCEL_COLUMN_NUMBERS,
                           "Velocity Profile File (*.csv)|*.csv|(*.txt)|*.txt||", pParent)
{
}

CThermoclineExcelSelector::CThermoclineExcelSelector(CWnd* pParent)
    : CThermoclineSelector(IDD_THERMOCLINE_EXCEL_SELECTOR, EXCEL_COLUMN_LETTERS,
                           "Velocity Profile File (*.xlsx)|*.xlsx|Grid on Grid File (*.xls)|*.xls||", pParent)
{
}

void CThermoclineSelector::DoDataExchange(CDataExchange* pDX)
{
    CColumnSelector::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_THERMOCLINE_SALINITY, m_Salinity);
    DDX_Control(pDX, IDC_THERMOCLINE_CONDUCTIVITY, m_Conductivity);
    DDX_Control(pDX, IDC_THERMOCLINE_DEPTH, m_Depth);
    DDX_Control(pDX, IDC_THERMOCLINE_PRESSURE_BAR, m_PressureBar);
    DDX_Control(pDX, IDC_THERMOCLINE_PRESSURE_KG, m_PressureKg);
}

BOOL CThermoclineSelector::OnInitDialog()
{
    CColumnSelector::OnInitDialog();
    const bool pressure = m_pSpeedOfSound->m_PressureMode != 0;
    const bool kg = pressure && LoadPressureMode() == PRESSURE_KG_PER_CM2;
    m_Depth.SetCheck(Check(!pressure));
    m_PressureBar.SetCheck(Check(pressure && !kg));
    m_PressureKg.SetCheck(Check(kg));
    const bool conductivity = m_pSpeedOfSound->m_SalinityMode != 0;
    m_Salinity.SetCheck(Check(!conductivity));
    m_Conductivity.SetCheck(Check(conductivity));
    return TRUE;
}

void CThermoclineSelector::OnSalinity()
{
    m_Salinity.SetCheck(BST_CHECKED);
    m_Conductivity.SetCheck(BST_UNCHECKED);
}

void CThermoclineSelector::OnConductivity()
{
    m_Conductivity.SetCheck(BST_CHECKED);
    m_Salinity.SetCheck(BST_UNCHECKED);
}

void CThermoclineSelector::OnDepth()
{
    m_Depth.SetCheck(BST_CHECKED);
    m_PressureBar.SetCheck(BST_UNCHECKED);
    m_PressureKg.SetCheck(BST_UNCHECKED);
}

void CThermoclineSelector::OnPressureBar()
{
    m_PressureBar.SetCheck(BST_CHECKED);
    m_Depth.SetCheck(BST_UNCHECKED);
    m_PressureKg.SetCheck(BST_UNCHECKED);
}

void CThermoclineSelector::OnPressureKg()
{
    m_PressureKg.SetCheck(BST_CHECKED);
    m_Depth.SetCheck(BST_UNCHECKED);
    m_PressureBar.SetCheck(BST_UNCHECKED);
}

void CThermoclineSelector::OnOK()
{
    if (m_Depth.GetCheck() != BST_CHECKED)
    {
        m_pSpeedOfSound->m_PressureMode = 1;
        SavePressureMode(m_PressureBar.GetCheck() == BST_CHECKED ? PRESSURE_BAR : PRESSURE_KG_PER_CM2);
    }
    else
        m_pSpeedOfSound->m_PressureMode = 0;
    m_pSpeedOfSound->m_SalinityMode = m_Salinity.GetCheck() == BST_CHECKED ? 0 : 1;
    CColumnSelector::OnOK();
}

#include "zuduzuro/ui/CableWeightCalculatorDlg.h"

#include "zuduzuro/ui/CableResources.h"

#include "zuduzuro/CableWeight.h"

#include "foundation/ConfigFile.h"
#include "outside/notifex/Notifex.h"

#include <cstdlib>

IMPLEMENT_DYNAMIC(CCableWeightCalculatorDlg, CColourDialogEx)

BEGIN_MESSAGE_MAP(CCableWeightCalculatorDlg, CColourDialogEx)
ON_EN_KILLFOCUS(IDC_CALC_DIAMETER, &CCableWeightCalculatorDlg::OnDiameterKillFocus)
ON_EN_KILLFOCUS(IDC_CALC_WEIGHT_IN_AIR, &CCableWeightCalculatorDlg::OnWeightKillFocus)
ON_EN_KILLFOCUS(IDC_CALC_TEMPERATURE, &CCableWeightCalculatorDlg::OnTemperatureKillFocus)
ON_EN_KILLFOCUS(IDC_CALC_SALINITY, &CCableWeightCalculatorDlg::OnSalinityKillFocus)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

namespace
{
const char kSettingsName[] = "Cable Weight Calculator";
constexpr COLORREF kResultBackground = 0x99FFFF;
constexpr double kPi = 3.14159265358979323846;
constexpr int kResults[] = {IDC_CALC_CABLE_DENSITY, IDC_CALC_FRESH_WEIGHT, IDC_CALC_SEA_WEIGHT,
                            IDC_CALC_FRESH_DENSITY, IDC_CALC_SEA_DENSITY};
} // namespace

CCableWeightCalculatorDlg::CCableWeightCalculatorDlg(CWnd* pParent)
    : CColourDialogEx(IDD_CABLE_WEIGHT_CALCULATOR, pParent)
{
    RegisterCableTemplates();
    m_ResultBrush.CreateSolidBrush(kResultBackground);
    // Writer and reader side by side: Save writes these four lines in this order.
    CConfigFile::ReadSettingsFile(kSettingsName, [this](CConfigFile& file) {
        m_Diameter = file.ReadInt(0);
        m_WeightInAir = file.ReadDouble(0.0);
        m_Temperature = file.ReadDouble(0.0);
        m_Salinity = file.ReadDouble(0.0);
    });
    if (m_Diameter <= 0)
        m_Diameter = 100;
}

bool CCableWeightCalculatorDlg::Save() const
{
    return CConfigFile::WriteSettingsFile(kSettingsName, [this](CConfigFile& file) {
        file.WriteInt("Diameter", m_Diameter);
        file.WriteDouble("Weight In Air", m_WeightInAir, 3);
        file.WriteDouble("Temperature", m_Temperature, 3);
        file.WriteDouble("Salinity", m_Salinity, 3);
    });
}

void CCableWeightCalculatorDlg::DoDataExchange(CDataExchange* pDX)
{
    CColourDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CALC_DIAMETER, m_DiameterEdit);
    DDX_Control(pDX, IDC_CALC_WEIGHT_IN_AIR, m_WeightInAirEdit);
    DDX_Control(pDX, IDC_CALC_TEMPERATURE, m_TemperatureEdit);
    DDX_Control(pDX, IDC_CALC_SALINITY, m_SalinityEdit);
}

BOOL CCableWeightCalculatorDlg::OnInitDialog()
{
    CColourDialogEx::OnInitDialog();
    m_DiameterEdit.SetUnits("mm.");
    m_WeightInAirEdit.SetUnits("Kg/m");
    m_TemperatureEdit.SetUnits("\xB0""C");
    m_SalinityEdit.SetUnits("ppm");
    m_DiameterEdit.SetValue(m_Diameter);
    m_WeightInAirEdit.SetValue(m_WeightInAir);
    m_TemperatureEdit.SetValue(m_Temperature);
    m_SalinityEdit.SetValue(m_Salinity);
    ShowResult(IDC_CALC_FRESH_DENSITY, 1000.0);
    Compute();
    return TRUE;
}

void CCableWeightCalculatorDlg::ShowResult(int nID, double value)
{
    CString text;
    text.Format("%.3lf", value);
    SetDlgItemText(nID, text);
}

void CCableWeightCalculatorDlg::Compute()
{
    const double radius = m_Diameter * 0.5 * 0.001;
    ShowResult(IDC_CALC_CABLE_DENSITY, m_Diameter < 1 ? 0.0 : m_WeightInAir / (kPi * radius * radius));
    ShowResult(IDC_CALC_FRESH_WEIGHT, WeightInFreshWater(m_Diameter, m_WeightInAir));
    ShowResult(IDC_CALC_SEA_WEIGHT, WeightInSeawater(m_Diameter, m_WeightInAir, m_Temperature, m_Salinity));
    ShowResult(IDC_CALC_SEA_DENSITY, SeawaterDensity(m_Temperature, m_Salinity));
}

void CCableWeightCalculatorDlg::TakeInput(int nID)
{
    CString text;
    GetDlgItemText(nID, text);
    switch (nID)
    {
    case IDC_CALC_DIAMETER: m_Diameter = std::atoi(text); break;
    case IDC_CALC_WEIGHT_IN_AIR: m_WeightInAir = std::atof(text); break;
    case IDC_CALC_TEMPERATURE: m_Temperature = std::atof(text); break;
    default: m_Salinity = std::atof(text); break;
    }
    if (!Save() && !m_bSaveFailureTold)
    {
        m_bSaveFailureTold = true;
        ErrorMessage("The calculator's settings could not be written.");
    }
    Compute();
}

HBRUSH CCableWeightCalculatorDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (pWnd != nullptr && pDC != nullptr)
        for (int id : kResults)
            if (pWnd->GetDlgCtrlID() == id)
            {
                pDC->SetTextColor(0x000000);
                pDC->SetBkColor(kResultBackground);
                return static_cast<HBRUSH>(m_ResultBrush.GetSafeHandle());
            }
    return CColourDialogEx::OnCtlColor(pDC, pWnd, nCtlColor);
}

// CCableWeightCalculatorDlg: the "Cable Weight Calculator": from a cable's diameter and weight
// in air and the sea water's temperature and salinity, its density and its weights in fresh
// and sea water. It changes no cable type; what was typed is kept in the settings file
// "Cable Weight Calculator" for the next time.
//
// Units: diameter mm, weights kg/m, temperature °C, salinity practical salinity, densities
// kg/m³.
#pragma once

#include "zuduzuro/EditInt.h"

#include "foundation/ColourDialogEx.h"
#include "foundation/EditDouble.h"
#include "platform/ui/GdiObject.h"

class CCableWeightCalculatorDlg : public CColourDialogEx
{
    DECLARE_DYNAMIC(CCableWeightCalculatorDlg)
public:
    // The settings file's values, else diameter 100, weight 100, 0 °C and salinity 10.
    explicit CCableWeightCalculatorDlg(CWnd* pParent = nullptr);

    // Writes the four values whole; false when the file cannot be written.
    bool Save() const;
    // Shows the five results.
    void Compute();

    int m_Diameter = 100;
    double m_WeightInAir = 100.0;
    double m_Temperature = 0.0;
    double m_Salinity = 10.0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // An input left after a change: its value taken, the file written, the results again.
    void OnDiameterKillFocus() { TakeInput(1000); }
    void OnWeightKillFocus() { TakeInput(1001); }
    void OnTemperatureKillFocus() { TakeInput(1007); }
    void OnSalinityKillFocus() { TakeInput(1008); }
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    void TakeInput(int nID);
    void ShowResult(int nID, double value);

    CEditInt m_DiameterEdit;
    CEditDouble m_WeightInAirEdit;
    CEditDouble m_TemperatureEdit;
    CEditDouble m_SalinityEdit;
    CBrush m_ResultBrush;
    bool m_bSaveFailureTold = false;
};

// The velocity-profile column selectors: temperature, salinity (or conductivity ratio) and
// depth (or pressure), from a CSV file or a workbook. Whether the second column holds a
// conductivity ratio and the third a pressure, and in which unit, are kept on OK only: in the
// sound-speed object and, for the unit, in the shared "Pressure Mode" setting.
#pragma once

#include "acoustic/app/selectors/ColumnSelector.h"
#include "platform/ui/Button.h"

class CSpeedOfSoundInWater;

class CThermoclineSelector : public CColumnSelector
{
    DECLARE_DYNAMIC(CThermoclineSelector)
public:
    CSpeedOfSoundInWater* m_pSpeedOfSound = nullptr; // set before DoModal

protected:
    CThermoclineSelector(UINT nIDTemplate, int listKind, const char* filter, CWnd* pParent);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnSalinity();
    void OnConductivity();
    void OnDepth();
    void OnPressureBar();
    void OnPressureKg();
    DECLARE_MESSAGE_MAP()

    CButton m_Salinity;
    CButton m_Conductivity;
    CButton m_Depth;
    CButton m_PressureBar;
    CButton m_PressureKg;
};

class CThermoclineCsvSelector : public CThermoclineSelector
{
    DECLARE_DYNAMIC(CThermoclineCsvSelector)
public:
    explicit CThermoclineCsvSelector(CWnd* pParent = nullptr);
};

class CThermoclineExcelSelector : public CThermoclineSelector
{
    DECLARE_DYNAMIC(CThermoclineExcelSelector)
public:
    explicit CThermoclineExcelSelector(CWnd* pParent = nullptr);
};

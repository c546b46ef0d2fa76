// CWindFarmDlg: the modal dialog in which the user sets how wind farms and their turbines are
// shown; OK keeps the choices in the list and in the "WindFarms" settings file.
#pragma once

#include "featureui/TolvarApi.h"
#include "foundation/ColourButton.h"
#include "foundation/ColourDialogEx.h"
#include "foundation/ColourPickerComboBoxEx.h"

class CWindFarmList;

class TOLVAR_API CWindFarmDlg : public CColourDialogEx
{
    DECLARE_DYNAMIC(CWindFarmDlg)
public:
    explicit CWindFarmDlg(CWnd* pParent = nullptr);

    // The host's list (borrowed); call before DoModal.
    void SetData(CWindFarmList* pList) { m_pWindFarmList = pList; }
    // The display settings as the file keeps them; written whole or not at all.
    static bool SaveSettings(const CWindFarmList& list);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnBnClickedOk();
    DECLARE_MESSAGE_MAP()

    CColourPickerComboBoxEx m_TurbineColour;
    CColourPickerComboBoxEx m_BoundaryColour;
    CColourButton m_DisplayBoundary;
    CColourButton m_LabelName;
    CColourButton m_DisplayTurbines;
    CColourButton m_LabelTurbine;
    CColourButton m_OK;
    CColourButton m_Cancel;
    CWindFarmList* m_pWindFarmList = nullptr;
};

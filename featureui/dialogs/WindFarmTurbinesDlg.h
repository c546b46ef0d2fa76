// CWindFarmTurbinesDlg: the modal dialog that lists the turbines of one wind farm with their
// positions and attributes, and shows the remarks of the turbine clicked.
#pragma once

#include "featureui/TolvarApi.h"
#include "foundation/ColourButton.h"
#include "foundation/ColourDialogEx.h"
#include "foundation/MyListCtrl.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ImageList.h"

class CWindFarmList;
struct TurbineDef;

class TOLVAR_API CWindFarmTurbinesDlg : public CColourDialogEx
{
    DECLARE_DYNAMIC(CWindFarmTurbinesDlg)
public:
    explicit CWindFarmTurbinesDlg(CWnd* pParent = nullptr);

    // The turbine to show first, its wind farm and the host's list (borrowed); call before
    // DoModal.
    void SetData(const char* turbineId, const char* windFarm, CWindFarmList* pList);

    // "%.2f" without trailing zeros; empty for WIND_FARM_NO_VALUE.
    static CString FormatValue(float value);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnClickList1(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    CMyListCtrl m_List;
    CEdit m_Remarks;
    CColourButton m_OK;
    CString m_TurbineId;
    CString m_WindFarm;
    CWindFarmList* m_pWindFarmList = nullptr;
    CImageList m_ImageList;

private:
    // The turbine of this wind farm with that identifier; null for none.
    const TurbineDef* FindTurbine(const char* id) const;
};

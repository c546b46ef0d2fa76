// CNetworkStationDlg: "Network  Station", where the user names a seabed station, types its
// position and depth, picks its type by name and icon and, for a boxed-in station, its weight.
// OK takes nothing that is not a number, no empty name and no name of another station: the
// field at fault is marked and the dialog stays open.
#pragma once

#include "foundation/ColourButton.h"
#include "foundation/ColourDialogEx.h"
#include "foundation/EditDouble.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/GdiObject.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Static.h"

class CNetwork;
class CNetworkStation;

class CNetworkStationDlg : public CColourDialogEx
{
    DECLARE_DYNAMIC(CNetworkStationDlg)
public:
    // pStation: the copy edited, changed only on OK. pNetwork and nIndex: the network whose
    // other stations' names the name must differ from, and the station's place in it (-1 for
    // a station not yet in it); no network, no such check.
    CNetworkStationDlg(CNetworkStation* pStation, const CNetwork* pNetwork = nullptr, int nIndex = -1,
                       CWnd* pParent = nullptr);

    // The type names in type order ("Unused", "Float", "Fixed", "Boxed").
    static const char* const TYPE_NAMES[4];

    CEdit& GetNameEdit() { return m_Name; }
    CEditDouble& GetNumberEdit(UINT nID);
    CComboBoxEx& GetTypeBox() { return m_Type; }
    // The control marked as refused at the last OK; 0 when none is.
    UINT GetRefusedControl() const { return m_nRefused; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnTypeChange();
    void OnFieldChange();
    // The refused field in white on red until it changes.
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    void ShowWeight();
    // Marks the control, gives it the focus with its text selected and tells the user why.
    void Refuse(UINT nID, const CString& why);

    CNetworkStation* m_pStation;
    const CNetwork* m_pNetwork;
    int m_nIndex;
    CEdit m_Name;
    CEditDouble m_Easting;
    CEditDouble m_Northing;
    CEditDouble m_Height;
    CEditDouble m_Weight;
    CComboBoxEx m_Type;
    CStatic m_WeightLabel;
    CColourButton m_OK;
    CColourButton m_Cancel;
    CImageList m_Icons;
    CBrush m_RefusedBrush;
    UINT m_nRefused = 0;
};

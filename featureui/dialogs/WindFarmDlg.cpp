#include "featureui/dialogs/WindFarmDlg.h"

#include "featureui/dialogs/GpxWindFarmResources.h"
#include "features/WindFarmList.h"
#include "foundation/ConfigFile.h"

namespace
{
UINT WindFarmTemplate()
{
    RegisterGpxWindFarmTemplates();
    return IDD_WIND_FARM;
}

void ShowColour(CColourPickerComboBoxEx& combo, COLORREF colour)
{
    combo.FillColours();
    const int entry = CColourPickerComboBoxEx::FindColour(colour);
    combo.SetCurSel(entry < 0 ? 0 : entry);
}

// Black for no selection, as for anything outside the swatches.
COLORREF ChosenColour(const CColourPickerComboBoxEx& combo)
{
    const int entry = combo.GetCurSel();
    return entry < 0 || entry >= CColourPickerComboBoxEx::kColourCount ? 0
                                                                        : CColourPickerComboBoxEx::GetColour(entry);
}
} // namespace

IMPLEMENT_DYNAMIC(CWindFarmDlg, CColourDialogEx)

BEGIN_MESSAGE_MAP(CWindFarmDlg, CColourDialogEx)
ON_BN_CLICKED(IDOK, &CWindFarmDlg::OnBnClickedOk)
END_MESSAGE_MAP()

CWindFarmDlg::CWindFarmDlg(CWnd* pParent) : CColourDialogEx(WindFarmTemplate(), pParent) {}

void CWindFarmDlg::DoDataExchange(CDataExchange* pDX)
{
    CColourDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WIND_FARM_TURBINE_COLOUR, m_TurbineColour);
    DDX_Control(pDX, IDC_WIND_FARM_BOUNDARY_COLOUR, m_BoundaryColour);
    DDX_Control(pDX, IDC_WIND_FARM_DISPLAY_BOUNDARY, m_DisplayBoundary);
    DDX_Control(pDX, IDC_WIND_FARM_LABEL_NAME, m_LabelName);
    DDX_Control(pDX, IDC_WIND_FARM_DISPLAY_TURBINES, m_DisplayTurbines);
    DDX_Control(pDX, IDC_WIND_FARM_LABEL_TURBINE, m_LabelTurbine);
    DDX_Control(pDX, IDOK, m_OK);
    DDX_Control(pDX, IDCANCEL, m_Cancel);
}

BOOL CWindFarmDlg::OnInitDialog()
{
    CColourDialogEx::OnInitDialog();
    if (!m_pWindFarmList)
        return TRUE;
    const CWindFarmList& list = *m_pWindFarmList;
    m_LabelName.SetCheck(list.m_bLabelWindFarm ? BST_CHECKED : BST_UNCHECKED);
    m_DisplayBoundary.SetCheck(list.m_bDisplayBoundary ? BST_CHECKED : BST_UNCHECKED);
    m_DisplayTurbines.SetCheck(list.m_bDisplayTurbines ? BST_CHECKED : BST_UNCHECKED);
    m_LabelTurbine.SetCheck(list.m_bLabelTurbines ? BST_CHECKED : BST_UNCHECKED);
    ShowColour(m_BoundaryColour, list.m_BoundaryColour);
    ShowColour(m_TurbineColour, list.m_TurbineColour);
    return TRUE;
}

void CWindFarmDlg::OnBnClickedOk()
{
    if (m_pWindFarmList)
    {
        CWindFarmList& list = *m_pWindFarmList;
        list.m_bLabelWindFarm = m_LabelName.GetCheck() == BST_CHECKED;
        list.m_bDisplayBoundary = m_DisplayBoundary.GetCheck() == BST_CHECKED;
        list.m_bDisplayTurbines = m_DisplayTurbines.GetCheck() == BST_CHECKED;
        list.m_bLabelTurbines = m_LabelTurbine.GetCheck() == BST_CHECKED;
        list.m_BoundaryColour = ChosenColour(m_BoundaryColour);
        list.m_TurbineColour = ChosenColour(m_TurbineColour);
        // A file that cannot be written keeps the old one whole; the dialog closes all the same.
        SaveSettings(list);
    }
    EndDialog(IDOK);
}

bool CWindFarmDlg::SaveSettings(const CWindFarmList& list)
{
    return CConfigFile::WriteSettingsFile("WindFarms", [&list](CConfigFile& file) {
        file.WriteBool("Display Turbines", list.m_bDisplayTurbines);
        file.WriteBool("Label Turbines", list.m_bLabelTurbines);
        file.WriteUnsigned("Colour Turbines", list.m_TurbineColour);
        file.WriteBool("Display Boundary", list.m_bDisplayBoundary);
        file.WriteBool("Label Wind Farm", list.m_bLabelWindFarm);
        file.WriteUnsigned("Colour Boundary", list.m_BoundaryColour);
    });
}

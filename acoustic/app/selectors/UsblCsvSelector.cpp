#include "acoustic/app/selectors/UsblCsvSelector.h"

#include "acoustic/engine/UsblCalibration.h"
#include "foundation/ListCtrlImport.h"

IMPLEMENT_DYNAMIC(CUsblCsvSelector, CColumnSelector)

BEGIN_MESSAGE_MAP(CUsblCsvSelector, CColumnSelector)
ON_BN_CLICKED(IDC_USBL_RAW_DATA_MODE, &CUsblCsvSelector::OnRawDataMode)
ON_BN_CLICKED(IDC_USBL_ROV_MODE, &CUsblCsvSelector::OnRovMode)
END_MESSAGE_MAP()

CUsblCsvSelector::CUsblCsvSelector(CWnd* pParent)
    : CColumnSelector(IDD_USBL_CSV_SELECTOR,
                      COLUMN_SELECTOR_LOOK{FIELD_COUNT, EXCEL_COLUMN_NUMBERS, "Boxin",
                                           "Boxin Data File (*.csv)|*.csv|(*.txt)|*.txt||"},
                      pParent)
{
}

void CUsblCsvSelector::DoDataExchange(CDataExchange* pDX)
{
    CColumnSelector::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_USBL_RAW_DATA_MODE, m_RawDataMode);
    DDX_Control(pDX, IDC_USBL_ROV_MODE, m_RovMode);
}

BOOL CUsblCsvSelector::OnInitDialog()
{
    CColumnSelector::OnInitDialog();
    Refresh();
    return TRUE;
}

void CUsblCsvSelector::Refresh()
{
    const bool rawData = m_pCalibration->m_RawDataMode;
    m_RawDataMode.SetCheck(rawData ? BST_CHECKED : BST_UNCHECKED);
    m_RovMode.SetCheck(rawData ? BST_UNCHECKED : BST_CHECKED);
    for (int field = 0; field < FIELD_COUNT; ++field)
    {
        CExcelColumnComboBox& combo = m_Columns[field];
        const bool enabled = FieldRead(field, rawData);
        combo.EnableWindow(enabled);
        const int column = m_pImport->GetAt(field).Column;
        if (enabled)
        {
            // A combo that showed "n/a" gets its column list back.
            if (combo.GetCount() != CExcelColumnComboBox::kLastColumn + 2)
                combo.ResetContent();
            combo.SetColumn(column, EXCEL_COLUMN_NUMBERS);
        }
        else
        {
            // A drop-down list shows only its own entries: "n/a" is the one entry while the
            // field is not read, and the definition's column stays remembered.
            combo.ResetContent();
            combo.AddString("n/a");
            combo.SetCurSel(0);
            combo.m_Column = column;
        }
    }
}

void CUsblCsvSelector::SetMode(bool rawData)
{
    m_pCalibration->m_RawDataMode = rawData;
    m_pCalibration->SaveSettings();
    Refresh();
}

void CUsblCsvSelector::OnRawDataMode()
{
    SetMode(true);
}

void CUsblCsvSelector::OnRovMode()
{
    SetMode(false);
}

void CUsblCsvSelector::OnOK()
{
    const bool rawData = m_pCalibration->m_RawDataMode;
    for (int field = 0; field < FIELD_COUNT; ++field)
    {
        m_pImport->SetColumn(field, FieldRead(field, rawData) ? ChosenColumn(field) : -1);
    }
    CColourDialogEx::OnOK();
}

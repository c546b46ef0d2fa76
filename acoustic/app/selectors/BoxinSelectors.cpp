#include "acoustic/app/selectors/BoxinSelectors.h"

#include "acoustic/engine/Boxin.h"

// The fields' labels.
#define LABEL_OF(field) (IDC_SELECTOR_LABEL_0 + (field))

IMPLEMENT_DYNAMIC(CBoxinSelector, CColumnSelector)
IMPLEMENT_DYNAMIC(CBoxinCsvSelector, CBoxinSelector)
IMPLEMENT_DYNAMIC(CBoxinExcelSelector, CBoxinSelector)

BEGIN_MESSAGE_MAP(CBoxinSelector, CColumnSelector)
ON_BN_CLICKED(IDC_BOXIN_METRES, &CBoxinSelector::OnMetres)
ON_BN_CLICKED(IDC_BOXIN_SECONDS, &CBoxinSelector::OnSeconds)
ON_BN_CLICKED(IDC_BOXIN_MILLISECONDS, &CBoxinSelector::OnMilliseconds)
ON_CBN_SELCHANGE(IDC_BOXIN_TRAVEL_TIME, &CBoxinSelector::OnTravelTime)
ON_CBN_SELCHANGE(IDC_SELECTOR_COLUMN_0 + CBoxinSelector::FIELD_GYRO, &CBoxinSelector::OnLabelColumn)
ON_CBN_SELCHANGE(IDC_SELECTOR_COLUMN_0 + CBoxinSelector::FIELD_DEPTH, &CBoxinSelector::OnLabelColumn)
END_MESSAGE_MAP()

CBoxinSelector::CBoxinSelector(UINT nIDTemplate, int listKind, const char* filter, CWnd* pParent)
    : CColumnSelector(nIDTemplate, COLUMN_SELECTOR_LOOK{FIELD_COUNT, listKind, "Boxin", filter}, pParent)
{
}

CBoxinCsvSelector::CBoxinCsvSelector(CWnd* pParent)
    : CBoxinSelector(IDD_BOXIN_CSV_SELECTOR, EXCEL_COLUMN_NUMBERS,
                     "Boxin Data File (*.csv)|*.csv|(*.txt)|*.txt||", pParent)
{
}

CBoxinExcelSelector::CBoxinExcelSelector(CWnd* pParent)
    : CBoxinSelector(IDD_BOXIN_EXCEL_SELECTOR, EXCEL_COLUMN_LETTERS,
                     "Boxin Data File (*.xlsx)|*.xlsx|Grid on Grid File (*.xls)|*.xls||", pParent)
{
}

void CBoxinSelector::DoDataExchange(CDataExchange* pDX)
{
    CColumnSelector::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BOXIN_METRES, m_Metres);
    DDX_Control(pDX, IDC_BOXIN_SECONDS, m_Seconds);
    DDX_Control(pDX, IDC_BOXIN_MILLISECONDS, m_Milliseconds);
    DDX_Control(pDX, IDC_BOXIN_TRAVEL_TIME, m_TravelTime);
}

BOOL CBoxinSelector::OnInitDialog()
{
    CColumnSelector::OnInitDialog();
    m_Metres.SetCheck(m_pBoxin->m_RangeMode == 0 ? BST_CHECKED : BST_UNCHECKED);
    m_Seconds.SetCheck(m_pBoxin->m_RangeMode == 1 ? BST_CHECKED : BST_UNCHECKED);
    m_Milliseconds.SetCheck(m_pBoxin->m_RangeMode == 2 ? BST_CHECKED : BST_UNCHECKED);
    m_TravelTime.ResetContent();
    m_TravelTime.AddString("One Way");
    m_TravelTime.AddString("Two Way");
    m_TravelTime.SetCurSel(m_pBoxin->m_TwoWayTravelTime ? 1 : 0);
    UpdateLabels();
    return TRUE;
}

void CBoxinSelector::UpdateLabels()
{
    const auto inEffect = [this](int field) { return m_Columns[field].GetCurSel() > 0; };
    CExcelColumnComboBox& depth = m_Columns[FIELD_DEPTH];
    if (m_pBoxin->m_RangeMode != 0)
    {
        SetDlgItemText(LABEL_OF(FIELD_OBSERVATION), "Travel Time");
        m_TravelTime.ShowWindow(SW_SHOW);
        GetDlgItem(LABEL_OF(FIELD_DEPTH))->ShowWindow(SW_HIDE);
        depth.ShowWindow(SW_HIDE);
        // A travel time carries no depth of its own: nothing is remembered for it either.
        depth.SetColumn(-1, m_Look.listKind);
    }
    else
    {
        SetDlgItemText(LABEL_OF(FIELD_OBSERVATION), inEffect(FIELD_DEPTH) ? "Horizontal Range" : "Slope Range");
        GetDlgItem(LABEL_OF(FIELD_DEPTH))->ShowWindow(SW_SHOW);
        depth.ShowWindow(SW_SHOW);
        m_TravelTime.ShowWindow(SW_HIDE);
    }
    const bool gyro = inEffect(FIELD_GYRO);
    SetDlgItemText(LABEL_OF(FIELD_EASTING), gyro ? "CRP Easting" : "Transducer Easting");
    SetDlgItemText(LABEL_OF(FIELD_NORTHING), gyro ? "CPR Northing" : "Transducer Northing");
}

void CBoxinSelector::SetRangeMode(int mode)
{
    m_pBoxin->m_RangeMode = mode;
    m_Metres.SetCheck(mode == 0 ? BST_CHECKED : BST_UNCHECKED);
    m_Seconds.SetCheck(mode == 1 ? BST_CHECKED : BST_UNCHECKED);
    m_Milliseconds.SetCheck(mode == 2 ? BST_CHECKED : BST_UNCHECKED);
    UpdateLabels();
    m_pBoxin->SaveSettings();
}

void CBoxinSelector::OnMetres()
{
    SetRangeMode(0);
}

void CBoxinSelector::OnSeconds()
{
    SetRangeMode(1);
}

void CBoxinSelector::OnMilliseconds()
{
    SetRangeMode(2);
}

void CBoxinSelector::OnTravelTime()
{
    m_pBoxin->m_TwoWayTravelTime = m_TravelTime.GetCurSel() != 0;
    m_pBoxin->SaveSettings();
}

void CBoxinSelector::OnLabelColumn()
{
    UpdateLabels();
}

#include "acoustic/app/selectors/GridOnGridSelectors.h"

#include "platform/ui/Resources.h"

IMPLEMENT_DYNAMIC(CGridOnGridCsvSelector, CColumnSelector)
IMPLEMENT_DYNAMIC(CGridOnGridExcelSelector, CColumnSelector)

CGridOnGridCsvSelector::CGridOnGridCsvSelector(CWnd* pParent)
    : CColumnSelector(IDD_GRID_ON_GRID_CSV_SELECTOR,
                      COLUMN_SELECTOR_LOOK{4, EXCEL_COLUMN_NUMBERS, "Grid on Grid",
                                           "Grid on Grid File (*.csv)|*.csv|(*.txt)|*.txt||"},
                      pParent)
{
}

CGridOnGridExcelSelector::CGridOnGridExcelSelector(CWnd* pParent)
    : CColumnSelector(IDD_GRID_ON_GRID_EXCEL_SELECTOR,
                      COLUMN_SELECTOR_LOOK{4, EXCEL_COLUMN_LETTERS, "Grid on Grid",
                                           "Grid on Grid File (*.xlsx)|*.xlsx|Grid on Grid File (*.xls)|*.xls||"},
                      pParent)
{
}

BOOL CGridOnGridExcelSelector::OnInitDialog()
{
    CColumnSelector::OnInitDialog();
    CString easting, northing;
    AfxLoadString(IDS_SELECTOR_EASTING, easting);
    AfxLoadString(IDS_SELECTOR_NORTHING, northing);
    // Fields in order: easting A, northing A, easting B, northing B.
    for (int field = 0; field < 4; ++field)
        SetDlgItemText(IDC_SELECTOR_LABEL_0 + field, field % 2 == 0 ? easting : northing);
    return TRUE;
}

// The grid-on-grid column selectors: the easting and northing of each point in system A and in
// system B, from a CSV file or a workbook.
#pragma once

#include "acoustic/app/selectors/ColumnSelector.h"

class CGridOnGridCsvSelector : public CColumnSelector
{
    DECLARE_DYNAMIC(CGridOnGridCsvSelector)
public:
    explicit CGridOnGridCsvSelector(CWnd* pParent = nullptr);
};

class CGridOnGridExcelSelector : public CColumnSelector
{
    DECLARE_DYNAMIC(CGridOnGridExcelSelector)
public:
    explicit CGridOnGridExcelSelector(CWnd* pParent = nullptr);

protected:
    // The position labels come from the string table (empty when it lacks them).
    BOOL OnInitDialog() override;
};

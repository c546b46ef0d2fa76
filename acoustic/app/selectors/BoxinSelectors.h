// The Boxin column selectors, for a CSV file and for a workbook: besides the five fields they
// set the Boxin object's range unit and one-way or two-way travel time (saved to its settings
// at once, so they outlive a Cancel), and name the fields after what the chosen columns make
// of them: a slope or horizontal range, a travel time, the vessel's or the transducer's
// position.
#pragma once

#include "acoustic/app/selectors/ColumnSelector.h"
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"

class CBoxin;

class CBoxinSelector : public CColumnSelector
{
    DECLARE_DYNAMIC(CBoxinSelector)
public:
    // Field order of the Boxin definitions.
    enum
    {
        FIELD_EASTING,
        FIELD_NORTHING,
        FIELD_GYRO,
        FIELD_DEPTH,
        FIELD_OBSERVATION,
        FIELD_COUNT
    };

    CBoxin* m_pBoxin = nullptr; // set before DoModal

protected:
    CBoxinSelector(UINT nIDTemplate, int listKind, const char* filter, CWnd* pParent);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnMetres();
    void OnSeconds();
    void OnMilliseconds();
    void OnTravelTime();
    void OnLabelColumn();
    DECLARE_MESSAGE_MAP()

    // The labels and the depth field after the range unit and the gyro and depth columns.
    void UpdateLabels();
    // Range unit `mode` checked alone, kept and saved.
    void SetRangeMode(int mode);

    CButton m_Metres;
    CButton m_Seconds;
    CButton m_Milliseconds;
    CComboBox m_TravelTime;
};

class CBoxinCsvSelector : public CBoxinSelector
{
    DECLARE_DYNAMIC(CBoxinCsvSelector)
public:
    explicit CBoxinCsvSelector(CWnd* pParent = nullptr);
};

class CBoxinExcelSelector : public CBoxinSelector
{
    DECLARE_DYNAMIC(CBoxinExcelSelector)
public:
    explicit CBoxinExcelSelector(CWnd* pParent = nullptr);
};

// CUsblCsvSelector: the USBL calibration's column selector for a CSV file. The vessel's
// position and heading are always read; in raw-data mode the USBL's own x, y, z with the
// vessel's pitch and roll, in ROV mode the ROV's position instead. The mode belongs to the
// calibration and is saved with its settings the moment it changes.
#pragma once

#include "acoustic/app/selectors/ColumnSelector.h"
#include "platform/ui/Button.h"

class CUsblCalibration;

class CUsblCsvSelector : public CColumnSelector
{
    DECLARE_DYNAMIC(CUsblCsvSelector)
public:
    explicit CUsblCsvSelector(CWnd* pParent = nullptr);

    // Field order of the USBL definitions.
    enum
    {
        FIELD_EASTING,
        FIELD_NORTHING,
        FIELD_GYRO,
        FIELD_X,
        FIELD_Y,
        FIELD_Z,
        FIELD_PITCH,
        FIELD_ROLL,
        FIELD_ROV_EASTING,
        FIELD_ROV_NORTHING,
        FIELD_COUNT
    };
    // Whether a field is read in raw-data mode, in ROV mode, or always.
    static bool RawDataField(int field) { return field >= FIELD_X && field <= FIELD_ROLL; }
    static bool RovField(int field) { return field >= FIELD_ROV_EASTING; }
    static bool FieldRead(int field, bool rawData)
    {
        return RawDataField(field) ? rawData : (RovField(field) ? !rawData : true);
    }

    CUsblCalibration* m_pCalibration = nullptr; // set before DoModal

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnRawDataMode();
    void OnRovMode();
    DECLARE_MESSAGE_MAP()

    // The mode's button checked, the fields of the other mode disabled and showing "n/a", and
    // every field's combo from the definition.
    void Refresh();
    void SetMode(bool rawData);

    CButton m_RawDataMode;
    CButton m_RovMode;
};

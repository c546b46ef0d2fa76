// CDeviceValueAngle: a read-only bearing row ("Bearing") in the user's angle notation, holding
// the unit of its mode (mode 1: radians), and empty while the value is no value
// (IsDeviceValue), as the other reading rows are.
#pragma once

#include "outside/panes/units/AngleDouble.h"

class CDeviceValueAngle : public CMFCPropertyGridAngleDouble
{
public:
    CDeviceValueAngle(const CString& strName, double dValue, int nMode);

    // A reading, never an edit: the grid does not mark it as modified.
    void SetAngle(double dValue);

    CString FormatProperty() override;
    BOOL OnEdit(LPPOINT lptClick) override;
};

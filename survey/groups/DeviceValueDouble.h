// CDeviceValueDouble: a read-only double row of a device group ("Gps Heading"), shown with its
// printf format, and empty while the value is no value (IsDeviceValue), so that a missing
// reading never shows as "nan" or as a number hundreds of digits wide.
#pragma once

#include "outside/panes/PropertyGridItems.h"

class CDeviceValueDouble : public CMFCPropertyGridDouble
{
public:
    CDeviceValueDouble(const CString& strName, double dValue, LPCTSTR lpszFormat);

    // A reading, never an edit: the grid does not mark it as modified.
    void SetValue(double dValue);
    using CMFCPropertyGridDouble::SetValue;

    CString FormatProperty() override;
    BOOL OnEdit(LPPOINT lptClick) override;
};

// CDeviceValueDouble: a read-only double row of a device group ("Gps Heading"), shown with its
// printf format, and empty while the value is no value (IsDeviceValue), so that a missing
// reading never shows as "nan" or as a number hundreds of digits wide.
#pragma once

#include "outside/panes/PropertyGridItems.h"

class CDeviceValueDouble : public CMFCPropertyGridDouble
{
public:
    CDeviceValueDouble(const CString& strName, double dValue, LPCTSTR lpszFormat);

    CString FormatProperty() override;
    BOOL OnEdit(LPPOINT lptClick) override;
};

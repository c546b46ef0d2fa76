#include "survey/groups/DeviceValueDouble.h"

#include "survey/groups/DeviceRows.h"

CDeviceValueDouble::CDeviceValueDouble(const CString& strName, double dValue, LPCTSTR lpszFormat)
    : CMFCPropertyGridDouble(strName, dValue, lpszFormat)
{
    AllowEdit(FALSE);
}

void CDeviceValueDouble::SetValue(double dValue)
{
    SetOriginalValue(COleVariant(dValue));
    CMFCPropertyGridDouble::SetValue(dValue);
}

CString CDeviceValueDouble::FormatProperty()
{
    return IsDeviceValue(GetDouble()) ? CMFCPropertyGridDouble::FormatProperty() : CString();
}

BOOL CDeviceValueDouble::OnEdit(LPPOINT)
{
    return FALSE;
}

#include "survey/groups/DeviceValueAngle.h"

#include "survey/groups/DeviceRows.h"

CDeviceValueAngle::CDeviceValueAngle(const CString& strName, double dValue, int nMode)
    : CMFCPropertyGridAngleDouble(strName, dValue, nMode)
{
    AllowEdit(FALSE);
    SetLock(true);
}

void CDeviceValueAngle::SetAngle(double dValue)
{
    SetOriginalValue(COleVariant(dValue));
    CMFCPropertyGridAngleDouble::SetAngle(dValue);
}

CString CDeviceValueAngle::FormatProperty()
{
    return IsDeviceValue(GetAngle()) ? CMFCPropertyGridAngleDouble::FormatProperty() : CString();
}

BOOL CDeviceValueAngle::OnEdit(LPPOINT)
{
    return FALSE;
}

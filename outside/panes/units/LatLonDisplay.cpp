#include "outside/panes/units/LatLonDisplay.h"

#include "foundation/AngleFormat.h"

#include <cfloat>
#include <cmath>

namespace
{
CString PositionText(double radians, int type)
{
    if (radians == DBL_MAX || !std::isfinite(radians))
        return CString();
    return FormatAngle(radians, type, ANGLE_FORMAT_PREFERENCE);
}
} // namespace

CMFCPropertyGridLatLonDisplay::CMFCPropertyGridLatLonDisplay(double dLatitude, double dLongitude,
                                                             LPCTSTR lpszDescr, DWORD_PTR dwData,
                                                             const CString& strLatitudeName,
                                                             const CString& strLongitudeName)
    : CMFCPropertyGridDualDisplay(strLatitudeName, 0.0, "%s", "", strLongitudeName, 0.0, "%s", "", lpszDescr,
                                  dwData),
      m_dLatitude(dLatitude), m_dLongitude(dLongitude)
{
    SetValue(dLatitude, dLongitude);
    SetOriginalValue(GetValue());
}

void CMFCPropertyGridLatLonDisplay::SetValue(double dLatitude, double dLongitude)
{
    m_dLatitude = dLatitude;
    m_dLongitude = dLongitude;
    SetText(1, PositionText(dLatitude, ANGLE_LATITUDE));
    SetText(2, PositionText(dLongitude, ANGLE_LONGITUDE));
}

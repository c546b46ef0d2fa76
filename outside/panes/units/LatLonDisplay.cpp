#include "outside/panes/units/LatLonDisplay.h"

#include "foundation/AngleFormat.h"

#include <cfloat>
#include <cmath>

namespace
{
CString PositionText(double radians, int type, int format, int decimals, char letter)
{
    if (radians == DBL_MAX || !std::isfinite(radians))
        return CString();
    return FormatAngle(radians, type, format, decimals, letter);
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
    // The saved notation read once for both: a position is shown at every fix.
    int format = 0, decimals = 0;
    char latitudeLetter = 'N', longitudeLetter = 'E';
    LoadGeographicalsSettings(format, decimals, latitudeLetter, longitudeLetter);
    SetText(1, PositionText(dLatitude, ANGLE_LATITUDE, format, decimals, latitudeLetter));
    SetText(2, PositionText(dLongitude, ANGLE_LONGITUDE, format, decimals, longitudeLetter));
}

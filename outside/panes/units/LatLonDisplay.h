// CMFCPropertyGridLatLonDisplay: a read-only row showing a position, latitude beside
// longitude, in the user's geographical notation ("Geographicals Settings"); a position not
// known yet (either value DBL_MAX or not finite) shows blank.
#pragma once

#include "outside/panes/PropertyGridDualDisplay.h"

class CMFCPropertyGridLatLonDisplay : public CMFCPropertyGridDualDisplay
{
public:
    // Radians.
    CMFCPropertyGridLatLonDisplay(double dLatitude, double dLongitude, LPCTSTR lpszDescr = nullptr,
                                  DWORD_PTR dwData = 0, const CString& strLatitudeName = "Latitude",
                                  const CString& strLongitudeName = "Longitude");

    // Radians; shown in the notation saved now.
    void SetValue(double dLatitude, double dLongitude);
    using CMFCPropertyGridProperty::SetValue;
    double GetLatitude() const { return m_dLatitude; }
    double GetLongitude() const { return m_dLongitude; }

private:
    double m_dLatitude;
    double m_dLongitude;
};

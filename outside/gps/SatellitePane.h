// CSatellitePane: the sky plot of the satellites in view: the horizon as the outer circle,
// the zenith at the centre, north up; each satellite a disc with its PRN at its azimuth and
// elevation, green when used in the fix.
#pragma once

#include "outside/gps/SatelliteListPane.h"

class CSatellitePane : public CSatelliteListPane
{
public:
    // The centre of satellite i's disc in a client rectangle of the surface.
    CPoint SatellitePoint(const CRect& rcClient, int i) const;
    void Draw(CDC* pDC, const CRect& rcClient) override;

    static constexpr int DISC_RADIUS = 9;

private:
    void GetSky(const CRect& rcClient, CPoint& centre, int& radius) const;
};

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
    // A sky of at least MIN_SKY_RADIUS inside its compass letters.
    int GetMinimumHeight() const override;
    // The radius of the discs in a client rectangle: DISC_RADIUS, smaller in a small sky so
    // that neighbours stay apart; a disc too small for its PRN shows none.
    int DiscRadius(const CRect& rcClient) const;

    static constexpr int DISC_RADIUS = 9;
    static constexpr int MIN_SKY_RADIUS = 60;

private:
    void GetSky(const CRect& rcClient, CPoint& centre, int& radius) const;
};

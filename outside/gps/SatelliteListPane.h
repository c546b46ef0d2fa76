// CSatelliteListPane: the base of the panes that show the satellites in view: takes the last
// complete set of satellites (by PRN) from the receiver, each marked used when the last GSA
// put it in the fix.
#pragma once

#include "geodesy/Gps.h"
#include "outside/gps/GpsPane.h"

#include <vector>

class CSatelliteListPane : public CGpsPane
{
public:
    // Takes the receiver's sorted satellites; an empty set clears the pane.
    void Update(CGps* pGps) override;

    int GetSatelliteCount() const { return static_cast<int>(m_Satellites.size()); }
    const SatelliteDef& GetSatellite(int i) const { return m_Satellites.at(static_cast<size_t>(i)); }

    static COLORREF UsedColour() { return RGB(0, 160, 0); }
    static COLORREF UnusedColour() { return RGB(96, 96, 224); }

protected:
    std::vector<SatelliteDef> m_Satellites;
};

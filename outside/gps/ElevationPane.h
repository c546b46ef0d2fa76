// CElevationPane: the elevation (degrees above the horizon) of each satellite in view as a bar.
#pragma once

#include "outside/gps/SatelliteBarPane.h"

class CElevationPane : public CSatelliteBarPane
{
public:
    CElevationPane() : CSatelliteBarPane("Elevation (degrees)", 90) {}
    int BarValue(const SatelliteDef& sat) const override { return sat.nElevation; }
};

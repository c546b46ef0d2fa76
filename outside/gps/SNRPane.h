// CSNRPane: the signal-to-noise ratio (dB-Hz) of each satellite in view as a bar.
#pragma once

#include "outside/gps/SatelliteBarPane.h"

class CSNRPane : public CSatelliteBarPane
{
public:
    CSNRPane() : CSatelliteBarPane("SNR (dB-Hz)", 60) {}
    int BarValue(const SatelliteDef& sat) const override { return sat.nSnr; }
};

// CLatLonHtPane: the receiver's WGS84 latitude, longitude (degrees) and height (metres)
// against time, one plot each.
#pragma once

#include "outside/gps/TimeSeriesPane.h"

class CLatLonHtPane : public CTimeSeriesPane
{
public:
    enum
    {
        SERIES_LATITUDE,
        SERIES_LONGITUDE,
        SERIES_HEIGHT
    };
    CLatLonHtPane();

protected:
    bool Sample(CGps* pGps, std::vector<double>& values) override;
};

// CDopPane: the receiver's HDOP, PDOP and VDOP against time, on one plot.
#pragma once

#include "outside/gps/TimeSeriesPane.h"

class CDopPane : public CTimeSeriesPane
{
public:
    enum
    {
        SERIES_HDOP,
        SERIES_PDOP,
        SERIES_VDOP
    };
    CDopPane();

protected:
    bool Sample(CGps* pGps, std::vector<double>& values) override;
};

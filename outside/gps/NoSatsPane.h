// CNoSatsPane: the number of satellites the receiver uses and sees against time, on one plot.
#pragma once

#include "outside/gps/TimeSeriesPane.h"

class CNoSatsPane : public CTimeSeriesPane
{
public:
    enum
    {
        SERIES_USED,
        SERIES_IN_VIEW
    };
    CNoSatsPane();

protected:
    bool Sample(CGps* pGps, std::vector<double>& values) override;
};

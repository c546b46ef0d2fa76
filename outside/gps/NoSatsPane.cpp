#include "outside/gps/NoSatsPane.h"

#include "geodesy/Gps.h"

CNoSatsPane::CNoSatsPane()
    : CTimeSeriesPane({{"Used", RGB(0, 128, 0), 0, 2.0, 0.0}, {"In View", RGB(0, 0, 192), 0, 2.0, 0.0}}, false)
{
}

bool CNoSatsPane::Sample(CGps* pGps, std::vector<double>& values)
{
    values[SERIES_USED] = pGps->m_SatellitesUsed;
    values[SERIES_IN_VIEW] = pGps->m_SatellitesInView;
    return true;
}

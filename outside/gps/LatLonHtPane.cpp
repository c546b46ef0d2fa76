#include "outside/gps/LatLonHtPane.h"

#include "foundation/AngleFormat.h"
#include "geodesy/Gps.h"

CLatLonHtPane::CLatLonHtPane()
    : CTimeSeriesPane({{"Latitude", RGB(0, 0, 192), 7, 1e-6},
                       {"Longitude", RGB(0, 128, 0), 7, 1e-6},
                       {"Height", RGB(192, 0, 0), 3, 0.1}},
                      true)
{
}

bool CLatLonHtPane::Sample(CGps* pGps, std::vector<double>& values)
{
    values[SERIES_LATITUDE] = pGps->m_Wgs84Latitude * ANGLE_RAD_TO_DEG;
    values[SERIES_LONGITUDE] = pGps->m_Wgs84Longitude * ANGLE_RAD_TO_DEG;
    values[SERIES_HEIGHT] = pGps->m_Wgs84Height;
    return true;
}

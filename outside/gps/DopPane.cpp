#include "outside/gps/DopPane.h"

#include "geodesy/Gps.h"

CDopPane::CDopPane()
    : CTimeSeriesPane({{"HDOP", RGB(0, 0, 192), 1, 1.0, 0.0},
                       {"PDOP", RGB(0, 128, 0), 1, 1.0, 0.0},
                       {"VDOP", RGB(192, 0, 0), 1, 1.0, 0.0}},
                      false)
{
}

bool CDopPane::Sample(CGps* pGps, std::vector<double>& values)
{
    values[SERIES_HDOP] = pGps->m_Hdop;
    values[SERIES_PDOP] = pGps->m_Pdop;
    values[SERIES_VDOP] = pGps->m_Vdop;
    return true;
}

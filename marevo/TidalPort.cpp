#include "marevo/TidalPort.h"

#include <cfloat>
#include <cstring>

CTidalPort::CTidalPort()
{
    Reset();
}

void CTidalPort::Reset()
{
    m_strName.Empty();
    m_strNumber.Empty();
    m_dPosition[0] = m_dPosition[1] = 0.0;
    m_strText.Empty();
    for (double& value : m_dConstants)
        value = 0.0;
    m_nTimeZone = 0;
    m_Seasonal = TideMonthTable{};
    for (TideMonthTable& table : m_Monthly)
        table = TideMonthTable{};
    m_TableVI = TideTableVI{};
    for (double& value : m_dCoTidal)
        value = 0.0;
    m_dCoTidal[2] = m_dCoTidal[3] = DBL_MAX;
    m_dCoTidal[6] = m_dCoTidal[7] = DBL_MAX;
    m_Curve.RemoveAll();
}

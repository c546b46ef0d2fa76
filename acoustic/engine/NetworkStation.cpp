#include "acoustic/engine/NetworkStation.h"

void CNetworkStation::Copy(const CNetworkStation& source)
{
    if (this == &source)
        return;
    CArray<NetworkObservationDef, const NetworkObservationDef&>::Copy(source);
    m_Name = source.m_Name;
    m_Status = source.m_Status;
    m_GivenE = source.m_GivenE;
    m_GivenN = source.m_GivenN;
    m_GivenDepth = source.m_GivenDepth;
    m_PositionSE = source.m_PositionSE;
    m_AdjustedE = source.m_AdjustedE;
    m_AdjustedN = source.m_AdjustedN;
    m_AdjustedDepth = source.m_AdjustedDepth;
    m_LinkCount = source.m_LinkCount;
    m_SemiMajor = source.m_SemiMajor;
    m_SemiMinor = source.m_SemiMinor;
    m_Orientation = source.m_Orientation;
    m_Orientation90 = source.m_Orientation90;
    m_SumSquaredResiduals = source.m_SumSquaredResiduals;
    m_ScaleFactor = source.m_ScaleFactor;
    m_ResidualCount = source.m_ResidualCount;
    m_ResidualRMS = source.m_ResidualRMS;
}

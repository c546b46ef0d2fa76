// CNetworkStation: one seabed station (transponder) of a network, with what was observed from
// it to every station of the network and what the adjustment made of it.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"

// Status of a station in the network.
enum NETWORK_STATION_STATUS
{
    STATION_NOT_IN_USE = 0,        // kept in the list (its index holds) but takes no part
    STATION_FREE = 1,              // adjusted
    STATION_FIXED = 2,             // held at its given position
    STATION_FREE_WITH_POSITION = 3 // adjusted, with its given position entering as an observation
};

// What one station observed to another (the record at index j of station i: from i to j).
// Ranges are slant ranges in metres; bearings grid bearings in degrees clockwise from north.
struct NetworkObservationDef
{
    double ObservedRange;     // metres; 0 when none
    BYTE UseRange;            // 1 = use the range
    double RangeSE;           // standard error, metres
    double ComputedRange;     // slant distance between the given positions, metres
    double RangeDifference;   // observed - computed, metres; 0 when no range was observed
    double RangeResidual;     // of the last adjustment, metres
    double ObservedBearing;   // degrees
    BYTE UseBearing;          // 1 = use the bearing
    double BearingSE;         // standard error, arc seconds
    double ComputedBearing;   // between the given positions, degrees [0, 360)
    double BearingDifference; // observed - computed, degrees in [-180, 180]
    double BearingResidual;   // of the last adjustment, radians
};

class CNetworkStation : public CArray<NetworkObservationDef, const NetworkObservationDef&>
{
public:
    CNetworkStation() = default;

    // Name, status, every number and the whole observation array of `source`.
    void Copy(const CNetworkStation& source);

    bool IsInUse() const { return m_Status != STATION_NOT_IN_USE; }
    bool IsFixed() const { return m_Status == STATION_FIXED; }

    CString m_Name;
    int m_Status = STATION_NOT_IN_USE;
    // Given position: metres; depth positive down.
    double m_GivenE = 0.0;
    double m_GivenN = 0.0;
    double m_GivenDepth = 0.0;
    // Standard error of the given position (metres), for STATION_FREE_WITH_POSITION.
    double m_PositionSE = 1.0;
    // Position after the last adjustment (the given one where it did not move). The depth is
    // never adjusted.
    double m_AdjustedE = 0.0;
    double m_AdjustedN = 0.0;
    double m_AdjustedDepth = 0.0;
    // Range links plus bearing links to other stations that the adjustment used.
    int m_LinkCount = 0;
    // 95 % error ellipse: axes in metres; orientation of the major axis in degrees (see
    // ComputeErrorEllipse) and that plus 90.
    double m_SemiMajor = 0.0;
    double m_SemiMinor = 0.0;
    double m_Orientation = 0.0;
    double m_Orientation90 = 0.0;
    // Range residuals of the observations from this station: sum of squares (square metres),
    // the standard error factor that scaled the ellipse, count and RMS (metres).
    double m_SumSquaredResiduals = 0.0;
    double m_ScaleFactor = 0.0;
    int m_ResidualCount = 0;
    double m_ResidualRMS = 0.0;
};

// Where the vessel's points stand, as the chart draws and picks them.
#pragma once

#include "features/TrackingPoint.h"
#include "geodesy/Gps.h"

#include <cmath>

// Where the common reference point lies when a point of the object at offset (x to starboard,
// y forward, metres) stands at `at` and the object heads `heading` degrees clockwise from grid
// north.
inline tagXY ReferenceFrom(const tagXY& at, const TrackingPointDef& point, double heading)
{
    const double a = heading * M_PI / 180.0;
    const double s = std::sin(a), c = std::cos(a);
    return tagXY{at.x - (point.X * c + point.Y * s), at.y - (point.Y * c - point.X * s)};
}

// A receiver gives a position once it has had data and has not gone silent since.
inline bool IsReceiverValid(const CGps* gps)
{
    return gps != nullptr && gps->m_TimedOut == 0;
}

inline tagXY ReceiverPosition(const CGps& gps)
{
    return tagXY{gps.m_AntennaEasting, gps.m_AntennaNorthing};
}

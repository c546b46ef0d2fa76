// CTimeout: whether a data source (a receiver, a gyro, a port) has gone silent. A source counts
// as silent from construction until its first good data, and again once its data stops for
// longer than its limit.
#pragma once

#include "platform/core/WinTypes.h"

#include <cstdint>

class CTimeout
{
public:
    // `limitSeconds`: how long the source may stay silent (15 s for a GPS receiver).
    explicit CTimeout(int limitSeconds = 15);
    virtual ~CTimeout() = default;
    CTimeout(const CTimeout&) = default;
    CTimeout& operator=(const CTimeout&) = default;

    // Copies the two flags, the limit and the start time.
    virtual void Copy(const CTimeout& other);

    // Good data arrived: the start time becomes now and the source is no longer timed out.
    void Restart();
    // The test every display applies: true once the timed-out flag is set, or when now and the
    // start time lie more than `limitSeconds` apart on the monotonic clock; the flag is then
    // set. Only Restart clears it.
    bool IsTimedOut(int limitSeconds);
    bool IsTimedOut() { return IsTimedOut(m_Limit); }

    // Now on the seconds scale of foundation/DateTime.h (local time, seconds since 00:00 on
    // 2 January 2000), to the millisecond: for times that are shown or stored.
    static double Now();
    // Now on a monotonic clock, seconds from an arbitrary origin: what time-outs are measured
    // on, so that a change of the wall clock, its time zone or summer time moves none of them
    // (and reading it costs no time-zone lookup).
    static double Clock();

    BYTE m_TimedOut;    // 1 while the source counts as silent
    BYTE m_Flag;        // 0 at construction; copied with the rest
    int32_t m_Limit;    // seconds
    double m_StartTime; // seconds on Clock(), when the last good data arrived
};

#include "navhost/LiveFeed.h"

#include "navhost/HostData.h"
#include "navhost/TrackedObjects.h"

CLiveFeed::~CLiveFeed()
{
    Stop();
}

bool CLiveFeed::Start(CCmdTarget* target)
{
    return m_Inputs.Load(target);
}

void CLiveFeed::Stop()
{
    m_Inputs.Stop();
}

CLiveFeed::RECEIVED CLiveFeed::Receive(WPARAM wParam, LPARAM lParam)
{
    // A message loop run inside a decode (a dialog) must not take the lines half-way.
    if (m_bReceiving || !wParam || !lParam)
        return {};
    m_bReceiving = true;
    CStringArray lines;
    m_Inputs.TakeLines(wParam, lParam, lines);
    const RECEIVED received = TakeLines(lines);
    m_bReceiving = false;
    return received;
}

CLiveFeed::RECEIVED CLiveFeed::TakeLines(const CStringArray& lines)
{
    RECEIVED received;
    if (lines.IsEmpty())
        return received;
    CSingleLock lock(&m_Data.m_Mutex, TRUE);
    CGps* gps = m_Data.GetPrimaryReceiver();
    const int antenna = m_Data.m_Vessel.m_PrimaryGps;
    // A receiver sends its position before the course of the same moment (GGA, then RMC and
    // VTG): the vessel follows once all the lines are decoded, with the course they brought.
    bool fixed = false;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
    {
        CString line = lines[i];
        line.TrimRight("\r\n");
        ++received.Lines;
        if (line.IsEmpty())
            continue;
        if (line[0] == '!')
        {
            if (m_Ais.TakeLine(line, m_Data.m_Ais, m_Data.m_Projection))
                ++received.AisReports;
            continue;
        }
        if (gps == nullptr)
            continue;
        const int code = gps->Decode(line);
        if (code == NMEA_GGA || code == NMEA_RMC || code == NMEA_GLL || code == NMEA_GGK)
        {
            if (!gps->m_PositionUpdated)
                continue;
            gps->m_PositionUpdated = 0;
            fixed = true;
            ++received.Fixes;
        }
    }
    if (fixed)
        FollowFix(m_Data.m_Vessel, *gps, antenna);
    return received;
}

bool CLiveFeed::IsVesselSilent()
{
    CGps* gps = m_Data.GetPrimaryReceiver();
    return gps == nullptr || gps->IsTimedOut();
}

// CLiveFeed: the host's live input: the UDP inputs named in the settings ("UDP Ports" of the
// settings folder, as the geodetic program reads them) through the suite's UDP reader, their
// NMEA sentences decoded by the receiver record of the vessel's primary antenna, which the
// vessel then follows, and their AIS sentences kept as the chart's AIS targets. The host's data
// change under its mutex, so that no paint sees a half-moved vessel.
#pragma once

#include "geodesy/UdpArray.h"
#include "navhost/AisDecoder.h"

class CCmdTarget;
class CHostData;

class CLiveFeed
{
public:
    explicit CLiveFeed(CHostData& data) : m_Data(data) {}
    // Stops the readers first.
    ~CLiveFeed();
    CLiveFeed(const CLiveFeed&) = delete;
    CLiveFeed& operator=(const CLiveFeed&) = delete;

    // Opens the inputs; each posts UM_RECEIVE_DATA to `target`. False when the list of inputs
    // cannot be read.
    bool Start(CCmdTarget* target);
    void Stop();

    // What one UM_RECEIVE_DATA brought.
    struct RECEIVED
    {
        int Lines = 0;
        int Fixes = 0;       // positions decoded (the vessel follows the last)
        int AisReports = 0;  // AIS reports applied
    };
    // Takes and decodes the lines of the input that posted (wParam, lParam).
    RECEIVED Receive(WPARAM wParam, LPARAM lParam);
    // Decodes lines as though an input had delivered them.
    RECEIVED TakeLines(const CStringArray& lines);

    // Whether the vessel's primary receiver has gone silent; a silent receiver is tested once
    // more with each call, as the chart does with its receivers.
    bool IsVesselSilent();

    CUdpArray& GetInputs() { return m_Inputs; }

private:
    CHostData& m_Data;
    CUdpArray m_Inputs;
    CAisDecoder m_Ais;
    bool m_bReceiving = false;
};

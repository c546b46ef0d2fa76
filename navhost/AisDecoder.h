// The host's AIS input: "!AIVDM"/"!AIVDO" sentences (ITU-R M.1371-5 messages carried as IEC
// 61162-1 sentences) taken apart into reports, and the reports kept as the chart's AIS targets.
// Position reports of class A (messages 1, 2, 3) and class B (18, 19), static and voyage data
// (5) and class B static data (24, parts A and B) are read; other messages are counted and
// left alone.
//
// Units of a report: latitude and longitude in degrees (WGS84); speed over ground in knots;
// course and heading in degrees true; dimensions in metres from the position reference.
#pragma once

#include "platform/core/String.h"

#include <cstdint>
#include <string>

class CAis;
class CProjection;

// One decoded message; a field the message does not carry keeps its "not available" value.
struct AisReportDef
{
    int Type = 0;
    uint32_t Mmsi = 0;
    int Status = -1;              // navigational status 0..15; -1 none
    double Latitude = 91.0;       // 91: none
    double Longitude = 181.0;     // 181: none
    double SpeedKnots = -1.0;     // -1: none
    double CourseDegrees = -1.0;  // -1: none
    double HeadingDegrees = -1.0; // -1: none
    double RateOfTurn = 0.0;      // degrees a minute as sent (signed); 0 none or not turning
    CString Name;
    CString CallSign;
    int ShipType = -1;
    int ToBow = 0, ToStern = 0, ToPort = 0, ToStarboard = 0;
    int PartNumber = -1; // message 24: 0 part A, 1 part B
    bool HasPosition() const { return Latitude <= 90.0 && Longitude <= 180.0; }
};

// Decodes the armoured payload of one whole message (six bits a character, `fillBits` unused
// at the end). False for a character outside the armour, a message too short for its type, or
// a type that is not read here (then only Type and Mmsi are set, when there are bits enough).
bool DecodeAisPayload(const std::string& payload, int fillBits, AisReportDef& report);

class CAisDecoder
{
public:
    // Takes one received line. A "!..VDM" or "!..VDO" sentence with a good checksum is joined
    // with the other fragments of its message (by sequence id and channel); a whole message is
    // decoded and, when it is read here, applied to the store. True when a report was applied.
    bool TakeLine(const char* line, CAis& store, CProjection& projection);

    // Applies a report: the target of its MMSI is found or made; a position report moves it
    // (its last position kept as history), sets course, heading, speed and status and classes
    // it A or B; static data names it and gives its dimensions. Grid positions are those of
    // `projection`, courses and headings turned from true to grid by the convergence there.
    static void ApplyReport(const AisReportDef& report, CAis& store, CProjection& projection);

    // The most past positions a target keeps.
    static constexpr int kHistory = 20;

    int GetDecodedCount() const { return m_Decoded; }
    int GetIgnoredCount() const { return m_Ignored; }

private:
    std::string m_Payload; // fragments of the message being joined
    int m_Expected = 0;    // its fragment count
    int m_Next = 0;        // the fragment number expected next
    std::string m_SequenceKey;
    int m_Decoded = 0;
    int m_Ignored = 0;
};

// CBargeData: where the barge is and how it lies: its GPS antenna position and heading, the
// antenna's offset from the common reference point (CRP) and the CRP worked out from them, its
// draft and the height of the water line above the vessel's zero. Kept in the settings file
// "Barge".
//
// Units: eastings, northings, offsets, draft and heights in metres; heading in degrees
// clockwise from grid north. Offsets: x to starboard, y forward.
#pragma once

#include "platform/core/Array.h"

class CBargeData
{
public:
    // Reads the settings file and works out sine, cosine and CRP. Without a file every value
    // is 0 and the heading's cosine 1, so offsets still turn with a heading of 0. A value that
    // is no number or beyond what any barge can be stays 0 and is told in GetLoadProblems.
    CBargeData();

    // CRP = antenna position less the offsets turned by the heading.
    void UpdateCrp();
    // Written whole or not at all; false when the file cannot be written.
    bool Save() const;
    // What reading the settings file did not take, a sentence each naming the file, the line
    // and the key.
    const CStringArray& GetLoadProblems() const { return m_LoadProblems; }

    double m_Easting; // GPS antenna
    double m_Northing;
    double m_Heading; // degrees
    double m_SinHeading;
    double m_CosHeading;
    double m_OffsetX; // antenna from the CRP, to starboard
    double m_OffsetY; // forward
    double m_CrpEasting;
    double m_CrpNorthing;
    double m_Draft;
    double m_WaterLineToZero;

private:
    // Sine and cosine of the heading, then the CRP.
    void UpdateHeading();

    CStringArray m_LoadProblems;
};

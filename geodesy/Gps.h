// CGps: the record of one GNSS receiver and the decoder of its NMEA 0183 sentences (GGA, RMC,
// GLL, VTG, GSA, GSV, GST, ZDA and $PTNL,GGK), with the conversion of its WGS84
// position into the working grid. Displays read its fields directly and through its
// data-type list.
#pragma once

#include "geodesy/DataType.h"
#include "geodesy/Device.h"
#include "geodesy/Spheroid.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <cstdint>

class CDatum;
class CProjection;

// Sentence codes: the three letters of the sentence type as a 32-bit integer, first letter in
// the low byte (GGA = 0x414747).
enum NMEA_SENTENCE
{
    NMEA_GGA = 0x414747,
    NMEA_GGK = 0x4B4747,
    NMEA_GLL = 0x4C4C47,
    NMEA_RMC = 0x434D52,
    NMEA_GSA = 0x415347,
    NMEA_GSV = 0x565347,
    NMEA_GST = 0x545347,
    NMEA_VTG = 0x475456,
    NMEA_ZDA = 0x41445A
};

// One satellite of a GSV set.
struct SatelliteDef
{
    int32_t nPrn;       // 1..99; 0 for an empty entry
    int32_t nElevation; // degrees, 0..90
    int32_t nAzimuth;   // degrees true, 0..360
    int32_t nSnr;       // dB-Hz, 0..100
    BYTE bUsed;         // 1 when the last GSA listed it in the fix
};

const int GPS_SATELLITES = 24;
// Satellite fields of a GSA sentence.
const int GSA_PRNS = 12;

class CGps : public CDevice, public CDataType
{
public:
    CGps();
    ~CGps() override = default;
    // The data-type list points into the object itself: a copy would point into the original.
    CGps(const CGps&) = delete;
    CGps& operator=(const CGps&) = delete;

    // Decodes one received line (CR LF optional). Returns the code of the sentence taken
    // (NMEA_GGA ...), 0 when nothing was taken, and -1 when checksum verification is on and the
    // checksum is wrong (the line is then dropped whole). A taken sentence restarts the
    // time-out. A position sentence without a fix (empty latitude or longitude) still gives its
    // time, quality and satellites, but leaves the position, the position-updated flag and the
    // time-out as they were, and returns 0.
    int Decode(const char* line);

    // Converts the WGS84 position into the working datum and grid (see SetCurrentProjection).
    // Without a working grid the local and grid fields keep their values.
    void UpdateProjected();

    // Fields, in the order the displays and the other deliverables share.
    CSpheroid m_Wgs84;          // row 26, "WGS84"
    BYTE m_PositionUpdated;     // set to 1 by every decoded position
    int32_t m_PositionSource;   // NMEA_GGA, NMEA_RMC or NMEA_GLL; -1 until one arrives
    double m_Wgs84Longitude;    // radians, east positive
    double m_Wgs84Latitude;     // radians, north positive
    double m_Wgs84Height;       // metres: GGA altitude, GGK "EHT" height, 0 from GLL
    double m_LocalLatitude;     // radians, in the working datum
    double m_LocalLongitude;    // radians
    double m_LocalHeight;       // metres
    double m_AntennaEasting;    // metres (grid units) in the working grid
    double m_AntennaNorthing;   // metres
    double m_Convergence;       // degrees, from the grid
    double m_ScaleFactor;       // point scale factor; 1 at start and whenever the grid gives <= 0
    double m_GeoidalSeparation; // metres, GGA
    BYTE m_SatellitesUpdated;   // set when a complete GSV set was sorted
    int32_t m_SatellitesInView; // GSV
    int32_t m_SatellitesUsed;   // GGA, GGK, or counted from GSA
    int32_t m_PositionQuality;  // GGA fix quality; GGK 0..2; GLL/RMC 1 unless void; GSA 1 (2D) or 2 (3D);
                                // -1 once the receiver was found silent (ClearGpsFix)
    int32_t m_FixMode;          // the fix mode the survey panes show: 0 none, 1 2D, 2 3D; from GSA only
    double m_Hdop;              // GGA, GSA
    BYTE m_GsaReceived;         // set by each GSA
    double m_Vdop;              // GSA
    double m_Pdop;              // GSA; GGK's DOP
    BYTE m_GstReceived;         // set by each GST
    CString m_GnssSystem;       // "GPS", "GLONASS" or "Several", from the GST talker
    double m_GstRms;            // metres, range residual RMS
    double m_ErrorEllipse[4];   // semi-major sigma (m), semi-minor sigma (m), orientation and
                                // orientation + 90 (degrees from true north, below 360)
    double m_PositionErrors[3]; // sigma east, north, up (metres)
    double m_Course;            // degrees true (magnetic when the VTG gives no true course)
    double m_SpeedOverGround;   // knots; -1 when a VTG gave none
    double m_Speed;             // metres per second; -1 when a VTG gave none
    SatelliteDef m_SortedSatellites[GPS_SATELLITES];   // the last complete GSV set by PRN
    SatelliteDef m_ReceivedSatellites[GPS_SATELLITES]; // GSV entries as received
    BYTE m_GsvSetComplete;                             // 1 when the last GSV parsed ended its set
    int32_t m_MinimumSatellites;                       // quality limit: poor at or below this count; 0 = off
    double m_MaximumDop;                               // quality limit: poor above this DOP; 0 = off
    BYTE m_PoorQuality;                                // 1 when the last fix broke a quality limit
    int32_t m_Year;                                    // RMC, ZDA
    int32_t m_DayOfYear;                               // RMC, ZDA; 0 for an invalid date
    double m_UtcSeconds;                               // seconds of the UTC day of the last decoded sentence
    double m_TimeStamp; // seconds scale of foundation/DateTime.h (UTC date and time)
    CString m_DateText; // ZDA date, "02 Jan 2000"
    CString m_TimeText; // ZDA time, "12:35:19"
    // Kept after the fields the other deliverables share:
    int32_t m_GsaUsedPrns[GSA_PRNS]; // the last GSA's satellites in the fix (0: empty), applied to
                                     // each GSV that arrives after it
    BYTE m_CourseSpeedCurrent;       // 1 when course and speed came from a sentence with a fix;
                                     // 0 when one without a fix left the last ones in place

private:
    int DecodeGgk(const char* line);
    void TakeVtg(const char* line);
    void TakeCourseAndSpeed(bool fix, double course, double knots, double latitude);
    bool TakeZda(const char* line);
    void SortSatellites();
    void SetPoorQuality(double dop);
};

// A receiver found silent loses its last fix, so that nothing draws or compares a position it
// no longer gives: grid position and height 0, fix mode 0 ("No Fix"), satellites used 0, and
// the two further fix-quality fields emptied, HDOP 0 and position quality -1. Null is ignored.
void ClearGpsFix(CGps* gps);

// The working grid of every receiver's UpdateProjected (not owned; null at start: no
// conversion). Without a working datum it is a grid on WGS84.
void SetCurrentProjection(CProjection* projection);
CProjection* GetCurrentProjection();

// The working datum (not owned; null: positions stay WGS84). With a datum, UpdateProjected
// converts the WGS84 position through it and takes the grid from its "To" projection when it
// has one, else the current projection; a position the datum cannot convert leaves the local
// and grid fields as they were.
void SetCurrentDatum(CDatum* datum);
CDatum* GetCurrentDatum();

// The sentence code of a line: the three letters after "$PTNL," or else the letters at
// positions 3..5 (after '$' and the two-letter talker). 0 for a null line; letters missing
// from a short line count as 0 bytes.
int GetSentenceCode(const char* line);

// True when the line begins with '$' and is of a type the programs handle: GLL, GGA, RMC, GSV,
// GSA, GGK, VTG, ZDA, HDT, HDG, HDM, HCC, DBT, DBK, DBS, DPT, MWV, APA, APB, BWC, BWR, BOD,
// RMB, WPL or XTE.
bool IsKnownSentence(const char* line);

// True when the line has a '*' followed by two hexadecimal digits equal, in upper case, to the
// XOR of the characters between '$' and '*'.
bool IsNmeaChecksumGood(const char* line);

// Knots to metres per second with the length of one minute of meridian arc on WGS84 at
// `latitude` (radians), so that one knot is one such minute per hour.
double KnotsToMetresPerSecond(double knots, double latitude);

// Sentence parsers. Each returns true when the line is of its type and then fills the outputs
// it is given (a null pointer skips that field). Empty or malformed numbers give 0, a bad time
// field 0, an empty latitude or longitude field DBL_MAX (no position).
// Times: seconds of the UTC day. Angles: radians (latitude, longitude) or degrees (course).

// $PTNL,GGK: time, latitude, longitude, the "EHT" ellipsoidal height (0 without it), quality
// (written only when 0..2), satellites and DOP.
bool ParseGGK(const char* line, double* utc, double* latitude, double* longitude, double* height,
              int* quality, int* satellites, double* dop);
// GGA: without a `separation` output, the geoidal separation is added to the altitude.
bool ParseGGA(const char* line, double* utc, double* latitude, double* longitude, int* quality,
              int* satellites, double* hdop, double* altitude, double* separation);
// GLL: quality 1 unless the status is 'V'.
bool ParseGLL(const char* line, double* latitude, double* longitude, double* utc, int* quality);
// RMC: quality 1 unless the status is 'V'; speed in knots. An invalid date gives day of year 0
// and leaves the year as it was; two-digit years below 80 are 20xx.
bool ParseRMC(const char* line, double* utc, int* quality, double* latitude, double* longitude,
              double* speedKnots, double* course, int* dayOfYear, int* year);
// GSA: quality 1 (2D) or 2 (3D), else 0; the count of satellites it lists in the fix; marks
// them used in the received table; and, when `usedPrns` is given, their PRNs (GSA_PRNS entries,
// 0 for an empty field).
bool ParseGSA(const char* line, int* quality, int* satellitesUsed, SatelliteDef* received, double* pdop,
              double* hdop, double* vdop, int32_t* usedPrns = nullptr);
// Marks each satellite of the received table used or not by a GSA's list of PRNs.
void MarkUsedSatellites(SatelliteDef* received, const int32_t* usedPrns);
// GST: the system from the talker, RMS, error ellipse (4 values) and sigmas east, north, up.
bool ParseGST(const char* line, CString* system, double* rms, double* ellipse, double* errors);
// GSV: one message of a set into the received table (24 entries).
bool ParseGSV(const char* line, SatelliteDef* received, int* satellitesInView, BYTE* setComplete);
// VTG: true course, else the magnetic one; speed in knots, -1 when its field is empty; `valid`
// false when the receiver marks the data not valid (mode 'N') or gives neither course nor speed.
bool ParseVTG(const char* line, double* course, double* speedKnots, bool* valid = nullptr);
// ZDA: time, the year as given, and the day of year of the date (0 when invalid).
bool ParseZDA(const char* line, double* utc, int* year, int* dayOfYear);

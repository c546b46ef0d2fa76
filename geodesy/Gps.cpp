#include "geodesy/Gps.h"

#include "foundation/AngleFormat.h"
#include "foundation/DateTime.h"
#include "foundation/NmeaChecksum.h"
#include "foundation/TextFunctions.h"
#include "geodesy/AngleText.h"
#include "geodesy/Datum.h"
#include "geodesy/Projection.h"

#include <cfloat>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
CProjection* g_pCurrentProjection = nullptr;
CDatum* g_pCurrentDatum = nullptr;

const char kPtnlPrefix[] = "$PTNL,";
const int kPtnlPrefixLength = 6;

bool IsPtnl(const char* line)
{
    return std::strncmp(line, kPtnlPrefix, kPtnlPrefixLength) == 0;
}

double ZeroIfNone(double value)
{
    return value == DBL_MAX ? 0.0 : value;
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int month, int year)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Day of year of a date; 0 when the month or the day does not exist in that year.
int DayOfYearOf(int day, int month, int year)
{
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(month, year))
        return 0;
    int before = 0;
    for (int m = 1; m < month; ++m)
        before += DaysInMonth(m, year);
    return before + day;
}

// Walks the comma fields of one sentence, up to its checksum ('*') or the end of the line,
// without copying the line: a vessel's receivers send tens of sentences a second, each read
// field by field. Every field is taken whole before it is converted, so a malformed number
// never pulls in the next field.
class CSentenceFields
{
public:
    explicit CSentenceFields(const char* line) : m_Next(line) {}

    // The next field, blanks trimmed; false (and an empty field) when the sentence is used up.
    bool Next(const char*& begin, int& length)
    {
        begin = m_Next;
        length = 0;
        if (m_End)
            return false;
        const char* end = m_Next;
        while (!IsTerminator(*end) && *end != ',')
            ++end;
        m_Next = *end == ',' ? end + 1 : end;
        m_End = *end != ',';
        while (begin < end && (*begin == ' ' || *begin == '\t'))
            ++begin;
        while (end > begin && (end[-1] == ' ' || end[-1] == '\t'))
            --end;
        length = static_cast<int>(end - begin);
        return true;
    }

    CString Text()
    {
        const char* begin = nullptr;
        int length = 0;
        Next(begin, length);
        return CString(begin, length);
    }
    void Skip(int fields = 1)
    {
        const char* begin = nullptr;
        int length = 0;
        for (int i = 0; i < fields; ++i)
            Next(begin, length);
    }
    // DBL_MAX for an empty field or a '?', as the tokenizer marks missing values.
    double Double()
    {
        char field[64];
        if (!Copy(field) || std::strchr(field, '?'))
            return DBL_MAX;
        return AtofC(field);
    }
    int Int()
    {
        char field[64];
        return Copy(field) ? std::atoi(field) : 0;
    }
    // Fields left, counting an empty last one.
    int Remaining() const
    {
        if (m_End)
            return 0;
        int count = 1;
        for (const char* p = m_Next; !IsTerminator(*p); ++p)
            if (*p == ',')
                ++count;
        return count;
    }

    // A latitude or longitude and its hemisphere field: radians, or DBL_MAX when the value is
    // empty (a receiver without a fix).
    double Position(int type)
    {
        char value[64];
        char hemisphere[8];
        const bool given = Copy(value);
        Copy(hemisphere);
        return given ? ParseCompactLatLon(value, hemisphere, type) : DBL_MAX;
    }

    // hhmmss[.ss]: seconds of the day, or 0 for a field that is not a time (hours may be 24).
    double Utc()
    {
        char field[64];
        Copy(field);
        if (std::strlen(field) < 6)
            return 0.0;
        int hours = 0, minutes = 0, seconds = 0, used = 0;
        if (std::sscanf(field, "%2d%2d%2d%n", &hours, &minutes, &seconds, &used) < 3)
            return 0.0;
        // The fraction is read in the "C" locale: the user's locale must not turn ".25" into 0.
        const char* rest = field + used;
        const double fraction = *rest ? AtofC(rest) : 0.0;
        if (hours < 0 || hours > 24 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59 ||
            fraction < 0.0 || !(fraction < 1.0))
            return 0.0;
        return hours * 3600.0 + minutes * 60.0 + seconds + fraction;
    }

private:
    static bool IsTerminator(char c) { return c == '\0' || c == '*' || c == '\r' || c == '\n'; }

    // The next field into a terminated buffer (a longer field is cut short: no number or
    // position field of NMEA comes near the size). False for an empty field.
    template <size_t N> bool Copy(char (&buffer)[N])
    {
        const char* begin = nullptr;
        int length = 0;
        Next(begin, length);
        if (length > static_cast<int>(N) - 1)
            length = static_cast<int>(N) - 1;
        std::memcpy(buffer, begin, static_cast<size_t>(length));
        buffer[length] = '\0';
        return length > 0;
    }

    const char* m_Next;
    bool m_End = false;
};

// The five characters after '$' (fewer when a comma comes first): "GPGGA", "PTNL".
CString AddressOf(const char* line)
{
    CString address;
    for (int i = 1; i <= 5 && line[i] && line[i] != ',' && line[i] != '*'; ++i)
        address += line[i];
    return address;
}
} // namespace

// ---------------------------------------------------------------------------------------
// Working grid
// ---------------------------------------------------------------------------------------

void SetCurrentProjection(CProjection* projection)
{
    g_pCurrentProjection = projection;
}

CProjection* GetCurrentProjection()
{
    return g_pCurrentProjection;
}

void SetCurrentDatum(CDatum* datum)
{
    g_pCurrentDatum = datum;
}

CDatum* GetCurrentDatum()
{
    return g_pCurrentDatum;
}

// ---------------------------------------------------------------------------------------
// Sentence helpers
// ---------------------------------------------------------------------------------------

int GetSentenceCode(const char* line)
{
    if (!line)
        return 0;
    int start = IsPtnl(line) ? kPtnlPrefixLength : 3;
    for (int i = 0; i < start; ++i)
        if (!line[i])
            return 0;
    int code = 0;
    for (int i = 0; i < 3 && line[start + i]; ++i)
        code |= static_cast<unsigned char>(line[start + i]) << (8 * i);
    return code;
}

bool IsKnownSentence(const char* line)
{
    if (!line || line[0] != '$')
        return false;
    static const char kKnown[][4] = {"GLL", "GGA", "RMC", "GSV", "GSA", "GGK", "VTG", "ZDA", "HDT",
                                     "HDG", "HDM", "HCC", "DBT", "DBK", "DBS", "DPT", "MWV", "APA",
                                     "APB", "BWC", "BWR", "BOD", "RMB", "WPL", "XTE"};
    const int code = GetSentenceCode(line);
    for (const char* type : kKnown)
    {
        const int known = static_cast<unsigned char>(type[0]) | static_cast<unsigned char>(type[1]) << 8 |
                          static_cast<unsigned char>(type[2]) << 16;
        if (code == known)
            return true;
    }
    return false;
}

bool IsNmeaChecksumGood(const char* line)
{
    if (!line)
        return false;
    const char* star = std::strchr(line, '*');
    if (!star || !star[1] || !star[2])
        return false;
    // Upper-case digits only, as FormatNmeaChecksum writes them.
    static const char kHex[] = "0123456789ABCDEF";
    const int checksum = ComputeNmeaChecksum(line);
    return star[1] == kHex[(checksum >> 4) & 0xF] && star[2] == kHex[checksum & 0xF];
}

double KnotsToMetresPerSecond(double knots, double latitude)
{
    // One minute of meridian arc: pi a (1 - e^2) / (10800 W^3), W^2 = 1 - e^2 sin^2(lat).
    const double e2 = 0.0066943799901413165;
    const double s = std::sin(latitude);
    const double w2 = 1.0 - e2 * s * s;
    const double minuteOfArc = w2 > 0.0 ? 19903369.647886984 / (10800.0 * std::pow(w2, 1.5)) : 1852.0;
    return knots * minuteOfArc / 3600.0;
}

// ---------------------------------------------------------------------------------------
// Parsers
// ---------------------------------------------------------------------------------------

bool ParseGGK(const char* line, double* utc, double* latitude, double* longitude, double* height,
              int* quality, int* satellites, double* dop)
{
    if (!line || !IsPtnl(line) || GetSentenceCode(line) != NMEA_GGK)
        return false;
    CSentenceFields f(line);
    f.Skip(2);
    const double time = f.Utc();
    f.Skip();
    const double lat = f.Position(ANGLE_LATITUDE);
    const double lon = f.Position(ANGLE_LONGITUDE);
    const int fix = f.Int();
    const int count = f.Int();
    const double d = ZeroIfNone(f.Double());
    const CString heightField = f.Text();
    const int eht = heightField.Find("EHT");
    if (utc)
        *utc = time;
    if (latitude)
        *latitude = lat;
    if (longitude)
        *longitude = lon;
    if (quality && fix >= 0 && fix <= 2)
        *quality = fix;
    if (satellites)
        *satellites = count;
    if (dop)
        *dop = d;
    if (height)
        *height = eht >= 0 ? AtofC(heightField.Mid(eht + 3)) : 0.0;
    return true;
}

bool ParseGGA(const char* line, double* utc, double* latitude, double* longitude, int* quality,
              int* satellites, double* hdop, double* altitude, double* separation)
{
    if (!line || GetSentenceCode(line) != NMEA_GGA)
        return false;
    CSentenceFields f(line);
    f.Skip();
    const double time = f.Utc();
    const double lat = f.Position(ANGLE_LATITUDE);
    const double lon = f.Position(ANGLE_LONGITUDE);
    const int fix = f.Int();
    const int count = f.Int();
    const double dop = ZeroIfNone(f.Double());
    double alt = ZeroIfNone(f.Double());
    f.Skip();
    const double sep = ZeroIfNone(f.Double());
    if (utc)
        *utc = time;
    if (latitude)
        *latitude = lat;
    if (longitude)
        *longitude = lon;
    if (quality)
        *quality = fix;
    if (satellites)
        *satellites = count;
    if (hdop)
        *hdop = dop;
    if (separation)
        *separation = sep;
    else
        alt += sep;
    if (altitude)
        *altitude = alt;
    return true;
}

bool ParseGLL(const char* line, double* latitude, double* longitude, double* utc, int* quality)
{
    if (!line || GetSentenceCode(line) != NMEA_GLL)
        return false;
    CSentenceFields f(line);
    f.Skip();
    const double lat = f.Position(ANGLE_LATITUDE);
    const double lon = f.Position(ANGLE_LONGITUDE);
    const double time = f.Utc();
    const CString status = f.Text();
    if (latitude)
        *latitude = lat;
    if (longitude)
        *longitude = lon;
    if (utc)
        *utc = time;
    if (quality)
        *quality = status.Left(1) == "V" ? 0 : 1;
    return true;
}

bool ParseRMC(const char* line, double* utc, int* quality, double* latitude, double* longitude,
              double* speedKnots, double* course, int* dayOfYear, int* year)
{
    if (!line || GetSentenceCode(line) != NMEA_RMC)
        return false;
    CSentenceFields f(line);
    f.Skip();
    const double time = f.Utc();
    const CString status = f.Text();
    const double lat = f.Position(ANGLE_LATITUDE);
    const double lon = f.Position(ANGLE_LONGITUDE);
    const double speed = ZeroIfNone(f.Double());
    const double track = ZeroIfNone(f.Double());
    const CString date = f.Text();
    if (utc)
        *utc = time;
    if (quality)
        *quality = status.Left(1) == "V" ? 0 : 1;
    if (latitude)
        *latitude = lat;
    if (longitude)
        *longitude = lon;
    if (speedKnots)
        *speedKnots = speed;
    if (course)
        *course = track;

    int day = 0, month = 0, fullYear = 0, doy = 0;
    if (std::sscanf(date, "%2d%2d%d", &day, &month, &fullYear) == 3 && month >= 1 && month <= 12)
    {
        if (fullYear < 80)
            fullYear += 2000;
        else if (fullYear < 100)
            fullYear += 1900;
        doy = DayOfYearOf(day, month, fullYear);
    }
    if (dayOfYear)
        *dayOfYear = doy;
    if (year && doy != 0)
        *year = fullYear;
    return true;
}

bool ParseGSA(const char* line, int* quality, int* satellitesUsed, SatelliteDef* received, double* pdop,
              double* hdop, double* vdop, int32_t* usedPrns)
{
    if (!line || GetSentenceCode(line) != NMEA_GSA)
        return false;
    CSentenceFields f(line);
    f.Skip(2);
    const int fixType = f.Int();
    if (quality)
        *quality = fixType == 2 ? 1 : (fixType == 3 ? 2 : 0);
    if (received)
        for (int i = 0; i < GPS_SATELLITES; ++i)
            received[i].bUsed = 0;
    // Twelve PRN fields and three DOPs; NMEA 4.10 receivers add a system id after the DOPs,
    // which must not be read as the VDOP.
    const int remaining = f.Remaining();
    const int prnFields = remaining == 16 ? 12 : remaining - 3;
    int32_t listed[GSA_PRNS] = {};
    int used = 0;
    for (int i = 0; i < prnFields; ++i)
    {
        const int prn = f.Int();
        if (prn <= 0)
            continue;
        if (used < GSA_PRNS)
            listed[used] = prn;
        ++used;
    }
    if (received)
        MarkUsedSatellites(received, listed);
    if (usedPrns)
        std::copy(listed, listed + GSA_PRNS, usedPrns);
    // The count is the GSA's own list: the GSV that names the satellites may come later in
    // the same second.
    if (satellitesUsed)
        *satellitesUsed = used;
    const double p = ZeroIfNone(f.Double());
    const double h = ZeroIfNone(f.Double());
    const double v = ZeroIfNone(f.Double());
    if (pdop)
        *pdop = p;
    if (hdop)
        *hdop = h;
    if (vdop)
        *vdop = v;
    return true;
}

bool ParseGST(const char* line, CString* system, double* rms, double* ellipse, double* errors)
{
    if (!line || GetSentenceCode(line) != NMEA_GST)
        return false;
    if (system && std::strlen(line) > 2)
    {
        if (line[2] == 'P')
            *system = "GPS";
        else if (line[2] == 'L')
            *system = "GLONASS";
        else if (line[2] == 'N')
            *system = "Several";
    }
    CSentenceFields f(line);
    f.Skip(2);
    const double r = ZeroIfNone(f.Double());
    const double major = ZeroIfNone(f.Double());
    const double minor = ZeroIfNone(f.Double());
    const double orientation = ZeroIfNone(f.Double());
    const double sigmaLatitude = ZeroIfNone(f.Double());
    const double sigmaLongitude = ZeroIfNone(f.Double());
    const double sigmaHeight = ZeroIfNone(f.Double());
    if (rms)
        *rms = r;
    if (ellipse)
    {
        ellipse[0] = major;
        ellipse[1] = minor;
        ellipse[2] = orientation;
        ellipse[3] = orientation + 90.0;
        if (ellipse[3] >= 360.0)
            ellipse[3] -= 360.0;
    }
    if (errors)
    {
        errors[0] = sigmaLongitude;
        errors[1] = sigmaLatitude;
        errors[2] = sigmaHeight;
    }
    return true;
}

void MarkUsedSatellites(SatelliteDef* received, const int32_t* usedPrns)
{
    for (int s = 0; s < GPS_SATELLITES; ++s)
    {
        received[s].bUsed = 0;
        for (int i = 0; i < GSA_PRNS && received[s].nPrn != 0; ++i)
            if (usedPrns[i] == received[s].nPrn)
                received[s].bUsed = 1;
    }
}

bool ParseGSV(const char* line, SatelliteDef* received, int* satellitesInView, BYTE* setComplete)
{
    if (!line || GetSentenceCode(line) != NMEA_GSV)
        return false;
    CSentenceFields f(line);
    f.Skip();
    const int messages = f.Int();
    const int message = f.Int();
    const int inView = f.Int();
    if (satellitesInView)
        *satellitesInView = inView;
    if (setComplete)
        *setComplete = message == messages ? 1 : 0;
    if (!received || message < 1 || message > 6)
        return true;
    if (message == 1 && inView < GPS_SATELLITES)
    {
        // Entries past the new count would otherwise keep the satellites of an earlier, larger
        // set and show them as if still in view.
        for (int i = inView < 0 ? 0 : inView; i < GPS_SATELLITES; ++i)
        {
            received[i].nPrn = 0;
            received[i].nElevation = 0;
            received[i].nAzimuth = 0;
            received[i].nSnr = 0;
        }
    }
    for (int slot = 0; slot < 4; ++slot)
    {
        const int index = 4 * (message - 1) + slot;
        SatelliteDef& entry = received[index];
        if (index >= inView)
        {
            // Past the satellites in view (a short last message). A trailing NMEA 4.10 signal
            // id must not become a satellite.
            entry.nPrn = entry.nElevation = entry.nAzimuth = entry.nSnr = 0;
            continue;
        }
        const unsigned prn = static_cast<unsigned>(f.Int());
        if (prn > 99)
        {
            entry.nPrn = entry.nElevation = entry.nAzimuth = entry.nSnr = 0;
            f.Skip(3);
            continue;
        }
        const unsigned elevation = static_cast<unsigned>(f.Int());
        const unsigned azimuth = static_cast<unsigned>(f.Int());
        const unsigned snr = static_cast<unsigned>(f.Int());
        entry.nPrn = static_cast<int32_t>(prn);
        entry.nElevation = elevation > 90 ? 0 : static_cast<int32_t>(elevation);
        entry.nAzimuth = azimuth > 360 ? 0 : static_cast<int32_t>(azimuth);
        entry.nSnr = snr > 100 ? 0 : static_cast<int32_t>(snr);
    }
    return true;
}

bool ParseVTG(const char* line, double* course, double* speedKnots, bool* valid)
{
    if (!line || GetSentenceCode(line) != NMEA_VTG)
        return false;
    CSentenceFields f(line);
    f.Skip();
    const double trueCourse = f.Double();
    f.Skip();
    const double magneticCourse = f.Double();
    f.Skip();
    const double knots = f.Double();
    f.Skip();
    f.Double(); // km/h: the knots are the receiver's own unit
    f.Skip();
    const CString mode = f.Text(); // NMEA 2.3 on: 'N' is data not valid
    if (valid)
        *valid = mode.Left(1) != "N" &&
                 !(trueCourse == DBL_MAX && magneticCourse == DBL_MAX && knots == DBL_MAX);
    if (course)
        *course = trueCourse != DBL_MAX ? trueCourse : ZeroIfNone(magneticCourse);
    if (speedKnots)
        *speedKnots = knots == DBL_MAX ? -1.0 : knots;
    return true;
}

bool ParseZDA(const char* line, double* utc, int* year, int* dayOfYear)
{
    if (!line || GetSentenceCode(line) != NMEA_ZDA)
        return false;
    CSentenceFields f(line);
    f.Skip();
    const double time = f.Utc();
    const int day = f.Int();
    const int month = f.Int();
    const int fullYear = f.Int();
    if (utc)
        *utc = time;
    if (year)
        *year = fullYear;
    if (dayOfYear)
        *dayOfYear = DayOfYearOf(day, month, fullYear);
    return true;
}

// ---------------------------------------------------------------------------------------
// CGps
// ---------------------------------------------------------------------------------------

CGps::CGps()
    : CDevice(15), m_PositionUpdated(0), m_PositionSource(-1), m_Wgs84Longitude(0.0), m_Wgs84Latitude(0.0),
      m_Wgs84Height(0.0), m_LocalLatitude(0.0), m_LocalLongitude(0.0), m_LocalHeight(0.0),
      m_AntennaEasting(0.0), m_AntennaNorthing(0.0), m_Convergence(0.0), m_ScaleFactor(1.0),
      m_GeoidalSeparation(0.0), m_SatellitesUpdated(0), m_SatellitesInView(0), m_SatellitesUsed(0),
      m_PositionQuality(0), m_FixMode(0), m_Hdop(0.0), m_GsaReceived(0), m_Vdop(0.0), m_Pdop(0.0), m_GstReceived(0),
      m_GstRms(0.0), m_ErrorEllipse{}, m_PositionErrors{}, m_Course(0.0), m_SpeedOverGround(0.0),
      m_Speed(0.0), m_SortedSatellites{}, m_ReceivedSatellites{}, m_GsvSetComplete(0), m_MinimumSatellites(0),
      m_MaximumDop(0.0), m_PoorQuality(0), m_Year(0), m_DayOfYear(0), m_UtcSeconds(0.0), m_TimeStamp(0.0),
      m_GsaUsedPrns{}, m_CourseSpeedCurrent(0)
{
    m_Wgs84.SetFromTable(CSpheroid::WGS84_ROW);
    for (SatelliteDef& satellite : m_ReceivedSatellites)
        satellite.bUsed = 1;

    AddDataType("WGS84 Latitude", DATA_KIND_LATITUDE, &m_Wgs84Latitude, 0);
    AddDataType("WGS84 Longitude", DATA_KIND_LONGITUDE, &m_Wgs84Longitude, 0);
    AddDataType("WGS84 Height", DATA_KIND_DOUBLE, &m_Wgs84Height, 3);
    AddDataType("Antenna Easting", DATA_KIND_DOUBLE, &m_AntennaEasting, 3);
    AddDataType("Antenna Northing", DATA_KIND_DOUBLE, &m_AntennaNorthing, 3);
    AddDataType("Geoidal Separation", DATA_KIND_DOUBLE, &m_GeoidalSeparation, 3);
    AddDataType("Satellites Used", DATA_KIND_INT, &m_SatellitesUsed, 0);
    AddDataType("HDOP", DATA_KIND_DOUBLE, &m_Hdop, 3);
    AddDataType("VDOP", DATA_KIND_DOUBLE, &m_Vdop, 3);
    AddDataType("PDOP", DATA_KIND_DOUBLE, &m_Pdop, 3);
    AddDataType("Position Quality", DATA_KIND_INT, &m_PositionQuality, 0);
    AddDataType("UTC (Seconds)", DATA_KIND_DOUBLE, &m_UtcSeconds, 3);
    AddDataType("Julian Day", DATA_KIND_INT, &m_DayOfYear, 0);
    AddDataType("Year", DATA_KIND_INT, &m_Year, 0);
    AddDataType("HH:MM:SS", DATA_KIND_TEXT, &m_TimeText, 0);
    AddDataType("DD-MMM-YYYY", DATA_KIND_TEXT, &m_DateText, 0);
}

void CGps::SetPoorQuality(double dop)
{
    const bool fewSatellites = m_MinimumSatellites > 0 && m_SatellitesUsed <= m_MinimumSatellites;
    const bool highDop = m_MaximumDop > 0.0 && dop > m_MaximumDop;
    m_PoorQuality = fewSatellites || highDop ? 1 : 0;
}

int CGps::Decode(const char* line)
{
    if (!line || line[0] != '$')
        return 0;
    const int code = GetSentenceCode(line);
    int result = 0;
    if (IsPtnl(line) && code == NMEA_GGK)
    {
        result = DecodeGgk(line);
    }
    else
    {
        m_GsvSetComplete = 0;
        // The source is chosen before the checksum test and only ever moves up: GLL, RMC, GGA.
        if (code == NMEA_GGA)
            m_PositionSource = NMEA_GGA;
        else if (code == NMEA_RMC && m_PositionSource != NMEA_RMC && m_PositionSource != NMEA_GGA)
            m_PositionSource = NMEA_RMC;
        else if (code == NMEA_GLL && m_PositionSource == -1)
            m_PositionSource = NMEA_GLL;

        if (m_VerifyChecksum && !IsNmeaChecksumGood(line))
            return -1;

        double lat = DBL_MAX, lon = DBL_MAX;
        bool position = false;
        if (m_PositionSource == NMEA_GGA && code == NMEA_GGA)
        {
            double altitude = 0.0, separation = 0.0;
            ParseGGA(line, &m_UtcSeconds, &lat, &lon, &m_PositionQuality, &m_SatellitesUsed, &m_Hdop,
                     &altitude, &separation);
            SetPoorQuality(m_Hdop);
            position = lat != DBL_MAX && lon != DBL_MAX;
            if (position)
            {
                m_Wgs84Height = altitude;
                m_GeoidalSeparation = separation;
            }
        }
        else if (m_PositionSource == NMEA_RMC && code == NMEA_RMC)
        {
            double knots = 0.0, course = 0.0;
            ParseRMC(line, &m_UtcSeconds, &m_PositionQuality, &lat, &lon, &knots, &course, &m_DayOfYear,
                     &m_Year);
            position = lat != DBL_MAX && lon != DBL_MAX;
            // The speed belongs to the latitude it was made good at.
            TakeCourseAndSpeed(m_PositionQuality != 0, course, knots, position ? lat : m_Wgs84Latitude);
            m_PoorQuality = m_MinimumSatellites > 0 && m_SatellitesUsed <= m_MinimumSatellites ? 1 : 0;
            m_TimeStamp = SecondsSince2000(m_Year, m_DayOfYear, m_UtcSeconds);
        }
        else if (m_PositionSource == NMEA_GLL && code == NMEA_GLL)
        {
            ParseGLL(line, &lat, &lon, &m_UtcSeconds, &m_PositionQuality);
            position = lat != DBL_MAX && lon != DBL_MAX;
            if (position)
                m_Wgs84Height = 0.0;
        }
        else if (code == NMEA_VTG && (m_PositionSource == NMEA_GGA || m_PositionSource == NMEA_GLL))
        {
            TakeVtg(line);
            result = NMEA_VTG;
        }
        else if (code == NMEA_RMC)
        {
            // Not the position source: only its date, time, speed and course are taken.
            int quality = 0;
            double knots = 0.0, course = 0.0;
            ParseRMC(line, &m_UtcSeconds, &quality, nullptr, nullptr, &knots, &course, &m_DayOfYear, &m_Year);
            m_TimeStamp = SecondsSince2000(m_Year, m_DayOfYear, m_UtcSeconds);
            TakeCourseAndSpeed(quality != 0, course, knots, m_Wgs84Latitude);
        }
        else if (code == NMEA_ZDA)
        {
            if (TakeZda(line))
                result = NMEA_ZDA;
        }
        else if (code == NMEA_GSA)
        {
            ParseGSA(line, &m_PositionQuality, &m_SatellitesUsed, m_ReceivedSatellites, &m_Pdop, &m_Hdop,
                     &m_Vdop, m_GsaUsedPrns);
            m_FixMode = m_PositionQuality;
            SetPoorQuality(m_Hdop);
            m_GsaReceived = 1;
            result = NMEA_GSA;
        }
        else if (code == NMEA_GST)
        {
            ParseGST(line, &m_GnssSystem, &m_GstRms, m_ErrorEllipse, m_PositionErrors);
            m_GstReceived = 1;
            result = NMEA_GST;
        }
        else if (code == NMEA_GSV)
        {
            ParseGSV(line, m_ReceivedSatellites, &m_SatellitesInView, &m_GsvSetComplete);
            // The last GSA's list holds for satellites that arrive after it.
            if (m_GsaReceived)
                MarkUsedSatellites(m_ReceivedSatellites, m_GsaUsedPrns);
            if (m_GsvSetComplete)
            {
                SortSatellites();
                m_SatellitesUpdated = 1;
                result = NMEA_GSV;
            }
        }

        // A receiver without a fix sends empty position fields: its last position stays, and
        // the time-out runs on, so a lost fix shows as lost instead of as a point at 0 N 0 E.
        if (position)
        {
            m_Wgs84Latitude = lat;
            m_Wgs84Longitude = lon;
            m_Description = AddressOf(line);
            m_PositionUpdated = 1;
            UpdateProjected();
            result = code;
        }
    }
    if (result >= 1)
        Restart();
    return result;
}

int CGps::DecodeGgk(const char* line)
{
    // The user's checksum switch holds for this sentence too: a corrupted GGK would otherwise
    // become a position.
    if (m_VerifyChecksum && !IsNmeaChecksumGood(line))
        return -1;
    double lat = DBL_MAX, lon = DBL_MAX, height = 0.0;
    if (!ParseGGK(line, &m_UtcSeconds, &lat, &lon, &height, &m_PositionQuality, &m_SatellitesUsed, &m_Pdop))
        return 0;
    SetPoorQuality(m_Pdop);
    if (lat == DBL_MAX || lon == DBL_MAX)
        return 0;
    m_Wgs84Latitude = lat;
    m_Wgs84Longitude = lon;
    m_Wgs84Height = height;
    m_Description = "PTGGK";
    m_PositionUpdated = 1;
    UpdateProjected();
    return NMEA_GGK;
}

void CGps::TakeVtg(const char* line)
{
    double course = 0.0, knots = 0.0;
    bool valid = false;
    ParseVTG(line, &course, &knots, &valid);
    if (!valid)
    {
        m_CourseSpeedCurrent = 0;
        return;
    }
    m_Course = course;
    m_SpeedOverGround = knots;
    // -1 knots is the receiver saying it has no speed; it stays a marker, not a speed.
    m_Speed = knots < 0.0 ? -1.0 : KnotsToMetresPerSecond(knots, m_Wgs84Latitude);
    m_CourseSpeedCurrent = knots < 0.0 ? 0 : 1;
}

void CGps::TakeCourseAndSpeed(bool fix, double course, double knots, double latitude)
{
    // A sentence without a fix has no course and no speed: the last ones stay, marked as not
    // current, as the last position stays when the fix is lost.
    m_CourseSpeedCurrent = fix ? 1 : 0;
    if (!fix)
        return;
    m_Course = course;
    m_SpeedOverGround = knots;
    m_Speed = KnotsToMetresPerSecond(knots, latitude);
}

bool CGps::TakeZda(const char* line)
{
    double utc = 0.0;
    int year = 0, dayOfYear = 0;
    ParseZDA(line, &utc, &year, &dayOfYear);
    const double stamp = SecondsSince2000(year, dayOfYear, utc);
    // An older ZDA (a late line from a second port) changes nothing. One of the same second as
    // the stored time is taken: the RMC of the same epoch has usually just set that time, and
    // refusing it would leave the date and time texts empty for good.
    if (stamp < m_TimeStamp)
        return false;
    m_Year = year;
    m_TimeStamp = stamp;
    m_UtcSeconds = utc;
    m_DayOfYear = dayOfYear;
    m_TimeText = FormatTimeOfDay(utc);
    int month = 0, day = 0;
    MonthDayOfYear(year, dayOfYear, &month, &day);
    m_DateText = FormatDate(day, month, year);
    return true;
}

void CGps::SortSatellites()
{
    int slot = 0;
    int previous = 0;
    while (slot < GPS_SATELLITES)
    {
        int pick = 0;
        for (const SatelliteDef& s : m_ReceivedSatellites)
            if (s.nPrn > previous && (pick == 0 || s.nPrn < pick))
                pick = s.nPrn;
        if (pick == 0)
            break;
        for (const SatelliteDef& s : m_ReceivedSatellites)
        {
            if (s.nPrn == pick)
            {
                m_SortedSatellites[slot++] = s;
                break;
            }
        }
        previous = pick;
    }
    for (; slot < GPS_SATELLITES; ++slot)
        m_SortedSatellites[slot] = SatelliteDef{};
}

void CGps::UpdateProjected()
{
    CDatum* datum = GetCurrentDatum();
    CProjection* grid = datum && datum->m_pToProjection ? datum->m_pToProjection : GetCurrentProjection();
    if (!grid)
        return;
    if (datum)
    {
        double latitude = 0.0, longitude = 0.0, height = 0.0;
        // Outside the datum's grids the last local position stands rather than a wrong one.
        if (!datum->ConvertGeographic(m_Wgs84Latitude, m_Wgs84Longitude, m_Wgs84Height, &latitude, &longitude,
                                      &height, 1))
            return;
        m_LocalLatitude = latitude;
        m_LocalLongitude = longitude;
        m_LocalHeight = height;
    }
    else
    {
        m_LocalLatitude = m_Wgs84Latitude;
        m_LocalLongitude = m_Wgs84Longitude;
        m_LocalHeight = m_Wgs84Height;
    }

    double easting = 0.0, northing = 0.0, convergence = 0.0, scale = 0.0;
    grid->GeographicToGrid(m_LocalLatitude, m_LocalLongitude, &easting, &northing, &convergence, &scale);
    m_AntennaEasting = easting;
    m_AntennaNorthing = northing;
    m_Convergence = convergence * ANGLE_RAD_TO_DEG;
    m_ScaleFactor = scale > 0.0 ? scale : 1.0;
}

void ClearGpsFix(CGps* gps)
{
    if (gps == nullptr)
        return;
    gps->m_AntennaEasting = 0.0;
    gps->m_AntennaNorthing = 0.0;
    gps->m_Wgs84Height = 0.0;
    gps->m_FixMode = 0;
    gps->m_SatellitesUsed = 0;
    gps->m_Hdop = 0.0;
    gps->m_PositionQuality = -1;
}

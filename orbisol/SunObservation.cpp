#include "orbisol/SunObservation.h"

#include "orbisol/AlmanacFolder.h"

#include "foundation/ConfigFile.h"
#include "foundation/DateTime.h"

#include <cmath>
#include <limits>

namespace
{
constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kDegreesToRadians = kPi / 180.0;
constexpr double kSecondsPerDay = 86400.0;
constexpr double kSecondsPerHour = 3600.0;
constexpr double kTimeSecondsPerDegree = 240.0;

// An angle in [0, 2π); -0 and a rounding to 2π both give 0.
double WrapTwoPi(double angle)
{
    angle = std::fmod(angle, kTwoPi);
    if (angle < 0.0)
        angle += kTwoPi;
    if (angle >= kTwoPi || angle == 0.0)
        angle = 0.0;
    return angle;
}

// a0 + a1·x + ... + a4·x⁴ by Horner's rule.
double Quartic(double a0, double a1, double a2, double a3, double a4, double x)
{
    return (((a4 * x + a3) * x + a2) * x + a1) * x + a0;
}
} // namespace

double SunAzimuth(double latitude, double declination, double hourAngle)
{
    // One formula for mornings and afternoons at every longitude: the west hour angle, taken
    // modulo 2π (so that a whole turn gives an exact 0, the zenith), enters only through its
    // sine and cosine; no fold is needed.
    hourAngle = std::fmod(hourAngle, kTwoPi);
    const double east = -std::sin(hourAngle);
    const double north = std::cos(latitude) * std::tan(declination) - std::sin(latitude) * std::cos(hourAngle);
    if (east == 0.0 && north == 0.0)
        return 0.0;
    return WrapTwoPi(std::atan2(east, north));
}

CSunObservation::CSunObservation()
{
    for (SunAlmanacDef& month : m_Months)
        month = SunAlmanacDef{};
    ClearResults();
}

bool CSunObservation::LoadAlmanac(int year)
{
    if (year == m_nLoadedYear && year != 0)
    {
        Compute();
        return true;
    }
    m_nLoadedYear = 0;
    const CString path = GetAlmanacFilePath(year);
    bool loaded = false;
    if (path.IsEmpty())
    {
        for (SunAlmanacDef& month : m_Months)
            month = SunAlmanacDef{};
        m_LoadError = AlmanacLoadError{};
        m_LoadError.strFile = "Star Almanac";
        m_LoadError.strReason = "the almanac folder cannot be found or made";
    }
    else
    {
        loaded = ReadAlmanacFile(path, m_Months, &m_LoadError);
    }
    if (!loaded)
    {
        ClearResults();
        return false;
    }
    m_nLoadedYear = year;
    Compute();
    return true;
}

void CSunObservation::Compute()
{
    ClearResults();
    if (m_nLoadedYear == 0 || m_nDayOfYear < 1)
        return;
    if (!std::isfinite(m_dUT) || !std::isfinite(m_dLatitude) || !std::isfinite(m_dLongitude) ||
        !std::isfinite(m_dROAngle))
        return;
    SetCalendarYear(m_nLoadedYear);
    int month = 1;
    int day = m_nDayOfYear;
    while (month <= 12 && day > GetCalendarDaysInMonth(month))
    {
        day -= GetCalendarDaysInMonth(month);
        ++month;
    }
    if (month > 12)
        return; // beyond the loaded year's last day
    const SunAlmanacDef& r = m_Months[month - 1];

    const double x = (m_dUT / kSecondsPerDay + day) * 0.03125;
    const double declinationDegrees = Quartic(r.dDa0, r.dDa1, r.dDa2, r.dDa3, r.dDa4, x);
    const double eHours = Quartic(r.dEa0, r.dEa1, r.dEa2, r.dEa3, r.dEa4, x);
    m_dDeclination = declinationDegrees * kDegreesToRadians;
    m_dE = eHours * kSecondsPerHour;

    double ghaTime = m_dE + m_dUT;
    // West hour angle, not wrapped: it may lie anywhere from about -π to 3π.
    const double hourAngle = ghaTime / kTimeSecondsPerDegree * kDegreesToRadians + m_dLongitude;
    m_dLHA = hourAngle > kPi ? kTwoPi - hourAngle : hourAngle;
    m_dLHATime = m_dLHA / kTwoPi * kSecondsPerDay;
    if (m_dLHATime < 0.0)
        m_dLHATime += kSecondsPerDay;

    if (ghaTime > kSecondsPerDay)
        ghaTime -= kSecondsPerDay;
    else if (ghaTime < 0.0)
        ghaTime += kSecondsPerDay;
    m_dGHATime = ghaTime;
    m_dGHA = ghaTime / kSecondsPerDay * kTwoPi;

    m_dAzimuth = SunAzimuth(m_dLatitude, m_dDeclination, hourAngle);
    // The R.O. angle runs clockwise from the sun to the R.O.
    m_dROAzimuth = WrapTwoPi(m_dAzimuth + m_dROAngle);
    m_bResults = true;
}

void CSunObservation::ClearResults()
{
    const double none = std::numeric_limits<double>::quiet_NaN();
    m_dDeclination = none;
    m_dE = none;
    m_dGHA = none;
    m_dGHATime = none;
    m_dLHA = none;
    m_dLHATime = none;
    m_dAzimuth = none;
    m_dROAzimuth = none;
    m_bResults = false;
}

// The writer and its reader keep one order: latitude, longitude, R.O. angle.
bool CSunObservation::SaveSettings() const
{
    return CConfigFile::WriteSettingsFile("Orbisol", [this](CConfigFile& file) {
        file.WriteDouble("Latitude", m_dLatitude, 16);
        file.WriteDouble("Longitude", m_dLongitude, 16);
        file.WriteDouble("RO Angle", m_dROAngle, 16);
    });
}

void CSunObservation::LoadSettings()
{
    double latitude = 0.0;
    double longitude = 0.0;
    double roAngle = 0.0;
    CConfigFile::ReadSettingsFile("Orbisol", [&](CConfigFile& file) {
        latitude = file.ReadDouble(0.0);
        longitude = file.ReadDouble(0.0);
        roAngle = file.ReadDouble(0.0);
    });
    // A damaged value ("nan", "inf") would poison every result; it reads as a missing one.
    m_dLatitude = std::isfinite(latitude) ? latitude : 0.0;
    m_dLongitude = std::isfinite(longitude) ? longitude : 0.0;
    m_dROAngle = std::isfinite(roAngle) ? roAngle : 0.0;
}

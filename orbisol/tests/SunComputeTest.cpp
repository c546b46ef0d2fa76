// The computation from the almanac: which month and x it evaluates, the hour angles and their
// wraps, the azimuths of the sun and the R.O., results withheld without an almanac, and the
// settings file.
#include "orbisol/SunObservation.h"
#include "orbisol/tests/AlmanacFixtures.h"

#include "foundation/ConfigFile.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace almanactest;

namespace
{
constexpr double kHalfTurn = 3.141592653589793;

// The sun of a hand-made almanac whose declination is 10·month + x degrees.
struct MarkedResult
{
    int month;
    double x;
};

MarkedResult Marked(const CSunObservation& sun)
{
    const double degrees = sun.m_dDeclination / kDegree;
    const int month = static_cast<int>(std::floor(degrees / 10.0));
    return {month, degrees - 10.0 * month};
}

// A loaded observation of a constant sun.
void LoadConstant(CSunObservation& sun, double declinationDegrees, double eHours)
{
    WriteAlmanac(2024, ConstantAlmanac(2024, declinationDegrees, eHours));
    ASSERT_TRUE(sun.LoadAlmanac(2024));
}
} // namespace

// The month and day of month from the day of year and the loaded year's calendar, and
// x = (UT / 86400 + day of month) / 32.
TEST(SunCompute, MonthAndArgument)
{
    struct Case
    {
        int year;
        int dayOfYear;
        double ut;
        int month;
        double x;
    };
    const Case cases[] = {
        {2024, 2, 6 * 3600.0, 1, 0.0703125},          // 2 January 06:00 UT
        {2024, 1, 0.0, 1, 1.0 / 32},
        {2024, 31, 86399.0, 1, (31 + 86399.0 / 86400) / 32},
        {2024, 32, 0.0, 2, 1.0 / 32},
        {2024, 60, 0.0, 2, 29.0 / 32},                // 29 February of a leap year
        {2023, 60, 0.0, 3, 1.0 / 32},                 // 1 March otherwise
        {2100, 60, 0.0, 3, 1.0 / 32},                 // no leap year by the century rule
        {2000, 60, 0.0, 2, 29.0 / 32},                // a leap year by the 400 rule
        {2024, 366, 43200.0, 12, 31.5 / 32},
        {2024, 2, -3600.0, 1, (2 - 3600.0 / 86400) / 32}, // a negative UT is taken as it is
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.year << " day " << c.dayOfYear << " UT " << c.ut);
        WriteAlmanac(c.year, MarkedAlmanac(c.year));
        CSunObservation sun;
        sun.m_nDayOfYear = c.dayOfYear;
        sun.m_dUT = c.ut;
        ASSERT_TRUE(sun.LoadAlmanac(c.year));
        ASSERT_TRUE(sun.HasResults());
        const MarkedResult got = Marked(sun);
        EXPECT_EQ(got.month, c.month);
        EXPECT_NEAR(got.x, c.x, 1e-12);
    }
}

// GHA time = E + UT, wrapped once (a sum beyond two days stays beyond one), and the LHA shown
// folded to 2π - LHA only above π.
TEST(SunCompute, HourAnglesAndTheirWraps)
{
    struct Case
    {
        double eHours;
        double ut;
        double longitudeDegrees;
        double ghaTime;
        double lhaDegrees;
    };
    const Case cases[] = {
        {12.0, 3600.0, 0.0, 46800.0, 360.0 - 195.0},
        {12.0, 50400.0, 0.0, 7200.0, 360.0 - 390.0},   // past a day: wrapped; the fold goes negative
        {0.0, -3600.0, 0.0, 82800.0, -15.0},           // a negative sum: one day added
        {48.0, 3600.0, 0.0, 90000.0, 360.0 - 735.0},   // beyond two days: wrapped once only
        {12.0, 7200.0, -157.0, 50400.0, 53.0},         // at most π: not folded
        {12.0, 0.0, 0.0, 43200.0, 180.0},              // exactly π: not folded
        {12.0, 0.0, 151.0, 43200.0, 360.0 - 331.0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "E " << c.eHours << " h, UT " << c.ut << ", longitude " << c.longitudeDegrees);
        CSunObservation sun;
        sun.m_nDayOfYear = 100;
        sun.m_dUT = c.ut;
        sun.m_dLongitude = c.longitudeDegrees * kDegree;
        LoadConstant(sun, 10.0, c.eHours);
        EXPECT_NEAR(sun.m_dE, c.eHours * 3600.0, 1e-9);
        EXPECT_NEAR(sun.m_dGHATime, c.ghaTime, 1e-9);
        EXPECT_NEAR(sun.m_dGHA, c.ghaTime / 86400.0 * 2 * kHalfTurn, 1e-12);
        EXPECT_NEAR(sun.m_dLHA, c.lhaDegrees * kDegree, 1e-12);
        const double lhaTime = c.lhaDegrees * 240.0;
        EXPECT_NEAR(sun.m_dLHATime, lhaTime < 0.0 ? lhaTime + 86400.0 : lhaTime, 1e-6);
    }
}

// At a west longitude after 00:00 UT while it is still afternoon locally, the unwrapped hour
// angle stays at or below π: the sun stands in the west, not mirrored into the east.
TEST(SunCompute, WestLongitudeAfternoonIsNotMirrored)
{
    CSunObservation sun;
    sun.m_nDayOfYear = 172;
    sun.m_dUT = 2 * 3600.0;
    sun.m_dLongitude = -157.0 * kDegree;
    sun.m_dLatitude = 21.0 * kDegree;
    LoadConstant(sun, 23.44, 12.0);
    EXPECT_NEAR(sun.m_dLHA / kDegree, 53.0, 1e-9) << "the hour angle shown";
    EXPECT_NEAR(sun.m_dAzimuth / kDegree, 283.32, 0.005);
}

// With the latitude and the declination both 0 (cleared records, first-run settings) the
// denominator is 0, yet the sun stands due west or east whenever it is off the meridian. Only
// with the sun in the zenith is there no azimuth, given as 0.
TEST(SunCompute, ZeroDenominatorStillGivesTheAzimuth)
{
    struct Case
    {
        double ut; // E = 12 h at longitude 0: the hour angle is 180° + UT / 240 s
        double azimuthDegrees;
    };
    const Case cases[] = {
        {50400.0, 270.0}, // LHA 30°: afternoon, due west
        {7200.0, 90.0},   // LHA 210°, i.e. 150° before noon: due east
        {43200.0, 0.0},   // the zenith
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.ut);
        CSunObservation sun;
        sun.m_nDayOfYear = 100;
        sun.m_dUT = c.ut;
        LoadConstant(sun, 0.0, 12.0);
        EXPECT_NEAR(sun.m_dAzimuth / kDegree, c.azimuthDegrees, 1e-9);
    }
}

// The R.O. angle is the R.O. reading minus the sun reading: the clockwise angle from the sun to
// the R.O., added to the sun's azimuth.
TEST(SunCompute, ROAzimuthAddsTheClockwiseAngleFromTheSun)
{
    // Latitude 0 and hour angle 280°: tan δ = cos 100° puts the sun at azimuth 100°.
    const double declination = std::atan(std::cos(100.0 * kDegree)) / kDegree;
    struct Case
    {
        double sunReading;
        double roReading;
        double roAzimuth;
    };
    const Case cases[] = {
        {0.0, 90.0, 190.0}, // the hand example
        {350.0, 80.0, 190.0},
        {10.0, 300.0, 30.0}, // past north
        {45.0, 45.0, 100.0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.sunReading << " / " << c.roReading);
        CSunObservation sun;
        sun.m_nDayOfYear = 100;
        sun.m_dUT = (280.0 - 180.0) * 240.0;
        double angle = c.roReading - c.sunReading;
        sun.m_dROAngle = (angle < 0.0 ? angle + 360.0 : angle) * kDegree;
        LoadConstant(sun, declination, 12.0);
        EXPECT_NEAR(sun.m_dAzimuth / kDegree, 100.0, 1e-9);
        EXPECT_NEAR(sun.m_dROAzimuth / kDegree, c.roAzimuth, 1e-9);
    }
}

// Without an almanac, or for a day outside the loaded year, nothing is computed: the results
// are unavailable and hold no number that could pass for one.
TEST(SunCompute, ResultsUnavailableWithoutAnAlmanac)
{
    CSunObservation sun;
    sun.m_nDayOfYear = 100;
    sun.m_dUT = 36000.0;
    EXPECT_FALSE(sun.HasResults()) << "before any load";
    EXPECT_FALSE(sun.LoadAlmanac(2024));
    EXPECT_EQ(sun.m_nLoadedYear, 0);
    EXPECT_FALSE(sun.HasResults());
    EXPECT_NE(std::string(sun.GetLoadError().Format().GetString()).find("sarsun24.dat"), std::string::npos);
    sun.Compute();
    EXPECT_FALSE(sun.HasResults());
    for (double result : {sun.m_dDeclination, sun.m_dE, sun.m_dGHA, sun.m_dGHATime, sun.m_dLHA, sun.m_dLHATime,
                          sun.m_dAzimuth, sun.m_dROAzimuth})
        EXPECT_TRUE(std::isnan(result));
    EXPECT_FALSE(sun.LoadAlmanac(0)) << "year 0 is no loaded year";

    WriteAlmanac(2023, MarkedAlmanac(2023));
    ASSERT_TRUE(sun.LoadAlmanac(2023));
    EXPECT_TRUE(sun.HasResults());
    EXPECT_TRUE(sun.GetLoadError().IsEmpty());
    for (int day : {0, -5, 366})
    {
        sun.m_nDayOfYear = day;
        sun.Compute();
        EXPECT_FALSE(sun.HasResults()) << day;
        EXPECT_TRUE(std::isnan(sun.m_dAzimuth));
    }
    sun.m_nDayOfYear = 365;
    sun.m_dUT = std::nan("");
    sun.Compute();
    EXPECT_FALSE(sun.HasResults()) << "a time that is no number";
    sun.m_dUT = 0.0;
    sun.Compute();
    EXPECT_TRUE(sun.HasResults());

    // A failed load after a good one withdraws the results.
    EXPECT_FALSE(sun.LoadAlmanac(2030));
    EXPECT_FALSE(sun.HasResults());
}

TEST(SunSettings, GoldenBytesAndRoundTrip)
{
    CSunObservation sun;
    sun.m_dLatitude = 0.5;
    sun.m_dLongitude = -2.75;
    sun.m_dROAngle = 1.25;
    ASSERT_TRUE(sun.SaveSettings());
    const QString path = LinuxPathFromWindows(CConfigFile().GetSettingsFileName("Orbisol"));
    EXPECT_EQ(ReadBytes(path), QByteArray("Latitude = 0.5000000000000000\r\n"
                                          "Longitude = -2.7500000000000000\r\n"
                                          "RO Angle = 1.2500000000000000\r\n"));

    sun.m_dLatitude = 21.0 * kDegree;
    sun.m_dLongitude = -157.8583 * kDegree;
    sun.m_dROAngle = 359.9999 * kDegree;
    ASSERT_TRUE(sun.SaveSettings());
    CSunObservation read;
    read.LoadSettings();
    EXPECT_NEAR(read.m_dLatitude, sun.m_dLatitude, 1e-16);
    EXPECT_NEAR(read.m_dLongitude, sun.m_dLongitude, 1e-16);
    EXPECT_NEAR(read.m_dROAngle, sun.m_dROAngle, 1e-16);
}

TEST(SunSettings, DefaultsWithoutTheFileOrItsValues)
{
    const QString path = LinuxPathFromWindows(CConfigFile().GetSettingsFileName("Orbisol"));
    struct Case
    {
        const char* what;
        QByteArray bytes; // null: no file
        double latitude, longitude, roAngle;
    };
    const Case cases[] = {
        {"no file", QByteArray(), 0.0, 0.0, 0.0},
        {"two lines", "Latitude = 0.25\r\nLongitude = 1.5\r\n", 0.25, 1.5, 0.0},
        {"numbers that are none", "Latitude = nan\r\nLongitude = inf\r\nRO Angle = 0.5\r\n", 0.0, 0.0, 0.5},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        QFile::remove(path);
        if (!c.bytes.isNull())
            WriteBytes(path, c.bytes);
        CSunObservation sun;
        sun.m_dLatitude = sun.m_dLongitude = sun.m_dROAngle = 9.0;
        sun.LoadSettings();
        EXPECT_EQ(sun.m_dLatitude, c.latitude);
        EXPECT_EQ(sun.m_dLongitude, c.longitude);
        EXPECT_EQ(sun.m_dROAngle, c.roAngle);
    }
}

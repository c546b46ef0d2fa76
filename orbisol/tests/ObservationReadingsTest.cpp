// The means of the two faces' readings and of the pointings' times, the R.O. angle they give,
// and the observations file: its bytes, its defaults and a damaged file's lines.
#include "orbisol/ObservationReadings.h"
#include "orbisol/tests/AlmanacFixtures.h"

#include "foundation/ConfigFile.h"
#include "platform/core/Time.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace almanactest;

namespace
{
constexpr double kPi = 3.141592653589793;

// Fixes the clock for one test.
struct FixedClock
{
    explicit FixedClock(int64_t unixMilliseconds) { SetClockFixed(unixMilliseconds); }
    ~FixedClock() { ClearClockOverride(); }
};

// 2026-12-11 10:20:30.456 UTC.
constexpr int64_t kMorning = 1796984430456LL;
constexpr double kMorningSeconds = 10 * 3600 + 20 * 60 + 30.456;
} // namespace

TEST(ObservationMeans, ReadingsOfBothFaces)
{
    struct Case
    {
        const char* what;
        double faceLeft, faceRight; // degrees
        double mean;
    };
    const Case ro[] = {
        {"face right half a turn on", 10.0, 190.0004, 10.0002},
        {"face right passed zero", 350.0, 170.0004, 350.0002},
        {"equal readings", 90.0, 90.0, 180.0},
    };
    for (const Case& c : ro)
    {
        SCOPED_TRACE(c.what);
        EXPECT_NEAR(MeanROReading(c.faceLeft * kDegree, c.faceRight * kDegree) / kDegree, c.mean, 1e-9);
    }

    EXPECT_NEAR(MeanSunReading(100.0 * kDegree, 100.5 * kDegree, 280.2 * kDegree, 280.7 * kDegree) / kDegree,
                100.35, 1e-9);
    // The face right circle passed 360: its readings are smaller than the face left ones.
    EXPECT_NEAR(MeanSunReading(350.0 * kDegree, 350.5 * kDegree, 170.2 * kDegree, 170.7 * kDegree) / kDegree,
                350.35, 1e-9);
}

TEST(ObservationMeans, TimesAndTheROAngle)
{
    struct Case
    {
        const char* what;
        double seconds[4];
        double mean;
    };
    const Case cases[] = {
        {"within the hour", {3600.0, 3660.0, 3720.5, 3780.5}, 3690.25},
        {"either side of midnight", {86340.0, 86370.0, 30.0, 60.0}, 0.0},
        {"first after midnight", {60.0, 86340.0, 120.0, 86280.0}, 0.0},
        {"mean just before midnight", {86300.0, 86390.0, 10.0, 0.0}, 86375.0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        EXPECT_NEAR(MeanTimeOfDay(c.seconds), c.mean, 1e-9);
    }

    EXPECT_NEAR(ROAngleFromMeans(1.0, 0.25), 0.75, 1e-15);
    // The R.O. left of the sun: the angle clockwise goes round past north.
    const double angle = ROAngleFromMeans(10.0002 * kDegree, 100.35 * kDegree);
    EXPECT_GT(angle, kPi);
    EXPECT_LT(angle, 2.0 * kPi);
    EXPECT_NEAR(angle / kDegree, 269.6502, 1e-9);
}

TEST(ObservationsFile, GoldenBytesRoundTripAndDefaults)
{
    const QString path = LinuxPathFromWindows(CObservationReadings::GetFileName());
    QFile::remove(path);
    FixedClock clock(kMorning);

    CObservationReadings defaults;
    EXPECT_FALSE(defaults.Load());
    EXPECT_EQ(defaults.m_dFaceLeftSunLeft, 0.0);
    EXPECT_EQ(defaults.m_dFaceRightSunLeft, kPi);
    EXPECT_EQ(defaults.m_dFaceRightSunRight, kPi);
    EXPECT_EQ(defaults.m_dFaceRightRO, kPi);
    for (const DateTimeDef& time : defaults.m_Times)
        EXPECT_NEAR(time.dSecondsOfDay, kMorningSeconds, 1e-9);

    CObservationReadings readings;
    readings.m_dFaceLeftSunLeft = 0.5;
    readings.m_dFaceLeftSunRight = 0.75;
    readings.m_dFaceLeftRO = 1.25;
    readings.m_dFaceRightSunLeft = 3.5;
    readings.m_dFaceRightSunRight = 4.0;
    readings.m_dFaceRightRO = 4.5;
    SetTimeOfDay(readings.m_Times[CObservationReadings::FaceLeftSunLeft], 3600.125);
    SetTimeOfDay(readings.m_Times[CObservationReadings::FaceLeftSunRight], 3660.5);
    SetTimeOfDay(readings.m_Times[CObservationReadings::FaceRightSunLeft], 3720.0);
    SetTimeOfDay(readings.m_Times[CObservationReadings::FaceRightSunRight], 86399.999);
    ASSERT_TRUE(readings.Save());
    EXPECT_EQ(ReadBytes(path), QByteArray("FACE LEFT Left Horizontal = 0.5000000000000000\r\n"
                                          "FACE LEFT Left Time = 3600.125\r\n"
                                          "FACE LEFT Right Horizontal = 0.7500000000000000\r\n"
                                          "FACE LEFT Right Time = 3660.500\r\n"
                                          "FACE LEFT RO = 1.2500000000000000\r\n"
                                          "FACE RIGHT Left Horizontal = 3.5000000000000000\r\n"
                                          "FACE RIGHT Left Time = 3720.000\r\n"
                                          "FACE RIGHT Right Horizontal = 4.0000000000000000\r\n"
                                          "FACE RIGHT Right Time = 86399.999\r\n"
                                          "FACE RIGHT RO = 4.5000000000000000\r\n"));

    readings.m_dFaceLeftRO = 359.9999 * kDegree;
    ASSERT_TRUE(readings.Save());
    CObservationReadings read;
    CStringArray damaged;
    ASSERT_TRUE(read.Load(&damaged));
    EXPECT_EQ(damaged.GetSize(), 0);
    EXPECT_NEAR(read.m_dFaceLeftRO, readings.m_dFaceLeftRO, 1e-16);
    EXPECT_EQ(read.m_dFaceRightSunRight, 4.0);
    const DateTimeDef& last = read.m_Times[CObservationReadings::FaceRightSunRight];
    EXPECT_EQ(last.nHour, 23);
    EXPECT_EQ(last.nMinute, 59);
    EXPECT_EQ(last.nSecond, 59);
    EXPECT_EQ(last.nMillisecond, 999);
    EXPECT_NEAR(read.m_Times[CObservationReadings::FaceLeftSunLeft].dSecondsOfDay, 3600.125, 1e-9);
    QFile::remove(path);
}

TEST(ObservationsFile, DamagedLinesKeepTheirDefaultsAndAreNamed)
{
    const QString path = LinuxPathFromWindows(CObservationReadings::GetFileName());
    FixedClock clock(kMorning);
    WriteBytes(path, QByteArray("FACE LEFT Left Horizontal = 0.5\r\n"
                                "FACE LEFT Left Time = 90000\r\n"       // beyond the day
                                "FACE LEFT Right Horizontal 0.75\r\n"   // no '='
                                "FACE LEFT Right Time = -1\r\n"         // before the day
                                "FACE LEFT RO = nan\r\n"                // not finite
                                "FACE RIGHT Left Horizontal = 3.5x\r\n" // not a number
                                "FACE RIGHT Left Time = 3720.25\r\n" +
                                QByteArray("FACE RIGHT Right Horizontal = ") + QByteArray(70000, '1') +
                                "\r\n")); // too long; the last two lines are missing
    CObservationReadings read;
    CStringArray damaged;
    ASSERT_TRUE(read.Load(&damaged));
    EXPECT_EQ(read.m_dFaceLeftSunLeft, 0.5);
    EXPECT_NEAR(read.m_Times[CObservationReadings::FaceLeftSunLeft].dSecondsOfDay, kMorningSeconds, 1e-9);
    EXPECT_EQ(read.m_dFaceLeftSunRight, 0.0);
    EXPECT_NEAR(read.m_Times[CObservationReadings::FaceLeftSunRight].dSecondsOfDay, kMorningSeconds, 1e-9);
    EXPECT_EQ(read.m_dFaceLeftRO, 0.0);
    EXPECT_EQ(read.m_dFaceRightSunLeft, kPi);
    EXPECT_NEAR(read.m_Times[CObservationReadings::FaceRightSunLeft].dSecondsOfDay, 3720.25, 1e-9);
    EXPECT_EQ(read.m_dFaceRightSunRight, kPi);
    EXPECT_EQ(read.m_dFaceRightRO, kPi);
    QStringList names;
    for (int i = 0; i < damaged.GetSize(); ++i)
        names << QString(damaged[i]);
    EXPECT_EQ(names,
              QStringList({"line 2 (FACE LEFT Left Time)", "line 3 (FACE LEFT Right Horizontal)",
                           "line 4 (FACE LEFT Right Time)", "line 5 (FACE LEFT RO)",
                           "line 6 (FACE RIGHT Left Horizontal)", "line 8 (FACE RIGHT Right Horizontal)",
                           "line 9 (FACE RIGHT Right Time)", "line 10 (FACE RIGHT RO)"}));
    QFile::remove(path);
}

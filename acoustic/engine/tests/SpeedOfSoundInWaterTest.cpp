#include "acoustic/engine/SpeedOfSoundInWater.h"
#include "acoustic/engine/DateFolders.h"
#include "acoustic/engine/tests/FixtureLines.h"

#include "foundation/ConfigFile.h"
#include "foundation/Folders.h"
#include "platform/core/Path.h"
#include "testsupport/TempDrives.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace
{
const double kDegree = 3.14159265358979323846 / 180.0;

// The water the formulas were fitted to: warm water only near the surface. Outside it (30
// degrees at 5000 m) the published fits part by several m/s, the 2010 equation of state
// included.
bool InOcean(double temperature, double depth)
{
    return temperature <= (depth <= 500.0 ? 30.0 : 20.0);
}

std::vector<std::vector<double>> ReadCsv(const char* name)
{
    std::vector<std::vector<double>> rows;
    ForEachFixtureLine(name, [&rows](const std::string& first, std::istringstream& rest) {
        std::vector<double> row;
        std::stringstream fields(first);
        std::string field;
        while (std::getline(fields, field, ','))
            row.push_back(std::stod(field));
        rows.push_back(row);
    });
    return rows;
}

void WriteSettings(const char* name, const QByteArray& bytes)
{
    CConfigFile names;
    QFile f(LinuxPathFromWindows(names.GetSettingsFileName(name)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

ThermoclineDef Point(double depth, double temperature, double salinity)
{
    ThermoclineDef r{};
    r.Depth = depth;
    r.Temperature = temperature;
    r.Salinity = salinity;
    return r;
}

QByteArray SettingsBytes(const char* name)
{
    CConfigFile names;
    QFile f(LinuxPathFromWindows(names.GetSettingsFileName(name)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

TEST(SoundSpeed, PublishedCheckValues)
{
    // Chen and Millero (UNESCO 1983): S = 40, T = 40, P = 1000 bar.
    EXPECT_NEAR(CSpeedOfSoundInWater::SpeedOfSound(SOUND_SPEED_CHEN_MILLERO, 0, 1000.0, 0, 40.0, 40.0, 0),
                1731.995, 5e-4);
    // Mackenzie 1981: T = 25, S = 35, D = 1000 m.
    EXPECT_NEAR(CSpeedOfSoundInWater::SpeedOfSound(SOUND_SPEED_MACKENZIE, 1000.0, 0, 0, 25.0, 35.0, 0),
                1550.744, 5e-4);
    // The printed simple formulas at T = 10, S = 35, z = 100 m.
    struct
    {
        int formula;
        double want;
    } printed[] = {{SOUND_SPEED_LEROY, 1491.979},
                   {SOUND_SPEED_MEDWIN, 1491.590},
                   {SOUND_SPEED_WOODS, 1490.100},
                   {SOUND_SPEED_WILSON_SIMPLIFIED, 1449.14 + 45.721 - 4.4532 - 0.26045 + 0.079851 + 1.643}};
    for (const auto& c : printed)
        EXPECT_NEAR(CSpeedOfSoundInWater::SpeedOfSound(c.formula, 100.0, 0, 0, 10.0, 35.0, 0), c.want, 5e-4)
            << CSpeedOfSoundInWater::FormulaNames[c.formula];
    // Leading constant of Del Grosso at T = S = 0 and gauge pressure 0.
    EXPECT_DOUBLE_EQ(CSpeedOfSoundInWater::SpeedOfSound(SOUND_SPEED_DEL_GROSSO, 0, 0, 0, 0, 0, 0), 1402.392);
    EXPECT_DOUBLE_EQ(CSpeedOfSoundInWater::SpeedOfSound(SOUND_SPEED_CHEN_MILLERO, 0, 0, 0, 0, 0, 0),
                     1402.388);

    // UNESCO 1983 depth: 10 000 dbar at 30 degrees is 9712.653 m, and back.
    EXPECT_NEAR(CSpeedOfSoundInWater::DepthFromPressure(10000.0, 30 * kDegree, 0), 9712.653, 5e-4);
    EXPECT_NEAR(CSpeedOfSoundInWater::PressureFromDepth(9712.653, 30 * kDegree, 0), 1000.0, 1e-4);

    // PSS-78 check values.
    EXPECT_NEAR(CSpeedOfSoundInWater::SalinityFromConductivity(1.888091, 40.0, 1000.0), 40.0000, 5e-5);
    EXPECT_NEAR(CSpeedOfSoundInWater::SalinityFromConductivity(1.0, 15.0, 0.0), 35.0000, 5e-5);
    EXPECT_NEAR(CSpeedOfSoundInWater::ConductivityFromSalinity(40.0, 40.0, 1000.0), 1.888091, 5e-7);
    EXPECT_NEAR(CSpeedOfSoundInWater::ConductivityFromSalinity(35.0, 15.0, 0.0), 1.0, 5e-7);
}

// Wilson's equation is in absolute pressure, 1.033 to 1000 kg/cm2: its 1449.14 is water at
// 0 degrees and S = 35 under no pressure at all. At T = 0, S = 35 (its cross terms all 0) it
// is 1449.14 + 0.160272 P + 1.0268e-5 P^2 + 3.5216e-9 P^3 - 3.3603e-12 P^4: 1449.3056 at the
// surface (one atmosphere, 1.0332 kg/cm2) and 1619.8413 at 1000 kg/cm2 absolute.
TEST(SoundSpeed, WilsonTakesAbsolutePressure)
{
    const double atmosphere = 101.325 / 98.0665; // kg/cm2
    struct
    {
        double gaugeKg, want;
    } rows[] = {{0.0, 1449.30561}, {1000.0 - atmosphere, 1619.84130}};
    for (const auto& row : rows)
        EXPECT_NEAR(CSpeedOfSoundInWater::SpeedOfSound(SOUND_SPEED_WILSON, 0, 0, row.gaugeKg, 0, 35.0, 0), row.want,
                    1e-5)
            << row.gaugeKg;

    // A record at the surface keeps its gauge pressure of 0 and gets the atmosphere in the
    // speed: at 10 degrees about 0.159 m/s per kg/cm2 over the 1.033 kg/cm2 of the air.
    CSpeedOfSoundInWater sv;
    sv.m_Formula = SOUND_SPEED_WILSON;
    ThermoclineDef r = Point(0.0, 10.0, 35.0);
    ASSERT_TRUE(sv.ComputeRecord(r, PRESSURE_BAR));
    EXPECT_EQ(r.PressureKg, 0.0);
    const double noPressure = 1449.14 + 45.721 - 4.4532 - 0.26045 + 0.079851;
    EXPECT_NEAR(r.SpeedOfSound - noPressure, 0.1645, 5e-4);
}

// "Wilson Simplified" keeps Wilson's temperature polynomial whole: over the water it is meant
// for (T -4..30, S 30..37, the top 500 m) it stays within 0.5 m/s of the full equation. Without
// the T^4 term it was 6.5 m/s off at 30 degrees.
TEST(SoundSpeed, WilsonSimplifiedStaysWithWilson)
{
    const double latitude = 45 * kDegree;
    double worst = 0.0;
    for (double t = -4.0; t <= 30.0; t += 1.0)
        for (double s = 30.0; s <= 37.0; s += 0.5)
            for (double z = 0.0; z <= 500.0; z += 25.0)
            {
                const double bar = CSpeedOfSoundInWater::PressureFromDepth(z, latitude, 0);
                const double kg = CSpeedOfSoundInWater::KgPerCm2FromBar(bar);
                const double full = CSpeedOfSoundInWater::SpeedOfSound(SOUND_SPEED_WILSON, z, bar, kg, t, s, latitude);
                const double simple =
                    CSpeedOfSoundInWater::SpeedOfSound(SOUND_SPEED_WILSON_SIMPLIFIED, z, bar, kg, t, s, latitude);
                worst = std::max(worst, std::fabs(simple - full));
            }
    EXPECT_LT(worst, 0.5);
    EXPECT_GT(worst, 0.1) << "a band this tight would say the two were one equation";
}

// kg/cm2 is the kilogram-force per square centimetre, 98.0665 kPa by standard gravity: 1 bar is
// 1.019716 kg/cm2 at every latitude. At 5000 m the pressure in kg/cm2 follows, and Del Grosso
// with it.
TEST(SoundSpeed, KilogramsPerSquareCentimetreByStandardGravity)
{
    EXPECT_NEAR(CSpeedOfSoundInWater::KgPerCm2FromBar(1.0), 1.019716, 5e-7);
    EXPECT_NEAR(CSpeedOfSoundInWater::BarFromKgPerCm2(1.0), 0.980665, 1e-15);
    for (double latitude : {0.0, 1.0, 90 * kDegree})
    {
        CSpeedOfSoundInWater sv;
        sv.m_Latitude = latitude;
        sv.m_Formula = SOUND_SPEED_DEL_GROSSO;
        ThermoclineDef r = Point(5000.0, 2.0, 34.9);
        ASSERT_TRUE(sv.ComputeRecord(r, PRESSURE_BAR));
        EXPECT_NEAR(r.PressureKg, r.PressureBar * 1.0197162129779, 1e-9) << latitude;
        EXPECT_DOUBLE_EQ(r.SpeedOfSound,
                         CSpeedOfSoundInWater::SpeedOfSound(SOUND_SPEED_DEL_GROSSO, 5000.0, r.PressureBar,
                                                            r.PressureBar / 0.980665, 2.0, 34.9, latitude));

        // Given in kg/cm2, the same pressure comes back in bar.
        sv.m_PressureMode = 1;
        ThermoclineDef q = Point(0.0, 2.0, 34.9);
        q.PressureKg = r.PressureKg;
        ASSERT_TRUE(sv.ComputeRecord(q, PRESSURE_KG_PER_CM2));
        EXPECT_NEAR(q.PressureBar, r.PressureBar, 1e-9);
        EXPECT_NEAR(q.Depth, 5000.0, 1e-4);
    }
}

TEST(SoundSpeed, FormulaNamesAsShown)
{
    const char* want[] = {"Chen & Millero (1977)", "Del Grosso (1974)", "Leroy",
                          "MacKenzie (1981)",      "Medwin (1975)",     "Wilson (October 1960) ",
                          "Wilson Simplified",     "Woods (1949)"};
    for (int i = 0; i < SOUND_SPEED_FORMULA_COUNT; ++i)
        EXPECT_STREQ(CSpeedOfSoundInWater::FormulaNames[i], want[i]);
}

TEST(SoundSpeed, PracticalSalinityAgreesWithGsw)
{
    const auto rows = ReadCsv("practical_salinity.csv");
    ASSERT_EQ(rows.size(), 2000u);
    double worstS = 0, worstR = 0;
    for (const auto& r : rows)
    {
        const double t = r[0], s = r[1], bar = r[2] / 10.0, ratio = r[3];
        worstS =
            std::max(worstS, std::fabs(CSpeedOfSoundInWater::SalinityFromConductivity(ratio, t, bar) - s));
        worstR =
            std::max(worstR, std::fabs(CSpeedOfSoundInWater::ConductivityFromSalinity(s, t, bar) - ratio));
    }
    EXPECT_LT(worstS, 1e-4);
    EXPECT_LT(worstR, 1e-4);

    // The scale's cut-offs.
    EXPECT_EQ(CSpeedOfSoundInWater::SalinityFromConductivity(5e-5, 10, 0), 0.0);
    EXPECT_GT(CSpeedOfSoundInWater::SalinityFromConductivity(1e-3, 10, 0), 0.0);
    EXPECT_EQ(CSpeedOfSoundInWater::ConductivityFromSalinity(0.02, 10, 0), 0.0);
    EXPECT_GT(CSpeedOfSoundInWater::ConductivityFromSalinity(0.03, 10, 0), 0.0);
    EXPECT_EQ(CSpeedOfSoundInWater::ConductivityFromSalinity(std::nan(""), 10, 0), 0.0);
}

TEST(SoundSpeed, OlderFormulasStayNearTheirPeers)
{
    // The 2010 equation of state is a coarse peer of Chen and Millero and of Del Grosso.
    double worst0 = 0, worst1 = 0;
    int used = 0;
    for (const auto& r : ReadCsv("gsw_sound_speed.csv"))
    {
        const double t = r[0], s = r[1], bar = r[2] / 10.0;
        if (!InOcean(t, r[2]))
            continue;
        ++used;
        const double kg = CSpeedOfSoundInWater::KgPerCm2FromBar(bar);
        worst0 =
            std::max(worst0, std::fabs(CSpeedOfSoundInWater::SpeedOfSound(0, 0, bar, kg, t, s, 0) - r[3]));
        worst1 =
            std::max(worst1, std::fabs(CSpeedOfSoundInWater::SpeedOfSound(1, 0, bar, kg, t, s, 0) - r[3]));
    }
    // Typically a few tenths apart; the largest gaps, about 1 m/s, are in warm deep water.
    EXPECT_GT(used, 200);
    EXPECT_LT(worst0, 1.5);
    EXPECT_LT(worst1, 1.5);

    // Del Grosso and the full Wilson against Chen and Millero over the working ocean, each
    // within the salinities it was fitted to (Wilson's end at 37): a wrong digit in any
    // coefficient moves them far further than 1 m/s.
    const double latitude = 45 * kDegree;
    for (double t = 0; t <= 30; t += 2.5)
        for (double s = 30; s <= 40; s += 2.5)
            for (double z = 0; z <= 5000; z += 250)
            {
                if (!InOcean(t, z))
                    continue;
                const double bar = CSpeedOfSoundInWater::PressureFromDepth(z, latitude, 0);
                const double kg = CSpeedOfSoundInWater::KgPerCm2FromBar(bar);
                const double c0 = CSpeedOfSoundInWater::SpeedOfSound(0, z, bar, kg, t, s, latitude);
                for (int formula : {SOUND_SPEED_DEL_GROSSO, SOUND_SPEED_WILSON})
                {
                    if (formula == SOUND_SPEED_WILSON && s > 37.0)
                        continue;
                    ASSERT_NEAR(CSpeedOfSoundInWater::SpeedOfSound(formula, z, bar, kg, t, s, latitude), c0,
                                1.0)
                        << CSpeedOfSoundInWater::FormulaNames[formula] << " T " << t << " S " << s << " z "
                        << z;
                }
            }
}

TEST(SoundSpeed, PressureIterationSettlesOrGivesUp)
{
    // 1000 m at 1 rad settles to a pressure whose depth is within 1e-5 m.
    const double bar = CSpeedOfSoundInWater::PressureFromDepth(1000.0, 1.0, 0);
    EXPECT_NEAR(CSpeedOfSoundInWater::DepthFromPressure(10 * bar, 1.0, 0), 1000.0, 1e-5);
    // The geopotential anomaly shifts the depth by anomaly / 9.8.
    const double withAnomaly = CSpeedOfSoundInWater::PressureFromDepth(1000.0, 1.0, 9.8);
    EXPECT_NEAR(CSpeedOfSoundInWater::DepthFromPressure(10 * withAnomaly, 1.0, 0), 999.0, 1e-5);

    for (double bad : {std::nan(""), 1e30, -1e30, std::numeric_limits<double>::infinity()})
        EXPECT_TRUE(std::isnan(CSpeedOfSoundInWater::PressureFromDepth(bad, 1.0, 0))) << bad;

    CSpeedOfSoundInWater sv;
    for (double bad : {std::nan(""), 1e30})
    {
        ThermoclineDef r = Point(bad, 10, 35);
        r.SpeedOfSound = 1500;
        r.MeanSpeed = 1500;
        EXPECT_FALSE(sv.ComputeRecord(r, PRESSURE_BAR)) << bad;
        EXPECT_EQ(r.SpeedOfSound, 0.0);
        EXPECT_EQ(r.MeanSpeed, 0.0);
    }
}

TEST(SoundSpeed, RecordsByModes)
{
    CSpeedOfSoundInWater sv;
    sv.m_Latitude = 30 * kDegree;
    // Depth and salinity given.
    ThermoclineDef r = Point(9712.653, 40.0, 40.0);
    ASSERT_TRUE(sv.ComputeRecord(r, PRESSURE_BAR));
    EXPECT_NEAR(r.PressureBar, 1000.0, 1e-4);
    EXPECT_NEAR(r.PressureKg, 1019.716, 1e-3);
    EXPECT_NEAR(r.ConductivityRatio, 1.888091, 1e-6);
    EXPECT_NEAR(r.SpeedOfSound, 1731.995, 1e-3);

    // Pressure (in kg/cm2) and conductivity given.
    sv.m_PressureMode = 1;
    sv.m_SalinityMode = 1;
    ThermoclineDef q{};
    q.Temperature = 40.0;
    q.ConductivityRatio = 1.888091;
    q.PressureKg = 1000.0 / 0.980665;
    ASSERT_TRUE(sv.ComputeRecord(q, PRESSURE_KG_PER_CM2));
    EXPECT_NEAR(q.PressureBar, 1000.0, 1e-9);
    EXPECT_NEAR(q.Depth, 9712.653, 5e-4);
    EXPECT_NEAR(q.Salinity, 40.0, 1e-4);

    // The same through the current point.
    sv.m_Current = q;
    sv.m_Current.Salinity = 0;
    sv.ComputeSalinityOrConductivity();
    EXPECT_NEAR(sv.m_Current.Salinity, 40.0, 1e-4);
    sv.m_Current.Salinity = 0;
    EXPECT_TRUE(sv.UpdateValues(PRESSURE_KG_PER_CM2));
    EXPECT_NEAR(sv.m_Current.Salinity, 40.0, 1e-4);

    // A damaged formula index gives no speed.
    sv.m_Formula = 9;
    EXPECT_EQ(CSpeedOfSoundInWater::SpeedOfSound(9, 0, 0, 0, 10, 35, 0), 0.0);
    EXPECT_EQ(CSpeedOfSoundInWater::SpeedOfSound(-1, 0, 0, 0, 10, 35, 0), 0.0);
    EXPECT_FALSE(sv.ComputeRecord(q, PRESSURE_KG_PER_CM2));
    EXPECT_EQ(q.SpeedOfSound, 0.0);
}

TEST(SoundSpeed, ProfileMeanSpeed)
{
    // Medwin's speed is linear in depth at fixed T and S: c(z) = c0 + 0.016 z, so the mean
    // from the surface is c0 + 0.008 z exactly.
    CSpeedOfSoundInWater sv;
    sv.m_Formula = SOUND_SPEED_MEDWIN;
    const double c0 = CSpeedOfSoundInWater::SpeedOfSound(SOUND_SPEED_MEDWIN, 0, 0, 0, 10, 35, 0);
    for (double z : {0.0, 10.0, 35.0, 100.0, 400.0, 1000.0})
        sv.Add(Point(z, 10, 35));
    EXPECT_EQ(sv.ComputeProfile(PRESSURE_BAR), 6);
    for (INT_PTR i = 0; i < sv.GetSize(); ++i)
    {
        const ThermoclineDef& r = sv[i];
        EXPECT_NEAR(r.SpeedOfSound, c0 + 0.016 * r.Depth, 1e-9);
        EXPECT_NEAR(r.MeanSpeed, c0 + 0.008 * r.Depth, 1e-9) << r.Depth;
    }

    // Records not computed are passed over; a point not deeper than the one before gets 0
    // and becomes the one the next layer starts from.
    sv.RemoveAll();
    sv.Add(Point(0, 10, 35));
    sv.Add(Point(50, 0, 35)); // temperature 0
    sv.Add(Point(60, 10, 0)); // salinity 0
    sv.Add(Point(100, 10, 35));
    sv.Add(Point(100, 10, 35)); // not deeper
    sv.Add(Point(80, 10, 35));  // shallower
    sv.Add(Point(200, 10, 35));
    sv.ElementAt(1).MeanSpeed = 1234;
    EXPECT_EQ(sv.ComputeProfile(PRESSURE_BAR), 5);
    EXPECT_EQ(sv[1].MeanSpeed, 0.0);
    EXPECT_EQ(sv[1].SpeedOfSound, 0.0);
    EXPECT_EQ(sv[2].MeanSpeed, 0.0);
    EXPECT_NEAR(sv[3].MeanSpeed, c0 + 0.008 * 100, 1e-9);
    EXPECT_EQ(sv[4].MeanSpeed, 0.0);
    EXPECT_EQ(sv[5].MeanSpeed, 0.0);
    // The last layer runs from 80 m: (100 m of 0..100, then 120 m of 80..200) over 220 m.
    const double integral = 100 * (c0 + 0.008 * 100) + 120 * (c0 + 0.016 * 140);
    EXPECT_NEAR(sv[6].MeanSpeed, integral / 220, 1e-9);
}

TEST(SoundSpeedSettings, DefaultsGoldenBytesAndDamagedLines)
{
    {
        CSpeedOfSoundInWater sv;
        EXPECT_EQ(sv.m_Formula, 0);
        EXPECT_EQ(sv.m_PressureMode, 0);
        EXPECT_EQ(sv.m_SalinityMode, 0);
        EXPECT_EQ(sv.m_GeopotentialAnomaly, 0.0);
        EXPECT_EQ(sv.m_Latitude, 1.0);
        EXPECT_EQ(sv.m_ProfileName, "Thermocline");
        sv.m_Formula = 3;
        sv.m_PressureMode = 1;
        sv.m_SalinityMode = 1;
        sv.m_GeopotentialAnomaly = 2.5;
        sv.m_Latitude = 0.5;
        sv.m_ProfileName = "Site 4, cast 2";
        ASSERT_TRUE(sv.SaveSettings());
    }
    EXPECT_EQ(
        SettingsBytes("SpeedOfSoundInWater"),
        QByteArray(
            "Formula = 3\r\nPressure Mode = 1\r\nSalinity Mode = 1\r\nGeopotential Anomaly = 2.500000\r\n"
            "Latitude = 0.5000000000\r\nProfile Name = Site 4\xAB"
            "COMMA\xBB cast 2\r\n"));
    CSpeedOfSoundInWater back;
    EXPECT_EQ(back.m_Formula, 3);
    // A new object starts from depth and salinity given, whatever was saved; the reader alone
    // gives the saved modes back.
    EXPECT_EQ(back.m_PressureMode, 0);
    EXPECT_EQ(back.m_SalinityMode, 0);
    back.LoadSettings();
    EXPECT_EQ(back.m_PressureMode, 1);
    EXPECT_EQ(back.m_SalinityMode, 1);
    EXPECT_EQ(back.m_GeopotentialAnomaly, 2.5);
    EXPECT_EQ(back.m_Latitude, 0.5);
    EXPECT_EQ(back.m_ProfileName, "Site 4, cast 2");

    // Damaged lines take their defaults; the formula index is kept as read and gives no speed.
    WriteSettings("SpeedOfSoundInWater", "Formula = 9\r\nPressure Mode = 7\r\nno equals sign\r\n"
                                         "Geopotential Anomaly = abc\r\nLatitude = 0.3x\r\n");
    CSpeedOfSoundInWater damaged;
    EXPECT_EQ(damaged.m_Formula, 9);
    EXPECT_EQ(damaged.m_PressureMode, 0);
    EXPECT_EQ(damaged.m_SalinityMode, 0);
    EXPECT_EQ(damaged.m_GeopotentialAnomaly, 0.0);
    EXPECT_EQ(damaged.m_Latitude, 1.0);
    EXPECT_EQ(damaged.m_ProfileName, "Thermocline");
}

TEST(SoundSpeedSettings, NewObjectStartsFromShelfWaterAndMakesTheDaysLogFolder)
{
    // A saved session in the other modes must not leak into the new point.
    WriteSettings("SpeedOfSoundInWater", "Formula = 2\r\nPressure Mode = 1\r\nSalinity Mode = 1\r\n");
    CString logs;
    ASSERT_TRUE(GetMyDataFolder(logs, "Logs"));
    const QString folder = LinuxPathFromWindows(logs + GetYearMonthFolder() + "Thermocline\\");
    ASSERT_FALSE(QDir(folder).exists());

    CSpeedOfSoundInWater sv;
    EXPECT_TRUE(QDir(folder).exists()) << folder.toStdString();
    EXPECT_EQ(sv.m_Formula, 2);
    EXPECT_EQ(sv.m_PressureMode, 0);
    EXPECT_EQ(sv.m_SalinityMode, 0);
    const ThermoclineDef& c = sv.m_Current;
    EXPECT_EQ(c.Temperature, 5.0);
    EXPECT_EQ(c.Salinity, 32.0);
    EXPECT_EQ(c.Depth, 100.0);
    // Derived at the default latitude of 1 radian: about 10.1 bar.
    EXPECT_NEAR(CSpeedOfSoundInWater::DepthFromPressure(10.0 * c.PressureBar, 1.0, 0.0), 100.0, 1e-5);
    EXPECT_NEAR(c.PressureBar, 10.1, 0.01);
    EXPECT_NEAR(c.PressureKg, c.PressureBar / 0.980665, 1e-12);
    EXPECT_NEAR(CSpeedOfSoundInWater::SalinityFromConductivity(c.ConductivityRatio, 5.0, c.PressureBar), 32.0, 1e-4);
    EXPECT_EQ(c.SpeedOfSound, 0.0);
    EXPECT_EQ(c.MeanSpeed, 0.0);
}

TEST(SoundSpeedSettings, PressureModeFile)
{
    EXPECT_EQ(CSpeedOfSoundInWater::LoadPressureMode(), 0);
    ASSERT_TRUE(CSpeedOfSoundInWater::SavePressureMode(1));
    EXPECT_EQ(SettingsBytes("Pressure Mode"), QByteArray("Pressure Mode = 1\r\n"));
    EXPECT_EQ(CSpeedOfSoundInWater::LoadPressureMode(), 1);
    EXPECT_FALSE(CSpeedOfSoundInWater::SavePressureMode(2));
    EXPECT_EQ(SettingsBytes("Pressure Mode"), QByteArray("Pressure Mode = 1\r\n"));
    WriteSettings("Pressure Mode", "Pressure Mode = 5\r\n");
    EXPECT_EQ(CSpeedOfSoundInWater::LoadPressureMode(), 1) << "any unit but bar is kg/cm2";
    WriteSettings("Pressure Mode", "Pressure Mode = 0x\r\n");
    EXPECT_EQ(CSpeedOfSoundInWater::LoadPressureMode(), 0);
}

// The cable-type table against its settings file, byte for byte, and the sea-water density
// against the published check values of the one-atmosphere equation of state.
#include "zuduzuro/CableWeight.h"

#include "foundation/ConfigFile.h"
#include "platform/core/Path.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cmath>

namespace
{
QString SettingsPath()
{
    CConfigFile names;
    return LinuxPathFromWindows(names.GetSettingsFileName("Cable Weight"));
}

void WriteFileBytes(const QByteArray& bytes)
{
    const QString path = SettingsPath();
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray ReadFileBytes()
{
    QFile f(SettingsPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

CableWeightDef Row(const char* name, int diameter, int inWater, double air, double water)
{
    return CableWeightDef{name, diameter, inWater, air, water, CString()};
}

// A name holding a comma and a line break, as the CSV record escapes them.
const QByteArray kGolden = "Temperature = 10.000\r\n"
                           "Salinity = 35.000\r\n"
                           "[Name, Diameter, Cable Weight In Air]\r\n"
                           "Chain 76mm, 76, 0, 126.000\r\n"
                           "Wire\xAB"
                           "COMMA>\xBB 6\xAB"
                           "CR>\xBB\xAB"
                           "LF>\xBBstrand, 40, 1, 7.250\r\n"
                           "Rope, 0, 1, 5.500\r\n";
} // namespace

TEST(SeawaterDensity, WeightInWater)
{
    EXPECT_NEAR(WeightInSeawater(76, 126.0, 10.0, 35.0), 121.341, 5e-4);
    // π (0.038)² × 1000 of fresh water.
    EXPECT_NEAR(WeightInFreshWater(76, 126.0), 126.0 - M_PI * 0.038 * 0.038 * 1000.0, 1e-12);
    for (int diameter : {0, -40})
    {
        EXPECT_EQ(WeightInSeawater(diameter, 100.0, 10.0, 35.0), 100.0) << "displaces no water: " << diameter;
        EXPECT_EQ(WeightInFreshWater(diameter, 100.0), 100.0) << diameter;
    }
}

TEST(CableWeight, FreshStartHoldsTheBuiltInTypes)
{
    CCableWeight table;
    ASSERT_EQ(table.GetSize(), 2);
    EXPECT_STREQ(table[0].Name, "Default");
    EXPECT_EQ(table[0].nWeightInWater, 1);
    EXPECT_EQ(table[0].WeightInAir, 21.93);
    EXPECT_EQ(table[0].WeightInWater, 21.93);
    EXPECT_STREQ(table[1].Name, "Dyneema");
    EXPECT_EQ(table[1].WeightInWater, 0.0);
    EXPECT_EQ(table.m_Temperature, 0.0);
    EXPECT_EQ(table.m_Salinity, 10.0);
    EXPECT_EQ(table.GetDamagedLines().GetSize(), 0);
}

TEST(CableWeight, SaveWritesTheGoldenBytesAndReadsThemBack)
{
    CCableWeight table;
    table.m_Temperature = 10.0;
    table.m_Salinity = 35.0;
    // Changes to the built-in types never reach the file.
    table[0].WeightInWater = 99.0;
    table[1].Name = "Changed";
    table.Add(Row("Chain 76mm", 76, 0, 126.0, 0.0));
    table.Add(Row("Wire, 6\r\nstrand", 40, 1, 0.0, 7.25));
    table.Add(Row("Rope", 0, 1, 0.0, 5.5));
    ASSERT_TRUE(table.Save());
    EXPECT_EQ(ReadFileBytes(), kGolden);

    CCableWeight back;
    ASSERT_EQ(back.GetSize(), 5);
    EXPECT_EQ(back.m_Temperature, 10.0);
    EXPECT_EQ(back.m_Salinity, 35.0);
    EXPECT_STREQ(back[0].Name, "Default");
    EXPECT_EQ(back[0].WeightInWater, 21.93);
    EXPECT_STREQ(back[1].Name, "Dyneema");
    EXPECT_STREQ(back[2].Name, "Chain 76mm");
    EXPECT_EQ(back[2].WeightInAir, 126.0);
    EXPECT_NEAR(back[2].WeightInWater, 121.341, 5e-4) << "computed from the stored sea water";
    EXPECT_STREQ(back[3].Name, "Wire, 6\r\nstrand");
    EXPECT_EQ(back[3].nDiameter, 40);
    EXPECT_EQ(back[3].WeightInAir, 0.0);
    EXPECT_EQ(back[3].WeightInWater, 7.25);
    EXPECT_EQ(back[4].WeightInWater, 5.5);
    ASSERT_TRUE(back.Save());
    EXPECT_EQ(ReadFileBytes(), kGolden) << "a user's file is written back unchanged";
}

TEST(CableWeight, WeightsInAirFollowTheSeaWater)
{
    CCableWeight table;
    table.m_Temperature = 10.0;
    table.m_Salinity = 35.0;
    table.Add(Row("Air", 0, 0, 100.0, 0.0)); // no diameter: in water as in air
    table.Add(Row("Chain", 76, 0, 126.0, 0.0));
    table.Add(Row("Entered", 76, 1, 0.0, 50.0));
    ASSERT_TRUE(table.Save());
    CCableWeight first;
    EXPECT_EQ(first[2].WeightInWater, 100.0);
    const double chainBefore = first[3].WeightInWater;

    first.m_Salinity = 20.0;
    ASSERT_TRUE(first.Save());
    CCableWeight second;
    EXPECT_EQ(second[2].WeightInWater, 100.0);
    EXPECT_NEAR(second[3].WeightInWater, WeightInSeawater(76, 126.0, 10.0, 20.0), 1e-12);
    EXPECT_NE(second[3].WeightInWater, chainBefore);
    EXPECT_EQ(second[4].WeightInWater, 50.0) << "a weight entered in water does not move";
}

// A malformed row once came in with INT_MAX and the largest double as its weight, which made
// the catenary NaN. It now keeps its place, weighs nothing, is reported, and goes back to the
// file as it was.
TEST(CableWeight, DamagedRowKeepsItsPlaceAndText)
{
    const QByteArray file = "Temperature = 10.000\r\n"
                            "Salinity = 35.000\r\n"
                            "[Name, Diameter, Cable Weight In Air]\r\n"
                            "Chain 76mm, 76, 0, 126.000\r\n"
                            "Broken, 40\r\n"
                            "Rope, 0, 1, 5.500\r\n";
    WriteFileBytes(file);
    CCableWeight table;
    ASSERT_EQ(table.GetSize(), 5);
    EXPECT_STREQ(table[3].Name, "Broken");
    EXPECT_EQ(table[3].WeightInAir, 0.0);
    EXPECT_EQ(table[3].WeightInWater, 0.0);
    EXPECT_STREQ(table[4].Name, "Rope") << "the rows after it keep their indices";
    EXPECT_EQ(table[4].WeightInWater, 5.5);
    ASSERT_EQ(table.GetDamagedLines().GetSize(), 1);
    EXPECT_EQ(table.GetDamagedLines()[0], 5);
    for (INT_PTR i = 0; i < table.GetSize(); ++i)
        EXPECT_LT(table[i].WeightInWater, 1e6) << i;
    ASSERT_TRUE(table.Save());
    EXPECT_EQ(ReadFileBytes(), file);

    // Once the user mends the row, it is written from its fields.
    table[3].nDiameter = 40;
    table[3].nWeightInWater = 1;
    table[3].WeightInWater = 6.0;
    ASSERT_TRUE(table.Save());
    EXPECT_TRUE(ReadFileBytes().contains("\r\nBroken, 40, 1, 6.000\r\n"));
    CCableWeight mended;
    EXPECT_EQ(mended.GetDamagedLines().GetSize(), 0);
    EXPECT_EQ(mended[3].WeightInWater, 6.0);
}

// A "nan", "inf" or out-of-range sea-water line once made every density NaN.
TEST(CableWeight, UnusableSeaWaterLinesTakeTheMissingFileValues)
{
    struct Case
    {
        const char* temperature;
        const char* salinity;
        double wantT, wantS;
        int damaged;
    };
    const Case cases[] = {
        {"nan", "35", 0.0, 35.0, 1}, {"12", "inf", 12.0, 10.0, 1}, {"1e400", "-5", 0.0, 10.0, 2},
        {"50", "99", 0.0, 10.0, 2},  {"-2", "42", -2.0, 42.0, 0},
    };
    for (const Case& c : cases)
    {
        WriteFileBytes(QByteArray("Temperature = ") + c.temperature + "\r\nSalinity = " + c.salinity +
                       "\r\n[Name, Diameter, Cable Weight In Air]\r\nChain, 76, 0, 126.000\r\n");
        CCableWeight table;
        EXPECT_EQ(table.m_Temperature, c.wantT) << c.temperature;
        EXPECT_EQ(table.m_Salinity, c.wantS) << c.salinity;
        EXPECT_EQ(table.GetDamagedLines().GetSize(), c.damaged) << c.temperature << " " << c.salinity;
        ASSERT_EQ(table.GetSize(), 3);
        EXPECT_TRUE(std::isfinite(table[2].WeightInWater));
    }
}

// Save once wrote nothing and said nothing when the file could not be made.
TEST(CableWeight, SaveThatCannotWriteSaysSo)
{
    // A folder where the file should be: nothing can be put in its place.
    ASSERT_TRUE(QDir().mkpath(SettingsPath() + "/blocked"));
    CCableWeight table;
    table.Add(Row("Chain", 76, 0, 126.0, 0.0));
    EXPECT_FALSE(table.Save());
    EXPECT_TRUE(QFileInfo(SettingsPath()).isDir());
}

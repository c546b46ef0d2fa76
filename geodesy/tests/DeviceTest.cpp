#include "geodesy/DataType.h"
#include "geodesy/Device.h"
#include "geodesy/Gps.h"
#include "geodesy/Timeout.h"

#include "foundation/DateTime.h"
#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>

namespace
{
TEST(Timeout, NewSourceIsSilentUntilItsFirstData)
{
    CDevice device;
    EXPECT_EQ(device.m_TimedOut, 1);
    EXPECT_EQ(device.m_Flag, 0);
    EXPECT_EQ(device.m_Limit, 15);
    EXPECT_NEAR(device.m_StartTime, CTimeout::Clock() - 15.0, 1.0);
    EXPECT_TRUE(device.IsTimedOut());
    EXPECT_EQ(device.m_Active, 1);
    EXPECT_EQ(device.m_VerifyChecksum, 1);
    EXPECT_EQ(device.m_PortNo, 0);
    EXPECT_TRUE(device.m_Description.IsEmpty());
    EXPECT_TRUE(device.m_DeviceName.IsEmpty());
}

TEST(Timeout, DataRestartsAndSilenceEndsIt)
{
    CTimeout timeout(5);
    timeout.Restart();
    EXPECT_FALSE(timeout.IsTimedOut());
    EXPECT_FALSE(timeout.IsTimedOut(5));

    // Silent for longer than the limit: the flag is set and stays set whatever limit is asked.
    timeout.m_StartTime = CTimeout::Clock() - 6.0;
    EXPECT_FALSE(timeout.IsTimedOut(10));
    EXPECT_TRUE(timeout.IsTimedOut());
    EXPECT_EQ(timeout.m_TimedOut, 1);
    EXPECT_TRUE(timeout.IsTimedOut(10));

    // A start time ahead of the clock by more than the limit counts as silence too.
    timeout.Restart();
    timeout.m_StartTime = CTimeout::Clock() + 60.0;
    EXPECT_TRUE(timeout.IsTimedOut());

    timeout.Restart();
    EXPECT_FALSE(timeout.IsTimedOut());
}

// A time-zone or summer-time change steps local time by hours; no time-out may move with it.
TEST(Timeout, AWallClockStepMovesNoTimeOut)
{
    const char* saved = std::getenv("TZ");
    const std::string before = saved ? saved : "";
    setenv("TZ", "UTC0", 1);
    tzset();
    CTimeout timeout(15);
    timeout.Restart();
    EXPECT_FALSE(timeout.IsTimedOut());
    setenv("TZ", "UTC-3", 1); // local time three hours on
    tzset();
    EXPECT_FALSE(timeout.IsTimedOut());
    setenv("TZ", "UTC+3", 1); // and three hours back
    tzset();
    EXPECT_FALSE(timeout.IsTimedOut());
    if (saved)
        setenv("TZ", before.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST(Timeout, NowIsOnTheSuiteScale)
{
    DateTimeDef dt;
    GetLocalDateTime(dt);
    EXPECT_NEAR(CTimeout::Now(), dt.dSeconds, 2.0);
}

TEST(Timeout, CopyTakesFlagsLimitAndStart)
{
    CTimeout a(7);
    a.Restart();
    a.m_Flag = 1;
    CDevice b;
    CTimeout& base = b;
    base.Copy(a);
    EXPECT_EQ(b.m_TimedOut, 0);
    EXPECT_EQ(b.m_Flag, 1);
    EXPECT_EQ(b.m_Limit, 7);
    EXPECT_EQ(b.m_StartTime, a.m_StartTime);
}

TEST(DataType, KeepsTheOrderOfAddition)
{
    double height = 12.5;
    int count = 7;
    CString text("x");
    CDataType list;
    EXPECT_TRUE(list.m_ListName.IsEmpty());
    list.AddDataType("Height", DATA_KIND_DOUBLE, &height, 3);
    list.AddDataType("Count", DATA_KIND_INT, &count, 0);
    list.AddDataType("Text", DATA_KIND_TEXT, &text, 0);
    ASSERT_EQ(list.GetSize(), 3);
    EXPECT_EQ(list[0].strName, "Height");
    EXPECT_EQ(list[1].nKind, DATA_KIND_INT);
    EXPECT_EQ(list[2].pValue, &text);
    EXPECT_EQ(list[0].nDecimals, 3);
    // Displays read the device's own field through the entry.
    height = 99.0;
    EXPECT_EQ(*static_cast<double*>(list[0].pValue), 99.0);
}

TEST(DataType, SerializeKeepsNamesAndNeverStoresAddresses)
{
    double a = 1.0, b = 2.0;
    CDataType stored;
    stored.AddDataType("First", DATA_KIND_DOUBLE, &a, 3);
    stored.AddDataType("Second", DATA_KIND_LATITUDE, &b, 0);

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        stored.Serialize(ar);
        ar.Close();
    }
    // A 16-bit count, then each entry's name (length byte and text), kind (32-bit) and
    // decimals (16-bit): no address anywhere.
    EXPECT_EQ(file.GetLength(), 2u + (1 + 5 + 4 + 2) + (1 + 6 + 4 + 2));

    file.Seek(0, CFile::begin);
    double mine = 0.0;
    CDataType loaded;
    loaded.AddDataType("Old", DATA_KIND_INT, &mine, 1);
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    ASSERT_EQ(loaded.GetSize(), 2);
    EXPECT_EQ(loaded[0].strName, "First");
    EXPECT_EQ(loaded[0].nKind, DATA_KIND_DOUBLE);
    EXPECT_EQ(loaded[0].nDecimals, 3);
    EXPECT_EQ(loaded[0].pValue, &mine);
    EXPECT_EQ(loaded[1].strName, "Second");
    EXPECT_EQ(loaded[1].nKind, DATA_KIND_LATITUDE);
    EXPECT_EQ(loaded[1].pValue, nullptr);

    // A cut-off archive raises the framework's exception and leaves the list as it was.
    CMemFile cut;
    cut.Write(file.GetBuffer(), static_cast<UINT>(file.GetLength() - 3));
    cut.Seek(0, CFile::begin);
    bool thrown = false;
    try
    {
        CArchive ar(&cut, CArchive::load);
        loaded.Serialize(ar);
    }
    catch (CException* e)
    {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    ASSERT_EQ(loaded.GetSize(), 2);
    EXPECT_EQ(loaded[1].strName, "Second");
}

TEST(DataType, GpsListsItsValuesInDisplayOrder)
{
    CGps gps;
    const struct
    {
        const char* name;
        int kind;
        const void* value;
        int decimals;
    } expected[] = {
        {"WGS84 Latitude", DATA_KIND_LATITUDE, &gps.m_Wgs84Latitude, 0},
        {"WGS84 Longitude", DATA_KIND_LONGITUDE, &gps.m_Wgs84Longitude, 0},
        {"WGS84 Height", DATA_KIND_DOUBLE, &gps.m_Wgs84Height, 3},
        {"Antenna Easting", DATA_KIND_DOUBLE, &gps.m_AntennaEasting, 3},
        {"Antenna Northing", DATA_KIND_DOUBLE, &gps.m_AntennaNorthing, 3},
        {"Geoidal Separation", DATA_KIND_DOUBLE, &gps.m_GeoidalSeparation, 3},
        {"Satellites Used", DATA_KIND_INT, &gps.m_SatellitesUsed, 0},
        {"HDOP", DATA_KIND_DOUBLE, &gps.m_Hdop, 3},
        {"VDOP", DATA_KIND_DOUBLE, &gps.m_Vdop, 3},
        {"PDOP", DATA_KIND_DOUBLE, &gps.m_Pdop, 3},
        {"Position Quality", DATA_KIND_INT, &gps.m_PositionQuality, 0},
        {"UTC (Seconds)", DATA_KIND_DOUBLE, &gps.m_UtcSeconds, 3},
        {"Julian Day", DATA_KIND_INT, &gps.m_DayOfYear, 0},
        {"Year", DATA_KIND_INT, &gps.m_Year, 0},
        {"HH:MM:SS", DATA_KIND_TEXT, &gps.m_TimeText, 0},
        {"DD-MMM-YYYY", DATA_KIND_TEXT, &gps.m_DateText, 0},
    };
    ASSERT_EQ(gps.GetSize(), static_cast<INT_PTR>(sizeof(expected) / sizeof(expected[0])));
    for (INT_PTR i = 0; i < gps.GetSize(); ++i)
    {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(std::string(gps[i].strName), expected[i].name);
        EXPECT_EQ(gps[i].nKind, expected[i].kind);
        EXPECT_EQ(gps[i].pValue, expected[i].value);
        EXPECT_EQ(gps[i].nDecimals, expected[i].decimals);
    }
}
} // namespace

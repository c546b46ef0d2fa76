// The display settings the tide panes take: the zone of times and the decimals of heights.
#include "foundation/ConfigFile.h"
#include "marevo/TimeZone.h"
#include "platform/core/FileApi.h"
#include "testsupport/TempDrives.h"

#include <gtest/gtest.h>

TEST(TimeZone, SettingsGiveZoneAndDecimalsWithTheirDefaults)
{
    struct
    {
        const char* label;
        const char* text; // null: no file
        int zone;
        int decimals;
    } cases[] = {
        {"no file", nullptr, 1, 2},
        {"whole file", "Time Zone = 0\nDecimals = 3\n", 0, 3},
        {"lines without values", "Time Zone =\nDecimals\n", 0, 2},
        {"empty file", "", 0, 2},
        {"second line missing", "Time Zone = 1\n", 1, 2},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.label);
        CConfigFile probe;
        const CString path = probe.GetSettingsFileName("TimeZone");
        if (c.text)
            ASSERT_TRUE(CConfigFile::WriteWhole(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary,
                                                [&](CConfigFile& file) { file.WriteString(c.text); }));
        else
            DeleteFileA(path);
        CTimeZone zone;
        EXPECT_EQ(zone.m_nZone, c.zone);
        EXPECT_EQ(zone.m_nDecimals, c.decimals);
    }
}

TEST(TimeZone, DamagedValuesStayUsable)
{
    CTimeZone zone;
    zone.m_nZone = 7;
    zone.m_nDecimals = 400;
    EXPECT_EQ(zone.GetZone(), CTimeZone::ZONE_PORT);
    EXPECT_EQ(zone.GetHeightDecimals(), 4);
    zone.m_nDecimals = -3;
    EXPECT_EQ(zone.GetHeightDecimals(), 0);
}

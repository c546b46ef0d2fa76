#include "foundation/AngleFormat.h"

#include "foundation/ConfigFile.h"
#include "platform/core/File.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

namespace
{
const double kDeg = 3.14159265358979323846 / 180.0;

// Degree signs written as '*' so that a failing text reads plainly in the test output.
std::string Plain(const CString& text)
{
    std::string s(text);
    for (char& c : s)
        if (c == DEGREE_SIGN)
            c = '*';
    return s;
}

struct FormatCase
{
    double degrees;
    int type;
    int format;
    int decimals;
    char letter;
    const char* expected; // '*' stands for the degree sign
};

TEST(AngleFormat, FormatsEveryNotation)
{
    const FormatCase cases[] = {
        // Latitudes: letter from the side, two degree digits.
        {51.50430555556, ANGLE_LATITUDE, ANGLE_FORMAT_DMS, 2, 0, "51* 30' 15\".50N"},
        {-51.50430555556, ANGLE_LATITUDE, ANGLE_FORMAT_DMS, 2, 0, "51* 30' 15\".50S"},
        {51.50430555556, ANGLE_LATITUDE, ANGLE_FORMAT_DM, 7, 0, "51* 30'.2583333N"},
        {51.50430555556, ANGLE_LATITUDE, ANGLE_FORMAT_DEGREES, 9, 0, "51*.504305556N"},
        {51.50430555556, ANGLE_LATITUDE, ANGLE_FORMAT_GRADIANS, 4, 0, "057g.2270N"},
        // Signed decimal degrees keep the side of a latitude or longitude as the sign.
        {-51.50430555556, ANGLE_LATITUDE, ANGLE_FORMAT_SIGNED, 9, 0, "-51*.504305556"},
        {5.5, ANGLE_LATITUDE, ANGLE_FORMAT_SIGNED, 2, 0, "+05*.50"},
        {-3.25, ANGLE_LONGITUDE, ANGLE_FORMAT_SIGNED, 4, 0, "-003*.2500"},
        // Longitudes: three degree digits.
        {3.25, ANGLE_LONGITUDE, ANGLE_FORMAT_DMS, 5, 0, "003* 15' 00\".00000E"},
        {-3.25, ANGLE_LONGITUDE, ANGLE_FORMAT_DM, 7, 0, "003* 15'.0000000W"},
        // Signed types: the sign in front, in every notation.
        {-12.5, ANGLE_SIGNED, ANGLE_FORMAT_DEGREES, 2, 0, "-012*.50"},
        {12.5, ANGLE_SIGNED_RIGHT, ANGLE_FORMAT_SIGNED, 2, 0, "+12*.50"},
        {-12.5, ANGLE_SIGNED_RIGHT, ANGLE_FORMAT_SIGNED, 2, 0, "-12*.50"},
        {-45.0, ANGLE_SIGNED_2DP, ANGLE_FORMAT_DM, 1, 0, "-45* 00'.0"},
        // Bearings and the 90-minus type.
        {90.0, ANGLE_FULL_CIRCLE, ANGLE_FORMAT_GRADIANS, 3, 0, "100g.000"},
        {-90.0, ANGLE_FULL_CIRCLE, ANGLE_FORMAT_DEGREES, 1, 0, "090*.0"},
        {30.0, ANGLE_COMPLEMENT, ANGLE_FORMAT_DM, 2, 0, "060* 00'.00"},
        // Seconds and minutes that would print as 60 carry into the next unit.
        {0.5 - 1e-9, ANGLE_SIGNED, ANGLE_FORMAT_DMS, 2, 0, "+000* 30' 00\".00"},
        {10.0 + 59.0 / 60.0 + 59.996 / 3600.0, ANGLE_FULL_CIRCLE, ANGLE_FORMAT_DMS, 2, 0, "011* 00' 00\".00"},
        {45.99999999, ANGLE_LONGITUDE, ANGLE_FORMAT_DM, 3, 0, "046* 00'.000E"},
        {45.0 + 59.9996 / 60.0, ANGLE_LONGITUDE, ANGLE_FORMAT_DM, 3, 0, "046* 00'.000E"},
        // No decimals: no point to move a mark to.
        {51.25, ANGLE_LATITUDE, ANGLE_FORMAT_DM, 0, 0, "51* 15'N"},
        // Zero takes the letter given, N or E when none or a wrong one is given.
        {0.0, ANGLE_LATITUDE, ANGLE_FORMAT_DM, 2, 'S', "00* 00'.00S"},
        {0.0, ANGLE_LATITUDE, ANGLE_FORMAT_DM, 2, 0, "00* 00'.00N"},
        {0.0, ANGLE_LONGITUDE, ANGLE_FORMAT_DEGREES, 1, 'w', "000*.0W"},
        {0.0, ANGLE_LONGITUDE, ANGLE_FORMAT_DEGREES, 1, 'N', "000*.0E"},
        // Decimals out of range take the type's defaults.
        {51.50430555556, ANGLE_LATITUDE, ANGLE_FORMAT_DMS, -1, 0, "51* 30' 15\".50000N"},
        {123.456, ANGLE_FULL_CIRCLE_2DP, ANGLE_FORMAT_DEGREES, 33, 0, "123*.46"},
    };
    for (const FormatCase& c : cases)
    {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(Plain(FormatAngle(c.degrees * kDeg, c.type, c.format, c.decimals, c.letter)), c.expected);
    }
}

TEST(AngleFormat, NoValueAndNotAvailable)
{
    EXPECT_EQ(FormatAngle(DBL_MAX, ANGLE_LATITUDE, ANGLE_FORMAT_DM, 7), "");
    EXPECT_EQ(FormatAngle(-1.0, ANGLE_LATITUDE, ANGLE_FORMAT_DM, 7), "n/a");
    EXPECT_EQ(FormatAngle(-1.0, ANGLE_FULL_CIRCLE, ANGLE_FORMAT_PREFERENCE), "n/a");
}

TEST(AngleFormat, AngleToDmsSplitsAndCarries)
{
    int d = 0, m = 0, sign = 0;
    double s = 0.0;
    AngleToDms(-(51.0 + 30.0 / 60.0 + 15.5 / 3600.0) * kDeg, d, m, s, sign, 2);
    EXPECT_EQ(d, 51);
    EXPECT_EQ(m, 30);
    EXPECT_NEAR(s, 15.5, 1e-6);
    EXPECT_EQ(sign, -1);

    // 59.9996" is 60.00" at two decimals (a whole minute more), but 59.9996" at four.
    const double angle = (2.0 + 59.0 / 60.0 + 59.9996 / 3600.0) * kDeg;
    AngleToDms(angle, d, m, s, sign, 2);
    EXPECT_EQ(d, 3);
    EXPECT_EQ(m, 0);
    EXPECT_EQ(s, 0.0);
    EXPECT_EQ(sign, 1);
    AngleToDms(angle, d, m, s, sign, 4);
    EXPECT_EQ(d, 2);
    EXPECT_EQ(m, 59);
    EXPECT_NEAR(s, 59.9996, 1e-6);
}

TEST(AngleFormat, SavedPreferences)
{
    // Without files: degrees and decimal minutes, 7 decimals, N and E.
    EXPECT_EQ(Plain(FormatAngle(0.0, ANGLE_LATITUDE, ANGLE_FORMAT_PREFERENCE)), "00* 00'.0000000N");
    EXPECT_EQ(Plain(FormatAngle(0.0, ANGLE_FULL_CIRCLE, ANGLE_FORMAT_PREFERENCE)), "000* 00'.0000000");
    // The saved decimals replace the caller's.
    EXPECT_EQ(Plain(FormatAngle(0.0, ANGLE_FULL_CIRCLE_2DP, ANGLE_FORMAT_PREFERENCE, 2)), "000* 00'.0000000");

    ASSERT_TRUE(SaveGeographicalsSettings(ANGLE_FORMAT_DMS, 2, 'S', 'W'));
    ASSERT_TRUE(SaveAngleSettings(ANGLE_FORMAT_GRADIANS, 1));
    EXPECT_EQ(Plain(FormatAngle(0.0, ANGLE_LATITUDE, ANGLE_FORMAT_PREFERENCE)), "00* 00' 00\".00S");
    EXPECT_EQ(Plain(FormatAngle(0.0, ANGLE_LONGITUDE, ANGLE_FORMAT_PREFERENCE)), "000* 00' 00\".00W");
    EXPECT_EQ(Plain(FormatAngle(1.0 * kDeg, ANGLE_LONGITUDE, ANGLE_FORMAT_PREFERENCE)), "001* 00' 00\".00E");
    EXPECT_EQ(FormatAngle(90.0 * kDeg, ANGLE_FULL_CIRCLE, ANGLE_FORMAT_PREFERENCE), "100g.0");

    int format = 0, decimals = 0;
    char letter = 'x';
    GetAngleDisplaySettings(ANGLE_LATITUDE, format, decimals, letter);
    EXPECT_EQ(format, ANGLE_FORMAT_DMS);
    EXPECT_EQ(decimals, 2);
    EXPECT_EQ(letter, 'S');
    GetAngleDisplaySettings(ANGLE_SIGNED, format, decimals, letter);
    EXPECT_EQ(format, ANGLE_FORMAT_GRADIANS);
    EXPECT_EQ(decimals, 1);
    EXPECT_EQ(letter, 0);

    // The files other programs read: keys in the order the readers take them.
    CConfigFile file;
    const CString path = file.GetSettingsFileName("Geographicals Settings");
    EXPECT_TRUE(path.Find("Geographicals_Settings.INI") >= 0);
    ASSERT_TRUE(file.OpenForRead("Geographicals Settings"));
    CString line;
    const char* expected[] = {"Preference = 0", "Decimal Places = 2", "Default Lat Quad = S",
                              "Default Lon Quad = W"};
    for (const char* e : expected)
    {
        ASSERT_TRUE(file.ReadString(line));
        line.TrimRight("\r\n");
        EXPECT_EQ(std::string(line), e);
    }
    file.Abort();
}

TEST(AngleFormat, UnusableSavedValuesFallBack)
{
    // A hand-edited file asking for "use the preference" or absurd decimals and letters.
    CConfigFile file;
    ASSERT_TRUE(file.Open(file.GetSettingsFileName("Geographicals Settings"),
                          CFile::modeCreate | CFile::modeWrite | CFile::typeText));
    file.WriteString("Preference = 5\nDecimal Places = 99\nDefault Lat Quad = X\nDefault Lon Quad = w\n");
    file.Close();
    int format = 0, decimals = 0;
    char latitude = 0, longitude = 0;
    LoadGeographicalsSettings(format, decimals, latitude, longitude);
    EXPECT_EQ(format, ANGLE_FORMAT_DM);
    EXPECT_EQ(decimals, 7);
    EXPECT_EQ(latitude, 'N');
    EXPECT_EQ(longitude, 'W');
    EXPECT_EQ(Plain(FormatAngle(-1.5 * kDeg, ANGLE_LONGITUDE, ANGLE_FORMAT_PREFERENCE)), "001* 30'.0000000W");
}

struct MaskCase
{
    int type;
    int format;
    int decimals;
    const char* mask;
    const char* limit;
};

TEST(AngleFormat, BuildAngleMaskGivesTheWidestText)
{
    const MaskCase cases[] = {
        {ANGLE_LATITUDE, ANGLE_FORMAT_DM, 7, "89* 59'.9999999N", "9"},
        {ANGLE_LONGITUDE, ANGLE_FORMAT_DMS, 5, "179* 59' 59\".99999E", "18"},
        {ANGLE_LATITUDE, ANGLE_FORMAT_DMS, 0, "89* 59' 59\"N", "9"},
        {ANGLE_LONGITUDE, ANGLE_FORMAT_DEGREES, 9, "179*.999999999E", "18"},
        {ANGLE_LATITUDE, ANGLE_FORMAT_SIGNED, 4, "+89*.9999", "9"},
        {ANGLE_LATITUDE, ANGLE_FORMAT_GRADIANS, 2, "099g.99N", "1"},
        {ANGLE_SIGNED, ANGLE_FORMAT_DMS, 2, "+179* 59' 59\".99", "18"},
        {ANGLE_FULL_CIRCLE, ANGLE_FORMAT_GRADIANS, 1, "399g.9", "4"},
        {ANGLE_FULL_CIRCLE_2DP, ANGLE_FORMAT_DM, -1, "359* 59'.99", "36"},
        {ANGLE_SIGNED_RIGHT_2DP, ANGLE_FORMAT_DEGREES, 0, "+89*", "9"},
        // More decimals than a double holds: still nines to the end.
        {ANGLE_LATITUDE, ANGLE_FORMAT_DM, 20, "89* 59'.99999999999999999999N", "9"},
    };
    for (const MaskCase& c : cases)
    {
        SCOPED_TRACE(c.mask);
        CString mask, limit;
        const int length = BuildAngleMask(c.type, c.format, mask, c.decimals, &limit);
        EXPECT_EQ(Plain(mask), c.mask);
        EXPECT_EQ(length, mask.GetLength());
        EXPECT_EQ(std::string(limit), c.limit);
    }

    // The buffer form is always terminated and reports the whole length.
    char text[9];
    char limit[2];
    EXPECT_EQ(BuildAngleMask(ANGLE_LONGITUDE, ANGLE_FORMAT_DMS, text, sizeof(text), 5, limit, sizeof(limit)),
              19);
    EXPECT_EQ(std::string(text), "179\xB0 59'");
    EXPECT_EQ(std::string(limit), "1");
}

// The in-place editor types over the mask and starts from the formatted zero: both must have
// the same marks in the same places.
TEST(AngleFormat, MaskAndZeroShareOneLayout)
{
    for (int type : {ANGLE_LATITUDE, ANGLE_LONGITUDE, ANGLE_FULL_CIRCLE})
    {
        for (int format = ANGLE_FORMAT_DMS; format <= ANGLE_FORMAT_GRADIANS; ++format)
        {
            SCOPED_TRACE(testing::Message() << "type " << type << " format " << format);
            CString mask;
            BuildAngleMask(type, format, mask, -1);
            const CString zero = FormatAngle(0.0, type, format, -1);
            ASSERT_EQ(mask.GetLength(), zero.GetLength()) << Plain(mask) << " / " << Plain(zero);
            for (int i = 0; i < mask.GetLength(); ++i)
            {
                const bool maskDigit = mask[i] >= '0' && mask[i] <= '9';
                const bool zeroDigit = zero[i] >= '0' && zero[i] <= '9';
                EXPECT_EQ(maskDigit, zeroDigit) << i;
                if (!maskDigit && mask[i] != '+' && zero[i] != '-')
                {
                    EXPECT_EQ(mask[i], zero[i]) << i;
                }
            }
        }
    }
}

TEST(AngleFormat, MoveUnitBeforePoint)
{
    const struct
    {
        const char* in;
        const char* out;
    } cases[] = {
        {"12.5\xB0", "12\xB0.5"}, {"12.5\xB0N", "12\xB0.5N"}, {"1.25g", "1g.25"},
        {"30.5'", "30'.5"},       {"15.50\"S", "15\".50S"},   {"12.5", "12.5"},
        {"12\xB0", "12\xB0"},     {"12.5 N", "12.5 N"},       {"1.5x2.5'", "1.5x2.5'"},
    };
    for (const auto& c : cases)
    {
        CString text(c.in);
        MoveUnitBeforePoint(text);
        EXPECT_EQ(std::string(text), c.out) << c.in;
    }
}

TEST(AngleFormat, SmallHelpers)
{
    for (char c : std::string("NSEWnsew"))
        EXPECT_TRUE(IsQuadrantLetter(c)) << c;
    for (char c : std::string("AXg1 \0", 6))
        EXPECT_FALSE(IsQuadrantLetter(c)) << static_cast<int>(c);

    EXPECT_EQ(GetDefaultDecimals(ANGLE_LATITUDE, ANGLE_FORMAT_DMS), 5);
    EXPECT_EQ(GetDefaultDecimals(ANGLE_SIGNED, ANGLE_FORMAT_DM), 7);
    EXPECT_EQ(GetDefaultDecimals(ANGLE_LONGITUDE, ANGLE_FORMAT_GRADIANS), 9);
    EXPECT_EQ(GetDefaultDecimals(ANGLE_SIGNED_2DP, ANGLE_FORMAT_DMS), 2);
    EXPECT_EQ(GetDefaultDecimals(0, ANGLE_FORMAT_DM), 0);
    EXPECT_EQ(GetDefaultDecimals(10, ANGLE_FORMAT_DM), 0);
}
} // namespace

TEST(AngleFormat, MaxDecimalPlacesPerNotation)
{
    const struct
    {
        int type;
        int format;
        int most;
    } cases[] = {
        {ANGLE_LATITUDE, ANGLE_FORMAT_DMS, 5},        {ANGLE_LONGITUDE, ANGLE_FORMAT_DM, 7},
        {ANGLE_FULL_CIRCLE, ANGLE_FORMAT_DEGREES, 9}, {ANGLE_SIGNED, ANGLE_FORMAT_SIGNED, 9},
        {ANGLE_FULL_CIRCLE, ANGLE_FORMAT_GRADIANS, 9}, {ANGLE_FULL_CIRCLE_2DP, ANGLE_FORMAT_DM, 7},
        {ANGLE_LATITUDE, 7, 0},                        {ANGLE_LATITUDE, -1, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetMaxDecimalPlaces(c.type, c.format), c.most) << c.type << "/" << c.format;
    // A format's own default never lies beyond what it offers.
    for (int type = 1; type <= 9; ++type)
        for (int format : {0, 1, 2, 3, 4})
            EXPECT_LE(GetDefaultDecimals(type, format), GetMaxDecimalPlaces(type, format)) << type << "/" << format;

    // The saved notation of the type's file.
    EXPECT_EQ(GetMaxDecimalPlaces(ANGLE_LATITUDE, ANGLE_FORMAT_PREFERENCE), 7);
    ASSERT_TRUE(SaveGeographicalsSettings(ANGLE_FORMAT_DMS, 2, 'N', 'E'));
    ASSERT_TRUE(SaveAngleSettings(ANGLE_FORMAT_GRADIANS, 1));
    EXPECT_EQ(GetMaxDecimalPlaces(ANGLE_LATITUDE, ANGLE_FORMAT_PREFERENCE), 5);
    EXPECT_EQ(GetMaxDecimalPlaces(ANGLE_FULL_CIRCLE, ANGLE_FORMAT_PREFERENCE), 9);
}

// The built-in zone table: the entries the system fixes itself, every entry taken from the EPSG
// dataset against PROJ's conversion of that definition, the ranges of each type, and the
// entries listed without a published definition.
#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"
#include "geodesy/ZoneTable.h"
#include "geodesy/tests/GeodesyTestData.h"

#include <cmath>
#include <set>
#include <utility>

using namespace geodesytest;

namespace
{
const double kRad = CProjection::DEG_TO_RAD;

struct Zone
{
    CSpheroid spheroid;
    CProjection projection;
    Zone() { projection.SetSpheroid(&spheroid); }
    Zone(const Zone&) = delete;
    Zone& operator=(const Zone&) = delete;
};

// The entries listed without a published definition (every type 13 entry besides).
const std::set<std::pair<int, int>> kUnavailable = {{1, 25}, {1, 26}, {1, 27}, {1, 33}, {5, 1},
                                                    {5, 2},  {5, 3},  {6, 6},  {6, 7},  {9, 1}};
} // namespace

TEST(ZoneTable, EntriesTheSystemFixes)
{
    struct Fixed
    {
        int type, entry, method;
        const char* name;
        const char* country;
        int row;
        double lat0, lon0; // radians
        double fe, fn, k0;
    };
    const Fixed entries[] = {
        {0, 31, 0, "Grid Zone 31 (3\xB0 E)", "", 26, 0.0, 3 * kRad, 500000, 0, 0.9996},
        {0, 31, 1, "Grid Zone 31 (3\xB0 E)", "", 26, 0.0, 3 * kRad, 500000, 10000000, 0.9996},
        {1, 0, 0, "Ordnance Survey", "National Grid", 0, 49 * kRad, -2 * kRad, 400000, -100000, 0.9996012717},
        {1, 2, 0, "Irish", "National Grid", 1, 53.5 * kRad, -8 * kRad, 200000, 250000, 1.000035},
        {1, 15, 0, "Red Belt", "Egyptian", 18, 30 * kRad, 31 * kRad, 615000, 810000, 1.0},
        {1, 28, 0, "North Island", "New Zealand", 20, -39 * kRad, 175.5 * kRad, 274319.5243848086,
         365759.36584641144, 1.0},
        {2, 2, 0, "DHDN Zone 04", "West Germany (12\xB0 E)", 3, 0.0, 12 * kRad, 4500000, 0, 1.0},
        {3, 0, 0, "Lo 17\xB0 E", "South Africa", 12, 0.0, 17 * kRad, 0, 0, 1.0},
        // Westings positive in the system's own table; east positive here, as in every type.
        {4, 0, 0, "Alabama East", "NAD 83", 17, 0.5323254219, -1.498074275, 200000, 0, 0.99996},
        {5, 4, 0, "LP Changi North", "Singapore", 26, 23 * kRad, 180 * kRad, 12000000, 0, 0.0},
        {6, 1, 0, "Nord Tunisie", "North of 38.5g", 11, 0.628318530717948, 0.1727875959474357, 500000, 300000,
         0.999625544},
        {6, 9, 0, "Arkansas North", "NAD 83", 17, 34.333333333333336 * kRad, -92 * kRad, 400000, 0, 0.0},
        {11, 2, 0, "Alaska (Zone 1)", "NAD 27", 7, 57 * kRad, -133.66666666666666 * kRad, 0, 0, 0.9999},
        {14, 0, 0, "Jylland", "System 34", 20, 0.0, 9 * kRad, 500000, 0, 0.9996},
        {14, 1, 0, "Seelland", "System 34", 20, 0.0, 9 * kRad, 500000, 0, 0.9996},
    };
    for (const Fixed& t : entries)
    {
        SCOPED_TRACE(testing::Message() << "type " << t.type << " entry " << t.entry);
        Zone z;
        CProjection& p = z.projection;
        ASSERT_TRUE(p.SetZone(t.entry, t.type, t.method));
        EXPECT_EQ(p.m_Name, t.name);
        EXPECT_EQ(p.m_Country, t.country);
        EXPECT_EQ(z.spheroid.m_TableIndex, t.row);
        EXPECT_EQ(p.m_Zone, t.entry);
        EXPECT_EQ(p.m_DataType, t.type);
        EXPECT_EQ(p.m_FixedZone, t.type == 0 ? 0 : 1);
        EXPECT_NEAR(p.m_OriginLatitude, t.lat0, 1e-10);
        EXPECT_NEAR(p.m_OriginLongitude, t.lon0, 1e-9);
        if (t.type != 11)
        {
            EXPECT_NEAR(p.m_FalseEasting, t.fe, 1e-6);
            EXPECT_NEAR(p.m_FalseNorthing, t.fn, 1e-6);
        }
        if (t.k0 != 0.0)
        {
            EXPECT_NEAR(p.m_ScaleFactor, t.k0, 1e-12);
        }
    }

    Zone z;
    CProjection& p = z.projection;
    // Mercator: the latitude of origin is the parallel of true scale, from which the scale on
    // the equator follows.
    ASSERT_TRUE(p.SetZone(4, 5, 0));
    const double s = std::sin(23 * kRad);
    EXPECT_NEAR(p.m_ScaleFactor, std::cos(23 * kRad) / std::sqrt(1.0 - z.spheroid.m_E2 * s * s), 1e-15);
    // Longitudes are reckoned from its central meridian at 180 either way round.
    double e, n, lat, lon;
    ASSERT_TRUE(p.GeographicToGrid(1.35 * kRad, -179.0 * kRad, &e, &n));
    EXPECT_NEAR(e - 12000000.0, p.m_ScaleFactor * 6378137.0 * kRad, 1e-6);
    ASSERT_TRUE(p.GeographicToGrid(1.35 * kRad, 104.0 * kRad, &e, &n));
    EXPECT_NEAR(e - 12000000.0, -76.0 * p.m_ScaleFactor * 6378137.0 * kRad, 1e-6);
    ASSERT_TRUE(p.GridToGeographic(e, n, &lat, &lon));
    EXPECT_NEAR(lon, 104.0 * kRad, 1e-14);
    // Lambert method 2: the two parallels, and the scale on the parallel of least scale in
    // place of k0.
    ASSERT_TRUE(p.SetZone(9, 6, 0));
    EXPECT_EQ(p.m_Method, 2);
    EXPECT_NEAR(p.m_Parallel1, 34.93333333333333 * kRad, 1e-15);
    EXPECT_NEAR(p.m_Parallel2, 36.233333333333334 * kRad, 1e-15);
    EXPECT_GT(p.m_ScaleFactor, 0.9999);
    EXPECT_LT(p.m_ScaleFactor, 1.0);
    // Oblique Mercator, Alaska zone 1 of 1927: the method is the entry; the azimuth terms on
    // Clarke 1866 and the skew offsets of the grid's origin come first in the constants.
    ASSERT_TRUE(p.SetZone(2, 11, 0));
    EXPECT_EQ(p.m_Method, 2);
    EXPECT_NEAR(p.m_Constants[0], -0.327015517176, 1e-12);
    EXPECT_NEAR(p.m_Constants[1], 0.945018968871, 1e-12);
    EXPECT_NEAR(p.m_Constants[2], 7000000.0, 1e-6);
    EXPECT_NEAR(p.m_Constants[3], -1000000.0, 1e-6);
    // System 34 keeps its entry in the first word of the constants.
    ASSERT_TRUE(p.SetZone(1, 14, 0));
    EXPECT_EQ(p.GetConstantWord(0), 1);
}

TEST(ZoneTable, ComputedTypesAndRanges)
{
    Zone z;
    CProjection& p = z.projection;
    // Gauss-Krueger: the four DHDN zones, then the 6-degree zones from GK 1 (3 E).
    ASSERT_TRUE(p.SetZone(0, 2, 0));
    EXPECT_EQ(p.m_Name, "DHDN Zone 02");
    EXPECT_EQ(p.m_Country, "West Germany (6\xB0 E)");
    EXPECT_EQ(p.m_FalseEasting, 2500000.0);
    EXPECT_EQ(z.spheroid.m_Name, "Bessel 1841");
    ASSERT_TRUE(p.SetZone(4, 2, 0));
    EXPECT_EQ(p.m_Name, "GK Zone 01");
    EXPECT_EQ(p.m_Country, "(3\xB0 E)");
    EXPECT_NEAR(p.m_OriginLongitude, 3 * kRad, 1e-15);
    EXPECT_EQ(p.m_FalseEasting, 1500000.0);
    EXPECT_EQ(z.spheroid.m_Name, "Krassowsky 1940");
    ASSERT_TRUE(p.SetZone(35, 2, 0)); // GK 32: 189 E is 171 W
    EXPECT_EQ(p.m_Name, "GK Zone 32");
    EXPECT_EQ(p.m_Country, "(171\xB0 W)");
    EXPECT_NEAR(p.m_OriginLongitude, -171 * kRad, 1e-14);
    EXPECT_EQ(p.m_FalseEasting, 32500000.0);
    // The Lo system: odd meridians 17 E to 35 E.
    ASSERT_TRUE(p.SetZone(9, 3, 0));
    EXPECT_EQ(p.m_Name, "Lo 35\xB0 E");
    EXPECT_EQ(z.spheroid.m_Name, "Clarke 1880 (Arc)");

    // Each type's range: the last entry and not one further, nor a negative one.
    for (int type = 0; type < CProjection::TYPE_COUNT; ++type)
    {
        const int size = CProjection::ZoneTableSize(type);
        ASSERT_GT(size, 0);
        EXPECT_FALSE(p.SetZone(size, type, 0)) << type;
        EXPECT_FALSE(p.SetZone(-1, type, 0)) << type;
        if (type != 13)
        {
            EXPECT_TRUE(p.SetZone(size - 1, type, 0)) << type;
        }
        if (type >= 1 && type != 12 && type != 13)
        {
            EXPECT_EQ(size, CProjection::EntryCount(type)) << type;
        }
    }
    EXPECT_EQ(CProjection::ZoneTableSize(12), 130);
    EXPECT_EQ(CProjection::ZoneTableSize(15), 0);
    EXPECT_FALSE(p.SetZone(0, 15, 0));
    EXPECT_FALSE(p.SetZone(0, -1, 0));

    ASSERT_TRUE(p.SetZone(38, 1, 0));
    EXPECT_EQ(p.m_Name, "Gauss Kruger 9N");
    EXPECT_EQ(p.m_Country, "WGS 84");
    // A refused entry keeps the zone, type and method it was asked for and the parameters and
    // texts it had.
    EXPECT_FALSE(p.SetZone(39, 1, 0));
    EXPECT_EQ(p.m_Zone, 39);
    EXPECT_EQ(p.m_Name, "Gauss Kruger 9N");
    EXPECT_EQ(p.m_FalseEasting, 500000.0);
    ASSERT_TRUE(p.SetZone(0, 12, 0));
    EXPECT_EQ(p.m_Name, "Alabama (East)");
    EXPECT_EQ(p.m_Country, "Code  101");
    EXPECT_FALSE(p.SetZone(130, 12, 0));
}

TEST(ZoneTable, TextsAreTheSystemsOwnAndFoundByName)
{
    struct Text
    {
        int type, entry;
        const char* name;
        const char* country;
    };
    const Text texts[] = {
        {4, 1, "Alabama Wast", "NAD 83"},
        {4, 28, "Indianna East", "NAD 83"},
        {6, 50, "Oregan North", "NAD 83"},
        {6, 75, "Puerto Rico/Virgin I", "NAD 83"},
        {7, 0, "Singapore", " Grid"},
        {9, 0, "Amersfoot", "(RD) System"},
        {12, 31, "Florida (North) ", "Code  903"},
        {12, 100, "Pennysylvania North", "Code 3701"},
        {1, 36, "Accra", "Ghana TM"},
        {1, 10, "German UTM33",
         "(12\xB0"
         "E C.M.)"},
    };
    for (const Text& t : texts)
    {
        SCOPED_TRACE(t.name);
        Zone z;
        ASSERT_TRUE(z.projection.SetZone(t.entry, t.type, 0));
        EXPECT_EQ(z.projection.m_Name, t.name);
        EXPECT_EQ(z.projection.m_Country, t.country);
        // Found again by its texts on its own spheroid (case aside), walking past the entries
        // of the type that have no definition.
        CSpheroid own = z.spheroid;
        CProjection q;
        q.SetSpheroid(&own);
        ASSERT_TRUE(q.FindByName(CString(t.name).MakeUpper(), t.country, t.type, 0, &own));
        EXPECT_EQ(q.m_Zone, t.entry);
        EXPECT_EQ(q.m_Name, t.name);
    }
    // An entry without a definition keeps its texts in the table ("New Zealnd" among them).
    int count = 0;
    const zonetable::Entry* mercator = zonetable::Listed(5, count);
    ASSERT_EQ(count, 5);
    EXPECT_STREQ(mercator[3].name, "NZ 168.55");
    EXPECT_STREQ(mercator[3].country, "New Zealnd");
}

TEST(ZoneTable, EntriesWithoutADefinitionAreRefused)
{
    Zone z;
    CProjection& p = z.projection;
    for (int type = 1; type < CProjection::TYPE_COUNT; ++type)
    {
        for (int entry = 0; entry < CProjection::ZoneTableSize(type); ++entry)
        {
            ASSERT_TRUE(p.SetZone(31, 0, 0));
            const bool unavailable = type == 13 || kUnavailable.count({type, entry}) != 0;
            EXPECT_EQ(p.SetZone(entry, type, 0), !unavailable) << type << "." << entry;
            if (unavailable)
            {
                EXPECT_EQ(p.m_Name, "Grid Zone 31 (3\xB0 E)");
                EXPECT_NEAR(p.m_OriginLongitude, 3 * kRad, 1e-15);
                EXPECT_EQ(p.m_DataType, type);
                EXPECT_EQ(p.m_Zone, entry);
            }
        }
    }
    // MatchSpheroid walks past them: on War Office the first type 1 entry is Accra (35), after
    // entries 25..27 and 33.
    CSpheroid warOffice;
    warOffice.SetFromTable(25);
    CProjection q;
    q.SetSpheroid(&warOffice);
    q.m_DataType = 1;
    q.m_Zone = 38;
    q.m_Method = 0;
    EXPECT_FALSE(q.MatchSpheroid());
    EXPECT_EQ(q.m_DataType, 1);
    EXPECT_EQ(q.m_Zone, 35);
    EXPECT_EQ(q.m_Country, "Ghana National Grid");
}

TEST(ZoneTable, SpheroidsOfTheEntries)
{
    // UTM and the general Mercator keep the projection's spheroid (WGS84 for one that matched
    // nothing); every other entry selects its own.
    Zone z;
    CProjection& p = z.projection;
    z.spheroid.SetFromTable(20);
    ASSERT_TRUE(p.SetZone(0, 5, 0));
    EXPECT_EQ(z.spheroid.m_Name, "International Spheroid");
    EXPECT_EQ(p.m_FixedZone, 0);
    z.spheroid.FindByName("Unknown", "");
    ASSERT_TRUE(p.SetZone(0, 5, 0));
    EXPECT_EQ(z.spheroid.m_Name, "WGS84");
    for (int entry = 0; entry < 130; ++entry)
    {
        ASSERT_TRUE(p.SetZone(entry, 12, 0));
        EXPECT_EQ(z.spheroid.m_Name, "Clarke 1866 Spheroid");
        EXPECT_GE(p.m_Method, 1);
        EXPECT_LE(p.m_Method, 3);
    }
    for (int entry = 0; entry < 54; ++entry)
    {
        ASSERT_TRUE(p.SetZone(entry, 4, 0));
        EXPECT_EQ(z.spheroid.m_Name, "GRS80");
        EXPECT_LT(p.m_OriginLongitude, 0.0) << entry; // all west of Greenwich
    }
    for (int entry = 8; entry < 76; ++entry)
    {
        ASSERT_TRUE(p.SetZone(entry, 6, 0));
        EXPECT_EQ(z.spheroid.m_Name, "GRS80");
        EXPECT_EQ(p.m_Method, 2);
    }

    // Without a spheroid an entry still sets its texts and parameters (an oblique Mercator its
    // constants, from its own spheroid); nothing converts until a spheroid is attached.
    CProjection bare;
    ASSERT_TRUE(bare.SetZone(0, 11, 0));
    EXPECT_EQ(bare.m_Country, "Borneo");
    double e, n;
    EXPECT_FALSE(bare.GeographicToGrid(5 * kRad, 116 * kRad, &e, &n));
    CSpheroid everest;
    everest.SetFromTable(15);
    bare.SetSpheroid(&everest);
    ASSERT_TRUE(bare.GeographicToGrid(4 * kRad, 115 * kRad, &e, &n));
    EXPECT_NEAR(e, 590476.87, 1e-6); // the centre of the Borneo grid, as published
    EXPECT_NEAR(n, 442857.65, 1e-6);
    EXPECT_NEAR(bare.m_FalseEasting, 590476.87, 1e-6);
    EXPECT_NEAR(bare.m_FalseNorthing, 442857.65, 1e-6);
}

// Every entry taken from the EPSG dataset, at three points of its area of use, against PROJ's
// conversion of the EPSG definition on the entry's own spheroid row.
TEST(ZoneTable, EveryEntryAgreesWithItsPublishedDefinition)
{
    const char* files[] = {"type01_zones.csv", "type04_zones.csv", "type06_zones.csv",
                           "type07_zones.csv", "type08_zones.csv", "type09_zones.csv",
                           "type10_zones.csv", "type11_zones.csv", "type12_zones.csv"};
    const int types[] = {1, 4, 6, 7, 8, 9, 10, 11, 12};
    std::set<std::pair<int, int>> checked;
    for (int f = 0; f < 9; ++f)
    {
        const int type = types[f];
        for (const auto& r : ReadFixture(files[f]))
        {
            const int entry = std::stoi(r[0]);
            const double lat = std::stod(r[1]) * kDegree;
            const double lon = std::stod(r[2]) * kDegree;
            const double easting = std::stod(r[3]);
            const double northing = std::stod(r[4]);
            SCOPED_TRACE(testing::Message()
                         << "type " << type << " entry " << entry << " at " << r[1] << ", " << r[2]);
            Zone z;
            CProjection& p = z.projection;
            ASSERT_TRUE(p.SetZone(entry, type, 0));
            // Points up to 6 degrees from a Transverse Mercator's central meridian: the series
            // stays within 0.5 mm of the exact projection there; the arc series of the
            // one-parallel conics within 0.5 mm of the exact cone.
            const double tolerance = 0.001;
            double e, n;
            ASSERT_TRUE(p.GeographicToGrid(lat, lon, &e, &n));
            EXPECT_NEAR(e, easting, tolerance);
            EXPECT_NEAR(n, northing, tolerance);
            double gotLat, gotLon;
            ASSERT_TRUE(p.GridToGeographic(easting, northing, &gotLat, &gotLon));
            EXPECT_NEAR(gotLat, lat, tolerance / 6.3e6);
            EXPECT_NEAR(gotLon, lon, tolerance / 6.3e6 / std::cos(lat));
            checked.insert({type, entry});
        }
    }
    // Every entry with a definition, except the computed and hand-listed ones, was checked.
    for (int type : types)
    {
        for (int entry = 0; entry < CProjection::ZoneTableSize(type); ++entry)
        {
            if (kUnavailable.count({type, entry}) == 0)
            {
                EXPECT_EQ(checked.count({type, entry}), 1u) << type << "." << entry;
            }
        }
    }
}

// Geodesic and rhumb lines against GeographicLib's GeodSolve and RhumbSolve (fixtures and the
// commands that made them in tests/data/geodesic_generate_fixtures.py and
// geodesic_long_generate_fixtures.py), on WGS84 and Hayford 1910: the series where they hold
// within a millimetre, the exact line beyond, with tolerances pinned per distance band.
#include "chart/geometry/Geodesic.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QList>

#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace
{
const double kDeg = M_PI / 180.0;

struct Line
{
    std::string ellipsoid;
    double lat1, lon1, lat2, lon2; // radians
    double s12, azi1, azi2;        // metres; radians, azi2 the forward azimuth at point 2
    double rhumbS12, rhumbAzi;
};

std::vector<QList<QByteArray>> ReadCsv(const char* name)
{
    QFile f(QString(SUITE_SOURCE_DIR "/chart/tests/data/") + name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    std::vector<QList<QByteArray>> rows;
    bool header = true;
    for (const QByteArray& line : f.readAll().split('\n'))
    {
        if (line.trimmed().isEmpty())
            continue;
        if (!header)
            rows.push_back(line.trimmed().split(','));
        header = false;
    }
    return rows;
}

const std::vector<Line>& Lines()
{
    static const std::vector<Line> lines = [] {
        std::vector<Line> read;
        for (const QList<QByteArray>& r : ReadCsv("geodesic_lines.csv"))
            read.push_back({r[0].toStdString(), r[1].toDouble() * kDeg, r[2].toDouble() * kDeg,
                            r[3].toDouble() * kDeg, r[4].toDouble() * kDeg, r[5].toDouble(),
                            r[6].toDouble() * kDeg, r[7].toDouble() * kDeg, r[8].toDouble(),
                            r[9].toDouble() * kDeg});
        return read;
    }();
    return lines;
}

CEllipsoid Ellipsoid(const std::string& name, int method = 0)
{
    CEllipsoid e;
    if (name == "Hayford")
    {
        e.SetAxes(6378388.0, 297.0);
        e.ComputeConstants();
    }
    e.m_DistanceMethod = method;
    return e;
}

// The difference of two bearings, in (-π, π].
double AngleDiff(double a, double b)
{
    double d = std::fmod(a - b, 2.0 * M_PI);
    if (d > M_PI)
        d -= 2.0 * M_PI;
    else if (d <= -M_PI)
        d += 2.0 * M_PI;
    return d;
}

// How far apart two positions are, metres, on the ellipsoid's scale (near enough for
// millimetres).
double Apart(const CEllipsoid& e, double lat1, double lon1, double lat2, double lon2)
{
    return std::hypot((lat1 - lat2) * e.m_SemiMajor, AngleDiff(lon1, lon2) * e.m_SemiMajor * std::cos(lat2));
}

// Distance bands and what a formula holds in each.
struct Band
{
    double upTo;     // line length, metres
    double distance; // metres
    double angle;    // radians
};

const Band& BandOf(const std::vector<Band>& bands, double s)
{
    for (const Band& b : bands)
    {
        if (s <= b.upTo)
            return b;
    }
    return bands.back();
}

void ExpectInverse(int method, const std::vector<Band>& bands)
{
    for (const Line& l : Lines())
    {
        SCOPED_TRACE(l.ellipsoid + " " + std::to_string(l.lat1 / kDeg) + " " + std::to_string(l.lon1 / kDeg) +
                     " -> " + std::to_string(l.lat2 / kDeg) + " " + std::to_string(l.lon2 / kDeg));
        const CEllipsoid e = Ellipsoid(l.ellipsoid, method);
        double s = -1, forward = -1, reverse = -1;
        // Along the equator method 1's bearing has no solution (q = 0): the exact line answers.
        ASSERT_TRUE(GeodesicInverse(&e, &s, &forward, &reverse, l.lat1, l.lon1, l.lat2, l.lon2));
        const Band& band = BandOf(bands, l.s12);
        EXPECT_NEAR(s, l.s12, band.distance);
        EXPECT_NEAR(AngleDiff(forward, l.azi1), 0.0, band.angle);
        EXPECT_NEAR(AngleDiff(reverse, l.azi2 + M_PI), 0.0, band.angle);
        EXPECT_GE(forward, 0.0);
        EXPECT_LT(forward, 2 * M_PI);
        EXPECT_GE(reverse, 0.0);
        EXPECT_LT(reverse, 2 * M_PI);
    }
}
} // namespace

// Every distance within a millimetre: the series where they hold it (method 0 up to 1500 km,
// method 1 up to 30 km), the exact line beyond. Method 0's bearings are its normal sections',
// measured a little under the pins (7e-11, 5.2e-8, 1.5e-6, 3.1e-5 rad) up to 1500 km; method
// 1's bearings up to 30 km, and every exact line's, within 1e-8 rad.
TEST(Geodesic, InverseMethod0MatchesGeodSolve)
{
    ExpectInverse(0, {{1000, 1e-6, 1e-9}, {100000, 1e-4, 1e-7}, {600000, 5e-4, 3e-6}, {2.1e6, 1e-3, 4e-5}});
}

TEST(Geodesic, InverseMethod1MatchesGeodSolve)
{
    ExpectInverse(1, {{1000, 1e-6, 1e-9}, {100000, 1e-3, 1e-8}, {600000, 1e-3, 1e-8}, {2.1e6, 1e-3, 1e-8}});
}

// Within 1e-15 rad up to 1 km; the series up to 40 km and the exact line beyond, within a
// millimetre (1.6e-10 rad of latitude).
TEST(Geodesic, DirectMatchesGeodSolve)
{
    const std::vector<Band> bands = {{1000, 0, 1e-14}, {2.1e6, 0, 1.6e-10}};
    for (const Line& l : Lines())
    {
        SCOPED_TRACE(l.ellipsoid + " " + std::to_string(l.s12));
        const CEllipsoid e = Ellipsoid(l.ellipsoid);
        double lat = -9, lon = -9;
        GeodesicDirect(&lat, &lon, l.lon1, l.s12, l.azi1, &e, l.lat1);
        const Band& band = BandOf(bands, l.s12);
        EXPECT_NEAR(lat, l.lat2, band.angle);
        EXPECT_NEAR(AngleDiff(lon, l.lon2), 0.0, band.angle);
        EXPECT_GE(lon, -M_PI);
        EXPECT_LE(lon, M_PI);
    }
}

// Pinned the same way: 0.1 um, 11 um, 12 um, 0.18 mm; the bearing within 1e-10 rad.
TEST(Geodesic, RhumbLineMatchesRhumbSolve)
{
    const std::vector<Band> bands = {
        {1000, 1e-6, 2e-10}, {100000, 3e-5, 2e-10}, {600000, 3e-5, 2e-10}, {2.1e6, 5e-4, 2e-10}};
    for (const Line& l : Lines())
    {
        SCOPED_TRACE(l.ellipsoid + " " + std::to_string(l.s12));
        const CEllipsoid e = Ellipsoid(l.ellipsoid);
        double s = -9, b = -9;
        RhumbLine(&s, &b, l.lon1, l.lat2, l.lon2, std::sin(l.lat1), std::cos(l.lat1),
                  PrimeVerticalRadius(&e, l.lat1), &e, l.lat1);
        const Band& band = BandOf(bands, l.rhumbS12);
        EXPECT_NEAR(s, l.rhumbS12, band.distance);
        EXPECT_NEAR(AngleDiff(b, l.rhumbAzi), 0.0, band.angle);
    }
}

TEST(Geodesic, RhumbLineAlongAParallelIsDueEastOrWest)
{
    const CEllipsoid e;
    const double lat = 45 * kDeg;
    const double nu = PrimeVerticalRadius(&e, lat);
    double s = 0, b = 0;
    RhumbLine(&s, &b, 0.0, lat, 3 * kDeg, std::sin(lat), std::cos(lat), nu, &e, lat);
    EXPECT_EQ(b, M_PI_2);
    EXPECT_NEAR(s, 3 * kDeg * std::cos(lat) * nu, 1e-9);
    RhumbLine(&s, &b, 3 * kDeg, lat, 0.0, std::sin(lat), std::cos(lat), nu, &e, lat);
    EXPECT_EQ(b, 1.5 * M_PI);
    // Across ±180°: 0.4° east, not 359.6° west.
    RhumbLine(&s, &b, 179.8 * kDeg, lat, -179.8 * kDeg, std::sin(lat), std::cos(lat), nu, &e, lat);
    EXPECT_EQ(b, M_PI_2);
    EXPECT_NEAR(s, 0.4 * kDeg * std::cos(lat) * nu, 1e-6);
    // Only one output wanted.
    double only = 0;
    RhumbLine(nullptr, &only, 0.0, lat + 0.01, 0.0, std::sin(lat), std::cos(lat), nu, &e, lat);
    EXPECT_EQ(only, 0.0);
    RhumbLine(&only, nullptr, 0.0, lat + 0.01, 0.0, std::sin(lat), std::cos(lat), nu, &e, lat);
    EXPECT_GT(only, 60000.0);
}

TEST(Geodesic, MeridianArcMatchesGeographicLib)
{
    for (const QList<QByteArray>& r : ReadCsv("geodesic_meridian.csv"))
    {
        SCOPED_TRACE(r.join(',').toStdString());
        const CEllipsoid e = Ellipsoid(r[0].toStdString());
        const double lat = r[1].toDouble() * kDeg;
        const double m = MeridianDistance(&e, lat);
        EXPECT_NEAR(std::fabs(m), r[2].toDouble(), 1e-3);
        EXPECT_EQ(m < 0, lat < 0);
    }
}

TEST(Geodesic, GreatCirclePointsFollowTheGeodesic)
{
    const std::vector<QList<QByteArray>> rows = ReadCsv("geodesic_points.csv");
    std::map<int, std::vector<std::pair<double, double>>> expected;
    for (const QList<QByteArray>& r : rows)
        expected[r[0].toInt()].emplace_back(r[2].toDouble() * kDeg, r[3].toDouble() * kDeg);
    ASSERT_EQ(expected.size(), 4u);
    for (const auto& [index, points] : expected)
    {
        const Line& l = Lines()[static_cast<size_t>(index)];
        SCOPED_TRACE(l.ellipsoid + " " + std::to_string(l.s12));
        const CEllipsoid e = Ellipsoid(l.ellipsoid);
        CXYArray list;
        const int n = static_cast<int>(std::ceil(l.s12 / 111120.0));
        ASSERT_EQ(GreatCirclePoints(&e, list, l.lon1, l.lat1, l.lon2, l.lat2), n + 2);
        ASSERT_EQ(list.GetSize(), n + 2);
        ASSERT_EQ(points.size(), static_cast<size_t>(n));
        EXPECT_EQ(list[0].x, l.lon1);
        EXPECT_EQ(list[0].y, l.lat1);
        EXPECT_EQ(list[n + 1].x, l.lon2);
        EXPECT_EQ(list[n + 1].y, l.lat2);
        // On the geodesic itself within a millimetre: the series step on a short line, the
        // exact line's points on a long one.
        for (int k = 1; k <= n; ++k)
            EXPECT_LT(Apart(e, list[k].y, list[k].x, points[static_cast<size_t>(k - 1)].first,
                            points[static_cast<size_t>(k - 1)].second),
                      1e-3)
                << k;
    }
}

TEST(Geodesic, ShortGreatCircleLinesAndEqualPoints)
{
    const CEllipsoid e;
    CXYArray list;
    list.Add(tagXY{1, 2});
    EXPECT_EQ(GreatCirclePoints(&e, list, 0.1, 0.9, 0.1, 0.9), 0);
    EXPECT_EQ(list.GetSize(), 0);

    // 10 m, and just under a degree of sixty nautical miles: one point halfway.
    for (double metres : {10.0, 111000.0})
    {
        SCOPED_TRACE(metres);
        double lat2 = 0, lon2 = 0;
        GeodesicDirect(&lat2, &lon2, 0.1, metres, 1.0, &e, 0.9);
        ASSERT_EQ(GreatCirclePoints(&e, list, 0.1, 0.9, lon2, lat2), 3);
        double s = 0;
        ASSERT_TRUE(GeodesicInverse(&e, &s, nullptr, nullptr, 0.9, 0.1, list[1].y, list[1].x));
        EXPECT_NEAR(s, metres / 2, metres * 1e-6);
    }
}

TEST(Geodesic, WestwardAlongTheEquatorIsAsLongAsEastward)
{
    const CEllipsoid e;
    double east = 0, west = 0, forward = 0, reverse = 0;
    ASSERT_TRUE(GeodesicInverse(&e, &east, nullptr, nullptr, 0.0, 10 * kDeg, 0.0, 12 * kDeg));
    ASSERT_TRUE(GeodesicInverse(&e, &west, &forward, &reverse, 0.0, 12 * kDeg, 0.0, 10 * kDeg));
    EXPECT_GT(west, 222000.0);
    EXPECT_EQ(west, east);
    EXPECT_EQ(forward, 1.5 * M_PI);
    EXPECT_EQ(reverse, M_PI_2);
}

TEST(Geodesic, BadInputGivesZerosOrFalseAndNeverANaN)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (int method : {0, 1})
    {
        SCOPED_TRACE(method);
        CEllipsoid e;
        e.m_DistanceMethod = method;
        // Equal points: zeros, true.
        double s = 9, f = 9, r = 9;
        EXPECT_TRUE(GeodesicInverse(&e, &s, &f, &r, 0.5, 0.2, 0.5, 0.2));
        EXPECT_EQ(s, 0.0);
        EXPECT_EQ(f, 0.0);
        EXPECT_EQ(r, 0.0);
        // Null outputs are skipped.
        EXPECT_TRUE(GeodesicInverse(&e, nullptr, nullptr, nullptr, 0.5, 0.2, 0.6, 0.3));
        // Not a number anywhere: false, outputs untouched.
        for (int at = 0; at < 4; ++at)
        {
            double in[4] = {0.5, 0.2, 0.6, 0.3};
            in[at] = at % 2 ? inf : nan;
            s = f = r = 9;
            EXPECT_FALSE(GeodesicInverse(&e, &s, &f, &r, in[0], in[1], in[2], in[3])) << at;
            EXPECT_EQ(s, 9.0);
            EXPECT_EQ(f, 9.0);
            EXPECT_EQ(r, 9.0);
        }
        // No flattening: zeros.
        CEllipsoid sphere;
        sphere.m_DistanceMethod = method;
        sphere.m_E2 = 0.0;
        EXPECT_TRUE(GeodesicInverse(&sphere, &s, &f, &r, 0.5, 0.2, 0.6, 0.3));
        EXPECT_EQ(s, 0.0);
        EXPECT_EQ(f, 0.0);
        EXPECT_EQ(r, 0.0);
    }

    // A selector other than 0 or 1.
    CEllipsoid other;
    other.m_DistanceMethod = 2;
    double s = 9, f = 9, r = 9;
    EXPECT_FALSE(GeodesicInverse(&other, &s, &f, &r, 0.5, 0.2, 0.6, 0.3));
    EXPECT_EQ(s, 9.0);
    EXPECT_EQ(f, 9.0);
    EXPECT_EQ(r, 9.0);
    CXYArray list;
    EXPECT_EQ(GreatCirclePoints(&other, list, 0.2, 0.5, 0.3, 0.6), 0);
    EXPECT_EQ(list.GetSize(), 0);
    EXPECT_FALSE(GeodesicInverse(nullptr, &s, &f, &r, 0.5, 0.2, 0.6, 0.3));

    const CEllipsoid e;
    CEllipsoid sphere;
    sphere.m_E2 = 0.0;
    double lat = 9, lon = 9;
    for (const CEllipsoid* ellipsoid : {&e, static_cast<const CEllipsoid*>(&sphere)})
    {
        const bool flat = ellipsoid == &sphere;
        // The direct problem: zeros for no flattening, or for a number that is none.
        GeodesicDirect(&lat, &lon, 0.1, flat ? 1000.0 : nan, 1.0, ellipsoid, 0.5);
        EXPECT_EQ(lat, 0.0);
        EXPECT_EQ(lon, 0.0);
        GeodesicDirect(&lat, &lon, 0.1, 1000.0, inf, ellipsoid, 0.5);
        EXPECT_EQ(lat, 0.0);
        EXPECT_EQ(lon, 0.0);
        GeodesicDirect(nullptr, nullptr, 0.1, 1000.0, 1.0, ellipsoid, 0.5);
        // The rhumb line likewise, and for equal points.
        double rs = 9, rb = 9;
        RhumbLine(&rs, &rb, 0.1, flat ? 0.6 : nan, 0.2, std::sin(0.5), std::cos(0.5), 6.4e6, ellipsoid, 0.5);
        EXPECT_EQ(rs, 0.0);
        EXPECT_EQ(rb, 0.0);
        rs = rb = 9;
        RhumbLine(&rs, &rb, 0.1, 0.5, 0.1, std::sin(0.5), std::cos(0.5), 6.4e6, ellipsoid, 0.5);
        EXPECT_EQ(rs, 0.0);
        EXPECT_EQ(rb, 0.0);
        EXPECT_EQ(GreatCirclePoints(ellipsoid, list, 0.2, 0.5, nan, 0.6), 0);
    }
    // A pole: the series leave their domain; nothing that is not a number comes back.
    double ps = 0, pf = 0, pr = 0;
    if (GeodesicInverse(&e, &ps, &pf, &pr, 0.5, 0.2, M_PI_2, 0.3))
    {
        EXPECT_TRUE(std::isfinite(ps));
        EXPECT_TRUE(std::isfinite(pf));
        EXPECT_TRUE(std::isfinite(pr));
    }
    GeodesicDirect(&lat, &lon, 0.1, 2.0e7, 0.3, &e, 0.5);
    EXPECT_TRUE(std::isfinite(lat));
    EXPECT_TRUE(std::isfinite(lon));
}

TEST(Geodesic, LongAndPolarLinesWithinAMillimetreOfGeodSolve)
{
    // Lines over and beside the poles, 1000 to 19 000 km long, nearly antipodal, and along the
    // equator (data/geodesic_long_lines.csv): the end of the direct problem, and both inverse
    // methods' distances, within a millimetre; the exact line's bearings within 1e-8 rad.
    const std::vector<QList<QByteArray>> rows = ReadCsv("geodesic_long_lines.csv");
    ASSERT_EQ(rows.size(), 42u);
    for (const QList<QByteArray>& r : rows)
    {
        SCOPED_TRACE(r.join(',').toStdString());
        const double lat1 = r[2].toDouble() * kDeg, lon1 = r[3].toDouble() * kDeg;
        const double lat2 = r[4].toDouble() * kDeg, lon2 = r[5].toDouble() * kDeg;
        const double s12 = r[6].toDouble(), azi1 = r[7].toDouble() * kDeg, azi2 = r[8].toDouble() * kDeg;
        if (r[0] == "direct")
        {
            const CEllipsoid e = Ellipsoid(r[1].toStdString());
            double lat = 0, lon = 0;
            GeodesicDirect(&lat, &lon, lon1, s12, azi1, &e, lat1);
            EXPECT_LT(Apart(e, lat, lon, lat2, lon2), 1e-3);
        }
        for (int method : {0, 1})
        {
            const CEllipsoid e = Ellipsoid(r[1].toStdString(), method);
            double s = 0, forward = 0, reverse = 0;
            ASSERT_TRUE(GeodesicInverse(&e, &s, &forward, &reverse, lat1, lon1, lat2, lon2)) << method;
            EXPECT_NEAR(s, s12, 1e-3) << method;
            // Where the series hold they keep their bearings: method 0's normal sections up to
            // 1500 km, method 1's up to 30 km.
            const double bearing = method == 0 && s12 <= 1.5e6 ? 3.2e-5 : s12 > 30000.0 ? 1e-8 : 2e-7;
            EXPECT_NEAR(AngleDiff(forward, azi1), 0.0, bearing) << method;
            EXPECT_NEAR(AngleDiff(reverse, azi2 + M_PI), 0.0, bearing) << method;
        }
    }

    // Great-circle lines drawn on the geodesic's own path, over the pole and 15 000 km long.
    std::map<int, std::vector<std::pair<double, double>>> expected;
    for (const QList<QByteArray>& r : ReadCsv("geodesic_long_points.csv"))
        expected[r[0].toInt()].emplace_back(r[2].toDouble() * kDeg, r[3].toDouble() * kDeg);
    ASSERT_EQ(expected.size(), 4u);
    for (const auto& [index, points] : expected)
    {
        const QList<QByteArray>& r = rows[static_cast<size_t>(index)];
        SCOPED_TRACE(r.join(',').toStdString());
        const CEllipsoid e = Ellipsoid(r[1].toStdString());
        CXYArray list;
        const int n = static_cast<int>(points.size());
        ASSERT_EQ(GreatCirclePoints(&e, list, r[3].toDouble() * kDeg, r[2].toDouble() * kDeg, r[5].toDouble() * kDeg,
                                    r[4].toDouble() * kDeg),
                  n + 2);
        for (int k = 1; k <= n; ++k)
            EXPECT_LT(Apart(e, list[k].y, list[k].x, points[static_cast<size_t>(k - 1)].first,
                            points[static_cast<size_t>(k - 1)].second),
                      1e-3)
                << k;
    }
}

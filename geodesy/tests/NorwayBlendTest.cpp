#include "geodesy/NorwayBlend.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
const double kDegreeRad = 0.017453292519943; // the engine's literal

// A synthetic table: every term has its own coefficient, so a wrong power or order shows.
NorwayPolynomialDef SyntheticTable()
{
    NorwayPolynomialDef t{};
    t.originLatitude = 60.0;
    t.originLongitude = 8.0;
    for (int i = 0; i < 15; ++i)
    {
        t.latitude[i] = 1e-5 * (i + 1);
        t.longitude[i] = -2e-5 * (i + 1) + 1e-6 * i * i;
    }
    return t;
}

// The fifteen terms written out, degrees.
void Expected(const NorwayPolynomialDef& t, double lat, double lon, double& dLat, double& dLon)
{
    const double u = lat - t.originLatitude, v = lon - t.originLongitude;
    const double powers[15] = {1,     u,     v,         u * u,         u * v,         v * v,         u * u * u, u * u * v,
                               u * v * v, v * v * v, std::pow(u, 4), std::pow(u, 3) * v, u * u * v * v,
                               u * std::pow(v, 3), std::pow(v, 4)};
    dLat = dLon = 0.0;
    for (int i = 0; i < 15; ++i)
    {
        dLat += t.latitude[i] * powers[i];
        dLon += t.longitude[i] * powers[i];
    }
}

// A northern solution that is easy to recognise: 0.01 degree north, 0.02 east, 5 m up.
bool North(const NorwayPointDef& p, NorwayPointDef& o)
{
    o = {p.latitude + 0.01 * kDegreeRad, p.longitude + 0.02 * kDegreeRad, p.height + 5.0};
    return true;
}
} // namespace

TEST(NorwayBlend, PolynomialHasFifteenTermsInOrder)
{
    const NorwayPolynomialDef t = SyntheticTable();
    for (const auto& p : {std::make_pair(58.5, 6.25), std::make_pair(61.9, 11.0), std::make_pair(60.0, 8.0)})
    {
        double dLat, dLon, eLat, eLon;
        NorwayPolynomialShift(t, p.first, p.second, dLat, dLon);
        Expected(t, p.first, p.second, eLat, eLon);
        EXPECT_NEAR(dLat, eLat, 1e-15) << p.first;
        EXPECT_NEAR(dLon, eLon, 1e-15) << p.first;
    }
}

// South of 62: the polynomial, signed by the direction; north of 65: the northern solution;
// between: the linear blend with the southern solution taken at 62 degrees.
TEST(NorwayBlend, SouthBlendAndNorth)
{
    const NorwayPolynomialDef t = SyntheticTable();
    const double lon = 9.5;
    NorwayPointDef out;
    double dLat, dLon;

    Expected(t, 60.5, lon, dLat, dLon);
    for (int direction : {1, -1})
    {
        ASSERT_TRUE(NorwayBlend(t, direction, {60.5 * kDegreeRad, lon * kDegreeRad, 10.0}, North, out));
        EXPECT_NEAR(out.latitude, (60.5 + direction * dLat) * kDegreeRad, 1e-15);
        EXPECT_NEAR(out.longitude, (lon + direction * dLon) * kDegreeRad, 1e-15);
        EXPECT_EQ(out.height, 10.0);
    }

    // Exactly 62 degrees: the southern solution at 62.
    const double lat62 = 1.082104136236466;
    Expected(t, lat62 * 57.2957795131, lon, dLat, dLon);
    ASSERT_TRUE(NorwayBlend(t, 1, {lat62, lon * kDegreeRad, 10.0}, North, out));
    EXPECT_NEAR(out.latitude, lat62 + dLat * kDegreeRad, 1e-15);
    EXPECT_NEAR(out.longitude, (lon + dLon) * kDegreeRad, 1e-15);

    // 63.5 degrees: the mean of the northern solution and the southern one taken at 62.
    const double lat635 = lat62 + 0.05235987755982907 / 2;
    ASSERT_TRUE(NorwayBlend(t, 1, {lat635, lon * kDegreeRad, 10.0}, North, out));
    const double southLat = lat635 + dLat * kDegreeRad, southLon = (lon + dLon) * kDegreeRad;
    const double northLat = lat635 + 0.01 * kDegreeRad, northLon = (lon + 0.02) * kDegreeRad;
    EXPECT_NEAR(out.latitude, (southLat + northLat) / 2, 1e-15);
    EXPECT_NEAR(out.longitude, (southLon + northLon) / 2, 1e-15);
    EXPECT_NEAR(out.height, 12.5, 1e-12);

    // 65 degrees and beyond: the northern solution alone; a failing one fails the step.
    ASSERT_TRUE(NorwayBlend(t, 1, {66.0 * kDegreeRad, lon * kDegreeRad, 10.0}, North, out));
    EXPECT_NEAR(out.latitude, 66.01 * kDegreeRad, 1e-15);
    EXPECT_FALSE(NorwayNeedsPolynomial(66.0 * kDegreeRad));
    EXPECT_TRUE(NorwayNeedsPolynomial(64.0 * kDegreeRad));
    auto failing = [](const NorwayPointDef&, NorwayPointDef&) { return false; };
    EXPECT_FALSE(NorwayBlend(t, 1, {66.0 * kDegreeRad, lon * kDegreeRad, 10.0}, failing, out));
    EXPECT_FALSE(NorwayBlend(t, 1, {63.0 * kDegreeRad, lon * kDegreeRad, 10.0}, failing, out));
    EXPECT_TRUE(NorwayBlend(t, 1, {61.0 * kDegreeRad, lon * kDegreeRad, 10.0}, failing, out));

    // The blend meets both neighbours: no jump at 62 or at 65 degrees.
    NorwayPointDef below, above;
    ASSERT_TRUE(NorwayBlend(t, 1, {1.1344640137962951 - 1e-12, lon * kDegreeRad, 0.0}, North, below));
    ASSERT_TRUE(NorwayBlend(t, 1, {1.1344640137962951, lon * kDegreeRad, 0.0}, North, above));
    EXPECT_NEAR(below.latitude, above.latitude, 1e-11);
    EXPECT_NEAR(below.longitude, above.longitude, 1e-11);
}

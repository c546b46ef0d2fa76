#include "geodesy/Datum.h"
#include "geodesy/Gps.h"
#include "geodesy/tests/GeodesyTestData.h"

using namespace geodesytest;

namespace
{
// The working datum and grid are process-wide: each test takes them away again.
class GpsDatum : public testing::Test
{
protected:
    void SetUp() override
    {
        m_Grid.SetSpheroid(&m_ToSpheroid);
        m_Datum.SetToSide(&m_ToSpheroid, &m_Grid);
    }
    void TearDown() override
    {
        SetCurrentDatum(nullptr);
        SetCurrentProjection(nullptr);
    }
    CSpheroid m_ToSpheroid;
    CProjection m_Grid;
    CDatum m_Datum;
};
} // namespace

TEST_F(GpsDatum, ConvertsTheWgs84PositionIntoTheDatumAndItsGrid)
{
    ASSERT_TRUE(m_Datum.SetDatum(1, 2, 1));
    SetCurrentDatum(&m_Datum);
    CGps gps;
    gps.m_Wgs84Latitude = 56.5 * kDegree;
    gps.m_Wgs84Longitude = 2.17 * kDegree;
    gps.m_Wgs84Height = 12.0;
    gps.UpdateProjected();

    double lat, lon, h;
    ASSERT_TRUE(m_Datum.ConvertGeographic(56.5 * kDegree, 2.17 * kDegree, 12.0, &lat, &lon, &h, 1));
    EXPECT_DOUBLE_EQ(lat, gps.m_LocalLatitude);
    EXPECT_DOUBLE_EQ(lon, gps.m_LocalLongitude);
    EXPECT_DOUBLE_EQ(h, gps.m_LocalHeight);
    EXPECT_NE(gps.m_Wgs84Latitude, gps.m_LocalLatitude);
    double e, n;
    ASSERT_TRUE(m_Grid.GeographicToGrid(lat, lon, &e, &n));
    EXPECT_DOUBLE_EQ(e, gps.m_AntennaEasting);
    EXPECT_DOUBLE_EQ(n, gps.m_AntennaNorthing);
}

TEST_F(GpsDatum, APositionTheDatumCannotConvertLeavesTheLastOne)
{
    ASSERT_TRUE(m_Datum.SetDatum(4, 0, 1)); // no NADCON grids in the data folder
    SetCurrentDatum(&m_Datum);
    CGps gps;
    gps.m_LocalLatitude = 0.25;
    gps.m_AntennaEasting = 1234.0;
    gps.m_Wgs84Latitude = 40.0 * kDegree;
    gps.m_Wgs84Longitude = -100.0 * kDegree;
    gps.UpdateProjected();
    EXPECT_EQ(0.25, gps.m_LocalLatitude);
    EXPECT_EQ(1234.0, gps.m_AntennaEasting);
}

// The datum-shift pane taking a position through the working datum both ways, and the
// transformation-parameters pane listing the built-in sets and the user's valid files.
#include "foundation/AngleFormat.h"
#include "geodesy/Datum.h"
#include "geodesy/GlobalFolder.h"
#include "platform/core/File.h"
#include "outside/terralin/DatumShiftPane.h"
#include "outside/terralin/GeodesyProperties.h"
#include "outside/terralin/ParameterTransformationPane.h"
#include "outside/terralin/tests/PaneTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace
{
struct DatumShiftFixture : ::testing::Test
{
    COwnerWindow owner;
    CSpheroid toSpheroid;
    CProjection toProjection;
    std::unique_ptr<CDatum> datum = std::make_unique<CDatum>();
    CDatumShiftPane pane;

    void SetUp() override
    {
        toProjection.SetSpheroid(&toSpheroid);
        ASSERT_TRUE(toProjection.SetZone(31, 0, 0));
        datum->SetToSide(&toSpheroid, &toProjection);
        ASSERT_TRUE(datum->SetDatum(CDatum::METHOD_HELMERT, 2, 1)); // WGS 84 to E.D. 50
        ASSERT_TRUE(owner.Make());
        ASSERT_TRUE(pane.Create(&owner, 32787, datum.get(), false, true));
        pane.RefreshDatum();
    }
};
} // namespace

TEST_F(DatumShiftFixture, PositionGoesThroughTheDatumBothWays)
{
    using P = CDatumShiftPane;
    EXPECT_STREQ(pane.GetShownText(P::ITEM_FROM_NAME), "WGS 84");
    EXPECT_STREQ(pane.GetShownText(P::ITEM_TO_NAME), "E.D. 50");
    ASSERT_TRUE(Type(pane, P::ITEM_LATITUDE, "56 N"));
    ASSERT_TRUE(Type(pane, P::ITEM_LONGITUDE, "2 30 E"));
    ASSERT_TRUE(Type(pane, P::ITEM_HEIGHT, "45"));
    double lat, lon, h;
    ASSERT_TRUE(datum->ConvertGeographic(56.0 * kDegree, 2.5 * kDegree, 45.0, &lat, &lon, &h, 1));
    auto angle = [&](int id) { return dynamic_cast<CAngleValueProperty*>(pane.FindItem(id))->GetAngle(); };
    auto number = [&](int id) { return dynamic_cast<CNumberValueProperty*>(pane.FindItem(id))->GetNumber(); };
    EXPECT_NEAR(angle(P::ITEM_LATITUDE + P::TO_SIDE), lat, 1e-12);
    EXPECT_NEAR(angle(P::ITEM_LONGITUDE + P::TO_SIDE), lon, 1e-12);
    EXPECT_NEAR(number(P::ITEM_HEIGHT + P::TO_SIDE), h, 1e-6);
    // E.D. 50 lies some tens of metres from WGS 84 here: the shift is real, not zero.
    EXPECT_GT(std::fabs(lat - 56.0 * kDegree) + std::fabs(lon - 2.5 * kDegree), 1.0 * kDegree / 3600.0);
    double e, n;
    ASSERT_TRUE(toProjection.GeographicToGrid(lat, lon, &e, &n));
    EXPECT_NEAR(number(P::ITEM_EASTING + P::TO_SIDE), e, 1e-6);

    // Typed on the "To" side, the position comes back to where it started.
    CString text;
    text.Format("%.6lf", e);
    ASSERT_TRUE(Type(pane, P::ITEM_EASTING + P::TO_SIDE, text));
    text.Format("%.6lf", n);
    ASSERT_TRUE(Type(pane, P::ITEM_NORTHING + P::TO_SIDE, text));
    EXPECT_NEAR(angle(P::ITEM_LATITUDE), 56.0 * kDegree, 1e-8);
    EXPECT_NEAR(angle(P::ITEM_LONGITUDE), 2.5 * kDegree, 1e-8);

    // A new datum: the last typed position is converted again.
    ASSERT_TRUE(datum->SetDatum(CDatum::METHOD_NONE, 0, 1));
    pane.RefreshDatum();
    double gridLat, gridLon;
    ASSERT_TRUE(toProjection.GridToGeographic(e, n, &gridLat, &gridLon));
    EXPECT_NEAR(angle(P::ITEM_LATITUDE), gridLat, 1e-9);
    EXPECT_NEAR(angle(P::ITEM_LONGITUDE), gridLon, 1e-9);

    ASSERT_TRUE(SaveGeographicalsSettings(ANGLE_FORMAT_SIGNED, 6, 'N', 'E'));
    pane.UpdateGeographicals();
    EXPECT_STREQ(pane.GetShownText(P::ITEM_LATITUDE + P::TO_SIDE),
                 FormatAngle(angle(P::ITEM_LATITUDE + P::TO_SIDE), ANGLE_LATITUDE, ANGLE_FORMAT_SIGNED, 6));
}

namespace
{
// A user Helmert file: seven text lines, then the 144-byte block.
bool WriteDmf(const char* title, double tx, double txRate, double referenceEpoch, bool whole)
{
    CString folder;
    if (!GetGlobalDataFolder(folder))
        return false;
    std::string bytes = "ITRF2014\r\nETRF2000\r\nEurope\r\nGRS80\r\n\r\nGRS80\r\n\r\n";
    unsigned char block[CDatum::DMF_BYTES] = {};
    std::memcpy(block, &tx, 8);
    std::memcpy(block + 64, &txRate, 8);
    std::memcpy(block + 120, &referenceEpoch, 8);
    block[136] = 1; // time-dependent
    block[137] = 0; // at the epoch asked for
    bytes.append(reinterpret_cast<const char*>(block), whole ? sizeof(block) : 40);
    CFile file;
    if (!file.Open(folder + title + ".DMF", CFile::modeCreate | CFile::modeWrite))
        return false;
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.Close();
    return true;
}
} // namespace

TEST(ParameterTransformationPaneTest, ListsSetsAndValidFilesAndEvaluatesAtAnEpoch)
{
    COwnerWindow owner;
    ASSERT_TRUE(owner.Make());
    CParameterTransformationPane pane;
    ASSERT_TRUE(pane.Create(&owner, 32807));
    const int builtIn = pane.GetSetCount();
    EXPECT_EQ(builtIn, CDatum::HELMERT_SETS + CDatum::GRID_TO_GRID_SETS);
    EXPECT_EQ(pane.GetValidDatumFiles(), 0);

    ASSERT_TRUE(WriteDmf("Itrf", 0.05, 0.002, 2010.0, true));
    ASSERT_TRUE(WriteDmf("Broken", 1.0, 0.0, 2000.0, false));
    EXPECT_EQ(pane.GetValidDatumFiles(), 1);
    ASSERT_EQ(pane.GetDatumFileTitles().GetSize(), 1);
    EXPECT_STREQ(pane.GetDatumFileTitles()[0], "Itrf");
    ASSERT_EQ(pane.GetSetCount(), builtIn + 1);

    const CString name = pane.GetSetName(builtIn);
    ASSERT_TRUE(Type(pane, CParameterTransformationPane::ITEM_SET, name));
    EXPECT_STREQ(pane.GetShownText(CParameterTransformationPane::ITEM_FROM), "ITRF2014");
    ASSERT_TRUE(Type(pane, CParameterTransformationPane::ITEM_EPOCH, "2020.0"));
    auto* atEpoch =
        dynamic_cast<CNumberValueProperty*>(pane.FindItem(CParameterTransformationPane::ITEM_EPOCH_TX));
    EXPECT_NEAR(atEpoch->GetNumber(), 0.05 + 0.002 * 10.0, 1e-12);
    EXPECT_FALSE(Type(pane, CParameterTransformationPane::ITEM_SET, "No such set"));
}

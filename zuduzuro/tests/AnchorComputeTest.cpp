// The anchor computation: cables against closed forms from scipy (zuduzuro/tests/data/
// make_anchor_cable.py), the status texts, the seabed profile's reach, the buoys, and a seeded
// sweep over random anchors that must always end in finite numbers.
#include "zuduzuro/Anchor.h"
#include "zuduzuro/AnchorDetail.h"

#include "features/Dtm.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <fstream>
#include <limits>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace
{
const double kE = 500000.0, kN = 6000000.0; // the fairlead

// An anchor `range` m due east of the fairlead, one lower section, no terrain.
void PlaceAnchor(CAnchor& a, int status, double range, double tension, double weight, double length, double waterDepth)
{
    a.m_FairleadEasting = kE;
    a.m_FairleadNorthing = kN;
    a.m_Status = status;
    a.m_Tension = tension;
    a.m_Cable.bUseUpperSection = false;
    a.m_Cable.LowerWeight = weight;
    a.m_Cable.LowerLength = length;
    a.m_WaterDepth = waterDepth;
    if (status == ANCHOR_LIVE)
        a.SetTugPosition(kE + range, kN);
    else
        a.SetAnchorPosition(kE + range, kN);
}

// A terrain of `columns` x 3 nodes of `cell` m from (e0, n0), every node at `depth` m.
void MakeFlatTerrain(CDtm& dtm, double e0, double n0, int32_t columns, double cell, double depth)
{
    dtm.Unload();
    dtm.m_Header.EastingMin = e0;
    dtm.m_Header.NorthingMin = n0;
    dtm.m_Header.CellSize = cell;
    dtm.m_Header.Columns = columns;
    dtm.m_Header.Rows = 3;
    ASSERT_TRUE(dtm.AllocateGrid());
    for (int64_t i = 0; i < int64_t(columns) * 3; ++i)
        dtm.m_pCells[i] = static_cast<int32_t>(depth * 100);
}

// The fixture's sections, by their first word.
std::map<std::string, std::vector<std::vector<double>>> ReadFixture()
{
    std::ifstream in(SUITE_SOURCE_DIR "/zuduzuro/tests/data/anchor_cable.txt");
    std::map<std::string, std::vector<std::vector<double>>> sections;
    std::string line, current;
    while (std::getline(in, line))
    {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream row(line);
        std::vector<double> values;
        if (std::isalpha(static_cast<unsigned char>(line[0])))
            row >> current;
        double v;
        while (row >> v)
            values.push_back(v);
        sections[current].push_back(values);
    }
    return sections;
}

bool AllFinite(const CAnchor& a)
{
    for (INT_PTR i = 0; i < a.m_CableProfile.GetSize(); ++i)
    {
        const ProDataDef& p = a.m_CableProfile[i];
        if (!std::isfinite(p.Range) || !std::isfinite(p.Depth) || !std::isfinite(p.Easting) ||
            !std::isfinite(p.Northing))
            return false;
    }
    for (const BuoyDef& b : a.m_Buoys)
    {
        for (double v : {b.Easting, b.Northing, b.DistanceFromAnchor, b.DistanceFromFairlead, b.TouchdownDistance,
                         b.TouchdownEasting, b.TouchdownNorthing, b.LiftOffEasting, b.LiftOffNorthing})
            if (!std::isfinite(v))
                return false;
    }
    return std::isfinite(a.m_TouchdownEasting) && std::isfinite(a.m_TouchdownNorthing) &&
           std::isfinite(a.m_ComputedCableLength) && std::isfinite(a.m_SeabedDepthBelowFairlead);
}
} // namespace

TEST(AnchorCompute, OnBottomCableAgainstItsClosedForm)
{
    const auto fixture = ReadFixture();
    const std::vector<std::vector<double>>& rows = fixture.at("onbottom");
    const double touchdown = rows[0][0], length = rows[0][1];
    ASSERT_NEAR(touchdown, 400.0 * std::log(2.0), 1e-6);

    CAnchor a;
    PlaceAnchor(a, ANCHOR_ON_BOTTOM, 1000.0, 50.0, 100.0, 2000.0, 100.0);
    a.ComputeZuduzuro();
    EXPECT_EQ(a.m_StatusText, "");
    EXPECT_FALSE(a.m_StraightCable);
    EXPECT_NEAR(a.GetDistanceToTouchdown(), touchdown, 1e-6);
    ASSERT_EQ(a.m_CableProfile.GetSize(), static_cast<INT_PTR>(rows[0][2]));
    // Every drawn point on the catenary itself, from the fairlead to the touchdown.
    for (INT_PTR i = 0; i < a.m_CableProfile.GetSize(); ++i)
    {
        const ProDataDef& p = a.m_CableProfile[i];
        EXPECT_DOUBLE_EQ(p.Range, rows[i + 1][0]);
        EXPECT_NEAR(p.Depth, rows[i + 1][1], 1e-6) << p.Range;
        EXPECT_EQ(p.Flag, p.Range >= touchdown ? 1 : 0) << p.Range;
    }
    EXPECT_NEAR(a.m_CableProfile[0].Depth, 0.0, 1e-9); // at the fairlead
    EXPECT_NEAR(a.m_ComputedCableLength, length, 1e-6);
}

TEST(AnchorCompute, LiveCableBetweenLevelSupports)
{
    const auto fixture = ReadFixture();
    // Clear of the seabed: the lowest point of the symmetric catenary, midway.
    {
        const std::vector<double>& clear = fixture.at("liveclear")[0];
        CAnchor a;
        PlaceAnchor(a, ANCHOR_LIVE, 1000.0, 100.0, 50.0, 3000.0, clear[0]);
        a.m_FairleadLevel = 10.0;
        a.m_TugFairleadHeight = -10.0;
        a.ComputeZuduzuro();
        EXPECT_EQ(a.m_StatusText, "");
        double lowest = -DBL_MAX;
        for (INT_PTR i = 0; i < a.m_CableProfile.GetSize(); ++i)
            lowest = std::max(lowest, a.m_CableProfile[i].Depth);
        EXPECT_NEAR(lowest, clear[1], 1e-6); // a seabed point lies under the middle
        EXPECT_NEAR(a.m_CableProfile[0].Depth, -10.0, 1e-6);
        EXPECT_EQ(a.m_TouchdownEasting, 0.0); // a Live cable records no touchdown
    }
    // On the seabed: the lying stretch, to the seabed points' spacing, and the catenary on
    // each side of it.
    {
        const std::vector<std::vector<double>>& rows = fixture.at("livelying");
        const std::vector<double>& lying = rows[0];
        CAnchor a;
        PlaceAnchor(a, ANCHOR_LIVE, 1000.0, 100.0, 50.0, 3000.0, lying[0]);
        a.m_FairleadLevel = 10.0;
        a.m_TugFairleadHeight = -10.0;
        a.ComputeZuduzuro();
        ASSERT_EQ(a.m_CableProfile.GetSize(), static_cast<INT_PTR>(rows.size() - 1));
        int on = 0;
        for (INT_PTR i = 0; i < a.m_CableProfile.GetSize(); ++i)
        {
            const ProDataDef& p = a.m_CableProfile[i];
            on += p.Flag;
            const bool inside = p.Range >= lying[2] && p.Range <= lying[2] + lying[1];
            EXPECT_EQ(p.Flag, inside ? 1 : 0) << p.Range;
            // Steep near the supports: a touchdown off by a millimetre shows here.
            EXPECT_NEAR(p.Depth, rows[i + 1][1], 1e-6) << p.Range;
        }
        EXPECT_NEAR(on * 5.0, lying[1], 5.0);
    }
}

TEST(AnchorCompute, StatusTexts)
{
    const double nan = std::nan("");
    struct Case
    {
        const char* what;
        int status;
        double range, tension, weight, waterDepth;
        bool current;
        const char* text;
        bool cable;
    } cases[] = {
        {"racked", ANCHOR_RACKED, 1000, 50, 100, 100, true, "Anchor Racked", false},
        {"planned", ANCHOR_PLANNED, 1000, 50, 100, 100, true, "", false},
        {"good", ANCHOR_ON_BOTTOM, 1000, 50, 100, 100, true, "", true},
        {"timeout", ANCHOR_ON_BOTTOM, 1000, 50, 100, 100, false, "Timeout", true},
        {"timeout racked", ANCHOR_RACKED, 1000, 50, 100, 100, false, "Anchor Racked", false},
        {"no tension", ANCHOR_ON_BOTTOM, 1000, 0, 100, 100, true, "No Tension", false},
        {"NaN tension", ANCHOR_LIVE, 1000, nan, 100, 100, true, "No Tension", false},
        {"infinite tension", ANCHOR_LIVE, 1000, INFINITY, 100, 100, true, "No Tension", false},
        {"no weight", ANCHOR_ON_BOTTOM, 1000, 50, 0, 100, true, "No Cable Weight", false},
        {"NaN weight", ANCHOR_ON_BOTTOM, 1000, 50, nan, 100, true, "No Cable Weight", false},
        {"no depth", ANCHOR_ON_BOTTOM, 1000, 50, 100, 0, true, "No Depth", false},
        {"NaN depth", ANCHOR_LIVE, 1000, 50, 100, nan, true, "No Depth", false},
        {"too far", ANCHOR_ON_BOTTOM, 10000.5, 50, 100, 100, true, "Bad Anchor Position", false},
        {"at the fairlead", ANCHOR_ON_BOTTOM, 0, 50, 100, 100, true, "Range to Anchor is Zero", false},
    };
    for (const Case& c : cases)
    {
        CAnchor a;
        PlaceAnchor(a, c.status, c.range, c.tension, c.weight, 3000.0, c.waterDepth);
        a.m_PositionCurrent = c.current;
        // A profile left from before: only a computation that gets as far as the seabed
        // replaces it.
        a.m_SeabedProfile.BuildStraight(kE + 50, kN, 7.0, kE, kN, 7.0);
        a.m_StatusLevel = ANCHOR_LEVEL_ALARM;
        a.ComputeZuduzuro();
        EXPECT_EQ(a.m_StatusText, c.text) << c.what;
        EXPECT_EQ(a.m_StatusLevel, *c.text ? ANCHOR_LEVEL_FAULT : ANCHOR_LEVEL_NONE) << c.what;
        EXPECT_EQ(a.m_PreviousStatusLevel, ANCHOR_LEVEL_ALARM) << c.what;
        EXPECT_EQ(a.m_CableProfile.GetSize() > 0, c.cable) << c.what;
        if (c.status == ANCHOR_RACKED || c.status == ANCHOR_PLANNED)
        {
            EXPECT_EQ(a.m_SeabedProfile.GetSize(), 11) << c.what;
        }
        EXPECT_TRUE(AllFinite(a)) << c.what;
    }
}

TEST(AnchorCompute, SeabedProfileReach)
{
    CDtm dtm;
    MakeFlatTerrain(dtm, kE - 1000.0, kN - 100.0, 400, 100.0, 60.0); // 39.9 km east of it
    struct Case
    {
        double range, working, length;
    } cases[] = {
        {500, 2500, 2500}, {10000, 2500, 12000}, {100, 0, 1000}, {20000, 2500, 20000},
    };
    for (const Case& c : cases)
    {
        CAnchor a;
        PlaceAnchor(a, ANCHOR_ON_BOTTOM, 1000.0, 50.0, 100.0, 3000.0, 60.0);
        a.m_pDtm = &dtm;
        a.m_Range = c.range;
        a.m_WorkingDistance = c.working;
        EXPECT_TRUE(a.BuildSeabedProfile()) << c.range;
        EXPECT_TRUE(a.m_ProfileFromDtm);
        EXPECT_TRUE(a.m_FarPointInsideDtm);
        const CProfile& p = a.m_SeabedProfile;
        EXPECT_NEAR(p[p.GetSize() - 1].Range, c.length, 1e-6) << c.range;
        EXPECT_EQ(p[0].Flag, 1);
        EXPECT_EQ(a.m_DepthAtAnchor, 60.0);
    }

    // The far end off the terrain with a depth at the anchor: interpolated toward it.
    CDtm shortTerrain;
    MakeFlatTerrain(shortTerrain, kE - 100.0, kN - 100.0, 11, 100.0, 60.0); // to 900 m east
    CAnchor a;
    PlaceAnchor(a, ANCHOR_ON_BOTTOM, 1000.0, 50.0, 100.0, 3000.0, 60.0);
    a.m_pDtm = &shortTerrain;
    a.m_DepthAtAnchor = 80.0;
    a.ComputeZuduzuro();
    EXPECT_TRUE(a.m_ProfileFromDtm);
    EXPECT_FALSE(a.m_FarPointInsideDtm);
    EXPECT_EQ(a.m_SeabedProfile.GetDepthAtRange(500.0), 60.0);
    EXPECT_NEAR(a.m_SeabedProfile.GetDepthAtRange(2500.0), 80.0, 1e-9);
    EXPECT_GT(a.m_SeabedProfile.GetDepthAtRange(1500.0), 60.0);

    // No terrain: a straight seabed from the water depth, the slope to the anchor carried on
    // 500 m, its deeper end the reference depth.
    CAnchor straight;
    PlaceAnchor(straight, ANCHOR_ON_BOTTOM, 1000.0, 50.0, 100.0, 3000.0, 50.0);
    straight.m_DepthAtAnchor = 80.0;
    straight.ComputeZuduzuro();
    EXPECT_FALSE(straight.m_ProfileFromDtm);
    const CProfile& s = straight.m_SeabedProfile;
    EXPECT_EQ(s[0].Depth, 50.0);
    EXPECT_NEAR(s[s.GetSize() - 1].Range, 1500.0, 1e-6);
    EXPECT_NEAR(s[s.GetSize() - 1].Depth, 95.0, 1e-9);
    EXPECT_EQ(s.m_MaxDepth, 95.0);
    EXPECT_NEAR(s.GetDepthAtRange(1000.0), 80.0, 1e-9);
}

// The depth at the anchor is the terrain's at the anchor's place, whichever way the anchor moves,
// and after the terrain is loaded again; off the terrain the depth entered stands.
TEST(AnchorCompute, DepthAtAnchorFollowsTheTerrain)
{
    // A terrain from 100 m west of the fairlead to 900 m east of it, deepening eastward; the
    // seabed profile's far end (2500 m out) lies off it, so the profile is interpolated toward
    // the depth at the anchor.
    CDtm dtm;
    MakeFlatTerrain(dtm, kE - 100.0, kN - 20.0, 51, 20.0, 40.0);
    const auto deepen = [&dtm](double perMetre) {
        for (int32_t r = 0; r < 3; ++r)
            for (int32_t c = 0; c < 51; ++c)
                dtm.m_pCells[r * 51 + c] = static_cast<int32_t>(std::lround((40.0 + perMetre * (c * 20.0 - 100.0)) * 100));
    };
    deepen(0.02);
    const auto terrainAt = [&dtm](const CAnchor& a) { return dtm.GetDepth(a.m_AnchorEasting, a.m_AnchorNorthing); };

    CAnchor a;
    PlaceAnchor(a, ANCHOR_ON_BOTTOM, 500.0, 30.0, 100.0, 1500.0, 40.0);
    a.m_pDtm = &dtm;
    a.ComputeZuduzuro();
    ASSERT_TRUE(a.m_ProfileFromDtm);
    EXPECT_FALSE(a.m_FarPointInsideDtm);
    EXPECT_NEAR(a.m_DepthAtAnchor, 50.0, 1e-9);
    EXPECT_TRUE(a.m_DepthAtAnchorFromDtm);

    // Each way of moving the anchor takes the terrain's depth at once, before any computation.
    a.SetRange(800.0);
    EXPECT_NEAR(a.m_DepthAtAnchor, terrainAt(a), 1e-9);
    EXPECT_NEAR(a.m_DepthAtAnchor, 56.0, 1e-9);
    a.SetBearing(M_PI / 2.0 + 0.02);
    EXPECT_NEAR(a.m_DepthAtAnchor, terrainAt(a), 1e-9);
    a.SetEasting(kE + 300.0);
    EXPECT_NEAR(a.m_DepthAtAnchor, terrainAt(a), 1e-9);
    a.SetNorthing(kN);
    EXPECT_NEAR(a.m_DepthAtAnchor, 46.0, 1e-9);

    // A depth left from before (the anchor moved while no terrain was attached) is the
    // terrain's after the next computation, though the profile's far end lies off the terrain.
    a.m_DepthAtAnchor = 55.69;
    a.ComputeZuduzuro();
    EXPECT_NEAR(a.m_DepthAtAnchor, 46.0, 1e-9);
    EXPECT_NEAR(a.m_SeabedProfile.GetDepthAtRange(a.m_Range), 46.0, 1e-9);

    // The terrain loaded again, deeper: the next computation takes its depth.
    MakeFlatTerrain(dtm, kE - 100.0, kN - 20.0, 51, 20.0, 40.0);
    deepen(0.03);
    a.ComputeZuduzuro();
    EXPECT_NEAR(a.m_DepthAtAnchor, 49.0, 1e-9);

    // Off the terrain the depth entered stands.
    a.SetRange(1500.0);
    a.m_DepthAtAnchor = 70.0;
    a.ComputeZuduzuro();
    EXPECT_EQ(a.m_DepthAtAnchor, 70.0);
    EXPECT_FALSE(a.m_DepthAtAnchorFromDtm);
}

TEST(AnchorCompute, Buoys)
{
    auto withBuoys = [](CAnchor& a, int status, int first, int count) {
        PlaceAnchor(a, status, 1500.0, 40.0, 100.0, 1200.0, 80.0);
        a.m_FairleadLevel = 5.0;
        a.m_TugFairleadHeight = -5.0;
        for (int b = first; b < first + count; ++b)
        {
            BuoyDef& buoy = a.m_Buoys[b];
            buoy.bUseBuoy = true;
            buoy.PennantWireLength = 20.0;
            buoy.Cable.bUseUpperSection = false;
            buoy.Cable.LowerWeight = 100.0;
            buoy.Cable.LowerLength = 400.0;
        }
    };

    // Buoy 2 without buoy 1: none.
    CAnchor gap;
    withBuoys(gap, ANCHOR_ON_BOTTOM, 1, 2);
    gap.ComputeZuduzuro();
    EXPECT_EQ(gap.m_BuoysInUse, 0);

    for (int status : {ANCHOR_ON_BOTTOM, ANCHOR_LIVE})
    {
        CAnchor a;
        withBuoys(a, status, 0, 2);
        a.ComputeZuduzuro();
        ASSERT_EQ(a.m_BuoysInUse, 2) << status;
        EXPECT_EQ(a.m_BuoyStackCount, 2);
        EXPECT_EQ(a.m_BuoyStack[0], 1); // the buoy nearest the fairlead first
        EXPECT_EQ(a.m_BuoyStack[1], 0);
        EXPECT_EQ(a.m_BuoyStack[2], -1);
        EXPECT_LT(a.m_Buoys[1].DistanceFromFairlead, a.m_Buoys[0].DistanceFromFairlead);
        EXPECT_GT(a.m_Buoys[0].DistanceFromAnchor, 0.0);
        EXPECT_NEAR(a.m_Buoys[0].Easting, a.m_AnchorEasting - a.m_Buoys[0].DistanceFromAnchor, 1e-6);
        EXPECT_TRUE(AllFinite(a));
        // Every seabed point up to the anchor once, the ones shared by two sections too.
        const INT_PTR n = a.m_SeabedProfile.GetIndexAtRange(a.m_Range);
        ASSERT_EQ(a.m_CableProfile.GetSize(), n + 1) << status;
        for (INT_PTR i = 0; i <= n; ++i)
            EXPECT_EQ(a.m_CableProfile[i].Range, a.m_SeabedProfile[i].Range);
        // On Bottom the anchor section sets the touchdown; Live leaves it cleared.
        if (status == ANCHOR_ON_BOTTOM)
        {
            EXPECT_GT(a.GetDistanceToTouchdown(), a.m_Buoys[0].DistanceFromFairlead);
        }
        else
        {
            EXPECT_EQ(a.m_TouchdownEasting, 0.0);
        }
    }
}

TEST(AnchorCompute, FairleadSectionBentDownToMeetThePennant)
{
    // A deep pennant well below a slack fairlead section bends it; a taut section that meets
    // its pennant within half a metre is left as it hangs.
    for (double pennant : {60.0, 20.0})
    {
        CAnchor a;
        PlaceAnchor(a, ANCHOR_ON_BOTTOM, 1500.0, pennant == 60.0 ? 40.0 : 300.0, 100.0, 1200.0, 80.0);
        BuoyDef& buoy = a.m_Buoys[0];
        buoy.bUseBuoy = true;
        buoy.PennantWireLength = pennant;
        buoy.Cable.bUseUpperSection = false;
        buoy.Cable.LowerWeight = 100.0;
        buoy.Cable.LowerLength = 800.0;
        a.ComputeZuduzuro();
        ASSERT_EQ(a.m_BuoysInUse, 1);
        const INT_PTR n = a.m_SeabedProfile.GetIndexAtRange(buoy.DistanceFromFairlead);
        ASSERT_GT(n, 0);
        if (pennant == 60.0)
        {
            EXPECT_TRUE(buoy.bPennantAdjusted);
            EXPECT_NEAR(a.m_CableProfile[n].Depth, 60.0, 1e-9); // the whole excess at the buoy
            EXPECT_NEAR(a.m_CableProfile[0].Depth, 0.0, 1e-3);  // none at the fairlead
        }
        else
        {
            EXPECT_FALSE(buoy.bPennantAdjusted);
        }
    }
}

TEST(AnchorCompute, PennantHangsStraightDownWithoutHorizontalPull)
{
    CAnchor a;
    a.m_Tension = 0.5;
    a.m_PennantWireWeight = 80.0;
    a.m_AnchorWeight = 10.0;
    for (double length : {25.0, 6.0})
    {
        a.m_TugPennantWireLength = length;
        const anchordetail::PennantDropDef drop = anchordetail::PennantDrop(a, 10.0);
        EXPECT_EQ(drop.Drop, std::min(length, 10.0));
        EXPECT_EQ(drop.Offset, 0.0);
    }
    // With a pull the pennant leans toward the barge.
    a.m_Tension = 20.0;
    const anchordetail::PennantDropDef lean = anchordetail::PennantDrop(a, 10.0);
    EXPECT_NEAR(std::hypot(lean.Drop, lean.Offset), 6.0, 1e-9);
    EXPECT_NEAR(std::atan2(lean.Offset, lean.Drop), std::atan2(20000.0 - 800.0, 10000.0), 1e-12);

    // Hanging on the pennant straight down, the point past the foot takes the drop.
    CAnchor hanging;
    PlaceAnchor(hanging, ANCHOR_LIVE, 1003.0, 0.5, 100.0, 3000.0, 30.0);
    hanging.m_PennantMode = 1;
    hanging.m_PennantWireWeight = 80.0;
    hanging.m_TugPennantWireLength = 12.0;
    hanging.m_AnchorWeight = 10.0;
    hanging.ComputeZuduzuro();
    EXPECT_TRUE(AllFinite(hanging));
}

// Random anchors of every kind: each computation returns with finite numbers everywhere,
// cable ranges rising, no cable point below the seabed under it, and a cable that reaches the
// anchor no shorter than the range.
TEST(AnchorComputeProperty, RandomAnchorsAlwaysEndInFiniteNumbersAboveTheSeabed)
{
    std::mt19937 random(69);
    auto uniform = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); };
    auto chance = [&](double p) { return uniform(0.0, 1.0) < p; };
    CDtm dtm;
    MakeFlatTerrain(dtm, kE - 5000.0, kN - 15000.0, 300, 100.0, 70.0);
    for (int64_t i = 0; i < 300 * 3; ++i)
        dtm.m_pCells[i] = chance(0.1) ? DTM_NO_DEPTH : static_cast<int32_t>(uniform(5.0, 400.0) * 100);
    std::map<std::string, int> texts;
    for (int run = 0; run < 100000; ++run)
    {
        CAnchor a;
        const int status = static_cast<int>(uniform(0.0, 4.0));
        const double bearing = uniform(0.0, 2 * M_PI);
        const double range = chance(0.03) ? uniform(10000.0, 12000.0) : uniform(0.0, 6000.0);
        PlaceAnchor(a, status, 0.0, chance(0.03) ? uniform(-5.0, 0.0) : uniform(0.1, 300.0),
              chance(0.03) ? 0.0 : uniform(1.0, 400.0), uniform(0.0, 4000.0),
              chance(0.03) ? 0.0 : uniform(1.0, 500.0));
        const double e = kE + range * std::sin(bearing), n = kN + range * std::cos(bearing);
        a.m_Status = ANCHOR_ON_BOTTOM;
        a.SetAnchorPosition(e, n);
        a.SetTugPosition(e, n);
        a.SetPlannedPosition(e, n);
        a.m_Status = status;
        a.m_PositionCurrent = !chance(0.1);
        a.m_pDtm = chance(0.5) ? &dtm : nullptr;
        a.m_DepthAtAnchor = chance(0.5) ? uniform(1.0, 400.0) : 0.0;
        a.m_FairleadLevel = uniform(-5.0, 30.0);
        a.m_TugFairleadHeight = uniform(-10.0, 5.0);
        a.m_WorkingDistance = uniform(0.0, 5000.0);
        a.m_PennantMode = static_cast<int>(uniform(0.0, 3.0));
        a.m_PennantWireWeight = uniform(0.0, 200.0);
        a.m_TugPennantWireLength = uniform(0.0, 300.0);
        a.m_CableOnDeck = uniform(0.0, 3000.0);
        a.m_AnchorWeight = chance(0.1) ? 0.0 : uniform(1.0, 40.0);
        a.m_Cable.bUseUpperSection = chance(0.5);
        a.m_Cable.UpperWeight = chance(0.3) ? 0.0 : uniform(1.0, 400.0);
        a.m_Cable.UpperLength = uniform(0.0, 2000.0);
        a.m_GroundChain.bUseGroundChain = chance(0.5);
        a.m_GroundChain.GroundChainWeight = uniform(1.0, 600.0);
        a.m_GroundChain.GroundChainLength = uniform(0.0, 500.0);
        const int buoys = static_cast<int>(uniform(0.0, 6.0));
        for (int b = 0; b < buoys; ++b)
        {
            BuoyDef& buoy = a.m_Buoys[b];
            buoy.bUseBuoy = true;
            buoy.PennantWireLength = uniform(0.0, 150.0);
            buoy.Cable.bUseUpperSection = chance(0.3);
            buoy.Cable.LowerWeight = chance(0.2) ? 0.0 : uniform(1.0, 400.0);
            buoy.Cable.UpperWeight = uniform(0.0, 400.0);
            buoy.Cable.LowerLength = chance(0.1) ? 0.0 : uniform(10.0, 2000.0);
            buoy.Cable.UpperLength = uniform(0.0, 500.0);
        }
        a.ComputeZuduzuro();
        ++texts[std::string(a.m_StatusText.GetString())];

        ASSERT_TRUE(AllFinite(a)) << "run " << run;
        for (INT_PTR k = 1; k < a.m_CableProfile.GetSize(); ++k)
            ASSERT_GT(a.m_CableProfile[k].Range, a.m_CableProfile[k - 1].Range) << "run " << run;
        for (INT_PTR k = 0; k < a.m_CableProfile.GetSize(); ++k)
        {
            const ProDataDef& p = a.m_CableProfile[k];
            const double seabed = a.m_SeabedProfile.GetDepthAtRange(p.Range);
            if (seabed != DBL_MAX && a.m_SeabedProfile.GetSize() > 1)
            {
                ASSERT_LE(p.Depth, seabed + 1e-9) << "run " << run << " at " << p.Range;
            }
        }
        const INT_PTR size = a.m_CableProfile.GetSize();
        if (size > 1 && a.m_CableProfile[0].Range == 0.0 && a.m_CableProfile[size - 1].Range >= a.m_Range)
        {
            ASSERT_GE(a.m_ComputedCableLength, a.m_Range - 1e-6) << "run " << run;
        }
    }
    for (const char* text : {"", "Timeout", "Anchor Racked", "No Tension", "No Cable Weight", "No Depth",
                             "Bad Anchor Position"})
        EXPECT_GT(texts[text], 0) << text;
}

TEST(AnchorCompute, BuoySpacingOverAFlatSeabed)
{
    const auto fixture = ReadFixture();
    for (const char* name : {"buoysequal", "buoysunequal"})
    {
        const std::vector<double>& row = fixture.at(name)[0];
        CAnchor a;
        PlaceAnchor(a, ANCHOR_ON_BOTTOM, 2000.0, 40.0, 100.0, 1200.0, 80.0);
        a.m_FairleadLevel = 5.0;
        for (int b = 0; b < 2; ++b)
        {
            BuoyDef& buoy = a.m_Buoys[b];
            buoy.bUseBuoy = true;
            buoy.PennantWireLength = row[b];
            buoy.Cable.bUseUpperSection = false;
            buoy.Cable.LowerWeight = 100.0;
            buoy.Cable.LowerLength = b == 0 ? 400.0 : 800.0;
        }
        a.ComputeZuduzuro();
        ASSERT_EQ(a.m_BuoysInUse, 2) << name;
        const double spacing = a.m_Buoys[1].DistanceFromAnchor - a.m_Buoys[0].DistanceFromAnchor;
        EXPECT_NEAR(spacing, row[2], 1e-6) << name;
        if (row.size() > 3)
        {
            // The physical cable between the buoys has the fairlead's horizontal tension, not
            // the top tension at buoy 1 that each section hangs from here: the spacing must not
            // drift further from it than it does today.
            EXPECT_LE(std::fabs(spacing - row[3]), row[4] + 0.01) << name;
        }
    }
}

// The fairlead section is bent down to its buoy's pennant when the pennant's end lies half a
// metre or more below the section's cable at the seabed point that closes it: found here by
// moving that point past the buoy until the excess crosses half a metre.
TEST(AnchorCompute, PennantExcessThreshold)
{
    auto solve = [](double past, CAnchor& a) {
        PlaceAnchor(a, ANCHOR_ON_BOTTOM, 1000.0, 60.0, 100.0, 1200.0, 200.0);
        a.m_SeabedProfile.RemoveAll();
        for (int i = 0; i <= 100; ++i)
        {
            const double range = i < 100 ? 5.0 * i : 500.0 + past;
            a.m_SeabedProfile.AddPointAtRange(kE + range, kN, 200.0, range, 1);
        }
        for (int i = 1; i <= 100; ++i)
            a.m_SeabedProfile.AddPointAtRange(kE + 500.0 + past + 5.0 * i, kN, 200.0, 500.0 + past + 5.0 * i, 1);
        a.m_BuoysInUse = 1;
        BuoyDef& buoy = a.m_Buoys[0];
        buoy.bUseBuoy = true;
        buoy.DistanceFromFairlead = 500.0;
        buoy.DistanceFromAnchor = 500.0;
        buoy.PennantWireLength = 30.0;
        buoy.Cable.bUseUpperSection = false;
        buoy.Cable.LowerWeight = 100.0;
        buoy.Cable.LowerLength = 800.0;
        a.SolveZuduzuro();
        return buoy.bPennantAdjusted;
    };
    double below = 0.0, above = 4.9;
    {
        CAnchor a;
        ASSERT_FALSE(solve(below, a));
        CAnchor b;
        ASSERT_TRUE(solve(above, b));
    }
    for (int i = 0; i < 50; ++i)
    {
        CAnchor a;
        (solve((below + above) / 2, a) ? above : below) = (below + above) / 2;
    }
    CAnchor kept, bent;
    solve(below, kept);
    solve(above, bent);
    // Just short of the threshold the cable stays as it hangs: 0.49 m and more above the
    // pennant's end, less than 0.5 m.
    const double excess = 30.0 - kept.m_CableProfile[100].Depth;
    EXPECT_GE(excess, 0.49);
    EXPECT_LT(excess, 0.5);
    EXPECT_NEAR(kept.m_CableProfile[0].Depth, 0.0, 1e-3);
    // Just past it: the point at the buoy gets the whole excess, the first point none.
    EXPECT_NEAR(bent.m_CableProfile[100].Depth, 30.0, 1e-9);
    EXPECT_NEAR(bent.m_CableProfile[0].Depth, kept.m_CableProfile[0].Depth, 1e-6);
    EXPECT_NEAR(bent.m_CableProfile[50].Depth - kept.m_CableProfile[50].Depth, 50 * 0.5 / 100, 1e-3);
}

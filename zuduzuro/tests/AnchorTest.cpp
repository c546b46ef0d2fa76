// The anchor record: its position setters against plane geometry worked out here, its
// geographic forms against a UTM fixture, its cable-type bookkeeping, and its file against
// golden bytes made from the file's line table.
#include "zuduzuro/Anchor.h"
#include "zuduzuro/BargeData.h"
#include "zuduzuro/CableWeight.h"
#include "zuduzuro/tests/SettingsFiles.h"

#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"

#include <QList>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

using namespace settingsfiles;

namespace
{
// The fixture anchor that the golden file describes.
void FillFixture(CAnchor& a)
{
    a.m_FileName = "ANCHOR";
    a.m_WaterDepth = 45.5;
    a.m_WaterlineToZero = 2.25;
    a.m_WorkingDistance = 2500.0;
    a.m_Name = "Anchor 3, port\r\nbow";
    a.m_Status = ANCHOR_ON_BOTTOM;
    a.m_Display = true;
    a.m_WinchOperator = 2;
    a.m_Use = true;
    a.m_FairleadX = 12.5;
    a.m_FairleadY = -30.25;
    a.m_FairleadZ = 8.0;
    a.m_DepthAtAnchor = 52.125;
    a.m_GroundChain.bUseGroundChain = true;
    a.m_GroundChain.nGroundChainType = 3;
    a.m_GroundChain.GroundChainLength = 150.0;
    a.m_Cable.bUseUpperSection = true;
    a.m_Cable.nLowerCableType = 2;
    a.m_Cable.LowerLength = 800.0;
    a.m_Cable.nUpperCableType = 4;
    a.m_Cable.UpperLength = 120.5;
    a.m_UseCableOut = false;
    a.m_ObservedCableOut = 1000.0;
    a.m_Tension = 85.5;
    a.m_AnchorEasting = 501000.0;
    a.m_AnchorNorthing = 6201000.0;
    a.m_Tolerance = 5.0;
    a.m_PlannedEasting = 501010.0;
    a.m_PlannedNorthing = 6201020.0;
    a.m_TugNo = 3;
    a.m_TugFairleadHeight = 6.5;
    a.m_TugEasting = 500500.0;
    a.m_TugNorthing = 6200500.0;
    a.m_TugPennantWireLength = 300.0;
    a.m_PennantWireType = 2;
    a.m_PennantMode = 1;
    a.m_CableOnDeck = 50.0;
    a.m_AnchorWeight = 12.0;
    for (int n = 1; n <= 3; ++n)
    {
        BuoyDef& b = a.m_Buoys[n - 1];
        b.bUseBuoy = true;
        b.PennantWireLength = 20.0 + n;
        b.Cable.bUseUpperSection = n % 2 == 1;
        b.Cable.nLowerCableType = 2;
        b.Cable.LowerLength = 100.0 * n;
        b.Cable.nUpperCableType = 3;
        b.Cable.UpperLength = 50.0 * n;
    }
    a.m_AnalogueModule = 4;
    a.m_AnalogueChannel = 6;
    a.m_AnalogueSlope = 1.25;
    a.m_AnalogueOffset = -0.5;
}

// The golden file with line `number` (1-based) replaced by `line`.
QByteArray GoldenWithLine(int number, const QByteArray& line)
{
    QList<QByteArray> lines = ReadBytes(kDataDir + "anchor_fixture.ANK").split('\n');
    lines[number - 1] = line + "\r";
    return lines.join('\n');
}

// Loads `bytes` as the anchor file into `anchor` (already set up by the caller); the result of
// Load.
bool LoadBytes(CAnchor& anchor, const QByteArray& bytes, const CCableWeight& table)
{
    WriteBytes(AnchorFilePath(), bytes);
    anchor.m_FileName = "ANCHOR";
    return anchor.Load(anchor.GetFilePath(), table);
}

// An anchor with its fairlead at (1000, 2000).
CAnchor AtFairlead(int status)
{
    CAnchor a;
    a.m_FairleadEasting = 1000.0;
    a.m_FairleadNorthing = 2000.0;
    a.m_Status = status;
    return a;
}
} // namespace

TEST(AnchorFile, GoldenBytesWrittenAndReadBack)
{
    CCableWeight table;
    FillTable(table);
    CAnchor fixture;
    FillFixture(fixture);
    ASSERT_TRUE(fixture.Save());
    EXPECT_EQ(ReadBytes(AnchorFilePath()), ReadBytes(kDataDir + "anchor_fixture.ANK"));

    CAnchor back;
    back.LoadAtStart(table);
    EXPECT_TRUE(back.m_Use);
    EXPECT_STREQ(back.m_FileName, "ANCHOR");
    EXPECT_STREQ(back.m_Name, "Anchor 3, port\r\nbow");
    EXPECT_EQ(back.m_WaterDepth, 45.5);
    EXPECT_EQ(back.m_WaterlineToZero, 2.25);
    EXPECT_EQ(back.m_WorkingDistance, 2500.0);
    EXPECT_EQ(back.m_Status, ANCHOR_ON_BOTTOM);
    EXPECT_TRUE(back.m_Display);
    EXPECT_EQ(back.m_WinchOperator, 2);
    EXPECT_EQ(back.m_FairleadX, 12.5);
    EXPECT_EQ(back.m_FairleadY, -30.25);
    EXPECT_EQ(back.m_FairleadZ, 8.0);
    EXPECT_EQ(back.m_FairleadLevel, 10.25) << "Z plus the waterline to zero";
    EXPECT_EQ(back.m_DepthAtAnchor, 52.125);
    EXPECT_TRUE(back.m_GroundChain.bUseGroundChain);
    EXPECT_EQ(back.m_GroundChain.nGroundChainType, 3);
    EXPECT_EQ(back.m_GroundChain.GroundChainWeight, 80.0);
    EXPECT_EQ(back.m_GroundChain.GroundChainLength, 150.0);
    EXPECT_EQ(back.m_Cable.nLowerCableType, 2);
    EXPECT_EQ(back.m_Cable.LowerWeight, 40.0);
    EXPECT_EQ(back.m_Cable.LowerLength, 800.0);
    EXPECT_EQ(back.m_Cable.nUpperCableType, 4);
    EXPECT_EQ(back.m_Cable.UpperWeight, 1500.0) << "the main cable keeps any weight";
    EXPECT_EQ(back.m_Cable.UpperLength, 120.5);
    EXPECT_EQ(back.m_ObservedCableOut, 1000.0);
    EXPECT_EQ(back.m_Tension, 85.5);
    EXPECT_TRUE(back.m_PositionCurrent);
    EXPECT_EQ(back.m_AnchorEasting, 501000.0);
    EXPECT_EQ(back.m_AnchorNorthing, 6201000.0);
    EXPECT_EQ(back.m_Tolerance, 5.0);
    EXPECT_EQ(back.m_PlannedEasting, 501010.0);
    EXPECT_EQ(back.m_PlannedNorthing, 6201020.0);
    EXPECT_EQ(back.m_TugNo, 3);
    EXPECT_EQ(back.m_TugFairleadHeight, 6.5);
    EXPECT_EQ(back.m_TugEasting, 500500.0);
    EXPECT_EQ(back.m_TugNorthing, 6200500.0);
    EXPECT_EQ(back.m_TugPennantWireLength, 300.0);
    EXPECT_EQ(back.m_PennantWireType, 2);
    EXPECT_EQ(back.m_PennantWireWeight, 40.0);
    EXPECT_EQ(back.m_PennantMode, 1);
    EXPECT_EQ(back.m_CableOnDeck, 50.0);
    EXPECT_EQ(back.m_AnchorWeight, 12.0);
    for (int n = 1; n <= 5; ++n)
    {
        const BuoyDef& b = back.m_Buoys[n - 1];
        const bool used = n <= 3;
        EXPECT_EQ(b.bUseBuoy, used) << n;
        EXPECT_EQ(b.PennantWireLength, used ? 20.0 + n : 0.0) << n;
        EXPECT_EQ(b.Cable.bUseUpperSection, used && n % 2 == 1) << n;
        EXPECT_EQ(b.Cable.LowerLength, used ? 100.0 * n : 0.0) << n;
        EXPECT_EQ(b.Cable.LowerWeight, used ? 40.0 : 21.93) << n;
        EXPECT_EQ(b.Cable.UpperLength, used ? 50.0 * n : 0.0) << n;
        EXPECT_EQ(b.Cable.UpperWeight, used ? 80.0 : 21.93) << n;
    }
    EXPECT_EQ(back.m_AnalogueModule, 4);
    EXPECT_EQ(back.m_AnalogueChannel, 6);
    EXPECT_EQ(back.m_AnalogueSlope, 1.25);
    EXPECT_EQ(back.m_AnalogueOffset, -0.5);

    ASSERT_TRUE(back.Save());
    EXPECT_EQ(ReadBytes(AnchorFilePath()), ReadBytes(kDataDir + "anchor_fixture.ANK"));
}

TEST(AnchorFile, MissingFileLeavesTheResetValuesAndTakesPart)
{
    CCableWeight table;
    CAnchor anchor;
    anchor.m_Tension = 7.0;
    anchor.LoadAtStart(table);
    EXPECT_TRUE(anchor.m_Use);
    EXPECT_EQ(anchor.m_Tension, 0.0);
    EXPECT_EQ(anchor.m_WorkingDistance, 2500.0);
    EXPECT_EQ(anchor.m_WinchOperator, 1);
    EXPECT_FALSE(QFileInfo::exists(AnchorFilePath())) << "reading writes nothing";
}

// The reader's rules, each on the golden file with one line changed. Lines by number: 8 winch
// operator, 12 Z, 19 lower length, 20 upper type, 24 tension, 25 anchor easting, 31 tug
// fairlead height, 43 buoy 1 lower type, 80-83 module, channel, slope, offset.
TEST(AnchorFile, ReaderRules)
{
    CCableWeight table;
    FillTable(table);
    struct Case
    {
        int line;
        const char* text;
        std::function<void(const CAnchor&)> check;
    };
    const Case cases[] = {
        {8, "Winch Operator = 5", [](const CAnchor& a) { EXPECT_EQ(a.m_WinchOperator, 1); }},
        {8, "Winch Operator = 0", [](const CAnchor& a) { EXPECT_EQ(a.m_WinchOperator, 0); }},
        {81, "Channel = -1", [](const CAnchor& a) { EXPECT_EQ(a.m_AnalogueChannel, -1); }},
        {81, "Channel = 8", [](const CAnchor& a) { EXPECT_EQ(a.m_AnalogueChannel, 5); }},
        {80, "Module = 17", [](const CAnchor& a) { EXPECT_EQ(a.m_AnalogueModule, 9); }},
        {82, "Slope = 0.00000", [](const CAnchor& a) { EXPECT_EQ(a.m_AnalogueSlope, 1.0); }},
        {82, "Slope = 1.7976931348623157e308", [](const CAnchor& a) { EXPECT_EQ(a.m_AnalogueSlope, 1.0); }},
        {83, "Offset = 1.7976931348623157e308", [](const CAnchor& a) { EXPECT_EQ(a.m_AnalogueOffset, 0.0); }},
        {19, "Lower Cable Chain Length = 10000.000",
         [](const CAnchor& a) { EXPECT_EQ(a.m_Cable.LowerLength, 0.0); }},
        {19, "Lower Cable Chain Length = 9999.999",
         [](const CAnchor& a) { EXPECT_EQ(a.m_Cable.LowerLength, 9999.999); }},
        {19, "Lower Cable Chain Length = -1",
         [](const CAnchor& a) { EXPECT_EQ(a.m_Cable.LowerLength, 0.0); }},
        {31, "Tug Fairlead Height = 10000", [](const CAnchor& a) { EXPECT_EQ(a.m_TugFairleadHeight, 0.0); }},
        {31, "Tug Fairlead Height = -10000", [](const CAnchor& a) { EXPECT_EQ(a.m_TugFairleadHeight, 0.0); }},
        {31, "Tug Fairlead Height = -9999",
         [](const CAnchor& a) { EXPECT_EQ(a.m_TugFairleadHeight, -9999.0); }},
        {1, "Water Depth = 100000.001", [](const CAnchor& a) { EXPECT_EQ(a.m_WaterDepth, 0.0); }},
        {30, "Tug No = 7", [](const CAnchor& a) { EXPECT_EQ(a.m_TugNo, 0); }},
        {27, "Tolerance = -1", [](const CAnchor& a) { EXPECT_EQ(a.m_Tolerance, 0.0); }},
        // A buoy line weighing 1500 kg/m is taken as unknown; the main cable keeps it.
        {43, "Lower Cable Type = 4",
         [](const CAnchor& a) {
             EXPECT_EQ(a.m_Buoys[0].Cable.nLowerCableType, 4);
             EXPECT_EQ(a.m_Buoys[0].Cable.LowerWeight, 21.93);
         }},
        // A type the table does not hold weighs 21.93 and keeps its index.
        {20, "Upper Cable Type = 9",
         [](const CAnchor& a) {
             EXPECT_EQ(a.m_Cable.nUpperCableType, 9);
             EXPECT_EQ(a.m_Cable.UpperWeight, 21.93);
         }},
        // Non-finite numbers once reached the solver; they are now not taken.
        {24, "Tension = nan", [](const CAnchor& a) { EXPECT_EQ(a.m_Tension, 0.0); }},
        {12, "Z = inf",
         [](const CAnchor& a) {
             EXPECT_EQ(a.m_FairleadZ, 0.0);
             EXPECT_EQ(a.m_FairleadLevel, 2.25);
         }},
        {25, "Anchor Easting = 1e999", [](const CAnchor& a) { EXPECT_EQ(a.m_AnchorEasting, 0.0); }},
        {82, "Slope = -nan", [](const CAnchor& a) { EXPECT_EQ(a.m_AnalogueSlope, 1.0); }},
        // Key and value may stand without blanks, in other case.
        {24, "tension=7.5", [](const CAnchor& a) { EXPECT_EQ(a.m_Tension, 7.5); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        CAnchor anchor;
        anchor.m_AnalogueChannel = 5;
        anchor.m_AnalogueModule = 9;
        EXPECT_TRUE(LoadBytes(anchor, GoldenWithLine(c.line, c.text), table));
        EXPECT_FALSE(anchor.IsFileRefused());
        c.check(anchor);
        // The lines after the changed one are still read in their places.
        EXPECT_EQ(anchor.m_AnalogueModule, c.line == 80 ? 9 : 4);
    }
}

// A short file once read as zeros from its end on, and the next step of the tension wrote the
// zeros over what was left of it. It is now refused whole and kept.
TEST(AnchorFile, ShortFileIsRefusedAndKept)
{
    CCableWeight table;
    const QByteArray all = ReadBytes(kDataDir + "anchor_fixture.ANK");
    QList<QByteArray> lines = all.split('\n');
    const QByteArray head = lines.mid(0, 11).join('\n') + '\n'; // up to and with "Y"
    CAnchor anchor;
    anchor.m_AnalogueChannel = 5;
    EXPECT_FALSE(LoadBytes(anchor, head, table));
    EXPECT_TRUE(anchor.IsFileRefused());
    EXPECT_EQ(anchor.m_FairleadY, 0.0) << "nothing of a refused file is taken";
    EXPECT_EQ(anchor.m_WaterDepth, 0.0);
    EXPECT_EQ(anchor.m_AnalogueChannel, 5);
    ASSERT_EQ(anchor.GetLoadProblems().GetSize(), 1);
    EXPECT_EQ(anchor.GetLoadProblems()[0].Find(anchor.GetFilePath() +
                                               ", line 12: the file ends where \"Z\" was expected."),
              0)
        << anchor.GetLoadProblems()[0].GetString();
    EXPECT_FALSE(anchor.Save());
    EXPECT_EQ(ReadBytes(AnchorFilePath()), head) << "the file is not rewritten";
}

// Save once wrote nothing and said nothing when the file could not be made.
TEST(AnchorFile, SaveThatCannotWriteSaysSo)
{
    CAnchor anchor;
    EXPECT_FALSE(anchor.Save()) << "no file name";
    anchor.m_FileName = "ANCHOR";
    ASSERT_TRUE(QDir().mkpath(AnchorFilePath() + "/blocked"));
    EXPECT_FALSE(anchor.Save());
}

TEST(Anchor, ResetAndMemberwiseCopy)
{
    CAnchor a;
    EXPECT_EQ(a.m_DisplayOption1, 2);
    EXPECT_EQ(a.m_DisplayOption4, 0xFFFFFF);
    EXPECT_TRUE(a.m_Cable.bUseUpperSection);
    EXPECT_EQ(a.m_Cable.LowerWeight, 21.93);
    EXPECT_EQ(a.m_Buoys[4].Cable.UpperWeight, 21.93);
    EXPECT_EQ(a.m_BuoyStack[0], -1);
    EXPECT_EQ(a.m_WorkingDistance, 2500.0);
    EXPECT_EQ(a.m_AnalogueSlope, 1.0);
    EXPECT_EQ(a.m_AnalogueChannel, -1);

    a.m_SeabedProfile.AddPointAtRange(1, 2, 30.0, 0.0, 1);
    a.m_SeabedProfile.AddPointAtRange(3, 4, 40.0, 10.0, 1);
    a.m_TrackPoints.Add(TrackPointDef{"Mark", 5.0, 35.0, 0.0, 0xFF});
    a.m_AnalogueSlope = 2.0;
    const CAnchor copy = a;
    EXPECT_EQ(copy.m_SeabedProfile.GetSize(), 2);
    EXPECT_EQ(copy.m_SeabedProfile.GetDepthAtRange(5.0), 35.0);
    EXPECT_STREQ(copy.m_TrackPoints[0].Name, "Mark");

    a.Reset();
    EXPECT_EQ(a.m_TrackPoints.GetSize(), 0);
    EXPECT_EQ(a.m_SeabedProfile.GetSize(), 2) << "the profiles are left alone";
    EXPECT_EQ(a.m_AnalogueSlope, 2.0) << "and so is the analogue unit's scaling";
}

TEST(Anchor, RangeLimitsAndStatusTexts)
{
    CAnchor a = AtFairlead(ANCHOR_ON_BOTTOM);
    a.SetAnchorPosition(1000.0 + 6000.0, 2000.0 + 8000.0); // exactly 10000 m
    EXPECT_EQ(a.m_Range, 10000.0);
    EXPECT_TRUE(a.m_StatusText.IsEmpty());
    EXPECT_NEAR(a.m_Bearing, std::atan2(6000.0, 8000.0), 1e-15);
    EXPECT_NEAR(a.m_BackBearing, std::atan2(6000.0, 8000.0) + M_PI, 1e-15);
    EXPECT_DOUBLE_EQ(a.m_SinBearing, 0.6);
    EXPECT_DOUBLE_EQ(a.m_CosBearing, 0.8);
    EXPECT_EQ(a.GetRange(), 10000.0);

    a.SetAnchorPosition(1000.0, 2000.0 + 10000.001);
    EXPECT_STREQ(a.m_StatusText, "Bad Anchor Position");
    EXPECT_EQ(a.m_StatusLevel, ANCHOR_LEVEL_FAULT);
    EXPECT_EQ(a.m_Range, 0.0);
    EXPECT_EQ(a.m_Bearing, 0.0);
    EXPECT_EQ(a.m_BackBearing, 0.0);
    EXPECT_EQ(a.m_SinBearing, 0.0);
    EXPECT_EQ(a.m_CosBearing, 0.0);
    EXPECT_EQ(a.GetRange(), 0.0) << "beyond 10000 m";

    a.SetAnchorPosition(1000.0, 2000.0);
    EXPECT_STREQ(a.m_StatusText, "Range to Anchor is Zero");
    EXPECT_EQ(a.m_CosBearing, 0.0);

    // Due west: the bearing wraps into [0, 2π) and the back bearing comes back below 2π.
    a.SetAnchorPosition(900.0, 2000.0);
    EXPECT_NEAR(a.m_Bearing, 1.5 * M_PI, 1e-15);
    EXPECT_NEAR(a.m_BackBearing, 0.5 * M_PI, 1e-15);
}

TEST(Anchor, RackedSettersDoNothing)
{
    CAnchor a = AtFairlead(ANCHOR_RACKED);
    a.SetRange(500.0);
    a.SetBearing(1.0);
    a.SetEasting(1234.0);
    a.SetNorthing(5678.0);
    EXPECT_EQ(a.m_AnchorEasting, 0.0);
    EXPECT_EQ(a.m_TugEasting, 0.0);
    EXPECT_EQ(a.m_PlannedNorthing, 0.0);
    EXPECT_EQ(a.GetRange(), 0.0);
    EXPECT_FALSE(a.UpdateRangeAndBearing());
    EXPECT_STREQ(a.m_StatusText, "Range to Anchor is Zero");
}

TEST(Anchor, SettersMoveTheStatussOwnPoint)
{
    // Live: the tug and the anchor with it.
    CAnchor live = AtFairlead(ANCHOR_LIVE);
    live.SetTugPosition(1300.0, 2400.0);
    EXPECT_EQ(live.m_AnchorEasting, 1300.0);
    EXPECT_EQ(live.m_Range, 500.0);
    live.SetRange(1000.0); // bearing kept: (0.6, 0.8)
    EXPECT_NEAR(live.m_TugEasting, 1600.0, 1e-9);
    EXPECT_NEAR(live.m_TugNorthing, 2800.0, 1e-9);
    EXPECT_NEAR(live.m_AnchorNorthing, 2800.0, 1e-9);
    live.SetBearing(M_PI); // range kept
    EXPECT_NEAR(live.m_TugEasting, 1000.0, 1e-9);
    EXPECT_NEAR(live.m_TugNorthing, 1000.0, 1e-9);
    EXPECT_NEAR(live.GetBearing(), M_PI, 1e-12);

    // On Bottom: the anchor; the tug stays.
    CAnchor bottom = AtFairlead(ANCHOR_ON_BOTTOM);
    bottom.SetTugPosition(5.0, 6.0);
    bottom.SetEasting(1100.0);
    bottom.SetNorthing(2000.0);
    EXPECT_EQ(bottom.m_AnchorEasting, 1100.0);
    EXPECT_EQ(bottom.m_AnchorNorthing, 2000.0);
    EXPECT_EQ(bottom.m_TugEasting, 5.0);
    EXPECT_EQ(bottom.m_Range, 100.0);

    // Planned: only the planned point; the planned offset is then 0.
    CAnchor planned = AtFairlead(ANCHOR_PLANNED);
    planned.SetEasting(1030.0);
    planned.SetNorthing(2040.0);
    EXPECT_EQ(planned.m_PlannedEasting, 1030.0);
    EXPECT_EQ(planned.m_AnchorEasting, 0.0);
    EXPECT_EQ(planned.GetRange(), 50.0);
    EXPECT_EQ(planned.m_DistanceToPlanned, 0.0);

    // The planned offset from the anchor when On Bottom.
    bottom.SetPlannedPosition(1100.0, 2030.0);
    EXPECT_EQ(bottom.m_DistanceToPlanned, 30.0);
    EXPECT_EQ(bottom.m_BearingToPlanned, 0.0);
}

TEST(Anchor, FairleadAndBuoyDistances)
{
    CAnchor a;
    a.m_FairleadX = 2.0;
    a.m_FairleadY = 10.0;
    a.SetFairleadPosition(1000.0, 2000.0, 1.0, 0.0); // heading 90: forward is east
    EXPECT_NEAR(a.m_FairleadEasting, 1010.0, 1e-12);
    EXPECT_NEAR(a.m_FairleadNorthing, 1998.0, 1e-12);

    a.m_Status = ANCHOR_ON_BOTTOM;
    a.m_Buoys[0].Easting = 1010.0;
    a.m_Buoys[0].Northing = 2398.0;
    a.SetAnchorPosition(1010.0, 2498.0);
    EXPECT_NEAR(a.m_Buoys[0].DistanceFromAnchor, 100.0, 1e-9);
    EXPECT_NEAR(a.m_Buoys[0].DistanceFromFairlead, 400.0, 1e-9);

    a.m_TouchdownEasting = 1010.0;
    a.m_TouchdownNorthing = 2298.0;
    EXPECT_NEAR(a.GetDistanceToTouchdown(), 300.0, 1e-9);
    a.m_TouchdownNorthing = 0.0;
    EXPECT_EQ(a.GetDistanceToTouchdown(), 0.0);
}

TEST(Anchor, GeographicFormsFollowTheProjection)
{
    CSpheroid wgs84;
    CProjection utm31;
    utm31.SetSpheroid(&wgs84);
    ASSERT_TRUE(utm31.SetZone(31, 0, 0));
    std::ifstream file(SUITE_SOURCE_DIR "/zuduzuro/tests/data/utm31_geographic.csv");
    ASSERT_TRUE(file.good());
    std::string line;
    std::getline(file, line); // the generating command
    int rows = 0;
    while (std::getline(file, line))
    {
        double e = 0, n = 0, lat = 0, lon = 0;
        char comma = 0;
        std::istringstream in(line);
        in >> e >> comma >> n >> comma >> lat >> comma >> lon;
        CAnchor a = AtFairlead(ANCHOR_ON_BOTTOM);
        a.m_pProjection = &utm31;
        a.SetAnchorPosition(e, n);
        a.SetPlannedPosition(e, n);
        a.SetTugPosition(e, n);
        const double toRad = M_PI / 180.0;
        for (double got : {a.m_AnchorLatitude, a.m_PlannedLatitude, a.m_TugLatitude})
            EXPECT_NEAR(got, lat * toRad, 1e-10) << line;
        for (double got : {a.m_AnchorLongitude, a.m_PlannedLongitude, a.m_TugLongitude})
            EXPECT_NEAR(got, lon * toRad, 1e-10) << line;
        ++rows;
    }
    EXPECT_EQ(rows, 5);

    CAnchor without;
    without.SetAnchorPosition(501000.0, 6201000.0);
    EXPECT_EQ(without.m_AnchorLatitude, 0.0) << "no projection, no geographic form";
}

TEST(Anchor, CableTypesFollowTheTable)
{
    CAnchor a;
    a.m_GroundChain.nGroundChainType = 3;
    a.m_Cable.nLowerCableType = 2;
    a.m_Cable.nUpperCableType = -1;
    a.m_PennantWireType = 4;
    a.m_Buoys[0].Cable.nLowerCableType = 4;
    a.m_Buoys[0].Cable.nUpperCableType = 2;
    a.m_Buoys[1].Cable.nLowerCableType = 7;

    CCableWeight table;
    FillTable(table);
    a.UpdateCableWeights(table);
    EXPECT_EQ(a.m_GroundChain.GroundChainWeight, 80.0);
    EXPECT_EQ(a.m_Cable.LowerWeight, 40.0);
    EXPECT_EQ(a.m_Cable.UpperWeight, 21.93) << "outside the table";
    EXPECT_EQ(a.m_PennantWireWeight, 1500.0);
    EXPECT_EQ(a.m_Buoys[0].Cable.LowerWeight, 21.93) << "above 1000 on a buoy";
    EXPECT_EQ(a.m_Buoys[0].Cable.UpperWeight, 40.0);
    EXPECT_EQ(a.m_Buoys[1].Cable.LowerWeight, 21.93);
    EXPECT_EQ(a.m_Buoys[1].Cable.nLowerCableType, 7) << "the index is kept as it was";

    a.OnCableTypeRemoved(3);
    EXPECT_EQ(a.m_GroundChain.nGroundChainType, 2) << "the removed index becomes the one below";
    EXPECT_EQ(a.m_Cable.nLowerCableType, 2);
    EXPECT_EQ(a.m_Cable.nUpperCableType, -1);
    EXPECT_EQ(a.m_PennantWireType, 3);
    EXPECT_EQ(a.m_Buoys[0].Cable.nLowerCableType, 3);
    EXPECT_EQ(a.m_Buoys[0].Cable.nUpperCableType, 2);
    EXPECT_EQ(a.m_Buoys[1].Cable.nLowerCableType, 6);
}

TEST(Anchor, SeabedDepthLookups)
{
    CAnchor a;
    EXPECT_EQ(a.GetMaximumSeabedDepth(0, 10), 0.0);
    EXPECT_EQ(a.CheckDepthAt(5.0), 0.0);
    EXPECT_TRUE(a.m_StatusText.IsEmpty());

    a.m_SeabedProfile.AddPointAtRange(0, 0, 20.0, 0.0, 1);
    a.m_SeabedProfile.AddPointAtRange(0, 0, 60.0, 10.0, 1);
    a.m_SeabedProfile.AddPointAtRange(0, 0, 30.0, 20.0, 1);
    a.m_SeabedProfile.AddPointAtRange(0, 0, DBL_MAX, 30.0, 0);
    EXPECT_EQ(a.GetMaximumSeabedDepth(0, 4), 60.0);
    EXPECT_EQ(a.GetMaximumSeabedDepth(2, 4), 30.0) << "no depth is not a depth";
    EXPECT_EQ(a.GetMaximumSeabedDepth(2, 2), 0.0);
    EXPECT_EQ(a.CheckDepthAt(15.0), 45.0);
    EXPECT_TRUE(a.m_StatusText.IsEmpty());
    EXPECT_EQ(a.CheckDepthAt(25.0), DBL_MAX);
    EXPECT_STREQ(a.m_StatusText, "No DTM");
    EXPECT_EQ(a.m_StatusLevel, ANCHOR_LEVEL_FAULT);
}

TEST(BargeData, GoldenFileAndTheReferencePoint)
{
    WriteBytes(SettingsFilePath("Barge"), ReadBytes(kDataDir + "barge_fixture.INI"));
    CBargeData barge;
    EXPECT_EQ(barge.m_Easting, 1000.0);
    EXPECT_EQ(barge.m_Heading, 90.0);
    EXPECT_EQ(barge.m_Draft, 3.25);
    EXPECT_EQ(barge.m_WaterLineToZero, 4.5);
    EXPECT_NEAR(barge.m_CrpEasting, 1000.0, 1e-9);
    EXPECT_NEAR(barge.m_CrpNorthing, 5002.0, 1e-9);

    const QString path = SettingsFilePath("Barge");
    QFile::remove(path);
    ASSERT_TRUE(barge.Save());
    EXPECT_EQ(ReadBytes(path), ReadBytes(kDataDir + "barge_fixture.INI"));
}

// With no file the cosine of the heading was once 0, so every antenna and fairlead offset was
// ignored until a heading was typed. It is now 1, as a heading of 0 has.
TEST(BargeData, WithoutAFileOffsetsAreHonoured)
{
    CBargeData barge;
    EXPECT_EQ(barge.m_Heading, 0.0);
    EXPECT_EQ(barge.m_SinHeading, 0.0);
    EXPECT_EQ(barge.m_CosHeading, 1.0);
    barge.m_Easting = 1000.0;
    barge.m_Northing = 5000.0;
    barge.m_OffsetX = 2.0;
    barge.m_OffsetY = 3.0;
    barge.UpdateCrp();
    EXPECT_EQ(barge.m_CrpEasting, 998.0);
    EXPECT_EQ(barge.m_CrpNorthing, 4997.0);
}

TEST(BargeData, NonFiniteLinesReadAsMissing)
{
    const QString path = SettingsFilePath("Barge");
    WriteBytes(path, "Barge Eng = nan\r\nBarge Nng = 5000\r\nHeading = inf\r\n");
    CBargeData barge;
    EXPECT_EQ(barge.m_Easting, 0.0);
    EXPECT_EQ(barge.m_Northing, 5000.0);
    EXPECT_EQ(barge.m_Heading, 0.0);
    EXPECT_EQ(barge.m_CosHeading, 1.0);
    EXPECT_EQ(barge.m_Draft, 0.0);
    EXPECT_TRUE(std::isfinite(barge.m_CrpEasting));

    QFile::remove(path);
    ASSERT_TRUE(QDir().mkpath(path + "/blocked"));
    EXPECT_FALSE(barge.Save()) << "a file that cannot be written is reported";
}

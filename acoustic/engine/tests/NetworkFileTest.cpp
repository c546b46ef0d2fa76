#include "acoustic/engine/Network.h"
#include "acoustic/engine/NetworkFile.h"
#include "acoustic/engine/tests/NetworkTestSupport.h"
#include "platform/core/StdioFile.h"
#include "testsupport/TempDrives.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cfloat>
#include <fstream>
#include <sstream>

namespace
{
// Writes `text` ("\n" line ends) as the network file `name`.
void WriteNetworkFile(const char* name, const char* text)
{
    CStdioFile file;
    ASSERT_TRUE(file.Open(GetNetworkFilePath(name), CFile::modeCreate | CFile::modeWrite | CFile::typeText));
    file.WriteString(text);
    file.Close();
}

// The bytes of the network file `name`.
std::string ReadNetworkFile(const char* name)
{
    CStdioFile file;
    if (!file.Open(GetNetworkFilePath(name), CFile::modeRead | CFile::typeBinary))
        return std::string();
    std::string bytes(size_t(file.GetLength()), '\0');
    file.Read(bytes.data(), UINT(bytes.size()));
    file.Close();
    return bytes;
}

CNetworkStation Station(const char* name, int status, double e, double n, double depth, double se = 1.0)
{
    CNetworkStation s;
    s.m_Name = name;
    s.m_Status = status;
    s.m_GivenE = e;
    s.m_GivenN = n;
    s.m_GivenDepth = depth;
    s.m_PositionSE = se;
    return s;
}

bool HasMessageWith(const CNetwork& network, const char* text)
{
    for (INT_PTR i = 0; i < network.GetLoadMessages().GetSize(); ++i)
        if (network.GetLoadMessages()[i].Find(text) >= 0)
            return true;
    return false;
}
} // namespace

TEST(NetworkFile, FolderIsInTheDataFolder)
{
    CString folder;
    ASSERT_TRUE(GetNetworkFolder(folder));
    EXPECT_EQ(folder, "C:\\MyData\\Calibration\\Network Adjustment\\");
    EXPECT_TRUE(QDir(TempDrives::Current()->OnC("MyData/Calibration/Network Adjustment")).exists());
    EXPECT_EQ(GetNetworkFilePath("North Field"),
              "C:\\MyData\\Calibration\\Network Adjustment\\North Field.NET");

    // The data-folder pointer file names another data folder.
    QDir().mkpath(TempDrives::Current()->OnC("Survey/Data"));
    QDir().mkpath(TempDrives::Current()->OnC("MyDrives"));
    QFile pointer(TempDrives::Current()->OnC("MyDrives/MyData.INI"));
    ASSERT_TRUE(pointer.open(QIODevice::WriteOnly));
    pointer.write("C:\\Survey\\Data\r\n");
    pointer.close();
    ASSERT_TRUE(GetNetworkFolder(folder));
    EXPECT_EQ(folder, "C:\\Survey\\Data\\Calibration\\Network Adjustment\\");
}

TEST(NetworkFile, WrittenLineByLine)
{
    CNetwork network;
    network.m_FileName = "Field A";
    network.m_TwoWayTravelTime = 1;
    network.m_SpeedOfSound = 1500.0;
    network.AddStation(Station("North, east", 2, 431000.1234, 6712000.5, 512.25, 0.004));
    network.AddStation(Station("Spare", 0, 0.0, 0.0, 0.0));
    network.AddStation(Station("C", 1, 431500.0, 6712300.0, 520.0));
    network.AddStation(Station("D", 3, 431200.0, 6711800.0, 515.0, 0.25));
    NetworkObservationDef& ac = network.ElementAt(0).ElementAt(2);
    ac.ObservedRange = 583.4567;
    ac.UseRange = 1;
    ac.RangeSE = 0.1;
    ac.ObservedBearing = 0.0; // a bearing of 0 is written when it is used
    ac.UseBearing = 1;
    ac.BearingSE = 15.0;
    NetworkObservationDef& ca = network.ElementAt(2).ElementAt(0);
    ca.ObservedRange = 0.0; // a range of 0 never is
    ca.UseRange = 1;
    NetworkObservationDef& dc = network.ElementAt(3).ElementAt(2);
    dc.ObservedRange = 412.0;
    dc.UseRange = 0; // not in use: not written
    dc.ObservedBearing = 33.3;
    dc.UseBearing = 1;
    // Observations to the station not in use are not written.
    network.ElementAt(2).ElementAt(1).ObservedRange = 99.0;
    network.ElementAt(2).ElementAt(1).UseRange = 1;
    ASSERT_TRUE(network.Save());

    EXPECT_EQ(ReadNetworkFile("Field A"), "Two Way Travel Time = 1\r\n"
                                          "Speed Of Sound In Water = 1500.000\r\n"
                                          "[StationT]\r\n"
                                          "2, North\xAB"
                                          "COMMA>\xBB east, 431000.123, 6712000.500, 512.250, 0.004\r\n"
                                          "0, Spare, 0.000, 0.000, 0.000, 1.000\r\n"
                                          "1, C, 431500.000, 6712300.000, 520.000, 1.000\r\n"
                                          "3, D, 431200.000, 6711800.000, 515.000, 0.250\r\n"
                                          "[Range]\r\n"
                                          "0, 2, 583.457, 0.100\r\n"
                                          "[Bearing]\r\n"
                                          "0, 2, 0.000, 15.000\r\n"
                                          "3, 2, 33.300, 1.000\r\n");

    // Without a name nothing is written.
    CNetwork unnamed;
    unnamed.AddStation(Station("A", 1, 1, 1, 1));
    EXPECT_FALSE(unnamed.Save());
}

TEST(NetworkFile, RoundTrip)
{
    const std::vector<TruePosition> truth = ScatteredStations(6);
    CNetwork network = MakeExactNetwork(truth, {2, 1, 0, 3, 1, 2}, 2.0, true);
    network.m_FileName = "Round trip";
    network.m_SpeedOfSound = 1492.125;
    network.ElementAt(1).m_Name = "Buoy \"7\" = east";
    network.ElementAt(3).m_PositionSE = 0.75;
    network.ElementAt(4).ElementAt(1).UseBearing = 0;
    network.ElementAt(4).ElementAt(5).UseRange = 0;
    ASSERT_TRUE(network.Save());

    CNetwork loaded;
    ASSERT_TRUE(loaded.Load("Round trip"));
    EXPECT_TRUE(loaded.GetLoadMessages().IsEmpty());
    EXPECT_EQ(loaded.m_FileName, "Round trip");
    EXPECT_EQ(loaded.m_TwoWayTravelTime, 0);
    EXPECT_NEAR(loaded.m_SpeedOfSound, 1492.125, 5e-4);
    ASSERT_EQ(loaded.GetSize(), network.GetSize());
    for (INT_PTR i = 0; i < network.GetSize(); ++i)
    {
        const CNetworkStation& a = network[i];
        const CNetworkStation& b = loaded[i];
        EXPECT_EQ(b.m_Name, a.m_Name);
        EXPECT_EQ(b.m_Status, a.m_Status);
        EXPECT_NEAR(b.m_GivenE, a.m_GivenE, 5e-4);
        EXPECT_NEAR(b.m_GivenN, a.m_GivenN, 5e-4);
        EXPECT_NEAR(b.m_GivenDepth, a.m_GivenDepth, 5e-4);
        EXPECT_NEAR(b.m_PositionSE, a.m_PositionSE, 5e-4);
        ASSERT_EQ(b.GetSize(), network.GetSize());
        for (INT_PTR j = 0; j < network.GetSize(); ++j)
        {
            if (i == j)
                continue;
            const NetworkObservationDef& oa = a[j];
            const NetworkObservationDef& ob = b[j];
            const bool written = network.IsPairUsed(i, j);
            EXPECT_EQ(ob.UseRange, written && oa.UseRange ? 1 : 0) << i << "-" << j;
            EXPECT_EQ(ob.UseBearing, written && oa.UseBearing ? 1 : 0) << i << "-" << j;
            if (ob.UseRange)
            {
                EXPECT_NEAR(ob.ObservedRange, oa.ObservedRange, 5e-4);
                EXPECT_NEAR(ob.RangeSE, oa.RangeSE, 5e-4);
                // Computed observations are refreshed on loading.
                EXPECT_NEAR(ob.ComputedRange,
                            TrueSlant({b.m_GivenE, b.m_GivenN, b.m_GivenDepth},
                                      {loaded[j].m_GivenE, loaded[j].m_GivenN, loaded[j].m_GivenDepth}),
                            1e-6);
            }
            if (ob.UseBearing)
            {
                EXPECT_NEAR(ob.ObservedBearing, oa.ObservedBearing, 5e-4);
                EXPECT_NEAR(ob.BearingSE, oa.BearingSE, 5e-4);
            }
        }
    }
}

TEST(NetworkFile, ReadingDefaultsAndSectionsByPosition)
{
    WriteNetworkFile("Odd", "Two Way Travel Time = 1\n"
                            "Speed Of Sound In Water = 1500\n"
                            "[Stations]\n"
                            "2, A, 100.000, 200.000\n"
                            "1, B, 400.000, 200.000, 30.5, -2\n"
                            "[Whatever]\n"
                            "0, 1, 300.100, 0.000\n"
                            "1, 0, 299.900, \n"
                            "1, 0, 299.800\n"
                            "[Third]\n"
                            "0, 1, 90.000, 0\n");
    CNetwork network;
    ASSERT_TRUE(network.Load("Odd"));
    EXPECT_EQ(network.m_TwoWayTravelTime, 1);
    EXPECT_EQ(network.m_SpeedOfSound, 1500.0);
    ASSERT_EQ(network.GetSize(), 2);
    EXPECT_EQ(network[0].m_GivenDepth, 0.0); // missing depth
    EXPECT_EQ(network[0].m_PositionSE, 1.0); // missing standard error
    EXPECT_EQ(network[1].m_GivenDepth, 30.5);
    EXPECT_EQ(network[1].m_PositionSE, 1.0); // not above 0
    EXPECT_EQ(network[0][1].ObservedRange, 300.1);
    EXPECT_EQ(network[0][1].RangeSE, 1.0); // 0.000
    EXPECT_EQ(network[0][1].UseRange, 1);
    EXPECT_EQ(network[1][0].ObservedRange, 299.8); // the later line wins
    EXPECT_EQ(network[1][0].RangeSE, 1.0);         // empty, then missing
    EXPECT_EQ(network[0][1].ObservedBearing, 90.0);
    EXPECT_EQ(network[0][1].BearingSE, 1.0);
    EXPECT_EQ(network[0][1].UseBearing, 1);
    EXPECT_EQ(network[1][0].UseBearing, 0); // only the direction given
    EXPECT_NEAR(network[0][1].ComputedBearing, 90.0, 1e-9);
    EXPECT_NEAR(network[1][0].ComputedBearing, 270.0, 1e-9);
}

TEST(NetworkFile, MissingShortAndEmptyFiles)
{
    CNetwork network;
    network.AddStation(Station("old", 1, 1, 1, 1));
    network.m_TwoWayTravelTime = 1;
    network.m_SpeedOfSound = 1400.0;
    EXPECT_FALSE(network.Load("Nowhere"));
    EXPECT_EQ(network.GetSize(), 0);
    EXPECT_EQ(network.m_TwoWayTravelTime, 0);
    EXPECT_EQ(network.m_SpeedOfSound, 1485.0);

    // Only the settings lines: what was read stands.
    WriteNetworkFile("Short", "Two Way Travel Time = 1\nSpeed Of Sound In Water = 1510.5\n");
    EXPECT_FALSE(network.Load("Short"));
    EXPECT_EQ(network.m_TwoWayTravelTime, 1);
    EXPECT_EQ(network.m_SpeedOfSound, 1510.5);

    // Stations but no observation sections.
    WriteNetworkFile("Stations only", "Two Way Travel Time = 0\nSpeed Of Sound In Water = 1485\n[StationT]\n"
                                      "1, A, 1.0, 2.0, 3.0, 1.0\n");
    EXPECT_TRUE(network.Load("Stations only"));
    EXPECT_EQ(network.GetSize(), 1);

    // An empty station section loads, with nothing in it, as a failure.
    WriteNetworkFile("Empty", "Two Way Travel Time = 0\nSpeed Of Sound In Water = 1485\n[StationT]\n[Range]\n"
                              "[Bearing]\n");
    EXPECT_FALSE(network.Load("Empty"));
    EXPECT_EQ(network.GetSize(), 0);
}

TEST(NetworkFile, DamagedStationLineKeepsItsPlaceAndIsReported)
{
    WriteNetworkFile("Damaged", "Two Way Travel Time = 0\n"
                                "Speed Of Sound In Water = 1485.000\n"
                                "[StationT]\n"
                                "2, A, 1000.000, 2000.000, 50.000, 1.000\n"
                                "1, B, , 2300.000, 50.000, 1.000\n"
                                "2, C, 1400.000, 2000.000, 50.000, 1.000\n"
                                "1, D, 1200.000, 1700.000, 50.000, 1.000\n"
                                "9, E, 1200.000, 1900.000, 50.000, 1.000\n"
                                "[Range]\n"
                                "0, 3, 360.555, 0.100\n"
                                "2, 3, 360.555, 0.100\n"
                                "0, 1, 500.000, 0.100\n"
                                "3, 7, 10.000, 0.100\n"
                                "3, x, 10.000, 0.100\n"
                                "0, 2, , 0.100\n"
                                "[Bearing]\n"
                                "0, 3, 146.310, 5.000\n");
    CNetwork network;
    ASSERT_TRUE(network.Load("Damaged"));
    ASSERT_EQ(network.GetSize(), 5);
    // B and E keep their places, out of use; C and D keep their indices.
    EXPECT_EQ(network[1].m_Name, "B");
    EXPECT_EQ(network[1].m_Status, STATION_NOT_IN_USE);
    EXPECT_EQ(network[1].m_GivenN, 2300.0);
    EXPECT_EQ(network[2].m_Name, "C");
    EXPECT_EQ(network[2].m_Status, STATION_FIXED);
    EXPECT_EQ(network[3].m_Name, "D");
    EXPECT_EQ(network[4].m_Status, STATION_NOT_IN_USE);
    EXPECT_EQ(network[0][3].ObservedRange, 360.555);
    EXPECT_EQ(network[2][3].ObservedRange, 360.555);
    EXPECT_EQ(network[0][3].ObservedBearing, 146.31);
    EXPECT_EQ(network[0][1].ObservedRange, 500.0); // kept on the placeholder, which is not used
    EXPECT_EQ(network[0][2].UseRange, 0);          // no range: ignored

    EXPECT_TRUE(HasMessageWith(network, "Line 5 of the network file is damaged (no easting or northing)"));
    EXPECT_TRUE(HasMessageWith(network, "station 2 \"B\""));
    EXPECT_TRUE(HasMessageWith(network, "Line 8 of the network file is damaged (no valid status)"));
    EXPECT_TRUE(HasMessageWith(network, "Line 13 of the network file was ignored"));
    EXPECT_TRUE(HasMessageWith(network, "Line 14 of the network file was ignored"));
    EXPECT_TRUE(HasMessageWith(network, "Line 15 of the network file was ignored: it has no range"));
    EXPECT_EQ(network.GetLoadMessages().GetSize(), 5);

    // The adjustment places D from the two fixed stations it was meant to be tied to.
    ASSERT_EQ(network.Adjust(), 1);
    EXPECT_NEAR(network[3].m_AdjustedE, 1200.0, 2e-3);
    EXPECT_NEAR(network[3].m_AdjustedN, 1700.0, 2e-3);

    // Saved again, the placeholder keeps its line so indices still hold.
    ASSERT_TRUE(network.Save());
    CNetwork again;
    ASSERT_TRUE(again.Load("Damaged"));
    EXPECT_TRUE(again.GetLoadMessages().IsEmpty());
    ASSERT_EQ(again.GetSize(), 5);
    EXPECT_EQ(again[3].m_Name, "D");
    EXPECT_EQ(again[2][3].ObservedRange, 360.555);
}

TEST(NetworkFile, StationLinesStopOnlyAtTheNextSection)
{
    // A station name holding '=' is part of the station list, not a settings line.
    WriteNetworkFile("Names", "Two Way Travel Time = 0\nSpeed Of Sound In Water = 1485.000\n[StationT]\n"
                              "1, A = north, 10.000, 20.000, 0.000, 1.000\n"
                              "1, B, 30.000, 40.000, 0.000, 1.000\n"
                              "[Range]\n0, 1, 28.284, 1.000\n[Bearing]\n");
    CNetwork network;
    ASSERT_TRUE(network.Load("Names"));
    ASSERT_EQ(network.GetSize(), 2);
    EXPECT_EQ(network[0].m_Name, "A = north");
    EXPECT_EQ(network[0][1].ObservedRange, 28.284);
}

// The fixture's contents written as the network file `name`.
void WriteNetworkFixture(const char* name, const char* fixture)
{
    std::ifstream in(std::string(SUITE_SOURCE_DIR "/acoustic/engine/tests/data/") + fixture);
    std::stringstream text;
    text << in.rdbuf();
    WriteNetworkFile(name, text.str().c_str());
}

// A station line with neither name nor position is refused with its line number, before any
// adjustment could be sized by it.
TEST(NetworkFileBadInput, BlankStationLineIsRefusedWithItsLine)
{
    WriteNetworkFixture("Blank", "bad_network_blank_station.NET");
    CNetwork network;
    EXPECT_FALSE(network.Load("Blank"));
    EXPECT_EQ(network.GetSize(), 0);
    EXPECT_TRUE(HasMessageWith(network, "Line 5 of the network file is a station without a name or position"));
}

// A transponder straight below a fixed station: the bearing between them has no direction and
// makes no row, so it adds no redundancy to the variance factor.
TEST(NetworkFileBadInput, ObservationsThatMakeNoRowAreNotCountedInTheVarianceFactor)
{
    WriteNetworkFixture("Plumb", "bad_network_plumb_bearing.NET");
    CNetwork network;
    ASSERT_TRUE(network.Load("Plumb"));
    ASSERT_EQ(network.Adjust(), 1);
    EXPECT_DOUBLE_EQ(network.m_SumWeightedSquares, 0.25);
    // Three range rows and two position rows for the two unknowns of one adjusted station; the
    // bearing made none.
    EXPECT_EQ(network.m_RowCount, 5);
    EXPECT_DOUBLE_EQ(network.m_VarianceFactor, 0.25 / 3.0);
}

// A station section longer than a network holds loads nothing, quickly, and names the first
// station too many; one at the limit loads whole.
TEST(NetworkFileBadInput, TooManyStationsAreRefusedWithTheFirstOneOver)
{
    for (const int count : {int(CNetwork::MAX_STATIONS), int(CNetwork::MAX_STATIONS) + 1, 100000})
    {
        SCOPED_TRACE(count);
        std::string text = "Two Way Travel Time = 0\nSpeed Of Sound = 1500.0\n[StationT]\n";
        for (int i = 0; i < count; ++i)
            text += "2,S" + std::to_string(i) + "," + std::to_string(500000 + i) + ",6000000,10,1\n";
        text += "[Range]\n[Bearing]\n";
        WriteNetworkFile("Many", text.c_str());
        CNetwork network;
        const bool loaded = network.Load("Many");
        if (count <= CNetwork::MAX_STATIONS)
        {
            EXPECT_TRUE(loaded);
            EXPECT_EQ(network.GetSize(), count);
            EXPECT_EQ(network.GetLoadMessages().GetSize(), 0);
            continue;
        }
        EXPECT_FALSE(loaded);
        EXPECT_EQ(network.GetSize(), 0);
        EXPECT_TRUE(HasMessageWith(network, "Line 504 of the network file is station 501, more than the 500"));
    }
}

#include "features/Pipeline.h"
#include "features/PipelineList.h"
#include "features/tests/FeatureTestFiles.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <vector>

using namespace featuretest;

namespace
{
void ExpectPen(const tagPen& pen, int style, int thickness, uint32_t colour, int fill)
{
    EXPECT_EQ(pen.nStyle, style);
    EXPECT_EQ(pen.nThickness, thickness);
    EXPECT_EQ(pen.Colour, colour);
    EXPECT_EQ(pen.nFill, fill);
}

// Writes `lines` as the pipeline file `path` and its settings with the data order, KP and
// label settings given; returns the loaded pipeline's Load result.
bool LoadPipeline(CPipeline& pipe, const char* path, const QByteArray& lines, int dataOrder,
                  double startKp = 0.0, bool increasing = true, bool label = false, double interval = 1.0)
{
    WriteBytes(path, lines);
    CPipeline settings;
    settings.m_FilePath = path;
    settings.m_DataOrder = dataOrder;
    settings.m_StartKP = startKp;
    settings.m_IncreasingKPs = increasing;
    settings.m_LabelKPs = label;
    settings.m_KPInterval = interval;
    settings.SaveSettings();
    return pipe.Load(path);
}

struct Label
{
    const char* text;
    double kp, e, n;
};

void ExpectListing(const CPipeline& pipe, const std::vector<Label>& labels)
{
    ASSERT_EQ(pipe.m_KPListing.GetSize(), static_cast<INT_PTR>(labels.size()));
    for (size_t i = 0; i < labels.size(); ++i)
    {
        const KPListingDef& got = pipe.m_KPListing[static_cast<INT_PTR>(i)];
        SCOPED_TRACE(labels[i].text);
        EXPECT_EQ(got.Label, labels[i].text);
        EXPECT_NEAR(got.KP, labels[i].kp, 1e-12);
        EXPECT_NEAR(got.Easting, labels[i].e, 1e-6);
        EXPECT_NEAR(got.Northing, labels[i].n, 1e-6);
    }
}

const char kPipelinePath[] = "C:\\MyData\\Pipelines\\Export Line.txt";
} // namespace

TEST(PipelineSettings, ConstructorDefaults)
{
    CPipeline pipe;
    EXPECT_TRUE(pipe.m_FilePath.IsEmpty());
    EXPECT_EQ(pipe.GetSize(), 0);
    EXPECT_EQ(pipe.m_KPListing.GetSize(), 0);
    EXPECT_EQ(pipe.m_DataOrder, 0);
    EXPECT_TRUE(pipe.m_Use);
    EXPECT_FALSE(pipe.m_DisplayCorridor);
    EXPECT_EQ(pipe.m_PortCorridor, 100.0);
    EXPECT_EQ(pipe.m_StarboardCorridor, 100.0);
    ExpectPen(pipe.m_CorridorPen, 0, 0, 0, 0);
    ExpectPen(pipe.m_PipelinePen, 0, 2, 0xFF0000, 0);
    EXPECT_EQ(pipe.m_StartKP, 0.0);
    EXPECT_TRUE(pipe.m_IncreasingKPs);
    EXPECT_FALSE(pipe.m_LabelKPs);
    EXPECT_EQ(pipe.m_KPInterval, 1.0);
    EXPECT_EQ(pipe.m_Diameter, 0);
    EXPECT_EQ(pipe.m_Clearance, 10.0);
    EXPECT_EQ(pipe.m_Tolerance, 25.0);
    EXPECT_EQ(pipe.m_SelectedIndex, -1);
}

TEST(PipelineSettings, WriterMatchesTheGoldenFile)
{
    CPipeline pipe;
    pipe.m_FilePath = kPipelinePath;
    pipe.m_DataOrder = 2;
    pipe.m_Use = false;
    pipe.m_Diameter = 24;
    pipe.m_DisplayCorridor = true;
    pipe.m_PortCorridor = 150.5;
    pipe.m_StarboardCorridor = 75.25;
    pipe.m_CorridorPen = {2, 3, 0x00FF00, -2};
    pipe.m_Clearance = 12.5;
    pipe.m_Tolerance = 30.0;
    pipe.m_PipelinePen = {0, 2, 0xFF0000, 0};
    pipe.m_StartKP = 1.25;
    pipe.m_IncreasingKPs = false;
    pipe.m_LabelKPs = true;
    pipe.m_KPInterval = 0.5;
    EXPECT_EQ(pipe.GetSettingsName(), "Export Line_PIPELINE");
    pipe.SaveSettings();
    EXPECT_EQ(ReadBytes(InSettings("Export_Line_PIPELINE.INI")), Fixture("Export_Line_PIPELINE.INI"));
}

TEST(PipelineSettings, ReaderTakesTheGoldenFileInOrder)
{
    WriteBytes(InSettings("Other_Route_PIPELINE.INI"), Fixture("Export_Line_PIPELINE.INI"));
    CPipeline pipe;
    pipe.m_FilePath = "D:\\Elsewhere\\Other Route.csv";
    pipe.LoadSettings();
    EXPECT_EQ(pipe.m_DataOrder, 2);
    EXPECT_FALSE(pipe.m_Use);
    EXPECT_EQ(pipe.m_Diameter, 24);
    EXPECT_TRUE(pipe.m_DisplayCorridor);
    EXPECT_EQ(pipe.m_PortCorridor, 150.5);
    EXPECT_EQ(pipe.m_StarboardCorridor, 75.25);
    ExpectPen(pipe.m_CorridorPen, 2, 3, 0x00FF00, -2);
    EXPECT_EQ(pipe.m_Clearance, 12.5);
    EXPECT_EQ(pipe.m_Tolerance, 30.0);
    ExpectPen(pipe.m_PipelinePen, 0, 2, 0xFF0000, 0);
    EXPECT_EQ(pipe.m_StartKP, 1.25);
    EXPECT_FALSE(pipe.m_IncreasingKPs);
    EXPECT_TRUE(pipe.m_LabelKPs);
    EXPECT_EQ(pipe.m_KPInterval, 0.5);
}

TEST(PipelineSettings, MissingFileGivesTheDefaults)
{
    CPipeline pipe;
    pipe.m_FilePath = kPipelinePath;
    pipe.m_DataOrder = 1;
    pipe.m_Clearance = 0.0;
    pipe.m_KPInterval = 0.0;
    pipe.LoadSettings();
    EXPECT_EQ(pipe.m_DataOrder, 0);
    EXPECT_TRUE(pipe.m_Use);
    EXPECT_EQ(pipe.m_PortCorridor, 100.0);
    EXPECT_EQ(pipe.m_StarboardCorridor, 100.0);
    ExpectPen(pipe.m_CorridorPen, 5, 0, 0x80, 0); // not the constructor's pen
    ExpectPen(pipe.m_PipelinePen, 0, 2, 0xFF0000, 0);
    EXPECT_EQ(pipe.m_Clearance, 10.0);
    EXPECT_EQ(pipe.m_Tolerance, 25.0);
    EXPECT_EQ(pipe.m_KPInterval, 1.0);
    EXPECT_FALSE(pipe.m_LabelKPs);
}

TEST(PipelineSettings, ShortFileKeepsTheAlarmDefaultsAndDropsTheInterval)
{
    struct Case
    {
        int lines; // kept from the golden file
        double clearance, tolerance;
    };
    // Cut after "Corridor Pen", after "Clearance", after "Tolerance".
    const std::vector<Case> cases = {{7, 10.0, 25.0}, {8, 12.5, 25.0}, {9, 12.5, 30.0}};
    const QList<QByteArray> golden = Fixture("Export_Line_PIPELINE.INI").split('\n');
    for (const Case& c : cases)
    {
        QByteArray cut;
        for (int i = 0; i < c.lines; ++i)
            cut += golden[i] + '\n';
        WriteBytes(InSettings("Export_Line_PIPELINE.INI"), cut);
        CPipeline pipe;
        pipe.m_FilePath = kPipelinePath;
        pipe.LoadSettings();
        SCOPED_TRACE(c.lines);
        EXPECT_EQ(pipe.m_DataOrder, 2);
        ExpectPen(pipe.m_CorridorPen, 2, 3, 0x00FF00, -2);
        EXPECT_EQ(pipe.m_Clearance, c.clearance);
        EXPECT_EQ(pipe.m_Tolerance, c.tolerance);
        ExpectPen(pipe.m_PipelinePen, 0, 1, 0, 0);
        EXPECT_EQ(pipe.m_StartKP, 0.0);
        EXPECT_TRUE(pipe.m_IncreasingKPs);
        EXPECT_TRUE(pipe.m_LabelKPs);
        EXPECT_EQ(pipe.m_KPInterval, 0.0);
    }
}

TEST(PipelineSettings, ShortFileOnALoadedLineGivesNoLabels)
{
    WriteBytes(InSettings("Short_PIPELINE.INI"), Fixture("Short_PIPELINE.INI"));
    WriteBytes("C:\\MyData\\Short.csv", Fixture("pipe_en.csv"));
    CPipeline pipe;
    ASSERT_TRUE(pipe.Load("C:\\MyData\\Short.csv"));
    EXPECT_EQ(pipe.m_Diameter, 12);
    EXPECT_EQ(pipe.m_PortCorridor, 50.0);
    EXPECT_EQ(pipe.m_StarboardCorridor, 60.0);
    EXPECT_EQ(pipe.m_Clearance, 10.0);
    EXPECT_EQ(pipe.m_Tolerance, 25.0);
    EXPECT_TRUE(pipe.m_LabelKPs);
    EXPECT_EQ(pipe.m_KPInterval, 0.0);
    EXPECT_EQ(pipe.m_KPListing.GetSize(), 0);
    ASSERT_EQ(pipe.GetSize(), 3);
    EXPECT_NEAR(pipe[2].KP, 2.0, 1e-12); // numbered from 0
}

TEST(PipelineSettings, DataOrderKeepsItsLow16Bits)
{
    WriteBytes(InSettings("Wide_PIPELINE.INI"), "Data Order = 65538\r\n");
    CPipeline pipe;
    pipe.m_FilePath = "C:\\Wide.txt";
    pipe.LoadSettings();
    EXPECT_EQ(pipe.m_DataOrder, 2);
    WriteBytes(InSettings("Wide_PIPELINE.INI"), "Data Order = 65535\r\n");
    pipe.LoadSettings();
    EXPECT_EQ(pipe.m_DataOrder, -1);
}

TEST(PipelineSettings, ActivePathRoundTrips)
{
    CPipeline pipe;
    pipe.m_FilePath = "C:\\MyData\\Line 7, rev B.txt";
    pipe.SaveActivePath();
    EXPECT_EQ(ReadBytes(InSettings("Active_Pipeline.INI")), QByteArray("Path = C:\\MyData\\Line 7\xAB"
                                                                       "COMMA\xBB rev B.txt\r\n"));
    EXPECT_EQ(CPipeline::LoadActivePath(), "C:\\MyData\\Line 7, rev B.txt");
    pipe.m_FilePath.Empty();
    pipe.SaveActivePath();
    EXPECT_TRUE(CPipeline::LoadActivePath().IsEmpty());
}

TEST(PipelineLoad, EveryDataOrderGivesTheSameLine)
{
    struct Case
    {
        int order;
        const char* fixture;
    };
    const std::vector<Case> cases = {{0, "pipe_en.csv"}, {1, "pipe_kpen.csv"}, {2, "pipe_enkp.csv"}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.fixture);
        CPipeline pipe;
        // Data order 0 numbers the KPs: from 2.0 they come out as the other files give them.
        ASSERT_TRUE(LoadPipeline(pipe, "C:\\MyData\\Line.csv", Fixture(c.fixture), c.order, 2.0));
        EXPECT_EQ(pipe.m_DataOrder, c.order);
        ASSERT_EQ(pipe.GetSize(), 3);
        const double e[] = {1000.0, 1000.0, 2500.0};
        const double n[] = {2000.0, 2500.0, 2500.0};
        const double kp[] = {2.0, 2.5, 4.0};
        const double length[] = {500.0, 1500.0, 0.0};
        const double bearing[] = {0.0, M_PI / 2, 0.0};
        for (INT_PTR i = 0; i < 3; ++i)
        {
            const PipelineDef& p = pipe[i];
            EXPECT_EQ(p.Easting, e[i]);
            EXPECT_EQ(p.Northing, n[i]);
            EXPECT_NEAR(p.KP, kp[i], 1e-12);
            EXPECT_NEAR(p.Length, length[i], 1e-9);
            EXPECT_NEAR(p.Bearing, bearing[i], 1e-12);
            EXPECT_EQ(p.Reserved1, 0.0);
            EXPECT_EQ(p.Reserved2, 0.0);
        }
        EXPECT_NEAR(pipe[0].ReverseBearing, M_PI, 1e-12);
        EXPECT_NEAR(pipe[1].ReverseBearing, 3 * M_PI / 2, 1e-12);
        EXPECT_NEAR(pipe[1].SinBearing, 1.0, 1e-12);
        EXPECT_NEAR(pipe[1].CosBearing, 0.0, 1e-12);
        // KP per metre along each leg, also where the KPs were numbered after the legs.
        EXPECT_NEAR(pipe[0].KPRate, 0.001, 1e-15);
        EXPECT_NEAR(pipe[1].KPRate, 0.001, 1e-15);
        EXPECT_EQ(pipe[2].KPRate, 0.0);
    }
}

TEST(PipelineLoad, SkipsDuplicatesOriginAndMissingValues)
{
    CPipeline pipe;
    ASSERT_TRUE(LoadPipeline(pipe, "C:\\p.txt",
                             "100,200,?\r\n"
                             "100,200,5\r\n" // the same point again
                             "0,0,1\r\n"     // (0, 0)
                             ",300,1\r\n"    // no easting
                             "150\r\n"       // no northing
                             "300,400,7,x,y\r\n"
                             "100,200,8\r\n", // not consecutive: kept
                             2));
    ASSERT_EQ(pipe.GetSize(), 3);
    EXPECT_EQ(pipe[0].Easting, 100.0);
    EXPECT_EQ(pipe[0].KP, 0.0); // "?" is no value
    EXPECT_EQ(pipe[1].Easting, 300.0);
    EXPECT_EQ(pipe[1].Northing, 400.0);
    EXPECT_EQ(pipe[1].KP, 7.0);
    EXPECT_EQ(pipe[2].KP, 8.0);
}

TEST(PipelineLoad, OnePointHasNoLegsKpsListingOrCorridor)
{
    CPipeline pipe;
    ASSERT_TRUE(LoadPipeline(pipe, "C:\\one.txt", "500,600\r\n", 0, 3.0, true, true, 1.0));
    ASSERT_EQ(pipe.GetSize(), 1);
    EXPECT_EQ(pipe[0].Length, 0.0);
    EXPECT_EQ(pipe[0].KP, 0.0); // not numbered
    EXPECT_EQ(pipe.m_KPListing.GetSize(), 0);
    EXPECT_EQ(pipe[0].PortCorridor.x, 0.0);
    EXPECT_EQ(pipe[0].StarboardCorridor.y, 0.0);
}

TEST(PipelineLoad, MissingFileIsFalseButSettingsAreRead)
{
    CPipeline pipe;
    CPipeline settings;
    settings.m_FilePath = "C:\\MyData\\Gone.txt";
    settings.m_DataOrder = 1;
    settings.m_Clearance = 4.5;
    settings.SaveSettings();
    ASSERT_TRUE(LoadPipeline(pipe, "C:\\MyData\\Other.txt", Fixture("pipe_en.csv"), 0, 0.0, true, true));
    EXPECT_FALSE(pipe.Load("C:\\MyData\\Gone.txt"));
    EXPECT_EQ(pipe.m_FilePath, "C:\\MyData\\Gone.txt");
    EXPECT_EQ(pipe.GetSize(), 0);
    EXPECT_EQ(pipe.m_KPListing.GetSize(), 0);
    EXPECT_EQ(pipe.m_DataOrder, 1);
    EXPECT_EQ(pipe.m_Clearance, 4.5);
}

TEST(PipelineLoad, RemoveAllEmptiesEverything)
{
    CPipeline pipe;
    ASSERT_TRUE(LoadPipeline(pipe, "C:\\MyData\\Line.csv", Fixture("pipe_en.csv"), 0, 2.0, true, true));
    pipe.m_SelectedIndex = 1;
    ASSERT_GT(pipe.m_KPListing.GetSize(), 0);
    pipe.RemoveAll();
    EXPECT_TRUE(pipe.m_FilePath.IsEmpty());
    EXPECT_EQ(pipe.GetSize(), 0);
    EXPECT_EQ(pipe.m_KPListing.GetSize(), 0);
    EXPECT_EQ(pipe.m_SelectedIndex, -1);
}

TEST(PipelineKps, IncreasingNumberingAndLabels)
{
    CPipeline pipe;
    ASSERT_TRUE(LoadPipeline(pipe, "C:\\MyData\\Line.csv", Fixture("pipe_en.csv"), 0, 2.0, true, true, 1.0));
    // Labels at KP 2 (the first point) and KP 3 (a third of the way along the second leg), none
    // at KP 4, the last point.
    ExpectListing(pipe, {{"2", 2.0, 1000.0, 2000.0}, {"3", 3.0, 1500.0, 2500.0}});
    // Northward leg: a = π/2, offset (10, 0), angle 0; eastward leg: a = π, offset (0, 10),
    // angle 270.
    EXPECT_EQ(pipe.m_KPListing[0].OffsetX, 10);
    EXPECT_EQ(pipe.m_KPListing[0].OffsetY, 0);
    EXPECT_EQ(pipe.m_KPListing[0].Angle, 0);
    EXPECT_EQ(pipe.m_KPListing[1].OffsetX, 0);
    EXPECT_EQ(pipe.m_KPListing[1].OffsetY, 10);
    EXPECT_EQ(pipe.m_KPListing[1].Angle, 270);

    // Labelling off, or no interval: no listing.
    pipe.m_LabelKPs = false;
    pipe.BuildKpListing();
    EXPECT_EQ(pipe.m_KPListing.GetSize(), 0);
    pipe.m_LabelKPs = true;
    pipe.m_KPInterval = -1.0;
    pipe.BuildKpListing();
    EXPECT_EQ(pipe.m_KPListing.GetSize(), 0);

    // A fractional interval, and a start KP between labels.
    pipe.m_KPInterval = 0.25;
    pipe.m_StartKP = 2.1;
    pipe.ComputeKps();
    EXPECT_NEAR(pipe[2].KP, 4.1, 1e-12);
    EXPECT_NEAR(pipe[1].KPRate, 0.001, 1e-15);
    ASSERT_EQ(pipe.m_KPListing.GetSize(), 8); // 2.25 .. 4.0
    EXPECT_EQ(pipe.m_KPListing[0].Label, "2.25");
    EXPECT_NEAR(pipe.m_KPListing[0].Northing, 2150.0, 1e-6);
    EXPECT_EQ(pipe.m_KPListing[1].Label, "2.5");
    EXPECT_EQ(pipe.m_KPListing[7].Label, "4");
}

TEST(PipelineKps, DecreasingNumberingAndLabels)
{
    CPipeline pipe;
    // Legs of 1200 m north then 1000 m east, from KP 10 down: 10, 8.8, 7.8.
    ASSERT_TRUE(LoadPipeline(pipe, "C:\\MyData\\Down.csv", "5000,1000\r\n5000,2200\r\n6000,2200\r\n", 0, 10.0,
                             false, true, 0.5));
    EXPECT_NEAR(pipe[1].KP, 8.8, 1e-12);
    EXPECT_NEAR(pipe[2].KP, 7.8, 1e-12);
    EXPECT_NEAR(pipe[0].KPRate, -0.001, 1e-15);
    ExpectListing(pipe, {{"10", 10.0, 5000.0, 1000.0},
                         {"9.5", 9.5, 5000.0, 1500.0},
                         {"9", 9.0, 5000.0, 2000.0},
                         {"8.5", 8.5, 5300.0, 2200.0},
                         {"8", 8.0, 5800.0, 2200.0}});
}

TEST(PipelineKps, LegAgainstTheDirectionMakesNoLabelsAndCarriesOn)
{
    CPipeline pipe;
    // KPs from the file: up 0 → 2, back to 1, up to 3.
    ASSERT_TRUE(LoadPipeline(pipe, "C:\\MyData\\Kinked.csv",
                             "0,0.5,0\r\n0,2000.5,2\r\n0,1000.5,1\r\n0,3000.5,3\r\n", 2, 0.0, true, true,
                             1.0));
    ExpectListing(pipe, {{"0", 0.0, 0.0, 0.5}, {"1", 1.0, 0.0, 1000.5}, {"2", 2.0, 0.0, 2000.5}});
}

TEST(PipelineKps, KpsBeyondTheirPrecisionEndTheListing)
{
    CPipeline pipe;
    // An interval of 1 is lost in a KP of 1e17: the listing stops instead of looping.
    ASSERT_TRUE(LoadPipeline(pipe, "C:\\MyData\\Huge.csv", "100,100,1e17\r\n200,100,2e17\r\n", 2, 0.0, true,
                             true, 1.0));
    EXPECT_EQ(pipe.m_KPListing.GetSize(), 1);
    // KPs in metres by mistake: the listing is bounded.
    ASSERT_TRUE(LoadPipeline(pipe, "C:\\MyData\\Metres.csv", "100,100,0\r\n200,100,5000000\r\n", 2, 0.0, true,
                             true, 1.0));
    EXPECT_EQ(pipe.m_KPListing.GetSize(), 100000);
}

TEST(PipelineCorridor, StraightLineHasSquareEdgesEverywhere)
{
    CPipeline pipe;
    WriteBytes("C:\\Straight.csv", "100,100\r\n100,200\r\n100,300\r\n");
    CPipeline settings;
    settings.m_FilePath = "C:\\Straight.csv";
    settings.m_PortCorridor = 10.0;
    settings.m_StarboardCorridor = 20.0;
    settings.SaveSettings();
    ASSERT_TRUE(pipe.Load("C:\\Straight.csv"));
    for (INT_PTR i = 0; i < 3; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_NEAR(pipe[i].PortCorridor.x, 90.0, 1e-9);
        EXPECT_NEAR(pipe[i].PortCorridor.y, pipe[i].Northing, 1e-9);
        EXPECT_NEAR(pipe[i].StarboardCorridor.x, 120.0, 1e-9);
        EXPECT_NEAR(pipe[i].StarboardCorridor.y, pipe[i].Northing, 1e-9);
    }
}

TEST(PipelineCorridor, RightTurnIsMitred)
{
    CPipeline pipe;
    ASSERT_TRUE(LoadPipeline(pipe, "C:\\MyData\\Line.csv", Fixture("pipe_en.csv"), 0));
    const tagXY want[3][2] = {{{900.0, 2000.0}, {1100.0, 2000.0}},
                              {{900.0, 2600.0}, {1100.0, 2400.0}},
                              {{2500.0, 2600.0}, {2500.0, 2400.0}}};
    for (INT_PTR i = 0; i < 3; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_NEAR(pipe[i].PortCorridor.x, want[i][0].x, 1e-9);
        EXPECT_NEAR(pipe[i].PortCorridor.y, want[i][0].y, 1e-9);
        EXPECT_NEAR(pipe[i].StarboardCorridor.x, want[i][1].x, 1e-9);
        EXPECT_NEAR(pipe[i].StarboardCorridor.y, want[i][1].y, 1e-9);
    }
}

namespace
{
class CCountedPipeline : public CPipeline
{
public:
    explicit CCountedPipeline(int* deleted) : m_pDeleted(deleted) {}
    ~CCountedPipeline() override { ++*m_pDeleted; }
    int* m_pDeleted;
};
} // namespace

TEST(PipelineList, FileListGoldenAndBack)
{
    int deleted = 0;
    {
        CPipelineList list;
        EXPECT_TRUE(list.SaveFileList());
        EXPECT_EQ(ReadBytes(InSettings("Pipelines.FLS")), QByteArray("[Pipelines]\r\n"));

        for (const char* path : {"C:\\MyData\\one.txt", "E:\\Survey\\two lines.csv"})
        {
            CPipeline* pipe = new CCountedPipeline(&deleted);
            pipe->m_FilePath = path;
            list.Add(pipe);
        }
        EXPECT_TRUE(list.SaveFileList());
        EXPECT_EQ(ReadBytes(InSettings("Pipelines.FLS")),
                  QByteArray("[Pipelines]\r\nC:\\MyData\\one.txt\r\nE:\\Survey\\two lines.csv\r\n"));
        CStringArray paths;
        ASSERT_TRUE(CPipelineList::LoadFileList(paths));
        ASSERT_EQ(paths.GetSize(), 2);
        EXPECT_EQ(paths[0], "C:\\MyData\\one.txt");
        EXPECT_EQ(paths[1], "E:\\Survey\\two lines.csv");
    }
    EXPECT_EQ(deleted, 2); // the list deletes what it holds
}

// Crossings of the anchor line with pipelines and obstructions against a shapely fixture, and
// the clearance alarm over hand-built cable profiles: straight lines at known depths over a
// flat seabed.
#include "zuduzuro/Anchor.h"

#include "features/GridWaypointList.h"
#include "features/PipelineList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace
{
// A file of this folder as the program names it: Z: is the filesystem root.
CString DataFile(const char* name)
{
    CString path("Z:" SUITE_SOURCE_DIR "/zuduzuro/tests/data/");
    path += name;
    path.Replace('/', '\\');
    return path;
}

// A pipeline point at a position, every derived field zero.
PipelineDef PipelinePoint(double easting, double northing)
{
    PipelineDef point{};
    point.Easting = easting;
    point.Northing = northing;
    return point;
}

// A profile straight from (0, depth0) to (length, depth1), in 1 m steps.
void StraightProfile(CProfile& profile, double depth0, double depth1, double length = 1100.0)
{
    profile.RemoveAll();
    for (int i = 0; i <= static_cast<int>(length); ++i)
        profile.AddPointAtRange(0.0, 0.0, depth0 + (depth1 - depth0) * i / length, i, 1);
}

// The fixture lists: the pipeline (12 in, clearance 5, tolerance 2) and the obstruction file
// (names, heights, radii; "Clearance" 10, "Tolerance" 25).
struct FixtureLists
{
    CPipelineList pipelines;
    CGridWaypointList obstructions;

    FixtureLists()
    {
        CPipeline settings;
        settings.m_FilePath = DataFile("crossings_pipeline.txt");
        settings.m_DataOrder = PIPELINE_EASTING_NORTHING;
        settings.m_Diameter = 12;
        settings.m_Clearance = 5.0;
        settings.m_Tolerance = 2.0;
        settings.SaveSettings();
        auto* pipeline = new CPipeline;
        EXPECT_TRUE(pipeline->Load(settings.m_FilePath));
        pipelines.Add(nullptr); // empty entries are passed over
        pipelines.Add(pipeline);

        CGridWaypoint waypointSettings;
        waypointSettings.m_FilePath = DataFile("crossings_obstructions.txt");
        waypointSettings.m_DataOrder = GWP_NAME_ENG_NNG_HT_RADIUS;
        waypointSettings.m_Clearance = 10.0;
        waypointSettings.m_Tolerance = 25.0;
        waypointSettings.SaveSettings();
        auto* file = new CGridWaypoint;
        EXPECT_TRUE(file->Load(waypointSettings.m_FilePath));
        obstructions.Add(file);
    }
};

CAnchor AnchorOnBottom(double anchorE, double anchorN)
{
    CAnchor a;
    a.m_FairleadEasting = 1000.0;
    a.m_FairleadNorthing = 2000.0;
    a.m_Status = ANCHOR_ON_BOTTOM;
    a.SetAnchorPosition(anchorE, anchorN);
    StraightProfile(a.m_SeabedProfile, 50.0, 50.0);
    return a;
}

ObstructionDef Pipe(const char* name, double distance, double depth, double diameter, double clearance,
                    double tolerance)
{
    ObstructionDef c{};
    c.nKind = 1;
    std::snprintf(c.Name, sizeof(c.Name), "%s", name);
    c.Distance = distance;
    c.SeabedDepth = depth;
    c.Clearance = clearance;
    c.Tolerance = tolerance;
    c.Reach = diameter + clearance;
    c.Height = diameter;
    c.HeightWithClearance = diameter + clearance;
    return c;
}

ObstructionDef Object(const char* name, double distance, double depth, double height, double clearance,
                      double r, double reach)
{
    ObstructionDef c{};
    c.nKind = 0;
    std::snprintf(c.Name, sizeof(c.Name), "%s", name);
    c.Distance = distance;
    c.SeabedDepth = depth;
    c.Clearance = clearance;
    c.Tolerance = r;
    c.Reach = reach;
    c.Height = height;
    c.HeightWithClearance = height + clearance;
    return c;
}

// An anchor whose cable runs straight at `cableDepth`, with the given crossings and a status
// already set by the computation.
CAnchor WithCable(double cableDepth)
{
    CAnchor a;
    StraightProfile(a.m_CableProfile, cableDepth, cableDepth);
    a.m_StatusText = "Before";
    a.m_StatusLevel = 0;
    return a;
}
} // namespace

TEST(Crossings, AgainstShapely)
{
    FixtureLists lists;
    std::ifstream file(SUITE_SOURCE_DIR "/zuduzuro/tests/data/crossings_expected.csv");
    ASSERT_TRUE(file.good());
    std::string line;
    std::getline(file, line); // the generating command
    struct Row
    {
        std::string key;
        int kind;
        double e, n, distance, reach;
    };
    std::vector<Row> rows;
    while (std::getline(file, line))
    {
        std::replace(line.begin(), line.end(), ',', ' ');
        std::istringstream in(line);
        Row r;
        in >> r.key >> r.kind >> r.e >> r.n >> r.distance >> r.reach;
        rows.push_back(r);
    }
    const double diameter = 12 * 0.0254;
    for (const auto& [key, endE, endN] :
         {std::make_tuple("north", 1000.0, 3000.0), std::make_tuple("skewed", 1210.0, 2910.0)})
    {
        SCOPED_TRACE(key);
        CAnchor a = AnchorOnBottom(endE, endN);
        a.m_pPipelines = &lists.pipelines;
        a.m_pObstructions = &lists.obstructions;
        a.FindCrossings();
        std::vector<Row> expected;
        for (const Row& r : rows)
            if (r.key == key)
                expected.push_back(r);
        ASSERT_EQ(a.m_Crossings.GetSize(), static_cast<INT_PTR>(expected.size()));
        for (size_t i = 0; i < expected.size(); ++i)
        {
            const ObstructionDef& c = a.m_Crossings[static_cast<INT_PTR>(i)];
            const Row& r = expected[i];
            EXPECT_EQ(c.nKind, r.kind) << i;
            EXPECT_NEAR(c.Distance, r.distance, 1e-9) << i;
            EXPECT_EQ(c.SeabedDepth, 50.0) << i;
            if (r.kind == 1)
            {
                EXPECT_STREQ(c.Name, "crossings_pipeline");
                EXPECT_NEAR(c.Reach, diameter + 5.0, 1e-12);
                EXPECT_NEAR(c.Height, diameter, 1e-12);
                EXPECT_NEAR(c.HeightWithClearance, diameter + 5.0, 1e-12);
                EXPECT_EQ(c.Clearance, 5.0);
                EXPECT_EQ(c.Tolerance, 2.0);
            }
            else
            {
                EXPECT_NEAR(c.Reach, r.reach, 1e-9) << c.Name;
                EXPECT_EQ(c.Clearance, 10.0);
                EXPECT_EQ(c.HeightWithClearance, c.Height + 10.0);
            }
        }
    }

    // The north line in detail: the pipeline crossed three times gives three crossings (it was
    // once tested at its first crossing only); a record exactly one radius off has reach 0; one
    // without a radius uses the file's "Tolerance"; one just outside gives nothing.
    CAnchor north = AnchorOnBottom(1000.0, 3000.0);
    north.m_pPipelines = &lists.pipelines;
    north.m_pObstructions = &lists.obstructions;
    north.FindCrossings();
    ASSERT_EQ(north.m_Crossings.GetSize(), 7);
    EXPECT_STREQ(north.m_Crossings[4].Name, "Exactly One Radius");
    EXPECT_EQ(north.m_Crossings[4].Reach, 0.0);
    EXPECT_EQ(north.m_Crossings[4].Tolerance, 30.0);
    EXPECT_STREQ(north.m_Crossings[5].Name, "No Radius");
    EXPECT_EQ(north.m_Crossings[5].Tolerance, 25.0);
    EXPECT_EQ(north.m_Crossings[5].Height, 4.0);
    EXPECT_STREQ(north.m_Crossings[6].Name, "Beyond The Anchor");
}

TEST(Crossings, NothingToFind)
{
    FixtureLists lists;
    // No lists, empty lists.
    CAnchor a = AnchorOnBottom(1000.0, 3000.0);
    a.FindCrossings();
    EXPECT_EQ(a.m_Crossings.GetSize(), 0);
    CPipelineList noPipelines;
    CGridWaypointList noFiles;
    a.m_pPipelines = &noPipelines;
    a.m_pObstructions = &noFiles;
    a.FindCrossings();
    EXPECT_EQ(a.m_Crossings.GetSize(), 0);

    // Zero positions.
    a.m_pPipelines = &lists.pipelines;
    a.m_pObstructions = &lists.obstructions;
    a.m_FairleadEasting = 0.0;
    a.FindCrossings();
    EXPECT_EQ(a.m_Crossings.GetSize(), 0);
    EXPECT_TRUE(a.m_StatusText.IsEmpty()) << "nothing is reported";

    // A pipeline of one point has no legs; records without a usable radius, or not finite, are
    // passed over.
    CAnchor b = AnchorOnBottom(1000.0, 3000.0);
    CPipelineList onePoint;
    auto* pipeline = new CPipeline;
    pipeline->m_FilePath = "C:\\lines\\single.txt";
    pipeline->Add(PipelinePoint(990.0, 2500.0));
    onePoint.Add(pipeline);
    CGridWaypointList files;
    auto* file = new CGridWaypoint;
    file->m_Tolerance = 0.0;
    file->Add(GridWaypointDef{1000.0, 2500.0, 1.0, "Needs a radius", 0.0});
    file->Add(GridWaypointDef{std::numeric_limits<double>::quiet_NaN(), 2500.0, 1.0, "NaN", 30.0});
    file->Add(GridWaypointDef{1000.0, 2500.0, 1.0, "Infinite radius", HUGE_VAL});
    files.Add(file);
    b.m_pPipelines = &onePoint;
    b.m_pObstructions = &files;
    b.FindCrossings();
    EXPECT_EQ(b.m_Crossings.GetSize(), 0);
}

TEST(Crossings, NamesLiveAnchorsAndNoDepth)
{
    CPipelineList pipelines;
    auto* pipeline = new CPipeline;
    pipeline->m_FilePath = "C:\\lines\\Gas Export Trunkline North.txt";
    pipeline->Add(PipelinePoint(900.0, 2500.0));
    pipeline->Add(PipelinePoint(1100.0, 2500.0));
    pipelines.Add(pipeline);

    // Live: the line runs to the tug, not to the anchor position.
    CAnchor live = AnchorOnBottom(1000.0, 2400.0);
    live.m_Status = ANCHOR_LIVE;
    live.m_TugEasting = 1000.0;
    live.m_TugNorthing = 2800.0;
    live.m_pPipelines = &pipelines;
    live.FindCrossings();
    ASSERT_EQ(live.m_Crossings.GetSize(), 1);
    EXPECT_STREQ(live.m_Crossings[0].Name, "Gas Export Trunkline") << "cut to 20 characters";
    EXPECT_NEAR(live.m_Crossings[0].Distance, 500.0, 1e-9);

    // No seabed depth at the crossing: "No DTM", level 1.
    CAnchor blind = AnchorOnBottom(1000.0, 3000.0);
    blind.m_SeabedProfile.RemoveAll();
    blind.m_SeabedProfile.AddPointAtRange(0, 0, DBL_MAX, 0.0, 0);
    blind.m_SeabedProfile.AddPointAtRange(0, 0, DBL_MAX, 1000.0, 0);
    blind.m_pPipelines = &pipelines;
    blind.FindCrossings();
    ASSERT_EQ(blind.m_Crossings.GetSize(), 1);
    EXPECT_STREQ(blind.m_StatusText, "No DTM");
    EXPECT_EQ(blind.m_StatusLevel, ANCHOR_LEVEL_FAULT);
}

TEST(Clearances, PipelineSemicircle)
{
    const double dia = 12 * 0.0254;
    // Seabed 50 m, reach dia + 5: the circle's top is at 50 − 5.3048.
    CAnchor above = WithCable(30.0);
    above.m_Crossings.Add(Pipe("Line", 500.0, 50.0, dia, 5.0, 2.0));
    above.ComputeClearances();
    EXPECT_STREQ(above.m_StatusText, "Before") << "a cable well above leaves the status alone";
    EXPECT_EQ(above.m_StatusLevel, 0);

    struct Case
    {
        double cable;
        int level;
    };
    // v = (50 − dia) − cable; alarm below clearance − tolerance = 3.
    for (const Case& c : {Case{48.0, 4}, Case{45.5, 3}, Case{46.6952 + 0.0001, 4}, Case{46.6952 - 0.0001, 3}})
    {
        CAnchor a = WithCable(c.cable);
        a.m_Crossings.Add(Pipe("Line", 500.0, 50.0, dia, 5.0, 2.0));
        a.ComputeClearances();
        CString want;
        want.Format("Pipeline Line (%.1lf)", (50.0 - dia) - c.cable);
        EXPECT_STREQ(a.m_StatusText, want) << c.cable;
        EXPECT_EQ(a.m_StatusLevel, c.level) << c.cable;
    }

    // A cable that only dips into the circle's flank is found by the sweep.
    CAnchor flank;
    flank.m_CableProfile.AddPointAtRange(0, 0, 30.0, 0.0, 0);
    flank.m_CableProfile.AddPointAtRange(0, 0, 30.0, 503.0, 0);
    flank.m_CableProfile.AddPointAtRange(0, 0, 49.0, 504.0, 0);
    flank.m_CableProfile.AddPointAtRange(0, 0, 49.0, 505.0, 0);
    flank.m_CableProfile.AddPointAtRange(0, 0, 30.0, 506.0, 0);
    flank.m_CableProfile.AddPointAtRange(0, 0, 30.0, 1000.0, 0);
    flank.m_Crossings.Add(Pipe("Line", 500.0, 50.0, dia, 5.0, 2.0));
    flank.ComputeClearances();
    EXPECT_EQ(flank.m_StatusLevel, 3) << flank.m_StatusText.GetString();
}

// Levels in a file with "Clearance" 10 and "Tolerance" 25: a record without its own radius
// reaches the alarm only below −15, one with its own radius of 30 only below −20.
TEST(Clearances, ObstructionLevels)
{
    struct Case
    {
        double r;
        double v;
        int level;
    };
    const Case cases[] = {{25.0, -14.9, 3}, {25.0, -15.1, 4}, {30.0, -19.9, 3}, {30.0, -20.1, 4}};
    for (const Case& c : cases)
    {
        // z 50, height 5: v = 45 − cable depth.
        CAnchor a = WithCable(45.0 - c.v);
        a.m_Crossings.Add(Object("Wreck", 500.0, 50.0, 5.0, 10.0, c.r, 10.0));
        a.ComputeClearances();
        CString want;
        want.Format("Object Wreck (%.1lf)", c.v);
        EXPECT_STREQ(a.m_StatusText, want);
        EXPECT_EQ(a.m_StatusLevel, c.level) << c.r << " " << c.v;
    }
}

TEST(Clearances, ObstructionWalk)
{
    // A cable deep only just before the record's distance: a walk over its reach finds it, a
    // reach of 0 tests the one point at its distance and does not.
    auto dipBefore = [](CAnchor& a) {
        a.m_CableProfile.AddPointAtRange(0, 0, 10.0, 0.0, 0);
        a.m_CableProfile.AddPointAtRange(0, 0, 60.0, 496.0, 0);
        a.m_CableProfile.AddPointAtRange(0, 0, 10.0, 497.0, 0);
        a.m_CableProfile.AddPointAtRange(0, 0, 10.0, 1000.0, 0);
    };
    CAnchor wide;
    dipBefore(wide);
    wide.m_Crossings.Add(Object("Wreck", 500.0, 50.0, 5.0, 10.0, 30.0, 10.0));
    wide.ComputeClearances();
    EXPECT_EQ(wide.m_StatusLevel, 3) << "the walk reaches 496";

    CAnchor point;
    dipBefore(point);
    point.m_Crossings.Add(Object("Wreck", 500.0, 50.0, 5.0, 10.0, 30.0, 0.0));
    point.ComputeClearances();
    EXPECT_EQ(point.m_StatusLevel, 0);

    CAnchor hit = WithCable(36.0);
    hit.m_Crossings.Add(Object("Edge", 500.0, 50.0, 5.0, 10.0, 30.0, 0.0));
    hit.ComputeClearances();
    EXPECT_STREQ(hit.m_StatusText, "Object Edge (9.0)");
}

// An alarm over one crossing was once hidden by a warning over a later one. The worst level
// wins now; among equal levels the later crossing names the text.
TEST(Clearances, TheWorstCrossingWins)
{
    const double dia = 0.0;
    // Over 50 m of seabed with clearance 5 and tolerance 2, a cable at 48 m is an alarm
    // (v = 2) and one at 46 m a warning (v = 4).
    // Two pipelines, at 200 m and 600 m, under a cable at one depth to 300 m and another from
    // 400 m.
    auto twoPipelines = [dia](double firstDepth, double secondDepth) {
        CAnchor a;
        a.m_CableProfile.AddPointAtRange(0, 0, firstDepth, 0.0, 0);
        a.m_CableProfile.AddPointAtRange(0, 0, firstDepth, 300.0, 0);
        a.m_CableProfile.AddPointAtRange(0, 0, secondDepth, 400.0, 0);
        a.m_CableProfile.AddPointAtRange(0, 0, secondDepth, 1000.0, 0);
        a.m_Crossings.Add(Pipe("First", 200.0, 50.0, dia, 5.0, 2.0));
        a.m_Crossings.Add(Pipe("Second", 600.0, 50.0, dia, 5.0, 2.0));
        a.ComputeClearances();
        return a;
    };
    const CAnchor alarmThenWarning = twoPipelines(48.0, 46.0);
    EXPECT_STREQ(alarmThenWarning.m_StatusText, "Pipeline First (2.0)");
    EXPECT_EQ(alarmThenWarning.m_StatusLevel, 4);

    const CAnchor warningThenAlarm = twoPipelines(46.0, 48.0);
    EXPECT_STREQ(warningThenAlarm.m_StatusText, "Pipeline Second (2.0)");
    EXPECT_EQ(warningThenAlarm.m_StatusLevel, 4);

    CAnchor equal = WithCable(46.0);
    equal.m_Crossings.Add(Pipe("First", 200.0, 50.0, dia, 5.0, 2.0));
    equal.m_Crossings.Add(Pipe("Second", 600.0, 50.0, dia, 5.0, 2.0));
    equal.ComputeClearances();
    EXPECT_STREQ(equal.m_StatusText, "Pipeline Second (4.0)") << "the later of two equal levels";

    // A triggered crossing replaces a "No DTM" met before it.
    CAnchor blind = WithCable(46.0);
    blind.m_StatusText = "No DTM";
    blind.m_StatusLevel = ANCHOR_LEVEL_FAULT;
    blind.m_Crossings.Add(Pipe("Line", 600.0, 50.0, dia, 5.0, 2.0));
    blind.ComputeClearances();
    EXPECT_STREQ(blind.m_StatusText, "Pipeline Line (4.0)");
    EXPECT_EQ(blind.m_StatusLevel, 3);
}

// Grid waypoints: the settings file (golden both ways, defaults, clamps and the alarm values of
// short files), the ten data orders, default names, and the list's file list.
#include "features/GridWaypoint.h"
#include "features/GridWaypointList.h"
#include "features/tests/FeatureTestFiles.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <vector>

using namespace featuretest;

namespace
{
const char kPath[] = "C:\\MyData\\Waypoints\\Site Survey.txt";
const char kSettings[] = "Site_Survey_GRID_WAYPOINT.INI";

void ExpectMissingFileDefaults(const CGridWaypoint& w)
{
    EXPECT_EQ(w.m_DataOrder, 0);
    EXPECT_TRUE(w.m_Use);
    EXPECT_FALSE(w.m_ZuduzuroMode);
    EXPECT_EQ(w.m_Clearance, 10.0);
    EXPECT_EQ(w.m_Tolerance, 25.0);
    EXPECT_EQ(w.m_Symbol, 9);
    EXPECT_EQ(w.m_Size, SYMBOL_SMALL);
    EXPECT_EQ(w.m_Colour, 0xFFFFu);
    EXPECT_EQ(w.m_LabelMode, LABEL_MODE_NONE);
    EXPECT_EQ(w.m_LabelPosition, LABEL_POS_NONE);
    EXPECT_FALSE(w.m_DrawRings);
    EXPECT_EQ(w.m_NoRings, 1);
    EXPECT_EQ(w.m_RingSizeMetres, 50.0);
    EXPECT_EQ(w.m_RingSizeNM, 1.0);
    EXPECT_EQ(w.m_RingColour, 0xFF00FFu);
}

// The settings of the golden file gw_Site_Survey_GRID_WAYPOINT.INI.
void SetGolden(CGridWaypoint& w)
{
    w.m_FilePath = kPath;
    w.m_DataOrder = GWP_NAME_ENG_NNG_RADIUS;
    w.m_Use = false;
    w.m_Clearance = 12.5;
    w.m_Tolerance = 30.25;
    w.m_Symbol = VECTOR_ANCHOR;
    w.m_Colour = 0x0000FF;
    w.m_Size = SYMBOL_LARGE;
    w.m_LabelMode = LABEL_MODE_NAME_POSITION;
    w.m_LabelPosition = LABEL_POS_RIGHT;
    w.m_DrawRings = true;
    w.m_NoRings = 3;
    w.m_RingSizeMetres = 100.5;
    w.m_RingSizeNM = 0.25;
    w.m_RingColour = 0x00FF00;
    w.m_ZuduzuroMode = true;
}

// Settings lines after the data order, so that a test can write a whole file in one order.
void WriteSettingsWithOrder(const char* path, int dataOrder)
{
    CGridWaypoint settings;
    settings.m_FilePath = path;
    settings.m_DataOrder = dataOrder;
    settings.SaveSettings();
}

struct WaypointPoint
{
    double e, n, ht;
    const char* name;
    double radius;
};

void ExpectPoints(const CGridWaypoint& w, const std::vector<WaypointPoint>& points)
{
    ASSERT_EQ(w.GetSize(), static_cast<INT_PTR>(points.size()));
    for (size_t i = 0; i < points.size(); ++i)
    {
        SCOPED_TRACE("point " + std::to_string(i));
        const GridWaypointDef& got = w[static_cast<INT_PTR>(i)];
        EXPECT_EQ(got.Easting, points[i].e);
        EXPECT_EQ(got.Northing, points[i].n);
        EXPECT_EQ(got.Height, points[i].ht);
        EXPECT_STREQ(got.Name, points[i].name);
        EXPECT_EQ(got.Radius, points[i].radius);
    }
}
} // namespace

TEST(GridWaypointSettings, WriterMatchesTheGoldenFile)
{
    CGridWaypoint w;
    SetGolden(w);
    w.SaveSettings();
    EXPECT_EQ(ReadBytes(InSettings(kSettings)), Fixture("gw_Site_Survey_GRID_WAYPOINT.INI"));
}

TEST(GridWaypointSettings, ReaderTakesTheGoldenFileInOrder)
{
    WriteBytes(InSettings(kSettings), Fixture("gw_Site_Survey_GRID_WAYPOINT.INI"));
    CGridWaypoint w, want;
    SetGolden(want);
    w.m_FilePath = kPath;
    w.LoadSettings();
    EXPECT_EQ(w.m_DataOrder, want.m_DataOrder);
    EXPECT_EQ(w.m_Use, want.m_Use);
    EXPECT_EQ(w.m_Clearance, want.m_Clearance);
    EXPECT_EQ(w.m_Tolerance, want.m_Tolerance);
    EXPECT_EQ(w.m_Symbol, want.m_Symbol);
    EXPECT_EQ(w.m_Colour, want.m_Colour);
    EXPECT_EQ(w.m_Size, want.m_Size);
    EXPECT_EQ(w.m_LabelMode, want.m_LabelMode);
    EXPECT_EQ(w.m_LabelPosition, want.m_LabelPosition);
    EXPECT_EQ(w.m_DrawRings, want.m_DrawRings);
    EXPECT_EQ(w.m_NoRings, want.m_NoRings);
    EXPECT_EQ(w.m_RingSizeMetres, want.m_RingSizeMetres);
    EXPECT_EQ(w.m_RingSizeNM, want.m_RingSizeNM);
    EXPECT_EQ(w.m_RingColour, want.m_RingColour);
    EXPECT_EQ(w.m_ZuduzuroMode, want.m_ZuduzuroMode);
}

TEST(GridWaypointSettings, MissingFileGivesTheDefaults)
{
    CGridWaypoint fresh;
    ExpectMissingFileDefaults(fresh);

    CGridWaypoint w;
    SetGolden(w);
    w.m_FilePath = "C:\\MyData\\Waypoints\\Unknown.txt";
    w.LoadSettings();
    ExpectMissingFileDefaults(w);
}

TEST(GridWaypointSettings, ShortFileKeepsTheClearanceAlarmOn)
{
    // Only the first line: the other values take their per-line defaults, but a missing
    // clearance or tolerance must not read as 0, which would switch the alarm off.
    WriteBytes(InSettings(kSettings), "Data Order = 2\r\n");
    CGridWaypoint w;
    w.m_FilePath = kPath;
    w.LoadSettings();
    EXPECT_EQ(w.m_DataOrder, 2);
    EXPECT_EQ(w.m_Clearance, 10.0);
    EXPECT_EQ(w.m_Tolerance, 25.0);
    EXPECT_FALSE(w.m_Use);
    EXPECT_EQ(w.m_Symbol, 0);
    EXPECT_EQ(w.m_Size, SYMBOL_NONE);
    EXPECT_EQ(w.m_Colour, 0xFFFFu);
    EXPECT_EQ(w.m_NoRings, 0);
    EXPECT_EQ(w.m_RingSizeMetres, 0.0);
    EXPECT_EQ(w.m_RingSizeNM, 0.0);
    EXPECT_EQ(w.m_RingColour, 0xFF00FFu);
    EXPECT_FALSE(w.m_ZuduzuroMode);

    // A tolerance line without '=' also keeps its default; the clearance that is there counts.
    WriteBytes(InSettings(kSettings), "Data Order = 2\r\nUse = 1\r\nClearance = 4.000\r\nTolerance\r\n");
    w.LoadSettings();
    EXPECT_TRUE(w.m_Use);
    EXPECT_EQ(w.m_Clearance, 4.0);
    EXPECT_EQ(w.m_Tolerance, 25.0);
}

TEST(GridWaypointSettings, OutOfRangeValuesAreClamped)
{
    struct Case
    {
        const char* labelMode;
        const char* labelPosition;
        const char* rings;
        const char* metres;
        const char* nm;
        int wantMode, wantPosition, wantRings;
        double wantMetres, wantNm;
    } cases[] = {
        {"5", "9", "32767", "MAX", "MAX", 0, 0, 1, 50.0, 1.0},
        {"-1", "-2", "2", "75.000", "0.500", 0, 0, 2, 75.0, 0.5},
        {"4", "5", "32766", "1.000", "2.000", 4, 5, 32766, 1.0, 2.0},
        {"65539", "65540", "98303", "0.000", "0.000", 3, 4, 1, 0.0, 0.0}, // low 16 bits: 3, 4, 32767
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.labelMode);
        // The largest double, as "%.3lf" writes it.
        CString largest;
        largest.Format("%.3lf", DBL_MAX);
        auto value = [&](const char* v) { return CString(v) == "MAX" ? largest : CString(v); };
        CString text;
        text.Format(
            "Data Order = 0\r\nUse = 1\r\nClearance = 10.000\r\nTolerance = 25.000\r\nSymbol = 9\r\n"
            "Colour = 65535\r\nSize = 2\r\nLabel Mode = %s\r\nLabel Position = %s\r\nDraw Rings = 1\r\n"
            "No Rings = %s\r\nRing Size Metres = %s\r\nRing Size NM = %s\r\nRing Colour = 16711935\r\n"
            "Zuduzuro Mode = 0\r\n",
            c.labelMode, c.labelPosition, c.rings, static_cast<const char*>(value(c.metres)),
            static_cast<const char*>(value(c.nm)));
        WriteBytes(InSettings(kSettings), QByteArray(text.GetString(), text.GetLength()));
        CGridWaypoint w;
        w.m_FilePath = kPath;
        w.LoadSettings();
        EXPECT_EQ(w.m_LabelMode, c.wantMode);
        EXPECT_EQ(w.m_LabelPosition, c.wantPosition);
        EXPECT_EQ(w.m_NoRings, c.wantRings);
        EXPECT_EQ(w.m_RingSizeMetres, c.wantMetres);
        EXPECT_EQ(w.m_RingSizeNM, c.wantNm);
    }
}

TEST(GridWaypointSettings, SavedValuesReadBack)
{
    CGridWaypoint saved;
    SetGolden(saved);
    saved.m_RingSizeMetres = DBL_MAX; // stored as its long decimal form and read back as unset
    saved.SaveSettings();
    CGridWaypoint loaded;
    loaded.m_FilePath = kPath;
    loaded.LoadSettings();
    EXPECT_EQ(loaded.m_RingSizeMetres, 50.0);
    EXPECT_EQ(loaded.m_Clearance, 12.5);
    EXPECT_EQ(loaded.m_DataOrder, GWP_NAME_ENG_NNG_RADIUS);
}

TEST(GridWaypointSettings, NoFilePathNoSettingsFile)
{
    CGridWaypoint w;
    SetGolden(w);
    w.m_FilePath.Empty();
    w.SaveSettings();
    EXPECT_FALSE(Exists(InSettings("_GRID_WAYPOINT.INI")));
    w.LoadSettings();
    ExpectMissingFileDefaults(w);
}

TEST(GridWaypointLoad, EachDataOrder)
{
    struct Case
    {
        int order;
        const char* text;
        std::vector<WaypointPoint> points;
    } cases[] = {
        // Names of unnamed waypoints count waypoints read, not lines.
        {0,
         "1000.5,2000.25,-12.5,WP A\r\n0,0,5,Origin\r\n1100;2100;;\r\n1200,2200,3,  Spaced Name  \r\n",
         {{1000.5, 2000.25, -12.5, "WP A", 0},
          {1100, 2100, 0, "Wpt 2", 0},
          {1200, 2200, 3, "Spaced Name", 0}}},
        {1,
         "Alpha,1000,2000,5\r\n,1100,2100,\r\n",
         {{1000, 2000, 5, "Alpha", 0}, {1100, 2100, 0, "Wpt 2", 0}}},
        {2,
         "1000;2000;WP A\r\n0,0,Start\r\n0,5,Start\r\n",
         {{1000, 2000, 0, "WP A", 0}, {0, 5, 0, "Start", 0}}},
        {3,
         "B1,1000,2000\r\nB2,1000\r\n\"Wreck, north\",1001,2001\r\n",
         {{1000, 2000, 0, "B1", 0}, {1001, 2001, 0, "Wreck, north", 0}}},
        {4,
         "1000,2000,7.5,Ignored\r\n1001,2001\r\n",
         {{1000, 2000, 7.5, "Wpt 1", 0}, {1001, 2001, 0, "Wpt 2", 0}}},
        {5,
         "1000,2000,Foo\r\n1001,2001,Bar\r\n1002,2002\r\n",
         {{1000, 2000, 0, "Wpt 1", 0}, {1001, 2001, 0, "Wpt 2", 0}, {1002, 2002, 0, "Wpt 3", 0}}},
        {6, "1000,2000,15\r\n1001,2001\r\n", {{1000, 2000, 0, "Wpt 1", 15}, {1001, 2001, 0, "Wpt 2", 0}}},
        {7,
         "1000,2000,-30,20\r\n1001,2001,-31\r\n",
         {{1000, 2000, -30, "Wpt 1", 20}, {1001, 2001, -31, "Wpt 2", 0}}},
        {8,
         "Wreck,1000,2000,50\r\nRock;1001;2001\r\n",
         {{1000, 2000, 0, "Wreck", 50}, {1001, 2001, 0, "Rock", 0}}},
        {9,
         "Wreck,1000,2000,-40,50\r\n,1001,2001,-41,5\r\nPile,1002\r\n",
         {{1000, 2000, -40, "Wreck", 50}, {1001, 2001, -41, "Wpt 2", 5}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(CGridWaypoint::m_DataOrderTxt[c.order]);
        WriteBytes(kPath, c.text);
        WriteSettingsWithOrder(kPath, c.order);
        CGridWaypoint w;
        EXPECT_TRUE(w.Load(kPath));
        EXPECT_EQ(w.m_FilePath, kPath);
        EXPECT_EQ(w.m_DataOrder, c.order);
        ExpectPoints(w, c.points);
    }
}

TEST(GridWaypointLoad, DataOrderTextsAndColumns)
{
    const char* const texts[] = {"Eng, Nng, Ht, Name",     "Name, Eng, Nng, Ht",
                                 "Eng, Nng, Name",         "Name, Eng, Nng",
                                 "Eng, Nng, Ht",           "Eng, Nng",
                                 "Eng, Nng, Radius",       "Eng, Nng, Ht, Radius",
                                 "Name, Eng, Nng, Radius", "Name, Eng, Nng, Ht, Radius"};
    for (int order = 0; order < GWP_DATA_ORDER_COUNT; ++order)
    {
        const CString text = CGridWaypoint::m_DataOrderTxt[order];
        EXPECT_STREQ(text, texts[order]);
        EXPECT_EQ(CGridWaypoint::HasName(order), text.Find("Name") >= 0) << order;
        EXPECT_EQ(CGridWaypoint::HasHeight(order), text.Find("Ht") >= 0) << order;
        EXPECT_EQ(CGridWaypoint::HasRadius(order), text.Find("Radius") >= 0) << order;
    }
    EXPECT_FALSE(CGridWaypoint::HasName(10));
    EXPECT_FALSE(CGridWaypoint::HasRadius(-1));
}

TEST(GridWaypointLoad, UnknownDataOrderReadsNothing)
{
    WriteBytes(kPath, "1000,2000,1,Name\r\n");
    WriteSettingsWithOrder(kPath, 12);
    CGridWaypoint w;
    EXPECT_FALSE(w.Load(kPath));
    EXPECT_EQ(w.GetSize(), 0);
}

TEST(GridWaypointLoad, FileThatDoesNotOpenLeavesThePathAndEmptiesThePoints)
{
    WriteBytes(kPath, "1000,2000,1,Name\r\n");
    CGridWaypoint w;
    ASSERT_TRUE(w.Load(kPath));
    ASSERT_EQ(w.GetSize(), 1);
    EXPECT_FALSE(w.Load("C:\\MyData\\Waypoints\\Missing.txt"));
    EXPECT_EQ(w.GetSize(), 0);
    EXPECT_EQ(w.m_FilePath, kPath);
    EXPECT_FALSE(w.Load(nullptr));
    EXPECT_FALSE(w.Load(""));
    EXPECT_EQ(w.m_FilePath, kPath);
}

TEST(GridWaypointLoad, FileWithoutUsablePointsGivesFalse)
{
    WriteBytes(kPath, "Easting,Northing\r\n0,0,0,Origin\r\n\r\n");
    WriteSettingsWithOrder(kPath, GWP_ENG_NNG);
    CGridWaypoint w;
    EXPECT_FALSE(w.Load(kPath));
    EXPECT_EQ(w.GetSize(), 0);
    EXPECT_EQ(w.m_FilePath, kPath);
}

TEST(GridWaypointLoad, ReloadingInANewOrderFromItsOwnPath)
{
    // The pane changes the data order, saves it and reads the file again from its own path.
    WriteBytes(kPath, "Alpha,1000,2000\r\nBravo,1001,2001\r\n");
    WriteSettingsWithOrder(kPath, GWP_ENG_NNG);
    CGridWaypoint w;
    ASSERT_TRUE(w.Load(kPath));
    EXPECT_STREQ(w[0].Name, "Wpt 1");
    w.m_DataOrder = GWP_NAME_ENG_NNG;
    w.SaveSettings();
    EXPECT_TRUE(w.Load(w.m_FilePath));
    ExpectPoints(w, {{1000, 2000, 0, "Alpha", 0}, {1001, 2001, 0, "Bravo", 0}});
}

TEST(GridWaypointNames, DefaultNamesByDataOrder)
{
    CGridWaypoint w;
    w.Add({1, 2, 0, "Kept", 0});
    w.Add({3, 4, 0, "", 0});
    w.Add({5, 6, 0, "Also kept", 0});
    w.m_DataOrder = GWP_ENG_NNG_NAME;
    w.AssignDefaultNames();
    EXPECT_STREQ(w[0].Name, "Kept");
    EXPECT_STREQ(w[1].Name, "Wpt 2");
    EXPECT_STREQ(w[2].Name, "Also kept");
    // Orders without a name column rename every waypoint by its position.
    for (int order : {GWP_ENG_NNG_HT, GWP_ENG_NNG, GWP_ENG_NNG_RADIUS, GWP_ENG_NNG_HT_RADIUS})
    {
        w.m_DataOrder = order;
        w[0].Name = "Kept";
        w.AssignDefaultNames();
        EXPECT_STREQ(w[0].Name, "Wpt 1") << order;
        EXPECT_STREQ(w[2].Name, "Wpt 3") << order;
    }
}

namespace
{
// Counts its destructions, to see the list delete what it owns once.
struct CountedWaypoint : CGridWaypoint
{
    explicit CountedWaypoint(int* deleted) : m_deleted(deleted) {}
    ~CountedWaypoint() override { ++*m_deleted; }
    int* m_deleted;
};
} // namespace

TEST(GridWaypointList, FileListMatchesTheGoldenFileAndReadsBack)
{
    CGridWaypointList list;
    EXPECT_EQ(list.m_EditFileIndex, -1);
    EXPECT_EQ(list.m_EditPointIndex, -1);
    auto* first = new CGridWaypoint;
    first->m_FilePath = kPath;
    auto* second = new CGridWaypoint;
    second->m_FilePath = "Z:\\data\\wrecks.csv";
    list.Add(first);
    list.Add(nullptr); // a hole in the list is passed over
    list.Add(second);
    EXPECT_TRUE(list.SaveFileList());
    EXPECT_EQ(ReadBytes(InSettings("GRID_Waypoints.FLS")), Fixture("gw_GRID_Waypoints.FLS"));

    CStringArray paths;
    ASSERT_TRUE(CGridWaypointList::LoadFileList(paths));
    ASSERT_EQ(paths.GetSize(), 2);
    EXPECT_EQ(paths[0], kPath);
    EXPECT_EQ(paths[1], "Z:\\data\\wrecks.csv");
}

TEST(GridWaypointList, EmptyListWritesTheSectionOnly)
{
    CGridWaypointList list;
    EXPECT_TRUE(list.SaveFileList());
    EXPECT_EQ(ReadBytes(InSettings("GRID_Waypoints.FLS")), QByteArray("[GRID Waypoints]\r\n"));
    CStringArray paths;
    EXPECT_TRUE(CGridWaypointList::LoadFileList(paths));
    EXPECT_EQ(paths.GetSize(), 0);
}

TEST(GridWaypointList, MissingFileListReadsNothing)
{
    CStringArray paths;
    EXPECT_FALSE(CGridWaypointList::LoadFileList(paths));
    EXPECT_EQ(paths.GetSize(), 0);
}

TEST(GridWaypointList, OwnsItsFiles)
{
    int deleted = 0;
    {
        CGridWaypointList list;
        list.Add(new CountedWaypoint(&deleted));
        list.Add(new CountedWaypoint(&deleted));
        list.ClearList();
        EXPECT_EQ(deleted, 2);
        EXPECT_EQ(list.GetSize(), 0);
        list.Add(new CountedWaypoint(&deleted));
    }
    EXPECT_EQ(deleted, 3);
}

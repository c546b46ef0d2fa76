// The co-ordinate spreadsheet: heading kinds and their settings file, reading latitudes and
// longitudes from every column form, the conversions against the projection engine and the
// datum, and the column and row edits.
#include "foundation/AngleFormat.h"
#include "foundation/ConfigFile.h"
#include "geodesy/AngleText.h"
#include "geodesy/Datum.h"
#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"
#include "geodetic/GeodeticSheet.h"
#include "platform/ui/ListCtrl.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <vector>

namespace
{
constexpr double kDeg = CProjection::DEG_TO_RAD;

// A window owning one report list, filled from headings and rows of cells.
class SheetWindow : public CWnd
{
public:
    CListCtrl list;

    SheetWindow()
    {
        CreateEx(0, nullptr, "Sheet", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400), nullptr, 0);
        list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 600, 400), this, 100);
    }

    void Fill(std::initializer_list<const char*> headings, std::vector<std::vector<const char*>> rows)
    {
        int c = 0;
        for (const char* heading : headings)
            list.InsertColumn(c++, heading, LVCFMT_CENTER, 50);
        for (size_t r = 0; r < rows.size(); ++r)
        {
            list.InsertItem((int)r, rows[r][0]);
            for (size_t k = 1; k < rows[r].size(); ++k)
                list.SetItemText((int)r, (int)k, rows[r][k]);
        }
    }

    int Column(const char* heading)
    {
        for (int c = 0; c < GetColumnCount(list); ++c)
            if (GetHeadingText(list, c) == heading)
                return c;
        return -1;
    }

    CString Cell(int row, const char* heading)
    {
        const int c = Column(heading);
        return c < 0 ? CString("<no column>") : list.GetItemText(row, c);
    }
};

// The working grid of the program at start: UTM zone 31 on WGS84.
struct WorkingGrid
{
    CSpheroid spheroid;
    CProjection projection;
    WorkingGrid()
    {
        spheroid.SetFromTable(CSpheroid::WGS84_ROW);
        projection.SetSpheroid(&spheroid);
        projection.SetZone(31, 0, 0);
    }
};
} // namespace

TEST(GeodeticSheet, SettingsFileFollowsTheHeadingsAndAMissingFileAssignsNothing)
{
    {
        CGeodeticSheet fresh;
        for (int kind = 0; kind < COLUMN_KINDS; ++kind)
            EXPECT_EQ(fresh.m_Columns[kind], -1) << kind;
        for (int output = 0; output < OUTPUT_COLUMNS; ++output)
            EXPECT_EQ(fresh.m_Output[output], -1);
    }
    SheetWindow w;
    // Case does not matter; a later equal heading wins; output headings are not inputs.
    w.Fill({"label", "EASTING", "Northing", "Easting ", "lat dms", "Northing"}, {});
    CGeodeticSheet sheet;
    sheet.RescanHeadings(w.list);
    EXPECT_EQ(sheet.m_Columns[COLUMN_LABEL], 0);
    EXPECT_EQ(sheet.m_Columns[COLUMN_EASTING], 1);
    EXPECT_EQ(sheet.m_Columns[COLUMN_NORTHING], 5);
    EXPECT_EQ(sheet.m_Columns[COLUMN_LAT_DMS], 4);
    EXPECT_EQ(sheet.m_Columns[COLUMN_HEIGHT], -1);

    // The file has one line per kind in kind order, and a new sheet reads it back.
    CConfigFile file;
    ASSERT_TRUE(file.OpenForRead("Geodetic View"));
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_STREQ(line, "Label = 0");
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_STREQ(line, "Easting = 1");
    int lines = 2;
    while (file.ReadString(line))
        ++lines;
    file.Close();
    EXPECT_EQ(lines, COLUMN_KINDS);
    CGeodeticSheet reread;
    for (int kind = 0; kind < COLUMN_KINDS; ++kind)
        EXPECT_EQ(reread.m_Columns[kind], sheet.m_Columns[kind]) << kind;

    // ApplyHeadings writes the canonical headings back over the assigned columns.
    reread.ApplyHeadings(w.list);
    EXPECT_STREQ(GetHeadingText(w.list, 1), "Easting");
    EXPECT_STREQ(GetHeadingText(w.list, 4), "Lat DMS");
    EXPECT_STREQ(GetHeadingText(w.list, 3), "Easting ");
}

TEST(GeodeticSheet, OfferedConversionsNeedMatchingInputs)
{
    const struct
    {
        std::initializer_list<const char*> headings;
        bool grid, geographical;
    } cases[] = {
        {{"Easting", "Northing"}, true, false},  {{"Easting", "Label"}, false, false},
        {{"Lat Deg", "Lon DMS"}, false, false},  {{"Lat Deg", "Lon Deg"}, false, true},
        {{"Lat DMS", "Lon DMS"}, false, true},   {{"Lat NMEA", "N/S", "Lon NMEA", "E/W"}, false, true},
        {{"Lat NMEA", "Lon DMS"}, false, false},
    };
    for (const auto& c : cases)
    {
        SheetWindow w;
        w.Fill(c.headings, {});
        CGeodeticSheet sheet;
        sheet.RescanHeadings(w.list);
        EXPECT_EQ(sheet.HasGridInput(), c.grid) << *c.headings.begin();
        EXPECT_EQ(sheet.HasGeographicalInput(), c.geographical) << *c.headings.begin();
    }
}

TEST(GeodeticSheet, RowLatitudeAndLongitudeFromEveryColumnForm)
{
    const double lat = (51 + 30 / 60.0 + 15.5 / 3600.0) * kDeg;
    const double lon = -(1 + 12 / 60.0 + 30 / 3600.0) * kDeg;
    struct Case
    {
        std::initializer_list<const char*> headings;
        std::vector<const char*> row;
        double latitude, longitude;
    };
    const Case cases[] = {
        {{"Lat DMS", "Lon DMS"}, {"51 30 15.5 N", "1 12 30 W"}, lat, lon},
        {{"Lat DMS", "Lon DMS"}, {"-51 30 15.5", "001 12 30.0 E"}, -lat, -lon},
        {{"Lat NMEA", "N/S", "Lon NMEA", "E/W"}, {"5130.258333", "N", "00112.5", "W"}, lat, lon},
        {{"Lat Deg", "Lat Min", "Lat Sec", "N/S", "Lon Deg", "Lon Min", "Lon Sec", "E/W"},
         {"51", "30", "15.5", " n", "1", "12", "30", "w"},
         lat,
         lon},
        // A negative degrees cell gives the sign; minutes and seconds are taken as absolute.
        {{"Lat Deg", "Lat Min", "Lat Sec", "Lon Deg", "Lon Min"},
         {"-51", "-30", "15.5", "1", "12.5"},
         -lat,
         -lon},
        // Out of range parts give 0 for that angle only.
        {{"Lat Deg", "Lon Deg", "Lon Min"}, {"91", "1", "12.5"}, 0.0, -lon},
        {{"Lat Deg", "Lat Min", "Lon Deg", "Lon Sec"}, {"51", "60", "181", "0"}, 0.0, 0.0},
        {{"Lat Deg", "Lon Deg"}, {"90", "180"}, 90 * kDeg, 180 * kDeg},
        // Without input columns the converted output columns are read back.
        {{"Latitude", "Longitude"}, {"51\xB0 30' 15.50000\"N", "1\xB0 12' 30.00000\"W"}, lat, lon},
        {{"Label"}, {"P1"}, 0.0, 0.0},
    };
    for (const auto& c : cases)
    {
        SheetWindow w;
        w.Fill(c.headings, {c.row});
        CGeodeticSheet sheet;
        sheet.RescanHeadings(w.list);
        EXPECT_NEAR(sheet.GetRowLatitude(w.list, 0), c.latitude, 1e-9) << c.row[0];
        EXPECT_NEAR(sheet.GetRowLongitude(w.list, 0), c.longitude, 1e-9) << c.row[0];
    }
}

TEST(GeodeticSheet, GridAndGeographicalConversionsMatchTheProjectionEngine)
{
    WorkingGrid grid;
    SheetWindow w;
    w.Fill({"Label", "Easting", "Northing"}, {{"A", "500000", "5700000"},
                                              {"B", "431000.25", "5650123.5"},
                                              {"Zero", "0", "0"},
                                              {"C", "612345", "6012345"}});
    CGeodeticSheet sheet;
    sheet.m_pProjection = &grid.projection;
    sheet.m_pSpheroid = &grid.spheroid;
    sheet.RescanHeadings(w.list);
    ASSERT_TRUE(sheet.Convert(w.list, CONVERT_GRID_TO_GEOGRAPHICALS));
    EXPECT_EQ(sheet.m_Output[OUTPUT_LATITUDE], 3);
    EXPECT_EQ(sheet.m_Output[OUTPUT_LONGITUDE], 4);
    for (int row : {0, 1, 3})
    {
        double lat, lon;
        ASSERT_TRUE(grid.projection.GridToGeographic(std::atof(w.list.GetItemText(row, 1)),
                                                     std::atof(w.list.GetItemText(row, 2)), &lat, &lon));
        EXPECT_STREQ(w.Cell(row, "Latitude"), FormatAngle(lat, ANGLE_LATITUDE, ANGLE_FORMAT_PREFERENCE))
            << row;
        EXPECT_STREQ(w.Cell(row, "Longitude"), FormatAngle(lon, ANGLE_LONGITUDE, ANGLE_FORMAT_PREFERENCE))
            << row;
    }
    EXPECT_STREQ(w.Cell(2, "Latitude"), "");
    EXPECT_STREQ(w.Cell(2, "Longitude"), "");

    // Back to grid from the written latitudes and longitudes: a second run finds the output
    // columns instead of adding more, and the round trip lands within the display precision.
    w.list.DeleteColumn(2);
    w.list.DeleteColumn(1);
    sheet.RescanHeadings(w.list);
    SetHeadingText(w.list, 1, "Lat DMS");
    SetHeadingText(w.list, 2, "Lon DMS");
    sheet.RescanHeadings(w.list);
    ASSERT_TRUE(sheet.HasGeographicalInput());
    ASSERT_TRUE(sheet.Convert(w.list, CONVERT_GEOGRAPHICALS_TO_GRID));
    ASSERT_TRUE(sheet.Convert(w.list, CONVERT_GEOGRAPHICALS_TO_GRID));
    EXPECT_EQ(GetColumnCount(w.list), 5);
    const double expected[][2] = {{500000, 5700000}, {431000.25, 5650123.5}, {0, 0}, {612345, 6012345}};
    for (int row : {0, 1, 3})
    {
        EXPECT_NEAR(std::atof(w.Cell(row, "Easting ")), expected[row][0], 0.01) << row;
        EXPECT_NEAR(std::atof(w.Cell(row, "Northing ")), expected[row][1], 0.01) << row;
        // Three decimals.
        const CString text = w.Cell(row, "Easting ");
        EXPECT_EQ(text.GetLength() - text.Find('.'), 4) << (LPCSTR)text;
    }
    EXPECT_STREQ(w.Cell(2, "Easting "), "");
}

TEST(GeodeticSheet, ConversionsRefuseWithoutInputsOrGrid)
{
    WorkingGrid grid;
    SheetWindow w;
    w.Fill({"Label", "Easting"}, {{"A", "500000"}});
    CGeodeticSheet sheet;
    sheet.RescanHeadings(w.list);
    EXPECT_FALSE(sheet.Convert(w.list, CONVERT_GRID_TO_GEOGRAPHICALS)); // no grid
    sheet.m_pProjection = &grid.projection;
    EXPECT_FALSE(sheet.Convert(w.list, CONVERT_GRID_TO_GEOGRAPHICALS)); // no northing
    EXPECT_FALSE(sheet.Convert(w.list, CONVERT_GEOGRAPHICALS_TO_GRID));
    EXPECT_FALSE(sheet.Convert(w.list, CONVERT_DATUM_GRID_FORWARD)); // no datum
    EXPECT_FALSE(sheet.Convert(w.list, 99));
    EXPECT_EQ(GetColumnCount(w.list), 2);
}

TEST(GeodeticSheet, DatumShiftsRunThroughTheDatumAndBothGrids)
{
    WorkingGrid working;
    CSpheroid toSpheroid;
    CProjection toProjection;
    toProjection.SetSpheroid(&toSpheroid);
    CDatum datum;
    datum.SetToSide(&toSpheroid, &toProjection);
    ASSERT_TRUE(datum.SetDatum(CDatum::METHOD_HELMERT, 2, 1));
    datum.m_Projection.SetZone(30, 0, 0);

    SheetWindow w;
    w.Fill({"Label", "Easting", "Northing", "Height"},
           {{"A", "650000", "5700000", "12.5"}, {"Z", "0", "0", "3"}});
    CGeodeticSheet sheet;
    sheet.m_pProjection = &working.projection;
    sheet.m_pDatum = &datum;
    sheet.RescanHeadings(w.list);
    ASSERT_TRUE(sheet.DatumProjectionDiffers());
    EXPECT_STREQ(sheet.GetConversionLabel(CONVERT_DATUM_GRID_FORWARD),
                 datum.m_Projection.m_Name + " to " + working.projection.m_Name);
    EXPECT_STREQ(sheet.GetConversionLabel(CONVERT_DATUM_GEOG_REVERSE),
                 datum.m_ToName + " to " + datum.m_FromName);

    ASSERT_TRUE(sheet.Convert(w.list, CONVERT_DATUM_GRID_FORWARD));
    // The datum's co-ordinates are projected on the datum's own "To" spheroid, in the working
    // grid's zone: the working spheroid (WGS 84 here) is not the datum's.
    CProjection workingOnTo = working.projection;
    workingOnTo.SetSpheroid(datum.m_pToSpheroid);
    ASSERT_FALSE(datum.m_pToSpheroid->IsSame(*working.projection.GetSpheroid()));
    double lat, lon, outLat, outLon, outH, e, n;
    ASSERT_TRUE(datum.m_Projection.GridToGeographic(650000, 5700000, &lat, &lon));
    ASSERT_TRUE(datum.ConvertGeographic(lat, lon, 12.5, &outLat, &outLon, &outH, 1));
    ASSERT_TRUE(workingOnTo.GeographicToGrid(outLat, outLon, &e, &n));
    EXPECT_NEAR(std::atof(w.Cell(0, "Easting ")), e, 0.0005);
    EXPECT_NEAR(std::atof(w.Cell(0, "Northing ")), n, 0.0005);
    EXPECT_NEAR(std::atof(w.Cell(0, "Ht.")), outH, 0.0005);
    EXPECT_STREQ(w.Cell(0, "Latitude"), FormatAngle(outLat, ANGLE_LATITUDE, ANGLE_FORMAT_PREFERENCE));
    EXPECT_STREQ(w.Cell(1, "Easting "), "");
    EXPECT_STREQ(w.Cell(1, "Ht."), "");

    // The reverse grid shift brings the working-grid position back to the datum's grid.
    SheetWindow back;
    CString east, north, height;
    east.Format("%.3lf", e);
    north.Format("%.3lf", n);
    height.Format("%.3lf", outH);
    back.Fill({"Easting", "Northing", "Height"}, {{east, north, height}});
    sheet.RescanHeadings(back.list);
    ASSERT_TRUE(sheet.Convert(back.list, CONVERT_DATUM_GRID_REVERSE));
    EXPECT_NEAR(std::atof(back.Cell(0, "Easting ")), 650000, 0.01);
    EXPECT_NEAR(std::atof(back.Cell(0, "Northing ")), 5700000, 0.01);
    EXPECT_NEAR(std::atof(back.Cell(0, "Ht.")), 12.5, 0.01);

    // Geographical input through the datum into the working grid.
    SheetWindow geog;
    geog.Fill({"Lat Deg", "Lon Deg", "Height"}, {{"51.5", "1.25", "40"}});
    sheet.RescanHeadings(geog.list);
    ASSERT_TRUE(sheet.Convert(geog.list, CONVERT_DATUM_GEOG_FORWARD));
    ASSERT_TRUE(datum.ConvertGeographic(51.5 * kDeg, 1.25 * kDeg, 40, &outLat, &outLon, &outH, 1));
    ASSERT_TRUE(workingOnTo.GeographicToGrid(outLat, outLon, &e, &n));
    EXPECT_NEAR(std::atof(geog.Cell(0, "Easting ")), e, 0.0005);
    EXPECT_NEAR(std::atof(geog.Cell(0, "Northing ")), n, 0.0005);
    // The E.D. 50 position of that row on the International spheroid, from PROJ:
    //   echo "1.251365654 51.500845939" | proj -f "%.3f" +proj=utm +zone=31 +ellps=intl
    // (on the WGS 84 spheroid it would be 378628.968 5706972.923, 118 m further south).
    EXPECT_NEAR(std::atof(geog.Cell(0, "Easting ")), 378623.136, 0.002);
    EXPECT_NEAR(std::atof(geog.Cell(0, "Northing ")), 5707090.698, 0.002);
}

TEST(GeodeticSheet, SameGridNamesGiveSpheroidLabelsAndEqualGridsNoGridShift)
{
    WorkingGrid working;
    CDatum datum;
    datum.SetToSide(&working.spheroid, &working.projection);
    CGeodeticSheet sheet;
    sheet.m_pProjection = &working.projection;
    sheet.m_pDatum = &datum;
    // Both UTM 31 on WGS84: nothing to shift between grids.
    EXPECT_FALSE(sheet.DatumProjectionDiffers());
    datum.m_Spheroid.SetFromTable(11);
    ASSERT_TRUE(sheet.DatumProjectionDiffers());
    EXPECT_STREQ(sheet.GetConversionLabel(CONVERT_DATUM_GRID_REVERSE), working.spheroid.m_Name + " to " +
                                                                           datum.m_Spheroid.m_Name + " - " +
                                                                           working.projection.m_Name);
}

TEST(GeodeticSheet, ColumnEditsKeepDataAndFollowTheHeadings)
{
    SheetWindow w;
    w.Fill({"Label", "Easting", "Northing"}, {{"A", "1", "2"}, {"B", "3", "4"}, {"C", "5", "6"}});
    CGeodeticSheet sheet;
    sheet.RescanHeadings(w.list);

    // Deleting the first column shifts every other column's cells and heading to the left.
    sheet.DeleteColumn(w.list, 0);
    ASSERT_EQ(GetColumnCount(w.list), 2);
    EXPECT_STREQ(GetHeadingText(w.list, 0), "Easting");
    EXPECT_STREQ(GetHeadingText(w.list, 1), "Northing");
    const char* expected[3][2] = {{"1", "2"}, {"3", "4"}, {"5", "6"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c)
            EXPECT_STREQ(w.list.GetItemText(r, c), expected[r][c]) << r << "," << c;
    EXPECT_EQ(sheet.m_Columns[COLUMN_EASTING], 0);
    EXPECT_EQ(sheet.m_Columns[COLUMN_NORTHING], 1);
    EXPECT_EQ(sheet.m_Columns[COLUMN_LABEL], -1);

    sheet.InsertColumn(w.list, 1);
    EXPECT_EQ(GetColumnCount(w.list), 3);
    EXPECT_EQ(sheet.m_Columns[COLUMN_NORTHING], 2);
    sheet.SetColumnKind(w.list, 1, COLUMN_HEIGHT);
    EXPECT_STREQ(GetHeadingText(w.list, 1), "Height");
    EXPECT_EQ(sheet.m_Columns[COLUMN_HEIGHT], 1);
    sheet.ClearHeading(w.list, 2);
    EXPECT_STREQ(GetHeadingText(w.list, 2), "");
    EXPECT_EQ(sheet.m_Columns[COLUMN_NORTHING], -1);
    EXPECT_FALSE(sheet.HasGridInput());

    // Deleting the selected rows keeps the others in order.
    w.list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    w.list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    sheet.DeleteSelectedRows(w.list);
    ASSERT_EQ(w.list.GetItemCount(), 1);
    EXPECT_STREQ(w.list.GetItemText(0, 0), "3");
}

// A cell that does not read whole, or lies outside its range, is refused: it is marked, its
// row's outputs stay empty and the reason names it; the good row beside it still converts, and
// a row with no input at all is left alone without a mark.
TEST(GeodeticSheet, BadInputIsRefusedAndMarkedNotConverted)
{
    const struct
    {
        const char* what;
        std::vector<const char*> headings;
        std::vector<const char*> good; // a row that converts
        std::vector<const char*> bad;
        const char* refused;           // heading of the refused cell
        int conversion;
    } cases[] = {
        {"NMEA latitude of 91 degrees", {"Lat NMEA", "NS", "Lon NMEA", "EW"}, {"5130.0000", "N", "00115.0000", "E"},
         {"9100.0000", "N", "00115.0000", "E"}, "Lat NMEA", CONVERT_GEOGRAPHICALS_TO_GRID},
        {"NMEA minutes of 60", {"Lat NMEA", "NS", "Lon NMEA", "EW"}, {"5130.0000", "N", "00115.0000", "E"},
         {"5160.0000", "N", "00115.0000", "E"}, "Lat NMEA", CONVERT_GEOGRAPHICALS_TO_GRID},
        {"NMEA hemisphere of the other axis", {"Lat NMEA", "NS", "Lon NMEA", "EW"},
         {"5130.0000", "N", "00115.0000", "E"}, {"5130.0000", "E", "00115.0000", "E"}, "NS",
         CONVERT_GEOGRAPHICALS_TO_GRID},
        {"latitude degrees 91", {"Lat Deg", "Lon Deg"}, {"51.5", "1.25"}, {"91", "1.25"}, "Lat Deg",
         CONVERT_GEOGRAPHICALS_TO_GRID},
        {"latitude minutes 60", {"Lat Deg", "Lat Min", "Lon Deg"}, {"51", "30", "1.25"}, {"51", "60", "1.25"},
         "Lat Min", CONVERT_GEOGRAPHICALS_TO_GRID},
        {"90 degrees and a minute", {"Lat Deg", "Lat Min", "Lon Deg"}, {"51", "30", "1.25"}, {"90", "1", "1.25"},
         "Lat Deg", CONVERT_GEOGRAPHICALS_TO_GRID},
        {"junk after the degrees", {"Lat Deg", "Lon Deg"}, {"51.5", "1.25"}, {"53a8.87", "1.25"}, "Lat Deg",
         CONVERT_GEOGRAPHICALS_TO_GRID},
        {"a hemisphere cell that is none", {"Lat Deg", "N/S", "Lon Deg"}, {"51.5", "N", "1.25"},
         {"51.5", "X", "1.25"}, "N/S", CONVERT_GEOGRAPHICALS_TO_GRID},
        {"typed latitude of 95 degrees", {"Lat DMS", "Lon DMS"}, {"51 30 0 N", "1 15 0 E"}, {"95 0 0 N", "1 15 0 E"},
         "Lat DMS", CONVERT_GEOGRAPHICALS_TO_GRID},
        {"typed latitude with letters", {"Lat DMS", "Lon DMS"}, {"51 30 0 N", "1 15 0 E"},
         {"51 3x 0 N", "1 15 0 E"}, "Lat DMS", CONVERT_GEOGRAPHICALS_TO_GRID},
        {"a longitude half the world from the zone", {"Lat DMS", "Lon DMS"}, {"51 30 0 N", "1 15 0 E"},
         {"51 30 0 N", "177 0 0 W"}, "Lon DMS", CONVERT_GEOGRAPHICALS_TO_GRID},
        {"an easting that is not a number", {"Easting", "Northing"}, {"500000", "5700000"}, {"abc", "5700000"},
         "Easting", CONVERT_GRID_TO_GEOGRAPHICALS},
        {"an empty northing", {"Easting", "Northing"}, {"500000", "5700000"}, {"500000", ""}, "Northing",
         CONVERT_GRID_TO_GEOGRAPHICALS},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        WorkingGrid working;
        SheetWindow w;
        w.Fill({}, {});
        int column = 0;
        for (const char* heading : c.headings)
            w.list.InsertColumn(column++, heading, LVCFMT_CENTER, 50);
        const std::vector<const char*> blank(c.headings.size(), "");
        for (const auto& row : {c.good, c.bad, blank})
        {
            const int r = w.list.InsertItem(w.list.GetItemCount(), row[0]);
            for (size_t k = 1; k < row.size(); ++k)
                w.list.SetItemText(r, (int)k, row[k]);
        }
        CGeodeticSheet sheet;
        sheet.m_pProjection = &working.projection;
        sheet.RescanHeadings(w.list);
        ASSERT_TRUE(sheet.Convert(w.list, c.conversion));
        const bool toGrid = c.conversion == CONVERT_GEOGRAPHICALS_TO_GRID;
        const char* output = toGrid ? "Easting " : "Latitude";
        EXPECT_STRNE(w.Cell(0, output), "");
        EXPECT_STREQ(w.Cell(1, output), "");
        EXPECT_STREQ(w.Cell(1, toGrid ? "Northing " : "Longitude"), "");
        EXPECT_STREQ(w.Cell(2, output), "");
        ASSERT_EQ(sheet.GetProblems().size(), 1u);
        EXPECT_EQ(sheet.GetProblems()[0].row, 1);
        EXPECT_TRUE(sheet.IsMarked(1, w.Column(c.refused))) << (LPCSTR)sheet.DescribeProblems();
        const CString status = sheet.DescribeProblems();
        EXPECT_EQ(status.Find(CString("Row 2, ") + c.refused + ": "), 0) << (LPCSTR)status;
    }
}

// The row of an edited input cell is converted again by the last conversion; a mark goes
// with the fault that made it.
TEST(GeodeticSheet, AnEditedInputCellConvertsItsRowAgain)
{
    WorkingGrid working;
    SheetWindow w;
    w.Fill({"Lat Deg", "Lon Deg"}, {{"91", "1.25"}, {"52", "2"}});
    CGeodeticSheet sheet;
    sheet.m_pProjection = &working.projection;
    sheet.RescanHeadings(w.list);
    EXPECT_FALSE(sheet.RecomputeRow(w.list, 0)); // nothing converted yet
    ASSERT_TRUE(sheet.Convert(w.list, CONVERT_GEOGRAPHICALS_TO_GRID));
    EXPECT_TRUE(sheet.IsMarked(0, 0));
    const CString second = w.Cell(1, "Northing ");

    w.list.SetItemText(0, 0, "51.5");
    EXPECT_TRUE(sheet.IsInputColumn(0));
    EXPECT_FALSE(sheet.IsInputColumn(w.Column("Easting ")));
    ASSERT_TRUE(sheet.RecomputeRow(w.list, 0));
    EXPECT_FALSE(sheet.IsMarked(0, 0));
    EXPECT_TRUE(sheet.DescribeProblems().IsEmpty());
    double e, n;
    ASSERT_TRUE(working.projection.GeographicToGrid(51.5 * kDeg, 1.25 * kDeg, &e, &n));
    EXPECT_NEAR(std::atof(w.Cell(0, "Easting ")), e, 0.0005);
    EXPECT_NEAR(std::atof(w.Cell(0, "Northing ")), n, 0.0005);
    EXPECT_STREQ(w.Cell(1, "Northing "), second);
}

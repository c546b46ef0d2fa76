// CGeodeticSheet: the co-ordinate spreadsheet behind the Geodetic program's list view: which
// columns hold grid co-ordinates, latitudes, longitudes and heights (found from their
// headings and kept in the settings file "Geodetic View"), reading a row's latitude and
// longitude from any of the column forms, and converting every row between grid and
// geographicals or through the working datum.
//
// Angles are radians; grid co-ordinates and heights are in the units of the grid (metres).
#pragma once

#include "platform/core/String.h"

#include <cstdint>
#include <vector>

class CDatum;
class CListCtrl;
class CProjection;
class CSpheroid;

// The column kinds, in the order of the settings file and of the heading menu's ids.
enum GEODETIC_COLUMN
{
    COLUMN_LABEL = 0,
    COLUMN_EASTING = 1,
    COLUMN_NORTHING = 2,
    COLUMN_LAT_DMS = 3,
    COLUMN_LAT_DEG = 4,
    COLUMN_LAT_MIN = 5,
    COLUMN_LAT_SEC = 6,
    COLUMN_NS = 7,
    COLUMN_LAT_NMEA = 8,
    COLUMN_LON_DMS = 9,
    COLUMN_LON_DEG = 10,
    COLUMN_LON_MIN = 11,
    COLUMN_LON_SEC = 12,
    COLUMN_EW = 13,
    COLUMN_LON_NMEA = 14,
    COLUMN_HEIGHT = 15,
    COLUMN_KINDS = 16
};

// The columns a conversion writes.
enum GEODETIC_OUTPUT
{
    OUTPUT_EASTING = 0,
    OUTPUT_NORTHING = 1,
    OUTPUT_LATITUDE = 2,
    OUTPUT_LONGITUDE = 3,
    OUTPUT_HEIGHT = 4,
    OUTPUT_COLUMNS = 5
};

// The conversions of the body menu (its command ids).
enum GEODETIC_CONVERSION
{
    CONVERT_GRID_TO_GEOGRAPHICALS = 2,
    CONVERT_GEOGRAPHICALS_TO_GRID = 3,
    CONVERT_DATUM_GRID_FORWARD = 4, // datum's grid -> working grid
    CONVERT_DATUM_GRID_REVERSE = 5, // working grid -> datum's grid
    CONVERT_DATUM_GEOG_FORWARD = 6, // geographicals through the datum -> working grid
    CONVERT_DATUM_GEOG_REVERSE = 7  // geographicals back through the datum -> datum's grid
};

// Heading of a column kind ("Lat DMS"); empty outside 0..15.
const char* GetColumnHeading(int kind);
// Label of a kind in the heading menu ("DD MM SS.SSS Q").
const char* GetColumnMenuLabel(int kind);
// Heading of an output column ("Easting " and "Northing " end in a blank, so that a converted
// column is never taken for an input one).
const char* GetOutputHeading(int output);

// Degrees, minutes and seconds cells to radians; `longitude` selects the 180-degree limit and
// the W hemisphere. 0 when any part is out of range.
double DmsCellsToRadians(const char* degrees, const char* minutes, const char* seconds,
                         const char* hemisphere, bool longitude);

// A cell the sheet refused: where, its heading, and why.
struct SheetProblemDef
{
    int row;
    int column;
    CString heading;
    CString reason;
};

class CGeodeticSheet
{
public:
    // Reads the column assignment from "Geodetic View"; the output columns are -1.
    CGeodeticSheet();

    // Settings file "Geodetic View": one "heading = index" line per kind, in kind order.
    void LoadSettings();
    bool SaveSettings() const;

    // Assigns each kind to the last column whose heading equals it (ignoring case), then
    // rewrites the settings file.
    void RescanHeadings(CListCtrl& list);
    // Writes each assigned kind's heading over its column and fits the column widths.
    void ApplyHeadings(CListCtrl& list);

    // The row's latitude or longitude in radians, from the first column form present: DMS
    // text, NMEA with its hemisphere column, degrees/minutes/seconds, then the output column.
    // 0 when none gives one.
    double GetRowLatitude(CListCtrl& list, int row) const;
    double GetRowLongitude(CListCtrl& list, int row) const;
    // The height cell as a number; 0 without a height column.
    double GetRowHeight(CListCtrl& list, int row) const;

    // Offered conversions.
    bool HasGridInput() const;
    // Latitude and longitude assigned as a matching pair (degrees, DMS or NMEA both).
    bool HasGeographicalInput() const;
    // The datum's grid and the working grid differ by spheroid or by name (ignoring case).
    bool DatumProjectionDiffers() const;
    // Menu labels of the datum-shift conversions 4..7.
    CString GetConversionLabel(int conversion) const;

    // Runs one conversion over every row; false when it is not possible (inputs or geodetic
    // objects missing). A cell that does not read whole or lies outside its range is refused:
    // its row's outputs stay empty and the cell is marked (GetProblems).
    bool Convert(CListCtrl& list, int conversion);
    bool CanConvert(CListCtrl& list, int conversion) const;
    // An input cell of a row was edited: the row is converted again by the last conversion
    // run. False when there was none or the row does not exist.
    bool RecomputeRow(CListCtrl& list, int row);
    // Whether the column feeds the conversions (an assigned kind, or an NMEA hemisphere).
    bool IsInputColumn(int column) const;
    int GetLastConversion() const { return m_LastConversion; }

    // The cells the last conversion refused, in the order met.
    const std::vector<SheetProblemDef>& GetProblems() const { return m_Problems; }
    bool IsMarked(int row, int column) const;
    void ClearProblems() { m_Problems.clear(); }
    // The first refused cell and why, for the status bar ("Row 3, Lat Deg: degrees 91 are
    // outside 0 to 90"); empty when none was refused.
    CString DescribeProblems() const;

    // Heading menu choices on column `column`.
    void SetColumnKind(CListCtrl& list, int column, int kind);
    void ClearHeading(CListCtrl& list, int column);
    void DeleteColumn(CListCtrl& list, int column);
    void InsertColumn(CListCtrl& list, int column);
    // Deletes the selected rows from the highest index down.
    void DeleteSelectedRows(CListCtrl& list);

    // Members in the view's order: the column assignment, the output columns, then the
    // working geodetic objects (not owned).
    int16_t m_Columns[COLUMN_KINDS];
    int16_t m_Output[OUTPUT_COLUMNS];
    CDatum* m_pDatum = nullptr;
    CProjection* m_pProjection = nullptr;
    CSpheroid* m_pSpheroid = nullptr;

private:
    double GetRowAngle(CListCtrl& list, int row, bool longitude) const;
    void ConvertRow(CListCtrl& list, int conversion, int row);
    void DatumShiftRow(CListCtrl& list, int conversion, int row);
    // A row's inputs, checked: false, with the refused cells marked, when one does not read;
    // `blank` (also false) when the row holds no input at all.
    bool ReadGridRow(CListCtrl& list, int row, double& easting, double& northing, bool& blank);
    bool ReadGeographicalRow(CListCtrl& list, int row, double& latitude, double& longitude, bool& blank);
    bool ReadHeight(CListCtrl& list, int row, double& height);
    bool CheckRowAngle(CListCtrl& list, int row, bool longitude);
    std::vector<int> AngleColumns(CListCtrl& list, bool longitude) const;
    // Projects a point and refuses it (marking `column`) when it lies beyond the grid's reach.
    bool ProjectWithinReach(CListCtrl& list, int row, int column, CProjection& grid, double latitude,
                            double longitude, double& easting, double& northing);
    void Refuse(CListCtrl& list, int row, int column, const CString& reason);
    // The text of an assigned kind's cell; empty when the kind has no column in this list.
    CString Cell(CListCtrl& list, int row, int kind) const;
    bool Assigned(CListCtrl& list, int kind) const;
    // The index of the output column, found by its heading or appended.
    int OutputColumn(CListCtrl& list, int output);

    std::vector<SheetProblemDef> m_Problems;
    int m_LastConversion = 0;
};

// A list column's heading, read and written whole, and the number of columns.
CString GetHeadingText(CListCtrl& list, int column);
void SetHeadingText(CListCtrl& list, int column, const char* text);
int GetColumnCount(CListCtrl& list);

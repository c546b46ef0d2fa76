// CGridWaypoint: one grid-waypoint file, a text file of named points in grid coordinates
// (easting, northing, optional height and radius), with its display and alarm settings. The
// points are waypoints to steer to or obstructions on the seabed that anchor cables must keep
// clear of.
//
// Units: eastings, northings, heights, radii, clearances and ring sizes in metres (ring size
// also in nautical miles); heights as the file gives them, 0 when it gives none.
//
// A CGridWaypoint crosses deliverables by pointer (panes, chart, anchor-cable program): its
// members keep this order and these widths.
#pragma once

#include "foundation/SymbolTypes.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <cstdint>

// One waypoint.
struct GridWaypointDef
{
    double Easting;
    double Northing;
    double Height; // 0 when the file gives none
    CString Name;
    double Radius; // of the obstruction; 0 when the file gives none
};

class CGridWaypointArray : public CArray<GridWaypointDef, const GridWaypointDef&>
{
public:
    ~CGridWaypointArray() override = default;
};

// The column orders of a waypoint file.
enum GRID_WAYPOINT_DATA_ORDER
{
    GWP_ENG_NNG_HT_NAME = 0,
    GWP_NAME_ENG_NNG_HT = 1,
    GWP_ENG_NNG_NAME = 2,
    GWP_NAME_ENG_NNG = 3,
    GWP_ENG_NNG_HT = 4,
    GWP_ENG_NNG = 5,
    GWP_ENG_NNG_RADIUS = 6,
    GWP_ENG_NNG_HT_RADIUS = 7,
    GWP_NAME_ENG_NNG_RADIUS = 8,
    GWP_NAME_ENG_NNG_HT_RADIUS = 9,
    GWP_DATA_ORDER_COUNT = 10
};

class CGridWaypoint : public CGridWaypointArray
{
public:
    // The panes' texts of the data orders, indexed by GRID_WAYPOINT_DATA_ORDER.
    static const char* const m_DataOrderTxt[GWP_DATA_ORDER_COUNT];
    // Which columns a data order has; false for an order outside 0..9.
    static bool HasName(int dataOrder);
    static bool HasHeight(int dataOrder);
    static bool HasRadius(int dataOrder);
    // The columns of a data order as they stand in a line, one letter each: 'A' name,
    // 'E' easting, 'N' northing, 'H' height, 'R' radius; null for an order outside 0..9.
    static const char* GetColumnLayout(int dataOrder);

    // No path, no points; settings as for a missing settings file.
    CGridWaypoint();
    ~CGridWaypoint() override;

    // Settings as for a missing settings file.
    void SetDefaults();

    // Reads the waypoint file at `path` in the data order of its settings file: one waypoint a
    // line, ';' or ',' between columns. Lines without a readable easting and northing, or at
    // exactly (0, 0), are skipped. True when at least one waypoint was read; then unnamed
    // waypoints get their default names. A file that does not open leaves the points empty,
    // the path as it was, and gives false.
    bool Load(const char* path);

    // The settings file: "<file title>_GRID_WAYPOINT.INI" in the settings folder. A missing
    // file (or no file path) gives the defaults of SetDefaults; a short file gives per-line
    // defaults, where missing clearance and tolerance lines keep the alarm on at 10 and 25.
    void LoadSettings();
    // Written whole or not at all; nothing is written without a file path or when the file
    // cannot be created.
    void SaveSettings() const;
    CString GetSettingsName() const;

    // Names waypoints "Wpt <n>", n their 1-based position: every waypoint for the data orders
    // without a name column (4 to 7), only the unnamed ones for the others.
    void AssignDefaultNames();

    CString m_FilePath;
    // Why the last Load refused the file (empty: it did not): the file name and line of a value
    // no survey grid can hold. A refused file loads no point at all.
    CString m_strRefusal;
    int32_t m_DataOrder; // GRID_WAYPOINT_DATA_ORDER; kept as a 16-bit value in the settings file
    bool m_Use;          // the file is shown and used
    bool m_ZuduzuroMode; // catenary mode: the file serves the anchor-cable program
    double m_Clearance;  // the anchor-cable alarm warns when a cable comes closer than this
    double m_Tolerance;  // errors within clearance + tolerance; a waypoint's radius replaces it
    int16_t m_Symbol;    // VECTOR_SYMBOL
    SYMBOL_SIZE m_Size;
    COLORREF m_Colour;
    SYMBOL_LABEL_MODE m_LabelMode;  // 0..4
    LABEL_POSITION m_LabelPosition; // 0..5
    bool m_DrawRings;
    int16_t m_NoRings;
    double m_RingSizeMetres;
    double m_RingSizeNM;
    COLORREF m_RingColour;
};

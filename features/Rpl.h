// CRPL: a route position list: a cable or pipe route as straight legs joined by circular arcs,
// with a kilometre point (KP) running along it and a corridor either side. Read from an RLX
// file (tangent points with turn radii) or from a comma-separated file in one of three
// layouts, with a settings file "<file title>_RPL.INI" for its display.
//
// Units: eastings, northings, lengths, radii and corridor widths in grid metres; bearings in
// radians clockwise from grid north, [0, 2π); KPs in kilometres, growing by length / 1000.
//
// Each record is an element of the route: the first holds the route's start, the last its
// end, and every one between a vertex (where the straights either side would meet) with, when
// it turns on an arc, the arc's centre and tangent points. A record's leg is the straight that
// leaves it: from its arc end (or its point when it has no arc) towards the next record.
#pragma once

#include "foundation/ConfigFile.h"
#include "foundation/XYArray.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <cstdint>
#include <type_traits>

// One data line of an RLX file.
struct RLXDef
{
    double StartE; // P: where the arc (or straight) starts
    double StartN;
    double EndE; // Q: where the arc ends, or the end of a straight
    double EndN;
    double RouteEndE; // the route's end point; read on the last line only
    double RouteEndN;
    double Radius; // > 0 a turn to starboard, < 0 to port, 0 a straight
};

// One element of the route. A plain record: always built on a zeroed one.
struct RPLDef
{
    double Easting; // the vertex, or the route's start or end point
    double Northing;

    // The leg that leaves the element.
    double Length;
    double LegSpare1; // kept zero
    double LegSpare2; // kept zero
    double Bearing;
    double SinBearing;
    double CosBearing;
    double ReverseBearing; // Bearing + π, within [0, 2π)
    double KP;             // KP of the element: its start, or the start of its arc
    double LegRunning;     // kept zero

    double Radius; // metres; 0 for a plain vertex
    double CentreE;
    double CentreN;
    double ArcStartE; // tangent point where the arc leaves the incoming leg
    double ArcStartN;
    double ArcEndE; // tangent point where the arc joins the outgoing leg
    double ArcEndN;
    double KPArcStart;
    double KPArcEnd;
    double StartBearing; // from the centre to the arc start, [0, 2π)
    double EndBearing;   // from the centre to the arc end, [0, 2π)
    double PiMinusAngle; // π − ArcAngle
    double ArcAngle;     // the angle turned, [0, 2π)
    double ArcLength;    // Radius × ArcAngle
    int32_t TurnSide;    // +1 a turn to starboard (clockwise), −1 to port; 0 without an arc
    tagXY PortStart;     // the corridor's port edge where the element begins
    tagXY PortEnd;       // ... and, on an arc, where it ends (else the same point)
    tagXY StarboardStart;
    tagXY StarboardEnd;
};

static_assert(std::is_trivially_copyable<RPLDef>::value, "route elements are plain records");

class CGridValueCheck;

class CRPLArray : public CArray<RPLDef, const RPLDef&>
{
public:
    ~CRPLArray() override = default;
};

class CRPL : public CRPLArray
{
public:
    // The file layouts, chosen by the extension (RLX) or by the first line's field count.
    enum LAYOUT
    {
        LAYOUT_NONE = 0,
        LAYOUT_RLX,
        LAYOUT_TANGENT_POINTS, // easting, northing: start, pairs of tangent points, end
        LAYOUT_VERTICES,       // easting, northing, radius
        LAYOUT_CODED,          // code, number, easting, northing, radius
    };

    // No records, no path; settings as a missing settings file gives them.
    CRPL();
    ~CRPL() override;

    // "<file title>_RPL": the settings file's name (in the settings folder, "INI").
    CString GetSettingsName() const;
    // A missing file gives the defaults; a missing line gives false, 0 or an empty pen, except
    // that the alarm values then keep their defaults.
    void LoadSettings();
    // Written whole or not at all; nothing when it cannot be written.
    void SaveSettings();

    // Reads the settings and the file named by m_FilePath and builds the elements, their KPs
    // and the corridor. A file that cannot be opened, or in no known layout, gives no records.
    // True when at least one record was built.
    bool Load();
    // The same after taking `path` as the file path.
    bool Load(const char* path);

    // The layout the last Load found; LAYOUT_NONE before one or when nothing was read.
    LAYOUT GetLayout() const { return m_Layout; }

    double m_Reserved[4]; // zeroed on destruction; the loaders leave it alone
    CString m_FilePath;
    // Why the last Load refused the file (empty: it did not): the file name and line of a value
    // no survey grid can hold. A refused file loads no point at all.
    CString m_strRefusal;
    bool m_Use;             // "Use": drawn on the chart
    bool m_DisplayCorridor; // "Display Corridor"
    double m_PortCorridor;  // width, metres
    double m_StarboardCorridor;
    tagPen m_CorridorPen;
    tagPen m_PipelinePen;
    int16_t m_Diameter; // inches
    double m_Clearance; // anchor-cable alarm distances, metres
    double m_Tolerance;

private:
    void ReadRlx(CStdioFile& file, CGridValueCheck& check);
    void ReadTangentPoints(CStdioFile& file, CGridValueCheck& check);
    void ReadVertices(CStdioFile& file, CGridValueCheck& check);
    void ReadCoded(CStdioFile& file, CGridValueCheck& check);
    void JoinLegs();
    void FitArcs();
    void ComputeCorridor();

    LAYOUT m_Layout = LAYOUT_NONE;
};

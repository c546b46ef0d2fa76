// CPipeline: a pipeline loaded from a comma-separated file of plan positions (easting,
// northing and optionally a KP), with its settings file, the geometry of every leg, its
// corridor and the KP listing: where KP labels go along the line at a fixed KP interval.
//
// Units: eastings, northings, lengths and corridor widths in grid units (metres); bearings in
// radians clockwise from grid north, [0, 2π); KPs in kilometres, so a KP grows by
// length / 1000 along the line.
//
// A CPipeline crosses deliverables by pointer (the panes, the chart and the anchor-cable
// program work on the same object): its members keep this order and these widths.
#pragma once

#include "foundation/ConfigFile.h"
#include "foundation/XYArray.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <cstdint>
#include <type_traits>

// One point of the line and the leg that starts at it.
struct PipelineDef
{
    double Easting;
    double Northing;
    double Length;         // plan distance to the next point; 0 on the last point
    double Reserved1;      // kept zero
    double Reserved2;      // kept zero
    double Bearing;        // of the leg to the next point, [0, 2π)
    double SinBearing;     // sin(Bearing)
    double CosBearing;     // cos(Bearing)
    double ReverseBearing; // Bearing + π below π, else Bearing − π
    double KP;             // kilometre point of this point, from the file or numbered
    double KPRate;         // (KP of next − KP of this) / Length, km per grid unit; 0 without length
    tagXY PortCorridor;    // the corridor's port edge at this point
    tagXY StarboardCorridor;
};

static_assert(sizeof(PipelineDef) == 15 * 8, "a pipeline point is fifteen 8-byte doubles");
static_assert(std::is_trivially_copyable<PipelineDef>::value, "pipeline points are plain records");

// One KP label of the listing.
struct KPListingDef
{
    double KP;      // a whole multiple of the KP interval
    double Easting; // position of the KP on the line
    double Northing;
    int32_t OffsetX; // label offset, screen units: trunc(10 sin a), a = leg bearing + π/2
    int32_t OffsetY; // trunc(−10 cos a)
    CString Label;   // the KP as text, without trailing zeros ("12.5", "3")
    int32_t Angle;   // text angle, whole degrees 0..359
};

class CPipelineArray : public CArray<PipelineDef, PipelineDef>
{
public:
    ~CPipelineArray() override = default;
};

class CKPListingArray : public CArray<KPListingDef, KPListingDef>
{
public:
    ~CKPListingArray() override = default;
};

// The column layouts of a pipeline file.
enum PIPELINE_DATA_ORDER
{
    PIPELINE_EASTING_NORTHING = 0,    // easting, northing (KPs are numbered from the start KP)
    PIPELINE_KP_EASTING_NORTHING = 1, // KP, easting, northing
    PIPELINE_EASTING_NORTHING_KP = 2, // easting, northing, KP
    PIPELINE_DATA_ORDER_COUNT = 3
};

class CPipeline : public CPipelineArray
{
public:
    // The panes' texts of the data orders, indexed by PIPELINE_DATA_ORDER.
    static const char* const m_DataOrderTxt[PIPELINE_DATA_ORDER_COUNT];

    // Empty path, points and listing; settings at their defaults.
    CPipeline();
    ~CPipeline() override;

    // Empties the path, the points and the listing; no point selected.
    void RemoveAll();

    // The settings file: "<file title>_PIPELINE.INI" in the settings folder. Reading a missing
    // file gives the defaults; a short one gives per-line defaults.
    void LoadSettings();
    // Written whole or not at all; nothing is written when it cannot be created.
    void SaveSettings();
    CString GetSettingsName() const;

    // "Active Pipeline.INI": the path of the pipeline the panes have selected (empty: none).
    void SaveActivePath();
    static CString LoadActivePath();

    // Reads the settings and the points of `path` (one point a line, columns in the data
    // order, further fields ignored), then computes legs, KPs, listing and corridor. Lines
    // without an easting and a northing, at (0, 0), or repeating the point before are skipped;
    // a missing KP is 0. True when at least one point was stored.
    bool Load(const char* path);

    // Length, bearing, its sine, cosine and reverse, and the KP rate of every leg.
    void ComputeLegs();
    // With data order 0, numbers the KPs from the start KP, up or down by length / 1000, and
    // recomputes the KP rates; then, for any data order, BuildKpListing.
    void ComputeKps();
    // The KP labels at every whole multiple of the KP interval along the line, when labelling is
    // on and the interval is positive.
    void BuildKpListing();
    // The port and starboard corridor edges at every point: square to the leg at both ends,
    // mitred at inner points.
    void ComputeCorridor();

    CString m_FilePath;
    // Why the last Load refused the file (empty: it did not): the file name and line of a value
    // no survey grid can hold. A refused file loads no point at all.
    CString m_strRefusal;
    CKPListingArray m_KPListing;
    int32_t m_DataOrder;    // PIPELINE_DATA_ORDER; kept as a 16-bit value in the settings file
    bool m_Use;             // "Use"
    bool m_DisplayCorridor; // "Display Corridor"
    double m_PortCorridor;  // width, metres
    double m_StarboardCorridor;
    tagPen m_CorridorPen;
    tagPen m_PipelinePen;
    double m_StartKP; // km
    bool m_IncreasingKPs;
    bool m_LabelKPs;
    double m_KPInterval;     // km
    int16_t m_Diameter;      // unit chosen by the programs that read it
    double m_Clearance;      // the anchor-cable clearance alarm values; used by the programs
    double m_Tolerance;      // that read them
    int32_t m_SelectedIndex; // the panes' selected point; -1 none

private:
    void ComputeKpRates();
};

// CAnchor: the one anchor of the anchor-cable program and its cable: where the fairlead sits on
// the barge, where the anchor lies (or the tug that carries it, or where it is planned to go),
// the cable's make-up (ground chain, lower and upper sections, pennant wire, up to five buoys),
// the top tension, the seabed and cable profiles along the fairlead-to-anchor line, the
// crossings with pipelines and obstructions, and one status text. Every pane edits it, the
// computation, the anchor file and the side view share it; the chart copies it member-wise.
//
// Units: lengths, depths, heights, distances, eastings and northings in metres, depths positive
// down; bearings in radians clockwise from grid north, [0, 2π); latitudes and longitudes in
// radians; tension and anchor weight in tonnes; cable weights in kilograms per metre in water.
//
// Reset clears what is listed here. The stored files also knew a further block of fields (two
// positions, three counters and a large table) whose use lies outside this program; it is not
// kept.
#pragma once

#include "chart/geometry/Profile.h"
#include "zuduzuro/CableSections.h"
#include "zuduzuro/CableShape.h"

#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <cstdint>

class CCableWeight;
class CDtm;
class CGridWaypointList;
class CObject;
class CPipelineList;
class CProjection;

enum ANCHOR_STATUS
{
    ANCHOR_RACKED = 0,    // on the barge: no anchor point
    ANCHOR_LIVE = 1,      // on the tug: the anchor is at the tug
    ANCHOR_ON_BOTTOM = 2, // on the seabed at the anchor position
    ANCHOR_PLANNED = 3    // at the planned position
};

// Status levels, in rising order of what they hide.
enum ANCHOR_STATUS_LEVEL
{
    ANCHOR_LEVEL_NONE = 0,
    ANCHOR_LEVEL_FAULT = 1,   // a fault text (no depth, bad position, ...)
    ANCHOR_LEVEL_WARNING = 3, // a crossing inside its clearance
    ANCHOR_LEVEL_ALARM = 4    // a crossing inside its clearance less its tolerance
};

// One buoy on the cable and the stretch of cable from it towards the fairlead.
struct BuoyDef
{
    bool bUseBuoy;
    double Easting; // computed
    double Northing;
    CableSectionsDef Cable;    // to the next buoy towards the fairlead, or to the fairlead
    double PennantWireLength;  // sets the depth of the buoy's join below the surface
    double DistanceFromAnchor; // from the tug for a Live anchor
    double DistanceFromFairlead;
    double TouchdownDistance; // computed
    bool bPennantAdjusted;    // computed: the stretch was bent down to meet the pennant
    double TouchdownEasting;  // computed: where the stretch last comes down onto the seabed
    double TouchdownNorthing;
    double LiftOffEasting; // computed: where it last leaves the seabed
    double LiftOffNorthing;
};

// One crossing of the anchor line with a pipeline or an obstruction.
struct ObstructionDef
{
    int nKind;       // 1 pipeline, 0 obstruction
    char Name[21];   // the first 20 characters of the name
    double Distance; // from the fairlead along the line
    double SeabedDepth;
    double Clearance; // required clearance
    double Tolerance; // pipeline: its tolerance; obstruction: the radius used
    double Reach;     // pipeline: diameter + clearance; obstruction: half its footprint on the line
    double Height;    // pipeline: its diameter; obstruction: its height above the seabed
    double HeightWithClearance;
    uint8_t bFlag;
};

// A stretch of the seabed profile between two ranges, drawn as crossing a boundary.
struct BoundaryCrossingDef
{
    double FirstRange;
    double SecondRange;
};

// A mark on the side view at a range and depth.
struct TrackPointDef
{
    CString Name;
    double Range;
    double Depth;
    double Value;
    uint32_t Colour; // COLORREF
};

class CAnchor
{
public:
    static constexpr int kBuoys = 5;
    // The weight of a cable type that the table does not hold (kg/m in water).
    static constexpr double kDefaultCableWeight = 21.93;
    // Farthest an anchor point may lie from the fairlead (m).
    static constexpr double kMaximumRange = 10000.0;

    CAnchor();

    // Every field to its reset value; frees the track points and the crossings. The profiles,
    // the pointers and the analogue unit's scaling are left alone.
    void Reset();

    // Fairlead grid position from the barge's reference position and the sine and cosine of its
    // heading: the fairlead offsets turned into grid.
    void SetFairleadPosition(double easting, double northing, double sinHeading, double cosHeading);

    // Position setters. Each stores the point and, with a projection, its latitude and
    // longitude; one that moves the anchor itself also updates range, bearing and buoy
    // distances; each ends with UpdatePlannedOffset.
    void SetAnchorPosition(double easting, double northing);
    void SetPlannedPosition(double easting, double northing);
    void SetTugPosition(double easting, double northing); // with status Live also the anchor
    // The coordinate of the status's own point (Live the tug and anchor, On Bottom the
    // anchor, Planned the planned position; Racked nothing).
    void SetEasting(double easting);
    void SetNorthing(double northing);
    // The status's own point at that range (or bearing) from the fairlead, the other kept.
    void SetRange(double range);
    void SetBearing(double bearing);
    double GetEasting() const;
    double GetNorthing() const;
    // From the fairlead to the status's own point, worked out afresh. GetRange is 0 for
    // Racked and beyond 10000 m.
    double GetRange() const;
    double GetBearing() const;

    // Range and bearing from the fairlead to the status's own point. False, with the status
    // text "Bad Anchor Position" (beyond 10000 m) or "Range to Anchor is Zero" (0 or less,
    // always when Racked), level 1 and range, bearings, sine and cosine all 0.
    bool UpdateRangeAndBearing();
    // Each buoy's distance from the anchor and from the fairlead, when range and bearing can
    // be had.
    void UpdateBuoyDistances();
    // Distance and bearing to the planned position: from the fairlead when Racked, the tug
    // when Live, the anchor when On Bottom; 0 when Planned.
    void UpdatePlannedOffset();
    // Weights in water of every cable type from the table; a type the table does not hold
    // weighs 21.93 kg/m and keeps its index. A buoy's weight below 0 or above 1000 also
    // becomes 21.93.
    void UpdateCableWeights(const CCableWeight& table);
    // Keeps the types pointing at the same rows after row `index` left the table: every type
    // not below it is lowered by one.
    void OnCableTypeRemoved(int index);

    // Fairlead to touchdown point, when all four coordinates are non-zero; else 0.
    double GetDistanceToTouchdown() const;
    // The greatest known depth of the seabed profile's points [first, last); 0 when there is
    // none.
    double GetMaximumSeabedDepth(int first, int last) const;
    // The seabed profile's depth at that distance from the fairlead. With points but no depth
    // there, also the status text "No DTM", level 1.
    double CheckDepthAt(double distance);
    // The cable's depth at that distance from the fairlead, as the computation solved it and
    // lying on the seabed where the seabed is higher; between the cable profile's points too.
    // Where the computation left no cable of its own, the cable profile's depth there.
    double CableDepthAt(double distance) const;
    // Takes the terrain's depth at the status's own point (the anchor, the tug carrying it, the
    // planned point) as the depth at anchor, when a terrain is attached and holds a depth there.
    // Every move of the anchor and every computation runs it, so the depth follows the terrain.
    void UpdateDepthAtAnchor();

    // The anchor's computation, run after every change: from the fairlead, the anchor (or tug)
    // position, the cable make-up and the top tension it builds the seabed profile, places the
    // buoys, solves the cable profile with its touchdown, measures the cable's length and
    // judges the crossings. What stops it is the status text: "Timeout" (it goes on), "Anchor
    // Racked", "No Tension", "No Cable Weight", "No DTM" (it goes on with the water depth),
    // "No Depth", or a position text. A tension, weight or depth that is not a finite number
    // stops it with that field's text. Nothing it leaves is NaN or infinite.
    void ComputeZuduzuro();
    // The seabed profile along the fairlead-to-anchor line: from the terrain model over
    // 1.2 x range (at least the working distance, held within 1000 to 20000 m), interpolated
    // toward the depth at the anchor where the far end leaves the terrain, else a straight
    // slope from the water depth carried 500 m past the anchor. True when it came from the
    // terrain model.
    bool BuildSeabedProfile();
    // Places the buoys in use (consecutive from buoy 1) along the line. False, with every buoy
    // position cleared, when range and bearing cannot be had.
    bool ComputeBuoys();
    // Places buoy 1 on the anchor's own cable.
    void ComputeFirstBuoy();
    // Builds the cable profile over the seabed profile, section by section from the fairlead.
    void SolveZuduzuro();
    // The On Bottom section from buoy 1 (index 0) to the anchor, over the seabed points from
    // `start` on.
    void ComputeLastSection(int buoy, int start);

    // Rebuilds the crossings of the fairlead-to-anchor line with the attached pipelines and
    // obstructions.
    void FindCrossings();
    // Status text and level from the crossings and the cable profile: the worst crossing wins.
    void ComputeClearances();

    // "ANCHOR.ANK" in the anchor folder, written whole or not at all. False when there is no
    // file name, no anchor folder, the file cannot be written, or the file was there at start
    // but refused (IsFileRefused): what the user left in it is never written over.
    bool Save() const;
    // As Save, where a refused file counts as done: it is kept from every save on purpose and
    // the start told so. False only when a save was due and failed.
    bool SaveUnlessRefused() const { return m_bFileRefused || Save(); }
    // Reads the anchor file at that Windows path, every line in the order Save writes it, each
    // line's key checked (blank lines, CR, LF or CR LF line ends and a UTF-8 or UTF-16 byte-order
    // mark are all taken). A value that is no number or lies beyond what any anchor spread
    // holds is not taken and is told in GetLoadProblems; the rest loads. A file that does not
    // match (a key out of its place, a missing or extra line, no text) is refused whole: the
    // anchor stays as it was, IsFileRefused becomes true and GetLoadProblems says where. True
    // when the file loaded; false for a missing file too, which is no problem.
    bool Load(const char* path, const CCableWeight& table);
    // What the program does once at start: reset, file name "ANCHOR", read the file when it is
    // there, then take part either way.
    void LoadAtStart(const CCableWeight& table);
    // The file's path; empty without a file name or anchor folder.
    CString GetFilePath() const;
    bool IsFileRefused() const { return m_bFileRefused; }
    // What the last load did not take, a sentence each naming the file, the line and the key.
    const CStringArray& GetLoadProblems() const { return m_LoadProblems; }

    CProfile m_SeabedProfile; // from the fairlead past the anchor
    CProfile m_CableProfile;  // the computed cable, drawn through the seabed profile's points
    CCableShape m_CableShape; // the computed cable, section by section, as its solvers solved it
    CProjection* m_pProjection;     // not owned; with it every setter keeps the geographic form
    bool m_Use;
    CString m_Name;
    int m_DisplayOption1;
    double m_FairleadX; // to starboard
    double m_FairleadY; // forward
    double m_FairleadZ; // height on the barge
    double m_FairleadEasting;
    double m_FairleadNorthing;
    int m_DisplayOption2;
    int m_DisplayOption3;
    int m_DisplayOption4;
    double m_FairleadLevel; // Z plus the waterline-to-zero value
    CString m_StatusText;
    int m_StatusLevel; // ANCHOR_STATUS_LEVEL
    int m_PreviousStatusLevel;
    bool m_StraightCable;
    CString m_FileName;
    double m_AnchorEasting;
    double m_AnchorNorthing;
    double m_AnchorLatitude;
    double m_AnchorLongitude;
    double m_PlannedEasting;
    double m_PlannedNorthing;
    double m_PlannedLatitude;
    double m_PlannedLongitude;
    double m_TugEasting;
    double m_TugNorthing;
    double m_TugLatitude;
    double m_TugLongitude;
    int m_Status; // ANCHOR_STATUS
    bool m_PositionCurrent;
    int m_TugNo; // 0..6
    double m_TugFairleadHeight;
    double m_Tolerance;
    double m_TouchdownEasting;
    double m_TouchdownNorthing;
    double m_LastFairleadEasting;
    double m_LastFairleadNorthing;
    double m_LastAnchorEasting;
    double m_LastAnchorNorthing;
    double m_SeabedDepthBelowFairlead;
    double m_DepthAtAnchor;
    bool m_DepthAtAnchorFromDtm; // the depth at anchor is the terrain's (not one entered)
    bool m_FarPointInsideDtm;
    double m_Range;
    double m_Bearing;
    double m_SinBearing;
    double m_CosBearing;
    double m_BackBearing;
    double m_DistanceToPlanned;
    double m_BearingToPlanned;
    CableSectionsDef m_Cable;
    GroundChainDef m_GroundChain;
    int m_PennantMode; // 0 Normal Recovery, 1 Hanging on Pennant, 2 Recovered to Deck
    int16_t m_PennantWireType;
    double m_PennantWireWeight;
    double m_TugPennantWireLength;
    double m_CableOnDeck;
    double m_AnchorWeight; // tonnes
    double m_Tension;      // tonnes
    int m_BuoysInUse;
    BuoyDef m_Buoys[kBuoys];
    int m_BuoyStackCount;
    int m_BuoyStack[kBuoys];
    bool m_UseCableOut;
    double m_ComputedCableLength;
    double m_ObservedCableOut;
    bool m_Display;
    int16_t m_WinchOperator; // 0..2
    CDtm* m_pDtm;            // not owned
    double m_DepthAtFairleadCopy;
    bool m_ProfileFromDtm;
    double m_WaterDepth;
    double m_WaterlineToZero;
    double m_WorkingDistance;
    double m_AnalogueSlope;
    double m_AnalogueOffset;
    int m_AnalogueModule;  // 0..16
    int m_AnalogueChannel; // -1..7
    CArray<TrackPointDef, const TrackPointDef&> m_TrackPoints;
    CPipelineList* m_pPipelines;        // not owned
    CGridWaypointList* m_pObstructions; // not owned
    CObject* m_pThirdList;              // never set; stays null
    CArray<ObstructionDef, const ObstructionDef&> m_Crossings;
    CArray<BoundaryCrossingDef, const BoundaryCrossingDef&> m_BoundaryCrossings;

private:
    // The type's weight in water; 21.93 for a type the table does not hold.
    static double CableTypeWeight(const CCableWeight& table, int type);
    // The same, where a weight outside what a buoy line can be (below 0, above 1000) is taken
    // as unknown.
    static double BuoyCableWeight(const CCableWeight& table, int type);
    // The status's own point; false for Racked (and a status outside the four).
    bool GetOwnPoint(double& easting, double& northing) const;
    // Moves the status's own point through its setter.
    void SetOwnPoint(double easting, double northing);
    void StoreGeographic(double easting, double northing, double& latitude, double& longitude) const;
    void ClearRangeAndBearing();
    // Marks the file refused, with why and what follows from it.
    void RefuseFile(const CString& why);

    bool m_bFileRefused = false;
    CStringArray m_LoadProblems;
};

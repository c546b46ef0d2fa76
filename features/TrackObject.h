// CTrackObject: the common part of a tracked object, a vessel (CBarge) or a subsea template
// (CTemplate), whose position the survey software follows and steers onto a target: its
// tracking points, its target (a waypoint of a grid-waypoint file or a line of a sail-line
// file), the target heading and the target box drawn round the target, tolerances, trail,
// outline drawing and the options of its target plot.
//
// Units: eastings, northings, offsets, lengths and widths in grid metres; headings and
// convergence in degrees, clockwise from north, [0, 360]; tolerances as the panes enter them.
#pragma once

#include "features/Dxf.h"
#include "features/Outline.h"
#include "features/GridWaypoint.h"
#include "features/SailLine.h"
#include "features/TargetPlot.h"
#include "features/Trail.h"
#include "features/TrackingPoint.h"
#include "foundation/XYArray.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <cstdint>
#include <functional>

class CConfigFile;
class CGps;
class CGridWaypointList;
class CSailLineList;
class CSettingsLines;

class CTrackObject
{
public:
    CTrackObject();
    CTrackObject(const CTrackObject&) = delete;
    CTrackObject& operator=(const CTrackObject&) = delete;
    virtual ~CTrackObject();

    // The name of the selected tracking-point type; empty for a type outside 0..9.
    CString GetTrackingPointTypeName() const;

    // The array of tracking-point type `type`; null when this kind of object has none of that
    // type (the common reference point is the object itself).
    virtual CTrackingPointArray* GetTrackingPointArray(int type) const = 0;
    // The record `index` of the array of tracking-point type `type`; null when this kind of
    // object has no array of that type or the index lies outside it.
    TrackingPointDef* GetTrackingPoint(int type, int index) const;
    // The name of the selected tracking point; "n/a" when none is selected or it does not
    // exist. With the common reference point selected: "CRP - <name of the primary GPS
    // antenna>" when the primary GPS index lies within the antennas.
    virtual CString GetTrackingPointName() const;
    // The grid position of the point GetTrackingPointName names: the common reference point's
    // own with the common reference point selected, else the selected point's. False, and
    // `position` untouched, when that point does not exist.
    virtual bool GetTrackingPointPosition(tagXY& position) const;

    // The antenna whose receiver positions the object: the primary one while it is in use and
    // its receiver (entry i of `receivers` belongs to antenna i) has not timed out, else the
    // first other such antenna, else the primary. Every timed-out receiver met on the way loses
    // its last fix (ClearGpsFix). A primary index below 0 or beyond the receivers, or no
    // receivers, gives the primary index and touches nothing; every other index is bounded by
    // both the antennas and the receivers, so a receiver list shorter or longer than the
    // antennas is never read past its end.
    int SelectActiveGps(const CArray<CGps*, CGps*>* receivers) const;
    // SelectActiveGps over the object's own receiver list (m_pGpsList).
    int GetPrimaryGpsIndex() const { return SelectActiveGps(m_pGpsList); }

    // Selects waypoint `point` of file `file` of the waypoint list as the target (a negative
    // argument keeps the current index) and copies it. An index above the last is taken as the
    // last; without a list, or with an empty file, the target stays cleared and invalid. The
    // target is valid unless it lies at exactly (0, 0); a valid target gets its box corners.
    void SetTargetWaypoint(int file, int point);
    // The same for line `line` of sail-line file `file`; the line is valid when its start and
    // end differ.
    void SetTargetSailLine(int file, int line);
    // The path of the selected waypoint (sail-line) file; empty without a list or when the
    // index lies outside it.
    CString GetTargetWaypointFileName() const;
    CString GetTargetSailLineFileName() const;

    // Grid heading = target heading − convergence, taken into [0, 360); its sine and cosine
    // are kept. A target heading outside [0, 360] leaves the grid heading as it was and gives
    // sine and cosine 0 (no heading).
    void SetTargetHeading();
    void SetTargetHeading(double targetHeading);

    // The four corners of the target box of half-sizes (dx, dy) round the target waypoint,
    // turned by the grid heading: offsets (dx, dy), (dx, −dy), (−dx, −dy), (−dx, dy) rotated
    // and rounded to the nearest whole metre, then added to the waypoint.
    void ComputeTargetOutline();

    // Where the common reference point must be for the selected tracking point to lie on the
    // target waypoint: the waypoint less the point's offset turned by the grid heading; the
    // waypoint itself for the common reference point or a point that does not exist. Also
    // kept as m_TargetPosition.
    void GetTargetPosition(tagXY& position);

    // Writes the settings file "<Vessel data folder><name>.<extension>", whole or not at all.
    // Skipped silently when the object has no name or the file cannot be written.
    virtual void Save() = 0;
    // Reads it back; false (nothing changed) when it cannot be opened.
    virtual bool Load() = 0;

    // The common part, written into an open settings file; the outline drawing's display
    // settings go to their own file.
    void SaveSettings(CConfigFile& file);
    // Reads the common part back in the writer's order; the point sections by name.
    void LoadSettings(CSettingsLines& lines);

    // "<Vessel data folder><name>.<extension>"; empty when the object has no name or the
    // folder cannot be found or made.
    CString GetSettingsFileName(const char* extension) const;

    // identity
    CString m_Name; // also names the settings file
    bool m_bActive;
    // devices
    int32_t m_PrimaryGps; // index into the antennas: the common reference point's source
    int32_t m_PrimaryMru;
    // tracking point
    int32_t m_TrkPtType; // TRACKING_POINT_TYPE
    int32_t m_TrkPtNo;   // index into that type's array
    int32_t m_TrkPtSymbolSize;
    // target heading (degrees)
    double m_TargetHeading; // "True Alignment"
    double m_Convergence;
    double m_GridHeading;
    double m_SinHeading;
    double m_CosHeading;
    // outline
    CDxf m_Outline; // the outline drawing; m_OutlineFile names its file
    CString m_OutlineFile;
    bool m_bShowOutline;
    COLORREF m_OutlineColour;
    int32_t m_OutlineSize;
    int32_t m_OutlineStyle;
    int32_t m_OutlineFill;
    COLORREF m_ShadowColour;
    int32_t m_ShadowSize;
    int32_t m_ShadowStyle;
    int32_t m_ShadowFill;
    double m_LengthA;
    double m_LengthB;
    double m_WidthA;
    double m_WidthB;
    double m_BoxDx; // half-sizes of the target box, metres
    double m_BoxDy;
    tagXY m_BoxCorner[4];
    // target plot
    TargetPlotOptionsDef m_PlotOptions;
    // trail
    bool m_bEnableTrail;
    bool m_bShowTrail;
    COLORREF m_TrailColour;
    int32_t m_MaxTrailSize;
    CTrail m_Trail; // run-time, never stored
    // points
    CTrackingPointArray m_Antennas;
    CTrackingPointArray m_Offsets;
    // target waypoint
    CGridWaypointList* m_pWaypointList; // not owned
    int32_t m_WaypointFileIndex;
    int32_t m_WaypointNo;
    bool m_bTargetValid;
    GridWaypointDef m_TargetWaypoint; // a copy of the selected waypoint
    COLORREF m_WaypointColour;
    // target sail line
    CSailLineList* m_pSailLineList; // not owned
    int32_t m_SailLineFileIndex;
    int32_t m_SailLineNo;
    bool m_bLineValid;
    SailLineDef m_TargetSailLine; // a copy of the selected line
    COLORREF m_SailLineColour;
    // tolerances
    double m_HeadingTolerance;
    double m_PitchTolerance;
    double m_RollTolerance;
    double m_DepthTolerance;
    // the last result of GetTargetPosition
    tagXY m_TargetPosition;

    // Run-time state that the host keeps up to date and the chart reads; never stored.
    tagXY m_Position;        // grid E, N of the common reference point
    double m_Heading;        // degrees clockwise from grid north; -1 none
    int32_t m_OutlineMode;   // 1, 3, 4 the outline symbol; 2 the drawing m_Outline; other none
    COutline m_OutlineShape; // the outline symbol, metres from the common reference point
    bool m_bTargetDisplay;   // the outline is also drawn where the target puts the object
    int32_t m_TargetMode;    // 1..4
    // The host's receivers, entry i belonging to antenna i; not owned, null when it has none.
    CArray<CGps*, CGps*>* m_pGpsList = nullptr;
    double m_TargetRange = 0.0; // metres, from the tracking point to the target
    double m_PositionX = 0.0;   // metres, the tracking point off the target across the target heading
    double m_PositionY = 0.0;   // metres, the tracking point off the target along the target heading
    tagXY m_TrkPtPosition = {0.0, 0.0}; // grid E, N of the selected tracking point

    // The pens (style, width, colour, fill) of the outline and of its shadow at the target,
    // from the stored outline and shadow settings.
    tagPen GetOutlinePen() const;
    tagPen GetShadowPen() const;
    // The heading is known unless it is -1.
    bool HasHeading() const { return m_Heading != -1.0; }

protected:
    // "[<name>]" and one line a point; nothing at all for an empty array.
    static void WritePoints(CConfigFile& file, const char* name, const CTrackingPointArray& points);
    // The points of section `name`, replacing those of `points`; lines that do not read as a
    // point are left out.
    static void ReadPoints(const CSettingsLines& lines, const char* name, CTrackingPointArray& points);
    // The settings file for `extension` written anew through `write`, whole or not at all;
    // skipped when the object has none to write.
    void WriteVesselFile(const char* extension, const std::function<void(CConfigFile&)>& write) const;
    // The settings file for `extension` read (point lines kept in sections) and handed to
    // `read`; false when it cannot be opened.
    bool ReadVesselFile(const char* extension, const std::function<void(CSettingsLines&)>& read) const;
    // The antennas or offsets of the object for those types; null for any other type.
    CTrackingPointArray* GetCommonPointArray(int type) const;
    // One look-up serves the readers of a const object and the panes that edit its points.
    static CTrackingPointArray* Editable(const CTrackingPointArray& points)
    {
        return const_cast<CTrackingPointArray*>(&points);
    }
    // The fewest commas in a point line.
    static const int kPointSeparators = 10;

private:
    void ClearTargetWaypoint();
    void ClearTargetSailLine();
};

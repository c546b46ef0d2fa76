// CBarge: a tracked vessel (barge): a tracked object with its draft, the height of its water
// line above the zero of its offsets, and its legs, cranes, transducers, reference systems and
// clump weights. Kept in "<Vessel data folder><name>.VSL".
#pragma once

#include "features/TrackObject.h"

// Where a clump weight was let go: grid E, N and the dropped flag (1 dropped, 0 picked up).
struct DroppedClumpWeightDef
{
    double Easting;
    double Northing;
    int32_t Flag;
};

class CGps;

class CBarge : public CTrackObject
{
public:
    CBarge();

    // As for any tracked object, except that a vessel without a heading (m_Heading -1) cannot
    // place its tracking point by the point's offsets: its primary antenna is then the tracking
    // point, so the name is that antenna's ("n/a" when the primary index lies outside the
    // antennas). The chart's menus and the survey panes name the point through this alike.
    CString GetTrackingPointName() const override;
    // Likewise the primary antenna's position while the vessel has no heading.
    bool GetTrackingPointPosition(tagXY& position) const override;

    // Tracking-point types 1 to 7: antennas, offsets, legs, cranes, transducers, reference
    // systems, clump weights; null for any other type.
    CTrackingPointArray* GetTrackingPointArray(int type) const override;

    // "Draft", "Water Line To Zero", the common part, the point sections "Cranes",
    // "Clump Weights", "Legs", "Ref Systems", "Transducers", then "Declutter" last, where a
    // reader of the file without it stops before it (a file without it loads declutter off).
    void Save() override;
    bool Load() override;

    double m_Draft;           // metres
    double m_WaterLineToZero; // metres
    CTrackingPointArray m_Cranes;
    CTrackingPointArray m_ClumpWeights;
    CTrackingPointArray m_Legs;
    CTrackingPointArray m_RefSystems;
    CTrackingPointArray m_Transducers;
    // The chart draws the vessel's point symbols without their labels; the user's choice on
    // the chart, kept with the vessel's other display settings.
    bool m_bDeclutter = false;

    // Run-time, never stored: one record per clump weight, by index, and the grid point on
    // the vessel where the divider starts.
    CArray<DroppedClumpWeightDef, const DroppedClumpWeightDef&> m_DroppedClumpWeights;
    tagXY m_DividerStart;
    // The heading source is the tracked object's m_Heading: -1 (no heading) is the value that
    // makes the primary antenna the tracking point (GetTrackingPointName).
    // The antennas whose receivers give the GPS heading (indices into m_Antennas and the
    // receivers), and that heading, degrees clockwise from grid north.
    int32_t m_GpsHeadingA = 0;
    int32_t m_GpsHeadingB = 1;
    double m_GpsHeading = 0.0;
    // The bearing to the target, degrees [0, 360) clockwise from grid north; the range is the
    // tracked object's m_TargetRange.
    double m_TargetBearing = 0.0;
    // The common reference point against the host's reference line: KP (km) and DCC (metres,
    // across the line).
    double m_CrpKp = 0.0;
    double m_CrpDcc = 0.0;
};

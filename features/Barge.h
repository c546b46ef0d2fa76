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

    // The antenna whose receiver positions the vessel on the chart: the primary one while it is
    // enabled and its receiver (entry i of `receivers` belongs to antenna i) has not timed out,
    // else the first other such antenna, else the primary. Every timed-out receiver met on the
    // way has its last fix cleared. A primary index below 0 or beyond the receivers, or no
    // receivers, gives the primary index and touches nothing.
    int SelectActiveGps(const CArray<CGps*, CGps*>* receivers) const;

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
};

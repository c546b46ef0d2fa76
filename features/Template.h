// CTemplate: a tracked subsea template: a tracked object with reflectors and beacons. Kept in
// "<Vessel data folder><name>.TPL".
#pragma once

#include "features/TrackObject.h"

class CTemplate : public CTrackObject
{
public:
    CTemplate() = default;

    // Tracking-point types 1, 2, 8 and 9: antennas, offsets, reflectors, beacons; null for any
    // other type.
    CTrackingPointArray* GetTrackingPointArray(int type) const override;

    // The common part, then the point sections "Reflectos" (so spelt in every stored file) and
    // "Beacons".
    void Save() override;
    bool Load() override;

    CTrackingPointArray m_Reflectors;
    CTrackingPointArray m_Beacons;

    // Run-time, never stored: the template's position by source, and which one the chart
    // places the template at (0..4).
    static constexpr int kPositionSources = 5;
    tagXY m_Positions[kPositionSources] = {};
    int32_t m_SelectionIndex = 0;
    // The position of the selection index; (0, 0) for an index outside 0..4.
    tagXY GetSelectedPosition() const;
};

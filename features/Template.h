// CTemplate: a tracked subsea template: a tracked object with reflectors and beacons. Kept in
// "<Vessel data folder><name>.TPL".
#pragma once

#include "features/TrackObject.h"

#include <utility>

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

    // The template's common reference point as found from each source (0, 1 the first and
    // second GPS, then the total stations), grid metres; run-time, never stored. One index
    // chooses the source for everything: the stored primary GPS index (m_PrimaryGps) is the
    // primary CRP source, so the chart draws the template where the positioning pane's chosen
    // source puts it.
    static constexpr int kPositionSources = 5;
    tagXY m_Positions[kPositionSources] = {};
    // The position of the primary source; (0, 0) for an index outside 0..4.
    tagXY GetSelectedPosition() const;

    // Range (grid metres) and bearing (degrees [0, 360), clockwise from grid north) from the
    // primary source's CRP to source `other`'s. (0, 0) when either position is exactly (0, 0)
    // (that source gives none) or either index lies outside 0..4.
    std::pair<double, double> GetCrpRangeBearing(int other) const;

    // Run-time, never stored, kept up to date by the host. Headings in degrees clockwise from
    // grid north; the baseline between the reflectors in metres.
    double m_GpsHeading = 0.0;
    double m_TotalStationHeading = 0.0;
    double m_BaselineMeasured = 0.0;
    double m_BaselineObserved = 0.0;
    double m_BaselineDifference = 0.0;
};

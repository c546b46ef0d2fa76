// CTransponderSite: the seabed transponder's trial position as the Boxin and USBL calibrations
// share it: grid easting, northing and depth with the latitude and longitude, grid convergence
// and grid scale factor there, kept in step through the projection in use; and the turn of the
// transducer offsets from the vessel's reference point onto the grid.
//
// Eastings, northings and depths in metres (depth positive down); latitude, longitude and
// convergence in radians; headings and gyro corrections in degrees clockwise from north.
#pragma once

#include "platform/core/WinTypes.h"

class CProjection;

class CTransponderSite
{
public:
    CTransponderSite() = default;

    // Stores the projection (not owned; null for none). With one, the latitude, longitude,
    // convergence and grid scale factor are taken at the trial easting and northing.
    void SetProjection(CProjection* projection);
    CProjection* GetProjection() const { return m_pProjection; }
    // Radians. With a projection the trial easting, northing, convergence and grid scale factor
    // follow from the new latitude and longitude.
    void SetTransponderLatitude(double latitude);
    void SetTransponderLongitude(double longitude);
    // Metres. With a projection the latitude, longitude, convergence and grid scale factor
    // follow from the new easting and northing.
    void SetTransponderEasting(double easting);
    void SetTransponderNorthing(double northing);

    // The transducer of an observation: the offsets (x to starboard, y forward, metres) turned
    // by h = heading + gyro correction - convergence (the heading is a true one, the grid's
    // north lies the convergence clockwise of true north) and added to the vessel position.
    void TransducerPosition(double vesselEasting, double vesselNorthing, double headingDegrees, double offsetX,
                            double offsetY, double gyroCorrectionDegrees, double* easting, double* northing) const;

    // A slant range (metres) between transducer and transponder reduced to the grid: only its
    // horizontal part takes the grid scale factor k, r' = sqrt((r^2 - d^2) k^2 + d^2) with d the
    // vertical separation. False when the range is not above 0 or shorter than the separation
    // (it has no horizontal part to scale); `gridRange` is then untouched.
    bool ReduceToGrid(double slantRange, double depth, double* gridRange) const;

    double m_TransponderEasting = 0.0;
    double m_TransponderNorthing = 0.0;
    double m_TransponderDepth = 0.0;
    double m_TransponderLatitude = 0.0;  // radians
    double m_TransponderLongitude = 0.0; // radians
    double m_Convergence = 0.0;          // radians, grid north clockwise of true north
    double m_GridScaleFactor = 1.0;      // never 0: a projection that gives 0 leaves 1

protected:
    // Resets the derived values to none (after the trial position is read from settings).
    void ClearGridTerms();

private:
    void TakeGridTerms(double convergence, double scale);

    CProjection* m_pProjection = nullptr;
};

// The colour of an observation by the quadrant of its grid bearing (degrees, any turn):
// below 45 or from 315 on 0x00FFFF, 45 to below 135 0xFFFF00, 135 to below 225 0xFF0000,
// 225 to below 315 0xFF00FF.
COLORREF ObservationQuadrantColour(double bearingDegrees);

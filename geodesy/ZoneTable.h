// The listed entries of the built-in zone table (CProjection::SetZone): one row per entry of the
// types whose entries are not computed from their number, with the published definition its
// parameters come from. Internal to the zone table.
#pragma once

#include <cstdint>

namespace zonetable
{
struct Entry
{
    const char* name;    // the system's grid name
    const char* country; // the system's country or qualifier text
    int32_t epsg;        // EPSG code of the definition (a projected CRS or a conversion); 0: none
    int spheroidRow;     // row of the built-in spheroid table; -1 keeps the projection's spheroid
    int method;          // CProjection::m_Method of the entry
    double latitude;     // degrees: latitude of origin (of the centre, for the oblique Mercator)
    double longitude;    // degrees east of Greenwich: longitude of origin (or of the centre)
    double falseEasting; // grid units (metres; US survey feet for the 1927 State Plane zones)
    double falseNorthing;
    double scale;     // k0; 0 marks an entry listed without a published definition
    double parallel1; // degrees: standard parallels of the two-parallel conics
    double parallel2;
    double azimuth;        // degrees: oblique Mercator, azimuth of the central line at the centre
    double rectify;        // degrees: oblique Mercator, angle from the rectified to the skew grid
    bool atCentre;         // oblique Mercator: the false easting and northing are the centre's
    double ellipsoidScale; // 1927 Michigan Lambert zones: the ellipsoid enlarged by this factor
};

// The rows of a listed type (1, 4..12), and their number; null for the computed types.
const Entry* Listed(int type, int& count);

// Defined in the table sources of each group of types.
extern const Entry kNationalGrids[39];  // type 1
extern const Entry kStatePlane83Tm[54]; // type 4
extern const Entry kLambertConics[76];  // type 6
extern const Entry kStatePlane27[130];  // type 12
} // namespace zonetable

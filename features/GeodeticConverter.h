// CGeodeticConverter: the feature library's datum converter. It converts between a "from" grid
// (its own spheroid and projection, which an outside spheroid and projection may follow) and a
// "to" grid, with the geodesy engine's spheroids, projections and zone table. This library
// offers only the grid-to-grid method (0): the geographic position passes unchanged and each
// side takes its grid co-ordinates from its own projection.
//
// The engine's datum class offers further methods (Helmert sets, grid shifts, user files);
// their grids are not held here, since nothing in this library reads them and an NTv2 grid
// object would write its settings file each time a converter is destroyed.
#pragma once

#include "features/Ellipsoid.h"
#include "geodesy/Projection.h"
#include "platform/core/String.h"

#include <cstdint>

class CGeodeticConverter
{
public:
    enum
    {
        METHOD_GRID_TO_GRID = 0
    };

    // Both spheroids table row 26 ("WGS84") with distance method 0, both projections bound to
    // their spheroids, no links, the transformation reset, method 0 and the flag 1; the "to"
    // projection is entry 1 of the national grids (type 1), which leaves its spheroid WGS84.
    CGeodeticConverter();
    CGeodeticConverter(const CGeodeticConverter&) = delete;
    CGeodeticConverter& operator=(const CGeodeticConverter&) = delete;

    // Texts and the grid-file name empty, the seven parameters 0.
    void Reset();

    // An outside spheroid and projection (not owned; null for none) that follow the "from"
    // side: SetDatum gives the spheroid the "from" spheroid and matches the projection's zone
    // to its spheroid.
    void Link(CSpheroid* spheroid, CProjection* projection);

    // Selects the transformation: `method` and `flag` are stored (`unused` is not read), the
    // further index cleared. Method 0 names the datum "Grid To Grid", takes the "from"
    // spheroid's name as the from text, copies the "from" spheroid (names, axes, code) into the
    // linked spheroid when there is one and takes its name as the to text, and zeroes the seven
    // parameters; true. Any other method: false, texts and parameters untouched. Either way the
    // zones of the "from" projection and of the linked projection are then matched to their
    // spheroids (MatchZoneToSpheroid).
    bool SetDatum(int unused, int method, int flag);

    // Geographic (radians, height in metres) from one side to the other: direction +1 from
    // "from" to "to", -1 back. With method 0 the position passes unchanged; true. False for any
    // other method, outputs untouched. Outputs may be null.
    bool ConvertGeographic(double latitude, double longitude, double height, double* toLatitude,
                           double* toLongitude, double* toHeight, int direction) const;

    // Makes a named zone agree with the projection's spheroid after the spheroid changed. A UTM
    // zone (type 0) suits every spheroid and stays. Otherwise the zone's own spheroid (the one
    // its table entry or user file selects) is compared with the projection's by name and
    // country: the same keeps the zone; else the first entry of the same type on the
    // projection's spheroid is selected; else UTM zone 31. A zone the table does not know
    // stays. True when the zone was kept.
    static bool MatchZoneToSpheroid(CProjection& projection);

    // Members in this order.
    CEllipsoid m_Spheroid;            // "from" spheroid
    CProjection m_Projection;         // "from" projection, on m_Spheroid
    CSpheroid* m_pLinkedSpheroid;     // follows the "from" spheroid; not owned
    CProjection* m_pLinkedProjection; // follows the "from" projection; not owned
    CString m_GridFileName;           // transformation grid file title (unused by method 0)
    int32_t m_Method;                 // 0: grid to grid
    int32_t m_Flag;                   // the third SetDatum value; 1 at start
    int32_t m_Index;                  // further index of the transformation; 0
    CString m_FromName;               // datum texts shown to the user
    CString m_ToName;
    CString m_DatumName;
    double m_Tx, m_Ty, m_Tz;    // translations, metres
    double m_Rx, m_Ry, m_Rz;    // rotations, arc-seconds
    double m_Ds;                // scale difference, parts per million
    CEllipsoid m_ToSpheroid;    // "to" spheroid
    CProjection m_ToProjection; // "to" projection, on m_ToSpheroid
};

// "Grid Zone 31 (3\xB0 E)": "Grid Zone ", the zone two wide, the central meridian
// |6 zone - 183| in whole degrees and 'W' for zones below 31, else 'E'.
CString GetUtmZoneName(int zone);

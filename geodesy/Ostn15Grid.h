// COstn15Grid: the OSTN15 transformation between Ordnance Survey National Grid co-ordinates
// (OSGB36 on the Airy 1830 ellipsoid, transverse Mercator) and ETRS89 latitude and longitude,
// from the pair of single-grid NTv2 files "OSTN15_NTv2_OSGBtoETRS.gsb" and
// "OSTN15_NTv2_ETRStoOSGB.gsb" in the running program's folder, with its own National Grid
// projection formulas.
//
// Projection formulas: the transverse Mercator series of Redfearn (1948) in the form of the
// Ordnance Survey's "A guide to coordinate systems in Great Britain", carried to the eighth
// power of the distance from the central meridian, with the meridian arc to e^8. Over the
// OSTN15 grid (49.75 N..61 N, 9 W..2 E) the forward formulas are within 0.1 mm of the exact
// projection; the inverse within 0.1 mm up to 5 degrees from the central meridian (2 W) and
// within 1.5 mm at 9 W.
#pragma once

#include "geodesy/NTv2.h"

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <cstdint>

// The ellipsoid constants that the National Grid formulas read.
struct NationalGridConstantsDef
{
    double a;          // semi-major axis, metres
    double e2;         // e^2 = 2f - f^2, f = (a - b) / a
    double oneMinusE2; // 1 - e^2
    double A0;         // 1 - e^2/4 - 3e^4/64 - 5e^6/256 - 175e^8/16384
    double A2;         // 3/8 (e^2 + e^4/4 + 15e^6/128) + 105e^8/4096
    double A4;         // 15/256 (e^4 + 3e^6/4) + 525e^8/16384
    double A6;         // 35e^6/3072 + 175e^8/12288
    double M0;         // meridian arc from the equator to the true origin (49 N), metres
};

// Fills the constants from the semi-major and semi-minor axes (metres).
void ComputeNationalGridConstants(double a, double b, NationalGridConstantsDef& constants);

// Latitude and longitude (radians, positive north and east) to National Grid easting and
// northing (metres; either output may be null): scale 0.9996012717 on the central meridian
// 2 W, true origin 49 N, false easting 400000 m, false northing -100000 m.
void GeographicToNationalGrid(double* easting, double* northing, const NationalGridConstantsDef& constants,
                              double latitude, double longitude);

// National Grid easting and northing (metres) to latitude and longitude (radians; the
// longitude output may be null, in -pi..pi). `latitude` gives the start of the meridian-arc
// iteration (0 or beyond +-pi/2 starts at 1 rad) and receives the result. The iteration stops
// when the latitude changes by no more than 4.848136811095278e-9 rad; after 100 rounds
// without that, the footpoint latitude is taken as 0.
void NationalGridToGeographic(double& latitude, double* longitude, const NationalGridConstantsDef& constants,
                              double easting, double northing);

// x rounded to a whole number, halves away from zero (2.5 gives 3, -2.5 gives -3).
double RoundHalfAwayFromZero(double x);

class COstn15Grid
{
public:
    enum
    {
        HEADER_BYTES = 352 // overview header and the one sub-file header
    };

    // Empty: headers zeroed, no records.
    COstn15Grid();
    ~COstn15Grid();
    COstn15Grid(const COstn15Grid&) = delete;
    COstn15Grid& operator=(const COstn15Grid&) = delete;

    // Zeroes both headers and frees both record arrays.
    void Clear();
    // Reads both files from the running program's folder. True when both are held; otherwise
    // neither is.
    bool Load();
    // The same from a given folder (a Windows path ending in '\').
    bool LoadFromFolder(const char* folder);
    bool IsLoaded() const { return m_pEtrsToOsgb && m_pOsgbToEtrs; }

    // National Grid northing and easting (metres) to ETRS89 latitude and longitude (radians).
    // False, with the outputs untouched, when the grid is not loaded or the point lies outside
    // it (its bounds are inclusive).
    bool OsgbToEtrs(double& latitude, double& longitude, double northing, double easting) const;
    // ETRS89 longitude and latitude (radians) to National Grid easting and northing (metres).
    // False, with the outputs untouched, as above.
    bool EtrsToOsgb(double& easting, double& northing, double longitude, double latitude) const;

    BYTE m_EtrsToOsgbHeader[HEADER_BYTES];    // as stored in "OSTN15_NTv2_ETRStoOSGB.gsb"
    GridShiftRecordDef* m_pEtrsToOsgb;        // owned
    BYTE m_OsgbToEtrsHeader[HEADER_BYTES];    // as stored in "OSTN15_NTv2_OSGBtoETRS.gsb"
    GridShiftRecordDef* m_pOsgbToEtrs;        // owned
    NationalGridConstantsDef m_FromConstants; // MAJOR_F, MINOR_F of the OSGB-to-ETRS file (Airy)
    NationalGridConstantsDef m_ToConstants;   // MAJOR_T, MINOR_T of the same; kept, not used
    // Extent and spacing of the OSGB-to-ETRS grid, arc-seconds (longitudes positive west).
    double m_ELong;
    double m_SLat;
    double m_WLong;
    double m_NLat;
    double m_LongInc;
    double m_LatInc;
    int32_t m_Columns; // nodes along a parallel
    int32_t m_Rows;    // nodes along a meridian

private:
    // Where one grid's nodes lie, from its own header.
    struct ExtentDef
    {
        double sLat, nLat, eLong, wLong, latInc, longInc; // arc-seconds
        int32_t rows, columns;
    };
    // Reads one file's header and records; false (nothing kept) unless the file is whole and
    // describes exactly one sub-grid whose node count matches its extent.
    static bool ReadGridFile(const CString& path, BYTE* header, GridShiftRecordDef*& records,
                             ExtentDef& extent);
    // The latitude and longitude shifts (arc-seconds) at a point given in radians; false
    // outside the grid.
    static bool Shift(const GridShiftRecordDef* records, const ExtentDef& extent, double latitude,
                      double longitude, double& latitudeShift, double& longitudeShift);

    ExtentDef m_OsgbExtent;
    ExtentDef m_EtrsExtent;
};

// CDatum: converts a position between two geodetic datums, the "From" side (its own spheroid
// and projection) and the "To" side (the program's spheroid and projection, by pointer), by
// one of ten methods: none, built-in seven-parameter Helmert sets, the OSTN grid, the
// Norwegian latitude blend, NADCON/HPGN grids, the Canadian NTv2 grid, grid-to-grid Helmert
// sets, and user "DMF", "GSF" and "GRD" files of the global data folder.
//
// Angles in a DatumPoint and at every interface are radians; heights and grid co-ordinates
// metres (grid units); Helmert translations metres, rotations arc-seconds, scale ppm.
#pragma once

#include "geodesy/Nadcon.h"
#include "geodesy/NTv2.h"
#include "geodesy/Ostn15Grid.h"
#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"
#include "platform/core/String.h"

#include <atomic>
#include <cstdint>

class CNTv2Thread;

// A position handed in and out of every conversion.
struct DatumPoint
{
    double Easting;     // grid units
    double Northing;    // grid units
    double Longitude;   // radians, positive east
    double Latitude;    // radians, positive north
    double X, Y, Z;     // geocentric, metres
    double Height;      // ellipsoidal height, metres
    double Convergence; // grid convergence, radians
    double Scale;       // point scale factor
};

class CDatum
{
public:
    enum
    {
        METHOD_NONE = 0,
        METHOD_HELMERT = 1,
        METHOD_OSTN = 2,
        METHOD_NORWAY = 3,
        METHOD_NADCON = 4,
        METHOD_NTV2 = 5,
        METHOD_GRID_TO_GRID = 6,
        METHOD_USER_HELMERT = 7,
        METHOD_USER_SHIFT = 8,
        METHOD_USER_GRID = 9,
        METHOD_COUNT = 10,
        HELMERT_SETS = 55,
        GRID_TO_GRID_SETS = 8,
        DMF_BYTES = 144,
        GSF_BYTES = 24,
        GRD_BYTES = 184,
        GRD_COEFFICIENTS = 23
    };

    CDatum();
    // Stops the NTv2 load first, so no thread writes into a grid being destroyed.
    ~CDatum();
    CDatum(const CDatum&) = delete;
    CDatum& operator=(const CDatum&) = delete;

    // The "To" side (not owned; the projection may be null).
    void SetToSide(CSpheroid* spheroid, CProjection* projection);

    void Reset();
    // Stores the three values and sets up names, spheroids and parameters. False for an
    // unknown method, an index out of the method's range, a user file that is missing or
    // cannot be read.
    bool SetDatum(int method, int index, int direction);
    bool Apply();
    void Reverse();

    // direction +1: `from` (the "From" side) into `to`; -1: `to` back into `from`. False, the
    // target untouched, when the point cannot be converted (outside every grid, a grid not
    // loaded, no "To" spheroid, data the method lacks); m_AreaText says why for the grids.
    bool Convert(DatumPoint* from, DatumPoint* to, int direction);
    // Geographic short form (radians, metres); `outHeight` may be null. False as Convert.
    bool ConvertGeographic(double latitude, double longitude, double height, double* outLatitude,
                           double* outLongitude, double* outHeight, int direction);

    static void SetFromGeographic(DatumPoint* point, CProjection* projection, double latitude,
                                  double longitude, double height);
    static void SetFromGrid(DatumPoint* point, CProjection* projection, double easting, double northing,
                            double height);

    // Settings: the spheroids and projections, then "Datum" (method, direction, index, user
    // file title), then Apply and the NTv2 load. SaveSettings writes "Datum" in that order.
    void LoadSettings();
    bool SaveSettings() const;

    // Reads "<global folder><name>.<extension>": seven text lines, then `size` bytes into
    // `destination`. False when it does not open or is short; the spheroids then become rows
    // 26 and 20.
    bool LoadUserFile(const char* name, const char* extension, void* destination, int size);

    // Name of the method-9 coefficient at each slot (for the file layout).
    enum
    {
        GRD_FROM_EASTING = 0, // origin of the transformation in the "From" grid
        GRD_FROM_NORTHING = 1,
        GRD_A11 = 2, // E' = E0 + TE + A11 dE + A12 dN
        GRD_A12 = 3,
        GRD_A21 = 4, // N' = N0 + TN + A21 dE + A22 dN
        GRD_A22 = 5,
        GRD_SHIFT_EASTING = 6,
        GRD_SHIFT_NORTHING = 7
        // 8..22 reserved, written 0
    };

    // Members in the order the deliverables share.
    CSpheroid m_Spheroid;
    CProjection m_Projection;
    CSpheroid* m_pToSpheroid;
    CProjection* m_pToProjection;
    CNTv2Thread* m_pLoadThread;
    COstn15Grid m_Ostn;
    CNTv2 m_NTv2;
    int32_t m_Method;
    int32_t m_Direction;
    int32_t m_Index;
    CString m_FileName;
    CString m_FromName, m_ToName, m_Region;
    double m_Tx, m_Ty, m_Tz;
    double m_Rx, m_Ry, m_Rz;
    double m_Ds;
    int32_t m_RotationSign;
    double m_TxRate, m_TyRate, m_TzRate, m_RxRate, m_RyRate, m_RzRate, m_DsRate;
    double m_ReferenceEpoch, m_FixedEpoch;
    uint8_t m_TimeDependent, m_UseFixedEpoch;
    double m_LatitudeShift, m_LongitudeShift, m_HeightShift; // arc-seconds, arc-seconds, metres
    double m_GridCoefficients[GRD_COEFFICIENTS];
    NadconGrid m_Nadcon, m_Hpgn;
    // The National Grid on the ETRS89 side (GRS80). The OSGB36 side of the OSTN grid converts
    // on the grid's own Airy 1830 formulas.
    CSpheroid m_NationalGridSpheroid;
    CProjection m_NationalGridProjection;
    std::atomic<bool> m_NTv2Loading;
    // The area text of the last NADCON or OSTN conversion ("  (<area>)", " (Out Of Limits)").
    CString m_AreaText;

private:
    void SetHelmert(double tx, double ty, double tz, double rx, double ry, double rz, double ds,
                    int rotationSign);
    void SetNames(const char* from, const char* to, const char* region);
    void Helmert(double x, double y, double z, double* ox, double* oy, double* oz, int direction,
                 double epoch) const;
    double CurrentEpoch() const;
    bool HelmertGeographic(const CSpheroid& from, const CSpheroid& to, double lat, double lon, double h,
                           double* oLat, double* oLon, double* oH, int direction) const;
    bool ConvertNadcon(double lat, double lon, double* oLat, double* oLon, int direction);
    bool ConvertNorway(double lat, double lon, double h, double* oLat, double* oLon, double* oH,
                       int direction);
    bool DecodeUserBlock(const unsigned char* block);
    static void SwapSpheroid(CSpheroid& a, CSpheroid& b);
};

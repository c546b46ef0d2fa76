// CSpheroid: the reference ellipsoid of every projection and datum, with the constants and
// series that the projection formulas read, a built-in table of 53 ellipsoids, user spheroid
// files ("SPD") and the spheroid remembered in a settings file.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <cstdint>

// One row of the built-in table. The sphere rows store 1/f = 1.0 with b = a.
struct SpheroidTableRow
{
    int32_t code;             // numeric code of the ellipsoid
    const char* name;         // e.g. "Airy 1830"
    const char* qualifier;    // e.g. "OSGB"; "" when the row has none
    double semiMajor;         // a, metres
    double semiMinor;         // b as stored, metres
    double inverseFlattening; // 1/f
};

class CSpheroid
{
public:
    enum
    {
        TABLE_ROWS = 53,
        WGS84_ROW = 26
    };
    // Every iteration of the geodesy engine stops at this change in latitude
    // (0.001 arc-second) or after MAX_ROUNDS rounds.
    static constexpr double TOLERANCE = 4.848136811095278e-9; // radians
    static constexpr int MAX_ROUNDS = 100;

    // Starts as the default spheroid, row 26 ("WGS84").
    CSpheroid();

    static const SpheroidTableRow& TableRow(int index); // index 0..52, else row 26

    // a in metres; an inverse flattening outside 290..310 becomes 297. b = a(1 - f).
    void SetAxes(double semiMajor, double inverseFlattening);
    // Derives every constant below from a and 1/f (b is not read).
    void ComputeConstants();
    // Selects row 0..52 of the built-in table; false (and no change) for any other index.
    bool SetFromTable(int index);
    // Reads a user spheroid file (Windows path); on failure selects row 26 and returns false.
    bool LoadFile(const char* path);
    // Finds a table row, then a user spheroid file of the global data folder, by name and
    // country (exact). Row 26 ("WGS84") matches on the name alone. No match: a = 0, 1/f = 297,
    // and the texts emptied.
    bool FindByName(const char* name, const char* country);
    // The same for its own name and country, which it keeps when nothing matches.
    bool FindByName();
    // Same names, and the same country texts unless both are empty (exact compares).
    bool IsSame(const CSpheroid& other) const;
    bool IsSame(const CSpheroid* other) const { return other && IsSame(*other); }

    // Settings file "Spheroid %s" (or "Spheroid" for an empty suffix): "Name", "Country".
    // The spheroid is then found by name (FindByName), whose result LoadSettings returns.
    bool SaveSettings(const char* suffix = nullptr) const;
    bool LoadSettings(const char* suffix = nullptr);

    // True when the constants describe a sphere (the table's sphere rows, 1/f <= 1):
    // e = 0, n = 0, A0 = 1 and every series term 0.
    bool IsSphere() const { return m_InverseFlattening > 0.0 && m_InverseFlattening <= 1.0; }

    // Meridian distance from the equator to latitude phi (radians, [-pi/2, pi/2]), metres:
    // M = a(A0 phi - A2 sin 2phi + A4 sin 4phi - A6 sin 6phi + A8 sin 8phi), with the
    // coefficients summed in the third flattening (Helmert): within a micrometre of the
    // exact arc.
    double MeridionalArc(double latitude) const;
    // The same from the latitude's sine and cosine, which the caller already has.
    double MeridionalArc(double latitude, double sinLat, double cosLat) const;
    // Latitude (radians) of a meridian distance (metres), from the footpoint series alone
    // (Helmert's series in n, the inverse of the arc to 1e-13 rad).
    double FootpointLatitude(double arc) const;
    // The same, also giving the sine and cosine of the result (each within 5e-16).
    double FootpointLatitude(double arc, double* sinLat, double* cosLat) const;
    // Latitude (radians) whose meridian distance is `arc` (metres), iterated from
    // startLatitude (radians; 0 or beyond +-pi/2 means 1.0) until the latitude changes by no
    // more than TOLERANCE; 0 after MAX_ROUNDS rounds without convergence, and for arc 0.
    double LatitudeFromMeridionalArc(double startLatitude, double arc) const;
    // The same, also giving the sine and cosine of the result.
    double LatitudeFromMeridionalArc(double startLatitude, double arc, double* sinLat, double* cosLat) const;
    // Isometric latitude psi of a latitude (radians, |phi| <= pi/2; precise to the poles).
    double IsometricLatitude(double latitude) const;
    // Latitude (radians) of an isometric latitude psi by Newton's method from the conformal
    // latitude; good to 1e-15 rad at every latitude up to the poles. 0 when MAX_ROUNDS rounds
    // do not converge (a NaN).
    double LatitudeFromIsometricLatitude(double psi) const;

    // Geocentric X, Y, Z (metres) to latitude (radians; on input the first estimate),
    // longitude (radians, (-pi, pi]) and ellipsoidal height (metres; may be null).
    // False, all zero, when e^2 is not above 0 or the point is the earth's centre.
    bool GeocentricToGeodetic(double X, double Y, double Z, double* latitude, double* longitude,
                              double* height) const;
    // Latitude, longitude (radians) and ellipsoidal height (metres) to geocentric X, Y, Z
    // (metres); all 0 when e^2 is not above 0.
    void GeodeticToGeocentric(double latitude, double longitude, double height, double* X, double* Y,
                              double* Z) const;

    // Members in the order the deliverables share.
    CString m_FileName;         // title of the user spheroid file it came from
    CString m_Name;             // e.g. "WGS84"
    CString m_Country;          // qualifier or country text; may be empty
    double m_SemiMajor;         // a, metres
    double m_SemiMinor;         // b, metres, as given
    double m_InverseFlattening; // 1/f
    CString m_Extra;            // kept with the spheroid; not read by the formulas
    int32_t m_TableIndex;       // row of the built-in table last selected
    int32_t m_Code;             // the row's numeric code (0 for a user spheroid)
    double m_E2;                // e^2 = 2f - f^2
    double m_E;                 // e
    double m_HalfE;             // e/2
    double m_PolarFactor;       // sqrt((1 + e)^(1 + e) (1 - e)^(1 - e))
    double m_N;                 // third flattening n
    double m_OneMinusE2;        // 1 - e^2
    double m_Ep2;               // e'^2 = e^2 / (1 - e^2)
    double m_OnePlusEp2;        // 1 + e'^2
    double m_A0, m_A2, m_A4, m_A6;
    double m_RectifyingFactor;  // a A0, metres
    double m_ArcSlopeAtEquator; // A0 - 2A2 + 4A4 - 6A6
    double m_N1;                // n again, for the footpoint series
    double m_F2, m_F4, m_F6, m_F8;

private:
    void ZeroConstants();
    double IsometricLatitude(double sinLat, double cosLat) const;
    bool Find(const char* name, const char* country, bool own);
};

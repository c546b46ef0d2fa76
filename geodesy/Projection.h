// CProjection: a named grid (map projection on a spheroid, with its origin, false easting and
// northing, scale factor and standard parallels) that converts grid co-ordinates to latitude and
// longitude and back, with the grid convergence and the point scale factor.
//
// The class crosses deliverable boundaries by pointer: its data members keep one order in
// every deliverable.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <cstdint>

class CSpheroid;

class CProjection
{
public:
    enum
    {
        TYPE_COUNT = 15,     // projection types 0..14
        CONSTANT_COUNT = 19, // per-type constants
        PRJ_BLOCK_SIZE = 64  // binary block of a user projection file
    };
    // The engine converts degrees with exactly these literals.
    static constexpr double DEG_TO_RAD = 0.017453292519943;
    static constexpr double RAD_TO_DEG = 57.2957795131;

    // The point's trigonometric values and radii, computed once per forward conversion and
    // handed to the per-type formula.
    struct PointTerms
    {
        double sinLat;
        double cosLat;
        double tanLat;
        double rho; // meridian radius of curvature, metres
        double nu;  // prime-vertical radius of curvature, metres
    };

    // Empty texts, no spheroid, zeroed parameters, then UTM zone 31 north.
    CProjection();

    // Origin latitude and longitude in radians; false easting and northing in grid units.
    void SetParameters(double originLatitude, double originLongitude, double falseEasting,
                       double falseNorthing, double scaleFactor);
    // The same with the two angles in degrees.
    void SetParametersDegrees(double originLatitude, double originLongitude, double falseEasting,
                              double falseNorthing, double scaleFactor);
    // Degrees. With method 0 the first value becomes the latitude of origin (a conic with one
    // parallel); otherwise both are the standard parallels.
    void SetStandardParallels(double parallel1, double parallel2);
    // Constants that come from the zone table, stored first in m_Constants.
    void SetConstants(double c0, double c1, double c2, double c3, double c4, double c5, double c6, double c7,
                      double c8, double c9, double c10);
    void SetConstants(double c0, double c1, double c2, double c3, double c4, double c5, bool compute = true);
    // Null pointers empty the texts.
    void SetNames(const char* name, const char* country);
    void SetMethod(int method) { m_Method = method; }
    // Not owned; the caller keeps it alive while the projection points to it.
    void SetSpheroid(CSpheroid* spheroid);
    CSpheroid* GetSpheroid() const { return m_pSpheroid; }

    // Central meridian of a UTM zone, radians.
    static double UtmCentralLongitude(int zone);
    // UTM zone 1..60 of a longitude in radians (zone 1 starts at 180 W; +180 is zone 60).
    static int UtmZoneFromLongitude(double longitude);
    // "Grid Zone 31 (3\xB0 E)": the zone two wide and its central meridian.
    static CString UtmZoneName(int zone);
    // Number of built-in entries of a projection type in the zone table (0 for UTM and for
    // the types whose entries are not counted).
    static int EntryCount(int type);

    // Derives every constant that depends only on the projection; every setter ends with it.
    void ComputeConstants();
    void ComputeConicConstants();

    // Grid (easting, northing in grid units) to latitude and longitude (radians), with the
    // grid convergence (radians, clockwise from true north to grid north, [-pi, pi]) and the
    // point scale factor; the last two may be null. False when the result is the zero result
    // (latitude, longitude and convergence 0, scale k0): an unusable projection, easting and
    // northing both within 0.001 of 0, a result out of range, or a type without its constants
    // or data (type 13 has no coefficient tables).
    bool GridToGeographic(double easting, double northing, double* latitude, double* longitude,
                          double* convergence = nullptr, double* scale = nullptr);
    // Latitude and longitude (radians) to grid; any output may be null. False for the zero
    // result (an unusable projection, or latitude and longitude both within 0.001" of 0).
    bool GeographicToGrid(double latitude, double longitude, double* easting, double* northing,
                          double* convergence = nullptr, double* scale = nullptr);

    // The built-in zone table: one entry of one type. False for an unknown type or entry, and
    // for an entry listed without a published definition.
    bool SetZone(int zone, int type, int method);
    // Number of zone numbers SetZone knows for a type (62 for UTM, 130 for the 1927 State Plane
    // zones, 8 for type 13), entries without a definition included; 0 for an unknown type.
    static int ZoneTableSize(int type);
    // SetZone with the stored zone, type and method; else the user file at that position.
    bool SelectZoneOrFile();
    // A user projection file (Windows path).
    bool LoadFile(const char* path);
    // The data type stored in a user projection file; -1 when it cannot be read.
    static int ReadFileType(const char* path);
    // Full path of the user projection file at list position `index` of a type (counted after
    // the type's built-in entries); empty when there is none.
    static CString FindUserFile(int type, int index);
    // A built-in entry or user file by name and country (without regard to case) whose
    // spheroid is the same as `spheroid`, which the projection then points to (the search
    // never changes it). Null texts search for the projection's own. No match: the searched
    // texts, type and method, a zero origin and false origin, scale 1, and false.
    bool FindByName(const char* name, const char* country, int type, int method, CSpheroid* spheroid);
    bool FindByName();
    // Settings file "Projection %s" (or "Projection"), then the spheroid's with the same suffix.
    bool SaveSettings(const char* suffix = nullptr) const;
    bool LoadSettings(const char* suffix = nullptr);
    // Moves a named zone whose own spheroid differs from the projection's to the type's first
    // entry on that spheroid, else to UTM zone 31. False when it had to move.
    bool MatchSpheroid();

    // The first 32-bit words of m_Constants, where types 13 and 14 keep their entry and zone.
    int32_t GetConstantWord(int index) const;
    void SetConstantWord(int index, int32_t value);

    // Members in the order the deliverables share.
    CString m_FileName;       // title of the user file it came from; empty for a built-in zone
    int32_t m_Zone;           // UTM zone 1..60, or the entry within the type's list
    CString m_Name;           // grid name
    CString m_Country;        // country or hemisphere text
    int32_t m_DataType;       // projection type 0..14
    int32_t m_Method;         // variant within the type
    double m_OriginLatitude;  // phi0, radians
    double m_OriginLongitude; // lambda0, radians
    double m_FalseEasting;    // grid units
    double m_FalseNorthing;   // grid units
    double m_ScaleFactor;     // k0
    double m_Parallel1;       // radians
    double m_Parallel2;       // radians
    CString m_Extra;          // kept with the projection; not read by the engine
    BYTE m_FixedZone;         // 1 after SetZone chose a named entry
    CSpheroid* m_pSpheroid;   // not owned
    double m_Constants[CONSTANT_COUNT];
    double m_InverseScaleDeviation; // 1/|k0 - 1|, or 1 when k0 = 1
    double m_SinLat0;
    double m_CosLat0;
    double m_TanLat0;
    double m_Nu0;  // metres
    double m_Rho0; // metres
    double m_M0;   // meridian distance to phi0, metres
    double m_Psi0; // isometric latitude of phi0

private:
    // Transverse Mercator on the projection's spheroid (types 0..4, 12 method 0, and the base
    // of 13 and 14), without the false-origin sign change of type 3. Angles in radians.
    bool TransverseMercatorForward(double latitude, double longitude, const PointTerms& terms,
                                   double& easting, double& northing, double& convergence,
                                   double& scale) const;
    bool TransverseMercatorInverse(double easting, double northing, double& latitude, double& longitude,
                                   double& convergence, double& scale) const;
    // The same by Krueger's series, for points beyond the Redfearn series' reach; omega is the
    // longitude from the central meridian. False where that series cannot hold a centimetre.
    bool KrugerForward(double latitude, double omega, double& easting, double& northing, double& convergence,
                       double& scale) const;
    bool KrugerInverse(double easting, double northing, double& latitude, double& longitude, double& convergence,
                       double& scale) const;
    bool IsUsable() const;
    // Per-type constants of types 5, 6, 9, 11, 12 and 14.
    void ComputeTypeConstants();
    // The conversions of every type outside the Transverse Mercator family.
    bool GeographicToGridByType(double latitude, double longitude, const PointTerms& terms, double& easting,
                                double& northing, double& convergence, double& scale);
    bool GridToGeographicByType(double easting, double northing, double& latitude, double& longitude,
                                double& convergence, double& scale);
    bool IsTransverseMercatorType() const;
    // Reads a user projection file's texts and block; false when it cannot be read whole.
    struct FileContents;
    static bool ReadFileContents(const char* path, FileContents& contents);
    bool FindBuiltInOrFile(const CString& name, const CString& country, int type, int method);
};

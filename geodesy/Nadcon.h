// NadconGrid: one area of a NADCON-style grid pair (".las" latitude shifts and ".los"
// longitude shifts, arc-seconds) held in memory, with the search over a list of areas, the
// bilinear interpolation of the shifts and the iterated inverse.
//
// Angles at this interface are degrees: latitude positive north, longitude positive east in
// (-360, 180]; a positive longitude is taken 360 degrees west, as the grids are laid out in
// negative longitudes. The grid file stores longitude shifts positive west.
#pragma once

#include "platform/core/String.h"

#include <cstdint>

// The 96 bytes at the start of both files of a pair, little-endian.
struct NadconHeaderDef
{
    char Identifier[57]; // 56 characters, trailing blanks cut
    char Program[9];     // 8 characters, trailing blanks cut
    int32_t NC;          // columns (nodes along a parallel)
    int32_t NR;          // rows (nodes along a meridian), from the south
    int32_t NZ;
    float XMIN; // west edge, degrees (negative west)
    float DX;   // column spacing, degrees
    float YMIN; // south edge, degrees
    float DY;   // row spacing, degrees
    float ANGLE;
};

// Minimum, maximum and mean of the non-zero shifts of one buffer (arc-seconds).
struct NadconStatisticsDef
{
    double Minimum;
    double Maximum;
    double Mean;
    int32_t Count;
};

// One entry of an area list: the description and the area code of the file names.
struct NadconAreaDef
{
    const char* Description;
    const char* Code;
};

// The NAD27/NAD83 areas and the HPGN areas in search order; each list ends with an entry
// whose code is empty.
extern const NadconAreaDef NADCON_AREAS[];
extern const NadconAreaDef HPGN_AREAS[];

struct NadconGrid
{
    NadconGrid();
    ~NadconGrid();
    NadconGrid(const NadconGrid&) = delete;
    NadconGrid& operator=(const NadconGrid&) = delete;

    // Zeroes the header, frees both buffers and empties the texts.
    void Empty();
    bool IsLoaded() const { return LatitudeShifts && LongitudeShifts; }

    // Reads "<folder><code>.las" and "<folder><code>.los" (folder ends in '\'). False, with
    // the grid empty, when either is missing, short, inconsistent or their headers differ.
    bool Load(const char* folder, const char* code, const char* description);

    // Strictly inside the loaded grid (a point on the border is outside); degrees.
    bool Contains(double latitude, double longitude) const;

    // Makes the grid the first area of `areas` that holds the point, loading it from `folder`
    // unless the loaded grid already holds it. False when none does: the grid is then empty,
    // its description "Not Selected".
    bool Select(const char* folder, const NadconAreaDef* areas, double latitude, double longitude);

    // Forward shift of a point in the loaded grid (degrees in and out; the output longitude
    // in (-180, 180] for points of the grids). False, outputs untouched, outside the grid.
    bool Forward(double latitude, double longitude, double* outLatitude, double* outLongitude) const;
    // The point whose forward shift is the given one, by up to 10 rounds of correction until
    // both residuals are below 1e-9 degree. False, outputs untouched, when it does not get
    // there or leaves the grid.
    bool Inverse(double latitude, double longitude, double* outLatitude, double* outLongitude) const;

    CString Description;
    CString AreaCode;
    NadconHeaderDef Header;
    NadconStatisticsDef LatitudeStatistics;
    NadconStatisticsDef LongitudeStatistics;
    float* LatitudeShifts;  // NR x NC, row by row from the south; owned
    float* LongitudeShifts; // the same; owned

private:
    // Shifts (arc-seconds) at a point inside the grid.
    void Interpolate(double latitude, double longitude, double* latitudeShift, double* longitudeShift) const;
};

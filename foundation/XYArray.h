// tagXY and CXYArray: the plane point and the growable point array that outlines,
// boundaries, corridors and trails are kept in. The array's archive form is part of stored
// files: the framework's element count, then 16 bytes a point (x then y, little-endian IEEE
// doubles).
#pragma once

#include "platform/core/Array.h"

#include <cstdint>

// A plane point: easting then northing in grid units (metres or feet), or longitude then
// latitude where the owner says so. DBL_MAX in either coordinate means "no value".
struct tagXY
{
    double x;
    double y;
};

static_assert(sizeof(tagXY) == 16, "a stored point is two 8-byte doubles with no padding");

// A plane point with a height or depth: x and y as in tagXY, z in the same units (height up
// or depth down, as the owner says).
struct tagXYZ
{
    double x;
    double y;
    double z;
};

static_assert(sizeof(tagXYZ) == 24, "three 8-byte doubles with no padding");

// One point of a vessel or structure outline, in metres from the outline's reference point:
// x to starboard, y forward. A point whose PenDown is 0 starts a new figure; any other value
// joins it to the point before.
struct OutlinePointDef
{
    int32_t PenDown;
    double x;
    double y;
};

static_assert(sizeof(OutlinePointDef) == 24, "a 4-byte flag padded to 8, then two doubles");

// A growable array of points with the framework's growth rule and archive form.
class CXYArray : public CArray<tagXY>
{
public:
    CXYArray() = default;
    CXYArray(const CXYArray&) = default;
    CXYArray& operator=(const CXYArray&) = default;
    ~CXYArray() override = default;

    // Storing: the count (16-bit, or 0xFFFF and a 32-bit count), then the raw points.
    // Loading: the same. A file shorter than its count raises the archive exception with the
    // end-of-file cause and leaves the array as it was.
    void Serialize(CArchive& ar) override;
};

// CProfile: a seabed (or cable) profile, the depths met along a straight line across the
// seabed, in order of increasing range from the line's start. The chart draws anchor lines with
// them; the anchor-cable program builds them from the terrain model and lays its cable over
// them.
//
// Units: eastings, northings, ranges and depths in metres, depths positive down; DBL_MAX is a
// depth with no data.
//
// The record and its copying live in Profile.cpp; the building members, which only the
// anchor-cable program calls, in ProfileBuild.cpp.
#pragma once

#include "chart/ChartexaApi.h"
#include "platform/core/Array.h"

#include <cstdint>
#include <type_traits>

class CDtm;

// One profile point: five 8-byte slots, the flag alone in the last one.
struct ProDataDef
{
    double Easting;
    double Northing;
    double Depth; // DBL_MAX: no depth here
    double Range; // horizontal distance from the profile's first point
    uint8_t Flag; // 1 when the depth came from the terrain model, 0 otherwise
};

static_assert(sizeof(ProDataDef) == 40 && std::is_trivially_copyable<ProDataDef>::value,
              "a profile point is five 8-byte slots");

// The far end of a line built with BuildFromDtmInterpolated: where the line ends, the depth
// known there (m, taken as it stands), the flag every point of the line gets, and the offset
// added to each depth taken from the terrain model.
struct ProfileEndDef
{
    double Easting;
    double Northing;
    double Depth;
    uint8_t Flag;
    double DepthOffset;
};

class CHARTEXA_API CProfile : public CArray<ProDataDef, const ProDataDef&>
{
public:
    // Empty, every value 0 except the factor 1.0.
    CProfile();
    CProfile(const CProfile& other);
    // The points (size set first), then every value below.
    CProfile& operator=(const CProfile& other);
    ~CProfile() override;

    // Appends a point. On an empty profile it becomes the first (and last) point at range 0.
    // Otherwise its range is its distance from the first point, and it is appended only when
    // that range lies strictly beyond the last point's; a point at or behind it is dropped.
    // The deepest depth rises with every appended depth that is not DBL_MAX.
    void AddPoint(uint8_t flag, double depth, double easting, double northing);
    // As AddPoint with the range given (m).
    void AddPointAtRange(double easting, double northing, double depth, double range, uint8_t flag);

    // The first index i >= 1 whose range is at least `range`; -1 with fewer than two points or
    // when no point reaches it.
    INT_PTR GetIndexAtRange(double range) const;
    // i - 1 for the first i >= 1 with range(i - 1) <= range <= range(i); 0 with fewer than two
    // points or when no segment holds the range.
    INT_PTR GetSegmentAtRange(double range) const;
    // The depth at `range` (m), linear in range between the two points around it; 0.0 with
    // fewer than two points or outside the profile. DBL_MAX when either of those two points has
    // no depth, so that a gap never reads as a finite (and huge) depth.
    double GetDepthAtRange(double range) const;

    // Samples the line from (startE, startN) to (endE, endN) from the terrain model at every
    // multiple of its cell size, then the end point; each depth found gets `depthOffset` added
    // and flag 1. A point without a depth takes the depth of the nearest point before it that
    // has one, or the first depth found when none comes before it; with no depth anywhere every
    // point keeps DBL_MAX. A null terrain, or one whose cell size is not a positive finite
    // number, is no terrain: the line is its two end points without depths. At most
    // kMaxSamples steps are taken along a line: a smaller cell size widens the step.
    // The same line over the same terrain (its identity and load count), with the same offset,
    // is not sampled again. Always true.
    bool BuildFromDtm(CDtm* dtm, double startE, double startN, double endE, double endN, double depthOffset);
    // The same sampling where the far end may lie off the terrain or in a gap of it: a point
    // without a terrain depth takes the depth linear in range between the last point that had
    // one and the end point at end.Depth; points before the first terrain depth take the first
    // depth found (the end's when the terrain gives none). Every point gets end.Flag. The end
    // point takes end.Depth. Always true.
    bool BuildFromDtmInterpolated(CDtm* dtm, const ProfileEndDef& end, double startE, double startN);
    // A straight slope from the start to the end: n = floor(length / 5 m) points, at least 1
    // and at most 500, in equal steps of position and depth, then the end point, all with
    // flag 0. A line whose length is not a finite number gives its two end points only.
    // Always true.
    bool BuildStraight(double endE, double endN, double endDepth, double startE, double startN, double startDepth);

    // The most samples taken along one line.
    static constexpr int kMaxSamples = 100000;

    double m_StartE = 0.0, m_StartN = 0.0, m_StartDepth = 0.0; // the first point
    double m_LastE = 0.0, m_LastN = 0.0, m_LastDepth = 0.0;    // the last point appended
    double m_Length = 0.0;   // range from the line's start to its end (m)
    double m_Bearing = 0.0;  // grid bearing of the line, [0, 2π) radians clockwise from north
    double m_Sin = 0.0;      // its sine
    double m_Cos = 0.0;      // its cosine
    double m_MaxDepth = 0.0; // the greatest depth that is not DBL_MAX
    double m_Factor = 1.0;

private:
    // What a built line was built from, so that an unchanged line is not sampled again.
    enum BUILD_KIND
    {
        BUILT_NONE = 0,
        BUILT_FROM_DTM = 1,
        BUILT_INTERPOLATED = 2
    };
    struct BuildKeyDef
    {
        int Kind;
        const CDtm* Dtm;
        uint32_t DtmLoads;
        double DepthOffset;
        double EndDepth;
        uint8_t EndFlag;
    };

    // Empties the points and the start, last and deepest values.
    void Empty();
    // True when the line and its source are those of the last build.
    bool IsBuilt(const BuildKeyDef& key, double startE, double startN, double endE, double endN) const;
    // Stores the line's length and bearing and empties the profile.
    void StartLine(double startE, double startN, double endE, double endN);

    BuildKeyDef m_Built{BUILT_NONE, nullptr, 0, 0.0, 0.0, 0};
};

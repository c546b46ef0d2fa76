// The members of CProfile that build a profile point by point and look depths up along it.
#include "chart/geometry/Profile.h"

#include "features/Dtm.h"
#include "foundation/Geometry.h"

#include <cfloat>
#include <algorithm>
#include <cmath>

namespace
{
// The step (m) at which a terrain is sampled along a line of `length` m: its cell size, widened
// so that a line never takes more than CProfile::kMaxSamples steps. 0 when the terrain's cell
// size is not a positive finite number, which counts as no terrain: a damaged header could
// otherwise ask for a line of endless samples.
double SampleStep(const CDtm* dtm, double length)
{
    if (!dtm)
        return 0.0;
    const double cell = dtm->m_Header.CellSize;
    if (!(cell > 0.0) || !std::isfinite(cell) || !std::isfinite(length))
        return 0.0;
    if (length / cell > CProfile::kMaxSamples)
        return length / CProfile::kMaxSamples;
    return cell;
}

// The terrain's depth at a point plus the offset, or DBL_MAX where it has none.
double TerrainDepth(const CDtm* dtm, double easting, double northing, double offset)
{
    if (!dtm || !dtm->HasDepthAt(easting, northing))
        return DBL_MAX;
    const double depth = dtm->GetDepth(easting, northing);
    return depth == DBL_MAX ? DBL_MAX : depth + offset;
}

// Fills every point without a depth from the nearest point before it that has one, or from
// `first` when none comes before it.
void FillForward(CProfile& profile, double first)
{
    double previous = first;
    for (INT_PTR i = 0; i < profile.GetSize(); ++i)
    {
        ProDataDef& point = profile[i];
        if (point.Depth == DBL_MAX)
            point.Depth = previous;
        else
            previous = point.Depth;
    }
}
} // namespace

void CProfile::AddPoint(uint8_t flag, double depth, double easting, double northing)
{
    double range = 0.0;
    if (GetSize() > 0)
        ComputeRangeBearing(m_StartE, m_StartN, easting, northing, nullptr, &range);
    AddPointAtRange(easting, northing, depth, range, flag);
}

void CProfile::AddPointAtRange(double easting, double northing, double depth, double range, uint8_t flag)
{
    if (GetSize() == 0)
    {
        m_StartE = easting;
        m_StartN = northing;
        m_StartDepth = depth;
        m_MaxDepth = depth != DBL_MAX ? depth : 0.0;
    }
    else if (!(range > GetAt(GetSize() - 1).Range))
    {
        return;
    }
    else if (depth != DBL_MAX && depth > m_MaxDepth)
    {
        m_MaxDepth = depth;
    }
    Add(ProDataDef{easting, northing, depth, range, flag});
    m_LastE = easting;
    m_LastN = northing;
    m_LastDepth = depth;
}

INT_PTR CProfile::GetIndexAtRange(double range) const
{
    const INT_PTR count = GetSize();
    if (count < 2 || !(GetAt(count - 1).Range >= range))
        return -1;
    // Ranges rise strictly, so the first point at or beyond the range is found by halving: a
    // clearance test looks up dozens of ranges on profiles of tens of thousands of points.
    const ProDataDef* points = GetData();
    INT_PTR low = 1, high = count - 1;
    while (low < high)
    {
        const INT_PTR mid = low + (high - low) / 2;
        if (points[mid].Range < range)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

INT_PTR CProfile::GetSegmentAtRange(double range) const
{
    const INT_PTR index = GetIndexAtRange(range);
    if (index < 0 || !(GetAt(index - 1).Range <= range))
        return 0;
    return index - 1;
}

double CProfile::GetDepthAtRange(double range) const
{
    const INT_PTR index = GetIndexAtRange(range);
    if (index < 0 || !(GetAt(index - 1).Range <= range))
        return 0.0;
    const ProDataDef& a = GetAt(index - 1);
    const ProDataDef& b = GetAt(index);
    if (a.Depth == DBL_MAX || b.Depth == DBL_MAX)
        return DBL_MAX;
    return a.Depth + (b.Depth - a.Depth) * (range - a.Range) / (b.Range - a.Range);
}

void CProfile::Empty()
{
    RemoveAll();
    m_StartE = m_StartN = m_StartDepth = 0.0;
    m_LastE = m_LastN = m_LastDepth = 0.0;
    m_MaxDepth = 0.0;
}

bool CProfile::IsBuilt(const BuildKeyDef& key, double startE, double startN, double endE, double endN) const
{
    // Positions compare exactly: a line moved by any amount is sampled again.
    return GetSize() > 0 && m_Built.Kind == key.Kind && m_Built.Dtm == key.Dtm && m_Built.DtmLoads == key.DtmLoads &&
           m_Built.DepthOffset == key.DepthOffset && m_Built.EndDepth == key.EndDepth &&
           m_Built.EndFlag == key.EndFlag && m_StartE == startE && m_StartN == startN && m_LastE == endE &&
           m_LastN == endN;
}

void CProfile::StartLine(double startE, double startN, double endE, double endN)
{
    ComputeRangeBearing(startE, startN, endE, endN, &m_Bearing, &m_Length);
    m_Sin = std::sin(m_Bearing);
    m_Cos = std::cos(m_Bearing);
    Empty();
}

bool CProfile::BuildFromDtm(CDtm* dtm, double startE, double startN, double endE, double endN, double depthOffset)
{
    const BuildKeyDef key{BUILT_FROM_DTM, dtm, dtm ? dtm->m_LoadCount : 0u, depthOffset, 0.0, 0};
    if (IsBuilt(key, startE, startN, endE, endN))
        return true;
    StartLine(startE, startN, endE, endN);
    m_Built = key;

    const double step = SampleStep(dtm, m_Length);
    const CDtm* terrain = step > 0.0 ? dtm : nullptr;
    double first = DBL_MAX;
    auto sample = [&](double easting, double northing) {
        const double depth = TerrainDepth(terrain, easting, northing, depthOffset);
        if (depth != DBL_MAX && first == DBL_MAX)
            first = depth;
        AddPoint(depth != DBL_MAX ? 1 : 0, depth, easting, northing);
    };
    sample(startE, startN);
    if (step > 0.0)
    {
        for (int k = 1; k <= kMaxSamples && k * step <= m_Length; ++k)
            sample(startE + k * step * m_Sin, startN + k * step * m_Cos);
    }
    sample(endE, endN);
    // The end point is not appended when it coincides with the start; the shortcut still needs
    // the line's end to recognise it.
    m_LastE = endE;
    m_LastN = endN;

    if (first == DBL_MAX)
        return true;
    FillForward(*this, first);
    m_StartDepth = GetAt(0).Depth;
    m_LastDepth = GetAt(GetSize() - 1).Depth;
    return true;
}

bool CProfile::BuildFromDtmInterpolated(CDtm* dtm, const ProfileEndDef& end, double startE, double startN)
{
    const BuildKeyDef key{BUILT_INTERPOLATED, dtm, dtm ? dtm->m_LoadCount : 0u, end.DepthOffset, end.Depth, end.Flag};
    if (IsBuilt(key, startE, startN, end.Easting, end.Northing))
        return true;
    StartLine(startE, startN, end.Easting, end.Northing);
    m_Built = key;

    const double step = SampleStep(dtm, m_Length);
    const CDtm* terrain = step > 0.0 ? dtm : nullptr;
    // The last point with a terrain depth, which the interpolation toward the end starts from.
    double lastDepth = DBL_MAX, lastRange = 0.0;
    double first = DBL_MAX;
    auto sample = [&](double easting, double northing, double range) {
        double depth = TerrainDepth(terrain, easting, northing, end.DepthOffset);
        if (depth != DBL_MAX)
        {
            lastDepth = depth;
            lastRange = range;
            if (first == DBL_MAX)
                first = depth;
        }
        else if (lastDepth != DBL_MAX && m_Length > lastRange)
        {
            depth = lastDepth + (end.Depth - lastDepth) * (range - lastRange) / (m_Length - lastRange);
        }
        AddPoint(end.Flag, depth, easting, northing);
    };
    sample(startE, startN, 0.0);
    if (step > 0.0)
    {
        for (int k = 1; k <= kMaxSamples && k * step <= m_Length; ++k)
            sample(startE + k * step * m_Sin, startN + k * step * m_Cos, k * step);
    }
    AddPoint(end.Flag, end.Depth, end.Easting, end.Northing);
    if (end.Depth != DBL_MAX && end.Depth > m_MaxDepth)
        m_MaxDepth = end.Depth;
    m_LastE = end.Easting;
    m_LastN = end.Northing;

    // Before the first terrain depth nothing lies behind to interpolate from.
    if (first == DBL_MAX)
        first = end.Depth;
    if (first != DBL_MAX)
    {
        FillForward(*this, first);
        m_StartDepth = GetAt(0).Depth;
        m_LastDepth = GetAt(GetSize() - 1).Depth;
    }
    return true;
}

bool CProfile::BuildStraight(double endE, double endN, double endDepth, double startE, double startN,
                             double startDepth)
{
    StartLine(startE, startN, endE, endN);
    m_Built = BuildKeyDef{BUILT_NONE, nullptr, 0, 0.0, 0.0, 0};

    if (!std::isfinite(m_Length))
    {
        AddPoint(0, startDepth, startE, startN);
        Add(ProDataDef{endE, endN, endDepth, m_Length, 0});
        m_LastE = endE;
        m_LastN = endN;
        m_LastDepth = endDepth;
    }
    else
    {
        int n = static_cast<int>(std::min(std::floor(m_Length / 5.0), 500.0));
        if (n < 1)
            n = 1;
        const double stepE = (endE - startE) / n, stepN = (endN - startN) / n, stepDepth = (endDepth - startDepth) / n;
        for (int i = 0; i < n; ++i)
            AddPoint(0, startDepth + i * stepDepth, startE + i * stepE, startN + i * stepN);
        AddPoint(0, endDepth, endE, endN);
    }
    // The reference depth of a slope is its deeper end.
    if (startDepth != DBL_MAX && endDepth != DBL_MAX)
        m_MaxDepth = std::max(startDepth, endDepth);
    else
        m_MaxDepth = startDepth != DBL_MAX ? startDepth : (endDepth != DBL_MAX ? endDepth : 0.0);
    return true;
}

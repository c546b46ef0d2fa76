#include "zuduzuro/AnchorProfile.h"

#include <cfloat>

void CAnchorProfile::AddPointAtRange(double easting, double northing, double depth, double range,
                                     uint8_t flag)
{
    if (GetSize() > 0 && !(range > GetAt(GetSize() - 1).Range))
        return;
    Add(AnchorProfilePointDef{easting, northing, depth, range, flag});
}

double CAnchorProfile::GetDepthAtRange(double range) const
{
    const INT_PTR count = GetSize();
    if (count < 2 || !(range >= GetAt(0).Range) || !(range <= GetAt(count - 1).Range))
        return 0.0;
    // Ranges rise strictly, so the first point at or beyond the range is found by halving.
    INT_PTR low = 1, high = count - 1;
    while (low < high)
    {
        const INT_PTR mid = (low + high) / 2;
        if (GetAt(mid).Range < range)
            low = mid + 1;
        else
            high = mid;
    }
    const AnchorProfilePointDef& a = GetAt(low - 1);
    const AnchorProfilePointDef& b = GetAt(low);
    if (a.Depth == DBL_MAX || b.Depth == DBL_MAX)
        return DBL_MAX;
    return a.Depth + (b.Depth - a.Depth) * (range - a.Range) / (b.Range - a.Range);
}

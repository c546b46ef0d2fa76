#include "chart/objects/Divider.h"

#include "chart/objects/EblEnds.h"
#include "chart/geometry/Geodesic.h"
#include "foundation/Geometry.h"

void CDivider::SetPoint(double e, double n)
{
    if (!AreEndsPresent(e, n, e, n))
        return;
    endE = e;
    endN = n;
    if (!visible)
    {
        startE = e;
        startN = n;
        geographic = 0;
        visible = 1;
    }
    if (!HasEnds())
    {
        // A start the host placed at a missing position: no line to measure.
        distance = bearing = 0.0;
        return;
    }
    ComputeRangeBearing(startE, startN, endE, endN, &bearing, &distance);
}

tagXY CDivider::GetLabelPoint() const
{
    if (geographic)
    {
        tagXY p{0.0, 0.0};
        GeodesicDirect(&p.y, &p.x, startE, distance * 0.5, bearing, &spheroid, startN);
        return p;
    }
    return tagXY{(startE + endE) * 0.5, (startN + endN) * 0.5};
}

bool CDivider::HasEnds() const
{
    return AreEndsPresent(startE, startN, endE, endN);
}

#include "chart/objects/Ebl.h"

#include "chart/objects/EblEnds.h"
#include "chart/geometry/Geodesic.h"
#include "foundation/CsvParser.h"
#include "foundation/Geometry.h"

#include <cmath>

namespace
{
constexpr double kMetresToNauticalMiles = 0.0005399568034557236;
constexpr double kRadiansToDegrees = 57.2957795131;
constexpr double kTwoPi = 2.0 * M_PI;

// The bearing seen from the other end: turned by π and brought back into [0, 2π).
double Reversed(double bearing)
{
    double reverse = bearing + M_PI;
    if (reverse >= kTwoPi)
        reverse -= kTwoPi;
    return reverse;
}
} // namespace

CEBL::CEBL()
{
    Reset(nullptr, nullptr, nullptr);
}

void CEBL::Reset(CEllipsoid* ellipsoid, BYTE* gridModeFlag, BYTE* greatCircleFlag)
{
    spheroid = ellipsoid;
    gridMode = gridModeFlag;
    greatCircle = greatCircleFlag;
    startX = startY = endX = endY = 0.0;
    fixedStart = 0;
    tag1 = tag2 = 0;
    bearing = distance = 0.0;
    distanceLabel = "0";
    bearingLabel = "000.0\xB0";
    reverseLabel = "000.0\xB0";
    showLabel = 1;
    labelShowsBearing = 1;
    arrowEnd = 1;
    penStyle = 0;
    penWidth = 1;
    colour = 0xFFFFFF;
    endSymbol = 3;
    RemoveAll();
}

bool CEBL::HasEnds() const
{
    return AreEndsPresent(startX, startY, endX, endY);
}

void CEBL::Update()
{
    const bool present = HasEnds();
    RemoveAll();
    double reverse = 0.0;
    distance = bearing = 0.0;
    if (IsGeographic())
    {
        const char* method = "RL";
        if (IsGreatCircle())
        {
            method = "GC";
            // A line the inverse cannot solve keeps zeros rather than the last line's figures.
            if (present && GeodesicInverse(spheroid, &distance, &bearing, &reverse, startY, startX, endY, endX))
                GreatCirclePoints(spheroid, *this, startX, startY, endX, endY);
        }
        else if (present)
        {
            RhumbLine(&distance, &bearing, startX, endY, endX, std::sin(startY), std::cos(startY),
                      PrimeVerticalRadius(spheroid, startY), spheroid, startY);
            reverse = Reversed(bearing);
        }
        distanceLabel.Format("%s %.2lfNm", method, distance * kMetresToNauticalMiles);
        bearingLabel.Format("  %6.2lf\xB0T", bearing * kRadiansToDegrees);
        reverseLabel.Format("R %6.2lf\xB0T", reverse * kRadiansToDegrees);
        return;
    }
    if (present)
    {
        ComputeRangeBearing(startX, startY, endX, endY, &bearing, &distance);
        reverse = Reversed(bearing);
    }
    bearingLabel.Format("  %06.2lf\xB0G", bearing * kRadiansToDegrees);
    reverseLabel.Format("R %06.2lf\xB0G", reverse * kRadiansToDegrees);
    distanceLabel.Format("%.2lfm", distance);
}

tagXY CEBL::GetLabelPoint() const
{
    if (IsGeographic() && IsGreatCircle())
    {
        tagXY p{0.0, 0.0};
        GeodesicDirect(&p.y, &p.x, startX, distance * 0.5, bearing, spheroid, startY);
        return p;
    }
    return tagXY{(startX + endX) * 0.5, (startY + endY) * 0.5};
}

CString CEBL::ToText() const
{
    const int decimals = IsGridMode() ? 3 : 16;
    CCsvParser line;
    for (double value : {startX, startY, endX, endY})
        line.AddDouble(value, decimals);
    line.AddInt(tag1);
    line.AddInt(tag2);
    line.AddBool(showLabel != 0);
    line.AddBool(labelShowsBearing != 0);
    line.AddBool(arrowEnd != 0);
    line.AddLong(static_cast<long>(colour));
    line.AddShort(penWidth);
    line.AddShort(penStyle);
    return line.AddInt(endSymbol);
}

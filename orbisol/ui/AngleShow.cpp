#include "orbisol/ui/AngleShow.h"

#include "foundation/AngleFormat.h"

#include <algorithm>

ANGLE_SHOW GetAngleShow(int angleType)
{
    ANGLE_SHOW show;
    if (angleType == ANGLE_FULL_CIRCLE_2DP)
    {
        show.format = ANGLE_FORMAT_DEGREES;
        show.decimals = 2;
        return show;
    }
    GetAngleDisplaySettings(angleType, show.format, show.decimals, show.letter);
    show.decimals = std::min(std::max(show.decimals, 0), GetMaxDecimalPlaces(angleType, show.format));
    return show;
}

CString FormatShownAngle(double radians, int angleType)
{
    const ANGLE_SHOW show = GetAngleShow(angleType);
    return FormatAngle(radians, angleType, show.format, show.decimals, show.letter);
}

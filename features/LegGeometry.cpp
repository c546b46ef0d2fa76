#include "features/LegGeometry.h"

#include "foundation/Geometry.h"

#include <cmath>

double ReverseBearing(double bearing)
{
    return bearing < M_PI ? bearing + M_PI : bearing - M_PI;
}

void ComputeLegGeometry(double startE, double startN, double endE, double endN, LegDef* leg)
{
    if (!leg)
        return;
    ComputeRangeBearing(startE, startN, endE, endN, &leg->Bearing, &leg->Length);
    leg->SinBearing = std::sin(leg->Bearing);
    leg->CosBearing = std::cos(leg->Bearing);
    leg->ReverseBearing = ReverseBearing(leg->Bearing);
    leg->Running = 0.0;
}

#include "navhost/TargetQcFeed.h"

#include "features/Template.h"
#include "survey/TargetQCPane.h"

#include <cmath>

void CTargetQcFeed::Update(double seconds, CTemplate& object, CTargetQCPane& pane)
{
    if (object.m_bTargetValid)
    {
        const double across = ACROSS_METRES * std::sin(2.0 * M_PI * seconds / 120.0);
        const double along = ALONG_METRES * std::cos(2.0 * M_PI * seconds / 90.0);
        // Across and along the target heading back to grid: the inverse of the turn that gives
        // X = dE·cos − dN·sin and Y = dE·sin + dN·cos.
        const double sinH = object.m_SinHeading, cosH = object.m_CosHeading;
        const double dE = across * cosH + along * sinH;
        const double dN = -across * sinH + along * cosH;
        object.m_TrkPtPosition =
            tagXY{object.m_TargetWaypoint.Easting + dE, object.m_TargetWaypoint.Northing + dN};
        object.m_PositionX = dE * cosH - dN * sinH;
        object.m_PositionY = dE * sinH + dN * cosH;
        object.m_TargetRange = std::hypot(dE, dN);
    }
    pane.Update(object.GetTrackingPointName());
    pane.UpdateMru(0);
    pane.UpdateMru(1);
}

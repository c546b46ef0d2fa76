#include "foundation/Geometry.h"

#include <cmath>

namespace
{
constexpr double kTwoPi = 2.0 * M_PI;

// Legs whose directions differ by less than this (radians, as |sin Δ|) are treated as in
// line when mitring a corridor: their offset lines meet, if at all, so far off that the
// rounding of grid coordinates (about 1e-10 m at 500 km) moves the crossing by millimetres,
// while the perpendicular offset is then exact to 1e-13 of the width.
constexpr double kParallelSine = 1e-6;

// A turn within this of π (radians) doubles straight back; its circle centre is at infinity.
constexpr double kStraightBack = 1e-9;

double WrapTwoPi(double a)
{
    a = std::fmod(a, kTwoPi);
    if (a < 0.0)
        a += kTwoPi;
    // fmod of a value just below a multiple of 2π can round up to 2π itself.
    return a >= kTwoPi ? 0.0 : a;
}

// Into (−π, π].
double WrapPi(double a)
{
    a = std::fmod(a, kTwoPi);
    if (a > M_PI)
        a -= kTwoPi;
    else if (a <= -M_PI)
        a += kTwoPi;
    return a;
}

void Set(double* out, double value)
{
    if (out)
        *out = value;
}
} // namespace

void ComputeRangeBearing(double e1, double n1, double e2, double n2, double* bearing, double* range)
{
    const double dE = e2 - e1;
    const double dN = n2 - n1;
    if (bearing)
        *bearing = WrapTwoPi(std::atan2(dE, dN));
    if (range)
        *range = std::sqrt(dE * dE + dN * dN);
}

void PointAtRangeBearing(double e, double n, double range, double bearing, double* eOut, double* nOut)
{
    Set(eOut, e + range * std::sin(bearing));
    Set(nOut, n + range * std::cos(bearing));
}

void RotateOffset(double e, double n, double x, double y, double sinH, double cosH, double* eOut,
                  double* nOut)
{
    Set(eOut, e + x * cosH + y * sinH);
    Set(nOut, n - x * sinH + y * cosH);
}

void OffsetPerpendicular(double e, double n, double sinLeg, double cosLeg, double portWidth,
                         double starboardWidth, tagXY* port, tagXY* starboard)
{
    // Port is the leg's direction turned 90° to the left: (−cos, sin); starboard (cos, −sin).
    if (port)
    {
        port->x = e - portWidth * cosLeg;
        port->y = n + portWidth * sinLeg;
    }
    if (starboard)
    {
        starboard->x = e + starboardWidth * cosLeg;
        starboard->y = n - starboardWidth * sinLeg;
    }
}

void PortStarboardPoints(double e, double n, double bearing, double portWidth, double starboardWidth,
                         tagXY* port, tagXY* starboard)
{
    if (port)
        PointAtRangeBearing(e, n, portWidth, bearing - M_PI_2, &port->x, &port->y);
    if (starboard)
        PointAtRangeBearing(e, n, starboardWidth, bearing + M_PI_2, &starboard->x, &starboard->y);
}

int ProjectOntoSegment(double e, double n, double startE, double startN, double startKp, double sinLeg,
                       double cosLeg, double length, double direction, double* kp, double* along,
                       double* across, double* toEnd)
{
    if (e == 0.0 && n == 0.0)
    {
        Set(kp, 0.0);
        Set(along, 0.0);
        Set(across, 0.0);
        Set(toEnd, 0.0);
        return -3;
    }
    const double dE = e - startE;
    const double dN = n - startN;
    const double a = dE * sinLeg + dN * cosLeg;
    double c = dE * cosLeg - dN * sinLeg;
    if (direction < 0.0)
        c = -c;
    Set(kp, a / 1000.0 + startKp);
    Set(along, a);
    Set(across, c);
    Set(toEnd, length - a);
    if (a < 0.0)
        return -1;
    if (a > length)
        return 1;
    return 0;
}

int OffsetFromLine(double e, double n, double startE, double startN, double endE, double endN, double* kp,
                   double* along, double* across, double* toEnd)
{
    double bearing = 0.0;
    double length = 0.0;
    ComputeRangeBearing(startE, startN, endE, endN, &bearing, &length);
    return ProjectOntoSegment(e, n, startE, startN, 0.0, std::sin(bearing), std::cos(bearing), length,
                              bearing, kp, along, across, toEnd);
}

void ComputeCorridorVertex(const tagXY& previous, const tagXY& vertex, const tagXY& next, double portWidth,
                           double starboardWidth, tagXY* port, tagXY* starboard)
{
    double b1 = 0.0, len1 = 0.0, b2 = 0.0, len2 = 0.0;
    ComputeRangeBearing(previous.x, previous.y, vertex.x, vertex.y, &b1, &len1);
    ComputeRangeBearing(vertex.x, vertex.y, next.x, next.y, &b2, &len2);
    const double s1 = std::sin(b1), c1 = std::cos(b1);
    const double s2 = std::sin(b2), c2 = std::cos(b2);

    // A leg without length has no direction: the corner is square to the other leg.
    if (len1 == 0.0 || len2 == 0.0)
    {
        if (len1 == 0.0)
            OffsetPerpendicular(vertex.x, vertex.y, s2, c2, portWidth, starboardWidth, port, starboard);
        else
            OffsetPerpendicular(vertex.x, vertex.y, s1, c1, portWidth, starboardWidth, port, starboard);
        return;
    }

    // Offset lines of parallel legs never cross, and nearly parallel ones cross far from where
    // rounding lets us find them: a corner there would land at (0, 0) or kilometres off.
    // Legs running on in line take the perpendicular to their mean direction, which is the
    // mitre itself in the limit; a leg doubling back takes the incoming leg's perpendicular.
    const double sinTurn = s1 * c2 - c1 * s2;
    if (std::fabs(sinTurn) < kParallelSine)
    {
        const double cosTurn = s1 * s2 + c1 * c2;
        if (cosTurn > 0.0)
        {
            const double mean = b1 + WrapPi(b2 - b1) / 2.0;
            OffsetPerpendicular(vertex.x, vertex.y, std::sin(mean), std::cos(mean), portWidth, starboardWidth,
                                port, starboard);
        }
        else
        {
            OffsetPerpendicular(vertex.x, vertex.y, s1, c1, portWidth, starboardWidth, port, starboard);
        }
        return;
    }

    tagXY p1[2], v1[2], v2[2], n2[2]; // [0] port, [1] starboard
    OffsetPerpendicular(previous.x, previous.y, s1, c1, portWidth, starboardWidth, &p1[0], &p1[1]);
    OffsetPerpendicular(vertex.x, vertex.y, s1, c1, portWidth, starboardWidth, &v1[0], &v1[1]);
    OffsetPerpendicular(vertex.x, vertex.y, s2, c2, portWidth, starboardWidth, &v2[0], &v2[1]);
    OffsetPerpendicular(next.x, next.y, s2, c2, portWidth, starboardWidth, &n2[0], &n2[1]);
    tagXY* out[2] = {port, starboard};
    for (int side = 0; side < 2; ++side)
    {
        if (!out[side])
            continue;
        IntersectLines(p1[side], v1[side], v2[side], n2[side], &out[side]->x, &out[side]->y);
    }
}

bool FitTurnArc(const tagXY& previous, const tagXY& vertex, const tagXY& next, ArcDef* arc)
{
    if (!arc || !(arc->Radius > 0.0))
        return false;
    double bIn = 0.0, lenIn = 0.0, bOut = 0.0, lenOut = 0.0;
    ComputeRangeBearing(previous.x, previous.y, vertex.x, vertex.y, &bIn, &lenIn);
    ComputeRangeBearing(vertex.x, vertex.y, next.x, next.y, &bOut, &lenOut);
    if (lenIn == 0.0 || lenOut == 0.0)
        return false;

    const double delta = WrapPi(bOut - bIn);
    const double turn = std::fabs(delta);
    if (turn == 0.0 || turn > M_PI - kStraightBack)
        return false;
    const int side = delta > 0.0 ? 1 : -1;
    const double r = arc->Radius;

    // The centre lies on the bisector, inside the turn, at R / cos(θ/2) from the vertex, so
    // that both legs are tangent to the circle.
    const double toCentre = bIn + delta / 2.0 + side * M_PI_2;
    PointAtRangeBearing(vertex.x, vertex.y, r / std::cos(turn / 2.0), toCentre, &arc->CentreE, &arc->CentreN);

    // From the centre the tangent points lie square to each leg, on the outside of the turn.
    arc->StartBearing = WrapTwoPi(bIn - side * M_PI_2);
    arc->EndBearing = WrapTwoPi(arc->StartBearing + side * turn);
    PointAtRangeBearing(arc->CentreE, arc->CentreN, r, arc->StartBearing, &arc->StartE, &arc->StartN);
    PointAtRangeBearing(arc->CentreE, arc->CentreN, r, arc->EndBearing, &arc->EndE, &arc->EndN);
    arc->TurnAngle = turn;
    arc->ArcLength = turn * r;
    arc->TurnSide = side;
    return true;
}

int FitArcAtIntersection(const tagXY& a1, const tagXY& a2, const tagXY& b1, const tagXY& b2,
                         tagXY* intersection, ArcDef* arc)
{
    tagXY crossing{0.0, 0.0};
    const int result = IntersectLines(a1, a2, b1, b2, &crossing.x, &crossing.y);
    if (intersection)
        *intersection = crossing;
    if (result == 0)
        return 0;
    // The legs' directions are those of the two lines, wherever on them the crossing falls:
    // taking a1 → crossing would reverse the incoming leg when the lines cross behind a1.
    const tagXY previous{crossing.x - (a2.x - a1.x), crossing.y - (a2.y - a1.y)};
    const tagXY next{crossing.x + (b2.x - b1.x), crossing.y + (b2.y - b1.y)};
    FitTurnArc(previous, crossing, next, arc);
    return result;
}

int IntersectLines(const tagXY& a1, const tagXY& a2, const tagXY& b1, const tagXY& b2, double* x, double* y)
{
    return IntersectSegments(a1.x, a1.y, a2.x, a2.y, b1.x, b1.y, b2.x, b2.y, x, y);
}

bool SegmentCrossingParameters(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                               double y4, double* ua, double* ub)
{
    const double dx12 = x2 - x1, dy12 = y2 - y1;
    const double dx34 = x4 - x3, dy34 = y4 - y3;
    const double denominator = dx12 * dy34 - dy12 * dx34;
    if (denominator == 0.0)
        return false;
    const double dx13 = x3 - x1, dy13 = y3 - y1;
    Set(ua, (dx13 * dy34 - dy13 * dx34) / denominator);
    Set(ub, (dx13 * dy12 - dy13 * dx12) / denominator);
    return true;
}

int IntersectSegments(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4,
                      double* x, double* y)
{
    double t = 0.0, u = 0.0;
    if (!SegmentCrossingParameters(x1, y1, x2, y2, x3, y3, x4, y4, &t, &u))
    {
        Set(x, 0.0);
        Set(y, 0.0);
        return 0;
    }
    Set(x, x1 + t * (x2 - x1));
    Set(y, y1 + t * (y2 - y1));
    return (t >= 0.0 && t <= 1.0 && u >= 0.0 && u <= 1.0) ? 2 : 1;
}

int IntersectSegmentPoints(const tagXY* a1, const tagXY* a2, const tagXY* b1, const tagXY* b2,
                           tagXY* crossing)
{
    double x = 0.0, y = 0.0;
    const int result = IntersectSegments(a1->x, a1->y, a2->x, a2->y, b1->x, b1->y, b2->x, b2->y, &x, &y);
    if (crossing)
        *crossing = tagXY{x, y};
    return result;
}

void NearestPointOnSegment(double e, double n, double startE, double startN, double endE, double endN,
                           tagXY* point, double* along, double* offset)
{
    const double dE = endE - startE;
    const double dN = endN - startN;
    const double length = std::sqrt(dE * dE + dN * dN);
    double t = 0.0; // along the segment, grid units
    double across = 0.0;
    if (length > 0.0)
    {
        // Unit direction (sin b, cos b); the right-hand normal is (cos b, −sin b).
        const double s = dE / length;
        const double c = dN / length;
        t = (e - startE) * s + (n - startN) * c;
        across = (e - startE) * c - (n - startN) * s;
        if (t < 0.0 || t > length)
        {
            // Past an end the nearest point is that end; the offset is the distance to it, with
            // the side of the line as its sign.
            t = t < 0.0 ? 0.0 : length;
            const double d = std::hypot(e - (startE + t * s), n - (startN + t * c));
            across = across < 0.0 ? -d : d;
        }
        if (point)
            *point = tagXY{startE + t * s, startN + t * c};
    }
    else
    {
        across = std::hypot(e - startE, n - startN);
        if (point)
            *point = tagXY{startE, startN};
    }
    if (along)
        *along = t;
    if (offset)
        *offset = across;
}

#include "chart/geometry/RectangleClipper.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace
{
// Sides of the rectangle as bits of the sides a point lies on.
constexpr int kLeft = 1, kRight = 2, kBottom = 4, kTop = 8;
constexpr int kHalfPlanes = 4;

double Clamp(double v, double a, double b)
{
    return std::min(std::max(v, std::min(a, b)), std::max(a, b));
}

bool Same(const tagXY& a, const tagXY& b)
{
    return a.x == b.x && a.y == b.y;
}

// Twice the signed area, anticlockwise positive in x right, y up; taken about the first point
// so that outlines far from the origin keep their digits.
double TwiceArea(const tagXY* p, std::size_t n)
{
    double twice = 0.0;
    for (std::size_t i = 1; i + 1 < n; ++i)
        twice += (p[i].x - p[0].x) * (p[i + 1].y - p[0].y) - (p[i + 1].x - p[0].x) * (p[i].y - p[0].y);
    return twice;
}

void AppendDistinct(ClipPoints& points, const tagXY& p)
{
    if (points.empty() || !Same(points.back(), p))
        points.push_back(p);
}
} // namespace

CRectangleClipper::CRectangleClipper(double xmin, double ymin, double xmax, double ymax)
    : m_Xmin(xmin), m_Ymin(ymin), m_Xmax(xmax), m_Ymax(ymax), m_Width(xmax - xmin), m_Height(ymax - ymin)
{
    // The same sums as Along gives the corners, so that a corner is found at its own place.
    m_Corner[0] = 0.0;
    m_Corner[1] = m_Width;
    m_Corner[2] = m_Width + m_Height;
    m_Corner[3] = m_Width + m_Height + m_Width;
    m_Perimeter = m_Corner[3] + m_Height;
}

bool CRectangleClipper::FromPolygon(const tagXY* clip, int count, CRectangleClipper* clipper)
{
    if (count == 5 && Same(clip[0], clip[4]))
        count = 4;
    if (count != 4)
        return false;
    // Sides alternate between horizontal and vertical, starting either way.
    for (int start = 0; start < 2; ++start)
    {
        bool parallel = true;
        for (int i = 0; i < 4 && parallel; ++i)
        {
            const tagXY& a = clip[i];
            const tagXY& b = clip[(i + 1) % 4];
            parallel = ((i + start) % 2 == 0) ? (a.y == b.y && a.x != b.x) : (a.x == b.x && a.y != b.y);
        }
        if (parallel)
        {
            const double xmin = std::min({clip[0].x, clip[1].x, clip[2].x});
            const double xmax = std::max({clip[0].x, clip[1].x, clip[2].x});
            const double ymin = std::min({clip[0].y, clip[1].y, clip[2].y});
            const double ymax = std::max({clip[0].y, clip[1].y, clip[2].y});
            *clipper = CRectangleClipper(xmin, ymin, xmax, ymax);
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------------------
// The four half-planes, one stage after the other, each point passed on as it comes.

bool CRectangleClipper::Inside(int side, const tagXY& p) const
{
    switch (side)
    {
    case 0: return p.x >= m_Xmin;
    case 1: return p.x <= m_Xmax;
    case 2: return p.y >= m_Ymin;
    default: return p.y <= m_Ymax;
    }
}

// Where the edge from `from` to `to` crosses the side's line: on the line exactly, and the
// other coordinate held between the edge's ends.
tagXY CRectangleClipper::Crossing(int side, const tagXY& from, const tagXY& to) const
{
    if (side < 2)
    {
        const double x = side == 0 ? m_Xmin : m_Xmax;
        const double t = (x - from.x) / (to.x - from.x);
        return tagXY{x, Clamp(from.y + t * (to.y - from.y), from.y, to.y)};
    }
    const double y = side == 2 ? m_Ymin : m_Ymax;
    const double t = (y - from.y) / (to.y - from.y);
    return tagXY{Clamp(from.x + t * (to.x - from.x), from.x, to.x), y};
}

void CRectangleClipper::Push(int side, const tagXY& p)
{
    if (side == kHalfPlanes)
    {
        AppendDistinct(m_Ring, p);
        return;
    }
    Stage& stage = m_Stages[side];
    const bool inside = Inside(side, p);
    if (!stage.started)
    {
        stage.started = true;
        stage.first = p;
        stage.firstInside = inside;
    }
    else if (inside != stage.previousInside)
        Push(side + 1, Crossing(side, stage.previous, p));
    if (inside)
        Push(side + 1, p);
    stage.previous = p;
    stage.previousInside = inside;
}

void CRectangleClipper::CloseSide(int side)
{
    if (side == kHalfPlanes)
        return;
    const Stage& stage = m_Stages[side];
    if (stage.started && stage.previousInside != stage.firstInside)
        Push(side + 1, Crossing(side, stage.previous, stage.first));
    CloseSide(side + 1);
}

void CRectangleClipper::CutByHalfPlanes(const tagXY* subject, int count)
{
    for (Stage& stage : m_Stages)
        stage = Stage{};
    m_Ring.clear();
    m_Ring.reserve(static_cast<std::size_t>(count) + 16);
    for (int i = 0; i < count; ++i)
        Push(0, subject[i]);
    CloseSide(0);
    while (m_Ring.size() > 1 && Same(m_Ring.front(), m_Ring.back()))
        m_Ring.pop_back();
}

// ---------------------------------------------------------------------------------------
// The boundary

int CRectangleClipper::Sides(const tagXY& p) const
{
    return (p.x == m_Xmin ? kLeft : 0) | (p.x == m_Xmax ? kRight : 0) | (p.y == m_Ymin ? kBottom : 0) |
           (p.y == m_Ymax ? kTop : 0);
}

// The position of a boundary point round the boundary, anticlockwise from the corner (xmin, ymin).
double CRectangleClipper::Along(const tagXY& p) const
{
    if (p.y == m_Ymin)
        return p.x - m_Xmin;
    if (p.x == m_Xmax)
        return m_Width + (p.y - m_Ymin);
    if (p.y == m_Ymax)
        return m_Corner[2] + (m_Xmax - p.x);
    return m_Corner[3] + (m_Ymax - p.y);
}

// How far a run along one side goes round the boundary, anticlockwise positive.
double CRectangleClipper::Flow(const tagXY& from, const tagXY& to, int common) const
{
    if (common & kBottom)
        return to.x - from.x;
    if (common & kRight)
        return to.y - from.y;
    if (common & kTop)
        return from.x - to.x;
    return from.y - to.y;
}

// Splits the cut outline into its runs through the inside, each from the boundary back to it,
// leaving out its runs along the sides, whose flow round the boundary it sums. False when a run
// does not start and end on the boundary (nothing the cut gives, but then the ring stands).
bool CRectangleClipper::SplitIntoChains(double* ringFlow)
{
    const std::size_t n = m_Ring.size();
    auto alongSide = [&](std::size_t i) { return Sides(m_Ring[i % n]) & Sides(m_Ring[(i + 1) % n]); };
    std::size_t start = 0;
    while (start < n && !(alongSide(start + n - 1) && !alongSide(start)))
        ++start;
    m_Chains.clear();
    *ringFlow = 0.0;
    bool inChain = false;
    for (std::size_t k = 0; k < n; ++k)
    {
        const std::size_t i = (start + k) % n;
        const tagXY& a = m_Ring[i];
        const tagXY& b = m_Ring[(i + 1) % n];
        const int common = Sides(a) & Sides(b);
        if (common)
        {
            *ringFlow += Flow(a, b, common);
            inChain = false;
            continue;
        }
        if (!inChain)
        {
            m_Chains.push_back(Chain{i, 1, 0.0, 0.0, -1});
            inChain = true;
        }
        ++m_Chains.back().count;
    }
    for (Chain& chain : m_Chains)
    {
        const tagXY& first = m_Ring[chain.begin];
        const tagXY& last = m_Ring[(chain.begin + chain.count - 1) % n];
        if (!Sides(first) || !Sides(last))
            return false;
        chain.entry = Along(first);
        chain.exit = Along(last);
    }
    return true;
}

// Joins each chain's end to the start the boundary walk meets next, anticlockwise. Where an end
// and a start lie on one point, `exitsFirst` decides whether the end takes that start or the
// one after. False when ends and starts do not take turns round the boundary, or when the
// joins go round the boundary a different number of times than the cut outline did: the pieces
// would then not fill what the outline fills.
bool CRectangleClipper::PairEnds(bool exitsFirst, double ringFlow)
{
    m_Ends.clear();
    for (std::size_t c = 0; c < m_Chains.size(); ++c)
    {
        m_Ends.push_back(End{m_Chains[c].entry, false, static_cast<int>(c)});
        m_Ends.push_back(End{m_Chains[c].exit, true, static_cast<int>(c)});
    }
    std::sort(m_Ends.begin(), m_Ends.end(), [exitsFirst](const End& a, const End& b) {
        if (a.at != b.at)
            return a.at < b.at;
        return a.exit == exitsFirst && b.exit != exitsFirst;
    });
    const std::size_t count = m_Ends.size();
    double flow = 0.0;
    for (std::size_t k = 0; k < count; ++k)
    {
        const End& end = m_Ends[k];
        if (!end.exit)
            continue;
        const End& start = m_Ends[(k + 1) % count];
        if (start.exit)
            return false;
        m_Chains[end.chain].next = start.chain;
        double walk = start.at - end.at;
        if (walk < 0.0)
            walk += m_Perimeter;
        flow += walk;
    }
    return std::fabs(flow - ringFlow) < m_Perimeter / 2;
}

// The corners passed going `length` anticlockwise round the boundary from position `from`,
// written at `piece` (which ends at `end`); returns the new end.
tagXY* CRectangleClipper::AddCorners(double from, double length, tagXY* piece, tagXY* end) const
{
    const tagXY corners[4] = {{m_Xmin, m_Ymin}, {m_Xmax, m_Ymin}, {m_Xmax, m_Ymax}, {m_Xmin, m_Ymax}};
    int first = 0;
    while (first < 4 && m_Corner[first] <= from)
        ++first;
    for (int k = 0; k < 4; ++k)
    {
        const int c = (first + k) % 4;
        double ahead = m_Corner[c] - from;
        if (ahead <= 0.0)
            ahead += m_Perimeter;
        if (!(ahead > 0.0 && ahead < length))
            break;
        if (end == piece || !Same(end[-1], corners[c]))
            *end++ = corners[c];
    }
    return end;
}

// The chains joined into pieces; 0 when a piece comes out turned against the outline (its runs
// cross one another): the pieces would fill what the outline does not.
std::size_t CRectangleClipper::WriteChains(tagXY* out) const
{
    const std::size_t n = m_Ring.size();
    std::vector<char, NothrowAllocator<char>>& taken = m_Taken;
    std::fill(taken.begin(), taken.end(), 0);
    const double noArea = 1e-12 * m_Width * m_Height;
    tagXY* end = out;
    for (std::size_t first = 0; first < m_Chains.size(); ++first)
    {
        if (taken[first])
            continue;
        tagXY* piece = end;
        int c = static_cast<int>(first);
        while (!taken[c])
        {
            taken[c] = 1;
            const Chain& chain = m_Chains[c];
            for (std::size_t k = 0; k < chain.count; ++k)
            {
                const tagXY& p = m_Ring[(chain.begin + k) % n];
                if (end == piece || !Same(end[-1], p))
                    *end++ = p;
            }
            const Chain& next = m_Chains[chain.next];
            double walk = next.entry - chain.exit;
            if (walk < 0.0)
                walk += m_Perimeter;
            end = AddCorners(chain.exit, walk, piece, end);
            c = chain.next;
        }
        if (c != static_cast<int>(first))
            return 0;
        while (end - piece > 1 && Same(*piece, end[-1]))
            --end;
        if (TwiceArea(piece, static_cast<std::size_t>(end - piece)) < -noArea)
            return 0;
        const tagXY front = *piece;
        *end++ = front;
        *end++ = tagXY{DBL_MAX, DBL_MAX};
    }
    return static_cast<std::size_t>(end - out);
}

// The cut outline as one piece: its runs along the sides have no width, so filled by the
// winding rule it covers exactly what the outline covers in the rectangle.
std::size_t CRectangleClipper::WriteRing(tagXY* out) const
{
    std::copy(m_Ring.begin(), m_Ring.end(), out);
    out[m_Ring.size()] = m_Ring.front();
    out[m_Ring.size() + 1] = tagXY{DBL_MAX, DBL_MAX};
    return m_Ring.size() + 2;
}

std::size_t CRectangleClipper::WritePieces(tagXY* out) const
{
    if (!m_WholeRing)
        if (const std::size_t written = WriteChains(out))
            return written;
    return WriteRing(out);
}

CRectangleClipper::Outcome CRectangleClipper::Clip(const tagXY* subject, int count)
{
    m_WholeRing = false;
    double minX = subject[0].x, maxX = subject[0].x, minY = subject[0].y, maxY = subject[0].y;
    for (int i = 1; i < count; ++i)
    {
        minX = std::min(minX, subject[i].x);
        maxX = std::max(maxX, subject[i].x);
        minY = std::min(minY, subject[i].y);
        maxY = std::max(maxY, subject[i].y);
    }
    if (minX >= m_Xmin && maxX <= m_Xmax && minY >= m_Ymin && maxY <= m_Ymax)
        return SUBJECT;
    if (maxX < m_Xmin || minX > m_Xmax || maxY < m_Ymin || minY > m_Ymax)
        return NOTHING;

    CutByHalfPlanes(subject, count);
    if (m_Ring.size() < 3)
        return NOTHING;
    const double twice = TwiceArea(m_Ring.data(), m_Ring.size());
    if (twice == 0.0)
        return NOTHING;
    // Walked anticlockwise, the inside of every piece lies to the left of its runs.
    if (twice < 0.0)
        std::reverse(m_Ring.begin(), m_Ring.end());

    double ringFlow = 0.0;
    m_WholeRing = !SplitIntoChains(&ringFlow);
    if (!m_WholeRing && m_Chains.empty())
    {
        // Nothing crosses the inside: the outline runs round the boundary as many times as it
        // winds about every point of the rectangle.
        return std::fabs(ringFlow) >= m_Perimeter / 2 ? CLIP : NOTHING;
    }
    if (!m_WholeRing)
        m_WholeRing = !(PairEnds(true, ringFlow) || PairEnds(false, ringFlow));
    m_Taken.assign(m_Chains.size(), 0);
    return PIECES;
}

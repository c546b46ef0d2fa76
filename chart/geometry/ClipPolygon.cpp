#include "chart/geometry/ClipPolygon.h"

#include "chart/geometry/PointInPolygon.h"
#include "chart/geometry/PolygonNode.h"
#include "chart/geometry/RectangleClipper.h"
#include "foundation/Geometry.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <new>

namespace
{
// Each pass that moves a vertex changes the input, so rounding cannot make the crossings
// start over for ever; an outline that still lands on the other after this many moves is
// given up on rather than looped over.
constexpr int kMaxPasses = 64;

// Every node of one call: handed out from blocks, all freed together when the call ends, so
// a large outline costs a few hundred allocations rather than one per vertex and crossing.
class NodePool
{
public:
    NodePool() = default;
    NodePool(const NodePool&) = delete;
    NodePool& operator=(const NodePool&) = delete;
    ~NodePool()
    {
        while (m_Blocks)
        {
            Block* next = m_Blocks->next;
            delete m_Blocks;
            m_Blocks = next;
        }
    }

    // A zeroed node at (x, y); null when no block could be allocated.
    PolygonNode* New(double x, double y)
    {
        if (!m_Blocks || m_Used == kBlockNodes)
        {
            Block* block = new (std::nothrow) Block;
            if (!block)
                return nullptr;
            block->next = m_Blocks;
            m_Blocks = block;
            m_Used = 0;
        }
        PolygonNode* node = &m_Blocks->nodes[m_Used++];
        *node = PolygonNode{};
        node->x = x;
        node->y = y;
        return node;
    }

private:
    // Under the allocator's threshold for mapping fresh pages, so blocks are reused between calls.
    static constexpr int kBlockNodes = 1024;
    struct Block
    {
        Block* next;
        PolygonNode nodes[kBlockNodes];
    };
    Block* m_Blocks = nullptr;
    int m_Used = 0;
};

// One polygon's work list: its input vertices in order, first a straight list closed by a
// copy of the first vertex, later a ring once the crossings are in and the copy is gone.
class WorkList
{
public:
    explicit WorkList(NodePool& pool) : m_Pool(pool) {}
    WorkList(const WorkList&) = delete;
    WorkList& operator=(const WorkList&) = delete;
    ~WorkList() { delete[] m_Vertices; }

    // False when a node could not be allocated.
    bool Build(const tagXY* points, int count)
    {
        m_Vertices = new (std::nothrow) PolygonNode*[count + 1];
        if (!m_Vertices)
            return false;
        PolygonNode* last = nullptr;
        for (int i = 0; i <= count; ++i)
        {
            const tagXY& p = points[i < count ? i : 0];
            PolygonNode* node = m_Pool.New(p.x, p.y);
            if (!node)
                return false;
            node->prev = last;
            if (last)
                last->next = node;
            else
                m_First = node;
            last = node;
            m_Vertices[i] = node;
        }
        m_Closing = last;
        m_Count = count;
        return true;
    }

    PolygonNode* First() const { return m_First; }
    PolygonNode* Closing() const { return m_Closing; }
    // The input vertices, the closing copy last (index Count()), however many crossings have
    // been threaded in between: an edge is found without walking over them.
    PolygonNode* Vertex(int i) const { return m_Vertices[i]; }
    int Count() const { return m_Count; }

    // Moves the whole outline.
    void Shift(double dx, double dy)
    {
        for (int i = 0; i <= m_Count; ++i)
        {
            m_Vertices[i]->x += dx;
            m_Vertices[i]->y += dy;
        }
    }

    // Moves a vertex; the first vertex and its closing copy move together.
    void Move(PolygonNode* vertex, double dx, double dy)
    {
        vertex->x += dx;
        vertex->y += dy;
        PolygonNode* twin = vertex == m_First ? m_Closing : vertex == m_Closing ? m_First : nullptr;
        if (twin)
        {
            twin->x = vertex->x;
            twin->y = vertex->y;
        }
    }

    // Threads `crossing` in between `from` and the next input vertex, in increasing alpha.
    static void Insert(PolygonNode* crossing, PolygonNode* from)
    {
        PolygonNode* at = from->next;
        while (at->isIntersection && at->alpha < crossing->alpha)
            at = at->next;
        crossing->next = at;
        crossing->prev = at->prev;
        at->prev->next = crossing;
        at->prev = crossing;
    }

    // Unthreads every crossing (the pool keeps their nodes until the call ends).
    void RemoveIntersections()
    {
        for (int i = 0; i < m_Count; ++i)
        {
            m_Vertices[i]->next = m_Vertices[i + 1];
            m_Vertices[i + 1]->prev = m_Vertices[i];
        }
    }

    // Entry flags of the crossings in list order, alternating from whether the first vertex
    // lies inside the other polygon.
    void MarkEntries(const PolygonNode* other)
    {
        bool inside = PointInPolygon(m_First->x, m_First->y, other);
        for (PolygonNode* node = m_First; node; node = node->next)
            if (node->isIntersection)
            {
                node->entry = inside ? 0 : 1;
                inside = !inside;
            }
    }

    // Drops the closing copy and joins the list into a ring.
    void CloseRing()
    {
        PolygonNode* last = m_Closing->prev;
        m_Closing = nullptr;
        last->next = m_First;
        m_First->prev = last;
    }

private:
    NodePool& m_Pool;
    PolygonNode* m_First = nullptr;
    PolygonNode* m_Closing = nullptr;
    PolygonNode** m_Vertices = nullptr;
    int m_Count = 0;
};

// The result polygons, each a straight list along `next`, chained through `nextPolygon` with
// the newest first.
class ResultPolygons
{
public:
    explicit ResultPolygons(NodePool& pool) : m_Pool(pool) {}

    void StartPolygon() { m_Last = nullptr; }
    bool Add(const PolygonNode* from)
    {
        PolygonNode* node = m_Pool.New(from->x, from->y);
        if (!node)
            return false;
        if (m_Last)
            m_Last->next = node;
        else
        {
            node->nextPolygon = m_Head;
            m_Head = node;
        }
        m_Last = node;
        ++m_Points;
        if (node == m_Head)
            ++m_Polygons;
        return true;
    }

    // Each polygon takes its points, a copy of its first and the separator.
    int OutputCount() const { return m_Points + 2 * m_Polygons; }
    void Write(tagXY* out) const
    {
        for (const PolygonNode* polygon = m_Head; polygon; polygon = polygon->nextPolygon)
        {
            for (const PolygonNode* node = polygon; node; node = node->next)
                *out++ = {node->x, node->y};
            *out++ = {polygon->x, polygon->y};
            *out++ = {DBL_MAX, DBL_MAX};
        }
    }

private:
    NodePool& m_Pool;
    PolygonNode* m_Head = nullptr;
    PolygonNode* m_Last = nullptr;
    int m_Points = 0;
    int m_Polygons = 0;
};

bool AllFinite(const tagXY* points, int count)
{
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(points[i].x) || !std::isfinite(points[i].y))
            return false;
    return true;
}

double Distance(double x1, double y1, double x2, double y2)
{
    return std::hypot(x2 - x1, y2 - y1);
}

// A subject vertex that lands on the clip edge c1–c2 is moved by the tolerance off the line:
// up when the edge lies on its y, right when it lies on its x, and otherwise across whichever
// axis the edge runs less along, so that the move always changes the input.
void MoveOffEdge(WorkList& subject, PolygonNode* vertex, const PolygonNode* c1, const PolygonNode* c2,
                 double tolerance)
{
    const bool onY = vertex->y == c1->y && vertex->y == c2->y;
    const bool onX = vertex->x == c1->x && vertex->x == c2->x;
    if (onY || onX)
        subject.Move(vertex, onX ? tolerance : 0.0, onY ? tolerance : 0.0);
    else if (std::fabs(c2->y - c1->y) <= std::fabs(c2->x - c1->x))
        subject.Move(vertex, 0.0, tolerance);
    else
        subject.Move(vertex, tolerance, 0.0);
}

enum class PassResult
{
    Done,
    Moved,
    Degenerate,
    OutOfMemory
};

// Whether two parallel edges lie on one line and share more than a point: the walk cannot
// tell which side of the other outline such a run is on.
bool Overlap(const PolygonNode* s1, const PolygonNode* s2, const PolygonNode* c1, const PolygonNode* c2)
{
    const double dx = s2->x - s1->x, dy = s2->y - s1->y;
    if ((c1->x - s1->x) * dy - (c1->y - s1->y) * dx != 0.0)
        return false;
    const double length = dx * dx + dy * dy;
    if (length == 0.0)
        return false;
    const double t1 = ((c1->x - s1->x) * dx + (c1->y - s1->y) * dy) / length;
    const double t2 = ((c2->x - s1->x) * dx + (c2->y - s1->y) * dy) / length;
    return std::fmax(t1, t2) > 0.0 && std::fmin(t1, t2) < 1.0;
}

// Threads every crossing of a subject edge with a clip edge into both lists. A crossing at a
// subject edge's start or end vertex is not threaded: the vertex is moved instead and the
// caller starts over.
PassResult FindCrossings(NodePool& pool, WorkList& subject, WorkList& clip, double tolerance)
{
    bool moved = false;
    for (int i = 0; i < subject.Count(); ++i)
    {
        PolygonNode* s1 = subject.Vertex(i);
        PolygonNode* s2 = subject.Vertex(i + 1);
        for (int j = 0; j < clip.Count(); ++j)
        {
            PolygonNode* c1 = clip.Vertex(j);
            PolygonNode* c2 = clip.Vertex(j + 1);
            // Edges whose boxes do not meet cannot cross; most of a large outline lies off
            // most of the view's edges.
            if (std::fmax(s1->x, s2->x) < std::fmin(c1->x, c2->x) || std::fmin(s1->x, s2->x) > std::fmax(c1->x, c2->x) ||
                std::fmax(s1->y, s2->y) < std::fmin(c1->y, c2->y) || std::fmin(s1->y, s2->y) > std::fmax(c1->y, c2->y))
                continue;
            double ua = 0.0, ub = 0.0;
            if (!SegmentCrossingParameters(s1->x, s1->y, s2->x, s2->y, c1->x, c1->y, c2->x, c2->y, &ua, &ub))
            {
                if (Overlap(s1, s2, c1, c2))
                    return PassResult::Degenerate;
                continue;
            }
            if (ua < 0.0 || ua > 1.0 || ub < 0.0 || ub > 1.0)
                continue;
            // A clip vertex on the subject edge: neither list can thread a crossing there.
            if ((ub == 0.0 || ub == 1.0) && ua > 0.0 && ua < 1.0)
                return PassResult::Degenerate;
            if (ua == 1.0)
            {
                MoveOffEdge(subject, s2, c1, c2, tolerance);
                moved = true;
            }
            else if (ua == 0.0)
            {
                const bool onY = s1->y == c1->y || s1->y == c2->y;
                const bool onX = s1->x == c1->x || s1->x == c2->x;
                if (onY || onX)
                {
                    subject.Move(s1, onX ? tolerance : 0.0, onY ? tolerance : 0.0);
                    moved = true;
                }
            }
            else
            {
                const double x = s1->x + ua * (s2->x - s1->x);
                const double y = s1->y + ua * (s2->y - s1->y);
                PolygonNode* onSubject = pool.New(x, y);
                PolygonNode* onClip = pool.New(x, y);
                if (!onSubject || !onClip)
                    return PassResult::OutOfMemory;
                onSubject->isIntersection = onClip->isIntersection = 1;
                onSubject->neighbour = onClip;
                onClip->neighbour = onSubject;
                onSubject->alpha = Distance(s1->x, s1->y, x, y) / Distance(s1->x, s1->y, s2->x, s2->y);
                onClip->alpha = Distance(c1->x, c1->y, x, y) / Distance(c1->x, c1->y, c2->x, c2->y);
                WorkList::Insert(onSubject, s1);
                WorkList::Insert(onClip, c1);
            }
        }
    }
    return moved ? PassResult::Moved : PassResult::Done;
}

// Walks from each crossing not yet taken: forward along a list where the walk enters the
// other polygon, backward where it leaves, over to the other list at every crossing, until
// it comes back.
bool TracePolygons(WorkList& subject, ResultPolygons& polygons)
{
    PolygonNode* node = subject.First();
    do
    {
        if (node->isIntersection && !node->visited)
        {
            polygons.StartPolygon();
            PolygonNode* current = node;
            do
            {
                current->visited = 1;
                current->neighbour->visited = 1;
                if (!polygons.Add(current))
                    return false;
                const bool forward = current->entry != 0;
                for (;;)
                {
                    current = forward ? current->next : current->prev;
                    if (current->isIntersection)
                        break;
                    if (!polygons.Add(current))
                        return false;
                }
                current = current->neighbour;
            } while (!current->visited);
        }
        node = node->next;
    } while (node != subject.First());
    return true;
}

// Hands a new array to the caller in place of its previous one.
int Deliver(tagXY* array, int count, tagXY** result, int* resultCount)
{
    FreeClipResult(result);
    *result = array;
    *resultCount = count;
    return 1;
}

// The result when the outlines do not cross: one polygon wholly inside the other, or nothing.
int WholePolygon(const tagXY* points, int count, tagXY** result, int* resultCount)
{
    tagXY* out = new (std::nothrow) tagXY[count + 1];
    if (!out)
        return 255;
    for (int i = 0; i < count; ++i)
        out[i] = points[i];
    out[count] = {DBL_MAX, DBL_MAX};
    return Deliver(out, count + 1, result, resultCount);
}

// The view and any other axis-parallel rectangle: clipped exactly, nothing moved.
int ClipToRectangle(CRectangleClipper& rectangle, const tagXY* clip, int clipCount, const tagXY* subject,
                    int subjectCount, tagXY** result, int* resultCount)
{
    CRectangleClipper::Outcome outcome = CRectangleClipper::NOTHING;
    try
    {
        outcome = rectangle.Clip(subject, subjectCount);
    }
    catch (const std::bad_alloc&)
    {
        return -1;
    }
    switch (outcome)
    {
    case CRectangleClipper::SUBJECT:
        return WholePolygon(subject, subjectCount, result, resultCount);
    case CRectangleClipper::CLIP:
        return WholePolygon(clip, clipCount, result, resultCount);
    case CRectangleClipper::PIECES:
        break;
    default:
        return Deliver(nullptr, 0, result, resultCount);
    }
    tagXY* out = new (std::nothrow) tagXY[rectangle.PiecesBound()];
    if (!out)
        return 255;
    const std::size_t written = rectangle.WritePieces(out);
    return Deliver(out, static_cast<int>(written), result, resultCount);
}
} // namespace

int ClipPolygon(const tagXY* clip, int clipCount, const tagXY* subject, int subjectCount, tagXY** result,
                int* resultCount, double tolerance)
{
    if (resultCount)
        *resultCount = 0;
    if (!clip || !subject || !result || !resultCount || clipCount <= 0 || subjectCount <= 0)
        return -1;
    if (!AllFinite(clip, clipCount) || !AllFinite(subject, subjectCount) || !std::isfinite(tolerance))
        return -1;

    CRectangleClipper rectangle;
    if (CRectangleClipper::FromPolygon(clip, clipCount, &rectangle))
        return ClipToRectangle(rectangle, clip, clipCount, subject, subjectCount, result, resultCount);

    NodePool pool;
    WorkList subjectList(pool), clipList(pool);
    if (!subjectList.Build(subject, subjectCount) || !clipList.Build(clip, clipCount))
        return -1;
    PassResult pass = PassResult::Moved;
    for (int passes = 0; pass == PassResult::Moved; ++passes)
    {
        if (passes == kMaxPasses)
            return -1;
        subjectList.RemoveIntersections();
        clipList.RemoveIntersections();
        pass = FindCrossings(pool, subjectList, clipList, tolerance);
        if (pass == PassResult::OutOfMemory)
            return -1;
        if (pass == PassResult::Degenerate)
        {
            // A step no edge of a sensible outline runs along, so the shift leaves no
            // vertex on an edge and no edge along another.
            subjectList.Shift(tolerance, tolerance * 0.7548776662466927);
            pass = PassResult::Moved;
        }
    }

    subjectList.MarkEntries(clipList.First());
    clipList.MarkEntries(subjectList.First());
    subjectList.CloseRing();
    clipList.CloseRing();

    bool crossed = false;
    for (PolygonNode* node = subjectList.First()->next; node != subjectList.First() && !crossed; node = node->next)
        crossed = node->isIntersection != 0;
    if (!crossed)
    {
        const PolygonNode* s = subjectList.First();
        const PolygonNode* c = clipList.First();
        if (PointInPolygon(s->x, s->y, c))
            return WholePolygon(subject, subjectCount, result, resultCount);
        if (PointInPolygon(c->x, c->y, s))
            return WholePolygon(clip, clipCount, result, resultCount);
        return Deliver(nullptr, 0, result, resultCount);
    }

    ResultPolygons polygons(pool);
    if (!TracePolygons(subjectList, polygons))
        return -1;
    const int count = polygons.OutputCount();
    tagXY* out = new (std::nothrow) tagXY[count];
    if (!out)
        return 255;
    polygons.Write(out);
    return Deliver(out, count, result, resultCount);
}

void FreeClipResult(tagXY** result)
{
    if (!result)
        return;
    delete[] *result;
    *result = nullptr;
}

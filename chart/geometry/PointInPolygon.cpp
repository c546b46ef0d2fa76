#include "chart/geometry/PointInPolygon.h"

namespace
{
// Winding numbers of one point over the edges it is given (after Sunday's crossing rule). The
// second count turns the plane by a right angle, so an edge that the first ray only grazes
// (the half-open rule drops it) can still be seen by the other.
class WindingCounter
{
public:
    WindingCounter(double x, double y) : m_X(x), m_Y(y) {}

    void Edge(double ax, double ay, double bx, double by)
    {
        if (ax == m_X && ay == m_Y)
            m_VertexHit = true;
        // > 0 when the point lies left of the edge a → b.
        const double side = (bx - ax) * (m_Y - ay) - (m_X - ax) * (by - ay);
        if (ay <= m_Y)
        {
            if (by > m_Y && side > 0.0)
                ++m_AcrossY;
        }
        else if (by <= m_Y && side < 0.0)
            --m_AcrossY;
        // The same test with x and y exchanged, where the side changes sign.
        if (ax <= m_X)
        {
            if (bx > m_X && side < 0.0)
                ++m_AcrossX;
        }
        else if (bx <= m_X && side > 0.0)
            --m_AcrossX;
    }

    bool Inside() const { return m_AcrossY != 0 || m_AcrossX != 0 || m_VertexHit; }

private:
    double m_X;
    double m_Y;
    int m_AcrossY = 0;
    int m_AcrossX = 0;
    bool m_VertexHit = false;
};
} // namespace

bool PointInPolygon(double x, double y, const tagXY* points, int n)
{
    if (!points || n <= 2)
        return false;
    WindingCounter counter(x, y);
    for (int i = 0; i < n; ++i)
    {
        const tagXY& a = points[i];
        const tagXY& b = points[i + 1 < n ? i + 1 : 0];
        counter.Edge(a.x, a.y, b.x, b.y);
    }
    return counter.Inside();
}

bool PointInPolygon(double x, double y, const PolygonNode* first)
{
    if (!first)
        return false;
    int n = 0;
    for (const PolygonNode* node = first; node && (node != first || n == 0); node = node->next)
        ++n;
    if (n <= 2)
        return false;
    WindingCounter counter(x, y);
    const PolygonNode* node = first;
    for (int i = 0; i < n; ++i, node = node->next)
    {
        const PolygonNode* following = (i + 1 < n) ? node->next : first;
        counter.Edge(node->x, node->y, following->x, following->y);
    }
    return counter.Inside();
}

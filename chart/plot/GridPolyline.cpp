#include "chart/plot/GridPolyline.h"

bool CGridPolyline::Inside(double e, double n) const
{
    return e >= m_Plot.plotMinE && e <= m_Plot.plotMaxE && n >= m_Plot.plotMinN && n <= m_Plot.plotMaxN;
}

void CGridPolyline::Add(double e, double n)
{
    const bool inside = Inside(e, n);
    if (m_bHavePrevious && inside && m_bPreviousInside)
    {
        // A leg wholly in view needs no clipping: its ends convert as they stand, and the
        // start is the end of the leg before, already converted.
        const POINT end = m_Plot.GridToScreenPoint(e, n);
        if (m_Run.empty() || m_Run.back().x != m_PreviousScreen.x || m_Run.back().y != m_PreviousScreen.y)
        {
            Flush();
            m_Run.push_back(m_PreviousScreen);
        }
        // A leg that shrinks to one pixel adds nothing.
        if (end.x != m_Run.back().x || end.y != m_Run.back().y)
            m_Run.push_back(end);
        m_PreviousScreen = end;
    }
    else if (m_bHavePrevious)
    {
        RECT leg;
        // A leg that is not seen, or shrinks to one pixel, adds nothing; a later leg that does
        // not start where the run ends starts a run of its own.
        if (m_Plot.ClipLineToScreen(&leg, m_PreviousE, m_PreviousN, e, n))
        {
            const bool joined = !m_Run.empty() && m_Run.back().x == leg.left && m_Run.back().y == leg.top;
            if (!joined)
            {
                Flush();
                m_Run.push_back(POINT{leg.left, leg.top});
            }
            m_Run.push_back(POINT{leg.right, leg.bottom});
        }
        if (inside)
            m_PreviousScreen = m_Plot.GridToScreenPoint(e, n);
    }
    else if (inside)
        m_PreviousScreen = m_Plot.GridToScreenPoint(e, n);
    m_PreviousE = e;
    m_PreviousN = n;
    m_bPreviousInside = inside;
    m_bHavePrevious = true;
}

void CGridPolyline::Break()
{
    Flush();
    m_bHavePrevious = false;
}

void CGridPolyline::Flush()
{
    if (m_Run.size() >= 2)
        m_Plot.Polyline(m_Run.data(), static_cast<int>(m_Run.size()));
    m_Run.clear();
}

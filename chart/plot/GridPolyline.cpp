#include "chart/plot/GridPolyline.h"

void CGridPolyline::Add(double e, double n)
{
    if (m_bHavePrevious)
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
    }
    m_PreviousE = e;
    m_PreviousN = n;
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

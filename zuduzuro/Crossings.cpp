// Where the anchor line crosses pipelines and passes over obstructions, and whether the cable
// keeps its clearance over each of them.
#include "zuduzuro/Anchor.h"

#include "features/GridWaypointList.h"
#include "features/PipelineList.h"
#include "foundation/FilePath.h"
#include "foundation/Geometry.h"

#include <cfloat>
#include <cmath>
#include <cstring>

namespace
{
constexpr double kMetresPerInch = 0.0254;
constexpr int kSweepSteps = 20; // the upper half circle in steps of π/20
constexpr int kWalkSteps = 10;  // an obstruction's footprint in steps of reach/10

ObstructionDef NewCrossing(int kind, const char* name)
{
    ObstructionDef crossing{};
    crossing.nKind = kind;
    std::strncpy(crossing.Name, name ? name : "", sizeof(crossing.Name) - 1);
    crossing.Name[sizeof(crossing.Name) - 1] = '\0';
    crossing.bFlag = 0;
    return crossing;
}

// The cable passes below `depth` at `distance`: the cable as its computation solved it, between
// the drawn points too. A stretch with no cable, or no depth, never does.
bool CableBelow(const CAnchor& a, double distance, double depth)
{
    const double cableDepth = a.CableDepthAt(distance);
    return cableDepth != DBL_MAX && cableDepth > depth;
}

bool PipelineTriggers(const CAnchor& a, const ObstructionDef& c)
{
    const double r = c.Reach;
    for (int i = 0; i <= kSweepSteps; ++i)
    {
        const double angle = M_PI_2 + i * (M_PI / kSweepSteps);
        if (CableBelow(a, c.Distance + r * std::sin(angle), c.SeabedDepth + r * std::cos(angle)))
            return true;
    }
    return false;
}

bool ObstructionTriggers(const CAnchor& a, const ObstructionDef& c)
{
    const double top = c.SeabedDepth - c.HeightWithClearance;
    if (!(c.Reach > 0.0))
        return CableBelow(a, c.Distance, top);
    const double step = c.Reach / kWalkSteps;
    for (int i = 0; i <= kWalkSteps; ++i)
        if (CableBelow(a, c.Distance - c.Reach + i * step, top))
            return true;
    return false;
}
} // namespace

void CAnchor::FindCrossings()
{
    m_Crossings.RemoveAll();
    if (m_AnchorEasting == 0.0 || m_AnchorNorthing == 0.0 || m_FairleadEasting == 0.0 ||
        m_FairleadNorthing == 0.0)
        return;
    const double farE = m_Status == ANCHOR_LIVE ? m_TugEasting : m_AnchorEasting;
    const double farN = m_Status == ANCHOR_LIVE ? m_TugNorthing : m_AnchorNorthing;

    if (m_pPipelines)
    {
        for (INT_PTR p = 0; p < m_pPipelines->GetSize(); ++p)
        {
            const CPipeline* pipeline = m_pPipelines->GetAt(p);
            if (!pipeline)
                continue;
            const CString name = GetFileTitleFromPath(pipeline->m_FilePath);
            const double diameter = pipeline->m_Diameter * kMetresPerInch;
            bool crossed = false;
            double lastE = 0.0, lastN = 0.0;
            // Every crossing segment counts: a pipeline that the line crosses twice must keep
            // its clearance at both places.
            for (INT_PTR i = 1; i < pipeline->GetSize(); ++i)
            {
                const PipelineDef& from = pipeline->GetAt(i - 1);
                const PipelineDef& to = pipeline->GetAt(i);
                double x = 0.0, y = 0.0;
                if (IntersectSegments(from.Easting, from.Northing, to.Easting, to.Northing, m_FairleadEasting,
                                      m_FairleadNorthing, farE, farN, &x, &y) != 2)
                    continue;
                // A line through a vertex meets both legs there: one crossing.
                if (crossed && x == lastE && y == lastN)
                    continue;
                crossed = true;
                lastE = x;
                lastN = y;
                ObstructionDef crossing = NewCrossing(1, name);
                ComputeRangeBearing(m_FairleadEasting, m_FairleadNorthing, x, y, nullptr, &crossing.Distance);
                crossing.SeabedDepth = CheckDepthAt(crossing.Distance);
                crossing.Clearance = pipeline->m_Clearance;
                crossing.Tolerance = pipeline->m_Tolerance;
                crossing.Reach = diameter + pipeline->m_Clearance;
                crossing.Height = diameter;
                crossing.HeightWithClearance = diameter + pipeline->m_Clearance;
                m_Crossings.Add(crossing);
            }
        }
    }

    if (m_pObstructions)
    {
        for (INT_PTR f = 0; f < m_pObstructions->GetSize(); ++f)
        {
            const CGridWaypoint* file = m_pObstructions->GetAt(f);
            if (!file)
                continue;
            for (INT_PTR i = 0; i < file->GetSize(); ++i)
            {
                const GridWaypointDef& record = file->GetAt(i);
                if (!std::isfinite(record.Easting) || !std::isfinite(record.Northing) ||
                    !std::isfinite(record.Radius) || !std::isfinite(record.Height))
                    continue;
                const double r = record.Radius > 0.0 ? record.Radius : file->m_Tolerance;
                if (!(r > 0.0))
                    continue;
                double along = 0.0, offset = 0.0;
                NearestPointOnSegment(record.Easting, record.Northing, m_FairleadEasting, m_FairleadNorthing,
                                      farE, farN, nullptr, &along, &offset);
                if (std::fabs(offset) > r)
                    continue;
                ObstructionDef crossing = NewCrossing(0, record.Name);
                crossing.Distance = along;
                crossing.SeabedDepth = CheckDepthAt(along);
                crossing.Clearance = file->m_Clearance;
                crossing.Tolerance = r;
                crossing.Reach = std::sqrt(r * r - offset * offset);
                crossing.Height = record.Height;
                crossing.HeightWithClearance = record.Height + file->m_Clearance;
                m_Crossings.Add(crossing);
            }
        }
    }
}

void CAnchor::ComputeClearances()
{
    // The worst crossing names the text: a warning never hides an alarm met before it. Among
    // crossings of one level the later one names it.
    int worst = ANCHOR_LEVEL_NONE;
    for (INT_PTR i = 0; i < m_Crossings.GetSize(); ++i)
    {
        const ObstructionDef& c = m_Crossings[i];
        const bool pipeline = c.nKind == 1;
        if (!(pipeline ? PipelineTriggers(*this, c) : ObstructionTriggers(*this, c)))
            continue;
        const double v = (c.SeabedDepth - c.Height) - CableDepthAt(c.Distance);
        const int level = v < c.Clearance - c.Tolerance ? ANCHOR_LEVEL_ALARM : ANCHOR_LEVEL_WARNING;
        if (level < worst)
            continue;
        worst = level;
        m_StatusText.Format(pipeline ? "Pipeline %s (%.1lf)" : "Object %s (%.1lf)", c.Name, v);
        m_StatusLevel = level;
    }
}

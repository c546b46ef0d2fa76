#include "zuduzuro/CableShape.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

int CCableShape::AddSection(double coverFrom, double coverTo)
{
    SectionDef section;
    section.CoverFrom = coverFrom;
    section.CoverTo = std::max(coverFrom, coverTo);
    m_Sections.push_back(section);
    return static_cast<int>(m_Sections.size()) - 1;
}

void CCableShape::AddSolution(const cablechain::ChainSolutionDef& solution, double range, double base,
                              double lieFrom)
{
    if (m_Sections.empty())
        AddSection(range, range + solution.Span);
    std::vector<PartDef>& parts = m_Sections.back().Parts;
    const bool lies = lieFrom >= 0.0;
    for (int i = 0; i < solution.nStretches; ++i)
    {
        cablechain::StretchDef stretch = solution.Stretch[i];
        // Lying from a touchdown of its own, the cable hangs on to it: it lies on no level.
        if (lies && stretch.nKind == cablechain::STRETCH_LEVEL)
            continue;
        if (lies && range + stretch.From >= lieFrom)
            break;
        if (lies && range + stretch.To > lieFrom)
        {
            // Cut short where the cable comes down onto the seabed; a line keeps its course.
            stretch.ToHeight = stretch.HeightAt(lieFrom - range);
            stretch.To = lieFrom - range;
        }
        parts.push_back(PartDef{range, base, stretch, false});
    }
    // A catenary that reaches its touchdown past its lowest point goes on rising to it.
    if (lies && !parts.empty() && !parts.back().bOnSeabed && range + parts.back().Stretch.To < lieFrom)
    {
        cablechain::StretchDef& last = parts.back().Stretch;
        if (last.nKind == cablechain::STRETCH_LINE)
            last.ToHeight = last.HeightAt(lieFrom - range);
        last.To = lieFrom - range;
    }
    if (lies)
    {
        cablechain::StretchDef seabed;
        seabed.From = lieFrom - range;
        seabed.To = std::max(solution.Span, seabed.From);
        parts.push_back(PartDef{range, base, seabed, true});
    }
}

void CCableShape::AddLine(double fromRange, double fromDepth, double toRange, double toDepth)
{
    if (m_Sections.empty())
        AddSection(fromRange, toRange);
    cablechain::StretchDef line;
    line.nKind = cablechain::STRETCH_LINE;
    line.From = fromRange;
    line.To = toRange;
    // Heights over a base at depth 0 are the depths with their sign turned.
    line.Height = -fromDepth;
    line.ToHeight = -toDepth;
    m_Sections.back().Parts.push_back(PartDef{0.0, 0.0, line, false});
}

void CCableShape::SetBend(double perIndex, const std::vector<double>& pointRanges)
{
    if (m_Sections.empty())
        return;
    m_Sections.back().BendPerIndex = perIndex;
    m_Sections.back().BendRanges = pointRanges;
}

double CCableShape::Bend(const SectionDef& section, double range) const
{
    const std::vector<double>& r = section.BendRanges;
    if (section.BendPerIndex == 0.0 || r.empty())
        return 0.0;
    if (range <= r.front())
        return 0.0;
    if (range >= r.back())
        return section.BendPerIndex * static_cast<double>(r.size() - 1);
    const auto above = std::upper_bound(r.begin(), r.end(), range);
    const size_t k = static_cast<size_t>(above - r.begin()) - 1;
    const double gap = r[k + 1] - r[k];
    const double fraction = gap > 0.0 ? (range - r[k]) / gap : 0.0;
    return section.BendPerIndex * (static_cast<double>(k) + fraction);
}

double CCableShape::SectionDepthAt(int index, double range) const
{
    if (index < 0 || index >= static_cast<int>(m_Sections.size()))
        return 0.0;
    const SectionDef& section = m_Sections[static_cast<size_t>(index)];
    if (section.Parts.empty())
        return 0.0;
    size_t i = 0;
    while (i + 1 < section.Parts.size() && range > section.Parts[i].Offset + section.Parts[i].Stretch.To)
        ++i;
    const PartDef& part = section.Parts[i];
    if (part.bOnSeabed)
        return DBL_MAX;
    const double depth = part.Base - part.Stretch.HeightAt(range - part.Offset) + Bend(section, range);
    return std::isfinite(depth) ? depth : 0.0;
}

double CCableShape::DepthAt(double range) const
{
    if (m_Sections.empty())
        return 0.0;
    int chosen = static_cast<int>(m_Sections.size()) - 1;
    for (int i = 0; i < static_cast<int>(m_Sections.size()); ++i)
    {
        if (range <= m_Sections[static_cast<size_t>(i)].CoverTo)
        {
            chosen = i;
            break;
        }
    }
    return SectionDepthAt(chosen, range);
}

// CCableShape: the anchor's cable as it was solved, section by section along the anchor line, so
// that its depth can be had at any range, not only at the seabed points it is drawn through.
// The drawn cable profile and the clearances over pipelines and obstructions both read it.
//
// Units: ranges in metres from the fairlead along the anchor line; depths in metres, positive
// down. The seabed's hold on the cable (the cable lies on the seabed where that is higher) is
// the caller's: the shape gives the cable as it hangs.
#pragma once

#include "zuduzuro/CableChain.h"

#include <vector>

class CCableShape
{
public:
    // Forgets every section.
    void RemoveAll() { m_Sections.clear(); }
    bool IsEmpty() const { return m_Sections.empty(); }

    // Adds a section that covers the ranges [coverFrom, coverTo] (the seabed points it is drawn
    // over) and returns its number. The stretches added next belong to it.
    int AddSection(double coverFrom, double coverTo);
    // A solved cable whose support 1 stands `range` m from the fairlead, its heights measured up
    // from a seabed at depth `base` (m). From `lieFrom` (a range, when not negative) on, the
    // cable lies on the seabed itself, however deep that is there.
    void AddSolution(const cablechain::ChainSolutionDef& solution, double range, double base,
                     double lieFrom = -1.0);
    // A straight stretch from (fromRange, fromDepth) to (toRange, toDepth), depths in metres.
    void AddLine(double fromRange, double fromDepth, double toRange, double toDepth);
    // The last section is bent down evenly: `perIndex` m more at each seabed point (by its number
    // from 0) over the ranges given, and in proportion between them.
    void SetBend(double perIndex, const std::vector<double>& pointRanges);

    // The depth of the cable at a range within a section (m). Past the ends of the section's
    // stretches the nearest one goes on. DBL_MAX where the cable lies on the seabed, whatever
    // its depth; otherwise finite.
    double SectionDepthAt(int section, double range) const;
    // The depth at a range: of the section that covers it (the first, where two meet), else of
    // the nearest. 0 when the shape is empty.
    double DepthAt(double range) const;
    // The ranges the shape covers: its first section's start and its last section's end.
    double CoverFrom() const { return m_Sections.empty() ? 0.0 : m_Sections.front().CoverFrom; }
    double CoverTo() const { return m_Sections.empty() ? 0.0 : m_Sections.back().CoverTo; }

private:
    struct PartDef
    {
        double Offset; // the range of the stretch's own distance 0
        double Base;   // the depth its heights are measured up from
        cablechain::StretchDef Stretch;
        bool bOnSeabed; // lies on the seabed, at the seabed's own depth
    };
    struct SectionDef
    {
        double CoverFrom;
        double CoverTo;
        std::vector<PartDef> Parts; // in order of range
        double BendPerIndex = 0.0;
        std::vector<double> BendRanges;
    };
    double Bend(const SectionDef& section, double range) const;

    std::vector<SectionDef> m_Sections;
};

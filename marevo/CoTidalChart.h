// CCoTidalChart: a co-tidal chart, a grid of eight values at each node of a latitude and
// longitude lattice, read from its file in the tide data folder.
#pragma once

#include "marevo/TideLoadProblem.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <cstdint>
#include <vector>

// One node of the grid, as stored: eight values that only the tide panes read.
struct CoTidalDef
{
    double dValue[8];
};
static_assert(sizeof(CoTidalDef) == 64, "a co-tidal node is stored in 64 bytes");

class CCoTidalChart : public CArray<CoTidalDef>
{
public:
    // Most nodes a chart may have; a header that gives more is refused as if the file were
    // missing.
    static constexpr int kMaxNodes = 1048576;
    static constexpr int kHeaderSize = 36;
    static constexpr int kNodeSize = 64;

    CCoTidalChart();
    CCoTidalChart(const CCoTidalChart&) = delete;
    CCoTidalChart& operator=(const CCoTidalChart&) = delete;

    // Reads "<name>.CTC" from the tide data folder. True when the file opened and its header
    // gives a grid of 1..kMaxNodes nodes; else no nodes, every corner the largest double and
    // both spacings 0x7FFF.
    bool Load(const char* name);
    // The same from `folder` (ending in '\\').
    bool LoadFromFolder(const CString& folder, const char* name);

    // What limited the last load, in the order it was met.
    const std::vector<TideLoadProblem>& GetLoadProblems() const { return m_LoadProblems; }

    CString m_strFileName;
    // Corners as (first angle, second angle), radians: the two stored ones, then the other
    // two, (first of corner 2, second of corner 1) and (first of corner 1, second of corner 2).
    double m_dCorner1[2];
    double m_dCorner2[2];
    double m_dCorner3[2];
    double m_dCorner4[2];
    int16_t m_nRowSpacing;    // minutes of arc
    int16_t m_nColumnSpacing; // minutes of arc
    int16_t m_nRows;
    int16_t m_nColumns;

private:
    void SetUnread();

    std::vector<TideLoadProblem> m_LoadProblems;
};

// CTidalDiamond: the tidal diamonds of the chart (tidal-stream tables at set positions), each
// linked to the standard port its times refer to.
#pragma once

#include "geodesy/Spheroid.h"
#include "marevo/TideLoadProblem.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <cstdint>
#include <vector>

class CStandardPort;
class CStandardPortList;

// One row of a diamond's table.
struct TidalDiamondRow
{
    double dHours;     // from the reference port's high water, hours (negative before it)
    int nDirection;    // degrees
    double dSpringRate; // knots
    double dNeapRate;   // knots
};

struct TidalDiamondDef
{
    static constexpr int kMaxRows = 25;

    CString strName;          // "007A": number and up to two letters
    CString strReference;     // the reference port's number ("12A"); empty for none
    CString strReferenceName; // the linked port's name
    double dPosition[2];      // as stored
    int nKept[2];             // header bytes 24 and 25, as stored
    int nRows;                // rows held, 0..kMaxRows
    TidalDiamondRow Rows[kMaxRows];
    CStandardPort* pPort;     // null until linked
};

class CTidalDiamond : public CArray<TidalDiamondDef*>
{
public:
    // Most diamonds read from the file; past them the reader stops and says so.
    static constexpr int kMaxDiamonds = 10000;
    static constexpr int kHeaderSize = 32;
    static constexpr int kRowSize = 5;

    // No diamonds, the display values at their start, the spheroid WGS84.
    CTidalDiamond();
    ~CTidalDiamond() override;
    CTidalDiamond(const CTidalDiamond&) = delete;
    CTidalDiamond& operator=(const CTidalDiamond&) = delete;

    // Replaces the diamonds with those of "TidalDiamond.TDD" in the tide data folder. Returns
    // whether the file opened.
    bool Load();
    // The same from `folder` (ending in '\\').
    bool LoadFromFolder(const CString& folder);

    // Gives each diamond the first port whose number equals its reference without regard to
    // case, and that port's name; a diamond without one has none. The unmatched references go
    // to "Missing.txt" in the folder of the last load, made anew, each once in a row; when it
    // cannot be made it is left out.
    void Link(const CStandardPortList& ports);

    void FreeAll();

    // What limited the last load, in the order it was met.
    const std::vector<TideLoadProblem>& GetLoadProblems() const { return m_LoadProblems; }

    // Display values of the "TidalDiamond" settings, which the frame reads.
    int m_nDisplayValue;
    bool m_bDisplayFlag;
    double m_dDisplayValue;
    int m_nDisplayIndex;
    CSpheroid m_Spheroid;

private:
    CString m_strFolder;
    std::vector<TideLoadProblem> m_LoadProblems;
};

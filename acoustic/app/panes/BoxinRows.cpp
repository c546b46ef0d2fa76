#include "acoustic/app/panes/BoxinRows.h"

#include "acoustic/engine/Boxin.h"
#include "foundation/ListCtrlImport.h"

#include <charconv>
#include <cmath>

namespace
{
// A cell holds at most this many characters of a number.
const int kCellCharacters = 39;
const int kFields = 5;
} // namespace

bool ReadBoxinCell(const CString& text, double& value)
{
    // Read in place: a list of many rows must not cost a copy per cell.
    const char* p = text.GetString();
    const char* end = p + (text.GetLength() < kCellCharacters ? text.GetLength() : kCellCharacters);
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (p != end && blank(*p))
        ++p;
    while (end != p && blank(end[-1]))
        --end;
    if (p != end && *p == '+')
        ++p;
    double parsed = 0.0;
    const auto result = std::from_chars(p, end, parsed);
    if (p == end || result.ec != std::errc() || result.ptr != end || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

int ConvertBoxinRows(CBoxin& boxin, const CListCtrlImport& import, int rowCount,
                     const std::function<CString(int row, int column)>& cell, std::vector<bool>& used)
{
    // The list column of each field; -1 for a field not mapped.
    int column[kFields];
    int next = 0;
    for (int field = 0; field < kFields; ++field)
        column[field] = import.GetAt(field).Column >= 0 ? next++ : -1;
    boxin.m_UseOffsets = column[2] >= 0;
    boxin.m_DepthAvailable = column[3] >= 0;
    if (boxin.m_DepthAvailable)
        boxin.m_ComputedDepth = true;

    boxin.RemoveAll();
    boxin.SetSize(0, rowCount > 0 ? rowCount : 0);
    used.assign(static_cast<size_t>(rowCount > 0 ? rowCount : 0), false);
    int unused = 0;
    for (int row = 0; row < rowCount; ++row)
    {
        BoxinDef record{};
        double* target[kFields] = {&record.VesselEasting, &record.VesselNorthing, &record.Heading, &record.Depth,
                                   &record.ObservedValue};
        bool whole = true;
        for (int field = 0; field < kFields; ++field)
            if (column[field] >= 0 && !ReadBoxinCell(cell(row, column[field]), *target[field]))
                whole = false;
        record.Used = whole ? 1 : 0;
        used[static_cast<size_t>(row)] = whole;
        if (!whole)
            ++unused;
        boxin.Add(record);
    }
    return unused;
}

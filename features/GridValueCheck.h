// CGridValueCheck: the numbers a feature file's lines give for positions, heights, radii and
// KPs. Each must be a finite number that a survey grid can hold: "1e308" or "1e999" (infinity)
// read as numbers and would make every length, KP and label that follows from them worthless.
//
//     CGridValueCheck check(path);
//     while (file.ReadString(line))
//     {
//         check.NextLine();
//         ... read e and n ...
//         if (!check.Accept({e, n}))
//             break;
//     }
//     if (check.Refused()) { RemoveAll(); m_strRefusal = check.GetRefusal(); }
#pragma once

#include "platform/core/String.h"

#include <cfloat>
#include <cstdint>
#include <initializer_list>

class CGridValueCheck
{
public:
    // Metres, as for drawings: beyond any grid's false origin plus the size of the Earth.
    static constexpr double MAX_GRID_VALUE = 1e10;

    explicit CGridValueCheck(const char* path) : m_Path(path ? path : "") {}

    // Counts the line about to be read (the first call makes it line 1).
    void NextLine() { ++m_Line; }
    // True when each value is DBL_MAX ("no value", left to the reader) or a finite number within
    // +-MAX_GRID_VALUE. Otherwise false, and the first such value of the file is kept as the
    // refusal with the file name and line; every later call is false too.
    bool Accept(std::initializer_list<double> values) { return AcceptLine(m_Line, values); }
    // As Accept, for values read from an earlier line of the file (a block of lines).
    bool AcceptLine(int64_t line, std::initializer_list<double> values)
    {
        return AcceptWithin(line, values, MAX_GRID_VALUE);
    }
    // As Accept, for values that are no grid measure (KPs, in km): any finite number.
    bool AcceptFinite(std::initializer_list<double> values) { return AcceptWithin(m_Line, values, DBL_MAX); }
    // The line counted last.
    int64_t GetLine() const { return m_Line; }

    bool Refused() const { return !m_Refusal.IsEmpty(); }
    // "<path>, line <n>: <value> is not a number a survey grid can hold."
    const CString& GetRefusal() const { return m_Refusal; }

private:
    bool AcceptWithin(int64_t line, std::initializer_list<double> values, double limit);

    CString m_Path;
    int64_t m_Line = 0;
    CString m_Refusal;
};

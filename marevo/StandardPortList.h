// The standard ports of a year with their turning points (the times of high and low water),
// as the turning-point index and data files of the tide data folder give them.
#pragma once

#include "marevo/TideLoadProblem.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <cstdint>
#include <vector>

// One high or low water as stored: the instant and eight bytes that only the tide panes read.
struct TurningPointDef
{
    int64_t nTime;   // seconds since 1970, UTC
    BYTE Kept[8];
};
static_assert(sizeof(TurningPointDef) == 16, "a turning point is stored in 16 bytes");

// The turning points of one local calendar day of a port.
class CTurningPoint : public CArray<TurningPointDef*>
{
public:
    CTurningPoint(int day, int month, int year) : m_nDay(day), m_nMonth(month), m_nYear(year) {}
    ~CTurningPoint() override;
    CTurningPoint(const CTurningPoint&) = delete;
    CTurningPoint& operator=(const CTurningPoint&) = delete;

    int m_nDay;   // of the month, 1..31
    int m_nMonth; // 1..12
    int m_nYear;
};

// A standard port and its days of turning points.
class CStandardPort : public CArray<CTurningPoint*>
{
public:
    CStandardPort() = default;
    ~CStandardPort() override;
    CStandardPort(const CStandardPort&) = delete;
    CStandardPort& operator=(const CStandardPort&) = delete;

    CString m_strName;
    CString m_strNumber;      // without trailing blanks and leading zeros
    int m_nTimeZone = 0;      // the time-zone text read as an integer ("+0100" is 100)
    CString m_strTimeZone;    // "+0000" is shown as "UT(GMT)"
};

// The year's standard ports; it owns them.
class CStandardPortList : public CArray<CStandardPort*>
{
public:
    // Most records read from each file; past them the reader stops and says so. The data file
    // holds a year of turning points for 500 ports.
    static constexpr int kMaxIndexRecords = 10000;
    static constexpr int kMaxDataRecords = 2000000;
    static constexpr int kIndexRecordSize = 54;
    static constexpr int kDataRecordSize = 24;

    CStandardPortList() = default;
    ~CStandardPortList() override;
    CStandardPortList(const CStandardPortList&) = delete;
    CStandardPortList& operator=(const CStandardPortList&) = delete;

    // Replaces the list with the ports and turning points of `year` from the tide data folder.
    // True when any port was read; false, with the list empty, when the year has no
    // turning-point data (its data file is missing or holds no record).
    bool Load(int year);
    // The same from `folder` (ending in '\\').
    bool LoadFromFolder(const CString& folder, int year);

    // "<folder>TP<year mod 100>.IDX" (no padding) and "<folder>TP<year mod 100, two digits>.DAT".
    static CString MakeIndexFileName(const char* folder, int year);
    static CString MakeDataFileName(const char* folder, int year);

    // The first port whose number equals `number` without regard to case; null when none.
    CStandardPort* FindNumber(const char* number) const;

    // Deletes every port with its turning points.
    void FreeAll();

    // What limited the last load, in the order it was met.
    const std::vector<TideLoadProblem>& GetLoadProblems() const { return m_LoadProblems; }

private:
    std::vector<TideLoadProblem> m_LoadProblems;
};

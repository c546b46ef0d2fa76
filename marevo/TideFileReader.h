// CTideFileReader: reads the yearly tide data files of one year from the tide data folder.
//
// Every file is a run of fixed-size little-endian records, read field by field. A file that is
// missing leaves its part empty and says nothing. Reading a file stops, keeping whatever came
// before, at the first record that is incomplete, holds a double that is not finite, or lies
// past the file's record limit; each such stop adds one load problem. Nothing is ever sized
// from a count stored in a file, and no file is ever written.
//
// "TAF" holds one record a day from 1 January. The prediction of a day also needs the next
// day's record, so a year's file normally holds one record more than the year has days; where
// the last record is missing, the last day is predicted with its own arguments advanced by each
// constituent's mean daily advance.
#pragma once

#include "marevo/TidalPort.h"
#include "marevo/TideLoadProblem.h"
#include "marevo/TideRecords.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <cstdint>
#include <functional>
#include <vector>

class CRecordBytes;

class CTideFileReader
{
public:
    // Most records read from each kind of file; the rest of a longer file is left unread.
    static constexpr int kMaxFactorRecords = 367;
    static constexpr int kMaxMoonRecords = 64;
    static constexpr int kMaxPorts = 4096;
    static constexpr int kMaxCorrectionRecords = 16384;  // "TableVI", "Seasonal", "M2", "S2"
    static constexpr int kMaxCoTidalPairs = 65536;

    // Files of `year` in `folder` (ending in '\\'); problems are appended to `problems`.
    CTideFileReader(const CString& folder, int year, std::vector<TideLoadProblem>& problems);

    // The tide data folder: the redirected data folder's "Tides", else "MyData\\Tides" on the
    // drives. False, with the path empty, when neither is found.
    static bool FindTideFolder(CString& folder);
    // "<folder><base><year mod 100, two digits>.DAT"
    static CString MakeYearlyFileName(const char* folder, const char* base, int year);

    // Appends the "TAF" records.
    void ReadFactors(CArray<TidalFactorDef>& factors);
    // Appends the "MOON" records, and four local-time instants (seconds since 1970) for each.
    void ReadMoon(CArray<MoonPhaseDef>& phases, CArray<int64_t>& instants);
    // Appends a new port for every "Part3" record; when any was read, applies "TableVI",
    // "Seasonal", "M2", "S2" and the co-tidal file to them.
    void ReadPorts(CArray<CTidalPort*>& ports);

private:
    // Reads `path` record by record; `take` answers false for a record that must not be used
    // (stored as the reason it gives), which stops the file.
    void ReadRecords(const CString& path, int size, int limit,
                     const std::function<bool(const CRecordBytes&, int record, CString& reason)>& take);

    void ReadTableVI(CArray<CTidalPort*>& ports);
    void ReadSeasonal(CArray<CTidalPort*>& ports);
    void ReadMonthly(const char* base, MONTHLY_TABLE phaseTable, MONTHLY_TABLE amplitudeTable,
                     CArray<CTidalPort*>& ports);
    void ReadCoTidal(CArray<CTidalPort*>& ports);

    void AddProblem(const CString& path, int record, const CString& reason);

    CString m_strFolder;
    int m_nYear;
    std::vector<TideLoadProblem>& m_Problems;
};

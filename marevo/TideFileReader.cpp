#include "marevo/TideFileReader.h"

#include "foundation/Folders.h"
#include "marevo/RecordBytes.h"
#include "marevo/TideCalendar.h"
#include "marevo/TideRecordFile.h"

#include <cstdlib>
#include <vector>

namespace
{
// Degrees to radians, as the tide tables' own computation converts them.
constexpr double kRadiansPerDegree = 0.017453292519943;

const char* const kNotFinite = "a number that is not finite";

// Port numbers are compared without regard to case.
bool SameNumber(const CTidalPort* port, const CString& number)
{
    return port->m_strNumber.CompareNoCase(number) == 0;
}

CTidalPort* FirstPortNumbered(CArray<CTidalPort*>& ports, const CString& number)
{
    for (CTidalPort* port : ports)
        if (SameNumber(port, number))
            return port;
    return nullptr;
}

// Thirteen doubles from `offset` into a month table, which becomes present.
void FillMonthTable(const CRecordBytes& record, int offset, TideMonthTable& table)
{
    table.bPresent = true;
    for (int i = 0; i < 13; ++i)
        table.dValue[i] = record.GetDouble(offset + 8 * i);
}
} // namespace

CTideFileReader::CTideFileReader(const CString& folder, int year, std::vector<TideLoadProblem>& problems)
    : m_strFolder(folder), m_nYear(year), m_Problems(problems)
{
}

bool CTideFileReader::FindTideFolder(CString& folder)
{
    return GetMyDrivesDataFolder(folder, "Tides") || GetMyDataFolder(folder, "Tides");
}

CString CTideFileReader::MakeYearlyFileName(const char* folder, const char* base, int year)
{
    CString name;
    name.Format("%s%s%02d.%s", folder, base, year % 100, "DAT");
    return name;
}

void CTideFileReader::AddProblem(const CString& path, int record, const CString& reason)
{
    AddTideLoadProblem(m_Problems, path, record, reason);
}

void CTideFileReader::ReadRecords(const CString& path, int size, int limit,
                                  const std::function<bool(const CRecordBytes&, int, CString&)>& take)
{
    ReadTideRecordFile(path, size, limit, m_Problems, take);
}

void CTideFileReader::ReadFactors(CArray<TidalFactorDef>& factors)
{
    ReadRecords(MakeYearlyFileName(m_strFolder, "TAF", m_nYear), sizeof(TidalFactorDef), kMaxFactorRecords,
                [&](const CRecordBytes& record, int, CString& reason) {
                    if (!record.AreFinite(0, 8))
                    {
                        reason = kNotFinite;
                        return false;
                    }
                    TidalFactorDef day;
                    for (int k = 0; k < CONSTITUENT_COUNT; ++k)
                    {
                        day.Constituent[k].dArgument = record.GetDouble(16 * k);
                        day.Constituent[k].dFactor = record.GetDouble(16 * k + 8);
                    }
                    factors.Add(day);
                    return true;
                });
}

void CTideFileReader::ReadMoon(CArray<MoonPhaseDef>& phases, CArray<int64_t>& instants)
{
    ReadRecords(MakeYearlyFileName(m_strFolder, "MOON", m_nYear), sizeof(MoonPhaseDef), kMaxMoonRecords,
                [&](const CRecordBytes& record, int, CString& reason) {
                    MoonPhaseDef moon;
                    int64_t times[4];
                    for (int i = 0; i < 4; ++i)
                    {
                        MoonPhaseTime& phase = moon.Phase[i];
                        const int at = 20 * i;
                        phase.nYear = record.GetInt32(at);
                        phase.nMonth = record.GetInt32(at + 4);
                        phase.nDay = record.GetInt32(at + 8);
                        phase.nHour = record.GetInt32(at + 12);
                        phase.nMinute = record.GetInt32(at + 16);
                        times[i] = TideLocalInstant(phase.nYear, phase.nMonth, phase.nDay, phase.nHour,
                                                    phase.nMinute, 0);
                        if (times[i] == kNoInstant)
                        {
                            reason.Format("phase %d is not a date and time", i + 1);
                            return false;
                        }
                    }
                    phases.Add(moon);
                    for (int64_t time : times)
                        instants.Add(time);
                    return true;
                });
}

void CTideFileReader::ReadPorts(CArray<CTidalPort*>& ports)
{
    ReadRecords(MakeYearlyFileName(m_strFolder, "Part3", m_nYear), kPortRecordSize, kMaxPorts,
                [&](const CRecordBytes& record, int, CString& reason) {
                    if (!record.AreFinite(96, 2 + CONSTANT_COUNT))
                    {
                        reason = kNotFinite;
                        return false;
                    }
                    auto* port = new CTidalPort;
                    port->m_strNumber = record.GetInvertedText(0, 8);
                    port->m_strName = record.GetInvertedText(9, 40);
                    port->m_strText = record.GetInvertedText(50, 40);
                    port->m_dPosition[0] = record.GetDouble(96) * kRadiansPerDegree;
                    port->m_dPosition[1] = record.GetDouble(104) * kRadiansPerDegree;
                    for (int i = 0; i < CONSTANT_COUNT; ++i)
                        port->m_dConstants[i] = record.GetDouble(112 + 8 * i);
                    const int32_t hhmm = record.GetInt32(216);
                    port->m_nTimeZone = (hhmm % 100) * 60 + (hhmm / 100) * 3600;
                    ports.Add(port);
                    return true;
                });
    if (ports.IsEmpty())
        return;
    ReadTableVI(ports);
    ReadSeasonal(ports);
    ReadMonthly("M2", MONTHLY_M2_G, MONTHLY_M2_H, ports);
    ReadMonthly("S2", MONTHLY_S2_G, MONTHLY_S2_H, ports);
    ReadCoTidal(ports);
}

void CTideFileReader::ReadTableVI(CArray<CTidalPort*>& ports)
{
    ReadRecords(MakeYearlyFileName(m_strFolder, "TableVI", m_nYear), kTableVIRecordSize, kMaxCorrectionRecords,
                [&](const CRecordBytes& record, int, CString& reason) {
                    if (!record.AreFinite(16, 9))
                    {
                        reason = kNotFinite;
                        return false;
                    }
                    CTidalPort* port = FirstPortNumbered(ports, record.GetInvertedText(0, 8));
                    if (!port)
                        return true;
                    port->m_TableVI.bPresent = true;
                    port->m_TableVI.nDayOffset = record.GetInt32(12);
                    for (int i = 0; i < 9; ++i)
                        port->m_TableVI.dValue[i] = record.GetDouble(16 + 8 * i);
                    return true;
                });
}

void CTideFileReader::ReadSeasonal(CArray<CTidalPort*>& ports)
{
    ReadRecords(MakeYearlyFileName(m_strFolder, "Seasonal", m_nYear), kCorrectionRecordSize, kMaxCorrectionRecords,
                [&](const CRecordBytes& record, int, CString& reason) {
                    if (!record.AreFinite(24, 13))
                    {
                        reason = kNotFinite;
                        return false;
                    }
                    const CString first = record.GetInvertedText(0, 8);
                    const CString last = record.GetInvertedText(9, 8);
                    // From the first-numbered port through the last-numbered one in list order;
                    // a range whose last port comes first covers none, one whose last port
                    // never comes runs to the end of the list.
                    bool inRange = false;
                    for (CTidalPort* port : ports)
                    {
                        if (!inRange)
                        {
                            if (SameNumber(port, first))
                                inRange = true;
                            else if (SameNumber(port, last))
                                break;
                        }
                        if (inRange)
                        {
                            FillMonthTable(record, 24, port->m_Seasonal);
                            if (SameNumber(port, last))
                                break;
                        }
                    }
                    return true;
                });
}

void CTideFileReader::ReadMonthly(const char* base, MONTHLY_TABLE phaseTable, MONTHLY_TABLE amplitudeTable,
                                  CArray<CTidalPort*>& ports)
{
    const CString path = MakeYearlyFileName(m_strFolder, base, m_nYear);
    ReadRecords(path, kCorrectionRecordSize, kMaxCorrectionRecords,
                [&](const CRecordBytes& record, int number, CString& reason) {
                    if (!record.AreFinite(24, 13))
                    {
                        reason = kNotFinite;
                        return false;
                    }
                    const CString tag = record.GetInvertedText(9, 8);
                    int table = -1;
                    if (tag.CompareNoCase("Hm") == 0)
                        table = amplitudeTable;
                    else if (!tag.IsEmpty() && tag[0] == 'g')
                        table = phaseTable;
                    if (table < 0)
                    {
                        // Not a reason to stop: the other records still hold good tables.
                        AddProblem(path, number, "the table \"" + tag + "\" is not known; the record is left out");
                        return true;
                    }
                    if (CTidalPort* port = FirstPortNumbered(ports, record.GetInvertedText(0, 8)))
                        FillMonthTable(record, 24, port->m_Monthly[table]);
                    return true;
                });
}

void CTideFileReader::ReadCoTidal(CArray<CTidalPort*>& ports)
{
    CString path;
    path.Format("%sCoTidal.dat", m_strFolder.GetString());
    ReadRecords(path, kCoTidalRecordSize, kMaxCoTidalPairs, [&](const CRecordBytes& record, int, CString& reason) {
        if (!record.AreFinite(2, 8))
        {
            reason = kNotFinite;
            return false;
        }
        const int number = record.GetInt16(0);
        for (CTidalPort* port : ports)
        {
            if (std::atoi(port->m_strNumber) == number)
            {
                for (int i = 0; i < 8; ++i)
                    port->m_dCoTidal[i] = record.GetDouble(2 + 8 * i);
                break;
            }
        }
        return true;
    });
}

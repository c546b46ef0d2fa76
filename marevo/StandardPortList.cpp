#include "marevo/StandardPortList.h"

#include "marevo/RecordBytes.h"
#include "marevo/TideFileReader.h"
#include "marevo/TideRecordFile.h"

#include <cstdlib>
#include <ctime>
#include <string>
#include <unordered_map>

namespace
{
// The last instant the calendar of the stored files reaches: 23:59:59 UT on 31 December 3000.
constexpr int64_t kLastConvertibleTime = 32535215999;

CString PortNumber(CString number)
{
    number.TrimRight(' ');
    number.TrimLeft('0');
    return number;
}

// The local calendar date of a stored time; false for a time the calendar does not reach.
bool LocalDate(int64_t time, int* day, int* month, int* year)
{
    if (time < 0 || time > kLastConvertibleTime)
        return false;
    const time_t t = static_cast<time_t>(time);
    struct tm local;
    if (!localtime_r(&t, &local))
        return false;
    *day = local.tm_mday;
    *month = local.tm_mon + 1;
    *year = local.tm_year + 1900;
    return true;
}

// The three parallel texts of the index file, and where each number first stands in them, so
// that a data file of many ports is not a search of the whole index per port.
struct PortIndex
{
    std::vector<CString> names, numbers, zones;
    std::unordered_map<std::string, size_t> first;
};
} // namespace

CTurningPoint::~CTurningPoint()
{
    for (TurningPointDef* def : *this)
        delete def;
}

CStandardPort::~CStandardPort()
{
    for (CTurningPoint* point : *this)
        delete point;
}

CStandardPortList::~CStandardPortList()
{
    FreeAll();
}

void CStandardPortList::FreeAll()
{
    for (CStandardPort* port : *this)
        delete port;
    RemoveAll();
}

CString CStandardPortList::MakeIndexFileName(const char* folder, int year)
{
    CString name;
    name.Format("%sTP%d.%s", folder, year % 100, "IDX");
    return name;
}

CString CStandardPortList::MakeDataFileName(const char* folder, int year)
{
    CString name;
    name.Format("%sTP%02d.%s", folder, year % 100, "DAT");
    return name;
}

CStandardPort* CStandardPortList::FindNumber(const char* number) const
{
    for (CStandardPort* port : *this)
        if (port->m_strNumber.CompareNoCase(number) == 0)
            return port;
    return nullptr;
}

bool CStandardPortList::Load(int year)
{
    CString folder;
    CTideFileReader::FindTideFolder(folder);
    return LoadFromFolder(folder, year);
}

bool CStandardPortList::LoadFromFolder(const CString& folder, int year)
{
    m_LoadProblems.clear();
    // A year without data must not show the ports of the year before as its own.
    FreeAll();
    if (folder.IsEmpty())
        return false;

    PortIndex index;
    ReadTideRecordFile(MakeIndexFileName(folder, year), kIndexRecordSize, kMaxIndexRecords, m_LoadProblems,
                       [&](const CRecordBytes& record, int, CString&) {
                           // The name field holds 40 bytes, whatever its signed length says.
                           int length = static_cast<int8_t>(record.GetByte(0));
                           length = length < 0 ? 0 : (length > 40 ? 40 : length);
                           index.names.push_back(record.GetInvertedChars(1, length));
                           // Number and time-zone characters alternate.
                           index.numbers.push_back(PortNumber(record.GetInvertedChars(41, 5, 2)));
                           index.first.emplace(index.numbers.back().GetString(), index.numbers.size() - 1);
                           index.zones.push_back(record.GetInvertedChars(42, 5, 2));
                           return true;
                       });

    const CString dataPath = MakeDataFileName(folder, year);
    CStandardPort* port = nullptr;
    CTurningPoint* point = nullptr;
    CString previousNumber;
    int unconverted = 0;
    auto finishPoint = [&]() {
        if (point)
            port->Add(point);
        point = nullptr;
    };
    ReadTideRecordFile(dataPath, kDataRecordSize, kMaxDataRecords, m_LoadProblems,
                       [&](const CRecordBytes& record, int number, CString&) {
                           const CString stored = record.GetInvertedChars(0, 5);
                           if (!port || stored != previousNumber)
                           {
                               if (port)
                               {
                                   finishPoint();
                                   Add(port);
                               }
                               previousNumber = stored;
                               port = new CStandardPort;
                               port->m_strNumber = PortNumber(stored);
                               const auto found = index.first.find(port->m_strNumber.GetString());
                               if (found != index.first.end())
                               {
                                   const size_t i = found->second;
                                   port->m_strName = index.names[i];
                                   port->m_nTimeZone = std::atoi(index.zones[i]);
                                   port->m_strTimeZone = index.zones[i] == "+0000" ? CString("UT(GMT)") : index.zones[i];
                               }
                           }
                           TurningPointDef def;
                           def.nTime = record.GetInt64(8);
                           record.CopyBytes(16, sizeof def.Kept, def.Kept);
                           int day = 0, month = 0, yearOfDay = 0;
                           if (!LocalDate(def.nTime, &day, &month, &yearOfDay))
                           {
                               // Reported once with its place, then only counted, so that a
                               // file of bad times cannot flood the list.
                               if (unconverted++ == 0)
                                   AddTideLoadProblem(m_LoadProblems, dataPath, number,
                                                      "the time is not a date; the turning point is left out");
                               return true;
                           }
                           // A whole date, so that one day of two months never shares a list.
                           if (!point || point->m_nDay != day || point->m_nMonth != month || point->m_nYear != yearOfDay)
                           {
                               finishPoint();
                               point = new CTurningPoint(day, month, yearOfDay);
                           }
                           point->Add(new TurningPointDef(def));
                           return true;
                       });
    if (port)
    {
        finishPoint();
        Add(port);
    }
    if (unconverted > 1)
    {
        CString reason;
        reason.Format("%d more turning points whose time is not a date were left out", unconverted - 1);
        AddTideLoadProblem(m_LoadProblems, dataPath, 0, reason);
    }
    return !IsEmpty();
}

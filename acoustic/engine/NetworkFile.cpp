#include "acoustic/engine/NetworkFile.h"

#include "acoustic/engine/Network.h"
#include "foundation/ConfigFile.h"
#include "foundation/CsvParser.h"
#include "foundation/Folders.h"
#include "foundation/TextFunctions.h"
#include "platform/core/Exception.h"
#include "platform/core/StdioFile.h"

#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

const char NETWORK_FILE_EXTENSION[] = "NET";
const char NETWORK_FOLDER[] = "Calibration\\Network Adjustment";
const char NETWORK_SECTION_STATIONS[] = "StationT";
const char NETWORK_SECTION_RANGES[] = "Range";
const char NETWORK_SECTION_BEARINGS[] = "Bearing";

namespace
{
const char kKeyTwoWay[] = "Two Way Travel Time";
const char kKeySpeed[] = "Speed Of Sound In Water";
const int kDecimals = 3;
const double kDefaultSpeed = 1485.0;

// One field of a record, as read.
enum FIELD_STATE
{
    FIELD_MISSING, // absent or empty
    FIELD_BAD,     // text that is not a number
    FIELD_NUMBER
};

const char* SkipBlanks(const char* p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

// The leading number of a field, in the "C" locale whatever the user's locale: stored files
// always use a decimal point. Units or remarks after the number are passed over, as the
// stored files were read.
FIELD_STATE ParseDouble(const CString& field, double& value)
{
    const char* p = SkipBlanks(field.GetString());
    if (!*p)
        return FIELD_MISSING;
    if (*p == '+')
        ++p;
    const char* end = p + std::strlen(p);
    double parsed = 0.0;
    const auto result = std::from_chars(p, end, parsed);
    if (result.ec != std::errc() || !std::isfinite(parsed))
        return FIELD_BAD;
    value = parsed;
    return FIELD_NUMBER;
}

// The leading decimal integer of a field.
FIELD_STATE ParseInt(const CString& field, int& value)
{
    const char* p = SkipBlanks(field.GetString());
    if (!*p)
        return FIELD_MISSING;
    if (*p == '+')
        ++p;
    const char* end = p + std::strlen(p);
    int parsed = 0;
    const auto result = std::from_chars(p, end, parsed);
    if (result.ec != std::errc())
        return FIELD_BAD;
    value = parsed;
    return FIELD_NUMBER;
}

// The fields of one record, split (and their escapes turned back) by the CSV tokenizer.
CStringArray SplitRecord(const CString& line)
{
    CStringArray fields;
    CCsvParser parser;
    parser.SetLine(line);
    CString field;
    while (parser.GetString(field))
        fields.Add(field);
    return fields;
}

CString FieldAt(const CStringArray& fields, INT_PTR index)
{
    return index < fields.GetSize() ? fields[index] : CString();
}

// True when the record names a station or gives an easting or northing.
bool HasNameOrPosition(const CStringArray& fields)
{
    for (INT_PTR i = 1; i <= 3 && i < fields.GetSize(); ++i)
    {
        CString field(fields[i]);
        field.Trim();
        if (!field.IsEmpty())
            return true;
    }
    return false;
}

bool IsSectionHeader(const CString& line)
{
    return !line.IsEmpty() && line[0] == '[';
}

bool IsBlank(const CString& line)
{
    CString trimmed(line);
    trimmed.Trim();
    return trimmed.IsEmpty();
}

// The value after the first '=' of a settings line; false without one.
bool SettingValue(const CString& line, CString& value)
{
    const int eq = line.Find('=');
    if (eq < 0)
        return false;
    value = line.Mid(eq + 1);
    return true;
}

struct Section
{
    CString name;
    CStringArray lines;
    CUIntArray lineNumbers; // 1-based, in the file
};
} // namespace

bool GetNetworkFolder(CString& folder)
{
    if (GetMyDrivesDataFolder(folder, NETWORK_FOLDER))
        return true;
    if (GetMyDataFolder(folder, NETWORK_FOLDER))
        return true;
    folder.Empty();
    return false;
}

CString GetNetworkFilePath(const char* name)
{
    CString folder;
    GetNetworkFolder(folder);
    return CConfigFile::MakeFileName(folder.IsEmpty() ? nullptr : folder.GetString(), name,
                                     NETWORK_FILE_EXTENSION);
}

bool CNetwork::Save()
{
    if (m_FileName.IsEmpty())
        return false;
    CString folder;
    if (!GetNetworkFolder(folder))
        return false;

    CStringArray stations, ranges, bearings;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        const CNetworkStation& s = GetAt(i);
        CCsvParser record;
        record.AddInt(s.m_Status);
        record.AddString(s.m_Name);
        record.AddDouble(s.m_GivenE, kDecimals);
        record.AddDouble(s.m_GivenN, kDecimals);
        record.AddDouble(s.m_GivenDepth, kDecimals);
        stations.Add(record.AddDouble(s.m_PositionSE, kDecimals));
    }
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        const CNetworkStation& s = GetAt(i);
        for (INT_PTR j = 0; j < GetSize() && j < s.GetSize(); ++j)
        {
            if (j == i || !IsPairUsed(i, j))
                continue;
            const NetworkObservationDef& o = s.GetAt(j);
            if (o.UseRange == 1 && o.ObservedRange > 0.0)
            {
                CCsvParser record;
                record.AddInt(int(i));
                record.AddInt(int(j));
                record.AddDouble(o.ObservedRange, kDecimals);
                ranges.Add(record.AddDouble(o.RangeSE, kDecimals));
            }
            if (o.UseBearing == 1)
            {
                CCsvParser record;
                record.AddInt(int(i));
                record.AddInt(int(j));
                record.AddDouble(o.ObservedBearing, kDecimals);
                bearings.Add(record.AddDouble(o.BearingSE, kDecimals));
            }
        }
    }

    CConfigFile file;
    if (!file.OpenForWrite(folder, m_FileName, NETWORK_FILE_EXTENSION))
        return false;
    try
    {
        file.WriteBool(kKeyTwoWay, m_TwoWayTravelTime != 0);
        file.WriteDouble(kKeySpeed, m_SpeedOfSound, kDecimals);
        file.WriteSection(NETWORK_SECTION_STATIONS, stations);
        file.WriteSection(NETWORK_SECTION_RANGES, ranges);
        file.WriteSection(NETWORK_SECTION_BEARINGS, bearings);
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
        return false;
    }
    return true;
}

bool CNetwork::Load(const char* name)
{
    RemoveAll();
    m_LoadMessages.RemoveAll();
    m_FileName = name ? name : "";
    m_TwoWayTravelTime = 0;
    m_SpeedOfSound = kDefaultSpeed;

    CStringArray lines;
    {
        CStdioFile file;
        if (!file.Open(GetNetworkFilePath(m_FileName),
                       CFile::modeRead | CFile::shareDenyWrite | CFile::typeText))
            return false;
        try
        {
            CString line;
            while (file.ReadString(line))
                lines.Add(line);
            file.Close();
        }
        catch (CException* e)
        {
            // What was read before the error stands, as for a file that ends early.
            e->Delete();
            file.Abort();
            m_LoadMessages.Add("The network file could not be read to its end.");
        }
    }

    // The two settings lines, in the order they were written. A file that starts with its
    // first section has none: the header is not taken for a setting.
    INT_PTR next = 0;
    CString value;
    if (next < lines.GetSize() && !IsSectionHeader(lines[next]))
    {
        if (SettingValue(lines[next], value))
            m_TwoWayTravelTime = std::atoi(value) != 0 ? 1 : 0;
        ++next;
    }
    if (next < lines.GetSize() && !IsSectionHeader(lines[next]))
    {
        if (SettingValue(lines[next], value))
            m_SpeedOfSound = AtofC(value);
        ++next;
    }

    // Sections by position; each runs from its header to the next header.
    CArray<Section, const Section&> sections;
    for (; next < lines.GetSize(); ++next)
    {
        const CString& line = lines[next];
        if (IsSectionHeader(line))
        {
            Section section;
            const int close = line.Find(']');
            section.name = close < 0 ? line.Mid(1) : line.Mid(1, close - 1);
            sections.Add(section);
            continue;
        }
        if (sections.IsEmpty())
        {
            CString message;
            message.Format("Line %d of the network file is outside any section and was ignored.",
                           int(next + 1));
            m_LoadMessages.Add(message);
            continue;
        }
        Section& section = sections.ElementAt(sections.GetUpperBound());
        section.lines.Add(line);
        section.lineNumbers.Add(UINT(next + 1));
    }

    bool anyStation = false;
    if (sections.GetSize() > 0)
    {
        const Section& section = sections[0];
        anyStation = section.lines.GetSize() > 0;
        // Every station holds an observation to every other: the network grows with the
        // square of its stations, and a file of many thousands would take the memory and the
        // processor for minutes before the user saw anything.
        if (section.lines.GetSize() > CNetwork::MAX_STATIONS)
        {
            CString message;
            message.Format("Line %u of the network file is station %d, more than the %d a network holds: "
                           "the network was not loaded.",
                           section.lineNumbers[CNetwork::MAX_STATIONS], int(CNetwork::MAX_STATIONS + 1),
                           int(CNetwork::MAX_STATIONS));
            m_LoadMessages.Add(message);
            RemoveAll();
            return false;
        }
        for (INT_PTR k = 0; k < section.lines.GetSize(); ++k)
        {
            const CStringArray fields = SplitRecord(section.lines[k]);
            // A line with neither name nor position is no station: kept, every such line would
            // cost a row and a column of the adjustment, and a few thousand of them its memory.
            if (!HasNameOrPosition(fields))
            {
                CString message;
                message.Format("Line %u of the network file is a station without a name or position: "
                               "the network was not loaded.",
                               section.lineNumbers[k]);
                m_LoadMessages.Add(message);
                RemoveAll();
                return false;
            }
            CNetworkStation station;
            station.m_Name.Format("%d", int(k + 1));
            station.m_GivenDepth = 0.0;
            station.m_PositionSE = 1.0;
            CString damage;

            int status = STATION_NOT_IN_USE;
            const FIELD_STATE statusState = ParseInt(FieldAt(fields, 0), status);
            if (statusState != FIELD_NUMBER || status < STATION_NOT_IN_USE ||
                status > STATION_FREE_WITH_POSITION)
                damage = "no valid status";
            if (fields.GetSize() > 1)
                station.m_Name = fields[1];
            double e = 0.0, n = 0.0, depth = 0.0, se = 1.0;
            const FIELD_STATE eState = ParseDouble(FieldAt(fields, 2), e);
            const FIELD_STATE nState = ParseDouble(FieldAt(fields, 3), n);
            const FIELD_STATE depthState = ParseDouble(FieldAt(fields, 4), depth);
            const FIELD_STATE seState = ParseDouble(FieldAt(fields, 5), se);
            if (eState != FIELD_NUMBER || nState != FIELD_NUMBER)
                damage = "no easting or northing";
            else if (depthState == FIELD_BAD || seState == FIELD_BAD)
                damage = "a depth or standard error that is not a number";
            if (eState == FIELD_NUMBER)
                station.m_GivenE = e;
            if (nState == FIELD_NUMBER)
                station.m_GivenN = n;
            if (depthState == FIELD_NUMBER)
                station.m_GivenDepth = depth;
            if (seState == FIELD_NUMBER && se > 0.0)
                station.m_PositionSE = se;

            // A damaged line keeps its station's place, out of use: dropping it would shift
            // every later station down and attach the observations to the wrong stations.
            station.m_Status = damage.IsEmpty() ? status : STATION_NOT_IN_USE;
            if (!damage.IsEmpty())
            {
                CString message;
                message.Format(
                    "Line %u of the network file is damaged (%s): station %d \"%s\" is kept, not in use.",
                    section.lineNumbers[k], damage.GetString(), int(k + 1), station.m_Name.GetString());
                m_LoadMessages.Add(message);
            }
            AddStation(station);
        }
    }

    for (INT_PTR part = 1; part <= 2 && part < sections.GetSize(); ++part)
    {
        const bool isRange = part == 1;
        const Section& section = sections[part];
        for (INT_PTR k = 0; k < section.lines.GetSize(); ++k)
        {
            if (IsBlank(section.lines[k]))
                continue;
            const CStringArray fields = SplitRecord(section.lines[k]);
            int from = INT_MAX, to = INT_MAX;
            double observed = 0.0, se = 1.0;
            if (ParseInt(FieldAt(fields, 0), from) != FIELD_NUMBER)
                from = INT_MAX;
            if (ParseInt(FieldAt(fields, 1), to) != FIELD_NUMBER)
                to = INT_MAX;
            const char* problem = nullptr;
            if (from < 0 || from >= GetSize() || to < 0 || to >= GetSize() || from == to)
                problem = "its station numbers are not two stations of the network";
            else if (ParseDouble(FieldAt(fields, 2), observed) != FIELD_NUMBER)
                problem = isRange ? "it has no range" : "it has no bearing";
            if (problem)
            {
                CString message;
                message.Format("Line %u of the network file was ignored: %s.", section.lineNumbers[k],
                               problem);
                m_LoadMessages.Add(message);
                continue;
            }
            if (ParseDouble(FieldAt(fields, 3), se) != FIELD_NUMBER || !(se > 0.0))
                se = 1.0;
            NetworkObservationDef& o = ElementAt(from).ElementAt(to);
            if (isRange)
            {
                o.ObservedRange = observed;
                o.RangeSE = se;
                o.UseRange = 1;
            }
            else
            {
                o.ObservedBearing = observed;
                o.BearingSE = se;
                o.UseBearing = 1;
            }
        }
    }

    ComputeObservations();
    return anyStation;
}

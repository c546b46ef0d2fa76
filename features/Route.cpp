#include "features/Route.h"

#include "features/GridValueCheck.h"
#include "foundation/ConfigFile.h"
#include "foundation/CsvParser.h"
#include "foundation/FilePath.h"
#include "foundation/Folders.h"
#include "foundation/Geometry.h"
#include "platform/core/Exception.h"
#include "platform/core/StdioFile.h"

#include <cfloat>
#include <cmath>

namespace
{
const UINT kWriteBinaryFlags = CFile::modeCreate | CFile::modeWrite | CFile::typeBinary;

// The most lines one turn arc may add to a coordinate listing. A real turn needs a few hundred
// at most; the bound keeps a damaged radius or angle from writing without end.
const int kMaxArcLines = 10000;

bool IsPoint(double e, double n)
{
    return e != DBL_MAX && n != DBL_MAX && !(e == 0.0 && n == 0.0);
}

// One "E, N" line of the coordinate listing.
void WritePosition(CConfigFile& file, double e, double n)
{
    CCsvParser record;
    record.AddDouble(e, 3);
    record.AddDouble(n, 3);
    file.WriteString(record.GetRecord());
}

// The angle between arc lines: the one at which the circle falls 1 m behind its tangent,
// R·(1 − cos step) = 1, so every chord stays within a quarter metre of the circle. Radii below
// 0.5 m, where that cosine would leave [−1, 1], take half a turn; a damaged radius or sweep
// never lets one arc run past kMaxArcLines lines.
double ArcStep(double radius, double sweep)
{
    const double r = std::fabs(radius);
    double c = (r - 1.0) / r;
    if (!(c >= -1.0))
        c = -1.0;
    if (c > 1.0)
        c = 1.0;
    double step = std::acos(c);
    const double smallest = sweep / kMaxArcLines;
    if (!(step >= smallest))
        step = smallest;
    return step;
}
} // namespace

const char* const CRoute::m_DataOrderTxt[ROUTE_DATA_ORDER_COUNT] = {
    "Easting, Northing", "Name, Easting, Northing", "Easting, Northing, Name"};

RouteDef::RouteDef()
    : Position{0.0, 0.0}, Leg{0.0, 0.0, 0.0, 0.0, 0.0, 0.0}, LegValue(0.0), DistanceToHere(0.0),
      DistanceScale(0.0),
      TurnRadius(0.0), TurnCentre{0.0, 0.0}, TurnStart{0.0, 0.0}, TurnEnd{0.0, 0.0}, TurnSparePoint{0.0, 0.0},
      TurnStartAngle(0.0), TurnEndAngle(0.0), TurnSpareAngle(0.0), TurnSweep(0.0), TurnLength(0.0),
      TurnDirection(0), PortCorridor{0.0, 0.0}, PortCorridorEnd{0.0, 0.0}, StarboardCorridor{0.0, 0.0},
      StarboardCorridorEnd{0.0, 0.0}, Kp(0.0), TurnStartKp(0.0), TurnEndKp(0.0)
{
}

CRoute::CRoute() : m_Spare(0.0), m_DataOrder(ROUTE_ENG_NNG), m_Mark{-2, -1} {}

CRoute::~CRoute() = default;

CString CRoute::GetRoutesFolder()
{
    CString folder;
    if (!GetMyDrivesDataFolder(folder, "Routes"))
        GetMyDataFolder(folder, "Routes");
    return folder;
}

int CRoute::ReadDataOrder(const char* path)
{
    // An order without a column layout would read no point, and a save in it would empty the
    // route file; the columns of order 0 are the likeliest.
    return ReadDataOrderFile(path, ROUTE_ENG_NNG, ROUTE_DATA_ORDER_COUNT);
}

int CRoute::EffectiveDataOrder() const
{
    return (m_DataOrder >= 0 && m_DataOrder < ROUTE_DATA_ORDER_COUNT) ? m_DataOrder : ROUTE_ENG_NNG;
}

bool CRoute::ReadPoint(CCsvParser& parser, RouteDef& record) const
{
    switch (EffectiveDataOrder())
    {
    case ROUTE_NAME_ENG_NNG:
        record.Name = parser.GetString();
        record.Position.x = parser.GetDouble();
        record.Position.y = parser.GetDouble();
        break;
    case ROUTE_ENG_NNG_NAME:
        record.Position.x = parser.GetDouble();
        record.Position.y = parser.GetDouble();
        record.Name = parser.GetString();
        break;
    default:
        record.Position.x = parser.GetDouble();
        record.Position.y = parser.GetDouble();
        break;
    }
    return IsPoint(record.Position.x, record.Position.y);
}

bool CRoute::Load(const char* path)
{
    // A copy: the pane rereads a route by passing its own m_FilePath.
    const CString newPath(path ? path : "");
    m_DataOrder = ReadDataOrder(newPath);

    RemoveAll();
    m_Mark[0] = -2;
    m_Mark[1] = -1;
    LoadStatus(newPath);

    int counter = 0;
    CGridValueCheck check(newPath);
    ReadCsvLines(newPath, [this, &counter, &check](CCsvParser& parser) {
        check.NextLine();
        RouteDef record;
        const bool point = ReadPoint(parser, record);
        if (!check.Accept({record.Position.x, record.Position.y}) || !point)
            return;
        ++counter;
        if (m_DataOrder == ROUTE_ENG_NNG)
            record.Name.Format("WPT %d", counter);
        Add(record);
    });
    m_strRefusal = check.GetRefusal();
    if (check.Refused())
        RemoveAll();
    ComputeLegs();

    const CString folder = GetRoutesFolder();
    CDrawingOptions::Load(folder, m_Title);
    CCorridor::Load(m_Title);
    ComputeCorridor();
    return GetSize() > 0;
}

void CRoute::ComputeLegs()
{
    const INT_PTR count = GetSize();
    for (INT_PTR i = 0; i < count; ++i)
    {
        RouteDef& point = ElementAt(i);
        if (i == 0)
            point.DistanceToHere = 0.0;
        if (i + 1 < count)
        {
            RouteDef& next = ElementAt(i + 1);
            ComputeLegGeometry(point.Position.x, point.Position.y, next.Position.x, next.Position.y,
                               &point.Leg);
            const double range = point.Leg.Length;
            // Written this way, not as 0.001, so that the value is the one the route's
            // distances have always been scaled by.
            point.DistanceScale =
                range > 0.0 ? ((range / 1000.0 + point.DistanceToHere) - point.DistanceToHere) / range : 1.0;
            next.DistanceToHere = point.DistanceToHere + range;
        }
        else
        {
            point.Leg = LegDef{0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
            point.DistanceScale = 0.0;
        }
    }
}

bool CRoute::SetPoint(INT_PTR index, const RouteDef& record)
{
    if (index < 0 || index >= GetSize())
        return false;
    RouteDef point = record;
    if (index + 1 < GetSize())
    {
        const tagXY& next = GetAt(index + 1).Position;
        ComputeLegGeometry(point.Position.x, point.Position.y, next.x, next.y, &point.Leg);
    }
    SetAt(index, point);
    if (index > 0)
    {
        RouteDef& before = ElementAt(index - 1);
        ComputeLegGeometry(before.Position.x, before.Position.y, point.Position.x, point.Position.y,
                           &before.Leg);
    }
    return true;
}

void CRoute::AppendPoint(const RouteDef& record)
{
    const INT_PTR index = Add(record);
    if (index > 0)
    {
        // Read back from the array: `record` may have been one of its elements.
        const tagXY end = GetAt(index).Position;
        RouteDef& before = ElementAt(index - 1);
        ComputeLegGeometry(before.Position.x, before.Position.y, end.x, end.y, &before.Leg);
    }
}

void CRoute::SaveDataOrder()
{
    // Without a file the name would be "_DATA_ORDER", shared by every unnamed route.
    if (m_FilePath.IsEmpty())
        return;
    SaveDataOrderFile(m_FilePath, EffectiveDataOrder());
}

bool CRoute::Save()
{
    SaveDataOrder();
    if (m_FilePath.IsEmpty())
        return false;
    const bool written = CConfigFile::WriteWhole(m_FilePath, kWriteBinaryFlags, [this](CConfigFile& file) {
        const int order = EffectiveDataOrder();
        for (INT_PTR i = 0; i < GetSize(); ++i)
        {
            const RouteDef& point = GetAt(i);
            CCsvParser record;
            if (order == ROUTE_NAME_ENG_NNG)
                record.AddString(point.Name);
            record.AddDouble(point.Position.x, 3);
            record.AddDouble(point.Position.y, 3);
            if (order == ROUTE_ENG_NNG_NAME)
                record.AddString(point.Name);
            file.WriteString(record.GetRecord());
        }
    });
    if (!written)
        return false;
    SaveStatus();
    return true;
}

void CRoute::SaveDrawingOptions() const
{
    if (m_Title.IsEmpty())
        return;
    CDrawingOptions::Save(GetRoutesFolder(), m_Title);
}

void CRoute::ComputeCorridor()
{
    const INT_PTR count = GetSize();
    if (count < 2)
        return;
    const double port = m_PortWidth;
    const double starboard = m_StarboardWidth;

    RouteDef& first = ElementAt(0);
    OffsetPerpendicular(first.Position.x, first.Position.y, first.Leg.SinBearing, first.Leg.CosBearing, port,
                        starboard, &first.PortCorridor, &first.StarboardCorridor);
    for (INT_PTR i = 1; i + 1 < count; ++i)
    {
        RouteDef& point = ElementAt(i);
        ComputeCorridorVertex(GetAt(i - 1).Position, point.Position, GetAt(i + 1).Position, port, starboard,
                              &point.PortCorridor, &point.StarboardCorridor);
    }
    const RouteDef& before = GetAt(count - 2);
    RouteDef& last = ElementAt(count - 1);
    OffsetPerpendicular(last.Position.x, last.Position.y, before.Leg.SinBearing, before.Leg.CosBearing, port,
                        starboard, &last.PortCorridor, &last.StarboardCorridor);
}

CString CRoute::GetCoordinateListFileName() const
{
    CString name;
    name.Format("%s%s_CoordList.%s", (LPCSTR)GetRoutesFolder(), (LPCSTR)m_Title, "CSV");
    return name;
}

bool CRoute::ExportCoordinateList() const
{
    const INT_PTR count = GetSize();
    if (count < 2)
        return false;
    return CConfigFile::WriteWhole(GetCoordinateListFileName(), kWriteBinaryFlags, [&](CConfigFile& file) {
        for (INT_PTR i = 0; i < count; ++i)
        {
            const RouteDef& p = GetAt(i);
            if (i == 0 || i == count - 1 || !p.HasTurnArc())
            {
                WritePosition(file, p.Position.x, p.Position.y);
                continue;
            }
            WritePosition(file, p.TurnStart.x, p.TurnStart.y);
            const double r = p.TurnRadius;
            const double sweep = p.TurnSweep;
            if (sweep > 0.0)
            {
                const double step = ArcStep(r, sweep);
                const bool rising = p.TurnDirection == 1;
                const double stop = rising ? p.TurnStartAngle + sweep : p.TurnStartAngle - sweep;
                double a = p.TurnStartAngle;
                for (int lines = 0; lines < kMaxArcLines && (rising ? a < stop : a > stop); ++lines)
                {
                    WritePosition(file, p.TurnCentre.x + std::sin(a) * r, p.TurnCentre.y + std::cos(a) * r);
                    a = rising ? a + step : a - step;
                }
            }
            WritePosition(file, p.TurnEnd.x, p.TurnEnd.y);
        }
    });
}

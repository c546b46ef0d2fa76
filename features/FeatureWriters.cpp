#include "features/FeatureWriters.h"

#include "features/Boundary.h"
#include "features/DesignRoute.h"
#include "features/GridWaypoint.h"
#include "features/Route.h"
#include "features/SailLine.h"
#include "features/Structure.h"
#include "foundation/ConfigFile.h"
#include "foundation/CsvParser.h"
#include "platform/core/FileApi.h"

#include <functional>

namespace
{
// Written as built, without newline translation: each record already ends in CR LF.
const UINT kWriterFlags = CFile::modeCreate | CFile::modeWrite | CFile::typeBinary;

// `count` lines, each built by `line` into a fresh record; false when the file was not written.
bool WriteLines(const CString& path, INT_PTR count, const std::function<void(INT_PTR, CCsvParser&)>& line)
{
    if (path.IsEmpty())
        return false;
    return CConfigFile::WriteWhole(path, kWriterFlags, [&](CConfigFile& file) {
        for (INT_PTR i = 0; i < count; ++i)
        {
            CCsvParser record;
            line(i, record);
            file.WriteString(record.GetRecord());
        }
    });
}
} // namespace

bool SaveWaypointFile(const CGridWaypoint* waypoints)
{
    if (!waypoints)
        return false;
    const char* layout = CGridWaypoint::GetColumnLayout(waypoints->m_DataOrder);
    if (!layout)
        return false;
    const bool written =
        WriteLines(waypoints->m_FilePath, waypoints->GetSize(), [&](INT_PTR i, CCsvParser& record) {
            const GridWaypointDef& p = waypoints->GetAt(i);
            for (const char* column = layout; *column; ++column)
            {
                switch (*column)
                {
                case 'A':
                    record.AddString(p.Name);
                    break;
                case 'E':
                    record.AddDouble(p.Easting, 3);
                    break;
                case 'N':
                    record.AddDouble(p.Northing, 3);
                    break;
                case 'H':
                    record.AddDouble(p.Height, 3);
                    break;
                default:
                    record.AddDouble(p.Radius, 3);
                    break;
                }
            }
        });
    waypoints->SaveSettings();
    return written;
}

bool SaveSailLineFile(CSailLine* sailLines)
{
    if (!sailLines || sailLines->m_FilePath.IsEmpty() || sailLines->m_DataOrder != SAIL_SOL_EOL)
        return false;
    sailLines->SaveDataOrder();
    const bool written =
        WriteLines(sailLines->m_FilePath, sailLines->GetSize(), [&](INT_PTR i, CCsvParser& record) {
            const SailLineDef& line = sailLines->GetAt(i);
            record.AddDouble(line.Start.x, 3);
            record.AddDouble(line.Start.y, 3);
            record.AddDouble(line.End.x, 3);
            record.AddDouble(line.End.y, 3);
        });
    sailLines->SaveStatus();
    return written;
}

bool SaveRouteFile(CRoute* route)
{
    return route && route->Save();
}

bool SaveDesignRouteFile(const CDesignRoute* route)
{
    if (!route || route->m_FilePath.IsEmpty())
        return false;
    if (route->GetSize() == 0)
    {
        if (GetFileAttributesA(route->m_FilePath) == INVALID_FILE_ATTRIBUTES)
            return true;
        return DeleteFileA(route->m_FilePath) != FALSE;
    }
    return WriteLines(route->m_FilePath, route->GetSize(), [&](INT_PTR i, CCsvParser& record) {
        const RouteDef& p = route->GetAt(i);
        record.AddDouble(p.Position.x, 3);
        record.AddDouble(p.Position.y, 3);
        if (p.TurnRadius > 0.0)
            record.AddDouble(p.TurnRadius, 3);
    });
}

bool SaveBoundaryFile(const CBoundary* boundary)
{
    if (!boundary)
        return false;
    return WriteLines(boundary->m_FilePath, boundary->GetSize(), [&](INT_PTR i, CCsvParser& record) {
        const tagXY& vertex = boundary->GetAt(i);
        record.AddDouble(vertex.x, 3);
        record.AddDouble(vertex.y, 3);
    });
}

bool SaveStructureFile(const CStructure* structures)
{
    return structures && structures->Save();
}

#include "navhost/WindFarmReader.h"

#include "features/WindFarmList.h"
#include "foundation/CsvParser.h"
#include "geodesy/Projection.h"
#include "navhost/OwnedPointers.h"
#include "platform/core/StdioFile.h"

#include <cfloat>
#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace
{
float ValueOrNone(CCsvParser& parser)
{
    const CString text = parser.GetString().Trim();
    if (text.IsEmpty())
        return WIND_FARM_NO_VALUE;
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    return (end != text.GetString() && std::isfinite(value)) ? static_cast<float>(value) : WIND_FARM_NO_VALUE;
}

struct FarmSum
{
    double easting = 0.0;
    double northing = 0.0;
    int count = 0;
};
} // namespace

bool ReadWindFarms(const char* path, CProjection& projection, CWindFarmList& list)
{
    CStdioFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText))
        return false;
    DeleteAll(list.m_Turbines);
    DeleteAll(list.m_WindFarms);

    std::map<std::string, FarmSum> farms;
    std::vector<std::string> order;
    CString line;
    bool heading = true;
    CCsvParser parser;
    while (file.ReadString(line))
    {
        if (heading)
        {
            heading = false;
            continue;
        }
        parser.SetLine(line);
        TurbineDef turbine;
        turbine.Id = parser.GetString().Trim();
        turbine.WindFarm = parser.GetString().Trim();
        const double latitude = parser.GetDouble();
        const double longitude = parser.GetDouble();
        if (turbine.Id.IsEmpty() || !std::isfinite(latitude) || !std::isfinite(longitude) ||
            std::fabs(latitude) > 90.0 || std::fabs(longitude) > 180.0)
            continue;
        turbine.Latitude = latitude * M_PI / 180.0;
        turbine.Longitude = longitude * M_PI / 180.0;
        turbine.MaxHeight = ValueOrNone(parser);
        turbine.BladeRadius = ValueOrNone(parser);
        turbine.StructureHeight = ValueOrNone(parser);
        turbine.NavigationLights = parser.GetString().Trim();
        turbine.Remarks = parser.GetString().Trim();
        list.AddTurbine(turbine);

        double e = 0.0, n = 0.0;
        if (!projection.GeographicToGrid(turbine.Latitude, turbine.Longitude, &e, &n))
            continue;
        const std::string farm = turbine.WindFarm.GetString();
        if (farms.find(farm) == farms.end())
            order.push_back(farm);
        FarmSum& sum = farms[farm];
        sum.easting += e;
        sum.northing += n;
        ++sum.count;
    }
    for (const std::string& farm : order)
    {
        const FarmSum& sum = farms[farm];
        list.AddWindFarm(farm.c_str(), sum.easting / sum.count, sum.northing / sum.count);
    }
    return true;
}

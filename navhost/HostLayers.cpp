#include "navhost/HostLayers.h"

#include "chart/plot/GridPlot.h"
#include "navhost/HostData.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double kDegree = M_PI / 180.0;

// The convex hull of the points, counter-clockwise (Andrew's monotone chain).
std::vector<tagXY> ConvexHull(std::vector<tagXY> points)
{
    std::sort(points.begin(), points.end(),
              [](const tagXY& a, const tagXY& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    if (points.size() < 3)
        return points;
    auto cross = [](const tagXY& o, const tagXY& a, const tagXY& b) {
        return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
    };
    std::vector<tagXY> hull(2 * points.size());
    size_t k = 0;
    for (size_t i = 0; i < points.size(); ++i)
    {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], points[i]) <= 0)
            --k;
        hull[k++] = points[i];
    }
    for (size_t i = points.size() - 1, t = k + 1; i > 0; --i)
    {
        while (k >= t && cross(hull[k - 2], hull[k - 1], points[i - 1]) <= 0)
            --k;
        hull[k++] = points[i - 1];
    }
    hull.resize(k - 1);
    return hull;
}
} // namespace

void CHostLayers::Draw(CGridPlot* plot, CGridView*, void* layers)
{
    if (plot != nullptr && layers != nullptr)
        static_cast<CHostLayers*>(layers)->Draw(*plot);
}

void CHostLayers::Draw(CGridPlot& plot)
{
    DrawShapes(plot);
    DrawGpx(plot);
    DrawWindFarms(plot);
}

bool CHostLayers::ToGrid(double latitude, double longitude, double& e, double& n) const
{
    return m_Data.m_Projection.GeographicToGrid(latitude, longitude, &e, &n) && std::isfinite(e) &&
           std::isfinite(n);
}

void CHostLayers::DrawPolyline(CGridPlot& plot, const std::vector<tagXY>& points, int style, int width,
                               COLORREF colour)
{
    CPen pen(style, width, plot.DisplayColour(colour));
    CPen* old = plot.SelectObject(&pen);
    for (size_t i = 1; i < points.size(); ++i)
        plot.DrawLineXY(points[i - 1], points[i]);
    plot.SelectObject(old);
}

const std::vector<std::vector<std::vector<tagXY>>>& CHostLayers::ShapeParts(const CShape& shape)
{
    auto found = m_ShapeParts.find(&shape);
    if (found != m_ShapeParts.end())
        return found->second;
    std::vector<std::vector<std::vector<tagXY>>>& entities = m_ShapeParts[&shape];
    // A projected shapefile goes to the geographic position of its own grid first.
    CProjection* own = shape.m_Geographic ? nullptr : const_cast<CProjection*>(&shape.m_Projection);
    POSITION pos = shape.GetHeadPosition();
    while (pos != nullptr)
    {
        const SHPObject* entity = shape.GetNextEntity(pos);
        std::vector<std::vector<tagXY>> parts;
        if (entity != nullptr)
        {
            for (int part = 0; part < std::max(1, entity->nParts); ++part)
            {
                const int from = entity->nParts > 0 ? entity->panPartStart[part] : 0;
                const int to = part + 1 < entity->nParts ? entity->panPartStart[part + 1] : entity->nVertices;
                std::vector<tagXY> points;
                for (int v = from; v < to; ++v)
                {
                    double latitude = entity->padfY[v] * kDegree, longitude = entity->padfX[v] * kDegree;
                    if (own != nullptr && !own->GridToGeographic(entity->padfX[v], entity->padfY[v], &latitude, &longitude))
                        continue;
                    tagXY grid{};
                    if (ToGrid(latitude, longitude, grid.x, grid.y))
                        points.push_back(grid);
                }
                parts.push_back(std::move(points));
            }
        }
        entities.push_back(std::move(parts));
    }
    return entities;
}

void CHostLayers::DrawShapes(CGridPlot& plot)
{
    CShapeFileList& list = m_Data.m_ShapeFiles;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
    {
        const CShape* shape = list.GetAt(i);
        if (shape == nullptr || !shape->m_Status)
            continue;
        const COLORREF colour = shape->m_Colour;
        const int width = std::max<int>(1, shape->m_Size);
        for (const auto& entity : ShapeParts(*shape))
            for (const std::vector<tagXY>& part : entity)
            {
                if (part.empty())
                    continue;
                switch (shape->m_ShapeType % 10)
                {
                case CShape::TYPE_POLYGON: {
                    const tagPen pen{0, static_cast<int16_t>(width), colour,
                                     static_cast<int16_t>(shape->m_Fill > 0 ? (shape->m_Fill - 1) % 6 : -2)};
                    plot.DrawClippedPolygon(part.data(), static_cast<int>(part.size()), pen);
                    break;
                }
                case CShape::TYPE_ARC: DrawPolyline(plot, part, PS_SOLID, width, colour); break;
                default:
                    for (const tagXY& point : part)
                    {
                        int x = 0, y = 0;
                        if (!plot.IsOutside(point.x, point.y, &x, &y))
                            plot.DrawVectorSymbol(shape->m_Style > 0 ? shape->m_Style : 7, plot.DisplayColour(colour),
                                                  plot.DisplayColour(0xFFFFFF), 4 * std::max<int>(1, shape->m_Size) + 4, x, y);
                    }
                    break;
                }
            }
    }
}

void CHostLayers::DrawGpx(CGridPlot& plot)
{
    const CGPX& gpx = m_Data.m_Gpx;
    for (INT_PTR t = 0; t < gpx.m_Tracks.GetSize(); ++t)
    {
        const GpxTrackDef* track = gpx.m_Tracks[t];
        if (track == nullptr || !track->Display)
            continue;
        std::vector<tagXY> points;
        for (INT_PTR i = 0; i < track->Points.GetSize(); ++i)
        {
            tagXY grid{};
            if (ToGrid(track->Points[i].Latitude, track->Points[i].Longitude, grid.x, grid.y))
                points.push_back(grid);
        }
        DrawPolyline(plot, points, PS_DASH, 1, gpx.m_TrackColour);
        if (!gpx.m_bShowDots)
            continue;
        for (const tagXY& point : points)
        {
            int x = 0, y = 0;
            if (!plot.IsOutside(point.x, point.y, &x, &y))
                plot.DrawVectorSymbol(7, plot.DisplayColour(gpx.m_TrackColour), plot.DisplayColour(gpx.m_TrackColour), 6,
                                      x, y);
        }
    }
}

void CHostLayers::DrawWindFarms(CGridPlot& plot)
{
    const CWindFarmList& farms = m_Data.m_WindFarms;
    std::map<CString, std::vector<tagXY>> byFarm;
    for (INT_PTR i = 0; i < farms.m_Turbines.GetSize(); ++i)
    {
        const TurbineDef* turbine = farms.m_Turbines[i];
        tagXY grid{};
        if (turbine == nullptr || !ToGrid(turbine->Latitude, turbine->Longitude, grid.x, grid.y))
            continue;
        byFarm[turbine->WindFarm].push_back(grid);
        int x = 0, y = 0;
        if (!farms.m_bDisplayTurbines || plot.IsOutside(grid.x, grid.y, &x, &y))
            continue;
        plot.DrawVectorSymbol(4, plot.DisplayColour(farms.m_TurbineColour), plot.DisplayColour(farms.m_TurbineColour),
                              12, x, y);
        if (farms.m_bLabelTurbines)
            plot.DrawLabel(turbine->Id, 8, 2, x, y);
    }
    for (const auto& [name, turbines] : byFarm)
    {
        if (farms.m_bDisplayBoundary && turbines.size() >= 3)
        {
            std::vector<tagXY> hull = ConvexHull(turbines);
            hull.push_back(hull.front());
            DrawPolyline(plot, hull, PS_DOT, 1, farms.m_BoundaryColour);
        }
    }
    for (INT_PTR i = 0; farms.m_bLabelWindFarm && i < farms.m_WindFarms.GetSize(); ++i)
    {
        const WindFarmDef* farm = farms.m_WindFarms[i];
        int x = 0, y = 0;
        if (farm != nullptr && !plot.IsOutside(farm->Easting, farm->Northing, &x, &y))
            plot.DrawLabel(farm->Name, 8, 1, x, y);
    }
}

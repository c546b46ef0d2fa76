// CHostLayers: what the host draws into the chart itself, through the chart's custom-draw
// callback, because the chart takes no list of it: the shapefiles the host loaded, the GPX
// tracks chosen for display in the GPX dialog, and the wind farms with the display settings of
// the wind-farm dialog. Geographic positions reach the grid through the host's projection.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <map>
#include <vector>

class CGridPlot;
class CGridView;
class CHostData;
class CShape;
struct tagXY;

class CHostLayers
{
public:
    explicit CHostLayers(CHostData& data) : m_Data(data) {}

    // The callback handed to CGridView::SetCustomDraw, with the layers as its data.
    static void Draw(CGridPlot* plot, CGridView* view, void* layers);
    void Draw(CGridPlot& plot);

    // The shapes' grid positions are worked out once; a changed shape list makes them anew.
    void ShapesChanged() { m_ShapeParts.clear(); }

    // Grid position of a WGS84 latitude and longitude (radians); false when the projection
    // gives none.
    bool ToGrid(double latitude, double longitude, double& e, double& n) const;

private:
    // The parts of each entity of the shape in grid metres.
    const std::vector<std::vector<std::vector<tagXY>>>& ShapeParts(const CShape& shape);
    void DrawShapes(CGridPlot& plot);
    void DrawGpx(CGridPlot& plot);
    void DrawWindFarms(CGridPlot& plot);
    void DrawPolyline(CGridPlot& plot, const std::vector<tagXY>& points, int style, int width, COLORREF colour);

    CHostData& m_Data;
    std::map<const CShape*, std::vector<std::vector<std::vector<tagXY>>>> m_ShapeParts;
};

// CGridPlot: vessel outlines and drawing-exchange shapes placed on the grid.
#include "chart/plot/GridPlot.h"

#include "foundation/Geometry.h"

#include <cmath>
#include <memory>
#include <vector>

namespace
{
constexpr double kDegreesToRadians = 0.017453292519943;
constexpr double kFullTurn = 2.0 * M_PI;
// Pens 0..7 are the drawing's eight layer colours, pens 8..263 its colour table.
constexpr int kLayerPens = 8;
constexpr int kPens = kLayerPens + 256;

// Draws the entities of one shape: keeps the pens and the pen in use from one entity to the
// next, as an entity without a colour of its own takes the pen of the one before.
class ShapePainter
{
public:
    ShapePainter(CGridPlot& plot, const CDxf& shape) : m_Plot(plot), m_Shape(shape), m_Pens(new CPen[kPens])
    {
        const bool oneColour = plot.singleColourMode || plot.monochrome;
        for (int i = 0; i < kPens; ++i)
        {
            m_Colours[i] = plot.DisplayColour(oneColour        ? plot.singleColour
                                              : i < kLayerPens ? shape.m_FirstColours[i]
                                                               : shape.m_ColourTable[i - kLayerPens]);
            m_Pens[i].CreatePen(PS_SOLID, 1, m_Colours[i]);
        }
        // Until an entity names its colour: colour 7 of the drawing.
        m_Current = 7;
        m_Old = plot.SelectObject(&m_Pens[m_Current]);
        m_HasExtent = shape.HasHeaderExtents();
        m_Scale = (shape.m_Scale == 0.0 || shape.m_Scale == 1.0) ? 1.0 : shape.m_Scale;
        m_Rotation = shape.m_Rotation > 0.0 ? shape.m_Rotation * kDegreesToRadians : 0.0;
    }
    ~ShapePainter()
    {
        if (m_Old)
            m_Plot.SelectObject(m_Old);
    }
    ShapePainter(const ShapePainter&) = delete;
    ShapePainter& operator=(const ShapePainter&) = delete;

    void DrawList(const CDxfEntityList& list)
    {
        for (POSITION pos = list.GetHeadPosition(); pos;)
            if (const CDxfEntity* entity = list.GetNext(pos))
                Draw(*entity);
    }

private:
    bool Inside(double x, double y) const
    {
        if (!m_HasExtent)
            return true;
        return x >= m_Shape.m_HeaderMin.x && x <= m_Shape.m_HeaderMax.x && y >= m_Shape.m_HeaderMin.y &&
               y <= m_Shape.m_HeaderMax.y;
    }
    tagXY Grid(double x, double y) const
    {
        tagXY p{};
        CGridPlot::TransformShapePoint(m_Shape, x, y, &p.x, &p.y);
        return p;
    }
    // Colour numbers 1..255 take the pen of the format's colour of that number (entry c of the
    // colour table, 1..7 included); by block and by layer (0, 256) the pen of the layer's
    // colour number when the entity has a layer; otherwise the pen stays.
    void SelectPen(const CDxfEntity& entity)
    {
        int number = -1;
        if (entity.m_Colour >= 1 && entity.m_Colour <= 255)
            number = entity.m_Colour;
        else if ((entity.m_Colour == 0 || entity.m_Colour == 256) && entity.m_pLayer)
            number = std::abs(entity.m_pLayer->m_Colour); // negative: the layer is off, same colour
        if (number < 0 || number > 255 || kLayerPens + number == m_Current)
            return;
        m_Current = kLayerPens + number;
        m_Plot.SelectObject(&m_Pens[m_Current]);
    }
    // A bearing of the drawing (degrees) as a bearing on the grid (radians, 0..2π).
    double Bearing(double degrees) const
    {
        double b = degrees * kDegreesToRadians + m_Rotation;
        if (b > kFullTurn)
            b -= kFullTurn;
        return b;
    }

    void Draw(const CDxfEntity& entity)
    {
        SelectPen(entity);
        switch (entity.m_Kind)
        {
        case DXF_LINE: {
            const auto& line = static_cast<const CDxfLine&>(entity);
            if (Inside(line.m_Start.x, line.m_Start.y) && Inside(line.m_End.x, line.m_End.y))
                m_Plot.DrawLineXY(Grid(line.m_Start.x, line.m_Start.y), Grid(line.m_End.x, line.m_End.y));
            break;
        }
        case DXF_CIRCLE: {
            const auto& circle = static_cast<const CDxfCircle&>(entity);
            if (!Inside(circle.m_Centre.x, circle.m_Centre.y))
                break;
            const tagXY c = Grid(circle.m_Centre.x, circle.m_Centre.y);
            m_Plot.DrawArc(c.x, c.y, circle.m_Radius * m_Scale, 0.0, kFullTurn, 1);
            break;
        }
        case DXF_ARC: {
            const auto& arc = static_cast<const CDxfArc&>(entity);
            if (!Inside(arc.m_Centre.x, arc.m_Centre.y))
                break;
            const tagXY c = Grid(arc.m_Centre.x, arc.m_Centre.y);
            // The drawing's arc runs anticlockwise from its start, so clockwise from its end:
            // the plot's anticlockwise direction walks it so, and closes it with the chord
            // between its ends, as a deck drawing's arcs are shown on the chart.
            m_Plot.DrawArc(c.x, c.y, arc.m_Radius * m_Scale, Bearing(arc.m_StartBearing), Bearing(arc.m_EndBearing),
                           ANTICLOCKWISE);
            break;
        }
        case DXF_POLYLINE:
        case DXF_LWPOLYLINE:
            DrawPolyline(static_cast<const CDxfPolyline&>(entity));
            break;
        case DXF_SOLID:
            DrawSolid(static_cast<const CDxfSolid&>(entity));
            break;
        case DXF_TEXT:
            if (m_Shape.m_bShowText)
                DrawText(static_cast<const CDxfText&>(entity));
            break;
        default:
            break;
        }
    }

    void DrawPolyline(const CDxfPolyline& polyline)
    {
        std::vector<tagXY> kept;
        for (INT_PTR i = 0; i < polyline.m_Vertices.GetSize(); ++i)
        {
            const DxfVertexDef& v = polyline.m_Vertices[i];
            if (Inside(v.x, v.y))
                kept.push_back(Grid(v.x, v.y));
        }
        for (size_t i = 1; i < kept.size(); ++i)
            m_Plot.DrawLineXY(kept[i - 1], kept[i]);
        if (polyline.IsClosed() && kept.size() > 2)
            m_Plot.DrawLineXY(kept.back(), kept.front());
    }

    void DrawSolid(const CDxfSolid& solid)
    {
        // The file gives the third and fourth corners the other way round from the polygon's
        // order; in stored order a filled square would be drawn as a bow-tie.
        static const int kPolygonOrder[4] = {0, 1, 3, 2};
        tagXY corners[4];
        for (int i = 0; i < 4; ++i)
        {
            const DxfPointDef& p = solid.m_Corners[kPolygonOrder[i]];
            if (!Inside(p.x, p.y))
                return;
            corners[i] = Grid(p.x, p.y);
        }
        const tagPen style{PS_SOLID, 1, m_Colours[m_Current], -1};
        m_Plot.DrawClippedPolygon(corners, 4, style);
    }

    void DrawText(const CDxfText& text)
    {
        const int justification = text.m_HorizontalJustification + 256 * text.m_VerticalJustification;
        // Justified texts stand on their alignment point, as the file format has it.
        const DxfPointDef& at = justification == 0 ? text.m_Insertion : text.m_Alignment;
        if (!Inside(at.x, at.y) || text.m_Text.IsEmpty())
            return;
        const tagXY p = Grid(at.x, at.y);
        int x = 0, y = 0;
        if (m_Plot.IsOutside(p.x, p.y, &x, &y))
            return;
        const double pixels = m_Scale * m_Plot.pixelsPerMetre;
        double rotation = text.m_Rotation - m_Rotation / kDegreesToRadians;
        if (!m_Plot.northUp)
            rotation += m_Plot.orientation + m_Plot.angleOffset;
        m_Plot.DrawShapeText(text.m_Text, m_Colours[m_Current], static_cast<int>(text.m_Height * pixels),
                             static_cast<int>(text.m_CharacterWidth * pixels), justification, x, y, rotation);
    }

    CGridPlot& m_Plot;
    const CDxf& m_Shape;
    std::unique_ptr<CPen[]> m_Pens;
    COLORREF m_Colours[kPens];
    int m_Current;
    CPen* m_Old = nullptr;
    bool m_HasExtent;
    double m_Scale;
    double m_Rotation; // radians, clockwise
};
} // namespace

void CGridPlot::DrawVesselOutline(double e, double n, const COutline& outline, const tagPen& style, double heading)
{
    if (outline.IsEmpty())
        return;
    int x = 0, y = 0;
    GridToScreen(e, n, &x, &y);
    if (!northUp)
        heading = std::fmod(heading - (angleOffset + orientation) + 360.0, 360.0);
    const int oldMode = SetBkMode(TRANSPARENT);
    DrawOutline(outline.GetData(), static_cast<int>(outline.GetSize()), style, x, y, pixelsPerMetre,
                heading * kDegreesToRadians);
    SetBkMode(oldMode);
}

void CGridPlot::TransformShapePoint(const CDxf& shape, double x, double y, double* e, double* n)
{
    if (shape.m_Scale != 0.0 && shape.m_Scale != 1.0)
    {
        x *= shape.m_Scale;
        y *= shape.m_Scale;
    }
    if (shape.m_Rotation > 0.0)
    {
        RotateOffset(shape.m_OffsetX, shape.m_OffsetY, x, y, shape.m_SinRotation, shape.m_CosRotation, e, n);
        return;
    }
    *e = shape.m_OffsetX + x;
    *n = shape.m_OffsetY + y;
}

void CGridPlot::DrawDxfShape(CDxf* shape)
{
    if (!shape || !shape->m_bUse)
        return;
    const bool turned = shape->m_Rotation > 0.0;
    shape->m_SinRotation = turned ? std::sin(shape->m_Rotation * kDegreesToRadians) : 0.0;
    shape->m_CosRotation = turned ? std::cos(shape->m_Rotation * kDegreesToRadians) : 1.0;
    ShapePainter painter(*this, *shape);
    for (POSITION pos = shape->m_Blocks.GetHeadPosition(); pos;)
        if (const CDxfBlock* block = shape->m_Blocks.GetNext(pos))
            painter.DrawList(block->m_Entities);
    painter.DrawList(shape->m_Entities);
}

void CGridPlot::DrawVesselShape(double rotation, const tagXY& position, CDxf* shape)
{
    if (!shape)
        return;
    shape->m_Rotation = rotation;
    shape->m_OffsetX = position.x;
    shape->m_OffsetY = position.y;
    DrawDxfShape(shape);
}

// Gallery scenes of drawing-exchange shapes and vessel outlines on the chart plot. The shapes
// were written by ezdxf (data/shape_generate_fixtures.py), which also gave the points probed
// here (data/shape_expected.json); pixels are probed where the plot's transform puts them.
#include "PlotFixture.h"

#include "features/Dxf.h"
#include "features/Outline.h"
#include "features/tests/DxfColours.h"
#include "platform/core/Path.h"
#include "platform/ui/Colour.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <array>
#include <climits>
#include <cmath>

namespace
{
constexpr double kOriginE = 1000.0, kOriginN = 2000.0;

QString DataPath(const char* name)
{
    return QString(SUITE_SOURCE_DIR "/chart/tests/data/") + name;
}

QJsonObject Expected()
{
    QFile file(DataPath("shape_expected.json"));
    if (!file.open(QIODevice::ReadOnly))
        return QJsonObject();
    return QJsonDocument::fromJson(file.readAll()).object();
}

tagXY XY(const QJsonValue& value)
{
    const QJsonArray a = value.toArray();
    return tagXY{a.at(0).toDouble(), a.at(1).toDouble()};
}

class GalleryShape : public PlotFixture
{
protected:
    void SetUp() override
    {
        PlotFixture::SetUp();
        PlaceFrame(11, kOriginE, kOriginN); // 1:1000, 4 pixels a metre
        expected = Expected();
        ASSERT_FALSE(expected.isEmpty());
    }

    void Read(CDxf& shape, const char* name)
    {
        ASSERT_TRUE(shape.Open(WindowsPathFromLinux(DataPath(name)))) << name;
        while (shape.ReadSection())
        {
        }
        shape.Close();
        ASSERT_TRUE(shape.IsWhole()) << name;
        shape.m_OffsetX = kOriginE;
        shape.m_OffsetY = kOriginN;
    }

    // The screen point of a shape point at the shape's placement: unturned, or turned
    // clockwise by 90 degrees.
    POINT Screen(const tagXY& p, bool turned = false) const
    {
        return turned ? plot->GridToScreenPoint(kOriginE + p.y, kOriginN - p.x)
                      : plot->GridToScreenPoint(kOriginE + p.x, kOriginN + p.y);
    }
    COLORREF At(POINT p) const { return ColorRefFromQRgb(image.pixel(p.x, p.y)); }
    // Whether a pixel of `colour` lies within `reach` pixels of p: a line's pixels may fall
    // either side of the exact point.
    bool Near(POINT p, COLORREF colour, int reach = 1) const { return NearColour(image, p, colour, reach); }
    // Whether anything but the ground lies within `reach` pixels of p.
    bool Drawn(POINT p, int reach = 1) const
    {
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
                if (ColorRefFromQRgb(image.pixel(p.x + dx, p.y + dy)) != kGround)
                    return true;
        return false;
    }
    // The box of the pixels off the ground within the window (screen pixels).
    CRect DrawnIn(const CRect& window) const
    {
        CRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
        for (int y = window.top; y < window.bottom; ++y)
            for (int x = window.left; x < window.right; ++x)
                if (ColorRefFromQRgb(image.pixel(x, y)) != kGround)
                {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box.left == INT_MAX ? CRect() : box;
    }
    int CountOffGround() const
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += ColorRefFromQRgb(image.pixel(x, y)) != kGround;
        return n;
    }
    // Where a text of the fixture may draw, by its alignment, about its anchor a; nothing else
    // of the drawing reaches into it.
    static CRect TextWindow(const QString& alignment, POINT a)
    {
        return alignment == "LEFT"     ? CRect(a.x - 16, a.y - 40, a.x + 60, a.y + 8)
               : alignment == "CENTER" ? CRect(a.x - 40, a.y - 40, a.x + 40, a.y + 8)
                                       : CRect(a.x - 60, a.y - 40, a.x + 16, a.y + 8);
    }
    // The colour a colour number is drawn in: the format's, as the peer gives it, less the
    // plot's own rule for a colour that is the background.
    COLORREF Shown(int number) const { return plot->DisplayColour(format[number]); }

    QJsonObject expected;
    QImage image;
    const std::array<COLORREF, 256> format = FormatColourIndex();
};
} // namespace

TEST_F(GalleryShape, EntitiesLieWhereTheDrawingPutsThem)
{
    CDxf shape;
    Read(shape, "shape_geometry.dxf");
    plot->DrawDxfShape(&shape);
    ASSERT_TRUE(canvas->Save("shape-geometry"));
    image = canvas->Image();

    // The solid square is filled right across: a bow-tie leaves the middle of its left and
    // right sides empty.
    const QJsonArray solid = expected["solid_polygon"].toArray();
    ASSERT_EQ(solid.size(), 4);
    tagXY centre{0.0, 0.0};
    for (const QJsonValue& corner : solid)
    {
        centre.x += XY(corner).x / 4;
        centre.y += XY(corner).y / 4;
    }
    for (const tagXY& p : {centre, tagXY{centre.x - 8, centre.y}, tagXY{centre.x + 8, centre.y}})
        EXPECT_EQ(At(Screen(p)), Shown(1)) << "solid at " << p.x << ", " << p.y;
    EXPECT_FALSE(Drawn(Screen({centre.x, centre.y + 12})));

    // Arcs: both ends where ezdxf puts them, the middle of the arc drawn and its opposite side
    // not.
    const QJsonArray arcs = expected["arcs"].toArray();
    ASSERT_EQ(arcs.size(), 5);
    for (const QJsonValue& value : arcs)
    {
        const QJsonObject arc = value.toObject();
        const tagXY c = XY(arc["centre"]);
        const double r = arc["radius"].toDouble();
        double start = arc["start_angle"].toDouble(), end = arc["end_angle"].toDouble();
        if (end < start)
            end += 360.0;
        const double middle = (start + end) / 2 * M_PI / 180.0;
        const tagXY onArc{c.x + r * std::cos(middle), c.y + r * std::sin(middle)};
        const tagXY opposite{c.x - r * std::cos(middle), c.y - r * std::sin(middle)};
        EXPECT_TRUE(Near(Screen(XY(arc["start_point"])), Shown(2))) << "start of arc at " << c.x << ", " << c.y;
        EXPECT_TRUE(Near(Screen(XY(arc["end_point"])), Shown(2))) << "end of arc at " << c.x << ", " << c.y;
        EXPECT_TRUE(Near(Screen(onArc), Shown(2))) << "middle of arc at " << c.x << ", " << c.y;
        EXPECT_FALSE(Drawn(Screen(opposite))) << "opposite the arc at " << c.x << ", " << c.y;
        // The chord between the ends closes the arc.
        const tagXY s = XY(arc["start_point"]), e = XY(arc["end_point"]);
        EXPECT_TRUE(Near(Screen({(s.x + e.x) / 2, (s.y + e.y) / 2}), Shown(2)))
            << "chord of arc at " << c.x << ", " << c.y;
    }

    // Polylines: the closed one is drawn back to its first point, the open one is not.
    const QJsonArray polylines = expected["polylines"].toArray();
    ASSERT_EQ(polylines.size(), 2);
    for (const QJsonValue& value : polylines)
    {
        const QJsonObject polyline = value.toObject();
        const QJsonArray points = polyline["points"].toArray();
        const tagXY first = XY(points.first()), last = XY(points.last()), second = XY(points.at(1));
        const tagXY closing{(first.x + last.x) / 2, (first.y + last.y) / 2};
        const tagXY leg{(first.x + second.x) / 2, (first.y + second.y) / 2};
        EXPECT_TRUE(Near(Screen(leg), Shown(6)));
        EXPECT_EQ(Near(Screen(closing), Shown(6)), polyline["closed"].toBool()) << first.x;
    }

    // Texts stand on their anchors: left-justified to its right, centred about it,
    // right-justified to its left, all on the baseline.
    for (const QJsonValue& value : expected["texts"].toArray())
    {
        const QJsonObject text = value.toObject();
        const POINT a = Screen(XY(text["anchor"]));
        const QString alignment = text["alignment"].toString();
        const CRect box = DrawnIn(TextWindow(alignment, a));
        ASSERT_FALSE(box.IsRectEmpty()) << alignment.toStdString();
        EXPECT_LE(box.bottom, a.y + 1) << alignment.toStdString();
        EXPECT_GE(box.Height(), 8) << alignment.toStdString();
        if (alignment == "LEFT")
            EXPECT_GE(box.left, a.x - 1);
        else if (alignment == "RIGHT")
            EXPECT_LE(box.right, a.x + 1);
        else
        {
            EXPECT_LT(box.left, a.x - 3);
            EXPECT_GT(box.right, a.x + 3);
            EXPECT_LE(std::abs((box.left + box.right) / 2 - a.x), 2);
        }
    }

    // Lines and circles; the block's line where it stands in the block; entities reaching
    // outside the drawing's extents left out.
    EXPECT_EQ(At(Screen({-40.0, -50.0})), Shown(3));
    EXPECT_TRUE(Near(Screen({-42.0, 0.0}), Shown(4)));
    const QJsonArray block = expected["block_line"].toArray();
    const tagXY blockMiddle{(XY(block.at(0)).x + XY(block.at(1)).x) / 2, XY(block.at(0)).y};
    EXPECT_EQ(At(Screen(blockMiddle)), Shown(3));
    EXPECT_FALSE(Drawn(Screen({62.0, 50.0})));
    EXPECT_FALSE(Drawn(Screen({75.0, 50.0})));
    EXPECT_FALSE(Drawn(Screen({60.0, 0.0})));
}

TEST_F(GalleryShape, VesselShapeTurnsWithTheHeading)
{
    CDxf shape;
    Read(shape, "shape_geometry.dxf");
    plot->DrawVesselShape(90.0, tagXY{kOriginE, kOriginN}, &shape);
    ASSERT_TRUE(canvas->Save("shape-turned-90"));
    image = canvas->Image();
    // The line along y = −50 now runs along E = −50, north of the reference point.
    EXPECT_EQ(At(Screen({-40.0, -50.0}, true)), Shown(3));
    EXPECT_FALSE(Drawn(Screen({-40.0, -50.0})));
    for (const QJsonValue& value : expected["arcs"].toArray())
    {
        const QJsonObject arc = value.toObject();
        EXPECT_TRUE(Near(Screen(XY(arc["start_point"]), true), Shown(2)));
        EXPECT_TRUE(Near(Screen(XY(arc["end_point"]), true), Shown(2)));
    }
    const QJsonArray solid = expected["solid_polygon"].toArray();
    EXPECT_EQ(At(Screen({XY(solid.at(0)).x + 2, XY(solid.at(0)).y + 10}, true)), Shown(1));
}

TEST_F(GalleryShape, ScaleZeroOrOneIsNoScale)
{
    struct Case
    {
        double scale;
        double factor; // the size drawn
    } cases[] = {{0.0, 1.0}, {1.0, 1.0}, {0.5, 0.5}};
    for (const Case& c : cases)
    {
        NewCanvas();
        CDxf shape;
        Read(shape, "shape_geometry.dxf");
        shape.m_Scale = c.scale;
        plot->DrawDxfShape(&shape);
        image = canvas->Image();
        EXPECT_EQ(At(Screen({-40.0 * c.factor, -50.0 * c.factor})), Shown(3)) << c.scale;
        EXPECT_TRUE(Near(Screen({-42.0 * c.factor, 0.0}), Shown(4))) << c.scale;
        EXPECT_EQ(c.factor == 1.0, Drawn(Screen({-58.0, 0.0}))) << c.scale;
    }
}

TEST_F(GalleryShape, HiddenShapeAndHiddenTexts)
{
    CDxf shape;
    Read(shape, "shape_geometry.dxf");
    shape.m_bUse = false;
    plot->DrawDxfShape(&shape);
    image = canvas->Image();
    EXPECT_EQ(CountOffGround(), 0);

    shape.m_bUse = true;
    shape.m_bShowText = false;
    plot->DrawDxfShape(&shape);
    image = canvas->Image();
    EXPECT_GT(CountOffGround(), 100);
    for (const QJsonValue& value : expected["texts"].toArray())
    {
        const QJsonObject text = value.toObject();
        const POINT a = Screen(XY(text["anchor"]));
        EXPECT_TRUE(DrawnIn(TextWindow(text["alignment"].toString(), a)).IsRectEmpty());
    }
}

TEST_F(GalleryShape, EveryColourNumberAndByLayer)
{
    CDxf shape;
    Read(shape, "shape_colours.dxf");
    const QJsonArray lines = expected["colour_lines"].toArray();
    ASSERT_EQ(lines.size(), 257);
    auto middle = [](const QJsonObject& line) {
        return tagXY{(XY(line["start"]).x + XY(line["end"]).x) / 2, XY(line["start"]).y};
    };
    // The colour number a line is drawn in: its own, or its layer's.
    auto number = [](const QJsonObject& line) {
        const int colour = line["color"].toInt();
        return (colour == 0 || colour == 256) ? line["layer_color"].toInt() : colour;
    };

    plot->DrawDxfShape(&shape);
    ASSERT_TRUE(canvas->Save("shape-colours"));
    image = canvas->Image();
    for (const QJsonValue& value : lines)
    {
        const QJsonObject line = value.toObject();
        EXPECT_EQ(At(Screen(middle(line))), Shown(number(line))) << "colour " << line["color"].toInt();
    }

    // A colour that is the background is drawn inverted; the others stay.
    const COLORREF background = format[20];
    ASSERT_NE(background, format[21]);
    plot->backgroundColour = background;
    NewCanvas();
    plot->DrawDxfShape(&shape);
    image = canvas->Image();
    for (const QJsonValue& value : lines)
    {
        const QJsonObject line = value.toObject();
        const COLORREF own = format[number(line)];
        EXPECT_EQ(At(Screen(middle(line))), own == background ? 0xFFFFFF - own : own) << line["color"].toInt();
    }

    // A monochrome device, and the plot's single-colour mode, draw every entity in one colour.
    struct Case
    {
        bool monochrome;
        bool single;
        COLORREF colour;
    } cases[] = {{true, false, 0x000000}, {false, true, 0x00FFFF}};
    for (const Case& c : cases)
    {
        plot->backgroundColour = kGround;
        plot->monochrome = c.monochrome;
        plot->singleColourMode = c.single;
        plot->singleColour = 0x00FFFF;
        NewCanvas();
        plot->DrawDxfShape(&shape);
        image = canvas->Image();
        for (const QJsonValue& value : lines)
            EXPECT_EQ(At(Screen(middle(value.toObject()))), c.colour) << value.toObject()["color"].toInt();
    }
}

TEST_F(GalleryShape, SolidsAreFilledInTheFormatsColourOfTheirNumber)
{
    CDxf shape;
    shape.m_OffsetX = kOriginE;
    shape.m_OffsetY = kOriginN;
    const std::vector<SolidSquare> squares = AddSolidSquares(shape);
    plot->DrawDxfShape(&shape);
    ASSERT_TRUE(canvas->Save("shape-solid-colours"));
    image = canvas->Image();
    for (const SolidSquare& square : squares)
        EXPECT_EQ(At(Screen({square.x + 5.0, 5.0})), Shown(square.shown)) << "colour " << square.colour;
}

TEST_F(GalleryShape, VesselOutlineAtItsPositionAndHeading)
{
    // A hull 40 m long and 10 m wide, its bow 20 m ahead of the reference point, filled.
    COutline hull;
    for (const OutlinePointDef& p : {OutlinePointDef{0, -5, -20}, OutlinePointDef{1, 5, -20},
                                     OutlinePointDef{1, 5, 10}, OutlinePointDef{1, 0, 20}, OutlinePointDef{1, -5, 10}})
        hull.Add(p);
    const tagPen style{PS_SOLID, 1, 0x00FFFF, -1};
    struct Case
    {
        const char* name;
        bool northUp;
        int orientation;
        double heading;
        tagXY bow; // grid offset of a point just behind the bow, drawn
        tagXY stern; // a point past the stern, not drawn
    } cases[] = {{"north up, heading 0", true, 0, 0.0, {0, 17}, {0, -24}},
                 {"north up, heading 90", true, 0, 90.0, {17, 0}, {-24, 0}},
                 {"display turned to 90, heading 90: drawn pointing up", false, 90, 90.0, {0, 17}, {0, -24}}};
    for (const Case& c : cases)
    {
        NewCanvas();
        plot->northUp = c.northUp;
        plot->SetOrientation(c.orientation);
        plot->DrawVesselOutline(kOriginE, kOriginN, hull, style, c.heading);
        image = canvas->Image();
        // Offsets on the screen, in metres (the display may be turned).
        const POINT centre = plot->GridToScreenPoint(kOriginE, kOriginN);
        const POINT bow{centre.x + static_cast<LONG>(c.bow.x * 4), centre.y - static_cast<LONG>(c.bow.y * 4)};
        const POINT stern{centre.x + static_cast<LONG>(c.stern.x * 4), centre.y - static_cast<LONG>(c.stern.y * 4)};
        EXPECT_EQ(At(bow), 0x00FFFFu) << c.name;
        EXPECT_EQ(At(centre), 0x00FFFFu) << c.name;
        EXPECT_FALSE(Drawn(stern)) << c.name;
    }
    NewCanvas();
    plot->DrawVesselOutline(kOriginE, kOriginN, COutline(), style, 0.0);
    image = canvas->Image();
    EXPECT_EQ(CountOffGround(), 0);
}

TEST_F(GalleryShape, DrawingWithoutExtentsKeepsEveryEntity)
{
    CDxf shape;
    Read(shape, "shape_geometry.dxf");
    shape.m_bHaveExtMin = shape.m_bHaveExtMax = false;
    ASSERT_FALSE(shape.HasHeaderExtents());
    plot->DrawDxfShape(&shape);
    image = canvas->Image();
    EXPECT_EQ(At(Screen({75.0, 50.0})), Shown(3));
    EXPECT_TRUE(Near(Screen({60.0, 0.0}), Shown(4)));
}

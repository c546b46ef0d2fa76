// The outline view and the structure view. The structure view is shown in a host frame over
// the drawing-exchange shapes written by ezdxf for the chart (chart/tests/data, with the
// points ezdxf read back in shape_expected.json) and probed in the frame's picture; the outline
// view's scaling, clicks and own drawing calls are checked on their own.
#include "featureui/views/OutlineView.h"
#include "featureui/views/StructureView.h"
#include "featureui/tests/ShapeFixtures.h"
#include "features/Outline.h"
#include "features/StructureList.h"
#include "features/SymbolDef.h"
#include "features/tests/DxfColours.h"
#include "foundation/MyDC.h"
#include "platform/core/Path.h"
#include "platform/ui/Colour.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/RecordingOwner.h"
#include "testsupport/UserInput.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace
{
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kGreen = 0x00FF00;

QString DataPath(const char* name)
{
    return ShapeDataPath(name);
}

tagXY XY(const QJsonValue& value)
{
    const QJsonArray a = value.toArray();
    return tagXY{a.at(0).toDouble(), a.at(1).toDouble()};
}

// A memory drawing context of the size, in black, for the outline view's own drawing calls.
struct Canvas
{
    CMyDC dc;
    CBitmap bitmap;
    CBitmap* previous = nullptr;

    Canvas(int width, int height)
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, width, height);
        previous = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, kBlack);
    }
    ~Canvas() { dc.SelectObject(previous); }
    COLORREF At(POINT p) const { return dc.GetPixel(p.x, p.y); }
};

struct OutlineViewFixture : ::testing::Test
{
    CRecordingOwner owner;
    CStructureList structures;
    CStructureView* view = nullptr;
    QJsonObject expected;
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 320;

    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateOwner(kWidth + 40, kHeight + 40));
        view = static_cast<CStructureView*>(RUNTIME_CLASS(CStructureView)->CreateObject());
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(view->Create(&owner));
        view->SetWindowPos(nullptr, 0, 0, kWidth, kHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        QFile file(DataPath("shape_expected.json"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        expected = QJsonDocument::fromJson(file.readAll()).object();
        Pump();
        owner.Clear();
    }

    // One structure file with one structure of that heading, drawn with the fixture shape.
    CStructureShape* AddStructure(double heading, const char* shapeFile = "shape_geometry.dxf")
    {
        CStructureShape* shape = ReadShape(shapeFile);
        structures.m_Shapes.AddTail(shape);
        auto* file = new CStructure;
        StructureDef record;
        record.Name = "Jacket";
        record.ShapeIndex = 1;
        record.Shape = shape->GetName();
        record.Heading = heading;
        file->Add(record);
        structures.Add(file);
        structures.SetEditPoint(0, 0);
        view->SetStructureList(&structures);
        return shape;
    }

    // The view as the frame's picture shows it.
    QImage Shown()
    {
        view->Invalidate();
        Pump();
        const QImage frame = FrameProbe::GrabWindow(&owner);
        const QRect area = FrameProbe::PaneRect(view);
        EXPECT_EQ(area.size(), QSize(kWidth, kHeight));
        return frame.copy(area);
    }

    static COLORREF At(const QImage& image, POINT p) { return ColorRefFromQRgb(image.pixel(p.x, p.y)); }
    // Whether a pixel of the colour lies within `reach` pixels of p.
    static bool Near(const QImage& image, POINT p, COLORREF colour, int reach = 1)
    {
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
                if (At(image, POINT{p.x + dx, p.y + dy}) == colour)
                    return true;
        return false;
    }
    // The colours shown, by how many pixels have each.
    static std::map<COLORREF, int> Colours(const QImage& image)
    {
        std::map<COLORREF, int> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ++colours[ColorRefFromQRgb(image.pixel(x, y))];
        return colours;
    }
    POINT Pixel(const tagXY& p) const { return view->CoordToPixel(p.x, p.y); }
};
} // namespace

TEST_F(OutlineViewFixture, GridStepsAndScaleFollowThePlansSize)
{
    const struct
    {
        double across;
        double step;
    } cases[] = {{0.0, 10},      {99.9, 10},    {100, 25},   {249.9, 25}, {250, 50},
                 {499, 50},      {500, 100},    {1000, 250}, {2500, 500}, {5000, 1000},
                 {9999.9, 1000}, {10000, 5000}, {2e6, 5000}};
    for (const auto& c : cases)
    {
        view->ComputeScaling(CRect(0, 0, 200, 100), 1000.0, 2000.0, 1000.0 + c.across, 2000.0 + c.across / 4);
        EXPECT_EQ(view->GetGridStep(), c.step) << c.across << " m across";
    }

    // 0..100 by 0..50 in 200 by 100 pixels: rounded to 25 m steps, half a metre a pixel, the
    // plan's centre (50, 25) at the rectangle's (100, 50).
    view->ComputeScaling(CRect(0, 0, 200, 100), 0.0, 0.0, 100.0, 50.0);
    EXPECT_DOUBLE_EQ(view->GetScale(), 0.5);
    EXPECT_EQ(view->CoordToPixel(50.0, 25.0).x, 100);
    EXPECT_EQ(view->CoordToPixel(50.0, 25.0).y, 50);
    EXPECT_EQ(view->CoordToPixel(0.0, 0.0).x, 0);
    EXPECT_EQ(view->CoordToPixel(0.0, 0.0).y, 100);
    // Truncation toward zero on both sides of the centre.
    EXPECT_EQ(view->CoordToPixel(49.4, 25.9).x, 99);
    EXPECT_EQ(view->CoordToPixel(50.9, 24.1).y, 51);

    // Pixel and back lands within one scale step, anywhere on a plan of UTM size.
    view->ComputeScaling(CRect(10, 20, 410, 320), 452311.7, 6231077.2, 452811.2, 6231391.9);
    for (const tagXY p :
         {tagXY{452311.7, 6231077.2}, tagXY{452500.33, 6231200.01}, tagXY{452811.2, 6231391.9}})
    {
        const POINT px = view->CoordToPixel(p.x, p.y);
        const tagXY back = view->PixelToCoord(px.x, px.y);
        EXPECT_NEAR(back.x, p.x, view->GetScale());
        EXPECT_NEAR(back.y, p.y, view->GetScale());
    }

    // A single point on a grid step still gets a scale to convert with.
    view->ComputeScaling(CRect(0, 0, 200, 100), 30.0, 30.0, 30.0, 30.0);
    EXPECT_GT(view->GetScale(), 0.0);
    const POINT px = view->CoordToPixel(30.0, 30.0);
    EXPECT_NEAR(view->PixelToCoord(px.x, px.y).x, 30.0, view->GetScale());
    Canvas canvas(200, 100);
    view->DrawGrid(&canvas.dc);
    EXPECT_EQ(canvas.At(px), kGreen) << "the point lies on a grid dot";
}

TEST_F(OutlineViewFixture, TheStructuresShapeIsDrawnWhereItsEntitiesLieWithTheGridOverIt)
{
    AddStructure(0.0);
    const QImage image = Shown();
    EXPECT_EQ(FrameProbe::StrayTopLevels(&owner), std::vector<std::string>());
    view->ComputeScaling(CRect(0, 0, kWidth, kHeight), -70.0, -55.0, 70.0, 55.0);
    EXPECT_EQ(view->GetGridStep(), 25.0);

    // The filled square: its whole inside, also beside its centre where a bow-tie would be
    // empty.
    const COLORREF red = 0x0000FF;
    for (const tagXY p : {tagXY{-50.0, 30.0}, tagXY{-57.0, 30.0}, tagXY{-43.0, 30.0}})
        EXPECT_EQ(At(image, Pixel(p)), red) << p.x << ", " << p.y;
    for (const QJsonValue corner : expected["solid_polygon"].toArray())
        EXPECT_TRUE(Near(image, Pixel(XY(corner)), red, 2));

    // Both triangles' drawn sides; only the closed one has the side back to its start.
    const COLORREF magenta = 0xFF00FF;
    const QJsonArray polylines = expected["polylines"].toArray();
    ASSERT_EQ(polylines.size(), 2);
    for (const QJsonValue polyline : polylines)
    {
        const QJsonArray points = polyline["points"].toArray();
        const bool closed = polyline["closed"].toBool();
        const tagXY a = XY(points.at(0)), b = XY(points.at(1)), last = XY(points.at(2));
        EXPECT_TRUE(Near(image, Pixel({(a.x + b.x) / 2, (a.y + b.y) / 2}), magenta));
        EXPECT_EQ(Near(image, Pixel({(a.x + last.x) / 2, (a.y + last.y) / 2}), magenta), closed)
            << (closed ? "closed" : "open");
    }

    // Arcs between ezdxf's end points, and not across their chord.
    const COLORREF yellow = 0x00FFFF;
    for (const QJsonValue arc : expected["arcs"].toArray())
    {
        const tagXY c = XY(arc["centre"]), s = XY(arc["start_point"]), e = XY(arc["end_point"]);
        EXPECT_TRUE(Near(image, Pixel(s), yellow, 2));
        EXPECT_TRUE(Near(image, Pixel(e), yellow, 2));
        const double r = arc["radius"].toDouble();
        const double start = arc["start_angle"].toDouble() * M_PI / 180.0;
        double end = arc["end_angle"].toDouble() * M_PI / 180.0;
        if (end < start)
            end += 2 * M_PI;
        const double middle = (start + end) / 2;
        EXPECT_TRUE(Near(image, Pixel({c.x + r * std::cos(middle), c.y + r * std::sin(middle)}), yellow, 2));
        EXPECT_FALSE(Near(image, Pixel({(s.x + e.x) / 2, (s.y + e.y) / 2}), yellow, 1)) << "no chord";
    }

    // The grid is drawn last: the x axis stays green where the circle (-50, 0), r 8, crosses it.
    const POINT crossing = Pixel({-58.0, 0.0});
    EXPECT_EQ(At(image, crossing), kGreen);
    EXPECT_EQ(At(image, Pixel({-42.0, 0.0})), kGreen);
    EXPECT_TRUE(Near(image, Pixel({-50.0, 8.0}), 0xFFFF00, 2)) << "the circle itself";
    EXPECT_EQ(At(image, Pixel({-25.0, -25.0})), kGreen) << "a grid dot";
    EXPECT_EQ(At(image, Pixel({0.0, 37.0})), kGreen) << "the y axis";

    // A drawing out of use: the grid alone.
    structures.m_Shapes.GetHead()->m_bUse = false;
    const std::map<COLORREF, int> colours = Colours(Shown());
    EXPECT_EQ(colours.size(), 2u);
    EXPECT_EQ(colours.count(kBlack), 1u);
    EXPECT_EQ(colours.count(kGreen), 1u);
}

TEST_F(OutlineViewFixture, AStructureIsTurnedToItsHeadingWhateverItsSign)
{
    AddStructure(30.0);
    const QImage thirty = Shown();
    structures.GetAt(0)->ElementAt(0).Heading = -330.0;
    const QImage negative = Shown();
    EXPECT_TRUE(thirty == negative) << "-330 degrees is a turn of 30";
    structures.GetAt(0)->ElementAt(0).Heading = 0.0;
    const QImage unturned = Shown();
    EXPECT_FALSE(unturned == thirty);

    // Turned 90 degrees clockwise, the square's inside moves from (-50, 30) to (30, 50); the
    // fitting keeps the unturned extents.
    structures.GetAt(0)->ElementAt(0).Heading = 90.0;
    const QImage quarter = Shown();
    view->ComputeScaling(CRect(0, 0, kWidth, kHeight), -70.0, -55.0, 70.0, 55.0);
    EXPECT_EQ(At(quarter, Pixel({30.0, 50.0})), 0x0000FFu);
    EXPECT_NE(At(quarter, Pixel({-50.0, 30.0})), 0x0000FFu);
}

TEST_F(OutlineViewFixture, WithoutAShapeToDrawOnlyTheBackgroundShows)
{
    const auto onlyBlack = [this](const char* what) {
        const std::map<COLORREF, int> colours = Colours(Shown());
        EXPECT_EQ(colours.size(), 1u) << what;
        EXPECT_EQ(colours.begin()->first, kBlack) << what;
    };
    onlyBlack("no list");
    AddStructure(0.0);
    structures.m_EditFileIndex = -1;
    onlyBlack("no edit file");
    structures.SetEditPoint(0, -1);
    structures.m_EditPointIndex = -1;
    onlyBlack("no edit structure");
    structures.GetAt(0)->RemoveAll();
    structures.SetEditPoint(0, 0);
    onlyBlack("a file without structures");
    auto* other = new CStructure;
    StructureDef record;
    record.Shape = "no such shape";
    other->Add(record);
    structures.Add(other);
    structures.SetEditPoint(1, 0);
    onlyBlack("a shape that is not there");
}

TEST_F(OutlineViewFixture, EntityColoursAreTheFormatsColours)
{
    const std::array<COLORREF, 256> format = FormatColourIndex();
    ASSERT_EQ(format[7], 0xFFFFFFu);
    AddStructure(0.0, "shape_colours.dxf");
    const QImage image = Shown();
    view->ComputeScaling(CRect(0, 0, kWidth, kHeight), -70.0, -55.0, 70.0, 55.0);
    int checked = 0;
    for (const QJsonValue line : expected["colour_lines"].toArray())
    {
        const int colour = line["color"].toInt();
        const int number = colour == 0 || colour == 256 ? line["layer_color"].toInt() : colour;
        const tagXY a = XY(line["start"]), b = XY(line["end"]);
        // Away from the axes and grid dots: two thirds along the line.
        const tagXY at{a.x + (b.x - a.x) * 2 / 3, a.y};
        if (std::fabs(at.y) < 1.0 || std::fabs(at.x) < 1.0)
            continue;
        // Black, the background, is drawn white.
        COLORREF shown = format[number];
        if (shown == kBlack)
            shown = 0xFFFFFF;
        EXPECT_TRUE(Near(image, Pixel(at), shown, 1))
            << "colour " << colour << " on layer " << line["layer"].toString().toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 200);
}

TEST_F(OutlineViewFixture, SolidsAreFilledInTheFormatsColourOfTheirNumber)
{
    const std::array<COLORREF, 256> format = FormatColourIndex();
    CDxf shape;
    const std::vector<SolidSquare> squares = AddSolidSquares(shape);
    Canvas canvas(200, 200);
    view->ComputeScaling(CRect(0, 0, 200, 200), -50.0, -50.0, 50.0, 50.0);
    view->DrawDxf(&canvas.dc, &shape);
    for (const SolidSquare& square : squares)
        EXPECT_EQ(canvas.At(view->CoordToPixel(square.x + 5.0, 5.0)), format[square.shown])
            << "colour " << square.colour;
}

TEST_F(OutlineViewFixture, AClickReportsItsPlanCoordinateToTheOwner)
{
    AddStructure(0.0);
    Shown();
    view->ComputeScaling(CRect(0, 0, kWidth, kHeight), -70.0, -55.0, 70.0, 55.0);
    const POINT at = Pixel({12.0, -20.0});
    owner.Clear();
    UserInput::ClickClient(view, at.x, at.y);
    const std::vector<POSTED_MESSAGE>& posted = owner.Messages();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].name, "UM_CLICK_ON_VESSEL_OUTLINE");
    EXPECT_EQ(posted[0].wParam, reinterpret_cast<WPARAM>(&view->GetClickedCoordinate()));
    EXPECT_EQ(posted[0].lParam, 0);
    const tagXY* clicked = reinterpret_cast<const tagXY*>(posted[0].wParam);
    EXPECT_NEAR(clicked->x, 12.0, view->GetScale());
    EXPECT_NEAR(clicked->y, -20.0, view->GetScale());
    EXPECT_EQ(view->SendMessage(WM_MOUSEACTIVATE, 0, 0), MA_ACTIVATE);

    // A view made without Create has no owner to tell.
    auto* loose = static_cast<COutlineView*>(RUNTIME_CLASS(COutlineView)->CreateObject());
    ASSERT_TRUE(loose->Create(AfxRegisterWndClass(CS_DBLCLKS), "", WS_CHILD | WS_VISIBLE,
                              CRect(0, 0, 100, 100), &owner, 0));
    loose->ComputeScaling(CRect(0, 0, 100, 100), 0.0, 0.0, 50.0, 50.0);
    Pump();
    owner.Clear();
    UserInput::ClickClient(loose, 30, 30);
    EXPECT_EQ(owner.Messages(), std::vector<POSTED_MESSAGE>());
    EXPECT_NEAR(loose->GetClickedCoordinate().x, loose->PixelToCoord(30, 30).x, 1e-9);
    loose->DestroyWindow();
}

TEST_F(OutlineViewFixture, OutlinesPolygonsSymbolsAndTheNightGrid)
{
    Canvas canvas(200, 200);
    view->ComputeScaling(CRect(0, 0, 200, 200), -50.0, -50.0, 50.0, 50.0);
    const double scale = view->GetScale();
    ASSERT_GT(scale, 0.0);

    // A square outline whose fifth point starts a new figure: a lone point draws nothing.
    COutline outline;
    for (const OutlinePointDef& p :
         {OutlinePointDef{0, -20.0, -20.0}, OutlinePointDef{1, 20.0, -20.0}, OutlinePointDef{1, 20.0, 20.0},
          OutlinePointDef{1, -20.0, 20.0}, OutlinePointDef{0, -40.0, 40.0}, OutlinePointDef{1, -40.0, 45.0}})
        outline.Add(p);
    outline.m_Pen = tagPen{0, 1, 0x0000FF, -2};
    outline.m_AlternativePen = tagPen{0, 1, 0x00FFFF, -2};
    view->DrawOutline(&canvas.dc, &outline, false);
    EXPECT_EQ(canvas.At(view->CoordToPixel(0.0, -20.0)), 0x0000FFu);
    EXPECT_EQ(canvas.At(view->CoordToPixel(20.0, 0.0)), 0x0000FFu);
    EXPECT_EQ(canvas.At(view->CoordToPixel(-20.0, 0.0)), kBlack) << "the outline is not closed";
    EXPECT_EQ(canvas.At(view->CoordToPixel(-30.0, 30.0)), kBlack) << "the pen was up";
    EXPECT_EQ(canvas.At(view->CoordToPixel(-40.0, 42.0)), 0x0000FFu);
    view->DrawOutline(&canvas.dc, &outline, true);
    EXPECT_EQ(canvas.At(view->CoordToPixel(0.0, -20.0)), 0x00FFFFu) << "the alternative pen";
    const COutline empty;
    view->DrawOutline(&canvas.dc, &empty, false);
    view->DrawOutline(&canvas.dc, nullptr, false);

    // Fill codes: none, solid, a hatch.
    const tagXY square[4] = {{-45.0, -45.0}, {-25.0, -45.0}, {-25.0, -25.0}, {-45.0, -25.0}};
    const struct
    {
        int16_t fill;
        double dx;
    } fills[] = {{-2, 0.0}, {-1, 30.0}, {HS_CROSS, 60.0}};
    int inside[3] = {};
    for (int f = 0; f < 3; ++f)
    {
        tagXY moved[4];
        for (int i = 0; i < 4; ++i)
            moved[i] = tagXY{square[i].x + fills[f].dx, square[i].y};
        const tagPen pen{0, 1, 0x00FF00, fills[f].fill};
        view->DrawPolygon(&canvas.dc, moved, 4, &pen);
        EXPECT_EQ(canvas.At(view->CoordToPixel(moved[0].x, -35.0)), 0x00FF00u) << "its side";
        const POINT a = view->CoordToPixel(moved[0].x + 3, -28.0);
        const POINT b = view->CoordToPixel(moved[2].x - 3, -42.0);
        for (int y = a.y; y <= b.y; ++y)
            for (int x = a.x; x <= b.x; ++x)
                inside[f] += canvas.dc.GetPixel(x, y) == 0x00FF00;
    }
    const POINT a = view->CoordToPixel(-42.0, -28.0), b = view->CoordToPixel(-28.0, -42.0);
    const int area = (b.x - a.x + 1) * (b.y - a.y + 1);
    EXPECT_EQ(inside[0], 0) << "hollow";
    EXPECT_EQ(inside[1], area) << "solid";
    EXPECT_GT(inside[2], area / 10) << "hatched";
    EXPECT_LT(inside[2], area / 2) << "hatched";

    // A symbol of size class 2 (12 pixels) with its label to the right.
    const SymbolDef symbol{VECTOR_FILLED_SQUARE, SYMBOL_SMALL, 0xFF0000};
    const POINT centre = view->CoordToPixel(30.0, 30.0);
    view->DrawVectorSymbol(&canvas.dc, tagXYZ{30.0, 30.0, -12.0}, "A", &symbol, LABEL_POS_RIGHT);
    EXPECT_EQ(canvas.At(centre), 0xFF0000u);
    EXPECT_EQ(canvas.At(POINT{centre.x + 4, centre.y + 4}), 0xFF0000u);
    EXPECT_EQ(canvas.At(POINT{centre.x - 9, centre.y}), kBlack) << "12 pixels across";
    int label = 0;
    for (int x = centre.x + 11; x < centre.x + 40; ++x)
        label += canvas.At(POINT{x, centre.y}) != kBlack;
    EXPECT_GT(label, 5) << "the label's box beside it";

    // Night: a dark green grid on the same black.
    view->SetNightMode(true);
    EXPECT_EQ(view->GetBackgroundColour(), kBlack);
    EXPECT_EQ(view->GetGridColour(), 0x004000u);
    Canvas night(200, 200);
    view->DrawGrid(&night.dc);
    EXPECT_EQ(night.At(view->CoordToPixel(0.0, 10.0)), 0x004000u);
    EXPECT_EQ(night.At(view->CoordToPixel(25.0, 25.0)), 0x004000u) << "a grid dot";
    view->SetNightMode(false);
    EXPECT_EQ(view->GetGridColour(), kGreen);
}

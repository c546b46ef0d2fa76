// Gallery scenes of the moving objects as the chart view draws them: the vessel with and
// without a heading, range rings, anchors and tugs, lasers and a transit fix.
#include "ViewFixture.h"

#include "chart/objects/AnchorPattern.h"
#include "chart/plot/RangeRings.h"
#include "chart/objects/Tugs.h"
#include "features/Barge.h"
#include "features/Template.h"
#include "geodesy/Gps.h"

#include <cmath>


namespace
{
constexpr COLORREF kYellow = 0x00FFFF, kMagenta = 0xFF00FF, kCyan = 0xFFFF00;

class GalleryObjects : public ViewGallery::ViewGalleryFixture
{
protected:
    // A point of the vessel: enabled, a filled square of its colour, medium, labelled below.
    static TrackingPointDef Point(const char* name, double x, double y, COLORREF colour)
    {
        TrackingPointDef p;
        p.Name = name;
        p.X = x;
        p.Y = y;
        p.SetEnabled(true);
        p.SetColour(colour);
        p.SetSymbol(VECTOR_FILLED_SQUARE);
        p.SetSymbolSize(SYMBOL_MEDIUM);
        p.SetLabelPosition(LABEL_POS_BOTTOM);
        return p;
    }

    // A vessel at the origin heading north, its points placed 100 m apart round it: a leg to the
    // north-east, an offset to the south-east, a crane to the west with a 40 m radius, a clump
    // weight dropped to the south-west; one antenna whose receiver stands 50 m north.
    void MakeVessel(double heading)
    {
        vessel.m_Position = tagXY{ViewGallery::kOriginE, ViewGallery::kOriginN};
        vessel.m_Heading = heading;
        vessel.m_Antennas.AddPoint(Point("GPS 1", 0.0, 50.0, ViewGallery::kGreen));
        vessel.m_Legs.AddPoint(Point("Leg", 0.0, 0.0, ViewGallery::kRed));
        vessel.m_Legs[0]->Position = tagXY{ViewGallery::kOriginE + 100.0, ViewGallery::kOriginN + 100.0};
        vessel.m_Offsets.AddPoint(Point("Offset", 0.0, 0.0, ViewGallery::kBlue));
        vessel.m_Offsets[0]->Position = tagXY{ViewGallery::kOriginE + 100.0, ViewGallery::kOriginN - 100.0};
        vessel.m_Cranes.AddPoint(Point("Crane", 0.0, 0.0, kYellow));
        vessel.m_Cranes[0]->Position = tagXY{ViewGallery::kOriginE - 150.0, ViewGallery::kOriginN};
        vessel.m_Cranes[0]->SetRadius(40.0);
        vessel.m_ClumpWeights.AddPoint(Point("CW", 0.0, 0.0, kCyan));
        vessel.m_ClumpWeights[0]->Position = tagXY{ViewGallery::kOriginE - 50.0, ViewGallery::kOriginN - 50.0};
        vessel.m_DroppedClumpWeights.Add(DroppedClumpWeightDef{ViewGallery::kOriginE - 150.0, ViewGallery::kOriginN - 150.0, 1});
        vessel.m_bEnableTrail = vessel.m_bShowTrail = true;
        vessel.m_TrailColour = kMagenta;
        vessel.m_Trail.Add(tagXY{ViewGallery::kOriginE, ViewGallery::kOriginN - 250.0});
        gps.Restart();
        gps.m_AntennaEasting = ViewGallery::kOriginE;
        gps.m_AntennaNorthing = ViewGallery::kOriginN + 50.0;
        receivers.Add(&gps);
        view->SetVessel(&vessel, &receivers);
    }

    CBarge vessel;
    CGps gps;
    CGpsArray receivers;
    CTugs tugs;
};
} // namespace

TEST_F(GalleryObjects, VesselWithAndWithoutHeading)
{
    MakeVessel(0.0);
    tugs.m_Tugs[0].Active = tugs.m_Tugs[0].Shown = true;
    tugs.m_Tugs[0].Position = tagXY{ViewGallery::kOriginE + 200.0, ViewGallery::kOriginN + 200.0};
    view->SetAnchorPattern(nullptr, &tugs);
    view->DrawVesselLayers();
    ASSERT_TRUE(canvas->Save("objects-vessel"));

    const POINT antenna = At(0.0, 50.0), crp = At(0.0, 0.0);
    EXPECT_EQ(canvas->At(antenna.x, antenna.y), ViewGallery::kGreen); // the receiver's symbol
    EXPECT_EQ(canvas->At(crp.x, crp.y), ViewGallery::kGreen);         // "CRP 1" at the reference point
    EXPECT_EQ(canvas->At(At(100, 100).x, At(100, 100).y), ViewGallery::kRed);
    EXPECT_EQ(canvas->At(At(100, -100).x, At(100, -100).y), ViewGallery::kBlue);
    EXPECT_EQ(canvas->At(At(-150, 0).x, At(-150, 0).y), kYellow);
    EXPECT_TRUE(Near(At(-150.0 + 40.0, 0.0), kYellow)); // the crane's radius
    EXPECT_EQ(canvas->At(At(-150, -150).x, At(-150, -150).y), kCyan);
    EXPECT_TRUE(Near(At(-100.0, -100.0), kCyan)); // the line from the weight to where it lies
    EXPECT_EQ(canvas->At(At(0, -250).x, At(0, -250).y), kMagenta); // the trail
    EXPECT_EQ(canvas->At(At(200, 200).x, At(200, 200).y), kMagenta); // the tug, its own colour
    EXPECT_TRUE(Near(At(200, 200), ViewGallery::kWhite, 9));                       // outlined white
    EXPECT_GT(CountAll(ViewGallery::kLabelBox), 0);

    // Heading unknown: trail, receiver and crane only; the ground stays elsewhere.
    NewCanvas();
    vessel.m_Heading = -1.0;
    view->DrawVesselLayers();
    ASSERT_TRUE(canvas->Save("objects-vessel-no-heading"));
    EXPECT_EQ(canvas->At(antenna.x, antenna.y), ViewGallery::kGreen);
    EXPECT_FALSE(Drawn(crp, 3));
    EXPECT_EQ(canvas->At(At(0, -250).x, At(0, -250).y), kMagenta);
    EXPECT_FALSE(Drawn(At(-150, 0), 3)); // a crane shows without a heading only at its receiver
    CGps craneGps;
    craneGps.Restart();
    craneGps.m_AntennaEasting = ViewGallery::kOriginE - 150.0;
    craneGps.m_AntennaNorthing = ViewGallery::kOriginN + 60.0;
    CGpsArray cranes;
    cranes.Add(&craneGps);
    view->SetCrane(&cranes);
    view->DrawVesselLayers();
    EXPECT_EQ(canvas->At(At(-150, 60).x, At(-150, 60).y), kYellow);
    EXPECT_FALSE(Near(At(-150, 30), kYellow, 1)); // no line from the crane point
    view->SetCrane(nullptr);
    for (const POINT p : {At(100, 100), At(100, -100), At(-150, -150), At(200, 200)})
        EXPECT_FALSE(Drawn(p, 3)) << p.x << "," << p.y;

    // Decluttered: the symbols stay, no label box is drawn.
    NewCanvas();
    vessel.m_Heading = 0.0;
    view->SetDeclutter(true);
    view->DrawVesselLayers();
    EXPECT_EQ(canvas->At(At(100, 100).x, At(100, 100).y), ViewGallery::kRed);
    EXPECT_EQ(CountAll(ViewGallery::kLabelBox), 0);

    // Without a receiver list no antenna is drawn.
    NewCanvas();
    view->SetVessel(&vessel, nullptr);
    view->DrawVesselLayers();
    EXPECT_FALSE(Drawn(antenna, 3));
}

TEST_F(GalleryObjects, RangeRingsAndTheirLabels)
{
    TargetPlotOptionsDef options;
    options.NauticalMiles = true;
    options.RadiusNM = 0.25;
    options.NoRings = 3;
    CStringArray labels;
    RangeRingLabels(options, labels);
    ASSERT_EQ(labels.GetSize(), 3);
    EXPECT_STREQ(labels[0], "0.25Nm");
    EXPECT_STREQ(labels[1], "0.5Nm");
    EXPECT_STREQ(labels[2], "0.75Nm");
    options.NauticalMiles = false;
    options.RadiusMetres = 100.0;
    options.NoRings = 6;
    RangeRingLabels(options, labels);
    ASSERT_EQ(labels.GetSize(), 6);
    EXPECT_STREQ(labels[0], "");
    EXPECT_STREQ(labels[1], "200m");
    EXPECT_STREQ(labels[3], "400m");
    EXPECT_STREQ(labels[4], "");
    EXPECT_STREQ(labels[5], "600m");

    // Three rings of 50 m, a zone line at bearing 90 alone (start and stop equal), labels off
    // so that the probes see only lines.
    options.NoRings = 3;
    options.RadiusMetres = 50.0;
    options.RingColour = ViewGallery::kGreen;
    options.DisplayLabels = options.LabelRings = false;
    options.DrawZoneLines = true;
    options.StartZoneLine = options.StopZoneLine = 90.0;
    options.ZoneLineColour = ViewGallery::kRed;
    DrawRangeRings(view->GetPlot(), 320, 240, 0.0, options, 0.8);
    ASSERT_TRUE(canvas->Save("objects-range-rings"));
    for (int ring = 1; ring <= 3; ++ring)
        EXPECT_TRUE(Near(POINT{320, 240 + ring * 40}, ViewGallery::kGreen)) << ring;
    EXPECT_TRUE(Near(POINT{320 + 20, 240}, ViewGallery::kRed));  // the zone radius, east
    EXPECT_FALSE(Near(POINT{320 - 20, 240}, ViewGallery::kRed)); // not on to the west
    EXPECT_FALSE(Drawn(POINT{320, 240 + 140}, 2));  // no fourth ring

    // The compass letters turn with the chart: turned by 90 degrees, the "E" that stood to the
    // east stands at the top, the same glyph.
    options.DrawZoneLines = false;
    options.DisplayLabels = true;
    options.CardinalColour = kYellow;
    auto glyph = [&](double angle, const CRect& area) {
        NewCanvas();
        DrawRangeRings(view->GetPlot(), 320, 240, angle, options, 0.8);
        const QImage image = canvas->Image();
        QRect box;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (ColorRefFromQRgb(image.pixel(x, y)) == kYellow)
                    box |= QRect(x, y, 1, 1);
        return box.isEmpty() ? QImage() : image.copy(box);
    };
    const QImage east = glyph(0.0, CRect(320 + 100, 240 - 30, 320 + 190, 240 + 30));
    const QImage top = glyph(90.0, CRect(320 - 30, 240 - 190, 320 + 30, 240 - 100));
    const QImage west = glyph(90.0, CRect(320 - 190, 240 - 30, 320 - 100, 240 + 30));
    ASSERT_FALSE(east.isNull());
    EXPECT_EQ(top, east);
    EXPECT_NE(west, east); // "N" now
}

TEST_F(GalleryObjects, AnchorStretchLeavesItsTransparentPixels)
{
    CAnchorPattern anchors;
    AnchorPatternDef anchor;
    anchor.Active = true;
    anchor.Status = ANCHOR_STATUS_LAID;
    anchor.Name = "A1";
    anchor.Position = tagXY{ViewGallery::kOriginE + 100.0, ViewGallery::kOriginN};
    anchor.VesselSide = tagXY{ViewGallery::kOriginE, ViewGallery::kOriginN};
    anchor.Touchdown.Add(tagXY{ViewGallery::kOriginE - 100.0, ViewGallery::kOriginN});
    anchors.Add(anchor);
    view->DrawAnchors(&anchors);
    view->DrawAnchors(nullptr);
    ASSERT_TRUE(canvas->Save("objects-anchors"));

    // The touchdown cell stretched to 20 × 20 about its point: where the strip's mask is white
    // the ground shows; where it is black, the picture's colour.
    const QImage strip = view->GetBitmap(0).ToImage();
    const POINT t = At(-100.0, 0.0);
    int ground = 0, drawn = 0;
    for (int dy = 0; dy < 20; ++dy)
        for (int dx = 0; dx < 20; ++dx)
        {
            const int sx = 4 * 16 + dx * 16 / 20, sy = dy * 16 / 20;
            const bool clear = strip.pixelColor(sx, 16 + sy) == QColor(Qt::white);
            const COLORREF at = canvas->At(t.x - 10 + dx, t.y - 10 + dy);
            if (clear)
                ground += at == ViewGallery::kGround;
            else
                drawn += at != ViewGallery::kGround;
        }
    EXPECT_GT(ground, 250);
    EXPECT_GT(drawn, 20);
    // The laid anchor: its line from the vessel side and its red mark.
    EXPECT_TRUE(Near(At(50.0, 0.0), anchors.m_StatusPens[2].Colour));
    EXPECT_GT(Count(CRect(At(100, 0).x - 10, At(100, 0).y - 10, At(100, 0).x + 10, At(100, 0).y + 10), ViewGallery::kRed), 0);
}

TEST_F(GalleryObjects, TransitFixOfThreeLegs)
{
    TransitFixDef fix;
    fix.TransitCount = 3;
    const tagXY points[6] = {{-200, 100}, {-200, 0}, {-200, -100}, {200, -100}, {200, 0}, {0, 0}};
    for (int i = 0; i < 6; ++i)
        fix.TransitPoints[i] = tagXY{ViewGallery::kOriginE + points[i].x, ViewGallery::kOriginN + points[i].y};
    fix.TransitPoints[5] = tagXY{0.0, 0.0}; // one zero point: transit 3 is not drawn
    fix.FixPosition = tagXY{ViewGallery::kOriginE, ViewGallery::kOriginN + 150.0};
    fix.Radius = 25.0;
    view->DrawTransitFix(&fix);
    ASSERT_TRUE(canvas->Save("objects-transit-fix"));
    EXPECT_TRUE(Near(At(0.0, 0.0), 0xC0C0C0));   // 1 to 4 and 2 to 5 cross here
    EXPECT_TRUE(Near(At(100.0, -50.0), 0xC0C0C0)); // on 1 to 4
    EXPECT_TRUE(Near(At(100.0, 0.0), 0xC0C0C0));   // on 2 to 5
    EXPECT_FALSE(Near(At(-219.4, -146.1), 0xC0C0C0, 2)); // 3 towards the zero point
    EXPECT_TRUE(Near(At(0.0, 150.0), kMagenta));  // the cross at the fix
    EXPECT_TRUE(Near(At(0.0, 175.0), kMagenta));  // its circle
    // Five numbered labels: five boxes.
    int boxes = 0;
    for (int i = 0; i < 5; ++i)
    {
        const POINT p = At(points[i].x, points[i].y);
        boxes += Count(CRect(p.x - 20, p.y - 40, p.x + 20, p.y), ViewGallery::kLabelBox) > 0;
    }
    EXPECT_EQ(boxes, 5);
}

TEST_F(GalleryObjects, LaserWithoutAReadingIsSkipped)
{
    MakeVessel(0.0);
    vessel.m_RefSystems.AddPoint(Point("Laser", 0.0, 0.0, kYellow));
    CLaser laser;
    laser.Mode = 0;
    laser.Position = tagXY{ViewGallery::kOriginE - 100.0, ViewGallery::kOriginN + 100.0};
    CLaserArray lasers;
    lasers.Add(&laser);
    view->SetLaser(&lasers);
    view->DrawLaser();
    EXPECT_EQ(CountAll(ViewGallery::kGround), 640 * 480);

    laser.HasReading = true;
    laser.Latest = LaserReadingDef{3, true, 141.0, tagXY{ViewGallery::kOriginE, ViewGallery::kOriginN + 200.0}};
    view->DrawLaser();
    ASSERT_TRUE(canvas->Save("objects-laser"));
    EXPECT_EQ(canvas->At(At(-100, 100).x, At(-100, 100).y), kYellow); // the laser
    EXPECT_EQ(canvas->At(At(0, 200).x, At(0, 200).y), kYellow);       // its prism
}

TEST_F(GalleryObjects, TrainingObjectsAndVelocityVectors)
{
    ObjectDef object{tagXY{ViewGallery::kOriginE + 50.0, ViewGallery::kOriginN}, 90.0};
    view->DrawObject(&object, kYellow);
    ObjectDef unplaced{};
    view->DrawObject(&unplaced, ViewGallery::kRed);
    view->DrawObject(nullptr, ViewGallery::kRed);
    EXPECT_EQ(canvas->At(At(50, 0).x, At(50, 0).y), kYellow);
    EXPECT_EQ(CountAll(ViewGallery::kRed), 0);

    CXYArray vector;
    vector.Add(tagXY{ViewGallery::kOriginE - 100.0, ViewGallery::kOriginN - 100.0});
    vector.Add(tagXY{ViewGallery::kOriginE - 50.0, ViewGallery::kOriginN - 100.0});
    vector.Add(tagXY{ViewGallery::kOriginE, ViewGallery::kOriginN - 100.0});
    CPen pen(PS_SOLID, 1, ViewGallery::kGreen);
    view->DrawVelocityVector(&vector, &pen, true, POINT{0, 5});
    const POINT tick = At(-50.0, -100.0);
    EXPECT_EQ(canvas->At(tick.x, tick.y + 4), ViewGallery::kGreen);
    EXPECT_TRUE(Near(At(-75.0, -100.0), ViewGallery::kGreen));
}

TEST_F(GalleryObjects, OutlineBowUpAndSternUpAndTheTargetBox)
{
    // A 40 × 10 m outline, its bow 30 m ahead of the reference point, heading east.
    MakeVessel(90.0);
    // The receiver 50 m east puts the reference point, 50 m behind the antenna, at the origin;
    // the antenna's symbols are hidden so that the outline shows.
    gps.m_AntennaEasting = ViewGallery::kOriginE + 50.0;
    gps.m_AntennaNorthing = ViewGallery::kOriginN;
    vessel.m_Antennas[0]->SetSymbolSize(SYMBOL_NONE);
    vessel.m_OutlineMode = 1;
    vessel.m_OutlineColour = ViewGallery::kGreen;
    vessel.m_OutlineFill = -1;
    for (const OutlinePointDef& p : {OutlinePointDef{0, -5.0, -10.0}, OutlinePointDef{1, 5.0, -10.0},
                                     OutlinePointDef{1, 5.0, 30.0}, OutlinePointDef{1, -5.0, 30.0}})
        vessel.m_OutlineShape.Add(p);
    CGridPlot& plot = *view->GetPlot();
    const struct
    {
        bool bow;
        int dy; // where the bow shows: above the reference point bow-up, below stern-up
    } cases[] = {{true, -20}, {false, 20}};
    for (const auto& c : cases)
    {
        NewCanvas();
        view->SetBowUp(c.bow);
        plot.SetOrientation(90);
        view->DrawVesselLayers();
        ASSERT_TRUE(canvas->Save(c.bow ? "objects-outline-bow-up" : "objects-outline-stern-up"));
        const POINT crp = plot.GridToScreenPoint(ViewGallery::kOriginE, ViewGallery::kOriginN);
        EXPECT_EQ(canvas->At(crp.x, crp.y + c.dy), ViewGallery::kGreen) << c.bow;
        EXPECT_NE(canvas->At(crp.x, crp.y - c.dy), ViewGallery::kGreen) << c.bow;
    }

    // The target box: four lines through the box corners, in the ring colour.
    NewCanvas();
    view->SetNorthUp(true);
    plot.SetOrientation(0);
    vessel.m_PlotOptions.ShapeBox = true;
    vessel.m_PlotOptions.RingColour = ViewGallery::kBlue;
    const tagXY corners[4] = {{100, 100}, {100, -100}, {-100, -100}, {-100, 100}};
    for (int i = 0; i < 4; ++i)
        vessel.m_BoxCorner[i] = tagXY{ViewGallery::kOriginE + corners[i].x, ViewGallery::kOriginN + corners[i].y};
    view->DrawTarget(&vessel);
    view->DrawTarget(nullptr);
    for (const POINT p : {At(100, 0), At(0, -100), At(-100, 0), At(0, 100)})
        EXPECT_TRUE(Near(p, ViewGallery::kBlue)) << p.x << "," << p.y;
}

// The template stands where its primary CRP source puts it: one index chooses the source for
// the positioning pane and the chart alike.
TEST_F(GalleryObjects, TemplateAtItsPrimaryCrpSource)
{
    CTemplate tpl;
    tpl.m_Heading = 0.0;
    tpl.m_OutlineMode = 1;
    tpl.m_OutlineColour = ViewGallery::kGreen;
    tpl.m_OutlineFill = -1;
    for (const OutlinePointDef& p : {OutlinePointDef{0, -10.0, -10.0}, OutlinePointDef{1, 10.0, -10.0},
                                     OutlinePointDef{1, 10.0, 10.0}, OutlinePointDef{1, -10.0, 10.0}})
        tpl.m_OutlineShape.Add(p);
    tpl.m_Positions[0] = tagXY{ViewGallery::kOriginE - 100.0, ViewGallery::kOriginN};
    tpl.m_Positions[3] = tagXY{ViewGallery::kOriginE + 100.0, ViewGallery::kOriginN};
    view->SetTemplate(&tpl, nullptr);
    for (int primary : {3, 0})
    {
        NewCanvas();
        tpl.m_PrimaryGps = primary;
        view->DrawTemplateLayers();
        const double at = primary == 3 ? 100.0 : -100.0;
        EXPECT_TRUE(Near(At(at, 0.0), ViewGallery::kGreen, 40)) << primary;
        EXPECT_FALSE(Near(At(-at, 0.0), ViewGallery::kGreen, 40)) << primary;
    }
    view->SetTemplate(nullptr, nullptr);
}

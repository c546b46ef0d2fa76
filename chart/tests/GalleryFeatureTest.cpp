// Gallery scenes of the survey features as the chart view draws them: waypoint rings, route
// corridors and leg labels, design routes being edited, sail lines, boundaries, structures,
// the pipe route's KP ticks and the terrain model's coverage. Pixels are probed where the
// plot's transform puts the features.
#include "ViewFixture.h"

#include "chart/view/GridView.h"
#include "features/BoundaryList.h"
#include "features/DesignRouteList.h"
#include "features/Dtm.h"
#include "features/GridWaypointList.h"
#include "features/PipelineList.h"
#include "features/RouteList.h"
#include "features/SailLineList.h"
#include "features/StructureList.h"
#include "platform/core/Path.h"
#include "platform/ui/Colour.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>


namespace
{
class GalleryFeature : public ViewGallery::ViewGalleryFixture
{
};
} // namespace

TEST_F(GalleryFeature, WaypointRingsAtTheirRingSize)
{
    CGridWaypoint file;
    file.m_Use = true;
    file.m_DrawRings = true;
    file.m_NoRings = 3;
    file.m_RingSizeMetres = 50.0;
    file.m_RingColour = ViewGallery::kRed;
    file.m_Symbol = VECTOR_FILLED_CIRCLE;
    file.m_Size = SYMBOL_SMALL;
    file.m_Colour = ViewGallery::kGreen;
    file.m_LabelMode = LABEL_MODE_NAME;
    file.m_LabelPosition = LABEL_POS_BOTTOM;
    file.Add(GridWaypointDef{ViewGallery::kOriginE, ViewGallery::kOriginN, 0.0, "Centre", 0.0});
    // A second waypoint whose symbol size is 0: neither symbol nor label.
    CGridWaypoint hidden;
    hidden.m_Use = true;
    hidden.m_DrawRings = false;
    hidden.m_Size = SYMBOL_NONE;
    hidden.m_Symbol = VECTOR_FILLED_CIRCLE;
    hidden.m_Colour = ViewGallery::kBlue;
    hidden.m_LabelMode = LABEL_MODE_NAME;
    hidden.m_LabelPosition = LABEL_POS_BOTTOM;
    hidden.Add(GridWaypointDef{ViewGallery::kOriginE - 250.0, ViewGallery::kOriginN + 200.0, 0.0, "Hidden", 0.0});
    ViewGallery::Borrowed<CGridWaypointList> waypoints;
    waypoints.list.Add(&file);
    waypoints.list.Add(nullptr);
    waypoints.list.Add(&hidden);

    view->DrawWaypoints(&waypoints.list);
    view->DrawWaypoints(nullptr);
    ASSERT_TRUE(canvas->Save("feature-waypoint-rings"));

    for (double radius : {50.0, 100.0, 150.0})
    {
        EXPECT_TRUE(Near(At(radius, 0.0), ViewGallery::kRed)) << radius;
        EXPECT_TRUE(Near(At(0.0, -radius), ViewGallery::kRed)) << radius;
        EXPECT_TRUE(Near(At(-radius * M_SQRT1_2, radius * M_SQRT1_2), ViewGallery::kRed, 2)) << radius;
    }
    EXPECT_FALSE(Drawn(At(200.0, 0.0), 2)); // no fourth ring
    EXPECT_FALSE(Drawn(At(25.0, 0.0), 2));  // no ring of the waypoint's zero radius
    EXPECT_EQ(canvas->At(At(0, 0).x, At(0, 0).y), ViewGallery::kGreen);
    EXPECT_GT(Count(CRect(At(0, 0).x - 40, At(0, 0).y, At(0, 0).x + 40, At(0, 0).y + 40), ViewGallery::kLabelBox), 0);

    const POINT h = At(-250.0, 200.0);
    EXPECT_FALSE(Drawn(h, 3));
    EXPECT_EQ(Count(CRect(h.x - 60, h.y - 60, h.x + 60, h.y + 60), ViewGallery::kLabelBox), 0);
}

TEST_F(GalleryFeature, RouteCorridorLineAndLegLabel)
{
    CRoute route;
    route.m_Status = true;
    route.m_DisplayCorridor = true;
    route.m_PortWidth = 40.0;
    route.m_StarboardWidth = 40.0;
    route.m_CorridorColour = ViewGallery::kGreen;
    route.m_CorridorFill = -1;
    route.m_Pen = tagPen{0, 2, ViewGallery::kRed, -2};
    route.m_VectorSymbol = VECTOR_FILLED_SQUARE;
    route.m_SymbolSize = SYMBOL_SMALL;
    route.m_LabelMode = LABEL_MODE_NONE;
    route.m_ShowLegLabel = true;
    RouteDef a, b;
    a.Position = tagXY{ViewGallery::kOriginE - 200.0, ViewGallery::kOriginN};
    b.Position = tagXY{ViewGallery::kOriginE + 200.0, ViewGallery::kOriginN};
    ComputeLegGeometry(a.Position.x, a.Position.y, b.Position.x, b.Position.y, &a.Leg);
    a.PortCorridor = tagXY{a.Position.x, a.Position.y + 40.0};
    a.StarboardCorridor = tagXY{a.Position.x, a.Position.y - 40.0};
    b.PortCorridor = tagXY{b.Position.x, b.Position.y + 40.0};
    b.StarboardCorridor = tagXY{b.Position.x, b.Position.y - 40.0};
    route.Add(a);
    route.Add(b);
    ViewGallery::Borrowed<CRouteList> routes;
    routes.list.Add(&route);

    view->DrawRoutes(&routes.list, true);
    ASSERT_TRUE(canvas->Save("feature-route-corridor"));

    EXPECT_EQ(canvas->At(At(-100.0, 20.0).x, At(-100.0, 20.0).y), ViewGallery::kGreen);   // inside the corridor
    EXPECT_EQ(canvas->At(At(-100.0, -20.0).x, At(-100.0, -20.0).y), ViewGallery::kGreen); // both sides
    EXPECT_FALSE(Drawn(At(-100.0, 60.0), 2));                                 // outside it
    EXPECT_TRUE(Near(At(-100.0, 0.0), ViewGallery::kRed));                                 // the route line
    // The leg label's box stands at the mid-point.
    EXPECT_GT(Count(CRect(At(0, 0).x - 30, At(0, 0).y - 20, At(0, 0).x + 30, At(0, 0).y + 20), ViewGallery::kLabelBox), 20);

    // Without point labels or leg labels no label box; without the show flag nothing at all.
    NewCanvas();
    route.m_ShowLegLabel = false;
    view->DrawRoutes(&routes.list, false);
    EXPECT_EQ(CountAll(ViewGallery::kLabelBox), 0);
    NewCanvas();
    route.m_Status = false;
    view->DrawRoutes(&routes.list, true);
    EXPECT_EQ(CountAll(ViewGallery::kGround), 640 * 480);
}

TEST_F(GalleryFeature, DesignRouteMarkedInItsEditMode)
{
    CDesignRoute route;
    route.m_Status = true;
    route.m_Pen = tagPen{0, 1, ViewGallery::kRed, -2};
    RouteDef start, end;
    start.Position = tagXY{ViewGallery::kOriginE - 150.0, ViewGallery::kOriginN - 100.0};
    end.Position = tagXY{ViewGallery::kOriginE + 150.0, ViewGallery::kOriginN + 100.0};
    route.Add(start);
    route.Add(end);
    ViewGallery::Borrowed<CDesignRouteList> routes;
    routes.list.Add(&route);

    view->DrawDesignRoutes(&routes.list);
    EXPECT_TRUE(Near(At(0.0, 0.0), ViewGallery::kRed));
    EXPECT_EQ(CountAll(ViewGallery::kWhite), 0);

    NewCanvas();
    CGridView::SetEditMode(EDIT_DESIGN_ROUTES);
    view->m_PickType = FEATURE_DESIGN_ROUTE;
    view->m_PickFileIndex = 0;
    view->m_PickPointIndex = 1;
    view->DrawDesignRoutes(&routes.list);
    ASSERT_TRUE(canvas->Save("feature-design-route-edit"));
    // Both ends marked white, each labelled below; the picked end's mark is the larger.
    const POINT s = At(-150.0, -100.0), e = At(150.0, 100.0);
    EXPECT_EQ(canvas->At(s.x, s.y), ViewGallery::kWhite);
    EXPECT_TRUE(Near(e, ViewGallery::kWhite));
    const int small = Count(CRect(s.x - 12, s.y - 12, s.x + 13, s.y + 6), ViewGallery::kWhite);
    const int large = Count(CRect(e.x - 12, e.y - 12, e.x + 13, e.y + 6), ViewGallery::kWhite);
    EXPECT_GT(large, small);
    EXPECT_GT(Count(CRect(s.x - 60, s.y + 5, s.x + 60, s.y + 40), ViewGallery::kLabelBox), 0);
    EXPECT_GT(Count(CRect(e.x - 80, e.y + 5, e.x + 80, e.y + 70), ViewGallery::kLabelBox), 0);
}

TEST_F(GalleryFeature, SailLinesSkipTheirUnsetEnds)
{
    CSailLine file;
    file.m_Status = true;
    file.m_Pen = tagPen{0, 1, ViewGallery::kGreen, -2};
    SailLineDef drawn{}, fromZero{}, point{};
    drawn.Start = tagXY{ViewGallery::kOriginE - 200.0, ViewGallery::kOriginN + 50.0};
    drawn.End = tagXY{ViewGallery::kOriginE + 200.0, ViewGallery::kOriginN + 50.0};
    fromZero.Start = tagXY{0.0, 0.0}; // crosses the view on its way to its end
    fromZero.End = tagXY{2.0 * ViewGallery::kOriginE, 2.0 * ViewGallery::kOriginN}; // through the centre of the view
    point.Start = point.End = tagXY{ViewGallery::kOriginE, ViewGallery::kOriginN};
    file.Add(drawn);
    file.Add(fromZero);
    file.Add(point);
    ViewGallery::Borrowed<CSailLineList> lines;
    lines.list.Add(&file);

    view->DrawSailLine(&lines.list, nullptr);
    ASSERT_TRUE(canvas->Save("feature-sail-lines"));
    EXPECT_TRUE(Near(At(0.0, 50.0), ViewGallery::kGreen));
    EXPECT_EQ(CountAll(ViewGallery::kGreen), Count(CRect(0, At(0, 50).y - 1, 640, At(0, 50).y + 2), ViewGallery::kGreen));

    // In the sail-line edit mode only the current file's ends are marked; a current index
    // outside the list is cleared.
    lines.list.m_EditFileIndex = 3;
    CGridView::SetEditMode(EDIT_SAIL_LINES);
    NewCanvas();
    view->DrawSailLine(&lines.list, nullptr);
    EXPECT_EQ(lines.list.m_EditFileIndex, -1);
    EXPECT_EQ(CountAll(ViewGallery::kWhite), 0);
    lines.list.m_EditFileIndex = 0;
    view->DrawSailLine(&lines.list, nullptr);
    EXPECT_TRUE(Near(At(-200.0, 50.0), ViewGallery::kWhite));
    EXPECT_TRUE(Near(At(200.0, 50.0), ViewGallery::kWhite));
}

TEST_F(GalleryFeature, BoundaryFilledAndMarked)
{
    CBoundary boundary;
    boundary.m_Status = true;
    boundary.m_Pen = tagPen{0, 1, ViewGallery::kBlue, -1};
    for (const tagXY& p : {tagXY{-100, -100}, tagXY{100, -100}, tagXY{100, 100}, tagXY{-100, 100}})
        boundary.Add(tagXY{ViewGallery::kOriginE + p.x, ViewGallery::kOriginN + p.y});
    boundary.BuildVertexBuffer();
    ViewGallery::Borrowed<CBoundaryList> boundaries;
    boundaries.list.Add(&boundary);

    view->DrawBoundary(&boundaries.list);
    ASSERT_TRUE(canvas->Save("feature-boundary"));
    EXPECT_EQ(canvas->At(At(50, 50).x, At(50, 50).y), ViewGallery::kBlue);
    EXPECT_FALSE(Drawn(At(150, 0), 2));

    CGridView::SetEditMode(EDIT_BOUNDARIES);
    view->DrawBoundary(&boundaries.list);
    for (const POINT p : {At(-100, -100), At(100, 100)})
        EXPECT_TRUE(Near(p, ViewGallery::kWhite));
}

TEST_F(GalleryFeature, StructureTurnsAlikeForEquivalentHeadings)
{
    auto* shape = new CStructureShape;
    ASSERT_TRUE(shape->Open(WindowsPathFromLinux(QString(SUITE_SOURCE_DIR "/chart/tests/data/shape_geometry.dxf"))));
    while (shape->ReadSection())
    {
    }
    shape->Close();
    ASSERT_TRUE(shape->IsWhole());
    shape->m_FilePath = "C:\\Shapes\\Platform.dxf";
    shape->m_MinX = shape->m_HeaderMin.x;
    shape->m_MinY = shape->m_HeaderMin.y;
    shape->m_MaxX = shape->m_HeaderMax.x;
    shape->m_MaxY = shape->m_HeaderMax.y;
    CStructureList structures;
    structures.m_Shapes.AddTail(shape);
    auto* file = new CStructure;
    file->m_Status = true;
    StructureDef record{};
    record.ShapeIndex = 1;
    record.Shape = shape->GetName();
    record.Show = true;
    record.Position = tagXY{ViewGallery::kOriginE, ViewGallery::kOriginN};
    record.Length = 280.0; // twice the drawing's larger extent
    file->Add(record);
    structures.Add(file);

    auto draw = [&](double heading, const char* name) {
        file->ElementAt(0).Heading = heading;
        NewCanvas();
        view->DrawStructures(&structures);
        EXPECT_TRUE(canvas->Save(name));
        return canvas->Image();
    };
    const QImage turned = draw(30.0, "feature-structure-30");
    const QImage negative = draw(-330.0, "feature-structure-minus-330");
    const QImage unturned = draw(0.0, "feature-structure-0");
    EXPECT_EQ(turned, negative);
    EXPECT_NE(turned, unturned);

    // A structure whose shape is not in the store draws nothing.
    file->ElementAt(0).Shape = "Elsewhere";
    file->ElementAt(0).ShapeIndex = 0;
    NewCanvas();
    view->DrawStructures(&structures);
    EXPECT_EQ(CountAll(ViewGallery::kGround), 640 * 480);
}

TEST_F(GalleryFeature, PipeRouteWithItsKpTicks)
{
    CPipeline pipeline;
    pipeline.m_Use = true;
    pipeline.m_PipelinePen = tagPen{0, 1, ViewGallery::kRed, -2};
    for (double e : {ViewGallery::kOriginE - 200.0, ViewGallery::kOriginE + 200.0})
    {
        PipelineDef point{};
        point.Easting = e;
        point.Northing = ViewGallery::kOriginN;
        pipeline.Add(point);
    }
    KPListingDef kp{};
    kp.Easting = ViewGallery::kOriginE;
    kp.Northing = ViewGallery::kOriginN;
    kp.OffsetX = 0;
    kp.OffsetY = 10;
    kp.Label = "1.5";
    pipeline.m_KPListing.Add(kp);

    view->DrawPipeRoute(&pipeline);
    view->DrawPipeRoute(nullptr);
    ASSERT_TRUE(canvas->Save("feature-pipe-route"));
    EXPECT_TRUE(Near(At(-100, 0), ViewGallery::kRed));
    const POINT o = At(0, 0);
    for (int dy = 2; dy < 10; ++dy)
        EXPECT_EQ(canvas->At(o.x, o.y + dy), ViewGallery::kWhite) << dy;
    // The KP text starts right of and below the tick's end.
    EXPECT_GT(Count(CRect(o.x + 10, o.y + 10, o.x + 40, o.y + 30), ViewGallery::kWhite), 0);
}

TEST_F(GalleryFeature, TerrainCoverageCrossesAtTheSamplePoints)
{
    // A 100 × 80 m terrain of 1 m cells, depths everywhere but its western half's northern
    // quarter.
    CDtm dtm;
    dtm.m_bDisplayCoverage = true;
    dtm.m_FileName[0] = "C:\\terrain.xyz";
    dtm.m_Pen[0] = tagPen{0, 1, ViewGallery::kGreen, -2};
    dtm.m_Header.EastingMin = ViewGallery::kOriginE;
    dtm.m_Header.NorthingMin = ViewGallery::kOriginN;
    dtm.m_Header.CellSize = 1.0;
    dtm.m_Header.Columns = 101;
    dtm.m_Header.Rows = 81;
    ASSERT_TRUE(dtm.AllocateGrid());
    for (int row = 0; row < 81; ++row)
        for (int column = 0; column < 101; ++column)
            if (!(column < 50 && row > 60))
                dtm.m_pCells[row * 101 + column] = 1000;
    double* extent = dtm.m_Header.Extent[0];
    extent[0] = ViewGallery::kOriginE, extent[1] = ViewGallery::kOriginN, extent[2] = ViewGallery::kOriginE + 100.0, extent[3] = ViewGallery::kOriginN + 80.0;

    view->DrawDtm(&dtm);
    ASSERT_TRUE(canvas->Save("feature-dtm-coverage"));

    // Ten pixels at 0.8 pixels a metre are 12.5 m: the step is 13 cells.
    const double step = 13.0;
    for (double e = step; e < 100.0; e += step)
    {
        for (double n = step; n < 80.0; n += step)
        {
            const POINT p = At(e, n);
            const bool known = dtm.GetDepth(ViewGallery::kOriginE + e, ViewGallery::kOriginN + n) != DBL_MAX;
            SCOPED_TRACE(testing::Message() << e << ", " << n);
            EXPECT_EQ(canvas->At(p.x + 1, p.y) == ViewGallery::kGreen && canvas->At(p.x, p.y - 1) == ViewGallery::kGreen, known);
        }
    }
    // The extent's outline.
    EXPECT_TRUE(Near(At(50.0, 80.0), ViewGallery::kGreen));

    // Without depths only the extent is drawn.
    NewCanvas();
    dtm.Unload();
    dtm.m_Header.CellSize = 1.0;
    dtm.m_Header.Extent[0][0] = ViewGallery::kOriginE, dtm.m_Header.Extent[0][1] = ViewGallery::kOriginN;
    dtm.m_Header.Extent[0][2] = ViewGallery::kOriginE + 100.0, dtm.m_Header.Extent[0][3] = ViewGallery::kOriginN + 80.0;
    view->DrawDtm(&dtm);
    EXPECT_TRUE(Near(At(50.0, 80.0), ViewGallery::kGreen));
    EXPECT_FALSE(Drawn(At(39.0, 39.0), 2));
}

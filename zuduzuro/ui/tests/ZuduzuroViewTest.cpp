// The side view: anchors computed by the real computation over flat, sloping and gapped
// seabeds, rendered at three window sizes with pixels probed where the view's own scales put
// them; the pointer readout, the keys, the hit test, printing and the picture view.
#include "zuduzuro/Anchor.h"
#include "zuduzuro/ui/ImageView.h"
#include "zuduzuro/ui/ZuduzuroResources.h"
#include "zuduzuro/ui/ZuduzuroView.h"

#include "features/Dtm.h"
#include "features/tests/FeatureTestFiles.h"
#include "foundation/WindowMessages.h"
#include "platform/core/Path.h"
#include "platform/core/Sync.h"
#include "outside/input/InputDouble.h"
#include "platform/ui/Colour.h"
#include "platform/ui/Dc.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ModalHook.h"
#include "platform/ui/StatusBar.h"
#include "platform/core/WinApp.h"
#include "testsupport/ExternalTools.h"
#include "testsupport/RecordingOwner.h"
#include "testsupport/TempDrives.h"
#include "testsupport/UserInput.h"

#include <QApplication>
#include <QFileInfo>
#include <QWidget>
#include <QDir>
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#ifndef SUITE_VISUAL_DIR
#define SUITE_VISUAL_DIR "visual/zuduzuro"
#endif

using namespace featuretest;

namespace
{
const double kE = 500000.0, kN = 6000000.0;

COLORREF At(const QImage& image, int x, int y)
{
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return CLR_INVALID;
    return ColorRefFromQRgb(image.pixel(x, y));
}

// Pixels of a colour in a rectangle of the image.
int Count(const QImage& image, const QRect& area, COLORREF colour)
{
    int count = 0;
    for (int y = std::max(0, area.top()); y <= std::min(image.height() - 1, area.bottom()); ++y)
        for (int x = std::max(0, area.left()); x <= std::min(image.width() - 1, area.right()); ++x)
            count += At(image, x, y) == colour ? 1 : 0;
    return count;
}

void SavePng(const QImage& image, const char* name)
{
    QDir().mkpath(SUITE_VISUAL_DIR);
    image.save(QString(SUITE_VISUAL_DIR) + "/" + name + ".png", "PNG");
}

// A crossing of the cable line: a pipeline (kind 1) or an obstruction (kind 0) at a distance
// (m) on a seabed depth (m), its reach, height and height with clearance (m).
ObstructionDef Crossing(int kind, double distance, double seabedDepth, double reach, double height = 0.0,
                        double withClearance = 0.0)
{
    ObstructionDef crossing{};
    crossing.nKind = kind;
    crossing.Distance = distance;
    crossing.SeabedDepth = seabedDepth;
    crossing.Reach = reach;
    crossing.Height = height;
    crossing.HeightWithClearance = withClearance;
    return crossing;
}

enum SEABED
{
    FLAT,
    SLOPING,
    GAPPED
};

// An On Bottom (or Live) anchor 1000 m east of the fairlead over the seabed asked for, with a
// lower section, computed by the program's own computation.
void MakeAnchor(CAnchor& a, CDtm& dtm, SEABED seabed, int status = ANCHOR_ON_BOTTOM, int buoys = 0)
{
    a.m_Name = "Port Bow";
    a.m_FairleadEasting = kE;
    a.m_FairleadNorthing = kN;
    a.m_FairleadLevel = 5.0;
    a.m_Status = status;
    a.m_Tension = 40.0;
    a.m_Cable.bUseUpperSection = false;
    a.m_Cable.LowerWeight = 100.0;
    a.m_Cable.LowerLength = buoys > 0 ? 600.0 : 1500.0;
    a.m_WaterDepth = 80.0;
    if (seabed == SLOPING)
        a.m_DepthAtAnchor = 120.0;
    if (seabed == GAPPED)
    {
        // Terrain along the line with a gap from 400 to 700 m: filled from the depth before it.
        dtm.m_Header.EastingMin = kE - 100.0;
        dtm.m_Header.NorthingMin = kN - 100.0;
        dtm.m_Header.CellSize = 10.0;
        dtm.m_Header.Columns = 300;
        dtm.m_Header.Rows = 21;
        ASSERT_TRUE(dtm.AllocateGrid());
        for (int32_t r = 0; r < 21; ++r)
            for (int32_t c = 0; c < 300; ++c)
            {
                const double x = c * 10.0 - 100.0;
                dtm.m_pCells[r * 300 + c] =
                    (x > 400.0 && x < 700.0) ? DTM_NO_DEPTH : static_cast<int32_t>((80.0 + x / 50.0) * 100);
            }
        a.m_pDtm = &dtm;
    }
    for (int b = 0; b < buoys; ++b)
    {
        BuoyDef& buoy = a.m_Buoys[b];
        buoy.bUseBuoy = true;
        buoy.PennantWireLength = 20.0;
        buoy.Cable.bUseUpperSection = false;
        buoy.Cable.LowerWeight = 100.0;
        buoy.Cable.LowerLength = 500.0;
    }
    const int own = a.m_Status;
    a.m_Status = ANCHOR_ON_BOTTOM;
    a.SetAnchorPosition(kE + 1000.0, kN);
    a.SetTugPosition(kE + 1000.0, kN);
    a.m_Status = own;
    a.ComputeZuduzuro();
}

// The view in a host frame that stands for the program's main window, with its status bar.
class SideView : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateOwner(900, 700, "Zuduzuro"));
        owner.SetAsMainWindow(true);
        ASSERT_TRUE(bar.Create(&owner));
        const UINT ids[] = {ID_SEPARATOR, 40101, 40102, 40103, 40104, 40105, 40106, 40107};
        ASSERT_TRUE(bar.SetIndicators(ids, 8));
        view = new CZuduzuroView;
        ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 800, 600), &owner, 1));
    }
    void TearDown() override
    {
        owner.SetAsMainWindow(false);
    }
    void Link(CAnchor& a) { view->SetData(&a, 3.0, &lock, &bar); }
    // "Print" from the context menu, the print dialog answered with a PDF file.
    void PrintTo(CAnchor& a, const char* pdf)
    {
        Link(a);
        PRINT_DIALOG_ANSWER print;
        print.outputFile = pdf;
        ModalHook::AnswerPrintDialog(print);
        ModalHook::AnswerMenu(ID_ZUDUZURO_PRINT);
        view->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(100, 100));
    }
    // The user's way to the view's keys: a click in the sky above the plot (no anchor there
    // to hit), which must give the view the focus, then keys to whatever widget has it.
    void ClickView()
    {
        UserInput::ClickClient(view, 400, 20);
        ASSERT_EQ(CWnd::GetFocus(), view);
        ASSERT_EQ(QApplication::focusWidget(), view->GetWidget());
        owner.Clear();
    }
    void Key(int key, unsigned int modifiers = Qt::NoModifier)
    {
        owner.Clear();
        UserInput::Key(key, modifiers);
    }

    CWinApp app{"Zuduzuro"};
    CRecordingOwner owner;
    CStatusBar bar;
    CMutex lock;
    CZuduzuroView* view = nullptr; // deleted with its window
};
} // namespace

TEST(SideViewScales, ExtentsAndPixels)
{
    struct Case
    {
        double range, second, extent;
    } cases[] = {{0, 0, 1000}, {-5, -1, 1000}, {500, 0, 1000}, {1000, 0, 1500}, {1000, 2600, 3000},
                 {std::nan(""), 0, 1000}};
    for (const Case& c : cases)
        EXPECT_EQ(CZuduzuroView::ExtentFor(c.range, c.second), c.extent) << c.range << " " << c.second;
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(CZuduzuroView::ToPixels(1.9, 1.0), 1);
    EXPECT_EQ(CZuduzuroView::ToPixels(-1.9, 1.0), -1);
    EXPECT_EQ(CZuduzuroView::ToPixels(std::nan(""), 1.0), 0);
    EXPECT_EQ(CZuduzuroView::ToPixels(inf, 1.0), 1 << 30);
    EXPECT_EQ(CZuduzuroView::ToPixels(-1e300, 1e10), -(1 << 30));
    EXPECT_EQ(CZuduzuroView::ToPixels(DBL_MAX, 0.5), 1 << 30);
}

TEST_F(SideView, RendersWaterSkyAndSeabedAtEverySize)
{
    CAnchor a;
    CDtm dtm;
    MakeAnchor(a, dtm, SLOPING);
    Link(a);
    for (QSize size : {QSize(800, 600), QSize(1920, 1080), QSize(3840, 2160)})
    {
        view->m_ZoomLevel = -1.0;
        const QImage image = view->RenderImage(size.width(), size.height());
        SavePng(image, QString("side_sloping_%1").arg(size.width()).toLatin1().constData());
        const CRect plot = view->m_PlotRect;
        // The plot keeps most of the window at every size.
        EXPECT_GT(plot.Width(), size.width() / 2) << size.width();
        EXPECT_GT(plot.bottom, size.height() / 2) << size.width();
        // The largest zoom fits the depth into the plot.
        EXPECT_EQ(view->m_ZoomLevel, view->m_LargestZoom);
        EXPECT_EQ(view->m_VerticalScale, view->m_HorizontalScale * view->m_ZoomLevel);
        const double deepest = a.m_SeabedProfile.m_MaxDepth;
        const int water = plot.bottom - static_cast<int>(deepest * view->m_VerticalScale);
        EXPECT_EQ(plot.top, water);
        const int x = plot.left + plot.Width() / 3;
        EXPECT_EQ(At(image, x, water - 3), CZuduzuroView::kColourTable[4]) << "sky above the water line";
        EXPECT_EQ(At(image, x, water + 3), CZuduzuroView::kColourTable[2]) << "water below it";
        // The straight seabed, not from the terrain: solid colour 5, no hatch.
        EXPECT_EQ(At(image, x, plot.bottom - 2), CZuduzuroView::kColourTable[5]);
        EXPECT_EQ(Count(image, QRect(plot.left, plot.bottom - 3, plot.Width(), 3), CZuduzuroView::kColourTable[3]), 0);
    }
    // A resize makes the next pass fit the largest zoom again.
    view->m_ZoomLevel = 1.0;
    view->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(800, 600));
    EXPECT_EQ(view->m_ZoomLevel, -1.0);
}

TEST_F(SideView, SeabedFromTheTerrainIsHatched)
{
    CAnchor a;
    CDtm dtm;
    MakeAnchor(a, dtm, GAPPED);
    ASSERT_TRUE(a.m_ProfileFromDtm);
    Link(a);
    const QImage image = view->RenderImage(1920, 1080);
    SavePng(image, "side_gapped_1920");
    const CRect plot = view->m_PlotRect;
    const COLORREF hatch = CZuduzuroView::kColourTable[3], back = CZuduzuroView::kColourTable[5];
    // Under the terrain's depths: hatch lines on colour 5; under the gap: solid colour 5.
    auto area = [&](double from, double to) {
        const int x1 = plot.left + static_cast<int>(from * view->m_HorizontalScale);
        const int x2 = plot.left + static_cast<int>(to * view->m_HorizontalScale);
        return QRect(x1, plot.bottom - 12, x2 - x1, 10);
    };
    EXPECT_GT(Count(image, area(100, 300), hatch), 20);
    EXPECT_GT(Count(image, area(100, 300), back), 20);
    EXPECT_EQ(Count(image, area(450, 650), hatch), 0);
    EXPECT_GT(Count(image, area(450, 650), back), 100);
}

TEST_F(SideView, CrossingsCableAndSymbols)
{
    CAnchor a;
    CDtm dtm;
    MakeAnchor(a, dtm, FLAT, ANCHOR_ON_BOTTOM, 1);
    ASSERT_EQ(a.m_BuoysInUse, 1);
    const ObstructionDef pipe = Crossing(1, 600.0, 80.0, 6.0, 0.5); // thinner than 6 pixels
    const ObstructionDef box = Crossing(0, 300.0, 80.0, 8.0, 4.0, 10.0);
    a.m_Crossings.Add(pipe);
    a.m_Crossings.Add(box);
    Link(a);
    const QImage image = view->RenderImage(1920, 1080);
    SavePng(image, "side_crossings_1920");
    const CRect plot = view->m_PlotRect;
    const double h = view->m_HorizontalScale, v = view->m_VerticalScale;
    auto column = [&](double x) { return plot.left + static_cast<int>(x * h); };
    auto row = [&](double z) { return plot.top + static_cast<int>(z * v); };
    const COLORREF green = CZuduzuroView::kColourTable[12], magenta = CZuduzuroView::kColourTable[13];

    // The pipeline's outline peaks at depth z - r over its distance.
    EXPECT_GT(Count(image, QRect(column(600) - 2, row(74) - 2, 5, 5), green), 0);
    EXPECT_EQ(Count(image, QRect(column(600) - 2, row(74) - 12, 5, 5), green), 0);
    // Its marker stands at least 6 pixels high on the seabed.
    EXPECT_GT(Count(image, QRect(column(600) - 3, row(80) - 6, 7, 3), green), 0);
    // The obstruction's box: its top at z - height with clearance.
    EXPECT_GT(Count(image, QRect(column(300) - 2, row(70) - 1, 5, 3), magenta), 0);
    // The labels on colour 5 below the plot, centred on each distance.
    EXPECT_GT(Count(image, QRect(column(600) - 10, plot.bottom, 21, 8), CZuduzuroView::kColourTable[5]), 10);

    // The cable: hanging in colour 9, on the seabed in colour 10.
    const QRect cableArea(plot.left, plot.top, plot.Width(), plot.Height());
    EXPECT_GT(Count(image, cableArea, CZuduzuroView::kColourTable[9]), 20);
    EXPECT_GT(Count(image, cableArea, CZuduzuroView::kColourTable[10]), 20);

    // The buoy symbol at its column above the water line, the sky showing in its cell's corner.
    const int size = 2 * view->m_CharHeight;
    const int bx = column(a.m_Buoys[0].DistanceFromFairlead);
    // A buoy whose cable was bent to its pennant shows the flagged symbol.
    const COLORREF body = a.m_Buoys[0].bPennantAdjusted ? RGB(0xFF, 0x80, 0) : RGB(0xFF, 0xFF, 0);
    EXPECT_GT(Count(image, QRect(bx - size / 4, plot.top - size / 2, size / 2, size / 2), body), 5);
    // The symbol is drawn through its mask: the lower corner of its cell shows the sky.
    EXPECT_EQ(At(image, bx - size / 2 + 1, plot.top - 2), CZuduzuroView::kColourTable[4]);
}

// Every text of the view (range and depth labels, crossing labels, dimension labels, the zoom and
// the text block) lies inside the view and clear of the others: a crossing under a range label,
// two crossings side by side, the range label at the view's right edge, with and without a buoy.
TEST_F(SideView, LabelsStayInsideTheViewAndApart)
{
    for (int buoys : {0, 1})
    {
        CAnchor a;
        CDtm dtm;
        MakeAnchor(a, dtm, FLAT, ANCHOR_ON_BOTTOM, buoys);
        for (double distance : {500.0, 515.0, 860.0})
        {
            a.m_Crossings.Add(Crossing(distance == 860.0 ? 0 : 1, distance, 80.0, 4.0, 1.0, 3.0));
        }
        Link(a);
        for (const QSize size : {QSize(640, 480), QSize(1024, 700), QSize(1920, 1080)})
        {
            const QImage image = view->RenderImage(size.width(), size.height());
            const std::vector<CRect>& labels = view->m_LabelRects;
            // Range labels every 250 m of 1500, five depth labels, three crossings, the dimension
            // lines, the zoom and the text block.
            EXPECT_GE(labels.size(), 14u) << buoys << " buoys at " << size.width();
            for (size_t i = 0; i < labels.size(); ++i)
            {
                const CRect& r = labels[i];
                EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= size.width() && r.bottom <= size.height())
                    << "label " << i << " (" << r.left << "," << r.top << "," << r.right << "," << r.bottom
                    << ") leaves the " << size.width() << " x " << size.height() << " view, " << buoys << " buoys";
                for (size_t k = i + 1; k < labels.size(); ++k)
                {
                    const CRect& o = labels[k];
                    EXPECT_FALSE(r.left < o.right && o.left < r.right && r.top < o.bottom && o.top < r.bottom)
                        << "labels " << i << " and " << k << " overlap at " << size.width() << ", " << buoys << " buoys";
                }
            }
            if (size.width() == 1024)
                SavePng(image, buoys ? "side_labels_buoy_1024" : "side_labels_1024");
        }
    }
}

// The cable runs from the fairlead, above the water, to the anchor, though no seabed point falls
// on the anchor; the anchor lies on the seabed drawn under it, whatever depth it was given.
TEST_F(SideView, TheCableRunsFromTheFairleadToTheAnchorLyingOnTheSeabed)
{
    CAnchor a;
    CDtm unused;
    MakeAnchor(a, unused, FLAT);
    // A terrain of 50 m cells, 80 m deep: the seabed's points lie every 50 m, and the anchor
    // 1025 m out lies half-way between two of them.
    CDtm dtm;
    dtm.m_Header.EastingMin = kE - 100.0;
    dtm.m_Header.NorthingMin = kN - 100.0;
    dtm.m_Header.CellSize = 50.0;
    dtm.m_Header.Columns = 60;
    dtm.m_Header.Rows = 5;
    ASSERT_TRUE(dtm.AllocateGrid());
    for (int32_t i = 0; i < 60 * 5; ++i)
        dtm.m_pCells[i] = 8000;
    a.m_pDtm = &dtm;
    a.SetAnchorPosition(kE + 1025.0, kN);
    a.ComputeZuduzuro();
    const INT_PTR n = a.m_SeabedProfile.GetIndexAtRange(a.m_Range);
    ASSERT_GT(n, 0);
    const double lastShort = a.m_SeabedProfile[n - 1].Range;
    ASSERT_LT(lastShort, a.m_Range - 1.0);
    a.m_DepthAtAnchor = 95.0; // 15 m under the seabed drawn, as a depth left from before
    Link(a);
    const QImage image = view->RenderImage(3840, 2160);
    SavePng(image, "side_cable_ends_3840");
    const CRect plot = view->m_PlotRect;
    const double h = view->m_HorizontalScale, v = view->m_VerticalScale;
    auto column = [&](double x) { return plot.left + static_cast<int>(x * h); };
    auto row = [&](double z) { return plot.top + static_cast<int>(z * v); };
    const COLORREF hanging = CZuduzuroView::kColourTable[9], lying = CZuduzuroView::kColourTable[10];

    // At the fairlead, 5 m above the water line, the cable starts.
    EXPECT_GT(Count(image, QRect(plot.left, row(-5.0) - 2, 3, 5), hanging), 0);
    // On the seabed it runs on past the last seabed point short of the anchor, to the anchor.
    const QRect end(column(lastShort) + 3, row(80.0) - 3, column(a.m_Range) - column(lastShort) - 3, 7);
    ASSERT_GT(end.width(), 2);
    EXPECT_GT(Count(image, end, lying), 0);
    EXPECT_EQ(Count(image, QRect(column(a.m_Range) + 3, row(80.0) - 3, 10, 7), lying), 0);

    // The anchor symbol's navy ring tops out at the seabed's row, not 15 m below it.
    const int size = 2 * view->m_CharHeight;
    int firstNavy = -1;
    for (int y = 0; y < image.height() && firstNavy < 0; ++y)
        for (int x = column(a.m_Range) - size / 2; x <= column(a.m_Range) + size / 2 && firstNavy < 0; ++x)
            if (At(image, x, y) == RGB(0, 0, 0x80))
                firstNavy = y;
    EXPECT_NEAR(firstNavy, row(80.0) + size / 32, 2);
}

TEST_F(SideView, LabelsCapTheirValue)
{
    WriteBytes(InSettings("Units_Mode.INI"), "Mode = 1\r\nTable = 0\r\nSub Unit = 0\r\n");
    CAnchor a;
    CDtm dtm;
    MakeAnchor(a, dtm, FLAT);
    EXPECT_EQ(CZuduzuroView::CrossingLabel(40000.0), "100000Ft."); // 131 234 ft
    EXPECT_EQ(CZuduzuroView::CrossingLabel(30.48), "100Ft.");
}

TEST_F(SideView, SeabedWithoutDepthsShowsTheFailureBox)
{
    CAnchor a;
    a.m_Name = "Stern";
    a.m_Status = ANCHOR_ON_BOTTOM;
    a.m_StatusText = "No DTM";
    a.m_SeabedProfile.AddPointAtRange(kE, kN, DBL_MAX, 0.0, 0);
    a.m_SeabedProfile.AddPointAtRange(kE + 10, kN, DBL_MAX, 10.0, 0);
    a.m_SeabedProfile.m_MaxDepth = DBL_MAX;
    Link(a);
    const QImage image = view->RenderImage(1920, 1080);
    SavePng(image, "side_failure_1920");
    EXPECT_EQ(At(image, 5, 1075), RGB(0, 0, 0));
    const QRect upper(0, 0, 1920, 540), lower(0, 540, 1920, 540);
    EXPECT_GT(Count(image, QRect(860, 400, 200, 280), 0x004040), 100);
    EXPECT_GT(Count(image, upper, CZuduzuroView::kColourTable[23]), 50); // "Anchor : Stern"
    EXPECT_GT(Count(image, lower, CZuduzuroView::kColourTable[0]), 50);  // "No DTM"
}

TEST_F(SideView, PointerReadoutOnThePlotAndOffIt)
{
    CAnchor a;
    CDtm dtm;
    MakeAnchor(a, dtm, FLAT);
    Link(a);
    view->RenderImage(800, 600);
    const CRect plot = view->m_PlotRect;
    owner.Clear();
    view->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(plot.right, plot.bottom));
    EXPECT_EQ(owner.Messages(), (std::vector<POSTED_MESSAGE>{{"UM_ZUDUZURO_MOUSE_DATA", 0, 0}}));
    CString range;
    range.Format("%.0lf", (plot.right - plot.left) / view->m_HorizontalScale);
    EXPECT_EQ(bar.GetPaneText(2), range);
    EXPECT_EQ(bar.GetPaneText(6), "0.0");
    CString depth;
    depth.Format("%.1lf", (plot.bottom - plot.top) / view->m_VerticalScale);
    EXPECT_EQ(bar.GetPaneText(4), depth);

    bar.SetPaneText(2, "");
    owner.Clear();
    view->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(plot.right + 1, plot.bottom));
    view->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(plot.left, plot.top - 1));
    EXPECT_TRUE(owner.Messages().empty());
    EXPECT_EQ(bar.GetPaneText(2), "");
}

TEST_F(SideView, KeysAfterAClickZoomAndStepTheTension)
{
    CAnchor a;
    CDtm dtm;
    MakeAnchor(a, dtm, FLAT);
    Link(a);
    ClickView();
    const POSTED_MESSAGE zoomIn{"UM_ZUDUZURO_ZOOM_DATA", 0, 1}, zoomOut{"UM_ZUDUZURO_ZOOM_DATA", 0, -1};
    // The keypad's keys come as Qt gives them, with the keypad flag.
    const struct
    {
        int key;
        unsigned int modifiers;
        POSTED_MESSAGE expected;
    } zooms[] = {{Qt::Key_PageUp, Qt::NoModifier, zoomIn},    {Qt::Key_I, Qt::NoModifier, zoomIn},
                 {Qt::Key_9, Qt::KeypadModifier, zoomIn},     {Qt::Key_Plus, Qt::KeypadModifier, zoomIn},
                 {Qt::Key_PageDown, Qt::NoModifier, zoomOut}, {Qt::Key_O, Qt::NoModifier, zoomOut},
                 {Qt::Key_Slash, Qt::KeypadModifier, zoomOut}, {Qt::Key_Minus, Qt::KeypadModifier, zoomOut}};
    for (const auto& z : zooms)
    {
        Key(z.key, z.modifiers);
        EXPECT_EQ(owner.Messages(), std::vector<POSTED_MESSAGE>{z.expected}) << z.key;
    }

    // Up and Down change the tension and post; Down stops at 1.0.
    a.m_PositionCurrent = false;
    Key(Qt::Key_Up);
    EXPECT_DOUBLE_EQ(a.m_Tension, 40.1);
    EXPECT_TRUE(a.m_PositionCurrent);
    EXPECT_EQ(owner.Messages(), (std::vector<POSTED_MESSAGE>{{"UM_UPDATE_ZUDUZURO_DATA", 0, 0}}));
    Key(Qt::Key_Down);
    EXPECT_NEAR(a.m_Tension, 40.0, 1e-12);
    EXPECT_EQ(owner.Messages().size(), 1u);
    a.m_Tension = 1.0;
    Key(Qt::Key_Down);
    EXPECT_EQ(a.m_Tension, 1.0);
    EXPECT_TRUE(owner.Messages().empty());
}

TEST_F(SideView, WaterDepthKeysAskAndTheViewKeepsTheKeys)
{
    CAnchor a;
    CDtm dtm;
    MakeAnchor(a, dtm, FLAT);
    Link(a);
    ClickView();
    auto answer = [](const char* text) {
        ModalHook::AnswerDialog(IDD_INPUT_DOUBLE, [=](CDialog* dlg) {
            if (text)
                dlg->SetDlgItemText(IDC_INPUT_VALUE, text);
            dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
            return static_cast<INT_PTR>(IDOK);
        });
    };
    const double before = a.m_WaterDepth;
    // Unchanged: nothing posted.
    answer(nullptr);
    Key(Qt::Key_W);
    EXPECT_TRUE(owner.Messages().empty());
    EXPECT_EQ(a.m_WaterDepth, before);
    // Refused: not a number, or outside 0 to 100000 m; the old depth stays and the user is told.
    for (const char* text : {"deep", "-1", "100001"})
    {
        answer(text);
        ModalHook::AnswerMessageBox(IDOK);
        Key(Qt::Key_F8);
        EXPECT_TRUE(owner.Messages().empty()) << text;
        EXPECT_EQ(a.m_WaterDepth, before) << text;
        EXPECT_EQ(ModalHook::Shown().back().kind, MODAL_RECORD::MessageBox) << text;
        EXPECT_NE(ModalHook::Shown().back().text.Find("0 to 100000 m"), -1) << text;
    }
    // After the dialogs the view still has the keys: the next W goes to it.
    EXPECT_EQ(CWnd::GetFocus(), view);
    answer("95.5");
    Key(Qt::Key_W);
    EXPECT_EQ(a.m_WaterDepth, 95.5);
    EXPECT_EQ(owner.Messages(), (std::vector<POSTED_MESSAGE>{{"UM_UPDATE_ZUDUZURO_DATA", 0, -1}}));
}

TEST_F(SideView, HitTestOfALiveAnchor)
{
    CAnchor a;
    CDtm dtm;
    MakeAnchor(a, dtm, FLAT, ANCHOR_LIVE, 1);
    ASSERT_EQ(a.m_BuoysInUse, 1);
    a.m_DepthAtAnchor = 80.0;
    Link(a);
    view->RenderImage(1920, 1080);
    const CRect plot = view->m_PlotRect;
    const int anchor = plot.left + static_cast<int>(a.m_Range * view->m_HorizontalScale);
    const int buoy = plot.left + static_cast<int>(a.m_Buoys[0].DistanceFromFairlead * view->m_HorizontalScale);
    const int seabed = plot.top + static_cast<int>(80.0 * view->m_VerticalScale);
    struct Case
    {
        int x, y, kind, buoy;
    } cases[] = {
        {anchor + 8, plot.top - 16, CZuduzuroView::HIT_SURFACE, -1},
        {anchor - 16, seabed + 32, CZuduzuroView::HIT_ANCHOR, -1},
        {buoy - 8, plot.top - 10, CZuduzuroView::HIT_BUOY, 0},
        {buoy + 9, plot.top - 10, CZuduzuroView::HIT_NONE, -1},
    };
    for (const Case& c : cases)
    {
        view->HitTest(CPoint(c.x, c.y));
        EXPECT_EQ(view->m_Pointer.nKind, c.kind) << c.x << "," << c.y;
        EXPECT_EQ(view->m_Pointer.nBuoy, c.buoy) << c.x << "," << c.y;
    }
}

TEST_F(SideView, PrintsThroughTheReportWriter)
{
    if (PdfText(QString()).isNull() && !QFileInfo::exists("/usr/bin/pdftotext"))
        GTEST_SKIP() << "pdftotext is missing";
    struct Case
    {
        const char* mode;
        const char* heading;
    } cases[] = {{"Mode = 2\r\n", "Anchor Port Bow Tension : 392.3 kN"},
                 {"Mode = 0\r\n", "Anchor Port Bow Tension : 40.00 Tons"}};
    for (const Case& c : cases)
    {
        WriteBytes(InSettings("Tension_Mode.INI"), c.mode);
        CAnchor a;
        CDtm dtm;
        MakeAnchor(a, dtm, FLAT);
        PrintTo(a, "C:\\side.pdf");
        const QByteArray text = PdfText(LinuxPathFromWindows("C:\\side.pdf"));
        QByteArray simplified = text.simplified();
        EXPECT_TRUE(simplified.contains(c.heading)) << simplified.constData();
        EXPECT_EQ(ModalHook::Shown().back().kind, MODAL_RECORD::PrintDialog);
    }
}

// With no printer installed, "Print" offers a PDF file to print to, named after the anchor, and
// writes nothing anywhere else. The PDF is a readable copy of the view: its texts whole, the
// cable drawn in its colours at a width that shows on paper, the anchor on the seabed as its
// symbol, not on a black square.
TEST_F(SideView, PrintsToAPdfFileChosenWhenNoPrinterIsInstalled)
{
    CAnchor a;
    CDtm dtm;
    MakeAnchor(a, dtm, FLAT);
    a.m_Crossings.Add(Crossing(1, 600.0, 80.0, 6.0, 0.5));
    Link(a);
    ASSERT_TRUE(QDir().mkpath(LinuxPathFromWindows("C:\\Prints")));
    ModalHook::AnswerMenu(ID_ZUDUZURO_PRINT);
    ModalHook::AnswerFileDialog({"C:\\Prints\\side.pdf"});
    view->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(100, 100));

    ASSERT_GE(ModalHook::Shown().size(), 2u);
    const MODAL_RECORD& chooser = ModalHook::Shown().back();
    EXPECT_EQ(chooser.kind, MODAL_RECORD::FileDialog);
    EXPECT_STREQ(chooser.caption, "Print to PDF");
    EXPECT_FALSE(chooser.open);
    EXPECT_STREQ(chooser.fileName, "Anchor Port Bow.pdf");
    const QString pdf = LinuxPathFromWindows("C:\\Prints\\side.pdf");
    ASSERT_TRUE(QFileInfo::exists(pdf));
    EXPECT_FALSE(QFileInfo::exists(LinuxPathFromWindows("C:\\Anchor Port Bow.pdf"))) << "a file written unasked";

    const QByteArray text = PdfText(pdf).simplified();
    if (text.isNull())
        GTEST_SKIP() << "pdftotext (poppler-utils) is missing";
    for (const char* whole : {"Anchor Port Bow Tension", "Rng: 1000 m", "Cable:", "250 m", "1500 m", "600 m", "80 m"})
        EXPECT_TRUE(text.contains(whole)) << whole << " is not whole in: " << text.constData();

    const QImage page = PdfPage(pdf, 100);
    ASSERT_FALSE(page.isNull());
    SavePng(page, "side_printed_100dpi");
    // The plot: where the page is the view's blue.
    QRect plot;
    int cable = 0, anchor = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
        {
            const QColor c = page.pixelColor(x, y);
            if (c == QColor(0, 0, 255))
                plot |= QRect(x, y, 1, 1);
            cable += c.red() > 230 && c.green() > 230 && c.blue() < 40;    // hanging: yellow
            cable += c.red() > 230 && c.green() < 40 && c.blue() < 40;     // on the seabed: red
            anchor += c.red() < 30 && c.green() < 30 && c.blue() > 100 && c.blue() < 160; // navy
        }
    ASSERT_FALSE(plot.isEmpty());
    // About 1000 m of cable over a plot of some 900 pixels, two paper points wide (3 pixels).
    EXPECT_GT(cable, plot.width() * 2) << "the cable is a hairline";
    EXPECT_GT(anchor, 20) << "no anchor symbol";
    int black = 0;
    for (int y = plot.top(); y <= plot.bottom(); ++y)
        for (int x = plot.left(); x <= plot.right(); ++x)
        {
            const QColor c = page.pixelColor(x, y);
            black += c.red() < 20 && c.green() < 20 && c.blue() < 20;
        }
    EXPECT_LT(black, anchor) << "the symbols stand on black squares";
}

TEST_F(SideView, SavesTheViewAsABitmap)
{
    CAnchor a;
    CDtm dtm;
    MakeAnchor(a, dtm, FLAT);
    Link(a);
    ModalHook::AnswerMenu(ID_ZUDUZURO_BMP_FILE);
    ModalHook::AnswerFileDialog({"C:\\Pictures\\side.bmp"});
    QDir().mkpath(LinuxPathFromWindows("C:\\Pictures"));
    view->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(100, 100));
    QImage saved(LinuxPathFromWindows("C:\\Pictures\\side.bmp"));
    ASSERT_FALSE(saved.isNull());
    CRect client;
    view->GetClientRect(&client);
    EXPECT_EQ(saved.width(), client.Width());

    // A folder that is not there: the user is told and nothing is left behind.
    ModalHook::AnswerMenu(ID_ZUDUZURO_BMP_FILE);
    ModalHook::AnswerFileDialog({"C:\\Missing\\side.bmp"});
    ModalHook::AnswerMessageBox(IDOK);
    view->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(100, 100));
    EXPECT_EQ(ModalHook::Shown().back().kind, MODAL_RECORD::MessageBox);
    EXPECT_FALSE(QDir(LinuxPathFromWindows("C:\\Missing")).exists());
}

TEST(SymbolStrip, CellsAndMasks)
{
    const QImage strip = SymbolStripImage();
    ASSERT_EQ(strip.size(), QSize(224, 64));
    for (int cell : {SYMBOL_ANCHOR, SYMBOL_BUOY, SYMBOL_LIVE_ANCHOR, SYMBOL_SECOND, SYMBOL_FLAGGED_BUOY})
    {
        int symbol = 0, clear = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = cell; x < cell + 32; ++x)
            {
                const bool masked = strip.pixel(x, y + 32) == qRgb(0, 0, 0);
                symbol += masked ? 1 : 0;
                // Where the mask lets the picture through, the image is black so XOR leaves it.
                if (!masked)
                    clear += strip.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
            }
        EXPECT_GT(symbol, 30) << cell;
        EXPECT_EQ(symbol + clear, 32 * 32) << cell;
    }
}

TEST(ImageView, PictureSizeAndPaint)
{
    EXPECT_EQ(CImageView::PixelSize(8467, 5292, 96), CSize(320, 200));
    EXPECT_EQ(CImageView::PixelSize(2540, 1, 100), CSize(100, 0));
    const QString path = LinuxPathFromWindows("C:\\Vertical Offset.bmp");
    ASSERT_TRUE(VerticalOffsetPicture().save(path, "BMP"));
    CImageView view;
    EXPECT_FALSE(view.LoadPicture("C:\\missing.bmp"));
    ASSERT_TRUE(view.LoadPicture("C:\\Vertical Offset.bmp"));
    EXPECT_NEAR(view.m_Size.cx, 320, 1);
    EXPECT_NEAR(view.m_Size.cy, 200, 1);

    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, 500, 300);
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 500, 300, RGB(255, 0, 0));
    view.Render(&dc, CRect(0, 0, 500, 300));
    dc.SelectObject(old);
    const QImage image = bitmap.ToImage();
    EXPECT_EQ(At(image, 450, 250), RGB(255, 255, 255)); // white past the picture
    EXPECT_EQ(At(image, 10, 190), RGB(0x80, 0xC0, 0xFF)); // the picture's water at its top left
}

TEST_F(SideView, DrawsOnlyWhatItHas)
{
    // Not linked: nothing drawn.
    const QImage blank = view->RenderImage(400, 300);
    EXPECT_EQ(Count(blank, QRect(0, 0, 400, 300), RGB(0, 0, 0)), 400 * 300);

    // Planned: the text block, frame, scales and seabed, but no cable and no crossing.
    CAnchor a;
    CDtm dtm;
    MakeAnchor(a, dtm, SLOPING);
    a.m_Crossings.Add(Crossing(1, 600.0, 100.0, 6.0));
    a.m_Status = ANCHOR_PLANNED;
    Link(a);
    const QImage image = view->RenderImage(1920, 1080);
    const QRect all(0, 0, 1920, 1080);
    EXPECT_GT(Count(image, all, CZuduzuroView::kColourTable[5]), 1000);
    const CRect plot = view->m_PlotRect;
    const QRect water(plot.left, plot.top, plot.Width(), plot.Height());
    EXPECT_EQ(Count(image, water, CZuduzuroView::kColourTable[9]), 0);
    EXPECT_EQ(Count(image, all, CZuduzuroView::kColourTable[12]), 0);
}

TEST_F(SideView, APrintThatCannotBeMadeIsTold)
{
    CAnchor a;
    CDtm dtm;
    MakeAnchor(a, dtm, FLAT);
    ModalHook::AnswerMessageBox(IDOK);
    PrintTo(a, "C:\\No Such Folder\\side.pdf");
    ASSERT_FALSE(ModalHook::Shown().empty());
    EXPECT_EQ(ModalHook::Shown().back().kind, MODAL_RECORD::MessageBox);
    EXPECT_FALSE(QFileInfo::exists(LinuxPathFromWindows("C:\\No Such Folder\\side.pdf")));
}

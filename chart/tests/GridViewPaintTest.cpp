// The chart view as a window: its paint under the host's mutex, layers in order, DIG colours,
// the capture paint and its message, captions, and the double click's messages.
#include "ChartWindowFixture.h"
#include "Gallery.h"

#include "chart/objects/EblList.h"
#include "chart/view/GridView.h"
#include "features/BoundaryList.h"
#include "features/Dig.h"
#include "features/DigList.h"
#include "features/GridWaypointList.h"
#include "foundation/Folders.h"
#include "foundation/WindowMessages.h"
#include "platform/core/Path.h"
#include "platform/core/WinApp.h"
#include "platform/ui/Colour.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/RecordingOwner.h"

#include <QDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace
{
using GridViewPaint = ChartWindow::ChartWindowFixture;
} // namespace

TEST_F(GridViewPaint, LaterLayersCoverEarlierOnesAndNothingWithoutAMutex)
{
    CBoundary* boundary = new CBoundary;
    boundary->m_Pen = tagPen{0, 1, 0xFF0000, -1};
    for (const tagXY& p : {tagXY{-100, -100}, tagXY{100, -100}, tagXY{100, 100}, tagXY{-100, 100}})
        boundary->Add(tagXY{ChartWindow::kOriginE + p.x, ChartWindow::kOriginN + p.y});
    boundary->BuildVertexBuffer();
    CBoundaryList boundaries;
    boundaries.Add(boundary);
    CGridWaypoint* waypoints = new CGridWaypoint;
    waypoints->m_Use = true;
    waypoints->m_DrawRings = false;
    waypoints->m_Symbol = VECTOR_FILLED_SQUARE;
    waypoints->m_Size = SYMBOL_LARGE;
    waypoints->m_Colour = 0x00FF00;
    waypoints->m_LabelMode = LABEL_MODE_NONE;
    waypoints->Add(GridWaypointDef{ChartWindow::kOriginE, ChartWindow::kOriginN, 0.0, "W", 0.0});
    CGridWaypointList list;
    list.Add(waypoints);
    view->SetBoundaryList(&boundaries);
    view->SetWaypointList(&list);

    // No mutex: the paint draws nothing, whatever is set.
    view->Redraw();
    EXPECT_EQ(view->GetPlot()->pixelsPerMetre, 0.0);

    view->SetMutex(&mutex);
    Painted();
    QImage image = Painted();
    ASSERT_TRUE(image.save(GalleryCanvas::PathOf("paint-layers")));
    EXPECT_EQ(Pixel(image, At(50, 50)), 0xFF0000u);  // the boundary's fill
    EXPECT_EQ(Pixel(image, At(0, 0)), 0x00FF00u);    // the waypoint over it
    EXPECT_EQ(Pixel(image, At(200, 200)), ChartWindow::kGround);  // the ground, from the saved colour

    // A bearing line across the waypoint covers it.
    CEBLList ebls;
    auto* line = new CEBL;
    line->startX = ChartWindow::kOriginE - 150.0;
    line->startY = ChartWindow::kOriginN;
    line->endX = ChartWindow::kOriginE + 150.0;
    line->endY = ChartWindow::kOriginN;
    line->colour = 0x00FFFF;
    ebls.Add(line);
    view->SetEBL(&ebls);
    image = Painted();
    EXPECT_EQ(Pixel(image, At(0, 0)), 0x00FFFFu);
    view->SetEBL(nullptr);
}

// The paint against a host thread that holds its mutex: under the sanitizers too.
using GridViewPaintStress = GridViewPaint;

TEST_F(GridViewPaintStress, ThePaintWaitsForTheHostsMutex)
{
    view->SetMutex(&mutex);
    std::atomic<bool> held{false}, released{false};
    std::thread host([&] {
        CSingleLock lock(&mutex, TRUE);
        held = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        released = true;
    });
    while (!held)
        std::this_thread::yield();
    view->Redraw();
    EXPECT_TRUE(released);
    host.join();
    EXPECT_GT(view->GetPlot()->pixelsPerMetre, 0.0);
}

TEST_F(GridViewPaint, DigLinesByColourCode)
{
    // Four horizontal lines, 50 m apart, of codes 2, 0, 1 and 258.
    CDig* dig = new CDig;
    dig->SetShown(true);
    const int16_t codes[4] = {2, 0, 1, 258};
    for (int i = 0; i < 4; ++i)
    {
        const double n = ChartWindow::kOriginN + 100.0 - 50.0 * i;
        dig->Add(BinaryDigDef{ChartWindow::kOriginE - 200.0, n, static_cast<int16_t>(-1)});
        dig->Add(BinaryDigDef{ChartWindow::kOriginE + 200.0, n, codes[i]});
    }
    CDigList digs;
    digs.AddTail(dig);
    view->SetDigList(&digs);
    view->SetMutex(&mutex);
    Painted();
    const QImage image = Painted();
    ASSERT_TRUE(image.save(GalleryCanvas::PathOf("paint-dig-codes")));
    EXPECT_EQ(image.pixelColor(At(0, 100).x, At(0, 100).y), QColor(255, 0, 0));
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(Pixel(image, At(0, 100.0 - 50.0 * i)), 0x000000u) << codes[i];
    digs.RemoveAll();
    delete dig;
}

TEST_F(GridViewPaint, CaptureWritesTheGrabThenShowsItsMessageOutsideThePaint)
{
    view->SetMutex(&mutex);
    Painted();
    view->Capture();
    view->Redraw();
    EXPECT_FALSE(view->m_bCapture);
    // The grab went into the day's archive in the year's log folder.
    const QStringList archives =
        QDir(LinuxPathFromWindows(GetLogFolder(true))).entryList(QStringList() << "*.zip", QDir::Files);
    EXPECT_EQ(archives.size(), 1);
    EXPECT_EQ(view->GetPlot()->backgroundColour, ChartWindow::kGround);
    EXPECT_FALSE(view->GetPlot()->printing);
    // The message comes from the view's message queue, when the paint has let go of the mutex.
    std::atomic<bool> taken{false};
    ModalHook::AnswerMessageBox(IDOK);
    std::thread other([&] {
        CSingleLock lock(&mutex, TRUE);
        taken = true;
    });
    other.join();
    EXPECT_TRUE(taken);
    Pump();
}

TEST_F(GridViewPaint, DoubleClickPostsTheWholeIndicesOrEndsTheEdit)
{
    view->SetMutex(&mutex);
    CGridWaypointList list;
    for (int f = 0; f < 3; ++f)
    {
        auto* file = new CGridWaypoint;
        file->m_Use = true;
        file->SetSize(f == 2 ? 70001 : 1);
        for (INT_PTR i = 0; i < file->GetSize(); ++i)
            file->ElementAt(i) = GridWaypointDef{ChartWindow::kOriginE - 300.0, ChartWindow::kOriginN - 250.0, 0.0, "", 0.0};
        list.Add(file);
    }
    list[2]->ElementAt(70000) = GridWaypointDef{ChartWindow::kOriginE, ChartWindow::kOriginN, 0.0, "Far", 0.0};
    view->SetWaypointList(&list);
    Painted();
    owner.Clear();

    const POINT p = At(0, 0);
    view->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(p.x, p.y));
    const LPARAM indices = 2 | (static_cast<LPARAM>(70000) << 16);
    std::vector<POSTED_MESSAGE> expected = {{"UM_CLICK_ON_CHART", FEATURE_WAYPOINT, indices}};
    EXPECT_EQ(owner.Messages(), expected);

    owner.Clear();
    view->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(p.x + 200, p.y + 100)); // empty chart
    EXPECT_TRUE(owner.Messages().empty());

    CGridView::SetEditMode(EDIT_WAYPOINTS);
    view->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(p.x, p.y));
    expected = {{"UM_END_FEATURE_EDIT", 0, 0}};
    EXPECT_EQ(owner.Messages(), expected);
    EXPECT_EQ(CGridView::GetEditMode(), EDIT_NONE);
}

TEST_F(GridViewPaint, CaptionFromTheDrawings)
{
    CDigList digs;
    for (const char* name : {"C:\\Data\\Fifteen_chars_1.dig", "C:\\Data\\Fifteen_chars_2.dig", "C:\\Data\\Fifteen_chars_3.dig"})
    {
        auto* dig = new CDig;
        dig->m_FileName = name;
        digs.AddTail(dig);
    }
    CString caption;
    view->SetTitle();
    owner.GetWindowText(caption);
    EXPECT_STREQ(caption, "Navigation Display");
    // 51 characters joined: the first 30 and "..".
    view->SetDigList(&digs);
    view->SetTitle();
    owner.GetWindowText(caption);
    EXPECT_STREQ(caption, "Fifteen_chars_1 / Fifteen_char..");
    for (POSITION pos = digs.GetHeadPosition(); pos;)
        delete digs.GetNext(pos);
    digs.RemoveAll();
}

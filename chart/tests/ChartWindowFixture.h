// A chart view as a user has it: a 640 × 480 child of a host frame that is the application's
// main window and logs what is posted to it, at 1:5000 (0.8 pixels a metre on a
// 4-pixels-a-millimetre screen), the grid origin at the centre, no ticks, no north arrow.
// The view has no mutex until a test gives it one.
#pragma once

#include "chart/view/GridView.h"
#include "foundation/Folders.h"
#include "platform/core/WinApp.h"
#include "platform/ui/Colour.h"
#include "testsupport/RecordingOwner.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

namespace ChartWindow
{
constexpr COLORREF kGround = 0x402010;
constexpr double kOriginE = 1000.0, kOriginN = 2000.0;

class ChartWindowFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CDC::SetScreenSize(1000, 800);
        CDC::SetPixelsPerMillimetre(4.0);
        ASSERT_TRUE(owner.CreateOwner(640, 480));
        owner.SetAsMainWindow(true);
        view = new CGridView;
        ASSERT_TRUE(view->Create(&owner, static_cast<CChartexaStatusBar*>(nullptr)));
        view->MoveWindow(0, 0, 640, 480);
        CGridPlot& plot = *view->GetPlot();
        plot.scaleIndex = 14; // 0.8 pixels a metre
        plot.tickMode = TICK_NONE;
        plot.showNorthArrow = false;
        plot.trackObject = 0;
        plot.originE = kOriginE;
        plot.originN = kOriginN;
        view->SetBackgroundColour(kGround);
    }
    void TearDown() override
    {
        owner.SetAsMainWindow(false);
        CGridView::SetEditMode(EDIT_NONE);
        CDC::SetPixelsPerMillimetre(0.0);
        CDC::SetScreenSize(0, 0);
    }
    // What the user sees of the view: the first paint sets the scale, the second draws to it.
    QImage Painted()
    {
        view->Redraw();
        return view->GetWidget()->grab().toImage();
    }
    static COLORREF Pixel(const QImage& image, POINT p) { return ColorRefFromQRgb(image.pixel(p.x, p.y)); }
    POINT At(double dE, double dN) const { return view->GetPlot()->GridToScreenPoint(kOriginE + dE, kOriginN + dN); }

    CWinApp app{"ChartWindowTest"};
    CRecordingOwner owner;
    CGridView* view = nullptr; // a child of the owner, which destroys it
    CMutex mutex;
};

using Messages = std::vector<POSTED_MESSAGE>;

// The view painted once under its mutex, ready for the mouse, and a survey folder for the
// feature files it writes.
class ChartEditFixture : public ChartWindowFixture
{
protected:
    void SetUp() override
    {
        ChartWindowFixture::SetUp();
        view->SetMutex(&mutex);
        ASSERT_TRUE(CreateFolderPath(kFolder));
        Painted();
        owner.Clear();
    }
    static CString PathOf(const char* name) { return CString(kFolder) + name; }
    // The chart's editing messages posted since the last call, in order; focus and edit-box
    // notices left out.
    Messages Posted()
    {
        Messages out;
        for (const POSTED_MESSAGE& m : owner.Messages())
            if (m.name == "UM_ADD_FEATURE" || m.name == "UM_REDRAW_VECTOR_DISPLAY" ||
                m.name == "UM_UPDATE_FEATURE_POSITION" || m.name == "UM_FEATURE_UPDATE")
                out.push_back(m);
        owner.Clear();
        return out;
    }

    static constexpr const char* kFolder = "C:\\MyData\\Survey\\";
};
} // namespace ChartWindow

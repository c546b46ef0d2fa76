// The plan view in the Acoustic program's frame, started as the program starts, offscreen on
// temporary drives: handed the frame's mutex, status bar and calibration objects, it shows
// each calibration where the user looks, and the mouse reads out on the frame's status bar.
// A picture of the frame per calibration goes under the build folder.
#include "acoustic/app/AcousticApp.h"
#include "acoustic/app/AcousticView.h"
#include "acoustic/app/MainFrame.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/UserInput.h"

#include <QFile>
#include <QMainWindow>
#include <gtest/gtest.h>

#ifndef SUITE_VISUAL_DIR
#define SUITE_VISUAL_DIR "visual/acoustic"
#endif

namespace
{
class AcousticViewFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_App.InitInstance());
        m_pFrame = m_App.GetMainFrame();
        ASSERT_NE(m_pFrame, nullptr);
        m_hFrame = m_pFrame->GetSafeHwnd();
        m_pFrame->GetMainWindow()->showNormal();
        m_pFrame->GetMainWindow()->resize(1400, 900);
        PumpFor(100);
        m_pView = dynamic_cast<CAcousticView*>(m_pFrame->GetActiveView());
        ASSERT_NE(m_pView, nullptr);
        // What the frame hands its view once the program has started.
        m_pView->SetMutex(&m_pFrame->GetDrawingLock());
        m_pView->SetStatusBar(&m_pFrame->m_wndStatusBar);
        m_pView->SetGridOnGrid(&m_pFrame->m_GridOnGrid);
        m_pView->SetNetwork(&m_pFrame->m_Network);
        m_pView->SetBoxin(&m_pFrame->m_Boxin);
        m_pView->SetUsblCalibration(&m_pFrame->m_UsblCalibration);
        m_pView->SetTransitFix(&m_pFrame->m_TransitFix);
        m_pView->GetPlot().SetCentre(0.0, 0.0);
    }
    void TearDown() override
    {
        if (m_pFrame && ::IsWindow(m_hFrame))
        {
            ModalHook::AnswerMessageBox(IDYES);
            m_pFrame->SendMessage(WM_CLOSE);
            PumpFor(50);
        }
    }

    CAcousticApp m_App;
    CMainFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    CAcousticView* m_pView = nullptr;
};

// Small sets about the grid origin, within a few metres, in the frame's own objects.
void FillCalibrations(CMainFrame& frame)
{
    frame.m_GridOnGrid.Add({1.0, 2.0, 2.0, 3.0});
    frame.m_GridOnGrid.Add({-4.0, -1.0, -3.0, 0.0});
    frame.m_GridOnGrid.m_A = frame.m_GridOnGrid.m_D = 1.0;

    CNetworkStation a, b;
    a.m_Name = "TP1";
    a.m_Status = STATION_FIXED;
    a.m_GivenE = -5.0;
    b.m_Name = "TP2";
    b.m_Status = STATION_FREE;
    b.m_GivenE = 5.0;
    b.m_GivenN = 3.0;
    frame.m_Network.AddStation(a);
    frame.m_Network.AddStation(b);
    frame.m_Network[0][1].UseRange = 1;
    frame.m_Network[0][1].ObservedRange = 11.0;

    BoxinDef boxin{};
    boxin.TransducerEasting = 6.0;
    boxin.TransducerNorthing = 2.0;
    boxin.DerivedEasting = 1.0;
    boxin.DerivedNorthing = 0.5;
    boxin.Colour = 0xFFFF00;
    boxin.Used = 1;
    frame.m_Boxin.Add(boxin);
    frame.m_Boxin.m_UseRangeRings = true;
    frame.m_Boxin.m_RangeRingRadius = 2.0;

    UsblCalibrationDef usbl{};
    usbl.TransducerEasting = -6.0;
    usbl.TransducerNorthing = 2.0;
    usbl.ObservedEasting = -1.0;
    usbl.ObservedNorthing = 0.5;
    usbl.Colour = 0xFF00FF;
    usbl.Used = 1;
    frame.m_UsblCalibration.Add(usbl);
    frame.m_UsblCalibration.m_UseRangeRings = true;
    frame.m_UsblCalibration.m_RangeRingRadius = 2.0;

    frame.m_TransitFix.m_NumberOfLegs = 3;
    const tagXY points[6] = {{1.0, 8.0}, {7.0, 4.0}, {7.0, -4.0}, {-1.0, -8.0}, {-7.0, -4.0}, {-7.0, 4.0}};
    for (int i = 0; i < 6; ++i)
        frame.m_TransitFix.m_Points[i] = points[i];
    frame.m_TransitFix.m_Centre = {0.5, 0.5};
    frame.m_TransitFix.m_Radius = 2.0;
}
} // namespace

TEST_F(AcousticViewFrameTest, EachCalibrationShowsInTheFrame)
{
    FillCalibrations(*m_pFrame);
    const struct
    {
        int mode;
        const char* name;
    } modes[] = {{VIEW_GRID_ON_GRID, "grid-on-grid"},
                 {VIEW_NETWORK, "network"},
                 {VIEW_BOXIN, "boxin"},
                 {VIEW_USBL_CALIBRATION, "usbl"},
                 {VIEW_TRANSIT_FIX, "transit-fix"}};
    const QRect none = FrameProbe::PaneRect(m_pView);
    ASSERT_FALSE(none.isEmpty());
    m_pView->SetMode(0);
    m_pView->Redraw();
    PumpFor(50);
    // Before a calibration: the ground and the scale alone.
    const int bare = FrameProbe::ContentPixels(FrameProbe::GrabWindow(m_pFrame), none);
    for (const auto& m : modes)
    {
        SCOPED_TRACE(m.name);
        m_pView->SetMode(m.mode);
        m_pView->Redraw();
        PumpFor(50);
        const QString png = QString(SUITE_VISUAL_DIR) + "/acoustic-view-" + m.name + ".png";
        FrameProbe::ExpectFrameAsUserSeesIt(m_pFrame, {{"Plan view", m_pView}}, {}, png);
        EXPECT_TRUE(QFile::exists(png));
        const QImage picture = FrameProbe::GrabWindow(m_pFrame);
        EXPECT_GT(FrameProbe::ContentPixels(picture, FrameProbe::PaneRect(m_pView)), bare + 40);
    }
}

TEST_F(AcousticViewFrameTest, MouseReadsOutOnTheFrameStatusBar)
{
    m_pView->Redraw();
    CRect client;
    m_pView->GetClientRect(&client);
    const CCalibrationPlot& plot = m_pView->GetPlot();
    // The client's centre is the plot's centre, the grid origin.
    UserInput::PressClient(m_pView, client.Width() / 2, client.Height() / 2);
    CString e, n;
    e.Format("%.3lf", plot.plotMinE + (plot.plotMaxE - plot.plotMinE) * (client.Width() / 2) / client.Width());
    n.Format("%.3lf", plot.plotMaxN - (plot.plotMaxN - plot.plotMinN) * (client.Height() / 2) / client.Height());
    EXPECT_EQ(m_pFrame->m_wndStatusBar.GetPaneText(2), e);
    EXPECT_EQ(m_pFrame->m_wndStatusBar.GetPaneText(4), n);
    UserInput::ReleaseClient(m_pView, client.Width() / 2, client.Height() / 2);
}

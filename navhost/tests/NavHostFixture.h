// The host started as a user starts it, offscreen, on temporary drives holding a copy of the
// demo drive (its settings under this test program's name), its live input on a free UDP port
// of this machine; and the chart's pixels read where the host's features lie.
#pragma once

#include "chart/view/GridView.h"
#include "featureui/loaders/DtmResources.h"
#include "featureui/loaders/LoadFileResources.h"
#include "navhost/MainFrame.h"
#include "navhost/NavHostApp.h"
#include "platform/core/Path.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/TempDrives.h"
#include "testsupport/UdpSender.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QMainWindow>
#include <gtest/gtest.h>

#include <functional>

#ifndef SUITE_VISUAL_DIR
#define SUITE_VISUAL_DIR "visual/navhost"
#endif

namespace NavHostTest
{
// The test program's name, which names its settings folder.
constexpr const char* kSettingsName = "navhost_tests";

// Copies the demo drive into drive C:, the host's settings under this test program's name.
inline void CopyDemoDrive(const QString& to)
{
    const QString demo = QString(SUITE_SOURCE_DIR) + "/data/demo";
    QDirIterator it(demo, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
    {
        const QString from = it.next();
        QString relative = QDir(demo).relativeFilePath(from);
        if (!relative.startsWith("MyData/") && !relative.startsWith("MySettings/NavHost/"))
            continue;
        relative.replace("MySettings/NavHost/", QString("MySettings/") + kSettingsName + "/");
        const QString target = to + "/" + relative;
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(from, target);
    }
}

// The whole of a file on drive C:.
inline QByteArray FileBytes(const QString& relative)
{
    QFile file(TempDrives::Current()->OnC(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class NavHostFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CopyDemoDrive(TempDrives::Current()->DriveC());
        // The live input on a port of the test's own.
        m_UdpPort = FreeUdpPort();
        QFile list(TempDrives::Current()->OnC(QString("MySettings/") + kSettingsName + "/UDP_Ports/UDP Ports.UDP"));
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        list.write(QByteArray::number(m_UdpPort) + ", Test Feed\r\n");
    }

    void TearDown() override
    {
        CGridView::SetEditMode(EDIT_NONE);
        if (m_pFrame != nullptr && ::IsWindow(m_hFrame))
        {
            ModalHook::AnswerMessageBox(IDYES);
            m_pFrame->SendMessage(WM_CLOSE);
            PumpFor(50);
        }
    }

    // Starts the host as its InitInstance does; the drawings load behind their dialogs.
    void Start()
    {
        for (UINT id : {IDD_IMPORT_DTM, IDD_DTM_DEPTHS, IDD_LOAD_DTM})
            ModalHook::AnswerDialog(id, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
        // The digitised drawing, the DXF drawing and the two shapefiles.
        for (int i = 0; i < 4; ++i)
            ModalHook::AnswerDialog(IDD_LOAD_FILE, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
        ASSERT_TRUE(m_App.InitInstance());
        m_pFrame = m_App.GetMainFrame();
        ASSERT_NE(m_pFrame, nullptr);
        m_hFrame = m_pFrame->GetSafeHwnd();
        m_pFrame->GetMainWindow()->showNormal();
        m_pFrame->GetMainWindow()->resize(1500, 950);
        PumpFor(150);
        m_pView = m_pFrame->GetChartView();
        ASSERT_NE(m_pView, nullptr);
        Repaint();
    }

    // The chart repainted: its plot then converts grid and screen as the picture shows them.
    // It lays out its grid at the end of a paint and draws the features with the layout of
    // the paint before: after a change of scale or centre it takes two.
    void Repaint()
    {
        for (int paint = 0; paint < 2; ++paint)
        {
            m_pView->Invalidate(FALSE);
            m_pView->UpdateWindow();
            PumpFor(20);
        }
    }

    // The frame's picture and where the chart view lies in it.
    QImage Picture() const { return FrameProbe::GrabWindow(m_pFrame); }
    QRect ChartRect() const { return FrameProbe::PaneRect(m_pView); }
    // The chart's client point of a grid position.
    CPoint ClientPoint(double e, double n) const
    {
        const POINT p = m_pView->GetPlot()->GridToScreenPoint(e, n);
        return CPoint(p.x, p.y);
    }
    // Pixels within `reach` of a grid position in the frame's picture that `match`.
    int PixelsNear(const QImage& image, double e, double n, int reach, const std::function<bool(QColor)>& match) const
    {
        const QRect chart = ChartRect();
        const CPoint p = ClientPoint(e, n);
        int count = 0;
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
            {
                const QPoint at(chart.left() + p.x + dx, chart.top() + p.y + dy);
                if (chart.contains(at) && match(image.pixelColor(at)))
                    ++count;
            }
        return count;
    }
    static std::function<bool(QColor)> Near(QColor want, int tolerance = 40)
    {
        return [want, tolerance](QColor c) {
            return std::abs(c.red() - want.red()) <= tolerance && std::abs(c.green() - want.green()) <= tolerance &&
                   std::abs(c.blue() - want.blue()) <= tolerance;
        };
    }
    // Sends lines to the host's live input as one datagram and waits for `done`.
    bool Feed(const std::string& datagram, const std::function<bool()>& done)
    {
        if (!SendUdp(m_UdpPort, datagram))
            return false;
        return PumpUntil(done, 5000);
    }

    CNavHostApp m_App;
    CMainFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    CGridView* m_pView = nullptr;
    uint16_t m_UdpPort = 0;
};
} // namespace NavHostTest

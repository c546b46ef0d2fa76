// The navigation window on monitors that tests lay out: where it places itself, its row of
// data boxes and their saved types, its commands and buttons, hiding on close, and the
// button-box thread it runs and joins.
#include "chart/frame/ButtonBoxThread.h"
#include "chart/frame/GridFrame.h"
#include "chart/frame/GridFrameMonitors.h"
#include "chart/view/GridView.h"
#include "foundation/ConfigFile.h"
#include "outside/alpha/DataView.h"
#include "platform/core/Path.h"
#include "platform/core/WinApp.h"
#include "platform/ui/Monitor.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/RecordingOwner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace
{
const TEST_MONITOR kPrimary{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true};
const TEST_MONITOR kRight{{1920, 0, 3200, 1024}, {1920, 0, 3200, 984}, false};
const TEST_MONITOR kLeft{{-1280, 0, 0, 1024}, {-1280, 0, 0, 1024}, false};

QString SettingsPath(const char* name)
{
    return LinuxPathFromWindows(CConfigFile().GetSettingsFileName(name));
}

QByteArray ReadSettings(const char* name)
{
    QFile file(SettingsPath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct GridFrameFixture : ::testing::Test
{
    CWinApp app{"GridFrameTest"};
    CRecordingOwner owner;

    void SetUp() override
    {
        AfxSetTestMonitors({kPrimary, kRight});
        // No joystick unless a test gives one.
        AfxSetJoystickProvider([](UINT, JOYINFOEX*) { return static_cast<MMRESULT>(JOYERR_UNPLUGGED); });
        ASSERT_TRUE(owner.CreateOwner(300, 200));
    }
    void TearDown() override
    {
        AfxSetJoystickProvider(nullptr);
        AfxSetTestMonitors({});
    }
    CGridFrame* Open()
    {
        auto* frame = new CGridFrame;
        EXPECT_TRUE(frame->Create(&owner));
        Pump();
        return frame;
    }
};

std::vector<int> BoxTypes(const CGridFrame& frame)
{
    std::vector<int> types;
    for (INT_PTR i = 0; i < frame.m_DataViews.GetSize(); ++i)
        types.push_back(frame.m_DataViews[i]->GetBoxType());
    return types;
}
} // namespace

TEST(GridFrameMonitors, NumberedPrimaryFirstThenInEnumerationOrder)
{
    CWinApp app("GridFrameMonitors");
    AfxSetTestMonitors({kRight, kPrimary, kLeft});
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "W", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 300, 300),
                                nullptr, 0));
    const struct
    {
        CRect place;
        int number;
    } cases[] = {{CRect(100, 100, 300, 300), 0}, {CRect(2000, 100, 2200, 300), 1}, {CRect(-900, 50, -700, 250), 2},
                 {CRect(1800, 10, 2100, 300), 1}, {CRect(5000, 5000, 5100, 5100), 1}};
    for (const auto& c : cases)
    {
        window.MoveWindow(c.place);
        EXPECT_EQ(MonitorOfWindow(&window), c.number) << c.place.left << "," << c.place.top;
    }
    AfxSetTestMonitors({});
}

TEST(GridFrameMonitors, PlacingOnAWorkAreaKeepsTheWindowInside)
{
    const CRect from(0, 0, 1920, 1040), to(1920, 0, 3200, 984);
    const struct
    {
        CRect window;
        CRect expected;
    } cases[] = {{CRect(100, 50, 500, 350), CRect(2020, 50, 2420, 350)},
                 {CRect(0, 0, 3000, 2000), CRect(1920, 0, 3200, 984)},
                 {CRect(1700, 900, 1900, 1000), CRect(3000, 884, 3200, 984)},
                 {CRect(-300, -100, 100, 100), CRect(1920, 0, 2320, 200)}};
    for (const auto& c : cases)
        EXPECT_EQ(PlaceOnWorkArea(c.window, from, to), c.expected) << c.window.left << "," << c.window.top;
}

TEST_F(GridFrameFixture, FillsMonitorOneWithABoxPerThreeHundredPixels)
{
    CGridFrame* frame = Open();
    CString caption;
    frame->GetWindowText(caption);
    EXPECT_EQ(caption, "Navigation Window");
    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_TRUE(frame->IsZoomed());

    ASSERT_EQ(frame->m_DataViews.GetSize(), 6); // 1920 / 300
    EXPECT_EQ(BoxTypes(*frame), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    CRect client;
    frame->GetClientRect(client);
    for (int i = 0; i < 6; ++i)
    {
        CRect box;
        frame->m_DataViews[i]->GetWindowRect(box);
        frame->ScreenToClient(box);
        EXPECT_EQ(box, CRect(i * (client.Width() / 6), 0, (i + 1) * (client.Width() / 6), 100)) << i;
    }
    ASSERT_NE(frame->GetView(), nullptr);
    EXPECT_TRUE(frame->GetView()->m_bRemote);
    EXPECT_EQ(frame->GetView()->m_pDataView, frame->m_pRemoteDisplay);
    EXPECT_EQ(frame->m_pRemoteDisplay->GetBoxType(), 2);
    EXPECT_FALSE(frame->m_pRemoteDisplay->IsWindowVisible());
    CRect view;
    frame->GetView()->GetWindowRect(view);
    frame->ScreenToClient(view);
    EXPECT_EQ(view, CRect(0, 100, client.Width(), client.Height()));
    // The remote view's read-out is the hidden box: clearing the cursor empties it.
    frame->m_pRemoteDisplay->UpdateGridPosition(512345.0, 6123456.0);
    EXPECT_FALSE(frame->m_pRemoteDisplay->GetValueText(0).IsEmpty());
    frame->GetView()->ClearCursorCoords();
    for (int line = 0; line < CDataView::kLines; ++line)
        EXPECT_TRUE(frame->m_pRemoteDisplay->GetValueText(line).IsEmpty()) << line;

    // What a user sees: the frame and the host only, each box with its label drawn.
    EXPECT_EQ(FrameProbe::StrayTopLevels(frame, {owner.GetWidget()}), std::vector<std::string>());
    const QImage picture = FrameProbe::GrabWindow(frame);
    for (int i = 0; i < 6; ++i)
        EXPECT_GT(FrameProbe::ContentPixels(picture, FrameProbe::PaneRect(frame->m_DataViews[i])), 20) << i;

    // The caption and sizing border come and go.
    frame->SetCaption(0);
    EXPECT_FALSE(frame->IsCaption());
    frame->SetCaption(1);
    EXPECT_TRUE(frame->IsCaption());

    // The box types are saved in row order with the boxes' labels.
    frame->m_DataViews[5]->SetBoxType(8);
    frame->DestroyWindow();
    EXPECT_EQ(ReadSettings("Remote Data View"), QByteArray("Grid Position = 1\r\nCursor Position = 2\r\n"
                                                           "Geographic Position = 3\r\nHeading = 4\r\n"
                                                           "Motion = 5\r\nRange and Bearing = 8\r\n"));
}

TEST_F(GridFrameFixture, BoxTypesComeFromTheSavedFileLineByLine)
{
    QFile file(SettingsPath("Remote Data View"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Depth = 7\r\nno equals sign\r\nHeading = 4\r\n");
    file.close();
    CGridFrame* frame = Open();
    EXPECT_EQ(BoxTypes(*frame), (std::vector<int>{7, 0, 4, 0, 0, 0}));
    frame->DestroyWindow();
}

TEST_F(GridFrameFixture, NarrowScreensGiveNoBoxesAndTheViewFillsTheWindow)
{
    AfxSetTestMonitors({{{0, 0, 299, 200}, {0, 0, 299, 200}, true}});
    CGridFrame* frame = Open();
    EXPECT_EQ(frame->m_DataViews.GetSize(), 0);
    CRect client, view;
    frame->GetClientRect(client);
    frame->GetView()->GetWindowRect(view);
    frame->ScreenToClient(view);
    EXPECT_EQ(view, client);
    frame->UpdateDepth(12.5); // nothing to forward to
    frame->DestroyWindow();
}

TEST_F(GridFrameFixture, AdjustScreenMovesBetweenMonitorsThatExist)
{
    CGridFrame* frame = Open();
    // Maximised it shows on the test's screen; restored it covers monitor 1, where it was put.
    frame->ShowWindow(SW_RESTORE);
    Pump();
    CRect before, after;
    frame->GetWindowRect(before);
    EXPECT_EQ(before.Size(), CRect(kRight.monitor).Size());
    EXPECT_EQ(MonitorOfWindow(frame), 1);
    frame->GetWindowRect(before);
    frame->AdjustScreen(2); // only monitors 0 and 1
    frame->GetWindowRect(after);
    EXPECT_EQ(after, before);
    EXPECT_EQ(MonitorOfWindow(frame), 1);
    frame->AdjustScreen(0);
    frame->GetWindowRect(after);
    EXPECT_EQ(after.Size(), CRect(kPrimary.monitor).Size());
    EXPECT_EQ(MonitorOfWindow(frame), 0);
    frame->DestroyWindow();
}

TEST_F(GridFrameFixture, CommandsAndButtonsDriveTheChart)
{
    CGridFrame* frame = Open();
    CGridPlot* plot = frame->GetView()->GetPlot();
    const struct
    {
        UINT id;
        int index;
        double e, n;
    } cases[] = {{ID_GRID_ZOOM_IN, 14, 0, 0},   {ID_GRID_ZOOM_OUT, 16, 0, 0},  {ID_GRID_PAN_LEFT, 15, -1, 0},
                 {ID_GRID_PAN_RIGHT, 15, 1, 0}, {ID_GRID_PAN_UP, 15, 0, 1},    {ID_GRID_PAN_DOWN, 15, 0, -1},
                 {ID_GRID_CENTRE_SCREEN, 15, -100, -100}, {12325, 15, 0, 0}};
    const double step = CGridPlot::spacingTable[15];
    for (bool button : {false, true})
        for (const auto& c : cases)
        {
            plot->scaleIndex = 15;
            plot->originE = plot->originN = 100.0;
            if (button)
                frame->PressButton(static_cast<int>(c.id));
            else
                frame->SendMessage(WM_COMMAND, MAKEWPARAM(c.id, 0), 0);
            EXPECT_EQ(plot->scaleIndex, c.index) << c.id;
            EXPECT_DOUBLE_EQ(plot->originE, 100.0 + c.e * (c.e == -100 ? 1 : step)) << c.id;
            EXPECT_DOUBLE_EQ(plot->originN, 100.0 + c.n * (c.n == -100 ? 1 : step)) << c.id;
        }
    plot->scaleIndex = 1;
    frame->PressButton(ID_GRID_ZOOM_IN);
    EXPECT_EQ(plot->scaleIndex, 1);
    plot->scaleIndex = 29;
    frame->PressButton(ID_GRID_ZOOM_OUT);
    EXPECT_EQ(plot->scaleIndex, 29);

    // Closing only hides it.
    frame->SendMessage(WM_CLOSE);
    Pump();
    EXPECT_TRUE(IsWindow(frame->GetSafeHwnd()));
    EXPECT_FALSE(frame->IsWindowVisible());
    frame->DestroyWindow();
}

TEST_F(GridFrameFixture, ButtonsReachTheOwnerAndTheThreadIsJoined)
{
    std::atomic<int> polls{0};
    AfxSetJoystickProvider([&polls](UINT, JOYINFOEX* info) {
        info->dwButtons = ++polls > 2 ? 2u : 1u;
        return static_cast<MMRESULT>(JOYERR_NOERROR);
    });
    CGridFrame* frame = Open();
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (polls < 4 && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    frame->DestroyWindow();
    const int after = polls;
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    EXPECT_EQ(polls, after); // stopped and joined with the frame
    EXPECT_EQ(owner.Messages(), (std::vector<POSTED_MESSAGE>{{"UM_BUTTON_BOX", 1, 0}, {"UM_BUTTON_BOX", 2, 0}}));
}

// Run under the sanitizers too.
using GridFrameStress = GridFrameFixture;

// Frames closed at every moment of their thread's poll: no poll outlives its frame, and each
// frame's thread posted only changes of the buttons, to the owner, with the device's id.
TEST_F(GridFrameStress, ClosingWhileTheThreadPolls)
{
    std::atomic<bool> frameOpen{false};
    std::atomic<int> polls{0};
    std::atomic<int> pollsAfterClose{0};
    AfxSetJoystickProvider([&](UINT, JOYINFOEX* info) {
        ++polls;
        if (!frameOpen)
            ++pollsAfterClose;
        info->dwButtons = static_cast<DWORD>(std::chrono::steady_clock::now().time_since_epoch().count() & 0xF);
        return static_cast<MMRESULT>(JOYERR_NOERROR);
    });
    for (int i = 0; i < 10; ++i)
    {
        SCOPED_TRACE(i);
        owner.Clear();
        frameOpen = true;
        CGridFrame* frame = Open();
        std::this_thread::sleep_for(std::chrono::milliseconds(i * 13 % 50));
        frame->DestroyWindow();
        frameOpen = false;
        const std::vector<POSTED_MESSAGE> posted = owner.Messages();
        DWORD last = 0xFFFFFFFF; // the thread's first poll always posts
        for (const POSTED_MESSAGE& m : posted)
        {
            EXPECT_EQ(m.name, "UM_BUTTON_BOX");
            EXPECT_EQ(m.lParam, 0);
            EXPECT_LE(m.wParam, 0xFu);
            EXPECT_NE(m.wParam, last) << "a post without a change";
            last = static_cast<DWORD>(m.wParam);
        }
    }
    // A thread still running would poll again within its 100 ms.
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    EXPECT_EQ(pollsAfterClose, 0);
    EXPECT_GT(polls, 0);
    owner.Clear();
    EXPECT_TRUE(owner.Messages().empty());
}

TEST_F(GridFrameFixture, AnUnwritableSettingsFolderSavesNothing)
{
    CGridFrame* frame = Open();
    const QString path = SettingsPath("Remote Data View");
    ASSERT_TRUE(QDir().mkpath(path)); // a folder where the file should go
    frame->DestroyWindow();
    EXPECT_TRUE(QFileInfo(path).isDir());
}

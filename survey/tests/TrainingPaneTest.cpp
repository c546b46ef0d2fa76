// The training pane docked in the test host, edited as an instructor edits it: each change
// reaches the record, the two settings files and the simulator's ports once; the helicopter's
// rows follow its mode; the route and waypoint lists follow the host's lists; the play controls
// step through play, pause and stop.
#include "survey/TrainingPane.h"

#include "features/DesignRoute.h"
#include "features/DesignRouteList.h"
#include "features/GridWaypointList.h"
#include "foundation/ConfigFile.h"
#include "outside/communication/ComPortProperty.h"
#include "outside/panes/PropertyGridDualButton.h"
#include "platform/core/Path.h"
#include "platform/core/WinApp.h"
#include "platform/io/ComPortTable.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/PseudoTerminal.h"
#include "testsupport/UdpSender.h"
#include "testsupport/UserInput.h"
#include "testsupport/host/TestHost.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTreeWidget>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace
{
// A simulator's port on 127.0.0.1.
class Port
{
public:
    Port() : m_fd(::socket(AF_INET, SOCK_DGRAM, 0))
    {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t n = sizeof m_address;
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&m_address), &n);
        timeval wait{0, 300000};
        ::setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    }
    ~Port() { ::close(m_fd); }
    Port(const Port&) = delete;
    Port& operator=(const Port&) = delete;

    // Every datagram that came, each up to its '*'.
    std::vector<std::string> Drain() const
    {
        std::vector<std::string> got;
        char buffer[512];
        for (ssize_t n; (n = ::recv(m_fd, buffer, sizeof buffer, 0)) > 0;)
        {
            const std::string s(buffer, static_cast<size_t>(n));
            // A sentence up to its checksum; the stop sentence, which has none, whole.
            got.push_back(s.find('*') == std::string::npos ? s : s.substr(0, s.find('*')));
        }
        return got;
    }
    sockaddr_in m_address{};

private:
    int m_fd;
};

QByteArray TrainingSettingsBytes(const char* name)
{
    CConfigFile names;
    QFile file(LinuxPathFromWindows(names.GetSettingsFileName(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll().replace("\r\n", "\n") : QByteArray("(no file)");
}

CGridWaypoint* NewWaypointFile(const char* path, std::initializer_list<GridWaypointDef> points)
{
    auto* file = new CGridWaypoint;
    file->m_FilePath = path;
    for (const GridWaypointDef& p : points)
        file->Add(p);
    return file;
}

CDesignRoute* NewRoute(const char* title)
{
    auto* route = new CDesignRoute;
    route->m_Title = title;
    return route;
}

// A UDP port the item's spin range admits and nothing holds now; 0 when none is found.
uint16_t FreePortInRange()
{
    for (uint16_t port = 9100; port < 10000; ++port)
    {
        const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(port);
        const bool free = ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
        ::close(fd);
        if (free)
            return port;
    }
    return 0;
}

std::vector<std::string> Options(const CMFCPropertyGridProperty* item)
{
    std::vector<std::string> options;
    for (int i = 0; i < item->GetOptionCount(); ++i)
        options.emplace_back(item->GetOption(i));
    return options;
}

class TrainingPaneTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost(640, 900));
        host.SetAsMainWindow(true);
        CTraining& t = Training();
        t.m_ComputerName = "BRIDGE-PC";
        t.m_IpAddress = htonl(0xC0A80A05); // 192.168.10.5
        t.m_FogDensity = 0.045f;
        t.m_VesselPort = 0;
        t.m_EnvironmentPort = 5005;
        t.m_HelicopterMode = CTrainingPane::HELICOPTER_HOVER;
        t.m_WaypointFileName = "Field";
        t.m_WaypointName = "WP2";
        t.m_HelicopterRouteName = "Approach";
        t.m_Vessels[0].RouteName = "Supply";
        t.m_Vessels[1].RouteName = "Approach";
        t.m_Vessels[2].RouteName = "Gone";
        waypoints.Add(NewWaypointFile("C:\\MyData\\Other.txt", {{1.0, 2.0, 0.0, "A1", 0.0}}));
        waypoints.Add(NewWaypointFile("C:\\MyData\\Field.txt", {{500100.0, 6200200.0, 35.5, "WP1", 20.0},
                                                                {500300.25, 6200400.5, 40.0, "WP2", 75.0}}));
        routes.Add(NewRoute("Approach"));
        routes.Add(NewRoute("Supply"));
        ASSERT_TRUE(t.m_EnvironmentSender.Open(FreeUdpPort()));
        ASSERT_TRUE(t.m_NavigationSender.Open(FreeUdpPort()));
        for (const Port* p : {&first, &second})
        {
            t.m_EnvironmentSender.m_Targets.Add(p->m_address);
            t.m_NavigationSender.m_Targets.Add(p->m_address);
        }
        ASSERT_TRUE(host.Dock(pane, 41195, &t, &waypoints, &routes));
        host.Clear();
    }
    void TearDown() override
    {
        for (CUdpSender* sender : {&Training().m_EnvironmentSender, &Training().m_NavigationSender})
        {
            sender->Close();
            if (sender->m_hThread != INVALID_HANDLE_VALUE)
            {
                WaitForSingleObject(sender->m_hThread, 5000);
                CloseHandle(sender->m_hThread);
                sender->m_hThread = INVALID_HANDLE_VALUE;
            }
        }
        for (INT_PTR i = 0; i < routes.GetSize(); ++i)
            delete routes[i];
        routes.RemoveAll();
    }

    CTraining& Training() { return host.m_Records.m_Training; }
    CMyMFCPropertyGridCtrl& Grid() { return pane.GetPropertyGrid(); }
    CMFCPropertyGridProperty* Item(int group, int item)
    {
        return Grid().GetProperty(group)->GetSubItem(item);
    }
    CMFCPropertyGridProperty* ById(DWORD_PTR id) { return FindGridItem(Grid(), id); }

    // The item's editor opened as a user opens it (a click on the value, a second click after
    // a double-click's time), then `text` typed with Enter or picked from its drop-down list.
    bool UserEdits(CMFCPropertyGridProperty* item, const QString& text)
    {
        QTreeWidget* tree = Grid().GetWidget()->findChild<QTreeWidget*>();
        const auto editor = [tree]() -> QWidget* {
            for (QWidget* w : tree->viewport()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
                if (w->isVisible())
                    return w;
            return nullptr;
        };
        Grid().SetCurSel(item); // scrolled into view, as the user scrolls to it
        Pump();
        if (!ClickGridValue(Grid(), item, 20))
            return false;
        PumpFor(QApplication::doubleClickInterval() + 50);
        if (editor() == nullptr && !ClickGridValue(Grid(), item, 20))
            return false;
        PumpUntil([&] { return editor() != nullptr; }, 1000);
        QWidget* open = editor();
        if (open == nullptr)
            return false;
        auto* combo = qobject_cast<QComboBox*>(open);
        if (combo != nullptr && !combo->isEditable())
        {
            const bool picked = UserInput::PickFromDropDown(combo, text);
            Pump();
            return picked;
        }
        UserInput::Key(Qt::Key_A, Qt::ControlModifier);
        UserInput::Type(text, true);
        Pump();
        return true;
    }
    std::vector<std::string> BothGot()
    {
        std::vector<std::string> a = first.Drain();
        std::vector<std::string> b = second.Drain();
        if (a != b)
            a.push_back("(second port differs)");
        return a;
    }

    CWinApp app{"TrainingPaneTest"};
    CTestHost host;
    CGridWaypointList waypoints;
    CDesignRouteList routes;
    Port first, second;
    CTrainingPane pane;
};

using Sentences = std::vector<std::string>;

// Each edit through the grid: the record's field, the line it leaves in a settings file, the
// sentences both simulator ports get, and nothing posted to the host except for "Use".
TEST_F(TrainingPaneTest, EachEditReachesTheRecordTheFilesAndTheSimulatorOnce)
{
    CTraining& t = Training();
    const struct
    {
        DWORD_PTR id;
        const char* typed;
        std::function<bool(const CTraining&)> field;
        const char* file;
        const char* line; // lines the file holds after the edit; null: the file is not written
        Sentences sent;
    } cases[] = {
        {CTrainingPane::DATA_ENVIRONMENT_PORT,
         "6006",
         [](const CTraining& r) { return r.m_EnvironmentPort == 6006; },
         "Environment",
         "UDP Port = 6006",
         {}},
        {CTrainingPane::DATA_TIME_OF_DAY,
         "Dusk",
         [](const CTraining& r) { return r.m_TimeOfDay == 2; },
         "Environment",
         "Time Of Day = 2",
         {"$GPGOD, 2, 0, 0, 0.045"}},
        // A text that is none of the options leaves the time of day as it was.
        {CTrainingPane::DATA_TIME_OF_DAY,
         "Noon",
         [](const CTraining& r) { return r.m_TimeOfDay == 2; },
         "Environment",
         "Time Of Day = 2",
         {"$GPGOD, 2, 0, 0, 0.045"}},
        {CTrainingPane::DATA_RAIN,
         "True",
         [](const CTraining& r) { return r.m_Rain; },
         "Environment",
         "Rain = 1",
         {"$GPGOD, 2, 1, 0, 0.045"}},
        {CTrainingPane::DATA_FOG,
         "True",
         [](const CTraining& r) { return r.m_Fog; },
         "Environment",
         "Fog = 1",
         {"$GPGOD, 2, 1, 1, 0.045"}},
        {CTrainingPane::DATA_DENSITY,
         "20",
         [](const CTraining& r) { return r.m_FogDensity == 0.02f; },
         "Environment",
         "Fog Density = 0.020",
         {"$GPGOD, 2, 1, 1, 0.020"}},
        {CTrainingPane::DATA_WIND_DIRECTION,
         "270",
         [](const CTraining& r) { return r.m_WindDirection == 270.0f; },
         "Environment",
         "Wind Direction = 270.000",
         {"$GPMWV, 270.0, T, 0.0, M, A"}},
        {CTrainingPane::DATA_WAVE_FREQUENCY,
         "0.5",
         [](const CTraining& r) { return r.m_WaveFrequency == 0.5f; },
         "Environment",
         "Fog Density = 0.020",
         {"$GPGOD, 2, 1, 1, 0.020"}},
        {CTrainingPane::DATA_NUMBER_OF_WAVES,
         "12",
         [](const CTraining& r) { return r.m_NumberOfWaves == 12; },
         "Environment",
         "Wind State = 0",
         {"$GPGOD, 2, 1, 1, 0.020"}},
        {CTrainingPane::DATA_HELICOPTER_MODE,
         "Circle",
         [](const CTraining& r) { return r.m_HelicopterMode == 2; },
         "Training",
         "Mode = 2",
         {}},
        {CTrainingPane::DATA_HELICOPTER_SPEED,
         "12.5",
         [](const CTraining& r) { return r.m_HelicopterSpeed == 12.5; },
         "Training",
         "Speed = 12.500",
         {}},
        {CTrainingPane::DATA_VESSEL_TWO_ROUTE,
         "Supply",
         [](const CTraining& r) {
             return r.m_Vessels[1].RouteName == "Supply" && r.m_Vessels[1].RouteIndex == 1;
         },
         "Training",
         "Route = Supply\nRoute = Supply\n",
         {}},
        {CTrainingPane::DATA_VESSEL_TWO_ROUTE,
         "Not Selected",
         [](const CTraining& r) {
             return r.m_Vessels[1].RouteName.IsEmpty() && r.m_Vessels[1].RouteIndex == -1;
         },
         "Training",
         "Route = Supply\nRoute = \n",
         {}},
        {CTrainingPane::DATA_BEAUFORT,
         "5 Fresh Breeze",
         [](const CTraining& r) { return r.m_WindState == 3; },
         "Environment",
         nullptr, // the wind state is sent, not saved
         {"$GPMWV, 270.0, T, 3.5, M, A", "$GPGOD, 2, 1, 1, 0.020"}},
        // No such wind state: the state and speed stay, both sentences go out again.
        {CTrainingPane::DATA_BEAUFORT,
         "Hurricane",
         [](const CTraining& r) { return r.m_WindState == 3 && r.m_WindSpeed == 3.5; },
         "Environment",
         nullptr,
         {"$GPMWV, 270.0, T, 3.5, M, A", "$GPGOD, 2, 1, 1, 0.020"}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string("id ") + std::to_string(c.id) + " " + c.typed);
        host.Clear();
        QFile::remove(LinuxPathFromWindows(CConfigFile().GetSettingsFileName(c.file)));
        ASSERT_TRUE(UserEdits(ById(c.id), c.typed));
        EXPECT_TRUE(c.field(t));
        if (c.line == nullptr)
            EXPECT_EQ(TrainingSettingsBytes(c.file), QByteArray("(no file)"));
        else
            EXPECT_TRUE(TrainingSettingsBytes(c.file).contains(c.line)) << TrainingSettingsBytes(c.file).constData();
        EXPECT_EQ(BothGot(), c.sent);
        EXPECT_TRUE(host.Messages().empty());
    }
}

TEST_F(TrainingPaneTest, UseSavesBothFilesAndTellsTheMainWindow)
{
    CTraining& t = Training();
    ASSERT_TRUE(UserEdits(ById(CTrainingPane::DATA_USE), "True"));
    EXPECT_TRUE(t.m_Use);
    // Both files whole, as the record stands after the pane's lists were filled (vessel
    // three's route, no longer a design route, cleared).
    EXPECT_EQ(TrainingSettingsBytes("Training"), QByteArray("Use = 1\n"
                                                    "Vessel Port = 0\n"
                                                    "Mode = 3\n"
                                                    "Waypoint File Name = Field\n"
                                                    "Waypoint Name = WP2\n"
                                                    "Speed = 0.000\n"
                                                    "Route = Approach\n"
                                                    "Route = Supply\n"
                                                    "Route = Approach\n"
                                                    "Route = \n"));
    EXPECT_EQ(TrainingSettingsBytes("Environment"), QByteArray("Connection Type = 0\n"
                                                       "Serial Port = 0\n"
                                                       "BaudRate = 9600\n"
                                                       "UDP Port = 5005\n"
                                                       "IP Address = 192.168.10.5\n"
                                                       "Time Of Day = 1\n"
                                                       "Rain = 0\n"
                                                       "Fog = 0\n"
                                                       "Fog Density = 0.045\n"
                                                       "Wind State = 0\n"
                                                       "Wind Direction = 0.000\n"));
    EXPECT_EQ(host.Messages(), (std::vector<POSTED_MESSAGE>{{"UM_TRAINING", 1, 0}}));
    host.Clear();
    ASSERT_TRUE(UserEdits(ById(CTrainingPane::DATA_USE), "False"));
    EXPECT_FALSE(t.m_Use);
    EXPECT_EQ(host.Messages(), (std::vector<POSTED_MESSAGE>{{"UM_TRAINING", 0, 0}}));
    EXPECT_TRUE(BothGot().empty());
}

// The navigation port: a new port reopens the sender when the host owns it; 0 closes it for good.
TEST_F(TrainingPaneTest, NavigationPortReopensTheSenderAndZeroClosesIt)
{
    CTraining& t = Training();
    int owner = 0;
    t.m_pSenderOwner = &owner;
    const uint16_t port = FreePortInRange();
    ASSERT_NE(port, 0);
    ASSERT_TRUE(UserEdits(ById(CTrainingPane::DATA_NAVIGATION_PORT), QString::number(port)));
    EXPECT_EQ(t.m_VesselPort, port);
    EXPECT_TRUE(t.m_NavigationSender.IsOpen());
    EXPECT_TRUE(TrainingSettingsBytes("Training").contains(("Vessel Port = " + std::to_string(port)).c_str()));
    ASSERT_TRUE(UserEdits(ById(CTrainingPane::DATA_NAVIGATION_PORT), "0"));
    EXPECT_EQ(t.m_VesselPort, 0);
    EXPECT_FALSE(t.m_NavigationSender.IsOpen());
    // Out of the spin range: refused, the value stays.
    EXPECT_FALSE(Grid().EditProperty(ById(CTrainingPane::DATA_NAVIGATION_PORT), "10001"));
    EXPECT_EQ(t.m_VesselPort, 0);
}

TEST_F(TrainingPaneTest, GridHoldsTheGroupsItemsAndRecordValues)
{
    EXPECT_EQ(GridGroupNames(Grid()),
              (std::vector<std::string>{"Training", "Networking", "Navigation Output", "Environment Output",
                                        "Wind", "Helicopter", "Vessel One", "Vessel Two", "Vessel Three"}));
    EXPECT_TRUE(Grid().IsDescriptionArea());
    EXPECT_TRUE(Grid().IsMarkModifiedProperties());
    EXPECT_EQ(Grid().GetShownValue(Item(CTrainingPane::GROUP_NETWORKING, 0)), "BRIDGE-PC");
    EXPECT_EQ(Grid().GetShownValue(Item(CTrainingPane::GROUP_NETWORKING, 1)), "192.168.10.5");
    EXPECT_FALSE(Item(CTrainingPane::GROUP_NETWORKING, 1)->IsAllowEdit());
    const CMFCPropertyGridProperty* density = ById(CTrainingPane::DATA_DENSITY);
    EXPECT_EQ(Grid().GetShownValue(density), "45%");
    EXPECT_EQ(density->GetSpinMin(), 10);
    EXPECT_EQ(density->GetSpinMax(), 60);
    EXPECT_EQ(ById(CTrainingPane::DATA_NUMBER_OF_WAVES)->GetSpinMin(), 1);
    EXPECT_EQ(ById(CTrainingPane::DATA_NUMBER_OF_WAVES)->GetSpinMax(), 9999);

    // Lists: files by title after "Not Selected", the chosen file's points, the design routes.
    EXPECT_EQ(Options(ById(CTrainingPane::DATA_WAYPOINT_FILE)),
              (std::vector<std::string>{"Not Selected", "Other", "Field"}));
    EXPECT_EQ(Options(ById(CTrainingPane::DATA_WAYPOINT)),
              (std::vector<std::string>{"Not Selected", "WP1", "WP2"}));
    EXPECT_EQ(Grid().GetShownValue(ById(CTrainingPane::DATA_WAYPOINT)), "WP2");
    EXPECT_EQ(Grid().GetShownValue(Item(CTrainingPane::GROUP_HELICOPTER, CTrainingPane::HELI_EASTING)),
              "  500300.250");
    EXPECT_EQ(Grid().GetShownValue(Item(CTrainingPane::GROUP_HELICOPTER, CTrainingPane::HELI_HEIGHT)),
              "  40.00m");
    for (DWORD_PTR id : {CTrainingPane::DATA_HELICOPTER_ROUTE, CTrainingPane::DATA_VESSEL_ONE_ROUTE,
                         CTrainingPane::DATA_VESSEL_THREE_ROUTE})
        EXPECT_EQ(Options(ById(id)), (std::vector<std::string>{"Not Selected", "Approach", "Supply"}));
    // A name that is no longer a route is cleared; the others take their route's position.
    const CTraining& t = Training();
    EXPECT_EQ(t.m_HelicopterRouteIndex, 0);
    EXPECT_EQ(t.m_Vessels[0].RouteIndex, 1);
    EXPECT_TRUE(t.m_Vessels[2].RouteName.IsEmpty());
    // Set by the pane, not by the user: not marked as modified.
    EXPECT_EQ(Grid().GetShownValue(ById(CTrainingPane::DATA_VESSEL_THREE_ROUTE)), "Not Selected");
    EXPECT_FALSE(Grid().IsShownBold(ById(CTrainingPane::DATA_VESSEL_THREE_ROUTE)));
    EXPECT_EQ(t.m_Vessels[2].RouteIndex, -1);

    // Play controls: button two hidden, their colours.
    for (DWORD_PTR id : {19, 21, 23, 25})
    {
        auto* play = dynamic_cast<CMFCPropertyGridDualButton*>(ById(id));
        ASSERT_NE(play, nullptr);
        EXPECT_FALSE(play->GetShowTwo());
        EXPECT_EQ(play->GetColour(1), 0xCCFFCCu);
        EXPECT_EQ(play->GetColour(2), 0xCC99FFu);
    }
}

TEST_F(TrainingPaneTest, HelicopterRowsFollowItsMode)
{
    using P = CTrainingPane;
    const struct
    {
        const char* mode;
        std::vector<int> shown;
    } cases[] = {
        {"Route", {P::HELI_MODE, P::HELI_ROUTE, P::HELI_PLAY}},
        {"Hover",
         {P::HELI_MODE, P::HELI_WAYPOINT_FILE, P::HELI_WAYPOINT, P::HELI_EASTING, P::HELI_NORTHING,
          P::HELI_HEIGHT, P::HELI_PLAY}},
        {"Circle",
         {P::HELI_MODE, P::HELI_WAYPOINT_FILE, P::HELI_WAYPOINT, P::HELI_EASTING, P::HELI_NORTHING,
          P::HELI_HEIGHT, P::HELI_SPEED, P::HELI_RADIUS, P::HELI_PLAY}},
        {"Not Used", {P::HELI_MODE, P::HELI_PLAY}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.mode);
        ASSERT_TRUE(UserEdits(ById(P::DATA_HELICOPTER_MODE), c.mode));
        std::vector<int> shown;
        for (int i = 0; i <= P::HELI_PLAY; ++i)
            if (Grid().IsShownVisible(Item(P::GROUP_HELICOPTER, i)))
                shown.push_back(i);
        EXPECT_EQ(shown, c.shown);
    }
}

TEST_F(TrainingPaneTest, EmptyHostListsOfferOnlyNotSelectedAndClearTheNames)
{
    for (INT_PTR i = 0; i < routes.GetSize(); ++i)
        delete routes[i];
    routes.RemoveAll();
    waypoints.ClearList();
    pane.UpdateComboBox();
    const CTraining& t = Training();
    for (DWORD_PTR id : {18, 20, 22, 24, 15, 16})
        EXPECT_EQ(Options(ById(id)), std::vector<std::string>{"Not Selected"}) << id;
    EXPECT_TRUE(t.m_HelicopterRouteName.IsEmpty());
    EXPECT_EQ(t.m_HelicopterRouteIndex, -1);
    for (const TrainingVesselDef& v : t.m_Vessels)
    {
        EXPECT_TRUE(v.RouteName.IsEmpty());
        EXPECT_EQ(v.RouteIndex, -1);
    }
    EXPECT_TRUE(t.m_WaypointFileName.IsEmpty());
    EXPECT_TRUE(t.m_WaypointName.IsEmpty());
    EXPECT_EQ(Grid().GetShownValue(Item(CTrainingPane::GROUP_HELICOPTER, CTrainingPane::HELI_NORTHING)),
              "       0.000");
}

TEST_F(TrainingPaneTest, WaypointFileAndPointFillTheHelicopterPosition)
{
    ASSERT_TRUE(UserEdits(ById(CTrainingPane::DATA_WAYPOINT_FILE), "Other"));
    const CTraining& t = Training();
    EXPECT_EQ(t.m_WaypointFileName, CString("Other"));
    EXPECT_TRUE(t.m_WaypointName.IsEmpty()); // WP2 is no point of that file
    EXPECT_EQ(Options(ById(CTrainingPane::DATA_WAYPOINT)), (std::vector<std::string>{"Not Selected", "A1"}));
    ASSERT_TRUE(UserEdits(ById(CTrainingPane::DATA_WAYPOINT), "A1"));
    EXPECT_EQ(t.m_WaypointName, CString("A1"));
    EXPECT_EQ(Grid().GetShownValue(Item(CTrainingPane::GROUP_HELICOPTER, CTrainingPane::HELI_NORTHING)),
              "       2.000");
    EXPECT_TRUE(TrainingSettingsBytes("Training").contains("Waypoint Name = A1"));
}

TEST_F(TrainingPaneTest, PlayPausePlayStopStepsTheRunAndSendsTheStopOnce)
{
    CTraining& t = Training();
    t.m_Use = true; // the stop sentence goes out only while training is on
    t.m_Vessels[2].RunClock = 99.0;
    auto* play = dynamic_cast<CMFCPropertyGridDualButton*>(ById(CTrainingPane::DATA_VESSEL_THREE_PLAY));
    ASSERT_NE(play, nullptr);
    const struct
    {
        const char* step;
        bool right; // the click on button two's half
        int state;
        const char* name;
        COLORREF colour;
        bool showTwo;
        Sentences sent;
    } steps[] = {
        {"Play", false, RUN_RUNNING, "Pause", 0x99FFFF, true, {}},
        {"Pause", false, RUN_PAUSED, "Play", 0xCCFFCC, false, {}},
        {"Play again", false, RUN_RUNNING, "Pause", 0x99FFFF, true, {}},
        {"Stop", true, RUN_STOPPED, "Play", 0xCCFFCC, false, {"$NTSTP, 12\r\n"}},
    };
    for (const auto& s : steps)
    {
        SCOPED_TRACE(s.step);
        const CRect cell = Grid().GetShownValueRect(play);
        ASSERT_TRUE(ClickGridValue(Grid(), play, s.right ? cell.Width() - 5 : 5));
        EXPECT_EQ(t.m_Vessels[2].RunState, s.state);
        EXPECT_EQ(play->GetButtonName(1), CString(s.name));
        EXPECT_EQ(play->GetColour(1), s.colour);
        EXPECT_EQ(play->GetShowTwo(), s.showTwo);
        EXPECT_GT(GridItemValuePixels(Grid(), play, ColourOfRef(s.colour)), 50);
        if (s.sent.empty())
            EXPECT_TRUE(BothGot().empty());
        else
        {
            // The stop sentence is sent whole, with its line end.
            std::vector<std::string> a = first.Drain();
            ASSERT_EQ(a.size(), 1u);
            EXPECT_EQ(a[0], "$NTSTP, 12\r\n");
            second.Drain();
        }
    }
    EXPECT_EQ(t.m_Vessels[2].RunClock, 0.0); // the first play started the clock afresh
    EXPECT_TRUE(host.Messages().empty());
}

// Every density from 10 to 60 is shown back as typed; values beyond the range are refused.
TEST_F(TrainingPaneTest, DensityIsShownBackAsTypedAndKeptInItsRange)
{
    CTraining& t = Training();
    CMFCPropertyGridProperty* density = ById(CTrainingPane::DATA_DENSITY);
    for (int v = 10; v <= 60; ++v)
    {
        ASSERT_TRUE(Grid().EditProperty(density, std::to_string(v).c_str())) << v;
        EXPECT_EQ(t.m_FogDensity, static_cast<float>(v) / 1000.0f) << v;
        pane.InitPropList();
        density = ById(CTrainingPane::DATA_DENSITY);
        EXPECT_EQ(Grid().GetShownValue(density), CString((std::to_string(v) + "%").c_str())) << v;
    }
    BothGot();
    EXPECT_FALSE(Grid().EditProperty(density, "61"));
    EXPECT_EQ(t.m_FogDensity, 0.06f);
    EXPECT_TRUE(BothGot().empty());
}

TEST_F(TrainingPaneTest, NonFiniteWavesAreRefusedAndNothingIsSavedOrSent)
{
    CTraining& t = Training();
    t.m_WaveSpeed = 1.5f;
    for (const char* text : {"nan", "inf", "-inf", "1e999"})
    {
        SCOPED_TRACE(text);
        QFile::remove(LinuxPathFromWindows(CConfigFile().GetSettingsFileName("Environment")));
        UserEdits(ById(CTrainingPane::DATA_WAVE_SPEED), text);
        EXPECT_EQ(t.m_WaveSpeed, 1.5f);
        EXPECT_EQ(TrainingSettingsBytes("Environment"), QByteArray("(no file)"));
        EXPECT_TRUE(BothGot().empty());
    }
}

TEST_F(TrainingPaneTest, ComPortChosenInTheGridIsSaved)
{
    AfxResetComPortTable();
    AfxSetComPortDefaultMapping(false);
    PseudoTerminal line;
    line.AssignPort(3);
    pane.InitPropList();
    ASSERT_TRUE(UserEdits(ById(CTrainingPane::DATA_COM_PORT), "COM3"));
    EXPECT_EQ(Training().m_SerialPort, 3);
    EXPECT_TRUE(TrainingSettingsBytes("Environment").contains("Serial Port = 3"));
    ASSERT_TRUE(UserEdits(ById(CTrainingPane::DATA_COM_PORT), "None"));
    EXPECT_EQ(Training().m_SerialPort, 0);
    AfxResetComPortTable();
}

TEST_F(TrainingPaneTest, DockedPaneShowsInTheHostFrame)
{
    FrameProbe::ExpectFrameAsUserSeesIt(&host, {{"Training", &pane}});
}

// While the host is minimised the grid keeps its place; once restored it fills the pane again.
TEST_F(TrainingPaneTest, LayoutWaitsWhileTheMainWindowIsMinimised)
{
    const auto gridSize = [this] {
        CRect rect;
        Grid().GetWindowRect(&rect);
        return rect.Size();
    };
    CRect client;
    pane.GetClientRect(&client);
    EXPECT_EQ(gridSize(), client.Size());

    host.ShowWindow(SW_SHOWMINIMIZED);
    Pump();
    ASSERT_TRUE(host.IsIconic());
    const CSize before = gridSize();
    pane.SetWindowPos(nullptr, 0, 0, client.Width() - 40, client.Height() - 30, SWP_NOMOVE | SWP_NOZORDER);
    pane.AdjustLayout();
    Pump();
    EXPECT_EQ(gridSize(), before);

    host.ShowWindow(SW_SHOWNORMAL);
    Pump();
    pane.AdjustLayout();
    pane.GetClientRect(&client);
    EXPECT_EQ(gridSize(), client.Size());
}
} // namespace

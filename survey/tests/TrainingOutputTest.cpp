// The training output as the simulator meets it: the sentences that reach its UDP ports and
// serial line, byte for byte, and the two settings files the host reads back. Everything goes
// to receivers on 127.0.0.1 only.
#include "survey/records/Training.h"

#include "foundation/ConfigFile.h"
#include "geodesy/ComArray.h"
#include "platform/core/Path.h"
#include "platform/core/WinThread.h"
#include "platform/io/ComPortTable.h"
#include "testsupport/PseudoTerminal.h"
#include "testsupport/UdpSender.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include <poll.h>
#include <unistd.h>

namespace
{
using namespace std::chrono_literals;

sockaddr_in Loopback(uint16_t port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

// A simulator's port: a socket on 127.0.0.1 that the test reads.
class Receiver
{
public:
    Receiver()
    {
        m_Socket = WSASocketA(AF_INET, SOCK_DGRAM, 0, nullptr, 0, 0);
        sockaddr_in any = Loopback(0);
        bind(m_Socket, reinterpret_cast<const sockaddr*>(&any), sizeof any);
        int length = sizeof m_Address;
        getsockname(m_Socket, reinterpret_cast<sockaddr*>(&m_Address), &length);
        const DWORD wait = 2000;
        setsockopt(m_Socket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&wait), sizeof wait);
    }
    ~Receiver() { closesocket(m_Socket); }
    Receiver(const Receiver&) = delete;
    Receiver& operator=(const Receiver&) = delete;

    // The next datagram; "(none)" when none comes within two seconds.
    std::string Next() const
    {
        char buffer[512];
        const int n = recv(m_Socket, buffer, sizeof buffer, 0);
        return n < 0 ? std::string("(none)") : std::string(buffer, static_cast<size_t>(n));
    }
    // Whether a datagram is waiting (after a moment for one that is on its way).
    bool AnyWaiting() const
    {
        std::this_thread::sleep_for(50ms);
        ULONG waiting = 0;
        ioctlsocket(m_Socket, FIONREAD, &waiting);
        return waiting > 0;
    }
    const sockaddr_in& Address() const { return m_Address; }

private:
    SOCKET m_Socket = INVALID_SOCKET;
    sockaddr_in m_Address{};
};

// The checksum a sentence must end with, computed here from its text: the exclusive-or of
// every byte between '$' and '*'.
std::string ExpectedChecksum(const std::string& sentence)
{
    unsigned sum = 0;
    for (size_t i = 1; i < sentence.size() && sentence[i] != '*'; ++i)
        sum ^= static_cast<unsigned char>(sentence[i]);
    char text[8];
    std::snprintf(text, sizeof text, "*%02X\r\n", sum);
    return text;
}

std::string Body(const std::string& sentence)
{
    return sentence.substr(0, sentence.find('*'));
}

QByteArray SettingsBytes(const char* name)
{
    CConfigFile names;
    QFile file(LinuxPathFromWindows(names.GetSettingsFileName(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
}

// Windows Sockets started for the test's own sockets, before any of them is made.
struct SocketsStarted
{
    SocketsStarted()
    {
        WSADATA data;
        EXPECT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    }
    ~SocketsStarted() { WSACleanup(); }
};

class TrainingOutput : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(training.m_EnvironmentSender.Open(FreeUdpPort()));
        ASSERT_TRUE(training.m_NavigationSender.Open(FreeUdpPort()));
        for (const Receiver* r : {&first, &second})
        {
            training.m_EnvironmentSender.m_Targets.Add(r->Address());
            training.m_NavigationSender.m_Targets.Add(r->Address());
        }
    }
    void TearDown() override
    {
        for (CUdpSender* sender : {&training.m_EnvironmentSender, &training.m_NavigationSender})
        {
            sender->Close();
            if (sender->m_hThread != INVALID_HANDLE_VALUE)
            {
                EXPECT_EQ(WaitForSingleObject(sender->m_hThread, 5000), WAIT_OBJECT_0);
                CloseHandle(sender->m_hThread);
            }
        }
    }
    // What both receivers got next, when they got the same; the difference otherwise.
    std::string BothGot()
    {
        const std::string a = first.Next();
        const std::string b = second.Next();
        return a == b ? a : a + " | " + b;
    }

    SocketsStarted sockets;
    Receiver first, second;
    CTraining training;
};

TEST_F(TrainingOutput, WindAndEnvironmentSentencesReachEveryTargetWhole)
{
    training.m_WindDirection = 270.0f;
    training.m_WindSpeed = 2.5;
    training.SendWind();
    training.m_TimeOfDay = 1;
    training.m_Rain = false;
    training.m_Fog = true;
    training.m_FogDensity = 0.03f;
    training.SendEnvironment();
    EXPECT_EQ(BothGot(), "$GPMWV, 270.0, T, 2.5, M, A*0D\r\n");
    EXPECT_EQ(BothGot(), "$GPGOD, 1, 0, 1, 0.030*46\r\n");

    // They go out whether or not the output is in use, and the figures are rounded, not cut.
    training.m_Use = false;
    training.m_WindDirection = 359.96f;
    training.m_WindSpeed = 12.36;
    training.m_TimeOfDay = 3;
    training.m_Rain = true;
    training.m_FogDensity = 0.0606f;
    training.SendWind();
    training.SendEnvironment();
    const std::string wind = BothGot();
    EXPECT_EQ(Body(wind), "$GPMWV, 360.0, T, 12.4, M, A");
    EXPECT_EQ(wind.substr(wind.find('*')), ExpectedChecksum(wind));
    const std::string environment = BothGot();
    EXPECT_EQ(Body(environment), "$GPGOD, 3, 1, 1, 0.061");
    EXPECT_EQ(environment.substr(environment.find('*')), ExpectedChecksum(environment));
}

TEST_F(TrainingOutput, WindStatesSetTheSpeedResetTheSeaAndSendBothSentences)
{
    struct Case
    {
        int state;
        double speed;      // what the record holds after
        const char* field; // the speed as the wind sentence gives it
    };
    const double kept = 9.87;
    const Case cases[] = {
        {0, static_cast<double>(0.2f), "0.2"},
        {1, 1.5, "1.5"},
        {2, 2.5, "2.5"},
        {3, 3.5, "3.5"},
        {4, 4.5, "4.5"},
        {5, 5.5, "5.5"},
        {6, kept, "9.9"},
        {-1, kept, "9.9"},
    };
    training.m_WindDirection = 45.0f;
    training.m_FogDensity = 0.01f;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.state);
        training.m_WindSpeed = kept;
        training.m_WaveFrequency = 0.0f;
        training.m_WaveSpeed = 0.0f;
        training.m_NumberOfWaves = 0;
        training.SetWindState(c.state);
        EXPECT_EQ(training.m_WindState, c.state);
        EXPECT_EQ(training.m_WindSpeed, c.speed);
        EXPECT_EQ(training.m_WaveFrequency, 0.5f);
        EXPECT_EQ(training.m_WaveSpeed, 1.0f);
        EXPECT_EQ(training.m_NumberOfWaves, 16);
        const std::string wind = BothGot();
        EXPECT_EQ(Body(wind), std::string("$GPMWV, 45.0, T, ") + c.field + ", M, A");
        ASSERT_NE(wind.find('*'), std::string::npos) << wind;
        EXPECT_EQ(wind.substr(wind.find('*')), ExpectedChecksum(wind));
        EXPECT_EQ(BothGot(), "$GPGOD, 1, 0, 0, 0.010*45\r\n");
    }
    EXPECT_FALSE(first.AnyWaiting());
    EXPECT_EQ(SettingsBytes("Environment"), "(no file)") << "a wind state is not saved";
    EXPECT_EQ(SettingsBytes("Training"), "(no file)");
}

// The stop goes down the serial line first when one is set, and over UDP in every case while
// the output is in use; with the output out of use nothing moves.
TEST_F(TrainingOutput, StopGoesToTheSerialLineAndTheNavigationTargets)
{
    AfxSetComPortDefaultMapping(false);
    PseudoTerminal line;
    ASSERT_FALSE(line.path.empty());
    line.AssignPort(4);
    CComArray ports;
    auto* com4 = new ComDef;
    com4->m_nPort = 4;
    com4->m_bEnabled = 1;
    ports.Add(com4);
    ASSERT_TRUE(com4->Open());
    training.m_pComArray = &ports;

    const auto serialGot = [&line] {
        std::string got;
        pollfd p{line.master, POLLIN, 0};
        while (::poll(&p, 1, got.empty() ? 300 : 100) > 0)
        {
            char buffer[64];
            const ssize_t n = ::read(line.master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            got.append(buffer, static_cast<size_t>(n));
        }
        return got;
    };
    struct Case
    {
        const char* what;
        bool use;
        int serialPort;
        bool arrayThere;
        const char* serial; // what the line gets
        bool datagram;      // whether the targets get it
    };
    const Case cases[] = {
        {"serial and UDP", true, 4, true, "$NTSTP, 11\r\n", true},
        {"no serial port", true, 0, true, "", true},
        {"a port that is not there", true, 9, true, "", true},
        {"no port array", true, 4, false, "", true},
        {"output not in use", false, 4, true, "", false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        training.m_Use = c.use;
        training.m_SerialPort = c.serialPort;
        training.m_pComArray = c.arrayThere ? &ports : nullptr;
        training.SendStop(11);
        EXPECT_EQ(serialGot(), c.serial);
        if (c.datagram)
        {
            EXPECT_EQ(BothGot(), "$NTSTP, 11\r\n");
        }
        EXPECT_FALSE(first.AnyWaiting());
        EXPECT_FALSE(second.AnyWaiting());
    }

    // The helicopter's number has two digits; a closed port gets nothing, UDP still does.
    training.m_Use = true;
    training.m_SerialPort = 4;
    training.m_pComArray = &ports;
    com4->Close();
    training.SendStop(1);
    EXPECT_EQ(serialGot(), "");
    EXPECT_EQ(BothGot(), "$NTSTP, 01\r\n");
    ports.Stop();
    AfxResetComPortTable();
}

TEST_F(TrainingOutput, SettingsFilesAreWrittenLineForLine)
{
    training.m_Use = true;
    training.m_VesselPort = 5012;
    training.m_HelicopterMode = 2;
    training.m_WaypointFileName = "C:\\Training\\Waypoints, North.csv";
    training.m_WaypointName = "WP\r\n1";
    training.m_HelicopterSpeed = 12.34567;
    training.m_HelicopterRouteName = "Heli";
    training.m_Vessels[0].RouteName = "Alpha";
    training.m_Vessels[2].RouteName = "Charlie";
    training.m_ConnectionType = 1;
    training.m_SerialPort = 3;
    training.m_BaudRate = 4000000000u;
    training.m_EnvironmentPort = 5011;
    training.m_IpAddress = htonl(0xC0A80114u);
    training.m_TimeOfDay = 2;
    training.m_Rain = true;
    training.m_Fog = false;
    training.m_FogDensity = 0.045f;
    training.m_WindState = 4;
    training.m_WindDirection = 123.4567f;
    training.SaveSettings();
    EXPECT_EQ(SettingsBytes("Training"), QByteArray("Use = 1\r\n"
                                                    "Vessel Port = 5012\r\n"
                                                    "Mode = 2\r\n"
                                                    "Waypoint File Name = C:\\Training\\Waypoints\xAB"
                                                    "COMMA\xBB North.csv\r\n"
                                                    "Waypoint Name = WP\xAB"
                                                    "CR\xBB\xAB"
                                                    "LF\xBB"
                                                    "1\r\n"
                                                    "Speed = 12.346\r\n"
                                                    "Route = Heli\r\n"
                                                    "Route = Alpha\r\n"
                                                    "Route = \r\n"
                                                    "Route = Charlie\r\n"));
    EXPECT_EQ(SettingsBytes("Environment"), QByteArray("Connection Type = 1\r\n"
                                                       "Serial Port = 3\r\n"
                                                       "BaudRate = 4000000000\r\n"
                                                       "UDP Port = 5011\r\n"
                                                       "IP Address = 192.168.1.20\r\n"
                                                       "Time Of Day = 2\r\n"
                                                       "Rain = 1\r\n"
                                                       "Fog = 0\r\n"
                                                       "Fog Density = 0.045\r\n"
                                                       "Wind State = 4\r\n"
                                                       "Wind Direction = 123.457\r\n"));
    EXPECT_FALSE(first.AnyWaiting()) << "saving sends nothing";

    // A "Training" file that cannot be made is skipped; "Environment" is still written anew.
    CConfigFile names;
    const QString trainingPath = LinuxPathFromWindows(names.GetSettingsFileName("Training"));
    ASSERT_TRUE(QFile::remove(trainingPath));
    ASSERT_TRUE(QDir().mkpath(trainingPath));
    training.m_TimeOfDay = 0;
    training.SaveSettings();
    EXPECT_TRUE(QFileInfo(trainingPath).isDir());
    EXPECT_TRUE(SettingsBytes("Environment").contains("Time Of Day = 0\r\n"));
}

// A host's sender whose worker, as the host's own does, serves the socket until it is closed
// and says when it starts and ends.
class CRecordingSender : public CUdpSender
{
public:
    UINT ThreadBody() override
    {
        const int running = ++m_Running;
        if (running > m_MostAtOnce)
            m_MostAtOnce = running;
        ++m_Started;
        // The socket as the open left it: a receive ends when it is shut or closed.
        const SOCKET s = m_Socket;
        char buffer[64];
        while (recv(s, buffer, sizeof buffer, 0) > 0)
        {
        }
        while (m_bHoldOn)
            std::this_thread::sleep_for(5ms);
        --m_Running;
        ++m_Ended;
        return 0;
    }
    // Waits up to five seconds for `count` to reach `value`.
    static bool Reaches(const std::atomic<int>& count, int value)
    {
        for (int i = 0; i < 1000 && count != value; ++i)
            std::this_thread::sleep_for(5ms);
        return count == value;
    }
    // Closes it and lets its worker end for good.
    void Finish()
    {
        Close();
        m_bHoldOn = false;
        if (m_hThread != INVALID_HANDLE_VALUE)
        {
            EXPECT_EQ(WaitForSingleObject(m_hThread, 5000), WAIT_OBJECT_0);
            CloseHandle(m_hThread);
            m_hThread = INVALID_HANDLE_VALUE;
        }
    }

    std::atomic<int> m_Running{0};
    std::atomic<int> m_MostAtOnce{0};
    std::atomic<int> m_Started{0};
    std::atomic<int> m_Ended{0};
    std::atomic<bool> m_bHoldOn{false}; // the body lingers after its socket closed
};

uint16_t BoundPort(SOCKET s)
{
    sockaddr_in local{};
    int length = sizeof local;
    getsockname(s, reinterpret_cast<sockaddr*>(&local), &length);
    return ntohs(local.sin_port);
}

// Also run under the sanitizers (scripts/sanitize.sh runs every "*Stress" suite).
class TrainingSenderStress : public testing::Test
{
protected:
    void TearDown() override { WSAClearSendFailure(nullptr); }

    SocketsStarted sockets;
};

TEST_F(TrainingSenderStress, OpenBindsWithBroadcastAndReopensOnANewPortWithAFreshWorker)
{
    CRecordingSender sender;
    int owner = 0;
    const uint16_t port = FreeUdpPort();
    ASSERT_TRUE(sender.Open(port, &owner));
    EXPECT_TRUE(sender.IsOpen());
    EXPECT_EQ(sender.m_nPort, port);
    EXPECT_EQ(BoundPort(sender.m_Socket), port);
    EXPECT_EQ(sender.m_pOwner, &owner);
    int broadcast = 0;
    int length = sizeof broadcast;
    ASSERT_EQ(
        getsockopt(sender.m_Socket, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<char*>(&broadcast), &length),
        0);
    EXPECT_EQ(broadcast, 1);
    ASSERT_TRUE(CRecordingSender::Reaches(sender.m_Started, 1));
    const HANDLE firstWorker = sender.m_hThread;
    EXPECT_NE(firstWorker, INVALID_HANDLE_VALUE);

    // A second open of an open sender changes nothing.
    const SOCKET socket = sender.m_Socket;
    EXPECT_FALSE(sender.Open(FreeUdpPort(), nullptr));
    EXPECT_EQ(sender.m_Socket, socket);
    EXPECT_EQ(sender.m_nPort, port);
    EXPECT_EQ(sender.m_hThread, firstWorker);

    // Closed, its worker ends; opened on another port it is bound there and served by a new
    // worker; the owner is kept when none is given.
    sender.Close();
    EXPECT_FALSE(sender.IsOpen());
    sender.Close();
    ASSERT_TRUE(CRecordingSender::Reaches(sender.m_Ended, 1));
    const uint16_t next = FreeUdpPort();
    ASSERT_TRUE(sender.Open(next));
    EXPECT_EQ(BoundPort(sender.m_Socket), next);
    EXPECT_EQ(sender.m_nPort, next);
    EXPECT_EQ(sender.m_pOwner, &owner);
    ASSERT_TRUE(CRecordingSender::Reaches(sender.m_Started, 2));
    EXPECT_NE(sender.m_hThread, INVALID_HANDLE_VALUE);
    EXPECT_EQ(WaitForSingleObject(firstWorker, 0), WAIT_FAILED)
        << "the first worker's handle was joined and closed";

    // A worker that has not ended by the next open goes on serving; no second one starts.
    sender.m_bHoldOn = true;
    sender.Close();
    ASSERT_TRUE(sender.Open(FreeUdpPort()));
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(sender.m_Started, 2);
    EXPECT_EQ(sender.m_MostAtOnce, 1);
    sender.Finish();
    EXPECT_EQ(sender.m_Ended, 2);
    EXPECT_EQ(sender.m_MostAtOnce, 1);
}

TEST_F(TrainingSenderStress, OpenFailsOnAPortInUseAndTheSenderStaysClosed)
{
    CUdpSender other;
    const uint16_t port = FreeUdpPort();
    ASSERT_TRUE(other.Open(port));
    CRecordingSender sender;
    EXPECT_FALSE(sender.Open(port));
    EXPECT_FALSE(sender.IsOpen());
    EXPECT_EQ(sender.m_nPort, 0);
    EXPECT_EQ(sender.m_hThread, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(sender.SendToAll("x", 1));
    other.Close();
    ASSERT_NE(other.m_hThread, INVALID_HANDLE_VALUE);
    EXPECT_EQ(WaitForSingleObject(other.m_hThread, 5000), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(other.m_hThread, &code));
    EXPECT_EQ(code, 1u) << "the entry gives 1 after the host's body";
    CloseHandle(other.m_hThread);
}

TEST_F(TrainingSenderStress, AFailingTargetStaysListedAndTheNextStillReceives)
{
    Receiver a, b, c;
    CRecordingSender sender;
    ASSERT_TRUE(sender.Open(FreeUdpPort()));
    for (const Receiver* r : {&a, &b, &c})
        sender.m_Targets.Add(r->Address());
    WSAInjectSendFailure(b.Address(), WSAENETUNREACH);

    const std::string text = "$NTSTP, 10\r\n";
    for (int send = 1; send <= 2; ++send)
    {
        SCOPED_TRACE(send);
        EXPECT_TRUE(sender.SendToAll(text.data(), static_cast<int>(text.size())));
        EXPECT_EQ(a.Next(), text);
        EXPECT_EQ(c.Next(), text);
        EXPECT_EQ(sender.m_Targets.GetSize(), 3);
        const UdpSendFailureDef* failures = sender.GetSendFailures(b.Address());
        ASSERT_NE(failures, nullptr);
        EXPECT_EQ(failures->Count, static_cast<uint32_t>(send));
        EXPECT_EQ(failures->LastError, WSAENETUNREACH);
        EXPECT_EQ(sender.GetSendFailures(a.Address()), nullptr);
        EXPECT_EQ(sender.m_SendFailures.GetSize(), 1);
    }
    // The link comes back: the target that stayed listed receives again.
    WSAClearSendFailure(nullptr);
    EXPECT_TRUE(sender.SendToAll(text.data(), static_cast<int>(text.size())));
    EXPECT_EQ(b.Next(), text);
    EXPECT_EQ(a.Next(), text);
    EXPECT_EQ(c.Next(), text);
    EXPECT_EQ(sender.GetSendFailures(b.Address())->Count, 2u);

    // No targets: true, nothing sent. Bad arguments and a closed sender: false.
    sender.m_Targets.RemoveAll();
    EXPECT_TRUE(sender.SendToAll(text.data(), static_cast<int>(text.size())));
    EXPECT_FALSE(a.AnyWaiting());
    EXPECT_FALSE(sender.SendToAll(nullptr, 4));
    EXPECT_FALSE(sender.SendToAll(text.data(), 0));
    EXPECT_FALSE(sender.SendToAll(text.data(), -1));
    sender.Finish();
    EXPECT_FALSE(sender.SendToAll(text.data(), static_cast<int>(text.size())));
}
} // namespace

#include "foundation/WindowMessages.h"
#include "geodesy/ComArray.h"
#include "geodesy/ComsThread.h"
#include "platform/core/CmdTarget.h"
#include "platform/core/Path.h"
#include "platform/io/CommApi.h"
#include "platform/io/ComPortTable.h"
#include "testsupport/EventPump.h"
#include "testsupport/NmeaSentence.h"
#include "testsupport/PseudoTerminal.h"

#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace
{
using namespace std::chrono_literals;

// Stands for the main frame: takes the lines out of the ports' buffers as messages come.
class CTestFrame : public CCmdTarget
{
public:
    CTestFrame() { CreateMessageTarget(); }
    ~CTestFrame() override { DestroyMessageTarget(); }

    CComArray* m_pPorts = nullptr;
    std::vector<std::string> m_Lines;
    int m_nEmptyMessages = 0;
    std::vector<WPARAM> m_Timeouts;
    std::vector<WPARAM> m_Found;

protected:
    LRESULT OnReceiveData(WPARAM wParam, LPARAM lParam)
    {
        CStringArray lines;
        if (!m_pPorts || m_pPorts->TakeLines(wParam, lParam, lines) == 0)
            ++m_nEmptyMessages;
        for (INT_PTR i = 0; i < lines.GetSize(); ++i)
            m_Lines.push_back(lines[i].GetString());
        return 0;
    }
    LRESULT OnDataTimeout(WPARAM wParam, LPARAM)
    {
        m_Timeouts.push_back(wParam);
        return 0;
    }
    LRESULT OnPortFound(WPARAM wParam, LPARAM)
    {
        m_Found.push_back(wParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestFrame, CCmdTarget)
ON_REGISTERED_MESSAGE(UM_RECEIVE_DATA, &CTestFrame::OnReceiveData)
ON_REGISTERED_MESSAGE(UM_DATA_TIMEOUT, &CTestFrame::OnDataTimeout)
ON_REGISTERED_MESSAGE(UM_RS232_PORT_FOUND, &CTestFrame::OnPortFound)
END_MESSAGE_MAP()

std::string ReadWindowsFile(const CString& path)
{
    QFile f(LinuxPathFromWindows(path));
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll().toStdString();
}

void WriteWindowsFile(const CString& path, const std::string& text)
{
    QFile f(LinuxPathFromWindows(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.data(), static_cast<qint64>(text.size()));
}

// Writes a port's settings file as the port pane would.
void SavePortSettings(WORD port, bool enabled, int baud, int timeout = 15, int parity = 0, int stopBits = 1,
                      bool halfDuplex = false)
{
    ComDef def;
    def.m_strName.Format("COM%02d", port);
    def.m_nPort = port;
    def.m_bEnabled = enabled;
    def.m_nBaudRate = baud;
    def.m_nParity = parity;
    def.m_nStopBits = stopBits;
    def.m_b485HalfDuplex = halfDuplex;
    def.m_nTimeoutInterval = timeout;
    ASSERT_TRUE(def.Save());
}

class ComPortTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // Only the lines a test assigns exist: the machine's own ports stay out of it.
        AfxSetComPortDefaultMapping(false);
        frame.m_pPorts = &ports;
    }
    void TearDown() override
    {
        ports.Stop();
        AfxResetComPortTable();
    }
    void Assign(UINT n, const PseudoTerminal& pty) { pty.AssignPort(n); }

    CTestFrame frame;
    CMutex lock;
    CComArray ports;
};

TEST_F(ComPortTest, ListsExistingPortsAndDefinesTheOnesThatOpen)
{
    PseudoTerminal a, b, c;
    Assign(3, a);
    Assign(12, b);
    Assign(99, c);
    AfxSetComPortDevice(5, "/nonexistent/ttyUSB7");
    AfxSetComPortDevice(150, a.path.c_str()); // ports from 100 up are never used

    // COM12 is in use elsewhere: listed, but it gets no definition.
    HANDLE busy =
        CreateFileA("\\\\.\\COM12", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(busy, INVALID_HANDLE_VALUE);
    CUIntArray listed;
    ASSERT_EQ(ListComPorts(listed), 3);
    EXPECT_EQ(listed[0], 3u);
    EXPECT_EQ(listed[1], 12u);
    EXPECT_EQ(listed[2], 99u);

    SavePortSettings(3, true, 4800);
    ASSERT_EQ(ports.Create(&frame, &lock), 2);
    CloseHandle(busy);
    ComDef* com3 = ports[0];
    EXPECT_EQ(com3->m_nPort, 3);
    EXPECT_EQ(com3->m_nIndex, 0);
    EXPECT_EQ(com3->m_strName, "COM03");
    EXPECT_TRUE(com3->IsOpen());
    EXPECT_EQ(com3->m_nBaudRate, 4800);
    ASSERT_NE(com3->m_pThread, nullptr);
    EXPECT_EQ(com3->m_pThread->m_pPort, com3);
    // COM99 had no settings file: it is defined but disabled, so not open.
    EXPECT_EQ(ports[1]->m_nPort, 99);
    EXPECT_EQ(ports[1]->m_nIndex, 1);
    EXPECT_FALSE(ports[1]->IsOpen());
    // Created once: a second call only counts.
    EXPECT_EQ(ports.Create(&frame, &lock), 2);
    EXPECT_EQ(ports.FindPort(99), ports[1]);
    EXPECT_EQ(ports.FindPort(12), nullptr);
}

TEST_F(ComPortTest, AFileNamingAnotherPortIsCorrected)
{
    PseudoTerminal a;
    Assign(4, a);
    SavePortSettings(4, true, 9600);
    ComDef named;
    named.m_strName = "COM04";
    const CString path = named.GetSettingsFileName();
    std::string text = ReadWindowsFile(path);
    text.replace(text.find("Port Number = 4"), 15, "Port Number = 6");
    WriteWindowsFile(path, text);

    ASSERT_EQ(ports.Create(&frame, &lock), 1);
    EXPECT_EQ(ports[0]->m_nPort, 4);
    EXPECT_TRUE(ports[0]->IsOpen());
    EXPECT_EQ(ReadWindowsFile(path).substr(0, 17), "Port Number = 4\r\n");
}

TEST_F(ComPortTest, SettingsFileFormatAndFallbacks)
{
    ComDef def;
    def.m_strName = "COM3";
    def.m_nPort = 3;
    def.m_bEnabled = 1;
    def.m_nBaudRate = 38400;
    def.m_nParity = 2;
    def.m_nDataBits = 7;
    def.m_nStopBits = 2;
    def.m_b485HalfDuplex = 1;
    def.m_cTermChar = 13;
    def.m_bCheckSum = 0;
    def.m_nTimeoutInterval = 30;
    def.m_nMapping = 4000000000u;
    ASSERT_TRUE(def.Save());
    EXPECT_EQ(def.m_strName, "COM03");
    const CString path = def.GetSettingsFileName();
    EXPECT_EQ(path.Right(20), "\\COM_Ports\\COM03.INI");
    EXPECT_EQ(ReadWindowsFile(path),
              "Port Number = 3\r\nStatus = 1\r\nBaud Rate = 38400\r\nParity = 2\r\n"
              "Data Bits = 7\r\nStop Bits = 2\r\n485 Half Duplex = 1\r\nTerm Char = 13\r\n"
              "Check Sum = 0\r\nTimeoutInterval = 30\r\nMapping = 4000000000\r\n");

    ComDef back;
    back.Load("COM03");
    EXPECT_EQ(back.m_nPort, 3);
    EXPECT_EQ(back.m_nBaudRate, 38400);
    EXPECT_EQ(back.m_nParity, 2);
    EXPECT_EQ(back.m_nDataBits, 7);
    EXPECT_EQ(back.m_nStopBits, 2);
    EXPECT_EQ(back.m_b485HalfDuplex, 1);
    EXPECT_EQ(back.m_cTermChar, 13);
    EXPECT_EQ(back.m_bCheckSum, 0);
    EXPECT_EQ(back.m_nTimeoutInterval, 30);
    EXPECT_EQ(back.m_nMapping, 4000000000u);
    // No device behind COM3 here: the port cannot open and is disabled.
    EXPECT_FALSE(back.IsOpen());
    EXPECT_EQ(back.m_bEnabled, 0);

    // Values out of range, and a file cut short by an older version.
    WriteWindowsFile(path, "Port Number = 3\r\nStatus = 0\r\nBaud Rate = 14400\r\nParity = 9\r\n"
                           "Data Bits = 9\r\nStop Bits = 0\r\n485 Half Duplex = 0\r\nTerm Char = 10\r\n"
                           "Check Sum = 1\r\n");
    ComDef odd;
    odd.Load("COM03");
    EXPECT_EQ(odd.m_nBaudRate, 9600);
    EXPECT_EQ(odd.m_nParity, 0);
    EXPECT_EQ(odd.m_nDataBits, 8);
    EXPECT_EQ(odd.m_nStopBits, 1);
    EXPECT_EQ(odd.m_nTimeoutInterval, 15);
    EXPECT_EQ(odd.m_nMapping, 0u);

    // With a number already set, the number comes from the name.
    ComDef numbered;
    numbered.m_nPort = 1;
    numbered.Load("COM7");
    EXPECT_EQ(numbered.m_nPort, 7);
    EXPECT_EQ(numbered.m_strName, "COM07");
    numbered.Load("GPS");
    EXPECT_EQ(numbered.m_nPort, 0xFFFF);

    // A definition without a name keeps the short fallback file.
    ComDef unnamed;
    unnamed.m_nPort = 4;
    unnamed.m_nBaudRate = 4800;
    unnamed.m_nParity = 7; // not a parity: written as none
    unnamed.m_nDataBits = 7;
    unnamed.m_nStopBits = 2;
    ASSERT_TRUE(unnamed.Save());
    const CString fallback = unnamed.GetSettingsFileName();
    EXPECT_EQ(fallback.Right(23), "\\COM_Ports\\COM_PORT.INI");
    EXPECT_EQ(ReadWindowsFile(fallback),
              "Port = 4\r\nBaudrate = 4800\r\nParity = N\r\nData Bits = 7\r\nStop Bits = 2\r\n");
    WriteWindowsFile(fallback,
                     "Port = 5\r\nBaudrate = 19200\r\nParity = E\r\nData Bits = 7\r\nStop Bits = 2\r\n");
    ComDef reread;
    reread.Load("");
    EXPECT_EQ(reread.m_nPort, 5);
    EXPECT_EQ(reread.m_nBaudRate, 19200);
    EXPECT_EQ(reread.m_nParity, 2);
    EXPECT_EQ(reread.m_nDataBits, 7);
}

TEST_F(ComPortTest, OpenSetsTheLineAsDefined)
{
    PseudoTerminal a;
    Assign(6, a);
    ComDef def;
    def.m_strName = "COM06";
    def.m_nPort = 6;
    def.m_nBaudRate = 4800;
    def.m_nParity = 1; // odd
    def.m_nStopBits = 2;
    def.m_b485HalfDuplex = 1;

    EXPECT_FALSE(def.Open()); // disabled
    def.m_bEnabled = 1;
    ASSERT_TRUE(def.Open());
    EXPECT_EQ(def.m_RxBuffer.GetCapacity(), 4096);
    EXPECT_TRUE(def.Open()); // already open: still open

    const std::string stty = a.Stty();
    EXPECT_NE(stty.find("speed 4800 baud"), std::string::npos) << stty;
    for (const char* flag : {" cstopb ", " crtscts ", " parodd ", " -cmspar ", " -icanon ", " -echo ",
                             " -opost ", " -icrnl ", " -ixon "})
        EXPECT_NE(stty.find(flag), std::string::npos) << flag << " in " << stty;

    def.Close();
    def.m_nBaudRate = 19200;
    def.m_nParity = 0;
    def.m_nStopBits = 1;
    def.m_b485HalfDuplex = 0;
    ASSERT_TRUE(def.Open());
    const std::string plain = a.Stty();
    EXPECT_NE(plain.find("speed 19200 baud"), std::string::npos);
    for (const char* flag : {" -cstopb ", " -crtscts ", " -parodd "})
        EXPECT_NE(plain.find(flag), std::string::npos) << flag;
    def.Close();

    for (WORD bad : {WORD(0), WORD(257)})
    {
        def.m_nPort = bad;
        def.m_bEnabled = 1;
        EXPECT_FALSE(def.Open());
        EXPECT_EQ(def.m_bEnabled, 1); // refused before any open: still enabled
    }
    def.m_nPort = 8; // nothing behind it
    EXPECT_FALSE(def.Open());
    EXPECT_EQ(def.m_bEnabled, 0);
}

// The tests of the serial threads under load and teardown also run under the sanitizers
// (scripts/sanitize.sh runs every "*Stress" suite).
using SerialStress = ComPortTest;

TEST_F(SerialStress, NmeaAtASteadyRateArrivesWholeAndInOrder)
{
    PseudoTerminal a;
    Assign(4, a);
    SavePortSettings(4, true, 38400);
    ASSERT_EQ(ports.Create(&frame, &lock), 1);
    ports.StartThreads();

    const int count = 200;
    std::vector<std::string> sent;
    for (int i = 0; i < count; ++i)
        sent.push_back(NmeaSentence("GPGGA,1200" + std::to_string(i) +
                                    ".00,5130.1234,N,00007.5678,W,1,08,0.9,10.0,M,,,,"));
    std::thread device([&] {
        // Sentences cut at odd places, as a line delivers them.
        for (int i = 0; i < count; ++i)
        {
            const std::string& s = sent[static_cast<size_t>(i)];
            const size_t cut = static_cast<size_t>(i) % s.size();
            a.Send(s.substr(0, cut));
            std::this_thread::sleep_for(2ms);
            a.Send(s.substr(cut));
            std::this_thread::sleep_for(3ms);
        }
    });
    const bool all = PumpUntil([&] { return frame.m_Lines.size() >= sent.size(); }, 15000);
    device.join();
    ASSERT_TRUE(all) << frame.m_Lines.size();
    EXPECT_EQ(frame.m_Lines, sent);
    EXPECT_TRUE(frame.m_Timeouts.empty());
}

TEST_F(ComPortTest, SilenceIsReportedOncePerSilentPeriod)
{
    PseudoTerminal a;
    Assign(2, a);
    SavePortSettings(2, true, 9600, 0); // a time-out of 0 s: any whole second of silence
    ASSERT_EQ(ports.Create(&frame, &lock), 1);
    ports.StartThreads();

    a.Send(NmeaSentence("GPZDA,1"));
    ASSERT_TRUE(PumpUntil([&] { return frame.m_Lines.size() == 1; }, 3000));
    ASSERT_TRUE(PumpUntil([&] { return !frame.m_Timeouts.empty(); }, 3000));
    PumpFor(1500);
    ASSERT_EQ(frame.m_Timeouts.size(), 1u);
    EXPECT_EQ(frame.m_Timeouts[0], 2u);

    // Data clears the state; the next silence is reported again.
    a.Send(NmeaSentence("GPZDA,2"));
    ASSERT_TRUE(PumpUntil([&] { return frame.m_Lines.size() == 2; }, 3000));
    EXPECT_EQ(frame.m_Timeouts.size(), 1u);
    ASSERT_TRUE(PumpUntil([&] { return frame.m_Timeouts.size() == 2; }, 3000));
}

// Plays a receiver fixed at one rate: sentences when the line is set to it, noise otherwise.
struct FixedRateDevice
{
    FixedRateDevice(const PseudoTerminal& line, speed_t rate, std::string sentence)
        : thread([this, &line, rate, sentence] {
              while (!stop)
              {
                  line.Send(line.Speed() == rate ? sentence : std::string("\x93\xF1\x0D\x8A\n"));
                  std::this_thread::sleep_for(20ms);
              }
          })
    {
    }
    ~FixedRateDevice()
    {
        stop = true;
        thread.join();
    }
    std::atomic<bool> stop{false};
    std::thread thread;
};

TEST_F(SerialStress, BaudSearchFindsTheRate)
{
    PseudoTerminal a;
    Assign(5, a);
    SavePortSettings(5, true, 9600);
    ASSERT_EQ(ports.Create(&frame, &lock), 1);
    FixedRateDevice device(a, B4800, NmeaSentence("GPRMC,120000.00,A,5130.1,N,00007.5,W,0.1,45.0,010124,,"));
    ports[0]->m_pThread->StartBaudSearch();
    ports.StartThreads();

    ASSERT_TRUE(PumpUntil([&] { return !frame.m_Found.empty(); }, 10000));
    EXPECT_EQ(frame.m_Found[0], 5u);
    // The search ends with the port open at the rate found, and saved.
    ASSERT_TRUE(PumpUntil([&] { return !frame.m_Lines.empty(); }, 5000));
    {
        CSingleLock held(&lock, TRUE);
        EXPECT_EQ(ports[0]->m_nBaudRate, 4800);
        EXPECT_TRUE(ports[0]->IsOpen());
    }
    EXPECT_EQ(a.Speed(), static_cast<speed_t>(B4800));
    EXPECT_NE(ReadWindowsFile(ports[0]->GetSettingsFileName()).find("Baud Rate = 4800\r\n"),
              std::string::npos);
}

TEST_F(ComPortTest, AFailedBaudSearchRestoresTheRate)
{
    PseudoTerminal a;
    Assign(5, a);
    SavePortSettings(5, true, 19200);
    ASSERT_EQ(ports.Create(&frame, &lock), 1);
    // Talks, but nothing the search knows: every rate fails at the first whole line.
    std::atomic<bool> stop{false};
    std::thread talker([&] {
        while (!stop)
        {
            a.Send("$GPXYZ,1,2,3*00\r\n");
            std::this_thread::sleep_for(10ms);
        }
    });
    ports[0]->m_pThread->StartBaudSearch();
    ports.StartThreads();
    ASSERT_TRUE(PumpUntil(
        [&] {
            CSingleLock held(&lock, TRUE);
            return ports[0]->m_pThread->m_nMode == CComsThread::MODE_READ;
        },
        15000));
    // The unknown sentences now reach the frame as data.
    ASSERT_TRUE(PumpUntil([&] { return !frame.m_Lines.empty(); }, 5000));
    stop = true;
    talker.join();
    EXPECT_TRUE(frame.m_Found.empty());
    {
        CSingleLock held(&lock, TRUE);
        EXPECT_EQ(ports[0]->m_nBaudRate, 19200);
        EXPECT_TRUE(ports[0]->IsOpen());
    }
    EXPECT_EQ(a.Speed(), static_cast<speed_t>(B19200));
}

TEST_F(SerialStress, StopEndsEveryThreadAtOnceAndLateMessagesFindNothing)
{
    PseudoTerminal a, b;
    Assign(1, a);
    Assign(2, b);
    SavePortSettings(1, true, 9600);
    SavePortSettings(2, false, 9600); // disabled: its thread idles in long pauses
    ASSERT_EQ(ports.Create(&frame, &lock), 2);
    ports.StartThreads();
    a.Send(NmeaSentence("GPGLL,1"));
    ASSERT_TRUE(PumpUntil([&] { return frame.m_Lines.size() == 1; }, 3000));
    PumpFor(300);

    // Data that came just before the stop leaves a message queued for a port that is gone.
    a.Send(NmeaSentence("GPGLL,2"));
    std::this_thread::sleep_for(300ms);
    const LPARAM stale = reinterpret_cast<LPARAM>(&ports[0]->m_RxBuffer);
    QElapsedTimer timer;
    timer.start();
    ports.Stop();
    EXPECT_LT(timer.elapsed(), 500);
    EXPECT_EQ(ports.GetSize(), 0);
    EXPECT_EQ(ports.m_nCount, 0);
    const int before = frame.m_nEmptyMessages;
    PumpFor(200);
    EXPECT_EQ(frame.m_Lines.size(), 1u);
    EXPECT_GT(frame.m_nEmptyMessages, before);
    CStringArray lines;
    EXPECT_EQ(ports.TakeLines(1, stale, lines), 0);
}

TEST_F(ComPortTest, LinesAreTakenOnlyWithTheirPortsBuffer)
{
    PseudoTerminal a;
    Assign(7, a);
    SavePortSettings(7, true, 9600);
    ASSERT_EQ(ports.Create(&frame, &lock), 1);
    ComDef* port = ports[0];
    {
        CSingleLock held(&lock, TRUE);
        port->m_RxBuffer.Write("$GPVTG,1\r\n$GPVTG,2\r\n$GPV");
    }
    CRingBuffer other;
    CStringArray lines;
    // A UDP reader on port 7 posts the same port number with its own buffer.
    EXPECT_EQ(ports.TakeLines(7, reinterpret_cast<LPARAM>(&other), lines), 0);
    EXPECT_EQ(ports.TakeLines(8, reinterpret_cast<LPARAM>(&port->m_RxBuffer), lines), 0);
    EXPECT_EQ(ports.TakeLines(7, reinterpret_cast<LPARAM>(&port->m_RxBuffer), lines), 2);
    ASSERT_EQ(lines.GetSize(), 2);
    EXPECT_EQ(lines[1], "$GPVTG,2\r\n");
    EXPECT_EQ(port->m_RxBuffer.GetCount(), 4); // the unfinished sentence waits

    EXPECT_TRUE(ports.WriteToPort(7, "$NTSTP,1\r\n"));
    EXPECT_FALSE(ports.WriteToPort(9, "x"));
    char echoed[32] = {};
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(::read(a.master, echoed, sizeof echoed), 10);
    EXPECT_STREQ(echoed, "$NTSTP,1\r\n");
}
// A text for a port goes to the first port of that number only, and never to a closed one.
TEST_F(ComPortTest, WriteToPortTakesTheFirstPortOfThatNumber)
{
    PseudoTerminal line;
    Assign(6, line);
    auto* closed = new ComDef;
    closed->m_nPort = 6;
    auto* open = new ComDef;
    open->m_nPort = 6;
    open->m_bEnabled = 1;
    ASSERT_TRUE(open->Open());
    const auto lineGot = [&line] {
        std::this_thread::sleep_for(50ms);
        char got[32] = {};
        const ssize_t n = ::read(line.master, got, sizeof got);
        return n > 0 ? std::string(got, static_cast<size_t>(n)) : std::string();
    };
    const int flags = ::fcntl(line.master, F_GETFL);
    ASSERT_EQ(::fcntl(line.master, F_SETFL, flags | O_NONBLOCK), 0);

    ports.Add(closed);
    ports.Add(open);
    EXPECT_FALSE(ports.WriteToPort(6, "$NTSTP, 10\r\n"));
    EXPECT_EQ(lineGot(), "") << "a later port of the same number is not tried";
    ports.RemoveAt(0);
    ports.Add(closed);
    EXPECT_TRUE(ports.WriteToPort(6, "$NTSTP, 10\r\n"));
    EXPECT_EQ(lineGot(), "$NTSTP, 10\r\n") << "the text without its terminating zero";
    EXPECT_TRUE(ports.WriteToPort(6, ""));
    EXPECT_EQ(lineGot(), "");
}
} // namespace

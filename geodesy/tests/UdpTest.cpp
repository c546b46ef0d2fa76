#include "foundation/WindowMessages.h"
#include "geodesy/UdpArray.h"
#include "platform/core/CmdTarget.h"
#include "platform/core/Path.h"
#include "testsupport/EventPump.h"
#include "testsupport/UdpSender.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

namespace
{
using namespace std::chrono_literals;

// Sends to some ports, as fast as it may, until destroyed.
class Flood
{
public:
    explicit Flood(std::vector<WORD> ports)
        : m_thread([this, ports] {
              UdpSender s;
              for (int i = 0; !m_stop; ++i)
              {
                  for (WORD p : ports)
                      s.Send(p, "$GPGGA,flood," + std::to_string(i) + "\r\n");
                  if (i % 16 == 0)
                      std::this_thread::sleep_for(1ms);
              }
          })
    {
    }
    ~Flood()
    {
        m_stop = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// Stands for the main frame: takes the lines out of the readers' buffers as messages come.
class CUdpTestFrame : public CCmdTarget
{
public:
    CUdpTestFrame() { CreateMessageTarget(); }
    ~CUdpTestFrame() override { DestroyMessageTarget(); }

    CUdpArray* m_pReaders = nullptr;
    std::vector<std::string> m_Lines;
    int m_nMessages = 0;
    int m_nEmptyMessages = 0;

protected:
    LRESULT OnReceiveData(WPARAM wParam, LPARAM lParam)
    {
        ++m_nMessages;
        CStringArray lines;
        if (!m_pReaders || m_pReaders->TakeLines(wParam, lParam, lines) == 0)
            ++m_nEmptyMessages;
        for (INT_PTR i = 0; i < lines.GetSize(); ++i)
            m_Lines.emplace_back(lines[i].GetString(), static_cast<size_t>(lines[i].GetLength()));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUdpTestFrame, CCmdTarget)
ON_REGISTERED_MESSAGE(UM_RECEIVE_DATA, &CUdpTestFrame::OnReceiveData)
END_MESSAGE_MAP()

std::string ReadWindowsFileBytes(const CString& path)
{
    QFile f(LinuxPathFromWindows(path));
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll().toStdString();
}

class UdpTest : public testing::Test
{
protected:
    void SetUp() override { frame.m_pReaders = &readers; }
    void TearDown() override { readers.Stop(); }

    void WriteList(const std::string& text)
    {
        QFile f(LinuxPathFromWindows(readers.GetListFileName()));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.data(), static_cast<qint64>(text.size()));
    }
    void WriteList(const std::vector<WORD>& ports)
    {
        std::string text;
        for (size_t i = 0; i < ports.size(); ++i)
            text += std::to_string(ports[i]) + ", Input " + std::to_string(i + 1) + "\r\n";
        WriteList(text);
    }

    CUdpTestFrame frame;
    CUdpArray readers;
    UdpSender sender;
};

TEST_F(UdpTest, LoadReadsTheListFile)
{
    EXPECT_EQ(readers.GetListFileName().Right(24), "\\UDP_Ports\\UDP Ports.UDP");
    EXPECT_FALSE(readers.Load(&frame)); // no list file yet
    EXPECT_EQ(readers.GetSize(), 0);

    const WORD p1 = FreeUdpPort();
    WORD p2 = FreeUdpPort();
    while (p2 == p1)
        p2 = FreeUdpPort();
    WriteList(std::to_string(p1) + ", GPS One\r\n" + std::to_string(p2) + ",Gyro\r\n" + std::to_string(p1) +
              ", GPS Renamed\r\n0, Nothing\r\n70000, Too big\r\n-5, Negative\r\n, Blank\r\n");
    ASSERT_TRUE(readers.Load(&frame));
    ASSERT_EQ(readers.GetSize(), 2);
    EXPECT_EQ(readers[0]->m_nPort, p1);
    EXPECT_EQ(readers[0]->m_strName, "GPS Renamed"); // the later line names it
    EXPECT_EQ(readers[1]->m_nPort, p2);
    EXPECT_EQ(readers[1]->m_strName, "Gyro");
    EXPECT_TRUE(readers[0]->IsRunning());
    EXPECT_TRUE(readers[1]->IsRunning());
    EXPECT_EQ(readers.FindReader(p2), readers[1]);
    EXPECT_EQ(readers[0]->m_RxBuffer.GetCapacity(), CUdpReader::BUFFER_SIZE);

    // Each reader wrote its settings when it was opened, under the name it had then.
    CString folder = readers.GetListFileName();
    folder = folder.Left(folder.ReverseFind('\\') + 1);
    EXPECT_EQ(ReadWindowsFileBytes(folder + "GPS_One.INI"),
              "Port No = " + std::to_string(p1) + "\r\nEnable = 1\r\n");
    EXPECT_EQ(ReadWindowsFileBytes(folder + "Gyro.INI"), "Port No = " + std::to_string(p2) + "\r\nEnable = 1\r\n");

    // Loading again starts afresh.
    WriteList(std::to_string(p2) + ", Gyro\r\n");
    ASSERT_TRUE(readers.Load(&frame));
    ASSERT_EQ(readers.GetSize(), 1);
    EXPECT_EQ(readers[0]->m_nPort, p2);
}

TEST_F(UdpTest, DatagramsArriveInOrderAndALongOneIsCut)
{
    const WORD port = FreeUdpPort();
    WriteList(std::vector<WORD>{port});
    ASSERT_TRUE(readers.Load(&frame));

    std::vector<std::string> sent;
    for (int i = 0; i < 500; ++i)
    {
        sent.push_back("$GPRMC,12000" + std::to_string(i) + ",A,5130.1,N,00007.5,W,0.1,45.0,010124,,*00\r\n");
        ASSERT_TRUE(sender.Send(port, sent.back()));
        // A source sends at its own pace; the frame goes on taking lines meanwhile.
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(200us);
    }
    ASSERT_TRUE(PumpUntil([&] { return frame.m_Lines.size() >= sent.size(); }, 10000))
        << frame.m_Lines.size();
    EXPECT_EQ(frame.m_Lines, sent);

    // 5000 bytes in one datagram: only the first 4096 arrive.
    const std::string head = std::string(4095, 'A') + "\n";
    ASSERT_TRUE(sender.Send(port, head + std::string(903, 'B') + "\n"));
    ASSERT_TRUE(sender.Send(port, "$GPGGA,after\r\n"));
    ASSERT_TRUE(PumpUntil([&] { return frame.m_Lines.size() >= sent.size() + 2; }, 5000));
    EXPECT_EQ(frame.m_Lines[sent.size()], head);
    EXPECT_EQ(frame.m_Lines[sent.size() + 1], "$GPGGA,after\r\n");
    PumpFor(100);
    EXPECT_EQ(frame.m_Lines.size(), sent.size() + 2);
}

TEST_F(UdpTest, APortHeldElsewhereGivesAReaderWithoutData)
{
    const int other = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_ANY);
    ASSERT_EQ(::bind(other, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    socklen_t length = sizeof a;
    ::getsockname(other, reinterpret_cast<sockaddr*>(&a), &length);
    const WORD held = ntohs(a.sin_port);
    const WORD free = FreeUdpPort();

    WriteList(std::vector<WORD>{held, free});
    ASSERT_TRUE(readers.Load(&frame));
    ASSERT_EQ(readers.GetSize(), 2); // still listed
    EXPECT_FALSE(readers[0]->IsRunning());
    EXPECT_EQ(readers[0]->m_Socket.load(), INVALID_SOCKET);
    EXPECT_TRUE(readers[1]->IsRunning());

    sender.Send(held, "$GPGGA,elsewhere\r\n");
    sender.Send(free, "$GPGGA,here\r\n");
    ASSERT_TRUE(PumpUntil([&] { return !frame.m_Lines.empty(); }, 3000));
    PumpFor(100);
    ASSERT_EQ(frame.m_Lines.size(), 1u);
    EXPECT_EQ(frame.m_Lines[0], "$GPGGA,here\r\n");
    ::close(other);
}

TEST_F(UdpTest, OpeningAgainMovesTheReader)
{
    const WORD first = FreeUdpPort();
    WORD second = FreeUdpPort();
    while (second == first)
        second = FreeUdpPort();
    WriteList(std::vector<WORD>{first});
    ASSERT_TRUE(readers.Load(&frame));
    ASSERT_TRUE(readers[0]->Open(&frame, second));
    EXPECT_EQ(readers[0]->m_nPort, second);
    EXPECT_TRUE(readers[0]->IsRunning());
    sender.Send(first, "$GPGGA,old\r\n");
    sender.Send(second, "$GPGGA,new\r\n");
    ASSERT_TRUE(PumpUntil([&] { return !frame.m_Lines.empty(); }, 3000));
    PumpFor(100);
    ASSERT_EQ(frame.m_Lines.size(), 1u);
    EXPECT_EQ(frame.m_Lines[0], "$GPGGA,new\r\n");
}

// The tests below also run under the sanitizers (scripts/sanitize.sh runs every "*Stress" suite).
using UdpStress = UdpTest;

TEST_F(UdpStress, StopEndsEveryReaderWithinASecondWhileDatagramsArrive)
{
    std::vector<WORD> ports;
    while (ports.size() < 3)
    {
        const WORD p = FreeUdpPort();
        if (std::find(ports.begin(), ports.end(), p) == ports.end())
            ports.push_back(p);
    }
    WriteList(ports);
    ASSERT_TRUE(readers.Load(&frame));
    Flood flood(ports);
    ASSERT_TRUE(PumpUntil([&] { return frame.m_Lines.size() > 300; }, 5000));

    QElapsedTimer timer;
    timer.start();
    readers.Stop();
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_EQ(readers.GetSize(), 0);

    // Messages posted before the stop find nothing; none come after it.
    const size_t lines = frame.m_Lines.size();
    PumpFor(100);
    const int messages = frame.m_nMessages;
    EXPECT_EQ(frame.m_Lines.size(), lines);
    PumpFor(200);
    EXPECT_EQ(frame.m_nMessages, messages);
}

TEST_F(UdpStress, StartStopStartAHundredTimes)
{
    const WORD port = FreeUdpPort();
    WriteList(std::vector<WORD>{port});
    Flood flood({port});
    for (int round = 0; round < 100; ++round)
    {
        ASSERT_TRUE(readers.Load(&frame)) << round;
        ASSERT_EQ(readers.GetSize(), 1);
        ASSERT_TRUE(readers[0]->IsRunning()) << round;
        // Every other round the readers go with their messages still queued, so the next
        // round's frame meets messages of readers that no longer exist.
        if (round % 2 == 0)
            PumpFor(5);
        else
            std::this_thread::sleep_for(5ms);
    }
    readers.Stop();
    PumpFor(200);
    EXPECT_GT(frame.m_Lines.size(), 0u);
    for (const std::string& line : frame.m_Lines)
        ASSERT_EQ(line.rfind("$GPGGA,flood,", 0), 0u) << line;
}

// Lines that reach the socket are never lost by the reader. The system may still drop datagrams
// when its queue of the socket is full (a busy machine, a queue smaller than asked for): those
// are counted apart, from the socket's own count. The test waits for the source's last word
// rather than for a time, so a slow machine makes it slower, not failed.
TEST_F(UdpStress, TenThousandLinesASecondLoseNothingOfTheirOwn)
{
    const WORD port = FreeUdpPort();
    WriteList(std::vector<WORD>{port});
    ASSERT_TRUE(readers.Load(&frame));

    const int perSecond = 10000;
    const int seconds = 3;
    const int total = perSecond * seconds;
    auto lineOf = [](int i) {
        char line[96];
        std::snprintf(line, sizeof line, "$GPGGA,%06d,5130.1234,N,00007.5678,W,1,08,0.9,10.0,M,,,,*00\r\n", i);
        return std::string(line);
    };
    const std::string endLine = "$GPTXT,end\r\n";
    std::atomic<bool> endSeen{false};
    std::thread source([&] {
        UdpSender s;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < total; ++i)
        {
            // Paced by the clock: line i leaves at i / 10 000 s.
            if (i % 10 == 0)
                std::this_thread::sleep_until(start + std::chrono::microseconds(i * 1000000LL / perSecond));
            s.Send(port, lineOf(i));
        }
        // The last word, again until heard: it may be dropped like any other datagram.
        while (!endSeen)
        {
            s.Send(port, endLine);
            std::this_thread::sleep_for(20ms);
        }
    });
    QElapsedTimer timer;
    timer.start();
    // A bound only for a reader that stopped reading altogether.
    const bool ended = PumpUntil([&] { return !frame.m_Lines.empty() && frame.m_Lines.back() == endLine; }, 25000);
    const qint64 elapsed = timer.elapsed();
    endSeen = true;
    source.join();
    const DWORD systemDrops = readers[0]->GetSystemDropCount();
    readers.Stop();
    ASSERT_TRUE(ended) << frame.m_Lines.size() << " lines, no end line";

    // Every line whole and in order; a gap is a line that never reached the reader.
    int received = 0;
    int last = -1;
    for (const std::string& line : frame.m_Lines)
    {
        if (line == endLine)
            continue;
        const int i = std::atoi(line.c_str() + 7);
        ASSERT_GT(i, last) << line;
        ASSERT_LT(i, total) << line;
        ASSERT_EQ(line, lineOf(i));
        last = i;
        ++received;
    }
    const int ownLosses = std::max(0, total - received - static_cast<int>(systemDrops));
    EXPECT_EQ(ownLosses, 0) << received << " of " << total << " lines, " << systemDrops
                            << " dropped by the system";
    RecordProperty("elapsed_ms", static_cast<int>(elapsed));
    RecordProperty("system_drops", static_cast<int>(systemDrops));
    std::printf("%d of %d lines in %lld ms, %d messages, %u dropped by the system\n", received, total,
                static_cast<long long>(elapsed), frame.m_nMessages, static_cast<unsigned>(systemDrops));
}
} // namespace

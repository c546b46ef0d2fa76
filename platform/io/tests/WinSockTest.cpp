#include "platform/io/WinSock.h"

#include "platform/core/Sync.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <utility>

namespace
{
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point t)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
}

sockaddr_in Loopback(WORD port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

class WinSockTest : public testing::Test
{
protected:
    void SetUp() override
    {
        WSADATA data;
        ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
        EXPECT_EQ(data.wVersion, MAKEWORD(2, 2));
        receiver = Bound(0);
        ASSERT_NE(receiver, INVALID_SOCKET);
        sockaddr_in local{};
        int length = sizeof local;
        ASSERT_EQ(getsockname(receiver, reinterpret_cast<sockaddr*>(&local), &length), 0);
        port = ntohs(local.sin_port);
        sender = WSASocketA(AF_INET, SOCK_DGRAM, IPPROTO_UDP, nullptr, 0, 0);
        ASSERT_NE(sender, INVALID_SOCKET);
    }
    void TearDown() override
    {
        for (SOCKET s : {receiver, sender})
            if (s != INVALID_SOCKET)
                closesocket(s);
        WSACleanup();
    }
    SOCKET Bound(WORD at)
    {
        SOCKET s = WSASocketA(AF_INET, SOCK_DGRAM, IPPROTO_UDP, nullptr, 0, 0);
        sockaddr_in a = Loopback(at);
        if (s != INVALID_SOCKET && bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0)
        {
            closesocket(s);
            return INVALID_SOCKET;
        }
        return s;
    }
    void Send(const std::string& data)
    {
        sockaddr_in to = Loopback(port);
        ASSERT_EQ(sendto(sender, data.data(), static_cast<int>(data.size()), 0,
                         reinterpret_cast<sockaddr*>(&to), sizeof to),
                  static_cast<int>(data.size()));
    }

    SOCKET receiver = INVALID_SOCKET;
    SOCKET sender = INVALID_SOCKET;
    WORD port = 0;
};

TEST_F(WinSockTest, DatagramsArriveInOrderWithTheirSender)
{
    for (int i = 0; i < 50; ++i)
        Send("$GPGGA," + std::to_string(i) + "\r\n");
    for (int i = 0; i < 50; ++i)
    {
        char buffer[100];
        sockaddr_in from{};
        int fromLength = sizeof from;
        const int n =
            recvfrom(receiver, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
        ASSERT_GT(n, 0);
        EXPECT_EQ(std::string(buffer, static_cast<size_t>(n)), "$GPGGA," + std::to_string(i) + "\r\n");
        EXPECT_EQ(from.sin_addr.s_addr, htonl(INADDR_LOOPBACK));
        EXPECT_EQ(fromLength, static_cast<int>(sizeof from));
    }
}

TEST_F(WinSockTest, ALongDatagramFillsTheBufferAndFails)
{
    std::string big(5000, 'x');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>('a' + i % 26);
    Send(big);
    Send("next");
    char buffer[4096];
    EXPECT_EQ(recvfrom(receiver, buffer, sizeof buffer, 0, nullptr, nullptr), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEMSGSIZE);
    EXPECT_EQ(std::string(buffer, sizeof buffer), big.substr(0, 4096));
    const int n = recv(receiver, buffer, sizeof buffer, 0);
    EXPECT_EQ(std::string(buffer, static_cast<size_t>(n)), "next");
}

// The system counts what it drops from a full queue once asked to, and the next datagram that
// gets in carries the count.
TEST_F(WinSockTest, DatagramsDroppedFromAFullQueueAreCounted)
{
    const int one = 1;
    ASSERT_EQ(setsockopt(receiver, SOL_SOCKET, SO_RXQ_OVFL, reinterpret_cast<const char*>(&one), sizeof one), 0);
    const int small = 1; // raised by the system to its least queue
    ASSERT_EQ(setsockopt(receiver, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&small), sizeof small), 0);
    EXPECT_EQ(GetDroppedDatagramCount(receiver), 0u);

    const int sent = 500;
    for (int i = 0; i < sent; ++i)
        Send("$GPGGA," + std::to_string(i) + "\r\n");
    ULONG nonBlocking = 1;
    ASSERT_EQ(ioctlsocket(receiver, FIONBIO, &nonBlocking), 0);
    char buffer[100];
    int queued = 0;
    while (recv(receiver, buffer, sizeof buffer, 0) > 0)
        ++queued;
    ASSERT_GT(queued, 0);
    ASSERT_LT(queued, sent);
    // What was queued before the drops knows nothing of them; the next datagram does.
    Send("after");
    nonBlocking = 0;
    ASSERT_EQ(ioctlsocket(receiver, FIONBIO, &nonBlocking), 0);
    const int n = recv(receiver, buffer, sizeof buffer, 0);
    ASSERT_EQ(std::string(buffer, static_cast<size_t>(std::max(n, 0))), "after");
    EXPECT_EQ(GetDroppedDatagramCount(receiver), static_cast<DWORD>(sent - queued));

    closesocket(receiver);
    EXPECT_EQ(GetDroppedDatagramCount(receiver), 0u);
    receiver = INVALID_SOCKET;
}

// Also run under the sanitizers (scripts/sanitize.sh runs every "*Stress" suite).
using WinSockStress = WinSockTest;

TEST_F(WinSockStress, CloseOrShutdownEndsABlockedReceive)
{
    for (bool close : {false, true})
    {
        SCOPED_TRACE(close ? "closesocket" : "shutdown");
        SOCKET s = Bound(0);
        ASSERT_NE(s, INVALID_SOCKET);
        std::atomic<int> result{1};
        std::atomic<int> error{0};
        std::thread reader([&] {
            char b[64];
            result = recvfrom(s, b, sizeof b, 0, nullptr, nullptr);
            error = WSAGetLastError();
        });
        std::this_thread::sleep_for(50ms);
        const auto start = Clock::now();
        if (close)
            EXPECT_EQ(closesocket(s), 0);
        else
            EXPECT_EQ(shutdown(s, SD_BOTH), 0); // succeeds on a datagram socket with no peer
        reader.join();
        EXPECT_LT(MsSince(start), 200);
        if (close)
        {
            EXPECT_EQ(result, SOCKET_ERROR);
            EXPECT_EQ(error, WSAEINTR);
        }
        else
        {
            EXPECT_EQ(result, 0);
            closesocket(s);
        }
        // The handle is gone for good: calls on it fail, and no later socket gets its number.
        char b[8];
        EXPECT_EQ(recv(s, b, sizeof b, 0), SOCKET_ERROR);
        EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
        SOCKET again = Bound(0);
        EXPECT_NE(again, s);
        closesocket(again);
        EXPECT_EQ(closesocket(s), SOCKET_ERROR);
        EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    }
}

TEST_F(WinSockStress, CloseOrShutdownEndsAWaitingSelect)
{
    for (bool close : {false, true})
    {
        SCOPED_TRACE(close ? "closesocket" : "shutdown");
        SOCKET s = Bound(0);
        ASSERT_NE(s, INVALID_SOCKET);
        std::atomic<int> result{-2};
        std::atomic<int> error{0};
        std::atomic<bool> stillSet{false};
        std::thread waiter([&] {
            SOCKET_SET readable;
            SOCKET_SET_ZERO(&readable);
            SOCKET_SET_ADD(s, &readable);
            const timeval ten{10, 0};
            result = select(0, &readable, nullptr, nullptr, &ten);
            error = WSAGetLastError();
            stillSet = SOCKET_SET_ISSET(s, &readable);
        });
        std::this_thread::sleep_for(50ms);
        const auto start = Clock::now();
        if (close)
            closesocket(s);
        else
            shutdown(s, SD_RECEIVE);
        waiter.join();
        EXPECT_LT(MsSince(start), 200);
        if (close)
        {
            EXPECT_EQ(result, SOCKET_ERROR);
            EXPECT_EQ(error, WSAEINTR);
        }
        else
        {
            // Shut for receiving reads as readable: the receive that follows gives 0 at once.
            EXPECT_EQ(result, 1);
            EXPECT_TRUE(stillSet);
            closesocket(s);
        }
    }
}

TEST_F(WinSockTest, SelectReportsReadyAndWritableSockets)
{
    // Nothing to read yet: a look without waiting, then a wait that runs its time out.
    SOCKET_SET readable;
    SOCKET_SET_ZERO(&readable);
    SOCKET_SET_ADD(receiver, &readable);
    SOCKET_SET_ADD(receiver, &readable);
    EXPECT_EQ(readable.fd_count, 1u);
    const timeval now{0, 0};
    EXPECT_EQ(select(0, &readable, nullptr, nullptr, &now), 0);
    EXPECT_EQ(readable.fd_count, 0u);
    SOCKET_SET_ADD(receiver, &readable);
    const timeval tenth{0, 100000};
    auto start = Clock::now();
    EXPECT_EQ(select(0, &readable, nullptr, nullptr, &tenth), 0);
    EXPECT_GE(MsSince(start), 90);

    // A datagram waiting and a socket free to send: each set keeps only its ready sockets.
    Send("$GPZDA");
    SOCKET_SET_ZERO(&readable);
    SOCKET_SET_ADD(receiver, &readable);
    SOCKET_SET_ADD(sender, &readable);
    SOCKET_SET writable;
    SOCKET_SET_ZERO(&writable);
    SOCKET_SET_ADD(sender, &writable);
    const timeval second{1, 0};
    EXPECT_EQ(select(0, &readable, &writable, nullptr, &second), 2);
    EXPECT_TRUE(SOCKET_SET_ISSET(receiver, &readable));
    EXPECT_FALSE(SOCKET_SET_ISSET(sender, &readable));
    EXPECT_TRUE(SOCKET_SET_ISSET(sender, &writable));

    // Nothing to wait for, or a socket that is no more.
    SOCKET_SET none;
    SOCKET_SET_ZERO(&none);
    EXPECT_EQ(select(0, &none, nullptr, nullptr, &now), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEINVAL);
    SOCKET gone = Bound(0);
    closesocket(gone);
    SOCKET_SET_ADD(gone, &none);
    EXPECT_EQ(select(0, nullptr, &none, nullptr, &now), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
}

TEST_F(WinSockTest, InjectedSendFailuresHitOnlyTheirTarget)
{
    SOCKET other = Bound(0);
    ASSERT_NE(other, INVALID_SOCKET);
    sockaddr_in otherAddress{};
    int length = sizeof otherAddress;
    ASSERT_EQ(getsockname(other, reinterpret_cast<sockaddr*>(&otherAddress), &length), 0);
    const sockaddr_in failing = Loopback(port);
    WSAInjectSendFailure(failing, WSAENETUNREACH);
    EXPECT_EQ(sendto(sender, "a", 1, 0, reinterpret_cast<const sockaddr*>(&failing), sizeof failing),
              SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENETUNREACH);
    EXPECT_EQ(
        sendto(sender, "b", 1, 0, reinterpret_cast<const sockaddr*>(&otherAddress), sizeof otherAddress), 1);
    WSAClearSendFailure(&failing);
    EXPECT_EQ(sendto(sender, "c", 1, 0, reinterpret_cast<const sockaddr*>(&failing), sizeof failing), 1);
    char b[4];
    EXPECT_EQ(recv(receiver, b, sizeof b, 0), 1);
    EXPECT_EQ(b[0], 'c') << "the failed datagram went nowhere";
    EXPECT_EQ(recv(other, b, sizeof b, 0), 1);
    EXPECT_EQ(b[0], 'b');
    WSAInjectSendFailure(failing, WSAEHOSTUNREACH);
    WSAClearSendFailure(nullptr);
    EXPECT_EQ(sendto(sender, "d", 1, 0, reinterpret_cast<const sockaddr*>(&failing), sizeof failing), 1);
    closesocket(other);
}

// The system's inet_ntop, as the suite relies on it for IPv4.
TEST(WinSockText, DottedTextOfIpv4Addresses)
{
    const std::pair<uint32_t, const char*> cases[] = {{INADDR_LOOPBACK, "127.0.0.1"},
                                                      {0xC0A80114u, "192.168.1.20"},
                                                      {0, "0.0.0.0"},
                                                      {0xFFFFFFFFu, "255.255.255.255"}};
    for (const auto& c : cases)
    {
        in_addr a;
        a.s_addr = htonl(c.first);
        char text[INET_ADDRSTRLEN];
        EXPECT_STREQ(inet_ntop(AF_INET, &a, text, sizeof text), c.second);
    }
    in_addr longest;
    longest.s_addr = 0xFFFFFFFFu;
    char tooShort[15];
    EXPECT_EQ(inet_ntop(AF_INET, &longest, tooShort, sizeof tooShort), nullptr);
}

TEST_F(WinSockTest, TimeoutsAndNonBlockingMode)
{
    char b[8];
    const DWORD ms = 100;
    ASSERT_EQ(setsockopt(receiver, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&ms), sizeof ms),
              0);
    DWORD back = 0;
    int length = sizeof back;
    ASSERT_EQ(getsockopt(receiver, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<char*>(&back), &length), 0);
    EXPECT_EQ(back, ms);
    auto start = Clock::now();
    EXPECT_EQ(recv(receiver, b, sizeof b, 0), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAETIMEDOUT);
    EXPECT_GE(MsSince(start), 90);

    ULONG on = 1;
    ASSERT_EQ(ioctlsocket(receiver, FIONBIO, &on), 0);
    start = Clock::now();
    EXPECT_EQ(recv(receiver, b, sizeof b, 0), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);
    EXPECT_LT(MsSince(start), 50);

    Send("1234");
    std::this_thread::sleep_for(20ms);
    ULONG waiting = 0;
    ASSERT_EQ(ioctlsocket(receiver, FIONREAD, &waiting), 0);
    EXPECT_GE(waiting, 4u);
}

TEST_F(WinSockTest, ErrorsOfBindAndStartup)
{
    // A port held by another socket.
    SOCKET second = WSASocketA(AF_INET, SOCK_DGRAM, IPPROTO_UDP, nullptr, 0, 0);
    sockaddr_in same = Loopback(port);
    EXPECT_EQ(bind(second, reinterpret_cast<sockaddr*>(&same), sizeof same), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEADDRINUSE);
    closesocket(second);

    EXPECT_EQ(bind(INVALID_SOCKET, reinterpret_cast<sockaddr*>(&same), sizeof same), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);

    // Every startup needs its cleanup; without one sockets cannot be made.
    WSACleanup();
    EXPECT_EQ(WSASocketA(AF_INET, SOCK_DGRAM, IPPROTO_UDP, nullptr, 0, 0), INVALID_SOCKET);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    EXPECT_EQ(WSACleanup(), SOCKET_ERROR);
    WSADATA data;
    EXPECT_EQ(WSAStartup(MAKEWORD(1, 0), &data), WSAVERNOTSUPPORTED);
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0); // for TearDown's cleanup
}
} // namespace

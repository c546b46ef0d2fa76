#include "platform/io/WinSock.h"

#include "platform/core/Sync.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace
{
std::atomic<int> g_startups{0};

// One socket: its descriptor, and a second descriptor that wakes a blocked call when the
// socket is closed or shut for receiving. The descriptor itself is non-blocking; blocking
// calls wait in poll on both.
class SocketObject final : public CKernelObject
{
public:
    SocketObject(int fd, int type, int wake) : fd(fd), type(type), wake(wake) {}
    ~SocketObject() override
    {
        ::close(fd);
        ::close(wake);
    }
    void Wake()
    {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t r = ::write(wake, &one, sizeof one);
    }

    const int fd;
    const int type;
    const int wake;
    std::atomic<bool> closed{false};
    std::atomic<bool> shutRead{false};
    std::atomic<bool> nonBlocking{false};
    std::atomic<DWORD> receiveTimeout{0}; // milliseconds, 0 = none
    std::atomic<DWORD> sendTimeout{0};
    // The system's count of datagrams dropped for want of room in the receive queue, as the
    // last datagram received carried it (SO_RXQ_OVFL).
    std::atomic<DWORD> droppedDatagrams{0};
};

int Fail(int error)
{
    WSASetLastError(error);
    return SOCKET_ERROR;
}

int WsaErrorFromErrno(int e)
{
    switch (e)
    {
    case EINTR:
        return WSAEINTR;
    case EBADF:
        return WSAENOTSOCK;
    case EACCES:
    case EPERM:
        return WSAEACCES;
    case EFAULT:
        return WSAEFAULT;
    case EINVAL:
        return WSAEINVAL;
    case EMFILE:
    case ENFILE:
        return WSAEMFILE;
    case EAGAIN:
        return WSAEWOULDBLOCK;
    case ENOTSOCK:
        return WSAENOTSOCK;
    case EDESTADDRREQ:
        return WSAEDESTADDRREQ;
    case EMSGSIZE:
        return WSAEMSGSIZE;
    case ENOPROTOOPT:
        return WSAENOPROTOOPT;
    case EPROTONOSUPPORT:
    case ESOCKTNOSUPPORT:
        return WSAEPROTONOSUPPORT;
    case EOPNOTSUPP:
        return WSAEOPNOTSUPP;
    case EAFNOSUPPORT:
        return WSAEAFNOSUPPORT;
    case EADDRINUSE:
        return WSAEADDRINUSE;
    case EADDRNOTAVAIL:
        return WSAEADDRNOTAVAIL;
    case ENETDOWN:
        return WSAENETDOWN;
    case ENETUNREACH:
        return WSAENETUNREACH;
    case ECONNRESET:
        return WSAECONNRESET;
    case ENOBUFS:
    case ENOMEM:
        return WSAENOBUFS;
    case EISCONN:
        return WSAEISCONN;
    case ENOTCONN:
        return WSAENOTCONN;
    case EPIPE:
    case ESHUTDOWN:
        return WSAESHUTDOWN;
    case ETIMEDOUT:
        return WSAETIMEDOUT;
    case ECONNREFUSED:
        return WSAECONNREFUSED;
    case EHOSTUNREACH:
        return WSAEHOSTUNREACH;
    default:
        return WSAEINVAL;
    }
}

std::shared_ptr<SocketObject> LookupHost(SOCKET s)
{
    if (s == INVALID_SOCKET)
        return nullptr;
    return AfxLookupHandleAs<SocketObject>(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(s)));
}

using Clock = std::chrono::steady_clock;

// Waits for `events` on the socket, or for its wake-up. 1 ready, 0 time-out, -1 woken.
int WaitFor(SocketObject& so, short events, DWORD timeoutMs, Clock::time_point start)
{
    for (;;)
    {
        int wait = -1;
        if (timeoutMs)
        {
            const auto spent =
                std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
            if (spent >= timeoutMs)
                return 0;
            wait = static_cast<int>(timeoutMs - spent);
        }
        pollfd p[2] = {{so.fd, events, 0}, {so.wake, POLLIN, 0}};
        const int r = ::poll(p, 2, wait);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return 1; // let the call itself report the error
        if (r == 0)
            return 0;
        if (p[1].revents)
            return -1;
        return 1;
    }
}

int SocketLength(int length)
{
    return length < 0 ? 0 : length;
}

// Targets whose sends tests have made fail, with the error each gives.
struct SendFailure
{
    uint32_t address; // network byte order
    uint16_t port;    // network byte order
    int error;
};
std::mutex g_failuresLock;
std::vector<SendFailure> g_failures;
std::atomic<bool> g_anyFailure{false};

// The error injected for sends to `to`; 0 for none.
int InjectedSendFailure(const sockaddr* to, int toLength)
{
    if (!g_anyFailure.load(std::memory_order_relaxed) || !to ||
        toLength < static_cast<int>(sizeof(sockaddr_in)) || to->sa_family != AF_INET)
        return 0;
    sockaddr_in target;
    std::memcpy(&target, to, sizeof target);
    std::lock_guard<std::mutex> guard(g_failuresLock);
    for (const SendFailure& f : g_failures)
        if (f.address == target.sin_addr.s_addr && f.port == target.sin_port)
            return f.error;
    return 0;
}
} // namespace

void WSAInjectSendFailure(const sockaddr_in& target, int error)
{
    std::lock_guard<std::mutex> guard(g_failuresLock);
    for (SendFailure& f : g_failures)
        if (f.address == target.sin_addr.s_addr && f.port == target.sin_port)
        {
            f.error = error;
            return;
        }
    g_failures.push_back({target.sin_addr.s_addr, target.sin_port, error});
    g_anyFailure = true;
}

void WSAClearSendFailure(const sockaddr_in* target)
{
    std::lock_guard<std::mutex> guard(g_failuresLock);
    if (!target)
        g_failures.clear();
    else
        g_failures.erase(std::remove_if(g_failures.begin(), g_failures.end(),
                                        [&](const SendFailure& f) {
                                            return f.address == target->sin_addr.s_addr &&
                                                   f.port == target->sin_port;
                                        }),
                         g_failures.end());
    g_anyFailure = !g_failures.empty();
}

int WSAStartup(WORD versionRequested, LPWSADATA data)
{
    const BYTE major = LOBYTE(versionRequested);
    const BYTE minor = HIBYTE(versionRequested);
    if (!data)
        return WSAEFAULT;
    std::memset(data, 0, sizeof *data);
    data->wHighVersion = MAKEWORD(2, 2);
    if (major < 1 || (major == 1 && minor < 1))
    {
        data->wVersion = MAKEWORD(2, 2);
        return WSAVERNOTSUPPORTED;
    }
    data->wVersion = (major > 2 || (major == 2 && minor >= 2)) ? MAKEWORD(2, 2) : versionRequested;
    data->iMaxSockets = 0;
    data->iMaxUdpDg = 0;
    std::strcpy(data->szDescription, "Windows Sockets over POSIX sockets");
    std::strcpy(data->szSystemStatus, "Running");
    ++g_startups;
    return 0;
}

int WSACleanup()
{
    int n = g_startups.load();
    while (n > 0)
        if (g_startups.compare_exchange_weak(n, n - 1))
            return 0;
    return Fail(WSANOTINITIALISED);
}

std::string WSAGetErrorText(int error)
{
    // The POSIX errors this layer turns into Windows Sockets codes, each code's own first.
    const int posix[] = {EINTR,      ENOTSOCK,        EACCES,       EFAULT,       EINVAL,    EMFILE,
                         EAGAIN,     EDESTADDRREQ,    EMSGSIZE,     ENOPROTOOPT,  EPROTONOSUPPORT,
                         EOPNOTSUPP, EAFNOSUPPORT,    EADDRINUSE,   EADDRNOTAVAIL, ENETDOWN, ENETUNREACH,
                         ECONNRESET, ENOBUFS,         EISCONN,      ENOTCONN,     ESHUTDOWN, ETIMEDOUT,
                         ECONNREFUSED, EHOSTUNREACH};
    for (int e : posix)
        if (WsaErrorFromErrno(e) == error)
            if (const char* text = strerrordesc_np(e))
                return text;
    return "Windows Sockets error " + std::to_string(error);
}

int WSAGetLastError()
{
    return static_cast<int>(GetLastError());
}

void WSASetLastError(int error)
{
    SetLastError(static_cast<DWORD>(error));
}

SOCKET WSASocketA(int af, int type, int protocol, void* protocolInfo, unsigned, DWORD)
{
    if (g_startups.load() <= 0)
    {
        WSASetLastError(WSANOTINITIALISED);
        return INVALID_SOCKET;
    }
    if (protocolInfo)
    {
        WSASetLastError(WSAEINVAL);
        return INVALID_SOCKET;
    }
    const int fd = ::socket(af, type | SOCK_NONBLOCK | SOCK_CLOEXEC, protocol);
    if (fd < 0)
    {
        WSASetLastError(WsaErrorFromErrno(errno));
        return INVALID_SOCKET;
    }
    const int wake = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wake < 0)
    {
        ::close(fd);
        WSASetLastError(WSAEMFILE);
        return INVALID_SOCKET;
    }
    HANDLE h = AfxRegisterHandle(std::make_shared<SocketObject>(fd, type, wake));
    WSASetLastError(0);
    return static_cast<SOCKET>(reinterpret_cast<UINT_PTR>(h));
}

int bind(SOCKET s, const sockaddr* name, int nameLength)
{
    auto so = LookupHost(s);
    if (!so)
        return Fail(WSAENOTSOCK);
    if (!name)
        return Fail(WSAEFAULT);
    if (::bind(so->fd, name, static_cast<socklen_t>(SocketLength(nameLength))) != 0)
        return Fail(WsaErrorFromErrno(errno));
    return 0;
}

int connect(SOCKET s, const sockaddr* name, int nameLength)
{
    auto so = LookupHost(s);
    if (!so)
        return Fail(WSAENOTSOCK);
    if (!name)
        return Fail(WSAEFAULT);
    if (::connect(so->fd, name, static_cast<socklen_t>(SocketLength(nameLength))) != 0)
    {
        if (errno != EINPROGRESS)
            return Fail(WsaErrorFromErrno(errno));
        if (so->nonBlocking)
            return Fail(WSAEWOULDBLOCK);
        if (WaitFor(*so, POLLOUT, so->sendTimeout, Clock::now()) <= 0)
            return Fail(so->closed ? WSAEINTR : WSAETIMEDOUT);
        int error = 0;
        socklen_t length = sizeof error;
        ::getsockopt(so->fd, SOL_SOCKET, SO_ERROR, &error, &length);
        if (error)
            return Fail(WsaErrorFromErrno(error));
    }
    return 0;
}

int getsockname(SOCKET s, sockaddr* name, int* nameLength)
{
    auto so = LookupHost(s);
    if (!so)
        return Fail(WSAENOTSOCK);
    if (!name || !nameLength)
        return Fail(WSAEFAULT);
    socklen_t length = static_cast<socklen_t>(SocketLength(*nameLength));
    if (::getsockname(so->fd, name, &length) != 0)
        return Fail(WsaErrorFromErrno(errno));
    *nameLength = static_cast<int>(length);
    return 0;
}

int setsockopt(SOCKET s, int level, int optionName, const char* optionValue, int optionLength)
{
    auto so = LookupHost(s);
    if (!so)
        return Fail(WSAENOTSOCK);
    if (!optionValue && optionLength > 0)
        return Fail(WSAEFAULT);
    if (level == SOL_SOCKET && (optionName == SO_RCVTIMEO || optionName == SO_SNDTIMEO))
    {
        if (optionLength < static_cast<int>(sizeof(DWORD)))
            return Fail(WSAEFAULT);
        DWORD ms;
        std::memcpy(&ms, optionValue, sizeof ms);
        (optionName == SO_RCVTIMEO ? so->receiveTimeout : so->sendTimeout) = ms;
        return 0;
    }
    if (::setsockopt(so->fd, level, optionName, optionValue,
                     static_cast<socklen_t>(SocketLength(optionLength))) != 0)
        return Fail(WsaErrorFromErrno(errno));
    return 0;
}

int getsockopt(SOCKET s, int level, int optionName, char* optionValue, int* optionLength)
{
    auto so = LookupHost(s);
    if (!so)
        return Fail(WSAENOTSOCK);
    if (!optionValue || !optionLength)
        return Fail(WSAEFAULT);
    if (level == SOL_SOCKET && (optionName == SO_RCVTIMEO || optionName == SO_SNDTIMEO))
    {
        if (*optionLength < static_cast<int>(sizeof(DWORD)))
            return Fail(WSAEFAULT);
        const DWORD ms = optionName == SO_RCVTIMEO ? so->receiveTimeout.load() : so->sendTimeout.load();
        std::memcpy(optionValue, &ms, sizeof ms);
        *optionLength = sizeof ms;
        return 0;
    }
    socklen_t length = static_cast<socklen_t>(SocketLength(*optionLength));
    if (::getsockopt(so->fd, level, optionName, optionValue, &length) != 0)
        return Fail(WsaErrorFromErrno(errno));
    *optionLength = static_cast<int>(length);
    return 0;
}

int ioctlsocket(SOCKET s, long command, ULONG* argument)
{
    auto so = LookupHost(s);
    if (!so)
        return Fail(WSAENOTSOCK);
    if (!argument)
        return Fail(WSAEFAULT);
    if (command == static_cast<long>(FIONBIO))
    {
        so->nonBlocking = *argument != 0;
        return 0;
    }
    if (command == static_cast<long>(FIONREAD))
    {
        int waiting = 0;
        if (::ioctl(so->fd, FIONREAD, &waiting) != 0)
            return Fail(WsaErrorFromErrno(errno));
        *argument = static_cast<ULONG>(waiting);
        return 0;
    }
    return Fail(WSAEINVAL);
}

int recvfrom(SOCKET s, char* buffer, int length, int flags, sockaddr* from, int* fromLength)
{
    auto so = LookupHost(s);
    if (!so)
        return Fail(WSAENOTSOCK);
    if (length < 0 || (!buffer && length > 0) || (from && !fromLength))
        return Fail(WSAEFAULT);
    const bool datagram = so->type == SOCK_DGRAM;
    const Clock::time_point start = Clock::now();
    for (;;)
    {
        if (so->closed)
            return Fail(WSAEINTR);
        // recvmsg rather than recvfrom: a datagram brings the system's drop count beside it.
        iovec data{buffer, static_cast<size_t>(length)};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(uint32_t))];
        msghdr message{};
        message.msg_name = from;
        message.msg_namelen = from ? static_cast<socklen_t>(SocketLength(*fromLength)) : 0;
        message.msg_iov = &data;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        const ssize_t n = ::recvmsg(so->fd, &message, flags | MSG_DONTWAIT | (datagram ? MSG_TRUNC : 0));
        if (n >= 0)
        {
            if (from)
                *fromLength = static_cast<int>(message.msg_namelen);
            for (cmsghdr* c = CMSG_FIRSTHDR(&message); c; c = CMSG_NXTHDR(&message, c))
                if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SO_RXQ_OVFL &&
                    c->cmsg_len >= CMSG_LEN(sizeof(uint32_t)))
                {
                    uint32_t dropped;
                    std::memcpy(&dropped, CMSG_DATA(c), sizeof dropped);
                    so->droppedDatagrams = dropped;
                }
            if (datagram && n > length)
                return Fail(WSAEMSGSIZE);
            return static_cast<int>(n);
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN)
            return Fail(WsaErrorFromErrno(errno));
        if (so->shutRead)
            return 0;
        if (so->nonBlocking)
            return Fail(WSAEWOULDBLOCK);
        const int ready = WaitFor(*so, POLLIN, so->receiveTimeout, start);
        if (ready == 0)
            return Fail(WSAETIMEDOUT);
        if (ready < 0)
        {
            if (so->closed)
                return Fail(WSAEINTR);
            if (so->shutRead)
                return 0;
        }
    }
}

DWORD GetDroppedDatagramCount(SOCKET s)
{
    auto so = LookupHost(s);
    return so ? so->droppedDatagrams.load() : 0;
}

int recv(SOCKET s, char* buffer, int length, int flags)
{
    return recvfrom(s, buffer, length, flags, nullptr, nullptr);
}

int sendto(SOCKET s, const char* buffer, int length, int flags, const sockaddr* to, int toLength)
{
    auto so = LookupHost(s);
    if (!so)
        return Fail(WSAENOTSOCK);
    if (length < 0 || (!buffer && length > 0))
        return Fail(WSAEFAULT);
    if (const int injected = InjectedSendFailure(to, toLength))
        return Fail(injected);
    const Clock::time_point start = Clock::now();
    for (;;)
    {
        if (so->closed)
            return Fail(WSAEINTR);
        const ssize_t n =
            ::sendto(so->fd, buffer, static_cast<size_t>(length), flags | MSG_DONTWAIT | MSG_NOSIGNAL, to,
                     to ? static_cast<socklen_t>(SocketLength(toLength)) : 0);
        if (n >= 0)
            return static_cast<int>(n);
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN)
            return Fail(WsaErrorFromErrno(errno));
        if (so->nonBlocking)
            return Fail(WSAEWOULDBLOCK);
        const int ready = WaitFor(*so, POLLOUT, so->sendTimeout, start);
        if (ready == 0)
            return Fail(WSAETIMEDOUT);
        if (ready < 0 && so->closed)
            return Fail(WSAEINTR);
    }
}

int send(SOCKET s, const char* buffer, int length, int flags)
{
    return sendto(s, buffer, length, flags, nullptr, 0);
}

int shutdown(SOCKET s, int how)
{
    auto so = LookupHost(s);
    if (!so)
        return Fail(WSAENOTSOCK);
    int posixHow;
    switch (how)
    {
    case SD_RECEIVE:
        posixHow = SHUT_RD;
        break;
    case SD_SEND:
        posixHow = SHUT_WR;
        break;
    case SD_BOTH:
        posixHow = SHUT_RDWR;
        break;
    default:
        return Fail(WSAEINVAL);
    }
    // Linux answers ENOTCONN for a datagram socket with no peer, yet shuts it all the same.
    if (::shutdown(so->fd, posixHow) != 0 && !(errno == ENOTCONN && so->type == SOCK_DGRAM))
        return Fail(WsaErrorFromErrno(errno));
    if (how != SD_SEND)
    {
        so->shutRead = true;
        so->Wake();
    }
    return 0;
}

int closesocket(SOCKET s)
{
    auto so = LookupHost(s);
    if (!so)
        return Fail(WSAENOTSOCK);
    so->closed = true;
    so->Wake();
    // The descriptor itself is closed when the last call still using the socket returns.
    CloseHandle(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(s)));
    return 0;
}

int select(int, SOCKET_SET* readSet, SOCKET_SET* writeSet, SOCKET_SET* errorSet, const timeval* timeout)
{
    // One entry per socket named in any set, with what each set asks of it.
    struct Watched
    {
        SOCKET s;
        std::shared_ptr<SocketObject> so;
        bool read = false, write = false, error = false;
    };
    std::vector<Watched> watched;
    auto gather = [&](SOCKET_SET* set, bool Watched::*want) {
        if (!set)
            return true;
        for (UINT i = 0; i < set->fd_count && i < SOCKET_SETSIZE; ++i)
        {
            const SOCKET s = set->fd_array[i];
            auto found =
                std::find_if(watched.begin(), watched.end(), [&](const Watched& w) { return w.s == s; });
            if (found == watched.end())
            {
                auto so = LookupHost(s);
                if (!so)
                    return false;
                watched.push_back({s, so});
                found = watched.end() - 1;
            }
            (*found).*want = true;
        }
        return true;
    };
    if (!gather(readSet, &Watched::read) || !gather(writeSet, &Watched::write) ||
        !gather(errorSet, &Watched::error))
        return Fail(WSAENOTSOCK);
    if (watched.empty())
        return Fail(WSAEINVAL);
    if (timeout && (timeout->tv_sec < 0 || timeout->tv_usec < 0))
        return Fail(WSAEINVAL);

    const Clock::time_point start = Clock::now();
    const long long limitMs =
        timeout ? static_cast<long long>(timeout->tv_sec) * 1000 + timeout->tv_usec / 1000 : -1;
    std::vector<char> readReady(watched.size()), writeReady(watched.size()), errorReady(watched.size());
    for (;;)
    {
        // Each socket, then the wake-ups of those still able to be woken (a shut socket's
        // wake-up stays signalled: it is read as readable instead).
        std::vector<pollfd> polled;
        std::vector<size_t> wakeOf;
        for (const Watched& w : watched)
        {
            short events = 0;
            if (w.read)
                events |= POLLIN;
            if (w.write)
                events |= POLLOUT;
            polled.push_back({w.so->fd, events, 0});
        }
        for (size_t i = 0; i < watched.size(); ++i)
            if (!watched[i].so->shutRead && !watched[i].so->closed)
            {
                polled.push_back({watched[i].so->wake, POLLIN, 0});
                wakeOf.push_back(i);
            }
        int wait = -1;
        if (limitMs >= 0)
        {
            const long long spent =
                std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
            wait = static_cast<int>(spent >= limitMs ? 0 : limitMs - spent);
        }
        const int r = ::poll(polled.data(), polled.size(), wait);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return Fail(WsaErrorFromErrno(errno));
        int ready = 0;
        for (size_t i = 0; i < watched.size(); ++i)
        {
            const Watched& w = watched[i];
            if (w.so->closed)
                return Fail(WSAEINTR);
            const short got = polled[i].revents;
            readReady[i] = w.read && ((got & (POLLIN | POLLHUP | POLLERR)) || w.so->shutRead);
            writeReady[i] = w.write && (got & (POLLOUT | POLLERR));
            errorReady[i] = w.error && (got & POLLERR);
            ready += readReady[i] + writeReady[i] + errorReady[i];
        }
        if (ready > 0 || r == 0)
        {
            auto keep = [&](SOCKET_SET* set, const std::vector<char>& flags) {
                if (!set)
                    return;
                SOCKET_SET kept;
                SOCKET_SET_ZERO(&kept);
                for (size_t i = 0; i < watched.size(); ++i)
                    if (flags[i] && SOCKET_SET_ISSET(watched[i].s, set))
                        SOCKET_SET_ADD(watched[i].s, &kept);
                *set = kept;
            };
            keep(readSet, readReady);
            keep(writeSet, writeReady);
            keep(errorSet, errorReady);
            return ready;
        }
        // Only a wake-up came: a close ends the wait above, a shutdown makes a read ready.
    }
}

// Windows Sockets over POSIX sockets: the calls the system makes for UDP input and output.
//
// A SOCKET is a handle of the one handle table (Sync.h), never reused, so a thread that
// still holds a copy of a socket closed by another thread gets WSAENOTSOCK instead of
// reaching whatever descriptor the number has been given since. SOCKET is a type of its
// own, so these calls overload beside the POSIX calls of the same names: a descriptor from
// POSIX socket() does not compile where a SOCKET is wanted. Sockets are made with WSASocketA.
//
//     WSADATA data;
//     WSAStartup(MAKEWORD(2, 2), &data);
//     SOCKET s = WSASocketA(AF_INET, SOCK_DGRAM, IPPROTO_UDP, nullptr, 0, 0);
//     sockaddr_in local{};
//     local.sin_family = AF_INET;
//     local.sin_port = htons(port);
//     local.sin_addr.s_addr = htonl(INADDR_ANY);
//     bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local);
//     int n = recvfrom(s, buffer, sizeof buffer, 0, nullptr, nullptr);
//     shutdown(s, SD_BOTH);
//     closesocket(s);
//
// As on Windows: a blocking receive ends with WSAEINTR when another thread closes the
// socket, and with 0 after shutdown; a datagram longer than the buffer fills the buffer and
// fails with WSAEMSGSIZE (the rest is lost); SO_RCVTIMEO and SO_SNDTIMEO take a DWORD of
// milliseconds; shutdown of a datagram socket succeeds. The error of the last call is
// WSAGetLastError (the thread's GetLastError).
#pragma once

#include "platform/core/FileApi.h"
#include "platform/core/WinTypes.h"

#include <string>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/time.h>

enum class SOCKET : UINT_PTR
{
};
#define INVALID_SOCKET (static_cast<SOCKET>(~static_cast<UINT_PTR>(0)))
#define SOCKET_ERROR (-1)

#define SD_RECEIVE 0
#define SD_SEND 1
#define SD_BOTH 2

#define WSAEINTR 10004
#define WSAEBADF 10009
#define WSAEACCES 10013
#define WSAEFAULT 10014
#define WSAEINVAL 10022
#define WSAEMFILE 10024
#define WSAEWOULDBLOCK 10035
#define WSAENOTSOCK 10038
#define WSAEDESTADDRREQ 10039
#define WSAEMSGSIZE 10040
#define WSAENOPROTOOPT 10042
#define WSAEPROTONOSUPPORT 10043
#define WSAEOPNOTSUPP 10045
#define WSAEAFNOSUPPORT 10047
#define WSAEADDRINUSE 10048
#define WSAEADDRNOTAVAIL 10049
#define WSAENETDOWN 10050
#define WSAENETUNREACH 10051
#define WSAECONNRESET 10054
#define WSAENOBUFS 10055
#define WSAEISCONN 10056
#define WSAENOTCONN 10057
#define WSAESHUTDOWN 10058
#define WSAETIMEDOUT 10060
#define WSAECONNREFUSED 10061
#define WSAEHOSTUNREACH 10065
#define WSASYSNOTREADY 10091
#define WSAVERNOTSUPPORTED 10092
#define WSANOTINITIALISED 10093

#define WSADESCRIPTION_LEN 256
#define WSASYS_STATUS_LEN 128

struct WSADATA
{
    WORD wVersion;
    WORD wHighVersion;
    unsigned short iMaxSockets;
    unsigned short iMaxUdpDg;
    char* lpVendorInfo;
    char szDescription[WSADESCRIPTION_LEN + 1];
    char szSystemStatus[WSASYS_STATUS_LEN + 1];
};
using LPWSADATA = WSADATA*;

// Starts the library for the caller: 0, or WSAVERNOTSUPPORTED for a version below 1.1 (2.2
// is given for anything from 2.2 up). Every successful call needs its WSACleanup.
PLATFORM_API int WSAStartup(WORD versionRequested, LPWSADATA data);
// 0, or SOCKET_ERROR with WSANOTINITIALISED when there was no WSAStartup left to end.
PLATFORM_API int WSACleanup();
PLATFORM_API int WSAGetLastError();
PLATFORM_API void WSASetLastError(int error);
// The system's own words for a Windows Sockets error code, as it words the matching POSIX
// error ("Address already in use", "Permission denied"); a code with no POSIX match is named
// by its number.
PLATFORM_API std::string WSAGetErrorText(int error);

// A new socket; INVALID_SOCKET with WSANOTINITIALISED before WSAStartup. `protocolInfo` must
// be null; `group` and `flags` are ignored.
PLATFORM_API SOCKET WSASocketA(int af, int type, int protocol, void* protocolInfo, unsigned group,
                               DWORD flags);
#define WSASocket WSASocketA

PLATFORM_API int bind(SOCKET s, const sockaddr* name, int nameLength);
PLATFORM_API int connect(SOCKET s, const sockaddr* name, int nameLength);
PLATFORM_API int getsockname(SOCKET s, sockaddr* name, int* nameLength);
PLATFORM_API int setsockopt(SOCKET s, int level, int optionName, const char* optionValue, int optionLength);
PLATFORM_API int getsockopt(SOCKET s, int level, int optionName, char* optionValue, int* optionLength);
// FIONBIO (non-blocking on / off) and FIONREAD (bytes waiting).
PLATFORM_API int ioctlsocket(SOCKET s, long command, ULONG* argument);
// The count received, 0 after shutdown, or SOCKET_ERROR.
PLATFORM_API int recvfrom(SOCKET s, char* buffer, int length, int flags, sockaddr* from, int* fromLength);
PLATFORM_API int recv(SOCKET s, char* buffer, int length, int flags);
// Not a Windows call: the datagrams the system dropped for want of room in the socket's receive
// queue since the socket was made, as the last datagram received reported them. The system
// counts them only once SO_RXQ_OVFL (an int, 1) is set on the socket; 0 before, and for a
// socket that is no more.
PLATFORM_API DWORD GetDroppedDatagramCount(SOCKET s);
PLATFORM_API int sendto(SOCKET s, const char* buffer, int length, int flags, const sockaddr* to,
                        int toLength);
PLATFORM_API int send(SOCKET s, const char* buffer, int length, int flags);
// Ends receiving (SD_RECEIVE), sending (SD_SEND) or both; a receive blocked in another thread
// returns 0.
PLATFORM_API int shutdown(SOCKET s, int how);
// Closes the socket: its handle is gone at once; a receive blocked in another thread ends
// with WSAEINTR.
PLATFORM_API int closesocket(SOCKET s);

// A set of sockets for select, laid out as Windows lays it out (a count, then the sockets)
// rather than as POSIX's bit mask of descriptors: a SOCKET is a handle number, not a
// descriptor. The POSIX fd_set and its FD_ macros keep their names, so these have their own.
#define SOCKET_SETSIZE 64
struct SOCKET_SET
{
    UINT fd_count;
    SOCKET fd_array[SOCKET_SETSIZE];
};
inline void SOCKET_SET_ZERO(SOCKET_SET* set)
{
    set->fd_count = 0;
}
// Adds the socket once; a full set takes no more.
inline void SOCKET_SET_ADD(SOCKET s, SOCKET_SET* set)
{
    for (UINT i = 0; i < set->fd_count; ++i)
        if (set->fd_array[i] == s)
            return;
    if (set->fd_count < SOCKET_SETSIZE)
        set->fd_array[set->fd_count++] = s;
}
inline bool SOCKET_SET_ISSET(SOCKET s, const SOCKET_SET* set)
{
    for (UINT i = 0; i < set->fd_count; ++i)
        if (set->fd_array[i] == s)
            return true;
    return false;
}

// Waits until a socket of the read set can be read (a datagram waits, or it was shut for
// receiving), one of the write set can be written, or one of the error set has an error; or
// until the time-out (null: no limit; {0, 0}: a look without waiting). Each given set is left
// holding only its ready sockets. The number ready, 0 at the time-out, or SOCKET_ERROR:
// WSAEINVAL when every set is empty or null, WSAENOTSOCK for a socket that is no more,
// WSAEINTR when one of them is closed while waiting. `nfds` is ignored, as on Windows.
PLATFORM_API int select(int nfds, SOCKET_SET* readSet, SOCKET_SET* writeSet, SOCKET_SET* errorSet,
                        const timeval* timeout);

// inet_ntop is the system's own (<arpa/inet.h>): for AF_INET it writes the dotted text of a
// 4-byte address in network byte order ("192.168.1.20") and returns the buffer, or null when
// the buffer is shorter than the text with its terminating zero (INET_ADDRSTRLEN, 16, is
// always enough) or the family is unknown, as the Windows call does.

// For tests: sends (sendto) to that IPv4 address and port fail with SOCKET_ERROR and `error`,
// as a route that has gone would make them, until the failure is cleared. Every socket of the
// process is affected; the datagram goes nowhere.
PLATFORM_API void WSAInjectSendFailure(const sockaddr_in& target, int error);
// Ends the injected failure of that target; null ends all of them.
PLATFORM_API void WSAClearSendFailure(const sockaddr_in* target);

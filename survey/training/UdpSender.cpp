// CUdpSender's operations: the socket, the worker thread and the sends to the target list.
#include "survey/records/UdpSender.h"

#include "platform/core/WinThread.h"

namespace
{
// Windows Sockets is started once for the library and never ended: senders open and close
// for the whole life of the host.
bool g_bSocketsStarted = false;

// How long an open waits for the worker of an earlier open to end, having closed its sender,
// before it leaves that worker to serve the reopened socket (milliseconds).
const DWORD kWorkerEndWait = 500;

// How long a send waits for the socket to take a datagram (seconds).
const int kWritableWait = 5;
} // namespace

bool CUdpSender::Open(unsigned short port, void* pOwner)
{
    if (m_Socket != INVALID_SOCKET)
        return false;
    if (!g_bSocketsStarted)
    {
        WSADATA data;
        if (WSAStartup(MAKEWORD(2, 0), &data) == 0)
            g_bSocketsStarted = true;
        else
            WSACleanup(); // the socket below then fails
    }
    const SOCKET s = WSASocketA(AF_INET, SOCK_DGRAM, 0, nullptr, 0, 0);
    if (s == INVALID_SOCKET)
        return false;
    const int on = 1;
    if (setsockopt(s, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&on), sizeof on) != 0)
    {
        closesocket(s);
        return false;
    }
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    if (bind(s, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0)
    {
        closesocket(s);
        return false;
    }
    m_Socket = s;
    if (pOwner)
        m_pOwner = pOwner;

    // A worker that has ended (its body saw the earlier close) is joined and replaced; one that
    // still runs goes on serving the socket just opened.
    if (m_hThread != INVALID_HANDLE_VALUE && WaitForSingleObject(m_hThread, kWorkerEndWait) != WAIT_TIMEOUT)
    {
        CloseHandle(m_hThread);
        m_hThread = INVALID_HANDLE_VALUE;
    }
    if (m_hThread == INVALID_HANDLE_VALUE)
    {
        unsigned id = 0;
        const uintptr_t thread =
            _beginthreadex(nullptr, 0, &CUdpSender::ThreadEntry, this, CREATE_SUSPENDED, &id);
        if (thread != 0)
        {
            m_hThread = reinterpret_cast<HANDLE>(thread);
            ResumeThread(m_hThread);
        }
    }
    m_nPort = port;
    return true;
}

unsigned CUdpSender::ThreadEntry(void* pSender)
{
    static_cast<CUdpSender*>(pSender)->ThreadBody();
    return 1;
}

bool CUdpSender::SendToAll(const char* data, int length)
{
    if (m_Socket == INVALID_SOCKET || !data || length < 1)
        return false;
    SOCKET_SET writable;
    SOCKET_SET_ZERO(&writable);
    SOCKET_SET_ADD(m_Socket, &writable);
    const timeval wait{kWritableWait, 0};
    if (select(0, nullptr, &writable, nullptr, &wait) <= 0)
        return false;
    for (INT_PTR i = 0; i < m_Targets.GetSize(); ++i)
    {
        const sockaddr_in& target = m_Targets[i];
        if (sendto(m_Socket, data, length, 0, reinterpret_cast<const sockaddr*>(&target), sizeof target) >= 0)
            continue;
        const int error = WSAGetLastError();
        INT_PTR known = m_SendFailures.GetSize();
        if (const UdpSendFailureDef* counted = GetSendFailures(target))
            known = counted - m_SendFailures.GetData();
        else
            m_SendFailures.Add(UdpSendFailureDef{target, 0, 0});
        ++m_SendFailures[known].Count;
        m_SendFailures[known].LastError = error;
    }
    return true;
}

void CUdpSender::Close()
{
    if (m_Socket == INVALID_SOCKET)
        return;
    shutdown(m_Socket, SD_BOTH);
    closesocket(m_Socket);
    m_Socket = INVALID_SOCKET;
}

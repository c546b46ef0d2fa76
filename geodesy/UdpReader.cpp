#include "geodesy/UdpReader.h"

#include "foundation/ConfigFile.h"
#include "foundation/Folders.h"
#include "foundation/WindowMessages.h"
#include "platform/core/Exception.h"
#include "platform/core/Time.h"

#include <cstring>
#include <vector>

namespace
{
const DWORD kErrorPauseMs = 10;
const DWORD kRoomWaitStepMs = 20;
const ULONGLONG kRoomWaitLimitMs = 1000;
const ULONGLONG kRepostMs = 100;
} // namespace

CUdpReader::CUdpReader() : m_Drained(FALSE, FALSE), m_StopEvent(FALSE, TRUE)
{
    m_RxBuffer.Allocate(BUFFER_SIZE);
    m_LocalAddress.sin_family = AF_INET;
    m_LocalAddress.sin_addr.s_addr = htonl(INADDR_ANY);
}

CUdpReader::~CUdpReader()
{
    Stop();
}

bool CUdpReader::Open(CCmdTarget* pTarget, WORD port)
{
    // Opened again: the old socket and thread go first, so neither leaks nor reads on.
    if (m_pThread || m_Socket.load() != INVALID_SOCKET)
        Stop();
    m_nPort = port;
    m_LocalAddress.sin_port = htons(port);
    m_nOpenError = 0;

    if (!m_bSocketsStarted)
    {
        WSADATA data;
        if (const int error = WSAStartup(MAKEWORD(2, 2), &data); error != 0)
        {
            m_nOpenError = error;
            return false;
        }
        m_bSocketsStarted = true;
    }
    SOCKET s = WSASocketA(AF_INET, SOCK_DGRAM, IPPROTO_UDP, nullptr, 0, 0);
    if (s == INVALID_SOCKET)
    {
        m_nOpenError = WSAGetLastError();
        WSACleanup();
        m_bSocketsStarted = false;
        return false;
    }
    // Past the system's limit only a privileged process is granted the whole queue.
    const int queue = SOCKET_QUEUE_SIZE;
    if (setsockopt(s, SOL_SOCKET, SO_RCVBUFFORCE, reinterpret_cast<const char*>(&queue), sizeof queue) != 0)
        setsockopt(s, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&queue), sizeof queue);
    // Whatever the queue granted, the datagrams that overflow it are counted.
    const int countDrops = 1;
    setsockopt(s, SOL_SOCKET, SO_RXQ_OVFL, reinterpret_cast<const char*>(&countDrops), sizeof countDrops);
    m_nSystemDrops = 0;
    if (bind(s, reinterpret_cast<const sockaddr*>(&m_LocalAddress), sizeof m_LocalAddress) == SOCKET_ERROR)
    {
        // Taken before the close, which sets an error of its own.
        m_nOpenError = WSAGetLastError();
        closesocket(s);
        return false;
    }
    m_pTarget = pTarget;
    m_Socket = s;
    m_bMessagePending = false; // a message of the old thread may have been dropped with it
    m_bStop = false;
    m_StopEvent.ResetEvent();
    m_pThread = AfxBeginThread(&CUdpReader::ThreadEntry, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (m_pThread)
    {
        m_pThread->m_bAutoDelete = FALSE;
        m_bThreadRunning = true;
        m_pThread->ResumeThread();
    }
    SaveSettings();
    return true;
}

void CUdpReader::Stop()
{
    m_pTarget = nullptr;
    m_bStop = true;
    m_StopEvent.SetEvent();
    // The thread ends before its socket is closed: a socket closed under a receive in flight
    // could hand the thread another file's handle of the same number.
    const SOCKET s = m_Socket.exchange(INVALID_SOCKET);
    if (s != INVALID_SOCKET)
        shutdown(s, SD_BOTH);
    if (m_pThread)
    {
        WaitForSingleObject(m_pThread->m_hThread, INFINITE);
        delete m_pThread;
        m_pThread = nullptr;
    }
    if (s != INVALID_SOCKET)
        closesocket(s);
    m_bThreadRunning = false;
    if (m_bSocketsStarted)
    {
        WSACleanup();
        m_bSocketsStarted = false;
    }
}

CString CUdpReader::GetOpenFailure() const
{
    return m_nOpenError != 0 ? CString(WSAGetErrorText(m_nOpenError).c_str()) : CString();
}

CString CUdpReader::GetSettingsFileName() const
{
    CString title = m_strName.IsEmpty() ? CString("UDP") : m_strName;
    // The name comes from a list file: it must not lead out of the folder.
    title.Replace(' ', '_');
    title.Replace('\\', '_');
    title.Replace('/', '_');
    title.Replace(':', '_');
    return CConfigFile::MakeFileName(GetSettingsFolder() + "UDP_Ports\\", title);
}

bool CUdpReader::SaveSettings()
{
    CreateFolderPath(GetSettingsFolder() + "UDP_Ports\\");
    CConfigFile file;
    if (!file.Open(GetSettingsFileName(),
                   CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText))
        return false;
    try
    {
        file.WriteInt("Port No", m_nPort);
        file.WriteBool("Enable", m_bEnabled != 0);
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
        return false;
    }
    return true;
}

INT_PTR CUdpReader::TakeLines(CStringArray& lines)
{
    INT_PTR taken = 0;
    {
        CSingleLock lock(&m_Lock, TRUE);
        m_bMessagePending = false;
        CString line;
        while (m_RxBuffer.ReadTo(line, '\n') > 0)
        {
            lines.Add(line);
            ++taken;
        }
    }
    m_Drained.SetEvent();
    return taken;
}

UINT CUdpReader::ThreadEntry(LPVOID reader)
{
    return static_cast<CUdpReader*>(reader)->ReadDatagrams();
}

namespace
{
// One datagram of at most `size` bytes into `data`: its length, or 0 or less when none came.
int ReceiveDatagram(SOCKET s, char* data, int size)
{
    const int n = recvfrom(s, data, size, 0, nullptr, nullptr);
    if (n == SOCKET_ERROR && WSAGetLastError() == WSAEMSGSIZE)
        return size; // a longer datagram: its first bytes fill the buffer
    return n;
}
} // namespace

UINT CUdpReader::ReadDatagrams()
{
    // Datagrams that are already waiting are taken together, so that a burst costs one
    // append and one message rather than one of each per datagram.
    static constexpr int kBatch = 8 * MAX_DATAGRAM;
    std::vector<char> data(kBatch);
    for (;;)
    {
        // Read afresh each time: Stop may have closed it.
        const SOCKET s = m_Socket;
        if (s == INVALID_SOCKET || Stopping())
            break;
        int n = ReceiveDatagram(s, data.data(), MAX_DATAGRAM);
        if (n <= 0)
        {
            m_StopEvent.Lock(kErrorPauseMs);
            continue;
        }
        ULONG waiting = 0;
        while (n + MAX_DATAGRAM <= kBatch && ioctlsocket(s, FIONREAD, &waiting) == 0 && waiting > 0)
        {
            const int more = ReceiveDatagram(s, data.data() + n, MAX_DATAGRAM);
            if (more <= 0)
                break;
            n += more;
        }
        m_nSystemDrops = GetDroppedDatagramCount(s);
        if (!Append(data.data(), n))
            continue;
        CCmdTarget* target = m_pTarget;
        if (target)
            ::PostMessage(target->GetSafeHwnd(), UM_RECEIVE_DATA, m_nPort,
                          reinterpret_cast<LPARAM>(&m_RxBuffer));
    }
    m_bThreadRunning = false;
    return 0;
}

bool CUdpReader::Append(const char* data, int n)
{
    const ULONGLONG start = GetTickCount64();
    for (;;)
    {
        {
            CSingleLock lock(&m_Lock, TRUE);
            const ULONGLONG now = GetTickCount64();
            const bool fits = n <= m_RxBuffer.GetFree();
            if (fits || !m_pTarget.load() || Stopping() || now - start >= kRoomWaitLimitMs ||
                !m_RxBuffer.IsAllocated())
            {
                m_RxBuffer.Write(data, n);
                if (m_bMessagePending && now - m_nLastPostTick < kRepostMs)
                    return false;
                m_bMessagePending = true;
                m_nLastPostTick = now;
                return true;
            }
        }
        m_Drained.Lock(kRoomWaitStepMs);
    }
}

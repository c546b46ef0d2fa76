#include "geodesy/ComsThread.h"

#include "foundation/WindowMessages.h"
#include "geodesy/ComPort.h"
#include "platform/core/Time.h"
#include "platform/io/CommApi.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNCREATE(CComsThread, CWinThread)

namespace
{
const DWORD kReadSize = 2048;
const DWORD kReadPauseMs = 100;
const DWORD kIdlePauseMs = 1000;
const DWORD kProbeMs = 1000;
const DWORD kProbeStepMs = 10;

// The rates a search tries after the port's own, in this order.
const int kSearchRates[] = {9600, 4800, 19200, 38400, 57600, 115200, 2400, 1200, 300};

// The sentence types that show a receiver talking at the right rate.
const char* const kKnownTypes[] = {"GGA", "GLL", "GSA", "GSV", "HCC", "HDG", "HDM",
                                   "HDT", "LOG", "RMC", "TLL", "TTM", "VTG", "ZDA"};

// 1 when the line shows the rate is right, -1 when it shows it is wrong, 0 when it tells
// nothing (a piece of a sentence, noise between sentences).
int ClassifyLine(const CString& line)
{
    if (line.IsEmpty())
        return 0;
    if (line[0] == '!')
    {
        // "!AIVDM": a five-character address whose last three letters are the type.
        const CString type = line.Mid(3, 3);
        return (type == "VDM" || type == "VDO") ? 1 : -1;
    }
    if (line[0] == '$')
    {
        const CString type = line.Left(6) == "$PTNL," ? line.Mid(6, 3) : line.Mid(3, 3);
        for (const char* known : kKnownTypes)
            if (type == known)
                return 1;
        return -1;
    }
    return 0;
}
} // namespace

CComsThread::CComsThread() : m_Wake(FALSE, TRUE)
{
    m_bAutoDelete = FALSE;
}

CComsThread::~CComsThread()
{
    if (m_pPort)
        m_pPort->Close();
}

void CComsThread::StartBaudSearch()
{
    m_bSearch = 1;
    m_nMode = MODE_BAUD_SEARCH;
}

void CComsThread::RequestStop()
{
    m_bStop = 1;
    m_Wake.SetEvent();
}

bool CComsThread::Pause(DWORD ms)
{
    if (m_bStop)
        return false;
    m_Wake.Lock(ms);
    return !m_bStop;
}

void CComsThread::Post(UINT message, WPARAM wParam, LPARAM lParam)
{
    CCmdTarget* target = m_pWnd;
    if (target)
        ::PostMessage(target->GetSafeHwnd(), message, wParam, lParam);
}

int CComsThread::Run()
{
    if (!m_pLock)
        return -1;
    CSingleLock lock(m_pLock);
    lock.Lock();
    if (m_pPort)
        m_pPort->MarkData();
    lock.Unlock();

    while (!m_bStop)
    {
        if (m_nMode == MODE_BAUD_SEARCH)
        {
            lock.Lock();
            if (m_bSearch)
                SearchBaudRate();
            m_nMode = MODE_READ;
            lock.Unlock();
            continue;
        }

        lock.Lock();
        const bool idle = !m_pPort || !m_pPort->IsOpen() || m_pPort->m_bPaused;
        if (!idle)
            ReadPort();
        lock.Unlock();
        Pause(idle ? kIdlePauseMs : kReadPauseMs);
    }
    return 0;
}

void CComsThread::ReadPort()
{
    ComDef* port = m_pPort;
    // While a window takes the lines out, read only what fits: what does not stay in the
    // driver's queue until the window has caught up, instead of overwriting unread lines.
    DWORD room = kReadSize;
    if (m_pWnd.load() && port->m_RxBuffer.IsAllocated())
        room = std::min<DWORD>(room, static_cast<DWORD>(port->m_RxBuffer.GetFree()));
    if (room == 0)
        return;

    char data[kReadSize + 1];
    DWORD got = 0;
    if (!ReadFile(port->m_hPort, data, room, &got, nullptr))
        got = 0; // a read error counts as no data
    data[got] = '\0';
    if (got > 0)
    {
        port->m_RxBuffer.Write(data, static_cast<int>(got));
        port->MarkData();
        Post(UM_RECEIVE_DATA, port->m_nPort, reinterpret_cast<LPARAM>(&port->m_RxBuffer));
        return;
    }
    if (!port->m_bTimedOut && port->GetSilentSeconds() > port->m_nTimeoutInterval)
    {
        port->m_bTimedOut = 1;
        Post(UM_DATA_TIMEOUT, port->m_nPort, 0);
    }
}

void CComsThread::SearchBaudRate()
{
    ComDef* port = m_pPort;
    if (!port)
        return;
    const bool wasOpen = port->IsOpen();
    if (!wasOpen)
        port->Open();
    const int start = port->m_nBaudRate;
    bool found = Probe();
    for (int rate : kSearchRates)
    {
        if (found || m_bStop)
            break;
        if (rate == start)
            continue;
        port->Close();
        port->m_nBaudRate = rate;
        port->m_RxBuffer.Reset();
        port->Open();
        found = Probe();
    }
    if (!found)
    {
        port->Close();
        port->m_nBaudRate = start;
        // A port that was working before the search goes on working at its old rate.
        if (wasOpen)
            port->Open();
    }
    port->Save();
}

bool CComsThread::Probe()
{
    ComDef* port = m_pPort;
    port->m_RxBuffer.Reset();
    if (!port->IsOpen())
        return false;
    const ULONGLONG start = GetTickCount64();
    char data[kReadSize + 1];
    CString line;
    while (GetTickCount64() - start < kProbeMs)
    {
        DWORD got = 0;
        if (!ReadFile(port->m_hPort, data, kReadSize, &got, nullptr))
            got = 0;
        data[got] = '\0';
        if (got > 0)
        {
            port->m_RxBuffer.Write(data, static_cast<int>(got));
            port->MarkData();
        }
        while (port->m_RxBuffer.ReadTo(line, '\n') > 0)
        {
            const int verdict = ClassifyLine(line);
            if (verdict < 0)
                return false;
            if (verdict > 0)
            {
                if (!port->IsOpen())
                    port->Open();
                port->Save();
                Post(UM_RS232_PORT_FOUND, port->m_nPort, 0);
                return true;
            }
        }
        if (!Pause(kProbeStepMs))
            return false;
    }
    return false;
}

// CUdpReader: one UDP input of the Geodetic program. It binds a socket to its local port on
// every interface, receives datagrams on a thread of its own, appends them to its ring buffer
// and tells the target window with UM_RECEIVE_DATA, exactly as a serial port does.
#pragma once

#include "geodesy/RingBuffer.h"
#include "platform/core/Array.h"
#include "platform/core/CmdTarget.h"
#include "platform/core/Sync.h"
#include "platform/core/WinThread.h"
#include "platform/io/WinSock.h"

#include <atomic>

class CUdpReader
{
public:
    // The largest datagram taken whole; the rest of a longer one is lost.
    static constexpr int MAX_DATAGRAM = 4096;
    // The receive buffer holds this many bytes: at 10 000 sentences a second a frame busy
    // drawing for a tenth of a second must not lose a line (4096 bytes last 6 ms at that rate).
    static constexpr int BUFFER_SIZE = 64 * 1024;
    // What the reader asks of the system's queue of its socket, which holds datagrams while
    // the reader waits for room in its buffer: two seconds at 10 000 lines a second, at the
    // kernel's cost of about 800 bytes a small datagram (granted up to the system's limit
    // unless the process may exceed it).
    static constexpr int SOCKET_QUEUE_SIZE = 2 * 10000 * 800;

    // The buffer is allocated; socket and thread are not made until Open.
    CUdpReader();
    // Stops the reader.
    virtual ~CUdpReader();
    CUdpReader(const CUdpReader&) = delete;
    CUdpReader& operator=(const CUdpReader&) = delete;

    // Binds a datagram socket to `port` on every interface, starts the reader thread and
    // writes the reader's settings file; a reader opened before is stopped first. False when
    // sockets cannot be started, or the socket cannot be made or bound (a port held by another
    // program): the reader then has neither socket nor thread.
    bool Open(CCmdTarget* pTarget, WORD port);
    // Shuts the socket down, waits for the thread to end, then closes the socket: no message of this
    // reader is posted once it returns, and it returns within a second or so whatever is
    // arriving.
    void Stop();
    bool IsRunning() const { return m_bThreadRunning; }
    // Why the last Open failed, in the system's words ("Address already in use"); empty when it
    // did not fail.
    CString GetOpenFailure() const;
    // Datagrams the system dropped, its queue of the socket being full, before the reader took
    // them (not lines the reader lost): as the last datagram received reported them, for the
    // socket of the last Open, also after Stop.
    DWORD GetSystemDropCount() const { return m_nSystemDrops; }

    // Writes "<settings folder>UDP_Ports\<name>.INI": "Port No" and "Enable".
    bool SaveSettings();
    // The file SaveSettings writes under the input's present name.
    CString GetSettingsFileName() const;

    // Takes every complete line ('\n' included) out of the buffer, under the reader's lock.
    // Returns the number of lines appended to `lines`.
    INT_PTR TakeLines(CStringArray& lines);
    // The reader's own lock, held by its thread around each append and by every reader of
    // the buffer.
    CSyncObject* GetLock() { return &m_Lock; }

    std::atomic<SOCKET> m_Socket{INVALID_SOCKET};
    sockaddr_in m_LocalAddress{};
    std::atomic<CCmdTarget*> m_pTarget{nullptr};
    CWinThread* m_pThread = nullptr;
    CRingBuffer m_RxBuffer;
    CString m_strName;
    BYTE m_bEnabled = 1;
    WORD m_nPort = 0;

protected:
    // The thread body: receives until the socket is closed.
    virtual UINT ReadDatagrams();

private:
    static UINT ThreadEntry(LPVOID reader);
    // Appends one datagram under the lock. While a window takes the lines out and the
    // datagram does not fit, waits (up to a second) for it to make room rather than
    // overwriting unread lines; the socket's own queue holds what arrives meanwhile.
    // True when the window is to be told.
    bool Append(const char* data, int n);
    bool Stopping() const { return m_bStop; }

    CCriticalSection m_Lock;
    // Set when lines are taken out; wakes an append waiting for room.
    CEvent m_Drained;
    // Set by Stop; cuts short the thread's pauses.
    CEvent m_StopEvent;
    std::atomic<bool> m_bStop{false};
    // A message is on its way and no lines were taken since (guarded by the lock): the
    // window will take the new lines with the ones before. A message the window dropped
    // is posted again after a while, so lines never wait for ever.
    bool m_bMessagePending = false;
    ULONGLONG m_nLastPostTick = 0;
    std::atomic<bool> m_bThreadRunning{false};
    std::atomic<DWORD> m_nSystemDrops{0};
    bool m_bSocketsStarted = false;
    // The Windows Sockets error of the last Open that failed; 0 after one that did not.
    int m_nOpenError = 0;
};

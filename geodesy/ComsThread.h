// CComsThread: the reader thread of one serial port. It appends what the port receives to
// the port's ring buffer under the lock that all ports share, tells the target window with
// UM_RECEIVE_DATA, reports a port fallen silent once with UM_DATA_TIMEOUT, and on request
// searches for the port's baud rate by listening for known NMEA sentences.
#pragma once

#include "platform/core/CmdTarget.h"
#include "platform/core/Sync.h"
#include "platform/core/WinThread.h"

#include <atomic>

struct ComDef;

class CComsThread : public CWinThread
{
    DECLARE_DYNCREATE(CComsThread)
public:
    enum MODE
    {
        MODE_READ = 0,
        MODE_BAUD_SEARCH = 1,
    };

    CComsThread();
    // Closes the port and frees its receive buffer. Delete only after the thread has ended.
    ~CComsThread() override;

    BOOL InitInstance() override { return TRUE; }
    // The read loop; ends with 0 when stopped, with -1 at once when no lock was given.
    int Run() override;

    // Asks for a baud-rate search (the search flag and mode 1).
    void StartBaudSearch();
    // Sets the stop flag and cuts short a pause; the owner then waits for the thread's end.
    void RequestStop();

    // Set before the thread is resumed and only read by it.
    ComDef* m_pPort = nullptr;
    CSyncObject* m_pLock = nullptr;
    // Receives the posted messages; cleared, while the thread runs, by the code that stops it.
    std::atomic<CCmdTarget*> m_pWnd{nullptr};
    std::atomic<int> m_nMode{MODE_BAUD_SEARCH};
    std::atomic<BYTE> m_bStop{0};
    std::atomic<BYTE> m_bSearch{0};

private:
    // One read of up to 2048 bytes into the buffer, under the lock.
    void ReadPort();
    // The baud-rate search, under the lock.
    void SearchBaudRate();
    // Listens at the port's current rate for up to a second; true when a known sentence came.
    bool Probe();
    // Waits `ms` milliseconds, or less when a stop is requested; false when stopping.
    bool Pause(DWORD ms);
    void Post(UINT message, WPARAM wParam, LPARAM lParam);

    CEvent m_Wake;
};

// Threads as the framework gives them: a CWinThread object per thread, made by its run-time
// class or around a plain function, started at once or suspended until ResumeThread.
//
//     CLoadThread* t = static_cast<CLoadThread*>(
//         AfxBeginThread(RUNTIME_CLASS(CLoadThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
//     t->m_pOwner = this;
//     t->ResumeThread();
//
// A run-time-class thread runs InitInstance and, when that returns TRUE, Run; its exit code
// is Run's result (ExitInstance's when InitInstance fails). With m_bAutoDelete (the
// default) the object deletes itself when its thread ends; m_hThread stays waitable until
// the object is deleted. A CException escaping the thread is reported (AfxReportException)
// and ends it with exit code (DWORD)-1.
#pragma once

#include "platform/core/CmdTarget.h"
#include "platform/core/Sync.h"

#include <cstdint>
#include <memory>

#define CREATE_SUSPENDED 0x00000004u
#define STILL_ACTIVE 259u

#define THREAD_PRIORITY_IDLE (-15)
#define THREAD_PRIORITY_LOWEST (-2)
#define THREAD_PRIORITY_BELOW_NORMAL (-1)
#define THREAD_PRIORITY_NORMAL 0
#define THREAD_PRIORITY_ABOVE_NORMAL 1
#define THREAD_PRIORITY_HIGHEST 2
#define THREAD_PRIORITY_TIME_CRITICAL 15

using AFX_THREADPROC = UINT (*)(LPVOID);

class CThreadObject;

class PLATFORM_API CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    // Starts the thread (suspended with CREATE_SUSPENDED). The stack size is left to the
    // system. FALSE when the thread was already created or cannot be started.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                      LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
    // The previous suspend count, the thread running once it reaches 0; (DWORD)-1 for a
    // thread never created.
    DWORD ResumeThread();
    // Only a thread that has not started running can be suspended (again); (DWORD)-1
    // otherwise, since a running thread cannot be stopped at an arbitrary point.
    DWORD SuspendThread();
    // Accepted and remembered; every thread runs at the system's normal priority.
    int GetThreadPriority() const { return m_nPriority; }
    BOOL SetThreadPriority(int nPriority);
    // Queues a message for this thread's message loop (the default Run); for the
    // application, for the user-interface event loop. FALSE when the thread has ended.
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);

    virtual BOOL InitInstance();
    // The default runs a message loop of thread messages until WM_QUIT, then ExitInstance.
    virtual int Run();
    // The exit code: the wParam of the WM_QUIT that ended the loop.
    virtual int ExitInstance();
    // TRUE when the message needs no further dispatch.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Deletes the object when m_bAutoDelete; called when the thread ends.
    virtual void Delete();
    // The thread's main window, or the application's when the thread has none.
    virtual CCmdTarget* GetMainWnd();

    operator HANDLE() const { return m_hThread; }

    CCmdTarget* m_pMainWnd = nullptr;
    BOOL m_bAutoDelete = TRUE;
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;
    MSG m_msgCur{};

private:
    int m_nPriority = THREAD_PRIORITY_NORMAL;
    std::shared_ptr<CThreadObject> m_state;
};

// Makes an object of `pThreadClass` (which must derive from CWinThread and be creatable)
// and starts its thread. Null when either fails.
PLATFORM_API CWinThread* AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                                        UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                        LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// Runs `pfnThreadProc(pParam)` on a new thread; its result is the exit code.
PLATFORM_API CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                        int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                        DWORD dwCreateFlags = 0,
                                        LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// Ends the calling thread (one started by AfxBeginThread) with `nExitCode`, unwinding its
// stack; its object is deleted when `bDelete` and m_bAutoDelete. Does nothing on other threads.
PLATFORM_API void AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
// The CWinThread of the calling thread: its own object on a worker thread, the application
// on the user-interface thread; null elsewhere.
PLATFORM_API CWinThread* AfxGetThread();

// Runs `start(argument)` on a new thread of its own, with no CWinThread object: suspended
// until ResumeThread with CREATE_SUSPENDED in `initFlag`. The result is the thread's handle
// as a number, waitable (WaitForSingleObject) and read by GetExitCodeThread, kept until
// CloseHandle; 0 when the thread cannot be started (or `start` is null). The exit code is
// start's result; a CException escaping it is reported and ends it with (DWORD)-1. The stack
// size is left to the system and `security` is ignored; `threadId`, when given, gets the
// thread's number (GetCurrentThreadId on it).
using BEGINTHREADEX_PROC = unsigned (*)(void*);
PLATFORM_API uintptr_t _beginthreadex(void* security, unsigned stackSize, BEGINTHREADEX_PROC start,
                                      void* argument, unsigned initFlag, unsigned* threadId);
// The previous suspend count of a thread of that handle (from _beginthreadex or a
// CWinThread), the thread running once it reaches 0; (DWORD)-1 for a handle that is not an
// open thread handle.
PLATFORM_API DWORD ResumeThread(HANDLE hThread);
// STILL_ACTIVE while the thread runs. FALSE for a handle that is not an open thread handle.
PLATFORM_API BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode);
// A number for the calling thread, unique within the process and never 0.
PLATFORM_API DWORD GetCurrentThreadId();
// Ends the user-interface event loop with `nExitCode` (also when called before the loop has
// started), or the calling worker thread's message loop.
PLATFORM_API void PostQuitMessage(int nExitCode);
#define AfxPostQuitMessage PostQuitMessage

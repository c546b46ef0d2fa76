#include "platform/core/WinThread.h"

#include "platform/core/Exception.h"
#include "platform/core/WinApp.h"

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

// The kernel side of a thread: its suspend count, its end and exit code, and the queue of
// thread messages. Shared by the CWinThread, its handle and the running thread, so that a
// waiter or the thread itself may outlive the CWinThread object.
class CThreadObject : public CKernelObject
{
public:
    DWORD Wait(DWORD milliseconds) override
    {
        std::unique_lock<std::mutex> guard(lock);
        auto ended = [this] { return finished; };
        if (milliseconds == INFINITE)
        {
            cv.wait(guard, ended);
            return WAIT_OBJECT_0;
        }
        return cv.wait_for(guard, std::chrono::milliseconds(milliseconds), ended) ? WAIT_OBJECT_0
                                                                                  : WAIT_TIMEOUT;
    }

    void Finish(DWORD code)
    {
        {
            std::lock_guard<std::mutex> guard(lock);
            exitCode = code;
            finished = true;
        }
        cv.notify_all();
    }

    std::mutex lock;
    std::condition_variable cv;
    DWORD id = 0;
    DWORD suspendCount = 0;
    bool started = false;
    // The object went before its thread ever ran: the thread ends without touching it.
    bool cancelled = false;
    bool finished = false;
    DWORD exitCode = STILL_ACTIVE;
    std::deque<MSG> queue;
};

namespace
{
std::atomic<DWORD> g_nextThreadId{1};
thread_local DWORD t_threadId = 0;
thread_local CWinThread* t_thread = nullptr;

// Thrown by AfxEndThread and caught where the thread began, so that the stack unwinds.
struct ThreadExit
{
    DWORD code;
    bool destroy;
};

CWinThread* Start(CWinThread* thread, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                  LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    // Always created suspended, so the priority is set before the thread can end and delete
    // itself.
    if (!thread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs))
    {
        delete thread;
        return nullptr;
    }
    thread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        thread->ResumeThread();
    return thread;
}
} // namespace

static void AfxThreadMain(CWinThread* thread, std::shared_ptr<CThreadObject> state)
{
    t_threadId = state->id;
    {
        std::unique_lock<std::mutex> guard(state->lock);
        state->cv.wait(guard, [&] { return state->suspendCount == 0 || state->cancelled; });
        if (state->cancelled)
        {
            guard.unlock();
            state->Finish(0);
            return;
        }
        state->started = true;
    }
    t_thread = thread;
    DWORD code = 0;
    bool destroy = true;
    try
    {
        if (thread->m_pfnThreadProc)
            code = thread->m_pfnThreadProc(thread->m_pThreadParams);
        else if (thread->InitInstance())
            code = static_cast<DWORD>(thread->Run());
        else
            code = static_cast<DWORD>(thread->ExitInstance());
    }
    catch (const ThreadExit& exit)
    {
        code = exit.code;
        destroy = exit.destroy;
    }
    catch (CException* e)
    {
        AfxReportException(e);
        e->Delete();
        code = static_cast<DWORD>(-1);
    }
    t_thread = nullptr;
    if (destroy)
        thread->Delete();
    // Last: once the thread is seen to have ended, its owner may delete the object.
    state->Finish(code);
}

// One resume: the previous suspend count, the thread let go when it reaches 0.
static DWORD Resume(CThreadObject& state)
{
    std::lock_guard<std::mutex> guard(state.lock);
    const DWORD previous = state.suspendCount;
    if (previous > 0 && --state.suspendCount == 0)
        state.cv.notify_all();
    return previous;
}

// A thread of _beginthreadex: the plain function, with no thread object around it.
static void PlainThreadMain(BEGINTHREADEX_PROC start, void* argument, std::shared_ptr<CThreadObject> state)
{
    t_threadId = state->id;
    {
        std::unique_lock<std::mutex> guard(state->lock);
        state->cv.wait(guard, [&] { return state->suspendCount == 0; });
        state->started = true;
    }
    DWORD code = 0;
    try
    {
        code = start(argument);
    }
    catch (CException* e)
    {
        AfxReportException(e);
        e->Delete();
        code = static_cast<DWORD>(-1);
    }
    state->Finish(code);
}

// ---------------------------------------------------------------------------------------
// CWinThread
// ---------------------------------------------------------------------------------------

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam)
{
}

CWinThread::~CWinThread()
{
    if (m_state)
    {
        std::lock_guard<std::mutex> guard(m_state->lock);
        if (!m_state->started && !m_state->finished)
        {
            m_state->cancelled = true;
            m_state->cv.notify_all();
        }
    }
    if (m_hThread)
        CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT, LPSECURITY_ATTRIBUTES)
{
    if (m_state)
        return FALSE;
    auto state = std::make_shared<CThreadObject>();
    state->id = g_nextThreadId++;
    state->suspendCount = (dwCreateFlags & CREATE_SUSPENDED) ? 1 : 0;
    m_state = state;
    m_nThreadID = state->id;
    m_hThread = AfxRegisterHandle(state);
    try
    {
        // Nothing of this object may be touched after the start: a thread that runs at
        // once may already have ended and deleted it.
        std::thread(AfxThreadMain, this, state).detach();
    }
    catch (const std::system_error&)
    {
        CloseHandle(m_hThread);
        m_hThread = nullptr;
        m_nThreadID = 0;
        m_state.reset();
        return FALSE;
    }
    return TRUE;
}

DWORD CWinThread::ResumeThread()
{
    // A copy: once resumed, the thread may end and delete this object at any moment.
    std::shared_ptr<CThreadObject> state = m_state;
    if (!state)
        return static_cast<DWORD>(-1);
    return Resume(*state);
}

DWORD CWinThread::SuspendThread()
{
    if (!m_state)
        return static_cast<DWORD>(-1);
    std::lock_guard<std::mutex> guard(m_state->lock);
    if (m_state->started || m_state->finished || m_state->cancelled)
        return static_cast<DWORD>(-1);
    return m_state->suspendCount++;
}

BOOL CWinThread::SetThreadPriority(int nPriority)
{
    m_nPriority = nPriority;
    return TRUE;
}

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_state)
    {
        {
            std::lock_guard<std::mutex> guard(m_state->lock);
            if (m_state->finished || m_state->cancelled)
                return FALSE;
            MSG msg{};
            msg.message = message;
            msg.wParam = wParam;
            msg.lParam = lParam;
            msg.time = static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                              std::chrono::steady_clock::now().time_since_epoch())
                                              .count());
            m_state->queue.push_back(msg);
        }
        m_state->cv.notify_all();
        return TRUE;
    }
    if (this != AfxGetApp())
        return FALSE;
    return AfxPostCallToUiThread([message, wParam, lParam] {
        if (message == WM_QUIT)
        {
            QCoreApplication::exit(static_cast<int>(wParam));
            return;
        }
        CWinApp* app = AfxGetApp();
        if (!app)
            return;
        MSG msg{};
        msg.message = message;
        msg.wParam = wParam;
        msg.lParam = lParam;
        app->m_msgCur = msg;
        if (!app->PreTranslateMessage(&msg))
            AfxCallWndProc(app, message, wParam, lParam);
    });
}

BOOL CWinThread::InitInstance()
{
    return TRUE;
}

int CWinThread::Run()
{
    std::shared_ptr<CThreadObject> state = m_state;
    if (!state)
        return ExitInstance();
    for (;;)
    {
        MSG msg;
        {
            std::unique_lock<std::mutex> guard(state->lock);
            state->cv.wait(guard, [&] { return !state->queue.empty(); });
            msg = state->queue.front();
            state->queue.pop_front();
        }
        m_msgCur = msg;
        if (msg.message == WM_QUIT)
            break;
        if (!PreTranslateMessage(&msg))
            AfxCallWndProc(this, msg.message, msg.wParam, msg.lParam);
    }
    return ExitInstance();
}

int CWinThread::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

BOOL CWinThread::PreTranslateMessage(MSG*)
{
    return FALSE;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

CCmdTarget* CWinThread::GetMainWnd()
{
    if (m_pMainWnd)
        return m_pMainWnd;
    CWinApp* app = AfxGetApp();
    return (app && app != this) ? app->m_pMainWnd : nullptr;
}

// ---------------------------------------------------------------------------------------
// Free functions
// ---------------------------------------------------------------------------------------

CWinThread* AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pThreadClass || !pThreadClass->IsDerivedFrom(RUNTIME_CLASS(CWinThread)))
        return nullptr;
    CObject* object = pThreadClass->CreateObject();
    if (!object)
        return nullptr;
    return Start(static_cast<CWinThread*>(object), nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pfnThreadProc)
        return nullptr;
    return Start(new CWinThread(pfnThreadProc, pParam), nPriority, nStackSize, dwCreateFlags,
                 lpSecurityAttrs);
}

void AfxEndThread(UINT nExitCode, BOOL bDelete)
{
    if (t_thread)
        throw ThreadExit{nExitCode, bDelete != FALSE};
}

CWinThread* AfxGetThread()
{
    if (t_thread)
        return t_thread;
    CWinApp* app = AfxGetApp();
    return (app && app->m_nThreadID == GetCurrentThreadId()) ? app : nullptr;
}

uintptr_t _beginthreadex(void*, unsigned, BEGINTHREADEX_PROC start, void* argument, unsigned initFlag,
                         unsigned* threadId)
{
    if (!start)
        return 0;
    auto state = std::make_shared<CThreadObject>();
    state->id = g_nextThreadId++;
    state->suspendCount = (initFlag & CREATE_SUSPENDED) ? 1 : 0;
    const HANDLE handle = AfxRegisterHandle(state);
    try
    {
        std::thread(PlainThreadMain, start, argument, state).detach();
    }
    catch (const std::system_error&)
    {
        CloseHandle(handle);
        return 0;
    }
    if (threadId)
        *threadId = state->id;
    return reinterpret_cast<uintptr_t>(handle);
}

DWORD ResumeThread(HANDLE hThread)
{
    auto state = AfxLookupHandleAs<CThreadObject>(hThread);
    if (!state)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return static_cast<DWORD>(-1);
    }
    return Resume(*state);
}

BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode)
{
    auto state = AfxLookupHandleAs<CThreadObject>(hThread);
    if (!state || !lpExitCode)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::lock_guard<std::mutex> guard(state->lock);
    *lpExitCode = state->finished ? state->exitCode : STILL_ACTIVE;
    return TRUE;
}

DWORD GetCurrentThreadId()
{
    if (!t_threadId)
        t_threadId = g_nextThreadId++;
    return t_threadId;
}

void PostQuitMessage(int nExitCode)
{
    if (t_thread)
    {
        t_thread->PostThreadMessage(WM_QUIT, static_cast<WPARAM>(nExitCode), 0);
        return;
    }
    // Posted rather than called, so that a quit asked for before the loop runs still ends it.
    AfxPostCallToUiThread([nExitCode] { QCoreApplication::exit(nExitCode); });
}

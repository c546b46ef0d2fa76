#include "platform/core/Sync.h"
#include "platform/core/WinThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>
#include <vector>

namespace
{
using namespace std::chrono_literals;

// A worker set up by its creator between creation and ResumeThread, as the system's loader
// threads are.
class CTestThread : public CWinThread
{
    DECLARE_DYNCREATE(CTestThread)
public:
    ~CTestThread() override
    {
        if (m_pDestroyed)
            *m_pDestroyed = true;
    }
    BOOL InitInstance() override { return m_bInitOk; }
    int Run() override
    {
        m_ran = true;
        m_runThreadId = GetCurrentThreadId();
        m_currentThread = AfxGetThread();
        if (m_bEndEarly)
        {
            struct Guard
            {
                std::atomic<bool>* flag;
                ~Guard() { *flag = true; }
            } guard{&m_unwound};
            AfxEndThread(9);
        }
        return m_nRunResult;
    }
    int ExitInstance() override { return 77; }

    BOOL m_bInitOk = TRUE;
    bool m_bEndEarly = false;
    int m_nRunResult = 42;
    std::atomic<bool> m_ran{false};
    std::atomic<bool> m_unwound{false};
    DWORD m_runThreadId = 0;
    CWinThread* m_currentThread = nullptr;
    std::atomic<bool>* m_pDestroyed = nullptr;
};
IMPLEMENT_DYNCREATE(CTestThread, CWinThread)

// A thread with the default message loop and a thread-message handler.
class CQueueThread : public CWinThread
{
    DECLARE_DYNCREATE(CQueueThread)
public:
    std::vector<WPARAM> m_seen;

protected:
    void OnWork(WPARAM w, LPARAM) { m_seen.push_back(w); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CQueueThread, CWinThread)
BEGIN_MESSAGE_MAP(CQueueThread, CWinThread)
ON_THREAD_MESSAGE(WM_APP + 1, &CQueueThread::OnWork)
END_MESSAGE_MAP()

CTestThread* BeginSuspended()
{
    auto* t = static_cast<CTestThread*>(
        AfxBeginThread(RUNTIME_CLASS(CTestThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    if (t)
        t->m_bAutoDelete = FALSE;
    return t;
}

DWORD ExitCode(HANDLE h)
{
    DWORD code = 0;
    return GetExitCodeThread(h, &code) ? code : 0xDEADBEEF;
}
} // namespace

TEST(WinThread, SuspendedThreadRunsOnlyAfterResume)
{
    CTestThread* t = BeginSuspended();
    ASSERT_NE(t, nullptr);
    ASSERT_NE(t->m_hThread, nullptr);
    EXPECT_NE(t->m_nThreadID, 0u);
    EXPECT_EQ(t->SuspendThread(), 1u); // suspended twice now

    EXPECT_EQ(t->ResumeThread(), 2u);
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(t->m_ran);
    EXPECT_EQ(ExitCode(t->m_hThread), STILL_ACTIVE);
    EXPECT_EQ(WaitForSingleObject(t->m_hThread, 0), WAIT_TIMEOUT);

    EXPECT_EQ(t->ResumeThread(), 1u);
    ASSERT_EQ(WaitForSingleObject(t->m_hThread, 5000), WAIT_OBJECT_0);
    EXPECT_TRUE(t->m_ran);
    EXPECT_EQ(ExitCode(t->m_hThread), 42u);
    EXPECT_EQ(t->m_runThreadId, t->m_nThreadID);
    EXPECT_EQ(t->m_currentThread, t);
    EXPECT_EQ(t->ResumeThread(), 0u);
    EXPECT_EQ(t->SuspendThread(), static_cast<DWORD>(-1)); // it ran: cannot be suspended
    delete t;
}

TEST(WinThread, ExitCodes)
{
    struct Case
    {
        BOOL initOk;
        bool endEarly;
        DWORD code;
    };
    // Run's result; ExitInstance's when InitInstance fails; AfxEndThread's, unwinding the stack.
    const Case cases[] = {{TRUE, false, 42}, {FALSE, false, 77}, {TRUE, true, 9}};
    for (const Case& c : cases)
    {
        CTestThread* t = BeginSuspended();
        ASSERT_NE(t, nullptr);
        t->m_bInitOk = c.initOk;
        t->m_bEndEarly = c.endEarly;
        t->ResumeThread();
        ASSERT_EQ(WaitForSingleObject(t->m_hThread, 5000), WAIT_OBJECT_0);
        EXPECT_EQ(ExitCode(t->m_hThread), c.code);
        EXPECT_EQ(t->m_ran.load(), c.initOk != FALSE);
        EXPECT_EQ(t->m_unwound.load(), c.endEarly);
        delete t;
    }
}

TEST(WinThread, AutoDeleteObjectGoesWithItsThread)
{
    std::atomic<bool> destroyed{false};
    auto* t = static_cast<CTestThread*>(
        AfxBeginThread(RUNTIME_CLASS(CTestThread), THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED));
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(t->m_bAutoDelete);
    EXPECT_EQ(t->GetThreadPriority(), THREAD_PRIORITY_BELOW_NORMAL);
    t->m_pDestroyed = &destroyed;
    const HANDLE h = t->m_hThread;
    t->ResumeThread();
    for (int i = 0; i < 500 && !destroyed; ++i)
        std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(destroyed);
    // Its handle went with it: asking fails instead of reading freed memory.
    DWORD code = 0;
    EXPECT_FALSE(GetExitCodeThread(h, &code));
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_FAILED);
}

TEST(WinThread, FunctionThreadAndNeverResumedThread)
{
    struct Param
    {
        std::atomic<CWinThread*> self{nullptr};
        int value = 7;
    } param;
    CWinThread* t = AfxBeginThread(
        [](LPVOID p) -> UINT {
            auto* param = static_cast<Param*>(p);
            param->self = AfxGetThread();
            return static_cast<UINT>(param->value);
        },
        &param, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(t, nullptr);
    t->m_bAutoDelete = FALSE;
    t->ResumeThread();
    ASSERT_EQ(WaitForSingleObject(*t, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(ExitCode(t->m_hThread), 7u);
    EXPECT_EQ(param.self.load(), t);
    delete t;

    // Deleting a thread object that never ran lets its thread end without touching it.
    CWinThread* idle = BeginSuspended();
    ASSERT_NE(idle, nullptr);
    delete idle;
    EXPECT_EQ(AfxBeginThread(static_cast<AFX_THREADPROC>(nullptr), nullptr), nullptr);
    EXPECT_EQ(AfxBeginThread(RUNTIME_CLASS(CObject)), nullptr);
}

// A plain function started suspended: it runs only once its handle is resumed, and the handle
// outlives it until closed, so an owner can tell whether it has ended and join it.
TEST(WinThread, PlainFunctionThreadByItsHandle)
{
    struct Param
    {
        std::atomic<int> runs{0};
        std::atomic<DWORD> id{0};
    } param;
    const auto body = [](void* p) -> unsigned {
        auto* param = static_cast<Param*>(p);
        param->id = GetCurrentThreadId();
        ++param->runs;
        return 1;
    };
    unsigned id = 0;
    const uintptr_t number = _beginthreadex(nullptr, 0, body, &param, CREATE_SUSPENDED, &id);
    ASSERT_NE(number, 0u);
    const HANDLE h = reinterpret_cast<HANDLE>(number);
    EXPECT_NE(id, 0u);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(param.runs, 0);
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_TIMEOUT);
    EXPECT_EQ(ExitCode(h), STILL_ACTIVE);

    EXPECT_EQ(ResumeThread(h), 1u);
    ASSERT_EQ(WaitForSingleObject(h, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(param.runs, 1);
    EXPECT_EQ(param.id, id);
    EXPECT_EQ(ExitCode(h), 1u);
    EXPECT_EQ(ResumeThread(h), 0u);
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_OBJECT_0) << "an ended thread stays signalled";
    EXPECT_TRUE(CloseHandle(h));
    EXPECT_EQ(ResumeThread(h), static_cast<DWORD>(-1));
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_FAILED);

    // Started at once without the flag; no thread for a null function; ResumeThread on what is
    // not a thread fails.
    const HANDLE at = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, body, &param, 0, nullptr));
    ASSERT_NE(at, nullptr);
    ASSERT_EQ(WaitForSingleObject(at, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(param.runs, 2);
    CloseHandle(at);
    EXPECT_EQ(_beginthreadex(nullptr, 0, nullptr, nullptr, 0, nullptr), 0u);
    CEvent event;
    EXPECT_EQ(ResumeThread(event.m_hObject), static_cast<DWORD>(-1));
}

TEST(WinThread, DefaultRunPumpsThreadMessagesUntilQuit)
{
    auto* t = static_cast<CQueueThread*>(
        AfxBeginThread(RUNTIME_CLASS(CQueueThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    ASSERT_NE(t, nullptr);
    t->m_bAutoDelete = FALSE;
    // Messages posted before the thread runs wait in its queue.
    for (WPARAM i = 1; i <= 3; ++i)
        EXPECT_TRUE(t->PostThreadMessage(WM_APP + 1, i, 0));
    t->ResumeThread();
    EXPECT_TRUE(t->PostThreadMessage(WM_APP + 1, 4, 0));
    EXPECT_TRUE(t->PostThreadMessage(WM_QUIT, 5, 0));
    ASSERT_EQ(WaitForSingleObject(t->m_hThread, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(t->m_seen, (std::vector<WPARAM>{1, 2, 3, 4}));
    EXPECT_EQ(ExitCode(t->m_hThread), 5u);
    EXPECT_FALSE(t->PostThreadMessage(WM_APP + 1, 6, 0));
    delete t;
}

TEST(CMutex, RecursiveForItsOwnerAndExclusiveAcrossThreads)
{
    CMutex mutex;
    auto tryFromOtherThread = [&](DWORD ms) {
        return std::async(std::launch::async,
                          [&, ms] {
                              CSingleLock lock(&mutex);
                              return lock.Lock(ms) != FALSE;
                          })
            .get();
    };

    ASSERT_TRUE(mutex.Lock());
    ASSERT_TRUE(mutex.Lock(0)); // the owner takes it again at once
    EXPECT_FALSE(tryFromOtherThread(30));
    EXPECT_TRUE(mutex.Unlock());
    EXPECT_FALSE(tryFromOtherThread(30)); // still held once
    EXPECT_TRUE(mutex.Unlock());
    EXPECT_FALSE(mutex.Unlock()); // not owned any more
    EXPECT_TRUE(tryFromOtherThread(1000));

    // Only the owner may release it.
    ASSERT_TRUE(mutex.Lock());
    EXPECT_FALSE(std::async(std::launch::async, [&] { return mutex.Unlock() != FALSE; }).get());
    EXPECT_TRUE(mutex.Unlock());

    // Exclusion: unguarded read-modify-write under the lock from several threads.
    int counter = 0;
    std::vector<std::thread> workers;
    for (int w = 0; w < 4; ++w)
        workers.emplace_back([&] {
            for (int i = 0; i < 2000; ++i)
            {
                CSingleLock lock(&mutex, TRUE);
                const int seen = counter;
                if (i % 100 == 0)
                    std::this_thread::yield();
                counter = seen + 1;
            }
        });
    for (std::thread& w : workers)
        w.join();
    EXPECT_EQ(counter, 8000);
}

TEST(CMutex, AbandonedByAnEndedThreadIsTakenNotDeadlocked)
{
    CMutex mutex;
    std::thread([&] { mutex.Lock(); }).join();
    EXPECT_EQ(WaitForSingleObject(mutex.m_hObject, 1000), WAIT_ABANDONED);
    EXPECT_TRUE(mutex.Unlock());
    EXPECT_EQ(WaitForSingleObject(mutex.m_hObject, 0), WAIT_OBJECT_0);
    mutex.Unlock();
}

TEST(CMutex, NamedMutexIsOneObjectInTheProcess)
{
    {
        CMutex first(FALSE, "Suite Test Mutex");
        ASSERT_NE(first.m_hObject, nullptr);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
        CMutex second(FALSE, "Suite Test Mutex");
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
        ASSERT_TRUE(first.Lock());
        EXPECT_FALSE(std::async(std::launch::async, [&] { return second.Lock(20) != FALSE; }).get());
        first.Unlock();

        // The name belongs to a mutex: an event cannot take it.
        CEvent event(FALSE, FALSE, "Suite Test Mutex");
        EXPECT_EQ(event.m_hObject, nullptr);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
        CSingleLock lock(&event);
        EXPECT_FALSE(lock.Lock(0));
    }
    // Gone with its last object: the name is new again.
    HANDLE h = CreateMutexA(nullptr, TRUE, "Suite Test Mutex");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_TRUE(ReleaseMutex(h));
    EXPECT_TRUE(CloseHandle(h));
    EXPECT_FALSE(CloseHandle(h));
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_FAILED);
}

TEST(CEvent, AutoAndManualReset)
{
    struct Case
    {
        BOOL manual;
        BOOL initial;
        DWORD first;
        DWORD second;
    };
    // An automatic event lets one wait through per SetEvent; a manual one stays signalled.
    const Case cases[] = {
        {FALSE, TRUE, WAIT_OBJECT_0, WAIT_TIMEOUT},
        {TRUE, TRUE, WAIT_OBJECT_0, WAIT_OBJECT_0},
        {FALSE, FALSE, WAIT_TIMEOUT, WAIT_TIMEOUT},
    };
    for (const Case& c : cases)
    {
        CEvent e(c.initial, c.manual);
        EXPECT_EQ(WaitForSingleObject(e, 0), c.first) << c.manual << c.initial;
        EXPECT_EQ(WaitForSingleObject(e, 10), c.second) << c.manual << c.initial;
        e.ResetEvent();
        EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_TIMEOUT);
        e.SetEvent();
        EXPECT_TRUE(e.Lock(0));
        EXPECT_EQ(WaitForSingleObject(e, 0), c.manual ? WAIT_OBJECT_0 : WAIT_TIMEOUT);
    }

    // SetEvent wakes a thread already waiting; PulseEvent releases waiters and leaves it reset.
    for (BOOL manual : {FALSE, TRUE})
    {
        CEvent e(FALSE, manual);
        auto waiter = std::async(std::launch::async, [&] { return WaitForSingleObject(e, 5000); });
        std::this_thread::sleep_for(20ms);
        e.SetEvent();
        EXPECT_EQ(waiter.get(), WAIT_OBJECT_0);
        e.ResetEvent();

        std::vector<std::future<DWORD>> waiters;
        for (int i = 0; i < 2; ++i)
            waiters.push_back(std::async(std::launch::async, [&] { return WaitForSingleObject(e, 300); }));
        std::this_thread::sleep_for(50ms);
        e.PulseEvent();
        int released = 0;
        for (auto& w : waiters)
            released += w.get() == WAIT_OBJECT_0;
        EXPECT_EQ(released, manual ? 2 : 1);
        EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_TIMEOUT);
    }
}

TEST(CSingleLock, UnlocksOnScopeExitAndLocksOnce)
{
    CCriticalSection section;
    {
        CSingleLock lock(&section);
        EXPECT_FALSE(lock.IsLocked());
        EXPECT_TRUE(lock.Lock());
        EXPECT_TRUE(lock.Lock()); // already held: not taken a second time
        EXPECT_TRUE(lock.IsLocked());
    }
    EXPECT_TRUE(std::async(std::launch::async, [&] { return section.Lock(0) && section.Unlock(); }).get());

    CSemaphore semaphore(1, 2);
    CSingleLock a(&semaphore, TRUE);
    EXPECT_TRUE(a.IsLocked());
    CSingleLock b(&semaphore);
    EXPECT_FALSE(b.Lock(10));
    EXPECT_TRUE(a.Unlock());
    EXPECT_FALSE(a.IsLocked());
    EXPECT_TRUE(b.Lock(0));
    EXPECT_TRUE(b.Unlock());
    LONG previous = -1;
    EXPECT_TRUE(semaphore.Unlock(1, &previous));
    EXPECT_EQ(previous, 1);
    EXPECT_FALSE(semaphore.Unlock(1)); // past its maximum of 2

    CSingleLock none(nullptr);
    EXPECT_FALSE(none.Lock(0));
}

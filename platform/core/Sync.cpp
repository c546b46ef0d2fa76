#include "platform/core/Sync.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

IMPLEMENT_DYNAMIC(CSyncObject, CObject)
IMPLEMENT_DYNAMIC(CMutex, CSyncObject)
IMPLEMENT_DYNAMIC(CCriticalSection, CSyncObject)
IMPLEMENT_DYNAMIC(CEvent, CSyncObject)
IMPLEMENT_DYNAMIC(CSemaphore, CSyncObject)

DWORD CKernelObject::Wait(DWORD)
{
    return WAIT_FAILED;
}

namespace
{
// Waits on `cv` until `ready()` or the time is up; true when ready.
template <typename Pred>
bool WaitFor(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, DWORD milliseconds, Pred ready)
{
    if (milliseconds == INFINITE)
    {
        cv.wait(lock, ready);
        return true;
    }
    return cv.wait_for(lock, std::chrono::milliseconds(milliseconds), ready);
}

class MutexObject;

// The mutexes a thread holds, so that they are marked abandoned when it ends holding them
// instead of blocking every other thread for ever.
struct HeldMutexes
{
    std::vector<std::weak_ptr<MutexObject>> held;
    ~HeldMutexes();
};
thread_local HeldMutexes t_held;

class MutexObject : public CKernelObject, public std::enable_shared_from_this<MutexObject>
{
public:
    DWORD Wait(DWORD milliseconds) override
    {
        const std::thread::id me = std::this_thread::get_id();
        std::unique_lock<std::mutex> lock(m_lock);
        if (m_count > 0 && m_owner == me)
        {
            ++m_count;
            return WAIT_OBJECT_0;
        }
        if (!WaitFor(m_cv, lock, milliseconds, [this] { return m_count == 0; }))
            return WAIT_TIMEOUT;
        m_owner = me;
        m_count = 1;
        t_held.held.push_back(weak_from_this());
        if (m_abandoned)
        {
            m_abandoned = false;
            return WAIT_ABANDONED;
        }
        return WAIT_OBJECT_0;
    }

    bool Release()
    {
        std::unique_lock<std::mutex> lock(m_lock);
        if (m_count == 0 || m_owner != std::this_thread::get_id())
            return false;
        if (--m_count == 0)
        {
            m_owner = std::thread::id();
            auto& held = t_held.held;
            held.erase(std::remove_if(held.begin(), held.end(),
                                      [this](const std::weak_ptr<MutexObject>& w) {
                                          auto p = w.lock();
                                          return !p || p.get() == this;
                                      }),
                       held.end());
            lock.unlock();
            m_cv.notify_one();
        }
        return true;
    }

    void Abandon(std::thread::id owner)
    {
        std::unique_lock<std::mutex> lock(m_lock);
        if (m_count == 0 || m_owner != owner)
            return;
        m_count = 0;
        m_owner = std::thread::id();
        m_abandoned = true;
        lock.unlock();
        m_cv.notify_one();
    }

private:
    std::mutex m_lock;
    std::condition_variable m_cv;
    std::thread::id m_owner;
    int m_count = 0;
    bool m_abandoned = false;
};

HeldMutexes::~HeldMutexes()
{
    const std::thread::id me = std::this_thread::get_id();
    for (auto& w : held)
        if (auto m = w.lock())
            m->Abandon(me);
}

class EventObject : public CKernelObject
{
public:
    EventObject(bool manualReset, bool signalled) : m_manual(manualReset), m_signalled(signalled) {}

    DWORD Wait(DWORD milliseconds) override
    {
        std::unique_lock<std::mutex> lock(m_lock);
        const uint64_t since = m_pulses;
        ++m_waiters;
        const bool ok = WaitFor(m_cv, lock, milliseconds, [&] {
            return m_signalled || (m_pulseAll > since) || (m_pulseTokens > 0 && m_pulseTokenGen > since);
        });
        --m_waiters;
        if (!ok)
            return WAIT_TIMEOUT;
        if (m_signalled)
        {
            if (!m_manual)
                m_signalled = false;
        }
        else if (m_pulseAll <= since)
            --m_pulseTokens;
        return WAIT_OBJECT_0;
    }

    void Set()
    {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_signalled = true;
        }
        if (m_manual)
            m_cv.notify_all();
        else
            m_cv.notify_one();
    }

    void Reset()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_signalled = false;
    }

    // Waiters that arrive after the pulse are not released by it: each waiter remembers
    // the pulse count it started at.
    void Pulse()
    {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_signalled = false;
            if (m_waiters == 0)
                return;
            ++m_pulses;
            if (m_manual)
                m_pulseAll = m_pulses;
            else
            {
                m_pulseTokens = 1;
                m_pulseTokenGen = m_pulses;
            }
        }
        m_cv.notify_all();
    }

private:
    std::mutex m_lock;
    std::condition_variable m_cv;
    const bool m_manual;
    bool m_signalled;
    int m_waiters = 0;
    uint64_t m_pulses = 0;
    uint64_t m_pulseAll = 0;
    int m_pulseTokens = 0;
    uint64_t m_pulseTokenGen = 0;
};

class SemaphoreObject : public CKernelObject
{
public:
    SemaphoreObject(LONG initial, LONG maximum) : m_count(initial), m_max(maximum) {}

    DWORD Wait(DWORD milliseconds) override
    {
        std::unique_lock<std::mutex> lock(m_lock);
        if (!WaitFor(m_cv, lock, milliseconds, [this] { return m_count > 0; }))
            return WAIT_TIMEOUT;
        --m_count;
        return WAIT_OBJECT_0;
    }

    // Fails, changing nothing, when the count would pass the maximum.
    bool Release(LONG n, LONG* previous)
    {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            if (n <= 0 || n > m_max - m_count)
                return false;
            if (previous)
                *previous = m_count;
            m_count += n;
        }
        m_cv.notify_all();
        return true;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_cv;
    LONG m_count;
    const LONG m_max;
};

struct HandleTable
{
    std::mutex lock;
    std::unordered_map<uintptr_t, std::shared_ptr<CKernelObject>> objects;
    uintptr_t next = 0x1000;
    // Named objects of the process; an entry lives as long as its object.
    std::map<std::string, std::weak_ptr<CKernelObject>> names;
};

// Never freed: handles are closed by globals' destructors during static destruction.
HandleTable& Handles()
{
    static HandleTable* table = new HandleTable;
    return *table;
}

// The named object of kind T, made by `make` when the name is new. Null, with
// ERROR_INVALID_HANDLE, when the name belongs to an object of another kind.
template <typename T, typename Make> std::shared_ptr<T> CreateNamed(LPCSTR name, Make make)
{
    if (!name || !*name)
    {
        SetLastError(ERROR_SUCCESS);
        return make();
    }
    HandleTable& t = Handles();
    std::lock_guard<std::mutex> guard(t.lock);
    for (auto it = t.names.begin(); it != t.names.end();)
        it = it->second.expired() ? t.names.erase(it) : std::next(it);
    auto it = t.names.find(name);
    if (it != t.names.end())
    {
        auto existing = std::dynamic_pointer_cast<T>(it->second.lock());
        if (!existing)
        {
            SetLastError(ERROR_INVALID_HANDLE);
            return nullptr;
        }
        SetLastError(ERROR_ALREADY_EXISTS);
        return existing;
    }
    std::shared_ptr<T> object = make();
    t.names.emplace(name, object);
    SetLastError(ERROR_SUCCESS);
    return object;
}

HANDLE NewMutex(BOOL bInitialOwner, LPCSTR name)
{
    auto m = CreateNamed<MutexObject>(name, [] { return std::make_shared<MutexObject>(); });
    if (!m)
        return nullptr;
    const DWORD created = GetLastError();
    if (bInitialOwner && created != ERROR_ALREADY_EXISTS)
        m->Wait(INFINITE);
    HANDLE h = AfxRegisterHandle(m);
    SetLastError(created);
    return h;
}

HANDLE NewEvent(BOOL bManualReset, BOOL bInitialState, LPCSTR name)
{
    auto e = CreateNamed<EventObject>(
        name, [&] { return std::make_shared<EventObject>(bManualReset != FALSE, bInitialState != FALSE); });
    if (!e)
        return nullptr;
    const DWORD created = GetLastError();
    HANDLE h = AfxRegisterHandle(e);
    SetLastError(created);
    return h;
}

HANDLE NewSemaphore(LONG initial, LONG maximum, LPCSTR name)
{
    if (maximum <= 0 || initial < 0 || initial > maximum)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto s = CreateNamed<SemaphoreObject>(
        name, [&] { return std::make_shared<SemaphoreObject>(initial, maximum); });
    if (!s)
        return nullptr;
    const DWORD created = GetLastError();
    HANDLE h = AfxRegisterHandle(s);
    SetLastError(created);
    return h;
}

// The object of `handle` as kind T; null, with ERROR_INVALID_HANDLE, otherwise.
template <typename T> std::shared_ptr<T> Lookup(HANDLE handle)
{
    auto object = AfxLookupHandleAs<T>(handle);
    if (!object)
        SetLastError(ERROR_INVALID_HANDLE);
    return object;
}
} // namespace

// ---------------------------------------------------------------------------------------
// Handles
// ---------------------------------------------------------------------------------------

HANDLE AfxRegisterHandle(std::shared_ptr<CKernelObject> object)
{
    if (!object)
        return nullptr;
    HandleTable& t = Handles();
    std::lock_guard<std::mutex> guard(t.lock);
    const uintptr_t id = t.next;
    t.next += 4;
    t.objects.emplace(id, std::move(object));
    return reinterpret_cast<HANDLE>(id);
}

std::shared_ptr<CKernelObject> AfxLookupHandle(HANDLE handle)
{
    if (!handle || handle == INVALID_HANDLE_VALUE)
        return nullptr;
    HandleTable& t = Handles();
    std::lock_guard<std::mutex> guard(t.lock);
    auto it = t.objects.find(reinterpret_cast<uintptr_t>(handle));
    return it == t.objects.end() ? nullptr : it->second;
}

BOOL CloseHandle(HANDLE handle)
{
    std::shared_ptr<CKernelObject> object;
    {
        HandleTable& t = Handles();
        std::lock_guard<std::mutex> guard(t.lock);
        auto it = t.objects.find(reinterpret_cast<uintptr_t>(handle));
        if (it == t.objects.end())
        {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        object = std::move(it->second);
        t.objects.erase(it);
    }
    // The object may be freed here, outside the table's lock (its destructor may close
    // other handles).
    object.reset();
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
    auto object = AfxLookupHandle(handle);
    if (!object)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    return object->Wait(milliseconds);
}

HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES, BOOL bInitialOwner, LPCSTR name)
{
    return NewMutex(bInitialOwner, name);
}

BOOL ReleaseMutex(HANDLE mutex)
{
    auto m = Lookup<MutexObject>(mutex);
    if (!m)
        return FALSE;
    if (!m->Release())
    {
        SetLastError(288); // ERROR_NOT_OWNER
        return FALSE;
    }
    return TRUE;
}

HANDLE CreateEventA(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState, LPCSTR name)
{
    return NewEvent(bManualReset, bInitialState, name);
}

BOOL SetEvent(HANDLE event)
{
    auto e = Lookup<EventObject>(event);
    if (e)
        e->Set();
    return e ? TRUE : FALSE;
}

BOOL ResetEvent(HANDLE event)
{
    auto e = Lookup<EventObject>(event);
    if (e)
        e->Reset();
    return e ? TRUE : FALSE;
}

BOOL PulseEvent(HANDLE event)
{
    auto e = Lookup<EventObject>(event);
    if (e)
        e->Pulse();
    return e ? TRUE : FALSE;
}

HANDLE CreateSemaphoreA(LPSECURITY_ATTRIBUTES, LONG initialCount, LONG maximumCount, LPCSTR name)
{
    return NewSemaphore(initialCount, maximumCount, name);
}

BOOL ReleaseSemaphore(HANDLE semaphore, LONG releaseCount, LPLONG previousCount)
{
    auto s = Lookup<SemaphoreObject>(semaphore);
    if (!s)
        return FALSE;
    if (!s->Release(releaseCount, previousCount))
    {
        SetLastError(298); // ERROR_TOO_MANY_POSTS
        return FALSE;
    }
    return TRUE;
}

// ---------------------------------------------------------------------------------------
// Framework classes
// ---------------------------------------------------------------------------------------

CSyncObject::~CSyncObject()
{
    if (m_hObject)
        CloseHandle(m_hObject);
}

BOOL CSyncObject::Lock(DWORD dwTimeout)
{
    const DWORD r = WaitForSingleObject(m_hObject, dwTimeout);
    return (r == WAIT_OBJECT_0 || r == WAIT_ABANDONED) ? TRUE : FALSE;
}

BOOL CSyncObject::Unlock(LONG, LPLONG)
{
    return TRUE;
}

CMutex::CMutex(BOOL bInitiallyOwn, LPCTSTR lpszName, LPSECURITY_ATTRIBUTES)
{
    m_hObject = NewMutex(bInitiallyOwn, lpszName);
}

BOOL CMutex::Unlock()
{
    return ReleaseMutex(m_hObject);
}

CCriticalSection::CCriticalSection()
{
    m_hObject = NewMutex(FALSE, nullptr);
}

BOOL CCriticalSection::Unlock()
{
    return ReleaseMutex(m_hObject);
}

CEvent::CEvent(BOOL bInitiallyOwn, BOOL bManualReset, LPCTSTR lpszName, LPSECURITY_ATTRIBUTES)
{
    m_hObject = NewEvent(bManualReset, bInitiallyOwn, lpszName);
}

BOOL CEvent::SetEvent()
{
    return ::SetEvent(m_hObject);
}
BOOL CEvent::ResetEvent()
{
    return ::ResetEvent(m_hObject);
}
BOOL CEvent::PulseEvent()
{
    return ::PulseEvent(m_hObject);
}

CSemaphore::CSemaphore(LONG lInitialCount, LONG lMaxCount, LPCTSTR pstrName, LPSECURITY_ATTRIBUTES)
{
    m_hObject = NewSemaphore(lInitialCount, lMaxCount, pstrName);
}

BOOL CSemaphore::Unlock()
{
    return Unlock(1, nullptr);
}

BOOL CSemaphore::Unlock(LONG lCount, LPLONG lprevCount)
{
    return ReleaseSemaphore(m_hObject, lCount, lprevCount);
}

CSingleLock::CSingleLock(CSyncObject* pObject, BOOL bInitialLock)
    : m_pObject(pObject), m_hObject(pObject ? pObject->m_hObject : nullptr)
{
    if (bInitialLock)
        Lock();
}

CSingleLock::~CSingleLock()
{
    Unlock();
}

BOOL CSingleLock::Lock(DWORD dwTimeOut)
{
    if (!m_pObject)
        return FALSE;
    if (!m_bAcquired)
        m_bAcquired = m_pObject->Lock(dwTimeOut);
    return m_bAcquired;
}

BOOL CSingleLock::Unlock()
{
    if (m_bAcquired && m_pObject)
        m_bAcquired = !m_pObject->Unlock();
    return !m_bAcquired;
}

BOOL CSingleLock::Unlock(LONG lCount, LPLONG lPrevCount)
{
    if (m_bAcquired && m_pObject)
        m_bAcquired = !m_pObject->Unlock(lCount, lPrevCount);
    return !m_bAcquired;
}

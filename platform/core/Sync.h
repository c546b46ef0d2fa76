// Handles and locks: kernel objects named by HANDLE (threads, events, mutexes, semaphores),
// the waits on them, and the framework's lock classes over them.
//
// A HANDLE is an opaque number from a process-wide table, never reused; a closed or unknown
// handle makes a call fail (WAIT_FAILED, FALSE) instead of reaching freed memory. Named
// objects are shared within the process only.
#pragma once

#include "platform/core/FileApi.h"
#include "platform/core/Object.h"
#include "platform/core/WinTypes.h"

#include <memory>

#define WAIT_OBJECT_0 0x00000000u
#define WAIT_ABANDONED 0x00000080u
#define WAIT_ABANDONED_0 WAIT_ABANDONED
#define WAIT_TIMEOUT 258u
#define WAIT_FAILED 0xFFFFFFFFu

// Anything a HANDLE names. Other parts of the layer (ports, files) may register their own.
class PLATFORM_API CKernelObject
{
public:
    virtual ~CKernelObject() = default;
    // Waits up to `milliseconds` (or INFINITE) for the object to be signalled, and takes it
    // where waiting takes it (a mutex, a semaphore, an auto-reset event). WAIT_OBJECT_0;
    // WAIT_ABANDONED when a mutex is taken whose owner thread ended holding it; WAIT_TIMEOUT;
    // WAIT_FAILED for objects that cannot be waited on.
    virtual DWORD Wait(DWORD milliseconds);
};

// A new handle for `object` (never null, never INVALID_HANDLE_VALUE).
PLATFORM_API HANDLE AfxRegisterHandle(std::shared_ptr<CKernelObject> object);
// The object of an open handle; null for a closed or unknown one.
PLATFORM_API std::shared_ptr<CKernelObject> AfxLookupHandle(HANDLE handle);
template <typename T> std::shared_ptr<T> AfxLookupHandleAs(HANDLE handle)
{
    return std::dynamic_pointer_cast<T>(AfxLookupHandle(handle));
}
// Closes the handle; the object lives on while other handles or waiters hold it.
// FALSE with ERROR_INVALID_HANDLE for a closed or unknown handle.
PLATFORM_API BOOL CloseHandle(HANDLE handle);
PLATFORM_API DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);

// The Win32 calls on the same objects. `name` may be null; an existing name gives the same
// object and sets the last error to ERROR_ALREADY_EXISTS (ERROR_SUCCESS otherwise); a name
// held by an object of another kind fails with ERROR_INVALID_HANDLE.
PLATFORM_API HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES security, BOOL bInitialOwner, LPCSTR name);
PLATFORM_API BOOL ReleaseMutex(HANDLE mutex);
PLATFORM_API HANDLE CreateEventA(LPSECURITY_ATTRIBUTES security, BOOL bManualReset, BOOL bInitialState,
                                 LPCSTR name);
PLATFORM_API BOOL SetEvent(HANDLE event);
PLATFORM_API BOOL ResetEvent(HANDLE event);
PLATFORM_API BOOL PulseEvent(HANDLE event);
PLATFORM_API HANDLE CreateSemaphoreA(LPSECURITY_ATTRIBUTES security, LONG initialCount, LONG maximumCount,
                                     LPCSTR name);
PLATFORM_API BOOL ReleaseSemaphore(HANDLE semaphore, LONG releaseCount, LPLONG previousCount);
#define CreateMutex CreateMutexA
#define CreateEvent CreateEventA
#define CreateSemaphore CreateSemaphoreA

// ---------------------------------------------------------------------------------------
// The framework's synchronisation classes
// ---------------------------------------------------------------------------------------

// Base of the lockable objects; owns one handle, closed with the object.
class PLATFORM_API CSyncObject : public CObject
{
    DECLARE_DYNAMIC(CSyncObject)
public:
    ~CSyncObject() override;
    CSyncObject(const CSyncObject&) = delete;
    CSyncObject& operator=(const CSyncObject&) = delete;

    // TRUE when the object was taken within `dwTimeout` milliseconds (an abandoned mutex
    // counts as taken).
    virtual BOOL Lock(DWORD dwTimeout = INFINITE);
    virtual BOOL Unlock() = 0;
    virtual BOOL Unlock(LONG lCount, LPLONG lpPrevCount = nullptr);
    operator HANDLE() const { return m_hObject; }

    HANDLE m_hObject = nullptr;

protected:
    CSyncObject() = default;
};

// A mutex, recursive for its owner thread: each Lock by the owner needs its own Unlock.
class PLATFORM_API CMutex : public CSyncObject
{
    DECLARE_DYNAMIC(CMutex)
public:
    explicit CMutex(BOOL bInitiallyOwn = FALSE, LPCTSTR lpszName = nullptr,
                    LPSECURITY_ATTRIBUTES lpsaAttribute = nullptr);
    using CSyncObject::Unlock;
    // FALSE when the calling thread does not own it.
    BOOL Unlock() override;
};

// A critical section: a recursive lock with no name.
class PLATFORM_API CCriticalSection : public CSyncObject
{
    DECLARE_DYNAMIC(CCriticalSection)
public:
    CCriticalSection();
    BOOL Lock() { return CSyncObject::Lock(INFINITE); }
    BOOL Lock(DWORD dwTimeout) override { return CSyncObject::Lock(dwTimeout); }
    using CSyncObject::Unlock;
    BOOL Unlock() override;
};

// An event: manual reset (stays signalled until reset) or automatic (one waiter takes it).
class PLATFORM_API CEvent : public CSyncObject
{
    DECLARE_DYNAMIC(CEvent)
public:
    // `bInitiallyOwn` is the initial state: TRUE = signalled.
    explicit CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCTSTR lpszName = nullptr,
                    LPSECURITY_ATTRIBUTES lpsaAttribute = nullptr);
    BOOL SetEvent();
    BOOL ResetEvent();
    // Releases the threads waiting now (manual reset: all of them; automatic: one) and
    // leaves the event reset.
    BOOL PulseEvent();
    using CSyncObject::Unlock;
    BOOL Unlock() override { return TRUE; }
};

// A counting semaphore.
class PLATFORM_API CSemaphore : public CSyncObject
{
    DECLARE_DYNAMIC(CSemaphore)
public:
    explicit CSemaphore(LONG lInitialCount = 1, LONG lMaxCount = 1, LPCTSTR pstrName = nullptr,
                        LPSECURITY_ATTRIBUTES lpsaAttributes = nullptr);
    BOOL Unlock() override;
    BOOL Unlock(LONG lCount, LPLONG lprevCount = nullptr) override;
};

// Holds one lock for a scope: unlocks in its destructor when it still holds it.
class PLATFORM_API CSingleLock
{
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
    ~CSingleLock();
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    // Takes the object once; TRUE at once when this lock already holds it.
    BOOL Lock(DWORD dwTimeOut = INFINITE);
    // TRUE when the lock is no longer held.
    BOOL Unlock();
    BOOL Unlock(LONG lCount, LPLONG lPrevCount = nullptr);
    BOOL IsLocked() const { return m_bAcquired; }

protected:
    CSyncObject* m_pObject;
    HANDLE m_hObject;
    BOOL m_bAcquired = FALSE;
};

#include "geodesy/ComArray.h"

#include "geodesy/ComsThread.h"
#include "platform/io/CommApi.h"

#include <cstring>

CComArray::~CComArray()
{
    Stop();
}

INT_PTR CComArray::Create(CCmdTarget* pOwner, CSyncObject* pLock)
{
    if (m_bCreated)
        return GetSize();
    m_bCreated = 1;
    m_pOwner = pOwner;
    m_pLock = pLock;

    CUIntArray ports;
    ListComPorts(ports);
    for (INT_PTR i = 0; i < ports.GetSize(); ++i)
    {
        const UINT number = ports[i];
        CString name;
        name.Format("\\\\.\\COM%u", number);
        HANDLE test = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (test == INVALID_HANDLE_VALUE)
            continue; // listed but in use elsewhere
        CloseHandle(test);

        ComDef* def = new ComDef;
        CString title;
        title.Format("COM%02u", number);
        // The settings are read before the port is opened: a file that names another port
        // must not open that port, nor disable this one when that one is missing.
        def->ReadSettings(title);
        if (def->m_nPort != number)
        {
            def->m_nPort = static_cast<WORD>(number);
            def->Save();
        }
        def->Open();
        def->m_bPaused = 0;
        def->m_nIndex = m_nCount++;
        CComsThread* thread = static_cast<CComsThread*>(
            AfxBeginThread(RUNTIME_CLASS(CComsThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
        if (thread)
        {
            thread->m_bAutoDelete = FALSE;
            thread->m_pPort = def;
            def->m_pThread = thread;
        }
        Add(def);
    }
    return GetSize();
}

void CComArray::StartThreads()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        CComsThread* thread = GetAt(i)->m_pThread;
        if (!thread)
            continue;
        thread->m_pLock = m_pLock;
        thread->m_pWnd = m_pOwner;
        thread->ResumeThread();
    }
}

void CComArray::Stop()
{
    // Every thread is told first, so that they all end together rather than one pause
    // after another.
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        CComsThread* thread = GetAt(i)->m_pThread;
        if (!thread)
            continue;
        thread->m_pWnd = nullptr;
        thread->RequestStop();
        thread->ResumeThread();
    }
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        ComDef* def = GetAt(i);
        if (CComsThread* thread = def->m_pThread)
        {
            WaitForSingleObject(thread->m_hThread, INFINITE);
            delete thread;
            def->m_pThread = nullptr;
        }
        def->Close();
        delete def;
    }
    RemoveAll();
    m_nCount = 0;
}

ComDef* CComArray::FindPort(UINT port) const
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        if (GetAt(i)->m_nPort == port)
            return GetAt(i);
    return nullptr;
}

INT_PTR CComArray::TakeLines(WPARAM wParam, LPARAM lParam, CStringArray& lines)
{
    ComDef* def = nullptr;
    for (INT_PTR i = 0; i < GetSize() && !def; ++i)
    {
        ComDef* d = GetAt(i);
        if (d->m_nPort == wParam && (lParam == 0 || reinterpret_cast<LPARAM>(&d->m_RxBuffer) == lParam))
            def = d;
    }
    if (!def)
        return 0;
    CSingleLock lock(m_pLock);
    if (m_pLock)
        lock.Lock();
    INT_PTR taken = 0;
    CString line;
    while (def->m_RxBuffer.ReadTo(line, '\n') > 0)
    {
        lines.Add(line);
        ++taken;
    }
    return taken;
}

bool CComArray::WriteToPort(unsigned short port, const char* text)
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        ComDef* def = GetAt(i);
        if (def->m_nPort != port)
            continue;
        HANDLE handle;
        {
            // A baud search may be reopening the port; the handle is taken between two of its
            // steps. Written outside the lock so that a slow line never holds up the readers.
            CSingleLock lock(m_pLock);
            if (m_pLock)
                lock.Lock();
            handle = def->m_hPort;
        }
        if (handle == INVALID_HANDLE_VALUE)
            return false;
        DWORD written = 0;
        const DWORD length = text ? static_cast<DWORD>(std::strlen(text)) : 0;
        WriteFile(handle, text, length, &written, nullptr);
        return true;
    }
    return false;
}

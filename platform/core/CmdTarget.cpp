#include "platform/core/CmdTarget.h"

#include "platform/core/Exception.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QThread>

#include <cstdio>
#include <future>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <utility>

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace
{
// Handle -> live target. Allocated once and never freed: targets that are globals (the
// application) unregister during static destruction, after a plain static would be gone.
struct TargetRegistry
{
    std::mutex lock;
    std::unordered_map<uintptr_t, CCmdTarget*> targets;
    uintptr_t next = 0x10000;
};

TargetRegistry& Targets()
{
    static TargetRegistry* registry = new TargetRegistry;
    return *registry;
}

QEvent::Type PostedEventType()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

// A posted message, or a call to run, on its way to the user-interface thread.
class PostedEvent : public QEvent
{
public:
    PostedEvent(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
        : QEvent(PostedEventType()), m_hWnd(hWnd), m_message(message), m_wParam(wParam), m_lParam(lParam)
    {
    }
    explicit PostedEvent(std::function<void()> fn) : QEvent(PostedEventType()), m_fn(std::move(fn)) {}

    HWND m_hWnd = nullptr;
    UINT m_message = 0;
    WPARAM m_wParam = 0;
    LPARAM m_lParam = 0;
    std::function<void()> m_fn;
};

// Receives every posted message. All posts go through the one object so that Qt's posted
// event queue keeps them in the order they were posted.
class MessageDispatcher : public QObject
{
public:
    bool event(QEvent* e) override
    {
        if (e->type() != PostedEventType())
            return QObject::event(e);
        auto* posted = static_cast<PostedEvent*>(e);
        if (posted->m_fn)
        {
            try
            {
                posted->m_fn();
            }
            catch (CException* ex)
            {
                AfxReportException(ex);
                ex->Delete();
            }
            return true;
        }
        if (CCmdTarget* target = CCmdTarget::FromHandle(posted->m_hWnd))
            AfxCallWndProc(target, posted->m_message, posted->m_wParam, posted->m_lParam);
        return true;
    }
};

// The dispatcher, made on first use and always living in the application's thread, even
// when the first post comes from a worker. Null while no application object exists.
QObject* Dispatcher()
{
    // Never freed: workers may still post while the process's statics are destroyed.
    static std::mutex* lock = new std::mutex;
    static MessageDispatcher* dispatcher = nullptr;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return nullptr;
    std::lock_guard<std::mutex> guard(*lock);
    if (!dispatcher)
    {
        dispatcher = new MessageDispatcher;
        if (dispatcher->thread() != app->thread())
            dispatcher->moveToThread(app->thread());
    }
    return dispatcher;
}

std::mutex& ReporterLock()
{
    static std::mutex* lock = new std::mutex;
    return *lock;
}

AFX_EXCEPTION_REPORTER& Reporter()
{
    static AFX_EXCEPTION_REPORTER* reporter = new AFX_EXCEPTION_REPORTER;
    return *reporter;
}

uintptr_t HandleValue(HWND hWnd)
{
    return reinterpret_cast<uintptr_t>(hWnd);
}
} // namespace

// ---------------------------------------------------------------------------------------
// CCmdUI
// ---------------------------------------------------------------------------------------

void CCmdUI::Enable(BOOL bOn)
{
    m_bEnabled = bOn ? TRUE : FALSE;
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    m_nCheck = nCheck;
}

void CCmdUI::SetRadio(BOOL bOn)
{
    m_nCheck = bOn ? 1 : 0;
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    m_strText = lpszText;
    m_bTextSet = TRUE;
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (!pTarget)
        return FALSE;
    m_bEnableChanged = FALSE;
    if (pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr))
        return TRUE;
    if (bDisableIfNoHndler && !m_bEnableChanged)
    {
        AFX_CMDHANDLERINFO info{};
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return FALSE;
}

// ---------------------------------------------------------------------------------------
// CCmdTarget
// ---------------------------------------------------------------------------------------

CCmdTarget::~CCmdTarget()
{
    DestroyMessageTarget();
}

HWND CCmdTarget::CreateMessageTarget()
{
    if (m_hWnd)
        return m_hWnd;
    TargetRegistry& r = Targets();
    std::lock_guard<std::mutex> guard(r.lock);
    const uintptr_t id = r.next++;
    r.targets.emplace(id, this);
    m_hWnd = reinterpret_cast<HWND>(id);
    return m_hWnd;
}

void CCmdTarget::DestroyMessageTarget()
{
    if (!m_hWnd)
        return;
    TargetRegistry& r = Targets();
    std::lock_guard<std::mutex> guard(r.lock);
    r.targets.erase(HandleValue(m_hWnd));
    m_hWnd = nullptr;
}

CCmdTarget* CCmdTarget::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    TargetRegistry& r = Targets();
    std::lock_guard<std::mutex> guard(r.lock);
    auto it = r.targets.find(HandleValue(hWnd));
    return it == r.targets.end() ? nullptr : it->second;
}

BOOL CCmdTarget::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CCmdTarget::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A target without a handle can still be sent to directly on the user-interface thread.
    if (!m_hWnd && AfxIsUiThread())
        return AfxCallWndProc(this, message, wParam, lParam);
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CCmdTarget::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CCmdTarget::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    BOOL handled = FALSE;
    if (message == WM_COMMAND)
    {
        handled = OnCommand(wParam, lParam);
        result = handled ? 1 : 0;
    }
    else if (const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message))
    {
        result = entry->pfn(this, wParam, lParam);
        handled = TRUE;
    }
    if (pResult)
        *pResult = result;
    return handled;
}

BOOL CCmdTarget::OnCommand(WPARAM wParam, LPARAM)
{
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr);
}

LRESULT CCmdTarget::DefWindowProc(UINT, WPARAM, LPARAM)
{
    return 0;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT message = WM_COMMAND;
    UINT code = static_cast<UINT>(nCode);
    if (nCode != CN_UPDATE_COMMAND_UI)
    {
        // MAKELONG(code, WM_NOTIFY) for notifications; a plain code means WM_COMMAND.
        message = HIWORD(static_cast<UINT>(nCode));
        code = LOWORD(static_cast<UINT>(nCode));
        if (message == 0)
            message = WM_COMMAND;
    }
    const AFX_MSGMAP_ENTRY* entry = FindCommandEntry(GetMessageMap(), message, code, nID);
    if (!entry)
        return FALSE;
    if (pHandlerInfo)
    {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = entry;
        return TRUE;
    }
    return entry->pfn(this, nID, reinterpret_cast<LPARAM>(pExtra)) != 0;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT message) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
    {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e && e->pfn; ++e)
        {
            if (e->pRegistered)
            {
                // A number not yet (or never) registered is 0 and matches nothing.
                if (*e->pRegistered != 0 && *e->pRegistered == message)
                    return e;
            }
            else if (e->nMessage == message && e->nMessage != WM_COMMAND && e->nMessage != WM_NOTIFY)
                return e;
        }
    }
    return nullptr;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindCommandEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id)
{
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e && e->pfn; ++e)
            if (!e->pRegistered && e->nMessage == message && e->nCode == code && id >= e->nID &&
                id <= e->nLastID)
                return e;
    return nullptr;
}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, nullptr, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

// ---------------------------------------------------------------------------------------
// Posting and sending
// ---------------------------------------------------------------------------------------

bool AfxIsUiThread()
{
    QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

BOOL IsWindow(HWND hWnd)
{
    return CCmdTarget::FromHandle(hWnd) != nullptr;
}

namespace
{
// Hands an event to the user-interface thread's queue. A function of its own, never inlined:
// a sanitizer records a frame only where our code calls our code, so this keeps the posting
// function (PostMessage, AfxPostCallToUiThread) in the stack of a report about the queue's
// hand-over inside Qt, where the sanitizer cannot see Qt's lock, and the report can be told
// from a race of the poster's own data by that name alone.
__attribute__((noinline)) void Enqueue(QObject* dispatcher, PostedEvent* event)
{
    QCoreApplication::postEvent(dispatcher, event);
}
} // namespace

BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsWindow(hWnd))
        return FALSE;
    QObject* dispatcher = Dispatcher();
    if (!dispatcher)
        return FALSE;
    Enqueue(dispatcher, new PostedEvent(hWnd, message, wParam, lParam));
    return TRUE;
}

BOOL AfxPostCallToUiThread(std::function<void()> fn)
{
    if (!fn)
        return FALSE;
    QObject* dispatcher = Dispatcher();
    if (!dispatcher)
        return FALSE;
    Enqueue(dispatcher, new PostedEvent(std::move(fn)));
    return TRUE;
}

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (AfxIsUiThread())
    {
        CCmdTarget* target = CCmdTarget::FromHandle(hWnd);
        return target ? AfxCallWndProc(target, message, wParam, lParam) : 0;
    }
    if (!IsWindow(hWnd))
        return 0;
    // The target may go while the call waits in the queue: look it up again over there. A
    // call dropped unrun (the application going away) breaks the promise and returns 0.
    auto promise = std::make_shared<std::promise<LRESULT>>();
    std::future<LRESULT> result = promise->get_future();
    const BOOL posted = AfxPostCallToUiThread([promise, hWnd, message, wParam, lParam] {
        CCmdTarget* target = CCmdTarget::FromHandle(hWnd);
        promise->set_value(target ? AfxCallWndProc(target, message, wParam, lParam) : 0);
    });
    if (!posted)
        return 0;
    try
    {
        return result.get();
    }
    catch (const std::future_error&)
    {
        return 0;
    }
}

LRESULT AfxCallWndProc(CCmdTarget* pTarget, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!pTarget)
        return 0;
    try
    {
        return pTarget->WindowProc(message, wParam, lParam);
    }
    catch (CException* e)
    {
        AfxReportException(e);
        e->Delete();
    }
    return 0;
}

// ---------------------------------------------------------------------------------------
// Exception reporting
// ---------------------------------------------------------------------------------------

AFX_EXCEPTION_REPORTER AfxSetExceptionReporter(AFX_EXCEPTION_REPORTER reporter)
{
    std::lock_guard<std::mutex> guard(ReporterLock());
    return std::exchange(Reporter(), std::move(reporter));
}

void AfxReportException(CException* e)
{
    if (!e)
        return;
    AFX_EXCEPTION_REPORTER reporter;
    {
        std::lock_guard<std::mutex> guard(ReporterLock());
        reporter = Reporter();
    }
    if (reporter)
        reporter(e);
    else
        std::fprintf(stderr, "%s\n", e->GetMessage().GetString());
}

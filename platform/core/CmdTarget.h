// Message targets and message maps: the objects that posted, sent and command messages
// reach, and the tables that route each message to an On... handler.
//
// A target gets a handle (HWND) when it registers itself; handles are opaque numbers that
// are never reused, so a message posted to a target that has gone since is dropped quietly
// instead of reaching freed memory. Posted messages are delivered by Qt's event loop on the
// user-interface (main) thread, in the order they were posted.
//
//     class CMyFrame : public CCmdTarget
//     {
//         ...
//         LRESULT OnReceiveData(WPARAM wParam, LPARAM lParam);
//         void OnFileOpen();
//         DECLARE_MESSAGE_MAP()
//     };
//
//     BEGIN_MESSAGE_MAP(CMyFrame, CCmdTarget)
//         ON_REGISTERED_MESSAGE(UM_RECEIVE_DATA, &CMyFrame::OnReceiveData)
//         ON_COMMAND(ID_FILE_OPEN, &CMyFrame::OnFileOpen)
//     END_MESSAGE_MAP()
#pragma once

#include "platform/core/Messages.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"

#include <functional>

class CCmdTarget;
class CCmdUI;
class CException;

// A message-map handler: casts the target to its class and cracks wParam/lParam for the
// member it stands for. Made by the ON_... macros from a captureless lambda. Command entries
// are called with wParam = the command id and lParam = OnCmdMsg's pExtra.
using AFX_PMSG = LRESULT (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

// One message-map entry. Window-message entries match `nMessage` (or, for a registered
// message, the value behind `pRegistered`); entries whose `nMessage` is WM_COMMAND or
// WM_NOTIFY are command entries and are reached only through OnCmdMsg, by code and id range.
struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;
    // The module's variable holding a registered message number. Read at dispatch time,
    // because the numbers are assigned by static initialisers that run in any order.
    const UINT* pRegistered;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    AFX_PMSG pfn; // null ends the table
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Filled by OnCmdMsg, instead of calling the handler, when a caller only asks whether a
// command has a handler.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    const AFX_MSGMAP_ENTRY* pEntry;
};

// The state of one user-interface item (menu item, tool button) while its update handler
// decides it. The user-interface layer derives from it to apply the state to real controls;
// this base only records what the handler set.
class PLATFORM_API CCmdUI
{
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1); // 0 clear, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);

    // Asks `pTarget` to update this item; when no update handler exists and
    // `bDisableIfNoHndler` is set, the item is enabled only if the command has a handler.
    // TRUE when an update handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    void* m_pOther = nullptr;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    BOOL m_bEnabled = TRUE;
    int m_nCheck = 0;
    BOOL m_bTextSet = FALSE;
    CString m_strText;
};

// Anything that messages and commands can reach. Windows, threads and the application
// derive from it.
class PLATFORM_API CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    ~CCmdTarget() override;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Null until the target registered itself with CreateMessageTarget.
    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The live target of a handle; null for a null, unknown or destroyed one.
    static CCmdTarget* FromHandle(HWND hWnd);

    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // Routes a message through the message map; DefWindowProc when no entry takes it.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // TRUE when a handler took the message; its result in *pResult.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // WM_COMMAND: wParam = MAKEWPARAM(id, code); TRUE when a handler took it.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Routes command `nID` with notification code `nCode` (CN_COMMAND, CN_UPDATE_COMMAND_UI
    // with pExtra = the CCmdUI, or MAKELONG(code, WM_NOTIFY)) to this target's map. With
    // `pHandlerInfo` it only reports the handler. TRUE when handled.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo = nullptr);

    // The entry that would take window message `message`, searching base classes' maps.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message) const;
    // The command entry for (message, code, id) in `map` and its bases.
    static const AFX_MSGMAP_ENTRY* FindCommandEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id);

protected:
    // Registers this object so that messages can reach it; returns its handle (the same
    // handle when called again).
    HWND CreateMessageTarget();
    // Unregisters it: messages still queued for it are dropped.
    void DestroyMessageTarget();

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// Queues a message for `hWnd`, from any thread, without waiting. FALSE for a null or dead
// handle, or when no application object (QCoreApplication) exists to deliver it.
PLATFORM_API BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// Calls the target's window procedure now on the user-interface thread; from another thread
// waits until the user-interface thread has run it. 0 for a null or dead handle.
PLATFORM_API LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
PLATFORM_API BOOL IsWindow(HWND hWnd);
#define PostMessageA PostMessage
#define SendMessageA SendMessage

// Calls `pTarget->WindowProc` as message dispatch does: a CException escaping the handler
// is reported, deleted, and 0 returned.
PLATFORM_API LRESULT AfxCallWndProc(CCmdTarget* pTarget, UINT message, WPARAM wParam, LPARAM lParam);

// Runs `fn` on the user-interface thread's event loop, in order with posted messages.
// FALSE when no application object exists.
PLATFORM_API BOOL AfxPostCallToUiThread(std::function<void()> fn);
// True on the thread that runs the user-interface event loop (or when no application
// object exists yet, on any thread).
PLATFORM_API bool AfxIsUiThread();

// Where exceptions caught at dispatch go (the default writes their message to stderr).
// Returns the previous reporter. The reporter must not delete the exception.
using AFX_EXCEPTION_REPORTER = std::function<void(CException*)>;
PLATFORM_API AFX_EXCEPTION_REPORTER AfxSetExceptionReporter(AFX_EXCEPTION_REPORTER reporter);
PLATFORM_API void AfxReportException(CException* e);

// ---------------------------------------------------------------------------------------
// Message-map macros
// ---------------------------------------------------------------------------------------

// clang-format off
#define DECLARE_MESSAGE_MAP()                                                                                \
protected:                                                                                                   \
    static const AFX_MSGMAP* GetThisMessageMap();                                                            \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                               \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }                        \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                          \
    {                                                                                                        \
        using ThisClass [[maybe_unused]] = theClass;                                                         \
        using TheBaseClass = baseClass;                                                                      \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                                    \
    {0, nullptr, 0, 0, 0, nullptr}};                                                                         \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};            \
    return &messageMap;                                                                                      \
    }

// LRESULT OnFoo(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn)                                                                       \
    {static_cast<UINT>(message), nullptr, 0, 0, 0,                                                           \
     [](CCmdTarget* target_, WPARAM wParam_, LPARAM lParam_) -> LRESULT {                                    \
         LRESULT (ThisClass::*pfn_)(WPARAM, LPARAM) = memberFxn;                                             \
         return (static_cast<ThisClass*>(target_)->*pfn_)(wParam_, lParam_);                                 \
     }},

// LRESULT OnFoo(WPARAM, LPARAM); `nMessageVariable` is the UINT that holds the number.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                                   \
    {0xC000, &(nMessageVariable), 0, 0, 0,                                                                   \
     [](CCmdTarget* target_, WPARAM wParam_, LPARAM lParam_) -> LRESULT {                                    \
         LRESULT (ThisClass::*pfn_)(WPARAM, LPARAM) = memberFxn;                                             \
         return (static_cast<ThisClass*>(target_)->*pfn_)(wParam_, lParam_);                                 \
     }},

// void OnFoo(WPARAM, LPARAM): messages posted to a thread.
#define ON_THREAD_MESSAGE(message, memberFxn)                                                                \
    {static_cast<UINT>(message), nullptr, 0, 0, 0,                                                           \
     [](CCmdTarget* target_, WPARAM wParam_, LPARAM lParam_) -> LRESULT {                                    \
         void (ThisClass::*pfn_)(WPARAM, LPARAM) = memberFxn;                                                \
         (static_cast<ThisClass*>(target_)->*pfn_)(wParam_, lParam_);                                        \
         return 0;                                                                                           \
     }},

#define ON_REGISTERED_THREAD_MESSAGE(nMessageVariable, memberFxn)                                            \
    {0xC000, &(nMessageVariable), 0, 0, 0,                                                                   \
     [](CCmdTarget* target_, WPARAM wParam_, LPARAM lParam_) -> LRESULT {                                    \
         void (ThisClass::*pfn_)(WPARAM, LPARAM) = memberFxn;                                                \
         (static_cast<ThisClass*>(target_)->*pfn_)(wParam_, lParam_);                                        \
         return 0;                                                                                           \
     }},

// void OnFoo()
#define ON_COMMAND(id, memberFxn)                                                                            \
    {WM_COMMAND, nullptr, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id),                          \
     [](CCmdTarget* target_, WPARAM, LPARAM) -> LRESULT {                                                    \
         void (ThisClass::*pfn_)() = memberFxn;                                                              \
         (static_cast<ThisClass*>(target_)->*pfn_)();                                                        \
         return TRUE;                                                                                        \
     }},

// BOOL OnFoo(UINT id): FALSE lets the command go on to the next target.
#define ON_COMMAND_EX(id, memberFxn)                                                                         \
    {WM_COMMAND, nullptr, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id),                          \
     [](CCmdTarget* target_, WPARAM wParam_, LPARAM) -> LRESULT {                                            \
         BOOL (ThisClass::*pfn_)(UINT) = memberFxn;                                                          \
         return (static_cast<ThisClass*>(target_)->*pfn_)(static_cast<UINT>(wParam_));                       \
     }},

// void OnFoo(UINT id), for ids first..last
#define ON_COMMAND_RANGE(idFirst, idLast, memberFxn)                                                         \
    {WM_COMMAND, nullptr, CN_COMMAND, static_cast<UINT>(idFirst), static_cast<UINT>(idLast),                 \
     [](CCmdTarget* target_, WPARAM wParam_, LPARAM) -> LRESULT {                                            \
         void (ThisClass::*pfn_)(UINT) = memberFxn;                                                          \
         (static_cast<ThisClass*>(target_)->*pfn_)(static_cast<UINT>(wParam_));                              \
         return TRUE;                                                                                        \
     }},

// void OnUpdateFoo(CCmdUI*)
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                                  \
    {WM_COMMAND, nullptr, static_cast<UINT>(CN_UPDATE_COMMAND_UI), static_cast<UINT>(id),                    \
     static_cast<UINT>(id), [](CCmdTarget* target_, WPARAM, LPARAM lParam_) -> LRESULT {                     \
         void (ThisClass::*pfn_)(CCmdUI*) = memberFxn;                                                       \
         (static_cast<ThisClass*>(target_)->*pfn_)(reinterpret_cast<CCmdUI*>(lParam_));                      \
         return TRUE;                                                                                        \
     }},

#define ON_UPDATE_COMMAND_UI_RANGE(idFirst, idLast, memberFxn)                                               \
    {WM_COMMAND, nullptr, static_cast<UINT>(CN_UPDATE_COMMAND_UI), static_cast<UINT>(idFirst),               \
     static_cast<UINT>(idLast), [](CCmdTarget* target_, WPARAM, LPARAM lParam_) -> LRESULT {                 \
         void (ThisClass::*pfn_)(CCmdUI*) = memberFxn;                                                       \
         (static_cast<ThisClass*>(target_)->*pfn_)(reinterpret_cast<CCmdUI*>(lParam_));                      \
         return TRUE;                                                                                        \
     }},

// void OnFoo(): control notification `wNotifyCode` (BN_CLICKED, EN_CHANGE...) from `id`.
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                               \
    {WM_COMMAND, nullptr, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), static_cast<UINT>(id),          \
     static_cast<UINT>(id), [](CCmdTarget* target_, WPARAM, LPARAM) -> LRESULT {                             \
         void (ThisClass::*pfn_)() = memberFxn;                                                              \
         (static_cast<ThisClass*>(target_)->*pfn_)();                                                        \
         return TRUE;                                                                                        \
     }},

// void OnFoo(UINT id)
#define ON_CONTROL_RANGE(wNotifyCode, idFirst, idLast, memberFxn)                                            \
    {WM_COMMAND, nullptr, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), static_cast<UINT>(idFirst),     \
     static_cast<UINT>(idLast), [](CCmdTarget* target_, WPARAM wParam_, LPARAM) -> LRESULT {                 \
         void (ThisClass::*pfn_)(UINT) = memberFxn;                                                          \
         (static_cast<ThisClass*>(target_)->*pfn_)(static_cast<UINT>(wParam_));                              \
         return TRUE;                                                                                        \
     }},
// clang-format on

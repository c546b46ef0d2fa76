#include "platform/core/CmdTarget.h"
#include "platform/core/Exception.h"
#include "platform/core/RegisteredMessage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace
{
const UINT UM_SET_FOCUS = RegisterWindowMessageA("UM_SET_FOCUS-{4A2F2607-858E-4441-A158-B5EAEC0DF087}");
const UINT UM_REDRAW_VECTOR_DISPLAY =
    RegisterWindowMessageA("UM_REDRAW_VECTOR_DISPLAY-{4A2F2607-858E-4441-A158-B5EAEC0DF087}");

// Set by the test, not by a static initialiser, to show that maps read it at dispatch time.
UINT g_lateMessage = 0;

// Runs the user-interface event loop until `done` or the time-out; false on time-out.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done())
    {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void PumpFor(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

struct Received
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool onUiThread;
};

class CBaseTarget : public CCmdTarget
{
public:
    CBaseTarget() { CreateMessageTarget(); }
    void Close() { DestroyMessageTarget(); }

    std::mutex lock;
    std::vector<Received> received;
    std::vector<UINT> commands;
    int defaultCalls = 0;

    size_t Count()
    {
        std::lock_guard<std::mutex> guard(lock);
        return received.size();
    }

protected:
    void Record(UINT message, WPARAM w, LPARAM l)
    {
        std::lock_guard<std::mutex> guard(lock);
        received.push_back(
            {message, w, l, QThread::currentThread() == QCoreApplication::instance()->thread()});
    }
    LRESULT OnFocus(WPARAM w, LPARAM l)
    {
        Record(UM_SET_FOCUS, w, l);
        return 11;
    }
    LRESULT OnRedraw(WPARAM w, LPARAM l)
    {
        Record(UM_REDRAW_VECTOR_DISPLAY, w, l);
        return 12;
    }
    LRESULT OnUser5(WPARAM w, LPARAM l)
    {
        Record(WM_USER + 5, w, l);
        return 5;
    }
    LRESULT OnLate(WPARAM w, LPARAM l)
    {
        Record(g_lateMessage, w, l);
        return 13;
    }
    LRESULT OnThrow(WPARAM, LPARAM) { AfxThrowInvalidArgException(); }
    void OnOpen() { commands.push_back(100); }
    void OnRange(UINT id) { commands.push_back(id); }
    void OnUpdateOpen(CCmdUI* ui) { ui->Enable(FALSE); }
    LRESULT DefWindowProc(UINT, WPARAM, LPARAM) override
    {
        ++defaultCalls;
        return -1;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTarget, CCmdTarget)
ON_REGISTERED_MESSAGE(UM_SET_FOCUS, &CBaseTarget::OnFocus)
ON_REGISTERED_MESSAGE(UM_REDRAW_VECTOR_DISPLAY, &CBaseTarget::OnRedraw)
ON_REGISTERED_MESSAGE(g_lateMessage, &CBaseTarget::OnLate)
ON_MESSAGE(WM_USER + 5, &CBaseTarget::OnUser5)
ON_MESSAGE(WM_USER + 6, &CBaseTarget::OnThrow)
ON_COMMAND(100, &CBaseTarget::OnOpen)
ON_COMMAND_RANGE(200, 210, &CBaseTarget::OnRange)
ON_UPDATE_COMMAND_UI(100, &CBaseTarget::OnUpdateOpen)
END_MESSAGE_MAP()

// Overrides one message of its base and adds a command; the rest comes from the base map.
class CDerivedTarget : public CBaseTarget
{
protected:
    LRESULT OnUser5Again(WPARAM w, LPARAM l)
    {
        Record(WM_USER + 5, w, l);
        return 55;
    }
    void OnRange205() { commands.push_back(9205); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTarget, CBaseTarget)
ON_MESSAGE(WM_USER + 5, &CDerivedTarget::OnUser5Again)
ON_COMMAND(205, &CDerivedTarget::OnRange205)
END_MESSAGE_MAP()

// Captures reported exceptions for one test and puts the previous reporter back.
class ReporterCapture
{
public:
    ReporterCapture()
    {
        m_previous = AfxSetExceptionReporter([this](CException* e) {
            std::lock_guard<std::mutex> guard(m_lock);
            m_messages.push_back(e->GetMessage());
        });
    }
    ~ReporterCapture() { AfxSetExceptionReporter(std::move(m_previous)); }
    std::vector<CString> Messages()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_messages;
    }

private:
    std::mutex m_lock;
    std::vector<CString> m_messages;
    AFX_EXCEPTION_REPORTER m_previous;
};
} // namespace

TEST(RegisteredMessage, CaseRulesAndSameGuidNames)
{
    const char* focus = "UM_SET_FOCUS-{4A2F2607-858E-4441-A158-B5EAEC0DF087}";
    EXPECT_GE(UM_SET_FOCUS, 0xC000u);
    EXPECT_LE(UM_SET_FOCUS, 0xFFFFu);
    EXPECT_NE(UM_SET_FOCUS, UM_REDRAW_VECTOR_DISPLAY);
    // The same string registered in another place (another module's initialiser).
    EXPECT_EQ(RegisterWindowMessageA(focus), UM_SET_FOCUS);
    EXPECT_EQ(RegisterWindowMessageA("um_set_focus-{4a2f2607-858e-4441-a158-b5eaec0df087}"), UM_SET_FOCUS);
    EXPECT_EQ(RegisterWindowMessageA("Um_Redraw_Vector_Display-{4A2F2607-858E-4441-A158-B5EAEC0DF087}"),
              UM_REDRAW_VECTOR_DISPLAY);
    EXPECT_EQ(RegisterWindowMessageA(nullptr), 0u);
    EXPECT_EQ(RegisterWindowMessageA(""), 0u);
}

TEST(MessageMap, RoutesWindowRegisteredAndCommandMessages)
{
    CDerivedTarget target;
    struct Case
    {
        UINT message;
        WPARAM wParam;
        LRESULT result;
    };
    const Case cases[] = {
        {UM_SET_FOCUS, 1, 11},             // registered, from the base map
        {UM_REDRAW_VECTOR_DISPLAY, 2, 12}, // the other name with the same GUID
        {WM_USER + 5, 3, 55},              // the derived map wins over its base
        {WM_USER + 7, 4, -1},              // no entry: DefWindowProc
    };
    for (const Case& c : cases)
        EXPECT_EQ(target.SendMessage(c.message, c.wParam, 0), c.result) << c.message;
    EXPECT_EQ(target.defaultCalls, 1);

    // A registered entry whose number is not assigned yet matches nothing, not WM_NULL.
    EXPECT_EQ(target.SendMessage(WM_NULL), -1);
    g_lateMessage = RegisterWindowMessageA("UM_LATE_TEST_MESSAGE");
    EXPECT_EQ(target.SendMessage(g_lateMessage), 13);

    // WM_COMMAND reaches ON_COMMAND and ON_COMMAND_RANGE entries; the derived 205 wins.
    for (UINT id : {100u, 200u, 205u, 210u, 211u})
        target.SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), CN_COMMAND), 0);
    EXPECT_EQ(target.commands, (std::vector<UINT>{100, 200, 9205, 210}));
    // A control notification code other than CN_COMMAND is not a menu command.
    EXPECT_FALSE(target.OnCmdMsg(100, 0x0300, nullptr));
}

TEST(MessageMap, UpdateCommandUi)
{
    CBaseTarget target;
    CCmdUI withHandler;
    withHandler.m_nID = 100;
    EXPECT_TRUE(withHandler.DoUpdate(&target, TRUE));
    EXPECT_FALSE(withHandler.m_bEnabled);

    // No update handler: enabled when the command has a handler, disabled otherwise.
    CCmdUI commandOnly;
    commandOnly.m_nID = 203;
    EXPECT_FALSE(commandOnly.DoUpdate(&target, TRUE));
    EXPECT_TRUE(commandOnly.m_bEnabled);
    CCmdUI nothing;
    nothing.m_nID = 999;
    nothing.DoUpdate(&target, TRUE);
    EXPECT_FALSE(nothing.m_bEnabled);
    EXPECT_TRUE(target.commands.empty()); // asking for a handler does not run it
}

TEST(PostMessage, FromWorkerThreadsInOrderOnTheUiThread)
{
    CBaseTarget target;
    const HWND hWnd = target.GetSafeHwnd();
    ASSERT_NE(hWnd, nullptr);
    EXPECT_EQ(CCmdTarget::FromHandle(hWnd), &target);

    constexpr int kThreads = 4;
    constexpr int kPosts = 500;
    std::atomic<int> failures{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < kThreads; ++t)
        workers.emplace_back([&, t] {
            for (int i = 0; i < kPosts; ++i)
                if (!PostMessage(hWnd, UM_SET_FOCUS, static_cast<WPARAM>(t), i))
                    ++failures;
        });
    // Posting never waits for the user-interface thread: all posts end before any delivery.
    for (std::thread& w : workers)
        w.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(target.Count(), 0u);

    ASSERT_TRUE(PumpUntil([&] { return target.Count() == kThreads * kPosts; }));
    std::vector<LPARAM> next(kThreads, 0);
    for (const Received& r : target.received)
    {
        EXPECT_TRUE(r.onUiThread);
        ASSERT_LT(r.wParam, static_cast<WPARAM>(kThreads));
        EXPECT_EQ(r.lParam, next[r.wParam]) << "thread " << r.wParam;
        next[r.wParam] = r.lParam + 1;
    }
}

TEST(PostMessage, FifoAcrossMessagesFromOneThread)
{
    CBaseTarget target;
    std::thread worker([&] {
        for (int i = 0; i < 300; ++i)
            target.PostMessage(i % 2 ? UM_REDRAW_VECTOR_DISPLAY : WM_USER + 5, 0, i);
    });
    worker.join();
    ASSERT_TRUE(PumpUntil([&] { return target.Count() == 300; }));
    for (int i = 0; i < 300; ++i)
    {
        EXPECT_EQ(target.received[i].lParam, i);
        EXPECT_EQ(target.received[i].message,
                  i % 2 ? UM_REDRAW_VECTOR_DISPLAY : static_cast<UINT>(WM_USER + 5));
    }
}

TEST(PostMessage, DroppedForDestroyedTarget)
{
    std::vector<Received> seen;
    HWND oldHandle;
    {
        auto target = std::make_unique<CBaseTarget>();
        oldHandle = target->GetSafeHwnd();
        ASSERT_TRUE(PostMessage(oldHandle, UM_SET_FOCUS, 1, 0));
        std::thread([&] { PostMessage(oldHandle, UM_SET_FOCUS, 2, 0); }).join();
        target.reset(); // both messages still queued
    }
    EXPECT_FALSE(IsWindow(oldHandle));
    EXPECT_EQ(CCmdTarget::FromHandle(oldHandle), nullptr);
    EXPECT_FALSE(PostMessage(oldHandle, UM_SET_FOCUS, 3, 0));
    EXPECT_FALSE(PostMessage(nullptr, UM_SET_FOCUS, 3, 0));
    EXPECT_EQ(SendMessage(oldHandle, UM_SET_FOCUS, 4, 0), 0);

    // A new target never gets the old handle, so the queued messages cannot reach it.
    CBaseTarget next;
    EXPECT_NE(next.GetSafeHwnd(), oldHandle);
    PumpFor(50);
    EXPECT_EQ(next.Count(), 0u);

    CBaseTarget closed;
    const HWND h = closed.GetSafeHwnd();
    closed.Close();
    EXPECT_EQ(closed.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(IsWindow(h));
}

TEST(PostMessage, HandlerExceptionIsReportedAndTheLoopGoesOn)
{
    ReporterCapture reports;
    CBaseTarget target;
    ASSERT_TRUE(target.PostMessage(WM_USER + 6));
    ASSERT_TRUE(target.PostMessage(WM_USER + 5, 7, 0));
    ASSERT_TRUE(PumpUntil([&] { return target.Count() == 1; }));
    EXPECT_EQ(target.received[0].wParam, 7u);
    ASSERT_EQ(reports.Messages().size(), 1u);
    EXPECT_FALSE(reports.Messages()[0].IsEmpty());

    // A sent message is dispatched the same way: the caller gets 0, not the exception.
    EXPECT_EQ(target.SendMessage(WM_USER + 6), 0);
    EXPECT_EQ(reports.Messages().size(), 2u);
}

TEST(SendMessage, FromWorkerWaitsForTheUiThread)
{
    CBaseTarget target;
    std::atomic<bool> done{false};
    LRESULT result = 0;
    std::thread worker([&] {
        result = SendMessage(target.GetSafeHwnd(), UM_REDRAW_VECTOR_DISPLAY, 9, 0);
        done = true;
    });
    const bool finished = PumpUntil([&] { return done.load(); });
    worker.join();
    ASSERT_TRUE(finished);
    EXPECT_EQ(result, 12);
    ASSERT_EQ(target.Count(), 1u);
    EXPECT_TRUE(target.received[0].onUiThread);
}

TEST(PostMessage, CallsRunOnTheUiThreadInOrderWithMessages)
{
    CBaseTarget target;
    std::vector<int> order;
    std::thread([&] {
        target.PostMessage(WM_USER + 5, 0, 0);
        AfxPostCallToUiThread([&] { order.push_back(static_cast<int>(target.Count())); });
        target.PostMessage(WM_USER + 5, 0, 1);
    }).join();
    ASSERT_TRUE(PumpUntil([&] { return target.Count() == 2; }));
    EXPECT_EQ(order, std::vector<int>{1});
}

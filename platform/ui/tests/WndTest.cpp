// Windows, message routing and input translation of the window layer, driven offscreen.
#include "platform/core/RegisteredMessage.h"
#include "platform/core/SysColor.h"
#include "platform/ui/Colour.h"
#include "platform/ui/WindowDc.h"
#include "platform/ui/Wnd.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
const UINT UM_TEST_PING = RegisterWindowMessageA("WndTest.Ping");

constexpr UINT ID_TEST_COMMAND = 40001;
constexpr UINT IDC_TEST_BUTTON = 1001;
constexpr UINT IDC_TEST_CHILD = 1002;
constexpr UINT UM_POSTED = WM_APP + 1;
constexpr UINT UM_SENT = WM_APP + 2;
constexpr UINT UM_START = WM_APP + 3;

// Runs the event loop until `done` holds or two seconds pass.
bool PumpUntil(const std::function<bool()>& done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

void Pump()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// A window that writes down the messages it gets, in order.
class CLogWnd : public CWnd
{
public:
    std::vector<std::string>* log = nullptr;
    std::string name = "w";
    int createResult = 0;
    CSize sizeAtCreate;
    bool* deleted = nullptr;
    bool selfDeleting = false;
    bool swallowKeys = false;
    std::vector<UINT> keyDowns, chars, keyUps;
    std::vector<std::pair<UINT, CPoint>> clicks;
    std::vector<UINT_PTR> timers;
    std::vector<CPoint> contextMenus;
    int commands = 0;
    int updates = 0;
    CString textAtChar;

    ~CLogWnd() override
    {
        if (deleted)
            *deleted = true;
    }

    void Note(const std::string& what)
    {
        if (log)
            log->push_back(name + ":" + what);
    }

    int OnCreate(LPCREATESTRUCT cs)
    {
        CRect rc;
        GetClientRect(&rc);
        sizeAtCreate = rc.Size();
        Note("create");
        (void)cs;
        return createResult;
    }
    void OnDestroy() { Note("destroy"); }
    void OnNcDestroy()
    {
        Note("ncdestroy");
        CWnd::OnNcDestroy();
    }
    void PostNcDestroy() override
    {
        Note("postncdestroy");
        if (selfDeleting)
            delete this;
    }
    void OnSize(UINT, int cx, int cy) { Note("size " + std::to_string(cx) + "x" + std::to_string(cy)); }
    LRESULT OnPosted(WPARAM wParam, LPARAM)
    {
        Note("posted " + std::to_string(wParam));
        return 0;
    }
    LRESULT OnSent(WPARAM wParam, LPARAM)
    {
        Note("sent " + std::to_string(wParam));
        return static_cast<LRESULT>(wParam * 2);
    }
    LRESULT OnStart(WPARAM, LPARAM)
    {
        // A posted message waits for the event loop; a sent one runs at once.
        PostMessage(UM_POSTED, 1);
        PostMessage(UM_POSTED, 2);
        SendMessage(UM_SENT, 3);
        Note("start done");
        return 0;
    }
    LRESULT OnPing(WPARAM wParam, LPARAM)
    {
        Note("ping " + std::to_string(wParam));
        return 7;
    }
    void OnTestCommand() { ++commands; }
    void OnUpdateTestCommand(CCmdUI* pCmdUI)
    {
        ++updates;
        pCmdUI->Enable(FALSE);
    }
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        keyDowns.push_back(nChar);
        if (!swallowKeys)
            CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
    }
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        keyUps.push_back(nChar);
        CWnd::OnKeyUp(nChar, nRepCnt, nFlags);
    }
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        chars.push_back(nChar);
        GetWindowText(textAtChar);
        // 'x' never reaches the control.
        if (nChar != 'x' && !swallowKeys)
            CWnd::OnChar(nChar, nRepCnt, nFlags);
    }
    void OnLButtonDown(UINT nFlags, CPoint point)
    {
        clicks.emplace_back(nFlags, point);
        CWnd::OnLButtonDown(nFlags, point);
    }
    void OnMouseMove(UINT nFlags, CPoint point)
    {
        clicks.emplace_back(nFlags | 0x10000, point);
        CWnd::OnMouseMove(nFlags, point);
    }
    void OnTimer(UINT_PTR nIDEvent)
    {
        timers.push_back(nIDEvent);
        if (timers.size() == 3)
            KillTimer(nIDEvent);
    }
    void OnContextMenu(CWnd*, CPoint pos) { contextMenus.push_back(pos); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLogWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_NCDESTROY()
ON_WM_SIZE()
ON_WM_KEYDOWN()
ON_WM_KEYUP()
ON_WM_CHAR()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_WM_CONTEXTMENU()
ON_MESSAGE(UM_POSTED, &CLogWnd::OnPosted)
ON_MESSAGE(UM_SENT, &CLogWnd::OnSent)
ON_MESSAGE(UM_START, &CLogWnd::OnStart)
ON_REGISTERED_MESSAGE(UM_TEST_PING, &CLogWnd::OnPing)
ON_COMMAND(ID_TEST_COMMAND, &CLogWnd::OnTestCommand)
ON_UPDATE_COMMAND_UI(ID_TEST_COMMAND, &CLogWnd::OnUpdateTestCommand)
END_MESSAGE_MAP()

// A top-level window, shown, to hold children.
struct TopWindow
{
    CLogWnd wnd;
    TopWindow()
    {
        wnd.CreateEx(0, nullptr, "Top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(50, 40, 450, 340), nullptr,
                     0);
        Pump();
    }
};

// A parent that records the notifications of its children.
class CNotifyParent : public CWnd
{
public:
    std::vector<std::string> seen;
    void OnButtonClicked() { seen.push_back("clicked"); }
    void OnChildNotify(NMHDR* pNMHDR, LRESULT* pResult)
    {
        seen.push_back("notify " + std::to_string(static_cast<int>(pNMHDR->code)));
        *pResult = 5;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifyParent, CWnd)
ON_BN_CLICKED(IDC_TEST_BUTTON, &CNotifyParent::OnButtonClicked)
ON_NOTIFY(NM_CLICK, IDC_TEST_CHILD, &CNotifyParent::OnChildNotify)
END_MESSAGE_MAP()

// A button that takes its own clicks (reflection).
class CReflectButton : public CWnd
{
public:
    bool passOn = false;
    int reflected = 0;
    BOOL OnReflectedClick()
    {
        ++reflected;
        return passOn ? FALSE : TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectButton, CWnd)
ON_CONTROL_REFLECT_EX(BN_CLICKED, &CReflectButton::OnReflectedClick)
END_MESSAGE_MAP()

class CReflectNotify : public CWnd
{
public:
    int reflected = 0;
    void OnReflectedNotify(NMHDR*, LRESULT* pResult)
    {
        ++reflected;
        *pResult = 9;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectNotify, CWnd)
ON_NOTIFY_REFLECT(NM_CLICK, &CReflectNotify::OnReflectedNotify)
END_MESSAGE_MAP()

void SendKey(QWidget* w, int key, Qt::KeyboardModifiers mods, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}
} // namespace

// ---------------------------------------------------------------------------------------
// Creation and destruction
// ---------------------------------------------------------------------------------------

TEST(WndTest, CreateRunsOnCreateWithTheSizeThenSizeAndShows)
{
    std::vector<std::string> log;
    TopWindow top;
    CLogWnd child;
    child.log = &log;
    ASSERT_TRUE(child.Create(nullptr, "child", WS_CHILD | WS_VISIBLE, CRect(10, 20, 110, 70), &top.wnd, 7));
    EXPECT_EQ(child.sizeAtCreate, CSize(100, 50));
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0], "w:create");
    EXPECT_EQ(log[1], "w:size 100x50");
    EXPECT_TRUE(::IsWindow(child.GetSafeHwnd()));
    EXPECT_EQ(CWnd::FromHandle(child.GetSafeHwnd()), &child);
    EXPECT_EQ(child.GetDlgCtrlID(), 7);
    EXPECT_EQ(top.wnd.GetDlgItem(7), &child);
    EXPECT_EQ(child.GetParent(), &top.wnd);
    EXPECT_EQ(child.GetTopLevelParent(), &top.wnd);
    EXPECT_TRUE(child.GetStyle() & WS_CHILD);
    EXPECT_TRUE(child.IsWindowVisible());
    // A second Create on the same object fails.
    EXPECT_FALSE(child.Create(nullptr, "again", WS_CHILD, CRect(0, 0, 1, 1), &top.wnd, 8));
}

TEST(WndTest, OnCreateReturningMinusOneFailsAndDestroys)
{
    std::vector<std::string> log;
    TopWindow top;
    CLogWnd child;
    child.log = &log;
    child.createResult = -1;
    EXPECT_FALSE(child.Create(nullptr, "child", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &top.wnd, 7));
    EXPECT_EQ(log, (std::vector<std::string>{"w:create", "w:destroy", "w:ncdestroy", "w:postncdestroy"}));
    EXPECT_EQ(child.GetSafeHwnd(), nullptr);
    EXPECT_EQ(top.wnd.GetDlgItem(7), nullptr);
}

TEST(WndTest, ChildWithoutParentWindowFails)
{
    CLogWnd child;
    EXPECT_FALSE(child.Create(nullptr, "orphan", WS_CHILD, CRect(0, 0, 10, 10), nullptr, 1));
    CLogWnd noWindow;
    EXPECT_FALSE(child.Create(nullptr, "orphan", WS_CHILD, CRect(0, 0, 10, 10), &noWindow, 1));
}

TEST(WndTest, DestroyWindowOrdersMessagesAndFreesSelfDeletingObjects)
{
    std::vector<std::string> log;
    auto* parent = new CLogWnd;
    parent->log = &log;
    parent->name = "p";
    parent->selfDeleting = true;
    bool parentDeleted = false;
    parent->deleted = &parentDeleted;
    ASSERT_TRUE(
        parent->CreateEx(0, nullptr, "parent", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 200), nullptr, 0));
    CLogWnd a, b;
    a.log = b.log = &log;
    a.name = "a";
    b.name = "b";
    ASSERT_TRUE(a.Create(nullptr, "a", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), parent, 1));
    ASSERT_TRUE(b.Create(nullptr, "b", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &a, 2));
    const HWND hParent = parent->GetSafeHwnd();
    const HWND hB = b.GetSafeHwnd();
    log.clear();

    EXPECT_TRUE(parent->DestroyWindow());
    // WM_DESTROY parents first, WM_NCDESTROY children first; the frame-like parent deletes
    // itself last.
    EXPECT_EQ(log, (std::vector<std::string>{"p:destroy", "a:destroy", "b:destroy", "b:ncdestroy",
                                             "b:postncdestroy", "a:ncdestroy", "a:postncdestroy",
                                             "p:ncdestroy", "p:postncdestroy"}));
    EXPECT_TRUE(parentDeleted);
    EXPECT_FALSE(::IsWindow(hParent));
    EXPECT_FALSE(::IsWindow(hB));
    EXPECT_EQ(a.GetSafeHwnd(), nullptr);
    EXPECT_EQ(b.GetWidget(), nullptr);
    // Messages to a window that has gone are dropped, never delivered to freed memory.
    EXPECT_FALSE(::PostMessage(hB, UM_POSTED, 1, 0));
    EXPECT_EQ(::SendMessage(hB, UM_SENT, 1, 0), 0);
}

TEST(WndTest, DestroyingTheObjectDestroysItsWindow)
{
    std::vector<std::string> log;
    TopWindow top;
    HWND h = nullptr;
    {
        CLogWnd child;
        child.log = &log;
        ASSERT_TRUE(child.Create(nullptr, "child", WS_CHILD, CRect(0, 0, 10, 10), &top.wnd, 3));
        h = child.GetSafeHwnd();
        log.clear();
    }
    // The derived object is gone by then: only the window's own end remains to be done.
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(::IsWindow(h));
    EXPECT_EQ(top.wnd.GetDlgItem(3), nullptr);
}

// ---------------------------------------------------------------------------------------
// Message routing
// ---------------------------------------------------------------------------------------

TEST(WndTest, SentMessagesRunAtOncePostedOnesLaterInOrder)
{
    std::vector<std::string> log;
    TopWindow top;
    top.wnd.log = &log;
    log.clear();
    top.wnd.SendMessage(UM_START);
    EXPECT_EQ(log, (std::vector<std::string>{"w:sent 3", "w:start done"}));
    ASSERT_TRUE(PumpUntil([&] { return log.size() >= 4; }));
    EXPECT_EQ(log, (std::vector<std::string>{"w:sent 3", "w:start done", "w:posted 1", "w:posted 2"}));
    EXPECT_EQ(top.wnd.SendMessage(UM_SENT, 21), 42);
}

TEST(WndTest, RegisteredMessagesReachTheirHandler)
{
    std::vector<std::string> log;
    TopWindow top;
    top.wnd.log = &log;
    log.clear();
    ASSERT_NE(UM_TEST_PING, 0u);
    EXPECT_EQ(top.wnd.SendMessage(UM_TEST_PING, 4), 7);
    EXPECT_TRUE(::PostMessage(top.wnd.GetSafeHwnd(), RegisterWindowMessageA("wndtest.ping"), 5, 0));
    ASSERT_TRUE(PumpUntil([&] { return log.size() == 2; }));
    EXPECT_EQ(log, (std::vector<std::string>{"w:ping 4", "w:ping 5"}));
}

TEST(WndTest, CommandsAndTheirUpdateHandlers)
{
    TopWindow top;
    top.wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, 0), 0);
    EXPECT_EQ(top.wnd.commands, 1);
    CCmdUI ui;
    ui.m_nID = ID_TEST_COMMAND;
    EXPECT_TRUE(ui.DoUpdate(&top.wnd, TRUE));
    EXPECT_EQ(top.wnd.updates, 1);
    EXPECT_FALSE(ui.m_bEnabled);
    // A command nobody handles is not taken.
    EXPECT_EQ(top.wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND + 1, 0), 0), 0);
}

TEST(WndTest, ControlNotificationsReachTheParentUnlessTheControlTakesThem)
{
    TopWindow top;
    CNotifyParent parent;
    ASSERT_TRUE(parent.Create(nullptr, "parent", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &top.wnd, 1));
    CWnd button;
    ASSERT_TRUE(button.Create(WC_BUTTON, "Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                              CRect(10, 10, 90, 40), &parent, IDC_TEST_BUTTON));
    // A click made of sent mouse messages presses the real button, which notifies.
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(parent.seen, (std::vector<std::string>{"clicked"}));

    // Bound to an object that reflects BN_CLICKED, the control takes it first.
    button.UnsubclassWindow();
    CReflectButton reflecting;
    ASSERT_TRUE(reflecting.SubclassWindow(::GetDlgItem(parent.GetSafeHwnd(), IDC_TEST_BUTTON)));
    reflecting.SendMessage(BM_CLICK);
    EXPECT_EQ(reflecting.reflected, 1);
    EXPECT_EQ(parent.seen.size(), 1u);
    // ..._EX returning FALSE lets the parent have it too.
    reflecting.passOn = true;
    reflecting.SendMessage(BM_CLICK);
    EXPECT_EQ(reflecting.reflected, 2);
    EXPECT_EQ(parent.seen, (std::vector<std::string>{"clicked", "clicked"}));
}

TEST(WndTest, NotifyMessagesWithReflection)
{
    TopWindow top;
    CNotifyParent parent;
    ASSERT_TRUE(parent.Create(nullptr, "parent", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &top.wnd, 1));
    CWnd plain;
    ASSERT_TRUE(
        plain.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &parent, IDC_TEST_CHILD));
    NMHDR header{};
    EXPECT_EQ(AfxNotifyParent(plain.GetSafeHwnd(), NM_CLICK, &header), 5);
    EXPECT_EQ(header.idFrom, IDC_TEST_CHILD);
    EXPECT_EQ(header.hwndFrom, plain.GetSafeHwnd());
    EXPECT_EQ(parent.seen, (std::vector<std::string>{"notify -2"}));

    CReflectNotify reflecting;
    ASSERT_TRUE(reflecting.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &parent,
                                  IDC_TEST_CHILD + 1));
    NMHDR second{};
    EXPECT_EQ(AfxNotifyParent(reflecting.GetSafeHwnd(), NM_CLICK, &second), 9);
    EXPECT_EQ(reflecting.reflected, 1);
    EXPECT_EQ(parent.seen.size(), 1u);
}

// A parent that colours its static children, and a control that colours itself when its
// parent leaves it alone.
class CColourParent : public CWnd
{
public:
    CBrush brush{RGB(1, 2, 3)};
    bool handle = true;
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        if (handle && nCtlColor == CTLCOLOR_STATIC)
        {
            pDC->SetTextColor(RGB(9, 9, 9));
            return brush;
        }
        return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColourParent, CWnd)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

class CSelfColouring : public CWnd
{
public:
    CBrush brush{RGB(4, 5, 6)};
    HBRUSH CtlColor(CDC*, UINT) { return brush; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfColouring, CWnd)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

TEST(WndTest, CtlColorGoesToTheParentThenBackToTheControl)
{
    TopWindow top;
    CColourParent parent;
    ASSERT_TRUE(parent.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), &top.wnd, 1));
    CSelfColouring child;
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &parent, 2));
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    const auto ask = [&](UINT message) {
        return reinterpret_cast<HBRUSH>(parent.SendMessage(message, reinterpret_cast<WPARAM>(dc.GetSafeHdc()),
                                                           reinterpret_cast<LPARAM>(child.GetSafeHwnd())));
    };
    EXPECT_EQ(ask(WM_CTLCOLORSTATIC), static_cast<HBRUSH>(parent.brush));
    EXPECT_EQ(dc.GetTextColor(), RGB(9, 9, 9));
    // Left to the base, the control's own reflected handler answers.
    EXPECT_EQ(ask(WM_CTLCOLORBTN), static_cast<HBRUSH>(child.brush));
    // With no reflected handler either, the system's brush.
    CWnd plain;
    ASSERT_TRUE(plain.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &parent, 3));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(parent.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()),
                                                          reinterpret_cast<LPARAM>(plain.GetSafeHwnd()))),
              GetSysColorBrush(COLOR_WINDOW));
}

TEST(WndTest, SubclassDlgItemBindsOnceAndUnsubclassGivesTheWindowBack)
{
    TopWindow top;
    CWnd maker;
    ASSERT_TRUE(maker.Create(WC_STATIC, "text", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &top.wnd, 55));
    const HWND h = maker.UnsubclassWindow();
    // The window now has a plain object of the layer's, as a dialog item has.
    CWnd* item = top.wnd.GetDlgItem(55);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetSafeHwnd(), h);

    CLogWnd bound;
    ASSERT_TRUE(bound.SubclassDlgItem(55, &top.wnd));
    EXPECT_EQ(bound.GetSafeHwnd(), h);
    EXPECT_EQ(top.wnd.GetDlgItem(55), &bound);
    CString text;
    bound.GetWindowText(text);
    EXPECT_EQ(text, "text");
    // A window bound to an object of the program's own cannot be taken again.
    CLogWnd other;
    EXPECT_FALSE(other.SubclassWindow(h));

    EXPECT_EQ(bound.UnsubclassWindow(), h);
    EXPECT_EQ(bound.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(::IsWindow(h));
    EXPECT_TRUE(other.SubclassWindow(h));
    EXPECT_EQ(CWnd::FromHandle(h), &other);
}

// ---------------------------------------------------------------------------------------
// Keyboard
// ---------------------------------------------------------------------------------------

struct KeyCase
{
    int key;
    Qt::KeyboardModifiers mods;
    QString text;
    UINT vk;
    UINT ch; // 0: no WM_CHAR
};

TEST(WndTest, QtKeyEventsBecomeKeyDownWithVirtualKeysThenChar)
{
    const KeyCase cases[] = {
        {Qt::Key_A, Qt::NoModifier, "a", 'A', 'a'},
        {Qt::Key_A, Qt::ShiftModifier, "A", 'A', 'A'},
        {Qt::Key_1, Qt::NoModifier, "1", '1', '1'},
        {Qt::Key_Exclam, Qt::ShiftModifier, "!", '1', '!'},
        {Qt::Key_Minus, Qt::NoModifier, "-", VK_OEM_MINUS, '-'},
        {Qt::Key_Period, Qt::NoModifier, ".", VK_OEM_PERIOD, '.'},
        {Qt::Key_Minus, Qt::KeypadModifier, "-", VK_SUBTRACT, '-'},
        {Qt::Key_5, Qt::KeypadModifier, "5", VK_NUMPAD5, '5'},
        {Qt::Key_Space, Qt::NoModifier, " ", VK_SPACE, ' '},
        {Qt::Key_Return, Qt::NoModifier, "\r", VK_RETURN, '\r'},
        {Qt::Key_Enter, Qt::KeypadModifier, "\r", VK_RETURN, '\r'},
        {Qt::Key_Backspace, Qt::NoModifier, "\b", VK_BACK, 8},
        {Qt::Key_Escape, Qt::NoModifier, "\x1b", VK_ESCAPE, 27},
        {Qt::Key_Tab, Qt::NoModifier, "\t", VK_TAB, 9},
        {Qt::Key_Delete, Qt::NoModifier, "\x7f", VK_DELETE, 0},
        {Qt::Key_Insert, Qt::NoModifier, "", VK_INSERT, 0},
        {Qt::Key_Left, Qt::NoModifier, "", VK_LEFT, 0},
        {Qt::Key_PageDown, Qt::NoModifier, "", VK_NEXT, 0},
        {Qt::Key_F5, Qt::NoModifier, "", VK_F5, 0},
        {Qt::Key_C, Qt::ControlModifier, "\x03", 'C', 3},
        {Qt::Key_V, Qt::ControlModifier, "", 'V', 22},
        {Qt::Key_Eacute, Qt::NoModifier, QString(QChar(0xE9)), VK_PACKET, 0xE9},
        {Qt::Key_degree, Qt::NoModifier, QString(QChar(0xB0)), VK_PACKET, 0xB0},
        {0x20AC, Qt::NoModifier, QString(QChar(0x20AC)), VK_PACKET, 0x80},
    };
    TopWindow top;
    for (const KeyCase& c : cases)
    {
        SCOPED_TRACE(c.text.toStdString() + " key " + std::to_string(c.key));
        top.wnd.keyDowns.clear();
        top.wnd.chars.clear();
        top.wnd.keyUps.clear();
        SendKey(top.wnd.GetWidget(), c.key, c.mods, c.text);
        EXPECT_EQ(top.wnd.keyDowns, std::vector<UINT>{c.vk});
        EXPECT_EQ(top.wnd.chars, c.ch ? std::vector<UINT>{c.ch} : std::vector<UINT>{});
        EXPECT_EQ(top.wnd.keyUps, std::vector<UINT>{c.vk});
    }
}

class CKeyStateWnd : public CWnd
{
public:
    std::vector<std::pair<bool, bool>> seen; // (ctrl, shift) at each key down
    void OnKeyDown(UINT, UINT, UINT)
    {
        seen.emplace_back(GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeyStateWnd, CWnd)
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

TEST(WndTest, KeyStateFollowsTheEventBeingHandled)
{
    TopWindow top;
    CKeyStateWnd w;
    ASSERT_TRUE(w.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &top.wnd, 1));
    SendKey(w.GetWidget(), Qt::Key_A, Qt::ControlModifier, "\x01");
    SendKey(w.GetWidget(), Qt::Key_B, Qt::ShiftModifier, "B");
    SendKey(w.GetWidget(), Qt::Key_C, Qt::NoModifier, "c");
    EXPECT_EQ(w.seen, (std::vector<std::pair<bool, bool>>{{true, false}, {false, true}, {false, false}}));
}

TEST(WndTest, KeysReachHandlersBeforeTheControlAndASwallowedKeyIsLost)
{
    TopWindow top;
    CWnd edit;
    ASSERT_TRUE(
        edit.Create(WC_EDIT, "", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 200, 34), &top.wnd, 20));
    const HWND h = edit.GetSafeHwnd();
    edit.UnsubclassWindow();
    CLogWnd watcher;
    ASSERT_TRUE(watcher.SubclassWindow(h));
    QWidget* w = watcher.GetWidget();
    ASSERT_NE(w, nullptr);
    SendKey(w, Qt::Key_A, Qt::NoModifier, "a");
    SendKey(w, Qt::Key_X, Qt::NoModifier, "x");
    SendKey(w, Qt::Key_B, Qt::NoModifier, "b");
    CString text;
    watcher.GetWindowText(text);
    EXPECT_EQ(text, "ab");
    // When 'b' arrived the control did not have it yet.
    EXPECT_EQ(watcher.textAtChar, "a");
    // Backspace acts at WM_CHAR, as in Windows' edit control.
    SendKey(w, Qt::Key_Backspace, Qt::NoModifier, "\b");
    watcher.GetWindowText(text);
    EXPECT_EQ(text, "a");
    // A character sent as a message types as well.
    watcher.SendMessage(WM_CHAR, 'z', 1);
    watcher.GetWindowText(text);
    EXPECT_EQ(text, "az");
    watcher.SendMessage(WM_CHAR, 0xB0, 1);
    watcher.GetWindowText(text);
    EXPECT_EQ(text, "az\xB0");
    // A swallowed key down keeps navigation keys from the control.
    watcher.swallowKeys = true;
    SendKey(w, Qt::Key_Home, Qt::NoModifier, "");
    SendKey(w, Qt::Key_Q, Qt::NoModifier, "q");
    watcher.GetWindowText(text);
    EXPECT_EQ(text, "az\xB0");
}

// A parent that eats Escape and turns Enter into Tab before its children see them.
class CFilterParent : public CWnd
{
public:
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE)
            return TRUE;
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN)
            pMsg->wParam = VK_TAB;
        return FALSE;
    }
};

TEST(WndTest, PreTranslateMessageOfParentsFiltersAndChangesKeys)
{
    TopWindow top;
    CFilterParent parent;
    ASSERT_TRUE(parent.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), &top.wnd, 1));
    CLogWnd child;
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &parent, 2));
    SendKey(child.GetWidget(), Qt::Key_Escape, Qt::NoModifier, "\x1b");
    EXPECT_TRUE(child.keyDowns.empty());
    EXPECT_TRUE(child.chars.empty());
    SendKey(child.GetWidget(), Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(child.keyDowns, std::vector<UINT>{VK_TAB});
    EXPECT_EQ(child.chars, std::vector<UINT>{9});
}

// ---------------------------------------------------------------------------------------
// Mouse
// ---------------------------------------------------------------------------------------

TEST(WndTest, MouseMessagesCarryFlagsAndClientCoordinates)
{
    TopWindow top;
    CLogWnd child;
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(30, 40, 130, 140), &top.wnd, 1));
    // Sent as messages.
    child.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(10, 20));
    // Real Qt events, in the child's coordinates.
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 7), child.GetWidget()->mapToGlobal(QPointF(5, 7)),
                      Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(child.GetWidget(), &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(8, 9), child.GetWidget()->mapToGlobal(QPointF(8, 9)),
                     Qt::NoButton, Qt::LeftButton | Qt::RightButton, Qt::ShiftModifier);
    QApplication::sendEvent(child.GetWidget(), &move);
    ASSERT_EQ(child.clicks.size(), 3u);
    EXPECT_EQ(child.clicks[0].first, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(child.clicks[0].second, CPoint(10, 20));
    EXPECT_EQ(child.clicks[1].first, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(child.clicks[1].second, CPoint(5, 7));
    EXPECT_EQ(child.clicks[2].first, 0x10000 | MK_LBUTTON | MK_RBUTTON | MK_SHIFT);
    EXPECT_EQ(child.clicks[2].second, CPoint(8, 9));
    // Negative coordinates (outside the window while captured) survive the packing.
    child.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-3), static_cast<WORD>(-4)));
    EXPECT_EQ(child.clicks.back().second, CPoint(-3, -4));
}

TEST(WndTest, RightButtonReleaseGivesContextMenuInScreenCoordinatesToTheParent)
{
    TopWindow top;
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(30, 40, 130, 140), &top.wnd, 1));
    child.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(3, 4));
    ASSERT_EQ(top.wnd.contextMenus.size(), 1u);
    CPoint expected(3, 4);
    child.ClientToScreen(&expected);
    EXPECT_EQ(top.wnd.contextMenus[0], expected);
}

// ---------------------------------------------------------------------------------------
// Timers, geometry, state
// ---------------------------------------------------------------------------------------

TEST(WndTest, TimersDeliverTheirIdUntilKilled)
{
    TopWindow top;
    EXPECT_EQ(top.wnd.SetTimer(17, 10), 17u);
    ASSERT_TRUE(PumpUntil([&] { return top.wnd.timers.size() >= 3; }));
    QCoreApplication::processEvents(QEventLoop::AllEvents, 60);
    EXPECT_EQ(top.wnd.timers, (std::vector<UINT_PTR>{17, 17, 17}));
    EXPECT_FALSE(top.wnd.KillTimer(17));
    CWnd none;
    EXPECT_EQ(none.SetTimer(1, 10), 0u);
}

TEST(WndTest, GeometryInClientAndScreenCoordinates)
{
    TopWindow top;
    CLogWnd child;
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(10, 20, 60, 50), &top.wnd, 1));
    CRect client;
    child.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 50, 30));
    CRect window, parentWindow;
    child.GetWindowRect(&window);
    top.wnd.GetWindowRect(&parentWindow);
    EXPECT_EQ(window.TopLeft(), parentWindow.TopLeft() + CSize(10, 20));
    top.wnd.ScreenToClient(&window);
    EXPECT_EQ(window, CRect(10, 20, 60, 50));

    std::vector<std::string> log;
    child.log = &log;
    child.MoveWindow(5, 6, 70, 80);
    child.SetWindowPos(nullptr, 0, 0, 90, 40, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(log, (std::vector<std::string>{"w:size 70x80", "w:size 90x40"}));
    child.GetWindowRect(&window);
    top.wnd.ScreenToClient(&window);
    EXPECT_EQ(window, CRect(5, 6, 95, 46));

    EXPECT_TRUE(child.ShowWindow(SW_HIDE));
    EXPECT_FALSE(child.IsWindowVisible());
    EXPECT_FALSE(child.GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(child.ShowWindow(SW_SHOW));
    EXPECT_TRUE(child.IsWindowVisible());
    EXPECT_FALSE(child.EnableWindow(FALSE));
    EXPECT_FALSE(child.IsWindowEnabled());
    EXPECT_TRUE(child.EnableWindow(TRUE));
    EXPECT_TRUE(child.IsWindowEnabled());
    EXPECT_TRUE(child.ModifyStyle(0, WS_TABSTOP));
    EXPECT_TRUE(child.GetStyle() & WS_TABSTOP);
}

class CFocusWnd : public CWnd
{
public:
    std::vector<std::string>* log = nullptr;
    std::string name;
    void OnSetFocus(CWnd* pOld)
    {
        log->push_back(name + " set from " + (pOld ? std::to_string(pOld->GetDlgCtrlID()) : "none"));
        CWnd::OnSetFocus(pOld);
    }
    void OnKillFocus(CWnd* pNew)
    {
        log->push_back(name + " kill to " + (pNew ? std::to_string(pNew->GetDlgCtrlID()) : "none"));
        CWnd::OnKillFocus(pNew);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFocusWnd, CWnd)
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

TEST(WndTest, FocusMovesWithKillFocusBeforeSetFocus)
{
    TopWindow top;
    std::vector<std::string> log;
    CFocusWnd a, b;
    a.log = b.log = &log;
    a.name = "a";
    b.name = "b";
    CWnd maker;
    ASSERT_TRUE(maker.Create(WC_EDIT, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &top.wnd, 1));
    ASSERT_TRUE(a.SubclassWindow(maker.UnsubclassWindow()));
    ASSERT_TRUE(maker.Create(WC_EDIT, "", WS_CHILD | WS_VISIBLE, CRect(0, 30, 50, 50), &top.wnd, 2));
    ASSERT_TRUE(b.SubclassWindow(maker.UnsubclassWindow()));
    a.SetFocus();
    EXPECT_EQ(CWnd::GetFocus(), &a);
    log.clear();
    EXPECT_EQ(b.SetFocus(), &a);
    EXPECT_EQ(CWnd::GetFocus(), &b);
    EXPECT_EQ(::GetFocus(), b.GetSafeHwnd());
    EXPECT_EQ(log, (std::vector<std::string>{"a kill to 2", "b set from 1"}));
}

// ---------------------------------------------------------------------------------------
// Painting
// ---------------------------------------------------------------------------------------

class CPaintWnd : public CWnd
{
public:
    int paints = 0;
    int erases = 0;
    void OnPaint()
    {
        ++paints;
        CPaintDC dc(this);
        dc.FillSolidRect(CRect(10, 10, 30, 30), RGB(255, 0, 0));
    }
    BOOL OnEraseBkgnd(CDC* pDC)
    {
        ++erases;
        CRect rc;
        GetClientRect(&rc);
        pDC->FillSolidRect(&rc, RGB(0, 0, 255));
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintWnd, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

TEST(WndTest, PaintErasesThenPaintsAndClientDcXorRestores)
{
    TopWindow top;
    CPaintWnd w;
    ASSERT_TRUE(w.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 60, 50), &top.wnd, 1));
    QImage image = w.RenderToImage();
    ASSERT_EQ(image.size(), QSize(60, 50));
    EXPECT_EQ(ColorRefFromQRgb(image.pixel(20, 20)), RGB(255, 0, 0));
    EXPECT_EQ(ColorRefFromQRgb(image.pixel(50, 40)), RGB(0, 0, 255));
    EXPECT_EQ(w.erases, 1);
    const int paints = w.paints;

    // An XOR band drawn on the client area, then drawn again, leaves nothing behind.
    {
        CClientDC dc(&w);
        dc.SetROP2(R2_XORPEN);
        CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
        CPen* old = dc.SelectObject(&pen);
        dc.MoveTo(0, 40);
        dc.LineTo(60, 40);
        dc.SelectObject(old);
    }
    image = w.RenderToImage();
    EXPECT_EQ(ColorRefFromQRgb(image.pixel(5, 40)), RGB(255, 255, 0));
    {
        CClientDC dc(&w);
        dc.SetROP2(R2_XORPEN);
        CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
        CPen* old = dc.SelectObject(&pen);
        dc.MoveTo(0, 40);
        dc.LineTo(60, 40);
        dc.SelectObject(old);
    }
    image = w.RenderToImage();
    EXPECT_EQ(ColorRefFromQRgb(image.pixel(5, 40)), RGB(0, 0, 255));
    // Nothing was invalid, so nothing was painted again.
    EXPECT_EQ(w.paints, paints);

    // Invalidate without erasing paints over what is there.
    w.Invalidate(FALSE);
    w.UpdateWindow();
    EXPECT_EQ(w.paints, paints + 1);
    EXPECT_EQ(w.erases, 1);
    w.Invalidate();
    w.UpdateWindow();
    EXPECT_EQ(w.erases, 2);
}

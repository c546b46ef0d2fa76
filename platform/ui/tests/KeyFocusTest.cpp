// The keyboard as a user meets it in a docking frame: the frame's view has the keys when the
// frame comes up, a click gives them to the view or the pane's grid that was clicked, keys
// typed go to the widget that has Qt's focus (never to a window object directly), the frame's
// accelerators work whatever has the focus, a drop-down's pick applies at once, and a window
// comes up in the state it was last shown in even when the window system minimises it late.
#include "platform/core/WinApp.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/DockablePane.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/PropertyGrid.h"
#include "platform/ui/Resources.h"
#include "platform/ui/View.h"
#include "platform/ui/ModalHook.h"
#include "SmallProgram.h"
#include "testsupport/EventPump.h"
#include "testsupport/UserInput.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
constexpr UINT IDR_KEY_FRAME = 9400;
constexpr UINT ID_KEY_ABOUT = 9401; // Ctrl+A
constexpr UINT ID_KEY_ZOOM = 9402;  // Page Down, a key the grid's tree would take for itself
constexpr UINT ID_KEY_PANE = 9410;

const ACCEL kAccelerators[] = {
    {FVIRTKEY | FCONTROL, 'A', static_cast<WORD>(ID_KEY_ABOUT)},
    {FVIRTKEY, VK_NEXT, static_cast<WORD>(ID_KEY_ZOOM)},
};
struct Resources
{
    Resources() { AfxRegisterAcceleratorTable(IDR_KEY_FRAME, kAccelerators, 2); }
} g_resources;

std::vector<std::string>& Log()
{
    static std::vector<std::string> log;
    return log;
}

std::string Name(const CWnd* pWnd);

// Ctrl, Shift and Alt pressed on their way to a key combination are left out of the logs.
bool IsModifier(UINT nChar)
{
    return nChar == VK_CONTROL || nChar == VK_SHIFT || nChar == VK_MENU;
}

// The frame's view: it writes down its keys and focus changes.
class CKeyView : public CView
{
    DECLARE_DYNCREATE(CKeyView)
protected:
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        if (!IsModifier(nChar))
            Log().push_back("view key " + std::to_string(nChar));
        CView::OnKeyDown(nChar, nRepCnt, nFlags);
    }
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        Log().push_back("view char " + std::to_string(nChar));
        CView::OnChar(nChar, nRepCnt, nFlags);
    }
    void OnSetFocus(CWnd* pOldWnd)
    {
        Log().push_back("view set from " + Name(pOldWnd));
        CView::OnSetFocus(pOldWnd);
    }
    void OnKillFocus(CWnd* pNewWnd)
    {
        Log().push_back("view kill to " + Name(pNewWnd));
        CView::OnKillFocus(pNewWnd);
    }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CKeyView, CView)
BEGIN_MESSAGE_MAP(CKeyView, CView)
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

// The pane's grid: it writes down the keys its tree leaves and its focus changes.
class CKeyGrid : public CMFCPropertyGridCtrl
{
protected:
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        if (!IsModifier(nChar))
            Log().push_back("grid key " + std::to_string(nChar));
        CMFCPropertyGridCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
    }
    void OnSetFocus(CWnd* pOldWnd)
    {
        Log().push_back("grid set from " + Name(pOldWnd));
        CMFCPropertyGridCtrl::OnSetFocus(pOldWnd);
    }
    void OnKillFocus(CWnd* pNewWnd)
    {
        Log().push_back("grid kill to " + Name(pNewWnd));
        CMFCPropertyGridCtrl::OnKillFocus(pNewWnd);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeyGrid, CMFCPropertyGridCtrl)
ON_WM_KEYDOWN()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

// A docking frame as the programs build theirs: a view in the middle, a pane with a grid at
// the side, accelerators. The grid's owner, the frame, is told of each change.
class CKeyFrame : public CFrameWndEx
{
public:
    CDockablePane m_pane;
    CKeyGrid m_grid;
    std::vector<std::string> m_changes;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CFrameWndEx::OnCreate(lpCreateStruct) == -1)
            return -1;
        EnableDocking(CBRS_ALIGN_ANY);
        if (!m_pane.Create("Properties", this, CRect(0, 0, 240, 300), TRUE, ID_KEY_PANE,
                           WS_CHILD | WS_VISIBLE | CBRS_LEFT))
            return -1;
        m_pane.EnableDocking(CBRS_ALIGN_ANY);
        DockPane(&m_pane);
        if (!m_grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 240, 280), &m_pane, 2))
            return -1;
        m_grid.SetOwner(this);
        auto* status = new CMFCPropertyGridProperty("Status", COleVariant("LIVE"), "", 1);
        status->AddOption("LIVE");
        status->AddOption("ON BOTTOM");
        status->AllowEdit(FALSE);
        m_grid.AddProperty(status);
        m_grid.AddProperty(new CMFCPropertyGridProperty("Name", COleVariant("Port Bow"), "", 2));
        m_grid.AddProperty(new CMFCPropertyGridProperty("Depth", COleVariant(80.0), "", 3));
        return 0;
    }
    void OnAbout() { Log().push_back("frame about"); }
    void OnZoom() { Log().push_back("frame zoom"); }
    LRESULT OnPropertyChanged(WPARAM, LPARAM lParam)
    {
        auto* prop = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
        m_changes.push_back(std::string(prop->GetName()) + " = " + std::string(prop->FormatProperty()));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeyFrame, CFrameWndEx)
ON_WM_CREATE()
ON_COMMAND(ID_KEY_ABOUT, &CKeyFrame::OnAbout)
ON_COMMAND(ID_KEY_ZOOM, &CKeyFrame::OnZoom)
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, &CKeyFrame::OnPropertyChanged)
END_MESSAGE_MAP()

std::string Name(const CWnd* pWnd)
{
    if (!pWnd)
        return "none";
    if (pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        return "view";
    if (pWnd->IsKindOf(RUNTIME_CLASS(CMFCPropertyGridCtrl)))
        return "grid";
    return "other";
}

class KeyFocus : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Log().clear();
        frame = new CKeyFrame;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CKeyView);
        ASSERT_TRUE(frame->LoadFrame(IDR_KEY_FRAME, WS_OVERLAPPEDWINDOW, nullptr, &context));
        frame->GetMainWindow()->resize(800, 500);
        frame->InitialUpdateFrame(nullptr, TRUE);
        PumpFor(50);
        view = frame->GetActiveView();
        ASSERT_NE(view, nullptr);
    }
    void TearDown() override
    {
        if (frame && frame->GetSafeHwnd())
            frame->DestroyWindow(); // frames delete themselves
        Pump();
    }
    // A click in the middle of the view, as a user's.
    void ClickView()
    {
        CRect client;
        view->GetClientRect(&client);
        UserInput::ClickClient(view, client.CenterPoint().x, client.CenterPoint().y);
    }
    // A click on the grid's first row name, as a user's.
    void ClickGrid()
    {
        auto* tree = frame->m_grid.GetWidget()->findChild<QTreeWidget*>();
        ASSERT_NE(tree, nullptr);
        const QRect row = tree->visualItemRect(tree->topLevelItem(1));
        const QPoint at = tree->viewport()->mapTo(frame->m_grid.GetWidget(), QPoint(10, row.center().y()));
        UserInput::ClickClient(&frame->m_grid, at.x(), at.y());
    }
    static std::vector<std::string> Taken()
    {
        std::vector<std::string> log;
        log.swap(Log());
        return log;
    }

    CKeyFrame* frame = nullptr;
    CView* view = nullptr;
};
} // namespace

TEST_F(KeyFocus, TheViewHasTheKeysWhenTheFrameComesUpAndAgainWhenClicked)
{
    // Nothing clicked yet: the frame's own view has the keys, not the pane's grid, which
    // comes first in the window's tab chain.
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(CWnd::GetFocus(), view);
    EXPECT_EQ(Taken(), (std::vector<std::string>{"view set from none"}));
    UserInput::Key(Qt::Key_Up);
    EXPECT_EQ(Taken(), (std::vector<std::string>{"view key 38"}));

    ClickGrid();
    EXPECT_EQ(CWnd::GetFocus(), &frame->m_grid);
    EXPECT_EQ(::GetFocus(), frame->m_grid.GetSafeHwnd());
    Log().clear();
    // Keys the tree uses stay the grid's; the one it leaves goes up to the grid's window.
    UserInput::Key(Qt::Key_Down);
    UserInput::Key(Qt::Key_F5);
    EXPECT_EQ(Taken(), (std::vector<std::string>{"grid key 116"}));

    ClickView();
    EXPECT_EQ(CWnd::GetFocus(), view);
    Log().clear();
    const struct
    {
        int key;
        unsigned int modifiers;
        std::vector<std::string> seen;
    } keys[] = {
        {Qt::Key_Up, Qt::NoModifier, {"view key 38"}},
        {Qt::Key_Down, Qt::NoModifier, {"view key 40"}},
        {Qt::Key_W, Qt::NoModifier, {"view key 87", "view char 119"}},
        {Qt::Key_F8, Qt::NoModifier, {"view key 119"}},
        {Qt::Key_I, Qt::NoModifier, {"view key 73", "view char 105"}},
        {Qt::Key_9, Qt::KeypadModifier, {"view key 105", "view char 57"}},
        {Qt::Key_Plus, Qt::KeypadModifier, {"view key 107", "view char 43"}},
        {Qt::Key_Slash, Qt::KeypadModifier, {"view key 111", "view char 47"}},
    };
    for (const auto& k : keys)
    {
        UserInput::Key(k.key, k.modifiers);
        EXPECT_EQ(Taken(), k.seen) << k.key;
    }
}

TEST_F(KeyFocus, FocusMessagesFollowTheClicksAndNotTheWidgetsInsideAWindow)
{
    Log().clear();
    ClickGrid();
    UserInput::OpenGridEditor(frame->m_grid, "Name"); // the in-place editor inside the grid
    ASSERT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);
    EXPECT_EQ(CWnd::GetFocus(), &frame->m_grid);
    ClickView();
    EXPECT_EQ(Taken(), (std::vector<std::string>{"view kill to grid", "grid set from view", "grid kill to view",
                                                  "view set from grid"}));
}

TEST_F(KeyFocus, FrameAcceleratorsWorkWhateverHasTheFocus)
{
    const auto inView = [this] { ClickView(); };
    const auto inTree = [this] { ClickGrid(); };
    const auto inEditor = [this] {
        ClickGrid();
        ASSERT_NE(UserInput::OpenGridEditor(frame->m_grid, "Name"), nullptr);
    };
    const struct
    {
        const char* where;
        std::function<void()> focus;
    } places[] = {{"view", inView}, {"grid", inTree}, {"grid's editor", inEditor}};
    for (const auto& place : places)
    {
        place.focus();
        Log().clear();
        UserInput::Key(Qt::Key_A, Qt::ControlModifier);
        UserInput::Key(Qt::Key_PageDown);
        EXPECT_EQ(Taken(), (std::vector<std::string>{"frame about", "frame zoom"})) << place.where;
    }
}

TEST_F(KeyFocus, AChoicePickedFromAGridsDropDownAppliesAtOnce)
{
    CMFCPropertyGridProperty* status = frame->m_grid.FindItemByData(1);
    ASSERT_NE(status, nullptr);
    ASSERT_TRUE(UserInput::PickInGrid(frame->m_grid, "Status", "ON BOTTOM"));
    PumpFor(20);
    // No Enter, no click elsewhere: the pick is the value, and the owner heard of it once.
    EXPECT_STREQ(status->FormatProperty(), "ON BOTTOM");
    EXPECT_EQ(frame->m_changes, (std::vector<std::string>{"Status = ON BOTTOM"}));
    EXPECT_STREQ(frame->m_grid.GetShownValue(status), "ON BOTTOM");
    // The user is still working in the grid: it keeps the keys.
    EXPECT_EQ(CWnd::GetFocus(), &frame->m_grid);
}

// What a parent's answer to WM_MOUSEACTIVATE does to a click in a plain child window that
// handles keys.
namespace
{
class CAnsweringParent : public CWnd
{
public:
    int answer = MA_ACTIVATE;

protected:
    int OnMouseActivate(CWnd*, UINT, UINT) { return answer; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CAnsweringParent, CWnd)
ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

class CClickedChild : public CWnd
{
public:
    int presses = 0;
    int keys = 0;

protected:
    void OnLButtonDown(UINT, CPoint) { ++presses; }
    void OnKeyDown(UINT, UINT, UINT) { ++keys; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CClickedChild, CWnd)
ON_WM_LBUTTONDOWN()
ON_WM_KEYDOWN()
END_MESSAGE_MAP()
} // namespace

TEST(MouseActivate, TheParentsAnswerDecidesFocusAndClick)
{
    const struct
    {
        int answer;
        bool focus;
        bool press;
    } cases[] = {{MA_ACTIVATE, true, true},
                 {MA_ACTIVATEANDEAT, true, false},
                 {MA_NOACTIVATE, false, true},
                 {MA_NOACTIVATEANDEAT, false, false}};
    for (const auto& c : cases)
    {
        CAnsweringParent top;
        ASSERT_TRUE(top.CreateEx(0, nullptr, "Top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr,
                                 0));
        CWnd other;
        ASSERT_TRUE(other.Create(WC_EDIT, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 20), &top, 1));
        CClickedChild child;
        ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 40, 200, 160), &top, 2));
        other.SetFocus();
        Pump();
        ASSERT_EQ(CWnd::GetFocus(), &other);
        top.answer = c.answer;
        UserInput::ClickClient(&child, 50, 50);
        EXPECT_EQ(CWnd::GetFocus() == &child, c.focus) << c.answer;
        EXPECT_EQ(child.presses, c.press ? 1 : 0) << c.answer;
        UserInput::Key(Qt::Key_Up);
        EXPECT_EQ(child.keys, c.focus ? 1 : 0) << c.answer;
        top.DestroyWindow();
    }
}

// The window system may carry out a minimise after the show command that replaced it (a frame
// shown minimised, then maximised, at start-up): the window comes back as last shown. A
// minimise the user makes afterwards stays.
TEST(ShowState, ALateMinimiseOfAReplacedShowCommandIsUndone)
{
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "Top", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), nullptr, 0));
    QWidget* w = top.GetWidget();
    top.ShowWindow(SW_SHOWMINIMIZED);
    top.ShowWindow(SW_SHOWMAXIMIZED);
    ASSERT_TRUE(top.IsZoomed());
    // The window system's late minimise.
    w->setWindowState(w->windowState() | Qt::WindowMinimized);
    PumpFor(20);
    EXPECT_TRUE(top.IsWindowVisible());
    EXPECT_FALSE(top.IsIconic());
    EXPECT_TRUE(top.IsZoomed());
    // The user's own minimise.
    w->setWindowState(w->windowState() | Qt::WindowMinimized);
    PumpFor(20);
    EXPECT_TRUE(top.IsIconic());

    // Shown normal after a minimise: back to normal.
    top.ShowWindow(SW_SHOWMINIMIZED);
    top.ShowWindow(SW_SHOWNORMAL);
    w->setWindowState(w->windowState() | Qt::WindowMinimized);
    PumpFor(20);
    EXPECT_FALSE(top.IsIconic());
    EXPECT_FALSE(top.IsZoomed());
    // A minimise asked for and not replaced is carried out.
    top.ShowWindow(SW_SHOWMINIMIZED);
    w->setWindowState(w->windowState() | Qt::WindowMinimized);
    PumpFor(20);
    EXPECT_TRUE(top.IsIconic());
    top.DestroyWindow();
}

// Tab moves through a dialog's items in their order as a user presses it, whichever widget of
// an item holds Qt's focus (an editable combo's line, a spin's line), and Shift+Tab goes back.
namespace
{
constexpr UINT IDD_TAB_ORDER = 9450;
const DLGITEM_TABLE kTabItems[] = {
    {DLGI_LTEXT, IDC_STATIC, "Name:", 7, 9, 40, 8},
    {DLGI_EDITTEXT, 3001, "", 50, 7, 100, 14},
    {DLGI_COMBOBOX, 3002, "", 50, 25, 100, 60, CBS_DROPDOWN},
    {DLGI_COMBOBOX, 3003, "", 50, 43, 100, 60, CBS_DROPDOWNLIST},
    {DLGI_AUTOCHECKBOX, 3004, "Enabled", 7, 61, 60, 10},
    {DLGI_LISTBOX, 3005, "", 7, 75, 60, 30, WS_TABSTOP},
    {DLGI_PUSHBUTTON, 3006, "Apply", 7, 110, 50, 14},
    {DLGI_DEFPUSHBUTTON, IDOK, "OK", 60, 110, 50, 14},
};
const DLGTEMPLATE_TABLE kTabOrder = {IDD_TAB_ORDER,
                                     "Tab order",
                                     "MS Shell Dlg",
                                     8,
                                     0,
                                     0,
                                     170,
                                     130,
                                     DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                     0,
                                     kTabItems,
                                     AFX_DLGITEM_COUNT(kTabItems)};
const CDialogTemplateRegistrar registerTabOrder(&kTabOrder);
} // namespace

TEST(DialogTab, TabFollowsTheItemsInTheirOrderAndShiftTabGoesBack)
{
    CDialog dlg(IDD_TAB_ORDER);
    ASSERT_TRUE(dlg.Create(IDD_TAB_ORDER));
    dlg.ShowWindow(SW_SHOW);
    dlg.GetDlgItem(3001)->SetFocus();
    Pump();
    const auto focused = [] {
        CWnd* f = CWnd::GetFocus();
        return f ? f->GetDlgCtrlID() : 0;
    };
    std::vector<int> forward{focused()};
    for (int i = 0; i < 7; ++i)
    {
        UserInput::Key(Qt::Key_Tab);
        forward.push_back(focused());
    }
    EXPECT_EQ(forward, (std::vector<int>{3001, 3002, 3003, 3004, 3005, 3006, IDOK, 3001}));
    std::vector<int> back;
    for (int i = 0; i < 3; ++i)
    {
        UserInput::Key(Qt::Key_Backtab, Qt::ShiftModifier);
        back.push_back(focused());
    }
    EXPECT_EQ(back, (std::vector<int>{IDOK, 3006, 3005}));
    dlg.DestroyWindow();
}

// The main window comes up as its stored placement says: maximised when it was closed so,
// normal when it was closed normal.
TEST(ShowState, TheMainFrameComesUpAsItsStoredPlacementSays)
{
    using smallprogram::CTestApp;
    using smallprogram::CTestFrame;
    const auto exit = [](CTestFrame* frame) {
        ModalHook::AnswerMessageBox(IDYES);
        frame->SendMessage(WM_COMMAND, ID_APP_EXIT);
        Pump();
    };
    for (const bool maximised : {true, false, true})
    {
        CTestApp app;
        CTestFrame* frame = app.Start();
        ASSERT_NE(frame, nullptr);
        frame->ShowWindow(maximised ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
        Pump();
        exit(frame);
        CTestApp next;
        frame = next.Start();
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(frame->IsWindowVisible());
        EXPECT_FALSE(frame->IsIconic());
        EXPECT_EQ(frame->IsZoomed() != FALSE, maximised);
        exit(frame);
    }
}

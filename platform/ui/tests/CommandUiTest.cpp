// Commands of the small program: routing from the view through the document and the frame to
// the application, menu items brought up to date just before their menu opens, greyed items
// that never run, toolbar buttons updated on idle, accelerators, and the status-bar command.
#include "SmallProgram.h"

#include "platform/ui/CmdUI.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QThread>
#include <gtest/gtest.h>

using namespace smallprogram;

namespace
{
QMenu* MenuBarPopup(CTestFrame* frame, const QString& title)
{
    auto* bar = qobject_cast<QMenuBar*>(frame->m_wndMenuBar.GetWidget());
    if (!bar)
        return nullptr;
    for (QAction* a : bar->actions())
        if (a->text() == title)
            return a->menu();
    return nullptr;
}

QAction* ActionOf(QMenu* menu, const QString& text)
{
    for (QAction* a : menu->actions())
        if (a->text() == text)
            return a;
    return nullptr;
}
} // namespace

TEST(CommandUiTest, EachCommandReachesTheTargetThatHandlesIt)
{
    CTestApp app;
    CTestFrame* frame = app.Start();
    ASSERT_NE(frame, nullptr);
    for (UINT id : {ID_VIEW_COUNT, ID_DOC_COMMAND, ID_FRAME_COMMAND, ID_APP_COMMAND})
        EXPECT_TRUE(AfxChooseMenuItem(frame, id)) << id;
    EXPECT_EQ(Log(), (std::vector<std::string>{"view:9320", "doc:9321", "frame:9322", "app:9323"}));

    // A command every target takes and passes on goes view, document, frame, application.
    Log().clear();
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_EVERYONE, 0), 0);
    EXPECT_EQ(Log(), (std::vector<std::string>{"view:9327", "doc:9327", "frame:9327", "app:9327"}));
}

TEST(CommandUiTest, MenuItemsAreUpdatedBeforeTheirMenuOpens)
{
    CTestApp app;
    CTestFrame* frame = app.Start();
    ASSERT_NE(frame, nullptr);

    // Pane items are checked while their pane shows; both panes start hidden (never stored).
    EXPECT_EQ(AfxGetMenuItemState(frame, ID_PANE_A) & MF_CHECKED, 0u);
    EXPECT_TRUE(AfxChooseMenuItem(frame, ID_PANE_A));
    EXPECT_TRUE(frame->m_paneA.IsVisible());
    EXPECT_NE(AfxGetMenuItemState(frame, ID_PANE_A) & MF_CHECKED, 0u);
    EXPECT_EQ(AfxGetMenuItemState(frame, ID_PANE_B) & MF_CHECKED, 0u);

    struct Case
    {
        UINT id;
        bool greyed;
    } cases[] = {
        {ID_VIEW_COUNT, false},  // the view's handler enables it: the list has rows
        {ID_DOC_COMMAND, false}, // a handler exists: enabled
        {ID_APP_COMMAND, false}, // the application's handler counts too
        {ID_NO_HANDLER, true},   // no handler anywhere: greyed
        {ID_GREYED, true},       // its update handler greys it
        {ID_VIEW_STATUS_BAR, false},
    };
    for (const Case& c : cases)
    {
        const UINT state = AfxGetMenuItemState(frame, c.id);
        ASSERT_NE(state, static_cast<UINT>(-1)) << c.id;
        EXPECT_EQ((state & MF_GRAYED) != 0, c.greyed) << c.id;
    }
    EXPECT_EQ(AfxGetMenuItemState(frame, 4242), static_cast<UINT>(-1));
    EXPECT_STREQ(AfxGetMenuItemText(frame, ID_RENAMED), "&New name");

    // An emptied list greys the view's command the next time the menu opens.
    static_cast<CTestView*>(frame->GetActiveView())->GetListCtrl().DeleteAllItems();
    EXPECT_NE(AfxGetMenuItemState(frame, ID_VIEW_COUNT) & MF_GRAYED, 0u);

    // The menu bar's Qt menus show the same state when they open.
    QMenu* tools = MenuBarPopup(frame, "&Tools");
    ASSERT_NE(tools, nullptr);
    emit tools->aboutToShow();
    QAction* greyed = ActionOf(tools, "&Greyed");
    ASSERT_NE(greyed, nullptr);
    EXPECT_FALSE(greyed->isEnabled());
    EXPECT_FALSE(ActionOf(tools, "&Count\tCtrl+K")->isEnabled());
    EXPECT_TRUE(ActionOf(tools, "&Document command")->isEnabled());
    EXPECT_NE(ActionOf(tools, "&New name"), nullptr);
    QMenu* view = MenuBarPopup(frame, "&View");
    ASSERT_NE(view, nullptr);
    emit view->aboutToShow();
    EXPECT_TRUE(ActionOf(view, "Pane &A")->isChecked());
    EXPECT_FALSE(ActionOf(view, "Pane &B")->isChecked());

    // Triggering a Qt menu action posts the command to the frame.
    Log().clear();
    ActionOf(tools, "&Frame command")->trigger();
    Pump();
    EXPECT_EQ(Log(), (std::vector<std::string>{"frame:9322"}));
}

TEST(CommandUiTest, GreyedCommandsNeverRun)
{
    CTestApp app;
    CTestFrame* frame = app.Start();
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(AfxChooseMenuItem(frame, ID_GREYED));
    EXPECT_FALSE(AfxChooseMenuItem(frame, ID_NO_HANDLER));
    EXPECT_FALSE(AfxChooseMenuItem(frame, 4242));
    // Not even when the command arrives straight from a menu or an accelerator.
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_GREYED, 0), 0);
    EXPECT_TRUE(Log().empty());
}

TEST(CommandUiTest, ToolbarButtonsFollowTheirCommandsOnIdle)
{
    CTestApp app;
    CTestFrame* frame = app.Start();
    ASSERT_NE(frame, nullptr);
    CMFCToolBar& bar = frame->m_wndToolBar;
    ASSERT_EQ(bar.GetCount(), 4);
    EXPECT_EQ(bar.GetItemID(1), 0u);
    EXPECT_EQ(bar.GetButtonStyle(1), TBBS_SEPARATOR);
    EXPECT_STREQ(bar.GetButtonText(0), "Count");
    EXPECT_STREQ(bar.GetButtonText(3), "Pane A");
    EXPECT_EQ(bar.CommandToIndex(ID_PANE_A), 3);

    frame->m_paneA.ShowPane(TRUE, FALSE, TRUE);
    app.OnIdle(0);
    EXPECT_NE(bar.GetButtonStyle(bar.CommandToIndex(ID_NO_HANDLER)) & TBBS_DISABLED, 0u);
    EXPECT_NE(bar.GetButtonStyle(bar.CommandToIndex(ID_PANE_A)) & TBBS_CHECKED, 0u);
    EXPECT_EQ(bar.GetButtonStyle(0) & TBBS_DISABLED, 0u);

    EXPECT_TRUE(bar.ClickButton(0));
    EXPECT_FALSE(bar.ClickButton(bar.CommandToIndex(ID_NO_HANDLER)));
    EXPECT_FALSE(bar.ClickButton(1));
    EXPECT_EQ(Log(), (std::vector<std::string>{"view:9320"}));

    // The same on the idle timer, without anyone asking.
    frame->m_paneA.ShowPane(FALSE, FALSE, FALSE);
    for (int i = 0; i < 40 && (bar.GetButtonStyle(3) & TBBS_CHECKED); ++i)
    {
        Pump(1);
        QThread::msleep(20);
    }
    EXPECT_EQ(bar.GetButtonStyle(3) & TBBS_CHECKED, 0u);
}

TEST(CommandUiTest, AcceleratorKeysSendTheirCommands)
{
    CTestApp app;
    CTestFrame* frame = app.Start();
    ASSERT_NE(frame, nullptr);
    QWidget* list = frame->GetActiveView()->GetWidget();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_K, Qt::ControlModifier, "\x0b");
    QApplication::sendEvent(list, &press);
    EXPECT_EQ(Log(), (std::vector<std::string>{"view:9320"}));

    // Alt+S toggles the status bar; a plain K is no accelerator.
    QKeyEvent alt(QEvent::KeyPress, Qt::Key_S, Qt::AltModifier, "s");
    QApplication::sendEvent(list, &alt);
    EXPECT_TRUE(frame->m_wndStatusBar.GetWidget()->isHidden());
    QKeyEvent plain(QEvent::KeyPress, Qt::Key_K, Qt::NoModifier, "k");
    QApplication::sendEvent(list, &plain);
    EXPECT_EQ(Log().size(), 1u);
}

TEST(CommandUiTest, StatusBarCommandTogglesTheBar)
{
    CTestApp app;
    CTestFrame* frame = app.Start();
    ASSERT_NE(frame, nullptr);
    QWidget* status = frame->m_wndStatusBar.GetWidget();
    ASSERT_EQ(frame->GetControlBar(ID_VIEW_STATUS_BAR), &frame->m_wndStatusBar);
    EXPECT_TRUE(status->isVisible());
    EXPECT_NE(AfxGetMenuItemState(frame, ID_VIEW_STATUS_BAR) & MF_CHECKED, 0u);

    EXPECT_TRUE(AfxChooseMenuItem(frame, ID_VIEW_STATUS_BAR));
    EXPECT_FALSE(status->isVisible());
    EXPECT_EQ(AfxGetMenuItemState(frame, ID_VIEW_STATUS_BAR) & MF_CHECKED, 0u);

    EXPECT_TRUE(AfxChooseMenuItem(frame, ID_VIEW_STATUS_BAR));
    EXPECT_TRUE(status->isVisible());
    EXPECT_STREQ(frame->m_wndStatusBar.GetPaneText(1), "Ready");
}

TEST(CommandUiTest, MenuItemStateGoesIntoItsMenu)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 10, "One");
    menu.AppendMenu(MF_STRING, 11, "Two");
    CMenuCmdUI one(&menu, 0);
    one.m_nID = 10;
    one.Enable(FALSE);
    one.SetCheck(1);
    CMenuCmdUI two(&menu, 1);
    two.m_nID = 11;
    two.SetRadio(TRUE);
    two.SetText("Zwei");
    EXPECT_EQ(menu.GetMenuState(10, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED), MF_GRAYED | MF_CHECKED);
    EXPECT_NE(menu.GetMenuState(11, MF_BYCOMMAND) & MF_CHECKED, 0u);
    CString text;
    menu.GetMenuString(11, text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "Zwei");
    EXPECT_EQ(menu.GetMenuItemID(1), 11u);
}

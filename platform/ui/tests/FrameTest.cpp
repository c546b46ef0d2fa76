// The small program's main frame: where its pieces sit in the window, the layout kept from
// one start to the next (pane visibility under "Workspace\BasePane-<id>"), and the whole
// frame rendered with its children (visual/main_frame.png under the build folder).
#include "SmallProgram.h"

#include "platform/ui/ModalHook.h"
#include "testsupport/FrameProbe.h"

#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QImage>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QToolBar>
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

#ifndef SUITE_VISUAL_DIR
#define SUITE_VISUAL_DIR "visual"
#endif

using namespace smallprogram;

namespace
{
// Closes the program as its user does: Exit, then Yes.
void Exit(CTestFrame* frame)
{
    ModalHook::AnswerMessageBox(IDYES);
    ASSERT_TRUE(AfxChooseMenuItem(frame, ID_APP_EXIT));
    Pump();
}
} // namespace

TEST(FrameTest, PiecesSitWhereAFrameKeepsThem)
{
    CTestApp app;
    CTestFrame* frame = app.Start();
    ASSERT_NE(frame, nullptr);
    QMainWindow* window = frame->GetMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->menuWidget(), frame->m_wndMenuBar.GetWidget());
    EXPECT_EQ(window->toolBarArea(qobject_cast<QToolBar*>(frame->m_wndToolBar.GetWidget())),
              Qt::TopToolBarArea);
    EXPECT_EQ(window->dockWidgetArea(frame->m_paneA.GetDockWidget()), Qt::LeftDockWidgetArea);
    EXPECT_EQ(window->dockWidgetArea(frame->m_paneB.GetDockWidget()), Qt::RightDockWidgetArea);
    // The status bar runs along the bottom, below the view.
    QWidget* status = frame->m_wndStatusBar.GetWidget();
    const QPoint statusTop = status->mapTo(window, QPoint(0, 0));
    const QWidget* view = frame->GetActiveView()->GetWidget();
    EXPECT_GE(statusTop.y(), view->mapTo(window, QPoint(0, view->height())).y());
    EXPECT_GE(statusTop.y() + status->height(), window->height() - 4);
    // The bars and panes still count as the frame's children.
    EXPECT_EQ(frame->m_wndStatusBar.GetParent(), frame);
    EXPECT_EQ(frame->m_paneA.GetParentFrame(), frame);
    EXPECT_EQ(frame->m_wndMenuBar.GetParentFrame(), frame);
    EXPECT_STREQ(frame->m_wndMenuBar.GetMenuTitle(2), "&Tools");
    EXPECT_EQ(frame->m_wndMenuBar.GetMenuCount(), 3);
}

TEST(FrameTest, PaneCloseBoxHidesThePaneAndItsClientAreaIsBelowTheTitle)
{
    CTestApp app;
    CTestFrame* frame = app.Start();
    ASSERT_NE(frame, nullptr);
    CTestPane& pane = frame->m_paneA;
    ASSERT_TRUE(AfxChooseMenuItem(frame, ID_PANE_A));
    Pump();
    QDockWidget* dock = pane.GetDockWidget();
    ASSERT_NE(dock, nullptr);
    EXPECT_EQ(dock->windowTitle(), QString("Pane A"));
    CRect client, paneRect;
    pane.GetClientRect(&client);
    pane.GetWindowRect(&paneRect);
    const QPoint dockTop = dock->mapToGlobal(QPoint(0, 0));
    EXPECT_GT(paneRect.top, dockTop.y()); // the title bar is the dock's, above the client area
    EXPECT_LT(client.Height(), dock->height());
    EXPECT_GT(client.Height(), 0);

    const HWND hPane = pane.GetSafeHwnd();
    EXPECT_TRUE(dock->close());
    Pump();
    EXPECT_FALSE(pane.IsVisible());
    EXPECT_TRUE(IsWindow(hPane));
    EXPECT_EQ(AfxGetMenuItemState(frame, ID_PANE_A) & MF_CHECKED, 0u);
    ASSERT_TRUE(AfxChooseMenuItem(frame, ID_PANE_A));
    EXPECT_TRUE(pane.IsVisible());

    // A pane whose window goes takes its dock along.
    QPointer<QDockWidget> guard(dock);
    pane.DestroyWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    EXPECT_EQ(pane.GetDockWidget(), nullptr);
}

// A pane is told (WM_SHOWWINDOW) when its dock is hidden, by ShowPane or the close box, and when
// it is shown again; a tab brought in front of it is no such change.
TEST(FrameTest, APaneIsToldWhenItsDockIsShownOrHidden)
{
    CTestApp app;
    CTestFrame* frame = app.Start();
    ASSERT_NE(frame, nullptr);
    CTestPane& a = frame->m_paneA;
    CTestPane& b = frame->m_paneB;
    a.ShowPane(TRUE, FALSE, FALSE);
    b.ShowPane(TRUE, FALSE, FALSE);
    Pump();
    a.m_shown.clear();
    a.ShowPane(FALSE, FALSE, FALSE);
    a.ShowPane(FALSE, FALSE, FALSE);
    Pump();
    EXPECT_EQ(a.m_shown, std::vector<BOOL>{FALSE});
    ASSERT_TRUE(AfxChooseMenuItem(frame, ID_PANE_A));
    Pump();
    EXPECT_EQ(a.m_shown, (std::vector<BOOL>{FALSE, TRUE}));
    EXPECT_TRUE(a.GetDockWidget()->close());
    Pump();
    EXPECT_EQ(a.m_shown, (std::vector<BOOL>{FALSE, TRUE, FALSE}));

    a.ShowPane(TRUE, FALSE, FALSE);
    ASSERT_TRUE(b.AttachToTabWnd(&a, DM_SHOW, FALSE));
    Pump();
    a.m_shown.clear();
    b.ShowPane(TRUE, FALSE, TRUE);
    Pump();
    EXPECT_FALSE(a.IsVisible());
    EXPECT_TRUE(a.m_shown.empty()) << "behind a tab, not hidden";
    Exit(frame);
}

// Two panes in one place as tabs: the one behind is not seen (nor counted as visible) until it
// is shown, which brings its tab to the front.
TEST(FrameTest, APaneInATabBehindAnotherShowsWhenShown)
{
    CTestApp app;
    CTestFrame* frame = app.Start();
    ASSERT_NE(frame, nullptr);
    CTestPane& a = frame->m_paneA;
    CTestPane& b = frame->m_paneB;
    a.ShowPane(TRUE, FALSE, FALSE);
    b.ShowPane(TRUE, FALSE, FALSE);
    EXPECT_FALSE(a.AttachToTabWnd(&a, DM_SHOW));
    ASSERT_TRUE(b.AttachToTabWnd(&a, DM_SHOW, FALSE));
    Pump();
    QMainWindow* window = frame->GetMainWindow();
    EXPECT_EQ(window->dockWidgetArea(b.GetDockWidget()), Qt::LeftDockWidgetArea);
    EXPECT_TRUE(a.IsVisible());
    EXPECT_FALSE(b.IsVisible());
    EXPECT_TRUE(FrameProbe::PaneRect(&b).isEmpty());

    b.ShowPane(TRUE, FALSE, TRUE);
    Pump();
    EXPECT_TRUE(b.IsVisible());
    EXPECT_FALSE(a.IsVisible());
    EXPECT_FALSE(FrameProbe::PaneRect(&b).isEmpty());
    EXPECT_TRUE(FrameProbe::PaneRect(&a).isEmpty());
    Exit(frame);
}

TEST(FrameTest, LayoutIsKeptFromOneStartToTheNext)
{
    {
        CTestApp app;
        CTestFrame* frame = app.Start();
        ASSERT_NE(frame, nullptr);
        // First start: nothing stored, both panes hidden, the window a good part of the screen.
        EXPECT_GE(frame->GetMainWindow()->width(), 640);
        EXPECT_GE(frame->GetMainWindow()->width(), QGuiApplication::primaryScreen()->availableGeometry().width() * 3 / 4);
        EXPECT_EQ(CDockablePane::GetStoredVisibility(ID_PANE_A), -1);
        EXPECT_FALSE(frame->m_paneA.IsVisible());
        EXPECT_FALSE(frame->m_paneB.IsVisible());
        ASSERT_TRUE(AfxChooseMenuItem(frame, ID_PANE_A));
        ASSERT_TRUE(AfxChooseMenuItem(frame, ID_PANE_B));
        ASSERT_TRUE(AfxChooseMenuItem(frame, ID_PANE_B)); // the user closes B again
        EXPECT_TRUE(frame->m_paneA.IsVisible());

        // A refused exit stores nothing.
        ModalHook::AnswerMessageBox(IDNO);
        frame->SendMessage(WM_CLOSE);
        EXPECT_EQ(CDockablePane::GetStoredVisibility(ID_PANE_A), -1);
        Exit(frame);
        EXPECT_EQ(CDockablePane::GetStoredVisibility(ID_PANE_A), 1);
        EXPECT_EQ(CDockablePane::GetStoredVisibility(ID_PANE_B), 0);
    }
    {
        CTestApp app; // the next start
        CTestFrame* frame = app.Start();
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(frame->m_paneA.IsVisible());
        EXPECT_FALSE(frame->m_paneB.IsVisible());
        EXPECT_NE(AfxGetMenuItemState(frame, ID_PANE_A) & MF_CHECKED, 0u);
        EXPECT_EQ(frame->GetMainWindow()->dockWidgetArea(frame->m_paneA.GetDockWidget()),
                  Qt::LeftDockWidgetArea);

        // The user moves pane A to the bottom, shows B and gives the window a size and place;
        // the next start has it so.
        frame->DockPane(&frame->m_paneA, AFX_IDW_DOCKBAR_BOTTOM);
        ASSERT_TRUE(AfxChooseMenuItem(frame, ID_PANE_B));
        frame->GetMainWindow()->setGeometry(40, 50, 910, 630);
        Exit(frame);
    }
    {
        CTestApp app;
        CTestFrame* frame = app.Start();
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(frame->m_paneA.IsVisible());
        EXPECT_TRUE(frame->m_paneB.IsVisible());
        EXPECT_EQ(frame->GetMainWindow()->dockWidgetArea(frame->m_paneA.GetDockWidget()),
                  Qt::BottomDockWidgetArea);
        EXPECT_EQ(frame->GetMainWindow()->size(), QSize(910, 630));
        EXPECT_EQ(frame->GetMainWindow()->geometry().topLeft(), QPoint(40, 50));
        // Forgetting the layout brings the first start back.
        EXPECT_TRUE(app.CleanState());
        EXPECT_EQ(CDockablePane::GetStoredVisibility(ID_PANE_A), -1);
    }
}

TEST(FrameTest, RecentFilesAndRemovedKeyboardSettingsLiveInTheProfile)
{
    CTestApp app;
    app.SetRegistryKey("Test Maker");
    app.WriteProfileString("Workspace\\Keyboard-0", "Accelerators", "0102");
    app.WriteProfileString("Workspace\\Keyboard-0\\Extra", "Entry", "1");
    app.WriteProfileString("Workspace\\Keyboard-01", "Kept", "1");
    ASSERT_TRUE(app.DelProfileTree("Workspace\\Keyboard-0"));
    EXPECT_STREQ(app.GetProfileString("Workspace\\Keyboard-0", "Accelerators", "gone"), "gone");
    EXPECT_STREQ(app.GetProfileString("Workspace\\Keyboard-0\\Extra", "Entry", "gone"), "gone");
    EXPECT_STREQ(app.GetProfileString("Workspace\\Keyboard-01", "Kept"), "1");

    app.LoadStdProfileSettings(2);
    app.AddToRecentFileList("C:\\a.csv");
    app.AddToRecentFileList("C:\\b.csv");
    app.AddToRecentFileList("C:\\A.CSV"); // the same file again moves to the front
    app.AddToRecentFileList("C:\\c.csv");
    CTestApp next;
    next.SetRegistryKey("Test Maker");
    next.LoadStdProfileSettings(2);
    const CStringList& files = next.GetRecentFileList();
    ASSERT_EQ(files.GetCount(), 2);
    EXPECT_STREQ(files.GetHead(), "C:\\c.csv");
    EXPECT_STREQ(files.GetTail(), "C:\\A.CSV");
}

TEST(FrameTest, WholeFrameRendersWithItsChildren)
{
    CTestApp app;
    CTestFrame* frame = app.Start();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(AfxChooseMenuItem(frame, ID_PANE_A));
    ASSERT_TRUE(AfxChooseMenuItem(frame, ID_PANE_B));
    frame->m_wndStatusBar.SetPaneText(0, "Frame rendered");
    frame->MoveWindow(0, 0, 900, 600);
    Pump();
    const QImage image = frame->RenderToImage();
    ASSERT_EQ(image.size(), QSize(900, 600));
    QDir().mkpath(SUITE_VISUAL_DIR);
    EXPECT_TRUE(image.save(QString(SUITE_VISUAL_DIR) + "/main_frame.png"));

    QMainWindow* window = frame->GetMainWindow();
    auto colourInside = [&](QWidget* w, QColor colour) {
        const QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
        int hits = 0;
        for (int y = r.top() + 4; y < r.bottom() - 4; y += 5)
            for (int x = r.left() + 4; x < r.right() - 4; x += 5)
                hits += image.pixelColor(x, y) == colour;
        return hits;
    };
    // Both panes' insides, and the list view's grey below its rows.
    EXPECT_GT(colourInside(frame->m_paneA.GetDockWidget()->widget(), QColor(0x20, 0x80, 0x20)), 20);
    EXPECT_GT(colourInside(frame->m_paneB.GetDockWidget()->widget(), QColor(0x80, 0x20, 0x80)), 20);
    EXPECT_GT(colourInside(frame->GetActiveView()->GetWidget(), QColor(0xD6, 0xD6, 0xD6)), 20);
    // The menu bar and the status bar take their strips at the top and bottom.
    EXPECT_EQ(frame->m_wndMenuBar.GetWidget()->mapTo(window, QPoint(0, 0)).y(), 0);
    EXPECT_GT(frame->m_wndMenuBar.GetWidget()->height(), 8);
    EXPECT_TRUE(frame->m_wndStatusBar.GetWidget()->isVisible());
}

TEST(FrameTest, PlainTopLevelWindowRendersWithItsChildWindows)
{
    // A top-level window that paints itself, with a pane and a child that paint themselves.
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "Plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200),
                             nullptr, 0));
    CTestPane pane;
    pane.m_colour = RGB(0x20, 0x80, 0x20);
    ASSERT_TRUE(
        pane.Create("Pane", &top, CRect(10, 10, 150, 190), TRUE, 9399, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
    CTestPane child;
    child.m_colour = RGB(0x80, 0x20, 0x80);
    ASSERT_TRUE(
        child.CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(200, 50, 280, 150), &top, 9398));
    Pump();
    const QImage image = top.RenderToImage();
    ASSERT_EQ(image.size(), QSize(300, 200));
    EXPECT_EQ(image.pixelColor(240, 100), QColor(0x80, 0x20, 0x80));
    CRect inside;
    pane.GetWindowRect(&inside);
    top.ScreenToClient(&inside);
    EXPECT_EQ(image.pixelColor(inside.CenterPoint().x, inside.CenterPoint().y), QColor(0x20, 0x80, 0x20));
}

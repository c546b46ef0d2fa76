// Popup menus (answered through the modal hook, and the real Qt menu) and the clipboard.
#include "platform/ui/Clipboard.h"
#include "platform/ui/Menu.h"
#include "platform/ui/ModalHook.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{
constexpr UINT ID_CUT = 100;
constexpr UINT ID_COPY = 101;
constexpr UINT ID_PASTE = 102;
constexpr UINT ID_DEEP = 103;
constexpr UINT IDR_TEST_POPUP = 300;

const MENU_TEMPLATE_ITEM kPopupTemplate[] = {
    {MF_POPUP | MF_END, 0, "Edit"}, {MF_STRING, ID_CUT, "Cu&t"},    {MF_STRING, ID_COPY, "&Copy"},
    {MF_SEPARATOR, 0, nullptr},     {MF_POPUP | MF_END, 0, "More"}, {MF_STRING | MF_END, ID_DEEP, "Deep"},
};

// An owner of popup menus that records the commands and menu initialisations it gets.
class COwner : public CWnd
{
public:
    std::vector<UINT> commands;
    int inits = 0;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(LOWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }
    void OnInitMenuPopup(CMenu*, UINT, BOOL) { ++inits; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwner, CWnd)
ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

void FillEditMenu(CMenu& menu)
{
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, ID_CUT, "Cut"));
    ASSERT_TRUE(menu.AppendMenu(MF_STRING | MF_GRAYED, ID_COPY, "Copy"));
    ASSERT_TRUE(menu.AppendMenu(MF_SEPARATOR));
    ASSERT_TRUE(menu.AppendMenu(MF_STRING | MF_CHECKED, ID_PASTE, "Paste"));
}

class HookOff
{
public:
    HookOff() { ModalHook::Disable(); }
    ~HookOff()
    {
        ModalHook::Enable([](const CString& message) { ADD_FAILURE() << message.GetString(); });
    }
};
} // namespace

TEST(MenuTest, ItemsStatesAndSubmenus)
{
    CMenu menu;
    FillEditMenu(menu);
    EXPECT_EQ(menu.GetMenuItemCount(), 4);
    EXPECT_EQ(menu.GetMenuItemID(0), ID_CUT);
    EXPECT_EQ(menu.GetMenuItemID(2), 0u);
    EXPECT_EQ(menu.GetMenuItemID(9), static_cast<UINT>(-1));
    EXPECT_EQ(menu.GetMenuState(ID_COPY, MF_BYCOMMAND), MF_GRAYED);
    EXPECT_EQ(menu.CheckMenuItem(ID_PASTE, MF_UNCHECKED), MF_CHECKED);
    EXPECT_EQ(menu.CheckMenuItem(ID_CUT, MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(menu.EnableMenuItem(ID_COPY, MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(menu.EnableMenuItem(999, MF_GRAYED), static_cast<UINT>(-1));
    EXPECT_EQ(menu.GetMenuState(ID_CUT, MF_BYCOMMAND), MF_CHECKED);
    EXPECT_EQ(menu.GetMenuState(2, MF_BYPOSITION), MF_SEPARATOR);

    CMenu loaded;
    ASSERT_FALSE(loaded.LoadMenu(IDR_TEST_POPUP));
    AfxRegisterMenuTemplate(IDR_TEST_POPUP, kPopupTemplate);
    ASSERT_TRUE(loaded.LoadMenu(IDR_TEST_POPUP));
    CMenu* edit = loaded.GetSubMenu(0);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetMenuItemCount(), 4);
    CString text;
    edit->GetMenuString(ID_COPY, text, MF_BYCOMMAND);
    EXPECT_EQ(text, "&Copy");
    // Items are found by command through the popups.
    EXPECT_EQ(loaded.CheckMenuItem(ID_DEEP, MF_CHECKED), MF_UNCHECKED);
    const HMENU sub = edit->GetSafeHmenu();
    EXPECT_TRUE(::IsMenu(sub));
    EXPECT_TRUE(loaded.DestroyMenu());
    EXPECT_FALSE(::IsMenu(sub));
}

TEST(MenuTest, TrackPopupMenuReturnsOrPostsTheAnsweredCommand)
{
    COwner owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 200), nullptr, 0));
    CMenu menu;
    FillEditMenu(menu);

    ModalHook::AnswerMenu(ID_PASTE);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN, 10, 10, &owner),
              static_cast<BOOL>(ID_PASTE));
    EXPECT_EQ(owner.inits, 1);
    EXPECT_TRUE(owner.commands.empty());
    ASSERT_EQ(ModalHook::Shown().size(), 1u);
    EXPECT_EQ(ModalHook::Shown()[0].kind, MODAL_RECORD::Menu);
    EXPECT_EQ(ModalHook::Shown()[0].text, "Cut\nCopy\n-\nPaste");

    // Without TPM_RETURNCMD the command is posted to the owner.
    ModalHook::AnswerMenu(ID_CUT);
    EXPECT_TRUE(menu.TrackPopupMenu(TPM_LEFTALIGN, 10, 10, &owner));
    EXPECT_TRUE(owner.commands.empty());
    QElapsedTimer timer;
    timer.start();
    while (owner.commands.empty() && timer.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(owner.commands, std::vector<UINT>{ID_CUT});

    // Dismissing chooses nothing.
    ModalHook::AnswerMenu(0);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 0);
}

TEST(MenuTest, AnsweringAGreyedOrMissingItemFailsTheTest)
{
    std::vector<std::string> failures;
    ModalHook::Enable([&](const CString& message) { failures.push_back(message.GetString()); });
    CMenu menu;
    FillEditMenu(menu);
    ModalHook::AnswerMenu(ID_COPY);
    const BOOL greyed = menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, nullptr);
    ModalHook::AnswerMenu(555);
    const BOOL missing = menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, nullptr);
    const BOOL unanswered = menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, nullptr);
    ModalHook::Enable([](const CString& message) { ADD_FAILURE() << message.GetString(); });
    EXPECT_EQ(greyed, 0);
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(unanswered, 0);
    EXPECT_EQ(failures.size(), 3u);
}

TEST(MenuTest, RealPopupMenuReturnsTheTriggeredItem)
{
    HookOff off;
    CMenu menu;
    FillEditMenu(menu);
    bool sawGreyed = false;
    // Looks for the open menu until it is there, then chooses as a person does: the item made
    // active, then Enter.
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!popup)
            return;
        poll.stop();
        const QList<QAction*> actions = popup->actions();
        ASSERT_EQ(actions.size(), 4);
        sawGreyed = !actions[1]->isEnabled();
        EXPECT_TRUE(actions[2]->isSeparator());
        EXPECT_TRUE(actions[3]->isChecked());
        popup->setActiveAction(actions[3]);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(popup, &enter);
    });
    poll.start();
    // Never left open, whatever happened above.
    QTimer::singleShot(3000, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 20, 20, nullptr), static_cast<BOOL>(ID_PASTE));
    EXPECT_TRUE(sawGreyed);
}

TEST(MenuTest, ClipboardTextRoundTripsInWindows1252)
{
    const char text[] = "12.5\xB0\r\nNext line \x80";
    ASSERT_TRUE(OpenClipboard(nullptr));
    // Only one window has the clipboard open at a time.
    EXPECT_FALSE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, sizeof(text));
    ASSERT_NE(h, nullptr);
    std::memcpy(GlobalLock(h), text, sizeof(text));
    GlobalUnlock(h);
    EXPECT_EQ(SetClipboardData(CF_TEXT, h), h);
    ASSERT_TRUE(CloseClipboard());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("12.5\u00B0\nNext line \u20AC"));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));

    // What another program put there comes back with CR LF, in the code page.
    QGuiApplication::clipboard()->setText(QString::fromUtf8("a\u00E9\nb"));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE got = GetClipboardData(CF_TEXT);
    ASSERT_NE(got, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(got)), "a\xE9\r\nb");
    GlobalUnlock(got);
    HANDLE wide = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(QString::fromUtf16(static_cast<const char16_t*>(GlobalLock(wide))),
              QString::fromUtf8("a\u00E9\r\nb"));
    GlobalUnlock(wide);
    EXPECT_EQ(GetClipboardData(CF_BITMAP), nullptr);
    // Emptied while open, the clipboard is empty when closed.
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
    EXPECT_TRUE(CloseClipboard());
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_FALSE(CloseClipboard());
}

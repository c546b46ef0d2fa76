// The number edit driven offscreen with real key and mouse events: its key rules, clipboard
// commands, range checks, the messages it posts to its parent and to the main window, and
// its in-place mode.
#include "foundation/EditDouble.h"
#include "foundation/WindowMessages.h"
#include "foundation/tests/NumericEditDriver.h"
#include "platform/core/WinApp.h"
#include "platform/ui/ModalHook.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr UINT IDC_NUMBER = 1201;
constexpr UINT IDC_LIST = 1300;

using namespace NumericEditDriver;

// The application's main window and the edits' parent: it writes down the registered
// messages it is posted and the end-of-edit notifications of in-place editors.
class CHost : public CWnd
{
public:
    struct Posted
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Posted> posted;
    struct EndEdit
    {
        UINT_PTR from;
        int item;
        int subItem;
        bool hasText;
        std::string text;
        LPARAM lParam;
    };
    std::vector<EndEdit> ended;

    CHost()
    {
        CreateEx(0, nullptr, "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 460, 360), nullptr, 0);
    }

    int Count(UINT message) const
    {
        int n = 0;
        for (const Posted& p : posted)
            n += p.message == message;
        return n;
    }

    LRESULT OnEditUpdate(WPARAM wParam, LPARAM lParam) { return Note(UM_EDIT_UPDATE, wParam, lParam); }
    LRESULT OnFocusData(WPARAM wParam, LPARAM lParam) { return Note(UM_EDITBOX_FOCUS_DATA, wParam, lParam); }
    LRESULT OnKillFocusData(WPARAM wParam, LPARAM lParam)
    {
        return Note(UM_EDITBOX_KILL_FOCUS_DATA, wParam, lParam);
    }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        const auto* info = reinterpret_cast<const NMLVDISPINFO*>(lParam);
        if (info->hdr.code == LVN_ENDLABELEDIT)
        {
            ended.push_back({info->hdr.idFrom, info->item.iItem, info->item.iSubItem,
                             info->item.pszText != nullptr, info->item.pszText ? info->item.pszText : "",
                             info->item.lParam});
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }

private:
    LRESULT Note(UINT message, WPARAM wParam, LPARAM lParam)
    {
        posted.push_back({message, wParam, lParam});
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHost, CWnd)
ON_REGISTERED_MESSAGE(UM_EDIT_UPDATE, &CHost::OnEditUpdate)
ON_REGISTERED_MESSAGE(UM_EDITBOX_FOCUS_DATA, &CHost::OnFocusData)
ON_REGISTERED_MESSAGE(UM_EDITBOX_KILL_FOCUS_DATA, &CHost::OnKillFocusData)
END_MESSAGE_MAP()

class EditDoubleTest : public EditFixture<CEditDouble, CHost>
{
protected:
    EditDoubleTest() : EditFixture("EditDoubleTest") {}
    bool CreateEdit(CEditDouble& e) override
    {
        return e.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 210, 34), &host,
                        IDC_NUMBER) != FALSE;
    }
};
} // namespace

// ---------------------------------------------------------------------------------------
// Showing values
// ---------------------------------------------------------------------------------------

TEST_F(EditDoubleTest, ShowsNoValueUntilOneIsSetThenTheFormattedNumber)
{
    CEditDouble& e = Make();
    EXPECT_EQ(TextOf(e), "n/a");
    EXPECT_EQ(e.GetValue(), DBL_MAX);
    e.SetValue(1.5);
    EXPECT_EQ(TextOf(e), "1.500");
    EXPECT_EQ(e.GetValue(), 1.5);
    e.SetValue(-2.25);
    EXPECT_EQ(TextOf(e), "-2.250");
    e.SetValue(std::nan(""));
    EXPECT_EQ(TextOf(e), "n/a");
    EXPECT_EQ(e.GetValue(), DBL_MAX);
    // Values beyond what the width holds show its largest number.
    e.SetValue(1e15);
    EXPECT_EQ(TextOf(e), "99999999.999");
    EXPECT_EQ(e.GetLimitText(), 12u);
    EXPECT_EQ(Updates(), 0); // the program's values are not the user's changes
}

TEST_F(EditDoubleTest, FormatOptionsShapeTheText)
{
    struct Case
    {
        const char* name;
        std::function<void(CEditDouble&)> setUp;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {"plus sign", [](CEditDouble& e) { e.SetPlusSign(TRUE); }, 1.5, "+1.500"},
        {"fixed", [](CEditDouble& e) { e.SetFixedFormat(TRUE); }, 1.5, "00000001.500"},
        {"fixed negative", [](CEditDouble& e) { e.SetFixedFormat(TRUE); }, -1.5, "-0000001.500"},
        {"units", [](CEditDouble& e) { e.SetUnits(" m"); }, 2.0, "2.000 m"},
        {"two decimals in six", [](CEditDouble& e) { e.SetFormat(2, 6, 3); }, 12.345, "12.35"},
        {"no decimals", [](CEditDouble& e) { e.SetDecimals(0); }, 7.6, "8"},
    };
    for (const Case& c : cases)
    {
        CEditDouble& e = Make(c.setUp);
        e.SetValue(c.value);
        EXPECT_EQ(TextOf(e), c.text) << c.name;
    }
}

TEST_F(EditDoubleTest, EnabledStateAndBindingToAnExistingEdit)
{
    CEditDouble& e = Make();
    e.SetValue(3.0);
    e.SetEnabled(FALSE);
    EXPECT_EQ(TextOf(e), "n/a");
    EXPECT_FALSE(e.IsWindowEnabled());
    e.SetEnabled(TRUE);
    EXPECT_EQ(TextOf(e), "3.000");
    EXPECT_TRUE(e.IsWindowEnabled());

    // A value and read-only mode set before the window exists apply when it is bound.
    CEdit plain;
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE, CRect(10, 40, 210, 64), &host, IDC_NUMBER + 1));
    plain.SetWindowText("junk");
    const HWND h = plain.UnsubclassWindow();
    CEditDouble bound;
    bound.SetValue(4.5);
    bound.SetReadOnly(TRUE);
    ASSERT_TRUE(bound.SubclassWindow(h));
    EXPECT_EQ(TextOf(bound), "4.500");
    EXPECT_TRUE(bound.GetStyle() & ES_READONLY);
}

// ---------------------------------------------------------------------------------------
// Key rules
// ---------------------------------------------------------------------------------------

TEST_F(EditDoubleTest, KeysEditTheTextSoThatItStaysANumber)
{
    enum Options
    {
        FREE = 0,
        FIXED = 1,
        PLUS = 2
    };
    struct Case
    {
        const char* name;
        int options;
        const char* start;
        int selStart, selEnd;
        const char* keys;
        const char* text;
        int caret;
    };
    const Case cases[] = {
        {"digits and a point", FREE, "", 0, 0, "12.5", "12.5", 4},
        {"typing replaces the selection", FREE, "1.500", 0, 5, "7", "7", 1},
        {"no fourth decimal", FREE, "12.345", 6, 6, "6", "12.345", 6},
        {"digits overwrite full decimals", FREE, "12.345", 3, 3, "9", "12.945", 4},
        {"a leading zero is supplied", FREE, "", 0, 0, ".5", "0.5", 3},
        {"a point with one present moves past it", FREE, "12.5", 0, 0, ".", "12.5", 3},
        {"a point cuts surplus decimals", FREE, "123456", 2, 2, ".", "12.345", 3},
        {"minus only at the front", FREE, "5", 1, 1, "-", "5", 1},
        {"minus at the front", FREE, "5", 0, 0, "-", "-5", 1},
        {"digits go after the sign", FREE, "-5", 0, 0, "3", "-35", 2},
        {"plus needs the plus sign", FREE, "5", 0, 0, "+", "5", 0},
        {"backspace keeps a digit before the point", FREE, "5.25", 1, 1, "\b", "0.25", 0},
        {"a lone zero gives way to a digit", FREE, "5.25", 1, 1, "\b7", "7.25", 1},
        {"backspace with a selection takes only it", FREE, "123", 1, 2, "\b", "13", 1},
        {"letters are ignored", FREE, "12", 2, 2, "ab", "12", 2},
        {"blank steps right and over the point", FREE, "12.5", 1, 1, "  ", "12.5", 4},
        {"nothing past the text limit", FREE, "12345678901", 11, 11, "23", "123456789012", 12},
        {"plus supplied before a first digit", PLUS, "", 0, 0, "5", "+5", 2},
        {"plus and zero supplied before a point", PLUS, "", 0, 0, ".", "+0.", 3},
        {"backspace over a minus leaves plus", PLUS, "-5", 1, 1, "\b", "+5", 1},
        {"fixed: digits, point, decimals", FIXED, "00000001.500", 0, 12, "52.7", "00000052.700", 10},
        {"fixed: backspace zeroes and jumps the point", FIXED, "00000001.500", 9, 9, "\b", "00000000.500", 7},
        {"fixed: blank jumps the point", FIXED, "00000001.500", 7, 7, "  ", "00000001.500", 10},
        {"fixed: no digit at the point", FIXED, "00000001.500", 8, 8, "3", "00000001.500", 8},
        {"fixed: decimals overwrite", FIXED, "00000001.500", 9, 9, "75", "00000001.750", 11},
        {"fixed: minus replaces a leading zero", FIXED, "00000001.500", 0, 0, "-", "-0000001.500", 1},
        {"fixed plus: backspace keeps the sign", FIXED | PLUS, "+0000001.500", 1, 1, "\b", "+0000001.500", 0},
    };
    for (const Case& c : cases)
    {
        CEditDouble& e = Make([&](CEditDouble& d) {
            d.SetFixedFormat((c.options & FIXED) != 0);
            d.SetPlusSign((c.options & PLUS) != 0);
        });
        e.SetWindowText(c.start);
        e.SetSel(c.selStart, c.selEnd);
        Type(e, c.keys);
        EXPECT_EQ(TextOf(e), c.text) << c.name;
        EXPECT_EQ(CaretOf(e), c.caret) << c.name;
    }
}

TEST_F(EditDoubleTest, SignsAndPointsAsTheOptionsAllow)
{
    CEditDouble& noSign = Make([](CEditDouble& e) { e.SetSignAllowed(FALSE); });
    noSign.SetWindowText("5");
    noSign.SetSel(0, 0);
    Type(noSign, "-");
    EXPECT_EQ(TextOf(noSign), "5");

    CEditDouble& whole = Make([](CEditDouble& e) { e.SetDecimals(0); });
    whole.SetWindowText("12");
    whole.SetSel(2, 2);
    Type(whole, ".3");
    EXPECT_EQ(TextOf(whole), "123");

    // "n/a" is no number: typing starts a new one.
    CEditDouble& empty = Make();
    empty.SetSel(1, 1);
    Type(empty, "4");
    EXPECT_EQ(TextOf(empty), "4");
    EXPECT_EQ(empty.GetValue(), 4.0);

    // Units stay at the end while the number is typed.
    CEditDouble& units = Make([](CEditDouble& e) { e.SetUnits(" m"); });
    units.SetValue(1.5);
    units.SetSel(5, 5);
    Type(units, "\b7");
    EXPECT_EQ(TextOf(units), "1.507 m");
    EXPECT_EQ(units.GetValue(), 1.507);
}

// ---------------------------------------------------------------------------------------
// Messages
// ---------------------------------------------------------------------------------------

TEST_F(EditDoubleTest, ChangedValuesArePostedToTheParent)
{
    CEditDouble& e = Make();
    e.SetValue(12.0);
    e.SetSel(2, 2);
    Type(e, "3");
    EXPECT_EQ(TextOf(e), "123.000");
    ASSERT_EQ(Updates(), 1);
    EXPECT_EQ(host.posted[0].wParam, EditUpdateWParam(IDC_NUMBER));
    EXPECT_EQ(LOWORD(host.posted[0].wParam), IDC_NUMBER);
    EXPECT_EQ(host.posted[0].lParam, 0);
    EXPECT_EQ(e.GetValue(), 123.0);
    EXPECT_TRUE(e.GetModified());

    // Keys that move the caret or leave the value as it was post nothing.
    Type(e, " ");
    e.SetSel(7, 7);
    Type(e, "0");
    EXPECT_EQ(Updates(), 1);
    e.SetModified(FALSE);
    EXPECT_FALSE(e.GetModified());
}

TEST_F(EditDoubleTest, TheMaximumRefusesDigitsThatOvershootForGood)
{
    CEditDouble& e = Make([](CEditDouble& d) { d.SetMaximum(360.0); });
    e.SetWindowText("");
    Type(e, "400");
    EXPECT_EQ(TextOf(e), "40");
    EXPECT_EQ(CaretOf(e), 2);

    CEditDouble& lat = Make([](CEditDouble& d) { d.SetRange(-90.0, 90.0); });
    lat.SetWindowText("");
    Type(lat, "-95");
    EXPECT_EQ(TextOf(lat), "-9");
}

TEST_F(EditDoubleTest, AMinimumLetsTheUserTypeUpToItAndHoldsAtFocusLoss)
{
    CEditDouble& e = Make([](CEditDouble& d) { d.SetMinimum(10.0); });
    e.SetFocus();
    e.SetSel(0, -1);
    Type(e, "50");
    EXPECT_EQ(TextOf(e), "50");

    e.SetSel(0, -1);
    Type(e, "5");
    EXPECT_EQ(TextOf(e), "5");
    host.SetFocus(); // focus lost: the value comes back into the range
    EXPECT_EQ(TextOf(e), "10.000");
    EXPECT_EQ(e.GetValue(), 10.0);
    Pump();
    EXPECT_EQ(host.posted.back().message, UM_EDIT_UPDATE);
}

TEST_F(EditDoubleTest, FocusSelectsAllAndTellsTheMainWindow)
{
    CEditDouble& e = Make();
    e.SetValue(2.5);
    e.SetFocus();
    Pump();
    EXPECT_EQ(host.Count(UM_EDITBOX_FOCUS_DATA), 1);
    int start = -1, end = -1;
    e.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 5);

    // A click right after the focus came selects everything again.
    e.SetSel(2, 2);
    QWidget* w = e.GetWidget();
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
    e.GetSel(start, end);
    EXPECT_EQ(end - start, 5);

    // Focus lost: the text is shown formatted again and the changed mark goes.
    e.SetSel(0, -1);
    Type(e, "7.");
    EXPECT_TRUE(e.GetModified());
    host.SetFocus();
    EXPECT_EQ(TextOf(e), "7.000");
    EXPECT_FALSE(e.GetModified());

    // Read-only controls do not ask for the main window's attention.
    CEditDouble& readOnly = Make([](CEditDouble& d) { d.SetReadOnly(TRUE); });
    readOnly.SetFocus();
    Pump();
    EXPECT_EQ(host.Count(UM_EDITBOX_FOCUS_DATA), 0);
}

TEST_F(EditDoubleTest, DestroyingTheControlTellsTheMainWindow)
{
    Make();
    edit.reset();
    Pump();
    EXPECT_EQ(host.Count(UM_EDITBOX_KILL_FOCUS_DATA), 1);
}

// ---------------------------------------------------------------------------------------
// Clipboard and popup menu
// ---------------------------------------------------------------------------------------

TEST_F(EditDoubleTest, CuttingEverythingLeavesZero)
{
    CEditDouble& e = Make();
    e.SetValue(12.345);
    e.SetSel(0, -1);
    Control(e, 'X');
    EXPECT_EQ(TextOf(e), "0");
    EXPECT_EQ(e.GetValue(), 0.0);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "12.345");
    EXPECT_EQ(Updates(), 1);

    CEditDouble& fixed = Make([](CEditDouble& d) { d.SetFixedFormat(TRUE); });
    fixed.SetValue(7.0);
    fixed.SetSel(0, -1);
    Control(fixed, 'X');
    EXPECT_EQ(TextOf(fixed), "00000000.000");
}

TEST_F(EditDoubleTest, CuttingPartKeepsANumber)
{
    struct Case
    {
        const char* name;
        bool fixed;
        const char* start;
        int selStart, selEnd;
        const char* text;
        const char* cut;
    };
    const Case cases[] = {
        {"a leading zero before the point", false, "12.345", 0, 2, "0.345", "12"},
        {"decimals", false, "12.345", 3, 5, "12.5", "34"},
        {"fixed: the places become zeros", true, "00000012.345", 6, 8, "00000000.345", "12"},
    };
    for (const Case& c : cases)
    {
        CEditDouble& e = Make([&](CEditDouble& d) { d.SetFixedFormat(c.fixed); });
        e.SetWindowText(c.start);
        e.SetSel(c.selStart, c.selEnd);
        Control(e, 'X');
        EXPECT_EQ(TextOf(e), c.text) << c.name;
        EXPECT_EQ(QGuiApplication::clipboard()->text(), c.cut) << c.name;
    }
}

TEST_F(EditDoubleTest, DeleteClearsTheSelectionWithoutTheClipboard)
{
    CEditDouble& e = Make();
    e.SetValue(8.25);
    QGuiApplication::clipboard()->setText("kept");
    e.SetSel(0, -1);
    Press(e, Qt::Key_Delete);
    EXPECT_EQ(TextOf(e), "0");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept");
    EXPECT_EQ(Updates(), 1);
    // Without a selection Delete changes nothing.
    e.SetWindowText("8.25");
    e.SetSel(1, 1);
    Press(e, Qt::Key_Delete);
    EXPECT_EQ(TextOf(e), "8.25");
}

TEST_F(EditDoubleTest, PastingANumberFormatsIt)
{
    QGuiApplication::clipboard()->setText("42.5");
    CEditDouble& e = Make();
    e.SetValue(1.0);
    e.SetSel(0, -1);
    Control(e, 'V');
    EXPECT_EQ(TextOf(e), "42.500");
    EXPECT_EQ(e.GetValue(), 42.5);
    EXPECT_EQ(Updates(), 1);

    // What is no number is not pasted, so the value is not lost.
    QGuiApplication::clipboard()->setText("abc");
    e.SetSel(0, -1);
    Control(e, 'V');
    EXPECT_EQ(TextOf(e), "42.500");

    // Insert pastes too; the fixed format lays the whole text out again.
    QGuiApplication::clipboard()->setText("42.5");
    CEditDouble& fixed = Make([](CEditDouble& d) { d.SetFixedFormat(TRUE); });
    fixed.SetValue(3.0);
    fixed.SetSel(0, -1);
    Press(fixed, Qt::Key_Insert);
    EXPECT_EQ(TextOf(fixed), "00000042.500");

    // A long number is cut to what fits the text limit.
    QGuiApplication::clipboard()->setText("123456789012345");
    CEditDouble& narrow = Make([](CEditDouble& d) { d.SetFormat(2, 6); });
    narrow.SetWindowText("");
    Control(narrow, 'V');
    EXPECT_EQ(TextOf(narrow), "999.99"); // 123456 is more than six places hold
}

TEST_F(EditDoubleTest, ReadOnlyCopiesButTakesNoEdits)
{
    CEditDouble& e = Make([](CEditDouble& d) { d.SetReadOnly(TRUE); });
    e.SetValue(6.5);
    e.SetSel(0, -1);
    Control(e, 'C');
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "6.500");
    Type(e, "9");
    Control(e, 'X');
    QGuiApplication::clipboard()->setText("1");
    Control(e, 'V');
    Press(e, Qt::Key_Delete);
    EXPECT_EQ(TextOf(e), "6.500");
    EXPECT_EQ(Updates(), 0);

    // Its popup menu greys Cut and Paste: choosing Paste is no choice the menu offers.
    const auto choosePaste = [&e] {
        ModalHook::AnswerMenu(ID_EDIT_PASTE);
        e.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    };
    EXPECT_NONFATAL_FAILURE(choosePaste(), "no enabled item");
    EXPECT_EQ(TextOf(e), "6.500");
    ModalHook::AnswerMenu(ID_EDIT_COPY);
    QGuiApplication::clipboard()->setText("");
    e.SetSel(0, 1);
    e.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "6");
}

TEST_F(EditDoubleTest, PopupMenuCutsCopiesAndPastes)
{
    CEditDouble& e = Make();
    e.SetValue(5.5);
    e.SetSel(0, -1);
    ModalHook::AnswerMenu(ID_EDIT_CUT);
    QWidget* w = e.GetWidget();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)),
                        Qt::RightButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
    ASSERT_FALSE(ModalHook::Shown().empty());
    EXPECT_EQ(ModalHook::Shown().back().kind, MODAL_RECORD::Menu);
    EXPECT_EQ(ModalHook::Shown().back().text, "Cut\nCopy\nPaste");
    EXPECT_EQ(TextOf(e), "0");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "5.500");
    EXPECT_EQ(Updates(), 1);

    e.SetSel(0, -1);
    ModalHook::AnswerMenu(ID_EDIT_PASTE);
    e.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(TextOf(e), "5.500");
    EXPECT_EQ(Updates(), 2);

    // A dismissed menu changes nothing.
    ModalHook::AnswerMenu(0);
    e.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(Updates(), 2);
}

// ---------------------------------------------------------------------------------------
// In-place editing
// ---------------------------------------------------------------------------------------

namespace
{
struct InPlace
{
    CWnd list;
    CEditDouble edit;

    InPlace(CWnd* host, int width = 60)
    {
        list.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(10, 50, 310, 250), host, IDC_LIST);
        edit.SetInPlace(3, 2, "1.25");
        edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(20, 20, 20 + width, 40), &list,
                    IDC_NUMBER);
        Pump();
    }
};
} // namespace

TEST_F(EditDoubleTest, InPlaceEditorStartsSelectedAndEndsWithTheListNotification)
{
    InPlace cell(&host);
    EXPECT_EQ(TextOf(cell.edit), "1.25");
    EXPECT_EQ(CWnd::GetFocus(), &cell.edit);
    int start = -1, end = -1;
    cell.edit.GetSel(start, end);
    EXPECT_EQ(end - start, 4);
    Type(cell.edit, "7.5");
    Pump();
    EXPECT_EQ(host.Count(UM_EDIT_UPDATE), 0); // posted to the list, its parent
    Type(cell.edit, "\r");
    ASSERT_EQ(host.ended.size(), 1u);
    EXPECT_EQ(host.ended[0].from, IDC_LIST);
    EXPECT_EQ(host.ended[0].item, 3);
    EXPECT_EQ(host.ended[0].subItem, 2);
    EXPECT_TRUE(host.ended[0].hasText);
    EXPECT_EQ(host.ended[0].text, "7.5");
    EXPECT_EQ(host.ended[0].lParam, FALSE);
    EXPECT_EQ(cell.edit.GetSafeHwnd(), nullptr); // it destroyed itself
}

TEST_F(EditDoubleTest, InPlaceEscapeCancelsAndTabIsReported)
{
    {
        InPlace cell(&host);
        Type(cell.edit, "9");
        SendKey(cell.edit.GetWidget(), Qt::Key_Escape, Qt::NoModifier, "\x1b");
        ASSERT_EQ(host.ended.size(), 1u);
        EXPECT_FALSE(host.ended[0].hasText);
        EXPECT_TRUE(cell.edit.WasCancelled());
    }
    {
        InPlace cell(&host);
        SendKey(cell.edit.GetWidget(), Qt::Key_Tab, Qt::NoModifier, "\t");
        ASSERT_EQ(host.ended.size(), 2u);
        EXPECT_EQ(host.ended[1].text, "1.25");
        EXPECT_EQ(host.ended[1].lParam, TRUE);
    }
}

TEST_F(EditDoubleTest, InPlaceEditorWidensToItsTextWithinTheList)
{
    InPlace cell(&host, 30);
    CRect before;
    cell.edit.GetWindowRect(&before);
    cell.edit.SetSel(0, -1);
    Type(cell.edit, "12345678.123");
    CRect after;
    cell.edit.GetWindowRect(&after);
    EXPECT_GT(after.Width(), before.Width());
    CRect list;
    cell.list.GetWindowRect(&list);
    EXPECT_LE(after.right, list.right);
}

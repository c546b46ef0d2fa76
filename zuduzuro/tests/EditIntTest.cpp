// The integer edit driven offscreen with real key events: how it shows values, its key rules,
// the clipboard keys, the range, the focus rules and the messages it posts to its parent.
#include "zuduzuro/EditInt.h"

#include "foundation/WindowMessages.h"
#include "foundation/tests/NumericEditDriver.h"
#include "platform/core/WinApp.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <vector>

namespace
{
using namespace NumericEditDriver;

// The edits' parent and the application's main window: it writes down what it is posted.
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

    LRESULT OnEditUpdate(WPARAM wParam, LPARAM lParam)
    {
        posted.push_back({UM_EDIT_UPDATE, wParam, lParam});
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHost, CWnd)
ON_REGISTERED_MESSAGE(UM_EDIT_UPDATE, &CHost::OnEditUpdate)
END_MESSAGE_MAP()

class EditIntTest : public EditFixture<CEditInt, CHost>
{
protected:
    EditIntTest() : EditFixture("EditIntTest") {}
    bool CreateEdit(CEditInt& e) override { return e.Create(CRect(10, 10, 210, 34), &host) != FALSE; }
};
} // namespace

TEST_F(EditIntTest, CreatedAsTheProgramsIntegerEditWithTheFocus)
{
    edit = std::make_unique<CEditInt>();
    ASSERT_TRUE(edit->Create(CRect(10, 10, 210, 34), &host));
    Pump();
    EXPECT_EQ(edit->GetDlgCtrlID(), 1000);
    EXPECT_EQ(CWnd::GetFocus(), edit.get());
    const DWORD style = edit->GetStyle();
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_TRUE(style & WS_BORDER);
    EXPECT_TRUE(style & ES_AUTOHSCROLL);
    EXPECT_EQ(edit->GetTextLimit(), 5);
    EXPECT_EQ(TextOf(*edit), "0");
    EXPECT_EQ(edit->GetIntValue(), 0);
}

TEST_F(EditIntTest, ShowsTheValueWithItsOptionsOrNoValue)
{
    struct Case
    {
        const char* name;
        std::function<void(CEditInt&)> setUp;
        int value;
        const char* text;
    };
    const Case cases[] = {
        {"plain", nullptr, 42, "42"},
        {"negative", nullptr, -7, "-7"},
        {"units", [](CEditInt& e) { e.SetUnits(" m"); }, 250, "250 m"},
        {"plus sign", [](CEditInt& e) { e.SetPlusSign(TRUE); }, 3, "+3"},
        {"no value", [](CEditInt& e) { e.SetUnits(" m"); }, INT_MAX, "n/a"},
    };
    for (const Case& c : cases)
    {
        CEditInt& e = Make(c.setUp);
        e.SetValue(c.value);
        EXPECT_EQ(TextOf(e), c.text) << c.name;
        EXPECT_EQ(e.GetIntValue(), c.value) << c.name;
    }
    EXPECT_EQ(Updates(), 0); // the program's values are not the user's changes

    CEditInt& e = Make();
    e.SetValue(12);
    e.SetEnabled(FALSE);
    EXPECT_EQ(TextOf(e), "n/a");
    EXPECT_FALSE(e.IsWindowEnabled());
    e.SetEnabled(TRUE);
    EXPECT_EQ(TextOf(e), "12");
    EXPECT_TRUE(e.IsWindowEnabled());
}

TEST_F(EditIntTest, KeysEditTheTextSoThatItStaysAnInteger)
{
    struct Case
    {
        const char* name;
        bool plus;
        const char* start;
        int selStart, selEnd;
        const char* keys;
        const char* text;
        int caret;
    };
    const Case cases[] = {
        {"digits", false, "", 0, 0, "123", "123", 3},
        {"no decimal point", false, "12", 2, 2, ".5", "125", 3},
        {"typing replaces the selection", false, "123", 0, 3, "7", "7", 1},
        {"nothing past the text limit", false, "1234", 4, 4, "56", "12345", 5},
        {"a lone zero gives way", false, "0", 1, 1, "8", "8", 1},
        {"minus at the front only", false, "5", 1, 1, "-", "5", 1},
        {"minus at the front", false, "5", 0, 0, "-", "-5", 1},
        {"digits go after the sign", false, "-5", 0, 0, "3", "-35", 2},
        {"plus needs the plus sign", false, "5", 0, 0, "+", "5", 0},
        {"backspace", false, "123", 2, 2, "\b", "13", 1},
        {"backspace at the start", false, "123", 0, 0, "\b", "123", 0},
        {"blank steps right", false, "123", 0, 0, "  ", "123", 2},
        {"letters are ignored", false, "12", 2, 2, "ab", "12", 2},
        {"plus supplied before a first digit", true, "", 0, 0, "5", "+5", 2},
        {"backspace over a minus leaves plus", true, "-5", 1, 1, "\b", "+5", 1},
    };
    for (const Case& c : cases)
    {
        CEditInt& e = Make([&](CEditInt& d) { d.SetPlusSign(c.plus); });
        e.SetWindowText(c.start);
        e.SetSel(c.selStart, c.selEnd);
        Type(e, c.keys);
        EXPECT_EQ(TextOf(e), c.text) << c.name;
        EXPECT_EQ(CaretOf(e), c.caret) << c.name;
    }

    CEditInt& unsignedEdit = Make([](CEditInt& e) { e.SetSigned(FALSE); });
    unsignedEdit.SetSel(0, 0);
    Type(unsignedEdit, "-");
    EXPECT_EQ(TextOf(unsignedEdit), "0");

    // "n/a" is no number: typing starts a new one, and units stay at the end.
    CEditInt& units = Make([](CEditInt& e) { e.SetUnits(" m"); });
    units.SetValue(INT_MAX);
    units.SetSel(1, 1);
    Type(units, "4");
    EXPECT_EQ(TextOf(units), "4");
    EXPECT_EQ(units.GetIntValue(), 4);
    units.SetValue(15);
    units.SetSel(2, 2);
    Type(units, "\b7");
    EXPECT_EQ(TextOf(units), "17 m");
    EXPECT_EQ(units.GetIntValue(), 17);
}

TEST_F(EditIntTest, ChangedValuesArePostedToTheParent)
{
    CEditInt& e = Make();
    e.SetValue(12);
    e.SetSel(2, 2);
    Type(e, "3");
    EXPECT_EQ(TextOf(e), "123");
    ASSERT_EQ(Updates(), 1);
    EXPECT_EQ(host.posted[0].wParam, EditUpdateWParam(1000));
    EXPECT_EQ(LOWORD(host.posted[0].wParam), 1000);
    EXPECT_EQ(HIWORD(host.posted[0].wParam), static_cast<WORD>(UM_EDIT_UPDATE));
    EXPECT_EQ(host.posted[0].lParam, 0);
    EXPECT_EQ(e.GetIntValue(), 123);
    EXPECT_TRUE(e.GetModified());

    // Keys that leave the value as it was post nothing.
    Type(e, " x");
    EXPECT_EQ(Updates(), 1);

    // Refresh shows the stored value again while it is marked changed.
    e.SetWindowText("99");
    e.Refresh();
    EXPECT_EQ(TextOf(e), "123");
    e.SetEnabled(FALSE);
    e.Refresh();
    EXPECT_EQ(TextOf(e), "n/a");
}

TEST_F(EditIntTest, RangeRefusesDigitsThatOvershootAndHoldsAtFocusLoss)
{
    CEditInt& tug = Make([](CEditInt& d) { d.SetRange(-6, 6); });
    tug.SetWindowText("");
    Type(tug, "7");
    EXPECT_EQ(TextOf(tug), "");
    Type(tug, "-8");
    EXPECT_EQ(TextOf(tug), "-");

    CEditInt& e = Make([](CEditInt& d) { d.SetMinimum(10); });
    e.SetFocus();
    e.SetSel(0, -1);
    Type(e, "5");
    EXPECT_EQ(TextOf(e), "5");
    host.SetFocus(); // focus lost: the value comes back into the range
    EXPECT_EQ(TextOf(e), "10");
    EXPECT_EQ(e.GetIntValue(), 10);
    EXPECT_FALSE(e.GetModified());
    Pump();
    ASSERT_FALSE(host.posted.empty());
    EXPECT_EQ(host.posted.back().message, UM_EDIT_UPDATE);
}

TEST_F(EditIntTest, DeleteTakesTheSelectionOrTheNextCharacterAndAnEmptyNumberIsZero)
{
    CEditInt& e = Make([](CEditInt& d) { d.SetUnits(" m"); });
    e.SetValue(1234);
    e.SetSel(0, 0);
    Press(e, Qt::Key_Delete);
    EXPECT_EQ(TextOf(e), "234 m");
    EXPECT_EQ(e.GetIntValue(), 234);
    e.SetSel(1, 2);
    Press(e, Qt::Key_Delete);
    EXPECT_EQ(TextOf(e), "24 m");
    EXPECT_EQ(CaretOf(e), 1);
    e.SetSel(0, 2);
    Press(e, Qt::Key_Delete);
    EXPECT_EQ(TextOf(e), "0 m");
    EXPECT_EQ(e.GetIntValue(), 0);
    EXPECT_EQ(Updates(), 3);
}

TEST_F(EditIntTest, ClipboardKeysPasteOnlyIntegers)
{
    CEditInt& e = Make();
    e.SetValue(56);
    e.SetSel(0, -1);
    Control(e, 'C');
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "56");

    QGuiApplication::clipboard()->setText(" 42 ");
    e.SetSel(0, -1);
    Press(e, Qt::Key_Insert);
    EXPECT_EQ(TextOf(e), "42");
    EXPECT_EQ(e.GetIntValue(), 42);

    for (const char* junk : {"4.5", "abc", "1-2", ""})
    {
        QGuiApplication::clipboard()->setText(junk);
        e.SetSel(0, -1);
        Control(e, 'V');
        EXPECT_EQ(TextOf(e), "42") << junk;
    }

    e.SetSel(0, 1);
    Control(e, 'X');
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "4");
    EXPECT_EQ(TextOf(e), "2");
}

TEST_F(EditIntTest, ReadOnlyCopiesButTakesNoEdits)
{
    CEditInt& e = Make([](CEditInt& d) { d.SetReadOnly(TRUE); });
    e.SetValue(6);
    e.SetSel(0, -1);
    Control(e, 'C');
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "6");
    Type(e, "9");
    Press(e, Qt::Key_Delete);
    QGuiApplication::clipboard()->setText("1");
    Press(e, Qt::Key_Insert);
    EXPECT_EQ(TextOf(e), "6");
    EXPECT_EQ(Updates(), 0);
}

TEST_F(EditIntTest, FocusResetsTextTooLongForTheLimit)
{
    CEditInt& e = Make([](CEditInt& d) { d.SetUnits(" m"); });
    e.SetWindowText("1234567 m");
    e.SetFocus();
    Pump();
    EXPECT_EQ(TextOf(e), "0 m");
    int start = 0, end = 0;
    e.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 3);
    host.SetFocus();
    EXPECT_EQ(e.GetIntValue(), 0);
}

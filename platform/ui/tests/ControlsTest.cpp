// The standard controls driven offscreen: real Qt key and mouse events on their widgets, the
// notifications their parent gets, the values they hold and, where drawing matters, pixels.
#include "platform/core/SysColor.h"
#include "platform/ui/Button.h"
#include "platform/ui/Colour.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ProgressCtrl.h"
#include "platform/ui/SliderCtrl.h"
#include "platform/ui/SpinButtonCtrl.h"
#include "platform/ui/Static.h"
#include "platform/ui/ToolTipCtrl.h"
#include "platform/ui/tests/Canvas.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace
{
void PumpEvents()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

bool PumpUntil(const std::function<bool()>& done, int milliseconds = 2000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

void SendKey(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
             const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}

void Type(QWidget* w, const char* text)
{
    for (const char* p = text; *p; ++p)
    {
        const char c = *p;
        int key = c;
        if (c >= 'a' && c <= 'z')
            key = Qt::Key_A + (c - 'a');
        else if (c == '.')
            key = Qt::Key_Period;
        SendKey(w, key, Qt::NoModifier, QString(QChar(c)));
    }
}

void Click(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(QPointF(at)), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(QPointF(at)), button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

COLORREF PixelAt(const QImage& image, int x, int y)
{
    return ColorRefFromQRgb(image.pixel(x, y));
}

int CountColour(const QImage& image, COLORREF colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += PixelAt(image, x, y) == colour;
    return n;
}

// The largest green level of the image's pixels, and the smallest: text in white on blue
// shows in the first, black text in the second, whatever the glyphs' smoothing.
int Brightest(const QImage& image)
{
    int best = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            best = std::max(best, qGreen(image.pixel(x, y)));
    return best;
}

int Darkest(const QImage& image)
{
    int best = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            best = std::min(best, qGreen(image.pixel(x, y)));
    return best;
}

// A top-level window that writes down what its children tell it.
class CRecorder : public CWnd
{
public:
    struct Note
    {
        UINT id;
        UINT code;
        int check; // the sender's check state when the note came, for buttons
    };
    std::vector<Note> commands;
    std::vector<std::pair<UINT, UINT>> scrolls; // (message, wParam)
    std::vector<NMUPDOWN> deltas;
    std::vector<DRAWITEMSTRUCT> drawn;
    LRESULT deltaAnswer = 0;
    HBRUSH staticBrush = nullptr;
    COLORREF staticText = CLR_INVALID;
    int ctlColors = 0;

    CRecorder()
    {
        CreateEx(0, nullptr, "Controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 560, 460), nullptr,
                 0);
    }

    int Count(UINT id, UINT code) const
    {
        int n = 0;
        for (const Note& note : commands)
            n += note.id == id && note.code == code;
        return n;
    }

    // Noted after the base has offered the notification back to the control, as a handler of
    // the parent's map sees it.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        const BOOL handled = CWnd::OnCommand(wParam, lParam);
        int check = -1;
        if (CWnd* sender = CWnd::FromHandle(reinterpret_cast<HWND>(lParam)))
            check = static_cast<int>(sender->SendMessage(BM_GETCHECK));
        commands.push_back({LOWORD(wParam), HIWORD(wParam), check});
        return handled;
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == UDN_DELTAPOS)
        {
            deltas.push_back(*reinterpret_cast<NMUPDOWN*>(lParam));
            *pResult = deltaAnswer;
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
    void OnHScroll(UINT code, UINT pos, CScrollBar*)
    {
        scrolls.emplace_back(WM_HSCROLL, MAKELONG(code, pos));
    }
    void OnVScroll(UINT code, UINT pos, CScrollBar*)
    {
        scrolls.emplace_back(WM_VSCROLL, MAKELONG(code, pos));
    }
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
    {
        drawn.push_back(*lpDrawItemStruct);
        CWnd::OnDrawItem(nIDCtl, lpDrawItemStruct);
    }
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        ++ctlColors;
        if (nCtlColor == CTLCOLOR_STATIC && staticBrush)
        {
            if (staticText != CLR_INVALID)
                pDC->SetTextColor(staticText);
            pDC->SetBkMode(TRANSPARENT);
            return staticBrush;
        }
        return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecorder, CWnd)
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_DRAWITEM()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

constexpr UINT IDC_ONE = 101;
constexpr UINT IDC_TWO = 102;
constexpr UINT IDC_THREE = 103;
constexpr UINT IDC_FOUR = 104;

CString TextOf(const CWnd& wnd)
{
    CString text;
    wnd.GetWindowText(text);
    return text;
}

void SetClipboard(const char* text)
{
    QGuiApplication::clipboard()->setText(QString::fromLatin1(text));
}

QString ClipboardText()
{
    return QGuiApplication::clipboard()->text();
}
} // namespace

// ---------------------------------------------------------------------------------------
// Edit
// ---------------------------------------------------------------------------------------

TEST(EditControl, TypingNotifiesChangesAndFocusToTheParent)
{
    CRecorder parent;
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 200, 34),
                            &parent, IDC_ONE));
    EXPECT_EQ(parent.Count(IDC_ONE, EN_CHANGE), 0); // creation is silent
    edit.SetFocus();
    EXPECT_EQ(parent.Count(IDC_ONE, EN_SETFOCUS), 1);
    Type(edit.GetWidget(), "ab");
    EXPECT_EQ(TextOf(edit), "ab");
    EXPECT_EQ(parent.Count(IDC_ONE, EN_UPDATE), 2);
    EXPECT_EQ(parent.Count(IDC_ONE, EN_CHANGE), 2);
    EXPECT_TRUE(edit.GetModify());
    // SetWindowText of a single-line edit notifies too and clears the modified flag.
    edit.SetWindowText("xyz");
    EXPECT_EQ(parent.Count(IDC_ONE, EN_CHANGE), 3);
    EXPECT_FALSE(edit.GetModify());
    CEdit other;
    ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, CRect(10, 40, 200, 64), &parent, IDC_TWO));
    other.SetFocus();
    EXPECT_EQ(parent.Count(IDC_ONE, EN_KILLFOCUS), 1);
}

TEST(EditControl, SelectionReplaceAndLimit)
{
    CRecorder parent;
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 34), &parent, IDC_ONE));
    edit.SetWindowText("Hello world");
    edit.SetSel(0, -1);
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 11);
    EXPECT_EQ(edit.GetSel(), MAKELONG(0, 11));
    edit.SetSel(6, 11);
    edit.ReplaceSel("there");
    EXPECT_EQ(TextOf(edit), "Hello there");
    edit.GetSel(start, end);
    EXPECT_EQ(start, 11);
    EXPECT_EQ(end, 11);
    // SetSel(-1, 0) drops the selection, keeping the caret.
    edit.SetSel(0, 5);
    edit.SetSel(-1, 0);
    edit.GetSel(start, end);
    EXPECT_EQ(start, end);

    // The limit refuses typing beyond it (EN_MAXTEXT) but never cuts text that is set.
    edit.LimitText(5);
    EXPECT_EQ(edit.GetLimitText(), 5u);
    EXPECT_EQ(TextOf(edit), "Hello there");
    edit.SetWindowText("abc");
    edit.SetFocus();
    edit.SetSel(3, 3);
    Type(edit.GetWidget(), "defg");
    EXPECT_EQ(TextOf(edit), "abcde");
    EXPECT_EQ(parent.Count(IDC_ONE, EN_MAXTEXT), 2);
    edit.SetWindowText("a longer text than five");
    EXPECT_EQ(TextOf(edit), "a longer text than five");
}

TEST(EditControl, ClipboardCommandsUndoAndReadOnly)
{
    CRecorder parent;
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 34), &parent, IDC_ONE));
    edit.SetWindowText("12345");
    edit.SetSel(1, 3);
    edit.Cut();
    EXPECT_EQ(TextOf(edit), "145");
    EXPECT_EQ(ClipboardText(), "23");
    edit.SetSel(3, 3);
    edit.Paste();
    EXPECT_EQ(TextOf(edit), "14523");
    EXPECT_TRUE(edit.CanUndo());
    edit.Undo();
    EXPECT_EQ(TextOf(edit), "145");
    edit.SetSel(0, 1);
    edit.Clear();
    EXPECT_EQ(TextOf(edit), "45");

    // A paste is cut to the limit; a single-line edit takes the first line only.
    edit.LimitText(4);
    SetClipboard("6789\r\nnext");
    edit.SetSel(2, 2);
    edit.Paste();
    EXPECT_EQ(TextOf(edit), "4567");
    EXPECT_GE(parent.Count(IDC_ONE, EN_MAXTEXT), 1);

    // Ctrl+V and Ctrl+X act at WM_CHAR, as Windows' edit does.
    edit.LimitText(0);
    edit.SetFocus();
    edit.SetSel(0, 2);
    SendKey(edit.GetWidget(), Qt::Key_X, Qt::ControlModifier, QString(QChar(24)));
    EXPECT_EQ(TextOf(edit), "67");
    EXPECT_EQ(ClipboardText(), "45");
    edit.SetSel(2, 2);
    SendKey(edit.GetWidget(), Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
    EXPECT_EQ(TextOf(edit), "6745");

    // Read-only: copies, but neither cuts, pastes nor takes keys.
    edit.SetReadOnly(TRUE);
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
    edit.SetSel(0, 2);
    edit.Copy();
    EXPECT_EQ(ClipboardText(), "67");
    edit.Cut();
    edit.Paste();
    Type(edit.GetWidget(), "9");
    EXPECT_EQ(TextOf(edit), "6745");
}

TEST(EditControl, NumberStyleRefusesOtherCharacters)
{
    CRecorder parent;
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_NUMBER, CRect(10, 10, 200, 34), &parent, IDC_ONE));
    edit.SetFocus();
    Type(edit.GetWidget(), "1a2.3");
    EXPECT_EQ(TextOf(edit), "123");
}

TEST(EditControl, MultiLineCountsCrLfAsTwoPositions)
{
    CRecorder parent;
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, CRect(10, 10, 200, 120),
                            &parent, IDC_ONE));
    edit.SetWindowText("one\r\ntwo\r\nthree");
    EXPECT_EQ(parent.Count(IDC_ONE, EN_CHANGE), 0); // a multi-line SetWindowText is silent
    EXPECT_EQ(TextOf(edit), "one\r\ntwo\r\nthree");
    EXPECT_EQ(edit.GetWindowTextLength(), 15);
    EXPECT_EQ(edit.GetLineCount(), 3);
    EXPECT_EQ(edit.LineIndex(1), 5);
    EXPECT_EQ(edit.LineIndex(2), 10);
    EXPECT_EQ(edit.LineLength(10), 5);
    EXPECT_EQ(edit.LineFromChar(7), 1);
    char line[16] = {};
    EXPECT_EQ(edit.GetLine(2, line, sizeof(line)), 5);
    EXPECT_EQ(std::string(line, 5), "three");
    edit.SetSel(5, 8);
    int start = 0, end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 5);
    EXPECT_EQ(end, 8);
    edit.ReplaceSel("2nd");
    EXPECT_EQ(TextOf(edit), "one\r\n2nd\r\nthree");
    // A click on the last line puts the caret there.
    const CPoint third = edit.PosFromChar(12);
    auto* area = qobject_cast<QAbstractScrollArea*>(edit.GetWidget());
    ASSERT_NE(area, nullptr);
    QWidget* viewport = area->viewport();
    Click(viewport, viewport->mapFrom(edit.GetWidget(), QPoint(third.x, third.y + 3)));
    EXPECT_EQ(edit.LineFromChar(-1), 2);
    // Enter types a line break.
    edit.SetFocus();
    edit.SetSel(3, 3);
    SendKey(edit.GetWidget(), Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(TextOf(edit), "one\r\n\r\n2nd\r\nthree");
}

// ---------------------------------------------------------------------------------------
// Buttons
// ---------------------------------------------------------------------------------------

TEST(ButtonControl, ClicksNotifyTheParentAndAutoButtonsCheckFirst)
{
    CRecorder parent;
    CButton push, check, tri, manual;
    ASSERT_TRUE(
        push.Create("Push", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 110, 40), &parent, IDC_ONE));
    ASSERT_TRUE(check.Create("Check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(10, 50, 110, 70),
                             &parent, IDC_TWO));
    ASSERT_TRUE(tri.Create("Three", WS_CHILD | WS_VISIBLE | BS_AUTO3STATE, CRect(10, 80, 110, 100), &parent,
                           IDC_THREE));
    ASSERT_TRUE(manual.Create("Manual", WS_CHILD | WS_VISIBLE | BS_CHECKBOX, CRect(10, 110, 110, 130),
                              &parent, IDC_FOUR));

    Click(push.GetWidget(), QPoint(20, 10));
    EXPECT_EQ(parent.Count(IDC_ONE, BN_CLICKED), 1);
    push.Click();
    EXPECT_EQ(parent.Count(IDC_ONE, BN_CLICKED), 2);
    push.SetCheck(BST_CHECKED); // push buttons have no check
    EXPECT_EQ(push.GetCheck(), BST_UNCHECKED);

    Click(check.GetWidget(), QPoint(5, 5));
    ASSERT_EQ(parent.commands.back().id, IDC_TWO);
    EXPECT_EQ(parent.commands.back().check, BST_CHECKED); // checked before the parent heard
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    Click(check.GetWidget(), QPoint(5, 5));
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
    // Space clicks the focused button.
    check.SetFocus();
    SendKey(check.GetWidget(), Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);

    std::vector<int> cycle;
    for (int i = 0; i < 3; ++i)
    {
        tri.Click();
        cycle.push_back(tri.GetCheck());
    }
    EXPECT_EQ(cycle, (std::vector<int>{BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}));

    manual.Click();
    EXPECT_EQ(parent.Count(IDC_FOUR, BN_CLICKED), 1);
    EXPECT_EQ(manual.GetCheck(), BST_UNCHECKED);
    manual.SetCheck(BST_CHECKED);
    EXPECT_EQ(manual.GetCheck(), BST_CHECKED);
    EXPECT_EQ(manual.GetState() & BST_CHECKED, static_cast<UINT>(BST_CHECKED));

    // A disabled button takes no clicks.
    push.EnableWindow(FALSE);
    push.Click();
    EXPECT_EQ(parent.Count(IDC_ONE, BN_CLICKED), 2);
}

TEST(ButtonControl, AutoRadioButtonsClearOnlyTheirGroup)
{
    CRecorder parent;
    CButton a, b, c, d;
    ASSERT_TRUE(a.Create("A", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, CRect(10, 10, 90, 30),
                         &parent, IDC_ONE));
    ASSERT_TRUE(
        b.Create("B", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(10, 40, 90, 60), &parent, IDC_TWO));
    ASSERT_TRUE(
        c.Create("C", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(10, 70, 90, 90), &parent, IDC_THREE));
    ASSERT_TRUE(d.Create("D", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, CRect(10, 100, 90, 120),
                         &parent, IDC_FOUR));
    d.SetCheck(BST_CHECKED);
    a.Click();
    b.Click();
    EXPECT_EQ(a.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(b.GetCheck(), BST_CHECKED);
    EXPECT_EQ(c.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(d.GetCheck(), BST_CHECKED); // another group
    EXPECT_EQ(parent.GetCheckedRadioButton(IDC_ONE, IDC_THREE), static_cast<int>(IDC_TWO));
}

namespace
{
// An owner-drawn button that paints itself red, green when pressed.
class CRedButton : public CButton
{
public:
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        CDC* dc = CDC::FromHandle(lpDIS->hDC);
        dc->FillSolidRect(&lpDIS->rcItem, (lpDIS->itemState & ODS_SELECTED) ? kGreen : kRed);
    }
};
} // namespace

TEST(ButtonControl, OwnerDrawnButtonsAskTheParentWhichHandsBackToTheButton)
{
    CRecorder parent;
    CRedButton button;
    ASSERT_TRUE(button.Create("Owner", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(20, 30, 100, 60), &parent,
                              IDC_ONE));
    QImage image = button.RenderToImage();
    ASSERT_FALSE(parent.drawn.empty());
    const DRAWITEMSTRUCT& dis = parent.drawn.back();
    EXPECT_EQ(dis.CtlType, static_cast<UINT>(ODT_BUTTON));
    EXPECT_EQ(dis.CtlID, IDC_ONE);
    EXPECT_EQ(dis.hwndItem, button.GetSafeHwnd());
    EXPECT_EQ(CRect(dis.rcItem), CRect(0, 0, 80, 30));
    EXPECT_EQ(dis.itemState & ODS_SELECTED, 0u);
    EXPECT_EQ(image.size(), QSize(80, 30));
    EXPECT_EQ(CountColour(image, kRed), 80 * 30);
    button.SetState(TRUE);
    image = button.RenderToImage();
    EXPECT_TRUE(parent.drawn.back().itemState & ODS_SELECTED);
    EXPECT_EQ(CountColour(image, kGreen), 80 * 30);
}

namespace
{
// Notes the state its drawing is asked for.
class CProbeButton : public CMFCButton
{
public:
    UINT lastState = 0;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        lastState = lpDIS->itemState;
        CMFCButton::DrawItem(lpDIS);
    }
};
} // namespace

TEST(ButtonControl, MfcButtonDrawsItsFaceAndActsAsTheCheckBoxItReplaced)
{
    CRecorder parent;
    CMFCButton face;
    ASSERT_TRUE(
        face.Create("Face", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 110, 40), &parent, IDC_ONE));
    EXPECT_EQ(face.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_OWNERDRAW));
    face.SetFaceColor(RGB(10, 200, 30));
    QImage image = face.RenderToImage();
    EXPECT_EQ(PixelAt(image, 10, 15), RGB(10, 200, 30));

    // Bound to an existing check box it keeps acting as one.
    CButton maker;
    ASSERT_TRUE(maker.Create("Tick", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(10, 50, 110, 70), &parent,
                             IDC_TWO));
    const HWND h = maker.UnsubclassWindow();
    CProbeButton check;
    ASSERT_TRUE(check.SubclassWindow(h));
    EXPECT_TRUE(check.IsCheckBox());
    EXPECT_EQ(check.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_OWNERDRAW));
    Click(check.GetWidget(), QPoint(10, 10));
    EXPECT_TRUE(check.IsChecked());
    EXPECT_EQ(parent.commands.back().id, IDC_TWO);
    EXPECT_EQ(parent.commands.back().check, BST_CHECKED); // the parent saw it checked
    check.RenderToImage();
    EXPECT_TRUE(check.lastState & ODS_CHECKED);
    EXPECT_TRUE(check.lastState & ODS_SELECTED); // shown pressed while checked
    check.Click();
    EXPECT_FALSE(check.IsChecked());

    // Hovering highlights until the mouse leaves.
    face.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(face.IsHighlighted());
    face.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(face.IsHighlighted());
}

// ---------------------------------------------------------------------------------------
// Static
// ---------------------------------------------------------------------------------------

TEST(StaticControl, PaintsWithTheColoursItsParentChooses)
{
    CRecorder parent;
    CBrush blue(kBlue);
    parent.staticBrush = blue;
    parent.staticText = kWhite;
    CStatic label;
    ASSERT_TRUE(
        label.Create("MMMM", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 10, 110, 40), &parent, IDC_ONE));
    EXPECT_EQ(TextOf(label), "MMMM");
    const QImage image = label.RenderToImage();
    EXPECT_GT(parent.ctlColors, 0);
    EXPECT_EQ(PixelAt(image, 99, 29), kBlue); // filled with the brush
    EXPECT_GT(Brightest(image), 200);         // written in the text colour
    // Without an answer: the button face and the window text colour.
    parent.staticBrush = nullptr;
    const QImage plain = label.RenderToImage();
    EXPECT_EQ(PixelAt(plain, 99, 29), GetSysColor(COLOR_BTNFACE));
    EXPECT_LT(Darkest(plain), 60);
}

TEST(StaticControl, NotifiesClicksOnlyWithTheNotifyStyle)
{
    CRecorder parent;
    CStatic quiet, noisy;
    ASSERT_TRUE(quiet.Create("quiet", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 30), &parent, IDC_ONE));
    ASSERT_TRUE(
        noisy.Create("noisy", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(10, 40, 110, 60), &parent, IDC_TWO));
    EXPECT_TRUE(quiet.GetWidget()->testAttribute(Qt::WA_TransparentForMouseEvents));
    Click(noisy.GetWidget(), QPoint(5, 5));
    EXPECT_EQ(parent.Count(IDC_TWO, STN_CLICKED), 1);
    noisy.SetWindowText("changed");
    EXPECT_EQ(TextOf(noisy), "changed");
}

// ---------------------------------------------------------------------------------------
// Combo boxes and image lists
// ---------------------------------------------------------------------------------------

TEST(ComboBoxControl, ItemsSearchAndSelection)
{
    CRecorder parent;
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT, CRect(10, 10, 200, 300),
                             &parent, IDC_ONE));
    // The window is one field high; the height given is the list's.
    CRect rc;
    combo.GetWindowRect(&rc);
    EXPECT_LT(rc.Height(), 60);

    EXPECT_EQ(combo.AddString("pear"), 0);
    EXPECT_EQ(combo.AddString("Apple"), 0); // sorted without regard to case
    EXPECT_EQ(combo.AddString("banana"), 1);
    EXPECT_EQ(combo.InsertString(-1, "aardvark"), 3); // inserting never sorts
    EXPECT_EQ(combo.GetCount(), 4);
    CString text;
    combo.GetLBText(2, text);
    EXPECT_EQ(text, "pear");
    EXPECT_EQ(combo.GetLBTextLen(1), 6);
    EXPECT_EQ(combo.SetItemData(1, 0xDEADBEEF), TRUE);
    EXPECT_EQ(combo.GetItemData(1), static_cast<DWORD_PTR>(0xDEADBEEF));
    EXPECT_EQ(combo.GetItemData(9), static_cast<DWORD_PTR>(static_cast<LRESULT>(CB_ERR)));

    EXPECT_EQ(combo.FindString(-1, "A"), 0);
    EXPECT_EQ(combo.FindString(0, "a"), 3);   // after item 0
    EXPECT_EQ(combo.FindString(3, "APP"), 0); // wraps round
    EXPECT_EQ(combo.FindStringExact(-1, "BANANA"), 1);
    EXPECT_EQ(combo.FindStringExact(-1, "ban"), CB_ERR);

    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.SelectString(-1, "pe"), 2);
    EXPECT_EQ(TextOf(combo), "pear");
    EXPECT_EQ(combo.SelectString(-1, "zz"), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_EQ(combo.SetCurSel(1), 1);
    EXPECT_EQ(parent.Count(IDC_ONE, CBN_SELCHANGE), 0); // the program's changes are silent
    EXPECT_EQ(combo.SetCurSel(-1), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);

    // The user's are not.
    combo.SetCurSel(0);
    combo.SetFocus();
    SendKey(combo.GetWidget(), Qt::Key_Down);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(parent.Count(IDC_ONE, CBN_SELCHANGE), 1);

    EXPECT_EQ(combo.DeleteString(0), 3);
    EXPECT_EQ(combo.DeleteString(7), CB_ERR);
    combo.ShowDropDown(TRUE);
    EXPECT_TRUE(combo.GetDroppedState());
    combo.ShowDropDown(FALSE);
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_EQ(parent.Count(IDC_ONE, CBN_DROPDOWN), 1);
    EXPECT_EQ(parent.Count(IDC_ONE, CBN_CLOSEUP), 1);
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
}

TEST(ComboBoxControl, DropDownHasAnEditField)
{
    CRecorder parent;
    CComboBox combo;
    ASSERT_TRUE(
        combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(10, 10, 200, 200), &parent, IDC_ONE));
    combo.AddString("one");
    combo.SetWindowText("typed");
    EXPECT_EQ(TextOf(combo), "typed");
    combo.SetFocus();
    combo.SetEditSel(0, -1);
    EXPECT_EQ(combo.GetEditSel(), MAKELONG(0, 5));
}

TEST(ImageListTest, AddCutsStripsAndMasksTheMaskColour)
{
    Canvas strip(32, 16, kWhite);
    strip.dc.FillSolidRect(2, 2, 12, 12, kRed);
    strip.dc.FillSolidRect(18, 2, 12, 12, kBlue);
    CImageList list;
    ASSERT_TRUE(list.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 1));
    EXPECT_FALSE(list.Create(16, 16, ILC_COLOR24, 1, 1)); // only once
    strip.dc.SelectObject(strip.previous);
    strip.previous = nullptr;
    EXPECT_EQ(list.Add(&strip.bitmap, kWhite), 0);
    EXPECT_EQ(list.GetImageCount(), 2);
    EXPECT_EQ(qAlpha(list.GetImage(0).pixel(0, 0)), 0); // white is transparent
    EXPECT_EQ(ColorRefFromQRgb(list.GetImage(1).pixel(8, 8)), kBlue);

    // Drawing leaves what lies under the transparent pixels.
    Canvas target(40, 20, kGreen);
    EXPECT_TRUE(list.Draw(&target.dc, 0, CPoint(4, 2), ILD_NORMAL));
    EXPECT_EQ(target.At(4, 2), kGreen);
    EXPECT_EQ(target.At(10, 8), kRed);
    EXPECT_FALSE(list.Draw(&target.dc, 5, CPoint(0, 0), ILD_NORMAL));
    EXPECT_EQ(CImageList::FromHandle(list.GetSafeHandle()), &list);
    EXPECT_TRUE(list.Remove(0));
    EXPECT_EQ(list.GetImageCount(), 1);
}

TEST(ComboBoxControl, ExtendedItemsCarryImagesFromTheImageList)
{
    CRecorder parent;
    CImageList images;
    images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 0);
    Canvas red(16, 16, kRed), blue(16, 16, kBlue);
    red.dc.SelectObject(red.previous);
    red.previous = nullptr;
    blue.dc.SelectObject(blue.previous);
    blue.previous = nullptr;
    images.Add(&red.bitmap, kWhite);
    images.Add(&blue.bitmap, kWhite);

    CComboBoxEx combo;
    ASSERT_TRUE(
        combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 200, 200), &parent, IDC_ONE));
    EXPECT_EQ(combo.SetImageList(&images), nullptr);
    EXPECT_EQ(combo.GetImageList(), &images);
    char first[] = "Red";
    char second[] = "Blue";
    COMBOBOXEXITEM item{};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_LPARAM;
    item.iItem = -1;
    item.pszText = first;
    item.iImage = item.iSelectedImage = 0;
    item.lParam = 77;
    EXPECT_EQ(combo.InsertItem(&item), 0);
    item.pszText = second;
    item.iImage = item.iSelectedImage = 1;
    EXPECT_EQ(combo.InsertItem(&item), 1);

    char buffer[40] = {};
    COMBOBOXEXITEM read{};
    read.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_LPARAM;
    read.iItem = 1;
    read.pszText = buffer;
    read.cchTextMax = sizeof(buffer);
    ASSERT_TRUE(combo.GetItem(&read));
    EXPECT_STREQ(buffer, "Blue");
    EXPECT_EQ(read.iImage, 1);
    EXPECT_EQ(read.lParam, 77);
    EXPECT_EQ(combo.GetItemData(0), 77u);

    combo.SetCurSel(1);
    const QImage shown = combo.RenderToImage();
    EXPECT_GT(CountColour(shown, kBlue), 100); // the selected item's swatch
    EXPECT_EQ(CountColour(shown, kRed), 0);
}

// ---------------------------------------------------------------------------------------
// List box
// ---------------------------------------------------------------------------------------

TEST(ListBoxControl, ItemsAndSingleSelection)
{
    CRecorder parent;
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY | LBS_SORT,
                            CRect(10, 10, 200, 200), &parent, IDC_ONE));
    list.AddString("charlie");
    list.AddString("Alpha");
    list.AddString("bravo");
    CString text;
    list.GetText(0, text);
    EXPECT_EQ(text, "Alpha");
    list.SetItemDataPtr(2, &parent);
    EXPECT_EQ(list.GetItemDataPtr(2), &parent);
    EXPECT_EQ(list.SetCurSel(1), 1);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(parent.Count(IDC_ONE, LBN_SELCHANGE), 0);
    EXPECT_EQ(list.FindStringExact(-1, "CHARLIE"), 2);
    EXPECT_EQ(list.GetSelCount(), LB_ERR); // a single-selection box

    // A click on an item is the user's selection.
    auto* widget = dynamic_cast<QListWidget*>(list.GetWidget());
    ASSERT_NE(widget, nullptr);
    PumpEvents();
    const QRect third = widget->visualItemRect(widget->item(2));
    ASSERT_FALSE(third.isEmpty());
    Click(widget->viewport(), third.center());
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(parent.Count(IDC_ONE, LBN_SELCHANGE), 1);
    EXPECT_EQ(list.DeleteString(0), 2);
    EXPECT_EQ(list.GetCount(), 2);
}

TEST(ListBoxControl, MultipleSelection)
{
    CRecorder parent;
    CListBox list;
    ASSERT_TRUE(
        list.Create(WS_CHILD | WS_VISIBLE | LBS_MULTIPLESEL, CRect(10, 10, 200, 200), &parent, IDC_ONE));
    for (const char* s : {"a", "b", "c", "d"})
        list.AddString(s);
    list.SetSel(1);
    list.SelItemRange(TRUE, 2, 3);
    EXPECT_EQ(list.GetSelCount(), 3);
    int items[4] = {};
    EXPECT_EQ(list.GetSelItems(4, items), 3);
    EXPECT_EQ(items[0], 1);
    EXPECT_EQ(items[2], 3);
    list.SetSel(-1, FALSE);
    EXPECT_EQ(list.GetSelCount(), 0);
    EXPECT_EQ(list.SetCurSel(0), LB_ERR);
}

// ---------------------------------------------------------------------------------------
// Progress bar, slider, spin button
// ---------------------------------------------------------------------------------------

TEST(ProgressControl, PositionStaysInTheRangeAndStepItStartsOver)
{
    CRecorder parent;
    CProgressCtrl bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 30), &parent, IDC_ONE));
    int low = -1, high = -1;
    bar.GetRange(low, high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 100);
    bar.SetRange32(0, 1000);
    EXPECT_EQ(bar.SetPos(400), 0);
    EXPECT_EQ(bar.GetPos(), 400);
    EXPECT_EQ(bar.SetPos(5000), 400);
    EXPECT_EQ(bar.GetPos(), 1000);
    bar.SetRange(10, 20);
    EXPECT_EQ(bar.GetPos(), 20);
    EXPECT_EQ(bar.SetStep(4), 10);
    bar.SetPos(18);
    EXPECT_EQ(bar.StepIt(), 18);
    EXPECT_EQ(bar.GetPos(), 12); // past the end: from the start again
    EXPECT_EQ(bar.OffsetPos(3), 12);
    EXPECT_EQ(bar.GetPos(), 15);
}

TEST(SliderControl, UserMovesReachTheParentAsScrollMessages)
{
    CRecorder parent;
    CSliderCtrl slider, vertical;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ, CRect(10, 10, 210, 40), &parent, IDC_ONE));
    ASSERT_TRUE(
        vertical.Create(WS_CHILD | WS_VISIBLE | TBS_VERT, CRect(220, 10, 250, 210), &parent, IDC_TWO));
    slider.SetRange(0, 50);
    slider.SetPos(10);
    EXPECT_EQ(slider.GetPos(), 10);
    EXPECT_EQ(slider.GetRangeMax(), 50);
    EXPECT_EQ(slider.SetPageSize(5), 20);
    EXPECT_TRUE(parent.scrolls.empty()); // programmatic moves are silent

    slider.SetFocus();
    SendKey(slider.GetWidget(), Qt::Key_Right);
    ASSERT_EQ(parent.scrolls.size(), 2u);
    EXPECT_EQ(parent.scrolls[0],
              std::make_pair(static_cast<UINT>(WM_HSCROLL), static_cast<UINT>(TB_LINEDOWN)));
    EXPECT_EQ(parent.scrolls[1].second, static_cast<UINT>(TB_ENDTRACK));
    EXPECT_EQ(slider.GetPos(), 11);
    SendKey(slider.GetWidget(), Qt::Key_PageDown);
    EXPECT_EQ(slider.GetPos(), 16);

    // A vertical track bar's minimum is at the top: Down moves towards the maximum.
    vertical.SetRange(0, 10);
    vertical.SetFocus();
    SendKey(vertical.GetWidget(), Qt::Key_Down);
    EXPECT_EQ(vertical.GetPos(), 1);
    EXPECT_EQ(parent.scrolls[parent.scrolls.size() - 2].first, static_cast<UINT>(WM_VSCROLL));
}

TEST(SpinControl, ArrowsStepTheBuddyThroughTheParentsVeto)
{
    CRecorder parent;
    CEdit buddy;
    ASSERT_TRUE(buddy.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 110, 34), &parent, IDC_ONE));
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS,
                            CRect(0, 0, 16, 24), &parent, IDC_TWO));
    EXPECT_EQ(spin.SetBuddy(&buddy), nullptr);
    EXPECT_EQ(spin.GetBuddy(), &buddy);
    // Placed at the buddy's right, inside the room the buddy had.
    CRect b, s;
    buddy.GetWindowRect(&b);
    spin.GetWindowRect(&s);
    EXPECT_EQ(s.left, b.right);
    EXPECT_EQ(s.right - b.left, 100);

    int lower = 0, upper = 0;
    spin.GetRange(lower, upper);
    EXPECT_EQ(lower, 100); // Windows' starting range counts down
    EXPECT_EQ(upper, 0);
    spin.SetRange(0, 1000);
    spin.SetPos(999);
    EXPECT_EQ(TextOf(buddy), "999");

    QWidget* w = spin.GetWidget();
    Click(w, QPoint(8, 3)); // the upper half: up
    ASSERT_EQ(parent.deltas.size(), 1u);
    EXPECT_EQ(parent.deltas[0].iPos, 999);
    EXPECT_EQ(parent.deltas[0].iDelta, 1);
    EXPECT_EQ(spin.GetPos(), 1000);
    EXPECT_EQ(TextOf(buddy), "1,000");
    ASSERT_GE(parent.scrolls.size(), 2u);
    EXPECT_EQ(parent.scrolls[0].first, static_cast<UINT>(WM_VSCROLL));
    EXPECT_EQ(parent.scrolls[0].second, static_cast<UINT>(MAKELONG(SB_THUMBPOSITION, 1000)));
    EXPECT_EQ(LOWORD(parent.scrolls.back().second), static_cast<WORD>(SB_ENDSCROLL));

    Click(w, QPoint(8, 3)); // at the top already
    EXPECT_EQ(spin.GetPos(), 1000);
    parent.deltaAnswer = 1; // the parent refuses
    Click(w, QPoint(8, 20));
    EXPECT_EQ(spin.GetPos(), 1000);
    parent.deltaAnswer = 0;
    Click(w, QPoint(8, 20));
    EXPECT_EQ(spin.GetPos(), 999);

    // The position is read from the buddy's text.
    buddy.SetWindowText("1,234");
    EXPECT_EQ(spin.GetPos32(), 1234);
    buddy.SetWindowText("abc");
    BOOL error = FALSE;
    spin.GetPos32(&error);
    EXPECT_TRUE(error);
    EXPECT_NE(HIWORD(static_cast<DWORD>(spin.GetPos())), 0);
}

TEST(SpinControl, WrapsWithTheWrapStyle)
{
    CRecorder parent;
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_WRAP, CRect(10, 10, 26, 34), &parent, IDC_ONE));
    spin.SetRange32(1, 3);
    spin.SetPos32(3);
    Click(spin.GetWidget(), QPoint(8, 3));
    EXPECT_EQ(spin.GetPos32(), 1);
    Click(spin.GetWidget(), QPoint(8, 20));
    EXPECT_EQ(spin.GetPos32(), 3);
}

// ---------------------------------------------------------------------------------------
// Tooltip
// ---------------------------------------------------------------------------------------

TEST(ToolTipControl, ShowsTheToolsTextWhenTheMouseRestsOnIt)
{
    CRecorder parent;
    CButton button;
    ASSERT_TRUE(button.Create("Tool", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 40), &parent, IDC_ONE));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&parent));
    EXPECT_FALSE(tip.IsWindowVisible());
    ASSERT_TRUE(tip.AddTool(&button, "Press me"));
    EXPECT_EQ(tip.GetToolCount(), 1);
    CString text;
    tip.GetText(text, &button);
    EXPECT_EQ(text, "Press me");
    tip.SetDelayTime(TTDT_INITIAL, 10);
    EXPECT_EQ(tip.GetDelayTime(TTDT_INITIAL), 10);

    MSG move{button.GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0, {0, 0}};
    tip.RelayEvent(&move);
    ASSERT_TRUE(PumpUntil([&] { return tip.IsWindowVisible() != FALSE; }));
    EXPECT_EQ(TextOf(tip).GetLength(), 0); // the tip's own window text is not the tool's
    MSG press{button.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5), 0, {0, 0}};
    tip.RelayEvent(&press);
    EXPECT_FALSE(tip.IsWindowVisible());

    // Deactivated, it shows nothing.
    tip.Activate(FALSE);
    MSG away{parent.GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(300, 300), 0, {0, 0}};
    tip.RelayEvent(&away);
    tip.RelayEvent(&move);
    PumpEvents();
    EXPECT_FALSE(PumpUntil([&] { return tip.IsWindowVisible() != FALSE; }, 100));

    tip.UpdateTipText("Changed", &button);
    tip.GetText(text, &button);
    EXPECT_EQ(text, "Changed");
    tip.DelTool(&button);
    EXPECT_EQ(tip.GetToolCount(), 0);
}

// ---------------------------------------------------------------------------------------
// A picture of every control, for a person to look at
// ---------------------------------------------------------------------------------------

TEST(ControlsGallery, RendersEveryKindToAPng)
{
    CRecorder parent;
    CStatic label;
    label.Create("Static text", WS_CHILD | WS_VISIBLE, CRect(10, 10, 150, 30), &parent, 1);
    CEdit edit;
    edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(160, 10, 300, 34), &parent, 2);
    edit.SetWindowText("Edit");
    CButton push, check, radio, group;
    push.Create("Push", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, CRect(10, 50, 110, 80), &parent, 3);
    check.Create("Check box", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(120, 50, 230, 70), &parent, 4);
    check.SetCheck(BST_CHECKED);
    radio.Create("Radio", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(240, 50, 340, 70), &parent, 5);
    group.Create("Group", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(350, 40, 490, 120), &parent, 6);
    CMFCButton coloured;
    coloured.Create("MFC button", WS_CHILD | WS_VISIBLE, CRect(360, 60, 480, 90), &parent, 7);
    coloured.SetFaceColor(RGB(0, 123, 204));
    CComboBox combo;
    combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 90, 160, 250), &parent, 8);
    combo.AddString("Combo box");
    combo.SetCurSel(0);
    CListBox list;
    list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 130, 160, 220), &parent, 9);
    list.AddString("List box");
    list.AddString("Second");
    CProgressCtrl progress;
    progress.Create(WS_CHILD | WS_VISIBLE, CRect(170, 130, 340, 150), &parent, 10);
    progress.SetPos(60);
    CSliderCtrl slider;
    slider.Create(WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS, CRect(170, 160, 340, 190), &parent, 11);
    slider.SetPos(30);
    CEdit buddy;
    buddy.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(170, 200, 260, 224), &parent, 12);
    CSpinButtonCtrl spin;
    spin.Create(WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT, CRect(0, 0, 16, 24), &parent, 13);
    spin.SetBuddy(&buddy);
    spin.SetRange(0, 100);
    spin.SetPos(42);
    PumpEvents();

    const QImage image = parent.RenderToImage();
    ASSERT_FALSE(image.isNull());
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath("ControlsGallery.png");
    EXPECT_TRUE(image.save(path, "PNG"));
    // The coloured button's face shows where it was put.
    EXPECT_EQ(PixelAt(image, 365, 65), RGB(0, 123, 204));
}

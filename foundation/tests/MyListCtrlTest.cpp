// The suite's table driven offscreen: cell clicks of each kind, the UM_LIST_* protocol in its
// order answered by a test owner, the end of an edit, colours, sizing and the column-state file.
#include "foundation/ConfigFile.h"
#include "foundation/Folders.h"
#include "foundation/MyListCtrl.h"
#include "foundation/WindowMessages.h"
#include "platform/core/File.h"
#include "platform/ui/ImageList.h"

#include "platform/ui/Clipboard.h"
#include "testsupport/UserInput.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QTest>
#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{
void PumpEvents()
{
    for (int i = 0; i < 4; ++i)
        QCoreApplication::processEvents();
}

// Where a message came to, and which.
struct Note
{
    std::string who;
    std::string what;
    WPARAM wParam;
};

std::string NameOf(UINT message)
{
    if (message == UM_LIST_START_EDIT)
        return "START_EDIT";
    if (message == UM_LIST_SET_ITEMS)
        return "SET_ITEMS";
    if (message == UM_LIST_IMAGE_LIST)
        return "IMAGE_LIST";
    if (message == UM_LIST_VALIDATE)
        return "VALIDATE";
    if (message == UM_LIST_BUTTON_PRESS)
        return "BUTTON_PRESS";
    return "";
}

// The list under test, noting the protocol messages sent to it.
class CTestList : public CMyListCtrl
{
public:
    std::vector<Note>* notes = nullptr;
    // The log shared with the owner: both receivers in the order the messages arrived.
    std::vector<Note>* journal = nullptr;
    // The list itself says no to an edit (an owner subclass may).
    bool veto = false;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const std::string name = NameOf(message);
        if (!name.empty() && notes)
            notes->push_back({"list", name, wParam});
        if (!name.empty() && journal)
            journal->push_back({"list", name, wParam});
        if (message == UM_LIST_START_EDIT && veto)
        {
            *reinterpret_cast<bool*>(lParam) = false;
            return 0;
        }
        return CMyListCtrl::WindowProc(message, wParam, lParam);
    }
    using CMyListCtrl::OnCustomDraw;
    CMyHeaderCtrl& GetHeader() { return m_Header; }
};

// The owner: answers the protocol as a table's window would.
class COwner : public CWnd
{
public:
    std::vector<Note> notes;
    // Every protocol message of the owner and of its lists, in the order they arrived.
    std::vector<Note> journal;
    bool veto = false;
    std::vector<CString> choices;
    CImageList* images = nullptr;
    CString validatedText;
    UINT validatedMask = 0;
    int validatedImage = -1;

    COwner()
    {
        CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 620, 420), nullptr, 0);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const std::string name = NameOf(message);
        if (name.empty())
            return CWnd::WindowProc(message, wParam, lParam);
        notes.push_back({"parent", name, wParam});
        journal.push_back({"parent", name, wParam});
        if (message == UM_LIST_START_EDIT && veto)
            *reinterpret_cast<bool*>(lParam) = false;
        if (message == UM_LIST_SET_ITEMS)
            for (const CString& c : choices)
                reinterpret_cast<CStringList*>(lParam)->AddTail(c);
        if (message == UM_LIST_IMAGE_LIST)
            *reinterpret_cast<CImageList**>(lParam) = images;
        if (message == UM_LIST_VALIDATE)
        {
            const LVITEM& item = reinterpret_cast<NMLVDISPINFO*>(lParam)->item;
            validatedText = item.pszText;
            validatedMask = item.mask;
            validatedImage = item.iImage;
        }
        return 0;
    }
};

constexpr UINT IDC_TABLE = 1200;
enum
{
    COL_NAME,
    COL_NUMBER,
    COL_LAT,
    COL_KIND,
    COL_MORE,
    COL_FIXED
};

void Build(CTestList& list, COwner& owner, std::vector<Note>& listNotes, UINT id = IDC_TABLE, int top = 0)
{
    list.notes = &listNotes;
    list.journal = &owner.journal;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_EDITLABELS | LVS_SHOWSELALWAYS,
                            CRect(0, top, 580, top + 180), &owner, id));
    const char* headings[] = {"Name", "Depth", "\nLatitude", "Kind", "File", "Fixed"};
    for (const char* h : headings)
        list.AddColumn(h, LVCFMT_LEFT);
    list.m_NumberColumns.AddTail(COL_NUMBER);
    list.m_LatitudeColumns.AddTail(COL_LAT);
    list.m_ComboColumns.AddTail(COL_KIND);
    list.m_ButtonColumns.AddTail(COL_MORE);
    list.m_ReadOnlyColumns.AddTail(COL_FIXED);
    for (int c = 0; c < 6; ++c)
        list.SetColumnWidth(c, 90);
    for (int r = 0; r < 3; ++r)
    {
        list.InsertItem(r, "name");
        list.SetItemText(r, COL_NUMBER, "12.5");
        list.SetItemText(r, COL_KIND, "Buoy");
        list.SetItemText(r, COL_FIXED, "fixed");
    }
    PumpEvents();
}

CPoint CellCentre(CMyListCtrl& list, int item, int column)
{
    CRect row;
    list.GetItemRect(item, &row, LVIR_BOUNDS);
    return CPoint(row.left + column * 90 + 45, (row.top + row.bottom) / 2);
}

// A click, as the user's: the list's window gets the button-down message.
void ClickCell(CMyListCtrl& list, int item, int column, UINT flags = MK_LBUTTON)
{
    const CPoint pt = CellCentre(list, item, column);
    list.SendMessage(WM_LBUTTONDOWN, flags, MAKELPARAM(pt.x, pt.y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    PumpEvents();
}

// Clicks the cell twice: the first click makes the row focused, the second edits.
void EditCell(CMyListCtrl& list, int item, int column)
{
    list.SetItemState(item, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    ClickCell(list, item, column);
}

// Pixels of the colour in the picture, or within `tolerance` of it (the sum of the three
// channels' differences: anti-aliased text).
int CountPixels(const QImage& image, const QColor& colour, int tolerance = 0)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
        {
            const QColor c = image.pixelColor(x, y);
            const int off = std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                            std::abs(c.blue() - colour.blue());
            n += tolerance == 0 ? off == 0 : off < tolerance;
        }
    return n;
}

// The journal as "who:what", in order.
std::vector<std::string> Sequence(const std::vector<Note>& journal)
{
    std::vector<std::string> out;
    for (const Note& n : journal)
        out.push_back(n.who + ":" + n.what);
    return out;
}
} // namespace

TEST(MyListCtrl, TextCellEditsEndWithTheCellSetAndValidated)
{
    COwner owner;
    CTestList list;
    std::vector<Note> listNotes;
    Build(list, owner, listNotes);

    EditCell(list, 1, COL_NAME);
    ASSERT_TRUE(list.GetInPlaceEdit().GetSafeHwnd() != nullptr);
    EXPECT_TRUE(list.m_bEditing);
    ASSERT_EQ(listNotes.size(), 1u);
    EXPECT_EQ(listNotes[0].what, "START_EDIT");
    EXPECT_EQ(listNotes[0].wParam, static_cast<WPARAM>(MAKELONG(COL_NAME, 1)));
    ASSERT_EQ(owner.notes.size(), 1u);
    EXPECT_EQ(owner.notes[0].what, "START_EDIT");

    list.GetInPlaceEdit().SetWindowText("Renamed");
    list.SetFocus(); // leaving the editor ends the edit
    PumpEvents();
    EXPECT_EQ(list.GetItemText(1, COL_NAME), CString("Renamed"));
    EXPECT_EQ(owner.validatedText, CString("Renamed"));
    ASSERT_EQ(listNotes.size(), 2u);
    EXPECT_EQ(listNotes[1].what, "VALIDATE");
    EXPECT_EQ(listNotes[1].wParam, static_cast<WPARAM>(IDC_TABLE));
    EXPECT_EQ(owner.notes.back().what, "VALIDATE");
    EXPECT_FALSE(list.m_bEditing);
    EXPECT_EQ(list.GetInPlaceEdit().GetSafeHwnd(), nullptr); // closed, object kept
}

TEST(MyListCtrl, EscapeRestoresTheInitialTextAndStillValidates)
{
    COwner owner;
    CTestList list;
    std::vector<Note> listNotes;
    Build(list, owner, listNotes);
    EditCell(list, 0, COL_NUMBER);
    CInPlaceEdit& edit = list.GetInPlaceEdit();
    ASSERT_TRUE(edit.GetSafeHwnd() != nullptr);
    edit.SetWindowText("99");
    MSG msg{};
    msg.hwnd = edit.GetSafeHwnd();
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_ESCAPE;
    EXPECT_TRUE(edit.PreTranslateMessage(&msg));
    PumpEvents();
    EXPECT_EQ(list.GetItemText(0, COL_NUMBER), CString("12.5"));
    EXPECT_EQ(owner.notes.back().what, "VALIDATE");
}

TEST(MyListCtrl, CellsThatStartNoEdit)
{
    COwner owner;
    CTestList list;
    std::vector<Note> listNotes;
    Build(list, owner, listNotes);

    // Read-only column, a vetoed edit, Shift held, an unfocused row.
    EditCell(list, 0, COL_FIXED);
    EXPECT_TRUE(owner.notes.empty());
    owner.veto = true;
    EditCell(list, 0, COL_NAME);
    EXPECT_EQ(list.GetInPlaceEdit().GetSafeHwnd(), nullptr);
    EXPECT_FALSE(list.m_bEditing);
    owner.veto = false;
    // The list's own veto: the parent is still asked, after the list, and nothing opens.
    list.veto = true;
    owner.journal.clear();
    EditCell(list, 0, COL_NAME);
    EXPECT_EQ(list.GetInPlaceEdit().GetSafeHwnd(), nullptr);
    EXPECT_EQ(Sequence(owner.journal), (std::vector<std::string>{"list:START_EDIT", "parent:START_EDIT"}));
    list.veto = false;
    owner.notes.clear();
    list.SetItemState(2, LVIS_FOCUSED, LVIS_FOCUSED);
    ClickCell(list, 2, COL_NAME, MK_LBUTTON | MK_SHIFT);
    EXPECT_TRUE(owner.notes.empty());
    // A combo cell with no choices opens nothing and sends no veto question.
    EditCell(list, 1, COL_KIND);
    EXPECT_EQ(list.GetInPlaceCombo().GetSafeHwnd(), nullptr);
    ASSERT_EQ(owner.notes.size(), 2u);
    EXPECT_EQ(owner.notes[0].what, "SET_ITEMS");
    EXPECT_EQ(owner.notes[1].what, "IMAGE_LIST");
}

TEST(MyListCtrl, ComboCellsAskForChoicesThenImagesAndSelectTheCellText)
{
    COwner owner;
    owner.choices = {"Anchor", "Buoy", "Wreck"};
    CTestList list;
    std::vector<Note> listNotes;
    Build(list, owner, listNotes);
    EditCell(list, 1, COL_KIND);
    // Each question to the list, then to its parent, before the next question.
    const std::vector<std::string> expected = {"list:SET_ITEMS", "parent:SET_ITEMS", "list:IMAGE_LIST",
                                               "parent:IMAGE_LIST"};
    EXPECT_EQ(Sequence(owner.journal), expected);
    CInPlaceCombo& combo = list.GetInPlaceCombo();
    ASSERT_TRUE(combo.GetSafeHwnd() != nullptr);
    EXPECT_EQ(combo.GetCount(), 3);
    EXPECT_EQ(combo.GetCurSel(), 1);
    // Without images the result reports text only.
    EXPECT_FALSE(combo.HasImages());
}

// A combo cell whose owner gives images: dropped down as a user drops it, each choice shows its
// image beside its name, and the choice clicked comes back with its image.
TEST(MyListCtrl, ComboChoicesShowTheirImagesAndThePickReportsIt)
{
    COwner owner;
    owner.choices = {"Anchor", "Buoy", "Wreck"};
    const QColor colours[] = {QColor(255, 0, 0), QColor(0, 160, 0), QColor(0, 0, 255)};
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32, 3, 0));
    for (const QColor& c : colours)
    {
        QImage swatch(16, 16, QImage::Format_ARGB32);
        swatch.fill(c);
        images.Add(swatch);
    }
    owner.images = &images;
    CTestList list;
    std::vector<Note> listNotes;
    Build(list, owner, listNotes);
    EditCell(list, 1, COL_KIND);
    CInPlaceCombo& combo = list.GetInPlaceCombo();
    ASSERT_TRUE(combo.GetSafeHwnd() != nullptr);
    ASSERT_TRUE(combo.HasImages());
    auto* box = qobject_cast<QComboBox*>(combo.GetWidget());
    if (!box)
        box = combo.GetWidget()->findChild<QComboBox*>();
    ASSERT_NE(box, nullptr);
    QAbstractItemView* view = UserInput::DropDown(box);
    ASSERT_NE(view, nullptr) << "the choices did not drop down";
    const QImage shown = view->viewport()->grab().toImage();
    for (int i = 0; i < 3; ++i)
    {
        const QRect line = view->visualRect(box->model()->index(i, 0));
        EXPECT_GE(CountPixels(shown.copy(line), colours[i]), 8 * 8) << owner.choices[static_cast<size_t>(i)].GetString();
    }
    const QPoint wreck = view->visualRect(box->model()->index(2, 0)).center();
    QTest::mouseMove(view->viewport(), wreck);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, wreck);
    PumpEvents();
    EXPECT_EQ(owner.validatedText, CString("Wreck"));
    EXPECT_EQ(owner.validatedMask, static_cast<UINT>(LVIF_TEXT | LVIF_IMAGE));
    EXPECT_EQ(owner.validatedImage, 2);
    EXPECT_STREQ(list.GetItemText(1, COL_KIND), "Wreck");
}

TEST(MyListCtrl, ButtonCellsReportThePressToTheParent)
{
    COwner owner;
    CTestList list;
    std::vector<Note> listNotes;
    Build(list, owner, listNotes);
    EditCell(list, 2, COL_MORE);
    CInPlaceButton& button = list.GetInPlaceButton();
    ASSERT_TRUE(button.GetSafeHwnd() != nullptr);
    EXPECT_EQ(button.GetDlgCtrlID(), 1000);
    CString caption;
    button.GetWindowText(caption);
    EXPECT_EQ(caption, CString("..."));
    list.SendMessage(WM_COMMAND, MAKEWPARAM(1000, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button.GetSafeHwnd()));
    ASSERT_FALSE(owner.notes.empty());
    EXPECT_EQ(owner.notes.back().what, "BUTTON_PRESS");
    EXPECT_EQ(owner.notes.back().wParam, 2u);
    for (const Note& n : listNotes)
        EXPECT_NE(n.what, "BUTTON_PRESS"); // the parent only
}

TEST(MyListCtrl, ClosingOneListLeavesAnotherListsEditorOpen)
{
    COwner owner;
    CTestList first;
    std::vector<Note> firstNotes;
    Build(first, owner, firstNotes);
    std::vector<Note> secondNotes;
    {
        CTestList second;
        Build(second, owner, secondNotes, IDC_TABLE + 1, 190);
        EditCell(first, 0, COL_NAME);
        ASSERT_TRUE(first.GetInPlaceEdit().GetSafeHwnd() != nullptr);
        second.DestroyWindow();
    }
    PumpEvents();
    ASSERT_TRUE(first.GetInPlaceEdit().GetSafeHwnd() != nullptr);
    first.GetInPlaceEdit().SetWindowText("kept");
    first.SetFocus();
    PumpEvents();
    EXPECT_EQ(first.GetItemText(0, COL_NAME), CString("kept"));
}

TEST(MyListCtrl, HitTestOnABoundaryPixelBelongsToTheLeftColumn)
{
    COwner owner;
    CTestList list;
    std::vector<Note> listNotes;
    Build(list, owner, listNotes);
    CRect row;
    list.GetItemRect(0, &row, LVIR_BOUNDS);
    int item = -1;
    int column = -1;
    ASSERT_TRUE(list.HitTestCell(CPoint(row.left + 90, row.top + 2), item, column));
    EXPECT_EQ(column, 0);
    ASSERT_TRUE(list.HitTestCell(CPoint(row.left + 91, row.top + 2), item, column));
    EXPECT_EQ(column, 1);
    EXPECT_FALSE(list.HitTestCell(CPoint(row.left + 5, 175), item, column));
}

TEST(MyListCtrl, ColourSchemesAndCustomDrawRules)
{
    COwner owner;
    CTestList list;
    std::vector<Note> listNotes;
    Build(list, owner, listNotes);
    struct Case
    {
        int scheme;
        bool night;
        COLORREF back, text, headerBack, headerText;
    };
    const Case cases[] = {
        {0, false, 0xFFFFFF, 0x000000, 0xEBEBEB, 0x555555},
        {1, true, 0x000000, 0xC0C0C0, 0x555555, 0xEBEBEB},
        {3, false, 0xFFCC99, 0x000000, 0x800000, 0xFF8080},
        {6, true, 0x000000, 0x008080, 0x004040, 0x008080},
    };
    for (const Case& c : cases)
    {
        list.m_bNight = c.night;
        list.SetColourScheme(c.scheme);
        EXPECT_EQ(list.GetBkColor(), c.back) << c.scheme;
        EXPECT_EQ(list.GetTextColor(), c.text) << c.scheme;
        EXPECT_EQ(list.GetHeaderBackColour(), c.headerBack) << c.scheme;
        EXPECT_EQ(list.GetHeaderTextColour(), c.headerText) << c.scheme;
    }
    list.SetColourScheme(7);
    list.SetColourScheme(-1);
    EXPECT_EQ(list.GetBkColor(), 0x000000u);
    EXPECT_EQ(list.GetTextColor(), 0x008080u);

    // Row colour by data: grey rows get white text.
    list.m_bRowColourByData = true;
    NMLVCUSTOMDRAW cd{};
    cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
    cd.nmcd.dwItemSpec = 1;
    cd.nmcd.lItemlParam = 0x808080;
    LRESULT result = -1;
    list.OnCustomDraw(&cd.nmcd.hdr, &result);
    EXPECT_EQ(cd.clrTextBk, 0x808080u);
    EXPECT_EQ(cd.clrText, 0xFFFFFFu);
    EXPECT_EQ(result, 0);
    // The highlight row comes before the data colour.
    list.m_HighlightRow = 1;
    list.m_HighlightBackColour = 0x0000FF;
    list.m_HighlightTextColour = 0x00FF00;
    list.OnCustomDraw(&cd.nmcd.hdr, &result);
    EXPECT_EQ(cd.clrTextBk, 0x0000FFu);
    EXPECT_EQ(cd.clrText, 0x00FF00u);
    // Column-colour mode: the header item's data, unless it is the column's own index.
    list.m_ColumnColourMode = 1;
    HDITEM hd{};
    hd.mask = HDI_LPARAM;
    hd.lParam = 0x123456;
    list.GetHeaderCtrl()->SetItem(2, &hd);
    hd.lParam = 3;
    list.GetHeaderCtrl()->SetItem(3, &hd);
    cd.iSubItem = 2;
    list.OnCustomDraw(&cd.nmcd.hdr, &result);
    EXPECT_EQ(cd.clrTextBk, 0x123456u);
    cd.iSubItem = 3;
    list.OnCustomDraw(&cd.nmcd.hdr, &result);
    EXPECT_EQ(cd.clrTextBk, list.GetBkColor());
    cd.nmcd.dwDrawStage = CDDS_PREPAINT;
    list.OnCustomDraw(&cd.nmcd.hdr, &result);
    EXPECT_EQ(result, static_cast<LRESULT>(CDRF_NOTIFYSUBITEMDRAW));
}

TEST(MyListCtrl, HeadingLinesAndAutoSize)
{
    COwner owner;
    CTestList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 580, 180), &owner, IDC_TABLE));
    list.AddColumn("Name", LVCFMT_RIGHT);
    EXPECT_EQ(list.GetHeaderLines(), 1);
    PumpEvents();
    const int oneLineHeight = list.GetHeaderCtrl()->GetHeight();
    list.AddColumn("Structure Height\ninc blade\nMHWS", LVCFMT_CENTER);
    EXPECT_EQ(list.GetHeaderLines(), 3);
    PumpEvents();
    EXPECT_GT(list.GetHeaderCtrl()->GetHeight(), 2 * oneLineHeight);
    EXPECT_EQ(list.GetHeaderCtrl(), static_cast<CHeaderCtrl*>(&list.GetHeader()));
    HDITEM hd{};
    hd.mask = HDI_FORMAT;
    ASSERT_TRUE(list.GetHeaderCtrl()->GetItem(0, &hd));
    EXPECT_EQ(hd.fmt & HDF_JUSTIFYMASK, LVCFMT_RIGHT);
    EXPECT_NE(hd.fmt & HDF_OWNERDRAW, 0);
    list.InsertItem(0, "a");
    list.SetItemText(0, 1, "1");

    AutoSizeColumns(&list, false);
    // The multi-line heading's width is its longest line's share of the one-line width.
    const int oneLine = list.GetStringWidth("Structure Heightinc bladeMHWS") + 12;
    const int expected = (16 * oneLine + 2) / 29;
    EXPECT_EQ(list.GetColumnWidth(1), expected);
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 2); // the filler is gone again

    AutoSizeColumns(&list, true);
    CRect client;
    list.GetClientRect(&client);
    EXPECT_EQ(list.GetColumnWidth(0) + list.GetColumnWidth(1), client.Width());
}

TEST(MyListCtrl, DestroyWritesTheColumnStateFile)
{
    COwner owner;
    {
        CTestList list;
        std::vector<Note> listNotes;
        Build(list, owner, listNotes, 77);
        list.DestroyWindow();
    }
    CConfigFile in;
    ASSERT_TRUE(in.OpenForRead("List Control 77 Column State", "INI"));
    CString line;
    std::vector<CString> lines;
    while (in.ReadString(line))
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], CString("1 = 0"));
    EXPECT_EQ(lines[5], CString("6 = 0"));
}

TEST(MyListCtrl, NumberCellsRefuseOtherCharactersAndPastes)
{
    COwner owner;
    CTestList list;
    std::vector<Note> listNotes;
    Build(list, owner, listNotes);
    EditCell(list, 0, COL_NUMBER);
    CInPlaceEdit& edit = list.GetInPlaceEdit();
    ASSERT_TRUE(edit.GetSafeHwnd() != nullptr);
    edit.SetWindowText("");
    for (const char c : std::string("1a2.-x5"))
        edit.SendMessage(WM_CHAR, static_cast<unsigned char>(c), 0);
    CString typed;
    edit.GetWindowText(typed);
    EXPECT_EQ(typed, CString("12.-5"));

    const auto paste = [&edit](const char* clip) {
        if (::OpenClipboard(nullptr))
        {
            ::EmptyClipboard();
            const size_t n = std::strlen(clip) + 1;
            HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, n);
            std::memcpy(::GlobalLock(h), clip, n);
            ::GlobalUnlock(h);
            ::SetClipboardData(CF_TEXT, h);
            ::CloseClipboard();
        }
        edit.SetWindowText("");
        edit.SendMessage(WM_PASTE);
        CString text;
        edit.GetWindowText(text);
        return text;
    };
    EXPECT_EQ(paste("12a"), CString(""));
    EXPECT_EQ(paste("12.5"), CString("12.5"));
    list.SetFocus();
    PumpEvents();

    // A free-text cell takes nothing from the clipboard.
    EditCell(list, 1, COL_NAME);
    ASSERT_TRUE(edit.GetSafeHwnd() != nullptr);
    EXPECT_EQ(paste("anything"), CString(""));
}

TEST(MyListCtrl, HeadingsDrawInTheSchemesHeaderColours)
{
    COwner owner;
    CTestList list;
    std::vector<Note> listNotes;
    Build(list, owner, listNotes);
    list.m_bNight = false;
    list.SetColourScheme(2); // green: header background 0x008000
    PumpEvents();
    const QImage image = list.RenderToImage();
    CRect item;
    ASSERT_TRUE(list.GetHeaderCtrl()->GetItemRect(0, &item));
    // A pixel near the item's corner, clear of the centred text.
    EXPECT_EQ(image.pixelColor(item.left + 2, item.top + 2), QColor(0x00, 0x80, 0x00));
}

TEST(MyListCtrl, ScrollingEndsAnOpenEdit)
{
    COwner owner;
    CTestList list;
    std::vector<Note> listNotes;
    Build(list, owner, listNotes);
    EditCell(list, 0, COL_NAME);
    ASSERT_TRUE(list.GetInPlaceEdit().GetSafeHwnd() != nullptr);
    list.GetInPlaceEdit().SetWindowText("scrolled");
    list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    PumpEvents();
    EXPECT_EQ(list.GetItemText(0, COL_NAME), CString("scrolled"));
    EXPECT_EQ(owner.notes.back().what, "VALIDATE");
}

// The drop-down is n + 10 rows taller than its cell below ten choices, 11 rows from ten on.
TEST(MyListCtrl, DropDownHeightFollowsTheNumberOfChoices)
{
    for (const auto& [count, rows] : {std::pair<int, int>{1, 12}, {9, 20}, {10, 12}, {14, 12}})
    {
        SCOPED_TRACE(count);
        COwner owner;
        for (int i = 0; i < count; ++i)
        {
            CString choice;
            choice.Format("Choice %d", i);
            owner.choices.push_back(choice);
        }
        CTestList list;
        std::vector<Note> listNotes;
        Build(list, owner, listNotes);
        CRect cell;
        list.GetItemRect(1, &cell, LVIR_BOUNDS);
        EditCell(list, 1, COL_KIND);
        CInPlaceCombo& combo = list.GetInPlaceCombo();
        ASSERT_TRUE(combo.GetSafeHwnd() != nullptr);
        CRect dropped;
        combo.GetDroppedControlRect(&dropped);
        EXPECT_EQ(dropped.Height(), cell.Height() * rows);
        list.SetFocus();
        PumpEvents();
    }
}

// The background below the last row carries on the alternate row bands, and in column-colour
// mode each column's colour; the rows themselves keep theirs.
TEST(MyListCtrl, BackgroundCarriesTheRowBandsAndColumnColoursBelowTheRows)
{
    COwner owner;
    CTestList list;
    std::vector<Note> listNotes;
    Build(list, owner, listNotes);
    list.SetColourScheme(0); // white
    list.m_AlternateRowColour = RGB(0xC0, 0xE0, 0xFF);
    list.Invalidate();
    PumpEvents();
    CRect first;
    ASSERT_TRUE(list.GetItemRect(0, &first, LVIR_BOUNDS));
    const int h = first.Height();
    QImage image = list.RenderToImage();
    // Rows 3 and 4 hold no item: band 3 is odd (alternate colour), band 4 even (background).
    const int x = first.left + 300;
    EXPECT_EQ(image.pixelColor(x, first.top + 3 * h + h / 2), QColor(0xC0, 0xE0, 0xFF));
    EXPECT_EQ(image.pixelColor(x, first.top + 4 * h + h / 2), QColor(0xFF, 0xFF, 0xFF));

    list.m_AlternateRowColour = 0;
    list.m_ColumnColourMode = 1;
    HDITEM hd{};
    hd.mask = HDI_LPARAM;
    hd.lParam = RGB(0xFF, 0xE0, 0x80);
    list.GetHeaderCtrl()->SetItem(1, &hd);
    list.Invalidate();
    PumpEvents();
    image = list.RenderToImage();
    EXPECT_EQ(image.pixelColor(90 + 45, first.top + 4 * h), QColor(0xFF, 0xE0, 0x80));
    EXPECT_EQ(image.pixelColor(45, first.top + 4 * h), QColor(0xFF, 0xFF, 0xFF));
}

// The custom-draw colours as the rows show them: a row coloured by its data (grey, with white
// text), the highlight row in its own colours, and the odd rows in the alternate colour.
TEST(MyListCtrl, CustomDrawnRowsShowTheirColours)
{
    COwner owner;
    CTestList list;
    std::vector<Note> listNotes;
    Build(list, owner, listNotes);
    list.SetColourScheme(0);
    list.InsertItem(3, "name");
    list.m_bRowColourByData = true;
    list.SetItemData(0, 0x808080);
    list.m_HighlightRow = 2;
    list.m_HighlightBackColour = RGB(0, 0, 0x80);
    list.m_HighlightTextColour = RGB(0xFF, 0xFF, 0);
    list.Invalidate();
    PumpEvents();
    const QImage image = list.RenderToImage();
    const auto cell = [&list, &image](int row, int column) {
        CRect r;
        list.GetItemRect(row, &r, LVIR_BOUNDS);
        return image.copy(QRect(r.left + column * 90 + 2, r.top + 1, 86, r.Height() - 2));
    };
    const QImage grey = cell(0, COL_NAME);
    EXPECT_GT(CountPixels(grey, QColor(0x80, 0x80, 0x80)), grey.width() * grey.height() / 2);
    EXPECT_GT(CountPixels(grey, QColor(0xFF, 0xFF, 0xFF), 96), 10) << "no white text on the grey row";
    const QImage highlight = cell(2, COL_NUMBER);
    EXPECT_GT(CountPixels(highlight, QColor(0, 0, 0x80)), highlight.width() * highlight.height() / 2);
    EXPECT_GT(CountPixels(highlight, QColor(0xFF, 0xFF, 0), 96), 10) << "no highlight text";
    const QImage plain = cell(3, COL_NAME);
    EXPECT_GT(CountPixels(plain, QColor(0xFF, 0xFF, 0xFF)), plain.width() * plain.height() / 2);
}

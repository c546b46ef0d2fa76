// The property grid and its values, driven as a pane's user would: items edited through the
// in-place editor's entry point, the owner told of each accepted change.
#include "platform/core/Exception.h"
#include "platform/ui/OleVariant.h"
#include "platform/ui/PropertyGrid.h"
#include "platform/ui/Resources.h"
#include "testsupport/FrameProbe.h"

#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QSpinBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <gtest/gtest.h>

#include <vector>

namespace
{
// The grid's owner: writes down each change notification and, when asked, rebuilds the
// grid from inside the notification as the panes' InitPropList does.
class COwnerWnd : public CWnd
{
public:
    std::vector<DWORD_PTR> changed;
    std::vector<WPARAM> gridIds;
    CMFCPropertyGridCtrl* rebuild = nullptr;

    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam)
    {
        auto* prop = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
        changed.push_back(prop->GetData());
        gridIds.push_back(wParam);
        if (rebuild)
        {
            rebuild->RemoveAll();
            rebuild->AddProperty(new CMFCPropertyGridProperty("Rebuilt"));
        }
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerWnd, CWnd)
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, &COwnerWnd::OnPropertyChanged)
END_MESSAGE_MAP()

struct GridFixture : ::testing::Test
{
    COwnerWnd owner;
    CMFCPropertyGridCtrl grid;
    CMFCPropertyGridProperty* group = nullptr;
    CMFCPropertyGridProperty* display = nullptr;
    CMFCPropertyGridProperty* order = nullptr;
    CMFCPropertyGridProperty* count = nullptr;
    CMFCPropertyGridProperty* name = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 300),
                                   nullptr, 0));
        ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 280, 280), &owner, 1));
        group = new CMFCPropertyGridProperty("Properties");
        display = new CMFCPropertyGridProperty("Display", COleVariant(static_cast<short>(-1), VT_BOOL),
                                               "Whether to display", 1);
        order = new CMFCPropertyGridProperty("Data Order", COleVariant("E,N"), "Order of data", 2);
        order->AddOption("E,N");
        order->AddOption("N,E");
        order->AllowEdit(FALSE);
        count = new CMFCPropertyGridProperty("Rings", COleVariant(static_cast<short>(3)), "Number of rings", 3);
        name = new CMFCPropertyGridProperty("Name", COleVariant("Route A"), "Free text", 4);
        group->AddSubItem(display);
        group->AddSubItem(order);
        group->AddSubItem(count);
        group->AddSubItem(name);
        EXPECT_EQ(grid.AddProperty(group), 0);
    }
};
} // namespace

TEST(OleVariantTest, ConversionsKeepTypesAndRefuseNonsense)
{
    COleVariant yes(static_cast<short>(5), VT_BOOL);
    EXPECT_EQ(yes.vt, VT_BOOL);
    EXPECT_EQ(yes.boolVal, -1); // any non-zero value is stored as the framework's true
    EXPECT_EQ(yes, COleVariant(true));
    EXPECT_NE(COleVariant(static_cast<short>(1)), COleVariant(1L)); // same number, other type

    struct Case
    {
        const char* text;
        VARTYPE to;
        bool ok;
        double value;
    } cases[] = {
        {"12.5", VT_R8, true, 12.5},   {" 7 ", VT_I4, true, 7},       {"40000", VT_I2, false, 0},
        {"abc", VT_R8, false, 0},      {"", VT_I4, false, 0},         {"3000000000", VT_I4, false, 0},
        {"-1", VT_UI1, false, 0},      {"255", VT_UI1, true, 255},   {"1e400", VT_R8, false, 0},
    };
    for (const Case& c : cases)
    {
        COleVariant v(c.text);
        bool ok = true;
        try
        {
            v.ChangeType(c.to);
        }
        catch (CException* e)
        {
            ok = false;
            e->Delete();
        }
        EXPECT_EQ(ok, c.ok) << c.text;
        if (ok)
        {
            EXPECT_EQ(v.vt, c.to) << c.text;
            EXPECT_DOUBLE_EQ(v.ToDouble(), c.value) << c.text;
        }
        else
            EXPECT_EQ(v.vt, VT_BSTR) << "a failed conversion leaves the value as it was: " << c.text;
    }
    COleVariant d(2.0);
    d.ChangeType(VT_BSTR);
    EXPECT_STREQ(d.bstrVal, "2");
}

TEST_F(GridFixture, ShowsEveryItemAndFindsItByData)
{
    EXPECT_EQ(grid.GetPropertyCount(), 1);
    EXPECT_EQ(group->GetSubItemsCount(), 4);
    EXPECT_EQ(grid.FindItemByData(3), count);
    EXPECT_EQ(grid.FindItemByData(99), nullptr);
    EXPECT_EQ(group->GetSubItem(4), nullptr);
    EXPECT_STREQ(grid.GetShownName(group), "Properties");
    EXPECT_STREQ(grid.GetShownValue(display), "True");
    EXPECT_STREQ(grid.GetShownValue(order), "E,N");
    EXPECT_STREQ(grid.GetShownValue(count), "3");

    count->Enable(FALSE);
    name->Show(FALSE);
    EXPECT_FALSE(grid.IsShownEnabled(count));
    EXPECT_FALSE(grid.IsShownVisible(name));
    EXPECT_TRUE(grid.IsShownVisible(order));
    name->SetName("Title");
    EXPECT_STREQ(grid.GetShownName(name), "Title");
    display->SetValue(COleVariant(static_cast<short>(0), VT_BOOL));
    EXPECT_STREQ(grid.GetShownValue(display), "False");
}

// What a user reads: with the description area on and a long description chosen, the rows keep
// most of the grid's height, the description a few lines, and the names show whole; a name
// too long for the grid takes no more than its share, so the values still show.
TEST_F(GridFixture, RowsKeepTheRoomAndNamesShowWhole)
{
    grid.EnableDescriptionArea();
    grid.SetVSDotNetLook();
    name->SetName("Label Position");
    name->SetDescription("Where the label stands beside the symbol: above, below, to the left or to the right, "
                         "at the distance that the symbol size gives, in every view that draws this file.");
    for (int i = 0; i < 6; ++i)
        group->AddSubItem(new CMFCPropertyGridProperty(CString("Item ") + CString(static_cast<char>('A' + i)),
                                                       COleVariant(1.0), "", 10 + static_cast<DWORD_PTR>(i)));
    grid.SetCurSel(name);
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    const QImage image = FrameProbe::GrabWindow(&grid);
    const FrameProbe::GridRowsSeen seen = FrameProbe::ReadGridRows(image, &grid);
    auto* tree = grid.GetWidget()->findChild<QTreeWidget*>();
    ASSERT_NE(tree, nullptr);
    const int rowHeight = tree->visualItemRect(tree->topLevelItem(0)).height();
    // 280 pixels hold eleven rows; the description takes at most four lines of them.
    EXPECT_GE(seen.wholeRows, 8);
    EXPECT_TRUE(seen.cutNames.empty()) << seen.cutNames.front();
    EXPECT_GE(tree->height(), 280 - 4 * QFontMetrics(tree->font()).lineSpacing() - 16);
    EXPECT_GT(rowHeight, 0);

    name->SetName("A name far longer than any grid of a pane has room for, even a wide one");
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    EXPECT_LE(tree->columnWidth(0), tree->viewport()->width() * 11 / 20);
    EXPECT_GE(tree->columnWidth(1), tree->viewport()->width() * 2 / 5);
}

TEST_F(GridFixture, AcceptedEditsReachTheOwnerWithTheItem)
{
    EXPECT_TRUE(grid.EditProperty(display, "False"));
    EXPECT_EQ(display->GetValue().vt, VT_BOOL);
    EXPECT_EQ(display->GetValue().boolVal, 0);
    EXPECT_TRUE(grid.EditProperty(count, "7"));
    EXPECT_EQ(count->GetValue().vt, VT_I2);
    EXPECT_EQ(count->GetValue().iVal, 7);
    EXPECT_TRUE(grid.EditProperty(name, "Route B"));
    EXPECT_TRUE(grid.EditProperty(order, "N,E"));
    EXPECT_EQ(owner.changed, (std::vector<DWORD_PTR>{1, 3, 4, 2}));
    EXPECT_EQ(owner.gridIds.front(), 1u);
    EXPECT_STREQ(grid.GetShownValue(count), "7");

    // The same value again is no change.
    EXPECT_TRUE(grid.EditProperty(count, "7"));
    EXPECT_EQ(owner.changed.size(), 4u);
}

TEST_F(GridFixture, RefusedEditsKeepTheValueAndTellNobody)
{
    EXPECT_FALSE(grid.EditProperty(order, "Z,Y")); // not an option, no free typing
    EXPECT_FALSE(grid.EditProperty(count, "many"));
    EXPECT_FALSE(grid.EditProperty(count, "70000")); // does not fit a 16-bit value
    EXPECT_FALSE(grid.EditProperty(display, "maybe"));
    EXPECT_FALSE(grid.EditProperty(group, "x"));
    count->Enable(FALSE);
    EXPECT_FALSE(grid.EditProperty(count, "4"));
    EXPECT_TRUE(owner.changed.empty());
    EXPECT_STREQ(order->GetValue().bstrVal, "E,N");
    EXPECT_EQ(count->GetValue().iVal, 3);
    EXPECT_STREQ(grid.GetShownValue(count), "3");

    // With free typing the option list is only a suggestion.
    order->AllowEdit(TRUE);
    EXPECT_TRUE(grid.EditProperty(order, "Z,Y"));
}

TEST_F(GridFixture, OwnerMayRebuildTheGridInsideTheNotification)
{
    owner.rebuild = &grid;
    EXPECT_TRUE(grid.EditProperty(count, "9"));
    EXPECT_EQ(owner.changed, (std::vector<DWORD_PTR>{3}));
    ASSERT_EQ(grid.GetPropertyCount(), 1);
    EXPECT_STREQ(grid.GetProperty(0)->GetName(), "Rebuilt");
    EXPECT_EQ(grid.FindItemByData(3), nullptr);
}

TEST_F(GridFixture, LookSettingsAreKept)
{
    grid.EnableHeaderCtrl(FALSE, "Property", "Value");
    grid.EnableDescriptionArea();
    grid.SetVSDotNetLook();
    grid.MarkModifiedProperties();
    grid.SetCustomColors(1, 2, 3, 4, 5, 6, 7);
    COLORREF c[7];
    grid.GetCustomColors(c[0], c[1], c[2], c[3], c[4], c[5], c[6]);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(c[i], static_cast<COLORREF>(i + 1));
    EXPECT_FALSE(grid.IsHeaderCtrl());
    EXPECT_TRUE(grid.IsDescriptionArea());
    EXPECT_GT(grid.GetRowHeight(), 8);

    EXPECT_FALSE(grid.IsShownBold(count));
    ASSERT_TRUE(grid.EditProperty(count, "5"));
    EXPECT_TRUE(grid.IsShownBold(count)); // modified items are marked
    count->ResetOriginalValue();
    EXPECT_FALSE(grid.IsShownBold(count));

    grid.SetCurSel(order);
    EXPECT_EQ(grid.GetCurSel(), order);
    EXPECT_NE(CString(grid.GetShownDescription()).Find("Order of data"), -1);
}

TEST(ResourceChainTest, CallerFirstThenTheOtherModules)
{
    static const STRINGTABLE_ENTRY host[] = {{100, "Host text"}, {101, "Host only"}};
    static const STRINGTABLE_ENTRY library[] = {{100, "Library text"}, {102, "Library only"}};
    AfxRegisterStringTable("TestHost", host, 2);
    AfxRegisterStringTable("TestLibrary", library, 2);
    CString text;
    EXPECT_TRUE(AfxLoadString(100, text, "TestLibrary"));
    EXPECT_STREQ(text, "Library text");
    EXPECT_TRUE(AfxLoadString(100, text, "TestHost"));
    EXPECT_STREQ(text, "Host text");
    EXPECT_TRUE(AfxLoadString(101, text, "TestLibrary"));
    EXPECT_STREQ(text, "Host only");
    EXPECT_FALSE(AfxLoadString(999, text, "TestHost"));
    EXPECT_TRUE(text.IsEmpty());
    AfxUnregisterStringTable("TestLibrary");
    EXPECT_FALSE(AfxLoadString(102, text, "TestHost"));
    AfxUnregisterStringTable("TestHost");
}

namespace
{
// Destroys and deletes its grid from inside a message, as a pane closing itself does: the
// grid's Qt widgets then outlive the grid until the event loop runs again.
class CDestroyingOwner : public CWnd
{
public:
    CMFCPropertyGridCtrl* grid = nullptr;

    LRESULT OnDropGrid(WPARAM, LPARAM)
    {
        grid->DestroyWindow();
        delete grid;
        grid = nullptr;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDestroyingOwner, CWnd)
ON_MESSAGE(WM_USER + 5, &CDestroyingOwner::OnDropGrid)
END_MESSAGE_MAP()
} // namespace

TEST(PropertyGridLifetime, TreeOutlivingItsGridNoLongerReachesIt)
{
    CDestroyingOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 300), nullptr, 0));
    owner.grid = new CMFCPropertyGridCtrl;
    ASSERT_TRUE(owner.grid->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 280, 280), &owner, 1));
    owner.grid->AddProperty(new CMFCPropertyGridProperty("Name", COleVariant("A"), "Text", 1));
    QPointer<QTreeWidget> tree;
    for (QWidget* w : QApplication::allWidgets())
        if (auto* t = qobject_cast<QTreeWidget*>(w))
            tree = t;
    ASSERT_TRUE(tree);

    owner.SendMessage(WM_USER + 5, 0, 0);
    ASSERT_EQ(owner.grid, nullptr);
    ASSERT_TRUE(tree) << "the grid's widgets are deleted later, not inside the message";
    // Whatever the tree still does before it goes must not touch the deleted grid or its items.
    EXPECT_EQ(tree->topLevelItemCount(), 0);
    auto* item = new QTreeWidgetItem(QStringList{"stray"});
    tree->addTopLevelItem(item);
    tree->setCurrentItem(item);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(tree);
    owner.DestroyWindow();
}

namespace
{
// An item whose value its own editor sets (a colour, a file): the grid shows a "..." button.
class CButtonProperty : public CMFCPropertyGridProperty
{
public:
    CButtonProperty() : CMFCPropertyGridProperty("Colour", COleVariant("Red"), "Opens its own editor", 9) {}
    BOOL HasButton() const override { return TRUE; }
    void OnClickButton(CPoint) override { ++clicks; }
    int clicks = 0;
};
} // namespace

TEST_F(GridFixture, AButtonItemHandsTheButtonClickToTheItem)
{
    auto* colour = new CButtonProperty;
    colour->AllowEdit(FALSE);
    group->AddSubItem(colour);
    grid.AddProperty(new CMFCPropertyGridProperty("Spare")); // the grid shows its items again
    QTreeWidget* tree = grid.GetWidget()->findChild<QTreeWidget*>();
    ASSERT_NE(tree, nullptr);
    QTreeWidgetItem* row = nullptr;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->text(0) == "Colour")
            row = *it;
    ASSERT_NE(row, nullptr);
    tree->scrollToItem(row);
    // A double click on the value opens the item's editor with its button, as a user does.
    const QPoint value = tree->visualItemRect(row).center() + QPoint(tree->columnWidth(0) / 2, 0);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, value);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, value);
    QApplication::processEvents();
    QToolButton* button = tree->findChild<QToolButton*>();
    ASSERT_NE(button, nullptr) << "no button on the item";
    EXPECT_EQ(button->text(), "...");
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(colour->clicks, 1);
    // Its text is no edit of the user's: the value stays and nobody is told.
    QLineEdit* text = tree->findChild<QLineEdit*>();
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    tree->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(owner.changed.empty());
}

// A count stepped with spin buttons and typing off: the editor opens, typed digits do not
// reach it, an arrow key steps it within the range, and the step reaches the owner.
TEST_F(GridFixture, SpinItemWithTypingOffStepsButTakesNoTyping)
{
    auto* legs = new CMFCPropertyGridProperty("Legs", COleVariant(3L), "Number of legs", 7);
    legs->EnableSpinControl(TRUE, 3, 4);
    legs->AllowEdit(FALSE);
    group->AddSubItem(legs);
    grid.AddProperty(new CMFCPropertyGridProperty("Spare")); // the grid shows its items again
    EXPECT_TRUE(grid.IsShownEnabled(legs));
    QTreeWidget* tree = grid.GetWidget()->findChild<QTreeWidget*>();
    ASSERT_NE(tree, nullptr);
    QTreeWidgetItem* row = nullptr;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->text(0) == "Legs")
            row = *it;
    ASSERT_NE(row, nullptr);
    EXPECT_TRUE(row->flags() & Qt::ItemIsEditable);
    tree->scrollToItem(row);
    const QPoint value = tree->visualItemRect(row).center() + QPoint(tree->columnWidth(0) / 2, 0);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, value);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, value);
    QApplication::processEvents();
    QSpinBox* spin = tree->findChild<QSpinBox*>();
    ASSERT_NE(spin, nullptr) << "no spin editor";
    spin->setFocus();
    QTest::keyClicks(spin, "9");
    EXPECT_EQ(spin->value(), 3);
    QTest::keyClick(spin, Qt::Key_Up);
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(spin->value(), 4) << "the range ends at 4";
    QTest::keyClick(spin, Qt::Key_Return);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    EXPECT_EQ(legs->GetValue().lVal, 4);
    EXPECT_EQ(owner.changed, std::vector<DWORD_PTR>{7});
    // Text beyond the range is refused on the edit path too.
    EXPECT_FALSE(grid.EditProperty(legs, "5"));
    EXPECT_EQ(legs->GetValue().lVal, 4);
}

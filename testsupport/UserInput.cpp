#include "testsupport/UserInput.h"

#include "platform/ui/ListCtrl.h"
#include "platform/ui/PropertyGrid.h"
#include "platform/ui/Wnd.h"
#include "testsupport/EventPump.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>
#include <QToolBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTreeWidget>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>

namespace UserInput
{
namespace
{
// The deepest widget under a point of `top`, and the point in its coordinates.
QWidget* WidgetAt(QWidget* top, QPoint& pos)
{
    QWidget* target = top->childAt(pos);
    if (!target)
        return top;
    pos = target->mapFrom(top, pos);
    return target;
}

// Each event goes to the widget under the point at that moment, as on a screen: a first click
// may open a window there (an in-place editor) that takes the second.
void Click(QWidget* top, QPoint topPos, bool doubleClick, Qt::MouseButton button = Qt::LeftButton)
{
    const auto target = [top, topPos](QPoint& pos) {
        pos = topPos;
        return WidgetAt(top, pos);
    };
    QPoint pos;
    QWidget* w = target(pos);
    QTest::mouseMove(w, pos);
    QTest::mousePress(w, button, Qt::NoModifier, pos);
    if ((w = target(pos)) != nullptr)
        QTest::mouseRelease(w, button, Qt::NoModifier, pos);
    Pump();
    if (!doubleClick)
        return;
    w = target(pos);
    QMouseEvent press(QEvent::MouseButtonDblClick, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    w = target(pos);
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, pos);
    Pump();
}
} // namespace

void ClickClient(CWnd* wnd, int x, int y, bool doubleClick)
{
    QWidget* top = wnd ? wnd->GetWidget() : nullptr;
    if (!top)
        return;
    Click(top, QPoint(x, y), doubleClick);
}

namespace
{
void SendMouse(CWnd* wnd, QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers keys)
{
    QWidget* top = wnd ? wnd->GetWidget() : nullptr;
    if (!top)
        return;
    QPoint pos(x, y);
    QWidget* w = WidgetAt(top, pos);
    QMouseEvent event(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, held, keys);
    QApplication::sendEvent(w, &event);
    Pump();
}
} // namespace

void PressClient(CWnd* wnd, int x, int y, Qt::KeyboardModifiers keys)
{
    SendMouse(wnd, QEvent::MouseButtonPress, x, y, Qt::LeftButton, Qt::LeftButton, keys);
}

void DragClient(CWnd* wnd, int x, int y, Qt::KeyboardModifiers keys)
{
    SendMouse(wnd, QEvent::MouseMove, x, y, Qt::NoButton, Qt::LeftButton, keys);
}

void ReleaseClient(CWnd* wnd, int x, int y, Qt::KeyboardModifiers keys)
{
    SendMouse(wnd, QEvent::MouseButtonRelease, x, y, Qt::LeftButton, Qt::NoButton, keys);
}

void HoverClient(CWnd* wnd, int x, int y)
{
    SendMouse(wnd, QEvent::MouseMove, x, y, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
}

void RightClickClient(CWnd* wnd, int x, int y)
{
    QWidget* top = wnd ? wnd->GetWidget() : nullptr;
    if (top)
        Click(top, QPoint(x, y), false, Qt::RightButton);
}

bool ClickToolBarButton(CWnd* toolBar, int index)
{
    auto* bar = toolBar ? qobject_cast<QToolBar*>(toolBar->GetWidget()) : nullptr;
    QAction* action = bar && index >= 0 && index < bar->actions().size() ? bar->actions().at(index) : nullptr;
    QWidget* button = action ? bar->widgetForAction(action) : nullptr;
    if (!button || !button->isVisible())
        return false;
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    Pump();
    return true;
}

void ClickCell(CListCtrl& list, int row, int column, bool doubleClick)
{
    CRect cell;
    if (!list.GetSubItemRect(row, column, LVIR_BOUNDS, cell))
        return;
    // The first column's bounds span the whole row: its own part ends where column 1 starts.
    if (column == 0)
    {
        CRect next;
        if (list.GetSubItemRect(row, 1, LVIR_BOUNDS, next) && next.left > cell.left)
            cell.right = next.left;
    }
    ClickClient(&list, cell.CenterPoint().x, cell.CenterPoint().y, doubleClick);
}

void RightClickHeading(CListCtrl& list, int column)
{
    QWidget* top = list.GetWidget();
    QHeaderView* header = nullptr;
    if (top)
        for (QHeaderView* h : top->findChildren<QHeaderView*>())
            if (h->orientation() == Qt::Horizontal && h->isVisible())
                header = h;
    if (!header || column < 0 || column >= header->count())
        return;
    // The screen's events reach a header through its viewport.
    QWidget* viewport = header->viewport();
    const QPoint pos(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                     viewport->height() / 2);
    QTest::mouseMove(viewport, pos);
    QTest::mousePress(viewport, Qt::RightButton, Qt::NoModifier, pos);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, pos, viewport->mapToGlobal(pos));
    QApplication::sendEvent(viewport, &menu);
    QTest::mouseRelease(viewport, Qt::RightButton, Qt::NoModifier, pos);
    Pump();
}

QAbstractItemView* DropDown(QComboBox* combo)
{
    if (!combo)
        return nullptr;
    // A combo the user can type into drops down from its arrow only.
    QPoint at = combo->rect().center();
    if (combo->isEditable())
    {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = true;
        const QRect arrow =
            combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo);
        if (arrow.isValid())
            at = arrow.center();
    }
    QTest::mouseClick(combo, Qt::LeftButton, Qt::NoModifier, at);
    QAbstractItemView* view = combo->view();
    if (!PumpUntil([view] { return view->isVisible(); }, 2000))
        return nullptr;
    // A release right after the drop-down opens is the opening click's own: wait as a person does.
    PumpFor(QApplication::doubleClickInterval() + 100);
    return view;
}

bool PickFromDropDown(QComboBox* combo, const QString& text)
{
    if (!combo)
        return false;
    const int index = combo->findText(text, Qt::MatchExactly);
    if (index < 0)
        return false;
    QAbstractItemView* view = DropDown(combo);
    if (!view)
        return false;
    const QRect item = view->visualRect(combo->model()->index(index, combo->modelColumn(), combo->rootModelIndex()));
    if (!item.isValid())
        return false;
    QWidget* viewport = view->viewport();
    QTest::mouseMove(viewport, item.center());
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, item.center());
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, item.center());
    Pump();
    return true;
}

QWidget* OpenGridEditor(CMFCPropertyGridCtrl& grid, const QString& rowName)
{
    QWidget* box = grid.GetWidget();
    auto* tree = box ? box->findChild<QTreeWidget*>() : nullptr;
    if (!tree)
        return nullptr;
    // "Group/Row" names a row whose name other groups use too.
    const int slash = rowName.indexOf('/');
    const QString name = slash < 0 ? rowName : rowName.mid(slash + 1);
    QList<QTreeWidgetItem*> rows = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive, 0);
    if (slash >= 0)
        rows.erase(std::remove_if(rows.begin(), rows.end(),
                                  [&](QTreeWidgetItem* row) {
                                      return !row->parent() || row->parent()->text(0) != rowName.left(slash);
                                  }),
                   rows.end());
    if (rows.size() != 1)
        return nullptr;
    tree->scrollToItem(rows.front());
    Pump();
    const QRect row = tree->visualItemRect(rows.front());
    const QPoint value(tree->header()->sectionPosition(1) + 20, row.center().y());
    const QPoint inGrid = tree->viewport()->mapTo(box, value);
    const auto editor = [tree]() -> QWidget* {
        for (QWidget* w : tree->viewport()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (w->isVisible())
                return w;
        return nullptr;
    };
    ClickClient(&grid, inGrid.x(), inGrid.y());
    // The second click comes after a double click's time, as a person's would.
    PumpFor(QApplication::doubleClickInterval() + 50);
    if (!editor())
        ClickClient(&grid, inGrid.x(), inGrid.y());
    PumpUntil([&] { return editor() != nullptr; }, 1000);
    return editor();
}

bool PickInGrid(CMFCPropertyGridCtrl& grid, const QString& rowName, const QString& choice)
{
    auto* combo = qobject_cast<QComboBox*>(OpenGridEditor(grid, rowName));
    return combo && PickFromDropDown(combo, choice);
}

bool EditGridRow(CMFCPropertyGridCtrl& grid, const QString& rowName, const QString& text)
{
    QWidget* editor = OpenGridEditor(grid, rowName);
    if (editor == nullptr)
        return false;
    if (auto* combo = qobject_cast<QComboBox*>(editor))
    {
        const bool picked = PickFromDropDown(combo, text);
        Pump();
        return picked;
    }
    Key(Qt::Key_A, Qt::ControlModifier);
    Type(text, true);
    Pump();
    return true;
}

void Type(const QString& text, bool enter)
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
        return;
    QTest::keyClicks(focus, text);
    if (enter)
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : focus, Qt::Key_Return);
    Pump();
}

void Key(int key)
{
    Key(key, Qt::NoModifier);
}

void Key(int key, unsigned int modifiers)
{
    if (QWidget* focus = QApplication::focusWidget())
        QTest::keyClick(focus, static_cast<Qt::Key>(key), Qt::KeyboardModifiers(static_cast<int>(modifiers)));
    Pump();
}

void Wheel(CWnd* wnd, int notches)
{
    QWidget* top = wnd ? wnd->GetWidget() : nullptr;
    if (!top)
        return;
    const int step = notches < 0 ? -120 : 120;
    for (int i = 0; i < (notches < 0 ? -notches : notches); ++i)
    {
        QPoint pos = top->rect().center();
        QWidget* w = WidgetAt(top, pos);
        QWheelEvent wheel(QPointF(pos), QPointF(w->mapToGlobal(pos)), QPoint(), QPoint(0, step), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &wheel);
    }
    Pump();
}
bool ChooseFromMenuBar(QMenuBar* bar, const QString& popup, const QString& item)
{
    if (!bar)
        return false;
    QAction* title = nullptr;
    for (QAction* action : bar->actions())
        if (action->text() == popup && action->menu())
            title = action;
    if (!title)
        return false;
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->actionGeometry(title).center());
    Pump();
    QMenu* menu = title->menu();
    if (!menu->isVisible())
        return false;
    QAction* chosen = nullptr;
    for (QAction* action : menu->actions())
        if (action->text() == item)
            chosen = action;
    if (!chosen || !chosen->isEnabled())
    {
        menu->close();
        Pump();
        return false;
    }
    const QPoint at = menu->actionGeometry(chosen).center();
    QTest::mouseMove(menu, at);
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, at);
    Pump();
    return true;
}
} // namespace UserInput

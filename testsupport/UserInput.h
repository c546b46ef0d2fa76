// A user's mouse and keys, given to a window through Qt's own event delivery: a click on a
// point of a window's client area, a click on a list cell, a pick in a drop-down's popup.
#pragma once

#include "platform/core/WinTypes.h"

#include <QString>
#include <Qt>

class CWnd;
class CListCtrl;
class CMFCPropertyGridCtrl;
class QAbstractItemView;
class QComboBox;
class QMenuBar;
class QWidget;

namespace UserInput
{
// A left click (or a double click) at a point of `wnd`'s client area; it lands on the widget
// that lies there, as a real click would.
void ClickClient(CWnd* wnd, int x, int y, bool doubleClick = false);
// A right click at a point of `wnd`'s client area, landing as ClickClient's does.
void RightClickClient(CWnd* wnd, int x, int y);
// The left button pressed at a point of `wnd`'s client area, the mouse moved there with the
// button held, and the button released there, each with the keys held (Qt::ShiftModifier,
// Qt::ControlModifier). Each lands on the widget under the point, as ClickClient's does.
void PressClient(CWnd* wnd, int x, int y, Qt::KeyboardModifiers keys = Qt::NoModifier);
void DragClient(CWnd* wnd, int x, int y, Qt::KeyboardModifiers keys = Qt::NoModifier);
void ReleaseClient(CWnd* wnd, int x, int y, Qt::KeyboardModifiers keys = Qt::NoModifier);
// The mouse moved there with no button held.
void HoverClient(CWnd* wnd, int x, int y);
// A left click on the button at `index` of a toolbar (CMFCToolBar; separators count), as the
// user presses it on the screen. False when there is no such button.
bool ClickToolBarButton(CWnd* toolBar, int index);
// A left click in the middle of a list cell (report view).
void ClickCell(CListCtrl& list, int row, int column, bool doubleClick = false);
// A right click in the middle of a column's heading: the press, the context-menu event the
// window system sends with it, and the release, as the heading receives them from the screen.
void RightClickHeading(CListCtrl& list, int column);
// Drops the list down with a click on the combo and waits as a user would; the popup's view,
// null when it did not open.
QAbstractItemView* DropDown(QComboBox* combo);
// Drops the list down with a click on the combo, waits as a user would, and clicks the item
// with that text in the popup. False when the popup did not open or holds no such item.
bool PickFromDropDown(QComboBox* combo, const QString& text);
// Opens the in-place editor of the grid's row named `rowName` as a user does: a click on the
// row's value selects the row, a second click there starts the edit. The editor, null when
// none opened (no such row, or the row is not editable). "Group/Row" names a row whose name
// other groups use too.
QWidget* OpenGridEditor(CMFCPropertyGridCtrl& grid, const QString& rowName);
// A choice made in the grid's row as a user makes it: the row's editor opened, its list
// dropped down, the item clicked; no key is pressed. False when a step failed.
bool PickInGrid(CMFCPropertyGridCtrl& grid, const QString& rowName, const QString& choice);
// An edit of the row as the user makes it: the row's editor opened, then the text typed over
// what it holds and Enter, or the choice picked in its list. False when no editor opened or
// the list holds no such choice.
bool EditGridRow(CMFCPropertyGridCtrl& grid, const QString& rowName, const QString& text);
// Keys typed into whatever has the focus: text, then Enter when `enter`.
void Type(const QString& text, bool enter);
// One key (Qt::Key_F2, Qt::Key_Escape...) to the widget with the focus.
void Key(int key);
// One key with modifiers (Qt::ShiftModifier, Qt::KeypadModifier...) to the widget with the focus.
void Key(int key, unsigned int modifiers);
// Turns the mouse wheel over the middle of `wnd`'s client area by `notches` (120 each): away
// from the user when positive, towards the user when negative.
void Wheel(CWnd* wnd, int notches);
// A command chosen from a frame's menu bar as a user chooses it: a click on the popup's title
// opens its menu, a click on the item chooses it. False, with the menu closed again, when the
// bar has no such popup, the menu did not open, it holds no such item or the item is greyed.
bool ChooseFromMenuBar(QMenuBar* bar, const QString& popup, const QString& item);
} // namespace UserInput

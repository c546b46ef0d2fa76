// Probes for pane and chart tests: what a user sees of a pane's grid and table, and edits made
// through the grid's own in-place edit path. Grabs, top-level windows and clicks are those of
// FrameProbe and UserInput.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/PropertyGrid.h"

#include <QColor>

#include <string>
#include <vector>

class CListCtrl;
class QWidget;

// The grid's item with the data word, searched through every group; null when there is none.
CMFCPropertyGridProperty* FindGridItem(const CMFCPropertyGridCtrl& grid, DWORD_PTR id);
// Ends an in-place edit of the item with the data word as a user typing or choosing `text`
// would, then lets posted messages arrive. False when there is no such item or it refused.
bool EditGridItem(CMFCPropertyGridCtrl& grid, DWORD_PTR id, const char* text);
// Gives the item with the data word the value and lets the grid tell its owner, as the end of
// an edit does, without the item's own checks; then lets posted messages arrive. False when
// there is no such item.
bool NotifyGridChange(CMFCPropertyGridCtrl& grid, DWORD_PTR id, const COleVariant& value);
// How many pixels of `colour` the grid, as drawn on the screen, shows in the first 40 pixels
// across of the value column of the one row named `rowName` (a sample, a swatch); -1 when the grid has no
// single row of that name.
int GridValuePixels(CMFCPropertyGridCtrl& grid, const char* rowName, const QColor& colour);
// How many pixels of `colour` the grid, as drawn on the screen, shows in the value cell of the
// item; -1 when the item's row is not in view.
int GridItemValuePixels(CMFCPropertyGridCtrl& grid, const CMFCPropertyGridProperty* item, const QColor& colour);
// How many pixels of `colour` the grid, as drawn on the screen, shows in the name cell of the
// item (a group's caption); -1 when the item's row is not in view.
int GridItemNamePixels(CMFCPropertyGridCtrl& grid, const CMFCPropertyGridProperty* item, const QColor& colour);

// What the grid shows of one item: its name and value text (Qt's Unicode: "°" for 0xB0), whether
// its row shows, is enabled and opens an editor, its data word, and the colours of its name and
// value cells (a colour not set by the item reads as invalid, the tree's own). `inGrid` false
// for an item that is not in the grid.
struct GRID_ITEM_SEEN
{
    bool inGrid = false;
    QString name;
    QString value;
    bool visible = false;
    bool enabled = false;
    bool editable = false;
    DWORD_PTR data = 0;
    QColor nameText, nameBack, valueText, valueBack;
};
GRID_ITEM_SEEN SeeGridItem(const CMFCPropertyGridCtrl& grid, const CMFCPropertyGridProperty* item);
// A left click on the item's value cell, `x` pixels from its left and half way down, as a
// user makes it (UserInput::ClickClient); then lets posted messages arrive. False when the
// row is not in view.
bool ClickGridValue(CMFCPropertyGridCtrl& grid, const CMFCPropertyGridProperty* item, int x);

// The colour of a COLORREF (0x00BBGGRR), read byte by byte here rather than through the
// layer's own conversion, so that a byte-order slip there shows in a test.
QColor ColourOfRef(COLORREF colour);

// The names of the grid's top-level groups, in order.
std::vector<std::string> GridGroupNames(const CMFCPropertyGridCtrl& grid);
// The options of a list item, in order; none for a null item.
std::vector<std::string> GridItemOptions(const CMFCPropertyGridProperty* item);

// The table's column headings, and its cells row by row.
std::vector<std::string> TableHeadings(const CListCtrl& table);
std::vector<std::vector<std::string>> TableCells(const CListCtrl& table);

// What a user reads of a context menu on the screen (the window ModalHook::AnswerMenuShown
// hands over): its items in order as "text", or "text *" when checked, "-" for a separator and
// "#" for an owner-drawn heading; and how many rows of its picture cross a heading's dark grey
// (0x404040).
struct MENU_SEEN
{
    std::vector<std::string> items;
    int headingRows = 0;
};
MENU_SEEN ReadShownMenu(QWidget* shownMenu);

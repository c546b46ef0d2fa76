#include "testsupport/PaneProbes.h"

#include "platform/ui/HeaderCtrl.h"
#include "platform/ui/ListCtrl.h"
#include "testsupport/EventPump.h"
#include "testsupport/UserInput.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTreeWidget>

CMFCPropertyGridProperty* FindGridItem(const CMFCPropertyGridCtrl& grid, DWORD_PTR id)
{
    return grid.FindItemByData(id, TRUE);
}

bool EditGridItem(CMFCPropertyGridCtrl& grid, DWORD_PTR id, const char* text)
{
    CMFCPropertyGridProperty* item = FindGridItem(grid, id);
    if (item == nullptr)
        return false;
    const BOOL accepted = grid.EditProperty(item, text);
    Pump();
    return accepted != FALSE;
}

bool NotifyGridChange(CMFCPropertyGridCtrl& grid, DWORD_PTR id, const COleVariant& value)
{
    CMFCPropertyGridProperty* item = FindGridItem(grid, id);
    if (item == nullptr)
        return false;
    item->SetValue(value);
    grid.OnPropertyChanged(item);
    Pump();
    return true;
}

int GridValuePixels(CMFCPropertyGridCtrl& grid, const char* rowName, const QColor& colour)
{
    auto* tree = grid.GetWidget() != nullptr ? grid.GetWidget()->findChild<QTreeWidget*>() : nullptr;
    if (tree == nullptr)
        return -1;
    const QList<QTreeWidgetItem*> rows = tree->findItems(rowName, Qt::MatchExactly | Qt::MatchRecursive, 0);
    if (rows.size() != 1)
        return -1;
    Pump();
    const QImage image = tree->viewport()->grab().toImage();
    const QRect row = tree->visualItemRect(rows.front());
    const int valueLeft = tree->header()->sectionPosition(1);
    int count = 0;
    for (int y = row.top(); y <= row.bottom() && y < image.height(); ++y)
        for (int x = valueLeft; x < valueLeft + 40 && x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour ? 1 : 0;
    return count;
}

int GridItemValuePixels(CMFCPropertyGridCtrl& grid, const CMFCPropertyGridProperty* item, const QColor& colour)
{
    auto* tree = grid.GetWidget() != nullptr ? grid.GetWidget()->findChild<QTreeWidget*>() : nullptr;
    const CRect cell = grid.GetShownValueRect(item);
    if (tree == nullptr || cell.IsRectEmpty())
        return -1;
    Pump();
    const QImage image = tree->viewport()->grab().toImage();
    int count = 0;
    for (int y = std::max<int>(0, cell.top); y < cell.bottom && y < image.height(); ++y)
        for (int x = std::max<int>(0, cell.left); x < cell.right && x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour ? 1 : 0;
    return count;
}

namespace
{
QTreeWidget* TreeOf(const CMFCPropertyGridCtrl& grid)
{
    return grid.GetWidget() != nullptr ? grid.GetWidget()->findChild<QTreeWidget*>() : nullptr;
}

// The grid keeps each row's item in this role of the row (platform/ui/PropertyGrid.cpp).
constexpr int kItemRole = Qt::UserRole + 1;

QTreeWidgetItem* RowOf(QTreeWidget* tree, const CMFCPropertyGridProperty* item)
{
    if (tree == nullptr)
        return nullptr;
    QTreeWidgetItemIterator it(tree);
    for (; *it; ++it)
        if ((*it)->data(0, kItemRole).value<void*>() == item)
            return *it;
    return nullptr;
}
} // namespace

int GridItemNamePixels(CMFCPropertyGridCtrl& grid, const CMFCPropertyGridProperty* item, const QColor& colour)
{
    QTreeWidget* tree = TreeOf(grid);
    QTreeWidgetItem* row = RowOf(tree, item);
    if (row == nullptr)
        return -1;
    Pump();
    const QRect cell = tree->visualRect(tree->indexFromItem(row, 0));
    if (!cell.isValid())
        return -1;
    const QImage image = tree->viewport()->grab().toImage();
    int count = 0;
    for (int y = std::max(0, cell.top()); y <= cell.bottom() && y < image.height(); ++y)
        for (int x = std::max(0, cell.left()); x <= cell.right() && x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour ? 1 : 0;
    return count;
}

GRID_ITEM_SEEN SeeGridItem(const CMFCPropertyGridCtrl& grid, const CMFCPropertyGridProperty* item)
{
    GRID_ITEM_SEEN seen;
    QTreeWidgetItem* row = RowOf(TreeOf(grid), item);
    if (row == nullptr)
        return seen;
    seen.inGrid = true;
    seen.name = row->text(0);
    seen.value = row->text(1);
    seen.visible = !row->isHidden();
    seen.enabled = !row->isDisabled();
    seen.editable = (row->flags() & Qt::ItemIsEditable) != 0;
    seen.data = item->GetData();
    seen.nameText = row->foreground(0).color();
    seen.nameBack = row->background(0).color();
    seen.valueText = row->foreground(1).color();
    seen.valueBack = row->background(1).color();
    return seen;
}

bool ClickGridValue(CMFCPropertyGridCtrl& grid, const CMFCPropertyGridProperty* item, int x)
{
    QTreeWidget* tree = TreeOf(grid);
    const CRect cell = grid.GetShownValueRect(item);
    if (tree == nullptr || cell.IsRectEmpty())
        return false;
    const QPoint at = tree->viewport()->mapTo(grid.GetWidget(), QPoint(cell.left + x, (cell.top + cell.bottom) / 2));
    UserInput::ClickClient(&grid, at.x(), at.y());
    Pump();
    return true;
}

QColor ColourOfRef(COLORREF colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

std::vector<std::string> GridGroupNames(const CMFCPropertyGridCtrl& grid)
{
    std::vector<std::string> names;
    for (int i = 0; i < grid.GetPropertyCount(); ++i)
        names.emplace_back(grid.GetProperty(i)->GetName());
    return names;
}

std::vector<std::string> GridItemOptions(const CMFCPropertyGridProperty* item)
{
    std::vector<std::string> options;
    for (int i = 0; item != nullptr && i < item->GetOptionCount(); ++i)
        options.emplace_back(item->GetOption(i));
    return options;
}

std::vector<std::string> TableHeadings(const CListCtrl& table)
{
    std::vector<std::string> headings;
    CHeaderCtrl* header = table.GetHeaderCtrl();
    const int count = header ? header->GetItemCount() : 0;
    for (int i = 0; i < count; ++i)
    {
        char text[256] = {};
        HDITEM item{};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        header->GetItem(i, &item);
        headings.emplace_back(text);
    }
    return headings;
}

std::vector<std::vector<std::string>> TableCells(const CListCtrl& table)
{
    const size_t columns = TableHeadings(table).size();
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < table.GetItemCount(); ++r)
    {
        std::vector<std::string> row;
        for (size_t c = 0; c < columns; ++c)
            row.emplace_back(table.GetItemText(r, static_cast<int>(c)).GetString());
        rows.push_back(row);
    }
    return rows;
}

MENU_SEEN ReadShownMenu(QWidget* shownMenu)
{
    MENU_SEEN seen;
    if (shownMenu == nullptr)
        return seen;
    const QImage picture = shownMenu->grab().toImage();
    for (int y = 0; y < picture.height(); ++y)
        seen.headingRows += picture.pixelColor(picture.width() / 8, y) == QColor(0x40, 0x40, 0x40) ? 1 : 0;
    if (auto* menu = qobject_cast<QMenu*>(shownMenu))
        for (QAction* a : menu->actions())
        {
            if (!a->isVisible())
                continue;
            if (a->isSeparator())
                seen.items.push_back("-");
            else if (a->text().isEmpty())
                seen.items.push_back("#");
            else
                seen.items.push_back(a->text().toStdString() + (a->isChecked() ? " *" : ""));
        }
    return seen;
}

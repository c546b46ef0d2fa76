#include "testsupport/PaneProbes.h"

#include "platform/ui/HeaderCtrl.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/Wnd.h"
#include "testsupport/EventPump.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <QWidget>

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

std::vector<std::string> GridGroupNames(const CMFCPropertyGridCtrl& grid)
{
    std::vector<std::string> names;
    for (int i = 0; i < grid.GetPropertyCount(); ++i)
        names.emplace_back(grid.GetProperty(i)->GetName());
    return names;
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

void ClickTable(const CListCtrl& table, CPoint point)
{
    auto* view = qobject_cast<QAbstractScrollArea*>(table.GetWidget());
    QWidget* viewport = view ? view->viewport() : nullptr;
    if (viewport == nullptr)
        return;
    const QPoint at = QPoint(point.x, point.y) - viewport->geometry().topLeft();
    const QPointF global = viewport->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &release);
    Pump();
}

QImage GrabWindow(const CWnd& wnd)
{
    Pump();
    QWidget* widget = wnd.GetWidget();
    return widget ? widget->grab().toImage() : QImage();
}

QRect RectInFrame(const CWnd& wnd, const CWnd& frame)
{
    QWidget* widget = wnd.GetWidget();
    QWidget* top = frame.GetWidget();
    if (widget == nullptr || top == nullptr)
        return QRect();
    return QRect(widget->mapTo(top, QPoint(0, 0)), widget->size());
}

int CountVisibleTopLevelWindows()
{
    Pump();
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += widget->isVisible() && widget->isWindow() ? 1 : 0;
    return count;
}

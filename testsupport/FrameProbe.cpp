#include "testsupport/FrameProbe.h"

#include "platform/ui/ModalHook.h"
#include "platform/ui/Wnd.h"
#include "testsupport/EventPump.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStyle>
#include <QTreeWidget>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdlib>

namespace FrameProbe
{
namespace
{
// Far enough apart to be told apart by eye; anti-aliased edges of text still count.
bool Distinct(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) > 60;
}

// A pane must show at least this many content pixels: a few characters of text.
constexpr int kMinContent = 40;
} // namespace

std::vector<std::string> StrayTopLevels(const CWnd* frame, const std::vector<const QWidget*>& expected)
{
    const QWidget* window = frame && frame->GetWidget() ? frame->GetWidget()->window() : nullptr;
    std::vector<std::string> stray;
    for (QWidget* w : QApplication::topLevelWidgets())
    {
        if (!w->isVisible() || w == window)
            continue;
        bool allowed = false;
        for (const QWidget* e : expected)
            allowed = allowed || (e && e->window() == w);
        if (allowed)
            continue;
        stray.push_back(std::string(w->metaObject()->className()) + " '" + w->windowTitle().toStdString() + "' at " +
                        std::to_string(w->x()) + "," + std::to_string(w->y()) + " " + std::to_string(w->width()) +
                        "x" + std::to_string(w->height()));
    }
    return stray;
}

QImage GrabWindow(const CWnd* wnd)
{
    QWidget* w = wnd ? wnd->GetWidget() : nullptr;
    if (!w)
        return {};
    return w->window()->grab().toImage();
}

QRect PaneRect(const CWnd* pane)
{
    QWidget* w = pane ? pane->GetWidget() : nullptr;
    if (!w)
        return {};
    QWidget* window = w->window();
    if (w == window || !w->isVisibleTo(window) || !window->isVisible())
        return {};
    const QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
    return r.intersected(window->rect());
}

namespace
{
// How often each colour stands in the area, and the most common one.
QHash<QRgb, int> CountColours(const QImage& image, const QRect& r, QRgb* mostCommon)
{
    QHash<QRgb, int> counts;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[image.pixel(x, y) | 0xFF000000u];
    int most = -1;
    *mostCommon = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most)
        {
            most = it.value();
            *mostCommon = it.key();
        }
    return counts;
}
} // namespace

QColor BackgroundColour(const QImage& image, const QRect& area)
{
    const QRect r = area.intersected(image.rect());
    if (r.isEmpty())
        return {};
    QRgb background = 0;
    CountColours(image, r, &background);
    return QColor(background);
}

int ContentPixels(const QImage& image, const QRect& area)
{
    const QRect r = area.intersected(image.rect());
    if (r.isEmpty())
        return 0;
    QRgb background = 0;
    const QHash<QRgb, int> counts = CountColours(image, r, &background);
    int content = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (Distinct(it.key(), background))
            content += it.value();
    return content;
}

GridRowsSeen ReadGridRows(const QImage& image, const CWnd* pane)
{
    GridRowsSeen seen;
    QWidget* w = pane ? pane->GetWidget() : nullptr;
    auto* tree = w ? w->findChild<QTreeWidget*>() : nullptr;
    if (!tree || !tree->isVisibleTo(w->window()))
        return seen;
    QWidget* viewport = tree->viewport();
    QWidget* window = w->window();
    // The item delegate keeps this margin on either side of a cell's text and elides a text
    // that does not fit between them.
    const int margin = tree->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tree) + 1;
    for (QTreeWidgetItem* item = tree->topLevelItemCount() > 0 ? tree->topLevelItem(0) : nullptr; item;
         item = tree->itemBelow(item))
    {
        const QRect row = tree->visualItemRect(item);
        if (row.top() < 0 || row.bottom() >= viewport->height())
            break;
        const QRect inFrame(viewport->mapTo(window, QPoint(0, row.top())), QSize(viewport->width(), row.height()));
        // A row the grid was given nothing to show in (a spacer) is whole when blank.
        const bool blank = item->text(0).trimmed().isEmpty() && item->text(1).trimmed().isEmpty();
        if (!blank && ContentPixels(image, inFrame) < 8)
            break;
        ++seen.wholeRows;
        if (item->isFirstColumnSpanned())
            continue;
        const QRect cell = tree->visualRect(tree->indexFromItem(item, 0));
        // An item without a font of its own shows in the tree's.
        const QFont font = item->data(0, Qt::FontRole).isValid() ? item->font(0) : tree->font();
        if (QFontMetrics(font).horizontalAdvance(item->text(0)) > cell.width() - 2 * margin)
            seen.cutNames.push_back(item->text(0).toStdString());
    }
    return seen;
}

void ExpectFrameAsUserSeesIt(const CWnd* frame, const std::vector<std::pair<std::string, const CWnd*>>& panes,
                             const std::vector<const QWidget*>& dialogs, const QString& savePng)
{
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->GetWidget(), nullptr);
    EXPECT_TRUE(frame->GetWidget()->window()->isVisible()) << "the frame does not show";
    for (const std::string& stray : StrayTopLevels(frame, dialogs))
        ADD_FAILURE() << "a window shows outside the frame: " << stray;
    const QImage image = GrabWindow(frame);
    ASSERT_FALSE(image.isNull());
    if (!savePng.isEmpty())
    {
        QDir().mkpath(QFileInfo(savePng).absolutePath());
        EXPECT_TRUE(image.save(savePng)) << savePng.toStdString();
    }
    for (const auto& [name, pane] : panes)
    {
        const QRect r = PaneRect(pane);
        if (r.isEmpty())
        {
            ADD_FAILURE() << "pane " << name << " does not show inside the frame";
            continue;
        }
        EXPECT_GE(ContentPixels(image, r), kMinContent)
            << "pane " << name << " shows nothing inside the frame at " << r.x() << "," << r.y() << " " << r.width()
            << "x" << r.height();
    }
}
void ExpectShownAtEveryStart(int times, const std::function<CWnd*()>& start, const std::function<void()>& end,
                             const std::function<CWnd*(CWnd*)>& keys, bool maximised)
{
    for (int i = 0; i < times; ++i)
    {
        SCOPED_TRACE("start " + std::to_string(i + 1));
        CWnd* frame = start();
        if (frame)
        {
            PumpFor(20);
            EXPECT_TRUE(frame->IsWindowVisible());
            EXPECT_FALSE(frame->IsIconic());
            EXPECT_EQ(frame->IsZoomed() != FALSE, maximised);
            EXPECT_EQ(CWnd::GetFocus(), keys(frame)) << "the keys are elsewhere";
            ModalHook::AnswerMessageBox(IDYES);
            frame->SendMessage(WM_CLOSE);
            PumpFor(20);
        }
        end();
        ASSERT_NE(frame, nullptr) << "the program did not start";
    }
}
} // namespace FrameProbe

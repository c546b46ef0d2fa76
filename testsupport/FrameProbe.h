// What a user sees of a program's main window, for every program's frame test: which top-level
// windows show, a picture of the whole window with its children, and whether each docked pane
// shows something inside the frame (text, lines, a graph), not only a flat background.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class CWnd;
class QWidget;

namespace FrameProbe
{
// The visible top-level widgets other than `frame`'s window and `expected` (the dialogs the
// test opened), as "class 'title' at x,y" for a failure message.
std::vector<std::string> StrayTopLevels(const CWnd* frame, const std::vector<const QWidget*>& expected = {});

// The whole top-level window of `wnd`, children included, as the screen shows it.
QImage GrabWindow(const CWnd* wnd);

// Where `pane`'s window lies in the picture of its top-level window; empty when it does not
// show there (hidden, floating in a window of its own, or of no size).
QRect PaneRect(const CWnd* pane);

// The most common colour inside `area`: its background (invalid for an area outside the image).
QColor BackgroundColour(const QImage& image, const QRect& area);

// Pixels inside `area` that stand clearly apart from the area's most common colour, its
// background: text, lines and graph colours.
int ContentPixels(const QImage& image, const QRect& area);

// What a user reads of the property grid inside `pane` in `image` (the picture of the pane's
// top-level window, GrabWindow): the rows from the top that show whole inside the grid's view
// with something drawn in them, and the names among them that show cut short (elided).
struct GridRowsSeen
{
    int wholeRows = 0;
    std::vector<std::string> cutNames;
};
GridRowsSeen ReadGridRows(const QImage& image, const CWnd* pane);

// All of the above for a frame with its panes (name, pane): only the frame and `dialogs` show
// at the top level, and every pane lies inside the frame's picture and shows content there.
// Failures name the pane. The picture is saved to `savePng` when one is given.
void ExpectFrameAsUserSeesIt(const CWnd* frame, const std::vector<std::pair<std::string, const CWnd*>>& panes,
                             const std::vector<const QWidget*>& dialogs = {}, const QString& savePng = {});
// A program started `times` times: `start` starts it anew as its InitInstance does and gives
// its main window (null when it did not start); each time that window must show, not
// minimised (maximised when `maximised`), with `keys` (given the window) holding the keyboard
// focus. The window is then closed, its exit question answered Yes, and `end` lets the
// program's application go.
void ExpectShownAtEveryStart(int times, const std::function<CWnd*()>& start, const std::function<void()>& end,
                             const std::function<CWnd*(CWnd*)>& keys, bool maximised);
} // namespace FrameProbe

#include "platform/ui/Cursor.h"

#include "platform/ui/Wnd.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

#include <atomic>

namespace
{
// A handle stands for one Qt cursor shape; handles are the addresses of these records.
struct StandardCursor
{
    uintptr_t id;
    Qt::CursorShape shape;
};
const StandardCursor kStandard[] = {
    {32512, Qt::ArrowCursor},
    {32515, Qt::CrossCursor},
    {32649, Qt::PointingHandCursor},
};

std::atomic<HCURSOR> g_Current{nullptr};

const StandardCursor* FromHandle(HCURSOR cursor)
{
    for (const StandardCursor& standard : kStandard)
        if (reinterpret_cast<HCURSOR>(const_cast<StandardCursor*>(&standard)) == cursor)
            return &standard;
    return nullptr;
}
} // namespace

HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name)
{
    if (instance)
        return nullptr;
    const uintptr_t id = reinterpret_cast<uintptr_t>(name);
    for (const StandardCursor& standard : kStandard)
        if (standard.id == id)
            return reinterpret_cast<HCURSOR>(const_cast<StandardCursor*>(&standard));
    return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    const HCURSOR previous = g_Current.exchange(cursor);
    const StandardCursor* standard = FromHandle(cursor);
    if (!standard || !qApp)
        return previous;
    CWnd* captured = CWnd::GetCapture();
    QWidget* target = captured ? captured->GetWidget() : QWidget::mouseGrabber();
    if (!target)
        target = QApplication::widgetAt(QCursor::pos());
    if (target)
        target->setCursor(QCursor(standard->shape));
    return previous;
}

HCURSOR GetCursor()
{
    return g_Current.load();
}

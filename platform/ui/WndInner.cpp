// Qt widgets that live inside a window without being windows of their own (a property grid's
// tree, the in-place editor of one of its rows): to the system's code the window holds the
// focus while one of them has it, so their focus changes are the window's and their keys go
// first through the window's PreTranslateMessage chain (the frame's accelerators, a dialog's
// keys), as a key typed into a control does.
#include "platform/ui/WndPrivate.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

namespace
{
QEvent* g_routedKey = nullptr;

// The window holding `w` inside the same top-level window, when `w` is neither a window's own
// widget nor one of its input widgets (those are their window's to handle).
CWndBridge* HoldingWindow(QWidget* w)
{
    if (!w || w->isWindow() || CWndBridge::FromWidget(w))
        return nullptr;
    for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
    {
        if (CWndBridge* b = CWndBridge::FromWidget(p))
            return b->wnd && !b->destroying ? b : nullptr;
        if (p->isWindow())
            return nullptr;
    }
    return nullptr;
}
} // namespace

QEvent*& RoutedKeyEvent()
{
    return g_routedKey;
}

class CInnerInputRouter : public QObject
{
public:
    explicit CInnerInputRouter(QObject* parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        const bool key = type == QEvent::KeyPress || type == QEvent::KeyRelease;
        const bool focus = type == QEvent::FocusIn || type == QEvent::FocusOut;
        const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
        if ((!key && !focus && !press) || !watched->isWidgetType() || event == g_routedKey)
            return false;
        auto* receiver = static_cast<QWidget*>(watched);
        CWndBridge* window = HoldingWindow(receiver);
        if (!window)
            return false;
        if (press)
            return PressActivates(window, static_cast<QMouseEvent*>(event));
        if (focus)
        {
            window->HandleFocus(receiver, static_cast<QFocusEvent*>(event), type == QEvent::FocusIn);
            return false;
        }
        return RouteKey(window, receiver, static_cast<QKeyEvent*>(event));
    }

private:
    // A press inside the window asks the window as a press on it does (WM_MOUSEACTIVATE);
    // the widget gets the press unless the answer swallows it.
    static bool PressActivates(CWndBridge* window, QMouseEvent* me)
    {
        if (CWnd::GetCapture())
            return false;
        const Qt::MouseButton b = me->button();
        const bool dbl = me->type() == QEvent::MouseButtonDblClick;
        const UINT message = b == Qt::LeftButton    ? (dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN)
                             : b == Qt::RightButton ? (dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN)
                                                    : (dbl ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN);
        const LRESULT answer = window->MouseActivate(message);
        if (answer != MA_ACTIVATEANDEAT && answer != MA_NOACTIVATEANDEAT)
            return false;
        me->accept();
        return true;
    }

    // The key as a message of the window, offered up its parents; when none takes it, the
    // widget gets it as Qt delivers it, and what the widget leaves goes up to the window,
    // whose own handling does not offer it again.
    static bool RouteKey(CWndBridge* window, QWidget* receiver, QKeyEvent* k)
    {
        NoteInputState(k);
        const bool press = k->type() == QEvent::KeyPress;
        const unsigned int mods = static_cast<unsigned int>(k->modifiers());
        const bool alt = (mods & Qt::AltModifier) && !(mods & Qt::ControlModifier);
        UINT vk = VirtualKeyFromQtKey(k->key(), mods);
        if (!vk && CharOfKeyEvent(k))
            vk = VK_PACKET;
        if (vk)
        {
            const UINT message = press ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
            WndInput input{window->m_hWnd, receiver, nullptr, message, vk};
            input.modifiers = mods;
            WndInputs().push_back(&input);
            MSG msg{window->m_hWnd, message, vk, KeyMessageLParam(k, !press, alt), 0, POINT{0, 0}};
            GetCursorPos(&msg.pt);
            const BOOL eaten = PreTranslateInput(&msg);
            WndInputs().pop_back();
            if (eaten)
            {
                k->accept();
                return true;
            }
        }
        QPointer<QWidget> guard(receiver);
        QEvent* outer = g_routedKey;
        g_routedKey = k;
        if (guard)
            QCoreApplication::instance()->notify(receiver, k);
        g_routedKey = outer;
        return true;
    }
};

void InstallInnerInputRouter()
{
    static QPointer<CInnerInputRouter> router;
    QCoreApplication* app = QCoreApplication::instance();
    if (router || !app)
        return;
    router = new CInnerInputRouter(app);
    app->installEventFilter(router);
}

// A scroll area's viewport that hands the mouse events given to it straight (as the window
// layer gives the events a window's handler let through) to its scroll area, as Qt's own
// delivery does through the area's event filter. Only the controls' sources include this
// header.
#pragma once

#include <QEvent>
#include <QWidget>

#include <functional>
#include <utility>

class ForwardingViewport : public QWidget
{
public:
    explicit ForwardingViewport(std::function<bool(QEvent*)> forward) : m_forward(std::move(forward)) {}

protected:
    bool event(QEvent* e) override
    {
        switch (e->type())
        {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
            return m_forward(e);
        default:
            return QWidget::event(e);
        }
    }

private:
    std::function<bool(QEvent*)> m_forward;
};

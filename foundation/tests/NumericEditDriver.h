// Drives the number edits offscreen as a user would: real key events sent to the control's
// widget, and the text and caret read back.
#pragma once

#include "foundation/WindowMessages.h"
#include "platform/core/WinApp.h"
#include "platform/ui/Edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace NumericEditDriver
{
inline void Pump()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

inline void SendKey(QWidget* w, int key, Qt::KeyboardModifiers mods, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}

// Types the characters as a user would: '\b' is Backspace, '\r' Return.
inline void Type(CWnd& wnd, const char* keys)
{
    QWidget* w = wnd.GetWidget();
    for (const char* p = keys; *p; ++p)
    {
        const char c = *p;
        int key = 0;
        if (c >= '0' && c <= '9')
            key = Qt::Key_0 + (c - '0');
        else if (c >= 'a' && c <= 'z')
            key = Qt::Key_A + (c - 'a');
        else if (c == '.')
            key = Qt::Key_Period;
        else if (c == '-')
            key = Qt::Key_Minus;
        else if (c == '+')
            key = Qt::Key_Plus;
        else if (c == ' ')
            key = Qt::Key_Space;
        else if (c == '\b')
            key = Qt::Key_Backspace;
        else if (c == '\r')
            key = Qt::Key_Return;
        SendKey(w, key, Qt::NoModifier, QString(QChar(c)));
    }
}

// Ctrl with a capital letter, carrying the control character the key types.
inline void Control(CWnd& wnd, char letter)
{
    SendKey(wnd.GetWidget(), Qt::Key_A + (letter - 'A'), Qt::ControlModifier,
            QString(QChar(letter - 'A' + 1)));
}

inline void Press(CWnd& wnd, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    SendKey(wnd.GetWidget(), key, mods, QString());
}

inline CString TextOf(const CWnd& wnd)
{
    CString text;
    wnd.GetWindowText(text);
    return text;
}

inline int CaretOf(const CEdit& edit)
{
    int start = 0, end = 0;
    edit.GetSel(start, end);
    return end;
}

// A test of one kind of edit on a host window that is also the application's main window and
// writes down what it is posted (`posted`, `Count(message)`).
template <class Edit, class Host> class EditFixture : public ::testing::Test
{
protected:
    explicit EditFixture(const char* appName) : app(appName) {}

    void SetUp() override { app.m_pMainWnd = &host; }
    void TearDown() override { app.m_pMainWnd = nullptr; }

    // Makes the edit's window on the host.
    virtual bool CreateEdit(Edit& e) = 0;

    // A fresh edit on the host, after the caller's set-up. The window's activation may hand
    // the new edit the focus: the host takes it back, so each test gives it itself.
    Edit& Make(const std::function<void(Edit&)>& setUp = nullptr)
    {
        edit = std::make_unique<Edit>();
        if (setUp)
            setUp(*edit);
        EXPECT_TRUE(CreateEdit(*edit));
        Pump();
        host.SetFocus();
        Pump();
        host.posted.clear();
        return *edit;
    }

    // The UM_EDIT_UPDATE messages the host got.
    int Updates()
    {
        Pump();
        return host.Count(UM_EDIT_UPDATE);
    }

    CWinApp app;
    Host host;
    std::unique_ptr<Edit> edit;
};
} // namespace NumericEditDriver

// The keys of a view as a user gives them, for a table test over a program's views: the focus
// first taken elsewhere (a pane's grid), a click in the view, then each key sent to the widget
// that has Qt's focus, never to the view object; each case says what the key must have done.
#pragma once

#include "platform/core/WinTypes.h"

#include <functional>
#include <string>
#include <vector>

class CWnd;

struct VIEW_KEY_CASE
{
    std::string what;              // names the case in a failure
    int key;                       // Qt::Key_...
    unsigned int modifiers;        // Qt::KeyboardModifiers (Qt::KeypadModifier for the keypad)
    std::function<void()> before;  // readies the state the key acts on; may be empty
    std::function<bool()> effect;  // true when the view did what the key asks
};

// Runs the cases in order on `view`: before each, `elsewhere` (may be empty) takes the focus
// away from the view, then a click at `at` (client coordinates) must give the view the focus.
void ExpectViewKeys(CWnd* view, POINT at, const std::function<void()>& elsewhere,
                    const std::vector<VIEW_KEY_CASE>& cases);

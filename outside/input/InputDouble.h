// InputDouble: a small modal dialog that asks for one number, with a title, a prompt and the
// value shown to the given number of decimals. Through the layer's modal test hook like every
// dialog.
#pragma once

#include "platform/core/WinTypes.h"

// The dialog's template and item ids, for tests that answer it.
#define IDD_INPUT_DOUBLE 30600
#define IDC_INPUT_PROMPT 30601
#define IDC_INPUT_VALUE 30602

class CWnd;

// Shows `title` and `prompt` with `value` written to `decimals` decimals (0 to 15) and returns
// what the user entered: the number typed when the dialog is closed with OK and its text is
// a finite number, else `value` (cancelled, unchanged or not a number). `refused` (optional)
// is set to true when the user confirmed a changed text that is not a number.
double InputDouble(const char* title, const char* prompt, double value, int decimals,
                                CWnd* pParent = nullptr, bool* refused = nullptr);

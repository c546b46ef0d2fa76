// The colours the suite's grid items use to make a state stand out, the same in every colour
// scheme by day and night (COLORREF, 0x00BBGGRR), so that a user learns them once:
//  - warning: a value out of its limits or tolerance, white on red;
//  - time-out: the caption of a group whose device fell silent, black on orange;
//  - highlight: the caption of a group whose values were just refreshed, black on pale yellow;
//  - button: the face of a button item that was given no colour of its own, light grey.
#pragma once

#include "platform/core/WinTypes.h"

constexpr COLORREF PANES_WARNING_TEXT = 0xFFFFFF;
constexpr COLORREF PANES_WARNING_BACK = 0x0000FF;
constexpr COLORREF PANES_TIMEOUT_TEXT = 0x000000;
constexpr COLORREF PANES_TIMEOUT_BACK = 0x0080FF;
constexpr COLORREF PANES_HIGHLIGHT_TEXT = 0x000000;
constexpr COLORREF PANES_HIGHLIGHT_BACK = 0x99FFFF;
constexpr COLORREF PANES_BUTTON_FACE = 0xEBEBEB;

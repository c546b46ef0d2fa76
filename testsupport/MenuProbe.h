// A frame's menu as a user reads it: the popups' labels in order, and in each the items' texts
// and command ids, separators left out.
#pragma once

#include "platform/core/WinTypes.h"

#include <utility>
#include <vector>

class CWnd;

namespace MenuProbe
{
struct Popup
{
    const char* label;
    std::vector<std::pair<const char*, UINT>> items; // text and command id
};

// The frame's menu holds exactly these popups and items, in this order; each difference is a
// failure naming its popup and item.
void ExpectMenu(CWnd* frame, const std::vector<Popup>& menu);
} // namespace MenuProbe

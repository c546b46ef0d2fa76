// What the target tab control's two source files share about its grids: items found by their
// place, an option chosen by its text, and the angle items' modes.
#pragma once

#include "outside/panes/MyMFCPropertyGridCtrl.h"
#include "outside/panes/PropertyGridItems.h"

namespace targettabs
{
// The angle item's modes: a true bearing in degrees, a grid bearing held in radians, and a
// signed angle in degrees.
constexpr int kTrueMode = 0;
constexpr int kGridMode = 1;
constexpr int kSignedMode = 5;
constexpr double kDegreesPerRadian = 57.2957795131;

// The index of the option equal to the item's value; -1 for none.
inline int ChosenOption(const CMFCPropertyGridProperty* item)
{
    const CString value = item->GetValue().ToText();
    for (int i = 0; i < item->GetOptionCount(); ++i)
        if (value == item->GetOption(i))
            return i;
    return -1;
}

// Item `item` of top-level group `group` (both from 0); null when there is none.
inline CMFCPropertyGridProperty* SubItem(CMyMFCPropertyGridCtrl& grid, int group, int item)
{
    CMFCPropertyGridProperty* g = grid.GetProperty(group);
    return g ? g->GetSubItem(item) : nullptr;
}

inline void SetDouble(CMyMFCPropertyGridCtrl& grid, int group, int item, double value)
{
    if (auto* d = dynamic_cast<CMFCPropertyGridDouble*>(SubItem(grid, group, item)))
        d->SetValue(value);
}
} // namespace targettabs

// The panes' one child window (a view or a graph) that fills them: whether it is there to draw
// on, and how it is laid out.
#pragma once

#include "platform/ui/Wnd.h"

// The child, when its window exists; null before it is made and once it is gone.
template <class Child> Child* LiveChild(Child* child)
{
    return child != nullptr && child->GetSafeHwnd() != nullptr ? child : nullptr;
}

// Sizes `child` to the client area of `parent`; nothing when either has no window.
inline void FillClientArea(CWnd& parent, CWnd* child)
{
    if (parent.GetSafeHwnd() == nullptr || LiveChild(child) == nullptr)
        return;
    CRect client;
    parent.GetClientRect(&client);
    child->SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

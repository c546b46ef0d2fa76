// SelectedObjects: puts a pen and a brush into a context for one drawing, with a transparent
// background, and the previous ones back after it, so that a drawer never leaves its own
// objects selected.
#pragma once

#include "platform/ui/Dc.h"

class SelectedObjects
{
public:
    SelectedObjects(CDC& dc, CPen* pen, CBrush* brush) : m_dc(dc)
    {
        m_oldPen = pen ? dc.SelectObject(pen) : nullptr;
        m_oldBrush = brush ? dc.SelectObject(brush) : nullptr;
        m_oldMode = dc.SetBkMode(TRANSPARENT);
    }
    ~SelectedObjects()
    {
        m_dc.SetBkMode(m_oldMode);
        if (m_oldBrush)
            m_dc.SelectObject(m_oldBrush);
        if (m_oldPen)
            m_dc.SelectObject(m_oldPen);
    }
    SelectedObjects(const SelectedObjects&) = delete;
    SelectedObjects& operator=(const SelectedObjects&) = delete;

private:
    CDC& m_dc;
    CPen* m_oldPen;
    CBrush* m_oldBrush;
    int m_oldMode;
};

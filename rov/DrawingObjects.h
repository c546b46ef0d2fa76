// DrawingObjects: a one-pixel pen, and a solid brush when given, made and selected into a
// context for one drawing and put back when it goes, so that the ROV views never leave their
// own objects selected.
#pragma once

#include "foundation/SelectedObjects.h"
#include "platform/ui/Dc.h"
#include "platform/ui/GdiObject.h"

class DrawingObjects
{
public:
    DrawingObjects(CDC* dc, COLORREF pen, COLORREF brush = CLR_INVALID)
        : m_pen(PS_SOLID, 1, pen), m_selected(*dc, &m_pen, MakeBrush(brush))
    {
    }
    DrawingObjects(const DrawingObjects&) = delete;
    DrawingObjects& operator=(const DrawingObjects&) = delete;

private:
    CBrush* MakeBrush(COLORREF colour)
    {
        if (colour == CLR_INVALID)
            return nullptr;
        m_brush.CreateSolidBrush(colour);
        return &m_brush;
    }

    CPen m_pen;
    CBrush m_brush;
    SelectedObjects m_selected;
};

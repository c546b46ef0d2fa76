// OffscreenCanvas: a memory context with a bitmap of a rectangle's size, for a view to draw its
// whole picture in (from the bitmap's origin) and copy to the rectangle's place in one block,
// so that the screen never shows a half-drawn picture.
#pragma once

#include "platform/ui/Dc.h"
#include "platform/ui/GdiObject.h"

class OffscreenCanvas
{
public:
    OffscreenCanvas(CDC* target, const CRect& rect) : m_target(target), m_rect(rect)
    {
        m_ready = target != nullptr && !rect.IsRectEmpty() && m_memory.CreateCompatibleDC(target) &&
                  m_bitmap.CreateCompatibleBitmap(target, rect.Width(), rect.Height());
        if (m_ready)
            m_oldBitmap = m_memory.SelectObject(&m_bitmap);
    }
    ~OffscreenCanvas()
    {
        if (m_ready)
            m_memory.SelectObject(m_oldBitmap);
    }
    OffscreenCanvas(const OffscreenCanvas&) = delete;
    OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;

    // False when the context or the bitmap could not be made: there is then nothing to draw on.
    bool IsReady() const { return m_ready; }
    CDC& Dc() { return m_memory; }
    // The bitmap's rectangle, from 0, 0.
    CRect Local() const { return CRect(0, 0, m_rect.Width(), m_rect.Height()); }
    void CopyToTarget()
    {
        if (m_ready)
            m_target->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), &m_memory, 0, 0, SRCCOPY);
    }

private:
    CDC* m_target;
    CRect m_rect;
    CDC m_memory;
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    bool m_ready = false;
};

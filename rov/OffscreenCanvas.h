// OffscreenCanvas: a memory context with a bitmap of a rectangle's size, for a view to draw its
// whole picture in (from the bitmap's origin) and copy to the rectangle's place in one block,
// so that the screen never shows a half-drawn picture. A view keeps one: the bitmap is made
// again only when the size changes, as a sonar view repaints several times a second.
#pragma once

#include "platform/ui/Dc.h"
#include "platform/ui/GdiObject.h"

class OffscreenCanvas
{
public:
    OffscreenCanvas() = default;
    ~OffscreenCanvas()
    {
        if (m_target != nullptr)
            m_memory.SelectObject(m_oldBitmap);
    }
    OffscreenCanvas(const OffscreenCanvas&) = delete;
    OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;

    // Ready to draw a picture for `rect` of `target`; false when the context or the bitmap
    // could not be made: there is then nothing to draw on.
    bool Begin(CDC* target, const CRect& rect)
    {
        End();
        if (target == nullptr || rect.IsRectEmpty())
            return false;
        if (m_memory.GetSafeHdc() == nullptr && !m_memory.CreateCompatibleDC(target))
            return false;
        if (m_bitmap.GetSafeHandle() == nullptr || m_size != rect.Size())
        {
            m_bitmap.DeleteObject();
            if (!m_bitmap.CreateCompatibleBitmap(target, rect.Width(), rect.Height()))
                return false;
            m_size = rect.Size();
        }
        m_oldBitmap = m_memory.SelectObject(&m_bitmap);
        m_target = target;
        m_rect = rect;
        return true;
    }
    CDC& Dc() { return m_memory; }
    // The bitmap's rectangle, from 0, 0.
    CRect Local() const { return CRect(0, 0, m_rect.Width(), m_rect.Height()); }
    // The picture copied to its place in the target, and the bitmap let go of until the next.
    void End()
    {
        if (m_target == nullptr)
            return;
        m_target->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), &m_memory, 0, 0, SRCCOPY);
        m_memory.SelectObject(m_oldBitmap);
        m_target = nullptr;
    }

private:
    CDC m_memory;
    CBitmap m_bitmap;
    CSize m_size;
    CBitmap* m_oldBitmap = nullptr;
    CDC* m_target = nullptr;
    CRect m_rect;
};

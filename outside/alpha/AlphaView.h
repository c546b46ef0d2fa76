// CAlphaView: the base of the library's read-out boxes: a child window that paints its
// labelled values in large text on its own background, with an optional border.
#pragma once

#include "platform/ui/Wnd.h"

class CAlphaView : public CWnd
{
public:
    CAlphaView() = default;

    // A hidden child of `parent` (shown with ShowWindow); nonzero when the window was made.
    virtual BOOL Create(CWnd* parent);
    // The label's text height (tenths of a point; the values show twice as high), the
    // background colour and whether a border is drawn. Repaints.
    void SetSettings(int textHeight, COLORREF background, bool border);
    int GetTextHeight() const { return m_nTextHeight; }
    COLORREF GetBackground() const { return m_Background; }
    bool HasBorder() const { return m_bBorder; }

protected:
    // What the box shows, drawn on its background.
    virtual void Draw(CDC* dc, const CRect& client) = 0;
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()

private:
    int m_nTextHeight = 120;
    COLORREF m_Background = 0x000000;
    bool m_bBorder = true;
};

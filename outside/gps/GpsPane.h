// CGpsPane: the base of the receiver panes: a docking pane whose whole content is one drawing
// surface (CGpsPaneView) that the pane paints with CDC in Draw, day or night colours.
#pragma once

#include "platform/ui/DockablePane.h"
#include "platform/ui/Wnd.h"

class CGps;
class CGpsPane;

// The drawing surface inside a receiver pane; paints by calling the pane's Draw.
class CGpsPaneView : public CWnd
{
public:
    explicit CGpsPaneView(CGpsPane* pane) : m_pPane(pane) {}

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    CGpsPane* m_pPane;
};

class CGpsPane : public CDockablePane
{
public:
    CGpsPane();
    ~CGpsPane() override;

    // The pane and its drawing surface, which fills the pane below its caption.
    BOOL Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper, UINT nID,
                DWORD dwStyle, DWORD dwTabbedStyle = AFX_CBRS_REGULAR_TABS,
                DWORD dwControlBarStyle = AFX_DEFAULT_DOCKING_PANE_STYLE,
                CCreateContext* pContext = nullptr) override;

    // Takes what the pane shows from the receiver and repaints; a null receiver changes nothing.
    virtual void Update(CGps* pGps) = 0;

    // Night colours (dark background, grey text) or day colours.
    void SetNightMode(bool bNight);
    bool GetNightMode() const { return m_bNight; }
    void SetDaylightMode() { SetNightMode(false); }

    // The drawing surface: render it with RenderToImage to see what the pane shows.
    CGpsPaneView& GetView() { return m_View; }
    // Paints the whole client rectangle of the surface.
    virtual void Draw(CDC* pDC, const CRect& rcClient) = 0;
    // Repaints the surface when it exists.
    void Redraw();
    // The least height of the surface (pixels) at which what the pane draws can be read.
    virtual int GetMinimumHeight() const { return 100; }

    COLORREF BackColour() const;
    COLORREF TextColour() const;
    COLORREF GridColour() const;

protected:
    bool m_bNight = false;
    CGpsPaneView m_View;
};

// A font of the given height in pixels (the pane's own text), for the duration of a paint.
class CPaneFont
{
public:
    CPaneFont(CDC* pDC, int heightPixels, bool bold = false);
    ~CPaneFont();
    CPaneFont(const CPaneFont&) = delete;
    CPaneFont& operator=(const CPaneFont&) = delete;

private:
    CDC* m_pDC;
    class CFont* m_pFont;
    class CFont* m_pOld;
};

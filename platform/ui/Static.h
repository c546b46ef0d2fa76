// CStatic: the static control ("Static" window class): a text, a filled or framed rectangle,
// an etched line, a bitmap or an owner-drawn area, painted with a device context as Windows
// paints it.
//
// Before painting, a static control asks its parent for its colours with WM_CTLCOLORSTATIC
// (wParam the control's device context, lParam its handle): the parent sets the text and
// background colours of the context and returns the brush to fill the control with (a hollow
// brush leaves the parent's background showing). Without an answer the control fills with
// the button-face colour and writes in the window-text colour. A static control without
// SS_NOTIFY lets mouse clicks through to the window below; with it, it notifies STN_CLICKED
// and STN_DBLCLK.
//
// The control-colour query is shared with the other controls: AfxGetControlColours asks a
// control's parent as the control would, AfxApplyControlColours gives a Qt-drawn control
// (edit, list, combo box) the answer as its palette.
#pragma once

#include "platform/ui/Wnd.h"

class QWidget;

#define IMAGE_BITMAP 0
#define IMAGE_ICON 1
#define IMAGE_CURSOR 2

// What a control's parent chose for it.
struct CONTROLCOLOURS
{
    HBRUSH hBrush = nullptr;     // as returned; null when the parent left it to the default
    bool fill = true;            // false for a hollow brush
    COLORREF brushColour = 0;    // the fill colour when `fill`
    COLORREF textColour = 0;     // the context's text colour after the query
    COLORREF textBackColour = 0; // the context's background colour after the query
    int bkMode = OPAQUE;         // the context's background mode after the query
};

// Sends WM_CTLCOLORMSGBOX + nCtlColor (CTLCOLOR_EDIT, CTLCOLOR_STATIC, CTLCOLOR_BTN,
// CTLCOLOR_LISTBOX...) for the control to its parent, with pDC (or a context of its own when
// null) set up with the system's colours for that kind. TRUE when the parent returned a
// brush; otherwise the colours are the system's defaults.
PLATFORM_API BOOL AfxGetControlColours(HWND hWndCtl, UINT nCtlColor, CONTROLCOLOURS* pColours,
                                       CDC* pDC = nullptr);
// Asks as above and sets the widget's palette (base, window, text colours) from the answer;
// the system's colours when the parent gave none. Changes the palette only when it differs,
// so it may be called from a paint event.
PLATFORM_API void AfxApplyControlColours(HWND hWndCtl, QWidget* widget, UINT nCtlColor);

class PLATFORM_API CStatic : public CWnd
{
    DECLARE_DYNAMIC(CStatic)
public:
    CStatic() = default;

    using CWnd::Create;
    virtual BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                        UINT nID = 0xFFFF);

    // A bitmap for SS_BITMAP (not owned: it must outlive its use); returns the previous one.
    HBITMAP SetBitmap(HBITMAP hBitmap);
    HBITMAP GetBitmap() const;
    // Icons are kept and not drawn.
    HICON SetIcon(HICON hIcon);
    HICON GetIcon() const;

    // Owner-drawn statics (SS_OWNERDRAW) are drawn here when the parent leaves WM_DRAWITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

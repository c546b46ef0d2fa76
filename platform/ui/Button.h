// Buttons: CButton over the "Button" window class (push, default push, check box, three-state,
// radio, group box and owner-drawn buttons, by the BS_* type in the style), and CMFCButton, the
// framework's owner-drawn button with a face colour, hover highlight and tooltip.
//
// Clicks (mouse, Space, BM_CLICK) send BN_CLICKED to the parent as WM_COMMAND; an automatic
// check box or radio button has changed its check before that. Automatic radio buttons clear
// the other automatic radio buttons of their group (the siblings from the one with WS_GROUP
// up to the next with WS_GROUP). BN_SETFOCUS, BN_KILLFOCUS and BN_DOUBLECLICKED go only to
// buttons with BS_NOTIFY (double clicks also for radio and owner-drawn buttons).
//
// An owner-drawn button (BS_OWNERDRAW) sends WM_DRAWITEM (ODT_BUTTON, its DRAWITEMSTRUCT with
// a device context on the button) to its parent whenever it paints; the parent's default hands
// it back to the button object's DrawItem. Check boxes, radio buttons and group boxes ask the
// parent for their text and background colours with WM_CTLCOLORSTATIC, push buttons for the
// background around their face with WM_CTLCOLORBTN.
#pragma once

#include "platform/ui/Wnd.h"

class PLATFORM_API CButton : public CWnd
{
    DECLARE_DYNAMIC(CButton)
public:
    CButton() = default;

    using CWnd::Create;
    virtual BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    int GetCheck() const;
    void SetCheck(int nCheck);
    // The check state with BST_PUSHED while pressed and BST_FOCUS while focused.
    UINT GetState() const;
    // Shows the button pressed (TRUE) or released, without clicking it.
    void SetState(BOOL bHighlight);
    UINT GetButtonStyle() const;
    // Changes the BS_* type and flags of the style.
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
    // As if the user clicked it (nothing when disabled).
    void Click();

    // A bitmap shown by BS_BITMAP buttons (not owned); returns the previous one.
    HBITMAP SetBitmap(HBITMAP hBitmap);
    HBITMAP GetBitmap() const;
    HICON SetIcon(HICON hIcon);
    HICON GetIcon() const;

    // Owner-drawn buttons are drawn here.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// The framework's owner-drawn button. It keeps the kind of button it replaced (push, check
// box, radio button) and acts as one: a check or radio CMFCButton shows its check as the
// pressed state (ODS_CHECKED | ODS_SELECTED) and checks itself when clicked.
class PLATFORM_API CMFCButton : public CButton
{
    DECLARE_DYNCREATE(CMFCButton)
public:
    enum FlatStyle
    {
        BUTTONSTYLE_3D,
        BUTTONSTYLE_FLAT,
        BUTTONSTYLE_SEMIFLAT,
        BUTTONSTYLE_NOBORDERS
    };
    enum AlignStyle
    {
        ALIGN_LEFT,
        ALIGN_RIGHT,
        ALIGN_CENTER
    };

    CMFCButton() = default;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // (COLORREF)-1 returns to the system colour.
    void SetFaceColor(COLORREF crFace, BOOL bRepaint = TRUE);
    COLORREF GetFaceColor() const { return m_clrFace; }
    void SetTextColor(COLORREF clrText);
    void SetTextHotColor(COLORREF clrTextHot);
    // The text shown when the mouse rests on the button; empty removes it.
    void SetTooltip(LPCTSTR lpszToolTipText);
    void SetMouseCursorHand();
    // Resizes the button to its text (and returns the new size).
    CSize SizeToContent(BOOL bCalcOnly = FALSE);

    BOOL IsPressed() const { return m_bPushed; }
    BOOL IsHighlighted() const { return m_bHighlighted; }
    BOOL IsChecked() const { return GetCheck() == BST_CHECKED; }
    BOOL IsCheckBox() const { return m_bCheckButton; }
    BOOL IsRadioButton() const { return m_bRadioButton; }
    BOOL IsAutoCheck() const { return m_bAutoCheck; }

    // Draws no face: the parent's background shows through.
    BOOL m_bTransparent = FALSE;
    FlatStyle m_nFlatStyle = BUTTONSTYLE_3D;
    AlignStyle m_nAlignStyle = ALIGN_CENTER;
    BOOL m_bDrawFocus = TRUE;
    BOOL m_bHighlightChecked = TRUE;
    BOOL m_bGrayDisabled = TRUE;
    BOOL m_bResponseOnButtonDown = FALSE;

protected:
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    BOOL OnClicked();
    DECLARE_MESSAGE_MAP()

    // Records the kind of button a style names and turns the style into BS_OWNERDRAW.
    DWORD TakeButtonKind(DWORD dwStyle);

    COLORREF m_clrFace = static_cast<COLORREF>(-1);
    COLORREF m_clrRegular = static_cast<COLORREF>(-1);
    COLORREF m_clrHover = static_cast<COLORREF>(-1);
    BOOL m_bHighlighted = FALSE;
    BOOL m_bPushed = FALSE;
    BOOL m_bCheckButton = FALSE;
    BOOL m_bRadioButton = FALSE;
    BOOL m_bAutoCheck = FALSE;
    BOOL m_bKindTaken = FALSE;
};

// CEditAngle: the solar program's angle edit. It shows an angle (radians) in the user's
// notation for its type and is typed in place against the widest text of that notation, so
// the text always stays an angle; every change the user makes is posted to the parent as
// UM_EDIT_ANGLE and UM_EDIT_UPDATE (wParam: the message's number in the high word, the
// control's id in the low word). A text that is no angle of the type (a latitude of 95) is
// refused: the edit keeps its previous value and shows itself marked until a value is set or
// a good text is read. CEditLat and CEditLon are the latitude and longitude kinds.
#pragma once

#include "foundation/BaseEdit.h"
#include "foundation/InPlaceAngleEdit.h"
#include "platform/ui/GdiObject.h"

class CEditAngle : public CBaseEdit
{
    DECLARE_DYNAMIC(CEditAngle)
public:
    // ANGLE_TYPE of foundation/AngleFormat.h: 2 bearing, 4 zenith (90 degrees minus the
    // value shown), 5 latitude, 6 longitude, 7 degrees with two decimals.
    explicit CEditAngle(int nAngleType = 2);

    // Takes the settings of the type as they are now, limits the text to the widest text of
    // the notation, stores and shows the value and clears the modified flag and the mark.
    void SetValue(double radians);
    double GetAngle() const { return m_dRadians; }
    double GetDegrees() const { return m_dDegrees; }

    void SetAngleType(int nAngleType) { m_nAngleType = nAngleType; }
    int GetAngleType() const { return m_nAngleType; }
    // A control that is not editable shows its value and copies it, nothing more.
    void SetEditable(BOOL bEditable) { m_bEditable = bEditable; }
    BOOL IsEditable() const { return m_bEditable; }

    // Enabled shows the value, disabled "n/a"; the window follows.
    void SetEnabled(BOOL bEnabled) override;

    // Reads the text as an angle of the type (the pages do on losing the focus). True with
    // the value taken; false when the text is refused: the value stays, the control is marked
    // and its tooltip says why.
    bool ReadText();
    BOOL IsRefused() const { return m_bRefused; }

    // The pop-up menu's commands.
    static constexpr UINT ID_ANGLE_CUT = 100;
    static constexpr UINT ID_ANGLE_COPY = 101;
    static constexpr UINT ID_ANGLE_PASTE = 102;

    // The mark of a refused text: the background behind it.
    static constexpr COLORREF kRefusedColour = 0xC0C0FF;

protected:
    void InitControl() override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnRButtonUp(UINT nFlags, CPoint point);
    LRESULT OnPasteMessage(WPARAM, LPARAM);
    LRESULT OnCutMessage(WPARAM, LPARAM);
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    // Shows what the control holds: the value, or "n/a" while disabled.
    void ShowValue();
    // Takes a text that reads as a new value: shows it with the caret there, marks the control
    // modified and tells the parent.
    void TakeEdit(const CString& text, double radians, int caret);
    void Cut();
    void Paste();
    void NotifyParent();
    void SetRefused(bool bRefused, const CString& reason = CString());
    bool MayChange() const { return m_bEditable && !IsReadOnly(); }

    int m_nAngleType;
    double m_dRadians = 0.0;
    double m_dDegrees = 0.0;
    CString m_AngleText;
    BOOL m_bEditable = TRUE;
    BOOL m_bRefused = FALSE;
    AngleTemplate m_Template;
    CBrush m_RefusedBrush;
};

// The latitude edit (type 5): N or S.
class CEditLat : public CEditAngle
{
public:
    CEditLat() : CEditAngle(5) {}
};

// The longitude edit (type 6): E or W.
class CEditLon : public CEditAngle
{
public:
    CEditLon() : CEditAngle(6) {}
};

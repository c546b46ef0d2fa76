// CEditDouble: the suite's number edit. It holds a double, shows it with a fixed number of
// decimals in a text of at most the text limit (12 unless set) followed by a units suffix,
// and edits that text key by key so that it always stays a number: only digits, one point,
// a sign at the front and the editing keys are taken. DBL_MAX means "no value" and shows
// "n/a". Whenever the user's editing changes the value, UM_EDIT_UPDATE is posted to the
// parent (wParam: EditUpdateWParam of the control's id).
//
// Free format shows the value trimmed ("1.500"); fixed format keeps it zero-padded with the
// point at a fixed place ("00000001.500") and digits overwrite in place. With the minimum or
// maximum check on, a digit that puts the value beyond the range for good (above the maximum
// while positive, below the minimum while negative) is refused, and a value still outside the
// range when the control loses the focus is brought to the nearer end of it.
//
// Keys: digits; '.'; '-' (and '+' with the plus sign) at the front; Backspace; Blank moves
// right; Ctrl+C copies, Ctrl+X and Shift+Delete cut, Ctrl+V, Insert and Shift+Insert paste,
// Delete clears the selection, Ctrl+Insert copies. A right click offers "Cut", "Copy" and
// "Paste" (Cut and Paste greyed when read-only). Pasted text must be a number.
#pragma once

#include "foundation/NumericEdit.h"

// The commands of the edit popup menu.
#ifndef ID_EDIT_CUT
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_PASTE 0xE125
#endif

class CEditDouble : public CNumericEdit
{
    DECLARE_DYNAMIC(CEditDouble)
public:
    CEditDouble();

    // Shows the value: "n/a" for DBL_MAX or NaN (stored as DBL_MAX), otherwise the formatted
    // number and units, trimmed. Without a window the value is kept for the window to come.
    void SetValue(double value);

    // The three set-up numbers: decimals, width (the text limit) and, for the fixed format,
    // the position of the point (-1: width - decimals - 1).
    void SetFormat(int nDecimals, int nWidth, int nDecimalPos = -1);
    void SetDecimals(int nDecimals) { m_nDecimals = nDecimals; }
    int GetDecimals() const { return m_nDecimals; }
    void SetDecimalPosition(int nPosition) { m_nDecimalPos = nPosition; }
    void SetScale(double scale) { m_Scale = scale; }
    double GetScale() const { return m_Scale; }
    void SetSignAllowed(BOOL bAllowed) { m_bSignAllowed = bAllowed; }
    void SetFixedFormat(BOOL bFixed) { m_bFixedFormat = bFixed; }
    // Each turns its check on.
    void SetMinimum(double minimum);
    void SetMaximum(double maximum);
    void SetRange(double minimum, double maximum);

protected:
    void ShowStoredValue() override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

    // The text of a value: formatted number and units (no trimming).
    CString FormatValue(double value) const;
    // The value the text stands for (DBL_MAX for "n/a").
    double ReadValue() const;
    // Applies one typed character by the key rules.
    void ApplyChar(UINT nChar);
    void PasteText() override;
    // Cuts (to the clipboard) or clears the selection.
    void DeleteText(bool toClipboard) override;
    void TrackChange(const std::function<void()>& edit) override;
    // Stores a changed value, marks the control modified and tells the parent.
    void ValueChanged(double before);

    int m_nDecimals = 3;
    double m_Scale = 1.0;
    BOOL m_bSignAllowed = TRUE;
    BOOL m_bFixedFormat = FALSE;
    double m_Minimum = 0.0;
    double m_Maximum = 0.0;
    int m_nDecimalPos = 8;
};

// CEditInt: the anchor-cable program's integer edit, the integer sibling of CEditDouble. It
// holds an int, shows it right-aligned in a width of the text limit (5 unless set) followed by
// a units suffix, trimmed, and edits that text key by key so that it always stays an integer:
// only digits, a sign at the front (by the sign options) and the editing keys are taken.
// INT_MAX means "no value" and shows "n/a". Whenever the user's editing changes the value,
// UM_EDIT_UPDATE is posted to the parent (wParam: EditUpdateWParam of the control's id).
//
// With a minimum or maximum set, a digit that puts the value beyond the range for good (above
// the maximum while positive, below the minimum while negative) is refused, and a value still
// outside the range when the control loses the focus is brought to the nearer end of it.
//
// Keys: digits; '-' (and '+' with the plus sign) at the front; Backspace; Blank moves right;
// Ctrl+C copies, Ctrl+X cuts, Ctrl+V and Insert paste, Delete deletes the selection or the
// character after the caret. Pasted text must be an integer.
#pragma once

#include "foundation/NumericEdit.h"

#include <climits>

class CEditInt : public CNumericEdit
{
    DECLARE_DYNAMIC(CEditInt)
public:
    // The control id the program gives its integer edits.
    static constexpr UINT kDefaultId = 1000;

    CEditInt();

    using CEdit::Create;
    // A child edit with a border and automatic horizontal scrolling, in the parent's font,
    // taking the focus.
    BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID = kDefaultId);

    // Shows the value: "n/a" for INT_MAX, otherwise the formatted number and units, trimmed.
    // Without a window the value is kept for the window to come.
    void SetValue(int value);
    int GetIntValue() const { return m_nValue; }
    // Shows the stored value again when the changed flag is set ("n/a" when disabled) and
    // applies the read-only mode.
    void Refresh();

    void SetSigned(BOOL bSigned) { m_bSigned = bSigned; }
    // Each turns its check on.
    void SetMinimum(int minimum);
    void SetMaximum(int maximum);
    void SetRange(int minimum, int maximum);

protected:
    void ShowStoredValue() override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

    // The text of a value: formatted number and units (no trimming).
    CString FormatValue(int value) const;
    // The value the text stands for (INT_MAX for "n/a"; an empty number or a lone sign is 0).
    int ReadValue() const;
    void ApplyChar(UINT nChar);
    void PasteText() override;
    // Cuts (to the clipboard) or deletes the selection, or the character after the caret.
    void DeleteText(bool toClipboard) override;
    void TrackChange(const std::function<void()>& edit) override;
    // Stores a changed value, marks the control changed and tells the parent.
    void ValueChanged(int before);
    void ScrollCaret();

    int m_nValue = 0;
    BOOL m_bSigned = TRUE;
    int m_nMinimum = 0;
    int m_nMaximum = 0;
};

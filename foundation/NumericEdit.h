// CNumericEdit: what the suite's number edits share. The text they show is a number followed
// by an optional units suffix, or "n/a" for no value; the user edits the number key by key.
// This base splits the text into number and units, reads the selection as it stands in the
// number, takes the clipboard's text for pasting, ends an in-place edit on Escape, Return or
// Tab, handles Insert and Delete (Ctrl+Insert copies, Insert pastes, Shift+Delete cuts, Delete
// alone deletes) and tells the parent of a changed value with UM_EDIT_UPDATE.
#pragma once

#include "foundation/BaseEdit.h"

#include <functional>

class CNumericEdit : public CBaseEdit
{
    DECLARE_DYNAMIC(CNumericEdit)
public:
    // Enabled controls show their value, disabled ones "n/a"; the window's state follows.
    void SetEnabled(BOOL bEnabled) override;
    void InitControl() override;

    void SetUnits(LPCTSTR lpszUnits) { m_Units = lpszUnits ? lpszUnits : ""; }
    const CString& GetUnits() const { return m_Units; }
    void SetPlusSign(BOOL bPlus) { m_bPlusSign = bPlus; }
    // Turns both range checks off.
    void ClearRange();

    static bool IsSign(char c) { return c == '+' || c == '-'; }
    static int SignLength(const CString& number) { return !number.IsEmpty() && IsSign(number[0]) ? 1 : 0; }
    // The number part of an edit's text: the text without the units suffix it ends with.
    static CString NumberPart(const CString& text, const CString& units);
    // True for "n/a", blanks around it allowed.
    static bool IsNoValue(CString number);

protected:
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

    // The number being edited and the selection in it.
    struct NumberText
    {
        CString number;
        // What follows the number in the text: the units, or nothing when it does not end
        // with them.
        CString units;
        // The selection as the window has it.
        int oldStart = 0;
        int oldEnd = 0;
        // The selection kept inside the number; "n/a" is no number to edit, so it reads as an
        // empty number with the caret at its start.
        int selStart = 0;
        int selEnd = 0;
    };
    NumberText ReadNumberText() const;

    // A typed key's rule: applies the key to `number` with [selStart, selEnd) selected, false
    // when it refuses the key; otherwise `caret` is where the caret goes.
    using KeyRule = std::function<bool(CString& number, int selStart, int selEnd, int& caret)>;
    // Applies a typed key to the number being edited and shows the result. A digit that puts
    // the value (as `valueOf` reads it) beyond the range for good is refused, keeping the
    // selection: only when more typing could not bring it back, as digits make a positive
    // value larger and a negative one smaller.
    void TypeKey(char key, const KeyRule& rule, const std::function<double(const CString&)>& valueOf,
                 double minimum, double maximum);

    // The clipboard's text on one line, trimmed.
    CString ClipboardLine() const;

    // In-place mode: Escape, Return and Tab end the edit by handing the focus back to the
    // parent. True when the key did that.
    bool EndInPlaceByKey(UINT nChar);

    // Posts UM_EDIT_UPDATE to the parent.
    void NotifyParent();

    // Shows the value the control holds.
    virtual void ShowStoredValue() = 0;
    virtual void PasteText() = 0;
    // Cuts (to the clipboard) or deletes what the Delete key takes.
    virtual void DeleteText(bool toClipboard) = 0;
    // Runs an edit of the text and, when it changed the value, takes the new value, marks
    // the control modified and tells the parent.
    virtual void TrackChange(const std::function<void()>& edit) = 0;

    BOOL m_bPlusSign = FALSE;
    BOOL m_bCheckMinimum = FALSE;
    BOOL m_bCheckMaximum = FALSE;
    CString m_Units;
};

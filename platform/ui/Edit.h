// CEdit: the edit control ("Edit" window class), single-line over a QLineEdit and multi-line
// (ES_MULTILINE) over a QPlainTextEdit.
//
// Keys reach the window's WM_KEYDOWN and WM_CHAR handlers before the widget edits the text;
// a handler that does not pass a key on to the default handling keeps it from the text. The
// default handling acts as a Windows edit does: Ctrl+C, Ctrl+X, Ctrl+V, Ctrl+Z and Ctrl+A
// copy, cut, paste, undo and select all; ES_NUMBER refuses characters other than digits; the
// text limit (LimitText) refuses typed and pasted characters beyond it without cutting text
// that is already there or that SetWindowText sets. The control's text and positions are
// Windows-1252 bytes; a multi-line control's line breaks are CR LF and count two positions.
//
// Notifications to the parent: EN_SETFOCUS, EN_KILLFOCUS, EN_UPDATE and EN_CHANGE (typing,
// editing commands, and SetWindowText on a single-line control), EN_MAXTEXT when the limit
// refuses a character. Before painting, the control asks its parent for its colours with
// WM_CTLCOLOREDIT (WM_CTLCOLORSTATIC while read-only or disabled).
#pragma once

#include "platform/ui/Wnd.h"

// EM_SETMARGINS.
#define EC_LEFTMARGIN 0x0001
#define EC_RIGHTMARGIN 0x0002
#define EC_USEFONTINFO 0xFFFF

class PLATFORM_API CEdit : public CWnd
{
    DECLARE_DYNAMIC(CEdit)
public:
    CEdit() = default;

    using CWnd::Create;
    // An "Edit" window with the ES_* and WS_* styles.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Selection: start and end positions, the caret at the end. SetSel(0, -1) selects all,
    // SetSel(-1, 0) clears the selection.
    DWORD GetSel() const;
    void GetSel(int& nStartChar, int& nEndChar) const;
    void SetSel(DWORD dwSelection, BOOL bNoScroll = FALSE);
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    // Replaces the selection (inserts at the caret when there is none).
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);

    // The most characters the user may type or paste; 0 sets the largest limit.
    void LimitText(int nChars = 0);
    void SetLimitText(UINT nMax) { LimitText(static_cast<int>(nMax)); }
    UINT GetLimitText() const;

    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    BOOL GetModify() const;
    void SetModify(BOOL bModified = TRUE);

    BOOL CanUndo() const;
    BOOL Undo();
    void EmptyUndoBuffer();
    void Clear();
    void Copy();
    void Cut();
    void Paste();

    // Lines (a single-line control has one).
    int GetLineCount() const;
    // Copies line nIndex into the buffer, whose first WORD gives its size when no size is
    // passed; no terminating NUL is added. Returns the characters copied.
    int GetLine(int nIndex, LPTSTR lpszBuffer) const;
    int GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const;
    int LineIndex(int nLine = -1) const;
    int LineLength(int nLine = -1) const;
    int LineFromChar(int nIndex = -1) const;
    int GetFirstVisibleLine() const;
    void LineScroll(int nLines, int nChars = 0);
    BOOL FmtLines(BOOL bAddEOL)
    {
        (void)bAddEOL;
        return FALSE;
    }

    void SetPasswordChar(TCHAR ch);
    TCHAR GetPasswordChar() const;
    void SetMargins(UINT nLeft, UINT nRight);
    DWORD GetMargins() const;
    void GetRect(LPRECT lpRect) const;
    void SetRect(LPCRECT lpRect);
    // Client position of a character, and the character nearest a client point (low word).
    CPoint PosFromChar(UINT nChar) const;
    int CharFromPos(CPoint pt) const;
};

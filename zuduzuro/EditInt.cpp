#include "zuduzuro/EditInt.h"

#include "foundation/ClipboardText.h"
#include "foundation/TextFunctions.h"
#include "foundation/WindowMessages.h"
#include "platform/ui/Clipboard.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CEditInt, CBaseEdit)

BEGIN_MESSAGE_MAP(CEditInt, CBaseEdit)
ON_WM_CHAR()
ON_WM_KEYDOWN()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

namespace
{
bool IsSign(char c)
{
    return c == '+' || c == '-';
}

int SignLength(const CString& number)
{
    return !number.IsEmpty() && IsSign(number[0]) ? 1 : 0;
}

// The number part of an edit's text: the text without the units suffix it ends with.
CString NumberPart(const CString& text, const CString& units)
{
    if (!units.IsEmpty() && text.GetLength() >= units.GetLength() && text.Right(units.GetLength()) == units)
        return text.Left(text.GetLength() - units.GetLength());
    return text;
}

bool IsNoValue(CString number)
{
    number.Trim();
    return number == g_NotAvailableText;
}

// An optional sign and at least one digit, nothing else.
bool IsIntegerText(const CString& text)
{
    const int sign = SignLength(text);
    if (text.GetLength() <= sign)
        return false;
    for (int i = sign; i < text.GetLength(); ++i)
        if (!IsDigit(text[i]))
            return false;
    return true;
}

// The integer the number text stands for: its leading digits, 0 when there are none. Kept off
// INT_MAX, which means "no value", and within the int range however many digits were typed.
int ParseInt(const CString& number)
{
    CString text(number);
    text.Trim();
    long long value = std::strtoll(text, nullptr, 10);
    value = std::max<long long>(value, INT_MIN);
    value = std::min<long long>(value, static_cast<long long>(INT_MAX) - 1);
    return static_cast<int>(value);
}

struct IntLayout
{
    int limit;
    bool signAllowed;
    bool plusSign;
};

// Applies one typed character to the number text (units split off): the selection
// [selStart, selEnd) goes first, then the key acts at the caret. False when the key is refused
// or does nothing, leaving `number` as it was; otherwise `caret` is where the caret goes.
bool ApplyKey(const IntLayout& f, char key, CString& number, int selStart, int selEnd, int& caret)
{
    CString n = number;
    const bool hadSelection = selEnd > selStart;
    if (hadSelection)
        n.Delete(selStart, selEnd - selStart);
    int c = selStart;

    if (key == '\b')
    {
        if (hadSelection)
        {
            // With a selection only the selection goes.
        }
        else if (c == 0)
            return false;
        else if (c == 1 && f.plusSign && IsSign(n[0]))
            n.SetAt(0, '+');
        else
        {
            n.Delete(c - 1);
            --c;
        }
    }
    else if (key == ' ')
    {
        if (c < n.GetLength())
            ++c;
        else if (!hadSelection)
            return false;
    }
    else if (IsSign(key))
    {
        if (c != 0 || !f.signAllowed || (key == '+' && !f.plusSign))
            return false;
        if (SignLength(n) == 1)
            n.SetAt(0, key);
        else if (n.GetLength() < f.limit)
            n.Insert(0, key);
        else
            return false;
        c = 1;
    }
    else if (IsDigit(key))
    {
        // Digits go after a sign, and a '+' is supplied first when positive values show one.
        if (c == 0 && SignLength(n) == 1)
            c = 1;
        else if (c == 0 && f.plusSign)
        {
            if (n.GetLength() >= f.limit)
                return false;
            n.Insert(0, '+');
            c = 1;
        }
        const int sl = SignLength(n);
        if (n.Mid(sl) == "0" && (c == sl || c == sl + 1))
        {
            // A lone zero gives way to the digit typed.
            n.SetAt(sl, key);
            c = sl;
        }
        else if (n.GetLength() < f.limit)
            n.Insert(c, key);
        else
            return false;
        ++c;
    }
    else
        return false;

    number = n;
    caret = c;
    return true;
}

} // namespace

CEditInt::CEditInt()
{
    m_nTextLimit = 5;
    m_nValue = 0;
}

BOOL CEditInt::Create(const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CEdit::Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect, pParentWnd, nID))
        return FALSE;
    if (pParentWnd)
        SetFont(pParentWnd->GetFont());
    SetFocus();
    return TRUE;
}

void CEditInt::SetMinimum(int minimum)
{
    m_nMinimum = minimum;
    m_bCheckMinimum = TRUE;
}

void CEditInt::SetMaximum(int maximum)
{
    m_nMaximum = maximum;
    m_bCheckMaximum = TRUE;
}

void CEditInt::SetRange(int minimum, int maximum)
{
    SetMinimum(minimum);
    SetMaximum(maximum);
}

void CEditInt::ClearRange()
{
    m_bCheckMinimum = FALSE;
    m_bCheckMaximum = FALSE;
}

CString CEditInt::FormatValue(int value) const
{
    CString text;
    text.Format(m_bPlusSign ? "%+*d" : "%*d", m_nTextLimit, value);
    return text + m_Units;
}

int CEditInt::ReadValue() const
{
    CString text;
    GetWindowText(text);
    const CString number = NumberPart(text, m_Units);
    return IsNoValue(number) ? INT_MAX : ParseInt(number);
}

void CEditInt::SetValue(int value)
{
    m_nValue = value;
    if (!GetSafeHwnd())
        return;
    if (GetLimitText() != static_cast<UINT>(m_nTextLimit))
        LimitText(m_nTextLimit);
    CString text;
    if (value == INT_MAX)
        text = g_NotAvailableText;
    else
    {
        text = FormatValue(value);
        text.Trim();
    }
    SetWindowText(text);
    SetToolTipText("Integer");
}

void CEditInt::SetEnabled(BOOL bEnabled)
{
    m_bEnabled = bEnabled;
    if (!GetSafeHwnd())
        return;
    if (bEnabled)
        SetValue(m_nValue);
    else
        SetWindowText(g_NotAvailableText);
    EnableWindow(bEnabled);
}

void CEditInt::Refresh()
{
    if (!GetSafeHwnd())
        return;
    if (!m_bEnabled)
        SetWindowText(g_NotAvailableText);
    else if (m_bModified)
        SetValue(m_nValue);
    if (m_bReadOnly)
        CEdit::SetReadOnly(TRUE);
}

void CEditInt::InitControl()
{
    if (m_bInitialised)
        return;
    m_bInitialised = TRUE;
    if (m_bEnabled)
        SetValue(m_nValue);
    else
        SetWindowText(g_NotAvailableText);
    EnableWindow(m_bEnabled);
    if (m_bReadOnly)
        CEdit::SetReadOnly(TRUE);
}

void CEditInt::ValueChanged(int before)
{
    if (!GetSafeHwnd())
        return;
    const int after = ReadValue();
    if (after == before)
        return;
    m_nValue = after;
    m_bModified = TRUE;
    if (CWnd* parent = GetParent())
        parent->PostMessage(UM_EDIT_UPDATE, EditUpdateWParam(static_cast<UINT>(GetDlgCtrlID())), 0);
}

void CEditInt::ScrollCaret()
{
    SendMessage(EM_SCROLLCARET);
}

void CEditInt::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nRepCnt;
    (void)nFlags;
    if (m_bInPlace && (nChar == VK_ESCAPE || nChar == VK_RETURN || nChar == VK_TAB))
    {
        if (nChar == VK_ESCAPE)
            m_bCancel = TRUE;
        else if (nChar == VK_TAB)
            m_bTab = TRUE;
        if (CWnd* parent = GetParent())
            parent->SetFocus();
        return;
    }
    if (nChar == 3)
    {
        Copy();
        return;
    }
    if (IsReadOnly())
        return;
    const int before = ReadValue();
    ApplyChar(nChar);
    ValueChanged(before);
}

void CEditInt::ApplyChar(UINT nChar)
{
    if (nChar == 22)
    {
        PasteText();
        return;
    }
    if (nChar == 24)
    {
        DeleteText(true);
        return;
    }
    if (nChar > 0xFF)
        return;

    CString text;
    GetWindowText(text);
    const CString number = NumberPart(text, m_Units);
    const CString units = text.Mid(number.GetLength());
    int selStart = 0, selEnd = 0;
    GetSel(selStart, selEnd);
    const int oldStart = selStart, oldEnd = selEnd;

    CString edited = number;
    if (IsNoValue(number))
    {
        // "n/a" is no number to edit: typing starts a new one.
        edited.Empty();
        selStart = selEnd = 0;
    }
    selStart = std::min(std::max(selStart, 0), edited.GetLength());
    selEnd = std::min(std::max(selEnd, selStart), edited.GetLength());

    const IntLayout layout{m_nTextLimit, m_bSigned != FALSE, m_bPlusSign != FALSE};
    int caret = selStart;
    if (!ApplyKey(layout, static_cast<char>(nChar), edited, selStart, selEnd, caret))
        return;

    if (IsDigit(static_cast<char>(nChar)))
    {
        // Refused only when more typing could not bring the value back into the range:
        // digits make a positive value larger and a negative one smaller.
        const int value = ParseInt(edited);
        if ((m_bCheckMaximum && value > m_nMaximum && value > 0) ||
            (m_bCheckMinimum && value < m_nMinimum && value < 0))
        {
            SetSel(oldStart, oldEnd);
            return;
        }
    }
    SetWindowText(edited + units);
    SetSel(caret, caret);
    m_nCaretPos = caret;
}

void CEditInt::PasteText()
{
    if (IsReadOnly())
        return;
    CString clip = GetClipboardText(GetSafeHwnd());
    clip.Remove('\r');
    clip.Remove('\n');
    clip.Trim();
    // Only an integer is pasted: anything else would be read as 0 and lose the value.
    if (!IsIntegerText(clip))
        return;

    CString text;
    GetWindowText(text);
    CString number = NumberPart(text, m_Units);
    int selStart = 0, selEnd = 0;
    GetSel(selStart, selEnd);
    if (IsNoValue(number))
    {
        number.Empty();
        selStart = selEnd = 0;
    }
    selStart = std::min(std::max(selStart, 0), number.GetLength());
    selEnd = std::min(std::max(selEnd, selStart), number.GetLength());
    const CString rest = number.Left(selStart) + number.Mid(selEnd);
    // A sign only goes at the front of a number that has none.
    if (SignLength(clip) == 1 && (selStart != 0 || SignLength(rest) == 1 || !m_bSigned))
        return;
    const int room = std::max(0, m_nTextLimit - rest.GetLength());
    number = number.Left(selStart) + clip.Left(room) + number.Mid(selEnd);
    CString shown = FormatValue(ParseInt(number));
    shown.Trim();
    SetWindowText(shown);
    const int caret = NumberPart(shown, m_Units).GetLength();
    SetSel(caret, caret);
    ScrollCaret();
}

void CEditInt::DeleteText(bool toClipboard)
{
    if (IsReadOnly())
        return;
    int selStart = 0, selEnd = 0;
    GetSel(selStart, selEnd);
    CString text;
    GetWindowText(text);
    CString number = NumberPart(text, m_Units);
    const CString units = text.Mid(number.GetLength());
    if (IsNoValue(number))
        return;
    selStart = std::min(std::max(selStart, 0), number.GetLength());
    selEnd = std::min(std::max(selEnd, selStart), number.GetLength());
    if (selStart == selEnd)
    {
        // Cut needs a selection; Delete takes the character after the caret.
        if (toClipboard || selStart >= number.GetLength())
            return;
        selEnd = selStart + 1;
    }
    else if (toClipboard)
        Copy();

    number.Delete(selStart, selEnd - selStart);
    if (number.GetLength() == SignLength(number))
    {
        // The whole number went: the value becomes 0.
        CString shown = FormatValue(0);
        shown.Trim();
        SetWindowText(shown);
        const int caret = NumberPart(shown, m_Units).GetLength();
        SetSel(caret, caret);
    }
    else
    {
        SetWindowText(number + units);
        SetSel(selStart, selStart);
    }
    ScrollCaret();
}

void CEditInt::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (IsReadOnly())
    {
        CBaseEdit::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    if (nChar == VK_INSERT && control && !shift)
    {
        Copy();
        return;
    }
    if (nChar == VK_INSERT || nChar == VK_DELETE)
    {
        const int before = ReadValue();
        if (nChar == VK_INSERT)
            PasteText();
        else
            // Shift+Delete cuts; Delete alone deletes without touching the clipboard.
            DeleteText(shift);
        ValueChanged(before);
        return;
    }
    CBaseEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CEditInt::OnSetFocus(CWnd* pOldWnd)
{
    CBaseEdit::OnSetFocus(pOldWnd);
    if (IsReadOnly() || !GetSafeHwnd())
        return;
    if (GetLimitText() != static_cast<UINT>(m_nTextLimit))
        LimitText(m_nTextLimit);
    CString text;
    GetWindowText(text);
    CString shown = text;
    if (shown.GetLength() > m_nTextLimit + m_Units.GetLength())
        shown = FormatValue(0);
    shown.Trim();
    if (shown != text)
        SetWindowText(shown);
    SetSel(0, -1);
    ScrollCaret();
}

void CEditInt::OnKillFocus(CWnd* pNewWnd)
{
    CBaseEdit::OnKillFocus(pNewWnd);
    // An in-place edit has ended and its window is gone.
    if (!GetSafeHwnd())
        return;
    const int previous = m_nValue;
    int value = ReadValue();
    if (value != INT_MAX)
    {
        if (m_bCheckMinimum && value < m_nMinimum)
            value = m_nMinimum;
        if (m_bCheckMaximum && value > m_nMaximum)
            value = m_nMaximum;
    }
    SetValue(value);
    m_bModified = FALSE;
    // The range check may have moved the value the parent was last told about.
    if (m_nValue != previous)
        if (CWnd* parent = GetParent())
            parent->PostMessage(UM_EDIT_UPDATE, EditUpdateWParam(static_cast<UINT>(GetDlgCtrlID())), 0);
}

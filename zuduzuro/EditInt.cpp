#include "zuduzuro/EditInt.h"

#include "foundation/TextFunctions.h"
#include "foundation/WindowMessages.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CEditInt, CNumericEdit)

BEGIN_MESSAGE_MAP(CEditInt, CNumericEdit)
ON_WM_CHAR()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

namespace
{
bool IsSign(char c)
{
    return CNumericEdit::IsSign(c);
}

int SignLength(const CString& number)
{
    return CNumericEdit::SignLength(number);
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

CString CEditInt::FormatValue(int value) const
{
    CString text;
    FormatFixedInt(text, value, m_nTextLimit, m_bPlusSign != FALSE, false);
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

void CEditInt::ShowStoredValue()
{
    SetValue(m_nValue);
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

void CEditInt::ValueChanged(int before)
{
    if (!GetSafeHwnd())
        return;
    const int after = ReadValue();
    if (after == before)
        return;
    m_nValue = after;
    m_bModified = TRUE;
    NotifyParent();
}

void CEditInt::TrackChange(const std::function<void()>& edit)
{
    const int before = ReadValue();
    edit();
    ValueChanged(before);
}

void CEditInt::ScrollCaret()
{
    SendMessage(EM_SCROLLCARET);
}

void CEditInt::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nRepCnt;
    (void)nFlags;
    if (EndInPlaceByKey(nChar))
        return;
    if (nChar == 3)
    {
        Copy();
        return;
    }
    if (IsReadOnly())
        return;
    TrackChange([&] { ApplyChar(nChar); });
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

    const IntLayout layout{m_nTextLimit, m_bSigned != FALSE, m_bPlusSign != FALSE};
    const char key = static_cast<char>(nChar);
    // Ints compare the same as the doubles they convert to exactly.
    TypeKey(
        key,
        [&](CString& number, int selStart, int selEnd, int& caret) {
            return ApplyKey(layout, key, number, selStart, selEnd, caret);
        },
        [](const CString& number) { return static_cast<double>(ParseInt(number)); }, m_nMinimum, m_nMaximum);
}

void CEditInt::PasteText()
{
    if (IsReadOnly())
        return;
    const CString clip = ClipboardLine();
    // Only an integer is pasted: anything else would be read as 0 and lose the value.
    if (!IsIntegerText(clip))
        return;

    const NumberText t = ReadNumberText();
    CString number = t.number;
    const int selStart = t.selStart, selEnd = t.selEnd;
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

void CEditInt::OnSetFocus(CWnd* pOldWnd)
{
    CNumericEdit::OnSetFocus(pOldWnd);
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
    CNumericEdit::OnKillFocus(pNewWnd);
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
        NotifyParent();
}

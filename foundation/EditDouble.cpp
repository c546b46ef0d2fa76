#include "foundation/EditDouble.h"

#include "foundation/EditMenu.h"
#include "foundation/TextFunctions.h"
#include "foundation/WindowMessages.h"

#include <algorithm>
#include <cmath>
#include <cstring>

IMPLEMENT_DYNAMIC(CEditDouble, CNumericEdit)

BEGIN_MESSAGE_MAP(CEditDouble, CNumericEdit)
ON_WM_CHAR()
ON_WM_RBUTTONUP()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

namespace
{
bool IsSign(char c)
{
    return CNumericEdit::IsSign(c);
}

// How the number text is laid out while the user types.
struct NumberLayout
{
    int limit;
    int decimals;
    int decimalPos;
    bool plusSign;
    bool signAllowed;
    bool fixed;
};

// Applies one typed character to the number text (units split off): the selection
// [selStart, selEnd) goes first, then the key acts at the caret. False when the key is refused
// or does nothing, leaving `number` as it was; otherwise `caret` is where the caret goes.
bool ApplyKey(const NumberLayout& f, char key, CString& number, int selStart, int selEnd, int& caret)
{
    CString n = number;
    const bool hadSelection = selEnd > selStart;
    if (hadSelection)
        n.Delete(selStart, selEnd - selStart);
    int c = selStart;
    const auto len = [&n] { return n.GetLength(); };
    const auto signLen = [&n] { return !n.IsEmpty() && IsSign(n[0]) ? 1 : 0; };

    if (key == '\b')
    {
        if (hadSelection)
        {
            // With a selection only the selection goes.
        }
        else if (c == 0)
            return false;
        else if (f.fixed)
        {
            if (n[c - 1] == '.')
            {
                --c;
                if (c == 0)
                    return false;
            }
            n.SetAt(c - 1, (c - 1 == 0 && f.plusSign) ? '+' : '0');
            --c;
        }
        else if (c == 1 && f.plusSign && IsSign(n[0]))
            n.SetAt(0, '+');
        else
        {
            n.Delete(c - 1);
            --c;
            // A number keeps a digit before its point.
            const int point = n.Find('.');
            if (point >= 0 && point == signLen())
                n.Insert(point, '0');
        }
    }
    else if (key == ' ')
    {
        const int end = std::min(len(), f.limit);
        if (c < end)
            c += (n[c] == '.' && c + 1 < end) ? 2 : 1;
        else if (!hadSelection)
            return false;
    }
    else if (key == '+' || key == '-')
    {
        if (c != 0 || !f.signAllowed || (key == '+' && !f.plusSign))
            return false;
        if (signLen() == 1 || (f.fixed && !n.IsEmpty() && n[0] == '0'))
            n.SetAt(0, key);
        else if (len() < f.limit)
            n.Insert(0, key);
        else
            return false;
        c = 1;
    }
    else if (key == '.')
    {
        if (f.decimals <= 0)
            return false;
        const int point = n.Find('.');
        if (f.fixed)
        {
            if (point >= 0 && point < c)
                return false;
            if (point == c)
                c = point + 1;
            else if (c < f.decimalPos)
            {
                // The digits typed so far become the whole part, right-aligned on the point;
                // the digits after the caret become the decimals.
                const int sl = (signLen() == 1 && c > 0) ? 1 : 0;
                CString digits;
                for (int i = sl; i < c; ++i)
                    if (IsDigit(n[i]))
                        digits += n[i];
                CString fraction;
                for (int i = c; i < len(); ++i)
                    if (IsDigit(n[i]))
                        fraction += n[i];
                const CString sign = sl ? CString(n[0]) : CString(f.plusSign ? "+" : "");
                const int room = f.decimalPos - sign.GetLength();
                if (digits.GetLength() > room)
                    return false;
                fraction = fraction.Left(f.decimals);
                while (fraction.GetLength() < f.decimals)
                    fraction += '0';
                n = sign + CString('0', room - digits.GetLength()) + digits + "." + fraction;
                c = f.decimalPos + 1;
            }
            else
                return false;
        }
        else if (point >= 0)
        {
            if (c == point + 1)
                return false;
            c = point + 1;
        }
        else
        {
            c = std::max(c, signLen());
            if (f.plusSign && signLen() == 0)
            {
                n.Insert(0, '+');
                ++c;
            }
            if (c == signLen())
            {
                n.Insert(c, '0');
                ++c;
            }
            n.Insert(c, '.');
            ++c;
            if (len() - c > f.decimals)
                n.Truncate(c + f.decimals);
            if (len() > f.limit)
                return false;
        }
    }
    else if (IsDigit(key))
    {
        // Digits go after a sign, and a '+' is supplied first when positive values show one.
        if (c == 0 && signLen() == 1)
            c = 1;
        else if (c == 0 && f.plusSign)
        {
            if (len() >= f.limit)
                return false;
            n.Insert(0, '+');
            c = 1;
        }
        const int point = n.Find('.');
        if (f.fixed)
        {
            if (point < 0 || c <= point)
            {
                if (c >= f.decimalPos)
                    return false;
                if (c < len() && n[c] != '.')
                    n.SetAt(c, key);
                else if (len() < f.limit && (point < 0 ? len() : point) < f.decimalPos)
                    n.Insert(c, key);
                else
                    return false;
            }
            else
            {
                if (c - point - 1 >= f.decimals)
                    return false;
                if (c < len())
                    n.SetAt(c, key);
                else if (len() < f.limit)
                    n.Insert(c, key);
                else
                    return false;
            }
        }
        else
        {
            const int sl = signLen();
            const CString whole = point < 0 ? n.Mid(sl) : n.Mid(sl, point - sl);
            if (whole == "0" && (c == sl || c == sl + 1))
            {
                // A lone leading zero gives way to the digit typed.
                n.SetAt(sl, key);
                c = sl;
            }
            else if (point >= 0 && c > point)
            {
                const int fraction = len() - point - 1;
                if (c < len() && fraction >= f.decimals)
                    n.SetAt(c, key);
                else if (fraction < f.decimals && len() < f.limit)
                    n.Insert(c, key);
                else
                    return false;
            }
            else if (len() < f.limit)
                n.Insert(c, key);
            else
                return false;
        }
        ++c;
    }
    else
        return false;

    number = n;
    caret = c;
    return true;
}

} // namespace

CEditDouble::CEditDouble()
{
    m_nTextLimit = 12;
    m_Value = DBL_MAX;
}

void CEditDouble::SetFormat(int nDecimals, int nWidth, int nDecimalPos)
{
    m_nDecimals = nDecimals;
    m_nTextLimit = nWidth;
    m_nDecimalPos = nDecimalPos >= 0 ? nDecimalPos : nWidth - nDecimals - (nDecimals > 0 ? 1 : 0);
}

void CEditDouble::SetMinimum(double minimum)
{
    m_Minimum = minimum;
    m_bCheckMinimum = TRUE;
}

void CEditDouble::SetMaximum(double maximum)
{
    m_Maximum = maximum;
    m_bCheckMaximum = TRUE;
}

void CEditDouble::SetRange(double minimum, double maximum)
{
    SetMinimum(minimum);
    SetMaximum(maximum);
}

CString CEditDouble::FormatValue(double value) const
{
    return FormatFixed(value, m_nTextLimit, m_nDecimals, m_bPlusSign != FALSE, m_bFixedFormat != FALSE) +
           m_Units;
}

double CEditDouble::ReadValue() const
{
    CString text;
    GetWindowText(text);
    const CString number = NumberPart(text, m_Units);
    return IsNoValue(number) ? DBL_MAX : AtofC(number);
}

void CEditDouble::SetValue(double value)
{
    CString text;
    if (std::isnan(value) || value == DBL_MAX)
    {
        m_Value = DBL_MAX;
        text = g_NotAvailableText;
    }
    else
    {
        m_Value = value;
        text = FormatValue(value);
        text.Trim();
    }
    if (!GetSafeHwnd())
        return;
    if (GetLimitText() != static_cast<UINT>(m_nTextLimit))
        LimitText(m_nTextLimit);
    SetWindowText(text);
    SetToolTipText("Double");
}

void CEditDouble::ShowStoredValue()
{
    SetValue(m_Value);
}

void CEditDouble::ValueChanged(double before)
{
    if (!GetSafeHwnd())
        return;
    const double after = ReadValue();
    if (after == before)
        return;
    m_Value = after;
    m_bModified = TRUE;
    NotifyParent();
    if (m_bInPlace)
        WidenToText();
}

void CEditDouble::TrackChange(const std::function<void()>& edit)
{
    const double before = ReadValue();
    edit();
    ValueChanged(before);
}

void CEditDouble::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
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
    TrackChange([&] {
        if (nChar >= 3 && nChar <= 57)
            ApplyChar(nChar);
    });
}

void CEditDouble::ApplyChar(UINT nChar)
{
    switch (nChar)
    {
    case 3:
        Copy();
        return;
    case 22:
        PasteText();
        return;
    case 24:
        DeleteText(true);
        return;
    default:
        break;
    }

    const NumberLayout layout{
        m_nTextLimit,           m_nDecimals, m_nDecimalPos, m_bPlusSign != FALSE, m_bSignAllowed != FALSE,
        m_bFixedFormat != FALSE};
    const char key = static_cast<char>(nChar);
    TypeKey(
        key,
        [&](CString& number, int selStart, int selEnd, int& caret) {
            return ApplyKey(layout, key, number, selStart, selEnd, caret);
        },
        [](const CString& number) { return AtofC(number); }, m_Minimum, m_Maximum);
}

void CEditDouble::PasteText()
{
    if (IsReadOnly())
        return;
    const CString clip = ClipboardLine();
    // Only a number is pasted: anything else would be read as 0 and lose the value.
    if (clip.IsEmpty() || !IsNumericText(clip) || (!m_bSignAllowed && clip.Find('-') >= 0))
        return;

    const CString units = m_Units;
    const NumberText t = ReadNumberText();
    CString number = t.number;
    const int selStart = t.selStart, selEnd = t.selEnd;

    CString shown;
    if (m_bFixedFormat)
    {
        // Overwrites as many characters from the caret as it holds (the selection when
        // there is one), then the whole is laid out again.
        const int end =
            selEnd > selStart ? selEnd : std::min(selStart + clip.GetLength(), number.GetLength());
        number = number.Left(selStart) + clip + number.Mid(end);
        number.Truncate(std::min(number.GetLength(), m_nTextLimit));
        shown = FormatFixed(AtofC(number), m_nTextLimit, m_nDecimals, m_bPlusSign != FALSE, true) + units;
    }
    else
    {
        const int room = std::max(0, m_nTextLimit - (number.GetLength() - (selEnd - selStart)));
        number = number.Left(selStart) + clip.Left(room) + number.Mid(selEnd);
        shown = FormatValue(AtofC(number));
        shown.Trim();
    }
    SetWindowText(shown);
    const int caret = NumberPart(shown, m_Units).GetLength();
    SetSel(caret, caret);
}

void CEditDouble::DeleteText(bool toClipboard)
{
    if (IsReadOnly())
        return;
    int selStart = 0, selEnd = 0;
    GetSel(selStart, selEnd);
    if (selStart == selEnd)
        return;
    if (toClipboard)
        Copy();

    CString text;
    GetWindowText(text);
    CString number = NumberPart(text, m_Units);
    const CString units = text.Mid(number.GetLength());
    selStart = std::min(selStart, number.GetLength());
    selEnd = std::min(selEnd, number.GetLength());
    const CString zero = FormatFixed(0.0, m_nTextLimit, m_nDecimals, m_bPlusSign != FALSE, true);

    if (selStart == 0 && (selEnd >= number.GetLength() || selEnd >= static_cast<int>(GetLimitText())))
    {
        // The whole number goes: the value becomes 0.
        const CString shown = m_bFixedFormat ? zero + units : CString(m_bPlusSign ? "+0" : "0");
        SetWindowText(shown);
        const int caret = m_bFixedFormat ? 0 : shown.GetLength();
        SetSel(caret, caret);
        return;
    }

    int caret = selStart;
    if (m_bFixedFormat)
    {
        // The cut places take the characters of a formatted zero, keeping the layout.
        for (int i = selStart; i < selEnd; ++i)
            if (i < zero.GetLength())
                number.SetAt(i, zero[i]);
    }
    else
    {
        number.Delete(selStart, selEnd - selStart);
        if (number.IsEmpty())
            number = m_bPlusSign ? "+0" : "0";
        if (m_bPlusSign && !IsSign(number[0]))
        {
            number.Insert(0, '+');
            ++caret;
        }
        const int sl = IsSign(number[0]) ? 1 : 0;
        if (sl < number.GetLength() && number[sl] == '.')
            number.Insert(sl, '0');
        caret = std::min(caret, number.GetLength());
    }
    SetWindowText(number + units);
    SetSel(caret, caret);
}

void CEditDouble::OnRButtonUp(UINT nFlags, CPoint point)
{
    (void)nFlags;
    if (!m_bEnabled || !IsWindowEnabled())
        return;
    const bool readOnly = IsReadOnly() != FALSE;
    const UINT command = TrackEditMenu(*this, point, readOnly, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE);
    if (!GetSafeHwnd())
        return;
    if (command != ID_EDIT_CUT && command != ID_EDIT_COPY && command != ID_EDIT_PASTE)
        return;
    TrackChange([&] {
        if (command == ID_EDIT_CUT && !readOnly)
            DeleteText(true);
        else if (command == ID_EDIT_COPY)
            Copy();
        else if (command == ID_EDIT_PASTE && !readOnly)
            PasteText();
    });
}

void CEditDouble::OnSetFocus(CWnd* pOldWnd)
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
        shown = FormatValue(0.0);
    shown.Trim();
    if (shown != text)
    {
        SetWindowText(shown);
        SetSel(0, -1);
    }
}

void CEditDouble::OnKillFocus(CWnd* pNewWnd)
{
    CNumericEdit::OnKillFocus(pNewWnd);
    // An in-place edit has ended and its window is gone.
    if (!GetSafeHwnd())
        return;
    // A disabled control shows "n/a" for the value it keeps: that text is no entry.
    if (!m_bEnabled)
    {
        m_bModified = FALSE;
        return;
    }
    const double previous = m_Value;
    double value = ReadValue();
    if (value != DBL_MAX)
    {
        if (m_bCheckMinimum && value < m_Minimum)
            value = m_Minimum;
        if (m_bCheckMaximum && value > m_Maximum)
            value = m_Maximum;
    }
    SetValue(value);
    m_bModified = FALSE;
    // The range check may have moved the value the parent was last told about.
    if (m_Value != previous)
        NotifyParent();
}

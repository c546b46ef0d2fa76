#include "foundation/InPlaceAngleEdit.h"

#include "foundation/ClipboardText.h"
#include "foundation/AngleFormat.h"
#include "foundation/InPlaceEdit.h"

#include <cctype>

IMPLEMENT_DYNAMIC(CInPlaceAngleEdit, CEdit)

BEGIN_MESSAGE_MAP(CInPlaceAngleEdit, CEdit)
ON_WM_CREATE()
ON_WM_KILLFOCUS()
ON_WM_CHAR()
ON_MESSAGE(WM_PASTE, &CInPlaceAngleEdit::OnPaste)
END_MESSAGE_MAP()

AngleTemplate AngleTemplate::For(int angleType, int angleFormat, int decimals)
{
    AngleTemplate t;
    if (decimals < 0)
        decimals = GetDefaultDecimals(angleType, angleFormat);
    BuildAngleMask(angleType, angleFormat, t.templ, decimals, &t.limit);
    t.hemisphere = angleType == ANGLE_LONGITUDE ? 'E' : 'N';
    t.zero = FormatAngle(0.0, angleType, angleFormat, decimals, t.hemisphere);
    return t;
}

bool AngleTemplate::Type(CString& text, int selStart, int selEnd, UINT ch, int& caret) const
{
    const int n = templ.GetLength();
    const auto isDigitAt = [this, n](int i) {
        return i >= 0 && i < n && std::isdigit(static_cast<unsigned char>(templ[i]));
    };
    const bool hemiTemplate = n > 0 && (templ[n - 1] == 'N' || templ[n - 1] == 'E');
    const auto isStop = [&](int i) { return isDigitAt(i) || (hemiTemplate && i == n - 1); };
    const auto nextStop = [&](int i) {
        while (i < n && !isStop(i))
            ++i;
        return i;
    };

    CString work;
    int p = 0;
    if (selStart == 0 && selEnd >= n)
        work = zero;
    else
    {
        work = text;
        p = selStart;
        if (selEnd - selStart > 1)
            for (int i = selStart; i < selEnd && i < work.GetLength() && i < zero.GetLength(); ++i)
                work.SetAt(i, zero[i]);
    }
    // A text of another shape (a cell filled from elsewhere) starts from the zero text, so
    // that every position below stays inside it.
    if (work.GetLength() != n || zero.GetLength() != n)
    {
        if (zero.GetLength() != n)
        {
            caret = p;
            return false;
        }
        work = zero;
    }
    p = std::max(0, std::min(p, n));

    bool changed = false;
    const char c = static_cast<char>(ch);
    if (ch == 8)
    {
        if (p >= 1)
        {
            --p;
            if (p == 0 && templ[0] == '+')
                work.SetAt(0, '+');
            else if (p == n - 1 && hemiTemplate)
                work.SetAt(p, hemisphere);
            else
            {
                while (p > 0 && !isDigitAt(p))
                    --p;
                if (isDigitAt(p))
                    work.SetAt(p, '0');
            }
            changed = true;
        }
    }
    else if (c == ' ')
        p = nextStop(p + 1);
    else if (c == '"' || c == '\'' || c == '.')
    {
        const int q = templ.Find(c, p + 1);
        if (q > p)
            p = nextStop(q + 1);
    }
    else if (c == '+' || c == '-')
    {
        if (p == 0 && n > 0 && templ[0] == '+')
        {
            work.SetAt(0, c);
            p = 1;
            changed = true;
        }
    }
    else if (c >= '0' && c <= '9')
    {
        const int k = (n > 0 && templ[0] == '+') ? 1 : 0;
        const int m = limit.GetLength();
        bool done = false;
        if (m > 0 && p - k + 1 == m)
        {
            CString lead = work.Mid(k, m);
            lead.SetAt(p - k, c);
            if (lead == limit)
            {
                int last = p;
                work.SetAt(p, c);
                for (int i = p + 1; i < n; ++i)
                    if (isDigitAt(i))
                    {
                        work.SetAt(i, '0');
                        last = i;
                    }
                p = nextStop(last + 1);
                changed = true;
                done = true;
            }
        }
        if (!done && p < n && isDigitAt(p))
        {
            const bool over = c > templ[p];
            const bool leadSmaller = p == 1 && (templ[0] == '3' || templ[0] == '1') && work[0] < templ[0];
            if (!over || leadSmaller)
            {
                work.SetAt(p, c);
                p = nextStop(p + 1);
                changed = true;
            }
        }
    }
    else if ((c == 'E' || c == 'W' || c == 'e' || c == 'w') && n > 0 && templ[n - 1] == 'E')
    {
        work.SetAt(n - 1, static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
        p = n;
        changed = true;
    }
    else if ((c == 'N' || c == 'S' || c == 'n' || c == 's') && n > 0 && templ[n - 1] == 'N')
    {
        work.SetAt(n - 1, static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
        p = n;
        changed = true;
    }
    if (changed)
        text = work;
    caret = p;
    return changed;
}

void CInPlaceAngleEdit::Setup(int nItem, int nColumn, int angleType, int angleFormat, LPCTSTR lpszInitial)
{
    m_nItem = nItem;
    m_nColumn = nColumn;
    m_bCancel = false;
    m_AngleType = angleType;
    m_AngleFormat = angleFormat;
    m_Initial = lpszInitial ? lpszInitial : "";
    m_Template = AngleTemplate::For(angleType, angleFormat);
}

int CInPlaceAngleEdit::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CEdit::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (CWnd* list = GetParent())
        SetFont(list->GetFont());
    ShowWindow(SW_SHOW);
    SetWindowText(m_Initial);
    SetSel(0, -1);
    SetFocus();
    return 0;
}

void CInPlaceAngleEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    CString text;
    GetWindowText(text);
    CInPlaceEdit::SendEndEdit(this, m_nItem, m_nColumn, m_bCancel ? m_Initial : text, LVIF_TEXT, 0);
    PostMessage(WM_CLOSE);
}

void CInPlaceAngleEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == 22 || nChar == 24 || nChar == 3)
    {
        CEdit::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    int start = 0;
    int end = 0;
    GetSel(start, end);
    CString text;
    GetWindowText(text);
    int caret = start;
    if (m_Template.Type(text, start, end, nChar, caret))
        SetWindowText(text);
    SetSel(caret, caret);
}

LRESULT CInPlaceAngleEdit::OnPaste(WPARAM, LPARAM)
{
    if (!CInPlaceEdit::AllAllowed(GetClipboardText(), m_Allowed))
        return 0;
    return Default();
}

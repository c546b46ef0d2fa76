#include "foundation/NumericEdit.h"

#include "foundation/ClipboardText.h"
#include "foundation/TextFunctions.h"
#include "foundation/WindowMessages.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CNumericEdit, CBaseEdit)

BEGIN_MESSAGE_MAP(CNumericEdit, CBaseEdit)
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

void CNumericEdit::SetEnabled(BOOL bEnabled)
{
    m_bEnabled = bEnabled;
    if (!GetSafeHwnd())
        return;
    if (bEnabled)
        ShowStoredValue();
    else
        SetWindowText(g_NotAvailableText);
    EnableWindow(bEnabled);
}

void CNumericEdit::InitControl()
{
    if (m_bInitialised)
        return;
    m_bInitialised = TRUE;
    if (m_bEnabled)
        ShowStoredValue();
    else
        SetWindowText(g_NotAvailableText);
    EnableWindow(m_bEnabled);
    if (m_bReadOnly)
        CEdit::SetReadOnly(TRUE);
}

void CNumericEdit::ClearRange()
{
    m_bCheckMinimum = FALSE;
    m_bCheckMaximum = FALSE;
}

CString CNumericEdit::NumberPart(const CString& text, const CString& units)
{
    if (!units.IsEmpty() && text.GetLength() >= units.GetLength() && text.Right(units.GetLength()) == units)
        return text.Left(text.GetLength() - units.GetLength());
    return text;
}

bool CNumericEdit::IsNoValue(CString number)
{
    number.Trim();
    return number == g_NotAvailableText;
}

CNumericEdit::NumberText CNumericEdit::ReadNumberText() const
{
    NumberText t;
    CString text;
    GetWindowText(text);
    t.number = NumberPart(text, m_Units);
    t.units = text.Mid(t.number.GetLength());
    GetSel(t.oldStart, t.oldEnd);
    t.selStart = t.oldStart;
    t.selEnd = t.oldEnd;
    if (IsNoValue(t.number))
    {
        t.number.Empty();
        t.selStart = t.selEnd = 0;
    }
    t.selStart = std::min(std::max(t.selStart, 0), t.number.GetLength());
    t.selEnd = std::min(std::max(t.selEnd, t.selStart), t.number.GetLength());
    return t;
}

void CNumericEdit::TypeKey(char key, const KeyRule& rule,
                           const std::function<double(const CString&)>& valueOf, double minimum,
                           double maximum)
{
    const NumberText t = ReadNumberText();
    CString edited = t.number;
    int caret = t.selStart;
    if (!rule(edited, t.selStart, t.selEnd, caret))
        return;

    if (IsDigit(key))
    {
        const double value = valueOf(edited);
        if ((m_bCheckMaximum && value > maximum && value > 0.0) ||
            (m_bCheckMinimum && value < minimum && value < 0.0))
        {
            SetSel(t.oldStart, t.oldEnd);
            return;
        }
    }
    SetWindowText(edited + t.units);
    SetSel(caret, caret);
    m_nCaretPos = caret;
}

CString CNumericEdit::ClipboardLine() const
{
    CString clip = GetClipboardText(GetSafeHwnd());
    clip.Remove('\r');
    clip.Remove('\n');
    clip.Trim();
    return clip;
}

bool CNumericEdit::EndInPlaceByKey(UINT nChar)
{
    if (!m_bInPlace || (nChar != VK_ESCAPE && nChar != VK_RETURN && nChar != VK_TAB))
        return false;
    if (nChar == VK_ESCAPE)
        m_bCancel = TRUE;
    else if (nChar == VK_TAB)
        m_bTab = TRUE;
    if (CWnd* parent = GetParent())
        parent->SetFocus();
    return true;
}

void CNumericEdit::NotifyParent()
{
    if (CWnd* parent = GetParent())
        parent->PostMessage(UM_EDIT_UPDATE, EditUpdateWParam(static_cast<UINT>(GetDlgCtrlID())), 0);
}

void CNumericEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
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
        TrackChange([&] {
            if (nChar == VK_INSERT)
                PasteText();
            else
                // Shift+Delete cuts; Delete alone leaves the clipboard as it is.
                DeleteText(shift);
        });
        return;
    }
    CBaseEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

#include "orbisol/ui/EditAngle.h"

#include "foundation/AngleFormat.h"
#include "foundation/ClipboardText.h"
#include "foundation/EditMenu.h"
#include "foundation/WindowMessages.h"
#include "geodesy/AngleText.h"
#include "orbisol/ui/AngleShow.h"
#include "platform/ui/Dc.h"

IMPLEMENT_DYNAMIC(CEditAngle, CBaseEdit)

BEGIN_MESSAGE_MAP(CEditAngle, CBaseEdit)
ON_WM_CHAR()
ON_WM_KEYDOWN()
ON_WM_RBUTTONUP()
ON_WM_CTLCOLOR_REFLECT()
ON_MESSAGE(WM_PASTE, &CEditAngle::OnPasteMessage)
ON_MESSAGE(WM_CUT, &CEditAngle::OnCutMessage)
END_MESSAGE_MAP()

namespace
{
// A pasted text longer than this is no angle of any notation; it is refused before reading.
constexpr int kLongestPaste = 64;
} // namespace

CEditAngle::CEditAngle(int nAngleType) : m_nAngleType(nAngleType)
{
    m_RefusedBrush.CreateSolidBrush(kRefusedColour);
}

void CEditAngle::InitControl()
{
    CBaseEdit::InitControl();
    // A value set before the window existed takes effect now.
    if (m_nTextLimit > 0)
    {
        LimitText(m_nTextLimit);
        SetToolTipText("Angle");
    }
    ShowValue();
}

void CEditAngle::SetValue(double radians)
{
    const ANGLE_SHOW show = GetAngleShow(m_nAngleType);
    m_Template = AngleTemplate::For(m_nAngleType, show.format, show.decimals);
    m_nTextLimit = m_Template.templ.GetLength();
    m_dRadians = radians;
    m_dDegrees = radians * ANGLE_RAD_TO_DEG;
    m_AngleText = FormatAngle(radians, m_nAngleType, show.format, show.decimals, show.letter);
    m_bModified = FALSE;
    if (GetSafeHwnd())
    {
        LimitText(m_nTextLimit);
        SetRefused(false);
        ShowValue();
        if (m_ToolTipText.IsEmpty())
            SetToolTipText("Angle");
    }
}

void CEditAngle::SetEnabled(BOOL bEnabled)
{
    CBaseEdit::SetEnabled(bEnabled);
    ShowValue();
}

void CEditAngle::ShowValue()
{
    if (GetSafeHwnd())
        SetWindowText(m_bEnabled ? m_AngleText : CString("n/a"));
}

bool CEditAngle::ReadText()
{
    if (!GetSafeHwnd() || !m_bEnabled)
        return false;
    CString text;
    GetWindowText(text);
    double radians = 0.0;
    const int result = ReadAngleText(text, m_nAngleType, radians);
    if (result != ANGLE_TEXT_READ)
    {
        SetRefused(true, DescribeAngleTextResult(result, m_nAngleType));
        return false;
    }
    SetRefused(false);
    m_dRadians = radians;
    m_dDegrees = radians * ANGLE_RAD_TO_DEG;
    m_AngleText = text;
    return true;
}

void CEditAngle::SetRefused(bool bRefused, const CString& reason)
{
    if ((m_bRefused != FALSE) == bRefused && !bRefused)
        return;
    m_bRefused = bRefused ? TRUE : FALSE;
    if (GetSafeHwnd())
    {
        SetToolTipText(bRefused ? reason : CString("Angle"));
        Invalidate();
    }
}

HBRUSH CEditAngle::CtlColor(CDC* pDC, UINT nCtlColor)
{
    (void)nCtlColor;
    if (!m_bRefused)
        return nullptr;
    pDC->SetBkColor(kRefusedColour);
    pDC->SetTextColor(0x000000);
    return static_cast<HBRUSH>(m_RefusedBrush.GetSafeHandle());
}

void CEditAngle::TakeEdit(const CString& text, double radians, int caret)
{
    m_dRadians = radians;
    m_dDegrees = radians * ANGLE_RAD_TO_DEG;
    m_AngleText = text;
    SetRefused(false);
    // Set before the text, so that the parent hearing of the change (EN_CHANGE) finds the
    // edit holding a change not yet taken.
    m_bModified = TRUE;
    SetWindowText(text);
    SetSel(caret, caret);
    NotifyParent();
}

void CEditAngle::NotifyParent()
{
    CWnd* parent = GetParent();
    if (!parent)
        return;
    const WORD id = static_cast<WORD>(GetDlgCtrlID());
    parent->PostMessage(UM_EDIT_ANGLE, MAKEWPARAM(id, static_cast<WORD>(UM_EDIT_ANGLE)), 0);
    parent->PostMessage(UM_EDIT_UPDATE, MAKEWPARAM(id, static_cast<WORD>(UM_EDIT_UPDATE)), 0);
}

void CEditAngle::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nRepCnt;
    (void)nFlags;
    switch (nChar)
    {
    case 3:
        Copy();
        return;
    case 22:
        Paste();
        return;
    case 24:
        Cut();
        return;
    default:
        break;
    }
    if (!m_bEnabled || !MayChange())
        return;

    int start = 0;
    int end = 0;
    GetSel(start, end);
    CString text;
    GetWindowText(text);
    const CString before = text;
    int caret = start;
    if (!m_Template.Type(text, start, end, nChar, caret))
    {
        SetSel(caret, caret);
        return;
    }
    double radians = 0.0;
    // The template keeps digits within the notation's limits; a text it still lets through
    // that reads as no angle of the type is not taken.
    if (ReadAngleText(text, m_nAngleType, radians) != ANGLE_TEXT_READ)
    {
        SetSel(start, end);
        return;
    }
    if (radians != m_dRadians)
    {
        TakeEdit(text, radians, caret);
        return;
    }
    if (text != before)
    {
        m_AngleText = text;
        SetWindowText(text);
    }
    SetSel(caret, caret);
}

void CEditAngle::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // Delete would shorten the text out of the template's shape; the template's own keys
    // (Backspace, blanks and digits) do all the editing.
    if (nChar == VK_DELETE && GetKeyState(VK_SHIFT) >= 0)
        return;
    if (nChar == VK_DELETE)
    {
        Cut();
        return;
    }
    if (nChar == VK_INSERT)
    {
        if (GetKeyState(VK_CONTROL) < 0)
            Copy();
        else if (GetKeyState(VK_SHIFT) < 0)
            Paste();
        return;
    }
    CBaseEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CEditAngle::OnRButtonUp(UINT nFlags, CPoint point)
{
    (void)nFlags;
    if (!m_bEnabled || !IsWindowEnabled())
        return;
    const UINT command = TrackEditMenu(*this, point, !MayChange(), ID_ANGLE_CUT, ID_ANGLE_COPY, ID_ANGLE_PASTE);
    if (!GetSafeHwnd())
        return;
    if (command == ID_ANGLE_COPY)
        Copy();
    else if (command == ID_ANGLE_CUT)
        Cut();
    else if (command == ID_ANGLE_PASTE)
        Paste();
}

LRESULT CEditAngle::OnPasteMessage(WPARAM, LPARAM)
{
    Paste();
    return 0;
}

LRESULT CEditAngle::OnCutMessage(WPARAM, LPARAM)
{
    Cut();
    return 0;
}

void CEditAngle::Cut()
{
    if (!m_bEnabled || !MayChange())
        return;
    int start = 0;
    int end = 0;
    GetSel(start, end);
    if (start == end)
        return;
    Copy();
    // What is cut becomes the zero of the notation, so the text keeps its shape.
    CString text;
    GetWindowText(text);
    const CString& zero = m_Template.zero;
    if (text.GetLength() != zero.GetLength() || (start == 0 && end >= text.GetLength()))
        text = zero;
    else
        for (int i = start; i < end && i < text.GetLength(); ++i)
            text.SetAt(i, zero[i]);
    double radians = 0.0;
    if (ReadAngleText(text, m_nAngleType, radians) != ANGLE_TEXT_READ)
        return;
    TakeEdit(text, radians, start);
}

void CEditAngle::Paste()
{
    if (!m_bEnabled || !MayChange())
        return;
    CString pasted = GetClipboardText(GetSafeHwnd());
    // One line of text, as the user sees it in the clipboard.
    const int lineEnd = pasted.FindOneOf("\r\n");
    if (lineEnd >= 0)
        pasted = pasted.Left(lineEnd);
    pasted.Trim();
    if (pasted.IsEmpty())
        return;
    int start = 0;
    int end = 0;
    GetSel(start, end);
    CString text;
    GetWindowText(text);
    CString candidate = text.Left(start) + pasted + text.Mid(end);
    if (pasted.GetLength() > kLongestPaste || candidate.GetLength() > kLongestPaste)
    {
        SetRefused(true, "The pasted text is too long to be an angle.");
        return;
    }
    double radians = 0.0;
    const int result = ReadAngleText(candidate, m_nAngleType, radians);
    if (result != ANGLE_TEXT_READ)
    {
        SetRefused(true, DescribeAngleTextResult(result, m_nAngleType));
        return;
    }
    // The angle is shown again in the notation, so typing goes on against the template and
    // the text stays within the edit's length.
    const ANGLE_SHOW show = GetAngleShow(m_nAngleType);
    const CString shown = FormatAngle(radians, m_nAngleType, show.format, show.decimals, show.letter);
    TakeEdit(shown, radians, shown.GetLength());
}

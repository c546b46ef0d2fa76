#include "navhost/MessageLogPane.h"

#include "foundation/WindowMessages.h"
#include "platform/core/RegisteredMessage.h"

#include <ctime>

IMPLEMENT_DYNAMIC(CMessageLogPane, CDockablePane)

BEGIN_MESSAGE_MAP(CMessageLogPane, CDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

namespace
{
const UINT kListId = 1;
} // namespace

CString RegisteredMessageName(UINT message)
{
    for (const char* name : g_RegisteredMessageNames)
        if (RegisterWindowMessage(name) == message)
        {
            CString text(name);
            const int hyphen = text.Find("-{");
            return hyphen > 0 ? text.Left(hyphen) : text;
        }
    CString number;
    number.Format("0x%04X", message);
    return number;
}

BOOL CMessageLogPane::Create(CWnd* pParent, UINT nID)
{
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_BOTTOM | CBRS_FLOAT_MULTI;
    return CDockablePane::Create("Message Log", pParent, CRect(0, 0, 400, 120), TRUE, nID, style);
}

int CMessageLogPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDockablePane::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_List.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL, CRect(0, 0, 100, 100), this, kListId))
        return -1;
    return 0;
}

void CMessageLogPane::OnSize(UINT nType, int cx, int cy)
{
    CDockablePane::OnSize(nType, cx, cy);
    if (m_List.GetSafeHwnd())
        m_List.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMessageLogPane::Log(const char* text)
{
    if (!m_List.GetSafeHwnd())
        return;
    const std::time_t now = std::time(nullptr);
    char stamp[16] = {};
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%H:%M:%S", &local);
    CString line;
    line.Format("%s  %s", stamp, text);
    while (m_List.GetCount() >= kMostLines)
        m_List.DeleteString(0);
    const int index = m_List.AddString(line);
    m_List.SetTopIndex(index);
}

void CMessageLogPane::LogMessage(UINT message, WPARAM wParam, LPARAM lParam, const char* note)
{
    CString text;
    text.Format("%s (%lu, %ld): %s", (LPCSTR)RegisteredMessageName(message), static_cast<unsigned long>(wParam),
                static_cast<long>(lParam), note);
    Log(text);
}

int CMessageLogPane::GetLineCount() const
{
    return m_List.GetSafeHwnd() ? m_List.GetCount() : 0;
}

CString CMessageLogPane::GetLine(int index) const
{
    CString text;
    if (m_List.GetSafeHwnd() && index >= 0 && index < m_List.GetCount())
        m_List.GetText(index, text);
    return text;
}

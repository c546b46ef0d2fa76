#include "orbisol/ui/EditClock.h"

#include "foundation/DateTime.h"
#include "foundation/WindowMessages.h"

IMPLEMENT_DYNAMIC(CEditClock, CDateTimeCtrl)

BEGIN_MESSAGE_MAP(CEditClock, CDateTimeCtrl)
ON_NOTIFY_REFLECT(DTN_DATETIMECHANGE, &CEditClock::OnDateTimeChange)
END_MESSAGE_MAP()

bool CEditClock::IsTimePicker() const
{
    return GetSafeHwnd() && (GetStyle() & DTS_TIMEFORMAT) == DTS_TIMEFORMAT;
}

const char* CEditClock::FormatString(bool bTimePicker, int nFormat)
{
    if (bTimePicker)
        return nFormat == 0 ? "HH:mm" : "HH:mm:ss";
    switch (nFormat)
    {
    case 0:
        return "dd/MM/yyy";
    case 2:
        return "dd MMMM yyy";
    case 3:
        return "MM\\dd\\yyy";
    default:
        return "dd MMM yyy";
    }
}

void CEditClock::SetDateTime(DateTimeDef* pDateTime)
{
    m_pDateTime = pDateTime;
    ShowDateTime();
}

void CEditClock::ShowDateTime()
{
    if (!GetSafeHwnd())
        return;
    const bool time = IsTimePicker();
    SetFormat(FormatString(time, time ? m_nTimeFormat : m_nDateFormat));
    if (!m_pDateTime)
        return;
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(m_pDateTime->nYear);
    st.wMonth = static_cast<WORD>(m_pDateTime->nMonth);
    st.wDay = static_cast<WORD>(m_pDateTime->nDay);
    st.wHour = static_cast<WORD>(m_pDateTime->nHour);
    st.wMinute = static_cast<WORD>(m_pDateTime->nMinute);
    st.wSecond = static_cast<WORD>(m_pDateTime->nSecond);
    SetTime(&st);
}

void CEditClock::OnDateTimeChange(NMHDR* pNotifyStruct, LRESULT* pResult)
{
    *pResult = 0;
    const auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(pNotifyStruct);
    if (change->dwFlags != static_cast<DWORD>(GDT_VALID))
        return;
    const SYSTEMTIME& picked = change->st;
    const bool time = IsTimePicker();
    if (m_bSetClock)
    {
        SYSTEMTIME clock{};
        GetLocalTime(&clock);
        if (time)
        {
            clock.wHour = picked.wHour;
            clock.wMinute = picked.wMinute;
            clock.wSecond = picked.wSecond;
            clock.wMilliseconds = 0;
        }
        else
        {
            clock.wYear = picked.wYear;
            clock.wMonth = picked.wMonth;
            clock.wDay = picked.wDay;
        }
        if (SetLocalTime(&clock))
            return;
        // The clock stays as it was, so the picker must not pretend otherwise.
        if (m_pDateTime)
            ShowDateTime();
        else
        {
            GetLocalTime(&clock);
            SetTime(&clock);
        }
        return;
    }
    if (m_pDateTime)
    {
        if (time)
        {
            m_pDateTime->nHour = picked.wHour;
            m_pDateTime->nMinute = picked.wMinute;
            m_pDateTime->nSecond = picked.wSecond;
            m_pDateTime->nMillisecond = 0;
        }
        else
        {
            m_pDateTime->nDay = picked.wDay;
            m_pDateTime->nMonth = picked.wMonth;
            m_pDateTime->nYear = picked.wYear;
        }
        CompleteDateTime(*m_pDateTime);
    }
    if (CWnd* parent = GetParent())
    {
        const WORD id = static_cast<WORD>(GetDlgCtrlID());
        parent->PostMessage(UM_EDIT_CLOCK, MAKEWPARAM(id, static_cast<WORD>(UM_EDIT_CLOCK)), 0);
        parent->PostMessage(UM_EDIT_UPDATE, MAKEWPARAM(id, static_cast<WORD>(UM_EDIT_UPDATE)), 0);
    }
}

BOOL CEditClock::PreTranslateMessage(MSG* pMsg)
{
    const bool mouse = pMsg->message >= WM_MOUSEMOVE && pMsg->message <= WM_MBUTTONDBLCLK;
    if (mouse && m_ToolTip.GetSafeHwnd())
        m_ToolTip.RelayEvent(pMsg);
    return CDateTimeCtrl::PreTranslateMessage(pMsg);
}

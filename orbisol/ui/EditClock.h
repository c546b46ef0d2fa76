// CEditClock: a date or time picker (DTS_TIMEFORMAT) bound to a date-time record. What the
// user picks goes into the record, whose day of year, weekday and seconds since 2000 are
// derived again, and the parent is told with UM_EDIT_CLOCK and UM_EDIT_UPDATE (wParam: the
// message's number in the high word, the control's id in the low word). With the set-the-clock
// flag the pick is meant for the computer's clock instead; the suite never sets that clock,
// so the pick is undone, the record is left alone and nothing is posted.
#pragma once

#include "foundation/MyToolTip.h"
#include "platform/ui/DateTimeCtrl.h"

struct DateTimeDef;

class CEditClock : public CDateTimeCtrl
{
    DECLARE_DYNAMIC(CEditClock)
public:
    CEditClock() = default;

    // Binds the record (may be null) and shows it.
    void SetDateTime(DateTimeDef* pDateTime);
    DateTimeDef* GetDateTime() const { return m_pDateTime; }
    // Shows the bound record again, in the format of the picker's kind and format index.
    void ShowDateTime();

    // Time pickers: 0 "HH:mm", 1 and 2 "HH:mm:ss". Date pickers: 0 "dd/MM/yyy", 1 "dd MMM yyy",
    // 2 "dd MMMM yyy", 3 "MM\dd\yyy".
    void SetTimeFormat(int nFormat) { m_nTimeFormat = nFormat; }
    void SetDateFormat(int nFormat) { m_nDateFormat = nFormat; }
    void SetSetClock(BOOL bSetClock) { m_bSetClock = bSetClock; }
    BOOL GetSetClock() const { return m_bSetClock; }
    bool IsTimePicker() const;

    // The format string of a picker's kind and format index.
    static const char* FormatString(bool bTimePicker, int nFormat);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnDateTimeChange(NMHDR* pNotifyStruct, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    CMyToolTip m_ToolTip;
    BOOL m_bSetClock = FALSE;
    DateTimeDef* m_pDateTime = nullptr;
    int m_nTimeFormat = 1;
    int m_nDateFormat = 1;
};

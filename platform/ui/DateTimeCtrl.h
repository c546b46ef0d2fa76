// CDateTimeCtrl: the date and time picker ("SysDateTimePick32" window class) over a
// QDateTimeEdit. DTS_TIMEFORMAT makes it a time picker; otherwise it picks dates.
//
// Custom formats take the Windows letters: d, dd (day), M, MM, MMM, MMMM (month), y, yy (two
// digits), yyy, yyyy (the whole year), h, hh, H, HH, m, mm, s, ss, t, tt (AM/PM) and text in
// single quotes; any other character stands for itself ("MM\\dd\\yyy"). Month names are
// always English, whatever the user's locale, so a date typed or shown reads the same on
// every computer.
//
// When the user changes the date or time, the parent gets WM_NOTIFY DTN_DATETIMECHANGE with
// an NMDATETIMECHANGE; a change made by the program (SetTime, SetFormat, SetRange) sends
// nothing.
#pragma once

#include "platform/core/Time.h"
#include "platform/ui/Wnd.h"

#define DATETIMEPICK_CLASS "SysDateTimePick32"

// Styles.
#define DTS_UPDOWN 0x0001u
#define DTS_SHOWNONE 0x0002u
#define DTS_SHORTDATEFORMAT 0x0000u
#define DTS_LONGDATEFORMAT 0x0004u
#define DTS_TIMEFORMAT 0x0009u
#define DTS_APPCANPARSE 0x0010u
#define DTS_RIGHTALIGN 0x0020u

// Messages.
#define DTM_FIRST 0x1000u
#define DTM_GETSYSTEMTIME (DTM_FIRST + 1)
#define DTM_SETSYSTEMTIME (DTM_FIRST + 2)
#define DTM_GETRANGE (DTM_FIRST + 3)
#define DTM_SETRANGE (DTM_FIRST + 4)
#define DTM_SETFORMATA (DTM_FIRST + 5)
#define DTM_SETFORMAT DTM_SETFORMATA

// GetTime and DTM_SETSYSTEMTIME results and flags.
#define GDT_ERROR (-1)
#define GDT_VALID 0
#define GDT_NONE 1
// Which ends a range sets or has.
#define GDTR_MIN 0x0001u
#define GDTR_MAX 0x0002u

// Notifications.
#define DTN_FIRST2 (0U - 753U)
#define DTN_DATETIMECHANGE (DTN_FIRST2 - 6)

struct NMDATETIMECHANGE
{
    NMHDR nmhdr;
    DWORD dwFlags; // GDT_VALID
    SYSTEMTIME st;
};
using LPNMDATETIMECHANGE = NMDATETIMECHANGE*;

class PLATFORM_API CDateTimeCtrl : public CWnd
{
    DECLARE_DYNAMIC(CDateTimeCtrl)
public:
    CDateTimeCtrl() = default;

    using CWnd::Create;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // A custom format in the letters above; null or empty returns to the style's own format
    // ("HH:mm:ss" for time pickers, "dd/MM/yyyy" for short and "dd MMMM yyyy" for long dates).
    BOOL SetFormat(LPCTSTR pstrFormat);

    // Shows a date and time, brought inside the range; FALSE for a date that does not exist
    // (30 February), which leaves the control as it was.
    BOOL SetTime(const SYSTEMTIME* pTimeNew);
    BOOL SetTime(const CTime& timeNew);
    // GDT_VALID with the date and time shown (milliseconds 0, wDayOfWeek filled).
    DWORD GetTime(SYSTEMTIME& timeDest) const;
    DWORD GetTime(CTime& timeDest) const;

    // Either end may be null (no limit on that side). FALSE when an end is no real date.
    BOOL SetRange(const SYSTEMTIME* pMinRange, const SYSTEMTIME* pMaxRange);
    // GDTR_MIN and GDTR_MAX for the ends that are set, filled into the records given.
    DWORD GetRange(SYSTEMTIME* pMinRange, SYSTEMTIME* pMaxRange) const;

    // The Qt format a Windows format stands for ("dd MMM yyy" gives "dd MMM yyyy").
    static CString QtFormatOf(LPCTSTR pstrFormat);
};

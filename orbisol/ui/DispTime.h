// CDispTime: a read-only text that shows a time of day from seconds, in the form the
// settings file "Time Mode" chooses: 0 "hh:mm", 1 "hh:mm:ss" (also when the file is missing
// or holds no such form), 2 "hh:mm:ss.mmm". The seconds are taken within the day; a negative
// time shows with a leading '-'.
#pragma once

#include "platform/ui/Static.h"

class CDispTime : public CStatic
{
public:
    void SetTime(double seconds);
    void ClearTime();
    bool HasValue() const { return m_bHasValue; }
    double GetTime() const { return m_dSeconds; }

    // The text of a time in a form (0..2; others as 1); empty for a value that is not finite.
    static CString FormatTime(double seconds, int timeMode);
    // The form saved in "Time Mode": 1 when the file is missing or its value is not 0, 1 or 2.
    static int ReadTimeMode();

protected:
    void ShowTime();

    bool m_bHasValue = false;
    double m_dSeconds = 0.0;
};

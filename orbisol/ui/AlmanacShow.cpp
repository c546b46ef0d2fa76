#include "orbisol/ui/AlmanacShow.h"

#include "orbisol/AlmanacFolder.h"
#include "orbisol/SunObservation.h"
#include "orbisol/ui/EditClock.h"

void BindAlmanacDatePicker(CEditClock& picker, DateTimeDef* pDateTime)
{
    picker.SetSetClock(FALSE);
    picker.SetDateFormat(1);
    picker.SetDateTime(pDateTime);
    COleDateTime first;
    COleDateTime last;
    if (GetAlmanacYearRange(first, last))
    {
        SYSTEMTIME from{};
        SYSTEMTIME to{};
        first.GetAsSystemTime(from);
        last.GetAsSystemTime(to);
        picker.SetRange(&from, &to);
    }
}

CString DescribeMissingAlmanac(const CSunObservation& sun, int year)
{
    CString text;
    text.Format("No almanac for %04d", year);
    const AlmanacLoadError& error = sun.GetLoadError();
    // A file that is there but does not load is worth naming: the user can mend it.
    if (!error.IsEmpty() && !error.bMissing)
        text += ": " + error.FormatShort();
    return text;
}

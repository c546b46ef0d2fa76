#include "orbisol/ui/DispTime.h"

#include "foundation/ConfigFile.h"

#include <cmath>
#include <cstdlib>

void CDispTime::SetTime(double seconds)
{
    m_dSeconds = seconds;
    m_bHasValue = true;
    ShowTime();
}

void CDispTime::ClearTime()
{
    m_bHasValue = false;
    ShowTime();
}

void CDispTime::ShowTime()
{
    if (GetSafeHwnd())
        SetWindowText(m_bHasValue ? FormatTime(m_dSeconds, ReadTimeMode()) : CString());
}

int CDispTime::ReadTimeMode()
{
    int mode = 1;
    CConfigFile::ReadSettingsFile("Time Mode", [&mode](CConfigFile& file) {
        // A value other than a plain 0, 1 or 2 (a damaged or hand-edited file) keeps form 1,
        // where reading it as a number would turn junk into form 0.
        CString text = file.ReadText("1");
        text.Trim();
        if (text == "0" || text == "1" || text == "2")
            mode = std::atoi(text);
    });
    return mode;
}

CString CDispTime::FormatTime(double seconds, int timeMode)
{
    if (!std::isfinite(seconds))
        return CString();
    const char* sign = seconds < 0.0 ? "-" : "";
    // Whole milliseconds for the millisecond form, so that 59.9996 s carries into the next
    // second; the other forms cut the fraction, as a clock does.
    const double magnitude = std::fabs(seconds);
    const double ms = timeMode == 2 ? std::floor(magnitude * 1000.0 + 0.5) : std::floor(magnitude) * 1000.0;
    const long long total = static_cast<long long>(std::fmod(ms, 86400000.0));
    const int hours = static_cast<int>(total / 3600000);
    const int minutes = static_cast<int>(total / 60000 % 60);
    const int secs = static_cast<int>(total / 1000 % 60);
    const int millis = static_cast<int>(total % 1000);
    CString text;
    if (timeMode == 0)
        text.Format("%s%02d:%02d", sign, hours, minutes);
    else if (timeMode == 2)
        text.Format("%s%02d:%02d:%02d.%03d", sign, hours, minutes, secs, millis);
    else
        text.Format("%s%02d:%02d:%02d", sign, hours, minutes, secs);
    return text;
}

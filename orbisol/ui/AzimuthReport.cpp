#include "orbisol/ui/AzimuthReport.h"

#include "foundation/AngleFormat.h"
#include "foundation/DateTime.h"
#include "foundation/Report.h"
#include "orbisol/SunObservation.h"
#include "orbisol/ui/AngleShow.h"
#include "orbisol/ui/DispTime.h"

namespace
{
// Times in the report always carry milliseconds, whatever the screen's time setting.
constexpr int kReportTimeMode = 2;

CString Line(const char* format, const CString& a, const CString& b = CString())
{
    CString text;
    text.Format(format, a.GetString(), b.GetString());
    return text;
}
} // namespace

std::vector<CString> AzimuthReportLines(const CSunObservation& sun, const DateTimeDef& record)
{
    int month = 0;
    int day = 0;
    MonthDayOfYear(record.nYear, record.nDayOfYear, &month, &day);
    CString time;
    time.Format("%02d:%02d:%02d", record.nHour, record.nMinute, record.nSecond);
    return {
        Line("Geographical :   %s  %s", FormatShownAngle(sun.m_dLatitude, ANGLE_LATITUDE),
             FormatShownAngle(sun.m_dLongitude, ANGLE_LONGITUDE)),
        CString(),
        Line("Date of Observation %s", FormatDate(day, month, record.nYear)),
        Line("Time of Observation %s", time),
        CString(),
        Line("Apparent Declination of Sun   %s", FormatShownAngle(sun.m_dDeclination, ANGLE_LATITUDE)),
        Line("Excess (E) of GHA Sun over UT %s", CDispTime::FormatTime(sun.m_dE, kReportTimeMode)),
        Line("Greenwich hour angle (GHA)    %s  (%s)", FormatShownAngle(sun.m_dGHA, ANGLE_LONGITUDE),
             CDispTime::FormatTime(sun.m_dGHATime, kReportTimeMode)),
        Line("Local hour angle (LHA)        %s  (%s)", FormatShownAngle(sun.m_dLHA, ANGLE_LONGITUDE),
             CDispTime::FormatTime(sun.m_dLHATime, kReportTimeMode)),
        CString(),
        Line("Azimuth to Sun %s", FormatShownAngle(sun.m_dAzimuth, ANGLE_FULL_CIRCLE)),
        Line("Angle to R.O. %s", FormatShownAngle(sun.m_dROAngle, ANGLE_FULL_CIRCLE)),
        Line("Azimuth to R.O. %s", FormatShownAngle(sun.m_dROAzimuth, ANGLE_FULL_CIRCLE)),
    };
}

bool PrintAzimuthReport(const CSunObservation& sun, const DateTimeDef& record)
{
    // The lines are made before the print dialog, so that what is printed is what the page
    // showed when Print was pressed.
    const std::vector<CString> lines = AzimuthReportLines(sun, record);
    CReport report;
    report.m_OutputMode = CReport::OUTPUT_PRINTER;
    report.m_DefaultExtension = "TXT";
    report.m_Title = "Azimuth Computation";
    if (!report.Open())
        return false;
    bool printed = true;
    for (const CString& line : lines)
        printed = (line.IsEmpty() ? report.PrintBlankLine() : report.PrintLine(line)) && printed;
    report.NewPage();
    return report.Close() && printed;
}

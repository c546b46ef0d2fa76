#include "outside/tide/TideTablePrint.h"

#include "foundation/Report.h"
#include "marevo/StandardPortList.h"
#include "outside/tide/TideText.h"
#include "outside/tide/TurningPointRows.h"

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace
{
// The zone text read as an integer is hours and minutes: -330 is three and a half hours behind.
int ZoneSeconds(int hhmm)
{
    const int magnitude = std::abs(hhmm);
    const int seconds = (magnitude / 100) * 3600 + (magnitude % 100) * 60;
    return hhmm < 0 ? -seconds : seconds;
}
} // namespace

int PrintTideTable(const CStandardPort& port, int year)
{
    const int offset = ZoneSeconds(port.m_nTimeZone);
    // The days of the table in the port's zone, each with its points' texts.
    std::vector<std::pair<CString, CString>> days;
    for (const TurningPointRow& row : TurningPointRowsOf(port))
    {
        const time_t t = static_cast<time_t>(row.pPoint->nTime + offset);
        struct tm fields
        {
        };
        if (gmtime_r(&t, &fields) == nullptr)
            continue;
        const CString date = TideDateText(fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday);
        if (days.empty() || days.back().first != date)
            days.emplace_back(date, CString());
        CString entry = TideClockText(fields.tm_hour, fields.tm_min);
        if (row.bHeight)
        {
            CString height;
            height.Format(" %s %.2f", row.nKind > 0 ? "H" : (row.nKind < 0 ? "L" : "-"), row.dHeight);
            entry += height;
        }
        days.back().second += "  " + entry;
    }

    CReport report;
    report.m_OutputMode = CReport::OUTPUT_PRINTER;
    report.m_AutoOpen = false;
    report.m_Title.Format("Tide Table %s %d", port.m_strName.GetString(), year);
    if (!report.Open())
        return 0;
    CString heading;
    heading.Format("Tide Table  %s (%s)  %d  Times %s", port.m_strName.GetString(), port.m_strNumber.GetString(),
                   year, port.m_strTimeZone.GetString());
    int pages = 0;
    for (const auto& day : days)
    {
        if (report.m_Line == 0)
        {
            // A page's first line is its heading, then a blank row.
            report.PrintLine(heading);
            report.PrintBlankLine();
            ++pages;
        }
        report.PrintLine(day.first + day.second);
    }
    return report.Close() ? pages : 0;
}

// The printed tide table of a standard port: a line a day with its date and each high and low
// water as "hh:mm H 3.21" or "hh:mm L 0.20" (a point without a height shows its time alone),
// times in the port's own zone (UT plus its zone text, "+0100" being an hour ahead) and heights
// in metres. Every page starts with a heading line naming the port, its number, the year and
// the zone. Printed through the report writer: its print dialog, a printer or a PDF file.
#pragma once

class CStandardPort;

// The number of pages printed; 0 when nothing was (cancelled, or the report could not be
// opened, which the report writer has told the user).
int PrintTideTable(const CStandardPort& port, int year);

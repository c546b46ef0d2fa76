#include "geodetic/ReceivedLines.h"

#include "foundation/NmeaChecksum.h"
#include "geodesy/Gps.h"

#include <cstring>

CString FormatPortTag(UINT port)
{
    CString tag;
    if (port >= 1 && port <= 99)
        tag.Format("%02d", (int)port);
    else
        tag.Format("%d%c", (int)((port / 1000) % 10), (char)('A' + (port % 100) % 26));
    return tag;
}

bool IsRetaggedType(int sentenceCode)
{
    switch (sentenceCode)
    {
    case NMEA_ZDA:
    case NMEA_GGA:
    case NMEA_GSA:
    case NMEA_RMC:
    case NMEA_VTG:
    case NMEA_GLL:
    case NMEA_GSV:
        return true;
    default:
        return false;
    }
}

bool RetagSentence(CString& line, UINT port, bool verifyChecksum)
{
    if (!IsKnownSentence(line))
        return false;
    if (verifyChecksum && !IsNmeaChecksumGood(line))
        return false;
    // A known sentence starts with '$' and a three-letter type after the talker, so the two
    // talker characters are there to be replaced.
    if (line.GetLength() < 3)
        return false;
    CString body = line;
    const int star = body.Find('*');
    if (star >= 0)
        body = body.Left(star);
    // A sentence without a checksum still gets one, after its text and not after its line end.
    body.TrimRight("\r\n");
    const CString tag = FormatPortTag(port);
    body.SetAt(1, tag[0]);
    body.SetAt(2, tag[1]);
    CString text;
    text.Format("%s%s\r\n", (LPCSTR)body, (LPCSTR)FormatNmeaChecksum(ComputeNmeaChecksum(body)));
    line = text;
    return true;
}

int GetReceivedRoute(const char* line)
{
    if (!line || line[0] != '$')
        return ROUTE_SHOW_ONLY;
    switch (GetSentenceCode(line))
    {
    case NMEA_ZDA:
    case NMEA_GSA:
    case NMEA_GST:
    case NMEA_GSV:
        return ROUTE_QUALITY;
    case NMEA_GGA:
    case NMEA_RMC:
    case NMEA_GLL:
        return ROUTE_POSITION;
    case NMEA_GGK:
        // Only the proprietary sentence carries a GGK position.
        return std::strncmp(line, "$PTNL,", 6) == 0 ? ROUTE_POSITION : ROUTE_SHOW_ONLY;
    default:
        return ROUTE_SHOW_ONLY;
    }
}

void PrepareReceivedLines(UINT port, const CStringArray& lines, bool verifyChecksum,
                          CArray<ReceivedLineDef, const ReceivedLineDef&>& prepared)
{
    CString type;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
    {
        ReceivedLineDef def;
        def.Text = lines[i];
        if (IsRetaggedType(GetSentenceCode(def.Text)))
        {
            type = "GPS";
            RetagSentence(def.Text, port, verifyChecksum);
        }
        def.Type = type;
        def.Route = GetReceivedRoute(def.Text);
        prepared.Add(def);
    }
}

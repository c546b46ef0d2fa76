// What the Geodetic main frame does to each line a serial port or UDP input delivers before it
// shows and decodes it: the type text the port panes show, the talker replaced by the port's
// tag (so that the panes tell the inputs apart), and which decoder route the line takes.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

// The two characters that replace a sentence's talker: "%02d" for ports 1..99; otherwise the
// port's thousands digit and a letter from its last two digits ("1I" for 1234, "5A" for 5000).
CString FormatPortTag(UINT port);

// True for the sentence types whose talker is replaced: ZDA, GGA, GSA, RMC, VTG, GLL, GSV.
bool IsRetaggedType(int sentenceCode);

// Replaces the two talker characters of a known sentence by the port's tag and writes a new
// checksum and CR LF after it. Lines that are not known sentences, and, with `verifyChecksum`,
// lines whose checksum is wrong, are left as they are. True when the line was changed.
bool RetagSentence(CString& line, UINT port, bool verifyChecksum);

// The decoder route of a received line.
enum RECEIVED_ROUTE
{
    ROUTE_SHOW_ONLY = 0, // shown, not decoded
    ROUTE_QUALITY = 1,   // ZDA, GSA, GST, GSV: the quality and satellite panes follow
    ROUTE_POSITION = 2   // GGA, RMC, GLL and $PTNL,GGK: the position panes follow
};
int GetReceivedRoute(const char* line);

// One line ready for the port panes and the decoder.
struct ReceivedLineDef
{
    CString Text; // the line as shown (retagged when its type is one of IsRetaggedType)
    CString Type; // "GPS" from the first line of a GPS type on; empty before
    int Route;    // RECEIVED_ROUTE
};

// Prepares the lines of one receive message, in order. The type text starts empty for each
// message and, once a GPS type was seen, stays "GPS" for the later lines of the same message.
void PrepareReceivedLines(UINT port, const CStringArray& lines, bool verifyChecksum,
                          CArray<ReceivedLineDef, const ReceivedLineDef&>& prepared);

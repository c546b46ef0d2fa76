// The NMEA 0183 sentence checksum: the XOR of the characters between '$' and '*'.
#pragma once

#include "platform/core/String.h"

// XOR of every character after a leading '$' (from the first character when there is none)
// up to the first '*' or the end; 0 when nothing lies between. Range 0..255.
int ComputeNmeaChecksum(const char* sentence);

// "*" and the checksum as two upper-case hexadecimal digits ("*47").
CString FormatNmeaChecksum(int checksum);

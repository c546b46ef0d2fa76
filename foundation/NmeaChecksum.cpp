#include "foundation/NmeaChecksum.h"

int ComputeNmeaChecksum(const char* sentence)
{
    if (!sentence)
        return 0;
    const char* p = *sentence == '$' ? sentence + 1 : sentence;
    unsigned char sum = 0;
    for (; *p && *p != '*'; ++p)
        sum ^= static_cast<unsigned char>(*p);
    return sum;
}

CString FormatNmeaChecksum(int checksum)
{
    CString text;
    text.Format("%c%02X", '*', static_cast<unsigned>(checksum & 0xFF));
    return text;
}

// CUdpArray: the UDP inputs of the Geodetic program, one CUdpReader per local port named in
// the list file "UDP Ports.UDP" of the settings folder "UDP_Ports".
#pragma once

#include "geodesy/UdpReader.h"
#include "platform/core/Array.h"
#include "platform/core/CmdTarget.h"

class CUdpArray : public CArray<CUdpReader*, CUdpReader*>
{
public:
    CUdpArray();
    // Stops every reader first.
    ~CUdpArray() override;
    CUdpArray(const CUdpArray&) = delete;
    CUdpArray& operator=(const CUdpArray&) = delete;

    // Stores the target, stops and deletes every reader, then reads the list file: one
    // reader per line "<port>, <name>" with a port of 1 to 65535 (a later line with the same
    // port only renames its reader), each opened at once. False when the list file cannot be
    // opened (the array is then empty).
    bool Load(CCmdTarget* pTarget);
    // Stops and deletes every reader; no message of any of them is posted once it returns.
    void Stop();

    // The reader of that local port; null when there is none.
    CUdpReader* FindReader(UINT port) const;
    // For UM_RECEIVE_DATA (wParam the port number, lParam the address of the reader's buffer):
    // takes every complete line out of the buffer of the live reader that has both, under that
    // reader's lock. The lParam is only compared, never followed, so a message that arrives
    // after its reader was stopped or reloaded, or one of a serial port, finds nothing.
    // Returns the number of lines appended to `lines`.
    INT_PTR TakeLines(WPARAM wParam, LPARAM lParam, CStringArray& lines);

    // "<settings folder>UDP_Ports\UDP Ports.UDP".
    CString GetListFileName() const;

    CCmdTarget* m_pTarget = nullptr;
    CString m_strName;
};

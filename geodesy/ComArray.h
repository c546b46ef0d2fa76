// CComArray: the serial ports of the machine that the Geodetic program reads, one ComDef and
// one reader thread per port, all under the one lock the main frame gives.
#pragma once

#include "geodesy/ComPort.h"
#include "platform/core/Array.h"
#include "platform/core/CmdTarget.h"
#include "platform/core/Sync.h"

class CComArray : public CArray<ComDef*, ComDef*>
{
public:
    CComArray() = default;
    // Stops every port first.
    ~CComArray() override;
    CComArray(const CComArray&) = delete;
    CComArray& operator=(const CComArray&) = delete;

    // Once per array (later calls only return the count): a definition, loaded from its
    // settings file, for every listed port that can be opened now, each with its reader
    // thread created suspended. The owner then gives each thread its target window and lock
    // and resumes it (StartThreads does that). Returns the number of ports.
    INT_PTR Create(CCmdTarget* pOwner, CSyncObject* pLock);
    // Gives every thread the owner and the lock given to Create and resumes it.
    void StartThreads();
    // Ends every thread (no message of a port is posted once this returns), closes the
    // ports and frees the definitions. Empties the array.
    void Stop();

    // The live port with that number; null when there is none.
    ComDef* FindPort(UINT port) const;
    // For UM_RECEIVE_DATA (wParam the port number, lParam the address of the port's buffer):
    // takes every complete line ('\n' included) out of the buffer of the live port that has
    // both, under the ports' lock. The lParam is only compared, never followed, so a message
    // that arrives after its port was stopped, or one of a UDP reader, finds nothing. Returns
    // the number of lines appended to `lines`.
    INT_PTR TakeLines(WPARAM wParam, LPARAM lParam, CStringArray& lines);
    // Writes the text (without its terminating NUL) to the open port with that number; false
    // when there is no such port or it is closed.
    bool WriteToPort(unsigned short port, const char* text);

    CSyncObject* GetLock() const { return m_pLock; }

    BYTE m_bCreated = 0;
    CCmdTarget* m_pOwner = nullptr;
    CSyncObject* m_pLock = nullptr;
    int m_nCount = 0; // ports started; reset by Stop
};

// ComDef: one serial port of the machine as the Geodetic program uses it: its settings (kept
// in the settings folder "COM_Ports", one file per port), its receive ring buffer, its open
// handle and the reader thread that serves it. And ListComPorts, which finds the ports.
#pragma once

#include "geodesy/RingBuffer.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CComsThread;

// Parity settings are an index into these letters: none, odd, even, mark, space.
extern const char g_ParityLetters[];

struct ComDef
{
    ComDef();
    // Closes the port and frees the buffer.
    ~ComDef();
    ComDef(const ComDef&) = delete;
    ComDef& operator=(const ComDef&) = delete;

    // Reads the port's settings file and opens the port (see the source for the order of the
    // lines). With a port number already set, the number is taken from `name` ("COMn"; 0xFFFF
    // for a name without that prefix) and the name rebuilt as "COM%02d"; otherwise the name is
    // kept and the file's port number taken. Values out of range fall back: a baud rate not in
    // the standard list 9600, data bits outside 5..8 8, stop bits outside 1..2 1, parity
    // outside 0..4 none. Without a file every setting takes its default. True when the file
    // was read.
    bool Load(const char* name);
    // Load without the open: the name and the settings only.
    bool ReadSettings(const char* name);
    // Writes the settings file whole ("COM%02d" of the port number for a name beginning
    // "COM"; the fallback file "COM_PORT" for a port without a name). False when it cannot be
    // written; the old file is then kept.
    bool Save();
    // Opens the port with its settings (see the source); true when it is open. A port number
    // of 0 or above 256, or a disabled port, fails at once; a port that cannot be opened is
    // disabled. An open port only has its last-data time refreshed and its time-out cleared.
    bool Open();
    // Closes the port and frees its buffer.
    void Close();
    bool IsOpen() const;

    // The port's settings file: "<settings folder>COM_Ports\<name>.INI" ("COM_PORT.INI"
    // without a name).
    CString GetSettingsFileName() const;
    // Marks data as received now: last-data time = now, time-out cleared.
    void MarkData();
    // Whole seconds since data last came (or since the port was opened), by the monotonic
    // clock, so that setting the system clock neither raises nor hides a time-out.
    LONGLONG GetSilentSeconds() const;

    int32_t m_nIndex = 0; // position in the port array
    BYTE m_bEnabled = 0;
    WORD m_nPort = 0; // the n of COMn
    int32_t m_nBaudRate = 9600;
    int32_t m_nParity = 0; // index into g_ParityLetters
    int32_t m_nDataBits = 8;
    int32_t m_nStopBits = 1;
    BYTE m_b485HalfDuplex = 0;
    BYTE m_cTermChar = 10;
    int32_t m_nTimeoutInterval = 15; // seconds
    BYTE m_bCheckSum = 1;
    BYTE m_bPaused = 0;           // while set the thread does not read
    double m_dLastDataTime = 0.0; // seconds scale of the date functions
    BYTE m_bTimedOut = 0;
    uint32_t m_nMapping = 0;
    CString m_strName; // "COM%02d" once loaded
    // Two further texts, kept for the port pane; this program leaves them empty.
    CString m_strDescription;
    CString m_strDevice;
    CRingBuffer m_RxBuffer;
    HANDLE m_hPort;
    CComsThread* m_pThread = nullptr;

private:
    bool LoadFallback(const CString& path);
    bool SaveFallback(const CString& path);
    ULONGLONG m_nLastDataTick = 0;
};

// The baud rates a port may be set to.
bool IsStandardBaudRate(int baud);

// Fills `ports` with the numbers n = 1..99, ascending, of the ports "\\.\COMn" that exist: the
// ones that open (and are closed again at once) and the ones that refuse with access denied
// (in use) or general failure. Returns the count.
INT_PTR ListComPorts(CUIntArray& ports);

// The Win32 serial-port calls over POSIX termios: CreateFileA on "\\.\COMn" (the device
// comes from the port table, ComPortTable.h), the line settings (DCB), the time-outs, and
// ReadFile, WriteFile and PurgeComm on the open port. CloseHandle (Sync.h) closes it: a port
// is an object of the one handle table.
//
//     HANDLE h = CreateFileA("\\\\.\\COM3", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
//                            nullptr);
//     DCB dcb{};
//     GetCommState(h, &dcb);
//     BuildCommDCBA("4800,N,8,1", &dcb);
//     SetCommState(h, &dcb);
//
// A port is opened exclusively, as on Windows: a second open in this process fails with
// ERROR_ACCESS_DENIED, and so does one in another process while this one holds it (an
// advisory lock and the terminal's exclusive mode). Open errors:
//   ERROR_FILE_NOT_FOUND   no device for the number, no such device, or a serial device with
//                          no hardware behind it;
//   ERROR_ACCESS_DENIED    the port is in use, or the user may not open the device;
//   ERROR_GEN_FAILURE      the device is there but does not work as a serial line (an I/O
//                          error, or not a terminal).
// The line is always raw (binary): no echo, no line editing, no character translation.
#pragma once

#include "platform/core/FileApi.h"
#include "platform/core/Sync.h"
#include "platform/core/WinTypes.h"

#ifndef GENERIC_READ
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#endif
#ifndef OPEN_EXISTING
#define CREATE_NEW 1u
#define CREATE_ALWAYS 2u
#define OPEN_EXISTING 3u
#define OPEN_ALWAYS 4u
#define TRUNCATE_EXISTING 5u
#endif
#ifndef FILE_FLAG_OVERLAPPED
#define FILE_FLAG_OVERLAPPED 0x40000000u
#endif
#ifndef ERROR_GEN_FAILURE
#define ERROR_GEN_FAILURE 31L
#endif
#ifndef ERROR_OPERATION_ABORTED
#define ERROR_OPERATION_ABORTED 995L
#endif
#ifndef MAXDWORD
#define MAXDWORD 0xFFFFFFFFu
#endif

#define NOPARITY 0
#define ODDPARITY 1
#define EVENPARITY 2
#define MARKPARITY 3
#define SPACEPARITY 4

#define ONESTOPBIT 0
#define ONE5STOPBITS 1
#define TWOSTOPBITS 2

#define DTR_CONTROL_DISABLE 0x00
#define DTR_CONTROL_ENABLE 0x01
#define DTR_CONTROL_HANDSHAKE 0x02
#define RTS_CONTROL_DISABLE 0x00
#define RTS_CONTROL_ENABLE 0x01
#define RTS_CONTROL_HANDSHAKE 0x02
#define RTS_CONTROL_TOGGLE 0x03

#define CBR_110 110
#define CBR_300 300
#define CBR_600 600
#define CBR_1200 1200
#define CBR_2400 2400
#define CBR_4800 4800
#define CBR_9600 9600
#define CBR_19200 19200
#define CBR_38400 38400
#define CBR_57600 57600
#define CBR_115200 115200

#define PURGE_TXABORT 0x0001u
#define PURGE_RXABORT 0x0002u
#define PURGE_TXCLEAR 0x0004u
#define PURGE_RXCLEAR 0x0008u

// The line settings of a port, with the field layout Windows gives it.
struct DCB
{
    DWORD DCBlength;
    DWORD BaudRate;
    DWORD fBinary : 1;
    DWORD fParity : 1;
    DWORD fOutxCtsFlow : 1;
    DWORD fOutxDsrFlow : 1;
    DWORD fDtrControl : 2;
    DWORD fDsrSensitivity : 1;
    DWORD fTXContinueOnXoff : 1;
    DWORD fOutX : 1;
    DWORD fInX : 1;
    DWORD fErrorChar : 1;
    DWORD fNull : 1;
    DWORD fRtsControl : 2;
    DWORD fAbortOnError : 1;
    DWORD fDummy2 : 17;
    WORD wReserved;
    WORD XonLim;
    WORD XoffLim;
    BYTE ByteSize;
    BYTE Parity;
    BYTE StopBits;
    char XonChar;
    char XoffChar;
    char ErrorChar;
    char EofChar;
    char EvtChar;
    WORD wReserved1;
};
using LPDCB = DCB*;

// Read and write time-outs, in milliseconds. The combinations of ReadFile:
//   interval MAXDWORD, both read totals 0       returns at once with what has arrived;
//   interval MAXDWORD, multiplier MAXDWORD,     waits up to `constant` for the first byte,
//     0 < constant < MAXDWORD                   then returns with what has arrived;
//   everything 0                                waits until the whole count has arrived;
//   otherwise                                   waits at most multiplier × count + constant
//                                               in all (0 and 0: no limit) and at most
//                                               `interval` between two bytes (0: no limit).
// WriteFile waits at most WriteTotalTimeoutMultiplier × count + WriteTotalTimeoutConstant
// (both 0: no limit).
struct COMMTIMEOUTS
{
    DWORD ReadIntervalTimeout;
    DWORD ReadTotalTimeoutMultiplier;
    DWORD ReadTotalTimeoutConstant;
    DWORD WriteTotalTimeoutMultiplier;
    DWORD WriteTotalTimeoutConstant;
};
using LPCOMMTIMEOUTS = COMMTIMEOUTS*;

// Overlapped I/O is not offered: calls given an OVERLAPPED fail with ERROR_INVALID_PARAMETER.
struct OVERLAPPED;
using LPOVERLAPPED = OVERLAPPED*;

// Handle-table objects that ReadFile and WriteFile reach.
class PLATFORM_API CStreamObject : public CKernelObject
{
public:
    // As ReadFile and WriteFile; `handle` is the caller's handle, so that a long wait can
    // notice that it has been closed.
    virtual BOOL Read(HANDLE handle, void* buffer, DWORD count, DWORD* done) = 0;
    virtual BOOL Write(HANDLE handle, const void* buffer, DWORD count, DWORD* done) = 0;
};

// Opens a serial port: "\\.\COMn" (or "COMn"), with GENERIC_READ and/or GENERIC_WRITE, share
// mode 0 and OPEN_EXISTING. INVALID_HANDLE_VALUE on failure (errors above); other names fail
// with ERROR_FILE_NOT_FOUND, other creation modes with ERROR_INVALID_PARAMETER, and
// FILE_FLAG_OVERLAPPED with ERROR_NOT_SUPPORTED.
PLATFORM_API HANDLE CreateFileA(LPCSTR name, DWORD desiredAccess, DWORD shareMode,
                                LPSECURITY_ATTRIBUTES security, DWORD creationDisposition,
                                DWORD flagsAndAttributes, HANDLE templateFile);
#define CreateFile CreateFileA

// The port's settings: speed, data bits, parity, stop bits and flow control as the line has
// them now; the fields that a terminal does not keep as Windows last set them.
PLATFORM_API BOOL GetCommState(HANDLE port, LPDCB dcb);
// Applies the settings. Speeds: the standard ones from 50 to 4 000 000 baud; data bits 5 to
// 8; parity none, odd, even, mark or space; one or two stop bits (1.5 only with 5 data bits).
// fOutxCtsFlow gives hardware (RTS/CTS) flow control; fOutX / fInX software flow control;
// RTS_CONTROL_TOGGLE also asks the driver for RS-485 direction control where it has it.
// FALSE with ERROR_INVALID_PARAMETER for values outside those, leaving the line as it was.
PLATFORM_API BOOL SetCommState(HANDLE port, LPDCB dcb);
// Fills speed, parity, data and stop bits from a mode text, "9600,N,8,1" (the parity letter
// one of N O E M S in any case; stop bits 1, 1.5 or 2; an optional fifth field "x" for
// XON/XOFF or "p" for hardware flow control) or "baud=9600 parity=N data=8 stop=1". Flow
// control is turned off unless the text asks for it; fBinary is set. FALSE with
// ERROR_INVALID_PARAMETER for a text it cannot read, leaving `dcb` as it was.
PLATFORM_API BOOL BuildCommDCBA(LPCSTR definition, LPDCB dcb);
#define BuildCommDCB BuildCommDCBA
PLATFORM_API BOOL GetCommTimeouts(HANDLE port, LPCOMMTIMEOUTS timeouts);
PLATFORM_API BOOL SetCommTimeouts(HANDLE port, LPCOMMTIMEOUTS timeouts);
// Discards what is waiting to be read (PURGE_RXCLEAR) or written (PURGE_TXCLEAR).
PLATFORM_API BOOL PurgeComm(HANDLE port, DWORD flags);
// Accepted for compatibility: the driver sizes its own queues.
PLATFORM_API BOOL SetupComm(HANDLE port, DWORD inQueue, DWORD outQueue);

// Reads or writes up to `count` bytes under the port's time-outs; TRUE with the count done
// (fewer when a time-out ended the call). A closed handle, or one closed by another thread
// during the call, fails with ERROR_INVALID_HANDLE or ERROR_OPERATION_ABORTED; a line that
// has gone (adapter unplugged, other end of a pseudo-terminal closed) with ERROR_GEN_FAILURE.
PLATFORM_API BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD count, LPDWORD done, LPOVERLAPPED overlapped);
PLATFORM_API BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD done, LPOVERLAPPED overlapped);

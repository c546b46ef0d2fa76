// Which Linux device stands for each serial port name "COMn".
//
// The table is consulted at every open, in this order:
//   1. ports assigned by the program (AfxSetComPortDevice): a pseudo-terminal in a test, a
//      device chosen by the user;
//   2. ports assigned by the environment variable SUITE_COM_PORTS, a list of entries
//      separated by ';', ',' or blanks:
//          SUITE_COM_PORTS="COM3=/dev/ttyUSB0;COM4=/dev/serial/by-id/usb-FTDI_FT232R-if00-port0"
//      "COMn=" with no device hides port n; "default=none" turns rule 3 off;
//   3. the default: COMn is /dev/ttyS(n-1), so COM1 is /dev/ttyS0.
// USB adapters (/dev/ttyUSBn, /dev/ttyACMn) and pseudo-terminals (/dev/pts/n) have no
// default number: give them one by rule 1 or 2.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

// The Linux device of port `port` (1 for COM1); empty when the port has none.
PLATFORM_API CString AfxGetComPortDevice(UINT port);
// Assigns a device to port `port`; an empty device hides the port, a null one removes the
// program's assignment so that the environment and the default apply again.
PLATFORM_API void AfxSetComPortDevice(UINT port, const char* device);
// Turns the default rule (COMn is /dev/ttyS(n-1)) on or off for the program, whatever the
// environment says.
PLATFORM_API void AfxSetComPortDefaultMapping(bool on);
// Forgets every assignment and the default-rule choice made by the program.
PLATFORM_API void AfxResetComPortTable();
// The n of a port name: "\\.\COMn", "COMn" or "COMn:" in any letter case; 0 for any other name.
PLATFORM_API UINT AfxComPortNumberFromName(const char* name);

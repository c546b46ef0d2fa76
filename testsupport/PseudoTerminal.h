// A pseudo-terminal pair standing for a serial line: the program opens the slave side as a COM
// port, the test plays the device on the master side. The test keeps a slave descriptor open
// too, so that the line never hangs up while the port closes and reopens.
#pragma once

#include "platform/core/WinTypes.h"

#include <string>

#include <termios.h>

class PseudoTerminal
{
public:
    // Opens the pair; `path` stays empty when the system has no pseudo-terminal to give.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Makes the line the device of port COMn for the program (until the port table is reset).
    void AssignPort(UINT port) const;
    // Writes every byte on the device side; a failed write fails the running test and returns
    // false.
    bool Send(const std::string& bytes) const;
    // The device end goes away, as when a cable is pulled.
    void CloseDevice();
    // The output rate the port has set on the line.
    speed_t Speed() const;
    // What `stty -a` shows of the line, every field between blanks (" speed 4800 baud ...
    // -parenb ... "). It runs on the master side, which reports the slave's settings, so a port
    // holding the line in exclusive mode does not keep it out.
    std::string Stty() const;

    int master = -1;
    int slave = -1;
    std::string path; // the slave's device ("/dev/pts/5")
};

// NMEA sentences as a receiver sends them, for tests that feed decoders, ports and sockets.
#pragma once

#include <string>

// "$<body>*hh\r\n", the checksum (exclusive-or of the body's bytes, two upper-case hexadecimal
// digits) worked out here rather than by the code under test.
std::string NmeaSentence(const std::string& body);

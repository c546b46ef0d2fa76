// Datagrams sent to a port on 127.0.0.1, as a receiver on the vessel's network would send them.
#pragma once

#include <cstdint>
#include <string>

class UdpSender
{
public:
    UdpSender();
    ~UdpSender();
    UdpSender(const UdpSender&) = delete;
    UdpSender& operator=(const UdpSender&) = delete;

    // One datagram of exactly `bytes`; true when the whole of it went out.
    bool Send(uint16_t port, const std::string& bytes) const;

private:
    int m_fd;
};

// One datagram from a sender of its own.
bool SendUdp(uint16_t port, const std::string& bytes);

// A UDP port that nothing holds at the moment, on any address.
uint16_t FreeUdpPort();

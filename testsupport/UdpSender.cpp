#include "testsupport/UdpSender.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

UdpSender::UdpSender() : m_fd(::socket(AF_INET, SOCK_DGRAM, 0)) {}

UdpSender::~UdpSender()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool UdpSender::Send(uint16_t port, const std::string& bytes) const
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return ::sendto(m_fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to) ==
           static_cast<ssize_t>(bytes.size());
}

bool SendUdp(uint16_t port, const std::string& bytes)
{
    return UdpSender().Send(port, bytes);
}

uint16_t FreeUdpPort()
{
    // Asked of the wildcard address, so the port is free for a reader bound to any address.
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_ANY);
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t length = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length);
    ::close(fd);
    return ntohs(a.sin_port);
}

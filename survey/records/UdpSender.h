// CUdpSender: the host's sender of datagrams to a list of targets, through a worker thread of
// its own. The training output opens it, sends through it and closes it; the worker thread's
// body is the host's.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/WinTypes.h"
#include "platform/io/WinSock.h"

#include <cstdint>

class CUdpSender
{
public:
    CUdpSender() = default;
    // The body of the worker thread, the first of the virtual functions: it runs until the
    // sender is closed. This host sends nothing of its own, so the body returns at once.
    virtual UINT ThreadBody() { return 0; }
    virtual ~CUdpSender() = default;
    CUdpSender(const CUdpSender&) = default;
    CUdpSender& operator=(const CUdpSender&) = default;

    void* m_pOwner = nullptr;              // handed over by the training record
    SOCKET m_Socket = INVALID_SOCKET;      // invalid while closed
    HANDLE m_hThread = INVALID_HANDLE_VALUE; // the worker thread; -1 when none
    int32_t m_nPort = 0;                   // bound port; 0 before the first open
    CArray<sockaddr_in, const sockaddr_in&> m_Targets; // IPv4 family, port, address, zeros
};
static_assert(sizeof(sockaddr_in) == 16, "a target is a 16-byte IPv4 socket address");

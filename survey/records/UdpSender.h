// CUdpSender: the host's sender of datagrams to a list of targets, through a worker thread of
// its own. The training output opens it, sends through it and closes it (the Survey library
// carries those operations); the worker thread's body is the host's.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/WinTypes.h"
#include "platform/io/WinSock.h"

#include <cstdint>

// How often the sends to one target have failed, and the error of the last failure.
struct UdpSendFailureDef
{
    sockaddr_in Target;
    uint32_t Count;
    int32_t LastError; // a Windows Sockets error code
};

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

    // The operations the Survey library carries (survey/training/UdpSender.cpp).
    //
    // Opens a datagram socket with broadcast on, bound to `port` on every address, and keeps
    // the owner when it is not null. Starts the worker thread when there is none, or when the
    // one of an earlier open has ended (its handle is joined first), so that a sender reopened
    // on another port is served again; never two at once. False, the sender staying closed,
    // when it is open already or the socket cannot be made, set or bound.
    bool Open(unsigned short port, void* pOwner = nullptr);
    // The worker thread's entry (`pSender` a CUdpSender): runs ThreadBody, then gives 1.
    static unsigned ThreadEntry(void* pSender);
    // One datagram of `length` bytes to every target in order, after waiting up to 5 s for the
    // socket to take it. A target whose send fails stays listed and has the failure counted
    // (GetSendFailures); the next target is still served. False for a closed sender, null data
    // or a length below 1, and when the socket is not writable in time; true otherwise, an
    // empty list included.
    bool SendToAll(const char* data, int length);
    // Shuts the socket in both directions and closes it; the worker thread is left to end as
    // its body decides. Nothing for a closed sender.
    void Close();
    bool IsOpen() const { return m_Socket != INVALID_SOCKET; }
    // The failed sends to that target so far (family, address and port compared); null when
    // none has failed.
    const UdpSendFailureDef* GetSendFailures(const sockaddr_in& target) const
    {
        for (INT_PTR i = 0; i < m_SendFailures.GetSize(); ++i)
        {
            const UdpSendFailureDef& f = m_SendFailures[i];
            if (f.Target.sin_family == target.sin_family && f.Target.sin_port == target.sin_port &&
                f.Target.sin_addr.s_addr == target.sin_addr.s_addr)
                return &f;
        }
        return nullptr;
    }

    void* m_pOwner = nullptr;              // handed over by the training record
    SOCKET m_Socket = INVALID_SOCKET;      // invalid while closed
    HANDLE m_hThread = INVALID_HANDLE_VALUE; // the worker thread; -1 when none
    int32_t m_nPort = 0;                   // bound port; 0 before the first open
    CArray<sockaddr_in, const sockaddr_in&> m_Targets; // IPv4 family, port, address, zeros
    // Failed sends by target, in the order the first failure of each came; the host reads
    // them. A target is never dropped from m_Targets for a failure: a link that flaps would
    // otherwise silence it for good.
    CArray<UdpSendFailureDef, const UdpSendFailureDef&> m_SendFailures;
};
static_assert(sizeof(sockaddr_in) == 16, "a target is a 16-byte IPv4 socket address");

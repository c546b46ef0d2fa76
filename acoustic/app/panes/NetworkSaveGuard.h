// CNetworkSaveGuard: keeps a network file that did not load whole at start-up from being saved
// over without the user's word. What is in memory then holds only part of the file, so the
// first save would lose the rest; the user is asked before each save until one is made.
#pragma once

#include "platform/core/String.h"

class CNetwork;
class CWnd;

class CNetworkSaveGuard
{
public:
    // The network file at `path` exists but was not read whole.
    void SetUnreadFile(const CString& path);
    // The file in memory is the file on disk again (saved, or another network loaded).
    void Clear() { m_strUnreadPath.Empty(); }
    bool IsFileUnread() const { return !m_strUnreadPath.IsEmpty(); }

    // Writes the network into its file. When the file was not read whole, the user is asked
    // first; No leaves the file as it is. A file that cannot be written is told to the user.
    // True when the file was written.
    bool Save(CNetwork& network, CWnd* pParent = nullptr);

private:
    CString m_strUnreadPath;
};

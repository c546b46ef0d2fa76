#include "acoustic/app/panes/NetworkSaveGuard.h"

#include "acoustic/engine/Network.h"
#include "acoustic/engine/NetworkFile.h"
#include "outside/notifex/Notifex.h"

void CNetworkSaveGuard::SetUnreadFile(const CString& path)
{
    m_strUnreadPath = path;
}

bool CNetworkSaveGuard::Save(CNetwork& network, CWnd* pParent)
{
    if (IsFileUnread())
    {
        CString question;
        question.Format("Network file %s could not be read whole when the program started.\n"
                        "Saving now replaces it with the stations shown, and what could not be read is lost.\n"
                        "Save the network file?",
                        m_strUnreadPath.GetString());
        if (GetYN(question, pParent) != IDYES)
            return false;
    }
    if (!network.Save())
    {
        CString text;
        text.Format("Network file %s could not be written.\nThe change is kept and saved with the next one.",
                    GetNetworkFilePath(network.m_FileName).GetString());
        ErrorMessage(text, pParent);
        return false;
    }
    Clear();
    return true;
}

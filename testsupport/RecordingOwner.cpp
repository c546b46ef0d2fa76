#include "testsupport/RecordingOwner.h"

#include "foundation/WindowMessages.h"
#include "platform/core/RegisteredMessage.h"
#include "platform/core/WinApp.h"
#include "testsupport/EventPump.h"

#include <cstdio>
#include <ostream>

std::string RegisteredMessageName(UINT message)
{
    for (const char* name : g_RegisteredMessageNames)
        if (RegisterWindowMessageA(name) == message)
        {
            const std::string full(name);
            return full.substr(0, full.find('-'));
        }
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", message);
    return text;
}

std::ostream& operator<<(std::ostream& out, const POSTED_MESSAGE& message)
{
    return out << message.name << "(" << message.wParam << ", " << message.lParam << ")";
}

BOOL CRecordingOwner::CreateOwner(int width, int height, LPCTSTR lpszTitle)
{
    return Create(nullptr, lpszTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, width, height));
}

const std::vector<POSTED_MESSAGE>& CRecordingOwner::Messages()
{
    Pump();
    return m_Messages;
}

void CRecordingOwner::Clear()
{
    Pump();
    m_Messages.clear();
}

void CRecordingOwner::SetAsMainWindow(bool bMain)
{
    if (CWinApp* app = AfxGetApp())
        app->m_pMainWnd = bMain ? this : nullptr;
}

LRESULT CRecordingOwner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= 0xC000 && message <= 0xFFFF)
        m_Messages.push_back(POSTED_MESSAGE{RegisteredMessageName(message), wParam, lParam});
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

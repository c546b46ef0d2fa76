#include "chart/frame/ButtonBoxThread.h"

#include "foundation/ConfigFile.h"
#include "foundation/WindowMessages.h"
#include "platform/ui/Wnd.h"

IMPLEMENT_DYNCREATE(CButtonBoxThread, CWinThread)

CButtonBoxThread::CButtonBoxThread() : m_Wake(FALSE, TRUE)
{
    // Deleted by its creator once joined: a thread that deleted itself could be gone, or
    // still in its loop, when the creator comes to stop it.
    m_bAutoDelete = FALSE;
    m_JoyInfo.dwSize = sizeof(JOYINFOEX);
    m_JoyInfo.dwFlags = JOY_RETURNBUTTONS;
    CConfigFile file;
    if (file.OpenForRead("Button Box"))
    {
        const int16_t id = file.ReadShort(0);
        m_nJoystickId = id < 0 || id > 1 ? 0 : id;
        file.Close();
    }
}

void CButtonBoxThread::Stop()
{
    m_bStop = 1;
    m_Wake.SetEvent();
}

int CButtonBoxThread::Run()
{
    while (m_bStop == 0)
    {
        if (joyGetPosEx(static_cast<UINT>(m_nJoystickId), &m_JoyInfo) == JOYERR_NOERROR &&
            m_JoyInfo.dwButtons != m_LastButtons)
        {
            m_LastButtons = m_JoyInfo.dwButtons;
            if (m_pOwner)
                ::PostMessage(m_pOwner->GetSafeHwnd(), UM_BUTTON_BOX, m_LastButtons,
                              static_cast<LPARAM>(m_nJoystickId));
        }
        m_Wake.Lock(kPollMs);
    }
    return 0;
}

#include "chart/ButtonBoxThread.h"

#include "foundation/ConfigFile.h"
#include "foundation/WindowMessages.h"
#include "platform/core/WinApp.h"
#include "platform/ui/Wnd.h"

#include <chrono>
#include <thread>

IMPLEMENT_DYNCREATE(CButtonBoxThread, CWinThread)

CButtonBoxThread::CButtonBoxThread()
{
    m_State.dwSize = sizeof(JOYINFOEX);
    m_State.dwFlags = JOY_RETURNBUTTONS;
    CConfigFile file;
    if (file.OpenForRead("Button Box"))
    {
        const int id = file.ReadInt(0);
        m_JoystickId = static_cast<int16_t>(id < 0 || id > 1 ? 0 : id);
        file.Close();
    }
}

int CButtonBoxThread::Run()
{
    while (m_Stop.load() == 0)
    {
        if (joyGetPosEx(static_cast<UINT>(m_JoystickId), &m_State) == JOYERR_NOERROR &&
            m_State.dwButtons != m_LastButtons)
        {
            m_LastButtons = m_State.dwButtons;
            CCmdTarget* target = m_pOwner != nullptr ? static_cast<CCmdTarget*>(m_pOwner) : AfxGetMainWnd();
            if (target != nullptr)
                ::PostMessage(target->GetSafeHwnd(), UM_BUTTON_BOX, m_LastButtons, static_cast<LPARAM>(m_JoystickId));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return 0;
}

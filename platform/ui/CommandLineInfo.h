// CCommandLineInfo: what the program's arguments ask for at start-up (a new document, a file
// to open, printing, or nothing), filled by CWinApp::ParseCommandLine.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/String.h"

class PLATFORM_API CCommandLineInfo : public CObject
{
public:
    enum
    {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppRegister,
        AppUnregister,
        RestartByRestartManager,
        FileNothing = -1
    };

    CCommandLineInfo() = default;
    ~CCommandLineInfo() override = default;

    // One argument: a flag (without its '/' or '-') or a file name (a Linux path becomes a
    // Windows path). bLast is set for the final argument.
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    BOOL m_bRegisterPerUser = FALSE;
    int m_nShellCommand = FileNew;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;
    CString m_strRestartIdentifier;
};

// The application's side of documents: its templates, the command line at start-up, the
// recent-file list and idle work.
#include "platform/core/Path.h"
#include "platform/core/WinApp.h"
#include "platform/ui/CommandLineInfo.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/View.h"

#include <QCoreApplication>
#include <QStringList>

namespace
{
constexpr const char* kRecentSection = "Recent File List";
constexpr UINT kMaxRecentFiles = 16;
} // namespace

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL)
{
    if (!pszParam)
        return;
    if (bFlag)
    {
        const CString flag(pszParam);
        if (flag.CompareNoCase("pt") == 0)
            m_nShellCommand = FilePrintTo;
        else if (flag.CompareNoCase("p") == 0)
            m_nShellCommand = FilePrint;
        else if (flag.CompareNoCase("dde") == 0)
            m_nShellCommand = FileDDE;
        else if (flag.CompareNoCase("Register") == 0 || flag.CompareNoCase("Regserver") == 0)
            m_nShellCommand = AppRegister;
        else if (flag.CompareNoCase("Unregister") == 0 || flag.CompareNoCase("Unregserver") == 0)
            m_nShellCommand = AppUnregister;
        else if (flag.CompareNoCase("Embedding") == 0)
        {
            m_bRunEmbedded = TRUE;
            m_bShowSplash = FALSE;
        }
        else if (flag.CompareNoCase("Automation") == 0)
        {
            m_bRunAutomated = TRUE;
            m_bShowSplash = FALSE;
        }
        else if (flag.CompareNoCase("nologo") == 0)
            m_bShowSplash = FALSE;
        return;
    }
    if (m_strFileName.IsEmpty())
    {
        // Arguments from the shell are Linux paths; the system works with Windows ones.
        const CString param(pszParam);
        m_strFileName = (param.GetLength() > 1 && param[1] == ':')
                            ? param
                            : WindowsPathFromLinux(QString::fromLocal8Bit(pszParam));
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
    }
    else if (m_nShellCommand == FilePrintTo)
    {
        if (m_strPrinterName.IsEmpty())
            m_strPrinterName = pszParam;
        else if (m_strDriverName.IsEmpty())
            m_strDriverName = pszParam;
        else if (m_strPortName.IsEmpty())
            m_strPortName = pszParam;
    }
}

// ---------------------------------------------------------------------------------------
// CWinApp: templates and documents
// ---------------------------------------------------------------------------------------

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate && !m_templateList.Find(pTemplate))
        m_templateList.AddTail(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_templateList.GetHeadPosition();
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    return pos ? static_cast<CDocTemplate*>(m_templateList.GetNext(pos)) : nullptr;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    QStringList args;
    if (QCoreApplication::instance())
        args = QCoreApplication::arguments();
    for (int i = 1; i < args.size(); ++i)
    {
        const QByteArray arg = args[i].toLocal8Bit();
        const bool flag = arg.size() > 1 && (arg[0] == '-' || arg[0] == '/') &&
                          !(arg[0] == '/' && arg.indexOf('/', 1) > 0); // "/data/x.csv" is a path
        rCmdInfo.ParseParam(flag ? arg.constData() + 1 : arg.constData(), flag ? TRUE : FALSE,
                            i + 1 == args.size() ? TRUE : FALSE);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand)
    {
    case CCommandLineInfo::FileNew: {
        POSITION pos = GetFirstDocTemplatePosition();
        CDocTemplate* templ = GetNextDocTemplate(pos);
        if (!templ)
            return FALSE;
        return templ->OpenDocumentFile(nullptr) != nullptr;
    }
    case CCommandLineInfo::FileOpen:
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FileNothing:
    case CCommandLineInfo::FileDDE:
    case CCommandLineInfo::AppRegister:
    case CCommandLineInfo::AppUnregister:
    default:
        return TRUE;
    }
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    POSITION pos = GetFirstDocTemplatePosition();
    CDocTemplate* templ = GetNextDocTemplate(pos);
    return templ ? templ->OpenDocumentFile(lpszFileName) : nullptr;
}

void CWinApp::OnFileNew()
{
    POSITION pos = GetFirstDocTemplatePosition();
    if (CDocTemplate* templ = GetNextDocTemplate(pos))
        templ->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    CFileDialog dlg(TRUE);
    if (dlg.DoModal() == IDOK)
        OpenDocumentFile(dlg.GetPathName());
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;)
        if (CDocTemplate* templ = GetNextDocTemplate(pos))
            templ->CloseAllDocuments(bEndSession);
}

BOOL CWinApp::SaveAllModified()
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;)
        if (CDocTemplate* templ = GetNextDocTemplate(pos); templ && !templ->SaveAllModified())
            return FALSE;
    return TRUE;
}

// ---------------------------------------------------------------------------------------
// CWinApp: recent files and idle work
// ---------------------------------------------------------------------------------------

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    m_nMaxMRU = std::min(nMaxMRU, kMaxRecentFiles);
    m_recentFiles.RemoveAll();
    for (UINT i = 1; i <= m_nMaxMRU; ++i)
    {
        CString entry;
        entry.Format("File%u", i);
        const CString path = GetProfileString(kRecentSection, entry);
        if (!path.IsEmpty())
            m_recentFiles.AddTail(path);
    }
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (m_nMaxMRU == 0 || !lpszPathName || !*lpszPathName)
        return;
    for (POSITION pos = m_recentFiles.GetHeadPosition(); pos;)
    {
        const POSITION at = pos;
        if (m_recentFiles.GetNext(pos).CompareNoCase(lpszPathName) == 0)
            m_recentFiles.RemoveAt(at);
    }
    m_recentFiles.AddHead(lpszPathName);
    while (static_cast<UINT>(m_recentFiles.GetCount()) > m_nMaxMRU)
        m_recentFiles.RemoveTail();
    SaveRecentFileList();
}

void CWinApp::SaveRecentFileList()
{
    UINT i = 1;
    for (POSITION pos = m_recentFiles.GetHeadPosition(); pos; ++i)
    {
        CString entry;
        entry.Format("File%u", i);
        WriteProfileString(kRecentSection, entry, m_recentFiles.GetNext(pos));
    }
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount <= 0 && m_pMainWnd && m_pMainWnd->GetSafeHwnd())
        ::SendMessage(m_pMainWnd->GetSafeHwnd(), WM_IDLEUPDATECMDUI, TRUE, 0);
    return FALSE;
}

// The application object, its profile (the per-program settings store), and process start.
//
// One CWinApp-derived object per program, usually a global (theApp). The profile is an INI
// file under the user's configuration folder ($XDG_CONFIG_HOME, else ~/.config):
// "<config>/<registry key>/<profile name>.ini" once SetRegistryKey was called (the profile
// name is the application's name), "<config>/<app name>.ini" before. Sections and entries
// are found whatever their letter case, as in the registry; every value is stored as text,
// and every change rewrites the whole file through a temporary file, so that it is never
// left half-written.
#pragma once

#include "platform/core/List.h"
#include "platform/core/String.h"
#include "platform/core/WinThread.h"

#include <functional>
#include <string>

class QCoreApplication;
class QString;
class CCommandLineInfo;
class CDocTemplate;
class CDocument;

class PLATFORM_API CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    // Null takes the executable's name.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    BOOL InitInstance() override;
    // Runs the user-interface event loop until it is told to quit, then ExitInstance. Ends
    // at once (through ExitInstance) when there is no main window, so that a start-up that
    // made no window ends the program quietly.
    int Run() override;
    // The exit code of the event loop.
    int ExitInstance() override;

    // Moves the profile under "<config>/<key>/"; the profile name becomes the app name.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);

    // The entry's integer, or `nDefault` when it is missing or holds no number.
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    // The entry's text, or `lpszDefault` (empty when null) when it is missing.
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    // A null value deletes the entry; a null entry deletes the whole section. FALSE when the
    // profile could not be written (the file on disk is then unchanged).
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // Deletes the section and every section below it ("<section>\..."). FALSE when the
    // profile could not be written.
    BOOL DeleteProfileTree(LPCTSTR lpszSection);
    // Bytes are kept as hexadecimal text. *ppData is allocated with new[]; the caller frees
    // it with delete[]. FALSE (and *ppData null) when missing or not valid hexadecimal.
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

    // The Linux path of the profile file.
    QString GetProfilePath() const;

    // ----- Documents and start-up (defined by the user-interface layer) -----------------

    // The application owns its templates and deletes them with itself.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    // Reads the program's arguments (after the program name): "/x" and "-x" are flags, the
    // rest file names, each given to rCmdInfo.ParseParam.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // FileNew makes the first template's document, frame and view (the first frame becomes
    // m_pMainWnd); FileOpen opens the named file the same way. FALSE when that failed.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    void OnFileNew();
    void OnFileOpen();
    // Closes every document of every template (their frames go with them).
    void CloseAllDocuments(BOOL bEndSession);
    // FALSE when a modified document's owner refused to let it go.
    BOOL SaveAllModified();
    // The recent-file list holds up to nMaxMRU paths, newest first, kept in the profile
    // ("Recent File List", "File1"...).
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    // The recent files, newest first.
    const CStringList& GetRecentFileList() const { return m_recentFiles; }
    // Idle work: the main window's toolbars and other command items are brought up to date.
    // TRUE while more idle work is wanted.
    virtual BOOL OnIdle(LONG lCount);

    // Owned and allocated with malloc: to change one, free() it and assign a strdup() copy.
    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    LPCTSTR m_pszHelpFilePath = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = 1; // SW_SHOWNORMAL

    UINT m_nMaxMRU = 0;

private:
    friend QCoreApplication* AfxInitProcess(int& argc, char** argv);
    void RecordCommandLine(int argc, char** argv);
    void SaveRecentFileList();

    CObList m_templateList; // CDocTemplate objects
    CStringList m_recentFiles;

    std::string m_strCmdLine;
};

// The application object; null before it is constructed.
PLATFORM_API CWinApp* AfxGetApp();
// The calling thread's main window, else the application's.
PLATFORM_API CCmdTarget* AfxGetMainWnd();
PLATFORM_API LPCTSTR AfxGetAppName();

// Process start for programs and tests: makes the Qt application object unless one exists
// (through the factory when one is set, e.g. a widgets application), records the command
// line, names the application after the executable when it has no name, and keeps the "C"
// numeric locale. Returns the Qt application object.
PLATFORM_API QCoreApplication* AfxInitProcess(int& argc, char** argv);
// What AfxInitProcess uses to make the Qt application object.
using AFX_APPLICATION_FACTORY = std::function<QCoreApplication*(int& argc, char** argv)>;
PLATFORM_API void AfxSetApplicationFactory(AFX_APPLICATION_FACTORY factory);
// Deletes the Qt application object that AfxInitProcess made, if any.
PLATFORM_API void AfxTermProcess();
// A program's whole life: AfxInitProcess, the application's InitInstance, then Run when it
// succeeded (ExitInstance otherwise), AfxTermProcess. Returns the exit code; 1 without an
// application object.
PLATFORM_API int AfxWinMain(int& argc, char** argv);

// Sets LC_NUMERIC back to "C": Qt takes the whole locale from the environment, and printf,
// atof and sscanf must keep a decimal point (never a comma) in every file they touch.
PLATFORM_API void AfxKeepCNumericLocale();

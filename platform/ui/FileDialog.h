// File dialogs: open and save, with the framework's filters ("Text (*.txt)|*.txt|All
// (*.*)|*.*||"), multiple selection, a default extension and an initial folder and name, over
// a Qt file dialog or answered through the modal hook (ModalHook.h) while it is enabled. All
// paths given and returned are Windows paths (platform/core/Path.h maps them to the disk).
#pragma once

#include "platform/core/List.h"
#include "platform/ui/Dialog.h"

#include <vector>

#define OFN_READONLY 0x00000001u
#define OFN_OVERWRITEPROMPT 0x00000002u
#define OFN_HIDEREADONLY 0x00000004u
#define OFN_NOCHANGEDIR 0x00000008u
#define OFN_SHOWHELP 0x00000010u
#define OFN_ENABLEHOOK 0x00000020u
#define OFN_ENABLETEMPLATE 0x00000040u
#define OFN_NOVALIDATE 0x00000100u
#define OFN_ALLOWMULTISELECT 0x00000200u
#define OFN_EXTENSIONDIFFERENT 0x00000400u
#define OFN_PATHMUSTEXIST 0x00000800u
#define OFN_FILEMUSTEXIST 0x00001000u
#define OFN_CREATEPROMPT 0x00002000u
#define OFN_SHAREAWARE 0x00004000u
#define OFN_NOREADONLYRETURN 0x00008000u
#define OFN_NOTESTFILECREATE 0x00010000u
#define OFN_NONETWORKBUTTON 0x00020000u
#define OFN_EXPLORER 0x00080000u
#define OFN_NODEREFERENCELINKS 0x00100000u
#define OFN_LONGNAMES 0x00200000u
#define OFN_ENABLESIZING 0x00800000u
#define OFN_DONTADDTORECENT 0x02000000u
#define OFN_FORCESHOWHIDDEN 0x10000000u

struct OPENFILENAME
{
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter; // pairs of NUL-ended strings, ended by an empty one
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex; // 1-based
    LPSTR lpstrFile;    // in: the initial name; out: the chosen path(s)
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
    void* lpfnHook;
    LPCSTR lpTemplateName;
};
using OPENFILENAMEA = OPENFILENAME;
using LPOPENFILENAME = OPENFILENAME*;

class PLATFORM_API CFileDialog : public CDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr, DWORD dwSize = 0, BOOL bVistaStyle = TRUE);
    ~CFileDialog() override;

    // IDOK with the chosen paths, IDCANCEL when cancelled. The paths are written to
    // m_ofn.lpstrFile when they fit in m_ofn.nMaxFile ("folder\0name\0name\0\0" for several);
    // the Get... functions give them either way.
    INT_PTR DoModal() override;

    // The (first) chosen path; its name, extension (no dot), name without extension, folder.
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) ? TRUE : FALSE; }
    // Walks the chosen paths.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    OPENFILENAME m_ofn{};

    // Qt side: the filter of a Qt file dialog for the framework's filter text, and the
    // default extension put on a chosen path that has none.
    static QStringList QtFilters(const CString& filter);
    static CString WithDefaultExtension(const CString& path, const CString& ext);

protected:
    BOOL m_bOpenFileDialog;

private:
    CString m_strFilterText; // as given, with '|'
    std::vector<char> m_filter;
    std::vector<char> m_fileBuffer;
    CString m_strDefExt;
    CString m_strTitle;
    std::vector<CString> m_paths;
};

// The folder picker: one existing folder, starting at a given one, over a Qt directory dialog
// or answered through the modal hook.
class PLATFORM_API CFolderPickerDialog : public CDialog
{
    DECLARE_DYNAMIC(CFolderPickerDialog)
public:
    explicit CFolderPickerDialog(LPCTSTR lpszFolder = nullptr, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr,
                                 DWORD dwSize = 0, BOOL fNonFileSystemFolders = FALSE);

    // IDOK with the chosen folder (a Windows path without a trailing '\\'), IDCANCEL when
    // cancelled.
    INT_PTR DoModal() override;
    CString GetPathName() const { return m_strChosen; }
    CString GetFolderPath() const { return m_strChosen; }

private:
    CString m_strInitial;
    CString m_strChosen;
};

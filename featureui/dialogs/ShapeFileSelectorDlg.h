// CShapeFileSelectorDlg: the modal dialog with which a host lets the user pick shapefiles out of
// a folder tree: each shape name (the file title up to its first '_') shows once, the user
// collects names into a comma-separated line, and OK returns the full path of every file found
// whose title begins with one of them. Loading the files is the host's.
#pragma once

#include "featureui/TolvarApi.h"
#include "foundation/ColourButton.h"
#include "foundation/ColourDialogEx.h"
#include "foundation/MyListCtrl.h"
#include "platform/core/Array.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Static.h"

class CFileList;

class TOLVAR_API CShapeFileSelectorDlg : public CColourDialogEx
{
    DECLARE_DYNAMIC(CShapeFileSelectorDlg)
public:
    explicit CShapeFileSelectorDlg(CWnd* pParent = nullptr);

    // The folder searched, and whether the user may choose another.
    void SetPath(const char* folder, bool showFolderButton);
    CString GetPath() const { return m_Folder; }
    // The preset of the selection line when no file list is given.
    void SetFileName(const char* fileName) { m_FileName = fileName; }
    // Where OK writes the chosen paths (borrowed); set it before DoModal.
    void SetFiles(CStringArray* pFiles) { m_pFiles = pFiles; }
    // The preset of the selection line (borrowed; may be null).
    void SetFileList(CFileList* pFileList) { m_pFileList = pFileList; }
    // Searches the folder and fills the list with each shape name once, the last found on top.
    void LoadFiles();

    void SetNightMode(bool bNight);
    void SetDaylightMode() { SetNightMode(false); }
    bool GetNightMode() const { return m_bNight; }

    // The name a file title shows as: up to its first '_'.
    static CString ShapeName(const char* title);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnBnClickedFolder();
    void OnBnClickedOk();
    void OnClickList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDestroy();
    void OnBnClickedSelectAll();
    void OnBnClickedRemoveAll();
    DECLARE_MESSAGE_MAP()

    CStatic m_FolderText;
    CMyListCtrl m_List;
    bool m_bNight = false;
    CImageList m_ImageList;
    CString m_Folder;
    bool m_bShowFolderButton = true;
    CString m_FileName;
    CStringArray m_FoundFiles;
    CStringArray* m_pFiles = nullptr;
    CFileList* m_pFileList = nullptr;
    CStatic m_Selection;
    CColourButton m_FolderButton;
    CColourButton m_Cancel;
    CColourButton m_OK;
    CColourButton m_RemoveAll;
    CColourButton m_SelectAll;

private:
    // The names of the selection line, in order.
    CStringArray SelectedNames() const;
    void ShowSelection(const CStringArray& names);
};

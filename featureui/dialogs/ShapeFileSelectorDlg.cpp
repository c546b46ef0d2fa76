#include "featureui/dialogs/ShapeFileSelectorDlg.h"

#include "featureui/dialogs/DialogPictures.h"
#include "featureui/dialogs/ShapeFileSelectorResources.h"
#include "foundation/CsvParser.h"
#include "foundation/FileList.h"
#include "foundation/FilePath.h"
#include "foundation/Folders.h"
#include "platform/ui/FileDialog.h"

namespace
{
UINT SelectorTemplate()
{
    RegisterShapeFileTemplates();
    return IDD_SHAPE_FILE_SELECTOR;
}

// The fields of a line split at `separator`, in order.
CStringArray SplitFields(const char* line, char separator)
{
    CStringArray fields;
    CCsvParser parser;
    parser.SetSeparator(separator);
    parser.SetLine(line);
    CString field;
    while (parser.GetString(field))
        fields.Add(field);
    return fields;
}

bool Contains(const CStringArray& names, const CString& name)
{
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
        if (names[i] == name)
            return true;
    return false;
}

CString TitleOf(const char* path)
{
    CString folder, title, extension;
    SplitFilePath(path, folder, title, extension);
    return title;
}

// Backups of a shape live in "BackUp" folders, in any letter case: they are not offered.
bool InBackUpFolder(const char* path)
{
    CString folder, title, extension;
    SplitFilePath(path, folder, title, extension);
    const CStringArray parts = SplitFields(folder, '\\');
    for (INT_PTR i = 0; i < parts.GetSize(); ++i)
        if (parts[i].CompareNoCase("BackUp") == 0)
            return true;
    return false;
}
} // namespace

IMPLEMENT_DYNAMIC(CShapeFileSelectorDlg, CColourDialogEx)

BEGIN_MESSAGE_MAP(CShapeFileSelectorDlg, CColourDialogEx)
ON_BN_CLICKED(IDC_SHAPE_FOLDER_BUTTON, &CShapeFileSelectorDlg::OnBnClickedFolder)
ON_BN_CLICKED(IDOK, &CShapeFileSelectorDlg::OnBnClickedOk)
ON_NOTIFY(NM_CLICK, IDC_SHAPE_LIST, &CShapeFileSelectorDlg::OnClickList)
ON_WM_DESTROY()
ON_BN_CLICKED(IDC_SHAPE_SELECT_ALL, &CShapeFileSelectorDlg::OnBnClickedSelectAll)
ON_BN_CLICKED(IDC_SHAPE_REMOVE_ALL, &CShapeFileSelectorDlg::OnBnClickedRemoveAll)
END_MESSAGE_MAP()

CShapeFileSelectorDlg::CShapeFileSelectorDlg(CWnd* pParent) : CColourDialogEx(SelectorTemplate(), pParent) {}

void CShapeFileSelectorDlg::SetPath(const char* folder, bool showFolderButton)
{
    m_Folder = folder ? folder : "";
    m_bShowFolderButton = showFolderButton;
}

CString CShapeFileSelectorDlg::ShapeName(const char* title)
{
    const CString text = title ? title : "";
    const int underscore = text.Find('_');
    return underscore < 0 ? text : text.Left(underscore);
}

void CShapeFileSelectorDlg::DoDataExchange(CDataExchange* pDX)
{
    CColourDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SHAPE_FOLDER, m_FolderText);
    DDX_Control(pDX, IDC_SHAPE_LIST, m_List);
    DDX_Control(pDX, IDC_SHAPE_SELECTION, m_Selection);
    DDX_Control(pDX, IDC_SHAPE_FOLDER_BUTTON, m_FolderButton);
    DDX_Control(pDX, IDCANCEL, m_Cancel);
    DDX_Control(pDX, IDOK, m_OK);
    DDX_Control(pDX, IDC_SHAPE_REMOVE_ALL, m_RemoveAll);
    DDX_Control(pDX, IDC_SHAPE_SELECT_ALL, m_SelectAll);
}

BOOL CShapeFileSelectorDlg::OnInitDialog()
{
    CColourDialogEx::OnInitDialog();
    if (m_ImageList.GetSafeHandle() == nullptr)
    {
        m_ImageList.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 1);
        RegisterDialogPictures();
        CBitmap symbol;
        if (symbol.LoadBitmap(IDB_SHAPE_FILES))
            m_ImageList.Add(&symbol, RGB(255, 255, 255));
    }
    m_List.SetImageList(&m_ImageList, LVSIL_SMALL);
    m_FolderText.SetWindowText(m_Folder);
    CRect client;
    m_List.GetClientRect(&client);
    m_List.InsertColumn(0, "File Name", LVCFMT_CENTER, client.Width());
    LoadFiles();

    CStringArray preset;
    if (m_pFileList)
    {
        // Each entry's title, so that OK finds the very files of the list.
        for (INT_PTR i = 0; i < m_pFileList->GetSize(); ++i)
        {
            const CString title = TitleOf(m_pFileList->GetAt(i));
            if (!title.IsEmpty() && !Contains(preset, title))
                preset.Add(title);
        }
    }
    else if (!m_FileName.IsEmpty())
        preset.Add(ShapeName(TitleOf(m_FileName)));
    ShowSelection(preset);

    if (!m_bShowFolderButton)
        m_FolderButton.ShowWindow(SW_HIDE);
    return TRUE;
}

void CShapeFileSelectorDlg::LoadFiles()
{
    m_List.DeleteAllItems();
    m_FoundFiles.RemoveAll();
    FindShapeFiles(m_Folder, &m_FoundFiles);
    CStringArray shown;
    for (INT_PTR i = 0; i < m_FoundFiles.GetSize(); ++i)
    {
        if (InBackUpFolder(m_FoundFiles[i]))
            continue;
        const CString name = ShapeName(TitleOf(m_FoundFiles[i]));
        if (Contains(shown, name))
            continue;
        shown.Add(name);
        m_List.InsertItem(0, name, 0);
    }
}

CStringArray CShapeFileSelectorDlg::SelectedNames() const
{
    CString line;
    m_Selection.GetWindowText(line);
    return SplitFields(line, ',');
}

void CShapeFileSelectorDlg::ShowSelection(const CStringArray& names)
{
    CString line;
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
    {
        if (i > 0)
            line += ',';
        line += names[i];
    }
    m_Selection.SetWindowText(line);
}

void CShapeFileSelectorDlg::OnClickList(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const int row = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->iItem;
    if (row < 0 || row >= m_List.GetItemCount())
        return;
    CStringArray names = SelectedNames();
    const CString name = m_List.GetItemText(row, 0);
    if (!Contains(names, name))
        names.Add(name);
    ShowSelection(names);
}

void CShapeFileSelectorDlg::OnBnClickedSelectAll()
{
    CStringArray titles;
    for (INT_PTR i = 0; i < m_FoundFiles.GetSize(); ++i)
        titles.Add(TitleOf(m_FoundFiles[i]));
    ShowSelection(titles);
}

void CShapeFileSelectorDlg::OnBnClickedRemoveAll()
{
    m_Selection.SetWindowText("");
}

void CShapeFileSelectorDlg::OnBnClickedFolder()
{
    CFolderPickerDialog picker(m_Folder, 0, this);
    if (picker.DoModal() != IDOK)
        return;
    m_Folder = picker.GetPathName() + "\\";
    m_FolderText.SetWindowText(m_Folder);
    LoadFiles();
}

void CShapeFileSelectorDlg::OnBnClickedOk()
{
    if (m_pFiles)
        m_pFiles->RemoveAll();
    const CStringArray names = SelectedNames();
    if (names.GetSize() == 0)
    {
        EndDialog(IDCANCEL);
        return;
    }
    for (INT_PTR i = 0; i < m_FoundFiles.GetSize() && m_pFiles; ++i)
    {
        const CString title = TitleOf(m_FoundFiles[i]);
        for (INT_PTR n = 0; n < names.GetSize(); ++n)
            if (!names[n].IsEmpty() && title.Left(names[n].GetLength()) == names[n])
            {
                if (!Contains(*m_pFiles, m_FoundFiles[i]))
                    m_pFiles->Add(m_FoundFiles[i]);
                break;
            }
    }
    EndDialog(IDOK);
}

void CShapeFileSelectorDlg::OnDestroy()
{
    CColourDialogEx::OnDestroy();
    m_FoundFiles.RemoveAll();
}

void CShapeFileSelectorDlg::SetNightMode(bool bNight)
{
    m_bNight = bNight;
    if (!GetSafeHwnd())
        return;
    m_FolderButton.SetNightMode(bNight ? TRUE : FALSE);
    m_Cancel.SetNightMode(bNight ? TRUE : FALSE);
    m_OK.SetNightMode(bNight ? TRUE : FALSE);
    CColourDialogEx::SetNightMode(bNight ? TRUE : FALSE);
}

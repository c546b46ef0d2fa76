#include "acoustic/app/selectors/ColumnSelector.h"

#include "acoustic/engine/DateFolders.h"
#include "foundation/FilePath.h"
#include "foundation/ListCtrlImport.h"
#include "outside/notifex/Notifex.h"
#include "platform/ui/FileDialog.h"

IMPLEMENT_DYNAMIC(CColumnSelector, CColourDialogEx)

BEGIN_MESSAGE_MAP(CColumnSelector, CColourDialogEx)
ON_BN_CLICKED(IDC_SELECTOR_SELECT_FILE, &CColumnSelector::OnSelectFile)
END_MESSAGE_MAP()

CColumnSelector::CColumnSelector(UINT nIDTemplate, const COLUMN_SELECTOR_LOOK& look, CWnd* pParent)
    : CColourDialogEx((RegisterSelectorResources(), nIDTemplate), pParent), m_Look(look)
{
}

INT_PTR CColumnSelector::DoModal()
{
    if (!m_pImport || m_pImport->GetSize() < m_Look.fieldCount)
    {
        CString text;
        if (m_pImport)
            text.Format("The import \"%s\" holds %d fields where %d are needed; its columns cannot be chosen.",
                        m_pImport->m_SettingsName.GetString(), static_cast<int>(m_pImport->GetSize()),
                        m_Look.fieldCount);
        else
            text = "No import is given; its columns cannot be chosen.";
        ErrorMessage(text);
        return IDCANCEL;
    }
    return CColourDialogEx::DoModal();
}

void CColumnSelector::DoDataExchange(CDataExchange* pDX)
{
    CColourDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SELECTOR_FOLDER, m_Folder);
    DDX_Control(pDX, IDC_SELECTOR_FILE_NAME, m_FileName);
    DDX_Control(pDX, IDC_SELECTOR_SELECT_FILE, m_SelectFile);
    DDX_Control(pDX, IDOK, m_OK);
    DDX_Control(pDX, IDCANCEL, m_Cancel);
    for (int i = 0; i < m_Look.fieldCount; ++i)
        DDX_Control(pDX, IDC_SELECTOR_COLUMN_0 + i, m_Columns[i]);
    if (IsWorkbook())
    {
        DDX_Control(pDX, IDC_SELECTOR_SHEET_NAME, m_SheetName);
        DDX_Control(pDX, IDC_SELECTOR_PICTURE, m_Picture);
    }
}

BOOL CColumnSelector::OnInitDialog()
{
    CColourDialogEx::OnInitDialog();
    ShowFile();
    for (int i = 0; i < m_Look.fieldCount; ++i)
        ShowColumn(i);
    if (IsWorkbook())
    {
        m_SheetName.SetWindowText(m_pImport->m_SpreadsheetName);
        m_Picture.SetBitmapID(IDB_SELECTOR_SHEET_NAME);
        m_Picture.Invalidate();
    }
    return TRUE;
}

void CColumnSelector::ShowFile()
{
    m_Folder.SetWindowText(GetFilePathFolder(m_pImport->m_FullPath));
    m_FileName.SetWindowText(GetFileNameFromPath(m_pImport->m_FullPath));
}

void CColumnSelector::ShowColumn(int field)
{
    m_Columns[field].SetColumn(m_pImport->GetAt(field).Column, m_Look.listKind);
}

int CColumnSelector::ChosenColumn(int field)
{
    CExcelColumnComboBox& combo = m_Columns[field];
    const int picked = combo.GetCurSel();
    if (combo.IsWindowEnabled() && picked > 0)
        return picked - 1;
    // A column past the list's last entry shows nothing selected: the user has not chosen to
    // skip it, so it is kept rather than turned into a skipped field.
    if (combo.IsWindowEnabled() && picked == CB_ERR && combo.m_Column >= 0)
        return combo.m_Column;
    return SkippedColumn(combo.m_Column);
}

void CColumnSelector::OnOK()
{
    for (int i = 0; i < m_Look.fieldCount; ++i)
        m_pImport->SetColumn(i, ChosenColumn(i));
    if (IsWorkbook())
        m_SheetName.GetWindowText(m_pImport->m_SpreadsheetName);
    CColourDialogEx::OnOK();
}

void CColumnSelector::OnSelectFile()
{
    CFileDialog dialog(TRUE, "CSV", m_pImport->m_FullPath, OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                       m_Look.filter, this);
    dialog.m_ofn.lpstrTitle = m_Look.fileTitle;
    if (dialog.DoModal() != IDOK)
        return;
    const CString path = dialog.GetPathName();
    if (path.IsEmpty())
        return;
    m_pImport->m_FullPath = path;
    ShowFile();
}

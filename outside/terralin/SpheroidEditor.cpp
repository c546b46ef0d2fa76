#include "outside/terralin/SpheroidEditor.h"

#include "foundation/ConfigFile.h"
#include "geodesy/GlobalFolder.h"
#include "geodesy/Spheroid.h"
#include "platform/core/FileFind.h"
#include "outside/notifex/Notifex.h"
#include "outside/terralin/EditorSupport.h"
#include "outside/terralin/TerralinResources.h"
#include "platform/ui/ComboBox.h"

IMPLEMENT_DYNAMIC(CSpheroidEditor, CDialog)

BEGIN_MESSAGE_MAP(CSpheroidEditor, CDialog)
ON_CBN_SELCHANGE(IDC_TERRALIN_LIST, &CSpheroidEditor::OnSelectionChanged)
END_MESSAGE_MAP()

namespace
{
const char kTypeFile[] = "Spheroid Type";

const DLGITEM_TABLE kSpheroidItems[] = {
    {DLGI_LTEXT, IDC_STATIC, "Spheroid:", 7, 9, 50, 8},
    {DLGI_COMBOBOX, IDC_TERRALIN_LIST, "", 60, 7, 200, 150, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    {DLGI_LTEXT, IDC_TERRALIN_DETAILS_1, "", 7, 28, 253, 8},
    {DLGI_LTEXT, IDC_TERRALIN_DETAILS_2, "", 7, 40, 253, 8},
    {DLGI_LTEXT, IDC_TERRALIN_DETAILS_3, "", 7, 52, 253, 8},
    {DLGI_DEFPUSHBUTTON, IDOK, "OK", 156, 70, 50, 14, WS_GROUP},
    {DLGI_PUSHBUTTON, IDCANCEL, "Cancel", 210, 70, 50, 14},
};
const DLGTEMPLATE_TABLE kSpheroidTemplate = {IDD_SPHEROID_EDITOR,
                                     "Spheroid",
                                     "MS Shell Dlg",
                                     8,
                                     0,
                                     0,
                                     267,
                                     91,
                                     DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION |
                                         WS_SYSMENU,
                                     0,
                                     kSpheroidItems,
                                     AFX_DLGITEM_COUNT(kSpheroidItems)};
const CDialogTemplateRegistrar registerSpheroidTemplate(&kSpheroidTemplate);

// Some table rows store their qualifier already in brackets ("(Hayford 1910)"): those are shown
// as they stand, not bracketed twice.
CString Caption(const CString& name, const CString& country)
{
    if (country.IsEmpty())
        return name;
    if (country[0] == '(')
        return name + " " + country;
    return name + " (" + country + ")";
}
} // namespace

CSpheroidEditor::CSpheroidEditor(CWnd* pParent) : CDialog(IDD_SPHEROID_EDITOR, pParent) {}
CSpheroidEditor::~CSpheroidEditor() = default;

void CSpheroidEditor::FindSpheroidFiles(CStringArray& paths)
{
    paths.RemoveAll();
    CString folder;
    if (!GetGlobalDataFolder(folder))
        return;
    CFileFind finder;
    BOOL more = finder.FindFile(folder + "*.SPD");
    while (more)
    {
        more = finder.FindNextFile();
        if (!finder.IsDirectory() && !finder.IsDots())
            paths.Add(finder.GetFilePath());
    }
}

// Writer and reader side by side.
bool CSpheroidEditor::SaveType(int type)
{
    return CConfigFile::WriteSettingsFile(kTypeFile, [&](CConfigFile& file) { file.WriteInt("Type", type); });
}

int CSpheroidEditor::GetSavedType()
{
    int type = CSpheroid::WGS84_ROW;
    CConfigFile::ReadSettingsFile(kTypeFile,
                                  [&](CConfigFile& file) { type = file.ReadInt(CSpheroid::WGS84_ROW); });
    return type < 0 ? CSpheroid::WGS84_ROW : type;
}

bool CSpheroidEditor::SelectType(CSpheroid& spheroid, int type)
{
    if (type >= 0 && type < CSpheroid::TABLE_ROWS)
        return spheroid.SetFromTable(type);
    CStringArray files;
    FindSpheroidFiles(files);
    const INT_PTR file = type - (CSpheroid::TABLE_ROWS - 1) - 1;
    if (file >= 0 && file < files.GetSize() && spheroid.LoadFile(files[file]))
        return true;
    spheroid.SetFromTable(CSpheroid::WGS84_ROW);
    return false;
}

BOOL CSpheroidEditor::OnInitDialog()
{
    CDialog::OnInitDialog();
    FindSpheroidFiles(m_files);
    CComboBox* list = &m_wndList;
    for (int row = 0; row < CSpheroid::TABLE_ROWS; ++row)
    {
        const SpheroidTableRow& r = CSpheroid::TableRow(row);
        list->AddString(Caption(r.name, r.qualifier));
    }
    for (INT_PTR i = 0; i < m_files.GetSize(); ++i)
    {
        CSpheroid s;
        s.LoadFile(m_files[i]);
        list->AddString(Caption(s.m_Name, s.m_Country) + " [" + s.m_FileName + "]");
    }
    // The saved type when it still names the saved spheroid, else the first of that name.
    CSpheroid current;
    current.LoadSettings();
    int selection = -1;
    const int saved = GetSavedType();
    CSpheroid candidate;
    if (saved < list->GetCount() && SelectType(candidate, saved) && candidate.IsSame(current))
        selection = saved;
    for (int i = 0; selection < 0 && i < list->GetCount(); ++i)
        if (SelectType(candidate, i) && candidate.IsSame(current))
            selection = i;
    list->SetCurSel(selection < 0 ? CSpheroid::WGS84_ROW : selection);
    ShowDetails();
    return TRUE;
}

void CSpheroidEditor::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TERRALIN_LIST, m_wndList);
}

void CSpheroidEditor::OnSelectionChanged()
{
    ShowDetails();
}

void CSpheroidEditor::ShowDetails()
{
    const int selection = m_wndList.GetCurSel();
    CSpheroid s;
    SelectType(s, selection);
    CString line;
    line.Format("Semi-major axis: %.4lf m", s.m_SemiMajor);
    SetDlgItemText(IDC_TERRALIN_DETAILS_1, line);
    line.Format("Semi-minor axis: %.4lf m", s.m_SemiMinor);
    SetDlgItemText(IDC_TERRALIN_DETAILS_2, line);
    line.Format("Inverse flattening: %.9lf", s.m_InverseFlattening);
    SetDlgItemText(IDC_TERRALIN_DETAILS_3, line);
}

void CSpheroidEditor::OnOK()
{
    const int selection = m_wndList.GetCurSel();
    if (selection < 0)
        return;
    CSpheroid s;
    if (!SelectType(s, selection))
    {
        ErrorMessage("The spheroid file could not be read.", this);
        return;
    }
    if (!s.SaveSettings() || !SaveType(selection))
    {
        ErrorMessage("The spheroid could not be saved.", this);
        return;
    }
    m_nType = selection;
    EndDialog(IDOK);
    PostGeodeticUpdate(m_pParentWnd);
}

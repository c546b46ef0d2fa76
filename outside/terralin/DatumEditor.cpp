#include "outside/terralin/DatumEditor.h"

#include "foundation/ConfigFile.h"
#include "geodesy/Datum.h"
#include "geodesy/GlobalFolder.h"
#include "platform/core/FileFind.h"
#include "outside/notifex/Notifex.h"
#include "outside/terralin/EditorSupport.h"
#include "outside/terralin/TerralinResources.h"

#include <memory>

IMPLEMENT_DYNAMIC(CDatumEditor, CDialog)

BEGIN_MESSAGE_MAP(CDatumEditor, CDialog)
ON_CBN_SELCHANGE(IDC_TERRALIN_LIST, &CDatumEditor::OnMethodChanged)
ON_CBN_SELCHANGE(IDC_TERRALIN_ENTRY, &CDatumEditor::OnEntryChanged)
ON_BN_CLICKED(IDC_TERRALIN_OPTION, &CDatumEditor::OnEntryChanged)
END_MESSAGE_MAP()

namespace
{
const char* const kMethodNames[CDatum::METHOD_COUNT] = {
    "None (Grid To Grid)",   "Helmert Transformation", "OSTN Grid Shift",      "Norwegian Transformation",
    "NADCON Grid Shift",     "NTv2 Grid Shift",        "Grid To Grid Helmert", "User Helmert File (DMF)",
    "User Shift File (GSF)", "User Grid File (GRD)"};
// No method has more sets or files than this.
constexpr int kMostEntries = 500;

constexpr ChoiceDialogItems kItems =
    MakeChoiceDialogItems("Method:", "Transformation:", "Reverse direction", 70, 230);
constexpr DLGTEMPLATE_TABLE kTemplate = MakeChoiceDialogTemplate(IDD_DATUM_EDITOR, "Datum", kItems);
const CDialogTemplateRegistrar registerTemplate(&kTemplate);

// The names of a set without setting it up where that would read a large grid.
CString EntryName(CDatum& datum, int method, int index, bool* exists)
{
    *exists = true;
    if (method == CDatum::METHOD_OSTN)
    {
        *exists = index == 0;
        return "OSTN02 to OSGB 36 (1km Squares)";
    }
    if (!datum.SetDatum(method, index, 1))
    {
        *exists = false;
        return CString();
    }
    CString name;
    if (method >= CDatum::METHOD_USER_HELMERT)
        name = datum.m_FileName + ": ";
    name += datum.m_FromName + " to " + datum.m_ToName;
    if (!datum.m_Region.IsEmpty())
        name += " (" + datum.m_Region + ")";
    return name;
}
} // namespace

CDatumEditor::CDatumEditor(CWnd* pParent) : CDialog(IDD_DATUM_EDITOR, pParent) {}
CDatumEditor::~CDatumEditor() = default;

const char* CDatumEditor::GetMethodName(int method)
{
    return (method >= 0 && method < CDatum::METHOD_COUNT) ? kMethodNames[method] : "";
}

// The reader of what CDatum::SaveSettings writes, in its order.
void CDatumEditor::LoadChoice(int& method, int& index, int& direction)
{
    method = CDatum::METHOD_HELMERT;
    direction = 1;
    index = 2;
    CConfigFile::ReadSettingsFile("Datum", [&](CConfigFile& file) {
        method = file.ReadInt(CDatum::METHOD_HELMERT);
        direction = file.ReadInt(1);
        index = file.ReadInt(2);
    });
    if (method < 0 || method >= CDatum::METHOD_COUNT)
        method = CDatum::METHOD_HELMERT;
    if (direction != -1)
        direction = 1;
}

void CDatumEditor::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    ExchangeChoiceControls(pDX, m_wndMethod, m_wndEntry, m_wndReverse);
}

BOOL CDatumEditor::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (const char* name : kMethodNames)
        m_wndMethod.AddString(name);
    int method, index, direction;
    LoadChoice(method, index, direction);
    m_wndMethod.SetCurSel(method);
    FillEntries(method);
    if (index >= 0 && index < m_wndEntry.GetCount())
        m_wndEntry.SetCurSel(index);
    m_wndReverse.SetCheck(direction == -1 ? BST_CHECKED : BST_UNCHECKED);
    ShowDetails();
    return TRUE;
}

void CDatumEditor::FillEntries(int method)
{
    m_wndEntry.ResetContent();
    auto datum = std::make_unique<CDatum>();
    if (method >= CDatum::METHOD_USER_HELMERT && method <= CDatum::METHOD_USER_GRID)
    {
        // Every file keeps its place, so the numbers stay those of the folder; one that does
        // not read is shown as such and cannot be chosen.
        static const char* const kExtensions[] = {"DMF", "GSF", "GRD"};
        CString folder;
        if (!GetGlobalDataFolder(folder))
            return;
        CFileFind finder;
        BOOL more = finder.FindFile(folder + "*." + kExtensions[method - CDatum::METHOD_USER_HELMERT]);
        int index = 0;
        while (more && index < kMostEntries)
        {
            more = finder.FindNextFile();
            if (finder.IsDirectory() || finder.IsDots())
                continue;
            bool exists = false;
            const CString name = EntryName(*datum, method, index++, &exists);
            m_wndEntry.AddString(exists ? name : finder.GetFileTitle() + ": (cannot be read)");
        }
    }
    else
    {
        for (int index = 0; index < kMostEntries; ++index)
        {
            bool exists = false;
            const CString name = EntryName(*datum, method, index, &exists);
            if (!exists)
                break;
            m_wndEntry.AddString(name);
        }
    }
    m_wndEntry.SetCurSel(m_wndEntry.GetCount() > 0 ? 0 : -1);
}

void CDatumEditor::ShowDetails()
{
    CString line1, line2, line3;
    const int method = m_wndMethod.GetCurSel(), index = m_wndEntry.GetCurSel();
    if (method >= 0 && index >= 0 && method != CDatum::METHOD_OSTN)
    {
        auto datum = std::make_unique<CDatum>();
        if (datum->SetDatum(method, index, m_wndReverse.GetCheck() == BST_CHECKED ? -1 : 1))
        {
            line1.Format("From %s to %s", datum->m_FromName.GetString(), datum->m_ToName.GetString());
            if (method == CDatum::METHOD_HELMERT || method == CDatum::METHOD_GRID_TO_GRID ||
                method == CDatum::METHOD_NORWAY || method == CDatum::METHOD_USER_HELMERT)
            {
                line2.Format("Tx %.3lf m  Ty %.3lf m  Tz %.3lf m", datum->m_Tx, datum->m_Ty, datum->m_Tz);
                line3.Format("Rx %.4lf\"  Ry %.4lf\"  Rz %.4lf\"  Scale %.4lf ppm", datum->m_Rx, datum->m_Ry,
                             datum->m_Rz, datum->m_Ds);
            }
            else
            {
                line2 = datum->m_Region;
            }
        }
        else
        {
            line1 = "This transformation cannot be set up.";
        }
    }
    ShowChoiceDetails(*this, line1, line2, line3);
}

void CDatumEditor::OnMethodChanged()
{
    FillEntries(m_wndMethod.GetCurSel());
    ShowDetails();
}

void CDatumEditor::OnEntryChanged()
{
    ShowDetails();
}

void CDatumEditor::OnOK()
{
    const int method = m_wndMethod.GetCurSel(), index = m_wndEntry.GetCurSel();
    const int direction = m_wndReverse.GetCheck() == BST_CHECKED ? -1 : 1;
    if (method < 0 || index < 0)
    {
        ErrorMessage("Choose a transformation first.", this);
        return;
    }
    auto datum = std::make_unique<CDatum>();
    // The OSTN grid is read by the program when it takes the datum; here only its place counts.
    const bool ok = method == CDatum::METHOD_OSTN ? index == 0 : datum->SetDatum(method, index, direction);
    if (!ok)
    {
        ErrorMessage("This transformation cannot be set up.", this);
        return;
    }
    datum->m_Method = method;
    datum->m_Index = index;
    datum->m_Direction = direction;
    if (!datum->SaveSettings())
    {
        ErrorMessage("The datum could not be saved.", this);
        return;
    }
    EndDialog(IDOK);
    PostGeodeticUpdate(m_pParentWnd);
}

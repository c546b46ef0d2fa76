#include "outside/terralin/ProjectionEditor.h"

#include "foundation/AngleFormat.h"
#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"
#include "outside/notifex/Notifex.h"
#include "outside/terralin/EditorSupport.h"
#include "outside/terralin/TerralinResources.h"

IMPLEMENT_DYNAMIC(CProjectionEditor, CDialog)

BEGIN_MESSAGE_MAP(CProjectionEditor, CDialog)
ON_CBN_SELCHANGE(IDC_TERRALIN_LIST, &CProjectionEditor::OnTypeChanged)
ON_CBN_SELCHANGE(IDC_TERRALIN_ENTRY, &CProjectionEditor::OnEntryChanged)
ON_BN_CLICKED(IDC_TERRALIN_OPTION, &CProjectionEditor::OnEntryChanged)
END_MESSAGE_MAP()

namespace
{
const char* const kTypeNames[CProjection::TYPE_COUNT] = {"Universal Transverse Mercator",
                                                         "Transverse Mercator (National Grids)",
                                                         "Gauss-Kruger",
                                                         "South African Lo System",
                                                         "US State Plane 1983 (Transverse Mercator)",
                                                         "Mercator",
                                                         "Lambert Conic Conformal",
                                                         "Cassini-Soldner",
                                                         "Guam Azimuthal Equidistant",
                                                         "Stereographic",
                                                         "American Polyconic",
                                                         "Oblique Mercator",
                                                         "US State Plane 1927",
                                                         "UTM with Regional Polynomial",
                                                         "Danish System 34"};
// Files of a type are counted after its table entries; no type lists more than this many.
constexpr int kMostFiles = 200;

constexpr ChoiceDialogItems kItems = MakeChoiceDialogItems("Type:", "Zone:", "Southern hemisphere", 60, 220);
constexpr DLGTEMPLATE_TABLE kTemplate = MakeChoiceDialogTemplate(IDD_PROJECTION_EDITOR, "Projection", kItems);
const CDialogTemplateRegistrar registerTemplate(&kTemplate);

CString Caption(const CProjection& p)
{
    return p.m_Country.IsEmpty() ? p.m_Name : p.m_Name + " " + p.m_Country;
}
} // namespace

CProjectionEditor::CProjectionEditor(CWnd* pParent) : CDialog(IDD_PROJECTION_EDITOR, pParent) {}
CProjectionEditor::~CProjectionEditor() = default;

const char* CProjectionEditor::GetTypeName(int type)
{
    return (type >= 0 && type < CProjection::TYPE_COUNT) ? kTypeNames[type] : "";
}

void CProjectionEditor::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    ExchangeChoiceControls(pDX, m_wndType, m_wndEntry, m_wndSouth);
}

BOOL CProjectionEditor::OnInitDialog()
{
    CDialog::OnInitDialog();
    CSpheroid spheroid;
    CProjection current;
    current.SetSpheroid(&spheroid);
    current.LoadSettings();

    // Only the types that have something to choose.
    for (int type = 0; type < CProjection::TYPE_COUNT; ++type)
    {
        CSpheroid s;
        CProjection probe;
        probe.SetSpheroid(&s);
        bool any = false;
        for (int zone = 0; !any && zone < CProjection::ZoneTableSize(type); ++zone)
            any = probe.SetZone(zone, type, 0);
        any = any || !CProjection::FindUserFile(type, CProjection::EntryCount(type)).IsEmpty();
        if (!any)
            continue;
        m_types.push_back(type);
        m_wndType.AddString(kTypeNames[type]);
    }
    int typeIndex = 0;
    for (size_t i = 0; i < m_types.size(); ++i)
        if (m_types[i] == current.m_DataType)
            typeIndex = static_cast<int>(i);
    m_wndType.SetCurSel(typeIndex);
    FillEntries(m_types.empty() ? 0 : m_types[static_cast<size_t>(typeIndex)]);
    // The saved zone or file, matched by name.
    int entry = 0;
    for (size_t i = 0; i < m_entries.size(); ++i)
    {
        CString text;
        m_wndEntry.GetLBText(static_cast<int>(i), text);
        if (text.Find(current.m_Name) == 0 &&
            (current.m_DataType != 0 || m_entries[i].zone == current.m_Zone))
        {
            entry = static_cast<int>(i);
            break;
        }
    }
    m_wndEntry.SetCurSel(entry);
    m_wndSouth.SetCheck(current.m_DataType == 0 && current.m_Method == 1 ? BST_CHECKED : BST_UNCHECKED);
    ShowDetails();
    return TRUE;
}

void CProjectionEditor::FillEntries(int type)
{
    m_entries.clear();
    m_wndEntry.ResetContent();
    CSpheroid s;
    CProjection probe;
    probe.SetSpheroid(&s);
    const int first = type == 0 ? 1 : 0;
    const int last = type == 0 ? 60 : CProjection::ZoneTableSize(type) - 1;
    for (int zone = first; zone <= last; ++zone)
        if (probe.SetZone(zone, type, 0))
        {
            m_entries.push_back({zone, CString()});
            m_wndEntry.AddString(Caption(probe));
        }
    for (int k = 0; k < kMostFiles; ++k)
    {
        const CString path = CProjection::FindUserFile(type, CProjection::EntryCount(type) + k);
        if (path.IsEmpty())
            break;
        CProjection file;
        file.SetSpheroid(&s);
        if (!file.LoadFile(path))
            continue;
        m_entries.push_back({-1, path});
        m_wndEntry.AddString(Caption(file) + " [" + file.m_FileName + "]");
    }
    m_wndEntry.SetCurSel(m_entries.empty() ? -1 : 0);
    m_wndSouth.EnableWindow(type == 0);
}

bool CProjectionEditor::MakeProjection(CProjection& projection) const
{
    const int typeIndex = m_wndType.GetCurSel();
    const int entry = m_wndEntry.GetCurSel();
    if (typeIndex < 0 || entry < 0 || static_cast<size_t>(entry) >= m_entries.size())
        return false;
    const int type = m_types[static_cast<size_t>(typeIndex)];
    const EntryDef& def = m_entries[static_cast<size_t>(entry)];
    if (def.zone < 0)
        return projection.LoadFile(def.path);
    const int method = (type == 0 && m_wndSouth.GetCheck() == BST_CHECKED) ? 1 : 0;
    return projection.SetZone(def.zone, type, method);
}

void CProjectionEditor::ShowDetails()
{
    CSpheroid spheroid;
    spheroid.LoadSettings();
    CProjection p;
    p.SetSpheroid(&spheroid);
    CString line1, line2, line3;
    if (MakeProjection(p))
    {
        line1.Format("Origin: %s, %s   Scale factor: %.10lf",
                     FormatAngle(p.m_OriginLatitude, ANGLE_LATITUDE, ANGLE_FORMAT_PREFERENCE).GetString(),
                     FormatAngle(p.m_OriginLongitude, ANGLE_LONGITUDE, ANGLE_FORMAT_PREFERENCE).GetString(),
                     p.m_ScaleFactor);
        line2.Format("False easting: %.3lf   False northing: %.3lf", p.m_FalseEasting, p.m_FalseNorthing);
        line3.Format("Spheroid: %s %s", spheroid.m_Name.GetString(), spheroid.m_Country.GetString());
        line3.TrimRight();
    }
    ShowChoiceDetails(*this, line1, line2, line3);
}

void CProjectionEditor::OnTypeChanged()
{
    const int typeIndex = m_wndType.GetCurSel();
    if (typeIndex >= 0)
        FillEntries(m_types[static_cast<size_t>(typeIndex)]);
    ShowDetails();
}

void CProjectionEditor::OnEntryChanged()
{
    ShowDetails();
}

void CProjectionEditor::OnOK()
{
    // The projection goes on the working spheroid, unless the grid brings its own.
    CSpheroid spheroid;
    spheroid.LoadSettings();
    CProjection projection;
    projection.SetSpheroid(&spheroid);
    if (!MakeProjection(projection))
    {
        ErrorMessage("The projection could not be set up.", this);
        return;
    }
    if (!projection.SaveSettings())
    {
        ErrorMessage("The projection could not be saved.", this);
        return;
    }
    EndDialog(IDOK);
    PostGeodeticUpdate(m_pParentWnd);
}

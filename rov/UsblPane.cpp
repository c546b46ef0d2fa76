#include "rov/UsblPane.h"

#include "foundation/ConfigFile.h"
#include "outside/panes/GroupProperty.h"
#include "outside/panes/PropertyGridButton.h"
#include "outside/panes/PropertyGridItems.h"
#include "platform/ui/Resources.h"
#include "rov/RovLibrary.h"
#include "survey/records/Usbl.h"

#include <cstring>

BEGIN_MESSAGE_MAP(CUsblPane, CRovGridPane)
ON_WM_TIMER()
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, &CUsblPane::OnPropertyChanged)
END_MESSAGE_MAP()

namespace
{
struct ROW_DEF
{
    const char* name;
    const char* format;
    bool shown;
};

// Rows 1 to 12 of a transponder's group: name, format, shown at first.
const ROW_DEF kRows[CUsblPane::ROW_COUNT - 1] = {
    {"Easting", "%12.2lfE", true},   {"Northing", "%12.2lfN", true}, {"X", "%+8.2lfm", false},
    {"Y", "%+8.2lfm", false},        {"Z", "%9.2lfm", false},        {"Quality", "%9.2lf", false},
    {"Heading", "%6.2lf\xB0T", true}, {"Pitch", "%+6.2lf", true},     {"Roll", "%+6.2lf", true},
    {"Heave", "%6.2lfm", true},      {"K.P.", "%12.4lf", true},      {"DCC", "%12.2lfm", true},
};

bool IsActive(const CUsbl& usbl, const CString& name)
{
    return name.CompareNoCase(usbl.m_ActiveTransponder) == 0;
}

void ShowActive(CMFCPropertyGridButton* button, bool active)
{
    if (button == nullptr)
        return;
    button->SetText(active ? "ACTIVE" : "Monitor");
    button->SetColour(active ? CUsblPane::ACTIVE_COLOUR : CUsblPane::MONITOR_COLOUR);
}

void ShowValue(CMFCPropertyGridProperty* row, bool shown, double value)
{
    if (row == nullptr)
        return;
    if (shown)
        if (auto* number = dynamic_cast<CMFCPropertyGridDouble*>(row))
            number->SetValue(value);
    if ((row->IsVisible() != FALSE) != shown)
        row->Show(shown ? TRUE : FALSE, FALSE);
}
} // namespace

int CUsblPane::Create(CWnd* pOwner, int nID, CUsbl* pUsbl, bool bAllowActivation)
{
    CString title;
    AfxLoadString(IDS_ROV_USBL_PANE, title);
    const BOOL created = CMyDockablePane::Create(pOwner, nID, title);
    if (created)
    {
        m_pUsbl = pUsbl;
        m_bAllowActivation = bAllowActivation;
        InitPropList();
        AdjustLayout();
    }
    return created;
}

void CUsblPane::InitPropList()
{
    if (m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    ClearPropList();
    SetVSDotNetLook(TRUE);
    m_Names.RemoveAll();
    if (m_pUsbl == nullptr)
        return;
    const CUsbl& usbl = *m_pUsbl;
    for (int i = 0; i < static_cast<int>(usbl.m_Transponders.GetSize()); ++i)
    {
        const CUsblTransponder* t = usbl.m_Transponders[i];
        const CString name = t != nullptr ? t->m_Name : CString();
        m_Names.Add(name);
        CString caption;
        caption.Format("Transponder : %s", static_cast<const char*>(name));
        auto* group = new CMFCGroupPropertyGridProperty(caption, i);
        auto* button = new CMFCPropertyGridButton(caption, "Monitor", "Activate Transponder ", static_cast<DWORD_PTR>(i));
        ShowActive(button, IsActive(usbl, name));
        group->AddSubItem(button);
        if (!m_bAllowActivation)
            button->Show(FALSE, FALSE);
        for (const ROW_DEF& def : kRows)
        {
            auto* row = new CMFCPropertyGridDouble(def.name, 0.0, def.format, nullptr, 0);
            row->AllowEdit(FALSE);
            row->SetLock(true);
            group->AddSubItem(row);
            if (!def.shown)
                row->Show(FALSE, FALSE);
        }
        m_wndPropList.AddProperty(group, FALSE, FALSE);
    }
    m_wndPropList.ExpandAll();
    m_wndPropList.AdjustLayout();
}

int CUsblPane::GetGroupCount() const
{
    return m_wndPropList.GetSafeHwnd() != nullptr ? m_wndPropList.GetPropertyCount() : 0;
}

CMFCGroupPropertyGridProperty* CUsblPane::GetGroup(int index) const
{
    if (index < 0 || index >= GetGroupCount())
        return nullptr;
    return dynamic_cast<CMFCGroupPropertyGridProperty*>(m_wndPropList.GetProperty(index));
}

CMFCPropertyGridProperty* CUsblPane::GetRow(int index, int row) const
{
    CMFCGroupPropertyGridProperty* group = GetGroup(index);
    if (group == nullptr || row < 0 || row >= group->GetSubItemsCount())
        return nullptr;
    return group->GetSubItem(row);
}

CMFCPropertyGridButton* CUsblPane::GetButton(int index) const
{
    return dynamic_cast<CMFCPropertyGridButton*>(GetRow(index, ROW_BUTTON));
}

bool CUsblPane::TransponderSetChanged() const
{
    const CUsbl& usbl = *m_pUsbl;
    const int count = static_cast<int>(usbl.m_Transponders.GetSize());
    if (count != static_cast<int>(m_Names.GetSize()))
        return true;
    for (int i = 0; i < count; ++i)
    {
        const CUsblTransponder* t = usbl.m_Transponders[i];
        const CString name = t != nullptr ? t->m_Name : CString();
        if (name.Compare(m_Names[i]) != 0)
            return true;
    }
    return false;
}

void CUsblPane::Update(int index)
{
    if (m_pUsbl == nullptr || m_pUsbl->m_Active != 1)
        return;
    const CUsbl& usbl = *m_pUsbl;
    const int count = static_cast<int>(usbl.m_Transponders.GetSize());
    if (index >= count || TransponderSetChanged())
        InitPropList();
    // A transponder the record does not hold has nothing to show.
    if (index < 0 || index >= count || m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    const CUsblTransponder* t = usbl.m_Transponders[index];
    if (t == nullptr || GetGroup(index) == nullptr)
        return;

    if (m_wndPropList.Trigger(index))
        SetTimer(TIMER_BASE + static_cast<UINT>(index), HIGHLIGHT_MS);

    if (t->m_PositionMode == USBL_POSITION_GRID)
    {
        ShowValue(GetRow(index, ROW_EASTING), true, t->m_Easting);
        ShowValue(GetRow(index, ROW_NORTHING), true, t->m_Northing);
        ShowValue(GetRow(index, ROW_X), false, 0.0);
        ShowValue(GetRow(index, ROW_Y), false, 0.0);
        ShowValue(GetRow(index, ROW_Z), false, 0.0);
    }
    else if (t->m_PositionMode == USBL_POSITION_RELATIVE)
    {
        ShowValue(GetRow(index, ROW_EASTING), false, 0.0);
        ShowValue(GetRow(index, ROW_NORTHING), false, 0.0);
        ShowValue(GetRow(index, ROW_X), true, t->m_X);
        ShowValue(GetRow(index, ROW_Y), true, t->m_Y);
        ShowValue(GetRow(index, ROW_Z), true, t->m_Z);
    }
    ShowValue(GetRow(index, ROW_QUALITY), t->m_Quality > 0.0, t->m_Quality);
    ShowValue(GetRow(index, ROW_HEADING), t->m_HeadingValid, t->m_Heading);
    ShowValue(GetRow(index, ROW_PITCH), t->m_AttitudeValid, t->m_Pitch);
    ShowValue(GetRow(index, ROW_ROLL), t->m_AttitudeValid, t->m_Roll);
    ShowValue(GetRow(index, ROW_HEAVE), t->m_Heave != 0.0, t->m_Heave);
    const CUsblReferenceLine* line = usbl.m_pReferenceLine;
    const bool alongLine = line != nullptr && line->m_InUse == 1 && !line->m_Name.IsEmpty() && line->m_PointCount >= 2;
    ShowValue(GetRow(index, ROW_KP), alongLine, t->m_Kp);
    ShowValue(GetRow(index, ROW_DCC), alongLine, t->m_Dcc);
    m_wndPropList.AdjustLayout();
}

void CUsblPane::OnTimer(UINT_PTR nIDEvent)
{
    if (m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    if (CMFCGroupPropertyGridProperty* group = GetGroup(static_cast<int>(nIDEvent) - static_cast<int>(TIMER_BASE)))
    {
        group->Clear();
        group->Redraw();
    }
    KillTimer(nIDEvent);
}

void CUsblPane::SetTimeout(int index)
{
    if (m_pUsbl == nullptr || index < 0 || index >= static_cast<int>(m_pUsbl->m_Transponders.GetSize()))
        return;
    if (CMFCGroupPropertyGridProperty* group = GetGroup(index))
    {
        group->Timeout(true);
        group->Redraw();
    }
}

void CUsblPane::ColourButtons()
{
    for (int i = 0; i < GetGroupCount(); ++i)
        if (CMFCPropertyGridButton* button = GetButton(i))
            ShowActive(button, i < static_cast<int>(m_Names.GetSize()) && IsActive(*m_pUsbl, m_Names[i]));
    m_wndPropList.Invalidate();
}

LRESULT CUsblPane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* button = dynamic_cast<CMFCPropertyGridButton*>(reinterpret_cast<CMFCPropertyGridProperty*>(lParam));
    if (button == nullptr || m_pUsbl == nullptr)
        return 0;
    CUsbl& usbl = *m_pUsbl;
    const DWORD_PTR i = button->GetData();
    if (i >= static_cast<DWORD_PTR>(m_Names.GetSize()) || i >= static_cast<DWORD_PTR>(usbl.m_Transponders.GetSize()))
        return 0;
    const CUsblTransponder* t = usbl.m_Transponders[static_cast<int>(i)];
    if (t == nullptr)
        return 0;
    usbl.m_ActiveTransponder = t->m_Name;
    WriteSettings(usbl);
    ColourButtons();
    return 0;
}

CString CUsblPane::SettingsName(const CString& name)
{
    CString safe = name;
    for (int i = 0; i < safe.GetLength(); ++i)
    {
        const unsigned char c = static_cast<unsigned char>(safe[i]);
        if (c < 0x20 || std::strchr("\\/:*?\"<>|", c) != nullptr)
            safe.SetAt(i, '_');
    }
    while (safe.Find("..") >= 0)
        safe.Replace("..", "__");
    return safe;
}

bool CUsblPane::WriteSettings(const CUsbl& usbl)
{
    const CString name = SettingsName(usbl.m_DeviceName);
    if (name.IsEmpty())
        return false;
    return CConfigFile::WriteSettingsFile(name, [&usbl](CConfigFile& file) {
        file.WriteBool("Active", usbl.m_Active != 0);
        file.WriteBool("Compute Checksum", usbl.m_VerifyChecksum != 0);
        file.WriteInt("Port No", usbl.m_PortNo);
        file.WriteInt("Timeout Interval", usbl.m_Limit);
        file.WriteText("Active Transponder", usbl.m_ActiveTransponder);
        file.WriteDouble("Alignment Error", usbl.m_AlignmentError, 3);
        file.WriteDouble("Scale Factor", usbl.m_ScaleFactor, 12);
        file.WriteDouble("Range Error", usbl.m_RangeError, 3);
        file.WriteBool("Binary Mode", usbl.m_BinaryMode);
        file.WriteBool("Hi Res Mode", usbl.m_HiResMode);
        file.WriteDouble("Minimum Z Reading", usbl.m_MinimumZ, 3);
        file.WriteDouble("Maximum Z Reading", usbl.m_MaximumZ, 3);
    });
}

// Out of line, so that the library exports them with the class.
CUsblPane::CUsblPane() = default;
CUsblPane::~CUsblPane() = default;

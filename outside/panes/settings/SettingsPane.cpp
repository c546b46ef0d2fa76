#include "outside/panes/settings/SettingsPane.h"

#include "foundation/AngleFormat.h"
#include "foundation/WindowMessages.h"
#include "outside/notifex/Notifex.h"
#include "outside/panes/settings/GridSettings.h"

#include <cstdlib>

IMPLEMENT_DYNAMIC(CSettingsPane, CDockablePane)

BEGIN_MESSAGE_MAP(CSettingsPane, CDockablePane)
ON_WM_SIZE()
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, &CSettingsPane::OnPropertyChanged)
END_MESSAGE_MAP()

namespace
{
constexpr UINT kGridId = 1;
constexpr int kMaxAngleDecimals = 9;
constexpr int kMaxGridDecimals = 6;
// An example angle of each kind, so the user sees what the notation looks like.
constexpr double kExampleBearing = 4.0 * 0.017453292519943 + 0.3;
constexpr double kExampleLatitude = 51.504305556 * 0.017453292519943;

const char* const kFormatNames[] = {"Degrees, Minutes and Seconds", "Degrees and Decimal Minutes",
                                    "Decimal Degrees", "Signed Decimal Degrees", "Gradians"};

CString FormatName(int format)
{
    return (format >= 0 && format < 5) ? kFormatNames[format] : kFormatNames[1];
}

int FormatFromName(const CString& name)
{
    for (int i = 0; i < 5; ++i)
        if (name == kFormatNames[i])
            return i;
    return 1;
}

CString Number(int value)
{
    CString text;
    text.Format("%d", value);
    return text;
}

// A list property of fixed choices.
CMFCPropertyGridProperty* MakeList(const char* name, const CString& value, const char* description,
                                   DWORD_PTR id)
{
    auto* prop = new CMFCPropertyGridProperty(name, COleVariant(value), description, id);
    prop->AllowEdit(FALSE);
    return prop;
}

CMFCPropertyGridProperty* MakeDecimals(const char* name, int value, int most, const char* description,
                                       DWORD_PTR id)
{
    CMFCPropertyGridProperty* prop = MakeList(name, Number(value), description, id);
    for (int i = 0; i <= most; ++i)
        prop->AddOption(Number(i));
    return prop;
}

CString ValueText(const CMFCPropertyGridProperty* prop)
{
    if (prop == nullptr)
        return CString();
    COleVariant value = prop->GetValue();
    value.ChangeType(VT_BSTR);
    return CString(value.bstrVal);
}
} // namespace

CSettingsPane::CSettingsPane() = default;
CSettingsPane::~CSettingsPane() = default;

BOOL CSettingsPane::Create(CWnd* pParent, int nID, unsigned long options)
{
    m_pOwner = pParent;
    m_options =
        (options & (SETTINGS_ANGLES | SETTINGS_GEOGRAPHICALS | SETTINGS_GRID)) ? options : SETTINGS_ALL;
    if (!CDockablePane::Create("Settings", pParent, CRect(0, 0, 240, 320), TRUE, static_cast<UINT>(nID),
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_RIGHT |
                                   CBRS_FLOAT_MULTI))
        return FALSE;
    if (!m_wndPropList.Create(WS_VISIBLE | WS_CHILD, CRect(0, 0, 240, 320), this, kGridId))
        return FALSE;
    m_wndPropList.SetOwner(this);
    m_wndPropList.EnableHeaderCtrl(FALSE);
    m_wndPropList.EnableDescriptionArea((m_options & SETTINGS_DESCRIPTION) != 0);
    m_wndPropList.SetVSDotNetLook();
    InitPropList();
    SetDaylightMode();
    return TRUE;
}

void CSettingsPane::InitPropList()
{
    m_wndPropList.RemoveAll();
    if (m_options & SETTINGS_ANGLES)
    {
        int format, decimals;
        LoadAngleSettings(format, decimals);
        auto* group = new CMFCPropertyGridProperty("Angles");
        CMFCPropertyGridProperty* prop = MakeList(
            "Format", FormatName(format), "How bearings and other angles are shown", ITEM_ANGLE_FORMAT);
        for (const char* name : kFormatNames)
            prop->AddOption(name);
        group->AddSubItem(prop);
        group->AddSubItem(MakeDecimals("Decimals", decimals, kMaxAngleDecimals,
                                       "Decimal places of the last unit shown", ITEM_ANGLE_DECIMALS));
        auto* example = new CMFCPropertyGridProperty("Example", COleVariant(""),
                                                     "A bearing as it will be shown", ITEM_ANGLE_EXAMPLE);
        example->AllowEdit(FALSE);
        example->Enable(FALSE);
        group->AddSubItem(example);
        m_wndPropList.AddProperty(group);
    }
    if (m_options & SETTINGS_GEOGRAPHICALS)
    {
        int format, decimals;
        char latitude, longitude;
        LoadGeographicalsSettings(format, decimals, latitude, longitude);
        auto* group = new CMFCPropertyGridProperty("Geographicals");
        CMFCPropertyGridProperty* prop = MakeList("Format", FormatName(format),
                                                  "How latitudes and longitudes are shown", ITEM_GEOG_FORMAT);
        for (const char* name : kFormatNames)
            prop->AddOption(name);
        group->AddSubItem(prop);
        group->AddSubItem(MakeDecimals("Decimals", decimals, kMaxAngleDecimals,
                                       "Decimal places of the last unit shown", ITEM_GEOG_DECIMALS));
        prop = MakeList("Default Latitude", CString(latitude == 'S' ? "S" : "N"),
                        "The hemisphere shown for a latitude of exactly zero", ITEM_GEOG_LATITUDE);
        prop->AddOption("N");
        prop->AddOption("S");
        group->AddSubItem(prop);
        prop = MakeList("Default Longitude", CString(longitude == 'W' ? "W" : "E"),
                        "The side shown for a longitude of exactly zero", ITEM_GEOG_LONGITUDE);
        prop->AddOption("E");
        prop->AddOption("W");
        group->AddSubItem(prop);
        auto* example = new CMFCPropertyGridProperty("Example", COleVariant(""),
                                                     "A latitude as it will be shown", ITEM_GEOG_EXAMPLE);
        example->AllowEdit(FALSE);
        example->Enable(FALSE);
        group->AddSubItem(example);
        m_wndPropList.AddProperty(group);
    }
    if (m_options & SETTINGS_GRID)
    {
        const GridSettingsDef grid = LoadGridSettings();
        auto* group = new CMFCPropertyGridProperty("Grid and Units");
        CMFCPropertyGridProperty* prop = MakeList("Units", GetUnitName(grid.Units),
                                                  "The unit distances are shown and typed in", ITEM_UNITS);
        for (int i = 0; i < GRID_UNITS_COUNT; ++i)
            prop->AddOption(GetUnitName(i));
        group->AddSubItem(prop);
        group->AddSubItem(MakeDecimals("Grid Decimals", grid.GridDecimals, kMaxGridDecimals,
                                       "Decimal places of eastings and northings", ITEM_GRID_DECIMALS));
        group->AddSubItem(MakeDecimals("Distance Decimals", grid.DistanceDecimals, kMaxGridDecimals,
                                       "Decimal places of distances", ITEM_DISTANCE_DECIMALS));
        m_wndPropList.AddProperty(group);
    }
    ShowExamples();
}

void CSettingsPane::ShowExamples()
{
    if (CMFCPropertyGridProperty* example = FindItem(ITEM_ANGLE_EXAMPLE))
        example->SetValue(
            COleVariant(FormatAngle(kExampleBearing, ANGLE_FULL_CIRCLE, ANGLE_FORMAT_PREFERENCE)));
    if (CMFCPropertyGridProperty* example = FindItem(ITEM_GEOG_EXAMPLE))
        example->SetValue(
            COleVariant(FormatAngle(kExampleLatitude, ANGLE_LATITUDE, ANGLE_FORMAT_PREFERENCE)));
    m_wndPropList.AdjustLayout();
}

void CSettingsPane::Reload()
{
    InitPropList();
}

bool CSettingsPane::SaveGroup(unsigned long group)
{
    switch (group)
    {
    case SETTINGS_ANGLES:
        return SaveAngleSettings(FormatFromName(ValueText(FindItem(ITEM_ANGLE_FORMAT))),
                                 std::atoi(ValueText(FindItem(ITEM_ANGLE_DECIMALS))));
    case SETTINGS_GEOGRAPHICALS:
        return SaveGeographicalsSettings(FormatFromName(ValueText(FindItem(ITEM_GEOG_FORMAT))),
                                         std::atoi(ValueText(FindItem(ITEM_GEOG_DECIMALS))),
                                         ValueText(FindItem(ITEM_GEOG_LATITUDE)) == "S" ? 'S' : 'N',
                                         ValueText(FindItem(ITEM_GEOG_LONGITUDE)) == "W" ? 'W' : 'E');
    case SETTINGS_GRID: {
        GridSettingsDef grid;
        const CString units = ValueText(FindItem(ITEM_UNITS));
        for (int i = 0; i < GRID_UNITS_COUNT; ++i)
            if (units == GetUnitName(i))
                grid.Units = i;
        grid.GridDecimals = std::atoi(ValueText(FindItem(ITEM_GRID_DECIMALS)));
        grid.DistanceDecimals = std::atoi(ValueText(FindItem(ITEM_DISTANCE_DECIMALS)));
        return SaveGridSettings(grid);
    }
    default:
        return false;
    }
}

LRESULT CSettingsPane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* prop = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    if (prop == nullptr)
        return 0;
    unsigned long group = 0;
    switch (prop->GetData())
    {
    case ITEM_ANGLE_FORMAT:
    case ITEM_ANGLE_DECIMALS:
        group = SETTINGS_ANGLES;
        break;
    case ITEM_GEOG_FORMAT:
    case ITEM_GEOG_DECIMALS:
    case ITEM_GEOG_LATITUDE:
    case ITEM_GEOG_LONGITUDE:
        group = SETTINGS_GEOGRAPHICALS;
        break;
    case ITEM_UNITS:
    case ITEM_GRID_DECIMALS:
    case ITEM_DISTANCE_DECIMALS:
        group = SETTINGS_GRID;
        break;
    default:
        return 0;
    }
    if (!SaveGroup(group))
    {
        // The file keeps the old settings; show them again so the pane does not claim a
        // change that was never made.
        ErrorMessage("The settings could not be saved.", this);
        InitPropList();
        return 0;
    }
    ShowExamples();
    Notify(group);
    return 0;
}

void CSettingsPane::Notify(unsigned long what)
{
    CWnd* target = m_pOwner != nullptr ? m_pOwner : AfxGetMainCWnd();
    if (target != nullptr && target->GetSafeHwnd() != nullptr)
        target->PostMessage(UM_SETTINGS_UPDATE, static_cast<WPARAM>(what), 0);
}

void CSettingsPane::OnSize(UINT nType, int cx, int cy)
{
    CDockablePane::OnSize(nType, cx, cy);
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.MoveWindow(0, 0, cx, cy);
}

void CSettingsPane::SetDaylightMode()
{
    SetNightMode(false);
}

void CSettingsPane::SetNightMode(bool bNight)
{
    m_wndPropList.SetNightMode(bNight);
    m_wndPropList.SetColourScheme(1);
}

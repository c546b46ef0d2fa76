#include "survey/TrainingPane.h"

#include "features/DesignRouteList.h"
#include "features/GridWaypointList.h"
#include "foundation/WindowMessages.h"
#include "outside/communication/ComPortProperty.h"
#include "outside/panes/PropertyGridDualButton.h"
#include "outside/panes/PropertyGridInteger.h"
#include "outside/panes/PropertyGridItems.h"
#include "outside/panes/units/AngleDouble.h"
#include "platform/io/WinSock.h"
#include "platform/ui/Wnd.h"
#include "survey/records/Training.h"

#include <cmath>
#include <cstdint>
#include <cstring>

IMPLEMENT_DYNAMIC(CTrainingPane, CSurveyPane)

BEGIN_MESSAGE_MAP(CTrainingPane, CSurveyPane)
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, &CTrainingPane::OnPropertyChanged)
END_MESSAGE_MAP()

const char* const CTrainingPane::m_HelicopterModeTxt[HELICOPTER_MODE_COUNT] = {"Not Used", "Route", "Circle",
                                                                               "Hover"};
const char* const CTrainingPane::m_TimeOfDayTxt[4] = {"Dawn", "Day", "Dusk", "Night"};
const char* const CTrainingPane::m_WindStateTxt[6] = {
    "0-1 Calm", "2-3 Light Breeze", "4 Moderate Breeze", "5 Fresh Breeze", "6 Strong Breeze", "7-8 Gale"};
const char CTrainingPane::NOT_SELECTED[] = "Not Selected";

namespace
{
const char kTitle[] = "Training";
const char kPortDescr[] = "Enter UDP Port Number";
const int kAngleDirection = 2; // degrees, shown as a full-circle bearing
const int kStopSentenceObjects[4] = {1, 10, 11, 12};

CMFCPropertyGridProperty* NewText(const char* name, const CString& value)
{
    auto* item = new CMFCPropertyGridProperty(name, COleVariant(value), nullptr, 0);
    item->AllowEdit(FALSE);
    return item;
}

// A list whose text is one of its options; fixed lists cannot be typed into.
CMFCPropertyGridProperty* NewList(const char* name, const CString& value, const char* const* options,
                                  int count, const char* descr, DWORD_PTR data, bool fixed)
{
    auto* item = new CMFCPropertyGridProperty(name, COleVariant(value), descr, data);
    for (int i = 0; i < count; ++i)
        item->AddOption(options[i], FALSE);
    item->AllowEdit(fixed ? FALSE : TRUE);
    return item;
}

CMFCPropertyGridInteger* NewInteger(const char* name, int value, const char* descr, DWORD_PTR data, int min,
                                    int max)
{
    auto* item = new CMFCPropertyGridInteger(name, value, descr, data);
    item->EnableSpinControl(TRUE, min, max);
    return item;
}

CMFCPropertyGridDouble* NewDisplay(const char* name, const char* format, const char* descr)
{
    auto* item = new CMFCPropertyGridDouble(name, 0.0, format, descr, 0);
    item->AllowEdit(FALSE);
    item->SetLock(true);
    return item;
}

CMFCPropertyGridDualButton* NewPlayControl(const char* descr, DWORD_PTR data)
{
    auto* item = new CMFCPropertyGridDualButton("", "Play", "Stop", descr, data);
    item->SetShowTwo(false);
    item->SetColourOne(CTrainingPane::PLAY_COLOUR);
    item->SetColourTwo(CTrainingPane::STOP_COLOUR);
    return item;
}

const char* Entry(const char* const* table, int count, int index)
{
    return index >= 0 && index < count ? table[index] : "";
}

CString Text(const CMFCPropertyGridProperty* item)
{
    return item->GetValue().ToText();
}

// The position of `text` among the item's options, compared exactly; -1 when none.
int OptionPosition(const CMFCPropertyGridProperty* item, const CString& text)
{
    for (int i = 0; i < item->GetOptionCount(); ++i)
        if (std::strcmp(item->GetOption(i), text) == 0)
            return i;
    return -1;
}

// A list's value set by the pane, not the user: not shown as modified.
void SetText(CMFCPropertyGridProperty* item, const CString& text)
{
    item->SetOriginalValue(COleVariant(text));
    item->SetValue(COleVariant(text));
}

void SetNumber(CMFCPropertyGridProperty* item, double value)
{
    if (auto* number = dynamic_cast<CMFCPropertyGridDouble*>(item))
        number->SetValue(value);
}

CString FileTitle(const CString& path)
{
    char drive[_MAX_DRIVE];
    char dir[_MAX_DIR];
    char fname[_MAX_FNAME];
    char ext[_MAX_EXT];
    if (_splitpath_s(path, drive, dir, fname, ext) != 0)
        return CString();
    return CString(fname);
}

CString IpText(uint32_t address)
{
    in_addr a{};
    a.s_addr = address;
    char text[INET_ADDRSTRLEN] = {};
    if (inet_ntop(AF_INET, &a, text, sizeof text) == nullptr)
        return CString();
    return CString(text);
}
} // namespace

CTrainingPane::CTrainingPane() : CSurveyPane(2, LAYOUT_SIZE_AND_MOVE) {}

CTrainingPane::~CTrainingPane() = default;

int CTrainingPane::Create(CWnd* pParent, int nID, CTraining* pTraining, CGridWaypointList* pWaypoints,
                          CDesignRouteList* pRoutes)
{
    return CreatePane(pParent, nID, kTitle, [this, pTraining, pWaypoints, pRoutes] {
        m_pTraining = pTraining;
        m_pWaypoints = pWaypoints;
        m_pRoutes = pRoutes;
    });
}

int CTrainingPane::DensityShown(float density)
{
    return static_cast<int>(std::lround(static_cast<double>(density) * 1000.0));
}

void CTrainingPane::InitPropList()
{
    if (m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    BeginPropList();
    m_wndPropList.EnableDescriptionArea(TRUE);
    m_wndPropList.MarkModifiedProperties(TRUE, TRUE);
    if (m_pTraining == nullptr)
        return;
    CTraining& t = *m_pTraining;

    auto* training = new CMFCPropertyGridProperty("Training");
    training->AddSubItem(new CMFCPropertyGridBool(
        "Use", t.m_Use, "Set Training mode when output of data to 3D Simulator", DATA_USE));
    m_wndPropList.AddProperty(training);

    auto* network = new CMFCPropertyGridProperty("Networking");
    network->AddSubItem(NewText("This Computer", t.m_ComputerName));
    network->AddSubItem(NewText("IP Address", IpText(t.m_IpAddress)));
    m_wndPropList.AddProperty(network);

    auto* navigation = new CMFCPropertyGridProperty("Navigation Output");
    navigation->AddSubItem(new CMFCPropertyComPortProperty(
        "Com Port", static_cast<unsigned short>(t.m_SerialPort), false, "Select Serial Port", DATA_COM_PORT));
    navigation->AddSubItem(
        NewInteger("UDP PORT", t.m_VesselPort, kPortDescr, DATA_NAVIGATION_PORT, 0, 10000));
    m_wndPropList.AddProperty(navigation);

    auto* environment = new CMFCPropertyGridProperty("Environment Output");
    environment->AddSubItem(NewInteger("UDP PORT", t.m_EnvironmentPort,
                                       "Enter UDP Port Number of send Environ", DATA_ENVIRONMENT_PORT, 0,
                                       10000));
    environment->AddSubItem(NewList("Time of Day", Entry(m_TimeOfDayTxt, 4, t.m_TimeOfDay), m_TimeOfDayTxt, 4,
                                    "Select the time of day", DATA_TIME_OF_DAY, false));
    environment->AddSubItem(new CMFCPropertyGridBool("Rain", t.m_Rain, "Turn Rain On and Off", DATA_RAIN));
    environment->AddSubItem(new CMFCPropertyGridBool("Fog", t.m_Fog, "Turn Fog On and Off", DATA_FOG));
    auto* density =
        NewInteger("Density", DensityShown(t.m_FogDensity), "Density of Fog", DATA_DENSITY, 10, 60);
    density->SetUnitStr("%");
    environment->AddSubItem(density);
    m_wndPropList.AddProperty(environment);

    auto* wind = new CMFCPropertyGridProperty("Wind");
    wind->AddSubItem(NewList("Beaufort Scale", Entry(m_WindStateTxt, 6, t.m_WindState), m_WindStateTxt, 6,
                             "Select the wind state based on Beaufort Scale", DATA_BEAUFORT, false));
    wind->AddSubItem(new CMFCPropertyGridAngleDouble("Direction", t.m_WindDirection, kAngleDirection,
                                                     "Direction of the Wind", DATA_WIND_DIRECTION));
    wind->AddSubItem(new CMFCPropertyGridDouble("Wave Frequency", t.m_WaveFrequency, "%5.2lf",
                                                "Enter the Frequency of the wave", DATA_WAVE_FREQUENCY));
    wind->AddSubItem(new CMFCPropertyGridDouble("Wave Speed", t.m_WaveSpeed, "%5.2lf",
                                                "Enter the Speed of the wave", DATA_WAVE_SPEED));
    wind->AddSubItem(NewInteger("No of Waves", t.m_NumberOfWaves, "Enter the Speed of the wave",
                                DATA_NUMBER_OF_WAVES, 1, 9999));
    m_wndPropList.AddProperty(wind);

    auto* heli = new CMFCPropertyGridProperty("Helicopter");
    heli->AddSubItem(NewList("Mode", Entry(m_HelicopterModeTxt, HELICOPTER_MODE_COUNT, t.m_HelicopterMode),
                             m_HelicopterModeTxt, HELICOPTER_MODE_COUNT,
                             "Select the mode on how the helicopter flies", DATA_HELICOPTER_MODE, false));
    heli->AddSubItem(NewList("Waypoint File", t.m_WaypointFileName, nullptr, 0, "Name of Waypoint File",
                             DATA_WAYPOINT_FILE, true));
    heli->AddSubItem(
        NewList("Waypoint ", t.m_WaypointName, nullptr, 0, "Name of Waypoint", DATA_WAYPOINT, true));
    heli->AddSubItem(NewDisplay("Easting", "%12.3lf",
                                "Enter the Easting of helicopter position for hover or centre of Circle"));
    heli->AddSubItem(NewDisplay("Northing", "%12.3lf",
                                "Enter the Northing of helicopter position for hover or centre of Circle"));
    heli->AddSubItem(NewDisplay("Height", "%7.2lfm", "Height of the Helicopter"));
    heli->AddSubItem(new CMFCPropertyGridDouble("Speed", t.m_HelicopterSpeed, "%5.2lfm/s",
                                                "Enter the speed of the helicopter", DATA_HELICOPTER_SPEED));
    heli->AddSubItem(NewDisplay("Radius", "%5.0lfm", "Enter the Radius of Circle helicopter to fly"));
    heli->AddSubItem(
        NewList("Route", t.m_HelicopterRouteName, nullptr, 0, "Name of Route", DATA_HELICOPTER_ROUTE, true));
    heli->AddSubItem(NewPlayControl("Start / Stop Helicopter Simulation", DATA_HELICOPTER_PLAY));
    m_wndPropList.AddProperty(heli);

    static const char* const vesselGroups[TRAINING_VESSELS] = {"Vessel One", "Vessel Two", "Vessel Three"};
    static const char* const vesselPlay[TRAINING_VESSELS] = {"Start / Stop Vessel One Simulation",
                                                             "Start / Stop Vessel Two Simulation",
                                                             "Start / Stop Vessel Three Simulation"};
    for (int v = 0; v < TRAINING_VESSELS; ++v)
    {
        auto* group = new CMFCPropertyGridProperty(vesselGroups[v]);
        group->AddSubItem(NewList("Route", t.m_Vessels[v].RouteName, nullptr, 0, "Name of Route",
                                  DATA_VESSEL_ONE_ROUTE + 2 * v, true));
        group->AddSubItem(NewPlayControl(vesselPlay[v], DATA_VESSEL_ONE_PLAY + 2 * v));
        m_wndPropList.AddProperty(group);
    }
    ShowHelicopterItems();
    UpdateComboBox();
}

CMFCPropertyGridProperty* CTrainingPane::GroupItem(int group, int item) const
{
    if (group < 0 || group >= m_wndPropList.GetPropertyCount())
        return nullptr;
    CMFCPropertyGridProperty* g = m_wndPropList.GetProperty(group);
    return g != nullptr && item >= 0 && item < g->GetSubItemsCount() ? g->GetSubItem(item) : nullptr;
}

void CTrainingPane::ShowHelicopterItems()
{
    if (m_pTraining == nullptr || GroupItem(GROUP_HELICOPTER, HELI_PLAY) == nullptr)
        return;
    const int mode = m_pTraining->m_HelicopterMode;
    const bool point = mode == HELICOPTER_CIRCLE || mode == HELICOPTER_HOVER;
    for (int i = HELI_WAYPOINT_FILE; i <= HELI_HEIGHT; ++i)
        GroupItem(GROUP_HELICOPTER, i)->Show(point ? TRUE : FALSE);
    GroupItem(GROUP_HELICOPTER, HELI_SPEED)->Show(mode == HELICOPTER_CIRCLE ? TRUE : FALSE);
    GroupItem(GROUP_HELICOPTER, HELI_RADIUS)->Show(mode == HELICOPTER_CIRCLE ? TRUE : FALSE);
    GroupItem(GROUP_HELICOPTER, HELI_ROUTE)->Show(mode == HELICOPTER_ROUTE ? TRUE : FALSE);
}

void CTrainingPane::UpdateComboBox()
{
    CMFCPropertyGridProperty* file = GroupItem(GROUP_HELICOPTER, HELI_WAYPOINT_FILE);
    if (m_pTraining == nullptr || file == nullptr)
        return;
    CTraining& t = *m_pTraining;

    file->RemoveAllOptions();
    file->AddOption(NOT_SELECTED, FALSE);
    int chosen = -1;
    for (INT_PTR i = 0; m_pWaypoints != nullptr && i < m_pWaypoints->GetSize(); ++i)
    {
        const CString title = FileTitle(m_pWaypoints->GetAt(i)->m_FilePath);
        file->AddOption(title, FALSE);
        if (chosen < 0 && !t.m_WaypointFileName.IsEmpty() && title == t.m_WaypointFileName)
            chosen = static_cast<int>(i);
    }
    if (chosen < 0)
    {
        t.m_WaypointFileName.Empty();
        SetText(file, NOT_SELECTED);
    }
    else
    {
        SetText(file, t.m_WaypointFileName);
    }

    UpdateWaypointComboBox();

    FillRouteList(GroupItem(GROUP_HELICOPTER, HELI_ROUTE), t.m_HelicopterRouteName, t.m_HelicopterRouteIndex);
    for (int v = 0; v < TRAINING_VESSELS; ++v)
        FillRouteList(GroupItem(GROUP_VESSEL_ONE + v, 0), t.m_Vessels[v].RouteName,
                      t.m_Vessels[v].RouteIndex);

    UpdateWaypoint();
}

void CTrainingPane::FillRouteList(CMFCPropertyGridProperty* item, CString& name, int32_t& index)
{
    if (item == nullptr)
        return;
    item->RemoveAllOptions();
    item->AddOption(NOT_SELECTED, FALSE);
    int match = -1;
    for (INT_PTR i = 0; m_pRoutes != nullptr && i < m_pRoutes->GetSize(); ++i)
    {
        const CString& title = m_pRoutes->GetAt(i)->m_Title;
        item->AddOption(title, FALSE);
        if (match < 0 && !name.IsEmpty() && title == name)
            match = static_cast<int>(i);
    }
    if (match < 0)
    {
        name.Empty();
        index = -1;
        SetText(item, NOT_SELECTED);
    }
    else
    {
        index = match;
        SetText(item, name);
    }
}

void CTrainingPane::UpdateWaypointComboBox()
{
    CMFCPropertyGridProperty* item = GroupItem(GROUP_HELICOPTER, HELI_WAYPOINT);
    if (m_pTraining == nullptr || item == nullptr)
        return;
    CTraining& t = *m_pTraining;
    item->RemoveAllOptions();
    item->AddOption(NOT_SELECTED, FALSE);
    bool found = false;
    const CGridWaypoint* file = nullptr;
    for (INT_PTR i = 0;
         m_pWaypoints != nullptr && !t.m_WaypointFileName.IsEmpty() && i < m_pWaypoints->GetSize(); ++i)
        if (FileTitle(m_pWaypoints->GetAt(i)->m_FilePath) == t.m_WaypointFileName)
        {
            file = m_pWaypoints->GetAt(i);
            break;
        }
    for (INT_PTR i = 0; file != nullptr && i < file->GetSize(); ++i)
    {
        const CString& name = file->GetAt(i).Name;
        item->AddOption(name, FALSE);
        found = found || (!t.m_WaypointName.IsEmpty() && name == t.m_WaypointName);
    }
    if (!found)
        t.m_WaypointName.Empty();
    SetText(item, found ? t.m_WaypointName : CString(NOT_SELECTED));
}

void CTrainingPane::UpdateWaypoint()
{
    if (m_pTraining == nullptr || GroupItem(GROUP_HELICOPTER, HELI_RADIUS) == nullptr)
        return;
    const CTraining& t = *m_pTraining;
    GridWaypointDef point{0.0, 0.0, 0.0, CString(), 0.0};
    for (INT_PTR i = 0; m_pWaypoints != nullptr && !t.m_WaypointName.IsEmpty() && i < m_pWaypoints->GetSize();
         ++i)
    {
        const CGridWaypoint* file = m_pWaypoints->GetAt(i);
        if (FileTitle(file->m_FilePath) != t.m_WaypointFileName)
            continue;
        for (INT_PTR p = 0; p < file->GetSize(); ++p)
            if (file->GetAt(p).Name == t.m_WaypointName)
            {
                point = file->GetAt(p);
                break;
            }
        break;
    }
    SetNumber(GroupItem(GROUP_HELICOPTER, HELI_EASTING), point.Easting);
    SetNumber(GroupItem(GROUP_HELICOPTER, HELI_NORTHING), point.Northing);
    SetNumber(GroupItem(GROUP_HELICOPTER, HELI_HEIGHT), point.Height);
    SetNumber(GroupItem(GROUP_HELICOPTER, HELI_RADIUS), point.Radius);
}

void CTrainingPane::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CWnd* main = AfxGetMainCWnd();
    if (main != nullptr && main->IsIconic())
        return;
    CSurveyPane::AdjustLayout();
}

void CTrainingPane::TakeRoute(CMFCPropertyGridProperty* item, CString& name, int32_t& index)
{
    name.Empty();
    index = -1;
    const CString text = Text(item);
    const int position = OptionPosition(item, text);
    if (position > 0)
    {
        name = text;
        index = position - 1;
    }
}

void CTrainingPane::Play(CMFCPropertyGridProperty* item, int32_t& runState, double& runClock, int object)
{
    auto* control = dynamic_cast<CMFCPropertyGridDualButton*>(item);
    if (control == nullptr)
        return;
    if (control->GetPressedButton() == 2)
    {
        runState = RUN_STOPPED;
        m_pTraining->SendStop(object);
        control->SetNameOne("Play");
        control->SetColourOne(PLAY_COLOUR);
        control->SetShowTwo(false);
        return;
    }
    if (control->GetPressedButton() != 1)
        return;
    if (runState == RUN_RUNNING)
    {
        runState = RUN_PAUSED;
        control->SetNameOne("Play");
        control->SetColourOne(PLAY_COLOUR);
        control->SetShowTwo(false);
        return;
    }
    if (runState == RUN_STOPPED)
        runClock = 0.0;
    runState = RUN_RUNNING;
    control->SetNameOne("Pause");
    control->SetColourOne(PAUSE_COLOUR);
    control->SetShowTwo(true);
}

LRESULT CTrainingPane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    if (item == nullptr || m_pTraining == nullptr)
        return 0;
    CTraining& t = *m_pTraining;
    const COleVariant& value = item->GetValue();
    const int data = static_cast<int>(item->GetData());
    switch (data)
    {
    case DATA_USE: {
        t.m_Use = value.boolVal != 0;
        t.SaveSettings();
        if (CWnd* main = AfxGetMainCWnd())
            main->PostMessage(UM_TRAINING, t.m_Use ? 1 : 0, 0);
        break;
    }
    case DATA_COM_PORT:
        if (auto* port = dynamic_cast<CMFCPropertyComPortProperty*>(item))
            t.m_SerialPort = port->GetPort();
        t.SaveSettings();
        break;
    case DATA_NAVIGATION_PORT:
        t.m_VesselPort = static_cast<int32_t>(value.lVal);
        if (t.m_NavigationSender.IsOpen())
            t.m_NavigationSender.Close();
        // Port 0 stands for no sender at all.
        if (t.m_pSenderOwner != nullptr && t.m_VesselPort != 0)
            t.m_NavigationSender.Open(static_cast<unsigned short>(t.m_VesselPort), t.m_pSenderOwner);
        t.SaveSettings();
        break;
    case DATA_ENVIRONMENT_PORT:
        t.m_EnvironmentPort = static_cast<int32_t>(value.lVal);
        t.SaveSettings();
        break;
    case DATA_TIME_OF_DAY: {
        const int position = OptionPosition(item, Text(item));
        if (position >= 0)
            t.m_TimeOfDay = position;
        t.SaveSettings();
        t.SendEnvironment();
        break;
    }
    case DATA_RAIN:
    case DATA_FOG:
        (data == DATA_RAIN ? t.m_Rain : t.m_Fog) = value.boolVal != 0;
        t.SaveSettings();
        t.SendEnvironment();
        break;
    case DATA_DENSITY:
        t.m_FogDensity = static_cast<float>(static_cast<int16_t>(value.lVal)) / 1000.0f;
        t.SaveSettings();
        t.SendEnvironment();
        break;
    case DATA_BEAUFORT: {
        const int position = OptionPosition(item, Text(item));
        if (position >= 0)
            t.SetWindState(position);
        else
        {
            t.SendWind();
            t.SendEnvironment();
        }
        break;
    }
    case DATA_WIND_DIRECTION:
        t.m_WindDirection = static_cast<float>(value.dblVal);
        t.SaveSettings();
        t.SendWind();
        break;
    case DATA_WAVE_FREQUENCY:
    case DATA_WAVE_SPEED:
        (data == DATA_WAVE_FREQUENCY ? t.m_WaveFrequency : t.m_WaveSpeed) = static_cast<float>(value.dblVal);
        t.SaveSettings();
        t.SendEnvironment();
        break;
    case DATA_NUMBER_OF_WAVES:
        t.m_NumberOfWaves = static_cast<int32_t>(value.lVal);
        t.SaveSettings();
        t.SendEnvironment();
        break;
    case DATA_HELICOPTER_MODE: {
        const int position = OptionPosition(item, Text(item));
        if (position >= 0)
            t.m_HelicopterMode = position;
        t.SaveSettings();
        ShowHelicopterItems();
        break;
    }
    case DATA_WAYPOINT_FILE:
    case DATA_WAYPOINT: {
        CString& name = data == DATA_WAYPOINT_FILE ? t.m_WaypointFileName : t.m_WaypointName;
        name.Empty();
        if (OptionPosition(item, Text(item)) > 0)
            name = Text(item);
        if (data == DATA_WAYPOINT_FILE)
            UpdateWaypointComboBox();
        UpdateWaypoint();
        t.SaveSettings();
        break;
    }
    case DATA_HELICOPTER_SPEED:
        t.m_HelicopterSpeed = value.dblVal;
        t.SaveSettings();
        break;
    case DATA_HELICOPTER_ROUTE:
        TakeRoute(item, t.m_HelicopterRouteName, t.m_HelicopterRouteIndex);
        t.SaveSettings();
        break;
    case DATA_VESSEL_ONE_ROUTE:
    case DATA_VESSEL_TWO_ROUTE:
    case DATA_VESSEL_THREE_ROUTE: {
        TrainingVesselDef& vessel = t.m_Vessels[(data - DATA_VESSEL_ONE_ROUTE) / 2];
        TakeRoute(item, vessel.RouteName, vessel.RouteIndex);
        t.SaveSettings();
        break;
    }
    case DATA_HELICOPTER_PLAY:
        Play(item, t.m_HelicopterRunState, t.m_HelicopterRunClock, kStopSentenceObjects[0]);
        break;
    case DATA_VESSEL_ONE_PLAY:
    case DATA_VESSEL_TWO_PLAY:
    case DATA_VESSEL_THREE_PLAY: {
        const int v = (data - DATA_VESSEL_ONE_PLAY) / 2;
        Play(item, t.m_Vessels[v].RunState, t.m_Vessels[v].RunClock, kStopSentenceObjects[v + 1]);
        break;
    }
    default:
        break;
    }
    return 0;
}

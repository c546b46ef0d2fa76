#include "rov/SpeedOfSoundInWaterPane.h"

#include "acoustic/engine/SpeedOfSoundInWater.h"
#include "foundation/PressureMode.h"
#include "foundation/SeawaterDensity.h"
#include "outside/panes/PropertyGridItems.h"
#include "outside/panes/units/AngleProperty.h"
#include "outside/panes/units/PressureModeProperty.h"
#include "outside/panes/units/TemperatureProperty.h"

#include <cfloat>
#include <cmath>
#include <cstring>

BEGIN_MESSAGE_MAP(CSpeedOfSoundInWaterPane, CRovGridPane)
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, &CSpeedOfSoundInWaterPane::OnPropertyChanged)
END_MESSAGE_MAP()

namespace
{
const char kTitle[] = "Speed of Sound in Water";
const char kSpacer[] = "   ";
const int kLatitudeType = 5; // the angle item's latitude: N or S, up to 90 degrees
const double kHalfPi = 1.57079632679489661923;

const char kBarFormat[] = "%8.2lf Bar";
const char kKgFormat[] = "%8.2lf Kg/Cm";

// Any unit other than bar is kilograms per square centimetre, for showing and for taking a
// typed value alike, so that what the user reads is what the user's number is taken as.
int PressureUnits()
{
    return LoadPressureMode() == PRESSURE_BAR ? PRESSURE_BAR : PRESSURE_KG_PER_CM2;
}

bool UsesPressure(int formula)
{
    return formula == SOUND_SPEED_CHEN_MILLERO || formula == SOUND_SPEED_DEL_GROSSO ||
           formula == SOUND_SPEED_WILSON;
}

// What the user's change may alter in the object, so that a point that cannot be completed
// (a depth beyond any sea, a ratio no water has) gives way to the one before it.
struct EngineState
{
    explicit EngineState(const CSpeedOfSoundInWater& s)
        : current(s.m_Current), latitude(s.m_Latitude), anomaly(s.m_GeopotentialAnomaly),
          pressureMode(s.m_PressureMode), salinityMode(s.m_SalinityMode)
    {
    }
    void RestoreTo(CSpeedOfSoundInWater& s) const
    {
        s.m_Current = current;
        s.m_Latitude = latitude;
        s.m_GeopotentialAnomaly = anomaly;
        s.m_PressureMode = pressureMode;
        s.m_SalinityMode = salinityMode;
    }
    ThermoclineDef current;
    double latitude;
    double anomaly;
    int pressureMode;
    int salinityMode;
};

bool IsWhole(const ThermoclineDef& c)
{
    return std::isfinite(c.Depth) && std::isfinite(c.PressureBar) && std::isfinite(c.PressureKg) &&
           std::isfinite(c.Temperature) && std::isfinite(c.Salinity) && std::isfinite(c.ConductivityRatio);
}

// A value of the water typed by the user, then the salinity or the conductivity ratio derived
// by the salinity mode it leaves in force. False when the point cannot be completed.
bool TakeWaterValue(CSpeedOfSoundInWater& sv, double& field, double value, int salinityMode)
{
    field = value;
    sv.m_SalinityMode = salinityMode;
    sv.ComputeSalinityOrConductivity();
    return IsWhole(sv.m_Current);
}

CMFCPropertyGridDouble* NewValue(const char* name, double value, const char* format, const char* descr,
                                 DWORD_PTR data, bool negativeRefused)
{
    auto* item = new CMFCPropertyGridDouble(name, value, format, descr, data);
    if (negativeRefused)
        item->SetMinimum(0.0);
    return item;
}

CMFCPropertyGridDouble* NewDisplay(const char* name, double value, const char* format, const char* descr)
{
    auto* item = new CMFCPropertyGridDouble(name, value, format, descr, 0);
    item->AllowEdit(FALSE);
    item->SetLock(true);
    return item;
}

void SetDouble(CMFCPropertyGridProperty* item, double value)
{
    if (auto* number = dynamic_cast<CMFCPropertyGridDouble*>(item))
        number->SetValue(value);
}
} // namespace

CSpeedOfSoundInWaterPane::CSpeedOfSoundInWaterPane() : m_pSpeedOfSound(std::make_unique<CSpeedOfSoundInWater>()) {}

CSpeedOfSoundInWaterPane::~CSpeedOfSoundInWaterPane() = default;

BOOL CSpeedOfSoundInWaterPane::Create(CWnd* pParentWnd, int nID)
{
    if (!CMyDockablePane::Create(pParentWnd, nID, kTitle))
        return FALSE;
    InitPropList();
    AdjustLayout();
    return TRUE;
}

void CSpeedOfSoundInWaterPane::InitPropList()
{
    if (m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    ClearPropList();
    CSpeedOfSoundInWater& sv = *m_pSpeedOfSound;
    // The speed shows from the first moment, as the row's starting value, not as a change.
    ComputeSpeed();
    const ThermoclineDef& c = sv.m_Current;
    const int units = PressureUnits();

    auto* group = new CMFCPropertyGridProperty("Location");
    group->AddSubItem(
        new CMFCPropertyGridAngleProperty("Latitude", sv.m_Latitude, kLatitudeType, "Enter Latitude", DATA_LATITUDE));
    group->AddSubItem(NewValue("Geopotential Anomaly", sv.m_GeopotentialAnomaly, "%8.2lf",
                               "Enter Geopotential Anomaly", DATA_ANOMALY, false));
    group->AddSubItem(new CMFCPropertyGridTitleProperty(kSpacer));
    group->AddSubItem(NewValue("Depth", c.Depth, "%8.2lf m", "Enter Water Depth", DATA_DEPTH, true));
    group->AddSubItem(new CMFCPropertyGridPressureModeProperty(DATA_PRESSURE_UNITS));
    group->AddSubItem(NewValue("Pressure", units == PRESSURE_BAR ? c.PressureBar : c.PressureKg,
                               units == PRESSURE_BAR ? kBarFormat : kKgFormat, "Enter Pressure", DATA_PRESSURE, true));
    group->AddSubItem(new CMFCPropertyGridTitleProperty(kSpacer));
    // Named for what it sets, beside "Pressure Units", so that no two rows share a name.
    auto* temperatureUnits = new CMFCPropertyGridTemperatureModeProperty(TEMPERATURE_CELSIUS, DATA_TEMPERATURE_UNITS);
    temperatureUnits->SetName("Temperature Units", FALSE);
    group->AddSubItem(temperatureUnits);
    group->AddSubItem(new CMFCPropertyGridTemperatureProperty("Temperature", c.Temperature, TEMPERATURE_CELSIUS,
                                                              "Enter Water Temperature", DATA_TEMPERATURE));
    // The density is in kilograms per cubic metre (about 1 027 for sea water).
    group->AddSubItem(NewDisplay("Density", SeawaterDensity(c.Temperature, c.Salinity), "%10.2lf kg/m\xB3", nullptr));
    group->AddSubItem(new CMFCPropertyGridTitleProperty(kSpacer));
    group->AddSubItem(
        NewValue("Salinity", c.Salinity, "%8.2lf ppt", "Enter Salinity of Sea Water", DATA_SALINITY, true));
    group->AddSubItem(
        NewValue("Conductivity", c.ConductivityRatio, "%10.6lf ratio", "Enter Conductivity", DATA_CONDUCTIVITY, true));
    group->AddSubItem(new CMFCPropertyGridTitleProperty(kSpacer));

    const bool known = sv.m_Formula >= 0 && sv.m_Formula < SOUND_SPEED_FORMULA_COUNT;
    auto* formula = new CMFCPropertyGridProperty(
        "Formula", COleVariant(known ? CSpeedOfSoundInWater::FormulaNames[sv.m_Formula] : ""),
        "Formula used to calculate the speed of sound in water", DATA_FORMULA);
    for (const char* name : CSpeedOfSoundInWater::FormulaNames)
        formula->AddOption(name);
    formula->AllowEdit(FALSE);
    group->AddSubItem(formula);
    group->AddSubItem(NewDisplay("Speed of Sound in Water", c.SpeedOfSound, "%8.2lf m/s",
                                 "The speed of sound in this water by the chosen formula"));
    m_wndPropList.AddProperty(group);

    Enable();
}

void CSpeedOfSoundInWaterPane::Update()
{
    if (m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    ComputeSpeed();
    CSpeedOfSoundInWater& sv = *m_pSpeedOfSound;
    const ThermoclineDef& c = sv.m_Current;

    if (auto* latitude = dynamic_cast<CMFCPropertyGridAngleProperty*>(m_wndPropList.FindItemByData(DATA_LATITUDE)))
        latitude->SetAngle(sv.m_Latitude);
    SetDouble(m_wndPropList.FindItemByData(DATA_ANOMALY), sv.m_GeopotentialAnomaly);
    SetDouble(m_wndPropList.FindItemByData(DATA_DEPTH), c.Depth);
    if (auto* pressure = dynamic_cast<CMFCPropertyGridDouble*>(m_wndPropList.FindItemByData(DATA_PRESSURE)))
    {
        const bool bar = PressureUnits() == PRESSURE_BAR;
        pressure->SetFormat(bar ? kBarFormat : kKgFormat);
        pressure->SetValue(bar ? c.PressureBar : c.PressureKg);
    }
    if (auto* temperature =
            dynamic_cast<CMFCPropertyGridTemperatureProperty*>(m_wndPropList.FindItemByData(DATA_TEMPERATURE)))
        temperature->SetCelsius(c.Temperature);
    // Display-only rows share the data word 0: they are found by their place in the group.
    CMFCPropertyGridProperty* group = m_wndPropList.GetProperty(0);
    if (group != nullptr)
    {
        SetDouble(group->GetSubItem(9), SeawaterDensity(c.Temperature, c.Salinity));
        SetDouble(group->GetSubItem(15), c.SpeedOfSound);
    }
    SetDouble(m_wndPropList.FindItemByData(DATA_SALINITY), c.Salinity);
    SetDouble(m_wndPropList.FindItemByData(DATA_CONDUCTIVITY), c.ConductivityRatio);
    if (CMFCPropertyGridProperty* formula = m_wndPropList.FindItemByData(DATA_FORMULA))
    {
        const bool known = sv.m_Formula >= 0 && sv.m_Formula < SOUND_SPEED_FORMULA_COUNT;
        formula->SetValue(COleVariant(known ? CSpeedOfSoundInWater::FormulaNames[sv.m_Formula] : ""));
    }
}

void CSpeedOfSoundInWaterPane::Enable()
{
    if (m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    const BOOL enable = UsesPressure(m_pSpeedOfSound->m_Formula) ? TRUE : FALSE;
    for (DWORD_PTR data : {DATA_LATITUDE, DATA_ANOMALY, DATA_PRESSURE})
        if (CMFCPropertyGridProperty* item = m_wndPropList.FindItemByData(data))
            item->Enable(enable);
}

void CSpeedOfSoundInWaterPane::SetLatitude(double dLatitude)
{
    if (!std::isfinite(dLatitude) || std::fabs(dLatitude) > kHalfPi)
        return;
    const EngineState before(*m_pSpeedOfSound);
    m_pSpeedOfSound->m_Latitude = dLatitude;
    if (!DeriveValues())
        before.RestoreTo(*m_pSpeedOfSound);
    Update();
}

void CSpeedOfSoundInWaterPane::SetGeog(tagXY position)
{
    if (position.y == DBL_MAX)
        return;
    SetLatitude(position.y);
}

void CSpeedOfSoundInWaterPane::UpdateGeographicals()
{
    if (m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    if (CMFCPropertyGridProperty* latitude = m_wndPropList.FindItemByData(DATA_LATITUDE))
        latitude->Redraw();
}

void CSpeedOfSoundInWaterPane::ComputeSpeed()
{
    CSpeedOfSoundInWater& sv = *m_pSpeedOfSound;
    ThermoclineDef& c = sv.m_Current;
    c.SpeedOfSound = CSpeedOfSoundInWater::SpeedOfSound(sv.m_Formula, c.Depth, c.PressureBar, c.PressureKg,
                                                        c.Temperature, c.Salinity, sv.m_Latitude);
}

bool CSpeedOfSoundInWaterPane::DeriveValues()
{
    CSpeedOfSoundInWater& sv = *m_pSpeedOfSound;
    sv.UpdateValues(PressureUnits());
    return IsWhole(sv.m_Current);
}

LRESULT CSpeedOfSoundInWaterPane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* prop = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    if (prop == nullptr)
        return 0;
    CSpeedOfSoundInWater& sv = *m_pSpeedOfSound;
    ThermoclineDef& c = sv.m_Current;
    const EngineState before(sv);
    const double value = prop->GetValue().dblVal;
    bool whole = true;
    switch (prop->GetData())
    {
    case DATA_LATITUDE:
        // The pressure or depth the user did not give depends on the latitude; derived again
        // here so that the rows never disagree with each other.
        sv.m_Latitude = value;
        whole = DeriveValues();
        break;
    case DATA_ANOMALY:
        sv.m_GeopotentialAnomaly = value;
        whole = DeriveValues();
        break;
    case DATA_DEPTH:
        c.Depth = value;
        sv.m_PressureMode = 0;
        whole = DeriveValues();
        break;
    case DATA_PRESSURE:
        if (PressureUnits() == PRESSURE_BAR)
            c.PressureBar = value;
        else
            c.PressureKg = value;
        sv.m_PressureMode = 1;
        whole = DeriveValues();
        break;
    case DATA_TEMPERATURE_UNITS:
        if (auto* temperature =
                dynamic_cast<CMFCPropertyGridTemperatureProperty*>(m_wndPropList.FindItemByData(DATA_TEMPERATURE)))
            temperature->Update(static_cast<int>(prop->GetValue().lVal));
        break;
    case DATA_TEMPERATURE:
        whole = TakeWaterValue(sv, c.Temperature, value, sv.m_SalinityMode);
        break;
    case DATA_SALINITY:
        whole = TakeWaterValue(sv, c.Salinity, value, 0);
        break;
    case DATA_CONDUCTIVITY:
        whole = TakeWaterValue(sv, c.ConductivityRatio, value, 1);
        break;
    case DATA_FORMULA:
    {
        const CString text = prop->GetValue().vt == VT_BSTR ? prop->GetValue().bstrVal : CString();
        for (int i = 0; i < prop->GetOptionCount(); ++i)
            if (std::strcmp(prop->GetOption(i), text) == 0)
                sv.m_Formula = i;
        Enable();
        break;
    }
    default:
        break;
    }
    if (!whole)
        before.RestoreTo(sv);
    Update();
    return 0;
}

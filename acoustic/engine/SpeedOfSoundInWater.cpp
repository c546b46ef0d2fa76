#include "acoustic/engine/SpeedOfSoundInWater.h"

#include "acoustic/engine/DateFolders.h"

#include "foundation/ConfigFile.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace
{
const char* const kSettingsName = "SpeedOfSoundInWater";
const double kNotComputed = 0.0;
const int kPressurePasses = 50;
const int kSalinitySteps = 10;
// The current point of a new object: temperate shelf water, 100 m down.
const double kStartTemperature = 5.0; // degrees C
const double kStartSalinity = 32.0;
const double kStartDepth = 100.0; // m
// The kilogram-force per square centimetre is a fixed unit: 1 kg under standard gravity,
// 9.80665 m/s2 (3rd General Conference on Weights and Measures, 1901), on 1 cm2, that is
// 0.980665 bar wherever the sea is. Local gravity would make it a different unit at every
// latitude (half a per cent apart between equator and pole: 0.24 m/s in Del Grosso at 5000 m).
const double kBarPerKgPerCm2 = 0.980665;
// One standard atmosphere, 101.325 kPa, in kg/cm2: the pressure at the sea surface.
const double kAtmosphereKgPerCm2 = 101.325 / 98.0665;

// ---- Practical Salinity Scale 1978 (UNESCO Technical Papers in Marine Science 44, 1983,
// Fofonoff and Millard, with the coefficients of Lewis and Perkin 1981). Temperatures on
// IPTS-68, pressure in dbar.
const double kA[6] = {0.0080, -0.1692, 25.3851, 14.0941, -7.0261, 2.7081};
const double kB[6] = {0.0005, -0.0056, -0.0066, -0.0375, 0.0636, -0.0144};
const double kK = 0.0162;

// rt: conductivity ratio of standard sea water (S = 35) at T to that at 15 degrees C.
double Rt35(double t)
{
    return (((1.0031e-9 * t - 6.9698e-7) * t + 1.104259e-4) * t + 2.00564e-2) * t + 0.6766097;
}
// The pressure correction Rp = 1 + Cp / (B + A R).
double Cp(double p)
{
    return ((3.989e-15 * p - 6.370e-10) * p + 2.070e-5) * p;
}
double Bt(double t)
{
    return (4.464e-4 * t + 3.426e-2) * t + 1.0;
}
double At(double t)
{
    return -3.107e-3 * t + 4.215e-1;
}
// Salinity of the square root x of the temperature-corrected ratio Rt.
double Sal(double x, double t)
{
    const double dt = t - 15.0;
    double a = 0.0, b = 0.0;
    for (int i = 5; i >= 0; --i)
    {
        a = a * x + kA[i];
        b = b * x + kB[i];
    }
    return a + dt / (1.0 + kK * dt) * b;
}
// dSal/dx.
double DSal(double x, double t)
{
    const double dt = t - 15.0;
    double a = 0.0, b = 0.0;
    for (int i = 5; i >= 1; --i)
    {
        a = a * x + i * kA[i];
        b = b * x + i * kB[i];
    }
    return a + dt / (1.0 + kK * dt) * b;
}

// ---- The eight formulas. s: salinity, t: degrees C.

// Chen and Millero 1977, J. Acoust. Soc. Am. 62, 1129, in the form of UNESCO Technical
// Papers in Marine Science 44 (1983), pressure in bar. Check value 1731.995 m/s at
// S = 40, T = 40, P = 1000 bar.
double ChenMillero(double s, double t, double p)
{
    const double sr = std::sqrt(std::fabs(s));
    const double d = 1.727e-3 - 7.9836e-6 * p;
    const double b1 = 7.3637e-5 + 1.7945e-7 * t;
    const double b0 = -1.922e-2 - 4.42e-5 * t;
    const double b = b0 + b1 * p;
    const double a3 = (-3.389e-13 * t + 6.649e-12) * t + 1.100e-10;
    const double a2 = ((7.988e-12 * t - 1.6002e-10) * t + 9.1041e-9) * t - 3.9064e-7;
    const double a1 = (((-2.0122e-10 * t + 1.0507e-8) * t - 6.4885e-8) * t - 1.2580e-5) * t + 9.4742e-5;
    const double a0 = (((-3.21e-8 * t + 2.006e-6) * t + 7.164e-5) * t - 1.262e-2) * t + 1.389;
    const double a = ((a3 * p + a2) * p + a1) * p + a0;
    const double c3 = (-2.3643e-12 * t + 3.8504e-10) * t - 9.7729e-9;
    const double c2 = (((1.0405e-12 * t - 2.5335e-10) * t + 2.5974e-8) * t - 1.7107e-6) * t + 3.1260e-5;
    const double c1 = (((-6.1185e-10 * t + 1.3621e-7) * t - 8.1788e-6) * t + 6.8982e-4) * t + 0.153563;
    const double c0 =
        ((((3.1464e-9 * t - 1.47800e-6) * t + 3.3420e-4) * t - 5.80852e-2) * t + 5.03711) * t + 1402.388;
    const double c = ((c3 * p + c2) * p + c1) * p + c0;
    return c + (a + b * sr + d * s) * s;
}

// Del Grosso 1974, "New equation for the speed of sound in natural waters (with comparisons
// to other equations)", J. Acoust. Soc. Am. 56, 1084 (the NRL II equation); pressure in
// kg/cm2 (gauge).
double DelGrosso(double s, double t, double p)
{
    const double ct = 0.5012285e1 * t - 0.551184e-1 * t * t + 0.221649e-3 * t * t * t;
    const double cs = 0.1329530e1 * s + 0.1288598e-3 * s * s;
    const double cp = 0.1560592 * p + 0.2449993e-4 * p * p - 0.8833959e-8 * p * p * p;
    const double cstp = -0.1275936e-1 * t * s + 0.6353509e-2 * t * p + 0.2656174e-7 * t * t * p * p -
                        0.1593895e-5 * t * p * p + 0.5222483e-9 * t * p * p * p -
                        0.4383615e-6 * t * t * t * p - 0.1616745e-8 * s * s * p * p +
                        0.9688441e-4 * s * t * t + 0.4857614e-5 * s * s * t * p - 0.3406824e-3 * s * t * p;
    return 1402.392 + ct + cs + cp + cstp;
}

// Leroy 1969, "Development of simple equations for accurate and more realistic calculation
// of the speed of sound in sea water", J. Acoust. Soc. Am. 46, 216 (the simple form); z in m.
double Leroy(double s, double t, double z)
{
    return 1492.9 + 3.0 * (t - 10.0) - 0.006 * (t - 10.0) * (t - 10.0) - 0.04 * (t - 18.0) * (t - 18.0) +
           1.2 * (s - 35.0) - 0.01 * (t - 18.0) * (s - 35.0) + z / 61.0;
}

// Mackenzie 1981, "Nine-term equation for sound speed in the oceans", J. Acoust. Soc. Am.
// 70, 807; z in m. Check value 1550.744 m/s at T = 25, S = 35, z = 1000 m.
double MacKenzie(double s, double t, double z)
{
    return 1448.96 + 4.591 * t - 5.304e-2 * t * t + 2.374e-4 * t * t * t + 1.340 * (s - 35.0) + 1.630e-2 * z +
           1.675e-7 * z * z - 1.025e-2 * t * (s - 35.0) - 7.139e-13 * t * z * z * z;
}

// Medwin 1975, "Speed of sound in water: a simple equation for realistic parameters",
// J. Acoust. Soc. Am. 58, 1318; z in m.
double Medwin(double s, double t, double z)
{
    return 1449.2 + 4.6 * t - 0.055 * t * t + 0.00029 * t * t * t + (1.34 - 0.01 * t) * (s - 35.0) +
           0.016 * z;
}

// Wilson, October 1960, "Equation for the speed of sound in sea water", J. Acoust. Soc. Am.
// 32(10), 1357 (the full equation); pressure in kg/cm2 absolute, 1 to 1000 as in the
// measurements it was fitted to (Wilson 1960, J. Acoust. Soc. Am. 32(6), 641, whose tables
// start at 1.033 kg/cm2, one atmosphere). Given gauge pressure, the surface reads 0.17 m/s low.
double Wilson(double s, double t, double p)
{
    const double ds = s - 35.0;
    const double vt = 4.5721 * t - 4.4532e-2 * t * t - 2.6045e-4 * t * t * t + 7.9851e-6 * t * t * t * t;
    const double vp = 1.60272e-1 * p + 1.0268e-5 * p * p + 3.5216e-9 * p * p * p - 3.3603e-12 * p * p * p * p;
    const double vs = 1.39799 * ds + 1.69202e-3 * ds * ds;
    const double vstp = ds * (-1.1244e-2 * t + 7.7711e-7 * t * t + 7.7016e-5 * p - 1.2943e-7 * p * p +
                              3.1580e-8 * p * t + 1.5790e-9 * p * t * t) +
                        p * (-1.8607e-4 * t + 7.4812e-6 * t * t + 4.5283e-8 * t * t * t) +
                        p * p * (-2.5294e-7 * t + 1.8563e-9 * t * t) + p * p * p * (-1.9646e-10 * t);
    return 1449.14 + vt + vp + vs + vstp;
}

// Wilson's October 1960 equation (J. Acoust. Soc. Am. 32(10), 1357) cut to its leading terms:
// its temperature polynomial whole (to T^4, whose 7.9851e-6 T^4 alone is 6.5 m/s at 30
// degrees), its first salinity term and salinity-temperature term, and for the pressure terms
// 0.01643 m/s a metre (its pressure coefficient 0.160272 per kg/cm2 times the 0.1025 kg/cm2
// that a metre of sea water adds). Within 0.4 m/s of the full equation for T -4..30, S 30..37,
// z 0..500 m.
double WilsonSimplified(double s, double t, double z)
{
    return 1449.14 + 4.5721 * t - 0.044532 * t * t - 0.00026045 * t * t * t + 7.9851e-6 * t * t * t * t +
           1.39799 * (s - 35.0) - 0.011244 * t * (s - 35.0) + 0.01643 * z;
}

// Woods 1949, "Soundings and the speed of sound in sea water"; z in m.
double Woods(double s, double t, double z)
{
    return 1410.0 + 4.21 * t - 0.037 * t * t + 1.14 * s + 0.018 * z;
}

// Strict number parsing for the settings lines: a damaged value keeps the default.
bool ParseInt(const CString& text, int* value)
{
    const char* begin = text;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(begin, &end, 10);
    while (end && (*end == ' ' || *end == '\t'))
        ++end;
    if (end == begin || *end != '\0' || errno != 0 || v < INT32_MIN || v > INT32_MAX)
        return false;
    *value = static_cast<int>(v);
    return true;
}

bool ParseDouble(const CString& text, double* value)
{
    const char* begin = text;
    char* end = nullptr;
    const double v = std::strtod(begin, &end);
    while (end && (*end == ' ' || *end == '\t'))
        ++end;
    if (end == begin || *end != '\0' || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

// The value after '=' of the next line; false at the end or without '='.
bool NextValue(CConfigFile& file, CString& value)
{
    // A line too long to be a value is skipped, never held whole.
    CString line;
    bool tooLong = false;
    if (!file.ReadSettingsLine(line, &tooLong) || tooLong)
        return false;
    if (!CConfigFile::ValueAfterEquals(line, value))
        return false;
    value.Trim();
    return true;
}

void MarkNotComputed(ThermoclineDef& record)
{
    record.SpeedOfSound = kNotComputed;
    record.MeanSpeed = kNotComputed;
}
} // namespace

const char* const CSpeedOfSoundInWater::FormulaNames[SOUND_SPEED_FORMULA_COUNT] = {
    "Chen & Millero (1977)",  "Del Grosso (1974)", "Leroy",       "MacKenzie (1981)", "Medwin (1975)",
    "Wilson (October 1960) ", "Wilson Simplified", "Woods (1949)"};

CSpeedOfSoundInWater::CSpeedOfSoundInWater()
{
    LoadSettings();
    // Every session starts from the same water, given by depth and salinity, whatever the last
    // session derived: the panes show a whole, consistent point before anything is typed.
    m_Current = ThermoclineDef{};
    m_Current.Temperature = kStartTemperature;
    m_Current.Salinity = kStartSalinity;
    m_Current.Depth = kStartDepth;
    m_SalinityMode = 0;
    m_PressureMode = 0;
    UpdateValues(PRESSURE_BAR);
    MarkNotComputed(m_Current);
    // The day's log folder is there before the first profile is written into it.
    GetThermoclineLogFolder();
}

void CSpeedOfSoundInWater::LoadSettings()
{
    m_Formula = 0;
    m_PressureMode = 0;
    m_SalinityMode = 0;
    m_GeopotentialAnomaly = 0.0;
    m_Latitude = 1.0;
    m_ProfileName = "Thermocline";
    CConfigFile::ReadSettingsFile(kSettingsName, [this](CConfigFile& file) {
        CString value;
        int n = 0;
        if (NextValue(file, value) && ParseInt(value, &n))
            m_Formula = n;
        if (NextValue(file, value) && ParseInt(value, &n) && (n == 0 || n == 1))
            m_PressureMode = n;
        if (NextValue(file, value) && ParseInt(value, &n) && (n == 0 || n == 1))
            m_SalinityMode = n;
        double d = 0.0;
        if (NextValue(file, value) && ParseDouble(value, &d))
            m_GeopotentialAnomaly = d;
        if (NextValue(file, value) && ParseDouble(value, &d))
            m_Latitude = d;
        m_ProfileName = file.ReadText("Thermocline");
    });
}

bool CSpeedOfSoundInWater::SaveSettings() const
{
    return CConfigFile::WriteSettingsFile(kSettingsName, [this](CConfigFile& file) {
        file.WriteInt("Formula", m_Formula);
        file.WriteInt("Pressure Mode", m_PressureMode);
        file.WriteInt("Salinity Mode", m_SalinityMode);
        file.WriteDouble("Geopotential Anomaly", m_GeopotentialAnomaly, 6);
        file.WriteDouble("Latitude", m_Latitude, 10);
        file.WriteText("Profile Name", m_ProfileName);
    });
}

// UNESCO Technical Papers in Marine Science 44 (Fofonoff and Millard 1983), the depth from
// pressure algorithm: gravity with latitude, and depth from pressure with its 1.092e-6 p
// correction for the mean increase of gravity with depth.
double CSpeedOfSoundInWater::Gravity(double latitude)
{
    const double x = std::sin(latitude) * std::sin(latitude);
    return 9.780318 * (1.0 + (5.2788e-3 + 2.36e-5 * x) * x);
}

double CSpeedOfSoundInWater::KgPerCm2FromBar(double bar)
{
    return bar / kBarPerKgPerCm2;
}

double CSpeedOfSoundInWater::BarFromKgPerCm2(double kg)
{
    return kg * kBarPerKgPerCm2;
}

double CSpeedOfSoundInWater::DepthFromPressure(double p, double latitude, double anomaly)
{
    const double depth = (((-1.82e-15 * p + 2.279e-10) * p - 2.2512e-5) * p + 9.72659) * p;
    return depth / (Gravity(latitude) + 1.092e-6 * p) + anomaly / 9.8;
}

double CSpeedOfSoundInWater::PressureFromDepth(double depth, double latitude, double anomaly)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    if (!std::isfinite(depth) || !std::isfinite(latitude) || !std::isfinite(anomaly))
        return nan;
    double pressure = depth / 10.0;
    double error = depth;
    for (int pass = 0; pass < kPressurePasses; ++pass)
    {
        pressure += error / 10.0;
        error = depth - DepthFromPressure(10.0 * pressure, latitude, anomaly);
        if (!std::isfinite(error))
            return nan;
        if (std::fabs(error) <= 1e-5)
            return pressure;
    }
    return nan;
}

double CSpeedOfSoundInWater::SalinityFromConductivity(double ratio, double temperature, double pressureBar)
{
    if (!(ratio > 5e-5))
        return 0.0;
    const double p = 10.0 * pressureBar;
    const double rp = 1.0 + Cp(p) / (Bt(temperature) + At(temperature) * ratio);
    const double rt = ratio / (rp * Rt35(temperature));
    return Sal(std::sqrt(std::fabs(rt)), temperature);
}

double CSpeedOfSoundInWater::ConductivityFromSalinity(double salinity, double temperature, double pressureBar)
{
    if (!(salinity > 0.02) || !std::isfinite(salinity) || !std::isfinite(temperature) ||
        !std::isfinite(pressureBar))
        return 0.0;
    // Newton steps in x = sqrt(Rt), from the ratio of standard sea water scaled to S.
    double x = std::sqrt(salinity / 35.0);
    bool settled = false;
    for (int step = 0; step < kSalinitySteps; ++step)
    {
        x += (salinity - Sal(x, temperature)) / DSal(x, temperature);
        if (std::fabs(Sal(x, temperature) - salinity) <= 1e-4)
        {
            settled = true;
            break;
        }
    }
    if (!settled)
        return 0.0;
    // R = Rt rt Rp(R): the pressure correction depends on R itself, which gives a quadratic.
    const double p = 10.0 * pressureBar;
    const double rtt = Rt35(temperature) * x * x;
    const double a = At(temperature);
    const double b = Bt(temperature) - rtt * a;
    const double c = rtt * (Cp(p) + Bt(temperature));
    return 0.5 * (std::sqrt(std::fabs(b * b + 4.0 * a * c)) - b) / a;
}

double CSpeedOfSoundInWater::SpeedOfSound(int formula, double depth, double pressureBar, double pressureKg,
                                          double temperature, double salinity, double /*latitude*/)
{
    switch (formula)
    {
    case SOUND_SPEED_CHEN_MILLERO:
        return ChenMillero(salinity, temperature, pressureBar);
    case SOUND_SPEED_DEL_GROSSO:
        return DelGrosso(salinity, temperature, pressureKg);
    case SOUND_SPEED_LEROY:
        return Leroy(salinity, temperature, depth);
    case SOUND_SPEED_MACKENZIE:
        return MacKenzie(salinity, temperature, depth);
    case SOUND_SPEED_MEDWIN:
        return Medwin(salinity, temperature, depth);
    case SOUND_SPEED_WILSON:
        return Wilson(salinity, temperature, pressureKg + kAtmosphereKgPerCm2);
    case SOUND_SPEED_WILSON_SIMPLIFIED:
        return WilsonSimplified(salinity, temperature, depth);
    case SOUND_SPEED_WOODS:
        return Woods(salinity, temperature, depth);
    default:
        return kNotComputed;
    }
}

bool CSpeedOfSoundInWater::ComputeRecord(ThermoclineDef& r, int pressureUnits) const
{
    if (m_PressureMode == 0)
    {
        r.PressureBar = PressureFromDepth(r.Depth, m_Latitude, m_GeopotentialAnomaly);
    }
    else
    {
        if (pressureUnits == PRESSURE_KG_PER_CM2)
            r.PressureBar = BarFromKgPerCm2(r.PressureKg);
        r.Depth = DepthFromPressure(10.0 * r.PressureBar, m_Latitude, m_GeopotentialAnomaly);
    }
    r.PressureKg = KgPerCm2FromBar(r.PressureBar);
    if (m_SalinityMode == 0)
        r.ConductivityRatio = ConductivityFromSalinity(r.Salinity, r.Temperature, r.PressureBar);
    else
        r.Salinity = SalinityFromConductivity(r.ConductivityRatio, r.Temperature, r.PressureBar);

    const double speed =
        SpeedOfSound(m_Formula, r.Depth, r.PressureBar, r.PressureKg, r.Temperature, r.Salinity, m_Latitude);
    if (!std::isfinite(r.Depth) || !std::isfinite(r.PressureBar) || !std::isfinite(r.Temperature) ||
        !std::isfinite(r.Salinity) || !std::isfinite(r.ConductivityRatio) || !std::isfinite(speed) ||
        speed == kNotComputed)
    {
        MarkNotComputed(r);
        return false;
    }
    r.SpeedOfSound = speed;
    return true;
}

bool CSpeedOfSoundInWater::UpdateValues(int pressureUnits)
{
    return ComputeRecord(m_Current, pressureUnits);
}

void CSpeedOfSoundInWater::ComputeSalinityOrConductivity()
{
    if (m_SalinityMode == 0)
        m_Current.ConductivityRatio =
            ConductivityFromSalinity(m_Current.Salinity, m_Current.Temperature, m_Current.PressureBar);
    else
        m_Current.Salinity = SalinityFromConductivity(m_Current.ConductivityRatio, m_Current.Temperature,
                                                      m_Current.PressureBar);
}

int CSpeedOfSoundInWater::ComputeProfile(int pressureUnits)
{
    int computed = 0;
    const ThermoclineDef* previous = nullptr;
    double thickness = 0.0;
    double integral = 0.0;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        ThermoclineDef& r = ElementAt(i);
        // The quantity the user gives must be there: salinity, or the ratio it comes from.
        const double given = m_SalinityMode == 0 ? r.Salinity : r.ConductivityRatio;
        if (!(r.Temperature > 0.0) || !(given > 0.0) || !ComputeRecord(r, pressureUnits))
        {
            MarkNotComputed(r);
            continue;
        }
        ++computed;
        if (!previous)
        {
            r.MeanSpeed = r.SpeedOfSound;
        }
        else if (!(r.Depth > previous->Depth))
        {
            r.MeanSpeed = kNotComputed;
        }
        else
        {
            const double layer = r.Depth - previous->Depth;
            thickness += layer;
            integral += (r.SpeedOfSound + previous->SpeedOfSound) / 2.0 * layer;
            r.MeanSpeed = integral / thickness;
        }
        previous = &r;
    }
    return computed;
}

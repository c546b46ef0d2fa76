#include "outside/deklino/DeklinoDlg.h"

#include "foundation/AngleFormat.h"
#include "foundation/ConfigFile.h"
#include "geodesy/AngleText.h"
#include "platform/core/Exception.h"
#include "outside/deklino/DeklinoResources.h"
#include "outside/deklino/MagVarText.h"
#include "platform/ui/MessageBox.h"

#include <cmath>
#include <cstdlib>

namespace
{
const char* const kSettingsName = "Magnetic Variation";
constexpr double kPi = 3.14159265358979323846;
// The model's own range of heights: from a kilometre below the ellipsoid to 850 km above.
constexpr double kLowestHeight = -1000.0;
constexpr double kHighestHeight = 850000.0;

// A typed latitude or longitude; false for a text with no number or beyond the type's limit.
bool ParsePositionText(const CString& text, int type, double& radians)
{
    return ReadAngleText(text, type, radians) == ANGLE_TEXT_READ;
}

bool ParseNumber(const CString& text, double& value)
{
    CString trimmed = text;
    trimmed.Trim();
    if (trimmed.IsEmpty())
        return false;
    const char* begin = trimmed;
    char* end = nullptr;
    value = std::strtod(begin, &end);
    return end != begin && *end == '\0' && std::isfinite(value);
}
} // namespace

BEGIN_MESSAGE_MAP(CDeklinoDlg, CDialog)
ON_BN_CLICKED(IDC_MV_CALCULATE, &CDeklinoDlg::OnCalculate)
END_MESSAGE_MAP()

CDeklinoDlg::CDeklinoDlg(CWnd* pParent)
    : CDialog(IDD_DEKLINO, pParent), m_Date(COleDateTime::GetCurrentTime())
{
    RegisterDeklinoTemplates();
}

BOOL CDeklinoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_Model = CMagneticModel::Installed();
    LoadPosition();
    SetDlgItemText(IDC_MV_LATITUDE, FormatAngle(m_dLatitude, ANGLE_LATITUDE, ANGLE_FORMAT_PREFERENCE));
    SetDlgItemText(IDC_MV_LONGITUDE, FormatAngle(m_dLongitude, ANGLE_LONGITUDE, ANGLE_FORMAT_PREFERENCE));
    CString height;
    height.Format("%.1lf", m_dHeight);
    SetDlgItemText(IDC_MV_HEIGHT, height);
    SetDlgItemText(IDC_MV_DATE,
                   m_Date.GetStatus() == COleDateTime::valid ? m_Date.Format("%d %b %Y") : CString());
    SetDlgItemText(IDC_MV_MODEL, MagVarModelText(m_Model));
    Calculate();
    return TRUE;
}

void CDeklinoDlg::OnOK()
{
    Calculate();
}

void CDeklinoDlg::OnCalculate()
{
    Calculate();
}

bool CDeklinoDlg::Calculate()
{
    CString latitudeText, longitudeText, heightText, dateText;
    GetDlgItemText(IDC_MV_LATITUDE, latitudeText);
    GetDlgItemText(IDC_MV_LONGITUDE, longitudeText);
    GetDlgItemText(IDC_MV_HEIGHT, heightText);
    GetDlgItemText(IDC_MV_DATE, dateText);

    double latitude = 0.0, longitude = 0.0, height = 0.0, year = 0.0;
    int badItem = 0;
    CString message;
    if (!ParsePositionText(latitudeText, ANGLE_LATITUDE, latitude))
    {
        badItem = IDC_MV_LATITUDE;
        message = "Please enter a latitude of 90\xB0 or less, north (N) or south (S).";
    }
    else if (!ParsePositionText(longitudeText, ANGLE_LONGITUDE, longitude))
    {
        badItem = IDC_MV_LONGITUDE;
        message = "Please enter a longitude of 180\xB0 or less, east (E) or west (W).";
    }
    else if (!ParseNumber(heightText, height) || height < kLowestHeight || height > kHighestHeight)
    {
        badItem = IDC_MV_HEIGHT;
        message = "Please enter a height between -1000 m and 850000 m above the ellipsoid.";
    }
    else if (!ParseDateText(dateText, year))
    {
        badItem = IDC_MV_DATE;
        message =
            "Please enter a date such as 10 Dec 2026, 2026-12-10, 10/12/2026 or the decimal year 2026.94.";
    }
    if (badItem != 0)
    {
        ClearField();
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        GotoDlgCtrl(GetDlgItem(badItem));
        return false;
    }

    m_dLatitude = latitude;
    m_dLongitude = longitude;
    m_dHeight = height;
    m_dYear = year;
    m_Field = m_Model.Compute(latitude, longitude, height, year);
    ShowField();
    SavePosition();
    return true;
}

void CDeklinoDlg::ShowField()
{
    const MagneticFieldDef& f = m_Field;
    SetDlgItemText(IDC_MV_DECLINATION, MagVarAngleText(f.dDeclination, 'E', 'W'));
    SetDlgItemText(IDC_MV_DECLINATION_RATE, MagVarRateText(f.dDeclinationRate, "E", "W"));
    SetDlgItemText(IDC_MV_INCLINATION, MagVarAngleText(f.dInclination, 0, 0));
    SetDlgItemText(IDC_MV_INCLINATION_RATE, MagVarRateText(f.dInclinationRate, nullptr, nullptr));
    SetDlgItemText(IDC_MV_HORIZONTAL, MagVarIntensityText(f.dHorizontal));
    SetDlgItemText(IDC_MV_HORIZONTAL_RATE, MagVarIntensityRateText(f.dHorizontalRate));
    SetDlgItemText(IDC_MV_TOTAL, MagVarIntensityText(f.dTotal));
    SetDlgItemText(IDC_MV_TOTAL_RATE, MagVarIntensityRateText(f.dTotalRate));
    SetDlgItemText(IDC_MV_NORTH, MagVarIntensityText(f.dNorth));
    SetDlgItemText(IDC_MV_NORTH_RATE, MagVarIntensityRateText(f.dNorthRate));
    SetDlgItemText(IDC_MV_EAST, MagVarIntensityText(f.dEast));
    SetDlgItemText(IDC_MV_EAST_RATE, MagVarIntensityRateText(f.dEastRate));
    SetDlgItemText(IDC_MV_DOWN, MagVarIntensityText(f.dDown));
    SetDlgItemText(IDC_MV_DOWN_RATE, MagVarIntensityRateText(f.dDownRate));
    SetDlgItemText(IDC_MV_GRID_VARIATION, MagVarAngleText(f.dGridVariation, 'E', 'W'));
    SetDlgItemText(IDC_MV_GRID, MagVarGridText(m_dLatitude, m_dLongitude));

    CString warning;
    if (!m_Model.IsValidYear(m_dYear))
        warning.Format("The date is outside the model's validity (%s to %s): the values are extrapolated "
                       "and may be in error.",
                       (LPCSTR)MagVarDateText(m_Model.GetValidFrom()),
                       (LPCSTR)MagVarDateText(m_Model.GetValidTo() - 1e-9));
    CString compass;
    if (f.dHorizontal < CMagneticModel::BLACKOUT_HORIZONTAL)
        compass = "The horizontal intensity is below 2000 nT: a magnetic compass is unreliable here.";
    else if (f.dHorizontal < CMagneticModel::CAUTION_HORIZONTAL)
        compass = "The horizontal intensity is below 6000 nT: compass readings may be in error here.";
    if (!compass.IsEmpty())
        warning += (warning.IsEmpty() ? "" : "\n") + compass;
    SetDlgItemText(IDC_MV_WARNING, warning);
}

void CDeklinoDlg::ClearField()
{
    static const int items[] = {
        IDC_MV_DECLINATION, IDC_MV_DECLINATION_RATE, IDC_MV_INCLINATION,    IDC_MV_INCLINATION_RATE,
        IDC_MV_HORIZONTAL,  IDC_MV_HORIZONTAL_RATE,  IDC_MV_TOTAL,          IDC_MV_TOTAL_RATE,
        IDC_MV_NORTH,       IDC_MV_NORTH_RATE,       IDC_MV_EAST,           IDC_MV_EAST_RATE,
        IDC_MV_DOWN,        IDC_MV_DOWN_RATE,        IDC_MV_GRID_VARIATION, IDC_MV_GRID,
        IDC_MV_WARNING};
    for (int id : items)
        SetDlgItemText(id, "");
}

bool CDeklinoDlg::ParseDateText(const char* text, double& decimalYear)
{
    CString trimmed = text ? text : "";
    trimmed.Trim();
    // A decimal year: digits with a point and nothing else.
    double value = 0.0;
    if (trimmed.Find('.') == 4 && ParseNumber(trimmed, value))
    {
        if (value < 1900.0 || value >= 2200.0)
            return false;
        decimalYear = value;
        return true;
    }
    COleDateTime date;
    if (!date.ParseDateTime(trimmed, VAR_DATEVALUEONLY) || date.GetStatus() != COleDateTime::valid)
        return false;
    const int year = date.GetYear();
    if (year < 1900 || year >= 2200)
        return false;
    decimalYear = CMagneticModel::DecimalYear(year, date.GetMonth(), date.GetDay());
    return decimalYear != 0.0;
}

void CDeklinoDlg::LoadPosition()
{
    CConfigFile::ReadSettingsFile(kSettingsName, [this](CConfigFile& file) {
        const double latitude = file.ReadDouble(0.0);
        const double longitude = file.ReadDouble(0.0);
        const double height = file.ReadDouble(0.0);
        // A hand-edited file must not put an impossible position in the edits.
        if (std::fabs(latitude) <= 90.0 && std::fabs(longitude) <= 180.0 && height >= kLowestHeight &&
            height <= kHighestHeight)
        {
            m_dLatitude = latitude * kPi / 180.0;
            m_dLongitude = longitude * kPi / 180.0;
            m_dHeight = height;
        }
    });
}

bool CDeklinoDlg::SavePosition() const
{
    // The old file stays whole: the new one replaces it only when closed.
    return CConfigFile::WriteSettingsFile(kSettingsName, [this](CConfigFile& file) {
        file.WriteDouble("Latitude", m_dLatitude * 180.0 / kPi, 9);
        file.WriteDouble("Longitude", m_dLongitude * 180.0 / kPi, 9);
        file.WriteDouble("Height", m_dHeight, 3);
    });
}

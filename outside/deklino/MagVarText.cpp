#include "outside/deklino/MagVarText.h"

#include "foundation/AngleFormat.h"
#include "geodesy/Projection.h"
#include "outside/deklino/MagneticModel.h"

#include <cmath>

namespace
{
constexpr double kHalfTurn = 3.14159265358979323846;
constexpr double kMinutesPerRadian = 60.0 * 180.0 / kHalfTurn;

// Decimals that show about a hundredth of a degree in each notation: the model is good to
// some tenths of a degree, so more would only look precise.
int ModelDecimals(int format)
{
    switch (format)
    {
    case ANGLE_FORMAT_DMS:
        return 0;
    case ANGLE_FORMAT_DM:
        return 1;
    default:
        return 2;
    }
}
} // namespace

CString MagVarAngleText(double radians, char positive, char negative)
{
    int format = ANGLE_FORMAT_DM, decimals = 0;
    LoadAngleSettings(format, decimals);
    CString text = FormatAngle(std::fabs(radians), ANGLE_SIGNED, format, ModelDecimals(format));
    // The size alone, without the signed type's sign or its leading zeros.
    text.TrimLeft("+-");
    while (text.GetLength() > 1 && text[0] == '0' && text[1] >= '0' && text[1] <= '9')
        text = text.Mid(1);
    const bool negativeSide =
        radians < 0.0 && text.SpanIncluding("0.\xB0' \"g").GetLength() != text.GetLength();
    if (positive != 0)
    {
        text += ' ';
        text += negativeSide ? negative : positive;
        return text;
    }
    return (negativeSide ? CString("-") : CString("+")) + text;
}

CString MagVarRateText(double radiansPerYear, const char* positive, const char* negative)
{
    const double minutes = radiansPerYear * kMinutesPerRadian;
    CString text;
    if (positive != nullptr)
        text.Format("%.1lf' %s per year", std::fabs(minutes), minutes < 0.0 ? negative : positive);
    else
        text.Format("%+.1lf' per year", minutes);
    return text;
}

CString MagVarIntensityText(double nanotesla)
{
    CString text;
    text.Format("%.1lf nT", nanotesla);
    return text;
}

CString MagVarIntensityRateText(double nanoteslaPerYear)
{
    CString text;
    text.Format("%+.1lf nT per year", nanoteslaPerYear);
    return text;
}

CString MagVarGridText(double latitude, double longitude)
{
    const double poleward = CMagneticModel::POLAR_GRID_LATITUDE * kHalfTurn / 180.0;
    if (latitude > poleward)
        return "UPS North";
    if (latitude < -poleward)
        return "UPS South";
    CString text;
    text.Format("UTM zone %d %c", CProjection::UtmZoneFromLongitude(longitude), latitude < 0.0 ? 'S' : 'N');
    return text;
}

CString MagVarDateText(double decimalYear)
{
    static const char* const months[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    int year = 0, month = 0, day = 0;
    CMagneticModel::DateOfDecimalYear(decimalYear, year, month, day);
    CString text;
    text.Format("%d %s %d", day, months[month - 1], year);
    return text;
}

CString MagVarValidityText(const CMagneticModel& model)
{
    // The last valid day is the one before the end year starts.
    return MagVarDateText(model.GetValidFrom()) + " to " + MagVarDateText(model.GetValidTo() - 1e-9);
}

CString MagVarModelText(const CMagneticModel& model)
{
    CString text;
    text.Format("World Magnetic Model %s (NOAA NCEI and BGS), valid %s", (LPCSTR)model.GetName(),
                (LPCSTR)MagVarValidityText(model));
    return text;
}

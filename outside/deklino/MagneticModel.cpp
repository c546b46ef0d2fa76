#include "outside/deklino/MagneticModel.h"

#include "foundation/Folders.h"
#include "geodesy/Projection.h"
#include "platform/core/Exception.h"
#include "platform/core/StdioFile.h"
#include "outside/deklino/Wmm2025.h"

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>

namespace
{
constexpr double kHalfTurnRadians = 3.14159265358979323846;
// WGS84, kilometres.
constexpr double kSemiMajorKm = 6378.137;
constexpr double kFlattening = 1.0 / 298.257223563;
constexpr double kE2 = kFlattening * (2.0 - kFlattening);
// The model's reference radius, kilometres.
constexpr double kReferenceRadiusKm = 6371.2;
// Coefficient files larger than this are no model of degree 12.
constexpr ULONGLONG kMaxCofBytes = 1 << 20;

constexpr int N = CMagneticModel::MAX_DEGREE;
using Table = double[N + 1][N + 1];

double Wrap(double angle)
{
    while (angle > kHalfTurnRadians)
        angle -= 2.0 * kHalfTurnRadians;
    while (angle < -kHalfTurnRadians)
        angle += 2.0 * kHalfTurnRadians;
    return angle;
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Schmidt semi-normalised associated Legendre functions P[n][m](cos theta) and their
// derivatives in theta, by the recursions that stay normalised at every step (so no factorial
// of degree 12 is ever formed).
void Legendre(double cosT, double sinT, int degree, Table& p, Table& dp)
{
    p[0][0] = 1.0;
    dp[0][0] = 0.0;
    if (degree < 1)
        return;
    p[1][0] = cosT;
    dp[1][0] = -sinT;
    p[1][1] = sinT;
    dp[1][1] = cosT;
    for (int n = 2; n <= degree; ++n)
    {
        const double diagonal = std::sqrt((2.0 * n - 1.0) / (2.0 * n));
        p[n][n] = diagonal * sinT * p[n - 1][n - 1];
        dp[n][n] = diagonal * (cosT * p[n - 1][n - 1] + sinT * dp[n - 1][n - 1]);
        const double next = std::sqrt(2.0 * n - 1.0);
        p[n][n - 1] = next * cosT * p[n - 1][n - 1];
        dp[n][n - 1] = next * (cosT * dp[n - 1][n - 1] - sinT * p[n - 1][n - 1]);
        for (int m = 0; m <= n - 2; ++m)
        {
            const double a = 2.0 * n - 1.0;
            const double b = std::sqrt(static_cast<double>((n - 1) * (n - 1) - m * m));
            const double c = std::sqrt(static_cast<double>(n * n - m * m));
            p[n][m] = (a * cosT * p[n - 1][m] - b * p[n - 2][m]) / c;
            dp[n][m] = (a * (cosT * dp[n - 1][m] - sinT * p[n - 1][m]) - b * dp[n - 2][m]) / c;
        }
    }
}

struct Vector
{
    double north;
    double east;
    double down;
};

// The geocentric north, east and down components of the field of one coefficient set (the
// main field, or its rates) from the potential's gradient.
Vector Synthesis(const Table& g, const Table& h, int degree, double ratio, double sinT, const Table& p,
                 const Table& dp, const double* cosM, const double* sinM)
{
    Vector v{0.0, 0.0, 0.0};
    double scale = ratio * ratio; // (a/r)^(n+2), n = 0
    for (int n = 1; n <= degree; ++n)
    {
        scale *= ratio;
        for (int m = 0; m <= n; ++m)
        {
            const double cosTerm = g[n][m] * cosM[m] + h[n][m] * sinM[m];
            const double sinTerm = g[n][m] * sinM[m] - h[n][m] * cosM[m];
            v.north += scale * cosTerm * dp[n][m];
            v.east += scale * m * sinTerm * p[n][m];
            v.down -= scale * (n + 1) * cosTerm * p[n][m];
        }
    }
    v.east /= sinT;
    return v;
}

// From the geocentric frame to the geodetic one: a turn about the east axis by the difference
// of the two latitudes.
Vector ToGeodetic(const Vector& v, double cosPsi, double sinPsi)
{
    return {v.north * cosPsi - v.down * sinPsi, v.east, v.north * sinPsi + v.down * cosPsi};
}

bool ReadNumber(std::istringstream& in, double& value)
{
    std::string token;
    if (!(in >> token))
        return false;
    const char* begin = token.c_str();
    char* end = nullptr;
    value = std::strtod(begin, &end);
    return end != begin && *end == '\0' && std::isfinite(value);
}
} // namespace

CMagneticModel::CMagneticModel()
{
    LoadBuiltIn();
}

void CMagneticModel::LoadBuiltIn()
{
    m_strName = WMM2025_NAME;
    m_strReleaseDate = WMM2025_RELEASE_DATE;
    m_dEpoch = WMM2025_EPOCH;
    m_nDegree = 0;
    for (const WMM_COEFFICIENT_ROW& row : g_Wmm2025)
    {
        m_g[row.n][row.m] = row.g;
        m_h[row.n][row.m] = row.h;
        m_gRate[row.n][row.m] = row.gRate;
        m_hRate[row.n][row.m] = row.hRate;
        if (row.n > m_nDegree)
            m_nDegree = row.n;
    }
}

CMagneticModel CMagneticModel::Installed()
{
    CMagneticModel model;
    CString path = GetSettingsFolder() + INSTALLED_COF_NAME;
    model.LoadCof(path);
    return model;
}

bool CMagneticModel::LoadCof(const char* path)
{
    if (path == nullptr || *path == '\0')
        return false;
    CString text;
    try
    {
        CStdioFile file;
        if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeText))
            return false;
        if (file.GetLength() > kMaxCofBytes)
            return false;
        CString line;
        while (file.ReadString(line))
        {
            text += line;
            text += '\n';
        }
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
    return ParseCof(text);
}

bool CMagneticModel::ParseCof(const char* text)
{
    if (text == nullptr)
        return false;
    std::istringstream lines(text);
    std::string line;
    // The header: epoch, name, release date.
    double epoch = 0.0;
    std::string name, released;
    bool header = false;
    while (!header && std::getline(lines, line))
    {
        std::istringstream fields(line);
        if (!(fields >> std::ws) || fields.eof())
            continue; // blank line
        if (!ReadNumber(fields, epoch) || !(fields >> name))
            return false;
        fields >> released;
        header = true;
    }
    if (!header || epoch < 1900.0 || epoch > 2200.0)
        return false;

    Table g = {}, h = {}, gRate = {}, hRate = {};
    bool seen[N + 1][N + 1] = {};
    int degree = 0;
    while (std::getline(lines, line))
    {
        std::istringstream fields(line);
        if (!(fields >> std::ws) || fields.eof())
            continue;
        if (line.find_first_not_of(" \t\r") != std::string::npos &&
            line.compare(line.find_first_not_of(" \t\r"), 4, "9999") == 0)
            break; // the end mark
        double values[6];
        for (double& value : values)
            if (!ReadNumber(fields, value))
                return false;
        std::string extra;
        if (fields >> extra)
            return false;
        const int n = static_cast<int>(values[0]);
        const int m = static_cast<int>(values[1]);
        if (values[0] != n || values[1] != m || n < 1 || n > N || m < 0 || m > n || seen[n][m])
            return false;
        seen[n][m] = true;
        g[n][m] = values[2];
        h[n][m] = values[3];
        gRate[n][m] = values[4];
        hRate[n][m] = values[5];
        if (n > degree)
            degree = n;
    }
    if (degree < 1)
        return false;
    for (int n = 1; n <= degree; ++n)
        for (int m = 0; m <= n; ++m)
            if (!seen[n][m])
                return false;

    m_strName = name.c_str();
    m_strReleaseDate = released.c_str();
    m_dEpoch = epoch;
    m_nDegree = degree;
    for (int n = 0; n <= N; ++n)
        for (int m = 0; m <= N; ++m)
        {
            m_g[n][m] = g[n][m];
            m_h[n][m] = h[n][m];
            m_gRate[n][m] = gRate[n][m];
            m_hRate[n][m] = hRate[n][m];
        }
    return true;
}

bool CMagneticModel::IsValidYear(double decimalYear) const
{
    return decimalYear >= GetValidFrom() && decimalYear < GetValidTo();
}

double CMagneticModel::GetG(int n, int m) const
{
    return n >= 0 && n <= m_nDegree && m >= 0 && m <= n ? m_g[n][m] : 0.0;
}

double CMagneticModel::GetH(int n, int m) const
{
    return n >= 0 && n <= m_nDegree && m >= 0 && m <= n ? m_h[n][m] : 0.0;
}

double CMagneticModel::GetGRate(int n, int m) const
{
    return n >= 0 && n <= m_nDegree && m >= 0 && m <= n ? m_gRate[n][m] : 0.0;
}

double CMagneticModel::GetHRate(int n, int m) const
{
    return n >= 0 && n <= m_nDegree && m >= 0 && m <= n ? m_hRate[n][m] : 0.0;
}

MagneticFieldDef CMagneticModel::Compute(double latitude, double longitude, double height,
                                         double decimalYear) const
{
    // Geodetic to geocentric spherical co-ordinates.
    const double heightKm = height / 1000.0;
    const double sinLat = std::sin(latitude);
    const double cosLat = std::cos(latitude);
    const double rc = kSemiMajorKm / std::sqrt(1.0 - kE2 * sinLat * sinLat);
    const double xp = (rc + heightKm) * cosLat;
    const double zp = (rc * (1.0 - kE2) + heightKm) * sinLat;
    const double r = std::sqrt(xp * xp + zp * zp);
    const double geocentricLatitude = std::atan2(zp, xp);

    // Colatitude kept off the poles, where the east component's 1/sin(theta) has only a limit:
    // the field there comes out as seen along the meridian of the given longitude.
    double theta = kHalfTurnRadians / 2.0 - geocentricLatitude;
    const double poleGap = 1e-9;
    if (theta < poleGap)
        theta = poleGap;
    else if (theta > kHalfTurnRadians - poleGap)
        theta = kHalfTurnRadians - poleGap;
    const double cosT = std::cos(theta);
    const double sinT = std::sin(theta);

    Table p = {}, dp = {};
    Legendre(cosT, sinT, m_nDegree, p, dp);
    double cosM[N + 1], sinM[N + 1];
    for (int m = 0; m <= N; ++m)
    {
        cosM[m] = std::cos(m * longitude);
        sinM[m] = std::sin(m * longitude);
    }

    const double dt = decimalYear - m_dEpoch;
    Table g = {}, h = {};
    for (int n = 1; n <= m_nDegree; ++n)
        for (int m = 0; m <= n; ++m)
        {
            g[n][m] = m_g[n][m] + dt * m_gRate[n][m];
            h[n][m] = m_h[n][m] + dt * m_hRate[n][m];
        }

    const double ratio = kReferenceRadiusKm / r;
    const double psi = (kHalfTurnRadians / 2.0 - theta) - latitude;
    const double cosPsi = std::cos(psi);
    const double sinPsi = std::sin(psi);
    const Vector field =
        ToGeodetic(Synthesis(g, h, m_nDegree, ratio, sinT, p, dp, cosM, sinM), cosPsi, sinPsi);
    const Vector rate =
        ToGeodetic(Synthesis(m_gRate, m_hRate, m_nDegree, ratio, sinT, p, dp, cosM, sinM), cosPsi, sinPsi);

    MagneticFieldDef result;
    result.dNorth = field.north;
    result.dEast = field.east;
    result.dDown = field.down;
    result.dHorizontal = std::hypot(field.north, field.east);
    result.dTotal = std::hypot(result.dHorizontal, field.down);
    result.dDeclination = std::atan2(field.east, field.north);
    result.dInclination = std::atan2(field.down, result.dHorizontal);
    result.dGridVariation = Wrap(result.dDeclination - GridConvergence(latitude, longitude));

    result.dNorthRate = rate.north;
    result.dEastRate = rate.east;
    result.dDownRate = rate.down;
    const double h2 = result.dHorizontal * result.dHorizontal;
    const double f2 = result.dTotal * result.dTotal;
    if (result.dHorizontal > 0.0)
    {
        result.dHorizontalRate = (field.north * rate.north + field.east * rate.east) / result.dHorizontal;
        result.dDeclinationRate = (field.north * rate.east - field.east * rate.north) / h2;
    }
    if (result.dTotal > 0.0)
    {
        result.dTotalRate =
            (field.north * rate.north + field.east * rate.east + field.down * rate.down) / result.dTotal;
        result.dInclinationRate = (result.dHorizontal * rate.down - field.down * result.dHorizontalRate) / f2;
    }
    return result;
}

double CMagneticModel::DecimalYear(int year, int month, int day)
{
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return 0.0;
    int dayOfYear = day;
    for (int m = 1; m < month; ++m)
        dayOfYear += DaysInMonth(year, m);
    return year + (dayOfYear - 1) / (IsLeapYear(year) ? 366.0 : 365.0);
}

void CMagneticModel::DateOfDecimalYear(double decimalYear, int& year, int& month, int& day)
{
    year = static_cast<int>(std::floor(decimalYear));
    const int daysInYear = IsLeapYear(year) ? 366 : 365;
    // A hair above the day's start so that DecimalYear's own values come back to their day.
    int dayOfYear = static_cast<int>(std::floor((decimalYear - year) * daysInYear + 1e-6)) + 1;
    if (dayOfYear > daysInYear)
        dayOfYear = daysInYear;
    month = 1;
    while (month < 12 && dayOfYear > DaysInMonth(year, month))
        dayOfYear -= DaysInMonth(year, month++);
    day = dayOfYear;
}

double CMagneticModel::GridConvergence(double latitude, double longitude)
{
    const double poleward = POLAR_GRID_LATITUDE * kHalfTurnRadians / 180.0;
    if (latitude > poleward)
        return Wrap(longitude);
    if (latitude < -poleward)
        return -Wrap(longitude);
    // Transverse Mercator convergence on the ellipsoid (the series of the Ordnance Survey's
    // and Snyder's forms, to the fifth power of the longitude difference).
    const int zone = CProjection::UtmZoneFromLongitude(Wrap(longitude));
    const double dl = Wrap(longitude - CProjection::UtmCentralLongitude(zone));
    const double sinLat = std::sin(latitude);
    const double cosLat = std::cos(latitude);
    const double tanLat = std::tan(latitude);
    const double eta2 = kE2 / (1.0 - kE2) * cosLat * cosLat;
    const double c2 = dl * dl * cosLat * cosLat;
    return dl * sinLat *
           (1.0 + c2 / 3.0 * (1.0 + 3.0 * eta2 + 2.0 * eta2 * eta2) +
            c2 * c2 / 15.0 * (2.0 - tanLat * tanLat));
}

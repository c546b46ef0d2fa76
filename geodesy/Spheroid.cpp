#include "geodesy/Spheroid.h"

#include "foundation/ConfigFile.h"
#include "foundation/FilePath.h"
#include "geodesy/GlobalFolder.h"
#include "geodesy/SinCos.h"
#include "geodesy/UserFile.h"
#include "platform/core/FileFind.h"

#include <cmath>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "user geodesy files hold little-endian doubles");

namespace
{
// a and b in metres as the rows store them; the six sphere rows carry 1/f = 1.0 with b = a.
const SpheroidTableRow kTable[CSpheroid::TABLE_ROWS] = {
    {7001, "Airy 1830", "OSGB", 6377563.39635, 6356256.91, 299.32497041446857},
    {7002, "Airy (modified 1849)", "The Grid", 6377340.189, 6356034.447938534, 299.3249646},
    {7003, "Reference 1967", "(Australian)", 6378160.0, 6356774.719195305, 298.25},
    {7004, "Bessel 1841", "Original", 6377397.155, 6356078.962818189, 299.1528128},
    {7005, "Bessel (modified)", "NGO", 6377492.0176, 6356173.508813586, 299.15281981},
    {7006, "Bessel (Namibia)", "", 6377483.865, 6356165.382966326, 299.1528128},
    {7007, "Clarke 1858", "", 6378293.645, 6356620.883718994, 294.3},
    {7008, "Clarke 1866 Spheroid", "", 6378206.4, 6356583.8, 294.9786982138982},
    {7009, "Clarke 1866 (Michigan)", "", 6378450.047548896, 6356826.621488444, 294.97869716467716},
    {7010, "Clarke 1880 (Benoit)", "", 6378300.789, 6356566.435, 293.4663155389811},
    {7011, "Clarke 1880 (IGN)", "", 6378249.2, 6356515.0, 293.4660212936269},
    {7012, "Clarke 1880 (RGS)", "", 6378249.145, 6356514.8695497755, 293.465},
    {7013, "Clarke 1880 (Arc)", "South African", 6378249.145, 6356514.966398753, 293.4663077},
    {7014, "Clarke 1880 (SGA 1922)", "", 6378249.2, 6356514.996941779, 293.46598},
    {7015, "Everest 1830 (1937 Adj)", "", 6377276.345, 6356075.41314024, 300.8017},
    {7016, "Everest 1830 (1967 Def)", "(East Malaysia)", 6377298.555679764, 6356097.549953267,
     300.8016995962373},
    {7018, "Everest 1830 (Modified)", "(West Malaysia)", 6377304.063110002, 6356103.039102791, 300.8017},
    {7019, "GRS80", "", 6378137.0, 6356752.314140356, 298.257222101},
    {7020, "Helmert 1906", "", 6378200.0, 6356818.169627891, 298.3},
    {7021, "National Spheroid", "Indonesian", 6378160.0, 6356774.50408554, 298.247},
    {7022, "International Spheroid", "(Hayford 1910)", 6378388.0, 6356911.9461279465, 297.0},
    {7024, "Krassowsky 1940", "", 6378245.0, 6356863.018773047, 298.3},
    {7025, "NWL 9D", "", 6378145.0, 6356759.769488684, 298.25},
    {7027, "Plessis 1817", "", 6376523.0, 6355862.933255573, 308.64},
    {7028, "Struve 1860", "", 6378297.0, 6356655.847080379, 294.73},
    {7029, "War Office", "", 6378300.583, 6356752.270219594, 296.0},
    {7030, "WGS84", "", 6378137.0, 6356752.314245179, 298.257223563},
    {7031, "GEM 10C", "", 6378137.0, 6356752.314245179, 298.257223563},
    {7032, "OSU86F", "Gravity Model", 6378136.2, 6356751.516927429, 298.257223563},
    {7033, "OSU91A", "Gravity Model", 6378136.3, 6356751.616592146, 298.257223563},
    {7034, "Clarke 1880 Spheroid", "", 6378249.2, 6356514.9243623605, 293.465},
    {7035, "Authalic", "Sphere", 6371000.0, 6371000.0, 1.0},
    {7036, "GRS 1967", "", 6378160.0, 6356774.516090714, 298.247167427},
    {7041, "Average Terrestrial System", "1977", 6378135.0, 6356750.304921594, 298.257},
    {7042, "Everest (1830 Definition)", "(India)", 6377299.370817111, 6356098.362380732, 300.8016995962437},
    {7043, "NWL 10D", "(WGS 1972)", 6378135.0, 6356750.520016094, 298.26},
    {7044, "Everest (NHO)", "(India & Pakistan)", 6377301.243, 6356100.230165384, 300.8017255},
    {7045, "Everest 1830 (1975 Def)", "India since metrication", 6377299.151, 6356098.145120132, 300.8017255},
    {7046, "Bessel (GLM)", "Namibia", 6377397.155, 6356078.962818189, 299.1528128},
    {7047, "Clarke 1866 (code 7008)", "Authalic Sphere", 6370997.0, 6370997.0, 1.0},
    {7048, "GRS 1980 (code 7019)", "Authalic Sphere", 6371007.0, 6371007.0, 1.0},
    {7049, "IAG 1975", "", 6378140.0, 6356755.288157528, 298.257},
    {7050, "SAD 1969", "(South American)", 6378160.0, 6356774.719195305, 298.25},
    // Stored projection files refer to this row by position, with these axes.
    {7051, "Danish Spheroid", "", 6378160.0, 6356774.719195305, 298.25},
    {7052, "Clarke 1866 (code 7008)", "Authalic Sphere", 6370997.0, 6370997.0, 1.0},
    {7053, "Hough 1960", "", 6378270.0, 6356794.343434343, 297.0},
    {7054, "PZ-90", "", 6378136.0, 6356751.361745712, 298.257839303},
    {7055, "Clarke 1880 (International Foot)", "", 6378306.3696, 6356571.996, 293.4663076556355},
    {7056, "Everest 1830 RSO 1969", "", 6377295.664, 6356094.667915204, 300.8017},
    {7057, "International 1924", "Authalic Sphere", 6371228.0, 6371228.0, 1.0},
    {7058, "Hughes 1980", "", 6378273.0, 6356889.449, 298.279411123064},
    {7059, "Popular Visualisation Sphere", "", 6378137.0, 6378137.0, 1.0},
    {1024, "CGCS2000", "China", 6378137.0, 6356752.314140356, 298.257222101},
};

const double kHalfPi = 1.5707963267948966;
} // namespace

CSpheroid::CSpheroid()
    : m_SemiMajor(0.0), m_SemiMinor(0.0), m_InverseFlattening(0.0), m_TableIndex(0), m_Code(0)
{
    ZeroConstants();
    SetFromTable(WGS84_ROW);
}

const SpheroidTableRow& CSpheroid::TableRow(int index)
{
    return kTable[(index >= 0 && index < TABLE_ROWS) ? index : WGS84_ROW];
}

void CSpheroid::ZeroConstants()
{
    m_E2 = m_E = m_HalfE = m_PolarFactor = m_N = m_OneMinusE2 = m_Ep2 = m_OnePlusEp2 = 0.0;
    m_A0 = m_A2 = m_A4 = m_A6 = m_RectifyingFactor = m_ArcSlopeAtEquator = 0.0;
    m_N1 = m_F2 = m_F4 = m_F6 = m_F8 = 0.0;
}

void CSpheroid::SetAxes(double semiMajor, double inverseFlattening)
{
    if (!(inverseFlattening >= 290.0 && inverseFlattening <= 310.0))
        inverseFlattening = 297.0;
    m_SemiMajor = semiMajor;
    m_InverseFlattening = inverseFlattening;
    m_SemiMinor = semiMajor * (1.0 - 1.0 / inverseFlattening);
    ComputeConstants();
}

void CSpheroid::ComputeConstants()
{
    if (!(m_InverseFlattening > 0.0))
    {
        ZeroConstants();
        return;
    }
    if (IsSphere())
    {
        // The table marks a sphere with 1/f = 1, which taken literally would make e = 1 and
        // every series meaningless; a sphere is e = 0.
        ZeroConstants();
        m_PolarFactor = 1.0;
        m_OneMinusE2 = 1.0;
        m_OnePlusEp2 = 1.0;
        m_A0 = 1.0;
        m_RectifyingFactor = m_SemiMajor;
        m_ArcSlopeAtEquator = 1.0;
        return;
    }
    const double f = 1.0 / m_InverseFlattening;
    const double e2 = 2.0 * f - f * f;
    m_E2 = e2;
    m_E = std::sqrt(e2);
    m_OneMinusE2 = 1.0 - e2;
    m_Ep2 = e2 / m_OneMinusE2;
    m_HalfE = m_E / 2.0;
    m_OnePlusEp2 = 1.0 + m_Ep2;
    m_PolarFactor = std::sqrt(std::pow(1.0 + m_E, 1.0 + m_E) * std::pow(1.0 - m_E, 1.0 - m_E));
    const double root = std::sqrt(m_OneMinusE2);
    m_N = (1.0 - root) / (1.0 + root);

    // The meridian-arc coefficients A0..A6 are the classical series in e^2; summed from the
    // third flattening instead (Helmert), the same coefficients converge so much faster that
    // the arc is within 0.03 mm of the exact arc everywhere, where the e^6 truncation of the
    // e^2 series is 1 mm out at 70 degrees of latitude.
    const double n = m_N;
    const double n2 = n * n;
    const double n3 = n2 * n;
    const double n4 = n3 * n;
    m_A0 = (1.0 + n2 / 4.0 + n4 / 64.0) / (1.0 + n);
    m_A2 = (3.0 * n / 2.0 - 3.0 * n3 / 16.0) / (1.0 + n);
    m_A4 = (15.0 * n2 / 16.0 - 15.0 * n4 / 64.0) / (1.0 + n);
    m_A6 = (35.0 * n3 / 48.0) / (1.0 + n);
    m_RectifyingFactor = m_SemiMajor * m_A0;
    m_ArcSlopeAtEquator = m_A0 - 2.0 * m_A2 + 4.0 * m_A4 - 6.0 * m_A6;

    // Footpoint latitude from the rectifying latitude (Helmert's series in n).
    m_N1 = n;
    m_F2 = 3.0 * n / 2.0 - 27.0 * n3 / 32.0;
    m_F4 = 21.0 * n2 / 16.0 - 55.0 * n4 / 32.0;
    m_F6 = 151.0 * n3 / 96.0;
    m_F8 = 1097.0 * n4 / 512.0;
}

bool CSpheroid::SetFromTable(int index)
{
    if (index < 0 || index >= TABLE_ROWS)
        return false;
    const SpheroidTableRow& row = kTable[index];
    m_FileName.Empty();
    m_TableIndex = index;
    m_Code = row.code;
    m_Name = row.name;
    m_Country = row.qualifier;
    m_SemiMajor = row.semiMajor;
    m_SemiMinor = row.semiMinor;
    m_InverseFlattening = row.inverseFlattening;
    ComputeConstants();
    return true;
}

bool CSpheroid::LoadFile(const char* path)
{
    CUserFile file;
    CString name, country;
    double axes[3];
    if (file.Read(path) && file.ReadLine(name) && file.ReadLine(country) &&
        file.ReadBytes(axes, sizeof(axes)) && std::isfinite(axes[0]) && std::isfinite(axes[2]))
    {
        m_FileName = GetFileTitleFromPath(path);
        if (name.IsEmpty() && country.IsEmpty())
            name = m_FileName;
        m_Name = name;
        m_Country = country;
        m_SemiMajor = axes[0];
        m_SemiMinor = axes[1];
        m_InverseFlattening = axes[2];
        m_Code = 0;
        ComputeConstants();
        return true;
    }
    m_Code = 0;
    SetFromTable(WGS84_ROW);
    return false;
}

bool CSpheroid::FindByName()
{
    const CString name = m_Name;
    const CString country = m_Country;
    return Find(name, country, true);
}

bool CSpheroid::FindByName(const char* name, const char* country)
{
    return Find(name, country, false);
}

bool CSpheroid::Find(const char* name, const char* country, bool own)
{
    const CString wantName(name);
    const CString wantCountry(country);
    for (int row = 0; row < TABLE_ROWS; ++row)
    {
        const SpheroidTableRow& r = kTable[row];
        if (wantName == r.name && (row == WGS84_ROW || wantCountry == r.qualifier))
            return SetFromTable(row);
    }
    CString folder;
    if (GetGlobalDataFolder(folder))
    {
        CString pattern;
        pattern.Format("%s*.%s", folder.GetString(), "SPD");
        CFileFind finder;
        BOOL more = finder.FindFile(pattern);
        while (more)
        {
            more = finder.FindNextFile();
            if (finder.IsDirectory())
                continue;
            if (LoadFile(finder.GetFilePath()) && m_Name == wantName && m_Country == wantCountry)
                return true;
        }
    }
    // Nothing matches: a = 0 leaves every projection on this spheroid at its zero result until
    // one is chosen.
    m_FileName.Empty();
    m_Code = 0;
    SetAxes(0.0, 0.0);
    m_Name = own ? wantName : CString();
    m_Country = own ? wantCountry : CString();
    return false;
}

bool CSpheroid::SaveSettings(const char* suffix) const
{
    CString title("Spheroid");
    if (suffix && *suffix)
        title.Format("Spheroid %s", suffix);
    // The old settings stay whole: the new file replaces them only when closed.
    return CConfigFile::WriteSettingsFile(title, [this](CConfigFile& file) {
        file.WriteText("Name", m_Name);
        file.WriteText("Country", m_Country);
    });
}

bool CSpheroid::LoadSettings(const char* suffix)
{
    CString title("Spheroid");
    if (suffix && *suffix)
        title.Format("Spheroid %s", suffix);
    CString name("WGS84");
    CString country;
    CConfigFile::ReadSettingsFile(title, [&](CConfigFile& file) {
        name = file.ReadText("WGS84");
        country = file.ReadText("");
    });
    return FindByName(name, country);
}

bool CSpheroid::IsSame(const CSpheroid& other) const
{
    if (!m_Country.IsEmpty() || !other.m_Country.IsEmpty())
        return m_Name == other.m_Name && m_Country == other.m_Country;
    return m_Name == other.m_Name;
}

double CSpheroid::MeridionalArc(double latitude) const
{
    if (latitude == 0.0)
        return 0.0;
    return MeridionalArc(latitude, std::sin(latitude), std::cos(latitude));
}

double CSpheroid::MeridionalArc(double latitude, double sinLat, double cosLat) const
{
    if (latitude == 0.0)
        return 0.0;
    // sin 2phi .. sin 8phi from the latitude's own sine and cosine: no further trigonometric
    // calls on the conversions' hot path. The sin 8phi term (A8 = 315 n^4 / 512 / (1 + n),
    // 0.03 mm) makes the arc exact to the micrometre and consistent with the footpoint series.
    const double s2 = 2.0 * sinLat * cosLat;
    const double c2 = 1.0 - 2.0 * sinLat * sinLat;
    const double s4 = 2.0 * s2 * c2;
    const double c4 = 1.0 - 2.0 * s2 * s2;
    const double s6 = s4 * c2 + c4 * s2;
    const double s8 = 2.0 * s4 * c4;
    const double n2 = m_N * m_N;
    const double a8 = (315.0 / 512.0) * n2 * n2 / (1.0 + m_N);
    return m_SemiMajor * (m_A0 * latitude - m_A2 * s2 + m_A4 * s4 - m_A6 * s6 + a8 * s8);
}

double CSpheroid::FootpointLatitude(double arc) const
{
    return FootpointLatitude(arc, nullptr, nullptr);
}

double CSpheroid::FootpointLatitude(double arc, double* sinLat, double* cosLat) const
{
    double s = 0.0, c = 1.0, latitude = 0.0;
    if (m_RectifyingFactor != 0.0)
    {
        // One sine and cosine, of mu / 2, which needs no range reduction on a meridian
        // (|mu| <= pi/2), doubled to mu's. The series' sin 2k mu are sin 2mu U(k-1)(cos 2mu)
        // (Chebyshev's polynomials of the second kind), so that it sums as one polynomial in
        // cos 2mu; the sine and cosine of the answer mu + delta follow by the sum formulas,
        // with delta's own short series (|delta| < 0.003 rad on every spheroid of the table,
        // so the terms left out are below 1e-18). Each step waits on the one before, and a
        // conversion waits on all of them: the fewer steps, the sooner it is done.
        const double mu = arc * (1.0 / m_RectifyingFactor);
        double sm, cm;
        if (std::fabs(mu) <= kHalfPi)
        {
            double sh, ch;
            geodesy::SinCosSmall(0.5 * mu, sh, ch);
            sm = 2.0 * sh * ch;
            cm = (ch - sh) * (ch + sh);
        }
        else
        {
            // Past a pole (a northing off the meridian): the callers read the cosine's sign.
            sm = std::sin(mu);
            cm = std::cos(mu);
        }
        const double s2 = 2.0 * sm * cm;
        const double c2 = (cm - sm) * (cm + sm);
        const double g0 = m_F2 - m_F6;
        const double g1 = 2.0 * m_F4 - 4.0 * m_F8;
        const double g2 = 4.0 * m_F6;
        const double g3 = 8.0 * m_F8;
        const double delta = s2 * ((g0 + c2 * g1) + (c2 * c2) * (g2 + c2 * g3));
        const double d2 = delta * delta;
        const double sd = delta - delta * d2 * ((1.0 / 6.0) - d2 * (1.0 / 120.0));
        const double cd = 1.0 - d2 * (0.5 - d2 * (1.0 / 24.0));
        s = sm * cd + cm * sd;
        c = cm * cd - sm * sd;
        latitude = mu + delta;
    }
    if (sinLat)
        *sinLat = s;
    if (cosLat)
        *cosLat = c;
    return latitude;
}

double CSpheroid::LatitudeFromMeridionalArc(double startLatitude, double arc) const
{
    return LatitudeFromMeridionalArc(startLatitude, arc, nullptr, nullptr);
}

double CSpheroid::LatitudeFromMeridionalArc(double startLatitude, double arc, double* sinLat,
                                            double* cosLat) const
{
    double s = 0.0, c = 1.0;
    double result = 0.0;
    if (arc != 0.0)
    {
        double latitude = startLatitude;
        if (latitude == 0.0 || !(std::fabs(latitude) <= kHalfPi))
            latitude = 1.0;
        for (int round = 0; round < MAX_ROUNDS; ++round)
        {
            s = std::sin(latitude);
            c = std::cos(latitude);
            const double m = MeridionalArc(latitude, s, c);
            if (m == 0.0)
                break;
            const double next = latitude * arc / m;
            const double change = next - latitude;
            if (std::fabs(change) <= TOLERANCE)
            {
                // The last step is below 5e-9 rad, so the first-order update of the sine and
                // cosine is exact to 1e-17 and saves the caller evaluating them again.
                const double s0 = s;
                s += c * change;
                c -= s0 * change;
                result = next;
                break;
            }
            latitude = next;
        }
    }
    if (result == 0.0)
    {
        s = 0.0;
        c = 1.0;
    }
    if (sinLat)
        *sinLat = s;
    if (cosLat)
        *cosLat = c;
    return result;
}

double CSpheroid::IsometricLatitude(double latitude) const
{
    return IsometricLatitude(std::sin(latitude), std::cos(latitude));
}

double CSpheroid::IsometricLatitude(double sinLat, double cosLat) const
{
    // asinh(tan phi) is atanh(sin phi) = (1/2) ln((1 + sin phi)/(1 - sin phi)), written so that
    // it keeps its precision near the poles (where 1 - sin phi cancels) and the equator.
    return std::asinh(sinLat / cosLat) - m_E * std::atanh(m_E * sinLat);
}

double CSpheroid::LatitudeFromIsometricLatitude(double psi) const
{
    // Newton's method on psi(phi) - psi, with dpsi/dphi = (1 - e^2) / ((1 - e^2 sin^2 phi) cos phi),
    // starting from the conformal latitude gd(psi), which is within e^2 of the answer. A step
    // that would pass a pole goes half way to it instead.
    if (std::isnan(psi))
        return 0.0;
    double latitude = std::atan(std::sinh(psi));
    for (int round = 0; round < MAX_ROUNDS; ++round)
    {
        if (!(std::fabs(latitude) < kHalfPi))
            return latitude;
        const double s = std::sin(latitude);
        const double c = std::cos(latitude);
        const double residual = IsometricLatitude(s, c) - psi;
        double next = latitude - residual * c * (1.0 - m_E2 * s * s) / m_OneMinusE2;
        if (!(std::fabs(next) < kHalfPi))
            next = 0.5 * (latitude + std::copysign(kHalfPi, next));
        const bool done = std::fabs(residual) <= TOLERANCE || std::fabs(next - latitude) <= TOLERANCE;
        latitude = next;
        if (done)
            return latitude;
    }
    return 0.0;
}

bool CSpheroid::GeocentricToGeodetic(double X, double Y, double Z, double* latitude, double* longitude,
                                     double* height) const
{
    auto zero = [&]() {
        if (latitude)
            *latitude = 0.0;
        if (longitude)
            *longitude = 0.0;
        if (height)
            *height = 0.0;
        return false;
    };
    if (!(m_E2 > 0.0))
        return zero();
    const double p = std::hypot(X, Y);
    double lat = 0.0;
    if (p == 0.0)
    {
        // On the axis: a pole, unless it is the centre.
        if (Z == 0.0)
            return zero();
        lat = Z > 0.0 ? kHalfPi : -kHalfPi;
    }
    else
    {
        lat = latitude ? *latitude : 0.0;
        if (!(std::fabs(lat) <= kHalfPi))
            lat = std::atan(Z / (p * m_OneMinusE2));
        for (int round = 0; round < MAX_ROUNDS; ++round)
        {
            const double s = std::sin(lat);
            const double nu = m_SemiMajor / std::sqrt(1.0 - m_E2 * s * s);
            const double next = std::atan((m_E2 * nu * s + Z) / p);
            const bool done = std::fabs(next - lat) <= TOLERANCE;
            lat = next;
            if (done)
                break;
        }
    }
    const double s = std::sin(lat);
    const double c = std::cos(lat);
    if (latitude)
        *latitude = lat;
    if (longitude)
        *longitude = (p == 0.0) ? 0.0 : std::atan2(Y, X);
    // p cos(phi) + Z sin(phi) - a^2/nu is the height at every latitude; neither p/cos(phi)
    // nor Z/sin(phi) alone is, near the poles and the equator respectively.
    if (height)
        *height = p * c + Z * s - m_SemiMajor * std::sqrt(1.0 - m_E2 * s * s);
    return true;
}

void CSpheroid::GeodeticToGeocentric(double latitude, double longitude, double height, double* X, double* Y,
                                     double* Z) const
{
    double x = 0.0, y = 0.0, z = 0.0;
    if (m_E2 > 0.0)
    {
        const double s = std::sin(latitude);
        const double c = std::cos(latitude);
        const double nu = m_SemiMajor / std::sqrt(1.0 - m_E2 * s * s);
        x = (nu + height) * c * std::cos(longitude);
        y = (nu + height) * c * std::sin(longitude);
        z = (nu * m_OneMinusE2 + height) * s;
    }
    if (X)
        *X = x;
    if (Y)
        *Y = y;
    if (Z)
        *Z = z;
}

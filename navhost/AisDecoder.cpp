#include "navhost/AisDecoder.h"

#include "chart/objects/Ais.h"
#include "geodesy/Projection.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
constexpr double kDegree = M_PI / 180.0;

// The message's bits, six a character of the armour (ITU-R M.1371-5 annex 8, table 44).
class BitReader
{
public:
    bool Load(const std::string& payload, int fillBits)
    {
        m_Bits.clear();
        for (char c : payload)
        {
            int value = static_cast<unsigned char>(c) - 48;
            if (value > 40)
                value -= 8;
            if (value < 0 || value > 63 || (c > 'W' && c < '`'))
                return false;
            for (int bit = 5; bit >= 0; --bit)
                m_Bits.push_back(static_cast<uint8_t>((value >> bit) & 1));
        }
        const size_t fill = fillBits > 0 && fillBits < 6 ? static_cast<size_t>(fillBits) : 0;
        m_Bits.resize(m_Bits.size() > fill ? m_Bits.size() - fill : 0);
        return true;
    }
    size_t Size() const { return m_Bits.size(); }
    uint32_t Unsigned(size_t start, size_t width) const
    {
        uint32_t value = 0;
        for (size_t i = 0; i < width; ++i)
            value = (value << 1) | (start + i < m_Bits.size() ? m_Bits[start + i] : 0);
        return value;
    }
    int32_t Signed(size_t start, size_t width) const
    {
        const uint32_t raw = Unsigned(start, width);
        const uint32_t sign = 1u << (width - 1);
        return static_cast<int32_t>((raw ^ sign)) - static_cast<int32_t>(sign);
    }
    // Six-bit text, '@' padding and trailing blanks dropped.
    CString Text(size_t start, size_t characters) const
    {
        std::string text;
        for (size_t i = 0; i < characters && start + 6 * (i + 1) <= m_Bits.size(); ++i)
        {
            const uint32_t v = Unsigned(start + 6 * i, 6);
            const char c = static_cast<char>(v < 32 ? v + 64 : v);
            if (c == '@')
                break;
            text.push_back(c);
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        return CString(text.c_str());
    }

private:
    std::vector<uint8_t> m_Bits;
};

// Position in 1/10000 minutes; 181 and 91 degrees mean none.
void TakePosition(const BitReader& bits, size_t lonStart, size_t latStart, AisReportDef& report)
{
    const double lon = bits.Signed(lonStart, 28) / 600000.0;
    const double lat = bits.Signed(latStart, 27) / 600000.0;
    if (std::fabs(lon) <= 180.0 && std::fabs(lat) <= 90.0)
    {
        report.Longitude = lon;
        report.Latitude = lat;
    }
}

void TakeMotion(const BitReader& bits, size_t sogStart, size_t cogStart, size_t headingStart, AisReportDef& report)
{
    const uint32_t sog = bits.Unsigned(sogStart, 10);
    if (sog != 1023)
        report.SpeedKnots = sog / 10.0;
    const uint32_t cog = bits.Unsigned(cogStart, 12);
    if (cog < 3600)
        report.CourseDegrees = cog / 10.0;
    const uint32_t heading = bits.Unsigned(headingStart, 9);
    if (heading < 360)
        report.HeadingDegrees = heading;
}

void TakeDimensions(const BitReader& bits, size_t start, AisReportDef& report)
{
    report.ToBow = static_cast<int>(bits.Unsigned(start, 9));
    report.ToStern = static_cast<int>(bits.Unsigned(start + 9, 9));
    report.ToPort = static_cast<int>(bits.Unsigned(start + 18, 6));
    report.ToStarboard = static_cast<int>(bits.Unsigned(start + 24, 6));
}

bool ChecksumGood(const char* line)
{
    const char* star = std::strchr(line, '*');
    if (star == nullptr || (line[0] != '!' && line[0] != '$') || std::strlen(star) < 3)
        return false;
    unsigned sum = 0;
    for (const char* p = line + 1; p < star; ++p)
        sum ^= static_cast<unsigned char>(*p);
    char* end = nullptr;
    const char hex[3] = {star[1], star[2], 0};
    const unsigned long given = std::strtoul(hex, &end, 16);
    return end == hex + 2 && given == sum;
}

std::vector<std::string> Fields(const char* line)
{
    std::vector<std::string> fields;
    std::string field;
    for (const char* p = line; *p && *p != '*'; ++p)
    {
        if (*p == ',')
        {
            fields.push_back(field);
            field.clear();
        }
        else
            field.push_back(*p);
    }
    fields.push_back(field);
    return fields;
}

double Normalised(double degrees)
{
    double d = std::fmod(degrees, 360.0);
    return d < 0.0 ? d + 360.0 : d;
}
} // namespace

bool DecodeAisPayload(const std::string& payload, int fillBits, AisReportDef& report)
{
    report = AisReportDef{};
    BitReader bits;
    if (!bits.Load(payload, fillBits) || bits.Size() < 38)
        return false;
    report.Type = static_cast<int>(bits.Unsigned(0, 6));
    report.Mmsi = bits.Unsigned(8, 30);
    switch (report.Type)
    {
    case 1:
    case 2:
    case 3:
        if (bits.Size() < 168)
            return false;
        report.Status = static_cast<int>(bits.Unsigned(38, 4));
        report.RateOfTurn = bits.Signed(42, 8) == -128 ? 0.0 : bits.Signed(42, 8);
        TakeMotion(bits, 50, 116, 128, report);
        TakePosition(bits, 61, 89, report);
        return true;
    case 18:
    case 19:
        if (bits.Size() < (report.Type == 18 ? 168u : 312u))
            return false;
        TakeMotion(bits, 46, 112, 124, report);
        TakePosition(bits, 57, 85, report);
        if (report.Type == 19)
        {
            report.Name = bits.Text(143, 20);
            report.ShipType = static_cast<int>(bits.Unsigned(263, 8));
            TakeDimensions(bits, 271, report);
        }
        return true;
    case 5:
        if (bits.Size() < 420)
            return false;
        report.CallSign = bits.Text(70, 7);
        report.Name = bits.Text(112, 20);
        report.ShipType = static_cast<int>(bits.Unsigned(232, 8));
        TakeDimensions(bits, 240, report);
        return true;
    case 24:
        if (bits.Size() < 160)
            return false;
        report.PartNumber = static_cast<int>(bits.Unsigned(38, 2));
        if (report.PartNumber == 0)
            report.Name = bits.Text(40, 20);
        else if (report.PartNumber == 1 && bits.Size() >= 162)
        {
            report.ShipType = static_cast<int>(bits.Unsigned(40, 8));
            report.CallSign = bits.Text(90, 7);
            TakeDimensions(bits, 132, report);
        }
        else
            return false;
        return true;
    default:
        return false;
    }
}

bool CAisDecoder::TakeLine(const char* line, CAis& store, CProjection& projection)
{
    if (line == nullptr || line[0] != '!' || !ChecksumGood(line))
        return false;
    const std::vector<std::string> f = Fields(line);
    if (f.size() < 7 || f[0].size() < 6 || (f[0].compare(3, 3, "VDM") != 0 && f[0].compare(3, 3, "VDO") != 0))
        return false;
    const int count = std::atoi(f[1].c_str());
    const int number = std::atoi(f[2].c_str());
    const std::string key = f[3] + "/" + f[4];
    if (count < 1 || number < 1 || number > count)
        return false;
    if (number == 1)
    {
        m_Payload.clear();
        m_Expected = count;
        m_SequenceKey = key;
        m_Next = 1;
    }
    // A fragment out of its turn drops the message being joined.
    if (number != m_Next || count != m_Expected || key != m_SequenceKey)
    {
        m_Payload.clear();
        m_Next = 0;
        return false;
    }
    m_Payload += f[5];
    if (number < count)
    {
        ++m_Next;
        return false;
    }
    m_Next = 0;
    AisReportDef report;
    if (!DecodeAisPayload(m_Payload, std::atoi(f[6].c_str()), report))
    {
        ++m_Ignored;
        return false;
    }
    ++m_Decoded;
    ApplyReport(report, store, projection);
    return true;
}

void CAisDecoder::ApplyReport(const AisReportDef& report, CAis& store, CProjection& projection)
{
    CString id;
    id.Format("%u", report.Mmsi);
    AisTargetDef* target = nullptr;
    for (INT_PTR i = 0; i < store.GetCount() && target == nullptr; ++i)
        if (store.GetTarget(i)->id == id)
            target = store.GetTarget(i);
    if (target == nullptr)
    {
        AisTargetDef fresh;
        fresh.id = id;
        fresh.name = "n/a";
        fresh.classLetter = (report.Type == 18 || report.Type == 19 || report.Type == 24) ? 'B' : 'A';
        target = store.FindTarget(store.AddTarget(fresh));
    }

    if (!report.Name.IsEmpty())
        target->name = report.Name;
    if (report.ToBow + report.ToStern > 0)
    {
        target->toBow = report.ToBow;
        target->toStern = report.ToStern;
        target->toPort = report.ToPort;
        target->toStarboard = report.ToStarboard;
    }
    if (!report.CallSign.IsEmpty())
        target->line2[0] = report.CallSign;

    if (report.HasPosition())
    {
        double e = 0.0, n = 0.0, convergence = 0.0;
        if (projection.GeographicToGrid(report.Latitude * kDegree, report.Longitude * kDegree, &e, &n, &convergence))
        {
            if (target->E != DBL_MAX && target->N != DBL_MAX && (target->E != e || target->N != n))
            {
                target->history.Add(tagXY{target->E, target->N});
                if (target->history.GetSize() > kHistory)
                    target->history.RemoveAt(0, target->history.GetSize() - kHistory);
            }
            target->E = e;
            target->N = n;
            const double toGrid = convergence / kDegree;
            target->heading = report.HeadingDegrees >= 0.0 ? Normalised(report.HeadingDegrees - toGrid) * kDegree : -1.0;
            target->course = report.CourseDegrees >= 0.0 ? Normalised(report.CourseDegrees - toGrid) * kDegree : -1.0;
            target->sinHeading = target->heading >= 0.0 ? std::sin(target->heading) : 0.0;
            target->cosHeading = target->heading >= 0.0 ? std::cos(target->heading) : 1.0;
            target->sinCourse = target->course >= 0.0 ? std::sin(target->course) : 0.0;
            target->cosCourse = target->course >= 0.0 ? std::cos(target->course) : 1.0;
        }
        target->speed = report.SpeedKnots >= 0.0 ? report.SpeedKnots : 0.0;
        target->rateOfTurn = report.RateOfTurn;
        target->mooredFlag = report.Status == 5 ? 1 : 0;
        target->anchoredFlag = report.Status == 1 ? 1 : 0;
        target->classLetter = (report.Type == 18 || report.Type == 19) ? 'B' : 'A';
        target->line3[0].Format("%.1f kn", target->speed);
    }
    CAis::ClassifyTarget(*target);
}

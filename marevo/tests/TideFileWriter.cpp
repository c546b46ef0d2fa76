#include "TideFileWriter.h"

#include "testsupport/TempDrives.h"

#include <QDir>
#include <QFile>

#include <cstring>
#include <stdexcept>

namespace
{
void PutLittleEndian(std::string& bytes, int offset, uint64_t value, int width)
{
    if (offset < 0 || offset + width > static_cast<int>(bytes.size()))
        throw std::out_of_range("field past the record");
    for (int i = 0; i < width; ++i)
        bytes[static_cast<size_t>(offset + i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}
} // namespace

TideRecordBytes& TideRecordBytes::Int16(int offset, int16_t value)
{
    PutLittleEndian(m_bytes, offset, static_cast<uint16_t>(value), 2);
    return *this;
}

TideRecordBytes& TideRecordBytes::Int32(int offset, int32_t value)
{
    PutLittleEndian(m_bytes, offset, static_cast<uint32_t>(value), 4);
    return *this;
}

TideRecordBytes& TideRecordBytes::Double(int offset, double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    PutLittleEndian(m_bytes, offset, bits, 8);
    return *this;
}

TideRecordBytes& TideRecordBytes::Doubles(int offset, const std::vector<double>& values)
{
    for (size_t i = 0; i < values.size(); ++i)
        Double(offset + 8 * static_cast<int>(i), values[i]);
    return *this;
}

TideRecordBytes& TideRecordBytes::Text(int offset, int length, const char* text)
{
    const size_t n = std::strlen(text);
    for (int i = 0; i < length; ++i)
    {
        const unsigned char c = static_cast<size_t>(i) < n ? static_cast<unsigned char>(text[i]) : 0;
        PutLittleEndian(m_bytes, offset + i, static_cast<unsigned char>(~c), 1);
    }
    return *this;
}

std::string FactorRecord(const TidalFactorDef& day)
{
    TideRecordBytes record(64);
    for (int k = 0; k < CONSTITUENT_COUNT; ++k)
        record.Double(16 * k, day.Constituent[k].dArgument).Double(16 * k + 8, day.Constituent[k].dFactor);
    return record.Bytes();
}

std::string MoonRecord(const MoonPhaseDef& phases)
{
    TideRecordBytes record(80);
    for (int i = 0; i < 4; ++i)
    {
        const MoonPhaseTime& p = phases.Phase[i];
        record.Int32(20 * i, p.nYear).Int32(20 * i + 4, p.nMonth).Int32(20 * i + 8, p.nDay);
        record.Int32(20 * i + 12, p.nHour).Int32(20 * i + 16, p.nMinute);
    }
    return record.Bytes();
}

std::string PortRecord(const TestPort& port)
{
    TideRecordBytes record(kPortRecordSize);
    record.Text(0, 8, port.number).Text(9, 40, port.name).Text(50, 40, port.text);
    record.Double(96, port.first).Double(104, port.second).Doubles(112, port.constants).Int32(216, port.hhmm);
    return record.Bytes();
}

std::string TableVIRecord(const char* number, int32_t dayOffset, const std::vector<double>& nine)
{
    return TideRecordBytes(kTableVIRecordSize).Text(0, 8, number).Int32(12, dayOffset).Doubles(16, nine).Bytes();
}

std::string CorrectionRecord(const char* first, const char* second, const std::vector<double>& thirteen)
{
    return TideRecordBytes(kCorrectionRecordSize).Text(0, 8, first).Text(9, 8, second).Doubles(24, thirteen).Bytes();
}

std::string CoTidalRecord(int16_t number, const std::vector<double>& eight)
{
    return TideRecordBytes(kCoTidalRecordSize).Int16(0, number).Doubles(2, eight).Bytes();
}

QString TideFolder()
{
    const QString folder = TempDrives::Current()->OnC("MyData/Tides");
    QDir().mkpath(folder);
    return folder;
}

void WriteTideFile(const QString& name, const std::string& bytes)
{
    QFile file(TideFolder() + "/" + name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        throw std::runtime_error("cannot write the tide file");
}

std::string Repeat(const std::string& record, int n)
{
    std::string bytes;
    bytes.reserve(record.size() * static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        bytes += record;
    return bytes;
}

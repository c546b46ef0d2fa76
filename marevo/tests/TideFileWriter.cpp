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

TideRecordBytes& TideRecordBytes::Int64(int offset, int64_t value)
{
    PutLittleEndian(m_bytes, offset, static_cast<uint64_t>(value), 8);
    return *this;
}

TideRecordBytes& TideRecordBytes::Byte(int offset, uint8_t value)
{
    PutLittleEndian(m_bytes, offset, value, 1);
    return *this;
}

TideRecordBytes& TideRecordBytes::BigEndian16(int offset, uint16_t value)
{
    PutLittleEndian(m_bytes, offset, value >> 8, 1);
    PutLittleEndian(m_bytes, offset + 1, value & 0xFF, 1);
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
    return Chars(offset, length, 1, text);
}

TideRecordBytes& TideRecordBytes::Chars(int offset, int count, int step, const char* text)
{
    const size_t n = std::strlen(text);
    for (int i = 0; i < count; ++i)
    {
        const unsigned char c = static_cast<size_t>(i) < n ? static_cast<unsigned char>(text[i]) : 0;
        PutLittleEndian(m_bytes, offset + step * i, static_cast<unsigned char>(~c), 1);
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

std::string IndexRecord(int8_t nameLength, const char* name, const char* number, const char* zone)
{
    TideRecordBytes record(54);
    record.Byte(0, static_cast<uint8_t>(nameLength)).Text(1, 40, name);
    return record.Chars(41, 5, 2, number).Chars(42, 5, 2, zone).Bytes();
}

std::string TurningRecord(const char* number, int64_t time, double height)
{
    return TideRecordBytes(24).Chars(0, 5, 1, number).Int64(8, time).Double(16, height).Bytes();
}

std::string DiamondRecord(uint16_t number, uint8_t first, uint8_t second, uint16_t reference, uint8_t letter,
                          double a, double b, uint8_t kept, int announced, const std::vector<TestDiamondRow>& rows)
{
    TideRecordBytes header(32);
    header.BigEndian16(0, number).Byte(2, first).Byte(3, second).BigEndian16(4, reference).Byte(6, letter);
    header.Double(8, a).Double(16, b).Byte(24, kept).Byte(25, static_cast<uint8_t>(announced));
    std::string bytes = header.Bytes();
    for (const TestDiamondRow& row : rows)
    {
        TideRecordBytes five(5);
        five.Byte(0, static_cast<uint8_t>(row.tenthsOfHours)).BigEndian16(1, row.direction);
        bytes += five.Byte(3, row.spring).Byte(4, row.neap).Bytes();
    }
    return bytes;
}

std::string CoTidalHeader(double first1, double second1, double first2, double second2, int16_t rowSpacing,
                          int16_t columnSpacing)
{
    return TideRecordBytes(36)
        .Doubles(0, {first1, second1, first2, second2})
        .Int16(32, rowSpacing)
        .Int16(34, columnSpacing)
        .Bytes();
}

std::string CoTidalNode(double base)
{
    TideRecordBytes node(64);
    for (int i = 0; i < 8; ++i)
        node.Double(8 * i, base + i);
    return node.Bytes();
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

CString StageTideFixtures()
{
    const QString target = TempDrives::Current()->OnC("MyData/TideFixtures");
    QDir().mkpath(target);
    const QDir source(SUITE_SOURCE_DIR "/marevo/tests/data");
    for (const QString& name : source.entryList({"*.DAT", "*.IDX"}, QDir::Files))
    {
        QString staged = name;
        if (name.startsWith("PORTS"))
            staged = "Part3" + name.mid(5);
        // Staged again by a later call of the same test: the copy is the same bytes.
        QFile::remove(target + "/" + staged);
        if (!QFile::copy(source.filePath(name), target + "/" + staged))
            throw std::runtime_error("cannot stage the tide fixture " + name.toStdString());
    }
    return "C:\\MyData\\TideFixtures\\";
}

std::string Repeat(const std::string& record, int n)
{
    std::string bytes;
    bytes.reserve(record.size() * static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        bytes += record;
    return bytes;
}

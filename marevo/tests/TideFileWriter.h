// Test-side writer of the yearly tide data files: records built byte by byte, little-endian,
// text fields inverted, written into the test's tide data folder.
#pragma once

#include "marevo/TideRecords.h"
#include "platform/core/String.h"
#include "testsupport/ScopedTimeZone.h"

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

// One record of a fixed size, zero-filled, with fields put at byte offsets.
class TideRecordBytes
{
public:
    explicit TideRecordBytes(int size) : m_bytes(static_cast<size_t>(size), '\0') {}
    TideRecordBytes& Int16(int offset, int16_t value);
    TideRecordBytes& Int32(int offset, int32_t value);
    TideRecordBytes& Int64(int offset, int64_t value);
    TideRecordBytes& Byte(int offset, uint8_t value);
    TideRecordBytes& BigEndian16(int offset, uint16_t value);
    TideRecordBytes& Double(int offset, double value);
    TideRecordBytes& Doubles(int offset, const std::vector<double>& values);
    // Inverted text, padded with inverted NULs to the field's length.
    TideRecordBytes& Text(int offset, int length, const char* text);
    // Inverted characters at offset, offset + step, ... for `count` places, NUL-padded.
    TideRecordBytes& Chars(int offset, int count, int step, const char* text);
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

// The records of each file kind.
std::string FactorRecord(const TidalFactorDef& day);
std::string MoonRecord(const MoonPhaseDef& phases);
struct TestPort
{
    const char* number;
    const char* name;
    const char* text;
    double first, second; // degrees
    std::vector<double> constants; // thirteen
    int32_t hhmm;
};
std::string PortRecord(const TestPort& port);
std::string TableVIRecord(const char* number, int32_t dayOffset, const std::vector<double>& nine);
// "Seasonal" (first, last) and "M2"/"S2" (number, tag) records.
std::string CorrectionRecord(const char* first, const char* second, const std::vector<double>& thirteen);
std::string CoTidalRecord(int16_t number, const std::vector<double>& eight);

// Turning-point index record: name length byte (as given), the name inverted from byte 1
// (at most 40 bytes of it), number and time-zone characters interleaved from 41 and 42.
std::string IndexRecord(int8_t nameLength, const char* name, const char* number, const char* zone);
// Turning-point data record: the port number's five characters, the time, eight kept bytes
// holding `height` as a little-endian double.
std::string TurningRecord(const char* number, int64_t time, double height);

// A tidal diamond: the 32-byte header (numbers big-endian) and `rows` 5-byte rows; the row
// count byte says `announced` (which may differ from rows.size()).
struct TestDiamondRow
{
    int8_t tenthsOfHours;
    uint16_t direction;
    uint8_t spring, neap; // twentieths of a knot
};
std::string DiamondRecord(uint16_t number, uint8_t first, uint8_t second, uint16_t reference, uint8_t letter,
                          double a, double b, uint8_t kept, int announced, const std::vector<TestDiamondRow>& rows);

// A co-tidal chart's 36-byte header and its 64-byte nodes.
std::string CoTidalHeader(double first1, double second1, double first2, double second2, int16_t rowSpacing,
                          int16_t columnSpacing);
std::string CoTidalNode(double base);

// The Linux path of the test's tide data folder (C:\MyData\Tides\), made when missing.
QString TideFolder();
// Writes the bytes as a file of the tide data folder ("TAF24.DAT").
void WriteTideFile(const QString& name, const std::string& bytes);
// Copies the checked-in real-data set (marevo/tests/data) into the test's drive C: under the
// names the readers look for, and returns that folder as the readers take it
// ("C:\\MyData\\TideFixtures\\"). The port file is stored as "PORTS<yy>.DAT".
CString StageTideFixtures();
// n copies of a record's bytes.
std::string Repeat(const std::string& record, int n);


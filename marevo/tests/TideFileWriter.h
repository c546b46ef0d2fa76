// Test-side writer of the yearly tide data files: records built byte by byte, little-endian,
// text fields inverted, written into the test's tide data folder.
#pragma once

#include "marevo/TideRecords.h"
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
    TideRecordBytes& Double(int offset, double value);
    TideRecordBytes& Doubles(int offset, const std::vector<double>& values);
    // Inverted text, padded with inverted NULs to the field's length.
    TideRecordBytes& Text(int offset, int length, const char* text);
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

// The Linux path of the test's tide data folder (C:\MyData\Tides\), made when missing.
QString TideFolder();
// Writes the bytes as a file of the tide data folder ("TAF24.DAT").
void WriteTideFile(const QString& name, const std::string& bytes);
// n copies of a record's bytes.
std::string Repeat(const std::string& record, int n);


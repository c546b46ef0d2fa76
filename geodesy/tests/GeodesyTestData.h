// Helpers shared by the geodesy tests: the checked-in reference tables and user files written
// byte by byte into the temporary data folder.
#pragma once

#include "platform/core/String.h"
#include "testsupport/TempDrives.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace geodesytest
{
// The rows of a checked-in CSV fixture, '#' lines skipped, fields split at commas.
inline std::vector<std::vector<std::string>> ReadFixture(const char* name)
{
    const std::string path = std::string(SUITE_SOURCE_DIR) + "/geodesy/tests/data/" + name;
    std::ifstream in(path);
    EXPECT_TRUE(in.good()) << path;
    std::vector<std::vector<std::string>> rows;
    std::string line;
    while (std::getline(in, line))
    {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::stringstream ss(line);
        std::string field;
        while (std::getline(ss, field, ','))
            fields.push_back(field);
        rows.push_back(fields);
    }
    return rows;
}

// Writes a file into the test's temporary "C:\MyData\Global\" folder; returns its Windows path.
inline CString WriteGlobalFile(const char* fileName, const QByteArray& bytes)
{
    const QString linux = TempDrives::Current()->OnC(QString("MyData/Global/") + fileName);
    QDir().mkpath(QFileInfo(linux).path());
    QFile f(linux);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    return CString("C:\\MyData\\Global\\") + fileName;
}

// Copies one of the grids Debian's proj-data ships into the global data folder as the NTv2 grid
// "NTV2_0.GSB"; false when proj-data is not installed.
inline bool CopyProjGridAsNTv2(const char* name)
{
    QFile in(QString("/usr/share/proj/") + name);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    WriteGlobalFile("NTV2_0.GSB", in.readAll());
    return true;
}

inline void AppendDouble(QByteArray& bytes, double value)
{
    char raw[8];
    std::memcpy(raw, &value, 8);
    bytes.append(raw, 8);
}

inline void AppendInt32(QByteArray& bytes, int32_t value)
{
    char raw[4];
    std::memcpy(raw, &value, 4);
    bytes.append(raw, 4);
}

// A user spheroid file: two lines, then a, b and 1/f.
inline QByteArray SpheroidFileBytes(const char* name, const char* country, double a, double b, double rf)
{
    QByteArray bytes;
    bytes.append(name).append("\r\n").append(country).append("\r\n");
    AppendDouble(bytes, a);
    AppendDouble(bytes, b);
    AppendDouble(bytes, rf);
    return bytes;
}

// A user projection file: four lines, then type, method and seven doubles (radians for angles).
inline QByteArray ProjectionFileBytes(const char* name, const char* country, const char* spheroidName,
                                      const char* spheroidCountry, int32_t type, int32_t method,
                                      const double (&values)[7])
{
    QByteArray bytes;
    bytes.append(name).append("\r\n").append(country).append("\r\n");
    bytes.append(spheroidName).append("\r\n").append(spheroidCountry).append("\r\n");
    AppendInt32(bytes, type);
    AppendInt32(bytes, method);
    for (double v : values)
        AppendDouble(bytes, v);
    return bytes;
}

const double kDegree = 3.14159265358979323846 / 180.0;
const double kArcSecond = kDegree / 3600.0;
} // namespace geodesytest

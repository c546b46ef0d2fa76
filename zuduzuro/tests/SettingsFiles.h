// What the tests of the program's own files share: the fixture folder, raw bytes in and out,
// where the anchor file and the settings files lie on the test's drive C:, and the cable-type
// table the fixture anchor file names.
#pragma once

#include "zuduzuro/Anchor.h"
#include "zuduzuro/CableWeight.h"

#include "foundation/ConfigFile.h"
#include "platform/core/Path.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <gtest/gtest.h>

namespace settingsfiles
{
inline const QString kDataDir = QString(SUITE_SOURCE_DIR) + "/zuduzuro/tests/data/";

inline QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QByteArray Fixture(const char* name)
{
    const QByteArray bytes = ReadBytes(kDataDir + name);
    EXPECT_FALSE(bytes.isEmpty()) << name;
    return bytes;
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

// "ANCHOR.ANK" in the anchor folder, as a Linux path.
inline QString AnchorFilePath()
{
    CAnchor anchor;
    anchor.m_FileName = "ANCHOR";
    return LinuxPathFromWindows(anchor.GetFilePath());
}

// The program's settings file of that name, as a Linux path.
inline QString SettingsFilePath(const char* name)
{
    return LinuxPathFromWindows(CConfigFile().GetSettingsFileName(name));
}

// Types 0 and 1 built in, then 2: 40 kg/m, 3: 80 kg/m, 4: 1500 kg/m, all entered in water.
inline void FillTable(CCableWeight& table)
{
    table.Add(CableWeightDef{"Wire", 0, 1, 0.0, 40.0, CString()});
    table.Add(CableWeightDef{"Chain", 0, 1, 0.0, 80.0, CString()});
    table.Add(CableWeightDef{"Heavy", 0, 1, 0.0, 1500.0, CString()});
}
} // namespace settingsfiles

// File helpers of the feature tests: bytes of files named by Windows paths, and the fixtures
// in tests/data.
#pragma once

#include "foundation/Folders.h"
#include "platform/core/Path.h"
#include "platform/core/String.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace featuretest
{
inline QByteArray ReadBytes(const char* windowsPath)
{
    QFile f(LinuxPathFromWindows(windowsPath));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

inline bool Exists(const char* windowsPath)
{
    const QString linux = LinuxPathFromWindows(windowsPath);
    return !linux.isEmpty() && QFileInfo::exists(linux);
}

inline void WriteBytes(const char* windowsPath, const QByteArray& bytes)
{
    const QString linux = LinuxPathFromWindows(windowsPath);
    ASSERT_FALSE(linux.isEmpty()) << windowsPath;
    QDir().mkpath(QFileInfo(linux).path());
    QFile f(linux);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << windowsPath;
    f.write(bytes);
}

inline QByteArray Fixture(const char* name)
{
    QFile f(QString(SUITE_SOURCE_DIR "/features/tests/data/") + name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

// "<settings folder><name>"
inline CString InSettings(const char* name)
{
    return GetSettingsFolder() + name;
}
} // namespace featuretest

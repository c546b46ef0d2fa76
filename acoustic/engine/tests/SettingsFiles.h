// The calibration tests' view of settings files and of the framework's exceptions: the bytes
// of a settings file as it lies in the temporary settings folder, a damaged one written in
// its place, and whether a call raised the invalid-argument exception.
#pragma once

#include "foundation/ConfigFile.h"
#include "platform/core/Exception.h"
#include "platform/core/Path.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>

#include <functional>

inline QByteArray SettingsBytes(const char* name)
{
    CConfigFile names;
    QFile f(LinuxPathFromWindows(names.GetSettingsFileName(name)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteSettings(const char* name, const QByteArray& bytes)
{
    CConfigFile names;
    QFile f(LinuxPathFromWindows(names.GetSettingsFileName(name)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

inline bool RaisesInvalidArgument(const std::function<void()>& call)
{
    try
    {
        call();
    }
    catch (CInvalidArgException* e)
    {
        e->Delete();
        return true;
    }
    return false;
}

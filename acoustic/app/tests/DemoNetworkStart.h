// The demo's network on the test's drives, named in the settings as the network to load, with
// the program starting in the network mode: the start a user of the demo makes.
#pragma once

#include "acoustic/engine/NetworkFile.h"
#include "foundation/ConfigFile.h"
#include "platform/core/Path.h"

#include <QFile>
#include <QString>
#include <gtest/gtest.h>

inline void PrepareDemoNetworkStart()
{
    CString folder;
    ASSERT_TRUE(GetNetworkFolder(folder));
    const QString demo = QString(SUITE_SOURCE_DIR) + "/data/demo/MyData/Calibration/Network Adjustment/Demo Network.NET";
    ASSERT_TRUE(QFile::copy(demo, LinuxPathFromWindows(folder + "Demo Network.NET")));
    ASSERT_TRUE(CConfigFile::WriteSettingsFile(
        "Network Adjust", [](CConfigFile& file) { file.WriteText("Network File", "Demo Network"); }));
    ASSERT_TRUE(CConfigFile::WriteSettingsFile("Acoustic", [](CConfigFile& file) { file.WriteInt("Mode", 2); }));
}

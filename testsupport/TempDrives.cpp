#include "testsupport/TempDrives.h"

#include <QDir>

#include <cstdlib>

namespace
{
TempDrives* g_current = nullptr;
}

TempDrives::TempDrives() : m_dir(std::make_unique<QTemporaryDir>())
{
    m_c = m_dir->path() + "/C";
    QDir().mkpath(m_c);
    QDir().mkpath(m_dir->path() + "/config");
    setenv("SUITE_DRIVE_C", m_c.toUtf8().constData(), 1);
    unsetenv("SUITE_DRIVE_D");
    unsetenv("SUITE_DRIVE_E");
    setenv("XDG_CONFIG_HOME", (m_dir->path() + "/config").toUtf8().constData(), 1);
    g_current = this;
}

TempDrives::~TempDrives()
{
    if (g_current == this)
        g_current = nullptr;
}

QString TempDrives::AddDrive(char letter)
{
    const QString path = m_dir->path() + "/" + QChar(letter);
    QDir().mkpath(path);
    const QByteArray var = QByteArray("SUITE_DRIVE_") + letter;
    setenv(var.constData(), path.toUtf8().constData(), 1);
    return path;
}

TempDrives* TempDrives::Current()
{
    return g_current;
}

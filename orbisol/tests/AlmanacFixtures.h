// What the almanac tests share: the checked-in almanacs (made by data/make_almanac.py from an
// independent ephemeris), small hand-made almanacs whose polynomials show what the computation
// took from them, and where the files lie on the test's drive C:.
#pragma once

#include "orbisol/AlmanacFolder.h"

#include "platform/core/Path.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <string>

namespace almanactest
{
inline QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A checked-in almanac ("sarsun24.dat" ...).
inline QByteArray Fixture(const char* name)
{
    const QByteArray bytes = ReadBytes(QString(SUITE_SOURCE_DIR) + "/orbisol/tests/data/" + name);
    EXPECT_FALSE(bytes.isEmpty()) << name;
    return bytes;
}

// The Linux path of the year's almanac in the almanac folder of drive C:.
inline QString AlmanacPath(int year)
{
    return LinuxPathFromWindows(GetAlmanacFilePath(year));
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

inline void WriteAlmanac(int year, const QByteArray& bytes)
{
    WriteBytes(AlmanacPath(year), bytes);
}

// Copies the checked-in almanacs of first..last into the almanac folder.
inline void InstallFixtures(int first, int last)
{
    for (int year = first; year <= last; ++year)
        WriteAlmanac(year, Fixture(QString::asprintf("sarsun%02d.dat", year % 100).toLatin1().constData()));
}

// A data line: the month, R 6 h + 2 h·x, declination decA0 + decA1·x (degrees), E eA0 (hours),
// S.D. 0.27°; the other coefficients 0.
inline QByteArray MonthLine(int month, double decA0, double decA1, double eA0)
{
    return QString::asprintf("%d,6.0,2.0,%.12f,%.12f,0,0,0,%.12f,0,0,0,0,0.27,0", month, decA0, decA1, eA0)
        .toLatin1();
}

// A whole almanac: the title and twelve months whose declination is 10·month + x degrees, so
// that a result tells which month and which x the computation used; E is `eHours` throughout.
inline QByteArray MarkedAlmanac(int year, double eHours = 12.0)
{
    QByteArray text = "Sun for " + QByteArray::number(year) + " (test)\r\n";
    for (int month = 1; month <= 12; ++month)
        text += MonthLine(month, 10.0 * month, 1.0, eHours) + "\r\n";
    return text;
}

// A whole almanac with one declination (degrees) and E (hours) in every month.
inline QByteArray ConstantAlmanac(int year, double declinationDegrees, double eHours)
{
    QByteArray text = "Sun for " + QByteArray::number(year) + "\r\n";
    for (int month = 1; month <= 12; ++month)
        text += MonthLine(month, declinationDegrees, 0.0, eHours) + "\r\n";
    return text;
}

// Counts the opens of the files in one folder, as the kernel reports them.
class OpenCounter
{
public:
    explicit OpenCounter(const QString& folder)
    {
        m_fd = inotify_init1(IN_NONBLOCK);
        EXPECT_GE(m_fd, 0) << std::strerror(errno);
        EXPECT_GE(inotify_add_watch(m_fd, folder.toLocal8Bit().constData(), IN_OPEN), 0) << std::strerror(errno);
    }
    ~OpenCounter() { close(m_fd); }

    // The opens of the named file since the last call for it.
    int Opens(const std::string& name)
    {
        alignas(inotify_event) char buffer[4096];
        ssize_t got = 0;
        while ((got = read(m_fd, buffer, sizeof buffer)) > 0)
        {
            for (ssize_t at = 0; at < got;)
            {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len > 0)
                    ++m_opens[event->name];
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        const int count = m_opens[name];
        m_opens[name] = 0;
        return count;
    }

private:
    int m_fd = -1;
    std::map<std::string, int> m_opens;
};

constexpr double kDegree = 3.141592653589793 / 180.0;
} // namespace almanactest

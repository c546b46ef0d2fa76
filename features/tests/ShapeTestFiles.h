// Shapefiles for the shape tests, written with shapelib's own writer (independently of the
// reader's file hooks) into the test's temporary drive; and a message target that records the
// loader thread's end message.
#pragma once

#include "foundation/WindowMessages.h"
#include "platform/core/CmdTarget.h"
#include "platform/core/Path.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <shapefil.h>

#include <string>
#include <utility>
#include <vector>

namespace shapetest
{
using Point = std::pair<double, double>;
using Part = std::vector<Point>;
using Entity = std::vector<Part>;

// The Linux path of a Windows path, its folder made.
inline std::string Prepare(const char* windowsPath)
{
    const QString linux = LinuxPathFromWindows(windowsPath);
    EXPECT_FALSE(linux.isEmpty()) << windowsPath;
    QDir().mkpath(QFileInfo(linux).path());
    return QFile::encodeName(linux).toStdString();
}

// "<base>.shp" and "<base>.shx" of shape type `type` (SHPT_*), one record per entity.
inline void WriteShapes(const char* windowsBase, int type, const std::vector<Entity>& entities)
{
    const std::string base = Prepare(windowsBase);
    SHPHandle file = SHPCreate(base.c_str(), type);
    ASSERT_NE(file, nullptr) << base;
    for (const Entity& entity : entities)
    {
        std::vector<int> starts;
        std::vector<double> x, y;
        for (const Part& part : entity)
        {
            starts.push_back(static_cast<int>(x.size()));
            for (const Point& p : part)
            {
                x.push_back(p.first);
                y.push_back(p.second);
            }
        }
        SHPObject* object = SHPCreateObject(type, -1, static_cast<int>(starts.size()), starts.data(), nullptr,
                                            static_cast<int>(x.size()), x.data(), y.data(), nullptr, nullptr);
        SHPWriteObject(file, -1, object);
        SHPDestroyObject(object);
    }
    SHPClose(file);
}

// `count` points on a diagonal, for loads long enough to quit in the middle.
inline void WriteManyPoints(const char* windowsBase, int count)
{
    const std::string base = Prepare(windowsBase);
    SHPHandle file = SHPCreate(base.c_str(), SHPT_POINT);
    ASSERT_NE(file, nullptr) << base;
    for (int i = 0; i < count; ++i)
    {
        double x = 400000.0 + i;
        double y = 5600000.0 + 2.0 * i;
        SHPObject* object = SHPCreateSimpleObject(SHPT_POINT, 1, &x, &y, nullptr);
        SHPWriteObject(file, -1, object);
        SHPDestroyObject(object);
    }
    SHPClose(file);
}

struct Column
{
    const char* name;
    DBFFieldType type; // FTString, FTInteger or FTDouble
    int width;
    int decimals;
};

// "<base>.dbf" with the columns and rows of text values.
inline void WriteTable(const char* windowsBase, const std::vector<Column>& columns,
                       const std::vector<std::vector<std::string>>& rows = {})
{
    const std::string base = Prepare(windowsBase);
    DBFHandle table = DBFCreate((base + ".dbf").c_str());
    ASSERT_NE(table, nullptr) << base;
    for (const Column& c : columns)
        ASSERT_GE(DBFAddField(table, c.name, c.type, c.width, c.decimals), 0) << c.name;
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            DBFWriteStringAttribute(table, static_cast<int>(r), static_cast<int>(c), rows[r][c].c_str());
    DBFClose(table);
}

// The checked-in fixture `name` (tests/data) copied to a Windows path.
inline void CopyFixture(const char* name, const char* windowsPath)
{
    const std::string target = Prepare(windowsPath);
    QFile::remove(QString::fromStdString(target));
    ASSERT_TRUE(
        QFile::copy(QString(SUITE_SOURCE_DIR "/features/tests/data/") + name, QString::fromStdString(target)))
        << name;
}

// Text of a file at a Windows path; empty when it cannot be read.
inline QByteArray ReadFile(const char* windowsPath)
{
    QFile f(LinuxPathFromWindows(windowsPath));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The owner of a loader thread: records UM_SHAPE_THREAD as it arrives.
class CEndRecorder : public CCmdTarget
{
public:
    CEndRecorder() { CreateMessageTarget(); }
    ~CEndRecorder() override { DestroyMessageTarget(); }

    // Delivers what is queued until the end message came or `milliseconds` have passed.
    bool WaitForEnd(int milliseconds = 10000)
    {
        QElapsedTimer timer;
        timer.start();
        while (ends == 0 && timer.elapsed() < milliseconds)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return ends > 0;
    }

    int ends = 0;
    WPARAM wParam = 99;
    LPARAM lParam = 99;

    LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override
    {
        if (message != UM_SHAPE_THREAD)
            return CCmdTarget::WindowProc(message, w, l);
        ++ends;
        wParam = w;
        lParam = l;
        return 0;
    }
};
} // namespace shapetest

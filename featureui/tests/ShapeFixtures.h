// The drawing-exchange shapes of the chart's fixtures (chart/tests/data, written by ezdxf), read
// as structure shapes for the structure view and the structure pane.
#pragma once

#include "features/StructureList.h"
#include "platform/core/Path.h"

#include <QString>
#include <gtest/gtest.h>

inline QString ShapeDataPath(const char* name)
{
    return QString(SUITE_SOURCE_DIR "/chart/tests/data/") + name;
}

// A shape read from a fixture drawing, its extents those of the drawing's header.
inline CStructureShape* ReadShape(const char* name)
{
    auto* shape = new CStructureShape;
    const CString path = WindowsPathFromLinux(ShapeDataPath(name));
    EXPECT_TRUE(shape->Open(path)) << name;
    while (shape->ReadSection())
    {
    }
    shape->Close();
    EXPECT_TRUE(shape->IsWhole()) << name;
    shape->m_FilePath = path;
    shape->m_MinX = shape->m_HeaderMin.x;
    shape->m_MinY = shape->m_HeaderMin.y;
    shape->m_MaxX = shape->m_HeaderMax.x;
    shape->m_MaxY = shape->m_HeaderMax.y;
    return shape;
}

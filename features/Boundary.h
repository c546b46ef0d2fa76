// CBoundary: one boundary file, a closed outline in grid coordinates (a work-site limit, an
// exclusion zone), read from a text file of easting, northing pairs, one a line, the two
// numbers parted by anything that is not part of a number. Further fields are ignored.
//
// Companion files of a boundary file "<folder><title>.<ext>":
//   "<Boundaries data folder><title>.DRW"  the drawing options
//   "<folder><title>.INI"                  status and highlight
#pragma once

#include "features/DrawingOptions.h"
#include "features/FeatureCommon.h"
#include "foundation/XYArray.h"

#include <memory>

class CBoundary : public CXYArray, public CDrawingOptions, public CFeatureCommon
{
public:
    CBoundary() = default;
    CBoundary(const CBoundary&) = delete;
    CBoundary& operator=(const CBoundary&) = delete;
    ~CBoundary() override = default;

    // Reads status and highlight, the points of the file at `path` (lines without a readable
    // easting and northing, or at exactly (0, 0), are skipped), rebuilds the vertex buffer and
    // reads the drawing options. A file that cannot be opened gives no points. True when at
    // least one point was read.
    bool Load(const char* path);

    // Writes the drawing options as "<Boundaries folder><title>.DRW".
    void SaveDrawingOptions() const;

    // Rebuilds the vertex buffer from the points: a copy of them in order when there are 3 or
    // more, else none. Call after every change to the points.
    void BuildVertexBuffer();

    // The vertex buffer (null when there is none) and its number of points; it reflects the
    // points as they were at the last BuildVertexBuffer.
    const tagXY* GetVertexBuffer() const { return m_VertexBuffer.get(); }
    int GetVertexCount() const { return m_VertexCount; }

    // The "Boundaries" data folder: the MyDrives data folder, else MyData; ends in '\\'.
    static CString GetBoundariesFolder();

private:
    std::unique_ptr<tagXY[]> m_VertexBuffer;
    int m_VertexCount = 0;
};

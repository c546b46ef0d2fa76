// CShapeFileList: the shapefiles a program has loaded, which it owns, with the paths of its
// file list and the name of its "FLS" file.
#pragma once

#include "features/Shape.h"
#include "foundation/FileList.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"

class CShapeFileList : public CArray<CShape*, CShape*>
{
public:
    CShapeFileList() = default;
    CShapeFileList(const CShapeFileList&) = delete;
    CShapeFileList& operator=(const CShapeFileList&) = delete;
    // Deletes every shape it holds.
    ~CShapeFileList() override;

    // Deletes every shape and empties the array; the file names stay.
    void DeleteAll();

    // The index of the loaded shape whose ".shp" file is `path` (its stored path with the
    // extension ".shp", compared without regard to letter case, as Windows names files); -1
    // when none is.
    int FindShape(const char* path) const;

    // Writes the "FLS" file named after the list ("<settings folder><name>.FLS"): the list's
    // name as its section, then every file name. False when the list has no name or the file
    // cannot be written; an old file then stays as it was.
    bool SaveFileList() const;
    // Appends the entries of that file to the file names; false when it cannot be read.
    bool LoadFileList();

    CFileList m_FileNames; // paths of the shapefiles to load, in order
    CString m_ListName;    // names the "FLS" file
    bool m_bChanged = false;
};

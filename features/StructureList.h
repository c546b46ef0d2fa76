// CStructureList: the structure files a program has loaded, the edit state of the structure
// pane and chart, and the outline shapes that structures are drawn with.
#pragma once

#include "features/Dxf.h"
#include "features/FeatureList.h"
#include "features/Structure.h"
#include "platform/core/Array.h"
#include "platform/core/List.h"
#include "platform/core/String.h"

// An outline drawing a structure can be drawn with: the drawing, the file it was read from (its
// file title is the shape's name) and its extent in drawing units.
class CStructureShape : public CDxf
{
public:
    CStructureShape() = default;
    virtual ~CStructureShape() = default;

    // The file title of the path: what a structure's shape name refers to.
    CString GetName() const;
    double GetWidth() const { return m_MaxX - m_MinX; }
    double GetHeight() const { return m_MaxY - m_MinY; }

    CString m_FilePath;
    double m_MinX = 0.0;
    double m_MinY = 0.0;
    double m_MaxX = 0.0;
    double m_MaxY = 0.0;
};

// The shapes, in the order the owning program found them; a structure's shape index counts
// from 1 in this order.
class CStructureShapeList : public CList<CStructureShape*, CStructureShape*>
{
};

// The list owns its structure files and its shapes: it deletes each one it still holds when it
// is destroyed.
class CStructureList : public CArray<CStructure*, CStructure*>, public CFeatureList
{
public:
    CStructureList() = default;
    CStructureList(const CStructureList&) = delete;
    CStructureList& operator=(const CStructureList&) = delete;
    ~CStructureList() override;

    // Deletes every structure file and empties the list; the shapes stay.
    void DeleteAll();
    // Deletes every shape.
    void DeleteAllShapes();

    // `name`, or "Structure <index + 1>" when it is empty or a default name: "Structure" alone
    // or followed by one blank and a number ("Structure 12"). Any other name is the user's and
    // is kept, "Structure A" and "Structures" included. `index` is 0-based.
    static CString MakeStructureName(const char* name, int index);

    // Loads the structure file `path` and appends it, unless the path is empty or a loaded file
    // has exactly this path (then nothing happens and the result is false). A file that is missing or holds
    // no structure gets one default structure ("Structure 1", shown, the first shape), so an added file is
    // never empty. The file list is saved afterwards. A file the reader refused is not added:
    // false, and m_strRefusal says why.
    bool AddFile(const char* path);

    // Saves the edit indices, then writes the "Structure" file list with the path of every
    // loaded file in list order. True when the file list was written.
    bool SaveFileList();

    // Selects file `file` and structure `point` for editing (negative: the current one); an
    // index out of range leaves -1 there.
    void SetEditPoint(int file, int point);

    // The path of the file at the edit file index; empty when there is none.
    CString GetEditFileName() const;
    // Writes the file at the edit file index. False when there is none or it cannot be written.
    bool Save();

    // The structure `structure` of file `file`, or null when either index is out of range.
    const StructureDef* GetStructure(int file, int structure) const;

    // The shape the structure is drawn with: the shape at its index when that shape has its
    // shape name (case-sensitive), else the first shape with that name, else the shape at its
    // index. Null when an index is out of range or nothing fits.
    CStructureShape* FindShape(int file, int structure) const;
    // Width and height of the structure's shape (drawing units); (0, 0) without one.
    void GetShapeSize(int file, int structure, double* width, double* height) const;
    // The structure's length over the larger of its shape's width and height: what turns
    // drawing units into metres. 1.0 when an index is out of range or the shape has no extent.
    double GetShapeScale(int file, int structure) const;
    // Gives a record without a shape the first shape: shape index 1, its name, and a length
    // equal to its larger extent (drawn at scale 1). Nothing when there are no shapes.
    void SetDefaultShape(StructureDef& record) const;

    CStructureShapeList m_Shapes;
    bool m_Modified = false; // set by the panes when a file's state changes

private:
    CStructureShape* ShapeAt(int shapeIndex) const;
};

// CStructure: one file of structures, the fixed objects (platforms, jackets, wellheads) placed
// on the survey chart, each drawn with an outline shape scaled to its length.
//
// The file is text, one block of eight lines a structure and an empty line between blocks:
//   STRUCTURE <shape index>
//   NAME <name>
//   SHAPE <shape name>
//   SHOW 1|0
//   <easting>E <northing>
//   HEIGHT <metres>
//   HEADING <degrees>
//   LENGTH <metres>
// Lines are taken by their place in the block; only the first line's keyword is looked at.
#pragma once

#include "features/FeatureCommon.h"
#include "foundation/XYArray.h"
#include "platform/core/Array.h"
#include "platform/core/String.h"

#include <cstdint>

// One structure. Copies are member-wise, both texts included.
struct StructureDef
{
    // A cleared record: shown, texts empty, every number 0.
    StructureDef();

    int ShapeIndex; // 1-based place of the shape in the list's shapes; 0 none
    CString Name;   // the structure's name
    CString Shape;  // name of the outline shape: the file title of the shape's file
    bool Show;      // drawn on the chart
    tagXY Position; // easting, northing (grid metres)
    double Height;  // metres
    double Heading; // degrees clockwise from grid north, [0, 360]
    double Length;  // metres: the size to which the shape's larger extent is scaled
    // Working values of the panes and the chart; never stored, cleared on every read.
    double Work[4];
    uint8_t WorkBlock[2][32];
};

// One structure file: its records and its feature state (path, title, shown, highlighted).
class CStructure : public CArray<StructureDef, StructureDef>, public CFeatureCommon
{
public:
    CStructure() = default;
    ~CStructure() override = default;

    // Reads the structure file `path`; a null path means "StructureConfig.dat" in the
    // "Structures" data folder. The records are replaced by those read. A block cut short by the
    // end of the file is dropped; a heading outside [0, 360] is read as 0; a default or empty
    // name becomes "Structure <n>" of its place. True when at least one structure was read.
    bool Load(const char* path);

    // Writes every record to the feature's file path, whole or not at all. False when the
    // feature has no path or the file cannot be written; the old file then stays as it was.
    bool Save() const;

    // "<Structures data folder>StructureConfig.dat".
    static CString GetDefaultFilePath();
};

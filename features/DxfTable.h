// The table entries of a DXF drawing (layers, line types, text styles, dimension styles) and its
// block definitions, each filled pair by pair from its group codes as CDxfEntity is.
#pragma once

#include "features/DxfEntity.h"
#include "platform/core/Array.h"
#include "platform/core/List.h"
#include "platform/core/String.h"

#include <cstdint>

// A LAYER table entry.
class CDxfLayer
{
public:
    void ReadCode(int code, const char* value);

    int32_t m_Kind = 8;
    CString m_Name;         // code 2
    int32_t m_Flags = 0;    // code 70
    int32_t m_Colour = 0;   // code 62: a DXF colour number; negative while the layer is off
    CString m_LineTypeName; // code 6
};

// An LTYPE table entry: a dash pattern.
class CDxfLineType
{
public:
    void ReadCode(int code, const char* value);

    CString m_Name;                   // code 2
    CString m_Description;            // code 3
    int32_t m_Flags = 0;              // code 70
    int32_t m_ElementCount = 0;       // code 73
    double m_PatternLength = 0.0;     // code 40, drawing units
    CArray<double, double> m_Pattern; // one code 49 each: dashes (> 0), gaps (< 0), dots (0)
};

// A STYLE table entry: a text style.
class CDxfStyle
{
public:
    void ReadCode(int code, const char* value);

    CString m_Name;                // code 2
    CString m_FontFile;            // code 3
    double m_Height = 0.0;         // code 40; 0 when not fixed
    double m_WidthFactor = 0.0;    // code 41
    double m_LastHeight = 0.0;     // code 42
    double m_Oblique = 0.0;        // code 50, degrees
    int32_t m_GenerationFlags = 0; // code 71
    int32_t m_Flags = 0;           // code 70
};

// A DIMSTYLE table entry: the dimension variables the views use.
class CDxfDimStyle
{
public:
    void ReadCode(int code, const char* value);

    CString m_Name;                 // code 2
    int32_t m_Flags = 0;            // code 70
    CString m_Post;                 // code 3: DIMPOST, prefix and suffix of the measurement
    CString m_Block1;               // code 6: DIMBLK1
    CString m_Block2;               // code 7: DIMBLK2
    double m_ArrowSize = 0.0;       // code 41: DIMASZ
    double m_ExtensionOffset = 0.0; // code 42: DIMEXO
    double m_ExtensionExtend = 0.0; // code 44: DIMEXE
    double m_LineExtend = 0.0;      // code 46: DIMDLE
    int32_t m_TextAbove = 0;        // code 77: DIMTAD
    double m_TextHeight = 0.0;      // code 140: DIMTXT
    double m_TextGap = 0.0;         // code 147: DIMGAP
    int32_t m_LineColour = 0;       // code 176: DIMCLRD
    int32_t m_ExtensionColour = 0;  // code 177: DIMCLRE
    int32_t m_TextColour = 0;       // code 178: DIMCLRT
    CString m_TextStyleHandle;      // code 340: DIMTXSTY
};

// A block definition of the BLOCKS section with its own entities, in the block's coordinates.
class CDxfBlock
{
public:
    void ReadCode(int code, const char* value);

    DxfPointDef m_Base{0.0, 0.0, 0.0}; // codes 10, 20, 30
    int32_t m_Flags = 0;               // code 70
    CString m_Name;                    // code 2 or 3, the later one
    CString m_LayerName;               // code 8
    CDxfLayer* m_pLayer = nullptr;     // the first layer with that name
    CDxfEntityList m_Entities;         // owned by the drawing
};

class CDxfLayerList : public CList<CDxfLayer*, CDxfLayer*>
{
};
class CDxfLineTypeList : public CList<CDxfLineType*, CDxfLineType*>
{
};
class CDxfStyleList : public CList<CDxfStyle*, CDxfStyle*>
{
};
class CDxfDimStyleList : public CList<CDxfDimStyle*, CDxfDimStyle*>
{
};
class CDxfBlockList : public CList<CDxfBlock*, CDxfBlock*>
{
};

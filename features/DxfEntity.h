// The drawing entities a DXF drawing is read into (CDxfEntity and one class per kind that keeps
// fields of its own), for the outline and chart views to draw and for the conversion to
// digitised data. Each entity is filled pair by pair from its group codes; codes it does not
// know are ignored.
//
// Units: coordinates in drawing units as the file gives them; angles in degrees. Arc angles are
// kept as bearings (clockwise from north): 90 - the DXF angle, plus 360 when negative.
#pragma once

#include "foundation/XYArray.h"
#include "platform/core/Array.h"
#include "platform/core/List.h"
#include "platform/core/String.h"

#include <cstdint>

class CDxfLayer;
class CDxfLineType;

// Entity kinds (the values of CDxfEntity::m_Kind).
enum DXF_ENTITY_KIND
{
    DXF_POINT = 1,
    DXF_LINE = 2,
    DXF_CIRCLE = 4,
    DXF_ARC = 8,
    DXF_ELLIPSE = 16,
    DXF_POLYLINE = 17,
    DXF_VERTEX = 18,
    DXF_LWPOLYLINE = 20,
    DXF_SOLID = 24,
    DXF_TEXT = 32, // TEXT and MTEXT
    DXF_INSERT = 33,
    DXF_HATCH = 40,
    DXF_3DSOLID = 64,
    DXF_ATTDEF = 65,
    DXF_SPLINE = 66,
    DXF_VIEWPORT = 68,
    DXF_REGION = 72
};

struct DxfPointDef
{
    double x;
    double y;
    double z;
};

// One vertex of a POLYLINE (from its VERTEX entities) or of a LWPOLYLINE.
struct DxfVertexDef
{
    double x;
    double y;
    double z;
    double Bulge;  // code 42: tangent of a quarter of the arc's angle to the next vertex; 0 straight
    int32_t Flags; // code 70
};

class CDxfVertexArray : public CArray<DxfVertexDef, const DxfVertexDef&>
{
};

// What every entity has; entities of the kinds kept for display only (HATCH, 3DSOLID, ATTDEF,
// SPLINE, VIEWPORT, REGION) are plain CDxfEntity objects.
class CDxfEntity
{
public:
    explicit CDxfEntity(int kind);
    virtual ~CDxfEntity() = default;
    CDxfEntity(const CDxfEntity&) = delete;
    CDxfEntity& operator=(const CDxfEntity&) = delete;

    // A new entity for the entity name of a code-0 pair ("LINE", "MTEXT"...; exact letter
    // case); null for names that are not kept.
    static CDxfEntity* Create(const char* name);

    // Takes one group of the entity. The base takes the common codes: 5 handle, 6 line-type
    // name, 8 layer name, 39 thickness, 48 line-type scale, 62 colour.
    virtual void ReadCode(int code, const char* value);
    // Called once the entity's last group was read (texts are cleaned, outlines made).
    virtual void Complete() {}

    int32_t m_Kind;
    CString m_Handle;
    CString m_LayerName;
    bool m_Visible = true;
    CString m_LineTypeName;
    int32_t m_Colour = 0; // DXF colour number: 0 by block, 256 by layer, 1..255 a colour
    double m_Thickness = 0.0;
    double m_LineTypeScale = 1.0;
    CDxfLayer* m_pLayer = nullptr;       // the first layer of the LAYER table with the layer name
    CDxfLineType* m_pLineType = nullptr; // the first line type of the LTYPE table with that name
};

class CDxfPoint : public CDxfEntity
{
public:
    CDxfPoint() : CDxfEntity(DXF_POINT) {}
    void ReadCode(int code, const char* value) override;
    DxfPointDef m_Position{0.0, 0.0, 0.0};
};

class CDxfLine : public CDxfEntity
{
public:
    CDxfLine() : CDxfEntity(DXF_LINE) {}
    void ReadCode(int code, const char* value) override;
    DxfPointDef m_Start{0.0, 0.0, 0.0};
    DxfPointDef m_End{0.0, 0.0, 0.0};
};

class CDxfCircle : public CDxfEntity
{
public:
    CDxfCircle() : CDxfEntity(DXF_CIRCLE) {}
    void ReadCode(int code, const char* value) override;
    DxfPointDef m_Centre{0.0, 0.0, 0.0};
    double m_Radius = 0.0;
};

class CDxfArc : public CDxfEntity
{
public:
    CDxfArc() : CDxfEntity(DXF_ARC) {}
    void ReadCode(int code, const char* value) override;
    // The bearing (degrees, [0, 360]) of a DXF angle (degrees anticlockwise from east).
    static double BearingOfAngle(double angle);
    DxfPointDef m_Centre{0.0, 0.0, 0.0};
    double m_Radius = 0.0;
    double m_StartBearing = 0.0; // of the DXF start angle (code 50)
    double m_EndBearing = 360.0; // of the DXF end angle (code 51)
};

class CDxfEllipse : public CDxfEntity
{
public:
    CDxfEllipse() : CDxfEntity(DXF_ELLIPSE) {}
    void ReadCode(int code, const char* value) override;
    // Makes the outline: the whole ellipse at parameters 0, 10, ... 360 degrees.
    void Complete() override;
    DxfPointDef m_Centre{0.0, 0.0, 0.0};
    DxfPointDef m_MajorAxisEnd{0.0, 0.0, 0.0}; // relative to the centre
    double m_AxisRatio = 0.0;                  // minor over major axis
    double m_StartParameter = 0.0;             // radians
    double m_EndParameter = 0.0;               // radians
    static const int kOutlinePoints = 37;
    tagXY m_Outline[kOutlinePoints] = {};
};

// POLYLINE (its vertices from the VERTEX entities that follow it) and LWPOLYLINE.
class CDxfPolyline : public CDxfEntity
{
public:
    explicit CDxfPolyline(int kind) : CDxfEntity(kind) {}
    void ReadCode(int code, const char* value) override;
    // Takes one group of a VERTEX entity of this polyline: a new vertex on code 0.
    void BeginVertex();
    void ReadVertexCode(int code, const char* value);
    bool IsClosed() const { return (m_Flags & 1) != 0; }
    int32_t m_Flags = 0; // code 70; bit 0 closed
    CDxfVertexArray m_Vertices;

private:
    double m_PendingX = 0.0; // LWPOLYLINE: the x (code 10) of the vertex its next code 20 makes
};

class CDxfSolid : public CDxfEntity
{
public:
    CDxfSolid() : CDxfEntity(DXF_SOLID) {}
    void ReadCode(int code, const char* value) override;
    DxfPointDef m_Corners[4] = {};
};

// TEXT and MTEXT.
class CDxfText : public CDxfEntity
{
public:
    explicit CDxfText(bool multiLine) : CDxfEntity(DXF_TEXT), m_bMultiLine(multiLine) {}
    void ReadCode(int code, const char* value) override;
    void Complete() override;
    // "%%D" as the degree sign, "%%P" as plus-minus (either letter case); a text that begins
    // with "{\" and ends with "}" keeps what lies between its first ';' and that brace.
    static CString CleanText(const char* text);

    bool m_bMultiLine;
    CString m_Text;
    CString m_StyleName;
    DxfPointDef m_Insertion{0.0, 0.0, 0.0};
    DxfPointDef m_Alignment{0.0, 0.0, 0.0};
    double m_Height = 0.0;
    double m_WidthFactor = 0.0;
    double m_CharacterWidth = 0.0; // height * width factor / 1.513157895
    double m_Rotation = 0.0;       // degrees
    double m_Oblique = 0.0;        // degrees
    int32_t m_GenerationFlags = 0;
    int32_t m_HorizontalJustification = 0;
    int32_t m_VerticalJustification = 0;

private:
    CString m_Chunks; // MTEXT: the code-3 chunks that come before the last part (code 1)
};

class CDxfInsert : public CDxfEntity
{
public:
    CDxfInsert() : CDxfEntity(DXF_INSERT) {}
    void ReadCode(int code, const char* value) override;
    CString m_BlockName; // code 2
    DxfPointDef m_Insertion{0.0, 0.0, 0.0};
    double m_ScaleX = 1.0;
    double m_ScaleY = 1.0;
    double m_ScaleZ = 1.0;
    double m_Rotation = 0.0; // degrees
};

// The entities of a section or block, in file order. The list does not own them (CDxf does).
class CDxfEntityList : public CList<CDxfEntity*, CDxfEntity*>
{
};

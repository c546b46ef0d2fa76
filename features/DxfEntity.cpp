#include "features/DxfEntity.h"

#include "foundation/TextFunctions.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace
{
const double kPi = 3.14159265358979323846;
const double kTextWidthRatio = 1.513157895;

double Number(const char* value)
{
    return AtofC(value);
}

int Integer(const char* value)
{
    return std::atoi(value);
}

// Codes 10/20/30 (+ offset) of a point; false for other codes.
bool ReadPoint(int code, const char* value, int first, DxfPointDef& point)
{
    if (code == first)
        point.x = Number(value);
    else if (code == first + 10)
        point.y = Number(value);
    else if (code == first + 20)
        point.z = Number(value);
    else
        return false;
    return true;
}
} // namespace

CDxfEntity::CDxfEntity(int kind) : m_Kind(kind) {}

CDxfEntity* CDxfEntity::Create(const char* name)
{
    // The names most drawings are made of first.
    if (std::strcmp(name, "LINE") == 0)
        return new CDxfLine;
    if (std::strcmp(name, "LWPOLYLINE") == 0)
        return new CDxfPolyline(DXF_LWPOLYLINE);
    if (std::strcmp(name, "POLYLINE") == 0)
        return new CDxfPolyline(DXF_POLYLINE);
    if (std::strcmp(name, "TEXT") == 0)
        return new CDxfText(false);
    if (std::strcmp(name, "MTEXT") == 0)
        return new CDxfText(true);
    if (std::strcmp(name, "ARC") == 0)
        return new CDxfArc;
    if (std::strcmp(name, "CIRCLE") == 0)
        return new CDxfCircle;
    if (std::strcmp(name, "POINT") == 0)
        return new CDxfPoint;
    if (std::strcmp(name, "SOLID") == 0)
        return new CDxfSolid;
    if (std::strcmp(name, "INSERT") == 0)
        return new CDxfInsert;
    if (std::strcmp(name, "ELLIPSE") == 0)
        return new CDxfEllipse;
    static const struct
    {
        const char* name;
        int kind;
    } kPlain[] = {{"HATCH", DXF_HATCH},   {"3DSOLID", DXF_3DSOLID},   {"ATTDEF", DXF_ATTDEF},
                  {"SPLINE", DXF_SPLINE}, {"VIEWPORT", DXF_VIEWPORT}, {"REGION", DXF_REGION}};
    for (const auto& plain : kPlain)
    {
        if (std::strcmp(name, plain.name) == 0)
            return new CDxfEntity(plain.kind);
    }
    return nullptr;
}

void CDxfEntity::ReadCode(int code, const char* value)
{
    switch (code)
    {
    case 5:
        m_Handle = value;
        break;
    case 6:
        m_LineTypeName = value;
        break;
    case 8:
        m_LayerName = value;
        break;
    case 39:
        m_Thickness = Number(value);
        break;
    case 48:
        m_LineTypeScale = Number(value);
        break;
    case 62:
        m_Colour = Integer(value);
        break;
    default:
        break;
    }
}

void CDxfPoint::ReadCode(int code, const char* value)
{
    if (!ReadPoint(code, value, 10, m_Position))
        CDxfEntity::ReadCode(code, value);
}

void CDxfLine::ReadCode(int code, const char* value)
{
    if (!ReadPoint(code, value, 10, m_Start) && !ReadPoint(code, value, 11, m_End))
        CDxfEntity::ReadCode(code, value);
}

void CDxfCircle::ReadCode(int code, const char* value)
{
    if (ReadPoint(code, value, 10, m_Centre))
        return;
    if (code == 40)
        m_Radius = Number(value);
    else
        CDxfEntity::ReadCode(code, value);
}

double CDxfArc::BearingOfAngle(double angle)
{
    double bearing = 90.0 - angle;
    if (bearing < 0.0)
        bearing += 360.0;
    return bearing;
}

void CDxfArc::ReadCode(int code, const char* value)
{
    if (ReadPoint(code, value, 10, m_Centre))
        return;
    if (code == 40)
        m_Radius = Number(value);
    else if (code == 50)
        m_StartBearing = BearingOfAngle(Number(value));
    else if (code == 51)
        m_EndBearing = BearingOfAngle(Number(value));
    else
        CDxfEntity::ReadCode(code, value);
}

void CDxfEllipse::ReadCode(int code, const char* value)
{
    if (ReadPoint(code, value, 10, m_Centre) || ReadPoint(code, value, 11, m_MajorAxisEnd))
        return;
    if (code == 40)
        m_AxisRatio = Number(value);
    else if (code == 41)
        m_StartParameter = Number(value);
    else if (code == 42)
        m_EndParameter = Number(value);
    else
        CDxfEntity::ReadCode(code, value);
}

void CDxfEllipse::Complete()
{
    // Bearing of the major axis; the minor axis lies a quarter turn anticlockwise of it, the
    // way DXF parameters run.
    double phi = std::atan2(m_MajorAxisEnd.x, m_MajorAxisEnd.y);
    if (phi < 0.0)
        phi += 2.0 * kPi;
    const double major = std::hypot(m_MajorAxisEnd.x, m_MajorAxisEnd.y);
    const double minor = m_AxisRatio * major;
    const double ux = std::sin(phi);
    const double uy = std::cos(phi);
    const double wx = -uy;
    const double wy = ux;
    for (int i = 0; i < kOutlinePoints; ++i)
    {
        const double t = i * 0.17453292519943295;
        const double a = major * std::cos(t);
        const double b = minor * std::sin(t);
        m_Outline[i].x = m_Centre.x + a * ux + b * wx;
        m_Outline[i].y = m_Centre.y + a * uy + b * wy;
    }
}

void CDxfPolyline::ReadCode(int code, const char* value)
{
    if (code == 70)
    {
        m_Flags = Integer(value);
        return;
    }
    if (m_Kind == DXF_LWPOLYLINE)
    {
        switch (code)
        {
        case 10:
            m_PendingX = Number(value);
            return;
        case 20: {
            DxfVertexDef vertex{m_PendingX, Number(value), 0.0, 0.0, 0};
            m_Vertices.Add(vertex);
            return;
        }
        case 42:
            // The bulge follows the coordinates of the vertex it belongs to.
            if (m_Vertices.GetSize() > 0)
                m_Vertices[m_Vertices.GetSize() - 1].Bulge = Number(value);
            return;
        case 30:
        case 90:
            return;
        default:
            break;
        }
    }
    CDxfEntity::ReadCode(code, value);
}

void CDxfPolyline::BeginVertex()
{
    DxfVertexDef vertex{0.0, 0.0, 0.0, 0.0, 0};
    m_Vertices.Add(vertex);
}

void CDxfPolyline::ReadVertexCode(int code, const char* value)
{
    if (m_Vertices.GetSize() == 0)
        return;
    DxfVertexDef& vertex = m_Vertices[m_Vertices.GetSize() - 1];
    switch (code)
    {
    case 10:
        vertex.x = Number(value);
        break;
    case 20:
        vertex.y = Number(value);
        break;
    case 30:
        vertex.z = Number(value);
        break;
    case 42:
        vertex.Bulge = Number(value);
        break;
    case 70:
        vertex.Flags = Integer(value);
        break;
    default:
        break;
    }
}

void CDxfSolid::ReadCode(int code, const char* value)
{
    for (int i = 0; i < 4; ++i)
    {
        if (ReadPoint(code, value, 10 + i, m_Corners[i]))
            return;
    }
    CDxfEntity::ReadCode(code, value);
}

CString CDxfText::CleanText(const char* text)
{
    CString clean(text);
    clean.Replace("%%D", "\xB0");
    clean.Replace("%%d", "\xB0");
    clean.Replace("%%P", "\xB1");
    clean.Replace("%%p", "\xB1");
    const int length = clean.GetLength();
    if (length >= 2 && clean[0] == '{' && clean[1] == '\\' && clean[length - 1] == '}')
    {
        const int semicolon = clean.Find(';');
        if (semicolon >= 0)
            clean = clean.Mid(semicolon + 1, length - 1 - (semicolon + 1));
    }
    return clean;
}

void CDxfText::ReadCode(int code, const char* value)
{
    switch (code)
    {
    case 1:
        // MTEXT longer than 250 characters comes as code-3 chunks followed by its last part
        // in code 1; the whole text is the chunks and that part, in order.
        m_Text = m_Chunks + value;
        break;
    case 3:
        m_Chunks += value;
        m_Text = m_Chunks;
        break;
    case 7:
        m_StyleName = value;
        break;
    case 40:
        m_Height = Number(value);
        break;
    case 41:
        m_WidthFactor = Number(value);
        m_CharacterWidth = m_Height * m_WidthFactor / kTextWidthRatio;
        break;
    case 50:
        m_Rotation = Number(value);
        break;
    case 51:
        m_Oblique = Number(value);
        break;
    case 71:
        m_GenerationFlags = Integer(value);
        break;
    case 72:
        m_HorizontalJustification = Integer(value);
        break;
    case 73:
        m_VerticalJustification = Integer(value);
        break;
    default:
        if (!ReadPoint(code, value, 10, m_Insertion) && !ReadPoint(code, value, 11, m_Alignment))
            CDxfEntity::ReadCode(code, value);
        break;
    }
}

void CDxfText::Complete()
{
    m_Text = CleanText(m_Text);
    m_Chunks.Empty();
}

void CDxfInsert::ReadCode(int code, const char* value)
{
    if (ReadPoint(code, value, 10, m_Insertion))
        return;
    switch (code)
    {
    case 2:
        m_BlockName = value;
        break;
    case 41:
        m_ScaleX = Number(value);
        break;
    case 42:
        m_ScaleY = Number(value);
        break;
    case 43:
        m_ScaleZ = Number(value);
        break;
    case 50:
        m_Rotation = Number(value);
        break;
    default:
        CDxfEntity::ReadCode(code, value);
        break;
    }
}

#include "features/DxfTable.h"

#include "foundation/TextFunctions.h"

#include <cstdlib>

void CDxfLayer::ReadCode(int code, const char* value)
{
    switch (code)
    {
    case 2:
        m_Name = value;
        break;
    case 70:
        m_Flags = std::atoi(value);
        break;
    case 62:
        m_Colour = std::atoi(value);
        break;
    case 6:
        m_LineTypeName = value;
        break;
    default:
        break;
    }
}

void CDxfLineType::ReadCode(int code, const char* value)
{
    switch (code)
    {
    case 2:
        m_Name = value;
        break;
    case 3:
        m_Description = value;
        break;
    case 70:
        m_Flags = std::atoi(value);
        break;
    case 73:
        m_ElementCount = std::atoi(value);
        break;
    case 40:
        m_PatternLength = AtofC(value);
        break;
    case 49:
        m_Pattern.Add(AtofC(value));
        break;
    default:
        break;
    }
}

void CDxfStyle::ReadCode(int code, const char* value)
{
    switch (code)
    {
    case 2:
        m_Name = value;
        break;
    case 3:
        m_FontFile = value;
        break;
    case 40:
        m_Height = AtofC(value);
        break;
    case 41:
        m_WidthFactor = AtofC(value);
        break;
    case 42:
        m_LastHeight = AtofC(value);
        break;
    case 50:
        m_Oblique = AtofC(value);
        break;
    case 71:
        m_GenerationFlags = std::atoi(value);
        break;
    case 70:
        m_Flags = std::atoi(value);
        break;
    default:
        break;
    }
}

void CDxfDimStyle::ReadCode(int code, const char* value)
{
    switch (code)
    {
    case 2:
        m_Name = value;
        break;
    case 70:
        m_Flags = std::atoi(value);
        break;
    case 3:
        m_Post = value;
        break;
    case 6:
        m_Block1 = value;
        break;
    case 7:
        m_Block2 = value;
        break;
    case 41:
        m_ArrowSize = AtofC(value);
        break;
    case 42:
        m_ExtensionOffset = AtofC(value);
        break;
    case 44:
        m_ExtensionExtend = AtofC(value);
        break;
    case 46:
        m_LineExtend = AtofC(value);
        break;
    case 77:
        m_TextAbove = std::atoi(value);
        break;
    case 140:
        m_TextHeight = AtofC(value);
        break;
    case 147:
        m_TextGap = AtofC(value);
        break;
    case 176:
        m_LineColour = std::atoi(value);
        break;
    case 177:
        m_ExtensionColour = std::atoi(value);
        break;
    case 178:
        m_TextColour = std::atoi(value);
        break;
    case 340:
        m_TextStyleHandle = value;
        break;
    default:
        break;
    }
}

void CDxfBlock::ReadCode(int code, const char* value)
{
    switch (code)
    {
    case 10:
        m_Base.x = AtofC(value);
        break;
    case 20:
        m_Base.y = AtofC(value);
        break;
    case 30:
        m_Base.z = AtofC(value);
        break;
    case 70:
        m_Flags = std::atoi(value);
        break;
    case 2:
    case 3:
        m_Name = value;
        break;
    case 8:
        m_LayerName = value;
        break;
    default:
        break;
    }
}

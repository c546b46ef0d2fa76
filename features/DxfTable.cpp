#include "features/DxfTable.h"

#include "foundation/TextFunctions.h"

#include <cstdlib>
#include <initializer_list>
#include <variant>

namespace
{
// A group code and the member its value goes to: text as read, whole numbers by atoi, reals by
// the C-locale atof.
struct CodeField
{
    int code;
    std::variant<CString*, int32_t*, double*> target;
};

void SetField(int code, const char* value, std::initializer_list<CodeField> fields)
{
    for (const CodeField& field : fields)
    {
        if (field.code != code)
            continue;
        if (CString* const* text = std::get_if<CString*>(&field.target))
            **text = value;
        else if (int32_t* const* whole = std::get_if<int32_t*>(&field.target))
            **whole = std::atoi(value);
        else
            *std::get<double*>(field.target) = AtofC(value);
        return;
    }
}
} // namespace

void CDxfLayer::ReadCode(int code, const char* value)
{
    SetField(code, value, {{2, &m_Name}, {70, &m_Flags}, {62, &m_Colour}, {6, &m_LineTypeName}});
}

void CDxfLineType::ReadCode(int code, const char* value)
{
    if (code == 49)
        m_Pattern.Add(AtofC(value));
    else
        SetField(code, value,
                 {{2, &m_Name},
                  {3, &m_Description},
                  {70, &m_Flags},
                  {73, &m_ElementCount},
                  {40, &m_PatternLength}});
}

void CDxfStyle::ReadCode(int code, const char* value)
{
    SetField(code, value,
             {{2, &m_Name},
              {3, &m_FontFile},
              {40, &m_Height},
              {41, &m_WidthFactor},
              {42, &m_LastHeight},
              {50, &m_Oblique},
              {71, &m_GenerationFlags},
              {70, &m_Flags}});
}

void CDxfDimStyle::ReadCode(int code, const char* value)
{
    SetField(code, value,
             {{2, &m_Name},
              {70, &m_Flags},
              {3, &m_Post},
              {6, &m_Block1},
              {7, &m_Block2},
              {41, &m_ArrowSize},
              {42, &m_ExtensionOffset},
              {44, &m_ExtensionExtend},
              {46, &m_LineExtend},
              {77, &m_TextAbove},
              {140, &m_TextHeight},
              {147, &m_TextGap},
              {176, &m_LineColour},
              {177, &m_ExtensionColour},
              {178, &m_TextColour},
              {340, &m_TextStyleHandle}});
}

void CDxfBlock::ReadCode(int code, const char* value)
{
    SetField(code, value,
             {{10, &m_Base.x},
              {20, &m_Base.y},
              {30, &m_Base.z},
              {70, &m_Flags},
              {2, &m_Name},
              {3, &m_Name},
              {8, &m_LayerName}});
}

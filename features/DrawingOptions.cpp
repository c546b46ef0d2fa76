#include "features/DrawingOptions.h"

#include "platform/core/Exception.h"

#include <cmath>
#include <cstdint>

namespace
{
const UINT kWriteFlags = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText;
const UINT kReadFlags = CFile::modeRead | CFile::shareDenyWrite | CFile::typeText;

const VECTOR_SYMBOL kDefaultSymbol = VECTOR_FILLED_SQUARE;
const SYMBOL_SIZE kDefaultSize = SYMBOL_MEDIUM;
const int16_t kDefaultPenStyle = 0; // solid
const int16_t kDefaultThickness = LINE_THICKNESS_DEFAULT;
const COLORREF kDefaultColour = 0xFF0000; // blue
const int16_t kDefaultFill = 4;
const SYMBOL_LABEL_MODE kDefaultLabelMode = LABEL_MODE_NAME;
const LABEL_POSITION kDefaultLabelPosition = LABEL_POS_BOTTOM;
} // namespace

COLORREF ColourFromSetting(double value, COLORREF fallback)
{
    // Converting a double outside the range of the integer it becomes is undefined: such a
    // value (or a NaN from a damaged line) must not decide the colour.
    const double whole = std::trunc(value);
    if (!(whole > -9.2e18 && whole < 9.2e18))
        return fallback;
    return static_cast<COLORREF>(static_cast<uint64_t>(static_cast<int64_t>(whole)));
}

CDrawingOptions::CDrawingOptions()
{
    SetDefaults();
}

void CDrawingOptions::SetDefaults()
{
    m_VectorSymbol = kDefaultSymbol;
    m_SymbolSize = kDefaultSize;
    m_Pen = {kDefaultPenStyle, kDefaultThickness, kDefaultColour, kDefaultFill};
    m_LabelMode = kDefaultLabelMode;
    m_LabelPosition = kDefaultLabelPosition;
    m_ShowLegLabel = false;
}

CString CDrawingOptions::GetFileName(const char* folder, const char* name)
{
    return CConfigFile::MakeFileName(folder, name, "DRW");
}

// The writer and its reader: keep the two in the same order.
void CDrawingOptions::Save(const char* folder, const char* name) const
{
    CConfigFile::WriteWhole(GetFileName(folder, name), kWriteFlags, [&](CConfigFile& file) {
        file.WriteInt("Vector Symbol", m_VectorSymbol);
        file.WriteInt("Symbol Size", m_SymbolSize);
        file.WriteUnsigned("Colour", m_Pen.Colour);
        file.WriteInt("Line Thickness", m_Pen.nThickness);
        file.WriteInt("Fill", m_Pen.nFill);
        file.WriteInt("Pen Style", m_Pen.nStyle);
        file.WriteInt("Label Mode", m_LabelMode);
        file.WriteInt("Label Position", m_LabelPosition);
        file.WriteBool("Show Leg Label", m_ShowLegLabel);
    });
}

bool CDrawingOptions::Load(const char* folder, const char* name)
{
    SetDefaults();
    // What was read before the failure stands; the rest keeps its default.
    return CConfigFile::ReadWhole(GetFileName(folder, name), kReadFlags, [this](CConfigFile& file) {
        m_VectorSymbol = static_cast<VECTOR_SYMBOL>(file.ReadShort(kDefaultSymbol));
        m_SymbolSize = static_cast<SYMBOL_SIZE>(file.ReadShort(kDefaultSize));
        m_Pen.Colour = ColourFromSetting(file.ReadDouble(kDefaultColour), kDefaultColour);
        m_Pen.nThickness = file.ReadShort(kDefaultThickness);
        m_Pen.nFill = file.ReadShort(kDefaultFill);
        m_Pen.nStyle = file.ReadShort(kDefaultPenStyle);
        m_LabelMode = static_cast<SYMBOL_LABEL_MODE>(file.ReadShort(kDefaultLabelMode));
        m_LabelPosition = static_cast<LABEL_POSITION>(file.ReadShort(kDefaultLabelPosition));
        m_ShowLegLabel = file.ReadShort(0) != 0;
    });
}

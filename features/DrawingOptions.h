// CDrawingOptions: how a boundary, route or sail line is drawn on the chart (the symbol at each
// point, its size, the line's pen and fill, and the label beside each point), kept per feature
// file in a "DRW" companion file in the data folder of the feature kind.
#pragma once

#include "foundation/ConfigFile.h"
#include "foundation/SymbolTypes.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

// A colour as settings files store it: a decimal number read as a double, truncated and kept
// to its low 32 bits (so -1 is 0xFFFFFFFF). A value that is not a number, or beyond any
// 64-bit integer, gives `fallback`.
COLORREF ColourFromSetting(double value, COLORREF fallback);

// A non-virtual base of the drawn features; its members keep this order and these widths.
class CDrawingOptions
{
public:
    // The defaults: symbol 5, medium size, a solid blue pen of thickness 1 and fill 4, labels
    // by name below each point, no leg labels.
    CDrawingOptions();

    void SetDefaults();

    // Reads "<folder><name>.DRW". A missing file gives the defaults and false; a missing line
    // (or one without '=') gives that option its default. Values are taken in file order
    // whatever their keys say.
    bool Load(const char* folder, const char* name);
    // Writes "<folder><name>.DRW" whole; skipped silently when it cannot be created.
    void Save(const char* folder, const char* name) const;

    static CString GetFileName(const char* folder, const char* name);

    CString m_Text; // kept for the panes; not in the file
    VECTOR_SYMBOL m_VectorSymbol;
    SYMBOL_SIZE m_SymbolSize;
    tagPen m_Pen; // style, thickness (LINE_THICKNESS), colour, fill
    SYMBOL_LABEL_MODE m_LabelMode;
    LABEL_POSITION m_LabelPosition;
    bool m_ShowLegLabel;
};

// The chart view's point symbols, their labels and the marks of live editing.
#include "chart/view/GridView.h"

namespace
{
// The resource id of each symbol bitmap a feature names by its number 1..10.
const UINT kBitmapOfSymbol[CGridView::kSymbolBitmaps] = {12000, 12001, 12023, 12018, 12020,
                                                         12007, 12016, 12010, 12004, 12013};
constexpr COLORREF kSymbolWhite = 0xFFFFFF;
} // namespace

void CGridView::DrawSymbol(const tagXY& position, short bitmap, short shape, short /*spare*/, COLORREF pen,
                           COLORREF fill, SYMBOL_SIZE size, const char* label, SYMBOL_LABEL_MODE labelMode,
                           LABEL_POSITION labelPosition)
{
    if (size == SYMBOL_NONE)
        return;
    int x = 0, y = 0;
    if (m_Plot.IsOutside(position.x, position.y, &x, &y))
        return;

    int offset = 16;
    if (bitmap == 0)
    {
        const int across = 4 * size + 4;
        m_Plot.DrawVectorSymbol(shape, fill, pen, across, x, y);
        offset = across / 2 + 5;
        if (shape == 0)
            labelPosition = LABEL_POS_NONE;
    }
    else if (bitmap >= 1 && bitmap <= kSymbolBitmaps)
    {
        for (int i = 0; i < kSymbolBitmaps; ++i)
        {
            if (symbolBitmapIds[i] != kBitmapOfSymbol[bitmap - 1])
                continue;
            CBitmap& strip = m_Bitmaps[1 + i];
            BITMAP info{};
            if (strip.GetSafeHandle() != nullptr && strip.GetBitmap(&info) != 0)
                m_Plot.DrawBitmapSymbol(&strip, 0, size, x, y, info.bmWidth, info.bmHeight / 2, info.bmWidth / 2,
                                        info.bmHeight / 4);
        }
        offset = labelPosition == LABEL_POS_TOP ? 64 : 16;
    }

    const bool named = label != nullptr && *label != '\0';
    CString text;
    switch (labelMode)
    {
    case LABEL_MODE_NAME:
    case LABEL_MODE_DESCRIPTION: text = named ? label : ""; break;
    case LABEL_MODE_POSITION: text.Format("%.*lfE\n%.*lfN", 3, position.x, 3, position.y); break;
    case LABEL_MODE_NAME_POSITION:
        if (named)
            text.Format("%s\n%.*lfE\n%.*lfN", label, 3, position.x, 3, position.y);
        else
            text.Format("%.*lfE\n%.*lfN", 3, position.x, 3, position.y);
        break;
    default: break;
    }
    if (!text.IsEmpty())
        m_Plot.DrawLabel(text, offset, labelPosition, x, y);
}

void CGridView::DrawVectorSymbol(double easting, double northing, short shape, COLORREF colour, SYMBOL_SIZE size,
                                 const char* label, SYMBOL_LABEL_MODE labelMode, LABEL_POSITION labelPosition)
{
    DrawSymbol(tagXY{easting, northing}, 0, shape, 0, colour, colour, size, label, labelMode, labelPosition);
}

void CGridView::DrawVectorSymbol(const tagXY& position, short shape, COLORREF colour, SYMBOL_SIZE size,
                                 const char* label, SYMBOL_LABEL_MODE labelMode, LABEL_POSITION labelPosition)
{
    DrawSymbol(position, 0, shape, 0, colour, colour, size, label, labelMode, labelPosition);
}

void CGridView::DrawEditMark(const tagXY& position, bool picked, const char* label, short pickedShape)
{
    if (picked)
        DrawVectorSymbol(position, pickedShape, kSymbolWhite, SYMBOL_LARGE, label, LABEL_MODE_NAME_POSITION,
                         LABEL_POS_BOTTOM);
    else
        DrawVectorSymbol(position, VECTOR_FILLED_CIRCLE, kSymbolWhite, SYMBOL_SMALL, label, LABEL_MODE_NAME, LABEL_POS_BOTTOM);
}

bool CGridView::IsPicked(int type, int file, int point, int subIndex) const
{
    return m_PickType == type && m_PickFileIndex == file && m_PickPointIndex == point &&
           (subIndex < 0 || m_PickSubIndex == subIndex);
}

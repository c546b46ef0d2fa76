#include "acoustic/engine/GraphLabelFormat.h"

#include <cstring>
#include <new>

LOGFONT CGraphLabelFormat::defaultLabelFont{};

CGraphLabelFormat::CGraphLabelFormat()
{
    for (GraphLabelFieldDef& field : fields)
        field = {10, 1};
    LOGFONT& lf = defaultLabelFont;
    std::memset(&lf, 0, sizeof lf);
    lf.lfHeight = 16;
    lf.lfWidth = 7;
    lf.lfEscapement = 0;
    lf.lfOrientation = 0;
    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = FALSE;
    lf.lfUnderline = FALSE;
    lf.lfStrikeOut = FALSE;
    lf.lfCharSet = ANSI_CHARSET;
    lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    lf.lfClipPrecision = CLIP_STROKE_PRECIS;
    lf.lfQuality = PROOF_QUALITY;
    lf.lfPitchAndFamily = FF_SWISS | DEFAULT_PITCH;
    std::strcpy(lf.lfFaceName, "System");
}

CGraphLabelFormat::~CGraphLabelFormat()
{
    if (!fonts)
        return;
    for (int i = 0; i < GRAPH_FONT_SLOTS; ++i)
        delete fonts[i];
    delete[] fonts;
}

CFont* CGraphLabelFormat::GetFont(int slot) const
{
    if (!fonts || slot < 0 || slot >= GRAPH_FONT_SLOTS)
        return nullptr;
    return fonts[slot];
}

bool CGraphLabelFormat::SetFont(int slot, CFont* font)
{
    if (slot < 0 || slot >= GRAPH_FONT_SLOTS)
        return false;
    if (!fonts)
    {
        fonts = new (std::nothrow) CFont*[GRAPH_FONT_SLOTS]();
        if (!fonts)
            return false;
    }
    if (fonts[slot] != font)
        delete fonts[slot];
    fonts[slot] = font;
    return true;
}

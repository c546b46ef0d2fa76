#include "rov/MyFont.h"

#include "platform/ui/Dc.h"

#include <cstring>

namespace
{
const int kPointTenths = 80;
const int kWeight = 900;
const BYTE kTrueTypePrecision = 4;
const BYTE kClipPrecision = 32;
const BYTE kProofQuality = 2;
} // namespace

CMyFont::CMyFont()
{
    LOGFONT lf{};
    lf.lfHeight = kPointTenths;
    lf.lfWeight = kWeight;
    lf.lfOutPrecision = kTrueTypePrecision;
    lf.lfClipPrecision = kClipPrecision;
    lf.lfQuality = kProofQuality;
    std::strncpy(lf.lfFaceName, "Verdana", sizeof lf.lfFaceName - 1);
    CreatePointFontIndirect(&lf);
}

bool CMyFont::Remake(CDC* pDC, LOGFONT lf, int height, int width)
{
    DeleteObject();
    lf.lfHeight = height;
    lf.lfWidth = width;
    return (width != 0 ? CreateFontIndirect(&lf) : CreatePointFontIndirect(&lf, pDC)) != FALSE;
}

CFont* CMyFont::SelectSized(CDC* pDC, int height, int width)
{
    LOGFONT lf{};
    if (pDC == nullptr || GetSafeHandle() == nullptr || GetLogFont(&lf) == 0)
        return nullptr;
    const bool same = width != 0 && lf.lfHeight == height && lf.lfWidth == width;
    if (!same && !Remake(pDC, lf, height, width))
        return nullptr;
    return pDC->SelectObject(this);
}

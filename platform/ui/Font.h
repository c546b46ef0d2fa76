// Fonts, made from the Windows font description (LOGFONT) and drawn with an installed font.
//
// Heights are in logical units: below 0 the character (em) height, above 0 the cell height
// (ascent + descent), 0 a default. Escapement turns text counter-clockwise in tenths of a
// degree. Faces that a Windows machine has and this one lacks map to an installed font of the
// same kind: "Arial", "MS Sans Serif", "Tahoma", "Segoe UI", "Verdana" to a sans-serif font,
// "Courier New" to a monospaced one, "Times New Roman" to a serif one, "Symbol" and "Wingdings"
// to a symbol font; other missing faces go by the pitch and family bits. A face counts as
// installed only when a font of that family is, not when fontconfig merely knows it as an
// alias, so what draws a missing face does not change with the font packages a machine has.
#pragma once

#include "platform/ui/GdiObject.h"

#include <QFont>
#include <QString>

// A font, kept as the LOGFONT it was made from.
class PLATFORM_API CFont : public CGdiObject
{
    DECLARE_DYNAMIC(CFont)
public:
    CFont() = default;

    static CFont* FromHandle(HFONT hFont);
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }

    BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                    BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename);
    // nPointSize in tenths of a point, converted with the vertical resolution of the context
    // (the screen's when there is none).
    BOOL CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC = nullptr);
    // lfHeight in tenths of a point.
    BOOL CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC = nullptr);
    int GetLogFont(LOGFONT* pLogFont) const;

    // Qt side: the font as a screen draws it, and a font made from a QFont.
    QFont ToQFont() const;
    BOOL CreateFromQFont(const QFont& font);
};

// The QFont that draws a LOGFONT; scale turns its logical units into device pixels.
PLATFORM_API QFont QFontFromLogFont(const LOGFONT& logFont, double scale = 1.0);
// The LOGFONT of a QFont, in screen pixels.
PLATFORM_API LOGFONT LogFontFromQFont(const QFont& font);
// The installed family that stands for a Windows face: the face itself when installed, else
// one installed family per kind, checked to be of that kind (fixed pitch for a monospaced
// face). An empty name, one longer than a LOGFONT holds or one that names nothing gives the
// family of the kind its pitch and family bits ask for; never an empty family.
PLATFORM_API QString InstalledFontFamily(const char* faceName, BYTE pitchAndFamily);
// Whether the font as drawn gives every printable ASCII character one advance: the pitch of the
// font really used, whatever face or pitch was asked for.
PLATFORM_API bool HasFixedPitch(const QFont& font);

PLATFORM_API HFONT CreateFontIndirect(const LOGFONT* lpLogFont);
PLATFORM_API HFONT CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                              DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut, DWORD nCharSet,
                              DWORD nOutPrecision, DWORD nClipPrecision, DWORD nQuality,
                              DWORD nPitchAndFamily, LPCSTR lpszFace);

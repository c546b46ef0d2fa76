#include "platform/ui/Font.h"

#include "platform/core/String.h"
#include "platform/ui/Dc.h"
#include "platform/ui/GdiPrivate.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>
#include <cstring>
#include <map>
#include <mutex>

IMPLEMENT_DYNAMIC(CFont, CGdiObject)

namespace
{
enum class Kind
{
    Sans,
    Mono,
    Serif,
    Symbol
};

// Faces of a Windows machine, and the names of kinds that Qt's own fonts carry ("Sans Serif"
// for its default), by the kind of installed font that replaces them.
Kind KnownFaceKind(const QString& face, bool* known)
{
    static const char* const mono[] = {"courier new",
                                       "courier",
                                       "consolas",
                                       "lucida console",
                                       "fixedsys",
                                       "terminal",
                                       "lucida sans typewriter",
                                       "monospace"};
    static const char* const serif[] = {"times new roman",    "times",    "georgia",      "cambria",
                                        "ms serif",           "garamond", "book antiqua", "palatino linotype",
                                        "century schoolbook", "serif"};
    static const char* const sans[] = {"arial",
                                       "ms sans serif",
                                       "microsoft sans serif",
                                       "ms shell dlg",
                                       "ms shell dlg 2",
                                       "tahoma",
                                       "segoe ui",
                                       "verdana",
                                       "helvetica",
                                       "calibri",
                                       "trebuchet ms",
                                       "system",
                                       "small fonts",
                                       "arial narrow",
                                       "arial black",
                                       "lucida sans unicode",
                                       "franklin gothic medium",
                                       "sans serif",
                                       "sans-serif"};
    static const char* const symbol[] = {"symbol",   "wingdings", "wingdings 2", "wingdings 3",
                                         "webdings", "marlett",   "mt extra"};
    const QString lower = face.toLower();
    *known = true;
    for (const char* name : mono)
        if (lower == QLatin1String(name))
            return Kind::Mono;
    for (const char* name : serif)
        if (lower == QLatin1String(name))
            return Kind::Serif;
    for (const char* name : sans)
        if (lower == QLatin1String(name))
            return Kind::Sans;
    for (const char* name : symbol)
        if (lower == QLatin1String(name))
            return Kind::Symbol;
    *known = false;
    return Kind::Sans;
}

Kind KindFromPitchAndFamily(BYTE pitchAndFamily)
{
    switch (pitchAndFamily & 0xF0)
    {
    case FF_ROMAN:
        return Kind::Serif;
    case FF_MODERN:
        return Kind::Mono;
    default:
        return (pitchAndFamily & 0x03) == FIXED_PITCH ? Kind::Mono : Kind::Sans;
    }
}

// A Windows face goes by its name when it is one we know, else by its pitch and family bits.
Kind KindOfFace(const QString& face, BYTE pitchAndFamily)
{
    bool known = false;
    const Kind kind = KnownFaceKind(face, &known);
    return known ? kind : KindFromPitchAndFamily(pitchAndFamily);
}

// The name fontconfig's own rules turn into an installed font of the kind.
QString GenericFamily(Kind kind)
{
    switch (kind)
    {
    case Kind::Mono:
        return QStringLiteral("monospace");
    case Kind::Serif:
        return QStringLiteral("serif");
    case Kind::Symbol:
        return QStringLiteral("Symbol");
    default:
        return QStringLiteral("sans-serif");
    }
}

QFont::StyleHint HintOf(Kind kind)
{
    switch (kind)
    {
    case Kind::Mono:
        return QFont::Monospace;
    case Kind::Serif:
        return QFont::Serif;
    case Kind::Symbol:
        return QFont::AnyStyle;
    default:
        return QFont::SansSerif;
    }
}

std::mutex& CacheMutex()
{
    static auto* mutex = new std::mutex;
    return *mutex;
}

// A property of a family in one weight and slant, worked out once at a size large enough that
// rounding to pixels hides nothing.
template <typename T, typename Measure>
T PerFace(std::map<QString, T>& cache, const QFont& font, Measure measure)
{
    const QString key = font.family() + QLatin1Char('|') + QString::number(font.weight()) +
                        (font.italic() ? QLatin1String("i") : QLatin1String(""));
    {
        std::lock_guard<std::mutex> lock(CacheMutex());
        auto it = cache.find(key);
        if (it != cache.end())
            return it->second;
    }
    QFont reference(font);
    reference.setPixelSize(1000);
    const T value = measure(QFontMetricsF(reference));
    std::lock_guard<std::mutex> lock(CacheMutex());
    cache[key] = value;
    return value;
}

// Em height over cell height (ascent + descent) of a family: how a positive LOGFONT height,
// which is a cell height, becomes a pixel size.
double EmPerCell(const QFont& font)
{
    static auto* cache = new std::map<QString, double>;
    return PerFace(*cache, font, [](const QFontMetricsF& metrics) {
        const double cell = metrics.ascent() + metrics.descent();
        return cell > 0 ? 1000.0 / cell : 1.0;
    });
}

// A family as the font database lists it, less the foundry it adds when two foundries make
// fonts of one family ("Nimbus Mono PS [urw]").
QString WithoutFoundry(const QString& family)
{
    const int bracket = family.indexOf(QLatin1String(" ["));
    return bracket > 0 && family.endsWith(QLatin1Char(']')) ? family.left(bracket) : family;
}

// Whether the font database draws the family with a font of that family. The database also
// lists names that fontconfig resolves to some other family ("Sans Serif", "Monospace").
bool DrawsAsItself(const QString& family)
{
    return WithoutFoundry(QFontInfo(QFont(family)).family()).compare(family, Qt::CaseInsensitive) == 0;
}

// The installed family of that name, spelt as installed; empty when no installed font has it.
// Fontconfig answers for an alias or a metric substitute too ("Courier New" drawn with some
// other font), so only the families it really holds count.
QString InstalledFamilyNamed(const QString& face)
{
    if (face.isEmpty())
        return QString();
    for (const QString& listed : QFontDatabase::families())
    {
        const QString family = WithoutFoundry(listed);
        if (family.compare(face, Qt::CaseInsensitive) == 0)
            return DrawsAsItself(family) ? family : QString();
    }
    return QString();
}

// Whether an installed family draws text of the kind: Latin letters of fixed pitch for a
// monospaced face, of variable pitch for a serif or sans-serif one, and a symbol font for a
// symbol face. A family that the database draws with some other font is not one.
bool HasKind(const QString& family, Kind kind)
{
    const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(family);
    if (kind == Kind::Symbol)
        return systems.contains(QFontDatabase::Symbol);
    if (!systems.contains(QFontDatabase::Latin) || !DrawsAsItself(family))
        return false;
    const QFont font(family);
    const bool fixed = HasFixedPitch(font) && QFontInfo(font).fixedPitch();
    return fixed == (kind == Kind::Mono);
}

// The family of the kind that the suite installs with itself, so that a missing face looks the
// same whichever other font packages a machine has.
QString OwnFamily(Kind kind)
{
    switch (kind)
    {
    case Kind::Mono:
        return QStringLiteral("DejaVu Sans Mono");
    case Kind::Serif:
        return QStringLiteral("DejaVu Serif");
    case Kind::Sans:
        return QStringLiteral("DejaVu Sans");
    default:
        return QString();
    }
}

// The installed family that stands for every face of the kind that is not installed: the
// suite's own when it is there, else the one fontconfig's rules choose when it is of the kind,
// else the first installed one that is.
QString ChooseDefaultFamily(Kind kind)
{
    const QString own = InstalledFamilyNamed(OwnFamily(kind));
    if (!own.isEmpty() && HasKind(own, kind))
        return own;
    QFont generic(GenericFamily(kind));
    generic.setStyleHint(HintOf(kind));
    const QString chosen = WithoutFoundry(QFontInfo(generic).family());
    if (!chosen.isEmpty() && HasKind(chosen, kind))
        return chosen;
    const QStringList families = QFontDatabase::families();
    for (const QString& listed : families)
    {
        const QString family = WithoutFoundry(listed);
        if (HasKind(family, kind))
            return family;
    }
    return QString();
}

QString DefaultFamily(Kind kind)
{
    static auto* cache = new std::map<Kind, QString>;
    {
        std::lock_guard<std::mutex> lock(CacheMutex());
        auto it = cache->find(kind);
        if (it != cache->end())
            return it->second;
    }
    QString family = ChooseDefaultFamily(kind);
    if (family.isEmpty())
    {
        // With no font of the kind installed, the sans-serif face still draws the text; with
        // none at all, the name is left to fontconfig, which draws with whatever there is.
        if (kind != Kind::Sans)
            family = DefaultFamily(Kind::Sans);
        else
            family = QFontDatabase::families().isEmpty() ? GenericFamily(Kind::Sans)
                                                         : WithoutFoundry(QFontDatabase::families().first());
    }
    std::lock_guard<std::mutex> lock(CacheMutex());
    (*cache)[kind] = family;
    return family;
}

// The default em height, in logical units, of a font made with height 0.
constexpr double kDefaultEmHeight = 12.0;
} // namespace

bool HasFixedPitch(const QFont& font)
{
    static auto* cache = new std::map<QString, bool>;
    return PerFace(*cache, font, [](const QFontMetricsF& metrics) {
        const qreal first = metrics.horizontalAdvance(QLatin1Char(' '));
        for (char c = '!'; c <= '~'; ++c)
            if (metrics.horizontalAdvance(QLatin1Char(c)) != first)
                return false;
        return true;
    });
}

QString InstalledFontFamily(const char* faceName, BYTE pitchAndFamily)
{
    const char* name = faceName ? faceName : "";
    // A name longer than a LOGFONT holds names no face.
    const bool tooLong = strnlen(name, LF_FACESIZE) >= LF_FACESIZE;
    const QString face = tooLong ? QString() : Cp1252ToQString(name).trimmed();
    static auto* cache = new std::map<std::pair<QString, int>, QString>;
    const auto key = std::make_pair(face, static_cast<int>(pitchAndFamily));
    {
        std::lock_guard<std::mutex> lock(CacheMutex());
        auto it = cache->find(key);
        if (it != cache->end())
            return it->second;
    }
    QString family = InstalledFamilyNamed(face);
    if (family.isEmpty())
        family = DefaultFamily(KindOfFace(face, pitchAndFamily));
    std::lock_guard<std::mutex> lock(CacheMutex());
    (*cache)[key] = family;
    return family;
}

QFont QFontFromLogFont(const LOGFONT& lf, double scale)
{
    char face[LF_FACESIZE + 1] = {};
    std::memcpy(face, lf.lfFaceName, LF_FACESIZE);
    QFont font(InstalledFontFamily(face, lf.lfPitchAndFamily));
    font.setStyleHint(HintOf(KindOfFace(Cp1252ToQString(face).trimmed(), lf.lfPitchAndFamily)));
    const int weight = lf.lfWeight <= 0 ? FW_NORMAL : std::min<int>(lf.lfWeight, 1000);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    // Text is placed glyph after glyph, as GetTextExtent measures it.
    font.setKerning(false);
    switch (lf.lfQuality)
    {
    case NONANTIALIASED_QUALITY:
        font.setStyleStrategy(QFont::NoAntialias);
        break;
    case ANTIALIASED_QUALITY:
    case CLEARTYPE_QUALITY:
        font.setStyleStrategy(QFont::PreferAntialias);
        break;
    default:
        break;
    }

    const double s = scale > 0 ? scale : 1.0;
    double em;
    if (lf.lfHeight < 0)
        em = -static_cast<double>(lf.lfHeight) * s;
    else if (lf.lfHeight > 0)
        em = lf.lfHeight * s * EmPerCell(font);
    else
        em = kDefaultEmHeight * s;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(em))));

    if (lf.lfWidth != 0)
    {
        const double natural = QFontMetricsF(font).averageCharWidth();
        if (natural > 0)
        {
            const int stretch = static_cast<int>(std::lround(100.0 * std::abs(lf.lfWidth) * s / natural));
            font.setStretch(std::clamp(stretch, 1, 4000));
        }
    }
    return font;
}

LOGFONT LogFontFromQFont(const QFont& font)
{
    LOGFONT lf{};
    if (font.pixelSize() > 0)
        lf.lfHeight = -font.pixelSize();
    else
        lf.lfHeight = -static_cast<LONG>(std::lround(font.pointSizeF() * Gdi::DisplayLogPixels() / 72.0));
    lf.lfWeight = font.weight();
    lf.lfItalic = font.italic() ? 1 : 0;
    lf.lfUnderline = font.underline() ? 1 : 0;
    lf.lfStrikeOut = font.strikeOut() ? 1 : 0;
    lf.lfCharSet = ANSI_CHARSET;
    lf.lfQuality = font.styleStrategy() & QFont::NoAntialias ? NONANTIALIASED_QUALITY : DEFAULT_QUALITY;
    lf.lfPitchAndFamily = font.fixedPitch() ? (FIXED_PITCH | FF_MODERN) : (VARIABLE_PITCH | FF_SWISS);
    const QByteArray face = QStringToCp1252(font.family());
    std::strncpy(lf.lfFaceName, face.constData(), LF_FACESIZE - 1);
    return lf;
}

QFont Gdi::MakeQFont(const LOGFONT& lf, double scale)
{
    return QFontFromLogFont(lf, scale);
}

// ---------------------------------------------------------------------------------------
// CFont

CFont* CFont::FromHandle(HFONT hFont)
{
    return Gdi::Lookup(hFont, OBJ_FONT) ? static_cast<CFont*>(CGdiObject::FromHandle(hFont)) : nullptr;
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    return Attach(::CreateFontIndirect(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision,
                       BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename)
{
    return Attach(::CreateFont(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline,
                               cStrikeOut, nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily,
                               lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC)
{
    LOGFONT lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    if (lpszFaceName)
        std::strncpy(lf.lfFaceName, lpszFaceName, LF_FACESIZE - 1);
    return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
    if (!lpLogFont)
        return FALSE;
    LOGFONT lf = *lpLogFont;
    // Tenths of a point to device pixels, then to the context's logical units.
    const int logPixelsY =
        pDC && pDC->GetSafeHdc() ? pDC->GetDeviceCaps(LOGPIXELSY) : Gdi::DisplayLogPixels();
    POINT pt{0, static_cast<LONG>(std::lround(static_cast<double>(logPixelsY) * lf.lfHeight / 720.0))};
    POINT origin{0, 0};
    if (pDC && pDC->GetSafeHdc())
    {
        pDC->DPtoLP(&pt);
        pDC->DPtoLP(&origin);
    }
    lf.lfHeight = -std::abs(pt.y - origin.y);
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* pLogFont) const
{
    return ::GetObject(m_hObject, sizeof(LOGFONT), pLogFont);
}

QFont CFont::ToQFont() const
{
    LOGFONT lf{};
    if (!GetLogFont(&lf))
        return QFont();
    return QFontFromLogFont(lf);
}

BOOL CFont::CreateFromQFont(const QFont& font)
{
    const LOGFONT lf = LogFontFromQFont(font);
    return CreateFontIndirect(&lf);
}

HFONT CreateFontIndirect(const LOGFONT* lpLogFont)
{
    if (!lpLogFont)
        return nullptr;
    auto g = std::make_unique<GdiHandle>();
    g->type = OBJ_FONT;
    g->font = *lpLogFont;
    g->font.lfFaceName[LF_FACESIZE - 1] = '\0';
    return reinterpret_cast<HFONT>(Gdi::Register(std::move(g)));
}

HFONT CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, DWORD bItalic,
                 DWORD bUnderline, DWORD bStrikeOut, DWORD nCharSet, DWORD nOutPrecision,
                 DWORD nClipPrecision, DWORD nQuality, DWORD nPitchAndFamily, LPCSTR lpszFace)
{
    LOGFONT lf{};
    lf.lfHeight = nHeight;
    lf.lfWidth = nWidth;
    lf.lfEscapement = nEscapement;
    lf.lfOrientation = nOrientation;
    lf.lfWeight = nWeight;
    lf.lfItalic = static_cast<BYTE>(bItalic);
    lf.lfUnderline = static_cast<BYTE>(bUnderline);
    lf.lfStrikeOut = static_cast<BYTE>(bStrikeOut);
    lf.lfCharSet = static_cast<BYTE>(nCharSet);
    lf.lfOutPrecision = static_cast<BYTE>(nOutPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(nClipPrecision);
    lf.lfQuality = static_cast<BYTE>(nQuality);
    lf.lfPitchAndFamily = static_cast<BYTE>(nPitchAndFamily);
    if (lpszFace)
        std::strncpy(lf.lfFaceName, lpszFace, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

// CDC: text output and measurement.
#include "platform/core/SysColor.h"
#include "platform/ui/Colour.h"
#include "platform/ui/Dc.h"
#include "platform/ui/Font.h"
#include "platform/ui/GdiPrivate.h"

#include <QFontMetrics>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <cstring>

using namespace DcImpl;

QFont DcImpl::DeviceFont(HDC d)
{
    GdiHandle* g = d->a.font;
    const double scale = std::abs(ScaleY(d));
    const quint64 serial = g ? g->serial : 0;
    if (d->fontSerial != serial || d->fontScale != scale || d->fontMonochrome != d->monochrome ||
        d->fontSerial == 0)
    {
        const LOGFONT lf = g ? g->font : LOGFONT{};
        d->font = Gdi::MakeQFont(lf, scale);
        if (d->monochrome)
            d->font.setStyleStrategy(QFont::NoAntialias);
        d->fontSerial = serial;
        d->fontScale = scale;
        d->fontMonochrome = d->monochrome;
    }
    return d->font;
}

namespace
{
QString Text(LPCSTR s, int n)
{
    if (!s)
        return QString();
    if (n < 0)
        n = static_cast<int>(std::strlen(s));
    return Cp1252ToQString(s, n);
}

int LogicalX(HDC d, double deviceValue)
{
    return static_cast<int>(std::lround(deviceValue / std::abs(ScaleX(d))));
}

int LogicalY(HDC d, double deviceValue)
{
    return static_cast<int>(std::lround(deviceValue / std::abs(ScaleY(d))));
}

int DeviceX(HDC d, double logicalValue)
{
    return static_cast<int>(std::lround(logicalValue * std::abs(ScaleX(d))));
}

int CharExtra(HDC d)
{
    return DeviceX(d, d->a.textCharExtra);
}

// Width in device pixels of text in the current font, with the character spacing.
int TextWidth(HDC d, const QFontMetrics& metrics, const QString& text)
{
    return metrics.horizontalAdvance(text) + CharExtra(d) * static_cast<int>(text.size());
}

// Draws one run of text with its reference point at a device point, aligned by TA_* flags
// and turned by the font's escapement; returns its width in device pixels when the alignment,
// the background or TA_UPDATECP needs it (0 otherwise: measuring shapes the text once more,
// and labels drawn left-aligned by the dozen on every paint do not need it).
int DrawRun(HDC d, QPointF reference, const QString& text, UINT align, const std::vector<int>* advances,
            bool opaqueBackground)
{
    QPainter* p = d->painter;
    const QFont font = DeviceFont(d);
    const QFontMetrics metrics(font, MetricsDevice(d));
    int width = 0;
    if (advances)
        for (int a : *advances)
            width += a;
    else if ((align & (TA_CENTER | TA_RIGHT | TA_UPDATECP)) != 0 || opaqueBackground)
        width = TextWidth(d, metrics, text);
    const int ascent = metrics.ascent(), descent = metrics.descent();

    double x0 = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        x0 = -width / 2;
    else if (align & TA_RIGHT)
        x0 = -width;
    double baseline = ascent;
    if ((align & TA_BASELINE) == TA_BASELINE)
        baseline = 0;
    else if (align & TA_BOTTOM)
        baseline = -descent;

    const LONG escapement = d->a.font ? d->a.font->font.lfEscapement : 0;
    QTransform place;
    place.translate(reference.x(), reference.y());
    if (escapement % 3600 != 0)
        place.rotate(-escapement / 10.0);
    p->setWorldTransform(place * d->baseTransform);
    // Raster operations do not apply to text.
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (opaqueBackground && width > 0)
        p->fillRect(QRectF(x0, baseline - ascent, width, ascent + descent), Colour(d, d->a.bkColour));
    p->setFont(font);
    p->setPen(Colour(d, d->a.textColour));
    p->setBrush(Qt::NoBrush);
    const int extra = CharExtra(d);
    if (advances || extra != 0)
    {
        double x = x0;
        for (int i = 0; i < text.size(); ++i)
        {
            const QString ch(text.at(i));
            p->drawText(QPointF(x, baseline), ch);
            x += advances && i < static_cast<int>(advances->size()) ? (*advances)[static_cast<size_t>(i)]
                                                                    : metrics.horizontalAdvance(ch) + extra;
        }
    }
    else
    {
        p->drawText(QPointF(x0, baseline), text);
    }
    p->setPen(Qt::NoPen);
    p->setWorldTransform(d->baseTransform);
    return width;
}

// Advances the current position after text drawn with TA_UPDATECP.
void MoveCurrentPosition(HDC d, int deviceWidth)
{
    const int logical = LogicalX(d, deviceWidth);
    if ((d->a.textAlign & TA_CENTER) == TA_CENTER)
        return;
    if (d->a.textAlign & TA_RIGHT)
        d->a.currentPos.rx() -= logical;
    else
        d->a.currentPos.rx() += logical;
}

// Tab stops in device pixels, from the tab origin: none given means every eight average
// character widths, one means every that many units, more are positions in turn.
int NextTabStop(HDC d, int x, int nTabPositions, const int* tabs, int averageWidth)
{
    if (nTabPositions <= 0 || !tabs)
    {
        const int step = std::max(1, 8 * averageWidth);
        return (x / step + 1) * step;
    }
    if (nTabPositions == 1)
    {
        const int step = std::max(1, DeviceX(d, std::abs(tabs[0])));
        return (x / step + 1) * step;
    }
    for (int i = 0; i < nTabPositions; ++i)
    {
        const int stop = DeviceX(d, std::abs(tabs[i]));
        if (stop > x)
            return stop;
    }
    return x + std::max(1, averageWidth);
}

// Lays out tabbed text: the segments between tabs and where each starts (device, from the tab
// origin). Returns the total width.
int LayoutTabs(HDC d, const QFontMetrics& metrics, const QString& text, int nTabPositions, const int* tabs,
               int originOffset, QStringList* segments, std::vector<int>* starts)
{
    const QStringList parts = text.split(QLatin1Char('\t'));
    int x = 0;
    for (int i = 0; i < parts.size(); ++i)
    {
        if (i > 0)
            x = NextTabStop(d, x + originOffset, nTabPositions, tabs, metrics.averageCharWidth()) -
                originOffset;
        if (segments)
            segments->append(parts[i]);
        if (starts)
            starts->push_back(x);
        x += TextWidth(d, metrics, parts[i]);
    }
    return x;
}
} // namespace

// ---------------------------------------------------------------------------------------
// Output

BOOL CDC::TextOut(int x, int y, LPCSTR lpszString, int nCount)
{
    HDC d = m_hDC;
    if (!Ready(d) || (!lpszString && nCount > 0))
        return FALSE;
    Sync(d);
    const bool updateCp = d->a.textAlign & TA_UPDATECP;
    const QPoint at = updateCp ? d->a.currentPos : QPoint(x, y);
    const int width = DrawRun(d, ToDeviceF(d, at.x(), at.y()), Text(lpszString, nCount), d->a.textAlign,
                              nullptr, d->a.bkMode == OPAQUE);
    if (updateCp)
        MoveCurrentPosition(d, width);
    return TRUE;
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return TextOut(x, y, str.GetString(), str.GetLength());
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCSTR lpszString, UINT nCount,
                     const int* lpDxWidths)
{
    HDC d = m_hDC;
    if (!Ready(d) || (!lpszString && nCount > 0))
        return FALSE;
    Sync(d);
    QRect rect;
    if (lpRect)
        rect = DeviceRect(d, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    if (lpRect && (nOptions & ETO_OPAQUE))
        FillDeviceRect(d, rect, Colour(d, d->a.bkColour));
    if (!lpszString || nCount == 0)
        return TRUE;
    const QString text = Text(lpszString, static_cast<int>(nCount));
    std::vector<int> advances;
    if (lpDxWidths)
        for (int i = 0; i < text.size(); ++i)
            advances.push_back(DeviceX(d, lpDxWidths[i]));
    const bool clipped = lpRect && (nOptions & ETO_CLIPPED);
    if (clipped)
    {
        d->painter->save();
        d->painter->setClipRect(rect, Qt::IntersectClip);
    }
    const bool updateCp = d->a.textAlign & TA_UPDATECP;
    const QPoint at = updateCp ? d->a.currentPos : QPoint(x, y);
    const int width = DrawRun(d, ToDeviceF(d, at.x(), at.y()), text, d->a.textAlign,
                              lpDxWidths ? &advances : nullptr, d->a.bkMode == OPAQUE);
    if (clipped)
        d->painter->restore();
    if (updateCp)
        MoveCurrentPosition(d, width);
    return TRUE;
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, const int* lpDxWidths)
{
    return ExtTextOut(x, y, nOptions, lpRect, str.GetString(), static_cast<UINT>(str.GetLength()),
                      lpDxWidths);
}

CSize CDC::TabbedTextOut(int x, int y, LPCSTR lpszString, int nCount, int nTabPositions,
                         const int* lpnTabStopPositions, int nTabOrigin)
{
    HDC d = m_hDC;
    if (!Ready(d))
        return CSize(0, 0);
    Sync(d);
    const QFontMetrics metrics(DeviceFont(d), MetricsDevice(d));
    QStringList segments;
    std::vector<int> starts;
    const bool updateCp = d->a.textAlign & TA_UPDATECP;
    const QPoint at = updateCp ? d->a.currentPos : QPoint(x, y);
    const QPointF origin = ToDeviceF(d, at.x(), at.y());
    const int originOffset = static_cast<int>(origin.x()) - ToDevice(d, nTabOrigin, 0).x();
    const int width = LayoutTabs(d, metrics, Text(lpszString, nCount), nTabPositions, lpnTabStopPositions,
                                 originOffset, &segments, &starts);
    const UINT align = (d->a.textAlign & ~(TA_CENTER | TA_UPDATECP)) | TA_LEFT;
    for (int i = 0; i < segments.size(); ++i)
        DrawRun(d, origin + QPointF(starts[static_cast<size_t>(i)], 0), segments[i], align, nullptr,
                d->a.bkMode == OPAQUE);
    if (updateCp)
        MoveCurrentPosition(d, width);
    return CSize(LogicalX(d, width), LogicalY(d, metrics.ascent() + metrics.descent()));
}

CSize CDC::TabbedTextOut(int x, int y, const CString& str, int nTabPositions, const int* lpnTabStopPositions,
                         int nTabOrigin)
{
    return TabbedTextOut(x, y, str.GetString(), str.GetLength(), nTabPositions, lpnTabStopPositions,
                         nTabOrigin);
}

BOOL CDC::GrayString(CBrush*, GRAYSTRINGPROC lpfnOutput, LPARAM lpData, int nCount, int x, int y, int, int)
{
    HDC d = m_hDC;
    if (!Ready(d))
        return FALSE;
    if (lpfnOutput)
        return lpfnOutput(d, lpData, nCount);
    const COLORREF previous = SetTextColor(GetSysColor(COLOR_GRAYTEXT));
    const int previousMode = SetBkMode(TRANSPARENT);
    const BOOL done = CDC::TextOut(x, y, reinterpret_cast<LPCSTR>(lpData), nCount);
    SetBkMode(previousMode);
    SetTextColor(previous);
    return done;
}

// ---------------------------------------------------------------------------------------
// DrawText

namespace
{
struct TextLine
{
    QString text;
    int underline = -1; // index of the character a prefix '&' marks
};

// Takes out prefix characters: "&&" is an ampersand, '&' before another character marks it.
QString StripPrefixes(const QString& text, int* underline)
{
    QString out;
    *underline = -1;
    for (int i = 0; i < text.size(); ++i)
    {
        if (text[i] == QLatin1Char('&'))
        {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&'))
            {
                out += QLatin1Char('&');
                ++i;
                continue;
            }
            if (i + 1 < text.size())
                *underline = static_cast<int>(out.size());
            continue;
        }
        out += text[i];
    }
    return out;
}

QString ExpandTabs(const QString& text, HDC d, const QFontMetrics& metrics, int tabChars)
{
    if (!text.contains(QLatin1Char('\t')))
        return text;
    // Tabs become blanks up to the next multiple of the tab width.
    const int space = std::max(1, metrics.horizontalAdvance(QLatin1Char(' ')));
    const int step = std::max(1, tabChars * metrics.averageCharWidth());
    QString out;
    for (QChar c : text)
    {
        if (c != QLatin1Char('\t'))
        {
            out += c;
            continue;
        }
        const int x = TextWidth(d, metrics, out);
        const int stop = (x / step + 1) * step;
        const int blanks = std::max(1, (stop - x + space - 1) / space);
        out += QString(blanks, QLatin1Char(' '));
    }
    return out;
}

// Breaks a paragraph between words so that each line fits the width; a word wider than the
// width stays whole on a line of its own. Gives each line as (start, length) in the paragraph;
// the blanks where a line breaks belong to no line.
std::vector<std::pair<int, int>> WrapWords(HDC d, const QFontMetrics& metrics, const QString& paragraph,
                                           int width)
{
    std::vector<std::pair<int, int>> lines;
    int lineStart = 0, lineEnd = 0; // the current line is [lineStart, lineEnd)
    int i = 0;
    const int n = static_cast<int>(paragraph.size());
    while (i < n)
    {
        int j = i;
        while (j < n && paragraph[j] == QLatin1Char(' '))
            ++j;
        int k = j;
        while (k < n && paragraph[k] != QLatin1Char(' '))
            ++k;
        if (lineEnd > lineStart && k > j &&
            TextWidth(d, metrics, paragraph.mid(lineStart, k - lineStart)) > width)
        {
            lines.emplace_back(lineStart, lineEnd - lineStart);
            lineStart = j;
        }
        lineEnd = k;
        i = k;
    }
    lines.emplace_back(lineStart, lineEnd - lineStart);
    return lines;
}

QString Ellipsis(HDC d, const QFontMetrics& metrics, const QString& text, int width, bool path)
{
    if (TextWidth(d, metrics, text) <= width)
        return text;
    const QString dots = QStringLiteral("...");
    QString tail;
    QString head = text;
    if (path)
    {
        const int slash = static_cast<int>(
            std::max(text.lastIndexOf(QLatin1Char('\\')), text.lastIndexOf(QLatin1Char('/'))));
        if (slash > 0)
        {
            tail = text.mid(slash);
            head = text.left(slash);
        }
    }
    for (int keep = static_cast<int>(head.size()); keep >= 0; --keep)
    {
        const QString candidate = head.left(keep) + dots + tail;
        if (TextWidth(d, metrics, candidate) <= width)
            return candidate;
    }
    return tail.isEmpty() ? dots : dots + tail;
}

int DrawFormattedText(HDC d, const QString& input, LPRECT lpRect, UINT nFormat, int leftMargin,
                      int rightMargin, int tabChars)
{
    const QFont font = DeviceFont(d);
    const QFontMetrics metrics(font, MetricsDevice(d));
    int lineHeight = metrics.ascent() + metrics.descent();
    if (nFormat & DT_EXTERNALLEADING)
        lineHeight += std::max(0, metrics.leading());
    QRect box = DeviceRect(d, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    box.adjust(DeviceX(d, leftMargin), 0, -DeviceX(d, rightMargin), 0);
    const bool singleLine = nFormat & DT_SINGLELINE;

    QString text = input;
    if (singleLine)
    {
        text.remove(QLatin1Char('\r'));
        text.remove(QLatin1Char('\n'));
    }
    int underline = -1;
    if (!(nFormat & DT_NOPREFIX))
        text = StripPrefixes(text, &underline);
    if (nFormat & DT_HIDEPREFIX)
        underline = -1;

    // Paragraphs, then lines, remembering where the marked character went.
    std::vector<TextLine> lines;
    const QStringList paragraphs =
        singleLine ? QStringList{text} : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    int consumed = 0;
    for (const QString& raw : paragraphs)
    {
        const QString paragraph = (nFormat & DT_EXPANDTABS) ? ExpandTabs(raw, d, metrics, tabChars) : raw;
        std::vector<std::pair<int, int>> spans;
        if (!singleLine && (nFormat & DT_WORDBREAK))
            spans = WrapWords(d, metrics, paragraph, box.width());
        else
            spans.emplace_back(0, static_cast<int>(paragraph.size()));
        for (const auto& [start, length] : spans)
        {
            TextLine line;
            line.text = paragraph.mid(start, length);
            // Tabs expanded into blanks move characters; the mark is then left out.
            const int at = underline - consumed - start;
            if (raw.size() == paragraph.size() && at >= 0 && at < length)
                line.underline = at;
            lines.push_back(line);
        }
        consumed += static_cast<int>(raw.size()) + 1;
    }

    if (nFormat & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS))
        for (TextLine& line : lines)
        {
            const QString shortened =
                Ellipsis(d, metrics, line.text, box.width(), nFormat & DT_PATH_ELLIPSIS);
            if (shortened != line.text)
            {
                line.text = shortened;
                line.underline = -1;
            }
        }

    int widest = 0;
    for (const TextLine& line : lines)
        widest = std::max(widest, TextWidth(d, metrics, line.text));
    const bool empty = input.isEmpty();
    const int height = empty ? 0 : lineHeight * static_cast<int>(lines.size());

    if (nFormat & DT_CALCRECT)
    {
        const QPoint bottomRight =
            ToLogical(d, box.left() + widest + DeviceX(d, rightMargin), box.top() + height);
        lpRect->right = bottomRight.x();
        lpRect->bottom = bottomRight.y();
        return LogicalY(d, height);
    }
    if (empty)
        return 0;

    int top = box.top();
    if (singleLine && (nFormat & DT_VCENTER))
        top = box.top() + (box.height() - height) / 2;
    else if (singleLine && (nFormat & DT_BOTTOM))
        top = box.bottom() + 1 - height;

    QPainter* p = d->painter;
    const bool clip = !(nFormat & DT_NOCLIP);
    if (clip)
    {
        p->save();
        p->setClipRect(box, Qt::IntersectClip);
    }
    int y = top;
    for (const TextLine& line : lines)
    {
        const int width = TextWidth(d, metrics, line.text);
        int x = box.left();
        if (nFormat & DT_CENTER)
            x = box.left() + (box.width() - width) / 2;
        else if (nFormat & DT_RIGHT)
            x = box.left() + box.width() - width;
        DrawRun(d, QPointF(x, y), line.text, TA_LEFT | TA_TOP, nullptr, d->a.bkMode == OPAQUE);
        if (line.underline >= 0 && line.underline < line.text.size())
        {
            const int ux = x + TextWidth(d, metrics, line.text.left(line.underline));
            const int uw = metrics.horizontalAdvance(line.text.at(line.underline));
            const int uy = y + metrics.ascent() + 1;
            p->fillRect(QRect(ux, uy, std::max(1, uw), std::max(1, metrics.lineWidth())),
                        Colour(d, d->a.textColour));
        }
        y += lineHeight;
    }
    if (clip)
        p->restore();
    if (singleLine && (nFormat & (DT_VCENTER | DT_BOTTOM)))
        return LogicalY(d, top + height - box.top());
    return LogicalY(d, height);
}
} // namespace

int CDC::DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    HDC d = m_hDC;
    if (!d || !lpRect || (!lpszString && nCount != 0))
        return 0;
    // With DT_TABSTOP the second byte of the format is the tab width in characters.
    int tabChars = 8;
    if (nFormat & DT_TABSTOP)
    {
        tabChars = std::max(1, static_cast<int>((nFormat >> 8) & 0xFF));
        nFormat &= ~0xFF00u;
    }
    const bool measuring = nFormat & DT_CALCRECT;
    if (!measuring && !Ready(d))
        return 0;
    if (!measuring)
        Sync(d);
    return DrawFormattedText(d, Text(lpszString, nCount), lpRect, nFormat, 0, 0, tabChars);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    return DrawText(str.GetString(), str.GetLength(), lpRect, nFormat);
}

int CDC::DrawTextEx(LPSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams)
{
    HDC d = m_hDC;
    if (!d || !lpRect || (!lpszString && nCount != 0))
        return 0;
    const bool measuring = nFormat & DT_CALCRECT;
    if (!measuring && !Ready(d))
        return 0;
    if (!measuring)
        Sync(d);
    const QString text = Text(lpszString, nCount);
    int tabChars = 8;
    if (lpDTParams && lpDTParams->iTabLength > 0)
        tabChars = lpDTParams->iTabLength;
    const int result = DrawFormattedText(d, text, lpRect, nFormat, lpDTParams ? lpDTParams->iLeftMargin : 0,
                                         lpDTParams ? lpDTParams->iRightMargin : 0, tabChars);
    if (lpDTParams)
        lpDTParams->uiLengthDrawn = static_cast<UINT>(text.size());
    return result;
}

int CDC::DrawTextEx(const CString& str, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams)
{
    CString copy(str);
    return DrawTextEx(copy.GetBuffer(), str.GetLength(), lpRect, nFormat, lpDTParams);
}

// ---------------------------------------------------------------------------------------
// Measurement

CSize CDC::GetTextExtent(LPCSTR lpszString, int nCount) const
{
    HDC d = m_hDC;
    if (!d)
        return CSize(0, 0);
    const QFontMetrics metrics(DeviceFont(d), MetricsDevice(d));
    const int width = TextWidth(d, metrics, Text(lpszString, nCount));
    return CSize(LogicalX(d, width), LogicalY(d, metrics.ascent() + metrics.descent()));
}

CSize CDC::GetTextExtent(const CString& str) const
{
    return GetTextExtent(str.GetString(), str.GetLength());
}

CSize CDC::GetOutputTextExtent(LPCSTR lpszString, int nCount) const
{
    return GetTextExtent(lpszString, nCount);
}

CSize CDC::GetOutputTextExtent(const CString& str) const
{
    return GetTextExtent(str);
}

CSize CDC::GetTabbedTextExtent(LPCSTR lpszString, int nCount, int nTabPositions,
                               const int* lpnTabStopPositions) const
{
    HDC d = m_hDC;
    if (!d)
        return CSize(0, 0);
    const QFontMetrics metrics(DeviceFont(d), MetricsDevice(d));
    const int width = LayoutTabs(d, metrics, Text(lpszString, nCount), nTabPositions, lpnTabStopPositions, 0,
                                 nullptr, nullptr);
    return CSize(LogicalX(d, width), LogicalY(d, metrics.ascent() + metrics.descent()));
}

CSize CDC::GetTabbedTextExtent(const CString& str, int nTabPositions, const int* lpnTabStopPositions) const
{
    return GetTabbedTextExtent(str.GetString(), str.GetLength(), nTabPositions, lpnTabStopPositions);
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const
{
    HDC d = m_hDC;
    if (!d || !lpMetrics)
        return FALSE;
    const QFont font = DeviceFont(d);
    const QFontMetrics metrics(font, MetricsDevice(d));
    const LOGFONT lf = d->a.font ? d->a.font->font : LOGFONT{};
    const int height = metrics.ascent() + metrics.descent();
    TEXTMETRIC tm{};
    tm.tmHeight = LogicalY(d, height);
    tm.tmAscent = LogicalY(d, metrics.ascent());
    tm.tmDescent = tm.tmHeight - tm.tmAscent;
    tm.tmInternalLeading = std::max(0, LogicalY(d, height - font.pixelSize()));
    tm.tmExternalLeading = std::max(0, LogicalY(d, metrics.leading()));
    tm.tmAveCharWidth = LogicalX(d, metrics.averageCharWidth());
    tm.tmMaxCharWidth = LogicalX(d, metrics.maxWidth());
    tm.tmWeight = lf.lfWeight > 0 ? lf.lfWeight : FW_NORMAL;
    tm.tmOverhang = 0;
    tm.tmDigitizedAspectX = tm.tmDigitizedAspectY = GetDeviceCaps(LOGPIXELSY);
    tm.tmFirstChar = 0x20;
    tm.tmLastChar = 0xFF;
    tm.tmDefaultChar = 0x1F;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = lf.lfItalic ? 1 : 0;
    tm.tmUnderlined = lf.lfUnderline ? 1 : 0;
    tm.tmStruckOut = lf.lfStrikeOut ? 1 : 0;
    // The pitch bit is set for variable-pitch fonts, as Windows has it, and follows the font
    // that draws, not the face asked for.
    const bool fixed = HasFixedPitch(font);
    BYTE family = lf.lfPitchAndFamily & 0xF0;
    if (family == FF_DONTCARE)
        family = fixed ? FF_MODERN : FF_SWISS;
    tm.tmPitchAndFamily =
        static_cast<BYTE>(family | (fixed ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR | TMPF_TRUETYPE);
    tm.tmCharSet = lf.lfCharSet;
    *lpMetrics = tm;
    return TRUE;
}

int CDC::GetTextFace(int nCount, LPSTR lpszFacename) const
{
    HDC d = m_hDC;
    if (!d || !d->a.font)
        return 0;
    const char* face = d->a.font->font.lfFaceName;
    const int length = static_cast<int>(strnlen(face, LF_FACESIZE));
    if (!lpszFacename)
        return length + 1;
    if (nCount <= 0)
        return 0;
    const int n = std::min(length, nCount - 1);
    std::memcpy(lpszFacename, face, static_cast<size_t>(n));
    lpszFacename[n] = '\0';
    return n + 1;
}

int CDC::GetTextFace(CString& rString) const
{
    char face[LF_FACESIZE + 1] = {};
    const int n = GetTextFace(LF_FACESIZE + 1, face);
    rString = face;
    return n > 0 ? n - 1 : 0;
}

BOOL CDC::GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const
{
    HDC d = m_hDC;
    if (!d || !lpBuffer || nLastChar < nFirstChar || nLastChar > 0xFF)
        return FALSE;
    const QFontMetrics metrics(DeviceFont(d), MetricsDevice(d));
    for (UINT c = nFirstChar; c <= nLastChar; ++c)
    {
        const char byte = static_cast<char>(c);
        lpBuffer[c - nFirstChar] = LogicalX(d, metrics.horizontalAdvance(Cp1252ToQString(&byte, 1)));
    }
    return TRUE;
}

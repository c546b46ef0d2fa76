#include "chart/ChartexaLibrary.h"

#include "chart/view/ChartexaStatusBar.h"
#include "chart/frame/GridFrame.h"
#include "platform/ui/Resources.h"

#include <QPainter>
#include <QPainterPath>

namespace
{
constexpr int kCell = 16;
constexpr int kCells = 5;

const STRINGTABLE_ENTRY kChartexaStrings[] = {
    {ID_INDICATOR_ENG, " Eng: "}, {ID_INDICATOR_NNG, " Nng: "}, {ID_INDICATOR_RNG, " Rng: "},
    {ID_INDICATOR_BNG, " Bng: "}, {ID_INDICATOR_EASTING, " 0.0"}, {ID_INDICATOR_NORTHING, " 0.0"},
    {ID_INDICATOR_RANGE, " 0.0"}, {ID_INDICATOR_BEARING, " 0.0"},
    {ID_GRID_ZOOM_IN, "Zoom In"}, {ID_GRID_ZOOM_OUT, "Zoom Out"}, {ID_GRID_PAN_LEFT, "Pan Left"},
    {ID_GRID_PAN_RIGHT, "Pan Right"}, {ID_GRID_PAN_UP, "Pan Up"}, {ID_GRID_PAN_DOWN, "Pan Down"},
    {ID_GRID_CENTRE_SCREEN, "Centre Screen"},
};

// An anchor (ring, shank, stock and two flukes) filling a cell whose left edge is at x.
QPainterPath AnchorGlyph(int x)
{
    QPainterPath path;
    path.addEllipse(QRectF(x + 6, 0.5, 4, 4));
    path.moveTo(x + 8, 4.5);
    path.lineTo(x + 8, 14.5);
    path.moveTo(x + 4, 6.5);
    path.lineTo(x + 12, 6.5);
    path.moveTo(x + 1.5, 9.5);
    path.quadTo(x + 2.5, 14.5, x + 8, 14.5);
    path.quadTo(x + 13.5, 14.5, x + 14.5, 9.5);
    return path;
}

// The strip as the chart draws it: each picture on black, each mask white with the picture's
// shape in black.
QImage DrawAnchorStrip()
{
    QImage strip(kCell * kCells, 2 * kCell, QImage::Format_RGB32);
    strip.fill(Qt::black);
    QPainter painter(&strip);
    painter.fillRect(0, kCell, kCell * kCells, kCell, Qt::white);
    const QColor colours[kCells] = {QColor(255, 255, 0), QColor(0, 255, 0), QColor(255, 0, 0),
                                    QColor(255, 255, 255), QColor(255, 128, 0)};
    for (int cell = 0; cell < kCells; ++cell)
    {
        const int x = cell * kCell;
        QPainterPath glyph;
        if (cell == 4)
        {
            // A touchdown point: a diamond with a dot in the middle.
            glyph.moveTo(x + 8, 2);
            glyph.lineTo(x + 14, 8);
            glyph.lineTo(x + 8, 14);
            glyph.lineTo(x + 2, 8);
            glyph.closeSubpath();
            glyph.addRect(QRectF(x + 7, 7, 2, 2));
        }
        else
        {
            glyph = AnchorGlyph(x);
        }
        for (int row = 0; row < 2; ++row)
        {
            const QColor ink = row == 0 ? colours[cell] : QColor(Qt::black);
            painter.save();
            painter.translate(0, row * kCell);
            painter.setPen(QPen(ink, 2.0));
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(glyph);
            painter.restore();
        }
    }
    return strip;
}

const BITMAP_ENTRY kChartexaBitmaps[] = {{IDB_ANCHOR_STRIP, nullptr, &DrawAnchorStrip}};

const bool kJoinedAtLoad = (JoinChartexaResources(), true);
} // namespace

void JoinChartexaResources()
{
    AfxRegisterStringTable(CHARTEXA_MODULE, kChartexaStrings, sizeof kChartexaStrings / sizeof kChartexaStrings[0]);
    AfxRegisterBitmaps(CHARTEXA_MODULE, kChartexaBitmaps, sizeof kChartexaBitmaps / sizeof kChartexaBitmaps[0]);
}

BOOL ChartexaLibraryEntry(DWORD dwReason)
{
    switch (dwReason)
    {
    case DLL_PROCESS_ATTACH:
        JoinChartexaResources();
        return AfxIsStringTableRegistered(CHARTEXA_MODULE) ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
        AfxUnregisterStringTable(CHARTEXA_MODULE);
        AfxUnregisterBitmaps(CHARTEXA_MODULE);
        return TRUE;
    default: return TRUE;
    }
}

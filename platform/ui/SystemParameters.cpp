#include "platform/ui/SystemParameters.h"

#include "platform/ui/Font.h"

#include <QApplication>
#include <QFontMetrics>

BOOL SystemParametersInfo(UINT uiAction, UINT uiParam, void* pvParam, UINT)
{
    if (uiAction != SPI_GETNONCLIENTMETRICS || pvParam == nullptr || uiParam != sizeof(NONCLIENTMETRICS))
        return FALSE;
    auto* metrics = static_cast<NONCLIENTMETRICS*>(pvParam);
    if (metrics->cbSize != sizeof(NONCLIENTMETRICS))
        return FALSE;
    const QFont menu = QApplication::font("QMenu");
    const QFont general = QApplication::font();
    const int rowHeight = QFontMetrics(menu).height() + 4;
    metrics->iBorderWidth = 1;
    metrics->iScrollWidth = 17;
    metrics->iScrollHeight = 17;
    metrics->iCaptionWidth = rowHeight;
    metrics->iCaptionHeight = rowHeight;
    metrics->lfCaptionFont = LogFontFromQFont(QApplication::font("QMdiSubWindowTitleBar"));
    metrics->iSmCaptionWidth = rowHeight;
    metrics->iSmCaptionHeight = rowHeight;
    metrics->lfSmCaptionFont = metrics->lfCaptionFont;
    metrics->iMenuWidth = rowHeight;
    metrics->iMenuHeight = rowHeight;
    metrics->lfMenuFont = LogFontFromQFont(menu);
    metrics->lfStatusFont = LogFontFromQFont(QApplication::font("QStatusBar"));
    metrics->lfMessageFont = LogFontFromQFont(general);
    return TRUE;
}

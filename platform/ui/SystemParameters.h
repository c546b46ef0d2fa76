// SystemParametersInfo: the desktop's settings that windows size themselves by. Only the
// non-client metrics are kept: the fonts of captions, menus, status bars and message boxes,
// taken from the fonts Qt uses for those places.
#pragma once

#include "platform/ui/Gdi.h"

#define SPI_GETNONCLIENTMETRICS 0x0029

struct NONCLIENTMETRICS
{
    UINT cbSize;
    int iBorderWidth;
    int iScrollWidth;
    int iScrollHeight;
    int iCaptionWidth;
    int iCaptionHeight;
    LOGFONT lfCaptionFont;
    int iSmCaptionWidth;
    int iSmCaptionHeight;
    LOGFONT lfSmCaptionFont;
    int iMenuWidth;
    int iMenuHeight;
    LOGFONT lfMenuFont;
    LOGFONT lfStatusFont;
    LOGFONT lfMessageFont;
};
using NONCLIENTMETRICSA = NONCLIENTMETRICS;

// SPI_GETNONCLIENTMETRICS fills the NONCLIENTMETRICS at pvParam (uiParam and its cbSize its
// size). FALSE for any other action or a size that does not match.
PLATFORM_API BOOL SystemParametersInfo(UINT uiAction, UINT uiParam, void* pvParam, UINT fWinIni);
#define SystemParametersInfoA SystemParametersInfo

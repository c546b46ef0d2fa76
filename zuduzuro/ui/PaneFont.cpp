#include "zuduzuro/ui/PaneFont.h"

#include "platform/ui/Font.h"
#include "platform/ui/SystemParameters.h"

void MakeMessageFont(CFont& font)
{
    font.DeleteObject();
    LOGFONT lf{};
    ::GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    NONCLIENTMETRICS info{};
    info.cbSize = sizeof info;
    if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, info.cbSize, &info, 0))
        lf = info.lfMessageFont;
    font.CreateFontIndirect(&lf);
}

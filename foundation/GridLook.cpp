#include "foundation/GridLook.h"

#include "platform/ui/SystemParameters.h"

#include <algorithm>
#include <iterator>

namespace
{
// The GUI font's description with what `take` copies over from the system's non-client fonts
// (nothing when the system gives none), made into `font` afresh.
template <class Take> void MakeFromGuiFont(CFont& font, Take take)
{
    font.DeleteObject();
    LOGFONT lf{};
    ::GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    NONCLIENTMETRICS info{};
    info.cbSize = sizeof info;
    if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, info.cbSize, &info, 0))
        take(lf, info);
    font.CreateFontIndirect(&lf);
}
} // namespace

void CreatePropListFont(CFont& font)
{
    MakeFromGuiFont(font, [](LOGFONT& lf, const NONCLIENTMETRICS& info) {
        lf.lfHeight = info.lfMenuFont.lfHeight;
        lf.lfWeight = info.lfMenuFont.lfWeight;
        lf.lfItalic = info.lfMenuFont.lfItalic;
    });
}

void CreateMessageFacePropListFont(CFont& font)
{
    MakeFromGuiFont(font, [](LOGFONT& lf, const NONCLIENTMETRICS& info) {
        lf.lfWeight = info.lfMessageFont.lfWeight;
        static_assert(sizeof lf.lfFaceName == sizeof info.lfMessageFont.lfFaceName, "one face name size");
        std::copy(std::begin(info.lfMessageFont.lfFaceName), std::end(info.lfMessageFont.lfFaceName),
                  std::begin(lf.lfFaceName));
    });
}

void CreateMessageFaceAndHeightPropListFont(CFont& font)
{
    MakeFromGuiFont(font, [](LOGFONT& lf, const NONCLIENTMETRICS& info) {
        lf.lfHeight = info.lfMessageFont.lfHeight;
        std::copy(std::begin(info.lfMessageFont.lfFaceName), std::end(info.lfMessageFont.lfFaceName),
                  std::begin(lf.lfFaceName));
    });
}

void MakeMessageFont(CFont& font)
{
    MakeFromGuiFont(font, [](LOGFONT& lf, const NONCLIENTMETRICS& info) { lf = info.lfMessageFont; });
}

void ApplyGreyGridScheme(CMyMFCPropertyGridCtrl& grid)
{
    grid.EnableHeaderCtrl(FALSE, "Property", "Value");
    grid.SetVSDotNetLook(TRUE);
    grid.EnableDescriptionArea(TRUE);
    grid.SetColourScheme(1);
}

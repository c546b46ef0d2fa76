#include "featureui/panes/PaneGrid.h"

#include "outside/panes/PropertyGridItems.h"
#include "platform/ui/SystemParameters.h"

void CreatePropListFont(CFont& font)
{
    font.DeleteObject();
    LOGFONT lf{};
    ::GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    NONCLIENTMETRICS info{};
    info.cbSize = sizeof info;
    if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, info.cbSize, &info, 0))
    {
        lf.lfHeight = info.lfMenuFont.lfHeight;
        lf.lfWeight = info.lfMenuFont.lfWeight;
        lf.lfItalic = info.lfMenuFont.lfItalic;
    }
    font.CreateFontIndirect(&lf);
}

void ApplyGreyGridScheme(CMyMFCPropertyGridCtrl& grid)
{
    grid.EnableHeaderCtrl(FALSE, "Property", "Value");
    grid.SetVSDotNetLook(TRUE);
    grid.EnableDescriptionArea(TRUE);
    if (grid.GetNightMode())
        grid.SetCustomColors(0x000000, 0xC0C0C0, 0x555555, 0xEBEBEB, 0x555555, 0xC0C0C0, 0x555555);
    else
        grid.SetCustomColors(0xD6D6D6, 0x000000, 0x555555, 0xEBEBEB, 0x555555, 0xEBEBEB, 0x555555);
    grid.SetColourSchemeNumber(1);
    grid.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE);
}

void RecolourSamples(CMFCPropertyGridProperty* pGroup, COLORREF colour)
{
    if (pGroup == nullptr)
        return;
    for (int i = 0; i < pGroup->GetSubItemsCount(); ++i)
        if (auto* sample = dynamic_cast<CMFCPropertyGridSampleProperty*>(pGroup->GetSubItem(i)))
            sample->SetColour(colour);
}

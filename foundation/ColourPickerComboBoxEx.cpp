#include "foundation/ColourPickerComboBoxEx.h"

#include "platform/ui/Dc.h"
#include "platform/ui/GdiObject.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CColourPickerComboBoxEx, CComboBoxEx)

namespace
{
struct NamedColour
{
    const char* name;
    COLORREF colour;
};

// "White" is the light grey; pure white is "Bright White".
constexpr NamedColour kColours[CColourPickerComboBoxEx::kColourCount] = {
    {"Black", 0x000000},         {"Red", 0x0000FF},           {"Yellow", 0x00FFFF},
    {"Green", 0x00FF00},         {"Cyan", 0xFFFF00},          {"Blue", 0xFF0000},
    {"Magenta", 0xFF00FF},       {"Bright White", 0xFFFFFF},  {"Grey", 0x808080},
    {"White", 0xC0C0C0},         {"Pink", 0x8080FF},          {"Dark Red", 0x000080},
    {"Orange", 0x0080FF},        {"Light Yellow", 0x80FFFF},  {"Brown", 0x008080},
    {"Lime Green", 0x00FF80},    {"Light Green", 0x80FF80},   {"Dark Green", 0x008000},
    {"Emerald Green", 0x80FF00}, {"Light Cyan", 0xFFFF80},    {"Dark Cyan", 0x808000},
    {"Turquoise", 0xFF8000},     {"Light Blue", 0xFF8080},    {"Dark Blue", 0x800000},
    {"Purple", 0xFF0080},        {"Light Magenta", 0xFF80FF}, {"Dark Magenta", 0x800080},
    {"Crimson", 0x8000FF},
};

constexpr int kSwatch = 16;
constexpr int kNameMax = 39;
} // namespace

COLORREF CColourPickerComboBoxEx::GetColour(int nIndex)
{
    return nIndex >= 0 && nIndex < kColourCount ? kColours[nIndex].colour : 0;
}

const char* CColourPickerComboBoxEx::GetColourName(int nIndex)
{
    return nIndex >= 0 && nIndex < kColourCount ? kColours[nIndex].name : "";
}

int CColourPickerComboBoxEx::FindColour(COLORREF colour)
{
    for (int i = 0; i < kColourCount; ++i)
        if (kColours[i].colour == (colour & 0xFFFFFFu))
            return i;
    return -1;
}

void CColourPickerComboBoxEx::FillColours()
{
    if (m_ImageList.GetSafeHandle() && m_ImageList.GetImageCount() > 0)
        return;
    if (!m_ImageList.GetSafeHandle() &&
        !m_ImageList.Create(kSwatch, kSwatch, ILC_COLOR24 | ILC_MASK, kColourCount, 0))
        return;

    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBrush black(RGB(0, 0, 0));
    for (const NamedColour& entry : kColours)
    {
        CBitmap swatch;
        swatch.CreateCompatibleBitmap(&dc, kSwatch, kSwatch);
        CBitmap* old = dc.SelectObject(&swatch);
        dc.FillSolidRect(0, 0, kSwatch, kSwatch, RGB(255, 255, 255));
        CRect frame(0, 0, kSwatch, kSwatch);
        dc.FrameRect(frame, &black);
        frame.DeflateRect(2, 2);
        dc.FillSolidRect(frame, entry.colour);
        dc.SelectObject(old);
        m_ImageList.Add(&swatch, RGB(255, 255, 255));
    }
    SetImageList(&m_ImageList);

    ResetContent();
    for (int i = 0; i < kColourCount; ++i)
    {
        char name[kNameMax + 1] = {};
        std::strncpy(name, kColours[i].name, kNameMax);
        COMBOBOXEXITEM item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = i;
        item.pszText = name;
        item.cchTextMax = kNameMax;
        item.iImage = i;
        item.iSelectedImage = i;
        InsertItem(&item);
    }
}

// The day/night colour controls driven offscreen and checked on the pixels they draw: the
// colour button with its hover colours, the dialog base, the popup menu's brush and the
// 28-colour picker.
#include "foundation/ColourButton.h"
#include "foundation/ColourDialogEx.h"
#include "foundation/ColourPickerComboBoxEx.h"
#include "foundation/PopupMenu.h"
#include "platform/core/SysColor.h"
#include "platform/ui/Colour.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Static.h"
#include "testsupport/UserInput.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
constexpr UINT IDC_BUTTON = 1401;
constexpr UINT IDC_PICKER = 1402;
constexpr UINT IDD_COLOUR_TEST = 29001;
constexpr UINT IDC_LABEL = 1403;
constexpr UINT IDC_TEXT = 1404;
constexpr UINT IDC_READONLY = 1405;

void Pump()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

COLORREF PixelAt(const QImage& image, int x, int y)
{
    return ColorRefFromQRgb(image.pixel(x, y));
}

int CountColour(const QImage& image, COLORREF colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += PixelAt(image, x, y) == colour;
    return n;
}

class CHost : public CWnd
{
public:
    int clicks = 0;
    CHost()
    {
        CreateEx(0, nullptr, "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 460, 360), nullptr, 0);
    }
    void OnButton() { ++clicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHost, CWnd)
ON_BN_CLICKED(IDC_BUTTON, &CHost::OnButton)
END_MESSAGE_MAP()

// The greatest green level inside the button's edge: the text's colour shows there, however
// its glyphs are smoothed.
int BrightestInside(const QImage& image)
{
    int best = 0;
    for (int y = 3; y < image.height() - 3; ++y)
        for (int x = 3; x < image.width() - 3; ++x)
            best = std::max(best, qGreen(image.pixel(x, y)));
    return best;
}

// A point of the face: inside the raised edge, away from the text and the focus frame.
constexpr int kFaceX = 10;
constexpr int kFaceY = 3;

const DLGITEM_TABLE kColourTestItems[] = {
    {DLGI_LTEXT, static_cast<int>(IDC_LABEL), "WWWWWW", 7, 7, 60, 10},
    {DLGI_EDITTEXT, static_cast<int>(IDC_TEXT), "", 7, 25, 60, 14},
    {DLGI_EDITTEXT, static_cast<int>(IDC_READONLY), "", 7, 45, 60, 14, ES_READONLY},
    {DLGI_PUSHBUTTON, IDOK, "OK", 80, 45, 50, 14},
};
const DLGTEMPLATE_TABLE kColourTest = {IDD_COLOUR_TEST,
                                       "Colours",
                                       "MS Shell Dlg",
                                       8,
                                       0,
                                       0,
                                       140,
                                       70,
                                       DS_SETFONT | WS_POPUP | WS_CAPTION,
                                       0,
                                       kColourTestItems,
                                       AFX_DLGITEM_COUNT(kColourTestItems)};
const CDialogTemplateRegistrar registerColourTest(&kColourTest);

// Where an item is in the dialog's client area (pixels).
CRect ItemRect(CDialog& dialog, UINT id)
{
    CRect rc;
    dialog.GetDlgItem(static_cast<int>(id))->GetWindowRect(&rc);
    dialog.ScreenToClient(&rc);
    return rc;
}
} // namespace

// ---------------------------------------------------------------------------------------
// Colour button
// ---------------------------------------------------------------------------------------

TEST(ColourButton, DrawsTheDayFaceAndTextAndThePressedFace)
{
    CHost host;
    CColourButton button;
    ASSERT_TRUE(button.Create("OK", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 30), &host, IDC_BUTTON));
    EXPECT_FALSE(button.GetNightMode());
    QImage image = button.RenderToImage();
    EXPECT_EQ(PixelAt(image, kFaceX, kFaceY), 0xCC7B00u);
    EXPECT_EQ(BrightestInside(image), 255); // white text
    // The text is centred: as much of it left of the middle as right.
    int left = 0, right = 0;
    for (int y = 3; y < image.height() - 3; ++y)
        for (int x = 3; x < image.width() - 3; ++x)
            if (qGreen(image.pixel(x, y)) > 0xA0)
                (x < 50 ? left : right) += 1;
    EXPECT_NEAR(left, right, (left + right) / 3 + 2);

    button.SetState(TRUE);
    image = button.RenderToImage();
    EXPECT_EQ(PixelAt(image, kFaceX, kFaceY + 1), 0x800000u);

    button.SetState(FALSE);
    button.Click();
    EXPECT_EQ(host.clicks, 1);
}

TEST(ColourButton, NightModeTakesTheNightSet)
{
    CHost host;
    CColourButton button;
    ASSERT_TRUE(button.Create("Night", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 30), &host, IDC_BUTTON));
    button.SetNightMode(TRUE);
    EXPECT_TRUE(button.GetNightMode());
    const QImage image = button.RenderToImage();
    EXPECT_EQ(PixelAt(image, kFaceX, kFaceY), 0x663D00u);
    // Light grey text: bright, never white.
    EXPECT_GE(BrightestInside(image), 0xB0);
    EXPECT_LE(BrightestInside(image), 0xC0);
}

TEST(ColourButton, HoverLightsTheFaceAndLeavingRestoresTheSchemeInForce)
{
    CHost host;
    CColourButton button;
    ASSERT_TRUE(button.Create("Hover", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 30), &host, IDC_BUTTON));
    QWidget* w = button.GetWidget();

    // A real mouse move over the button, then the mouse leaving it.
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 10), w->mapToGlobal(QPointF(20, 10)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    EXPECT_EQ(PixelAt(button.RenderToImage(), kFaceX, kFaceY), 0xFF0000u);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w, &leave);
    Pump();
    EXPECT_EQ(PixelAt(button.RenderToImage(), kFaceX, kFaceY), 0xCC7B00u);

    // At night, hovering uses the night hover face and leaving gives back the night face.
    button.SetNightMode(TRUE);
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
    EXPECT_EQ(PixelAt(button.RenderToImage(), kFaceX, kFaceY), 0x995C00u);
    button.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(PixelAt(button.RenderToImage(), kFaceX, kFaceY), 0x663D00u);
}

// The margins are device units of the item's drawing, that is pixels: the focus rectangle
// stands 5 pixels inside the button, and the wrapped caption keeps 5 pixels from each side.
TEST(ColourButton, FocusRectangleAndWrappedCaptionKeepFivePixelsIn)
{
    CHost host;
    CColourButton button;
    ASSERT_TRUE(button.Create("Geographical and Angle Format", WS_CHILD | WS_VISIBLE, CRect(0, 0, 70, 60), &host,
                              IDC_BUTTON));
    const auto differsOnRow = [](const QImage& image, int y) {
        int n = 0;
        for (int x = 6; x < image.width() - 6; ++x)
            n += PixelAt(image, x, y) != 0xCC7B00u;
        return n;
    };
    QImage image = button.RenderToImage();
    EXPECT_EQ(differsOnRow(image, 5), 0);

    host.SetFocus();
    button.SetFocus();
    Pump();
    image = button.RenderToImage();
    EXPECT_GT(differsOnRow(image, 5), 10) << "no focus rectangle 5 pixels in";
    EXPECT_EQ(differsOnRow(image, 4), 0);
    EXPECT_EQ(differsOnRow(image, image.height() - 7), 0);
    EXPECT_GT(differsOnRow(image, image.height() - 6), 10);

    // The caption wraps onto several lines, centred, none of it in the 5-pixel margins.
    int top = image.height(), bottom = -1;
    for (int y = 7; y < image.height() - 7; ++y)
        for (int x = 2; x < image.width() - 2; ++x)
            if (qGreen(image.pixel(x, y)) > 0xE0 && qRed(image.pixel(x, y)) > 0xE0)
            {
                EXPECT_TRUE(x >= 5 && x < image.width() - 5) << x << "," << y;
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(bottom, top);
    EXPECT_GT(bottom - top, 20) << "the caption did not wrap";
    EXPECT_NEAR(top, image.height() - 1 - bottom, 4);

    // Raised at rest, sunken while pressed: the light and the dark sides change places.
    const int restTop = qGreen(image.pixel(30, 0));
    button.SetState(TRUE);
    image = button.RenderToImage();
    EXPECT_LT(qGreen(image.pixel(30, 0)), restTop);
}

// ---------------------------------------------------------------------------------------
// Dialog base
// ---------------------------------------------------------------------------------------

TEST(ColourDialogEx, StartsInTheDaySchemeAndColoursDialogStaticsAndButtons)
{
    CColourDialogEx dialog(IDD_COLOUR_TEST);
    EXPECT_FALSE(dialog.GetNightMode());
    EXPECT_EQ(dialog.GetBackgroundColour(), 0x555555u);
    EXPECT_EQ(dialog.GetTextColour(), 0xFFFFFFu);
    ASSERT_TRUE(dialog.Create(IDD_COLOUR_TEST));
    dialog.ShowWindow(SW_SHOW);
    Pump();

    QImage image = dialog.RenderToImage();
    const CRect label = ItemRect(dialog, IDC_LABEL);
    const CRect text = ItemRect(dialog, IDC_TEXT);
    const CRect readOnly = ItemRect(dialog, IDC_READONLY);
    EXPECT_EQ(PixelAt(image, 2, 2), 0x555555u); // dialog background
    EXPECT_EQ(PixelAt(image, label.right - 1, label.bottom - 1), 0x555555u);
    EXPECT_GT(CountColour(image.copy(ToQRect(label)), 0xFFFFFF), 5); // white text on the static
    EXPECT_EQ(PixelAt(image, text.CenterPoint().x, text.CenterPoint().y),
              GetSysColor(COLOR_WINDOW)); // edits keep theirs
    EXPECT_EQ(PixelAt(image, readOnly.CenterPoint().x, readOnly.CenterPoint().y),
              0x555555u); // read-only: static

    // The control-colour answers themselves.
    CONTROLCOLOURS colours;
    EXPECT_TRUE(AfxGetControlColours(dialog.GetDlgItem(IDOK)->GetSafeHwnd(), CTLCOLOR_BTN, &colours));
    EXPECT_EQ(colours.brushColour, 0x555555u);
    EXPECT_FALSE(AfxGetControlColours(dialog.GetDlgItem(static_cast<int>(IDC_TEXT))->GetSafeHwnd(),
                                      CTLCOLOR_EDIT, &colours) &&
                 colours.brushColour == 0x555555u);

    dialog.SetNightMode(TRUE);
    Pump();
    image = dialog.RenderToImage();
    EXPECT_EQ(PixelAt(image, 2, 2), 0x000000u);
    EXPECT_GT(CountColour(image.copy(ToQRect(label)), 0xC0C0C0), 5);
    EXPECT_EQ(CountColour(image.copy(ToQRect(label)), 0xFFFFFF), 0);
    dialog.DestroyWindow();

    // A new one starts in the day scheme again.
    CColourDialogEx another(IDD_COLOUR_TEST);
    EXPECT_FALSE(another.GetNightMode());
    EXPECT_EQ(another.GetBackgroundColour(), 0x555555u);
}

// ---------------------------------------------------------------------------------------
// Popup menu
// ---------------------------------------------------------------------------------------

TEST(PopupMenu, OwnsItsBackgroundBrushAndGivesItToTheMenu)
{
    HBRUSH brush = nullptr;
    HMENU menu = nullptr;
    {
        CPopupMenu popup(0xD6D6D6);
        ASSERT_TRUE(popup.CreatePopupMenu());
        popup.AppendMenu(MF_STRING, 1, "Save to CSV");
        brush = popup.GetBackgroundBrush();
        menu = popup.GetSafeHmenu();
        MENUINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = MIM_BACKGROUND;
        ASSERT_TRUE(popup.GetMenuInfo(&info));
        EXPECT_EQ(info.hbrBack, brush);
        LOGBRUSH logBrush{};
        ASSERT_EQ(GetObject(brush, sizeof(logBrush), &logBrush), static_cast<int>(sizeof(logBrush)));
        EXPECT_EQ(logBrush.lbColor, 0xD6D6D6u);
        EXPECT_EQ(logBrush.lbStyle, static_cast<UINT>(BS_SOLID));
    }
    // Gone with the object: the brush deleted, the menu destroyed.
    EXPECT_EQ(GetObjectType(brush), 0u);
    EXPECT_FALSE(IsMenu(menu));
}

// ---------------------------------------------------------------------------------------
// Colour picker
// ---------------------------------------------------------------------------------------

TEST(ColourPicker, FillsTheTwentyEightNamedColoursOnce)
{
    CHost host;
    CColourPickerComboBoxEx picker;
    ASSERT_TRUE(
        picker.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 200, 300), &host, IDC_PICKER));
    picker.FillColours();
    picker.FillColours();
    ASSERT_EQ(picker.GetCount(), 28);
    const std::vector<std::string> expected = {
        "Black",         "Red",           "Yellow",       "Green",      "Cyan",        "Blue",
        "Magenta",       "Bright White",  "Grey",         "White",      "Pink",        "Dark Red",
        "Orange",        "Light Yellow",  "Brown",        "Lime Green", "Light Green", "Dark Green",
        "Emerald Green", "Light Cyan",    "Dark Cyan",    "Turquoise",  "Light Blue",  "Dark Blue",
        "Purple",        "Light Magenta", "Dark Magenta", "Crimson"};
    for (int i = 0; i < 28; ++i)
    {
        CString name;
        picker.GetLBText(i, name);
        EXPECT_EQ(std::string(name.GetString()), expected[static_cast<size_t>(i)]) << i;
    }
    EXPECT_EQ(CColourPickerComboBoxEx::GetColour(9), 0xC0C0C0u); // "White" is the light grey
    EXPECT_EQ(CColourPickerComboBoxEx::GetColour(7), 0xFFFFFFu);
    EXPECT_EQ(CColourPickerComboBoxEx::FindColour(0x8000FF), 27);
    EXPECT_EQ(CColourPickerComboBoxEx::FindColour(0x123456), -1);

    CImageList* images = picker.GetImageList();
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(images->GetImageCount(), 28);
    EXPECT_EQ(images->GetImageSize(), CSize(16, 16));

    // Each item shows its own swatch: image i for item i.
    char buffer[40] = {};
    COMBOBOXEXITEM item{};
    item.mask = CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_TEXT;
    item.iItem = 21;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    ASSERT_TRUE(picker.GetItem(&item));
    EXPECT_EQ(item.iImage, 21);
    EXPECT_EQ(item.iSelectedImage, 21);
    EXPECT_STREQ(buffer, "Turquoise");
}

TEST(ColourPicker, SwatchesAreFramedSquaresOfTheirColour)
{
    CHost host;
    CColourPickerComboBoxEx picker;
    ASSERT_TRUE(
        picker.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 200, 300), &host, IDC_PICKER));
    picker.FillColours();
    const QImage red = picker.GetImageList()->GetImage(1);
    EXPECT_EQ(ColorRefFromQRgb(red.pixel(0, 0)), 0x000000u); // the black frame
    EXPECT_EQ(ColorRefFromQRgb(red.pixel(15, 8)), 0x000000u);
    EXPECT_EQ(qAlpha(red.pixel(1, 1)), 0);                   // white, the mask colour: clear
    EXPECT_EQ(ColorRefFromQRgb(red.pixel(2, 2)), 0x0000FFu); // the colour, inset by 2
    EXPECT_EQ(ColorRefFromQRgb(red.pixel(13, 13)), 0x0000FFu);
    EXPECT_EQ(qAlpha(red.pixel(14, 14)), 0);

    // The selected colour's swatch shows in the box.
    picker.SetCurSel(5);
    const QImage shown = picker.RenderToImage();
    EXPECT_GE(CountColour(shown, 0xFF0000), 12 * 12);
}

// Dropped down as a user drops it, every line of the picker shows its colour's swatch beside
// the name; the colour picked shows in the box.
TEST(ColourPicker, DroppedDownEachLineShowsItsSwatch)
{
    CHost host;
    CColourPickerComboBoxEx picker;
    ASSERT_TRUE(
        picker.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 200, 300), &host, IDC_PICKER));
    picker.FillColours();
    auto* combo = picker.GetWidget()->findChild<QComboBox*>();
    if (!combo)
        combo = qobject_cast<QComboBox*>(picker.GetWidget());
    ASSERT_NE(combo, nullptr);
    QAbstractItemView* view = UserInput::DropDown(combo);
    ASSERT_NE(view, nullptr) << "the list did not drop down";
    const QImage shown = view->viewport()->grab().toImage();
    int lines = 0;
    for (int i = 0; i < combo->count(); ++i)
    {
        const QRect line = view->visualRect(combo->model()->index(i, 0));
        if (!line.isValid() || line.bottom() >= shown.height())
            continue;
        const COLORREF colour = CColourPickerComboBoxEx::GetColour(i);
        if (colour == 0xFFFFFF || colour == 0x000000)
            continue; // a swatch of the text's or the background's own colour proves nothing
        ++lines;
        EXPECT_GE(CountColour(shown.copy(line), colour), 8 * 8) << combo->itemText(i).toStdString();
    }
    EXPECT_GE(lines, 5);
    combo->hidePopup();
    ASSERT_TRUE(UserInput::PickFromDropDown(combo, "Turquoise"));
    EXPECT_EQ(picker.GetCurSel(), 21);
    EXPECT_GE(CountColour(picker.RenderToImage(), 0xFF8000), 8 * 8);
}

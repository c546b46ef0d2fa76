// Renders a dialog with one control of each kind to a PNG under the build folder
// (visual/dialog.png), for a person to look at.
#include "platform/core/SysColor.h"
#include "platform/ui/Colour.h"
#include "platform/ui/Dialog.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

#ifndef SUITE_VISUAL_DIR
#define SUITE_VISUAL_DIR "visual"
#endif

namespace
{
constexpr UINT IDD_VISUAL = 9201;

const DLGITEM_TABLE kVisualItems[] = {
    {DLGI_GROUPBOX, IDC_STATIC, "Controls", 7, 7, 226, 150},
    {DLGI_LTEXT, IDC_STATIC, "Static text:", 14, 22, 60, 8},
    {DLGI_EDITTEXT, 3001, "Edit text", 80, 20, 140, 14, ES_AUTOHSCROLL},
    {DLGI_AUTOCHECKBOX, 3002, "Check box", 14, 40, 70, 10},
    {DLGI_AUTORADIOBUTTON, 3003, "Radio one", 90, 40, 60, 10, WS_GROUP},
    {DLGI_AUTORADIOBUTTON, 3004, "Radio two", 155, 40, 60, 10},
    {DLGI_COMBOBOX, 3005, "", 14, 56, 100, 60, CBS_DROPDOWNLIST},
    {DLGI_LISTBOX, 3006, "", 120, 56, 100, 40},
    {DLGI_PROGRESS, 3007, "", 14, 102, 100, 10},
    {DLGI_SLIDER, 3008, "", 120, 100, 100, 15},
    {DLGI_EDITTEXT, 3009, "5", 14, 120, 40, 14, ES_NUMBER},
    {DLGI_SPIN, 3010, "", 54, 120, 10, 14},
    {DLGI_CTEXT, IDC_STATIC, "Centred", 80, 123, 60, 8},
    {DLGI_DEFPUSHBUTTON, IDOK, "OK", 120, 165, 50, 14},
    {DLGI_PUSHBUTTON, IDCANCEL, "Cancel", 180, 165, 50, 14},
};
const DLGTEMPLATE_TABLE kVisual = {IDD_VISUAL,
                                   "Every control",
                                   "MS Shell Dlg",
                                   8,
                                   0,
                                   0,
                                   240,
                                   186,
                                   DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                   0,
                                   kVisualItems,
                                   AFX_DLGITEM_COUNT(kVisualItems)};
const CDialogTemplateRegistrar registerVisual(&kVisual);
} // namespace

TEST(VisualTest, DialogWithEveryControlKindRendersToPng)
{
    CDialog dlg(IDD_VISUAL);
    ASSERT_TRUE(dlg.Create(IDD_VISUAL));
    dlg.SendDlgItemMessage(3005, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Combo item"));
    dlg.SendDlgItemMessage(3005, CB_SETCURSEL, 0, 0);
    for (const char* item : {"List one", "List two", "List three"})
        dlg.SendDlgItemMessage(3006, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    dlg.SendDlgItemMessage(3006, LB_SETCURSEL, 1, 0);
    dlg.SendDlgItemMessage(3007, PBM_SETRANGE32, 0, 100);
    dlg.SendDlgItemMessage(3007, PBM_SETPOS, 60, 0);
    dlg.SendDlgItemMessage(3008, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
    dlg.SendDlgItemMessage(3008, TBM_SETPOS, TRUE, 3);
    dlg.CheckDlgButton(3002, BST_CHECKED);
    dlg.CheckRadioButton(3003, 3004, 3004);
    dlg.ShowWindow(SW_SHOW);

    const QImage image = dlg.RenderToImage();
    ASSERT_FALSE(image.isNull());
    CRect client;
    dlg.GetClientRect(&client);
    EXPECT_EQ(image.size(), QSize(client.Width(), client.Height()));
    // The dialog's own background, below the buttons' row and right of the group box.
    EXPECT_EQ(ColorRefFromQRgb(image.pixel(image.width() - 2, image.height() - 2)),
              GetSysColor(COLOR_3DFACE));

    ASSERT_TRUE(QDir().mkpath(SUITE_VISUAL_DIR));
    const QString path = QString(SUITE_VISUAL_DIR) + "/dialog.png";
    EXPECT_TRUE(image.save(path, "PNG"));
    EXPECT_TRUE(QImage(path).size() == image.size());
}

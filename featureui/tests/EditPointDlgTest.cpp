// The point editor: what it shows of the caller's variables, and what Update, Delete and Cancel
// do to them.
#include "featureui/dialogs/EditPointDlg.h"
#include "platform/core/WinApp.h"
#include "platform/ui/ModalHook.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace
{
class EditPointDlgTest : public ::testing::Test
{
protected:
    // The dialog's answer: `type` is run on the open dialog, then the button `button` clicked.
    static void Answer(std::function<void(CDialog*)> type, UINT button)
    {
        ModalHook::AnswerDialog(IDD_EDIT_POINT, [type, button](CDialog* d) {
            type(d);
            d->SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
            return static_cast<INT_PTR>(IDCANCEL);
        });
    }
    static CString Text(CDialog* d, int id)
    {
        CString text;
        d->GetDlgItemText(id, text);
        return text;
    }
    static bool Shown(CDialog* d, int id) { return d->GetDlgItem(id) != nullptr && d->GetDlgItem(id)->IsWindowVisible(); }

    CWinApp app{"EditPointDlgTest"};
    CString name = "Buoy";
    tagXY point{452000.25, 6231000.5};
    double height = 12.5;
    double radius = 30.0;
};
} // namespace

TEST_F(EditPointDlgTest, ShowsTheValuesAndWritesTypedTextsBack)
{
    CString caption, label, easting, northing, shownHeight;
    bool heightShown = true, heightLabelShown = true, radiusShown = false, readOnly = true;
    Answer(
        [&](CDialog* d) {
            d->GetWindowText(caption);
            label = Text(d, IDC_EDIT_POINT_LABEL);
            easting = Text(d, IDC_EDIT_POINT_EASTING);
            northing = Text(d, IDC_EDIT_POINT_NORTHING);
            heightShown = Shown(d, IDC_EDIT_POINT_HEIGHT);
            heightLabelShown = Shown(d, IDC_EDIT_POINT_HEIGHT_LABEL);
            radiusShown = Shown(d, IDC_EDIT_POINT_RADIUS) && Shown(d, IDC_EDIT_POINT_RADIUS_LABEL);
            readOnly = (d->GetDlgItem(IDC_EDIT_POINT_LABEL)->GetStyle() & ES_READONLY) != 0;
            d->SetDlgItemText(IDC_EDIT_POINT_LABEL, "Wreck");
            d->SetDlgItemText(IDC_EDIT_POINT_EASTING, "452100.125");
            d->SetDlgItemText(IDC_EDIT_POINT_NORTHING, ""); // emptied: 0
            d->SetDlgItemText(IDC_EDIT_POINT_RADIUS, "no number");
        },
        IDOK);
    EXPECT_TRUE(EditPoint("Edit Waypoint", name, true, &point, nullptr, &radius));
    EXPECT_STREQ(caption, "Edit Waypoint");
    EXPECT_STREQ(label, "Buoy");
    EXPECT_STREQ(easting, "452000.250");
    EXPECT_STREQ(northing, "6231000.500");
    EXPECT_FALSE(heightShown);
    EXPECT_FALSE(heightLabelShown);
    EXPECT_TRUE(radiusShown);
    EXPECT_FALSE(readOnly);
    EXPECT_STREQ(name, "Wreck");
    EXPECT_EQ(point.x, 452100.125);
    EXPECT_EQ(point.y, 0.0);
    EXPECT_EQ(radius, 0.0);
    EXPECT_EQ(height, 12.5); // not given: untouched
}

TEST_F(EditPointDlgTest, AReadOnlyLabelIsNotCopiedBack)
{
    bool readOnly = false;
    Answer(
        [&](CDialog* d) {
            readOnly = (d->GetDlgItem(IDC_EDIT_POINT_LABEL)->GetStyle() & ES_READONLY) != 0;
            d->SetDlgItemText(IDC_EDIT_POINT_LABEL, "Typed");
            d->SetDlgItemText(IDC_EDIT_POINT_HEIGHT, "-4.25");
        },
        IDOK);
    EXPECT_TRUE(EditPoint("Edit Structure", name, false, &point, &height, nullptr));
    EXPECT_TRUE(readOnly);
    EXPECT_STREQ(name, "Buoy");
    EXPECT_EQ(height, -4.25);
    EXPECT_EQ(point.x, 452000.25);
}

TEST_F(EditPointDlgTest, DeleteAndCancelLeaveTheVariables)
{
    const struct
    {
        UINT button;
        bool result;
    } cases[] = {{IDC_EDIT_POINT_DELETE, false}, {IDCANCEL, true}};
    for (const auto& c : cases)
    {
        Answer(
            [](CDialog* d) {
                d->SetDlgItemText(IDC_EDIT_POINT_LABEL, "Changed");
                d->SetDlgItemText(IDC_EDIT_POINT_EASTING, "1.0");
                d->SetDlgItemText(IDC_EDIT_POINT_HEIGHT, "2.0");
            },
            c.button);
        EXPECT_EQ(EditPoint("Edit Waypoint", name, true, &point, &height, &radius), c.result) << c.button;
        EXPECT_STREQ(name, "Buoy");
        EXPECT_EQ(point.x, 452000.25);
        EXPECT_EQ(height, 12.5);
    }
}

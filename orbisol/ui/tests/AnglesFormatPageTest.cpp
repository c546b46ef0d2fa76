// The angle format page as the user meets it in the running program: what it shows without
// settings, what a click on a radio or a pick in a list writes, and that the choice is there
// again when the program is started anew.
#include "orbisol/ui/AnglesFormatPP.h"
#include "orbisol/ui/OrbisolResources.h"
#include "orbisol/ui/tests/ProgramDriver.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/UserInput.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifndef SUITE_VISUAL_DIR
#define SUITE_VISUAL_DIR "visual/orbisol"
#endif

using namespace ProgramDriver;

namespace
{
constexpr int kFormatPage = 4;

const UINT kGeoRadios[] = {IDC_GEO_DMS, IDC_GEO_DM, IDC_GEO_DEGREES, IDC_GEO_GRADIANS};
const UINT kAngleRadios[] = {IDC_ANGLE_DMS, IDC_ANGLE_DM, IDC_ANGLE_DEGREES, IDC_ANGLE_GRADIANS};

CAnglesFormatPP* OpenFormatPage(CColourPropertySheet* sheet)
{
    ClickTab(sheet, kFormatPage);
    EXPECT_EQ(sheet->GetActiveIndex(), kFormatPage);
    return dynamic_cast<CAnglesFormatPP*>(sheet->GetActivePage());
}

// The radios of a group that show checked, by id.
std::vector<UINT> Checked(CWnd* page, const UINT (&radios)[4])
{
    std::vector<UINT> on;
    for (UINT id : radios)
        if (page->IsDlgButtonChecked(static_cast<int>(id)) == BST_CHECKED)
            on.push_back(id);
    return on;
}

QComboBox* Combo(CWnd* page, UINT id)
{
    CWnd* item = page->GetDlgItem(static_cast<int>(id));
    return item ? qobject_cast<QComboBox*>(item->GetWidget()) : nullptr;
}

std::vector<std::string> Entries(QComboBox* combo)
{
    std::vector<std::string> entries;
    for (int i = 0; i < combo->count(); ++i)
        entries.push_back(combo->itemText(i).toStdString());
    return entries;
}

// "No Decimal Places" (when `withZero`) and "1 Decimal Place" .. "`most` Decimal Place".
std::vector<std::string> DecimalEntries(int most, bool withZero)
{
    std::vector<std::string> entries;
    if (withZero)
        entries.emplace_back("No Decimal Places");
    for (int i = 1; i <= most; ++i)
        entries.push_back(std::to_string(i) + " Decimal Place");
    return entries;
}

// Bright pixels (the white captions) inside a control's place in the picture.
int WhitePixels(const QImage& picture, CWnd* control)
{
    const QRect area = FrameProbe::PaneRect(control);
    int white = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
        {
            const QColor c = picture.pixelColor(x, y);
            white += (c.red() > 0xD0 && c.green() > 0xD0 && c.blue() > 0xD0) ? 1 : 0;
        }
    return white;
}
} // namespace

TEST(AnglesFormatPage, WithoutSettingsShowsDegreesAndDecimalMinutesSevenPlacesNorthAndEast)
{
    const bool shown = RunProgram(IDOK, [](COrbisolApp&, CColourPropertySheet* sheet) {
        CAnglesFormatPP* page = OpenFormatPage(sheet);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(Checked(page, kGeoRadios), std::vector<UINT>{IDC_GEO_DM});
        EXPECT_EQ(Checked(page, kAngleRadios), std::vector<UINT>{IDC_ANGLE_DM});
        EXPECT_EQ(page->IsDlgButtonChecked(IDC_LAT_NORTH), static_cast<UINT>(BST_CHECKED));
        EXPECT_EQ(page->IsDlgButtonChecked(IDC_LAT_SOUTH), static_cast<UINT>(BST_UNCHECKED));
        EXPECT_EQ(page->IsDlgButtonChecked(IDC_LON_EAST), static_cast<UINT>(BST_CHECKED));
        EXPECT_EQ(page->IsDlgButtonChecked(IDC_LON_WEST), static_cast<UINT>(BST_UNCHECKED));
        QComboBox* geo = Combo(page, IDC_GEO_DECIMALS);
        QComboBox* angle = Combo(page, IDC_ANGLE_DECIMALS);
        ASSERT_TRUE(geo && angle);
        EXPECT_EQ(Entries(geo), DecimalEntries(7, true));
        EXPECT_EQ(geo->currentText(), QString("7 Decimal Place"));
        EXPECT_EQ(Entries(angle), DecimalEntries(7, false));
        EXPECT_EQ(angle->currentText(), QString("7 Decimal Place"));

        // What the user sees: the sheet alone on the screen, the page's captions in white.
        EXPECT_TRUE(FrameProbe::StrayTopLevels(sheet).empty());
        const QImage picture = FrameProbe::GrabWindow(sheet);
        QDir().mkpath(SUITE_VISUAL_DIR);
        picture.save(QString(SUITE_VISUAL_DIR) + "/orbisol_angle_format.png");
        EXPECT_GT(FrameProbe::ContentPixels(picture, FrameProbe::PaneRect(page)), 200);
        for (UINT id : {IDC_GEO_DMS, IDC_GEO_GRADIANS, IDC_LAT_SOUTH, IDC_LON_WEST, IDC_ANGLE_DEGREES})
            EXPECT_GT(WhitePixels(picture, page->GetDlgItem(static_cast<int>(id))), 10) << id;
        // Nothing is written by looking.
        EXPECT_TRUE(ReadLinuxFile(SettingsFile("Angle Settings")).isEmpty());
        EXPECT_TRUE(ReadLinuxFile(SettingsFile("Geographicals Settings")).isEmpty());
        ClickButton(sheet->GetOkButton());
    });
    EXPECT_TRUE(shown);
}

TEST(AnglesFormatPage, ChoicesAreWrittenWholeAtOnceAndShownAgainOnTheNextStart)
{
    RunProgram(IDOK, [](COrbisolApp&, CColourPropertySheet* sheet) {
        CAnglesFormatPP* page = OpenFormatPage(sheet);
        ASSERT_NE(page, nullptr);
        ClickButton(page->GetDlgItem(IDC_ANGLE_GRADIANS));
        EXPECT_EQ(Checked(page, kAngleRadios), std::vector<UINT>{IDC_ANGLE_GRADIANS});
        EXPECT_EQ(Checked(page, kGeoRadios), std::vector<UINT>{IDC_GEO_DM});
        EXPECT_EQ(ReadLinuxFile(SettingsFile("Angle Settings")), QByteArray("Preference = 4\r\nDecimal Places = 7\r\n"));
        EXPECT_TRUE(ReadLinuxFile(SettingsFile("Geographicals Settings")).isEmpty());

        QComboBox* angle = Combo(page, IDC_ANGLE_DECIMALS);
        ASSERT_NE(angle, nullptr);
        EXPECT_EQ(Entries(angle), DecimalEntries(9, false));
        ASSERT_TRUE(UserInput::PickFromDropDown(angle, "3 Decimal Place"));
        EXPECT_EQ(ReadLinuxFile(SettingsFile("Angle Settings")), QByteArray("Preference = 4\r\nDecimal Places = 3\r\n"));

        ClickButton(page->GetDlgItem(IDC_LAT_SOUTH));
        ClickButton(page->GetDlgItem(IDC_LON_WEST));
        EXPECT_EQ(page->IsDlgButtonChecked(IDC_LAT_NORTH), static_cast<UINT>(BST_UNCHECKED));
        EXPECT_EQ(page->IsDlgButtonChecked(IDC_LON_EAST), static_cast<UINT>(BST_UNCHECKED));
        ASSERT_TRUE(UserInput::PickFromDropDown(Combo(page, IDC_GEO_DECIMALS), "No Decimal Places"));
        EXPECT_EQ(ReadLinuxFile(SettingsFile("Geographicals Settings")),
                  QByteArray("Preference = 1\r\nDecimal Places = 0\r\nDefault Lat Quad = S\r\nDefault Lon Quad = W\r\n"));
        ClickButton(sheet->GetCancelButton());
    });

    RunProgram(IDOK, [](COrbisolApp&, CColourPropertySheet* sheet) {
        // The sheet opens on the page it was left on.
        ASSERT_EQ(sheet->GetActiveIndex(), kFormatPage);
        auto* page = dynamic_cast<CAnglesFormatPP*>(sheet->GetActivePage());
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(Checked(page, kAngleRadios), std::vector<UINT>{IDC_ANGLE_GRADIANS});
        EXPECT_EQ(Combo(page, IDC_ANGLE_DECIMALS)->currentText(), QString("3 Decimal Place"));
        EXPECT_EQ(Combo(page, IDC_GEO_DECIMALS)->currentText(), QString("No Decimal Places"));
        EXPECT_EQ(page->IsDlgButtonChecked(IDC_LAT_SOUTH), static_cast<UINT>(BST_CHECKED));
        EXPECT_EQ(page->IsDlgButtonChecked(IDC_LON_WEST), static_cast<UINT>(BST_CHECKED));
        sheet->EndDialog(IDCANCEL);
    });
}

TEST(AnglesFormatPage, EachFormatOffersItsOwnDecimalPlaces)
{
    RunProgram(IDOK, [](COrbisolApp&, CColourPropertySheet* sheet) {
        CAnglesFormatPP* page = OpenFormatPage(sheet);
        ASSERT_NE(page, nullptr);
        const struct
        {
            UINT radio;
            int format;
            int most;
        } cases[] = {{IDC_GEO_DEGREES, 2, 9}, {IDC_GEO_GRADIANS, 4, 9}, {IDC_GEO_DMS, 0, 5}, {IDC_GEO_DM, 1, 7}};
        for (const auto& c : cases)
        {
            ClickButton(page->GetDlgItem(static_cast<int>(c.radio)));
            EXPECT_EQ(page->GetGeographicalFormat(), c.format);
            QComboBox* geo = Combo(page, IDC_GEO_DECIMALS);
            EXPECT_EQ(Entries(geo), DecimalEntries(c.most, true)) << c.format;
            // The last entry is the format's most.
            const std::string last = std::to_string(c.most) + " Decimal Place";
            ASSERT_TRUE(UserInput::PickFromDropDown(geo, QString::fromStdString(last))) << c.format;
            EXPECT_EQ(page->GetGeographicalDecimals(), c.most);
        }
        // Nine places chosen under decimal degrees become the five DMS offers, in the file too.
        ClickButton(page->GetDlgItem(IDC_GEO_DEGREES));
        ASSERT_TRUE(UserInput::PickFromDropDown(Combo(page, IDC_GEO_DECIMALS), "9 Decimal Place"));
        ClickButton(page->GetDlgItem(IDC_GEO_DMS));
        EXPECT_EQ(Combo(page, IDC_GEO_DECIMALS)->currentText(), QString("5 Decimal Place"));
        EXPECT_EQ(ReadLinuxFile(SettingsFile("Geographicals Settings")),
                  QByteArray("Preference = 0\r\nDecimal Places = 5\r\nDefault Lat Quad = N\r\nDefault Lon Quad = E\r\n"));
        sheet->EndDialog(IDCANCEL);
    });
}

TEST(AnglesFormatPage, DamagedSettingsShowTheDefaults)
{
    WriteLinuxFile(SettingsFile("Angle Settings"), "Preference = junk\r\nDecimal Places = 40\r\n");
    WriteLinuxFile(SettingsFile("Geographicals Settings"),
                   "Preference = 3\r\nDecimal Places = 12\r\nDefault Lat Quad = Q\r\n");
    RunProgram(IDOK, [](COrbisolApp&, CColourPropertySheet* sheet) {
        CAnglesFormatPP* page = OpenFormatPage(sheet);
        ASSERT_NE(page, nullptr);
        // What the settings readers make of them: a format that is no number reads as 0 and
        // decimals beyond any notation as 7; a format the page has no radio for checks none,
        // and decimals beyond the format's most show as its most.
        EXPECT_EQ(Checked(page, kAngleRadios), std::vector<UINT>{IDC_ANGLE_DMS});
        EXPECT_EQ(Combo(page, IDC_ANGLE_DECIMALS)->currentText(), QString("5 Decimal Place"));
        EXPECT_TRUE(Checked(page, kGeoRadios).empty());
        EXPECT_EQ(Combo(page, IDC_GEO_DECIMALS)->currentText(), QString("9 Decimal Place"));
        EXPECT_EQ(page->IsDlgButtonChecked(IDC_LAT_NORTH), static_cast<UINT>(BST_CHECKED));
        EXPECT_EQ(page->IsDlgButtonChecked(IDC_LON_EAST), static_cast<UINT>(BST_CHECKED));
        sheet->EndDialog(IDCANCEL);
    });
}

// The two tide dialogs, answered through the modal hook and driven by clicks and keys on their
// controls: the stream at a diamond for an hour, and the high and low waters over some days.
#include "TideFileWriter.h"

#include "marevo/NP159.h"
#include "marevo/StandardPortList.h"
#include "marevo/TidalDiamond.h"
#include "outside/tide/TidalDiamondComputation.h"
#include "outside/tide/TidalListingDlg.h"
#include "platform/core/WinApp.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/TempDrives.h"
#include "testsupport/UserInput.h"

#include <gtest/gtest.h>

#include <QComboBox>

#include <cmath>
#include <string>
#include <vector>

namespace
{
constexpr int kYear = 2024;

QComboBox* ComboOf(CWnd* wnd)
{
    QWidget* widget = wnd->GetWidget();
    auto* box = qobject_cast<QComboBox*>(widget);
    return box != nullptr ? box : widget->findChild<QComboBox*>();
}

std::string Text(CDialog* dlg, int id)
{
    CString text;
    dlg->GetDlgItemText(id, text);
    return text.GetString();
}
} // namespace

TEST(TideDialogs, DiamondAtAnHourGivesThatRowOrSaysItIsNotLinked)
{
    CWinApp app{"TideDialogsTest"};
    CStandardPortList ports;
    ASSERT_TRUE(ports.LoadFromFolder(StageTideFixtures(), kYear));
    TideFolder();
    WriteTideFile("TidalDiamond.TDD",
                  DiamondRecord(7, 1, 0, 13320, 0, 0.77, -0.12, 0, 3,
                                {{-20, 45, 30, 14}, {0, 90, 40, 20}, {20, 200, 25, 12}}) +
                      DiamondRecord(8, 0, 0, 99, 0, 0.78, -0.11, 0, 1, {{0, 10, 20, 10}}));
    CTidalDiamond diamonds;
    ASSERT_TRUE(diamonds.LoadFromFolder("C:\\MyData\\Tides\\"));
    diamonds.Link(ports);
    CNP159 data;

    struct Case
    {
        const char* diamond;
        const char* hour;
        std::vector<std::string> shown; // direction, spring, neap
        const char* status;
    } cases[] = {
        {"007A", "+2", {"200", "1.2 kn", "0.6 kn"}, "HW 13320 Bar Harbor"},
        {"007A", "-2", {"045", "1.5 kn", "0.7 kn"}, "HW 13320 Bar Harbor"},
        {"007A", "+5", {"", "", ""}, "The diamond has no row for that hour"},
        {"008", "HW", {"", "", ""}, "008 is not linked to a standard port"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.diamond) + " " + c.hour);
        std::vector<std::string> shown;
        std::string status;
        ModalHook::AnswerDialog(IDD_TIDAL_DIAMOND_COMPUTATION, [&](CDialog* dlg) {
            EXPECT_TRUE(UserInput::PickFromDropDown(ComboOf(dlg->GetDlgItem(IDC_DIAMOND_CHOICE)), c.diamond));
            EXPECT_TRUE(UserInput::PickFromDropDown(ComboOf(dlg->GetDlgItem(IDC_DIAMOND_HOUR)), c.hour));
            Pump();
            shown = {Text(dlg, IDC_DIAMOND_DIRECTION), Text(dlg, IDC_DIAMOND_SPRING), Text(dlg, IDC_DIAMOND_NEAP)};
            status = Text(dlg, IDC_DIAMOND_STATUS);
            dlg->SetFocus();
            UserInput::Key(Qt::Key_Escape);
            return static_cast<INT_PTR>(IDCANCEL);
        });
        CTidalDiamondComputation dialog(nullptr, &data, &diamonds, &ports);
        dialog.DoModal();
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(status, c.status);
    }
}

TEST(TideDialogs, ListingOfThreeDaysIsTheCurvesHighsAndLows)
{
    CWinApp app{"TideDialogsTest"};
    CNP159 data;
    data.LoadFromFolder(StageTideFixtures(), kYear);
    data.m_nCurrentPort = 0;
    const CTidalPort* port = data.GetCurrentPort();
    ASSERT_NE(port, nullptr);
    // The curve's turning points over 10 to 12 January, found here sample by sample.
    std::vector<std::string> expected;
    const double from = data.m_dStart + 9 * 86400.0, to = from + 3 * 86400.0;
    for (INT_PTR i = 1; i + 1 < port->m_Curve.GetSize(); ++i)
    {
        const TideDataDef& s = port->m_Curve[i];
        if (s.dTime < from || s.dTime >= to)
            continue;
        const double a = port->m_Curve[i - 1].dHeight, b = port->m_Curve[i + 1].dHeight;
        const bool high = s.dHeight > a && s.dHeight >= b, low = s.dHeight < a && s.dHeight <= b;
        if (!high && !low)
            continue;
        const long minute = std::lround((s.dTime - data.m_dStart) / 60.0);
        char line[64];
        std::snprintf(line, sizeof line, "%02ld/01/2024  %02ld:%02ld  %-4s  %.2f m", minute / 1440 + 1,
                      minute % 1440 / 60, minute % 60, high ? "High" : "Low", s.dHeight);
        expected.push_back(line);
    }
    ASSERT_GE(expected.size(), 10u);

    std::vector<std::string> listed;
    std::string refusal;
    ModalHook::AnswerDialog(IDD_TIDAL_LISTING, [&](CDialog* dlg) {
        EXPECT_TRUE(UserInput::PickFromDropDown(ComboOf(dlg->GetDlgItem(IDC_LISTING_FIRST_DAY)), "10/01/2024"));
        CWnd* days = dlg->GetDlgItem(IDC_LISTING_DAYS);
        // More days than a listing holds are refused with a note.
        UserInput::ClickClient(days, 5, 5);
        UserInput::Key(Qt::Key_A, Qt::ControlModifier);
        UserInput::Type("32", false);
        UserInput::ClickClient(dlg->GetDlgItem(IDC_LISTING_SHOW), 5, 5);
        Pump();
        refusal = Text(dlg, IDC_LISTING_STATUS);
        UserInput::ClickClient(days, 5, 5);
        UserInput::Key(Qt::Key_A, Qt::ControlModifier);
        UserInput::Type("3", false);
        UserInput::ClickClient(dlg->GetDlgItem(IDC_LISTING_SHOW), 5, 5);
        Pump();
        auto* list = static_cast<CListBox*>(dlg->GetDlgItem(IDC_LISTING_LIST));
        for (int i = 0; i < list->GetCount(); ++i)
        {
            CString line;
            list->GetText(i, line);
            listed.push_back(line.GetString());
        }
        UserInput::ClickClient(dlg->GetDlgItem(IDOK), 5, 5);
        return static_cast<INT_PTR>(IDOK);
    });
    CTidalListingDlg dialog(nullptr, &data);
    dialog.DoModal();
    EXPECT_EQ(refusal, "Days must be a whole number from 1 to 31");
    EXPECT_EQ(listed, expected);
}

TEST(TideDialogsBadInput, WithoutDataBothDialogsOpenAndSayIt)
{
    CWinApp app{"TideDialogsTest"};
    std::string diamondStatus, listingStatus;
    ModalHook::AnswerDialog(IDD_TIDAL_DIAMOND_COMPUTATION, [&](CDialog* dlg) {
        diamondStatus = Text(dlg, IDC_DIAMOND_STATUS);
        return static_cast<INT_PTR>(IDCANCEL);
    });
    CTidalDiamondComputation computation(nullptr, nullptr, nullptr, nullptr);
    computation.DoModal();
    EXPECT_EQ(diamondStatus, "No tidal diamonds");
    CNP159 empty;
    ModalHook::AnswerDialog(IDD_TIDAL_LISTING, [&](CDialog* dlg) {
        listingStatus = Text(dlg, IDC_LISTING_STATUS);
        return static_cast<INT_PTR>(IDCANCEL);
    });
    CTidalListingDlg listing(nullptr, &empty);
    listing.DoModal();
    EXPECT_EQ(listingStatus, "No data");
    EXPECT_TRUE(CTidalListingDlg::FindExtremes(nullptr, 0, 3).empty());
}

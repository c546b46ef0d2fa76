// The network station pane as the user meets it in the program's frame: the list filled from the
// network, the station dialog run in its own modal loop and answered with the user's mouse and
// keys, the network file rewritten after each change (and not over a file that did not load
// whole unless the user agrees), the messages posted to the frame, and the station-select grid
// item that other panes pick a station with.
#include "acoustic/app/AcousticApp.h"
#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/MainFrame.h"
#include "acoustic/app/panes/NetworkStationDlg.h"
#include "acoustic/app/panes/NetworkStationListCtrl.h"
#include "acoustic/app/panes/StationSelectProperty.h"
#include "acoustic/app/tests/DemoNetworkStart.h"
#include "acoustic/app/tests/FrameFixtures.h"
#include "acoustic/engine/Network.h"
#include "acoustic/engine/NetworkFile.h"
#include "foundation/ConfigFile.h"
#include "foundation/WindowMessages.h"
#include "outside/panes/PropertyGridColours.h"
#include "platform/core/Path.h"
#include "platform/ui/HeaderCtrl.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/RecordingOwner.h"
#include "testsupport/UserInput.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <gtest/gtest.h>

#include <vector>

#ifndef SUITE_VISUAL_DIR
#define SUITE_VISUAL_DIR "visual/acoustic"
#endif

namespace
{
const char kNetworkName[] = "Harbour";

CNetworkStation Station(const char* name, int type, double e, double n, double depth, double weight = 1.0)
{
    CNetworkStation s;
    s.m_Name = name;
    s.m_Status = type;
    s.m_GivenE = e;
    s.m_GivenN = n;
    s.m_GivenDepth = depth;
    s.m_PositionSE = weight;
    return s;
}

// Four stations, one of each type, with a range between each pair that the adjustment uses.
void WriteHarbour()
{
    CNetwork network;
    network.m_FileName = kNetworkName;
    network.AddStation(Station("TP1", STATION_FIXED, 500000.0, 6000000.0, 100.0));
    network.AddStation(Station("TP2", STATION_FREE, 500300.0, 6000400.0, 98.0));
    network.AddStation(Station("TP3", STATION_FREE_WITH_POSITION, 499800.0, 6000350.0, 101.0, 0.5));
    network.AddStation(Station("TP4", STATION_NOT_IN_USE, 500200.0, 5999700.0, 99.0));
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            if (i != j)
            {
                NetworkObservationDef& o = network.ElementAt(i).ElementAt(j);
                o.ObservedRange = 400.0 + 10 * i + j;
                o.UseRange = 1;
                o.RangeSE = 0.1;
            }
    ASSERT_TRUE(network.Save());
    ASSERT_TRUE(CConfigFile::WriteSettingsFile(
        "Network Adjust", [](CConfigFile& file) { file.WriteText("Network File", kNetworkName); }));
}

QByteArray NetworkBytes()
{
    QFile file(LinuxPathFromWindows(GetNetworkFilePath(kNetworkName)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The network as the next start reads it.
CNetwork ReadBack()
{
    CNetwork network;
    network.Load(kNetworkName);
    return network;
}

void ClickStationButton(CWnd* button)
{
    ASSERT_NE(button, nullptr);
    CRect r;
    button->GetClientRect(&r);
    UserInput::ClickClient(button, r.CenterPoint().x, r.CenterPoint().y);
    PumpFor(10);
}

// Replaces what an edit holds with typed text, as a user selecting it all and typing.
void TypeInto(CWnd* edit, const QString& text)
{
    ASSERT_NE(edit, nullptr);
    CRect r;
    edit->GetClientRect(&r);
    UserInput::ClickClient(edit, r.CenterPoint().x, r.CenterPoint().y);
    static_cast<CEdit*>(edit)->SetSel(0, -1);
    UserInput::Type(text, false);
    PumpFor(5);
}

QComboBox* TypeBox(CDialog* dialog)
{
    CWnd* box = dialog->GetDlgItem(IDC_NETWORK_STATION_TYPE);
    return box ? qobject_cast<QComboBox*>(box->GetWidget()) : nullptr;
}

// A dialog answer that types the station's values and presses OK; the dialog runs its loop
// if it is still open afterwards (a refusal then fails the test by the loop's time-out).
ModalHook::DialogAnswer Answer(const char* name, const char* type, const char* easting, const char* northing,
                               const char* weight = nullptr)
{
    return [=](CDialog* dialog) -> INT_PTR {
        TypeInto(dialog->GetDlgItem(IDC_NETWORK_STATION_NAME), name);
        TypeInto(dialog->GetDlgItem(IDC_NETWORK_STATION_EASTING), easting);
        TypeInto(dialog->GetDlgItem(IDC_NETWORK_STATION_NORTHING), northing);
        EXPECT_TRUE(UserInput::PickFromDropDown(TypeBox(dialog), type));
        if (weight)
            TypeInto(dialog->GetDlgItem(IDC_NETWORK_STATION_WEIGHT), weight);
        ClickStationButton(dialog->GetDlgItem(IDOK));
        return MODALHOOK_RUN_LOOP;
    };
}

class NetworkStationFrameTest : public NetworkFrameTest
{
protected:
    // The frame with the station pane alone, which then has room for its rows.
    void MakeFrame() { NetworkFrameTest::MakeFrame({ID_ACOUSTIC_NETWORK_STATIONS}); }

    CNetworkStationListCtrl& List() { return m_pFrame->m_wndNetworkStationPane.GetList(); }

    void PressKey(int key)
    {
        List().SetFocus();
        PumpFor(5);
        UserInput::Key(key);
        PumpFor(20);
    }
};
} // namespace

// What the list shows for each state of the network: no network, no stations, and a row of
// each type before and after an adjustment.
TEST(NetworkStationList, FillShowsColumnsAndCellsByTypeAndAdjustment)
{
    CRecordingOwner owner;
    ASSERT_TRUE(owner.CreateOwner(1200, 400));
    CNetworkStationListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 1200, 400), &owner, 1));
    const auto columns = [&list] { return list.GetHeaderCtrl()->GetItemCount(); };

    list.Fill();
    EXPECT_EQ(columns(), 0) << "no network object";

    CNetwork network;
    list.SetData(&owner, &network);
    for (BYTE adjusted : {0, 1})
    {
        network.m_Result = adjusted;
        list.Fill();
        EXPECT_EQ(columns(), adjusted ? 14 : 7);
        EXPECT_EQ(list.GetItemCount(), 0);
    }

    network.AddStation(Station("Unused", STATION_NOT_IN_USE, 1.0, 2.0, 3.0, 4.0));
    network.AddStation(Station("Float", STATION_FREE, 500000.1234, 6000000.5, 100.25, 2.0));
    network.AddStation(Station("Fixed", STATION_FIXED, 10.0, 20.0, 30.0, 5.0));
    network.AddStation(Station("Boxed", STATION_FREE_WITH_POSITION, 11.0, 21.0, 31.0, 0.25));
    for (INT_PTR i = 0; i < network.GetSize(); ++i)
    {
        CNetworkStation& s = network.ElementAt(i);
        s.m_LinkCount = static_cast<int>(i) + 2;
        s.m_AdjustedE = 100.0 + i;
        s.m_AdjustedN = 200.0 + i;
        s.m_AdjustedDepth = 300.0 + i;
        s.m_ResidualRMS = 0.0125;
        s.m_SemiMajor = 0.5;
        s.m_SemiMinor = 0.25;
        s.m_Orientation = 45.26;
    }
    struct Row
    {
        const char* cells[14];
        int image;
    };
    const Row rows[] = {
        {{"Unused", "Unused", "1.000", "2.000", "3.000", "", "2", "", "", "", "", "", "", ""}, 0},
        {{"Float", "Float", "500000.123", "6000000.500", "100.250", "", "3", "101.000", "201.000", "301.000",
          "0.013", "0.500", "0.250", "45.3\xB0"},
         1},
        {{"Fixed", "Fixed", "10.000", "20.000", "30.000", "", "4", "", "", "", "", "", "", ""}, 2},
        {{"Boxed", "Boxed", "11.000", "21.000", "31.000", "0.250", "5", "103.000", "203.000", "303.000", "0.013",
          "0.500", "0.250", "45.3\xB0"},
         3},
    };
    for (BYTE adjusted : {1, 0})
    {
        network.m_Result = adjusted;
        list.Fill();
        ASSERT_EQ(columns(), adjusted ? 14 : 7);
        ASSERT_EQ(list.GetItemCount(), 4);
        for (int r = 0; r < 4; ++r)
        {
            for (int c = 0; c < columns(); ++c)
                EXPECT_EQ(list.GetItemText(r, c), rows[r].cells[c]) << "row " << r << " column " << c;
            LVITEM item{};
            item.mask = LVIF_IMAGE;
            item.iItem = r;
            ASSERT_TRUE(list.GetItem(&item));
            EXPECT_EQ(item.iImage, rows[r].image) << r;
        }
    }
    // The headings as given, each column centred.
    network.m_Result = 1;
    list.Fill();
    const char* const headings[] = {"Type\nObservation", "Std.\nErr.", "Error Ellipse\n(Bearing)"};
    const int at[] = {0, 5, 13};
    for (int k = 0; k < 3; ++k)
    {
        char text[64] = {0};
        LVCOLUMN column{};
        column.mask = LVCF_TEXT | LVCF_FMT;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        ASSERT_TRUE(list.GetColumn(at[k], &column));
        EXPECT_STREQ(text, headings[k]);
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_CENTER) << at[k];
    }
}

TEST(NetworkStationList, AThousandStationsFillWithinASecond)
{
    CRecordingOwner owner;
    ASSERT_TRUE(owner.CreateOwner(1000, 600));
    CNetworkStationListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 1000, 600), &owner, 1));
    // The rows read the stations' own fields only: the observations are left out.
    CNetwork network;
    for (int i = 0; i < 1000; ++i)
    {
        CString name;
        name.Format("S%04d", i);
        network.Add(Station(name, i % 4, 500000.0 + i, 6000000.0 - i, 100.0));
    }
    network.m_Result = 1;
    list.SetData(&owner, &network);
    QElapsedTimer timer;
    timer.start();
    list.Fill();
    PumpFor(1);
    EXPECT_LT(timer.elapsed(), 1000);
    ASSERT_EQ(list.GetItemCount(), 1000);
    EXPECT_EQ(list.GetItemText(999, 1), "S0999");
}

// A double click on a row, the dialog answered by the user: the station is replaced in memory
// and in the file, the network is no longer adjusted, and the frame hears of the position.
TEST_F(NetworkStationFrameTest, DoubleClickOnARowEditsSavesAndPostsThePosition)
{
    WriteHarbour();
    MakeFrame();
    ASSERT_EQ(List().GetItemCount(), 4);
    m_pFrame->m_Network.m_Result = 1;
    ModalHook::AnswerDialog(IDD_ACOUSTIC_NETWORK_STATION, Answer("North", "Boxed", "500123.5", "6000456.25", "0.75"));
    UserInput::ClickCell(List(), 1, 1, true);
    PumpFor(50);

    ASSERT_EQ(ModalHook::Shown().size(), 1u);
    EXPECT_EQ(ModalHook::Shown()[0].caption, "Network  Station");
    EXPECT_EQ(ModalHook::Shown()[0].result, IDOK);
    const CNetworkStation& edited = m_pFrame->m_Network[1];
    EXPECT_EQ(edited.m_Name, "North");
    EXPECT_EQ(edited.m_Status, STATION_FREE_WITH_POSITION);
    EXPECT_EQ(edited.m_GivenE, 500123.5);
    EXPECT_EQ(edited.m_GivenN, 6000456.25);
    EXPECT_EQ(edited.m_PositionSE, 0.75);
    EXPECT_EQ(edited.GetSize(), 4) << "its observations kept";
    EXPECT_EQ(m_pFrame->m_Network.m_Result, 0);
    EXPECT_EQ(List().GetItemText(1, 1), "North");
    EXPECT_EQ(List().GetItemText(1, 5), "0.750");

    const CNetwork saved = ReadBack();
    ASSERT_EQ(saved.GetSize(), 4);
    EXPECT_EQ(saved[1].m_Name, "North");
    EXPECT_EQ(saved[1].m_Status, STATION_FREE_WITH_POSITION);
    EXPECT_EQ(saved[1].m_GivenE, 500123.5);
    EXPECT_EQ(saved[1].m_PositionSE, 0.75);
    EXPECT_EQ(saved[0].ElementAt(1).ObservedRange, 401.0) << "the ranges stay";

    // The double click's first click shows the station; the edit then shows it where it is now
    // and tells of the change.
    ASSERT_EQ(PostedMessages(),
              (std::vector<UINT>{UM_REDRAW_VECTOR_DISPLAY, UM_REDRAW_VECTOR_DISPLAY, UM_UPDATE_STATION}));
    for (size_t i = 1; i < 3; ++i)
    {
        EXPECT_EQ(m_pFrame->m_Posted[i].e, 500123.5);
        EXPECT_EQ(m_pFrame->m_Posted[i].n, 6000456.25);
    }
}

TEST_F(NetworkStationFrameTest, DoubleClickBelowTheRowsAndCancelChangesNothing)
{
    WriteHarbour();
    MakeFrame();
    const QByteArray before = NetworkBytes();
    m_pFrame->m_Network.m_Result = 1;
    CString caption;
    ModalHook::AnswerDialog(IDD_ACOUSTIC_NETWORK_STATION, [](CDialog* dialog) -> INT_PTR {
        // A new station: no name, "Unused", the weight hidden.
        CString name;
        dialog->GetDlgItemText(IDC_NETWORK_STATION_NAME, name);
        EXPECT_TRUE(name.IsEmpty());
        EXPECT_EQ(TypeBox(dialog)->currentText(), "Unused");
        TypeInto(dialog->GetDlgItem(IDC_NETWORK_STATION_NAME), "Ghost");
        ClickStationButton(dialog->GetDlgItem(IDCANCEL));
        return MODALHOOK_RUN_LOOP;
    });
    CRect client;
    List().GetClientRect(&client);
    UserInput::ClickClient(&List(), client.CenterPoint().x, client.bottom - 5, true);
    PumpFor(50);
    ASSERT_EQ(ModalHook::Shown().size(), 1u);
    EXPECT_EQ(ModalHook::Shown()[0].result, IDCANCEL);
    EXPECT_EQ(m_pFrame->m_Network.GetSize(), 4);
    EXPECT_EQ(m_pFrame->m_Network.m_Result, 1);
    EXPECT_EQ(NetworkBytes(), before);
    EXPECT_TRUE(PostedMessages().empty());
}

// Insert adds a station after the others; Delete removes the selected rows from the highest
// down, so the right stations go, and then the first station's position is posted.
TEST_F(NetworkStationFrameTest, InsertAddsAndDeleteRemovesTheSelectedStations)
{
    WriteHarbour();
    MakeFrame();
    ModalHook::AnswerDialog(IDD_ACOUSTIC_NETWORK_STATION, Answer("TP5", "Float", "500050", "6000060"));
    PressKey(Qt::Key_Insert);
    ASSERT_EQ(m_pFrame->m_Network.GetSize(), 5);
    EXPECT_EQ(m_pFrame->m_Network[4].m_Name, "TP5");
    EXPECT_EQ(m_pFrame->m_Network[0].GetSize(), 5) << "every station observes the new one";
    EXPECT_EQ(List().GetItemCount(), 5);
    EXPECT_EQ(ReadBack().GetSize(), 5);
    ASSERT_FALSE(m_pFrame->m_Posted.empty());
    EXPECT_EQ(m_pFrame->m_Posted.back().message, UM_REDRAW_VECTOR_DISPLAY);
    EXPECT_EQ(m_pFrame->m_Posted.back().e, 500050.0);

    m_pFrame->m_Posted.clear();
    m_pFrame->m_Network.m_Result = 1;
    for (int row = 0; row < 5; ++row)
        List().SetItemState(row, (row == 0 || row == 2 || row == 4) ? LVIS_SELECTED : 0, LVIS_SELECTED);
    PressKey(Qt::Key_Delete);
    ASSERT_EQ(m_pFrame->m_Network.GetSize(), 2);
    EXPECT_EQ(m_pFrame->m_Network[0].m_Name, "TP2");
    EXPECT_EQ(m_pFrame->m_Network[1].m_Name, "TP4");
    EXPECT_EQ(m_pFrame->m_Network[0].GetSize(), 2);
    EXPECT_EQ(List().GetItemCount(), 2);
    EXPECT_EQ(List().GetItemText(1, 1), "TP4");
    EXPECT_EQ(m_pFrame->m_Network.m_Result, 0);
    const CNetwork saved = ReadBack();
    ASSERT_EQ(saved.GetSize(), 2);
    EXPECT_EQ(saved[1].m_Name, "TP4");
    ASSERT_EQ(PostedMessages(), (std::vector<UINT>{UM_UPDATE_STATION, UM_REDRAW_VECTOR_DISPLAY}));
    EXPECT_EQ(m_pFrame->m_Posted.back().e, 500300.0);
    EXPECT_EQ(m_pFrame->m_Posted.back().n, 6000400.0);

    // Nothing selected: nothing happens.
    m_pFrame->m_Posted.clear();
    for (int row = 0; row < 2; ++row)
        List().SetItemState(row, 0, LVIS_SELECTED);
    PressKey(Qt::Key_Delete);
    EXPECT_EQ(m_pFrame->m_Network.GetSize(), 2);
    EXPECT_TRUE(PostedMessages().empty());
}

// A network file that did not load whole at the start is not saved over by an edit unless the
// user says so; No keeps the edit in memory.
TEST_F(NetworkStationFrameTest, AnEditAsksBeforeSavingOverAFileThatDidNotLoad)
{
    WriteHarbour();
    {
        // A typo in the last station's easting: it loads out of use, and the file is damaged.
        QByteArray bytes = NetworkBytes();
        ASSERT_TRUE(bytes.contains("500200.000"));
        bytes.replace("500200.000", "E500200.000");
        QFile file(LinuxPathFromWindows(GetNetworkFilePath(kNetworkName)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    const QByteArray damaged = NetworkBytes();
    MakeFrame();
    ASSERT_TRUE(m_pFrame->HasNetworkLoadFailed());
    ASSERT_EQ(List().GetItemCount(), 4);

    ModalHook::AnswerDialog(IDD_ACOUSTIC_NETWORK_STATION, Answer("Renamed", "Fixed", "1", "2"));
    ModalHook::AnswerMessageBox(IDNO);
    UserInput::ClickCell(List(), 0, 1, true);
    PumpFor(50);
    const MODAL_RECORD& question = ModalHook::Shown().back();
    EXPECT_EQ(question.kind, MODAL_RECORD::MessageBox);
    EXPECT_EQ(question.flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    EXPECT_NE(question.text.Find(kNetworkName), -1) << question.text.GetString();
    EXPECT_EQ(NetworkBytes(), damaged);
    EXPECT_EQ(m_pFrame->m_Network[0].m_Name, "Renamed");
    EXPECT_EQ(PostedMessages().back(), UM_UPDATE_STATION);

    // Yes: written, and not asked again.
    ModalHook::AnswerDialog(IDD_ACOUSTIC_NETWORK_STATION, Answer("Again", "Fixed", "1", "2"));
    ModalHook::AnswerMessageBox(IDYES);
    UserInput::ClickCell(List(), 0, 1, true);
    PumpFor(50);
    EXPECT_EQ(ReadBack()[0].m_Name, "Again");
    const size_t shown = ModalHook::Shown().size();
    ModalHook::AnswerDialog(IDD_ACOUSTIC_NETWORK_STATION, Answer("Third", "Fixed", "1", "2"));
    UserInput::ClickCell(List(), 0, 1, true);
    PumpFor(50);
    EXPECT_EQ(ModalHook::Shown().size(), shown + 1) << "only the dialog";
    EXPECT_EQ(ReadBack()[0].m_Name, "Third");
}

namespace
{
class NetworkStationDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_Owner.CreateOwner());
        m_Network.AddStation(Station("TP1", STATION_FIXED, 500000.0, 6000000.0, 100.0));
        m_Network.AddStation(Station("TP2", STATION_FREE, 500300.0, 6000400.0, 98.0));
        m_Station.Copy(m_Network[1]);
    }

    // Runs the dialog on the copy of station 2 with `drive` as the user.
    INT_PTR Run(const std::function<void(CNetworkStationDlg*)>& drive)
    {
        ModalHook::AnswerDialogOf<CNetworkStationDlg>([drive](CNetworkStationDlg* dialog) -> INT_PTR {
            drive(dialog);
            return MODALHOOK_RUN_LOOP;
        });
        CNetworkStationDlg dialog(&m_Station, &m_Network, 1, &m_Owner);
        return dialog.DoModal();
    }

    CRecordingOwner m_Owner;
    CNetwork m_Network;
    CNetworkStation m_Station;
};
} // namespace

TEST_F(NetworkStationDialogTest, WeightAndItsLabelShowOnlyForBoxed)
{
    EXPECT_EQ(Run([](CNetworkStationDlg* dialog) {
                  CWnd* weight = dialog->GetDlgItem(IDC_NETWORK_STATION_WEIGHT);
                  CWnd* label = dialog->GetDlgItem(IDC_NETWORK_STATION_WEIGHT_LABEL);
                  QComboBox* box = TypeBox(dialog);
                  ASSERT_NE(box, nullptr);
                  EXPECT_EQ(box->count(), 4);
                  EXPECT_EQ(box->currentText(), "Float");
                  EXPECT_FALSE(box->itemIcon(3).isNull()) << "each type with its icon";
                  EXPECT_FALSE(weight->IsWindowVisible());
                  EXPECT_FALSE(label->IsWindowVisible());
                  for (const char* type : {"Boxed", "Fixed", "Boxed", "Unused"})
                  {
                      ASSERT_TRUE(UserInput::PickFromDropDown(box, type));
                      PumpFor(5);
                      const bool boxed = CString(type) == "Boxed";
                      EXPECT_EQ(weight->IsWindowVisible() != FALSE, boxed) << type;
                      EXPECT_EQ(label->IsWindowVisible() != FALSE, boxed) << type;
                  }
                  ClickStationButton(dialog->GetDlgItem(IDOK));
              }),
              IDOK);
    EXPECT_EQ(m_Station.m_Status, STATION_NOT_IN_USE);
}

// What OK refuses: the field is marked, the user told, the dialog stays open and the station
// keeps its values; Cancel then leaves it as it was.
TEST_F(NetworkStationDialogTest, OkRefusesWhatIsNotANumberOrNotAName)
{
    struct Case
    {
        const char* what;
        UINT field;
        std::function<void(CNetworkStationDlg*)> enter;
    };
    const Case cases[] = {
        {"a letter in a number", IDC_NETWORK_STATION_EASTING,
         [](CNetworkStationDlg* d) { d->GetDlgItem(IDC_NETWORK_STATION_EASTING)->SetWindowText("12O.5"); }},
        {"an empty name", IDC_NETWORK_STATION_NAME,
         [](CNetworkStationDlg* d) { TypeInto(d->GetDlgItem(IDC_NETWORK_STATION_NAME), "  "); }},
        {"another station's name", IDC_NETWORK_STATION_NAME,
         [](CNetworkStationDlg* d) { TypeInto(d->GetDlgItem(IDC_NETWORK_STATION_NAME), "tp1"); }},
        {"a boxed weight of 0", IDC_NETWORK_STATION_WEIGHT,
         [](CNetworkStationDlg* d) {
             ASSERT_TRUE(UserInput::PickFromDropDown(TypeBox(d), "Boxed"));
             TypeInto(d->GetDlgItem(IDC_NETWORK_STATION_WEIGHT), "0");
         }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        ModalHook::Reset();
        ModalHook::Enable([](const CString& message) { ADD_FAILURE() << message.GetString(); });
        const CNetworkStation before = [this] {
            CNetworkStation copy;
            copy.Copy(m_Station);
            return copy;
        }();
        ModalHook::AnswerMessageBox(IDOK);
        const INT_PTR result = Run([&c](CNetworkStationDlg* dialog) {
            c.enter(dialog);
            ClickStationButton(dialog->GetDlgItem(IDOK));
            EXPECT_TRUE(::IsWindow(dialog->GetSafeHwnd())) << "stays open";
            EXPECT_EQ(dialog->GetRefusedControl(), c.field);
            // The field shows white on red.
            const QImage field = dialog->GetDlgItem(static_cast<int>(c.field))->GetWidget()->grab().toImage();
            const QColor red(0xFF, 0x00, 0x00);
            EXPECT_EQ(field.pixelColor(field.width() - 4, field.height() / 2), red);
            ClickStationButton(dialog->GetDlgItem(IDCANCEL));
        });
        EXPECT_EQ(result, IDCANCEL);
        ASSERT_EQ(ModalHook::Shown().size(), 2u);
        EXPECT_EQ(ModalHook::Shown()[0].kind, MODAL_RECORD::MessageBox);
        EXPECT_EQ(m_Station.m_Name, before.m_Name);
        EXPECT_EQ(m_Station.m_GivenE, before.m_GivenE);
        EXPECT_EQ(m_Station.m_GivenN, before.m_GivenN);
        EXPECT_EQ(m_Station.m_GivenDepth, before.m_GivenDepth);
        EXPECT_EQ(m_Station.m_Status, before.m_Status);
    }
}

namespace
{
class StationSelectTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_Owner.CreateOwner(400, 300));
        ASSERT_TRUE(m_Grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), &m_Owner, 7));
        m_Network.AddStation(Station("TP1", STATION_FIXED, 0, 0, 0));
        m_Network.AddStation(Station("TP2", STATION_FREE, 0, 0, 0));
        m_Network.AddStation(Station("TP3", STATION_FREE_WITH_POSITION, 0, 0, 0));
        m_pItem = new CMFCPropertyGridStationSelectProperty("Station", 9, &m_Network, 5);
        m_Grid.AddProperty(m_pItem);
        PumpFor(20);
        m_Owner.Clear();
    }

    // The row's editor opened and the text typed over what it holds, then Enter.
    void TypeInRow(const QString& text)
    {
        ASSERT_NE(UserInput::OpenGridEditor(m_Grid, "Station"), nullptr);
        UserInput::Key(Qt::Key_A, Qt::ControlModifier);
        UserInput::Type(text, true);
        PumpFor(30);
    }

    int Notifications()
    {
        int count = 0;
        for (const POSTED_MESSAGE& m : m_Owner.Messages())
            if (m.lParam == reinterpret_cast<LPARAM>(m_pItem))
                ++count;
        return count;
    }

    CRecordingOwner m_Owner;
    CMFCPropertyGridCtrl m_Grid;
    CNetwork m_Network;
    CMFCPropertyGridStationSelectProperty* m_pItem = nullptr;
};
} // namespace

// An index past the last station: no name, and the "Unused" icon (a grey ring) in the square
// before it, on the square's own grey.
TEST_F(StationSelectTest, AnIndexPastTheStationsShowsNoNameAndTheUnusedIcon)
{
    EXPECT_EQ(m_Grid.GetShownValue(m_pItem), "");
    EXPECT_EQ(m_pItem->GetOptionCount(), 3);
    const QImage picture = m_Grid.GetWidget()->grab().toImage();
    const CRect value = m_Grid.GetShownValueRect(m_pItem);
    ASSERT_FALSE(value.IsRectEmpty());
    const QPoint origin = m_Grid.GetWidget()->findChild<QAbstractItemView*>()->viewport()->mapTo(
        m_Grid.GetWidget(), QPoint(value.left, value.top));
    int ring = 0, square = 0, other = 0;
    for (int y = origin.y(); y < origin.y() + value.Height(); ++y)
        for (int x = origin.x(); x < origin.x() + value.Height() + 4; ++x)
        {
            const QColor c = picture.pixelColor(x, y);
            if (c.red() == c.green() && c.green() == c.blue())
            {
                ring += c.red() >= 0x70 && c.red() <= 0x90;
                square += c.red() == 0xEB;
            }
            else
                ++other;
        }
    EXPECT_GT(ring, 10) << "the grey ring of \"Unused\"";
    EXPECT_GT(square, 10) << "the icon square's background";
    EXPECT_EQ(other, 0) << "no colour of another type's icon";
}

// A name typed in the row selects the first station of that name with one notification; a text
// that names no station, or the same station again, changes nothing and tells nobody.
TEST_F(StationSelectTest, TypingANameSelectsItsStationOnce)
{
    TypeInRow("TP3");
    EXPECT_EQ(m_pItem->GetStation(), 2);
    EXPECT_EQ(m_Grid.GetShownValue(m_pItem), "TP3");
    EXPECT_EQ(Notifications(), 1);
    for (const char* text : {"TP9", "TP3"})
    {
        m_Owner.Clear();
        TypeInRow(text);
        EXPECT_EQ(m_pItem->GetStation(), 2) << text;
        EXPECT_EQ(Notifications(), 0) << text;
    }
    // The editor sits in the value column, 2 pixels in at the top and bottom, leaving 25 pixels
    // at the right.
    QWidget* editor = UserInput::OpenGridEditor(m_Grid, "Station");
    ASSERT_NE(editor, nullptr);
    const CRect row = m_pItem->GetRect();
    EXPECT_EQ(editor->geometry().top(), row.top + 2);
    EXPECT_EQ(editor->geometry().bottom() + 1, row.bottom - 2);
    EXPECT_EQ(editor->geometry().right() + 1, row.right - 25);
    EXPECT_EQ(editor->geometry().left(), m_Grid.GetLeftColumnWidth());
    UserInput::Key(Qt::Key_Escape);
}

// The pane in the program's frame, started on the demo network in the network mode: the list
// shows the stations, and after "Compute" from the menu the figures above it and the computed
// columns.
TEST(NetworkStationProgramTest, PaneShowsTheDemoNetworkAsTheUserSeesIt)
{
    PrepareDemoNetworkStart();
    if (HasFatalFailure())
        return;

    CAcousticApp app;
    ASSERT_TRUE(app.InitInstance());
    CMainFrame* frame = app.GetMainFrame();
    ASSERT_NE(frame, nullptr);
    const HWND hFrame = frame->GetSafeHwnd();
    frame->GetMainWindow()->showNormal();
    frame->GetMainWindow()->resize(1400, 900);
    EXPECT_EQ(frame->GetMode(), 2);
    CNetworkStationPane& pane = frame->m_wndNetworkStationPane;
    pane.ShowPane(TRUE, FALSE, TRUE);
    pane.GetDockWidget()->raise();
    PumpFor(100);
    ASSERT_EQ(frame->m_Network.GetSize(), 5);
    EXPECT_EQ(pane.GetList().GetItemCount(), 5);
    EXPECT_EQ(pane.GetList().GetHeaderCtrl()->GetItemCount(), 7);
    EXPECT_FALSE(pane.GetPropertyGrid().IsWindowVisible()) << "no figures before an adjustment";
    FrameProbe::ExpectFrameAsUserSeesIt(frame, {{"Network Station", &pane}}, {},
                                        QString(SUITE_VISUAL_DIR) + "/acoustic-network-stations.png");

    auto* menu = qobject_cast<QMenuBar*>(frame->m_wndMenuBar.GetWidget());
    ASSERT_TRUE(UserInput::ChooseFromMenuBar(menu, "&Network Adjustment ", "Compute"));
    PumpFor(50);
    ASSERT_EQ(frame->m_Network.m_Result, 1);
    EXPECT_EQ(pane.GetList().GetHeaderCtrl()->GetItemCount(), 14);
    EXPECT_NE(pane.GetList().GetItemText(2, 7), "");
    EXPECT_EQ(pane.GetList().GetItemText(0, 7), "") << "a fixed station is not computed";
    EXPECT_TRUE(pane.GetPropertyGrid().IsWindowVisible());
    CMFCPropertyGridProperty* group = pane.GetPropertyGrid().GetProperty(0);
    ASSERT_NE(group, nullptr);
    EXPECT_STREQ(group->GetName(), "Trial Position");
    ASSERT_EQ(group->GetSubItemsCount(), 4);
    EXPECT_EQ(pane.GetPropertyGrid().GetShownValue(group->GetSubItem(3)), "4") << "two unknowns a station";
    FrameProbe::ExpectFrameAsUserSeesIt(frame, {{"Network Station", &pane}}, {},
                                        QString(SUITE_VISUAL_DIR) + "/acoustic-network-stations-adjusted.png");

    ModalHook::AnswerMessageBox(IDYES);
    frame->SendMessage(WM_CLOSE);
    PumpFor(50);
    EXPECT_FALSE(::IsWindow(hFrame));
}

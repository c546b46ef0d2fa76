// The serial port pane over a port array: the table shows the ports' settings, an edit in the
// table (typed or chosen in the cell's combo) reaches the port, its settings file and the open
// line; received lines are kept with their port and type, bounded, and shown in the list.
#include "foundation/WindowMessages.h"
#include "geodesy/ComArray.h"
#include "geodesy/ComsThread.h"
#include "outside/communication/ComPortPane.h"
#include "platform/io/ComPortTable.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/PseudoTerminal.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// A port definition as the array makes it, without its reader thread.
ComDef* AddPort(CComArray& array, WORD number, bool enabled)
{
    auto* def = new ComDef;
    def->m_nPort = number;
    def->m_strName.Format("COM%02d", number);
    def->m_bEnabled = enabled ? 1 : 0;
    def->m_nIndex = static_cast<int32_t>(array.GetSize());
    array.Add(def);
    return def;
}

struct Fixture
{
    CMutex lock;
    CComArray ports;
    CWnd main;
    CComPortPane pane;
    Fixture()
    {
        ports.m_pLock = &lock;
        main.CreateEx(0, nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 500), nullptr,
                      0);
    }
    ~Fixture()
    {
        pane.DestroyWindow();
        ports.Stop();
        AfxResetComPortTable();
    }
    void Create()
    {
        ASSERT_TRUE(pane.Create(&ports, "RS232 Data", &main, CRect(0, 0, 600, 400), TRUE, 180,
                                WS_CHILD | WS_VISIBLE | CBRS_BOTTOM));
        Pump();
    }
};

// The line settings of port n as its file holds them.
struct Saved
{
    int baud, dataBits, parity, stopBits;
};
Saved Reload(WORD number)
{
    ComDef def;
    CString name;
    name.Format("COM%02d", number);
    EXPECT_TRUE(def.ReadSettings(name));
    return {def.m_nBaudRate, def.m_nDataBits, def.m_nParity, def.m_nStopBits};
}
} // namespace

TEST(ComPortPane, TableShowsEachPortsSettings)
{
    Fixture f;
    ComDef* com3 = AddPort(f.ports, 3, true);
    com3->m_nBaudRate = 4800;
    com3->m_nParity = 2;
    com3->m_nStopBits = 2;
    com3->m_nDataBits = 7;
    AddPort(f.ports, 12, false);
    f.Create();
    CMyListCtrl& table = f.pane.GetTable();
    ASSERT_EQ(table.GetItemCount(), 2);
    const char* expected[] = {"COM3", "Yes", "4800", "7", "Even", "2", ""};
    for (int c = 0; c < CComPortPane::COLUMN_COUNT; ++c)
        EXPECT_EQ(table.GetItemText(0, c), CString(expected[c])) << c;
    EXPECT_EQ(table.GetItemText(1, CComPortPane::COLUMN_PORT), CString("COM12"));
    EXPECT_EQ(table.GetItemText(1, CComPortPane::COLUMN_ENABLED), CString("No"));

    // The frame's ports arrive after the pane was made: UpdateTable shows them.
    AddPort(f.ports, 4, false);
    f.pane.UpdateTable();
    EXPECT_EQ(table.GetItemCount(), 3);
    EXPECT_EQ(table.GetItemText(2, CComPortPane::COLUMN_PORT), CString("COM4"));
}

TEST(ComPortPane, EditsReachThePortAndItsSettingsFile)
{
    Fixture f;
    ComDef* def = AddPort(f.ports, 3, false);
    f.Create();
    struct Case
    {
        int column;
        const char* text;
        bool accepted;
        const char* shown;
    };
    const Case cases[] = {
        {CComPortPane::COLUMN_BAUD, "19200", true, "19200"},
        {CComPortPane::COLUMN_BAUD, "14400", false, "19200"}, // not a standard rate
        {CComPortPane::COLUMN_BAUD, "fast", false, "19200"},
        {CComPortPane::COLUMN_DATA_BITS, "7", true, "7"},
        {CComPortPane::COLUMN_DATA_BITS, "9", false, "7"},
        {CComPortPane::COLUMN_PARITY, "odd", true, "Odd"},
        {CComPortPane::COLUMN_PARITY, "X", false, "Odd"},
        {CComPortPane::COLUMN_STOP_BITS, "2", true, "2"},
        {CComPortPane::COLUMN_STOP_BITS, "0", false, "2"},
        {CComPortPane::COLUMN_PORT, "COM9", false, "COM3"}, // read only
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(f.pane.EditCell(0, c.column, c.text), c.accepted) << c.text;
        EXPECT_EQ(f.pane.GetTable().GetItemText(0, c.column), CString(c.shown)) << c.text;
    }
    EXPECT_EQ(def->m_nBaudRate, 19200);
    EXPECT_EQ(def->m_nDataBits, 7);
    EXPECT_EQ(def->m_nParity, 1);
    EXPECT_EQ(def->m_nStopBits, 2);
    const Saved saved = Reload(3);
    EXPECT_EQ(saved.baud, 19200);
    EXPECT_EQ(saved.dataBits, 7);
    EXPECT_EQ(saved.parity, 1);
    EXPECT_EQ(saved.stopBits, 2);
    // A row past the ports.
    EXPECT_FALSE(f.pane.EditCell(5, CComPortPane::COLUMN_BAUD, "9600"));
}

TEST(ComPortPane, ComboEditReopensTheOpenPortAtTheNewRate)
{
    PseudoTerminal line;
    ASSERT_FALSE(line.path.empty());
    line.AssignPort(3);
    Fixture f;
    ComDef* def = AddPort(f.ports, 3, true);
    ASSERT_TRUE(def->Open());
    EXPECT_EQ(line.Speed(), static_cast<speed_t>(B9600));
    f.Create();

    // The user clicks the focused row's baud cell and picks 38400 in its combo.
    CMyListCtrl& table = f.pane.GetTable();
    table.SetItemState(0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    CRect cell = table.GetCellRect(CComPortPane::COLUMN_BAUD, 0);
    const CPoint pt = cell.CenterPoint();
    table.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    table.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    Pump();
    CInPlaceCombo& combo = table.GetInPlaceCombo();
    ASSERT_TRUE(combo.GetSafeHwnd() != nullptr);
    EXPECT_EQ(combo.GetCount(), 9); // the standard rates
    const int choice = combo.FindStringExact(-1, "38400");
    ASSERT_GE(choice, 0);
    combo.SetCurSel(choice);
    AfxNotifyParent(combo.GetSafeHwnd(), CBN_CLOSEUP); // the drop-down closes on the choice
    Pump();

    EXPECT_EQ(def->m_nBaudRate, 38400);
    EXPECT_TRUE(def->IsOpen());
    EXPECT_EQ(line.Speed(), static_cast<speed_t>(B38400));
    EXPECT_EQ(table.GetItemText(0, CComPortPane::COLUMN_BAUD), CString("38400"));
    EXPECT_EQ(Reload(3).baud, 38400);

    // Disabling closes the port; a port that cannot be opened stays disabled.
    EXPECT_TRUE(f.pane.EditCell(0, CComPortPane::COLUMN_ENABLED, "No"));
    EXPECT_FALSE(def->IsOpen());
    AfxSetComPortDevice(3, "");
    EXPECT_TRUE(f.pane.EditCell(0, CComPortPane::COLUMN_ENABLED, "Yes"));
    EXPECT_FALSE(def->IsOpen());
    EXPECT_EQ(table.GetItemText(0, CComPortPane::COLUMN_ENABLED), CString("No"));
}

TEST(ComPortPane, ReceivedLinesKeepPortAndTypeAndStayBounded)
{
    Fixture f;
    AddPort(f.ports, 7, false);
    f.Create();
    // No message box may open while lines arrive: the hook fails the test if one does.
    f.pane.AddString(7, "GPS", "$07GGA,123519.00,4807.038,N*5C\r\n", false);
    f.pane.AddString(7, "", "free text", true);
    f.pane.AddString(1234, "GPS", "$1IGGA,not ours*00\r\n", false); // another pane's port
    ASSERT_EQ(f.pane.GetLineCount(), 2);
    EXPECT_EQ(f.pane.GetLine(0).nPort, 7);
    EXPECT_EQ(f.pane.GetLine(0).strType, CString("GPS"));
    EXPECT_EQ(f.pane.GetLine(0).strText, CString("$07GGA,123519.00,4807.038,N*5C"));
    EXPECT_TRUE(f.pane.GetLine(1).bHighlight);
    EXPECT_EQ(f.pane.GetLastType(7), CString("GPS"));

    f.pane.FlushLines();
    CListCtrl& list = f.pane.GetLineList();
    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemText(0, CPortPane::LINE_COLUMN_PORT), CString("7"));
    EXPECT_EQ(list.GetItemText(0, CPortPane::LINE_COLUMN_TYPE), CString("GPS"));
    EXPECT_EQ(list.GetItemText(1, CPortPane::LINE_COLUMN_DATA), CString("free text"));
    EXPECT_EQ(f.pane.GetTable().GetItemText(0, CComPortPane::COLUMN_TYPE), CString("GPS"));

    // A long run: only the newest lines are kept, in order, in the store and in the list.
    for (int i = 0; i < 1200; ++i)
    {
        CString text;
        text.Format("line %d", i);
        f.pane.AddString(7, "GPS", text, false);
        if (i == 300)
            f.pane.FlushLines(); // a refresh part way through
    }
    EXPECT_EQ(f.pane.GetLineCount(), CPortPane::MAX_LINES);
    EXPECT_EQ(f.pane.GetLine(0).strText, CString("line 700"));
    f.pane.FlushLines();
    ASSERT_EQ(list.GetItemCount(), CPortPane::MAX_LINES);
    EXPECT_EQ(list.GetItemText(0, CPortPane::LINE_COLUMN_DATA), CString("line 700"));
    EXPECT_EQ(list.GetItemText(CPortPane::MAX_LINES - 1, CPortPane::LINE_COLUMN_DATA), CString("line 1199"));

    // Lines appended after a refresh join the list's end.
    f.pane.ClearLines();
    f.pane.AddString(7, "GPS", "a", false);
    f.pane.FlushLines();
    f.pane.AddString(7, "GPS", "b", false);
    f.pane.FlushLines();
    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemText(1, CPortPane::LINE_COLUMN_DATA), CString("b"));
    EXPECT_TRUE(ModalHook::Shown().empty());
}

TEST(ComPortPane, MenuStartsABaudSearchOrClearsTheLines)
{
    Fixture f;
    AddPort(f.ports, 7, false);
    f.Create();
    f.pane.AddString(7, "GPS", "x", false);
    ModalHook::AnswerMenu(CComPortPane::ID_CLEAR_LINES);
    f.pane.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(f.pane.GetSafeHwnd()), MAKELPARAM(10, 10));
    EXPECT_EQ(f.pane.GetLineCount(), 0);

    // The search asks the selected port's thread (made as the array makes it, never resumed
    // here) to search, and enables the port so that the search may open it.
    ComDef* def = f.ports[0];
    auto* thread = static_cast<CComsThread*>(
        AfxBeginThread(RUNTIME_CLASS(CComsThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    ASSERT_TRUE(thread != nullptr);
    thread->m_bAutoDelete = FALSE;
    thread->m_pPort = def;
    def->m_pThread = thread;
    thread->m_nMode = CComsThread::MODE_READ;
    f.pane.GetTable().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    ModalHook::AnswerMenu(CComPortPane::ID_SEARCH_BAUD_RATE);
    f.pane.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(f.pane.GetSafeHwnd()), MAKELPARAM(10, 10));
    EXPECT_EQ(thread->m_bSearch.load(), 1);
    EXPECT_EQ(thread->m_nMode.load(), static_cast<int>(CComsThread::MODE_BAUD_SEARCH));
    EXPECT_EQ(def->m_bEnabled, 1);
    EXPECT_NE(ModalHook::Shown().back().text.Find("Search for Baud Rate"), -1);
}

TEST(ComPortPane, NightModeDarkensTheLines)
{
    Fixture f;
    f.Create();
    EXPECT_FALSE(f.pane.GetNightMode());
    f.pane.SetNightMode(true);
    EXPECT_TRUE(f.pane.GetNightMode());
    EXPECT_EQ(f.pane.GetLineList().GetBkColor(), RGB(0, 0, 0));
    f.pane.SetDaylightMode();
    EXPECT_FALSE(f.pane.GetNightMode());
    EXPECT_EQ(f.pane.GetLineList().GetBkColor(), RGB(255, 255, 255));
}

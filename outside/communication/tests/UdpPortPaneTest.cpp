// The UDP pane over readers loaded from their list file: the table shows each input and what
// it receives; edits rebind the input, start or stop it, and rewrite the list file so that the
// next load finds them.
#include "foundation/ConfigFile.h"
#include "foundation/Folders.h"
#include "geodesy/UdpArray.h"
#include "outside/communication/UdpPortPane.h"
#include "platform/core/StdioFile.h"
#include "platform/core/FileFind.h"
#include "platform/ui/ModalHook.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
void PumpEvents()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// A UDP port free on this machine now: the system's choice for a socket bound to port 0.
WORD FreePort()
{
    const int s = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    socklen_t size = sizeof(address);
    WORD port = 0;
    if (s >= 0 && ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) == 0)
        port = ntohs(address.sin_port);
    if (s >= 0)
        ::close(s);
    return port;
}

void WriteList(const CString& path, const CString& text)
{
    CStdioFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeText));
    file.WriteString(text);
    file.Close();
}

struct UdpFixture
{
    CWnd main;
    CUdpArray readers;
    CUdpPortPane pane;
    WORD first = FreePort();
    WORD second = 0;
    UdpFixture()
    {
        do
            second = FreePort();
        while (second == first);
        EXPECT_NE(first, 0);
        main.CreateEx(0, nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 500), nullptr,
                      0);
        CString list;
        list.Format("%d, Bridge GNSS\n%d, Stern GNSS\n", first, second);
        WriteList(readers.GetListFileName(), list);
        EXPECT_TRUE(pane.Create(&readers, "UDP Setup", &main, CRect(0, 0, 600, 400), TRUE, 32802,
                                WS_CHILD | WS_VISIBLE | CBRS_BOTTOM));
        // As the frame does: the readers are loaded after the pane exists, then it is reset.
        EXPECT_TRUE(readers.Load(&main));
        pane.Reset();
        PumpEvents();
    }
    ~UdpFixture()
    {
        pane.DestroyWindow();
        readers.Stop();
    }
};
} // namespace

TEST(UdpPortPane, TableShowsEachInputAndWhatItReceives)
{
    UdpFixture f;
    CMyListCtrl& table = f.pane.GetTable();
    ASSERT_EQ(table.GetItemCount(), 2);
    CString port;
    port.Format("%d", f.first);
    EXPECT_EQ(table.GetItemText(0, CUdpPortPane::COLUMN_PORT), port);
    EXPECT_EQ(table.GetItemText(0, CUdpPortPane::COLUMN_NAME), CString("Bridge GNSS"));
    EXPECT_EQ(table.GetItemText(1, CUdpPortPane::COLUMN_NAME), CString("Stern GNSS"));
    EXPECT_EQ(table.GetItemText(0, CUdpPortPane::COLUMN_ENABLED), CString("Yes"));
    EXPECT_EQ(table.GetItemText(0, CUdpPortPane::COLUMN_RECEIVING), CString("Nothing yet"));

    f.pane.AddString(f.first, "GPS", "$1AGGA,1*00\r\n", false);
    f.pane.AddString(f.first, "GPS", "$1AGSV,1*00\r\n", false);
    f.pane.AddString(7, "GPS", "$07GGA,1*00\r\n", false); // a serial port's line
    EXPECT_EQ(f.pane.GetLineCount(), 2);
    f.pane.FlushLines();
    EXPECT_EQ(table.GetItemText(0, CUdpPortPane::COLUMN_RECEIVING), CString("GPS, 2 lines"));
    EXPECT_EQ(table.GetItemText(1, CUdpPortPane::COLUMN_RECEIVING), CString("Nothing yet"));
    EXPECT_EQ(f.pane.GetLineList().GetItemText(1, CPortPane::LINE_COLUMN_DATA), CString("$1AGSV,1*00"));
}

TEST(UdpPortPane, EditsRebindRenameAndAreLoadedAgain)
{
    UdpFixture f;
    WORD moved = FreePort();
    while (moved == f.first || moved == f.second)
        moved = FreePort();
    CString text;
    text.Format("%d", moved);
    ASSERT_TRUE(f.pane.EditCell(0, CUdpPortPane::COLUMN_PORT, text));
    CUdpReader* reader = f.readers.GetAt(0);
    EXPECT_EQ(reader->m_nPort, moved);
    EXPECT_TRUE(reader->IsRunning());
    EXPECT_EQ(f.pane.GetTable().GetItemText(0, CUdpPortPane::COLUMN_PORT), text);
    const CString oldFile = f.readers.GetAt(1)->GetSettingsFileName();
    ASSERT_TRUE(CFileFind().FindFile(oldFile));
    ASSERT_TRUE(f.pane.EditCell(1, CUdpPortPane::COLUMN_NAME, "  Aft GNSS "));
    EXPECT_EQ(f.readers.GetAt(1)->m_strName, CString("Aft GNSS"));
    // The settings file is renamed with the input, not left behind.
    EXPECT_TRUE(CFileFind().FindFile(f.readers.GetAt(1)->GetSettingsFileName()));
    EXPECT_FALSE(CFileFind().FindFile(oldFile));

    // Each refusal tells the user why, and which value stays; the read-only column says nothing.
    struct Refused
    {
        int column;
        CString text;
        CString told;
    };
    CString taken, stays, takenTold;
    taken.Format("%d", f.second);
    stays.Format("\n\nBridge GNSS stays on port %d.", moved);
    takenTold.Format("Port %d is already the port of Aft GNSS.", f.second); // renamed above
    const Refused refused[] = {
        {CUdpPortPane::COLUMN_PORT, taken, takenTold + stays}, // the other input's port
        {CUdpPortPane::COLUMN_PORT, "0", "\"0\" is no UDP port: a port is a whole number from 1 to 65535." + stays},
        {CUdpPortPane::COLUMN_PORT, " 70000", "\"70000\" is no UDP port: a port is a whole number from 1 to 65535." + stays},
        {CUdpPortPane::COLUMN_PORT, "12a", "\"12a\" is no UDP port: a port is a whole number from 1 to 65535." + stays},
        {CUdpPortPane::COLUMN_NAME, "   ",
         "An input's name may not be empty or hold any of \\ / : * ? \" < > |.\n\nThe name stays Bridge GNSS."},
        {CUdpPortPane::COLUMN_NAME, "a\\b",
         "An input's name may not be empty or hold any of \\ / : * ? \" < > |.\n\nThe name stays Bridge GNSS."},
        {CUdpPortPane::COLUMN_ENABLED, "maybe", "An input is enabled with Yes or No."},
        {CUdpPortPane::COLUMN_RECEIVING, "x", ""}};
    for (const Refused& r : refused)
    {
        const size_t before = ModalHook::Shown().size();
        if (!r.told.IsEmpty())
            ModalHook::AnswerMessageBox(IDOK);
        EXPECT_FALSE(f.pane.EditCell(0, r.column, r.text)) << r.text;
        PumpEvents(); // told once the edit is over
        if (r.told.IsEmpty())
            EXPECT_EQ(ModalHook::Shown().size(), before) << r.text;
        else
        {
            ASSERT_EQ(ModalHook::Shown().size(), before + 1) << r.text;
            EXPECT_EQ(ModalHook::Shown().back().text, r.told);
        }
    }
    EXPECT_EQ(reader->m_nPort, moved);
    EXPECT_EQ(f.pane.GetTable().GetItemText(0, CUdpPortPane::COLUMN_PORT), text);

    // The list file now holds the new port and name, and loads so.
    f.readers.Stop();
    ASSERT_TRUE(f.readers.Load(&f.main));
    ASSERT_EQ(f.readers.GetSize(), 2);
    EXPECT_EQ(f.readers.GetAt(0)->m_nPort, moved);
    EXPECT_EQ(f.readers.GetAt(0)->m_strName, CString("Bridge GNSS"));
    EXPECT_EQ(f.readers.GetAt(1)->m_nPort, f.second);
    EXPECT_EQ(f.readers.GetAt(1)->m_strName, CString("Aft GNSS"));
    f.pane.Reset();
    EXPECT_EQ(f.pane.GetTable().GetItemText(1, CUdpPortPane::COLUMN_NAME), CString("Aft GNSS"));
}

TEST(UdpPortPane, DisablingStopsTheInputAndEnablingStartsIt)
{
    UdpFixture f;
    CUdpReader* reader = f.readers.GetAt(1);
    ASSERT_TRUE(reader->IsRunning());
    ASSERT_TRUE(f.pane.EditCell(1, CUdpPortPane::COLUMN_ENABLED, "No"));
    EXPECT_FALSE(reader->IsRunning());
    EXPECT_EQ(reader->m_bEnabled, 0);
    EXPECT_EQ(f.pane.GetTable().GetItemText(1, CUdpPortPane::COLUMN_RECEIVING), CString("Stopped"));
    // The input's settings file says so.
    CConfigFile file;
    CString name;
    ASSERT_TRUE(file.Open(CConfigFile::MakeFileName(GetSettingsFolder() + "UDP_Ports\\", "Stern_GNSS", "INI"),
                          CFile::modeRead | CFile::typeText));
    EXPECT_EQ(file.ReadInt(-1), f.second);
    EXPECT_EQ(file.ReadInt(-1), 0);
    file.Close();

    ASSERT_TRUE(f.pane.EditCell(1, CUdpPortPane::COLUMN_ENABLED, "Yes"));
    EXPECT_TRUE(reader->IsRunning());
    EXPECT_EQ(f.pane.GetTable().GetItemText(1, CUdpPortPane::COLUMN_ENABLED), CString("Yes"));
}

#include "platform/io/CommApi.h"
#include "platform/io/ComPortTable.h"
#include "testsupport/PseudoTerminal.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace
{
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point t)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
}

bool HasFlag(const std::string& stty, const std::string& flag)
{
    return stty.find(" " + flag + " ") != std::string::npos;
}

class CommApiTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(pty.path.empty());
        AfxSetComPortDefaultMapping(false);
        pty.AssignPort(7);
    }
    void TearDown() override
    {
        if (port != INVALID_HANDLE_VALUE)
            CloseHandle(port);
        AfxResetComPortTable();
    }
    HANDLE OpenCom7()
    {
        port =
            CreateFileA("\\\\.\\COM7", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        return port;
    }
    void SetTimeouts(DWORD interval, DWORD multiplier, DWORD constant)
    {
        COMMTIMEOUTS t{interval, multiplier, constant, 0, 0};
        ASSERT_TRUE(SetCommTimeouts(port, &t));
    }

    PseudoTerminal pty;
    HANDLE port = INVALID_HANDLE_VALUE;
};

TEST_F(CommApiTest, BytesPassRawBothWays)
{
    ASSERT_NE(OpenCom7(), INVALID_HANDLE_VALUE);
    SetTimeouts(0, 0, 2000);
    // Line ends, NUL and high bytes pass unchanged: the line is raw.
    const std::string sent("$GPGGA,1\r\n\0\xB0\x7F\x03", 14);
    pty.Send(sent);
    char buffer[64] = {};
    DWORD got = 0;
    ASSERT_TRUE(ReadFile(port, buffer, static_cast<DWORD>(sent.size()), &got, nullptr));
    EXPECT_EQ(std::string(buffer, got), sent);

    const char reply[] = "$NTSTP,1*00\r\n";
    DWORD put = 0;
    ASSERT_TRUE(WriteFile(port, reply, sizeof reply - 1, &put, nullptr));
    EXPECT_EQ(put, sizeof reply - 1);
    std::string echoed;
    const auto start = Clock::now();
    while (echoed.size() < put && MsSince(start) < 2000)
    {
        char b[64];
        const ssize_t n = ::read(pty.master, b, sizeof b);
        if (n > 0)
            echoed.append(b, static_cast<size_t>(n));
    }
    EXPECT_EQ(echoed, reply);
}

TEST_F(CommApiTest, OpenFailuresGiveTheWindowsErrors)
{
    AfxSetComPortDevice(8, "/nonexistent/tty");
    AfxSetComPortDevice(9, "/dev/null");
    AfxSetComPortDevice(10, "");
    struct Case
    {
        const char* name;
        DWORD creation;
        DWORD flags;
        DWORD error;
    } cases[] = {
        {"\\\\.\\COM8", OPEN_EXISTING, 0, ERROR_FILE_NOT_FOUND},  // no such device
        {"\\\\.\\COM9", OPEN_EXISTING, 0, ERROR_GEN_FAILURE},     // a device, but no line
        {"\\\\.\\COM10", OPEN_EXISTING, 0, ERROR_FILE_NOT_FOUND}, // hidden by the table
        {"\\\\.\\COM11", OPEN_EXISTING, 0, ERROR_FILE_NOT_FOUND}, // nothing assigned, no default
        {"\\\\.\\LPT1", OPEN_EXISTING, 0, ERROR_FILE_NOT_FOUND},
        {"C:\\data.txt", OPEN_EXISTING, 0, ERROR_FILE_NOT_FOUND},
        {"\\\\.\\COM7", CREATE_ALWAYS, 0, ERROR_INVALID_PARAMETER},
        {"\\\\.\\COM7", OPEN_EXISTING, FILE_FLAG_OVERLAPPED, ERROR_NOT_SUPPORTED},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        SetLastError(0);
        HANDLE h =
            CreateFileA(c.name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, c.creation, c.flags, nullptr);
        EXPECT_EQ(h, INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), c.error);
    }
}

TEST_F(CommApiTest, PortIsExclusiveUntilClosed)
{
    ASSERT_NE(OpenCom7(), INVALID_HANDLE_VALUE);
    // The same line under another number is the same port.
    pty.AssignPort(12);
    for (const char* name : {"\\\\.\\COM7", "COM12"})
    {
        SetLastError(0);
        EXPECT_EQ(CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr),
                  INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    }
    ASSERT_TRUE(CloseHandle(port));
    port = INVALID_HANDLE_VALUE;
    EXPECT_NE(OpenCom7(), INVALID_HANDLE_VALUE);
}

TEST_F(CommApiTest, LineSettingsShowInStty)
{
    ASSERT_NE(OpenCom7(), INVALID_HANDLE_VALUE);
    DCB dcb{};
    ASSERT_TRUE(GetCommState(port, &dcb));
    ASSERT_TRUE(BuildCommDCBA("4800,M,8,2", &dcb));
    dcb.fOutxCtsFlow = 1;
    ASSERT_TRUE(SetCommState(port, &dcb));

    const std::string stty = pty.Stty();
    EXPECT_NE(stty.find("speed 4800 baud"), std::string::npos) << stty;
    // A pseudo-terminal keeps 8 data bits and drops the parity-enable bit whatever is set, but
    // keeps the rest of the framing.
    for (const char* flag : {"cs8", "cstopb", "crtscts", "parodd", "cmspar", "cread", "clocal", "-icanon",
                             "-echo", "-isig", "-icrnl", "-opost", "-ixon"})
        EXPECT_TRUE(HasFlag(stty, flag)) << flag << " in " << stty;

    DCB back{};
    ASSERT_TRUE(GetCommState(port, &back));
    EXPECT_EQ(back.BaudRate, 4800u);
    EXPECT_EQ(back.ByteSize, 8);
    EXPECT_EQ(back.StopBits, TWOSTOPBITS);
    EXPECT_EQ(back.fOutxCtsFlow, 1u);
    EXPECT_EQ(back.fBinary, 1u);

    // Settings the line cannot take are refused and change nothing.
    struct Bad
    {
        DWORD baud;
        BYTE size;
        BYTE parity;
        BYTE stop;
    } bad[] = {{14400, 8, NOPARITY, ONESTOPBIT}, {9600, 9, NOPARITY, ONESTOPBIT},
               {9600, 8, 5, ONESTOPBIT},         {9600, 8, NOPARITY, ONE5STOPBITS},
               {9600, 8, NOPARITY, 3},           {9600, 5, NOPARITY, TWOSTOPBITS}};
    for (const Bad& b : bad)
    {
        DCB d = back;
        d.BaudRate = b.baud;
        d.ByteSize = b.size;
        d.Parity = b.parity;
        d.StopBits = b.stop;
        SetLastError(0);
        EXPECT_FALSE(SetCommState(port, &d)) << b.baud << " " << int(b.size);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
    EXPECT_NE(pty.Stty().find("speed 4800 baud"), std::string::npos);

    dcb.BaudRate = 115200;
    dcb.StopBits = ONESTOPBIT;
    dcb.Parity = NOPARITY;
    dcb.fOutxCtsFlow = 0;
    ASSERT_TRUE(SetCommState(port, &dcb));
    const std::string after = pty.Stty();
    EXPECT_NE(after.find("speed 115200 baud"), std::string::npos);
    for (const char* flag : {"-cstopb", "-crtscts", "-parodd", "-cmspar"})
        EXPECT_TRUE(HasFlag(after, flag)) << flag;
}

TEST(BuildCommDcb, ReadsModeTexts)
{
    struct Case
    {
        const char* text;
        DWORD baud;
        BYTE parity;
        BYTE size;
        BYTE stop;
        unsigned outX;
        unsigned cts;
    } cases[] = {
        {"9600,N,8,1", 9600, NOPARITY, 8, ONESTOPBIT, 0, 0},
        {"4800,e,7,2", 4800, EVENPARITY, 7, TWOSTOPBITS, 0, 0},
        {"96,n,8,1", 9600, NOPARITY, 8, ONESTOPBIT, 0, 0},
        {"115200,O,8,1,x", 115200, ODDPARITY, 8, ONESTOPBIT, 1, 0},
        {"19200,S,5,1.5,p", 19200, SPACEPARITY, 5, ONE5STOPBITS, 0, 1},
        {"COM3: 38400,M,8,1", 38400, MARKPARITY, 8, ONESTOPBIT, 0, 0},
        {"baud=57600 parity=o data=7 stop=2", 57600, ODDPARITY, 7, TWOSTOPBITS, 0, 0},
        {"baud=1200 octs=on", 1200, NOPARITY, 8, ONESTOPBIT, 0, 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        DCB d{};
        d.ByteSize = 8;
        ASSERT_TRUE(BuildCommDCBA(c.text, &d));
        EXPECT_EQ(d.BaudRate, c.baud);
        EXPECT_EQ(d.Parity, c.parity);
        EXPECT_EQ(d.ByteSize, c.size);
        EXPECT_EQ(d.StopBits, c.stop);
        EXPECT_EQ(d.fOutX, c.outX);
        EXPECT_EQ(d.fInX, c.outX);
        EXPECT_EQ(d.fOutxCtsFlow, c.cts);
        EXPECT_EQ(d.fBinary, 1u);
        EXPECT_EQ(d.fParity, c.parity != NOPARITY ? 1u : 0u);
    }

    for (const char* text : {"", "fast,N,8,1", "9600,X,8,1", "9600,N,9,1", "9600,N,8,3", "9600,N,8,1,q",
                             "9600,N,8,1,x,1", "baud=9600 bits=8", "parity=N"})
    {
        SCOPED_TRACE(text);
        DCB d{};
        d.BaudRate = 1234;
        SetLastError(0);
        EXPECT_FALSE(BuildCommDCBA(text, &d));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
        EXPECT_EQ(d.BaudRate, 1234u); // untouched
    }
}

TEST_F(CommApiTest, ReadTimeoutsFollowTheWindowsRules)
{
    ASSERT_NE(OpenCom7(), INVALID_HANDLE_VALUE);
    char buffer[64];
    DWORD got = 99;

    // Returns at once with what is there.
    SetTimeouts(MAXDWORD, 0, 0);
    auto start = Clock::now();
    ASSERT_TRUE(ReadFile(port, buffer, sizeof buffer, &got, nullptr));
    EXPECT_EQ(got, 0u);
    EXPECT_LT(MsSince(start), 50);
    pty.Send("abc");
    std::this_thread::sleep_for(20ms);
    ASSERT_TRUE(ReadFile(port, buffer, sizeof buffer, &got, nullptr));
    EXPECT_EQ(std::string(buffer, got), "abc");

    // Waits for the first byte up to the constant, then returns with what came.
    SetTimeouts(MAXDWORD, MAXDWORD, 200);
    start = Clock::now();
    ASSERT_TRUE(ReadFile(port, buffer, sizeof buffer, &got, nullptr));
    EXPECT_EQ(got, 0u);
    EXPECT_GE(MsSince(start), 190);
    std::thread late([this] {
        std::this_thread::sleep_for(50ms);
        pty.Send("xy");
    });
    start = Clock::now();
    ASSERT_TRUE(ReadFile(port, buffer, sizeof buffer, &got, nullptr));
    late.join();
    EXPECT_EQ(std::string(buffer, got), "xy");
    EXPECT_LT(MsSince(start), 190);

    // A total limit ends the call with fewer bytes.
    SetTimeouts(0, 0, 150);
    pty.Send("123");
    start = Clock::now();
    ASSERT_TRUE(ReadFile(port, buffer, 10, &got, nullptr));
    EXPECT_EQ(std::string(buffer, got), "123");
    EXPECT_GE(MsSince(start), 140);

    // No limits: the call waits for the whole count.
    SetTimeouts(0, 0, 0);
    std::thread writer([this] {
        pty.Send("12");
        std::this_thread::sleep_for(100ms);
        pty.Send("345");
    });
    ASSERT_TRUE(ReadFile(port, buffer, 5, &got, nullptr));
    writer.join();
    EXPECT_EQ(std::string(buffer, got), "12345");
}

// Also run under the sanitizers (scripts/sanitize.sh runs every "*Stress" suite).
using CommApiStress = CommApiTest;

TEST_F(CommApiStress, ClosingEndsABlockedReadAndLaterCallsFail)
{
    ASSERT_NE(OpenCom7(), INVALID_HANDLE_VALUE);
    SetTimeouts(0, 0, 0);
    std::atomic<BOOL> result{TRUE};
    std::atomic<DWORD> error{0};
    std::thread reader([&] {
        char b[8];
        DWORD got = 0;
        result = ReadFile(port, b, sizeof b, &got, nullptr);
        error = GetLastError();
    });
    std::this_thread::sleep_for(100ms);
    const auto start = Clock::now();
    ASSERT_TRUE(CloseHandle(port));
    reader.join();
    EXPECT_LT(MsSince(start), 500);
    EXPECT_FALSE(result);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_OPERATION_ABORTED));

    char b[8];
    DWORD got = 0;
    EXPECT_FALSE(ReadFile(port, b, sizeof b, &got, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    DCB dcb{};
    EXPECT_FALSE(GetCommState(port, &dcb));
    port = INVALID_HANDLE_VALUE;
}

TEST_F(CommApiTest, ALineThatGoesFailsTheRead)
{
    ASSERT_NE(OpenCom7(), INVALID_HANDLE_VALUE);
    SetTimeouts(MAXDWORD, 0, 0);
    pty.CloseDevice();
    char b[8];
    DWORD got = 0;
    EXPECT_FALSE(ReadFile(port, b, sizeof b, &got, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_GEN_FAILURE));
}

TEST(ComPortTable, NamesAndAssignments)
{
    struct Case
    {
        const char* name;
        UINT n;
    } names[] = {{"\\\\.\\COM3", 3}, {"COM12", 12}, {"com4:", 4},   {"\\\\.\\COM255", 255},
                 {"COM", 0},         {"COM0x", 0},  {"LPT1", 0},    {"\\\\.\\COM3x", 0},
                 {"COMX", 0},        {"", 0},       {"C:\\COM3", 0}};
    for (const Case& c : names)
        EXPECT_EQ(AfxComPortNumberFromName(c.name), c.n) << c.name;

    AfxResetComPortTable();
    ::unsetenv("SUITE_COM_PORTS");
    EXPECT_EQ(AfxGetComPortDevice(1), CString("/dev/ttyS0"));
    EXPECT_EQ(AfxGetComPortDevice(10), CString("/dev/ttyS9"));
    EXPECT_TRUE(AfxGetComPortDevice(0).IsEmpty());

    ::setenv("SUITE_COM_PORTS", "COM3=/dev/ttyUSB0; com4=/dev/serial/by-id/x-if00,COM1=", 1);
    EXPECT_EQ(AfxGetComPortDevice(3), CString("/dev/ttyUSB0"));
    EXPECT_EQ(AfxGetComPortDevice(4), CString("/dev/serial/by-id/x-if00"));
    EXPECT_TRUE(AfxGetComPortDevice(1).IsEmpty()); // hidden
    EXPECT_EQ(AfxGetComPortDevice(2), CString("/dev/ttyS1"));

    ::setenv("SUITE_COM_PORTS", "default=none COM5=/dev/ttyACM0", 1);
    EXPECT_TRUE(AfxGetComPortDevice(2).IsEmpty());
    EXPECT_EQ(AfxGetComPortDevice(5), CString("/dev/ttyACM0"));

    // The program's own assignments come first, and the default can be turned back on.
    AfxSetComPortDevice(5, "/dev/pts/9");
    AfxSetComPortDefaultMapping(true);
    EXPECT_EQ(AfxGetComPortDevice(5), CString("/dev/pts/9"));
    EXPECT_EQ(AfxGetComPortDevice(2), CString("/dev/ttyS1"));
    AfxSetComPortDevice(5, nullptr);
    EXPECT_EQ(AfxGetComPortDevice(5), CString("/dev/ttyACM0"));

    AfxResetComPortTable();
    ::unsetenv("SUITE_COM_PORTS");
}
} // namespace

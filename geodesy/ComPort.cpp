#include "geodesy/ComPort.h"

#include "foundation/ConfigFile.h"
#include "foundation/DateTime.h"
#include "foundation/Folders.h"
#include "geodesy/ComsThread.h"
#include "platform/core/Time.h"
#include "platform/io/CommApi.h"

#include <cstdlib>
#include <cstring>

const char g_ParityLetters[] = "NOEMS";

namespace
{
const UINT kWriteFlags = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText;
const UINT kReadFlags = CFile::modeRead | CFile::shareDenyWrite | CFile::typeText;

const int kBaudRates[] = {300, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
const int kReceiveBufferSize = 4096;

double NowSeconds()
{
    DateTimeDef now;
    GetLocalDateTime(now);
    return now.dSeconds;
}

char ParityLetter(int parity)
{
    return parity >= 0 && parity <= 4 ? g_ParityLetters[parity] : 'N';
}
} // namespace

bool IsStandardBaudRate(int baud)
{
    for (int rate : kBaudRates)
        if (rate == baud)
            return true;
    return false;
}

ComDef::ComDef()
    : m_dLastDataTime(NowSeconds()), m_hPort(INVALID_HANDLE_VALUE), m_nLastDataTick(GetTickCount64())
{
}

ComDef::~ComDef()
{
    Close();
}

bool ComDef::IsOpen() const
{
    return m_hPort != INVALID_HANDLE_VALUE;
}

void ComDef::MarkData()
{
    m_dLastDataTime = NowSeconds();
    m_nLastDataTick = GetTickCount64();
    m_bTimedOut = 0;
}

LONGLONG ComDef::GetSilentSeconds() const
{
    return static_cast<LONGLONG>((GetTickCount64() - m_nLastDataTick) / 1000);
}

CString ComDef::GetSettingsFileName() const
{
    CString folder = GetSettingsFolder() + "COM_Ports\\";
    CreateFolderPath(folder);
    CString title = m_strName.IsEmpty() ? CString("COM_PORT") : m_strName;
    // The name becomes a file name: it must not lead out of the folder.
    title.Replace('\\', '_');
    title.Replace('/', '_');
    title.Replace(':', '_');
    return CConfigFile::MakeFileName(folder, title);
}

// The settings file, in the order Save writes it:
//   "Port Number", "Status", "Baud Rate", "Parity" (index), "Data Bits", "Stop Bits",
//   "485 Half Duplex", "Term Char", "Check Sum", "TimeoutInterval", "Mapping".
bool ComDef::Load(const char* name)
{
    const bool read = ReadSettings(name);
    Open();
    m_bPaused = 0;
    return read;
}

bool ComDef::ReadSettings(const char* name)
{
    const CString given(name);
    if (m_nPort != 0)
    {
        WORD port = 0xFFFF;
        if (given.Left(3) == "COM")
            port = static_cast<WORD>(std::atoi(given.Mid(3)));
        m_nPort = port;
        m_strName.Format("COM%02d", m_nPort);
    }
    else
    {
        m_strName = given;
    }

    m_bEnabled = 0;
    m_nBaudRate = 9600;
    m_nParity = 0;
    m_nDataBits = 8;
    m_nStopBits = 1;
    m_b485HalfDuplex = 0;
    m_cTermChar = 10;
    m_bCheckSum = 1;
    m_nTimeoutInterval = 15;
    m_nMapping = 0;

    bool read = false;
    const CString path = GetSettingsFileName();
    if (m_strName.IsEmpty())
    {
        read = LoadFallback(path);
    }
    else
    {
        CConfigFile file;
        if (file.Open(path, kReadFlags))
        {
            const int port = file.ReadInt(0);
            if (m_nPort == 0 && port > 0 && port <= 0xFFFF)
                m_nPort = static_cast<WORD>(port);
            m_bEnabled = file.ReadInt(0) != 0;
            m_nBaudRate = file.ReadInt(9600);
            m_nParity = file.ReadInt(0);
            m_nDataBits = file.ReadInt(8);
            m_nStopBits = file.ReadInt(1);
            m_b485HalfDuplex = file.ReadInt(0) != 0;
            m_cTermChar = static_cast<BYTE>(file.ReadInt(10));
            m_bCheckSum = file.ReadInt(1) != 0;
            m_nTimeoutInterval = file.ReadInt(15);
            const double mapping = file.ReadDouble(0.0);
            m_nMapping = mapping >= 0.0 && mapping <= 4294967295.0 ? static_cast<uint32_t>(mapping) : 0;
            file.Close();
            read = true;
        }
    }

    if (!IsStandardBaudRate(m_nBaudRate))
        m_nBaudRate = 9600;
    if (m_nDataBits < 5 || m_nDataBits > 8)
        m_nDataBits = 8;
    if (m_nStopBits <= 0 || m_nStopBits > 2)
        m_nStopBits = 1;
    // An index outside the letters would name no parity at all.
    if (m_nParity < 0 || m_nParity > 4)
        m_nParity = 0;
    if (m_nTimeoutInterval < 0)
        m_nTimeoutInterval = 15;
    return read;
}

bool ComDef::Save()
{
    if (m_strName.Left(3) == "COM")
        m_strName.Format("COM%02d", m_nPort);
    const CString path = GetSettingsFileName();
    if (m_strName.IsEmpty())
        return SaveFallback(path);
    return CConfigFile::WriteWhole(path, kWriteFlags, [this](CConfigFile& file) {
        file.WriteInt("Port Number", m_nPort);
        file.WriteBool("Status", m_bEnabled != 0);
        file.WriteInt("Baud Rate", m_nBaudRate);
        file.WriteInt("Parity", m_nParity);
        file.WriteInt("Data Bits", m_nDataBits);
        file.WriteInt("Stop Bits", m_nStopBits);
        file.WriteBool("485 Half Duplex", m_b485HalfDuplex != 0);
        file.WriteInt("Term Char", m_cTermChar);
        file.WriteBool("Check Sum", m_bCheckSum != 0);
        file.WriteInt("TimeoutInterval", m_nTimeoutInterval);
        file.WriteUnsigned("Mapping", m_nMapping);
    });
}

// The fallback file of a port without a name, in the order SaveFallback writes it:
//   "Port", "Baudrate", "Parity" (the letter), "Data Bits", "Stop Bits".
bool ComDef::LoadFallback(const CString& path)
{
    CConfigFile file;
    if (!file.Open(path, kReadFlags))
        return false;
    const int port = file.ReadInt(0);
    if (m_nPort == 0 && port > 0 && port <= 0xFFFF)
        m_nPort = static_cast<WORD>(port);
    m_nBaudRate = file.ReadInt(9600);
    const char letter = file.ReadChar('N');
    const char* at = std::strchr(g_ParityLetters, letter);
    m_nParity = (at && letter) ? static_cast<int32_t>(at - g_ParityLetters) : 0;
    m_nDataBits = file.ReadInt(8);
    m_nStopBits = file.ReadInt(1);
    file.Close();
    return true;
}

bool ComDef::SaveFallback(const CString& path)
{
    return CConfigFile::WriteWhole(path, kWriteFlags, [this](CConfigFile& file) {
        file.WriteInt("Port", m_nPort);
        file.WriteInt("Baudrate", m_nBaudRate);
        CString line;
        line.Format("%s = %c\n", "Parity", ParityLetter(m_nParity));
        file.WriteString(line);
        file.WriteInt("Data Bits", m_nDataBits);
        file.WriteInt("Stop Bits", m_nStopBits);
    });
}

bool ComDef::Open()
{
    if (m_nPort == 0 || m_nPort > 256 || !m_bEnabled)
        return false;
    if (IsOpen())
    {
        MarkData();
        return true;
    }
    CString device;
    device.Format("\\\\.\\COM%d", m_nPort);
    m_hPort = CreateFileA(device, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (m_hPort == INVALID_HANDLE_VALUE)
    {
        m_bEnabled = 0;
        return false;
    }

    DCB dcb{};
    dcb.DCBlength = sizeof(DCB);
    CString mode;
    mode.Format("%d,%c,%d,%d", m_nBaudRate, ParityLetter(m_nParity), m_nDataBits, m_nStopBits);
    bool ok = GetCommState(m_hPort, &dcb) && BuildCommDCBA(mode, &dcb);
    if (ok)
    {
        dcb.fBinary = 1;
        if (m_b485HalfDuplex)
        {
            dcb.fOutxCtsFlow = 1;
            dcb.fRtsControl = RTS_CONTROL_TOGGLE;
        }
        ok = SetCommState(m_hPort, &dcb) != FALSE;
    }
    if (ok)
    {
        // A read returns at once with whatever has arrived.
        COMMTIMEOUTS timeouts{MAXDWORD, 0, 0, 0, 0};
        ok = SetCommTimeouts(m_hPort, &timeouts) && m_RxBuffer.Allocate(kReceiveBufferSize);
    }
    if (!ok)
    {
        Close();
        return false;
    }
    MarkData();
    return true;
}

void ComDef::Close()
{
    if (m_hPort != INVALID_HANDLE_VALUE)
        CloseHandle(m_hPort);
    m_hPort = INVALID_HANDLE_VALUE;
    m_RxBuffer.Free();
}

INT_PTR ListComPorts(CUIntArray& ports)
{
    ports.RemoveAll();
    // Ports from 100 up are never used, so they are not opened either: opening a line can
    // toggle its modem lines and reset what is plugged into it.
    for (UINT n = 1; n < 100; ++n)
    {
        CString name;
        name.Format("\\\\.\\COM%u", n);
        HANDLE h = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        bool exists = h != INVALID_HANDLE_VALUE;
        if (exists)
            CloseHandle(h);
        else
            exists = GetLastError() == ERROR_ACCESS_DENIED || GetLastError() == ERROR_GEN_FAILURE;
        if (exists)
            ports.Add(n);
    }
    return ports.GetSize();
}

#include "platform/io/CommApi.h"

#include "platform/io/ComPortTable.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace
{
// The devices this process holds open, by device number, so that a second open of the same
// port fails however its path is spelt (a symbolic link of /dev/serial/by-id, say) and
// whatever rights the process has (the terminal's exclusive mode does not stop root).
std::mutex g_openLock;
std::set<dev_t> g_openDevices;

struct SpeedEntry
{
    DWORD baud;
    speed_t speed;
};
const SpeedEntry kSpeeds[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

bool SpeedOf(DWORD baud, speed_t& speed)
{
    for (const SpeedEntry& e : kSpeeds)
        if (e.baud == baud)
        {
            speed = e.speed;
            return true;
        }
    return false;
}

DWORD BaudOf(speed_t speed)
{
    for (const SpeedEntry& e : kSpeeds)
        if (e.speed == speed)
            return e.baud;
    return 0;
}

using Clock = std::chrono::steady_clock;

int64_t MillisecondsSince(Clock::time_point t)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
}

// A wait on the line is cut into slices so that a handle closed by another thread ends it.
const int kSliceMs = 50;

class ComPortObject final : public CStreamObject
{
public:
    ComPortObject(int fd, dev_t device) : m_fd(fd), m_device(device)
    {
        std::memset(&m_dcb, 0, sizeof m_dcb);
        m_dcb.DCBlength = sizeof(DCB);
        m_dcb.fBinary = 1;
        m_dcb.fDtrControl = DTR_CONTROL_ENABLE;
        m_dcb.fRtsControl = RTS_CONTROL_ENABLE;
        m_dcb.fTXContinueOnXoff = 1;
        m_dcb.XonLim = 2048;
        m_dcb.XoffLim = 512;
        m_dcb.XonChar = 0x11;
        m_dcb.XoffChar = 0x13;
        std::memset(&m_timeouts, 0, sizeof m_timeouts);
    }

    ~ComPortObject() override
    {
        // The terminal's exclusive mode outlives this descriptor when someone else holds the
        // line open (a test's pseudo-terminal), and would keep the next open out.
        ::ioctl(m_fd, TIOCNXCL);
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
        std::lock_guard<std::mutex> guard(g_openLock);
        g_openDevices.erase(m_device);
    }

    BOOL Read(HANDLE handle, void* buffer, DWORD count, DWORD* done) override;
    BOOL Write(HANDLE handle, const void* buffer, DWORD count, DWORD* done) override;

    BOOL GetState(DCB* dcb);
    BOOL SetState(const DCB* dcb);

    COMMTIMEOUTS Timeouts()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_timeouts;
    }
    void SetTimeouts(const COMMTIMEOUTS& t)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_timeouts = t;
    }
    int Fd() const { return m_fd; }

private:
    // Waits up to `ms` for the line to become readable (POLLIN) or writable (POLLOUT).
    // 1 ready, 0 not yet, -1 the line has gone, -2 the handle was closed.
    int WaitFor(HANDLE handle, short events, int64_t ms);

    const int m_fd;
    const dev_t m_device;
    std::mutex m_lock;
    DCB m_dcb;
    COMMTIMEOUTS m_timeouts;
};

int ComPortObject::WaitFor(HANDLE handle, short events, int64_t ms)
{
    const Clock::time_point start = Clock::now();
    for (;;)
    {
        if (AfxLookupHandle(handle).get() != this)
            return -2;
        const int64_t left = ms - MillisecondsSince(start);
        if (left <= 0)
            return 0;
        pollfd p{m_fd, events, 0};
        const int r = ::poll(&p, 1, static_cast<int>(std::min<int64_t>(left, kSliceMs)));
        if (r < 0 && errno != EINTR)
            return -1;
        if (r > 0)
        {
            if (p.revents & events)
                return 1;
            if (p.revents & (POLLHUP | POLLERR | POLLNVAL))
                return -1;
        }
    }
}

BOOL ComPortObject::Read(HANDLE handle, void* buffer, DWORD count, DWORD* done)
{
    *done = 0;
    if (count == 0)
        return TRUE;
    const COMMTIMEOUTS t = Timeouts();
    const bool atOnce = t.ReadIntervalTimeout == MAXDWORD && t.ReadTotalTimeoutMultiplier == 0 &&
                        t.ReadTotalTimeoutConstant == 0;
    const bool firstByte = t.ReadIntervalTimeout == MAXDWORD && t.ReadTotalTimeoutMultiplier == MAXDWORD &&
                           t.ReadTotalTimeoutConstant > 0 && t.ReadTotalTimeoutConstant < MAXDWORD;
    int64_t total = -1; // no limit
    int64_t interval = -1;
    if (atOnce)
        total = 0;
    else if (firstByte)
        total = t.ReadTotalTimeoutConstant;
    else
    {
        if (t.ReadTotalTimeoutMultiplier || t.ReadTotalTimeoutConstant)
            total = static_cast<int64_t>(t.ReadTotalTimeoutMultiplier) * count + t.ReadTotalTimeoutConstant;
        if (t.ReadIntervalTimeout && t.ReadIntervalTimeout != MAXDWORD)
            interval = t.ReadIntervalTimeout;
    }

    char* out = static_cast<char*>(buffer);
    const Clock::time_point start = Clock::now();
    Clock::time_point lastByte = start;
    for (;;)
    {
        const ssize_t got = ::read(m_fd, out + *done, count - *done);
        if (got > 0)
        {
            *done += static_cast<DWORD>(got);
            lastByte = Clock::now();
            if (*done == count || firstByte || atOnce)
                return TRUE;
            continue;
        }
        if (got < 0 && errno != EAGAIN && errno != EINTR)
        {
            SetLastError(ERROR_GEN_FAILURE);
            return FALSE;
        }
        // Nothing waiting. A line whose other end has gone reads as empty too; only the
        // hang-up tells them apart.
        pollfd state{m_fd, POLLIN, 0};
        if (::poll(&state, 1, 0) > 0 && (state.revents & (POLLHUP | POLLERR | POLLNVAL)))
        {
            SetLastError(ERROR_GEN_FAILURE);
            return FALSE;
        }
        // How long may the call still wait?
        int64_t wait = 1000 * 60 * 60; // re-checked every slice, so "no limit" is any long time
        if (total >= 0)
            wait = std::min(wait, total - MillisecondsSince(start));
        if (interval >= 0 && *done > 0)
            wait = std::min(wait, interval - MillisecondsSince(lastByte));
        if (wait <= 0)
            return TRUE;
        const int ready = WaitFor(handle, POLLIN, wait);
        if (ready == -2)
        {
            SetLastError(ERROR_OPERATION_ABORTED);
            return FALSE;
        }
        if (ready == -1)
        {
            SetLastError(ERROR_GEN_FAILURE);
            return FALSE;
        }
    }
}

BOOL ComPortObject::Write(HANDLE handle, const void* buffer, DWORD count, DWORD* done)
{
    *done = 0;
    const COMMTIMEOUTS t = Timeouts();
    int64_t total = -1;
    if (t.WriteTotalTimeoutMultiplier || t.WriteTotalTimeoutConstant)
        total = static_cast<int64_t>(t.WriteTotalTimeoutMultiplier) * count + t.WriteTotalTimeoutConstant;
    const char* in = static_cast<const char*>(buffer);
    const Clock::time_point start = Clock::now();
    while (*done < count)
    {
        const ssize_t put = ::write(m_fd, in + *done, count - *done);
        if (put > 0)
        {
            *done += static_cast<DWORD>(put);
            continue;
        }
        if (put < 0 && errno != EAGAIN && errno != EINTR)
        {
            SetLastError(ERROR_GEN_FAILURE);
            return FALSE;
        }
        int64_t wait = 1000 * 60 * 60;
        if (total >= 0)
            wait = total - MillisecondsSince(start);
        if (wait <= 0)
            return TRUE;
        const int ready = WaitFor(handle, POLLOUT, wait);
        if (ready == -2)
        {
            SetLastError(ERROR_OPERATION_ABORTED);
            return FALSE;
        }
        if (ready == -1)
        {
            SetLastError(ERROR_GEN_FAILURE);
            return FALSE;
        }
    }
    return TRUE;
}

BOOL ComPortObject::GetState(DCB* dcb)
{
    termios tio{};
    if (::tcgetattr(m_fd, &tio) != 0)
    {
        SetLastError(ERROR_GEN_FAILURE);
        return FALSE;
    }
    std::lock_guard<std::mutex> guard(m_lock);
    DCB d = m_dcb;
    const DWORD baud = BaudOf(cfgetospeed(&tio));
    if (baud)
        d.BaudRate = baud;
    switch (tio.c_cflag & CSIZE)
    {
    case CS5:
        d.ByteSize = 5;
        break;
    case CS6:
        d.ByteSize = 6;
        break;
    case CS7:
        d.ByteSize = 7;
        break;
    default:
        d.ByteSize = 8;
        break;
    }
    if (!(tio.c_cflag & PARENB))
        d.Parity = NOPARITY;
    else if (tio.c_cflag & CMSPAR)
        d.Parity = (tio.c_cflag & PARODD) ? MARKPARITY : SPACEPARITY;
    else
        d.Parity = (tio.c_cflag & PARODD) ? ODDPARITY : EVENPARITY;
    if (tio.c_cflag & CSTOPB)
        d.StopBits = d.ByteSize == 5 ? ONE5STOPBITS : TWOSTOPBITS;
    else
        d.StopBits = ONESTOPBIT;
    d.fOutxCtsFlow = (tio.c_cflag & CRTSCTS) ? 1 : 0;
    d.fOutX = (tio.c_iflag & IXON) ? 1 : 0;
    d.fInX = (tio.c_iflag & IXOFF) ? 1 : 0;
    d.fBinary = 1;
    d.DCBlength = sizeof(DCB);
    *dcb = d;
    return TRUE;
}

BOOL ComPortObject::SetState(const DCB* dcb)
{
    termios tio{};
    if (::tcgetattr(m_fd, &tio) != 0)
    {
        SetLastError(ERROR_GEN_FAILURE);
        return FALSE;
    }
    speed_t speed;
    if (!SpeedOf(dcb->BaudRate, speed) || dcb->ByteSize < 5 || dcb->ByteSize > 8 ||
        dcb->Parity > SPACEPARITY || dcb->StopBits > TWOSTOPBITS ||
        (dcb->StopBits == ONE5STOPBITS && dcb->ByteSize != 5) ||
        (dcb->StopBits == TWOSTOPBITS && dcb->ByteSize == 5))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    static const tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    tio.c_cflag |= sizes[dcb->ByteSize - 5];
    switch (dcb->Parity)
    {
    case ODDPARITY:
        tio.c_cflag |= PARENB | PARODD;
        break;
    case EVENPARITY:
        tio.c_cflag |= PARENB;
        break;
    case MARKPARITY:
        tio.c_cflag |= PARENB | CMSPAR | PARODD;
        break;
    case SPACEPARITY:
        tio.c_cflag |= PARENB | CMSPAR;
        break;
    default:
        break;
    }
    if (dcb->Parity != NOPARITY && dcb->fParity)
        tio.c_iflag |= INPCK;
    if (dcb->StopBits != ONESTOPBIT)
        tio.c_cflag |= CSTOPB;
    if (dcb->fOutxCtsFlow || dcb->fRtsControl == RTS_CONTROL_HANDSHAKE)
        tio.c_cflag |= CRTSCTS;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    if (dcb->fOutX)
        tio.c_iflag |= IXON;
    if (dcb->fInX)
        tio.c_iflag |= IXOFF;
    if (dcb->XonChar)
        tio.c_cc[VSTART] = static_cast<cc_t>(dcb->XonChar);
    if (dcb->XoffChar)
        tio.c_cc[VSTOP] = static_cast<cc_t>(dcb->XoffChar);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    if (::tcsetattr(m_fd, TCSANOW, &tio) != 0)
    {
        SetLastError(errno == EINVAL ? ERROR_INVALID_PARAMETER : ERROR_GEN_FAILURE);
        return FALSE;
    }

    // The modem lines and RS-485 direction control, where the driver has them; a
    // pseudo-terminal or a plain adapter without them still carries data.
    int bits = TIOCM_DTR;
    if (dcb->fDtrControl == DTR_CONTROL_ENABLE || dcb->fDtrControl == DTR_CONTROL_HANDSHAKE)
        ::ioctl(m_fd, TIOCMBIS, &bits);
    else
        ::ioctl(m_fd, TIOCMBIC, &bits);
    if (dcb->fRtsControl == RTS_CONTROL_ENABLE || dcb->fRtsControl == RTS_CONTROL_DISABLE)
    {
        bits = TIOCM_RTS;
        ::ioctl(m_fd, dcb->fRtsControl == RTS_CONTROL_ENABLE ? TIOCMBIS : TIOCMBIC, &bits);
    }
    serial_rs485 rs485{};
    if (::ioctl(m_fd, TIOCGRS485, &rs485) == 0)
    {
        const bool toggle = dcb->fRtsControl == RTS_CONTROL_TOGGLE;
        if (toggle != ((rs485.flags & SER_RS485_ENABLED) != 0))
        {
            if (toggle)
                rs485.flags |= SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
            else
                rs485.flags &= ~SER_RS485_ENABLED;
            ::ioctl(m_fd, TIOCSRS485, &rs485);
        }
    }

    std::lock_guard<std::mutex> guard(m_lock);
    m_dcb = *dcb;
    m_dcb.DCBlength = sizeof(DCB);
    return TRUE;
}

std::shared_ptr<ComPortObject> PortOf(HANDLE handle)
{
    auto port = AfxLookupHandleAs<ComPortObject>(handle);
    if (!port)
        SetLastError(ERROR_INVALID_HANDLE);
    return port;
}

// A serial device node that the kernel keeps for hardware that is not there (the legacy
// ports ttyS0..ttyS31 of a machine without them).
bool IsPhantomSerialDevice(const CString& device)
{
    const QString name =
        QFileInfo(QFileInfo(QString::fromLocal8Bit(device.GetString())).canonicalFilePath()).fileName();
    if (name.isEmpty())
        return false;
    QFile type("/sys/class/tty/" + name + "/type");
    if (!type.open(QIODevice::ReadOnly))
        return false;
    return type.readAll().trimmed() == "0";
}

HANDLE Fail(DWORD error)
{
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

// Parses a stop-bit text: 1, 1.5 or 2.
bool ParseStopBits(const std::string& s, BYTE& stop)
{
    if (s == "1")
        stop = ONESTOPBIT;
    else if (s == "1.5")
        stop = ONE5STOPBITS;
    else if (s == "2")
        stop = TWOSTOPBITS;
    else
        return false;
    return true;
}

bool ParseParity(const std::string& s, BYTE& parity)
{
    if (s.size() != 1)
        return false;
    const char* letters = "NOEMS";
    const char* p = std::strchr(letters, std::toupper(static_cast<unsigned char>(s[0])));
    if (!p || !*p)
        return false;
    parity = static_cast<BYTE>(p - letters);
    return true;
}

bool ParseNumber(const std::string& s, DWORD& value)
{
    if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = static_cast<DWORD>(std::stoul(s));
    return true;
}

std::string Trimmed(const std::string& s)
{
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos)
        return std::string();
    const size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}
} // namespace

HANDLE CreateFileA(LPCSTR name, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile)
{
    if (!name)
        return Fail(ERROR_INVALID_PARAMETER);
    const UINT port = AfxComPortNumberFromName(name);
    if (port == 0)
        return Fail(ERROR_FILE_NOT_FOUND);
    if (creationDisposition != OPEN_EXISTING)
        return Fail(ERROR_INVALID_PARAMETER);
    if (flagsAndAttributes & FILE_FLAG_OVERLAPPED)
        return Fail(ERROR_NOT_SUPPORTED);
    const CString device = AfxGetComPortDevice(port);
    if (device.IsEmpty())
        return Fail(ERROR_FILE_NOT_FOUND);

    int access = O_RDWR;
    if ((desiredAccess & GENERIC_READ) && !(desiredAccess & GENERIC_WRITE))
        access = O_RDONLY;
    else if (!(desiredAccess & GENERIC_READ) && (desiredAccess & GENERIC_WRITE))
        access = O_WRONLY;
    const int fd = ::open(device.GetString(), access | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
    {
        switch (errno)
        {
        case EACCES:
        case EPERM:
        case EBUSY:
            return Fail(ERROR_ACCESS_DENIED);
        case EIO:
            return Fail(IsPhantomSerialDevice(device) ? ERROR_FILE_NOT_FOUND : ERROR_GEN_FAILURE);
        case ENOENT:
        case ENXIO:
        case ENODEV:
        case ENOTDIR:
        case ELOOP:
        case ENAMETOOLONG:
            return Fail(ERROR_FILE_NOT_FOUND);
        default:
            return Fail(ERROR_GEN_FAILURE);
        }
    }
    auto closeAnd = [fd](DWORD error) {
        ::close(fd);
        return Fail(error);
    };
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode) || !::isatty(fd))
        return closeAnd(ERROR_GEN_FAILURE);
    serial_struct serial{};
    if (::ioctl(fd, TIOCGSERIAL, &serial) == 0 && serial.type == PORT_UNKNOWN)
        return closeAnd(ERROR_FILE_NOT_FOUND);
    {
        std::lock_guard<std::mutex> guard(g_openLock);
        if (!g_openDevices.insert(st.st_rdev).second)
            return closeAnd(ERROR_ACCESS_DENIED);
    }
    auto forget = [&st]() {
        std::lock_guard<std::mutex> guard(g_openLock);
        g_openDevices.erase(st.st_rdev);
    };
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
    {
        forget();
        return closeAnd(ERROR_ACCESS_DENIED);
    }
    ::ioctl(fd, TIOCEXCL);
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
    {
        ::ioctl(fd, TIOCNXCL);
        forget();
        return closeAnd(ERROR_GEN_FAILURE);
    }
    // Raw from the start, keeping the line's speed and framing until SetCommState.
    const tcflag_t keep = tio.c_cflag & (CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    const speed_t ispeed = cfgetispeed(&tio);
    const speed_t ospeed = cfgetospeed(&tio);
    cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    tio.c_cflag |= keep | CLOCAL | CREAD;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, ispeed);
    cfsetospeed(&tio, ospeed);
    ::tcsetattr(fd, TCSANOW, &tio);

    HANDLE handle = AfxRegisterHandle(std::make_shared<ComPortObject>(fd, st.st_rdev));
    SetLastError(ERROR_SUCCESS);
    return handle;
}

BOOL GetCommState(HANDLE port, LPDCB dcb)
{
    if (!dcb)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto p = PortOf(port);
    return p ? p->GetState(dcb) : FALSE;
}

BOOL SetCommState(HANDLE port, LPDCB dcb)
{
    if (!dcb)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto p = PortOf(port);
    return p ? p->SetState(dcb) : FALSE;
}

BOOL BuildCommDCBA(LPCSTR definition, LPDCB dcb)
{
    if (!definition || !dcb)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string text = Trimmed(definition);
    // An optional device prefix, "COM1:" or "COM1: ".
    const size_t colon = text.find(':');
    if (colon != std::string::npos && AfxComPortNumberFromName(text.substr(0, colon).c_str()) != 0)
        text = Trimmed(text.substr(colon + 1));

    DCB d = *dcb;
    bool haveBaud = false;
    int flow = 0; // 0 none, 'x' XON/XOFF, 'p' hardware
    auto invalid = []() {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    };
    if (text.find('=') != std::string::npos)
    {
        size_t pos = 0;
        while (pos < text.size())
        {
            const size_t stop = text.find_first_of(" \t", pos);
            const std::string word =
                text.substr(pos, stop == std::string::npos ? std::string::npos : stop - pos);
            pos = stop == std::string::npos ? text.size() : stop + 1;
            if (word.empty())
                continue;
            const size_t equals = word.find('=');
            if (equals == std::string::npos)
                return invalid();
            const std::string key = Lower(word.substr(0, equals));
            const std::string value = Lower(word.substr(equals + 1));
            DWORD number = 0;
            if (key == "baud")
            {
                if (!ParseNumber(value, number) || number == 0)
                    return invalid();
                d.BaudRate = number;
                haveBaud = true;
            }
            else if (key == "parity")
            {
                if (!ParseParity(value, d.Parity))
                    return invalid();
            }
            else if (key == "data")
            {
                if (!ParseNumber(value, number) || number < 5 || number > 8)
                    return invalid();
                d.ByteSize = static_cast<BYTE>(number);
            }
            else if (key == "stop")
            {
                if (!ParseStopBits(value, d.StopBits))
                    return invalid();
            }
            else if (key == "xon")
            {
                if (value == "on")
                    flow = 'x';
            }
            else if (key == "octs")
            {
                if (value == "on")
                    flow = 'p';
            }
            else if (key != "to" && key != "odsr" && key != "idsr" && key != "dtr" && key != "rts")
            {
                return invalid();
            }
        }
    }
    else
    {
        std::string fields[6];
        int count = 0;
        size_t pos = 0;
        while (count < 6)
        {
            const size_t comma = text.find(',', pos);
            fields[count++] = Lower(
                Trimmed(text.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos)));
            if (comma == std::string::npos)
                break;
            pos = comma + 1;
        }
        if (count > 5)
            return invalid();
        DWORD baud = 0;
        if (!ParseNumber(fields[0], baud) || baud == 0)
            return invalid();
        // The two-digit abbreviations of the old mode command.
        static const DWORD shortForms[][2] = {{11, 110},  {15, 150},  {30, 300},  {60, 600},  {12, 1200},
                                              {24, 2400}, {48, 4800}, {96, 9600}, {19, 19200}};
        for (const auto& s : shortForms)
            if (baud == s[0])
                baud = s[1];
        d.BaudRate = baud;
        haveBaud = true;
        if (count > 1 && !fields[1].empty() && !ParseParity(fields[1], d.Parity))
            return invalid();
        DWORD data = 0;
        if (count > 2 && !fields[2].empty())
        {
            if (!ParseNumber(fields[2], data) || data < 5 || data > 8)
                return invalid();
            d.ByteSize = static_cast<BYTE>(data);
        }
        if (count > 3 && !fields[3].empty() && !ParseStopBits(fields[3], d.StopBits))
            return invalid();
        if (count > 4 && !fields[4].empty())
        {
            if (fields[4] == "x")
                flow = 'x';
            else if (fields[4] == "p")
                flow = 'p';
            else
                return invalid();
        }
    }
    if (!haveBaud)
        return invalid();
    d.DCBlength = sizeof(DCB);
    d.fBinary = 1;
    d.fParity = d.Parity != NOPARITY ? 1 : 0;
    d.fOutxCtsFlow = flow == 'p' ? 1 : 0;
    d.fOutxDsrFlow = flow == 'p' ? 1 : 0;
    d.fDtrControl = flow == 'p' ? DTR_CONTROL_HANDSHAKE : DTR_CONTROL_ENABLE;
    d.fRtsControl = flow == 'p' ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
    d.fDsrSensitivity = 0;
    d.fOutX = flow == 'x' ? 1 : 0;
    d.fInX = flow == 'x' ? 1 : 0;
    *dcb = d;
    return TRUE;
}

BOOL GetCommTimeouts(HANDLE port, LPCOMMTIMEOUTS timeouts)
{
    if (!timeouts)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto p = PortOf(port);
    if (!p)
        return FALSE;
    *timeouts = p->Timeouts();
    return TRUE;
}

BOOL SetCommTimeouts(HANDLE port, LPCOMMTIMEOUTS timeouts)
{
    if (!timeouts)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto p = PortOf(port);
    if (!p)
        return FALSE;
    p->SetTimeouts(*timeouts);
    return TRUE;
}

BOOL PurgeComm(HANDLE port, DWORD flags)
{
    auto p = PortOf(port);
    if (!p)
        return FALSE;
    const bool rx = flags & (PURGE_RXCLEAR | PURGE_RXABORT);
    const bool tx = flags & (PURGE_TXCLEAR | PURGE_TXABORT);
    if (rx || tx)
        ::tcflush(p->Fd(), rx && tx ? TCIOFLUSH : (rx ? TCIFLUSH : TCOFLUSH));
    return TRUE;
}

BOOL SetupComm(HANDLE port, DWORD, DWORD)
{
    return PortOf(port) ? TRUE : FALSE;
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD count, LPDWORD done, LPOVERLAPPED overlapped)
{
    if (done)
        *done = 0;
    if (overlapped || !done || (!buffer && count))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto stream = AfxLookupHandleAs<CStreamObject>(file);
    if (!stream)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return stream->Read(file, buffer, count, done);
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD done, LPOVERLAPPED overlapped)
{
    if (done)
        *done = 0;
    if (overlapped || !done || (!buffer && count))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto stream = AfxLookupHandleAs<CStreamObject>(file);
    if (!stream)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return stream->Write(file, buffer, count, done);
}

#include "testsupport/PseudoTerminal.h"

#include "platform/io/ComPortTable.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal()
{
    char name[128] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) == 0)
        path = name;
}

PseudoTerminal::~PseudoTerminal()
{
    if (master >= 0)
        ::close(master);
    if (slave >= 0)
        ::close(slave);
}

void PseudoTerminal::AssignPort(UINT port) const
{
    AfxSetComPortDevice(port, path.c_str());
}

bool PseudoTerminal::Send(const std::string& bytes) const
{
    size_t done = 0;
    while (done < bytes.size())
    {
        const ssize_t n = ::write(master, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
        {
            ADD_FAILURE() << "writing to the pseudo-terminal " << path << " failed: " << std::strerror(errno);
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

void PseudoTerminal::CloseDevice()
{
    if (master >= 0)
        ::close(master);
    master = -1;
}

speed_t PseudoTerminal::Speed() const
{
    termios t{};
    ::tcgetattr(master, &t);
    return cfgetospeed(&t);
}

std::string PseudoTerminal::Stty() const
{
    int out[2];
    if (::pipe(out) != 0)
        return std::string();
    const pid_t pid = ::fork();
    if (pid == 0)
    {
        ::dup2(master, 0);
        ::dup2(out[1], 1);
        ::close(out[0]);
        ::execlp("stty", "stty", "-a", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    std::string text;
    char buffer[512];
    ssize_t n;
    while ((n = ::read(out[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<size_t>(n));
    ::close(out[0]);
    if (pid > 0)
        ::waitpid(pid, nullptr, 0);
    for (char& c : text)
        if (c == '\n' || c == ';')
            c = ' ';
    return " " + text + " ";
}

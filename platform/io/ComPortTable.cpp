#include "platform/io/ComPortTable.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

namespace
{
struct ProgramTable
{
    std::mutex lock;
    std::map<UINT, std::string> devices;
    int defaultRule = -1; // -1: as the environment says
};

ProgramTable& Table()
{
    static ProgramTable table;
    return table;
}

// The number of "COMn" at the start of `text` (letters in any case), and where it ends.
UINT ParseComName(const char* text, const char** end)
{
    if (!text || std::strlen(text) < 4)
        return 0;
    if (std::toupper(static_cast<unsigned char>(text[0])) != 'C' ||
        std::toupper(static_cast<unsigned char>(text[1])) != 'O' ||
        std::toupper(static_cast<unsigned char>(text[2])) != 'M')
        return 0;
    const char* p = text + 3;
    if (!std::isdigit(static_cast<unsigned char>(*p)))
        return 0;
    unsigned long n = 0;
    while (std::isdigit(static_cast<unsigned char>(*p)))
    {
        n = n * 10 + static_cast<unsigned long>(*p - '0');
        if (n > 0xFFFF)
            return 0;
        ++p;
    }
    if (end)
        *end = p;
    return static_cast<UINT>(n);
}

// What SUITE_COM_PORTS says of port `port`: true when it names it (device may be empty);
// `defaultOff` is set by a "default=none" entry.
bool FromEnvironment(UINT port, std::string& device, bool& defaultOff)
{
    defaultOff = false;
    const char* env = std::getenv("SUITE_COM_PORTS");
    if (!env)
        return false;
    bool found = false;
    std::string list(env);
    size_t pos = 0;
    while (pos < list.size())
    {
        const size_t stop = list.find_first_of("; ,\t", pos);
        const std::string entry =
            list.substr(pos, stop == std::string::npos ? std::string::npos : stop - pos);
        pos = stop == std::string::npos ? list.size() : stop + 1;
        const size_t equals = entry.find('=');
        if (entry.empty() || equals == std::string::npos)
            continue;
        const std::string key = entry.substr(0, equals);
        const std::string value = entry.substr(equals + 1);
        if (key == "default" || key == "DEFAULT")
        {
            defaultOff = value == "none" || value == "NONE" || value == "off";
            continue;
        }
        const char* end = nullptr;
        if (ParseComName(key.c_str(), &end) == port && port != 0 && *end == '\0')
        {
            device = value;
            found = true;
        }
    }
    return found;
}
} // namespace

CString AfxGetComPortDevice(UINT port)
{
    if (port == 0)
        return CString();
    int defaultRule;
    {
        ProgramTable& t = Table();
        std::lock_guard<std::mutex> guard(t.lock);
        auto it = t.devices.find(port);
        if (it != t.devices.end())
            return CString(it->second);
        defaultRule = t.defaultRule;
    }
    std::string device;
    bool defaultOff = false;
    if (FromEnvironment(port, device, defaultOff))
        return CString(device);
    const bool useDefault = defaultRule >= 0 ? defaultRule == 1 : !defaultOff;
    if (!useDefault)
        return CString();
    CString path;
    path.Format("/dev/ttyS%u", port - 1);
    return path;
}

void AfxSetComPortDevice(UINT port, const char* device)
{
    ProgramTable& t = Table();
    std::lock_guard<std::mutex> guard(t.lock);
    if (device)
        t.devices[port] = device;
    else
        t.devices.erase(port);
}

void AfxSetComPortDefaultMapping(bool on)
{
    ProgramTable& t = Table();
    std::lock_guard<std::mutex> guard(t.lock);
    t.defaultRule = on ? 1 : 0;
}

void AfxResetComPortTable()
{
    ProgramTable& t = Table();
    std::lock_guard<std::mutex> guard(t.lock);
    t.devices.clear();
    t.defaultRule = -1;
}

UINT AfxComPortNumberFromName(const char* name)
{
    if (!name)
        return 0;
    if (std::strncmp(name, "\\\\.\\", 4) == 0)
        name += 4;
    const char* end = nullptr;
    const UINT n = ParseComName(name, &end);
    if (n == 0)
        return 0;
    if (*end == ':')
        ++end;
    return *end == '\0' ? n : 0;
}

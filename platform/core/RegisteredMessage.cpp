#include "platform/core/RegisteredMessage.h"

#include <cctype>
#include <map>
#include <mutex>
#include <string>

namespace
{
struct Table
{
    std::mutex lock;
    std::map<std::string, UINT> numbers;
    UINT next = 0xC000;
};

// Built on first use, so that registrations from any module's static initialisers work.
Table& TheTable()
{
    static Table table;
    return table;
}
} // namespace

UINT RegisterWindowMessageA(const char* name)
{
    if (!name || !*name)
        return 0;
    std::string key(name);
    for (char& c : key)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    Table& t = TheTable();
    std::lock_guard<std::mutex> guard(t.lock);
    auto it = t.numbers.find(key);
    if (it != t.numbers.end())
        return it->second;
    if (t.next > 0xFFFF)
        return 0; // the range is spent, as on Windows
    const UINT n = t.next++;
    t.numbers.emplace(std::move(key), n);
    return n;
}

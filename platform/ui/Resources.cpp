#include "platform/ui/Resources.h"

#include <mutex>
#include <string>
#include <vector>

namespace
{
struct Table
{
    std::string module;
    const STRINGTABLE_ENTRY* entries;
    size_t count;
};

struct Chain
{
    std::mutex lock;
    std::vector<Table> tables;
    std::string current;
};

// Built on first use, so that static registrars of any library may run in any order.
Chain& TheChain()
{
    static Chain chain;
    return chain;
}

bool Same(const std::string& a, const char* b)
{
    return CString(a.c_str()).CompareNoCase(b) == 0;
}

const char* Find(const Table& table, UINT nID)
{
    for (size_t i = 0; i < table.count; ++i)
        if (table.entries[i].id == nID)
            return table.entries[i].text;
    return nullptr;
}
} // namespace

void AfxRegisterStringTable(LPCTSTR lpszModule, const STRINGTABLE_ENTRY* pEntries, size_t nCount)
{
    Chain& chain = TheChain();
    std::lock_guard<std::mutex> guard(chain.lock);
    const std::string module = lpszModule ? lpszModule : "";
    for (Table& t : chain.tables)
        if (Same(t.module, module.c_str()))
        {
            t.entries = pEntries;
            t.count = nCount;
            return;
        }
    chain.tables.push_back({module, pEntries, nCount});
}

void AfxUnregisterStringTable(LPCTSTR lpszModule)
{
    Chain& chain = TheChain();
    std::lock_guard<std::mutex> guard(chain.lock);
    for (auto it = chain.tables.begin(); it != chain.tables.end(); ++it)
        if (Same(it->module, lpszModule ? lpszModule : ""))
        {
            chain.tables.erase(it);
            return;
        }
}

bool AfxIsStringTableRegistered(LPCTSTR lpszModule)
{
    Chain& chain = TheChain();
    std::lock_guard<std::mutex> guard(chain.lock);
    for (const Table& t : chain.tables)
        if (Same(t.module, lpszModule ? lpszModule : ""))
            return true;
    return false;
}

BOOL AfxLoadString(UINT nID, CString& rString, LPCTSTR lpszModule)
{
    Chain& chain = TheChain();
    std::lock_guard<std::mutex> guard(chain.lock);
    const std::string first = lpszModule ? lpszModule : chain.current;
    for (const Table& t : chain.tables)
        if (Same(t.module, first.c_str()))
            if (const char* text = Find(t, nID))
            {
                rString = text;
                return TRUE;
            }
    for (const Table& t : chain.tables)
        if (const char* text = Find(t, nID))
        {
            rString = text;
            return TRUE;
        }
    rString.Empty();
    return FALSE;
}

void AfxSetResourceModule(LPCTSTR lpszModule)
{
    Chain& chain = TheChain();
    std::lock_guard<std::mutex> guard(chain.lock);
    chain.current = lpszModule ? lpszModule : "";
}

CString AfxGetResourceModule()
{
    Chain& chain = TheChain();
    std::lock_guard<std::mutex> guard(chain.lock);
    return CString(chain.current.c_str());
}

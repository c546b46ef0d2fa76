#include "platform/ui/Resources.h"

#include <mutex>
#include <string>
#include <vector>

namespace
{
template <class Entry>
struct Table
{
    std::string module;
    const Entry* entries;
    size_t count;
};

struct Chain
{
    std::mutex lock;
    std::vector<Table<STRINGTABLE_ENTRY>> strings;
    std::vector<Table<BITMAP_ENTRY>> bitmaps;
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

template <class Entry>
const Entry* Find(const Table<Entry>& table, UINT nID)
{
    for (size_t i = 0; i < table.count; ++i)
        if (table.entries[i].id == nID)
            return &table.entries[i];
    return nullptr;
}

template <class Entry>
void Register(std::vector<Table<Entry>>& tables, LPCTSTR lpszModule, const Entry* pEntries, size_t nCount)
{
    const std::string module = lpszModule ? lpszModule : "";
    for (Table<Entry>& t : tables)
        if (Same(t.module, module.c_str()))
        {
            t.entries = pEntries;
            t.count = nCount;
            return;
        }
    tables.push_back({module, pEntries, nCount});
}

template <class Entry>
void Unregister(std::vector<Table<Entry>>& tables, LPCTSTR lpszModule)
{
    for (auto it = tables.begin(); it != tables.end(); ++it)
        if (Same(it->module, lpszModule ? lpszModule : ""))
        {
            tables.erase(it);
            return;
        }
}

// The entry of the id in the module asked for, else in the first module of the chain that has
// it; the caller holds the chain's lock.
template <class Entry>
const Entry* Lookup(const std::vector<Table<Entry>>& tables, const std::string& first, UINT nID)
{
    for (const Table<Entry>& t : tables)
        if (Same(t.module, first.c_str()))
            if (const Entry* entry = Find(t, nID))
                return entry;
    for (const Table<Entry>& t : tables)
        if (const Entry* entry = Find(t, nID))
            return entry;
    return nullptr;
}
} // namespace

void AfxRegisterStringTable(LPCTSTR lpszModule, const STRINGTABLE_ENTRY* pEntries, size_t nCount)
{
    Chain& chain = TheChain();
    std::lock_guard<std::mutex> guard(chain.lock);
    Register(chain.strings, lpszModule, pEntries, nCount);
}

void AfxUnregisterStringTable(LPCTSTR lpszModule)
{
    Chain& chain = TheChain();
    std::lock_guard<std::mutex> guard(chain.lock);
    Unregister(chain.strings, lpszModule);
}

bool AfxIsStringTableRegistered(LPCTSTR lpszModule)
{
    Chain& chain = TheChain();
    std::lock_guard<std::mutex> guard(chain.lock);
    for (const auto& t : chain.strings)
        if (Same(t.module, lpszModule ? lpszModule : ""))
            return true;
    return false;
}

BOOL AfxLoadString(UINT nID, CString& rString, LPCTSTR lpszModule)
{
    Chain& chain = TheChain();
    std::lock_guard<std::mutex> guard(chain.lock);
    if (const STRINGTABLE_ENTRY* entry = Lookup(chain.strings, lpszModule ? lpszModule : chain.current, nID))
    {
        rString = entry->text;
        return TRUE;
    }
    rString.Empty();
    return FALSE;
}

void AfxRegisterBitmaps(LPCTSTR lpszModule, const BITMAP_ENTRY* pEntries, size_t nCount)
{
    Chain& chain = TheChain();
    std::lock_guard<std::mutex> guard(chain.lock);
    Register(chain.bitmaps, lpszModule, pEntries, nCount);
}

void AfxUnregisterBitmaps(LPCTSTR lpszModule)
{
    Chain& chain = TheChain();
    std::lock_guard<std::mutex> guard(chain.lock);
    Unregister(chain.bitmaps, lpszModule);
}

BOOL AfxLoadBitmapImage(UINT nID, QImage& rImage, LPCTSTR lpszModule)
{
    BITMAP_ENTRY found{};
    {
        Chain& chain = TheChain();
        std::lock_guard<std::mutex> guard(chain.lock);
        const BITMAP_ENTRY* entry = Lookup(chain.bitmaps, lpszModule ? lpszModule : chain.current, nID);
        if (entry)
            found = *entry;
    }
    // The picture is read or drawn outside the lock: a drawing function may load resources too.
    if (found.path)
        rImage = QImage(QString::fromUtf8(found.path));
    else if (found.draw)
        rImage = found.draw();
    else
        rImage = QImage();
    return rImage.isNull() ? FALSE : TRUE;
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

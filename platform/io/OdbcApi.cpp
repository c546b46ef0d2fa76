#include "platform/io/OdbcApi.h"

#include <cstring>
#include <mutex>
#include <set>

namespace
{
struct OdbcEnvironment
{
    unsigned long version = 0;
    int nextSource = 0; // index of the source SQL_FETCH_NEXT gives
};

struct DataSource
{
    const char* name;
    const char* description;
};

// One source: the workbook engine of Database.cpp.
const DataSource kSources[] = {
    {"Excel Files", "Excel Workbook Driver (*.xlsx)"},
};
constexpr int kSourceCount = static_cast<int>(sizeof kSources / sizeof kSources[0]);

std::mutex& EnvMutex()
{
    static std::mutex m;
    return m;
}

std::set<OdbcEnvironment*>& LiveEnvironments()
{
    static std::set<OdbcEnvironment*> s;
    return s;
}

OdbcEnvironment* FindEnvironment(SQLHANDLE h)
{
    auto* env = static_cast<OdbcEnvironment*>(h);
    return LiveEnvironments().count(env) ? env : nullptr;
}

// Copies text NUL-ended into a buffer of `size` bytes; false when it had to be cut.
bool CopyName(const char* text, SQLCHAR* buffer, SQLSMALLINT size, SQLSMALLINT* length)
{
    const size_t n = std::strlen(text);
    if (length)
        *length = static_cast<SQLSMALLINT>(n);
    if (!buffer || size <= 0)
        return n == 0;
    const size_t room = static_cast<size_t>(size) - 1;
    const size_t copied = n < room ? n : room;
    std::memcpy(buffer, text, copied);
    buffer[copied] = 0;
    return copied == n;
}
} // namespace

SQLRETURN SQLAllocHandle(SQLSMALLINT HandleType, SQLHANDLE InputHandle, SQLHANDLE* OutputHandle)
{
    if (!OutputHandle)
        return SQL_ERROR;
    *OutputHandle = SQL_NULL_HANDLE;
    if (HandleType != SQL_HANDLE_ENV)
        return SQL_ERROR;
    if (InputHandle != SQL_NULL_HANDLE)
        return SQL_INVALID_HANDLE;
    auto* env = new OdbcEnvironment;
    std::lock_guard<std::mutex> lock(EnvMutex());
    LiveEnvironments().insert(env);
    *OutputHandle = env;
    return SQL_SUCCESS;
}

SQLRETURN SQLSetEnvAttr(SQLHENV EnvironmentHandle, SQLINTEGER Attribute, SQLPOINTER Value, SQLINTEGER)
{
    std::lock_guard<std::mutex> lock(EnvMutex());
    OdbcEnvironment* env = FindEnvironment(EnvironmentHandle);
    if (!env)
        return SQL_INVALID_HANDLE;
    if (Attribute != SQL_ATTR_ODBC_VERSION)
        return SQL_ERROR;
    const auto version = static_cast<unsigned long>(reinterpret_cast<uintptr_t>(Value));
    if (version != SQL_OV_ODBC2 && version != SQL_OV_ODBC3)
        return SQL_ERROR;
    env->version = version;
    return SQL_SUCCESS;
}

SQLRETURN SQLDataSources(SQLHENV EnvironmentHandle, SQLUSMALLINT Direction, SQLCHAR* ServerName,
                         SQLSMALLINT BufferLength1, SQLSMALLINT* NameLength1Ptr, SQLCHAR* Description,
                         SQLSMALLINT BufferLength2, SQLSMALLINT* NameLength2Ptr)
{
    std::lock_guard<std::mutex> lock(EnvMutex());
    OdbcEnvironment* env = FindEnvironment(EnvironmentHandle);
    if (!env)
        return SQL_INVALID_HANDLE;
    int index = 0;
    switch (Direction)
    {
    case SQL_FETCH_FIRST:
    case SQL_FETCH_FIRST_USER:
    case SQL_FETCH_FIRST_SYSTEM:
        index = 0;
        break;
    case SQL_FETCH_NEXT:
        index = env->nextSource;
        break;
    default:
        return SQL_ERROR;
    }
    if (index >= kSourceCount)
    {
        env->nextSource = kSourceCount;
        return SQL_NO_DATA;
    }
    env->nextSource = index + 1;
    const bool whole1 = CopyName(kSources[index].name, ServerName, BufferLength1, NameLength1Ptr);
    const bool whole2 = CopyName(kSources[index].description, Description, BufferLength2, NameLength2Ptr);
    return whole1 && whole2 ? SQL_SUCCESS : SQL_SUCCESS_WITH_INFO;
}

SQLRETURN SQLFreeHandle(SQLSMALLINT HandleType, SQLHANDLE Handle)
{
    if (HandleType != SQL_HANDLE_ENV)
        return SQL_INVALID_HANDLE;
    std::lock_guard<std::mutex> lock(EnvMutex());
    OdbcEnvironment* env = FindEnvironment(Handle);
    if (!env)
        return SQL_INVALID_HANDLE;
    LiveEnvironments().erase(env);
    delete env;
    return SQL_SUCCESS;
}

const char* OdbcWorkbookDataSourceName()
{
    return kSources[0].name;
}

const char* OdbcWorkbookDriverDescription()
{
    return kSources[0].description;
}

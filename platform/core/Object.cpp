#include "platform/core/Object.h"

#include <cstring>
#include <mutex>
#include <vector>

namespace
{
// Function-local so that registrars in any module's static initialisers find it built.
std::vector<const CRuntimeClass*>& Registry()
{
    static std::vector<const CRuntimeClass*> classes;
    return classes;
}
std::mutex& RegistryLock()
{
    static std::mutex lock;
    return lock;
}
} // namespace

CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr,
                                       &CObject::_GetBaseClass};

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    for (const CRuntimeClass* c = this; c; c = c->m_pfnGetBaseClass ? c->m_pfnGetBaseClass() : nullptr)
        if (c == base)
            return true;
    return false;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* className)
{
    if (!className)
        return nullptr;
    std::lock_guard<std::mutex> guard(RegistryLock());
    for (const CRuntimeClass* c : Registry())
        if (std::strcmp(c->m_lpszClassName, className) == 0)
            return c;
    return nullptr;
}

CRuntimeClassRegistrar::CRuntimeClassRegistrar(CRuntimeClass* cls)
{
    std::lock_guard<std::mutex> guard(RegistryLock());
    Registry().push_back(cls);
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &classCObject;
}

void CObject::Serialize(CArchive&)
{
}

bool CObject::IsKindOf(const CRuntimeClass* cls) const
{
    return GetRuntimeClass()->IsDerivedFrom(cls);
}

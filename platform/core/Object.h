// CObject and run-time classes: type names, kind tests and creation by class, as the
// framework's threads, views and documents use them.
#pragma once

#include "platform/core/WinTypes.h"

class CObject;
class CArchive;

struct PLATFORM_API CRuntimeClass
{
    const char* m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* (*m_pfnGetBaseClass)();

    // A new object of this class, or null when the class cannot be made by name.
    CObject* CreateObject() const;
    bool IsDerivedFrom(const CRuntimeClass* base) const;
    // A class registered with IMPLEMENT_DYNCREATE or IMPLEMENT_SERIAL, by its name.
    static const CRuntimeClass* FromName(const char* className);
};

// Registers a creatable class so that FromName finds it.
struct PLATFORM_API CRuntimeClassRegistrar
{
    explicit CRuntimeClassRegistrar(CRuntimeClass* cls);
};

class PLATFORM_API CObject
{
public:
    virtual ~CObject() = default;
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual void Serialize(CArchive& ar);
    bool IsKindOf(const CRuntimeClass* cls) const;
    bool IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

    static CRuntimeClass classCObject;
    static CRuntimeClass* _GetBaseClass() { return nullptr; }

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                                                                            \
public:                                                                                                        \
    static CRuntimeClass class##class_name;                                                                    \
    CRuntimeClass* GetRuntimeClass() const override;                                                          \
    static CRuntimeClass* _GetBaseClass();

#define DECLARE_DYNCREATE(class_name)                                                                          \
    DECLARE_DYNAMIC(class_name)                                                                                \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, schema, pfnNew)                                  \
    CRuntimeClass class_name::class##class_name = {#class_name, static_cast<int>(sizeof(class_name)), schema, \
                                                   pfnNew, &class_name::_GetBaseClass};                        \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }                  \
    CRuntimeClass* class_name::_GetBaseClass() { return RUNTIME_CLASS(base_class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                                         \
    IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                                       \
    CObject* class_name::CreateObject() { return new class_name; }                                            \
    IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, 0xFFFF, &class_name::CreateObject)                   \
    static CRuntimeClassRegistrar _registrar_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)                                                  \
    CObject* class_name::CreateObject() { return new class_name; }                                            \
    IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, schema, &class_name::CreateObject)                   \
    static CRuntimeClassRegistrar _registrar_##class_name(RUNTIME_CLASS(class_name));

template <typename T> T* DYNAMIC_DOWNCAST_(CObject* p, const CRuntimeClass* cls)
{
    return (p && p->IsKindOf(cls)) ? static_cast<T*>(p) : nullptr;
}
#define DYNAMIC_DOWNCAST(class_name, object) DYNAMIC_DOWNCAST_<class_name>(object, RUNTIME_CLASS(class_name))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

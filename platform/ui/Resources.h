// String tables and bitmaps of the modules, and the lookup chain: a resource is looked for in
// the module asked for (the caller's own) first, then in every other module in the order they
// joined, as an extension library's resources join its host's chain.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <QImage>

struct STRINGTABLE_ENTRY
{
    UINT id;
    const char* text;
};

// A bitmap resource: a picture in a Qt resource file (path, such as ":/chart/symbols.png"), or,
// when the path is null, the picture a function of the module draws.
struct BITMAP_ENTRY
{
    UINT id;
    const char* path;
    QImage (*draw)();
};

// Adds (or replaces) a module's table; the entries must live for the process's life. Call it
// from a static CStringTableRegistrar in the module's resources file.
PLATFORM_API void AfxRegisterStringTable(LPCTSTR lpszModule, const STRINGTABLE_ENTRY* pEntries, size_t nCount);
// Takes the module's table out of the chain (a library being unloaded).
PLATFORM_API void AfxUnregisterStringTable(LPCTSTR lpszModule);
PLATFORM_API bool AfxIsStringTableRegistered(LPCTSTR lpszModule);
// The string of the id, from lpszModule first (null: the current resource module), then the
// chain. FALSE (and an empty text) when no module has it.
PLATFORM_API BOOL AfxLoadString(UINT nID, CString& rString, LPCTSTR lpszModule = nullptr);

// The same for the modules' bitmaps. AfxLoadBitmapImage gives the picture of the id, found as
// a string is; FALSE (and a null image) when no module has it or its picture cannot be read.
PLATFORM_API void AfxRegisterBitmaps(LPCTSTR lpszModule, const BITMAP_ENTRY* pEntries, size_t nCount);
PLATFORM_API void AfxUnregisterBitmaps(LPCTSTR lpszModule);
PLATFORM_API BOOL AfxLoadBitmapImage(UINT nID, QImage& rImage, LPCTSTR lpszModule = nullptr);

// The module searched first when none is named.
PLATFORM_API void AfxSetResourceModule(LPCTSTR lpszModule);
PLATFORM_API CString AfxGetResourceModule();

class PLATFORM_API CStringTableRegistrar
{
public:
    template <size_t N>
    CStringTableRegistrar(LPCTSTR lpszModule, const STRINGTABLE_ENTRY (&entries)[N])
    {
        AfxRegisterStringTable(lpszModule, entries, N);
    }
};

class PLATFORM_API CBitmapTableRegistrar
{
public:
    template <size_t N>
    CBitmapTableRegistrar(LPCTSTR lpszModule, const BITMAP_ENTRY (&entries)[N])
    {
        AfxRegisterBitmaps(lpszModule, entries, N);
    }
};
